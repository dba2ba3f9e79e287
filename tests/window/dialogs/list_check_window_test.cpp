// The list-check window through the real main window: paste, verdicts, filter, replacing a code, copy and save.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "support/TestText.h"
#include "window/dialogs/ListCheckWindow.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

const QString kRows = U(
    "100-0005\t東京都千代田区丸の内1\n"   // 正常
    "1000000\t千代田区丸の内2\n"          // 郵便番号違い: 100-0005
    "\t\n"                                // a blank spreadsheet row
    "9999999\t千代田区永田町\n"           // 存在しない番号: 100-0014
    "1000014\t横浜市\n"                   // 住所不明: the code's address
    "10000\t札幌市中央区大通西\n");       // 番号の形式違い: two codes, no chome to choose

QStringList Column(const QTableWidget* table, int column) {
  QStringList texts;
  for (int row = 0; row < table->rowCount(); ++row) texts << table->item(row, column)->text();
  return texts;
}

QStringList ShownCodes(const QTableWidget* table) {
  QStringList codes;
  for (int row = 0; row < table->rowCount(); ++row)
    if (!table->isRowHidden(row)) codes << table->item(row, ListCheckWindow::CodeColumn)->text();
  return codes;
}

}  // namespace

class ListCheckWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void menuItemOpensOneWindow();
  void pastedRowsGetVerdictsColoursAndCounts();
  void emptyClipboardBeepsAndKeepsTheList();
  void filterShowsOnlyTheRowsWithProblems();
  void doubleClickOnTheSuggestedCodeReplacesTheCode();
  void severalSuggestedCodesAreOfferedInAMenu();
  void copyResultsGivesTsvToPasteBack();
  void fillInMarksTheRowsAndCtrlZUndoes();
  void pasteOverRowsAsksAndEscCloses();
  void saveWritesCsvWithAByteOrderMark();
  void openReadsACodePage932File();
  void longListShowsProgressAndStaysResponsive();
  void rebuiltDataIsUsedForTheNextCheck();

 private:
  ListCheckWindow* Open();
  bool PasteRows(ListCheckWindow* check, const QString& text);
  void Prepare() override;
};

void ListCheckWindowTest::Prepare() {
  WriteDataFiles(Folder().Path(), {Entry("0600000", U("北海道"), U("札幌市中央区"), U("以下に掲載がない場合")),
                                   Entry("0640820", U("北海道"), U("札幌市中央区"), U("大通西（２０～２８丁目）")),
                                   Entry("0600042", U("北海道"), U("札幌市中央区"), U("大通西（１～１９丁目）")),
                                   Entry("1000000", U("東京都"), U("千代田区"), U("以下に掲載がない場合")),
                                   Entry("1000005", U("東京都"), U("千代田区"), U("丸の内")),
                                   Entry("1000014", U("東京都"), U("千代田区"), U("永田町"))});
  QVERIFY(ShowWindow());
}

ListCheckWindow* ListCheckWindowTest::Open() {
  Control<QAction>("mListCheck")->trigger();
  ListCheckWindow* check = Window().ListCheck();
  if (!check) return nullptr;
  // Offscreen windows are not activated on show, and Ctrl+V needs the active window.
  // (isActiveWindow already holds while the main window, its parent, is active.)
  check->activateWindow();
  return QTest::qWaitFor([check] { return QApplication::activeWindow() == check; }) ? check : nullptr;
}

// Pastes with Ctrl+V in the table; true once every row has its verdict.
bool ListCheckWindowTest::PasteRows(ListCheckWindow* check, const QString& text) {
  Platform().clipboard = text;
  QTest::keyClick(check->Table, Qt::Key_V, Qt::ControlModifier);
  return QTest::qWaitFor([check] { return !check->IsChecking(); }) && check->Table->rowCount() > 0;
}

void ListCheckWindowTest::menuItemOpensOneWindow() {
  QCOMPARE(Control<QAction>("mListCheck")->text(), U("一覧チェック(&L)…"));
  QVERIFY(Control<QMenu>("mmhelp")->actions().contains(Control<QAction>("mListCheck")));
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(check && check->isVisible());
  QCOMPARE(check->Summary->text(), U("全 0 件　正常 0　郵便番号違い 0　郵便番号なし・補完 0　先頭の0が抜けています 0　存在しない番号 0　住所不明 0　番号の形式違い 0　住所なし・補完 0"));
  check->close();
  QCOMPARE(Open(), check);
  QVERIFY(check->isVisible());
}

void ListCheckWindowTest::pastedRowsGetVerdictsColoursAndCounts() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, kRows));
  QCOMPARE(Column(check->Table, ListCheckWindow::VerdictColumn),
           QStringList({U("正常"), U("郵便番号違い"), "", U("存在しない番号"), U("住所不明"), U("番号の形式違い")}));
  QCOMPARE(Column(check->Table, ListCheckWindow::SuggestionColumn),
           QStringList({"", "100-0005", "", "100-0014", U("東京都千代田区永田町"), "064-0820,060-0042"}));
  QCOMPARE(check->Table->item(5, ListCheckWindow::SuggestionColumn)->toolTip(), "064-0820,060-0042");
  QCOMPARE(Column(check->Table, ListCheckWindow::AddressColumn).at(3), U("千代田区永田町"));
  QCOMPARE(check->Summary->text(), U("全 5 件　正常 1　郵便番号違い 1　郵便番号なし・補完 0　先頭の0が抜けています 0　存在しない番号 1　住所不明 1　番号の形式違い 1　住所なし・補完 0"));
  // Each verdict its own colour; a blank row none.
  QSet<QRgb> colours;
  for (const int row : {0, 1, 3, 4, 5})
    colours << check->Table->item(row, ListCheckWindow::VerdictColumn)->background().color().rgb();
  QCOMPARE(colours.size(), 5);
  QCOMPARE(check->Table->item(2, ListCheckWindow::VerdictColumn)->background().style(), Qt::NoBrush);
  QVERIFY(!check->Progress->isVisible());
}

void ListCheckWindowTest::emptyClipboardBeepsAndKeepsTheList() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, kRows));
  Platform().clipboard = QString();
  QTest::keyClick(check->Table, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(Platform().Count("beep"), 1);
  QCOMPARE(check->Table->rowCount(), 6);
}

void ListCheckWindowTest::filterShowsOnlyTheRowsWithProblems() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, kRows));
  check->ProblemsOnly->click();
  QCOMPARE(ShownCodes(check->Table), QStringList({"1000000", "9999999", "1000014", "10000"}));
  // A row mended while filtered leaves the view.
  check->ReplaceCode(1, "100-0005");
  QCOMPARE(ShownCodes(check->Table), QStringList({"9999999", "1000014", "10000"}));
  check->ProblemsOnly->click();
  QCOMPARE(ShownCodes(check->Table).size(), 6);
}

void ListCheckWindowTest::doubleClickOnTheSuggestedCodeReplacesTheCode() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, kRows));
  QTableWidget* table = check->Table;
  // A double-click elsewhere, or on an address suggestion, changes nothing.
  emit table->cellDoubleClicked(1, ListCheckWindow::AddressColumn);
  emit table->cellDoubleClicked(4, ListCheckWindow::SuggestionColumn);
  QCOMPARE(Column(table, ListCheckWindow::CodeColumn).mid(0, 5),
           QStringList({"100-0005", "1000000", "", "9999999", "1000014"}));

  const QRect cell = table->visualItemRect(table->item(1, ListCheckWindow::SuggestionColumn));
  QVERIFY(table->viewport()->rect().contains(cell.center()));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());  // the press a double-click follows
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  QCOMPARE(table->item(1, ListCheckWindow::CodeColumn)->text(), "100-0005");
  QCOMPARE(table->item(1, ListCheckWindow::VerdictColumn)->text(), U("正常"));
  QCOMPARE(table->item(1, ListCheckWindow::SuggestionColumn)->text(), "");
  QVERIFY(check->Summary->text().startsWith(U("全 5 件　正常 2　郵便番号違い 0")));
}

void ListCheckWindowTest::severalSuggestedCodesAreOfferedInAMenu() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, kRows));
  emit check->Table->cellDoubleClicked(5, ListCheckWindow::SuggestionColumn);
  QMenu* menu = check->findChild<QMenu*>("SuggestionMenu");
  QVERIFY(menu);
  QStringList offered;
  for (QAction* action : menu->actions()) offered << action->text();
  QCOMPARE(offered, QStringList({"064-0820", "060-0042"}));
  menu->actions().at(1)->trigger();
  QCOMPARE(check->Table->item(5, ListCheckWindow::CodeColumn)->text(), "060-0042");
  QCOMPARE(check->Table->item(5, ListCheckWindow::VerdictColumn)->text(), U("正常"));
}

void ListCheckWindowTest::copyResultsGivesTsvToPasteBack() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, U("郵便番号,住所,メモ\n100-0005\t千代田区丸の内\tメモ\n\t\n1000000,千代田区丸の内\n")));
  check->FillButton->click();
  check->CopyButton->click();
  QCOMPARE(Platform().calls.filter("clipboard|").size(), 1);
  QCOMPARE(Platform().clipboard, U("郵便番号\t住所\tメモ\n"
                                   "100-0005\t千代田区丸の内\tメモ\n"
                                   "\n"
                                   "100-0005\t千代田区丸の内\n"));
}

void ListCheckWindowTest::fillInMarksTheRowsAndCtrlZUndoes() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, U("\t千代田区丸の内1\n600042\t札幌市中央区大通西5丁目\n1000014\t\n1000000\t札幌市中央区大通西\n")));
  QCOMPARE(Column(check->Table, ListCheckWindow::VerdictColumn),
           QStringList({U("郵便番号なし・補完"), U("先頭の0が抜けています"), U("住所なし・補完"), U("郵便番号違い")}));
  check->FillButton->click();
  QCOMPARE(Column(check->Table, ListCheckWindow::CodeColumn), QStringList({"100-0005", "060-0042", "1000014", "1000000"}));
  QCOMPARE(check->Table->item(2, ListCheckWindow::AddressColumn)->text(), U("東京都千代田区永田町"));
  QCOMPARE(Column(check->Table, ListCheckWindow::VerdictColumn),
           QStringList({U("正常"), U("正常"), U("正常"), U("郵便番号違い")}));  // two codes: not guessed
  QVERIFY(check->Table->item(0, ListCheckWindow::CodeColumn)->font().bold());
  QVERIFY(!check->Table->item(3, ListCheckWindow::CodeColumn)->font().bold());
  QTest::keyClick(check->Table, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Column(check->Table, ListCheckWindow::CodeColumn), QStringList({"", "600042", "1000014", "1000000"}));
  QCOMPARE(check->Table->item(2, ListCheckWindow::AddressColumn)->text(), "");
  QVERIFY(!check->Table->item(0, ListCheckWindow::CodeColumn)->font().bold());
  QTest::keyClick(check->Table, Qt::Key_Z, Qt::ControlModifier);  // nothing more to take back
  QCOMPARE(Platform().Count("beep"), 1);
}

void ListCheckWindowTest::pasteOverRowsAsksAndEscCloses() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, kRows));
  Platform().clipboard = U("1000005\t千代田区丸の内\n");
  Platform().answers = {1};  // キャンセル
  QTest::keyClick(check->Table, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(Platform().calls.filter("ask|").value(0),
           U("ask|一覧チェック|表示中の 6 行を、貼り付ける一覧で置き換えますか？|置き換える/キャンセル"));
  QCOMPARE(check->Table->rowCount(), 6);
  Platform().answers = {0};
  QTest::keyClick(check->Table, Qt::Key_V, Qt::ControlModifier);
  QTRY_COMPARE(check->Table->rowCount(), 1);
  QTest::keyClick(check->Table, Qt::Key_Escape);
  QVERIFY(!check->isVisible());
}

void ListCheckWindowTest::saveWritesCsvWithAByteOrderMark() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, U("1000000\t千代田区丸の内\n")));
  // The save button asks where through the platform's dialog.
  Platform().chosenFile = Folder().File("out.csv");
  QTest::mouseClick(check->SaveButton, Qt::LeftButton);
  QCOMPARE(Platform().calls.filter("save|"), QStringList({U("save|結果を保存|チェック結果.csv|CSV (*.csv)")}));
  QCOMPARE(ReadBytes(Folder().File("out.csv")),
           QByteArray("\xEF\xBB\xBF") + U("1000000,千代田区丸の内,郵便番号違い,100-0005\r\n").toUtf8());
  // A folder that does not exist: a message, and the list stays.
  QVERIFY(!check->SaveFile(Folder().File("no/such/out.csv")));
  QCOMPARE(Platform().Messages().size(), 1);
  QCOMPARE(check->Table->rowCount(), 1);
}

void ListCheckWindowTest::openReadsACodePage932File() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  // 31 30 30 30 30 30 35 2C then 90 E7 91 E3 93 63 8B E6 8A DB 82 CC 93 E0: 千代田区丸の内.
  WriteBytes(Folder().File("list.csv"), Hex("31 30 30 30 30 30 35 2C 90 E7 91 E3 93 63 8B E6 8A DB 82 CC 93 E0 0D 0A"));
  // The open button asks which file through the platform's dialog.
  Platform().chosenFile = Folder().File("list.csv");
  QTest::mouseClick(check->OpenButton, Qt::LeftButton);
  QCOMPARE(Platform().calls.filter("choose|"),
           QStringList({U("choose|一覧を開く||CSV / TSV (*.csv *.tsv *.txt);;すべて (*)")}));
  QTRY_VERIFY(!check->IsChecking());
  QCOMPARE(check->Table->item(0, ListCheckWindow::AddressColumn)->text(), U("千代田区丸の内"));
  QCOMPARE(check->Table->item(0, ListCheckWindow::VerdictColumn)->text(), U("正常"));
  QVERIFY(!check->OpenFile(Folder().File("missing.csv")));
  QCOMPARE(Platform().Messages().size(), 1);
}

void ListCheckWindowTest::longListShowsProgressAndStaysResponsive() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QString text;
  for (int i = 0; i < 3000; ++i) text += U("1000005\t千代田区丸の内\n");
  Platform().clipboard = text;
  QTest::keyClick(check->Table, Qt::Key_V, Qt::ControlModifier);
  // The paste returns before the rows are checked; the rest follows between events.
  QVERIFY(check->IsChecking());
  QVERIFY(check->Progress->isVisible());
  QCOMPARE(check->Progress->maximum(), 3000);
  QVERIFY(check->Summary->text().contains(U("確認中")));
  QTRY_VERIFY(!check->IsChecking());
  QVERIFY(!check->Progress->isVisible());
  QCOMPARE(check->List().Count(Verdict::Ok), 3000);
}

void ListCheckWindowTest::rebuiltDataIsUsedForTheNextCheck() {
  ListCheckWindow* check = Open();
  QVERIFY(check);
  QVERIFY(PasteRows(check, U("1000099\t千代田区丸の内\n")));
  QCOMPARE(check->Table->item(0, ListCheckWindow::VerdictColumn)->text(), U("存在しない番号"));
  WriteDataFiles(Folder().Path(), {Entry("1000099", U("東京都"), U("千代田区"), U("丸の内"))});
  Window().Form_Load();  // reopens the data files, as after a rebuild
  Platform().answers = {0};  // replace the rows listed
  QVERIFY(PasteRows(check, U("1000099\t千代田区丸の内\n")));
  QCOMPARE(check->Table->item(0, ListCheckWindow::VerdictColumn)->text(), U("正常"));
}

}  // namespace mirabo

QTEST_MAIN(mirabo::ListCheckWindowTest)
#include "list_check_window_test.moc"

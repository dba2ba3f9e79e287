// The main window's controls: places, sizes, captions, fonts, tab order, menus, start values.
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTest>

#include "support/TestText.h"
#include "window/ExtentList.h"
#include "window/LayoutTable.h"
#include "window/LinkLabel.h"
#include "window/WindowTest.h"

namespace mirabo {

class LayoutTest : public WindowTest {
  Q_OBJECT

 private slots:
  void controlPlacesInPixels_data();
  void controlPlacesInPixels();
  void twipsRoundToTheNearestPixel_data();
  void twipsRoundToTheNearestPixel();
  void rectangleRoundsEachSide();
  void buttonCaptionsAndStartStates_data();
  void buttonCaptionsAndStartStates();
  void captionsAndStartValues();
  void listsOfTownsAndCitiesUseAFixedPitchFont();
  void fontsAsLaidOut();
  void menusAndTheirAccessKeys();
  void updatePanelLiesBelowTheStartUpSize();
  void linkLabelLooksLikeALink();
  void tabOrderStartsInTheSearchBox();
  void tabNeverReachesTheHiddenPanel();

 private:
  void Prepare() override { OpenWindow(); }
};

// Most places are whole pixels at 96 DPI (15 twips a pixel), so these rows are the
// ones where rounding decides; the rest of the table the window only copies.
void LayoutTest::controlPlacesInPixels_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("rect");
  // 700 twips are 46.7 pixels: 47.
  QTest::newRow("Frame2") << "Frame2" << "client" << QRect(236, 47, 120, 108);
  QTest::newRow("Frame5, in Frame2's place") << "Frame5" << "client" << QRect(236, 47, 120, 108);
  // The two etched lines run across the whole client width (width -1 stands for that).
  QTest::newRow("Line1") << "Line1" << "client" << QRect(0, 0, -1, 1);
  QTest::newRow("Line2") << "Line2" << "client" << QRect(0, 1, -1, 1);
}

void LayoutTest::controlPlacesInPixels() {
  QFETCH(QString, name);
  QFETCH(QString, parent);
  QFETCH(QRect, rect);
  if (rect.width() == -1) rect.setWidth(Window().width());
  const QWidget* control = Control<QWidget>(qPrintable(name));
  QCOMPARE(control->parentWidget()->objectName(), parent);
  QCOMPARE(control->geometry(), rect);
}

// Other screens: twips per pixel as the window works it out (1440 / DPI, rounded), and
// halves rounded away from zero.
void LayoutTest::twipsRoundToTheNearestPixel_data() {
  QTest::addColumn<int>("twips");
  QTest::addColumn<double>("twipsPerPixel");
  QTest::addColumn<int>("pixels");
  QTest::newRow("96 DPI, 46.7") << 700 << 15.0 << 47;
  QTest::newRow("96 DPI, 318.3") << 4775 << 15.0 << 318;
  QTest::newRow("120 DPI, a half") << 150 << 12.0 << 13;
  QTest::newRow("120 DPI, 398.75") << 4785 << 12.0 << 399;
  QTest::newRow("110 DPI (13 twips), 53.8") << 700 << 13.0 << 54;
  QTest::newRow("144 DPI, a half") << 165 << 10.0 << 17;
  QTest::newRow("72 DPI, 12.75") << 255 << 20.0 << 13;
  QTest::newRow("zero") << 0 << 12.0 << 0;
}

void LayoutTest::twipsRoundToTheNearestPixel() {
  QFETCH(int, twips);
  QFETCH(double, twipsPerPixel);
  QFETCH(int, pixels);
  QCOMPARE(TwipsToPixels(twips, twipsPerPixel), pixels);
}

void LayoutTest::rectangleRoundsEachSide() {
  // Frame2's rectangle at 120 DPI: 295, 58.3, 150 and 135 pixels.
  QCOMPARE(TwipsToPixels(TwipsRect{3540, 700, 1800, 1620}, 12), QRect(295, 58, 150, 135));
}

// Each button's caption and whether it starts chosen; the update panel's longer captions
// must be shown whole.
void LayoutTest::buttonCaptionsAndStartStates_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("checked");
  QTest::addColumn<bool>("shownWhole");
  const std::tuple<const char*, const char*, bool, bool> buttons[] = {
      {"Option1", "番号", true, false},         {"Option2", "住所", false, false},
      {"Option3", "全角", false, false},        {"Option4", "半角", true, false},
      {"Option5", "－無", false, false},        {"Option6", "－付", true, false},
      {"Option7", "府県名付", false, false},    {"Option8", "府県名無", true, false},
      {"Option9", "市町で空白", true, false},   {"Option10", "空白なし", false, false},
      {"Command1", "コピー(&C)", false, false}, {"Command2", "番号検索", false, false},
      {"Command3", "郵便番号ファイル更新", false, true}, {"Command4", "住所検索", false, false},
      {"Command5", "最新データをダウンロードして更新", false, true},
      {"Command6", "ファイルを選んで更新…", false, true}};
  for (const auto& [name, caption, checked, shownWhole] : buttons)
    QTest::newRow(name) << name << U(caption) << checked << shownWhole;
}

void LayoutTest::buttonCaptionsAndStartStates() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QFETCH(bool, checked);
  QFETCH(bool, shownWhole);
  const QAbstractButton* button = Control<QAbstractButton>(qPrintable(name));
  QCOMPARE(button->text(), caption);
  QCOMPARE(button->isChecked(), checked);
  if (shownWhole) {
    QVERIFY2(button->sizeHint().width() <= button->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(button->sizeHint().width()).arg(button->width())));
  }
}

void LayoutTest::captionsAndStartValues() {
  frmMirabo& w = Window();
  QCOMPARE(w.windowTitle(), QString("郵便番号検索(Ver.2.5)"));
  QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
  QCOMPARE(Control<QRadioButton>("Option1")->toolTip(), QString("クリックするとクリップボードにコピーされます"));
  for (QGroupBox* frame : w.findChildren<QGroupBox*>()) QVERIFY(frame->title().isEmpty());
  QVERIFY(SearchBox()->text().isEmpty());
  QVERIFY(Control<QGroupBox>("Frame5")->isHidden());
  QVERIFY(!Control<QGroupBox>("Frame2")->isHidden());
  QVERIFY(Control<QFrame>("Shape1")->isHidden());
  QVERIFY(!Control<QTimer>("Timer1")->isActive());
  QCOMPARE(Control<QLabel>("Label2")->text(), QString("郵政省のホームページよりダウンロードしたファイルを解凍しプログラムと同じフォルダーに入れて下さい。"
                                                     "　　　　　　　　　　　　　　　　　　　　　　　　"
                                                     "ファイル名はKEN_ALL.CSV　にして下さい。"));
  QVERIFY(Control<QLabel>("Label2")->wordWrap());
  QCOMPARE(Control<LinkLabel>("Label3")->text(), QString("http://www.post.japanpost.jp/newnumber/search.htm"));
}

// Columns of the town list line up by counting bytes, so every half-width glyph must
// be equally wide and a full-width one twice that.
void LayoutTest::listsOfTownsAndCitiesUseAFixedPitchFont() {
  for (ExtentList* list : {Cities(), Towns()}) {
    const QFontMetricsF metrics(list->font());
    const qreal narrow = metrics.horizontalAdvance(u'i');
    QCOMPARE(metrics.horizontalAdvance(u'W'), narrow);
    QCOMPARE(metrics.horizontalAdvance(u'0'), narrow);
    QCOMPARE(metrics.horizontalAdvance(QChar(0x3000)), 2 * narrow);
    QCOMPARE(metrics.horizontalAdvance(QString("東")), 2 * narrow);
  }
  // The prefecture list is proportional.
  const QFontMetricsF proportional(Prefectures()->font());
  QVERIFY(proportional.horizontalAdvance(u'i') < proportional.horizontalAdvance(u'W'));
}

void LayoutTest::fontsAsLaidOut() {
  QCOMPARE(Prefectures()->font().family(), QString("ＭＳ Ｐゴシック"));
  QCOMPARE(Cities()->font().family(), QString("ＭＳ ゴシック"));
  QCOMPARE(Towns()->font().family(), QString("ＭＳ ゴシック"));
  QCOMPARE(SearchBox()->font().family(), QString("ＭＳ Ｐゴシック"));
  QCOMPARE(Towns()->font().pointSizeF(), 11.25);
  QCOMPARE(SearchBox()->font().pointSizeF(), 11.25);
  QCOMPARE(Control<QRadioButton>("Option9")->font().family(), QString("ＭＳ ゴシック"));
  QCOMPARE(Control<QRadioButton>("Option9")->font().pointSizeF(), 9.0);
  QCOMPARE(Control<LinkLabel>("Label3")->font().family(), QString("ＭＳ Ｐゴシック"));
  QVERIFY(Control<LinkLabel>("Label3")->font().underline());
  // The MS faces are not installed here: the stand-in must be a Japanese face, not a fallback.
  QCOMPARE(QFontInfo(Towns()->font()).family(), QString("IPAGothic"));
  QCOMPARE(QFontInfo(Prefectures()->font()).family(), QString("IPAPGothic"));
}

void LayoutTest::menusAndTheirAccessKeys() {
  const QList<QAction*> bar = Window().menuBar()->actions();
  QCOMPARE(bar.size(), 3);
  QCOMPARE(bar[0]->text(), QString("終了(&X)"));
  QCOMPARE(bar[1]->text(), QString(23, QChar(0x3000)));
  QCOMPARE(bar[2]->text(), QString("ﾍﾙﾌﾟ(&H)"));
  QCOMPARE(bar[2]->menu(), Control<QMenu>("mmhelp"));
  QStringList names, texts;
  for (const QAction* action : Control<QMenu>("mmhelp")->actions()) {
    names << action->objectName();
    texts << action->text();
  }
  QCOMPARE(names, QStringList({"mHelp", "mInfo", "mDownload", "mChooseFile", "mListCheck", "mChanges"}));
  QCOMPARE(texts, QStringList({"ﾄﾋﾟｯｸの検索(&H)", "更新情報(&J)", "最新データをダウンロードして更新", "ファイルを選んで更新…",
                               "一覧チェック(&L)…", "前回の更新での変更(&R)"}));
  QVERIFY(!Control<QAction>("mChanges")->isEnabled());  // no change report in the empty folder
}

void LayoutTest::updatePanelLiesBelowTheStartUpSize() {
  QVERIFY(ShowWindow());
  frmMirabo& w = Window();
  QWidget* client = w.centralWidget();
  QCOMPARE(w.pos(), QPoint(0, 0));
  QVERIFY2(Control<QGroupBox>("Frame8")->y() >= client->height(), "the update panel must start below the visible area");
  // A client area of 8265 twips (551 pixels) or more shows the whole panel.
  w.resize(w.width(), 551 + w.menuBar()->height());
  QTRY_VERIFY(client->height() >= 551);
  QVERIFY(client->rect().contains(Control<QGroupBox>("Frame8")->geometry()));
}

void LayoutTest::linkLabelLooksLikeALink() {
  const LinkLabel* link = Control<LinkLabel>("Label3");
  QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
  const QImage shape = link->cursor().bitmap().toImage();
  const QImage mask = link->cursor().mask().toImage();
  QCOMPARE(shape.size(), QSize(32, 32));
  QCOMPARE(link->cursor().hotSpot(), QPoint(6, 0));
  // The fingertip: an outline pixel at the hot spot's row, white inside the finger below it.
  QCOMPARE(mask.pixelIndex(6, 0), 1);
  QCOMPARE(shape.pixelIndex(6, 0), 1);
  QCOMPARE(mask.pixelIndex(6, 3), 1);
  QCOMPARE(shape.pixelIndex(6, 3), 0);
  QCOMPARE(mask.pixelIndex(30, 30), 0);
}

void LayoutTest::tabOrderStartsInTheSearchBox() {
  frmMirabo& w = Window();
  w.resize(w.width(), 640);  // the update panel's buttons too
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(SearchBox()));
  QStringList visited;
  for (int i = 0; i < 13; ++i) {
    visited << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  // Within a group of options only the chosen one is a stop, as in every option group.
  QCOMPARE(visited, QStringList({"Text1", "Option1", "Option4", "Option6", "Command1", "Command2", "List1", "List2",
                                 "List3", "Command3", "Command4", "Text1", "Option1"}));
}

void LayoutTest::tabNeverReachesTheHiddenPanel() {
  frmMirabo& w = Window();
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  for (int i = 0; i < 30; ++i) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QVERIFY2(!Control<QGroupBox>("Frame5")->isAncestorOf(focus), qPrintable(focus->objectName()));
    QTest::keyClick(focus, Qt::Key_Tab);
  }
}

}  // namespace mirabo

QTEST_MAIN(mirabo::LayoutTest)
#include "layout_test.moc"

// The main window's controls: places, sizes, captions, fonts, tab order, menus, start values.
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "WindowFixture.h"
#include "window/ExtentList.h"
#include "window/LinkLabel.h"

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void controlPlacesInPixels_data();
  void controlPlacesInPixels();
  void captionsAndStartValues();
  void listsOfTownsAndCitiesUseAFixedPitchFont();
  void fontsAsLaidOut();
  void menusAndTheirAccessKeys();
  void updatePanelLiesBelowTheStartUpSize();
  void linkLabelLooksLikeALink();
  void tabOrderStartsInTheSearchBox();
  void tabNeverReachesTheHiddenPanel();

 private:
  std::unique_ptr<TempFolder> folder_;
  std::unique_ptr<RecordingPlatform> platform_;
  std::unique_ptr<frmMirabo> window_;
};

void LayoutTest::init() {
  folder_ = std::make_unique<TempFolder>();
  platform_ = std::make_unique<RecordingPlatform>();
  window_ = std::make_unique<frmMirabo>(*platform_, folder_->Path());
}

void LayoutTest::cleanup() {
  window_.reset();
  platform_.reset();
  folder_.reset();
}

void LayoutTest::controlPlacesInPixels_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("rect");
  // Twips divided by 15 (96 DPI), to the nearest pixel: 700 twips are 46.7 pixels, so 47.
  QTest::newRow("List1") << "List1" << "client" << QRect(10, 17, 79, 139);
  QTest::newRow("List2") << "List2" << "client" << QRect(94, 17, 133, 139);
  QTest::newRow("Frame1") << "Frame1" << "client" << QRect(236, 10, 120, 35);
  QTest::newRow("Option1") << "Option1" << "Frame1" << QRect(12, 14, 46, 16);
  QTest::newRow("Option2") << "Option2" << "Frame1" << QRect(68, 11, 46, 21);
  QTest::newRow("Frame2") << "Frame2" << "client" << QRect(236, 47, 120, 108);
  QTest::newRow("Frame3") << "Frame3" << "Frame2" << QRect(10, 12, 103, 34);
  QTest::newRow("Option4") << "Option4" << "Frame3" << QRect(7, 12, 46, 16);
  QTest::newRow("Option3") << "Option3" << "Frame3" << QRect(52, 12, 44, 16);
  QTest::newRow("Frame4") << "Frame4" << "Frame2" << QRect(10, 56, 100, 36);
  QTest::newRow("Option6") << "Option6" << "Frame4" << QRect(5, 13, 46, 16);
  QTest::newRow("Option5") << "Option5" << "Frame4" << QRect(52, 11, 46, 21);
  QTest::newRow("Frame5") << "Frame5" << "client" << QRect(236, 47, 120, 108);
  QTest::newRow("Frame6") << "Frame6" << "Frame5" << QRect(10, 8, 101, 45);
  QTest::newRow("Option8") << "Option8" << "Frame6" << QRect(10, 12, 71, 14);
  QTest::newRow("Option7") << "Option7" << "Frame6" << QRect(10, 23, 71, 21);
  QTest::newRow("Frame7") << "Frame7" << "Frame5" << QRect(10, 53, 101, 46);
  QTest::newRow("Option10") << "Option10" << "Frame7" << QRect(10, 22, 86, 19);
  QTest::newRow("Option9") << "Option9" << "Frame7" << QRect(10, 10, 86, 16);
  QTest::newRow("List3") << "List3" << "client" << QRect(10, 168, 347, 139);
  QTest::newRow("Command1") << "Command1" << "client" << QRect(10, 320, 65, 27);
  QTest::newRow("Text1") << "Text1" << "client" << QRect(86, 320, 122, 23);
  QTest::newRow("Command2") << "Command2" << "client" << QRect(220, 319, 61, 26);
  QTest::newRow("Command4") << "Command4" << "client" << QRect(296, 320, 61, 26);
  QTest::newRow("Frame8") << "Frame8" << "client" << QRect(10, 365, 351, 186);
  QTest::newRow("Command3") << "Command3" << "Frame8" << QRect(20, 40, 140, 30);
  QTest::newRow("Label2") << "Label2" << "Frame8" << QRect(175, 20, 147, 92);
  QTest::newRow("Shape1") << "Shape1" << "Frame8" << QRect(35, 110, 271, 21);
  QTest::newRow("Label3") << "Label3" << "Frame8" << QRect(40, 115, 276, 15);
  QTest::newRow("Command5") << "Command5" << "Frame8" << QRect(20, 142, 190, 30);
  QTest::newRow("Command6") << "Command6" << "Frame8" << QRect(217, 142, 130, 30);
  // The two etched lines run across the whole client width (width -1 stands for that).
  QTest::newRow("Line1") << "Line1" << "client" << QRect(0, 0, -1, 1);
  QTest::newRow("Line2") << "Line2" << "client" << QRect(0, 1, -1, 1);
}

void LayoutTest::controlPlacesInPixels() {
  QFETCH(QString, name);
  QFETCH(QString, parent);
  QFETCH(QRect, rect);
  if (rect.width() == -1) rect.setWidth(window_->width());
  auto* control = window_->findChild<QWidget*>(name);
  QVERIFY2(control, qPrintable(name));
  QCOMPARE(control->parentWidget()->objectName(), parent);
  QCOMPARE(control->geometry(), rect);
}

void LayoutTest::captionsAndStartValues() {
  frmMirabo& w = *window_;
  QCOMPARE(w.windowTitle(), QString("郵便番号検索(Ver.2.5)"));
  QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
  const std::pair<QAbstractButton*, const char*> captions[] = {
      {w.Option1, "番号"},     {w.Option2, "住所"},       {w.Option3, "全角"},     {w.Option4, "半角"},
      {w.Option5, "－無"},     {w.Option6, "－付"},       {w.Option7, "府県名付"}, {w.Option8, "府県名無"},
      {w.Option9, "市町で空白"}, {w.Option10, "空白なし"}, {w.Command1, "コピー(&C)"}, {w.Command2, "番号検索"},
      {w.Command3, "郵便番号ファイル更新"}, {w.Command4, "住所検索"}, {w.Command5, "最新データをダウンロードして更新"},
      {w.Command6, "ファイルを選んで更新…"}};
  for (const auto& [button, caption] : captions) QCOMPARE(button->text(), QString::fromUtf8(caption));
  // The update panel's longer captions are shown whole.
  for (QPushButton* button : {w.Command3, w.Command5, w.Command6})
    QVERIFY2(button->sizeHint().width() <= button->width(),
             qPrintable(QStringLiteral("%1: %2 > %3").arg(button->objectName()).arg(button->sizeHint().width()).arg(button->width())));
  for (QRadioButton* on : {w.Option1, w.Option4, w.Option6, w.Option8, w.Option9}) QVERIFY(on->isChecked());
  for (QRadioButton* off : {w.Option2, w.Option3, w.Option5, w.Option7, w.Option10}) QVERIFY(!off->isChecked());
  QCOMPARE(w.Option1->toolTip(), QString("クリックするとクリップボードにコピーされます"));
  for (QGroupBox* frame : w.findChildren<QGroupBox*>()) QVERIFY(frame->title().isEmpty());
  QVERIFY(w.Text1->text().isEmpty());
  QVERIFY(w.Frame5->isHidden());
  QVERIFY(!w.Frame2->isHidden());
  QVERIFY(w.Shape1->isHidden());
  QVERIFY(!w.Timer1->isActive());
  QCOMPARE(w.Label2->text(), QString("郵政省のホームページよりダウンロードしたファイルを解凍しプログラムと同じフォルダーに入れて下さい。"
                                     "　　　　　　　　　　　　　　　　　　　　　　　　"
                                     "ファイル名はKEN_ALL.CSV　にして下さい。"));
  QVERIFY(w.Label2->wordWrap());
  QCOMPARE(w.Label3->text(), QString("http://www.post.japanpost.jp/newnumber/search.htm"));
}

// Columns of the town list line up by counting bytes, so every half-width glyph must
// be equally wide and a full-width one twice that.
void LayoutTest::listsOfTownsAndCitiesUseAFixedPitchFont() {
  for (ExtentList* list : {window_->List2, window_->List3}) {
    const QFontMetricsF metrics(list->font());
    const qreal narrow = metrics.horizontalAdvance(u'i');
    QCOMPARE(metrics.horizontalAdvance(u'W'), narrow);
    QCOMPARE(metrics.horizontalAdvance(u'0'), narrow);
    QCOMPARE(metrics.horizontalAdvance(QChar(0x3000)), 2 * narrow);
    QCOMPARE(metrics.horizontalAdvance(QString("東")), 2 * narrow);
  }
  // The prefecture list is proportional.
  const QFontMetricsF proportional(window_->List1->font());
  QVERIFY(proportional.horizontalAdvance(u'i') < proportional.horizontalAdvance(u'W'));
}

void LayoutTest::fontsAsLaidOut() {
  const frmMirabo& w = *window_;
  QCOMPARE(w.List1->font().family(), QString("ＭＳ Ｐゴシック"));
  QCOMPARE(w.List2->font().family(), QString("ＭＳ ゴシック"));
  QCOMPARE(w.List3->font().family(), QString("ＭＳ ゴシック"));
  QCOMPARE(w.Text1->font().family(), QString("ＭＳ Ｐゴシック"));
  QCOMPARE(w.List3->font().pointSizeF(), 11.25);
  QCOMPARE(w.Text1->font().pointSizeF(), 11.25);
  QCOMPARE(w.Option9->font().family(), QString("ＭＳ ゴシック"));
  QCOMPARE(w.Option9->font().pointSizeF(), 9.0);
  QCOMPARE(w.Label3->font().family(), QString("ＭＳ Ｐゴシック"));
  QVERIFY(w.Label3->font().underline());
  // The MS faces are not installed here: the stand-in must be a Japanese face, not a fallback.
  QCOMPARE(QFontInfo(w.List3->font()).family(), QString("IPAGothic"));
  QCOMPARE(QFontInfo(w.List1->font()).family(), QString("IPAPGothic"));
}

void LayoutTest::menusAndTheirAccessKeys() {
  const QList<QAction*> bar = window_->menuBar()->actions();
  QCOMPARE(bar.size(), 3);
  QCOMPARE(bar[0]->text(), QString("終了(&X)"));
  QCOMPARE(bar[1]->text(), QString(23, QChar(0x3000)));
  QCOMPARE(bar[2]->text(), QString("ﾍﾙﾌﾟ(&H)"));
  QCOMPARE(bar[2]->menu(), window_->mmhelp);
  const QList<QAction*> help = window_->mmhelp->actions();
  QCOMPARE(help.size(), 6);
  QCOMPARE(help[0]->text(), QString("ﾄﾋﾟｯｸの検索(&H)"));
  QCOMPARE(help[1]->text(), QString("更新情報(&J)"));
  QCOMPARE(help[2]->text(), QString("最新データをダウンロードして更新"));
  QCOMPARE(help[3]->text(), QString("ファイルを選んで更新…"));
  QCOMPARE(help[4]->text(), QString("一覧チェック(&L)…"));
  QCOMPARE(help[0], window_->mHelp);
  QCOMPARE(help[1], window_->mInfo);
  QCOMPARE(help[2], window_->mDownload);
  QCOMPARE(help[3], window_->mChooseFile);
  QCOMPARE(help[4], window_->mListCheck);
  QCOMPARE(help[5]->text(), QString("前回の更新での変更(&R)"));
  QCOMPARE(help[5], window_->mChanges);
  QVERIFY(!window_->mChanges->isEnabled());  // no change report in the empty folder
}

void LayoutTest::updatePanelLiesBelowTheStartUpSize() {
  frmMirabo& w = *window_;
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QWidget* client = w.centralWidget();
  QCOMPARE(w.pos(), QPoint(0, 0));
  QVERIFY2(w.Frame8->y() >= client->height(), "the update panel must start below the visible area");
  // A client area of 8265 twips (551 pixels) or more shows the whole panel.
  w.resize(w.width(), 551 + w.menuBar()->height());
  QTRY_VERIFY(client->height() >= 551);
  QVERIFY(client->rect().contains(w.Frame8->geometry()));
}

void LayoutTest::linkLabelLooksLikeALink() {
  const LinkLabel* link = window_->Label3;
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
  frmMirabo& w = *window_;
  w.resize(w.width(), 640);  // the update panel's buttons too
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Text1));
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
  frmMirabo& w = *window_;
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  for (int i = 0; i < 30; ++i) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QVERIFY2(!w.Frame5->isAncestorOf(focus), qPrintable(focus->objectName()));
    QTest::keyClick(focus, Qt::Key_Tab);
  }
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"

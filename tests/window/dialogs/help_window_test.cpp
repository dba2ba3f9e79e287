// The help window over the real MIRABO.HLP: topics, contents, search, and the missing-file note.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTest>

#include "support/TestPaths.h"
#include "support/TestText.h"
#include "window/dialogs/HelpTopics.h"
#include "window/dialogs/HelpWindow.h"
#include "window/WindowTest.h"

namespace mirabo {

namespace {

const QString kHelpFile = SourceDir() + QStringLiteral("/help/MIRABO.HLP");

const QStringList kTitles = {
    U("郵便番号検索について"), U("一覧から探す"), U("郵便番号で検索する"),
    U("住所の文字で検索する"), U("結果をコピーする"), U("郵便番号データの入手と更新"),
    U("更新情報"), U("コマンドライン版 mirabo-cli"), U("このヘルプの使い方"),
};

QStringList VisibleTitles(QListWidget* contents) {
  QStringList titles;
  for (int row = 0; row < contents->count(); ++row)
    if (!contents->item(row)->isHidden()) titles << contents->item(row)->text();
  return titles;
}

// Types text key by key, as an input method delivers it (keyClicks takes Latin-1 only).
void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<HelpWindow>();
    window_->Load(kHelpFile);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    contents_ = FindControl<QListWidget>(*window_, "HelpContents");
    search_ = FindControl<QLineEdit>(*window_, "HelpSearch");
    browser_ = FindControl<QTextBrowser>(*window_, "HelpBrowser");
  }
  void cleanup() { window_.reset(); }

  void realFileHasItsTopicsInOrder() {
    const std::optional<QString> source = ReadHelpSource(kHelpFile);
    QVERIFY(source.has_value());
    QStringList titles;
    for (const HelpTopic& topic : ParseHelpTopics(*source)) titles << topic.title;
    QCOMPARE(titles, kTitles);
  }

  // The copy topic shows each of the eight formats a line can be copied in.
  void realFileCopyTopicShowsEachFormat_data() {
    QTest::addColumn<QString>("example");
    for (const char* example : {"160-0023", "1600023", "１６０－００２３", "１６００００２３", "東京都 新宿区 西新宿",
                                "東京都新宿区西新宿", "新宿区 西新宿", "新宿区西新宿"})
      QTest::newRow(example) << U(example);
  }
  void realFileCopyTopicShowsEachFormat() {
    QFETCH(QString, example);
    const HelpTopic copy = ParseHelpTopics(*ReadHelpSource(kHelpFile)).value(4);
    QVERIFY(PlainTextOf(copy.html).contains(example));
  }

  void realFileNamesTheDownloadPageAndBothEditions() {
    const QString text = PlainTextOf(ParseHelpTopics(*ReadHelpSource(kHelpFile)).value(5).html);
    QVERIFY(text.contains(u"https://www.post.japanpost.jp/service/search/zipcode/download/kogaki-zip.html"));
    QVERIFY(text.contains(u"KEN_ALL.CSV"));
    QVERIFY(text.contains(u"ken_all.zip"));
    QVERIFY(text.contains(u"utf_ken_all.zip"));
    QVERIFY(text.contains(U("郵便番号ファイル更新")));
    QVERIFY(text.contains(U("最新データをダウンロードして更新")));
    QVERIFY(text.contains(U("ファイルを選んで更新…")));
  }

  void windowHasItsTitleAndListsTheContents() {
    QCOMPARE(window_->windowTitle(), U("ヘルプ - 郵便番号検索"));
    QVERIFY(window_->isWindow());
    QCOMPARE(VisibleTitles(contents_), kTitles);
    QCOMPARE(contents_->currentRow(), 0);
    QVERIFY(browser_->toPlainText().startsWith(kTitles[0]));
  }

  void clickingATopicShowsIt() {
    QListWidgetItem* copy = contents_->item(4);
    QTest::mouseClick(contents_->viewport(), Qt::LeftButton, {}, contents_->visualItemRect(copy).center());
    QCOMPARE(contents_->currentItem(), copy);
    QVERIFY(browser_->toPlainText().startsWith(kTitles[4]));
    QVERIFY(browser_->toPlainText().contains(U("１６０－００２３")));
  }

  void typingKeepsOnlyMatchingTopicsAndEnterOpensTheFirst() {
    QTest::keyClicks(search_, "UTF_KEN_ALL");
    QCOMPARE(VisibleTitles(contents_), QStringList{kTitles[5]});
    QTest::keyClick(search_, Qt::Key_Return);
    QCOMPARE(contents_->currentItem()->text(), kTitles[5]);
    QVERIFY(browser_->toPlainText().startsWith(kTitles[5]));
    const QList<QTextEdit::ExtraSelection> marks = browser_->extraSelections();
    QVERIFY(!marks.isEmpty());
    for (const QTextEdit::ExtraSelection& mark : marks) QCOMPARE(mark.cursor.selectedText(), QStringLiteral("utf_ken_all"));
  }

  void fullWidthWordsAllMustMatch() {
    Type(search_, U("ＭＩＲＡＢＯ－ＣＬＩ"));
    QCOMPARE(VisibleTitles(contents_), QStringList{kTitles[7]});
    search_->clear();
    Type(search_, U("ビープ　2000"));
    QCOMPARE(VisibleTitles(contents_), (QStringList{kTitles[2], kTitles[3]}));
    QTest::keyClick(search_, Qt::Key_Return);
    QCOMPARE(contents_->currentItem()->text(), kTitles[2]);
  }

  void noMatchHidesAllAndSaysSo() {
    const QLabel* status = FindControl<QLabel>(*window_, "HelpSearchStatus");
    QVERIFY(!status->isVisible());
    Type(search_, U("存在しない言葉"));
    QCOMPARE(VisibleTitles(contents_), QStringList{});
    QVERIFY(status->isVisible());
    QTest::keyClick(search_, Qt::Key_Return);  // nothing to open: the shown topic stays
    QCOMPARE(contents_->currentRow(), 0);
    search_->clear();
    QCOMPARE(VisibleTitles(contents_), kTitles);
    QVERIFY(!status->isVisible());
  }

  void loadingAgainKeepsTheShownTopic() {
    contents_->setCurrentRow(6);
    window_->Load(kHelpFile);
    QCOMPARE(contents_->count(), kTitles.size());
    QCOMPARE(contents_->currentRow(), 6);
    QVERIFY(browser_->toPlainText().startsWith(kTitles[6]));
  }

  void missingFileShowsTheNoteWithItsPath() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("MIRABO.HLP");
    window_->Load(missing);
    QCOMPARE(contents_->count(), 0);
    const QString text = browser_->toPlainText();
    QVERIFY2(text.contains(U("ヘルプファイル MIRABO.HLP が見つかりません。")), qPrintable(text));
    QVERIFY2(text.contains(missing), qPrintable(text));
    window_->Load(kHelpFile);  // the file back: the topics return
    QCOMPARE(VisibleTitles(contents_), kTitles);
  }

  void escapeClosesTheWindow() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(search_, Qt::Key_Escape);
    QVERIFY(!window_->isVisible());
  }

 private:
  std::unique_ptr<HelpWindow> window_;
  QListWidget* contents_ = nullptr;
  QLineEdit* search_ = nullptr;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace mirabo

QTEST_MAIN(mirabo::HelpWindowTest)
#include "help_window_test.moc"

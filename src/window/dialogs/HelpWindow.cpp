// The help window: contents on the left, the chosen topic on the right, a search field above.
#include "window/dialogs/HelpWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace mirabo {

namespace {

constexpr int kTopicRole = Qt::UserRole;
const QColor kHighlight(255, 230, 80);

QWidget* ContentsPane(QLineEdit* search, QLabel* status, QListWidget* contents) {
  auto* pane = new QWidget;
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(search);
  layout->addWidget(status);
  layout->addWidget(contents);
  return pane;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      search_(new QLineEdit),
      searchStatus_(new QLabel(QStringLiteral("該当する項目はありません。"))),
      contents_(new QListWidget),
      browser_(new QTextBrowser) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("ヘルプ - 郵便番号検索"));
  // Closing help alone must never end the program; the main window decides that.
  setAttribute(Qt::WA_QuitOnClose, false);
  search_->setObjectName(QStringLiteral("HelpSearch"));
  search_->setPlaceholderText(QStringLiteral("検索する言葉（Enter で表示）"));
  search_->setClearButtonEnabled(true);
  searchStatus_->setObjectName(QStringLiteral("HelpSearchStatus"));
  searchStatus_->hide();
  contents_->setObjectName(QStringLiteral("HelpContents"));
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenExternalLinks(true);

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(ContentsPane(search_, searchStatus_, contents_));
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({220, 520});
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);
  resize(760, 540);

  connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
  connect(contents_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) { ShowTopic(item); });
  connect(search_, &QLineEdit::textChanged, this, [this] { ApplySearch(); });
  connect(search_, &QLineEdit::returnPressed, this, [this] { GoToFirstMatch(); });
}

void HelpWindow::Load(const QString& helpFile) {
  const QString shownTitle = contents_->currentItem() ? contents_->currentItem()->text() : QString();
  const std::optional<QString> source = ReadHelpSource(helpFile);
  topics_ = source ? ParseHelpTopics(*source) : QList<HelpTopic>();
  {
    const QSignalBlocker quiet(contents_);
    contents_->clear();
    for (qsizetype i = 0; i < topics_.size(); ++i) {
      auto* item = new QListWidgetItem(topics_[i].title, contents_);
      item->setData(kTopicRole, int(i));
    }
  }
  const QString path = helpFile.toHtmlEscaped();
  if (!source) return ShowNote(QStringLiteral("ヘルプファイル MIRABO.HLP が見つかりません。<br>%1").arg(path));
  if (topics_.isEmpty()) return ShowNote(QStringLiteral("ヘルプファイルに項目がありません。<br>%1").arg(path));

  const QList<QListWidgetItem*> same = contents_->findItems(shownTitle, Qt::MatchExactly);
  contents_->setCurrentItem(same.isEmpty() ? contents_->item(0) : same.first());
  ApplySearch();
}

void HelpWindow::ShowNote(const QString& html) {
  searchStatus_->hide();
  browser_->setHtml(QStringLiteral("<p>%1</p>").arg(html));
}

void HelpWindow::ShowTopic(QListWidgetItem* item) {
  if (!item) return;
  const int index = item->data(kTopicRole).toInt();
  if (index < 0 || index >= topics_.size()) return;
  browser_->setHtml(topics_[index].html);
  HighlightWords();
}

// Keeps in the contents only the topics that hold every word of the search field.
void HelpWindow::ApplySearch() {
  const QStringList words = QueryWords(search_->text());
  int shown = 0;
  for (int row = 0; row < contents_->count(); ++row) {
    QListWidgetItem* item = contents_->item(row);
    const bool match = TopicMatches(topics_[item->data(kTopicRole).toInt()], words);
    item->setHidden(!match);
    shown += match ? 1 : 0;
  }
  searchStatus_->setVisible(!topics_.isEmpty() && shown == 0);
  HighlightWords();
}

void HelpWindow::GoToFirstMatch() {
  for (int row = 0; row < contents_->count(); ++row) {
    QListWidgetItem* item = contents_->item(row);
    if (item->isHidden()) continue;
    if (contents_->currentItem() == item) ShowTopic(item);  // shown already: highlight and scroll again
    else contents_->setCurrentItem(item);
    return;
  }
}

// Marks every occurrence of the search words in the shown topic and scrolls to the first.
void HelpWindow::HighlightWords() {
  const QStringList words = QueryWords(search_->text());
  QList<QTextEdit::ExtraSelection> marks;
  QTextDocument* document = browser_->document();
  for (QTextBlock block = document->begin(); block.isValid() && !words.isEmpty(); block = block.next()) {
    for (const auto& [start, end] : FindWords(block.text(), words)) {
      QTextEdit::ExtraSelection mark;
      mark.cursor = QTextCursor(document);
      mark.cursor.setPosition(block.position() + int(start));
      mark.cursor.setPosition(block.position() + int(end), QTextCursor::KeepAnchor);
      mark.format.setBackground(kHighlight);
      marks << mark;
    }
  }
  browser_->setExtraSelections(marks);
  if (marks.isEmpty()) return;
  QTextCursor first(document);
  first.setPosition(marks.first().cursor.selectionStart());
  browser_->setTextCursor(first);
  browser_->ensureCursorVisible();
}

}  // namespace mirabo

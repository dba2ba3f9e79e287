// Building the list-check window and wiring it to the core's checked list.
#include "window/dialogs/ListCheckWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "data/DataSet.h"
#include "listcheck/ListRows.h"
#include "platform/Platform.h"

namespace mirabo {

namespace {

const QString kTitle = QStringLiteral("一覧チェック");
constexpr int kRowsPerStep = 500;  // about 10 ms of checking between two looks at the events

QColor VerdictColour(Verdict verdict) {
  switch (verdict) {
    case Verdict::Ok: return QColor(0xD8, 0xF0, 0xD8);
    case Verdict::Mismatch: return QColor(0xF8, 0xC8, 0xC8);
    case Verdict::UnknownCode: return QColor(0xFC, 0xDC, 0xB4);
    case Verdict::UnknownAddress: return QColor(0xFF, 0xF2, 0xA8);
    case Verdict::BadCode: return QColor(0xE0, 0xD0, 0xF4);
    case Verdict::LostZero: return QColor(0xF4, 0xD4, 0xE8);
    case Verdict::Missing:
    case Verdict::NoAddress: return QColor(0xD0, 0xE4, 0xF8);
  }
  return {};
}

QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

ListCheckWindow::ListCheckWindow(DataSet& data, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), data_(data), platform_(platform) {
  setObjectName(QStringLiteral("ListCheckWindow"));
  setWindowTitle(kTitle);
  // Closing the main window ends the program even while this window is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  BuildControls();
  ConnectEvents();
  ShowSummary();
  resize(760, 480);
}

ListCheckWindow::~ListCheckWindow() = default;

void ListCheckWindow::BuildControls() {
  const auto named = [](QWidget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
  };
  Summary = static_cast<QLabel*>(named(new QLabel(this), "Summary"));
  ProblemsOnly = static_cast<QCheckBox*>(named(new QCheckBox(QStringLiteral("問題のある行だけ表示"), this), "ProblemsOnly"));
  PasteButton = static_cast<QPushButton*>(named(new QPushButton(QStringLiteral("貼り付け"), this), "PasteButton"));
  OpenButton = static_cast<QPushButton*>(named(new QPushButton(QStringLiteral("開く…"), this), "OpenButton"));
  FillButton = static_cast<QPushButton*>(named(new QPushButton(QStringLiteral("番号を補完・訂正"), this), "FillButton"));
  CopyButton = static_cast<QPushButton*>(named(new QPushButton(QStringLiteral("結果をコピー"), this), "CopyButton"));
  SaveButton = static_cast<QPushButton*>(named(new QPushButton(QStringLiteral("保存…"), this), "SaveButton"));
  Progress = static_cast<QProgressBar*>(named(new QProgressBar(this), "Progress"));
  Progress->hide();
  Table = static_cast<QTableWidget*>(named(new QTableWidget(0, 4, this), "Table"));
  Table->setHorizontalHeaderLabels({QStringLiteral("郵便番号"), QStringLiteral("住所"), QStringLiteral("判定"),
                                    QStringLiteral("候補")});
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->horizontalHeader()->setSectionResizeMode(AddressColumn, QHeaderView::Stretch);
  Table->setToolTip(QStringLiteral("表計算ソフトからコピーした郵便番号と住所の列を Ctrl+V で貼り付けます。"
                                   "候補の郵便番号をダブルクリックすると、その行の番号を置き換えます（Ctrl+Z で元に戻します）。"));

  auto* buttons = new QHBoxLayout;
  for (QWidget* widget : {static_cast<QWidget*>(PasteButton), static_cast<QWidget*>(OpenButton),
                          static_cast<QWidget*>(FillButton), static_cast<QWidget*>(CopyButton),
                          static_cast<QWidget*>(SaveButton)})
    buttons->addWidget(widget);
  buttons->addStretch();
  buttons->addWidget(ProblemsOnly);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(Summary);
  layout->addWidget(Progress);
  layout->addWidget(Table);
  stepTimer_ = new QTimer(this);
  stepTimer_->setInterval(0);
}

void ListCheckWindow::ConnectEvents() {
  auto* paste = new QShortcut(QKeySequence::Paste, this);
  connect(paste, &QShortcut::activated, this, &ListCheckWindow::Paste);
  connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &ListCheckWindow::Undo);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  connect(FillButton, &QPushButton::clicked, this, &ListCheckWindow::FillIn);
  connect(PasteButton, &QPushButton::clicked, this, &ListCheckWindow::Paste);
  connect(OpenButton, &QPushButton::clicked, this, &ListCheckWindow::OpenClicked);
  connect(CopyButton, &QPushButton::clicked, this, &ListCheckWindow::CopyResults);
  connect(SaveButton, &QPushButton::clicked, this, &ListCheckWindow::SaveClicked);
  connect(ProblemsOnly, &QCheckBox::toggled, this, &ListCheckWindow::ApplyFilter);
  connect(Table, &QTableWidget::cellDoubleClicked, this, &ListCheckWindow::SuggestionDoubleClicked);
  connect(stepTimer_, &QTimer::timeout, this, &ListCheckWindow::CheckStep);
}

// The reader is built on first use and again after the main window reopened its data.
const AddressReader& ListCheckWindow::Reader() {
  if (!reader_ || readerGeneration_ != data_.Generation()) {
    platform_.SetBusyPointer(true);
    reader_ = std::make_unique<AddressReader>(data_);
    readerGeneration_ = data_.Generation();
    platform_.SetBusyPointer(false);
  }
  return *reader_;
}

void ListCheckWindow::SetListText(const QString& text) {
  list_.SetText(text);
  Table->setRowCount(list_.RowCount());
  for (int row = 0; row < list_.RowCount(); ++row) {
    Table->setItem(row, CodeColumn, Cell(list_.Code(row)));
    Table->setItem(row, AddressColumn, Cell(list_.Address(row)));
    Table->setItem(row, VerdictColumn, Cell({}));
    Table->setItem(row, SuggestionColumn, Cell({}));
    Table->setRowHidden(row, false);
  }
  Progress->setRange(0, qMax(list_.RowCount(), 1));
  Progress->setValue(0);
  Progress->setVisible(list_.RowCount() > kRowsPerStep);
  Reader();
  stepTimer_->start();
  ShowSummary();
}

// One step of checking; the window handles its events between steps.
void ListCheckWindow::CheckStep() {
  const int from = list_.CheckedCount();
  const bool more = list_.CheckNext(Reader(), kRowsPerStep);
  for (int row = from; row < list_.CheckedCount(); ++row) ShowRow(row);
  Progress->setValue(list_.CheckedCount());
  if (!more) {
    stepTimer_->stop();
    Progress->hide();
  }
  ShowSummary();
}

bool ListCheckWindow::IsChecking() const { return list_.CheckedCount() < list_.RowCount(); }

void ListCheckWindow::ShowRow(int row) {
  const std::optional<RowVerdict>& result = list_.Result(row);
  Table->item(row, CodeColumn)->setText(list_.Code(row));
  Table->item(row, AddressColumn)->setText(list_.Address(row));
  Table->item(row, VerdictColumn)->setText(result ? VerdictLabel(result->verdict) : QString());
  Table->item(row, SuggestionColumn)->setText(result ? result->suggestion : QString());
  // A long list of codes or addresses is cut in its cell: the whole of it shows on hovering.
  Table->item(row, SuggestionColumn)->setToolTip(result ? result->suggestion : QString());
  // What the fill-in changed stands out.
  QFont font = Table->font();
  font.setBold(list_.IsFilled(row));
  for (const int column : {CodeColumn, AddressColumn}) Table->item(row, column)->setFont(font);
  const QBrush background = result ? QBrush(VerdictColour(result->verdict)) : QBrush();
  for (const int column : {VerdictColumn, SuggestionColumn}) Table->item(row, column)->setBackground(background);
  Table->setRowHidden(row, ProblemsOnly->isChecked() && (!result || result->verdict == Verdict::Ok));
}

void ListCheckWindow::ShowSummary() {
  int rows = 0;
  for (int row = 0; row < list_.RowCount(); ++row) rows += list_.IsBlank(row) || list_.IsHeader(row) ? 0 : 1;
  QString text = QStringLiteral("全 %1 件").arg(rows);
  for (const Verdict verdict :
       {Verdict::Ok, Verdict::Mismatch, Verdict::Missing, Verdict::LostZero, Verdict::UnknownCode,
        Verdict::UnknownAddress, Verdict::BadCode, Verdict::NoAddress})
    text += QStringLiteral("　%1 %2").arg(VerdictLabel(verdict)).arg(list_.Count(verdict));
  if (IsChecking()) text += QStringLiteral("　（確認中 %1 / %2）").arg(list_.CheckedCount()).arg(list_.RowCount());
  Summary->setText(text);
}

void ListCheckWindow::ApplyFilter() {
  for (int row = 0; row < list_.RowCount(); ++row) {
    const std::optional<RowVerdict>& result = list_.Result(row);
    Table->setRowHidden(row, ProblemsOnly->isChecked() && (!result || result->verdict == Verdict::Ok));
  }
}

void ListCheckWindow::ReplaceCode(int row, const QString& code) {
  list_.ReplaceCode(row, code, Reader());
  ShowRow(row);
  ShowSummary();
}

// A suggested code replaces the row's code; with several, a menu offers them.
void ListCheckWindow::SuggestionDoubleClicked(int row, int column) {
  if (column != SuggestionColumn || row < 0 || row >= list_.RowCount() || IsChecking() || !list_.Result(row)) return;
  const QStringList codes = SuggestedCodes(*list_.Result(row));
  if (codes.size() == 1) return ReplaceCode(row, codes.first());
  if (codes.isEmpty()) return;
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("SuggestionMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const QString& code : codes)
    connect(menu->addAction(code), &QAction::triggered, this, [this, row, code] { ReplaceCode(row, code); });
  const QRect cell = Table->visualItemRect(Table->item(row, column));
  menu->popup(Table->viewport()->mapToGlobal(cell.bottomLeft()));
}

void ListCheckWindow::Paste() {
  const QString text = platform_.ClipboardText();
  if (SplitListLines(text).isEmpty()) return platform_.Beep();  // nothing to check; the list stays
  if (list_.RowCount() > 0 &&
      platform_.Ask(QStringLiteral("表示中の %1 行を、貼り付ける一覧で置き換えますか？").arg(list_.RowCount()), kTitle,
                    {QStringLiteral("置き換える"), QStringLiteral("キャンセル")}) != 0)
    return;
  SetListText(text);
}

void ListCheckWindow::FillIn() {
  FinishChecking();
  for (const int row : list_.FillIn(Reader())) ShowRow(row);
  ShowSummary();
}

void ListCheckWindow::Undo() {
  if (IsChecking()) return;
  QList<int> rows;
  if (!list_.Undo(Reader(), &rows)) return platform_.Beep();
  for (const int row : rows) ShowRow(row);
  ShowSummary();
}

bool ListCheckWindow::OpenFile(const QString& path) {
  std::string bytes;
  if (platform_.Files().ReadAll(EncodedPath(path), bytes) != 0) {
    platform_.MessageBox(QStringLiteral("ファイルを開けません。\n%1").arg(path), kTitle);
    return false;
  }
  SetListText(DecodeListInput(QByteArray(bytes.data(), qsizetype(bytes.size()))));
  return true;
}

bool ListCheckWindow::SaveFile(const QString& path) {
  FinishChecking();
  const QByteArray bytes = list_.ResultCsv();
  const std::string target = EncodedPath(path);
  // A list saved over an earlier one keeps that file's permissions.
  if (platform_.Files().WriteDurably(target, {bytes.constData(), size_t(bytes.size())}, target) != 0) {
    platform_.MessageBox(QStringLiteral("ファイルを保存できません。\n%1").arg(path), kTitle);
    return false;
  }
  return true;
}

void ListCheckWindow::CopyResults() {
  FinishChecking();
  platform_.SetClipboardText(list_.RowsTsv());
}

// What goes back to the spreadsheet carries every row's verdict, so the rest is checked now.
void ListCheckWindow::FinishChecking() {
  while (IsChecking()) CheckStep();
}

void ListCheckWindow::OpenClicked() {
  const QString path =
      platform_.ChooseOpenFile(QStringLiteral("一覧を開く"), {}, QStringLiteral("CSV / TSV (*.csv *.tsv *.txt);;すべて (*)"));
  if (!path.isEmpty()) OpenFile(path);
}

void ListCheckWindow::SaveClicked() {
  const QString path =
      platform_.ChooseSaveFile(QStringLiteral("結果を保存"), QStringLiteral("チェック結果.csv"), QStringLiteral("CSV (*.csv)"));
  if (!path.isEmpty()) SaveFile(path);
}

}  // namespace mirabo

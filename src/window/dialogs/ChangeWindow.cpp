// The change window; the pairing and filtering it shows live in update/ChangeRows.
#include "window/dialogs/ChangeWindow.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/Platform.h"

namespace mirabo {

namespace {
const QStringList kHeadings{QStringLiteral("区分"), QStringLiteral("郵便番号"), QStringLiteral("都道府県"),
                            QStringLiteral("市区町村"), QStringLiteral("町域")};
const QString kAllPrefectures = QStringLiteral("すべての都道府県");
}  // namespace

// A table model over the shown rows: a report may list every entry of the country,
// more than item widgets handle quickly.
class ChangeTableModel : public QAbstractTableModel {
 public:
  QList<ChangeRow> shown;

  void Show(QList<ChangeRow> rows) {
    beginResetModel();
    shown = std::move(rows);
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(shown.size()); }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(kHeadings.size()); }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const ChangeRow& row = shown[index.row()];
    const QString* fields[] = {&row.kind, &row.code, &row.pref, &row.city, &row.town};
    return *fields[index.column()];
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return kHeadings.value(section);
  }
};

ChangeWindow::ChangeWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), model_(new ChangeTableModel) {
  setObjectName(QStringLiteral("ChangeWindow"));
  setWindowTitle(QStringLiteral("前回の更新での変更"));
  setAttribute(Qt::WA_QuitOnClose, false);  // the main window decides when the program ends
  model_->setParent(this);
  PrefFilter = new QComboBox;
  PrefFilter->setObjectName(QStringLiteral("PrefFilter"));
  TextFilter = new QLineEdit;
  TextFilter->setObjectName(QStringLiteral("TextFilter"));
  TextFilter->setPlaceholderText(QStringLiteral("郵便番号・住所で絞り込み"));
  TextFilter->setClearButtonEnabled(true);
  CopyButton = new QPushButton(QStringLiteral("コピー"));
  CopyButton->setObjectName(QStringLiteral("CopyButton"));
  CountLabel = new QLabel;
  CountLabel->setObjectName(QStringLiteral("CountLabel"));
  Table = new QTableView;
  Table->setObjectName(QStringLiteral("ChangeTable"));
  Table->setModel(model_);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->verticalHeader()->hide();
  Table->horizontalHeader()->setStretchLastSection(true);

  auto* filters = new QHBoxLayout;
  filters->addWidget(PrefFilter);
  filters->addWidget(TextFilter, 1);
  filters->addWidget(CopyButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(Table, 1);
  layout->addWidget(CountLabel);
  resize(720, 480);

  connect(PrefFilter, &QComboBox::currentIndexChanged, this, [this] { ApplyFilters(); });
  connect(TextFilter, &QLineEdit::textChanged, this, [this] { ApplyFilters(); });
  connect(CopyButton, &QPushButton::clicked, this, [this] { CopyShown(); });
  connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
}

ChangeWindow::~ChangeWindow() = default;

void ChangeWindow::Load(const QList<ChangeRow>& rows) {
  rows_ = rows;
  {
    const QSignalBlocker quiet(PrefFilter);
    PrefFilter->clear();
    PrefFilter->addItem(kAllPrefectures);
    PrefFilter->addItems(PrefecturesOf(rows_));
  }
  {
    const QSignalBlocker quiet(TextFilter);
    TextFilter->clear();
  }
  ApplyFilters();
  Table->resizeColumnsToContents();
}

const QList<ChangeRow>& ChangeWindow::ShownRows() const { return model_->shown; }

void ChangeWindow::ApplyFilters() {
  const QString pref = PrefFilter->currentIndex() > 0 ? PrefFilter->currentText() : QString();
  const QString text = TextFilter->text().trimmed();
  QList<ChangeRow> shown;
  for (const ChangeRow& row : rows_)
    if (ChangeRowMatches(row, pref, text)) shown.append(row);
  model_->Show(std::move(shown));
  CountLabel->setText(QStringLiteral("%1 件を表示（全 %2 件）").arg(model_->shown.size()).arg(rows_.size()));
}

void ChangeWindow::CopyShown() { platform_.SetClipboardText(ChangeRowsAsTsv(model_->shown)); }

}  // namespace mirabo

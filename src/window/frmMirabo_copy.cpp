// Copying the chosen result line to the clipboard, the result list's menu and copy key,
// the notice of a copy, and switching the option panels.
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "lookup/CopyText.h"
#include "platform/Platform.h"
#include "window/CopyNotice.h"
#include "window/ExtentList.h"
#include "window/LayoutTable.h"
#include "window/frmMirabo.h"

namespace mirabo {

void frmMirabo::Command1_Click() {
  if (IsBusy()) return;
  const int row = List3->FirstSelectedRow();
  const QString line = row >= 0 ? List3->item(row)->text() : QString();
  const std::optional<qint32> record = Browsing.ChooseEntry(row, line);
  // No selection, or the count line: there is no entry, and the clipboard keeps what it has.
  if (!record || !Data.ReadEntry(*record)) return;
  CopyToClipboard(CopyText(Data.EntryRec, ChosenCopyOptions()));
}

CopyOptions frmMirabo::ChosenCopyOptions() const {
  CopyOptions options;
  options.address = !Option1->isChecked();
  options.fullWidth = Option3->isChecked();
  options.hyphen = Option6->isChecked();
  options.withPref = Option7->isChecked();
  options.spaces = Option9->isChecked();
  return options;
}

void frmMirabo::List3_Click() { Command1->click(); }

void frmMirabo::List3_DblClick() { Command1->click(); }

void frmMirabo::BuildCopyMenu() {
  List3Menu = new QMenu(this);
  List3Menu->setObjectName(QStringLiteral("List3Menu"));
  const struct {
    QAction* frmMirabo::*action;
    MenuCopy what;
    const char* name;
    QString caption;
  } items[] = {{&frmMirabo::mCopyCode, MenuCopy::Code, "mCopyCode", QStringLiteral("郵便番号をコピー")},
               {&frmMirabo::mCopyAddress, MenuCopy::Address, "mCopyAddress", QStringLiteral("住所をコピー")},
               {&frmMirabo::mCopyEnvelope, MenuCopy::Envelope, "mCopyEnvelope", QStringLiteral("〒と住所をコピー")},
               {&frmMirabo::mCopyEnvelopeLines, MenuCopy::EnvelopeLines, "mCopyEnvelopeLines",
                QStringLiteral("〒・住所を2行でコピー")}};
  for (const auto& item : items) {
    QAction* action = List3Menu->addAction(item.caption);
    action->setObjectName(QString::fromLatin1(item.name));
    connect(action, &QAction::triggered, this, [this, what = item.what] { CopyMenuLine(what); });
    this->*item.action = action;
  }
  List3->SetLineMenu(true);
  connect(List3, &ExtentList::lineMenuRequested, this, &frmMirabo::List3_ContextMenu);
  connect(List1, &ExtentList::copyRequested, this, &frmMirabo::List1_CopyKey);
  connect(List2, &ExtentList::copyRequested, this, &frmMirabo::List2_CopyKey);
  connect(List3, &ExtentList::copyRequested, this, &frmMirabo::List3_CopyKey);
  copyNotice_ = new CopyNotice(List3);
}

void frmMirabo::List3_ContextMenu(int row, const QPoint& globalPos) {
  if (IsBusy() || row < 0 || row >= List3->count()) return;
  if (!EntryOfLine(Browsing.FromSearch, row, List3->item(row)->text(), Browsing.ShownFirstEntry)) return;
  menuRow_ = row;
  List3Menu->popup(globalPos);
}

// The line the menu was opened for, whatever is selected: a right-click selects nothing.
void frmMirabo::CopyMenuLine(MenuCopy what) {
  if (IsBusy() || menuRow_ < 0 || menuRow_ >= List3->count()) return;
  const std::optional<qint32> record = Browsing.ChooseEntry(menuRow_, List3->item(menuRow_)->text());
  if (!record || !Data.ReadEntry(*record)) return;
  // The code and the address keep the formats that their option panels choose.
  CopyOptions options = ChosenCopyOptions();
  options.address = what == MenuCopy::Address;
  switch (what) {
    case MenuCopy::Code:
    case MenuCopy::Address: return CopyToClipboard(CopyText(Data.EntryRec, options));
    case MenuCopy::Envelope: return CopyToClipboard(EnvelopeText(Data.EntryRec, EnvelopeLayout::OneLine));
    case MenuCopy::EnvelopeLines: return CopyToClipboard(EnvelopeText(Data.EntryRec, EnvelopeLayout::TwoLines));
  }
}

void frmMirabo::List3_CopyKey() { Command1_Click(); }

void frmMirabo::List1_CopyKey() { CopyListName(List1); }

void frmMirabo::List2_CopyKey() { CopyListName(List2); }

// A prefecture or city line is its name padded to the list's column.
void frmMirabo::CopyListName(const ExtentList* list) {
  const int row = list->FirstSelectedRow();
  if (IsBusy() || row < 0) return;
  const QString name = list->item(row)->text().trimmed();
  if (!name.isEmpty()) CopyToClipboard(name);
}

// The copy itself stays silent; a note over the result list says what went to the
// clipboard for a moment, where the user looks, without moving any control.
void frmMirabo::CopyToClipboard(const QString& text) {
  platform_.SetClipboardText(text);
  copyNotice_->ShowCopied(text);
}

void frmMirabo::Option1_Click() {
  if (Option2->isChecked()) {
    PlaceOptionPanel(Frame5);
    Frame2->hide();
    Frame5->show();
  } else {
    PlaceOptionPanel(Frame2);
    Frame5->hide();
    Frame2->show();
  }
}

void frmMirabo::Option2_Click() { Option1_Click(); }

void frmMirabo::PlaceOptionPanel(QGroupBox* panel) {
  panel->setGeometry(TwipsToPixels(kOptionPanel, TwipsPerPixel()));
}

}  // namespace mirabo

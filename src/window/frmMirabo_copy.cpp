// Copying the chosen result line to the clipboard, and switching the option panels.
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "lookup/CopyText.h"
#include "platform/Platform.h"
#include "window/ExtentList.h"
#include "window/LayoutTable.h"
#include "window/frmMirabo.h"

void frmMirabo::Command1_Click() {
  if (IsBusy()) return;
  const int row = List3->FirstSelectedRow();
  const QString line = row >= 0 ? List3->item(row)->text() : QString();
  const std::optional<qint32> record = Browsing.ChooseEntry(row, line);
  // No selection, or the count line: there is no entry, and the clipboard keeps what it has.
  if (!record || !Data.ReadEntry(*record)) return;

  CopyOptions options;
  options.address = !Option1->isChecked();
  options.fullWidth = Option3->isChecked();
  options.hyphen = Option6->isChecked();
  options.withPref = Option7->isChecked();
  options.spaces = Option9->isChecked();
  platform_.SetClipboardText(CopyText(Data.EntryRec, options));
}

void frmMirabo::List3_Click() { Command1->click(); }

void frmMirabo::List3_DblClick() { Command1->click(); }

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

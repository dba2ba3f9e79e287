// Resizing, the web link in the update panel, help and exit.
#include <QFrame>

#include "platform/Platform.h"
#include "update/NationalFile.h"
#include "window/LayoutTable.h"
#include "window/LinkLabel.h"
#include "window/frmMirabo.h"

namespace mirabo {

namespace {
constexpr int kNormalHeight = 6050;  // twips, as at start-up
const QColor kLinkBlue(0, 0, 255);
const QColor kLinkPressed(64, 0, 0);

void SetTextColour(QWidget* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}
}  // namespace

void frmMirabo::Form_Resize() {
  Shape1->hide();
  SetTextColour(Label3, kLinkBlue);
}

void frmMirabo::Label3_MouseDown() { Shape1->show(); }

void frmMirabo::Label3_MouseUp() {
  Shape1->hide();
  SetTextColour(Label3, kLinkPressed);
  if (isMaximized() || isMinimized() || isFullScreen()) return;
  const int before = height();
  SetOuterHeightTwips(kNormalHeight);
  if (height() != before) Form_Resize();  // the resize raises it at once, inside this step
}

// The label shows the search page's address, but the download page is the one opened.
// Where no browser starts, the address is shown, and can be copied, for the user to open.
void frmMirabo::Label3_Click() {
  if (platform_.OpenWebPage(kDownloadPageUrl)) return;
  const QString text = QStringLiteral("ブラウザーを起動できませんでした。次のアドレスをブラウザーで開いてください。\n%1")
                           .arg(kDownloadPageUrl);
  if (platform_.MessageBoxWithButton(text, kWindowTitle, QStringLiteral("アドレスをコピー")))
    CopyToClipboard(kDownloadPageUrl);
}

void frmMirabo::mHelp_Click() { platform_.OpenHelp(HelpFile); }

void frmMirabo::mEnd_Click() { close(); }

}  // namespace mirabo

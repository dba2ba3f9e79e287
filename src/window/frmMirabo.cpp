// The main window's construction, start-up, browsing and unloading.
#include "window/frmMirabo.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>

#include "lookup/Browse.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "update/store/DataFolderReading.h"
#include "window/ExtentList.h"
#include "window/InputBlocker.h"
#include "window/LayoutTable.h"
#include "window/WindowIcon.h"

namespace mirabo {

namespace {

constexpr int kStartWidth = 5625, kStartHeight = 6050;  // outer size in twips
constexpr qint16 kMaxListPosition = 32767;

// The MS fonts the layout names are not on Linux; metric-compatible faces stand in.
void InstallFontSubstitutes() {
  static bool done = false;
  if (done) return;
  done = true;
  QFont::insertSubstitutions(kGothic, {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
  QFont::insertSubstitutions(kPGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
}

}  // namespace

frmMirabo::frmMirabo(Platform& platform, const QString& dataFolder, QWidget* parent)
    : frmMirabo(platform, PortableLayout(dataFolder.isEmpty() ? ProgramFolder() : dataFolder), parent) {}

frmMirabo::frmMirabo(Platform& platform, const DataLayout& layout, QWidget* parent)
    : QMainWindow(parent), platform_(platform), layout_(layout) {
  InstallFontSubstitutes();
  setObjectName(QStringLiteral("frmMirabo"));
  setWindowTitle(kWindowTitle);
  setWindowIcon(MiraboIcon());  // the icon theme's, if it has one, follows the first paint
  setFont(QFont(kPGothic, 9));
  BuildControls();
  BuildMenus();
  ConnectEvents();
  SetTabOrder();
  MoveWindowTwips(0, 0, kStartWidth, kStartHeight);  // the size the window has before it loads
  Form_Load();
  Text1->setFocus();
}

frmMirabo::~frmMirabo() { Data.CloseAll(); }

bool frmMirabo::event(QEvent* event) {
  // Looking the icon up in the theme reads the theme's whole index, which takes longer
  // than building the window: it waits until the window has been painted once.
  if (event->type() == QEvent::Paint && !themeIconAsked_) {
    themeIconAsked_ = true;
    QTimer::singleShot(0, this, [this] { setWindowIcon(QIcon::fromTheme(kAppId, windowIcon())); });
  }
  return QMainWindow::event(event);
}

int frmMirabo::TwipsPerPixel() const { return qMax(1, qRound(1440.0 / logicalDpiX())); }

void frmMirabo::Form_Load() {
  List1->clear();
  // Empty when the program's folder cannot be found: then nothing is opened, and
  // nothing is written to "/" or the working directory.
  DataFolder = layout_.dataFolder;
  Line1->resize(width(), 1);
  Line2->resize(width(), 1);
  MoveWindowTwips(0, 0, kStartWidth, kStartHeight);
  PlaceOptionPanel(Frame2);
  PlaceOptionPanel(Frame5);
  Frame5->hide();
  OpenDataSet();
  if (Data.Damaged()) platform_.MessageBox(kDamagedDataMessage, kWindowTitle);
  List1->addItems(PrefectureLines(Data));
  Browsing.Load();
  SelectPosition(List1, Browsing.PrefIndex);  // runs List1_Click when the selection changes
  SelectPosition(List2, Browsing.CityIndex);  // runs List2_Click when the selection changes
  HelpFile = layout_.helpFile;
  RefreshChangesItem();
}

void frmMirabo::OpenDataSet() {
  // A rebuild cut short: one whole set again, opened while no swap runs.
  const DataFolderReading reading(DataFolder, platform_, platform_.Files());
  if (!reading.Status().ok()) {
    Data.OpenDataFiles(QString());
    platform_.MessageBox(FailureMessage(reading.Status()), kWindowTitle);
    return;
  }
  Data.OpenDataFiles(DataFolder);
}

void frmMirabo::List1_Click() {
  Browsing.ChoosePref(List1->FirstSelectedRow());
  FillList();  // the chosen prefecture's cities
}

void frmMirabo::List2_Click() {
  Browsing.ChooseCity(List2->FirstSelectedRow());
  FillList();  // the chosen city's towns
}

// A list filled anew begins at its first line. Cleared and refilled before Qt has laid
// it out, it would keep the place a search had scrolled it to.
void frmMirabo::FillList() {
  const qint32 mode = Browsing.ListMode;
  const ListFill fill = Browsing.FillList();
  if (mode == 2) {
    List2->clear();
    List2->addItems(fill.lines);
    List2->SetHorizontalExtent(CityListExtent(fill.widest, TwipsPerPixel()));
    List2->scrollToTop();
  } else if (mode == 3) {
    List3->clear();
    List3->addItems(fill.lines);
    List3->SetHorizontalExtent(TownListExtent(fill.widest, TwipsPerPixel()));
    List3->scrollToTop();
  }
}

void frmMirabo::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Timer1->stop();
  Browsing.SaveSelection();
  Data.CloseAll();
  platform_.CloseHelp(HelpFile);
}

void frmMirabo::closeEvent(QCloseEvent* event) {
  if (IsBusy()) {  // a search or rebuild is running: close once it has finished
    closeWhenIdle_ = true;
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void frmMirabo::SelectPosition(ExtentList* list, qint32 position) {
  if (position == -1) {
    list->clearSelection();
    return;
  }
  if (position < 0 || position > kMaxListPosition || position >= list->count()) return;
  list->setCurrentRow(position);
}

}  // namespace mirabo

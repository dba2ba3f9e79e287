// The main window's construction, start-up, browsing and unloading.
#include "window/frmMirabo.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "lookup/Browse.h"
#include "platform/Platform.h"
#include "update/SwapRecovery.h"
#include "window/ExtentList.h"
#include "window/InputBlocker.h"
#include "window/LayoutTable.h"
#include "window/LinkLabel.h"
#include "window/WindowIcon.h"

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
    : frmMirabo(platform, PortableLayout(dataFolder.isEmpty() ? QCoreApplication::applicationDirPath() : dataFolder),
                parent) {}

frmMirabo::frmMirabo(Platform& platform, const DataLayout& layout, QWidget* parent)
    : QMainWindow(parent), platform_(platform), layout_(layout) {
  InstallFontSubstitutes();
  setObjectName(QStringLiteral("frmMirabo"));
  setWindowTitle(kWindowTitle);
  setWindowIcon(QIcon::fromTheme(kAppId, MiraboIcon()));
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

int frmMirabo::TwipsPerPixel() const { return qMax(1, qRound(1440.0 / logicalDpiX())); }

void frmMirabo::Form_Load() {
  List1->clear();
  DataFolder = layout_.dataFolder;
  Line1->resize(width(), 1);
  Line2->resize(width(), 1);
  MoveWindowTwips(0, 0, kStartWidth, kStartHeight);
  PlaceOptionPanel(Frame2);
  PlaceOptionPanel(Frame5);
  Frame5->hide();
  RecoverInterruptedSwap(DataFolder, platform_);  // a rebuild cut short: one whole set again
  Data.OpenDataFiles(DataFolder);
  List1->addItems(PrefectureLines(Data));
  ListMode = 1;
  PrefRecNo = SavedSelectionRecord;
  FillList();
  PrefIndex = SelFirstCity;
  CityIndex = SelLastCity;
  SelectPosition(List1, PrefIndex);  // runs List1_Click when the selection changes
  SelectPosition(List2, CityIndex);  // runs List2_Click when the selection changes
  HelpFile = layout_.helpFile;
  RefreshChangesItem();
}

void frmMirabo::List1_Click() {
  const int row = List1->FirstSelectedRow();
  if (row >= 0) PrefIndex = row + 1;
  PrefRecNo = PrefIndex;
  ListMode = 1;
  FillList();
  ListMode = 2;
  FillList();
}

void frmMirabo::List2_Click() {
  const int row = List2->FirstSelectedRow();
  if (row >= 0) CityIndex = row + 1;
  CityRecNo = CityIndex + SelFirstCity - 1;
  ListMode = 3;
  FillList();
}

void frmMirabo::FillList() {
  if (ListMode == 1) {
    Data.ReadPref(PrefRecNo);
    SelFirstCity = Data.PrefRec.FirstCity;
    SelLastCity = Data.PrefRec.LastCity;
  } else if (ListMode == 2) {
    List2->clear();
    const ListFill fill = CityListOf(Data, PrefRecNo);
    List2->addItems(fill.lines);
    List2->SetHorizontalExtent(CityListExtent(fill.widest, TwipsPerPixel()));
  } else if (ListMode == 3) {
    List3->clear();
    Data.ReadCity(CityRecNo);
    ShownFirstEntry = Data.CityRec.FirstEntry;
    ShownLastEntry = Data.CityRec.LastEntry;
    const ListFill fill = TownListOf(Data, ShownFirstEntry, ShownLastEntry);
    List3->addItems(fill.lines);
    FromSearch = false;
    List3->SetHorizontalExtent(TownListExtent(fill.widest, TwipsPerPixel()));
  }
}

// Saves the two list positions into the saved-selection record, but only where
// that record exists: closing the window never grows fuken.DAT.
void frmMirabo::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Timer1->stop();
  if (Data.PrefFile.IsOpen() && Data.PrefCount >= SavedSelectionRecord) {
    Data.ReadPref(SavedSelectionRecord);
    Data.PrefRec.FirstCity = PrefIndex - 1;
    Data.PrefRec.LastCity = CityIndex - 1;
    Data.WritePref(SavedSelectionRecord);
  }
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

void frmMirabo::PlaceOptionPanel(QGroupBox* panel) {
  panel->setGeometry(TwipsToPixels(3540, 700, 1800, 1620, TwipsPerPixel()));
}

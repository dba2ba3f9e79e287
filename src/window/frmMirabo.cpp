// The main window's construction, start-up, browsing and unloading.
#include "window/frmMirabo.h"

#include <climits>

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "lookup/Browse.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
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

// The 0-based position saved for a 1-based one; a position read from a damaged
// record may be the smallest number, which has no predecessor.
qint32 SavedPosition(qint32 index) { return index == INT_MIN ? index : index - 1; }

}  // namespace

frmMirabo::frmMirabo(Platform& platform, const QString& dataFolder, QWidget* parent)
    : frmMirabo(platform, PortableLayout(dataFolder.isEmpty() ? ProgramFolder() : dataFolder), parent) {}

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
  // Empty when the program's folder cannot be found: then nothing is opened, and
  // nothing is written to "/" or the working directory.
  DataFolder = layout_.dataFolder;
  Line1->resize(width(), 1);
  Line2->resize(width(), 1);
  MoveWindowTwips(0, 0, kStartWidth, kStartHeight);
  PlaceOptionPanel(Frame2);
  PlaceOptionPanel(Frame5);
  Frame5->hide();
  // A rebuild cut short: one whole set again.
  if (!DataFolder.isEmpty()) RecoverInterruptedSwap(DataFolder, platform_);
  Data.OpenDataFiles(DataFolder);
  if (Data.Damaged()) platform_.MessageBox(kDamagedDataMessage, kWindowTitle);
  List1->addItems(PrefectureLines(Data));
  ListMode = 1;
  PrefRecNo = SavedSelectionRecord;
  FillList();
  // With more than 47 prefectures record 48 is a prefecture, not saved positions.
  if (!IsSavedSelection(Data.PrefRec)) SelFirstCity = SelLastCity = 0;
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
  // Both come from the files and may be anything; a sum outside the record numbers reads nothing.
  const qint64 cityRecNo = qint64(CityIndex) + SelFirstCity - 1;
  CityRecNo = cityRecNo >= 1 && cityRecNo <= INT_MAX ? qint32(cityRecNo) : 0;
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
// that record exists and is the selection (not a 48th prefecture), and the file
// may be written: closing the window never grows or damages fuken.DAT.
void frmMirabo::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Timer1->stop();
  if (Data.CanSaveSelection() && Data.PrefCount >= SavedSelectionRecord) {
    Data.ReadPref(SavedSelectionRecord);
    if (IsSavedSelection(Data.PrefRec)) {
      Data.PrefRec.FirstCity = SavedPosition(PrefIndex);
      Data.PrefRec.LastCity = SavedPosition(CityIndex);
      Data.WritePref(SavedSelectionRecord);
    }
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

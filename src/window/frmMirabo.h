// The main window: browse, search, copy and rebuild, each handler wired to the core.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "data/DataSet.h"
#include "lookup/BrowseState.h"
#include "platform/DataLayout.h"

class QAction;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

namespace mirabo {

class ChangeWindow;
class CopyNotice;
class ExtentList;
class InputBlocker;
class LinkLabel;
class ListCheckWindow;
class Platform;
struct ChangeSummary;
struct CopyOptions;
struct RebuildOutcome;
class SearchSink;
struct SearchTally;

class frmMirabo : public QMainWindow {
  Q_OBJECT
 public:
  // Works on the data files in `dataFolder` (ending in "/"), or in the program's
  // folder when it is empty. Runs Form_Load.
  explicit frmMirabo(Platform& platform, const QString& dataFolder = {}, QWidget* parent = nullptr);
  // Works on the data and help files that `layout` names. Runs Form_Load.
  frmMirabo(Platform& platform, const DataLayout& layout, QWidget* parent = nullptr);
  ~frmMirabo() override;

  // Controls, named as the window's layout names them.
  ExtentList *List1 = nullptr, *List2 = nullptr, *List3 = nullptr;
  QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr;
  QGroupBox *Frame5 = nullptr, *Frame6 = nullptr, *Frame7 = nullptr, *Frame8 = nullptr;
  QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr, *Option4 = nullptr, *Option5 = nullptr;
  QRadioButton *Option6 = nullptr, *Option7 = nullptr, *Option8 = nullptr, *Option9 = nullptr, *Option10 = nullptr;
  QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;
  QPushButton *Command5 = nullptr, *Command6 = nullptr;  // download, choose a file
  QLineEdit* Text1 = nullptr;
  QLabel* Label2 = nullptr;
  LinkLabel* Label3 = nullptr;
  QFrame *Shape1 = nullptr, *Line1 = nullptr, *Line2 = nullptr;
  QTimer* Timer1 = nullptr;
  QAction *mEnd = nullptr, *mDummy = nullptr, *mHelp = nullptr, *mInfo = nullptr;
  QAction* mListCheck = nullptr;
  QAction *mDownload = nullptr, *mChooseFile = nullptr;
  QMenu* mmhelp = nullptr;
  QAction* mChanges = nullptr;  // the last rebuild's change list; disabled without a report
  // The result list's menu: the code, the address, and the two envelope texts.
  QMenu* List3Menu = nullptr;
  QAction *mCopyCode = nullptr, *mCopyAddress = nullptr, *mCopyEnvelope = nullptr, *mCopyEnvelopeLines = nullptr;

  // Form-level state.
  QString DataFolder;
  QString HelpFile;
  DataSet Data;
  BrowseState Browsing{Data};  // what the three lists show and which records they stand for
  QString SearchKey;

  // Start-up, browsing and closing.
  void Form_Load();
  // Opens the data set, unless a swap cut short left it a mix of two sets: then it
  // opens nothing and says why.
  void OpenDataSet();
  void Form_Unload();
  void List1_Click();
  void List2_Click();
  void FillList();
  // Searches and the search box's focus keeping.
  void Command2_Click();
  void Command4_Click();
  void Text1_GotFocus();
  void Text1_LostFocus();
  // Enter searches; Up, Down, Page Up and Page Down move through the result list.
  // True when the key was used.
  bool Text1_KeyDown(const QKeyEvent& event);
  void Timer1_Timer();
  // Copy and the option panels.
  void Command1_Click();
  void List3_Click();
  void List3_DblClick();
  void Option1_Click();
  void Option2_Click();
  // The result list's menu for line `row`: only a line that stands for an entry has one.
  void List3_ContextMenu(int row, const QPoint& globalPos);
  // Ctrl+C: the result list copies as the copy button does, the other lists the chosen name.
  void List3_CopyKey();
  void List1_CopyKey();
  void List2_CopyKey();
  // Rebuild and update information.
  void Command3_Click();
  void mInfo_Click();
  void mChanges_Click();
  // Getting the national file: download, a chosen file, a dropped file.
  void Command5_Click();
  void Command6_Click();
  void mDownload_Click() { Command5_Click(); }
  void mChooseFile_Click() { Command6_Click(); }
  void Form_DragDrop(const QString& path);
  // Small window behaviours.
  void Form_Resize();
  void Label3_MouseDown();
  void Label3_MouseUp();
  void Label3_Click();
  void mHelp_Click();
  void mEnd_Click();
  // The address-list check window, one per main window.
  void mListCheck_Click();
  ListCheckWindow* ListCheck() const;
  // Once the window shows: reports a data folder that could not be made, and on the
  // first start of an installed copy offers, once, to build the data from the bundled
  // sample or to download the national file.
  void FirstStart();
  // Starts the window's download of the national file; the first-start offer shows its
  // download choice only while this is set.
  std::function<void()> FirstStartDownload;

  // Screen twips per pixel, rounded to a whole number (15 at 96 DPI).
  int TwipsPerPixel() const;
  // True while a search or rebuild runs; the window then ignores the user's input.
  bool IsBusy() const { return busy_ != nullptr; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  class BusyScope;
  void BuildControls();
  void BuildMenus();
  void ConnectEvents();
  void SetTabOrder();
  void SelectPosition(ExtentList* list, qint32 position);
  void MoveWindowTwips(int left, int top, int width, int height);
  void SetOuterHeightTwips(int height);
  void SetOuterSize(const QSize& outer);  // in pixels, frame included
  void FitOuterSizeToFrame();
  void PlaceOptionPanel(QGroupBox* panel);
  void BuildCopyMenu();
  CopyOptions ChosenCopyOptions() const;
  enum class MenuCopy { Code, Address, Envelope, EnvelopeLines };
  void CopyMenuLine(MenuCopy what);
  void CopyListName(const ExtentList* list);
  // Every copy of the window: the clipboard, then a short notice over the result list.
  void CopyToClipboard(const QString& text);
  void ListSearch(const std::function<SearchTally(SearchSink&)>& list);
  void FinishSearch(const SearchTally& tally);
  void RebuildFromFile(const QString& csvPath);
  // A rebuild that calls its argument just before it swaps the new files in.
  using RebuildRun = std::function<RebuildOutcome(const std::function<void()>& beforeSwap)>;
  void RunRebuild(const QString& title, const RebuildRun& rebuild);
  void FinishRebuild(const RebuildOutcome& outcome, bool filesClosed, const QString& title);
  void BuildChangesItem();
  void RefreshChangesItem();
  void ShowRebuildDone(const ChangeSummary& changes);

  Platform& platform_;
  DataLayout layout_;
  std::unique_ptr<InputBlocker> busy_;
  QPointer<ChangeWindow> changeWindow_;
  bool unloaded_ = false;
  bool closeWhenIdle_ = false;
  bool themeIconAsked_ = false;  // the theme's icon is looked up after the first paint
  QSize outerSize_;  // the outer size last set, frame included
  QSize frameUsed_;  // the frame it was set with
  QPointer<ListCheckWindow> listCheck_;
  int menuRow_ = -1;              // the line the result list's menu was opened for
  CopyNotice* copyNotice_ = nullptr;
};

}  // namespace mirabo

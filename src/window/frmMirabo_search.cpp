// The two searches, their shared closing steps, and the search box's focus keeping.
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "data/TextFitting.h"
#include "lookup/AddressSearch.h"
#include "lookup/CodeInput.h"
#include "lookup/CodeSearch.h"
#include "lookup/SearchLines.h"
#include "lookup/WidthMapping.h"
#include "platform/Platform.h"
#include "window/BusyScope.h"
#include "window/ExtentList.h"
#include "window/frmMirabo.h"

namespace {

constexpr int kRefocusInterval = 500;  // ms until the search box takes the focus back

// Result lines go straight into the result list; the window repaints between them.
class ListSink : public SearchSink {
 public:
  ListSink(ExtentList* list, Platform& platform) : list_(list), platform_(platform) {}
  void AddLine(const QString& line, qint32) override { list_->addItem(line); }
  void Yield() override { platform_.ProcessPendingEvents(); }
  void TooMany() override { platform_.MessageBox(kTooManyMessage, kSearchMessageTitle); }

 private:
  ExtentList* list_;
  Platform& platform_;
};

}  // namespace

void frmMirabo::Command2_Click() {
  if (IsBusy()) return;
  SearchKey = ToHalfWidth(Text1->text());
  Text1->setText(SearchKey);
  if (SearchKey.isEmpty()) {
    platform_.Beep();
    return;
  }
  QString text = Text1->text();
  const CleanOutcome cleaned = CleanCodeInput(text);
  if (cleaned.removed) {
    Text1->setText(text);
    Text1->setCursorPosition(text.size());
    Text1->setFocus();
  }
  if (cleaned.beep) platform_.Beep();
  SearchKey = Text1->text();
  if (SearchKey.isEmpty()) return;  // the only character was rejected (and beeped): nothing to look for

  List3->clear();
  BusyScope busy(*this, platform_, busy_);
  FromSearch = true;
  MatchFound = 0;
  const CodeMatch match = FindFirstCode(Data, SearchKey);
  if (match.found) {
    MatchFound = 1;
    MatchPos = match.pos;
  } else {
    platform_.Beep();
  }
  SearchTally tally;
  ListSink sink(List3, platform_);
  if (MatchFound == 1) tally = ListCodeMatches(Data, SearchKey, MatchPos, sink);
  FinishSearch(tally);
}

void frmMirabo::Command4_Click() {
  if (IsBusy()) return;
  SearchKey = TrimSpaces(Text1->text());
  if (SearchKey.isEmpty()) {
    platform_.Beep();
    return;
  }
  List3->clear();
  BusyScope busy(*this, platform_, busy_);
  FromSearch = true;
  ListSink sink(List3, platform_);
  FinishSearch(ListAddressMatches(Data, SearchKey, sink));
}

// The closing steps of both searches: count line, empty search box, extent, pointer, scroll.
void frmMirabo::FinishSearch(const SearchTally& tally) {
  List3->addItem(CountLine(tally.lineCount));
  Text1->clear();
  List3->SetHorizontalExtent(SearchListExtent(tally.widest, TwipsPerPixel()));
  platform_.SetBusyPointer(false);
  List3->scrollToBottom();
}

void frmMirabo::Text1_GotFocus() { Timer1->stop(); }

void frmMirabo::Text1_LostFocus() { Timer1->start(kRefocusInterval); }

// Gives the search box the focus back; while a message box or another of our
// windows is active it waits for the next tick.
void frmMirabo::Timer1_Timer() {
  QWidget* active = QApplication::activeWindow();
  if (QApplication::activeModalWidget() || (active && active != this) || !isVisible()) return;
  activateWindow();
  Text1->setFocus();
  if (Text1->hasFocus()) Timer1->stop();
}

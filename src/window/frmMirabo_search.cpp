// The two searches, their shared closing steps, and the search box's focus keeping.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "address/AddressReader.h"
#include "data/TextFitting.h"
#include "lookup/AddressSearch.h"
#include "lookup/CodeInput.h"
#include "lookup/CodeSearch.h"
#include "lookup/EntryListing.h"
#include "lookup/SearchLines.h"
#include "platform/Platform.h"
#include "window/BusyScope.h"
#include "window/ExtentList.h"
#include "window/frmMirabo.h"

namespace mirabo {

namespace {

constexpr int kRefocusInterval = 500;  // ms until the search box takes the focus back

// Result lines go straight into the result list. Pending events run after every
// line, but the list repaints at most every few frames: painting it 2000 times
// would cost far more than the search itself.
class ListSink : public SearchSink {
 public:
  ListSink(ExtentList* list, Platform& platform) : list_(list), platform_(platform) {}
  ~ListSink() override { list_->setUpdatesEnabled(true); }
  void AddLine(const QString& line, const EntryRecord&, qint32) override { list_->addItem(line); }
  void Yield() override {
    const bool repaint = !sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= kRepaintInterval;
    list_->setUpdatesEnabled(repaint);
    if (repaint) sinceRepaint_.restart();
    platform_.ProcessPendingEvents();
  }
  void TooMany() override {
    list_->setUpdatesEnabled(true);  // the list behind the message shows what was found
    platform_.MessageBox(kTooManyMessage, kSearchMessageTitle);
  }

 private:
  static constexpr int kRepaintInterval = 40;  // ms
  ExtentList* list_;
  Platform& platform_;
  QElapsedTimer sinceRepaint_;
};

// When no entry contains the text: the address reader's candidates, best first, and
// the note that says so above the count line.
SearchTally ListReading(DataSet& data, const QString& key, SearchSink& sink, ExtentList* list, bool& reading) {
  const QList<qint32> candidates = AddressReader::Of(data)->Candidates(key, kReadingLimit);
  reading = !candidates.isEmpty();
  if (!reading) return {};
  const SearchTally tally = ListEntries(data, candidates, sink);
  list->addItem(kReadingNote);
  return tally;
}

}  // namespace

void frmMirabo::Command2_Click() {
  if (IsBusy()) return;
  const CodeSearchStart start = StartCodeSearch(Text1->text());
  SearchKey = start.text;
  Text1->setText(start.text);
  if (start.cleaned) {
    Text1->setCursorPosition(int(start.text.size()));
    Text1->setFocus();
  }
  for (int i = 0; i < start.beeps; ++i) platform_.Beep();
  if (!start.search) return;

  ListSearch([this](SearchSink& sink) {
    const CodeSearchResult result = SearchCode(Data, SearchKey, sink);
    if (!result.found) platform_.Beep();
    return result.tally;
  });
}

void frmMirabo::Command4_Click() {
  if (IsBusy()) return;
  SearchKey = TrimSpaces(Text1->text());
  if (SearchKey.isEmpty()) {
    platform_.Beep();
    return;
  }
  bool reading = false;
  ListSearch([this, &reading](SearchSink& sink) {
    const SearchTally tally = ListAddressMatches(Data, SearchKey, sink);
    return tally.lineCount > 0 ? tally : ListReading(Data, SearchKey, sink, List3, reading);
  });
  if (reading) List3->scrollToTop();  // the best candidate in sight
}

// What both searches do around their listing: an empty result list and the hourglass
// first, the result lines straight into the list, then the closing steps.
void frmMirabo::ListSearch(const std::function<SearchTally(SearchSink&)>& list) {
  List3->clear();
  BusyScope busy(*this, platform_, busy_);
  Browsing.FromSearch = true;
  SearchTally tally;
  {
    ListSink sink(List3, platform_);
    tally = list(sink);
  }
  FinishSearch(tally);
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

// Gives the search box the focus back, but only inside this window while it is the
// active one: it never takes the keyboard from another program, nor from a message
// box or another of our windows; then it waits for the next tick.
void frmMirabo::Timer1_Timer() {
  if (QApplication::activeWindow() != this || QApplication::activeModalWidget()) return;
  Text1->setFocus();
  if (Text1->hasFocus()) Timer1->stop();
}

bool frmMirabo::Text1_KeyDown(const QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    const QString typed = Text1->text();
    if (LooksLikeCode(typed)) Command2_Click();
    else if (!typed.isEmpty()) Command4_Click();
    return true;
  }
  if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
    // The list moves its selection as for its own key, and the move copies as usual.
    QKeyEvent forwarded(QEvent::KeyPress, key, event.modifiers());
    QCoreApplication::sendEvent(List3, &forwarded);
    return true;
  }
  return false;
}

}  // namespace mirabo

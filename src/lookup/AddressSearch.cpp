// Search by address text: the matching entries in record order, as result lines.
#include "lookup/AddressSearch.h"

#include "lookup/AddressTexts.h"
#include "lookup/SearchLines.h"

SearchTally ListAddressMatches(DataSet& data, const QString& key, SearchSink& sink) {
  SearchTally tally;
  // Held for the whole listing: a search run from Yield may build a newer set meanwhile.
  const std::shared_ptr<const AddressTexts> texts = AddressTexts::Of(data);
  for (const qint32 recordNo : texts->Find(key, kSearchLimit)) {
    data.ReadEntry(recordNo);
    sink.AddLine(SearchLine(data.EntryRec, recordNo), recordNo);
    const int length = SearchTextLength(data.EntryRec);
    sink.Yield();
    ++tally.lineCount;
    tally.widest = qMax(tally.widest, length);
    if (tally.lineCount >= kSearchLimit) {
      sink.TooMany();
      break;
    }
  }
  return tally;
}

// The listing loop of both searches: line, tally, yield, limit.
#include "lookup/SearchSink.h"

#include "lookup/SearchLines.h"

bool ResultListing::Add(const EntryRecord& entry, qint32 recordNo) {
  sink_.AddLine(SearchLine(entry, recordNo), entry, recordNo);
  ++tally_.lineCount;
  tally_.widest = qMax(tally_.widest, SearchTextLength(entry));
  sink_.Yield();
  if (tally_.lineCount < kSearchLimit) return true;
  sink_.TooMany();
  return false;
}

// The listing loop of both searches: line, tally, yield, limit.
#include "lookup/SearchSink.h"

#include "lookup/EntryBytes.h"
#include "lookup/SearchLines.h"

namespace mirabo {

void SearchSink::AddEntry(const char* record, qint32 recordNo) {
  const EntryRecord entry = EntryRecord::Decode(record);
  AddLine(SearchLine(entry, recordNo), entry, recordNo);
}

bool ResultListing::Add(const EntryRecord& entry, qint32 recordNo) {
  sink_.AddLine(SearchLine(entry, recordNo), entry, recordNo);
  return Counted(SearchTextLength(entry));
}

bool ResultListing::Add(const char* record, qint32 recordNo) {
  sink_.AddEntry(record, recordNo);
  return Counted(SearchTextLength(record));
}

bool ResultListing::Counted(int textLength) {
  ++tally_.lineCount;
  tally_.widest = qMax(tally_.widest, textLength);
  sink_.Yield();
  if (tally_.lineCount < kSearchLimit) return true;
  sink_.TooMany();
  return false;
}

}  // namespace mirabo

// Where a search puts its result lines (the window's result list, or the console),
// and the listing loop both searches share.
#pragma once

#include <QString>

#include "data/Records.h"

namespace mirabo {

class SearchSink {
 public:
  virtual ~SearchSink() = default;
  // One result line, built from `entry`, entry record `recordNo`.
  virtual void AddLine(const QString& line, const EntryRecord& entry, qint32 recordNo) = 0;
  // Entry record `recordNo` as its stored bytes (EntryRecord::Size). Decodes them and
  // passes the result line to AddLine; a sink that writes bytes builds its line here.
  virtual void AddEntry(const char* record, qint32 recordNo);
  // Called after every added line: the window lets pending events run here.
  virtual void Yield() = 0;
  // The 2000th line was added: tell the user that the list stops here.
  virtual void TooMany() = 0;
};

// What a search listed: lines added and the widest text length among them.
struct SearchTally {
  int lineCount = 0;
  int widest = 0;
};

// Lists entries one result line each, yields after every line, and stops at the limit.
class ResultListing {
 public:
  explicit ResultListing(SearchSink& sink) : sink_(sink) {}
  // Lists `entry` as record `recordNo`. False once the limit is reached, after TooMany.
  bool Add(const EntryRecord& entry, qint32 recordNo);
  // The same for an entry given as its stored bytes.
  bool Add(const char* record, qint32 recordNo);
  const SearchTally& Tally() const { return tally_; }

 private:
  // Counts the line just added and stops at the limit.
  bool Counted(int textLength);

  SearchSink& sink_;
  SearchTally tally_;
};

}  // namespace mirabo

// Where a search puts its result lines: the window's result list, or the console.
#pragma once

#include <QString>

class SearchSink {
 public:
  virtual ~SearchSink() = default;
  // One result line for entry record `recordNo`.
  virtual void AddLine(const QString& line, qint32 recordNo) = 0;
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

// A search sink that keeps what a search sent it, for the lookup tests.
#pragma once

#include <QList>
#include <QStringList>

#include "lookup/SearchSink.h"

namespace mirabo {

class RecordingSink : public SearchSink {
 public:
  QStringList lines;
  QList<qint32> records;
  QStringList codes;  // the code of the entry handed with each line
  int yields = 0;
  int tooMany = 0;
  int linesAtTooMany = -1;  // lines added when TooMany came

  void AddLine(const QString& line, const EntryRecord& entry, qint32 recordNo) override {
    lines << line;
    codes << entry.Code;
    records << recordNo;
  }
  void Yield() override { ++yields; }
  void TooMany() override {
    ++tooMany;
    linesAtTooMany = int(lines.size());
  }
};

}  // namespace mirabo

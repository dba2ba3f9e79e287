// The clipboard texts of an entry, and which entry a result-list line stands for.
#pragma once

#include <optional>

#include <QString>

#include "data/Records.h"

// The five option groups; the defaults are the window's start-up selection.
struct CopyOptions {
  bool address = false;    // "住所" instead of "番号"
  bool fullWidth = false;  // "全角"
  bool hyphen = true;      // "－付"
  bool withPref = false;   // "府県名付"
  bool spaces = true;      // "市町で空白"
};

// The postcode or the address of `entry` as the options format it.
QString CopyText(const EntryRecord& entry, const CopyOptions& options);

// The entry record that result-list line `row` stands for: ShownFirstEntry + row
// after a browse, the number at the end of the line after a search. Nothing for no
// selection (row < 0) or a line that names no entry (the count line).
std::optional<qint32> EntryOfLine(bool fromSearch, int row, const QString& line, qint32 shownFirstEntry);

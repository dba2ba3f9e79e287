// The clipboard texts of an entry in the chosen format.
#pragma once

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

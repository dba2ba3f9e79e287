// The clipboard texts of an entry in the chosen format.
#pragma once

#include <QString>

#include "data/Records.h"

namespace mirabo {

// The five option groups; the defaults are the window's start-up selection.
struct CopyOptions {
  bool address = false;    // "住所" instead of "番号"
  bool fullWidth = false;  // "全角"
  bool hyphen = true;      // "－付"
  bool withPref = false;   // "府県名付"
  bool spaces = true;      // "市町で空白"

  bool operator==(const CopyOptions&) const = default;
};

// The postcode or the address of `entry` as the options format it.
QString CopyText(const EntryRecord& entry, const CopyOptions& options);

// The address as it goes on an envelope, whatever the options say: "〒", the code as
// NNN-NNNN, then the prefecture, city and town with no spaces, the town as a person
// writes it (no note, nothing for a placeholder). On one line the two parts are
// separated by a full-width space, on two lines by CR LF.
enum class EnvelopeLayout { OneLine, TwoLines };
QString EnvelopeText(const EntryRecord& entry, EnvelopeLayout layout);

}  // namespace mirabo

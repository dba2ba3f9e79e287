// A stored town as a person writes it in an address: without its note, and without a placeholder.
#pragma once

#include <QString>

namespace mirabo {

// The stored (trimmed) town cut at its first "（", the note that the national file
// puts after the name; empty where the entry stands for the whole city rather than a
// town ("以下に掲載がない場合", "…の次に番地がくる場合", "…一円" but not the place
// named "一円").
QString TownAsWritten(const QString& storedTown);

}  // namespace mirabo

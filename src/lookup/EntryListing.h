// Result lines for entries chosen elsewhere, as the address reader's candidates are.
#pragma once

#include <QList>
#include <QString>

#include "data/DataSet.h"
#include "lookup/SearchSink.h"

namespace mirabo {

// The line above the count line when the result lines are an address reading's
// candidates, not the entries that contain the searched text.
inline const QString kReadingNote = QStringLiteral("住所として解釈しました");
// Candidates of a reading listed at most.
inline constexpr int kReadingLimit = 20;

// Lists entry records `records` in the order given, one result line each.
SearchTally ListEntries(DataSet& data, const QList<qint32>& records, SearchSink& sink);

}  // namespace mirabo

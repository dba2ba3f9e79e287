// The change report as the change window lists it: renames paired, filters and copying.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "update/changes/ChangeKinds.h"
#include "update/changes/EntryChanges.h"

namespace mirabo {

// One row of the list. A changed text of a rename reads "old → new".
struct ChangeRow {
  QString kind;  // 廃止, 追加 or 変更
  QString code;  // NNN-NNNN
  QString pref;
  QString city;
  QString town;

  bool operator==(const ChangeRow&) const = default;
};

// One row per change, in the report's order, except that a code with exactly one
// removal and one addition becomes one 変更 row. A code of seven digits gets its
// hyphen after the third; any other code is shown as it is.
QList<ChangeRow> ChangeRowsOf(const QList<EntryChange>& changes);

// The prefectures of the rows, each once, in the order they first appear. A renamed
// prefecture ("old → new") lists both names.
QStringList PrefecturesOf(const QList<ChangeRow>& rows);

// True when the row belongs to `pref` (any when empty) and `text` (any when empty)
// occurs, ignoring case, in its code (with or without the hyphen), prefecture, city or town.
bool ChangeRowMatches(const ChangeRow& row, const QString& pref, const QString& text);

// The rows as tab-separated text: the column headings, then one line per row, each
// line ended by LF.
QString ChangeRowsAsTsv(const QList<ChangeRow>& rows);

}  // namespace mirabo

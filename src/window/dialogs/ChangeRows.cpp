// Pairing, filtering and copying the rows of the change window.
#include "window/dialogs/ChangeRows.h"

#include "update/changes/ChangeReport.h"

namespace mirabo {

namespace {

const QString kArrow = QStringLiteral(" → ");

QString ShownCode(const QString& code) {
  if (code.size() != 7) return code;
  for (QChar c : code)
    if (c < u'0' || c > u'9') return code;
  return code.left(3) + u'-' + code.mid(3);
}

QString Pair(const QString& before, const QString& after) { return before == after ? before : before + kArrow + after; }

ChangeRow RowOf(const EntryChange& c) {
  return {c.kind == EntryChange::Added ? kAddedKind : kRemovedKind, ShownCode(c.code), c.pref, c.city, c.town};
}

ChangeRow RenameOf(const EntryChange& removed, const EntryChange& added) {
  return {kRenamedKind, ShownCode(added.code), Pair(removed.pref, added.pref), Pair(removed.city, added.city),
          Pair(removed.town, added.town)};
}

}  // namespace

QList<ChangeRow> ChangeRowsOf(const QList<EntryChange>& changes) {
  QList<ChangeRow> rows;
  for (const CodeChanges& group : GroupByCode(changes)) {
    if (group.renamed) {
      rows.append(RenameOf(changes[group.begin], changes[group.begin + 1]));
      continue;
    }
    for (qsizetype i = group.begin; i < group.end; ++i) rows.append(RowOf(changes[i]));
  }
  return rows;
}

QStringList PrefecturesOf(const QList<ChangeRow>& rows) {
  QStringList prefs;
  for (const ChangeRow& row : rows)
    for (const QString& pref : row.pref.split(kArrow))
      if (!prefs.contains(pref)) prefs.append(pref);
  return prefs;
}

bool ChangeRowMatches(const ChangeRow& row, const QString& pref, const QString& text) {
  if (!pref.isEmpty() && !row.pref.split(kArrow).contains(pref)) return false;
  if (text.isEmpty()) return true;
  QString digits = row.code;
  digits.remove(u'-');
  for (const QString& field : {row.code, digits, row.pref, row.city, row.town})
    if (field.contains(text, Qt::CaseInsensitive)) return true;
  return false;
}

QString ChangeRowsAsTsv(const QList<ChangeRow>& rows) {
  QString text = kChangeReportHeader + u'\n';
  for (const ChangeRow& row : rows)
    text += row.kind + u'\t' + row.code + u'\t' + row.pref + u'\t' + row.city + u'\t' + row.town + u'\n';
  return text;
}

}  // namespace mirabo

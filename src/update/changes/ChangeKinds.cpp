// Grouping the report's changes by code, and counting them as the change list shows them.
#include "update/changes/ChangeKinds.h"

namespace mirabo {

QList<CodeChanges> GroupByCode(const QList<EntryChange>& changes) {
  QList<CodeChanges> groups;
  qsizetype begin = 0;
  while (begin < changes.size()) {
    qsizetype end = begin;
    while (end < changes.size() && changes[end].code == changes[begin].code) ++end;
    // The report lists a code's removals first, so a pair is exactly (廃止, 追加).
    const bool renamed = end - begin == 2 && changes[begin].kind == EntryChange::Removed &&
                         changes[begin + 1].kind == EntryChange::Added;
    groups.append({begin, end, renamed});
    begin = end;
  }
  return groups;
}

ChangeKindCounts CountChangeKinds(const QList<EntryChange>& changes) {
  ChangeKindCounts counts;
  for (const CodeChanges& group : GroupByCode(changes)) {
    if (group.renamed) {
      ++counts.renamed;
      continue;
    }
    for (qsizetype i = group.begin; i < group.end; ++i)
      ++(changes[i].kind == EntryChange::Added ? counts.added : counts.removed);
  }
  return counts;
}

}  // namespace mirabo

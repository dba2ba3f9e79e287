// The kinds the change list shows a change under, shared by its rows and the rebuild's message.
#pragma once

#include <QList>
#include <QString>

#include "update/changes/EntryChanges.h"

namespace mirabo {

inline const QString kRenamedKind = QStringLiteral("変更");

// The changes of one code: positions [begin, end) of the report's list, which keeps a
// code's changes together. A code with exactly one removal and one addition is one
// renamed entry (変更); the changes of any other code stand each on its own.
struct CodeChanges {
  qsizetype begin = 0;
  qsizetype end = 0;
  bool renamed = false;
};
QList<CodeChanges> GroupByCode(const QList<EntryChange>& changes);

// How many rows of each kind the change list shows for `changes`.
struct ChangeKindCounts {
  qint64 added = 0;    // 追加
  qint64 removed = 0;  // 廃止
  qint64 renamed = 0;  // 変更

  bool operator==(const ChangeKindCounts&) const = default;
};
ChangeKindCounts CountChangeKinds(const QList<EntryChange>& changes);

}  // namespace mirabo

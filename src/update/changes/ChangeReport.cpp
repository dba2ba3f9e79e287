// Writing, removing and reading CHANGES.TSV, and the rebuild's closing message.
#include "update/changes/ChangeReport.h"

#include <QFile>
#include <QSaveFile>

#include "data/DataSet.h"
#include "update/DataImage.h"

namespace {

// More entries than a rebuild ever writes: not data this program made.
constexpr qint64 kMaxEntryBytes = qint64(DataImage::kMaxEntries) * EntryRecord::Size;

QString Field(QString text) {
  for (QChar& c : text)
    if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
  return text;
}

QString ReportPath(const QString& dataFolder) { return dataFolder + QLatin1String(kChangeReportName); }

// Writes the bytes beside the report and renames them over it, so a reader sees the
// old report or the new one, never a part.
QString WriteReport(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (file.write(bytes) != bytes.size()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

QString RemoveReport(const QString& path) {
  QFile file(path);
  if (!file.exists() || file.remove()) return {};
  return file.errorString();
}

std::optional<EntryChange> ParseLine(const QString& line) {
  const QStringList fields = line.split(u'\t');
  if (fields.size() != 5) return std::nullopt;
  EntryChange change;
  if (fields[0] == kAddedKind) change.kind = EntryChange::Added;
  else if (fields[0] == kRemovedKind) change.kind = EntryChange::Removed;
  else return std::nullopt;
  change.code = fields[1];
  change.pref = fields[2];
  change.city = fields[3];
  change.town = fields[4];
  return change;
}

ChangeReportRead Damaged(qsizetype line) {
  return {.found = true, .failure = {.kind = UpdateStatus::kReportDamaged, .file = kChangeReportName, .line = line}};
}

}  // namespace

QByteArray ChangeReportBytes(const QList<EntryChange>& changes) {
  QString text = kChangeReportHeader + u'\n';
  for (const EntryChange& c : changes) {
    text += (c.kind == EntryChange::Added ? kAddedKind : kRemovedKind) + u'\t' + Field(c.code) + u'\t' + Field(c.pref) +
            u'\t' + Field(c.city) + u'\t' + Field(c.town) + u'\n';
  }
  return text.toUtf8();
}

std::optional<QByteArray> ReadPreviousEntries(const QString& dataFolder) {
  QFile file(dataFolder + QLatin1String(datafile::Entry));
  if (!file.open(QIODevice::ReadOnly) || file.size() < EntryRecord::Size || file.size() > kMaxEntryBytes)
    return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError || bytes.size() < EntryRecord::Size) return std::nullopt;
  return bytes;
}

ChangeSummary ReportChanges(const QString& dataFolder, const std::optional<QByteArray>& previous,
                            const QByteArray& newEntries) {
  ChangeSummary summary;
  if (!previous) {
    summary.reportError = RemoveReport(ReportPath(dataFolder));
    return summary;
  }
  const EntryChanges changes = CompareEntries(*previous, newEntries);
  summary.compared = true;
  summary.added = changes.added;
  summary.removed = changes.removed;
  summary.kinds = CountChangeKinds(changes.changes);
  summary.newCodes = changes.newCodes;
  summary.retiredCodes = changes.retiredCodes;
  summary.reportError = WriteReport(ReportPath(dataFolder), ChangeReportBytes(changes.changes));
  // A report that could not be replaced would describe an older update.
  if (!summary.reportError.isEmpty()) RemoveReport(ReportPath(dataFolder));
  return summary;
}

ChangeReportRead ReadChangeReport(const QString& dataFolder) {
  ChangeReportRead read;
  QFile file(ReportPath(dataFolder));
  if (!file.exists()) return read;
  read.found = true;
  if (!file.open(QIODevice::ReadOnly)) {
    read.failure = {.kind = UpdateStatus::kReportUnreadable, .file = kChangeReportName, .reason = file.errorString()};
    return read;
  }
  QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
  if (lines.last().isEmpty()) lines.removeLast();
  for (QString& line : lines)
    if (line.endsWith(u'\r')) line.chop(1);  // a report saved again by an editor that writes CR LF
  if (lines.isEmpty() || lines[0] != kChangeReportHeader) return Damaged(1);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const std::optional<EntryChange> change = ParseLine(lines[i]);
    if (!change) return Damaged(i + 1);
    read.changes.append(*change);
  }
  return read;
}

bool ChangeReportExists(const QString& dataFolder) { return QFile::exists(ReportPath(dataFolder)); }

QString RebuildDoneMessage(const ChangeSummary& summary) {
  QString text = summary.compared
                     ? QStringLiteral("更新しました。追加 %1 件、廃止 %2 件、変更 %3 件（郵便番号 %4 件が新設、%5 件が廃止）")
                           .arg(summary.kinds.added)
                           .arg(summary.kinds.removed)
                           .arg(summary.kinds.renamed)
                           .arg(summary.newCodes)
                           .arg(summary.retiredCodes)
                     : QStringLiteral("更新しました。初めての取り込みです（比べる前回のデータがないため、変更一覧はありません）。");
  if (summary.reportError.isEmpty()) return text;
  const QString failure = summary.compared ? QStringLiteral("\n変更一覧（%1）を保存できませんでした（理由: %2）。")
                                           : QStringLiteral("\n前回の変更一覧（%1）を削除できませんでした（理由: %2）。");
  text += failure.arg(kChangeReportName, summary.reportError);
  return text;
}

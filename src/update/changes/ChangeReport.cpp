// Writing, removing and reading CHANGES.TSV, and the rebuild's closing message.
#include "update/changes/ChangeReport.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>

#include <QStringDecoder>

#include <unistd.h>

#include "data/DataSet.h"
#include "data/RecordFile.h"
#include "platform/FileOps.h"
#include "update/DataImage.h"

namespace mirabo {

namespace {

// More entries than a rebuild ever writes: not data this program made.
constexpr qint64 kMaxEntryBytes = qint64(DataImage::kMaxEntries) * EntryRecord::Size;
// The report of a whole new national file is about 20 MB.
constexpr qint64 kMaxReportBytes = qint64(64) << 20;

QString Field(QString text) {
  for (QChar& c : text)
    if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
  return text;
}

std::string ReportPath(const QString& dataFolder) { return EncodedPath(dataFolder + QLatin1String(kChangeReportName)); }

// The report is there, links followed (a dangling link is no report).
bool ReportIsThere(const std::string& path, FileOps& ops) {
  FileInfo info;
  return ops.Stat(path, info) == 0;
}

// Writes the bytes beside the report and renames them over it, so a reader sees the
// old report or the new one, never a part. The temporary name is created afresh,
// never followed through a link planted there. The system's reason when it fails.
QString WriteReport(const std::string& path, const QByteArray& bytes, FileOps& ops) {
  const std::string temporary = path + ".new";
  int error = ops.Exists(temporary) ? ops.Remove(temporary) : 0;
  if (error == 0) error = ops.CreateDurably(temporary, {bytes.constData(), size_t(bytes.size())}, path);
  if (error == 0 && (error = ops.Rename(temporary, path)) == 0) return {};
  if (ops.Exists(temporary)) ops.Remove(temporary);
  return SystemReason(error);
}

// Whatever the name holds goes, a link or a fifo too.
QString RemoveReport(const std::string& path, FileOps& ops) {
  if (!ops.Exists(path)) return {};
  const int error = ops.Remove(path);
  return error == 0 ? QString() : SystemReason(error);
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

ChangeReportRead Damaged(qsizetype line, const QString& reason = {}) {
  return {.found = true,
          .failure = {.kind = UpdateStatus::kReportDamaged, .file = kChangeReportName, .line = line, .reason = reason}};
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

PreviousEntries::PreviousEntries(int fd, qint64 size) : mapping_(std::make_unique<ShrinkSafeMapping>(fd, size)) {
  if (mapping_->Data()) return;
  // No mapping to be had: the bytes are read, zeros where the file no longer has them.
  mapping_.reset();
  read_.resize(size_t(qMax<qint64>(size, 0)));
  ReadFileAt(fd, read_.data(), qint64(read_.size()), 0);
}

QByteArray PreviousEntries::Bytes() const {
  if (mapping_) return QByteArray::fromRawData(mapping_->Data(), qsizetype(mapping_->Size()));
  return QByteArray::fromRawData(read_.data(), qsizetype(read_.size()));
}

PreviousEntries ReadPreviousEntries(const QString& dataFolder, FileOps& ops) {
  // A regular file only: a fifo or a link planted in a shared folder is no previous data.
  const std::string path = EncodedPath(dataFolder + QLatin1String(datafile::Entry));
  int fd = -1;
  std::int64_t size = 0;
  if (ops.OpenRegularForReading(path, size_t(kMaxEntryBytes), fd, size) != 0) return {};
  PreviousEntries entries(fd, size);
  ::close(fd);
  return entries;
}

ChangeSummary ReportChanges(const QString& dataFolder, const PreviousEntries& previous,
                            const QByteArray& newEntries, FileOps& ops) {
  ChangeSummary summary;
  if (previous.Empty()) {
    summary.reportError = RemoveReport(ReportPath(dataFolder), ops);
    return summary;
  }
  const EntryChanges changes = CompareEntries(previous.Bytes(), newEntries);
  summary.compared = true;
  summary.added = changes.added;
  summary.removed = changes.removed;
  summary.kinds = CountChangeKinds(changes.changes);
  summary.newCodes = changes.newCodes;
  summary.retiredCodes = changes.retiredCodes;
  summary.reportError = WriteReport(ReportPath(dataFolder), ChangeReportBytes(changes.changes), ops);
  // A report that could not be replaced would describe an older update.
  if (!summary.reportError.isEmpty()) RemoveReport(ReportPath(dataFolder), ops);
  return summary;
}

std::optional<QByteArray> TakeChangeReport(const QString& dataFolder, FileOps& ops) {
  const std::string path = ReportPath(dataFolder);
  std::string bytes;
  const int error = ops.ReadRegular(path, bytes, kMaxReportBytes);
  // Whatever the name holds goes: a fifo or a link there is no report either.
  if (error == ENOENT || !RemoveReport(path, ops).isEmpty() || error != 0) return std::nullopt;
  return QByteArray::fromStdString(bytes);
}

QString PutBackChangeReport(const QString& dataFolder, const QByteArray& bytes, FileOps& ops) {
  return WriteReport(ReportPath(dataFolder), bytes, ops);
}

ChangeReportRead ReadChangeReport(const QString& dataFolder, FileOps& ops) {
  ChangeReportRead read;
  const std::string path = ReportPath(dataFolder);
  if (!ops.Exists(path)) return read;
  read.found = true;
  std::string bytes;
  // A fifo, a link or a file far beyond any report a rebuild writes is refused.
  if (const int error = ops.ReadRegular(path, bytes, kMaxReportBytes)) {
    read.failure = {.kind = UpdateStatus::kReportUnreadable, .file = kChangeReportName, .reason = SystemReason(error)};
    if (error == EFBIG) read.failure = {.kind = UpdateStatus::kReportTooLarge, .file = kChangeReportName,
                                        .number = kMaxReportBytes >> 20};
    return read;
  }
  std::string_view rest(bytes);
  if (!rest.empty() && rest.back() == '\n') rest.remove_suffix(1);
  for (qsizetype number = 1; !bytes.empty(); ++number) {
    const size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // saved again by an editor that writes CR LF
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(QByteArrayView(line.data(), qsizetype(line.size())));
    if (utf8.hasError()) return Damaged(number, QStringLiteral("UTF-8 ではありません"));
    if (number == 1) {
      if (text != kChangeReportHeader) return Damaged(1);
    } else {
      const std::optional<EntryChange> change = ParseLine(text);
      if (!change) return Damaged(number);
      read.changes.append(*change);
    }
    if (end == rest.size()) break;
    rest.remove_prefix(end + 1);
  }
  if (bytes.empty()) return Damaged(1);
  return read;
}

bool ChangeReportExists(const QString& dataFolder, FileOps& ops) { return ReportIsThere(ReportPath(dataFolder), ops); }

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

}  // namespace mirabo

// The rebuild: read and check the whole national file, build the data set, swap it in.
#include "update/Rebuild.h"

#include <optional>
#include <string>

#include <QFileInfo>

#include <unistd.h>

#include "update/DataFileBuilder.h"
#include "update/store/DataFileInstall.h"
#include "update/store/DataFolderCheck.h"
#include "update/store/DataFolderLock.h"
#include "update/store/SwapPaths.h"
#include "update/national/ZipMember.h"

namespace mirabo {

namespace {

// A file larger than this holds far more than the 999,999 rows the index can take.
constexpr qint64 kMaxCsvBytes = qint64(1) << 30;

// The whole file, or nothing and `failure` saying why it cannot be had.
std::optional<std::string> ReadCsv(const QFileInfo& csv, FileOps& ops, UpdateStatus& failure) {
  failure = {.file = csv.fileName(), .folder = csv.absolutePath()};
  const std::string path = EncodedPath(csv.absoluteFilePath());
  FileInfo info;
  if (ops.Stat(path, info) != 0) failure.kind = UpdateStatus::kFileMissing;
  else if (!info.isFile || ops.Access(path, R_OK) != 0) failure.kind = UpdateStatus::kFileUnreadable;
  else if (info.size > kMaxCsvBytes) failure.kind = UpdateStatus::kFileTooLarge;
  if (!failure.ok()) return std::nullopt;
  std::string bytes;
  if (const int error = ops.ReadAll(path, bytes)) {
    failure.kind = UpdateStatus::kFileUnreadable;
    failure.reason = SystemReason(error);
    return std::nullopt;
  }
  return bytes;
}

// The install under the folder's lock, which the caller has taken and which no one
// else holds.
RebuildOutcome InstallLocked(const PreparedRebuild& prepared, const QString& folder, const DataFolderLock& lock,
                             const RebuildOptions& options) {
  FileOps& ops = options.Files();
  RebuildOutcome outcome;
  // A fault in the file is the more useful message, so the lock's own failure comes after.
  outcome.failure = prepared.ok ? lock.Status(folder) : prepared.failure;
  if (!outcome.failure.ok()) return outcome;
  const DataImage& image = prepared.image;
  outcome.failure = DataFolderSpaceProblem(
      folder, qint64(image.pref.size()) + image.city.size() + image.entry.size() + image.index.size(), ops);
  if (!outcome.failure.ok()) return outcome;
  const PreviousEntries previousEntries = ReadPreviousEntries(folder, ops);
  // The old report leaves the folder before the first rename and is written anew
  // after the last: a swap cut short between leaves no report rather than a wrong one.
  std::optional<QByteArray> oldReport;
  const auto swapStarts = [&] {
    if (options.beforeSwap) options.beforeSwap();
    oldReport = TakeChangeReport(folder, ops);
  };
  outcome.failure = InstallDataImage(prepared.image, folder, ops, swapStarts);
  if (!outcome.failure.ok()) {
    if (oldReport) PutBackChangeReport(folder, *oldReport, ops);  // the old set stays, and so does its report
    return outcome;
  }
  outcome.changes = ReportChanges(folder, previousEntries, prepared.image.entry, ops);

  outcome.ok = true;
  outcome.prefCount = prepared.image.PrefCount();
  outcome.cityCount = prepared.image.CityCount();
  outcome.entryCount = prepared.image.EntryCount();
  outcome.indexCount = prepared.image.IndexCount();
  return outcome;
}

QString WithSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

// Why no rebuild of `dataFolder` may start; ok when it may. Read-only data is
// refused before the lock is even tried, so it never gets a lock file; otherwise
// `lock` is taken here and held by the caller to the end, so that a second rebuild
// of the folder is refused at once.
UpdateStatus RefusalToStart(const QString& dataFolder, std::optional<DataFolderLock>& lock, FileOps& ops) {
  // As the caller named it: an empty name is no folder, not the root.
  if (UpdateStatus problem = DataFolderWriteProblem(dataFolder, ops); !problem.ok()) return problem;
  lock.emplace(SwapPaths(WithSlash(dataFolder)).Lock(), ops);
  return lock->HeldElsewhere() ? lock->Status(dataFolder) : UpdateStatus{};
}

}  // namespace

PreparedRebuild PrepareRebuild(const QByteArray& bytes, const QString& sourceName) {
  PreparedRebuild prepared;
  const bool zip = IsZip(bytes);
  const ZipMember member = zip ? ReadCsvMember(bytes) : ZipMember{};
  prepared.failure = member.fault;
  if (prepared.failure.ok()) {
    DataImageBuild build = BuildDataImage(zip ? member.bytes : bytes);
    prepared.image = std::move(build.image);
    prepared.failure = build.fault;
    prepared.failure.member = member.name;  // the rows came from this member of the archive
  }
  prepared.ok = prepared.failure.ok();
  if (!prepared.ok) prepared.failure.file = sourceName;
  return prepared;
}

RebuildOutcome InstallRebuild(const PreparedRebuild& prepared, const QString& dataFolder, const RebuildOptions& options) {
  std::optional<DataFolderLock> lock;
  RebuildOutcome refused;
  refused.failure = RefusalToStart(dataFolder, lock, options.Files());
  if (!refused.failure.ok()) return refused;
  return InstallLocked(prepared, WithSlash(dataFolder), *lock, options);
}

RebuildOutcome RebuildFromBytes(const QString& dataFolder, const QByteArray& bytes, const QString& sourceName,
                                const RebuildOptions& options) {
  return InstallRebuild(PrepareRebuild(bytes, sourceName), dataFolder, options);
}

RebuildOutcome RebuildDataFiles(const QString& dataFolder, const QString& csvPath, const RebuildOptions& options) {
  RebuildOutcome outcome;
  std::optional<DataFolderLock> lock;
  outcome.failure = RefusalToStart(dataFolder, lock, options.Files());
  if (!outcome.failure.ok()) return outcome;

  const QFileInfo csv(csvPath);
  const std::optional<std::string> bytes = ReadCsv(csv, options.Files(), outcome.failure);
  if (!bytes) return outcome;
  // Read through a view: a copy of the whole file would cost as much again.
  const QByteArray view = QByteArray::fromRawData(bytes->data(), qsizetype(bytes->size()));
  return InstallLocked(PrepareRebuild(view, csv.fileName()), WithSlash(dataFolder), *lock, options);
}

}  // namespace mirabo

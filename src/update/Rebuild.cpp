// The rebuild: read and check the whole national file, build the data set, swap it in.
#include "update/Rebuild.h"

#include <optional>

#include <QFile>
#include <QFileInfo>

#include "update/DataFileBuilder.h"
#include "update/store/DataFileInstall.h"
#include "update/store/DataFolderCheck.h"
#include "update/store/DataFolderLock.h"
#include "update/store/SwapPaths.h"
#include "update/national/ZipMember.h"

namespace {

// A file larger than this holds far more than the 999,999 rows the index can take.
constexpr qint64 kMaxCsvBytes = qint64(1) << 30;

// The whole file, or nothing and `failure` saying why it cannot be had.
std::optional<QByteArray> ReadCsv(const QFileInfo& csv, UpdateStatus& failure) {
  failure = {.file = csv.fileName(), .folder = csv.absolutePath()};
  QFile file(csv.absoluteFilePath());
  if (!csv.exists()) failure.kind = UpdateStatus::kFileMissing;
  else if (!csv.isFile() || !file.open(QIODevice::ReadOnly)) failure.kind = UpdateStatus::kFileUnreadable;
  else if (file.size() > kMaxCsvBytes) failure.kind = UpdateStatus::kFileTooLarge;
  if (!failure.ok()) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() == QFileDevice::NoError) return bytes;
  failure.kind = UpdateStatus::kFileUnreadable;
  failure.reason = file.errorString();
  return std::nullopt;
}

// The install under the folder's lock, which the caller has taken and which no one
// else holds.
RebuildOutcome InstallLocked(const PreparedRebuild& prepared, const QString& folder, const DataFolderLock& lock,
                             Platform& platform, const std::function<void()>& beforeSwap, FileOps& ops) {
  RebuildOutcome outcome;
  // A fault in the file is the more useful message, so the lock's own failure comes after.
  outcome.failure = prepared.ok ? lock.Status(folder) : prepared.failure;
  if (!outcome.failure.ok()) return outcome;
  const DataImage& image = prepared.image;
  outcome.failure = DataFolderSpaceProblem(
      folder, qint64(image.pref.size()) + image.city.size() + image.entry.size() + image.index.size());
  if (!outcome.failure.ok()) return outcome;
  const std::optional<QByteArray> previousEntries = ReadPreviousEntries(folder);
  outcome.failure = InstallDataImage(prepared.image, folder, platform, beforeSwap, ops);
  if (!outcome.failure.ok()) return outcome;
  outcome.changes = ReportChanges(folder, previousEntries, prepared.image.entry);

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
  if (UpdateStatus problem = DataFolderWriteProblem(dataFolder); !problem.ok()) return problem;
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

RebuildOutcome InstallRebuild(const PreparedRebuild& prepared, const QString& dataFolder, Platform& platform,
                              const std::function<void()>& beforeSwap, FileOps& ops) {
  std::optional<DataFolderLock> lock;
  RebuildOutcome refused;
  refused.failure = RefusalToStart(dataFolder, lock, ops);
  if (!refused.failure.ok()) return refused;
  return InstallLocked(prepared, WithSlash(dataFolder), *lock, platform, beforeSwap, ops);
}

RebuildOutcome RebuildFromBytes(const QString& dataFolder, const QByteArray& bytes, const QString& sourceName,
                                Platform& platform, const std::function<void()>& beforeSwap, FileOps& ops) {
  return InstallRebuild(PrepareRebuild(bytes, sourceName), dataFolder, platform, beforeSwap, ops);
}

RebuildOutcome RebuildDataFiles(const QString& dataFolder, const QString& csvPath, Platform& platform,
                                const std::function<void()>& beforeSwap, FileOps& ops) {
  RebuildOutcome outcome;
  std::optional<DataFolderLock> lock;
  outcome.failure = RefusalToStart(dataFolder, lock, ops);
  if (!outcome.failure.ok()) return outcome;

  const QFileInfo csv(csvPath);
  const std::optional<QByteArray> bytes = ReadCsv(csv, outcome.failure);
  if (!bytes) return outcome;
  return InstallLocked(PrepareRebuild(*bytes, csv.fileName()), WithSlash(dataFolder), *lock, platform, beforeSwap, ops);
}

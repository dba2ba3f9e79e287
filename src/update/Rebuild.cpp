// The rebuild: read and check the whole national file, build the data set, swap it in.
#include "update/Rebuild.h"

#include <cstring>
#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "update/DataFileBuilder.h"
#include "update/DataFileInstall.h"
#include "update/DataFolderCheck.h"
#include "update/DataFolderLock.h"
#include "update/SwapPaths.h"
#include "update/ZipMember.h"

namespace {

// A file larger than this holds far more than the 999,999 rows the index can take.
constexpr qint64 kMaxCsvBytes = qint64(1) << 30;

const QString kUnchanged = QStringLiteral("データは変更していません。");

QString FolderOf(const QFileInfo& csv) { return QDir::toNativeSeparators(csv.absolutePath()); }

// The whole file, or a message saying why it cannot be had.
std::optional<QByteArray> ReadCsv(const QFileInfo& csv, QString& message) {
  const QString name = csv.fileName();
  if (!csv.exists()) {
    message = QStringLiteral("「%1」が見つかりません（フォルダ: %2）。%3").arg(name, FolderOf(csv), kUnchanged);
    return std::nullopt;
  }
  QFile file(csv.absoluteFilePath());
  if (!csv.isFile() || !file.open(QIODevice::ReadOnly)) {
    message = QStringLiteral("「%1」を読み込めません（フォルダ: %2）。%3").arg(name, FolderOf(csv), kUnchanged);
    return std::nullopt;
  }
  if (file.size() > kMaxCsvBytes) {
    message = QStringLiteral("「%1」が大きすぎます（フォルダ: %2）。%3").arg(name, FolderOf(csv), kUnchanged);
    return std::nullopt;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    message = QStringLiteral("「%1」を読み込めません（フォルダ: %2、理由: %3）。%4")
                  .arg(name, FolderOf(csv), file.errorString(), kUnchanged);
    return std::nullopt;
  }
  return bytes;
}

QString BusyMessage(const SwapPaths& paths) {
  return QStringLiteral("別の郵便番号ファイル更新が実行中です（フォルダ: %1）。%2").arg(paths.FolderForMessages(), kUnchanged);
}

// A lock that could not even be tried: the folder is missing or not writable.
QString LockFailure(const DataFolderLock& lock, const SwapPaths& paths) {
  return QStringLiteral("新しいデータファイルを書き込めません（フォルダ: %1、理由: %2）。%3")
      .arg(paths.FolderForMessages(), QString::fromLocal8Bit(std::strerror(lock.Error())), kUnchanged);
}

// `shown` is the file's name in brackets, or the archive's and its member's.
QString FaultReason(const QString& shown, const KenAllFault& fault) {
  if (fault.line == 0) return QStringLiteral("%1: %2").arg(shown, fault.what);
  return QStringLiteral("%1の %2 行目: %3").arg(shown).arg(fault.line).arg(fault.what);
}

// The install under the folder's lock, which the caller has taken and which no one
// else holds.
RebuildOutcome InstallLocked(const PreparedRebuild& prepared, const QString& folder, const SwapPaths& paths,
                             const DataFolderLock& lock, Platform& platform, const std::function<void()>& beforeSwap,
                             FileOps& ops) {
  RebuildOutcome outcome;
  if (!prepared.ok) {
    outcome.message = prepared.reason + QStringLiteral("。") + kUnchanged;
    return outcome;
  }
  // A fault in the file is the more useful message, so the lock's own failure comes after.
  if (!lock.Held()) {
    outcome.message = LockFailure(lock, paths);
    return outcome;
  }
  const DataImage& image = prepared.image;
  outcome.message = DataFolderSpaceProblem(
      folder, qint64(image.pref.size()) + image.city.size() + image.entry.size() + image.index.size());
  if (!outcome.message.isEmpty()) return outcome;
  const std::optional<QByteArray> previousEntries = ReadPreviousEntries(folder);
  outcome.message = InstallDataImage(prepared.image, folder, platform, beforeSwap, ops);
  if (!outcome.message.isEmpty()) return outcome;
  outcome.changes = ReportChanges(folder, previousEntries, prepared.image.entry);

  outcome.ok = true;
  outcome.prefCount = prepared.image.PrefCount();
  outcome.cityCount = prepared.image.CityCount();
  outcome.entryCount = prepared.image.EntryCount();
  outcome.indexCount = prepared.image.IndexCount();
  return outcome;
}

QString WithSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

// Why no rebuild of `dataFolder` may start, or empty when it may. Read-only data is
// refused before the lock is even tried, so it never gets a lock file; otherwise
// `lock` is taken here and held by the caller to the end, so that a second rebuild
// of the folder is refused at once.
QString RefusalToStart(const QString& dataFolder, const SwapPaths& paths, std::optional<DataFolderLock>& lock,
                       FileOps& ops) {
  // As the caller named it: an empty name is no folder, not the root.
  if (QString problem = DataFolderWriteProblem(dataFolder); !problem.isEmpty()) return problem;
  lock.emplace(paths.Lock(), ops);
  return lock->HeldElsewhere() ? BusyMessage(paths) : QString();
}

}  // namespace

PreparedRebuild PrepareRebuild(const QByteArray& bytes, const QString& sourceName) {
  PreparedRebuild prepared;
  QString shown = QStringLiteral("「%1」").arg(sourceName);
  ZipMember member;
  const bool zip = IsZip(bytes);
  if (zip) {
    member = ReadCsvMember(bytes);
    if (!member.fault.isEmpty()) {
      prepared.reason = QStringLiteral("%1: %2").arg(shown, member.fault);
      return prepared;
    }
    shown += QStringLiteral("の「%1」").arg(member.name);
  }
  const DataImageBuild build = BuildDataImage(zip ? member.bytes : bytes);
  if (build.fault) {
    prepared.reason = FaultReason(shown, *build.fault);
    return prepared;
  }
  prepared.ok = true;
  prepared.image = build.image;
  return prepared;
}

RebuildOutcome InstallRebuild(const PreparedRebuild& prepared, const QString& dataFolder, Platform& platform,
                              const std::function<void()>& beforeSwap, FileOps& ops) {
  const QString folder = WithSlash(dataFolder);
  const SwapPaths paths(folder);
  std::optional<DataFolderLock> lock;
  RebuildOutcome refused;
  refused.message = RefusalToStart(dataFolder, paths, lock, ops);
  if (!refused.message.isEmpty()) return refused;
  return InstallLocked(prepared, folder, paths, *lock, platform, beforeSwap, ops);
}

RebuildOutcome RebuildFromBytes(const QString& dataFolder, const QByteArray& bytes, const QString& sourceName,
                                Platform& platform, const std::function<void()>& beforeSwap, FileOps& ops) {
  return InstallRebuild(PrepareRebuild(bytes, sourceName), dataFolder, platform, beforeSwap, ops);
}

RebuildOutcome RebuildDataFiles(const QString& dataFolder, const QString& csvPath, Platform& platform,
                                const std::function<void()>& beforeSwap, FileOps& ops) {
  RebuildOutcome outcome;
  const QString folder = WithSlash(dataFolder);
  const SwapPaths paths(folder);
  std::optional<DataFolderLock> lock;
  outcome.message = RefusalToStart(dataFolder, paths, lock, ops);
  if (!outcome.message.isEmpty()) return outcome;

  const QFileInfo csv(csvPath);
  const std::optional<QByteArray> bytes = ReadCsv(csv, outcome.message);
  if (!bytes) return outcome;
  return InstallLocked(PrepareRebuild(*bytes, csv.fileName()), folder, paths, *lock, platform, beforeSwap, ops);
}

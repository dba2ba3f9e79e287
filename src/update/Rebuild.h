// Rebuilding the four data files from the national postcode file.
#pragma once

#include <functional>

#include <QString>

#include "platform/FileOps.h"
#include "update/changes/ChangeReport.h"
#include "update/DataImage.h"
#include "update/UpdateStatus.h"

namespace mirabo {

struct RebuildOutcome {
  bool ok = false;
  UpdateStatus failure;  // why nothing was changed, when !ok
  qint32 prefCount = 0;  // PrefCount of the new set: prefectures + 1 (the sentinel)
  qint32 cityCount = 0;
  qint32 entryCount = 0;
  qint32 indexCount = 0;
  ChangeSummary changes;  // what the new set changed, when ok
};

inline const QString kRebuildTitle = QStringLiteral("郵便番号ファイル更新");

// How a rebuild reaches the file system, and what it calls back on the way.
struct RebuildOptions {
  FileOps* files = nullptr;  // every file call of the rebuild; the system's when null
  // Called once the new files are written, just before they are swapped in: the
  // caller closes its data files there.
  std::function<void()> beforeSwap{};

  FileOps& Files() const { return files ? *files : SystemFileOps(); }
};

// The national file read, checked and built in memory, not yet put in place.
struct PreparedRebuild {
  bool ok = false;
  UpdateStatus failure;  // why it was refused, when !ok
  DataImage image;
};

// `bytes` is the national file as read or downloaded: the CSV itself, or a ZIP archive
// (known by its content, not its name) whose only ".csv" member is the CSV, unpacked
// in memory. `sourceName` names it in the failure. Changes nothing on disk.
PreparedRebuild PrepareRebuild(const QByteArray& bytes, const QString& sourceName);

// Puts a prepared data set in place as RebuildDataFiles does, under the folder's
// rebuild lock; a prepared set that was refused changes nothing and gives its
// failure as the outcome's.
RebuildOutcome InstallRebuild(const PreparedRebuild& prepared, const QString& dataFolder,
                              const RebuildOptions& options = {});

// PrepareRebuild and InstallRebuild in one: the rebuild from bytes in memory.
RebuildOutcome RebuildFromBytes(const QString& dataFolder, const QByteArray& bytes, const QString& sourceName,
                                const RebuildOptions& options = {});

// Takes the data folder's rebuild lock first and refuses at once, changing
// nothing, while another rebuild holds it. Reads all of `csvPath` first (code page
// 932 or its UTF-8 edition, or either in its ZIP archive) and refuses a missing,
// unreadable or malformed file, changing nothing. Else writes the new files under
// temporary names in `dataFolder`, calls the options' `beforeSwap` and swaps them
// in as one step (see InstallDataImage); the old files go to the trash. Old files stay as they were on any failure. Once the new files are in
// place, writes the change report against the entries they replaced.
RebuildOutcome RebuildDataFiles(const QString& dataFolder, const QString& csvPath, const RebuildOptions& options = {});

}  // namespace mirabo

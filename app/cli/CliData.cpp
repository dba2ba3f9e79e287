// Opening the data files for the reading commands: no files made, damage reported.
#include <QDir>
#include <QFileInfo>

#include "cli/Cli.h"
#include "update/store/DataFolderReading.h"

namespace mirabo {

std::optional<int> Cli::RequireDataFiles() {
  bool any = false;
  for (const char* name : {datafile::Pref, datafile::City, datafile::Entry, datafile::Index})
    any = any || QFileInfo(dataFolder + QLatin1String(name)).isFile();
  // A mistyped --data must not pass for an empty data set, nor leave files behind.
  if (!any) return Fail(QStringLiteral("no data files in %1").arg(QDir::toNativeSeparators(QDir(dataFolder).absolutePath())));
  return std::nullopt;
}

std::optional<int> Cli::OpenForReading(DataSet& data) {
  if (const auto failed = RequireDataFiles()) return failed;
  const DataFolderReading reading(dataFolder, platform, platform.Files());
  if (!reading.Status().ok()) return Fail(FailureMessage(reading.Status()));
  data.OpenDataFiles(dataFolder, false);
  if (data.Damaged()) return Fail(kDamagedDataMessage);
  // A batch runs thousands of searches a second; a file changed in place meanwhile
  // is seen within this while rather than at the very next line.
  data.SetStampCheckInterval(std::chrono::milliseconds(100));
  return std::nullopt;
}

}  // namespace mirabo

// Looking for the national file under each of its usual names.
#include "update/NationalFile.h"

#include <QFileInfo>

QString FindNationalFile(const QString& folder) {
  for (const QString& name : kNationalFileNames) {
    const QFileInfo file(folder + name);
    if (file.isFile()) return file.filePath();
  }
  return {};
}

QStringList DownloadUrls(const QString& chosen) {
  if (!chosen.isEmpty()) return {chosen};
  const QString mirror = qEnvironmentVariable("MIRABO_DOWNLOAD_URL");
  if (!mirror.isEmpty()) return {mirror};
  return kOfficialZipUrls;
}

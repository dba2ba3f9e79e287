// Looking for the national file under each of its usual names.
#include "update/NationalFile.h"

namespace mirabo {

QString FindNationalFile(const QString& folder, FileOps& ops) {
  for (const QString& name : kNationalFileNames)
    if (IsFile(ops, EncodedPath(folder + name))) return folder + name;
  return {};
}

QStringList DownloadUrls(const QString& chosen) {
  if (!chosen.isEmpty()) return {chosen};
  const QString mirror = qEnvironmentVariable("MIRABO_DOWNLOAD_URL");
  if (!mirror.isEmpty()) return {mirror};
  return kOfficialZipUrls;
}

}  // namespace mirabo

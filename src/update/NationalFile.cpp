// Looking for the national file under each of its usual names.
#include "update/NationalFile.h"

#include <QDir>
#include <QFileInfo>

QString FindNationalFile(const QString& folder) {
  for (const QString& name : kNationalFileNames) {
    const QFileInfo file(folder + name);
    if (file.isFile()) return file.filePath();
  }
  return {};
}

QString NoNationalFileMessage(const QString& folder) {
  QStringList quoted;
  for (const QString& name : kNationalFileNames) quoted << QStringLiteral("「%1」").arg(name);
  return QStringLiteral("%1 のどれも見つかりません（フォルダ: %2）。データは変更していません。")
      .arg(quoted.join(QStringLiteral("、")), QDir::toNativeSeparators(QDir(folder).absolutePath()));
}

QStringList DownloadUrls(const QString& chosen) {
  if (!chosen.isEmpty()) return {chosen};
  const QString mirror = qEnvironmentVariable("MIRABO_DOWNLOAD_URL");
  if (!mirror.isEmpty()) return {mirror};
  return kOfficialZipUrls;
}

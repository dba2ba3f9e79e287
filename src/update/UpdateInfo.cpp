// The update information message and its number and date formats.
#include "update/UpdateInfo.h"

#include <QDateTime>
#include <QLocale>

#include "data/DataSet.h"

namespace mirabo {

QString FormatGrouped(qint64 value) {
  if (value == 0) return {};
  // The C locale groups by three with commas once its grouping is not switched off.
  QLocale grouped = QLocale::c();
  grouped.setNumberOptions(QLocale::DefaultNumberOptions);
  return grouped.toString(value);
}

QString UpdateInfoText(std::optional<QDate> modified, qint32 prefCount, qint32 cityCount, qint32 indexCount) {
  const QString date = modified && modified->isValid()
                           ? QStringLiteral("%1/%2/%3")
                                 .arg(modified->year() % 100, 2, 10, QChar(u'0'))
                                 .arg(modified->month(), 2, 10, QChar(u'0'))
                                 .arg(modified->day(), 2, 10, QChar(u'0'))
                           : QString();
  // Before the first rebuild there is not even the closing record to leave out.
  const qint32 prefectures = prefCount > 0 ? prefCount - 1 : 0;
  return QStringLiteral("最新データ更新日＝") + date + QStringLiteral("\r\n") +
         QStringLiteral("都道府県データ数＝") + QString::number(prefectures) + QStringLiteral("\r\n") +
         QStringLiteral("市郡町村データ数＝") + FormatGrouped(cityCount) + QStringLiteral("\r\n") +
         QStringLiteral("全郵便番号データ＝") + FormatGrouped(indexCount);
}

std::optional<QDate> IndexFileDate(const QString& dataFolder, FileOps& ops) {
  // Asked through stat(2), not QFileInfo: Qt takes a time of 0 (the epoch) for no time at all.
  FileInfo info;
  if (ops.Stat(EncodedPath(dataFolder + QLatin1String(datafile::Index)), info) != 0) return std::nullopt;
  return QDateTime::fromSecsSinceEpoch(info.modifiedSeconds).toLocalTime().date();
}

}  // namespace mirabo

// The update information message and its number and date formats.
#include "update/UpdateInfo.h"

#include <QDateTime>
#include <QFile>

#include <sys/stat.h>

#include "data/DataSet.h"

QString FormatGrouped(qint64 value) {
  if (value == 0) return {};
  const QString digits = QString::number(value < 0 ? -quint64(value) : quint64(value));
  QString grouped;
  grouped.reserve(digits.size() + digits.size() / 3 + 1);
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.append(u',');
    grouped.append(digits[i]);
  }
  return value < 0 ? u'-' + grouped : grouped;
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

std::optional<QDate> IndexFileDate(const QString& dataFolder) {
  // Asked of the system directly: Qt takes a time of 0 (the epoch) for no time at all.
  struct stat info {};
  const QByteArray index = QFile::encodeName(dataFolder + QLatin1String(datafile::Index));
  if (::stat(index.constData(), &info) != 0) return std::nullopt;
  return QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec).toLocalTime().date();
}

// The update information message: date of the last rebuild and what the data holds.
#pragma once

#include <optional>

#include <QDate>
#include <QString>

#include "platform/FileOps.h"

namespace mirabo {

inline const QString kUpdateInfoTitle = QStringLiteral("更新情報");

// "#,###": digits grouped by three with commas; 0 gives the empty text.
QString FormatGrouped(qint64 value);

// The four lines joined by CR LF. `modified` is the date of ubinind.dat (nothing
// when it cannot be read); prefCount 0 (no records yet) shows 0, not -1.
QString UpdateInfoText(std::optional<QDate> modified, qint32 prefCount, qint32 cityCount, qint32 indexCount);

// The local modification date of dataFolder + "ubinind.dat", if it can be read.
std::optional<QDate> IndexFileDate(const QString& dataFolder, FileOps& ops = SystemFileOps());

}  // namespace mirabo

// Where the national file comes from: the data folder's usual names and the web addresses.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/DataLayout.h"
#include "platform/FileOps.h"

namespace mirabo {

// The names looked for, in this order: the unpacked file, then the code page 932
// and the UTF-8 archives as they are downloaded.
inline const QStringList kNationalFileNames = {kNationalCsvName, QStringLiteral("ken_all.zip"),
                                               QStringLiteral("utf_ken_all.zip")};

// The path of the first of kNationalFileNames that is a file in `folder` (ending
// in "/"), or an empty text when none is: the caller reports kNoNationalFile.
QString FindNationalFile(const QString& folder, FileOps& ops = SystemFileOps());

// The national post service's download page for the file, also sent as the referring page.
inline const QString kDownloadPageUrl =
    QStringLiteral("https://www.post.japanpost.jp/service/search/zipcode/download/kogaki-zip.html");

// Where the file is published, tried in this order: the code page 932 edition, then
// the UTF-8 one.
inline const QStringList kOfficialZipUrls = {
    QStringLiteral("https://www.post.japanpost.jp/service/search/zipcode/download/kogaki/zip/ken_all.zip"),
    QStringLiteral("https://www.post.japanpost.jp/service/search/zipcode/download/utf/zip/utf_ken_all.zip")};

// The addresses to download from: `chosen` alone when it is given, else the one in
// the environment variable MIRABO_DOWNLOAD_URL when it is set, else kOfficialZipUrls.
QStringList DownloadUrls(const QString& chosen = {});

}  // namespace mirabo

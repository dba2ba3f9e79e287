// Helpers for the rebuild tests: national-format rows in, expected record bytes by hand.
#pragma once

#include <ostream>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QString>

#include "data/Cp932Codec.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "support/TestText.h"
#include "update/Rebuild.h"

// The four data files in their usual order.
inline const char* const kDataFiles[] = {"fuken.DAT", "city.DAT", "ubinno.dat", "ubinind.dat"};

// One national-format line: the unused columns hold plausible values, the used ones
// the given texts (UTF-8 here, written as code page 932), each in quotes.
inline QByteArray KenAllLine(const char* code, const char* pref, const char* city, const char* town) {
  const QString line = QStringLiteral("13101,\"100  \",\"%1\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｶﾆ\",\"%2\",\"%3\",\"%4\",0,0,0,0,0,0\r\n")
                           .arg(QString::fromUtf8(code), QString::fromUtf8(pref), QString::fromUtf8(city),
                                QString::fromUtf8(town));
  return cp932::Encode(line);
}

// Bytes written out by hand, filled with spaces (0x20) to `width`.
inline QByteArray Field(const QByteArray& bytes, int width) {
  return bytes + QByteArray(width - bytes.size(), ' ');
}
inline QByteArray Ascii(const char* text, int width) { return Field(QByteArray(text), width); }

inline QByteArray PrefBytes(const QByteArray& name10, qint32 first, qint32 last) { return name10 + Le32(first) + Le32(last); }
inline QByteArray CityBytes(const QByteArray& name30, qint32 first, qint32 last) { return name30 + Le32(first) + Le32(last); }
// The closing prefecture record: four U+3000 and two spaces, then eight zero bytes.
inline QByteArray SentinelBytes() { return Hex("81 40 81 40 81 40 81 40 20 20 00 00 00 00 00 00 00 00"); }
inline QByteArray IndexBytes(const char* code, qint32 entryNo) { return Ascii(code, 10) + Le32(entryNo); }

// The data files of `folder`, in the order of kDataFiles.
inline std::vector<QByteArray> DataFileBytes(const TempFolder& folder) {
  std::vector<QByteArray> bytes;
  for (const char* name : kDataFiles) bytes.push_back(ReadBytes(folder.File(QString::fromLatin1(name))));
  return bytes;
}

// Writes `csv` as the folder's KEN_ALL.CSV and rebuilds the folder from it.
inline RebuildOutcome RebuildFrom(const TempFolder& folder, const QByteArray& csv, RecordingPlatform& platform,
                                  const std::function<void()>& beforeSwap = {}) {
  WriteBytes(folder.File(QStringLiteral("KEN_ALL.CSV")), csv);
  return RebuildDataFiles(folder.Path(), folder.File(QStringLiteral("KEN_ALL.CSV")), platform, beforeSwap);
}

// The folder's file names, sorted, to see that nothing was left behind.
inline QStringList FolderListing(const TempFolder& folder) {
  return QDir(folder.Path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

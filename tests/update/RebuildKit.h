// Helpers for the rebuild tests: national-format rows in, expected record bytes by hand.
#pragma once

#include <functional>

#include <QByteArray>
#include <QDir>
#include <QString>

#include "support/DataBuilder.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"
#include "support/TestText.h"
#include "update/Rebuild.h"

namespace mirabo {

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

// Writes `csv` as the folder's KEN_ALL.CSV and rebuilds the folder from it.
inline RebuildOutcome RebuildFrom(const TempFolder& folder, const QByteArray& csv, RecordingPlatform& platform,
                                  const std::function<void()>& beforeSwap = {}) {
  WriteBytes(folder.File(QStringLiteral("KEN_ALL.CSV")), csv);
  return RebuildDataFiles(folder.Path(), folder.File(QStringLiteral("KEN_ALL.CSV")),
                          {.files = &platform.Files(), .beforeSwap = beforeSwap});
}

// The folder's file names, sorted, to see that nothing was left behind.
inline QStringList FolderListing(const TempFolder& folder) {
  return QDir(folder.Path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

}  // namespace mirabo

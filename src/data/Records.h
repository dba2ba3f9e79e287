// The fixed-length records of the four data files, and their byte layouts.
//
// Text fields are code page 932, left-aligned and space-filled; numbers are signed
// 32-bit little-endian. Records are numbered from 1; record n of a file with record
// length L starts at byte (n - 1) * L. A decoded text field keeps its full width
// (trailing spaces, or NULs where bytes were never written).
#pragma once

#include <QString>

namespace mirabo {

namespace record {
inline constexpr int kNumberWidth = 4;  // every number field
qint32 GetNumber(const char* bytes);
void PutNumber(char* bytes, qint32 value);
}  // namespace record

// fuken.DAT: one prefecture.
struct PrefRecord {
  static constexpr int NameOffset = 0, NameWidth = 10;  // text
  static constexpr int FirstCityOffset = 10;            // first city record of the prefecture
  static constexpr int LastCityOffset = 14;             // last city record of the prefecture
  static constexpr int Size = 18;
  QString Name;
  qint32 FirstCity = 0;
  qint32 LastCity = 0;

  static PrefRecord Decode(const char* bytes);
  void Encode(char* bytes) const;
};

// city.DAT: one city (municipality).
struct CityRecord {
  static constexpr int NameOffset = 0, NameWidth = 30;  // text
  static constexpr int FirstEntryOffset = 30;           // first entry record of the city
  static constexpr int LastEntryOffset = 34;            // last entry record of the city
  static constexpr int Size = 38;
  QString Name;
  qint32 FirstEntry = 0;
  qint32 LastEntry = 0;

  static CityRecord Decode(const char* bytes);
  void Encode(char* bytes) const;
};

// ubinno.dat: one postcode entry, one row of the national file; four text fields.
struct EntryRecord {
  static constexpr int PrefOffset = 0, PrefWidth = 10;
  static constexpr int CityOffset = 10, CityWidth = 30;
  static constexpr int TownOffset = 40, TownWidth = 80;
  static constexpr int CodeOffset = 120, CodeWidth = 10;  // seven digits and three spaces
  static constexpr int Size = 130;
  QString Pref;
  QString City;
  QString Town;
  QString Code;

  static EntryRecord Decode(const char* bytes);
  void Encode(char* bytes) const;
};

// ubinind.dat: one entry of the code index.
struct IndexRecord {
  static constexpr int CodeOffset = 0, CodeWidth = 10;  // seven digits and three spaces
  static constexpr int EntryNoOffset = 10;              // entry record with this code
  static constexpr int Size = 14;
  QString Code;
  qint32 EntryNo = 0;

  static IndexRecord Decode(const char* bytes);
  void Encode(char* bytes) const;
};

// Record 48 of fuken.DAT doubles as the saved selection: FirstCity holds the
// 0-based prefecture list position, LastCity the 0-based city list position.
constexpr qint32 SavedSelectionRecord = 48;

// The name of the record that closes fuken.DAT after a rebuild: four U+3000 and
// two spaces (bytes 81 40 81 40 81 40 81 40 20 20).
inline const QString kSentinelName = QStringLiteral("\u3000\u3000\u3000\u3000  ");

// True when record 48, as read, is the saved selection: with 47 prefectures the
// rebuild leaves the closing record there. With more, record 48 is a prefecture,
// whose range must be neither taken as list positions nor overwritten.
inline bool IsSavedSelection(const PrefRecord& record48) { return record48.Name == kSentinelName; }

}  // namespace mirabo

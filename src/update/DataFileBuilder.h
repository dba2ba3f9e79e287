// Turning the national file's rows, in order, into prefecture, city and entry records.
#pragma once

#include <optional>
#include <string_view>

#include <QString>

#include "data/Records.h"
#include "update/DataImage.h"
#include "update/national/KenAllReader.h"
#include "update/UpdateStatus.h"

namespace mirabo {

// Entry n is row n. A prefecture record starts at the first row and at every row
// whose prefecture name differs from the previous row's; a city record starts with
// every prefecture and at every row whose city name differs from the previous row's.
// Names compare exactly and in full, before they are cut to their fields. A record's
// LastCity or LastEntry is set in place when the next one starts or the file ends.
class DataFileBuilder {
 public:
  static constexpr qint32 kMaxEntries = DataImage::kMaxEntries;

  // Adds the row as the next entry. False, adding nothing, once kMaxEntries are in.
  bool AddRow(const KenAllRow& row);
  // The same for a row of code page 932 bytes: the entry record is filled from the
  // bytes as the decoded texts would fill it, and names are decoded only where their
  // bytes differ from the previous row's.
  bool AddRow(const KenAllRowBytes& row);

  // Closes the last prefecture and city and appends the sentinel prefecture record
  // (four U+3000, FirstCity 0, LastCity 0). The index stays empty.
  DataImage Finish();

 private:
  void StartPrefecture(const QString& name);
  void StartCity(const QString& name);
  void ClosePrefecture(qint32 n);
  void CloseCity(qint32 n, qint32 lastEntry);

  qint32 prefCounter_ = 0;
  qint32 cityCounter_ = 0;
  qint32 entryCounter_ = 0;
  QString previousPref_;
  QString previousCity_;
  // The previous row's names as bytes, when it came as bytes: equal bytes are equal names.
  std::optional<std::string_view> previousPrefBytes_;
  std::optional<std::string_view> previousCityBytes_;
  DataImage image_;
};

// Reads a whole national file and builds the four files, the index included.
// Refuses a malformed file (kBadRow) or one of more than kMaxEntries rows
// (kTooManyEntries), leaving the file's name to the caller.
struct DataImageBuild {
  DataImage image;
  UpdateStatus fault;
};
DataImageBuild BuildDataImage(const QByteArray& csv);

}  // namespace mirabo

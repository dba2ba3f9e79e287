// The four data files opened together, with their record counts and one record buffer each.
#pragma once

#include <QString>

#include "data/RecordFile.h"
#include "data/Records.h"

namespace datafile {
inline constexpr char Pref[] = "fuken.DAT";
inline constexpr char City[] = "city.DAT";
inline constexpr char Entry[] = "ubinno.dat";
inline constexpr char Index[] = "ubinind.dat";
}  // namespace datafile

class DataSet {
 public:
  RecordFile PrefFile{PrefRecord::Size};
  RecordFile CityFile{CityRecord::Size};
  RecordFile EntryFile{EntryRecord::Size};
  RecordFile IndexFile{IndexRecord::Size};

  qint32 PrefCount = 0;
  qint32 CityCount = 0;
  qint32 EntryCount = 0;
  qint32 IndexCount = 0;

  PrefRecord PrefRec;
  CityRecord CityRec;
  EntryRecord EntryRec;
  IndexRecord IndexRec;

  // Opens the four files in `dataFolder` (a path ending in "/"), creating missing
  // ones empty, then takes the four counts. A file that cannot be opened counts 0.
  void OpenDataFiles(const QString& dataFolder);
  void CloseAll();

  // Bumped by every OpenDataFiles, so caches over the files know when to renew.
  quint64 Generation() const { return generation_; }

  // Record reads replace the buffer; a read with n <= 0 fails and keeps it.
  bool ReadPref(qint32 n);
  bool ReadCity(qint32 n);
  bool ReadEntry(qint32 n);
  bool ReadIndex(qint32 n);
  // Record writes store the buffer as record n; n <= 0 fails.
  bool WritePref(qint32 n);
  bool WriteCity(qint32 n);
  bool WriteEntry(qint32 n);
  bool WriteIndex(qint32 n);

 private:
  quint64 generation_ = 0;
};

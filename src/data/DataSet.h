// The four data files opened together, with their record counts and one record buffer each.
#pragma once

#include <chrono>
#include <memory>

#include <QString>

#include "data/RecordFile.h"
#include "data/RecordImage.h"
#include "data/Records.h"

namespace mirabo {

// What the user is told about a Damaged() data set.
inline const QString kDamagedDataMessage =
    QStringLiteral("データファイルが壊れています。郵便番号ファイル更新でデータを作り直してください。");

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
  // ones empty unless `create` is false, then takes the four counts. A file that
  // cannot be opened counts 0; one that cannot be written opens for reading. An
  // empty folder opens nothing. A file of more than kMaxRecords records cannot
  // come from a rebuild: the set is then Damaged(), closed, and counts 0.
  void OpenDataFiles(const QString& dataFolder, bool create = true);
  void CloseAll();

  // No rebuild writes more: 999,999 entries at most, one closing prefecture record.
  static constexpr qint32 kMaxRecords = 1000000;
  bool Damaged() const { return damaged_; }
  // Record 48 may be written: fuken.DAT is open for writing.
  bool CanSaveSelection() const { return PrefFile.IsWritable(); }

  // Bumped by every OpenDataFiles, so caches over the files know when to renew.
  quint64 Generation() const { return generation_; }

  // Record reads replace the buffer; a read with n <= 0 fails and keeps it.
  bool ReadPref(qint32 n);
  bool ReadCity(qint32 n);
  bool ReadEntry(qint32 n);
  bool ReadIndex(qint32 n);
  // The whole code index and the whole entry file in memory, for the searches.
  // Each copy is taken at its first call and again whenever its file changed.
  // Holding the pointer keeps that copy alive across a newer one.
  std::shared_ptr<const RecordImage> IndexImage();
  std::shared_ptr<const RecordImage> EntryImage();
  // How long a copy is served without asking the system for its file's stamp again.
  // Zero, the default, asks at every call. A batch of quick searches may choose a
  // short while instead: the stamp costs a system call per file and search. Record
  // writes of this process and a changed count are seen at once either way.
  void SetStampCheckInterval(std::chrono::milliseconds interval) { stampCheckInterval_ = interval; }

  // Record writes store the buffer as record n; n <= 0 fails.
  bool WritePref(qint32 n);
  bool WriteCity(qint32 n);
  bool WriteEntry(qint32 n);
  bool WriteIndex(qint32 n);

 private:
  quint64 generation_ = 0;
  bool damaged_ = false;
  using Clock = std::chrono::steady_clock;
  std::shared_ptr<const RecordImage> Fresh(std::shared_ptr<const RecordImage>& image, RecordFile& file,
                                           Clock::time_point& stampChecked);

  std::shared_ptr<const RecordImage> indexImage_;
  std::shared_ptr<const RecordImage> entryImage_;
  std::chrono::milliseconds stampCheckInterval_{0};
  Clock::time_point indexStampChecked_;
  Clock::time_point entryStampChecked_;
};

}  // namespace mirabo

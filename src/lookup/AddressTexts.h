// The searched text of every entry (cleaned City then cleaned Town) held in one string.
#pragma once

#include <memory>
#include <vector>

#include <QList>
#include <QString>

#include "data/DataSet.h"

class AddressTexts {
 public:
  // The texts of entry records 1 to EntryCount as the entry file holds them now.
  // The last set built is kept and handed out again while the entry file is the
  // same file with the same size and modification time, and no record file of this
  // process was written since, so a search decodes the file only after it changed.
  static std::shared_ptr<const AddressTexts> Of(DataSet& data);

  qint32 Count() const { return qint32(offsets_.size()) - 1; }

  // Record numbers, ascending, of the first `limit` entries whose text contains
  // `key` (compared by UTF-16 code). The empty key is in every text.
  QList<qint32> Find(const QString& key, int limit) const;

 private:
  explicit AddressTexts(DataSet& data);
  // True when the entry file is still the one read here, unchanged.
  bool Matches(const DataSet& data) const;

  FileStamp stamp_;     // of the entry file, taken before it was read
  quint64 writes_ = 0;  // RecordFile::WritesSoFar() then
  QString joined_;                  // all texts one after the other
  std::vector<qsizetype> offsets_;  // text of record n is [offsets_[n-1], offsets_[n])
};

// The searched text of every entry (cleaned City then cleaned Town) held in one string.
#pragma once

#include <memory>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QString>

#include "data/DataSet.h"

class AddressTexts {
 public:
  // The texts of entry records 1 to EntryCount as the entry file holds them now.
  // The last set built is kept and handed out again while the file's records are
  // byte for byte the same, so a search decodes the file only after it changed.
  static std::shared_ptr<const AddressTexts> Of(DataSet& data);

  qint32 Count() const { return qint32(offsets_.size()) - 1; }

  // Record numbers, ascending, of the first `limit` entries whose text contains
  // `key` (compared by UTF-16 code). The empty key is in every text.
  QList<qint32> Find(const QString& key, int limit) const;

 private:
  explicit AddressTexts(DataSet& data);
  // True when records 1..Count() of the entry file are still the bytes read here.
  bool Matches(DataSet& data) const;

  QByteArray records_;              // the raw records the texts were built from
  QString joined_;                  // all texts one after the other
  std::vector<qsizetype> offsets_;  // text of record n is [offsets_[n-1], offsets_[n])
};

// The searched text of every entry (cleaned City then cleaned Town) held in one string.
#pragma once

#include <memory>
#include <vector>

#include <QList>
#include <QString>

#include "data/DataSet.h"
#include "data/RecordImage.h"
#include "lookup/BigramIndex.h"

namespace mirabo {

class AddressTexts {
 public:
  // The texts of entry records 1 to EntryCount as the entry file holds them now.
  // The last set built is kept and handed out again while the entry file is the
  // same file with the same size and modification time, and no record file of this
  // process was written since, so a search decodes the file only after it changed.
  // The set keeps the entry records it was built from, so that the listing reads
  // them from memory.
  static std::shared_ptr<const AddressTexts> Of(DataSet& data);

  qint32 Count() const { return qint32(offsets_.size()) - 1; }

  // Record numbers, ascending, of the first `limit` entries whose text contains
  // `key` (compared by UTF-16 code). The empty key is in every text. A key of two
  // units or more looks only at the entries that hold its rarest pair of units.
  QList<qint32> Find(const QString& key, int limit) const;

  // Entry record n (1 to Count()) as its bytes were read with the texts.
  const char* Record(qint32 n) const { return records_->Record(n); }

 private:
  explicit AddressTexts(DataSet& data);
  // True when the entry file is still the one read here, unchanged.
  bool Matches(const DataSet& data) const;

  // A key of one unit, or none, is looked for in the joined texts from the start.
  QList<qint32> Scan(const QString& key, int limit) const;
  QList<qint32> FindByPairs(const QString& key, int limit) const;

  std::shared_ptr<const RecordImage> records_;  // the entry file as read; its stamp says when it changed
  std::vector<qsizetype> offsets_;  // text of record n is [offsets_[n-1], offsets_[n])
  QString joined_;                  // all texts one after the other (filled with offsets_)
  BigramIndex pairs_;
};

}  // namespace mirabo

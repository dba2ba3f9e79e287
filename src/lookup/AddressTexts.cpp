// Building, reusing and searching the joined address texts of all entries.
#include "lookup/AddressTexts.h"

#include <mutex>

#include <QStringMatcher>

#include "data/TextFitting.h"

namespace {
std::mutex lastBuiltMutex;
std::shared_ptr<const AddressTexts> lastBuilt;
}  // namespace

AddressTexts::AddressTexts(DataSet& data)
    : stamp_(data.EntryFile.Stamp()), writes_(RecordFile::WritesSoFar()) {
  const qint32 count = qMax(data.EntryCount, 0);
  // One read for the whole file; records it no longer holds read as zero bytes.
  QByteArray records = data.EntryFile.ReadAll();
  records.resize(qsizetype(count) * EntryRecord::Size, '\0');
  offsets_.reserve(size_t(count) + 1);
  offsets_.push_back(0);
  joined_.reserve(qsizetype(count) * 16);
  for (qint32 n = 1; n <= count; ++n) {
    const EntryRecord entry = EntryRecord::Decode(records.constData() + qsizetype(n - 1) * EntryRecord::Size);
    joined_ += CleanField(entry.City);
    joined_ += CleanField(entry.Town);
    offsets_.push_back(joined_.size());
  }
}

bool AddressTexts::Matches(const DataSet& data) const {
  return data.EntryCount == Count() && data.EntryFile.Stamp() == stamp_ && RecordFile::WritesSoFar() == writes_;
}

std::shared_ptr<const AddressTexts> AddressTexts::Of(DataSet& data) {
  std::lock_guard lock(lastBuiltMutex);
  if (!lastBuilt || !lastBuilt->Matches(data)) lastBuilt.reset(new AddressTexts(data));
  return lastBuilt;
}

QList<qint32> AddressTexts::Find(const QString& key, int limit) const {
  QList<qint32> records;
  if (key.isEmpty()) {
    for (qint32 n = 1; n <= Count() && records.size() < limit; ++n) records << n;
    return records;
  }
  const QStringMatcher matcher(key);
  size_t entry = 0;  // 0-based entry whose text holds the current hit
  qsizetype from = 0;
  while (records.size() < limit) {
    const qsizetype hit = matcher.indexIn(joined_, from);
    if (hit < 0) break;
    while (offsets_[entry + 1] <= hit) ++entry;
    if (hit + key.size() <= offsets_[entry + 1]) {
      records << qint32(entry + 1);
      from = offsets_[entry + 1];  // one line per entry: go on with the next text
    } else {
      from = hit + 1;  // the hit runs into the next entry's text; look again inside this one
    }
  }
  return records;
}

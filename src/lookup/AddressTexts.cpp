// Building, reusing and searching the joined address texts of all entries.
#include "lookup/AddressTexts.h"

#include <cstring>
#include <mutex>

#include <QStringMatcher>

#include "data/TextFitting.h"

namespace {
std::mutex lastBuiltMutex;
std::shared_ptr<const AddressTexts> lastBuilt;
}  // namespace

AddressTexts::AddressTexts(DataSet& data) {
  const qint32 count = qMax(data.EntryCount, 0);
  records_.resize(qsizetype(count) * EntryRecord::Size);
  offsets_.reserve(size_t(count) + 1);
  offsets_.push_back(0);
  joined_.reserve(qsizetype(count) * 16);
  for (qint32 n = 1; n <= count; ++n) {
    char* bytes = records_.data() + qsizetype(n - 1) * EntryRecord::Size;
    // A record that cannot be read counts as never written: zero bytes, no text.
    if (!data.EntryFile.Read(n, bytes)) std::memset(bytes, 0, EntryRecord::Size);
    const EntryRecord entry = EntryRecord::Decode(bytes);
    joined_ += CleanField(entry.City);
    joined_ += CleanField(entry.Town);
    offsets_.push_back(joined_.size());
  }
}

bool AddressTexts::Matches(DataSet& data) const {
  if (data.EntryCount != Count()) return false;
  char bytes[EntryRecord::Size];
  for (qint32 n = 1; n <= Count(); ++n) {
    if (!data.EntryFile.Read(n, bytes)) std::memset(bytes, 0, EntryRecord::Size);
    if (std::memcmp(bytes, records_.constData() + qsizetype(n - 1) * EntryRecord::Size, EntryRecord::Size) != 0)
      return false;
  }
  return true;
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

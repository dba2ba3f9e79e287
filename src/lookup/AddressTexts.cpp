// Building, reusing and searching the joined address texts of all entries.
#include "lookup/AddressTexts.h"

#include <mutex>

#include <QStringMatcher>

#include "lookup/EntryBytes.h"

namespace mirabo {

namespace {
std::mutex lastBuiltMutex;
std::shared_ptr<const AddressTexts> lastBuilt;

// The joined texts of entries 1 to `count`, and where each one ends.
QString JoinTexts(const RecordImage& records, qint32 count, std::vector<qsizetype>& offsets) {
  QString joined;
  joined.reserve(qsizetype(count) * 16);
  offsets.reserve(size_t(count) + 1);
  offsets.push_back(0);
  for (qint32 n = 1; n <= count; ++n) {
    AppendAddressText(joined, records.Record(n));
    offsets.push_back(joined.size());
  }
  return joined;
}

}  // namespace

AddressTexts::AddressTexts(DataSet& data)
    : records_(data.EntryImage()),
      joined_(JoinTexts(*records_, qMax(data.EntryCount, 0), offsets_)),
      pairs_(joined_, offsets_) {}

bool AddressTexts::Matches(const DataSet& data) const {
  return data.EntryCount == Count() && records_->IsCurrent(data.EntryFile);
}

std::shared_ptr<const AddressTexts> AddressTexts::Of(DataSet& data) {
  std::lock_guard lock(lastBuiltMutex);
  if (!lastBuilt || !lastBuilt->Matches(data)) lastBuilt.reset(new AddressTexts(data));
  return lastBuilt;
}

QList<qint32> AddressTexts::Find(const QString& key, int limit) const {
  if (key.size() >= 2) return FindByPairs(key, limit);
  return Scan(key, limit);
}

QList<qint32> AddressTexts::FindByPairs(const QString& key, int limit) const {
  QList<qint32> records;
  for (const qint32 n : pairs_.RarestPairOf(key)) {
    if (records.size() >= limit) break;
    const QStringView text = QStringView(joined_).mid(offsets_[size_t(n) - 1], offsets_[size_t(n)] - offsets_[size_t(n) - 1]);
    if (text.contains(key)) records << n;
  }
  return records;
}

QList<qint32> AddressTexts::Scan(const QString& key, int limit) const {
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

}  // namespace mirabo

// Record building of the rebuild, in memory, one row at a time.
#include "update/DataFileBuilder.h"

#include "data/Cp932Codec.h"
#include "update/CodeIndex.h"
#include "update/national/KenAllReadAhead.h"

namespace mirabo {

namespace {

// Record n of `file`, the file grown to hold it: a gap before it becomes zero bytes.
template <typename Record>
char* RecordSlot(QByteArray& file, qint32 n) {
  const qsizetype offset = qsizetype(n - 1) * Record::Size;
  // Room for many records at once: growing by one record each time would copy the file over and over.
  if (file.capacity() < offset + Record::Size) file.reserve(qMax<qsizetype>(offset + Record::Size, file.size() * 2));
  if (file.size() < offset + Record::Size) file.resize(offset + Record::Size, '\0');
  return file.data() + offset;
}

// Stores `record` as record n of `file`, as a record file write does: a gap before
// it becomes zero bytes.
template <typename Record>
void WriteRecord(QByteArray& file, qint32 n, const Record& record) {
  record.Encode(RecordSlot<Record>(file, n));
}

// True when `name` is the name held as `previous`: when its bytes are the previous
// row's, or else when it decodes to the same text (two codes of one character do).
bool SameName(std::string_view name, const std::optional<std::string_view>& previousBytes, const QString& previous) {
  if (previousBytes && name == *previousBytes) return true;
  return cp932::Decode(name.data(), qsizetype(name.size())) == previous;
}

QString Decoded(std::string_view bytes) { return cp932::Decode(bytes.data(), qsizetype(bytes.size())); }

// Sets the number field at `offset` of record n, leaving the record's other bytes as stored.
template <typename Record>
void PatchNumber(QByteArray& file, qint32 n, int offset, qint32 value) {
  record::PutNumber(file.data() + qsizetype(n - 1) * Record::Size + offset, value);
}

}  // namespace

bool DataFileBuilder::AddRow(const KenAllRow& row) {
  if (entryCounter_ >= kMaxEntries) return false;
  ++entryCounter_;
  // The first row starts a prefecture even when its name is empty (and so equals the
  // empty previous name), so that every entry lies in a city and a prefecture.
  const bool newPref = entryCounter_ == 1 || row.pref != previousPref_;
  if (newPref) StartPrefecture(row.pref);
  if (newPref || row.city != previousCity_) StartCity(row.city);

  const EntryRecord entry{row.pref, row.city, row.town, row.code};
  WriteRecord(image_.entry, entryCounter_, entry);
  previousPrefBytes_.reset();
  previousCityBytes_.reset();
  return true;
}

bool DataFileBuilder::AddRow(const KenAllRowBytes& row) {
  if (entryCounter_ >= kMaxEntries) return false;
  ++entryCounter_;
  const bool newPref = entryCounter_ == 1 || !SameName(row.pref, previousPrefBytes_, previousPref_);
  if (newPref) StartPrefecture(Decoded(row.pref));
  if (newPref || !SameName(row.city, previousCityBytes_, previousCity_)) StartCity(Decoded(row.city));
  previousPrefBytes_ = row.pref;
  previousCityBytes_ = row.city;

  char* record = RecordSlot<EntryRecord>(image_.entry, entryCounter_);
  const auto put = [record](int offset, int width, std::string_view bytes) {
    cp932::PutDecodedField(record + offset, width, bytes.data(), qsizetype(bytes.size()));
  };
  put(EntryRecord::PrefOffset, EntryRecord::PrefWidth, row.pref);
  put(EntryRecord::CityOffset, EntryRecord::CityWidth, row.city);
  put(EntryRecord::TownOffset, EntryRecord::TownWidth, row.town);
  put(EntryRecord::CodeOffset, EntryRecord::CodeWidth, row.code);
  return true;
}

void DataFileBuilder::StartPrefecture(const QString& name) {
  ++prefCounter_;
  previousPref_ = name;
  WriteRecord(image_.pref, prefCounter_, PrefRecord{name, cityCounter_ + 1, 0});
  if (prefCounter_ >= 2) ClosePrefecture(prefCounter_ - 1);
}

void DataFileBuilder::StartCity(const QString& name) {
  ++cityCounter_;
  previousCity_ = name;
  WriteRecord(image_.city, cityCounter_, CityRecord{name, entryCounter_, 0});
  if (cityCounter_ >= 2) CloseCity(cityCounter_ - 1, entryCounter_ - 1);
}

void DataFileBuilder::ClosePrefecture(qint32 n) {
  PatchNumber<PrefRecord>(image_.pref, n, PrefRecord::LastCityOffset, cityCounter_);
}

void DataFileBuilder::CloseCity(qint32 n, qint32 lastEntry) {
  PatchNumber<CityRecord>(image_.city, n, CityRecord::LastEntryOffset, lastEntry);
}

DataImage DataFileBuilder::Finish() {
  if (prefCounter_ >= 1) ClosePrefecture(prefCounter_);
  if (cityCounter_ >= 1) CloseCity(cityCounter_, entryCounter_);
  WriteRecord(image_.pref, prefCounter_ + 1, PrefRecord{kSentinelName, 0, 0});
  return std::move(image_);
}

DataImageBuild BuildDataImage(const QByteArray& csv) {
  KenAllReadAhead reader(csv);
  DataFileBuilder builder;
  std::vector<KenAllItem> batch;
  while (reader.NextBatch(batch)) {
    for (const KenAllItem& item : batch) {
      if (!(item.asBytes ? builder.AddRow(item.bytes) : builder.AddRow(item.row)))
        return {{}, {.kind = UpdateStatus::kTooManyEntries}};
    }
  }
  if (const auto& fault = reader.Fault())
    return {{}, {.kind = UpdateStatus::kBadRow, .line = fault->line, .reason = fault->what}};
  DataImageBuild build{builder.Finish(), {}};
  build.image.index = BuildCodeIndex(build.image.entry);
  return build;
}

}  // namespace mirabo

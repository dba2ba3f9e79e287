// Record building of the rebuild, in memory, one row at a time.
#include "update/DataFileBuilder.h"

#include "update/CodeIndex.h"

namespace {

// Stores `record` as record n of `file`, as a record file write does: a gap before
// it becomes zero bytes.
template <typename Record>
void WriteRecord(QByteArray& file, qint32 n, const Record& record) {
  const qsizetype offset = qsizetype(n - 1) * Record::Size;
  if (file.size() < offset + Record::Size) file.resize(offset + Record::Size, '\0');
  record.Encode(file.data() + offset);
}

template <typename Record>
Record ReadRecord(const QByteArray& file, qint32 n) {
  return Record::Decode(file.constData() + qsizetype(n - 1) * Record::Size);
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
  return true;
}

void DataFileBuilder::StartPrefecture(const QString& name) {
  ++prefCounter_;
  previousPref_ = name;
  prefRec_.Name = name;
  prefRec_.FirstCity = cityCounter_ + 1;
  prefRec_.LastCity = 0;
  WriteRecord(image_.pref, prefCounter_, prefRec_);
  if (prefCounter_ >= 2) {
    prefRec_ = ReadRecord<PrefRecord>(image_.pref, prefCounter_ - 1);
    prefRec_.LastCity = cityCounter_;
    WriteRecord(image_.pref, prefCounter_ - 1, prefRec_);
  }
}

void DataFileBuilder::StartCity(const QString& name) {
  ++cityCounter_;
  previousCity_ = name;
  // LastEntry keeps what the buffer held; it is set when the city is closed.
  cityRec_.Name = name;
  cityRec_.FirstEntry = entryCounter_;
  WriteRecord(image_.city, cityCounter_, cityRec_);
  if (cityCounter_ >= 2) {
    cityRec_ = ReadRecord<CityRecord>(image_.city, cityCounter_ - 1);
    cityRec_.LastEntry = entryCounter_ - 1;
    WriteRecord(image_.city, cityCounter_ - 1, cityRec_);
  }
}

DataImage DataFileBuilder::Finish() {
  if (prefCounter_ >= 1) {
    prefRec_ = ReadRecord<PrefRecord>(image_.pref, prefCounter_);
    prefRec_.LastCity = cityCounter_;
    WriteRecord(image_.pref, prefCounter_, prefRec_);
  }
  if (cityCounter_ >= 1) {
    cityRec_ = ReadRecord<CityRecord>(image_.city, cityCounter_);
    cityRec_.LastEntry = entryCounter_;
    WriteRecord(image_.city, cityCounter_, cityRec_);
  }
  const PrefRecord sentinel{QStringLiteral("\u3000\u3000\u3000\u3000"), 0, 0};
  WriteRecord(image_.pref, prefCounter_ + 1, sentinel);
  return std::move(image_);
}

DataImageBuild BuildDataImage(const QByteArray& csv) {
  KenAllReader reader(csv);
  DataFileBuilder builder;
  KenAllRow row;
  while (reader.Next(row)) {
    if (!builder.AddRow(row)) return {{}, {.kind = UpdateStatus::kTooManyEntries}};
  }
  if (const auto& fault = reader.Fault())
    return {{}, {.kind = UpdateStatus::kBadRow, .line = fault->line, .reason = fault->what}};
  DataImageBuild build{builder.Finish(), {}};
  build.image.index = BuildCodeIndex(build.image.entry);
  return build;
}

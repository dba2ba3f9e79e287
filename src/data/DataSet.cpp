// Opening, closing and record access of the data set.
#include "data/DataSet.h"

namespace mirabo {

namespace {

template <typename Record>
bool ReadInto(RecordFile& file, qint32 n, Record& buffer) {
  char bytes[Record::Size];
  if (!file.Read(n, bytes)) return false;
  buffer = Record::Decode(bytes);
  return true;
}

template <typename Record>
bool WriteFrom(RecordFile& file, qint32 n, const Record& buffer) {
  if (n <= 0) return false;
  char bytes[Record::Size];
  buffer.Encode(bytes);
  return file.Write(n, bytes);
}

}  // namespace

void DataSet::OpenDataFiles(const QString& dataFolder, bool create) {
  CloseAll();
  ++generation_;
  indexImage_.reset();
  entryImage_.reset();
  damaged_ = false;
  PrefCount = CityCount = EntryCount = IndexCount = 0;
  // A folder path that could not be found must not become "/" or the working directory.
  if (dataFolder.isEmpty()) return;
  PrefFile.Open(dataFolder + datafile::Pref, create);
  CityFile.Open(dataFolder + datafile::City, create);
  EntryFile.Open(dataFolder + datafile::Entry, create);
  IndexFile.Open(dataFolder + datafile::Index, create);
  for (const RecordFile* file : {&PrefFile, &CityFile, &EntryFile, &IndexFile}) {
    // Listing or scanning millions of records would take all memory and never end.
    if (file->Count() > kMaxRecords) {
      damaged_ = true;
      CloseAll();
      return;
    }
  }
  PrefCount = PrefFile.Count();
  CityCount = CityFile.Count();
  EntryCount = EntryFile.Count();
  IndexCount = IndexFile.Count();
}

void DataSet::CloseAll() {
  PrefFile.Close();
  CityFile.Close();
  EntryFile.Close();
  IndexFile.Close();
}

// The copy of `file`, taken again when it is missing or no longer current. Its stamp is
// looked at only when the interval has passed since the last look.
std::shared_ptr<const RecordImage> DataSet::Fresh(std::shared_ptr<const RecordImage>& image, RecordFile& file,
                                                  Clock::time_point& stampChecked) {
  const Clock::time_point now = Clock::now();
  if (image && now - stampChecked < stampCheckInterval_ && image->UnchangedHere(file)) return image;
  stampChecked = now;
  if (!image || !image->IsCurrent(file)) image = std::make_shared<const RecordImage>(file);
  return image;
}

std::shared_ptr<const RecordImage> DataSet::IndexImage() { return Fresh(indexImage_, IndexFile, indexStampChecked_); }
std::shared_ptr<const RecordImage> DataSet::EntryImage() { return Fresh(entryImage_, EntryFile, entryStampChecked_); }

bool DataSet::ReadPref(qint32 n) { return ReadInto(PrefFile, n, PrefRec); }
bool DataSet::ReadCity(qint32 n) { return ReadInto(CityFile, n, CityRec); }
bool DataSet::ReadEntry(qint32 n) { return ReadInto(EntryFile, n, EntryRec); }
bool DataSet::ReadIndex(qint32 n) { return ReadInto(IndexFile, n, IndexRec); }
bool DataSet::WritePref(qint32 n) { return WriteFrom(PrefFile, n, PrefRec); }
bool DataSet::WriteCity(qint32 n) { return WriteFrom(CityFile, n, CityRec); }
bool DataSet::WriteEntry(qint32 n) { return WriteFrom(EntryFile, n, EntryRec); }
bool DataSet::WriteIndex(qint32 n) { return WriteFrom(IndexFile, n, IndexRec); }

}  // namespace mirabo

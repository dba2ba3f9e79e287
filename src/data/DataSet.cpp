// Opening, closing and record access of the data set.
#include "data/DataSet.h"

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

void DataSet::OpenDataFiles(const QString& dataFolder) {
  PrefFile.Open(dataFolder + datafile::Pref);
  CityFile.Open(dataFolder + datafile::City);
  EntryFile.Open(dataFolder + datafile::Entry);
  IndexFile.Open(dataFolder + datafile::Index);
  PrefCount = PrefFile.Count();
  CityCount = CityFile.Count();
  EntryCount = EntryFile.Count();
  IndexCount = IndexFile.Count();
  ++generation_;
}

void DataSet::CloseAll() {
  PrefFile.Close();
  CityFile.Close();
  EntryFile.Close();
  IndexFile.Close();
}

bool DataSet::ReadPref(qint32 n) { return ReadInto(PrefFile, n, PrefRec); }
bool DataSet::ReadCity(qint32 n) { return ReadInto(CityFile, n, CityRec); }
bool DataSet::ReadEntry(qint32 n) { return ReadInto(EntryFile, n, EntryRec); }
bool DataSet::ReadIndex(qint32 n) { return ReadInto(IndexFile, n, IndexRec); }
bool DataSet::WritePref(qint32 n) { return WriteFrom(PrefFile, n, PrefRec); }
bool DataSet::WriteCity(qint32 n) { return WriteFrom(CityFile, n, CityRec); }
bool DataSet::WriteEntry(qint32 n) { return WriteFrom(EntryFile, n, EntryRec); }
bool DataSet::WriteIndex(qint32 n) { return WriteFrom(IndexFile, n, IndexRec); }

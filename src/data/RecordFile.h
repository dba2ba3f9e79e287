// A file of fixed-length records, read and written by 1-based record number.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

class RecordFile {
 public:
  explicit RecordFile(int recordLength) : length_(recordLength) {}
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  ~RecordFile() { Close(); }

  // Opens for reading and writing, creating a missing file empty. The record count
  // is taken here and stays until the next Open, whatever is written meanwhile.
  bool Open(const QString& path);
  void Close();
  bool IsOpen() const { return file_.isOpen(); }

  int RecordLength() const { return length_; }
  qint32 Count() const { return count_; }

  // Fills `out` (RecordLength bytes) from record n. Bytes past the end of the file
  // read as zero bytes and the file is left alone. Fails for n <= 0 or a closed
  // file, leaving `out` untouched.
  bool Read(qint32 n, char* out);

  // Stores `in` as record n. A gap between the old end and the record is filled
  // with zero bytes. Fails for n <= 0 or a closed file.
  bool Write(qint32 n, const char* in);

  // Records 1 to Count() in one piece, for scans over the whole file.
  QByteArray ReadAll();

 private:
  int length_;
  qint32 count_ = 0;
  QFile file_;
  uchar* map_ = nullptr;  // the file as it stood at Open, for fast reads
  qint64 mapSize_ = 0;
};

// A file of fixed-length records, read and written by 1-based record number.
#pragma once

#include <QByteArray>
#include <QString>

namespace mirabo {

// What a file is and how it stands now: the same file, unchanged in size and time,
// gives an equal stamp.
struct FileStamp {
  quint64 device = 0, inode = 0;
  qint64 size = -1;
  qint64 modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// Reads up to `length` bytes at `offset` of the handle `fd`; the rest of `out` becomes
// zero bytes (past the end of the file, or for a handle of -1).
void ReadFileAt(int fd, char* out, qint64 length, qint64 offset);

class RecordFile {
 public:
  explicit RecordFile(int recordLength) : length_(recordLength) {}
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  ~RecordFile() { Close(); }

  // Opens for reading and writing, creating a missing file empty when `create`
  // says so. A file that may be read but not written (its permissions, a read-only
  // mount) opens for reading only; writes then fail. Anything but a plain file
  // does not open. The record count is taken here and stays until the next Open,
  // whatever is written meanwhile.
  bool Open(const QString& path, bool create = true);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  bool IsWritable() const { return writable_; }

  int RecordLength() const { return length_; }
  qint32 Count() const { return count_; }

  // Fills `out` (RecordLength bytes) from record n. Bytes past the end of the file,
  // also where another program cut the file short since Open, read as zero bytes
  // and the file is left alone. Fails for n <= 0 or a closed file, leaving `out`
  // untouched.
  bool Read(qint32 n, char* out);

  // Stores `in` as record n. A gap between the old end and the record is filled
  // with zero bytes. Fails for n <= 0, a closed file or one opened for reading only.
  bool Write(qint32 n, const char* in);

  // Records 1 to Count() in one piece, for scans over the whole file.
  QByteArray ReadAll();

  // The open file's stamp as it is now; the default stamp when it is closed.
  FileStamp Stamp() const;

  // A second handle of the open file, closed on exec, for the caller to close; -1
  // when it is closed.
  int DuplicateHandle() const;

  // Successful writes through any record file of this process so far, so that
  // caches over a file notice changes made within one tick of the file's clock.
  static quint64 WritesSoFar();

 private:
  int length_;
  qint32 count_ = 0;
  int fd_ = -1;
  bool writable_ = false;
};

}  // namespace mirabo

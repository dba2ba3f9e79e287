// A whole record file copied into memory in one read, for walks over many of its records.
#pragma once

#include <QByteArray>

#include "data/RecordFile.h"

// Records served from memory cost no system call each, and a copy cannot fault
// when another program cuts the file short. The copy is only as fresh as its
// stamp: IsCurrent says when it must be taken again.
class RecordImage {
 public:
  // Records 1 to file.Count() as the file holds them now; records the file no
  // longer holds are zero bytes.
  explicit RecordImage(RecordFile& file);

  qint32 Count() const { return count_; }
  // Record n: RecordLength bytes. A number outside 1 to Count() reads as zero
  // bytes, as a record past the end of the file does.
  const char* Record(qint32 n) const {
    return n >= 1 && n <= count_ ? bytes_.constData() + qsizetype(n - 1) * length_ : kZeros;
  }

  // True while `file` is the file read here, unchanged in count, size and time,
  // and no record file of this process was written since.
  bool IsCurrent(const RecordFile& file) const;

 private:
  static constexpr int kMaxLength = 256;  // longer than every record layout
  static const char kZeros[kMaxLength];

  int length_;
  qint32 count_;
  FileStamp stamp_;     // taken before the read, so that a change during it shows
  quint64 writes_ = 0;  // RecordFile::WritesSoFar() then
  QByteArray bytes_;
};

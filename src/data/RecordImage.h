// The records of a file served from memory: mapped, or else read in large blocks at
// their first use.
#pragma once

#include <QtGlobal>

#include <atomic>
#include <memory>
#include <mutex>

#include "data/RecordFile.h"
#include "data/ShrinkSafeMapping.h"

namespace mirabo {

// A record served from memory costs no system call, and never faults when another
// program cuts the file short: what the file no longer holds reads as zero bytes.
// Mapped, the records follow changes made in place at once; read into blocks, they
// stay as first read. Either way IsCurrent says when the image must be taken again,
// as when the file's size changed. It reads through its own handle of the file, so it
// may outlive the RecordFile it was taken from.
class RecordImage {
 public:
  // Records 1 to file.Count(); nothing is read yet.
  explicit RecordImage(RecordFile& file);
  ~RecordImage();
  RecordImage(const RecordImage&) = delete;
  RecordImage& operator=(const RecordImage&) = delete;

  qint32 Count() const { return count_; }
  // Record n: RecordLength bytes. A number outside 1 to Count() reads as zero bytes,
  // as a record past the end of the file does.
  const char* Record(qint32 n) const;
  // Asks the processor to fetch record n ahead of its use, when it is in memory already;
  // a search that knows its next steps hides their memory latency behind this one's.
  void Prefetch(qint32 n) const {
#if defined(__GNUC__)
    if (n < 1 || n > count_) return;
    if (mapping_.Data() || loaded_[size_t((n - 1) / perBlock_)].load(std::memory_order_relaxed))
      __builtin_prefetch(base_ + qsizetype(n - 1) * length_);
#else
    Q_UNUSED(n);
#endif
  }

  // True while `file` is the file read here, unchanged in count, size and time,
  // and no record file of this process was written since.
  bool IsCurrent(const RecordFile& file) const;
  // The part of IsCurrent that needs no system call: the count, and this process's writes.
  bool UnchangedHere(const RecordFile& file) const;

 private:
  static constexpr int kMaxLength = 256;  // longer than every record layout
  static constexpr int kBlockBytes = 1 << 16;
  static const char kZeros[kMaxLength];

  void LoadBlock(qint32 block) const;

  int length_;
  qint32 count_;
  qint32 perBlock_;     // records in a block
  FileStamp stamp_;     // taken before any read, so that a change after it shows
  quint64 writes_ = 0;  // RecordFile::WritesSoFar() then
  int fd_;              // a duplicate of the file's handle; -1 when it had none
  ShrinkSafeMapping mapping_;
  // Without a mapping, all records in one allocation, filled block by block.
  std::unique_ptr<char[]> records_;
  std::unique_ptr<std::atomic<bool>[]> loaded_;
  const char* base_;  // record 1: in the mapping, or in records_
  mutable std::mutex loading_;
};

}  // namespace mirabo

// Reading the blocks of a record image, and checking the image against its file.
#include "data/RecordImage.h"

#include <unistd.h>

namespace mirabo {

const char RecordImage::kZeros[kMaxLength] = {};

RecordImage::RecordImage(RecordFile& file)
    : length_(file.RecordLength()),
      count_(qMax(file.Count(), 0)),
      perBlock_(qMax(kBlockBytes / file.RecordLength(), 1)),
      stamp_(file.Stamp()),
      writes_(RecordFile::WritesSoFar()),
      fd_(file.DuplicateHandle()),
      blocks_(new std::atomic<char*>[size_t(count_ / perBlock_ + 1)]()) {
  Q_ASSERT(length_ <= kMaxLength);
}

RecordImage::~RecordImage() {
  for (qint32 b = 0; b <= count_ / perBlock_; ++b) delete[] blocks_[size_t(b)].load();
  if (fd_ >= 0) ::close(fd_);
}

const char* RecordImage::Record(qint32 n) const {
  if (n < 1 || n > count_) return kZeros;
  const qint32 block = (n - 1) / perBlock_;
  const char* bytes = blocks_[size_t(block)].load(std::memory_order_acquire);
  if (!bytes) bytes = LoadBlock(block);
  return bytes + qsizetype((n - 1) % perBlock_) * length_;
}

const char* RecordImage::LoadBlock(qint32 block) const {
  std::lock_guard lock(loading_);
  std::atomic<char*>& slot = blocks_[size_t(block)];
  if (char* loaded = slot.load(std::memory_order_acquire)) return loaded;
  const qint32 records = qMin(perBlock_, count_ - block * perBlock_);
  const qint64 bytes = qint64(records) * length_;
  char* loaded = new char[size_t(bytes)];
  ReadFileAt(fd_, loaded, bytes, qint64(block) * perBlock_ * length_);
  slot.store(loaded, std::memory_order_release);
  return loaded;
}

bool RecordImage::IsCurrent(const RecordFile& file) const {
  return file.Count() == count_ && file.Stamp() == stamp_ && RecordFile::WritesSoFar() == writes_;
}

}  // namespace mirabo

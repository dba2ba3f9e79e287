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
      records_(new char[size_t(count_) * size_t(length_)]),
      loaded_(new std::atomic<bool>[size_t(count_ / perBlock_ + 1)]()) {
  Q_ASSERT(length_ <= kMaxLength);
}

RecordImage::~RecordImage() {
  if (fd_ >= 0) ::close(fd_);
}

const char* RecordImage::Record(qint32 n) const {
  if (n < 1 || n > count_) return kZeros;
  const qint32 block = (n - 1) / perBlock_;
  if (!loaded_[size_t(block)].load(std::memory_order_acquire)) LoadBlock(block);
  return records_.get() + qsizetype(n - 1) * length_;
}

void RecordImage::LoadBlock(qint32 block) const {
  std::lock_guard lock(loading_);
  std::atomic<bool>& loaded = loaded_[size_t(block)];
  if (loaded.load(std::memory_order_acquire)) return;
  const qint32 records = qMin(perBlock_, count_ - block * perBlock_);
  const qint64 offset = qint64(block) * perBlock_ * length_;
  ReadFileAt(fd_, records_.get() + offset, qint64(records) * length_, offset);
  loaded.store(true, std::memory_order_release);
}

bool RecordImage::UnchangedHere(const RecordFile& file) const {
  return file.Count() == count_ && RecordFile::WritesSoFar() == writes_;
}

bool RecordImage::IsCurrent(const RecordFile& file) const { return UnchangedHere(file) && file.Stamp() == stamp_; }

}  // namespace mirabo

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
      mapping_(fd_, qint64(count_) * length_) {
  Q_ASSERT(length_ <= kMaxLength);
  if (!mapping_.Data()) {
    records_.reset(new char[size_t(count_) * size_t(length_)]);
    loaded_.reset(new std::atomic<bool>[size_t(count_ / perBlock_ + 1)]());
  }
  base_ = mapping_.Data() ? mapping_.Data() : records_.get();
}

RecordImage::~RecordImage() {
  if (fd_ >= 0) ::close(fd_);
}

const char* RecordImage::Record(qint32 n) const {
  if (n < 1 || n > count_) return kZeros;
  if (!mapping_.Data()) {
    const qint32 block = (n - 1) / perBlock_;
    if (!loaded_[size_t(block)].load(std::memory_order_acquire)) LoadBlock(block);
  }
  return base_ + qsizetype(n - 1) * length_;
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

// Taking and checking the in-memory copy of a record file.
#include "data/RecordImage.h"

const char RecordImage::kZeros[kMaxLength] = {};

RecordImage::RecordImage(RecordFile& file)
    : length_(file.RecordLength()),
      count_(qMax(file.Count(), 0)),
      stamp_(file.Stamp()),
      writes_(RecordFile::WritesSoFar()),
      bytes_(file.ReadAll()) {
  Q_ASSERT(length_ <= kMaxLength);
  bytes_.resize(qsizetype(count_) * length_, '\0');
}

bool RecordImage::IsCurrent(const RecordFile& file) const {
  return file.Count() == count_ && file.Stamp() == stamp_ && RecordFile::WritesSoFar() == writes_;
}

// Record access over QFile, reading through a mapping of the file where it exists.
#include "data/RecordFile.h"

#include <cstring>
#include <limits>

bool RecordFile::Open(const QString& path) {
  Close();
  file_.setFileName(path);
  if (!file_.open(QIODevice::ReadWrite)) return false;
  const qint64 size = file_.size();
  count_ = qint32(qMin<qint64>(size / length_, std::numeric_limits<qint32>::max()));
  if (size > 0) {
    map_ = file_.map(0, size);
    mapSize_ = map_ ? size : 0;
  }
  return true;
}

void RecordFile::Close() {
  if (map_) file_.unmap(map_);
  map_ = nullptr;
  mapSize_ = 0;
  count_ = 0;
  if (file_.isOpen()) file_.close();
}

bool RecordFile::Read(qint32 n, char* out) {
  if (n <= 0 || !file_.isOpen()) return false;
  const qint64 offset = qint64(n - 1) * length_;
  if (offset + length_ <= mapSize_) {
    std::memcpy(out, map_ + offset, length_);
    return true;
  }
  // Past the mapping: the file may have grown since Open; anything beyond its end is zero.
  std::memset(out, 0, length_);
  if (offset < file_.size() && file_.seek(offset)) file_.read(out, length_);
  return true;
}

bool RecordFile::Write(qint32 n, const char* in) {
  if (n <= 0 || !file_.isOpen()) return false;
  const qint64 offset = qint64(n - 1) * length_;
  const qint64 size = file_.size();
  // Growing the file first fills the gap with zero bytes (a write after a seek past
  // the end leaves it undefined), and a far record number costs no gap-sized buffer.
  if (offset > size && !file_.resize(offset)) return false;
  if (!file_.seek(offset) || file_.write(in, length_) != length_) return false;
  return file_.flush();
}

QByteArray RecordFile::ReadAll() {
  const qint64 bytes = qint64(count_) * length_;
  if (!file_.isOpen() || bytes == 0) return {};
  if (bytes <= mapSize_) return QByteArray(reinterpret_cast<const char*>(map_), bytes);
  QByteArray all(bytes, '\0');
  if (file_.seek(0)) file_.read(all.data(), bytes);
  return all;
}

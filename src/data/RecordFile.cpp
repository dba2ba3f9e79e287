// Record access with pread and pwrite: a file that another program shortens while it
// is open reads as zeros past its new end, where a memory mapping would fault.
#include "data/RecordFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirabo {

namespace {

std::atomic<quint64> writesSoFar{0};

}  // namespace

void ReadFileAt(int fd, char* out, qint64 length, qint64 offset) {
  qint64 done = 0;
  while (fd >= 0 && done < length) {
    const ssize_t got = ::pread(fd, out + done, size_t(length - done), off_t(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += got;
  }
  std::memset(out + done, 0, size_t(length - done));
}

namespace {

bool WriteAt(int fd, const char* in, qint64 length, qint64 offset) {
  qint64 done = 0;
  while (done < length) {
    const ssize_t put = ::pwrite(fd, in + done, size_t(length - done), off_t(offset + done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += put;
  }
  return true;
}

// Opens without blocking on a fifo or following a link (the folder may be shared),
// then keeps the handle only for a plain file.
int OpenPlainFile(const QByteArray& path, int flags) {
  const int fd = ::open(path.constData(), flags | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0666);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace

bool RecordFile::Open(const QString& path, bool create) {
  Close();
  const QByteArray name = QFile::encodeName(path);
  fd_ = OpenPlainFile(name, O_RDWR | (create ? O_CREAT : 0));
  writable_ = fd_ >= 0;
  // No write access (permissions, a read-only mount): the data can still be read.
  if (fd_ < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) fd_ = OpenPlainFile(name, O_RDONLY);
  if (fd_ < 0) return false;
  struct stat info {};
  const qint64 size = ::fstat(fd_, &info) == 0 ? info.st_size : 0;
  count_ = qint32(qMin<qint64>(size / length_, std::numeric_limits<qint32>::max()));
  return true;
}

void RecordFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  writable_ = false;
  count_ = 0;
}

bool RecordFile::Read(qint32 n, char* out) {
  if (n <= 0 || fd_ < 0) return false;
  ReadFileAt(fd_, out, length_, qint64(n - 1) * length_);
  return true;
}

bool RecordFile::Write(qint32 n, const char* in) {
  if (n <= 0 || fd_ < 0 || !writable_) return false;
  // A write past the end leaves a gap that the file system fills with zero bytes
  // (kept sparse), so a far record number costs no gap-sized buffer.
  if (!WriteAt(fd_, in, length_, qint64(n - 1) * length_)) return false;
  ++writesSoFar;
  return true;
}

QByteArray RecordFile::ReadAll() {
  const qint64 bytes = qint64(count_) * length_;
  if (fd_ < 0 || bytes == 0) return {};
  QByteArray all(bytes, Qt::Uninitialized);
  ReadFileAt(fd_, all.data(), bytes, 0);
  return all;
}

FileStamp RecordFile::Stamp() const {
  struct stat info {};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0) return {};
  return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
          qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

int RecordFile::DuplicateHandle() const { return fd_ >= 0 ? ::fcntl(fd_, F_DUPFD_CLOEXEC, 0) : -1; }

quint64 RecordFile::WritesSoFar() { return writesSoFar.load(); }

}  // namespace mirabo

// The POSIX implementation of the core's file calls; the trash and the making of
// folders go through Qt, which knows the desktop's trash.
#include "platform/FileOps.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace mirabo {

namespace {

int Errno() { return errno != 0 ? errno : EIO; }

// Opens a regular file without following a link and without waiting on a fifo;
// -1 with errno set otherwise (FileOps::kNotRegularFile for anything but a file).
int OpenRegular(const std::string& path, int flags, mode_t mode = 0) {
  const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) {
    // ELOOP: the name is a link; ENXIO: a fifo without a writer, opened for writing.
    if (errno == ELOOP || errno == ENXIO || errno == EISDIR) errno = FileOps::kNotRegularFile;
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = FileOps::kNotRegularFile;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

// The permissions of the regular file at `path`, looked at without following a link.
mode_t PermissionsOf(const std::string& path) {
  const int fd = path.empty() ? -1 : ::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  struct stat info {};
  const bool regular = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (fd >= 0) ::close(fd);
  return regular ? (info.st_mode & 0777) : 0644;
}

// Writes all of `bytes`, going on after short writes and interruptions.
int WriteFully(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return Errno();
    }
    bytes.remove_prefix(size_t(written));
  }
  return 0;
}

// Writes all of `bytes` to `fd`, forces them to the disk, gives the file
// `mode` and closes it: the first error, else 0. A full disk can show only when the
// data really goes out, so the sync counts as part of the write.
int WriteSyncAndClose(int fd, std::string_view bytes, mode_t mode) {
  int error = WriteFully(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = Errno();
  if (error == 0 && ::fchmod(fd, mode) != 0) error = Errno();
  if (::close(fd) != 0 && error == 0) error = Errno();
  return error;
}

class PosixFileOps : public FileOps {
 public:
  int WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) override {
    struct stat old {};
    const mode_t mode = ::stat(permissionsFrom.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return Errno();
    return WriteSyncAndClose(fd, bytes, mode);
  }

  int ReadAll(const std::string& path, std::string& bytes) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Errno();
    bytes.clear();
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) bytes.reserve(size_t(info.st_size));
    char chunk[65536];
    int error = 0;
    for (;;) {
      const ssize_t got = ::read(fd, chunk, sizeof chunk);
      if (got > 0) bytes.append(chunk, size_t(got));
      else if (got == 0) break;
      else if (errno != EINTR) {
        error = Errno();
        break;
      }
    }
    ::close(fd);
    return error;
  }

  int Rename(const std::string& from, const std::string& to) override {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : Errno();
  }

  int Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : Errno(); }

  int SyncFolder(const std::string& folder) override {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Errno();
    const int error = ::fsync(fd) == 0 ? 0 : Errno();
    ::close(fd);
    return error;
  }

  int Stat(const std::string& path, FileInfo& info) override {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return Errno();
    info.isFolder = S_ISDIR(status.st_mode);
    info.isFile = S_ISREG(status.st_mode);
    info.size = status.st_size;
    info.modifiedSeconds = status.st_mtim.tv_sec;
    return 0;
  }

  bool Exists(const std::string& path) override {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
  }

  int Access(const std::string& path, int mode) override { return ::access(path.c_str(), mode) == 0 ? 0 : Errno(); }

  int FreeSpace(const std::string& folder, std::int64_t& bytes) override {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) return Errno();
    bytes = std::int64_t(info.f_bavail) * std::int64_t(info.f_frsize);
    return 0;
  }

  bool UserTrashAvailable() override {
    if (QDir::isAbsolutePath(qEnvironmentVariable("XDG_DATA_HOME"))) return true;
    const QString home = qEnvironmentVariable("HOME");
    return QDir::isAbsolutePath(home) && QDir::cleanPath(home) != u"/" && QFileInfo(home).isDir();
  }

  // QFile::moveToTrash needs the user's data folder to exist: without it Qt 6.4 builds
  // the trash folders relative to the working directory. Make sure it is there first.
  int MoveToTrash(const std::string& path, std::string* pathInTrash) override {
    if (pathInTrash) pathInTrash->clear();
    if (!Exists(path)) return 0;
    if (!UserTrashAvailable()) return Remove(path);
    const QString name = QFile::decodeName(path.c_str());
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QString landed;
    if (!dataHome.isEmpty() && QDir::isAbsolutePath(dataHome) && QDir().mkpath(dataHome) &&
        QFile::moveToTrash(name, &landed)) {
      if (pathInTrash) *pathInTrash = EncodedPath(landed);
      return 0;
    }
    return Remove(path);
  }

  int MakeFolder(const std::string& path) override {
    QDir().mkpath(QFile::decodeName(path.c_str()));
    FileInfo info;
    if (const int error = Stat(path, info)) return error;
    return info.isFolder ? 0 : ENOTDIR;
  }

  int TouchFile(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return ::close(fd) == 0 ? 0 : Errno();
    const int error = errno;
    FileInfo info;
    return Stat(path, info) == 0 && info.isFile ? 0 : error;
  }

  void Unlock(int handle) override {
    ::flock(handle, LOCK_UN);
    ::close(handle);
  }

  void Pause(int milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

  int CreateDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) override {
    const mode_t mode = PermissionsOf(permissionsFrom);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return Errno();
    return WriteSyncAndClose(fd, bytes, mode);
  }

  int ReadRegular(const std::string& path, std::string& bytes, size_t maxBytes) override {
    bytes.clear();
    // A file already too large is refused before any of it is read.
    int fd = -1;
    std::int64_t size = 0;
    if (const int error = OpenRegularForReading(path, maxBytes, fd, size)) return error;
    bytes.reserve(size_t(size));
    char chunk[65536];
    int error = 0;
    // The size may change while reading: the bound holds for what is read.
    while (error == 0) {
      const ssize_t got = ::read(fd, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) error = Errno();
      if (got <= 0) break;
      if (bytes.size() + size_t(got) > maxBytes) error = EFBIG;
      else bytes.append(chunk, size_t(got));
    }
    ::close(fd);
    return error;
  }

  int OpenRegularForReading(const std::string& path, size_t maxBytes, int& fd, std::int64_t& size) override {
    fd = OpenRegular(path, O_RDONLY);
    if (fd < 0) return Errno();
    struct stat info {};
    int error = ::fstat(fd, &info) == 0 ? 0 : Errno();
    if (error == 0 && quint64(info.st_size) > maxBytes) error = EFBIG;
    if (error != 0) {
      ::close(fd);
      fd = -1;
      return error;
    }
    size = info.st_size;
    return 0;
  }

  int TryLockRegular(const std::string& path, int& handle) override {
    int fd = OpenRegular(path, O_RDWR | O_CREAT, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
      // A lock file left by someone else in a folder we may read but not write.
      const int error = errno;
      fd = OpenRegular(path, O_RDONLY);
      if (fd < 0) return errno == ENOENT ? error : Errno();
    }
    if (fd < 0) return Errno();
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno == EINTR) continue;
      const int error = Errno();
      ::close(fd);
      return error == EAGAIN ? EWOULDBLOCK : error;
    }
    handle = fd;
    return 0;
  }

  int OpenLockFile(const std::string& path, int& handle) override {
    int fd = OpenRegular(path, O_RDWR);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = OpenRegular(path, O_RDONLY);
    if (fd < 0) return Errno();
    handle = fd;
    return 0;
  }

  int TrySwapLock(int handle, bool shared) override {
    // An open file description's lock: it conflicts within one process too, and
    // closing another handle of the file does not drop it.
    struct flock range {};
    range.l_type = shared ? F_RDLCK : F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
    while (::fcntl(handle, F_OFD_SETLK, &range) != 0) {
      if (errno == EINTR) continue;
      return errno == EAGAIN || errno == EACCES ? EWOULDBLOCK : Errno();
    }
    return 0;
  }
};

}  // namespace

FileOps& SystemFileOps() {
  static PosixFileOps ops;
  return ops;
}

std::string EncodedPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool IsFolder(FileOps& ops, const std::string& path) {
  FileInfo info;
  return ops.Stat(path, info) == 0 && info.isFolder;
}

bool IsFile(FileOps& ops, const std::string& path) {
  FileInfo info;
  return ops.Stat(path, info) == 0 && info.isFile;
}

}  // namespace mirabo

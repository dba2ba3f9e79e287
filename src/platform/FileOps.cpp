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
#include <QStandardPaths>

namespace {

int Errno() { return errno != 0 ? errno : EIO; }

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

class PosixFileOps : public FileOps {
 public:
  int WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) override {
    struct stat old {};
    const mode_t mode = ::stat(permissionsFrom.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return Errno();
    int error = WriteFully(fd, bytes);
    // A full disk can show only when the data really goes out.
    if (error == 0 && ::fsync(fd) != 0) error = Errno();
    if (error == 0 && ::fchmod(fd, mode) != 0) error = Errno();
    if (::close(fd) != 0 && error == 0) error = Errno();
    return error;
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

  // QFile::moveToTrash needs the user's data folder to exist: without it Qt 6.4 builds
  // the trash folders relative to the working directory. Make sure it is there first.
  int MoveToTrash(const std::string& path) override {
    const QString name = QFile::decodeName(path.c_str());
    if (!Exists(path)) return 0;
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty() && QDir::isAbsolutePath(dataHome) && QDir().mkpath(dataHome) && QFile::moveToTrash(name))
      return 0;
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

  int TryLock(const std::string& path, int& handle) override {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
      // A lock file left by someone else in a folder we may read but not write.
      const int error = errno;
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) return error;
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

  void Unlock(int handle) override {
    ::flock(handle, LOCK_UN);
    ::close(handle);
  }

  void Pause(int milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
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

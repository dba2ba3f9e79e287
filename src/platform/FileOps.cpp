// The POSIX implementation of the file-system calls used by the data-file swap.
#include "platform/FileOps.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::FILE* file = std::fopen(path.c_str(), "rbe");
    if (!file) return Errno();
    bytes.clear();
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    const int error = std::ferror(file) ? EIO : 0;
    std::fclose(file);
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

  bool Exists(const std::string& path) override {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
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

// The core's one door to the file system: every file call of the update, the data
// folder's checks and the start-up rules goes through FileOps, so that a test double
// can count, fail, kill or cut the power at any one call.
//
// Paths are in the file system's own encoding (QFile::encodeName). Each call that
// can fail returns 0 on success or the system's error number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QString>

namespace mirabo {

// What stat(2) tells of a path, links followed.
struct FileInfo {
  bool isFolder = false;
  bool isFile = false;  // a regular file
  std::int64_t size = 0;
  std::int64_t modifiedSeconds = 0;  // since the epoch
};

class FileOps {
 public:
  virtual ~FileOps() = default;

  // Reading and asking.

  // The whole content of a file.
  virtual int ReadAll(const std::string& path, std::string& bytes) = 0;
  // What the path names, links followed; ENOENT when nothing.
  virtual int Stat(const std::string& path, FileInfo& info) = 0;
  // True when the name itself is in its folder (a link counts, even a dangling one).
  virtual bool Exists(const std::string& path) = 0;
  // access(2): 0 when the process may use `path` as `mode` (R_OK, W_OK, X_OK, F_OK) says.
  virtual int Access(const std::string& path, int mode) = 0;
  // The bytes an unprivileged user may still write in the folder's file system.
  virtual int FreeSpace(const std::string& folder, std::int64_t& bytes) = 0;

  // Changing the folder.

  // Creates or truncates `path`, writes `bytes`, flushes them to the disk and
  // closes the file. `permissionsFrom`, when it names an existing file, gives the
  // new file that file's permissions; otherwise it is readable by all.
  virtual int WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) = 0;
  // rename(2): replaces `to` in one step.
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  virtual int Remove(const std::string& path) = 0;
  // Makes the folder's entries (creations, renames, removals) durable.
  virtual int SyncFolder(const std::string& folder) = 0;
  // Moves a file to the user's trash, or removes it where there is no trash to be
  // had; 0 when it is gone from its place (or was never there). `pathInTrash`, when
  // given, is set to where the file landed, and left empty when it was removed.
  virtual int MoveToTrash(const std::string& path, std::string* pathInTrash = nullptr) = 0;
  // The user's own trash can be had: XDG_DATA_HOME, or a HOME that is a folder other
  // than "/". Without either a trash would be built under "/", and MoveToTrash removes.
  virtual bool UserTrashAvailable() = 0;
  // Makes the folder and its missing parents; 0 when the folder is there afterwards.
  virtual int MakeFolder(const std::string& path) = 0;
  // Creates an empty file where none is; 0 when a file is there afterwards.
  virtual int TouchFile(const std::string& path) = 0;

  // Releases a lock taken by TryLockRegular or a handle from OpenLockFile, and closes it.
  virtual void Unlock(int handle) = 0;

  // Waits a little, for polling another process's progress.
  virtual void Pause(int milliseconds) = 0;

  // In a folder that other users may write to, nothing is opened through a link or
  // waited on: the calls below open only regular files, and fail with
  // kNotRegularFile on a link, a folder, a fifo or a device.
  static constexpr int kNotRegularFile = 4096;

  // Creates `path`, which must not exist yet (EEXIST otherwise, whatever is there),
  // writes `bytes`, flushes them to the disk and closes the file. It takes the
  // permissions of `permissionsFrom` when that names a regular file (a link there
  // is not followed); otherwise it is readable by all.
  virtual int CreateDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) = 0;
  // The whole content of the regular file `path`; EFBIG when it holds more than `maxBytes`.
  virtual int ReadRegular(const std::string& path, std::string& bytes, size_t maxBytes) = 0;
  // Opens the regular file `path` for reading, for a caller that maps rather than reads
  // it: `fd` is the caller's to close, and `size` the file's size then. EFBIG when it
  // holds more than `maxBytes`.
  virtual int OpenRegularForReading(const std::string& path, size_t maxBytes, int& fd, std::int64_t& size) = 0;
  // Opens (creating it if need be) the regular file `path` and takes an exclusive
  // lock on it without waiting: EWOULDBLOCK when someone else holds it. On success
  // `handle` keeps the lock until Unlock; the kernel drops it too when the process ends.
  virtual int TryLockRegular(const std::string& path, int& handle) = 0;
  // Opens an existing lock file, for writing too where allowed, taking no lock;
  // ENOENT when there is none. Unlock closes it.
  virtual int OpenLockFile(const std::string& path, int& handle) = 0;
  // On a handle from TryLockRegular or OpenLockFile: the swap's lock, exclusive for the process that
  // renames the data files, shared for readers opening them. Independent of the
  // rebuild's lock on the same file. EWOULDBLOCK when it cannot be had now; EBADF
  // for the exclusive lock on a lock file that may not be written.
  virtual int TrySwapLock(int handle, bool shared) = 0;
};

// The real calls of this system.
FileOps& SystemFileOps();

// Passes every call on to another FileOps (the system's unless told), so that a
// test double overrides only the calls it changes.
class FileOpsWrapper : public FileOps {
 public:
  explicit FileOpsWrapper(FileOps& target = SystemFileOps()) : target_(target) {}
  FileOps& Target() const { return target_; }

  int ReadAll(const std::string& path, std::string& bytes) override { return target_.ReadAll(path, bytes); }
  int Stat(const std::string& path, FileInfo& info) override { return target_.Stat(path, info); }
  bool Exists(const std::string& path) override { return target_.Exists(path); }
  int Access(const std::string& path, int mode) override { return target_.Access(path, mode); }
  int FreeSpace(const std::string& folder, std::int64_t& bytes) override { return target_.FreeSpace(folder, bytes); }
  int WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) override {
    return target_.WriteDurably(path, bytes, permissionsFrom);
  }
  int Rename(const std::string& from, const std::string& to) override { return target_.Rename(from, to); }
  int Remove(const std::string& path) override { return target_.Remove(path); }
  int SyncFolder(const std::string& folder) override { return target_.SyncFolder(folder); }
  int MoveToTrash(const std::string& path, std::string* pathInTrash = nullptr) override {
    return target_.MoveToTrash(path, pathInTrash);
  }
  bool UserTrashAvailable() override { return target_.UserTrashAvailable(); }
  int MakeFolder(const std::string& path) override { return target_.MakeFolder(path); }
  int TouchFile(const std::string& path) override { return target_.TouchFile(path); }
  void Unlock(int handle) override { target_.Unlock(handle); }
  void Pause(int milliseconds) override { target_.Pause(milliseconds); }
  int CreateDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) override {
    return target_.CreateDurably(path, bytes, permissionsFrom);
  }
  int OpenRegularForReading(const std::string& path, size_t maxBytes, int& fd, std::int64_t& size) override {
    return target_.OpenRegularForReading(path, maxBytes, fd, size);
  }
  int ReadRegular(const std::string& path, std::string& bytes, size_t maxBytes) override {
    return target_.ReadRegular(path, bytes, maxBytes);
  }
  int TryLockRegular(const std::string& path, int& handle) override { return target_.TryLockRegular(path, handle); }
  int OpenLockFile(const std::string& path, int& handle) override { return target_.OpenLockFile(path, handle); }
  int TrySwapLock(int handle, bool shared) override { return target_.TrySwapLock(handle, shared); }

 private:
  FileOps& target_;
};

// A path as FileOps takes it: the bytes the file system knows it by.
std::string EncodedPath(const QString& path);

// The calls' answers as yes or no, for callers that need no reason.
bool IsFolder(FileOps& ops, const std::string& path);
bool IsFile(FileOps& ops, const std::string& path);

}  // namespace mirabo

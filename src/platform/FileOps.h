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
  // had; 0 when it is gone from its place (or was never there).
  virtual int MoveToTrash(const std::string& path) = 0;
  // Makes the folder and its missing parents; 0 when the folder is there afterwards.
  virtual int MakeFolder(const std::string& path) = 0;
  // Creates an empty file where none is; 0 when a file is there afterwards.
  virtual int TouchFile(const std::string& path) = 0;

  // Opens (creating it if need be) `path` and takes an exclusive lock on it without
  // waiting: EWOULDBLOCK when someone else holds it. On success `handle` keeps the
  // lock until Unlock; the kernel drops it too when the process ends.
  virtual int TryLock(const std::string& path, int& handle) = 0;
  virtual void Unlock(int handle) = 0;

  // Waits a little, for polling another process's progress.
  virtual void Pause(int milliseconds) = 0;
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
  int MoveToTrash(const std::string& path) override { return target_.MoveToTrash(path); }
  int MakeFolder(const std::string& path) override { return target_.MakeFolder(path); }
  int TouchFile(const std::string& path) override { return target_.TouchFile(path); }
  int TryLock(const std::string& path, int& handle) override { return target_.TryLock(path, handle); }
  void Unlock(int handle) override { target_.Unlock(handle); }
  void Pause(int milliseconds) override { target_.Pause(milliseconds); }

 private:
  FileOps& target_;
};

// A path as FileOps takes it: the bytes the file system knows it by.
std::string EncodedPath(const QString& path);

// The calls' answers as yes or no, for callers that need no reason.
bool IsFolder(FileOps& ops, const std::string& path);
bool IsFile(FileOps& ops, const std::string& path);

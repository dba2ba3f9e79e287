// The file-system calls that make a data-file swap safe, behind one small interface.
//
// Paths are in the file system's own encoding. Each call returns 0 on success or
// the system's error number, so a test double can fail any one call on purpose.
#pragma once

#include <string>
#include <string_view>

class FileOps {
 public:
  virtual ~FileOps() = default;

  // Creates or truncates `path`, writes `bytes`, flushes them to the disk and
  // closes the file. `permissionsFrom`, when it names an existing file, gives the
  // new file that file's permissions; otherwise it is readable by all.
  virtual int WriteDurably(const std::string& path, std::string_view bytes, const std::string& permissionsFrom) = 0;
  // The whole content of a small file.
  virtual int ReadAll(const std::string& path, std::string& bytes) = 0;
  // rename(2): replaces `to` in one step.
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  virtual int Remove(const std::string& path) = 0;
  // Makes the folder's entries (creations, renames, removals) durable.
  virtual int SyncFolder(const std::string& folder) = 0;
  virtual bool Exists(const std::string& path) = 0;

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

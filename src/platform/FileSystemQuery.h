// The few file-system questions the start-up rules ask, behind an interface tests can replace.
#pragma once

#include <QString>

class FileSystemQuery {
 public:
  virtual ~FileSystemQuery() = default;

  // True when `path` names an existing folder (links followed).
  virtual bool IsFolder(const QString& path) const = 0;
  // True when `path` names an existing file that is not a folder (links followed).
  virtual bool IsFile(const QString& path) const = 0;
  // Makes the folder and its missing parents; true when the folder exists afterwards.
  virtual bool MakeFolder(const QString& path) = 0;
  // Creates an empty file where none is; true when the file exists afterwards.
  virtual bool TouchFile(const QString& path) = 0;
};

// The real file system. Names go to the system through QFile::encodeName, unchanged.
class DiskFileSystem : public FileSystemQuery {
 public:
  bool IsFolder(const QString& path) const override;
  bool IsFile(const QString& path) const override;
  bool MakeFolder(const QString& path) override;
  bool TouchFile(const QString& path) override;
};

// Moving data files to the trash, also where the user's data folder does not exist yet.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/FileOps.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
    qputenv(name, value);
  }
  ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

 private:
  const char* name_;
  QByteArray old_;
  bool had_;
};

TEST(Trash, MissingDataFolderIsMadeAndNothingLandsInTheWorkingDirectory) {
  TempFolder folder;
  QDir().mkpath(folder.File("work"));
  WriteBytes(folder.File("fuken.DAT"), "abc");
  const ScopedEnv dataHome("XDG_DATA_HOME", folder.File("home/.local/share").toUtf8());
  const QString before = QDir::currentPath();
  QDir::setCurrent(folder.File("work"));

  EXPECT_EQ(SystemFileOps().MoveToTrash(EncodedPath(folder.File("fuken.DAT"))), 0);
  QDir::setCurrent(before);

  EXPECT_FALSE(QFile::exists(folder.File("fuken.DAT")));
  EXPECT_TRUE(QDir(folder.File("work")).isEmpty()) << "trash folders were made in the working directory";
  EXPECT_EQ(ReadBytes(folder.File("home/.local/share/Trash/files/fuken.DAT")), QByteArray("abc"));
}

TEST(Trash, AFileThatIsNotThereCountsAsGone) {
  TempFolder folder;
  EXPECT_EQ(SystemFileOps().MoveToTrash(EncodedPath(folder.File("ubinno.dat"))), 0);
}

}  // namespace

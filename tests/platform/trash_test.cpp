// Moving data files to the trash, also where the user's data folder does not exist yet.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/FileOps.h"
#include "platform/TrashGenerations.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

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

// Each update trashes its old set: the trash keeps the newest two of them and
// whatever else is there, a file of the same name that the user threw away included.
TEST(Trash, KeepsTheTwoNewestUpdatesOfTheFilesItRecorded) {
  TempFolder folder;
  const ScopedEnv dataHome("XDG_DATA_HOME", folder.File("home").toUtf8());
  ASSERT_TRUE(QDir().mkpath(folder.File("mine")));
  WriteBytes(folder.File("mine/fuken.DAT.old"), "mine");
  ASSERT_EQ(SystemFileOps().MoveToTrash(EncodedPath(folder.File("mine/fuken.DAT.old"))), 0);
  for (const char* content : {"one", "two", "three"}) {
    WriteBytes(folder.File("fuken.DAT.old"), content);
    WriteBytes(folder.File("city.DAT.old"), content);
    ASSERT_TRUE(MoveGenerationToTrash({EncodedPath(folder.File("fuken.DAT.old")), EncodedPath(folder.File("city.DAT.old"))},
                                      folder.File("record.tsv"), SystemFileOps()));
  }
  const QDir files(folder.File("home/Trash/files"));
  QStringList contents;
  for (const QString& name : files.entryList(QDir::Files)) contents << ReadBytes(files.filePath(name));
  contents.sort();
  EXPECT_EQ(contents, QStringList({"mine", "three", "three", "two", "two"}));
  EXPECT_EQ(QDir(folder.File("home/Trash/info")).entryList(QDir::Files).size(), 5);
  EXPECT_EQ(ReadBytes(folder.File("record.tsv")).count('\n'), 4);
}

// A program started without HOME (from cron, say) must not make a trash under "/".
TEST(Trash, WithoutAHomeTheFileIsRemovedAndNothingIsMadeUnderTheRoot) {
  TempFolder folder;
  WriteBytes(folder.File("fuken.DAT"), "abc");
  const bool rootHadLocal = QFile::exists("/.local");
  const ScopedEnv home("HOME", "");
  const ScopedEnv dataHome("XDG_DATA_HOME", "");
  EXPECT_FALSE(SystemFileOps().UserTrashAvailable());
  EXPECT_EQ(SystemFileOps().MoveToTrash(EncodedPath(folder.File("fuken.DAT"))), 0);
  EXPECT_FALSE(QFile::exists(folder.File("fuken.DAT")));
  EXPECT_EQ(QFile::exists("/.local"), rootHadLocal);
}

}  // namespace

}  // namespace mirabo

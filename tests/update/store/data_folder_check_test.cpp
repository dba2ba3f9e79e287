// The checks before a rebuild: a folder that cannot be written, and new files that do not fit.
#include <gtest/gtest.h>

#include <QFile>
#include <cerrno>

#include <unistd.h>

#include "support/TestFiles.h"
#include "support/TestText.h"
#include "update/FailureKit.h"
#include "update/store/DataFolderCheck.h"

namespace mirabo {

namespace {

TEST(DataFolderCheck, WritableFolderWithWritableFilesPasses) {
  TempFolder folder;
  WriteBytes(folder.File("fuken.DAT"), "x");
  EXPECT_TRUE(DataFolderWriteProblem(folder.Path()).ok());
  EXPECT_TRUE(DataFolderSpaceProblem(folder.Path(), 1).ok());
}

TEST(DataFolderCheck, MissingFolderIsNamedWithTheSystemsReason) {
  TempFolder root;
  const QString missing = root.Path() + "missing";
  EXPECT_TRUE(FailsAs(DataFolderWriteProblem(missing + "/"),
                      {.kind = UpdateStatus::kFolderNotWritable, .folder = missing, .reason = SystemReason(ENOENT)}));
}

TEST(DataFolderCheck, NoFolderAtAllIsRefusedRatherThanTakenAsTheRoot) {
  EXPECT_TRUE(FailsAs(DataFolderWriteProblem(QString()), {.kind = UpdateStatus::kNoDataFolder}));
}

TEST(DataFolderCheck, FilesLargerThanTheFreeSpaceAreRefusedAsADiskFull) {
  TempFolder folder;
  EXPECT_TRUE(FailsAs(DataFolderSpaceProblem(folder.Path(), qint64(1) << 62),
                      {.kind = UpdateStatus::kNewFilesNotWritable, .folder = folder.Path(), .reason = SystemReason(ENOSPC)}));
}

TEST(DataFolderCheck, ReadOnlyDataFileIsNamedWithTheSystemsReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes whatever the permissions say";
  TempFolder folder;
  WriteBytes(folder.File("ubinno.dat"), "x");
  ASSERT_TRUE(QFile::setPermissions(folder.File("ubinno.dat"), QFile::ReadOwner));
  EXPECT_TRUE(FailsAs(DataFolderWriteProblem(folder.Path()),
                      {.kind = UpdateStatus::kFolderNotWritable, .folder = folder.Path(), .reason = SystemReason(EACCES)}));
}

}  // namespace

}  // namespace mirabo

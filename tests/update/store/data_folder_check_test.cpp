// The checks before a rebuild: a folder that cannot be written, and new files that do not fit.
#include <gtest/gtest.h>

#include <QFile>

#include <unistd.h>

#include "support/TestFiles.h"
#include "support/TestText.h"
#include "update/store/DataFolderCheck.h"

namespace mirabo {

namespace {

TEST(DataFolderCheck, WritableFolderWithWritableFilesPasses) {
  TempFolder folder;
  WriteBytes(folder.File("fuken.DAT"), "x");
  EXPECT_EQ(FailureMessage(DataFolderWriteProblem(folder.Path())), QString());
  EXPECT_EQ(FailureMessage(DataFolderSpaceProblem(folder.Path(), 1)), QString());
}

TEST(DataFolderCheck, MissingFolderIsNamedWithTheSystemsReason) {
  TempFolder root;
  const QString missing = root.Path() + "missing";
  EXPECT_EQ(FailureMessage(DataFolderWriteProblem(missing + "/")),
            QStringLiteral("データフォルダに書き込めません（フォルダ: %1、理由: No such file or directory）。"
                           "データは変更していません。")
                .arg(missing));
}

TEST(DataFolderCheck, NoFolderAtAllIsRefusedRatherThanTakenAsTheRoot) {
  EXPECT_EQ(FailureMessage(DataFolderWriteProblem(QString())),
            QStringLiteral("データフォルダが見つかりません。データは変更していません。"));
}

TEST(DataFolderCheck, FilesLargerThanTheFreeSpaceAreRefusedAsADiskFull) {
  TempFolder folder;
  EXPECT_EQ(FailureMessage(DataFolderSpaceProblem(folder.Path(), qint64(1) << 62)),
            QStringLiteral("新しいデータファイルを書き込めません（フォルダ: %1、理由: No space left on device）。"
                           "データは変更していません。")
                .arg(folder.Path().chopped(1)));
}

TEST(DataFolderCheck, ReadOnlyDataFileIsNamedWithTheSystemsReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes whatever the permissions say";
  TempFolder folder;
  WriteBytes(folder.File("ubinno.dat"), "x");
  ASSERT_TRUE(QFile::setPermissions(folder.File("ubinno.dat"), QFile::ReadOwner));
  EXPECT_EQ(FailureMessage(DataFolderWriteProblem(folder.Path())),
            QStringLiteral("データフォルダに書き込めません（フォルダ: %1、理由: Permission denied）。"
                           "データは変更していません。")
                .arg(folder.Path().chopped(1)));
}

}  // namespace

}  // namespace mirabo

// Folder paths for names that are not valid UTF-8, and the program's own folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include "platform/ProgramFolder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

bool ExistsAt(const QByteArray& path) {
  struct stat info {};
  return ::stat(path.constData(), &info) == 0;
}

TEST(UsableFolderPath, ShiftJisNameReachesThatFolderAndNoOther) {
  TempFolder root;
  // 97 58 95 D6: a Shift-JIS name as an old Windows archive unpacks it; not UTF-8.
  const QByteArray folder = QFile::encodeName(root.Path()) + QByteArray::fromHex("975895D6");
  ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);

  const QString path = UsableFolderPath(folder);
  ASSERT_FALSE(path.isEmpty());
  EXPECT_TRUE(path.endsWith(u'/'));
  EXPECT_NE(path, QStringLiteral("/"));
  WriteBytes(path + QStringLiteral("fuken.DAT"), "abc");

  EXPECT_TRUE(ExistsAt(folder + "/fuken.DAT"));
  EXPECT_EQ(QDir(root.Path()).entryList(QDir::Files), QStringList());
  EXPECT_EQ(ReadBytes(path + QStringLiteral("fuken.DAT")), QByteArray("abc"));
  // Asked again, the same path: no second handle per call.
  EXPECT_EQ(UsableFolderPath(folder), path);
}

TEST(UsableFolderPath, Utf8NameStaysThePlainPath) {
  TempFolder root;
  const QString folder = root.Path() + QStringLiteral("東京");
  ASSERT_TRUE(QDir().mkpath(folder));
  EXPECT_EQ(UsableFolderPath(QFile::encodeName(folder)), folder + u'/');
  EXPECT_EQ(UsableFolderPath(QFile::encodeName(folder + u'/')), folder + u'/');
}

TEST(UsableFolderPath, RelativeNameIsTakenFromTheWorkingDirectory) {
  EXPECT_EQ(UsableFolderPath("some-folder"), QDir::currentPath() + QStringLiteral("/some-folder/"));
}

TEST(UsableFolderPath, MissingShiftJisFolderGivesNothingRatherThanRoot) {
  TempFolder root;
  EXPECT_EQ(UsableFolderPath(QFile::encodeName(root.Path()) + QByteArray::fromHex("975895D6")), QString());
}

TEST(ProgramFolder, IsTheFolderOfTheTestProgram) {
  char name[] = "test_platform";
  char* argv[] = {name, nullptr};
  int argc = 1;
  QCoreApplication app(argc, argv);
  EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath() + u'/');
}

}  // namespace

}  // namespace mirabo

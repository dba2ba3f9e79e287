// The portable / installed layout rule and the once-only first-start offer, over an
// in-memory file system and over real temporary folders.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <set>

#include "platform/DataLayout.h"
#include "platform/FileOps.h"
#include "support/CaseName.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

// Folders and files as sets of paths; MakeFolder can be told to fail. Nothing
// reaches the disk.
class MemoryFileSystem : public FileOpsWrapper {
 public:
  std::set<QString> folders, files;
  QStringList made;  // MakeFolder calls, in order
  bool makeFails = false;

  int Stat(const std::string& path, FileInfo& info) override {
    info = {};
    info.isFolder = folders.count(Clean(path)) > 0;
    info.isFile = files.count(Clean(path)) > 0;
    return info.isFolder || info.isFile ? 0 : ENOENT;
  }
  int MakeFolder(const std::string& path) override {
    made << QString::fromStdString(path);
    if (makeFails) return EACCES;
    folders.insert(Clean(path));
    return 0;
  }
  int TouchFile(const std::string& path) override {
    files.insert(Clean(path));
    return 0;
  }

 private:
  static QString Clean(const std::string& path) { return QDir::cleanPath(QString::fromStdString(path)); }
};

const LayoutEnvironment kEnv{QStringLiteral("/home/u/xdg"), QStringLiteral("/home/u")};

TEST(DataLayout, BuildFolderIsPortable) {
  MemoryFileSystem fs;
  fs.folders = {"/work/mirabo/build", "/work/mirabo/share/mirabo"};
  const DataLayout layout = ChooseDataLayout("/work/mirabo/build", kEnv, fs);
  EXPECT_EQ(layout.kind, LayoutKind::Portable);
  EXPECT_EQ(layout.dataFolder, "/work/mirabo/build/");
  EXPECT_EQ(layout.helpFile, "/work/mirabo/build/MIRABO.HLP");
  EXPECT_EQ(layout.sampleFile, "");
  EXPECT_EQ(layout.error, "");
  EXPECT_TRUE(fs.made.isEmpty());  // the portable copy never makes folders
}

TEST(DataLayout, BinWithoutShareFolderIsPortable) {
  MemoryFileSystem fs;
  fs.folders = {"/opt/m/bin", "/opt/m/share"};
  fs.files = {"/opt/m/share/mirabo"};  // a file of that name is not the folder
  const DataLayout layout = ChooseDataLayout("/opt/m/bin/", kEnv, fs);
  EXPECT_EQ(layout.kind, LayoutKind::Portable);
  EXPECT_EQ(layout.dataFolder, "/opt/m/bin/");
  EXPECT_TRUE(fs.made.isEmpty());
}

TEST(DataLayout, FolderMerelyEndingInBinIsPortable) {
  MemoryFileSystem fs;
  fs.folders = {"/opt/share/mirabo", "/share/mirabo"};
  EXPECT_EQ(ChooseDataLayout("/opt/robin", kEnv, fs).kind, LayoutKind::Portable);
  EXPECT_EQ(ChooseDataLayout("/opt/bin2", kEnv, fs).kind, LayoutKind::Portable);
  EXPECT_EQ(ChooseDataLayout("bin", kEnv, fs).kind, LayoutKind::Portable);  // no parent to be PREFIX
}

TEST(DataLayout, PrefixBinWithShareFolderIsInstalled) {
  MemoryFileSystem fs;
  fs.folders = {"/usr/share/mirabo"};
  const DataLayout layout = ChooseDataLayout("/usr/bin", kEnv, fs);
  EXPECT_EQ(layout.kind, LayoutKind::Installed);
  EXPECT_EQ(layout.dataFolder, "/home/u/xdg/mirabo/");
  EXPECT_EQ(layout.helpFile, "/usr/share/mirabo/MIRABO.HLP");
  EXPECT_EQ(layout.sampleFile, "/usr/share/mirabo/sample/KEN_ALL.CSV");
  EXPECT_EQ(layout.error, "");
  EXPECT_EQ(fs.made, QStringList({"/home/u/xdg/mirabo/"}));
}

TEST(DataLayout, ProgramFolderIsCleanedBeforeTheRule) {
  MemoryFileSystem fs;
  fs.folders = {"/usr/local/share/mirabo"};
  EXPECT_EQ(ChooseDataLayout("/usr/local/bin/", kEnv, fs).helpFile, "/usr/local/share/mirabo/MIRABO.HLP");
  EXPECT_EQ(ChooseDataLayout("/usr/local/lib/../bin", kEnv, fs).helpFile, "/usr/local/share/mirabo/MIRABO.HLP");
  EXPECT_EQ(ChooseDataLayout("/usr/local//bin", kEnv, fs).kind, LayoutKind::Installed);
}

TEST(DataLayout, RootBinUsesShareAtTheRoot) {
  MemoryFileSystem fs;
  fs.folders = {"/share/mirabo"};
  const DataLayout layout = ChooseDataLayout("/bin", kEnv, fs);
  EXPECT_EQ(layout.kind, LayoutKind::Installed);
  EXPECT_EQ(layout.helpFile, "/share/mirabo/MIRABO.HLP");
}

struct HomeCase {
  const char* name;
  LayoutEnvironment env;
  const char* dataFolder;
};
void PrintTo(const HomeCase& c, std::ostream* os) { *os << c.name; }

class UserDataHome : public ::testing::TestWithParam<HomeCase> {};

TEST_P(UserDataHome, ChoosesAndMakesTheDataFolder) {
  MemoryFileSystem fs;
  fs.folders = {"/usr/share/mirabo"};
  const DataLayout layout = ChooseDataLayout("/usr/bin", GetParam().env, fs);
  EXPECT_EQ(layout.dataFolder, U(GetParam().dataFolder));
  EXPECT_EQ(fs.made, QStringList({U(GetParam().dataFolder)}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UserDataHome,
    ::testing::Values(HomeCase{"xdg set", {"/data/x", "/home/u"}, "/data/x/mirabo/"},
                      HomeCase{"xdg with trailing slash", {"/data/x/", "/home/u"}, "/data/x/mirabo/"},
                      HomeCase{"xdg empty: home", {"", "/home/u"}, "/home/u/.local/share/mirabo/"},
                      HomeCase{"xdg relative is ignored", {"rel/xdg", "/home/u"}, "/home/u/.local/share/mirabo/"},
                      HomeCase{"home with trailing slash", {"", "/home/u/"}, "/home/u/.local/share/mirabo/"},
                      HomeCase{"names outside ASCII", {"/データ/x", "/home/u"}, "/データ/x/mirabo/"}),
    CaseName());

TEST(DataLayout, NoHomeAtAllLeavesNoDataFolderAndSaysWhy) {
  MemoryFileSystem fs;
  fs.folders = {"/usr/share/mirabo"};
  const DataLayout layout = ChooseDataLayout("/usr/bin", {"", ""}, fs);
  EXPECT_EQ(layout.kind, LayoutKind::Installed);
  EXPECT_EQ(layout.dataFolder, "");
  EXPECT_NE(layout.error, "");
  EXPECT_TRUE(fs.made.isEmpty());
}

TEST(DataLayout, FolderThatCannotBeMadeIsReported) {
  MemoryFileSystem fs;
  fs.folders = {"/usr/share/mirabo"};
  fs.makeFails = true;
  const DataLayout layout = ChooseDataLayout("/usr/bin", kEnv, fs);
  EXPECT_EQ(layout.dataFolder, "/home/u/xdg/mirabo/");
  EXPECT_EQ(layout.error, "データフォルダー /home/u/xdg/mirabo/ を作成できません。");
}

TEST(DataLayout, PortableLayoutOfANamedFolder) {
  EXPECT_EQ(PortableLayout("/tmp/d").dataFolder, "/tmp/d/");
  EXPECT_EQ(PortableLayout("/tmp/d/").helpFile, "/tmp/d/MIRABO.HLP");
  EXPECT_EQ(PortableLayout("/tmp/d/").kind, LayoutKind::Portable);
  // A program folder that could not be found must not become the root.
  EXPECT_EQ(PortableLayout(QString()).dataFolder, QString());
}

TEST(DataLayoutOnDisk, InstalledPrefixMakesTheNestedDataFolder) {
  TempFolder temp;
  ASSERT_TRUE(QDir().mkpath(temp.File("prefix/bin")));
  ASSERT_TRUE(QDir().mkpath(temp.File("prefix/share/mirabo")));
  FileOps& disk = SystemFileOps();
  const LayoutEnvironment env{temp.File("xdg/deeper"), temp.File("home")};
  const DataLayout layout = ChooseDataLayout(temp.File("prefix/bin"), env, disk);
  EXPECT_EQ(layout.kind, LayoutKind::Installed);
  EXPECT_EQ(layout.dataFolder, temp.File("xdg/deeper/mirabo/"));
  EXPECT_TRUE(QFileInfo(layout.dataFolder).isDir());
  EXPECT_FALSE(QFileInfo::exists(temp.File("home")));  // HOME is not touched when XDG_DATA_HOME is set
  EXPECT_EQ(layout.error, "");
}

TEST(DataLayoutOnDisk, DataFolderBlockedByAFile) {
  TempFolder temp;
  ASSERT_TRUE(QDir().mkpath(temp.File("prefix/share/mirabo")));
  WriteBytes(temp.File("xdg"), "not a folder");
  FileOps& disk = SystemFileOps();
  const DataLayout layout = ChooseDataLayout(temp.File("prefix/bin"), {temp.File("xdg"), ""}, disk);
  EXPECT_NE(layout.error, "");
  EXPECT_EQ(ReadBytes(temp.File("xdg")), "not a folder");
}

TEST(DataLayoutOnDisk, BuildFolderStaysUntouched) {
  TempFolder temp;
  FileOps& disk = SystemFileOps();
  const DataLayout layout = ChooseDataLayout(temp.File("build"), {temp.File("xdg"), ""}, disk);
  EXPECT_EQ(layout.kind, LayoutKind::Portable);
  EXPECT_FALSE(QFileInfo::exists(temp.File("xdg")));
}

DataLayout Installed(const QString& folder) {
  DataLayout layout;
  layout.kind = LayoutKind::Installed;
  layout.dataFolder = folder;
  return layout;
}

TEST(FirstStartOffer, DueOnlyForAnEmptyInstalledFolderNotYetAsked) {
  MemoryFileSystem fs;
  EXPECT_TRUE(FirstStartOfferDue(Installed("/d/"), false, fs));
  EXPECT_FALSE(FirstStartOfferDue(Installed("/d/"), true, fs)) << "data already there";
  EXPECT_FALSE(FirstStartOfferDue(PortableLayout("/d/"), false, fs)) << "portable copies never ask";
  DataLayout broken = Installed("/d/");
  broken.error = QStringLiteral("x");
  EXPECT_FALSE(FirstStartOfferDue(broken, false, fs)) << "a folder that could not be made";
}

TEST(FirstStartOffer, RememberedPerDataFolder) {
  TempFolder a, b;
  FileOps& disk = SystemFileOps();
  RememberFirstStartOffer(Installed(a.Path()), disk);
  EXPECT_FALSE(FirstStartOfferDue(Installed(a.Path()), false, disk));
  EXPECT_TRUE(FirstStartOfferDue(Installed(b.Path()), false, disk));
  RememberFirstStartOffer(Installed(a.Path()), disk);  // a second note keeps the first
  EXPECT_FALSE(FirstStartOfferDue(Installed(a.Path()), false, disk));
  EXPECT_EQ(QDir(a.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
}

}  // namespace

}  // namespace mirabo

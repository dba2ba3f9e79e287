// The rebuild from a ZIP as published and from bytes in memory, and where the button looks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/TestText.h"
#include "support/ZipMaker.h"
#include "update/FailureKit.h"
#include "update/NationalFile.h"
#include "update/RebuildKit.h"
#include "update/national/ZipMember.h"

namespace mirabo {

namespace {

TEST(RebuildZip, BothPublishedEditionsGiveTheFilesOfTheUnpackedCsv) {
  const QByteArray cp932 = MakeKenAll(2000, 7, true);
  const QByteArray utf8 = MakeKenAll(2000, 7, true, {"--encoding", "utf8"});
  ASSERT_NE(cp932, utf8);
  const QList<QByteArray> expected = RebuiltDataFiles(cp932);
  ASSERT_EQ(RebuiltDataFiles(utf8), expected);  // the two editions hold the same rows

  for (const auto& [zipName, member, csv] : {std::tuple{"ken_all.zip", "KEN_ALL.CSV", cp932},
                                             std::tuple{"utf_ken_all.zip", "utf_ken_all.csv", utf8}}) {
    TempFolder folder;
    WriteBytes(folder.File(zipName), MakeZip({{member, csv}}));
    RecordingPlatform platform;
    const RebuildOutcome outcome = RebuildDataFiles(folder.Path(), folder.File(zipName), {.files = &platform.Files()});
    ASSERT_TRUE(outcome.ok) << FailureMessage(outcome.failure).toStdString();
    EXPECT_EQ(outcome.entryCount, expected[2].size() / 130);
    EXPECT_EQ(DataFileBytes(folder), expected) << zipName;
    // Nothing unpacked beside the archive.
    QStringList listing{"city.DAT", "fuken.DAT", "mirabo.lock", "ubinind.dat", "ubinno.dat", zipName};
    listing.sort();
    EXPECT_EQ(FolderListing(folder), listing);
  }
}

TEST(RebuildZip, ArchiveIsKnownByContentNotByName) {
  const QByteArray csv = MakeKenAll(50, 2);
  TempFolder folder;
  WriteBytes(folder.File("KEN_ALL.CSV"), MakeZip({{"KEN_ALL.CSV", csv}}));  // a ZIP under the CSV's name
  RecordingPlatform platform;
  ASSERT_TRUE(RebuildDataFiles(folder.Path(), folder.File("KEN_ALL.CSV"), {.files = &platform.Files()}).ok);
  EXPECT_EQ(DataFileBytes(folder), RebuiltDataFiles(csv));
}

TEST(RebuildZip, FromBytesInMemoryWritesOnlyTheDataFiles) {
  const QByteArray csv = MakeKenAll(80, 3);
  TempFolder folder;
  RecordingPlatform platform;
  const RebuildOutcome outcome = RebuildFromBytes(folder.Path(), MakeZip({{"KEN_ALL.CSV", csv}}), "ken_all.zip", {.files = &platform.Files()});
  ASSERT_TRUE(outcome.ok) << FailureMessage(outcome.failure).toStdString();
  EXPECT_EQ(FolderListing(folder),
            QStringList({"city.DAT", "fuken.DAT", "mirabo.lock", "ubinind.dat", "ubinno.dat"}));  // first import: no change report
  EXPECT_EQ(DataFileBytes(folder), RebuiltDataFiles(csv));
}

struct ZipRefusal {
  const char* name;
  QByteArray (*zip)(const QByteArray& row);  // the archive, around one good row
  ExpectedFailure failure;
};
void PrintTo(const ZipRefusal& c, std::ostream* os) { *os << c.name; }

class RebuildZipRefusal : public ::testing::TestWithParam<ZipRefusal> {};

// The refusal names the archive and its member, and the old files stay.
TEST_P(RebuildZipRefusal, KeepsTheOldFiles) {
  const QByteArray good = KenAllLine("1000001", "東京都", "千代田区", "千代田");
  TempFolder folder;
  RecordingPlatform platform;
  ASSERT_TRUE(RebuildFrom(folder, good, platform).ok);
  const QList<QByteArray> before = DataFileBytes(folder);
  WriteBytes(folder.File("ken_all.zip"), GetParam().zip(good));
  const RebuildOutcome outcome = RebuildDataFiles(folder.Path(), folder.File("ken_all.zip"), {.files = &platform.Files()});
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(FailsAs(outcome.failure, GetParam().failure));
  EXPECT_EQ(DataFileBytes(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RebuildZipRefusal,
    ::testing::Values(
        ZipRefusal{"no CSV", [](const QByteArray& row) { return MakeZip({{"readme.txt", row}}); },
                   {.kind = UpdateStatus::kZipNoCsv, .file = "ken_all.zip"}},
        ZipRefusal{"two CSVs", [](const QByteArray& row) { return MakeZip({{"a.csv", row}, {"b.csv", row}}); },
                   {.kind = UpdateStatus::kZipTwoCsvs, .file = "ken_all.zip", .member = "a.csv"}},
        ZipRefusal{"malformed second row",
                   [](const QByteArray& row) { return MakeZip({{"KEN_ALL.CSV", row + "1,2,3\r\n"}}); },
                   {.kind = UpdateStatus::kBadRow, .file = "ken_all.zip", .member = "KEN_ALL.CSV", .line = 2,
                    .reason = "値が 3 個あります（15 個のはずです）"}},
        ZipRefusal{"ZIP bomb", [](const QByteArray&) { return MakeZipBomb("KEN_ALL.CSV", kMaxZipMemberBytes + 1); },
                   {.kind = UpdateStatus::kZipMemberTooLarge, .file = "ken_all.zip", .member = "KEN_ALL.CSV", .number = 200}}),
    CaseName());

TEST(NationalFile, ButtonLooksForTheCsvThenEachArchiveInOrder) {
  TempFolder folder;
  EXPECT_EQ(FindNationalFile(folder.Path()), QString());
  QDir(folder.Path()).mkdir("KEN_ALL.CSV");  // a folder of that name is no file
  EXPECT_EQ(FindNationalFile(folder.Path()), QString());
  WriteBytes(folder.File("utf_ken_all.zip"), "z");
  EXPECT_EQ(FindNationalFile(folder.Path()), folder.File("utf_ken_all.zip"));
  WriteBytes(folder.File("ken_all.zip"), "z");
  EXPECT_EQ(FindNationalFile(folder.Path()), folder.File("ken_all.zip"));
  QDir(folder.Path()).rmdir("KEN_ALL.CSV");
  WriteBytes(folder.File("KEN_ALL.CSV"), "c");
  EXPECT_EQ(FindNationalFile(folder.Path()), folder.File("KEN_ALL.CSV"));
}

TEST(NationalFile, DownloadAddressChosenThenEnvironmentThenOfficial) {
  qunsetenv("MIRABO_DOWNLOAD_URL");
  EXPECT_EQ(DownloadUrls(), QStringList({"https://www.post.japanpost.jp/service/search/zipcode/download/kogaki/zip/ken_all.zip",
                                         "https://www.post.japanpost.jp/service/search/zipcode/download/utf/zip/utf_ken_all.zip"}));
  qputenv("MIRABO_DOWNLOAD_URL", "http://127.0.0.1:9/mirror.zip");
  EXPECT_EQ(DownloadUrls(), QStringList({"http://127.0.0.1:9/mirror.zip"}));
  EXPECT_EQ(DownloadUrls("http://127.0.0.1:9/chosen.zip"), QStringList({"http://127.0.0.1:9/chosen.zip"}));
  qputenv("MIRABO_DOWNLOAD_URL", "");
  EXPECT_EQ(DownloadUrls().size(), 2);
  qunsetenv("MIRABO_DOWNLOAD_URL");
}

}  // namespace

}  // namespace mirabo

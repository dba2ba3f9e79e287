// The update information message: grouped counts, the yy/mm/dd date, the prefecture line.
#include <gtest/gtest.h>

#include <ctime>

#include <QDateTime>
#include <QFile>

#include <utime.h>

#include "support/CaseName.h"
#include "support/TestFiles.h"
#include "support/TestText.h"
#include "update/UpdateInfo.h"

namespace mirabo {

namespace {

struct GroupCase {
  qint64 value;
  const char* text;
};
void PrintTo(const GroupCase& c, std::ostream* os) { *os << c.value; }

class UpdateInfoGrouping : public ::testing::TestWithParam<GroupCase> {};

TEST_P(UpdateInfoGrouping, PutsCommasBetweenGroupsOfThree) {
  EXPECT_EQ(FormatGrouped(GetParam().value), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, UpdateInfoGrouping,
                         ::testing::Values(GroupCase{0, ""}, GroupCase{1, "1"}, GroupCase{999, "999"},
                                           GroupCase{1000, "1,000"}, GroupCase{12345, "12,345"},
                                           GroupCase{124495, "124,495"}, GroupCase{1000000, "1,000,000"},
                                           GroupCase{2147483647, "2,147,483,647"}, GroupCase{-1234, "-1,234"}));

TEST(UpdateInfoText, FourLinesJoinedByCrLf) {
  EXPECT_EQ(UpdateInfoText(QDate(2001, 6, 3), 48, 1896, 124495),
            QStringLiteral("最新データ更新日＝01/06/03\r\n都道府県データ数＝47\r\n"
                           "市郡町村データ数＝1,896\r\n全郵便番号データ＝124,495"));
}

struct InfoCase {
  const char* name;
  std::optional<QDate> date;
  qint32 prefCount, cityCount, indexCount;
  const char* text;
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const InfoCase& c, std::ostream* os) { *os << c.name; }

class UpdateInfoLines : public ::testing::TestWithParam<InfoCase> {};

TEST_P(UpdateInfoLines, ShowTheCounts) {
  const InfoCase& c = GetParam();
  EXPECT_EQ(UpdateInfoText(c.date, c.prefCount, c.cityCount, c.indexCount), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateInfoLines,
    ::testing::Values(
        InfoCase{"NoRecordsShowZeroPrefectures", QDate(2024, 12, 31), 0, 0, 0,
                 "最新データ更新日＝24/12/31\r\n都道府県データ数＝0\r\n市郡町村データ数＝\r\n全郵便番号データ＝"},
        InfoCase{"SentinelOnlyShowsZero", QDate(2000, 1, 1), 1, 0, 0,
                 "最新データ更新日＝00/01/01\r\n都道府県データ数＝0\r\n市郡町村データ数＝\r\n全郵便番号データ＝"},
        InfoCase{"ThreeDigitsWithoutComma", QDate(1999, 10, 9), 4, 999, 999,
                 "最新データ更新日＝99/10/09\r\n都道府県データ数＝3\r\n市郡町村データ数＝999\r\n全郵便番号データ＝999"},
        InfoCase{"PrefectureCountIsNotGrouped", QDate(2001, 6, 3), 1235, 1000, 1000,
                 "最新データ更新日＝01/06/03\r\n都道府県データ数＝1234\r\n市郡町村データ数＝1,000\r\n全郵便番号データ＝1,000"},
        InfoCase{"UnreadableDateLeavesLineOneBare", std::nullopt, 48, 1, 2,
                 "最新データ更新日＝\r\n都道府県データ数＝47\r\n市郡町村データ数＝1\r\n全郵便番号データ＝2"}),
    CaseName());

TEST(UpdateInfoDate, IsTheLocalModificationDateOfTheIndexFile) {
  TempFolder folder;
  WriteBytes(folder.File("ubinind.dat"), QByteArray(14, ' '));
  QFile index(folder.File("ubinind.dat"));
  ASSERT_TRUE(index.open(QIODevice::ReadWrite));
  // Late in the local day, so a date taken in another time zone would differ.
  ASSERT_TRUE(index.setFileTime(QDateTime(QDate(2001, 6, 3), QTime(23, 30), Qt::LocalTime), QFileDevice::FileModificationTime));
  index.close();
  EXPECT_EQ(IndexFileDate(folder.Path()), QDate(2001, 6, 3));
}

TEST(UpdateInfoDate, IndexFileDatedAtTheEpochShowsThatDate) {
  TempFolder folder;
  WriteBytes(folder.File("ubinind.dat"), QByteArray(14, ' '));
  const struct utimbuf epoch {0, 0};
  ASSERT_EQ(::utime(QFile::encodeName(folder.File("ubinind.dat")).constData(), &epoch), 0);
  // Japan's time, where the epoch falls at 09:00 on 1970-01-01.
  const QByteArray oldZone = qgetenv("TZ");
  qputenv("TZ", "JST-9");
  ::tzset();
  const std::optional<QDate> date = IndexFileDate(folder.Path());
  oldZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", oldZone);
  ::tzset();
  EXPECT_TRUE(UpdateInfoText(date, 48, 1, 1).startsWith(QStringLiteral("最新データ更新日＝70/01/01\r\n")));
}

TEST(UpdateInfoDate, MissingIndexFileGivesNoDate) {
  TempFolder folder;
  EXPECT_EQ(IndexFileDate(folder.Path()), std::nullopt);
}

}  // namespace

}  // namespace mirabo

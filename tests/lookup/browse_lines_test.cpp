// Lines of the prefecture, city and town lists, their extents, and reads that fail.
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "lookup/Browse.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

const QString kNul(QChar(u'\0'));

TEST(BrowseLines, PrefectureNameFillsEightBytes) {
  EXPECT_EQ(PrefLine({"北海道    ", 1, 1}), QString("北海道  "));  // stored as 6 bytes and 4 spaces
  EXPECT_EQ(PrefLine({"神奈川県  ", 1, 1}), QString("神奈川県"));
  EXPECT_EQ(PrefLine({"ＡＢＣＤＥ", 1, 1}), QString("ＡＢＣＤ"));
  EXPECT_EQ(PrefLine({QString(10, QChar(u'\0')), 0, 0}), QString(8, QChar(u'\0')));  // never-written bytes
}

TEST(BrowseLines, CityNameIsCutAtNulAndTrimmed) {
  EXPECT_EQ(CityLine({"  千代田区" + QString(20, u' '), 1, 2}), QString("千代田区"));
  EXPECT_EQ(CityLine({"港区" + kNul + "古い名前", 1, 2}), QString("港区"));
  EXPECT_EQ(CityLine({QString(30, QChar(u'\0')), 0, 0}), QString());
  EXPECT_EQ(CityLine({"　市　", 1, 1}), QString("　市　"));  // ideographic spaces stay
}

TEST(BrowseLines, TownLineIsCodeCityAndTownWithWideSpaces) {
  const EntryRecord entry = Entry("1000001   ", "東京都    ", "千代田区  ", "千代田" + QString(74, u' '));
  EXPECT_EQ(TownLine(entry), QString("1000001　千代田区　千代田"));
  EXPECT_EQ(TownLineLength(entry), 7);
  // A short code is filled to seven columns; an empty town leaves the separator at the end.
  const EntryRecord shortCode = Entry("105", "東京都", "港区", "");
  EXPECT_EQ(TownLine(shortCode), QString("105    　港区　"));
  EXPECT_EQ(TownLineLength(shortCode), 2);
  const EntryRecord nulTown = Entry("1000002", "東京都", "港区", "芝" + kNul + "x");
  EXPECT_EQ(TownLine(nulTown), QString("1000002　港区　芝"));
}

TEST(BrowseLines, ExtentsCountEveryCharacterAsOneEm) {
  EXPECT_EQ(CityListExtent(5, 15), 83);   // (5 * 225 + 120) / 15
  EXPECT_EQ(CityListExtent(0, 15), 8);    // 120 / 15
  EXPECT_EQ(CityListExtent(5, 12), 103);  // 1245 / 12, rounded down
  EXPECT_EQ(TownListExtent(1, 15), 105);  // (1 + 6) * 225 / 15
  EXPECT_EQ(TownListExtent(0, 15), 90);
  EXPECT_EQ(TownListExtent(20, 12), 487);  // 5850 / 12, rounded down
}

class BrowseData : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDataFiles(folder_.Path(), {Entry("0600000", "北海道", "札幌市", "中央"), Entry("0600001", "北海道", "札幌市", "北一条"),
                                    Entry("0400000", "北海道", "函館市", "元町"), Entry("1000001", "東京都", "千代田区", "千代田")});
    data_.OpenDataFiles(folder_.Path());
  }
  TempFolder folder_;
  DataSet data_;
};

TEST_F(BrowseData, PrefectureListLeavesOutTheLastRecord) {
  ASSERT_EQ(data_.PrefCount, 3);  // two prefectures and the sentinel
  EXPECT_EQ(PrefectureLines(data_), QStringList({"北海道  ", "東京都  "}));
}

TEST_F(BrowseData, CityAndTownListsFollowTheRanges) {
  const ListFill cities = CityListOf(data_, 1);
  EXPECT_EQ(cities.lines, QStringList({"札幌市", "函館市"}));
  EXPECT_EQ(cities.widest, 3);
  const ListFill towns = TownListOf(data_, 1, 2);
  EXPECT_EQ(towns.lines, QStringList({"0600000　札幌市　中央", "0600001　札幌市　北一条"}));
  EXPECT_EQ(towns.widest, 6);
}

TEST_F(BrowseData, RangeStartingAtZeroListsTheCityReadLast) {
  // A prefecture record of zero bytes (FirstCity 0, LastCity 0): the read of city 0
  // fails and the buffer keeps the city read before it.
  ASSERT_TRUE(data_.ReadCity(2));
  const ListFill fill = CityListOf(data_, 40);
  EXPECT_EQ(fill.lines, QStringList({"函館市"}));
}

TEST_F(BrowseData, CorruptRangeListsNoMoreThanTheFileHolds) {
  data_.PrefRec = {"壊れた県", 1, 2000000000};
  ASSERT_TRUE(data_.WritePref(1));
  const ListFill fill = CityListOf(data_, 1);
  EXPECT_EQ(fill.lines.size(), data_.CityCount + 1);
  EXPECT_EQ(fill.lines.first(), QString("札幌市"));
  EXPECT_EQ(fill.lines.last(), QString());  // past the end of the file: zero bytes
  EXPECT_EQ(TownListOf(data_, 1, 2000000000).lines.size(), data_.EntryCount + 1);
}

TEST(BrowseLinesEmpty, NoPrefectureRecordsListNothing) {
  TempFolder folder;
  DataSet data;
  data.OpenDataFiles(folder.Path());
  EXPECT_TRUE(PrefectureLines(data).isEmpty());
  data.PrefRec = {"北海道", 1, 1};
  data.WritePref(1);
  data.OpenDataFiles(folder.Path());
  EXPECT_TRUE(PrefectureLines(data).isEmpty());  // one record is only the last one
}

}  // namespace

}  // namespace mirabo

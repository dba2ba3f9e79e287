// The prefecture, city and entry records a rebuild writes, against bytes written out by hand.
#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "support/TestText.h"
#include "update/RebuildKit.h"

namespace mirabo {

namespace {

struct Row {
  const char* code;
  const char* pref;
  const char* city;
  const char* town;
};

struct RecordCase {
  const char* name;
  std::vector<Row> rows;
  QByteArray pref;  // whole fuken.DAT
  QByteArray city;  // whole city.DAT
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

// Shift-JIS spellings used below.
const QByteArray kHokkaido = Hex("96 6B 8A 43 93 B9");        // 北海道
const QByteArray kTokyo = Hex("93 8C 8B 9E 93 73");           // 東京都
const QByteArray kFullAbc = Hex("82 60 82 61 82 62");         // ＡＢＣ
// あいうえおかきくけこさしすせそ: fifteen kana, exactly 30 bytes.
const QByteArray kKana15 = Hex("82 A0 82 A2 82 A4 82 A6 82 A8 82 A9 82 AB 82 AD 82 AF 82 B1 82 B3 82 B5 82 B7 82 B9 82 BB");

std::vector<RecordCase> RecordCases() {
  return {
      {"TwoRowsOfOneCityShareOneCity",
       {{"0600000", "北海道", "CityA", "T1"}, {"0600001", "北海道", "CityA", "T2"}},
       PrefBytes(Field(kHokkaido, 10), 1, 1) + SentinelBytes(),
       CityBytes(Ascii("CityA", 30), 1, 2)},
      {"NewPrefectureAlwaysStartsNewCity",
       {{"0600000", "北海道", "Same", "T1"}, {"1000000", "東京都", "Same", "T2"}},
       PrefBytes(Field(kHokkaido, 10), 1, 1) + PrefBytes(Field(kTokyo, 10), 2, 2) + SentinelBytes(),
       CityBytes(Ascii("Same", 30), 1, 1) + CityBytes(Ascii("Same", 30), 2, 2)},
      {"OneCityNameInTwoPrefecturesMakesTwoCities",
       {{"0600000", "北海道", "CityA", "T1"},
        {"0600001", "北海道", "CityB", "T2"},
        {"1000000", "東京都", "CityB", "T3"},
        {"1000001", "東京都", "CityB", "T4"}},
       PrefBytes(Field(kHokkaido, 10), 1, 2) + PrefBytes(Field(kTokyo, 10), 3, 3) + SentinelBytes(),
       CityBytes(Ascii("CityA", 30), 1, 1) + CityBytes(Ascii("CityB", 30), 2, 2) +
           CityBytes(Ascii("CityB", 30), 3, 4)},
      {"InterruptedRunsMakeSecondRecords",
       {{"1", "P1", "C1", "a"}, {"2", "P1", "C2", "b"}, {"3", "P1", "C1", "c"}, {"4", "P2", "C1", "d"},
        {"5", "P1", "C1", "e"}},
       PrefBytes(Ascii("P1", 10), 1, 3) + PrefBytes(Ascii("P2", 10), 4, 4) + PrefBytes(Ascii("P1", 10), 5, 5) +
           SentinelBytes(),
       CityBytes(Ascii("C1", 30), 1, 1) + CityBytes(Ascii("C2", 30), 2, 2) + CityBytes(Ascii("C1", 30), 3, 3) +
           CityBytes(Ascii("C1", 30), 4, 4) + CityBytes(Ascii("C1", 30), 5, 5)},
      {"WidthAndTrailingSpaceMakeDifferentNames",
       {{"1", "ABC", "X", "a"}, {"2", "ABC ", "X", "b"}, {"3", "ＡＢＣ", "X", "c"}, {"4", "ＡＢＣ", "X ", "d"},
        {"5", "ＡＢＣ", "Ｘ", "e"}},
       PrefBytes(Ascii("ABC", 10), 1, 1) + PrefBytes(Ascii("ABC", 10), 2, 2) + PrefBytes(Field(kFullAbc, 10), 3, 5) +
           SentinelBytes(),
       CityBytes(Ascii("X", 30), 1, 1) + CityBytes(Ascii("X", 30), 2, 2) + CityBytes(Ascii("X", 30), 3, 3) +
           CityBytes(Ascii("X", 30), 4, 4) + CityBytes(Field(Hex("82 77"), 30), 5, 5)},
      {"NamesDifferingBeyondThirtyBytesMakeTwoCitiesWithEqualStoredNames",
       {{"1", "P", "あいうえおかきくけこさしすせそX", "a"}, {"2", "P", "あいうえおかきくけこさしすせそY", "b"}},
       PrefBytes(Ascii("P", 10), 1, 2) + SentinelBytes(),
       CityBytes(kKana15, 1, 1) + CityBytes(kKana15, 2, 2)},
      {"EmptyPrefectureNameOnTheFirstRowStillStartsPrefectureAndCity",
       {{"1", "", "", "a"}, {"2", "", "", "b"}, {"3", "P", "", "c"}},
       PrefBytes(Ascii("", 10), 1, 1) + PrefBytes(Ascii("P", 10), 2, 2) + SentinelBytes(),
       CityBytes(Ascii("", 30), 1, 2) + CityBytes(Ascii("", 30), 3, 3)},
      // a, then あいうえお: the last kana would overhang byte 10, so a space stands in.
      {"LongPrefectureNameIsCutAtAWholeCharacter",
       {{"1", "aあいうえお", "C", "t"}},
       PrefBytes(Hex("61 82 A0 82 A2 82 A4 82 A6 20"), 1, 1) + SentinelBytes(),
       CityBytes(Ascii("C", 30), 1, 1)},
  };
}

class RebuildRecords : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RebuildRecords, WritesPrefectureCityAndSentinelBytes) {
  const RecordCase& c = GetParam();
  QByteArray csv;
  for (const Row& row : c.rows) csv += KenAllLine(row.code, row.pref, row.city, row.town);
  TempFolder folder;
  RecordingPlatform platform;
  const RebuildOutcome outcome = RebuildFrom(folder, csv, platform);
  ASSERT_TRUE(outcome.ok) << FailureMessage(outcome.failure).toStdString();

  EXPECT_EQ(ReadBytes(folder.File("fuken.DAT")), c.pref);
  EXPECT_EQ(ReadBytes(folder.File("city.DAT")), c.city);
  EXPECT_EQ(outcome.prefCount, c.pref.size() / 18);
  EXPECT_EQ(outcome.cityCount, c.city.size() / 38);
  EXPECT_EQ(outcome.entryCount, qint32(c.rows.size()));
  EXPECT_EQ(outcome.indexCount, qint32(c.rows.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, RebuildRecords, ::testing::ValuesIn(RecordCases()),
                         CaseName());

TEST(RebuildEntries, EntryRecordHoldsPrefCityTownAndCodeCutToTheirFields) {
  // Town: 41 kanji 一 (88 EA) = 82 bytes, cut to 40 kanji; code of nine digits cut to ten bytes is kept whole.
  QByteArray town41;
  for (int i = 0; i < 41; ++i) town41 += "一";
  TempFolder folder;
  RecordingPlatform platform;
  const QByteArray csv = KenAllLine("999000123", "東京都", "千代田区", "") + KenAllLine("1000001", "北海道", "X", town41.constData());
  ASSERT_TRUE(RebuildFrom(folder, csv, platform).ok);

  QByteArray kanji40;
  for (int i = 0; i < 40; ++i) kanji40 += Hex("88 EA");
  const QByteArray expected = Field(kTokyo, 10) + Field(Hex("90 E7 91 E3 93 63 8B E6"), 30) /* 千代田区 */ +
                              Ascii("", 80) + Ascii("999000123", 10) +  //
                              Field(kHokkaido, 10) + Ascii("X", 30) + kanji40 + Ascii("1000001", 10);
  EXPECT_EQ(ReadBytes(folder.File("ubinno.dat")), expected);
}

// Rows are copied from the file's bytes where they can be: the stored fields must still
// be those of the decoded texts, and names must still compare as texts.
TEST(RebuildEntries, TwoCodesOfOneKanjiNameOneCityAndAreStoredInTheIbmForm) {
  // 纊市 as ED 40 8E 73 (NEC-selected) and as FA 5C 8E 73 (IBM); the middle row holds a
  // doubled quote, so it is read as text.
  const auto row = [](const char* code, const QByteArray& city, const char* town) {
    return QByteArray("13101,\"100  \",\"") + code + "\",\"X\",\"X\",\"X\",\"" + kTokyo + "\",\"" + city + "\",\"" +
           town + "\",0,0,0,0,0,0\r\n";
  };
  const QByteArray csv = row("1000001", Hex("ED 40 8E 73"), "a") + row("1000002", Hex("ED 40 8E 73"), "b\"\"c") +
                         row("1000003", Hex("FA 5C 8E 73"), "d");
  TempFolder folder;
  RecordingPlatform platform;
  ASSERT_TRUE(RebuildFrom(folder, csv, platform).ok);

  const QByteArray city = Field(Hex("FA 5C 8E 73"), 30);
  EXPECT_EQ(ReadBytes(folder.File("city.DAT")), CityBytes(city, 1, 3));
  EXPECT_EQ(ReadBytes(folder.File("ubinno.dat")),
            Field(kTokyo, 10) + city + Ascii("a", 80) + Ascii("1000001", 10) +  //
                Field(kTokyo, 10) + city + Ascii("b\"c", 80) + Ascii("1000002", 10) +  //
                Field(kTokyo, 10) + city + Ascii("d", 80) + Ascii("1000003", 10));
}

TEST(RebuildEntries, EmptyLinesAtTheEndAddNoEntry) {
  TempFolder folder;
  RecordingPlatform platform;
  const RebuildOutcome outcome = RebuildFrom(folder, KenAllLine("1", "P", "C", "t") + "\r\n\r\n\n", platform);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.entryCount, 1);
  EXPECT_EQ(ReadBytes(folder.File("ubinno.dat")).size(), 130);
  EXPECT_EQ(ReadBytes(folder.File("city.DAT")), CityBytes(Ascii("C", 30), 1, 1));
}

}  // namespace

}  // namespace mirabo

// The verdict of address-list rows over a small hand-made data set, as data tables.
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "listcheck/ListCheck.h"
#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

// Record numbers are the positions in this list, from 1.
QList<EntryRecord> CheckEntries() {
  return {
      Entry("0600000", U("北海道"), U("札幌市中央区"), U("以下に掲載がない場合")),      // 1
      Entry("0640820", U("北海道"), U("札幌市中央区"), U("大通西（２０～２８丁目）")),  // 2
      Entry("0600042", U("北海道"), U("札幌市中央区"), U("大通西（１～１９丁目）")),    // 3
      Entry("0640820", U("北海道"), U("札幌市中央区"), U("大通西（２９丁目")),          // 4
      Entry("0460000", U("北海道"), U("余市郡余市町"), U("以下に掲載がない場合")),      // 5
      Entry("0460003", U("北海道"), U("余市郡余市町"), U("黒川町")),                    // 6
      Entry("0460003", U("北海道"), U("余市郡余市町"), U("大川町")),                    // 7
      Entry("9630000", U("福島県"), U("郡山市"), U("以下に掲載がない場合")),            // 8
      Entry("9693100", U("福島県"), U("耶麻郡猪苗代町"), U("猪苗代町の次に番地がくる場合")),  // 9
      Entry("1000000", U("東京都"), U("千代田区"), U("以下に掲載がない場合")),          // 10
      Entry("1000005", U("東京都"), U("千代田区"), U("丸の内（次のビルを除く）")),      // 11
      Entry("1006490", U("東京都"), U("千代田区"), U("丸の内ＪＰタワー（地階・階層不明）")),  // 12
      Entry("1000005", U("東京都"), U("千代田区"), U("丸の内（１丁目）")),              // 13
      Entry("1000001", U("東京都"), U("千代田区"), U("千代田")),                        // 14
      Entry("1830000", U("東京都"), U("府中市"), U("以下に掲載がない場合")),            // 15
      Entry("1000100", U("東京都"), U("大島町"), U("大島町一円")),                      // 16
      Entry("2100000", U("神奈川県"), U("川崎市川崎区"), U("以下に掲載がない場合")),    // 17
      Entry("5221700", U("滋賀県"), U("犬上郡多賀町"), U("以下に掲載がない場合")),      // 18
      Entry("5221200", U("滋賀県"), U("犬上郡多賀町"), U("一円")),                      // 19
      Entry("6040000", U("京都府"), U("京都市中京区"), U("以下に掲載がない場合")),      // 20
      Entry("6040801", U("京都府"), U("京都市中京区"), U("梅屋町")),                    // 21
      Entry("6040802", U("京都府"), U("京都市中京区"), U("烏丸町")),                    // 22
      Entry("7260000", U("広島県"), U("府中市"), U("以下に掲載がない場合")),            // 23
      Entry("7260002", U("広島県"), U("府中市"), U("鵜飼町")),                          // 24
  };
}

class CheckFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OpenDataSet set(CheckEntries());
    reader_ = new AddressReader(set.data);
  }
  static void TearDownTestSuite() { delete reader_; }
  static AddressReader* reader_;
};
AddressReader* CheckFixture::reader_ = nullptr;

struct MatchCase {
  const char* name;
  const char* address;
  QList<qint32> best;
};
void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.name; }

class BestEntriesTest : public CheckFixture, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(BestEntriesTest, Finds) {
  QList<qint32> best;
  for (const AddressMatch& match : reader_->Read(U(GetParam().address)))
    if (match.best) best << match.recordNo;
  EXPECT_EQ(best, GetParam().best);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, BestEntriesTest,
    ::testing::Values(
        MatchCase{"PrefectureCityTown", "東京都千代田区千代田1-1", {14}},
        MatchCase{"WithoutPrefecture", "千代田区千代田1-1", {14}},
        MatchCase{"SpacesAndFullWidthOnTheAddress", "東京都　千代田区 千代田１－１", {14}},
        MatchCase{"ChomeOutsideTheNoteLeavesTheTownWithoutIt", "東京都千代田区丸の内2丁目", {11}},
        MatchCase{"LongerTownWinsOverShorterAndCityWide", "千代田区丸の内ＪＰタワー5階", {12}},
        MatchCase{"HalfWidthAddressMatchesFullWidthTown", "千代田区丸の内JPﾀﾜｰ", {12}},
        MatchCase{"UnknownTownFallsBackToTheCityWideEntry", "千代田区永田町1", {10}},
        MatchCase{"CityAloneGivesTheCityWideEntry", "東京都千代田区", {10}},
        MatchCase{"ChomePicksTheRange", "札幌市中央区大通西5丁目", {3}},
        MatchCase{"NoChomeGivesEveryRange", "札幌市中央区大通西", {2, 3, 4}},
        MatchCase{"CountyWritten", "北海道余市郡余市町黒川町10", {6}},
        MatchCase{"CountyOmitted", "北海道余市町黒川町10", {6}},
        MatchCase{"CountyOmittedWithoutPrefecture", "余市町大川町", {7}},
        MatchCase{"KoriyamaIsNotACounty", "福島県山市1", {}},
        MatchCase{"KoriyamaItself", "福島県郡山市1", {8}},
        MatchCase{"NumberFollowsTheCityIsCityWide", "猪苗代町1234", {9}},
        MatchCase{"WholeOfATownIsCityWide", "東京都大島町元町1", {16}},
        MatchCase{"PlaceNamedIchien", "滋賀県犬上郡多賀町一円", {19}},
        MatchCase{"PlaceNamedIchienCountyOmitted", "滋賀県多賀町一円1", {19}},
        MatchCase{"KyotoStreetBeforeTheTown", "京都府京都市中京区六角通二条上る梅屋町", {21}},
        MatchCase{"SameLengthDirectBeforeIndirect", "京都市中京区烏丸町梅屋町", {22}},
        MatchCase{"SameCityInTwoPrefecturesWithoutPrefecture", "府中市本町", {15, 23}},
        MatchCase{"SameCityNamedPrefecture", "広島県府中市本町", {23}},
        MatchCase{"TownOfTheOtherSameNamedCity", "府中市鵜飼町1", {24}},
        MatchCase{"AnotherPrefectureNamed", "神奈川県千代田区丸の内1", {}},
        MatchCase{"PrefectureNotInTheDataIsPartOfTheCity", "大阪府千代田区丸の内1", {}},
        MatchCase{"CityMustFollowThePrefectureDirectly", "東京都X千代田区", {}},
        MatchCase{"PrefectureAlone", "東京都", {}},
        MatchCase{"Empty", "", {}}),
    CaseName());

struct VerdictCase {
  const char* name;
  const char* code;
  const char* address;
  Verdict verdict;
  const char* suggestion;
};
void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class VerdictTest : public CheckFixture, public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(VerdictTest, Judges) {
  const RowVerdict result = CheckRow(*reader_, U(GetParam().code), U(GetParam().address));
  EXPECT_EQ(VerdictKey(result.verdict), VerdictKey(GetParam().verdict));
  EXPECT_EQ(result.suggestion, U(GetParam().suggestion));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VerdictTest,
    ::testing::Values(
        VerdictCase{"Ok", "〒064-0820", "北海道札幌市中央区大通西20丁目", Verdict::Ok, ""},
        VerdictCase{"RangeDecidesTheCode", "0600042", "札幌市中央区大通西25丁目", Verdict::Mismatch, "064-0820"},
        VerdictCase{"OkOnAnyOfEquallyGoodCodes", "0600042", "札幌市中央区大通西", Verdict::Ok, ""},
        VerdictCase{"OkForOneOfSeveralTownsOfACode", "０４６－０００３", "余市町大川町", Verdict::Ok, ""},
        VerdictCase{"OkCityWide", "100-0000", "千代田区永田町1", Verdict::Ok, ""},
        VerdictCase{"MismatchGivesTheDistinctCodes", "100-0001", "東京都千代田区丸の内1-1", Verdict::Mismatch,
                    "100-0005"},
        VerdictCase{"MismatchCodesInRecordOrderNotAscending", "0600000", "札幌市中央区大通西", Verdict::Mismatch,
                    "064-0820,060-0042"},
        VerdictCase{"MismatchAcrossPrefectures", "1000000", "府中市本町", Verdict::Mismatch, "183-0000,726-0000"},
        VerdictCase{"MismatchShorterTownLoses", "1000005", "千代田区丸の内ＪＰタワー", Verdict::Mismatch,
                    "100-6490"},
        VerdictCase{"UnknownCode", "999-9999", "千代田区千代田1", Verdict::UnknownCode, "100-0001"},
        VerdictCase{"UnknownCodeAndAddress", "9999999", "どこにもない", Verdict::UnknownCode, ""},
        VerdictCase{"UnknownAddressGivesTheCodesAddressesInRecordOrder", "0460003", "東京都余市町黒川町",
                    Verdict::UnknownAddress, "北海道余市郡余市町黒川町、北海道余市郡余市町大川町"},
        VerdictCase{"UnknownAddressAddressesDistinctAndAsStored", "1006490", "どこか", Verdict::UnknownAddress,
                    "東京都千代田区丸の内ＪＰタワー"},
        VerdictCase{"NoAddressSameCleanedTownOnce", "1000005", " ", Verdict::NoAddress, "東京都千代田区丸の内"},
        VerdictCase{"NoAddressUnknownCode", "1000009", "", Verdict::UnknownCode, ""},
        VerdictCase{"MissingGivesTheCodes", "", "千代田区丸の内ＪＰタワー", Verdict::Missing, "100-6490"},
        VerdictCase{"MissingUnknownAddress", " ", "どこか", Verdict::Missing, ""},
        VerdictCase{"UnknownAddressCityWideEntryHasNoTown", "5221700", "犬上郡", Verdict::UnknownAddress,
                    "滋賀県犬上郡多賀町"},
        VerdictCase{"BadCodeGivesTheCodes", "100-000", "千代田区丸の内", Verdict::BadCode, "100-0005"},
        VerdictCase{"LeadingZeroLost", "600042", "札幌市中央区大通西3", Verdict::LostZero, "060-0042"},
        VerdictCase{"LeadingZeroLostFromAWrongCode", "640820", "札幌市中央区大通西3", Verdict::BadCode, "060-0042"},
        VerdictCase{"SixDigitsNotStartingWithZero", "100000", "千代田区永田町", Verdict::BadCode, "100-0000"},
        VerdictCase{"EmptyCodeAndAddressIsMissing", "", "", Verdict::Missing, ""}),
    CaseName());

TEST(AddressReader, EmptyDataSetKnowsNoCode) {
  TempFolder folder;
  DataSet data;
  data.OpenDataFiles(folder.Path());
  const AddressReader reader(data);
  EXPECT_EQ(reader.EntryCount(), 0);
  const RowVerdict result = CheckRow(reader, "1000001", U("東京都千代田区"));
  EXPECT_EQ(result.verdict, Verdict::UnknownCode);
  EXPECT_EQ(result.suggestion, "");
}

struct KeyCase {
  const char* name;
  Verdict verdict;
  const char* keyAndLabel;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class VerdictKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VerdictKeyTest, KeyAndLabel) {
  EXPECT_EQ(VerdictKey(GetParam().verdict) + u'|' + VerdictLabel(GetParam().verdict), U(GetParam().keyAndLabel));
}

INSTANTIATE_TEST_SUITE_P(Verdicts, VerdictKeyTest,
                         ::testing::Values(KeyCase{"Ok", Verdict::Ok, "ok|正常"},
                                           KeyCase{"Mismatch", Verdict::Mismatch, "mismatch|郵便番号違い"},
                                           KeyCase{"Missing", Verdict::Missing, "missing|郵便番号なし・補完"},
                                           KeyCase{"LostZero", Verdict::LostZero, "lost-zero|先頭の0が抜けています"},
                                           KeyCase{"NoAddress", Verdict::NoAddress, "no-address|住所なし・補完"},
                                           KeyCase{"UnknownCode", Verdict::UnknownCode, "unknown-code|存在しない番号"},
                                           KeyCase{"UnknownAddress", Verdict::UnknownAddress, "unknown-address|住所不明"},
                                           KeyCase{"BadCode", Verdict::BadCode, "bad-code|番号の形式違い"}),
                         CaseName());

}  // namespace

}  // namespace mirabo

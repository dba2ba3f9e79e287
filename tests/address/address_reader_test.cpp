// Addresses as people write them, read against a national file from the repository's
// generator with its --forms cities: one row per written form, codes by hand.
#include <gtest/gtest.h>

#include "address/AddressReader.h"
#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

class ReaderFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    set_ = new OpenDataSet(EntriesFromCsv(MakeKenAll(3000, 1, false, {"--forms"})));
    reader_ = new AddressReader(set_->data);
  }
  static void TearDownTestSuite() {
    delete reader_;
    delete set_;
  }
  // The codes of every match, best first, each once; the best ones before "|".
  static QString Ranked(const QString& address) {
    QStringList best, rest;
    for (const AddressMatch& match : reader_->Read(address)) {
      QStringList& into = match.best ? best : rest;
      if (!best.contains(reader_->Code(match.recordNo)) && !rest.contains(reader_->Code(match.recordNo)))
        into << reader_->Code(match.recordNo);
    }
    return best.join(u',') + u'|' + rest.join(u',');
  }
  static OpenDataSet* set_;
  static AddressReader* reader_;
};
OpenDataSet* ReaderFixture::set_ = nullptr;
AddressReader* ReaderFixture::reader_ = nullptr;

struct ReadCase {
  const char* name;
  const char* address;
  const char* best;  // codes, best first, joined by ","
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class BestCodesTest : public ReaderFixture, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(BestCodesTest, Reads) {
  EXPECT_EQ(reader_->BestCodes(U(GetParam().address)).join(u','), U(GetParam().best));
}

INSTANTIATE_TEST_SUITE_P(
    PartsLeftOutOrAdded, BestCodesTest,
    ::testing::Values(
        ReadCase{"prefecture city town house", "東京都千代田区千代田1-1", "1000001"},
        ReadCase{"no prefecture and a space", "千代田区 千代田", "1000001"},
        ReadCase{"full width spaces building and room", "東京都　千代田区　千代田１－１－１　千代田ビル３Ｆ 201号室", "1000001"},
        ReadCase{"chome banchi go in kanji", "千代田区千代田一丁目2番3号", "1000001"},
        ReadCase{"long vowel mark for a hyphen", "千代田区千代田1ー2ー3", "1000001"},
        ReadCase{"county left out", "北海道余市町黒川町10", "0460003"},
        ReadCase{"county written with banchi", "北海道余市郡余市町黒川町１０番地", "0460003"},
        ReadCase{"ward of a big city", "大阪府大阪市北区梅田1-1-3", "5300001"},
        ReadCase{"town without its city", "神田神保町1-2", "1010051"},
        ReadCase{"unlisted town gives the city wide row", "千代田区永田町1-7-1", "1000000"},
        ReadCase{"city alone", "東京都千代田区", "1000000"},
        ReadCase{"island of one code", "東京都青ヶ島村", "1001701"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Numerals, BestCodesTest,
    ::testing::Values(
        ReadCase{"arabic jo and chome", "札幌市中央区北1条西2丁目", "0600001"},
        ReadCase{"kanji jo and chome", "札幌市中央区北一条西二丁目", "0600001"},
        ReadCase{"east not west", "札幌市中央区北1条東", "0600031"},
        ReadCase{"sapporo with house number", "北海道札幌市中央区南2条東4丁目5-6", "0600052"},
        ReadCase{"two digit jo", "札幌市中央区南24条西10丁目", "0640924"},
        ReadCase{"jo after a name", "札幌市中央区宮の森1条10丁目1-1", "0640951"},
        ReadCase{"sen and go", "鷹栖町北野西11線5号", "0711211"},
        ReadCase{"three sen is not eleven", "鷹栖町北野西3線", "0711201"},
        ReadCase{"bancho", "千代田区1番町5", "1020082"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Variants, BestCodesTest,
    ::testing::Values(
        ReadCase{"small ke for stored ke beats the shorter town", "市原市飯野桜ヶ丘1-2", "2990112"},
        ReadCase{"shorter town alone", "市原市飯野123", "2990111"},
        ReadCase{"small ke for stored ga", "郡山市留ヶ森1", "9630201"},
        ReadCase{"katakana ke for stored ga", "福島県郡山市留ケ森", "9630201"},
        ReadCase{"common form for an old kanji", "市原市山崎10", "2990113"},
        ReadCase{"common taka", "市原市高田", "2990114"},
        ReadCase{"hiragana no for katakana", "市原市西の谷", "2990115"},
        ReadCase{"variant in the city name", "東京都青ケ島村", "1001701"},
        ReadCase{"exact spelling", "札幌市中央区旭ケ丘5丁目", "0640941"},
        ReadCase{"near miss of the longer town gives the shorter", "市原市飯野が丘", "2990111"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    KyotoStreets, BestCodesTest,
    ::testing::Values(
        ReadCase{"agaru", "京都市中京区烏丸通二条上る梅屋町", "6040801"},
        ReadCase{"sagaru katakana and a number", "京都府京都市中京区河原町通三条下ル大黒町123", "6048031"},
        ReadCase{"longer town after the street", "京都市中京区烏丸通二条上る梅屋町東", "6040802"},
        ReadCase{"town directly", "京都市中京区大黒町", "6048031"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Notes, BestCodesTest,
    ::testing::Values(
        ReadCase{"chome in the first range", "札幌市中央区大通西5丁目", "0600042"},
        ReadCase{"chome in the second range", "札幌市中央区大通西20丁目", "0640820"},
        ReadCase{"chome as the first number", "札幌市中央区大通西19-1", "0600042"},
        ReadCase{"no chome written gives both", "札幌市中央区大通西", "0600042,0640820"},
        ReadCase{"chome beyond every range gives all", "札幌市中央区大通西30丁目", "0600042,0640820"},
        ReadCase{"banchi in range", "札幌市南区常盤131番地", "0050865"},
        ReadCase{"banchi outside goes to others", "札幌市南区常盤132", "0050863"},
        ReadCase{"no banchi gives both", "札幌市南区常盤", "0050865,0050863"},
        ReadCase{"single chome", "札幌市南区南30条西8丁目", "0050030"},
        ReadCase{"range before the town itself", "札幌市南区真駒内2丁目", "0050013"},
        ReadCase{"town itself beyond the range", "札幌市南区真駒内5丁目", "0050012"},
        ReadCase{"town and its range without chome", "札幌市南区真駒内", "0050012,0050013"},
        ReadCase{"kanji numerals with a range", "札幌市南区南三十条西十丁目", "0050031"},
        ReadCase{"building floor", "千代田区丸の内JPタワー1階", "1006401"},
        ReadCase{"building floor as F in full width", "千代田区丸の内ＪＰタワー３８Ｆ", "1006438"},
        ReadCase{"building without floor", "千代田区丸の内JPタワー", "1006490"},
        ReadCase{"building basement", "千代田区丸の内JPタワー地下1階", "1006490"},
        ReadCase{"building floor not listed", "千代田区丸の内JPタワー10F", "1006490"},
        ReadCase{"town except its buildings", "千代田区丸の内1-9-1", "1000005"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    SplitRows, BestCodesTest,
    ::testing::Values(
        ReadCase{"banchi with branch on the first row", "千歳市協和271-10", "0660045"},
        ReadCase{"banchi on the last row", "千歳市協和1392", "0660045"},
        ReadCase{"banchi across two rows", "千歳市協和427-3", "0660045"},
        ReadCase{"other branch goes to others", "千歳市協和271-11", "0660046"},
        ReadCase{"no banchi gives both", "千歳市協和", "0660045,0660046"},
        ReadCase{"longer town", "千歳市協和台3", "0660047"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    TiesAndNothing, BestCodesTest,
    ::testing::Values(
        ReadCase{"same city in two prefectures", "府中市本町1", "1830027,7260005"},
        ReadCase{"prefecture decides", "広島県府中市本町", "7260005"},
        ReadCase{"town of one of them", "府中市鵜飼町1", "7260002"},
        ReadCase{"prefecture alone", "東京都", ""},
        ReadCase{"another prefecture's city", "京都府千代田区丸の内", ""},
        ReadCase{"no such city", "存在しない市1", ""},
        ReadCase{"empty", "", ""}),
    CaseName());

struct RankCase {
  const char* name;
  const char* address;
  const char* ranked;  // best codes "|" the others, best first
};
void PrintTo(const RankCase& c, std::ostream* os) { *os << c.name; }

class RankingTest : public ReaderFixture, public ::testing::WithParamInterface<RankCase> {};

TEST_P(RankingTest, Orders) { EXPECT_EQ(Ranked(U(GetParam().address)), U(GetParam().ranked)); }

INSTANTIATE_TEST_SUITE_P(
    Orders, RankingTest,
    ::testing::Values(
        RankCase{"longest town then shorter then city wide", "市原市飯野桜ヶ丘1", "2990112|2990111,2900000"},
        RankCase{"covering range before others", "札幌市南区常盤100", "0050865|0050863,0050000"},
        RankCase{"floor before the building without floor", "千代田区丸の内JPタワー2階", "1006402|1006490,1000005,1000000"},
        RankCase{"after a street", "京都市中京区烏丸通二条上る梅屋町", "6040801|6040000"},
        RankCase{"exact before variant of the same length", "札幌市中央区旭ケ丘", "0640941|0600000"}),
    CaseName());

TEST_F(ReaderFixture, ReasonsOfMatch) {
  const QList<AddressMatch> variant = reader_->Read(U("札幌市中央区旭ヶ丘"));
  ASSERT_FALSE(variant.isEmpty());
  EXPECT_TRUE(variant.front().variant);
  EXPECT_EQ(variant.front().townLength, 3);
  EXPECT_FALSE(reader_->Read(U("札幌市中央区旭ケ丘")).front().variant);
  EXPECT_TRUE(reader_->Read(U("京都市中京区烏丸通二条上る梅屋町")).front().afterStreet);
  const QList<AddressMatch> others = reader_->Read(U("札幌市南区常盤200"));
  ASSERT_FALSE(others.isEmpty());
  EXPECT_EQ(others.front().cover, AddressMatch::Cover::Fallback);
  EXPECT_EQ(reader_->Read(U("千代田区永田町")).front().townLength, 0);
}

TEST_F(ReaderFixture, SplitRowsAreOneTown) {
  const QList<qint32> records = reader_->EntriesWithCode("0660045");
  ASSERT_EQ(records.size(), 1);
  EXPECT_EQ(reader_->Address(records.front()), U("北海道千歳市協和"));
  EXPECT_EQ(reader_->Address(records.front() + 2), U("北海道千歳市協和"));  // the row that closes the note
}

}  // namespace

}  // namespace mirabo

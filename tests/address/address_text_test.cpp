// Stored towns as addresses name them, the normal form of matching, and county towns, as data tables.
#include <gtest/gtest.h>

#include "address/AddressText.h"
#include "support/CaseName.h"
#include "support/TestText.h"
#include "support/TextCase.h"

namespace mirabo {

namespace {

class CleanTownTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CleanTownTest, Cleans) { EXPECT_EQ(CleanTownForMatch(GetParam().In()), GetParam().Out()); }

INSTANTIATE_TEST_SUITE_P(
    Towns, CleanTownTest,
    ::testing::Values(TextCase{"PlainTown", "梅屋町", "梅屋町"},
                      TextCase{"NoteCut", "丸の内（次のビルを除く）", "丸の内"},
                      TextCase{"UnbalancedNoteFromASplitRow", "大通西（１～１９丁目", "大通西"},
                      TextCase{"CutAtTheFirstParenthesis", "本町（１（２）", "本町"},
                      TextCase{"OnlyANote", "（番地）", ""},
                      TextCase{"HalfWidthParenthesisStays", "本町(1)", "本町(1)"},
                      TextCase{"NotListed", "以下に掲載がない場合", ""},
                      TextCase{"NotListedWithANote", "以下に掲載がない場合（除く）", ""},
                      TextCase{"NumberFollowsTheCity", "猪苗代町の次に番地がくる場合", ""},
                      TextCase{"WholeOfATown", "大島町一円", ""},
                      TextCase{"PlaceNamedIchien", "一円", "一円"},
                      TextCase{"PlaceNamedIchienWithANote", "一円（その他）", "一円"},
                      TextCase{"IchienInsideAName", "一円寺", "一円寺"},
                      TextCase{"Empty", "", ""}),
    CaseName());

class NormalizeTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NormalizeTest, Normalises) { EXPECT_EQ(NormalizeForMatch(GetParam().In()), GetParam().Out()); }

INSTANTIATE_TEST_SUITE_P(
    Texts, NormalizeTest,
    ::testing::Values(TextCase{"FullWidthLetters", "丸の内ＪＰタワー", "丸の内JPタワー"},
                      TextCase{"HalfWidthKatakanaJoined", "ｶﾞｰﾃﾞﾝ", "ガーデン"},
                      TextCase{"FullWidthDigits", "１丁目２－３", "1丁目2-3"},
                      TextCase{"AllSpacesRemoved", " 東京都　千代田区\t丸の内 1 ", "東京都千代田区丸の内1"},
                      TextCase{"CircledDigit", "①番", "1番"},
                      TextCase{"SmallKeStays", "旭ヶ丘", "旭ヶ丘"},
                      TextCase{"Empty", "", ""}),
    CaseName());

class CountyTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CountyTest, TownWithoutCounty) { EXPECT_EQ(CityWithoutCounty(GetParam().In()), GetParam().Out()); }

INSTANTIATE_TEST_SUITE_P(
    Cities, CountyTest,
    ::testing::Values(TextCase{"CountyTown", "余市郡余市町", "余市町"},
                      TextCase{"CountyVillage", "島尻郡座間味村", "座間味村"},
                      TextCase{"KoriyamaStartsWithKori", "郡山市", ""},
                      TextCase{"GamagoriEndsInCity", "蒲郡市", ""},
                      TextCase{"NoNameAfterTheCounty", "蒲郡町", ""},
                      TextCase{"Ward", "札幌市中央区", ""},
                      TextCase{"TownWithoutCounty", "大島町", ""},
                      TextCase{"CountyCity", "某郡某市", ""}),
    CaseName());

}  // namespace

}  // namespace mirabo

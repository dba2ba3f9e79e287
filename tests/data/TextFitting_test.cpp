// Fitting texts to widths in code page 932 bytes, cutting at NUL and trimming spaces.
#include "data/TextFitting.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "support/CaseName.h"
#include "support/TestText.h"

namespace mirabo {

using namespace std::literals;

namespace {

struct FitCase {
  const char* name;
  std::u16string_view text;
  qint32 width;
  std::u16string_view fitted;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

const FitCase kFits[] = {
    {"EmptyTextToSevenIsSevenSpaces", u"", 7, u"       "},
    {"StoredPostcodeToSevenIsTheDigits", u"1000001   ", 7, u"1000001"},
    {"ThreeKanjiToEightGetTwoSpaces", u"東京都", 8, u"東京都  "},
    {"ThreeKanjiToSixUnchanged", u"東京都", 6, u"東京都"},
    {"ThreeKanjiToFiveGiveTwoKanjiAndASpace", u"東京都", 5, u"東京 "},
    {"ThreeKanjiToFourGiveTwoKanji", u"東京都", 4, u"東京"},
    {"ThreeKanjiToThreeGiveOneKanjiAndASpace", u"東京都", 3, u"東 "},
    {"SingleByteThenKanjiToFour", u"A東京都", 4, u"A東 "},
    {"KanjiStartToWidthOneIsOneSpace", u"東京", 1, u" "},
    {"IdeographicSpaceStartToWidthOneIsOneSpace", u"\u3000A", 1, u" "},
    {"SingleByteStartToWidthOne", u"AB", 1, u"A"},
    {"WidthZeroIsEmpty", u"東京都", 0, u""},
    {"WidthZeroOfEmptyIsEmpty", u"", 0, u""},
    {"NegativeWidthIsEmpty", u"ABC", -1, u""},
    {"MostNegativeWidthIsEmpty", u"ABC", INT_MIN, u""},
    {"TenNulsToEightAreEightNuls", u"\0\0\0\0\0\0\0\0\0\0"sv, 8, u"\0\0\0\0\0\0\0\0"sv},
    {"NulsCountOneByteEachWhenPadded", u"\0\0"sv, 4, u"\0\0  "sv},
    {"ExactWidthKeepsSpacesAndNuls", u" A \0"sv, 4, u" A \0"sv},
    {"ExactWidthKeepsTrailingSpacesOfAField", u"東京都    ", 10, u"東京都    "},
    {"HalfWidthKatakanaAreOneByteEach", u"ｱｲｳｴｵ", 3, u"ｱｲｳ"},
    {"UnencodableCountsOneByte", u"\u00E9\u00E9東", 3, u"\u00E9\u00E9 "},
    {"SurrogatePairCountsOneBytePerUnit", u"\U0001F600東", 2, u"\U0001F600"},
    {"KanjiAfterSingleBytesOverhangs", u"東A京B", 4, u"東A "},
    {"SingleByteEndsTheCutExactly", u"東AB京", 3, u"東A"},
    {"PrefectureNameToEightDropsItsPadding", u"神奈川県  ", 8, u"神奈川県"},
};

class FitToBytesTable : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitToBytesTable, Fits) {
  EXPECT_EQ(FitToBytes(Text(GetParam().text), GetParam().width), Text(GetParam().fitted));
}

INSTANTIATE_TEST_SUITE_P(Edges, FitToBytesTable, ::testing::ValuesIn(kFits), CaseName());

struct TextCase {
  const char* name;
  std::u16string_view text;
  std::u16string_view result;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

const TextCase kCuts[] = {
    {"LeadingNulGivesEmpty", u"\0ABC"sv, u""},
    {"NoNulUnchanged", u"東京都 ", u"東京都 "},
    {"EmptyStaysEmpty", u"", u""},
    {"SpacesBeforeTheNulRemain", u"AB  \0\0"sv, u"AB  "},
    {"CutAtTheFirstOfSeveralNuls", u"A\0B\0"sv, u"A"},
    {"FieldOfNulsOnlyGivesEmpty", u"\0\0\0\0\0\0\0\0\0\0"sv, u""},
};

class CutAtNulTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(CutAtNulTable, Cuts) { EXPECT_EQ(CutAtNul(Text(GetParam().text)), Text(GetParam().result)); }

INSTANTIATE_TEST_SUITE_P(Edges, CutAtNulTable, ::testing::ValuesIn(kCuts), CaseName());

const TextCase kTrims[] = {
    {"BothEnds", u"  AB  ", u"AB"},
    {"InnerSpacesKept", u" A B ", u"A B"},
    {"OnlySpacesGivesEmpty", u"   ", u""},
    {"IdeographicSpacesKept", u"\u3000東京\u3000", u"\u3000東京\u3000"},
    {"SpacesAroundIdeographicSpaceRemoved", u" \u3000A\u3000 ", u"\u3000A\u3000"},
    {"TabsKept", u"\tA\t", u"\tA\t"},
    {"NulKept", u" \0 "sv, u"\0"sv},
    {"NothingToTrim", u"東京都", u"東京都"},
};

class TrimSpacesTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(TrimSpacesTable, Trims) {
  EXPECT_EQ(TrimSpaces(Text(GetParam().text)), Text(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(Edges, TrimSpacesTable, ::testing::ValuesIn(kTrims), CaseName());

const TextCase kCleans[] = {
    {"FieldWithPaddingAndNuls", u"  東京都  \0\0"sv, u"東京都"},
    {"TextAfterTheNulDropped", u" A\0 B"sv, u"A"},
    {"NeverWrittenFieldIsEmpty", u"\0\0\0\0\0\0\0\0\0\0"sv, u""},
    {"SentinelNameKeepsIdeographicSpaces", u"\u3000\u3000\u3000\u3000  ", u"\u3000\u3000\u3000\u3000"},
};

class CleanFieldTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(CleanFieldTable, Cleans) {
  EXPECT_EQ(CleanField(Text(GetParam().text)), Text(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(Edges, CleanFieldTable, ::testing::ValuesIn(kCleans), CaseName());

}  // namespace

}  // namespace mirabo

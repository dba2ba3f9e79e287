// Cleaning written codes and their hyphenated form, as data tables.
#include <gtest/gtest.h>

#include "listcheck/ListCheckText.h"
#include "support/CaseName.h"
#include "support/TestText.h"
#include "support/TextCase.h"

namespace mirabo {

namespace {

class CleanListCodeTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CleanListCodeTest, Cleans) { EXPECT_EQ(CleanListCode(GetParam().In()), GetParam().Out()); }

INSTANTIATE_TEST_SUITE_P(
    Codes, CleanListCodeTest,
    ::testing::Values(TextCase{"SevenDigits", "1000001", "1000001"},
                      TextCase{"AsciiHyphen", "100-0001", "1000001"},
                      TextCase{"PostMark", "〒100-0001", "1000001"},
                      TextCase{"PostMarkThenSpace", "〒 100-0001", "1000001"},
                      TextCase{"SpacesAroundAndInside", " 〒100 0001　", "1000001"},
                      TextCase{"TabInside", "100\t0001", "1000001"},
                      TextCase{"FullWidthDigitsAndHyphen", "１００－０００１", "1000001"},
                      TextCase{"ProlongedSoundMark", "１００ー０００１", "1000001"},
                      TextCase{"MinusSign", "100−0001", "1000001"},
                      TextCase{"Hyphen2010", "100‐0001", "1000001"},
                      TextCase{"EveryHyphenDropped", "1-00--0001", "1000001"},
                      TextCase{"HalfWidthProlongedMarkIsNoHyphen", "100ｰ0001", ""},
                      TextCase{"HorizontalBarIsNoHyphen", "100―0001", ""},
                      TextCase{"PostMarkNotLeading", "1000001〒", ""},
                      TextCase{"TwoPostMarks", "〒〒1000001", ""},
                      TextCase{"SixDigitsLeadingZeroLost", "600001", ""},
                      TextCase{"EightDigits", "10000011", ""},
                      TextCase{"Letter", "100-000A", ""},
                      TextCase{"Empty", "", ""},
                      TextCase{"OnlyPostMark", "〒", ""},
                      TextCase{"CircledDigitIsNoDigit", "①000001", ""}),
    CaseName());

TEST(HyphenatedCode, SevenDigitsOnly) {
  EXPECT_EQ(HyphenatedCode("0600042"), "060-0042");
  EXPECT_EQ(HyphenatedCode("060004"), "060004");
}

}  // namespace

}  // namespace mirabo

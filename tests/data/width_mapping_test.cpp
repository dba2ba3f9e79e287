// Full-width and half-width mapping: every choice of the table, both ways.
#include <gtest/gtest.h>

#include "data/Cp932Codec.h"
#include "data/WidthMapping.h"
#include "support/CaseName.h"
#include "support/TestText.h"
#include "support/TextCase.h"

namespace mirabo {

namespace {

const TextCase kToHalf[] = {
    {"full-width digits", "０１２３４５６７８９", "0123456789"},
    {"full-width hyphen-minus U+FF0D", "\xEF\xBC\x8D", "-"},
    {"first and last of the ASCII block", "！～", "!~"},
    {"reverse solidus, apostrophe, quotation mark", "＼＇＂", "\\'\""},
    {"letters keep their case", "Ａｚ", "Az"},
    {"ideographic space", "　", " "},
    {"plain katakana", "アイウエオカサタナハマヤラワヲン", "ｱｲｳｴｵｶｻﾀﾅﾊﾏﾔﾗﾜｦﾝ"},
    {"small katakana", "ァィゥェォャュョッ", "ｧｨｩｪｫｬｭｮｯ"},
    {"voiced split into base and mark", "ガギグゲゴザジズゼゾダヂヅデド", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ"},
    {"voiced ha row", "バビブベボ", "ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ"},
    {"semi-voiced ha row", "パピプペポ", "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"},
    {"vu", "ヴ", "ｳﾞ"},
    {"punctuation, long vowel mark and the two marks", "。「」、・ー゛゜", "｡｢｣､･ｰﾞﾟ"},
    {"long vowel mark in a code", "１００ー０００１", "100ｰ0001"},
    {"kanji and hiragana stay", "東京都ちよだ", "東京都ちよだ"},
    {"katakana without a half-width form stay", "ヮヵヶヰヱヷヺ", "ヮヵヶヰヱヷヺ"},
    {"full-width yen and pound signs stay", "￥￡", "￥￡"},
    {"half-width text stays", "1000001-ｱﾞ", "1000001-ｱﾞ"},
    {"empty", "", ""},
};

const TextCase kToFull[] = {
    {"digits", "0123456789", "０１２３４５６７８９"},
    {"hyphen-minus to U+FF0D", "-", "\xEF\xBC\x8D"},
    {"reverse solidus to U+FF3C", "\\", "\xEF\xBC\xBC"},
    {"tilde to U+FF5E", "~", "\xEF\xBD\x9E"},
    {"apostrophe to U+FF07, quotation mark to U+FF02", "'\"", "\xEF\xBC\x87\xEF\xBC\x82"},
    {"first and last of the block", "!~", "！～"},
    {"space to the ideographic space", "a b", "ａ　ｂ"},
    {"plain katakana", "ｱｲｳｴｵｶｻﾀﾅﾊﾏﾔﾗﾜｦﾝ", "アイウエオカサタナハマヤラワヲン"},
    {"small katakana", "ｧｨｩｪｫｬｭｮｯ", "ァィゥェォャュョッ"},
    {"base and voiced mark joined", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", "ガギグゲゴザジズゼゾダヂヅデド"},
    {"ha row with voiced mark", "ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ", "バビブベボ"},
    {"ha row with semi-voiced mark", "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
    {"u with voiced mark is vu", "ｳﾞ", "ヴ"},
    {"a base without a voiced form keeps the mark apart", "ｱﾞﾜﾞｦﾞ", "ア゛ワ゛ヲ゛"},
    {"semi-voiced mark after a base outside the ha row", "ｶﾟ", "カ゜"},
    {"marks alone", "ﾞﾟ", "゛゜"},
    {"a mark before its base does not join", "ﾞｶ", "゛カ"},
    {"only one mark joins", "ｶﾞﾞ", "ガ゛"},
    {"punctuation and long vowel mark", "｡｢｣､･ｰ", "。「」、・ー"},
    {"full-width, kanji and hiragana stay", "ア東ち", "ア東ち"},
    {"control characters, DEL and yen sign stay", "\t\x7F\xC2\xA5", "\t\x7F\xC2\xA5"},
    {"empty", "", ""},
};

class ToHalfWidthTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ToHalfWidthTest, Maps) { EXPECT_EQ(ToHalfWidth(GetParam().In()), GetParam().Out()); }

INSTANTIATE_TEST_SUITE_P(Table, ToHalfWidthTest, ::testing::ValuesIn(kToHalf), CaseName());

class ToFullWidthTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ToFullWidthTest, Maps) { EXPECT_EQ(ToFullWidth(GetParam().In()), GetParam().Out()); }

INSTANTIATE_TEST_SUITE_P(Table, ToFullWidthTest, ::testing::ValuesIn(kToFull), CaseName());

// Each half-width katakana form has a full-width partner that code page 932 holds
// as a double-byte character and that maps back to it.
TEST(WidthMapping, EveryHalfWidthKanaRoundTrips) {
  for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
    const QString half(QChar{c});
    const QString full = ToFullWidth(half);
    ASSERT_EQ(full.size(), 1) << int(c);
    EXPECT_TRUE(cp932::IsDoubleByte(full[0])) << int(c);
    EXPECT_EQ(ToHalfWidth(full), half) << int(c);
  }
}

}  // namespace

}  // namespace mirabo

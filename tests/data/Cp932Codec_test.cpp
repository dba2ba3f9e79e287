// The codec's code page 932 mapping, pinned by hand-written bytes.
#include "data/Cp932Codec.h"

#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "support/CaseName.h"
#include "support/TestText.h"
#include "support/TestFiles.h"

namespace mirabo {

using namespace std::literals;

namespace {

struct CodeCase {
  const char* name;
  const char* bytes;  // hex pairs
  std::u16string_view text;
};

void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.name; }

// Both directions: the bytes decode to the text and the text encodes to the bytes.
const CodeCase kRoundTrips[] = {
    {"BackslashByteIsReverseSolidusNotYen", "5C", u"\\"},
    {"TildeByteIsTildeNotOverline", "7E", u"~"},
    {"FullWidthReverseSolidus", "81 5F", u"\uFF3C"},
    {"FullWidthTildeNotWaveDash", "81 60", u"\uFF5E"},
    {"FullWidthHyphenMinusNotMinusSign", "81 7C", u"\uFF0D"},
    {"FullWidthCentSign", "81 91", u"\uFFE0"},
    {"RomanNumeralOneFromNecRow13", "87 54", u"\u2160"},
    {"IdeographicSpace", "81 40", u"\u3000"},
    {"FirstHalfWidthKatakanaCode", "A1", u"\uFF61"},   // ｡
    {"LastHalfWidthKatakanaCode", "DF", u"\uFF9F"},    // ﾟ
    {"FirstUserDefinedCode", "F0 40", u"\uE000"},
    {"NulByte", "00", u"\0"sv},
    {"TokyoInKanji", "93 8C 8B 9E 93 73", u"東京都"},
    {"MixedSingleAndDoubleBytes", "41 B1 93 8C 5C 20", u"Aｱ東\\ "},  // A ｱ 東 \ space
    {"Empty", "", u""},
};

class Cp932RoundTrip : public ::testing::TestWithParam<CodeCase> {};

TEST_P(Cp932RoundTrip, Decodes) {
  const QByteArray bytes = Hex(GetParam().bytes);
  EXPECT_EQ(cp932::Decode(bytes), Text(GetParam().text));
}

TEST_P(Cp932RoundTrip, Encodes) {
  EXPECT_EQ(ToHex(cp932::Encode(GetParam().text)), ToHex(Hex(GetParam().bytes)));
}

INSTANTIATE_TEST_SUITE_P(Codes, Cp932RoundTrip, ::testing::ValuesIn(kRoundTrips), CaseName());

// Decoding only: duplicates of the IBM extensions, and damaged bytes.
const CodeCase kDecodes[] = {
    {"NecSelectedIbmExtension", "ED 40", u"\u7E8A"},
    {"IbmExtensionOfTheSameKanji", "FA 5C", u"\u7E8A"},
    {"IbmExtensionRomanNumeralOne", "FA 4A", u"\u2160"},
    {"LoneLeadByteAtTheEndKeepsWhatCameBefore", "41 93 8C 81", u"A東\uFFFD"},
    {"LoneLeadByteAlone", "93", u"\uFFFD"},
    {"UnusedByte80InTheMiddleKeepsTheRest", "41 80 42", u"A\uFFFDB"},
    {"UnusedBytesA0AndFDToFF", "A0 FD FE FF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"LeadByteBeforeASpaceKeepsTheSpace", "81 20 41", u"\uFFFD A"},
    {"LeadByteBeforeTrail7FKeepsThe7F", "81 7F", u"\uFFFD\u007F"},
    {"UnassignedPairKeepsItsSecondByte", "85 40 41", u"\uFFFD@A"},  // row 0x85 is empty
    {"UnassignedPairWhoseSecondByteStartsACharacter", "85 81 40", u"\uFFFD\u3000"},
    {"BadByteBetweenKanjiKeepsBothKanji", "93 8C FF 8B 9E", u"東\uFFFD京"},
    {"TenZeroBytesAreTenNuls", "00 00 00 00 00 00 00 00 00 00", u"\0\0\0\0\0\0\0\0\0\0"sv},
};

class Cp932Decode : public ::testing::TestWithParam<CodeCase> {};

TEST_P(Cp932Decode, Decodes) {
  EXPECT_EQ(cp932::Decode(Hex(GetParam().bytes)), Text(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Codes, Cp932Decode, ::testing::ValuesIn(kDecodes), CaseName());

// Encoding only: the form Windows chooses among duplicates, and characters written as "?".
const CodeCase kEncodes[] = {
    {"KanjiWithTwoCodesTakesTheIbmForm", "FA 5C", u"\u7E8A"},
    {"RomanNumeralOneTakesTheNecRow13Form", "87 54", u"\u2160"},
    {"NotSignTakesTheJisForm", "81 CA", u"\uFFE2"},
    {"BecauseSignTakesTheJisForm", "81 E6", u"\u2235"},
    {"UnencodableAccentedLetterIsQuestionMark", "3F", u"\u00E9"},  // é
    {"UnencodableKeepsTheCharactersAround", "41 3F 93 8C", u"A\u00E9東"},
    {"SurrogatePairIsTwoQuestionMarks", "3F 3F", u"\U0001F600"},
    {"LoneSurrogateIsOneQuestionMark", "3F 41", u"\xD83D" u"A"},
    {"ReplacementCharacterIsQuestionMark", "3F", u"\uFFFD"},
};

class Cp932Encode : public ::testing::TestWithParam<CodeCase> {};

TEST_P(Cp932Encode, Encodes) {
  EXPECT_EQ(ToHex(cp932::Encode(GetParam().text)), ToHex(Hex(GetParam().bytes)));
}

INSTANTIATE_TEST_SUITE_P(Codes, Cp932Encode, ::testing::ValuesIn(kEncodes), CaseName());

TEST(Cp932Codec, EveryHalfWidthKatakanaByteMapsToItsHalfWidthForm) {
  for (int b = 0xA1; b <= 0xDF; ++b) {
    const char byte = char(b);
    const QChar expected(char16_t(0xFF61 + (b - 0xA1)));
    EXPECT_EQ(cp932::Decode(&byte, 1), QString(expected)) << "byte " << std::hex << b;
    EXPECT_EQ(cp932::Encode(QString(expected)), QByteArray(1, byte)) << "byte " << std::hex << b;
  }
}

TEST(Cp932Codec, DecodeStopsAtTheGivenLength) {
  const QByteArray bytes = Hex("93 8C 8B 9E");  // 東京
  EXPECT_EQ(cp932::Decode(bytes.constData(), 3), Text(u"東\uFFFD"));  // 東, lone lead 8B
  EXPECT_EQ(cp932::Decode(bytes.constData(), 0), QString());
}

struct WidthCase {
  const char* name;
  std::u16string_view text;
  int bytes;
};

void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.name; }

const WidthCase kWidths[] = {
    {"Empty", u"", 0},
    {"Ascii", u"AB1", 3},
    {"Kanji", u"東京都", 6},
    {"HalfWidthKatakana", u"ｱｲｳ", 3},
    {"IdeographicSpace", u"\u3000", 2},
    {"NulCountsOne", u"\0"sv, 1},
    {"UnencodableCountsOne", u"\u00E9", 1},
    {"SurrogatePairCountsOnePerUnit", u"\U0001F600", 2},
    {"UserDefinedCharacterIsDoubleByte", u"\uE000", 2},
    {"Mixed", u"Aｱ東\0\u00E9\u3000 "sv, 9},  // 1 + 1 + 2 + 1 + 1 + 2 + 1
};

class Cp932Width : public ::testing::TestWithParam<WidthCase> {};

TEST_P(Cp932Width, ByteWidth) { EXPECT_EQ(cp932::ByteWidth(GetParam().text), GetParam().bytes); }

TEST_P(Cp932Width, SumOfCharWidths) {
  int sum = 0;
  for (char16_t unit : GetParam().text) sum += cp932::CharWidth(QChar(unit));
  EXPECT_EQ(sum, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Texts, Cp932Width, ::testing::ValuesIn(kWidths), CaseName());

TEST(Cp932Codec, CharWidthOfSingleCharacters) {
  EXPECT_EQ(cp932::CharWidth(QChar(u'\0')), 1);
  EXPECT_EQ(cp932::CharWidth(QChar(u'\u00E9')), 1);  // é, written as "?"
  EXPECT_EQ(cp932::CharWidth(QChar(u'\uFFFD')), 1);
  EXPECT_EQ(cp932::CharWidth(QChar(u'\uFF71')), 1);  // ｱ
  EXPECT_EQ(cp932::CharWidth(QChar(u'\u6771')), 2);  // 東
  EXPECT_EQ(cp932::CharWidth(QChar(u'\uFF0D')), 2);  // －
  EXPECT_FALSE(cp932::IsDoubleByte(QChar(u'\0')));
  EXPECT_FALSE(cp932::IsDoubleByte(QChar(u'\u00E9')));
  EXPECT_FALSE(cp932::IsDoubleByte(QChar(u'\uFF71')));
  EXPECT_TRUE(cp932::IsDoubleByte(QChar(u'\u3000')));
  EXPECT_TRUE(cp932::IsDoubleByte(QChar(u'\u6771')));
}

}  // namespace

// The byte-level line building counts a character's width as the bytes it came from.
// That holds only if every character decoded from two bytes is double-byte, and every
// one decoded from one byte (U+FFFD for a byte that starts none) single-byte.
TEST(Cp932Codec, DecodedCharactersAreAsWideAsTheBytesTheyCameFrom) {
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      const char bytes[2] = {char(lead), char(trail)};
      const cp932::DecodedChar c = cp932::DecodeNext(bytes, 2);
      ASSERT_EQ(cp932::CharWidth(QChar(c.unit)), c.bytes) << lead << " " << trail;
      ASSERT_EQ(QChar(c.unit), cp932::Decode(bytes, 2).at(0)) << lead << " " << trail;
    }
  }
}

// The whole mapping by its size and in both directions: a table built or indexed
// wrongly shows here without restating how the tables are built.
TEST(Cp932Codec, EveryValidCodeDecodesToACharacterThatEncodesBackToIt) {
  int doubleByte = 0, singleByte = 0;
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      const char bytes[2] = {char(lead), char(trail)};
      const cp932::DecodedChar c = cp932::DecodeNext(bytes, 2);
      if (c.unit == u'\uFFFD' || (c.bytes == 1 && trail != 0)) continue;  // each single byte once
      (c.bytes == 2 ? doubleByte : singleByte) += 1;
      const QByteArray back = cp932::Encode(QStringView(&c.unit, 1));
      ASSERT_EQ(back.size(), c.bytes) << lead << " " << trail;
      ASSERT_EQ(cp932::Decode(back.constData(), back.size()), QString(QChar(c.unit))) << lead << " " << trail;
    }
  }
  // JIS X 0208 (6,879), NEC row 13 (83), the NEC-selected IBM extensions (374), the
  // IBM extensions (388) and the user-defined area 0xF040..0xF9FC (1,880).
  EXPECT_EQ(doubleByte, 9604);
  EXPECT_EQ(singleByte, 128 + 63);  // ASCII and the half-width katakana 0xA1..0xDF
}

// Every UTF-16 unit encodes as "?" or as bytes that decode back to it, and its width
// is the number of those bytes. Nine look-alikes are written as the code page's own
// form, which is what they decode to.
TEST(Cp932Codec, EveryUnitEncodesToItsOwnBytesOrAQuestionMark) {
  const std::map<char16_t, char16_t> kLookAlikes = {
      {u'\u00A2', u'\uFFE0'}, {u'\u00A3', u'\uFFE1'}, {u'\u00A5', u'\\'},     {u'\u00AC', u'\uFFE2'},
      {u'\u2014', u'\u2015'}, {u'\u2016', u'\u2225'}, {u'\u203E', u'~'},      {u'\u2212', u'\uFF0D'},
      {u'\u301C', u'\uFF5E'}};
  for (int unit = 0; unit <= 0xFFFF; ++unit) {
    const QChar c{char16_t(unit)};
    const QByteArray encoded = cp932::Encode(QStringView(&c, 1));
    ASSERT_EQ(cp932::CharWidth(c), encoded.size()) << unit;
    ASSERT_EQ(cp932::IsDoubleByte(c), encoded.size() == 2) << unit;
    if (encoded == "?") continue;
    const auto lookAlike = kLookAlikes.find(char16_t(unit));
    const QChar back = lookAlike == kLookAlikes.end() ? c : QChar(lookAlike->second);
    ASSERT_EQ(cp932::Decode(encoded.constData(), encoded.size()), QString(back)) << unit;
  }
}

TEST(Cp932Codec, StepsAndDecodeIntoGiveWhatDecodeGives) {
  // A double-byte character, a lone lead byte before ASCII, a hole, half-width kana,
  // NUL and a lead byte at the very end.
  const QByteArray bytes = Hex("93 8C 88 41 80 B1 00 20 81");
  QString stepped;
  for (qsizetype i = 0; i < bytes.size();) {
    const cp932::DecodedChar c = cp932::DecodeNext(bytes.constData() + i, bytes.size() - i);
    stepped += QChar(c.unit);
    i += c.bytes;
  }
  EXPECT_EQ(stepped, Text(u"東\uFFFDA\uFFFDｱ\0 \uFFFD"sv));
  char16_t units[16];
  EXPECT_EQ(QStringView(units, cp932::DecodeInto(bytes.constData(), bytes.size(), units)).toString(), stepped);
}

}  // namespace mirabo

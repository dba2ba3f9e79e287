// Writing texts into fixed-width code page 932 fields.
#include "data/Cp932Codec.h"

#include <gtest/gtest.h>

#include <string_view>

#include "support/CaseName.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

using namespace std::literals;

namespace {

struct FieldCase {
  const char* name;
  int width;
  std::u16string_view text;
  const char* field;  // the expected field bytes, hex pairs
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

const FieldCase kFields[] = {
    {"EmptyTextIsAllSpaces", 4, u"", "20 20 20 20"},
    {"ThreeKanjiAreSixBytesAndFourSpaces", 10, u"東京都", "93 8C 8B 9E 93 73 20 20 20 20"},
    {"FourKanjiAreEightBytesAndTwoSpaces", 10, u"神奈川県", "90 5F 93 DE 90 EC 8C A7 20 20"},
    {"FiveKanjiFillTenBytesExactly", 10, u"鹿児島県都", "8E AD 8E 99 93 87 8C A7 93 73"},
    {"PostcodeIsSevenDigitsAndThreeSpaces", 10, u"1000001", "31 30 30 30 30 30 31 20 20 20"},
    {"LongerSingleByteTextIsCut", 3, u"ABCDE", "41 42 43"},
    {"KanjiOverhangingTheLastByteBecomesSpace", 5, u"東京都", "93 8C 8B 9E 20"},
    {"SingleByteThenOverhangingKanji", 2, u"A東", "41 20"},
    {"OverhangThenSingleByteStillSpace", 3, u"東京A", "93 8C 20"},
    {"UnencodableTakesOneByteAsQuestionMark", 3, u"\u00E9東京", "3F 93 8C"},
    {"HalfWidthKatakanaTakeOneByteEach", 3, u"ｱｲｳｴ", "B1 B2 B3"},
    {"NulsAreWrittenAsZeroBytes", 4, u"\0\0A"sv, "00 00 41 20"},
    {"IdeographicSpacesKept", 10, u"\u3000\u3000\u3000\u3000", "81 40 81 40 81 40 81 40 20 20"},
};

class Cp932PutField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(Cp932PutField, WritesExactlyTheFieldAndNothingBeyond) {
  const FieldCase& c = GetParam();
  QByteArray buffer(c.width + 4, char(0xEE));  // guard bytes after the field
  cp932::PutField(buffer.data(), c.width, c.text);
  EXPECT_EQ(ToHex(buffer.left(c.width)), ToHex(Hex(c.field)));
  EXPECT_EQ(ToHex(buffer.mid(c.width)), ToHex(Hex("EE EE EE EE")));
}

INSTANTIATE_TEST_SUITE_P(Fields, Cp932PutField, ::testing::ValuesIn(kFields), CaseName());

}  // namespace

}  // namespace mirabo

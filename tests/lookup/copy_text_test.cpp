// Clipboard texts of entries under every option.
#include <gtest/gtest.h>

#include <ostream>
#include <string_view>
#include <vector>

#include "lookup/CopyText.h"
#include "support/CaseName.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

using namespace std::string_view_literals;

// Fields as decoded from disk: full width, space-filled.
EntryRecord Shinjuku() {
  EntryRecord e;
  e.Pref = U("東京都    ");
  e.City = U("新宿区") + QString(24, u' ');
  e.Town = U("西新宿") + QString(74, u' ');
  e.Code = QStringLiteral("1638001   ");
  return e;
}

EntryRecord WithCode(const QString& code) {
  EntryRecord e = Shinjuku();
  e.Code = code;
  return e;
}

// The options a row of a result table leaves free: they must not change the text.
const bool kBoth[] = {false, true};

struct CodeRow {
  const char* name;
  bool fullWidth, hyphen;
  const char* expected;  // UTF-8
};
void PrintTo(const CodeRow& c, std::ostream* os) { *os << c.name; }

// Stored code 1638001: the four width and hyphen combinations.
const CodeRow kCodeRows[] = {
    {"HalfWidthWithHyphen", false, true, "163-8001"},
    {"HalfWidthNoHyphen", false, false, "1638001"},
    // U+FF11 U+FF16 U+FF13, U+FF0D, U+FF18 U+FF10 U+FF10 U+FF11
    {"FullWidthWithHyphen", true, true, "\uFF11\uFF16\uFF13\uFF0D\uFF18\uFF10\uFF10\uFF11"},
    {"FullWidthNoHyphen", true, false, "\uFF11\uFF16\uFF13\uFF18\uFF10\uFF10\uFF11"},
};

class CodeTable : public ::testing::TestWithParam<CodeRow> {};

// Each width and hyphen choice, under every address option (which must not matter).
TEST_P(CodeTable, Copies) {
  const CodeRow& row = GetParam();
  for (bool withPref : kBoth) {
    for (bool spaces : kBoth) {
      CopyOptions o{.address = false, .fullWidth = row.fullWidth, .hyphen = row.hyphen,
                    .withPref = withPref, .spaces = spaces};
      EXPECT_EQ(CopyText(Shinjuku(), o), U(row.expected)) << "withPref=" << withPref << " spaces=" << spaces;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(WidthAndHyphen, CodeTable, ::testing::ValuesIn(kCodeRows), CaseName());

struct AddressRow {
  const char* name;
  bool withPref, spaces;
  const char* expected;
};
void PrintTo(const AddressRow& c, std::ostream* os) { *os << c.name; }

const AddressRow kAddressRows[] = {
    {"PrefAndSpaces", true, true, "東京都 新宿区 西新宿"},
    {"PrefNoSpaces", true, false, "東京都新宿区西新宿"},
    {"NoPrefSpaces", false, true, "新宿区 西新宿"},
    {"NoPrefNoSpaces", false, false, "新宿区西新宿"},
};

class AddressTable : public ::testing::TestWithParam<AddressRow> {};

// Each prefecture and separator choice, under every code option (which must not matter).
TEST_P(AddressTable, Copies) {
  const AddressRow& row = GetParam();
  for (bool fullWidth : kBoth) {
    for (bool hyphen : kBoth) {
      CopyOptions o{.address = true, .fullWidth = fullWidth, .hyphen = hyphen,
                    .withPref = row.withPref, .spaces = row.spaces};
      EXPECT_EQ(CopyText(Shinjuku(), o), U(row.expected)) << "fullWidth=" << fullWidth << " hyphen=" << hyphen;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PrefectureAndSeparator, AddressTable, ::testing::ValuesIn(kAddressRows), CaseName());

TEST(CopyTextTest, DefaultOptionsCopyTheCodeWithHalfWidthHyphen) {
  EXPECT_EQ(CopyText(Shinjuku(), CopyOptions{}), QStringLiteral("163-8001"));
}

struct OddCodeRow {
  const char* name;
  std::u16string_view stored;  // may hold NULs
  bool fullWidth, hyphen;
  const char* expected;
};
void PrintTo(const OddCodeRow& c, std::ostream* os) { *os << c.name; }

const OddCodeRow kOddCodeRows[] = {
    {"ThreeCharactersEndWithHyphen", u"123       "sv, false, true, "123-"},
    {"TwoCharactersEndWithHyphen", u"12"sv, false, true, "12-"},
    {"EmptyCodeIsTheHyphenAlone", u"          "sv, false, true, "-"},
    {"ThreeCharactersFullWidthEndWithFullHyphen", u"123"sv, true, true, "\uFF11\uFF12\uFF13\uFF0D"},
    {"FourCharactersKeepTheFourth", u"1234"sv, false, true, "123-4"},
    {"TenCharactersLoseAllAfterTheSeventh", u"1638001999"sv, false, true, "163-8001"},
    {"TenCharactersKeptWholeWithoutHyphen", u"1638001999"sv, false, false, "1638001999"},
    {"TenCharactersFullWidthLoseTail", u"1638001999"sv, true, true,
     "\uFF11\uFF16\uFF13\uFF0D\uFF18\uFF10\uFF10\uFF11"},
    {"LeadingSpacesStrippedBeforeHyphen", u"  1638001 "sv, false, true, "163-8001"},
    {"NulAfterThirdCharacterCutsTheCode", u"163\0\0\0\0\0\0\0"sv, false, true, "163-"},
    {"TextAfterNulDropped", u"1638001\0 9"sv, false, false, "1638001"},
};

class OddCodeTable : public ::testing::TestWithParam<OddCodeRow> {};

TEST_P(OddCodeTable, Copies) {
  CopyOptions o;
  o.fullWidth = GetParam().fullWidth;
  o.hyphen = GetParam().hyphen;
  EXPECT_EQ(CopyText(WithCode(Text(GetParam().stored)), o), U(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(CodesOfOddLengths, OddCodeTable, ::testing::ValuesIn(kOddCodeRows), CaseName());

// One entry as it lies on disk: NUL-filled and space-filled tails, and text after a NUL.
EntryRecord DecodedFromDisk() {
  QByteArray bytes;
  bytes += Hex("93 8C 8B 9E 93 73 00 00 00 00");  // Pref 東京都, NUL-filled
  bytes += Hex("20 90 56 8F 68 8B E6") + QByteArray(23, ' ');  // City " 新宿区", space-filled
  bytes += Hex("90 BC 90 56 8F 68 20 20 00 31") + QByteArray(70, '\0');  // Town 西新宿, 2 spaces, NUL, "1"
  bytes += Hex("31 36 33 38 30 30 31 00 00 00");  // Code 1638001, NUL-filled
  EXPECT_EQ(bytes.size(), EntryRecord::Size);
  return EntryRecord::Decode(bytes.constData());
}

TEST(CopyTextTest, StoredFillingNeverReachesTheText) {
  const EntryRecord e = DecodedFromDisk();
  CopyOptions address{.address = true, .withPref = true};
  EXPECT_EQ(CopyText(e, address), U("東京都 新宿区 西新宿"));
  address.spaces = false;
  EXPECT_EQ(CopyText(e, address), U("東京都新宿区西新宿"));
  CopyOptions code{.hyphen = false};
  EXPECT_EQ(CopyText(e, code), QStringLiteral("1638001"));
}

TEST(CopyTextTest, EmptyTownWithPrefAndSpacesEndsWithTheSpaceAfterCity) {
  EntryRecord e = Shinjuku();
  e.Town = QString(80, u' ');
  EXPECT_EQ(CopyText(e, {.address = true, .withPref = true}), U("東京都 新宿区 "));
  EXPECT_EQ(CopyText(e, {.address = true}), U("新宿区 "));
}

TEST(CopyTextTest, AddressWithoutPrefStartsWithTheCity) {
  EntryRecord e = Shinjuku();
  e.Pref = QString(10, u' ');
  EXPECT_EQ(CopyText(e, {.address = true}), U("新宿区 西新宿"));
}

TEST(CopyTextTest, AddressKeepsItsWidthsUnderFullWidth) {
  EntryRecord e = Shinjuku();
  e.Town = U("西新宿1-2ｶﾞｰﾃﾞﾝ  ");
  EXPECT_EQ(CopyText(e, {.address = true, .fullWidth = true}), U("新宿区 西新宿1-2ｶﾞｰﾃﾞﾝ"));
}


struct EnvelopeRow {
  const char* name;
  const char* pref;
  const char* city;
  const char* town;
  const char* code;
  const char* oneLine;  // the two-line text is the same with CR LF for the full-width space
};
void PrintTo(const EnvelopeRow& c, std::ostream* os) { *os << c.name; }

// The town rule itself is TownAsWritten's, tabled with the list check's town cleaning.
const EnvelopeRow kEnvelopeRows[] = {
    {"WholeTown", "東京都", "千代田区", "丸の内", "1000005", "〒100-0005　東京都千代田区丸の内"},
    {"FloorNoteDropped", "東京都", "千代田区", "大手町ＪＡビル（１階）", "1006801", "〒100-6801　東京都千代田区大手町ＪＡビル"},
    {"OpenNoteOfASplitRowDropped", "北海道", "千歳市", "協和（８８－２、２７１－１０", "0660000", "〒066-0000　北海道千歳市協和"},
    {"NotListedLeavesTheCity", "東京都", "千代田区", "以下に掲載がない場合", "1000000", "〒100-0000　東京都千代田区"},
    {"WholeIslandLeavesTheCity", "東京都", "利島村", "利島村一円", "1000301", "〒100-0301　東京都利島村"},
    {"ShortCodeEndsWithHyphen", "東京都", "港区", "芝", "105", "〒105-　東京都港区芝"},
};

class EnvelopeTable : public ::testing::TestWithParam<EnvelopeRow> {};

// Fields space-filled as on disk; one line, then two lines.
TEST_P(EnvelopeTable, Copies) {
  const EnvelopeRow& row = GetParam();
  EntryRecord e;
  e.Pref = U(row.pref) + QStringLiteral("  ");
  e.City = U(row.city) + QStringLiteral("   ");
  e.Town = U(row.town) + QStringLiteral("    ");
  e.Code = U(row.code) + QStringLiteral("   ");
  const QString oneLine = U(row.oneLine);
  EXPECT_EQ(EnvelopeText(e, EnvelopeLayout::OneLine), oneLine);
  QString twoLines = oneLine;
  twoLines.replace(u'\u3000', QStringLiteral("\r\n"));
  EXPECT_EQ(EnvelopeText(e, EnvelopeLayout::TwoLines), twoLines);
}

INSTANTIATE_TEST_SUITE_P(Towns, EnvelopeTable, ::testing::ValuesIn(kEnvelopeRows), CaseName());

}  // namespace

}  // namespace mirabo

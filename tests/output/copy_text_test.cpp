// Clipboard texts of entries under every option, and the entry behind a result-list line.
#include <gtest/gtest.h>

#include <limits>
#include <string_view>
#include <vector>

#include "output/CopyText.h"
#include "support/CaseName.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

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

// ---- EntryOfLine ----

// A search line: code, ideographic spaces, names, the town fitted to 90 bytes, then R.
QString SearchLine(const QString& record) {
  return U("1638001　東京都　新宿区　西新宿") + QString(84, u' ') + record;
}

const char kCountLine[] = "    ＊＊＊＊  12 件 見つかりました　＊＊＊＊";

struct LineRow {
  const char* name;
  bool fromSearch;
  int row;
  QString line;
  qint32 shownFirst;
  std::optional<qint32> expected;
};
void PrintTo(const LineRow& c, std::ostream* os) { *os << c.name; }

class EntryOfLineTest : public ::testing::TestWithParam<LineRow> {};

TEST_P(EntryOfLineTest, MapsToRecord) {
  const LineRow& r = GetParam();
  EXPECT_EQ(EntryOfLine(r.fromSearch, r.row, r.line, r.shownFirst), r.expected);
}

std::vector<LineRow> LineRows() {
  return {
      {"SevenDigitRecord", true, 0, SearchLine("1234567"), 1, 1234567},
      {"ThreeDigitRecordAfterBlanks", true, 4, SearchLine("123"), 1, 123},
      {"OneDigitRecord", true, 0, SearchLine("5"), 1, 5},
      {"SearchIgnoresShownFirst", true, 3, SearchLine("42"), 500, 42},
      {"TabsAreBlanks", true, 0, QStringLiteral("x\t\t\t\t\t77"), 1, 77},
      {"StopsAtFirstNonDigit", true, 0, QStringLiteral("x   12a3"), 1, 12},
      {"LineShorterThanSeven", true, 0, QStringLiteral("  88"), 1, 88},
      {"EighthCharacterFromEndIgnored", true, 0, QStringLiteral("9 000001"), 1, 1},
      {"CountLineNamesNothing", true, 12, U(kCountLine), 1, std::nullopt},
      {"ZeroCountLineNamesNothing", true, 0, U("    ＊＊＊＊  0 件 見つかりました　＊＊＊＊"), 1, std::nullopt},
      {"RecordZeroNamesNothing", true, 0, SearchLine("0"), 1, std::nullopt},
      {"EmptyLineNamesNothing", true, 0, QString(), 1, std::nullopt},
      {"NoSelectionInSearch", true, -1, SearchLine("123"), 1, std::nullopt},
      {"FirstBrowseLine", false, 0, U("1638001  西新宿"), 300, 300},
      {"TenthBrowseLine", false, 9, U("1638010  西新宿"), 300, 309},
      {"BrowseIgnoresTheLineText", false, 2, SearchLine("77"), 10, 12},
      {"NoSelectionInBrowse", false, -1, QString(), 300, std::nullopt},
      {"NoSelectionInEmptyBrowse", false, -1, QString(), 0, std::nullopt},
      {"BrowseBeforeFirstRecord", false, 0, QString(), 0, std::nullopt},
      {"BrowsePastLargestRecordNumber", false, 10, QString(), std::numeric_limits<qint32>::max() - 5, std::nullopt},
  };
}

INSTANTIATE_TEST_SUITE_P(LinesMapToRecords, EntryOfLineTest, ::testing::ValuesIn(LineRows()), CaseName());

}  // namespace

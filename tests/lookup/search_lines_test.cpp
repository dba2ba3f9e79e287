// Result lines, the count line, text lengths and extents, character for character.
#include <gtest/gtest.h>

#include "lookup/SearchLines.h"
#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

QString Spaces(int n) { return QString(n, u' '); }

// The entry as it reads back from the file: fields padded to their widths.
EntryRecord Stored(const QString& code, const QString& pref, const QString& city, const QString& town) {
  char bytes[EntryRecord::Size];
  Entry(code, pref, city, town).Encode(bytes);
  return EntryRecord::Decode(bytes);
}

EntryRecord NeverWritten() {
  const char zeros[EntryRecord::Size] = {};
  return EntryRecord::Decode(zeros);
}

struct LineCase {
  const char* name;
  EntryRecord entry;
  qint32 recordNo;
  QString line;
  int textLength;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class SearchLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(SearchLineTest, LineAndTextLength) {
  EXPECT_EQ(SearchLine(GetParam().entry, GetParam().recordNo), GetParam().line);
  EXPECT_EQ(SearchTextLength(GetParam().entry), GetParam().textLength);
}

const QString kNul(QChar(u'\0'));

INSTANTIATE_TEST_SUITE_P(
    Table, SearchLineTest,
    ::testing::Values(
        LineCase{"plain entry: town padded to 90 bytes, then the record number",
                 Stored("1000001", U("東京都"), U("千代田区"), U("千代田")), 12,
                 U("1000001　東京都　千代田区　千代田") + Spaces(84) + "12", 10},
        LineCase{"town cut at its NUL", Stored("5300001", U("大阪府"), U("大阪市北区"), U("梅田") + kNul + U("北")), 3,
                 U("5300001　大阪府　大阪市北区　梅田") + Spaces(86) + "3", 10},
        LineCase{"town of exactly 80 bytes keeps ten spaces before the number",
                 Stored("0010000", U("北海道"), U("札幌市"), QString(40, QChar(0x753A))), 124000,
                 U("0010000　北海道　札幌市　") + QString(40, QChar(0x753A)) + Spaces(10) + "124000", 46},
        LineCase{"prefecture and city trimmed, town keeps its leading spaces",
                 Stored("0640941", U("  北海道"), U(" 札幌市 "), U("  旭町")), 7,
                 U("0640941　北海道　札幌市　  旭町") + Spaces(84) + "7", 8},
        LineCase{"half-width kana count one byte each", Stored("1000001", U("東京都"), U("港区"), U("ｱｲｳ")), 1,
                 U("1000001　東京都　港区　ｱｲｳ") + Spaces(87) + "1", 8},
        LineCase{"short code filled to seven bytes", Stored("99901", U("ABC県"), U("短い番号"), ""), 9,
                 U("99901  　ABC県　短い番号　") + Spaces(90) + "9", 8},
        LineCase{"never-written record: seven NULs of the code, empty names", NeverWritten(), 5,
                 QString(7, QChar(u'\0')) + U("　　　") + Spaces(90) + "5", 0}),
    CaseName());

TEST(SearchLines, RecordNumberIsTheLineEnd) {
  const QString line = SearchLine(Stored("1000001", U("東京都"), U("千代田区"), QString(40, QChar(0x753A))), 1234567);
  EXPECT_EQ(line.right(17), Spaces(10) + "1234567");
}

TEST(SearchLines, CountLine) {
  EXPECT_EQ(CountLine(0), U("    ＊＊＊＊  0 件 見つかりました　＊＊＊＊"));
  EXPECT_EQ(CountLine(4), U("    ＊＊＊＊  4 件 見つかりました　＊＊＊＊"));
  EXPECT_EQ(CountLine(2000), U("    ＊＊＊＊  2000 件 見つかりました　＊＊＊＊"));
  // The same, spelt out by code: four spaces, four U+FF0A, two spaces, digits, ...
  EXPECT_EQ(CountLine(7), QString::fromUtf16(u"\u0020\u0020\u0020\u0020\uFF0A\uFF0A\uFF0A\uFF0A\u0020\u0020"
                                             u"7\u0020\u4EF6\u0020\u898B\u3064\u304B\u308A\u307E\u3057\u305F"
                                             u"\u3000\uFF0A\uFF0A\uFF0A\uFF0A"));
}

struct ExtentCase {
  const char* name;
  int widest, twipsPerPixel, extent;
};
void PrintTo(const ExtentCase& c, std::ostream* os) { *os << c.name; }

class SearchListExtentTest : public ::testing::TestWithParam<ExtentCase> {};

TEST_P(SearchListExtentTest, Pixels) {
  EXPECT_EQ(SearchListExtent(GetParam().widest, GetParam().twipsPerPixel), GetParam().extent);
}

INSTANTIATE_TEST_SUITE_P(Table, SearchListExtentTest,
                         ::testing::Values(ExtentCase{"20 characters", 20, 15, 405},
                                           ExtentCase{"none", 0, 15, 105},
                                           ExtentCase{"13 characters", 13, 15, 300},
                                           ExtentCase{"one character at 12 twips", 1, 12, 150},
                                           // 1575 / 16 = 98.4, rounded toward zero
                                           ExtentCase{"none at 16 twips, rounded down", 0, 16, 98},
                                           ExtentCase{"the 2000-line limit", 2000, 15, 30105},
                                           ExtentCase{"no twips per pixel", 20, 0, 0}),
                         CaseName());

}  // namespace

}  // namespace mirabo

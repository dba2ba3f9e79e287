// The code index: key order by code, then by the entry number's decimal text.
#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "support/TestText.h"
#include "update/CodeIndex.h"
#include "update/RebuildKit.h"

namespace mirabo {

namespace {

// An entry record whose Code field holds `codeField` (10 bytes); the names are spaces.
QByteArray EntryWithCode(const QByteArray& codeField) { return QByteArray(120, ' ') + codeField; }

QByteArray EntriesWithCodes(const std::vector<QByteArray>& codeFields) {
  QByteArray file;
  for (const QByteArray& code : codeFields) file += EntryWithCode(code);
  return file;
}

struct IndexCase {
  const char* name;
  std::vector<QByteArray> codes;  // Code field of entry 1, 2, ...
  QByteArray index;               // the whole index file
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const IndexCase& c, std::ostream* os) { *os << c.name; }

std::vector<IndexCase> IndexCases() {
  std::vector<QByteArray> eleven(11, Ascii("1000001", 10));
  return {
      {"NoEntriesGiveAnEmptyIndex", {}, {}},
      {"OneEntry", {Ascii("1234567", 10)}, IndexBytes("1234567", 1)},
      {"SameCodeOrdersEntryNumbersAsText",
       eleven,
       IndexBytes("1000001", 1) + IndexBytes("1000001", 10) + IndexBytes("1000001", 11) + IndexBytes("1000001", 2) +
           IndexBytes("1000001", 3) + IndexBytes("1000001", 4) + IndexBytes("1000001", 5) +
           IndexBytes("1000001", 6) + IndexBytes("1000001", 7) + IndexBytes("1000001", 8) +
           IndexBytes("1000001", 9)},
      {"FirstCharacterDecides",
       {Ascii("2000000", 10), Ascii("1999999", 10)},
       IndexBytes("1999999", 2) + IndexBytes("2000000", 1)},
      // Only the first seven characters count: all three share 9990001, so entry order decides.
      {"LongerCodesCompareAndStoreSevenCharacters",
       {Ascii("999000123", 10), Ascii("9990001", 10), Ascii("9990001XY", 10)},
       IndexBytes("9990001", 1) + IndexBytes("9990001", 2) + IndexBytes("9990001", 3)},
      // A space is below every digit: 99901 sorts before 999010 and 9990100.
      {"ShorterCodeSortsBeforeLongerCodesItBegins",
       {Ascii("9990100", 10), Ascii("999010", 10), Ascii("99901", 10)},
       IndexBytes("99901", 3) + IndexBytes("999010", 2) + IndexBytes("9990100", 1)},
      // １２３４５ is five double-byte characters (U+FF11..): after every ASCII digit.
      {"FullWidthCodeSortsByItsCodeUnits",
       {Hex("82 50 82 51 82 52 82 53 82 54"), Ascii("9999999", 10)},
       IndexBytes("9999999", 2) + Hex("82 50 82 51 82 52 82 53 82 54") + Le32(1)},
  };
}

class CodeIndexOrder : public ::testing::TestWithParam<IndexCase> {};

TEST_P(CodeIndexOrder, WritesRecordsInKeyOrder) {
  const IndexCase& c = GetParam();
  EXPECT_EQ(BuildCodeIndex(EntriesWithCodes(c.codes)), c.index);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodeIndexOrder, ::testing::ValuesIn(IndexCases()),
                         CaseName());

TEST(CodeIndexKey, IsSevenCodeCharactersFiveSpacesAndTheNumber) {
  EXPECT_EQ(IndexKey(u"1000001   ", 9), QStringLiteral("1000001     9"));
  EXPECT_EQ(IndexKey(u"123456789X", 999999), QStringLiteral("1234567     999999"));
  EXPECT_EQ(EntryNoOfKey(u"1000001     999999"), 999999);
  EXPECT_EQ(EntryNoOfKey(u"1000001     9"), 9);
}

TEST(CodeIndexKey, SortIsPlainCodeUnitOrder) {
  std::vector<QString> keys{QStringLiteral("b"), QStringLiteral("a "), QStringLiteral("a"), QStringLiteral("A"),
                            QStringLiteral("\uFF41"), QStringLiteral("a1")};
  SortKeys(keys);
  const std::vector<QString> expected{QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("a "),
                                      QStringLiteral("a1"), QStringLiteral("b"), QStringLiteral("\uFF41")};
  EXPECT_EQ(keys, expected);
}

TEST(CodeIndexRebuild, EntriesNineToElevenOfOneCodeStandAsTenElevenNine) {
  QByteArray csv;
  for (int n = 1; n <= 8; ++n) csv += KenAllLine("0000001", "P", "C", "t");
  for (int n = 9; n <= 11; ++n) csv += KenAllLine("5000000", "P", "C", "t");
  TempFolder folder;
  RecordingPlatform platform;
  ASSERT_TRUE(RebuildFrom(folder, csv, platform).ok);
  const QByteArray index = ReadBytes(folder.File("ubinind.dat"));
  ASSERT_EQ(index.size(), 11 * 14);
  EXPECT_EQ(index.left(2 * 14), IndexBytes("0000001", 1) + IndexBytes("0000001", 2));
  EXPECT_EQ(index.right(3 * 14), IndexBytes("5000000", 10) + IndexBytes("5000000", 11) + IndexBytes("5000000", 9));
}

}  // namespace

}  // namespace mirabo

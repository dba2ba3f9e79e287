// Reading the national file: values, quotes, line ends, number columns, refusals, editions.
#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "support/TestText.h"
#include "update/national/KenAllReader.h"
#include "update/RebuildKit.h"

namespace mirabo {

namespace {

const char kPlainRow[] = "1,\"100  \",\"1000001\",\"k\",\"k\",\"k\",\"P\",\"C\",\"T\",0,0,0,0,0,0";

// All rows of a file, or the fault that stopped the reading.
struct ReadResult {
  std::vector<KenAllRow> rows;
  std::optional<KenAllFault> fault;
};

ReadResult ReadAll(const QByteArray& file) {
  KenAllReader reader(file);
  ReadResult result;
  KenAllRow row;
  while (reader.Next(row)) result.rows.push_back(row);
  result.fault = reader.Fault();
  return result;
}

// A row with column `column` (1-based) replaced by `value`, the rest from kPlainRow.
QByteArray RowWithColumn(int column, const QByteArray& value) {
  QList<QByteArray> values = QByteArray(kPlainRow).split(',');
  values[column - 1] = value;
  return values.join(',');
}

TEST(KenAllValues, QuotedAndUnquotedValuesGiveTheTextWithoutQuotes) {
  const ReadResult read = ReadAll("1,a,\"b, c\",d,e,f, \"P\" ,\"say \"\"hi\"\"\",  town ,0,0,0,0,0,0\r\n");
  ASSERT_FALSE(read.fault);
  ASSERT_EQ(read.rows.size(), 1u);
  EXPECT_EQ(read.rows[0].code, QStringLiteral("b, c"));
  EXPECT_EQ(read.rows[0].pref, QStringLiteral("P"));
  EXPECT_EQ(read.rows[0].city, QStringLiteral("say \"hi\""));
  EXPECT_EQ(read.rows[0].town, QStringLiteral("  town "));
}

TEST(KenAllValues, LineOfCommasIsSplitOnlyUpToOneValueTooMany) {
  // Ten million commas: keeping every empty value took about 32 bytes per comma.
  const QByteArray line(10000000, ',');
  std::vector<CsvValue> values;
  EXPECT_FALSE(SplitCsvLine(line.constData(), line.constData() + line.size(), values, 15));
  EXPECT_EQ(values.size(), 16u);
  EXPECT_LT(values.capacity(), 64u);
}

TEST(KenAllValues, DoubledQuotesAtAValuesEdgesAreQuotesInIt) {
  const ReadResult read = ReadAll(RowWithColumn(9, "\"\"\"x\"\"\"") + "\r\n" + RowWithColumn(9, "\"\"\"\"") + "\r\n");
  ASSERT_FALSE(read.fault) << read.fault->what.toStdString();
  ASSERT_EQ(read.rows.size(), 2u);
  EXPECT_EQ(read.rows[0].town, QStringLiteral("\"x\""));
  EXPECT_EQ(read.rows[1].town, QStringLiteral("\""));
}

TEST(KenAllValues, EmptyQuotedValueIsEmpty) {
  const ReadResult read = ReadAll(RowWithColumn(9, "\"\""));
  ASSERT_EQ(read.rows.size(), 1u);
  EXPECT_EQ(read.rows[0].town, QString());
}

TEST(KenAllValues, CodePage932TextIsDecoded) {
  // 北海道 and the half-width ｱ: code page 932 bytes in the file.
  const ReadResult read = ReadAll(RowWithColumn(7, Hex("22 96 6B 8A 43 93 B9 22")) + "\r\n");
  ASSERT_EQ(read.rows.size(), 1u);
  EXPECT_EQ(read.rows[0].pref, QStringLiteral("北海道"));
}

struct LineEndCase {
  const char* name;
  QByteArray file;
  size_t rows;
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const LineEndCase& c, std::ostream* os) { *os << c.name; }

class KenAllLineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(KenAllLineEnds, GiveTheRows) {
  const ReadResult read = ReadAll(GetParam().file);
  ASSERT_FALSE(read.fault) << read.fault->what.toStdString();
  EXPECT_EQ(read.rows.size(), GetParam().rows);
}

const QByteArray kRow(kPlainRow);
INSTANTIATE_TEST_SUITE_P(
    Cases, KenAllLineEnds,
    ::testing::Values(LineEndCase{"CrLf", kRow + "\r\n" + kRow + "\r\n", 2}, LineEndCase{"Lf", kRow + "\n" + kRow + "\n", 2},
                      LineEndCase{"Cr", kRow + "\r" + kRow + "\r", 2},
                      LineEndCase{"LastLineWithoutLineEnd", kRow + "\r\n" + kRow, 2},
                      LineEndCase{"EmptyLinesAtTheEnd", kRow + "\r\n\r\n\n\r\n", 1},
                      LineEndCase{"DosEndOfFileMark", kRow + "\r\n\x1A", 1},
                      LineEndCase{"AllThreeInOneFile",
                                  kRow + "\r" + kRow + "\r" + kRow + "\n" + kRow + "\r\n" + kRow + "\r" + kRow + "\n" + kRow, 7}),
    CaseName());

struct FaultCase {
  const char* name;
  QByteArray file;
  qint64 line;
  QString what;
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class KenAllFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(KenAllFaults, RefuseTheLine) {
  const ReadResult read = ReadAll(GetParam().file);
  ASSERT_TRUE(read.fault);
  EXPECT_EQ(read.fault->line, GetParam().line);
  EXPECT_EQ(read.fault->what, GetParam().what);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KenAllFaults,
    ::testing::Values(
        FaultCase{"FourteenValues", kRow + "\r\n" + kRow.left(kRow.lastIndexOf(',')) + "\r\n", 2,
                  QStringLiteral("値が 14 個あります（15 個のはずです）")},
        FaultCase{"SixteenValues", kRow + ",0\r\n", 1, QStringLiteral("値が 15 個より多くあります（15 個のはずです）")},
        FaultCase{"TrailingCommaIsOneMoreValue", kRow + ",\r\n", 1,
                  QStringLiteral("値が 15 個より多くあります（15 個のはずです）")},
        FaultCase{"LineOfCommasAfterGoodRows", kRow + "\r\n" + kRow + "\r\n" + QByteArray(100000, ',') + "\r\n", 3,
                  QStringLiteral("値が 15 個より多くあります（15 個のはずです）")},
        // What a failed download or copy leaves behind: no row that could replace the data.
        FaultCase{"EmptyFile", "", 0, QStringLiteral("データの行がありません")},
        FaultCase{"OnlyEmptyLines", "\r\n\r\n\n", 0, QStringLiteral("データの行がありません")},
        FaultCase{"OnlyByteOrderMark", Hex("EF BB BF"), 0, QStringLiteral("データの行がありません")},
        FaultCase{"OnlyEndOfFileMark", "\x1A", 0, QStringLiteral("データの行がありません")},
        FaultCase{"LineBrokenInsideQuotes", "1,\"100  \",\"1000\r\n001\",\"k\"\r\n", 1,
                  QStringLiteral("3 列目の引用符が閉じていません")},
        FaultCase{"QuoteLeftOpenByADoubledQuote", RowWithColumn(9, "\"ab\"\""), 1,
                  QStringLiteral("9 列目の引用符が閉じていません")},
        FaultCase{"TextAfterClosingQuote", RowWithColumn(8, "\"C\"x"), 1,
                  QStringLiteral("8 列目の引用符のあとに余分な文字があります")},
        FaultCase{"QuoteInsideUnquotedValue", RowWithColumn(9, "ab\"c"), 1,
                  QStringLiteral("9 列目の途中に引用符があります")},
        FaultCase{"NulByte", kRow + "\r\n" + RowWithColumn(9, QByteArray("a\0b", 3)), 2,
                  QStringLiteral("NUL 文字が含まれています")},
        FaultCase{"EmptyLineBeforeARow", kRow + "\r\n\r\n\r\n" + kRow + "\r\n", 2, QStringLiteral("空の行があります")},
        FaultCase{"LineOfSpacesIsOneValue", kRow + "\r\n  \r\n", 2, QStringLiteral("値が 1 個あります（15 個のはずです）")}),
    CaseName());

struct NumberCase {
  const char* name;
  int column;
  QByteArray value;
  bool accepted;
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class KenAllNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(KenAllNumbers, AcceptOnlyIntegersOfTheColumnsType) {
  const NumberCase& c = GetParam();
  const ReadResult read = ReadAll(RowWithColumn(c.column, c.value) + "\r\n");
  EXPECT_EQ(!read.fault, c.accepted) << (read.fault ? read.fault->what.toStdString() : "");
  if (read.fault) {
    EXPECT_EQ(read.fault->line, 1);
    EXPECT_TRUE(read.fault->what.startsWith(QStringLiteral("%1 列目「").arg(c.column))) << read.fault->what.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KenAllNumbers,
    ::testing::Values(NumberCase{"Int32Max", 1, "2147483647", true}, NumberCase{"Int32Min", 1, "-2147483648", true},
                      NumberCase{"Int32TooLarge", 1, "2147483648", false},
                      NumberCase{"Int32TooSmall", 1, "-2147483649", false},
                      NumberCase{"LeadingZeros", 1, "01101", true}, NumberCase{"Spaces", 1, " 13101 ", true},
                      NumberCase{"Quoted", 1, "\"13101\"", true}, NumberCase{"Plus", 1, "+5", true},
                      NumberCase{"Empty", 1, "", false}, NumberCase{"SignOnly", 1, "-", false},
                      NumberCase{"Decimal", 1, "1.5", false}, NumberCase{"Letters", 1, "13A01", false},
                      NumberCase{"HugeDigits", 1, "99999999999999999999999999", false},
                      NumberCase{"Int16Max", 10, "32767", true}, NumberCase{"Int16Min", 10, "-32768", true},
                      NumberCase{"Int16TooLarge", 10, "32768", false}, NumberCase{"Int16TooSmall", 15, "-32769", false},
                      NumberCase{"FlagText", 15, "\"x\"", false}, NumberCase{"FlagEmpty", 12, "", false},
                      NumberCase{"TextColumnTakesAnything", 2, "abc", true}),
    CaseName());

TEST(KenAllNumbers, MessageShowsTheValueAndTheRange) {
  const ReadResult read = ReadAll(RowWithColumn(10, "x") + "\r\n");
  ASSERT_TRUE(read.fault);
  EXPECT_EQ(read.fault->what, QStringLiteral("10 列目「x」は -32768～32767 の整数ではありません"));
}

TEST(KenAllNumbers, InvisibleCharacterInTheValueIsShownAsItsCode) {
  // A Ctrl-Z (DOS end-of-file mark) in the middle of the file, before a row.
  const ReadResult read = ReadAll(kRow + "\r\n\x1A" + kRow + "\r\n");
  ASSERT_TRUE(read.fault);
  EXPECT_EQ(read.fault->line, 2);
  EXPECT_EQ(read.fault->what, QStringLiteral("1 列目「\\x1A1」は -2147483648～2147483647 の整数ではありません"));
}

// Pieces of rows in either edition. 北海道 in UTF-8 and in code page 932:
const QByteArray kUtf8Pref = Hex("22 E5 8C 97 E6 B5 B7 E9 81 93 22");
const QByteArray kCp932Pref = Hex("22 96 6B 8A 43 93 B9 22");
const QString kUtf8Expected = QStringLiteral("UTF-8 として読めない文字があります（このファイルは UTF-8 のはずです）");
const QString kCp932Expected = QStringLiteral(
    "Shift-JIS（コードページ 932） として読めない文字があります（このファイルは Shift-JIS（コードページ 932） のはずです）");

struct EncodingFaultCase {
  const char* name;
  QByteArray file;
  qint64 line;
  QString what;
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const EncodingFaultCase& c, std::ostream* os) { *os << c.name; }

class KenAllMixedEncodings : public ::testing::TestWithParam<EncodingFaultCase> {};

TEST_P(KenAllMixedEncodings, AreRefusedAtTheFirstLineThatBreaksTheEncoding) {
  const ReadResult read = ReadAll(GetParam().file);
  ASSERT_TRUE(read.fault);
  EXPECT_EQ(read.fault->line, GetParam().line);
  EXPECT_EQ(read.fault->what, GetParam().what);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KenAllMixedEncodings,
    ::testing::Values(
        EncodingFaultCase{"ByteOrderMarkBeforeCodePage932Rows", Hex("EF BB BF") + RowWithColumn(7, kCp932Pref) + "\r\n",
                          1, kUtf8Expected},
        EncodingFaultCase{"Utf8RowsThenOneCodePage932Row",
                          kRow + "\r\n" + RowWithColumn(7, kUtf8Pref) + "\r\n" + RowWithColumn(7, kCp932Pref) + "\r\n",
                          3, kUtf8Expected},
        // 85 40 lies in a row that code page 932 leaves empty; 96 alone lacks its second byte.
        EncodingFaultCase{"CodePage932ThenUnassignedCode",
                          RowWithColumn(7, kCp932Pref) + "\r\n" + RowWithColumn(9, Hex("85 40")) + "\r\n", 2,
                          kCp932Expected},
        EncodingFaultCase{"CodePage932ThenCutCharacter",
                          RowWithColumn(7, kCp932Pref) + "\r\n" + kRow + "\r\n" + RowWithColumn(9, Hex("41 96")) + "\r\n",
                          3, kCp932Expected},
        EncodingFaultCase{"Utf8ThenSurrogate", RowWithColumn(7, kUtf8Pref) + "\r\n" + RowWithColumn(9, Hex("ED A0 80")),
                          2, kUtf8Expected},
        // E0 81 81 spells "A" in three bytes; F4 90 80 80 would be U+110000.
        EncodingFaultCase{"Utf8ThenOverlongForm", RowWithColumn(7, kUtf8Pref) + "\r\n" + RowWithColumn(9, Hex("E0 81 81")),
                          2, kUtf8Expected},
        EncodingFaultCase{"Utf8ThenBeyondUnicode",
                          RowWithColumn(7, kUtf8Pref) + "\r\n" + RowWithColumn(9, Hex("F4 90 80 80")), 2, kUtf8Expected}),
    CaseName());

struct EditionCase {
  const char* name;
  QByteArray file;
  QString pref;  // of the last row, decoded in the edition's encoding
};

void PrintTo(const EditionCase& c, std::ostream* os) { *os << c.name; }

class KenAllEditions : public ::testing::TestWithParam<EditionCase> {};

TEST_P(KenAllEditions, AreToldByTheFirstLineBeyondAscii) {
  KenAllReader reader(GetParam().file);
  KenAllRow row, last;
  while (reader.Next(row)) last = row;
  ASSERT_FALSE(reader.Fault()) << reader.Fault()->what.toStdString();
  EXPECT_EQ(last.pref, GetParam().pref);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KenAllEditions,
    ::testing::Values(
        EditionCase{"AsciiOnly", kRow + "\r\n", QStringLiteral("P")},
        EditionCase{"AsciiRowsThenUtf8", kRow + "\r\n" + RowWithColumn(7, kUtf8Pref), QStringLiteral("北海道")},
        EditionCase{"AsciiRowsThenCodePage932", kRow + "\r\n" + RowWithColumn(7, kCp932Pref), QStringLiteral("北海道")},
        EditionCase{"ByteOrderMarkWithAsciiRows", Hex("EF BB BF") + kRow, QStringLiteral("P")},
        // Half-width katakana ｱｲｳ: B1 B2 B3 are no UTF-8, so the file is code page 932.
        EditionCase{"HalfWidthKana", RowWithColumn(7, Hex("B1 B2 B3")), QStringLiteral("ｱｲｳ")}),
    CaseName());

TEST(KenAllEditionsText, Utf8EditionIsDecodedAsUtf8WithoutItsMark) {
  const ReadResult read = ReadAll(Hex("EF BB BF") + RowWithColumn(7, Hex("22 E5 8C 97 E6 B5 B7 E9 81 93 22")));
  ASSERT_EQ(read.rows.size(), 1u);
  EXPECT_EQ(read.rows[0].pref, QStringLiteral("北海道"));
}

}  // namespace

}  // namespace mirabo

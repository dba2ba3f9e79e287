// Address-list rows: decoding, lines, columns, and the list under check with its output texts.
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "listcheck/CheckList.h"
#include "listcheck/ListRows.h"
#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

struct DecodeCase {
  const char* name;
  QByteArray bytes;
  const char* text;
};
void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeListInputTest : public ::testing::TestWithParam<DecodeCase> {};

// The encoding is chosen by validity.
TEST_P(DecodeListInputTest, Decodes) { EXPECT_EQ(DecodeListInput(GetParam().bytes), U(GetParam().text)); }

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeListInputTest,
    ::testing::Values(DecodeCase{"utf8", "1000001\t\xE6\x9D\xB1\xE4\xBA\xAC", "1000001\t東京"},
                      DecodeCase{"utf8 byte-order mark dropped", "\xEF\xBB\xBF" "a,b", "a,b"},
                      DecodeCase{"cp932 (93 8C 8B 9E, Tokyo)", "1000001\t\x93\x8C\x8B\x9E", "1000001\t東京"},
                      DecodeCase{"one bad byte at the end makes it cp932", "\x93\x8C\x8B\x9E\x82\xA0", "東京あ"},
                      DecodeCase{"ascii", "100-0001,x", "100-0001,x"},
                      DecodeCase{"empty", "", ""}),
    CaseName());

struct LinesCase {
  const char* name;
  const char* text;
  QStringList lines;
};
void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

class SplitListLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SplitListLinesTest, Splits) { EXPECT_EQ(SplitListLines(U(GetParam().text)), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SplitListLinesTest,
    ::testing::Values(LinesCase{"LF", "a\nb\n", {"a", "b"}},
                      LinesCase{"CR LF", "a\r\nb\r\n", {"a", "b"}},
                      LinesCase{"no final line break", "a\nb", {"a", "b"}},
                      LinesCase{"empty lines inside stay", "a\n\n\nb\n", {"a", "", "", "b"}},
                      LinesCase{"an empty last line before the final break stays", "a\n\n", {"a", ""}},
                      LinesCase{"a lone CR inside a line stays", "a\rb\n", {"a\rb"}},
                      LinesCase{"empty text", "", {}}),
    CaseName());

struct RowCase {
  const char* name;
  const char* line;
  QStringList values;
};
void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class SplitListRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(SplitListRowTest, Splits) { EXPECT_EQ(SplitListRow(U(GetParam().line)), GetParam().values); }

INSTANTIATE_TEST_SUITE_P(
    TabOrCsv, SplitListRowTest,
    ::testing::Values(RowCase{"tab", "100-0001\t東京都 千代田区\tメモ", {"100-0001", U("東京都 千代田区"), U("メモ")}},
                      RowCase{"tab wins over commas", "1,2\t3,4", {"1,2", "3,4"}},
                      RowCase{"tab cell in quotes unquoted", "\"1000001\"\t\"a\"\"b\"", {"1000001", "a\"b"}},
                      RowCase{"tab quote inside a cell stays", "a\"b\tc\"", {"a\"b", "c\""}},
                      RowCase{"empty tab columns", "\t", {"", ""}},
                      RowCase{"csv", "100-0001,千代田区", {"100-0001", U("千代田区")}},
                      RowCase{"csv quoted comma", "\"1,2\",\"a\"\"b\"", {"1,2", "a\"b"}},
                      RowCase{"csv quotes inside an unquoted value", "a\"b\"c,d", {"abc", "d"}},
                      RowCase{"csv empty values", ",,", {"", "", ""}},
                      RowCase{"csv unclosed quote runs to the end", "\"a,b", {"a,b"}},
                      RowCase{"one column", "1000001", {"1000001"}}),
    CaseName());

TEST(IsBlankRow, OnlyWhitespace) {
  EXPECT_TRUE(IsBlankRow({}));
  EXPECT_TRUE(IsBlankRow({"", " ", U("　")}));
  EXPECT_FALSE(IsBlankRow({"", "", "x"}));
}

TEST(CsvLine, QuotesOnlyWhereNeeded) {
  EXPECT_EQ(CsvLine({"a", "b c", U("東京")}), U("a,b c,東京"));
  EXPECT_EQ(CsvLine({"1,2", "say \"hi\"", "x\ny", ""}), "\"1,2\",\"say \"\"hi\"\"\",\"x\ny\",");
}

class CheckListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenDataSet set({Entry("1000000", U("東京都"), U("千代田区"), U("以下に掲載がない場合")),
                     Entry("1000005", U("東京都"), U("千代田区"), U("丸の内")),
                     Entry("1000014", U("東京都"), U("千代田区"), U("永田町")),
                     Entry("1000014", U("東京都"), U("千代田区"), U("永田町（２丁目）")),
                     Entry("0600042", U("北海道"), U("札幌市中央区"), U("大通西"))});
    reader_ = std::make_unique<AddressReader>(set.data);
  }
  std::unique_ptr<AddressReader> reader_;
};

TEST_F(CheckListTest, ChecksInStepsAndCounts) {
  CheckList list;
  list.SetText(U("1000005\t千代田区丸の内\n\n100-0001,千代田区丸の内,memo\n12\t千代田区\n"));
  ASSERT_EQ(list.RowCount(), 4);
  EXPECT_TRUE(list.IsBlank(1));
  EXPECT_EQ(list.Fields(2), QStringList({"100-0001", U("千代田区丸の内"), "memo"}));
  EXPECT_TRUE(list.CheckNext(*reader_, 2));
  EXPECT_EQ(list.CheckedCount(), 2);
  EXPECT_FALSE(list.Result(2).has_value());
  EXPECT_FALSE(list.CheckNext(*reader_, 5));
  EXPECT_EQ(list.CheckedCount(), 4);
  EXPECT_FALSE(list.Result(1).has_value());  // a blank row gets no verdict
  EXPECT_EQ(list.Count(Verdict::Ok), 1);
  EXPECT_EQ(list.Count(Verdict::UnknownCode), 1);
  EXPECT_EQ(list.Count(Verdict::BadCode), 1);
  EXPECT_EQ(list.Result(2)->suggestion, "100-0005");
  EXPECT_EQ(list.Result(3)->suggestion, "100-0000");
}

TEST_F(CheckListTest, ReplacingTheCodeChecksTheRowAgain) {
  CheckList list;
  list.SetText(U("1000001\t千代田区丸の内\n\t\n"));
  list.CheckNext(*reader_, 10);
  ASSERT_EQ(SuggestedCodes(*list.Result(0)), QStringList({"100-0005"}));
  list.ReplaceCode(0, "100-0005", *reader_);
  EXPECT_EQ(list.Code(0), "100-0005");
  EXPECT_EQ(list.Result(0)->verdict, Verdict::Ok);
  EXPECT_EQ(list.Count(Verdict::Ok), 1);
  EXPECT_EQ(list.Count(Verdict::UnknownCode), 0);
}

TEST_F(CheckListTest, SuggestedCodesOnlyFromCodeSuggestions) {
  EXPECT_EQ(SuggestedCodes({Verdict::Mismatch, "100-0005,100-0014"}), QStringList({"100-0005", "100-0014"}));
  EXPECT_EQ(SuggestedCodes({Verdict::BadCode, ""}), QStringList());
  EXPECT_EQ(SuggestedCodes({Verdict::UnknownAddress, U("東京都千代田区丸の内")}), QStringList());
}

TEST_F(CheckListTest, ResultTextsPadTheColumnsAndKeepBlankRows) {
  CheckList list;
  list.SetText(U("1000005\t千代田区丸の内\tmemo\n\t\n1000014,\"千代田区永田町1,2\"\n"));
  list.CheckNext(*reader_, 10);
  EXPECT_EQ(list.ResultTsv(), U("1000005\t千代田区丸の内\tmemo\t正常\t\n"
                                "\n"
                                "1000014\t千代田区永田町1,2\t\t正常\t\n"));
  EXPECT_EQ(list.ResultCsv(), QByteArray("\xEF\xBB\xBF") + U("1000005,千代田区丸の内,memo,正常,\r\n"
                                                             "\r\n"
                                                             "1000014,\"千代田区永田町1,2\",,正常,\r\n").toUtf8());
}

TEST_F(CheckListTest, UncheckedRowsHaveEmptyVerdictColumns) {
  CheckList list;
  list.SetText(U("1000014\t千代田区丸の内\n9\n"));
  list.CheckNext(*reader_, 1);
  EXPECT_EQ(list.ResultTsv(), U("1000014\t千代田区丸の内\t郵便番号違い\t100-0005\n9\t\t\t\n"));
}

TEST_F(CheckListTest, FirstRowOfTitlesIsAHeader) {
  CheckList list;
  list.SetText(U("郵便番号,住所\n1000005,千代田区丸の内\n"));
  list.CheckNext(*reader_, 10);
  EXPECT_TRUE(list.IsHeader(0));
  EXPECT_FALSE(list.Result(0).has_value());
  EXPECT_EQ(list.Count(Verdict::Ok), 1);
  EXPECT_EQ(list.Count(Verdict::BadCode), 0);
  EXPECT_EQ(list.ResultTsv(), U("郵便番号\t住所\t判定\t候補\n1000005\t千代田区丸の内\t正常\t\n"));
  // A first row with a digit in its code cell, or an address, is a row to check.
  for (const char* first : {"10000,どこか", "番号,千代田区丸の内", "\t千代田区丸の内"}) {
    list.SetText(U(first));
    list.CheckNext(*reader_, 10);
    EXPECT_FALSE(list.IsHeader(0)) << first;
    EXPECT_TRUE(list.Result(0).has_value()) << first;
  }
}

TEST_F(CheckListTest, FillInTakesOnlyRowsWithOneAnswerAndUndoes) {
  const QString text = U(
      "\t千代田区丸の内1-1\n"              // missing: 100-0005
      "600042\t札幌市中央区大通西5\n"      // lost-zero: 060-0042
      "1000000\t千代田区丸の内\tmemo\n"   // mismatch: 100-0005
      "1000014\t\n"                        // no-address: one address for two towns of the code
      "1000005\t千代田区永田町\n"          // mismatch: both towns of 永田町 have 100-0014
      "100005\t千代田区丸の内\n"           // bad-code: not filled
      "9999999\t千代田区丸の内\n"          // unknown-code: not filled
      "\t\n"
      "\tどこか\n");                       // missing without a code to fill
  CheckList list;
  list.SetText(text);
  list.CheckNext(*reader_, 20);
  EXPECT_EQ(list.FillIn(*reader_), QList<int>({0, 1, 2, 3, 4}));
  EXPECT_EQ(list.RowsTsv(), U("100-0005\t千代田区丸の内1-1\n"
                              "060-0042\t札幌市中央区大通西5\n"
                              "100-0005\t千代田区丸の内\tmemo\n"
                              "1000014\t東京都千代田区永田町\n"
                              "100-0014\t千代田区永田町\n"
                              "100005\t千代田区丸の内\n"
                              "9999999\t千代田区丸の内\n"
                              "\n"
                              "\tどこか\n"));
  EXPECT_EQ(list.Count(Verdict::Ok), 5);
  EXPECT_TRUE(list.IsFilled(3));
  EXPECT_FALSE(list.IsFilled(5));
  EXPECT_EQ(list.FillIn(*reader_), QList<int>());  // nothing left to fill: no empty undo step

  QList<int> undone;
  EXPECT_TRUE(list.Undo(*reader_, &undone));
  EXPECT_EQ(undone, QList<int>({0, 1, 2, 3, 4}));
  EXPECT_EQ(list.RowsTsv(), QString(text).replace(U("\n\t\n"), U("\n\n")));  // a blank row copies as empty
  EXPECT_EQ(list.Count(Verdict::Ok), 0);
  EXPECT_EQ(list.Result(1)->verdict, Verdict::LostZero);
  EXPECT_FALSE(list.IsFilled(3));
  EXPECT_FALSE(list.Undo(*reader_));
}

TEST_F(CheckListTest, ReplacedCodeUndoes) {
  CheckList list;
  list.SetText(U("1000000\t千代田区丸の内\n"));
  list.CheckNext(*reader_, 10);
  list.ReplaceCode(0, "100-0005", *reader_);
  EXPECT_EQ(list.Result(0)->verdict, Verdict::Ok);
  EXPECT_TRUE(list.Undo(*reader_));
  EXPECT_EQ(list.Code(0), "1000000");
  EXPECT_EQ(list.Result(0)->verdict, Verdict::Mismatch);
}

}  // namespace

}  // namespace mirabo

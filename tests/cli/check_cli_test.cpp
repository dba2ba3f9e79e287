// mirabo-cli check: TAB and CSV rows, both encodings, blank lines, --header and exit statuses.
#include <gtest/gtest.h>

#include "data/Cp932Codec.h"
#include "support/CaseName.h"
#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

class CheckCliTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    WriteDataFiles(folder_->Path(), {Entry("1000000", U("東京都"), U("千代田区"), U("以下に掲載がない場合")),
                                     Entry("1000005", U("東京都"), U("千代田区"), U("丸の内")),
                                     Entry("0460003", U("北海道"), U("余市郡余市町"), U("黒川町"))});
  }
  static void TearDownTestSuite() { delete folder_; }
  static CliRun Check(const QStringList& args, const QByteArray& input = {}) {
    return RunCli(QStringList{"--data", folder_->Path(), "check"} + args, input);
  }
  static TempFolder* folder_;
};
TempFolder* CheckCliTest::folder_ = nullptr;

// Rows before a line too long are answered; the long line stops the run by its number.
TEST_F(CheckCliTest, LineOverFourKilobytesIsRefusedByItsNumber) {
  const QByteArray row = U("1000005\t東京都千代田区丸の内1\n").toUtf8();
  const QByteArray limit = "1000005\t" + QByteArray(4096 - 8, 'a') + "\r\n";  // 4,096 bytes and CR LF
  const CliRun run = Check({}, row + limit + "1000005\t" + QByteArray(4096 - 7, 'a') + "\n" + row);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(QString::fromUtf8(run.out), U("ok\t1000005\t東京都千代田区丸の内1\t\n") + "unknown-address\t1000005\t" +
                                            QString(4096 - 8, u'a') + U("\t東京都千代田区丸の内\n"));
  EXPECT_EQ(run.err, "mirabo-cli: -: line 3 is longer than 4096 bytes\n");
  const CliRun code = RunCli({"--data", folder_->Path(), "address", "-"}, "丸の内\n" + QByteArray(5000, 'x'));
  EXPECT_EQ(code.status, 2);
  EXPECT_EQ(code.err, "mirabo-cli: standard input: line 2 is longer than 4096 bytes\n");
}

TEST_F(CheckCliTest, TabAndCsvRowsGiveOneLineEach) {
  const CliRun run = Check({}, U("1000005\t東京都千代田区丸の内1\textra\n"
                                 "\"100-0000\",\"千代田区丸の内, 2\"\n"
                                 "\n"
                                 "〒０４６－０００３,余市町黒川町\r\n"
                                 "12,余市町黒川町\n"
                                 "\t余市町黒川町\n"
                                 "460003,余市町黒川町\n"
                                 "9999999\t横浜\n"
                                 "1000005\tどこか\n"
                                 ",\n").toUtf8());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(QString::fromUtf8(run.out), U("ok\t1000005\t東京都千代田区丸の内1\t\n"
                                          "mismatch\t100-0000\t千代田区丸の内, 2\t100-0005\n"
                                          "\n"
                                          "ok\t〒０４６－０００３\t余市町黒川町\t\n"
                                          "bad-code\t12\t余市町黒川町\t046-0003\n"
                                          "missing\t\t余市町黒川町\t046-0003\n"
                                          "lost-zero\t460003\t余市町黒川町\t046-0003\n"
                                          "unknown-code\t9999999\t横浜\t\n"
                                          "unknown-address\t1000005\tどこか\t東京都千代田区丸の内\n"
                                          "\n"));
  EXPECT_EQ(run.err, "");
}

TEST_F(CheckCliTest, Cp932InputFromAFile) {
  TempFolder work;
  WriteBytes(work.File("list.csv"), cp932::Encode(U("1000005,千代田区丸の内\r\n1000000,千代田区永田町\r\n")));
  const CliRun run = Check({work.File("list.csv")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(QString::fromUtf8(run.out), U("ok\t1000005\t千代田区丸の内\t\nok\t1000000\t千代田区永田町\t\n"));
}

TEST_F(CheckCliTest, HeaderLineIsCopiedWithTheTwoTitles) {
  const CliRun run = Check({"--header", "-"}, U("郵便番号\t住所\t備考\n1000005\t千代田区丸の内\n").toUtf8());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(QString::fromUtf8(run.out), U("判定\t郵便番号\t住所\t候補\nok\t1000005\t千代田区丸の内\t\n"));
}

TEST_F(CheckCliTest, WithoutHeaderTheFirstLineIsARow) {
  const CliRun run = Check({}, U("郵便番号,住所\n").toUtf8());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(QString::fromUtf8(run.out), U("bad-code\t郵便番号\t住所\t\n"));
}

TEST_F(CheckCliTest, EmptyInputIsAllOk) {
  const CliRun run = Check({}, "");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
}

struct BadUse {
  const char* name;
  QStringList args;  // "missing.csv" is looked for in the data folder
};
void PrintTo(const BadUse& c, std::ostream* os) { *os << c.name; }

class CheckCliBadUse : public CheckCliTest, public ::testing::WithParamInterface<BadUse> {};

TEST_P(CheckCliBadUse, ExitsTwo) {
  QStringList args = GetParam().args;
  args.replaceInStrings(QStringLiteral("missing.csv"), folder_->File("missing.csv"));
  const CliRun run = Check(args, "1000005\tx\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(run.err.startsWith("mirabo-cli: ")) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, CheckCliBadUse,
                         ::testing::Values(BadUse{"unknown option", {"--nope"}}, BadUse{"two files", {"a.csv", "b.csv"}},
                                           BadUse{"missing file", {"missing.csv"}}),
                         CaseName());

}  // namespace

}  // namespace mirabo

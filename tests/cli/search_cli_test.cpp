// mirabo-cli code / address: the same lines as the window's result list, batches, statuses.
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "lookup/AddressSearch.h"
#include "lookup/CodeSearch.h"
#include "lookup/SearchLines.h"
#include "support/CaseName.h"
#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

// The run with its output as text, as the result lines are compared.
struct SearchRun {
  int status = -1;
  QString out;
  QByteArray err;
};

SearchRun RunSearch(const QStringList& args, const QByteArray& input = {}) {
  const CliRun run = RunCli(args, input);
  return {run.status, QString::fromUtf8(run.out), run.err};
}

// Collects result lines the way the window's list holds them.
class LinesSink : public SearchSink {
 public:
  QString text;
  void AddLine(const QString& line, const EntryRecord&, qint32) override { text += line + u'\n'; }
  void Yield() override {}
  void TooMany() override {}
};

const QByteArray kBel("\a");
const QByteArray kTooMany = QByteArray("件数が多いので絞り込んで再度検索して下さい。") + '\n';

class SearchCliTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    QList<EntryRecord> entries = {
        Entry("1000001", U("東京都"), U("千代田区"), U("千代田")),
        Entry("0640941", U("北海道"), U("札幌市中央区"), U("旭ケ丘")),
        Entry("1040061", U("東京都"), U("中央区"), U("銀座")),
        Entry("1000001", U("東京都"), U("千代田区"), U("千代田二")),
        Entry("9999999", U("沖縄県"), U("那覇市"), U("最後町")),
    };
    for (int i = 0; i < 2050; ++i)
      entries << Entry(QStringLiteral("15%1").arg(i, 5, 10, QChar(u'0')), U("東京都"), U("府中市"), U("多摩"));
    WriteDataFiles(folder_->Path(), entries);
  }
  static void TearDownTestSuite() { delete folder_; }

  static SearchRun Cli(const QStringList& args, const QByteArray& input = {}) {
    return RunSearch(QStringList{"--data", folder_->Path()} + args, input);
  }
  // The result list after a code search of an already cleaned key, from the core.
  static QString CoreCodeList(const QString& key) {
    DataSet data;
    data.OpenDataFiles(folder_->Path());
    LinesSink sink;
    const CodeSearchResult result = SearchCode(data, key, sink);
    return sink.text + CountLine(result.tally.lineCount) + u'\n';
  }
  static QString CoreAddressList(const QString& key) {
    DataSet data;
    data.OpenDataFiles(folder_->Path());
    LinesSink sink;
    const SearchTally tally = ListAddressMatches(data, key, sink);
    return sink.text + CountLine(tally.lineCount) + u'\n';
  }

  static TempFolder* folder_;
};

TempFolder* SearchCliTest::folder_ = nullptr;

TEST_F(SearchCliTest, CodeLinesAreTheCoreLines) {
  const SearchRun run = Cli({"code", U("１００－０００１")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, CoreCodeList("1000001"));
  EXPECT_EQ(run.out, U("1000001　東京都　千代田区　千代田") + QString(84, u' ') + "1\n" +
                         U("1000001　東京都　千代田区　千代田二") + QString(82, u' ') + "4\n" +
                         U("    ＊＊＊＊  2 件 見つかりました　＊＊＊＊\n"));
  EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(SearchCliTest, AddressLinesAreTheCoreLinesWithTheKeyTrimmed) {
  const SearchRun run = Cli({"address", U("  中央 ")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, CoreAddressList(U("中央")));
  EXPECT_EQ(run.out.count(u'\n'), 3);  // entries 2 and 3, then the count line
  EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(SearchCliTest, BatchFromStandardInput) {
  const SearchRun run = Cli({"code", "-"}, "100-0001\n9999999\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, CoreCodeList("1000001") + CoreCodeList("9999999"));

  const SearchRun address = Cli({"address", "-"}, U("中央\r\n那覇\n").toUtf8());
  EXPECT_EQ(address.status, 0);
  EXPECT_EQ(address.out, CoreAddressList(U("中央")) + CoreAddressList(U("那覇")));
}

TEST_F(SearchCliTest, BatchMixedWithArguments) {
  const SearchRun run = Cli({"code", "9999999", "-", "1000001"}, "0640941\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, CoreCodeList("9999999") + CoreCodeList("0640941") + CoreCodeList("1000001"));
}

TEST_F(SearchCliTest, TabSeparatedEntries) {
  const SearchRun run = Cli({"code", "--tsv", "1000001", "9999999"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, U("1000001\t東京都\t千代田区\t千代田\t1\n"
                       "1000001\t東京都\t千代田区\t千代田二\t4\n"
                       "9999999\t沖縄県\t那覇市\t最後町\t5\n"));
  const SearchRun address = Cli({"address", "--tsv", U("中央")});
  EXPECT_EQ(address.out, U("0640941\t北海道\t札幌市中央区\t旭ケ丘\t2\n"
                           "1040061\t東京都\t中央区\t銀座\t3\n"));
}

struct StatusCase {
  const char* name;
  QStringList args;
  QByteArray input;
  int status;
  QByteArray err;       // exact standard error, when `errPrefix` is false
  bool errPrefix;       // standard error only has to begin with "mirabo-cli: usage"
  int countLineZeroes;  // count lines reading 0 expected on standard output
};
void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }

class SearchCliStatus : public SearchCliTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(SearchCliStatus, ExitStatusAndStandardError) {
  const StatusCase& c = GetParam();
  const SearchRun run = Cli(c.args, c.input);
  EXPECT_EQ(run.status, c.status);
  if (c.errPrefix) {
    EXPECT_TRUE(run.err.startsWith("mirabo-cli: usage")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  } else {
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_EQ(run.out.count(U("    ＊＊＊＊  0 件 見つかりました　＊＊＊＊")), c.countLineZeroes);
}

const StatusCase kStatusCases[] = {
    {"found", {"code", "9999999"}, {}, 0, "", false, 0},
    {"nothing found: beep, count 0", {"code", "1234567"}, {}, 1, kBel, false, 1},
    {"one of two not found", {"code", "9999999", "1234567"}, {}, 1, kBel, false, 1},
    {"rejected character removed with a beep, then found", {"code", "9999999a"}, {}, 0, kBel, false, 0},
    {"long vowel mark for the hyphen", {"code", U("100ー0001")}, {}, 0, kBel, false, 0},
    {"full stop kept, not found: one beep", {"code", "1000001."}, {}, 1, kBel, false, 1},
    {"cleaned to nothing: one beep, no list", {"code", "a"}, {}, 1, kBel, false, 0},
    {"empty text: beep, no list", {"code", ""}, {}, 1, kBel, false, 0},
    {"empty lines in a batch are skipped", {"code", "-"}, "\n9999999\n\n", 0, "", false, 0},
    {"empty lines in an address batch too", {"address", "-"}, U("\n多摩\n").toUtf8(), 0, kTooMany, false, 0},
    {"line of spaces is still a search", {"address", "-"}, "  \n", 1, kBel, false, 0},
    {"hyphen-led text after --: the hyphen goes, found", {"code", "--", "-1000001"}, {}, 0, "", false, 0},
    {"postal mark and hyphen: one beep, found", {"code", U("〒100-0001")}, {}, 0, kBel, false, 0},
    {"leading space: one beep, found", {"code", " 100-0001"}, {}, 0, kBel, false, 0},
    {"full-width with the postal mark: one beep, found", {"code", U("〒１００－０００１")}, {}, 0, kBel, false, 0},
    {"spaces and postal mark twice: still one beep", {"code", U("〒 100 - 0001 〒")}, {}, 0, kBel, false, 0},
    {"only hyphens: one beep, no list", {"code", "--", "--"}, {}, 1, kBel, false, 0},
    {"address without a match: no beep", {"address", U("存在しない")}, {}, 1, "", false, 1},
    {"address of spaces only: beep", {"address", "   "}, {}, 1, kBel, false, 0},
    {"no text", {"code"}, {}, 2, "", true, 0},
    {"only options", {"address", "--tsv"}, {}, 2, "", true, 0},
    {"unknown option", {"code", "--wide", "1000001"}, {}, 2, "", true, 0},
    {"hyphen-led text without --", {"code", "-1000001"}, {}, 2, "", true, 0},
};
INSTANTIATE_TEST_SUITE_P(Table, SearchCliStatus, ::testing::ValuesIn(kStatusCases), CaseName());

TEST_F(SearchCliTest, TooManyMessageGoesToStandardError) {
  const SearchRun run = Cli({"code", "15"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, kTooMany);
  const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2001);
  EXPECT_TRUE(lines[1999].endsWith(QStringLiteral("2005")));  // entries 6.. in index order
  EXPECT_EQ(lines[2000], U("    ＊＊＊＊  2000 件 見つかりました　＊＊＊＊"));

  const SearchRun address = Cli({"address", U("多摩")});
  EXPECT_EQ(address.err, kTooMany);
  EXPECT_EQ(address.out, CoreAddressList(U("多摩")));
}

// Text that no entry contains is read as an address: the reader's candidates, best
// first, the note and the count line; a batch gives one block per line.
TEST_F(SearchCliTest, AddressNotFoundAsTextIsReadAsAnAddress) {
  const SearchRun tsv = Cli({"address", "--tsv", U("東京都千代田区千代田１－１")});
  EXPECT_EQ(tsv.status, 0);
  EXPECT_EQ(tsv.out, U("1000001\t東京都\t千代田区\t千代田\t1\n"));
  const SearchRun batch = Cli({"address", "-"}, U("千代田区 千代田\n札幌市中央区旭ヶ丘3丁目\n存在しない\n").toUtf8());
  EXPECT_EQ(batch.status, 1);
  const QStringList lines = batch.out.split(u'\n');
  ASSERT_EQ(lines.size(), 8) << batch.out.toStdString();
  EXPECT_TRUE(lines[0].startsWith(U("1000001　東京都　千代田区　千代田"))) << lines[0].toStdString();
  EXPECT_EQ(lines.mid(1, 2), QStringList({U("住所として解釈しました"), U("    ＊＊＊＊  1 件 見つかりました　＊＊＊＊")}));
  EXPECT_TRUE(lines[3].startsWith(U("0640941　北海道　札幌市中央区　旭ケ丘"))) << lines[3].toStdString();
  EXPECT_EQ(lines.mid(4), QStringList({U("住所として解釈しました"), U("    ＊＊＊＊  1 件 見つかりました　＊＊＊＊"),
                                       U("    ＊＊＊＊  0 件 見つかりました　＊＊＊＊"), ""}));
}

}  // namespace

}  // namespace mirabo

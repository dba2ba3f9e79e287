// mirabo-cli code / address: the exact bytes of a fixed set of searches over awkward
// entries, written out by hand: keys that cross from city to town or from one entry to
// the next, a pair found in entries that lack the whole key, a one-character key, a
// code with a double-byte character, and town fields cut by NUL bytes or by a lead
// byte without its second byte.
#include <gtest/gtest.h>

#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

class SearchBytesCliTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    const QString tokyo = U("東京都"), hokkaido = U("北海道"), north = U("北区");
    WriteDataFiles(folder_->Path(), {
        Entry("1000001", tokyo, U("千代田区"), U("千代田")),
        Entry("1000002", tokyo, U("千代田区"), U("  皇居外苑")),
        Entry("1000003", tokyo, U("中央"), U("区役所前")),
        Entry("1000004", tokyo, U("港区"), U("山川")),
        Entry("1000005", tokyo, U("港区"), U("田中")),
        Entry("1000006", tokyo, U("港区"), U("山川田")),
        Entry("1000007", hokkaido, north, U("ｱｲｳ")),
        Entry(U("10０0008"), hokkaido, north, U("八")),
        Entry("1000009", hokkaido, north, U("末尾")),
        Entry("1000010", hokkaido, north, QString(39, u'あ') + u'a'),
    });
    // Entry 9: NULs after "末尾" (bytes never written). Entry 10: its last town byte a
    // lead byte whose second byte would lie beyond the field.
    QByteArray entries = ReadBytes(folder_->File("ubinno.dat"));
    const qsizetype town9 = 8 * EntryRecord::Size + EntryRecord::TownOffset;
    entries.replace(town9 + 4, EntryRecord::TownWidth - 4, QByteArray(EntryRecord::TownWidth - 4, '\0'));
    entries[9 * EntryRecord::Size + EntryRecord::TownOffset + 79] = char(0x88);
    WriteBytes(folder_->File("ubinno.dat"), entries);
  }
  static void TearDownTestSuite() { delete folder_; }

  static CliRun Cli(const QStringList& args, const QByteArray& input = {}) {
    return RunCli(QStringList{"--data", folder_->Path()} + args, input);
  }

  static TempFolder* folder_;
};

TempFolder* SearchBytesCliTest::folder_ = nullptr;

// A result line: code, prefecture, city, town padded with `pad` spaces to 90 bytes, record.
QByteArray Line(const char* code, const char* pref, const char* city, const char* town, int pad, int record) {
  return QByteArray(code) + "　" + pref + "　" + city + "　" + town + QByteArray(pad, ' ') +
         QByteArray::number(record) + '\n';
}
QByteArray Count(int lines) { return "    ＊＊＊＊  " + QByteArray::number(lines) + " 件 見つかりました　＊＊＊＊\n"; }

const QByteArray kLine1 = Line("1000001", "東京都", "千代田区", "千代田", 84, 1);
const QByteArray kLine2 = Line("1000002", "東京都", "千代田区", "  皇居外苑", 80, 2);
const QByteArray kLine3 = Line("1000003", "東京都", "中央", "区役所前", 82, 3);
const QByteArray kLine4 = Line("1000004", "東京都", "港区", "山川", 86, 4);
const QByteArray kLine5 = Line("1000005", "東京都", "港区", "田中", 86, 5);
const QByteArray kLine6 = Line("1000006", "東京都", "港区", "山川田", 84, 6);
const QByteArray kLine7 = Line("1000007", "北海道", "北区", "ｱｲｳ", 87, 7);
// The code field holds 1 0 ０ 0 0 0 8: seven bytes end after the third 0.
const QByteArray kLine8 = Line("10０000", "北海道", "北区", "八", 88, 8);
const QByteArray kLine9 = Line("1000009", "北海道", "北区", "末尾", 86, 9);
// 39 double-byte characters, "a" and the lone lead byte as U+FFFD: 80 bytes.
const QByteArray kLine10 = Line("1000010", "北海道", "北区", QByteArray("あ").repeated(39) + "a\xEF\xBF\xBD", 10, 10);

struct BytesCase {
  const char* name;
  QStringList args;
  QByteArray input;
  int status;
  QByteArray out;
};
void PrintTo(const BytesCase& c, std::ostream* os) { *os << c.name; }

class SearchBytes : public SearchBytesCliTest, public ::testing::WithParamInterface<BytesCase> {};

TEST_P(SearchBytes, StandardOutputByteForByte) {
  const BytesCase& c = GetParam();
  const CliRun run = Cli(c.args, c.input);
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, c.out);
}

const BytesCase kCases[] = {
    {"pair from city into town", {"address", U("央区")}, {}, 0, kLine3 + Count(1)},
    {"pair across two entries is no match", {"address", U("川港")}, {}, 1, Count(0)},
    {"pairs of the key in other entries only", {"address", U("山川田")}, {}, 0, kLine6 + Count(1)},
    {"two entries hold the key", {"address", U("山川")}, {}, 0, kLine4 + kLine6 + Count(2)},
    {"one character: every entry that holds it",
     {"address", U("区")},
     {},
     0,
     kLine1 + kLine2 + kLine3 + kLine4 + kLine5 + kLine6 + kLine7 + kLine8 + kLine9 + kLine10 + Count(10)},
    {"half-width kana", {"address", U("ｱｲ")}, {}, 0, kLine7 + Count(1)},
    {"town cut at its NULs", {"address", U("北区末尾")}, {}, 0, kLine9 + Count(1)},
    {"key running on from a NUL-cut town into the next entry", {"address", U("尾北")}, {}, 1, Count(0)},
    {"lone lead byte reads as U+FFFD", {"address", U("a\uFFFD")}, {}, 0, kLine10 + Count(1)},
    {"leading spaces of the town kept in the line, not in the text",
     {"address", U("区皇居")},
     {},
     0,
     kLine2 + Count(1)},
    {"code prefix, double-byte code last", {"code", "10"}, {}, 0,
     kLine1 + kLine2 + kLine3 + kLine4 + kLine5 + kLine6 + kLine7 + kLine9 + kLine10 + kLine8 + Count(10)},
    {"code prefix stops before 1000010", {"code", "100000"}, {}, 0,
     kLine1 + kLine2 + kLine3 + kLine4 + kLine5 + kLine6 + kLine7 + kLine9 + Count(8)},
    {"tab-separated code", {"code", "--tsv", "1000002", "1000009"}, {}, 0,
     "1000002\t東京都\t千代田区\t皇居外苑\t2\n1000009\t北海道\t北区\t末尾\t9\n"},
    {"tab-separated address with U+FFFD", {"address", "--tsv", U("あa")}, {}, 0,
     "1000010\t北海道\t北区\t" + QByteArray("あ").repeated(39) + "a\xEF\xBF\xBD\t10\n"},
    {"batch of addresses", {"address", "-"}, U("央区\n川港\nｱｲ\n").toUtf8(), 1,
     kLine3 + Count(1) + Count(0) + kLine7 + Count(1)},
    {"batch of codes, line-buffered", {"code", "--line-buffered", "-"}, "1000003\n100-0008\n1000010\n", 1,
     kLine3 + Count(1) + Count(0) + kLine10 + Count(1)},
};
INSTANTIATE_TEST_SUITE_P(Table, SearchBytes, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace

}  // namespace mirabo

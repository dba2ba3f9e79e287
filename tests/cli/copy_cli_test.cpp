// mirabo-cli copy: the printed clipboard text under each option, and its refusals.
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "support/CaseName.h"
#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

class CopyCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDataFiles(folder_.Path(), {Entry("0600000", U("北海道"), U("札幌市中央区"), ""),
                                    Entry("1638001", U("東京都"), U("新宿区"), U("西新宿")),
                                    Entry("9071801", U("沖縄県"), U("八重山郡与那国町"), U("与那国"))});
  }
  CliRun Copy(QStringList args) { return RunCli(QStringList{"--data", folder_.Path(), "copy"} + args); }

  TempFolder folder_;
};

struct PrintCase {
  const char* name;
  QStringList args;
  QByteArray out;
};
void PrintTo(const PrintCase& c, std::ostream* os) { *os << c.name; }

class CopyCliPrints : public CopyCliTest, public ::testing::WithParamInterface<PrintCase> {};

// The clipboard text of each option set.
TEST_P(CopyCliPrints, TheClipboardText) {
  const CliRun run = Copy(GetParam().args);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, GetParam().out);
  EXPECT_TRUE(run.err.isEmpty());
}

const PrintCase kPrintCases[] = {
    {"Defaults", {"2"}, "163-8001\n"},
    {"NoHyphen", {"2", "--no-hyphen"}, "1638001\n"},
    // １６３－８００１ in UTF-8: U+FF11 U+FF16 U+FF13 U+FF0D U+FF18 U+FF10 U+FF10 U+FF11
    {"FullWidth", {"2", "--full-width"},
     Hex("EF BC 91 EF BC 96 EF BC 93 EF BC 8D EF BC 98 EF BC 90 EF BC 90 EF BC 91 0A")},
    {"FullWidthNoHyphen", {"2", "--full-width", "--no-hyphen"},
     Hex("EF BC 91 EF BC 96 EF BC 93 EF BC 98 EF BC 90 EF BC 90 EF BC 91 0A")},
    {"AddressDefaults", {"2", "--address"}, "新宿区 西新宿\n"},
    {"AddressWithPref", {"2", "--address", "--with-pref"}, "東京都 新宿区 西新宿\n"},
    {"AddressNoSpace", {"2", "--address", "--no-space"}, "新宿区西新宿\n"},
    {"AddressWithPrefNoSpace", {"2", "--address", "--with-pref", "--no-space"}, "東京都新宿区西新宿\n"},
    {"OptionsBeforeRecord", {"--address", "--with-pref", "3"}, "沖縄県 八重山郡与那国町 与那国\n"},
    {"AddressIgnoresCodeOptions", {"3", "--address", "--full-width", "--no-hyphen"}, "八重山郡与那国町 与那国\n"},
    {"CodeIgnoresAddressOptions", {"3", "--with-pref", "--no-space"}, "907-1801\n"},
    {"FirstRecordEmptyTownKeepsSpace", {"1", "--address", "--with-pref"}, "北海道 札幌市中央区 \n"},
    {"RecordAfterDoubleDash", {"--", "1"}, "060-0000\n"},
    // 〒 U+3012, then the code, an ideographic space U+3000, the address without spaces.
    {"Envelope", {"2", "--envelope"}, "〒163-8001　東京都新宿区西新宿\n"},
    {"EnvelopeLines", {"--envelope-lines", "3"}, "〒907-1801\r\n沖縄県八重山郡与那国町与那国\n"},
    {"EnvelopeOfTheWholeCityHasNoTown", {"1", "--envelope"}, "〒060-0000　北海道札幌市中央区\n"},
};
INSTANTIATE_TEST_SUITE_P(OptionSets, CopyCliPrints, ::testing::ValuesIn(kPrintCases), CaseName());

struct RefusalCase {
  const char* name;
  QStringList args;
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class CopyCliRefuses : public CopyCliTest, public ::testing::WithParamInterface<RefusalCase> {};

// A bad record or option: one line on standard error, nothing on standard output.
TEST_P(CopyCliRefuses, WithOneLine) {
  const CliRun run = Copy(GetParam().args);
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.startsWith("mirabo-cli: "));
}

const RefusalCase kRefusalCases[] = {
    {"RecordZero", {"0"}},
    {"RecordPastLast", {"4"}},
    {"NegativeRecord", {"-1"}},
    {"RecordNotANumber", {"abc"}},
    {"RecordWithTrailingText", {"2x"}},
    {"HugeRecord", {"99999999999999999999"}},
    {"NoRecord", {}},
    {"OnlyOptions", {"--address"}},
    {"UnknownOption", {"2", "--bogus"}},
    {"TwoRecords", {"1", "2"}},
    {"EnvelopeWithAFormatOption", {"2", "--envelope", "--with-pref"}},
    {"FormatOptionBeforeEnvelopeLines", {"--address", "2", "--envelope-lines"}},
};
INSTANTIATE_TEST_SUITE_P(BadRecordsAndOptions, CopyCliRefuses, ::testing::ValuesIn(kRefusalCases), CaseName());

TEST(CopyCliNoDataTest, MissingEntryFileFailsAndCreatesNothing) {
  TempFolder folder;
  const CliRun run = RunCli({"--data", folder.Path(), "copy", "1"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_FALSE(QFile::exists(folder.File(datafile::Entry)));
  EXPECT_FALSE(QFile::exists(folder.File(datafile::Pref)));
}

TEST(CopyCliNoDataTest, PartialLastRecordIsNotAnEntry) {
  TempFolder folder;
  // One whole record (code 1000001) and 129 bytes of a second.
  QByteArray bytes = QByteArray(120, ' ') + "1000001   " + QByteArray(129, ' ');
  WriteBytes(folder.File(datafile::Entry), bytes);
  EXPECT_EQ(RunCli({"--data", folder.Path(), "copy", "1"}).out, QByteArray("100-0001\n"));
  EXPECT_EQ(RunCli({"--data", folder.Path(), "copy", "2"}).status, 2);
}

}  // namespace

}  // namespace mirabo

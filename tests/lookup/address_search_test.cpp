// Search by address text through the core: what matches, in which order, and how many.
#include <gtest/gtest.h>

#include <random>

#include <QFile>

#include <unistd.h>
#include <utime.h>

#include "data/DataSet.h"
#include "data/TextFitting.h"
#include "lookup/AddressSearch.h"
#include "lookup/RecordingSink.h"
#include "lookup/SearchLines.h"
#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

QList<EntryRecord> AddressEntries() {
  return {
      Entry("0640941", U("北海道"), U("札幌市中央区"), U("旭ケ丘")),
      Entry("1000005", U("東京都"), U("千代田区"), U("丸の内")),
      Entry("5300001", U("大阪府"), U("大阪市北区"), U("梅田")),
      Entry("1040061", U("東京都"), U("中央区"), U("銀座")),
      Entry("0010010", U("北海道"), U("札幌市北区"), U("北十条西")),
      Entry("1000006", U("東京都"), U("千代田区"), U("ＡＢＣビル")),
      Entry("1000007", U("東京都"), U("千代田区"), U("ABCビル")),
      Entry("1050011", U("東京都"), U("港区"), U("芝 公園")),
      Entry("8100001", U("福岡県"), U("福岡市中央区"), U("天神") + QChar(u'\0') + U("隠れ里")),
      Entry("9000000", U("沖縄県"), U("那覇市"), ""),
  };
}

// The address entries in a fresh folder, open for searching.
class AddressSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDataFiles(folder_.Path(), AddressEntries());
    data_.OpenDataFiles(folder_.Path());
  }
  // The records the search for `key` lists.
  QList<qint32> Found(const QString& key) {
    RecordingSink sink;
    ListAddressMatches(data_, key, sink);
    return sink.records;
  }

  TempFolder folder_;
  DataSet data_;
};

struct AddressCase {
  const char* name;
  const char* key;
  QList<qint32> records;
  int widest;
};
void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.name; }

const AddressCase kAddressCases[] = {
    {"any prefecture, in record order", "中央", {1, 4, 9}, 12},
    {"a common character lists all but the city without it", "区", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 12},
    {"end of the city and start of the town", "区丸の", {2}, 10},
    {"city ending and town beginning, longer", "市北区梅", {3}, 10},
    {"the ward and the town across a space-free join", "区芝", {8}, 9},
    {"prefecture and city: the prefecture is not searched", "東京都千代田区", {}, 0},
    {"prefecture alone", "北海道", {}, 0},
    {"half-width key does not match full-width text", "ABC", {7}, 12},
    {"full-width key does not match half-width text", "ＡＢＣ", {6}, 12},
    {"case counts", "abc", {}, 0},
    {"a space inside the key stays", "芝 公園", {8}, 9},
    {"without the space nothing matches", "芝公園", {}, 0},
    {"text after a NUL is not searched", "隠れ", {}, 0},
    {"a city without a town name", "那覇市", {10}, 6},
    {"no key spans two entries", "旭ケ丘千代田", {}, 0},
    {"nothing matches", "存在しない町", {}, 0},
};

class AddressEdgeCase : public AddressSearch, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(AddressEdgeCase, Lists) {
  const AddressCase& c = GetParam();
  RecordingSink sink;
  const SearchTally tally = ListAddressMatches(data_, U(c.key), sink);
  EXPECT_EQ(sink.records, c.records);
  EXPECT_EQ(tally.lineCount, c.records.size());
  EXPECT_EQ(sink.yields, c.records.size());
  EXPECT_EQ(sink.tooMany, 0);
  EXPECT_EQ(tally.widest, c.widest);
}

INSTANTIATE_TEST_SUITE_P(Table, AddressEdgeCase, ::testing::ValuesIn(kAddressCases), CaseName());

TEST_F(AddressSearch, LineNamesTheRecordNumber) {
  RecordingSink sink;
  ListAddressMatches(data_, U("区丸の"), sink);
  ASSERT_EQ(sink.lines.size(), 1);
  EXPECT_EQ(sink.lines[0], U("1000005　東京都　千代田区　丸の内") + QString(84, u' ') + "2");
  EXPECT_EQ(sink.codes[0], "1000005   ");  // the line's own entry comes with it
}

TEST_F(AddressSearch, StopsAfter2000Lines) {
  QList<EntryRecord> entries;
  for (int i = 0; i < 2001; ++i) entries << Entry("1000001", U("東京都"), U("青梅市"), U("森下"));
  TempFolder folder;
  WriteEntryRecords(folder.Path(), entries);
  DataSet data;
  data.OpenDataFiles(folder.Path());
  RecordingSink sink;
  const SearchTally tally = ListAddressMatches(data, U("森"), sink);
  EXPECT_EQ(tally.lineCount, 2000);
  EXPECT_EQ(sink.tooMany, 1);
  EXPECT_EQ(sink.linesAtTooMany, 2000);
  EXPECT_EQ(sink.records.first(), 1);
  EXPECT_EQ(sink.records.last(), 2000);
}

// The search sees the entry file as it stands, however it changed since the last search.
TEST_F(AddressSearch, SeesRecordsWrittenSinceTheLastSearch) {
  ASSERT_EQ(Found(U("梅田")), QList<qint32>({3}));
  data_.EntryRec = Entry("1000008", U("東京都"), U("千代田区"), U("梅田町"));
  ASSERT_TRUE(data_.WriteEntry(5));
  EXPECT_EQ(Found(U("梅田")), QList<qint32>({3, 5}));
}

TEST_F(AddressSearch, SeesARecordChangedInPlaceByAnotherProgram) {
  ASSERT_EQ(Found(U("梅田")), QList<qint32>({3}));
  // Same file, same size; only its time tells of the change.
  QFile file(folder_.File("ubinno.dat"));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  char bytes[EntryRecord::Size];
  Entry("1000008", U("東京都"), U("千代田区"), U("梅田町")).Encode(bytes);
  ASSERT_TRUE(file.seek(4 * EntryRecord::Size));
  ASSERT_EQ(file.write(bytes, EntryRecord::Size), EntryRecord::Size);
  file.close();
  const struct utimbuf past {991526400, 991526400};
  ASSERT_EQ(::utime(QFile::encodeName(folder_.File("ubinno.dat")).constData(), &past), 0);
  EXPECT_EQ(Found(U("梅田")), QList<qint32>({3, 5}));
}

TEST_F(AddressSearch, EntryFileCutShortBetweenSearchesFindsOnlyWhatRemains) {
  ASSERT_EQ(Found(U("梅田")), QList<qint32>({3}));
  ASSERT_EQ(::truncate(QFile::encodeName(folder_.File("ubinno.dat")).constData(), 2 * EntryRecord::Size), 0);
  RecordingSink after;
  EXPECT_EQ(ListAddressMatches(data_, U("梅田"), after).lineCount, 0);
  EXPECT_TRUE(after.records.isEmpty());
}

TEST_F(AddressSearch, SeesANewDataSetWithTheSameCount) {
  QList<EntryRecord> first = AddressEntries();
  QList<EntryRecord> second = AddressEntries();
  second[0].Town = U("梅田");
  for (const auto& [entries, expected] :
       {std::pair{first, QList<qint32>({3})}, std::pair{second, QList<qint32>({1, 3})}}) {
    TempFolder folder;
    WriteDataFiles(folder.Path(), entries);
    DataSet data;
    data.OpenDataFiles(folder.Path());
    RecordingSink sink;
    ListAddressMatches(data, U("梅田"), sink);
    EXPECT_EQ(sink.records, expected);
  }
}

TEST_F(AddressSearch, TwoDataSetsInTurn) {
  TempFolder a, b;
  WriteEntryRecords(a.Path(), {Entry("1000001", U("東京都"), U("甲市"), U("一"))});
  WriteEntryRecords(b.Path(), {Entry("1000001", U("東京都"), U("乙市"), U("一")), Entry("1000002", U("東京都"), U("甲市"), U("二"))});
  DataSet dataA, dataB;
  dataA.OpenDataFiles(a.Path());
  dataB.OpenDataFiles(b.Path());
  for (int round = 0; round < 2; ++round) {
    RecordingSink sinkA, sinkB;
    ListAddressMatches(dataA, U("甲市"), sinkA);
    ListAddressMatches(dataB, U("甲市"), sinkB);
    EXPECT_EQ(sinkA.records, QList<qint32>({1}));
    EXPECT_EQ(sinkB.records, QList<qint32>({2}));
  }
}

// Every entry read and tested one by one: the scan as the window's user sees it.
QList<qint32> ScanOneByOne(DataSet& data, const QString& key) {
  QList<qint32> records;
  for (qint32 n = 1; n <= data.EntryCount && records.size() < 2000; ++n) {
    data.ReadEntry(n);
    if ((CleanField(data.EntryRec.City) + CleanField(data.EntryRec.Town)).contains(key)) records << n;
  }
  return records;
}

TEST_F(AddressSearch, AgreesWithAScanOfEveryRecordOnNationalFileData) {
  TempFolder folder;
  WriteEntryRecords(folder.Path(), EntriesFromCsv(MakeKenAll(3000, 3, true)));
  DataSet data;
  data.OpenDataFiles(folder.Path());
  ASSERT_GT(data.EntryCount, 3000);
  std::mt19937 rng(11);
  for (int k = 0; k < 150; ++k) {
    // Pieces of one entry's text, and pieces across the join of two neighbours' texts.
    const qint32 n = 1 + qint32(rng() % (data.EntryCount - 1));
    data.ReadEntry(n);
    QString text = CleanField(data.EntryRec.City) + CleanField(data.EntryRec.Town);
    if (k % 3 == 0) {
      data.ReadEntry(n + 1);
      const qsizetype join = text.size();
      text += CleanField(data.EntryRec.City) + CleanField(data.EntryRec.Town);
      const qsizetype from = qMax<qsizetype>(0, join - 1 - qsizetype(rng() % 3));
      text = text.mid(from, 2 + qsizetype(rng() % 3));
    } else if (!text.isEmpty()) {
      const qsizetype from = qsizetype(rng() % text.size());
      text = text.mid(from, 1 + qsizetype(rng() % 4));
    }
    if (text.isEmpty()) continue;
    RecordingSink sink;
    const SearchTally tally = ListAddressMatches(data, text, sink);
    const QList<qint32> expected = ScanOneByOne(data, text);
    ASSERT_EQ(sink.records, expected) << "key '" << text.toStdString() << "'";
    EXPECT_EQ(tally.lineCount, expected.size());
  }
}

TEST_F(AddressSearch, NoEntriesNoLines) {
  TempFolder folder;
  DataSet data;
  data.OpenDataFiles(folder.Path());
  RecordingSink sink;
  EXPECT_EQ(ListAddressMatches(data, U("区"), sink).lineCount, 0);
  EXPECT_TRUE(sink.lines.isEmpty());
}

}  // namespace

}  // namespace mirabo

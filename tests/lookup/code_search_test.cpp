// Search by postcode through the core: the typed text, the bisection, the listing walk.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <thread>

#include <QFile>

#include <unistd.h>

#include "data/DataSet.h"
#include "lookup/CodeSearch.h"
#include "lookup/SearchLines.h"
#include "lookup/RecordingSink.h"
#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

// Records 1 to 11 by hand; 12 to 2111 are filler codes 1500000 to 1502099.
// Index order: 0010000 (7), 0600000 (2), 1000001 (10, 11, 3, 9), 1000002 (1),
// 1000010 (8), 1009999 (4), 1010000 (5), 1500000.. (12..2111), 9999999 (6).
QList<EntryRecord> CodeEntries() {
  QList<EntryRecord> entries = {
      Entry("1000002", U("東京都"), U("千代田区"), U("丸の内")),
      Entry("0600000", U("北海道"), U("札幌市中央区"), U("以下に掲載がない場合")),
      Entry("1000001", U("東京都"), U("千代田区"), U("千代田")),
      Entry("1009999", U("東京都"), U("千代田区"), U("霞が関")),
      Entry("1010000", U("東京都"), U("千代田区"), U("神田")),
      Entry("9999999", U("沖縄県"), U("那覇市"), U("最後町")),
      Entry("0010000", U("北海道"), U("札幌市北区"), U("北町")),
      Entry("1000010", U("東京都"), U("千代田区"), U("大手町")),
      Entry("1000001", U("東京都"), U("千代田区"), U("千代田二")),
      Entry("1000001", U("東京都"), U("千代田区"), U("千代田一丁目二番地三号館東")),  // 3 + 4 + 13 = 20 characters
      Entry("1000001", U("東京都"), U("千代田区"), U("千代田三")),
  };
  for (int i = 0; i < 2100; ++i)
    entries << Entry(QStringLiteral("15%1").arg(i, 5, 10, QChar(u'0')), U("東京都"), U("府中市"), U("府中"));
  return entries;
}

// What the window shows after typing `typed` and pressing the button, through the core.
struct Typed {
  bool searched = false;
  int beeps = 0;
  RecordingSink sink;
  SearchTally tally;
};

void PressSearch(DataSet& data, const QString& typed, Typed& result) {
  const CodeSearchStart start = StartCodeSearch(typed);
  result.beeps = start.beeps;
  result.searched = start.search;
  if (!start.search) return;
  const CodeSearchResult found = SearchCode(data, start.text, result.sink);
  if (!found.found) ++result.beeps;
  result.tally = found.tally;
}

struct CodeCase {
  const char* name;
  const char* typed;
  QList<qint32> firstRecords;  // record numbers of the first lines, in list order
  int count;                   // lines listed (the count line's number)
  int beeps;
  bool tooMany;
  qint32 lastRecord;  // record number of the last line, 0 for none
  int extent;         // at 15 twips per pixel
};
void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.name; }

const CodeCase kCodeCases[] = {
    {"three digits, hyphen, four digits", "100-0001", {10, 11, 3, 9}, 4, 0, false, 9, 405},
    {"the same in full-width", "１００－０００１", {10, 11, 3, 9}, 4, 0, false, 9, 405},
    {"three digits list every code beginning with them", "100", {10, 11, 3, 9, 1, 8, 4}, 7, 0, false, 4, 405},
    {"one digit stops at 2000 lines", "1", {10, 11, 3, 9, 1, 8, 4, 5, 12, 13}, 2000, 0, true, 2003, 405},
    {"long vowel mark for the hyphen: removed with a beep", "100ー0001", {10, 11, 3, 9}, 4, 1, false, 9, 405},
    {"two hyphens both go", "100--0001", {10, 11, 3, 9}, 4, 0, false, 9, 405},
    {"leading hyphen goes", "-1000001", {10, 11, 3, 9}, 4, 0, false, 9, 405},
    {"postal mark and hyphen: one beep", "〒100-0001", {10, 11, 3, 9}, 4, 1, false, 9, 405},
    {"leading space and hyphen: one beep", " 100-0001", {10, 11, 3, 9}, 4, 1, false, 9, 405},
    {"postal mark in full-width text: one beep", "〒１００－０００１", {10, 11, 3, 9}, 4, 1, false, 9, 405},
    {"trailing letter removed with a beep", "1000001a", {10, 11, 3, 9}, 4, 1, false, 9, 405},
    {"trailing space removed with a beep", "1000001 ", {10, 11, 3, 9}, 4, 1, false, 9, 405},
    {"trailing full stop: nothing found", "1000001.", {}, 0, 1, false, 0, 105},
    {"eight digits: nothing found", "10000010", {}, 0, 1, false, 0, 105},
    {"code held only by the last index record", "9999999", {6}, 1, 0, false, 6, 240},
    {"code held only by the first index record", "0010000", {7}, 1, 0, false, 7, 255},
    {"last filler code", "1502099", {2111}, 1, 0, false, 2111, 225},
};

// The code entries, written once for all the cases and opened afresh for each.
class CodeEdgeCase : public ::testing::TestWithParam<CodeCase> {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    WriteDataFiles(folder_->Path(), CodeEntries());
  }
  static void TearDownTestSuite() { delete folder_; }
  void SetUp() override {
    data_.OpenDataFiles(folder_->Path());
    ASSERT_EQ(data_.IndexCount, 2111);
  }

  static TempFolder* folder_;
  DataSet data_;
};
TempFolder* CodeEdgeCase::folder_ = nullptr;

TEST_P(CodeEdgeCase, ListsThroughTheCore) {
  const CodeCase& c = GetParam();
  Typed typed;
  PressSearch(data_, U(c.typed), typed);
  EXPECT_TRUE(typed.searched);
  EXPECT_EQ(typed.sink.records.mid(0, c.firstRecords.size()), c.firstRecords);
  EXPECT_EQ(typed.tally.lineCount, c.count);
  EXPECT_EQ(typed.sink.lines.size(), c.count);
  EXPECT_EQ(typed.sink.yields, c.count);
  EXPECT_EQ(typed.beeps, c.beeps);
  EXPECT_EQ(typed.sink.tooMany, c.tooMany ? 1 : 0);
  if (c.tooMany) {
    EXPECT_EQ(typed.sink.linesAtTooMany, 2000);
  }
  EXPECT_EQ(typed.sink.records.isEmpty() ? 0 : typed.sink.records.last(), c.lastRecord);
  EXPECT_EQ(SearchListExtent(typed.tally.widest, 15), c.extent);
}

INSTANTIATE_TEST_SUITE_P(Table, CodeEdgeCase, ::testing::ValuesIn(kCodeCases), CaseName());

TEST(CodeSearch, EmptyOrEmptiedTextBeepsOnceAndDoesNotSearch) {
  for (const char* text : {"", "a", "　"}) {
    const CodeSearchStart start = StartCodeSearch(U(text));
    EXPECT_FALSE(start.search) << text;
    EXPECT_EQ(start.beeps, 1) << text;
  }
}

TEST(CodeSearch, ListedLineNamesTheIndexEntryNumber) {
  OpenDataSet set(CodeEntries());
  RecordingSink sink;
  SearchCode(set.data, "9999999", sink);
  ASSERT_EQ(sink.lines.size(), 1);
  EXPECT_EQ(sink.lines[0], U("9999999　沖縄県　那覇市　最後町") + QString(84, u' ') + "6");
  EXPECT_EQ(sink.records[0], 6);
  EXPECT_EQ(sink.codes[0], "9999999   ");  // the line's own entry comes with it
}

// The walk follows the entries the index names and stops at the first whose own
// code does not begin with the key, even when the index says otherwise.
TEST(CodeSearch, WalkStopsAtTheFirstEntryWhoseCodeDiffers) {
  TempFolder folder;
  WriteEntryRecords(folder.Path(), {Entry("1000001", U("東京都"), U("甲"), U("乙")),
                                    Entry("2000000", U("東京都"), U("丙"), U("丁")),
                                    Entry("1000001", U("東京都"), U("戊"), U("己"))});
  WriteIndexRecords(folder.Path(), {IndexRecord{"1000001", 1}, IndexRecord{"1000001", 2}, IndexRecord{"1000001", 3}});
  DataSet data;
  data.OpenDataFiles(folder.Path());
  RecordingSink sink;
  SearchCode(data, "1000001", sink);
  EXPECT_EQ(sink.records, QList<qint32>({1}));
}

// Index files of one and two records: every record can be found.
struct TinyCase {
  const char* name;
  QStringList codes;
  const char* key;
  bool found;
  qint32 pos;
};
void PrintTo(const TinyCase& c, std::ostream* os) { *os << c.name; }

class TinyIndex : public ::testing::TestWithParam<TinyCase> {};

TEST_P(TinyIndex, FindsEveryRecord) {
  const TinyCase& c = GetParam();
  TempFolder folder;
  QList<IndexRecord> index;
  for (const QString& code : c.codes) index << IndexRecord{code, qint32(index.size() + 1)};
  WriteIndexRecords(folder.Path(), index);
  DataSet data;
  data.OpenDataFiles(folder.Path());
  const CodeMatch match = FindFirstCode(data, c.key);
  EXPECT_EQ(match.found, c.found);
  if (c.found) {
    EXPECT_EQ(match.pos, c.pos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TinyIndex,
    ::testing::Values(TinyCase{"one code, whole key", {"1000001"}, "1000001", true, 1},
                      TinyCase{"one code, first digit", {"1000001"}, "1", true, 1},
                      TinyCase{"one code, key below it", {"1000001"}, "0", false, 0},
                      TinyCase{"one code, key above it", {"1000001"}, "2", false, 0},
                      TinyCase{"two codes, the first by a digit", {"1000001", "2000002"}, "1", true, 1},
                      TinyCase{"two codes, the second whole", {"1000001", "2000002"}, "2000002", true, 2},
                      TinyCase{"two codes, key between them", {"1000001", "2000002"}, "15", false, 0},
                      TinyCase{"two codes, key above both", {"1000001", "2000002"}, "3", false, 0},
                      TinyCase{"one code twice, the first record", {"1000001", "1000001"}, "1000001", true, 1},
                      TinyCase{"empty index", {}, "1", false, 0}),
    CaseName());

// The first record whose code (as stored: 7 digits, 3 spaces) begins with the key,
// compared over at most 10 characters; 0 for none.
qint32 BruteFirst(const QStringList& codes, const QString& key) {
  for (qsizetype n = 0; n < codes.size(); ++n)
    if ((codes[n] + "   ").left(qMin<qsizetype>(key.size(), 10)) == key) return qint32(n + 1);
  return 0;
}

QString RandomText(std::mt19937& rng, int length, const char* alphabet) {
  const int size = int(strlen(alphabet));
  QString text;
  for (int i = 0; i < length; ++i) text += QChar(alphabet[rng() % size]);
  return text;
}

void CompareWithBruteForce(std::mt19937& rng, int size, int keys) {
  // Three digits only, so that codes repeat and share prefixes.
  QStringList codes;
  for (int i = 0; i < size; ++i) codes << RandomText(rng, 7, "012");
  codes.sort();
  QList<IndexRecord> index;
  for (const QString& code : codes) index << IndexRecord{code, qint32(index.size() + 1)};
  TempFolder folder;
  WriteIndexRecords(folder.Path(), index);
  DataSet data;
  data.OpenDataFiles(folder.Path());
  ASSERT_EQ(data.IndexCount, size);

  for (int k = 0; k < keys; ++k) {
    QString key;
    if (size > 0 && k % 2 == 0) key = codes[rng() % size].left(1 + rng() % 7);  // a prefix that exists
    else key = RandomText(rng, 1 + rng() % 7, "0123");
    if (k % 5 == 0) key += (k % 10 == 0) ? QChar(u' ') : QChar(char16_t(u'0' + rng() % 3));  // eighth character
    const qint32 expected = BruteFirst(codes, key);
    const CodeMatch match = FindFirstCode(data, key);
    ASSERT_EQ(match.found, expected != 0) << "size " << size << " key '" << key.toStdString() << "'";
    if (expected) {
      ASSERT_EQ(match.pos, expected) << "size " << size << " key '" << key.toStdString() << "'";
    }
  }
}

TEST(CodeSearch, FindFirstCodeAgreesWithBruteForceOnSmallIndexes) {
  std::mt19937 rng(20240601);
  for (int size = 0; size <= 50; ++size)
    for (int trial = 0; trial < 4; ++trial) CompareWithBruteForce(rng, size, 60);
}

TEST(CodeSearch, FindFirstCodeAgreesWithBruteForceOnLargeIndexes) {
  std::mt19937 rng(7);
  for (int size : {127, 128, 1000, 4097, 12000}) CompareWithBruteForce(rng, size, 400);
}

TEST(CodeSearchDamage, EntryFileCutShortBetweenSearchesListsNothingFromTheLostPart) {
  OpenDataSet set(CodeEntries());
  Typed before;
  PressSearch(set.data, QStringLiteral("9999999"), before);
  ASSERT_EQ(before.sink.records, QList<qint32>({6}));
  // A smaller data set copied over the entry file while this one is open.
  ASSERT_EQ(::truncate(QFile::encodeName(set.folder.File("ubinno.dat")).constData(), 5 * EntryRecord::Size), 0);
  Typed after;
  PressSearch(set.data, QStringLiteral("9999999"), after);
  EXPECT_TRUE(after.sink.records.isEmpty());  // the index still names entry 6, which now reads as zeros
  Typed kept;
  PressSearch(set.data, QStringLiteral("1000002"), kept);
  EXPECT_EQ(kept.sink.records, QList<qint32>({1}));
}

// The index is searched from a copy in memory: the copy follows the file.
TEST(CodeSearchDamage, IndexCutShortBetweenSearchesFindsNothingPastItsNewEnd) {
  OpenDataSet set(CodeEntries());
  Typed before;
  PressSearch(set.data, QStringLiteral("9999999"), before);
  ASSERT_EQ(before.sink.records, QList<qint32>({6}));
  // Ten index records remain, "9999999" no longer among them; the rest read as zeros.
  ASSERT_EQ(::truncate(QFile::encodeName(set.folder.File("ubinind.dat")).constData(), 10 * IndexRecord::Size), 0);
  Typed after;
  PressSearch(set.data, QStringLiteral("9999999"), after);
  EXPECT_TRUE(after.sink.records.isEmpty());
  EXPECT_EQ(after.beeps, 1);
}

TEST(CodeSearchDamage, IndexRecordWrittenBetweenSearchesIsSeen) {
  OpenDataSet set(CodeEntries());
  Typed before;
  PressSearch(set.data, QStringLiteral("0010000"), before);
  ASSERT_EQ(before.sink.records, QList<qint32>({7}));
  // The lowest index record now names entry 6 under the same code.
  set.data.IndexRec = IndexRecord{QStringLiteral("0010000"), 6};
  ASSERT_TRUE(set.data.WriteIndex(1));
  Typed after;
  PressSearch(set.data, QStringLiteral("0010000"), after);
  EXPECT_TRUE(after.sink.records.isEmpty());  // entry 6 holds 9999999, which does not begin with the key
}

// A batch may trust its images for a while: a file changed by others gets a new image
// only once the interval has passed, while this process's own writes renew them at once.
TEST(CodeSearchDamage, WithinTheStampCheckIntervalTheImagesAreKept) {
  OpenDataSet set(CodeEntries());
  set.data.SetStampCheckInterval(std::chrono::hours(1));
  const std::shared_ptr<const RecordImage> index = set.data.IndexImage();
  const std::shared_ptr<const RecordImage> entries = set.data.EntryImage();
  ASSERT_EQ(::truncate(QFile::encodeName(set.folder.File("ubinind.dat")).constData(), 10 * IndexRecord::Size), 0);
  EXPECT_EQ(set.data.IndexImage(), index);

  set.data.IndexRec = IndexRecord{QStringLiteral("0010000"), 6};
  ASSERT_TRUE(set.data.WriteIndex(1));
  EXPECT_NE(set.data.IndexImage(), index);
  EXPECT_NE(set.data.EntryImage(), entries);
}

TEST(CodeSearchDamage, OnceTheStampCheckIntervalHasPassedAChangedFileGetsANewImage) {
  OpenDataSet set(CodeEntries());
  const std::shared_ptr<const RecordImage> first = set.data.IndexImage();
  ASSERT_EQ(::truncate(QFile::encodeName(set.folder.File("ubinind.dat")).constData(), 10 * IndexRecord::Size), 0);
  const std::shared_ptr<const RecordImage> second = set.data.IndexImage();  // no interval: looked at each time
  EXPECT_NE(second, first);

  set.data.SetStampCheckInterval(std::chrono::milliseconds(20));
  ASSERT_EQ(::truncate(QFile::encodeName(set.folder.File("ubinind.dat")).constData(), 5 * IndexRecord::Size), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_NE(set.data.IndexImage(), second);
  Typed after;
  PressSearch(set.data, QStringLiteral("9999999"), after);
  EXPECT_TRUE(after.sink.records.isEmpty());
}

TEST(CodeSearchDamage, IndexCountOfIntMaxBisectsWithoutOverflow) {
  OpenDataSet set(CodeEntries());
  // A count as large as a number field holds: records past the file read as zeros,
  // whose empty codes sort before every key, so the bisection climbs to the top.
  set.data.IndexCount = INT_MAX;
  EXPECT_FALSE(FindFirstCode(set.data, QStringLiteral("9999999")).found);
  EXPECT_FALSE(FindFirstCode(set.data, QStringLiteral("99999999999")).found);
}

}  // namespace

}  // namespace mirabo

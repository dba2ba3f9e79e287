// The browsing selection without a window: loading the saved positions, choosing a
// prefecture and a city, the records behind list positions, and saving on close.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "data/DataSet.h"
#include "lookup/BrowseState.h"
#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"

namespace mirabo {

namespace {

// 47 prefectures "P1".."P47"; prefecture n has cities 2n-1 ("C<n>a") and 2n ("C<n>b");
// city k has the one entry k, code 1000000 + k, town "T<k>". Record 48 is `record48`.
void WriteCountry(const QString& folder, const PrefRecord& record48) {
  QList<PrefRecord> prefs;
  QList<CityRecord> cities;
  QList<EntryRecord> entries;
  for (qint32 n = 1; n <= 47; ++n) {
    prefs << PrefRecord{QStringLiteral("P%1").arg(n), 2 * n - 1, 2 * n};
    for (const char* half : {"a", "b"}) {
      const qint32 k = qint32(cities.size()) + 1;
      cities << CityRecord{QStringLiteral("C%1%2").arg(n).arg(half), k, k};
      entries << Entry(QString::number(1000000 + k), prefs.last().Name, cities.last().Name, QStringLiteral("T%1").arg(k));
    }
  }
  prefs << record48;
  WritePrefRecords(folder, prefs);
  WriteCityRecords(folder, cities);
  WriteEntryRecords(folder, entries);
}

const PrefRecord kSavedFourthAndEleventh{QString(4, QChar(0x3000)), 3, 10};

class BrowseStateTest : public ::testing::Test {
 protected:
  void Open(const PrefRecord& record48 = kSavedFourthAndEleventh) {
    WriteCountry(folder_.Path(), record48);
    data_.OpenDataFiles(folder_.Path());
  }
  PrefRecord Record48() {
    data_.ReadPref(SavedSelectionRecord);
    return data_.PrefRec;
  }

  TempFolder folder_;
  DataSet data_;
  BrowseState browse_{data_};
};

TEST_F(BrowseStateTest, LoadTakesTheSavedPositions) {
  Open();
  browse_.Load();
  EXPECT_EQ(browse_.PrefIndex, 3);  // 0-based positions, selected by the caller
  EXPECT_EQ(browse_.CityIndex, 10);
  EXPECT_EQ(browse_.PrefRecNo, 48);
  EXPECT_EQ(browse_.ListMode, 1);
}

TEST_F(BrowseStateTest, LoadIgnoresA48thPrefecture) {
  Open({QStringLiteral("P48"), 95, 96});
  browse_.Load();
  EXPECT_EQ(browse_.PrefIndex, 0);
  EXPECT_EQ(browse_.CityIndex, 0);
}

TEST_F(BrowseStateTest, ChoosingAPrefectureListsItsCitiesAndKeepsTheCity) {
  Open();
  browse_.Load();
  browse_.ChoosePref(3);
  EXPECT_EQ(browse_.PrefIndex, 4);
  EXPECT_EQ(browse_.PrefRecNo, 4);
  EXPECT_EQ(browse_.SelFirstCity, 7);
  EXPECT_EQ(browse_.SelLastCity, 8);
  EXPECT_EQ(browse_.ListMode, 2);
  const ListFill fill = browse_.FillList();
  EXPECT_EQ(fill.lines, QStringList({"C4a", "C4b"}));
  EXPECT_EQ(fill.widest, 3);
  EXPECT_EQ(browse_.CityIndex, 10);  // untouched until a city is chosen

  browse_.ChoosePref(-1);  // nothing selected: the choice stays
  EXPECT_EQ(browse_.PrefIndex, 4);
  EXPECT_EQ(browse_.SelFirstCity, 7);
}

TEST_F(BrowseStateTest, ChoosingACityMapsItsPositionThroughThePrefecturesRange) {
  Open();
  browse_.ChoosePref(3);
  browse_.FromSearch = true;
  browse_.ChooseCity(1);
  EXPECT_EQ(browse_.CityIndex, 2);
  EXPECT_EQ(browse_.CityRecNo, 8);  // SelFirstCity 7 + position 1
  EXPECT_EQ(browse_.ListMode, 3);
  const ListFill fill = browse_.FillList();
  EXPECT_EQ(fill.lines, QStringList({"1000008　C4b　T8"}));
  EXPECT_EQ(fill.widest, 5);  // "C4b" and "T8"
  EXPECT_EQ(browse_.ShownFirstEntry, 8);
  EXPECT_EQ(browse_.ShownLastEntry, 8);
  EXPECT_FALSE(browse_.FromSearch);

  browse_.ChooseCity(-1);  // nothing selected: the same city again
  EXPECT_EQ(browse_.CityRecNo, 8);
}

// A city range read from a damaged file may be anything; the sum never wraps round.
TEST_F(BrowseStateTest, ACityRecordNumberOutsideTheFileReadsNothing) {
  Open();
  for (const qint32 first : {INT_MAX, INT_MIN, -7}) {
    browse_.SelFirstCity = first;
    browse_.ChooseCity(6);
    EXPECT_EQ(browse_.CityRecNo, 0) << first;
  }
  browse_.SelFirstCity = INT_MAX - 6;
  browse_.ChooseCity(6);
  EXPECT_EQ(browse_.CityRecNo, INT_MAX);
}

TEST_F(BrowseStateTest, OtherModesFillNothing) {
  Open();
  browse_.ChoosePref(0);
  browse_.ChooseCity(0);
  browse_.FillList();
  for (const qint32 mode : {0, 4, -1}) {
    browse_.ListMode = mode;
    EXPECT_TRUE(browse_.FillList().lines.isEmpty()) << mode;
    EXPECT_EQ(browse_.ShownFirstEntry, 1) << mode;
    EXPECT_EQ(browse_.SelFirstCity, 1) << mode;
  }
}

TEST_F(BrowseStateTest, ChoosingATownLineNamesItsEntry) {
  Open();
  browse_.ChoosePref(3);
  browse_.ChooseCity(0);
  browse_.FillList();
  EXPECT_EQ(browse_.ChooseEntry(0, "1000007　C4a　T7"), 7);
  EXPECT_EQ(browse_.ShownFirstEntry, 7);  // a browse keeps its range

  browse_.FromSearch = true;
  EXPECT_EQ(browse_.ChooseEntry(-1, QString()), std::nullopt);
  EXPECT_EQ(browse_.ShownFirstEntry, 7);  // no line chosen: nothing changes
  EXPECT_EQ(browse_.ChooseEntry(2, "1000042　P21　C21b　T42" + QString(87, u' ') + "42"), 42);
  EXPECT_EQ(browse_.ShownFirstEntry, 1);  // a chosen search result resets it
}

TEST_F(BrowseStateTest, SavingWritesBothPositionsIntoRecord48) {
  Open();
  browse_.Load();
  browse_.ChoosePref(5);
  browse_.ChooseCity(1);
  browse_.ChoosePref(0);  // another prefecture, no city chosen in it
  browse_.SaveSelection();
  const PrefRecord saved = Record48();
  EXPECT_TRUE(IsSavedSelection(saved));
  EXPECT_EQ(saved.FirstCity, 0);
  EXPECT_EQ(saved.LastCity, 1);  // the city last chosen, in the earlier prefecture
  data_.CloseAll();
  EXPECT_EQ(ReadBytes(folder_.File(datafile::Pref)).size(), 48 * PrefRecord::Size);
}

TEST_F(BrowseStateTest, SavingTheSmallestPositionDoesNotWrapRound) {
  Open();
  browse_.PrefIndex = INT_MIN;
  browse_.CityIndex = 0;
  browse_.SaveSelection();
  const PrefRecord saved = Record48();
  EXPECT_EQ(saved.FirstCity, INT_MIN);
  EXPECT_EQ(saved.LastCity, -1);
}

TEST_F(BrowseStateTest, SavingLeavesA48thPrefectureAndAShortFileAlone) {
  Open({QStringLiteral("P48"), 95, 96});
  const QByteArray before = ReadBytes(folder_.File(datafile::Pref));
  browse_.PrefIndex = 2;
  browse_.SaveSelection();
  EXPECT_EQ(ReadBytes(folder_.File(datafile::Pref)), before);

  TempFolder shortSet;
  WritePrefRecords(shortSet.Path(), {PrefRecord{QStringLiteral("P1"), 1, 1}});
  DataSet data;
  data.OpenDataFiles(shortSet.Path());
  BrowseState browse(data);
  browse.PrefIndex = 1;
  browse.SaveSelection();
  data.CloseAll();
  EXPECT_EQ(ReadBytes(shortSet.File(datafile::Pref)).size(), PrefRecord::Size);
}

// ---- The record behind a town-list line ----

// A search line: code, ideographic spaces, names, the town fitted to 90 bytes, then R.
QString SearchLineFor(const QString& record) { return "1638001　東京都　新宿区　西新宿" + QString(84, u' ') + record; }

struct LineRow {
  const char* name;
  bool fromSearch;
  int row;
  QString line;
  qint32 shownFirst;
  std::optional<qint32> expected;
};

class EntryOfLineTest : public ::testing::TestWithParam<LineRow> {};

TEST_P(EntryOfLineTest, MapsTheLineToItsRecord) {
  const LineRow& r = GetParam();
  EXPECT_EQ(EntryOfLine(r.fromSearch, r.row, r.line, r.shownFirst), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EntryOfLineTest,
    ::testing::Values(
        LineRow{"SevenDigitRecord", true, 0, SearchLineFor("1234567"), 1, 1234567},
        LineRow{"ThreeDigitRecordAfterBlanks", true, 4, SearchLineFor("123"), 1, 123},
        LineRow{"OneDigitRecord", true, 0, SearchLineFor("5"), 1, 5},
        LineRow{"SearchIgnoresShownFirst", true, 3, SearchLineFor("42"), 500, 42},
        LineRow{"TabsAreBlanks", true, 0, "x\t\t\t\t\t77", 1, 77},
        LineRow{"StopsAtFirstNonDigit", true, 0, "x   12a3", 1, 12},
        LineRow{"LineShorterThanSeven", true, 0, "  88", 1, 88},
        LineRow{"EighthCharacterFromEndIgnored", true, 0, "9 000001", 1, 1},
        LineRow{"CountLineNamesNothing", true, 12, "    ＊＊＊＊  12 件 見つかりました　＊＊＊＊", 1, std::nullopt},
        LineRow{"ZeroCountLineNamesNothing", true, 0, "    ＊＊＊＊  0 件 見つかりました　＊＊＊＊", 1, std::nullopt},
        LineRow{"RecordZeroNamesNothing", true, 0, SearchLineFor("0"), 1, std::nullopt},
        LineRow{"EmptyLineNamesNothing", true, 0, QString(), 1, std::nullopt},
        LineRow{"NoSelectionInSearch", true, -1, SearchLineFor("123"), 1, std::nullopt},
        LineRow{"FirstBrowseLine", false, 0, "1638001　新宿区　西新宿", 300, 300},
        LineRow{"TenthBrowseLine", false, 9, "1638010　新宿区　西新宿", 300, 309},
        LineRow{"BrowseIgnoresTheLineText", false, 2, SearchLineFor("77"), 10, 12},
        LineRow{"NoSelectionInBrowse", false, -1, QString(), 300, std::nullopt},
        LineRow{"BrowseBeforeFirstRecord", false, 0, QString(), 0, std::nullopt},
        LineRow{"BrowsePastLargestRecordNumber", false, 10, QString(), INT_MAX - 5, std::nullopt}),
    CaseName());

}  // namespace

}  // namespace mirabo

// The data set over real files: opening, counting, and record reads and writes at the edges.
#include "data/DataSet.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <climits>

#include "support/TestText.h"
#include "support/TestFiles.h"

namespace mirabo {

namespace {

class DataSetFiles : public ::testing::Test {
 protected:
  void Open() { data.OpenDataFiles(folder.Path()); }
  QString Pref() const { return folder.File("fuken.DAT"); }
  QString City() const { return folder.File("city.DAT"); }
  QString Entry() const { return folder.File("ubinno.dat"); }
  QString Index() const { return folder.File("ubinind.dat"); }
  static qint64 Size(const QString& path) { return QFileInfo(path).size(); }

  TempFolder folder;
  DataSet data;
};

// Two prefecture records: 北海道 (1, 2) and 東京都 (3, 4).
const char kTwoPrefs[] =
    "96 6B 8A 43 93 B9 20 20 20 20 01 00 00 00 02 00 00 00"
    "93 8C 8B 9E 93 73 20 20 20 20 03 00 00 00 04 00 00 00";

TEST_F(DataSetFiles, NoFilesCreatesTheFourFilesEmptyAndCountsZero) {
  Open();
  const QStringList names = QDir(folder.Path()).entryList(QDir::Files, QDir::Name);
  EXPECT_EQ(names, (QStringList{"city.DAT", "fuken.DAT", "ubinind.dat", "ubinno.dat"}));
  for (const QString& path : {Pref(), City(), Entry(), Index()}) EXPECT_EQ(Size(path), 0) << path.toStdString();
  EXPECT_EQ(data.PrefCount, 0);
  EXPECT_EQ(data.CityCount, 0);
  EXPECT_EQ(data.EntryCount, 0);
  EXPECT_EQ(data.IndexCount, 0);
}

TEST_F(DataSetFiles, FiftyBytePrefFileCountsTwo) {
  WriteBytes(Pref(), QByteArray(50, 'x'));
  Open();
  EXPECT_EQ(data.PrefCount, 2);
  EXPECT_EQ(Size(Pref()), 50);
}

TEST_F(DataSetFiles, EachCountIsItsFileLengthDividedByItsRecordLength) {
  WriteBytes(Pref(), QByteArray(18 * 3, ' '));
  WriteBytes(City(), QByteArray(38 * 2 + 37, ' '));
  WriteBytes(Entry(), QByteArray(130 * 4 - 1, ' '));
  WriteBytes(Index(), QByteArray(14 * 5, ' '));
  Open();
  EXPECT_EQ(data.PrefCount, 3);
  EXPECT_EQ(data.CityCount, 2);
  EXPECT_EQ(data.EntryCount, 3);
  EXPECT_EQ(data.IndexCount, 5);
}

TEST_F(DataSetFiles, ReadingRecord48OfAnEmptyPrefFileGivesTenNulsAndZerosAndLeavesItEmpty) {
  Open();
  data.PrefRec = {Text(u"東京都"), 7, 9};
  EXPECT_TRUE(data.ReadPref(48));
  EXPECT_EQ(data.PrefRec.Name, QString(10, QChar(u'\0')));
  EXPECT_EQ(data.PrefRec.FirstCity, 0);
  EXPECT_EQ(data.PrefRec.LastCity, 0);
  EXPECT_EQ(Size(Pref()), 0);
  data.CloseAll();
  EXPECT_EQ(Size(Pref()), 0);
}

TEST_F(DataSetFiles, WritingRecord48IntoAnEmptyPrefFileZeroFillsRecords1To47) {
  Open();
  data.PrefRec = {Text(u"\u3000\u3000\u3000\u3000"), 3, 5};
  EXPECT_TRUE(data.WritePref(48));
  EXPECT_EQ(data.PrefCount, 0);  // counts stay until the next open

  const QByteArray bytes = ReadBytes(Pref());
  ASSERT_EQ(bytes.size(), 864);
  EXPECT_EQ(bytes.left(846), QByteArray(846, '\0'));
  EXPECT_EQ(ToHex(bytes.mid(846)), ToHex(Hex("81 40 81 40 81 40 81 40 20 20"  // four U+3000, two spaces
                                             "03 00 00 00 05 00 00 00")));

  Open();
  EXPECT_EQ(data.PrefCount, 48);
}

TEST_F(DataSetFiles, SavedSelectionReadFromNeverWrittenBytesKeepsItsNulsWhenWrittenBack) {
  Open();
  ASSERT_TRUE(data.ReadPref(48));
  data.PrefRec.FirstCity = 12;
  data.PrefRec.LastCity = 3;
  ASSERT_TRUE(data.WritePref(48));
  const QByteArray bytes = ReadBytes(Pref());
  ASSERT_EQ(bytes.size(), 864);
  EXPECT_EQ(ToHex(bytes.mid(846)), ToHex(Hex("00 00 00 00 00 00 00 00 00 00"  // Name as read
                                             "0C 00 00 00 03 00 00 00")));   // 12, 3
}

TEST_F(DataSetFiles, RecordNumbersOfZeroOrLessFailAndTouchNeitherBufferNorFile) {
  WriteBytes(Pref(), Hex(kTwoPrefs));
  WriteBytes(City(), QByteArray(38, 'c'));
  WriteBytes(Entry(), QByteArray(130, 'e'));
  WriteBytes(Index(), QByteArray(14, 'i'));
  Open();
  const PrefRecord pref{Text(u"大阪府"), 11, 12};
  const CityRecord city{Text(u"堺市"), 13, 14};
  const EntryRecord entry{Text(u"大阪府"), Text(u"堺市"), Text(u"堺区"), Text(u"5900000")};
  const IndexRecord index{Text(u"5900000"), 15};
  data.PrefRec = pref;
  data.CityRec = city;
  data.EntryRec = entry;
  data.IndexRec = index;

  for (const qint32 n : {0, -1, INT_MIN}) {
    EXPECT_FALSE(data.ReadPref(n)) << n;
    EXPECT_FALSE(data.ReadCity(n)) << n;
    EXPECT_FALSE(data.ReadEntry(n)) << n;
    EXPECT_FALSE(data.ReadIndex(n)) << n;
    EXPECT_FALSE(data.WritePref(n)) << n;
    EXPECT_FALSE(data.WriteCity(n)) << n;
    EXPECT_FALSE(data.WriteEntry(n)) << n;
    EXPECT_FALSE(data.WriteIndex(n)) << n;
  }
  EXPECT_EQ(data.PrefRec.Name, pref.Name);
  EXPECT_EQ(data.PrefRec.FirstCity, 11);
  EXPECT_EQ(data.PrefRec.LastCity, 12);
  EXPECT_EQ(data.CityRec.Name, city.Name);
  EXPECT_EQ(data.CityRec.FirstEntry, 13);
  EXPECT_EQ(data.CityRec.LastEntry, 14);
  EXPECT_EQ(data.EntryRec.Town, entry.Town);
  EXPECT_EQ(data.EntryRec.Code, entry.Code);
  EXPECT_EQ(data.IndexRec.Code, index.Code);
  EXPECT_EQ(data.IndexRec.EntryNo, 15);
  data.CloseAll();
  EXPECT_EQ(ToHex(ReadBytes(Pref())), ToHex(Hex(kTwoPrefs)));
  EXPECT_EQ(ReadBytes(City()), QByteArray(38, 'c'));
  EXPECT_EQ(ReadBytes(Entry()), QByteArray(130, 'e'));
  EXPECT_EQ(ReadBytes(Index()), QByteArray(14, 'i'));
}

TEST_F(DataSetFiles, ReadAfterCloseAllFailsAndKeepsTheBuffer) {
  WriteBytes(Pref(), Hex(kTwoPrefs));
  Open();
  data.CloseAll();
  data.PrefRec = {Text(u"X"), 1, 1};
  EXPECT_FALSE(data.ReadPref(1));
  EXPECT_EQ(data.PrefRec.Name, Text(u"X"));
}

TEST_F(DataSetFiles, RecordsAreReadByOneBasedNumber) {
  WriteBytes(Pref(), Hex(kTwoPrefs));
  Open();
  ASSERT_TRUE(data.ReadPref(2));
  EXPECT_EQ(data.PrefRec.Name, Text(u"東京都    "));  // full field width, spaces kept
  EXPECT_EQ(data.PrefRec.FirstCity, 3);
  EXPECT_EQ(data.PrefRec.LastCity, 4);
  ASSERT_TRUE(data.ReadPref(1));
  EXPECT_EQ(data.PrefRec.Name, Text(u"北海道    "));
  EXPECT_EQ(data.PrefRec.FirstCity, 1);
}

TEST_F(DataSetFiles, FourKanjiNameIsStoredAsEightBytesAndTwoSpaces) {
  Open();
  data.PrefRec = {Text(u"神奈川県"), 0x01020304, -1};
  ASSERT_TRUE(data.WritePref(1));
  EXPECT_EQ(ToHex(ReadBytes(Pref())), ToHex(Hex("90 5F 93 DE 90 EC 8C A7 20 20"  // 神奈川県
                                                "04 03 02 01"                    // 0x01020304
                                                "FF FF FF FF")));                // -1
}

TEST_F(DataSetFiles, PostcodeIsStoredAsSevenDigitsAndThreeSpaces) {
  Open();
  data.EntryRec = {Text(u"東京都"), Text(u"千代田区"), Text(u"千代田"), Text(u"1000001")};
  data.IndexRec = {Text(u"1000001"), 2};
  ASSERT_TRUE(data.WriteEntry(1));
  ASSERT_TRUE(data.WriteIndex(1));
  const QByteArray entry = ReadBytes(Entry());
  ASSERT_EQ(entry.size(), 130);
  EXPECT_EQ(ToHex(entry.mid(120)), ToHex(Hex("31 30 30 30 30 30 31 20 20 20")));
  EXPECT_EQ(ToHex(ReadBytes(Index())), ToHex(Hex("31 30 30 30 30 30 31 20 20 20 02 00 00 00")));
}

TEST_F(DataSetFiles, NumberFieldsReadAsSignedLittleEndian) {
  WriteBytes(City(), Hex("41") + QByteArray(29, ' ') + Hex("04 03 02 01 FF FF FF FF"));
  Open();
  ASSERT_TRUE(data.ReadCity(1));
  EXPECT_EQ(data.CityRec.FirstEntry, 0x01020304);
  EXPECT_EQ(data.CityRec.LastEntry, -1);
}

TEST_F(DataSetFiles, TrailingBytesThatDoNotFillARecordAreIgnoredInTheCount) {
  // One whole city record, then 34 bytes: a name and a FirstEntry but no LastEntry.
  WriteBytes(City(), Hex("41") + QByteArray(29, ' ') + Hex("01 00 00 00 02 00 00 00")  //
                         + Hex("42") + QByteArray(29, ' ') + Hex("05 00 00 00"));
  Open();
  EXPECT_EQ(data.CityCount, 1);
  // The partial record still reads, with the missing bytes as zero bytes.
  ASSERT_TRUE(data.ReadCity(2));
  EXPECT_EQ(data.CityRec.Name, Text(u"B") + QString(29, u' '));
  EXPECT_EQ(data.CityRec.FirstEntry, 5);
  EXPECT_EQ(data.CityRec.LastEntry, 0);
  EXPECT_EQ(Size(City()), 72);
}

TEST_F(DataSetFiles, ReadingFarPastTheEndGivesZerosAndLeavesTheFileAlone) {
  WriteBytes(Pref(), Hex(kTwoPrefs));
  Open();
  for (const qint32 n : {3, 1000, INT_MAX}) {
    data.PrefRec = {Text(u"X"), 1, 1};
    ASSERT_TRUE(data.ReadPref(n)) << n;
    EXPECT_EQ(data.PrefRec.Name, QString(10, QChar(u'\0'))) << n;
    EXPECT_EQ(data.PrefRec.FirstCity, 0) << n;
  }
  EXPECT_EQ(Size(Pref()), 36);
}

TEST_F(DataSetFiles, RecordWrittenPastTheEndDuringTheSessionReadsBack) {
  WriteBytes(Pref(), Hex(kTwoPrefs));
  Open();
  data.PrefRec = {Text(u"沖縄県"), 47, 48};
  ASSERT_TRUE(data.WritePref(5));
  EXPECT_EQ(data.PrefCount, 2);
  EXPECT_EQ(Size(Pref()), 90);

  data.PrefRec = {};
  ASSERT_TRUE(data.ReadPref(5));
  EXPECT_EQ(data.PrefRec.Name, Text(u"沖縄県    "));
  EXPECT_EQ(data.PrefRec.FirstCity, 47);
  EXPECT_EQ(data.PrefRec.LastCity, 48);
  ASSERT_TRUE(data.ReadPref(4));  // inside the zero-filled gap
  EXPECT_EQ(data.PrefRec.Name, QString(10, QChar(u'\0')));
  ASSERT_TRUE(data.ReadPref(2));
  EXPECT_EQ(data.PrefRec.Name, Text(u"東京都    "));

  Open();
  EXPECT_EQ(data.PrefCount, 5);
}

TEST_F(DataSetFiles, RecordOverwrittenInsideTheOpenedFileReadsBack) {
  WriteBytes(Pref(), Hex(kTwoPrefs));
  Open();
  ASSERT_TRUE(data.ReadPref(1));  // the old content, read once before the write
  data.PrefRec = {Text(u"青森県"), 8, 9};
  ASSERT_TRUE(data.WritePref(1));
  data.PrefRec = {};
  ASSERT_TRUE(data.ReadPref(1));
  EXPECT_EQ(data.PrefRec.Name, Text(u"青森県    "));
  EXPECT_EQ(data.PrefRec.FirstCity, 8);
  ASSERT_TRUE(data.ReadPref(2));
  EXPECT_EQ(data.PrefRec.Name, Text(u"東京都    "));
}

TEST_F(DataSetFiles, ReadsAndRewritesPastTheOpenedEndStayInStep) {
  Open();
  for (qint32 n = 1; n <= 3; ++n) {
    data.IndexRec = {QString::number(1000000 + n), n};
    ASSERT_TRUE(data.WriteIndex(n));
  }
  ASSERT_TRUE(data.ReadIndex(1));
  EXPECT_EQ(data.IndexRec.Code, Text(u"1000001   "));
  data.IndexRec = {Text(u"9999999"), 30};
  ASSERT_TRUE(data.WriteIndex(3));
  ASSERT_TRUE(data.ReadIndex(3));
  EXPECT_EQ(data.IndexRec.Code, Text(u"9999999   "));
  EXPECT_EQ(data.IndexRec.EntryNo, 30);
  ASSERT_TRUE(data.ReadIndex(2));
  EXPECT_EQ(data.IndexRec.Code, Text(u"1000002   "));
  EXPECT_EQ(data.IndexRec.EntryNo, 2);
  EXPECT_EQ(data.IndexCount, 0);
  EXPECT_EQ(ToHex(ReadBytes(Index()).mid(28)), ToHex(Hex("39 39 39 39 39 39 39 20 20 20 1E 00 00 00")));
}

TEST_F(DataSetFiles, WritingPastTrailingBytesZeroFillsFromTheOldEnd) {
  WriteBytes(Pref(), Hex(kTwoPrefs) + Hex("AA BB"));  // two stray bytes after record 2
  Open();
  data.PrefRec = {Text(u"ABC"), 1, 2};
  ASSERT_TRUE(data.WritePref(4));
  const QByteArray bytes = ReadBytes(Pref());
  ASSERT_EQ(bytes.size(), 72);
  EXPECT_EQ(ToHex(bytes.mid(36, 18)), ToHex(Hex("AA BB") + QByteArray(16, '\0')));
  EXPECT_EQ(ToHex(bytes.mid(54)), ToHex(Hex("41 42 43 20 20 20 20 20 20 20 01 00 00 00 02 00 00 00")));
}

TEST_F(DataSetFiles, TextLongerThanItsFieldIsCutAtAWholeCharacterAndSpaceFilled) {
  Open();
  data.PrefRec = {Text(u"A東京都東京"), 0, 0};  // 11 bytes; the last 京 would straddle byte 10
  ASSERT_TRUE(data.WritePref(1));
  EXPECT_EQ(ToHex(ReadBytes(Pref()).left(10)), ToHex(Hex("41 93 8C 8B 9E 93 73 93 8C 20")));
}

TEST_F(DataSetFiles, FileThatCannotBeOpenedCountsZeroWhileTheOthersOpen) {
  ASSERT_TRUE(QDir(folder.Path()).mkdir("fuken.DAT"));  // a folder where the file should be
  WriteBytes(City(), QByteArray(38 * 2, ' '));
  Open();
  EXPECT_EQ(data.PrefCount, 0);
  EXPECT_EQ(data.CityCount, 2);
  data.PrefRec = {Text(u"X"), 1, 1};
  EXPECT_FALSE(data.ReadPref(1));
  EXPECT_FALSE(data.WritePref(1));
  EXPECT_EQ(data.PrefRec.Name, Text(u"X"));
  EXPECT_TRUE(data.ReadCity(2));
  EXPECT_TRUE(QFileInfo::exists(Entry()));
  EXPECT_TRUE(QFileInfo::exists(Index()));
}

}  // namespace

}  // namespace mirabo

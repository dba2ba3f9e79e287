// Rebuilds from national-format files: 47 prefectures, links, index, both editions, the sample.
#include <gtest/gtest.h>

#include <QProcess>

#include "data/DataSet.h"
#include "support/DataBuilder.h"
#include "support/TestPaths.h"
#include "support/TestText.h"
#include "update/RebuildKit.h"
#include "update/UpdateInfo.h"

namespace mirabo {

namespace {

qint32 Number(const QByteArray& bytes, qsizetype offset) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData() + offset);
  return qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
}

// The file re-encoded by Python's own codecs as the UTF-8 edition, with or without the mark.
QByteArray Utf8Edition(const QByteArray& cp932, bool bom) {
  QProcess python;
  python.start("python3", {"-c", QStringLiteral("import sys; sys.stdout.buffer.write("
                                                "sys.stdin.buffer.read().decode('cp932').encode('%1'))")
                                     .arg(bom ? "utf-8-sig" : "utf-8")});
  python.write(cp932);
  python.closeWriteChannel();
  python.waitForFinished(60000);
  return python.readAllStandardOutput();
}

// Runs of equal (prefecture, city) pairs in the rows, counted straight from the text:
// the generated values hold no commas, so a plain split finds the columns.
int CityRuns(const QByteArray& csv) {
  int runs = 0;
  QByteArray previous;
  for (const QByteArray& line : csv.split('\n')) {
    const QList<QByteArray> values = line.split(',');
    if (values.size() < 9) continue;
    const QByteArray key = values[6] + ',' + values[7];
    if (runs == 0 || key != previous) ++runs;
    previous = key;
  }
  return runs;
}

TEST(RebuildNational, FortySevenPrefecturesGiveFortyEightRecordsAndAFullIndex) {
  const QByteArray csv = MakeKenAll(5000, 2);
  ASSERT_EQ(csv.count("\r\n"), 5000);
  TempFolder folder;
  RecordingPlatform platform;
  const RebuildOutcome outcome = RebuildFrom(folder, csv, platform);
  ASSERT_TRUE(outcome.ok) << FailureMessage(outcome.failure).toStdString();

  const QByteArray pref = ReadBytes(folder.File("fuken.DAT"));
  ASSERT_EQ(pref.size(), 864);
  EXPECT_EQ(pref.mid(47 * 18), SentinelBytes());
  EXPECT_EQ(pref.left(10), Field(Hex("96 6B 8A 43 93 B9"), 10));              // 北海道
  EXPECT_EQ(pref.mid(46 * 18, 10), Field(Hex("89 AB 93 EA 8C A7"), 10));      // 沖縄県
  const int cities = CityRuns(csv);
  EXPECT_EQ(outcome.cityCount, cities);
  EXPECT_EQ(Number(pref, 10), 1);
  EXPECT_EQ(Number(pref, 46 * 18 + 14), cities);

  const QByteArray city = ReadBytes(folder.File("city.DAT"));
  ASSERT_EQ(city.size(), cities * 38);
  EXPECT_EQ(Number(city, 30), 1);
  EXPECT_EQ(Number(city, (cities - 1) * 38 + 34), 5000);

  DataSet data;
  data.OpenDataFiles(folder.Path());
  EXPECT_EQ(data.PrefCount, 48);
  EXPECT_EQ(data.EntryCount, 5000);
  EXPECT_EQ(data.IndexCount, 5000);
  EXPECT_EQ(UpdateInfoText(std::nullopt, data.PrefCount, data.CityCount, data.IndexCount).split("\r\n")[1],
            QStringLiteral("都道府県データ数＝47"));

  // Every entry once, in ascending code order, each record's code that of its entry.
  const QByteArray entries = ReadBytes(folder.File("ubinno.dat"));
  const QByteArray index = ReadBytes(folder.File("ubinind.dat"));
  std::vector<bool> seen(5001, false);
  QByteArray previousCode;
  for (int i = 0; i < 5000; ++i) {
    const QByteArray code = index.mid(i * 14, 10);
    const qint32 entryNo = Number(index, i * 14 + 10);
    ASSERT_TRUE(entryNo >= 1 && entryNo <= 5000 && !seen[entryNo]) << i;
    seen[entryNo] = true;
    EXPECT_EQ(code, entries.mid((entryNo - 1) * 130 + 120, 7) + "   ");
    EXPECT_LE(previousCode, code) << i;
    previousCode = code;
  }
}

TEST(RebuildNational, Utf8EditionsGiveByteIdenticalDataFiles) {
  const QByteArray cp932 = MakeKenAll(400, 4, true);  // with long, straddling and look-alike names
  const QByteArray withMark = Utf8Edition(cp932, true);
  const QByteArray withoutMark = Utf8Edition(cp932, false);
  ASSERT_TRUE(withMark.startsWith("\xEF\xBB\xBF"));
  ASSERT_NE(withoutMark, cp932);

  TempFolder a, b, c;
  RecordingPlatform platform;
  ASSERT_TRUE(RebuildFrom(a, cp932, platform).ok);
  ASSERT_TRUE(RebuildFrom(b, withMark, platform).ok);
  ASSERT_TRUE(RebuildFrom(c, withoutMark, platform).ok);
  const QList<QByteArray> expected = DataFileBytes(a);
  EXPECT_EQ(expected[2].size(), cp932.count("\r\n") * 130);
  EXPECT_EQ(cp932.count("\r\n"), 410);  // 400 rows and the 10 awkward ones
  EXPECT_EQ(DataFileBytes(b), expected);
  EXPECT_EQ(DataFileBytes(c), expected);
}

TEST(RebuildNational, BundledSampleRebuildsCleanly) {
  TempFolder folder;
  RecordingPlatform platform;
  const QString sample = SourceDir() + QStringLiteral("/sample/KEN_ALL.CSV");
  const QByteArray csv = ReadBytes(sample);
  ASSERT_FALSE(csv.isEmpty());
  const RebuildOutcome outcome = RebuildDataFiles(folder.Path(), sample, {.files = &platform.Files()});
  ASSERT_TRUE(outcome.ok) << FailureMessage(outcome.failure).toStdString();
  EXPECT_EQ(outcome.entryCount, csv.count("\r\n"));
  EXPECT_GE(outcome.prefCount - 1, 3);
  EXPECT_EQ(outcome.indexCount, outcome.entryCount);
  EXPECT_EQ(ReadBytes(folder.File("fuken.DAT")).right(18), SentinelBytes());
}

}  // namespace

}  // namespace mirabo

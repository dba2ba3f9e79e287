// Random and damaged national files: never a crash or a hang, always a refusal or a sound data set.
#include <gtest/gtest.h>

#include <random>

#include "data/DataSet.h"
#include "support/DataBuilder.h"
#include "support/TestText.h"
#include "update/DataFileBuilder.h"
#include "update/RebuildKit.h"

namespace mirabo {

namespace {

qint32 Number(const QByteArray& bytes, qsizetype offset) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData() + offset);
  return qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
}

// Checks the links of a built data set from its bytes: prefectures tile the cities,
// cities tile the entries, the sentinel closes the prefectures, the index names
// every entry once in ascending order of the code's first seven bytes.
void ExpectSoundDataSet(const DataImage& image) {
  ASSERT_EQ(image.pref.size() % 18, 0);
  ASSERT_EQ(image.city.size() % 38, 0);
  ASSERT_EQ(image.entry.size() % 130, 0);
  const qsizetype prefs = image.pref.size() / 18 - 1, cities = image.city.size() / 38, entries = image.entry.size() / 130;
  ASSERT_GE(prefs, 0);
  EXPECT_EQ(image.pref.right(18), SentinelBytes());
  qint32 nextCity = 1;
  for (qsizetype p = 0; p < prefs; ++p) {
    EXPECT_EQ(Number(image.pref, p * 18 + 10), nextCity);
    nextCity = Number(image.pref, p * 18 + 14) + 1;
    EXPECT_GE(nextCity, Number(image.pref, p * 18 + 10) + 1);
  }
  EXPECT_EQ(nextCity - 1, cities);
  qint32 nextEntry = 1;
  for (qsizetype c = 0; c < cities; ++c) {
    EXPECT_EQ(Number(image.city, c * 38 + 30), nextEntry);
    nextEntry = Number(image.city, c * 38 + 34) + 1;
    EXPECT_GE(nextEntry, Number(image.city, c * 38 + 30) + 1);
  }
  EXPECT_EQ(nextEntry - 1, entries);
  ASSERT_EQ(image.index.size(), entries * 14);
  std::vector<bool> seen(entries + 1, false);
  for (qsizetype i = 0; i < entries; ++i) {
    const qint32 entryNo = Number(image.index, i * 14 + 10);
    ASSERT_GE(entryNo, 1);
    ASSERT_LE(entryNo, entries);
    EXPECT_FALSE(seen[entryNo]);
    seen[entryNo] = true;
  }
}

// One damage of many kinds at a random place.
QByteArray Damage(QByteArray file, std::mt19937& rng) {
  auto at = [&](qsizetype size) { return size == 0 ? 0 : qsizetype(rng() % size); };
  const char* junk[] = {"\"", ",", "\r", "\n", "\r\n", "\"\"", "\x81", "\xFF", "\xEF\xBB\xBF"};
  switch (rng() % 8) {
    case 0:  // truncated anywhere, mid-character or mid-line
      return file.left(at(file.size() + 1));
    case 1:  // a stray quote, comma or line end
      return file.insert(at(file.size() + 1), junk[rng() % 6]);
    case 2:  // invalid or lone lead bytes
      return file.insert(at(file.size() + 1), junk[6 + rng() % 3]);
    case 3:  // a NUL byte
      return file.insert(at(file.size() + 1), QByteArray(1, '\0'));
    case 4:  // a very long line
      return file.insert(at(file.size() + 1), QByteArray(200000 + rng() % 100000, char(0x41 + rng() % 26)));
    case 5: {  // random bytes overwritten
      for (int i = 0; i < 8 && !file.isEmpty(); ++i) file[at(file.size())] = char(rng() & 0xFF);
      return file;
    }
    case 6:  // a byte removed
      return file.isEmpty() ? file : file.remove(at(file.size()), 1);
    default: {  // pure noise
      QByteArray noise(rng() % 4000, '\0');
      for (char& c : noise) c = char(rng() & 0xFF);
      return noise;
    }
  }
}

TEST(RebuildRobustness, DamagedFilesAreRefusedOrBuildSoundDataSets) {
  const QByteArray base = MakeKenAll(60, 5, true);
  ASSERT_FALSE(base.isEmpty());
  std::mt19937 rng(20240607);
  int refused = 0, built = 0;
  for (int round = 0; round < 400; ++round) {
    QByteArray file = base;
    const int damages = 1 + int(rng() % 3);
    for (int d = 0; d < damages; ++d) file = Damage(file, rng);
    const DataImageBuild build = BuildDataImage(file);
    if (!build.fault.ok()) {
      ++refused;
      EXPECT_EQ(build.fault.kind, UpdateStatus::kBadRow);
      EXPECT_FALSE(build.fault.reason.isEmpty());
      EXPECT_GE(build.fault.line, 1);
    } else {
      ++built;
      ExpectSoundDataSet(build.image);
    }
    if (HasFailure()) {
      ADD_FAILURE() << "round " << round;
      break;
    }
  }
  // Both outcomes occur, so both paths were exercised.
  EXPECT_GT(refused, 50);
  EXPECT_GT(built, 20);
}

TEST(RebuildRobustness, DamagedFileThroughTheWholeRebuildKeepsTheFilesConsistent) {
  const QByteArray base = MakeKenAll(40, 9, true);
  std::mt19937 rng(77);
  TempFolder folder;
  RecordingPlatform platform;
  ASSERT_TRUE(RebuildFrom(folder, base, platform).ok);
  for (int round = 0; round < 30; ++round) {
    const QList<QByteArray> before = DataFileBytes(folder);
    const RebuildOutcome outcome = RebuildFrom(folder, Damage(base, rng), platform);
    if (!outcome.ok) {
      EXPECT_FALSE(FailureMessage(outcome.failure).isEmpty());
      EXPECT_EQ(DataFileBytes(folder), before);
    }
    DataSet data;
    data.OpenDataFiles(folder.Path());
    EXPECT_EQ(data.IndexCount, data.EntryCount);
    EXPECT_GE(data.PrefCount, 1);
    data.CloseAll();
    QStringList listing = FolderListing(folder);
    listing.removeAll("CHANGES.TSV");  // the change report of the last good rebuild, if any
    EXPECT_EQ(listing.size(), 6) << "round " << round;  // with the lock file
  }
}

}  // namespace

}  // namespace mirabo

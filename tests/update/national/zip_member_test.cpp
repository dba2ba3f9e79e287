// Taking the one CSV member out of a ZIP in memory: what is taken, what is refused.
#include <gtest/gtest.h>

#include "support/DataBuilder.h"
#include "support/TestText.h"
#include "support/ZipMaker.h"
#include "update/RebuildKit.h"
#include "update/national/ZipMember.h"

namespace mirabo {

namespace {

const QByteArray kRows = "1,\"1  \",\"1000001\",\"k\",\"k\",\"k\",\"P\",\"C\",\"T\",0,0,0,0,0,0\r\n";

TEST(IsZip, KnowsTheArchiveByItsFirstFourBytesOnly) {
  EXPECT_TRUE(IsZip(QByteArray("PK\x03\x04", 4)));
  EXPECT_TRUE(IsZip(MakeZip({{"KEN_ALL.CSV", kRows}})));
  EXPECT_FALSE(IsZip(QByteArray("PK\x03", 3)));            // cut short
  EXPECT_FALSE(IsZip(QByteArray("PK\x05\x06", 4)));        // an empty archive's end record
  EXPECT_FALSE(IsZip(QByteArray(" PK\x03\x04", 5)));       // not at the start
  EXPECT_FALSE(IsZip(kRows));
  EXPECT_FALSE(IsZip(QByteArray()));
}

TEST(ReadCsvMember, TakesTheOnlyCsvWhateverElseTheArchiveHolds) {
  const QByteArray zip = MakeZip({{"readme.txt", "hello"}, {"data/ken_all.Csv", kRows}, {"notes.csv.txt", "x"}});
  const ZipMember member = ReadCsvMember(zip);
  EXPECT_TRUE(member.fault.ok());
  EXPECT_EQ(member.name, QString("data/ken_all.Csv"));
  EXPECT_EQ(member.bytes, kRows);
}

TEST(ReadCsvMember, EmptyCsvMemberIsTakenAsEmpty) {
  const ZipMember member = ReadCsvMember(MakeZip({{"KEN_ALL.CSV", {}}}));
  EXPECT_TRUE(member.fault.ok());
  EXPECT_EQ(member.bytes, QByteArray());
}

TEST(ReadCsvMember, RefusesNoCsvAndTwoCsvs) {
  const ZipMember none = ReadCsvMember(MakeZip({{"readme.txt", "hello"}, {"KEN_ALL.TXT", kRows}}));
  EXPECT_EQ(none.fault.kind, UpdateStatus::kZipNoCsv);
  EXPECT_TRUE(none.bytes.isEmpty());

  const ZipMember two = ReadCsvMember(MakeZip({{"KEN_ALL.CSV", kRows}, {"utf_ken_all.csv", kRows}}));
  EXPECT_EQ(two.fault.kind, UpdateStatus::kZipTwoCsvs);
  EXPECT_EQ(two.fault.member, QString("KEN_ALL.CSV"));
  EXPECT_EQ(two.fault.otherMember, QString("utf_ken_all.csv"));
  EXPECT_TRUE(two.bytes.isEmpty());
}

TEST(ReadCsvMember, SizeLimitIsInclusive) {
  const QByteArray bytes(1000, 'a');
  const QByteArray zip = MakeZip({{"KEN_ALL.CSV", bytes}});
  EXPECT_EQ(ReadCsvMember(zip, 1000).bytes, bytes);
  const ZipMember over = ReadCsvMember(zip, 999);
  EXPECT_EQ(over.fault.kind, UpdateStatus::kZipMemberTooLarge);
  EXPECT_EQ(over.fault.member, QString("KEN_ALL.CSV"));
  EXPECT_EQ(over.fault.number, 0);  // the limit in whole MB
  EXPECT_TRUE(over.bytes.isEmpty());
}

TEST(ReadCsvMember, BombIsRefusedAndSmall) {
  const QByteArray bomb = MakeZipBomb("KEN_ALL.CSV", kMaxZipMemberBytes + 1);
  EXPECT_LT(bomb.size(), 1024 * 1024);  // a small archive that unpacks to over 200 MB
  const ZipMember member = ReadCsvMember(bomb);
  EXPECT_EQ(member.fault.kind, UpdateStatus::kZipMemberTooLarge);
  EXPECT_EQ(member.fault.number, 200);
  EXPECT_TRUE(member.bytes.isEmpty());
}

TEST(ReadCsvMember, DamagedArchivesAreRefusedAsBroken) {
  const QByteArray csv = MakeKenAll(300, 4);
  const QByteArray zip = MakeZip({{"KEN_ALL.CSV", csv}});
  // Cut in the member's header or data.
  for (const qsizetype keep : {qsizetype(4), qsizetype(40), zip.size() / 2}) {
    const ZipMember member = ReadCsvMember(zip.left(keep));
    EXPECT_EQ(member.fault.kind, UpdateStatus::kZipBroken) << keep << ": " << member.fault.kind;
    EXPECT_TRUE(member.bytes.isEmpty()) << keep;
  }
  // Cut only in the closing directory: the member came whole and its checksum matched.
  EXPECT_EQ(ReadCsvMember(zip.left(zip.size() - 30)).bytes, csv);

  QByteArray scrambled = zip;
  for (qsizetype i = 100; i < 400; ++i) scrambled[i] = char(scrambled[i] ^ 0x5A);  // inside the deflated data
  EXPECT_EQ(ReadCsvMember(scrambled).fault.kind, UpdateStatus::kZipBroken);
}

}  // namespace

}  // namespace mirabo

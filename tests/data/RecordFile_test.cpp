// A record file on its own: failures, counts taken at open, whole-file reads and far writes.
#include "data/RecordFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <climits>

#include <sys/stat.h>
#include <unistd.h>

#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

class RecordFileTest : public ::testing::Test {
 protected:
  QString Path() const { return folder.File("r.dat"); }
  TempFolder folder;
};

TEST_F(RecordFileTest, RecordNumbersOfZeroOrLessFailAndTouchNeitherOutputNorFile) {
  WriteBytes(Path(), Hex("01 02 03 04 05 06 07 08"));
  RecordFile file(4);
  ASSERT_TRUE(file.Open(Path()));
  for (const qint32 n : {0, -1, INT_MIN}) {
    char out[4] = {'k', 'e', 'e', 'p'};
    EXPECT_FALSE(file.Read(n, out)) << n;
    EXPECT_EQ(QByteArray(out, 4), QByteArray("keep")) << n;
    EXPECT_FALSE(file.Write(n, "ABCD")) << n;
  }
  file.Close();
  EXPECT_EQ(ToHex(ReadBytes(Path())), ToHex(Hex("01 02 03 04 05 06 07 08")));
}

TEST_F(RecordFileTest, ClosedFileFailsReadsAndWrites) {
  RecordFile file(4);
  char out[4] = {'k', 'e', 'e', 'p'};
  EXPECT_FALSE(file.Read(1, out));
  EXPECT_FALSE(file.Write(1, "ABCD"));
  ASSERT_TRUE(file.Open(Path()));
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Read(1, out));
  EXPECT_FALSE(file.Write(1, "ABCD"));
  EXPECT_EQ(QByteArray(out, 4), QByteArray("keep"));
  EXPECT_EQ(ReadBytes(Path()).size(), 0);
}

TEST_F(RecordFileTest, FolderInPlaceOfTheFileDoesNotOpenAndCountsZero) {
  ASSERT_TRUE(QDir(folder.Path()).mkdir("r.dat"));
  RecordFile file(4);
  EXPECT_FALSE(file.Open(Path()));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Count(), 0);
}

TEST_F(RecordFileTest, CountStaysAsAtOpenWhileWritesGrowTheFile) {
  WriteBytes(Path(), Hex("01 02 03 04 05 06 07 08 09"));  // two records and a stray byte
  RecordFile file(4);
  ASSERT_TRUE(file.Open(Path()));
  EXPECT_EQ(file.Count(), 2);
  ASSERT_TRUE(file.Write(6, "WXYZ"));
  EXPECT_EQ(file.Count(), 2);
  // The whole-file read covers the records counted at open only.
  EXPECT_EQ(ToHex(file.ReadAll()), ToHex(Hex("01 02 03 04 05 06 07 08")));
  file.Close();
  EXPECT_EQ(ToHex(ReadBytes(Path())), ToHex(Hex("01 02 03 04 05 06 07 08 09 00 00 00"
                                                 "00 00 00 00 00 00 00 00 57 58 59 5A")));
  ASSERT_TRUE(file.Open(Path()));
  EXPECT_EQ(file.Count(), 6);
}

TEST_F(RecordFileTest, ReadAllOfAnEmptyFileIsEmpty) {
  RecordFile file(4);
  ASSERT_TRUE(file.Open(Path()));
  EXPECT_TRUE(file.ReadAll().isEmpty());
}

TEST_F(RecordFileTest, RecordPartlyInsideTheOpenedLengthReadsItsNewBytes) {
  WriteBytes(Path(), Hex("01 02 03 04 05 06"));  // one record and half of the next
  RecordFile file(4);
  ASSERT_TRUE(file.Open(Path()));
  char out[4];
  ASSERT_TRUE(file.Read(2, out));
  EXPECT_EQ(ToHex(QByteArray(out, 4)), ToHex(Hex("05 06 00 00")));  // missing bytes read as zero
  ASSERT_TRUE(file.Write(2, "WXYZ"));
  ASSERT_TRUE(file.Read(2, out));
  EXPECT_EQ(QByteArray(out, 4), QByteArray("WXYZ"));
  ASSERT_TRUE(file.Read(1, out));
  EXPECT_EQ(ToHex(QByteArray(out, 4)), ToHex(Hex("01 02 03 04")));
}

TEST_F(RecordFileTest, LargestRecordNumberExtendsTheFileWithZeroBytes) {
  // 130-byte records: record 2^31 - 1 starts about 279 GB in. The gap must not be
  // built in memory; the file system keeps it sparse.
  RecordFile file(130);
  ASSERT_TRUE(file.Open(Path()));
  const QByteArray record(130, 'R');
  ASSERT_TRUE(file.Write(INT_MAX, record.constData()));
  EXPECT_EQ(QFileInfo(Path()).size(), qint64(INT_MAX) * 130);
  char out[130];
  ASSERT_TRUE(file.Read(INT_MAX, out));
  EXPECT_EQ(QByteArray(out, 130), record);
  ASSERT_TRUE(file.Read(INT_MAX / 2, out));
  EXPECT_EQ(QByteArray(out, 130), QByteArray(130, '\0'));
  file.Close();
  QFile::remove(Path());
}

TEST_F(RecordFileTest, FileCutShortWhileOpenReadsZerosPastItsNewEnd) {
  WriteBytes(Path(), QByteArray("AAAABBBBCCCC"));
  RecordFile file(4);
  ASSERT_TRUE(file.Open(Path()));
  char out[4];
  ASSERT_TRUE(file.Read(3, out));
  EXPECT_EQ(QByteArray(out, 4), QByteArray("CCCC"));
  // Another program copies a smaller file over this one: 1.5 records remain.
  ASSERT_EQ(::truncate(QFile::encodeName(Path()).constData(), 6), 0);
  ASSERT_TRUE(file.Read(3, out));
  EXPECT_EQ(ToHex(QByteArray(out, 4)), ToHex(Hex("00 00 00 00")));
  ASSERT_TRUE(file.Read(2, out));
  EXPECT_EQ(ToHex(QByteArray(out, 4)), ToHex(Hex("42 42 00 00")));
  EXPECT_EQ(file.Count(), 3);  // still as counted at open
  EXPECT_EQ(ToHex(file.ReadAll()), ToHex(Hex("41 41 41 41 42 42 00 00 00 00 00 00")));
  EXPECT_EQ(ReadBytes(Path()), QByteArray("AAAABB"));  // reading did not grow it back
}

TEST_F(RecordFileTest, FileWithoutWriteAccessOpensForReadingAndRefusesWrites) {
  WriteBytes(Path(), QByteArray("AAAABBBB"));
  ASSERT_TRUE(QFile::setPermissions(Path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  if (::geteuid() == 0) GTEST_SKIP() << "root writes whatever the permissions say";
  RecordFile file(4);
  ASSERT_TRUE(file.Open(Path()));
  EXPECT_FALSE(file.IsWritable());
  EXPECT_EQ(file.Count(), 2);
  char out[4];
  ASSERT_TRUE(file.Read(2, out));
  EXPECT_EQ(QByteArray(out, 4), QByteArray("BBBB"));
  EXPECT_FALSE(file.Write(1, "ZZZZ"));
  EXPECT_EQ(ReadBytes(Path()), QByteArray("AAAABBBB"));
}

TEST_F(RecordFileTest, MissingFileIsLeftMissingWhenNotToBeCreated) {
  RecordFile file(4);
  EXPECT_FALSE(file.Open(Path(), false));
  EXPECT_FALSE(QFile::exists(Path()));
  ASSERT_TRUE(file.Open(Path()));
  EXPECT_TRUE(file.IsWritable());
  EXPECT_TRUE(QFile::exists(Path()));
}

TEST_F(RecordFileTest, FifoInPlaceOfTheFileDoesNotOpenNorBlock) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path()).constData(), 0644), 0);
  RecordFile file(4);
  EXPECT_FALSE(file.Open(Path()));
  EXPECT_EQ(file.Count(), 0);
}

TEST_F(RecordFileTest, StampChangesWithTheFileAndWritesAreCounted) {
  WriteBytes(Path(), QByteArray("AAAA"));
  RecordFile file(4);
  EXPECT_EQ(file.Stamp(), FileStamp{});
  ASSERT_TRUE(file.Open(Path()));
  const FileStamp before = file.Stamp();
  EXPECT_EQ(before.size, 4);
  EXPECT_EQ(file.Stamp(), before);
  const quint64 writes = RecordFile::WritesSoFar();
  ASSERT_TRUE(file.Write(2, "BBBB"));
  EXPECT_EQ(RecordFile::WritesSoFar(), writes + 1);
  EXPECT_NE(file.Stamp(), before);
  EXPECT_EQ(file.Stamp().size, 8);
}

}  // namespace

}  // namespace mirabo

// Reading ahead on a second thread: the reader's rows in their order, across batches,
// up to a refused line; and a reading given up half-way ends without waiting.
#include <gtest/gtest.h>

#include "update/national/KenAllReadAhead.h"

namespace mirabo {

namespace {

// `rows` rows whose codes count up from 1000000, each line ended by CR LF.
QByteArray NumberedRows(int rows) {
  QByteArray file;
  for (int i = 0; i < rows; ++i)
    file += "1,\"100  \",\"" + QByteArray::number(1000000 + i) + "\",\"k\",\"k\",\"k\",\"P\",\"C\",\"T\",0,0,0,0,0,0\r\n";
  return file;
}

// The codes handed over, in order, and the number of batches they came in.
struct Handed {
  std::vector<std::string> codes;
  int batches = 0;
};

Handed ReadAllAhead(KenAllReadAhead& reader) {
  Handed handed;
  std::vector<KenAllItem> batch;
  while (reader.NextBatch(batch)) {
    ++handed.batches;
    for (const KenAllItem& item : batch) {
      EXPECT_TRUE(item.asBytes);  // plain code page 932 rows come as bytes
      handed.codes.emplace_back(item.bytes.code);
    }
  }
  EXPECT_TRUE(batch.empty());
  return handed;
}

TEST(KenAllReadAhead, HandsOverEveryRowInOrderAcrossBatches) {
  const int rows = 5000;  // more than two batches
  const QByteArray file = NumberedRows(rows);
  KenAllReadAhead reader(file);
  const Handed handed = ReadAllAhead(reader);
  EXPECT_FALSE(reader.Fault());
  ASSERT_EQ(handed.codes.size(), size_t(rows));
  EXPECT_GE(handed.batches, 3);
  for (int i = 0; i < rows; ++i) ASSERT_EQ(handed.codes[i], std::to_string(1000000 + i)) << "row " << i;
}

TEST(KenAllReadAhead, StopsAtARefusedLineInALaterBatchAfterTheRowsBeforeIt) {
  const QByteArray file = NumberedRows(4999) + "1,2\r\n" + NumberedRows(10);
  KenAllReadAhead reader(file);
  const Handed handed = ReadAllAhead(reader);
  EXPECT_EQ(handed.codes.size(), 4999u);
  ASSERT_TRUE(reader.Fault());
  EXPECT_EQ(reader.Fault()->line, 5000);
  EXPECT_EQ(reader.Fault()->what, QStringLiteral("値が 2 個あります（15 個のはずです）"));
}

TEST(KenAllReadAhead, FileWithoutRowsHandsOverNothing) {
  const QByteArray file("\r\n");
  KenAllReadAhead reader(file);
  EXPECT_TRUE(ReadAllAhead(reader).codes.empty());
  ASSERT_TRUE(reader.Fault());
  EXPECT_EQ(reader.Fault()->what, QStringLiteral("データの行がありません"));
}

TEST(KenAllReadAhead, GivingUpAfterOneBatchEndsAtOnce) {
  // Far more rows than the batches held ready: the reader waits for room when it is stopped.
  const QByteArray file = NumberedRows(100000);
  for (int attempt = 0; attempt < 20; ++attempt) {
    KenAllReadAhead reader(file);
    std::vector<KenAllItem> batch;
    ASSERT_TRUE(reader.NextBatch(batch));
    EXPECT_EQ(batch.front().bytes.code, "1000000");
  }
}

}  // namespace

}  // namespace mirabo

// A record image over a file that changes under it: cut short, written, and faults
// that are none of the image's.
#include "data/RecordImage.h"

#include <gtest/gtest.h>

#include <QFile>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TestFiles.h"

namespace mirabo {

namespace {

constexpr int kLength = 100;
constexpr int kRecords = 100;  // 10,000 bytes: three pages and a part

// Record n holds the byte n throughout.
QByteArray Records() {
  QByteArray bytes;
  for (int n = 1; n <= kRecords; ++n) bytes.append(kLength, char(n));
  return bytes;
}

class RecordImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(Path(), Records());
    ASSERT_TRUE(file.Open(Path()));
  }
  QString Path() const { return folder.File("r.dat"); }
  void CutTo(qint64 bytes) const { ASSERT_EQ(::truncate(QFile::encodeName(Path()).constData(), bytes), 0); }

  TempFolder folder;
  RecordFile file{kLength};
};

QByteArray RecordOf(const RecordImage& image, qint32 n) { return QByteArray(image.Record(n), kLength); }

TEST_F(RecordImageTest, FileCutShortUnderTheImageReadsZerosPastItsNewEnd) {
  const RecordImage image(file);
  ASSERT_EQ(RecordOf(image, 100), QByteArray(kLength, char(100)));
  CutTo(5 * kLength);
  // Past the new end, in the pages the file lost and in the rest of its last page.
  EXPECT_EQ(RecordOf(image, 100), QByteArray(kLength, '\0'));
  EXPECT_EQ(RecordOf(image, 60), QByteArray(kLength, '\0'));
  EXPECT_EQ(RecordOf(image, 6), QByteArray(kLength, '\0'));
  EXPECT_EQ(RecordOf(image, 5), QByteArray(kLength, char(5)));
  EXPECT_FALSE(image.IsCurrent(file));
}

TEST_F(RecordImageTest, FileCutToNothingBeforeAnyRecordIsReadReadsZerosThroughout) {
  const RecordImage image(file);
  CutTo(0);
  for (const qint32 n : {1, 41, 100}) EXPECT_EQ(RecordOf(image, n), QByteArray(kLength, '\0')) << n;
}

TEST_F(RecordImageTest, ImagesOfTheSameFileCutShortEachReadZerosAndAreReleased) {
  // More images than are mapped at once: those past the limit are read into memory.
  std::vector<std::unique_ptr<RecordImage>> images;
  for (int i = 0; i < 80; ++i) images.push_back(std::make_unique<RecordImage>(file));
  CutTo(kLength);
  for (const auto& image : images) {
    EXPECT_EQ(RecordOf(*image, 1), QByteArray(kLength, char(1)));
    EXPECT_EQ(RecordOf(*image, 99), QByteArray(kLength, '\0'));
  }
  images.clear();
  const RecordImage again(file);  // a slot freed above serves a new mapping
  EXPECT_EQ(RecordOf(again, 1), QByteArray(kLength, char(1)));
}

// A bus error outside every image still ends the process, as it would without them.
TEST_F(RecordImageTest, FaultOutsideTheImagesStillEndsTheProcess) {
  const auto diedOfTheFault = [](int status) {
    // The sanitizers' handler reports the fault and exits instead.
    return WIFSIGNALED(status) ? WTERMSIG(status) == SIGBUS : WEXITSTATUS(status) != 0;
  };
  EXPECT_EXIT(
      {
        const RecordImage image(file);  // the handler is in place
        const int fd = ::open(QFile::encodeName(Path()).constData(), O_RDONLY);
        const auto* other = static_cast<const volatile char*>(::mmap(nullptr, 8192, PROT_READ, MAP_SHARED, fd, 0));
        CutTo(0);
        std::_Exit(other[4096]);  // a read that no handler served would exit with 0
      },
      diedOfTheFault, "");
}

}  // namespace

}  // namespace mirabo

// mirabo-cli browse: the window's list lines, one per line in UTF-8, and its refusals.
#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

struct BrowseRun {
  int status = -1;
  QString out, err;
};

BrowseRun Browse(const QString& folder, const QStringList& positions) {
  const CliRun run = RunCli(QStringList{"--data", folder, "browse"} + positions);
  return {run.status, QString::fromUtf8(run.out), QString::fromUtf8(run.err)};
}

class BrowseCli : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDataFiles(folder_.Path(), {Entry("0600000", "北海道", "札幌市", "中央"), Entry("0400000", "北海道", "函館市", "元町"),
                                    Entry("0400001", "北海道", "函館市", "末広町"), Entry("1000001", "神奈川県", "横浜市", "港")});
  }
  TempFolder folder_;
};

TEST_F(BrowseCli, PrefecturesCitiesAndTowns) {
  const BrowseRun prefs = Browse(folder_.Path(), {});
  EXPECT_EQ(prefs.status, 0);
  EXPECT_EQ(prefs.out, QString("北海道  \n神奈川県\n"));
  EXPECT_EQ(Browse(folder_.Path(), {"0"}).out, QString("札幌市\n函館市\n"));
  EXPECT_EQ(Browse(folder_.Path(), {"0", "1"}).out, QString("0400000　函館市　元町\n0400001　函館市　末広町\n"));
  EXPECT_EQ(Browse(folder_.Path(), {"1", "0"}).out, QString("1000001　横浜市　港\n"));
}

struct BadPositions {
  const char* name;
  QStringList positions;
};
void PrintTo(const BadPositions& c, std::ostream* os) { *os << c.name; }

class BrowseCliRefuses : public BrowseCli, public ::testing::WithParamInterface<BadPositions> {};

TEST_P(BrowseCliRefuses, PositionsOutsideTheLists) {
  const BrowseRun run = Browse(folder_.Path(), GetParam().positions);
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.startsWith("mirabo-cli: ")) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, BrowseCliRefuses,
                         ::testing::Values(BadPositions{"prefecture past the last", {"2"}},
                                           BadPositions{"city past the last", {"0", "2"}},
                                           BadPositions{"negative", {"-1"}}, BadPositions{"not a number", {"x"}},
                                           BadPositions{"three positions", {"0", "0", "0"}}),
                         CaseName());

TEST(BrowseCliEmpty, EmptyDataFilesListNothing) {
  TempFolder folder;
  for (const char* name : kDataFiles) WriteBytes(folder.File(name), "");
  const BrowseRun run = Browse(folder.Path(), {});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.isEmpty());
}

}  // namespace

}  // namespace mirabo

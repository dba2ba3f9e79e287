// mirabo-cli download against a local server: output, exit status, files, every refusal.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include "support/CaseName.h"
#include "support/CliRun.h"
#include "support/DataBuilder.h"
#include "support/HttpFixture.h"
#include "support/TestText.h"
#include "support/ZipMaker.h"

namespace mirabo {

namespace {

class DownloadCli : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    csv_ = new QByteArray(MakeKenAll(2500, 11));
    TempFolder folder;
    WriteBytes(folder.File("KEN_ALL.CSV"), *csv_);
    const CliRun run = RunCli({"--data", folder.Path(), "rebuild"}, {}, folder.Path());
    counts_ = new QByteArray(run.out.left(run.out.indexOf("changes ")));  // the four counts
    expected_ = new QList<QByteArray>(DataFileBytes(folder));
  }
  // Each suite derived from this one sets up again: free the last one's data first.
  static void TearDownTestSuite() {
    delete csv_;
    delete counts_;
    delete expected_;
    csv_ = counts_ = nullptr;
    expected_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(server_.Ok());
    ASSERT_TRUE(counts_->startsWith("fuken.DAT 48\n"));
    server_.Serve("ken_all.zip", MakeZip({{"KEN_ALL.CSV", *csv_}}));
    qunsetenv("MIRABO_DOWNLOAD_URL");
  }
  void TearDown() override { qunsetenv("MIRABO_DOWNLOAD_URL"); }
  CliRun Download(const QStringList& args) {
    return RunCli(QStringList{"--data", data_.Path(), "download"} + args, {}, data_.Path());
  }

  static QByteArray *csv_, *counts_;
  static QList<QByteArray>* expected_;
  HttpFixture server_;
  TempFolder data_;
};
QByteArray *DownloadCli::csv_, *DownloadCli::counts_;
QList<QByteArray>* DownloadCli::expected_;

TEST_F(DownloadCli, PrintsWhatRebuildPrintsAndWritesTheSameFiles) {
  server_.Serve("utf_ken_all.zip", MakeZip({{"utf_ken_all.csv", MakeKenAll(2500, 11, false, {"--encoding", "utf8"})}}));
  for (const char* path : {"ken_all.zip", "utf_ken_all.zip", "redirect/4/ken_all.zip"}) {
    const CliRun run = Download({"--url", server_.Url(path)});
    EXPECT_EQ(run.status, 0) << path << ": " << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(*counts_)) << path << ": " << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith(path == QString("ken_all.zip") ? "changes first-import\n" : "changes +0 -0\n"))
        << run.out.toStdString();
    EXPECT_EQ(run.err, "") << path;  // no progress when standard error is no terminal
    EXPECT_EQ(DataFileBytes(data_), *expected_) << path;
  }
}

TEST_F(DownloadCli, EnvironmentGivesTheAddressAndTheOptionWins) {
  qputenv("MIRABO_DOWNLOAD_URL", server_.Url("ken_all.zip").toUtf8());
  EXPECT_EQ(Download({}).status, 0);
  EXPECT_EQ(DataFileBytes(data_), *expected_);
  qputenv("MIRABO_DOWNLOAD_URL", server_.Url("status/404").toUtf8());
  EXPECT_EQ(Download({"--url", server_.Url("ken_all.zip")}).status, 0);
  EXPECT_EQ(server_.Paths().count("/status/404"), 0);
}

class DownloadCliRefusal : public DownloadCli, public ::testing::WithParamInterface<BadAnswer> {
 protected:
  void SetUp() override {
    DownloadCli::SetUp();
    server_.ServeBadArchives(*csv_);
  }
};

// A bad answer: exit status 2, one line, and the old data kept byte for byte.
TEST_P(DownloadCliRefusal, ExitsTwoWithOneLineAndKeepsTheFiles) {
  WriteBytes(data_.File("KEN_ALL.CSV"), KenAllLine("1000001", "P", "C", "T"));
  ASSERT_EQ(RunCli({"--data", data_.Path(), "rebuild"}, {}, data_.Path()).status, 0);
  const QList<QByteArray> before = DataFileBytes(data_);
  const QString url = server_.Url(GetParam().path);
  const CliRun run = Download({"--url", url, "--timeout", "2"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  const QString err = QString::fromUtf8(run.err);
  const QString start = QStringLiteral("mirabo-cli: ダウンロードできませんでした。「%1」: ").arg(url);
  EXPECT_TRUE(err.startsWith(start + U(GetParam().cause))) << err.toStdString();
  EXPECT_TRUE(err.endsWith(QStringLiteral("。データは変更していません。\n"))) << err.toStdString();
  EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
  EXPECT_EQ(DataFileBytes(data_), before);
#if !defined(__SANITIZE_ADDRESS__)
  // The bomb is refused by its stated size, before anything is unpacked: no run of the
  // program (nor the server) comes near the 200 MB it would unpack to.
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  EXPECT_LT(usage.ru_maxrss, 150 * 1024) << "peak of a child in KB";
#endif
}

INSTANTIATE_TEST_SUITE_P(
    EveryBadAnswer, DownloadCliRefusal,
    ::testing::ValuesIn(BadAnswersAnd({{"silent server", "silent/x", "2 秒以内に終わりませんでした（タイムアウト）"}})),
    CaseName());

struct BadOptions {
  const char* name;
  QStringList args;
};
void PrintTo(const BadOptions& c, std::ostream* os) { *os << c.name; }

class DownloadCliBadUse : public DownloadCli, public ::testing::WithParamInterface<BadOptions> {};

TEST_P(DownloadCliBadUse, AsksNothingOfTheServer) {
  const CliRun run = Download(GetParam().args);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "mirabo-cli: usage: download [--url URL] [--timeout SECONDS]\n");
  EXPECT_TRUE(server_.Paths().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Options, DownloadCliBadUse,
                         ::testing::Values(BadOptions{"zero timeout", {"--timeout", "0"}},
                                           BadOptions{"timeout not a number", {"--timeout", "x"}},
                                           BadOptions{"timeout without seconds", {"--timeout"}},
                                           BadOptions{"url without address", {"--url"}},
                                           BadOptions{"empty url", {"--url", ""}},
                                           BadOptions{"extra argument", {"extra"}}),
                         CaseName());

}  // namespace

}  // namespace mirabo

// The download against a local server: good archives, every bad answer, redirects, limits.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <utility>
#include <vector>

#include "support/CaseName.h"
#include "support/DataBuilder.h"
#include "support/HttpFixture.h"
#include "support/TestText.h"
#include "support/ZipMaker.h"
#include "update/DataFileBuilder.h"
#include "update/NationalFile.h"
#include "update/download/NationalDownload.h"

namespace mirabo {

namespace {

class NationalDownloadTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    csv_ = new QByteArray(MakeKenAll(1500, 5));
  }
  // Each suite derived from this one sets up again: free the last one's data first.
  static void TearDownTestSuite() {
    delete csv_;
    csv_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(server_.Ok());
    server_.Serve("ken_all.zip", MakeZip({{"KEN_ALL.CSV", *csv_}}));
  }
  PreparedRebuild Download(const QStringList& paths, int timeoutSeconds = 20) {
    QStringList urls;
    for (const QString& path : paths) urls << (path.contains("://") ? path : server_.Url(path));
    NationalDownload download(urls, timeoutSeconds);
    return WaitForDownload(download);
  }
  static QByteArray Entries(const PreparedRebuild& prepared) { return prepared.image.entry + prepared.image.index; }
  static QString Message(const PreparedRebuild& prepared) { return FailureMessage(prepared.failure); }
  // Each address tried and the kind of its fault, in order; empty unless the whole
  // download failed.
  using Attempt = std::pair<QString, UpdateStatus::Kind>;
  static std::vector<Attempt> Attempts(const PreparedRebuild& prepared) {
    std::vector<Attempt> attempts;
    if (prepared.failure.kind != UpdateStatus::kDownloadFailed) return attempts;
    for (const UpdateStatus& a : prepared.failure.attempts) attempts.emplace_back(a.url, a.kind);
    return attempts;
  }

  static QByteArray* csv_;
  HttpFixture server_;
};
QByteArray* NationalDownloadTest::csv_ = nullptr;

TEST_F(NationalDownloadTest, BothEditionsBuildWhatTheUnpackedCsvBuilds) {
  const DataImage expected = BuildDataImage(*csv_).image;
  server_.Serve("utf_ken_all.zip", MakeZip({{"utf_ken_all.csv", MakeKenAll(1500, 5, false, {"--encoding", "utf8"})}}));
  for (const char* path : {"ken_all.zip", "utf_ken_all.zip"}) {
    const PreparedRebuild got = Download({path});
    ASSERT_TRUE(got.ok) << Message(got).toStdString();
    EXPECT_EQ(got.image.pref, expected.pref) << path;
    EXPECT_EQ(got.image.city, expected.city) << path;
    EXPECT_EQ(got.image.entry, expected.entry) << path;
    EXPECT_EQ(got.image.index, expected.index) << path;
  }
}

TEST_F(NationalDownloadTest, SendsTheDownloadPageAsReferrerAndFollowsRedirects) {
  const PreparedRebuild got = Download({"redirect/3/ken_all.zip"});
  ASSERT_TRUE(got.ok) << Message(got).toStdString();
  for (const char* path : {"/redirect/3/ken_all.zip", "/redirect/2/ken_all.zip", "/redirect/1/ken_all.zip", "/ken_all.zip"})
    EXPECT_TRUE(server_.Paths().contains(path)) << path;
  const QStringList referers = server_.Referers();
  EXPECT_EQ(referers.count(kDownloadPageUrl), referers.size());
}

TEST_F(NationalDownloadTest, TakesTheFirstAddressThatGivesANationalZip) {
  const PreparedRebuild got = Download({"status/404", "status/200", "ken_all.zip", "never-asked.zip"});
  ASSERT_TRUE(got.ok) << Message(got).toStdString();
  EXPECT_EQ(Entries(got), Entries({true, {}, BuildDataImage(*csv_).image}));
  EXPECT_FALSE(server_.Paths().contains("/never-asked.zip"));
}

class NationalDownloadRefusal : public NationalDownloadTest, public ::testing::WithParamInterface<BadAnswer> {
 protected:
  void SetUp() override {
    NationalDownloadTest::SetUp();
    server_.ServeBadArchives(*csv_);
    server_.Serve("wrong.zip", MakeZip({{"KEN_ALL.CSV", "a,b,c\r\n"}}));
  }
};

TEST_P(NationalDownloadRefusal, NamesItsCause) {
  const PreparedRebuild got = Download({GetParam().path});
  EXPECT_FALSE(got.ok);
  const QString start = QStringLiteral("ダウンロードできませんでした。「%1」: ").arg(server_.Url(GetParam().path));
  EXPECT_TRUE(Message(got).startsWith(start + U(GetParam().cause))) << Message(got).toStdString();
  EXPECT_EQ(got.image.entry, QByteArray());
}

INSTANTIATE_TEST_SUITE_P(
    EveryBadAnswer, NationalDownloadRefusal,
    ::testing::ValuesIn(BadAnswersAnd(
        {{"server error", "status/500", "サーバーの応答が HTTP 500 でした"},
         {"not the national format", "wrong.zip",
          "「wrong.zip」の「KEN_ALL.CSV」の 1 行目: 値が 3 個あります（15 個のはずです）"},
         {"too many redirects", "redirect/11/ken_all.zip", "転送（リダイレクト）が多すぎます"}})),
    CaseName());

TEST_F(NationalDownloadTest, ReasonsOfAllAddressesComeInOrder) {
  const PreparedRebuild got = Download({"status/404", "status/200"});
  EXPECT_EQ(Attempts(got), (std::vector<Attempt>{{server_.Url("status/404"), UpdateStatus::kHttpStatus},
                                                 {server_.Url("status/200"), UpdateStatus::kNotZip}}));
  EXPECT_EQ(got.failure.attempts.front().number, 404);
}

TEST_F(NationalDownloadTest, NoServerAndNoWebAddressAreRefused) {
  // Port 1 on the loopback is not listened on here.
  const PreparedRebuild refused = Download({"http://127.0.0.1:1/ken_all.zip"});
  EXPECT_TRUE(Message(refused).startsWith("ダウンロードできませんでした。「http://127.0.0.1:1/ken_all.zip」: ネットワークに接続できません（"))
      << Message(refused).toStdString();
  for (const char* url : {"ftp://127.0.0.1/ken_all.zip", "file:///etc/hostname", "ken_all.zip"}) {
    NationalDownload download({url}, 5);
    const PreparedRebuild got = WaitForDownload(download);
    EXPECT_EQ(Attempts(got), (std::vector<Attempt>{{url, UpdateStatus::kNotWebAddress}}));
  }
}

TEST_F(NationalDownloadTest, SilentServerEndsTheWholeRunAtTheTimeout) {
  const PreparedRebuild got = Download({"silent/x", "ken_all.zip"}, 2);
  EXPECT_EQ(Attempts(got), (std::vector<Attempt>{{server_.Url("silent/x"), UpdateStatus::kDownloadTimedOut}}));
  EXPECT_EQ(got.failure.attempts.front().number, 2);
  EXPECT_FALSE(server_.Paths().contains("/ken_all.zip"));  // the timeout covers the run, not one address
}

TEST_F(NationalDownloadTest, CancelMidTransferStopsEverything) {
  QByteArray big(1 << 20, '\0');
  for (qsizetype i = 0; i < big.size(); ++i) big[i] = char(i * 7919 >> 3);
  server_.Serve("big.zip", big);  // only its first 64 KB ever come
  NationalDownload download({server_.Url("trickle/big.zip"), server_.Url("ken_all.zip")}, 30);
  qint64 seen = 0, announced = 0;
  QObject::connect(&download, &NationalDownload::Progress, [&](qint64 received, qint64 total) {
    seen = received;
    announced = total;
    if (received > 0) download.Cancel();
  });
  const PreparedRebuild got = WaitForDownload(download);
  EXPECT_GT(seen, 0);
  EXPECT_EQ(announced, ReadBytes(server_.Root().File("big.zip")).size());
  EXPECT_EQ(Attempts(got).back().second, UpdateStatus::kDownloadCancelled);
  EXPECT_FALSE(download.IsRunning());
}

TEST_F(NationalDownloadTest, CancelBeforeTheFirstRequestFinishesAtOnce) {
  NationalDownload download({server_.Url("ken_all.zip")}, 30);
  bool finished = false;
  QObject::connect(&download, &NationalDownload::Finished, [&] { finished = true; });
  download.Start();
  EXPECT_FALSE(finished);  // never inside Start
  download.Cancel();
  EXPECT_TRUE(finished);
  EXPECT_EQ(Attempts(download.Result()), (std::vector<Attempt>{{QString(), UpdateStatus::kDownloadCancelled}}));
  QCoreApplication::processEvents();
  EXPECT_TRUE(server_.Paths().isEmpty());
}

TEST(DownloadProgressText, GroupsDigitsAndLeavesOutAnUnknownTotal) {
  EXPECT_EQ(DownloadProgressText(0, -1), QString("受信 0 バイト"));
  EXPECT_EQ(DownloadProgressText(1234567, -1), QString("受信 1,234,567 バイト"));
  EXPECT_EQ(DownloadProgressText(999, 2100000), QString("受信 999 / 2,100,000 バイト"));
}

}  // namespace

}  // namespace mirabo

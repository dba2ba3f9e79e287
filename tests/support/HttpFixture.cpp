// Starting and stopping the fixture server: its port comes as the first line it prints.
#include "support/HttpFixture.h"

#include "support/TestPaths.h"
#include "support/ZipMaker.h"
#include "update/national/ZipMember.h"

namespace mirabo {

HttpFixture::HttpFixture() {
  process_.start(QStringLiteral("python3"), {HttpFixtureScript(), root_.Path(), "--lifetime", "240"});
  if (!process_.waitForStarted(10000)) return;
  // The server prints "PORT n" once it listens.
  QByteArray line;
  for (int i = 0; i < 100 && !line.endsWith('\n'); ++i) {
    if (!process_.canReadLine()) process_.waitForReadyRead(100);
    if (process_.canReadLine()) line = process_.readLine();
  }
  if (line.startsWith("PORT ")) port_ = line.mid(5).trimmed().toInt();
}

HttpFixture::~HttpFixture() {
  // Closing its input ends the server; a server that does not end is stopped.
  process_.closeWriteChannel();
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}

void HttpFixture::Serve(const QString& name, const QByteArray& bytes) const { WriteBytes(root_.File(name), bytes); }

void HttpFixture::ServeBadArchives(const QByteArray& csv) const {
  const QByteArray zip = MakeZip({{"KEN_ALL.CSV", csv}});
  Serve("truncated.zip", zip.left(zip.size() / 2));
  Serve("nocsv.zip", MakeZip({{"readme.txt", "x"}}));
  Serve("twocsv.zip", MakeZip({{"a.csv", csv}, {"b.csv", csv}}));
  Serve("bomb.zip", MakeZipBomb("KEN_ALL.CSV", kMaxZipMemberBytes + 1));
}

QString HttpFixture::Url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1/%2").arg(port_).arg(path); }

QStringList HttpFixture::Column(int column) const {
  QStringList values;
  for (const QByteArray& line : ReadBytes(root_.File("requests.log")).split('\n'))
    if (!line.isEmpty()) values << QString::fromUtf8(line).section(u'\t', column, column);
  return values;
}

QStringList HttpFixture::Paths() const { return Column(0); }
QStringList HttpFixture::Referers() const { return Column(1); }

std::vector<BadAnswer> BadAnswersAnd(const std::vector<BadAnswer>& more) {
  std::vector<BadAnswer> answers = {
      {"not found", "status/404", "サーバーの応答が HTTP 404 でした"},
      {"not a ZIP", "status/200", "受信したファイルは ZIP ではありません"},
      {"truncated ZIP", "truncated.zip", "「truncated.zip」: ZIP ファイルが壊れています（"},
      {"no CSV", "nocsv.zip", "「nocsv.zip」: ZIP の中に CSV ファイルがありません"},
      {"two CSVs", "twocsv.zip", "「twocsv.zip」: ZIP の中に CSV ファイルが 2 個以上あります（「a.csv」と「b.csv」）"},
      {"ZIP bomb", "bomb.zip", "「bomb.zip」: ZIP の中の「KEN_ALL.CSV」は展開すると 200 MB を超えます"},
  };
  answers.insert(answers.end(), more.begin(), more.end());
  return answers;
}

}  // namespace mirabo

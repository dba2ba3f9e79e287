// mirabo-cli code - with 10,000 codes and address - with 1,000 texts on standard input,
// start to finish. The address batch must stay within 3 s on national-scale data.
#include <benchmark/benchmark.h>

#include <QFileInfo>

#include "CheckListData.h"
#include "SearchBenchData.h"

namespace {

QString cliPath;  // next to the bench folder in the build tree, or $MIRABO_CLI

// 10,000 lines as a user would type them: seven digits, every third with the hyphen,
// every fifth in full-width digits, codes spread over the whole index.
QString WriteCodes() {
  const QString folder = NationalData::Get().Folder();
  DataSet data;
  data.OpenDataFiles(folder);
  QString text;
  for (int i = 0; i < 10000; ++i) {
    data.ReadIndex(qint32(1 + qint64(i) * 7919 % data.IndexCount));
    QString code = data.IndexRec.Code.left(7);
    if (i % 3 == 0) code.insert(3, u'-');
    if (i % 5 == 0)
      for (QChar& c : code) c = QChar(char16_t(c.unicode() + 0xFEE0));
    text += code + u'\n';
  }
  const QString path = folder + "codes.txt";
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
  return path;
}

void BM_CliCodeBatch(benchmark::State& state) {
  static const QString codes = WriteCodes();
  for (auto _ : state) {
    QProcess cli;
    cli.setStandardInputFile(codes);
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(cliPath, {"--data", NationalData::Get().Folder(), "code", "-"});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
      state.SkipWithError(qPrintable("mirabo-cli failed: " + cli.readAllStandardError().left(200)));
  }
}
BENCHMARK(BM_CliCodeBatch)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->UseRealTime()
    ->ReportAggregatesOnly(true);

// 1,000 address texts: the city of an entry and the start of its town, from entries
// spread over the whole file, so that every search scans all entries.
QString WriteAddresses() {
  const QString folder = NationalData::Get().Folder();
  DataSet data;
  data.OpenDataFiles(folder);
  QString text;
  for (int i = 0; i < 1000; ++i) {
    data.ReadEntry(qint32(1 + qint64(i) * 7919 % data.EntryCount));
    text += data.EntryRec.City.trimmed() + data.EntryRec.Town.trimmed().left(2) + u'\n';
  }
  const QString path = folder + "addresses.txt";
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
  return path;
}

void BM_CliAddressBatch(benchmark::State& state) {
  static const QString addresses = WriteAddresses();
  for (auto _ : state) {
    QProcess cli;
    cli.setStandardInputFile(addresses);
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.setStandardErrorFile(QProcess::nullDevice());  // the too-many message of wide texts
    cli.start(cliPath, {"--data", NationalData::Get().Folder(), "address", "-"});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) state.SkipWithError("mirabo-cli address - failed");
  }
}
BENCHMARK(BM_CliAddressBatch)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime()
    ->ReportAggregatesOnly(true);

// mirabo-cli check of a 10,000-row list, start to finish: reading the data set, building
// the address reader and checking every row. It must stay within 1 s.
void BM_CliCheck10000Rows(benchmark::State& state) {
  static const QString list = [] {
    DataSet data;
    data.OpenDataFiles(NationalData::Get().Folder());
    const QString path = NationalData::Get().Folder() + "list.tsv";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(ListText(data).toUtf8());
    return path;
  }();
  for (auto _ : state) {
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(cliPath, {"--data", NationalData::Get().Folder(), "check", list});
    // Status 1: the list holds rows that are not ok, as it should.
    if (!cli.waitForFinished(60000) || cli.exitCode() != 1)
      state.SkipWithError(qPrintable("mirabo-cli check failed: " + cli.readAllStandardError().left(200)));
  }
}
BENCHMARK(BM_CliCheck10000Rows)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->UseRealTime()
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  const QByteArray fromEnv = qgetenv("MIRABO_CLI");
  cliPath = !fromEnv.isEmpty() ? QString::fromLocal8Bit(fromEnv)
                               : QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath() + "/../mirabo-cli";
  if (!QFileInfo(cliPath).isExecutable()) {
    std::fprintf(stderr, "mirabo-cli not found at %s (build it, or set MIRABO_CLI)\n", qPrintable(cliPath));
    return 2;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

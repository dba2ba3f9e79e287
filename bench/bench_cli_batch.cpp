// mirabo-cli on national-scale data, start to finish: code - with 10,000 codes, address -
// with 40 texts, with 1,000 texts and with 1,000 short texts that list about 197,000
// lines (27 MB), and the rebuild from the national file. The 1,000-text batch must stay
// within 3 s, the short-text one within 0.5 s; scripts/compare-sqlite sets the rest
// against sqlite3.
#include <benchmark/benchmark.h>

#include <QFileInfo>

#include "CheckListData.h"
#include "SearchBenchData.h"

namespace mirabo {

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

// Address texts from entries spread over the whole file: the city of an entry and the
// start of its town, or (`wide`) the town's first two characters, every 30th only the
// first, which together list about 197,000 lines.
QString WriteAddresses(int count, bool wide) {
  const QString folder = NationalData::Get().Folder();
  DataSet data;
  data.OpenDataFiles(folder);
  QString text;
  for (int i = 0; i < count; ++i) {
    data.ReadEntry(qint32(1 + qint64(i) * 7919 % data.EntryCount));
    const QString town = data.EntryRec.Town.trimmed();
    text += wide ? town.left(i % 30 == 0 ? 1 : 2) : data.EntryRec.City.trimmed() + town.left(2);
    text += u'\n';
  }
  const QString path = folder + QStringLiteral("addresses-%1%2.txt").arg(count).arg(wide ? "-wide" : "");
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
  return path;
}

void RunAddressBatch(benchmark::State& state, const QString& addresses) {
  for (auto _ : state) {
    QProcess cli;
    cli.setStandardInputFile(addresses);
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.setStandardErrorFile(QProcess::nullDevice());  // the too-many message of wide texts
    cli.start(cliPath, {"--data", NationalData::Get().Folder(), "address", "-"});
    if (!cli.waitForFinished(60000) || cli.exitCode() > 1) state.SkipWithError("mirabo-cli address - failed");
  }
}

void BM_CliAddress40(benchmark::State& state) { RunAddressBatch(state, WriteAddresses(40, false)); }
BENCHMARK(BM_CliAddress40)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->UseRealTime()
    ->ReportAggregatesOnly(true);

void BM_CliAddressBatch(benchmark::State& state) { RunAddressBatch(state, WriteAddresses(1000, false)); }
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

void BM_CliAddressWide(benchmark::State& state) { RunAddressBatch(state, WriteAddresses(1000, true)); }
BENCHMARK(BM_CliAddressWide)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime()
    ->ReportAggregatesOnly(true);

// The rebuild as the user runs it, in a folder of its own that holds a copy of the
// national file; from the second run on with the previous data there, as a real update.
void BM_CliRebuild(benchmark::State& state) {
  QTemporaryDir dir;
  const QString folder = dir.path() + u'/';
  QFile::copy(NationalData::Get().Folder() + "KEN_ALL.CSV", folder + "KEN_ALL.CSV");
  for (auto _ : state) {
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(cliPath, {"--data", folder, "rebuild"});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) state.SkipWithError("mirabo-cli rebuild failed");
  }
}
BENCHMARK(BM_CliRebuild)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->UseRealTime()
    ->ReportAggregatesOnly(true);

}  // namespace

}  // namespace mirabo

int main(int argc, char** argv) {
  const QByteArray fromEnv = qgetenv("MIRABO_CLI");
  mirabo::cliPath = !fromEnv.isEmpty() ? QString::fromLocal8Bit(fromEnv)
                               : QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath() + "/../mirabo-cli";
  if (!QFileInfo(mirabo::cliPath).isExecutable()) {
    std::fprintf(stderr, "mirabo-cli not found at %s (build it, or set MIRABO_CLI)\n", qPrintable(mirabo::cliPath));
    return 2;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

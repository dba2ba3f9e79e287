// The rebuild on a national-size file (124,000 rows): whole, and split into reading,
// sorting the code index and writing the files. Peak memory is reported as well.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include "data/DataSet.h"
#include "platform/Platform.h"
#include "update/CodeIndex.h"
#include "update/DataFileBuilder.h"
#include "update/DataFileInstall.h"
#include "update/Rebuild.h"
#include "SilentPlatform.h"

namespace {

// A folder holding a national-size KEN_ALL.CSV, made once for all benchmarks.
struct Fixture {
  QTemporaryDir dir;
  QString folder = dir.path() + u'/';
  QString csv = folder + QStringLiteral("KEN_ALL.CSV");
  SilentPlatform platform;

  Fixture() {
    QProcess python;
    python.start("python3", {QStringLiteral(MIRABO_MAKE_KEN_ALL), "--rows", "124000", "--seed", "1", "--out", csv});
    python.waitForFinished(300000);
  }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

void BM_WholeRebuild(benchmark::State& state) {
  Fixture& f = TheFixture();
  for (auto _ : state) {
    const RebuildOutcome outcome = RebuildDataFiles(f.folder, f.csv, f.platform);
    if (!outcome.ok || outcome.indexCount != 124000) state.SkipWithError("rebuild failed");
  }
  state.counters["peak_rss_MB"] = PeakMegabytes();
}

// Reading: the file in one piece, rows checked and decoded, records built in memory.
void BM_Reading(benchmark::State& state) {
  Fixture& f = TheFixture();
  for (auto _ : state) {
    const QByteArray csv = ReadFile(f.csv);
    KenAllReader reader(csv);
    DataFileBuilder builder;
    KenAllRow row;
    while (reader.Next(row)) builder.AddRow(row);
    benchmark::DoNotOptimize(builder.Finish());
  }
}

// Sorting: keys made from the entry file, sorted, index records encoded.
void BM_Sorting(benchmark::State& state) {
  Fixture& f = TheFixture();
  const QByteArray entries = ReadFile(f.folder + datafile::Entry);
  for (auto _ : state) benchmark::DoNotOptimize(BuildCodeIndex(entries));
}

// Writing: the four files to disk and swapped in place of the old ones.
void BM_Writing(benchmark::State& state) {
  Fixture& f = TheFixture();
  DataImage image;
  image.pref = ReadFile(f.folder + datafile::Pref);
  image.city = ReadFile(f.folder + datafile::City);
  image.entry = ReadFile(f.folder + datafile::Entry);
  image.index = ReadFile(f.folder + datafile::Index);
  for (auto _ : state) {
    if (!InstallDataImage(image, f.folder, f.platform, {}).isEmpty()) state.SkipWithError("write failed");
  }
}

// The whole rebuild runs first, so its peak memory is not raised by the others.
BENCHMARK(BM_WholeRebuild)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Reading)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Sorting)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Writing)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

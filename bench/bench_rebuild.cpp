// The rebuild on a national-size file (124,000 rows): whole, and split into reading,
// sorting the code index and writing the files. Peak memory is reported as well.
// The whole rebuild runs with and without the change report, alternating between two
// editions that differ by 100 removals, 80 additions and 20 renames; the report is
// checked against the generator's own list of those changes.
#include <benchmark/benchmark.h>

#include <string>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include "data/DataSet.h"
#include "platform/Platform.h"
#include "update/changes/ChangeReport.h"
#include "update/CodeIndex.h"
#include "update/DataFileBuilder.h"
#include "update/store/DataFileInstall.h"
#include "update/Rebuild.h"
#include "SilentPlatform.h"

namespace mirabo {

namespace {

// A folder holding a national-size KEN_ALL.CSV, made once for all benchmarks.
struct Fixture {
  QTemporaryDir dir;
  QString folder = dir.path() + u'/';
  QString csv = folder + QStringLiteral("KEN_ALL.CSV");
  QString later = folder + QStringLiteral("LATER.CSV");
  QByteArray laterChanges;  // the generator's list: "廃止|追加 TAB code TAB pref TAB city TAB town"
  SilentPlatform platform;

  Fixture() {
    QProcess python;
    python.start("python3", {QStringLiteral(MIRABO_MAKE_KEN_ALL), "--rows", "124000", "--seed", "1", "--out", csv});
    python.waitForFinished(300000);
    python.start("python3", {QStringLiteral(MIRABO_MAKE_KEN_ALL), "--rows", "124000", "--seed", "1", "--drop", "100",
                             "--add", "80", "--rename", "20", "--out", later});
    python.waitForFinished(300000);
    laterChanges = python.readAllStandardError();
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

QStringList SortedLines(const QByteArray& text) {
  QStringList lines = QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts);
  lines.sort();
  return lines;
}

// The report after going from the first edition to the later one lists exactly the
// generator's changes (in another order).
bool ReportIsExact(Fixture& f) {
  if (!RebuildDataFiles(f.folder, f.csv, {.files = &f.platform.Files()}).ok) return false;
  const RebuildOutcome outcome = RebuildDataFiles(f.folder, f.later, {.files = &f.platform.Files()});
  if (!outcome.ok || outcome.changes.added != 100 || outcome.changes.removed != 120) return false;
  QStringList report = SortedLines(ReadFile(f.folder + QLatin1String(kChangeReportName)));
  report.removeAll(kChangeReportHeader);
  return report == SortedLines(f.laterChanges);
}

// The rebuild as the button runs it, change report included.
void BM_WholeRebuild(benchmark::State& state) {
  Fixture& f = TheFixture();
  if (!ReportIsExact(f)) state.SkipWithError("change report differs from the generator's list");
  bool later = false;
  for (auto _ : state) {
    later = !later;
    const RebuildOutcome outcome = RebuildDataFiles(f.folder, later ? f.later : f.csv, {.files = &f.platform.Files()});
    if (!outcome.ok || !outcome.changes.compared) state.SkipWithError("rebuild failed");
  }
  state.counters["peak_rss_MB"] = PeakMegabytes();
}

// The same steps without the comparison: read, build, install.
void BM_WholeRebuildWithoutComparison(benchmark::State& state) {
  Fixture& f = TheFixture();
  bool later = false;
  for (auto _ : state) {
    later = !later;
    const DataImageBuild build = BuildDataImage(ReadFile(later ? f.later : f.csv));
    if (!build.fault.ok() || !InstallDataImage(build.image, f.folder, f.platform.Files()).ok())
      state.SkipWithError("rebuild failed");
  }
}

// The comparison and the report alone, on the two editions' entry files.
void BM_ChangeReport(benchmark::State& state) {
  Fixture& f = TheFixture();
  const QByteArray entries = BuildDataImage(ReadFile(f.csv)).image.entry;
  const PreviousEntries before(std::string(entries.constData(), size_t(entries.size())));
  const QByteArray after = BuildDataImage(ReadFile(f.later)).image.entry;
  for (auto _ : state) {
    const ChangeSummary summary = ReportChanges(f.folder, before, after, f.platform.Files());
    if (summary.added != 100) state.SkipWithError("wrong comparison");
  }
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
    if (!InstallDataImage(image, f.folder, f.platform.Files()).ok()) state.SkipWithError("write failed");
  }
}

// The whole rebuild runs first, so its peak memory is not raised by the others.
BENCHMARK(BM_WholeRebuild)->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeRebuildWithoutComparison)->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_ChangeReport)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Reading)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Sorting)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Writing)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

}  // namespace mirabo

BENCHMARK_MAIN();

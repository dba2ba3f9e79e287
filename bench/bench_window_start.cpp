// The window start as a whole process, to the first paint: the main window over the
// national-scale data, and an empty Qt window as the baseline it is held to (at most
// 1.10 times as long). Both run window_start_probe from the bench folder.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>

#include "SearchBenchData.h"

namespace mirabo {

namespace {

QString probePath;  // next to this program in the bench folder

void RunProbe(benchmark::State& state, const QString& argument) {
  for (auto _ : state) {
    QProcess probe;
    probe.setStandardOutputFile(QProcess::nullDevice());
    probe.setStandardErrorFile(QProcess::nullDevice());
    probe.start(probePath, {argument});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0) state.SkipWithError("window_start_probe failed");
  }
}

void BM_WindowStartBare(benchmark::State& state) { RunProbe(state, QStringLiteral("--bare")); }
void BM_WindowStartNational(benchmark::State& state) { RunProbe(state, NationalData::Get().Folder()); }
BENCHMARK(BM_WindowStartBare)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)->UseRealTime()
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WindowStartNational)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)->UseRealTime()
    ->ReportAggregatesOnly(true);

}  // namespace

}  // namespace mirabo

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // QProcess wants one
  mirabo::probePath = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath() + "/window_start_probe";
  if (!QFileInfo(mirabo::probePath).isExecutable()) {
    std::fprintf(stderr, "window_start_probe not found at %s\n", qPrintable(mirabo::probePath));
    return 2;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

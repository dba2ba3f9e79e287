// The window start of a whole process, to its first paint: the main window over the
// national-scale data, and an empty Qt window as the baseline it is held to (at most
// 1.10 times as long). Both run window_start_probe from the bench folder.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include "SearchBenchData.h"

namespace mirabo {

namespace {

QString probePath;  // next to this program in the bench folder

// From the probe's start to its "shown" line, written once the first paint has reached
// the display; the probe's exit is waited for but not timed.
void RunProbe(benchmark::State& state, const QString& argument) {
  for (auto _ : state) {
    QProcess probe;
    probe.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    probe.start(probePath, {argument});
    while (!probe.canReadLine() && probe.waitForReadyRead(30000)) {
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    const bool shown = probe.readLine() == "shown\n";
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0 || !shown) {
      state.SkipWithError("window_start_probe failed");
      return;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_WindowStartBare(benchmark::State& state) { RunProbe(state, QStringLiteral("--bare")); }
void BM_WindowStartNational(benchmark::State& state) { RunProbe(state, NationalData::Get().Folder()); }
BENCHMARK(BM_WindowStartBare)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)->UseManualTime()
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WindowStartNational)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)->UseManualTime()
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

// The window listing 2000 search results, letting pending events run after every line.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include "SearchBenchData.h"
#include "window/ExtentList.h"
#include "window/QtPlatform.h"
#include "window/frmMirabo.h"

namespace mirabo {

namespace {

// The real platform, except that the too-many message is dismissed at once.
class BenchPlatform : public QtPlatform {
 public:
  void MessageBox(const QString&, const QString&) override {}
  void Beep() override {}
};

void BM_WindowListsTheLimit(benchmark::State& state) {
  BenchPlatform platform;
  frmMirabo window(platform, NationalData::Get().Folder());
  platform.SetMainWindow(&window);
  if (!qEnvironmentVariableIsSet("BENCH_HIDDEN")) window.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    window.Text1->setText(QStringLiteral("0"));
    window.Command2_Click();
    if (window.List3->count() != 2001) state.SkipWithError("expected 2000 lines and the count line");
  }
}
BENCHMARK(BM_WindowListsTheLimit)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

}  // namespace mirabo

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

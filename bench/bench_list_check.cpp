// Checking a 10,000-row address list against a national-scale data set, in the core.
#include <benchmark/benchmark.h>

#include "CheckListData.h"
#include "SearchBenchData.h"
#include "listcheck/CheckList.h"
#include "listcheck/ListCheck.h"

namespace mirabo {

namespace {

const AddressReader& BuiltReader() {
  static const AddressReader reader(OpenedData());
  return reader;
}

// The rows alone, with the reader already built: what every further check costs.
void BM_CheckList10000Rows(benchmark::State& state) {
  const QString text = ListText(OpenedData());
  const AddressReader& reader = BuiltReader();
  int ok = 0;
  for (auto _ : state) {
    CheckList list;
    list.SetText(text);
    list.CheckNext(reader, kRows);
    ok = list.Count(Verdict::Ok);
  }
  state.counters["ok rows"] = ok;
  state.counters["rows"] = kRows;
}
BENCHMARK(BM_CheckList10000Rows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Building the reader from the entry file: once per data set.
void BM_BuildAddressReader(benchmark::State& state) {
  DataSet& data = OpenedData();
  for (auto _ : state) {
    const AddressReader reader(data);
    benchmark::DoNotOptimize(reader.EntryCount());
  }
}
BENCHMARK(BM_BuildAddressReader)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// A first check on a freshly opened data set, as `mirabo-cli check` runs it: build, then 10,000 rows.
void BM_FirstCheck10000Rows(benchmark::State& state) {
  DataSet& data = OpenedData();
  const QString text = ListText(data);
  for (auto _ : state) {
    const AddressReader reader(data);
    CheckList list;
    list.SetText(text);
    list.CheckNext(reader, kRows);
    benchmark::DoNotOptimize(list.Count(Verdict::Ok));
  }
}
BENCHMARK(BM_FirstCheck10000Rows)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// One written address read with the reader built: house number, building and room after
// the town, no prefecture, a county left out in some, spread over the whole data set.
void BM_ReadOneAddress(benchmark::State& state) {
  const QStringList addresses = ListText(OpenedData()).split(u'\n', Qt::SkipEmptyParts);
  const AddressReader& reader = BuiltReader();
  qsizetype next = 0, found = 0;
  for (auto _ : state) {
    const QString& row = addresses[next++ % addresses.size()];
    found += reader.Read(row.mid(row.indexOf(u'\t') + 1)).size();
  }
  benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_ReadOneAddress)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

}  // namespace mirabo

BENCHMARK_MAIN();

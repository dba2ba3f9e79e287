// Checking a 10,000-row address list against a national-scale data set, in the core.
#include <benchmark/benchmark.h>

#include "SearchBenchData.h"
#include "data/TextFitting.h"
#include "listcheck/CheckList.h"
#include "listcheck/ListCheck.h"
#include "address/AddressText.h"
#include "listcheck/ListCheckText.h"

namespace {

constexpr int kRows = 10000;

// Rows spread over the whole data set, written the ways people write them: most
// correct, some without the prefecture or the county, some with a neighbour's
// code, an unknown town or a code that lost its leading zero.
QString ListText(DataSet& data) {
  QString text;
  for (int i = 0; i < kRows; ++i) {
    const qint32 n = qint32(1 + qint64(i) * (data.EntryCount - 1) / (kRows - 1));
    data.ReadEntry(n);
    const QString pref = CleanField(data.EntryRec.Pref), city = CleanField(data.EntryRec.City);
    const QString town = CleanTownForMatch(CleanField(data.EntryRec.Town));
    QString code = HyphenatedCode(CleanField(data.EntryRec.Code));
    QString address = pref + city + town + QStringLiteral("１丁目２－３");
    switch (i % 10) {
      case 1: address = city + town + QStringLiteral(" 5-6"); break;
      case 2: if (!CityWithoutCounty(city).isEmpty()) address = pref + CityWithoutCounty(city) + town; break;
      case 3: data.ReadEntry(n > 1 ? n - 1 : n + 1), code = CleanField(data.EntryRec.Code); break;
      case 4: address = pref + city + QStringLiteral("存在しない町1"); break;
      case 5: code = code.mid(1); break;
      default: break;
    }
    text += code + u'\t' + address + u'\n';
  }
  return text;
}

const CityLookup& BuiltLookup() {
  static const CityLookup lookup(OpenedData());
  return lookup;
}

// The rows alone, with the lookup already built: what every further check costs.
void BM_CheckList10000Rows(benchmark::State& state) {
  const QString text = ListText(OpenedData());
  const CityLookup& lookup = BuiltLookup();
  int ok = 0;
  for (auto _ : state) {
    CheckList list;
    list.SetText(text);
    list.CheckNext(lookup, kRows);
    ok = list.Count(Verdict::Ok);
  }
  state.counters["ok rows"] = ok;
  state.counters["rows"] = kRows;
}
BENCHMARK(BM_CheckList10000Rows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Building the lookup from the entry file: once per data set.
void BM_BuildCityLookup(benchmark::State& state) {
  DataSet& data = OpenedData();
  for (auto _ : state) {
    const CityLookup lookup(data);
    benchmark::DoNotOptimize(lookup.EntryCount());
  }
}
BENCHMARK(BM_BuildCityLookup)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// A first check on a freshly opened data set, as `mirabo-cli check` runs it: build, then 10,000 rows.
void BM_FirstCheck10000Rows(benchmark::State& state) {
  DataSet& data = OpenedData();
  const QString text = ListText(data);
  for (auto _ : state) {
    const CityLookup lookup(data);
    CheckList list;
    list.SetText(text);
    list.CheckNext(lookup, kRows);
    benchmark::DoNotOptimize(list.Count(Verdict::Ok));
  }
}
BENCHMARK(BM_FirstCheck10000Rows)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

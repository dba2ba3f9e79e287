// Search by postcode and by address text over a national-scale data set, in the core.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include "SearchBenchData.h"
#include "lookup/AddressSearch.h"
#include "lookup/CodeSearch.h"

namespace mirabo {

namespace {

class NullSink : public SearchSink {
 public:
  int lines = 0;
  void AddLine(const QString& line, const EntryRecord&, qint32) override {
    benchmark::DoNotOptimize(line.constData());
    ++lines;
  }
  void Yield() override {}
  void TooMany() override {}
};

// Seven-digit codes spread over the whole index.
QStringList SampleCodes(DataSet& data, int count) {
  QStringList codes;
  for (int i = 0; i < count; ++i) {
    data.ReadIndex(qint32(1 + qint64(i) * (data.IndexCount - 1) / (count - 1)));
    codes << data.IndexRec.Code.left(7);
  }
  return codes;
}

void BM_CodeSearch(benchmark::State& state) {
  DataSet& data = OpenedData();
  const QStringList codes = SampleCodes(data, 1000);
  qsizetype i = 0;
  int lines = 0;
  for (auto _ : state) {
    NullSink sink;
    const CodeSearchResult result = SearchCode(data, codes[i++ % codes.size()], sink);
    if (!result.found) state.SkipWithError("a code from the index was not found");
    lines += sink.lines;
  }
  state.counters["lines/search"] = benchmark::Counter(lines, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CodeSearch)->Repetitions(7)->ReportAggregatesOnly(true);

int CountMatches(DataSet& data, const QString& key) {
  NullSink sink;
  return ListAddressMatches(data, key, sink).lineCount;
}

// A two-character key that lists a few hundred entries (200 to 600).
QString FewHundredKey(DataSet& data) {
  for (qint32 n = 1; n <= data.EntryCount; n += 37) {
    data.ReadEntry(n);
    const QString town = data.EntryRec.Town.trimmed();
    for (qsizetype k = 0; k + 2 <= town.size(); ++k) {
      const QString key = town.mid(k, 2);
      const int count = CountMatches(data, key);
      if (count >= 200 && count <= 600) return key;
    }
  }
  return {};
}

void RunAddress(benchmark::State& state, const QString& key) {
  DataSet& data = OpenedData();
  int lines = 0;
  for (auto _ : state) lines = CountMatches(data, key);
  state.counters["lines"] = lines;
}

void BM_AddressSearchFewHundred(benchmark::State& state) {
  static const QString key = FewHundredKey(OpenedData());
  if (key.isEmpty()) state.SkipWithError("no key with a few hundred matches");
  RunAddress(state, key);
}
BENCHMARK(BM_AddressSearchFewHundred)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_AddressSearchNone(benchmark::State& state) {
  RunAddress(state, QStringLiteral("該当なし町"));
}
BENCHMARK(BM_AddressSearchNone)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// The first address search after the data set opened: the texts of all entries are built.
void BM_AddressFirstSearch(benchmark::State& state) {
  DataSet& data = OpenedData();
  for (auto _ : state) {
    state.PauseTiming();
    // A one-entry data set in between makes the next search build anew.
    QTemporaryDir other;
    DataSet small;
    small.OpenDataFiles(other.path() + u'/');
    CountMatches(small, QStringLiteral("町"));
    state.ResumeTiming();
    benchmark::DoNotOptimize(CountMatches(data, QStringLiteral("該当なし町")));
  }
}
BENCHMARK(BM_AddressFirstSearch)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

}  // namespace mirabo

BENCHMARK_MAIN();

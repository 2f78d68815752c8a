// dxQuickSortList against std::sort on one million pointers, both calling the same
// comparison function through a pointer. Prints the time ratio at the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ui/core/dxCoreClasses.h"

namespace {

constexpr int kCount = 1000000;

int CompareInts(void* A, void* B) {
  const int a = *static_cast<const int*>(A);
  const int b = *static_cast<const int*>(B);
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Read through a volatile pointer so neither sort can inline the comparison.
int (*volatile gCompare)(void*, void*) = &CompareInts;

struct Data {
  std::vector<int> values;
  std::vector<void*> pointers;
  explicit Data(int AKeyRange) : values(kCount) {
    std::mt19937 rng(20240601);
    for (int& v : values) v = static_cast<int>(rng() % static_cast<unsigned>(AKeyRange));
    for (int& v : values) pointers.push_back(&v);
  }
};

const Data& RandomKeys() {
  static const Data d(1 << 30);
  return d;
}
const Data& ManyTies() {
  static const Data d(100);
  return d;
}

void BM_dxQuickSortList(benchmark::State& state, const Data& (*AData)()) {
  const Data& d = AData();
  std::vector<void*> work;
  const auto compare = gCompare;
  for (auto _ : state) {
    work = d.pointers;
    qd::dxQuickSortList(work.data(), static_cast<int32_t>(work.size()), false, compare);
    benchmark::DoNotOptimize(work.data());
  }
}

void BM_StdSort(benchmark::State& state, const Data& (*AData)()) {
  const Data& d = AData();
  std::vector<void*> work;
  const auto compare = gCompare;
  for (auto _ : state) {
    work = d.pointers;
    std::sort(work.begin(), work.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
    benchmark::DoNotOptimize(work.data());
  }
}

BENCHMARK_CAPTURE(BM_dxQuickSortList, random, &RandomKeys)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StdSort, random, &RandomKeys)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_dxQuickSortList, ties, &ManyTies)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StdSort, ties, &ManyTies)->Unit(benchmark::kMillisecond);

// Console output plus the measured time per run of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) times[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* input : {"random", "ties"}) {
    const std::string ours = std::string("BM_dxQuickSortList/") + input;
    const std::string peer = std::string("BM_StdSort/") + input;
    if (reporter.times.count(ours) && reporter.times.count(peer) && reporter.times[peer] > 0)
      std::printf("%s: dxQuickSortList / std::sort = %.2f\n", input,
                  reporter.times[ours] / reporter.times[peer]);
  }
  benchmark::Shutdown();
  return 0;
}

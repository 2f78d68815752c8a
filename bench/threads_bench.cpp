// The library's parallel merge sort against the GNU parallel mode's sort (OpenMP) on four
// million pointers, both calling the same comparison function through a pointer, with the
// sequential dxQuickSortList and std::sort for scale. Prints the time ratios at the end.
#include <benchmark/benchmark.h>
#include <parallel/algorithm>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ui/core/dxCoreClasses.h"
#include "ui/core/dxThreading.h"

namespace {

constexpr int kCount = 4 * 1024 * 1024;

int CompareInts(void* A, void* B) {
  const int a = *static_cast<const int*>(A);
  const int b = *static_cast<const int*>(B);
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Read through a volatile pointer so no sort can inline the comparison.
int (*volatile gCompare)(void*, void*) = &CompareInts;

struct Data {
  std::vector<int> values;
  std::vector<void*> pointers;
  Data() : values(kCount) {
    std::mt19937 rng(20240601);
    for (int& v : values) v = static_cast<int>(rng() & 0x3FFFFFFF);
    for (int& v : values) pointers.push_back(&v);
  }
};

const Data& Input() {
  static const Data d;
  return d;
}

void BM_dxMultithreadedSort(benchmark::State& state) {
  const Data& d = Input();
  std::vector<void*> work;
  const auto compare = gCompare;
  for (auto _ : state) {
    state.PauseTiming();
    work = d.pointers;
    state.ResumeTiming();
    qd::dxQuickSortList(work.data(), kCount, true, compare);
    benchmark::DoNotOptimize(work.data());
  }
}

void BM_GnuParallelSort(benchmark::State& state) {
  const Data& d = Input();
  std::vector<void*> work;
  const auto compare = gCompare;
  for (auto _ : state) {
    state.PauseTiming();
    work = d.pointers;
    state.ResumeTiming();
    __gnu_parallel::sort(work.begin(), work.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
    benchmark::DoNotOptimize(work.data());
  }
}

void BM_dxQuickSortListSequential(benchmark::State& state) {
  const Data& d = Input();
  std::vector<void*> work;
  const auto compare = gCompare;
  for (auto _ : state) {
    state.PauseTiming();
    work = d.pointers;
    state.ResumeTiming();
    qd::dxQuickSortList(work.data(), kCount, false, compare);
    benchmark::DoNotOptimize(work.data());
  }
}

void BM_StdSort(benchmark::State& state) {
  const Data& d = Input();
  std::vector<void*> work;
  const auto compare = gCompare;
  for (auto _ : state) {
    state.PauseTiming();
    work = d.pointers;
    state.ResumeTiming();
    std::sort(work.begin(), work.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
    benchmark::DoNotOptimize(work.data());
  }
}

BENCHMARK(BM_dxMultithreadedSort)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GnuParallelSort)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_dxQuickSortListSequential)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StdSort)->Unit(benchmark::kMillisecond)->UseRealTime();

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    // With repetitions the median (reported after the single runs) is the figure kept.
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration || r.aggregate_name == "median")
        times[r.run_name.str()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio(const char* AOurs, const char* APeer) {
    if (times.count(AOurs) && times.count(APeer) && times[APeer] > 0)
      std::printf("%s / %s = %.2f\n", AOurs, APeer, times[AOurs] / times[APeer]);
  }
};

}  // namespace

int main(int argc, char** argv) {
  qd::dxThreading::Initialize();
  std::printf("sort helper threads: %d\n", qd::dxSortHelper ? qd::dxSortHelper->ThreadCount() : 0);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("BM_dxMultithreadedSort/real_time", "BM_GnuParallelSort/real_time");
  reporter.PrintRatio("BM_dxQuickSortListSequential/real_time", "BM_StdSort/real_time");
  benchmark::Shutdown();
  qd::dxThreading::Finalize();
  return 0;
}

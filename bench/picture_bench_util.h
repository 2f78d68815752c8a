#pragma once
// Shared by the picture benchmarks: a photo-like 4000 x 3000 picture, and a console
// reporter that keeps each benchmark's median time so that ratios can be printed at the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace qd::bench {

constexpr int kWidth = 4000, kHeight = 3000;

// Gradients, a few shapes and mild noise (0xAARRGGBB, opaque), so no codec has it easy.
inline std::vector<uint32_t> MakePicture() {
  std::vector<uint32_t> px(size_t(kWidth) * kHeight);
  uint32_t seed = 12345;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int(seed >> 29) - 4;
      const double d = std::hypot(x - 2000.0, y - 1500.0);
      int r = int(128 + 100 * std::sin(x / 300.0)) + noise;
      int g = int(128 + 100 * std::cos(y / 250.0)) + noise;
      int b = (d < 900 ? 220 : 60) + noise;
      r = std::clamp(r, 0, 255), g = std::clamp(g, 0, 255), b = std::clamp(b, 0, 255);
      px[size_t(y) * kWidth + x] = 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
    }
  return px;
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // With repetitions the median is reported last and wins.
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      times_[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio(const char* what, const std::string& ours, const std::string& peer, double target) const {
    const Times a = TimeOf(ours), b = TimeOf(peer);
    if (a.Real > 0 && b.Real > 0 && b.Cpu > 0)
      std::printf("%s: ours / peer = %.3f real, %.3f CPU (target <= %.2f)\n", what, a.Real / b.Real,
                  a.Cpu / b.Cpu, target);
  }

 private:
  struct Times {
    double Real = 0, Cpu = 0;
  };
  Times TimeOf(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? Times{} : it->second;
  }
  std::map<std::string, Times> times_;
};

}  // namespace qd::bench

#pragma once
// A console reporter that also keeps each benchmark's median real time per iteration, by
// function name, so a benchmark can print the ratio of ours to the peer's at the end.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace qd::bench {

class MedianReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> medians;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
        medians[r.run_name.function_name] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace qd::bench

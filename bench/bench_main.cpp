#include <cstdio>
#include <vector>

#include "ratio_reporter.hpp"

namespace patchlore::bench {

namespace {
std::vector<std::pair<std::string, std::string>>& Comparisons() {
  static std::vector<std::pair<std::string, std::string>> comparisons;
  return comparisons;
}
}  // namespace

void CompareWith(const std::string& name, const std::string& baseline) {
  Comparisons().emplace_back(name, baseline);
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const auto& run : runs)
    if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
      medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
  ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  for (const auto& [name, baseline] : Comparisons()) {
    const auto a = medians_.find(name);
    const auto b = medians_.find(baseline);
    if (a == medians_.end() || b == medians_.end() || b->second <= 0) continue;
    std::printf("ratio %s / %s (medians) = %.3f\n", name.c_str(), baseline.c_str(), a->second / b->second);
  }
}

}  // namespace patchlore::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  patchlore::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

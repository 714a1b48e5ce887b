// Prints, after the usual table, each benchmark's median against the median
// of the baseline it names.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace patchlore::bench {

// Registers that benchmark `name` is measured against `baseline`.
void CompareWith(const std::string& name, const std::string& baseline);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  std::map<std::string, double> medians_;
};

}  // namespace patchlore::bench

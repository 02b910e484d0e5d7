#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace seedscape {

// The usual console report, which also keeps each case's time, so that a
// benchmark can print its cases side by side as ratios once all have run.
// Cases are named "CASE/VARIANT"; with repetitions the median stands for a
// case, without them its one run.
class CaseTimesReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) continue;
            const std::string& name = run.run_name.function_name;
            const std::size_t slash = name.rfind('/');
            double& time = times_[name.substr(0, slash)][name.substr(slash + 1)];
            if (median || time == 0) time = run.GetAdjustedRealTime();
        }
    }

  protected:
    // Time by case, then by variant, in the benchmark's time unit.
    const std::map<std::string, std::map<std::string, double>>& times() const { return times_; }

  private:
    std::map<std::string, std::map<std::string, double>> times_;
};

}  // namespace seedscape

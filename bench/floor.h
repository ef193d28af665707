#pragma once
// Each benchmark runs beside its floor: the least work that gives the same
// result, measured in the same run, so the ratio holds on a busy machine.
// A floor is registered under the figure's name followed by "/floor"; after
// the run every figure is printed with its floor and their ratio.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class FloorReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the median stands for the figure.
        for (const Run& r : runs) {
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (r.run_type != Run::RT_Iteration && !median) continue;
            // the name as registered, without the run's settings (fixed
            // iterations, manual time), so a figure finds its floor
            std::string name = r.run_name.function_name;
            if (!r.run_name.args.empty()) name += "/" + r.run_name.args;
            if (!median && medians_.count(name)) continue;
            if (median) medians_[name] = true;
            if (!times_.count(name)) order_.push_back(name);
            times_[name] = r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-44s %14s %14s %8s\n", "figure", "time (us)", "floor (us)", "ratio");
        for (const std::string& name : order_) {
            const auto floor = times_.find(name + "/floor");
            if (floor == times_.end()) continue;
            std::printf("%-44s %14.1f %14.1f %8.2f\n", name.c_str(), times_[name] * 1e6, floor->second * 1e6,
                        times_[name] / floor->second);
        }
    }

private:
    std::map<std::string, double> times_;  // seconds
    std::map<std::string, bool> medians_;
    std::vector<std::string> order_;
};

#define FLOOR_BENCHMARK_MAIN()                                          \
    int main(int argc, char** argv) {                                   \
        benchmark::Initialize(&argc, argv);                             \
        FloorReporter reporter;                                         \
        benchmark::RunSpecifiedBenchmarks(&reporter);                   \
        benchmark::Shutdown();                                          \
        return 0;                                                       \
    }

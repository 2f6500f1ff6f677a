// A measured run and its reference (a floor, or the usual case beside a large one) taken in turn,
// pair by pair, the reference first in every other pair, so that a shared machine whose speed
// drifts (other work starting or ending) weighs on both alike. The figures to read are medians:
// the run's and the reference's milliseconds, their ratio, and the median of the pairs' ratios.
#pragma once
#include <benchmark/benchmark.h>
#include <time.h>
#include <algorithm>
#include <string>
#include <vector>

namespace in_turn {

// One run's wall-clock and processor milliseconds; a failed run has no wall time.
struct Took {
    double wallMs = -1;
    double cpuMs = 0;

    bool Failed() const { return wallMs < 0; }
};

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

inline double Milliseconds(const timespec& from, const timespec& to)
{
    return static_cast<double>(to.tv_sec - from.tv_sec) * 1e3 + static_cast<double>(to.tv_nsec - from.tv_nsec) / 1e6;
}

// Times a call in this process: the wall clock and the processor time of every thread of it.
// A call that returns false failed.
template <typename Call>
Took TimeInProcess(Call call)
{
    timespec wall[2] {}, cpu[2] {};
    clock_gettime(CLOCK_MONOTONIC, &wall[0]);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu[0]);
    const bool done = call();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu[1]);
    clock_gettime(CLOCK_MONOTONIC, &wall[1]);
    if (!done)
        return {};
    return {Milliseconds(wall[0], wall[1]), Milliseconds(cpu[0], cpu[1])};
}

// A run whose work is done by other processes: its processor time is not this process's to take.
inline Took WallOnly(Took took)
{
    took.cpuMs = 0;
    return took;
}

class Pairs {
public:
    // Runs one pair, each side a callable returning Took; false when either side failed.
    template <typename Run, typename Reference>
    bool RunPair(Run run, Reference reference)
    {
        Took took[2];
        const bool referenceFirst = FWall.size() % 2 == 1;
        for (int turn = 0; turn < 2; ++turn) {
            const bool ofReference = (turn == 0) == referenceFirst;
            took[ofReference] = ofReference ? reference() : run();
            if (took[ofReference].Failed())
                return false;
        }
        Add(took[0], took[1]);
        return true;
    }

    void Add(const Took& run, const Took& reference)
    {
        FWall.push_back(run.wallMs);
        FReferenceWall.push_back(reference.wallMs);
        FRatio.push_back(reference.wallMs > 0 ? run.wallMs / reference.wallMs : 0);
        if (reference.cpuMs > 0)
            FCpuRatio.push_back(run.cpuMs / reference.cpuMs);
    }

    std::size_t Count() const { return FWall.size(); }
    double LastMs() const { return FWall.empty() ? 0 : FWall.back(); }
    double MedianMs() const { return Median(FWall); }
    double ReferenceMs() const { return Median(FReferenceWall); }

    // The counters, named after `prefix` when one benchmark reports more than one kind of pair.
    void Report(benchmark::State& state, const std::string& prefix = std::string()) const
    {
        state.counters[prefix + "median_ms"] = MedianMs();
        state.counters[prefix + "reference_ms"] = ReferenceMs();
        state.counters[prefix + "ratio"] = Median(FRatio);
        state.counters[prefix + "medians_ratio"] = ReferenceMs() > 0 ? MedianMs() / ReferenceMs() : 0;
        if (!FCpuRatio.empty())
            state.counters[prefix + "cpu_ratio"] = Median(FCpuRatio);
        state.counters[prefix + "worst_ratio"] = FRatio.empty() ? 0 : *std::max_element(FRatio.begin(), FRatio.end());
    }

private:
    std::vector<double> FWall, FReferenceWall, FRatio, FCpuRatio;
};

// One pair per iteration, the iteration's time the run's (register with UseManualTime). A side
// that fails ends the benchmark with `failure`, unless it told the state why itself.
template <typename Run, typename Reference>
void MeasureInTurn(benchmark::State& state, Run run, Reference reference, const char* failure = "a run failed")
{
    Pairs pairs;
    for (auto _ : state) {
        if (!pairs.RunPair(run, reference)) {
            if (!state.error_occurred())
                state.SkipWithError(failure);
            break;
        }
        state.SetIterationTime(pairs.LastMs() / 1e3);
    }
    if (!state.error_occurred())
        pairs.Report(state);
}

} // namespace in_turn

// SPDX-License-Identifier: GPL-3.0-or-later
// A study whose bolted currents come from its network, through the whole
// study pipeline: reading, the network built and solved for both cases,
// every row computed in both cases, the output written. Generated plants of
// 1 000 to 10 000 buses (meshed with devices and steps in three
// scenarios, 100 000 too), radial and meshed (5 % extra cables between
// buses of one voltage), with typed durations or a trip unit on every
// cable, the arcs in one step or in steps.
#include <benchmark/benchmark.h>

#include <string>

#include "network_study_maker.h"
#include "study/run.h"

namespace {

void BM_NetworkStudy(benchmark::State& st) {
    const std::string study = zentavo::bench::MakeNetworkStudy(static_cast<int>(st.range(0)), st.range(1) != 0, st.range(2) != 0,
                                               st.range(4) != 0);
    zentavo::StudyOptions options;
    options.arcSteps = st.range(3) != 0;
    for (auto _ : st) {
        std::size_t bytes = 0;
        try {
            zentavo::RunStudy(study, options, [&](std::string_view s) { bytes += s.size(); });
        } catch (const zentavo::StudyReadError& e) {
            st.SkipWithError(e.what());
            break;
        }
        benchmark::DoNotOptimize(bytes);
    }
    st.counters["buses"] = static_cast<double>(st.range(0));
}
BENCHMARK(BM_NetworkStudy)
    ->ArgsProduct({{1000, 3000, 10000}, {0, 1}, {0, 1}, {0, 1}, {0}})
    ->Args({3000, 1, 1, 1, 1})
    ->Args({10000, 1, 1, 1, 1})
    ->Args({100000, 1, 1, 1, 1})
    ->ArgNames({"buses", "meshed", "devices", "steps", "scenarios"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
// Nanoseconds per calculation of each method, from the typed field texts to
// the result texts the results window shows.
#include <benchmark/benchmark.h>

#include "engine/breaker.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "engine/ieee2018.h"
#include "engine/number.h"

namespace zentavo {
namespace {

void BM_EmpiricalBothSteps(benchmark::State& st) {
    const UnitSettings units;
    EmpiricalFields f;
    f.voltage = "480";
    f.boltedCurrent = "20";
    f.gap = "32";
    f.workDist = "455";
    f.equipmentClass = kSwitchgear;
    f.grounding = 1;
    for (auto _ : st) {
        SharedState s = StartState();
        auto first = RunEmpiricalArcCurrent(s, f, '.');
        auto second = RunEmpiricalResults(s, {"0.2", "0.25"}, units, '.');
        benchmark::DoNotOptimize(first);
        benchmark::DoNotOptimize(second);
    }
}
BENCHMARK(BM_EmpiricalBothSteps);

void BM_Fuse(benchmark::State& st) {
    const UnitSettings units;
    FuseFields f;
    f.boltedCurrent = "1";
    f.workDist = "455";
    for (auto _ : st) {
        SharedState s = StartState();
        auto out = RunFuse(s, f, units, '.');
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Fuse);

void BM_Breaker(benchmark::State& st) {
    const UnitSettings units;
    BreakerFields f;
    f.voltage = "480";
    f.boltedCurrent = "20";
    f.workDist = "460";
    f.interruptingRating = "25";
    f.instantaneousTrip = "2";
    for (auto _ : st) {
        SharedState s = StartState();
        auto out = RunBreaker(s, f, units, '.');
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Breaker);

// The 2018 model from the typed fields to the texts, below and above 600 V.
void BM_Ieee2018(benchmark::State& st) {
    const UnitSettings units;
    const bool low = st.range(0) == 0;
    const Ieee2018Fields f = low ? Ieee2018Fields{"480", "45", "32", "VCB", "610", "610", "254",
                                                  "609.6", "0.0613", "0.319"}
                                 : Ieee2018Fields{"4160", "15", "104", "VCB", "1143", "762", "508",
                                                  "914.4", "0.197", "0.223"};
    for (auto _ : st) {
        auto out = RunIeee2018(f, units, '.');
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Ieee2018)->Arg(0)->Arg(1);

// The equations alone, on numbers.
void BM_Ieee2018Equations(benchmark::State& st) {
    Ieee2018Inputs in{4160, 15, 104, Electrode::VCB, 1143, 762, 508, 914.4, 0.197, 0.223};
    for (auto _ : st) {
        auto r = ComputeIeee2018(in);
        benchmark::DoNotOptimize(r);
        in.arcTime += 1e-9;
    }
}
BENCHMARK(BM_Ieee2018Equations);

void BM_FormatFixed(benchmark::State& st) {
    double v = 57.3901234;
    for (auto _ : st) {
        benchmark::DoNotOptimize(FormatFixed(v, 5, 2, '.'));
        v += 0.001;
    }
}
BENCHMARK(BM_FormatFixed);

void BM_ParseNumber(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(ParseNumber("455.25", '.'));
}
BENCHMARK(BM_ParseNumber);

}  // namespace
}  // namespace zentavo

BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
// Nanoseconds per protective-device evaluation, as a study row makes them:
// the duration at the arcing current and at the reduced one (one row = both
// cases), the device's share applied and the cap checked. Currents sweep
// the device's whole range, so every element and branch takes its turn.
// Also the cost of building a device from a row's settings once.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/protection.h"

namespace zentavo {
namespace {

// 1024 arcing currents (kA) spread evenly in log from 0.05 kA to 100 kA.
const std::vector<double>& Currents() {
    static const std::vector<double> currents = [] {
        std::vector<double> c(1024);
        for (std::size_t i = 0; i < c.size(); ++i) {
            c[i] = 0.05 * std::pow(2000.0, static_cast<double>(i) / 1023.0);
        }
        return c;
    }();
    return currents;
}

ProtectiveDevice Build(const DeviceSettings& s) {
    return *MakeProtectiveDevice(s).device;
}

FuseCurve Fuse() {
    return *ParseFuseCurve("100:300 200:20 1000:0.1 5000:0.01", '.').device;
}

const RelaySettings kIecSi{RelayCurve::IecSI, 1200, 0.3, 24000, 0.05};
const RelaySettings kIeeeVi{RelayCurve::IeeeVI, 1200, 2, {}, {}};
const TripUnitSettings kTripUnit{1600, 0.9, 12, 4, 0.3, 10, {}, 0.1};

// One row: the duration at Iarc and at the reduced current (85 %).
void Rows(benchmark::State& st, const ProtectiveDevice& d) {
    const std::vector<double>& c = Currents();
    std::size_t i = 0;
    for (auto _ : st) {
        const double iarc = c[i++ & 1023];
        ArcDuration full = d.Duration(iarc, '.');
        ArcDuration reduced = d.Duration(0.85 * iarc, '.');
        benchmark::DoNotOptimize(full);
        benchmark::DoNotOptimize(reduced);
    }
    st.SetItemsProcessed(st.iterations());
    st.SetLabel("per row (two evaluations)");
}

void BM_RowRelayIecSI(benchmark::State& st) {
    Rows(st, Build({kIecSi, 1, 2}));
}
BENCHMARK(BM_RowRelayIecSI);

void BM_RowRelayIeeeVI(benchmark::State& st) {
    Rows(st, Build({kIeeeVi, 0.8, 2}));
}
BENCHMARK(BM_RowRelayIeeeVI);

void BM_RowTripUnit(benchmark::State& st) {
    Rows(st, Build({kTripUnit, 1, 2}));
}
BENCHMARK(BM_RowTripUnit);

void BM_RowFuseCurve(benchmark::State& st) {
    Rows(st, Build({Fuse(), 1, 2}));
}
BENCHMARK(BM_RowFuseCurve);

// The device's own time alone, no cap: one evaluation.
void BM_TripAtFuseCurve(benchmark::State& st) {
    const FuseCurve f = Fuse();
    const std::vector<double>& c = Currents();
    std::size_t i = 0;
    for (auto _ : st) benchmark::DoNotOptimize(f.Trip(1000 * c[i++ & 1023]));
}
BENCHMARK(BM_TripAtFuseCurve);

// Building a row's device from settings already read.
void BM_BuildRelay(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(MakeProtectiveDevice({kIecSi, 1, 2}));
}
BENCHMARK(BM_BuildRelay);

void BM_BuildTripUnit(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(MakeProtectiveDevice({kTripUnit, 1, 2}));
}
BENCHMARK(BM_BuildTripUnit);

// An inline fuse_curve cell parsed and built (a named curve is looked up
// instead, and copies share its points).
void BM_ParseInlineFuseCurve(benchmark::State& st) {
    for (auto _ : st) {
        benchmark::DoNotOptimize(ParseFuseCurve("100:300 200:20 1000:0.1 5000:0.01", '.'));
    }
}
BENCHMARK(BM_ParseInlineFuseCurve);

}  // namespace
}  // namespace zentavo

BENCHMARK_MAIN();

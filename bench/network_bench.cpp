// SPDX-License-Identifier: GPL-3.0-or-later
// Short-circuit calculation over generated networks: build (checks, topology,
// ordering), solve (both cases, every bus, branch shares) and the look-up of
// every branch's share at the bus it feeds, for a radial network and a meshed
// one with 5 % extra branches, at 1 000, 3 000 and 10 000 buses. For
// comparison, the diagonal of the inverse by one SparseLU solve per bus: the
// way the selected inversion replaces.
#include <benchmark/benchmark.h>

#include <Eigen/SparseCore>
#include <Eigen/SparseLU>
#include <random>
#include <string>

#include "network/short_circuit.h"

namespace zentavo::network {
namespace {

// A plant: one 13.8 kV utility source, a tenth of the buses at 13.8 kV, the
// rest at 480 V. Each bus hangs from a random earlier bus (a transformer from
// a 13.8 kV bus to a 480 V one, a cable otherwise); motors on every fifth
// 480 V bus; `extra` of the buses get one more cable to a random earlier bus
// of their voltage.
NetworkInput Plant(int n, double extra, unsigned seed) {
    std::mt19937 rng(seed);
    const int mv = std::max(1, n / 10);
    auto kv = [&](int b) { return b < mv ? 13.8 : 0.48; };
    auto name = [](int b) { return "B" + std::to_string(b); };
    auto earlier = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::uniform_real_distribution<double> length(5, 150);
    NetworkInput in;
    in.sources.push_back({"U", name(0), 13.8, 25, 15, 15});
    for (int b = 0; b < n; ++b) in.buses.push_back({name(b), kv(b), ""});
    for (int b = 1; b < n; ++b) {
        const int parent = earlier(0, b - 1);
        if (kv(parent) != kv(b))
            in.transformers.push_back(
                {"T" + std::to_string(b), name(parent), name(b), 1500, 5.75, 6});
        else
            in.cables.push_back({"C" + std::to_string(b), name(parent), name(b), length(rng), 0.1,
                                 0.08, kv(b) > 1 ? 1 : 2});
        if (b >= mv && b % 5 == 0)
            in.motors.push_back({"M" + std::to_string(b), name(b), 200, 0.2, 10});
    }
    const int ties = static_cast<int>(extra * n);
    for (int i = 0; i < ties; ++i) {
        const int b = earlier(mv + 1, n - 1);
        const int other = earlier(mv, b - 1);
        in.cables.push_back(
            {"X" + std::to_string(i), name(other), name(b), length(rng), 0.1, 0.08, 2});
    }
    return in;
}

void BuildAndSolve(benchmark::State& st, double extra) {
    const int n = static_cast<int>(st.range(0));
    const NetworkInput in = Plant(n, extra, 7);
    st.counters["factor_nonzeros"] = static_cast<double>(Network(in).FactorNonZeros());
    for (auto _ : st) {
        const Network net(in);
        const auto r = net.Solve(Convention::Iec60909);
        if (!net.errors().empty() || !r.buses.back().computed) st.SkipWithError("not computed");
        // What a study reads back: each branch's share at the bus it feeds.
        double shares = 0;
        for (std::size_t i = 0; i < in.cables.size(); ++i)
            shares += *r.Share(in.cables[i].to, ElementKind::Cable, i);
        for (std::size_t i = 0; i < in.transformers.size(); ++i)
            shares += *r.Share(in.transformers[i].to_bus, ElementKind::Transformer, i);
        benchmark::DoNotOptimize(shares);
    }
    st.SetComplexityN(n);
    st.counters["buses"] = n;
}

void BM_Radial(benchmark::State& st) {
    BuildAndSolve(st, 0.0);
}
void BM_Meshed(benchmark::State& st) {
    BuildAndSolve(st, 0.05);
}
BENCHMARK(BM_Radial)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Meshed)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

// The alternative: factor the admittance matrix of a radial network with
// SparseLU and solve for every unit column, keeping the diagonal.
void BM_RadialColumnSolvesSparseLU(benchmark::State& st) {
    const int n = static_cast<int>(st.range(0));
    std::mt19937 rng(7);
    std::vector<Eigen::Triplet<Complex>> t;
    for (int b = 1; b < n; ++b) {
        const int p = std::uniform_int_distribution<int>(0, b - 1)(rng);
        const Complex y = 1.0 / Complex(0.01, 0.02);
        t.emplace_back(b, b, y), t.emplace_back(p, p, y), t.emplace_back(b, p, -y),
            t.emplace_back(p, b, -y);
    }
    t.emplace_back(0, 0, 1.0 / Complex(0.001, 0.01));
    Eigen::SparseMatrix<Complex> y(n, n);
    y.setFromTriplets(t.begin(), t.end());
    for (auto _ : st) {
        Eigen::SparseLU<Eigen::SparseMatrix<Complex>> lu;
        lu.compute(y);
        Eigen::VectorXcd e = Eigen::VectorXcd::Zero(n), z;
        Complex sum{};
        for (int k = 0; k < n; ++k) {
            e[k] = 1;
            z = lu.solve(e);
            e[k] = 0;
            sum += z[k];
        }
        benchmark::DoNotOptimize(sum);
    }
    st.SetComplexityN(n);
}
BENCHMARK(BM_RadialColumnSolvesSparseLU)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Complexity();

}  // namespace
}  // namespace zentavo::network

BENCHMARK_MAIN();

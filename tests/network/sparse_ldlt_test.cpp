// SPDX-License-Identifier: GPL-3.0-or-later
// The inverse's entries from the sparse factor against Eigen's dense inverse
// (partial-pivot LU) of the same matrix, and no fill for a tree.
#include "network/sparse_ldlt.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <algorithm>
#include <random>

namespace zentavo::network {
namespace {

struct Graph {
    int n;
    std::vector<std::pair<int, int>> edges;
};

// A random tree on n nodes, and `extra` more edges (possibly parallel).
Graph RandomGraph(int n, int extra, unsigned seed) {
    std::mt19937 rng(seed);
    Graph g{n, {}};
    for (int i = 1; i < n; ++i)
        g.edges.emplace_back(std::uniform_int_distribution<int>(0, i - 1)(rng), i);
    for (int e = 0; e < extra; ++e) {
        const int a = std::uniform_int_distribution<int>(0, n - 1)(rng);
        const int b = std::uniform_int_distribution<int>(0, n - 1)(rng);
        if (a != b) g.edges.emplace_back(a, b);
    }
    return g;
}

TEST(SymmetricFactor, InverseEntriesMatchDenseInverse) {
    // clang-format off
    const std::tuple<int, int, unsigned> rows[] = {
        // nodes  extra edges  seed
        {1,       0,           1},
        {30,      0,           2},
        {60,      20,          3},
        {80,      200,         4},
    };
    // clang-format on
    for (const auto& [n, extra, seed] : rows) {
        SCOPED_TRACE(n);
        const Graph g = RandomGraph(n, extra, seed);
        std::mt19937 rng(seed + 100);
        std::uniform_real_distribution<double> u(0.1, 5.0);
        // Branch admittances r - jx style (both parts of the impedance
        // positive), shunts at about a third of the nodes.
        std::vector<Complex> diag(n), off;
        Eigen::MatrixXcd dense = Eigen::MatrixXcd::Zero(n, n);
        for (auto [a, b] : g.edges) {
            const Complex y = 1.0 / Complex(u(rng), u(rng));
            off.push_back(-y);
            diag[a] += y, diag[b] += y;
            dense(a, b) -= y, dense(b, a) -= y;
        }
        for (int i = 0; i < n; i += 3) diag[i] += 1.0 / Complex(u(rng), u(rng));
        for (int i = 0; i < n; ++i) dense(i, i) += diag[i];
        const Eigen::MatrixXcd z = dense.inverse();

        SymmetricFactor f;
        f.Analyse(n, g.edges);
        ASSERT_TRUE(f.Factorize(diag, off));
        f.Invert();
        const double scale = z.cwiseAbs().maxCoeff();
        for (int i = 0; i < n; ++i)
            EXPECT_LT(std::abs(f.InverseDiagonal(i) - z(i, i)), 1e-10 * scale) << i;
        for (auto [a, b] : g.edges) {
            EXPECT_LT(std::abs(f.InverseEntry(a, b) - z(a, b)), 1e-10 * scale) << a << "," << b;
            EXPECT_LT(std::abs(f.InverseEntry(b, a) - z(a, b)), 1e-10 * scale) << a << "," << b;
        }
    }
}

// A solve worked out only at the nodes asked gives Solve's digits, for
// right-hand sides of one and of two entries (a fault, a branch's
// incidence vector), in networks with and without a dense last block,
// the nodes asked in any order.
TEST(SymmetricFactor, PartialSolveGivesSolvesDigits) {
    // clang-format off
    const std::tuple<int, int, unsigned> rows[] = {
        // nodes  extra edges  seed
        {1,       0,           5},
        {200,     0,           6},
        {300,     15,          7},
        {150,     150,         8},
    };
    // clang-format on
    for (const auto& [n, extra, seed] : rows) {
        SCOPED_TRACE(n);
        const Graph g = RandomGraph(n, extra, seed);
        std::mt19937 rng(seed + 100);
        std::uniform_real_distribution<double> u(0.1, 5.0);
        std::vector<Complex> diag(n), off;
        for (auto [a, b] : g.edges) {
            const Complex y = 1.0 / Complex(u(rng), u(rng));
            off.push_back(-y);
            diag[a] += y, diag[b] += y;
        }
        for (int i = 0; i < n; i += 7) diag[i] += 1.0 / Complex(u(rng), u(rng));
        SymmetricFactor f;
        f.Analyse(n, g.edges);
        ASSERT_TRUE(f.Factorize(diag, off));
        std::uniform_int_distribution<int> node(0, n - 1);
        for (int trial = 0; trial < 20; ++trial) {
            std::vector<std::pair<int, Complex>> b{{node(rng), Complex(u(rng), -u(rng))}};
            if (trial % 2) b.emplace_back(node(rng), -1.0);
            std::vector<Complex> whole(n);
            for (auto [i, v] : b) whole[i] += v;
            const std::vector<Complex> x = f.Solve(whole);
            const SymmetricFactor::PartialSolve partial(f, b);
            std::vector<int> asked(n);
            for (int i = 0; i < n; ++i) asked[i] = i;
            std::shuffle(asked.begin(), asked.end(), rng);
            asked.resize(std::min(n, 1 + trial * 8));
            for (int i : asked)
                EXPECT_EQ(partial.At(i), x[i]) << "node " << i << ", trial " << trial;
        }
    }
}

// Radial networks are the common case: the ordering must leave no fill, so
// that factor and inverse cost in proportion to the node count. Parallel
// branches do not make a loop of the pattern.
TEST(SymmetricFactor, TreeFactorsWithoutFill) {
    for (int n : {2, 100, 5000}) {
        Graph g = RandomGraph(n, 0, static_cast<unsigned>(n));
        g.edges.push_back(g.edges.back());
        SymmetricFactor f;
        f.Analyse(n, g.edges);
        EXPECT_EQ(f.FactorNonZeros(), static_cast<std::size_t>(n - 1)) << n;
    }
}

}  // namespace
}  // namespace zentavo::network

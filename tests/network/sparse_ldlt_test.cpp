// SPDX-License-Identifier: GPL-3.0-or-later
// The inverse's entries from the sparse factor against Eigen's dense inverse
// (partial-pivot LU) of the same matrix, and no fill for a tree.
#include "network/sparse_ldlt.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>
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

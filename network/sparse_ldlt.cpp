// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/sparse_ldlt.h"

#include <Eigen/OrderingMethods>
#include <Eigen/SparseCore>
#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace zentavo::network {
namespace {

// When the pattern (parallel edges counted once) is a forest: every node
// after all the nodes below it, so that each eliminated node has only its
// parent left as a neighbour. False for a pattern with a loop.
bool ForestOrder(int n, const std::vector<std::pair<int, int>>& edges, std::vector<int>& order) {
    std::vector<std::vector<int>> adj(n);
    for (auto [a, b] : edges) adj[a].push_back(b), adj[b].push_back(a);
    for (auto& a : adj) {
        std::sort(a.begin(), a.end());
        a.erase(std::unique(a.begin(), a.end()), a.end());
    }
    std::vector<int> parent(n, -2), queue;
    queue.reserve(n);
    for (int r = 0; r < n; ++r) {
        if (parent[r] != -2) continue;
        parent[r] = -1;
        queue.push_back(r);
        for (std::size_t q = queue.size() - 1; q < queue.size(); ++q) {
            const int u = queue[q];
            for (int v : adj[u]) {
                if (v == parent[u]) continue;
                if (parent[v] != -2) return false;
                parent[v] = u;
                queue.push_back(v);
            }
        }
    }
    order.assign(queue.rbegin(), queue.rend());
    return true;
}

}  // namespace

void SymmetricFactor::Analyse(int n, const std::vector<std::pair<int, int>>& edges) {
    n_ = n;
    // Fill-reducing order of the pattern: leaves first for a forest (no fill
    // at all), approximate minimum degree otherwise.
    if (!ForestOrder(n, edges, order_)) {
        // Eigen's minimum degree ordering wants the diagonal in the pattern:
        // without it, it returns the natural order.
        std::vector<Eigen::Triplet<double, int>> t;
        t.reserve(edges.size() + n);
        for (auto [a, b] : edges) t.emplace_back(a, b, 1.0);
        for (int i = 0; i < n; ++i) t.emplace_back(i, i, 1.0);
        Eigen::SparseMatrix<double, Eigen::ColMajor, int> pattern(n, n);
        pattern.setFromTriplets(t.begin(), t.end());
        Eigen::AMDOrdering<int> amd;
        Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> perm;
        amd(pattern, perm);
        // The ordering lists, for each position, the node eliminated there.
        order_.assign(perm.indices().data(), perm.indices().data() + n);
    }
    position_.assign(n, -1);
    for (int k = 0; k < n; ++k) position_[order_[k]] = k;

    // Upper triangle by column, rows ascending and once each.
    std::vector<std::vector<int>> cols(n);
    for (auto [a, b] : edges) {
        const int i = position_[a], j = position_[b];
        if (i == j) throw std::logic_error("SymmetricFactor: an edge joins a node with itself");
        cols[std::max(i, j)].push_back(std::min(i, j));
    }
    ap_.assign(n + 1, 0);
    ai_.clear();
    for (int k = 0; k < n; ++k) {
        auto& c = cols[k];
        std::sort(c.begin(), c.end());
        c.erase(std::unique(c.begin(), c.end()), c.end());
        ai_.insert(ai_.end(), c.begin(), c.end());
        ap_[k + 1] = static_cast<int>(ai_.size());
    }
    edgeSlot_.resize(edges.size());
    for (std::size_t e = 0; e < edges.size(); ++e) {
        const int i = position_[edges[e].first], j = position_[edges[e].second];
        const int col = std::max(i, j), row = std::min(i, j);
        auto first = ai_.begin() + ap_[col], last = ai_.begin() + ap_[col + 1];
        edgeSlot_[e] = static_cast<std::size_t>(std::lower_bound(first, last, row) - ai_.begin());
    }

    // Elimination tree and column counts of L (up-looking, row by row).
    parent_.assign(n, -1);
    lnz_.assign(n, 0);
    flag_.assign(n, -1);
    for (int k = 0; k < n; ++k) {
        flag_[k] = k;
        for (int p = ap_[k]; p < ap_[k + 1]; ++p) {
            for (int i = ai_[p]; flag_[i] != k; i = parent_[i]) {
                if (parent_[i] == -1) parent_[i] = k;
                ++lnz_[i];
                flag_[i] = k;
            }
        }
    }
    lp_.assign(n + 1, 0);
    for (int k = 0; k < n; ++k) lp_[k + 1] = lp_[k] + lnz_[k];
    for (dense_ = n; dense_ > 0 && lnz_[dense_ - 1] == n - dense_;) --dense_;
    li_.assign(lp_[n], 0);
    lx_.assign(lp_[n], Complex{});
    d_.assign(n, Complex{});
    precision_.assign(n, 0);
    y_.assign(n, Complex{});
    pattern_.assign(n, 0);
}

bool SymmetricFactor::Factorize(const std::vector<Complex>& diag,
                                const std::vector<Complex>& offdiag) {
    const int n = n_;
    std::vector<Complex> ax(ai_.size());
    for (std::size_t e = 0; e < offdiag.size(); ++e) ax[edgeSlot_[e]] += offdiag[e];

    std::fill(flag_.begin(), flag_.end(), -1);
    std::fill(lnz_.begin(), lnz_.end(), 0);
    bool regular = true;
    for (int k = 0; k < n; ++k) {
        // Row k of L by a sparse triangular solve along the elimination tree.
        y_[k] = diag[order_[k]];
        int top = n;
        flag_[k] = k;
        for (int p = ap_[k]; p < ap_[k + 1]; ++p) {
            int i = ai_[p];
            y_[i] += ax[p];
            int len = 0;
            for (; flag_[i] != k; i = parent_[i]) {
                pattern_[len++] = i;
                flag_[i] = k;
            }
            while (len > 0) pattern_[--top] = pattern_[--len];
        }
        Complex dk = y_[k];
        double size = std::abs(dk);  // of the terms summed into the pivot
        y_[k] = 0;
        for (; top < n; ++top) {
            const int i = pattern_[top];
            const Complex yi = y_[i];
            y_[i] = 0;
            const int end = lp_[i] + lnz_[i];
            for (int p = lp_[i]; p < end; ++p) y_[li_[p]] -= lx_[p] * yi;
            const Complex lki = yi / d_[i];
            dk -= lki * yi;
            size += std::abs(lki * yi);
            li_[end] = k;
            lx_[end] = lki;
            ++lnz_[i];
        }
        precision_[k] = size > 0 ? std::abs(dk) / size : 0;
        if (dk == Complex{}) {
            regular = false;
            dk = 1;
        }
        d_[k] = dk;
    }
    // Solve multiplies by the pivots' inverses: a complex division costs
    // several multiplications.
    dinv_.resize(n_);
    for (int k = 0; k < n_; ++k) dinv_[k] = 1.0 / d_[k];
    return regular;
}

std::size_t SymmetricFactor::Slot(int col, int row) const {
    auto first = li_.begin() + lp_[col], last = li_.begin() + lp_[col + 1];
    auto it = std::lower_bound(first, last, row);
    if (it == last || *it != row) throw std::logic_error("SymmetricFactor: entry off the pattern");
    return static_cast<std::size_t>(it - li_.begin());
}

namespace {

// a·b of finite values, as std::complex multiplies them, without its
// check for infinite parts on each product (the factor's values are finite).
inline Complex Times(Complex a, Complex b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

}  // namespace

std::vector<Complex> SymmetricFactor::Solve(std::vector<Complex> b) const {
    // Y = Pᵀ·L·D·Lᵀ·P, L unit lower triangular by column.
    std::vector<Complex> y(n_);
    for (int i = 0; i < n_; ++i) y[i] = b[order_[i]];
    // A right-hand side of a few entries (a fault at a node, an element
    // taken out) stays zero off their paths to the elimination tree's
    // root: the forward substitution passes its zeros by.
    for (int i = 0; i < n_; ++i) {
        const Complex yi = y[i];
        if (yi == Complex(0)) continue;
        for (int a = lp_[i]; a < lp_[i + 1]; ++a) y[li_[a]] -= Times(lx_[a], yi);
    }
    for (int i = 0; i < n_; ++i) y[i] *= dinv_[i];
    for (int i = n_ - 1; i >= 0; --i) {
        Complex sum = y[i];
        for (int a = lp_[i]; a < lp_[i + 1]; ++a) sum -= Times(lx_[a], y[li_[a]]);
        y[i] = sum;
    }
    for (int i = 0; i < n_; ++i) b[order_[i]] = y[i];
    return b;
}

SymmetricFactor::PartialSolve::Entry& SymmetricFactor::PartialSolve::Slot(int position) const {
    if (2 * (used_ + 1) > table_.size()) {
        // Grown to twice its size when half full.
        std::vector<Entry> old(std::max<std::size_t>(64, 2 * table_.size()));
        old.swap(table_);
        used_ = 0;
        for (const Entry& e : old) {
            if (e.position >= 0) Slot(e.position) = e;
        }
    }
    const std::size_t mask = table_.size() - 1;
    for (std::size_t h = (static_cast<std::size_t>(position) * 0x9E3779B97F4A7C15ull) >> 20;; ++h) {
        Entry& e = table_[h & mask];
        if (e.position == position) return e;
        if (e.position < 0) {
            e.position = position;
            ++used_;
            return e;
        }
    }
}

const SymmetricFactor::PartialSolve::Entry* SymmetricFactor::PartialSolve::Find(
    int position) const {
    if (table_.empty()) return nullptr;
    const std::size_t mask = table_.size() - 1;
    for (std::size_t h = (static_cast<std::size_t>(position) * 0x9E3779B97F4A7C15ull) >> 20;; ++h) {
        const Entry& e = table_[h & mask];
        if (e.position == position) return &e;
        if (e.position < 0) return nullptr;
    }
}

SymmetricFactor::PartialSolve::PartialSolve(const SymmetricFactor& f,
                                            const std::vector<std::pair<int, Complex>>& b)
    : f_(&f), denseY_(f.n_ - f.dense_) {
    // The positions reached from b's entries along the tree before the
    // dense block, ascending (a parent comes after its children): the
    // forward substitution's order. The dense block is reached whole.
    const int dense = f.dense_;
    std::vector<int> reach;
    // The sums in arrays the thread keeps, by position, marked by
    // generation: they cost no table probes, and the table takes each
    // position reached once, at the end. A position's column of L holds
    // its ancestors only, all of them reached with it.
    thread_local std::vector<std::uint32_t> stamp;
    thread_local std::vector<Complex> ys;
    thread_local std::uint32_t generation = 0;
    if (stamp.size() < static_cast<std::size_t>(dense)) stamp.resize(dense, 0), ys.resize(dense);
    if (++generation == 0) {
        std::fill(stamp.begin(), stamp.end(), 0);
        generation = 1;
    }
    auto y = [&](int i) -> Complex& { return i >= dense ? denseY_[i - dense] : ys[i]; };
    for (const auto& [node, value] : b) {
        const int start = f.position_[node];
        for (int i = start; i != -1 && i < dense && stamp[i] != generation; i = f.parent_[i]) {
            stamp[i] = generation;
            ys[i] = 0;
            reach.push_back(i);
        }
        y(start) += value;
    }
    std::sort(reach.begin(), reach.end());
    for (int i : reach) {
        const Complex yi = ys[i];
        if (yi == Complex(0)) continue;
        for (int a = f.lp_[i]; a < f.lp_[i + 1]; ++a) y(f.li_[a]) -= Times(f.lx_[a], yi);
    }
    // In the dense block a column's rows are the positions after it, in order.
    for (int i = dense; i < f.n_; ++i) {
        const Complex yi = denseY_[i - dense];
        if (yi == Complex(0)) continue;
        const Complex* l = f.lx_.data() + f.lp_[i];
        Complex* below = denseY_.data() + (i + 1 - dense);
        for (int j = 0, rows = f.lp_[i + 1] - f.lp_[i]; j < rows; ++j) below[j] -= Times(l[j], yi);
    }
    for (int i : reach) Slot(i).y = ys[i] * f.dinv_[i];
    for (int i = dense; i < f.n_; ++i) denseY_[i - dense] *= f.dinv_[i];
}

Complex SymmetricFactor::PartialSolve::At(int node) const {
    const SymmetricFactor& f = *f_;
    const int dense = f.dense_;
    // The dense block's x from its last position down to `i` (each needs
    // those after it only): a solve that enters the block late stays there.
    auto x = [&](int i) {
        if (i < dense) return Find(i)->x;
        if (denseX_.empty()) denseX_.resize(f.n_ - dense), denseLow_ = f.n_;
        while (denseLow_ > i) {
            const int k = --denseLow_;
            Complex sum = denseY_[k - dense];
            const Complex* l = f.lx_.data() + f.lp_[k];
            const Complex* xk = denseX_.data() + (k + 1 - dense);
            for (int j = 0, rows = f.lp_[k + 1] - f.lp_[k]; j < rows; ++j)
                sum -= Times(l[j], xk[j]);
            denseX_[k - dense] = sum;
        }
        return denseX_[i - dense];
    };
    const int start = f.position_[node];
    if (start >= dense) return x(start);
    if (const Entry* e = Find(start); e && e->known) return e->x;
    // Up the tree to the first position known (or the dense block), then
    // down: a position's column of L holds its ancestors only.
    path_.clear();
    for (int i = start; i != -1 && i < dense; i = f.parent_[i]) {
        const Entry* e = Find(i);
        if (e && e->known) break;
        path_.push_back(i);
    }
    // The table is grown only by Slot: the entry stays in place while the
    // sum reads the entries above it (Find, x).
    Complex last = 0;
    for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
        const int i = *it;
        Entry& e = Slot(i);
        Complex sum = e.y;
        for (int a = f.lp_[i]; a < f.lp_[i + 1]; ++a) sum -= Times(f.lx_[a], x(f.li_[a]));
        e.x = sum;
        e.known = true;
        last = sum;
    }
    return last;
}

void SymmetricFactor::Invert() {
    zx_.assign(li_.size(), Complex{});
    zd_.assign(n_, Complex{});
    std::vector<Complex> sum;
    // Z_ij = δij/d_i − Σ_{k>i} L_ki·Z_kj for j ≥ i; the rows k of column i form
    // a clique of the filled pattern, so every Z_kj needed is already known:
    // for rows k < j of column i, Z_kj sits in column k at row j. Each pair is
    // visited once and serves both sums; column k's rows are walked in step
    // with column i's, both ascending.
    for (int i = n_ - 1; i >= 0; --i) {
        const int begin = lp_[i], end = lp_[i + 1];
        sum.assign(end - begin, Complex{});
        for (int b = begin; b < end; ++b) {
            const int k = li_[b];
            sum[b - begin] += lx_[b] * zd_[k];
            int p = lp_[k];
            const int pend = lp_[k + 1];
            for (int a = b + 1; a < end; ++a) {
                const int j = li_[a];
                while (p < pend && li_[p] != j) ++p;
                if (p == pend) throw std::logic_error("SymmetricFactor: entry off the pattern");
                sum[a - begin] += lx_[b] * zx_[p];
                sum[b - begin] += lx_[a] * zx_[p];
            }
        }
        Complex diag{};
        for (int a = begin; a < end; ++a) {
            zx_[a] = -sum[a - begin];
            diag += lx_[a] * zx_[a];
        }
        zd_[i] = 1.0 / d_[i] - diag;
    }
}

Complex SymmetricFactor::InverseDiagonal(int i) const {
    return zd_[position_[i]];
}

Complex SymmetricFactor::InverseEntry(int i, int j) const {
    const int a = position_[i], b = position_[j];
    if (a == b) return zd_[a];
    return zx_[Slot(std::min(a, b), std::max(a, b))];
}

}  // namespace zentavo::network

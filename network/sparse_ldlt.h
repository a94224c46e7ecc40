// SPDX-License-Identifier: GPL-3.0-or-later
// Sparse L·D·Lᵀ factorization of a complex symmetric matrix (not Hermitian:
// no conjugates anywhere), as the nodal admittance matrix of a network with
// transformers at their nominal ratios is, and the entries of its inverse on
// the factor's pattern.
//
// The pattern is analysed once (fill-reducing order by approximate minimum
// degree, elimination tree, the factor's columns); each case then factors its
// own values on that pattern. The inverse's diagonal, and its entries between
// two nodes joined by a branch, come from the selected inversion of
// Takahashi, Fagan and Chen: Z = D⁻¹L⁻¹ + (I − Lᵀ)·Z, worked from the last
// column back, touches only entries on the factor's pattern. For a radial
// network (no fill) it costs in proportion to the number of nodes, where one
// solve per node would cost the square.
#pragma once

#include <complex>
#include <cstddef>
#include <utility>
#include <vector>

namespace zentavo::network {

using Complex = std::complex<double>;

class SymmetricFactor {
public:
    // `n` nodes; `edges` the off-diagonal pattern, each pair once or more
    // (parallel branches), in either order, never a node with itself.
    void Analyse(int n, const std::vector<std::pair<int, int>>& edges);

    // Factors the matrix with diagonal `diag` (n values, node order) and
    // off-diagonal values `offdiag`, one per edge of Analyse in its order
    // (parallel edges add up). False when a pivot is zero: the matrix is
    // singular. The factor is completed all the same, a zero pivot taken as
    // 1, so that the blocks of the matrix not joined to that node (the
    // other islands of a network) can still be used; PivotPrecision tells
    // the nodes whose entries cannot.
    bool Factorize(const std::vector<Complex>& diag, const std::vector<Complex>& offdiag);

    // How much of its size a node's pivot kept when the terms summed into it
    // cancelled: |d| / (|a| + Σ|l·y|) of its elimination, 1 without
    // cancellation, 0 for a zero pivot. Rounding errors of size ε = 1.1e-16
    // of those terms become a relative error of about ε / PivotPrecision in
    // the pivot, and from there in every entry of the inverse that depends
    // on it. After Factorize.
    double PivotPrecision(int node) const { return precision_[position_[node]]; }

    // x = Y⁻¹·b for a whole right-hand side (node order): one forward and
    // one back substitution through the factor. After Factorize.
    std::vector<Complex> Solve(std::vector<Complex> b) const;

    // x = Y⁻¹·b for a right-hand side of a few entries, whose entries are
    // worked out only where asked: see PartialSolve. After Factorize.
    class PartialSolve;

    // The inverse's entries on the factor's pattern. After Factorize.
    void Invert();

    // (Y⁻¹)ᵢᵢ, after Invert.
    Complex InverseDiagonal(int i) const;
    // (Y⁻¹)ᵢⱼ for i and j equal or joined by an edge of Analyse, after Invert.
    Complex InverseEntry(int i, int j) const;

    int size() const { return n_; }
    // Entries below the diagonal of L, fill included.
    std::size_t FactorNonZeros() const { return li_.size(); }

private:
    // Position of row `row` in column `col` of L (both in factor order).
    std::size_t Slot(int col, int row) const;

    int n_ = 0;
    // The first position of the dense block that ends the factor (every
    // column from it on full to the last row): the last separators of a
    // meshed network, through which every solve passes.
    int dense_ = 0;
    std::vector<int> order_;     // factor position -> node
    std::vector<int> position_;  // node -> factor position
    // Upper triangle of the permuted matrix, by column: rows above the diagonal.
    std::vector<int> ap_, ai_;
    std::vector<std::size_t> edgeSlot_;  // edge -> index into ai_
    std::vector<int> parent_;            // elimination tree
    std::vector<int> lp_, li_;           // L by column, rows ascending
    std::vector<Complex> lx_, d_, dinv_;
    std::vector<double> precision_;  // per factor position
    std::vector<Complex> zx_, zd_;   // inverse on L's pattern, and its diagonal
    // Work space of Factorize.
    std::vector<Complex> y_;
    std::vector<int> flag_, pattern_, lnz_;
};

// A solve of a right-hand side with a few nonzero entries (a fault at a
// node, an element's incidence vector), as Solve would give it digit for
// digit, at the cost of the entries asked for rather than of the whole
// network. The forward substitution of such a right-hand side is nonzero
// only on the paths from its entries to the root of the elimination tree,
// and is done at once on those paths alone. The back substitution of a
// node needs the entries of its column of L only, which are all its
// ancestors in the tree: At(node) works out the entries of the node's path
// to the root not yet known, from the root down, and keeps them, so that
// a few entries of a large network cost the length of their paths.
// Each sum runs in the order Solve's does. The factor must outlive the
// solve and stay unchanged; At keeps what it works out, so one solve is
// for one thread at a time.
class SymmetricFactor::PartialSolve {
public:
    // `b` as (node, value) entries; entries of one node add up in order.
    PartialSolve(const SymmetricFactor& f, const std::vector<std::pair<int, Complex>>& b);
    // x at `node`.
    Complex At(int node) const;

private:
    // A position's entries: of the forward substitution (0 off its paths)
    // and, once worked out, of x. In an open-addressing table by position:
    // a solve holds a few hundred, and is asked for them many times.
    struct Entry {
        int position = -1;  // -1: a free slot
        bool known = false;
        Complex y, x;
    };
    Entry& Slot(int position) const;  // the position's entry, added when missing
    const Entry* Find(int position) const;

    const SymmetricFactor* f_;
    mutable std::vector<Entry> table_;  // the positions before the dense block
    // The dense block's entries of the forward substitution, and of x
    // (worked out from the block's end down to denseLow_).
    std::vector<Complex> denseY_;
    mutable std::vector<Complex> denseX_;
    mutable int denseLow_ = 0;
    mutable std::size_t used_ = 0;
    mutable std::vector<int> path_;  // work space of At
};

}  // namespace zentavo::network

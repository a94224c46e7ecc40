// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/arc_range.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <utility>
#include <vector>

namespace zentavo {

namespace {

// The grid's intervals over the range: fine enough that every element of a
// device shows in at least one of its currents in a plant's range, the
// boundaries between them then found by bisection.
constexpr int kGridIntervals = 40;
// The grid's best currents refined by golden-section search, each within its neighbours.
constexpr int kRefined = 3;
constexpr double kGolden = 0.6180339887498949;

// A point's largest energy of either variant (J/cm2), and which variant.
struct Worst {
    double energy = -std::numeric_limits<double>::infinity();
    bool reduced = false;
};
Worst WorstOf(const PointResult& p) {
    Worst w;
    if (!p.Computed()) return w;
    w.energy = p.full.energy;
    if (p.reduced && p.reduced->energy > w.energy) w = {p.reduced->energy, true};
    return w;
}

// What the device answered at a current: a change of it between two
// currents marks a step of the duration (another element, the maximum arc
// duration reached, a refusal).
std::uint32_t Answer(const PointResult& p) {
    if (!p.Computed()) return 0xFFFFFFFFu;
    auto element = [](const PointCase& c) {
        return c.duration ? static_cast<std::uint32_t>(c.duration->element) + 1 : 0u;
    };
    return element(p.full) | (p.reduced ? element(*p.reduced) << 8 : 0u);
}

class Search {
public:
    Search(const std::function<PointResult(double)>& at, const std::function<void()>& kept)
        : at_(at), kept_(kept) {}

    // The point at a bolted current of whole amperes (three decimals of kA).
    struct Tried {
        Worst worst;
        std::uint32_t answer = 0;
    };
    const Tried& Try(std::int64_t amps) {
        if (const auto it = tried_.find(amps); it != tried_.end()) return it->second;
        PointResult p = at_(static_cast<double>(amps) / 1000);
        ++evaluations_;
        Tried t{WorstOf(p), Answer(p)};
        if (std::isfinite(t.worst.energy) && (!best_ || t.worst.energy > bestEnergy_)) {
            bestEnergy_ = t.worst.energy;
            bestAmps_ = amps;
            bestReduced_ = t.worst.reduced;
            best_ = std::move(p);
            if (kept_) kept_();
        }
        return tried_.emplace(amps, t).first->second;
    }

    // The boundary between two currents whose device answers differ, to the
    // ampere: both sides of it tried.
    void Bisect(std::int64_t lo, std::int64_t hi) {
        const std::uint32_t low = Try(lo).answer;
        while (hi - lo > 1) {
            const std::int64_t mid = lo + (hi - lo) / 2;
            if (Try(mid).answer == low)
                lo = mid;
            else
                hi = mid;
        }
    }

    // The largest energy within [lo, hi] where it has one peak there.
    void Golden(std::int64_t lo, std::int64_t hi) {
        auto energy = [&](std::int64_t a) { return Try(a).worst.energy; };
        double a = static_cast<double>(lo), b = static_cast<double>(hi);
        while (b - a > 2) {
            const auto c = static_cast<std::int64_t>(std::llround(b - kGolden * (b - a)));
            const auto d = static_cast<std::int64_t>(std::llround(a + kGolden * (b - a)));
            if (c >= d) break;
            if (energy(c) >= energy(d))
                b = static_cast<double>(d);
            else
                a = static_cast<double>(c);
        }
        for (auto x = static_cast<std::int64_t>(std::ceil(a)); x <= static_cast<std::int64_t>(b);
             ++x)
            Try(x);
    }

    std::optional<RangeWorst> Result() {
        if (!best_) return std::nullopt;
        RangeWorst w;
        w.range.boltedKa = static_cast<double>(bestAmps_) / 1000;
        w.range.worst = bestReduced_ ? *best_->reduced : best_->full;
        w.range.arcingKa = w.range.worst.arcingCurrent;
        w.range.evaluations = evaluations_;
        w.at = std::move(*best_);
        return w;
    }

    const std::map<std::int64_t, Tried>& tried() const { return tried_; }

private:
    const std::function<PointResult(double)>& at_;
    const std::function<void()>& kept_;
    std::map<std::int64_t, Tried> tried_;
    std::optional<PointResult> best_;
    double bestEnergy_ = 0;
    std::int64_t bestAmps_ = 0;
    bool bestReduced_ = false;
    int evaluations_ = 0;
};

}  // namespace

std::optional<RangeWorst> FindRangeWorst(const std::function<PointResult(double)>& at, double loKa,
                                         double hiKa, const std::function<void()>& kept) {
    if (!(std::isfinite(loKa) && std::isfinite(hiKa))) return std::nullopt;
    auto lo = static_cast<std::int64_t>(std::llround(loKa * 1000));
    auto hi = static_cast<std::int64_t>(std::llround(hiKa * 1000));
    if (lo > hi) std::swap(lo, hi);
    Search s(at, kept);
    std::vector<std::int64_t> grid;
    for (int i = 0; i <= kGridIntervals; ++i) {
        const std::int64_t amps = lo + (hi - lo) * i / kGridIntervals;
        if (grid.empty() || grid.back() != amps) grid.push_back(amps);
    }
    for (std::int64_t amps : grid) s.Try(amps);
    // Every step of the duration between two neighbours of the grid.
    for (std::size_t i = 1; i < grid.size(); ++i) {
        if (s.tried().at(grid[i - 1]).answer != s.tried().at(grid[i]).answer)
            s.Bisect(grid[i - 1], grid[i]);
    }
    // The best currents of the grid, each refined between its neighbours.
    std::vector<std::size_t> order(grid.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return s.tried().at(grid[a]).worst.energy > s.tried().at(grid[b]).worst.energy;
    });
    for (std::size_t k = 0; k < order.size() && k < kRefined; ++k) {
        const std::size_t i = order[k];
        if (!std::isfinite(s.tried().at(grid[i]).worst.energy)) break;
        s.Golden(grid[i == 0 ? 0 : i - 1], grid[std::min(i + 1, grid.size() - 1)]);
    }
    return s.Result();
}

}  // namespace zentavo

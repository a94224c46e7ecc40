// SPDX-License-Identifier: GPL-3.0-or-later
// The placer's columns, levels and lanes, and the places of the parts.
#include <algorithm>
#include <tuple>

#include "oneline/placer.h"

namespace zentavo::oneline::placing {

void Placer::Widths() {
    followed_.assign(m_, false);
    for (std::size_t e = 0; e < m_; ++e) {
        if (nextTo_[e] >= 0) followed_[static_cast<std::size_t>(nextTo_[e])] = true;
    }
    tieFree_.assign(n_, true);
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        const auto b = static_cast<std::size_t>(*it);
        for (std::size_t k = at_[b]; k < at_[b + 1]; ++k) {
            if (!tieEnds_[static_cast<std::size_t>(touching_[k])].empty()) tieFree_[b] = false;
        }
        for (const Item& item : downs_[b]) {
            if (item.kind != Item::Branch) continue;
            for (int c : children_[static_cast<std::size_t>(item.element)])
                tieFree_[b] = tieFree_[b] && tieFree_[static_cast<std::size_t>(c)];
        }
    }
    rowOf_.assign(m_, 0);
    rows_.assign(n_, 1);
    rowLevel_.assign(n_, {0});
    extent_.assign(n_, 0);
    width_.assign(n_, 1);
    // Side by side first; then each bus's limit from the sources down (a
    // column less under a bus that wraps, for its riser); then each bus in
    // rows where it still spreads wider than its limit.
    const std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t> limit(n_, budget_ > 0 ? budget_ : none);
    for (int pass = 0; pass < (budget_ > 0 ? 2 : 1); ++pass) {
        for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
            const auto b = static_cast<std::size_t>(*it);
            Wrap(b, pass == 0 ? none : limit[b]);
            Extent(b);
        }
        if (pass == 1) break;
        for (int bus : order_) {
            const auto b = static_cast<std::size_t>(bus);
            std::size_t below = 0;
            bool movable = false;
            for (const Item& item : downs_[b]) {
                below += ItemWidth(item);
                movable = movable || Wrappable(item);
            }
            // A single item is never wrapped: it keeps the bus's limit.
            const bool wraps = below > limit[b] && movable && downs_[b].size() > 1 && tieFree_[b];
            const std::size_t under = wraps ? std::max<std::size_t>(limit[b], 3) - 1 : limit[b];
            for (const Item& item : downs_[b]) {
                if (item.kind != Item::Branch) continue;
                for (int c : children_[static_cast<std::size_t>(item.element)])
                    limit[static_cast<std::size_t>(c)] = under;
            }
        }
    }
}

void Placer::Wrap(std::size_t b, std::size_t limit) {
    const std::vector<Item>& items = downs_[b];
    std::size_t below = 0, fixed = 0;
    std::vector<std::size_t> movable;  // the items that may hang from further rows
    for (std::size_t k = 0; k < items.size(); ++k) {
        const std::size_t w = ItemWidth(items[k]);
        below += w;
        if (Wrappable(items[k]))
            movable.push_back(k);
        else
            fixed += w;
    }
    width_[b] = std::max<std::size_t>({ups_[b].size(), below, 1});
    rows_[b] = 1;
    for (std::size_t k : movable) rowOf_[static_cast<std::size_t>(items[k].element)] = 0;
    // A bus touched by a tie or a second circuit, or with one under it,
    // is not wrapped: the runs of those would cross its riser.
    if (below <= limit || movable.empty() || !tieFree_[b]) return;
    // Right of the riser: the first row keeps what must stay under the bar
    // itself, then the movable items, those with the fewest levels under
    // them first (so that a deep one does not push the rows after it down),
    // fill it and the further rows in turn.
    const auto depth = [&](std::size_t i) {
        return extent_[static_cast<std::size_t>(
            children_[static_cast<std::size_t>(items[i].element)].front())];
    };
    std::stable_sort(movable.begin(), movable.end(),
                     [&](std::size_t x, std::size_t y) { return depth(x) < depth(y); });
    const std::size_t room = std::max<std::size_t>(limit, 3) - 1;
    std::size_t first = fixed, k = 0;
    while (k < movable.size() && first + ItemWidth(items[movable[k]]) <= room)
        first += ItemWidth(items[movable[k++]]);
    std::vector<std::size_t> rest(movable.begin() + static_cast<std::ptrdiff_t>(k), movable.end());
    if (rest.empty()) return;
    std::size_t widest = first, row = 1, used = 0;
    for (std::size_t i : rest) {
        const std::size_t w = ItemWidth(items[i]);
        if (used > 0 && used + w > room) {
            ++row;
            used = 0;
        }
        used += w;
        widest = std::max(widest, used);
        rowOf_[static_cast<std::size_t>(items[i].element)] = row;
    }
    const std::size_t wrapped = std::max<std::size_t>(ups_[b].size(), 1 + widest);
    if (wrapped >= width_[b]) {
        for (std::size_t i : rest) rowOf_[static_cast<std::size_t>(items[i].element)] = 0;
        return;
    }
    rows_[b] = row + 1;
    width_[b] = wrapped;
}

void Placer::Extent(std::size_t b) {
    std::vector<std::size_t> reach(rows_[b], 0);  // per row: the levels its parts reach under it
    for (const Item& item : downs_[b]) {
        if (item.kind != Item::Branch) continue;
        std::size_t& r = reach[RowOf(item)];
        for (int c : children_[static_cast<std::size_t>(item.element)])
            r = std::max(r, 1 + extent_[static_cast<std::size_t>(c)]);
    }
    rowLevel_[b].assign(rows_[b], 0);
    for (std::size_t r = 1; r < rows_[b]; ++r)
        rowLevel_[b][r] = rowLevel_[b][r - 1] + reach[r - 1] + 1;
    extent_[b] = rowLevel_[b].back() + reach.back();
}

void Placer::Levels() {
    level_.assign(n_, 0);
    std::size_t deepest = 0;
    for (int bus : order_) {
        const auto b = static_cast<std::size_t>(bus);
        deepest = std::max(deepest, level_[b]);
        for (const Item& item : downs_[b]) {
            if (item.kind != Item::Branch) continue;
            for (int c : children_[static_cast<std::size_t>(item.element)])
                level_[static_cast<std::size_t>(c)] = level_[b] + rowLevel_[b][RowOf(item)] + 1;
        }
    }
    layers_ = static_cast<int>(deepest) + 1;
}

// The first column of each bus and of each item, from the sources down.
void Placer::Columns() {
    left_.assign(n_, 0);
    symbolColumn_.assign(m_, 0);
    tieColumns_.assign(m_, {});
    downColumn_.assign(m_, 0);
    std::size_t cursor = 0;
    for (int r : roots_) {
        left_[static_cast<std::size_t>(r)] = cursor;
        cursor += width_[static_cast<std::size_t>(r)];
    }
    columns_ = cursor;
    for (int bus : order_) {
        const auto b = static_cast<std::size_t>(bus);
        for (std::size_t k = 0; k < ups_[b].size(); ++k) {
            const Item& item = ups_[b][k];
            if (item.kind == Item::Up)
                downColumn_[static_cast<std::size_t>(item.element)] = left_[b] + k;
            if (item.kind == Item::Arrival)
                arrivals_[static_cast<std::size_t>(item.element)]
                         [static_cast<std::size_t>(item.end)] = left_[b] + k;
        }
        // Each row's items from its first column (right of the riser in a wrapped bus).
        std::vector<std::size_t> next(rows_[b], left_[b] + (rows_[b] > 1 ? 1 : 0));
        for (const Item& item : downs_[b]) {
            const auto e = static_cast<std::size_t>(item.element);
            std::size_t& s = next[RowOf(item)];
            if (item.kind == Item::Branch) {
                symbolColumn_[e] = s;
                for (int c : children_[e]) {
                    left_[static_cast<std::size_t>(c)] = s;
                    s += width_[static_cast<std::size_t>(c)];
                }
                for (std::size_t k = 0; k < tieEnds_[e].size(); ++k) tieColumns_[e].push_back(s++);
                if (motorBeside_[e] >= 0)
                    downColumn_[static_cast<std::size_t>(motorBeside_[e])] = symbolColumn_[e];
            } else if (item.kind == Item::Motor) {
                downColumn_[e] = s++;
            } else {  // an arrival from this layer
                arrivals_[e][static_cast<std::size_t>(item.end)] = s++;
            }
        }
    }
}

// The lanes of the ties between each layer and the next: each tie's run
// along its own lane, lanes shared by runs that do not meet.
void Placer::Lanes() {
    lanes_.assign(static_cast<std::size_t>(std::max(layers_, 1)), 0);
    struct Run {
        std::size_t from, to;
        std::size_t element, end;
    };
    std::vector<std::vector<Run>> runs(lanes_.size());
    laneOf_.resize(m_);
    for (std::size_t e = 0; e < m_; ++e) {
        laneOf_[e].assign(tieEnds_[e].size(), 0);
        for (std::size_t k = 0; k < tieEnds_[e].size() && !Parallel(e); ++k) {
            const std::size_t a = tieColumns_[e][k], b = arrivals_[e][k];
            runs[level_[static_cast<std::size_t>(parent_[e])]].push_back(
                {std::min(a, b), std::max(a, b), e, k});
        }
    }
    for (std::size_t layer = 0; layer < runs.size(); ++layer) {
        auto& list = runs[layer];
        std::sort(list.begin(), list.end(), [](const Run& a, const Run& b) {
            return std::tie(a.from, a.to, a.element, a.end) <
                   std::tie(b.from, b.to, b.element, b.end);
        });
        std::vector<std::size_t> lastTo;  // per lane: the last column its runs reach
        for (const Run& r : list) {
            std::size_t lane = 0;
            while (lane < lastTo.size() && lastTo[lane] >= r.from) ++lane;
            if (lane == lastTo.size()) lastTo.push_back(0);
            lastTo[lane] = r.to;
            laneOf_[r.element][r.end] = lane;
        }
        lanes_[layer] = lastTo.size();
    }
    // The layers whose branches part into legs (a three-winding
    // transformer, a branch that also closes a loop) below them.
    legs_.assign(lanes_.size(), false);
    for (std::size_t e = 0; e < m_; ++e) {
        if (Linking(e) && !Parallel(e) && children_[e].size() + tieEnds_[e].size() > 1)
            legs_[level_[static_cast<std::size_t>(parent_[e])]] = true;
    }
}

Layout Placer::Place() {
    Layout out;
    out.layers = layers_;
    std::vector<double> y(lanes_.size());
    double at = kMargin + kBandAbove;
    for (std::size_t d = 0; d < y.size(); ++d) {
        y[d] = at;
        if (d + 1 == y.size()) break;
        if (lanes_[d] == 0 && !legs_[d]) {
            // No lane and no legs: the next layer's notes stand beside
            // the links down to it, in the columns of their own buses,
            // while the devices and symbols of those links fill the
            // band under this layer. The cut runs under those notes,
            // over the next layer's bars.
            at += kCompactPitch;
            out.breaks.push_back(at - kBarHeight / 2 - kNoteInset / 2);
        } else {
            out.breaks.push_back(at + kBandBelow + kLane / 2);
            at += kBandBelow + static_cast<double>(lanes_[d] + 1) * kLane + kBandAbove;
        }
    }
    out.columns = columns_;
    out.width = 2 * kMargin + static_cast<double>(columns_) * kSlot;
    out.height = (y.empty() ? kMargin + kBandAbove : y.back()) + kBandBelow + kMargin;
    const auto busY = [&](int b) { return y[level_[static_cast<std::size_t>(b)]]; };
    // Where an element below its bus hangs from: its bar's row.
    const auto hangY = [&](std::size_t e, int b) {
        return y[HangLevel(e, static_cast<std::size_t>(b))];
    };

    out.buses.resize(n_);
    for (std::size_t b = 0; b < n_; ++b) {
        PlacedBus& p = out.buses[b];
        p.layer = static_cast<int>(level_[b]);
        p.y = y[level_[b]];
        // Each row's bar to its last item's column (the first also to its
        // last column above it), right of the riser in a wrapped bus.
        std::vector<std::size_t> last(rows_[b], 0), s(rows_[b], rows_[b] > 1 ? 1 : 0);
        last[0] = ups_[b].empty() ? 0 : ups_[b].size() - 1;
        for (const Item& item : downs_[b]) {
            const std::size_t r = RowOf(item);
            last[r] = std::max(last[r], s[r]);
            s[r] += ItemWidth(item);
        }
        for (const Item& i : pieces_[b].downParallels)
            last[0] =
                std::max(last[0], arrivals_[static_cast<std::size_t>(i.element)][0] - left_[b]);
        const double left = kMargin + static_cast<double>(left_[b]) * kSlot;
        p.x0 = left + kBarInset;
        p.x1 = left + static_cast<double>(last[0] + 1) * kSlot - kBarInset;
        for (std::size_t r = 1; r < rows_[b]; ++r) {
            p.rows.push_back({left + static_cast<double>(last[r] + 1) * kSlot - kBarInset,
                              y[level_[b] + rowLevel_[b][r]]});
        }
        p.riser = p.x0 + kBarHeight / 2;  // down the bars' left end
        const auto note = std::find_if(ups_[b].begin(), ups_[b].end(),
                                       [](const Item& i) { return i.kind == Item::Note; });
        if (note != ups_[b].end()) {
            const double x =
                left + static_cast<double>(note - ups_[b].begin()) * kSlot + kNoteInset;
            p.note = {x, p.y - kBarHeight / 2 - kNoteInset - kNoteHeight, kSlot - 2 * kNoteInset,
                      kNoteHeight};
        } else {
            p.note = {left + kNoteInset, p.y + kBarHeight / 2 + kNoteInset, kSlot - 2 * kNoteInset,
                      kNoteHeight};
        }
    }

    out.elements.resize(m_);
    for (std::size_t e = 0; e < m_; ++e) {
        const DiagramElement& element = d_.elements[e];
        PlacedElement& p = out.elements[e];
        if (ends_[e].empty()) continue;
        const int bus = ends_[e].front();
        if (!Linking(e)) {
            // Above its bus (a source, a generator, a branch with one
            // bus), or a motor below it.
            const bool motor = element.kind == ElementKind::Motor;
            const bool paired = motor && beside_[e] >= 0;
            const double x = X(downColumn_[e]) - (paired ? kSlot / 4 : 0),
                         yb = motor ? hangY(e, bus) : busY(bus);
            p.direction = motor ? 1 : -1;
            p.symbol = {x, yb + p.direction * kSymbolOffset};
            double end = p.symbol.y;
            if (element.kind == ElementKind::Unit) end -= kUnitGenerator;
            if (!IsShunt(element.kind)) end -= kStubEnd;
            p.links.push_back({{x, yb}, {x, end}});
            if (element.device != DeviceMark::None)
                p.device = Point{x, yb + p.direction * kDeviceOffset};
            // Beside a branch's link: its text under the circle, in its half of the column.
            p.text = paired ? Box{x - kSlot / 4 + 2, p.symbol.y + kSymbolRadius + 1, kSlot / 2 - 4,
                                  kTextLine}
                            : TextBeside(p.symbol, element.kind);
            continue;
        }
        const int from = parent_[e];
        if (Parallel(e)) {
            const double x = X(arrivals_[e][0]), yp = busY(from);
            p.symbol = {x, yp + kSymbolOffset};
            p.text = TextBeside(p.symbol, element.kind);
            p.tie = true;
            p.links.push_back({{x, yp}, {x, busY(tieEnds_[e].front())}});
            PlaceDevice(e, p, {tieEnds_[e].front()});
            continue;
        }
        const double yp = hangY(e, from), x = X(symbolColumn_[e]);
        p.direction = 1;
        p.symbol = {x, yp + kSymbolOffset};
        p.text = TextBeside(p.symbol, element.kind);
        p.tie = !tieEnds_[e].empty();
        // The legs: to each bus it feeds, then to each bus it closes a loop with.
        bool first = true;
        auto leg = [&](double column, std::vector<Point> tail) {
            std::vector<Point> line;
            if (first) {
                line.push_back({x, yp});
            } else if (column != x) {
                line.push_back(p.symbol);
                line.push_back({x, yp + kBendOffset});
                line.push_back({column, yp + kBendOffset});
            } else {
                line.push_back(p.symbol);
            }
            if (line.back().x != column) line.push_back({column, line.back().y});
            line.insert(line.end(), tail.begin(), tail.end());
            p.links.push_back(std::move(line));
            first = false;
        };
        for (int c : children_[e]) {
            const double cx = X(left_[static_cast<std::size_t>(c)]);
            leg(cx, {{cx, busY(c)}});
        }
        for (std::size_t k = 0; k < tieEnds_[e].size(); ++k) {
            const double tx = X(tieColumns_[e][k]), ax = X(arrivals_[e][k]);
            const double lane = yp + kBandBelow + static_cast<double>(laneOf_[e][k] + 1) * kLane;
            leg(tx, {{tx, lane}, {ax, lane}, {ax, busY(tieEnds_[e][k])}});
        }
        std::vector<int> reached = children_[e];
        reached.insert(reached.end(), tieEnds_[e].begin(), tieEnds_[e].end());
        PlaceDevice(e, p, reached);
    }
    return out;
}

// A branch's device on its link at the bus its row puts it at
// (DiagramElement::deviceAtFrom), kDeviceOffset along the link from
// that bus: at the first bus, on the start of its first link; at
// another, on the end of the link that reaches it (`reached`: the bus
// each link reaches, in the order of the links).
void Placer::PlaceDevice(std::size_t e, PlacedElement& p, const std::vector<int>& reached) const {
    const DiagramElement& element = d_.elements[e];
    if (element.device == DeviceMark::None || p.links.empty()) return;
    const int at = element.deviceAtFrom ? element.buses[0] : element.buses[1];
    const auto link = std::find(reached.begin(), reached.end(), at);
    if (at < 0 || at == parent_[e] || link == reached.end()) {
        p.device = Toward(p.links.front()[0], p.links.front()[1]);
    } else {
        const std::vector<Point>& line = p.links[static_cast<std::size_t>(link - reached.begin())];
        p.device = Toward(line.back(), line[line.size() - 2]);
    }
}

}  // namespace zentavo::oneline::placing

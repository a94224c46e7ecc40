// SPDX-License-Identifier: GPL-3.0-or-later
// What of a laid-out one-line is at a point: the study window's click and
// hover ask here.
#include "oneline/layout.h"

namespace zentavo::oneline {

std::vector<Box> PlacedBus::Bars() const {
    std::vector<Box> bars{Bar()};
    for (const Row& row : rows)
        bars.push_back({x0, row.y - kBarHeight / 2, row.x1 - x0, kBarHeight});
    if (!rows.empty()) bars.push_back({riser - kBarHeight / 2, y, kBarHeight, rows.back().y - y});
    return bars;
}

std::optional<std::size_t> ElementAt(const Layout& layout, Point p) {
    for (std::size_t e = 0; e < layout.elements.size(); ++e) {
        const PlacedElement& placed = layout.elements[e];
        if (placed.links.empty()) continue;
        const double dx = p.x - placed.symbol.x, dy = p.y - placed.symbol.y;
        if (dx * dx + dy * dy <= kSymbolRadius * kSymbolRadius || placed.text.Contains(p)) return e;
    }
    return std::nullopt;
}

std::optional<std::size_t> BusAt(const Layout& layout, Point p, double slack) {
    for (std::size_t b = 0; b < layout.buses.size(); ++b) {
        const PlacedBus& bus = layout.buses[b];
        if (bus.note.Contains(p)) return b;
        for (const Box& bar : bus.Bars()) {
            if (Box{bar.x - slack, bar.y - slack, bar.w + 2 * slack, bar.h + 2 * slack}.Contains(p))
                return b;
        }
    }
    return std::nullopt;
}

}  // namespace zentavo::oneline

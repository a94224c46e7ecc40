// SPDX-License-Identifier: GPL-3.0-or-later
// The one-line layout's placer (LayOut, oneline/layout.h): its walk from
// the sources and the items above and below each bus (layout.cpp), and
// their columns, rows, levels and places (layout_place.cpp). Inside the
// oneline library only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "oneline/layout.h"

namespace zentavo::oneline::placing {

// A generator's circle above its unit transformer's symbol.
constexpr double kUnitGenerator = 30;
// A branch with one bus: its link ends this far above its symbol.
constexpr double kStubEnd = 22;
// Between a bus bar's end and its columns' edges.
constexpr double kBarInset = 6;
constexpr double kNoteInset = 4;

inline bool IsShunt(ElementKind k) {
    return k == ElementKind::Source || k == ElementKind::Generator || k == ElementKind::Unit ||
           k == ElementKind::Motor;
}

// What takes a column above or below a bus.
struct Item {
    enum Kind : std::uint8_t { Feed, Note, Up, Branch, Motor, Arrival } kind;
    int element = -1;
    int end = -1;  // an arrival: which of the element's tie ends
};

class Placer {
public:
    // `columns`: LayOut's limit on a bus's width (0: none).
    Placer(const Diagram& d, std::size_t columns)
        : d_(d), n_(d.buses.size()), m_(d.elements.size()), budget_(columns) {}

    Layout Run();

private:
    // The distinct buses of each element, and the branches at each bus.
    void Ends();

    // A branch between two buses or more (not a shunt, nor a branch whose row names one bus).
    bool Linking(std::size_t e) const {
        return !IsShunt(d_.elements[e].kind) && ends_[e].size() >= 2;
    }

    // A second circuit: a branch between two buses alone, the second of
    // which the first feeds by another branch. It runs straight down beside
    // that branch.
    bool Parallel(std::size_t e) const {
        if (!children_[e].empty() || tieEnds_[e].size() != 1) return false;
        const int f = feed_[static_cast<std::size_t>(tieEnds_[e].front())];
        return f >= 0 && parent_[static_cast<std::size_t>(f)] == parent_[e];
    }

    // Breadth first from every source at once, then from the generators of
    // the buses not reached, then from each bus left, in bus order.
    void Walk();

    void Root(int b, std::vector<int>& starts);

    void Spread(const std::vector<int>& starts);

    // What takes a column above or below each bus, before it is put in order.
    void Items();

    // The columns of each bus in order: below it the ties that go left (or
    // come from the left), its branches to the buses it feeds, its motors,
    // then the ties to and from the right; above it its feed, its note, the
    // ties from the left, its sources and generators, the ties from the
    // right. A tie's run then crosses no link of its own buses.
    void Arrange();

    // With every tie placed to the right: which go left. A tie to a bus
    // within its own bus's columns (the bus it feeds by another branch)
    // goes right after that branch, and comes into that bus from the right.
    void Turn(bool pull);

    // Bus `o`'s columns lie within bus `p`'s.
    bool Inside(std::size_t o, std::size_t p) const {
        return left_[o] >= left_[p] && left_[o] < left_[p] + width_[p];
    }

    static int Sign(int v) { return (v > 0) - (v < 0); }

    std::size_t ItemWidth(const Item& item) const {
        if (item.kind != Item::Branch) return 1;
        const auto e = static_cast<std::size_t>(item.element);
        std::size_t w = tieEnds_[e].size();
        for (int c : children_[e]) w += width_[static_cast<std::size_t>(c)];
        return w;
    }

    // Each bus's columns, from the deepest layer up: its items side by
    // side, or (with a limit) in rows where they would spread wider than
    // the bus's limit; and the levels each bus's parts reach under it.
    void Widths();
    // Bus b's width, its items in rows where they spread wider than `limit`.
    void Wrap(std::size_t b, std::size_t limit);
    // The levels of bus b's rows under its first bar, and of its parts.
    void Extent(std::size_t b);
    // A branch that may hang from a further row of its bus (one with no tie
    // at it nor under it: Wrap): to one bus,
    // closing no loop, no tie following it, and no tie nor second circuit
    // at any bus under it (those keep the layers of the walk).
    bool Wrappable(const Item& item) const {
        if (item.kind != Item::Branch) return false;
        const auto e = static_cast<std::size_t>(item.element);
        return children_[e].size() == 1 && tieEnds_[e].empty() && !followed_[e] &&
               tieFree_[static_cast<std::size_t>(children_[e].front())];
    }
    // The row of its bus's bar an item hangs from (0: the first).
    std::size_t RowOf(const Item& item) const {
        return item.kind == Item::Branch ? rowOf_[static_cast<std::size_t>(item.element)] : 0;
    }
    // The level of the bar element e hangs from at bus b.
    std::size_t HangLevel(std::size_t e, std::size_t b) const {
        const int branch =
            d_.elements[e].kind == ElementKind::Motor ? beside_[e] : static_cast<int>(e);
        const std::size_t row = branch >= 0 ? rowOf_[static_cast<std::size_t>(branch)] : 0;
        return level_[b] + rowLevel_[b][row];
    }
    // Each bus's level, from the sources down.
    void Levels();

    // The first column of each bus and of each item, from the sources down.
    void Columns();

    // The lanes of the ties between each layer and the next: each tie's run
    // along its own lane, lanes shared by runs that do not meet.
    void Lanes();

    double X(std::size_t column) const {
        return kMargin + (static_cast<double>(column) + 0.5) * kSlot;
    }

    Layout Place();

    // The box of an element's text: right of its symbol (of its link, for a
    // cable, clear of a device's mark on it) to a point short of its
    // column's edge, kTextBoxLines lines centred on the symbol: from under
    // a device at its bus to over a device at the bus it reaches.
    static Box TextBeside(Point symbol, ElementKind kind) {
        const double clear = kind == ElementKind::Cable ? 5
                             : kind == ElementKind::Transformer || kind == ElementKind::Unit
                                 ? 0.8 * kSymbolRadius + 3
                                 : kSymbolRadius + 4;
        const double x = symbol.x + clear, h = static_cast<double>(kTextBoxLines) * kTextLine;
        return {x, symbol.y - h / 2, symbol.x + kSlot / 2 - 1 - x, h};
    }

    // A branch's device on its link at the bus its row puts it at
    // (DiagramElement::deviceAtFrom), kDeviceOffset along the link from
    // that bus: at the first bus, on the start of its first link; at
    // another, on the end of the link that reaches it (`reached`: the bus
    // each link reaches, in the order of the links).
    void PlaceDevice(std::size_t e, PlacedElement& p, const std::vector<int>& reached) const;

    // kDeviceOffset from `a` towards `b`, along a vertical or horizontal segment.
    static Point Toward(Point a, Point b) {
        const auto step = [](double from, double to) {
            return from + (to > from ? kDeviceOffset : to < from ? -kDeviceOffset : 0);
        };
        return {step(a.x, b.x), step(a.y, b.y)};
    }

    const Diagram& d_;
    const std::size_t n_, m_;
    std::vector<std::vector<int>> ends_;
    std::vector<std::size_t> at_;  // the branches at bus b: touching_[at_[b] .. at_[b + 1])
    std::vector<int> touching_;
    std::vector<int> depth_, feed_, parent_, roots_, order_;
    std::vector<std::vector<int>> children_, tieEnds_;
    struct Pieces {
        std::vector<Item> branches, motors, departures, downArrivals, extras, upArrivals;
        std::vector<Item> parallels;      // second circuits of its feed, beside it
        std::vector<Item> downParallels;  // second circuits it feeds
    };
    std::vector<Pieces> pieces_;
    std::vector<std::vector<Item>> ups_, downs_;
    // Per element, per tie end: its run goes left from its first bus, comes
    // into the other bus from the left.
    std::vector<std::vector<bool>> leftward_, fromLeft_;
    // Per element: a tie to a bus its first bus feeds goes right after the
    // branch that feeds it (that branch's element); -1 for none.
    std::vector<int> nextTo_;
    // Per branch: the ties at the buses it feeds pull it left (below 0) or
    // right among its bus's branches.
    std::vector<int> pull_;
    // Per motor: the branch whose column it shares (its element); -1: a column of its own.
    std::vector<int> beside_;
    std::vector<int> motorBeside_;  // per branch: the motor in its column; -1: none
    std::vector<std::size_t> width_, left_, symbolColumn_, downColumn_;
    std::vector<std::vector<std::size_t>> tieColumns_, arrivals_, laneOf_;
    std::vector<std::size_t> lanes_;
    std::vector<bool> legs_;  // per level: a branch below it parts into legs
    std::size_t columns_ = 0;
    int layers_ = 0;
    const std::size_t budget_;  // the widest a bus may be, columns; 0: no limit
    // Per branch: a tie follows it; per bus: nothing under it has a tie.
    std::vector<bool> followed_, tieFree_;
    std::vector<std::size_t> rows_;   // per bus: the rows of its bar (1: not wrapped)
    std::vector<std::size_t> rowOf_;  // per branch: the row it hangs from
    // Per bus: the level of each row's bar, from its first; the levels its
    // parts reach under its first bar; its level.
    std::vector<std::vector<std::size_t>> rowLevel_;
    std::vector<std::size_t> extent_, level_;
};

}  // namespace zentavo::oneline::placing

// SPDX-License-Identifier: GPL-3.0-or-later
// The one-line diagram's places: where each bus bar, note, element symbol,
// device mark and link goes, in points (1/72 inch) at scale 1, y downwards.
// No toolkit: the painter (render/one_line_painter.h) draws what is placed
// here on a window, a PDF page or an SVG file alike.
//
// The drawing is layered: the buses reached from the sources in the fewest
// branches form the first layer, under the sources; each bus lies one layer
// below the bus that feeds it (a breadth-first walk from every source at
// once, a bus's branches taken in row order). Each bus has an interval of
// columns (slots) of its own, holding the intervals of the buses it feeds
// side by side, so a radial network is drawn without a crossing. A branch
// that closes a loop (a tie, a second circuit) joins buses of one layer or
// of two layers next to each other (a breadth-first walk leaves no other);
// it leaves its first bus down a column of its own, runs along a lane of
// its own between the two layers, and reaches the other bus in a column of
// that bus's own: it may cross the links it passes, nothing else.
//
// Above each bus, in its columns: the link that feeds it (column 0), its
// note (column 1), then its sources, generators, units and the ties that
// arrive from the layer above. Below it: its motors, the branches to the
// buses it feeds, and the ties that leave it or arrive from its own layer;
// a motor beside the link of a branch to one bus (in the left half of that
// branch's column, its text under it) where there is one, else in a column
// of its own. A bus with nothing below it has its note below its bar.
// Laid out to a width (LayOut's `columns`), a bus whose branches would
// spread wider wraps them into rows: its bar goes on in further rows, each
// under the deepest part hanging from the row before, joined by a riser
// down its first column; the buses under a row lie on the levels below it.
// Only a bus with no tie and no second circuit at it or anywhere under it
// wraps (their runs would cross its riser, their layers would move), so
// that ties keep their layers (`layer` is a bus's level, a wrapped bus's
// rows counting as levels).
// Between two layers with no tie's lane and no branch parting into legs,
// the band under the one and the band over the other are one
// (kCompactPitch): the links' devices and symbols stand in the columns the
// links run down, the notes in other columns of their buses. Everything
// follows from the diagram alone: the same diagram gives the same places.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "oneline/diagram.h"

namespace zentavo::oneline {

struct Point {
    double x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
struct Box {
    double x = 0, y = 0, w = 0, h = 0;
    bool Contains(Point p) const { return p.x >= x && p.x <= x + w && p.y >= y && p.y <= y + h; }
    // The interiors meet.
    bool Overlaps(const Box& o) const {
        return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
    friend bool operator==(const Box&, const Box&) = default;
};

// The drawing's measures, points at scale 1.
// One column: 13 of them and the margin on one sheet across a landscape
// Letter page at the report's readable scale (render/one_line_painter.h),
// so that the plant example's 25 columns take two sheets. A note's lines
// (and an element's) too wide for it are wrapped, never cut: render/.
inline constexpr double kSlot = 87;
inline constexpr double kBarHeight = 5;   // a bus bar
inline constexpr double kBandBelow = 82;  // under a bus: its branches' devices and symbols
inline constexpr double kLane = 6;        // each lane of the ties between two layers
inline constexpr double kBandAbove = 86;  // over a bus: its note, sources, generators
// From a layer's bars to the next's where no tie runs and no branch parts
// into legs between them: the band under the one and the band over the
// other share their height.
inline constexpr double kCompactPitch = kBandBelow + kLane;
inline constexpr double kDeviceOffset = 17;  // a device's centre from its bus
inline constexpr double kSymbolOffset = 44;  // a symbol's centre from its bus
inline constexpr double kBendOffset = 68;    // where a three-winding transformer's legs part
inline constexpr double kSymbolRadius = 11;  // a motor's or generator's circle; a transformer's two
// A note: room for its kNoteLines lines and one more, its energy and PPE
// level on lines of their own where the column is too narrow for both.
inline constexpr double kNoteHeight = 68;
// An element's text: lines of kTextLine points, kTextLines of them at most
// (ElementLines), in a box of kTextBoxLines lines where they are wrapped.
inline constexpr double kTextLine = 7.4;
inline constexpr std::size_t kTextLines = 4;
inline constexpr std::size_t kTextBoxLines = 6;
inline constexpr double kMargin = 24;

struct PlacedBus {
    double x0 = 0, x1 = 0, y = 0;  // the bar from x0 to x1, centred on y
    Box note;                      // its note's box
    int layer = 0;
    // A bus whose branches are wrapped into rows (LayOut's `columns`): the
    // bar of each further row, from x0 to its own end, centred on its own
    // y, each below the deepest part hanging from the row before; a riser
    // down the bars' left ends (in its first column, where nothing hangs
    // below the bar), centred on `riser`, joins them.
    struct Row {
        double x1 = 0, y = 0;
    };
    std::vector<Row> rows;
    double riser = 0;
    Box Bar() const { return {x0, y - kBarHeight / 2, x1 - x0, kBarHeight}; }
    // Its bar, each further row's bar and the riser joining them.
    std::vector<Box> Bars() const;
};

struct PlacedElement {
    // Its links as polylines, each from a bus bar (a bus of the element's)
    // through the symbol: a branch from its first bus to each other one; a
    // source, generator, unit or motor from its bus to the symbol.
    std::vector<std::vector<Point>> links;
    Point symbol;                 // the centre of its symbol
    int direction = 1;            // +1: drawn below its bus, -1: above it
    std::optional<Point> device;  // the centre of its device's mark
    Box text;                     // where its text (ElementLines) goes, each line from its left
    bool tie = false;             // closes a loop: not on the tree from the sources
};

struct Layout {
    std::vector<PlacedBus> buses;         // by entry of Diagram::buses
    std::vector<PlacedElement> elements;  // by entry of Diagram::elements
    double width = 0, height = 0;
    int layers = 0;           // the levels of bars, a wrapped bus's rows among them
    std::size_t columns = 0;  // the columns, kSlot wide from kMargin on
    // Where the drawing may be cut across without cutting a note: between
    // each layer and the next, where the ties' lanes run. Cut down between
    // two columns, it cuts no note either.
    std::vector<double> breaks;
};

// `columns`: the widest a bus's branches may spread, in columns (0: no
// limit). A bus whose branches would spread wider hangs some of them from
// further rows of its bar, one under the other (PlacedBus::rows): a bus
// with no tie and no second circuit at it or under it, its branches to one
// bus each, those with the most levels under them in the last rows. The limit passes
// down to the buses below, a column less under a wrapped bus (its riser).
// Still wider where a bus may not wrap, or where its parts that stay under
// its first bar, or the buses under it at their narrowest, are wider.
Layout LayOut(const Diagram& diagram, std::size_t columns = 0);

// The element whose symbol (within kSymbolRadius of its centre) or text
// box holds `p`; none.
std::optional<std::size_t> ElementAt(const Layout& layout, Point p);

// The bus whose bars (PlacedBus::Bars, widened by `slack` each way) or note
// holds `p`; none.
std::optional<std::size_t> BusAt(const Layout& layout, Point p, double slack = 4);

}  // namespace zentavo::oneline

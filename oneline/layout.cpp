// SPDX-License-Identifier: GPL-3.0-or-later
#include "oneline/layout.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <tuple>

namespace zentavo::oneline {

namespace {

// A generator's circle above its unit transformer's symbol.
constexpr double kUnitGenerator = 30;
// A branch with one bus: its link ends this far above its symbol.
constexpr double kStubEnd = 22;
// Between a bus bar's end and its columns' edges.
constexpr double kBarInset = 6;
constexpr double kNoteInset = 4;

bool IsShunt(ElementKind k) {
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
    explicit Placer(const Diagram& d) : d_(d), n_(d.buses.size()), m_(d.elements.size()) {}

    Layout Run() {
        Ends();
        Walk();
        Items();
        Widths();
        Columns();
        // Placed with every tie to the right: each tie turned to the side of
        // its other bus, and the branches that lead to a bus with a tie to
        // elsewhere moved to that side; then the ties turned again for the
        // branches' new order.
        Turn(true);
        Arrange();
        Columns();
        Turn(false);
        Arrange();
        Columns();
        Lanes();
        return Place();
    }

private:
    // The distinct buses of each element, and the branches at each bus.
    void Ends() {
        ends_.resize(m_);
        std::vector<std::size_t> count(n_ + 1, 0);
        for (std::size_t e = 0; e < m_; ++e) {
            for (int b : d_.elements[e].buses) {
                if (b >= 0 && std::find(ends_[e].begin(), ends_[e].end(), b) == ends_[e].end())
                    ends_[e].push_back(b);
            }
            if (Linking(e)) {
                for (int b : ends_[e]) ++count[static_cast<std::size_t>(b) + 1];
            }
        }
        std::partial_sum(count.begin(), count.end(), count.begin());
        at_.assign(count.begin(), count.end());
        touching_.resize(count.back());
        for (std::size_t e = 0; e < m_; ++e) {
            if (!Linking(e)) continue;
            for (int b : ends_[e])
                touching_[count[static_cast<std::size_t>(b)]++] = static_cast<int>(e);
        }
    }
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
    void Walk() {
        depth_.assign(n_, -1);
        feed_.assign(n_, -1);
        parent_.assign(m_, -1);
        children_.resize(m_);
        tieEnds_.resize(m_);
        std::vector<int> starts;
        auto from = [&](bool (*wanted)(ElementKind)) {
            starts.clear();
            for (std::size_t e = 0; e < m_; ++e) {
                const int b = ends_[e].empty() ? -1 : ends_[e].front();
                if (wanted(d_.elements[e].kind) && b >= 0 &&
                    depth_[static_cast<std::size_t>(b)] < 0)
                    Root(b, starts);
            }
            Spread(starts);
        };
        from([](ElementKind k) { return k == ElementKind::Source; });
        from([](ElementKind k) { return k == ElementKind::Generator || k == ElementKind::Unit; });
        for (std::size_t b = 0; b < n_; ++b) {
            if (depth_[b] >= 0) continue;
            starts.clear();
            Root(static_cast<int>(b), starts);
            Spread(starts);
        }
    }
    void Root(int b, std::vector<int>& starts) {
        depth_[static_cast<std::size_t>(b)] = 0;
        roots_.push_back(b);
        starts.push_back(b);
    }
    void Spread(const std::vector<int>& starts) {
        std::size_t next = order_.size();
        order_.insert(order_.end(), starts.begin(), starts.end());
        while (next < order_.size()) {
            const int b = order_[next++];
            for (std::size_t k = at_[static_cast<std::size_t>(b)];
                 k < at_[static_cast<std::size_t>(b) + 1]; ++k) {
                const auto e = static_cast<std::size_t>(touching_[k]);
                if (parent_[e] >= 0) continue;
                parent_[e] = b;
                for (int o : ends_[e]) {
                    if (o == b) continue;
                    auto& depth = depth_[static_cast<std::size_t>(o)];
                    if (depth < 0) {
                        depth = depth_[static_cast<std::size_t>(b)] + 1;
                        feed_[static_cast<std::size_t>(o)] = static_cast<int>(e);
                        children_[e].push_back(o);
                        order_.push_back(o);
                    } else {
                        tieEnds_[e].push_back(o);
                    }
                }
            }
        }
    }

    // What takes a column above or below each bus, before it is put in order.
    void Items() {
        pieces_.resize(n_);
        arrivals_.resize(m_);
        for (std::size_t e = 0; e < m_; ++e) {
            const int b = ends_[e].empty() ? -1 : ends_[e].front();
            const Item item{Item::Up, static_cast<int>(e)};
            if (b < 0) continue;
            Pieces& p = pieces_[static_cast<std::size_t>(b)];
            if (d_.elements[e].kind == ElementKind::Motor) {
                p.motors.push_back({Item::Motor, static_cast<int>(e)});
            } else if (!Linking(e)) {
                p.extras.push_back(item);
            } else if (Parallel(e)) {
                // Beside the branch that feeds its other bus, in a column of that bus's own.
                pieces_[static_cast<std::size_t>(tieEnds_[e].front())].parallels.push_back(
                    {Item::Arrival, static_cast<int>(e), 0});
                pieces_[static_cast<std::size_t>(parent_[e])].downParallels.push_back(
                    {Item::Arrival, static_cast<int>(e), 0});
            } else if (children_[e].empty()) {
                pieces_[static_cast<std::size_t>(parent_[e])].departures.push_back(
                    {Item::Branch, static_cast<int>(e)});
            } else {
                pieces_[static_cast<std::size_t>(parent_[e])].branches.push_back(
                    {Item::Branch, static_cast<int>(e)});
            }
        }
        // A tie arrives above a bus of the next layer, below one of its own.
        for (std::size_t e = 0; e < m_; ++e) {
            arrivals_[e].assign(tieEnds_[e].size(), 0);
            for (std::size_t k = 0; k < tieEnds_[e].size() && !Parallel(e); ++k) {
                const auto o = static_cast<std::size_t>(tieEnds_[e][k]);
                const Item arrival{Item::Arrival, static_cast<int>(e), static_cast<int>(k)};
                if (depth_[o] > depth_[static_cast<std::size_t>(parent_[e])])
                    pieces_[o].upArrivals.push_back(arrival);
                else
                    pieces_[o].downArrivals.push_back(arrival);
            }
        }
        leftward_.assign(m_, {});
        fromLeft_.assign(m_, {});
        nextTo_.assign(m_, -1);
        pull_.assign(m_, 0);
        for (std::size_t e = 0; e < m_; ++e) {
            leftward_[e].assign(tieEnds_[e].size(), false);
            fromLeft_[e].assign(tieEnds_[e].size(), false);
        }
        Arrange();
    }

    // The columns of each bus in order: below it the ties that go left (or
    // come from the left), its branches to the buses it feeds, its motors,
    // then the ties to and from the right; above it its feed, its note, the
    // ties from the left, its sources and generators, the ties from the
    // right. A tie's run then crosses no link of its own buses.
    void Arrange() {
        ups_.assign(n_, {});
        downs_.assign(n_, {});
        beside_.assign(m_, -1);
        motorBeside_.assign(m_, -1);
        for (std::size_t b = 0; b < n_; ++b) {
            const Pieces& p = pieces_[b];
            // A departure on the side its run goes, an arrival on the side it comes from.
            const auto side = [&](const Item& i, bool left) {
                const auto e = static_cast<std::size_t>(i.element);
                if (i.kind == Item::Arrival)
                    return fromLeft_[e][static_cast<std::size_t>(i.end)] == left;
                return leftward_[e][0] == left;
            };
            std::vector<Item>& down = downs_[b];
            std::vector<Item> branches = p.branches;
            std::stable_sort(branches.begin(), branches.end(), [&](const Item& x, const Item& y) {
                return Sign(pull_[static_cast<std::size_t>(x.element)]) <
                       Sign(pull_[static_cast<std::size_t>(y.element)]);
            });
            // A tie to a bus this one feeds follows the branch that feeds it.
            const auto follows = [&](const Item& i) {
                return i.kind == Item::Branch ? nextTo_[static_cast<std::size_t>(i.element)] : -1;
            };
            for (bool left : {true, false}) {
                if (!left) {
                    for (const Item& branch : branches) {
                        down.push_back(branch);
                        for (const Item& i : p.departures) {
                            if (follows(i) == branch.element) down.push_back(i);
                        }
                    }
                    // The motors in order, each beside the link of the next
                    // branch to one bus without a tie (in the left half of its
                    // column) until one with a device of its own, whose mark
                    // and text would not fit there; the rest in columns of
                    // their own.
                    std::size_t paired = 0;
                    for (const Item& branch : branches) {
                        if (paired == p.motors.size()) break;
                        const auto e = static_cast<std::size_t>(branch.element);
                        const auto motor = static_cast<std::size_t>(p.motors[paired].element);
                        if (d_.elements[motor].device != DeviceMark::None) break;
                        if (children_[e].size() == 1 && tieEnds_[e].empty()) {
                            beside_[motor] = branch.element;
                            motorBeside_[e] = static_cast<int>(motor);
                            ++paired;
                        }
                    }
                    down.insert(down.end(), p.motors.begin() + static_cast<std::ptrdiff_t>(paired),
                                p.motors.end());
                }
                for (const auto* list : {&p.departures, &p.downArrivals}) {
                    for (const Item& i : *list) {
                        if (side(i, left) && follows(i) < 0) down.push_back(i);
                    }
                }
            }
            std::vector<Item> extras;
            for (const Item& i : p.upArrivals) {
                if (side(i, true)) extras.push_back(i);
            }
            extras.insert(extras.end(), p.extras.begin(), p.extras.end());
            for (const Item& i : p.upArrivals) {
                if (side(i, false)) extras.push_back(i);
            }
            std::vector<Item>& up = ups_[b];
            std::size_t x = 0;
            if (feed_[b] >= 0) {
                up.push_back({Item::Feed});
                up.insert(up.end(), p.parallels.begin(), p.parallels.end());
            } else if (!extras.empty())
                up.push_back(extras[x++]);
            if (!down.empty()) up.push_back({Item::Note});
            up.insert(up.end(), extras.begin() + static_cast<std::ptrdiff_t>(x), extras.end());
        }
    }

    // With every tie placed to the right: which go left. A tie to a bus
    // within its own bus's columns (the bus it feeds by another branch)
    // goes right after that branch, and comes into that bus from the right.
    void Turn(bool pull) {
        for (std::size_t e = 0; e < m_; ++e) {
            const auto p = static_cast<std::size_t>(parent_[e]);
            nextTo_[e] = -1;
            for (std::size_t k = 0; k < tieEnds_[e].size() && !Parallel(e); ++k) {
                const auto o = static_cast<std::size_t>(tieEnds_[e][k]);
                const bool inside = Inside(o, p);
                leftward_[e][k] = !inside && left_[o] < left_[p];
                fromLeft_[e][k] = !inside && left_[o] > left_[p];
                if (inside && k == 0 && children_[e].empty()) nextTo_[e] = feed_[o];
                if (!pull) continue;
                // Each end pulls the branch that feeds it towards the other
                // end, unless that end lies within the feeding bus's columns.
                for (auto [c, other] : {std::pair{p, o}, std::pair{o, p}}) {
                    const int f = feed_[c];
                    if (f < 0 || Inside(other, static_cast<std::size_t>(
                                                   parent_[static_cast<std::size_t>(f)])))
                        continue;
                    pull_[static_cast<std::size_t>(f)] += left_[other] < left_[c] ? -1 : 1;
                }
            }
        }
    }
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

    // Each bus's columns, from the deepest layer up.
    void Widths() {
        width_.assign(n_, 1);
        for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
            const auto b = static_cast<std::size_t>(*it);
            std::size_t below = 0;
            for (const Item& item : downs_[b]) below += ItemWidth(item);
            width_[b] = std::max<std::size_t>({ups_[b].size(), below, 1});
        }
    }

    // The first column of each bus and of each item, from the sources down.
    void Columns() {
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
            std::size_t s = left_[b];
            for (const Item& item : downs_[b]) {
                const auto e = static_cast<std::size_t>(item.element);
                if (item.kind == Item::Branch) {
                    symbolColumn_[e] = s;
                    for (int c : children_[e]) {
                        left_[static_cast<std::size_t>(c)] = s;
                        s += width_[static_cast<std::size_t>(c)];
                    }
                    for (std::size_t k = 0; k < tieEnds_[e].size(); ++k)
                        tieColumns_[e].push_back(s++);
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
    void Lanes() {
        int layers = 0;
        for (int d : depth_) layers = std::max(layers, d + 1);
        layers_ = layers;
        lanes_.assign(static_cast<std::size_t>(std::max(layers, 1)), 0);
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
                runs[static_cast<std::size_t>(depth_[static_cast<std::size_t>(parent_[e])])]
                    .push_back({std::min(a, b), std::max(a, b), e, k});
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
                legs_[static_cast<std::size_t>(depth_[static_cast<std::size_t>(parent_[e])])] =
                    true;
        }
    }

    double X(std::size_t column) const {
        return kMargin + (static_cast<double>(column) + 0.5) * kSlot;
    }

    Layout Place() {
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
        const auto busY = [&](int b) {
            return y[static_cast<std::size_t>(depth_[static_cast<std::size_t>(b)])];
        };

        out.buses.resize(n_);
        for (std::size_t b = 0; b < n_; ++b) {
            PlacedBus& p = out.buses[b];
            p.layer = depth_[b];
            p.y = y[static_cast<std::size_t>(depth_[b])];
            std::size_t last = ups_[b].empty() ? 0 : ups_[b].size() - 1;
            std::size_t s = 0;
            for (const Item& item : downs_[b]) {
                last = std::max(last, s);
                s += ItemWidth(item);
            }
            for (const Item& i : pieces_[b].downParallels)
                last = std::max(last, arrivals_[static_cast<std::size_t>(i.element)][0] - left_[b]);
            const double left = kMargin + static_cast<double>(left_[b]) * kSlot;
            p.x0 = left + kBarInset;
            p.x1 = left + static_cast<double>(last + 1) * kSlot - kBarInset;
            const auto note = std::find_if(ups_[b].begin(), ups_[b].end(),
                                           [](const Item& i) { return i.kind == Item::Note; });
            if (note != ups_[b].end()) {
                const double x =
                    left + static_cast<double>(note - ups_[b].begin()) * kSlot + kNoteInset;
                p.note = {x, p.y - kBarHeight / 2 - kNoteInset - kNoteHeight,
                          kSlot - 2 * kNoteInset, kNoteHeight};
            } else {
                p.note = {left + kNoteInset, p.y + kBarHeight / 2 + kNoteInset,
                          kSlot - 2 * kNoteInset, kNoteHeight};
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
                const double x = X(downColumn_[e]) - (paired ? kSlot / 4 : 0), yb = busY(bus);
                p.direction = motor ? 1 : -1;
                p.symbol = {x, yb + p.direction * kSymbolOffset};
                double end = p.symbol.y;
                if (element.kind == ElementKind::Unit) end -= kUnitGenerator;
                if (!IsShunt(element.kind)) end -= kStubEnd;
                p.links.push_back({{x, yb}, {x, end}});
                if (element.device != DeviceMark::None)
                    p.device = Point{x, yb + p.direction * kDeviceOffset};
                // Beside a branch's link: its text under the circle, in its half of the column.
                p.text = paired ? Box{x - kSlot / 4 + 2, p.symbol.y + kSymbolRadius + 1,
                                      kSlot / 2 - 4, kTextLine}
                                : TextBeside(p.symbol);
                continue;
            }
            const int from = parent_[e];
            if (Parallel(e)) {
                const double x = X(arrivals_[e][0]), yp = busY(from);
                p.symbol = {x, yp + kSymbolOffset};
                p.text = TextBeside(p.symbol);
                p.tie = true;
                p.links.push_back({{x, yp}, {x, busY(tieEnds_[e].front())}});
                PlaceDevice(e, p, {tieEnds_[e].front()});
                continue;
            }
            const double yp = busY(from), x = X(symbolColumn_[e]);
            p.direction = 1;
            p.symbol = {x, yp + kSymbolOffset};
            p.text = TextBeside(p.symbol);
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
                const double lane =
                    yp + kBandBelow + static_cast<double>(laneOf_[e][k] + 1) * kLane;
                leg(tx, {{tx, lane}, {ax, lane}, {ax, busY(tieEnds_[e][k])}});
            }
            std::vector<int> reached = children_[e];
            reached.insert(reached.end(), tieEnds_[e].begin(), tieEnds_[e].end());
            PlaceDevice(e, p, reached);
        }
        return out;
    }

    // The box of an element's text: right of its symbol to its column's
    // edge, kTextLines lines centred on the symbol.
    static Box TextBeside(Point symbol) {
        const double x = symbol.x + kSymbolRadius + 4, h = kTextLines * kTextLine;
        return {x, symbol.y - h / 2, symbol.x + kSlot / 2 - 2 - x, h};
    }

    // A branch's device on its link at the bus its row puts it at
    // (DiagramElement::deviceAtFrom), kDeviceOffset along the link from
    // that bus: at the first bus, on the start of its first link; at
    // another, on the end of the link that reaches it (`reached`: the bus
    // each link reaches, in the order of the links).
    void PlaceDevice(std::size_t e, PlacedElement& p, const std::vector<int>& reached) const {
        const DiagramElement& element = d_.elements[e];
        if (element.device == DeviceMark::None || p.links.empty()) return;
        const int at = element.deviceAtFrom ? element.buses[0] : element.buses[1];
        const auto link = std::find(reached.begin(), reached.end(), at);
        if (at < 0 || at == parent_[e] || link == reached.end()) {
            p.device = Toward(p.links.front()[0], p.links.front()[1]);
        } else {
            const std::vector<Point>& line =
                p.links[static_cast<std::size_t>(link - reached.begin())];
            p.device = Toward(line.back(), line[line.size() - 2]);
        }
    }
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
    std::vector<bool> legs_;  // per layer: a branch below it parts into legs
    std::size_t columns_ = 0;
    int layers_ = 0;
};

}  // namespace

Layout LayOut(const Diagram& diagram) {
    return Placer(diagram).Run();
}

}  // namespace zentavo::oneline

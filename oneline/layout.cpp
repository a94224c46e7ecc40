// SPDX-License-Identifier: GPL-3.0-or-later
// The placer's walk from the sources and the items above and below each bus.
#include <algorithm>
#include <numeric>

#include "oneline/placer.h"

namespace zentavo::oneline::placing {

Layout Placer::Run() {
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
    Widths();
    Columns();
    Turn(false);
    Arrange();
    Widths();
    Columns();
    Levels();
    Lanes();
    return Place();
}

// The distinct buses of each element, and the branches at each bus.
void Placer::Ends() {
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

// Breadth first from every source at once, then from the generators of
// the buses not reached, then from each bus left, in bus order.
void Placer::Walk() {
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
            if (wanted(d_.elements[e].kind) && b >= 0 && depth_[static_cast<std::size_t>(b)] < 0)
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

void Placer::Root(int b, std::vector<int>& starts) {
    depth_[static_cast<std::size_t>(b)] = 0;
    roots_.push_back(b);
    starts.push_back(b);
}

void Placer::Spread(const std::vector<int>& starts) {
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
void Placer::Items() {
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
void Placer::Arrange() {
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
void Placer::Turn(bool pull) {
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
                if (f < 0 ||
                    Inside(other, static_cast<std::size_t>(parent_[static_cast<std::size_t>(f)])))
                    continue;
                pull_[static_cast<std::size_t>(f)] += left_[other] < left_[c] ? -1 : 1;
            }
        }
    }
}

}  // namespace zentavo::oneline::placing

namespace zentavo::oneline {

Layout LayOut(const Diagram& diagram, std::size_t columns) {
    return placing::Placer(diagram, columns).Run();
}

}  // namespace zentavo::oneline

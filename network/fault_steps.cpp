// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/fault_steps.h"

#include <Eigen/Dense>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <unordered_set>

namespace zentavo::network {
namespace {

const double kSqrt3 = std::sqrt(3.0);
// Below this part of the fault current an element carries nothing: taking
// it out changes nothing at the fault.
constexpr double kNoCurrent = 1e-9;
// A pivot of the scaled Woodbury matrix below this: the fault's part has no
// source left.
constexpr double kDeadPivot = 1e-9;

}  // namespace

// Marks over numbered things (buses, elements) for one walk at a time: a
// walk begins a new generation instead of clearing, so that it costs what
// it marks.
class FaultSteps::WalkMarks {
public:
    void Begin(std::size_t size) {
        if (stamp_.size() < size) stamp_.resize(size, 0), value_.resize(size);
        if (++generation_ == 0) {
            std::fill(stamp_.begin(), stamp_.end(), 0);
            generation_ = 1;
        }
    }
    bool Marked(std::size_t i) const { return stamp_[i] == generation_; }
    int Value(std::size_t i) const { return value_[i]; }
    void Mark(std::size_t i, int value) { stamp_[i] = generation_, value_[i] = value; }

private:
    std::vector<std::uint32_t> stamp_;
    std::vector<int> value_;
    std::uint32_t generation_ = 0;
};

FaultSteps::FaultSteps(const Network& net, const SolveOptions& options, Case c)
    : net_(net), case_(c), options_(options) {
    static std::atomic<std::uint64_t> serials{0};
    serial_ = ++serials;
    if (net.nodeCount_ == 0) return;
    with_.values = net.ElementValues(options, c);
    with_.factor = net.pattern_;
    net.Factorize(with_.factor, with_.values);
    with_.usable = true;
    branchesOf_.assign(kElementKindCount, {});
    shuntsOf_.assign(kElementKindCount, {});
    auto add = [](std::vector<std::vector<int>>& of, std::size_t index, int entry) {
        if (of.size() <= index) of.resize(index + 1);
        of[index].push_back(entry);
    };
    for (std::size_t i = 0; i < net.branches_.size(); ++i)
        add(branchesOf_[static_cast<int>(net.branches_[i].kind)], net.branches_[i].index,
            static_cast<int>(i));
    for (std::size_t i = 0; i < net.shunts_.size(); ++i) {
        add(shuntsOf_[static_cast<int>(net.shunts_[i].kind)], net.shunts_[i].index,
            static_cast<int>(i));
        const int node = net.node_[net.shunts_[i].bus];
        if (net.shunts_[i].kind != ElementKind::Motor && node >= 0)
            sourceShunts_[net.island_[node]].push_back(static_cast<int>(i));
    }
    // Each kind's elements numbered after the kinds before it.
    for (int k = 0; k < kElementKindCount; ++k) {
        kindOffset_[k] = elementCount_;
        elementCount_ += std::max(branchesOf_[k].size(), shuntsOf_[k].size());
    }
    without_.values = with_.values;
    for (std::size_t i = 0; i < net.shunts_.size(); ++i) {
        if (net.shunts_[i].kind == ElementKind::Motor && with_.values.shuntY[i] != Complex(0)) {
            motors_ = true;
            without_.values.shuntY[i] = 0;
        }
    }
    if (motors_) {
        without_.factor = net.pattern_;
        net.Factorize(without_.factor, without_.values);
        without_.usable = true;
    }
    // An island whose solution lost its digits in either factor has no steps.
    islandSolvable_.assign(net.busNames_.size(), true);
    for (const Base* b : {&with_, &without_}) {
        if (!b->usable) continue;
        for (int k = 0; k < net.nodeCount_; ++k) {
            if (!(b->factor.PivotPrecision(k) >= kLeastPivotPrecision))
                islandSolvable_[net.island_[k]] = false;
        }
    }
}

std::optional<FaultSteps::Element> FaultSteps::Find(ElementKind kind, std::size_t index,
                                                    const std::string& bus) const {
    if (branchesOf_.empty()) return std::nullopt;
    const int b = BusNumber(bus);
    const auto& branches = branchesOf_[static_cast<int>(kind)];
    if (index < branches.size()) {
        for (int i : branches[index]) {
            const Network::Branch& br = net_.branches_[i];
            if (br.arm >= 0 && br.busA != b && br.busB != b) continue;
            if (br.edge < 0) return std::nullopt;
            return Element{i, -1};
        }
    }
    const auto& shunts = shuntsOf_[static_cast<int>(kind)];
    if (index < shunts.size() && !shunts[index].empty()) return Element{-1, shunts[index].front()};
    return std::nullopt;
}

int FaultSteps::BusNumber(const std::string& bus) const {
    const auto at = net_.busNumber_.find(bus);
    return at == net_.busNumber_.end() ? -1 : at->second;
}

FaultSteps::Fault FaultSteps::At(const std::string& bus) const {
    Fault f(*this);
    const auto at = net_.busNumber_.find(bus);
    if (!with_.usable || at == net_.busNumber_.end() || net_.node_[at->second] < 0) return f;
    f.bus_ = at->second;
    f.node_ = net_.node_[f.bus_];
    if (!islandSolvable_[net_.island_[f.node_]]) return f;
    f.c_ = VoltageFactor(options_.convention, case_, net_.busKv_[f.bus_], options_.lvTolerance);
    f.live_ = true;
    f.Refresh();
    return f;
}

std::vector<std::pair<ElementKind, std::size_t>> FaultSteps::Nearest(
    const Fault& fault, const std::function<bool(ElementKind, std::size_t)>& stops) const {
    std::vector<std::pair<ElementKind, std::size_t>> found;
    if (!fault.Live()) return found;
    std::set<std::pair<int, std::size_t>> seen;
    std::unordered_set<int> visited{fault.bus_};  // a few buses of a large network
    std::vector<int> queue{fault.bus_};
    auto stop = [&](ElementKind kind, std::size_t index) {
        if (!stops(kind, index)) return false;
        if (seen.insert({static_cast<int>(kind), index}).second) found.emplace_back(kind, index);
        return true;
    };
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const int u = queue[q];
        for (const Network::Touch& t : net_.touches_[u]) {
            int far = -1;
            if (t.tie) {
                const Cable& cb = net_.in_.cables[t.index];
                const int a = net_.busNumber_.at(cb.from);
                far = a == u ? net_.busNumber_.at(cb.to) : a;
            } else if (t.shunt >= 0) {
                if (fault.Part({-1, t.shunt}) > kNoCurrent) stop(t.kind, t.index);
                continue;
            } else {
                if (fault.Part({t.branch, -1}) <= kNoCurrent || stop(t.kind, t.index)) continue;
                const Network::Branch& br = net_.branches_[t.branch];
                far = br.busA == u ? br.busB : br.busA;
            }
            if (visited.insert(far).second) queue.push_back(far);
        }
    }
    return found;
}

std::vector<FaultSteps::Reached> FaultSteps::Reach(
    const Fault& fault, const std::function<bool(ElementKind, std::size_t)>& device) const {
    std::vector<Reached> found;
    if (!fault.Live() || fault.zff_ == Complex(0)) return found;
    // Each element found, by its place in `found` (by its number among
    // the kinds' elements), and the buses visited: marks of this walk in
    // arrays the thread keeps, so that a walk costs what it visits, not
    // the size of the network.
    thread_local WalkMarks elements, buses;
    elements.Begin(elementCount_);
    buses.Begin(net_.busNames_.size());
    auto visited = [&](int bus) { return buses.Marked(static_cast<std::size_t>(bus)); };
    // The buses of this ring, each with the device between it and the
    // fault; the next ring begins behind this ring's devices.
    std::vector<std::pair<int, int>> ring{{fault.bus_, -1}}, next;
    buses.Mark(static_cast<std::size_t>(fault.bus_), 0);
    for (int r = 0; r < kMostRings && !ring.empty(); ++r) {
        for (std::size_t q = 0; q < ring.size(); ++q) {
            const auto [u, nearer] = ring[q];
            auto reach = [&](ElementKind kind, std::size_t index) {
                const std::size_t id = kindOffset_[static_cast<int>(kind)] + index;
                if (elements.Marked(id)) return elements.Value(id);
                elements.Mark(id, static_cast<int>(found.size()));
                found.push_back({kind, index, nearer});
                return static_cast<int>(found.size()) - 1;
            };
            // The bus's z', asked once for all its elements (a bus of no
            // node, joined by ties alone, has none to ask).
            const int node = net_.node_[u];
            const Complex zu = node >= 0 ? fault.Z(node) : Complex(0);
            for (const Network::Touch& t : net_.touches_[u]) {
                int far = -1;
                int behind = -1;  // the device far is behind: the next ring
                if (t.tie) {
                    const Cable& cb = net_.in_.cables[t.index];
                    const int a = net_.busNumber_.at(cb.from);
                    far = a == u ? net_.busNumber_.at(cb.to) : a;
                } else if (t.shunt >= 0) {
                    if (device(t.kind, t.index) && fault.Part({-1, t.shunt}) > kNoCurrent)
                        reach(t.kind, t.index);
                    continue;
                } else {
                    const Fault::Flow flow = fault.FlowAt(t.branch, u, zu);
                    if (flow.part <= kNoCurrent) continue;
                    // The first ring walks as Nearest does; behind a device
                    // the walk goes only towards the sources, against the
                    // fault current: not out along another path of it.
                    if (r > 0 && !flow.feeds) continue;
                    if (device(t.kind, t.index)) {
                        behind = reach(t.kind, t.index);
                        if (flow.part < kLeastPartBehind || !flow.feeds) continue;
                    }
                    const Network::Branch& br = net_.branches_[t.branch];
                    far = br.busA == u ? br.busB : br.busA;
                }
                if (visited(far)) continue;
                if (behind >= 0) {
                    // Marked when its ring begins: a path without a device
                    // may still reach it in this ring.
                    next.emplace_back(far, behind);
                } else {
                    buses.Mark(static_cast<std::size_t>(far), 0);
                    ring.emplace_back(far, nearer);
                }
            }
        }
        ring.clear();
        for (const auto& [bus, nearer] : next) {
            if (visited(bus)) continue;
            buses.Mark(static_cast<std::size_t>(bus), 0);
            ring.emplace_back(bus, nearer);
        }
        next.clear();
    }
    return found;
}

// --- One fault -----------------------------------------------------------------

// The nodes' z' in an open-addressing table: a state is asked for a few
// hundred nodes, each many times.
struct FaultSteps::Fault::Known {
    std::vector<std::pair<int, Complex>> slots =
        std::vector<std::pair<int, Complex>>(256, {-1, {}});
    std::size_t used = 0;
    // The node's slot; a free one (node -1) when it is not known.
    std::pair<int, Complex>& Slot(int node) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t h = (static_cast<std::size_t>(node) * 0x9E3779B97F4A7C15ull) >> 20;; ++h) {
            std::pair<int, Complex>& s = slots[h & mask];
            if (s.first == node || s.first < 0) return s;
        }
    }
    // Room for one more node: grown to twice its size when half full.
    void Room() {
        if (2 * (used + 1) <= slots.size()) return;
        std::vector<std::pair<int, Complex>> old(2 * slots.size(), {-1, {}});
        old.swap(slots);
        for (const auto& s : old) {
            if (s.first >= 0) Slot(s.first) = s;
        }
    }
};

Complex FaultSteps::Fault::Z(int node) const {
    if (!zKnown_) zKnown_ = std::make_shared<Known>();
    zKnown_->Room();
    // One probe: the slot stays in place while z' is worked out (the
    // solves do not touch the table).
    std::pair<int, Complex>& s = zKnown_->Slot(node);
    if (s.first == node) return s.second;
    Complex z = z_->At(node);
    for (std::size_t j = 0; j < taken_.size(); ++j) z -= w_[j]->At(node) * alpha_[j];
    s = {node, z};
    ++zKnown_->used;
    return z;
}

Complex FaultSteps::Fault::Admittance(const Element& e) const {
    return e.branch >= 0 ? base().values.branchY[e.branch] : base().values.shuntY[e.shunt];
}

Complex FaultSteps::Fault::Incidence(const Element& e,
                                     const SymmetricFactor::PartialSolve& x) const {
    const Network& n = s_->net_;
    if (e.shunt >= 0) return x.At(n.node_[n.shunts_[e.shunt].bus]);
    const Network::Branch& br = n.branches_[e.branch];
    return base().values.branchK[e.branch] * x.At(n.node_[br.busA]) - x.At(n.node_[br.busB]);
}

namespace {

// A branch's current per unit entering it at end B (`atB`) or at end A,
// from its ends' voltages: the one formula of Current and FlowAt.
Complex BranchCurrent(Complex y, double k, Complex va, Complex vb, bool atB) {
    if (atB) return -k * y * va + y * vb;
    return k * k * y * va - k * y * vb;
}

}  // namespace

Complex FaultSteps::Fault::Current(const Element& e, int bus) const {
    if (!live_ || Out(e) || zff_ == Complex(0)) return 0;
    const Network& n = s_->net_;
    const Complex fault = fault_;
    const Complex y = Admittance(e);
    if (e.shunt >= 0) return y * Z(n.node_[n.shunts_[e.shunt].bus]) * fault;
    const Network::Branch& br = n.branches_[e.branch];
    const Complex va = -Z(n.node_[br.busA]) * fault, vb = -Z(n.node_[br.busB]) * fault;
    return BranchCurrent(y, base().values.branchK[e.branch], va, vb, bus == br.busB);
}

FaultSteps::Fault::Flow FaultSteps::Fault::FlowAt(int branch, int bus, Complex zBus) const {
    const Element e{branch, -1};
    if (!live_ || Out(e) || zff_ == Complex(0)) return {};
    const Network& n = s_->net_;
    const Network::Branch& br = n.branches_[branch];
    const int far = br.busA == bus ? br.busB : br.busA;
    const Complex zFar = Z(n.node_[far]);
    const Complex fault = fault_;
    const Complex y = Admittance(e);
    const Complex va = -(br.busA == bus ? zBus : zFar) * fault,
                  vb = -(br.busB == bus ? zBus : zFar) * fault;
    const double k = base().values.branchK[branch];
    // As Part (the current at end A) and Feeds (at `bus`) give them.
    const Complex atA = BranchCurrent(y, k, va, vb, br.busA == br.busB);
    const Complex atBus = BranchCurrent(y, k, va, vb, bus == br.busB);
    return {std::abs(atA) / faultAbs_, (atBus * std::conj(fault_)).real() < 0};
}

double FaultSteps::Fault::Ka() const {
    if (!live_ || zff_ == Complex(0)) return 0;
    return faultAbs_ * kBaseMva / (kSqrt3 * s_->net_.BaseKv(bus_));
}

double FaultSteps::Fault::Carries(const Element& e, int bus) const {
    const Network& n = s_->net_;
    const int at = bus >= 0       ? bus
                   : e.shunt >= 0 ? n.shunts_[e.shunt].bus
                                  : n.branches_[e.branch].busA;
    return std::abs(Current(e, at)) * kBaseMva / (kSqrt3 * n.BaseKv(at));
}

double FaultSteps::Fault::Part(const Element& e) const {
    if (!live_ || zff_ == Complex(0)) return 0;
    const Network& n = s_->net_;
    const int at = e.shunt >= 0 ? n.shunts_[e.shunt].bus : n.branches_[e.branch].busA;
    return std::abs(Current(e, at)) / faultAbs_;
}

bool FaultSteps::Fault::Feeds(const Element& e, int bus) const {
    if (!live_ || zff_ == Complex(0)) return false;
    // Entering the element at `bus` against the fault current: leaving it into `bus`.
    return (Current(e, bus) * std::conj(fault_)).real() < 0;
}

bool FaultSteps::Fault::Out(const Element& e) const {
    for (const Element& o : out_) {
        if (o == e) return true;
    }
    return false;
}

void FaultSteps::Fault::TakeOut(const Element& e) {
    if (!live_ || Out(e)) return;
    const bool carries = Part(e) > kNoCurrent;
    out_.push_back(e);
    if (!carries) return;
    taken_.push_back(e);
    w_.push_back(SolveFor(e));
    Update();
}

FaultSteps::Fault::Column FaultSteps::Fault::SolveFor(const Element& e) {
    for (const Solved& s : *solved_) {
        if (s.element == e && s.motorsOut == motorsOut_) return s.w;
    }
    // The solves of this thread's latest faults: the rows of a study ask
    // for a fault at one bus several times (whether its motors feed it,
    // then its steps), and their neighbours take out the same elements.
    // A solve belongs to one factor (by its FaultSteps' serial, never
    // reused) and one element, whatever the fault.
    struct Recent {
        std::uint64_t serial = 0;
        bool motorsOut = false;
        Element element;
        int node = -1;  // the fault's node, for its column
        Column w;
    };
    thread_local std::array<Recent, 8> recent;
    thread_local std::size_t next = 0;
    const int node = e.branch < 0 && e.shunt < 0 ? node_ : -1;
    for (const Recent& r : recent) {
        if (r.w && r.serial == s_->serial_ && r.motorsOut == motorsOut_ && r.element == e &&
            r.node == node) {
            solved_->push_back({e, motorsOut_, r.w});
            return r.w;
        }
    }
    // The element's incidence vector u (the fault's column: e at the fault).
    const Network& n = s_->net_;
    std::vector<std::pair<int, Complex>> u;
    if (e.branch < 0 && e.shunt < 0) {
        u.emplace_back(node_, 1);
    } else if (e.shunt >= 0) {
        u.emplace_back(n.node_[n.shunts_[e.shunt].bus], 1);
    } else {
        const Network::Branch& br = n.branches_[e.branch];
        u.emplace_back(n.node_[br.busA], base().values.branchK[e.branch]);
        u.emplace_back(n.node_[br.busB], -1);
    }
    Column w = std::make_shared<const SymmetricFactor::PartialSolve>(base().factor, u);
    solved_->push_back({e, motorsOut_, w});
    recent[next++ % recent.size()] = {s_->serial_, motorsOut_, e, node, w};
    return w;
}

void FaultSteps::Fault::Update() {
    zKnown_.reset();
    const std::size_t m = taken_.size();
    auto done = [&] {
        if (!std::isfinite(std::abs(zff_))) zff_ = 0;
        fault_ = zff_ == Complex(0) ? Complex(0) : c_ / zff_;
        faultAbs_ = std::abs(fault_);
    };
    if (m == 0) {
        alpha_.clear();
        zff_ = z_->At(node_);
        return done();
    }
    // M = C⁻¹ + UᵀZU, scaled by √|y| on both sides so that its pivots
    // compare with 1 whatever the elements' sizes.
    Eigen::MatrixXcd mm(m, m);
    Eigen::VectorXcd rhs(m);
    std::vector<double> scale(m);
    for (std::size_t i = 0; i < m; ++i) scale[i] = std::sqrt(std::abs(Admittance(taken_[i])));
    for (std::size_t i = 0; i < m; ++i) {
        for (std::size_t j = 0; j < m; ++j)
            mm(i, j) = Incidence(taken_[i], *w_[j]) * scale[i] * scale[j];
        mm(i, i) -= 1.0 / Admittance(taken_[i]) * scale[i] * scale[i];
        rhs(i) = Incidence(taken_[i], *z_) * scale[i];
    }
    Eigen::FullPivLU<Eigen::MatrixXcd> lu(mm);
    lu.setThreshold(kDeadPivot);
    // The scaled pivots compare with 1, so the smallest one is weighed as it
    // is: Eigen's threshold is relative to the largest pivot, and with one
    // element out (a main that leaves its bus without a source) the largest
    // is the only one, what is left of 0 after the elimination's rounding.
    double least = std::numeric_limits<double>::infinity();
    for (Eigen::Index i = 0; i < lu.matrixLU().rows(); ++i)
        least = std::min(least, std::abs(lu.matrixLU()(i, i)));
    if (!lu.isInvertible() || !(least >= kDeadPivot)) {
        zff_ = 0;  // the fault's part has no source left
        return done();
    }
    const Eigen::VectorXcd a = lu.solve(rhs);
    alpha_.resize(m);
    for (std::size_t i = 0; i < m; ++i) alpha_[i] = a(i) * scale[i];
    zff_ = Z(node_);
    done();
}

void FaultSteps::Fault::Refresh() {
    z_ = SolveFor({-1, -1});
    taken_.clear();
    w_.clear();
    Update();
    // Again each element out, in the order taken out, where it still carries current.
    std::vector<Element> out;
    out.swap(out_);
    for (const Element& o : out) TakeOut(o);
}

void FaultSteps::Fault::EndMotors() {
    if (!live_ || motorsOut_ || !s_->motors_) {
        motorsOut_ = true;
        return;
    }
    motorsOut_ = true;
    Refresh();
}

bool FaultSteps::Fault::MotorsFeed() const {
    if (!live_ || motorsOut_ || !s_->motors_) return false;
    // Outward from the fault through the elements in the matrix solved (not
    // those taken out, not those of no admittance in this case), nearest
    // buses first: a network whose motors are spread finds one at once.
    const Network& n = s_->net_;
    std::unordered_set<int> visited{bus_};
    std::vector<int> queue{bus_};
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const int u = queue[q];
        for (const Network::Touch& t : n.touches_[u]) {
            int far = -1;
            if (t.tie) {
                const Cable& cb = n.in_.cables[t.index];
                const int a = n.busNumber_.at(cb.from);
                far = a == u ? n.busNumber_.at(cb.to) : a;
            } else if (t.shunt >= 0) {
                if (n.shunts_[t.shunt].kind == ElementKind::Motor &&
                    Part({-1, t.shunt}) > kNoCurrent)
                    return true;
                continue;
            } else {
                if (base().values.branchY[t.branch] == Complex(0) ||
                    std::find(taken_.begin(), taken_.end(), Element{t.branch, -1}) != taken_.end())
                    continue;
                const Network::Branch& br = n.branches_[t.branch];
                far = br.busA == u ? br.busB : br.busA;
            }
            if (visited.insert(far).second) queue.push_back(far);
        }
    }
    return false;
}

bool FaultSteps::Fault::SourcesFeed() const {
    if (!live_) return false;
    const auto island = s_->sourceShunts_.find(s_->net_.island_[node_]);
    if (island == s_->sourceShunts_.end()) return false;
    for (int i : island->second) {
        if (Part({-1, i}) > kNoCurrent) return true;
    }
    return false;
}

}  // namespace zentavo::network

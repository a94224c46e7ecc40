// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/fault_steps.h"

#include <Eigen/Dense>
#include <cmath>
#include <set>

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

FaultSteps::FaultSteps(const Network& net, const SolveOptions& options, Case c)
    : net_(net), case_(c), options_(options) {
    if (net.nodeCount_ == 0) return;
    with_.values = net.ElementValues(options, c);
    with_.factor = net.pattern_;
    net.Factorize(with_.factor, with_.values);
    with_.usable = true;
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
}

std::optional<FaultSteps::Element> FaultSteps::Find(ElementKind kind, std::size_t index,
                                                    const std::string& bus) const {
    const auto at = net_.busNumber_.find(bus);
    const int b = at == net_.busNumber_.end() ? -1 : at->second;
    for (std::size_t i = 0; i < net_.branches_.size(); ++i) {
        const Network::Branch& br = net_.branches_[i];
        if (br.kind != kind || br.index != index) continue;
        if (br.arm >= 0 && br.busA != b && br.busB != b) continue;
        if (br.edge < 0) return std::nullopt;
        return Element{static_cast<int>(i), -1};
    }
    for (std::size_t i = 0; i < net_.shunts_.size(); ++i) {
        if (net_.shunts_[i].kind == kind && net_.shunts_[i].index == index) return Element{-1, static_cast<int>(i)};
    }
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
    for (const Base* b : {&with_, &without_}) {
        if (!b->usable) continue;
        for (int k = 0; k < net_.nodeCount_; ++k) {
            if (net_.island_[k] == net_.island_[f.node_] && !(b->factor.PivotPrecision(k) >= kLeastPivotPrecision))
                return f;
        }
    }
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
    std::vector<bool> visited(net_.busNames_.size());
    std::vector<int> queue{fault.bus_};
    visited[fault.bus_] = true;
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
            if (!visited[far]) {
                visited[far] = true;
                queue.push_back(far);
            }
        }
    }
    return found;
}

// --- One fault -----------------------------------------------------------------

Complex FaultSteps::Fault::Z(int node) const {
    Complex z = z_[node];
    for (std::size_t j = 0; j < taken_.size(); ++j) z -= w_[j][node] * alpha_[j];
    return z;
}

Complex FaultSteps::Fault::Admittance(const Element& e) const {
    return e.branch >= 0 ? base().values.branchY[e.branch] : base().values.shuntY[e.shunt];
}

Complex FaultSteps::Fault::Incidence(const Element& e, const std::vector<Complex>& x) const {
    const Network& n = s_->net_;
    if (e.shunt >= 0) return x[n.node_[n.shunts_[e.shunt].bus]];
    const Network::Branch& br = n.branches_[e.branch];
    return br.k * x[n.node_[br.busA]] - x[n.node_[br.busB]];
}

Complex FaultSteps::Fault::Current(const Element& e, int bus) const {
    if (!live_ || Out(e) || zff_ == Complex(0)) return 0;
    const Network& n = s_->net_;
    const Complex fault = c_ / zff_;
    const Complex y = Admittance(e);
    if (e.shunt >= 0) return y * Z(n.node_[n.shunts_[e.shunt].bus]) * fault;
    const Network::Branch& br = n.branches_[e.branch];
    const Complex va = -Z(n.node_[br.busA]) * fault, vb = -Z(n.node_[br.busB]) * fault;
    if (bus == br.busB) return -br.k * y * va + y * vb;
    return br.k * br.k * y * va - br.k * y * vb;
}

double FaultSteps::Fault::Ka() const {
    if (!live_ || zff_ == Complex(0)) return 0;
    return std::abs(c_ / zff_) * kBaseMva / (kSqrt3 * s_->net_.BaseKv(bus_));
}

double FaultSteps::Fault::Carries(const Element& e, int bus) const {
    const Network& n = s_->net_;
    const int at = bus >= 0 ? bus : e.shunt >= 0 ? n.shunts_[e.shunt].bus : n.branches_[e.branch].busA;
    return std::abs(Current(e, at)) * kBaseMva / (kSqrt3 * n.BaseKv(at));
}

double FaultSteps::Fault::Part(const Element& e) const {
    if (!live_ || zff_ == Complex(0)) return 0;
    const Network& n = s_->net_;
    const int at = e.shunt >= 0 ? n.shunts_[e.shunt].bus : n.branches_[e.branch].busA;
    return std::abs(Current(e, at)) / std::abs(c_ / zff_);
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
    std::vector<Complex> u(s_->net_.nodeCount_);
    const Network& n = s_->net_;
    if (e.shunt >= 0) {
        u[n.node_[n.shunts_[e.shunt].bus]] = 1;
    } else {
        const Network::Branch& br = n.branches_[e.branch];
        u[n.node_[br.busA]] += br.k;
        u[n.node_[br.busB]] -= 1;
    }
    w_.push_back(base().factor.Solve(std::move(u)));
    Update();
}

void FaultSteps::Fault::Update() {
    const std::size_t m = taken_.size();
    if (m == 0) {
        alpha_.clear();
        zff_ = z_[node_];
        return;
    }
    // M = C⁻¹ + UᵀZU, scaled by √|y| on both sides so that its pivots
    // compare with 1 whatever the elements' sizes.
    Eigen::MatrixXcd mm(m, m);
    Eigen::VectorXcd rhs(m);
    std::vector<double> scale(m);
    for (std::size_t i = 0; i < m; ++i) scale[i] = std::sqrt(std::abs(Admittance(taken_[i])));
    for (std::size_t i = 0; i < m; ++i) {
        for (std::size_t j = 0; j < m; ++j) mm(i, j) = Incidence(taken_[i], w_[j]) * scale[i] * scale[j];
        mm(i, i) -= 1.0 / Admittance(taken_[i]) * scale[i] * scale[i];
        rhs(i) = Incidence(taken_[i], z_) * scale[i];
    }
    Eigen::FullPivLU<Eigen::MatrixXcd> lu(mm);
    lu.setThreshold(kDeadPivot);
    if (!lu.isInvertible()) {
        zff_ = 0;  // the fault's part has no source left
        return;
    }
    const Eigen::VectorXcd a = lu.solve(rhs);
    alpha_.resize(m);
    for (std::size_t i = 0; i < m; ++i) alpha_[i] = a(i) * scale[i];
    zff_ = Z(node_);
    if (!std::isfinite(std::abs(zff_))) zff_ = 0;
}

void FaultSteps::Fault::Refresh() {
    std::vector<Complex> e(s_->net_.nodeCount_);
    e[node_] = 1;
    z_ = base().factor.Solve(std::move(e));
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
    if (motorsOut_) return false;
    const Network& n = s_->net_;
    for (std::size_t i = 0; i < n.shunts_.size(); ++i) {
        if (n.shunts_[i].kind == ElementKind::Motor && Part({-1, static_cast<int>(i)}) > kNoCurrent) return true;
    }
    return false;
}

bool FaultSteps::Fault::SourcesFeed() const {
    const Network& n = s_->net_;
    for (std::size_t i = 0; i < n.shunts_.size(); ++i) {
        if (n.shunts_[i].kind != ElementKind::Motor && Part({-1, static_cast<int>(i)}) > kNoCurrent) return true;
    }
    return false;
}

}  // namespace zentavo::network

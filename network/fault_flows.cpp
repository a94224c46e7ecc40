// SPDX-License-Identifier: GPL-3.0-or-later
// What every element of the network carries for a fault at one bus: the
// column of the impedance matrix of that bus by one solve through the
// factor, the voltage changes it gives, and from them each branch's and
// shunt's current; closed ties carry what their far side feeds in.
#include <cmath>

#include "network/short_circuit.h"

namespace zentavo::network {
namespace {

const double kSqrt3 = std::sqrt(3.0);

int Direction(Complex current, Complex fault) {
    const double along = (current / fault).real();
    return along > 0 ? 1 : along < 0 ? -1 : 0;
}

}  // namespace

double Network::BaseKv(int bus) const {
    if (static_cast<std::size_t>(bus) < namedBuses_) return busKv_[bus];
    const Transformer3& t = in_.transformers3[static_cast<std::size_t>(bus) - namedBuses_];
    return t.kv_hv > 0 ? t.kv_hv : busKv_[busNumber_.at(t.hv_bus)];
}

std::vector<ElementFlow> Network::FaultFlows(const SolveOptions& options, Case c, const std::string& busName) const {
    std::vector<ElementFlow> out;
    const auto at = busNumber_.find(busName);
    if (at == busNumber_.end() || node_[at->second] < 0) return out;
    const int bus = at->second, fault = node_[bus];
    const Values v = ElementValues(options, c);
    SymmetricFactor f = pattern_;
    Factorize(f, v);
    for (int k = 0; k < nodeCount_; ++k) {
        if (island_[k] == island_[fault] && !(f.PivotPrecision(k) >= kLeastPivotPrecision)) return out;
    }
    std::vector<Complex> e(nodeCount_);
    e[fault] = 1;
    const std::vector<Complex> z = f.Solve(std::move(e));  // Z_xf
    const Complex faultPu = VoltageFactor(options.convention, c, busKv_[bus], options.lvTolerance) / z[fault];
    if (!std::isfinite(std::abs(faultPu))) return out;
    auto dv = [&](int b) { return -z[node_[b]] * faultPu; };  // the voltage change of a bus, per unit
    auto ka = [&](Complex i, int b) { return std::abs(i) * kBaseMva / (kSqrt3 * BaseKv(b)); };
    auto name = [&](int b) { return static_cast<std::size_t>(b) < namedBuses_ ? busNames_[b] : std::string(); };

    // What each bus takes in from its elements other than ties (per unit),
    // for the ties' currents below.
    std::vector<Complex> taken(busNames_.size());
    for (std::size_t i = 0; i < branches_.size(); ++i) {
        const Branch& br = branches_[i];
        const Complex y = v.branchY[i], va = dv(br.busA), vb = dv(br.busB);
        // Entering the branch at each end: k²y·ΔV_a − ky·ΔV_b at A, −ky·ΔV_a + y·ΔV_b at B.
        const double k = v.branchK[i];
        const Complex ia = k * k * y * va - k * y * vb, ib = -k * y * va + y * vb;
        taken[br.busA] -= ia;
        taken[br.busB] -= ib;
        out.push_back({br.kind, br.index, name(br.busA), name(br.busB), ka(ia, br.busA), ka(ib, br.busB),
                       Direction(ia, faultPu)});
    }
    for (std::size_t i = 0; i < shunts_.size(); ++i) {
        const Shunt& sh = shunts_[i];
        const Complex in = -v.shuntY[i] * dv(sh.bus);
        taken[sh.bus] += in;
        out.push_back({sh.kind, sh.index, name(sh.bus), {}, ka(in, sh.bus), 0, Direction(in, faultPu)});
    }
    // A tie from a bus to its parent in the forest of ties carries what the
    // buses below it take in, less the fault current where the fault is below.
    for (std::size_t i = 0; i < in_.cables.size(); ++i) {
        if (bad_[static_cast<int>(ElementKind::Cable)][i]) continue;
        const Cable& cb = in_.cables[i];
        const int a = busNumber_.at(cb.from), b = busNumber_.at(cb.to);
        if (node_[a] < 0 || (tieParent_[a] != b && tieParent_[b] != a)) continue;
        bool isTie = false;
        for (const Touch& t : touches_[a]) isTie = isTie || (t.tie && t.kind == ElementKind::Cable && t.index == i);
        if (!isTie) continue;
        const int child = tieParent_[a] == b ? a : b;
        Complex up{};
        bool faultBelow = false;
        std::vector<int> stack{child};
        while (!stack.empty()) {
            const int u = stack.back();
            stack.pop_back();
            up += taken[u];
            faultBelow = faultBelow || u == bus;
            for (int w : tieChildren_[u]) stack.push_back(w);
        }
        if (faultBelow) up -= faultPu;
        // `up` flows from the child toward its parent.
        const Complex fromTo = child == a ? up : -up;
        out.push_back({ElementKind::Cable, i, cb.from, cb.to, ka(fromTo, a), ka(fromTo, b), Direction(fromTo, faultPu)});
    }
    return out;
}

}  // namespace zentavo::network

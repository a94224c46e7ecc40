// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/short_circuit.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

namespace zentavo::network {
namespace {

const double kSqrt3 = std::sqrt(3.0);

// A cable of zero impedance, or below kTieImpedance of its buses' base
// impedance (kV²/100 MVA): a closed tie, its buses one node.
bool ClosedTie(const Cable& c, double kV) {
    if (c.opens) return false;
    if (c.length_m == 0 || (c.r_ohm_km == 0 && c.x_ohm_km == 0)) return true;
    const double ohms = std::hypot(c.r_ohm_km, c.x_ohm_km) * (c.length_m / 1000) / c.sets;
    return ohms < kTieImpedance * (kV * kV / kBaseMva);
}

// Union-find over bus numbers.
int Root(std::vector<int>& up, int b) {
    while (up[b] != b) b = up[b] = up[up[b]];
    return b;
}

}  // namespace

const BusResult* ShortCircuitResults::FindBus(const std::string& name) const {
    const auto it = busIndex.find(name);
    return it == busIndex.end() ? nullptr : &buses[it->second];
}

std::optional<double> ShortCircuitResults::Share(const std::string& bus, ElementKind kind,
                                                 std::size_t index, Case c) const {
    const BusResult* b = FindBus(bus);
    if (!b || !b->computed) return std::nullopt;
    for (const auto& s : c == Case::Max ? b->shares : b->shares_min)
        if (s.kind == kind && s.index == index) return s.share;
    return std::nullopt;
}

// --- Building and checking ------------------------------------------------------

Network::Network(NetworkInput input) : in_(std::move(input)) {
    bad_.resize(kElementKindCount);
    bad_[0].assign(in_.buses.size(), 0);
    bad_[1].assign(in_.sources.size(), 0);
    bad_[2].assign(in_.transformers.size(), 0);
    bad_[3].assign(in_.cables.size(), 0);
    bad_[4].assign(in_.motors.size(), 0);
    bad_[5].assign(in_.generators.size(), 0);
    bad_[6].assign(in_.transformers3.size(), 0);
    NumberBuses();
    CheckValues();
    CheckVoltages();
    CheckConnections();
    JoinZeroImpedanceCables();
    FindLiveBuses();
    BuildModel();
}

unsigned char& Network::Bad(ElementKind kind, std::size_t index) {
    return bad_[static_cast<int>(kind)][index];
}

void Network::Error(ElementKind kind, std::size_t index, const std::string& message, bool unfed) {
    if (Bad(kind, index)) return;
    Bad(kind, index) = true;
    std::string name;
    switch (kind) {
        case ElementKind::Bus:
            name =
                in_.buses[index].origin.empty() ? in_.buses[index].name : in_.buses[index].origin;
            break;
        case ElementKind::Source:
            name = in_.sources[index].name;
            break;
        case ElementKind::Transformer:
            name = in_.transformers[index].name;
            break;
        case ElementKind::Cable:
            name = in_.cables[index].name;
            break;
        case ElementKind::Motor:
            name = in_.motors[index].name;
            break;
        case ElementKind::Generator:
            name = in_.generators[index].name;
            break;
        case ElementKind::Transformer3:
            name = in_.transformers3[index].name;
            break;
    }
    errors_.push_back({kind, index, name, message, unfed});
}

void Network::NumberBuses() {
    std::unordered_map<std::string, int> number;
    auto add = [&](const std::string& name) {
        if (name.empty() || number.count(name)) return;
        number.emplace(name, static_cast<int>(busNames_.size()));
        busNames_.push_back(name);
    };
    for (const auto& b : in_.buses) add(b.name);
    for (const auto& s : in_.sources) add(s.bus);
    for (const auto& t : in_.transformers) add(t.from_bus), add(t.to_bus);
    for (const auto& c : in_.cables) add(c.from), add(c.to);
    for (const auto& m : in_.motors) add(m.bus);
    for (const auto& g : in_.generators) add(g.bus);
    for (const auto& t : in_.transformers3) add(t.hv_bus), add(t.mv_bus), add(t.lv_bus);
    busNumber_ = std::move(number);
    // The star point of each three-winding transformer: a bus of no name,
    // never in the results.
    namedBuses_ = busNames_.size();
    for (std::size_t i = 0; i < in_.transformers3.size(); ++i) busNames_.emplace_back();
}

void Network::JoinZeroImpedanceCables() {
    const int n = static_cast<int>(busNames_.size());
    std::vector<int> up(n);
    std::iota(up.begin(), up.end(), 0);
    // A forest of the zero-impedance cables; a cable that closes a loop is set aside.
    std::vector<std::vector<std::pair<int, std::size_t>>> adj(n);  // (bus, cable)
    std::vector<std::size_t> closing;
    for (std::size_t i = 0; i < in_.cables.size(); ++i) {
        const auto& c = in_.cables[i];
        if (Bad(ElementKind::Cable, i) || !ClosedTie(c, busKv_[busNumber_.at(c.from)])) continue;
        const int a = busNumber_.at(c.from), b = busNumber_.at(c.to);
        const int ra = Root(up, a), rb = Root(up, b);
        if (ra == rb) {
            closing.push_back(i);
            continue;
        }
        up[ra] = rb;
        adj[a].push_back({b, i});
        adj[b].push_back({a, i});
    }
    // Root each tree of the forest.
    tieParent_.assign(n, -1);
    tieChildren_.assign(n, {});
    std::vector<int> depth(n, -1);
    std::vector<std::size_t> parentCable(n, 0);
    for (int r = 0; r < n; ++r) {
        if (depth[r] >= 0) continue;
        depth[r] = 0;
        std::vector<int> stack{r};
        while (!stack.empty()) {
            const int u = stack.back();
            stack.pop_back();
            for (auto [v, cable] : adj[u]) {
                if (depth[v] >= 0) continue;
                depth[v] = depth[u] + 1;
                tieParent_[v] = u;
                parentCable[v] = cable;
                tieChildren_[u].push_back(v);
                stack.push_back(v);
            }
        }
    }
    // The current in a loop of zero impedance is not determined: every cable of
    // the loop is an error. Its buses stay joined, the rest is computed.
    for (std::size_t i : closing) {
        int a = busNumber_.at(in_.cables[i].from), b = busNumber_.at(in_.cables[i].to);
        std::vector<std::size_t> loop{i};
        while (a != b) {
            if (depth[a] < depth[b]) std::swap(a, b);
            loop.push_back(parentCable[a]);
            a = tieParent_[a];
        }
        for (std::size_t c : loop)
            Error(ElementKind::Cable, c,
                  "cable " + in_.cables[c].name + ": in a loop of zero impedance");
    }
    group_.resize(n);
    for (int b = 0; b < n; ++b) group_[b] = Root(up, b);
}

void Network::FindLiveBuses() {
    const int n = static_cast<int>(busNames_.size());
    std::vector<int> up(group_);
    for (std::size_t i = 0; i < in_.transformers.size(); ++i) {
        if (Bad(ElementKind::Transformer, i)) continue;
        const auto& t = in_.transformers[i];
        up[Root(up, busNumber_.at(t.from_bus))] = Root(up, busNumber_.at(t.to_bus));
    }
    for (std::size_t i = 0; i < in_.cables.size(); ++i) {
        if (Bad(ElementKind::Cable, i)) continue;
        const auto& c = in_.cables[i];
        up[Root(up, busNumber_.at(c.from))] = Root(up, busNumber_.at(c.to));
    }
    for (std::size_t i = 0; i < in_.transformers3.size(); ++i) {
        if (Bad(ElementKind::Transformer3, i)) continue;
        const auto& t = in_.transformers3[i];
        const int star = static_cast<int>(namedBuses_ + i);
        for (const std::string* bus : {&t.hv_bus, &t.mv_bus, &t.lv_bus})
            up[Root(up, busNumber_.at(*bus))] = Root(up, star);
    }
    std::vector<bool> fed(n, false);
    for (std::size_t i = 0; i < in_.sources.size(); ++i)
        if (!Bad(ElementKind::Source, i)) fed[Root(up, busNumber_.at(in_.sources[i].bus))] = true;
    // The islands a source feeds in the minimum case too; a generator feeds
    // the minimum case of an island without one.
    std::vector<bool> utility(fed);
    for (std::size_t i = 0; i < in_.generators.size(); ++i)
        if (!Bad(ElementKind::Generator, i)) fed[Root(up, busNumber_.at(in_.generators[i].bus))] = true;
    genInMin_.assign(in_.generators.size(), false);
    for (std::size_t i = 0; i < in_.generators.size(); ++i)
        genInMin_[i] = in_.generators[i].in_min || !utility[Root(up, busNumber_.at(in_.generators[i].bus))];

    node_.assign(n, -1);
    island_.clear();
    std::vector<int> groupNode(n, -1);
    nodeCount_ = 0;
    for (int b = 0; b < n; ++b) {
        if ((b < static_cast<int>(namedBuses_) && busKv_[b] == 0) || !fed[Root(up, b)]) continue;
        int& g = groupNode[group_[b]];
        if (g < 0) {
            g = nodeCount_++;
            island_.push_back(Root(up, b));
        }
        node_[b] = g;
    }
    // Everything on a bus with a voltage but without a path to a source.
    auto unfed = [&](const std::string& bus) {
        const int b = busNumber_.at(bus);
        return busKv_[b] != 0 && node_[b] < 0;
    };
    auto message = [&](const std::string& bus) {
        return "bus " + bus + " has no path to a source";
    };
    for (std::size_t i = 0; i < in_.buses.size(); ++i)
        if (!Bad(ElementKind::Bus, i) && unfed(in_.buses[i].name))
            Error(ElementKind::Bus, i, message(in_.buses[i].name), true);
    for (std::size_t i = 0; i < in_.transformers.size(); ++i) {
        const auto& t = in_.transformers[i];
        if (!Bad(ElementKind::Transformer, i) && unfed(t.to_bus))
            Error(ElementKind::Transformer, i, "transformer " + t.name + ": " + message(t.to_bus), true);
    }
    for (std::size_t i = 0; i < in_.cables.size(); ++i) {
        const auto& c = in_.cables[i];
        if (!Bad(ElementKind::Cable, i) && unfed(c.to))
            Error(ElementKind::Cable, i, "cable " + c.name + ": " + message(c.to), true);
    }
    for (std::size_t i = 0; i < in_.motors.size(); ++i) {
        const auto& m = in_.motors[i];
        if (!Bad(ElementKind::Motor, i) && unfed(m.bus))
            Error(ElementKind::Motor, i, "motor " + m.name + ": " + message(m.bus), true);
    }
    for (std::size_t i = 0; i < in_.transformers3.size(); ++i) {
        const auto& t = in_.transformers3[i];
        if (!Bad(ElementKind::Transformer3, i) && unfed(t.hv_bus))
            Error(ElementKind::Transformer3, i, "three-winding transformer " + t.name + ": " + message(t.hv_bus),
                  true);
    }
}

void Network::BuildModel() {
    touches_.assign(busNames_.size(), {});
    auto branch = [&](ElementKind kind, std::size_t i, int a, int b, double k = 1, double kTapped = 1,
                      int arm = -1) {
        Touch t{kind, i};
        if (kind == ElementKind::Cable && ClosedTie(in_.cables[i], busKv_[a])) {
            t.tie = true;
        } else {
            int edge = -1;
            if (node_[a] != node_[b]) {
                edge = static_cast<int>(edges_.size());
                edges_.emplace_back(node_[a], node_[b]);
            }
            t.branch = static_cast<int>(branches_.size());
            branches_.push_back({kind, i, a, b, edge, k, kTapped, arm});
        }
        touches_[a].push_back(t);
        touches_[b].push_back(t);
    };
    auto shunt = [&](ElementKind kind, std::size_t i, const std::string& bus) {
        const int b = busNumber_.at(bus);
        Touch t{kind, i};
        t.shunt = static_cast<int>(shunts_.size());
        shunts_.push_back({kind, i, b});
        touches_[b].push_back(t);
    };
    for (std::size_t i = 0; i < in_.sources.size(); ++i)
        if (!Bad(ElementKind::Source, i)) shunt(ElementKind::Source, i, in_.sources[i].bus);
    for (std::size_t i = 0; i < in_.transformers.size(); ++i) {
        if (Bad(ElementKind::Transformer, i)) continue;
        const auto& t = in_.transformers[i];
        int a = busNumber_.at(t.from_bus), b = busNumber_.at(t.to_bus);
        if (t.kv_hv == 0 && t.kv_lv == 0 && t.tap_percent == 0) {
            branch(ElementKind::Transformer, i, a, b);
            continue;
        }
        // The impedance on the low-voltage side, the ratio at the high-voltage end.
        if (busKv_[a] < busKv_[b]) std::swap(a, b);
        const double hv = t.kv_hv > 0 ? t.kv_hv : busKv_[a], lv = t.kv_lv > 0 ? t.kv_lv : busKv_[b];
        branch(ElementKind::Transformer, i, a, b, busKv_[a] * lv / (hv * busKv_[b]),
               busKv_[a] * lv / (hv * (1 + t.tap_percent / 100) * busKv_[b]));
    }
    for (std::size_t i = 0; i < in_.cables.size(); ++i)
        if (!Bad(ElementKind::Cable, i))
            branch(ElementKind::Cable, i, busNumber_.at(in_.cables[i].from), busNumber_.at(in_.cables[i].to));
    for (std::size_t i = 0; i < in_.motors.size(); ++i)
        if (!Bad(ElementKind::Motor, i)) shunt(ElementKind::Motor, i, in_.motors[i].bus);
    for (std::size_t i = 0; i < in_.generators.size(); ++i)
        if (!Bad(ElementKind::Generator, i)) shunt(ElementKind::Generator, i, in_.generators[i].bus);
    // A three-winding transformer: an arm from each of its buses to its star
    // point, whose per unit is on the high-voltage winding's rated voltage;
    // each arm's ratio U_n/U_r (by ansi the tap on the high-voltage arm too).
    for (std::size_t i = 0; i < in_.transformers3.size(); ++i) {
        if (Bad(ElementKind::Transformer3, i)) continue;
        const auto& t = in_.transformers3[i];
        const int star = static_cast<int>(namedBuses_ + i);
        const std::array<const std::string*, 3> buses{&t.hv_bus, &t.mv_bus, &t.lv_bus};
        const std::array<double, 3> rated{t.kv_hv, t.kv_mv, t.kv_lv};
        for (int w = 0; w < 3; ++w) {
            const int bus = busNumber_.at(*buses[w]);
            const double ur = rated[w] > 0 ? rated[w] : busKv_[bus];
            branch(ElementKind::Transformer3, i, bus, star, busKv_[bus] / ur,
                   busKv_[bus] / (ur * (w == 0 ? 1 + t.tap_percent / 100 : 1)), w);
        }
    }
    pattern_.Analyse(nodeCount_, edges_);
}

// --- Solving ----------------------------------------------------------------------

// Currents below are in units of the fault current at the faulted node f:
// with prefault voltage c everywhere, V_x = c·(1 − Z_xf/Z_ff) and I_f = c/Z_ff,
// so (V_a − V_b)·y / I_f = (Z_bf − Z_af)·y and a shunt feeds (c − V_a)·y / I_f = Z_af·y.
// A branch with the ratio k at end A (admittances k²y, −ky, y) feeds
// k·y·(k·Z_ff − Z_bf) into bus A and y·(Z_ff − k·Z_af) into bus B.

Complex Network::BranchCurrent(const SymmetricFactor& f, const Values& v, int branch, int bus) const {
    const auto& br = branches_[branch];
    const int fault = node_[bus];
    const int other = br.busA == bus ? br.busB : br.busA;
    if (node_[other] == fault) return 0;
    const Complex zff = f.InverseDiagonal(fault), zof = f.InverseEntry(node_[other], fault);
    const double k = v.branchK[branch];
    if (k == 1) return (zff - zof) * v.branchY[branch];
    if (br.busA == bus) return k * v.branchY[branch] * (k * zff - zof);
    return v.branchY[branch] * (zff - k * zof);
}

Complex Network::TieInjection(const SymmetricFactor& f, const Values& v, int bus) const {
    const int fault = node_[bus];
    const Complex zff = f.InverseDiagonal(fault);
    Complex in{};
    for (const auto& t : touches_[bus]) {
        if (t.shunt >= 0)
            in += zff * v.shuntY[t.shunt];
        else if (t.branch >= 0)
            in += BranchCurrent(f, v, t.branch, bus);
    }
    return in;
}

void Network::Shares(const SymmetricFactor& f, const Values& v, int bus,
                     std::vector<BranchShare>& out) const {
    const int fault = node_[bus];
    const Complex zff = f.InverseDiagonal(fault);
    for (const auto& t : touches_[bus]) {
        Complex current{};
        if (t.shunt >= 0) {
            current = zff * v.shuntY[t.shunt];
        } else if (t.branch >= 0) {
            current = BranchCurrent(f, v, t.branch, bus);
        } else {
            // A zero-impedance cable: what the buses on its far side take in.
            const auto& c = in_.cables[t.index];
            const int a = busNumber_.at(c.from), b = busNumber_.at(c.to);
            const int child = tieParent_[a] == b ? a : b;
            Complex sub{};
            std::vector<int> stack{child};
            while (!stack.empty()) {
                const int u = stack.back();
                stack.pop_back();
                sub += TieInjection(f, v, u);
                for (int w : tieChildren_[u]) stack.push_back(w);
            }
            // All the injections of the joined buses add up to the fault current.
            current = child == bus ? 1.0 - sub : sub;
        }
        out.push_back({t.kind, t.index, std::abs(current)});
    }
}

ShortCircuitResults Network::Solve(const SolveOptions& options) const {
    const Convention convention = options.convention;
    ShortCircuitResults r;
    r.convention = convention;
    r.errors = errors_;
    if (convention == Convention::Iec60909)
        r.tapsLeftOut = std::any_of(branches_.begin(), branches_.end(),
                                    [](const Branch& br) { return br.k != br.kTapped; });
    const std::size_t n = namedBuses_;
    r.buses.resize(n);
    for (std::size_t b = 0; b < n; ++b) {
        r.buses[b].name = busNames_[b];
        r.buses[b].kV = busKv_[b];
    }
    r.busIndex.insert(busNumber_.begin(), busNumber_.end());
    if (nodeCount_ == 0) return r;

    SymmetricFactor fmax = pattern_, fmin = pattern_;
    const Values vmax = ElementValues(options, Case::Max);
    const Values vmin = ElementValues(options, Case::Min);
    // A zero pivot leaves its island without a solution; the pivots' precision tells.
    auto factor = [&](SymmetricFactor& f, const Values& v) {
        Factorize(f, v);
        f.Invert();
    };
    factor(fmax, vmax);
    factor(fmin, vmin);
    // The islands whose solution cannot be trusted, each with the error that
    // says why (an entry of r.errors).
    std::unordered_map<int, int> unsolved;
    auto refuse = [&](int node, const Values& v) {
        if (unsolved.count(island_[node])) return;
        unsolved.emplace(island_[node], static_cast<int>(r.errors.size()));
        r.errors.push_back(Unsolvable(node, v));
    };
    for (int k = 0; k < nodeCount_; ++k) {
        // NaN fails the comparison too.
        if (!(fmax.PivotPrecision(k) >= kLeastPivotPrecision)) refuse(k, vmax);
        if (!(fmin.PivotPrecision(k) >= kLeastPivotPrecision)) refuse(k, vmin);
    }

    for (std::size_t b = 0; b < n; ++b) {
        const int k = node_[b];
        if (k < 0 || unsolved.count(island_[k])) continue;
        BusResult& out = r.buses[b];
        const double kV = busKv_[b];
        const double baseKa = kBaseMva / (kSqrt3 * kV);
        const Complex zmax = fmax.InverseDiagonal(k), zmin = fmin.InverseDiagonal(k);
        out.computed = true;
        out.ka_max = VoltageFactor(convention, Case::Max, kV, options.lvTolerance) / std::abs(zmax) * baseKa;
        out.ka_min = VoltageFactor(convention, Case::Min, kV, options.lvTolerance) / std::abs(zmin) * baseKa;
        out.xr_max = zmax.imag() / zmax.real();
        Shares(fmax, vmax, static_cast<int>(b), out.shares);
        Shares(fmin, vmin, static_cast<int>(b), out.shares_min);
    }
    // A number that is not finite is never handed out: its island is refused
    // (a guard; the checked values and the pivots' precision leave none).
    for (std::size_t b = 0; b < n; ++b) {
        const BusResult& out = r.buses[b];
        if (!out.computed) continue;
        bool finite = std::isfinite(out.ka_max) && std::isfinite(out.ka_min) && std::isfinite(out.xr_max);
        for (const auto* list : {&out.shares, &out.shares_min})
            for (const auto& sh : *list) finite = finite && std::isfinite(sh.share);
        if (!finite) refuse(node_[b], vmax);
    }
    for (std::size_t b = 0; b < n; ++b) {
        const int k = node_[b];
        if (k < 0) continue;
        const auto it = unsolved.find(island_[k]);
        if (it == unsolved.end()) continue;
        BusResult& out = r.buses[b];
        out = BusResult{out.name, out.kV};
        out.error = it->second;
    }
    return r;
}

void Network::Factorize(SymmetricFactor& f, const Values& v) const {
    std::vector<Complex> diag(nodeCount_), off(edges_.size());
    for (std::size_t i = 0; i < branches_.size(); ++i) {
        const auto& br = branches_[i];
        if (br.edge < 0) continue;
        diag[node_[br.busA]] += v.branchY[i];
        diag[node_[br.busB]] += v.branchY[i];
        const double k = v.branchK[i];
        if (k == 1) {
            off[br.edge] = -v.branchY[i];
        } else {
            diag[node_[br.busA]] += (k * k - 1) * v.branchY[i];
            off[br.edge] = -k * v.branchY[i];
        }
    }
    for (std::size_t i = 0; i < shunts_.size(); ++i) diag[node_[shunts_[i].bus]] += v.shuntY[i];
    f.Factorize(diag, off);
}

ElementError Network::Unsolvable(int node, const Values& v) const {
    // The branch of the largest admittance at the node: beside the rest of
    // the network its impedance is what cancels the pivot's digits.
    const Branch* worst = nullptr;
    double most = 0;
    for (std::size_t i = 0; i < branches_.size(); ++i) {
        const Branch& br = branches_[i];
        if (br.edge < 0 || (node_[br.busA] != node && node_[br.busB] != node)) continue;
        const double y = std::abs(v.branchY[i]);
        if (y > most) most = y, worst = &br;
    }
    if (worst) {
        const bool cable = worst->kind == ElementKind::Cable;
        const bool three = worst->kind == ElementKind::Transformer3;
        const std::string& name = cable   ? in_.cables[worst->index].name
                                  : three ? in_.transformers3[worst->index].name
                                          : in_.transformers[worst->index].name;
        return {worst->kind, worst->index, name,
                std::string(cable ? "cable " : three ? "three-winding transformer " : "transformer ") + name +
                    ": its impedance is too small beside the rest of the network for the fault currents "
                    "to be computed" +
                    (cable ? "; make it a closed tie (length 0)" : "")};
    }
    // No branch to name: the first source of the island.
    for (std::size_t i = 0; i < in_.sources.size(); ++i) {
        const int b = busNumber_.at(in_.sources[i].bus);
        if (!bad_[1][i] && node_[b] >= 0 && island_[node_[b]] == island_[node]) {
            return {ElementKind::Source, i, in_.sources[i].name,
                    "source " + in_.sources[i].name + ": the network's equations have no solution"};
        }
    }
    for (std::size_t i = 0; i < in_.generators.size(); ++i) {
        const int b = busNumber_.at(in_.generators[i].bus);
        if (!bad_[5][i] && node_[b] >= 0 && island_[node_[b]] == island_[node]) {
            return {ElementKind::Generator, i, in_.generators[i].name,
                    "generator " + in_.generators[i].name + ": the network's equations have no solution"};
        }
    }
    // Not reached: a live island has a source or a generator.
    if (in_.sources.empty())
        return {ElementKind::Generator, 0, in_.generators[0].name,
                "generator " + in_.generators[0].name + ": the network's equations have no solution"};
    return {ElementKind::Source, 0, in_.sources[0].name,
            "source " + in_.sources[0].name + ": the network's equations have no solution"};
}

}  // namespace zentavo::network

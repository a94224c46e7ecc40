// SPDX-License-Identifier: GPL-3.0-or-later
// The checks of a network's input: each element's own values, the bus
// voltages its rows state, and how the elements fit their buses.
#include <algorithm>
#include <cmath>
#include <string>

#include "network/short_circuit.h"

namespace zentavo::network {
namespace {

constexpr double kMostTapPercent = 50;
// A rated voltage this far from its bus's nominal voltage is a slip (a
// voltage in V, another bus), not a transformer: below 0.7 or above 1.3 of it.
constexpr double kLeastRatedRatio = 0.7, kMostRatedRatio = 1.3;

bool Positive(double v) {
    return std::isfinite(v) && v > 0;
}
bool NotNegative(double v) {
    return std::isfinite(v) && v >= 0;
}

// A number as a message writes it: "115", "0.7".
std::string Digits(double v) {
    std::string t = std::to_string(v);
    t.erase(t.find_last_not_of('0') + 1);
    if (t.back() == '.') t.pop_back();
    return t;
}

}  // namespace

void Network::CheckValues() {
    for (std::size_t i = 0; i < in_.buses.size(); ++i) {
        const auto& b = in_.buses[i];
        if (b.name.empty())
            Error(ElementKind::Bus, i, "a bus without a name");
        else if (!Positive(b.kV))
            Error(ElementKind::Bus, i, "bus " + b.name + ": the voltage must be above zero");
    }
    for (std::size_t i = 0; i < in_.sources.size(); ++i) {
        const auto& s = in_.sources[i];
        const std::string who = "source " + s.name + ": ";
        if (s.bus.empty())
            Error(ElementKind::Source, i, who + "no bus");
        else if (!Positive(s.kV))
            Error(ElementKind::Source, i, who + "the voltage must be above zero");
        else if (!Positive(s.ka_max))
            Error(ElementKind::Source, i, who + "the fault current must be above zero");
        else if (!Positive(s.ka_min))
            Error(ElementKind::Source, i, who + "the minimum fault current must be above zero");
        else if (s.ka_min > s.ka_max)
            Error(ElementKind::Source, i,
                  who + "the minimum fault current is above the maximum fault current");
        else if (!NotNegative(s.xr))
            Error(ElementKind::Source, i, who + "X/R must not be negative");
    }
    for (std::size_t i = 0; i < in_.transformers.size(); ++i) {
        const auto& t = in_.transformers[i];
        const std::string who = "transformer " + t.name + ": ";
        if (t.from_bus.empty() || t.to_bus.empty())
            Error(ElementKind::Transformer, i, who + "needs both buses");
        else if (t.from_bus == t.to_bus)
            Error(ElementKind::Transformer, i, who + "joins bus " + t.to_bus + " with itself");
        else if (!Positive(t.kva))
            Error(ElementKind::Transformer, i, who + "the rating must be above zero");
        else if (!Positive(t.z_percent))
            Error(ElementKind::Transformer, i, who + "the impedance must be above zero");
        else if (!NotNegative(t.xr))
            Error(ElementKind::Transformer, i, who + "X/R must not be negative");
        else if (!NotNegative(t.kv_hv) || !NotNegative(t.kv_lv))
            Error(ElementKind::Transformer, i, who + "the rated voltages must not be negative");
        else if (!std::isfinite(t.tap_percent) || std::abs(t.tap_percent) >= kMostTapPercent)
            Error(ElementKind::Transformer, i, who + "the tap must lie within ±" + Digits(kMostTapPercent) + " %");
    }
    for (std::size_t i = 0; i < in_.transformers3.size(); ++i) {
        const auto& t = in_.transformers3[i];
        const std::string who = "three-winding transformer " + t.name + ": ";
        bool impedances = true, resistances = true;
        for (int p = 0; p < 3; ++p) {
            impedances = impedances && Positive(t.uk_percent[p]);
            resistances = resistances && NotNegative(t.ur_percent[p]) && t.ur_percent[p] < t.uk_percent[p];
        }
        if (t.hv_bus.empty() || t.mv_bus.empty() || t.lv_bus.empty())
            Error(ElementKind::Transformer3, i, who + "needs its three buses");
        else if (t.hv_bus == t.mv_bus || t.hv_bus == t.lv_bus || t.mv_bus == t.lv_bus)
            Error(ElementKind::Transformer3, i, who + "its three buses must differ");
        else if (!Positive(t.kva_hv) || !Positive(t.kva_mv) || !Positive(t.kva_lv))
            Error(ElementKind::Transformer3, i, who + "the ratings must be above zero");
        else if (!impedances)
            Error(ElementKind::Transformer3, i, who + "the impedances must be above zero");
        else if (!resistances)
            Error(ElementKind::Transformer3, i,
                  who + "each resistive voltage must be at least zero and below its pair's impedance voltage");
        else if (!NotNegative(t.kv_hv) || !NotNegative(t.kv_mv) || !NotNegative(t.kv_lv))
            Error(ElementKind::Transformer3, i, who + "the rated voltages must not be negative");
        else if (!std::isfinite(t.tap_percent) || std::abs(t.tap_percent) >= kMostTapPercent)
            Error(ElementKind::Transformer3, i, who + "the tap must lie within ±" + Digits(kMostTapPercent) + " %");
    }
    for (std::size_t i = 0; i < in_.generators.size(); ++i) {
        const auto& g = in_.generators[i];
        const std::string who = "generator " + g.name + ": ";
        if (g.bus.empty())
            Error(ElementKind::Generator, i, who + "no bus");
        else if (!Positive(g.kva))
            Error(ElementKind::Generator, i, who + "the rating must be above zero");
        else if (!NotNegative(g.kv))
            Error(ElementKind::Generator, i, who + "the rated voltage must not be negative");
        else if (!Positive(g.xd_pu))
            Error(ElementKind::Generator, i, who + "the subtransient reactance must be above zero");
        else if (g.xr && !Positive(*g.xr))
            Error(ElementKind::Generator, i, who + "X/R must be above zero");
        else if (g.r_ohm && !NotNegative(*g.r_ohm))
            Error(ElementKind::Generator, i, who + "the resistance must not be negative");
        else if (!(g.cos_phi > 0 && g.cos_phi <= 1))
            Error(ElementKind::Generator, i, who + "the power factor must lie above 0 and up to 1");
        else if (g.unit && (!Positive(g.unit->kva) || !Positive(g.unit->z_percent)))
            Error(ElementKind::Generator, i, who + "its unit transformer's rating and impedance must be above zero");
        else if (g.unit && (!NotNegative(g.unit->xr) || !NotNegative(g.unit->kv_hv) || !NotNegative(g.unit->kv_lv)))
            Error(ElementKind::Generator, i,
                  who + "its unit transformer's X/R and rated voltages must not be negative");
        else if (g.unit && !g.unit->on_load_taps &&
                 !(std::isfinite(g.unit->pg_percent) && g.unit->pg_percent >= 0 && g.unit->pg_percent < 100 &&
                   std::isfinite(g.unit->pt_percent) && std::abs(g.unit->pt_percent) < kMostTapPercent))
            Error(ElementKind::Generator, i,
                  who + "the voltage regulation range must lie from 0 up to 100 % and the off-load tap within ±" +
                      Digits(kMostTapPercent) + " %");
        else if (g.unit && g.kv == 0 && g.unit->kv_lv == 0)
            Error(ElementKind::Generator, i,
                  who + "a power-station unit needs the generator's or the transformer's low rated voltage");
    }
    for (std::size_t i = 0; i < in_.cables.size(); ++i) {
        const auto& c = in_.cables[i];
        const std::string who = "cable " + c.name + ": ";
        if (c.from.empty() || c.to.empty())
            Error(ElementKind::Cable, i, who + "needs both buses");
        else if (c.from == c.to)
            Error(ElementKind::Cable, i, who + "joins bus " + c.to + " with itself");
        else if (!NotNegative(c.length_m))
            Error(ElementKind::Cable, i, who + "the length must not be negative");
        else if (!NotNegative(c.r_ohm_km) || !NotNegative(c.x_ohm_km))
            Error(ElementKind::Cable, i, who + "the resistance and reactance must not be negative");
        else if (c.sets < 1)
            Error(ElementKind::Cable, i, who + "needs at least one set");
    }
    for (std::size_t i = 0; i < in_.motors.size(); ++i) {
        const auto& m = in_.motors[i];
        const std::string who = "motor " + m.name + ": ";
        if (m.bus.empty())
            Error(ElementKind::Motor, i, who + "no bus");
        else if (!Positive(m.kva))
            Error(ElementKind::Motor, i, who + "the rating must be above zero");
        else if (!Positive(m.x_pu))
            Error(ElementKind::Motor, i, who + "the reactance must be above zero");
        else if (!Positive(m.xr))
            Error(ElementKind::Motor, i, who + "X/R must be above zero");
    }
}

void Network::CheckVoltages() {
    const std::size_t n = busNames_.size();
    busKv_.assign(n, 0);
    busConflict_.assign(n, false);
    // Every statement of a bus voltage, by bus.
    struct Statement {
        ElementKind kind;
        std::size_t index;
        double kV;
        std::string who;
    };
    std::vector<std::vector<Statement>> byBus(n);
    for (std::size_t i = 0; i < in_.buses.size(); ++i) {
        if (Bad(ElementKind::Bus, i)) continue;
        const auto& b = in_.buses[i];
        byBus[busNumber_.at(b.name)].push_back(
            {ElementKind::Bus, i, b.kV, b.origin.empty() ? b.name : b.origin});
    }
    for (std::size_t i = 0; i < in_.sources.size(); ++i) {
        if (Bad(ElementKind::Source, i)) continue;
        const auto& s = in_.sources[i];
        byBus[busNumber_.at(s.bus)].push_back({ElementKind::Source, i, s.kV, "source " + s.name});
    }
    for (std::size_t b = 0; b < n; ++b) {
        const auto& st = byBus[b];
        if (st.empty()) continue;
        bool agree = true;
        for (const auto& s : st) agree = agree && s.kV == st.front().kV;
        if (agree) {
            busKv_[b] = st.front().kV;
            continue;
        }
        busConflict_[b] = true;
        for (const auto& s : st) {
            const auto other = std::find_if(st.begin(), st.end(),
                                            [&](const Statement& o) { return o.kV != s.kV; });
            Error(s.kind, s.index,
                  "bus " + busNames_[b] + ": " + s.who + " gives it another voltage than " +
                      other->who);
        }
    }
}

// The problem of a rated voltage (0: the nominal one) against its bus's
// nominal voltage, or empty.
namespace {
std::string RatedProblem(double rated, double nominal, const char* which) {
    if (rated == 0) return {};
    const double ratio = rated / nominal;
    if (ratio >= kLeastRatedRatio && ratio <= kMostRatedRatio) return {};
    return std::string("the ") + which + " rated voltage " + Digits(rated) + " kV is not a rating for its bus of " +
           Digits(nominal) + " kV (0.7 to 1.3 times it)";
}
}  // namespace

void Network::CheckConnections() {
    // The problem of a bus an element names, or empty.
    auto busProblem = [&](const std::string& name) -> std::string {
        const int b = busNumber_.at(name);
        if (busConflict_[b]) return "bus " + name + " has voltages that disagree";
        if (busKv_[b] == 0) return "bus " + name + " has no voltage";
        return {};
    };
    for (std::size_t i = 0; i < in_.transformers.size(); ++i) {
        if (Bad(ElementKind::Transformer, i)) continue;
        const auto& t = in_.transformers[i];
        const std::string who = "transformer " + t.name + ": ";
        std::string p = busProblem(t.from_bus);
        if (p.empty()) p = busProblem(t.to_bus);
        if (!p.empty())
            Error(ElementKind::Transformer, i, who + p);
        else if (busKv_[busNumber_.at(t.from_bus)] == busKv_[busNumber_.at(t.to_bus)])
            Error(ElementKind::Transformer, i,
                  who + "its buses " + t.from_bus + " and " + t.to_bus + " have one voltage");
        else {
            const double a = busKv_[busNumber_.at(t.from_bus)], b = busKv_[busNumber_.at(t.to_bus)];
            p = RatedProblem(t.kv_hv, std::max(a, b), "high");
            if (p.empty()) p = RatedProblem(t.kv_lv, std::min(a, b), "low");
            if (!p.empty()) Error(ElementKind::Transformer, i, who + p);
        }
    }
    for (std::size_t i = 0; i < in_.transformers3.size(); ++i) {
        if (Bad(ElementKind::Transformer3, i)) continue;
        const auto& t = in_.transformers3[i];
        const std::string who = "three-winding transformer " + t.name + ": ";
        std::string p = busProblem(t.hv_bus);
        if (p.empty()) p = busProblem(t.mv_bus);
        if (p.empty()) p = busProblem(t.lv_bus);
        const double hv = p.empty() ? busKv_[busNumber_.at(t.hv_bus)] : 0;
        const double mv = p.empty() ? busKv_[busNumber_.at(t.mv_bus)] : 0;
        const double lv = p.empty() ? busKv_[busNumber_.at(t.lv_bus)] : 0;
        if (p.empty() && !(hv > mv && mv >= lv))
            p = "the voltages of its buses " + t.hv_bus + ", " + t.mv_bus + " and " + t.lv_bus +
                " must fall from the high-voltage to the medium- and low-voltage winding";
        if (p.empty()) p = RatedProblem(t.kv_hv, hv, "high");
        if (p.empty()) p = RatedProblem(t.kv_mv, mv, "medium");
        if (p.empty()) p = RatedProblem(t.kv_lv, lv, "low");
        if (!p.empty()) Error(ElementKind::Transformer3, i, who + p);
    }
    for (std::size_t i = 0; i < in_.generators.size(); ++i) {
        if (Bad(ElementKind::Generator, i)) continue;
        const auto& g = in_.generators[i];
        std::string p = busProblem(g.bus);
        if (p.empty() && !g.unit) p = RatedProblem(g.kv, busKv_[busNumber_.at(g.bus)], "rated");
        if (p.empty() && g.unit) {
            p = RatedProblem(g.unit->kv_hv, busKv_[busNumber_.at(g.bus)], "high");
            if (p.empty() && g.kv > 0 && g.unit->kv_lv > 0) p = RatedProblem(g.kv, g.unit->kv_lv, "generator's");
        }
        if (!p.empty()) Error(ElementKind::Generator, i, "generator " + g.name + ": " + p);
    }
    for (std::size_t i = 0; i < in_.cables.size(); ++i) {
        if (Bad(ElementKind::Cable, i)) continue;
        const auto& c = in_.cables[i];
        const std::string who = "cable " + c.name + ": ";
        std::string p = busProblem(c.from);
        if (p.empty()) p = busProblem(c.to);
        if (!p.empty())
            Error(ElementKind::Cable, i, who + p);
        else if (busKv_[busNumber_.at(c.from)] != busKv_[busNumber_.at(c.to)])
            Error(ElementKind::Cable, i,
                  who + "its buses " + c.from + " and " + c.to + " have different voltages");
    }
    for (std::size_t i = 0; i < in_.motors.size(); ++i) {
        if (Bad(ElementKind::Motor, i)) continue;
        const std::string p = busProblem(in_.motors[i].bus);
        if (!p.empty()) Error(ElementKind::Motor, i, "motor " + in_.motors[i].name + ": " + p);
    }
}

}  // namespace zentavo::network

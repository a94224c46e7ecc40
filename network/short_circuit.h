// SPDX-License-Identifier: GPL-3.0-or-later
// Three-phase bolted fault currents over a network of buses, sources,
// transformers, cables and motors: the Thevenin impedance at every bus from
// the nodal admittance matrix in per unit (bus nominal voltages as base
// voltages, transformers at their nominal ratios), for the maximum case and
// the minimum case of a convention, and the share of the fault current that
// each element touching the faulted bus carries in each case (the shares
// differ: a weak source gives less in the minimum case, and motors nothing).
//
// Modelled: sources as ideal voltage sources behind Z = c·U/(√3·I), so that a
// fault at a source's own bus draws exactly its given current; transformer
// Z = (z/100)·U²/S; cable Z = (r + jx)·length/1000/sets; motors as a constant
// subtransient reactance in the maximum case only. Not modelled: generator
// decrement, single-phase faults, tap changers, DC offset.
//
// The network is checked once when built; every problem is an error naming
// the element concerned, that element takes no part, and the rest of the
// network is still computed. (Cables of zero impedance in a loop are errors
// because their currents are undetermined, yet their buses stay one.)
//
// Precision. A cable whose impedance is below kTieImpedance (1e-6) of its
// buses' base impedance kV²/100 MVA (2.3 nΩ at 480 V, 1.9 µΩ at 13.8 kV) is
// a closed tie, exactly as one of zero impedance: solved as a branch, its
// admittance beside the rest of the network's would cancel nearly every
// digit of its buses' pivots in the elimination (a 1 mm cable of 1 000 sets
// at 0.0001 Ω/km beside a 0.8 kA, 13.8 kV source gave that bus 0.797 kA of
// its 0.800 kA). Taking it as a tie changes a bus's Thevenin impedance by at
// most the cable's own, so a fault current by at most 1e-6 × (fault level /
// 100 MVA) of itself: 0.0004 kA of 40 kA at 13.8 kV, under 0.0001 kA at 480 V.
// Whatever else would lose digits so (a pivot that keeps less than
// kLeastPivotPrecision, 1e-9, of the terms summed into it: about 7 of a
// double's 16 digits left; a zero pivot; a number that is not finite) is
// found when solving: the island it belongs to is refused, naming the branch
// of the largest admittance at that node, and the other islands are computed.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "network/sparse_ldlt.h"

namespace zentavo::network {

// Below this part of its buses' base impedance a cable is a closed tie.
inline constexpr double kTieImpedance = 1e-6;
// The least precision (SymmetricFactor::PivotPrecision) a pivot may keep.
inline constexpr double kLeastPivotPrecision = 1e-9;

// --- Inputs ------------------------------------------------------------------

// The nominal voltage of a bus, as one row or element states it. A bus may be
// stated several times; all must agree. `origin` names who states it in
// errors (the bus name when empty).
struct Bus {
    std::string name;
    double kV = 0;
    std::string origin;
};

// The utility at `bus`: available three-phase fault current at `kV` (which
// is also a statement of the bus voltage) for each case, and its X/R.
struct Source {
    std::string name, bus;
    double kV = 0;
    double ka_max = 0, ka_min = 0;
    double xr = 0;
};

// Primary `from_bus`, secondary `to_bus`, each at its bus's voltage.
struct Transformer {
    std::string name, from_bus, to_bus;
    double kva = 0, z_percent = 0, xr = 0;
};

// Both ends at one voltage; r and x per conductor, `sets` conductors in
// parallel per phase. A cable of zero impedance, or below kTieImpedance per
// unit, joins its two buses into one.
struct Cable {
    std::string name, from, to;
    double length_m = 0, r_ohm_km = 0, x_ohm_km = 0;
    int sets = 1;
};

// Motors on `bus`: total kVA, subtransient reactance per unit on it, X/R.
struct Motor {
    std::string name, bus;
    double kva = 0, x_pu = 0.2, xr = 10;
};

struct NetworkInput {
    std::vector<Bus> buses;
    std::vector<Source> sources;
    std::vector<Transformer> transformers;
    std::vector<Cable> cables;
    std::vector<Motor> motors;
};

enum class Convention { Ansi = 0, Iec60909 = 1 };
// The words of the conventions in study files and on the command line, in enum order.
inline constexpr std::array<std::string_view, 2> kConventionWords = {"ansi", "iec60909"};
enum class Case { Max, Min };

// The voltage factor c of a case at a bus of `kV`.
double VoltageFactor(Convention convention, Case c, double kV);

// --- Results -----------------------------------------------------------------

enum class ElementKind { Bus, Source, Transformer, Cable, Motor };

// A problem of one input: its kind, its index in its list of NetworkInput,
// its name (a bus statement's origin) and the sentence that explains it.
struct ElementError {
    ElementKind kind = ElementKind::Bus;
    std::size_t index = 0;
    std::string name;
    std::string message;
};

// The share of a bus fault current that one element touching the bus carries.
struct BranchShare {
    ElementKind kind = ElementKind::Source;
    std::size_t index = 0;
    double share = 0;
};

struct BusResult {
    std::string name;
    double kV = 0;
    bool computed = false;  // false: no voltage, no path to a source, or `error`
    // Not computed because its island cannot be solved: the entry of
    // ShortCircuitResults::errors that says why; -1 otherwise.
    int error = -1;
    double ka_max = 0, ka_min = 0;
    double xr_max = 0;  // X/R of the Thevenin impedance, maximum case
    // Every element touching the bus without an error of its own, in the
    // order sources, transformers, cables, motors: its share of this bus's
    // fault current in the maximum case, and in the minimum case (the same
    // elements in the same order; a motor's share is 0 there).
    std::vector<BranchShare> shares, shares_min;
};

struct ShortCircuitResults {
    Convention convention = Convention::Ansi;
    std::vector<BusResult> buses;  // in the order each bus name first appears
    std::unordered_map<std::string, std::size_t> busIndex;  // name -> entry of buses
    std::vector<ElementError> errors;

    const BusResult* FindBus(const std::string& name) const;
    // The share of an element at the fault of `bus` in case `c`; empty when
    // the element has an error, does not touch the bus, or the bus is not
    // computed.
    std::optional<double> Share(const std::string& bus, ElementKind kind, std::size_t index,
                                Case c = Case::Max) const;
};

// --- The network ---------------------------------------------------------------

class Network {
public:
    // Checks the input and builds topology, node numbering and the factor's
    // pattern. Never throws for a problem of the input: see errors().
    explicit Network(NetworkInput input);

    const std::vector<ElementError>& errors() const { return errors_; }

    // Both cases of `convention`, every bus.
    ShortCircuitResults Solve(Convention convention) const;

    // Number of electrical nodes (buses joined by zero-impedance cables count once).
    int NodeCount() const { return nodeCount_; }
    // Entries below the diagonal of the factor, fill included (NodeCount() − 1
    // for a radial network).
    std::size_t FactorNonZeros() const { return pattern_.FactorNonZeros(); }

private:
    // An element touching a bus, with where its values live: a branch (entry
    // of branches_), a shunt (entry of shunts_) or a zero-impedance cable.
    struct Touch {
        ElementKind kind;
        std::size_t index;
        int branch = -1, shunt = -1;
        bool tie = false;
    };
    struct Branch {
        ElementKind kind;
        std::size_t index;
        int busA, busB;
        int edge;  // entry of edges_, -1 when both buses are one node
    };
    struct Shunt {
        ElementKind kind;
        std::size_t index;
        int bus;
    };
    struct Values {
        std::vector<Complex> branchY, shuntY;  // per unit, per entry of branches_, shunts_
    };

    void NumberBuses();
    void CheckValues();
    void CheckVoltages();
    void CheckConnections();
    void JoinZeroImpedanceCables();
    void FindLiveBuses();
    void BuildModel();
    void Error(ElementKind kind, std::size_t index, const std::string& message);
    unsigned char& Bad(ElementKind kind, std::size_t index);
    Values ElementValues(Convention convention, Case c) const;
    void Shares(const SymmetricFactor& f, const Values& v, int bus,
                std::vector<BranchShare>& out) const;
    Complex TieInjection(const SymmetricFactor& f, const Values& v, int bus) const;
    // The error that refuses the island of `node`, whose solution lost its digits.
    ElementError Unsolvable(int node, const Values& v) const;

    NetworkInput in_;
    std::vector<ElementError> errors_;
    std::vector<std::vector<unsigned char>> bad_;  // per kind, per index: takes no part

    std::vector<std::string> busNames_;
    std::unordered_map<std::string, int> busNumber_;
    std::vector<double> busKv_;  // 0: no voltage, or voltages that disagree
    std::vector<bool> busConflict_;
    std::vector<int> group_;  // bus -> first bus of its zero-impedance group
    std::vector<int> node_;   // bus -> node, -1 when not live
    std::vector<int> island_;  // node -> its island (a bus of it)
    int nodeCount_ = 0;
    std::vector<std::vector<Touch>> touches_;  // per bus
    std::vector<Branch> branches_;
    std::vector<Shunt> shunts_;
    std::vector<std::pair<int, int>> edges_;  // node pairs
    // Zero-impedance cables as a forest over the buses: parent bus and the
    // cable to it (-1 at a root), and the children of each bus.
    std::vector<int> tieParent_;
    std::vector<std::vector<int>> tieChildren_;
    SymmetricFactor pattern_;
};

}  // namespace zentavo::network

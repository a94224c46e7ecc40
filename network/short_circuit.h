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
// Z = (z/100)·U_r²/S at its rated voltages, an ideal ratio for rated voltages
// that differ from its buses' nominal ones, and by ansi for a tap (IEC
// 60909's equivalent voltage source takes every transformer at its rated
// ratio: its correction factors stand for the taps); three-winding
// transformers as a star of three impedances; cable Z = (r + jx)·length/
// 1000/sets, its resistance at the conductors' end-of-fault temperature in
// the minimum case; motors as a constant subtransient reactance in the
// maximum case only; synchronous generators as their subtransient
// impedance (IEC 60909: corrected by K_G). Not modelled: generator
// decrement, single-phase faults, DC offset.
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
// A tie breaker (a closed tie with a device, Cable::opens) is a branch of at
// least this part of its buses' base impedance: about a millimetre of a
// 480 V tie's cables, so that it changes a fault current by at most 1e-5 ×
// (fault level / 100 MVA) of itself, and can be taken out when it opens.
inline constexpr double kTieBreakerImpedance = 1e-5;
// The least precision (SymmetricFactor::PivotPrecision) a pivot may keep.
inline constexpr double kLeastPivotPrecision = 1e-9;
// The common power base of the per-unit model, MVA.
inline constexpr double kBaseMva = 100.0;

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

// Primary `from_bus`, secondary `to_bus`. Its rated voltages on the side of
// the higher (kv_hv) and of the lower (kv_lv) bus voltage, 0 for the bus's
// nominal voltage; `tap_percent` of the high-voltage winding's turns added
// (+2.5: the winding at 102.5 %; ansi only, iec60909 leaves taps out). The
// impedance is on the rated voltages.
struct Transformer {
    std::string name, from_bus, to_bus;
    double kva = 0, z_percent = 0, xr = 0;
    double kv_hv = 0, kv_lv = 0, tap_percent = 0;
};

// A three-winding transformer: its high-, medium- and low-voltage buses,
// the rating of each winding, and for each pair of windings (HV–MV, HV–LV,
// MV–LV) its short-circuit voltage u_k and resistive voltage u_R in % on the
// smaller rating of the pair; rated voltages 0 for the buses' nominal ones,
// the tap on the high-voltage winding as for Transformer.
struct Transformer3 {
    std::string name, hv_bus, mv_bus, lv_bus;
    double kva_hv = 0, kva_mv = 0, kva_lv = 0;
    std::array<double, 3> uk_percent{}, ur_percent{};  // HV–MV, HV–LV, MV–LV
    double kv_hv = 0, kv_mv = 0, kv_lv = 0, tap_percent = 0;
};

// Both ends at one voltage; r and x per conductor, `sets` conductors in
// parallel per phase. A cable of zero impedance, or below kTieImpedance per
// unit, joins its two buses into one. `end_temp_c`: the conductors'
// temperature at the end of the fault, for the minimum case (absent: the
// study's, SolveOptions::cableEndTemp); r is at 20 °C.
struct Cable {
    std::string name, from, to;
    double length_m = 0, r_ohm_km = 0, x_ohm_km = 0;
    int sets = 1;
    std::optional<double> end_temp_c;
    // A device sits on it: a closed tie is then a tie breaker, a branch of
    // kTieBreakerImpedance that opens, not two buses joined into one.
    bool opens = false;
};

// A synchronous generator on `bus`: rating, rated voltage (0: the bus's
// nominal voltage), subtransient reactance x″d per unit on its rating, X/R
// or its resistance R_G
// (absent: IEC 60909's fictitious resistance R_Gf: X/R 20 above 1 kV and
// from 100 MVA, 1/0.07 above 1 kV below 100 MVA, 1/0.15 up to 1 kV), rated
// power factor; in the minimum case only when `in_min`.
//
// With `unit`, a power-station unit: the generator behind its own unit
// transformer, `bus` the transformer's high-voltage side; rated voltages 0
// for the bus's nominal voltage (HV) and the generator's (LV; the
// generator's rated voltage, when not given, is the transformer's LV one).
// IEC 60909 corrects the pair as one, Z = K·(t_r²·Z_G + Z_THV): with an
// on-load tap changer K_S = (U_nQ²/U_rG²)·(U_rTLV²/U_rTHV²)·c_max /
// (1 + |x″d − x_T|·sin φ_rG); without one K_SO = U_nQ/(U_rG·(1 + p_G))·
// (U_rTLV/U_rTHV)·(1 + p_T)·c_max/(1 + x″d·sin φ_rG), p_G the generator's
// voltage regulation range and p_T the off-load tap permanently used
// (signed: −5 % for the 1 − p_T of the largest partial current; 0 at the
// main tap).
struct UnitTransformer {
    double kva = 0, z_percent = 0, xr = 0, kv_hv = 0, kv_lv = 0;
    bool on_load_taps = true;
    double pg_percent = 0, pt_percent = 0;  // without on-load tap changer
};
struct Generator {
    std::string name, bus;
    double kva = 0, kv = 0, xd_pu = 0;
    std::optional<double> xr;
    double cos_phi = 0.8;
    bool in_min = false;
    std::optional<UnitTransformer> unit;
    std::optional<double> r_ohm;  // R_G in ohms at its rated voltage, in place of X/R
};
// IEC 60909's K_S of a power-station unit with an on-load tap changer.
double UnitFactor(double busKv, double generatorKv, double transformerHvKv, double transformerLvKv, double xd,
                  double xt, double cosPhi, double cmax);
// IEC 60909's K_SO of a power-station unit without on-load tap changer;
// pG and pT as fractions (0.075 for 7.5 %).
double UnitFactorFixedTaps(double busKv, double generatorKv, double transformerHvKv, double transformerLvKv,
                           double xd, double cosPhi, double cmax, double pG, double pT);

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
    std::vector<Generator> generators;
    std::vector<Transformer3> transformers3;
};

enum class Convention { Ansi = 0, Iec60909 = 1 };
// The words of the conventions in study files and on the command line, in enum order.
inline constexpr std::array<std::string_view, 2> kConventionWords = {"ansi", "iec60909"};
enum class Case { Max, Min };

// How the fault currents are computed: the convention and its choices.
struct SolveOptions {
    Convention convention = Convention::Ansi;
    // iec60909: the voltage tolerance of low-voltage systems, %: 6 gives
    // c_max 1.05, 10 gives 1.10 (up to 1 kV).
    int lvTolerance = 6;
    // The conductors' temperature at the end of the fault in the minimum
    // case, °C, for every cable without its own; absent: 80 by iec60909,
    // 20 by ansi.
    std::optional<double> cableEndTemp;
};
inline constexpr double kIecCableEndTemp = 80, kAnsiCableEndTemp = 20;
// The temperature the minimum case takes for cables without their own.
double CableEndTemp(const SolveOptions& options);
// A conductor's resistance at θ °C from its resistance at 20 °C:
// [1 + 0.004/K·(θ − 20 °C)]·R20.
double ResistanceAt(double r20, double celsius);

// The voltage factor c of a case at a bus of `kV`.
double VoltageFactor(Convention convention, Case c, double kV, int lvTolerance = 6);
// IEC 60909's correction factor of a generator: (U_n/U_rG)·c_max/(1 + x″d·sin φ_rG).
double GeneratorFactor(double busKv, double ratedKv, double xd, double cosPhi, double cmax);

// --- Results -----------------------------------------------------------------

enum class ElementKind { Bus, Source, Transformer, Cable, Motor, Generator, Transformer3 };
inline constexpr int kElementKindCount = 7;

// A problem of one input: its kind, its index in its list of NetworkInput,
// its name (a bus statement's origin) and the sentence that explains it.
struct ElementError {
    ElementKind kind = ElementKind::Bus;
    std::size_t index = 0;
    std::string name;
    std::string message;
    // The element is on a bus without a path to a source: nothing wrong
    // with its values, only no source feeds it (a configuration that
    // leaves part of a plant dead).
    bool unfed = false;
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
    // order sources, transformers, cables, motors, generators, three-winding
    // transformers: its share of this bus's
    // fault current in the maximum case, and in the minimum case (the same
    // elements in the same order; a motor's share is 0 there).
    std::vector<BranchShare> shares, shares_min;
};

struct ShortCircuitResults {
    Convention convention = Convention::Ansi;
    std::vector<BusResult> buses;  // in the order each bus name first appears
    std::unordered_map<std::string, std::size_t> busIndex;  // name -> entry of buses
    std::vector<ElementError> errors;
    // iec60909 left a transformer's tap out (every transformer at its rated ratio).
    bool tapsLeftOut = false;

    const BusResult* FindBus(const std::string& name) const;
    // The share of an element at the fault of `bus` in case `c`; empty when
    // the element has an error, does not touch the bus, or the bus is not
    // computed.
    std::optional<double> Share(const std::string& bus, ElementKind kind, std::size_t index,
                                Case c = Case::Max) const;
};

// The current one element carries for a fault at a bus. A branch: at each
// of its ends, kA at that end's voltage (a three-winding transformer's arm
// from its bus to its star point, whose end has no name). A shunt (source,
// motor, generator): into its bus. Closed ties (cables of zero impedance)
// carry what the buses on their far side feed in.
struct ElementFlow {
    ElementKind kind = ElementKind::Source;
    std::size_t index = 0;
    std::string from, to;         // a branch's buses; a shunt's bus in `from`, `to` empty
    double kaFrom = 0, kaTo = 0;  // the magnitudes at each end (a shunt: kaFrom)
    // +1 when the current flows from `from` to `to` in the sense of the
    // fault current (Re(I/I_f) > 0 entering at `from`; a shunt: feeding its
    // bus), −1 the other way, 0 when it carries none.
    int direction = 0;
};

// --- The network ---------------------------------------------------------------

class FaultSteps;

class Network {
public:
    // Checks the input and builds topology, node numbering and the factor's
    // pattern. Never throws for a problem of the input: see errors().
    explicit Network(NetworkInput input);

    const std::vector<ElementError>& errors() const { return errors_; }

    // Both cases, every bus.
    ShortCircuitResults Solve(const SolveOptions& options) const;
    // What every element carries for a fault at `bus` in case `c` (one
    // factorisation and one solve): the elements without an error, in the
    // order of the branches, ties and shunts built; empty when the bus is
    // not live or its island cannot be solved.
    std::vector<ElementFlow> FaultFlows(const SolveOptions& options, Case c, const std::string& bus) const;
    ShortCircuitResults Solve(Convention convention) const {
        SolveOptions o;
        o.convention = convention;
        return Solve(o);
    }

    // Number of electrical nodes (buses joined by zero-impedance cables count once).
    int NodeCount() const { return nodeCount_; }
    // Entries below the diagonal of the factor, fill included (NodeCount() − 1
    // for a radial network).
    std::size_t FactorNonZeros() const { return pattern_.FactorNonZeros(); }

private:
    friend class FaultSteps;  // network/fault_steps.h: a fault solved again as elements open
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
        // An ideal ratio k at end A (V′ = k·V_A in front of the impedance):
        // rated voltages off the buses' nominal ones; 1 otherwise. `kTapped`
        // with the tap as well, ansi's (Values::branchK holds the case's).
        double k = 1, kTapped = 1;
        int arm = -1;  // a three-winding transformer's winding: 0 HV, 1 MV, 2 LV
    };
    struct Shunt {
        ElementKind kind;
        std::size_t index;
        int bus;
    };
    struct Values {
        std::vector<Complex> branchY, shuntY;  // per unit, per entry of branches_, shunts_
        std::vector<double> branchK;           // the convention's ratio of each branch (Branch::k)
    };

    void NumberBuses();
    void CheckValues();
    void CheckVoltages();
    void CheckConnections();
    void JoinZeroImpedanceCables();
    void FindLiveBuses();
    void BuildModel();
    void Error(ElementKind kind, std::size_t index, const std::string& message, bool unfed = false);
    unsigned char& Bad(ElementKind kind, std::size_t index);
    Values ElementValues(const SolveOptions& options, Case c) const;
    // The current the branch feeds into `bus` at the fault of `fault`, in
    // units of the fault current.
    Complex BranchCurrent(const SymmetricFactor& f, const Values& v, int branch, int bus) const;
    void Shares(const SymmetricFactor& f, const Values& v, int bus,
                std::vector<BranchShare>& out) const;
    Complex StarArm(const Transformer3& t, int arm, const SolveOptions& options) const;
    Complex TieInjection(const SymmetricFactor& f, const Values& v, int bus) const;
    // The error that refuses the island of `node`, whose solution lost its digits.
    ElementError Unsolvable(int node, const Values& v) const;
    // The admittance matrix of `v` factorised into `f` (a copy of pattern_).
    void Factorize(SymmetricFactor& f, const Values& v) const;
    // The base voltage of a bus of the model (a star point: its
    // transformer's high-voltage rated voltage), kV.
    double BaseKv(int bus) const;

    NetworkInput in_;
    std::vector<ElementError> errors_;
    std::vector<std::vector<unsigned char>> bad_;  // per kind, per index: takes no part
    std::vector<bool> genInMin_;  // per generator: feeds the minimum case too

    std::vector<std::string> busNames_;  // the star points of three-winding transformers after the named buses
    std::size_t namedBuses_ = 0;
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

// SPDX-License-Identifier: GPL-3.0-or-later
// A fault at one bus solved again each time an element is taken out of the
// network: what an arc fed through several branches is fed as their devices
// open one after another and the motors' contribution ends.
//
// A case of a network is factorised once with its motors, and once without
// them. A fault at a bus is then one solve through a factor (the column of
// the impedance matrix at the fault), and every element taken out one solve
// more: the impedance matrix without the elements follows from the one with
// them by the Sherman–Morrison–Woodbury identity,
//   Z' = Z − Z·U·(C⁻¹ + Uᵀ·Z·U)⁻¹·Uᵀ·Z,
// U's columns the elements' incidence vectors (k·e_a − e_b for a branch with
// the ratio k at end A, e_a for a shunt), C their admittances negated; no
// step refactorises anything.
//
// An element taken out while it carries no current changes nothing, and is
// only marked out: every element taken out into the identity carries some of
// the fault's current, so the part it leaves on its far side still has the
// source that fed it, and the matrix can become singular only when the
// fault's own part has lost its last source, which is when the fault is dead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "network/short_circuit.h"

namespace zentavo::network {

class FaultSteps {
public:
    // One case of `net` (which must outlive this), factorised.
    FaultSteps(const Network& net, const SolveOptions& options, Case c);

    // An element as the steps take it out: a branch (a three-winding
    // transformer's winding) or a shunt (source, motor, generator).
    struct Element {
        int branch = -1, shunt = -1;
        bool operator==(const Element&) const = default;
    };
    // The element of kind and index (the winding on `bus` of a three-winding
    // transformer); none when it has an error or is a closed tie, which
    // cannot be taken out.
    std::optional<Element> Find(ElementKind kind, std::size_t index,
                                const std::string& bus = {}) const;

    // The number of a bus, -1 for a name the network does not know.
    int BusNumber(const std::string& bus) const;

    class Fault;
    // A fault at `bus` with every element in (not Live() when the bus has no
    // fault current or its island cannot be solved).
    Fault At(const std::string& bus) const;

    // The elements that cut some of the fault's current when taken out,
    // nearest first on each path: from the fault outward through every
    // element that carries current and closed ties, stopping at each one
    // `stops` names (one with a device), passing through the others. Each
    // found once, in the order found.
    std::vector<std::pair<ElementKind, std::size_t>> Nearest(
        const Fault& fault, const std::function<bool(ElementKind, std::size_t)>& stops) const;

    // Every element with a device on the fault current's paths, ring by
    // ring: first those Nearest finds (in its order), then those behind
    // each, walking on through a device that carries at least
    // kLeastPartBehind of the fault current. Each with the element found
    // before it on its path (its index in the list; -1 for the nearest):
    // the device between it and the fault.
    struct Reached {
        ElementKind kind;
        std::size_t index;
        int nearer = -1;
    };
    static constexpr double kLeastPartBehind = 0.01;
    static constexpr int kMostRings = 16;
    std::vector<Reached> Reach(const Fault& fault,
                               const std::function<bool(ElementKind, std::size_t)>& device) const;

private:
    struct Base {
        Network::Values values;
        SymmetricFactor factor;
        bool usable = false;  // factorised; its pivots are checked per island
    };
    const Network& net_;
    std::uint64_t serial_ = 0;  // this one's among all made, for the solves a thread keeps
    Case case_;
    SolveOptions options_;
    Base with_, without_;  // with and without the motors
    bool motors_ = false;  // the case has motors feeding it
    // The branches and shunts of each kind by index (several for the
    // windings of a three-winding transformer), and the shunts that are not
    // motors by island (the bus Network::island_ names it by).
    std::vector<std::vector<std::vector<int>>> branchesOf_, shuntsOf_;
    std::unordered_map<int, std::vector<int>> sourceShunts_;
    // The elements of each kind by index numbered one after the other, for
    // the walk's marks.
    std::size_t kindOffset_[kElementKindCount] = {};
    std::size_t elementCount_ = 0;
    class WalkMarks;
    // Per island (by its bus, as Network::island_ numbers them): its pivots
    // kept their digits in both factors.
    std::vector<bool> islandSolvable_;
};

class FaultSteps::Fault {
public:
    bool Live() const { return live_; }
    // The bolted fault current with what is out, kA; 0 when nothing feeds it.
    double Ka() const;
    // What an element carries, kA at its end on `bus` (a shunt: into its
    // bus; `bus` empty: its end A); 0 when out or carrying nothing.
    double Carries(const Element& e, int bus = -1) const;
    // Carries(e) as a part of the fault current (both in per unit).
    double Part(const Element& e) const;
    bool Out(const Element& e) const;
    // The element's current flows into `bus` in the sense of the fault
    // current: it feeds the fault from beyond `bus`'s far side.
    bool Feeds(const Element& e, int bus) const;
    void TakeOut(const Element& e);
    // The motors' contribution ends: the motors are taken out.
    void EndMotors();
    // (The motors beyond the elements taken out, or in another island,
    // carry nothing: the fault's part of the network is searched outward
    // from the fault for a motor that carries some of its current.)
    bool MotorsFeed() const;
    // A source or generator still feeds the fault (one of its island).
    bool SourcesFeed() const;
    int Bus() const { return bus_; }

private:
    friend class FaultSteps;
    explicit Fault(const FaultSteps& steps) : s_(&steps) {}
    const Base& base() const { return motorsOut_ && s_->motors_ ? s_->without_ : s_->with_; }
    // z'_x: the fault node's column of the impedance matrix with what is out.
    Complex Z(int node) const;
    // Solves again from the base: the column, then each element out that carries current.
    void Refresh();
    void Update();
    Complex Current(const Element& e, int bus) const;  // per unit, entering the element at `bus`
    // A branch's Part and whether it Feeds `bus`, one of its ends, whose
    // z' is `zBus`: the walk's look at each element of a bus, the far
    // end's z' asked once.
    struct Flow {
        double part = 0;
        bool feeds = false;
    };
    Flow FlowAt(int branch, int bus, Complex zBus) const;
    Complex Admittance(const Element& e) const;
    // uᵀ·x of an element's incidence vector.
    Complex Incidence(const Element& e, const SymmetricFactor::PartialSolve& x) const;

    const FaultSteps* s_;
    bool live_ = false;
    int bus_ = -1, node_ = -1;
    bool motorsOut_ = false;
    Complex c_ = 1;  // voltage factor of the fault's bus
    // The solves are shared: a copy of the fault copies their pointers
    // only, and the thread's next faults of the same FaultSteps reuse its
    // latest. Each works out the entries asked of it, and keeps them, so a
    // fault is used on the thread that made it.
    using Column = std::shared_ptr<const SymmetricFactor::PartialSolve>;
    Column z_;                    // the base's column at the fault
    std::vector<Element> out_;    // every element out
    std::vector<Element> taken_;  // those in the identity
    std::vector<Column> w_;       // Z·u of each taken
    std::vector<Complex> alpha_;  // (C⁻¹ + UᵀZU)⁻¹·Uᵀz
    Complex zff_ = 0;             // z'_ff
    Complex fault_ = 0;           // c/z'_ff: the fault current, per unit
    double faultAbs_ = 0;
    // The solves of this fault (Z·u of each element taken out, the column
    // without motors), shared by its copies: the full and reduced cases'
    // steps take out the same elements.
    struct Solved {
        Element element;  // {-1, -1}: the fault's column
        bool motorsOut;
        Column w;
    };
    std::shared_ptr<std::vector<Solved>> solved_ = std::make_shared<std::vector<Solved>>();
    Column SolveFor(const Element& e);
    // z'_x of the nodes asked in this state (what is out, the motors),
    // shared by the copies in the same state: a step's walks ask for the
    // same buses' voltages over and over. A new state starts a new one.
    struct Known;
    mutable std::shared_ptr<Known> zKnown_;
};

}  // namespace zentavo::network

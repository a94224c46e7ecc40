// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/network_study.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <tuple>

#include "engine/number.h"
#include "study/arc_range.h"
#include "study/errors.h"
#include "study/scenarios.h"

namespace zentavo {

namespace {

using network::ElementKind;

}  // namespace

StudyNetwork::StudyNetwork(const std::vector<StudyRowInputs>& rows, char sep,
                           const network::SolveOptions& options) {
    Build(rows, sep, options, nullptr, nullptr, nullptr);
}

StudyNetwork::StudyNetwork(const std::vector<StudyRowInputs>& rows, const StudyOptions& options,
                           const std::string* scenario, const StudyNetwork* twin) {
    if (scenario) scenario_ = *scenario;
    Build(rows, options.sep, options.ShortCircuit(), options.arcSteps ? &options : nullptr,
          scenario, twin);
}

StudyNetwork::~StudyNetwork() = default;

void StudyNetwork::Build(const std::vector<StudyRowInputs>& rows, char sep,
                         const network::SolveOptions& options, const StudyOptions* steps,
                         const std::string* scenario, const StudyNetwork* twin) {
    rows_.resize(rows.size());
    drawings_.resize(rows.size());
    network::NetworkInput input;
    // The row of each element, by kind and index in its list of `input`.
    std::vector<std::size_t> rowOf[network::kElementKindCount];
    auto kindIndex = [](ElementKind k) { return static_cast<int>(k); };
    std::vector<std::optional<OwnElement>>& branchOf = own_;
    branchOf.assign(rows.size(), std::nullopt);

    for (std::size_t i = 0; i < rows.size(); ++i) {
        NetworkRowFault& f = rows_[i];
        NetworkRow row = ReadNetworkRow(rows[i], i, sep);
        f.inNetwork = row.inNetwork;
        if (!f.inNetwork) continue;
        drawings_[i] = ReadNetworkDrawing(rows[i], sep);
        if (row.problem) {
            f.problem = std::move(row.problem);
            continue;
        }
        const std::string& bus = row.bus;
        const std::vector<std::string_view>& names = row.scenarios;
        const BranchType type = row.type;
        // A name in another case than the scenario's is an error of the
        // row, never a scenario of its own (ScenarioCaseFault says which).
        if (scenario && std::any_of(names.begin(), names.end(), [&](std::string_view n) {
                return n != *scenario && SameScenarioName(n, *scenario);
            })) {
            f.problem = RowProblem{"scenarios: \"" + *scenario + "\" is written in another case on this row",
                                   std::nullopt};
            continue;
        }
        if (scenario && !names.empty() && std::find(names.begin(), names.end(), *scenario) == names.end()) {
            f.out = type != BranchType::None;
            row.source.reset();
            row.transformer.reset();
            row.cable.reset();
            row.motor.reset();
            row.generator.reset();
            row.transformer3.reset();
        }
        rowOf[kindIndex(ElementKind::Bus)].push_back(i);
        input.buses.push_back({bus, row.kV, row.who});
        if (row.source) {
            branchOf[i] = OwnElement{ElementKind::Source, input.sources.size(), bus};
            rowOf[kindIndex(ElementKind::Source)].push_back(i);
            input.sources.push_back(std::move(*row.source));
        }
        if (row.transformer) {
            branchOf[i] = OwnElement{ElementKind::Transformer, input.transformers.size(), bus};
            rowOf[kindIndex(ElementKind::Transformer)].push_back(i);
            input.transformers.push_back(std::move(*row.transformer));
        }
        if (row.cable) {
            branchOf[i] = OwnElement{ElementKind::Cable, input.cables.size(), bus};
            rowOf[kindIndex(ElementKind::Cable)].push_back(i);
            input.cables.push_back(std::move(*row.cable));
        }
        if (row.motor) {
            rowOf[kindIndex(ElementKind::Motor)].push_back(i);
            input.motors.push_back(std::move(*row.motor));
        }
        if (row.generator) {
            branchOf[i] = OwnElement{ElementKind::Generator, input.generators.size(), bus};
            rowOf[kindIndex(ElementKind::Generator)].push_back(i);
            input.generators.push_back(std::move(*row.generator));
        }
        if (row.transformer3) {
            branchOf[i] = OwnElement{ElementKind::Transformer3, input.transformers3.size(), bus};
            rowOf[kindIndex(ElementKind::Transformer3)].push_back(i);
            input.transformers3.push_back(std::move(*row.transformer3));
        }
    }
    if (input.buses.empty()) return;

    net_ = std::make_unique<network::Network>(std::move(input));
    const network::Network& net = *net_;
    results_ = net.Solve(options);
    for (const network::ElementError& e : results_.errors) {
        // In a scenario, a part of the plant no source feeds is dead, not
        // in error: its rows are left out of that scenario (unfed, below).
        if (scenario && e.unfed) continue;
        rows_[rowOf[kindIndex(e.kind)][e.index]].Refuse(e.message);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        NetworkRowFault& f = rows_[i];
        if (!f.inNetwork || f.problem || f.out) continue;
        const std::string bus(rows[i][kBusColumn]);
        const network::BusResult* b = results_.FindBus(bus);
        if (!b || !b->computed) {
            f.unfed = !(b && b->error >= 0) || results_.errors[b->error].unfed;
            f.Refuse(b && b->error >= 0
                            ? "bus " + bus + " has no fault current: " + results_.errors[b->error].message
                            : "bus " + bus + " has no fault current (no path to a source)");
            continue;
        }
        f.kaMax = b->ka_max;
        f.kaMin = b->ka_min;
        if (branchOf[i]) {
            // The only feed of a bus carries all of its current: a share a
            // rounding of the solution puts just above 1 is 1, so that a
            // device on the branch is not refused for it.
            auto share = [&](network::Case c) {
                std::optional<double> s = results_.Share(bus, branchOf[i]->kind, branchOf[i]->index, c);
                if (s && *s > 1 && *s <= 1 + 1e-9) s = 1.0;
                return s;
            };
            f.branchShare = share(network::Case::Max);
            f.branchShareMin = share(network::Case::Min);
            const network::BusResult* from =
                rows[i][kDeviceAtColumn] == "from"
                    ? results_.FindBus(std::string(rows[i][kFromBusColumn]))
                    : nullptr;
            if (from && from->computed && from->kV > 0 && b->kV > 0) {
                f.deviceEndRatio = b->kV / from->kV;
                f.deviceEndKa = from->ka_max;
            }
        }
    }
    FindFeeds(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows_[i].network = this;
        rows_[i].row = i;
    }
    if (steps) BuildSteps(rows, *steps, twin);
}

std::string ShortCircuitBasis(const network::SolveOptions& options, bool tapsLeftOut) {
    std::string t = "By " + std::string(network::kConventionWords[static_cast<std::size_t>(options.convention)]) + ": ";
    if (options.convention == network::Convention::Iec60909) {
        t += options.lvTolerance == 10 ? "voltage factor c max 1.10 up to 1 kV (voltage tolerance +10 %), 1.10 above"
                                       : "voltage factor c max 1.05 up to 1 kV (voltage tolerance +6 %), 1.10 above";
        t += "; c min 0.95 up to 1 kV, 1.00 above.";
    } else {
        t += "prefault voltage 1.0 per unit in both cases.";
    }
    const double temp = network::CableEndTemp(options);
    t += " Minimum case with the cables' conductors at " + FormatFixed(temp, 15, temp == std::floor(temp) ? 0 : 1) +
         " °C at the end of the fault (a cable_end_temp of a row for its cable).";
    if (tapsLeftOut && options.convention == network::Convention::Iec60909)
        t += " Transformer taps (tx_tap) left out: IEC 60909 takes every transformer at its rated ratio, "
             "its correction factors standing for the taps.";
    return t;
}

namespace {

// The steps of one case of a row, from its network.
class StepPlanner final : public ArcStepPlanner {
public:
    // `memo`: the row's memo of the case kept by the caller; none: its own.
    StepPlanner(const StudyNetwork& network, StudyNetwork::StepQuery q,
                StudyNetwork::StepMemo* memo)
        : network_(network), q_(q), memo_(memo ? memo : &own_) {}
    Plan Steps(const std::function<double(double)>& arcing, double first, const ProtectiveDevice* own,
               std::optional<double> share, bool shareTyped, std::optional<double> typed) const override {
        Plan plan = network_.PlanSteps(q_, arcing, first, own, share, shareTyped, typed, *memo_);
        consulted_.insert(consulted_.end(), plan.consulted.begin(), plan.consulted.end());
        return plan;
    }
    const std::vector<std::size_t>& Consulted() const { return consulted_; }

private:
    mutable std::vector<std::size_t> consulted_;
    const StudyNetwork& network_;
    StudyNetwork::StepQuery q_;
    mutable StudyNetwork::StepMemo own_;
    StudyNetwork::StepMemo* memo_;
};

// The worst of the row over the bolted currents between its cases
// (study/arc_range.h). Between them the row is computed as its maximum case
// computes it (`maxIn`: that network's share, its arc in that network's
// steps), each current of the network in the same proportion to the
// point's as in that case: the sources weaker, the plant the same. At the
// minimum case's current the minimum case (`minIn`) is computed as well,
// the larger energy kept: both ends are the cases themselves. Where the
// worst is above the point's governing energy the point's results are
// those at the worst current, else the range's worst is the governing case.
// What is wrong with a row's device_at and bus_diff_time; none when nothing is.
std::optional<std::string> SpecialProtectionProblem(const StudyRowInputs& in,
                                                    const NetworkRowFault& fault, bool steps,
                                                    char sep) {
    const std::string_view at = in[kDeviceAtColumn];
    if (!at.empty() && at != "bus" && at != "from")
        return "device_at: unknown value \"" + std::string(at) + "\" (bus or from)";
    const std::string_view branch = in[kBranchTypeColumn];
    if (at == "from" &&
        (!HasDevice(in) || (branch != "transformer" && branch != "cable")))
        return std::string(
            "device_at: from places the device of a transformer's or cable's row at its from_bus");
    const std::string_view diff = in[kBusDiffTimeColumn];
    if (diff.empty()) return std::nullopt;
    const std::optional<double> time = ReadNumber(diff, sep);
    if (!time) return "bus_diff_time: " + ConversionMessage(diff);
    if (!(*time >= kShortestArcTime)) return std::string("bus_diff_time: must be at least 0.001 s");
    if (!steps)
        return std::string(
            "bus_diff_time: the bus differential protection is computed with the arc in steps "
            "(--arc-steps on)");
    const std::string bus(in[kBusColumn]);
    const std::optional<double> set = fault.network->BusDifferential(bus);
    if (set && *set != *time) {
        return "bus_diff_time: bus " + bus + " has " + FormatFixed(*set, 15, 4, sep) +
               " s on another row";
    }
    return std::nullopt;
}

void KeepRangeWorst(const StudyRowInputs& maxIn, const StudyRowInputs& minIn,
                    const StudyOptions& options, StudyDevices* devices, PointResult& p) {
    const double lo = *minIn.boltedKa, hi = *maxIn.boltedKa;
    bool minimum = false;  // the minimum case gave the last point computed
    const std::function<PointResult(double)> at = [&](double ka) {
        StudyRowInputs one = maxIn;
        one.boltedKa = ka;
        PointResult inMax = ComputeStudyRow(one, options, devices);
        minimum = false;
        // The currents tried are whole amperes: the minimum case's own is within half of one.
        if (std::abs(ka - lo) < 0.0005) {
            PointResult inMin = ComputeStudyRow(minIn, options, devices);
            minimum = inMin.Computed() &&
                      (!inMax.Computed() || inMin.Governing().energy > inMax.Governing().energy);
            if (minimum) return inMin;
        }
        return inMax;
    };
    bool worstInMinimum = false;
    std::optional<RangeWorst> w = FindRangeWorst(at, lo, hi, [&] { worstInMinimum = minimum; });
    if (!w) return;
    const PointCase& governing = p.Governing();
    if (w->range.worst.energy > governing.energy) {
        w->range.governs = true;
        PointResult q = std::move(w->at);
        q.network = p.network;
        q.network->minimumCase = worstInMinimum;
        q.duty = p.duty;
        q.range = w->range;
        p = std::move(q);
        return;
    }
    PointRange r;
    r.boltedKa = p.NetworkCurrent().value_or(hi);
    r.worst = governing;
    r.arcingKa = governing.arcingCurrent;
    r.evaluations = w->range.evaluations;
    p.range = r;
}

}  // namespace

PointResult ComputeNetworkStudyRow(const StudyRowInputs& in, const NetworkRowFault& fault,
                                   const StudyOptions& options, StudyDevices* devices,
                                   std::vector<std::size_t>* consulted,
                                   StudyNetwork::RowMemo* memo) {
    if (!fault.inNetwork) return ComputeStudyRow(in, options, devices);
    // Both cases from the point's cells read once.
    if (!in.read) {
        const StudyPoint read = ReadStudyPoint(in, options.sep);
        StudyRowInputs once = in;
        once.read = &read;
        return ComputeNetworkStudyRow(once, fault, options, devices, consulted, memo);
    }
    if (fault.problem || fault.out) {
        PointResult p;
        p.status = PointStatus::Error;
        p.message = fault.out ? "the row's branch does not take part in the scenario" : fault.problem->message;
        return p;
    }
    // Each case through the row's own method, with the bolted current as
    // the row shows it (kA, three decimals).
    StudyRowInputs maxIn = in, minIn = in;
    // The arc in steps: for a row with a device, and for one with typed
    // durations that its motors' decay splits.
    const std::string_view lineSideWord = in[kLineSideColumn];
    if (!lineSideWord.empty() && lineSideWord != "yes" && lineSideWord != "no") {
        PointResult p;
        p.message = "line_side: unknown value \"" + std::string(lineSideWord) + "\" (yes or no)";
        p.refusal = RefusalCode::UnknownWord;
        return p;
    }
    const bool lineSide = lineSideWord == "yes";
    const bool steps = options.arcSteps && fault.network && fault.network->Steps();
    if (lineSide) {
        const char* why = !steps                          ? "the line side of a device is computed with the arc in steps (--arc-steps on)"
                                    : !HasDevice(in) ? "a row on the line side of its device needs its device_type"
                                                          : nullptr;
        if (why) {
            PointResult p;
            p.message = std::string("line_side: ") + why;
            return p;
        }
    }
    if (std::optional<std::string> why = SpecialProtectionProblem(in, fault, steps, options.sep)) {
        PointResult p;
        p.message = std::move(*why);
        if (p.message.find("unknown value") != std::string::npos)
            p.refusal = RefusalCode::UnknownWord;
        return p;
    }
    std::optional<StepPlanner> maxSteps, minSteps;
    if (steps) {
        const bool device = HasDevice(in);
        for (auto [c, planner, into] : {std::tuple{network::Case::Max, &maxSteps, &maxIn},
                                        std::tuple{network::Case::Min, &minSteps, &minIn}}) {
            const StudyNetwork::StepQuery q{fault.row, c, lineSide};
            if (!device && !fault.network->MotorsDecay(q)) continue;
            planner->emplace(*fault.network, q,
                             memo ? &memo->cases[c == network::Case::Min] : nullptr);
            into->steps = &**planner;
        }
    }
    // Each case's bolted current rounded once, to the three decimals its
    // row shows: the point is computed with the current it shows.
    maxIn.boltedKa = RoundToDecimals(fault.kaMax, 3);
    minIn.boltedKa = RoundToDecimals(fault.kaMin, 3);
    // A device on the row's branch sees the branch's share of each case (a
    // typed device_share overrides both, in ComputeStudyRow).
    if (!in.deviceShareFromNetwork) {
        auto atEnd = [&](std::optional<double> share) {
            return share ? std::optional<double>(*share * fault.deviceEndRatio) : std::nullopt;
        };
        maxIn.deviceShareFromNetwork = atEnd(fault.branchShare);
        minIn.deviceShareFromNetwork = atEnd(fault.branchShareMin);
    }
    PointResult maxCase = ComputeStudyRow(maxIn, options, devices);
    PointResult minCase = ComputeStudyRow(minIn, options, devices);
    if (consulted) {
        for (const std::optional<StepPlanner>* planner : {&maxSteps, &minSteps}) {
            if (*planner) consulted->insert(consulted->end(), (*planner)->Consulted().begin(), (*planner)->Consulted().end());
        }
    }
    // A case that cannot be computed gives the row its refusal; otherwise
    // the larger governing energy decides, the maximum case on a tie.
    // A branch that carries nothing in a case leaves its device out of that
    // case, as a bus not fed: with the arc in one step the other case's
    // results are the row's (in steps the other devices clear it).
    const bool ownDevice = HasDevice(in) && in[kDeviceShareColumn].empty() && !steps;
    auto carriesNothing = [&](std::optional<double> share) { return ownDevice && share && !(*share > 0); };
    const bool noMax = carriesNothing(fault.branchShare), noMin = carriesNothing(fault.branchShareMin);
    bool min;
    if (noMax != noMin)
        min = noMax;
    else if (!maxCase.Computed())
        min = false;
    else if (!minCase.Computed())
        min = true;
    else
        min = minCase.Governing().energy > maxCase.Governing().energy;
    const std::optional<PointDuty> maxDuty = maxCase.duty;
    // The range between the cases, where both are computed with the row's
    // device (or its typed durations) in them.
    const bool range =
        options.arcCurrentRange && noMax == noMin && maxCase.Computed() && minCase.Computed();
    PointResult p = std::move(min ? minCase : maxCase);
    if (!p.Computed()) {
        p.message = std::string(min ? "minimum" : "maximum") + " case (" +
                    NetworkCurrentText(min ? fault.kaMin : fault.kaMax, options.sep) + " kA): " + p.message;
    }
    p.network = PointNetwork{fault.kaMax, fault.kaMin, min, fault.branchShare, fault.branchShareMin};
    // The device interrupts the maximum case's current, the share through
    // its branch where it sits on one (three decimals, as each is shown).
    if (maxDuty) {
        PointDuty duty = *maxDuty;
        if (fault.deviceEndKa)
            duty.availableKa = RoundToDecimals(*fault.deviceEndKa, 3);
        else if (fault.branchShare)
            duty.availableKa = RoundToDecimals(duty.availableKa * *fault.branchShare, 3);
        p.duty = duty;
    }
    if (range) KeepRangeWorst(maxIn, minIn, options, devices, p);
    return p;
}

PointResult ComputeNetworkStudyRow(const StudyRowInputs& in, const NetworkRowFault& fault,
                                   const StudyOptions& options, StudyRowResults& out, StudyDevices* devices) {
    PointResult p = ComputeNetworkStudyRow(in, fault, options, devices);
    WriteResultCells(p, options.units, options.sep, out);
    return p;
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// A point's arc cleared in steps by its network: the sequence of operation.
//
// The arc starts with the bolted current of the point's bus. The devices
// that may open are those nearest the fault on each path the fault current
// takes (network/fault_steps.h: from the bus outward through every element
// carrying current, stopping at each element with a device): the point's
// own branch among them (not for a fault on its line side), its parallel
// feeders, the ties and the feeders through which motors backfeed. Each
// device sees its element's part of the fault current times the step's
// arcing current, and runs towards its trip as an inverse-time device
// does: in a step of Δt at a current where it would trip in T it covers
// Δt/T of its way, and it opens when it has covered the whole. The next
// step begins when a device opens (its element is taken out and the fault
// solved again), when the motors' contribution ends (after the motor decay,
// or with the last other source), or the arc ends: no source but motors
// feeds it any more, the maximum arc duration of the point's device is
// reached, or the row's typed duration.
//
// A row whose device has no branch of its own (a point on a bus, the device
// that clears it named on its row) is cleared by that device alone: it sees
// the arcing current (times its device_share), and its opening ends the arc;
// only the motors' decay makes steps before it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/number.h"
#include "study/network_study.h"
#include "study/scenarios.h"

namespace zentavo {

namespace {

using network::ElementKind;
using network::FaultSteps;

constexpr double kCycle = 1.0 / 60;  // s: the motor decay is counted in cycles of 60 Hz
// More steps than this end in a refusal: a plant's arc is cleared in a few.
constexpr int kMostSteps = 64;

// Each element's candidate in the plan under way, by the element's branch
// or shunt number: marks in arrays the thread keeps, a plan beginning a
// new generation, so that a plan costs what it finds, not the size of the
// network.
class CandidateMarks {
public:
    void Begin() {
        if (++generation_ == 0) {
            for (auto* stamps : {&branch_.first, &shunt_.first})
                std::fill(stamps->begin(), stamps->end(), 0);
            generation_ = 1;
        }
    }
    // The element's candidate, made `next` when it has none yet: (candidate, made).
    std::pair<std::size_t, bool> Find(const FaultSteps::Element& e, std::size_t next) {
        auto& [stamps, values] = e.branch >= 0 ? branch_ : shunt_;
        const std::size_t i = static_cast<std::size_t>(e.branch >= 0 ? e.branch : e.shunt);
        if (stamps.size() <= i) stamps.resize(i + 1, 0), values.resize(i + 1);
        if (stamps[i] == generation_) return {values[i], false};
        stamps[i] = generation_;
        values[i] = next;
        return {next, true};
    }

private:
    std::pair<std::vector<std::uint32_t>, std::vector<std::size_t>> branch_, shunt_;
    std::uint32_t generation_ = 0;
};

}  // namespace

void StudyNetwork::BuildSteps(const std::vector<StudyRowInputs>& rows, const StudyOptions& options,
                              const StudyNetwork* twin) {
    if (!net_ || net_->NodeCount() == 0) return;
    if (twin && twin->Steps()) {
        // The same elements: the twin's factors are this network's.
        stepCases_[0] = twin->stepCases_[0];
        stepCases_[1] = twin->stepCases_[1];
    } else {
        stepCases_[0] =
            std::make_shared<const FaultSteps>(*net_, options.ShortCircuit(), network::Case::Max);
        stepCases_[1] =
            std::make_shared<const FaultSteps>(*net_, options.ShortCircuit(), network::Case::Min);
    }
    if (options.motorDecay) motorDecay_ = *options.motorDecay * kCycle;
    sep_ = options.sep;
    bus_.resize(rows.size());
    point_.resize(rows.size());
    StudyDevices devices;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        bus_[i] = std::string(rows[i][kBusColumn]);
        if (HasDevice(rows[i])) point_[i] = std::string(rows[i].point);
        if (!own_[i] || rows_[i].problem || !HasDevice(rows[i])) continue;
        // A device whose settings are refused is the row's error, and opens nothing.
        if (auto device = ScenarioDevice(rows[i], scenario_, options, devices)) {
            const std::string_view at =
                rows[i][kDeviceAtColumn] == "from" ? rows[i][kFromBusColumn] : rows[i][kBusColumn];
            StepDevice d;
            d.row = i;
            d.device = std::move(device);
            d.at = std::string(at);
            d.element = stepCases_[0]->Find(own_[i]->kind, own_[i]->index, bus_[i]);
            d.atBus = stepCases_[0]->BusNumber(d.at);
            std::vector<int>& of = stepDeviceOf_[static_cast<int>(own_[i]->kind)];
            if (of.size() <= own_[i]->index) of.resize(own_[i]->index + 1, -1);
            if (of[own_[i]->index] < 0) {
                of[own_[i]->index] = static_cast<int>(stepDevices_.size());
                stepDevices_.push_back(std::move(d));
            } else {
                stepDevices_[of[own_[i]->index]] = std::move(d);
            }
        }
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i][kBusDiffTimeColumn].empty() || busDifferential_.contains(bus_[i])) continue;
        // A time the row refuses (SpecialProtectionProblem) protects nothing.
        const std::optional<double> time = ReadNumber(rows[i][kBusDiffTimeColumn], sep_);
        if (time && *time >= kShortestArcTime && std::isfinite(*time))
            busDifferential_[bus_[i]] = *time;
    }
}

bool StudyNetwork::SameSteps(const StudyNetwork& other) const {
    if (!Steps() || stepCases_[0] != other.stepCases_[0] || stepCases_[1] != other.stepCases_[1] ||
        lineSideMain_ != other.lineSideMain_ || stepDevices_.size() != other.stepDevices_.size())
        return false;
    for (int k = 0; k < network::kElementKindCount; ++k) {
        if (stepDeviceOf_[k] != other.stepDeviceOf_[k]) return false;
    }
    for (std::size_t i = 0; i < stepDevices_.size(); ++i) {
        if (stepDevices_[i].row != other.stepDevices_[i].row) return false;
    }
    return true;
}

std::optional<double> StudyNetwork::BusDifferential(const std::string& bus) const {
    const auto at = busDifferential_.find(bus);
    if (at == busDifferential_.end()) return std::nullopt;
    return at->second;
}

bool StudyNetwork::MotorsDecay(const StepQuery& q) const {
    if (!Steps() || !motorDecay_) return false;
    const FaultSteps::Fault f = stepCases_[q.c == network::Case::Min]->At(bus_[q.row]);
    return f.Live() && f.MotorsFeed();
}

ArcStepPlanner::Plan StudyNetwork::PlanSteps(const StepQuery& q,
                                             const std::function<double(double)>& arcing,
                                             double first, const ProtectiveDevice* own,
                                             std::optional<double> share, bool shareTyped,
                                             std::optional<double> typed, StepMemo& memo) const {
    ArcStepPlanner::Plan plan;
    plan.startKa = first;
    plan.startArcingKa = arcing(first);
    const FaultSteps& steps = *stepCases_[q.c == network::Case::Min];
    // The changes from the start in order, each element taken out by its
    // number (a shunt's after the branches') and the motors' end as -1: the
    // state's key in the memo.
    std::vector<std::int64_t> changes;
    auto state = memo.states.find(changes);
    if (state == memo.states.end())
        state = memo.states.emplace(changes, StepMemo::State{steps.At(bus_[q.row]), std::nullopt})
                    .first;
    FaultSteps::Fault f = state->second.fault;
    // A change as the memo has it, else made and kept.
    auto change = [&](std::int64_t what, const std::function<void()>& make) {
        changes.push_back(what);
        const auto known = memo.states.find(changes);
        if (known != memo.states.end()) {
            f = known->second.fault;
            state = known;
            return;
        }
        make();
        state = memo.states.emplace(changes, StepMemo::State{f, std::nullopt}).first;
    };
    auto takeOut = [&](const FaultSteps::Element& e) {
        const std::int64_t what = e.branch >= 0 ? e.branch : std::int64_t{1} << 32 | e.shunt;
        change(what, [&] { f.TakeOut(e); });
    };
    auto endMotors = [&] { change(-1, [&] { f.EndMotors(); }); };
    if (!f.Live() || !(f.Ka() > 0)) {
        plan.whole.refusal =
            Refusal{RefusalCode::Duration, "bus " + bus_[q.row] + " has no fault current. "};
        return plan;
    }
    // The steps' currents on the scale of the point's own, which is rounded
    // to the three decimals its row shows: each later step's current in
    // the same proportion to the first as the network gives it.
    const double scale = first / f.Ka();
    const std::optional<OwnElement>& mine = own_[q.row];
    const std::optional<FaultSteps::Element> mineElement =
        mine ? steps.Find(mine->kind, mine->index, mine->bus) : std::nullopt;
    // The row's device clears the point alone when it has no element of its
    // own to open. On the line side, the device that does not act is the
    // row's own branch's, or for a row without a branch the device of the
    // branch that feeds its bus.
    std::optional<std::size_t> notActing;
    if (q.lineSide && mine) {
        notActing = q.row;
    } else if (q.lineSide) {
        notActing = LineSideMain(q.row);
    }
    const bool alone = own && !mineElement && !q.lineSide;

    struct Candidate {
        std::size_t row;
        const ProtectiveDevice* device;
        FaultSteps::Element element;  // none for the row's device alone
        int bus;                      // where the device sees its element's current
        bool mine;
        bool alone = false;
        int nearer = -1;  // the candidate between it and the fault on its path
        double progress = 0;
        DeviceTrip trip = {};
        double amps = 0;
        // The device of another row, as the network built it (kept by its step device).
        const std::shared_ptr<const ProtectiveDevice>* held = nullptr;
    };
    std::vector<Candidate> candidates;
    if (alone) candidates.push_back({q.row, own, {}, -1, true, true});
    auto stops = [&](ElementKind kind, std::size_t index) {
        const StepDevice* d = StepDeviceOf(kind, index);
        return d && d->row != notActing;
    };
    // Each element's candidate (the row's device alone has none).
    thread_local CandidateMarks candidateOf;
    candidateOf.Begin();
    // The states whose devices are among the candidates: a state's steps
    // after its first add none.
    std::vector<const StepMemo::State*> merged;
    // Every device on the fault current's paths runs: the nearest on each
    // path, and those behind them.
    auto addReached = [&] {
        if (std::find(merged.begin(), merged.end(), &state->second) != merged.end()) return;
        merged.push_back(&state->second);
        std::optional<std::vector<FaultSteps::Reached>>& known = state->second.reached;
        if (!known) known = steps.Reach(f, stops);
        const std::vector<FaultSteps::Reached>& reached = *known;
        std::vector<int> placeOf(reached.size(), -1);
        candidates.reserve(candidates.size() + reached.size());
        for (std::size_t i = 0; i < reached.size(); ++i) {
            const auto [kind, index, nearer] = reached[i];
            const StepDevice& d = *StepDeviceOf(kind, index);
            if (!d.element) continue;
            const FaultSteps::Element e = *d.element;
            const auto [at, added] = candidateOf.Find(e, candidates.size());
            placeOf[i] = static_cast<int>(at);
            if (!added) continue;
            const bool isMine = d.row == q.row;
            // The row's own device as the row built it (its settings, as checked with the row).
            Candidate c{d.row, isMine && own ? own : d.device.get(), e, d.atBus, isMine};
            c.held = isMine && own ? nullptr : &d.device;
            c.nearer = nearer >= 0 ? placeOf[nearer] : (alone ? 0 : -1);
            candidates.push_back(std::move(c));
        }
    };
    // Whether candidate `a` lies between `k` and the fault on k's path.
    auto nearer = [&](std::size_t a, std::size_t k) {
        for (int n = candidates[k].nearer; n >= 0; n = candidates[n].nearer) {
            if (static_cast<std::size_t>(n) == a) return true;
        }
        return false;
    };

    // Every return tells the rows whose devices were weighed.
    auto done = [&]() -> ArcStepPlanner::Plan& {
        for (const Candidate& c : candidates) plan.consulted.push_back(c.row);
        return plan;
    };
    const std::optional<double> cap = own ? own->MaxArcTime() : std::nullopt;
    const auto diff = busDifferential_.find(bus_[q.row]);
    // The bus differential protection's time; infinite without one.
    const double differential =
        diff == busDifferential_.end() ? std::numeric_limits<double>::infinity() : diff->second;
    double t = 0;
    int last = -1;  // the candidate whose opening ended the arc last
    bool cleared = false;
    // A motor decay of 0 cycles: the motors' part ends at once, and the
    // arc starts with what the other sources give.
    bool motorsGone = false;
    if (motorDecay_ && *motorDecay_ <= 0 && f.MotorsFeed()) {
        endMotors();
        motorsGone = true;
    }
    for (int n = 0; n < kMostSteps && !cleared; ++n) {
        const double ibf = n == 0 && !motorsGone ? first : f.Ka() * scale;
        const double iarc = arcing(ibf);
        if (own) addReached();
        auto running = [&](const Candidate& c) { return c.alone || !f.Out(c.element); };
        for (Candidate& c : candidates) {
            if (!running(c)) continue;
            // The part of the arcing current the device sees: its typed
            // share, its branch's part at the point's first current as the
            // row computes it, or its element's part now.
            double part;
            if (c.mine && share && (c.alone || n == 0 || shareTyped))
                part = *share;
            else if (c.alone)
                part = 1;
            else
                part = f.Carries(c.element, c.bus) / f.Ka();
            c.amps = iarc * 1000 * part;
        }
        // An interlocked device is held to its own delays where a device
        // nearer the fault on its path is interlocked and sees the fault.
        // A candidate's nearer one was a candidate before it (its index is
        // smaller), so one pass in order finds for each whether one on its
        // path from the fault, itself included, is interlocked and sees it.
        std::vector<bool> restrained(candidates.size()), seesOnPath(candidates.size());
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            const Candidate& c = candidates[k];
            restrained[k] = c.nearer >= 0 && seesOnPath[c.nearer];
            seesOnPath[k] = restrained[k] || (running(c) && c.device->ZsiSees(c.amps));
        }
        double next = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            Candidate& c = candidates[k];
            if (!running(c)) continue;
            // An arc-flash relay sees the light of an arc on its own row's bus only.
            c.trip = c.device->TripAt(c.amps, restrained[k], bus_[c.row] == bus_[q.row]);
            if (c.trip.Operates())
                next = std::min(next, std::max(0.0, 1 - c.progress) * c.trip.seconds);
        }
        const bool motors = f.MotorsFeed();
        const double decayIn = motors && motorDecay_ && *motorDecay_ > t
                                   ? *motorDecay_ - t
                                   : std::numeric_limits<double>::infinity();
        const double capIn = cap ? *cap - t : std::numeric_limits<double>::infinity();
        const double typedIn = typed ? *typed - t : std::numeric_limits<double>::infinity();
        const double differentialIn = differential - t;
        const double dt = std::min({next, decayIn, capIn, typedIn, differentialIn});
        if (!std::isfinite(dt)) {
            plan.whole.refusal = Refusal{
                RefusalCode::Duration, "Protective device does not operate at " +
                                           FormatFixed(iarc, 6, 3, sep_) + " kA arcing current. "};
            return done();
        }
        PointStep step;
        step.boltedKa = ibf;
        step.arcingKa = iarc;
        step.seconds = dt;
        t += dt;
        const double near = 1e-12 * std::max(1.0, t);
        for (Candidate& c : candidates) {
            if (running(c) && c.trip.Operates()) c.progress += dt / c.trip.seconds;
        }
        // The bus differential protection opens every branch into the
        // faulted bus at once.
        if (differentialIn <= dt + near && differentialIn <= capIn) {
            step.end = StepEnd::BusDifferential;
            plan.whole.element = DeviceElement::BusDifferential;
            plan.whole.device = DeviceTrip{differential, DeviceElement::BusDifferential};
            plan.steps.push_back(step);
            cleared = true;
            break;
        }
        if (capIn <= dt + near || typedIn <= dt + near) {
            step.end = capIn <= dt + near ? StepEnd::MaximumDuration : StepEnd::TypedDuration;
            if (step.end == StepEnd::MaximumDuration) {
                plan.whole.element = DeviceElement::Capped;
                for (const Candidate& c : candidates) {
                    if (c.mine) plan.whole.device = c.trip, plan.deviceAmps = c.amps;
                }
            }
            plan.steps.push_back(step);
            cleared = true;
            break;
        }
        std::vector<bool> due(candidates.size());
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            const Candidate& c = candidates[k];
            due[k] = running(c) && c.trip.Operates() && c.progress >= 1 - 1e-9;
        }
        auto open = [&](std::size_t k) {
            Candidate& c = candidates[k];
            step.opened.push_back(c.row);
            step.openedDevices.push_back(c.held ? *c.held : nullptr);
            step.openedBy.push_back(c.trip.element);
            last = static_cast<int>(k);
        };
        // Of devices in one path due together, the one nearest the fault
        // opens first.
        std::vector<bool> opens = due;
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            for (int a = candidates[k].nearer; a >= 0 && opens[k]; a = candidates[a].nearer)
                opens[k] = !due[a];
        }
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            if (!opens[k]) continue;
            open(k);
            // Not selective: a device nearer the fault on its path still
            // carried the fault's current and was on its way to open. One
            // that does not act at that current (a breaker with its
            // arc-flash relay alone, below the relay's pickup) leaves the
            // arc to the devices behind it.
            for (std::size_t d = 0; d < candidates.size(); ++d) {
                if (due[d] || !running(candidates[d]) || !(candidates[d].amps > 0) ||
                    !candidates[d].trip.Operates() || !nearer(d, k))
                    continue;
                step.notSelective.push_back({candidates[k].row, candidates[d].row});
                if (plan.notSelective.empty()) {
                    plan.notSelective = "not selective: the device of \"" +
                                        point_[candidates[k].row] + "\" opened before that of \"" +
                                        point_[candidates[d].row] + "\", nearer the fault. ";
                }
            }
        }
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            if (!opens[k]) continue;
            if (candidates[k].alone)
                cleared = true;  // it clears every source but the motors, which end with them
            else
                takeOut(candidates[k].element);
        }
        // A device due behind one that opened opens with it where it still
        // carries some of the fault's current (another path feeds it).
        for (std::size_t k = 0; k < candidates.size() && !cleared; ++k) {
            if (!due[k] || opens[k] || candidates[k].alone || f.Out(candidates[k].element) ||
                !(f.Part(candidates[k].element) > 1e-9))
                continue;
            open(k);
            takeOut(candidates[k].element);
        }
        if (decayIn <= dt + near) {
            endMotors();
            step.motorsEnd = true;
            if (step.opened.empty()) step.end = StepEnd::MotorsEnd;
        }
        // Motors alone do not keep the arc: it ends with the last other source.
        if (!cleared && (!(f.Ka() > 0) || !f.SourcesFeed())) {
            cleared = true;
            if (step.opened.empty() && !step.motorsEnd) step.end = StepEnd::NoSource;
        }
        plan.steps.push_back(step);
    }
    if (!cleared) {
        plan.whole.refusal =
            Refusal{RefusalCode::Duration,
                    "The arc is not cleared in " + std::to_string(kMostSteps) + " steps. "};
        return done();
    }
    plan.whole.seconds = t;
    if (last >= 0 && plan.whole.element != DeviceElement::Capped &&
        plan.whole.element != DeviceElement::BusDifferential) {
        plan.whole.element = candidates[last].trip.element;
        plan.whole.device = candidates[last].trip;
        plan.deviceAmps = candidates[last].amps;
        plan.endedElsewhere = candidates[last].row != q.row;
    }
    return done();
}

}  // namespace zentavo

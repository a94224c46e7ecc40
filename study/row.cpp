// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/row.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "engine/ieee2018.h"
#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "engine/power.h"
#include "study/row_dc.h"
#include "study/study_point.h"

namespace zentavo {

namespace {

// Why an arc lasted its maximum duration: "the trip unit does not operate at
// 1.234 kA: exposure limited to 2 s", "the relay takes 3.1 s at 5.000 kA:
// ...", or where the row's device saw nothing (the line side of its main)
// "no device opens before the maximum arc duration: ...".
std::string CappedText(DeviceType type, const PointDuration& d, char sep) {
    static constexpr std::string_view kDevice[] = {"relay", "trip unit", "fuse", "arc-flash relay"};
    const std::string note = ArcDurationCappedNote(d.seconds, sep);
    if (!(d.deviceAmps > 0)) return "no device opens before the maximum arc duration: " + note;
    const std::string ka = FormatFixed(d.deviceAmps / 1000, 15, 3, sep) + " kA";
    std::string t = "the " + std::string(kDevice[static_cast<std::size_t>(type)]);
    t += d.device.Operates() ? " takes " + ArcDurationText(d.device.seconds, sep) + " s at " + ka
                             : " does not operate at " + ka;
    return t + ": " + note;
}

// The interrupting ratings a row's device may have.
constexpr double kLeastRatingKa = 0.1, kMostRatingKa = 1000;

// Runs one row into its PointResult: its cells read once into a
// StudyPoint, each method's fields checked in the order its window reads
// them, and the method's model computed from the values.
class RowRunner {
public:
    RowRunner(const StudyOptions& o, const StudyRowInputs& in, StudyDevices* devices)
        : o_(o), in_(in), point_(in.read ? *in.read : ownPoint_.emplace(ReadStudyPoint(in, o.sep))), devices_(devices) {}

    PointResult Run() {
        try {
            if (std::optional<Problem> problem = Steps()) {
                if (!problem->keep) p_ = PointResult{};
                p_.status = PointStatus::Error;
                p_.message = std::move(problem->message);
                p_.refusal = problem->code;
                return std::move(p_);
            }
        } catch (const Error& e) {
            // A model given inputs its checks should have refused: the row
            // is an error, the other rows and the run go on.
            p_ = PointResult{};
            p_.status = PointStatus::Error;
            p_.message = std::string(kStudyModelStopped) + e.what();
            return std::move(p_);
        }
        if (!p_.Computed()) return std::move(p_);
        // A device set as no device is: computed as typed, and said so
        // (after a DC point's own notes).
        if (entry_ && !entry_->caution.empty()) {
            p_.status = PointStatus::Caution;
            p_.message += entry_->caution;
        }
        // An arc that only the maximum arc duration ends is said so, with
        // the device and the current it saw.
        const PointCase& governing = p_.Governing();
        if (governing.duration && governing.duration->element == DeviceElement::Capped && p_.device) {
            p_.status = PointStatus::Caution;
            p_.message += (p_.message.empty() ? "" : " ") +
                          CappedText(p_.device->Type(), *governing.duration, o_.sep) + ". ";
        }
        // A device upstream that opened first is a fault of coordination
        // the engineer must see.
        if (planned_) {
            const std::string& said =
                (&governing == &p_.full ? planFull_ : planReduced_).notSelective;
            if (!said.empty()) {
                p_.status = PointStatus::Caution;
                p_.message += (p_.message.empty() ? "" : " ") + said;
            }
        }
        return std::move(p_);
    }

private:
    // What stops a row: its problem, and whether the arcing currents of an
    // accepted first step stay with it (a duration that is no number), as
    // on screen.
    struct Problem : RowProblem {
        bool keep = false;
    };
    static Problem Of(RowProblem p, bool keep = false) { return Problem{std::move(p), keep}; }
    // A text that is no number in a method's field: the currents found so far stay.
    static Problem Number(const NumberCell& cell) { return Of(NotANumber(cell), true); }

    std::optional<Problem> Steps() {
        const StudyPoint& in = point_;
        if (!in.method.index) return Of(UnknownWord(kMethodColumn, in.method.text));
        p_.method = static_cast<Method>(*in.method.index);
        if (!in.gapUnit) return Of(UnknownWord(kGapUnitColumn, in_[kGapUnitColumn]));
        if (!in.workDistUnit) return Of(UnknownWord(kWorkDistanceUnitColumn, in_[kWorkDistanceUnitColumn]));
        if (!in.enclosureUnit) return Of(UnknownWord(kEnclosureUnitColumn, in_[kEnclosureUnitColumn]));
        // Whatever the method, a class the row names is one of the four:
        // its label names it.
        if (in.equipmentClass.Unknown()) return Of(UnknownWord(kEquipmentClassColumn, in.equipmentClass.text));
        if (!IsDcMethod(p_.method)) {
            if (std::optional<RowProblem> dc = DcColumnsOnAcRow(in)) return Of(std::move(*dc));
        }
        std::optional<double> rating;
        if (std::optional<Problem> problem = ReadRating(rating)) return problem;
        if (std::optional<Problem> problem = ReadDevice(p_.method)) return problem;
        std::optional<Problem> problem;
        switch (p_.method) {
        case kEmpiricalMethod:
            problem = Empirical();
            break;
        case kFuseMethod:
            problem = Fuse();
            break;
        case kBreakerMethod:
            problem = Breaker();
            break;
        case kDcMaxPowerMethod:
        case kDcArcResistanceMethod:
            problem = Dc();
            break;
        case kIeee2018Method:
            problem = Ieee2018();
            break;
        }
        if (problem) return problem;
        if (entry_ || rating || p_.method == kFuseMethod || p_.method == kBreakerMethod) {
            if (const std::optional<double> ka = BoltedKa()) p_.duty = PointDuty{rating, *ka};
        }
        return std::nullopt;
    }

    // The device's interrupting rating, if the row gives one.
    std::optional<Problem> ReadRating(std::optional<double>& rating) const {
        const NumberCell& cell = point_.deviceRating;
        if (cell.text.empty()) return std::nullopt;
        if (!cell.value) return Of({"device_rating_ka: " + std::string(cell.text) + " is not a number", std::nullopt});
        if (!(*cell.value >= kLeastRatingKa && *cell.value <= kMostRatingKa)) {
            // A long text is named as it was read, without its padding.
            const std::string text =
                cell.text.size() > kLongestNumberText ? WithoutNumberPadding(cell.text, o_.sep) : std::string(cell.text);
            return Of({"device_rating_ka: " + text + " kA is not an interrupting rating (0.1 kA to 1000 kA)",
                       std::nullopt});
        }
        rating = cell.value;
        return std::nullopt;
    }

    // The bolted current the row was computed with (three decimals, as
    // shown), when it is a number.
    std::optional<double> BoltedKa() const {
        if (in_.boltedKa) return *in_.boltedKa;
        if (p_.dc) return RoundToDecimals(p_.dc->boltedKa, 3);  // typed, or from dc_source_r
        return point_.boltedCurrent.value;
    }

    // The row's device cells as the device cache looks them up: a long
    // number text without its padding.
    StudyRowInputs DeviceCells() const {
        StudyRowInputs cells = in_;
        for (int c = kFirstDeviceColumn; c <= kLastDeviceColumn; ++c) {
            if (cells[c].size() <= kLongestNumberText) continue;
            const StudyCellKind kind = StudyColumnKind(static_cast<StudyInputColumn>(c));
            if (kind != StudyCellKind::Number && kind != StudyCellKind::NumberOrNone) continue;
            std::string& shorter = shortened_[c - kFirstDeviceColumn];
            shorter = WithoutNumberPadding(cells[c], o_.sep);
            if (shorter.empty()) continue;
            cells[c] = shorter;
            cells.deviceCells = {};
        }
        return cells;
    }

    // The row's protective device, if it names one: found (built once per
    // distinct settings) and checked against the rest of the row.
    std::optional<Problem> ReadDevice(Method method) {
        int given = -1;
        for (int c = kFirstDeviceColumn; c <= kLastDeviceColumn && given < 0; ++c) {
            if (!in_[c].empty()) given = c;
        }
        for (int c : {kAfrPickupColumn, kAfrTimeColumn, kZsiColumn, kZsiTimeColumn}) {
            if (given < 0 && !in_[c].empty()) given = c;
        }
        if (given < 0) return std::nullopt;
        if (!HasDevice(in_)) {
            const bool relay = given == kAfrPickupColumn || given == kAfrTimeColumn;
            return Of({std::string(kStudyInputNames[given]) + ": a device setting without device_type" +
                           (relay ? " (an arc-flash relay alone trips a branch's breaker: give branch_type)" : ""),
                       std::nullopt});
        }
        if (method == kFuseMethod || method == kBreakerMethod) {
            return Of({std::string("device_type: the ") + (method == kFuseMethod ? "fuse" : "breaker") +
                           " method's equations hold their own arc duration; leave the "
                           "device columns of this row empty",
                       std::nullopt});
        }
        if (!in_[kArcTimeColumn].empty() || !in_[kArcTimeReducedColumn].empty()) {
            return Of({"arc_time: a row with a protective device takes its arc durations from it; "
                       "leave arc_time and arc_time_reduced empty or the device columns empty",
                       std::nullopt});
        }
        StudyDevices::Entry& e = (devices_ ? *devices_ : ownDevices_.emplace()).Find(DeviceCells(), o_);
        if (e.refusal) return Of({e.refusal->message, e.refusal->code});
        if (e.share) {
            share_ = *e.share;
        } else if (in_.deviceShareFromNetwork) {
            share_ = *in_.deviceShareFromNetwork;
            // A branch that carries nothing in a case, its arc in steps: the
            // network's other devices clear it, this one never sees current.
            const bool none = in_.steps && share_ == 0;
            // A device at the from_bus of a transformer sees the current at
            // that end's voltage: its part may be above 1.
            const bool atFrom = in_[kDeviceAtColumn] == "from";
            if (!(share_ > 0 && (share_ <= 1 || atFrom)) && !none) {
                return Of({"device_share: the share of the network's branch is not above 0 and at "
                           "most 1; give device_share",
                           std::nullopt});
            }
        }
        device_ = e.device.get();
        entry_ = &e;
        p_.device = e.device;
        p_.maxArcTime = device_->MaxArcTime();
        return std::nullopt;
    }

    // The device's duration at an arcing current (kA, unrounded).
    ArcDuration DurationAt(double arcingCurrentKa) const {
        return CapArcDuration(device_->TripAt(arcingCurrentKa * 1000 * share_),
                              device_->MaxArcTime(), arcingCurrentKa, o_.sep);
    }

    // The duration a device gave a case, found at the arcing current `ka`.
    PointDuration Kept(const ArcDuration& d, double ka) const {
        return PointDuration{d.seconds, d.element, d.device, ka * 1000 * share_};
    }

    // The typed durations of a row without a device whose arc the network
    // splits (the motors' decay), when both are numbers: each case's whole.
    std::optional<std::pair<double, double>> TypedForSteps() const {
        if (!in_.steps || device_) return std::nullopt;
        const std::optional<double> full = point_.arcTime.value, reduced = point_.arcTimeReduced.value;
        // Anything else is refused in its turn by the method's checks.
        if (!full || !reduced) return std::nullopt;
        if (!ShortArcTimeProblem(*full, false).empty() || !ShortArcTimeProblem(*reduced, true).empty())
            return std::nullopt;
        return std::pair{*full, *reduced};
    }

    // The steps of both cases, the arcing current of each at a bolted current given.
    void Plan(const std::function<double(double)>& full, const std::function<double(double)>& reduced,
              double first, const std::optional<std::pair<double, double>>& typed) {
        const std::optional<double> share = device_ ? std::optional<double>(share_) : std::nullopt;
        const bool shareTyped = entry_ && entry_->share;
        planFull_ = in_.steps->Steps(full, first, device_, share, shareTyped,
                                     typed ? std::optional<double>(typed->first) : std::nullopt);
        planReduced_ = in_.steps->Steps(reduced, first, device_, share, shareTyped,
                                        typed ? std::optional<double>(typed->second) : std::nullopt);
        planned_ = true;
    }

    // The 2002 equations take an arc in steps as one of the first step's
    // current lasting the equivalent duration: their energy and boundary
    // depend on the current only through the normalised energy E_n (lg E_n
    // = K1 + K2 + 1.081·lg I_a + 0.0011·G, at each step's current rounded
    // as the equations round it) times the duration, so Σ E_n,k·t_k =
    // E_n,1·t_eq gives the summed energy and the boundary of that energy
    // exactly; the theoretically derived equations go by the bolted current.
    static double EquivalentDuration(const ArcStepPlanner::Plan& plan, bool lee, double gapMm) {
        if (plan.OneStepAsTyped()) return plan.steps.front().seconds;
        double t = 0;
        for (const PointStep& step : plan.steps) {
            const double ratio = lee ? step.boltedKa / plan.startKa
                                     : Power10(NormalizedEnergyLog(RoundCurrent(step.arcingKa), 0, 0, gapMm) -
                                               NormalizedEnergyLog(RoundCurrent(plan.startArcingKa), 0, 0, gapMm));
            t += step.seconds * ratio;
        }
        return t;
    }

    // A case's steps for the engine: none where the arc is cleared in one
    // step at the point's own current.
    static std::vector<ArcStepLoad> Loads(const ArcStepPlanner::Plan& plan) {
        std::vector<ArcStepLoad> loads;
        if (plan.steps.empty() || plan.OneStepAsTyped()) return loads;
        for (const PointStep& step : plan.steps) loads.push_back({step.boltedKa, step.seconds});
        return loads;
    }

    void KeepPlan(const ArcStepPlanner::Plan& plan, PointCase& into) const {
        if (device_) into.duration = PointDuration{plan.whole.seconds, plan.whole.element, plan.whole.device, plan.deviceAmps};
        if (!plan.steps.empty() && (!plan.OneStepAsTyped() || plan.endedElsewhere)) into.steps = plan.steps;
    }

    void Refuse(const Refusal& refusal) {
        p_.status = PointStatus::Refused;
        p_.message = refusal.message;
        p_.refusal = refusal.code;
    }

    // A length in millimetres; a length in inches too large for a size in
    // millimetres is none at all: out of range like 0.
    static std::optional<double> Millimetres(const NumberCell& cell, LengthUnit unit) {
        if (!cell.value) return std::nullopt;
        const double mm = ToMillimetres(*cell.value, unit);
        return std::isfinite(mm) ? mm : 0.0;
    }
    // The first of `cells` that is no number, in the order a method reads them.
    static std::optional<Problem> FirstNotANumber(std::initializer_list<const NumberCell*> cells) {
        for (const NumberCell* cell : cells) {
            if (cell && cell->NotANumber()) return Number(*cell);
        }
        return std::nullopt;
    }
    // The bolted current: the network's where it gives one, else the row's (unread).
    const NumberCell* TypedBolted() const { return in_.boltedKa ? nullptr : &point_.boltedCurrent; }
    std::optional<double> Bolted() const { return in_.boltedKa ? in_.boltedKa : point_.boltedCurrent.value; }

    std::optional<Problem> Empirical() {
        const StudyPoint& in = point_;
        if (in.grounding.Unknown()) return Of(UnknownWord(kGroundingColumn, in.grounding.text));
        p_.equations = Equations::Empirical;
        if (auto problem = FirstNotANumber({&in.voltage, TypedBolted(), &in.gap, &in.workDistance})) return problem;
        EmpiricalValues v;
        v.voltage = in.voltage.value;
        v.boltedCurrent = Bolted();
        v.gapMm = Millimetres(in.gap, *in.gapUnit);
        v.workDistMm = Millimetres(in.workDistance, *in.workDistUnit);
        v.equipmentClass = in.equipmentClass.index.value_or(-1);
        v.grounding = in.grounding.index.value_or(-1);
        if (const std::optional<Refusal> refusal = CheckEmpiricalValues(v)) {
            Refuse(*refusal);
            return std::nullopt;
        }
        EmpiricalInputs at;
        at.voltage = *v.voltage;
        at.boltedCurrent = *v.boltedCurrent;
        at.gapMm = *v.gapMm;
        at.workDistMm = *v.workDistMm;
        at.equipmentClass = v.equipmentClass;
        at.grounding = v.grounding;
        const EmpiricalArcCurrents a = ComputeEmpiricalArcCurrents(at);
        const bool lee = a.lee;
        p_.arcingCurrentsKnown = true;
        p_.full.arcingCurrent = a.arcCurrent;
        if (!lee) {
            p_.reduced.emplace();
            p_.reduced->arcingCurrent = a.arcCurrentReduced;
        } else {
            p_.equations = Equations::TheoreticallyDerived;
        }

        DurationValues found;
        ArcDuration full, reduced;
        const std::optional<std::pair<double, double>> typed = lee ? std::nullopt : TypedForSteps();
        if (in_.steps && (device_ || typed)) {
            auto arcing = [at](bool ofReduced) {
                return [at, ofReduced](double ka) mutable {
                    at.boltedCurrent = ka;
                    const EmpiricalArcCurrents c = ComputeEmpiricalArcCurrents(at);
                    return ofReduced ? c.arcCurrentReducedKa : c.arcCurrentKa;
                };
            };
            Plan(arcing(false), arcing(true), at.boltedCurrent, typed);
            if (const auto r = JoinRefusals(planFull_.whole.refusal, lee ? std::nullopt : planReduced_.whole.refusal)) {
                Refuse(*r);
                return std::nullopt;
            }
            found.arcTime = EquivalentDuration(planFull_, lee, at.gapMm);
            if (!lee) found.arcTimeReduced = EquivalentDuration(planReduced_, lee, at.gapMm);
        } else if (device_) {
            // The reduced case's duration only where the case is offered.
            full = DurationAt(a.arcCurrentKa);
            if (!lee) reduced = DurationAt(a.arcCurrentReducedKa);
            if (const auto r = JoinRefusals(full.refusal, reduced.refusal)) {
                Refuse(*r);
                return std::nullopt;
            }
            found.arcTime = full.seconds;
            if (!lee) found.arcTimeReduced = reduced.seconds;
        }
        // The durations typed where none was found; a hidden reduced one
        // (the Lee case) that is no number is not read.
        DurationValues durations = found;
        if (!found.arcTime) {
            if (in.arcTime.NotANumber()) return Number(in.arcTime);
            durations.arcTime = in.arcTime.value;
        }
        if (!found.arcTimeReduced) {
            if (!lee && in.arcTimeReduced.NotANumber()) return Number(in.arcTimeReduced);
            durations.arcTimeReduced = in.arcTimeReduced.value;
        }
        DurationValues kept;
        if (const std::optional<Refusal> refusal = CheckDurationValues(durations, !lee, kept)) {
            Refuse(*refusal);
            return std::nullopt;
        }
        at.arcTime = *kept.arcTime;
        at.arcTimeReduced = kept.arcTimeReduced.value_or(0);
        const EmpiricalResults r = ComputeEmpiricalCases(at, a);

        p_.status = PointStatus::Computed;
        p_.voltage = at.voltage;
        p_.gapMm = at.gapMm;
        p_.workDistMm = at.workDistMm;
        p_.approach = r.approach;
        static_cast<CaseResult&>(p_.full) = r.full;
        if (planned_)
            KeepPlan(planFull_, p_.full);
        else if (device_)
            p_.full.duration = Kept(full, a.arcCurrentKa);
        if (lee) return std::nullopt;
        static_cast<CaseResult&>(*p_.reduced) = *r.reduced;
        if (planned_)
            KeepPlan(planReduced_, *p_.reduced);
        else if (device_)
            p_.reduced->duration = Kept(reduced, a.arcCurrentReducedKa);
        p_.reducedGoverns = r.reducedGoverns;
        return std::nullopt;
    }

    std::optional<Problem> Fuse() {
        const StudyPoint& in = point_;
        if (!in.fuseClass.index) return Of(UnknownWord(kFuseClassColumn, in.fuseClass.text));
        p_.equations = Equations::Fuse;
        if (auto problem = FirstNotANumber({TypedBolted(), &in.workDistance})) return problem;
        const std::optional<double> bolted = Bolted(), workDist = Millimetres(in.workDistance, *in.workDistUnit);
        if (const std::optional<Refusal> refusal = CheckFuseValues(bolted, workDist)) {
            Refuse(*refusal);
            return std::nullopt;
        }
        const FuseResults r = ComputeFuse({*bolted, *workDist, *in.fuseClass.index, kFuseTabClass});
        if (!r.result) {
            Refuse({RefusalCode::OutsideModel, std::string(r.equation.message)});
            return std::nullopt;
        }
        p_.status = PointStatus::Computed;
        p_.arcingCurrentsKnown = true;
        p_.voltage = 600.0;
        p_.gapMm = ClassDefaultGapMm(kFuseTabClass);
        p_.workDistMm = *workDist;
        p_.approach = r.approach;
        static_cast<CaseResult&>(p_.full) = *r.result;
        p_.full.arcingCurrent = r.arcCurrent;
        return std::nullopt;
    }

    std::optional<Problem> Breaker() {
        const StudyPoint& in = point_;
        if (!in.breakerType.index) return Of(UnknownWord(kBreakerTypeColumn, in.breakerType.text));
        p_.equations = Equations::Breaker;
        if (auto problem = FirstNotANumber({&in.voltage, TypedBolted(), &in.workDistance, &in.interruptingRating,
                                            &in.instantaneousTrip}))
            return problem;
        BreakerValues v;
        v.voltage = in.voltage.value;
        v.boltedCurrent = Bolted();
        v.workDistMm = Millimetres(in.workDistance, *in.workDistUnit);
        v.interruptingRating = in.interruptingRating.value;
        v.instantaneousTrip = in.instantaneousTrip.value;
        if (const std::optional<Refusal> refusal = CheckBreakerValues(v)) {
            Refuse(*refusal);
            return std::nullopt;
        }
        const BreakerResults r = ComputeBreaker({*v.voltage, *v.boltedCurrent, *v.workDistMm, *v.interruptingRating,
                                                 *v.instantaneousTrip, *in.breakerType.index, kBreakerTabClass});
        if (!r.result) {
            Refuse({RefusalCode::OutsideModel, std::string(r.message)});
            return std::nullopt;
        }
        p_.status = PointStatus::Computed;
        p_.voltage = *v.voltage;
        p_.gapMm = ClassDefaultGapMm(kBreakerTabClass);
        p_.workDistMm = *v.workDistMm;
        p_.approach = r.approach;
        static_cast<CaseResult&>(p_.full) = *r.result;
        p_.full.arcingCurrent = 0;  // the breaker equations find no arcing current
        return std::nullopt;
    }

    // A DC row, its duration from its device where it has one.
    std::optional<Problem> Dc() {
        DcOutcome out;
        const DcDeviceDuration duration =
            device_ ? DcDeviceDuration([this](double ka) { return full_ = DurationAt(ka); }) : nullptr;
        if (std::optional<RowProblem> problem = ComputeDcRow(point_, p_.method, duration, p_, out))
            return Of(std::move(*problem));
        if (p_.Computed() && out.deviceDuration) p_.full.duration = Kept(full_, out.values.arcingKa);
        return std::nullopt;
    }

    // The values as the 2018 window hands them to the engine; the enclosure
    // sizes have a unit of their own.
    std::optional<Problem> Ieee2018() {
        const StudyPoint& in = point_;
        // An empty configuration is the engine's "not selected" refusal.
        if (in.electrode.Unknown()) return Of(UnknownWord(kElectrodeConfigurationColumn, in.electrode.text));
        p_.equations = Equations::Ieee2018;
        const std::optional<std::pair<double, double>> typed = TypedForSteps();
        const bool found = device_ || (in_.steps && typed);
        const std::optional<Electrode> electrode =
            in.electrode.index ? std::optional<Electrode>(static_cast<Electrode>(*in.electrode.index)) : std::nullopt;
        const bool enclosed = electrode && !IsOpenAir(*electrode);
        if (auto problem = FirstNotANumber({&in.voltage, TypedBolted(), &in.gap, enclosed ? &in.height : nullptr,
                                            enclosed ? &in.width : nullptr, enclosed ? &in.depth : nullptr,
                                            &in.workDistance, found ? nullptr : &in.arcTime,
                                            found ? nullptr : &in.arcTimeReduced}))
            return problem;
        Ieee2018Values v;
        v.voltage = in.voltage.value;
        v.boltedCurrent = Bolted();
        auto length = [](const NumberCell& cell, LengthUnit unit) {
            return cell.value ? std::optional<double>(ToMillimetres(*cell.value, unit)) : std::nullopt;
        };
        v.gap = length(in.gap, *in.gapUnit);
        v.gapInches = *in.gapUnit == LengthUnit::Inches;
        v.enclosureInches = *in.enclosureUnit == LengthUnit::Inches;
        v.workDistInches = *in.workDistUnit == LengthUnit::Inches;
        v.electrode = electrode;
        if (enclosed) {
            v.height = length(in.height, *in.enclosureUnit);
            v.width = length(in.width, *in.enclosureUnit);
            v.depth = length(in.depth, *in.enclosureUnit);
        }
        v.workDist = length(in.workDistance, *in.workDistUnit);
        if (!found) {
            v.arcTime = in.arcTime.value;
            v.arcTimeReduced = in.arcTimeReduced.value;
        }
        const Ieee2018StepsHook steps = [&](const Ieee2018Inputs& at, double, double) {
            auto arcing = [&at](bool reduced) {
                return [&at, reduced](double ka) {
                    const auto both = Ieee2018ArcingCurrents(at, ka);
                    return reduced ? both.second : both.first;
                };
            };
            Plan(arcing(false), arcing(true), at.boltedCurrent, typed);
            Ieee2018Durations d;
            d.arcTime = planFull_.whole.seconds;
            d.arcTimeReduced = planReduced_.whole.seconds;
            d.refusal = JoinRefusals(planFull_.whole.refusal, planReduced_.whole.refusal);
            d.steps = Loads(planFull_);
            d.stepsReduced = Loads(planReduced_);
            return d;
        };
        const Ieee2018StepsHook own = [this](const Ieee2018Inputs&, double iarc, double iarcReduced) {
            full_ = DurationAt(iarc);
            reduced_ = DurationAt(iarcReduced);
            Ieee2018Durations d;
            d.arcTime = full_.seconds;
            d.arcTimeReduced = reduced_.seconds;
            d.refusal = JoinRefusals(full_.refusal, reduced_.refusal);
            return d;
        };
        const Ieee2018Outcome out = EvaluateIeee2018(v, o_.sep,
                                                     in_.steps && (device_ || typed) ? steps
                                                     : device_                       ? own
                                                                                     : Ieee2018StepsHook());
        if (out.refusal) {
            Refuse(*out.refusal);
            return std::nullopt;
        }
        const Ieee2018Results& n = out.values;
        p_.status = PointStatus::Computed;
        p_.arcingCurrentsKnown = true;
        static_cast<CaseResult&>(p_.full) = out.full;
        p_.full.arcingCurrent = n.full.iarc;
        p_.reduced.emplace();
        static_cast<CaseResult&>(*p_.reduced) = out.reduced;
        p_.reduced->arcingCurrent = n.reduced.iarc;
        if (planned_) {
            KeepPlan(planFull_, p_.full);
            KeepPlan(planReduced_, *p_.reduced);
        } else if (device_) {
            p_.full.duration = Kept(full_, n.full.iarc);
            p_.reduced->duration = Kept(reduced_, n.reduced.iarc);
        }
        p_.reducedGoverns = n.reducedGoverns;
        p_.voltage = out.inputs.voltage;
        p_.gapMm = out.inputs.gapMm;
        p_.workDistMm = out.inputs.workDistMm;
        p_.approach = out.approach;
        p_.enclosure = IsOpenAir(out.inputs.electrode) ? EnclosureType::OpenAir
                       : n.shallow                      ? EnclosureType::Shallow
                                                        : EnclosureType::Typical;
        p_.enclosureFactor = n.cf;
        return std::nullopt;
    }

    const StudyOptions& o_;
    const StudyRowInputs& in_;
    std::optional<StudyPoint> ownPoint_;  // the cells read here, where the caller did not
    const StudyPoint& point_;
    // The device cells without their padding, where DeviceCells took it away.
    mutable std::array<std::string, kLastDeviceColumn - kFirstDeviceColumn + 1> shortened_;
    PointResult p_;
    StudyDevices* devices_;
    std::optional<StudyDevices> ownDevices_;  // without a cache: this row's device alone
    const ProtectiveDevice* device_ = nullptr;
    StudyDevices::Entry* entry_ = nullptr;  // the device's entry: its caution
    double share_ = 1;  // the part of the arcing current the device sees
    ArcDuration full_, reduced_;  // the durations found without steps
    // The steps of each case, where the network clears the arc in steps.
    bool planned_ = false;
    ArcStepPlanner::Plan planFull_, planReduced_;
};

}  // namespace

PointResult ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options, StudyDevices* devices) {
    return RowRunner(options, in, devices).Run();
}

PointResult ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options, StudyRowResults& out,
                            StudyDevices* devices) {
    PointResult p = ComputeStudyRow(in, options, devices);
    WriteResultCells(p, options.units, options.sep, out);
    return p;
}
}  // namespace zentavo

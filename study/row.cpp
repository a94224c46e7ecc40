// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/row.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <span>

#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "engine/ieee2018.h"
#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "engine/power.h"
#include "engine/shared_state.h"
#include "study/errors.h"
#include "study/row_dc.h"

namespace zentavo {

namespace {

// Why an arc lasted its maximum duration: "the trip unit does not operate at
// 1.234 kA: arc duration capped at 2 s", "the relay takes 3.1 s at 5.000 kA:
// ...", or where the row's device saw nothing (the line side of its main)
// "no device opens before the maximum arc duration: ...".
std::string CappedText(DeviceType type, const PointDuration& d, char sep) {
    static constexpr std::string_view kDevice[] = {"relay", "trip unit", "fuse"};
    const std::string note = ArcDurationCappedNote(d.seconds, sep);
    if (!(d.deviceAmps > 0)) return "no device opens before the maximum arc duration: " + note;
    const std::string ka = FormatFixed(d.deviceAmps / 1000, 15, 3, sep) + " kA";
    std::string t = "the " + std::string(kDevice[static_cast<std::size_t>(type)]);
    t += d.device.Operates() ? " takes " + ArcDurationText(d.device.seconds, sep) + " s at " + ka
                             : " does not operate at " + ka;
    return t + ": " + note;
}

std::string UnknownValue(std::string_view column, std::string_view value) {
    return std::string(column) + ": unknown value \"" + std::string(value) + "\"";
}

// Where `v` stands among the words of column `c`.
std::optional<int> WordIndex(StudyInputColumn c, std::string_view v) {
    const std::span<const std::string_view> words = StudyColumnWords(c);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == v) return static_cast<int>(i);
    }
    return std::nullopt;
}

// A word of column `c`, refused with a message naming the column when it is
// none of them; empty stays empty (nullopt).
std::optional<int> Word(StudyInputColumn c, std::string_view v) {
    if (v.empty()) return std::nullopt;
    if (auto i = WordIndex(c, v)) return i;
    throw StudyRowError(UnknownValue(kStudyInputNames[c], v), RefusalCode::UnknownWord);
}

// An item given by its word or by its index; empty means the first item.
// `listed` are the items as the selector lists them (a breaker type with its
// tail), also taken.
int WordOrIndex(StudyInputColumn c, std::string_view v,
                std::span<const std::string_view> listed) {
    if (v.empty()) return 0;
    if (auto i = WordIndex(c, v)) return *i;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (listed[i] == v) return static_cast<int>(i);
    }
    const std::size_t n = StudyColumnWords(c).size();
    if (v.size() == 1 && v[0] >= '0' && static_cast<std::size_t>(v[0] - '0') < n) return v[0] - '0';
    throw StudyRowError(UnknownValue(kStudyInputNames[c], v), RefusalCode::UnknownWord);
}


// Texts of up to this many characters are read as numbers by ParseNumber.
constexpr std::size_t kLongestNumberText = 127;

// A longer number text whose length is padding alone (blanks, leading zeros,
// trailing decimal zeros, zeros leading the exponent) without that padding:
// the same value in a text ParseNumber reads. Empty when there is nothing to
// take away, or when the text is no number at all.
std::string WithoutPadding(std::string_view t, char sep) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    auto digits = [&](std::size_t& i) {
        const std::size_t from = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        return t.substr(from, i - from);
    };
    std::size_t i = 0;
    std::string out;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
    std::string_view whole = digits(i), fraction;
    bool separator = false;
    if (i < t.size() && t[i] == sep) {
        separator = true;
        ++i;
        fraction = digits(i);
    }
    if (whole.empty() && fraction.empty()) return {};
    std::string exponent;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        exponent = "e";
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) exponent += t[i++];
        std::string_view e = digits(i);
        if (e.empty()) return {};
        while (e.size() > 1 && e.front() == '0') e.remove_prefix(1);
        exponent += e;
    }
    if (i != t.size()) return {};
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    out += whole.empty() ? std::string_view("0") : whole;
    if (separator && !fraction.empty()) {
        out += sep;
        out += fraction;
    }
    return out + exponent;
}

// The interrupting ratings a row's device may have.
constexpr double kLeastRatingKa = 0.1, kMostRatingKa = 1000;

// Runs one row into its PointResult.
class RowRunner {
public:
    RowRunner(const StudyOptions& o, const StudyRowInputs& in, StudyDevices* devices)
        : o_(o), typed_(in), in_(in), devices_(devices) {
        // The columns of numbers (a curve's points and a bus's name are not).
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            if (in_[c].size() <= kLongestNumberText) continue;
            const StudyCellKind kind = StudyColumnKind(static_cast<StudyInputColumn>(c));
            if (kind != StudyCellKind::Number && kind != StudyCellKind::NumberOrNone) continue;
            shortened_[c] = WithoutPadding(in_[c], o_.sep);
            if (shortened_[c].empty()) continue;
            in_[c] = shortened_[c];
            // The device's settings are then looked up by the texts read.
            if (c >= kFirstDeviceColumn && c <= kLastDeviceColumn) in_.deviceCells = {};
        }
    }

    PointResult Run() {
        try {
            const std::optional<int> method = WordIndex(kMethodColumn, in_[kMethodColumn]);
            if (!method) throw StudyRowError(UnknownValue("method", in_[kMethodColumn]), RefusalCode::UnknownWord);
            p_.method = static_cast<Method>(*method);
            CheckLengthUnit(kGapUnitColumn);
            CheckLengthUnit(kWorkDistanceUnitColumn);
            CheckLengthUnit(kEnclosureUnitColumn);
            // Whatever the method, a class the row names is one of the four:
            // its label names it.
            Word(kEquipmentClassColumn, in_[kEquipmentClassColumn]);
            if (!IsDcMethod(p_.method)) {
                if (std::string dc = DcColumnsOnAcRow(in_); !dc.empty()) throw StudyRowError(dc);
            }
            const std::optional<double> rating = ReadRating();
            ReadDevice(p_.method);
            switch (*method) {
            case kEmpiricalMethod:
                Empirical();
                break;
            case kFuseMethod:
                Fuse();
                break;
            case kBreakerMethod:
                Breaker();
                break;
            case kDcMaxPowerMethod:
            case kDcArcResistanceMethod:
                Dc();
                break;
            case kIeee2018Method:
                Ieee2018();
                break;
            }
            if (entry_ || rating || p_.method == kFuseMethod || p_.method == kBreakerMethod) {
                if (const std::optional<double> ka = BoltedKa()) p_.duty = PointDuty{rating, *ka};
            }
        } catch (const StudyRowError& e) {
            p_ = PointResult{};
            p_.status = PointStatus::Error;
            p_.message = e.message;
            p_.refusal = e.code;
            return std::move(p_);
        } catch (const ConversionError& e) {
            // The arcing currents of an accepted first step stay, as on screen.
            p_.status = PointStatus::Error;
            p_.message = ConversionMessage(Typed(e.text()));
            return std::move(p_);
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
        return std::move(p_);
    }

private:
    // The device's interrupting rating, if the row gives one.
    std::optional<double> ReadRating() const {
        const std::string_view t = in_[kDeviceRatingColumn];
        if (t.empty()) return std::nullopt;
        double ka;
        try {
            ka = ParseNumber(t, o_.sep);
        } catch (const ConversionError&) {
            throw StudyRowError("device_rating_ka: " + std::string(t) + " is not a number");
        }
        if (!(ka >= kLeastRatingKa && ka <= kMostRatingKa)) {
            throw StudyRowError("device_rating_ka: " + std::string(t) +
                                " kA is not an interrupting rating (0.1 kA to 1000 kA)");
        }
        return ka;
    }
    // The bolted current the row was computed with (three decimals, as
    // shown), when it is a number.
    std::optional<double> BoltedKa() const {
        if (in_.boltedKa) return *in_.boltedKa;
        if (p_.dc) return RoundToDecimals(p_.dc->boltedKa, 3);  // typed, or from dc_source_r
        try {
            return ParseNumber(in_[kBoltedCurrentColumn], o_.sep);
        } catch (const ConversionError&) {
            return std::nullopt;
        }
    }

    // The row's protective device, if it names one: found (built once per
    // distinct settings) and checked against the rest of the row.
    void ReadDevice(Method method) {
        int given = -1;
        for (int c = kFirstDeviceColumn; c <= kLastDeviceColumn && given < 0; ++c) {
            if (!in_[c].empty()) given = c;
        }
        if (given < 0) return;
        if (in_[kDeviceTypeColumn].empty()) {
            throw StudyRowError(std::string(kStudyInputNames[given]) +
                                ": a device setting without device_type");
        }
        if (method == kFuseMethod || method == kBreakerMethod) {
            throw StudyRowError(std::string("device_type: the ") +
                                (method == kFuseMethod ? "fuse" : "breaker") +
                                " method's equations hold their own arc duration; leave the "
                                "device columns of this row empty");
        }
        if (!in_[kArcTimeColumn].empty() || !in_[kArcTimeReducedColumn].empty()) {
            throw StudyRowError(
                "arc_time: a row with a protective device takes its arc durations from it; "
                "leave arc_time and arc_time_reduced empty or the device columns empty");
        }
        StudyDevices::Entry& e = (devices_ ? *devices_ : ownDevices_.emplace()).Find(in_, o_);
        if (e.refusal) throw StudyRowError(*e.refusal);
        if (e.share) {
            share_ = *e.share;
        } else if (in_.deviceShareFromNetwork) {
            share_ = *in_.deviceShareFromNetwork;
            // A branch that carries nothing in a case, its arc in steps: the
            // network's other devices clear it, this one never sees current.
            const bool none = in_.steps && share_ == 0;
            if (!(share_ > 0 && share_ <= 1) && !none) {
                throw StudyRowError(
                    "device_share: the share of the network's branch is not above 0 and at "
                    "most 1; give device_share");
            }
        }
        device_ = e.device.get();
        entry_ = &e;
        p_.device = e.device;
        p_.maxArcTime = device_->MaxArcTime();
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
        try {
            const double full = ParseNumber(in_[kArcTimeColumn], o_.sep);
            const double reduced = ParseNumber(in_[kArcTimeReducedColumn], o_.sep);
            if (!ShortArcTimeProblem(full, false).empty() || !ShortArcTimeProblem(reduced, true).empty())
                return std::nullopt;
            return std::pair{full, reduced};
        } catch (const ConversionError&) {
            return std::nullopt;  // refused in its turn by the method's checks
        }
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
        if (!plan.steps.empty() && !plan.OneStepAsTyped()) into.steps = plan.steps;
    }

    // The length units of a row are the words "mm" and "inches"; empty means "mm".
    void CheckLengthUnit(StudyInputColumn c) const { Unit(c); }
    LengthUnit Unit(StudyInputColumn c) const {
        if (const auto unit = StudyLengthUnit(in_[c])) return *unit;
        throw StudyRowError(UnknownValue(kStudyInputNames[c], in_[c]), RefusalCode::UnknownWord);
    }

    // The text as the row holds it, for a text that was handed on without its padding.
    std::string_view Typed(std::string_view text) const {
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            if (!shortened_[c].empty() && text == shortened_[c]) return typed_[c];
        }
        return text;
    }

    // A length typed in inches so large that it has no size in millimetres.
    bool Overflows(std::string_view text, LengthUnit unit) const {
        try {
            return !std::isfinite(ToMillimetres(ParseNumber(text, o_.sep), unit));
        } catch (const ConversionError&) {
            return false;  // reported in its turn by the checks
        }
    }

    void Warn(const Refusal& refusal) {
        p_.status = PointStatus::Refused;
        p_.message = refusal.message;
        p_.refusal = refusal.code;
    }

    // The voltage and gap of a 2002 method's point, from the shared state, and
    // its approach boundaries, from the method's outcome.
    void KeepPoint(const SharedState& s, const ApproachDistances& approach) {
        p_.voltage = s.Voltage;
        p_.gapMm = s.Gap;
        p_.approach = approach;
    }

    void Empirical() {
        EmpiricalFields f;
        f.voltage = in_[kVoltageColumn];
        f.boltedCurrent = in_[kBoltedCurrentColumn];
        f.boltedKa = in_.boltedKa;
        f.gap = in_[kGapColumn];
        f.workDist = in_[kWorkDistanceColumn];
        f.gapUnit = Unit(kGapUnitColumn);
        // Such a gap is out of range like one below 13 mm (it would otherwise
        // pass the check and give no numbers at all).
        if (f.gapUnit == LengthUnit::Inches && Overflows(f.gap, f.gapUnit)) f.gap = "0";
        f.workDistUnit = Unit(kWorkDistanceUnitColumn);
        if (auto i = Word(kEquipmentClassColumn, in_[kEquipmentClassColumn])) {
            f.equipmentClass = *i;
        }
        f.grounding = Word(kGroundingColumn, in_[kGroundingColumn]).value_or(-1);

        SharedState s = StartState();
        p_.equations = Equations::Empirical;
        const ArcCurrentOutcome first = RunEmpiricalArcCurrent(s, f, o_.sep);
        if (first.refusal) return Warn(*first.refusal);
        p_.arcingCurrentsKnown = true;
        p_.full.arcingCurrent = s.ArcCurrent;
        if (first.reducedCaseOffered) {
            p_.reduced.emplace();
            p_.reduced->arcingCurrent = s.ArcCurrentReduced;
        } else {
            p_.equations = Equations::TheoreticallyDerived;
        }

        // The intermediate window asks for the reduced duration only when it
        // offers the reduced case.
        s.ReducedCaseOff = !first.reducedCaseOffered;
        const DurationFields durations{in_[kArcTimeColumn], in_[kArcTimeReducedColumn]};
        FoundDurations found;
        ArcDuration full, reduced;
        const std::optional<std::pair<double, double>> typed = first.reducedCaseOffered ? TypedForSteps() : std::nullopt;
        if (in_.steps && (device_ || typed)) {
            EmpiricalInputs at;
            at.voltage = s.Voltage;
            at.gapMm = s.Gap;
            at.equipmentClass = f.equipmentClass;
            auto arcing = [at](bool ofReduced) {
                return [at, ofReduced](double ka) mutable {
                    at.boltedCurrent = ka;
                    const EmpiricalArcCurrents a = ComputeEmpiricalArcCurrents(at);
                    return ofReduced ? a.arcCurrentReducedKa : a.arcCurrentKa;
                };
            };
            Plan(arcing(false), arcing(true), s.BoltedCurrent, typed);
            const bool lee = !first.reducedCaseOffered;
            if (const auto r = JoinRefusals(planFull_.whole.refusal, lee ? std::nullopt : planReduced_.whole.refusal))
                return Warn(*r);
            found.arcTime = EquivalentDuration(planFull_, lee, s.Gap);
            if (!lee) found.arcTimeReduced = EquivalentDuration(planReduced_, lee, s.Gap);
        } else if (device_) {
            // The reduced case's duration only where the case is offered.
            full = DurationAt(first.arcCurrentKa);
            if (first.reducedCaseOffered) reduced = DurationAt(first.arcCurrentReducedKa);
            if (const auto r = JoinRefusals(full.refusal, reduced.refusal)) return Warn(*r);
            found.arcTime = full.seconds;
            if (first.reducedCaseOffered) found.arcTimeReduced = reduced.seconds;
        }
        const EmpiricalOutcome second = RunEmpiricalResults(s, durations, o_.units, o_.sep, found);
        if (second.refusal) return Warn(*second.refusal);

        p_.status = PointStatus::Computed;
        KeepPoint(s, second.approach);
        static_cast<CaseResult&>(p_.full) = second.full;
        if (planned_)
            KeepPlan(planFull_, p_.full);
        else if (device_)
            p_.full.duration = Kept(full, first.arcCurrentKa);
        if (!first.reducedCaseOffered) return;
        static_cast<CaseResult&>(*p_.reduced) = second.reduced;
        if (planned_)
            KeepPlan(planReduced_, *p_.reduced);
        else if (device_)
            p_.reduced->duration = Kept(reduced, first.arcCurrentReducedKa);
        p_.reducedGoverns = second.texts.reducedGoverns;
    }

    void Fuse() {
        FuseFields f;
        f.boltedCurrent = in_[kBoltedCurrentColumn];
        f.boltedKa = in_.boltedKa;
        f.workDist = in_[kWorkDistanceColumn];
        f.workDistUnit = Unit(kWorkDistanceUnitColumn);
        f.fuseClass = WordOrIndex(kFuseClassColumn, in_[kFuseClassColumn], {});
        SharedState s = StartState();
        p_.equations = Equations::Fuse;
        const FuseOutcome out = RunFuse(s, f, o_.units, o_.sep);
        if (out.refusal) return Warn(*out.refusal);
        p_.status = PointStatus::Computed;
        p_.arcingCurrentsKnown = true;
        KeepPoint(s, out.approach);
        static_cast<CaseResult&>(p_.full) = out.result;
        p_.full.arcingCurrent = s.ArcCurrent;
    }

    void Breaker() {
        BreakerFields f;
        f.voltage = in_[kVoltageColumn];
        f.boltedCurrent = in_[kBoltedCurrentColumn];
        f.boltedKa = in_.boltedKa;
        f.workDist = in_[kWorkDistanceColumn];
        f.workDistUnit = Unit(kWorkDistanceUnitColumn);
        f.interruptingRating = in_[kInterruptingRatingColumn];
        f.instantaneousTrip = in_[kInstantaneousTripColumn];
        f.breakerType = WordOrIndex(kBreakerTypeColumn, in_[kBreakerTypeColumn], kBreakerTypes);
        SharedState s = StartState();
        p_.equations = Equations::Breaker;
        const BreakerOutcome out = RunBreaker(s, f, o_.units, o_.sep);
        if (out.refusal) return Warn(*out.refusal);
        p_.status = PointStatus::Computed;
        KeepPoint(s, out.approach);
        static_cast<CaseResult&>(p_.full) = out.result;
        p_.full.arcingCurrent = s.ArcCurrent;
    }

    // A DC row, its duration from its device where it has one.
    void Dc() {
        DcOutcome out;
        try {
            out = ComputeDcRow(in_, o_, p_.method,
                               device_ ? DcDeviceDuration([this](double ka) { return full_ = DurationAt(ka); }) : nullptr,
                               p_);
        } catch (const ConversionError& e) {
            // A DC row's numbers are read in one go: the message names the column.
            for (const StudyInputColumn c : {kVoltageColumn, kBoltedCurrentColumn, kDcSourceRColumn, kGapColumn,
                                             kWorkDistanceColumn, kArcTimeColumn}) {
                if (in_[c] == e.text()) {
                    throw StudyRowError(std::string(kStudyInputNames[c]) + ": " + ConversionMessage(Typed(e.text())));
                }
            }
            throw;
        }
        if (p_.Computed() && out.deviceDuration) p_.full.duration = Kept(full_, out.values.arcingKa);
    }

    // The fields as the 2018 window hands them to the engine; the enclosure
    // sizes have a unit of their own.
    void Ieee2018() {
        // An empty configuration is the engine's "not selected" refusal.
        Word(kElectrodeConfigurationColumn, in_[kElectrodeConfigurationColumn]);
        Ieee2018Fields f{in_[kVoltageColumn],
                         in_[kBoltedCurrentColumn],
                         in_[kGapColumn],
                         in_[kElectrodeConfigurationColumn],
                         in_[kEnclosureHeightColumn],
                         in_[kEnclosureWidthColumn],
                         in_[kEnclosureDepthColumn],
                         in_[kWorkDistanceColumn],
                         in_[kArcTimeColumn],
                         in_[kArcTimeReducedColumn]};
        f.gapUnit = Unit(kGapUnitColumn);
        f.enclosureUnit = Unit(kEnclosureUnitColumn);
        f.workDistUnit = Unit(kWorkDistanceUnitColumn);
        f.boltedKa = in_.boltedKa;
        p_.equations = Equations::Ieee2018;
        // The hook captures the runner alone: small enough to be held
        // without an allocation per row.
        const std::optional<std::pair<double, double>> typed = TypedForSteps();
        const Ieee2018Outcome out =
            in_.steps && (device_ || typed)
                ? RunIeee2018Steps(f, o_.units, o_.sep,
                                   [&](const Ieee2018Inputs& in, double, double) {
                                       auto at = [&in](bool reduced) {
                                           return [&in, reduced](double ka) {
                                               const auto both = Ieee2018ArcingCurrents(in, ka);
                                               return reduced ? both.second : both.first;
                                           };
                                       };
                                       Plan(at(false), at(true), in.boltedCurrent, typed);
                                       Ieee2018Durations d;
                                       d.arcTime = planFull_.whole.seconds;
                                       d.arcTimeReduced = planReduced_.whole.seconds;
                                       d.refusal = JoinRefusals(planFull_.whole.refusal, planReduced_.whole.refusal);
                                       d.steps = Loads(planFull_);
                                       d.stepsReduced = Loads(planReduced_);
                                       return d;
                                   })
            : device_ ? RunIeee2018(f, o_.units, o_.sep,
                                    [this](double iarc, double iarcReduced) {
                                        full_ = DurationAt(iarc);
                                        reduced_ = DurationAt(iarcReduced);
                                        Ieee2018Durations d;
                                        d.arcTime = full_.seconds;
                                        d.arcTimeReduced = reduced_.seconds;
                                        d.refusal = JoinRefusals(full_.refusal, reduced_.refusal);
                                        return d;
                                    })
                      : RunIeee2018(f, o_.units, o_.sep);
        if (out.refusal) return Warn(*out.refusal);
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
        p_.reducedGoverns = out.texts.reducedGoverns;
        p_.voltage = out.inputs.voltage;
        p_.gapMm = out.inputs.gapMm;
        p_.approach = out.approach;
        p_.enclosure = IsOpenAir(out.inputs.electrode) ? EnclosureType::OpenAir
                       : n.shallow                      ? EnclosureType::Shallow
                                                        : EnclosureType::Typical;
        p_.enclosureFactor = n.cf;
    }

    const StudyOptions& o_;
    const StudyRowInputs& typed_;
    StudyRowInputs in_;
    // A long number text without its padding, by column; empty where none was taken away.
    std::array<std::string, kStudyInputColumnCount> shortened_;
    PointResult p_;
    StudyDevices* devices_;
    std::optional<StudyDevices> ownDevices_;  // without a cache: this row's device alone
    const ProtectiveDevice* device_ = nullptr;
    StudyDevices::Entry* entry_ = nullptr;  // the device's entry: its caution
    double share_ = 1;  // the part of the arcing current the device sees
    ArcDuration full_, reduced_;  // the 2018 durations found
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/input_checks.h"

#include "engine/empirical.h"
#include "engine/number.h"
#include "engine/units.h"

namespace zentavo {

namespace {

constexpr double kMinWorkDist = 300.0;   // mm
constexpr double kMinGap = 13.0;         // mm
constexpr double kMaxWorkDist = 2000.0;  // mm

// Each field's check on its value (absent: the field is empty), shared by
// the tabs' texts and a study's values: the field's message, or empty.
std::string_view EmpiricalVoltageProblem(std::optional<double> v) {
    return v && *v >= 208.0 && *v <= 46000.0 ? std::string_view() : msg::kVoltageOutOfRange;
}
std::string_view BreakerVoltageProblem(std::optional<double> v) {
    return v && ((*v >= 208.0 && *v <= 480.0) || (*v >= 575.0 && *v <= 690.0)) ? std::string_view()
                                                                              : msg::kVoltageOutOfRange;
}
// A bolted current above 0.7 kA (or from 0.7 on, when `lowIncluded`) up to 106 kA.
std::string_view BoltedCurrentProblem(std::optional<double> v, bool lowIncluded) {
    return v && (lowIncluded ? *v >= 0.7 : *v > 0.7) && *v <= 106.0 ? std::string_view()
                                                                     : msg::kInvalidBoltedCurrent;
}
std::string_view GapProblem(std::optional<double> mm) {
    if (!mm) return msg::kEnterGap;
    return *mm >= kMinGap ? std::string_view() : msg::kIncorrectGap;
}
// Working distance, shared by the three tabs: between 300 and 2000 mm.
std::string_view WorkDistanceProblem(std::optional<double> mm) {
    return mm && *mm >= kMinWorkDist && *mm <= kMaxWorkDist ? std::string_view() : msg::kWorkDistance;
}
// Interrupting rating and instantaneous trip: required, and greater than 0
// (the trip test takes the logarithm of the trip current).
std::string_view BreakerCurrentProblem(std::optional<double> v, std::string_view message) {
    return v && *v > 0 ? std::string_view() : message;
}

// A field's text read (none when empty), a length in millimetres.
std::optional<double> Read(std::string_view text, char sep) {
    if (text.empty()) return std::nullopt;
    return ParseNumber(text, sep);
}
std::optional<double> ReadLength(std::string_view text, LengthUnit unit, char sep) {
    const std::optional<double> v = Read(text, sep);
    return v ? std::optional<double>(ToMillimetres(*v, unit)) : std::nullopt;
}

// Checks one field: its value kept in `field` when it passes, its message
// added to the state's text otherwise.
void Check(SharedState& s, std::optional<double> v, std::string_view problem, double& field) {
    if (problem.empty()) {
        field = *v;
    } else {
        s.ErrorText += problem;
    }
}

// The working distance as typed is kept, 0 when empty.
void CheckWorkDistance(SharedState& s, std::string_view text, LengthUnit unit, char sep) {
    const std::optional<double> mm = ReadLength(text, unit, sep);
    s.WorkDistEntered = mm.value_or(0);
    Check(s, mm, WorkDistanceProblem(mm), s.WorkDist);
}

void CheckBoltedCurrent(SharedState& s, std::string_view text, std::optional<double> given, bool lowIncluded,
                        char sep) {
    const std::optional<double> v = given ? given : Read(text, sep);
    Check(s, v, BoltedCurrentProblem(v, lowIncluded), s.BoltedCurrent);
}

}  // namespace

void StartMainWindowNext(SharedState& state) {
    state.ArcPressure = 0;
    state.TntEquivalent = 0;
    state.ErrorText.clear();
}

std::optional<Refusal> CheckEmpiricalValues(const EmpiricalValues& v) {
    std::string e;
    e += EmpiricalVoltageProblem(v.voltage);
    e += BoltedCurrentProblem(v.boltedCurrent, false);
    e += GapProblem(v.gapMm);
    e += WorkDistanceProblem(v.workDistMm);
    if (v.equipmentClass < 0) e += msg::kNoEquipmentClass;
    if (v.grounding < 0) e += msg::kNoGrounding;
    return RefusalOf(RefusalCode::OutOfRange, std::move(e));
}

std::optional<Refusal> CheckFuseValues(std::optional<double> boltedCurrent, std::optional<double> workDistMm) {
    std::string e(BoltedCurrentProblem(boltedCurrent, false));
    e += WorkDistanceProblem(workDistMm);
    return RefusalOf(RefusalCode::OutOfRange, std::move(e));
}

std::optional<Refusal> CheckBreakerValues(const BreakerValues& v) {
    std::string e(BreakerVoltageProblem(v.voltage));
    e += BoltedCurrentProblem(v.boltedCurrent, true);
    e += WorkDistanceProblem(v.workDistMm);
    e += BreakerCurrentProblem(v.interruptingRating, msg::kEnterIR);
    e += BreakerCurrentProblem(v.instantaneousTrip, msg::kEnterIT);
    return RefusalOf(RefusalCode::OutOfRange, std::move(e));
}

std::optional<Refusal> CheckEmpiricalInputs(SharedState& s, const EmpiricalFields& f, char sep) {
    s.ErrorText.clear();
    const std::optional<double> voltage = Read(f.voltage, sep);
    Check(s, voltage, EmpiricalVoltageProblem(voltage), s.Voltage);
    CheckBoltedCurrent(s, f.boltedCurrent, f.boltedKa, false, sep);
    const std::optional<double> gap = ReadLength(f.gap, f.gapUnit, sep);
    s.GapEntered = gap.value_or(0);
    Check(s, gap, GapProblem(gap), s.Gap);
    CheckWorkDistance(s, f.workDist, f.workDistUnit, sep);

    s.Cf = CalculationFactor(s.Voltage);
    if (f.equipmentClass < 0) {
        s.ErrorText += msg::kNoEquipmentClass;
    } else {
        s.K1 = EnergyClassConstant(f.equipmentClass);
    }
    if (f.grounding < 0) {
        s.ErrorText += msg::kNoGrounding;
    } else {
        s.K2 = GroundingConstant(f.grounding);
    }
    s.K = ArcingCurrentConstant(f.equipmentClass);
    return RefusalOf(RefusalCode::OutOfRange, s.ErrorText);
}

std::optional<Refusal> CheckFuseInputs(SharedState& s, const FuseFields& f, LengthUnit gapUnit,
                            std::string& gapText, char sep) {
    s.ErrorText.clear();
    CheckBoltedCurrent(s, f.boltedCurrent, f.boltedKa, false, sep);
    s.GapEntered = s.Gap = ClassDefaultGapMm(f.equipmentClass);
    gapText = ClassDefaultGapText(f.equipmentClass, gapUnit);
    CheckWorkDistance(s, f.workDist, f.workDistUnit, sep);
    s.Voltage = 600.0;
    return RefusalOf(RefusalCode::OutOfRange, s.ErrorText);
}

std::optional<Refusal> CheckBreakerInputs(SharedState& s, const BreakerFields& f, char sep) {
    s.ErrorText.clear();
    const std::optional<double> voltage = Read(f.voltage, sep);
    Check(s, voltage, BreakerVoltageProblem(voltage), s.Voltage);
    CheckBoltedCurrent(s, f.boltedCurrent, f.boltedKa, true, sep);
    s.GapEntered = s.Gap = ClassDefaultGapMm(f.equipmentClass);
    CheckWorkDistance(s, f.workDist, f.workDistUnit, sep);
    const std::optional<double> rating = Read(f.interruptingRating, sep);
    Check(s, rating, BreakerCurrentProblem(rating, msg::kEnterIR), s.BreakerRating);
    const std::optional<double> trip = Read(f.instantaneousTrip, sep);
    Check(s, trip, BreakerCurrentProblem(trip, msg::kEnterIT), s.BreakerTrip);
    return RefusalOf(RefusalCode::OutOfRange, s.ErrorText);
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/input_checks.h"

#include "engine/empirical.h"
#include "engine/number.h"
#include "engine/units.h"

namespace zentavo {

namespace {

constexpr double kMinWorkDist = 300.0;   // mm
constexpr double kMaxWorkDist = 2000.0;  // mm
constexpr double kMinGap = 13.0;         // mm

// Working distance, shared by the three tabs: converted from its unit, kept
// as entered, accepted between 300 and 2000 mm. An empty field fails the range.
void CheckWorkDistance(SharedState& s, std::string_view text, LengthUnit unit, char sep) {
    s.WorkDistEntered = 0;
    bool ok = false;
    if (!text.empty()) {
        s.WorkDistEntered = ToMillimetres(ParseNumber(text, sep), unit);
        ok = s.WorkDistEntered >= kMinWorkDist && s.WorkDistEntered <= kMaxWorkDist;
    }
    if (ok) {
        s.WorkDist = s.WorkDistEntered;
    } else {
        s.ErrorText += msg::kWorkDistance;
    }
}

// A bolted current above `low` (or from `low` on, when `lowIncluded`) up to 106 kA.
void CheckBoltedCurrent(SharedState& s, std::string_view text, std::optional<double> given, bool lowIncluded,
                        char sep) {
    bool ok = false;
    double v = 0;
    if (given || !text.empty()) {
        v = given ? *given : ParseNumber(text, sep);
        ok = (lowIncluded ? v >= 0.7 : v > 0.7) && v <= 106.0;
    }
    if (ok) {
        s.BoltedCurrent = v;
    } else {
        s.ErrorText += msg::kInvalidBoltedCurrent;
    }
}

// Interrupting rating and instantaneous trip: required, and greater than 0
// (the trip test takes the logarithm of the trip current).
void CheckBreakerCurrent(SharedState& s, std::string_view text, double& field,
                         std::string_view message, char sep) {
    if (text.empty()) {
        s.ErrorText += message;
        return;
    }
    const double v = ParseNumber(text, sep);
    if (v > 0) {
        field = v;
    } else {
        s.ErrorText += message;
    }
}

}  // namespace

void StartMainWindowNext(SharedState& state) {
    state.ArcPressure = 0;
    state.TntEquivalent = 0;
    state.ErrorText.clear();
}

std::string CheckEmpiricalInputs(SharedState& s, const EmpiricalFields& f, char sep) {
    s.ErrorText.clear();

    bool ok = false;
    double v = 0;
    if (!f.voltage.empty()) {
        v = ParseNumber(f.voltage, sep);
        ok = v >= 208.0 && v <= 46000.0;
    }
    if (ok) {
        s.Voltage = v;
    } else {
        s.ErrorText += msg::kVoltageOutOfRange;
    }

    CheckBoltedCurrent(s, f.boltedCurrent, f.boltedKa, false, sep);

    s.GapEntered = 0;
    if (f.gap.empty()) {
        s.ErrorText += msg::kEnterGap;
    } else {
        s.GapEntered = ToMillimetres(ParseNumber(f.gap, sep), f.gapUnit);
        if (s.GapEntered >= kMinGap) {
            s.Gap = s.GapEntered;
        } else {
            s.ErrorText += msg::kIncorrectGap;
        }
    }

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
    return s.ErrorText;
}

std::string CheckFuseInputs(SharedState& s, const FuseFields& f, LengthUnit gapUnit,
                            std::string& gapText, char sep) {
    s.ErrorText.clear();
    CheckBoltedCurrent(s, f.boltedCurrent, f.boltedKa, false, sep);
    s.GapEntered = s.Gap = ClassDefaultGapMm(f.equipmentClass);
    gapText = ClassDefaultGapText(f.equipmentClass, gapUnit);
    CheckWorkDistance(s, f.workDist, f.workDistUnit, sep);
    s.Voltage = 600.0;
    return s.ErrorText;
}

std::string CheckBreakerInputs(SharedState& s, const BreakerFields& f, char sep) {
    s.ErrorText.clear();

    bool ok = false;
    double v = 0;
    if (!f.voltage.empty()) {
        v = ParseNumber(f.voltage, sep);
        ok = (v >= 208.0 && v <= 480.0) || (v >= 575.0 && v <= 690.0);
    }
    if (ok) {
        s.Voltage = v;
    } else {
        s.ErrorText += msg::kVoltageOutOfRange;
    }

    CheckBoltedCurrent(s, f.boltedCurrent, f.boltedKa, true, sep);
    s.GapEntered = s.Gap = ClassDefaultGapMm(f.equipmentClass);
    CheckWorkDistance(s, f.workDist, f.workDistUnit, sep);
    CheckBreakerCurrent(s, f.interruptingRating, s.BreakerRating, msg::kEnterIR, sep);
    CheckBreakerCurrent(s, f.instantaneousTrip, s.BreakerTrip, msg::kEnterIT, sep);
    return s.ErrorText;
}

}  // namespace zentavo

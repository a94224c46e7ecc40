// SPDX-License-Identifier: GPL-3.0-or-later
// The IEEE 1584-2002 empirical model: arcing current, normalised incident
// energy, incident energy and flash protection boundary, with the
// theoretically derived (Lee) equations at 15 kV and above or for gaps over
// 152 mm.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/case_result.h"
#include "engine/input_checks.h"
#include "engine/result_texts.h"
#include "engine/shared_state.h"
#include "engine/units.h"

namespace zentavo {

// Model constants.
double CalculationFactor(double voltage);          // Cf
double EnergyClassConstant(int equipmentClass);    // K1
double GroundingConstant(int grounding);           // K2
double ArcingCurrentConstant(int equipmentClass);  // K
// Distance exponent x: the low-voltage row up to 1000 V included.
double DistanceExponent(int equipmentClass, double voltage);
// The low-voltage exponents, also used by the fuse and breaker equations.
double LowVoltageDistanceExponent(int equipmentClass);

// log10 of the arcing current (kA): the low-voltage equation below 1000 V,
// the medium-voltage one from 1000 V on.
double LogArcingCurrent(double voltage, double boltedCurrent, double gapMm, double k);
// The arcing current rounded to two decimals, as it is shown and used after.
double RoundCurrent(double kA);
// log10 of the normalised incident energy (J/cm2 for 0.2 s at 610 mm).
double NormalizedEnergyLog(double arcCurrent, double k1, double k2, double gapMm);

// True where the theoretically derived equations apply: 15 kV and above, or
// a gap over 152 mm. Only the full-current case is computed there.
bool IsLeeCase(double voltage, double gapMm);

// Incident energies and flash protection boundaries of both cases from the
// constants, rounded currents and durations in the state.
void ComputeEmpiricalEnergies(SharedState& state);

// --- The two steps of an empirical calculation -----------------------------

// "Next" on the empirical tab: the checks, then the arcing currents.
struct [[nodiscard]] ArcCurrentOutcome {
    std::string warning;            // joined "Warning!" text; empty on success
    std::string arcCurrent;         // IaEdit: ArcCurrent (5, 2)
    std::string arcCurrentReduced;  // Ia15Edit: ArcCurrentReduced (5, 2)
    bool reducedCaseOffered = true;  // false in the Lee case
    // The arcing currents before their rounding (kA): what a protective
    // device sees when it finds the arc durations.
    double arcCurrentKa = 0, arcCurrentReducedKa = 0;
};
ArcCurrentOutcome RunEmpiricalArcCurrent(SharedState& state, const EmpiricalFields& fields,
                                         char sep);

// Arc durations as typed on the intermediate window.
struct DurationFields {
    std::string_view arcTime;         // t1Edit, s
    std::string_view arcTimeReduced;  // Edit2, s
};

// Durations found from a protective device rather than typed (s): when set,
// each replaces its text and is held to the same range: from
// kShortestArcTime (engine/arc_duration.h) to 2 s.
struct FoundDurations {
    std::optional<double> arcTime, arcTimeReduced;
};

struct EmpiricalResultTexts {
    bool reducedCaseOffered = true;
    std::string durationCaption;  // caption of the first duration row
    CaseTexts full;
    CaseTexts reduced;
    ApproachTexts approach;
    bool reducedGoverns = false;      // the reduced case has the larger energy
    bool fullPressureBold = false;    // else the reduced pressure row is bold
    bool fullTntBold = false;         // else the reduced TNT row is bold
    bool fullClothingBold = false;    // clothing captions: the higher level is bold,
    bool reducedClothingBold = false; // both when the levels are equal
};

struct [[nodiscard]] EmpiricalOutcome {
    std::string warning;
    // The cases as numbers (the reduced one where it is offered), what their
    // texts are written from.
    CaseResult full, reduced;
    EmpiricalResultTexts texts;
};

namespace msg {
inline constexpr std::string_view kEnterArcTime = "Enter valid arcing time. ";
inline constexpr std::string_view kArcTimeRange = "Arcing time should not exceed 2 seconds. ";
inline constexpr std::string_view kEnterArcTimeReduced =
    "Enter valid arcing time for reduced current";
inline constexpr std::string_view kArcTimeReducedRange =
    "Arcing time for reduced current should not exceed 2 seconds. ";
}  // namespace msg


// "Next" on the intermediate window: the durations, then every result text.
// Reads SharedState::ReducedCaseOff, which the intermediate window sets when
// it shows (see IsLeeCase).
EmpiricalOutcome RunEmpiricalResults(SharedState& state, const DurationFields& durations,
                                     const UnitSettings& units, char sep,
                                     const FoundDurations& found = {});

}  // namespace zentavo

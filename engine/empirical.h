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
#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/input_checks.h"
#include "engine/refusal.h"
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

// --- The model as numbers ---------------------------------------------------

// The inputs in the program's units. The empirical tab's checks and the
// intermediate window's hold them to: voltage 208 to 46000 V, bolted current
// above 0.7 up to 106 kA, gap at least 13 mm, working distance 300 to
// 2000 mm, an equipment class (kOpenAir..kCable) and a grounding (0
// ungrounded, 1 grounded) chosen, durations from kShortestArcTime
// (engine/arc_duration.h) to 2 s.
struct EmpiricalInputs {
    double voltage = 0;        // V
    double boltedCurrent = 0;  // kA
    double gapMm = 0;
    double workDistMm = 0;
    int equipmentClass = kSwitchgear;
    int grounding = 1;
    double arcTime = 0;  // s, at the arcing current
    // s, at the reduced arcing current. The Lee case computes no reduced
    // case, but the rule that an arc shorter than 0.01 s leaves the
    // pressures and TNT equivalents out reads this duration there too, as
    // the windows do with the reduced duration they keep: pass the full
    // duration when there is no other.
    double arcTimeReduced = 0;
};

// The first step ("Next" on the empirical tab): the constants, the arcing
// currents and the family of equations.
struct EmpiricalArcCurrents {
    double k = 0, k1 = 0, k2 = 0, cf = 0, distExponent = 0;
    double logArcCurrent = 0;  // log10 of the predicted current, before the cap
    // Capped at the bolted current, unrounded (kA): what a protective
    // device sees when it finds the arc durations.
    double arcCurrentKa = 0, arcCurrentReducedKa = 0;
    // The same rounded to two decimals (kA), what every later equation uses.
    double arcCurrent = 0, arcCurrentReduced = 0;
    double logNormEnergy = 0, logNormEnergyReduced = 0;  // from the rounded currents
    bool lee = false;  // the theoretically derived equations apply (IsLeeCase)
};

struct EmpiricalResults {
    EmpiricalArcCurrents currents;
    // The cases after the floors, classified; the reduced one where it is
    // offered (not in the Lee case). Pressures and TNT equivalents are given
    // unless an arc is shorter than 0.01 s in either case; the full case has
    // no TNT equivalent where the arcing current is not below the bolted
    // current; in the Lee case both are zero.
    CaseResult full;
    std::optional<CaseResult> reduced;
    bool reducedGoverns = false;  // the reduced case has the larger energy before the floors (ReducedGoverns)
    ApproachDistances approach;   // inches, of the voltage and the class; none for "Avoid contact"
};

// The first step alone (the durations are not read).
EmpiricalArcCurrents ComputeEmpiricalArcCurrents(const EmpiricalInputs& in);
// The cases from the first step's values and the durations: the arc
// durations may be found from the currents in between.
EmpiricalResults ComputeEmpiricalCases(const EmpiricalInputs& in, const EmpiricalArcCurrents& currents);
// Both steps.
EmpiricalResults ComputeEmpirical(const EmpiricalInputs& in);

// --- The same through the shared state ----------------------------------------

// Incident energies and flash protection boundaries of both cases (before
// the floors) from the voltage, bolted current, gap, working distance, Cf,
// distance exponent, normalised energies and durations in the state.
void ComputeEmpiricalEnergies(SharedState& state);

// --- The two steps of an empirical calculation -----------------------------

// "Next" on the empirical tab: the checks, then the arcing currents.
struct [[nodiscard]] ArcCurrentOutcome {
    // The checks' joined "Warning!" text (OutOfRange); none on success.
    std::optional<Refusal> refusal;
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
    // The durations' joined "Warning!" text (Duration); none on success.
    std::optional<Refusal> refusal;
    // The cases as numbers (the reduced one where it is offered), what their
    // texts are written from.
    CaseResult full, reduced;
    // The shock approach boundaries of the arcing-current step (inches;
    // none for "Avoid contact").
    ApproachDistances approach;
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


// The durations as read, typed or found (s): an empty field is absent.
struct DurationValues {
    std::optional<double> arcTime, arcTimeReduced;
};
// Their refusal (Duration), the problems joined as the intermediate window
// joins them: each
// from kShortestArcTime to 2 s. Where the reduced case is not offered
// (the Lee case, the reduced field hidden) its duration is not required
// and a value outside the range is ignored. The accepted ones go into `kept`.
[[nodiscard]] std::optional<Refusal> CheckDurationValues(const DurationValues& values, bool reducedOffered,
                                                         DurationValues& kept);

// "Next" on the intermediate window: the durations, then every result text.
// Reads SharedState::ReducedCaseOff, which the intermediate window sets when
// it shows (see IsLeeCase).
EmpiricalOutcome RunEmpiricalResults(SharedState& state, const DurationFields& durations,
                                     const UnitSettings& units, char sep,
                                     const FoundDurations& found = {});

}  // namespace zentavo

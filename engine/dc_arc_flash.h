// SPDX-License-Identifier: GPL-3.0-or-later
// DC arc flash after NFPA 70E Informative Annex D.5: battery rooms, DC
// switchboards, PV combiners. Two methods on the same circuit (a source of
// voltage V behind a resistance R, its bolted current V/R):
//
// - the maximum-power method (after Doan): the arc takes half the bolted
//   current at half the voltage, IE = 0.01·V·I_arc·T/D² cal/cm² (V in V,
//   I in A, T in s, D in cm; the 0.01 holds the half of the voltage, so it is
//   fed the arcing current, never the bolted one). It ignores the gap and is
//   known to be very conservative;
// - the arc-resistance method (Stokes and Oppenlander's arc voltage,
//   V_arc = (20 + 0.534·z)·I^0.12, z the gap in mm): the arcing current is
//   the root of V − R·I − V_arc(I) on (0, I_bf], and IE = 0.239·P·T/(4π·D²)
//   cal/cm² with P = V_arc·I. It ignores the arc's magnetic forces and the
//   erosion of its electrodes.
//
// Both results are open-air values multiplied by the enclosure's factor: 1
// in open air, 3 for the annex's arc in a box, or a distance-dependent
// factor after Wilkins for LV switchgear, MV switchgear and a panelboard,
// MF(d) = 4πk / (1 + (a/d)²), never below 1. The arc flash boundary is
// where the energy falls to 1.2 cal/cm², with the factor taken at that
// distance (a closed form; see DcArcFlashBoundary).
//
// Values are kept in the program's units (V, kA, mm, s, J/cm²); the
// equations' own units (A, cm, cal/cm²) stay inside this file's functions.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/case_result.h"
#include "engine/classification.h"
#include "engine/error.h"
#include "engine/protection.h"
#include "engine/refusal.h"
#include "engine/result_texts.h"
#include "engine/units.h"

namespace zentavo {

enum class DcMethod : std::uint8_t { MaxPower, ArcResistance };

// The arc duration of a point with neither a typed duration nor a
// protective device, as the notes to NFPA 70E's DC table assume.
inline constexpr double kDcAssumedArcTime = 2;  // s

// The enclosure around a DC arc. The words are a study's dc_box column.
enum class DcBox : std::uint8_t { Open, NfpaX3, LvSwitchgear, MvSwitchgear, Panelboard };
inline constexpr std::array<std::string_view, 5> kDcBoxWords = {"open", "nfpa-x3", "lv-switchgear",
                                                                "mv-switchgear", "panelboard"};
// The box of a word, spelt exactly as kDcBoxWords; any other text is none.
std::optional<DcBox> DcBoxOf(std::string_view word);

// The constants of a box after Wilkins: a (mm) and k.
struct DcWilkinsBox {
    double aMm;
    double k;
};
// LV switchgear, MV switchgear and a panelboard; none for open air and the
// fixed factor of 3.
std::optional<DcWilkinsBox> WilkinsBoxOf(DcBox box);

// The inputs' physical limits. A real DC system lies well inside them
// (battery strings of a few volts to traction supplies of a few kV, a
// milliampere-rated source to a bank of batteries in parallel, a fault
// within reach to one across a yard), and within them every value the
// model computes is a finite number above 0: an arcing current, an energy
// and a boundary a study can mean. Working distances, gaps and durations
// outside them are refused like the AC models' (docs/dc-arc-flash.md).
// The voltage reaches the top of NFPA 70E's DC approach table (800 kV), so
// that every band of it can be met.
inline constexpr double kDcLeastVolts = 1, kDcMostVolts = 800000;          // V
inline constexpr double kDcLeastBoltedKa = 0.001, kDcMostBoltedKa = 1000;  // kA
inline constexpr double kDcLeastOhms = 0.00001, kDcMostOhms = 1000;      // Ω
inline constexpr double kDcLeastGapMm = 1, kDcMostGapMm = 1000;
inline constexpr double kDcLeastWorkDistMm = 100, kDcMostWorkDistMm = 100000;
inline constexpr double kDcLongestArcTime = 10000;  // s; the shortest is kShortestArcTime

// The point's inputs in the program's units. The source is given by its
// bolted current or by its resistance, one of them; the other is derived
// (I_bf = V / R).
struct DcArcInputs {
    DcMethod method = DcMethod::MaxPower;
    double voltage = 0;                // V, the system voltage or a battery's open-circuit voltage
    std::optional<double> boltedKa;    // kA
    std::optional<double> sourceOhms;  // Ω, the whole loop: source, battery and cables out and back
    double gapMm = 0;                  // the arc-resistance method only
    double workDistMm = 0;
    double arcTime = 0;  // s
    DcBox box = DcBox::Open;
};

struct DcArcResults {
    double boltedKa = 0, sourceOhms = 0;  // both, the one not given derived
    double arcingKa = 0;
    double arcVoltage = 0;  // V
    double arcOhms = 0;     // Ω
    double arcPowerW = 0;   // W
    double boxFactor = 1;   // the enclosure's factor at the working distance, after the clamp
    double energy = 0;      // J/cm², at the working distance, before the floors
    double boundary = 0;    // mm, before the floors
    int iterations = 0;     // the arc-resistance solver's steps
    // The checks of a sustained arc, flagged and never hidden: the system
    // at or below 150 V (an arc hard to sustain, the energy assuming it
    // is); an arcing current below
    // 10 + 0.2·z A (arc-resistance method); an arc voltage not below the
    // system's.
    bool lowVoltage = false;
    bool currentBelowSustain = false;
    bool arcVoltageNotBelow = false;
};

namespace msg {
inline constexpr std::string_view kDcEnterVoltage = "Enter voltage value. ";
inline constexpr std::string_view kDcVoltageNotAbove0 = "Voltage must be above 0 V. ";
inline constexpr std::string_view kDcEnterSource = "Enter bolted current or source resistance value. ";
inline constexpr std::string_view kDcSourceTwice =
    "Give the bolted current or the source resistance, not both. ";
inline constexpr std::string_view kDcBoltedNotAbove0 = "Bolted current must be above 0 kA. ";
inline constexpr std::string_view kDcResistanceNotAbove0 = "Source resistance must be above 0 ohm. ";
inline constexpr std::string_view kDcEnterGap = "Enter gap value (arc-resistance method). ";
inline constexpr std::string_view kDcGapNotAbove0 = "Gap must be above 0 mm. ";
inline constexpr std::string_view kDcEnterWorkDist = "Enter working distance value. ";
inline constexpr std::string_view kDcWorkDistNotAbove0 = "Working distance must be above 0 mm. ";
inline constexpr std::string_view kDcNoBox = "Enclosure not selected. ";
// Values above 0 outside the limits above.
inline constexpr std::string_view kDcVoltageLimits = "Voltage must be from 1 V to 800000 V. ";
inline constexpr std::string_view kDcBoltedLimits = "Bolted current must be from 0.001 kA to 1000 kA. ";
inline constexpr std::string_view kDcResistanceLimits = "Source resistance must be from 0.00001 ohm to 1000 ohm. ";
inline constexpr std::string_view kDcGapLimits = "Gap must be from 1 mm to 1000 mm. ";
inline constexpr std::string_view kDcWorkDistLimits = "Working distance must be from 100 mm to 100000 mm. ";
inline constexpr std::string_view kDcArcTimeTooLong = "Arc duration must be at most 10000 s. ";
// Accepted inputs whose results are not finite numbers above 0: never met
// within the limits, refused rather than written should it happen.
inline constexpr std::string_view kDcEnergyNotDefined = "Incident energy not defined for these inputs. ";
// The notes of a computed point. The first explains what the energy of a
// low-voltage point assumes; the others are cautions.
inline constexpr std::string_view kDcLowVoltage =
    "At or below 150 V DC an arc is hard to sustain; the energy assumes it is sustained. ";
inline constexpr std::string_view kDcCurrentBelowSustain =
    "Arc may not be sustained: arcing current below 10 + 0.2 x gap A. ";
inline constexpr std::string_view kDcArcVoltageNotBelow =
    "Arc may not be sustained: arc voltage not below the system voltage. ";
inline constexpr std::string_view kDcAssumedDuration =
    "Arc duration: none typed and no protective device, 2 s assumed. ";
inline constexpr std::string_view kDcApproachNotGiven =
    "Shock approach boundaries: not specified below 50 V DC. ";
}  // namespace msg

// Every problem of the inputs, joined (OutOfRange); none when they are
// accepted: each value within its limits above. A duration below
// kShortestArcTime is named as for AC points.
[[nodiscard]] std::optional<Refusal> CheckDcArcInputs(const DcArcInputs& in);

// The message of a duration (s) outside kShortestArcTime to
// kDcLongestArcTime, typed or found from a device; empty within them.
std::string_view DcArcTimeProblem(double seconds);

// Whether the results are what a study can mean: the arcing current, the
// energy and the boundary finite numbers above 0.
bool DcResultsDefined(const DcArcResults& r);

// The model on inputs the check accepts; DcInputError with the check's
// text for any other. No result is returned half filled. Its callers check
// first; RunDcArcFlash refuses results that DcResultsDefined rejects
// (OutsideModel), never throws for them.
struct DcInputError : Error {
    using Error::Error;
};
DcArcResults ComputeDcArcFlash(const DcArcInputs& in);

// The arcing current (A) of the arc-resistance method: the one root of
// V − R·I − (20 + 0.534·z)·I^0.12 on (0, V/R), by Newton's method with the
// true slope inside a bracket that every step narrows, a bisection where a
// step would leave it. `iterations`, when given, counts the steps.
double DcArcResistanceCurrent(double volts, double ohms, double gapMm, int* iterations = nullptr);

// The enclosure's factor at a distance (mm), at least 1.
double DcBoxFactor(DcBox box, double distanceMm);

// The arc flash boundary (mm) of an open-air energy `openJ` (J/cm²) at the
// working distance `workDistMm`, in `box`: the distance where the energy,
// falling as 1/d² and multiplied by the box's factor at d, is 1.2 cal/cm².
// With a Wilkins box that is √(4πk·E·D²/1.2 − a²) where its factor is at
// least 1 there, the open-air distance otherwise.
double DcArcFlashBoundary(double openJ, double workDistMm, DcBox box);

// A band of NFPA 70E-2024 Table 130.4(E)(b), the shock approach boundaries
// of DC by the nominal potential difference, in inches as the table writes
// them in feet and inches: the limited approach to an exposed movable
// conductor and to an exposed fixed circuit part, and the restricted
// approach (none: "Avoid contact"). The table has no prohibited approach.
struct DcApproachBand {
    double fromVolts, toVolts;  // the band's edges as the table writes them, both in the band
    double movable, fixed;
    std::optional<double> restricted;
};
// The table's bands from 50 V up; below 50 V it specifies none.
extern const std::array<DcApproachBand, 10> kDcApproachBands;
// The band of a voltage, none below 50 V or above 800 kV. A voltage between
// two bands' edges (300.5 V, 1050 V) takes the upper band, the larger
// distances; so does 5 kV, which the table writes in two bands.
const DcApproachBand* DcApproachBandOf(double volts);

// The approach boundaries of a DC voltage, inches: its band's limited
// approach to an exposed fixed circuit part (as an AC point's label gives
// it) and restricted approach, and no prohibited approach; none of them
// where no band holds the voltage. A boundary not given is
// kApproachNotGiven ("N/A").
ApproachDistances DcApproachDistances(double volts);
bool DcApproachGiven(double volts);

// --- From the typed fields to the texts ------------------------------------

// The fields of a DC point as typed. The views must outlive the call.
struct DcFields {
    DcMethod method = DcMethod::MaxPower;
    std::string_view voltage;           // V
    std::string_view boltedCurrent;     // kA
    std::string_view sourceResistance;  // Ω
    std::string_view gap;
    std::string_view workDist;
    std::string_view arcTime;  // s; empty without a device: 2 s assumed, and said
    std::string_view box;      // a word of kDcBoxWords; empty: not selected
    LengthUnit gapUnit = LengthUnit::Millimetres;
    LengthUnit workDistUnit = LengthUnit::Millimetres;
};

struct DcTexts {
    std::string arcCurrent;     // kA, five decimals
    std::string arcVoltage;     // V, two decimals
    std::string arcResistance;  // Ω, five decimals
    std::string arcPower;       // kW, three decimals
    std::string boxFactor;      // three decimals
    std::string arcTime;        // s, as a found duration is written
    std::string boltedCurrent;  // kA, the bolted current used (typed or derived), five decimals
    CaseTexts result;
    ApproachTexts approach;
};

struct [[nodiscard]] DcOutcome {
    // The checks' joined text (OutOfRange) or why there is no duration
    // (Duration, Device); none on success.
    std::optional<Refusal> refusal;
    DcArcInputs inputs;
    DcArcResults values;
    CaseResult result;  // after the floors
    ApproachDistances approach;
    bool durationAssumed = false;  // no duration typed and no device: 2 s
    std::optional<ArcDuration> deviceDuration;  // where a device gave it
    // The sustainability checks and the assumed duration, each a sentence
    // of msg; empty when there is nothing to say. `cautions` are the same
    // without the low-voltage sentence, which explains the energy rather
    // than warns (the DC window shows it apart, not as a caution).
    std::string notes, cautions;
    DcTexts texts;
};

// The duration a protective device gives at an arcing current (kA).
using DcDeviceDuration = std::function<ArcDuration(double arcingKa)>;

// The fields as read, lengths in millimetres: an empty field (a box word
// that names none) is absent.
struct DcValues {
    DcMethod method = DcMethod::MaxPower;
    std::optional<double> voltage, boltedKa, sourceOhms, gapMm, workDistMm, arcTime;
    std::optional<DcBox> box;
};
// Reads the fields in the window's order (ConversionError for a text that
// is not a number); with `durationFound` the arc time is not read, and the
// maximum-power method's gap never is.
DcValues ReadDcFields(const DcFields& fields, char sep, bool durationFound);
// The checks and the model on values read, without the texts; with
// `device` the duration comes from it at the arcing current.
DcOutcome EvaluateDcArcFlash(const DcValues& values, const DcDeviceDuration& device = nullptr);

// Reads the fields (ConversionError for a text that is not a number),
// checks them, computes and writes every text; with `device` the duration
// comes from it at the arcing current and the arc-time field is not read.
DcOutcome RunDcArcFlash(const DcFields& fields, const UnitSettings& units, char sep,
                        const DcDeviceDuration& device = nullptr);

// The method's name as the report, a study's equations column and the
// labels write it: "DC maximum power", "DC arc resistance".
std::string_view DcMethodName(DcMethod method);
// The enclosure as a label names the equipment where the engineer named
// none: "Open air", "Box (NFPA 70E 3x)", "LV switchgear", "MV switchgear",
// "Panelboard".
std::string_view DcBoxEquipmentText(DcBox box);

}  // namespace zentavo

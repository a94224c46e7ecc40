// SPDX-License-Identifier: GPL-3.0-or-later
// The IEEE 1584-2018 model: five electrode configurations, arcing currents
// interpolated between 600 V, 2.7 kV and 14.3 kV, the arcing-current
// variation factor of the reduced case and the enclosure-size correction.
// Every value is carried unrounded; texts follow the display rules that the
// empirical model uses (floors, PPE level, clothing, approach boundaries),
// except that an energy shows every digit computed to two decimals
// ("1897.64", not "1897.60") and a floored boundary is written like any
// other boundary ("6", "152").
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/arc_duration.h"
#include "engine/case_result.h"
#include "engine/classification.h"
#include "engine/error.h"
#include "engine/refusal.h"
#include "engine/result_texts.h"
#include "engine/units.h"

namespace zentavo {

enum class Electrode { VCB = 0, VCBB = 1, HCB = 2, VOA = 3, HOA = 4 };
inline constexpr std::array<std::string_view, 5> kElectrodeWords = {"VCB", "VCBB", "HCB", "VOA",
                                                                    "HOA"};
// VOA and HOA: no enclosure, CF = 1.
bool IsOpenAir(Electrode e);

// Inputs in the model's units as the program keeps them.
struct Ieee2018Inputs {
    double voltage = 0;        // V, line to line
    double boltedCurrent = 0;  // kA
    double gapMm = 0;
    Electrode electrode = Electrode::VCB;
    double heightMm = 0;  // enclosure, ignored in open air
    double widthMm = 0;
    double depthMm = 0;
    double workDistMm = 0;
    double arcTime = 0;         // s, at the arcing current
    double arcTimeReduced = 0;  // s, at the reduced arcing current
};

// One case: the three intermediate values (voltages above 600 V) and the final ones.
struct Ieee2018Case {
    double iarc600 = 0, iarc2700 = 0, iarc14300 = 0;  // kA, the currents this case uses
    double iarc = 0;                                  // kA, final
    double e600 = 0, e2700 = 0, e14300 = 0;           // J/cm2
    double afb600 = 0, afb2700 = 0, afb14300 = 0;     // mm
    double energy = 0;                                // J/cm2
    double boundary = 0;                              // mm
};

struct Ieee2018Results {
    bool shallow = false;  // enclosure type; false also in open air
    double width1 = 0, height1 = 0, ees = 0;  // inches, enclosed configurations only
    double cf = 1;
    double varCf = 0;
    double factor = 1;  // 1 - 0.5 VarCf
    Ieee2018Case full;
    Ieee2018Case reduced;
    bool reducedGoverns = false;  // the reduced case has the larger energy
};

// Every problem of the inputs, joined (OutOfRange), or what the equations
// cannot give (OutsideModel); none when the model applies.
[[nodiscard]] std::optional<Refusal> CheckIeee2018Inputs(const Ieee2018Inputs& in);
// The model itself: the equations for any inputs, also outside the ranges
// CheckIeee2018Inputs holds the program's inputs to (the tests evaluate
// them at a flash boundary closer than the nearest working distance).
// Inputs for which the equations give no finite arcing current, energy or
// boundary raise Ieee2018InputError with the reason: no results are ever
// returned half filled.
struct Ieee2018InputError : Error {
    using Error::Error;
};
Ieee2018Results ComputeIeee2018(const Ieee2018Inputs& in);
// Both in one pass: the refusal and, without one, `out`.
[[nodiscard]] std::optional<Refusal> CheckAndComputeIeee2018(const Ieee2018Inputs& in, Ieee2018Results& out);

// Single equations, for the checks above 600 V.
double Ieee2018IntermediateCurrent(Electrode e, int voltageIndex, double ibf, double gapMm);
double Ieee2018VariationFactor(Electrode e, double voltageKv);

// --- From the typed fields to the texts ------------------------------------

// A limit of a length typed in inches is named in inches as well, after its
// millimetres: "Working distance below 305 mm (12.01 inches). ".
namespace msg {
inline constexpr std::string_view k2018EnterVoltage = "Enter voltage value. ";
inline constexpr std::string_view k2018VoltageLow = "Voltage below 208 V. ";
inline constexpr std::string_view k2018VoltageHigh = "Voltage above 15000 V. ";
inline constexpr std::string_view k2018EnterBolted = "Enter bolted current value. ";
inline constexpr std::string_view k2018BoltedLowLv = "Bolted current below 0.5 kA (208-600 V). ";
inline constexpr std::string_view k2018BoltedHighLv = "Bolted current above 106 kA (208-600 V). ";
inline constexpr std::string_view k2018BoltedLowMv = "Bolted current below 0.2 kA (above 600 V). ";
inline constexpr std::string_view k2018BoltedHighMv = "Bolted current above 65 kA (above 600 V). ";
inline constexpr std::string_view k2018EnterGap = "Enter gap value. ";
inline constexpr std::string_view k2018GapLowLv = "Gap below 6.35 mm (208-600 V). ";
inline constexpr std::string_view k2018GapHighLv = "Gap above 76.2 mm (208-600 V). ";
inline constexpr std::string_view k2018GapLowMv = "Gap below 19.05 mm (above 600 V). ";
inline constexpr std::string_view k2018GapHighMv = "Gap above 254 mm (above 600 V). ";
inline constexpr std::string_view k2018EnterWorkDist = "Enter working distance value. ";
inline constexpr std::string_view k2018WorkDistLow = "Working distance below 305 mm. ";
inline constexpr std::string_view k2018NoElectrode = "Electrode configuration not selected. ";
inline constexpr std::string_view k2018EnterHeight = "Enter enclosure height value. ";
inline constexpr std::string_view k2018EnterWidth = "Enter enclosure width value. ";
inline constexpr std::string_view k2018EnterDepth = "Enter enclosure depth value. ";
inline constexpr std::string_view k2018HeightNotPositive = "Enclosure height not positive. ";
inline constexpr std::string_view k2018DepthNotPositive = "Enclosure depth not positive. ";
inline constexpr std::string_view k2018WidthBelow4Gap = "Enclosure width below 4 x gap. ";
inline constexpr std::string_view k2018EnclosureTooSmall =
    "Enclosure too small for the size correction. ";
// A duration below kShortestArcTime: the messages of engine/arc_duration.h.
inline constexpr std::string_view k2018EnterArcTime = "Enter arc duration value. ";
inline constexpr std::string_view k2018EnterArcTimeReduced =
    "Enter arc duration value for reduced current. ";
inline constexpr std::string_view k2018NoArcingCurrent =
    "Arcing current not defined for these inputs. ";
inline constexpr std::string_view k2018NoResult =
    "Incident energy not defined for these inputs. ";
}  // namespace msg

// The fields of the 2018 window as typed. The views must outlive the call.
struct Ieee2018Fields {
    std::string_view voltage;        // V
    std::string_view boltedCurrent;  // kA
    std::string_view gap;
    std::string_view electrode;  // "VCB", "VCBB", "HCB", "VOA" or "HOA"
    std::string_view height;
    std::string_view width;
    std::string_view depth;
    std::string_view workDist;
    std::string_view arcTime;         // s
    std::string_view arcTimeReduced;  // s
    LengthUnit gapUnit = LengthUnit::Millimetres;        // unit of the gap
    LengthUnit enclosureUnit = LengthUnit::Millimetres;  // unit of the three enclosure sizes
    LengthUnit workDistUnit = LengthUnit::Millimetres;   // unit of the working distance
    // A bolted current given as a number (kA: a network's) in place of the text.
    std::optional<double> boltedKa;
};

struct Ieee2018Texts {
    std::string arcCurrent;         // kA (6, 3)
    std::string arcCurrentReduced;  // kA (6, 3)
    std::string enclosureType;      // "Typical", "Shallow" or "Open air"
    std::string correctionFactor;   // CF (5, 3)
    CaseTexts full;
    CaseTexts reduced;
    ApproachTexts approach;
    bool reducedGoverns = false;
    bool fullClothingBold = false;  // the higher PPE level is bold, both when equal
    bool reducedClothingBold = false;
};

struct [[nodiscard]] Ieee2018Outcome {
    // The checks' joined "Warning!" text (OutOfRange), what the equations
    // cannot give (OutsideModel), or why there are no durations (Duration);
    // none on success.
    std::optional<Refusal> refusal;
    Ieee2018Inputs inputs;
    Ieee2018Results values;  // after the floors
    CaseResult full, reduced;  // the cases as numbers, what their texts are written from
    int ppeIndex = -1;
    int ppeIndexReduced = -1;
    ApproachDistances approach;  // of the system voltage, inches (none: "Avoid contact")
    Ieee2018Texts texts;
};

// Reads the fields (ConversionError for a text that is not a number), checks
// them, computes and writes every text.
Ieee2018Outcome RunIeee2018(const Ieee2018Fields& fields, const UnitSettings& units, char sep);

// The fields as read, in millimetres, kA, V and s: an empty field is absent.
struct Ieee2018Values {
    std::optional<double> voltage, boltedCurrent, gap, height, width, depth, workDist, arcTime,
        arcTimeReduced;
    std::optional<Electrode> electrode;
    bool electrodeUnknown = false;  // a word that names no configuration
    // The lengths typed in inches: their limits are compared with a little
    // slack and named in inches as well.
    bool gapInches = false, enclosureInches = false, workDistInches = false;
};
// Reads the fields in the window's order (ConversionError for a text that is
// not a number); with `durationsFound` the arc durations are not read.
Ieee2018Values ReadIeee2018Fields(const Ieee2018Fields& fields, char sep, bool durationsFound);

// One step of an arc cleared in steps: the bolted current that feeds it
// while it lasts (kA) and how long it lasts (s).
struct ArcStepLoad {
    double boltedCurrent = 0;
    double seconds = 0;
};

// The two arc durations found for a point, or why there are none. An arc
// cleared in steps gives its cases' steps as well (the durations their
// sums, the first step's current the point's bolted current): each step's
// energy is then computed with the arcing current of its own bolted
// current, and the case's energy is their sum; its boundary comes from the
// summed energy (above 600 V the intermediate energies at 600, 2 700 and
// 14 300 V are summed, each intermediate boundary found from its sum, and
// both interpolated), not from any one step. A case of one step is
// computed as without steps. A step's current outside the model's range
// is taken by the equations all the same: it is the later part of an arc
// whose first current the checks accepted.
struct Ieee2018Durations {
    double arcTime = 0;         // s, at the arcing current
    double arcTimeReduced = 0;  // s, at the reduced arcing current
    std::optional<Refusal> refusal;  // set: no durations; it becomes the outcome's refusal
    std::vector<ArcStepLoad> steps, stepsReduced;  // empty: one step
};
// As RunIeee2018 with found durations, the hook also given the inputs
// read: an arc in steps finds each step's arcing currents from them
// (Ieee2018ArcingCurrents).
using Ieee2018StepsHook =
    std::function<Ieee2018Durations(const Ieee2018Inputs& in, double iarc, double iarcReduced)>;
Ieee2018Outcome RunIeee2018Steps(const Ieee2018Fields& fields, const UnitSettings& units, char sep,
                                 const Ieee2018StepsHook& durations);
// The model on values read: the checks, the durations the hook finds (none:
// the values' own), the cases after the floors and the approach
// boundaries, without the texts; `sep` writes the limits of lengths typed
// in inches in the messages.
Ieee2018Outcome EvaluateIeee2018(Ieee2018Values values, char sep, const Ieee2018StepsHook& durations);
// The texts of an outcome without a refusal.
void WriteIeee2018Texts(Ieee2018Outcome& out, const UnitSettings& units, char sep);
// The arcing currents of both cases at a bolted current (kA), the other
// inputs as `in`: what the protective devices of an arc in steps see.
std::pair<double, double> Ieee2018ArcingCurrents(const Ieee2018Inputs& in, double boltedKa);
// As above, with the durations not typed but found from the arcing currents:
// the arc-duration fields are not read. `durations` is given the unrounded
// arcing currents of both cases (kA, full then reduced) once the other
// inputs are accepted; the energies are then computed with its durations.
Ieee2018Outcome RunIeee2018(
    const Ieee2018Fields& fields, const UnitSettings& units, char sep,
    const std::function<Ieee2018Durations(double iarc, double iarcReduced)>& durations);

// Typical values per equipment class. `labelName` is the name a warning
// label gives it: short enough for the label's equipment row at a legible size.
struct Ieee2018Equipment {
    std::string_view name;
    std::string_view labelName;
    double gapMm;
    double heightMm, widthMm, depthMm;
    double workDistMm;
    Electrode electrode;
};
// clang-format off
inline constexpr std::array<Ieee2018Equipment, 9> kIeee2018Equipment = {{
    {"15 kV switchgear", "15 kV switchgear", 152, 1143, 762, 762, 914.4, Electrode::VCB},
    {"15 kV MCC", "15 kV MCC", 152, 914.4, 914.4, 914.4, 914.4, Electrode::VCB},
    {"5 kV switchgear", "5 kV switchgear", 104, 914.4, 914.4, 914.4, 914.4, Electrode::VCB},
    {"5 kV switchgear (second size)", "5 kV switchgear",
     104, 1143, 762, 762, 914.4, Electrode::VCB},
    {"5 kV MCC", "5 kV MCC", 104, 660.4, 660.4, 660.4, 914.4, Electrode::VCB},
    {"Low-voltage switchgear", "LV switchgear", 32, 508, 508, 508, 609.6, Electrode::VCB},
    {"Shallow low-voltage MCCs and panelboards", "Shallow LV MCC/panel",
     25, 355.6, 304.8, 203.2, 457.2, Electrode::VCB},
    {"Deep low-voltage MCCs and panelboards", "Deep LV MCC/panel",
     25, 355.6, 304.8, 254, 457.2, Electrode::VCB},
    {"Cable junction box", "Cable junction box", 13, 355.6, 304.8, 203.2, 457.2, Electrode::VCB},
}};
// clang-format on

// Whether `in` keeps every typical value of the equipment type: its gap,
// enclosure sizes, working distance and configuration. A length filled in
// inches (rounded to 4 decimals) still counts as the typical value.
bool KeepsTypicalValues(const Ieee2018Equipment& type, const Ieee2018Inputs& in);
// The equipment text of a 2018 point's label: the equipment the engineer
// named (`named`: a study row's equipment class), else the electrode
// configuration alone ("VCB").
std::string Ieee2018EquipmentText(std::string_view named, Electrode electrode);
// The same for the 2018 window, which names the type picked in its list
// (`picked`, the index in kIeee2018Equipment, -1 when none): by the type's
// label name with the configuration ("5 kV switchgear (VCB)") while the
// inputs keep its typical values; a type whose values were changed names
// nothing.
std::string Ieee2018EquipmentText(int picked, const Ieee2018Inputs& in);

// --- Lengths of the 2018 window in the units of its captions ---------------

// A length in `unit`, without trailing zeros: up to 4 decimals in
// inches ("1.2598", "36"), up to 5 in millimetres, which writes any inch text
// of up to 4 decimals exactly ("31.99892" for 1.2598 in).
std::string Ieee2018LengthText(double mm, LengthUnit unit, char sep);

// One length field whose unit changes: its text is converted so that
// the value keeps its meaning. A field converted back before anyone edited
// it shows again the text that was typed (914.4 mm, 36 in, 914.4 mm).
class LengthFieldUnits {
public:
    // The field's text `text`, typed in `from`, for the unit `to`. A text
    // that is not a number (or is empty) has no value to keep and stays.
    std::string Convert(std::string_view text, LengthUnit from, LengthUnit to, char sep);

private:
    bool converted_ = false;  // the field shows what the last conversion wrote
    std::string shown_;       // that text
    std::string typed_;       // the text typed before the first conversion
    bool typedInMm_ = false;  // and its unit
};

}  // namespace zentavo

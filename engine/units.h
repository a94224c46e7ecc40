// SPDX-License-Identifier: GPL-3.0-or-later
// Unit choices of the run and the texts in which results are shown.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zentavo {

// The units a quantity can be shown or typed in. Each has one word, the one
// the units window, the study columns, zentavo-batch's options, captions and
// headings use; a word is read once where it enters (Parse...Unit) and every
// library works on the value.
enum class LengthUnit { Millimetres, Inches };                   // "mm", "inches"
enum class IncidentEnergyUnit { CaloriesPerCm2, JoulesPerCm2 };  // "cal/cm2", "J/cm2"
enum class BlastPressureUnit {
    PoundsPerFt2,  // "lb/ft2"
    NewtonsPerM2,  // "N/m2"
    Atmospheres,   // "Atmosphere"
    Kilopascals,   // "kpa"
};
enum class TntMassUnit { Kilograms, Pounds, Grams };  // "kg", "lb", "grams"

// The words of the units, in the order of their enums.
inline constexpr std::array<std::string_view, 2> kLengthUnitWords{"mm", "inches"};
inline constexpr std::array<std::string_view, 2> kEnergyUnitWords{"cal/cm2", "J/cm2"};
inline constexpr std::array<std::string_view, 4> kPressureUnitWords{"lb/ft2", "N/m2", "Atmosphere",
                                                                    "kpa"};
inline constexpr std::array<std::string_view, 3> kTntUnitWords{"kg", "lb", "grams"};

constexpr std::string_view UnitWord(LengthUnit unit) {
    return kLengthUnitWords[static_cast<std::size_t>(unit)];
}
constexpr std::string_view UnitWord(IncidentEnergyUnit unit) {
    return kEnergyUnitWords[static_cast<std::size_t>(unit)];
}
constexpr std::string_view UnitWord(BlastPressureUnit unit) {
    return kPressureUnitWords[static_cast<std::size_t>(unit)];
}
constexpr std::string_view UnitWord(TntMassUnit unit) {
    return kTntUnitWords[static_cast<std::size_t>(unit)];
}

// The unit of a word, spelt exactly as UnitWord writes it (case included);
// any other text is no unit.
std::optional<LengthUnit> ParseLengthUnit(std::string_view word);
std::optional<IncidentEnergyUnit> ParseEnergyUnit(std::string_view word);
std::optional<BlastPressureUnit> ParsePressureUnit(std::string_view word);
std::optional<TntMassUnit> ParseTntUnit(std::string_view word);

// The six unit choices of the run, as the units window's selectors have them.
struct UnitSettings {
    LengthUnit GapUnit = LengthUnit::Millimetres;
    LengthUnit WorkDistUnit = LengthUnit::Millimetres;
    LengthUnit BoundaryUnit = LengthUnit::Inches;
    IncidentEnergyUnit EnergyUnit = IncidentEnergyUnit::CaloriesPerCm2;
    BlastPressureUnit PressureUnit = BlastPressureUnit::PoundsPerFt2;
    TntMassUnit TntUnit = TntMassUnit::Kilograms;

    friend bool operator==(const UnitSettings&, const UnitSettings&) = default;
};

inline constexpr double kCalPerJoule = 0.239006;  // cal/cm2 per J/cm2
inline constexpr double kJoulePerCal = 4.184;     // J/cm2 per cal/cm2, in the equations

// Pressure texts differ between the empirical model and the fuse equations.
enum class PressureStyle { Empirical, Fuse };

// Incident energy (J/cm2) in the energy unit: precision 5, 2 decimals.
std::string EnergyText(double joulesPerCm2, const UnitSettings& units, char sep);
// Flash protection boundary (mm) in the boundary unit: inches (4, 0) or mm (6, 0).
std::string BoundaryText(double mm, const UnitSettings& units, char sep);
// An incident energy as the 2018 model writes it: two decimals and every
// digit before them ("1897.64"; EnergyText keeps five significant digits).
std::string EnergyText2018(double joulesPerCm2, const UnitSettings& units, char sep);
// A floored boundary as the empirical model writes it: 6.00 in inches, 152.40 in mm.
std::string FlooredBoundaryText(const UnitSettings& units, char sep);
// An approach boundary text of inches ("42", "Avoid contact") in the boundary unit.
std::string ApproachText(std::string_view inchesText, const UnitSettings& units, char sep);
// The same of a distance in whole inches (none: "Avoid contact"; NaN, a
// boundary not given: "N/A").
std::string ApproachText(std::optional<double> inches, const UnitSettings& units, char sep);
// Arc-blast pressure (lb/ft2) in the pressure unit.
std::string PressureText(double lbPerFt2, const UnitSettings& units, PressureStyle style, char sep);
// TNT equivalent (kg) in the TNT unit.
std::string TntText(double kg, const UnitSettings& units, char sep);

// Default conductor gap of an equipment class (0 "Open air" to 3 "Cable"),
// used by the fuse and breaker tabs.
double ClassDefaultGapMm(int classIndex);
// Its text in the gap unit: "32" in mm, "1,26" in inches (always with a
// decimal comma, as the gap fields have always shown it).
std::string ClassDefaultGapText(int classIndex, LengthUnit gapUnit);

}  // namespace zentavo

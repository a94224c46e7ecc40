// SPDX-License-Identifier: GPL-3.0-or-later
// Unit choices of the run and the texts in which results are shown.
#pragma once

#include <string>
#include <string_view>

namespace zentavo {

// The six unit choices: the current texts of the units window's selectors.
// Every conversion reads them at the moment it converts. Each selector is an
// editable drop-down, so any text may stand here; words are compared exactly.
struct UnitSettings {
    std::string GapUnit = "mm";
    std::string WorkDistUnit = "mm";
    std::string BoundaryUnit = "inches";
    std::string EnergyUnit = "cal/cm2";
    std::string PressureUnit = "lb/ft2";
    std::string TntUnit = "kg";
};

inline constexpr double kCalPerJoule = 0.239006;  // cal/cm2 per J/cm2
inline constexpr double kJoulePerCal = 4.184;     // J/cm2 per cal/cm2, in the equations

// Pressure texts differ between the empirical model and the fuse equations.
enum class PressureStyle { Empirical, Fuse };

// Incident energy (J/cm2) in the energy unit: precision 5, 2 decimals.
std::string EnergyText(double joulesPerCm2, const UnitSettings& units, char sep);
// Flash protection boundary (mm) in the boundary unit: inches (4, 0) or mm (6, 0).
std::string BoundaryText(double mm, const UnitSettings& units, char sep);
// An approach boundary text of inches ("42", "Avoid contact") in the boundary unit.
std::string ApproachText(std::string_view inchesText, const UnitSettings& units, char sep);
// Arc-blast pressure (lb/ft2) in the pressure unit.
std::string PressureText(double lbPerFt2, const UnitSettings& units, PressureStyle style, char sep);
// TNT equivalent (kg) in the TNT unit.
std::string TntText(double kg, const UnitSettings& units, char sep);

// Default conductor gap of an equipment class (0 "Open air" to 3 "Cable"),
// used by the fuse and breaker tabs.
double ClassDefaultGapMm(int classIndex);
// Its text in the gap unit: "32" in mm, "1,26" in inches (always with a
// decimal comma, as the gap fields have always shown it).
std::string ClassDefaultGapText(int classIndex, std::string_view gapUnit);

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/units.h"

#include <algorithm>

#include "engine/number.h"

namespace zentavo {

std::string EnergyText(double joulesPerCm2, const UnitSettings& units, char sep) {
    const double shown = units.EnergyUnit == "cal/cm2" ? joulesPerCm2 * kCalPerJoule : joulesPerCm2;
    return FormatFixed(shown, 5, 2, sep);
}

std::string BoundaryText(double mm, const UnitSettings& units, char sep) {
    if (units.BoundaryUnit == "inches") return FormatFixed(mm / kMmPerInch, 4, 0, sep);
    return FormatFixed(mm, 6, 0, sep);
}

std::string ApproachText(std::string_view inchesText, const UnitSettings& units, char sep) {
    if (units.BoundaryUnit == "inches" || inchesText == "Avoid contact") {
        return std::string(inchesText);
    }
    return FormatFixed(ParseNumber(inchesText, sep) * kMmPerInch, 4, 0, sep);
}

std::string PressureText(double lbPerFt2, const UnitSettings& units, PressureStyle style,
                         char sep) {
    const std::string& unit = units.PressureUnit;
    const int plainDecimals = style == PressureStyle::Fuse ? 2 : 0;
    if (unit == "Atmosphere") return FormatFixed(lbPerFt2 / 2116.0, 4, 4, sep);
    if (unit == "N/m2") return FormatFixed(lbPerFt2 / 0.0209, 4, plainDecimals, sep);
    if (unit == "kpa") return FormatFixed(lbPerFt2 / 2116.0 * 101.325, 4, 4, sep);
    return FormatFixed(lbPerFt2, 4, plainDecimals, sep);
}

std::string TntText(double kg, const UnitSettings& units, char sep) {
    if (units.TntUnit == "lb") return FormatFixed(kg * 2.2046, 4, 3, sep);
    if (units.TntUnit == "kg") return FormatFixed(kg, 4, 1, sep);
    return FormatFixed(kg * 1000.0, 5, 0, sep);
}

namespace {
struct ClassGap {
    double mm;
    const char* mmText;
    const char* inchText;
};
constexpr ClassGap kClassGaps[] = {
    {32, "32", "1,26"}, {32, "32", "1,26"}, {25, "25", "0,98"}, {13, "13", "0,51"}};

const ClassGap& GapOf(int classIndex) { return kClassGaps[std::clamp(classIndex, 0, 3)]; }
}  // namespace

double ClassDefaultGapMm(int classIndex) { return GapOf(classIndex).mm; }

std::string ClassDefaultGapText(int classIndex, std::string_view gapUnit) {
    return gapUnit == "mm" ? GapOf(classIndex).mmText : GapOf(classIndex).inchText;
}

}  // namespace zentavo

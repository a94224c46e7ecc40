// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/units.h"

#include "engine/classification.h"

#include <algorithm>

#include "engine/number.h"

namespace zentavo {

namespace {
// The unit whose word is `word`: the enum's value at its place in `words`.
template <class Unit, std::size_t N>
std::optional<Unit> UnitOf(const std::array<std::string_view, N>& words, std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i] == word) return static_cast<Unit>(i);
    }
    return std::nullopt;
}
}  // namespace

std::optional<LengthUnit> ParseLengthUnit(std::string_view word) {
    return UnitOf<LengthUnit>(kLengthUnitWords, word);
}
std::optional<IncidentEnergyUnit> ParseEnergyUnit(std::string_view word) {
    return UnitOf<IncidentEnergyUnit>(kEnergyUnitWords, word);
}
std::optional<BlastPressureUnit> ParsePressureUnit(std::string_view word) {
    return UnitOf<BlastPressureUnit>(kPressureUnitWords, word);
}
std::optional<TntMassUnit> ParseTntUnit(std::string_view word) {
    return UnitOf<TntMassUnit>(kTntUnitWords, word);
}

std::string EnergyText(double joulesPerCm2, const UnitSettings& units, char sep) {
    const double shown = units.EnergyUnit == IncidentEnergyUnit::CaloriesPerCm2
                             ? joulesPerCm2 * kCalPerJoule
                             : joulesPerCm2;
    return FormatFixed(shown, 5, 2, sep);
}

std::string BoundaryText(double mm, const UnitSettings& units, char sep) {
    if (units.BoundaryUnit == LengthUnit::Inches) return FormatFixed(mm / kMmPerInch, 4, 0, sep);
    return FormatFixed(mm, 6, 0, sep);
}

std::string EnergyText2018(double joulesPerCm2, const UnitSettings& u, char sep) {
    const double shown = u.EnergyUnit == IncidentEnergyUnit::CaloriesPerCm2
                             ? joulesPerCm2 * kCalPerJoule
                             : joulesPerCm2;
    return FormatFixed(shown, 15, 2, sep);
}

std::string FlooredBoundaryText(const UnitSettings& u, char sep) {
    return u.BoundaryUnit == LengthUnit::Inches ? FormatFixed(6.0, 5, 2, sep)
                                                : FormatFixed(kFlooredBoundary, 5, 2, sep);
}

std::string ApproachText(std::string_view inchesText, const UnitSettings& units, char sep) {
    if (units.BoundaryUnit == LengthUnit::Inches || inchesText == "Avoid contact") {
        return std::string(inchesText);
    }
    return FormatFixed(ParseNumber(inchesText, sep) * kMmPerInch, 4, 0, sep);
}

std::string ApproachText(std::optional<double> inches, const UnitSettings& units, char sep) {
    if (!inches) return "Avoid contact";
    if (*inches != *inches) return "N/A";  // not given (kApproachNotGiven)
    if (units.BoundaryUnit == LengthUnit::Inches) return FormatFixed(*inches, 15, 0, sep);
    return FormatFixed(*inches * kMmPerInch, 4, 0, sep);
}

std::string PressureText(double lbPerFt2, const UnitSettings& units, PressureStyle style,
                         char sep) {
    const int plainDecimals = style == PressureStyle::Fuse ? 2 : 0;
    switch (units.PressureUnit) {
        case BlastPressureUnit::Atmospheres:
            return FormatFixed(lbPerFt2 / 2116.0, 4, 4, sep);
        case BlastPressureUnit::NewtonsPerM2:
            return FormatFixed(lbPerFt2 / 0.0209, 4, plainDecimals, sep);
        case BlastPressureUnit::Kilopascals:
            return FormatFixed(lbPerFt2 / 2116.0 * 101.325, 4, 4, sep);
        case BlastPressureUnit::PoundsPerFt2:
            break;
    }
    return FormatFixed(lbPerFt2, 4, plainDecimals, sep);
}

std::string TntText(double kg, const UnitSettings& units, char sep) {
    switch (units.TntUnit) {
        case TntMassUnit::Pounds: return FormatFixed(kg * 2.2046, 4, 3, sep);
        case TntMassUnit::Kilograms: return FormatFixed(kg, 4, 1, sep);
        case TntMassUnit::Grams: break;
    }
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

std::string ClassDefaultGapText(int classIndex, LengthUnit gapUnit) {
    return gapUnit == LengthUnit::Millimetres ? GapOf(classIndex).mmText
                                              : GapOf(classIndex).inchText;
}

}  // namespace zentavo

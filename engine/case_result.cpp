// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/case_result.h"

#include "engine/classification.h"
#include "engine/ieee2018.h"

namespace zentavo {

namespace {

// A TNT text that reads as zero says nothing useful: it is shown as "N/A".
bool IsZeroText(std::string_view t, char sep) {
    if (t == "0" || t == "0,0" || t == "0,000") return true;
    return t.size() >= 3 && t[0] == '0' && t[1] == sep && (t.substr(2) == "0" || t.substr(2) == "000");
}

}  // namespace

std::string_view PpeLevelText(std::int32_t ppeIndex) {
    static constexpr std::string_view kLevels[] = {"0", "1", "2", "3", "4", "N/A"};
    if (ppeIndex < 0 || ppeIndex > 5) return {};
    return kLevels[ppeIndex];
}

CaseResult FlooredCase(double energy, double boundary, double floorFactor) {
    const FlooredResult floored = ApplyResultFloors(energy, boundary, floorFactor);
    CaseResult c;
    c.energy = floored.energy;
    c.boundary = floored.boundary;
    c.boundaryFloored = floored.boundaryFloored;
    c.ppeIndex = ClassifyPpe(c.energy).index;
    return c;
}

CaseTexts CaseResultTexts(const CaseResult& c, CaseStyle style, const UnitSettings& u, char sep) {
    CaseTexts t;
    t.energy = style == CaseStyle::Ieee2018 ? EnergyText2018(c.energy, u, sep) : EnergyText(c.energy, u, sep);
    t.boundary = style == CaseStyle::Empirical && c.boundaryFloored ? FlooredBoundaryText(u, sep)
                                                                    : BoundaryText(c.boundary, u, sep);
    t.ppeLevel = PpeLevelText(c.ppeIndex);
    const ClothingText lines = ClothingLines(c.ppeIndex);
    t.clothing1 = lines.first;
    t.clothing2 = lines.second;
    t.clothingSecondLineShown = c.ppeIndex != 5;
    switch (style) {
        case CaseStyle::Empirical:
            t.pressure = c.pressure ? PressureText(*c.pressure, u, PressureStyle::Empirical, sep) : "N/A";
            t.tnt = c.tnt ? TntText(*c.tnt, u, sep) : "N/A";
            if (IsZeroText(t.tnt, sep)) t.tnt = "N/A";
            break;
        case CaseStyle::Ieee2018:
            t.pressure = t.tnt = "N/A";
            break;
        case CaseStyle::Fuse:
            if (c.pressure) t.pressure = PressureText(*c.pressure, u, PressureStyle::Fuse, sep);
            break;
        case CaseStyle::Breaker:
            break;
    }
    return t;
}

}  // namespace zentavo

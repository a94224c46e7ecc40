// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/classification.h"

#include "engine/catalog.h"
#include "engine/number.h"
#include "engine/power.h"
#include "engine/units.h"

namespace zentavo {

FlooredResult ApplyResultFloors(double energy, double boundary, double testFactor) {
    FlooredResult r{energy, boundary, false, false};
    if (energy * testFactor < 0.25) {
        r.energy = kFlooredEnergy;
        r.energyFloored = true;
    }
    if (boundary / kMmPerInch < 6.0) {
        r.boundary = kFlooredBoundary;
        r.boundaryFloored = true;
    }
    return r;
}

PpeClass ClassifyPpeCalories(double cal) {
    if (cal >= 0 && cal <= 1.2) return {0, "0"};
    if (cal > 1.2 && cal <= 4) return {1, "1"};
    if (cal > 4 && cal <= 8) return {2, "2"};
    if (cal > 8 && cal <= 25) return {3, "3"};
    // Level 4 reaches up to (not including) 40.001, so 40 itself is level 4.
    if (cal > 25 && cal < 40.001) return {4, "4"};
    if (cal >= 40.001) return {5, "N/A"};
    return {-1, ""};
}

PpeClass ClassifyPpe(double joulesPerCm2) { return ClassifyPpeCalories(joulesPerCm2 * kCalPerJoule); }

ClothingText ClothingLines(std::int32_t ppeIndex) {
    switch (ppeIndex) {
        case 0:
            return {"Natural fiber ( cotton / wool ) long sleeve shirt and pants,",
                    "safety glasses, hard hat, V-rated  gloves."};
        case 1:
            return {"FR shirt and pants, safety glasses, hard hat, V-rated  gloves.", ""};
        case 2:
            return {"FR shirt and pants, face shield, hard hat, ear canal inserts,  V-rated",
                    "and leather gloves, leather work shoes."};
        case 3:
            return {"FR coverall over FR shirt and pants, flash suit hood, ear canal inserts,",
                    "V-rated and leather  gloves, leather work shoes."};
        case 4:
            return {"Flash suit over FR coverall over FR shirt and pants, flash suit hood,",
                    "ear canal inserts, V-rated and leather gloves, leather work shoes."};
        case 5:
            return {"Consult PPE Manufacturer", "N/A"};
        default:
            return {"", ""};
    }
}

ApproachBoundaries SelectApproachBoundaries(double voltage, int equipmentClass) {
    ApproachBoundaries b;
    if (voltage <= 300) {
        b = {"42", "Avoid contact", "Avoid contact"};
    } else if (voltage <= 750) {
        b = {"42", "12", "1"};
    } else if (voltage <= 15000) {
        b = {"60", "26", "7"};
    } else if (voltage <= 36000) {
        b = {"72", "31", "10"};
    } else {
        b = {"96", "33", "17"};
    }
    // Open conductors: the limited approach boundary of exposed movable conductors.
    if (equipmentClass == kOpenAir || equipmentClass == kCable) b.limited = "120";
    return b;
}

ApproachDistances ApproachDistancesOf(const ApproachBoundaries& b) {
    auto distance = [](std::string_view inches) -> std::optional<double> {
        if (inches == "Avoid contact") return std::nullopt;
        return ParseNumber(inches, '.');
    };
    return {distance(b.limited), distance(b.restricted), distance(b.prohibited)};
}

double ArcBlastPressure(double arcCurrentKa, double workDistMm) {
    return 11.58 * arcCurrentKa / Power(workDistMm / 304.8, 0.9);
}

double TntEquivalentOf(double arcCurrentKa, double boltedCurrentKa, double voltage,
                       double arcTimeS) {
    return 1.73 * arcCurrentKa * voltage * (1.0 - arcCurrentKa / boltedCurrentKa) * arcTimeS /
           4184.0;
}

}  // namespace zentavo

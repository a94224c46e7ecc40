// SPDX-License-Identifier: GPL-3.0-or-later
// What a result means for the worker: the minimum reported values, the PPE
// level and its clothing, the shock approach boundaries, the arc-blast
// pressure and the TNT equivalent. The same rules serve all three methods.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace zentavo {

// Test factors of the energy floor: every full-current case, and the
// empirical model's reduced case.
inline constexpr double kFullCaseFloorFactor = 0.239006;
inline constexpr double kReducedCaseFloorFactor = 0.238846;
// The floored values: 0.25 cal/cm2 and 6 inches.
inline constexpr double kFlooredEnergy = 0.25 / 0.239006;  // J/cm2
inline constexpr double kFlooredBoundary = 152.4;          // mm

struct FlooredResult {
    double energy;    // J/cm2
    double boundary;  // mm
    bool energyFloored;
    bool boundaryFloored;
};
// An energy below 0.25 cal/cm2 (tested with `testFactor`) and a boundary
// below 6 inches are raised to those minimums.
FlooredResult ApplyResultFloors(double energy, double boundary, double testFactor);

struct PpeClass {
    std::int32_t index;      // -1 unclassified, 0..4 levels, 5 beyond level 4
    std::string_view level;  // "0".."4", "N/A", empty when unclassified
};
PpeClass ClassifyPpe(double joulesPerCm2);
PpeClass ClassifyPpeCalories(double calPerCm2);

struct ClothingText {
    std::string_view first;
    std::string_view second;
};
// Typical protective clothing of a PPE index; index 5 reads "Consult PPE
// Manufacturer" with a second line "N/A" that is kept but never shown.
ClothingText ClothingLines(std::int32_t ppeIndex);

// The tint a PPE index is shown with, as 0xRRGGBB: the study table's rows
// and the one-line's buses, so that both read alike. Yellow for level 1
// to light red for level 4, red above 40 cal/cm2 (index 5, where no PPE
// level holds); none for level 0 and an unclassified case.
constexpr std::optional<std::uint32_t> PpeTint(std::int32_t ppeIndex) {
    switch (ppeIndex) {
        case 1:
            return 0xFFF9D0;
        case 2:
            return 0xFFE7C2;
        case 3:
            return 0xFFD2A8;
        case 4:
            return 0xFFC0C0;
        case 5:
            return 0xE85050;
        default:
            return std::nullopt;
    }
}

struct ApproachBoundaries {
    std::string_view limited;     // inches
    std::string_view restricted;  // inches or "Avoid contact"
    std::string_view prohibited;  // inches or "Avoid contact"
};
ApproachBoundaries SelectApproachBoundaries(double voltage, int equipmentClass);
// The same as distances in inches; none for "Avoid contact". A boundary
// that the table a point's voltage falls in does not give (a DC point
// outside the band the program holds, the prohibited approach of DC) is
// kApproachNotGiven, written "N/A".
struct ApproachDistances {
    std::optional<double> limited, restricted, prohibited;
};
inline constexpr double kApproachNotGiven = std::numeric_limits<double>::quiet_NaN();
inline bool IsApproachNotGiven(const std::optional<double>& inches) { return inches && *inches != *inches; }
ApproachDistances ApproachDistancesOf(const ApproachBoundaries& b);

// Initial arc-blast pressure in lb/ft2 at the working distance (mm).
double ArcBlastPressure(double arcCurrentKa, double workDistMm);
// TNT equivalent of the arc energy in kg.
double TntEquivalentOf(double arcCurrentKa, double boltedCurrentKa, double voltage,
                       double arcTimeS);

}  // namespace zentavo

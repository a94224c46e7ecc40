// SPDX-License-Identifier: GPL-3.0-or-later
// One case of a result (the full or the reduced arcing current) as numbers,
// after the floors, and the texts written from them. Every method fills its
// cases with numbers; the results windows, a study's cells, its report and
// a label all write a case's texts through CaseResultTexts, so one rule
// writes each text whatever shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/result_texts.h"
#include "engine/units.h"

namespace zentavo {

// How a method writes its cases: the 2018 model writes an energy with every
// digit it computed and a floored boundary like any other; the empirical
// model writes a floored boundary as "6.00" (inches) or "152.40" (mm) and
// gives pressures and TNT equivalents; the fuse equations a pressure alone.
enum class CaseStyle : std::uint8_t { Empirical, Ieee2018, Fuse, Breaker };

struct CaseResult {
    double energy = 0;             // J/cm2, after the floor
    double boundary = 0;           // mm, after the floor
    bool boundaryFloored = false;  // raised to 6 inches
    std::int32_t ppeIndex = -1;    // 0..4, 5 beyond level 4
    // The arc-blast pressure (lb/ft2) and the TNT equivalent (kg) where the
    // method gives them; none where it writes "N/A" instead (the empirical
    // model with an arc shorter than 0.01 s, say).
    std::optional<double> pressure, tnt;
};

// A case from its energy (J/cm2) and boundary (mm) before the floors:
// raised to the minimums (the energy tested with `floorFactor`:
// kFullCaseFloorFactor or kReducedCaseFloorFactor) and classified.
CaseResult FlooredCase(double energy, double boundary, double floorFactor);

// The case's texts in the output units: energy, boundary, PPE level, its
// clothing lines, pressure and TNT equivalent (empty where the method gives
// none, "N/A" where it writes that: an empirical TNT equivalent that reads
// as zero in its unit too).
CaseTexts CaseResultTexts(const CaseResult& c, CaseStyle style, const UnitSettings& units, char sep);

// Which of a point's two cases governs: the reduced arcing current's when its
// incident energy is larger than the full case's (on a tie the full case),
// the energies as computed, before the floors, so that of two cases both
// raised to 0.25 cal/cm2 the one with the larger boundary governs. The one
// rule of every method, its window, a study's cells and the label.
inline bool ReducedGoverns(double fullEnergy, double reducedEnergy) { return reducedEnergy > fullEnergy; }

// The PPE level's text of an index: "0".."4", "N/A" beyond level 4, empty when unclassified.
std::string_view PpeLevelText(std::int32_t ppeIndex);

}  // namespace zentavo

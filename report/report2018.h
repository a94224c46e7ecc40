// SPDX-License-Identifier: GPL-3.0-or-later
// The report block of the IEEE 1584-2018 model: caption-value lines built
// only from the texts its window shows, saved like every other block.
#pragma once

#include <string>
#include <vector>

namespace zentavo {

// Input fields and result labels of the 2018 window, as shown.
struct Ieee2018ReportTexts {
    std::string electrode, gapUnit, gap, enclosureUnit, height, width, depth, workDistUnit,
        workDist, boltedCurrent, voltage, arcTime, arcTimeReduced;
    bool openAir = false;  // no enclosure lines
    std::string enclosureType, correctionFactor, arcCurrent, arcCurrentReduced;
    // Captions of the results rows, with their unit words and closing colon.
    std::string energyCaption, boundaryCaption;
    std::string energy, boundary, ppe;                       // at the arcing current
    std::string energyReduced, boundaryReduced, ppeReduced;  // at the reduced arcing current
    bool reducedGoverns = false;
    std::string limitedCaption, limited, restrictedCaption, restricted, prohibitedCaption,
        prohibited;
    // Durations found from a protective device: its settings, one line each,
    // after the voltage, and the notes of the durations (a capped one),
    // last. Both empty when the durations were typed.
    std::vector<std::string> device;
    std::vector<std::string> notes;
};

std::vector<std::string> Ieee2018ReportLines(const Ieee2018ReportTexts& t);

}  // namespace zentavo

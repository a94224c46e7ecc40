// SPDX-License-Identifier: GPL-3.0-or-later
// The texts a calculation hands to the results window. The window copies
// them into its labels; the report and the warning label read them back
// from there, so screen, report and label always agree.
#pragma once

#include <string>
#include <string_view>

namespace zentavo {

// One case (full or reduced arcing current) of a result.
struct CaseTexts {
    std::string energy;    // incident energy in the energy unit
    std::string boundary;  // flash protection boundary in the boundary unit
    std::string ppeLevel;  // "0".."4" or "N/A"
    std::string_view clothing1;  // fixed texts of the program: they never dangle
    std::string_view clothing2;
    // Beyond level 4 the second clothing line is hidden and the first one
    // ("Consult PPE Manufacturer") moves right.
    bool clothingSecondLineShown = true;
    std::string pressure;  // arc-blast pressure in the pressure unit, or "N/A"
    std::string tnt;       // TNT equivalent in the TNT unit, or "N/A"
};

struct ApproachTexts {
    std::string limited;
    std::string restricted;
    std::string prohibited;
};

}  // namespace zentavo

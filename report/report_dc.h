// SPDX-License-Identifier: GPL-3.0-or-later
// The report block of the DC window: both methods side by side as its
// results show them, caption-value lines built only from the texts the
// window shows, saved like every other block.
#pragma once

#include <string>
#include <vector>

namespace zentavo {

// One method's column of the DC window, as shown; `refusal` set (and the
// values empty) where the method refused the inputs.
struct DcReportCase {
    std::string arcCurrent, arcVoltage, arcResistance, arcPower, boxFactor, arcTime;
    std::string energy, boundary, ppe;
    std::string notes;    // the sustainability checks and an assumed duration, as the engine wrote them
    std::string refusal;  // why it has no results
};

struct DcReportTexts {
    std::string enclosure;  // the enclosure as the label names it
    std::string voltage;
    // The source as typed; the one derived from the other written with " (derived)".
    std::string boltedCurrent, sourceResistance;
    std::string gapUnit, gap;  // an empty gap: "none" (the maximum-power method takes none)
    std::string workDistUnit, workDist;
    std::string energyUnit, boundaryUnit;
    // A protective device's settings, one line each; empty when the
    // durations were typed or assumed.
    std::vector<std::string> device;
    DcReportCase maxPower, arcResistance;
    std::string limited, restricted, prohibited;  // in the boundary unit, "N/A" where not given
};

std::vector<std::string> DcReportLines(const DcReportTexts& t);

}  // namespace zentavo

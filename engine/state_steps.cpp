// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/state_steps.h"

#include "engine/classification.h"

namespace zentavo {

void WriteApproachBoundaries(SharedState& s, int equipmentClass) {
    const ApproachBoundaries b = SelectApproachBoundaries(s.Voltage, equipmentClass);
    s.LimitedApproach = b.limited;
    s.RestrictedApproach = b.restricted;
    s.ProhibitedApproach = b.prohibited;
}

ApproachDistances ApproachDistancesIn(const SharedState& s) {
    if (s.LimitedApproach.empty() || s.RestrictedApproach.empty() || s.ProhibitedApproach.empty()) return {};
    return ApproachDistancesOf({s.LimitedApproach, s.RestrictedApproach, s.ProhibitedApproach});
}

bool FloorAndClassifySingleCase(SharedState& s, double& energy, double& boundary) {
    const FlooredResult floored = ApplyResultFloors(energy, boundary, kFullCaseFloorFactor);
    energy = floored.energy;
    boundary = floored.boundary;
    const PpeClass ppe = ClassifyPpe(energy);
    s.PpeIndex = ppe.index;
    s.PpeLevel = ppe.level;
    s.PpeIndexReduced = -1;
    s.PpeLevelReduced.clear();
    return floored.boundaryFloored;
}

}  // namespace zentavo

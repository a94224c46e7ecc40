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

void WriteSingleCase(SharedState& s, const CaseResult& result, double& energy, double& boundary) {
    energy = result.energy;
    boundary = result.boundary;
    s.PpeIndex = result.ppeIndex;
    s.PpeLevel = PpeLevelText(result.ppeIndex);
    s.PpeIndexReduced = -1;
    s.PpeLevelReduced.clear();
}

}  // namespace zentavo

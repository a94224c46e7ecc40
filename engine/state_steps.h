// SPDX-License-Identifier: GPL-3.0-or-later
// Steps that several calculation paths take on the shared state alike.
#pragma once

#include "engine/case_result.h"
#include "engine/classification.h"
#include "engine/shared_state.h"

namespace zentavo {

// The three shock approach boundaries of the state's voltage and the class.
void WriteApproachBoundaries(SharedState& state, int equipmentClass);
// The boundaries written there, in inches; none for "Avoid contact" and
// where none is written yet.
ApproachDistances ApproachDistancesIn(const SharedState& state);

// Writes the one case of the fuse or breaker equations into the state: its
// energy (J/cm2) and boundary (mm) into the method's fields `energy` and
// `boundary`, its classification into the full case's; the reduced case is
// left unclassified.
void WriteSingleCase(SharedState& state, const CaseResult& result, double& energy, double& boundary);

}  // namespace zentavo

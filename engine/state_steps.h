// SPDX-License-Identifier: GPL-3.0-or-later
// Steps that several calculation paths take on the shared state alike.
#pragma once

#include "engine/classification.h"
#include "engine/shared_state.h"

namespace zentavo {

// The three shock approach boundaries of the state's voltage and the class.
void WriteApproachBoundaries(SharedState& state, int equipmentClass);
// The boundaries written there, in inches; none for "Avoid contact" and
// where none is written yet.
ApproachDistances ApproachDistancesIn(const SharedState& state);

// Floors and classifies the one case of the fuse or breaker equations:
// `energy` (J/cm2) and `boundary` (mm) are state fields, raised to the
// minimums where they fall below; the reduced case is left unclassified.
// Returns whether the boundary was raised.
bool FloorAndClassifySingleCase(SharedState& state, double& energy, double& boundary);

}  // namespace zentavo

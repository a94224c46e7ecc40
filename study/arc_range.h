// SPDX-License-Identifier: GPL-3.0-or-later
// The worst incident energy of a point over the whole range of its arcing
// currents (--arc-current-range on): from the minimum case's bolted current
// to the maximum case's, both arcing-current variants at each. The energy
// grows with the current at a fixed duration and falls where the device
// gets faster, so it may peak between the cases: where an inverse curve
// crosses the maximum arc duration, at an element's pickup, at a knee.
#pragma once

#include <functional>
#include <optional>

#include "study/point_result.h"

namespace zentavo {

// The worst of a range, and the point computed at its bolted current.
struct RangeWorst {
    PointRange range;
    PointResult at;  // the one-row result at range.boltedKa
};

// Searches [loKa, hiKa] (bolted currents, kA) for the largest energy of
// either variant of `at` (the point computed at a bolted current). The currents tried, each to
// three decimals as a row shows its bolted current: a grid over the range with both ends; between
// two neighbours whose device answers differently (another element, the maximum arc duration
// reached, a refusal) the boundary by bisection, to the last decimal; around the best currents a
// golden-section search. None where no current tried is computed. `kept`, when set, is called
// each time the point just computed becomes the worst so far.
std::optional<RangeWorst> FindRangeWorst(const std::function<PointResult(double boltedKa)>& at,
                                         double loKa, double hiKa,
                                         const std::function<void()>& kept = {});

}  // namespace zentavo

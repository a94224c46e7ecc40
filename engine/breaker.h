// SPDX-License-Identifier: GPL-3.0-or-later
// The IEEE 1584-2002 equations for low-voltage circuit breakers, linear in
// the bolted fault current, by breaker type and voltage (208-480 V and
// 575-690 V), referred to a working distance of 460 mm.
#pragma once

#include <string>
#include <string_view>

#include "engine/fuse_equations.h"
#include "engine/input_checks.h"
#include "engine/shared_state.h"
#include "engine/units.h"

namespace zentavo {

namespace msg {
inline constexpr std::string_view kAboveInterruptingRating =
    "Available bolted fault current is higher than breaker interrupting rating.";
inline constexpr std::string_view kBelowTrippingBand =
    "Predicted arcing current is less than the top of the breaker tripping band. IEEE 1584 "
    "empirically derived model must be used to resolve incident energies in this case.";
}  // namespace msg

// Energy E = A Ibf + B (J/cm2 at 460 mm) and boundary DB = C Ibf + D (mm).
struct BreakerCoefficients {
    double a, b, c, d;
};
// The row of `breakerType` (0..5) for the voltage: up to 480 V, or above.
BreakerCoefficients BreakerCoefficientsOf(int breakerType, double voltage);

struct [[nodiscard]] BreakerOutcome {
    std::string warning;
    CaseResult result;  // the one case as numbers, what its texts are written from
    SingleCaseResultTexts texts;
};

// "Next" on the breaker tab, from the typed fields to the result texts.
BreakerOutcome RunBreaker(SharedState& state, const BreakerFields& fields,
                          const UnitSettings& units, char sep);

}  // namespace zentavo

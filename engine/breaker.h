// SPDX-License-Identifier: GPL-3.0-or-later
// The IEEE 1584-2002 equations for low-voltage circuit breakers, linear in
// the bolted fault current, by breaker type and voltage (208-480 V and
// 575-690 V), referred to a working distance of 460 mm.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/case_result.h"
#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/fuse_equations.h"
#include "engine/input_checks.h"
#include "engine/refusal.h"
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

// The inputs in the program's units. The breaker tab's checks hold them to:
// a voltage of 208 to 480 V or 575 to 690 V, a bolted current of 0.7 to
// 106 kA, a working distance of 300 to 2000 mm, an interrupting rating and
// an instantaneous trip above 0 kA, a breaker type 0..5 (kBreakerTypes) and
// an equipment class (kOpenAir..kCable) whose low-voltage distance exponent
// corrects the energy.
struct BreakerInputs {
    double voltage = 0;             // V
    double boltedCurrent = 0;       // kA
    double workDistMm = 0;
    double interruptingRating = 0;  // kA, IR
    double instantaneousTrip = 0;   // kA, IT
    int breakerType = 0;
    int equipmentClass = kBreakerTabClass;
};

struct BreakerResults {
    // msg::kAboveInterruptingRating or msg::kBelowTrippingBand where the
    // equations do not apply; empty otherwise.
    std::string_view message;
    // The arcing current at the top of the tripping band (1.3 IT): log10 of
    // 1.3 IT, log10 of the arcing current, the current (kA). Not computed
    // above the interrupting rating.
    double tripLog = 0, tripArcLog = 0, tripArcCurrent = 0;
    BreakerCoefficients coefficients{};  // only without a message
    double energyRef = 0;  // J/cm2 at 460 mm, before the distance correction
    // The one case after the floors, classified; none with a message.
    std::optional<CaseResult> result;
    ApproachDistances approach;  // inches, of the voltage and the class
};
BreakerResults ComputeBreaker(const BreakerInputs& in);

struct [[nodiscard]] BreakerOutcome {
    // The checks' joined "Warning!" text (OutOfRange), or why the breaker
    // equations do not apply (OutsideModel); none on success.
    std::optional<Refusal> refusal;
    CaseResult result;  // the one case as numbers, what its texts are written from
    // The shock approach boundaries (inches; none for "Avoid contact").
    ApproachDistances approach;
    SingleCaseResultTexts texts;
};

// "Next" on the breaker tab, from the typed fields to the result texts.
BreakerOutcome RunBreaker(SharedState& state, const BreakerFields& fields,
                          const UnitSettings& units, char sep);

}  // namespace zentavo

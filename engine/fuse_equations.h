// SPDX-License-Identifier: GPL-3.0-or-later
// The IEEE 1584-2002 equations for current-limiting fuses (Class RK1 and
// Class L), valid at 600 V with a 32 mm gap in a switchgear-sized enclosure,
// referred to a working distance of 455 mm.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/case_result.h"
#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/input_checks.h"
#include "engine/refusal.h"
#include "engine/result_texts.h"
#include "engine/shared_state.h"
#include "engine/units.h"

namespace zentavo {

namespace msg {
inline constexpr std::string_view kFuseLowCurrent =
    "Use IEEE 1584 Empirical Model for such a low bolted fault current value.";
inline constexpr std::string_view kFuseAboveLimit =
    "Contact manufacturer for additional information above upper limit.";
}  // namespace msg

// Energy at 455 mm in cal/cm2 as k2 Ibf^2 + k1 Ibf + k0, or a message where
// the fuse class has no equation for the bolted current.
struct FuseEquation {
    double k2 = 0, k1 = 0, k0 = 0;
    std::string_view message;  // empty when the coefficients apply
};
FuseEquation LookUpFuseEquation(int fuseClass, double boltedCurrentKa);

// --- The equations as numbers ------------------------------------------------

// The inputs in the program's units. The fuse tab's checks hold them to: a
// bolted current above 0.7 up to 106 kA, a working distance of 300 to
// 2000 mm, a fuse class 0..7 (kFuseClasses) and an equipment class
// (kOpenAir..kCable) whose default gap and low-voltage distance exponent the
// equations take. The voltage is 600 V.
struct FuseInputs {
    double boltedCurrent = 0;  // kA
    double workDistMm = 0;
    int fuseClass = 0;
    int equipmentClass = kFuseTabClass;
};

struct FuseResults {
    double gapMm = 0;  // the class default gap
    // The empirical model's arcing currents at 600 V (not capped at the
    // bolted current): the constant K, log10 of the current, and the current
    // and its 85 % rounded to two decimals (kA).
    double k = 0, logArcCurrent = 0;
    double arcCurrent = 0, arcCurrentReduced = 0;
    FuseEquation equation;  // its message, when set, refuses the current
    double energyRef = 0;   // J/cm2 at 455 mm, before the distance correction
    // The one case after the floors, classified, with the arc-blast pressure
    // at the rounded current; none where the equation refuses the current.
    std::optional<CaseResult> result;
    ApproachDistances approach;  // inches, at 600 V and the class
};
FuseResults ComputeFuse(const FuseInputs& in);

// --- From the typed fields to the texts ---------------------------------------

// The results of a fuse or breaker calculation (one case, full current).
struct SingleCaseResultTexts {
    std::string summaryCaption;  // caption of the method explanation panel
    std::string arcCurrent;      // hidden arcing-current row (fuse only)
    CaseTexts result;            // pressure only on the fuse path, no TNT
    ApproachTexts approach;
};

struct [[nodiscard]] FuseOutcome {
    // The checks' joined "Warning!" text (OutOfRange), or the fuse table's
    // message (OutsideModel); none on success.
    std::optional<Refusal> refusal;
    std::string gapText;  // the class default gap as the tab's gap field shows it
    CaseResult result;    // the one case as numbers, what its texts are written from
    // The shock approach boundaries (inches; none for "Avoid contact").
    ApproachDistances approach;
    SingleCaseResultTexts texts;
};

// "Next" on the fuse tab, from the typed fields to the result texts.
FuseOutcome RunFuse(SharedState& state, const FuseFields& fields, const UnitSettings& units,
                    char sep);

// The texts the fuse and breaker paths share, written from the one case and
// the approach boundaries in the state.
void FillSingleCaseTexts(SingleCaseResultTexts& texts, const SharedState& state, const CaseResult& result,
                         CaseStyle style, const UnitSettings& units, char sep);

}  // namespace zentavo

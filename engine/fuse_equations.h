// SPDX-License-Identifier: GPL-3.0-or-later
// The IEEE 1584-2002 equations for current-limiting fuses (Class RK1 and
// Class L), valid at 600 V with a 32 mm gap in a switchgear-sized enclosure,
// referred to a working distance of 455 mm.
#pragma once

#include "engine/case_result.h"

#include <optional>
#include <string>
#include <string_view>

#include "engine/input_checks.h"
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

// The results of a fuse or breaker calculation (one case, full current).
struct SingleCaseResultTexts {
    std::string summaryCaption;  // caption of the method explanation panel
    std::string arcCurrent;      // hidden arcing-current row (fuse only)
    CaseTexts result;            // pressure only on the fuse path, no TNT
    ApproachTexts approach;
};

struct [[nodiscard]] FuseOutcome {
    std::string warning;  // joined "Warning!" text, or the fuse table's message
    std::string gapText;  // the class default gap as the tab's gap field shows it
    CaseResult result;    // the one case as numbers, what its texts are written from
    SingleCaseResultTexts texts;
};

// "Next" on the fuse tab, from the typed fields to the result texts.
FuseOutcome RunFuse(SharedState& state, const FuseFields& fields, const UnitSettings& units,
                    char sep);

// The one case of the fuse or breaker equations as numbers (after the
// floors, classified: FloorAndClassifySingleCase), with the fuse's pressure
// where given; and the texts the two paths share, written from it.
CaseResult SingleCaseResult(const SharedState& state, double energy, double boundary, bool boundaryFloored,
                            std::optional<double> pressure = std::nullopt);
void FillSingleCaseTexts(SingleCaseResultTexts& texts, const SharedState& state, const CaseResult& result,
                         CaseStyle style, const UnitSettings& units, char sep);

}  // namespace zentavo

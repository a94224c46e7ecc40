// SPDX-License-Identifier: GPL-3.0-or-later
// A study's DC row (methods dc-max-power and dc-arc-resistance): its values
// taken as the DC window takes its fields, through the same engine. A part
// of the row runner (study/row.cpp), which gives it the row's protective
// device.
#pragma once

#include <optional>

#include "engine/dc_arc_flash.h"
#include "study/point_result.h"
#include "study/study_point.h"

namespace zentavo {

// Computes the DC point `in` into `p` (status, message, the case, the
// approach distances, the DC values) and returns the engine's outcome;
// `device`, when set, gives the duration at the arcing current. A column
// the row may not hold, a word that is none of dc_box's or a text that is
// no number is the returned problem, and `p` is left as it is.
std::optional<RowProblem> ComputeDcRow(const StudyPoint& in, Method method, const DcDeviceDuration& device,
                                       PointResult& p, DcOutcome& out);

// The refusal of a DC column on a row of another method; none when the
// row's DC columns are empty.
std::optional<RowProblem> DcColumnsOnAcRow(const StudyPoint& in);

}  // namespace zentavo

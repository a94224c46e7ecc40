// SPDX-License-Identifier: GPL-3.0-or-later
// A study's DC row (methods dc-max-power and dc-arc-resistance): its cells
// read as the DC window's fields, through the same engine. A part of the
// row runner (study/row.cpp), which gives it the row's protective device.
#pragma once

#include "engine/dc_arc_flash.h"
#include "study/point_result.h"
#include "study/row.h"

namespace zentavo {

// Computes the DC row `in` into `p` (status, message, the case, the
// approach distances, the DC values) and returns the engine's outcome;
// `device`, when set, gives the duration at the arcing current. A column
// the row may not hold, or a word that is none of dc_box's, raises
// StudyRowError; a text that is not a number, ConversionError.
DcOutcome ComputeDcRow(const StudyRowInputs& in, const StudyOptions& options, Method method,
                       const DcDeviceDuration& device, PointResult& p);

// The refusal of a DC column on a row of another method; empty when the
// row's DC columns are empty.
std::string DcColumnsOnAcRow(const StudyRowInputs& in);

}  // namespace zentavo

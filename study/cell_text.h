// SPDX-License-Identifier: GPL-3.0-or-later
// A cell of a study as the user types it and as the study file keeps it:
// the file writes its numbers with a point, the study window shows and takes
// them with the user's decimal separator. One rule per kind of column
// (StudyColumnKind), used by the window's editors, its copy and its paste,
// so that a row copied from the window pastes back as it was.
#pragma once

#include <string>
#include <string_view>

#include "study/columns.h"

namespace zentavo {

// Why `typed` (numbers with the separator `sep`) cannot be kept in a cell of
// `column`; empty when it can. A number column takes a number (or nothing),
// max_arc_time a number or "none". The word of a word column, a fuse curve
// and a bus name are taken as typed: the row judges them, naming the column
// of what it refuses.
std::string TypedCellFault(StudyInputColumn column, std::string_view typed, char sep);

// The text the file keeps for a typed cell: each number written with a
// point (a fuse curve's inline points one by one); anything else as typed.
std::string StoredCell(StudyInputColumn column, std::string_view typed, char sep);

// The text shown for a cell the file keeps: each number with `sep`.
std::string ShownCell(StudyInputColumn column, std::string_view stored, char sep);

}  // namespace zentavo

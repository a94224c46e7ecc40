// SPDX-License-Identifier: GPL-3.0-or-later
// Rows as a spreadsheet copies and pastes them: tab-separated text, one
// record a line, a field in double quotes when it holds a tab, a line break
// or a quote (a quote inside doubled). The study window's Copy rows writes
// it and Paste rows reads it; UTF-8 throughout.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

// One field appended to `out` as such text holds it.
void AppendTsvField(std::string& out, std::string_view field);

// The records of such text, each its fields. A record ends at LF, CR LF or
// CR (outside quotes); a line with nothing on it is no record, and the last
// line needs no line end. A quote opens a quoted field only at the field's
// start; elsewhere it is kept as it is.
std::vector<std::vector<std::string>> ParseTsv(std::string_view text);

}  // namespace zentavo

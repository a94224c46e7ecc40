// SPDX-License-Identifier: GPL-3.0-or-later
// The errors of the study library, each a zentavo::Error: what cannot be
// read. A row that cannot be computed is a value (RowProblem, study/study_point.h).
#pragma once

#include <optional>
#include <string>

#include "engine/error.h"
#include "engine/refusal.h"

namespace zentavo {

// A study that cannot be read: UTF-16 that is not valid, no header row, a
// malformed record or header in a study opened whole.
struct StudyReadError : Error {
    explicit StudyReadError(const std::string& text) : Error(text), message(text) {}
    std::string message;  // whole, even where it holds a NUL byte (what() would end there)
};

}  // namespace zentavo

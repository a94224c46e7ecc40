// SPDX-License-Identifier: GPL-3.0-or-later
// The errors of the study library, each a zentavo::Error.
#pragma once

#include <string>

#include "engine/error.h"

namespace zentavo {

// A study that cannot be read: UTF-16 that is not valid, no header row, a
// malformed record or header in a study opened whole.
struct StudyReadError : Error {
    using Error::Error;
};

// A row that cannot be computed: its message names the column and the value.
// The message is kept whole, even when the value holds a NUL byte (what()
// would end there).
struct StudyRowError : Error {
    explicit StudyRowError(const std::string& text) : Error(text), message(text) {}
    std::string message;
};

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// The errors of the study library, each a zentavo::Error.
#pragma once

#include <optional>
#include <string>

#include "engine/error.h"
#include "engine/refusal.h"

namespace zentavo {

// A study that cannot be read: UTF-16 that is not valid, no header row, a
// malformed record or header in a study opened whole.
struct StudyReadError : Error {
    using Error::Error;
};

// A row that cannot be computed: its message names the column and the value.
// The message is kept whole, even when the value holds a NUL byte (what()
// would end there). `code` is the kind of refusal, where a word or a
// device's settings were refused; a row that breaks the study's own rules
// (a device setting without device_type, say) has none.
struct StudyRowError : Error {
    explicit StudyRowError(const std::string& text, std::optional<RefusalCode> kind = std::nullopt)
        : Error(text), message(text), code(kind) {}
    explicit StudyRowError(const Refusal& refusal) : StudyRowError(refusal.message, refusal.code) {}
    std::string message;
    std::optional<RefusalCode> code;
};

}  // namespace zentavo

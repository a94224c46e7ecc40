// SPDX-License-Identifier: GPL-3.0-or-later
// The root of the program's own exceptions. Every error the libraries and
// the batch program throw derives from it (a text that is not a number, a
// failed file operation, a study that cannot be read, a study row that
// cannot be computed), so one handler catches them all, and each is a
// std::exception for any code that knows only those.
#pragma once

#include <stdexcept>

namespace zentavo {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace zentavo

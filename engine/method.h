// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation methods of the program. The first three are the main
// window's tabs in their order (its ActiveMethod), and all four are the
// words of a study's method column in the same order.
#pragma once

namespace zentavo {

enum Method {
    kEmpiricalMethod = 0,  // IEEE 1584-2002 empirical (theoretically derived beyond its range)
    kFuseMethod = 1,       // IEEE 1584-2002 current-limiting fuse equations
    kBreakerMethod = 2,    // IEEE 1584-2002 low-voltage breaker equations
    kIeee2018Method = 3,   // the IEEE 1584-2018 model, in a window of its own
};

}  // namespace zentavo

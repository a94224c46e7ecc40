// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation methods of the program. The first three are the main
// window's tabs in their order (its ActiveMethod), and all six are the
// words of a study's method column in the same order.
#pragma once

namespace zentavo {

enum Method {
    kEmpiricalMethod = 0,  // IEEE 1584-2002 empirical (theoretically derived beyond its range)
    kFuseMethod = 1,       // IEEE 1584-2002 current-limiting fuse equations
    kBreakerMethod = 2,    // IEEE 1584-2002 low-voltage breaker equations
    kIeee2018Method = 3,   // the IEEE 1584-2018 model, in a window of its own
    // DC arc flash after NFPA 70E Annex D.5 (engine/dc_arc_flash.h), both in the DC window.
    kDcMaxPowerMethod = 4,
    kDcArcResistanceMethod = 5,
};

inline constexpr bool IsDcMethod(int method) {
    return method == kDcMaxPowerMethod || method == kDcArcResistanceMethod;
}

}  // namespace zentavo

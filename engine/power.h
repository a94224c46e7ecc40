// SPDX-License-Identifier: GPL-3.0-or-later
// Powers as the equations of the guide evaluate them: b^y = e^(y ln b).
#pragma once

#include <cmath>

namespace zentavo {

inline double Power(double base, double exponent) { return std::exp(exponent * std::log(base)); }
inline double Power10(double exponent) { return std::exp(exponent * 2.302585092994045684); }

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// The device curves file: fuse total-clearing curves by name, one point a
// row, under the header "name,current,time" (current in A, time in s,
// written with '.' like the study file). A study's fuse_curve cell names one
// of them.
#pragma once

#include <string_view>

#include "engine/protection.h"

namespace zentavo {

// The curves of a file's text (UTF-8, optionally with a byte-order mark), or
// every problem found, each naming its line or its curve, joined by "; ".
Built<CurveSet> ReadDeviceCurves(std::string_view text);

}  // namespace zentavo

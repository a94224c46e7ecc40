// SPDX-License-Identifier: GPL-3.0-or-later
// The 2018 model with its arc durations found from a protective device: the
// arcing currents first, then the device's duration at each of them (its
// share of the current, the cap), then the energies with those durations.
#pragma once

#include <string>

#include "engine/ieee2018.h"
#include "engine/protection.h"

namespace zentavo {

struct Ieee2018DeviceOutcome {
    Ieee2018Outcome outcome;  // its refusal holds the device's, if any
    ArcDuration full;         // at the arcing current
    ArcDuration reduced;      // at the reduced arcing current
};

// The fields as RunIeee2018 reads them, except the two arc durations, which
// come from `device` at the unrounded arcing currents. A device that does
// not act at a current and has no maximum arc duration refuses the point.
Ieee2018DeviceOutcome RunIeee2018WithDevice(const Ieee2018Fields& fields,
                                            const ProtectiveDevice& device,
                                            const UnitSettings& units, char sep);

// A duration in seconds as the program shows one it found: up to four
// decimals, without the zeros that end them ("0.0613", "0.319", "2").
std::string ArcDurationText(double seconds, char sep);

// The note a capped duration carries: "exposure limited to 2 s". IEEE
// 1584-2018's 2 s is how long a person is likely to stay exposed, not how
// long the arc lasts; a maximum arc duration the user set (1.5 s) is the
// same judgement and reads the same way: "exposure limited to 1.5 s".
std::string ArcDurationCappedNote(double maxArcTime, char sep);

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// The shortest arc duration the program takes, typed or found from a
// protective device, and the messages of a typed duration below it. No
// protective device clears an arc in less than a millisecond: a duration of
// 0 s, or of 1E-300 s, would give the floor energy and PPE level 0 for a
// point that no device protects so fast.
#pragma once

#include <string_view>

namespace zentavo {

inline constexpr double kShortestArcTime = 0.001;  // s

namespace msg {
inline constexpr std::string_view kArcTimeNotAbove0 = "Arc duration must be above 0 s. ";
inline constexpr std::string_view kArcTimeReducedNotAbove0 =
    "Arc duration for reduced current must be above 0 s. ";
inline constexpr std::string_view kArcTimeTooShort = "Arc duration must be at least 0.001 s. ";
inline constexpr std::string_view kArcTimeReducedTooShort =
    "Arc duration for reduced current must be at least 0.001 s. ";
}  // namespace msg

// The message of a duration (s) at 0 or below, or above 0 and below
// kShortestArcTime; empty for a duration of at least kShortestArcTime (a NaN
// is not above 0). `reduced`: the duration at the reduced arcing current.
inline std::string_view ShortArcTimeProblem(double seconds, bool reduced) {
    if (!(seconds > 0)) return reduced ? msg::kArcTimeReducedNotAbove0 : msg::kArcTimeNotAbove0;
    if (seconds < kShortestArcTime)
        return reduced ? msg::kArcTimeReducedTooShort : msg::kArcTimeTooShort;
    return {};
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// A model's refusal of a point: what kind of problem stops it, which a
// caller can act on, and the text shown to the user, which names the column
// or element and the value. A refusal is data, not an exception: the models
// return it in their outcomes and the protective devices in Built<T>.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace zentavo {

enum class RefusalCode : std::uint8_t {
    // Inputs the method's checks do not accept: a value outside its range,
    // a field left empty or a selector not chosen. The text joins every
    // problem found.
    OutOfRange,
    // Accepted inputs the method's equations give no result for: the fuse
    // table's or a breaker's limits, an arcing current or energy the 2018
    // equations cannot give. Another method may.
    OutsideModel,
    // No usable arc duration: a duration typed or found outside the
    // accepted durations, or a protective device that does not act at the
    // arcing current and has no maximum arc duration.
    Duration,
    // A protective device's settings: a relay, a trip unit, the device
    // share or the maximum arc duration.
    Device,
    // A fuse curve: its points, a curves file, or a curve name not found.
    Curve,
    // A word that is none of a column's words (device_type, relay_curve, a
    // study column's word).
    UnknownWord,
};

struct Refusal {
    RefusalCode code = RefusalCode::OutOfRange;
    std::string message;  // names the column or element and the value, as shown
};

// The refusal of `message` with `code`, none when the message is empty.
inline std::optional<Refusal> RefusalOf(RefusalCode code, std::string message) {
    if (message.empty()) return std::nullopt;
    return Refusal{code, std::move(message)};
}

// The text shown for a refusal; empty when there is none.
inline std::string RefusalText(const std::optional<Refusal>& refusal) {
    return refusal ? refusal->message : std::string();
}

// Two refusals as one: their texts one after the other, with the code of
// the first; none when neither is set.
inline std::optional<Refusal> JoinRefusals(std::optional<Refusal> first,
                                           const std::optional<Refusal>& second) {
    if (!first) return second;
    if (second) first->message += second->message;
    return first;
}

}  // namespace zentavo

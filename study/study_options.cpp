// SPDX-License-Identifier: GPL-3.0-or-later
// The checks of a study's options, shared by the command line and the study
// window so that both hold an option to one range and tell it in one text.
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "study/row.h"

namespace zentavo {

namespace {

// The value as the user gave it, else the shortest text that reads back as it.
std::string Quoted(std::optional<std::string_view> given, double value) {
    if (given) return std::string(*given);
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

Refusal Refused(std::string text) { return Refusal{RefusalCode::OutOfRange, std::move(text)}; }

}  // namespace

std::optional<Refusal> StudyOptions::Check(const StudyOptionTexts& given) const {
    if (lvTolerance != 6 && lvTolerance != 10) {
        return Refused("--lv-tolerance takes one of 6, 10, not '" + Quoted(given.lvTolerance, lvTolerance) + "'");
    }
    // Written as ranges a NaN is outside of.
    if (cableEndTemp && !(*cableEndTemp >= kLowestCableEndTemp && *cableEndTemp <= kHighestCableEndTemp)) {
        return Refused("--cable-end-temp takes a temperature from " + std::to_string(kLowestCableEndTemp) + " to " +
                       std::to_string(kHighestCableEndTemp) + " °C, not '" +
                       Quoted(given.cableEndTemp, *cableEndTemp) + "'");
    }
    if (motorDecay && !(*motorDecay >= 0 && *motorDecay <= kLongestMotorDecay)) {
        return Refused("--motor-decay takes a number of cycles from 0 to " + std::to_string(kLongestMotorDecay) +
                       ", or none, not '" + Quoted(given.motorDecay, *motorDecay) + "'");
    }
    return std::nullopt;
}

}  // namespace zentavo

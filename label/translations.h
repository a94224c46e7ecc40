// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the label in its three languages.
#pragma once

#include <array>
#include <string>
#include <optional>
#include <string_view>

#include "engine/units.h"
#include "engine/protection.h"

namespace zentavo {

// A row caption slot of the label and its words in English, Spanish, French.
struct CaptionWords {
    std::string_view slot;
    std::array<std::string_view, 3> words;
};
extern const std::array<CaptionWords, 14> kLabelCaptions;

// A typical-clothing line: its slot, and per language its text and left position.
struct ClothingLine {
    std::string_view slot;
    std::array<std::string_view, 3> text;
    std::array<int, 3> left;
};
// Five pairs, one per PPE level 0 to 4: first line, second line.
extern const std::array<ClothingLine, 10> kLabelClothing;

// The equipment class in the language; a text that is none of the four
// classes stays as it is.
std::string ClassWord(std::string_view classText, int language);
// The grounding text of the results window in the language.
std::string GroundingWord(std::string_view groundingText, int language);
// The word of a length unit ("mm", "inches") in the language.
std::string LengthUnitWord(LengthUnit unit, int language);

// The footer of a label whose case's arc duration came from a protective
// device, in the language: the device, then the duration used (written as
// the results write it) and the element that gave it, or the exposure's
// limit where the maximum arc duration replaced it:
// "Relay IEC-SI: arc duration 0.319 s (short time)",
// "Fuse: exposure limited to 2 s", with the current the device saw
// where it is known: "Trip unit at 26.644 kA: exposure limited to 2 s".
std::string DeviceFooter(DeviceType type, std::optional<RelayCurve> relayCurve, std::string_view duration,
                         DeviceElement element, int language, std::string_view seenKa = {});

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// A study row's point of work read once from its texts: the numbers as
// numbers, the words as the items they name. The row's models take these
// values; a text that is neither is kept with its cell, and refused in
// the order the row's method reads its fields, so that a row's message is
// the one its first problem gives.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/method.h"
#include "engine/refusal.h"
#include "engine/units.h"
#include "study/columns.h"

namespace zentavo {

// One cell of a number column: its text as the row holds it (what a
// message names) and its value; none for an empty cell or a text that is
// no number.
struct NumberCell {
    std::string_view text;
    std::optional<double> value;
    bool NotANumber() const { return !text.empty() && !value; }
};

// One cell of a word column: its text and where it stands among the
// column's words; none for an empty cell or a word none of them. A fuse
// class and a breaker type are also taken by their index, or as their
// selector lists them; empty, they are the first.
struct WordCell {
    std::string_view text;
    std::optional<int> index;
    bool Unknown() const { return !text.empty() && !index; }
};

// The columns a point of work is computed from.
struct StudyPoint {
    WordCell method, equipmentClass, grounding, electrode, fuseClass, breakerType, dcBox;
    // The length units: "mm" (or empty) and "inches"; none: another word.
    std::optional<LengthUnit> gapUnit, workDistUnit, enclosureUnit;
    NumberCell voltage, boltedCurrent, gap, workDistance, arcTime, arcTimeReduced, height, width,
        depth, interruptingRating, instantaneousTrip, dcSourceR, deviceRating;
};

// Reads the point's cells of a row's texts, `sep` the decimal separator.
// A number text longer than ParseNumber takes whose length is padding
// alone (blanks, zeros) is read without it.
StudyPoint ReadStudyPoint(const std::array<std::string_view, kStudyInputColumnCount>& row,
                          char sep);

// A row refused before its model computes: the message names the column
// and the value; `code` the kind of refusal where a word or a device's
// settings were refused; none where the row breaks the study's own rules
// or holds a text that is no number.
struct RowProblem {
    std::string message;
    std::optional<RefusalCode> code;
};

// The problem of a word that is none of its column's: "grounding: unknown value \"x\"".
RowProblem UnknownWord(StudyInputColumn column, std::string_view text);
// The problem of a number cell that holds no number: the number's message,
// after the name of the column `named` where one is given.
RowProblem NotANumber(const NumberCell& cell, std::optional<StudyInputColumn> named = std::nullopt);

// Reads one number cell.
NumberCell ReadNumberCell(std::string_view text, char sep);
// Texts of up to this many characters are read as numbers as they are.
inline constexpr std::size_t kLongestNumberText = 127;
// A longer number text whose length is padding alone (blanks, leading
// zeros, trailing decimal zeros, zeros leading the exponent) without that
// padding: the same value in a text ReadNumber reads. Empty when there is
// nothing to take away, or when the text is no number at all.
std::string WithoutNumberPadding(std::string_view text, char sep);

}  // namespace zentavo

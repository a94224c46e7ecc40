// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts of the program: every number read from or written to the
// screen, the report, the label or a study file passes through these helpers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/error.h"
#include "engine/units.h"

namespace zentavo {

// Raised when a text that should hold a number does not. The message is the
// one the error box shows: "'<text>' is not a valid floating point value".
class ConversionError : public Error {
public:
    explicit ConversionError(std::string_view text);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The same message as a text, whole even when `text` holds a NUL byte (an
// exception's what() would end there).
std::string ConversionMessage(std::string_view text);

// Fixed-point text of `value` with `precision` significant digits (2 to 18;
// at most the 15 a double holds for certain, so that every text reads back
// as itself) and `decimals` decimals (0 to 18), halves rounded away from
// zero, written with the decimal separator `sep`. A value whose integer part needs more
// digits than `precision` is written in the short scientific form
// ("9.569E4"; with decimals 1 to 4 the exponent gets leading zeros: "9.569E04").
std::string FormatFixed(double value, int precision, int decimals, char sep = '.');

// Reads a decimal number written with the separator `sep`: optional blanks
// around it, an optional sign, digits with at most one separator, and an
// optional exponent ("E4", "e-3"). Reads back exactly what FormatFixed
// writes. Anything else, and any text whose value is not a finite number
// ("inf", "nan", "1E999"), is no number: ReadNumber gives none, and
// ParseNumber, for a text the program meets at its edge (a file, an
// option), raises ConversionError. Inside, a number test is ReadNumber.
std::optional<double> ReadNumber(std::string_view text, char sep = '.');
double ParseNumber(std::string_view text, char sep = '.');

namespace detail {
// FormatFixed by the shortest digits alone, without its faster way for
// common values: the reference the tests hold the program's texts to.
std::string FormatFixedByShortestDigits(double value, int precision, int decimals, char sep);
}  // namespace detail

// The value as FormatFixed writes it with `decimals` decimals and ParseNumber
// reads it back, without the text: the rounding of the shown digits.
double RoundToDecimals(double value, int decimals);

// Millimetres from a length typed in `unit`.
double ToMillimetres(double value, LengthUnit unit);

inline constexpr double kMmPerInch = 25.4;

// A number text without the zeros that end its decimals ("36", "1.2598");
// a text in E notation or without the separator `sep` as it is.
std::string TrimZeros(std::string t, char sep);

}  // namespace zentavo

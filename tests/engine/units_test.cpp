// SPDX-License-Identifier: GPL-3.0-or-later
// The unit words: each unit is read from its one word and written back as
// it; any other text is no unit, so that a misspelt word is refused where it
// enters instead of being read as some other unit.
#include "engine/units.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace zentavo {
namespace {

enum class Kind { Length, Energy, Pressure, Tnt };

// A word read as a unit of `kind`: its place in the enum, or nullopt.
template <class Unit>
std::optional<int> Index(std::optional<Unit> unit) {
    if (!unit) return std::nullopt;
    return static_cast<int>(*unit);
}
std::optional<int> Parse(Kind kind, std::string_view word) {
    switch (kind) {
        case Kind::Length:
            return Index(ParseLengthUnit(word));
        case Kind::Energy:
            return Index(ParseEnergyUnit(word));
        case Kind::Pressure:
            return Index(ParsePressureUnit(word));
        case Kind::Tnt:
            return Index(ParseTntUnit(word));
    }
    return std::nullopt;
}
std::string_view Word(Kind kind, int unit) {
    switch (kind) {
        case Kind::Length:
            return UnitWord(static_cast<LengthUnit>(unit));
        case Kind::Energy:
            return UnitWord(static_cast<IncidentEnergyUnit>(unit));
        case Kind::Pressure:
            return UnitWord(static_cast<BlastPressureUnit>(unit));
        case Kind::Tnt:
            return UnitWord(static_cast<TntMassUnit>(unit));
    }
    return {};
}

struct WordRow {
    Kind kind;
    const char* word;
    std::optional<int> unit;  // the enumerator's place, nullopt for no unit
};

TEST(UnitWords, EveryUnitIsReadFromItsWordAndWrittenAsItNothingElseIsAUnit) {
    constexpr auto kNone = std::nullopt;
    // clang-format off
    const WordRow rows[] = {
        // Every word of every kind, in the order of its enum.
        {Kind::Length,   "mm",          static_cast<int>(LengthUnit::Millimetres)},
        {Kind::Length,   "inches",      static_cast<int>(LengthUnit::Inches)},
        {Kind::Energy,   "cal/cm2",     static_cast<int>(IncidentEnergyUnit::CaloriesPerCm2)},
        {Kind::Energy,   "J/cm2",       static_cast<int>(IncidentEnergyUnit::JoulesPerCm2)},
        {Kind::Pressure, "lb/ft2",      static_cast<int>(BlastPressureUnit::PoundsPerFt2)},
        {Kind::Pressure, "N/m2",        static_cast<int>(BlastPressureUnit::NewtonsPerM2)},
        {Kind::Pressure, "Atmosphere",  static_cast<int>(BlastPressureUnit::Atmospheres)},
        {Kind::Pressure, "kpa",         static_cast<int>(BlastPressureUnit::Kilopascals)},
        {Kind::Tnt,      "kg",          static_cast<int>(TntMassUnit::Kilograms)},
        {Kind::Tnt,      "lb",          static_cast<int>(TntMassUnit::Pounds)},
        {Kind::Tnt,      "grams",       static_cast<int>(TntMassUnit::Grams)},
        // Words are exact: another case, blanks, other names, the empty text
        // and the words of another kind are no unit.
        {Kind::Length,   "MM",          kNone},
        {Kind::Length,   "millimeters", kNone},
        {Kind::Length,   " inches",     kNone},
        {Kind::Length,   "in",          kNone},
        {Kind::Length,   "feet",        kNone},
        {Kind::Length,   "",            kNone},
        {Kind::Energy,   "J/CM2",       kNone},
        {Kind::Energy,   "cal/cm2 ",    kNone},
        {Kind::Energy,   "",            kNone},
        {Kind::Pressure, "atmosphere",  kNone},
        {Kind::Pressure, "kPa",         kNone},
        {Kind::Pressure, "psi",         kNone},
        {Kind::Pressure, "",            kNone},
        {Kind::Tnt,      "g",           kNone},
        {Kind::Tnt,      "Kg",          kNone},
        {Kind::Tnt,      "mm",          kNone},
        {Kind::Tnt,      "",            kNone},
    };
    // clang-format on
    for (const WordRow& r : rows) {
        const std::optional<int> unit = Parse(r.kind, r.word);
        EXPECT_EQ(unit, r.unit) << '"' << r.word << '"';
        if (unit) {
            EXPECT_EQ(Word(r.kind, *unit), r.word);  // the round trip
        }
    }
}

}  // namespace
}  // namespace zentavo

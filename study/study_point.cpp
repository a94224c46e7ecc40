// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/study_point.h"

#include <span>

#include "engine/catalog.h"
#include "engine/number.h"

namespace zentavo {

std::string WithoutNumberPadding(std::string_view t, char sep) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    auto digits = [&](std::size_t& i) {
        const std::size_t from = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        return t.substr(from, i - from);
    };
    std::size_t i = 0;
    std::string out;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
    std::string_view whole = digits(i), fraction;
    bool separator = false;
    if (i < t.size() && t[i] == sep) {
        separator = true;
        ++i;
        fraction = digits(i);
    }
    if (whole.empty() && fraction.empty()) return {};
    std::string exponent;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        exponent = "e";
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) exponent += t[i++];
        std::string_view e = digits(i);
        if (e.empty()) return {};
        while (e.size() > 1 && e.front() == '0') e.remove_prefix(1);
        exponent += e;
    }
    if (i != t.size()) return {};
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    out += whole.empty() ? std::string_view("0") : whole;
    if (separator && !fraction.empty()) {
        out += sep;
        out += fraction;
    }
    return out + exponent;
}

namespace {

std::optional<int> WordIndex(StudyInputColumn c, std::string_view v) {
    const std::span<const std::string_view> words = StudyColumnWords(c);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == v) return static_cast<int>(i);
    }
    return std::nullopt;
}

WordCell ReadWord(StudyInputColumn c, std::string_view v) {
    return WordCell{v, v.empty() ? std::nullopt : WordIndex(c, v)};
}

// An item given by its word, as `listed` lists it, or by its index; empty
// means the first item.
WordCell ReadItem(StudyInputColumn c, std::string_view v,
                  std::span<const std::string_view> listed) {
    if (v.empty()) return WordCell{v, 0};
    if (auto i = WordIndex(c, v)) return WordCell{v, i};
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (listed[i] == v) return WordCell{v, static_cast<int>(i)};
    }
    const std::size_t n = StudyColumnWords(c).size();
    if (v.size() == 1 && v[0] >= '0' && static_cast<std::size_t>(v[0] - '0') < n)
        return WordCell{v, v[0] - '0'};
    return WordCell{v, std::nullopt};
}

}  // namespace

NumberCell ReadNumberCell(std::string_view text, char sep) {
    if (text.empty()) return NumberCell{text, std::nullopt};
    if (text.size() <= kLongestNumberText) return NumberCell{text, ReadNumber(text, sep)};
    const std::string shorter = WithoutNumberPadding(text, sep);
    return NumberCell{text, shorter.empty() ? std::nullopt : ReadNumber(shorter, sep)};
}

StudyPoint ReadStudyPoint(const std::array<std::string_view, kStudyInputColumnCount>& row,
                          char sep) {
    StudyPoint p;
    p.method = ReadWord(kMethodColumn, row[kMethodColumn]);
    p.equipmentClass = ReadWord(kEquipmentClassColumn, row[kEquipmentClassColumn]);
    p.grounding = ReadWord(kGroundingColumn, row[kGroundingColumn]);
    p.electrode = ReadWord(kElectrodeConfigurationColumn, row[kElectrodeConfigurationColumn]);
    p.fuseClass = ReadItem(kFuseClassColumn, row[kFuseClassColumn], {});
    p.breakerType = ReadItem(kBreakerTypeColumn, row[kBreakerTypeColumn], kBreakerTypes);
    p.dcBox = ReadWord(kDcBoxColumn, row[kDcBoxColumn]);
    p.gapUnit = StudyLengthUnit(row[kGapUnitColumn]);
    p.workDistUnit = StudyLengthUnit(row[kWorkDistanceUnitColumn]);
    p.enclosureUnit = StudyLengthUnit(row[kEnclosureUnitColumn]);
    auto number = [&](StudyInputColumn c) { return ReadNumberCell(row[c], sep); };
    p.voltage = number(kVoltageColumn);
    p.boltedCurrent = number(kBoltedCurrentColumn);
    p.gap = number(kGapColumn);
    p.workDistance = number(kWorkDistanceColumn);
    p.arcTime = number(kArcTimeColumn);
    p.arcTimeReduced = number(kArcTimeReducedColumn);
    p.height = number(kEnclosureHeightColumn);
    p.width = number(kEnclosureWidthColumn);
    p.depth = number(kEnclosureDepthColumn);
    p.interruptingRating = number(kInterruptingRatingColumn);
    p.instantaneousTrip = number(kInstantaneousTripColumn);
    p.dcSourceR = number(kDcSourceRColumn);
    p.deviceRating = number(kDeviceRatingColumn);
    return p;
}

RowProblem UnknownWord(StudyInputColumn column, std::string_view text) {
    return RowProblem{
        std::string(kStudyInputNames[column]) + ": unknown value \"" + std::string(text) + "\"",
        RefusalCode::UnknownWord};
}

RowProblem NotANumber(const NumberCell& cell, std::optional<StudyInputColumn> named) {
    std::string m = ConversionMessage(cell.text);
    if (named) m = std::string(kStudyInputNames[*named]) + ": " + m;
    return RowProblem{std::move(m), std::nullopt};
}

}  // namespace zentavo

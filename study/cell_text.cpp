// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/cell_text.h"

#include <algorithm>

#include "engine/number.h"

namespace zentavo {

namespace {

constexpr std::string_view kNone = "none";

bool IsNumber(std::string_view text, char sep) {
    return ReadNumber(text, sep).has_value();
}

// `text` with its decimal separator `from` written as `to`, when it is a
// number read with `from`; else as it is.
std::string Renumbered(std::string_view text, char from, char to) {
    std::string out(text);
    if (from != to && IsNumber(text, from)) std::replace(out.begin(), out.end(), from, to);
    return out;
}

// A fuse curve's inline points ("100:0,5 200:0,1") with each current and
// time renumbered; blanks, a curve's name and a point that is none (the row
// names it) stay as they are.
std::string RenumberedCurve(std::string_view text, char from, char to) {
    if (from == to || text.find(':') == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (i < text.size()) {
        std::size_t end = i;
        if (blank(text[i])) {
            while (end < text.size() && blank(text[end])) ++end;
            out += text.substr(i, end - i);
        } else {
            while (end < text.size() && !blank(text[end])) ++end;
            const std::string_view point = text.substr(i, end - i);
            const std::size_t colon = point.find(':');
            const bool numbers = colon != std::string_view::npos && point.find(':', colon + 1) == std::string_view::npos &&
                                 IsNumber(point.substr(0, colon), from) && IsNumber(point.substr(colon + 1), from);
            if (!numbers) {
                out += point;
            } else {
                out += Renumbered(point.substr(0, colon), from, to);
                out += ':';
                out += Renumbered(point.substr(colon + 1), from, to);
            }
        }
        i = end;
    }
    return out;
}

std::string Renumber(StudyInputColumn column, std::string_view text, char from, char to) {
    switch (StudyColumnKind(column)) {
        case StudyCellKind::Number:
            return Renumbered(text, from, to);
        case StudyCellKind::NumberOrNone:
            return text == kNone ? std::string(text) : Renumbered(text, from, to);
        case StudyCellKind::Curve:
            return RenumberedCurve(text, from, to);
        case StudyCellKind::Word:
        case StudyCellKind::Text:
            break;
    }
    return std::string(text);
}

}  // namespace

std::string TypedCellFault(StudyInputColumn column, std::string_view typed, char sep) {
    if (typed.empty()) return {};
    const std::string quoted = "'" + std::string(typed) + "'";
    switch (StudyColumnKind(column)) {
        case StudyCellKind::Number:
            if (!IsNumber(typed, sep)) return quoted + " is not a valid floating point value";
            break;
        case StudyCellKind::NumberOrNone:
            if (typed != kNone && !IsNumber(typed, sep)) {
                return std::string(kStudyInputNames[column]) + ": " + quoted +
                       " is not a valid floating point value or \"none\"";
            }
            break;
        case StudyCellKind::Word:
        case StudyCellKind::Curve:
        case StudyCellKind::Text:
            break;
    }
    return {};
}

std::string StoredCell(StudyInputColumn column, std::string_view typed, char sep) {
    return Renumber(column, typed, sep, '.');
}

std::string ShownCell(StudyInputColumn column, std::string_view stored, char sep) {
    return Renumber(column, stored, '.', sep);
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// What a study's input columns describe, for those who show a row whole (the
// study window's table and its row form): the group each column falls in, the
// columns in that order, and which columns a row takes by its method, its
// protective device and the branch it defines. A column a row does not take
// is read as empty by the row's method; showing it only where it applies is
// what keeps a form short.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "study/columns.h"

namespace zentavo {

enum class StudyColumnGroup : std::uint8_t {
    Method,     // the method, the system and the equipment (voltage, current, class, configuration, DC source)
    Distances,  // gap, working distance, enclosure, and their units
    Duration,   // typed arc durations, or the protective device and its settings
    Network,    // where the point sits in the network: its bus and the branch that feeds it
};
inline constexpr int kStudyColumnGroupCount = 4;

StudyColumnGroup GroupOf(StudyInputColumn column);

// The input columns by group, each group's in the order a reader takes them in
// (a value before its unit; a device's type before its settings; a branch's
// type before its values).
std::span<const StudyInputColumn> StudyInputsByGroup();

// The words of a row that decide which columns it takes.
struct StudyRowShape {
    std::string_view method{};    // its method column; empty or unknown: every method's columns
    std::string_view deviceType{};  // device_type; empty: durations typed
    std::string_view branchType{};  // branch_type; empty: the row defines no branch
    bool onBus = false;           // it names a bus: the network gives its bolted current
};

// Whether a row of that shape takes the column: the method's own inputs,
// the durations typed or its device's settings (a device's type only), its
// branch's values (a branch type's only), and what every row may take (the
// name of its bus, motors on it, the label's equipment class).
bool ColumnApplies(StudyInputColumn column, const StudyRowShape& row);

}  // namespace zentavo

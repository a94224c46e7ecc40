// SPDX-License-Identifier: GPL-3.0-or-later
// What an edit of one row brings with it, for those who edit a row whole
// (the study window's row form): the cells a new device, branch or method
// leaves without use (whose text would refuse the row, unseen), the cells an
// equipment type of the IEEE 1584-2018 model fills, what an empty cell
// stands for, and the name of a copy of a point.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "study/columns.h"

namespace zentavo {

class StudyFile;
struct Ieee2018Equipment;

// Whether text in a column the row does not take refuses the row: the
// durations typed, a device's settings, a branch's values, a bolted current
// on a bus. Another method's inputs are passed by, and are not.
bool UnusedTextRefusesRow(StudyInputColumn column);

// The cells of row `row` that `text` put in `changed` (a method, device
// type, branch type or bus) leaves without use: they held text, the row took
// them before and does not after. Only the columns whose text refuses a row
// that does not take them (the durations typed, a device's settings, a
// branch's values, a bolted current on a bus); a method's own inputs that
// another method passes by are kept. In the order of the row's columns.
std::vector<StudyInputColumn> CellsLeftUnused(const StudyFile& study, std::size_t row,
                                              StudyInputColumn changed, std::string_view text);

// The cells an equipment type of the 2018 model fills on row `row`: its
// electrode configuration, gap, enclosure and working distance in the row's
// own length units (millimetres where a row names none), and the equipment
// class a label and the report name it by.
std::vector<std::pair<StudyInputColumn, std::string>> EquipmentTypeCells(
    const StudyFile& study, std::size_t row, const Ieee2018Equipment& type);

// The label's equipment class of an equipment type of the 2018 model (a
// word of kEquipmentClasses): switchgear, an MCC or panelboard, a cable
// junction box.
std::string_view EquipmentClassOf(const Ieee2018Equipment& type);

// What an empty cell of a column stands for, where the reader takes
// something in its place: a number in the column's unit (StudyInputUnit), or
// no such element (a device without an instantaneous pickup). No value for
// a column whose empty cell is nothing, or depends on the rest of the row.
struct EmptyCellMeaning {
    std::optional<double> number;  // none: "none"
};
std::optional<EmptyCellMeaning> EmptyCellMeans(StudyInputColumn column);

// The name of a copy of the point `name`: "name (2)", or the next number
// free, counting on from a name that already ends in one ("A (2)" gives
// "A (3)"). `taken` says whether a name is used.
std::string CopyName(std::string_view name, const std::function<bool(std::string_view)>& taken);

}  // namespace zentavo

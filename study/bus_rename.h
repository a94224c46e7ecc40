// SPDX-License-Identifier: GPL-3.0-or-later
// A bus renamed in one step: the cells of a study that name a bus (a row's
// bus, its branch's from_bus, a three-winding transformer's lv_bus), and
// whether a new name may take the place of an old one. The network joins
// rows by these names as typed, so every cell naming the bus changes
// together, or the rows would come apart into two buses.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "study/columns.h"

namespace zentavo {

class StudyFile;

// The columns whose cells name a bus.
inline constexpr StudyInputColumn kBusNameColumns[] = {kBusColumn, kFromBusColumn, kLvBusColumn};

// A cell naming a bus: its row (from 0) and column.
struct BusCell {
    std::size_t row = 0;
    StudyInputColumn column = kBusColumn;
    bool operator==(const BusCell&) const = default;
};

// Every cell of `study` naming the bus `bus` (as typed, the network's own
// matching), row by row, in the order of kBusNameColumns within a row.
// None for an empty name.
std::vector<BusCell> CellsNamingBus(const StudyFile& study, std::string_view bus);

// Why `name` cannot replace the bus `bus`; None when it can.
enum class BusRenameFault {
    None,
    NoSuchBus,  // no cell names `bus`
    Unchanged,  // `name` is `bus`
    Empty,      // nothing but blanks
    LineBreak,  // a tab or line break: a bus's name is one line, one cell of a copied row
    Taken,      // another bus of the study has that name
};
BusRenameFault CheckBusRename(const StudyFile& study, std::string_view bus, std::string_view name);

}  // namespace zentavo

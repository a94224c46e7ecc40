// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/bus_rename.h"

#include "study/study_file.h"

namespace zentavo {

std::vector<BusCell> CellsNamingBus(const StudyFile& study, std::string_view bus) {
    std::vector<BusCell> cells;
    if (bus.empty()) return cells;
    for (std::size_t r = 0; r < study.RowCount(); ++r) {
        for (StudyInputColumn c : kBusNameColumns) {
            if (study.Input(r, c) == bus) cells.push_back({r, c});
        }
    }
    return cells;
}

BusRenameFault CheckBusRename(const StudyFile& study, std::string_view bus, std::string_view name) {
    if (CellsNamingBus(study, bus).empty()) return BusRenameFault::NoSuchBus;
    if (name == bus) return BusRenameFault::Unchanged;
    if (name.find_first_not_of(" \t\r\n") == std::string_view::npos) return BusRenameFault::Empty;
    if (name.find_first_of("\t\r\n") != std::string_view::npos) return BusRenameFault::LineBreak;
    if (!CellsNamingBus(study, name).empty()) return BusRenameFault::Taken;
    return BusRenameFault::None;
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// A bus renamed in one step: the cells that name it in every bus column,
// and the names refused in its place.
#include "study/bus_rename.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "study/study_file.h"

using namespace zentavo;

namespace {

// A utility, a switchgear under it, a three-winding transformer from the
// switchgear to MV and LV, a point on LV and one on "lv" (another bus: names
// are matched as typed).
StudyFile Plant() {
    return StudyFile::Parse(
        "point,bus,from_bus,lv_bus,branch_type\r\n"
        "Utility,UTIL,,,source\r\n"
        "Switchgear,SWG,UTIL,,cable\r\n"
        "T3,MV,SWG,LV,transformer3\r\n"
        "Panel,LV,,,\r\n"
        "Other panel,lv,,,\r\n",
        StudyOptions{});
}

}  // namespace

TEST(BusRename, EveryCellNamingTheBusInEveryBusColumn) {
    const StudyFile study = Plant();
    EXPECT_EQ(CellsNamingBus(study, "SWG"),
              (std::vector<BusCell>{{1, kBusColumn}, {2, kFromBusColumn}}));
    EXPECT_EQ(CellsNamingBus(study, "LV"),
              (std::vector<BusCell>{{2, kLvBusColumn}, {3, kBusColumn}}));
    EXPECT_EQ(CellsNamingBus(study, "lv"), (std::vector<BusCell>{{4, kBusColumn}}));
    EXPECT_TRUE(CellsNamingBus(study, "").empty());  // the empty cells of rows without a branch
    EXPECT_TRUE(CellsNamingBus(study, "Switchgear").empty());  // a point's name is no bus
}

TEST(BusRename, NamesRefusedInTheBusesPlace) {
    const StudyFile study = Plant();
    struct Case {
        const char* bus;
        std::string name;
        BusRenameFault fault;
    };
    // clang-format off
    const Case cases[] = {
        {"SWG",  "SWG-1",        BusRenameFault::None},
        {"LV",   "Lv",           BusRenameFault::None},       // case counts, as in the network
        {"NONE", "X",            BusRenameFault::NoSuchBus},
        {"",     "X",            BusRenameFault::NoSuchBus},
        {"SWG",  "SWG",          BusRenameFault::Unchanged},
        {"SWG",  "",             BusRenameFault::Empty},
        {"SWG",  " \t ",         BusRenameFault::Empty},
        {"SWG",  "A\tB",         BusRenameFault::LineBreak},
        {"SWG",  "A\nB",         BusRenameFault::LineBreak},
        {"SWG",  "A\r\n",        BusRenameFault::LineBreak},
        {"SWG",  "UTIL",         BusRenameFault::Taken},      // another row's bus
        {"SWG",  "MV",           BusRenameFault::Taken},      // named only as a bus of the transformer
        {"MV",   "LV",           BusRenameFault::Taken},      // named in lv_bus and bus
        {"UTIL", "lv",           BusRenameFault::Taken},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(CheckBusRename(study, c.bus, c.name), c.fault) << c.bus << " -> " << c.name;
    }
}

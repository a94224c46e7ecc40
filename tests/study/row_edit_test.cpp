// SPDX-License-Identifier: GPL-3.0-or-later
// What an edit of a row brings with it: the cells a new device, branch,
// method or bus leaves without use (emptied, the row is read as shown), the
// cells an equipment type fills, what an empty cell stands for (a row with
// the cell empty computes as one with that value typed), a copy's name.
#include "study/row_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/catalog.h"
#include "engine/ieee2018.h"
#include "study/study_file.h"

using namespace zentavo;

namespace {

const std::string kHeader =
    "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,arc_"
    "time_reduced,"
    "device_type,relay_curve,relay_pickup,relay_time_dial,trip_rating,trip_lt_pickup,trip_lt_delay,"
    "trip_inst_pickup,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,"
    "cable_r,cable_x\r\n";

std::vector<std::string> Names(const std::vector<StudyInputColumn>& columns) {
    std::vector<std::string> out;
    for (StudyInputColumn c : columns) out.emplace_back(kStudyInputNames[c]);
    return out;
}

}  // namespace

// Each change, the cells it leaves without use; emptied, the row that was
// refused for them is computed (where the rest of it is whole).
TEST(RowEdit, AChoiceEmptiesTheCellsItLeavesWithoutUse) {
    struct Case {
        const char* what;
        const char* row;  // after "P,"
        StudyInputColumn changed;
        const char* text;
        std::vector<std::string> unused;
        bool computesAfter;
    };
    // clang-format off
    const Case cases[] = {
        {"a trip unit chosen over typed durations",
         "empirical,480,20,32,455,Switchgear,Grounded,0.2,0.25,,,,,800,1,10,10,,,,,,,,,,,",
         kDeviceTypeColumn, "trip-unit", {"arc_time", "arc_time_reduced"}, true},
        {"a relay given up for typed durations",
         "empirical,480,20,32,455,Switchgear,Grounded,,,relay,IEEE-VI,600,2,,,,,,,,,,,,,,,",
         kDeviceTypeColumn, "", {"relay_curve", "relay_pickup", "relay_time_dial"}, false},
        {"a relay changed for a trip unit",
         "empirical,480,20,32,455,Switchgear,Grounded,,,relay,IEEE-VI,600,2,800,1,10,10,,,,,,,,,,,",
         kDeviceTypeColumn, "trip-unit", {"relay_curve", "relay_pickup", "relay_time_dial"}, true},
        {"the fuse method, whose equations hold their own duration",
         "empirical,480,20,32,455,Switchgear,Grounded,,,relay,IEEE-VI,600,2,,,,,,,,,,,,,,,",
         kMethodColumn, "fuse", {"device_type", "relay_curve", "relay_pickup", "relay_time_dial"}, false},
        {"another arc model keeps the method's inputs",
         "empirical,480,20,32,455,Switchgear,Grounded,0.2,0.2,,,,,,,,,,,,,,,,,,,",
         kMethodColumn, "ieee1584-2018", {}, false},
        {"a transformer made a cable keeps its buses",
         "empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,,,,B,A,transformer,,,1000,5.75,6,,,",
         kBranchTypeColumn, "cable", {"tx_kva", "tx_z", "tx_xr"}, false},
        {"a branch given up",
         "empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,,,,B,A,transformer,,,1000,5.75,6,,,",
         kBranchTypeColumn, "", {"from_bus", "tx_kva", "tx_z", "tx_xr"}, false},
        {"a bus named: the network gives the current",
         "empirical,480,20,32,455,Switchgear,Grounded,0.2,0.2,,,,,,,,,,,,,,,,,,,",
         kBusColumn, "MAIN", {"bolted_current"}, false},
        {"a column that decides nothing",
         "empirical,480,20,32,455,Switchgear,Grounded,0.2,0.25,,,,,800,1,10,10,,,,,,,,,,,",
         kVoltageColumn, "600", {}, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StudyFile study = StudyFile::Parse(kHeader + "P," + c.row + "\r\n", {});
        const std::vector<StudyInputColumn> unused = CellsLeftUnused(study, 0, c.changed, c.text);
        EXPECT_EQ(Names(unused), c.unused);
        if (!c.computesAfter) continue;
        study.SetField(0, study.Columns()[c.changed], c.text);
        ASSERT_FALSE(study.Result(0).Computed());
        for (StudyInputColumn u : unused) study.SetField(0, study.Columns()[u], "");
        EXPECT_TRUE(study.Result(0).Computed()) << study.Result(0).message;
    }
}

// An equipment type fills its sizes in the row's own units and names the
// class the label and the report take.
TEST(RowEdit, AnEquipmentTypeFillsItsSizesAndClass) {
    const std::string header = "point,method,gap_unit,work_distance_unit,enclosure_unit\r\n";
    struct Case {
        std::size_t type;
        const char* units;
        std::vector<std::pair<std::string, std::string>> cells;
    };
    // clang-format off
    const Case cases[] = {
        {0, ",,", {{"equipment_class", "Switchgear"}, {"electrode_configuration", "VCB"}, {"gap", "152"},
                  {"enclosure_height", "1143"}, {"enclosure_width", "762"}, {"enclosure_depth", "762"},
                  {"work_distance", "914.4"}}},
        {6, "mm,inches,inches", {{"equipment_class", "MCC and Panels"}, {"electrode_configuration", "VCB"}, {"gap", "25"},
                        {"enclosure_height", "14"}, {"enclosure_width", "12"}, {"enclosure_depth", "8"},
                        {"work_distance", "18"}}},
        {8, "inches,mm,mm", {{"equipment_class", "Cable"}, {"electrode_configuration", "VCB"}, {"gap", "0.5118"},
                        {"enclosure_height", "355.6"}, {"enclosure_width", "304.8"}, {"enclosure_depth", "203.2"},
                        {"work_distance", "457.2"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(kIeee2018Equipment[c.type].name);
        const StudyFile study =
            StudyFile::Parse(header + "P,ieee1584-2018," + c.units + "\r\n", {});
        std::vector<std::pair<std::string, std::string>> cells;
        for (const auto& [column, text] : EquipmentTypeCells(study, 0, kIeee2018Equipment[c.type]))
            cells.emplace_back(kStudyInputNames[column], text);
        EXPECT_EQ(cells, c.cells);
    }
    // Every type names a class of the list.
    for (const Ieee2018Equipment& e : kIeee2018Equipment) {
        EXPECT_NE(
            std::find(kEquipmentClasses.begin(), kEquipmentClasses.end(), EquipmentClassOf(e)),
            kEquipmentClasses.end());
    }
}

// A row with one of these cells empty gives what the row with the value
// typed gives: the value an empty cell stands for is the one the form shows.
TEST(RowEdit, AnEmptyCellComputesAsItsMeaningTyped) {
    const std::string relay =
        "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,device_"
        "type,relay_curve,"
        "relay_pickup,relay_time_dial,relay_inst_pickup,relay_inst_delay,breaker_time,max_arc_"
        "time\r\n"
        "P,empirical,13800,20,153,910,Switchgear,Grounded,relay,IEEE-EI,2000,10,";
    const std::string trip =
        "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,device_"
        "type,trip_rating,"
        "trip_lt_pickup,trip_lt_delay,trip_inst_pickup,trip_inst_time,trip_tolerance\r\n"
        "P,empirical,480,30,32,455,Switchgear,Grounded,trip-unit,800,1,10,";
    const std::string network =
        "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_"
        "reduced,bus,from_bus,"
        "branch_type,source_ka,source_xr,cable_length,cable_r,cable_x,cable_sets\r\n"
        "S,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,A,,source,30,10,,,,\r\n"
        "P,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,B,A,cable,,,100,0.2,0.1,";
    struct Case {
        StudyInputColumn column;
        std::string row;  // "{}" where the cell goes
    };
    // clang-format off
    const Case cases[] = {
        {kMaxArcTimeColumn,     relay + ",,0.083,{}"},  // the relay's curve is slower than 2 s here
        {kBreakerTimeColumn,    relay + "8000,0,{},"},
        {kRelayInstDelayColumn, relay + "1000,{},0.083,"},
        {kTripInstTimeColumn,   trip + "10,{},0.1"},
        {kTripToleranceColumn,  trip + ",,{}"},
        {kCableSetsColumn,      network + "{}"},
    };
    // clang-format on
    std::set<StudyInputColumn> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(kStudyInputNames[c.column]));
        const std::optional<EmptyCellMeaning> means = EmptyCellMeans(c.column);
        ASSERT_TRUE(means && means->number);
        covered.insert(c.column);
        std::string empty = c.row, typed = c.row;
        empty.replace(empty.find("{}"), 2, "");
        std::string number = std::to_string(*means->number);
        typed.replace(typed.find("{}"), 2, number);
        const StudyFile a = StudyFile::Parse(empty + "\r\n", {});
        const StudyFile b = StudyFile::Parse(typed + "\r\n", {});
        const std::size_t last = a.RowCount() - 1;
        ASSERT_TRUE(a.Result(last).Computed()) << a.Result(last).message;
        ASSERT_TRUE(b.Result(last).Computed()) << b.Result(last).message;
        EXPECT_EQ(a.Result(last).full.energy, b.Result(last).full.energy);
        EXPECT_EQ(a.Result(last).Governing().energy, b.Result(last).Governing().energy);
        EXPECT_EQ(a.Result(last).Governing().boundary, b.Result(last).Governing().boundary);
    }
    // Every number an empty cell stands for is checked.
    for (int i = 0; i < kStudyInputColumnCount; ++i) {
        const auto column = static_cast<StudyInputColumn>(i);
        if (const auto means = EmptyCellMeans(column); means && means->number) {
            EXPECT_TRUE(covered.contains(column)) << kStudyInputNames[column];
        }
    }
}

// A copy's name: the next number free after the name's own.
TEST(RowEdit, ACopyIsNamedByTheNextFreeNumber) {
    const std::set<std::string> taken = {"MCC-1", "MCC-1 (2)", "Panel (3)", "Feeder (x)"};
    auto copy = [&](const char* name) {
        return CopyName(name, [&](std::string_view n) { return taken.contains(std::string(n)); });
    };
    EXPECT_EQ(copy("MCC-1"), "MCC-1 (3)");
    EXPECT_EQ(copy("MCC-1 (2)"), "MCC-1 (3)");
    EXPECT_EQ(copy("Panel (3)"), "Panel (4)");
    EXPECT_EQ(copy("Feeder (x)"), "Feeder (x) (2)");
    EXPECT_EQ(copy("Bus (02)"), "Bus (02) (2)");
    EXPECT_EQ(copy(""), " (2)");
}

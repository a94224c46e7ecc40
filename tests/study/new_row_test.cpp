// SPDX-License-Identifier: GPL-3.0-or-later
// A row added to a study: what it takes from the row it is made like, from
// the study's most common values or from nothing, and that a point made like
// a computed row is computed too.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "study/new_row.h"
#include "study/study_file.h"

using namespace zentavo;

namespace {

// Two typed empirical points, a 2018 point with a relay, a source on bus
// MAIN and a point on that bus.
constexpr std::string_view kStudy =
    "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
    "device_type,relay_curve,relay_pickup,relay_time_dial,bus,branch_type,source_ka,source_xr\r\n"
    "A,empirical,480,20,32,455,Switchgear,Grounded,0.2,0.2,,,,,,,,\r\n"
    "B,empirical,480,30,25,455,MCC and Panels,Grounded,0.1,0.1,,,,,,,,\r\n"
    "C,ieee1584-2018,4160,15,104,914.4,Switchgear,,,,relay,IEEE-VI,400,1,,,,\r\n"
    "Source,empirical,13800,,153,910,Switchgear,Grounded,0.5,0.5,,,,,MAIN,source,25,15\r\n";

std::map<std::string, std::string> Cells(const NewRow& row) {
    std::map<std::string, std::string> out;
    for (const auto& [c, text] : row.cells) out[std::string(kStudyInputNames[c])] = text;
    return out;
}

}  // namespace

TEST(NewRow, TakesWhatItsRowOrTheStudyHolds) {
    using M = std::map<std::string, std::string>;
    const StudyFile study = StudyFile::Parse(kStudy, {});
    struct Case {
        const char* what;
        std::optional<std::size_t> like;
        NewRowKind kind;
        const char* point;
        M cells;
    };
    // clang-format off
    const Case cases[] = {
        {"like a typed point", 0, NewRowKind::Point, "New point",
         {{"method", "empirical"}, {"voltage", "480"}, {"bolted_current", "20"}, {"gap", "32"}, {"work_distance", "455"},
          {"equipment_class", "Switchgear"}, {"grounding", "Grounded"}, {"arc_time", "0.2"}, {"arc_time_reduced", "0.2"}}},
        {"like a point with a device: no durations, no device", 2, NewRowKind::Point, "New point",
         {{"method", "ieee1584-2018"}, {"voltage", "4160"}, {"bolted_current", "15"}, {"gap", "104"},
          {"work_distance", "914.4"}, {"equipment_class", "Switchgear"}}},
        {"the most common values", std::nullopt, NewRowKind::Point, "New point",
         {{"method", "empirical"}, {"voltage", "480"}, {"bolted_current", "20"}, {"gap", "32"}, {"work_distance", "455"},
          {"equipment_class", "Switchgear"}, {"grounding", "Grounded"}, {"arc_time", "0.2"}, {"arc_time_reduced", "0.2"}}},
        {"a point on the bus: its current from the network", 3, NewRowKind::PointOnBus, "New point",
         {{"method", "empirical"}, {"voltage", "13800"}, {"gap", "153"}, {"work_distance", "910"},
          {"equipment_class", "Switchgear"}, {"grounding", "Grounded"}, {"arc_time", "0.5"}, {"arc_time_reduced", "0.5"},
          {"bus", "MAIN"}}},
        {"a feeder from the bus", 3, NewRowKind::Feeder, "Bus 1",
         {{"method", "empirical"}, {"voltage", "13800"}, {"gap", "153"}, {"work_distance", "910"},
          {"equipment_class", "Switchgear"}, {"grounding", "Grounded"}, {"arc_time", "0.5"}, {"arc_time_reduced", "0.5"},
          {"bus", "Bus 1"}, {"from_bus", "MAIN"}, {"branch_type", "cable"}}},
        {"on the bus of a row on none: a point", 0, NewRowKind::Feeder, "New point",
         {{"method", "empirical"}, {"voltage", "480"}, {"bolted_current", "20"}, {"gap", "32"}, {"work_distance", "455"},
          {"equipment_class", "Switchgear"}, {"grounding", "Grounded"}, {"arc_time", "0.2"}, {"arc_time_reduced", "0.2"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const NewRow row = MakeNewRow(study, c.like, c.kind);
        EXPECT_EQ(row.point, c.point) << c.what;
        EXPECT_EQ(Cells(row), c.cells) << c.what;
    }
    // A new study's first row: the 2018 model's low-voltage switchgear, no voltage or current made up.
    const NewRow first = MakeNewRow(StudyFile(), std::nullopt, NewRowKind::Point);
    const M expected = {{"method", "ieee1584-2018"}, {"equipment_class", "Switchgear"},
                        {"electrode_configuration", "VCB"}, {"gap", "32"}, {"gap_unit", "mm"},
                        {"work_distance", "609.6"}, {"work_distance_unit", "mm"}, {"enclosure_height", "508"},
                        {"enclosure_width", "508"}, {"enclosure_depth", "508"}, {"enclosure_unit", "mm"}};
    EXPECT_EQ(Cells(first), expected);
}

// A point made like a computed row is computed: it is no error row.
TEST(NewRow, MadeLikeAComputedRowItIsComputed) {
    StudyFile study = StudyFile::Parse(kStudy, {});
    for (std::size_t like : {0u, 1u}) {
        ASSERT_TRUE(study.Result(like).Computed()) << study.Result(like).message;
        const NewRow row = MakeNewRow(study, like, NewRowKind::Point);
        std::vector<std::string> fields(study.Header().size());
        fields[static_cast<std::size_t>(study.PointColumn())] = row.point;
        for (const auto& [c, text] : row.cells) fields[static_cast<std::size_t>(study.Columns()[c])] = text;
        study.InsertRow(study.RowCount(), fields);
        const PointResult& added = study.Result(study.RowCount() - 1);
        EXPECT_TRUE(added.Computed()) << added.message;
        EXPECT_DOUBLE_EQ(added.Governing().energy, study.Result(like).Governing().energy);
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A study's DC rows: one row per worked example of the DC facts sheet gives
// its printed numbers in the result CSV, with the DC columns written only
// by a study that has one; the refusals of a DC row's columns; a DC row
// beside a network, which it may not join.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "study/csv.h"
#include "study/run.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using Row = study_test::CsvRow;

std::string Output(const std::string& study, const StudyOptions& options = {}) {
    std::string out;
    RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    return out;
}

// A shown value against a printed one: each rounded, so they differ by at
// most half a unit of each's last digit.
void ExpectShown(const Row& row, const char* column, double printed, int printedDecimals) {
    const std::string& text = row.at(column);
    const auto dot = text.find('.');
    const int shown = dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
    const double slack = 0.5 * std::pow(10.0, -shown) + 0.5 * std::pow(10.0, -printedDecimals);
    EXPECT_NEAR(std::stod(text), printed, slack) << row.at("point") << " " << column << " " << text;
}

// E1 by maximum power (its source resistance), E2 to E4 by arc resistance
// (their bolted currents), E5 by its resistance without a duration: 2 s
// assumed and said, with its low-voltage note.
const char* const kWorkedStudy =
    "point,method,voltage,bolted_current,dc_source_r,gap,work_distance,arc_time,dc_box\n"
    "E1,dc-max-power,504,,0.21,,457.2,2,open\n"
    "E1 LV switchgear,dc-max-power,504,,0.21,,457.2,2,lv-switchgear\n"
    "E2,dc-arc-resistance,500,10,,20,457.2,2,open\n"
    "E3,dc-arc-resistance,258,18.7,,20,457.2,2,open\n"
    "E4,dc-arc-resistance,250,10,,25,455,2,open\n"
    "E5,dc-arc-resistance,48,,0.016,25,457.2,,open\n";

TEST(DcStudy, WorkedExamplesInTheResultCsv) {
    StudyOptions o;
    o.units.BoundaryUnit = LengthUnit::Millimetres;  // the sheet prints centimetres
    const std::string out = Output(kWorkedStudy, o);
    EXPECT_EQ(out.substr(0, out.find("\r\n")),
              "point,method,voltage,bolted_current,dc_source_r,gap,work_distance,arc_time,dc_box,status,message,"
              "arcing_current,arcing_current_reduced,incident_energy,flash_boundary,ppe_level,clothing_1,clothing_2,"
              "incident_energy_reduced,flash_boundary_reduced,ppe_level_reduced,clothing_reduced_1,"
              "clothing_reduced_2,pressure,pressure_reduced,tnt,tnt_reduced,limited_approach,restricted_approach,"
              "prohibited_approach,governing,equations,incident_energy_governing,flash_boundary_governing,"
              "ppe_level_governing,enclosure_type,enclosure_factor,arc_voltage,arc_power");
    const std::vector<Row> rows = study_test::CsvRows(out);
    ASSERT_EQ(rows.size(), 6u);
    struct Printed {
        const char* column;
        double value;
        int decimals;
    };
    // kA from the sheet's amperes, kW from its watts, mm from its centimetres.
    const std::vector<std::vector<Printed>> printed = {
        {{"arcing_current", 1.2, 4}, {"incident_energy", 5.78668, 5}, {"flash_boundary", 1003.99, 2},
         {"arc_voltage", 252, 0}},
        {{"incident_energy", 12.8512, 4}, {"flash_boundary", 1947.32, 2}},
        {{"arcing_current", 8.190808, 6}, {"arc_voltage", 90.45958, 5}, {"arc_power", 740.937, 3},
         {"incident_energy", 13.48301, 5}, {"flash_boundary", 1532.53, 2}},
        {{"arcing_current", 11.84656, 5}, {"arc_voltage", 94.5554, 4}, {"incident_energy", 20.3838, 4},
         {"flash_boundary", 1884.33, 2}},
        {{"arcing_current", 6.19626, 5}, {"arc_voltage", 95.094, 3}, {"incident_energy", 10.826, 3},
         {"flash_boundary", 1366.7, 1}},
        {{"arcing_current", 0.019681, 6}, {"arc_voltage", 47.685, 3}},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (const Printed& p : printed[i]) ExpectShown(rows[i], p.column, p.value, p.decimals);
        EXPECT_EQ(rows[i].at("equations"), i < 2 ? "DC maximum power" : "DC arc resistance");
        EXPECT_EQ(rows[i].at("governing"), "full");
        EXPECT_EQ(rows[i].at("arcing_current_reduced"), "");
    }
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(rows[i].at("status"), "ok") << i;
        EXPECT_EQ(rows[i].at("message"), "") << i;
    }
    // E1 at 504 V and E2 at 500 V: NFPA 70E's DC band of 301 V to 1 kV; E3
    // at 258 V that of 50 V to 300 V; E5 at 48 V below the table.
    EXPECT_EQ(rows[0].at("limited_approach"), "1067");
    EXPECT_EQ(rows[2].at("restricted_approach"), "305");
    EXPECT_EQ(rows[0].at("prohibited_approach"), "N/A");
    EXPECT_EQ(rows[3].at("limited_approach"), "1067");
    EXPECT_EQ(rows[3].at("restricted_approach"), "Avoid contact");
    EXPECT_EQ(rows[5].at("limited_approach"), "N/A");
    EXPECT_EQ(rows[1].at("ppe_level"), "3");  // 12.85 cal/cm2
    // E5: 0.0171 cal/cm2 raised to the floor of 0.25; both notes said, its results given.
    EXPECT_EQ(rows[5].at("status"), "warning");
    EXPECT_EQ(rows[5].at("message"),
              "At or below 150 V DC an arc is hard to sustain; the energy assumes it is sustained. "
              "Arc duration: none typed and no protective device, 2 s assumed. ");
    EXPECT_EQ(rows[5].at("incident_energy_governing"), "0.25");
    EXPECT_EQ(rows[5].at("ppe_level_governing"), "0");
}

// The approach columns of DC rows in four bands of NFPA 70E-2024 Table
// 130.4(E)(b), inches from its feet and inches: 125 V (3 ft 6 in, avoid
// contact), 600 V (3 ft 6 in, 1 ft 0 in), 2 kV (5 ft 0 in, 1 ft 5 in), 20 kV
// (8 ft 0 in, 2 ft 9 in); none below 50 V, and never a prohibited approach.
TEST(DcStudy, ApproachBoundariesOfEachBandInTheResultCsv) {
    const std::vector<Row> rows = study_test::CsvRows(
        Output("point,method,voltage,bolted_current,work_distance,arc_time,dc_box\n"
               "125 V,dc-max-power,125,1,457.2,0.1,open\n"
               "600 V,dc-max-power,600,1,457.2,0.1,open\n"
               "2 kV,dc-max-power,2000,1,457.2,0.1,open\n"
               "20 kV,dc-max-power,20000,1,457.2,0.1,open\n"
               "24 V,dc-max-power,24,1,457.2,0.1,open\n"));
    // clang-format off
    const struct { const char *limited, *restricted; } expected[] = {
        {"42", "Avoid contact"}, {"42", "12"}, {"60", "17"}, {"96", "33"}, {"N/A", "N/A"},
    };
    // clang-format on
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].at("point"));
        EXPECT_NE(rows[i].at("incident_energy_governing"), "");
        EXPECT_EQ(rows[i].at("limited_approach"), expected[i].limited);
        EXPECT_EQ(rows[i].at("restricted_approach"), expected[i].restricted);
        EXPECT_EQ(rows[i].at("prohibited_approach"), "N/A");
    }
}

// A study with a DC column writes the two DC columns for its AC rows empty;
// one without keeps the columns it always had.
TEST(DcStudy, DcColumnsOnlyForAStudyThatHasThem) {
    const std::string ac = "method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
                           "arc_time_reduced\nempirical,480,20,32,455,Switchgear,Grounded,0.1,0.1\n";
    const std::string out = Output(ac);
    EXPECT_TRUE(out.substr(0, out.find("\r\n")).ends_with("ppe_level_governing,enclosure_type,enclosure_factor"));
    EXPECT_EQ(out.find("arc_voltage"), std::string::npos);
    const std::string mixed = "method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
                              "arc_time_reduced,dc_box\nempirical,480,20,32,455,Switchgear,Grounded,0.1,0.1,\n";
    const std::vector<Row> rows = study_test::CsvRows(Output(mixed));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at("status"), "ok");
    EXPECT_EQ(rows[0].at("arc_voltage"), "");
    EXPECT_EQ(rows[0].at("arc_power"), "");
}

TEST(DcStudy, RowRefusals) {
    struct Case {
        const char* record;
        const char* status;
        const char* message;
    };
    // clang-format off
    const Case cases[] = {
        {"dc-arc-resistance,500,10,,20,457.2,2,,,", "warning", "Enclosure not selected. "},
        {"dc-arc-resistance,500,10,,20,457.2,2,,box,", "error", "dc_box: unknown value \"box\""},
        {"dc-arc-resistance,500,10,0.05,20,457.2,2,,open,", "warning",
         "Give the bolted current or the source resistance, not both. "},
        {"dc-arc-resistance,500,,,,457.2,2,,open,", "warning",
         "Enter gap value (arc-resistance method). Enter bolted current or source resistance value. "},
        {"dc-max-power,500,10,,,457.2,2,1,open,", "error",
         "arc_time_reduced: a DC row has one arc duration, arc_time; leave it empty"},
        {"empirical,480,20,,32,455,0.1,0.1,open,Switchgear", "error",
         "dc_box: a DC row's column, on a row of method empirical; leave it empty"},
        {"dc-max-power,500,10,,,457.2,0.0005,,open,", "warning", "Arc duration must be at least 0.001 s. "},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::string study =
            "method,voltage,bolted_current,dc_source_r,gap,work_distance,arc_time,arc_time_reduced,dc_box,"
            "equipment_class\n" + std::string(c.record) + "\n";
        const std::vector<Row> rows = study_test::CsvRows(Output(study));
        ASSERT_EQ(rows.size(), 1u) << c.record;
        EXPECT_EQ(rows[0].at("status"), c.status) << c.record;
        EXPECT_EQ(rows[0].at("message"), c.message) << c.record;
    }
}

// A network's fault currents are AC: a DC row that names a bus is refused;
// one beside the network, with its own source, is computed.
TEST(DcStudy, DcRowBesideANetworkButNotInIt) {
    const std::string study =
        "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
        "bus,branch_type,source_ka,source_xr,dc_box\n"
        "Main,empirical,480,,32,455,Switchgear,Grounded,0.1,0.1,SWG,source,20,10,\n"
        "Battery,dc-max-power,504,2.4,,457.2,,,2,,SWG,,,,open\n"
        "UPS,dc-max-power,504,2.4,,457.2,,,2,,,,,,open\n";
    const std::vector<Row> rows = study_test::CsvRows(Output(study));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].at("status"), "ok");
    EXPECT_EQ(rows[1].at("status"), "error");
    EXPECT_EQ(rows[1].at("message"),
              "bus: a DC row is not part of the network, whose fault currents are AC; give the row its "
              "bolted_current or dc_source_r and leave its network columns empty");
    EXPECT_EQ(rows[2].at("status"), "ok");
    EXPECT_EQ(rows[2].at("incident_energy"), "5.79");
}

}  // namespace
}  // namespace zentavo

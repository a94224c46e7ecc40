// SPDX-License-Identifier: GPL-3.0-or-later
// A study whose rows form a network: the bolted currents of its buses, the
// case each row takes, and the rows the network refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "study/run.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using study_test::CsvRow;

using study_test::kNetwork;
using study_test::kNetworkHeader;

// The arcs in one step, as these tests' expected values were worked out
// (arc_steps_test.cpp has the steps).
std::string RunNetworkStudy(const std::string& study, network::Convention convention = network::Convention::Ansi) {
    StudyOptions options;
    options.shortCircuit = convention;
    options.arcSteps = false;
    std::string out;
    RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    return out;
}

// Every row of the network gives the results of the same row with its
// bolted current typed as the case that governs it shows it: the maximum at
// the rising energies of typed arc times, the minimum at the RK1 fuse whose
// energy falls as the current rises.
TEST(NetworkStudy, RowsEqualTheirTypedCurrentOfTheGoverningCase) {
    const std::vector<CsvRow> net = study_test::CsvRows(RunNetworkStudy(kNetwork));
    ASSERT_EQ(net.size(), 5u);
    const char* const scenarios[] = {"max", "max", "max", "max", "min"};
    // The rows alone, out of the network, with the governing current typed.
    std::string typed =
        "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
        "arc_time_reduced,fuse_class,electrode_configuration,enclosure_height,enclosure_width,"
        "enclosure_depth\n";
    const std::vector<std::string> inputs = {
        "UTIL,empirical,13800,%,153,910,Switchgear,Grounded,0.2,0.2,,,,,",
        "SWG,empirical,480,%,32,455,Switchgear,Grounded,0.2,0.2,,,,,",
        "MCC,empirical,480,%,25,455,MCC and Panels,Grounded,0.2,0.2,,,,,",
        "SWG 2018,ieee1584-2018,480,%,32,610,,,0.0613,0.319,,VCB,610,610,254",
        "PNL,fuse,480,%,,455,,,,,0,,,,"};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        std::string line = inputs[i];
        const CsvRow& r = net[i];
        line.replace(line.find('%'), 1, r.at(r.at("scenario") == "min" ? "bolted_current_min" : "bolted_current_max"));
        typed += line + "\n";
    }
    const std::vector<CsvRow> alone = study_test::CsvRows(RunNetworkStudy(typed));
    ASSERT_EQ(alone.size(), net.size());
    for (std::size_t i = 0; i < net.size(); ++i) {
        SCOPED_TRACE(net[i].at("point"));
        EXPECT_EQ(net[i].at("scenario"), scenarios[i]);
        for (const auto& [column, text] : alone[i]) {
            if (column == "bolted_current") continue;
            EXPECT_EQ(net[i].at(column), text) << column;
        }
    }
    // The fuse's minimum case is the larger energy: 2.58 cal/cm2 at 0.983 kA.
    EXPECT_EQ(net[4].at("bolted_current_min"), "0.983");
    EXPECT_EQ(net[4].at("incident_energy"), "2.58");
}

// A row the network cannot take is an error naming what is wrong; the other
// rows are computed.
TEST(NetworkStudy, RefusedRowsAmongComputedOnes) {
    const std::string source =
        "UTIL,empirical,13800,,153,910,Switchgear,Grounded,0.2,0.2,,,,,,UTIL,,source,20,15,12,,,,,,,,\n";
    const std::string swg =
        "SWG,empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,SWG,UTIL,transformer,,,,2000,5.75,6,,,,,\n";
    struct Case {
        std::string row;  // row 3, after the source and the switchgear
        std::string message;
        bool switchgearComputed;  // false: the switchgear row is concerned too
    };
    // clang-format off
    const Case cases[] = {
        {"X,empirical,480,30,32,455,Switchgear,Grounded,0.2,0.2,,,,,,SWG,,,,,,,,,,,,,\n",
         "bolted_current: typed on a row in the network (bus SWG), where the network gives it; "
         "leave it empty or take the row out of the network", true},
        {"X,empirical,600,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,SWG,,,,,,,,,,,,,\n",
         "bus SWG: row 3 gives it another voltage than row 2", false},
        {"X,empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,T2,SWG,transformer,,,,500,5,4,,,,,\n",
         "transformer in row 3: its buses SWG and T2 have one voltage; bus T2 has no path to a source", true},
        {"X,empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,T2,SWG,reactor,,,,,,,,,,,\n",
         "branch_type: unknown value \"reactor\"", true},
        {"X,empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,T2,SWG,cable,,,,500,5,4,,,,,\n",
         "tx_kva: given on a row whose branch_type is not transformer", true},
        {"X,empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,T2,SWG,cable,,,,,,,30,,0.08,1,\n",
         "cable_r: empty, a cable needs its resistance", true},
        {"X,empirical,480,,32,455,Switchgear,Grounded,0.2,0.2,,,,,,ISLAND,,,,,,,,,,,,,\n",
         "bus ISLAND has no path to a source", true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const std::vector<CsvRow> rows = study_test::CsvRows(RunNetworkStudy(kNetworkHeader + source + swg + c.row));
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].at("status"), "ok") << rows[0].at("message");
        EXPECT_EQ(rows[0].at("bolted_current_max"), "20.000");  // the source alone
        EXPECT_EQ(rows[1].at("status"), c.switchgearComputed ? "ok" : "error") << rows[1].at("message");
        if (c.switchgearComputed) {
            EXPECT_EQ(rows[1].at("bolted_current_max"), "39.011");  // source and transformer in series, by hand
        }
        EXPECT_EQ(rows[2].at("status"), "error");
        EXPECT_EQ(rows[2].at("message"), c.message);
        EXPECT_EQ(rows[2].at("incident_energy"), "");
    }
}

// Every network value is checked against its column's range when the
// network is built: below, at and above each bound, and the values that
// once reached the solver (1e308 kA gave an infinite current, 1e-320 m a
// row of NAN, 1e308 kVA and ohm/km a network "without a solution"). A value
// outside is an error of its row naming the column and the value as typed;
// a value at a bound is taken. No text of any run says INF or NAN.
TEST(NetworkStudy, NetworkValuesOutsideTheirRangesAreRefusedByColumn) {
    const std::vector<std::string> header = {
        "point", "method", "voltage", "gap", "work_distance", "equipment_class", "grounding", "arc_time",
        "arc_time_reduced", "bus", "from_bus", "branch_type", "source_ka", "source_xr", "source_ka_min",
        "tx_kva", "tx_z", "tx_xr", "cable_length", "cable_r", "cable_x", "cable_sets", "motor_kva",
        "motor_x", "motor_xr"};
    // clang-format off
    const std::vector<std::vector<std::string>> network = {
        {"UTIL", "empirical", "13800", "153", "910", "Switchgear", "Grounded", "0.2", "0.2", "UTIL", "", "source",
         "20", "15", "", "", "", "", "", "", "", "", "", "", ""},
        {"SWG", "empirical", "480", "32", "455", "Switchgear", "Grounded", "0.2", "0.2", "SWG", "UTIL", "transformer",
         "", "", "", "2000", "5.75", "6", "", "", "", "", "", "", ""},
        {"MCC", "empirical", "480", "25", "455", "MCC and Panels", "Grounded", "0.2", "0.2", "MCC", "SWG", "cable",
         "", "", "", "", "", "", "60", "0.1", "0.08", "2", "300", "0.2", "10"},
    };
    struct Case {
        std::size_t row;
        const char *column, *value;
        const char* message;  // empty: the value is taken
    };
    const Case cases[] = {
        {0, "voltage",       "0.999",     "voltage: 0.999 V is not a bus voltage (1 V to 1000000 V)"},
        {0, "voltage",       "1",         ""},
        {0, "voltage",       "1000000",   ""},
        {0, "voltage",       "1000001",   "voltage: 1000001 V is not a bus voltage (1 V to 1000000 V)"},
        {0, "source_ka",     "0.0009",    "source_ka: 0.0009 kA is not a source fault current (0.001 kA to 1000 kA)"},
        {0, "source_ka",     "0.001",     ""},
        {0, "source_ka",     "1000",      ""},
        {0, "source_ka",     "1000.001",  "source_ka: 1000.001 kA is not a source fault current (0.001 kA to 1000 kA)"},
        {0, "source_ka",     "1e308",     "source_ka: 1e308 kA is not a source fault current (0.001 kA to 1000 kA)"},
        {0, "source_ka_min", "0.0009",    "source_ka_min: 0.0009 kA is not a source fault current (0.001 kA to 1000 kA)"},
        {0, "source_ka_min", "0.001",     ""},
        {0, "source_ka_min", "20",        ""},
        {0, "source_ka_min", "20.001",    "source_ka_min: 20.001 kA is above source_ka, 20 kA"},
        {0, "source_xr",     "-0.001",    "source_xr: -0.001 is not an X/R ratio (0 to 1000)"},
        {0, "source_xr",     "0",         ""},
        {0, "source_xr",     "1000",      ""},
        {0, "source_xr",     "1000.5",    "source_xr: 1000.5 is not an X/R ratio (0 to 1000)"},
        {1, "tx_kva",        "0.999",     "tx_kva: 0.999 kVA is not a transformer rating (1 kVA to 10000000 kVA)"},
        {1, "tx_kva",        "1",         ""},
        {1, "tx_kva",        "1E7",       ""},
        {1, "tx_kva",        "10000001",  "tx_kva: 10000001 kVA is not a transformer rating (1 kVA to 10000000 kVA)"},
        {1, "tx_kva",        "1e308",     "tx_kva: 1e308 kVA is not a transformer rating (1 kVA to 10000000 kVA)"},
        {1, "tx_z",          "0.099",     "tx_z: 0.099 % is not a transformer impedance (0.1 % to 100 %)"},
        {1, "tx_z",          "0.1",       ""},
        {1, "tx_z",          "100",       ""},
        {1, "tx_z",          "100.01",    "tx_z: 100.01 % is not a transformer impedance (0.1 % to 100 %)"},
        {1, "tx_xr",         "-1",        "tx_xr: -1 is not an X/R ratio (0 to 1000)"},
        {1, "tx_xr",         "0",         ""},
        {1, "tx_xr",         "1000",      ""},
        {1, "tx_xr",         "1001",      "tx_xr: 1001 is not an X/R ratio (0 to 1000)"},
        {2, "cable_length",  "-0.001",    "cable_length: -0.001 m is not a length (0 for a closed tie, or 0.001 m to 1000000 m)"},
        {2, "cable_length",  "0",         ""},
        {2, "cable_length",  "1e-320",    "cable_length: 1e-320 m is not a length (0 for a closed tie, or 0.001 m to 1000000 m)"},
        {2, "cable_length",  "0.000999",  "cable_length: 0.000999 m is not a length (0 for a closed tie, or 0.001 m to 1000000 m)"},
        {2, "cable_length",  "0.001",     ""},
        {2, "cable_length",  "1000000",   ""},
        {2, "cable_length",  "1000000.1", "cable_length: 1000000.1 m is not a length (0 for a closed tie, or 0.001 m to 1000000 m)"},
        {2, "cable_r",       "-0.1",      "cable_r: -0.1 ohm/km is not a resistance (0 to 1000 ohm/km)"},
        {2, "cable_r",       "0",         ""},
        {2, "cable_r",       "1000",      ""},
        {2, "cable_r",       "1e308",     "cable_r: 1e308 ohm/km is not a resistance (0 to 1000 ohm/km)"},
        {2, "cable_x",       "-0.1",      "cable_x: -0.1 ohm/km is not a reactance (0 to 1000 ohm/km)"},
        {2, "cable_x",       "1000",      ""},
        {2, "cable_x",       "1000.1",    "cable_x: 1000.1 ohm/km is not a reactance (0 to 1000 ohm/km)"},
        {2, "cable_sets",    "0",         "cable_sets: 0 is not a number of sets (a whole number from 1 to 1000)"},
        {2, "cable_sets",    "1000",      ""},
        {2, "cable_sets",    "1001",      "cable_sets: 1001 is not a number of sets (a whole number from 1 to 1000)"},
        {2, "motor_kva",     "0.09",      "motor_kva: 0.09 kVA is not a motor rating (0.1 kVA to 10000000 kVA)"},
        {2, "motor_kva",     "0.1",       ""},
        {2, "motor_kva",     "10000000",  ""},
        {2, "motor_kva",     "1.1e7",     "motor_kva: 1.1e7 kVA is not a motor rating (0.1 kVA to 10000000 kVA)"},
        {2, "motor_x",       "0.009",     "motor_x: 0.009 pu is not a motor reactance (0.01 pu to 10 pu)"},
        {2, "motor_x",       "0.01",      ""},
        {2, "motor_x",       "10",        ""},
        {2, "motor_x",       "10.1",      "motor_x: 10.1 pu is not a motor reactance (0.01 pu to 10 pu)"},
        {2, "motor_xr",      "0.09",      "motor_xr: 0.09 is not an X/R ratio (0.1 to 1000)"},
        {2, "motor_xr",      "0.1",       ""},
        {2, "motor_xr",      "1000",      ""},
        {2, "motor_xr",      "1000.1",    "motor_xr: 1000.1 is not an X/R ratio (0.1 to 1000)"},
    };
    // clang-format on
    const std::regex notANumber("\\b(inf|infinity|nan)\\b", std::regex::icase);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " " + c.value);
        const auto at = std::find(header.begin(), header.end(), c.column);
        ASSERT_NE(at, header.end());
        std::vector<std::vector<std::string>> rows = network;
        rows[c.row][static_cast<std::size_t>(at - header.begin())] = c.value;
        std::string study;
        for (const auto& fields : std::vector<std::vector<std::string>>{header, rows[0], rows[1], rows[2]}) {
            for (std::size_t i = 0; i < fields.size(); ++i) study += (i ? "," : "") + fields[i];
            study += "\n";
        }
        const std::string out = RunNetworkStudy(study);
        EXPECT_FALSE(std::regex_search(out, notANumber)) << out;
        const std::vector<CsvRow> results = study_test::CsvRows(out);
        ASSERT_EQ(results.size(), 3u);
        const CsvRow& r = results[c.row];
        if (*c.message) {
            EXPECT_EQ(r.at("status"), "error");
            EXPECT_EQ(r.at("message"), c.message);
        } else {
            EXPECT_NE(r.at("status"), "error") << r.at("message");
            EXPECT_NE(r.at("bolted_current_max"), "");
        }
    }
}

// A part of the network whose solution would lose its digits (a 480 V
// source of 1 A beside a cable of 2.3e-8 ohm, ten times the closed-tie
// bound: see tests/network) is refused: the cable's row says why, every
// other row of its buses points to it, and the bus of another source is
// computed.
TEST(NetworkStudy, RowsOfANetworkPartWithoutASolutionSayWhy) {
    const std::string study =
        "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,bus,"
        "from_bus,branch_type,source_ka,source_xr,cable_length,cable_r,cable_x,cable_sets\n"
        "S,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,S,,source,0.001,10,,,,\n"
        "B,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,B,S,cable,,,1,0.00023,0,10\n"
        "X,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,X,,source,30,10,,,,\n";
    const std::string cable =
        "cable in row 2: its impedance is too small beside the rest of the network for the fault currents "
        "to be computed; make it a closed tie (length 0)";
    const std::vector<CsvRow> rows = study_test::CsvRows(RunNetworkStudy(study));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].at("status"), "error");
    EXPECT_EQ(rows[0].at("message"), "bus S has no fault current: " + cable);
    EXPECT_EQ(rows[1].at("status"), "error");
    EXPECT_EQ(rows[1].at("message"), cable);
    EXPECT_EQ(rows[2].at("status"), "ok") << rows[2].at("message");
    EXPECT_EQ(rows[2].at("bolted_current_max"), "30.000");
}

// The plant example (32 buses: a 13.8 kV utility, MV switchgear, two unit
// substations with a tie, MCCs with motors, panels, 208 V lighting panels;
// relays, trip units and fuses on most of its points, each seeing its own
// branch's share, its arcs in steps, the line sides of its mains) gives its
// results file, byte for byte, with the line ends of the input as
// zentavo-batch writes it: by ansi, and by iec60909 (its minimum case with
// the cables at 80 °C). Without steps the plant as it was before them gives
// the bytes written then, and with the cables at 20 °C by iec60909 those of
// the versions before the end temperature.
TEST(NetworkStudy, PlantExampleGivesItsResults) {
    const struct {
        network::Convention convention;
        std::optional<double> cableEndTemp;
        bool steps;
        const char *input, *results;
    } cases[] = {
        {network::Convention::Ansi, {}, true, ZENTAVO_EXAMPLES_DIR "/plant-network.csv",
         ZENTAVO_EXAMPLES_DIR "/plant-network-results.csv"},
        {network::Convention::Iec60909, {}, true, ZENTAVO_EXAMPLES_DIR "/plant-network.csv",
         ZENTAVO_EXAMPLES_DIR "/plant-network-iec60909-results.csv"},
        // Without steps, the plant as it was before them gives the bytes it gave then.
        {network::Convention::Ansi, {}, false, ZENTAVO_TEST_DATA_DIR "/plant-network-one-step.csv",
         ZENTAVO_TEST_DATA_DIR "/plant-network-one-step-results.csv"},
        {network::Convention::Iec60909, 20, false, ZENTAVO_TEST_DATA_DIR "/plant-network-one-step.csv",
         ZENTAVO_TEST_DATA_DIR "/plant-network-iec60909-cables-20C.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.results);
        const std::string input = study_test::FileBytes(c.input);
        ASSERT_FALSE(input.empty());
        StudyOptions options;
        options.lineEndOfInput = true;
        options.shortCircuit = c.convention;
        options.cableEndTemp = c.cableEndTemp;
        options.arcSteps = c.steps;
        std::string out;
        RunStudy(input, options, [&](std::string_view s) { out.append(s); });
        const std::string expected = study_test::FileBytes(c.results);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(out, expected);
    }
}

// A study without network columns writes none of the network's result columns.
TEST(NetworkStudy, StudyWithoutNetworkColumnsKeepsItsColumns) {
    const std::string out = RunNetworkStudy("method,voltage,bolted_current,gap,work_distance,arc_time,arc_time_reduced\n"
                                "empirical,480,20,32,455,0.2,0.2\n");
    EXPECT_EQ(out.find("bolted_current_max"), std::string::npos);
    EXPECT_NE(out.find(",enclosure_factor\r\n"), std::string::npos);
}

// A protective device on a row's branch sees the branch's share of the
// arcing current in each case; a device_share typed on the row overrides
// both. With a long-time element alone (t = LTD (6 Ir / I)^2, no tolerance)
// the duration at the share s is that of the whole current divided by s^2:
// the same rows out of the network, each case's current typed with
// device_share 1, give the whole current's durations. The MCC cable carries
// 0.940 of the maximum case (the motors feed the rest) and all of the
// minimum case (the motors do not feed it). A study with both device and
// network columns writes the device columns, then the network's.
TEST(NetworkStudy, ADeviceOnABranchSeesItsShare) {
    const std::string study =
        "point,method,voltage,gap,work_distance,equipment_class,grounding,bus,from_bus,branch_type,"
        "source_ka,source_xr,source_ka_min,tx_kva,tx_z,tx_xr,cable_length,cable_r,cable_x,cable_sets,"
        "motor_kva,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,trip_tolerance,device_share\n"
        "UTIL,empirical,13800,153,910,Switchgear,Grounded,UTIL,,source,20,15,12,,,,,,,,,,,,,,\n"
        "SWG,empirical,480,32,455,Switchgear,Grounded,SWG,UTIL,transformer,,,,2000,5.75,6,,,,,,,,,,,\n"
        "MCC,empirical,480,25,455,MCC and Panels,Grounded,MCC,SWG,cable,,,,,,,60,0.1,0.08,2,300,"
        "trip-unit,4000,1,0.3,0,\n"
        "MCC by hand,empirical,480,25,455,MCC and Panels,Grounded,MCC,,,,,,,,,,,,,,"
        "trip-unit,4000,1,0.3,0,1\n";
    const std::string out = RunNetworkStudy(study);
    const std::string header = out.substr(0, out.find('\r'));
    EXPECT_NE(header.find(",enclosure_factor,arc_time_used,arc_time_reduced_used,device_element,"
                          "device_element_reduced,bolted_current_max,bolted_current_min,scenario,branch_share,"
                          "branch_share_min"),
              std::string::npos)
        << header;
    const std::vector<CsvRow> rows = study_test::CsvRows(out);
    ASSERT_EQ(rows.size(), 4u);
    const CsvRow &branch = rows[2], &byHand = rows[3];
    for (const CsvRow* r : {&branch, &byHand}) {
        ASSERT_EQ(r->at("status"), "ok") << r->at("message");
        EXPECT_EQ(r->at("device_element"), "long time");
    }
    EXPECT_EQ(branch.at("branch_share"), "0.940");
    EXPECT_EQ(branch.at("branch_share_min"), "1.000");
    EXPECT_EQ(byHand.at("branch_share"), "");
    EXPECT_EQ(byHand.at("branch_share_min"), "");
    auto current = [](const CsvRow& r) {
        return r.at(r.at("scenario") == "min" ? "bolted_current_min" : "bolted_current_max");
    };
    const std::vector<CsvRow> whole = study_test::CsvRows(RunNetworkStudy(
        "method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,device_type,"
        "trip_rating,trip_lt_pickup,trip_lt_delay,trip_tolerance,device_share\n"
        "empirical,480," + current(branch) + ",25,455,MCC and Panels,Grounded,trip-unit,4000,1,0.3,0,1\n"
        "empirical,480," + current(byHand) + ",25,455,MCC and Panels,Grounded,trip-unit,4000,1,0.3,0,1\n"));
    ASSERT_EQ(whole.size(), 2u);
    const double share = std::stod(branch.at(branch.at("scenario") == "min" ? "branch_share_min" : "branch_share"));
    for (const char* column : {"arc_time_used", "arc_time_reduced_used"}) {
        SCOPED_TRACE(column);
        const double ratio = std::stod(branch.at(column)) / std::stod(whole[0].at(column));
        EXPECT_NEAR(ratio, 1 / (share * share), 2e-3) << branch.at("scenario");
        EXPECT_EQ(byHand.at(column), whole[1].at(column));
    }
}

// Each case through the device with its own share of the branch. Bus F
// (480 V) is fed by two equal paths, each a 13.8 kV source of 30 kA, X/R 15,
// and a 1 500 kVA, 5.75 %, X/R 6 transformer; U1 keeps its 30 kA in the
// minimum case, U2 falls to 1 kA. By hand in ohms at 480 V (python3):
//   source, 30 kA   0.48^2/(sqrt3 13.8 30) = 0.00032131 = 0.0000214 + j0.0003206
//   source, 1 kA    30 times that          = 0.0096392  = 0.0006412 + j0.0096179
//   transformer     0.0575 0.48^2/1.5      = 0.008832   = 0.0014520 + j0.0087118
//   Z1 = 0.0014733 + j0.0090324 (0.0091518), Z2 min = 0.0020932 + j0.0183297 (0.018449)
//   maximum: Z1/2, 480/(sqrt3 0.0045759) = 60.563 kA, each transformer 0.500
//   minimum: Z1 Z2/(Z1 + Z2) = 0.0061188, 45.291 kA; T2 |Z1|/|Z1 + Z2| =
//            0.0091518/0.027594 = 0.3317, T1 |Z2|/|Z1 + Z2| = 0.6686
// The trip unit on T2: Ir 2 000 A, short time above 6 kA at 0.3 s + 10 % =
// 0.33 s, instantaneous above 10 kA at 0.05 s. The empirical equations
// (480 V switchgear, gap 32 mm, 455 mm: lg Ia = -0.0338 + 0.8331 lg Ibf,
// E = 4.184 1.5 En t/0.2 (610/455)^1.473 with lg En = -0.6328 + 1.081 lg Ia,
// from the arcing currents as shown, two decimals):
//   minimum, Ia 22.16 kA: the device sees 0.3317 x 22.16 = 7.35 kA, and
//     6.25 kA at 85 %: short time both, 0.33 s; 25.29 cal/cm2 full, 21.22
//     reduced (18.84 kA): the full case governs, PPE 4. With the maximum
//     case's 0.500 it would see 11.08 kA, clear instantaneously, and the
//     reduced case's 21.22 would govern: PPE 3.
//   maximum, Ia 28.23 kA: 14.11 and 12.00 kA, instantaneous both, 0.05 s,
//     4.98 cal/cm2: the minimum case governs.
// A device_share typed on a point of F overrides both shares: 0.5 in each
// case, the PPE 3 of the maximum case's share.
TEST(NetworkStudy, EachCaseSeesItsOwnBranchShare) {
    const std::string study =
        "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
        "bus,from_bus,branch_type,source_ka,source_xr,source_ka_min,tx_kva,tx_z,tx_xr,device_type,"
        "trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,trip_inst_pickup,"
        "device_share\n"
        "U1,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,U1,,source,30,15,30,,,,,,,,,,,\n"
        "U2,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,U2,,source,30,15,1,,,,,,,,,,,\n"
        "F via T1,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,F,U1,transformer,,,,1500,5.75,6,"
        ",,,,,,,\n"
        "F via T2,empirical,480,32,455,Switchgear,Grounded,,,F,U2,transformer,,,,1500,5.75,6,"
        "trip-unit,2000,1,10,3,0.3,5,\n"
        "F typed share,empirical,480,32,455,Switchgear,Grounded,,,F,,,,,,,,,"
        "trip-unit,2000,1,10,3,0.3,5,0.5\n";
    struct Expected {
        const char *share, *shareMin, *scenario, *element, *elementReduced, *time, *energy,
            *energyReduced, *governing, *ppe;
    };
    // clang-format off
    const Expected expected[] = {
        // share    min      case   element         reduced         s       full     reduced  governs    PPE
        {"0.500", "0.669", "max", "",             "",             "",     "19.91", "16.70", "full",    "3"},
        {"0.500", "0.332", "min", "short time",   "short time",   "0.33", "25.29", "21.22", "full",    "4"},
        {"",      "",      "min", "instantaneous", "short time",  "0.05", "3.83",  "21.22", "reduced", "3"},
    };
    // clang-format on
    const std::vector<CsvRow> rows = study_test::CsvRows(RunNetworkStudy(study));
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const CsvRow& r = rows[i + 2];
        const Expected& e = expected[i];
        SCOPED_TRACE(r.at("point"));
        EXPECT_EQ(r.at("status"), "ok") << r.at("message");
        EXPECT_EQ(r.at("bolted_current_max"), "60.563");
        EXPECT_EQ(r.at("bolted_current_min"), "45.291");
        EXPECT_EQ(r.at("branch_share"), e.share);
        EXPECT_EQ(r.at("branch_share_min"), e.shareMin);
        EXPECT_EQ(r.at("scenario"), e.scenario);
        EXPECT_EQ(r.at("device_element"), e.element);
        EXPECT_EQ(r.at("device_element_reduced"), e.elementReduced);
        EXPECT_EQ(r.at("arc_time_used"), e.time);
        EXPECT_EQ(r.at("incident_energy"), e.energy);
        EXPECT_EQ(r.at("incident_energy_reduced"), e.energyReduced);
        EXPECT_EQ(r.at("governing"), e.governing);
        EXPECT_EQ(r.at("ppe_level_governing"), e.ppe);
    }
}

}  // namespace
// A utility given by its short-circuit power: 500 MVA at 13.8 kV is
// 500 / (√3 × 13.8) = 20.918 kA (and 300 MVA, 12.551 kA), the results those
// currents typed give; a power beside a current, or on a row that is no
// source, is refused naming the column.
TEST(NetworkStudy, ASourceByItsShortCircuitPower) {
    const std::string header =
        "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_"
        "reduced,bus,"
        "from_bus,branch_type,source_ka,source_ka_min,source_mva,source_mva_min,source_xr,tx_kva,"
        "tx_z,tx_xr\r\n";
    const std::string main =
        "Main,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,SWG,UTIL,transformer,,,,,,2000,5.75,"
        "6\r\n";
    auto run = [&](const std::string& source) {
        return study_test::CsvRows(
            RunNetworkStudy(header +
                            "Utility,empirical,13800,153,910,Switchgear,Grounded,"
                            "0.2,0.2,UTIL,,source," +
                            source + ",15,,,\r\n" + main));
    };
    const std::vector<CsvRow> byCurrent = run("20.918,12.551,,");
    const std::vector<CsvRow> byPower = run(",,500,300");
    ASSERT_EQ(byPower.size(), 2u);
    for (std::size_t r = 0; r < 2; ++r) {
        for (const char* c :
             {"status", "bolted_current_max", "bolted_current_min", "incident_energy_governing"}) {
            EXPECT_EQ(byPower[r].at(c), byCurrent[r].at(c)) << r << " " << c;
        }
    }
    EXPECT_EQ(byPower[0].at("bolted_current_max"), "20.918");
    EXPECT_EQ(byPower[0].at("bolted_current_min"), "12.551");
    // clang-format off
    const struct { const char* source; const char* message; } refused[] = {
        {"20,,500,",  "source_mva: given with source_ka; give one of them"},
        {",12,500,300", "source_mva_min: given with source_ka_min; give one of them"},
        {",,300,500", "source_mva_min: 500 MVA is above source_mva, 300 MVA"},
        {",,abc,",    "source_mva: "},
    };
    // clang-format on
    for (const auto& c : refused) {
        const std::vector<CsvRow> rows = run(c.source);
        EXPECT_NE(rows[0].at("status"), "ok") << c.source;
        EXPECT_NE(rows[0].at("message").find(c.message), std::string::npos)
            << rows[0].at("message");
    }
    const std::vector<CsvRow> onTransformer = study_test::CsvRows(RunNetworkStudy(
        header +
        "Utility,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,UTIL,,"
        "source,20,,,,15,,,\r\n" +
        "Main,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,SWG,UTIL,transformer,"
        ",,500,,,2000,5.75,6\r\n"));
    EXPECT_NE(onTransformer[1].at("message").find("source_mva"), std::string::npos)
        << onTransformer[1].at("message");
}

}  // namespace zentavo

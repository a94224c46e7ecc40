// SPDX-License-Identifier: GPL-3.0-or-later
// Studies through the zentavo-batch program: the example plant with devices
// and its curves file, a curves file refused, the sample 2018 study, and the
// bolted currents of a network under either convention.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "study/run.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using study_test::CsvRow;
using study_test::FileBytes;

study_test::CommandRun RunBatch(const std::string& args) {
    return study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) + " " + args + " 2>&1");
}

// The example plant with devices, run by the program with its curves file:
// the results as checked in, and a few rows against hand values that do not
// depend on the exact arcing current.
TEST(DeviceStudy, BatchRunOfTheExamplePlantWithDevices) {
    const std::string study = ZENTAVO_EXAMPLES_DIR "/plant-study-devices.csv";
    const std::string curves = ZENTAVO_EXAMPLES_DIR "/device-curves.csv";
    const study_test::CommandRun run = RunBatch("--curves " + curves + " " + study);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, study_test::FileBytes(ZENTAVO_EXAMPLES_DIR "/plant-study-devices-results.csv"));
    std::map<std::string, study_test::CsvRow> byPoint;
    for (study_test::CsvRow& r : study_test::CsvRows(run.out)) byPoint[r["point"]] = r;
    struct Hand {
        const char* point;
        const char* used;
        const char* element;
        const char* usedReduced;
        const char* elementReduced;
    };
    // clang-format off
    const Hand hand[] = {
        // Trip unit 3200 A, short time 4 x 3200 A, 0.3 s x 1.1 tolerance: 0.33 s at 29.9 and 26.2 kA.
        {"USS-A 480 V main breaker", "0.33", "short time", "0.33", "short time"},
        // Relay instantaneous 8 kA, 0.02 s + 0.083 s breaker: 0.103 s at 20.60 and 17.51 kA.
        {"SWGR-1 feeder F1", "0.103", "instantaneous", "0.103", "instantaneous"},
        // Inline curve 1000 A 0.1 s to 5000 A 0.01 s: 0.1 (I / 1000)^(ln 0.1 / ln 5) at 4.568
        // kA is 0.01138 s, at 3.935 kA 0.01409 s.
        {"Panel LP-2 208 V (2018)", "0.0114", "curve", "0.0141", "curve"},
        // IEEE very inverse, 400 A, TD 5, 30.14 % of 24.83 kA: M = 18.7, 2.74 + 0.083 s, over 2 s.
        {"Transformer TX-1 secondary", "2", "capped", "2", "capped"},
        // The theoretically derived equations (gap 153 mm): the full current alone.
        {"SWGR-1 incomer 13.8 kV", "0.954", "inverse", "", ""},
        // No device: a fuse row keeps its own equations, a typed row its durations.
        {"MCC-3 fused starter 4B", "", "", "", ""},
        {"Panel LP-1B 208 V", "", "", "", ""},
    };
    // clang-format on
    for (const Hand& h : hand) {
        ASSERT_TRUE(byPoint.count(h.point)) << h.point;
        study_test::CsvRow& r = byPoint[h.point];
        // A duration the cap gave is a warning that says so.
        EXPECT_EQ(r["status"], std::string(h.element) == "capped" ? "warning" : "ok") << h.point << ": " << r["message"];
        EXPECT_EQ(r["arc_time_used"], h.used) << h.point;
        EXPECT_EQ(r["device_element"], h.element) << h.point;
        EXPECT_EQ(r["arc_time_reduced_used"], h.usedReduced) << h.point;
        EXPECT_EQ(r["device_element_reduced"], h.elementReduced) << h.point;
    }
    // IEC standard inverse, TMS 0.3, 2 kA: at 21.07 kA (M = 10.5) 0.3 x 0.14 / (10.5^0.02 - 1)
    // + 0.083 s = 0.954 s, the row's duration within the arcing current's rounding.
    EXPECT_NEAR(std::stod(byPoint["SWGR-1 incomer 13.8 kV"]["arc_time_used"]),
                0.3 * 0.14 / (std::pow(21.07 / 2, 0.02) - 1) + 0.083, 0.0006);
}

TEST(DeviceStudy, CurvesFileRefused) {
    const std::string study = ZENTAVO_EXAMPLES_DIR "/plant-study-devices.csv";
    const std::string bad = testing::TempDir() + "bad-curves.csv";
    std::ofstream(bad, std::ios::binary) << "name,current,time\nJ-200,400,100\nJ-200,300,20\n";
    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"--curves /nonexistent/curves.csv " + study,
         "zentavo-batch: cannot read --curves /nonexistent/curves.csv: "},
        {"--curves " + bad + " " + study,
         "zentavo-batch: --curves " + bad +
             ": curve 'J-200': point 2: current must be above the point before\n"},
    };
    for (const Case& c : cases) {
        const study_test::CommandRun r = RunBatch(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.out.substr(0, c.message.size()), c.message) << r.out;
    }
    // Without the curves file a row naming a curve is refused, the others computed.
    const study_test::CommandRun r = RunBatch(study);
    EXPECT_EQ(r.status, 0);
    for (study_test::CsvRow& row : study_test::CsvRows(r.out)) {
        if (row["point"] != "MCC-1 bucket 3") continue;
        EXPECT_EQ(row["status"], "error");
        EXPECT_EQ(row["message"], "fuse_curve: 'J-200' names a curve, and no curves file is loaded");
    }
}

std::vector<CsvRow> RunRows(const std::string& study, const StudyOptions& options = {}) {
    std::string out;
    RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    return study_test::CsvRows(out);
}

// The sample 2018 study gives its results file, in memory and through the
// program; its first two points are the worked examples D.1 and D.2.
TEST(Ieee2018Study, SampleStudyGivesItsResultsFile) {
    const std::string input = FileBytes(ZENTAVO_EXAMPLES_DIR "/study-2018.csv");
    const std::string expected = FileBytes(ZENTAVO_EXAMPLES_DIR "/study-2018-results.csv");
    ASSERT_FALSE(input.empty());
    std::string out;
    StudyOptions options;
    options.lineEndOfInput = true;  // as the program writes it: the sample's LF
    RunStudy(input, options, [&](std::string_view s) { out.append(s); });
    EXPECT_EQ(out, expected);

    const std::string command =
        std::string(ZENTAVO_BATCH_PROGRAM) + " < " ZENTAVO_EXAMPLES_DIR "/study-2018.csv";
    const study_test::CommandRun program = study_test::RunCommand(command);
    EXPECT_EQ(program.status, 0);
    EXPECT_EQ(program.out, expected);

    const auto rows = RunRows(input);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0].at("arcing_current"), "12.979");
    EXPECT_EQ(rows[1].at("arcing_current"), "28.793");
}

using study_test::kNetwork;
using study_test::kNetworkHeader;

// Hand values of the worked example (both conventions), through the program.
// iec60909's minimum case takes the cables at 80 °C unless told otherwise:
// MCC's cable R 0.1 → 0.124 Ω/km gives 24.700 kA for 25.430 at 20 °C; a
// +10 % low-voltage tolerance gives c max 1.10 (and K_T with it: 31.224 kA,
// by hand as in the network test).
TEST(NetworkStudy, BoltedCurrentsOfTheWorkedExampleThroughTheProgram) {
    struct Case {
        const char* options;
        std::size_t row;
        const char *max, *min, *share;
    };
    // clang-format off
    const Case cases[] = {
        {"ansi",     0, "20.059", "12.000", "0.997"},
        {"ansi",     1, "40.774", "37.330", "0.957"},
        {"ansi",     2, "28.679", "26.194", "0.940"},
        {"ansi",     3, "40.774", "37.330", ""},      // a point on SWG: no branch of its own
        {"iec60909 --cable-end-temp 20", 0, "20.065", "12.000", "0.997"},
        {"iec60909 --cable-end-temp 20", 1, "43.914", "36.617", "0.958"},
        {"iec60909 --cable-end-temp 20", 2, "30.619", "25.430", "0.941"},
        {"iec60909",                     2, "30.619", "24.700", "0.941"},
        {"iec60909 --lv-tolerance 10",   2, "31.224", "24.045", "0.940"},
    };
    // clang-format on
    const std::string path = ::testing::TempDir() + "network.csv";
    std::ofstream(path, std::ios::binary) << kNetwork;
    for (const Case& c : cases) {
        const auto run = study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) + " --short-circuit " +
                                                c.options + " " + path);
        ASSERT_EQ(run.status, 0);
        const std::vector<CsvRow> rows = study_test::CsvRows(run.out);
        ASSERT_EQ(rows.size(), 5u);
        const CsvRow& r = rows[c.row];
        SCOPED_TRACE(std::string(c.options) + " " + r.at("point"));
        EXPECT_EQ(r.at("status"), "ok") << r.at("message");
        EXPECT_EQ(r.at("bolted_current_max"), c.max);
        EXPECT_EQ(r.at("bolted_current_min"), c.min);
        EXPECT_EQ(r.at("branch_share"), c.share);
    }
    const auto bad = study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) +
                                            " --short-circuit iec 2>&1 < /dev/null");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "zentavo-batch: --short-circuit takes one of ansi, iec60909, not 'iec' (see --help)\n");
    // A scenario asked that no row uses is told once (normal need not be
    // used); one asked in two cases is refused.
    const auto told = study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) +
                                             " --scenarios normal,gne,gne " + path + " 2>&1 >/dev/null");
    EXPECT_EQ(told.status, 0);
    EXPECT_EQ(told.out, "zentavo-batch: " + path + ": --scenarios: no row uses the scenario 'gne' (in its scenarios or "
                        "maint_scenario cell): computed as the rows in every scenario alone\n");
    const auto twice = study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) + " --scenarios gen,Gen " + path +
                                              " 2>&1");
    EXPECT_EQ(twice.status, 2);
    EXPECT_EQ(twice.out, "zentavo-batch: --scenarios names one scenario twice, as 'gen' and 'Gen' (scenario names "
                         "are the same whatever their case) (see --help)\n");
    for (const char* wrong : {"--cable-end-temp 19.9", "--cable-end-temp 301", "--cable-end-temp hot", "--lv-tolerance 8"}) {
        const auto r = study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) + " " + wrong + " 2>&1 < /dev/null");
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_NE(r.out.find("takes"), std::string::npos) << r.out;
    }
}

// --arc-current-range: on appends its two columns after every other, and
// for durations typed (the energy growing with the current) the range's
// worst is the governing case; off is the output without the option, byte
// for byte; another word is refused.
TEST(NetworkStudy, ArcCurrentRangeOptionThroughTheProgram) {
    const std::string path = ::testing::TempDir() + "network-range.csv";
    std::ofstream(path, std::ios::binary) << kNetwork;
    const std::string program = std::string(ZENTAVO_BATCH_PROGRAM) + " ";
    const auto plain = study_test::RunCommand(program + path);
    const auto off = study_test::RunCommand(program + "--arc-current-range off " + path);
    const auto on = study_test::RunCommand(program + "--arc-current-range on " + path);
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(off.status, 0);
    EXPECT_EQ(off.out, plain.out);
    ASSERT_EQ(on.status, 0);
    const std::string header = on.out.substr(0, on.out.find('\n'));
    EXPECT_EQ(header, plain.out.substr(0, plain.out.find('\n')) +
                          ",range_worst_arcing_current,range_worst_energy");
    const std::vector<CsvRow> rows = study_test::CsvRows(on.out);
    ASSERT_EQ(rows.size(), 5u);
    for (const CsvRow& r : rows) {
        SCOPED_TRACE(r.at("point"));
        ASSERT_EQ(r.at("status"), "ok") << r.at("message");
        EXPECT_EQ(r.at("range_worst_energy"), r.at("incident_energy_governing"));
        const bool reduced = r.at("governing") == "reduced";
        EXPECT_EQ(r.at("range_worst_arcing_current"),
                  r.at(reduced ? "arcing_current_reduced" : "arcing_current"));
    }
    const auto bad = study_test::RunCommand(program + "--arc-current-range yes 2>&1 < /dev/null");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out,
              "zentavo-batch: --arc-current-range takes one of on, off, not 'yes' (see --help)\n");
}

// No DC row's refusal ends the run: each DC input column at 0, -1, NaN,
// +-inf and 1e+-300 is refused in its own row (its point, its message naming
// the column), the run ends normally with nothing on standard error, and the
// good rows around it are computed. Messages written by hand from the limits
// in docs/dc-arc-flash.md.
TEST(DcStudy, EveryInputOutOfItsLimitsRefusedInItsRowAlone) {
    struct Column {
        const char* name;
        int field;  // the field of the row below that is changed
        const char* zero;  // the message at 0 and at -1
        const char* huge;  // at 1e300
        const char* tiny;  // at 1e-300
    };
    // point,method,voltage,bolted_current,dc_source_r,gap,work_distance,arc_time,dc_box
    // clang-format off
    const Column columns[] = {
        {"voltage", 2, "Voltage must be above 0 V. ", "Voltage must be from 1 V to 800000 V. ",
         "Voltage must be from 1 V to 800000 V. "},
        {"bolted_current", 3, "Bolted current must be above 0 kA. ",
         "Bolted current must be from 0.001 kA to 1000 kA. ", "Bolted current must be from 0.001 kA to 1000 kA. "},
        {"dc_source_r", 4, "Source resistance must be above 0 ohm. ",
         "Source resistance must be from 0.00001 ohm to 1000 ohm. ",
         "Source resistance must be from 0.00001 ohm to 1000 ohm. "},
        {"gap", 5, "Gap must be above 0 mm. ", "Gap must be from 1 mm to 1000 mm. ", "Gap must be from 1 mm to 1000 mm. "},
        {"work_distance", 6, "Working distance must be above 0 mm. ",
         "Working distance must be from 100 mm to 100000 mm. ", "Working distance must be from 100 mm to 100000 mm. "},
        {"arc_time", 7, "Arc duration must be above 0 s. ", "Arc duration must be at most 10000 s. ",
         "Arc duration must be at least 0.001 s. "},
    };
    // clang-format on
    const std::string header = "point,method,voltage,bolted_current,dc_source_r,gap,work_distance,arc_time,dc_box\n";
    const std::string path = ::testing::TempDir() + "dc-limits.csv", out = ::testing::TempDir() + "dc-limits-out.csv";
    for (const Column& c : columns) {
        SCOPED_TRACE(c.name);
        // The source given by its resistance where that is the column changed.
        std::vector<std::string> good = {"", "dc-arc-resistance", "500", "10", "", "20", "457.2", "2", "open"};
        if (c.field == 4) good[3] = "", good[4] = "0.05";
        auto record = [](const std::vector<std::string>& f) {
            std::string r;
            for (const std::string& v : f) r += (r.empty() ? "" : ",") + v;
            return r + "\n";
        };
        struct Bad {
            const char* value;
            std::string status, message;
        };
        const std::string notNumber = std::string(c.name) + ": '";
        const Bad bad[] = {
            {"0", "warning", c.zero},
            {"-1", "warning", c.zero},
            {"nan", "error", notNumber + "nan' is not a valid floating point value"},
            {"inf", "error", notNumber + "inf' is not a valid floating point value"},
            {"-inf", "error", notNumber + "-inf' is not a valid floating point value"},
            {"1e300", "warning", c.huge},
            {"1e-300", "warning", c.tiny},
        };
        std::string study = header;
        for (std::size_t i = 0; i < std::size(bad); ++i) {
            good[0] = "good" + std::to_string(i);
            study += record(good);
            std::vector<std::string> row = good;
            row[0] = std::string("bad ") + bad[i].value;
            row[c.field] = bad[i].value;
            study += record(row);
        }
        good[0] = "last";
        study += record(good);
        std::ofstream(path, std::ios::binary) << study;
        const auto run = study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) + " -o " + out + " " + path + " 2>&1");
        EXPECT_EQ(run.status, 0) << run.out;
        const std::vector<CsvRow> rows = study_test::CsvRows(FileBytes(out));
        ASSERT_EQ(rows.size(), 2 * std::size(bad) + 1);
        for (std::size_t i = 0; i < std::size(bad); ++i) {
            const CsvRow& g = rows[2 * i];
            EXPECT_EQ(g.at("status"), "ok") << g.at("point") << ": " << g.at("message");
            EXPECT_EQ(g.at("incident_energy"), rows.back().at("incident_energy")) << g.at("point");
            const CsvRow& b = rows[2 * i + 1];
            EXPECT_EQ(b.at("status"), bad[i].status) << b.at("point");
            EXPECT_EQ(b.at("message"), bad[i].message) << b.at("point");
            EXPECT_EQ(b.at("incident_energy"), "") << b.at("point");
        }
        EXPECT_EQ(rows.back().at("status"), "ok");
        EXPECT_NE(rows.back().at("incident_energy"), "");
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
}  // namespace zentavo

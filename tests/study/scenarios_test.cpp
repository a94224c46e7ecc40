// SPDX-License-Identifier: GPL-3.0-or-later
// A study computed in its scenarios: a double-ended 480 V substation whose
// tie is closed in one scenario and whose main A has a maintenance setting
// in another. Each scenario's energies are checked against the same plant
// written without scenarios (the tie row left out, or the maintenance
// setting typed as the trip unit's own), so the scenarios' networks and
// devices are those a study of that configuration alone builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/number.h"
#include "study/point_record.h"
#include "study/run.h"
#include "study/scenarios.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using study_test::CsvRow;

const std::string kHeader =
    "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth,"
    "work_distance,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,"
    "cable_x,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,"
    "trip_inst_pickup,trip_inst_time,arc_time,arc_time_reduced,scenarios,maint_inst_pickup,maint_inst_time,"
    "maint_scenario\n";
const std::string kLv = "ieee1584-2018,480,32,VCB,508,508,508,609.6,";

// The substation: the utility; two 2 000 kVA transformers to SUB-A and
// SUB-B with their mains (short time 3 × 3 000 A, 0.3 s); a 2 m tie cable
// with its breaker (0.2 s); a feeder section on SUB-A. `tie` the tie
// row's scenarios cell (nullopt: no tie row); `inst` main A's
// instantaneous pickup and time, `maint` its maintenance columns.
std::string Substation(std::optional<std::string> tie, const std::string& inst = ",",
                       const std::string& maint = ",,") {
    std::string s = kHeader +
                    "Utility,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,UTIL,,source,25,15,,,,,,,,,,,,,,,0.5,0.5,,,,\n"
                    "Main A," + kLv + "SUB-A,UTIL,transformer,,,2000,5.75,6,,,,trip-unit,3000,1,10,3,0.3," + inst + ",,,," + maint + "\n"
                    "Main B," + kLv + "SUB-B,UTIL,transformer,,,2000,5.75,6,,,,trip-unit,3000,1,10,3,0.3,,,,,,,,\n";
    if (tie) s += "Tie," + kLv + "SUB-B,SUB-A,cable,,,,,,2,0.06,0.09,trip-unit,3000,1,10,3,0.2,,,,," + *tie + ",,,\n";
    return s + "Feeder A," + kLv + "SUB-A,,,,,,,,,,,trip-unit,1600,1,10,4,0.2,10,0.05,,,,,,\n";
}

std::vector<CsvRow> RunScenarios(const std::string& study, std::vector<std::string> scenarios = {}) {
    StudyOptions options;
    options.scenarios = std::move(scenarios);
    std::string out;
    RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    return study_test::CsvRows(out);
}

double Energy(const CsvRow& row) { return ParseNumber(row.at("incident_energy_governing"), '.'); }

// The points' results as the run hands them to the PDFs.
std::vector<PointResult> PointResults(const std::string& study) {
    StudyOptions options;
    std::vector<PointResult> results;
    options.points = [&](std::string_view records) {
        PointRecord p;
        while (ReadPointRecord(records, p)) results.push_back(p.result);
    };
    RunStudy(study, options, [](std::string_view) {});
    return results;
}

TEST(Scenarios, EachPointShowsItsWorstScenarioAsThatConfigurationAloneGivesIt) {
    const std::string maint = "4,0.05,maint";
    const std::vector<CsvRow> study = RunScenarios(Substation("tie-closed", ",", maint));
    // Each configuration alone: the tie open (no tie row), the tie closed,
    // the tie open with main A's maintenance setting as its own setting.
    const std::vector<CsvRow> open = RunScenarios(Substation(std::nullopt)), closed = RunScenarios(Substation("")),
                              maintenance = RunScenarios(Substation(std::nullopt, "4,0.05"));
    ASSERT_EQ(study.size(), 5u);
    ASSERT_EQ(study[0].count("scenario_worst"), 1u);
    EXPECT_EQ(closed[0].count("scenario_worst"), 1u);  // a scenarios column: written even when all empty
    struct Expected {
        std::size_t row;         // in `study`
        int openRow, closedRow;  // in `open`/`maintenance` and `closed`; -1: not computed there
        const char* worst;
    };
    // The closed tie feeds each bus from both transformers, and its arc
    // lasts until the tie and then the main open: the worst for every
    // point. Main A's maintenance setting (12 kA, below its arcing
    // current) clears its own bus fast; main B has none.
    const Expected expected[] = {
        {1, 1, 1, "tie-closed"}, {2, 2, 2, "tie-closed"}, {3, -1, 3, "tie-closed"}, {4, 3, 4, "tie-closed"}};
    for (const Expected& e : expected) {
        SCOPED_TRACE(study[e.row].at("point"));
        const CsvRow& r = study[e.row];
        EXPECT_EQ(r.at("status"), "ok") << r.at("message");
        EXPECT_EQ(r.at("scenario_worst"), e.worst);
        EXPECT_EQ(r.at("incident_energy_governing"), closed[e.closedRow].at("incident_energy_governing"));
        EXPECT_EQ(r.at("arc_steps"), closed[e.closedRow].at("arc_steps"));
        if (e.openRow >= 0) {
            EXPECT_GT(Energy(r), Energy(open[e.openRow]));
        }
    }
    EXPECT_EQ(study[1].at("arc_steps"), "2");  // the tie opens, then the main
    // Main A: normal > maint, so the switch buys something; main B: equal.
    EXPECT_LT(Energy(maintenance[1]), Energy(open[1]));
    EXPECT_EQ(maintenance[2].at("incident_energy_governing"), open[2].at("incident_energy_governing"));

    // The scenarios' energies side by side, as the report shows them.
    const StudyOptions options;
    const std::vector<PointResult> results = PointResults(Substation("tie-closed", ",", maint));
    ASSERT_EQ(results.size(), 5u);
    const std::string mainA = "normal " + open[1].at("incident_energy_governing") + ", maint " +
                              maintenance[1].at("incident_energy_governing") + ", tie-closed " +
                              closed[1].at("incident_energy_governing") + " cal/cm2";
    EXPECT_EQ(ScenarioEnergiesText(results[1], options.units, '.'), mainA);
    EXPECT_EQ(ScenarioEnergiesText(results[3], options.units, '.'),
              "tie-closed " + closed[3].at("incident_energy_governing") + " cal/cm2; normal, maint without its branch");
    // The scenario main A's maint_scenario names has a maintenance setting
    // on, for every point (read back from the points' records).
    for (const PointResult& r : {results[1], results[3]}) {
        std::vector<bool> on;
        for (const PointScenario& s : r.scenarios) on.push_back(s.maintenance);
        EXPECT_EQ(on, (std::vector<bool>{false, true, false}));
    }
}

// A fault on the line side of a feeder's breaker is cleared by the main
// upstream: the maintenance scenario, its network the normal one's, is
// computed again for the point whose steps weigh the main's device, and
// taken from the normal scenario for the point whose steps do not.
TEST(Scenarios, AMaintenanceScenarioRecomputesThePointsWhoseStepsWeighItsDevice) {
    const std::string header =
        "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth,"
        "work_distance,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,"
        "cable_x,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,"
        "trip_inst_pickup,trip_inst_time,arc_time,arc_time_reduced,line_side,maint_inst_pickup,maint_inst_time,"
        "maint_scenario\n";
    auto study = [&](const std::string& inst, const std::string& maint) {
        return header +
               "Utility,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,UTIL,,source,25,15,,,,,,,,,,,,,,,0.5,0.5,,,,\n"
               "Main A," + kLv + "SUB-A,UTIL,transformer,,,2000,5.75,6,,,,trip-unit,3000,1,10,3,0.3," + inst +
               ",,,," + maint + "\n"
               "Load A line side," + kLv + "LOAD-A,SUB-A,cable,,,,,,10,0.1,0.08,trip-unit,800,1,10,4,0.2,10,0.05,,,"
               "yes,,,\n"
               "Load B," + kLv + "LOAD-B,SUB-A,cable,,,,,,10,0.1,0.08,trip-unit,800,1,10,4,0.2,10,0.05,,,,,,\n";
    };
    const std::vector<CsvRow> both = RunScenarios(study(",", "4,0.05,maint")),
                              normal = RunScenarios(study(",", ",,")), maint = RunScenarios(study("4,0.05", ",,"));
    ASSERT_EQ(both.size(), 4u);
    for (std::size_t r = 1; r < 4; ++r) {
        SCOPED_TRACE(both[r].at("point"));
        EXPECT_EQ(both[r].at("status"), "ok") << both[r].at("message");
        // normal is the worst of the two: the maintenance setting only speeds the main up.
        EXPECT_EQ(both[r].at("scenario_worst"), "normal");
        EXPECT_EQ(both[r].at("incident_energy_governing"), normal[r].at("incident_energy_governing"));
    }
    // The line side's arc ends when the main opens, at 0.05 s with the setting on.
    EXPECT_LT(Energy(maint[2]), Energy(normal[2]) / 3);
    EXPECT_EQ(maint[3].at("incident_energy_governing"), normal[3].at("incident_energy_governing"));
    const StudyOptions options;
    const std::vector<PointResult> results = PointResults(study(",", "4,0.05,maint"));
    ASSERT_EQ(results.size(), 4u);
    for (std::size_t r : {1u, 2u}) {
        EXPECT_EQ(ScenarioEnergiesText(results[r], options.units, '.'),
                  "normal " + normal[r].at("incident_energy_governing") + ", maint " +
                      maint[r].at("incident_energy_governing") + " cal/cm2");
    }
}

// The study's rows as the run hands them to the scenarios, cell by cell
// (the texts stay `csv`'s).
std::vector<StudyRowInputs> Rows(const std::string& csv) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0, end; at < csv.size(); at = end + 1) {
        end = csv.find('\n', at);
        lines.push_back(std::string_view(csv).substr(at, end - at));
    }
    auto cells = [](std::string_view line) {
        std::vector<std::string_view> out;
        for (std::size_t at = 0;;) {
            const std::size_t comma = line.find(',', at);
            out.push_back(line.substr(
                at, comma == std::string_view::npos ? std::string_view::npos : comma - at));
            if (comma == std::string_view::npos) return out;
            at = comma + 1;
        }
    };
    const std::vector<std::string_view> header = cells(lines[0]);
    std::vector<StudyRowInputs> rows;
    for (std::size_t l = 1; l < lines.size(); ++l) {
        const std::vector<std::string_view> row = cells(lines[l]);
        StudyRowInputs& in = rows.emplace_back();
        in.point = row[0];
        for (std::size_t c = 0; c < header.size(); ++c) {
            for (std::size_t k = 0; k < kStudyInputColumnCount; ++k) {
                if (header[c] == kStudyInputNames[k]) in[static_cast<StudyInputColumn>(k)] = row[c];
            }
        }
    }
    return rows;
}

// A maintenance scenario has the normal one's network: it takes over its
// factors, and a row's walked states serve both, unless a device is not
// the same step device in both (a maintenance setting its device refuses
// leaves the main without one there, so that its walks differ).
TEST(Scenarios, ATwinScenarioWalksItsTwinsStatesWhereItsDevicesSitAlike) {
    // clang-format off
    const struct { const char* maint; bool same; } rows[] = {
        {"4,0.05,maint",  true},
        {"-1,0.05,maint", false},
    };
    // clang-format on
    for (const auto& [maint, same] : rows) {
        SCOPED_TRACE(maint);
        const std::string text = Substation("tie-closed", ",", maint);
        const std::vector<StudyRowInputs> inputs = Rows(text);
        ASSERT_EQ(inputs.size(), 5u);
        const StudyScenarios scenarios(inputs, StudyOptions{});
        ASSERT_EQ(scenarios.Names(), (std::vector<std::string>{"normal", "maint", "tie-closed"}));
        EXPECT_EQ(scenarios.Twin(1), std::optional<std::size_t>(0));
        EXPECT_EQ(scenarios.SameSteps(1), same);
        EXPECT_FALSE(scenarios.SameSteps(2));  // the tie in: a network of its own
    }
}

TEST(Scenarios, TheListComputedAndTheCellsRefused) {
    // The default list: normal, then every name in the order first used.
    std::vector<StudyRowInputs> rows(3);
    rows[0][kScenariosColumn] = "tie-closed gen-only";
    rows[1][kMaintScenarioColumn] = "maint";
    rows[2][kScenariosColumn] = "all";
    EXPECT_EQ(StudyScenarioNames(rows, {}), (std::vector<std::string>{"normal", "tie-closed", "gen-only", "maint"}));
    EXPECT_EQ(StudyScenarioNames(rows, {"tie-open"}), (std::vector<std::string>{"tie-open"}));
    EXPECT_TRUE(StudyScenarioNames(std::vector<StudyRowInputs>(2), {}).empty());
    // Names are one whatever their case: the first spelling is the scenario's.
    rows[2][kScenariosColumn] = "Gen-Only";
    EXPECT_EQ(StudyScenarioNames(rows, {}), (std::vector<std::string>{"normal", "tie-closed", "gen-only", "maint"}));
    // Asked names no row uses are told, but normal, which no row need name.
    EXPECT_EQ(UnusedScenarioNames(rows, {"Normal", "gne", "GEN-ONLY", "maint", "tie-open"}),
              (std::vector<std::string>{"gne", "tie-open"}));

    // The utility in a scenario of its own: in normal no bus is fed, and
    // each point shows the utility's scenario, normal named as not fed.
    std::string utility = Substation(std::nullopt);
    utility.replace(utility.find("0.5,0.5,,,,"), 11, "0.5,0.5,utility,,,");
    const std::vector<CsvRow> open = RunScenarios(Substation(std::nullopt)), fed = RunScenarios(utility);
    EXPECT_EQ(fed[1].at("scenario_worst"), "utility");
    EXPECT_EQ(fed[1].at("incident_energy_governing"), open[1].at("incident_energy_governing"));
    EXPECT_EQ(ScenarioEnergiesText(PointResults(utility)[1], StudyOptions().units, '.'),
              "utility " + open[1].at("incident_energy_governing") + " cal/cm2; normal not fed");

    // Asked for tie-open alone, the tie (in tie-closed only) is in no scenario.
    const std::vector<CsvRow> tieOpen = RunScenarios(Substation("tie-closed"), {"tie-open"});
    EXPECT_EQ(tieOpen[3].at("message"), "scenarios: the row's branch takes part in none of the scenarios computed");
    EXPECT_EQ(tieOpen[1].at("scenario_worst"), "tie-open");

    struct Case {
        const char* what;
        std::string study;
        std::size_t row;
        const char* message;
    };
    const Case cases[] = {
        {"a name with a slash", Substation("tie/closed"), 3,
         "scenarios: \"tie/closed\" is not a scenario name (1 to 32 letters, digits, '-', '_' or '.'; \"all\" alone "
         "for every scenario)"},
        {"all among names", Substation("all tie-closed"), 3,
         "scenarios: \"all\" is not a scenario name (1 to 32 letters, digits, '-', '_' or '.'; \"all\" alone for "
         "every scenario)"},
        {"maintenance without its scenario", Substation("", ",", "4,0.05,"), 1,
         "maint_scenario: empty, a maintenance setting needs the scenario it is used in"},
        {"maintenance without its pickup", Substation("", ",", ",0.05,maint"), 1,
         "maint_inst_pickup: empty, a maintenance setting needs its instantaneous pickup"},
        {"maintenance in every scenario", Substation("", ",", "4,0.05,all"), 1,
         "maint_scenario: a maintenance setting is used in named scenarios, not in all"},
        {"a pickup that is no number", Substation("", ",", "x4,,maint"), 1,
         "maint_inst_pickup: 'x4' is not a valid floating point value"},
        {"a fuse's maintenance", kHeader + "Panel," + kLv + "P,,source,20,10,,,,,,,fuse-curve,,,,,,,,,,,4,,maint\n", 0,
         "maint_inst_pickup: a maintenance setting is given on a row whose device_type is not relay or trip-unit"},
        {"scenarios on a point alone", kHeader + "Point," + kLv + ",,,,,,,,,,,,,,,,,,,0.1,0.1,maint,,,\n", 0,
         "scenarios: given on a row outside the network (a row with a bus)"},
        {"one name in two cases in a cell", Substation("tie-closed Tie-Closed"), 3,
         "scenarios: \"tie-closed\" and \"Tie-Closed\" are one scenario (names are the same whatever their case)"},
        {"a name in another case than its first use", Substation("tie-closed", ",", "4,0.05,Tie-closed"), 3,
         "scenarios: \"tie-closed\" is the scenario \"Tie-closed\" in another case; names are the same whatever "
         "their case: write \"Tie-closed\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<CsvRow> got = RunScenarios(c.study);
        ASSERT_GT(got.size(), c.row);
        EXPECT_EQ(got[c.row].at("status"), "error");
        EXPECT_EQ(got[c.row].at("message"), c.message);
    }

    // A point the model refuses in one scenario alone (a weak source's
    // 0.3 kA) is refused, naming it, with no energy of the other.
    const std::vector<CsvRow> weak = RunScenarios(
        kHeader + "Utility," + kLv + "P,,source,30,10,,,,,,,,,,,,,,,0.1,0.1,normal,,,\n" + "Weak source," + kLv +
        "P,,source,0.3,5,,,,,,,,,,,,,,,0.1,0.1,weak,,,\n" + "Panel," + kLv + "P,,,,,,,,,,,,,,,,,,,0.1,0.1,,,,\n");
    ASSERT_EQ(weak.size(), 3u);
    EXPECT_EQ(weak[2].at("status"), "warning");
    EXPECT_EQ(weak[2].at("message"), "scenario weak: maximum case (0.300 kA): Bolted current below 0.5 kA (208-600 V). ");
    EXPECT_EQ(weak[2].at("incident_energy_governing"), "");
}

// The scenario_energies column: each scenario's governing energy, as the
// configuration alone gives it, or why the point is not computed there; the
// last column, after the range's worst.
TEST(Scenarios, EachScenariosEnergyIsWrittenInTheLastColumn) {
    std::string utility = Substation(std::nullopt);
    utility.replace(utility.find("0.5,0.5,,,,"), 11, "0.5,0.5,utility,,,");
    const std::vector<CsvRow> open = RunScenarios(Substation(std::nullopt)),
                              closed = RunScenarios(Substation("")),
                              maintenance = RunScenarios(Substation(std::nullopt, "4,0.05"));
    const auto e = [](const CsvRow& r) { return r.at("incident_energy_governing"); };
    const std::string study = Substation("tie-closed", ",", "4,0.05,maint");
    struct Case {
        const char* what;
        const std::string& study;
        bool range;  // --arc-current-range on
        std::size_t row;
        std::string energies;
    };
    const Case cases[] = {
        {"main A in all three", study, false, 1,
         "normal " + e(open[1]) + "; maint " + e(maintenance[1]) + "; tie-closed " + e(closed[1])},
        {"the same with the range's worst", study, true, 1,
         "normal " + e(open[1]) + "; maint " + e(maintenance[1]) + "; tie-closed " + e(closed[1])},
        {"the tie, its branch in one", study, false, 3,
         "normal without its branch; maint without its branch; tie-closed " + e(closed[3])},
        {"feeder A", study, false, 4,
         "normal " + e(open[3]) + "; maint " + e(maintenance[3]) + "; tie-closed " + e(closed[4])},
        {"the bus not fed in normal", utility, false, 1, "normal not fed; utility " + e(open[1])},
        {"the utility's own row", utility, false, 0,
         "normal without its branch; utility " + e(open[0])},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StudyOptions options;
        options.arcCurrentRange = c.range;
        std::string out;
        RunStudy(c.study, options, [&](std::string_view s) { out.append(s); });
        const std::string header = out.substr(0, out.find('\r'));
        EXPECT_TRUE(header.ends_with(c.range ? ",range_worst_energy,scenario_energies"
                                             : ",scenario_worst,scenario_energies"))
            << header;
        const std::vector<CsvRow> rows = study_test::CsvRows(out);
        ASSERT_GT(rows.size(), c.row);
        EXPECT_EQ(rows[c.row].at("scenario_energies"), c.energies);
    }
}

// The result columns of an output header are found again from it, for
// every group a study writes: devices, network, duty, steps, scenarios, DC,
// the range's worst (--arc-current-range on: its two columns the last).
TEST(Scenarios, ResultColumnsFoundAgainInTheOutputHeader) {
    const std::vector<std::string> groups[] = {
        {"device_type"}, {"bus"}, {"device_rating_ka"}, {"scenarios"}, {"dc_box"}};
    for (int mask = 0; mask < 32; ++mask) {
        for (const bool steps : {false, true}) {
            for (const bool range : {false, true}) {
                std::vector<std::string> header = {"point", "method"};
                for (int g = 0; g < 5; ++g) {
                    if (mask & (1 << g))
                        header.insert(header.end(), groups[g].begin(), groups[g].end());
                }
                SCOPED_TRACE(::testing::PrintToString(header) + (steps ? " with steps" : "") +
                             (range ? " with the range" : ""));
                const ResultColumnList written =
                    WrittenResultColumns(MapStudyColumns(header), steps, range);
                EXPECT_EQ(OutputResultColumns(StudyOutputNames(header, steps, range)), written);
                // scenario_worst only with a network and a scenarios column.
                const bool scenarios = std::find(written.begin(), written.end(),
                                                 kScenarioWorstColumn) != written.end();
                EXPECT_EQ(scenarios, (mask & 2) && (mask & 8));
                // scenario_energies last, with scenario_worst; the range's
                // two columns the last before it.
                const bool energies = written.back() == kScenarioEnergiesColumn;
                EXPECT_EQ(energies, scenarios);
                const auto end = written.end() - (energies ? 1 : 0);
                EXPECT_EQ(
                    ResultColumnList(end - 2, end) ==
                        ResultColumnList({kRangeWorstArcingCurrentColumn, kRangeWorstEnergyColumn}),
                    range);
                // A results file written before scenario_energies is read as it was.
                if (energies) {
                    std::vector<std::string> older = StudyOutputNames(header, steps, range);
                    older.pop_back();
                    EXPECT_EQ(OutputResultColumns(older), ResultColumnList(written.begin(), end));
                }
            }
        }
    }
}

}  // namespace
}  // namespace zentavo

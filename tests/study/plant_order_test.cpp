// SPDX-License-Identifier: GPL-3.0-or-later
// A plant as drawn, whatever the order of its rows: an arc ends with its last
// source, a line side's main is found from the network, a tie breaker opens,
// and a device that lets the arc run to its maximum duration is said so. The
// same plant in any row order gives every point the same results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/number.h"
#include "study/run.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using study_test::CsvRow;

const std::vector<std::string> kColumns = {"point",
                                           "method",
                                           "voltage",
                                           "gap",
                                           "electrode_configuration",
                                           "enclosure_height",
                                           "enclosure_width",
                                           "enclosure_depth",
                                           "work_distance",
                                           "bus",
                                           "from_bus",
                                           "branch_type",
                                           "source_ka",
                                           "source_xr",
                                           "tx_kva",
                                           "tx_z",
                                           "tx_xr",
                                           "cable_length",
                                           "cable_r",
                                           "cable_x",
                                           "motor_kva",
                                           "device_type",
                                           "trip_rating",
                                           "trip_lt_pickup",
                                           "trip_lt_delay",
                                           "trip_st_pickup",
                                           "trip_st_delay",
                                           "trip_inst_pickup",
                                           "line_side",
                                           "line_side_of",
                                           "arc_time",
                                           "arc_time_reduced",
                                           "max_arc_time",
                                           "scenarios",
                                           "gen_kva",
                                           "gen_xd",
                                           "afr_pickup",
                                           "afr_time",
                                           "zsi",
                                           "zsi_time",
                                           "bus_diff_time",
                                           "device_at",
                                           "relay_curve",
                                           "relay_pickup",
                                           "relay_time_dial",
                                           "fuse_curve"};
using Cells = std::map<std::string, std::string>;

std::string Line(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& f : fields) line += (line.empty() ? "" : ",") + f;
    return line + "\n";
}
const std::string kHeader = Line(kColumns);

// A row of a 480 V point (13.8 kV at UTIL) with the cells given.
std::string Row(Cells cells) {
    const bool mv = cells["bus"] == "UTIL";
    const Cells point = {{"method", "ieee1584-2018"}, {"voltage", mv ? "13800" : "480"}, {"gap", mv ? "152" : "32"},
                         {"electrode_configuration", "VCB"}, {"enclosure_height", mv ? "1143" : "508"},
                         {"enclosure_width", mv ? "762" : "508"}, {"enclosure_depth", "508"},
                         {"work_distance", mv ? "914.4" : "609.6"}};
    cells.insert(point.begin(), point.end());
    std::vector<std::string> fields;
    for (const std::string& c : kColumns) fields.push_back(cells.count(c) ? cells.at(c) : "");
    return Line(fields);
}
// A 3 000 A trip unit: long time 10 s at 6 ×, short time 4 × at 0.3 s
// (0.33 s at the band's upper edge); instantaneous as given.
Cells Trip(const std::string& inst = "") {
    return {{"device_type", "trip-unit"}, {"trip_rating", "3000"}, {"trip_lt_pickup", "1"}, {"trip_lt_delay", "10"},
            {"trip_st_pickup", "4"}, {"trip_st_delay", "0.3"}, {"trip_inst_pickup", inst}};
}
Cells With(Cells a, const Cells& b) {
    for (const auto& [column, value] : b) a[column] = value;
    return a;
}

std::string Utility() {
    return Row({{"point", "Utility"}, {"bus", "UTIL"}, {"branch_type", "source"}, {"source_ka", "30"},
                {"source_xr", "15"}, {"arc_time", "0.5"}, {"arc_time_reduced", "0.5"}});
}
// A 2 000 kVA transformer from UTIL to `bus` with a main of `device`.
std::string Transformer(const std::string& name, const std::string& bus, const Cells& device, const Cells& more = {}) {
    return Row(With(With({{"point", name}, {"bus", bus}, {"from_bus", "UTIL"}, {"branch_type", "transformer"},
                          {"tx_kva", "2000"}, {"tx_z", "5.75"}, {"tx_xr", "6"}},
                         device),
                    more));
}
std::string Cable(const std::string& name, const std::string& bus, const std::string& from, const std::string& length,
                  const Cells& device, const Cells& more = {}) {
    return Row(With(With({{"point", name}, {"bus", bus}, {"from_bus", from}, {"branch_type", "cable"},
                          {"cable_length", length}, {"cable_r", "0.06"}, {"cable_x", "0.09"}},
                         device),
                    more));
}
std::string LineSide(const std::string& name, const std::string& bus, const std::string& of = "") {
    return Row(With({{"point", name}, {"bus", bus}, {"line_side", "yes"}, {"line_side_of", of}}, Trip()));
}
const Cells kNoDevice;

std::map<std::string, CsvRow> RunPlant(const std::string& rows, std::optional<double> decay = 5.0,
                                  const std::vector<std::string>& scenarios = {}) {
    StudyOptions options;
    options.motorDecay = decay;
    options.scenarios = scenarios;
    std::string out;
    RunStudy(kHeader + rows, options, [&](std::string_view s) { out.append(s); });
    std::map<std::string, CsvRow> byPoint;
    for (CsvRow& r : study_test::CsvRows(out)) byPoint[r.at("point")] = std::move(r);
    return byPoint;
}

double Number(const CsvRow& row, const char* column) { return ParseNumber(row.at(column), '.'); }

// A switchgear whose main clears at 0.33 s, with a cable to an MCC that has
// neither device nor motors: once the main opens no source is left, and the
// arc ends there; nothing runs on to the maximum arc duration, with a
// maximum or without one.
TEST(PlantAsDrawn, TheArcEndsWithItsLastSource) {
    for (const std::string maxArc : {"", "none"}) {
        const std::string swg = Transformer("SWG", "SWG", With(Trip(), {{"max_arc_time", maxArc}}));
        const CsvRow r = RunPlant(Utility() + swg + Cable("MCC", "MCC", "SWG", "30", kNoDevice)).at("SWG");
        ASSERT_EQ(r.at("status"), "ok") << r.at("message");
        EXPECT_EQ(r.at("arc_time_used"), "0.33") << maxArc;
        EXPECT_EQ(r.at("device_element"), "short time") << maxArc;
        EXPECT_EQ(r.at("arc_steps"), "1") << maxArc;
    }
}

// What clears the arc beyond the curves, each by hand on a 2 000 kVA
// substation SWG (its main the 3 000 A trip unit: short time 0.3 s, 0.33 s
// at the band's edge) with a 30 m feeder to MCC (the same trip unit): every
// device on the fault's path runs, the first to open ends the arc.
TEST(PlantAsDrawn, SpecialProtectionAndEveryDeviceOnThePath) {
    const Cells zsi = {{"zsi", "yes"}, {"zsi_time", "0.1"}},
                zsiAsSet = {{"zsi", "yes"}, {"zsi_time", "0.3"}};
    struct Case {
        const char* what;
        Cells main, feeder, swgRow;
        const char* point;
        const char* seconds;
        const char* element;
        const char* notSelective;  // the start of the message, or none
    };
    const Case cases[] = {
        {"arc-flash relay above its pickup",
         With(Trip(), {{"afr_pickup", "1000"}, {"afr_time", "0.035"}}),
         Trip(),
         {},
         "SWG",
         "0.035",
         "arc-flash relay",
         nullptr},
        {"arc-flash relay below its pickup: the curve",
         With(Trip(), {{"afr_pickup", "900000"}, {"afr_time", "0.035"}}),
         Trip(),
         {},
         "SWG",
         "0.33",
         "short time",
         nullptr},
        {"arc-flash relay of the main, fault below the feeder: unseen",
         With(Trip(), {{"afr_pickup", "1000"}, {"afr_time", "0.035"}}),
         Trip(),
         {},
         "MCC",
         "0.33",
         "short time",
         nullptr},
        {"interlocked main, fault on its bus",
         With(Trip(), zsi),
         With(Trip(), zsiAsSet),
         {},
         "SWG",
         "0.11",
         "zone-selective interlocking",
         nullptr},
        {"interlocked main restrained by the feeder",
         With(Trip(), zsi),
         With(Trip(), zsiAsSet),
         {},
         "MCC",
         "0.33",
         "short time",
         nullptr},
        {"interlocked main, the feeder not interlocked",
         With(Trip(), zsi),
         Trip(),
         {},
         "MCC",
         "0.11",
         "zone-selective interlocking",
         "not selective: the device of \"SWG\" opened before that of \"MCC\""},
        {"arc-flash relay alone on the feeder's breaker",
         Trip(),
         {{"afr_pickup", "1000"}, {"afr_time", "0.035"}},
         {},
         "MCC",
         "0.035",
         "arc-flash relay",
         nullptr},
        {"arc-flash relay alone below its pickup: the main",
         Trip(),
         {{"afr_pickup", "900000"}, {"afr_time", "0.035"}},
         {},
         "MCC",
         "0.33",
         "short time",
         nullptr},
        {"bus differential on its bus",
         Trip(),
         Trip(),
         {{"bus_diff_time", "0.05"}},
         "SWG",
         "0.05",
         "bus differential",
         nullptr},
        {"bus differential elsewhere",
         Trip(),
         Trip(),
         {{"bus_diff_time", "0.05"}},
         "MCC",
         "0.33",
         "short time",
         nullptr},
        {"a faster main",
         Trip("3"),
         Trip(),
         {},
         "MCC",
         "0.05",
         "instantaneous",
         "not selective: the device of \"SWG\" opened before that of \"MCC\""},
    };
    for (const Case& c : cases) {
        const std::string plant = Utility() + Transformer("SWG", "SWG", With(c.main, c.swgRow)) +
                                  Cable("MCC", "MCC", "SWG", "30", c.feeder);
        const CsvRow r = RunPlant(plant).at(c.point);
        EXPECT_EQ(r.at("arc_time_used"), c.seconds) << c.what << ": " << r.at("message");
        EXPECT_EQ(r.at("device_element"), c.element) << c.what;
        if (c.notSelective) {
            EXPECT_EQ(r.at("status"), "warning") << c.what;
            EXPECT_NE(r.at("message").find(c.notSelective), std::string::npos)
                << c.what << ": " << r.at("message");
        } else {
            EXPECT_EQ(r.at("message").find("not selective"), std::string::npos)
                << c.what << ": " << r.at("message");
        }
    }
}

// A relay or fuse on the 13.8 kV side of SWG's transformer (device_at
// from) sees the 480 V fault's current times 480/13 800, its time there by
// hand; at the bus end it sees 28.75 times as much, and is faster.
TEST(PlantAsDrawn, ADeviceAtItsBranchsFromEnd) {
    struct Device {
        Cells cells;
        double (*seconds)(double amps);  // by hand, at the current it sees
    };
    const Device devices[] = {
        // An IEEE very inverse relay (pickup 100 A, time dial 1, breaker
        // 0.083 s), flat above 20 times its pickup.
        {{{"device_type", "relay"}, {"relay_curve", "IEEE-VI"}, {"relay_pickup", "100"}, {"relay_time_dial", "1"}},
         [](double amps) {
             const double m = std::min(20.0, amps / 100);
             return 19.61 / (m * m - 1) + 0.491 + 0.083;
         }},
        // A primary fuse: 10 s at 100 A to 0.1 s at 1 000 A, a straight
        // line on log-log axes (t = 10 (I/100)^-2); the secondary fault's
        // current through it lies between.
        {{{"device_type", "fuse-curve"}, {"fuse_curve", "100:10 1000:0.1 100000:0.01"}},
         [](double amps) { return 10 * std::pow(amps / 100, -2); }},
    };
    for (const Device& device : devices) {
        std::map<std::string, CsvRow> at;
        for (const std::string end : {"from", "bus"})
            at[end] = RunPlant(Utility() + Transformer("SWG", "SWG", With(device.cells, {{"device_at", end}})))
                          .at("SWG");
        for (const std::string end : {"from", "bus"}) {
            const CsvRow& r = at[end];
            ASSERT_NE(r.at("status"), "error") << r.at("message");
            const bool full = r.at("governing") == "full";
            const double arcing = Number(r, full ? "arcing_current" : "arcing_current_reduced");
            if (end == "bus" && device.cells.at("device_type") == "fuse-curve") continue;  // off the two points
            const double amps = arcing * 1000 * (end == "from" ? 480.0 / 13800 : 1);
            EXPECT_NEAR(Number(r, full ? "arc_time_used" : "arc_time_reduced_used"), device.seconds(amps),
                        0.0006 + 0.001 * device.seconds(amps))
                << device.cells.at("device_type") << " at " << end;
        }
        EXPECT_GT(Number(at["from"], "incident_energy"), Number(at["bus"], "incident_energy"))
            << device.cells.at("device_type");
    }
}

// Two unit substations, each fed by its own transformer and main, joined by
// a 5 m tie with a trip unit; the line side of B's main. Whatever the order
// of the rows, and with the tie's bus and from_bus either way round, the
// main does not act on its line side: the tie is never "the main".
TEST(PlantAsDrawn, TheLineSidesMainComesFromTheNetwork) {
    const std::string mainA = Transformer("A main", "SUB-A", Trip()), mainB = Transformer("B main", "SUB-B", Trip());
    const std::string line = LineSide("B line side", "SUB-B");
    const std::string tie = Cable("Tie", "SUB-B", "SUB-A", "5", Trip()),
                      tieReversed = Cable("Tie", "SUB-A", "SUB-B", "5", Trip());
    const std::map<std::string, CsvRow> tieLast = RunPlant(Utility() + mainA + mainB + line + tie);
    const CsvRow& lineSide = tieLast.at("B line side");
    ASSERT_EQ(lineSide.at("status"), "warning") << lineSide.at("message");
    // Nothing upstream of B's main clears its line side: only the tie opens,
    // and B's transformer feeds the arc to the maximum duration.
    EXPECT_EQ(lineSide.at("arc_time_used"), "2");
    EXPECT_EQ(lineSide.at("message"),
              "no device opens before the maximum arc duration: exposure limited to 2 s. ");
    EXPECT_GT(Number(lineSide, "incident_energy"), 3 * Number(tieLast.at("B main"), "incident_energy"));
    for (const std::string& order : {Utility() + tie + line + mainB + mainA, tieReversed + line + Utility() + mainB + mainA}) {
        const std::map<std::string, CsvRow> other = RunPlant(order);
        for (const char* column : {"incident_energy", "arc_time_used", "arc_steps", "message"})
            EXPECT_EQ(other.at("B line side").at(column), lineSide.at(column)) << column;
    }

    // A second feeder with a device into B: the main must be named.
    const std::string second = Transformer("B feeder", "SUB-B", Trip());
    const CsvRow ambiguous = RunPlant(Utility() + mainA + mainB + tie + second + line).at("B line side");
    EXPECT_EQ(ambiguous.at("status"), "error");
    EXPECT_NE(ambiguous.at("message").find("line_side: bus SUB-B is fed through several branches with devices ("),
              std::string::npos)
        << ambiguous.at("message");
    EXPECT_NE(ambiguous.at("message").find("\"B main\""), std::string::npos);
    EXPECT_NE(ambiguous.at("message").find("\"B feeder\""), std::string::npos);
    EXPECT_EQ(ambiguous.at("message").find("\"Tie\""), std::string::npos);
    const std::map<std::string, CsvRow> named =
        RunPlant(Utility() + mainA + mainB + tie + second + LineSide("B line side", "SUB-B", "B main"));
    EXPECT_EQ(named.at("B line side").at("status"), "warning") << named.at("B line side").at("message");
    const CsvRow wrong = RunPlant(Utility() + mainA + mainB + tie + second + LineSide("B line side", "SUB-B", "Tie")).at("B line side");
    EXPECT_EQ(wrong.at("status"), "error");
    EXPECT_NE(wrong.at("message").find("line_side_of: no branch with a device named \"Tie\" feeds bus SUB-B"),
              std::string::npos)
        << wrong.at("message");
}

// A closed tie with a trip unit is a tie breaker: it opens, and B's own
// transformer goes on feeding the arc until B's main clears. A tie of 0 m
// and one of 1 mm differ by a hair.
TEST(PlantAsDrawn, ATieBreakerOpensAndTheArcGoesOn) {
    const std::string plant = Transformer("A main", "SUB-A", Trip()) + Transformer("B main", "SUB-B", Trip());
    std::map<std::string, CsvRow> at;
    for (const std::string length : {"0", "0.001"})
        at[length] = RunPlant(Utility() + plant + Cable("TIE at B", "SUB-B", "SUB-A", length, Trip("3"))).at("TIE at B");
    const CsvRow &closed = at["0"], &short1 = at["0.001"];
    ASSERT_EQ(closed.at("status"), "ok") << closed.at("message");
    EXPECT_EQ(closed.at("arc_steps"), "2");
    EXPECT_EQ(closed.at("arc_time_used"), "0.33");
    EXPECT_NEAR(Number(closed, "incident_energy") / Number(short1, "incident_energy"), 1, 1e-4);
    EXPECT_EQ(closed.at("arc_steps"), short1.at("arc_steps"));
}

// What the steps say where they could be silent: a device that never
// operates at what it sees is a warning naming the device and the current;
// a motor decay of 0 cycles is the limit of a short one, not "none".
TEST(PlantAsDrawn, ToldNotSilent) {
    const std::string motors = Cable("MCC", "MCC", "SWG", "30", With(Trip(), {{"trip_st_pickup", ""}, {"trip_st_delay", ""}}), {{"motor_kva", "2000"}});
    const std::string swg = Transformer("SWG main", "SWG", With(Trip(), {{"trip_rating", "200000"}, {"trip_st_pickup", ""}, {"trip_st_delay", ""}}));
    const CsvRow never = RunPlant(Utility() + swg + motors).at("SWG main");
    EXPECT_EQ(never.at("status"), "warning");
    EXPECT_EQ(never.at("device_element"), "capped");
    EXPECT_EQ(never.at("message").rfind("the trip unit does not operate at ", 0), 0u) << never.at("message");
    EXPECT_NE(never.at("message").find(" kA: exposure limited to 2 s. "), std::string::npos)
        << never.at("message");

    const std::string plant = Utility() + Transformer("SWG main", "SWG", Trip()) + motors;
    const CsvRow zero = RunPlant(plant, 0.0).at("SWG main"), tiny = RunPlant(plant, 1e-9).at("SWG main"),
                 none = RunPlant(plant, std::nullopt).at("SWG main");
    ASSERT_EQ(zero.at("status"), "ok") << zero.at("message");
    EXPECT_NEAR(Number(zero, "incident_energy"), Number(tiny, "incident_energy"), 0.011);
    EXPECT_LT(Number(zero, "incident_energy"), Number(none, "incident_energy") - 1);

    // A generator with its own trip unit that does not feed the minimum
    // case: its device is left out of that case, the row computed.
    const std::string generator = Row(With({{"point", "Generator"}, {"bus", "SWG"}, {"branch_type", "generator"},
                                            {"gen_kva", "1000"}, {"gen_xd", "0.15"}},
                                           Trip()));
    const CsvRow gen = RunPlant(plant + generator).at("Generator");
    EXPECT_NE(gen.at("status"), "error") << gen.at("message");
    EXPECT_NE(gen.at("incident_energy"), "");
    EXPECT_EQ(gen.at("branch_share_min"), "0.000");
}

// The entries of a list "normal 2.36; maint 2.36; tie-closed 2.40", sorted.
std::vector<std::string> Entries(const std::string& list) {
    std::vector<std::string> entries;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find("; ", start), list.size());
        entries.push_back(list.substr(start, end - start));
        start = end + 2;
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The same plant in any order of its rows gives every point the same
// results, byte for byte: three shuffles of the plant example, the IEC TR
// 60909-4 network (power-station units, three-winding transformers) and a
// plant with a tie, a tie breaker in a scenario, line sides, motors and a
// generator.
TEST(PlantAsDrawn, AnyRowOrderGivesTheSameResults) {
    const std::string mainA = Transformer("A main", "SUB-A", Trip()), mainB = Transformer("B main", "SUB-B", Trip());
    std::vector<std::pair<std::string, std::string>> plants = {
        {"substations", kHeader + Utility() + mainA + mainB + Cable("Tie", "SUB-B", "SUB-A", "5", Trip()) +
                            LineSide("B line side", "SUB-B") + LineSide("A line side", "SUB-A") +
                            Cable("MCC A", "MCC-A", "SUB-A", "40", Trip("10"), {{"motor_kva", "300"}}) +
                            Cable("Panel", "PNL", "MCC-A", "15", kNoDevice) +
                            Cable("Tie breaker", "SUB-B", "SUB-A", "0", Trip("3"), {{"scenarios", "tie-closed"}}) +
                            Row(With({{"point", "Generator"}, {"bus", "MCC-A"}, {"branch_type", "generator"},
                                      {"gen_kva", "500"}, {"gen_xd", "0.15"}},
                                     Trip()))},
        {"plant-network", study_test::FileBytes(ZENTAVO_EXAMPLES_DIR "/plant-network.csv")},
        {"iec-tr-60909-4", study_test::FileBytes(ZENTAVO_EXAMPLES_DIR "/iec-tr-60909-4.csv")},
    };
    std::mt19937 random(46);
    for (const auto& [name, study] : plants) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = study.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(study.substr(start, end + 1 - start));
        auto results = [&](const std::vector<std::string>& rows) {
            std::string text;
            for (const std::string& l : rows) text += l;
            StudyOptions options;
            std::string out;
            RunStudy(text, options, [&](std::string_view s) { out.append(s); });
            std::map<std::string, CsvRow> byPoint;
            for (CsvRow& r : study_test::CsvRows(out)) {
                // Errors name rows by their numbers, which a shuffle changes.
                if (r.at("status") == "error") r.erase("message");
                byPoint[r.at("point")] = std::move(r);
            }
            return byPoint;
        };
        const std::map<std::string, CsvRow> first = results(lines);
        ASSERT_EQ(first.size(), lines.size() - 1) << name << ": the points are named once each";
        for (int shuffle = 0; shuffle < 3; ++shuffle) {
            std::vector<std::string> rows(lines.begin() + 1, lines.end());
            std::shuffle(rows.begin(), rows.end(), random);
            rows.insert(rows.begin(), lines.front());
            const std::map<std::string, CsvRow> other = results(rows);
            for (const auto& [point, row] : first) {
                for (const auto& [column, value] : row) {
                    // The scenarios' energies are listed in the order the
                    // rows first name the scenarios: the same energies.
                    if (column == "scenario_energies") {
                        EXPECT_EQ(Entries(other.at(point).at(column)), Entries(value))
                            << name << " " << shuffle << ": " << point;
                    } else if (column != "bolted_current" || value.empty()) {
                        EXPECT_EQ(other.at(point).at(column), value) << name << " " << shuffle << ": " << point << ", " << column;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace zentavo

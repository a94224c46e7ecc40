// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/run.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "study_tools.h"

namespace zentavo {
namespace {

std::string RunToText(std::string_view input, const StudyOptions& options = {}) {
    std::string out;
    RunStudy(input, options, [&](std::string_view s) { out.append(s); });
    return out;
}

// The output rows as maps from column name to text.
std::vector<study_test::CsvRow> Rows(std::string_view input, const StudyOptions& options = {}) {
    return study_test::CsvRows(RunToText(input, options));
}

using study_test::FileBytes;

const char* const kResultColumns[] = {
    "arcing_current", "arcing_current_reduced", "incident_energy", "flash_boundary", "ppe_level",
    "clothing_1", "clothing_2", "incident_energy_reduced", "flash_boundary_reduced",
    "ppe_level_reduced", "clothing_reduced_1", "clothing_reduced_2", "pressure",
    "pressure_reduced", "tnt", "tnt_reduced", "limited_approach", "restricted_approach",
    "prohibited_approach", "governing"};

// The sample study holds the worked examples of the three methods: 480 V
// switchgear at 20 kA (11.22 / 9.53 kA), 20 kV Lee case (61.82 cal/cm2), the
// RK1 fuse at 1 kA (2.39 cal/cm2) and at 50 kA, 910 mm (floored to 0.25, 6 in),
// and the MCCB-100-400 at 20 kA, 460 mm (1.04 cal/cm2, 15 in).
TEST(Study, SampleStudyGivesItsExpectedResults) {
    const std::string input = FileBytes(ZENTAVO_EXAMPLES_DIR "/study.csv");
    const std::string expected = FileBytes(ZENTAVO_EXAMPLES_DIR "/study-results.csv");
    ASSERT_FALSE(input.empty());
    StudyOptions options;
    options.lineEndOfInput = true;  // as the program writes it: the sample's LF
    EXPECT_EQ(RunToText(input, options), expected);
}

TEST(Study, ResultColumnsFollowTheMethodAndCase) {
    const auto rows = Rows(
        "method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
        "arc_time_reduced,fuse_class,breaker_type,interrupting_rating,instantaneous_trip\n"
        "empirical,480,20,32,455,Switchgear,Grounded,0.2,0.2,,,,\n"
        "empirical,20000,10,32,910,Switchgear,Grounded,0.5,,,,,\n"
        "fuse,,1,,455,,,,,0,,,\n"
        "breaker,480,20,,460,,,,,,MCCB-100-400,25,2\n");
    ASSERT_EQ(rows.size(), 4u);
    for (const auto& r : rows) EXPECT_EQ(r.at("status"), "ok") << r.at("message");

    // Empirical, both cases: every column filled.
    for (const char* c : kResultColumns) {
        if (std::string(c) == "clothing_2" || std::string(c) == "clothing_reduced_2") continue;
        EXPECT_NE(rows[0].at(c), "") << c;
    }
    EXPECT_EQ(rows[0].at("arcing_current"), "11.22");
    EXPECT_EQ(rows[0].at("arcing_current_reduced"), "9.53");

    // Lee case: only the full case; no reduced current, pressure or TNT.
    EXPECT_EQ(rows[1].at("incident_energy"), "61.82");
    for (const char* c : {"arcing_current_reduced", "incident_energy_reduced",
                          "flash_boundary_reduced", "ppe_level_reduced", "clothing_reduced_1",
                          "pressure", "pressure_reduced", "tnt", "tnt_reduced"}) {
        EXPECT_EQ(rows[1].at(c), "") << c;
    }
    EXPECT_EQ(rows[1].at("governing"), "full");

    // Fuse: the hidden arcing current row and the fuse-format pressure; no reduced case.
    EXPECT_EQ(rows[2].at("incident_energy"), "2.39");
    EXPECT_EQ(rows[2].at("arcing_current"), "0.95");
    EXPECT_NE(rows[2].at("pressure"), "");
    EXPECT_EQ(rows[2].at("pressure").find('.'), rows[2].at("pressure").size() - 3);
    for (const char* c : {"arcing_current_reduced", "incident_energy_reduced", "tnt", "tnt_reduced",
                          "pressure_reduced"}) {
        EXPECT_EQ(rows[2].at(c), "") << c;
    }

    // Breaker: no arcing current and no pressure.
    EXPECT_EQ(rows[3].at("incident_energy"), "1.04");
    EXPECT_EQ(rows[3].at("flash_boundary"), "15");
    for (const char* c : {"arcing_current", "pressure", "tnt", "incident_energy_reduced"}) {
        EXPECT_EQ(rows[3].at(c), "") << c;
    }
}

// The columns after `equations`, appended so that a reader of the older
// output finds every column where it was: the governing case's energy,
// boundary and PPE level for every method (the only case of a method with
// one), and the enclosure type and CF of a 2018 row. The 2018 values are the
// standard's D.1 and D.2 (CF 1.284 and 1.085, 3.19 cal/cm2 at 1704 mm = 67 in,
// 53.156 J/cm2 = 12.70 cal/cm2 at 2669 mm = 105 in) and, for the shallow
// box, Eq (15) by hand: EES = (14 + 12) / 2, CF = 1 / 0.665438 = 1.503.
TEST(Study, AppendedColumnsHoldTheGoverningCaseAndTheEnclosure) {
    const std::string header =
        "method,voltage,bolted_current,gap,gap_unit,work_distance,work_distance_unit,equipment_class,"
        "grounding,arc_time,arc_time_reduced,fuse_class,breaker_type,interrupting_rating,"
        "instantaneous_trip,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth\n";
    const std::string out = RunToText(header);
    EXPECT_EQ(out.substr(out.find(",governing,")),
              ",governing,equations,incident_energy_governing,flash_boundary_governing,"
              "ppe_level_governing,enclosure_type,enclosure_factor\r\n");
    struct Case {
        const char* row;
        const char* governing;  // which case the row names
        const char* appended;   // the five appended columns
    } cases[] = {
        // clang-format off
        {"empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.25,,,,,,,,", "reduced", "7.69,63,2,,"},
        {"empirical,480,30,25,mm,18,inches,MCC and Panels,Ungrounded,0.1,0.5,,,,,,,,", "reduced", "31.57,132,4,,"},
        {"empirical,13800,20,152,mm,910,mm,Switchgear,Grounded,0.3,0.35,,,,,,,,", "full", "7.82,247,2,,"},
        {"empirical,20000,10,153,mm,910,mm,Switchgear,Grounded,0.5,,,,,,,,,", "full", "61.82,258,N/A,,"},
        {"fuse,,1,,,455,mm,,,,,0,,,,,,,", "full", "2.39,29,1,,"},
        {"breaker,480,20,,,460,mm,,,,,,MCCB-100-400,25,2,,,,", "full", "1.04,15,0,,"},
        {"ieee1584-2018,4160,15,104,mm,914.4,mm,,,0.197,0.223,,,,,VCB,1143,762,508", "reduced", "3.19,67,1,typical,1.284"},
        {"ieee1584-2018,480,45,32,mm,609.6,mm,,,0.0613,0.319,,,,,VCB,610,610,254", "reduced", "12.70,105,3,typical,1.085"},
        {"ieee1584-2018,208,10,25,mm,457.2,mm,,,0.02,0.03,,,,,VCB,355.6,304.8,203.2", "reduced", nullptr},
        // At exactly 600 V the same small box is typical: EES 20 in, CF 1.
        {"ieee1584-2018,600,20,13,mm,457.2,mm,,,0.05,0.08,,,,,VCB,355.6,304.8,203.2", "reduced", nullptr},
        {"ieee1584-2018,480,25,32,mm,609.6,mm,,,0.1,0.5,,,,,VOA,,,", "reduced", nullptr},
        // Refused rows: nothing appended.
        {"ieee1584-2018,480,110,32,mm,609.6,mm,,,0.05,0.05,,,,,VCB,508,508,508", "", ",,,,"},
        {"breaker,480,20,,,460,mm,,,,,,0,25,20,,,,", "", ",,,,"},
        {"empirical,480,abc,32,mm,455,mm,Switchgear,Grounded,0.2,0.25,,,,,,,,", "", ",,,,"},
        // clang-format on
    };
    const char* const enclosures[][2] = {{"shallow", "1.503"}, {"typical", "1.000"}, {"open air", "1.000"}};
    std::size_t enclosure = 0;
    for (const auto& c : cases) {
        const auto rows = Rows(header + c.row + "\n");
        ASSERT_EQ(rows.size(), 1u) << c.row;
        const auto& r = rows[0];
        EXPECT_EQ(r.at("governing"), c.governing) << c.row;
        const std::string appended = r.at("incident_energy_governing") + "," +
                                     r.at("flash_boundary_governing") + "," + r.at("ppe_level_governing") +
                                     "," + r.at("enclosure_type") + "," + r.at("enclosure_factor");
        if (c.appended) {
            EXPECT_EQ(appended, c.appended) << c.row;
        } else {
            ASSERT_LT(enclosure, std::size(enclosures));
            EXPECT_EQ(r.at("enclosure_type"), enclosures[enclosure][0]) << c.row;
            EXPECT_EQ(r.at("enclosure_factor"), enclosures[enclosure][1]) << c.row;
            ++enclosure;
        }
        // The governing columns repeat the case the row names.
        const std::string suffix = std::string(c.governing) == "reduced" ? "_reduced" : "";
        if (*c.governing) {
            for (const char* q : {"incident_energy", "flash_boundary", "ppe_level"}) {
                EXPECT_EQ(r.at(std::string(q) + "_governing"), r.at(q + suffix)) << c.row << " " << q;
            }
        }
    }
    EXPECT_EQ(enclosure, std::size(enclosures));
}

// Headings give each number its unit: fixed for the inputs, the output units
// for the results; none for words, and none for a length whose unit is the row's.
TEST(Study, ColumnUnitsForHeadings) {
    UnitSettings metric;
    metric.EnergyUnit = IncidentEnergyUnit::JoulesPerCm2, metric.BoundaryUnit = LengthUnit::Millimetres,
    metric.PressureUnit = BlastPressureUnit::Kilopascals, metric.TntUnit = TntMassUnit::Grams;
    struct {
        StudyInputColumn column;
        const char* unit;
    } inputs[] = {
        // clang-format off
        {kVoltageColumn, "V"}, {kBoltedCurrentColumn, "kA"}, {kArcTimeReducedColumn, "s"},
        {kInstantaneousTripColumn, "kA"}, {kGapColumn, ""}, {kWorkDistanceColumn, ""},
        {kEnclosureDepthColumn, ""}, {kMethodColumn, ""}, {kGapUnitColumn, ""},
        // clang-format on
    };
    for (const auto& c : inputs) EXPECT_EQ(StudyInputUnit(c.column), c.unit) << kStudyInputNames[c.column];
    struct {
        StudyResultColumn column;
        const char* unit;
        const char* metricUnit;
    } results[] = {
        // clang-format off
        {kArcingCurrentReducedColumn,    "kA",      "kA"},
        {kIncidentEnergyGoverningColumn, "cal/cm2", "J/cm2"},
        {kIncidentEnergyReducedColumn,   "cal/cm2", "J/cm2"},
        {kFlashBoundaryGoverningColumn,  "inches",  "mm"},
        {kProhibitedApproachColumn,      "inches",  "mm"},
        {kPressureReducedColumn,         "lb/ft2",  "kpa"},
        {kTntColumn,                     "kg",      "grams"},
        {kPpeLevelGoverningColumn,       "",        ""},
        {kEnclosureFactorColumn,         "",        ""},
        {kStatusColumn,                  "",        ""},
        // clang-format on
    };
    for (const auto& c : results) {
        EXPECT_EQ(StudyResultUnit(c.column, UnitSettings{}), c.unit) << kStudyResultNames[c.column];
        EXPECT_EQ(StudyResultUnit(c.column, metric), c.metricUnit) << kStudyResultNames[c.column];
    }
}

TEST(Study, RefusalsAndErrorsEmptyTheResults) {
    struct Case {
        const char* row;
        const char* status;
        const char* message;
        bool keepsArcingCurrent;
    } cases[] = {
        {"empirical,207,20,32,455,Switchgear,Grounded,0.2,0.2,,", "warning",
         "Voltage out of range. ", false},
        {"empirical,,,,,,,,,,", "warning",
         "Voltage out of range. Invalid bolted current. Enter Gap valueWorking distance is not "
         "within allowed limits.  Equipment class not selected. Grounding type not set.",
         false},
        {"empirical,480,abc,32,455,Switchgear,Grounded,0.2,0.2,,", "error",
         "'abc' is not a valid floating point value", false},
        // Durations alone refused: the arcing currents of the first step stay.
        {"empirical,480,20,32,455,Switchgear,Grounded,2.5,,,", "warning",
         "Arcing time should not exceed 2 seconds. Enter valid arcing time for reduced current",
         true},
        {"empirical,480,20,32,455,Switchgear,Grounded,0.2,x,,", "error",
         "'x' is not a valid floating point value", true},
        {"empirical,480,20,32,455,Switchgear,Earthed,0.2,0.2,,", "error",
         "grounding: unknown value \"Earthed\"", false},
        {"empirical,480,20,32,455,switchgear,Grounded,0.2,0.2,,", "error",
         "equipment_class: unknown value \"switchgear\"", false},
        {"fuse,,1,,455,,,,,1,", "warning",
         "Use IEEE 1584 Empirical Model for such a low bolted fault current value.", false},
        {"fuse,,1,,455,,,,,8,", "error", "fuse_class: unknown value \"8\"", false},
        {"breaker,480,20,,460,,,,,,9", "error", "breaker_type: unknown value \"9\"", false},
        {"breaker,480,20,,460,,,,,,", "warning", "Enter IR value.Enter IT value.", false},
        {"study,480,20,,460,,,,,,", "error", "method: unknown value \"study\"", false},
    };
    const std::string header =
        "method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
        "arc_time_reduced,fuse_class,breaker_type\n";
    for (const auto& c : cases) {
        const auto rows = Rows(header + c.row + "\n");
        ASSERT_EQ(rows.size(), 1u) << c.row;
        const auto& r = rows[0];
        EXPECT_EQ(r.at("status"), c.status) << c.row;
        EXPECT_EQ(r.at("message"), c.message) << c.row;
        for (const char* col : kResultColumns) {
            const bool arcing = std::string(col).rfind("arcing_current", 0) == 0;
            if (arcing && c.keepsArcingCurrent) {
                EXPECT_NE(r.at(col), "") << c.row << " " << col;
            } else {
                EXPECT_EQ(r.at(col), "") << c.row << " " << col;
            }
        }
    }
}

TEST(Study, ItemsByTextWithOrWithoutTailOrByIndex) {
    const char* types[] = {"MCCB-600-1200-M", "MCCB-600-1200-M\t   ", "1"};
    std::string energy;
    for (const char* t : types) {
        std::string row = "breaker,480,30,460,\"" + std::string(t) + "\",35,2\n";
        const auto rows = Rows("method,voltage,bolted_current,work_distance,breaker_type,"
                               "interrupting_rating,instantaneous_trip\n" + row);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].at("status"), "ok") << t;
        if (energy.empty()) energy = rows[0].at("incident_energy");
        EXPECT_EQ(rows[0].at("incident_energy"), energy) << t;
    }
    // 0.223 * 30 + 1.59 = 8.28 J/cm2 at 460 mm: 1.98 cal/cm2.
    EXPECT_EQ(energy, "1.98");
}

TEST(Study, ColumnsInAnyOrderAndUnitsPerRow) {
    const auto a = Rows("grounding,equipment_class,method,work_distance,voltage,gap,bolted_current,"
                        "arc_time,arc_time_reduced\n"
                        "Grounded,Switchgear,empirical,455,480,32,20,0.2,0.2\n");
    const auto b = Rows("method,voltage,bolted_current,gap,gap_unit,work_distance,"
                        "work_distance_unit,equipment_class,grounding,arc_time,arc_time_reduced\n"
                        "empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.2\n"
                        "empirical,480,20,32,mm,17.913385826771654,inches,Switchgear,Grounded,0.2,0.2\n");
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 2u);
    for (const char* c : kResultColumns) {
        EXPECT_EQ(a[0].at(c), b[0].at(c)) << c;
        EXPECT_EQ(a[0].at(c), b[1].at(c)) << c;
    }
}

TEST(Study, CommaSeparatorGivesTheSameResults) {
    const std::string rowsDot =
        "method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
        "arc_time_reduced,fuse_class,breaker_type,interrupting_rating,instantaneous_trip\n"
        "empirical,480,20.5,32,455.5,Switchgear,Grounded,0.2,0.25,,,,\n"
        "fuse,,44.1,,610,,,,,6,,,\n"
        "breaker,600,65,,610,,,,,,5,85,10\n";
    // 20.5 -> "20,5": numbers with a comma separator are quoted.
    const std::string rowsComma =
        "empirical,480,\"20,5\",32,\"455,5\",Switchgear,Grounded,\"0,2\",\"0,25\",,,,\n"
        "fuse,,\"44,1\",,610,,,,,6,,,\n"
        "breaker,600,65,,610,,,,,,5,85,10\n";
    const std::string header = rowsDot.substr(0, rowsDot.find('\n') + 1);
    StudyOptions comma;
    comma.sep = ',';
    for (const char* energy : {"cal/cm2", "J/cm2"}) {
        for (const char* pressure : {"lb/ft2", "N/m2", "Atmosphere", "kpa"}) {
            StudyOptions dot;
            dot.units.EnergyUnit = comma.units.EnergyUnit = ParseEnergyUnit(energy).value();
            dot.units.PressureUnit = comma.units.PressureUnit = ParsePressureUnit(pressure).value();
            const auto a = Rows(rowsDot, dot);
            const auto b = Rows(header + rowsComma, comma);
            ASSERT_EQ(a.size(), b.size());
            for (std::size_t i = 0; i < a.size(); ++i) {
                EXPECT_EQ(a[i].at("status"), "ok");
                for (const char* c : kResultColumns) {
                    std::string swapped = a[i].at(c);
                    // Clothing lines hold commas of their own; only numbers change.
                    if (std::string(c).rfind("clothing", 0) != 0) {
                        for (char& ch : swapped) {
                            if (ch == '.') ch = ',';
                        }
                    }
                    EXPECT_EQ(b[i].at(c), swapped) << c << " " << energy << " " << pressure;
                }
            }
        }
    }
}

TEST(Study, MalformedLinesAreReportedAndOthersGoOn) {
    const auto rows = Rows("method,bolted_current,work_distance,fuse_class\n"
                           "fuse,1,455,0,extra\n"
                           "fuse,\"1,455,0\n"
                           "fuse,1,455,0\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].at("status"), "error");
    EXPECT_EQ(rows[0].at("message"), "line 2: 5 fields where the header has 4");
    EXPECT_EQ(rows[1].at("status"), "error");
    EXPECT_EQ(rows[1].at("message"), "line 3: unbalanced quote");
    EXPECT_EQ(rows[2].at("status"), "ok");
    EXPECT_EQ(rows[2].at("incident_energy"), "2.39");
}

TEST(Study, DelimiterFromTheHeaderRow) {
    // clang-format off
    struct Case {
        std::string headerLine;
        char delimiter;
    } cases[] = {
        {"point,method,voltage\n",         ','},
        {"point;method;voltage\r\n",       ';'},
        {"method;voltage,gap\n",           ','},   // method; and a comma: commas
        {"voltage;gap;Method",             ';'},   // method last, no line end
        {"\"point\";\"method\"\n",         ';'},
        {"method\tvoltage\tgap\n",         '\t'},
        {"method;voltage\tgap\n",          ';'},
        {"x;y\tmethod\tgap\n",             '\t'},
        {"a;b;c\n",                        ','},   // no study column between the semicolons
        {"method\n",                       ','},
        {"",                               ','},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(DetectStudyDelimiter(c.headerLine), c.delimiter) << c.headerLine;
    }
}

TEST(Study, InputWithoutHeaderIsRefused) {
    try {
        RunStudy("", {}, [](std::string_view) {});
        ADD_FAILURE() << "a study without a header row was read";
    } catch (const StudyReadError& e) {
        EXPECT_EQ(e.message, "no header row");
    }
}


// Each option the command line and the study window set, at both ends of its
// range and just outside them, a text that was no number, and two options
// out at once (the first told). The messages are those the command line has
// always printed, written here by hand.
TEST(StudyOptions, EachOptionHeldToItsRangeAtItsEnds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        int lvTolerance;
        std::optional<double> cableEndTemp, motorDecay;
        StudyOptionTexts given;
        const char* message;  // empty: accepted
    };
    // clang-format off
    const Case cases[] = {
        {6,  std::nullopt, 5.0,          {}, ""},
        {10, std::nullopt, std::nullopt, {}, ""},
        {8,  std::nullopt, 5.0,          {}, "--lv-tolerance takes one of 6, 10, not '8'"},
        {0,  std::nullopt, 5.0,          {.lvTolerance = "6.0"}, "--lv-tolerance takes one of 6, 10, not '6.0'"},
        {6,  20.0,         5.0,          {}, ""},
        {6,  300.0,        5.0,          {}, ""},
        {6,  19.999,       5.0,          {}, "--cable-end-temp takes a temperature from 20 to 300 °C, not '19.999'"},
        {6,  300.001,      5.0,          {}, "--cable-end-temp takes a temperature from 20 to 300 °C, not '300.001'"},
        {6,  nan,          5.0,          {.cableEndTemp = "hot"}, "--cable-end-temp takes a temperature from 20 to 300 °C, not 'hot'"},
        {6,  nan,          5.0,          {.cableEndTemp = ""}, "--cable-end-temp takes a temperature from 20 to 300 °C, not ''"},
        {6,  std::nullopt, 0.0,          {}, ""},
        {6,  std::nullopt, 600.0,        {}, ""},
        {6,  std::nullopt, -0.001,       {}, "--motor-decay takes a number of cycles from 0 to 600, or none, not '-0.001'"},
        {6,  std::nullopt, 600.001,      {}, "--motor-decay takes a number of cycles from 0 to 600, or none, not '600.001'"},
        {6,  std::nullopt, 1000.0,       {.motorDecay = "1e3"}, "--motor-decay takes a number of cycles from 0 to 600, or none, not '1e3'"},
        {8,  301.0,        700.0,        {}, "--lv-tolerance takes one of 6, 10, not '8'"},
        {6,  301.0,        700.0,        {}, "--cable-end-temp takes a temperature from 20 to 300 °C, not '301'"},
    };
    // clang-format on
    for (const Case& c : cases) {
        StudyOptions options;
        options.lvTolerance = c.lvTolerance;
        options.cableEndTemp = c.cableEndTemp;
        options.motorDecay = c.motorDecay;
        const std::optional<Refusal> refusal = options.Check(c.given);
        EXPECT_EQ(RefusalText(refusal), c.message);
        if (refusal) {
            EXPECT_EQ(refusal->code, RefusalCode::OutOfRange) << c.message;
        }
    }
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// The IEEE 1584-2018 method of a study: the standard's two worked examples
// through a row, the refusals, enclosure sizes in inches, open air without an
// enclosure, a study mixing all four methods, and rows that give the texts
// of the 2018 window for the same inputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "study/csv.h"
#include "study/csv_writer.h"
#include "study/run.h"
#include "engine/ieee2018.h"
#include "engine/number.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using Row = study_test::CsvRow;

// The study's input columns, in the order the rows below give them.
const std::vector<std::string> kColumns = {
    "method",   "voltage",        "bolted_current",   "gap",
    "gap_unit", "electrode_configuration", "enclosure_height", "enclosure_width",
    "enclosure_depth", "enclosure_unit", "work_distance", "work_distance_unit",
    "arc_time", "arc_time_reduced"};

// A 2018 point of work as typed; D.1 unless changed.
struct Point {
    std::string voltage = "4160", ibf = "15", gap = "104", gapUnit = "", electrode = "VCB",
                height = "1143", width = "762", depth = "508", enclosureUnit = "",
                workDist = "914.4", workDistUnit = "", arcTime = "0.197", arcTimeReduced = "0.223";
    std::vector<std::string> Fields() const {
        return {"ieee1584-2018", voltage, ibf,           gap,      gapUnit,      electrode, height,
                width,           depth,   enclosureUnit, workDist, workDistUnit, arcTime,   arcTimeReduced};
    }
};

Point D2() {
    Point p;
    p.voltage = "480", p.ibf = "45", p.gap = "32";
    p.height = "610", p.width = "610", p.depth = "254";
    p.workDist = "609.6", p.arcTime = "0.0613", p.arcTimeReduced = "0.319";
    return p;
}

std::string Study(const std::vector<std::vector<std::string>>& records) {
    std::string text;
    csv::AppendRecord(text, kColumns);
    for (const auto& r : records) csv::AppendRecord(text, r);
    return text;
}

std::vector<Row> RunRows(const std::string& study, const StudyOptions& options = {}) {
    std::string out;
    RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    return study_test::CsvRows(out);
}

Row RunOne(const Point& p, const StudyOptions& options = {}) {
    const auto rows = RunRows(Study({p.Fields()}), options);
    EXPECT_EQ(rows.size(), 1u);
    return rows.empty() ? Row{} : rows[0];
}

StudyOptions Units(const char* energy, const char* boundary) {
    StudyOptions o;
    o.units.EnergyUnit = ParseEnergyUnit(energy).value();
    o.units.BoundaryUnit = ParseLengthUnit(boundary).value();
    return o;
}

const char* const kResultColumns[] = {
    "arcing_current", "arcing_current_reduced", "incident_energy", "flash_boundary", "ppe_level",
    "clothing_1", "clothing_2", "incident_energy_reduced", "flash_boundary_reduced",
    "ppe_level_reduced", "clothing_reduced_1", "clothing_reduced_2", "pressure",
    "pressure_reduced", "tnt", "tnt_reduced", "limited_approach", "restricted_approach",
    "prohibited_approach", "governing", "equations"};

int Decimals(const std::string& text) {
    const auto dot = text.find('.');
    return dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
}

// Annex D as the standard prints it, against the texts of a row: the row
// shows `shown` decimals, the standard `printed`; both are rounded, so they
// may differ by half a unit of each.
struct Printed {
    const char* column;
    double value;
    int printed;
    int shown;
};

struct Example {
    const char* name;
    Point point;
    const char* energyUnit;
    const char* boundaryUnit;
    std::vector<Printed> values;
};

TEST(Ieee2018Study, WorkedExamplesOfTheStandardBothCases) {
    const Example examples[] = {
        {"D.1 J/cm2 mm",
         Point{},
         "J/cm2",
         "mm",
         {{"arcing_current", 12.979, 3, 3},
          {"arcing_current_reduced", 12.675, 3, 3},
          {"incident_energy", 12.152, 3, 2},
          {"flash_boundary", 1606, 0, 0},
          {"incident_energy_reduced", 13.343, 3, 2},
          {"flash_boundary_reduced", 1704, 0, 0}}},
        {"D.1 cal/cm2 inches",
         Point{},
         "cal/cm2",
         "inches",
         {{"incident_energy", 2.904, 3, 2},
          {"incident_energy_reduced", 3.189, 3, 2},
          {"flash_boundary", 1606 / 25.4, 0, 0},
          {"flash_boundary_reduced", 1704 / 25.4, 0, 0}}},
        {"D.2 J/cm2 mm",
         D2(),
         "J/cm2",
         "mm",
         {{"arcing_current", 28.793, 3, 3},
          {"arcing_current_reduced", 25.244, 3, 3},
          {"incident_energy", 11.585, 3, 2},
          {"flash_boundary", 1029, 0, 0},
          {"incident_energy_reduced", 53.156, 3, 2},
          {"flash_boundary_reduced", 2669, 0, 0}}},
        {"D.2 cal/cm2 inches",
         D2(),
         "cal/cm2",
         "inches",
         {{"incident_energy", 2.769, 3, 2},
          {"incident_energy_reduced", 12.705, 3, 2},
          {"flash_boundary", 1029 / 25.4, 0, 0},
          {"flash_boundary_reduced", 2669 / 25.4, 0, 0}}},
    };
    for (const Example& e : examples) {
        const Row r = RunOne(e.point, Units(e.energyUnit, e.boundaryUnit));
        ASSERT_EQ(r.at("status"), "ok") << e.name << ": " << r.at("message");
        for (const Printed& p : e.values) {
            const std::string& text = r.at(p.column);
            ASSERT_FALSE(text.empty()) << e.name << " " << p.column;
            EXPECT_EQ(Decimals(text), p.shown) << e.name << " " << p.column << " " << text;
            const double slack = 0.5 * std::pow(10.0, -p.shown) + 0.5 * std::pow(10.0, -p.printed);
            EXPECT_NEAR(ParseNumber(text), p.value, slack) << e.name << " " << p.column;
        }
        // The same digits where both print three decimals.
        if (std::string(e.energyUnit) == "J/cm2") {
            EXPECT_EQ(r.at("arcing_current"), FormatFixed(e.values[0].value, 6, 3)) << e.name;
            EXPECT_EQ(r.at("arcing_current_reduced"), FormatFixed(e.values[1].value, 6, 3))
                << e.name;
        }
        // In both examples the reduced arcing current governs.
        EXPECT_EQ(r.at("governing"), "reduced") << e.name;
        EXPECT_EQ(r.at("equations"), "IEEE 1584-2018") << e.name;
        for (const char* c : {"pressure", "pressure_reduced", "tnt", "tnt_reduced"}) {
            EXPECT_EQ(r.at(c), "") << e.name << " " << c;
        }
        for (const char* c : {"ppe_level", "ppe_level_reduced", "clothing_1", "clothing_reduced_1",
                              "limited_approach", "restricted_approach", "prohibited_approach"}) {
            EXPECT_NE(r.at(c), "") << e.name << " " << c;
        }
    }
}

TEST(Ieee2018Study, RefusalsNameTheColumnOrGiveTheJoinedWarning) {
    auto with = [](auto change) {
        Point p;
        change(p);
        return p;
    };
    const std::string zeros(140, '0');
    struct Case {
        Point point;
        std::string status;
        std::string message;
    } cases[] = {
        // Words: exactly one of the five configurations, "mm" or "inches".
        {with([](Point& p) { p.electrode = "vcb"; }), "error",
         "electrode_configuration: unknown value \"vcb\""},
        {with([](Point& p) { p.electrode = "VCB "; }), "error",
         "electrode_configuration: unknown value \"VCB \""},
        {with([](Point& p) { p.electrode = "VCBX"; }), "error",
         "electrode_configuration: unknown value \"VCBX\""},
        {with([](Point& p) { p.electrode = "0"; }), "error",
         "electrode_configuration: unknown value \"0\""},
        {with([](Point& p) { p.enclosureUnit = "in"; }), "error",
         "enclosure_unit: unknown value \"in\""},
        {with([](Point& p) { p.enclosureUnit = "MM"; }), "error",
         "enclosure_unit: unknown value \"MM\""},
        // Open air reads no enclosure, but the unit word is still checked.
        {with([](Point& p) { p.electrode = "VOA", p.enclosureUnit = "cm"; }), "error",
         "enclosure_unit: unknown value \"cm\""},
        {with([](Point& p) { p.gapUnit = "inch"; }), "error", "gap_unit: unknown value \"inch\""},
        {with([](Point& p) { p.height = "abc"; }), "error",
         "'abc' is not a valid floating point value"},
        {with([](Point& p) { p.arcTimeReduced = "0.2s"; }), "error",
         "'0.2s' is not a valid floating point value"},
        // No configuration chosen: the engine's refusal.
        {with([](Point& p) { p.electrode = ""; }), "warning",
         "Electrode configuration not selected. "},
        // Range bounds: at the bound computed, just past it refused.
        {with([](Point& p) { p.voltage = "208"; p.gap = "32"; p.ibf = "20"; }), "ok", ""},
        {with([](Point& p) { p.voltage = "207.99"; p.gap = "32"; p.ibf = "20"; }), "warning",
         "Voltage below 208 V. "},
        {with([](Point& p) { p.voltage = "15000"; }), "ok", ""},
        {with([](Point& p) { p.voltage = "15000.01"; }), "warning", "Voltage above 15000 V. "},
        {with([](Point& p) { p.ibf = "65"; }), "ok", ""},
        {with([](Point& p) { p.ibf = "65.01"; }), "warning",
         "Bolted current above 65 kA (above 600 V). "},
        {with([](Point& p) { p.voltage = "480"; p.gap = "32"; p.ibf = "0.49"; }), "warning",
         "Bolted current below 0.5 kA (208-600 V). "},
        {with([](Point& p) { p.gap = "19.04"; }), "warning", "Gap below 19.05 mm (above 600 V). "},
        {with([](Point& p) { p.workDist = "12.01"; p.workDistUnit = "inches"; }), "ok", ""},
        {with([](Point& p) { p.workDist = "305"; }), "ok", ""},
        {with([](Point& p) { p.workDist = "304.99"; }), "warning",
         "Working distance below 305 mm. "},
        {with([](Point& p) { p.workDist = "12"; p.workDistUnit = "inches"; }), "warning",
         "Working distance below 305 mm (12.01 inches). "},  // 304.8 mm
        // Four gaps wide is accepted, narrower refused.
        {with([](Point& p) { p.width = "416"; }), "ok", ""},
        {with([](Point& p) { p.width = "415.99"; }), "warning", "Enclosure width below 4 x gap. "},
        {with([](Point& p) { p.arcTime = "0"; }), "warning", "Arc duration must be above 0 s. "},
        {with([](Point& p) { p.arcTimeReduced = "-0.1"; }), "warning",
         "Arc duration for reduced current must be above 0 s. "},
        // The 2002 path's 2 s limit does not apply.
        {with([](Point& p) { p.arcTime = "2.5"; p.arcTimeReduced = "3"; }), "ok", ""},
        // Every problem at once, joined.
        {with([](Point& p) {
             p.voltage = "100", p.workDist = "200", p.width = "10", p.arcTime = "0";
         }),
         "warning",
         "Voltage below 208 V. Gap above 76.2 mm (208-600 V). Enclosure width below 4 x gap. "
         "Working distance below 305 mm. Arc duration must be above 0 s. "},
        {Point{"", "", "", "", "HCB", "", "", "", "", "", "", "", ""}, "warning",
         "Enter voltage value. Enter bolted current value. Enter gap value. Enter enclosure height "
         "value. Enter enclosure width value. Enter enclosure depth value. Enter working distance "
         "value. Enter arc duration value. Enter arc duration value for reduced current. "},
        // Padding alone makes no enclosure size too long to read.
        {with([&](Point& p) { p.height = zeros + "1143"; }), "ok", ""},
    };
    for (const Case& c : cases) {
        const Row r = RunOne(c.point);
        const std::string row = Study({c.point.Fields()});
        EXPECT_EQ(r.at("status"), c.status) << row;
        EXPECT_EQ(r.at("message"), c.message) << row;
        for (const char* col : kResultColumns) {
            const bool filled = !r.at(col).empty();
            const bool optional = std::string(col).find("clothing") != std::string::npos ||
                                  std::string(col).find("pressure") != std::string::npos ||
                                  std::string(col).find("tnt") != std::string::npos;
            if (c.status != "ok") {
                EXPECT_FALSE(filled) << row << " " << col;
            } else if (!optional) {
                EXPECT_TRUE(filled) << row << " " << col;
            }
        }
    }
    // Padded and plain enclosure sizes give the same numbers.
    EXPECT_EQ(RunOne(with([&](Point& p) { p.height = zeros + "1143"; })).at("incident_energy"),
              RunOne(Point{}).at("incident_energy"));
}

TEST(Ieee2018Study, EnclosureSizesInInchesAreTheSameEnclosure) {
    // D.1's enclosure is 45 x 30 x 20 in; D.2's 610 mm is 24.015748... in.
    auto in = [](Point p, const char* h, const char* w, const char* d) {
        p.height = h, p.width = w, p.depth = d, p.enclosureUnit = "inches";
        return p;
    };
    Point d2deep = D2(), d2shallow = D2();
    d2shallow.height = d2shallow.width = "406.4", d2shallow.depth = "203.2";  // 16 x 16 x 8 in
    d2deep.height = d2deep.width = "406.4", d2deep.depth = "203.3";
    const struct {
        Point mm;
        Point inches;
    } cases[] = {
        {Point{}, in(Point{}, "45", "30", "20")},
        {D2(), in(D2(), "24.015748031496063", "24.015748031496063", "10")},
        {d2shallow, in(D2(), "16", "16", "8")},
        {d2deep, in(D2(), "16", "16", "8.004")},
    };
    for (const auto& c : cases) {
        for (const char* energy : {"cal/cm2", "J/cm2"}) {
            const StudyOptions o = Units(energy, "mm");
            const Row a = RunOne(c.mm, o), b = RunOne(c.inches, o);
            ASSERT_EQ(a.at("status"), "ok") << a.at("message");
            for (const char* col : kResultColumns) {
                EXPECT_EQ(b.at(col), a.at(col)) << col << " " << c.inches.height;
            }
        }
    }
    // The same numbers read as millimetres are another, refused, enclosure:
    // 30 mm is narrower than four gaps of 104 mm.
    Point small = in(Point{}, "45", "30", "20");
    small.enclosureUnit = "mm";
    EXPECT_EQ(RunOne(small).at("message"), "Enclosure width below 4 x gap. ");
    // A shallow enclosure (8 in deep) and a deep one differ.
    EXPECT_NE(RunOne(d2shallow, Units("J/cm2", "mm")).at("incident_energy"),
              RunOne(d2deep, Units("J/cm2", "mm")).at("incident_energy"));
}

TEST(Ieee2018Study, OpenAirIgnoresTheEnclosure) {
    for (const char* electrode : {"VOA", "HOA"}) {
        for (const char* voltage : {"480", "4160"}) {
            Point base;
            base.electrode = electrode;
            base.voltage = voltage;
            base.gap = "32";
            base.height = base.width = base.depth = "";
            const Row expected = RunOne(base, Units("J/cm2", "mm"));
            ASSERT_EQ(expected.at("status"), "ok") << expected.at("message");
            const char* sizes[][3] = {{"0", "0", "0"},
                                      {"1", "1", "1"},
                                      {"abc", "-5", "x"},
                                      {"100000", "1", "0.1"},
                                      {"1143", "762", "508"}};
            for (const auto& s : sizes) {
                for (const char* unit : {"", "mm", "inches"}) {
                    Point p = base;
                    p.height = s[0], p.width = s[1], p.depth = s[2], p.enclosureUnit = unit;
                    const Row r = RunOne(p, Units("J/cm2", "mm"));
                    for (const char* col : kResultColumns) {
                        EXPECT_EQ(r.at(col), expected.at(col))
                            << electrode << " " << voltage << " " << s[0] << " " << col;
                    }
                }
            }
            // The same point in a box is another result.
            Point boxed = base;
            boxed.electrode = std::string(electrode) == "VOA" ? "VCB" : "HCB";
            boxed.height = "508", boxed.width = "508", boxed.depth = "508";
            EXPECT_NE(RunOne(boxed, Units("J/cm2", "mm")).at("incident_energy"),
                      expected.at("incident_energy"));
        }
    }
}

using study_test::FileBytes;

// The sample study of the three earlier methods with the 2018 columns added
// and 2018 rows between its rows: its rows keep their results, and every
// method gives its own equations.
TEST(Ieee2018Study, MixedStudyOfAllFourMethods) {
    const std::string sample = FileBytes(ZENTAVO_EXAMPLES_DIR "/study.csv");
    const std::string sampleResults = FileBytes(ZENTAVO_EXAMPLES_DIR "/study-results.csv");
    ASSERT_FALSE(sample.empty());
    csv::Reader reader(sample);
    std::vector<std::string> header, fields;
    ASSERT_TRUE(reader.Next(header));
    const std::vector<std::string> added = {"electrode_configuration", "enclosure_height",
                                            "enclosure_width", "enclosure_depth", "enclosure_unit"};
    std::vector<std::string> mixedHeader = header;
    mixedHeader.insert(mixedHeader.end(), added.begin(), added.end());
    // A 2018 row in the sample's columns plus the new ones.
    auto row2018 = [&](const std::string& name, const Point& p) {
        std::map<std::string, std::string> v = {
            {"point", name},          {"method", "ieee1584-2018"},
            {"voltage", p.voltage},   {"bolted_current", p.ibf},
            {"gap", p.gap},           {"gap_unit", p.gapUnit},
            {"work_distance", p.workDist}, {"work_distance_unit", p.workDistUnit},
            {"arc_time", p.arcTime},  {"arc_time_reduced", p.arcTimeReduced},
            {"electrode_configuration", p.electrode}, {"enclosure_height", p.height},
            {"enclosure_width", p.width}, {"enclosure_depth", p.depth},
            {"enclosure_unit", p.enclosureUnit}};
        std::vector<std::string> out;
        for (const auto& h : mixedHeader) out.push_back(v.count(h) ? v[h] : "");
        return out;
    };
    std::string mixed;
    csv::AppendRecord(mixed, mixedHeader);
    std::vector<std::string> expectedMethods;
    int n = 0;
    while (const csv::Record record = reader.Next(fields)) {
        ASSERT_EQ(record.problem, std::nullopt);
        fields.insert(fields.end(), added.size(), "");
        csv::AppendRecord(mixed, fields);
        expectedMethods.push_back(fields[1]);
        if (++n % 4 == 0) {
            csv::AppendRecord(mixed, row2018("2018-" + std::to_string(n), n % 8 ? Point{} : D2()));
            expectedMethods.push_back("ieee1584-2018");
        }
    }
    const auto rows = RunRows(mixed);
    ASSERT_EQ(rows.size(), expectedMethods.size());

    // The sample's rows give the sample's results.
    csv::Reader expectedReader(sampleResults);
    std::vector<std::string> resultHeader, expected;
    ASSERT_TRUE(expectedReader.Next(resultHeader));
    std::size_t k = 0;
    int methods2018 = 0;
    std::map<std::string, int> seen;
    for (const Row& r : rows) {
        ASSERT_EQ(r.at("method"), expectedMethods[k]);
        ++seen[r.at("method")];
        if (r.at("method") == "ieee1584-2018") {
            ++methods2018;
            EXPECT_EQ(r.at("status"), "ok") << r.at("message");
            EXPECT_EQ(r.at("equations"), "IEEE 1584-2018");
            EXPECT_EQ(r.at("governing"), "reduced");
        } else {
            ASSERT_TRUE(expectedReader.Next(expected));
            for (std::size_t i = 0; i < resultHeader.size(); ++i) {
                EXPECT_EQ(r.at(resultHeader[i]), expected[i])
                    << r.at("point") << " " << resultHeader[i];
            }
        }
        ++k;
    }
    EXPECT_FALSE(expectedReader.Next(expected));
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_GE(methods2018, 3);
}


// Rows of a study against the texts the 2018 window shows for the same
// fields: the window reads the gap and the enclosure in the gap unit of the
// units window and hands the fields to the engine as typed.
TEST(Ieee2018Study, RowsGiveTheTextsOfTheWindow) {
    study_test::Random rnd(0x2F6B1D9A4C3E5087ULL);
    const char* energyUnits[] = {"cal/cm2", "J/cm2"};
    const char* boundaryUnits[] = {"inches", "mm"};
    const char* lengthUnits[] = {"mm", "inches"};
    int computed = 0, refused = 0;
    for (char sep : {'.', ','}) {
        for (int eu = 0; eu < 2; ++eu) {
            for (int bu = 0; bu < 2; ++bu) {
                StudyOptions options = Units(energyUnits[eu], boundaryUnits[bu]);
                options.sep = sep;
                std::vector<std::vector<std::string>> records;
                std::vector<Ieee2018Outcome> expected;
                for (int i = 0; i < 150; ++i) {
                    const std::string gapUnit = lengthUnits[rnd.Index(2)];
                    const std::string wdUnit = lengthUnits[rnd.Index(2)];
                    const double scale = gapUnit == "inches" ? 1 / 25.4 : 1.0;
                    const double wdScale = wdUnit == "inches" ? 1 / 25.4 : 1.0;
                    // Mostly within the ranges, sometimes just outside them.
                    const bool low = rnd.Next() < 0.5;
                    const double voltage = low ? rnd.In(200, 600) : rnd.In(600.001, 15100);
                    const double ibf = low ? rnd.In(0.45, 110) : rnd.In(0.18, 67);
                    const double gap = low ? rnd.In(6, 78) : rnd.In(19, 256);
                    const double width = rnd.In(3.9, 12) * gap;
                    auto text = [&](double v, int decimals) { return FormatFixed(v, 15, decimals, sep); };
                    UnitSettings u = options.units;
                    u.GapUnit = StudyLengthUnit(gapUnit).value();
                    u.WorkDistUnit = StudyLengthUnit(wdUnit).value();
                    const std::vector<std::string> typed = {
                        text(voltage, 1),
                        text(ibf, 3),
                        text(gap * scale, 4),
                        std::string(kElectrodeWords[static_cast<std::size_t>(rnd.Index(5))]),
                        text(rnd.In(150, 1500) * scale, 3),
                        text(width * scale, 3),
                        text(rnd.In(100, 900) * scale, 3),
                        text(rnd.In(290, 3000) * wdScale, 2),
                        text(rnd.In(-0.01, 3), 4),
                        text(rnd.In(-0.01, 3), 4)};
                    Ieee2018Fields f{typed[0], typed[1], typed[2], typed[3], typed[4],
                                     typed[5], typed[6], typed[7], typed[8], typed[9]};
                    f.gapUnit = f.enclosureUnit = u.GapUnit;
                    f.workDistUnit = u.WorkDistUnit;
                    expected.push_back(RunIeee2018(f, u, sep));
                    records.push_back({"ieee1584-2018", typed[0], typed[1], typed[2], gapUnit,
                                       typed[3], typed[4], typed[5], typed[6], gapUnit, typed[7],
                                       wdUnit, typed[8], typed[9]});
                }
                const auto rows = RunRows(Study(records), options);
                ASSERT_EQ(rows.size(), expected.size());
                for (std::size_t k = 0; k < rows.size(); ++k) {
                    const Row& r = rows[k];
                    const Ieee2018Outcome& e = expected[k];
                    const std::string where = Study({records[k]});
                    if (!RefusalText(e.refusal).empty()) {
                        ++refused;
                        EXPECT_EQ(r.at("status"), "warning") << where;
                        EXPECT_EQ(r.at("message"), RefusalText(e.refusal)) << where;
                        continue;
                    }
                    ++computed;
                    const Ieee2018Texts& t = e.texts;
                    ASSERT_EQ(r.at("status"), "ok") << where << r.at("message");
                    const std::map<std::string, std::string> shown = {
                        {"arcing_current", t.arcCurrent},
                        {"arcing_current_reduced", t.arcCurrentReduced},
                        {"incident_energy", t.full.energy},
                        {"flash_boundary", t.full.boundary},
                        {"ppe_level", t.full.ppeLevel},
                        {"clothing_1", std::string(t.full.clothing1)},
                        {"clothing_2", t.full.clothingSecondLineShown
                                           ? std::string(t.full.clothing2)
                                           : std::string()},
                        {"incident_energy_reduced", t.reduced.energy},
                        {"flash_boundary_reduced", t.reduced.boundary},
                        {"ppe_level_reduced", t.reduced.ppeLevel},
                        {"clothing_reduced_1", std::string(t.reduced.clothing1)},
                        {"clothing_reduced_2", t.reduced.clothingSecondLineShown
                                                   ? std::string(t.reduced.clothing2)
                                                   : std::string()},
                        {"limited_approach", t.approach.limited},
                        {"restricted_approach", t.approach.restricted},
                        {"prohibited_approach", t.approach.prohibited},
                        {"governing", t.reducedGoverns ? "reduced" : "full"},
                    };
                    for (const auto& [column, text] : shown) {
                        EXPECT_EQ(r.at(column), text) << where << " " << column;
                    }
                }
            }
        }
    }
    // Both kinds occur often enough to mean something.
    EXPECT_GT(computed, 200);
    EXPECT_GT(refused, 100);
}

// The words a study window offers for a column are exactly the words its
// rows take: each one passes the row's check, a near miss is refused by name.
TEST(StudyColumnWords, EveryListedWordIsTakenAndNearMissesAreNot) {
    struct Case {
        StudyInputColumn column;
        std::string header;  // a row of its method in which the word stands last
        std::string row;
    } cases[] = {
        {kMethodColumn, "voltage,method", "480,"},
        {kEquipmentClassColumn, "method,equipment_class", "empirical,"},
        {kGroundingColumn, "method,grounding", "empirical,"},
        {kFuseClassColumn, "method,fuse_class", "fuse,"},
        {kBreakerTypeColumn, "method,breaker_type", "breaker,"},
        {kElectrodeConfigurationColumn, "method,electrode_configuration", "ieee1584-2018,"},
        {kGapUnitColumn, "method,gap_unit", "fuse,"},
        {kWorkDistanceUnitColumn, "method,work_distance_unit", "breaker,"},
        {kEnclosureUnitColumn, "method,enclosure_unit", "empirical,"},
    };
    for (const Case& c : cases) {
        const auto words = StudyColumnWords(c.column);
        ASSERT_GE(words.size(), 2u) << c.header;
        const std::string name(kStudyInputNames[c.column]);
        for (std::string_view w : words) {
            const std::string word(w);
            for (const std::string& typed : {word, word + "x", " " + word}) {
                std::string record;
                csv::AppendRecord(record, {typed});
                std::string out;
                RunStudy(c.header + "\n" + c.row + record, {},
                         [&](std::string_view s) { out.append(s); });
                const bool refusedByName =
                    out.find(name + ": unknown value") != std::string::npos;
                EXPECT_EQ(refusedByName, typed != word) << name << " " << typed << "\n" << out;
            }
        }
    }
    // Columns of numbers and the point's own columns have no words.
    for (StudyInputColumn c : {kVoltageColumn, kBoltedCurrentColumn, kGapColumn,
                               kWorkDistanceColumn, kArcTimeColumn, kArcTimeReducedColumn,
                               kInterruptingRatingColumn, kInstantaneousTripColumn,
                               kEnclosureHeightColumn, kEnclosureWidthColumn,
                               kEnclosureDepthColumn}) {
        EXPECT_TRUE(StudyColumnWords(c).empty()) << kStudyInputNames[c];
    }
}

}  // namespace
}  // namespace zentavo

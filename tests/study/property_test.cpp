// SPDX-License-Identifier: GPL-3.0-or-later
// Properties that must hold over thousands of points of work within the
// validity ranges of each method.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "study/csv.h"
#include "study/csv_writer.h"
#include "study/run.h"
#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "engine/number.h"
#include "study_tools.h"

namespace zentavo {
namespace {

// The same points every run.
struct Random : study_test::Random {
    Random() : study_test::Random(0x9E3779B97F4A7C15ULL) {}
};

constexpr int kPoints = 2000;

std::string Text(double v) { return FormatFixed(v, 15, 6, '.'); }

// An empirical point of work after the first "Next", with its state.
struct EmpiricalPoint {
    SharedState state;
    double voltage, ibf, gap, wd;
    int cls, ground;
};

EmpiricalPoint RandomEmpirical(Random& r, bool lee) {
    EmpiricalPoint p;
    p.voltage = lee ? r.In(15000, 46000) : (r.Next() < 0.5 ? r.In(208, 999) : r.In(1000, 14999));
    p.ibf = r.In(0.71, 106);
    p.gap = r.In(13, 152);
    p.wd = r.In(300, 2000);
    p.cls = r.Index(4);
    p.ground = r.Index(2);
    const std::string v = Text(p.voltage), i = Text(p.ibf), g = Text(p.gap), d = Text(p.wd);
    EmpiricalFields f;
    f.voltage = v, f.boltedCurrent = i, f.gap = g, f.workDist = d;
    f.equipmentClass = p.cls, f.grounding = p.ground;
    p.state = StartState();
    const ArcCurrentOutcome out = RunEmpiricalArcCurrent(p.state, f, '.');
    EXPECT_EQ(RefusalText(out.refusal), "") << v << " " << i;
    return p;
}

double EnergyAt(SharedState s, double t, double wd) {
    s.ArcTime = s.ArcTimeReduced = t;
    s.WorkDist = wd;
    ComputeEmpiricalEnergies(s);
    return s.IncidentEnergy;
}

TEST(Properties, EmpiricalEnergyGrowsWithDurationAndFallsWithDistance) {
    Random r;
    for (int k = 0; k < kPoints; ++k) {
        EmpiricalPoint p = RandomEmpirical(r, k % 4 == 0);
        const double t1 = r.In(0.001, 1.9), t2 = r.In(t1 + 1e-3, 2.0);
        const double d1 = r.In(300, 1900), d2 = r.In(d1 + 1, 2000);
        EXPECT_LT(EnergyAt(p.state, t1, d1), EnergyAt(p.state, t2, d1)) << k;
        EXPECT_GT(EnergyAt(p.state, t1, d1), EnergyAt(p.state, t1, d2)) << k;
    }
}

TEST(Properties, EnergyAtTheFlashBoundaryIsFiveJoules) {
    Random r;
    for (int k = 0; k < kPoints; ++k) {
        EmpiricalPoint p = RandomEmpirical(r, k % 3 == 0);
        SharedState s = p.state;
        s.ArcTime = s.ArcTimeReduced = r.In(0.01, 2);
        ComputeEmpiricalEnergies(s);
        EXPECT_NEAR(EnergyAt(p.state, s.ArcTime, s.FlashBoundary), 5.0, 5e-9) << k;
    }
    // The fuse equations: the energy of the 455 mm reference, moved to the boundary.
    for (int k = 0; k < kPoints; ++k) {
        SharedState s = StartState();
        const std::string ibf = Text(r.In(0.71, 106)), wd = Text(r.In(300, 2000));
        FuseFields f;
        f.boltedCurrent = ibf, f.workDist = wd, f.fuseClass = r.Index(8);
        const FuseOutcome out = RunFuse(s, f, UnitSettings{}, '.');
        if (!RefusalText(out.refusal).empty() || s.FuseFlashBoundary == kFlooredBoundary) continue;
        const double x = f.equipmentClass == kSwitchgear ? 1.473 : 0.0;
        EXPECT_NEAR(s.FuseEnergyRef * std::pow(455.0 / s.FuseFlashBoundary, x), 5.0, 5e-9) << k;
    }
}

TEST(Properties, FuseAndBreakerEnergiesFallWithDistance) {
    Random r;
    for (int k = 0; k < kPoints; ++k) {
        const double d1 = r.In(300, 1900), d2 = r.In(d1 + 1, 2000);
        const std::string ibf = Text(r.In(0.71, 106)), a = Text(d1), b = Text(d2);
        const int fuseClass = r.Index(8);
        SharedState s1 = StartState(), s2 = StartState();
        FuseFields f;
        f.boltedCurrent = ibf, f.fuseClass = fuseClass;
        f.workDist = a;
        if (RunFuse(s1, f, UnitSettings{}, '.').refusal) continue;
        f.workDist = b;
        RunFuse(s2, f, UnitSettings{}, '.');
        EXPECT_GE(s1.FuseEnergy, s2.FuseEnergy) << k;  // equal only where both are floored
        if (s2.FuseEnergy > kFlooredEnergy) {
            EXPECT_GT(s1.FuseEnergy, s2.FuseEnergy) << k;
        }
    }
    for (int k = 0; k < kPoints; ++k) {
        const double d1 = r.In(300, 1900), d2 = r.In(d1 + 1, 2000);
        const double ibf = r.In(5, 100);
        const std::string v = Text(r.Next() < 0.5 ? r.In(208, 480) : r.In(575, 690)), i = Text(ibf),
                          ir = Text(ibf + 1), it = Text(r.In(0.3, 3)), a = Text(d1), b = Text(d2);
        BreakerFields f;
        f.voltage = v, f.boltedCurrent = i, f.interruptingRating = ir, f.instantaneousTrip = it;
        f.breakerType = r.Index(6);
        SharedState s1 = StartState(), s2 = StartState();
        f.workDist = a;
        if (RunBreaker(s1, f, UnitSettings{}, '.').refusal) continue;
        f.workDist = b;
        RunBreaker(s2, f, UnitSettings{}, '.');
        EXPECT_GE(s1.BreakerEnergy, s2.BreakerEnergy) << k;
        if (s2.BreakerEnergy > kFlooredEnergy) {
            EXPECT_GT(s1.BreakerEnergy, s2.BreakerEnergy) << k;
        }
    }
}

TEST(Properties, PpeLevelNeverFallsAsEnergyGrows) {
    Random r;
    std::vector<double> energies;
    for (int k = 0; k < 20 * kPoints; ++k) energies.push_back(r.In(0, 60 / 0.239006));
    for (double e : {1.2, 4.0, 8.0, 25.0, 40.0, 40.001}) {
        energies.push_back(e / 0.239006);
        energies.push_back(std::nextafter(e / 0.239006, 0.0));
        energies.push_back(std::nextafter(e / 0.239006, 1e9));
    }
    std::sort(energies.begin(), energies.end());
    std::int32_t last = 0;
    for (double e : energies) {
        const std::int32_t level = ClassifyPpe(e).index;
        EXPECT_GE(level, last) << e;
        last = level;
    }
    EXPECT_EQ(last, 5);
}

// One study row per generated point, and the texts the windows would show.
struct Generated {
    std::string csvComma, csvDot;  // the same study written with either separator
    std::vector<std::map<std::string, std::string>> expected;  // from the engine, '.'
};

std::string Quote(const std::string& s) {
    std::string out;
    csv::AppendField(out, s);
    return out;
}

Generated Generate(Random& r) {
    Generated g;
    const std::string header =
        "method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
        "arc_time_reduced,fuse_class,breaker_type,interrupting_rating,instantaneous_trip\n";
    g.csvDot = g.csvComma = header;
    const UnitSettings units;
    for (int k = 0; k < kPoints; ++k) {
        const int method = r.Index(3);
        std::vector<std::string> row(13);
        std::map<std::string, std::string> texts;
        auto num = [&](double v, int decimals) { return FormatFixed(v, 8, decimals, '.'); };
        if (method == 0) {
            row = {"empirical", num(r.In(208, 46000), 0), num(r.In(0.71, 106), 2), num(r.In(13, 200), 1),
                   num(r.In(300, 2000), 0), std::string(kEquipmentClasses[r.Index(4)]),
                   std::string(kGroundings[r.Index(2)]), num(r.In(0.01, 2), 3), num(r.In(0.01, 2), 3),
                   "", "", "", ""};
            EmpiricalFields f;
            f.voltage = row[1], f.boltedCurrent = row[2], f.gap = row[3], f.workDist = row[4];
            f.equipmentClass = static_cast<int>(std::find(kEquipmentClasses.begin(), kEquipmentClasses.end(), row[5]) - kEquipmentClasses.begin());
            f.grounding = row[6] == "Grounded" ? 1 : 0;
            SharedState s = StartState();
            const ArcCurrentOutcome first = RunEmpiricalArcCurrent(s, f, '.');
            s.ReducedCaseOff = !first.reducedCaseOffered;
            const EmpiricalOutcome second = RunEmpiricalResults(s, {row[7], row[8]}, units, '.');
            texts["incident_energy"] = second.texts.full.energy;
            texts["flash_boundary"] = second.texts.full.boundary;
            texts["ppe_level"] = second.texts.full.ppeLevel;
            texts["arcing_current"] = first.arcCurrent;
            if (first.reducedCaseOffered) {
                texts["incident_energy_reduced"] = second.texts.reduced.energy;
                texts["pressure"] = second.texts.full.pressure;
                texts["tnt_reduced"] = second.texts.reduced.tnt;
            }
        } else if (method == 1) {
            row = {"fuse", "", num(r.In(0.71, 106), 2), "", num(r.In(300, 2000), 0), "", "", "", "",
                   std::to_string(r.Index(8)), "", "", ""};
            FuseFields f;
            f.boltedCurrent = row[2], f.workDist = row[4], f.fuseClass = std::stoi(row[9]);
            SharedState s = StartState();
            const FuseOutcome out = RunFuse(s, f, units, '.');
            if (RefusalText(out.refusal).empty()) {
                texts["incident_energy"] = out.texts.result.energy;
                texts["flash_boundary"] = out.texts.result.boundary;
                texts["arcing_current"] = out.texts.arcCurrent;
                texts["pressure"] = out.texts.result.pressure;
            } else {
                texts["message"] = RefusalText(out.refusal);
            }
        } else {
            const double ibf = r.In(1, 100);
            row = {"breaker", num(r.Next() < 0.5 ? r.In(208, 480) : r.In(575, 690), 0), num(ibf, 2), "",
                   num(r.In(300, 2000), 0), "", "", "", "", "", std::to_string(r.Index(6)),
                   num(ibf + r.In(-5, 20), 1), num(r.In(0.3, 5), 2)};
            BreakerFields f;
            f.voltage = row[1], f.boltedCurrent = row[2], f.workDist = row[4];
            f.breakerType = std::stoi(row[10]);
            f.interruptingRating = row[11], f.instantaneousTrip = row[12];
            SharedState s = StartState();
            const BreakerOutcome out = RunBreaker(s, f, units, '.');
            if (RefusalText(out.refusal).empty()) {
                texts["incident_energy"] = out.texts.result.energy;
                texts["ppe_level"] = out.texts.result.ppeLevel;
                texts["limited_approach"] = out.texts.approach.limited;
            } else {
                texts["message"] = RefusalText(out.refusal);
            }
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
            std::string comma = row[i];
            if (i >= 1 && i <= 12 && i != 5 && i != 6) std::replace(comma.begin(), comma.end(), '.', ',');
            g.csvDot += (i ? "," : "") + Quote(row[i]);
            g.csvComma += (i ? "," : "") + Quote(comma);
        }
        g.csvDot += "\n";
        g.csvComma += "\n";
        g.expected.push_back(texts);
    }
    return g;
}

std::vector<study_test::CsvRow> Results(const std::string& study, char sep) {
    StudyOptions options;
    options.sep = sep;
    std::string out;
    RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    return study_test::CsvRows(out);
}

TEST(Properties, StudiesGiveTheTextsOfTheWindowsUnderEitherSeparator) {
    Random r;
    const Generated g = Generate(r);
    const auto dot = Results(g.csvDot, '.');
    const auto comma = Results(g.csvComma, ',');
    ASSERT_EQ(dot.size(), g.expected.size());
    ASSERT_EQ(comma.size(), g.expected.size());
    for (std::size_t k = 0; k < dot.size(); ++k) {
        for (const auto& [column, text] : g.expected[k]) {
            EXPECT_EQ(dot[k].at(column), text) << "row " << k << " " << column;
        }
        // Every column under ',' is the '.' text with the separator swapped;
        // clothing lines and messages keep their own commas.
        for (const auto& [column, text] : dot[k]) {
            if (column.rfind("clothing", 0) == 0 || column == "message" || column == "fuse_class" ||
                column == "equipment_class" || column == "method" || column == "grounding") {
                continue;
            }
            std::string swapped = text;
            std::replace(swapped.begin(), swapped.end(), '.', ',');
            EXPECT_EQ(comma[k].at(column), swapped) << "row " << k << " " << column;
        }
    }
}

}  // namespace
}  // namespace zentavo

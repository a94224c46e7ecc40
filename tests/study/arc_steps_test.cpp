// SPDX-License-Identifier: GPL-3.0-or-later
// A network point's arc cleared in steps: a 480 V switchgear fed by a
// transformer whose main clears at a definite time, with motors on its bus,
// as the sum of its two steps' energies; the same bus without motors as the
// study without steps; a fault on the line side of the main cleared by the
// primary feeder's relay; and the motors' decay set to none as the study
// without steps.
#include <gtest/gtest.h>

#include <string>

#include "engine/catalog.h"
#include "engine/empirical.h"
#include "engine/ieee2018.h"
#include "engine/number.h"
#include "study/run.h"
#include "study/study_file.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using study_test::CsvRow;

// UTIL 13.8 kV 20 kA; 100 m of cable with the primary feeder's relay
// (IEEE-VI) to HV; a 1 500 kVA transformer to SWG (480 V) with the main's
// definite-time relay; `motors` kVA of motors on SWG; the main's line side
// as a row of its own.
std::string Plant(const std::string& motors, bool empirical = false) {
    const std::string mv = "ieee1584-2018,13800,152,VCB,1143,762,508,914.4,";
    const std::string lv = empirical ? "empirical,480,32,,,,,609.6," : "ieee1584-2018,480,32,VCB,508,508,508,609.6,";
    const std::string lvClass = empirical ? ",Switchgear,Grounded" : ",,";
    return "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth,"
           "work_distance,arc_time,arc_time_reduced,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,"
           "tx_xr,cable_length,cable_r,cable_x,motor_kva,device_type,relay_curve,relay_pickup,relay_time_dial,"
           "line_side,equipment_class,grounding\n"
           "Utility," + mv + "0.5,0.5,UTIL,,source,20,15,,,,,,,,,,,,,,\n"
           "HV feeder," + mv + ",,HV,UTIL,cable,,,,,,100,0.1,0.1,,relay,IEEE-VI,60,2,,,\n"
           "SWG main," + lv + ",,SWG,HV,transformer,,,1500,5.75,6,,,," + motors + ",relay,DT,1000,0.3," + lvClass + "\n"
           "SWG main line side," + lv + ",,SWG,,,,,,,,,,,,relay,DT,1000,0.3,yes" + lvClass + "\n";
}

std::vector<CsvRow> RunPlant(const std::string& study, bool steps, std::optional<double> decay = 5.0) {
    StudyOptions options;
    options.arcSteps = steps;
    options.motorDecay = decay;
    options.units.EnergyUnit = IncidentEnergyUnit::JoulesPerCm2;
    std::string out;
    RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    return study_test::CsvRows(out);
}

double Number(const CsvRow& row, const char* column) { return ParseNumber(row.at(column), '.'); }

// The energy at 480 V of the main's point at a bolted current for a time
// (J/cm², the full case), by the 2018 model or the 2002 empirical equations.
double Energy(double ka, double seconds, bool empirical = false) {
    if (empirical) {
        EmpiricalInputs in;
        in.voltage = 480;
        in.boltedCurrent = ka;
        in.gapMm = 32;
        in.workDistMm = 609.6;
        in.equipmentClass = kSwitchgear;
        in.grounding = 1;
        in.arcTime = in.arcTimeReduced = seconds;
        return ComputeEmpirical(in).full.energy;
    }
    return ComputeIeee2018(Ieee2018Inputs{480, ka, 32, Electrode::VCB, 508, 508, 508, 609.6, seconds, seconds})
        .full.energy;
}

// With 2 200 kVA of motors the switchgear's fault current is 30 %
// motors'. The main's relay clears the transformer at T (0.3 s and the
// breaker's 5 cycles); the motors stop after 5 cycles: the energy is
// E(I_total, 5 cycles) + E(I without motors, T − 5 cycles), the second
// current that of the same plant without motors: 42.865 kA for 83.3 ms
// (16.5 J/cm²), then 29.717 kA for 299.7 ms (44.0 J/cm²): 60.49 J/cm², where
// one step gives 42.865 kA for the whole 383 ms.
TEST(ArcSteps, MotorsDecayThenTheMainClears) {
    const std::vector<CsvRow> steps = RunPlant(Plant("2200"), true), oneStep = RunPlant(Plant("2200"), false);
    const std::vector<CsvRow> noMotors = RunPlant(Plant(""), true);
    ASSERT_EQ(steps.size(), 4u);
    const CsvRow& main = steps[2];
    ASSERT_EQ(main.at("status"), "ok") << main.at("message");
    const double total = Number(main, "bolted_current_max"), rest = Number(noMotors[2], "bolted_current_max");
    EXPECT_NEAR(1 - Number(main, "branch_share"), 0.30, 0.01);
    const double t = Number(oneStep[2], "arc_time_used"), decay = 5.0 / 60;
    EXPECT_NEAR(t, 0.383, 0.0005);
    EXPECT_EQ(main.at("arc_steps"), "2");
    EXPECT_EQ(main.at("arc_time_used"), oneStep[2].at("arc_time_used"));
    EXPECT_NEAR(Number(main, "incident_energy"), Energy(total, decay) + Energy(rest, t - decay), 0.006);
    EXPECT_EQ(main.at("incident_energy"), "60.49");
    EXPECT_LT(Number(main, "incident_energy"), Number(oneStep[2], "incident_energy"));
    // Without motors the one step it takes is the result without steps, and
    // so is the decay set to none (the motors feed until the main clears).
    const std::vector<CsvRow> noMotorsOneStep = RunPlant(Plant(""), false);
    const std::vector<CsvRow> none = RunPlant(Plant("2200"), true, std::nullopt);
    for (const char* column : {"incident_energy", "incident_energy_reduced", "flash_boundary",
                               "flash_boundary_reduced", "arc_time_used", "arc_time_reduced_used"}) {
        EXPECT_EQ(noMotors[2].at(column), noMotorsOneStep[2].at(column)) << column;
        EXPECT_EQ(none[2].at(column), oneStep[2].at(column)) << column;
    }
    EXPECT_EQ(noMotors[2].at("arc_steps"), "1");
    EXPECT_EQ(oneStep[2].count("arc_steps"), 0u);

    // The 2002 equations take the steps through the equivalent duration of
    // the first current: the same sum of the two steps' own energies.
    const CsvRow empirical = RunPlant(Plant("2200", true), true)[2];
    ASSERT_EQ(empirical.at("status"), "ok") << empirical.at("message");
    EXPECT_EQ(empirical.at("arc_steps"), "2");
    EXPECT_EQ(empirical.at("arc_time_used"), main.at("arc_time_used"));
    EXPECT_NEAR(Number(empirical, "incident_energy"), Energy(total, decay, true) + Energy(rest, t - decay, true), 0.006);
}

// The line side of the main: the main does not act, the primary feeder's
// inverse-time relay clears the transformer, far slower; the motors still
// stop after 5 cycles.
TEST(ArcSteps, LineSideIsClearedUpstream) {
    const std::vector<CsvRow> rows = RunPlant(Plant("2200"), true);
    const CsvRow &load = rows[2], &line = rows[3];
    ASSERT_EQ(line.at("status"), "ok") << line.at("message");
    EXPECT_EQ(line.at("bolted_current_max"), load.at("bolted_current_max"));
    EXPECT_GT(Number(line, "arc_time_used"), 1.5 * Number(load, "arc_time_used"));
    EXPECT_EQ(line.at("device_element"), "inverse");
    EXPECT_GT(Number(line, "incident_energy"), Number(load, "incident_energy"));
    EXPECT_EQ(line.at("arc_steps"), "2");

    // line_side without steps, or without a device, cannot be computed.
    const std::vector<CsvRow> off = RunPlant(Plant("2200"), false);
    EXPECT_EQ(off[3].at("status"), "error");
    EXPECT_NE(off[3].at("message").find("line_side:"), std::string::npos);
}

// The main's section: a line-side row without a branch of its own pairs
// with the branch that feeds its bus, whatever their order; a second
// line-side row of the same main, one with its own branch, and one on a
// bus a source feeds alone pair with none.
TEST(ArcSteps, ALineSideRowAndItsMainMakeASection) {
    const std::string lv = "ieee1584-2018,480,32,VCB,508,508,508,609.6,,,";
    const std::string lineSide = lv + "SWG,,,,,,,,,,,,relay,DT,1000,0.3,yes,,\n";
    struct Case {
        std::string extra;  // rows after the plant's four
        std::vector<std::optional<std::size_t>> sections;
    };
    const std::vector<Case> cases = {
        {"", {std::nullopt, std::nullopt, 3, 2}},
        {"Second line side," + lineSide, {std::nullopt, std::nullopt, 3, 2, std::nullopt}},
        {"Own branch line side," + lv + "SWG2,SWG,cable,,,,,,10,0.1,0.1,,relay,DT,1000,0.3,yes,,\n" +
             "At the utility,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,,,UTIL,,,,,,,,,,,,relay,DT,1000,0.3,yes,,\n",
         {std::nullopt, std::nullopt, 3, 2, std::nullopt, std::nullopt}},
    };
    for (const Case& c : cases) {
        const StudyFile file = StudyFile::Parse(Plant("") + c.extra, StudyOptions{});
        ASSERT_EQ(file.RowCount(), c.sections.size());
        for (std::size_t row = 0; row < c.sections.size(); ++row) {
            EXPECT_EQ(file.SectionOf(row), c.sections[row]) << "row " << row << " after " << c.extra;
            EXPECT_TRUE(file.Result(row).Computed()) << "row " << row << " after " << c.extra << ": "
                                                     << file.Result(row).message;
        }
    }
    // The line-side row listed before its main.
    std::string plant = Plant("");
    const std::size_t main = plant.find("SWG main,"), line = plant.find("SWG main line side,");
    plant = plant.substr(0, main) + plant.substr(line) + plant.substr(main, line - main);
    const StudyFile swapped = StudyFile::Parse(plant, StudyOptions{});
    EXPECT_EQ(swapped.SectionOf(2), std::optional<std::size_t>(3));
    EXPECT_EQ(swapped.SectionOf(3), std::optional<std::size_t>(2));
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// A study's devices against the fault current they must interrupt, and the
// rows that give the network its generators, three-winding transformers and
// rated voltages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "study/network_study.h"
#include "study/run.h"
#include "study/study_file.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using study_test::CsvRow;

std::vector<CsvRow> RunRows(const std::string& study, network::Convention convention = network::Convention::Ansi) {
    StudyOptions options;
    options.shortCircuit = convention;
    std::string out;
    RunStudy(study, options, [&](std::string_view s) { out.append(s); });
    return study_test::CsvRows(out);
}

// The duty of a row's device: its rating against the bolted current as the
// row shows it, at, just below and just above it; "not checked" for a device
// without a rating; a rating that is no rating makes the row an error.
TEST(DeviceDuty, RatingAgainstTheAvailableCurrent) {
    struct Row {
        const char *bolted, *device, *rating, *duty, *status;
    };
    // clang-format off
    const Row rows[] = {
        {"25",     "relay", "25",   "interrupting rating 25 kA for the 25 kA available",        "ok"},
        {"24.999", "relay", "25",   "interrupting rating 25 kA for the 24.999 kA available",    "ok"},
        {"25.001", "relay", "25",   "interrupting rating 25 kA below the 25.001 kA available",  "ok"},
        {"31.2",   "relay", "25",   "interrupting rating 25 kA below the 31.2 kA available",    "ok"},
        {"31.2",   "relay", "",     "not checked",                                              "ok"},
        {"31.2",   "",      "42.5", "interrupting rating 42.5 kA for the 31.2 kA available",    "ok"},
        {"31.2",   "",      "",     "",                                                         "ok"},   // no device
        {"31.2",   "relay", "0.05", "",                                                         "error"},
        {"31.2",   "relay", "25kA", "",                                                         "error"},
    };
    // clang-format on
    std::string study =
        "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
        "arc_time_reduced,device_type,relay_curve,relay_pickup,relay_time_dial,device_rating_ka\n";
    for (const Row& r : rows) {
        const std::string relay = std::string(r.device).empty() ? ",,,," : "relay,IEEE-VI,1200,2,";
        study += std::string("p,empirical,480,") + r.bolted + ",32,455,Switchgear,Grounded," +
                 (std::string(r.device).empty() ? "0.2,0.2," : ",,") + relay + r.rating + "\n";
    }
    const std::vector<CsvRow> out = RunRows(study);
    ASSERT_EQ(out.size(), std::size(rows));
    for (std::size_t i = 0; i < out.size(); ++i) {
        SCOPED_TRACE(std::string(rows[i].bolted) + " / " + rows[i].rating);
        EXPECT_EQ(out[i].at("status"), rows[i].status) << out[i].at("message");
        EXPECT_EQ(out[i].at("device_duty"), rows[i].duty);
        if (std::string(rows[i].status) == "error") {
            EXPECT_NE(out[i].at("message").find("device_rating_ka"), std::string::npos);
        }
    }
    // The fuse and breaker methods' devices are devices too.
    const std::vector<CsvRow> fuse = RunRows(study_test::kMethodsHeader.substr(0, study_test::kMethodsHeader.size() - 1) +
                                         ",device_rating_ka\nfuse,480,20,,,455,,,,,,0,,,,\n");
    ASSERT_EQ(fuse.size(), 1u);
    EXPECT_EQ(fuse[0].at("device_duty"), "not checked");
}

// On a branch of the network the device interrupts its branch's share of the
// bus's maximum case: the worked example's transformer at SWG carries
// 0.956766 of 40.774 kA = 39.011 kA, its cable at MCC 0.940255 of 28.679 kA
// = 26.966 kA; a point on SWG without a branch of its own sees all 40.774 kA.
TEST(DeviceDuty, ABranchDeviceInterruptsItsShare) {
    std::string study = study_test::kNetwork;
    // device_rating_ka after motor_kva, on every row.
    std::string withRating;
    std::size_t line = 0;
    const char* const ratings[] = {"", "39", "27", "40.8", ""};
    for (std::size_t at = 0, next; (next = study.find('\n', at)) != std::string::npos; at = next + 1, ++line)
        withRating += study.substr(at, next - at) + "," + (line == 0 ? "device_rating_ka" : ratings[line - 1]) + "\n";
    const std::vector<CsvRow> out = RunRows(withRating);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[1].at("device_duty"), "interrupting rating 39 kA below the 39.011 kA available");
    EXPECT_EQ(out[2].at("device_duty"), "interrupting rating 27 kA for the 26.966 kA available");
    EXPECT_EQ(out[3].at("device_duty"), "interrupting rating 40.8 kA for the 40.774 kA available");
    EXPECT_EQ(out[4].at("device_duty"), "not checked");  // the fuse method's fuse
}

// Rows of a 110 kV source, a 110/30/10 kV three-winding transformer (the
// network test's: MV 6.582 kA, LV 10.453 kA by hand), a 10 kV generator
// beside it and a 115/10.5 kV transformer on a tap: each read from its
// columns, and what is not theirs refused by column.
TEST(PlantNetworkStudy, GeneratorsAndTransformersFromTheirColumns) {
    const std::string header =
        "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
        "bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,tx_kv_hv,tx_kv_lv,tx_tap,lv_bus,tx_kva_mv,"
        "tx_kva_lv,tx_z_hl,tx_z_ml,tx_ur,tx_ur_hl,tx_ur_ml,gen_kva,gen_kv,gen_xd,gen_xr,gen_cos_phi,gen_in_min,"
        "cable_end_temp\n";
    const std::string common = "empirical,%,,32,455,Switchgear,Grounded,0.2,0.2,";
    auto row = [&](const std::string& kv, const std::string& rest) {
        std::string c = common;
        c.replace(c.find('%'), 1, kv);
        return "p," + c + rest + "\n";
    };
    // clang-format off
    const std::string study = header +
        row("110000", "HV,,source,10,10,,,,,,,,,,,,,,,,,,,,,") +
        row("30000",  "MV,HV,transformer3,,,50000,12,,,,,LV,50000,20000,10,6,0.3,0.25,0.2,,,,,,,") +
        row("10000",  "LV,,,,,,,,,,,,,,,,,,,,,,,,,") +
        row("10000",  "T2,HV,transformer,,,40000,12,30,115,10.5,5,,,,,,,,,,,,,,,") +
        row("10000",  "T2,,generator,,,,,,,,,,,,,,,,,10000,10.5,0.12,,0.8,maybe,") +
        row("10000",  "LV,,transformer3,,,,,,,,,,,,,,,,,,,,,,,") +
        row("10000",  "LV,,,,,,,20,,,,,,,,,,,,,,,,,,");
    // clang-format on
    const std::vector<CsvRow> out = RunRows(study);
    ASSERT_EQ(out.size(), 7u);
    EXPECT_EQ(out[1].at("bolted_current_max"), "6.582");
    EXPECT_EQ(out[2].at("bolted_current_max"), "10.453");
    EXPECT_EQ(out[3].at("bolted_current_max"), "15.246");  // the tap's +5 %, by hand in the network test
    const struct { std::size_t row; const char* phrase; } refused[] = {
        {4, "gen_in_min: unknown value \"maybe\" (yes or no)"},
        {5, "from_bus: empty, a three-winding transformer needs its high-voltage bus"},
        {6, "tx_xr: given on a row whose branch_type is not transformer"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(out[r.row].at("status"), "error");
        EXPECT_NE(out[r.row].at("message").find(r.phrase), std::string::npos) << out[r.row].at("message");
    }
}

// A power-station unit's row (the network test's by hand: 1.913 kA maximum,
// 1.739 kA minimum by iec60909; without on-load tap changer, gen_pg 7.5 %,
// 2.089 and 1.899 kA, with tx_pt −5 % 2.199 and 1.999 kA), and the rows
// refused: a unit without its voltages, an off-load tap without gen_pg, a
// regulation range past its bound, gen_pg on a generator.
TEST(PlantNetworkStudy, PowerStationUnitFromItsRow) {
    const std::string header =
        "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
        "bus,branch_type,tx_kva,tx_z,tx_xr,tx_kv_hv,tx_kv_lv,gen_kva,gen_kv,gen_xd,gen_cos_phi,gen_pg,tx_pt\n";
    const std::string common = "p,empirical,110000,,32,455,Switchgear,Grounded,0.2,0.2,";
    // clang-format off
    const struct { const char *cells, *kaMax, *kaMin, *message; } rows[] = {
        {"HV,unit,100000,12,40,115,10.5,100000,10.5,0.16,0.85,,",      "1.913", "1.739", ""},
        {"HV2,unit,100000,12,40,115,,100000,,0.16,0.85,,",             "",      "",      "gen_kv: empty, a power-station unit needs"},
        {"HV3,unit,100000,12,40,115,10.5,100000,10.5,0.16,0.85,7.5,",  "2.089", "1.899", ""},
        {"HV4,unit,100000,12,40,115,10.5,100000,10.5,0.16,0.85,7.5,-5", "2.199", "1.999", ""},
        {"HV5,unit,100000,12,40,115,10.5,100000,10.5,0.16,0.85,0,",    "",      "",      ""},  // p_G 0 is a range too
        {"HV6,unit,100000,12,40,115,10.5,100000,10.5,0.16,0.85,,-5",   "",      "",      "tx_pt: given without gen_pg"},
        {"HV7,unit,100000,12,40,115,10.5,100000,10.5,0.16,0.85,30.5,", "",      "",      "gen_pg: 30.5 % is not a voltage regulation range (0 to 30 %)"},
        {"HV8,unit,100000,12,40,115,10.5,100000,10.5,0.16,0.85,7.5,30.5", "",   "",      "tx_pt: 30.5 % is not an off-load tap (-30 % to 30 %)"},
        {"HV9,generator,,,,,,100000,10.5,0.16,0.85,7.5,",              "",      "",      "gen_pg: given on a row whose branch_type is not unit"},
    };
    // clang-format on
    std::string study = header;
    for (const auto& r : rows) study += common + r.cells + "\n";
    const std::vector<CsvRow> out = RunRows(study, network::Convention::Iec60909);
    ASSERT_EQ(out.size(), std::size(rows));
    for (std::size_t i = 0; i < out.size(); ++i) {
        SCOPED_TRACE(rows[i].cells);
        if (*rows[i].kaMax) {
            EXPECT_EQ(out[i].at("bolted_current_max"), rows[i].kaMax);
            EXPECT_EQ(out[i].at("bolted_current_min"), rows[i].kaMin);
            EXPECT_EQ(out[i].at("branch_share"), "1.000");
        } else if (*rows[i].message) {
            EXPECT_EQ(out[i].at("status"), "error");
            EXPECT_NE(out[i].at("message").find(rows[i].message), std::string::npos) << out[i].at("message");
        } else {
            EXPECT_NE(out[i].at("status"), "error") << out[i].at("message");
        }
    }
}

// A transformer's tap by each convention: ansi refers the 110 kV source
// through the tapped ratio (15.051 kA at the main tap, 15.246 kA at +5 %,
// the network test's by hand), iec60909 takes the rated ratio whatever the
// tap (16.688 kA), and the report's short-circuit basis says so once.
TEST(PlantNetworkStudy, TapByConvention) {
    // clang-format off
    const struct { network::Convention convention; const char *tap, *ka; bool note; } rows[] = {
        {network::Convention::Ansi,     "",  "15.051", false},
        {network::Convention::Ansi,     "5", "15.246", false},
        {network::Convention::Iec60909, "",  "16.688", false},
        {network::Convention::Iec60909, "5", "16.688", true},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(network::kConventionWords[static_cast<int>(r.convention)]) + " tap " + r.tap);
        const std::string study = std::string(
            "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,bus,"
            "from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,tx_kv_hv,tx_kv_lv,tx_tap\n"
            "U,empirical,110000,153,910,Switchgear,Grounded,0.2,0.2,HV,,source,10,10,,,,,,\n"
            "T,empirical,10000,153,910,Switchgear,Grounded,0.2,0.2,LV,HV,transformer,,,40000,12,30,115,10.5,") +
            r.tap + "\n";
        StudyOptions options;
        options.shortCircuit = r.convention;
        const std::vector<CsvRow> out = RunRows(study, r.convention);
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[1].at("bolted_current_max"), r.ka);
        const StudyFile file = StudyFile::Parse(study, options);
        ASSERT_TRUE(file.Network());
        const std::string basis = ShortCircuitBasis(options.ShortCircuit(), file.Network()->Results().tapsLeftOut);
        EXPECT_EQ(basis.find("Transformer taps (tx_tap) left out") != std::string::npos, r.note) << basis;
    }
}

// IEC TR 60909-4's example network of a 380/110/30/10 kV system
// (examples/iec-tr-60909-4.csv) against its published I″k, maximum case.
// How its elements are entered:
// - T3, T4: transformer3 rows, 400/120/30 kV, each pair's u_k and u_R on the
//   smaller rating of its pair (350/50/50 MVA); T3's tertiary is a bus of
//   its own (T3-LV, a point row gives its 30 kV) that nothing else touches.
// - T5, T6 (LV open): two-winding 115/10.5 kV, 31.5 MVA transformers of
//   u_k 12 %, X/R = √(12² − 0.5²)/0.5 = 23.97915762; with the tertiary open
//   the star's HV and MV arms in series are the HV–MV pair exactly, and
//   its K_T is that pair's.
// - L3: one cable row of two sets (the two circuits in parallel); lines in
//   m with their Ω/km.
// - S1, S2: unit rows with R_G in ohms (gen_r) and the transformers' X/R
//   from u_k and u_R (T1 31.98437118); S2 without on-load tap changer:
//   gen_pg 7.5, tx_pt 0 (no off-load tap in use).
// - M1, M2 (the two alike as one row of twice the rating): motor_kva =
//   S_rM = P_rM/(η_r·cos φ_r), 5827.505828 and 2·2000/(0.968·0.89) =
//   4642.956635 kVA; motor_x = X_M on S_rM = (1/(I_LR/I_rM))/√(1 + 0.1²),
//   0.199007438 and 0.1913533058; motor_xr = 10.
TEST(PlantNetworkStudy, IecTr60909_4Example) {
    StudyOptions options;
    options.shortCircuit = network::Convention::Iec60909;
    const StudyFile file = StudyFile::Parse(study_test::FileBytes(ZENTAVO_EXAMPLES_DIR "/iec-tr-60909-4.csv"), options);
    for (std::size_t i = 0; i < file.RowCount(); ++i)
        EXPECT_NE(file.Result(i).status, PointStatus::Error) << file.Point(i) << ": " << file.Result(i).message;
    ASSERT_TRUE(file.Network());
    // clang-format off
    const struct { const char* bus; double ka; } published[] = {
        {"F1", 40.6447}, {"F2", 31.7831}, {"F3", 19.6730}, {"F4", 16.2277},
        {"F5", 33.1894}, {"F6", 37.5629}, {"F7", 25.5895}, {"F8", 13.5778},
    };
    // clang-format on
    for (const auto& p : published) {
        const network::BusResult* b = file.Network()->Results().FindBus(p.bus);
        ASSERT_TRUE(b && b->computed) << p.bus;
        EXPECT_NEAR(b->ka_max, p.ka, 0.00005) << p.bus;  // half the last printed digit
    }
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// Generators, transformers off their buses' nominal voltages or on a tap,
// and three-winding transformers, each against its hand formula. The
// expected values were reduced by hand in ohms at the faulted bus (python3,
// double precision); the digits are written beside each row.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>

#include "network/short_circuit.h"

namespace zentavo::network {
namespace {

constexpr double kPrinted = 0.0005;  // values given to three decimals

// IEC 60909's K_G = (U_n/U_rG)·c_max/(1 + x″d·sin φ_rG).
TEST(PlantElements, GeneratorCorrectionFactor) {
    // clang-format off
    const struct { double un, urg, xd, cosPhi, cmax, k; } rows[] = {
        {10,  10.5, 0.12, 0.8,  1.10, 0.977257},  // (10/10.5)·1.1/(1 + 0.12·0.6)
        {0.4, 0.4,  0.15, 0.85, 1.05, 0.973108},  // 1.05/(1 + 0.15·0.52678)
        {0.4, 0.4,  0.15, 0.85, 1.10, 1.019446},  // the same at +10 % tolerance
        {10,  10,   0.2,  1.0,  1.10, 1.100000},  // cos φ 1: sin φ 0, no reduction
    };
    // clang-format on
    for (const auto& r : rows) EXPECT_NEAR(GeneratorFactor(r.un, r.urg, r.xd, r.cosPhi, r.cmax), r.k, 5e-7);
}

// A 10 MVA, 10.5 kV generator, x″d 0.12, cos φ 0.8, fictitious R_Gf = 0.07·X″d
// (no X/R given; or its own R_G), on a 10 kV bus: X″d = 0.12·10.5²/10 = 1.323 Ω. Alone:
// I″k = c·U_n/(√3·K_G·|Z_G|); beside a 20 kA (minimum 15 kA) X/R 10 utility it
// feeds the minimum case only when told to.
TEST(PlantElements, SynchronousGenerator) {
    struct Row {
        const char* what;
        Convention convention;
        bool utility, inMin;
        std::optional<double> rOhm;  // R_G in place of R_Gf
        double kaMax, kaMin, genShareMax, genShareMin;
    };
    // clang-format off
    const Row rows[] = {
        // alone: it feeds the minimum case too (nothing else does)
        {"alone, iec60909", Convention::Iec60909, false, false, {}, 4.900, 4.455, 1, 1},
        {"alone, ansi",     Convention::Ansi,     false, false, {}, 4.353, 4.353, 1, 1},
        {"alone, R_G 0.05 ohm", Convention::Iec60909, false, false, 0.05, 4.909, 4.462, 1, 1},
        {"with the utility, iec60909",             Convention::Iec60909, true, false, {}, 24.898, 15.000, 0.197, 0},
        {"with the utility, ansi",                 Convention::Ansi,     true, false, {}, 24.352, 15.000, 0.179, 0},
        {"with the utility, in the minimum case",  Convention::Iec60909, true, true,  {}, 24.898, 19.453, 0.197, 0.229},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NetworkInput in;
        in.buses = {{"GEN", 10, ""}};
        if (row.utility) in.sources = {{"U", "GEN", 10, 20, 15, 10}};
        Generator g;
        g.name = "G";
        g.bus = "GEN";
        g.kva = 10000;
        g.kv = 10.5;
        g.xd_pu = 0.12;
        g.in_min = row.inMin;
        g.r_ohm = row.rOhm;
        in.generators = {g};
        const Network net(in);
        ASSERT_TRUE(net.errors().empty()) << net.errors().front().message;
        const auto r = net.Solve(row.convention);
        const BusResult* b = r.FindBus("GEN");
        ASSERT_TRUE(b && b->computed);
        EXPECT_NEAR(b->ka_max, row.kaMax, kPrinted);
        EXPECT_NEAR(b->ka_min, row.kaMin, kPrinted);
        EXPECT_NEAR(*r.Share("GEN", ElementKind::Generator, 0, Case::Max), row.genShareMax, kPrinted);
        EXPECT_NEAR(*r.Share("GEN", ElementKind::Generator, 0, Case::Min), row.genShareMin, kPrinted);
    }
}

// A power-station unit on a 110 kV bus: a 100 MVA, 10.5 kV generator (x″d
// 0.16, cos φ 0.85, R_Gf = 0.05·X″d from 100 MVA) behind its 100 MVA
// 115/10.5 kV transformer (u_k 12 %, X/R 40: x_T 0.119963). By hand in ohms at
// 110 kV: Z_S = K_S·(t_r²·Z_G + Z_THV), t_r = 115/10.5, K_S =
// (110²/10.5²)·(10.5²/115²)·1.1/(1 + |0.16 − 0.119963|·0.526783) = 0.985639;
// I″k = c·110/(√3·|Z_S|). Alone, it feeds the minimum case too.
// Without on-load tap changer: K_SO = 110/(10.5·(1 + p_G))·(10.5/115)·
// (1 + p_T)·1.1/(1 + 0.16·0.526783) = 0.902684 at p_G 7.5 %, 0.857549 with
// p_T −5 % as well; the minimum case keeps K_SO, its fault at c_min 1.0.
TEST(PlantElements, PowerStationUnit) {
    EXPECT_NEAR(UnitFactor(110, 10.5, 115, 10.5, 0.16, 0.119963, 0.85, 1.1), 0.985639, 5e-7);
    // The factors of the two units of IEC TR 60909-4's 110 kV network, by hand:
    // S1 with its tap changer, K_S = (110/115)²·1.1/(1 + |0.14 − 0.159922|·0.526783);
    // S2 without, K_SO = 110/(10.5·1.075)·(10.5/120)·1.1/(1 + 0.16·0.435890).
    EXPECT_NEAR(UnitFactor(110, 21, 115, 21, 0.14, 0.159922, 0.85, 1.1), 0.995975, 5e-7);
    // clang-format off
    const struct { double pG, pT, k; } fixed[] = {
        {0.075, 0,     0.876832},
        {0.075, -0.05, 0.832991},  // an off-load tap permanently at −5 %
        {0,     0,     0.942595},  // no regulation range: U_nQ/U_rG·t_r⁻¹ alone
    };
    // clang-format on
    for (const auto& f : fixed)
        EXPECT_NEAR(UnitFactorFixedTaps(110, 10.5, 120, 10.5, 0.16, 0.9, 1.1, f.pG, f.pT), f.k, 5e-7);
    struct Row {
        Convention convention;
        bool onLoadTaps;
        double pG, pT, kaMax, kaMin;
    };
    // clang-format off
    const Row rows[] = {
        {Convention::Iec60909, true,  0,   0,  1.913, 1.739},
        {Convention::Ansi,     true,  0,   0,  1.714, 1.714},  // t_r²·Z_G + Z_THV uncorrected
        {Convention::Iec60909, false, 7.5, 0,  2.089, 1.899},
        {Convention::Iec60909, false, 7.5, -5, 2.199, 1.999},
        {Convention::Ansi,     false, 7.5, -5, 1.714, 1.714},  // ansi corrects neither
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.onLoadTaps << " " << row.pG << " " << row.pT);
        NetworkInput in;
        in.buses = {{"HV", 110, ""}};
        Generator g{"G1", "HV", 100000, 10.5, 0.16};
        g.cos_phi = 0.85;
        g.unit = UnitTransformer{100000, 12, 40, 115, 10.5, row.onLoadTaps, row.pG, row.pT};
        in.generators = {g};
        const auto r = Network(in).Solve(row.convention);
        ASSERT_TRUE(r.errors.empty()) << r.errors.front().message;
        EXPECT_NEAR(r.FindBus("HV")->ka_max, row.kaMax, kPrinted);
        EXPECT_NEAR(r.FindBus("HV")->ka_min, row.kaMin, kPrinted);
    }
}

// A 40 MVA 115/10.5 kV transformer, u_k 12 %, X/R 30, between 110 kV and
// 10 kV buses, a 10 kA X/R 10 source at 110 kV. Per unit the ratio is
// (110/10)·(10.5/(115·(1 + tap))); in ohms at 10 kV the source is referred
// through the rated ratio: Z_Q/(115·(1 + tap)/10.5)² + 0.12·10.5²/40.
// IEC 60909 takes the transformer at its rated ratio whatever its tap.
TEST(PlantElements, TransformerOffNominalRatioAndTap) {
    struct Row {
        Convention convention;
        double tap;
        bool stepUp;  // drawn from the 10 kV bus to the 110 kV one
        double kaLv;
    };
    // clang-format off
    const Row rows[] = {
        {Convention::Ansi,     0, false, 15.051},  // ratio 1.004348
        {Convention::Ansi,     0, true,  15.051},  // the same whichever end is from_bus
        {Convention::Ansi,     5, false, 15.246},  // ratio 0.956522
        {Convention::Iec60909, 0, false, 16.688},  // c 1.1, K_T = 0.95·1.1/(1 + 0.6·0.119933)
        {Convention::Iec60909, 5, true,  16.688},  // the tap left out: as at tap 0
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tap);
        NetworkInput in;
        in.sources = {{"U", "HV", 110, 10, 10, 10}};
        in.buses = {{"LV", 10, ""}};
        Transformer t{"T", row.stepUp ? "LV" : "HV", row.stepUp ? "HV" : "LV", 40000, 12, 30};
        t.kv_hv = 115;
        t.kv_lv = 10.5;
        t.tap_percent = row.tap;
        in.transformers = {t};
        const auto r = Network(in).Solve(row.convention);
        ASSERT_TRUE(r.errors.empty()) << r.errors.front().message;
        EXPECT_NEAR(r.FindBus("LV")->ka_max, row.kaLv, kPrinted);
        EXPECT_NEAR(r.FindBus("HV")->ka_max, 10, kPrinted);  // nothing feeds back
        EXPECT_NEAR(*r.Share("LV", ElementKind::Transformer, 0), 1, 1e-12);
        EXPECT_EQ(r.tapsLeftOut, row.convention == Convention::Iec60909 && row.tap != 0);
    }
}

// A 110/30/10 kV transformer of 50/50/20 MVA, u_k 12/10/6 % and u_R
// 0.3/0.25/0.2 % (HV–MV on 50 MVA, HV–LV and MV–LV on 20 MVA), a 10 kA X/R 10
// source at 110 kV. Per unit on 100 MVA the star is Z_H = ½(Z_HM + Z_HL −
// Z_ML) = 0.00425 + j0.21997, Z_M = 0.00175 + j0.01996, Z_L = 0.00825 +
// j0.27988 (ansi); a fault at MV sees Z_Q + Z_H + Z_M, at LV Z_Q + Z_H + Z_L.
// By iec60909 each pair's impedance is first multiplied by its own K_T.
// A +5 % tap on the HV winding refers Z_Q to the star as Z_Q/1.05² by ansi;
// IEC 60909 leaves it out.
TEST(PlantElements, ThreeWindingTransformerAsAStar) {
    // clang-format off
    const struct { Convention convention; double tap, mv, lv; } rows[] = {
        {Convention::Ansi,     0, 6.582, 10.453},
        {Convention::Iec60909, 0, 7.261, 11.536},
        {Convention::Ansi,     5, 6.694, 10.545},
        {Convention::Iec60909, 5, 7.261, 11.536},
    };
    // clang-format on
    for (const auto& row : rows) {
        NetworkInput in;
        in.sources = {{"U", "HV", 110, 10, 10, 10}};
        in.buses = {{"MV", 30, ""}, {"LV", 10, ""}};
        Transformer3 t;
        t.name = "T3";
        t.hv_bus = "HV";
        t.mv_bus = "MV";
        t.lv_bus = "LV";
        t.kva_hv = t.kva_mv = 50000;
        t.kva_lv = 20000;
        t.uk_percent = {12, 10, 6};
        t.ur_percent = {0.3, 0.25, 0.2};
        t.tap_percent = row.tap;
        in.transformers3 = {t};
        const auto r = Network(in).Solve(row.convention);
        ASSERT_TRUE(r.errors.empty()) << r.errors.front().message;
        EXPECT_EQ(r.buses.size(), 3u);  // the star point is no bus of the results
        EXPECT_NEAR(r.FindBus("MV")->ka_max, row.mv, kPrinted);
        EXPECT_NEAR(r.FindBus("LV")->ka_max, row.lv, kPrinted);
        EXPECT_NEAR(*r.Share("LV", ElementKind::Transformer3, 0), 1, 1e-12);
    }
}

// What the network refuses of the new elements, naming them.
TEST(PlantElements, ErrorsOfGeneratorsAndTransformers) {
    struct Row {
        const char* what;
        std::function<void(NetworkInput&)> change;
        ElementKind kind;
        const char* phrase;
    };
    // clang-format off
    const Row rows[] = {
        {"rated voltage in volts", [](NetworkInput& in) { in.transformers[0].kv_hv = 115000; },
         ElementKind::Transformer, "the high rated voltage 115000 kV is not a rating for its bus of 110 kV"},
        {"tap out of reach", [](NetworkInput& in) { in.transformers[0].tap_percent = 50; },
         ElementKind::Transformer, "the tap must lie within"},
        {"generator power factor", [](NetworkInput& in) { in.generators[0].cos_phi = 1.2; },
         ElementKind::Generator, "the power factor"},
        {"generator without a reactance", [](NetworkInput& in) { in.generators[0].xd_pu = 0; },
         ElementKind::Generator, "the subtransient reactance must be above zero"},
        {"unit without its voltages", [](NetworkInput& in) { in.generators[0].unit = UnitTransformer{5000, 8, 20}; },
         ElementKind::Generator, "a power-station unit needs the generator's or the transformer's low rated voltage"},
        {"unit's regulation range of 100 %", [](NetworkInput& in) { in.generators[0].unit = UnitTransformer{5000, 8, 20, 0, 0.4, false, 100}; },
         ElementKind::Generator, "the voltage regulation range must lie from 0 up to 100 %"},
        {"unit's off-load tap out of reach", [](NetworkInput& in) { in.generators[0].unit = UnitTransformer{5000, 8, 20, 0, 0.4, false, 5, -50}; },
         ElementKind::Generator, "the off-load tap within ±50 %"},
        {"three-winding on two buses", [](NetworkInput& in) { in.transformers3[0].lv_bus = "MV"; },
         ElementKind::Transformer3, "its three buses must differ"},
        {"resistance above impedance", [](NetworkInput& in) { in.transformers3[0].ur_percent[1] = 10; },
         ElementKind::Transformer3, "below its pair's impedance voltage"},
        {"windings upside down", [](NetworkInput& in) { std::swap(in.transformers3[0].hv_bus, in.transformers3[0].lv_bus); },
         ElementKind::Transformer3, "must fall from the high-voltage"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NetworkInput in;
        in.sources = {{"U", "HV", 110, 10, 10, 10}};
        in.buses = {{"LV", 10, ""}, {"MV", 30, ""}, {"LV3", 6, ""}};
        in.transformers = {{"T", "HV", "LV", 40000, 12, 30}};
        in.generators = {Generator{"G", "LV", 5000, 0, 0.15}};
        Transformer3 t3{"T3", "HV", "MV", "LV3", 50000, 50000, 20000, {12, 10, 6}, {0.3, 0.25, 0.2}};
        in.transformers3 = {t3};
        ASSERT_TRUE(Network(in).errors().empty());
        row.change(in);
        // The element's own error (a bus it alone fed may lose its path too).
        const Network net(in);
        ASSERT_FALSE(net.errors().empty());
        const ElementError& e = net.errors()[0];
        EXPECT_EQ(e.kind, row.kind);
        EXPECT_NE(e.message.find(row.phrase), std::string::npos) << e.message;
        for (const auto& other : net.errors()) EXPECT_TRUE(other.kind == row.kind || other.kind == ElementKind::Bus);
    }
}

}  // namespace
}  // namespace zentavo::network

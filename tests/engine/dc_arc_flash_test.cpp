// SPDX-License-Identifier: GPL-3.0-or-later
// DC arc flash: the worked examples E1 to E5 of the DC facts sheet to every
// digit it prints (E1 in each enclosure), the closed-form boundary against
// the fixed-point iteration of the published workbook, the invariants of
// the open-air energy and of the two methods, the solver on a stiff
// low-voltage source, the refusals, the notes and the approach bands.
#include "engine/dc_arc_flash.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/arc_duration.h"
#include "engine/number.h"

namespace zentavo {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr double kCalJ = 4.184;  // J per cal, the thermochemical calorie

// A printed value and its decimals: it must hold to half a unit of its last digit.
struct Digits {
    double printed = kNone;
    int decimals = 0;
};
void ExpectDigits(double value, Digits d, const std::string& what) {
    if (std::isnan(d.printed)) return;
    EXPECT_NEAR(value, d.printed, 0.5 * std::pow(10.0, -d.decimals)) << what;
}

struct Example {
    const char* name;
    DcMethod method;
    double volts;
    std::optional<double> boltedKa, ohms;
    double gapMm, workDistMm;
    DcBox box;
    Digits iarcA, varc, rarc, powerW, boxFactor, energyCal, boundaryCm;
};

// clang-format off
const Example kExamples[] = {
    // E1: maximum power, a 504 V battery of 42 cells of 10 mΩ in two strings.
    {"E1 open", DcMethod::MaxPower, 504, {}, 0.21, 0, 457.2, DcBox::Open,
     {1200, 0}, {}, {}, {}, {1, 0}, {5.78668, 5}, {100.399, 3}},
    {"E1 nfpa-x3", DcMethod::MaxPower, 504, {}, 0.21, 0, 457.2, DcBox::NfpaX3,
     {}, {}, {}, {}, {3, 0}, {17.3600, 4}, {173.897, 3}},
    {"E1 lv-switchgear", DcMethod::MaxPower, 504, {}, 0.21, 0, 457.2, DcBox::LvSwitchgear,
     {}, {}, {}, {}, {2.22082, 5}, {12.8512, 4}, {194.732, 3}},
    {"E1 panelboard", DcMethod::MaxPower, 504, {}, 0.21, 0, 457.2, DcBox::Panelboard,
     {}, {}, {}, {}, {1.52307, 5}, {8.81349, 5}, {126.440, 3}},
    // 0.98310 at the working distance, clamped to 1; the boundary in the box all the same.
    {"E1 mv-switchgear", DcMethod::MaxPower, 504, {}, 0.21, 0, 457.2, DcBox::MvSwitchgear,
     {}, {}, {}, {}, {1, 0}, {5.78668, 5}, {208.972, 3}},
    // E2: arc resistance, 500 V, 10 kA, 50 mΩ, 20 mm; and maximum power on the same circuit.
    {"E2", DcMethod::ArcResistance, 500, 10, {}, 20, 457.2, DcBox::Open,
     {8190.808, 3}, {90.45958, 5}, {0.0110440, 7}, {740937, 0}, {}, {13.48301, 5}, {153.253, 3}},
    {"E2 maximum power", DcMethod::MaxPower, 500, 10, {}, 20, 457.2, DcBox::Open,
     {}, {}, {}, {}, {}, {23.920, 3}, {204.124, 3}},
    // E3: 258 V, 18.7 kA, 20 mm.
    {"E3", DcMethod::ArcResistance, 258, 18.7, {}, 20, 457.2, DcBox::Open,
     {11846.56, 2}, {94.5554, 4}, {}, {}, {}, {20.3838, 4}, {188.433, 3}},
    {"E3 maximum power", DcMethod::MaxPower, 258, 18.7, {}, 20, 457.2, DcBox::Open,
     {}, {}, {}, {}, {}, {23.0807, 4}, {200.512, 3}},
    // E4: 250 V, 10 kA, 25 mm at 45.5 cm.
    {"E4", DcMethod::ArcResistance, 250, 10, {}, 25, 455, DcBox::Open,
     {6196.26, 2}, {95.094, 3}, {0.015347, 6}, {}, {}, {10.826, 3}, {136.67, 2}},
    // E5: 48 V behind 16 mΩ (3 kA), 25 mm: a stiff low-voltage source.
    {"E5", DcMethod::ArcResistance, 48, {}, 0.016, 25, 457.2, DcBox::Open,
     {19.681, 3}, {47.685, 3}, {2.4228, 4}, {}, {}, {0.0171, 4}, {}},
    {"E5 maximum power", DcMethod::MaxPower, 48, {}, 0.016, 25, 457.2, DcBox::Open,
     {}, {}, {}, {}, {}, {0.689, 3}, {}},
};
// clang-format on

DcArcInputs InputsOf(const Example& e, double arcTime = 2) {
    DcArcInputs in;
    in.method = e.method;
    in.voltage = e.volts;
    in.boltedKa = e.boltedKa;
    in.sourceOhms = e.ohms;
    in.gapMm = e.gapMm;
    in.workDistMm = e.workDistMm;
    in.arcTime = arcTime;
    in.box = e.box;
    return in;
}

TEST(DcArcFlash, WorkedExamplesToTheirPrintedDigits) {
    for (const Example& e : kExamples) {
        const DcArcInputs in = InputsOf(e);
        ASSERT_FALSE(CheckDcArcInputs(in)) << e.name;
        const DcArcResults r = ComputeDcArcFlash(in);
        const std::string name = e.name;
        ExpectDigits(r.arcingKa * 1000, e.iarcA, name + " arcing current");
        ExpectDigits(r.arcVoltage, e.varc, name + " arc voltage");
        ExpectDigits(r.arcOhms, e.rarc, name + " arc resistance");
        ExpectDigits(r.arcPowerW, e.powerW, name + " arc power");
        ExpectDigits(r.boxFactor, e.boxFactor, name + " box factor");
        ExpectDigits(r.energy / kCalJ, e.energyCal, name + " incident energy");
        ExpectDigits(r.boundary / 10, e.boundaryCm, name + " arc flash boundary");
        // The source given one way gives the other: I_bf = V / R.
        EXPECT_NEAR(r.boltedKa * 1000 * r.sourceOhms, e.volts, 1e-9 * e.volts) << name;
    }
}

// The workbook's iteration B ← D·√(IE(D)·MF(B)/1.2), run to its fixed point,
// lands where the closed form puts the boundary, in every box.
TEST(DcArcFlash, ClosedFormBoundaryIsTheIterationsFixedPoint) {
    for (std::size_t b = 0; b < kDcBoxWords.size(); ++b) {
        const DcBox box = static_cast<DcBox>(b);
        for (const double openCal : {0.3, 1.5, 5.78668, 40.0, 400.0}) {
            for (const double d : {305.0, 457.2, 914.4}) {
                double boundary = d;
                for (int i = 0; i < 2000; ++i)
                    boundary = d * std::sqrt(openCal * DcBoxFactor(box, boundary) / 1.2);
                EXPECT_NEAR(DcArcFlashBoundary(openCal * kCalJ, d, box), boundary, 1e-9 * boundary)
                    << kDcBoxWords[b] << " " << openCal << " cal/cm2 at " << d << " mm";
            }
        }
    }
}

// In open air the energy falls as the square of the distance, for both
// methods; and the maximum-power method, which takes the arc at the
// circuit's best transfer, never gives less than the arc-resistance method
// on the same circuit.
TEST(DcArcFlash, OpenAirInverseSquareAndMaximumPowerBoundsArcResistance) {
    for (const double volts : {48.0, 125.0, 250.0, 500.0, 1000.0}) {
        for (const double ohms : {0.001, 0.016, 0.05, 0.5}) {
            for (const double gap : {5.0, 25.0, 100.0}) {
                DcArcInputs in{DcMethod::ArcResistance, volts, {}, ohms, gap, 457.2, 0.5, DcBox::Open};
                const DcArcResults arc = ComputeDcArcFlash(in);
                in.method = DcMethod::MaxPower;
                const DcArcResults maxPower = ComputeDcArcFlash(in);
                EXPECT_GE(maxPower.energy, arc.energy) << volts << " V " << ohms << " ohm " << gap << " mm";
                EXPECT_GE(maxPower.arcPowerW, arc.arcPowerW);
                for (const DcMethod m : {DcMethod::MaxPower, DcMethod::ArcResistance}) {
                    in.method = m;
                    in.workDistMm = 300;
                    const double near = ComputeDcArcFlash(in).energy * 300 * 300;
                    in.workDistMm = 1200;
                    EXPECT_NEAR(ComputeDcArcFlash(in).energy * 1200 * 1200, near, 1e-12 * near);
                    in.workDistMm = 457.2;
                }
            }
        }
    }
}

// Every corner of the inputs' limits, for both methods in every box, is
// accepted and gives an arcing current, an energy and a boundary that are
// finite numbers above 0.
TEST(DcArcFlash, CornersOfTheLimitsGiveFiniteResults) {
    int corners = 0;
    for (const DcMethod m : {DcMethod::MaxPower, DcMethod::ArcResistance}) {
        for (const double v : {kDcLeastVolts, kDcMostVolts}) {
            for (const bool byOhms : {false, true}) {
                for (const double source : byOhms ? std::vector{kDcLeastOhms, kDcMostOhms}
                                                  : std::vector{kDcLeastBoltedKa, kDcMostBoltedKa}) {
                    for (const double gap : {kDcLeastGapMm, kDcMostGapMm}) {
                        for (const double d : {kDcLeastWorkDistMm, kDcMostWorkDistMm}) {
                            for (const double t : {kShortestArcTime, kDcLongestArcTime}) {
                                for (std::size_t b = 0; b < kDcBoxWords.size(); ++b) {
                                    DcArcInputs in{m, v, {}, {}, gap, d, t, static_cast<DcBox>(b)};
                                    (byOhms ? in.sourceOhms : in.boltedKa) = source;
                                    SCOPED_TRACE(testing::Message() << DcMethodName(m) << " " << v << " V " << source
                                                                    << (byOhms ? " ohm " : " kA ") << gap << " mm "
                                                                    << d << " mm " << t << " s " << kDcBoxWords[b]);
                                    ASSERT_FALSE(CheckDcArcInputs(in));
                                    const DcArcResults r = ComputeDcArcFlash(in);
                                    EXPECT_TRUE(DcResultsDefined(r));
                                    for (const double x : {r.arcingKa, r.energy, r.boundary, r.arcPowerW}) {
                                        EXPECT_TRUE(std::isfinite(x) && x > 0) << x;
                                    }
                                    ++corners;
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(corners, 2 * 2 * 4 * 2 * 2 * 2 * 5);
}

// E5 is stiff: Newton's first step from the bolted current lands far below
// zero. The bracket keeps the solver on its root, to where the arc's own
// voltage and what the circuit leaves it agree to 1e-9 in a few dozen steps.
TEST(DcArcFlash, SolverConvergesOnAStiffLowVoltageSource) {
    for (const auto& [volts, ohms, gap] : {std::tuple{48.0, 0.016, 25.0}, std::tuple{500.0, 0.05, 20.0},
                                           std::tuple{24.0, 0.0005, 200.0}, std::tuple{1500.0, 10.0, 2.0}}) {
        int steps = 0;
        const double i = DcArcResistanceCurrent(volts, ohms, gap, &steps);
        EXPECT_GT(i, 0);
        EXPECT_LT(i, volts / ohms);
        const double arcVolts = (20 + 0.534 * gap) * std::pow(i, 0.12);
        EXPECT_NEAR(arcVolts, volts - ohms * i, 1e-9 * arcVolts) << volts << " V";
        EXPECT_LE(steps, 80) << volts << " V";
    }
}

TEST(DcArcFlash, RefusalsNameEachInput) {
    const DcArcInputs good{DcMethod::ArcResistance, 500, 10, {}, 20, 457.2, 2, DcBox::Open};
    struct Case {
        const char* name;
        void (*change)(DcArcInputs&);
        std::string message;
    };
    const Case cases[] = {
        {"no voltage", [](DcArcInputs& i) { i.voltage = 0; }, "Voltage must be above 0 V. "},
        {"both sources", [](DcArcInputs& i) { i.sourceOhms = 0.05; },
         "Give the bolted current or the source resistance, not both. "},
        {"no source", [](DcArcInputs& i) { i.boltedKa.reset(); },
         "Enter bolted current or source resistance value. "},
        {"negative resistance", [](DcArcInputs& i) { i.boltedKa.reset(), i.sourceOhms = -1; },
         "Source resistance must be above 0 ohm. "},
        {"no gap", [](DcArcInputs& i) { i.gapMm = 0; }, "Gap must be above 0 mm. "},
        {"no distance", [](DcArcInputs& i) { i.workDistMm = -5; },
         "Working distance must be above 0 mm. "},
        {"short arc", [](DcArcInputs& i) { i.arcTime = 0.0009; },
         "Arc duration must be at least 0.001 s. "},
        {"two at once", [](DcArcInputs& i) { i.voltage = -1, i.boltedKa = 0; },
         "Voltage must be above 0 V. Bolted current must be above 0 kA. "},
        // Just outside the limits, and infinity.
        {"voltage below 1 V", [](DcArcInputs& i) { i.voltage = 0.999; },
         "Voltage must be from 1 V to 800000 V. "},
        {"voltage infinite", [](DcArcInputs& i) { i.voltage = HUGE_VAL; },
         "Voltage must be from 1 V to 800000 V. "},
        {"bolted above 1000 kA", [](DcArcInputs& i) { i.boltedKa = 1000.001; },
         "Bolted current must be from 0.001 kA to 1000 kA. "},
        {"resistance below 10 uohm",
         [](DcArcInputs& i) { i.boltedKa.reset(), i.sourceOhms = 0.0000099; },
         "Source resistance must be from 0.00001 ohm to 1000 ohm. "},
        {"gap above 1 m", [](DcArcInputs& i) { i.gapMm = 1000.1; },
         "Gap must be from 1 mm to 1000 mm. "},
        {"distance below 100 mm", [](DcArcInputs& i) { i.workDistMm = 99.9; },
         "Working distance must be from 100 mm to 100000 mm. "},
        {"arc above 10000 s", [](DcArcInputs& i) { i.arcTime = 10000.5; },
         "Arc duration must be at most 10000 s. "},
        {"arc infinite", [](DcArcInputs& i) { i.arcTime = HUGE_VAL; },
         "Arc duration must be at most 10000 s. "},
    };
    for (const Case& c : cases) {
        DcArcInputs in = good;
        c.change(in);
        const std::optional<Refusal> r = CheckDcArcInputs(in);
        ASSERT_TRUE(r) << c.name;
        EXPECT_EQ(r->code, RefusalCode::OutOfRange);
        EXPECT_EQ(r->message, c.message) << c.name;
        EXPECT_THROW(ComputeDcArcFlash(in), DcInputError) << c.name;
    }
    // The maximum-power method needs no gap.
    DcArcInputs maxPower = good;
    maxPower.method = DcMethod::MaxPower;
    maxPower.gapMm = 0;
    EXPECT_FALSE(CheckDcArcInputs(maxPower));
}

// From the typed fields: the duration typed, found by a device at the
// arcing current, or assumed (2 s) and said; the notes of a low-voltage
// point; empty fields named together.
TEST(DcArcFlash, RunFromFieldsNotesDurationsAndApproach) {
    const UnitSettings u;  // cal/cm2, boundaries in inches
    DcFields f{DcMethod::ArcResistance, "48", "", "0,016", "25", "457,2", "", "open"};
    DcOutcome e5 = RunDcArcFlash(f, u, ',');
    ASSERT_FALSE(e5.refusal);
    EXPECT_TRUE(e5.durationAssumed);
    EXPECT_EQ(e5.inputs.arcTime, 2);
    EXPECT_EQ(e5.notes, std::string(msg::kDcLowVoltage) + std::string(msg::kDcAssumedDuration));
    EXPECT_EQ(e5.cautions,
              msg::kDcAssumedDuration);  // the low-voltage sentence explains, it does not warn
    EXPECT_EQ(e5.texts.arcCurrent, "0,01968");
    EXPECT_EQ(e5.texts.arcVoltage, "47,69");
    EXPECT_EQ(e5.texts.boltedCurrent, "3");
    // 0.0171 cal/cm2 is raised to the floor of 0.25, PPE level 0.
    EXPECT_EQ(e5.texts.result.energy, "0,25");
    EXPECT_EQ(e5.texts.result.ppeLevel, "0");
    EXPECT_EQ(e5.texts.approach.limited, "N/A");

    // A device acting in 0.1 s at E2's arcing current: a twentieth of E2's 2 s energy.
    f = {DcMethod::ArcResistance, "500", "10", "", "20", "457.2", "", "open"};
    double seen = 0;
    const DcOutcome e2 = RunDcArcFlash(f, u, '.', [&](double ka) {
        seen = ka;
        return ArcDuration{0.1, DeviceElement::Instantaneous, {0.1, DeviceElement::Instantaneous}, {}};
    });
    ASSERT_FALSE(e2.refusal);
    EXPECT_NEAR(seen, 8.190808, 5e-7);
    EXPECT_NEAR(e2.values.energy / kCalJ, 13.48301 / 20, 5e-6);
    EXPECT_EQ(e2.notes, "");
    EXPECT_EQ(e2.texts.arcTime, "0.1");
    EXPECT_EQ(e2.texts.approach.limited, "42");
    EXPECT_EQ(e2.texts.approach.restricted, "12");
    EXPECT_EQ(e2.texts.approach.prohibited, "N/A");
    // A device that does not act refuses the point with its own message.
    const DcOutcome none = RunDcArcFlash(f, u, '.', [](double) {
        ArcDuration d;
        d.refusal = Refusal{RefusalCode::Duration, "Protective device does not operate. "};
        return d;
    });
    ASSERT_TRUE(none.refusal);
    EXPECT_EQ(none.refusal->code, RefusalCode::Duration);

    DcFields nothing;
    nothing.method = DcMethod::ArcResistance;
    const DcOutcome empty = RunDcArcFlash(nothing, u, '.');
    ASSERT_TRUE(empty.refusal);
    EXPECT_EQ(empty.refusal->message,
              "Enter voltage value. Enter gap value (arc-resistance method). Enter working distance value. "
              "Enclosure not selected. Enter bolted current or source resistance value. ");
}

// NFPA 70E-2024 Table 130.4(E)(b) at every band's edges, in inches from
// its feet and inches (3 ft 6 in = 42): the limited approach to a movable
// conductor and to a fixed part, and the restricted approach (0: "Avoid
// contact"). A voltage between two bands' edges takes the upper band, the
// larger distances; 5 kV, written in two bands, the second. Below 50 V and
// above 800 kV the table gives none (-1).
TEST(DcArcFlash, ApproachBandsAtTheirEdges) {
    struct Row {
        double volts;
        double movable, fixed, restricted;
    };
    // clang-format off
    const Row rows[] = {
        {1,        -1,  -1,  -1}, {49.99,  -1,  -1,  -1},
        {50,       120, 42,  0},  {125,    120, 42,  0},   {300,    120, 42,  0},
        {300.5,    120, 42,  12}, {301,    120, 42,  12},  {600,    120, 42,  12},  {1000,   120, 42,  12},
        {1000.1,   120, 60,  17}, {1100,   120, 60,  17},  {2000,   120, 60,  17},  {4999.9, 120, 60,  17},
        {5000,     120, 60,  26}, {15000,  120, 60,  26},
        {15000.1,  120, 96,  33}, {15100,  120, 96,  33},  {20000,  120, 96,  33},  {45000,  120, 96,  33},
        {45050,    120, 96,  38}, {75000,  120, 96,  38},
        {75050,    128, 120, 48}, {150000, 128, 120, 48},
        {150050,   140, 140, 63}, {250000, 140, 140, 63},
        {250050,   240, 240, 138}, {500000, 240, 240, 138},
        {500050,   312, 312, 197}, {800000, 312, 312, 197},
        {800000.1, -1,  -1,  -1},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.volts << " V");
        const ApproachDistances a = DcApproachDistances(r.volts);
        EXPECT_TRUE(IsApproachNotGiven(a.prohibited));  // the table has none
        const DcApproachBand* band = DcApproachBandOf(r.volts);
        EXPECT_EQ(DcApproachGiven(r.volts), r.fixed > 0);
        if (r.fixed < 0) {
            EXPECT_EQ(band, nullptr);
            EXPECT_TRUE(IsApproachNotGiven(a.limited));
            EXPECT_TRUE(IsApproachNotGiven(a.restricted));
            continue;
        }
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(band->movable, r.movable);
        EXPECT_EQ(a.limited, r.fixed);
        if (r.restricted == 0) {
            EXPECT_FALSE(a.restricted.has_value());
        } else {
            EXPECT_EQ(a.restricted, r.restricted);
        }
    }
}

}  // namespace
}  // namespace zentavo

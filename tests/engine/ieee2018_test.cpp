// SPDX-License-Identifier: GPL-3.0-or-later
// The IEEE 1584-2018 model: the two worked examples of the standard's
// Annex D to the digits it prints, the range refusals at and just past every
// bound, open air without an enclosure, the clamped large enclosures, the
// result texts, and properties over generated points.
#include "engine/ieee2018.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/number.h"
#include "engine/units.h"

namespace zentavo {
namespace {

// Annex D.1: 4.16 kV, VCB, 15 kA, 104 mm, 914.4 mm, 1143 x 762 x 508 mm, 197 / 223 ms.
const Ieee2018Inputs kD1{4160, 15, 104, Electrode::VCB, 1143, 762, 508, 914.4, 0.197, 0.223};
// Annex D.2: 0.48 kV, VCB, 45 kA, 32 mm, 609.6 mm, 610 x 610 x 254 mm, 61.3 / 319 ms.
const Ieee2018Inputs kD2{480, 45, 32, Electrode::VCB, 610, 610, 254, 609.6, 0.0613, 0.319};

struct Printed {
    const char* key;
    std::function<double(const Ieee2018Results&)> value;
    double printed;
    int decimals;
};

void ExpectPrinted(const Ieee2018Results& r, const std::vector<Printed>& rows) {
    for (const Printed& p : rows) {
        const double half = 0.5 * std::pow(10.0, -p.decimals);
        EXPECT_NEAR(p.value(r), p.printed, half) << p.key;
    }
}

TEST(Ieee2018Examples, MediumVoltageBothCases) {
    ASSERT_EQ(RefusalText(CheckIeee2018Inputs(kD1)), "");
    const Ieee2018Results r = ComputeIeee2018(kD1);
    Ieee2018Results onePass;
    EXPECT_EQ(RefusalText(CheckAndComputeIeee2018(kD1, onePass)), "");
    EXPECT_EQ(onePass.reduced.energy, r.reduced.energy);
    EXPECT_FALSE(r.shallow);
    EXPECT_TRUE(r.reducedGoverns);
    ExpectPrinted(r, {
        {"iarc_600", [](auto& r) { return r.full.iarc600; }, 11.117, 3},
        {"iarc_2700", [](auto& r) { return r.full.iarc2700; }, 12.816, 3},
        {"iarc_14300", [](auto& r) { return r.full.iarc14300; }, 14.116, 3},
        {"iarc", [](auto& r) { return r.full.iarc; }, 12.979, 3},
        {"width1", [](auto& r) { return r.width1; }, 27.632, 3},
        {"height1", [](auto& r) { return r.height1; }, 45.000, 3},
        {"ees", [](auto& r) { return r.ees; }, 36.316, 3},
        {"cf", [](auto& r) { return r.cf; }, 1.284, 3},
        {"e_600", [](auto& r) { return r.full.e600; }, 8.652, 3},
        {"e_2700", [](auto& r) { return r.full.e2700; }, 11.977, 3},
        {"e_14300", [](auto& r) { return r.full.e14300; }, 13.367, 3},
        {"e", [](auto& r) { return r.full.energy; }, 12.152, 3},
        {"afb_600", [](auto& r) { return r.full.afb600; }, 1285, 0},
        {"afb_2700", [](auto& r) { return r.full.afb2700; }, 1591, 0},
        {"afb_14300", [](auto& r) { return r.full.afb14300; }, 1707, 0},
        {"afb", [](auto& r) { return r.full.boundary; }, 1606, 0},
        {"varcf", [](auto& r) { return r.varCf; }, 0.047, 3},
        {"factor", [](auto& r) { return r.factor; }, 0.977, 3},
        {"iarc_600_min", [](auto& r) { return r.reduced.iarc600; }, 10.856, 3},
        {"iarc_2700_min", [](auto& r) { return r.reduced.iarc2700; }, 12.515, 3},
        {"iarc_14300_min", [](auto& r) { return r.reduced.iarc14300; }, 13.786, 3},
        {"iarc_min", [](auto& r) { return r.reduced.iarc; }, 12.675, 3},
        {"e_600_min", [](auto& r) { return r.reduced.e600; }, 8.980, 3},
        {"e_2700_min", [](auto& r) { return r.reduced.e2700; }, 13.018, 3},
        {"e_14300_min", [](auto& r) { return r.reduced.e14300; }, 15.602, 3},
        {"e_min", [](auto& r) { return r.reduced.energy; }, 13.343, 3},
        {"afb_600_min", [](auto& r) { return r.reduced.afb600; }, 1316, 0},
        {"afb_2700_min", [](auto& r) { return r.reduced.afb2700; }, 1678, 0},
        {"afb_14300_min", [](auto& r) { return r.reduced.afb14300; }, 1884, 0},
        {"afb_min", [](auto& r) { return r.reduced.boundary; }, 1704, 0},
        {"e cal", [](auto& r) { return r.full.energy / 4.184; }, 2.904, 3},
        {"e_min cal", [](auto& r) { return r.reduced.energy / 4.184; }, 3.189, 3},
    });
}

TEST(Ieee2018Examples, LowVoltageBothCases) {
    ASSERT_EQ(RefusalText(CheckIeee2018Inputs(kD2)), "");
    const Ieee2018Results r = ComputeIeee2018(kD2);
    EXPECT_FALSE(r.shallow);
    EXPECT_TRUE(r.reducedGoverns);
    ExpectPrinted(r, {
        {"iarc_600", [](auto& r) { return r.full.iarc600; }, 32.449, 3},
        {"iarc", [](auto& r) { return r.full.iarc; }, 28.793, 3},
        {"width1", [](auto& r) { return r.width1; }, 24.016, 3},
        {"height1", [](auto& r) { return r.height1; }, 24.016, 3},
        {"ees", [](auto& r) { return r.ees; }, 24.016, 3},
        {"cf", [](auto& r) { return r.cf; }, 1.085, 3},
        {"e", [](auto& r) { return r.full.energy; }, 11.585, 3},
        {"afb", [](auto& r) { return r.full.boundary; }, 1029, 0},
        {"varcf", [](auto& r) { return r.varCf; }, 0.247, 3},
        {"factor", [](auto& r) { return r.factor; }, 0.877, 3},
        {"iarc_min", [](auto& r) { return r.reduced.iarc; }, 25.244, 3},
        {"e_min", [](auto& r) { return r.reduced.energy; }, 53.156, 3},
        {"afb_min", [](auto& r) { return r.reduced.boundary; }, 2669, 0},
        {"e cal", [](auto& r) { return r.full.energy / 4.184; }, 2.769, 3},
        {"e_min cal", [](auto& r) { return r.reduced.energy / 4.184; }, 12.705, 3},
    });
    // The reduced case keeps the unreduced Iarc_600 in its k3 term.
    EXPECT_DOUBLE_EQ(r.reduced.iarc600, r.full.iarc600);
}

// ---------------------------------------------------------------------------
// Refusals at and just past every bound
// ---------------------------------------------------------------------------

struct Bound {
    const char* name;
    std::function<void(Ieee2018Inputs&)> change;
    std::string_view expected;  // empty: accepted
};

// An arc split in steps of one bolted current is the arc of their summed
// duration: the energies add, and the boundary comes from the summed
// energies (from any one step it would be far shorter). The Annex's
// examples split so give their printed results; a second current gives
// the sum of the two steps' own energies.
TEST(Ieee2018Steps, SplitArcGivesTheWholeArcsResults) {
    struct Split {
        const char* name;
        Ieee2018Fields fields;
        double bolted;
        std::vector<double> full, reduced;  // step durations, s
        double energy, boundary, energyReduced, boundaryReduced;
    };
    const Ieee2018Fields d1{"4160", "15", "104", "VCB", "1143", "762", "508", "914.4", "", ""};
    const Ieee2018Fields d2{"480", "45", "32", "VCB", "610", "610", "254", "609.6", "", ""};
    const std::vector<Split> splits = {
        {"D.1", d1, 15, {0.170, 0.027}, {0.200, 0.023}, 12.152, 1606, 13.343, 1704},
        {"D.2", d2, 45, {0.050, 0.0113}, {0.200, 0.119}, 11.585, 1029, 53.156, 2669},
    };
    for (const Split& s : splits) {
        const Ieee2018Outcome out = RunIeee2018(s.fields, UnitSettings{}, '.', [&](double, double) {
            Ieee2018Durations d;
            for (double t : s.full) d.arcTime += t, d.steps.push_back({s.bolted, t});
            for (double t : s.reduced) d.arcTimeReduced += t, d.stepsReduced.push_back({s.bolted, t});
            return d;
        });
        ASSERT_FALSE(out.refusal) << s.name << ": " << RefusalText(out.refusal);
        EXPECT_NEAR(out.values.full.energy, s.energy, 0.0005) << s.name;
        EXPECT_NEAR(out.values.full.boundary, s.boundary, 0.5) << s.name;
        EXPECT_NEAR(out.values.reduced.energy, s.energyReduced, 0.0005) << s.name;
        EXPECT_NEAR(out.values.reduced.boundary, s.boundaryReduced, 0.5) << s.name;
        EXPECT_TRUE(out.values.reducedGoverns) << s.name;
    }

    // Two currents at 480 V: 45 kA for 50 ms, then 30 kA for 200 ms.
    Ieee2018Inputs first = kD2, second = kD2;
    first.arcTime = first.arcTimeReduced = 0.05;
    second.boltedCurrent = 30;
    second.arcTime = second.arcTimeReduced = 0.2;
    const double sum = ComputeIeee2018(first).full.energy + ComputeIeee2018(second).full.energy;
    const Ieee2018Outcome out = RunIeee2018(d2, UnitSettings{}, '.', [](double, double) {
        Ieee2018Durations d;
        d.arcTime = d.arcTimeReduced = 0.25;
        d.steps = d.stepsReduced = {{45, 0.05}, {30, 0.2}};
        return d;
    });
    ASSERT_FALSE(out.refusal);
    EXPECT_NEAR(out.values.full.energy, sum, 1e-9 * sum);
    EXPECT_NEAR(out.values.full.iarc, ComputeIeee2018(first).full.iarc, 1e-12);
    // At the boundary the summed energy has fallen to 1.2 cal/cm².
    Ieee2018Inputs atFirst = first, atSecond = second;
    atFirst.workDistMm = atSecond.workDistMm = out.values.full.boundary;
    EXPECT_NEAR(ComputeIeee2018(atFirst).full.energy + ComputeIeee2018(atSecond).full.energy, 5.0208, 1e-6);
}

TEST(Ieee2018Ranges, EveryBoundAtAndJustPast) {
    auto lv = [](double v) { return [v](Ieee2018Inputs& i) { i.voltage = v; }; };
    const Bound bounds[] = {
        {"208 V", lv(208), ""},
        {"207.999 V", lv(207.999), msg::k2018VoltageLow},
        {"600 V", lv(600), ""},
        {"15000 V", [](auto& i) { i.voltage = 15000, i.gapMm = 104, i.boltedCurrent = 20; }, ""},
        {"15000.001 V", [](auto& i) { i.voltage = 15000.001, i.gapMm = 104; },
         msg::k2018VoltageHigh},
        {"0.5 kA LV", [](auto& i) { i.boltedCurrent = 0.5; }, ""},
        {"0.4999 kA LV", [](auto& i) { i.boltedCurrent = 0.4999; }, msg::k2018BoltedLowLv},
        {"106 kA LV", [](auto& i) { i.boltedCurrent = 106; }, ""},
        {"106.001 kA LV", [](auto& i) { i.boltedCurrent = 106.001; }, msg::k2018BoltedHighLv},
        {"0.2 kA MV", [](auto& i) { i.voltage = 4160, i.gapMm = 104, i.boltedCurrent = 0.2; }, ""},
        {"0.1999 kA MV", [](auto& i) { i.voltage = 4160, i.gapMm = 104, i.boltedCurrent = 0.1999; },
         msg::k2018BoltedLowMv},
        {"65 kA MV", [](auto& i) { i.voltage = 4160, i.gapMm = 104, i.boltedCurrent = 65; }, ""},
        {"65.001 kA MV", [](auto& i) { i.voltage = 4160, i.gapMm = 104, i.boltedCurrent = 65.001; },
         msg::k2018BoltedHighMv},
        {"0.4 kA at 600.001 V", [](auto& i) { i.voltage = 600.001, i.gapMm = 25, i.boltedCurrent = 0.4; },
         ""},
        {"0.4 kA at 600 V", [](auto& i) { i.voltage = 600, i.boltedCurrent = 0.4; },
         msg::k2018BoltedLowLv},
        {"6.35 mm LV", [](auto& i) { i.gapMm = 6.35; }, ""},
        {"6.349 mm LV", [](auto& i) { i.gapMm = 6.349; }, msg::k2018GapLowLv},
        {"76.2 mm LV", [](auto& i) { i.gapMm = 76.2; }, ""},
        {"76.201 mm LV", [](auto& i) { i.gapMm = 76.201; }, msg::k2018GapHighLv},
        {"19.05 mm MV", [](auto& i) { i.voltage = 4160, i.gapMm = 19.05; }, ""},
        {"19.049 mm MV", [](auto& i) { i.voltage = 4160, i.gapMm = 19.049; }, msg::k2018GapLowMv},
        {"254 mm MV", [](auto& i) { i.voltage = 4160, i.gapMm = 254, i.widthMm = 1016; }, ""},
        {"254.001 mm MV", [](auto& i) { i.voltage = 4160, i.gapMm = 254.001, i.widthMm = 1100; },
         msg::k2018GapHighMv},
        {"305 mm", [](auto& i) { i.workDistMm = 305; }, ""},
        {"304.999 mm", [](auto& i) { i.workDistMm = 304.999; }, msg::k2018WorkDistLow},
        {"width 4 x gap", [](auto& i) { i.widthMm = 128; }, ""},
        {"width below 4 x gap", [](auto& i) { i.widthMm = 127.999; }, msg::k2018WidthBelow4Gap},
        {"height 0", [](auto& i) { i.heightMm = 0; }, msg::k2018HeightNotPositive},
        {"depth 0", [](auto& i) { i.depthMm = 0; }, msg::k2018DepthNotPositive},
        {"arc time 0", [](auto& i) { i.arcTime = 0; }, msg::kArcTimeNotAbove0},
        {"arc time 1 us", [](auto& i) { i.arcTime = 1e-6; }, msg::kArcTimeTooShort},
        {"arc time 1 ms", [](auto& i) { i.arcTime = 0.001; }, ""},
        {"arc time 3 s", [](auto& i) { i.arcTime = 3; }, ""},
        {"reduced arc time 0", [](auto& i) { i.arcTimeReduced = 0; }, msg::kArcTimeReducedNotAbove0},
        {"reduced arc time -1", [](auto& i) { i.arcTimeReduced = -1; }, msg::kArcTimeReducedNotAbove0},
        {"reduced arc time 5 s", [](auto& i) { i.arcTimeReduced = 5; }, ""},
    };
    for (const Bound& b : bounds) {
        Ieee2018Inputs in = kD2;
        b.change(in);
        EXPECT_EQ(RefusalText(CheckIeee2018Inputs(in)), b.expected) << b.name;
    }
}

// Every length limit typed in inches, at the limit (accepted) and just past
// it (refused, the message naming the limit in inches too). 0.75 in x 25.4
// comes out as 19.049999999999997 in binary, a hair under 19.05 mm.
struct InchBound {
    const char* name;
    const char* voltage;
    const char* gap;
    const char* gapUnit;
    const char* width;
    const char* enclosureUnit;
    const char* workDist;
    const char* workDistUnit;
    char sep;
    std::string_view expected;  // empty: accepted
};

TEST(Ieee2018Ranges, EveryLengthLimitTypedInInches) {
    // clang-format off
    const InchBound bounds[] = {
        {"0.25 in LV",   "480",  "0.25",   "inches", "610",    "mm",     "609.6",   "mm",     '.', ""},
        {"0.2499 in LV", "480",  "0.2499", "inches", "610",    "mm",     "609.6",   "mm",     '.', "Gap below 6.35 mm (0.25 inches) (208-600 V). "},
        {"0,2499 in LV", "480",  "0,2499", "inches", "610",    "mm",     "609,6",   "mm",     ',', "Gap below 6.35 mm (0,25 inches) (208-600 V). "},
        {"3 in LV",      "480",  "3",      "inches", "610",    "mm",     "609.6",   "mm",     '.', ""},
        {"3.0001 in LV", "480",  "3.0001", "inches", "610",    "mm",     "609.6",   "mm",     '.', "Gap above 76.2 mm (3 inches) (208-600 V). "},
        {"0.75 in MV",   "4160", "0.75",   "inches", "610",    "mm",     "609.6",   "mm",     '.', ""},
        {"0.7499 in MV", "4160", "0.7499", "inches", "610",    "mm",     "609.6",   "mm",     '.', "Gap below 19.05 mm (0.75 inches) (above 600 V). "},
        {"10 in MV",     "4160", "10",     "inches", "1100",   "mm",     "609.6",   "mm",     '.', ""},
        {"10.0001 in MV","4160", "10.0001","inches", "1100",   "mm",     "609.6",   "mm",     '.', "Gap above 254 mm (10 inches) (above 600 V). "},
        {"12.0079 in",   "480",  "32",     "mm",     "610",    "mm",     "12.0079", "inches", '.', ""},
        {"12.0078 in",   "480",  "32",     "mm",     "610",    "mm",     "12.0078", "inches", '.', "Working distance below 305 mm (12.01 inches). "},
        {"width 3 in, gap 19.05 mm", "4160", "19.05", "mm", "3",      "inches", "609.6", "mm", '.', ""},
        {"width 2.9999 in",          "4160", "19.05", "mm", "2.9999", "inches", "609.6", "mm", '.',
         msg::k2018WidthBelow4Gap},
        {"width 3 in, gap 0.75 in",  "4160", "0.75",  "inches", "3",  "inches", "609.6", "mm", '.', ""},
    };
    // clang-format on
    for (const InchBound& b : bounds) {
        Ieee2018Fields f = {b.voltage, "45", b.gap, "VCB", "610", b.width, "254", b.workDist,
                            "1", "1"};
        f.gapUnit = ParseLengthUnit(b.gapUnit).value();
        f.enclosureUnit = ParseLengthUnit(b.enclosureUnit).value();
        f.workDistUnit = ParseLengthUnit(b.workDistUnit).value();
        EXPECT_EQ(RefusalText(RunIeee2018(f, UnitSettings{}, b.sep).refusal), b.expected) << b.name;
    }
}

TEST(Ieee2018Ranges, EveryProblemJoinedInOrder) {
    Ieee2018Inputs in{16000, 70, 300, Electrode::VCB, 0, 100, 0, 300, 0, 0};
    EXPECT_EQ(RefusalText(CheckIeee2018Inputs(in)),
              std::string(msg::k2018VoltageHigh) + std::string(msg::k2018BoltedHighMv) +
                  std::string(msg::k2018GapHighMv) + std::string(msg::k2018HeightNotPositive) +
                  std::string(msg::k2018WidthBelow4Gap) + std::string(msg::k2018DepthNotPositive) +
                  std::string(msg::k2018WorkDistLow) + std::string(msg::kArcTimeNotAbove0) +
                  std::string(msg::kArcTimeReducedNotAbove0));
}

TEST(Ieee2018Ranges, EmptyFieldsAndUnknownWords) {
    const Ieee2018Outcome out = RunIeee2018(Ieee2018Fields{}, UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.refusal),
              "Enter voltage value. Enter bolted current value. Enter gap value. Electrode "
              "configuration not selected. Enter working distance value. Enter arc duration "
              "value. Enter arc duration value for reduced current. ");
    Ieee2018Fields f{"480", "45", "32", "vcb", "610", "610", "254", "609.6", "0.0613", "0.319"};
    EXPECT_EQ(RefusalText(RunIeee2018(f, UnitSettings{}, '.').refusal), msg::k2018NoElectrode);
    f.electrode = "VCB";
    f.depth = "";
    EXPECT_EQ(RefusalText(RunIeee2018(f, UnitSettings{}, '.').refusal), msg::k2018EnterDepth);
}

TEST(Ieee2018Ranges, TextThatIsNoNumberRaisesTheConversionError) {
    Ieee2018Fields f{"480", "4x5", "32", "VCB", "610", "610", "254", "609.6", "0.0613", "0.319"};
    try {
        RunIeee2018(f, UnitSettings{}, '.');
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'4x5' is not a valid floating point value");
    }
}

TEST(Ieee2018Ranges, ShallowVcbbTooSmallIsRefusedNotLogged) {
    // Shallow VCBB below about 62 mm average size: Eq (15)'s polynomial is not positive.
    Ieee2018Inputs in{480, 20, 6.35, Electrode::VCBB, 40, 40, 100, 457.2, 0.1, 0.1};
    EXPECT_EQ(RefusalText(CheckIeee2018Inputs(in)), msg::k2018EnclosureTooSmall);
    in.heightMm = in.widthMm = 200;  // CF large but defined
    EXPECT_EQ(RefusalText(CheckIeee2018Inputs(in)), "");
    EXPECT_GT(ComputeIeee2018(in).cf, 1.5);
}

TEST(Ieee2018Ranges, DurationsSoLongThatTheEnergyOverflowsAreRefused) {
    Ieee2018Inputs in = kD2;
    in.arcTime = 1e307;  // in ms beyond the largest double
    EXPECT_EQ(RefusalText(CheckIeee2018Inputs(in)), msg::k2018NoResult);
    in.arcTime = 1e6;  // eleven days: absurd, but a number
    EXPECT_EQ(RefusalText(CheckIeee2018Inputs(in)), "");
}

// ---------------------------------------------------------------------------
// Enclosure
// ---------------------------------------------------------------------------

TEST(Ieee2018Enclosure, OpenAirIgnoresTheEnclosure) {
    for (Electrode e : {Electrode::VOA, Electrode::HOA}) {
        for (double v : {480.0, 4160.0}) {
            Ieee2018Inputs a{v, 20, 32, e, 600, 600, 600, 610, 0.1, 0.2};
            Ieee2018Inputs b = a;
            b.heightMm = 0, b.widthMm = 1, b.depthMm = -5;  // nonsense, and ignored
            ASSERT_EQ(RefusalText(CheckIeee2018Inputs(b)), "");
            const auto ra = ComputeIeee2018(a), rb = ComputeIeee2018(b);
            EXPECT_EQ(ra.cf, 1.0);
            EXPECT_EQ(ra.full.energy, rb.full.energy);
            EXPECT_EQ(ra.reduced.boundary, rb.reduced.boundary);
        }
    }
    // The window's enclosure fields are not even read in open air.
    Ieee2018Fields f{"480", "20", "32", "VOA", "abc", "", "", "610", "0.1", "0.2"};
    const Ieee2018Outcome out = RunIeee2018(f, UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.refusal), "");
    EXPECT_EQ(out.texts.enclosureType, "Open air");
    EXPECT_EQ(out.texts.correctionFactor, "1.000");
}

TEST(Ieee2018Enclosure, LargerThanTheLimitsIsComputedClamped) {
    for (Electrode e : {Electrode::VCB, Electrode::VCBB, Electrode::HCB}) {
        Ieee2018Inputs big = kD1, limit = kD1;
        big.electrode = limit.electrode = e;
        big.heightMm = big.widthMm = 3000;
        limit.heightMm = limit.widthMm = 1244.6;
        ASSERT_EQ(RefusalText(CheckIeee2018Inputs(big)), "");
        const auto rb = ComputeIeee2018(big), rl = ComputeIeee2018(limit);
        EXPECT_NEAR(rb.width1, rl.width1, 1e-12);
        EXPECT_NEAR(rb.height1, rl.height1, e == Electrode::VCB ? 1e-4 : 1e-12);
        if (e == Electrode::VCB) EXPECT_EQ(rb.height1, 49.0);
    }
}

TEST(Ieee2018Enclosure, ShallowAndTheTable6Rows) {
    struct Case {
        double v, h, w, d;
        bool shallow;
        double width1;
    };
    const Case cases[] = {
        {480, 355.6, 304.8, 203.2, true, 0.03937 * 304.8},
        {480, 355.6, 304.8, 203.3, false, 20},
        {600, 355.6, 304.8, 203.2, false, 20},  // at 600 V typical
        {480, 508, 304.8, 100, false, 20},
        {480, 400, 660.4, 100, false, 0.03937 * 660.4},
        {4160, 600, 700, 600, false, (660.4 + (700 - 660.4) * ((4.16 + 4) / 20)) / 25.4},
    };
    for (const Case& c : cases) {
        Ieee2018Inputs in{c.v, 20, 25, Electrode::VCB, c.h, c.w, c.d, 457.2, 0.1, 0.1};
        if (c.v > 600) in.gapMm = 104;
        ASSERT_EQ(RefusalText(CheckIeee2018Inputs(in)), "");
        const auto r = ComputeIeee2018(in);
        EXPECT_EQ(r.shallow, c.shallow) << c.v << " " << c.d;
        EXPECT_DOUBLE_EQ(r.width1, c.width1) << c.w;
    }
}

// ---------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------

Ieee2018Fields D2Fields() {
    return {"480", "45", "32", "VCB", "610", "610", "254", "609.6", "0.0613", "0.319"};
}

TEST(Ieee2018Texts, LowVoltageExampleInTheDefaultUnits) {
    const Ieee2018Outcome out = RunIeee2018(D2Fields(), UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    const Ieee2018Texts& t = out.texts;
    EXPECT_EQ(t.arcCurrent, "28.793");
    EXPECT_EQ(t.arcCurrentReduced, "25.244");
    EXPECT_EQ(t.enclosureType, "Typical");
    EXPECT_EQ(t.correctionFactor, "1.085");
    EXPECT_EQ(t.full.energy, "2.77");
    EXPECT_EQ(t.reduced.energy, "12.70");
    EXPECT_EQ(t.full.boundary, "40");
    EXPECT_EQ(t.reduced.boundary, "105");
    EXPECT_EQ(t.full.ppeLevel, "1");
    EXPECT_EQ(t.reduced.ppeLevel, "3");
    EXPECT_EQ(t.reduced.clothing1,
              "FR coverall over FR shirt and pants, flash suit hood, ear canal inserts,");
    EXPECT_TRUE(t.reducedGoverns);
    EXPECT_TRUE(t.reducedClothingBold);
    EXPECT_FALSE(t.fullClothingBold);
    EXPECT_EQ(t.full.pressure, "N/A");
    EXPECT_EQ(t.reduced.tnt, "N/A");
    EXPECT_EQ(t.approach.limited, "42");
    EXPECT_EQ(t.approach.restricted, "12");
    EXPECT_EQ(t.approach.prohibited, "1");
}

TEST(Ieee2018Texts, MetricUnitsInchInputsAndCommaSeparator) {
    UnitSettings u;
    u.EnergyUnit = IncidentEnergyUnit::JoulesPerCm2;
    u.BoundaryUnit = LengthUnit::Millimetres;
    // The same example typed in inches with a decimal comma.
    Ieee2018Fields f{"480", "45", "1,25984251968504", "VCB", "24,0157480314961",
                     "24,0157480314961", "10", "24", "0,0613", "0,319"};
    f.gapUnit = f.enclosureUnit = f.workDistUnit = LengthUnit::Inches;
    const Ieee2018Outcome out = RunIeee2018(f, u, ',');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_EQ(out.texts.full.energy, "11,58");  // 11.58497... J/cm2
    EXPECT_EQ(out.texts.reduced.energy, "53,16");
    EXPECT_EQ(out.texts.full.boundary, "1029");
    EXPECT_EQ(out.texts.reduced.boundary, "2669");
    EXPECT_EQ(out.texts.approach.limited, "1067");
}

TEST(Ieee2018Texts, FloorsOpenAirApproachAndBeyondLevel4) {
    // A tiny arc far away: both floors act.
    Ieee2018Fields f{"208", "0.5", "6.35", "VOA", "", "", "", "3000", "0.001", "0.001"};
    Ieee2018Outcome out = RunIeee2018(f, UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_EQ(out.texts.full.energy, "0.25");
    // Written like every other boundary: whole inches or millimetres.
    EXPECT_EQ(out.texts.full.boundary, "6");
    EXPECT_EQ(out.texts.full.ppeLevel, "0");
    EXPECT_EQ(out.texts.approach.limited, "120");
    EXPECT_EQ(out.texts.approach.restricted, "Avoid contact");
    EXPECT_FALSE(out.texts.reducedGoverns);

    // A long arc: beyond level 4, and a duration above 2 s is computed.
    f = {"13800", "40", "152", "VCB", "1143", "762", "762", "914.4", "3", "3.5"};
    out = RunIeee2018(f, UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_EQ(out.texts.full.ppeLevel, "N/A");
    EXPECT_EQ(out.texts.full.clothing1, "Consult PPE Manufacturer");
    EXPECT_FALSE(out.texts.full.clothingSecondLineShown);
    EXPECT_EQ(out.texts.approach.limited, "60");
}

TEST(Ieee2018Texts, FlooredBoundaryInMillimetresAndEveryDigitOfLargeEnergies) {
    UnitSettings mm;
    mm.BoundaryUnit = LengthUnit::Millimetres;
    Ieee2018Fields f{"208", "0.5", "6.35", "VOA", "", "", "", "3000", "0.001", "0.001"};
    EXPECT_EQ(RunIeee2018(f, mm, '.').texts.full.boundary, "152");  // 6 in = 152.4 mm

    // From below 1 to above 10 000 in both units: the text holds the energy to
    // its second decimal, however many digits come before it.
    UnitSettings joules;
    joules.EnergyUnit = IncidentEnergyUnit::JoulesPerCm2;
    for (const char* t : {"0.05", "0.5", "5", "20", "100"}) {
        f = {"13800", "40", "152", "VCB", "1143", "762", "762", "914.4", t, t};
        for (const UnitSettings& u : {UnitSettings{}, joules}) {
            const Ieee2018Outcome out = RunIeee2018(f, u, '.');
            ASSERT_EQ(RefusalText(out.refusal), "");
            const double factor = u.EnergyUnit == IncidentEnergyUnit::CaloriesPerCm2 ? kCalPerJoule : 1.0;
            const std::string& text = out.texts.full.energy;
            EXPECT_EQ(text.size() - text.find('.'), 3u) << text;
            EXPECT_NEAR(ParseNumber(text), out.values.full.energy * factor, 0.005000001)
                << t << " s: " << text;
        }
    }
}

// ---------------------------------------------------------------------------
// Equipment types and the window's length fields
// ---------------------------------------------------------------------------

struct TypeCase {
    const char* name;
    int picked;
    std::function<void(Ieee2018Inputs&)> change;
    const char* expected;
};

TEST(Ieee2018Equipment, LabelNamesTheTypeOnlyWhileItsTypicalValuesStand) {
    // 5 kV switchgear: 104 mm, 914.4 mm cube, 914.4 mm, VCB.
    const Ieee2018Inputs typical{4160, 15, 104, Electrode::VCB, 914.4,
                                 914.4, 914.4, 914.4, 0.2, 0.2};
    // Shallow low-voltage MCCs and panelboards: 25 mm, 355.6 x 304.8 x 203.2 mm, 457.2 mm.
    auto shallow = [](Ieee2018Inputs& i) {
        i = {480, 15, 25, Electrode::VCB, 355.6, 304.8, 203.2, 457.2, 0.2, 0.2};
    };
    // clang-format off
    const TypeCase cases[] = {
        {"as picked",                     2, [](auto&) {},                                  "5 kV switchgear (VCB)"},
        {"shallow LV MCC: its label name", 6, shallow,                                 "Shallow LV MCC/panel (VCB)"},
        {"voltage and current are free", 2, [](auto& i) { i.voltage = 13800, i.boltedCurrent = 30; }, "5 kV switchgear (VCB)"},
        {"gap filled in inches: 4.0945 in", 2, [](auto& i) { i.gapMm = 4.0945 * 25.4; },   "5 kV switchgear (VCB)"},
        {"gap 4.0944 in",                 2, [](auto& i) { i.gapMm = 4.0944 * 25.4; },      "VCB"},
        {"gap edited",                    2, [](auto& i) { i.gapMm = 105; },                "VCB"},
        {"height edited",                 2, [](auto& i) { i.heightMm = 1000; },            "VCB"},
        {"width edited",                  2, [](auto& i) { i.widthMm = 900; },              "VCB"},
        {"depth edited",                  2, [](auto& i) { i.depthMm = 500; },              "VCB"},
        {"working distance edited",       2, [](auto& i) { i.workDistMm = 910; },           "VCB"},
        {"configuration changed",         2, [](auto& i) { i.electrode = Electrode::HCB; }, "HCB"},
        {"none picked",                  -1, [](auto&) {},                                  "VCB"},
    };
    // clang-format on
    for (const TypeCase& c : cases) {
        Ieee2018Inputs in = typical;
        c.change(in);
        EXPECT_EQ(Ieee2018EquipmentText(c.picked, in), c.expected) << c.name;
    }
}

struct UnitStep {
    const char* text;  // the field's text before the step; null: as the last step left it
    const char* from;
    const char* to;
    char sep;
    const char* expected;
};

TEST(Ieee2018LengthFields, UnitChangesKeepTheValueAndGiveBackWhatWasTyped) {
    // One field through a sequence of unit changes, by hand: 104 / 25.4 =
    // 4.094488..., 1.2598 x 25.4 = 31.99892, 12.5 / 25.4 = 0.492126...
    // clang-format off
    const UnitStep steps[] = {
        {"914.4",  "mm",     "inches", '.', "36"},
        {nullptr,  "inches", "mm",     '.', "914.4"},     // unedited: the typed text again
        {"104",    "mm",     "inches", '.', "4.0945"},
        {nullptr,  "inches", "mm",     '.', "104"},
        {nullptr,  "mm",     "inches", '.', "4.0945"},
        {"4.1",    "inches", "mm",     '.', "104.14"},    // edited in inches: converted
        {"1.2598", "inches", "mm",     '.', "31.99892"},  // every digit of the typed inches
        {"0.75",   "inches", "mm",     '.', "19.05"},
        {"12,5",   "mm",     "inches", ',', "0,4921"},
        {"104",    "inches", "inches", '.', "104"},       // the same unit: nothing to convert
        {"",       "mm",     "inches", '.', ""},
        {"abc",    "mm",     "inches", '.', "abc"},       // no value to keep
    };
    // clang-format on
    LengthFieldUnits field;
    std::string shown;
    for (const UnitStep& s : steps) {
        if (s.text) shown = s.text;
        shown = field.Convert(shown, ParseLengthUnit(s.from).value(), ParseLengthUnit(s.to).value(), s.sep);
        EXPECT_EQ(shown, s.expected) << (s.text ? s.text : "(unedited)") << " " << s.to;
    }
}

// ---------------------------------------------------------------------------
// Properties over generated points
// ---------------------------------------------------------------------------

constexpr double kBoundaryEnergy = 5.0208;  // J/cm2, 1.2 cal/cm2

// A valid point of the model: voltage band, configuration, sizes and times at random.
Ieee2018Inputs RandomPoint(std::mt19937_64& rng, bool lowVoltage) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    auto between = [&](double a, double b) { return a + (b - a) * u(rng); };
    Ieee2018Inputs in;
    in.electrode = static_cast<Electrode>(rng() % 5);
    if (lowVoltage) {
        in.voltage = between(208, 600);
        in.boltedCurrent = between(0.5, 106);
        in.gapMm = between(6.35, 76.2);
    } else {
        in.voltage = between(600.001, 15000);
        in.boltedCurrent = between(0.2, 65);
        in.gapMm = between(19.05, 254);
    }
    in.widthMm = between(4 * in.gapMm, 1600);
    in.heightMm = between(150, 1600);
    in.depthMm = between(100, 1000);
    in.workDistMm = between(305, 3000);
    in.arcTime = between(0.01, 3);
    in.arcTimeReduced = between(0.01, 3);
    return in;
}

// Eq (22)-(24) as the standard states them.
double StandardInterpolation(double v600, double v2700, double v14300, double voc) {
    const double x1 = ((v2700 - v600) / 2.1) * (voc - 2.7) + v2700;
    const double x2 = ((v14300 - v2700) / 11.6) * (voc - 14.3) + v14300;
    const double x3 = x1 * (2.7 - voc) / 2.1 + x2 * (voc - 0.6) / 2.1;
    return voc <= 2.7 ? x3 : x2;
}

TEST(Ieee2018Properties, EnergyGrowsWithDurationAndFallsWithDistance) {
    std::mt19937_64 rng(2018);
    int checked = 0;
    for (int n = 0; n < 4000; ++n) {
        const Ieee2018Inputs in = RandomPoint(rng, n % 2 == 0);
        if (!RefusalText(CheckIeee2018Inputs(in)).empty()) continue;
        const auto r = ComputeIeee2018(in);
        Ieee2018Inputs longer = in;
        longer.arcTime *= 1.3;
        longer.arcTimeReduced *= 1.1;
        const auto rl = ComputeIeee2018(longer);
        EXPECT_GT(rl.full.energy, r.full.energy);
        EXPECT_GT(rl.reduced.energy, r.reduced.energy);
        EXPECT_NEAR(rl.full.energy / r.full.energy, 1.3, 1e-9);
        Ieee2018Inputs farther = in;
        farther.workDistMm *= 1.2;
        const auto rf = ComputeIeee2018(farther);
        EXPECT_LT(rf.full.energy, r.full.energy);
        EXPECT_LT(rf.reduced.energy, r.reduced.energy);
        EXPECT_EQ(rf.full.boundary, r.full.boundary);  // the boundary does not depend on D
        ++checked;
    }
    EXPECT_GT(checked, 3500);
}

TEST(Ieee2018Properties, LowVoltageEnergyAtTheBoundaryIs1Point2Cal) {
    std::mt19937_64 rng(600);
    for (int n = 0; n < 3000; ++n) {
        Ieee2018Inputs in = RandomPoint(rng, true);
        if (!RefusalText(CheckIeee2018Inputs(in)).empty()) continue;
        const auto r = ComputeIeee2018(in);
        for (bool reduced : {false, true}) {
            Ieee2018Inputs at = in;
            at.workDistMm = reduced ? r.reduced.boundary : r.full.boundary;
            const auto ra = ComputeIeee2018(at);
            const double e = reduced ? ra.reduced.energy : ra.full.energy;
            EXPECT_NEAR(e, kBoundaryEnergy, kBoundaryEnergy * 1e-9) << in.voltage << " " << reduced;
        }
    }
}

TEST(Ieee2018Properties, AboveLowVoltageTheBoundaryFollowsTheIntermediateBoundaries) {
    std::mt19937_64 rng(2700);
    for (int n = 0; n < 2000; ++n) {
        const Ieee2018Inputs in = RandomPoint(rng, false);
        if (!RefusalText(CheckIeee2018Inputs(in)).empty()) continue;
        const auto r = ComputeIeee2018(in);
        const double voc = in.voltage / 1000;
        for (const Ieee2018Case* k : {&r.full, &r.reduced}) {
            EXPECT_NEAR(k->boundary, StandardInterpolation(k->afb600, k->afb2700, k->afb14300, voc),
                        1e-9 * k->boundary);
            EXPECT_NEAR(k->energy, StandardInterpolation(k->e600, k->e2700, k->e14300, voc),
                        1e-9 * k->energy);
        }
        // Each intermediate energy is 1.2 cal/cm2 at its own boundary.
        const double afb[3] = {r.full.afb600, r.full.afb2700, r.full.afb14300};
        for (int i = 0; i < 3; ++i) {
            Ieee2018Inputs at = in;
            at.workDistMm = afb[i];
            const auto ra = ComputeIeee2018(at);
            const double e[3] = {ra.full.e600, ra.full.e2700, ra.full.e14300};
            EXPECT_NEAR(e[i], kBoundaryEnergy, kBoundaryEnergy * 1e-9);
        }
    }
}

// Relative step of a value between two voltages.
double Step(const Ieee2018Inputs& in, double v1, double v2,
            double (*value)(const Ieee2018Results&)) {
    Ieee2018Inputs a = in, b = in;
    a.voltage = v1;
    b.voltage = v2;
    const double x = value(ComputeIeee2018(a)), y = value(ComputeIeee2018(b));
    return (y - x) / x;
}

TEST(Ieee2018Properties, FullCaseContinuousAt600VAnd2700V) {
    std::mt19937_64 rng(42);
    auto iarc = [](const Ieee2018Results& r) { return r.full.iarc; };
    auto energy = [](const Ieee2018Results& r) { return r.full.energy; };
    auto boundary = [](const Ieee2018Results& r) { return r.full.boundary; };
    auto reducedEnergy = [](const Ieee2018Results& r) { return r.reduced.energy; };
    for (int n = 0; n < 2000; ++n) {
        Ieee2018Inputs in = RandomPoint(rng, false);
        // Valid on both sides of 600 V: the narrower of the two bands.
        in.boltedCurrent = 0.5 + std::fmod(in.boltedCurrent, 64.5);
        in.gapMm = 19.05 + std::fmod(in.gapMm, 57.15);
        in.depthMm = 300;  // typical on both sides: no CF step at 600 V
        in.voltage = 600;
        if (!RefusalText(CheckIeee2018Inputs(in)).empty()) continue;
        for (auto f : {+iarc, +energy, +boundary}) {
            EXPECT_NEAR(Step(in, 600, 600.0001, f), 0, 1e-5);
            EXPECT_NEAR(Step(in, 2699.9999, 2700, f), 0, 1e-5);
            EXPECT_NEAR(Step(in, 2700, 2700.0001, f), 0, 1e-5);
        }
        EXPECT_NEAR(Step(in, 2700, 2700.0001, +reducedEnergy), 0, 1e-5);
    }
}

TEST(Ieee2018Properties, ReducedCaseOnBothSidesOf600V) {
    std::mt19937_64 rng(7);
    for (int n = 0; n < 2000; ++n) {
        Ieee2018Inputs in = RandomPoint(rng, false);
        in.boltedCurrent = 0.5 + std::fmod(in.boltedCurrent, 64.5);
        in.gapMm = 19.05 + std::fmod(in.gapMm, 57.15);
        in.depthMm = 300;
        in.voltage = 600;
        if (!RefusalText(CheckIeee2018Inputs(in)).empty()) continue;
        // At 600 V (Eq (6)) the cases differ only by the k13 current and the duration.
        const auto r = ComputeIeee2018(in);
        static constexpr double kK13At600[5] = {0.957, 1.19, 1.036, 0.997, 1.04};
        const double k13 = kK13At600[static_cast<int>(in.electrode)];
        EXPECT_NEAR(r.reduced.energy / r.full.energy,
                    in.arcTimeReduced / in.arcTime * std::pow(r.factor, k13), 1e-9);
        EXPECT_NEAR(r.reduced.iarc, r.full.iarc * r.factor, 1e-12 * r.full.iarc);
        // Just above, the k3 term uses the reduced Iarc_600: the energy steps
        // by the standard's amount for the configuration.
        const double step = Step(in, 600, 600.001,
                                 [](const Ieee2018Results& x) { return x.reduced.energy; });
        // The standard's amounts (roughly -25 % to -32 %, -14 % to -21 %, +2 % to
        // +10 %), with half a percent of room: VCBB steps by +1.8 % to +2.1 % over
        // these currents and gaps, VCB reaches -32.1 %.
        switch (in.electrode) {
            case Electrode::VCB: EXPECT_TRUE(step < -0.245 && step > -0.325) << step; break;
            case Electrode::VOA: EXPECT_TRUE(step < -0.135 && step > -0.215) << step; break;
            default: EXPECT_TRUE(step > 0.015 && step < 0.105) << step; break;
        }
    }
}

}  // namespace
}  // namespace zentavo

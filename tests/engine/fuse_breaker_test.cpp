// SPDX-License-Identifier: GPL-3.0-or-later
// The current-limiting fuse and low-voltage circuit-breaker paths: the fuse
// table and its ranges, the breaker table and its refusals, the distance
// corrections, floors, classification, result texts and what each path
// leaves in the shared state.
//
// Expected values not quoted in the comments were worked out by hand from the
// equations of each path (python3, double precision) and written with the
// product's number formats.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/fuse_equations.h"
#include "engine/shared_state.h"
#include "engine/units.h"

namespace zentavo {
namespace {

constexpr double kFloorJ = 0.25 / 0.239006;  // 0.25 cal/cm2
constexpr const char* kLow =
    "Use IEEE 1584 Empirical Model for such a low bolted fault current value.";
constexpr const char* kAbove = "Contact manufacturer for additional information above upper limit.";
constexpr const char* kAboveRating =
    "Available bolted fault current is higher than breaker interrupting rating.";
constexpr const char* kTrippingBand =
    "Predicted arcing current is less than the top of the breaker tripping band. IEEE 1584 "
    "empirically derived model must be used to resolve incident energies in this case.";

UnitSettings Units(const char* energy, const char* boundary, const char* pressure = "lb/ft2") {
    UnitSettings u;
    u.EnergyUnit = ParseEnergyUnit(energy).value();
    u.BoundaryUnit = ParseLengthUnit(boundary).value();
    u.PressureUnit = ParsePressureUnit(pressure).value();
    return u;
}

void ExpectRelative(double actual, double expected, double rel = 1e-9) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * rel) << "expected " << expected;
}

FuseFields Fuse(int fuseClass, const char* ibf, const char* workDist,
                const char* workDistUnit = "mm") {
    FuseFields f;
    f.fuseClass = fuseClass;
    f.boltedCurrent = ibf;
    f.workDist = workDist;
    f.workDistUnit = ParseLengthUnit(workDistUnit).value();
    return f;
}

BreakerFields Breaker(int type, const char* voltage, const char* ibf, const char* workDist,
                      const char* ir, const char* it) {
    BreakerFields f;
    f.breakerType = type;
    f.voltage = voltage;
    f.boltedCurrent = ibf;
    f.workDist = workDist;
    f.interruptingRating = ir;
    f.instantaneousTrip = it;
    return f;
}

// ---------------------------------------------------------------------------
// Fuse table
// ---------------------------------------------------------------------------

struct FuseTableRow {
    int fuseClass;
    double ibf;
    double k2, k1, k0;
    const char* message;  // empty when the equation applies
};

void PrintTo(const FuseTableRow& r, std::ostream* os) {
    *os << "class " << r.fuseClass << ", " << r.ibf << " kA";
}

class FuseTable : public ::testing::TestWithParam<FuseTableRow> {};

TEST_P(FuseTable, RangesAndBounds) {
    const auto& r = GetParam();
    const FuseEquation eq = LookUpFuseEquation(r.fuseClass, r.ibf);
    EXPECT_EQ(eq.message, r.message);
    EXPECT_DOUBLE_EQ(eq.k2, r.k2);
    EXPECT_DOUBLE_EQ(eq.k1, r.k1);
    EXPECT_DOUBLE_EQ(eq.k0, r.k0);
}

constexpr const char* kEq = "";

INSTANTIATE_TEST_SUITE_P(
    Ranges, FuseTable,
    ::testing::Values(
        // Class RK1 Fuse, 0 A to 100 A
        FuseTableRow{0, 0.0, 0, 0, 0, kAbove},  // outside every range
        FuseTableRow{0, 0.64, 0, 0, 0, kLow}, FuseTableRow{0, 0.65, 0, -11.176, 13.565, kEq},
        FuseTableRow{0, 1.16, 0, -11.176, 13.565, kEq},
        FuseTableRow{0, 1.1601, 0, -1.4583, 2.2917, kEq},
        FuseTableRow{0, 1.4, 0, -1.4583, 2.2917, kEq}, FuseTableRow{0, 1.4001, 0, 0, 0.25, kEq},
        FuseTableRow{0, 106, 0, 0, 0.25, kEq}, FuseTableRow{0, 106.01, 0, 0, 0, kAbove},
        // Class RK1 Fuse, 101 A to 200 A
        FuseTableRow{1, 1.0, 0, 0, 0, kLow}, FuseTableRow{1, 1.1599, 0, 0, 0, kLow},
        FuseTableRow{1, 1.16, 0, -18.409, 36.355, kEq},
        FuseTableRow{1, 1.6, 0, -18.409, 36.355, kEq},
        FuseTableRow{1, 1.61, 0, -4.2628, 13.721, kEq},
        FuseTableRow{1, 3.16, 0, -4.2628, 13.721, kEq}, FuseTableRow{1, 3.17, 0, 0, 0.25, kEq},
        // Class RK1 Fuse, 201 A to 400 A
        FuseTableRow{2, 3.15, 0, 0, 0, kLow}, FuseTableRow{2, 3.16, 0, -19.053, 96.808, kEq},
        FuseTableRow{2, 5.04, 0, -19.053, 96.808, kEq},
        FuseTableRow{2, 5.05, 0, -0.0302, 0.9321, kEq},
        FuseTableRow{2, 22.6, 0, -0.0302, 0.9321, kEq}, FuseTableRow{2, 22.61, 0, 0, 0.25, kEq},
        // Class RK1 Fuse, 401 A to 600 A
        FuseTableRow{3, 8.49, 0, 0, 0, kLow}, FuseTableRow{3, 8.5, 0, -3.0545, 43.364, kEq},
        FuseTableRow{3, 14, 0, -3.0545, 43.364, kEq}, FuseTableRow{3, 14.01, 0, 0, 0.6, kEq},
        FuseTableRow{3, 15.7, 0, 0, 0.6, kEq}, FuseTableRow{3, 15.71, 0, -0.0507, 1.3964, kEq},
        FuseTableRow{3, 22.6, 0, -0.0507, 1.3964, kEq}, FuseTableRow{3, 22.61, 0, 0, 0.25, kEq},
        // Class L Fuse, 601 A to 800 A
        FuseTableRow{4, 15.69, 0, 0, 0, kLow}, FuseTableRow{4, 15.7, 0, -0.0601, 2.8992, kEq},
        FuseTableRow{4, 44.1, 0, -0.0601, 2.8992, kEq}, FuseTableRow{4, 44.11, 0, 0, 0.25, kEq},
        // Class L Fuse, 801 A to 1200 A
        FuseTableRow{5, 15.69, 0, 0, 0, kLow}, FuseTableRow{5, 15.7, 0, -0.1928, 14.226, kEq},
        FuseTableRow{5, 22.6, 0, -0.1928, 14.226, kEq},
        FuseTableRow{5, 22.61, 0.0143, -1.3919, 34.045, kEq},
        FuseTableRow{5, 44.1, 0.0143, -1.3919, 34.045, kEq},
        FuseTableRow{5, 44.11, 0, 0, 0.39, kEq},
        // Class L Fuse, 1201 A to 1600 A: here 44.1 opens the constant range.
        FuseTableRow{6, 15.69, 0, 0, 0, kLow}, FuseTableRow{6, 15.7, 0, -0.1863, 27.926, kEq},
        FuseTableRow{6, 31.8, 0, -0.1863, 27.926, kEq},
        FuseTableRow{6, 31.9, 0, -1.5504, 71.303, kEq},
        FuseTableRow{6, 44.09, 0, -1.5504, 71.303, kEq}, FuseTableRow{6, 44.1, 0, 0, 2.93, kEq},
        FuseTableRow{6, 65.9, 0, 0, 2.93, kEq}, FuseTableRow{6, 65.91, 0, -0.0631, 7.0878, kEq},
        FuseTableRow{6, 106, 0, -0.0631, 7.0878, kEq},
        // Class L Fuse, 1601 A to 2000 A
        FuseTableRow{7, 22.59, 0, 0, 0, kLow}, FuseTableRow{7, 22.6, 0, -0.1284, 32.262, kEq},
        FuseTableRow{7, 65.9, 0, -0.1284, 32.262, kEq},
        FuseTableRow{7, 65.91, 0, -0.5177, 57.917, kEq},
        FuseTableRow{7, 106, 0, -0.5177, 57.917, kEq}, FuseTableRow{7, 107, 0, 0, 0, kAbove}));

// ---------------------------------------------------------------------------
// Fuse results
// ---------------------------------------------------------------------------

struct FuseRow {
    const char* name;
    int fuseClass;
    const char* ibf;
    const char* workDist;
    const char* workDistCaption;
    const char* energyUnit;
    const char* boundaryUnit;
    const char* pressureUnit;
    double energyRef;  // J/cm2 at 455 mm
    const char* energy;
    const char* boundary;
    const char* arcCurrent;
    const char* pressure;
    int ppe;
};

void PrintTo(const FuseRow& r, std::ostream* os) {
    *os << r.name;
}

class FuseResults : public ::testing::TestWithParam<FuseRow> {};

TEST_P(FuseResults, EnergyBoundaryPressureAndLevel) {
    const auto& r = GetParam();
    SharedState s = StartState();
    const UnitSettings u = Units(r.energyUnit, r.boundaryUnit, r.pressureUnit);
    const FuseOutcome out =
        RunFuse(s, Fuse(r.fuseClass, r.ibf, r.workDist, r.workDistCaption), u, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    ExpectRelative(s.FuseEnergyRef, r.energyRef);
    EXPECT_EQ(out.texts.result.energy, r.energy);
    EXPECT_EQ(out.texts.result.boundary, r.boundary);
    EXPECT_EQ(out.texts.arcCurrent, r.arcCurrent);
    EXPECT_EQ(out.texts.result.pressure, r.pressure);
    EXPECT_EQ(s.PpeIndex, r.ppe);
    EXPECT_EQ(out.texts.result.ppeLevel, s.PpeLevel);
    EXPECT_EQ(out.texts.result.clothing1, ClothingLines(r.ppe).first);
    EXPECT_EQ(out.texts.result.clothing2, ClothingLines(r.ppe).second);
    EXPECT_EQ(out.texts.result.clothingSecondLineShown, r.ppe != 5);
    EXPECT_EQ(out.texts.summaryCaption, "");
    // The fuse tab is fixed at 600 V, Switchgear: 42, 12 and 1 inches.
    EXPECT_EQ(s.LimitedApproach, "42");
    EXPECT_EQ(s.RestrictedApproach, "12");
    EXPECT_EQ(s.ProhibitedApproach, "1");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FuseResults,
    ::testing::Values(
        // RK1 0-100 A, 1.0 kA at 455 mm: 4.184 x (-11.176 + 13.565) = 9.9956 J/cm2
        // (2.39 cal/cm2); boundary (455^1.473 x 9.995576 / 5)^(1/1.473) = 728 mm.
        FuseRow{"Rk1At455", 0, "1.0", "455", "mm", "cal/cm2", "inches", "lb/ft2", 9.995576, "2.39",
                "29", "0.95", "7.67", 1},
        FuseRow{"Rk1At455Metric", 0, "1.0", "455", "mm", "J/cm2", "mm", "N/m2", 9.995576, "10.00",
                "728", "0.95", "367.00", 1},
        // RK1 0-100 A, 50 kA at 910 mm: 0.25 cal/cm2 at 455 mm is 0.09 at 910 mm,
        // floored to 0.25; the boundary 157.3 mm comes from the 455 mm energy.
        FuseRow{"Rk1FlooredAt910", 0, "50", "910", "mm", "cal/cm2", "inches", "lb/ft2", 1.046,
                "0.25", "6", "32.13", "139.00", 0},
        FuseRow{"Rk1FlooredAt910Metric", 0, "50", "910", "mm", "J/cm2", "mm", "Atmosphere", 1.046,
                "1.05", "157", "32.13", "0.0657", 0},
        // Class L 1201-1600 A: 44.1 kA takes the constant 2.93 cal/cm2.
        FuseRow{"L1600At44_1", 6, "44.1", "455", "mm", "cal/cm2", "inches", "N/m2", 4.184 * 2.93,
                "2.93", "33", "28.69", "1.108E04", 1},
        FuseRow{"L1600At31_8", 6, "31.8", "455", "mm", "cal/cm2", "mm", "lb/ft2",
                4.184 * (-0.1863 * 31.8 + 27.926), "22.00", "3287", "21.38", "172.60", 3},
        FuseRow{"L1600At31_9", 6, "31.9", "455", "mm", "cal/cm2", "mm", "lb/ft2",
                4.184 * (-1.5504 * 31.9 + 71.303), "21.85", "3272", "21.44", "173.10", 3},
        // The quadratic range of Class L 801-1200 A, at 24 inches (609.6 mm).
        FuseRow{"L1200At30Quadratic", 5, "30", "24", "inches", "cal/cm2", "inches", "kpa",
                4.184 * (0.0143 * 900 - 1.3919 * 30 + 34.045), "3.35", "48", "20.29", "6.0290", 1},
        FuseRow{"L2000At70", 7, "70", "910", "mm", "cal/cm2", "inches", "lb/ft2",
                4.184 * (-0.5177 * 70 + 57.917), "7.81", "128", "43.49", "188.20", 2},
        // RK1 201-400 A at the bottom of its first range, 300 mm: 67.60 cal/cm2.
        FuseRow{"Rk1BeyondLevel4", 2, "3.16", "300", "mm", "cal/cm2", "inches", "lb/ft2",
                4.184 * (-19.053 * 3.16 + 96.808), "67.60", "183", "2.68", "31.48", 5}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FuseResults, StateAfterTheRun) {
    SharedState s = StartState();
    s.DistExponent = 0.973;  // from an earlier empirical calculation
    s.PpeIndexReduced = 3;
    s.PpeLevelReduced = "3";
    s.TntEquivalent = 0.5;
    const FuseOutcome out = RunFuse(s, Fuse(0, "1.0", "455"), UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_DOUBLE_EQ(s.Voltage, 600);
    EXPECT_DOUBLE_EQ(s.Gap, 32);
    EXPECT_DOUBLE_EQ(s.K, -0.097);
    // 600 V, 32 mm, 1 kA: lg Ia = -0.097 + 0.0966 x 0.6 + 0.000526 x 32.
    EXPECT_NEAR(s.LogArcCurrent, -0.022208, 1e-12);
    EXPECT_DOUBLE_EQ(s.ArcCurrent, 0.95);
    EXPECT_DOUBLE_EQ(s.ArcCurrentReduced, 0.81);
    ExpectRelative(s.FuseEnergy, 9.995576);  // at 455 mm: no correction
    EXPECT_NEAR(s.FuseFlashBoundary, 728.19, 0.005);
    // 11.58 x 0.95 / (455 / 304.8)^0.9, from the rounded current.
    ExpectRelative(s.ArcPressure, 7.670706644749447);
    EXPECT_DOUBLE_EQ(s.TntEquivalent, 0);
    EXPECT_EQ(s.PpeIndex, 1);
    EXPECT_EQ(s.PpeLevel, "1");
    EXPECT_EQ(s.PpeIndexReduced, -1);
    EXPECT_EQ(s.PpeLevelReduced, "");
    EXPECT_DOUBLE_EQ(s.DistExponent, 0.973);  // the fuse exponent is its own
}

TEST(FuseResults, FloorsAreStoredBeforeTheTexts) {
    SharedState s = StartState();
    const FuseOutcome out = RunFuse(s, Fuse(0, "50", "910"), UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_DOUBLE_EQ(s.FuseEnergy, 1.0459988452172748);
    EXPECT_DOUBLE_EQ(s.FuseEnergy, kFloorJ);
    EXPECT_NEAR(s.FuseFlashBoundary, 157.3076, 1e-4);  // above 6 inches: kept
    EXPECT_EQ(s.PpeLevel, "0");
}

TEST(FuseResults, DistanceCorrectionUsesTheSwitchgearExponent) {
    // RK1 0-100 A, 1.0 kA at 728.19 mm: the energy has fallen to 5 J/cm2.
    SharedState s = StartState();
    RunFuse(s, Fuse(0, "1.0", "728.1924471467717"), Units("J/cm2", "mm"), '.');
    EXPECT_NEAR(s.FuseEnergy, 5.0, 1e-9);
    // ... and at 910 mm it is 9.995576 x (455 / 910)^1.473.
    RunFuse(s, Fuse(0, "1.0", "910"), UnitSettings{}, '.');
    ExpectRelative(s.FuseEnergy, 9.995576 * std::pow(0.5, 1.473));
}

TEST(FuseResults, GapTextFollowsTheGapUnit) {
    SharedState s = StartState();
    UnitSettings u;
    u.GapUnit = LengthUnit::Inches;
    EXPECT_EQ(RunFuse(s, Fuse(0, "20", "455"), u, '.').gapText, "1,26");
    u.GapUnit = LengthUnit::Millimetres;
    EXPECT_EQ(RunFuse(s, Fuse(0, "20", "455"), u, '.').gapText, "32");
}

TEST(FuseRefusals, LowCurrentShowsTheMessageAfterTheArcCurrent) {
    SharedState s = StartState();
    s.FuseEnergy = 5;
    s.FuseEnergyRef = 5;
    s.PpeIndex = 3;
    s.PpeLevel = "3";
    // RK1 101-200 A begins at 1.16 kA.
    const FuseOutcome out = RunFuse(s, Fuse(1, "1.0", "455"), UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.refusal), kLow);
    // The arcing current and approach boundaries come before the table's verdict.
    EXPECT_DOUBLE_EQ(s.ArcCurrent, 0.95);
    EXPECT_DOUBLE_EQ(s.ArcCurrentReduced, 0.81);
    EXPECT_EQ(s.LimitedApproach, "42");
    // Nothing after it.
    EXPECT_DOUBLE_EQ(s.FuseEnergy, 5);
    EXPECT_DOUBLE_EQ(s.FuseEnergyRef, 5);
    EXPECT_EQ(s.PpeIndex, 3);
    EXPECT_EQ(s.PpeLevel, "3");
}

TEST(FuseRefusals, InputProblemsComeFirst) {
    SharedState s = StartState();
    s.ArcCurrent = 7.5;
    s.ArcPressure = 20;
    // A current the class refuses, but the working distance is missing too:
    // only the input message is shown.
    FuseOutcome out = RunFuse(s, Fuse(1, "1.0", "", "inches"), UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.refusal), "Working distance is not within allowed limits. ");
    EXPECT_DOUBLE_EQ(s.ArcCurrent, 7.5);
    EXPECT_DOUBLE_EQ(s.ArcPressure, 0);
    out = RunFuse(s, Fuse(0, "0.7", "455"), UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.refusal), "Invalid bolted current. ");
    EXPECT_DOUBLE_EQ(s.ArcCurrent, 7.5);
}

// ---------------------------------------------------------------------------
// Breaker refusals
// ---------------------------------------------------------------------------

TEST(BreakerRefusals, BoltedCurrentUpToTheInterruptingRating) {
    SharedState s = StartState();
    EXPECT_EQ(RefusalText(
                  RunBreaker(s, Breaker(0, "480", "20", "460", "20", "2"), UnitSettings{}, '.').refusal),
              "");
    s.BreakerTripLog = 9;
    s.BreakerEnergy = 9;
    EXPECT_EQ(
        RefusalText(
            RunBreaker(s, Breaker(0, "480", "20.01", "460", "20", "2"), UnitSettings{}, '.').refusal),
        kAboveRating);
    EXPECT_DOUBLE_EQ(s.BreakerTripLog, 9);  // stopped before the tripping-band test
    EXPECT_DOUBLE_EQ(s.BreakerEnergy, 9);
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 20.01);  // inputs stay
}

TEST(BreakerRefusals, ArcingCurrentBelowTheTrippingBand) {
    // 20 kA trip, 20 kA bolted at 480 V: 10^(1.17 lg 26 + 0.0407) = 49.7 kA > 20.
    SharedState s = StartState();
    s.BreakerEnergy = 9;
    const BreakerOutcome out =
        RunBreaker(s, Breaker(0, "480", "20", "460", "65", "20"), UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.refusal), kTrippingBand);
    EXPECT_NEAR(s.BreakerTripLog, std::log10(26.0), 1e-12);
    EXPECT_NEAR(s.BreakerTripArcLog, 1.17 * std::log10(26.0) + 0.0407, 1e-12);
    EXPECT_NEAR(s.BreakerTripArcCurrent, 49.68, 0.005);
    EXPECT_DOUBLE_EQ(s.BreakerEnergy, 9);
}

struct TripRow {
    const char* voltage;
    bool refused;
    double tripArcCurrent;  // kA at 1.3 x 2.5 kA
};

class TrippingBandEquation : public ::testing::TestWithParam<TripRow> {};

TEST_P(TrippingBandEquation, DependsOnTheVoltage) {
    // 2.5 kA trip against 4 kA bolted: 4.36 kA by the equation up to 480 V
    // (1.17, 0.0407), 3.86 kA by the one above (1.09, 0.0281).
    const auto& r = GetParam();
    SharedState s = StartState();
    const BreakerOutcome out =
        RunBreaker(s, Breaker(0, r.voltage, "4", "460", "65", "2.5"), UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.refusal), r.refused ? kTrippingBand : "");
    EXPECT_NEAR(s.BreakerTripArcCurrent, r.tripArcCurrent, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Voltages, TrippingBandEquation,
                         ::testing::Values(TripRow{"208", true, 4.361175185516374},
                                           TripRow{"480", true, 4.361175185516374},
                                           TripRow{"575", false, 3.8552528196148317},
                                           TripRow{"600", false, 3.8552528196148317},
                                           TripRow{"690", false, 3.8552528196148317}));

// ---------------------------------------------------------------------------
// Breaker results
// ---------------------------------------------------------------------------

TEST(BreakerResults, Mccb100To400At480Volts) {
    // 20 kA, 2 kA trip, 460 mm: trip arc current 10^(1.17 lg 2.6 + 0.0407) = 3.36 kA;
    // E = 0.189 x 20 + 0.584 = 4.364 J/cm2 (1.04 cal/cm2), DB = 9.16 x 20 + 194 = 377.2 mm.
    SharedState s = StartState();
    const BreakerOutcome out =
        RunBreaker(s, Breaker(0, "480", "20", "460", "25", "2"), UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_NEAR(s.BreakerTripLog, 0.41497, 5e-6);
    EXPECT_NEAR(s.BreakerTripArcLog, 0.52622, 5e-6);
    EXPECT_NEAR(s.BreakerTripArcCurrent, 3.36, 0.005);
    ExpectRelative(s.BreakerEnergyRef, 4.364);
    ExpectRelative(s.BreakerEnergy, 4.364);
    ExpectRelative(s.BreakerFlashBoundary, 377.2);
    EXPECT_EQ(out.texts.result.energy, "1.04");
    EXPECT_EQ(out.texts.result.boundary, "15");
    EXPECT_EQ(s.PpeIndex, 0);
    EXPECT_EQ(out.texts.result.ppeLevel, "0");
    EXPECT_EQ(out.texts.result.clothing1,
              "Natural fiber ( cotton / wool ) long sleeve shirt and pants,");
    EXPECT_EQ(out.texts.result.clothing2, "safety glasses, hard hat, V-rated  gloves.");
    EXPECT_TRUE(out.texts.result.clothingSecondLineShown);
    EXPECT_EQ(out.texts.summaryCaption, "Low Voltage Circuit Breakers Calculations");
    EXPECT_EQ(out.texts.result.pressure, "");
    EXPECT_EQ(out.texts.result.tnt, "");
    EXPECT_EQ(out.texts.approach.limited, "42");
    EXPECT_EQ(out.texts.approach.restricted, "12");
    EXPECT_EQ(out.texts.approach.prohibited, "1");

    const BreakerOutcome metric =
        RunBreaker(s, Breaker(0, "480", "20", "460", "25", "2"), Units("J/cm2", "mm"), '.');
    EXPECT_EQ(metric.texts.result.energy, "4.36");
    EXPECT_EQ(metric.texts.result.boundary, "377");
    EXPECT_EQ(metric.texts.approach.limited, "1067");
    EXPECT_EQ(metric.texts.approach.restricted, "305");
    EXPECT_EQ(metric.texts.approach.prohibited, "25");
}

struct BreakerRow {
    int type;
    const char* voltage;
    double a, b, c, d;
    double energyAt610;    // J/cm2: (A x 30 + B) x (460 / 610)^1.641
    const char* energy;    // cal/cm2
    const char* boundary;  // inches
    int ppe;
};

void PrintTo(const BreakerRow& r, std::ostream* os) {
    *os << "type " << r.type << " at " << r.voltage << " V";
}

class BreakerTable : public ::testing::TestWithParam<BreakerRow> {};

TEST_P(BreakerTable, RowsByTypeAndVoltage) {
    const auto& r = GetParam();
    SharedState s = StartState();
    const BreakerOutcome out =
        RunBreaker(s, Breaker(r.type, r.voltage, "30", "610", "100", "2"), UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_DOUBLE_EQ(s.BreakerCoefA, r.a);
    EXPECT_DOUBLE_EQ(s.BreakerCoefB, r.b);
    EXPECT_DOUBLE_EQ(s.BreakerCoefC, r.c);
    EXPECT_DOUBLE_EQ(s.BreakerCoefD, r.d);
    ExpectRelative(s.BreakerEnergyRef, r.a * 30 + r.b);
    ExpectRelative(s.BreakerFlashBoundary, r.c * 30 + r.d);  // independent of the distance
    ExpectRelative(s.BreakerEnergy, r.energyAt610);
    EXPECT_EQ(out.texts.result.energy, r.energy);
    EXPECT_EQ(out.texts.result.boundary, r.boundary);
    EXPECT_EQ(s.PpeIndex, r.ppe);
}

INSTANTIATE_TEST_SUITE_P(
    Types, BreakerTable,
    ::testing::Values(
        BreakerRow{0, "480", 0.189, 0.584, 9.16, 194, 3.935656797243113, "0.94", "18", 0},
        BreakerRow{0, "208", 0.189, 0.584, 9.16, 194, 3.935656797243113, "0.94", "18", 0},
        BreakerRow{0, "575", 0.271, 0.18, 11.8, 196, 5.229502396080952, "1.25", "22", 1},
        BreakerRow{1, "480", 0.223, 1.59, 8.45, 364, 5.210623326058999, "1.25", "24", 1},
        BreakerRow{1, "575", 0.335, 0.38, 11.4, 369, 6.563623344298957, "1.57", "28", 1},
        BreakerRow{2, "480", 0.377, 1.36, 12.5, 428, 7.973260572604772, "1.91", "32", 1},
        BreakerRow{2, "690", 0.468, 4.6, 14.3, 568, 11.730195506973399, "2.80", "39", 1},
        BreakerRow{3, "480", 0.448, 3.0, 11.1, 696, 10.345730372030186, "2.47", "41", 1},
        BreakerRow{3, "575", 0.686, 0.165, 16.7, 606, 13.054876920180428, "3.12", "44", 1},
        BreakerRow{4, "480", 0.636, 3.67, 14.5, 786, 14.316628099980946, "3.42", "48", 1},
        BreakerRow{4, "575", 0.958, 0.292, 19.1, 864, 18.26990536257788, "4.37", "57", 2},
        BreakerRow{5, "480", 4.56, 27.23, 47.2, 2660, 103.22446185669776, "24.67", "160", 3},
        BreakerRow{5, "690", 6.86, 2.17, 62.4, 2930, 130.8760064155181, "31.28", "189", 4}));

TEST(BreakerResults, SixHundredVoltsUsesTheUpperRow) {
    // MCCB-100-400 at 600 V, 20 kA, 910 mm: (0.271 x 20 + 0.18) x (460 / 910)^1.641
    // = 1.828 J/cm2; DB = 11.8 x 20 + 196 = 432 mm.
    SharedState s = StartState();
    const BreakerOutcome out =
        RunBreaker(s, Breaker(0, "600", "20", "910", "25", "2"), Units("J/cm2", "mm"), '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    ExpectRelative(s.BreakerEnergy, 1.8280442493843307);
    EXPECT_EQ(out.texts.result.energy, "1.83");
    EXPECT_EQ(out.texts.result.boundary, "432");
    EXPECT_NEAR(s.BreakerTripArcLog, 1.09 * std::log10(2.6) + 0.0281, 1e-12);
}

TEST(BreakerResults, LowEnergyIsFloored) {
    // MCCB-100-400, 0.7 kA, 0.3 kA trip, 2000 mm: 0.7163 x (460 / 2000)^1.641
    // = 0.0642 J/cm2 (0.015 cal/cm2); the boundary 200.4 mm stays.
    SharedState s = StartState();
    BreakerOutcome out =
        RunBreaker(s, Breaker(0, "480", "0.7", "2000", "10", "0.3"), UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_DOUBLE_EQ(s.BreakerEnergy, kFloorJ);
    ExpectRelative(s.BreakerFlashBoundary, 200.412);
    EXPECT_EQ(out.texts.result.energy, "0.25");
    EXPECT_EQ(out.texts.result.boundary, "8");
    EXPECT_EQ(s.PpeLevel, "0");
    out = RunBreaker(s, Breaker(0, "480", "0.7", "2000", "10", "0.3"), Units("J/cm2", "mm"), '.');
    EXPECT_EQ(out.texts.result.energy, "1.05");
    EXPECT_EQ(out.texts.result.boundary, "200");
}

TEST(BreakerResults, BeyondLevel4) {
    // LVPCB-800-6300-LS, 50 kA at 460 mm: 4.56 x 50 + 27.23 = 255.23 J/cm2 (61.00 cal/cm2).
    SharedState s = StartState();
    const BreakerOutcome out =
        RunBreaker(s, Breaker(5, "480", "50", "460", "65", "2"), UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_EQ(out.texts.result.energy, "61.00");
    EXPECT_EQ(s.PpeIndex, 5);
    EXPECT_EQ(s.PpeLevel, "N/A");
    EXPECT_EQ(out.texts.result.clothing1, "Consult PPE Manufacturer");
    EXPECT_FALSE(out.texts.result.clothingSecondLineShown);
}

TEST(BreakerResults, LowVoltageApproachBoundaries) {
    SharedState s = StartState();
    BreakerOutcome out =
        RunBreaker(s, Breaker(0, "208", "20", "460", "25", "2"), Units("cal/cm2", "mm"), '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_EQ(out.texts.approach.limited, "1067");
    EXPECT_EQ(out.texts.approach.restricted, "Avoid contact");
    EXPECT_EQ(out.texts.approach.prohibited, "Avoid contact");
    out = RunBreaker(s, Breaker(0, "690", "20", "460", "25", "2"), UnitSettings{}, '.');
    EXPECT_EQ(out.texts.approach.limited, "42");
    EXPECT_EQ(out.texts.approach.restricted, "12");
    EXPECT_EQ(out.texts.approach.prohibited, "1");
}

TEST(BreakerResults, LeavesTheArcCurrentAndClearsTheReducedCase) {
    SharedState s = StartState();
    // An earlier empirical calculation.
    s.ArcCurrent = 11.22;
    s.ArcCurrentReduced = 9.53;
    s.LogArcCurrent = 1.05;
    s.K = -0.153;
    s.PpeIndexReduced = 2;
    s.PpeLevelReduced = "2";
    s.ArcPressure = 91;
    s.TntEquivalent = 0.2;
    const BreakerOutcome out =
        RunBreaker(s, Breaker(0, "480", "20", "460", "25", "2"), UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_DOUBLE_EQ(s.ArcCurrent, 11.22);
    EXPECT_DOUBLE_EQ(s.ArcCurrentReduced, 9.53);
    EXPECT_DOUBLE_EQ(s.LogArcCurrent, 1.05);
    EXPECT_DOUBLE_EQ(s.K, -0.153);
    EXPECT_EQ(s.PpeIndexReduced, -1);
    EXPECT_EQ(s.PpeLevelReduced, "");
    EXPECT_DOUBLE_EQ(s.ArcPressure, 0);
    EXPECT_DOUBLE_EQ(s.TntEquivalent, 0);
    EXPECT_DOUBLE_EQ(s.Gap, 25);
}

TEST(BreakerResults, FreshRunHasNoArcCurrent) {
    SharedState s = StartState();
    RunBreaker(s, Breaker(0, "480", "20", "460", "25", "2"), UnitSettings{}, '.');
    EXPECT_DOUBLE_EQ(s.ArcCurrent, 0);
    EXPECT_DOUBLE_EQ(s.ArcCurrentReduced, 0);
}

TEST(BreakerRefusals, InputProblemsStopBeforeTheEquations) {
    SharedState s = StartState();
    s.BreakerEnergy = 9;
    const BreakerOutcome out =
        RunBreaker(s, Breaker(0, "500", "20", "460", "", "2"), UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.refusal), "Voltage out of range. Enter IR value.");
    EXPECT_DOUBLE_EQ(s.BreakerEnergy, 9);
    EXPECT_DOUBLE_EQ(s.BreakerTripArcCurrent, 0);
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// The empirical model from the typed fields to the result texts: arcing
// currents, energy constants, incident energies and boundaries of both cases
// (and of the theoretically derived equations), the arc-duration checks, the
// "N/A" rules, the governing case and the classification of both cases.
//
// Expected values not quoted in the comments were worked out by hand from the
// model's equations (python3, double precision) and written with the product's
// number formats.
#include "engine/empirical.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/number.h"
#include "engine/shared_state.h"
#include "engine/units.h"

namespace zentavo {
namespace {

constexpr LengthUnit kMm = LengthUnit::Millimetres;

constexpr double kFloorJ = 0.25 / 0.239006;

UnitSettings Units(const char* energy, const char* boundary, const char* pressure,
                   const char* tnt) {
    UnitSettings u;
    u.EnergyUnit = ParseEnergyUnit(energy).value();
    u.BoundaryUnit = ParseLengthUnit(boundary).value();
    u.PressureUnit = ParsePressureUnit(pressure).value();
    u.TntUnit = ParseTntUnit(tnt).value();
    return u;
}

const UnitSettings kDefaultUnits{};

// What the intermediate window does when it shows: only the full-current
// case is offered at 15 kV and above or with a gap over 152 mm.
void ShowIntermediateWindow(SharedState& s) {
    s.ReducedCaseOff = s.Voltage >= 15000 || s.Gap > 152;
}

// "Next" on the empirical tab with valid inputs, then the intermediate window.
SharedState ArcCurrentStep(const EmpiricalFields& f, char sep = '.') {
    SharedState s = StartState();
    const ArcCurrentOutcome out = RunEmpiricalArcCurrent(s, f, sep);
    EXPECT_EQ(RefusalText(out.refusal), "");
    ShowIntermediateWindow(s);
    return s;
}

void ExpectRelative(double actual, double expected, double rel = 1e-9) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * rel) << "expected " << expected;
}

// ---------------------------------------------------------------------------
// Arcing current
// ---------------------------------------------------------------------------

struct ArcRow {
    const char* name;
    const char* voltage;
    const char* ibf;
    const char* gap;
    int equipmentClass;
    int grounding;
    double logArcCurrent;  // before the cap and the rounding
    const char* ia;        // IaEdit
    const char* ia85;      // Ia15Edit
    double cf;
    double exponent;
    double logNormEnergy;  // from the rounded currents
    double logNormEnergyReduced;
};

void PrintTo(const ArcRow& r, std::ostream* os) {
    *os << r.name;
}

class ArcingCurrent : public ::testing::TestWithParam<ArcRow> {};

TEST_P(ArcingCurrent, IsPredictedCappedAndRounded) {
    const auto& r = GetParam();
    SharedState s = StartState();
    const EmpiricalFields f{r.voltage,        r.ibf,      r.gap, "455", kMm, kMm,
                            r.equipmentClass, r.grounding};
    const ArcCurrentOutcome out = RunEmpiricalArcCurrent(s, f, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_NEAR(s.LogArcCurrent, r.logArcCurrent, 1e-12);
    EXPECT_EQ(out.arcCurrent, r.ia);
    EXPECT_EQ(out.arcCurrentReduced, r.ia85);
    // The rounded values are what is kept.
    EXPECT_DOUBLE_EQ(s.ArcCurrent, std::stod(r.ia));
    EXPECT_DOUBLE_EQ(s.ArcCurrentReduced, std::stod(r.ia85));
    EXPECT_DOUBLE_EQ(s.Cf, r.cf);
    EXPECT_DOUBLE_EQ(s.DistExponent, r.exponent);
    EXPECT_NEAR(s.LogNormEnergy, r.logNormEnergy, 1e-12);
    EXPECT_NEAR(s.LogNormEnergyReduced, r.logNormEnergyReduced, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ArcingCurrent,
    ::testing::Values(
        // lg Ia = -0.097 + 0.662 lg 20 + 0.0966 x 0.48 + 0.000526 x 32
        //         + 0.5588 x 0.48 lg 20 - 0.00304 x 32 lg 20 = 1.04989: 11.2172 kA;
        // the reduced current is 0.85 of the unrounded value, 9.5346.
        ArcRow{"Switchgear480", "480", "20", "32", kSwitchgear, 1, 1.049885128708339, "11.22",
               "9.53", 1.5, 1.473, 0.5022422783306741, 0.4255994255900306},
        // From 1000 V on: lg Ia = 0.00402 + 0.983 lg Ibf, 19.1837 kA.
        ArcRow{"Switchgear13800", "13800", "20", "32", kSwitchgear, 1, 1.2829324857376934, "19.18",
               "16.31", 1.0, 0.973, 0.753959339664251, 0.677862731884538},
        // 1000 V: medium-voltage current and Cf, low-voltage exponent.
        ArcRow{"Switchgear1000", "1000", "20", "32", kSwitchgear, 0, 1.2829324857376934, "19.18",
               "16.31", 1.0, 1.473, 0.866959339664251, 0.790862731884538},
        // 1.0 kA at 1000 V gives 1.0093 kA: the arc is capped at the bolted current.
        ArcRow{"CappedAt1000", "1000", "1.0", "32", kSwitchgear, 0, 0.00402, "1.00", "0.85", 1.0,
               1.473, -0.5198, -0.5960981413028495},
        ArcRow{"CappedMcc13800", "13800", "1.0", "32", kMccAndPanels, 1, 0.00402, "1.00", "0.85",
               1.0, 0.973, -0.6328, -0.7090981413028495},
        // Below 1000 V the cap acts too: 30.02 kA predicted from 20 kA at 999 V.
        ArcRow{"CappedMcc999", "999", "20", "32", kMccAndPanels, 1, 1.4773416051668191, "20.00",
               "17.00", 1.5, 1.641, 0.7736134253127636, 0.6973152840099139},
        ArcRow{"OpenAir480", "480", "20", "32", kOpenAir, 0, 0.9938851287083391, "9.86", "8.38",
               1.5, 2.0, 0.3175809450514492, 0.24122678413932885},
        ArcRow{"Cable4160", "4160", "25", "104", kCable, 0, 1.378195028524613, "23.89", "20.31",
               1.0, 2.0, 0.812251657879618, 0.7360344272005959},
        ArcRow{"SmallestCurrent208", "208", "0.71", "13", kSwitchgear, 0, -0.1799462047143924,
               "0.66", "0.56", 1.5, 1.473, -0.73577300567924, -0.8129087428062973}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ArcingCurrent, TextsUseTheDecimalSeparator) {
    SharedState s = StartState();
    const EmpiricalFields f{"480", "20", "32", "455", kMm, kMm, kSwitchgear, 1};
    const ArcCurrentOutcome out = RunEmpiricalArcCurrent(s, f, ',');
    EXPECT_EQ(out.arcCurrent, "11,22");
    EXPECT_EQ(out.arcCurrentReduced, "9,53");
    EXPECT_DOUBLE_EQ(s.ArcCurrent, 11.22);
}

TEST(ArcingCurrent, SetsTheApproachBoundariesOfTheTab) {
    SharedState s = StartState();
    RunEmpiricalArcCurrent(s, {"480", "20", "32", "455", kMm, kMm, kCable, 1}, '.');
    EXPECT_EQ(s.LimitedApproach, "120");
    EXPECT_EQ(s.RestrictedApproach, "12");
    EXPECT_EQ(s.ProhibitedApproach, "1");
    RunEmpiricalArcCurrent(s, {"300", "20", "32", "455", kMm, kMm, kSwitchgear, 1}, '.');
    EXPECT_EQ(s.LimitedApproach, "42");
    EXPECT_EQ(s.RestrictedApproach, "Avoid contact");
    EXPECT_EQ(s.ProhibitedApproach, "Avoid contact");
}

TEST(ArcingCurrent, RefusedInputsComputeNothing) {
    SharedState s = StartState();
    s.ArcCurrent = 7.5;
    s.ArcCurrentReduced = 6.38;
    s.DistExponent = 2.0;
    s.LogNormEnergy = 0.4;
    s.ArcPressure = 50;
    s.TntEquivalent = 0.2;
    const ArcCurrentOutcome out =
        RunEmpiricalArcCurrent(s, {"480", "20", "32", "455", kMm, kMm, -1, 1}, '.');
    EXPECT_EQ(RefusalText(out.refusal), " Equipment class not selected.");
    EXPECT_EQ(s.ErrorText, RefusalText(out.refusal));
    EXPECT_DOUBLE_EQ(s.ArcCurrent, 7.5);
    EXPECT_DOUBLE_EQ(s.ArcCurrentReduced, 6.38);
    EXPECT_DOUBLE_EQ(s.DistExponent, 2.0);
    EXPECT_DOUBLE_EQ(s.LogNormEnergy, 0.4);
    // Cleared at the start of every "Next" of the main window.
    EXPECT_DOUBLE_EQ(s.ArcPressure, 0);
    EXPECT_DOUBLE_EQ(s.TntEquivalent, 0);
}

// ---------------------------------------------------------------------------
// Incident energy and flash protection boundary
// ---------------------------------------------------------------------------

TEST(IncidentEnergy, EmpiricalWorkedExample) {
    // 480 V, Switchgear, Grounded, 32 mm, Ia = 20.00 kA, 0.2 s at 455 mm.
    SharedState s = StartState();
    s.Voltage = 480;
    s.Gap = 32;
    s.BoltedCurrent = 30;
    s.WorkDist = 455;
    s.K1 = -0.555;
    s.K2 = -0.113;
    s.Cf = 1.5;
    s.DistExponent = 1.473;
    s.ArcCurrent = 20.0;
    s.ArcCurrentReduced = 17.0;
    s.LogNormEnergy = NormalizedEnergyLog(20.0, s.K1, s.K2, s.Gap);
    s.LogNormEnergyReduced = NormalizedEnergyLog(17.0, s.K1, s.K2, s.Gap);
    s.ArcTime = 0.2;
    s.ArcTimeReduced = 0.2;
    EXPECT_NEAR(s.LogNormEnergy, 0.77361, 5e-6);
    ComputeEmpiricalEnergies(s);
    EXPECT_NEAR(s.IncidentEnergy, 57.390, 5e-4);
    EXPECT_NEAR(s.IncidentEnergy * 0.239006, 13.717, 5e-4);
    EXPECT_NEAR(s.FlashBoundary, 2385.3, 0.05);
    EXPECT_NEAR(s.FlashBoundary / 25.4, 93.91, 0.005);
    // 17 kA: lg En = 0.6973153, same duration and distance.
    EXPECT_NEAR(s.IncidentEnergyReduced, 48.14357, 5e-5);
}

TEST(IncidentEnergy, LeeWorkedExample) {
    // 20 kV, 10 kA bolted, 0.5 s at 910 mm: the bolted current enters.
    SharedState s = StartState();
    s.Voltage = 20000;
    s.Gap = 32;
    s.BoltedCurrent = 10;
    s.ArcCurrent = 9.87;
    s.ArcCurrentReduced = 8.39;
    s.LogNormEnergy = 0.5;
    s.LogNormEnergyReduced = 0.4;
    s.Cf = 1.0;
    s.DistExponent = 0.973;
    s.WorkDist = 910;
    s.ArcTime = 0.5;
    s.ArcTimeReduced = 0.5;
    ComputeEmpiricalEnergies(s);
    EXPECT_NEAR(s.IncidentEnergy, 258.66, 0.005);
    EXPECT_NEAR(s.IncidentEnergy * 0.239006, 61.82, 0.005);
    EXPECT_NEAR(s.FlashBoundary, 6545.2, 0.05);
    EXPECT_DOUBLE_EQ(s.IncidentEnergyReduced, 0);
    EXPECT_DOUBLE_EQ(s.FlashBoundaryReduced, 0);
}

TEST(IncidentEnergy, AtTheReferenceDurationAndDistanceIsTheNormalisedEnergy) {
    for (double cf : {1.5, 1.0}) {
        for (double x : {1.473, 0.973, 1.641, 2.0}) {
            SharedState s = StartState();
            s.Voltage = cf == 1.5 ? 480 : 4160;
            s.Gap = 25;
            s.Cf = cf;
            s.DistExponent = x;
            s.WorkDist = 610;
            s.LogNormEnergy = 0.6;
            s.LogNormEnergyReduced = 0.5;
            s.ArcTime = 0.2;
            s.ArcTimeReduced = 0.2;
            ComputeEmpiricalEnergies(s);
            ExpectRelative(s.IncidentEnergy, 4.184 * cf * std::pow(10.0, 0.6));
            ExpectRelative(s.IncidentEnergyReduced, 4.184 * cf * std::pow(10.0, 0.5));
            // ... and the boundary is where that energy falls to 5 J/cm2.
            ExpectRelative(s.FlashBoundary,
                           610 * std::pow(4.184 * cf * std::pow(10.0, 0.6) / 5, 1 / x));
        }
    }
}

// The equation family by voltage and gap: 15 kV and above, or a gap over
// 152 mm, takes the theoretically derived equations with no reduced case.
struct FamilyRow {
    const char* name;
    const char* voltage;
    const char* gap;
    bool lee;
    double energy;  // J/cm2, 10 kA bolted, Switchgear, grounded, 0.5 s at 610 mm
    double energyReduced;
    double boundary;  // mm
    double boundaryReduced;
};

void PrintTo(const FamilyRow& r, std::ostream* os) {
    *os << r.name;
}

class EquationFamily : public ::testing::TestWithParam<FamilyRow> {};

TEST_P(EquationFamily, SwitchesAt15kVAndAbove152mm) {
    const auto& r = GetParam();
    SharedState s = StartState();
    const ArcCurrentOutcome out =
        RunEmpiricalArcCurrent(s, {r.voltage, "10", r.gap, "610", kMm, kMm, kSwitchgear, 1}, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_EQ(out.reducedCaseOffered, !r.lee);
    s.ArcTime = 0.5;
    s.ArcTimeReduced = 0.5;
    ComputeEmpiricalEnergies(s);
    ExpectRelative(s.IncidentEnergy, r.energy);
    ExpectRelative(s.FlashBoundary, r.boundary);
    if (r.lee) {
        EXPECT_DOUBLE_EQ(s.IncidentEnergyReduced, 0);
        EXPECT_DOUBLE_EQ(s.FlashBoundaryReduced, 0);
    } else {
        ExpectRelative(s.IncidentEnergyReduced, r.energyReduced);
        ExpectRelative(s.FlashBoundaryReduced, r.boundaryReduced);
    }
}

INSTANTIATE_TEST_SUITE_P(
    VoltageAndGap, EquationFamily,
    ::testing::Values(
        // 2142 x 15000 x 10 x 0.5 / 610^2 and sqrt(2142 x 15000 x 10 x 0.5 / 5).
        FamilyRow{"Lee15000", "15000", "32", true, 431.73877989787695, 0, 5668.333088307355, 0},
        FamilyRow{"Empirical14999", "14999", "32", false, 28.439088456436625, 23.84615721674004,
                  3641.033402211905, 3038.118111318278},
        FamilyRow{"EmpiricalGap152", "480", "152", false, 17.060976829376877, 14.317975571752767,
                  1403.4579769467405, 1246.0085377817709},
        FamilyRow{"LeeGap153At480", "480", "153", true, 13.815640956732063, 0, 1013.9822483653252,
                  0},
        FamilyRow{"Empirical14999Gap152", "14999", "152", false, 38.54035157307748,
                  32.31605978538435, 4976.082377442306, 4152.097584475645},
        FamilyRow{"LeeGap153At13800", "13800", "153", true, 397.1996775060468, 0, 5436.874101908191,
                  0},
        // 1000 V: Cf 1.0 with the low-voltage exponent 1.473.
        FamilyRow{"Empirical1000", "1000", "32", false, 28.439088456436625, 23.84615721674004,
                  1985.4198159168375, 1761.6489901035866}),
    [](const auto& p) { return std::string(p.param.name); });

// ---------------------------------------------------------------------------
// Arc durations on the intermediate window
// ---------------------------------------------------------------------------

constexpr const char* kEnterT1 = "Enter valid arcing time. ";
constexpr const char* kT1Range = "Arcing time should not exceed 2 seconds. ";
constexpr const char* kEnterT2 = "Enter valid arcing time for reduced current";
constexpr const char* kT2Range = "Arcing time for reduced current should not exceed 2 seconds. ";
constexpr const char* kT1Not0 = "Arc duration must be above 0 s. ";
constexpr const char* kT2Not0 = "Arc duration for reduced current must be above 0 s. ";

struct DurationRow {
    const char* name;
    bool lee;  // only the full-current case is offered
    const char* t1;
    const char* t2;
    std::string expected;
};

void PrintTo(const DurationRow& r, std::ostream* os) {
    *os << r.name;
}

class Durations : public ::testing::TestWithParam<DurationRow> {};

TEST_P(Durations, AreCheckedBeforeAnythingIsComputed) {
    const auto& r = GetParam();
    SharedState s =
        ArcCurrentStep({r.lee ? "20000" : "480", "20", "32", "455", kMm, kMm, kSwitchgear, 1});
    ASSERT_EQ(s.ReducedCaseOff, r.lee);
    const EmpiricalOutcome out = RunEmpiricalResults(s, {r.t1, r.t2}, kDefaultUnits, '.');
    EXPECT_EQ(RefusalText(out.refusal), r.expected);
    EXPECT_EQ(s.ErrorText, r.expected);
    if (r.expected.empty()) {
        EXPECT_GE(s.PpeIndex, 0);
    } else {
        // Nothing computed: the classification is still the initial one.
        EXPECT_EQ(s.PpeIndex, 0);
        EXPECT_EQ(s.PpeLevel, "");
        EXPECT_DOUBLE_EQ(s.IncidentEnergy, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Checks, Durations,
    ::testing::Values(
        DurationRow{"BothEmpty", false, "", "", std::string(kEnterT1) + kT1Range + kEnterT2},
        DurationRow{"TwoSeconds", false, "2", "2", ""},
        DurationRow{"SmallestAccepted", false, "0.001", "0.001", ""},
        DurationRow{"FirstAboveTwo", false, "2.0001", "0.5", kT1Range},
        DurationRow{"FirstZero", false, "0", "0.5", kT1Not0},
        DurationRow{"FirstNegative", false, "-0.1", "0.5", kT1Not0},
        DurationRow{"SecondAboveTwo", false, "0.5", "2.0001", kT2Range},
        DurationRow{"SecondZero", false, "0.5", "0", kT2Not0},
        DurationRow{"SecondNegative", false, "0.5", "-1", kT2Not0},
        DurationRow{"SecondEmpty", false, "0.5", "", kEnterT2},
        DurationRow{"BothAboveTwo", false, "3", "3", std::string(kT1Range) + kT2Range},
        DurationRow{"FirstEmptySecondTooLong", false, "", "3",
                    std::string(kEnterT1) + kT1Range + kT2Range},
        // Only one duration is asked: the hidden reduced field raises nothing.
        DurationRow{"LeeSecondEmpty", true, "0.5", "", ""},
        DurationRow{"LeeSecondTooLong", true, "0.5", "3", ""},
        DurationRow{"LeeSecondNotANumber", true, "0.5", "abc", ""},
        DurationRow{"LeeFirstEmpty", true, "", "", std::string(kEnterT1) + kT1Range},
        DurationRow{"LeeFirstTooLong", true, "2.5", "0.5", kT1Range}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Durations, GapAbove152mmAsksForOneDurationOnly) {
    SharedState s = ArcCurrentStep({"480", "20", "153", "455", kMm, kMm, kSwitchgear, 1});
    ASSERT_TRUE(s.ReducedCaseOff);
    EXPECT_EQ(RefusalText(RunEmpiricalResults(s, {"0.5", ""}, kDefaultUnits, '.').refusal), "");
}

TEST(Durations, TextThatIsNotANumberRaisesTheConversionError) {
    SharedState s = ArcCurrentStep({"480", "20", "32", "455", kMm, kMm, kSwitchgear, 1});
    try {
        RunEmpiricalResults(s, {"0.5", "x"}, kDefaultUnits, '.');
        FAIL() << "a conversion error was expected";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid floating point value");
    }
    EXPECT_DOUBLE_EQ(s.ArcTime, 0.5);  // accepted before the bad field
    EXPECT_EQ(s.PpeLevel, "");

    SharedState lee = ArcCurrentStep({"20000", "20", "32", "455", kMm, kMm, kSwitchgear, 1});
    EXPECT_THROW(RunEmpiricalResults(lee, {"abc", ""}, kDefaultUnits, '.'), ConversionError);
}

TEST(Durations, AcceptedDurationsAreStoredEvenWhenTheOtherIsRefused) {
    SharedState s = ArcCurrentStep({"480", "20", "32", "455", kMm, kMm, kSwitchgear, 1});
    s.ArcTime = 1.5;
    s.ArcTimeReduced = 1.5;
    EXPECT_EQ(RefusalText(RunEmpiricalResults(s, {"0.7", "5"}, kDefaultUnits, '.').refusal),
              kT2Range);
    EXPECT_DOUBLE_EQ(s.ArcTime, 0.7);
    EXPECT_DOUBLE_EQ(s.ArcTimeReduced, 1.5);
    EXPECT_EQ(RefusalText(RunEmpiricalResults(s, {"5", "0,25"}, kDefaultUnits, ',').refusal),
              kT1Range);
    EXPECT_DOUBLE_EQ(s.ArcTime, 0.7);
    EXPECT_DOUBLE_EQ(s.ArcTimeReduced, 0.25);
}

TEST(Durations, HiddenReducedDurationIsKeptOnlyWhenValid) {
    SharedState s = ArcCurrentStep({"20000", "10", "32", "910", kMm, kMm, kSwitchgear, 1});
    s.ArcTimeReduced = 0.4;
    RunEmpiricalResults(s, {"0.5", "3"}, kDefaultUnits, '.');
    EXPECT_DOUBLE_EQ(s.ArcTimeReduced, 0.4);
    RunEmpiricalResults(s, {"0.5", "abc"}, kDefaultUnits, '.');
    EXPECT_DOUBLE_EQ(s.ArcTimeReduced, 0.4);
    RunEmpiricalResults(s, {"0.5", "0.3"}, kDefaultUnits, '.');
    EXPECT_DOUBLE_EQ(s.ArcTimeReduced, 0.3);
    EXPECT_DOUBLE_EQ(s.ArcTime, 0.5);
}

// ---------------------------------------------------------------------------
// Result texts of both cases
// ---------------------------------------------------------------------------

struct ResultRow {
    const char* name;
    const char* voltage;
    const char* ibf;
    const char* gap;
    const char* workDist;  // mm
    int equipmentClass;
    int grounding;
    const char* t1;
    const char* t2;
    const char* energyUnit;
    const char* boundaryUnit;
    const char* pressureUnit;
    const char* tntUnit;
    char sep;
    const char* energy;
    const char* energyReduced;
    const char* boundary;
    const char* boundaryReduced;
    const char* pressure;
    const char* pressureReduced;
    const char* tnt;
    const char* tntReduced;
    int ppe;
    int ppeReduced;
    bool reducedGoverns;
    bool fullTntBold;
};

void PrintTo(const ResultRow& r, std::ostream* os) {
    *os << r.name;
}

const char* LevelText(int index) {
    static const char* const kLevels[] = {"0", "1", "2", "3", "4", "N/A"};
    return kLevels[index];
}

class EmpiricalResults : public ::testing::TestWithParam<ResultRow> {};

TEST_P(EmpiricalResults, TextsClassificationAndHighlighting) {
    const auto& r = GetParam();
    SharedState s = ArcCurrentStep(
        {r.voltage, r.ibf, r.gap, r.workDist, kMm, kMm, r.equipmentClass, r.grounding}, r.sep);
    const UnitSettings u = Units(r.energyUnit, r.boundaryUnit, r.pressureUnit, r.tntUnit);
    const EmpiricalOutcome out = RunEmpiricalResults(s, {r.t1, r.t2}, u, r.sep);
    ASSERT_EQ(RefusalText(out.refusal), "");
    const EmpiricalResultTexts& t = out.texts;
    EXPECT_TRUE(t.reducedCaseOffered);
    EXPECT_EQ(t.full.energy, r.energy);
    EXPECT_EQ(t.reduced.energy, r.energyReduced);
    EXPECT_EQ(t.full.boundary, r.boundary);
    EXPECT_EQ(t.reduced.boundary, r.boundaryReduced);
    EXPECT_EQ(t.full.pressure, r.pressure);
    EXPECT_EQ(t.reduced.pressure, r.pressureReduced);
    EXPECT_EQ(t.full.tnt, r.tnt);
    EXPECT_EQ(t.reduced.tnt, r.tntReduced);

    // Both cases classified, in the state and on screen.
    EXPECT_EQ(s.PpeIndex, r.ppe);
    EXPECT_EQ(s.PpeIndexReduced, r.ppeReduced);
    EXPECT_EQ(s.PpeLevel, LevelText(r.ppe));
    EXPECT_EQ(s.PpeLevelReduced, LevelText(r.ppeReduced));
    EXPECT_EQ(t.full.ppeLevel, LevelText(r.ppe));
    EXPECT_EQ(t.reduced.ppeLevel, LevelText(r.ppeReduced));
    EXPECT_EQ(t.full.clothing1, ClothingLines(r.ppe).first);
    EXPECT_EQ(t.full.clothing2, ClothingLines(r.ppe).second);
    EXPECT_EQ(t.reduced.clothing1, ClothingLines(r.ppeReduced).first);
    EXPECT_EQ(t.full.clothingSecondLineShown, r.ppe != 5);
    EXPECT_EQ(t.reduced.clothingSecondLineShown, r.ppeReduced != 5);

    // Highlighting: the larger floored energy governs (the full case on a tie),
    // the larger pressure and TNT rows are bold, the higher level's clothing
    // caption is bold (both on a tie).
    EXPECT_EQ(t.reducedGoverns, r.reducedGoverns);
    EXPECT_EQ(t.reducedGoverns, s.IncidentEnergyReduced > s.IncidentEnergy);
    EXPECT_TRUE(t.fullPressureBold);  // 100 % of the current against 85 %
    EXPECT_EQ(t.fullTntBold, r.fullTntBold);
    EXPECT_EQ(t.fullClothingBold, r.ppe >= r.ppeReduced);
    EXPECT_EQ(t.reducedClothingBold, r.ppeReduced >= r.ppe);
    EXPECT_EQ(t.durationCaption, "Arc Duration @ Predicted Arc Current (sec):");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmpiricalResults,
    ::testing::Values(ResultRow{"Switchgear480", "480",  "20",      "32",     "455",    1,    1,
                                "0.2",           "0.2",  "cal/cm2", "inches", "lb/ft2", "kg", '.',
                                "7.34",          "6.16", "61",      "55",     "91",     "77", "0.2",
                                "0.2",           2,      2,         false,    false},
                      ResultRow{"Switchgear480MetricComma",
                                "480",
                                "20",
                                "32",
                                "455",
                                1,
                                1,
                                "0,2",
                                "0,2",
                                "J/cm2",
                                "mm",
                                "N/m2",
                                "lb",
                                ',',
                                "30,72",
                                "25,75",
                                "1561",
                                "1384",
                                "4335",
                                "3682",
                                "0,431",
                                "0,437",
                                2,
                                2,
                                false,
                                false},
                      // 73.43 and 61.55 cal/cm2: beyond level 4, "Consult PPE Manufacturer" alone.
                      ResultRow{"TwoSecondsBeyondLevel4",
                                "480",
                                "20",
                                "32",
                                "455",
                                1,
                                1,
                                "2",
                                "2",
                                "cal/cm2",
                                "inches",
                                "Atmosphere",
                                "grams",
                                '.',
                                "73.43",
                                "61.55",
                                "293",
                                "260",
                                "0.0428",
                                "0.0364",
                                "1955",
                                "1980",
                                5,
                                5,
                                false,
                                false},
                      // The full-current TNT equivalent 0.0489 kg reads "0.0": "N/A".
                      ResultRow{"LongReducedDurationGoverns",
                                "480",
                                "20",
                                "32",
                                "455",
                                1,
                                1,
                                "0.05",
                                "1.0",
                                "cal/cm2",
                                "inches",
                                "kpa",
                                "kg",
                                '.',
                                "1.84",
                                "30.78",
                                "24",
                                "163",
                                "4.3380",
                                "3.6850",
                                "N/A",
                                "1.0",
                                1,
                                4,
                                true,
                                false},
                      // Ia = Ibf = 1.00 kA: no full-current TNT equivalent.
                      ResultRow{"ArcCurrentCappedAtBoltedCurrent",
                                "13800",
                                "1.0",
                                "32",
                                "455",
                                1,
                                1,
                                "0.2",
                                "0.2",
                                "cal/cm2",
                                "inches",
                                "lb/ft2",
                                "kg",
                                '.',
                                "0.31",
                                "0.26",
                                "6.00",
                                "6.00",
                                "8",
                                "7",
                                "N/A",
                                "0.1",
                                0,
                                0,
                                false,
                                false},
                      // A duration below 0.01 s: no pressure or TNT text in either case.
                      ResultRow{"FirstDurationBelowHundredth",
                                "480",
                                "20",
                                "32",
                                "455",
                                1,
                                1,
                                "0.005",
                                "0.2",
                                "cal/cm2",
                                "inches",
                                "lb/ft2",
                                "kg",
                                '.',
                                "0.25",
                                "6.16",
                                "6.00",
                                "55",
                                "N/A",
                                "N/A",
                                "N/A",
                                "N/A",
                                0,
                                2,
                                true,
                                false},
                      ResultRow{"ReducedDurationBelowHundredth",
                                "480",
                                "20",
                                "32",
                                "455",
                                1,
                                1,
                                "0.2",
                                "0.009",
                                "cal/cm2",
                                "inches",
                                "lb/ft2",
                                "kg",
                                '.',
                                "7.34",
                                "0.28",
                                "61",
                                "7",
                                "N/A",
                                "N/A",
                                "N/A",
                                "N/A",
                                2,
                                0,
                                false,
                                true},
                      // Exactly 0.01 s keeps the pressures; TNT below half a gram reads "0": "N/A".
                      // Both energies floored to the same value: the full case governs.
                      ResultRow{"HundredthOfASecondGrams",
                                "208",
                                "1",
                                "32",
                                "455",
                                1,
                                0,
                                "0.01",
                                "0.01",
                                "J/cm2",
                                "mm",
                                "lb/ft2",
                                "grams",
                                '.',
                                "1.05",
                                "1.05",
                                "152.40",
                                "152.40",
                                "7",
                                "6",
                                "N/A",
                                "N/A",
                                0,
                                0,
                                false,
                                false},
                      ResultRow{"HundredthOfASecondPoundsComma",
                                "208",
                                "1",
                                "32",
                                "455",
                                1,
                                0,
                                "0,01",
                                "0,01",
                                "cal/cm2",
                                "inches",
                                "lb/ft2",
                                "lb",
                                ',',
                                "0,25",
                                "0,25",
                                "6,00",
                                "6,00",
                                "7",
                                "6",
                                "N/A",
                                "N/A",
                                0,
                                0,
                                false,
                                false},
                      // Full case: 1.0503 J/cm2 and 157.7 mm, above both floors, in the normal
                      // formats; reduced case: 0.8811 J/cm2 and 140.0 mm, floored.
                      ResultRow{"ReducedEnergyFlooredFullNot",
                                "208",
                                "2",
                                "32",
                                "455",
                                1,
                                0,
                                "0.05",
                                "0.05",
                                "cal/cm2",
                                "inches",
                                "lb/ft2",
                                "kg",
                                '.',
                                "0.25",
                                "0.25",
                                "6",
                                "6.00",
                                "11",
                                "10",
                                "N/A",
                                "N/A",
                                0,
                                0,
                                false,
                                false},
                      ResultRow{"ReducedEnergyFlooredMetric",
                                "208",
                                "2",
                                "32",
                                "455",
                                1,
                                0,
                                "0.05",
                                "0.05",
                                "J/cm2",
                                "mm",
                                "lb/ft2",
                                "grams",
                                '.',
                                "1.05",
                                "1.05",
                                "158",
                                "152.40",
                                "11",
                                "10",
                                "2",
                                "2",
                                0,
                                0,
                                false,
                                false},
                      ResultRow{"OpenAir4160", "4160",  "25",    "104",  "910",  0,      0,
                                "0.5",         "0.6",   "J/cm2", "mm",   "N/m2", "kg",   '.',
                                "30.50",       "30.71", "2248",  "2255", "4946", "4205", "0.9",
                                "3.9",         2,       2,       true,   false},
                      ResultRow{"Cable480", "480",  "10",      "13",     "455",    3,    1,
                                "0.3",      "0.3",  "cal/cm2", "inches", "lb/ft2", "kg", '.',
                                "3.73",     "3.12", "32",      "29",     "50",     "42", "0.1",
                                "0.1",      1,      1,         false,    false},
                      ResultRow{"MccAndPanels13800Gap152",
                                "13800",
                                "20",
                                "152",
                                "910",
                                2,
                                1,
                                "0.3",
                                "0.4",
                                "cal/cm2",
                                "inches",
                                "lb/ft2",
                                "kg",
                                '.',
                                "7.82",
                                "8.75",
                                "247",
                                "277",
                                "83",
                                "71",
                                "1.3",
                                "6.9",
                                2,
                                3,
                                true,
                                false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(EmpiricalResults, StateAfterTheRun) {
    SharedState s = ArcCurrentStep({"480", "20", "32", "455", kMm, kMm, kSwitchgear, 1});
    s.PpeIndexReduced = 4;  // from an earlier calculation
    RunEmpiricalResults(s, {"0.2", "0.2"}, kDefaultUnits, '.');
    EXPECT_DOUBLE_EQ(s.ArcTime, 0.2);
    EXPECT_DOUBLE_EQ(s.ArcTimeReduced, 0.2);
    ExpectRelative(s.IncidentEnergy, 30.723116872287612);
    ExpectRelative(s.IncidentEnergyReduced, 25.75267933686961);
    ExpectRelative(s.FlashBoundary, 1560.6671499425838);
    ExpectRelative(s.FlashBoundaryReduced, 1384.453843840881);
    // 11.58 x 11.22 / (455 / 304.8)^0.9 and the same for 9.53 kA.
    ExpectRelative(s.ArcPressure, 90.59508268851454);
    ExpectRelative(s.ArcPressureReduced, 76.94929928890761);
    // 1.73 x Ia x 480 x (1 - Ia / 20) x 0.2 / 4184.
    ExpectRelative(s.TntEquivalent, 0.19551633040152966);
    ExpectRelative(s.TntEquivalentReduced, 0.1980319422562142);
    EXPECT_EQ(s.PpeIndex, 2);
    EXPECT_EQ(s.PpeIndexReduced, 2);
    EXPECT_EQ(s.PpeLevel, "2");
    EXPECT_EQ(s.PpeLevelReduced, "2");
}

TEST(EmpiricalResults, FloorsOverwriteTheStoredValues) {
    SharedState s = ArcCurrentStep({"208", "1", "32", "455", kMm, kMm, kSwitchgear, 0});
    RunEmpiricalResults(s, {"0.01", "0.01"}, kDefaultUnits, '.');
    EXPECT_DOUBLE_EQ(s.IncidentEnergy, kFloorJ);
    EXPECT_DOUBLE_EQ(s.IncidentEnergyReduced, kFloorJ);
    EXPECT_DOUBLE_EQ(s.FlashBoundary, 152.4);
    EXPECT_DOUBLE_EQ(s.FlashBoundaryReduced, 152.4);
}

TEST(EmpiricalResults, ReducedCaseFloorUsesItsOwnTestFactor) {
    // Both cases at 1.0463 J/cm2 (0.2 s at 610 mm, so E = 4.184 x Cf x En):
    // 1.0463 x 0.239006 = 0.25007 keeps the full case, 1.0463 x 0.238846 =
    // 0.24990 floors the reduced case to 1.0459988 J/cm2.
    SharedState s = ArcCurrentStep({"480", "20", "32", "610", kMm, kMm, kSwitchgear, 1});
    const double lgEn = std::log10(1.0463 / (4.184 * 1.5));
    s.LogNormEnergy = lgEn;
    s.LogNormEnergyReduced = lgEn;
    const EmpiricalOutcome out = RunEmpiricalResults(s, {"0.2", "0.2"}, kDefaultUnits, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_NEAR(s.IncidentEnergy, 1.0463, 1e-12);
    EXPECT_DOUBLE_EQ(s.IncidentEnergyReduced, kFloorJ);
    EXPECT_FALSE(out.texts.reducedGoverns);
}

TEST(EmpiricalResults, ApproachBoundariesInTheBoundaryUnit) {
    SharedState s = ArcCurrentStep({"480", "20", "32", "455", kMm, kMm, kSwitchgear, 1});
    const auto inches = RunEmpiricalResults(s, {"0.2", "0.2"}, kDefaultUnits, '.').texts;
    EXPECT_EQ(inches.approach.limited, "42");
    EXPECT_EQ(inches.approach.restricted, "12");
    EXPECT_EQ(inches.approach.prohibited, "1");
    const auto mm =
        RunEmpiricalResults(s, {"0.2", "0.2"}, Units("cal/cm2", "mm", "lb/ft2", "kg"), '.').texts;
    EXPECT_EQ(mm.approach.limited, "1067");
    EXPECT_EQ(mm.approach.restricted, "305");
    EXPECT_EQ(mm.approach.prohibited, "25");
}

TEST(EmpiricalResults, LeeCaseFullCurrentOnly) {
    // 20 kV, 10 kA bolted, 0.5 s at 910 mm: 258.66 J/cm2 (61.82 cal/cm2), 6545.2 mm.
    SharedState s = ArcCurrentStep({"20000", "10", "32", "910", kMm, kMm, kSwitchgear, 1});
    ASSERT_TRUE(s.ReducedCaseOff);
    const EmpiricalOutcome out = RunEmpiricalResults(s, {"0.5", ""}, kDefaultUnits, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_FALSE(out.texts.reducedCaseOffered);
    EXPECT_EQ(out.texts.durationCaption, "Arc Duration (sec):");
    EXPECT_EQ(out.texts.full.energy, "61.82");
    EXPECT_EQ(out.texts.full.boundary, "258");  // 257.69 in
    EXPECT_NEAR(s.IncidentEnergy, 258.66, 0.005);
    EXPECT_NEAR(s.FlashBoundary, 6545.2, 0.05);
    EXPECT_DOUBLE_EQ(s.ArcPressure, 0);
    EXPECT_DOUBLE_EQ(s.ArcPressureReduced, 0);
    EXPECT_DOUBLE_EQ(s.TntEquivalent, 0);
    EXPECT_DOUBLE_EQ(s.TntEquivalentReduced, 0);
    // Equal (zero) pressures and TNT equivalents: the reduced-case rows are bold.
    EXPECT_FALSE(out.texts.fullPressureBold);
    EXPECT_FALSE(out.texts.fullTntBold);
    EXPECT_EQ(s.PpeIndex, 5);
    EXPECT_EQ(s.PpeLevel, "N/A");
    EXPECT_EQ(out.texts.full.clothing1, "Consult PPE Manufacturer");
    EXPECT_FALSE(out.texts.full.clothingSecondLineShown);
    EXPECT_EQ(out.texts.approach.limited, "72");
    EXPECT_EQ(out.texts.approach.restricted, "31");
    EXPECT_EQ(out.texts.approach.prohibited, "10");

    const auto metric =
        RunEmpiricalResults(s, {"0.5", ""}, Units("J/cm2", "mm", "lb/ft2", "kg"), '.').texts;
    EXPECT_EQ(metric.full.energy, "258.66");
    EXPECT_EQ(metric.full.boundary, "6545");
}

TEST(EmpiricalResults, WideGapBelow15kVKeepsTheDurationCaption) {
    SharedState s = ArcCurrentStep({"480", "20", "153", "455", kMm, kMm, kSwitchgear, 1});
    const EmpiricalOutcome out = RunEmpiricalResults(s, {"0.5", ""}, kDefaultUnits, '.');
    ASSERT_EQ(RefusalText(out.refusal), "");
    EXPECT_FALSE(out.texts.reducedCaseOffered);
    EXPECT_EQ(out.texts.durationCaption, "Arc Duration @ Predicted Arc Current (sec):");
    EXPECT_DOUBLE_EQ(s.ArcPressure, 0);
    EXPECT_DOUBLE_EQ(s.TntEquivalent, 0);
    // 2142 x 480 x 20 x 0.5 / 455^2.
    ExpectRelative(s.IncidentEnergy, 2142.0 * 480 * 20 * 0.5 / (455.0 * 455.0));
}

TEST(EmpiricalResults, OtherDurationsScaleTheResultsFromTheSameCurrents) {
    SharedState s = ArcCurrentStep({"480", "20", "32", "455", kMm, kMm, kSwitchgear, 1});
    RunEmpiricalResults(s, {"0.1", "0.15"}, kDefaultUnits, '.');
    const SharedState first = s;
    // Back, other durations, Next again.
    RunEmpiricalResults(s, {"0.3", "0.6"}, kDefaultUnits, '.');
    EXPECT_DOUBLE_EQ(s.ArcCurrent, first.ArcCurrent);
    ExpectRelative(s.IncidentEnergy, 3 * first.IncidentEnergy);
    ExpectRelative(s.IncidentEnergyReduced, 4 * first.IncidentEnergyReduced);
    ExpectRelative(s.FlashBoundary, first.FlashBoundary * std::pow(3.0, 1 / 1.473));
    ExpectRelative(s.FlashBoundaryReduced, first.FlashBoundaryReduced * std::pow(4.0, 1 / 1.473));
    ExpectRelative(s.TntEquivalent, 3 * first.TntEquivalent);
    ExpectRelative(s.TntEquivalentReduced, 4 * first.TntEquivalentReduced);
    EXPECT_DOUBLE_EQ(s.ArcPressure, first.ArcPressure);
    EXPECT_DOUBLE_EQ(s.ArcPressureReduced, first.ArcPressureReduced);
}

}  // namespace
}  // namespace zentavo

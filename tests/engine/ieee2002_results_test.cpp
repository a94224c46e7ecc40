// SPDX-License-Identifier: GPL-3.0-or-later
// The 2002 methods as numbers (ComputeEmpirical, ComputeFuse, ComputeBreaker)
// against the windows' path through the shared state: across the boundaries
// of each method both give the same numbers, bit for bit, and the outcome's
// approach distances are the results'. Rows with known values check them too;
// those values are the ones the empirical and fuse/breaker tests assert
// through the shared state (NaN: not checked).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "engine/shared_state.h"

namespace zentavo {
namespace {

constexpr double kNo = std::numeric_limits<double>::quiet_NaN();

void ExpectSameCase(const CaseResult& windows, const CaseResult& numbers) {
    EXPECT_EQ(windows.energy, numbers.energy);
    EXPECT_EQ(windows.boundary, numbers.boundary);
    EXPECT_EQ(windows.boundaryFloored, numbers.boundaryFloored);
    EXPECT_EQ(windows.ppeIndex, numbers.ppeIndex);
    EXPECT_EQ(windows.pressure, numbers.pressure);
    EXPECT_EQ(windows.tnt, numbers.tnt);
}

void ExpectSameApproach(const ApproachDistances& windows, const ApproachDistances& numbers) {
    EXPECT_EQ(windows.limited, numbers.limited);
    EXPECT_EQ(windows.restricted, numbers.restricted);
    EXPECT_EQ(windows.prohibited, numbers.prohibited);
}

// A known value within `tolerance`, where the row gives one.
void ExpectKnown(double actual, double known, double tolerance) {
    if (!std::isnan(known)) {
        EXPECT_NEAR(actual, known, tolerance);
    }
}

std::string Text(double v) { return std::to_string(v); }

struct EmpiricalRow {
    const char* name;
    EmpiricalInputs in;
    bool lee;
    double arcCurrent, energy, boundary, tolerance;  // kA, J/cm2, mm
    double limited;                                  // inches
};
void PrintTo(const EmpiricalRow& r, std::ostream* os) { *os << r.name; }
class Empirical : public ::testing::TestWithParam<EmpiricalRow> {};

TEST_P(Empirical, NumbersAreTheWindowsNumbers) {
    const EmpiricalRow& r = GetParam();
    const std::string v = Text(r.in.voltage), i = Text(r.in.boltedCurrent), g = Text(r.in.gapMm),
                      d = Text(r.in.workDistMm), t1 = Text(r.in.arcTime), t2 = Text(r.in.arcTimeReduced);
    SharedState s = StartState();
    const EmpiricalFields f{v, i, g, d, LengthUnit::Millimetres, LengthUnit::Millimetres,
                            r.in.equipmentClass, r.in.grounding, std::nullopt};
    const ArcCurrentOutcome first = RunEmpiricalArcCurrent(s, f, '.');
    ASSERT_EQ(RefusalText(first.refusal), "");
    s.ReducedCaseOff = !first.reducedCaseOffered;
    const EmpiricalOutcome second = RunEmpiricalResults(s, {t1, t2}, UnitSettings{}, '.');
    ASSERT_EQ(RefusalText(second.refusal), "");

    const EmpiricalResults n = ComputeEmpirical(r.in);
    EXPECT_EQ(n.currents.lee, r.lee);
    EXPECT_EQ(first.reducedCaseOffered, !n.currents.lee);
    EXPECT_EQ(first.arcCurrentKa, n.currents.arcCurrentKa);
    EXPECT_EQ(first.arcCurrentReducedKa, n.currents.arcCurrentReducedKa);
    EXPECT_EQ(s.ArcCurrent, n.currents.arcCurrent);
    EXPECT_EQ(s.ArcCurrentReduced, n.currents.arcCurrentReduced);
    ExpectSameCase(second.full, n.full);
    ASSERT_EQ(n.reduced.has_value(), !r.lee);
    if (n.reduced) ExpectSameCase(second.reduced, *n.reduced);
    EXPECT_EQ(second.texts.reducedGoverns, n.reducedGoverns);
    ExpectSameApproach(second.approach, n.approach);
    EXPECT_EQ(n.approach.limited, r.limited);

    ExpectKnown(n.currents.arcCurrent, r.arcCurrent, 1e-12);
    ExpectKnown(n.full.energy, r.energy, r.energy * r.tolerance);
    ExpectKnown(n.full.boundary, r.boundary, r.boundary * r.tolerance);
}

constexpr int kSg = kSwitchgear, kMcc = kMccAndPanels;
INSTANTIATE_TEST_SUITE_P(
    Boundaries, Empirical,
    ::testing::Values(
        EmpiricalRow{"Switchgear480", {480, 20, 32, 455, kSg, 1, 0.2, 0.2}, false, 11.22,
                     30.723116872287612, 1560.6671499425838, 1e-9, 42},
        // 0.005 s: both floored, no pressures or TNT equivalents in either case.
        EmpiricalRow{"ShortArc480", {480, 20, 32, 455, kSg, 1, 0.005, 0.2}, false, 11.22,
                     0.25 / 0.239006, 152.4, 1e-12, 42},
        EmpiricalRow{"Ungrounded208", {208, 0.71, 13, 300, kSg, 0, 2, 2}, false, 0.66, kNo, kNo, 0, 42},
        EmpiricalRow{"OpenAir300", {300, 5, 40, 2000, kOpenAir, 1, 0.5, 1}, false, kNo, kNo, kNo, 0, 120},
        EmpiricalRow{"Cable999", {999, 30, 13, 455, kCable, 0, 0.3, 0.4}, false, kNo, kNo, kNo, 0, 120},
        // 1.0 kA at 1000 V: capped at the bolted current.
        EmpiricalRow{"Capped1000", {1000, 1, 32, 455, kSg, 0, 0.2, 0.2}, false, 1.00, kNo, kNo, 0, 60},
        EmpiricalRow{"Capped13800", {13800, 1, 32, 455, kSg, 1, 0.2, 0.2}, false, 1.00, kNo, kNo, 0, 60},
        EmpiricalRow{"Mcc1001", {1001, 40, 104, 910, kMcc, 1, 1, 0.1}, false, kNo, kNo, kNo, 0, 60},
        EmpiricalRow{"Gap152At14999", {14999, 106, 152, 610, kSg, 0, 0.5, 0.5}, false, kNo, kNo, kNo, 0, 60},
        EmpiricalRow{"Gap153At480", {480, 20, 153, 455, kMcc, 1, 0.5, 0.5}, true, kNo, kNo, kNo, 0, 42},
        // 20 kV, 10 kA, 0.5 s at 910 mm: 258.66 J/cm2 and 6545.2 mm.
        EmpiricalRow{"Lee20000", {20000, 10, 32, 910, kSg, 1, 0.5, 0.5}, true, kNo, 258.66, 6545.2, 2e-5, 72},
        // A kept reduced duration below 0.01 s leaves the Lee case's pressure out.
        EmpiricalRow{"Lee15000ShortKept", {15000, 10, 32, 610, kCable, 0, 0.5, 0.005}, true, kNo, kNo, kNo,
                     0, 120},
        EmpiricalRow{"Lee46000", {46000, 50, 300, 2000, kMcc, 0, 2, 2}, true, kNo, kNo, kNo, 0, 96}),
    [](const auto& p) { return std::string(p.param.name); });

struct FuseRow {
    FuseInputs in;
    const char* warning;
    double arcCurrent, energy, boundary, boundaryTolerance;  // kA, J/cm2, mm, mm
};
class Fuse : public ::testing::TestWithParam<FuseRow> {};

TEST_P(Fuse, NumbersAreTheWindowsNumbers) {
    const FuseRow& r = GetParam();
    const std::string i = Text(r.in.boltedCurrent), d = Text(r.in.workDistMm);
    FuseFields f;
    f.boltedCurrent = i, f.workDist = d, f.fuseClass = r.in.fuseClass, f.equipmentClass = r.in.equipmentClass;
    SharedState s = StartState();
    const FuseOutcome out = RunFuse(s, f, UnitSettings{}, '.');
    const FuseResults n = ComputeFuse(r.in);
    EXPECT_EQ(RefusalText(out.refusal), r.warning);
    EXPECT_EQ(n.equation.message, r.warning);
    EXPECT_EQ(s.ArcCurrent, n.arcCurrent);
    EXPECT_EQ(s.ArcCurrentReduced, n.arcCurrentReduced);
    EXPECT_EQ(s.Gap, n.gapMm);
    ExpectKnown(n.arcCurrent, r.arcCurrent, 1e-12);
    ASSERT_EQ(n.result.has_value(), RefusalText(out.refusal).empty());
    if (!n.result) return;
    ExpectSameCase(out.result, *n.result);
    EXPECT_EQ(s.FuseEnergyRef, n.energyRef);
    ExpectSameApproach(out.approach, n.approach);
    ExpectKnown(n.result->energy, r.energy, r.energy * 1e-9);
    ExpectKnown(n.result->boundary, r.boundary, r.boundaryTolerance);
}

constexpr const char* kFuseLow = msg::kFuseLowCurrent.data();
INSTANTIATE_TEST_SUITE_P(
    ClassesAndRanges, Fuse,
    ::testing::Values(FuseRow{{1.0, 455, 0, kSg}, "", 0.95, 9.995576, 728.19, 0.005},
                      FuseRow{{50, 910, 0, kSg}, "", 32.13, 0.25 / 0.239006, 157.3076, 1e-4},
                      FuseRow{{1.0, 455, 1, kSg}, kFuseLow, 0.95, kNo, kNo, 0},
                      FuseRow{{1.6, 300, 1, kSg}, "", kNo, kNo, kNo, 0},
                      FuseRow{{5.04, 2000, 2, kSg}, "", kNo, kNo, kNo, 0},
                      FuseRow{{15.7, 610, 3, kOpenAir}, "", kNo, kNo, kNo, 0},
                      FuseRow{{15.69, 455, 4, kSg}, kFuseLow, kNo, kNo, kNo, 0},
                      FuseRow{{30, 610, 5, kMcc}, "", kNo, kNo, kNo, 0},
                      FuseRow{{44.1, 455, 6, kCable}, "", kNo, kNo, kNo, 0},
                      FuseRow{{106, 1200, 7, kSg}, "", kNo, kNo, kNo, 0}));

struct BreakerRow {
    BreakerInputs in;
    const char* warning;
    double tripArcCurrent, energy, boundary;  // kA, J/cm2, mm
};
class Breaker : public ::testing::TestWithParam<BreakerRow> {};

TEST_P(Breaker, NumbersAreTheWindowsNumbers) {
    const BreakerRow& r = GetParam();
    const std::string v = Text(r.in.voltage), i = Text(r.in.boltedCurrent), d = Text(r.in.workDistMm),
                      ir = Text(r.in.interruptingRating), it = Text(r.in.instantaneousTrip);
    BreakerFields f;
    f.voltage = v, f.boltedCurrent = i, f.workDist = d, f.interruptingRating = ir, f.instantaneousTrip = it;
    f.breakerType = r.in.breakerType, f.equipmentClass = r.in.equipmentClass;
    SharedState s = StartState();
    const BreakerOutcome out = RunBreaker(s, f, UnitSettings{}, '.');
    const BreakerResults n = ComputeBreaker(r.in);
    EXPECT_EQ(RefusalText(out.refusal), r.warning);
    EXPECT_EQ(n.message, r.warning);
    EXPECT_EQ(s.BreakerTripArcCurrent, n.tripArcCurrent);
    ExpectKnown(n.tripArcCurrent, r.tripArcCurrent, 0.005);
    ASSERT_EQ(n.result.has_value(), RefusalText(out.refusal).empty());
    if (!n.result) return;
    ExpectSameCase(out.result, *n.result);
    EXPECT_EQ(s.BreakerEnergyRef, n.energyRef);
    ExpectSameApproach(out.approach, n.approach);
    ExpectKnown(n.result->energy, r.energy, r.energy * 1e-9);
    ExpectKnown(n.result->boundary, r.boundary, r.boundary * 1e-9);
}

constexpr const char* kAboveRating = msg::kAboveInterruptingRating.data();
constexpr const char* kBelowBand = msg::kBelowTrippingBand.data();
INSTANTIATE_TEST_SUITE_P(
    TypesAndVoltages, Breaker,
    ::testing::Values(BreakerRow{{480, 20, 460, 25, 2, 0, kMcc}, "", 3.36, 4.364, 377.2},
                      BreakerRow{{208, 20, 460, 25, 2, 0, kMcc}, "", 3.36, 4.364, 377.2},
                      BreakerRow{{480, 20.01, 460, 20, 2, 0, kMcc}, kAboveRating, 0, kNo, kNo},
                      BreakerRow{{480, 20, 460, 65, 20, 0, kMcc}, kBelowBand, 49.68, kNo, kNo},
                      BreakerRow{{480, 4, 460, 65, 2.5, 1, kMcc}, kBelowBand, kNo, kNo, kNo},
                      BreakerRow{{575, 4, 460, 65, 2.5, 2, kSg}, "", kNo, kNo, kNo},
                      BreakerRow{{600, 0.7, 2000, 10, 0.3, 3, kOpenAir}, "", kNo, kNo, kNo},
                      BreakerRow{{690, 106, 300, 106, 2, 4, kCable}, "", kNo, kNo, kNo},
                      BreakerRow{{480, 50, 460, 65, 2, 5, kMcc}, "", kNo, 255.23, kNo}));

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/fuse_equations.h"

#include "engine/classification.h"
#include "engine/empirical.h"
#include "engine/number.h"
#include "engine/power.h"
#include "engine/state_steps.h"

namespace zentavo {

namespace {

enum Bound { kOpen, kClosed };

struct FuseRange {
    double low;
    Bound lowBound;
    double high;
    Bound highBound;
    bool tooLow;  // "use the empirical model" instead of an equation
    double k2, k1, k0;
};

struct FuseClassTable {
    FuseRange ranges[5];
    int count;
};

// Ranges are tested in order; the bounds are exactly those of the guide's table.
constexpr FuseClassTable kFuseTable[8] = {
    // Class RK1 Fuse, 0 A to 100 A
    {{{0, kOpen, 0.65, kOpen, true, 0, 0, 0},
      {0.65, kClosed, 1.16, kClosed, false, 0, -11.176, 13.565},
      {1.16, kOpen, 1.4, kClosed, false, 0, -1.4583, 2.2917},
      {1.4, kOpen, 106, kClosed, false, 0, 0, 0.25}},
     4},
    // Class RK1 Fuse, 101 A to 200 A
    {{{0, kOpen, 1.16, kOpen, true, 0, 0, 0},
      {1.16, kClosed, 1.6, kClosed, false, 0, -18.409, 36.355},
      {1.6, kOpen, 3.16, kClosed, false, 0, -4.2628, 13.721},
      {3.16, kOpen, 106, kClosed, false, 0, 0, 0.25}},
     4},
    // Class RK1 Fuse, 201 A to 400 A
    {{{0, kOpen, 3.16, kOpen, true, 0, 0, 0},
      {3.16, kClosed, 5.04, kClosed, false, 0, -19.053, 96.808},
      {5.04, kOpen, 22.6, kClosed, false, 0, -0.0302, 0.9321},
      {22.6, kOpen, 106, kClosed, false, 0, 0, 0.25}},
     4},
    // Class RK1 Fuse, 401 A to 600 A
    {{{0, kOpen, 8.5, kOpen, true, 0, 0, 0},
      {8.5, kClosed, 14, kClosed, false, 0, -3.0545, 43.364},
      {14, kOpen, 15.7, kClosed, false, 0, 0, 0.6},
      {15.7, kOpen, 22.6, kClosed, false, 0, -0.0507, 1.3964},
      {22.6, kOpen, 106, kClosed, false, 0, 0, 0.25}},
     5},
    // Class L Fuse, 601 A to 800 A
    {{{0, kOpen, 15.7, kOpen, true, 0, 0, 0},
      {15.7, kClosed, 44.1, kClosed, false, 0, -0.0601, 2.8992},
      {44.1, kOpen, 106, kClosed, false, 0, 0, 0.25}},
     3},
    // Class L Fuse, 801 A to 1200 A
    {{{0, kOpen, 15.7, kOpen, true, 0, 0, 0},
      {15.7, kClosed, 22.6, kClosed, false, 0, -0.1928, 14.226},
      {22.6, kOpen, 44.1, kClosed, false, 0.0143, -1.3919, 34.045},
      {44.1, kOpen, 106, kClosed, false, 0, 0, 0.39}},
     4},
    // Class L Fuse, 1201 A to 1600 A
    {{{0, kOpen, 15.7, kOpen, true, 0, 0, 0},
      {15.7, kClosed, 31.8, kClosed, false, 0, -0.1863, 27.926},
      {31.8, kOpen, 44.1, kOpen, false, 0, -1.5504, 71.303},
      {44.1, kClosed, 65.9, kClosed, false, 0, 0, 2.93},
      {65.9, kOpen, 106, kClosed, false, 0, -0.0631, 7.0878}},
     5},
    // Class L Fuse, 1601 A to 2000 A
    {{{0, kOpen, 22.6, kOpen, true, 0, 0, 0},
      {22.6, kClosed, 65.9, kClosed, false, 0, -0.1284, 32.262},
      {65.9, kOpen, 106, kClosed, false, 0, -0.5177, 57.917}},
     3},
};

bool InRange(const FuseRange& r, double i) {
    const bool aboveLow = r.lowBound == kOpen ? i > r.low : i >= r.low;
    const bool belowHigh = r.highBound == kOpen ? i < r.high : i <= r.high;
    return aboveLow && belowHigh;
}

constexpr double kFuseVoltage = 600.0;            // V
constexpr double kFuseReferenceDistance = 455.0;  // mm
constexpr double kBoundaryEnergy = 5.0;           // J/cm2

}  // namespace

FuseEquation LookUpFuseEquation(int fuseClass, double ibf) {
    FuseEquation eq;
    if (fuseClass >= 0 && fuseClass < 8) {
        const auto& table = kFuseTable[fuseClass];
        for (int i = 0; i < table.count; ++i) {
            const auto& r = table.ranges[i];
            if (!InRange(r, ibf)) continue;
            if (r.tooLow) {
                eq.message = msg::kFuseLowCurrent;
            } else {
                eq.k2 = r.k2;
                eq.k1 = r.k1;
                eq.k0 = r.k0;
            }
            return eq;
        }
    }
    eq.message = msg::kFuseAboveLimit;
    return eq;
}

FuseResults ComputeFuse(const FuseInputs& in) {
    FuseResults r;
    const double ibf = in.boltedCurrent;
    r.gapMm = ClassDefaultGapMm(in.equipmentClass);
    r.k = ArcingCurrentConstant(in.equipmentClass);
    r.logArcCurrent = LogArcingCurrent(kFuseVoltage, ibf, r.gapMm, r.k);
    const double ia = Power10(r.logArcCurrent);
    r.arcCurrent = RoundCurrent(ia);
    r.arcCurrentReduced = RoundCurrent(0.85 * ia);
    r.approach = ApproachDistancesOf(SelectApproachBoundaries(kFuseVoltage, in.equipmentClass));
    r.equation = LookUpFuseEquation(in.fuseClass, ibf);
    if (!r.equation.message.empty()) return r;

    const FuseEquation& eq = r.equation;
    const double x = LowVoltageDistanceExponent(in.equipmentClass);
    r.energyRef = 4.184 * (eq.k1 * ibf + eq.k0 + eq.k2 * ibf * ibf);
    const double energy = r.energyRef * Power(kFuseReferenceDistance / in.workDistMm, x);
    const double boundary = Power(Power(kFuseReferenceDistance, x) * r.energyRef / kBoundaryEnergy, 1.0 / x);
    r.result = FlooredCase(energy, boundary, kFullCaseFloorFactor);
    r.result->pressure = ArcBlastPressure(r.arcCurrent, in.workDistMm);
    return r;
}

void FillSingleCaseTexts(SingleCaseResultTexts& t, const SharedState& s, const CaseResult& result, CaseStyle style,
                         const UnitSettings& u, char sep) {
    t.result = CaseResultTexts(result, style, u, sep);
    t.approach.limited = ApproachText(s.LimitedApproach, u, sep);
    t.approach.restricted = ApproachText(s.RestrictedApproach, u, sep);
    t.approach.prohibited = ApproachText(s.ProhibitedApproach, u, sep);
}

FuseOutcome RunFuse(SharedState& s, const FuseFields& f, const UnitSettings& u, char sep) {
    FuseOutcome out;
    StartMainWindowNext(s);
    out.refusal = CheckFuseInputs(s, f, u.GapUnit, out.gapText, sep);
    if (out.refusal) return out;

    const FuseResults r = ComputeFuse({s.BoltedCurrent, s.WorkDist, f.fuseClass, f.equipmentClass});
    s.K = r.k;
    s.LogArcCurrent = r.logArcCurrent;
    s.ArcCurrent = r.arcCurrent;
    s.ArcCurrentReduced = r.arcCurrentReduced;
    // The arcing current and approach boundaries come before the table's verdict.
    WriteApproachBoundaries(s, f.equipmentClass);
    if (!r.result) {
        out.refusal = Refusal{RefusalCode::OutsideModel, std::string(r.equation.message)};
        return out;
    }

    s.FuseEnergyRef = r.energyRef;
    s.ArcPressure = *r.result->pressure;
    WriteSingleCase(s, *r.result, s.FuseEnergy, s.FuseFlashBoundary);
    out.result = *r.result;
    out.approach = r.approach;

    SingleCaseResultTexts& t = out.texts;
    t.summaryCaption.clear();
    t.arcCurrent = FormatFixed(s.ArcCurrent, 4, 2, sep);
    FillSingleCaseTexts(t, s, out.result, CaseStyle::Fuse, u, sep);
    return out;
}

}  // namespace zentavo

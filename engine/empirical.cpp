// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/empirical.h"

#include <cmath>

#include "engine/arc_duration.h"
#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/number.h"
#include "engine/power.h"
#include "engine/state_steps.h"

namespace zentavo {

double CalculationFactor(double voltage) { return voltage < 1000.0 ? 1.5 : 1.0; }

double EnergyClassConstant(int equipmentClass) {
    return (equipmentClass == kSwitchgear || equipmentClass == kMccAndPanels) ? -0.555 : -0.792;
}

double GroundingConstant(int grounding) { return grounding == 1 ? -0.113 : 0.0; }

double ArcingCurrentConstant(int equipmentClass) {
    return (equipmentClass == kOpenAir || equipmentClass == kCable) ? -0.153 : -0.097;
}

double LowVoltageDistanceExponent(int equipmentClass) {
    switch (equipmentClass) {
        case kSwitchgear: return 1.473;
        case kMccAndPanels: return 1.641;
        default: return 2.0;
    }
}

double DistanceExponent(int equipmentClass, double voltage) {
    if (voltage <= 1000.0) return LowVoltageDistanceExponent(equipmentClass);
    return (equipmentClass == kSwitchgear || equipmentClass == kMccAndPanels) ? 0.973 : 2.0;
}

double LogArcingCurrent(double voltage, double boltedCurrent, double gapMm, double k) {
    const double lgIbf = std::log10(boltedCurrent);
    if (voltage < 1000.0) {
        const double kv = voltage * 0.001;
        return k + 0.662 * lgIbf + 0.0966 * kv + 0.000526 * gapMm + 0.5588 * kv * lgIbf -
               0.00304 * gapMm * lgIbf;
    }
    return 0.00402 + 0.983 * lgIbf;
}

double RoundCurrent(double kA) {
    // Written with two decimals and read back: what is shown is what is used.
    return RoundToDecimals(kA, 2);
}

double NormalizedEnergyLog(double arcCurrent, double k1, double k2, double gapMm) {
    return k1 + k2 + 1.081 * std::log10(arcCurrent) + 0.0011 * gapMm;
}

bool IsLeeCase(double voltage, double gapMm) { return voltage >= 15000.0 || gapMm > 152.0; }

namespace {

constexpr double kBoundaryEnergy = 5.0;  // J/cm2 at the flash protection boundary

struct EnergyAndBoundary {
    double energy = 0;    // J/cm2
    double boundary = 0;  // mm
};

EnergyAndBoundary EmpiricalCase(const EmpiricalInputs& in, const EmpiricalArcCurrents& a, double lgEn,
                                double t) {
    const double x = a.distExponent;
    const double en = Power10(lgEn);
    const double at610 = Power(610.0, x);
    const double energy = en * (4.184 * a.cf) * (t / 0.2) * at610 / Power(in.workDistMm, x);
    const double boundary = Power(4.184 * a.cf * en * t / 0.2 * at610 / kBoundaryEnergy, 1.0 / x);
    return {energy, boundary};
}

// Both cases before the floors; the reduced one zero in the Lee case.
struct BothEnergies {
    EnergyAndBoundary full, reduced;
};

BothEnergies EnergiesOf(const EmpiricalInputs& in, const EmpiricalArcCurrents& a) {
    if (a.lee) {
        const double d = in.workDistMm;
        const double v = in.voltage, ibf = in.boltedCurrent, t = in.arcTime;
        return {{2142.0 * v * ibf * (t / (d * d)), std::sqrt(2142.0 * v * ibf * (t / kBoundaryEnergy))}, {}};
    }
    return {EmpiricalCase(in, a, a.logNormEnergy, in.arcTime),
            EmpiricalCase(in, a, a.logNormEnergyReduced, in.arcTimeReduced)};
}

// Both cases as the windows keep them: the reduced one also in the Lee case
// (a zero energy and boundary raised to the floors), the pressures and TNT
// equivalents also where the rules leave them out of the cases.
struct StateCases {
    CaseResult full, reduced;
    double pressure = 0, pressureReduced = 0;  // lb/ft2, zero in the Lee case
    double tnt = 0, tntReduced = 0;            // kg, zero in the Lee case
    bool reducedGoverns = false;
};

StateCases CasesOf(const EmpiricalInputs& in, const EmpiricalArcCurrents& a) {
    const BothEnergies e = EnergiesOf(in, a);
    StateCases c;
    const double ibf = in.boltedCurrent;
    if (!a.lee) {
        c.pressure = ArcBlastPressure(a.arcCurrent, in.workDistMm);
        c.pressureReduced = ArcBlastPressure(a.arcCurrentReduced, in.workDistMm);
        c.tnt = ibf > a.arcCurrent ? TntEquivalentOf(a.arcCurrent, ibf, in.voltage, in.arcTime) : 0.0;
        c.tntReduced = TntEquivalentOf(a.arcCurrentReduced, ibf, in.voltage, in.arcTimeReduced);
    }
    c.full = FlooredCase(e.full.energy, e.full.boundary, kFullCaseFloorFactor);
    c.reduced = FlooredCase(e.reduced.energy, e.reduced.boundary, kReducedCaseFloorFactor);
    // Pressures and TNT equivalents are "N/A" for an arc shorter than 0.01 s
    // in either case, and the full case's TNT equivalent where the arcing
    // current is not below the bolted current.
    if (!(in.arcTime < 0.01 || in.arcTimeReduced < 0.01)) {
        c.full.pressure = c.pressure;
        c.reduced.pressure = c.pressureReduced;
        if (ibf > a.arcCurrent) c.full.tnt = c.tnt;
        c.reduced.tnt = c.tntReduced;
    }
    // The case that governs is chosen on the energies as computed, before the
    // floors: two cases both raised to the floor keep the larger boundary.
    c.reducedGoverns = ReducedGoverns(e.full.energy, e.reduced.energy);
    return c;
}

// The inputs and first step as the state holds them after the arcing-current
// step (the class and grounding are not kept: nothing after reads them).
EmpiricalInputs InputsOf(const SharedState& s) {
    EmpiricalInputs in;
    in.voltage = s.Voltage;
    in.boltedCurrent = s.BoltedCurrent;
    in.gapMm = s.Gap;
    in.workDistMm = s.WorkDist;
    in.arcTime = s.ArcTime;
    in.arcTimeReduced = s.ArcTimeReduced;
    return in;
}

EmpiricalArcCurrents ArcCurrentsOf(const SharedState& s) {
    EmpiricalArcCurrents a;
    a.k = s.K;
    a.k1 = s.K1;
    a.k2 = s.K2;
    a.cf = s.Cf;
    a.distExponent = s.DistExponent;
    a.logArcCurrent = s.LogArcCurrent;
    a.arcCurrent = s.ArcCurrent;
    a.arcCurrentReduced = s.ArcCurrentReduced;
    a.logNormEnergy = s.LogNormEnergy;
    a.logNormEnergyReduced = s.LogNormEnergyReduced;
    a.lee = IsLeeCase(s.Voltage, s.Gap);
    return a;
}

}  // namespace

EmpiricalArcCurrents ComputeEmpiricalArcCurrents(const EmpiricalInputs& in) {
    EmpiricalArcCurrents a;
    a.k = ArcingCurrentConstant(in.equipmentClass);
    a.k1 = EnergyClassConstant(in.equipmentClass);
    a.k2 = GroundingConstant(in.grounding);
    a.cf = CalculationFactor(in.voltage);
    a.distExponent = DistanceExponent(in.equipmentClass, in.voltage);
    a.logArcCurrent = LogArcingCurrent(in.voltage, in.boltedCurrent, in.gapMm, a.k);
    const double ia = Power10(a.logArcCurrent);
    a.arcCurrentKa = ia;
    a.arcCurrentReducedKa = 0.85 * ia;
    // The arc cannot carry more than the bolted fault current.
    if (in.boltedCurrent <= ia) {
        a.arcCurrentKa = in.boltedCurrent;
        a.arcCurrentReducedKa = in.boltedCurrent - 0.15 * in.boltedCurrent;
    }
    a.arcCurrent = RoundCurrent(a.arcCurrentKa);
    a.arcCurrentReduced = RoundCurrent(a.arcCurrentReducedKa);
    a.logNormEnergy = NormalizedEnergyLog(a.arcCurrent, a.k1, a.k2, in.gapMm);
    a.logNormEnergyReduced = NormalizedEnergyLog(a.arcCurrentReduced, a.k1, a.k2, in.gapMm);
    a.lee = IsLeeCase(in.voltage, in.gapMm);
    return a;
}

EmpiricalResults ComputeEmpiricalCases(const EmpiricalInputs& in, const EmpiricalArcCurrents& a) {
    const StateCases c = CasesOf(in, a);
    EmpiricalResults r;
    r.currents = a;
    r.full = c.full;
    if (!a.lee) r.reduced = c.reduced;
    r.reducedGoverns = c.reducedGoverns;
    r.approach = ApproachDistancesOf(SelectApproachBoundaries(in.voltage, in.equipmentClass));
    return r;
}

EmpiricalResults ComputeEmpirical(const EmpiricalInputs& in) {
    return ComputeEmpiricalCases(in, ComputeEmpiricalArcCurrents(in));
}

void ComputeEmpiricalEnergies(SharedState& s) {
    const BothEnergies e = EnergiesOf(InputsOf(s), ArcCurrentsOf(s));
    s.IncidentEnergy = e.full.energy;
    s.FlashBoundary = e.full.boundary;
    s.IncidentEnergyReduced = e.reduced.energy;
    s.FlashBoundaryReduced = e.reduced.boundary;
}

ArcCurrentOutcome RunEmpiricalArcCurrent(SharedState& s, const EmpiricalFields& f, char sep) {
    ArcCurrentOutcome out;
    StartMainWindowNext(s);
    out.refusal = CheckEmpiricalInputs(s, f, sep);
    if (out.refusal) return out;

    EmpiricalInputs in = InputsOf(s);
    in.equipmentClass = f.equipmentClass;
    in.grounding = f.grounding;
    const EmpiricalArcCurrents a = ComputeEmpiricalArcCurrents(in);
    s.K = a.k;
    s.K1 = a.k1;
    s.K2 = a.k2;
    s.Cf = a.cf;
    s.DistExponent = a.distExponent;
    s.LogArcCurrent = a.logArcCurrent;
    s.ArcCurrent = a.arcCurrent;
    s.ArcCurrentReduced = a.arcCurrentReduced;
    s.LogNormEnergy = a.logNormEnergy;
    s.LogNormEnergyReduced = a.logNormEnergyReduced;
    WriteApproachBoundaries(s, f.equipmentClass);

    out.arcCurrentKa = a.arcCurrentKa;
    out.arcCurrentReducedKa = a.arcCurrentReducedKa;
    out.arcCurrent = FormatFixed(a.arcCurrent, 5, 2, sep);
    out.arcCurrentReduced = FormatFixed(a.arcCurrentReduced, 5, 2, sep);
    out.reducedCaseOffered = !a.lee;
    return out;
}

namespace {

// The problem of a duration typed or found, empty when it is accepted: at
// least kShortestArcTime and at most 2 s.
std::string_view DurationProblem(double t, bool reduced) {
    if (const std::string_view p = ShortArcTimeProblem(t, reduced); !p.empty()) return p;
    if (!(t <= 2.0)) return reduced ? msg::kArcTimeReducedRange : msg::kArcTimeRange;
    return {};
}

// Reads the arc durations into the state; returns their refusal.
std::optional<Refusal> CheckDurations(SharedState& s, const DurationFields& d, const FoundDurations& found,
                           char sep) {
    auto read = [sep](std::string_view text) {
        return text.empty() ? std::nullopt : std::optional<double>(ParseNumber(text, sep));
    };
    DurationValues v;
    v.arcTime = found.arcTime ? found.arcTime : read(d.arcTime);
    // Accepted before the reduced field is read: a text there that is no
    // number leaves it in the state.
    if (v.arcTime && DurationProblem(*v.arcTime, false).empty()) s.ArcTime = *v.arcTime;
    if (found.arcTimeReduced) {
        v.arcTimeReduced = found.arcTimeReduced;
    } else if (s.ReducedCaseOff) {
        // The reduced duration is hidden: a stale text the user cannot see
        // is no number to refuse.
        v.arcTimeReduced = ReadNumber(d.arcTimeReduced, sep);
    } else {
        v.arcTimeReduced = read(d.arcTimeReduced);
    }
    DurationValues kept;
    std::optional<Refusal> refusal = CheckDurationValues(v, !s.ReducedCaseOff, kept);
    if (kept.arcTimeReduced) s.ArcTimeReduced = *kept.arcTimeReduced;
    return refusal;
}

}  // namespace

std::optional<Refusal> CheckDurationValues(const DurationValues& v, bool reducedOffered, DurationValues& kept) {
    std::string error;
    if (!v.arcTime) {
        error += msg::kEnterArcTime;
        error += msg::kArcTimeRange;
    } else if (const std::string_view p = DurationProblem(*v.arcTime, false); p.empty()) {
        kept.arcTime = v.arcTime;
    } else {
        error += p;
    }
    if (!v.arcTimeReduced) {
        if (reducedOffered) error += msg::kEnterArcTimeReduced;
    } else if (const std::string_view p = DurationProblem(*v.arcTimeReduced, true); p.empty()) {
        kept.arcTimeReduced = v.arcTimeReduced;
    } else if (reducedOffered) {
        error += p;
    }
    return RefusalOf(RefusalCode::Duration, std::move(error));
}

EmpiricalOutcome RunEmpiricalResults(SharedState& s, const DurationFields& durations,
                                     const UnitSettings& u, char sep, const FoundDurations& found) {
    EmpiricalOutcome out;
    out.refusal = CheckDurations(s, durations, found, sep);
    s.ErrorText = RefusalText(out.refusal);
    if (out.refusal) return out;

    const StateCases c = CasesOf(InputsOf(s), ArcCurrentsOf(s));
    s.IncidentEnergy = c.full.energy;
    s.FlashBoundary = c.full.boundary;
    s.IncidentEnergyReduced = c.reduced.energy;
    s.FlashBoundaryReduced = c.reduced.boundary;
    s.ArcPressure = c.pressure;
    s.ArcPressureReduced = c.pressureReduced;
    s.TntEquivalent = c.tnt;
    s.TntEquivalentReduced = c.tntReduced;
    s.PpeIndex = c.full.ppeIndex;
    s.PpeLevel = PpeLevelText(c.full.ppeIndex);
    s.PpeIndexReduced = c.reduced.ppeIndex;
    s.PpeLevelReduced = PpeLevelText(c.reduced.ppeIndex);

    const bool lee = IsLeeCase(s.Voltage, s.Gap);
    out.full = c.full;
    out.reduced = c.reduced;
    // The class is not kept: the boundaries are those the arcing-current
    // step wrote from it.
    out.approach = ApproachDistancesIn(s);

    EmpiricalResultTexts& t = out.texts;
    t.reducedCaseOffered = !lee;
    t.durationCaption = s.Voltage >= 15000.0 ? "Arc Duration (sec):"
                                             : "Arc Duration @ Predicted Arc Current (sec):";
    t.full = CaseResultTexts(out.full, CaseStyle::Empirical, u, sep);
    t.reduced = CaseResultTexts(out.reduced, CaseStyle::Empirical, u, sep);
    t.approach.limited = ApproachText(s.LimitedApproach, u, sep);
    t.approach.restricted = ApproachText(s.RestrictedApproach, u, sep);
    t.approach.prohibited = ApproachText(s.ProhibitedApproach, u, sep);
    t.fullClothingBold = s.PpeIndex >= s.PpeIndexReduced;
    t.reducedClothingBold = s.PpeIndexReduced >= s.PpeIndex;
    t.reducedGoverns = c.reducedGoverns;
    t.fullPressureBold = s.ArcPressure > s.ArcPressureReduced;
    t.fullTntBold = s.TntEquivalent > s.TntEquivalentReduced;
    return out;
}

}  // namespace zentavo

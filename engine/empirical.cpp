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
    double energy;
    double boundary;
};

EnergyAndBoundary EmpiricalCase(const SharedState& s, double lgEn, double t) {
    const double x = s.DistExponent;
    const double en = Power10(lgEn);
    const double at610 = Power(610.0, x);
    const double energy = en * (4.184 * s.Cf) * (t / 0.2) * at610 / Power(s.WorkDist, x);
    const double boundary = Power(4.184 * s.Cf * en * t / 0.2 * at610 / kBoundaryEnergy, 1.0 / x);
    return {energy, boundary};
}

}  // namespace

void ComputeEmpiricalEnergies(SharedState& s) {
    if (IsLeeCase(s.Voltage, s.Gap)) {
        const double d = s.WorkDist;
        s.IncidentEnergy = 2142.0 * s.Voltage * s.BoltedCurrent * (s.ArcTime / (d * d));
        s.FlashBoundary =
            std::sqrt(2142.0 * s.Voltage * s.BoltedCurrent * (s.ArcTime / kBoundaryEnergy));
        s.IncidentEnergyReduced = 0;
        s.FlashBoundaryReduced = 0;
        return;
    }
    const auto full = EmpiricalCase(s, s.LogNormEnergy, s.ArcTime);
    const auto reduced = EmpiricalCase(s, s.LogNormEnergyReduced, s.ArcTimeReduced);
    s.IncidentEnergy = full.energy;
    s.FlashBoundary = full.boundary;
    s.IncidentEnergyReduced = reduced.energy;
    s.FlashBoundaryReduced = reduced.boundary;
}

ArcCurrentOutcome RunEmpiricalArcCurrent(SharedState& s, const EmpiricalFields& f, char sep) {
    ArcCurrentOutcome out;
    StartMainWindowNext(s);
    out.warning = CheckEmpiricalInputs(s, f, sep);
    if (!out.warning.empty()) return out;

    s.LogArcCurrent = LogArcingCurrent(s.Voltage, s.BoltedCurrent, s.Gap, s.K);
    const double ia = Power10(s.LogArcCurrent);
    s.ArcCurrent = ia;
    s.ArcCurrentReduced = 0.85 * ia;
    // The arc cannot carry more than the bolted fault current.
    if (s.BoltedCurrent <= ia) {
        s.ArcCurrent = s.BoltedCurrent;
        s.ArcCurrentReduced = s.BoltedCurrent - 0.15 * s.BoltedCurrent;
    }
    s.DistExponent = DistanceExponent(f.equipmentClass, s.Voltage);
    WriteApproachBoundaries(s, f.equipmentClass);
    out.arcCurrentKa = s.ArcCurrent;
    out.arcCurrentReducedKa = s.ArcCurrentReduced;
    s.ArcCurrent = RoundCurrent(s.ArcCurrent);
    s.ArcCurrentReduced = RoundCurrent(s.ArcCurrentReduced);
    s.LogNormEnergy = NormalizedEnergyLog(s.ArcCurrent, s.K1, s.K2, s.Gap);
    s.LogNormEnergyReduced = NormalizedEnergyLog(s.ArcCurrentReduced, s.K1, s.K2, s.Gap);

    out.arcCurrent = FormatFixed(s.ArcCurrent, 5, 2, sep);
    out.arcCurrentReduced = FormatFixed(s.ArcCurrentReduced, 5, 2, sep);
    out.reducedCaseOffered = !IsLeeCase(s.Voltage, s.Gap);
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

// Reads the arc durations into the state; returns the joined messages.
std::string CheckDurations(SharedState& s, const DurationFields& d, const FoundDurations& found,
                           char sep) {
    std::string error;
    if (!found.arcTime && d.arcTime.empty()) {
        error += msg::kEnterArcTime;
        error += msg::kArcTimeRange;
    } else {
        const double t1 = found.arcTime ? *found.arcTime : ParseNumber(d.arcTime, sep);
        if (const std::string_view p = DurationProblem(t1, false); p.empty()) {
            s.ArcTime = t1;
        } else {
            error += p;
        }
    }

    if (found.arcTimeReduced) {
        const double t2 = *found.arcTimeReduced;
        if (const std::string_view p = DurationProblem(t2, true); p.empty()) {
            s.ArcTimeReduced = t2;
        } else if (!s.ReducedCaseOff) {
            error += p;
        }
    } else if (d.arcTimeReduced.empty()) {
        if (!s.ReducedCaseOff) error += msg::kEnterArcTimeReduced;
    } else if (s.ReducedCaseOff) {
        // The reduced duration is hidden: a valid leftover is kept, anything
        // else (a stale text the user cannot see) is ignored.
        try {
            const double t2 = ParseNumber(d.arcTimeReduced, sep);
            if (DurationProblem(t2, true).empty()) s.ArcTimeReduced = t2;
        } catch (const ConversionError&) {
        }
    } else {
        const double t2 = ParseNumber(d.arcTimeReduced, sep);
        if (const std::string_view p = DurationProblem(t2, true); p.empty()) {
            s.ArcTimeReduced = t2;
        } else {
            error += p;
        }
    }
    return error;
}

}  // namespace

EmpiricalOutcome RunEmpiricalResults(SharedState& s, const DurationFields& durations,
                                     const UnitSettings& u, char sep, const FoundDurations& found) {
    EmpiricalOutcome out;
    s.ErrorText = CheckDurations(s, durations, found, sep);
    if (!s.ErrorText.empty()) {
        out.warning = s.ErrorText;
        return out;
    }

    s.PpeLevel.clear();
    s.PpeLevelReduced.clear();
    s.PpeIndex = -1;
    s.PpeIndexReduced = -1;
    ComputeEmpiricalEnergies(s);

    const bool lee = IsLeeCase(s.Voltage, s.Gap);
    if (lee) {
        s.ArcPressure = s.ArcPressureReduced = 0;
        s.TntEquivalent = s.TntEquivalentReduced = 0;
    } else {
        s.ArcPressure = ArcBlastPressure(s.ArcCurrent, s.WorkDist);
        s.ArcPressureReduced = ArcBlastPressure(s.ArcCurrentReduced, s.WorkDist);
        s.TntEquivalent = s.BoltedCurrent > s.ArcCurrent
                              ? TntEquivalentOf(s.ArcCurrent, s.BoltedCurrent, s.Voltage, s.ArcTime)
                              : 0.0;
        s.TntEquivalentReduced =
            TntEquivalentOf(s.ArcCurrentReduced, s.BoltedCurrent, s.Voltage, s.ArcTimeReduced);
    }

    const auto full = ApplyResultFloors(s.IncidentEnergy, s.FlashBoundary, kFullCaseFloorFactor);
    const auto reduced = ApplyResultFloors(s.IncidentEnergyReduced, s.FlashBoundaryReduced,
                                           kReducedCaseFloorFactor);
    s.IncidentEnergy = full.energy;
    s.FlashBoundary = full.boundary;
    s.IncidentEnergyReduced = reduced.energy;
    s.FlashBoundaryReduced = reduced.boundary;
    const auto ppe = ClassifyPpe(s.IncidentEnergy);
    const auto ppeReduced = ClassifyPpe(s.IncidentEnergyReduced);
    s.PpeIndex = ppe.index;
    s.PpeLevel = ppe.level;
    s.PpeIndexReduced = ppeReduced.index;
    s.PpeLevelReduced = ppeReduced.level;

    // The cases as numbers. Pressures and TNT equivalents are "N/A" for an
    // arc shorter than 0.01 s in either case, and the full case's TNT
    // equivalent where the arcing current is not below the bolted current.
    const bool shortArc = s.ArcTime < 0.01 || s.ArcTimeReduced < 0.01;
    CaseResult& f = out.full;
    f.energy = s.IncidentEnergy;
    f.boundary = s.FlashBoundary;
    f.boundaryFloored = full.boundaryFloored;
    f.ppeIndex = s.PpeIndex;
    CaseResult& r = out.reduced;
    r.energy = s.IncidentEnergyReduced;
    r.boundary = s.FlashBoundaryReduced;
    r.boundaryFloored = reduced.boundaryFloored;
    r.ppeIndex = s.PpeIndexReduced;
    if (!shortArc) {
        f.pressure = s.ArcPressure;
        r.pressure = s.ArcPressureReduced;
        if (s.BoltedCurrent > s.ArcCurrent) f.tnt = s.TntEquivalent;
        r.tnt = s.TntEquivalentReduced;
    }

    EmpiricalResultTexts& t = out.texts;
    t.reducedCaseOffered = !lee;
    t.durationCaption = s.Voltage >= 15000.0 ? "Arc Duration (sec):"
                                             : "Arc Duration @ Predicted Arc Current (sec):";
    t.full = CaseResultTexts(f, CaseStyle::Empirical, u, sep);
    t.reduced = CaseResultTexts(r, CaseStyle::Empirical, u, sep);
    t.approach.limited = ApproachText(s.LimitedApproach, u, sep);
    t.approach.restricted = ApproachText(s.RestrictedApproach, u, sep);
    t.approach.prohibited = ApproachText(s.ProhibitedApproach, u, sep);
    t.fullClothingBold = s.PpeIndex >= s.PpeIndexReduced;
    t.reducedClothingBold = s.PpeIndexReduced >= s.PpeIndex;
    t.reducedGoverns = s.IncidentEnergyReduced > s.IncidentEnergy;
    t.fullPressureBold = s.ArcPressure > s.ArcPressureReduced;
    t.fullTntBold = s.TntEquivalent > s.TntEquivalentReduced;
    return out;
}

}  // namespace zentavo

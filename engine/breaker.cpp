// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/breaker.h"

#include <algorithm>
#include <cmath>

#include "engine/classification.h"
#include "engine/empirical.h"
#include "engine/power.h"
#include "engine/state_steps.h"

namespace zentavo {

namespace {

struct BreakerRow {
    BreakerCoefficients upTo480;
    BreakerCoefficients above480;
};

constexpr BreakerRow kBreakerTable[6] = {
    {{0.189, 0.584, 9.16, 194}, {0.271, 0.18, 11.8, 196}},     // MCCB-100-400
    {{0.223, 1.59, 8.45, 364}, {0.335, 0.38, 11.4, 369}},      // MCCB-600-1200-M
    {{0.377, 1.36, 12.5, 428}, {0.468, 4.6, 14.3, 568}},       // MCCB-600-1200-LI
    {{0.448, 3.0, 11.1, 696}, {0.686, 0.165, 16.7, 606}},      // MCCB-1600-6000
    {{0.636, 3.67, 14.5, 786}, {0.958, 0.292, 19.1, 864}},     // LVPCB-800-6300-LI
    {{4.56, 27.23, 47.2, 2660}, {6.86, 2.17, 62.4, 2930}},     // LVPCB-800-6300-LS
};

constexpr double kBreakerReferenceDistance = 460.0;  // mm

}  // namespace

BreakerCoefficients BreakerCoefficientsOf(int breakerType, double voltage) {
    const auto& row = kBreakerTable[std::clamp(breakerType, 0, 5)];
    return voltage <= 480.0 ? row.upTo480 : row.above480;
}

BreakerResults ComputeBreaker(const BreakerInputs& in) {
    BreakerResults r;
    const double ibf = in.boltedCurrent;
    r.approach = ApproachDistancesOf(SelectApproachBoundaries(in.voltage, in.equipmentClass));
    if (ibf > in.interruptingRating) {
        r.message = msg::kAboveInterruptingRating;
        return r;
    }
    r.tripLog = std::log10(1.3 * in.instantaneousTrip);
    r.tripArcLog = in.voltage <= 480.0 ? 1.17 * r.tripLog + 0.0407 : 1.09 * r.tripLog + 0.0281;
    r.tripArcCurrent = Power10(r.tripArcLog);
    if (r.tripArcCurrent > ibf) {
        r.message = msg::kBelowTrippingBand;
        return r;
    }

    const BreakerCoefficients& c = r.coefficients = BreakerCoefficientsOf(in.breakerType, in.voltage);
    const double x = LowVoltageDistanceExponent(in.equipmentClass);
    r.energyRef = c.a * ibf + c.b;
    const double boundary = c.c * ibf + c.d;
    const double energy = r.energyRef * Power(kBreakerReferenceDistance / in.workDistMm, x);
    r.result = FlooredCase(energy, boundary, kFullCaseFloorFactor);
    return r;
}

BreakerOutcome RunBreaker(SharedState& s, const BreakerFields& f, const UnitSettings& u,
                          char sep) {
    BreakerOutcome out;
    StartMainWindowNext(s);
    out.refusal = CheckBreakerInputs(s, f, sep);
    if (out.refusal) return out;

    const BreakerResults r = ComputeBreaker(
        {s.Voltage, s.BoltedCurrent, s.WorkDist, s.BreakerRating, s.BreakerTrip, f.breakerType, f.equipmentClass});
    if (r.message == msg::kAboveInterruptingRating) {
        out.refusal = Refusal{RefusalCode::OutsideModel, std::string(r.message)};
        return out;
    }
    s.BreakerTripLog = r.tripLog;
    s.BreakerTripArcLog = r.tripArcLog;
    s.BreakerTripArcCurrent = r.tripArcCurrent;
    if (!r.result) {
        out.refusal = Refusal{RefusalCode::OutsideModel, std::string(r.message)};
        return out;
    }

    s.BreakerCoefA = r.coefficients.a;
    s.BreakerCoefB = r.coefficients.b;
    s.BreakerCoefC = r.coefficients.c;
    s.BreakerCoefD = r.coefficients.d;
    s.BreakerEnergyRef = r.energyRef;
    WriteApproachBoundaries(s, f.equipmentClass);
    WriteSingleCase(s, *r.result, s.BreakerEnergy, s.BreakerFlashBoundary);
    out.result = *r.result;
    out.approach = r.approach;

    out.texts.summaryCaption = "Low Voltage Circuit Breakers Calculations";
    FillSingleCaseTexts(out.texts, s, out.result, CaseStyle::Breaker, u, sep);
    return out;
}

}  // namespace zentavo

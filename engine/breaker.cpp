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

BreakerOutcome RunBreaker(SharedState& s, const BreakerFields& f, const UnitSettings& u,
                          char sep) {
    BreakerOutcome out;
    StartMainWindowNext(s);
    out.warning = CheckBreakerInputs(s, f, sep);
    if (!out.warning.empty()) return out;

    const double ibf = s.BoltedCurrent;
    if (ibf > s.BreakerRating) {
        out.warning = msg::kAboveInterruptingRating;
        return out;
    }
    s.BreakerTripLog = std::log10(1.3 * s.BreakerTrip);
    s.BreakerTripArcLog = s.Voltage <= 480.0 ? 1.17 * s.BreakerTripLog + 0.0407
                                             : 1.09 * s.BreakerTripLog + 0.0281;
    s.BreakerTripArcCurrent = Power10(s.BreakerTripArcLog);
    if (s.BreakerTripArcCurrent > ibf) {
        out.warning = msg::kBelowTrippingBand;
        return out;
    }

    const auto c = BreakerCoefficientsOf(f.breakerType, s.Voltage);
    s.BreakerCoefA = c.a;
    s.BreakerCoefB = c.b;
    s.BreakerCoefC = c.c;
    s.BreakerCoefD = c.d;
    const double x = LowVoltageDistanceExponent(f.equipmentClass);
    s.BreakerEnergyRef = c.a * ibf + c.b;
    s.BreakerFlashBoundary = c.c * ibf + c.d;
    s.BreakerEnergy = s.BreakerEnergyRef * Power(kBreakerReferenceDistance / s.WorkDist, x);

    WriteApproachBoundaries(s, f.equipmentClass);

    const bool floored = FloorAndClassifySingleCase(s, s.BreakerEnergy, s.BreakerFlashBoundary);

    out.texts.summaryCaption = "Low Voltage Circuit Breakers Calculations";
    out.result = SingleCaseResult(s, s.BreakerEnergy, s.BreakerFlashBoundary, floored);
    FillSingleCaseTexts(out.texts, s, out.result, CaseStyle::Breaker, u, sep);
    return out;
}

}  // namespace zentavo

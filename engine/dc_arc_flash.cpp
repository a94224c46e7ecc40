// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/dc_arc_flash.h"

#include <cmath>
#include <limits>

#include "engine/arc_duration.h"
#include "engine/number.h"

namespace zentavo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBoundaryCal = 1.2;  // cal/cm², the arc flash boundary's energy
constexpr double kLowRiskVolts = 150;
constexpr double kMmPerCm = 10;

// Stokes and Oppenlander: the arc voltage's factor of I^0.12, V.
double ArcVoltageFactor(double gapMm) { return 20.0 + 0.534 * gapMm; }

bool Positive(double v) { return std::isfinite(v) && v > 0; }

// The problem of a value: `notAbove0` at 0 or below (or not a number),
// `limits` above 0 and outside [least, most] (infinity included).
std::string_view LimitProblem(double v, double least, double most, std::string_view notAbove0,
                              std::string_view limits) {
    if (!(v > 0)) return notAbove0;
    if (!(v >= least && v <= most)) return limits;
    return {};
}

}  // namespace

std::optional<DcBox> DcBoxOf(std::string_view word) {
    for (std::size_t i = 0; i < kDcBoxWords.size(); ++i) {
        if (kDcBoxWords[i] == word) return static_cast<DcBox>(i);
    }
    return std::nullopt;
}

std::optional<DcWilkinsBox> WilkinsBoxOf(DcBox box) {
    switch (box) {
        case DcBox::LvSwitchgear: return DcWilkinsBox{400, 0.312};
        case DcBox::MvSwitchgear: return DcWilkinsBox{950, 0.416};
        case DcBox::Panelboard: return DcWilkinsBox{100, 0.127};
        case DcBox::Open:
        case DcBox::NfpaX3: break;
    }
    return std::nullopt;
}

double DcBoxFactor(DcBox box, double distanceMm) {
    if (box == DcBox::NfpaX3) return 3;
    const std::optional<DcWilkinsBox> w = WilkinsBoxOf(box);
    if (!w) return 1;
    const double ratio = w->aMm / distanceMm;
    return std::max(1.0, 4 * kPi * w->k / (1 + ratio * ratio));
}

double DcArcFlashBoundary(double openJ, double workDistMm, DcBox box) {
    // The open-air energy falls as 1/d²: E(d)·d² is this constant (cal/cm² · mm²).
    const double c = openJ / kJoulePerCal * workDistMm * workDistMm;
    const double open = std::sqrt(c / kBoundaryCal);
    if (box == DcBox::NfpaX3) return std::sqrt(3 * c / kBoundaryCal);
    const std::optional<DcWilkinsBox> w = WilkinsBoxOf(box);
    if (!w) return open;
    // In the box E(d) = 4πk·c / (a² + d²) where the factor is at least 1,
    // that is beyond d² = a² / (4πk − 1); nearer, the open-air energy.
    const double fourPiK = 4 * kPi * w->k;
    const double squared = fourPiK * c / kBoundaryCal - w->aMm * w->aMm;
    if (!(squared > 0) || fourPiK <= 1) return open;
    const double boxed = std::sqrt(squared);
    return boxed * boxed * (fourPiK - 1) >= w->aMm * w->aMm ? boxed : open;
}

double DcArcResistanceCurrent(double volts, double ohms, double gapMm, int* iterations) {
    const double a = ArcVoltageFactor(gapMm);
    const double bolted = volts / ohms;
    // f is strictly decreasing and convex: f(0+) = V > 0, f(I_bf) = −A·I_bf^0.12 < 0.
    auto f = [&](double i) { return volts - ohms * i - a * std::pow(i, 0.12); };
    auto slope = [&](double i) { return -ohms - 0.12 * a * std::pow(i, -0.88); };
    double lo = 0, hi = bolted, x = bolted;
    int n = 0;
    constexpr double kEps = 4 * std::numeric_limits<double>::epsilon();
    for (; n < 400; ++n) {
        const double fx = f(x);
        if (fx == 0) break;
        (fx > 0 ? lo : hi) = x;
        double next = x - fx / slope(x);
        // A step that leaves the bracket (Newton from the right of the root
        // of a stiff low-voltage source lands far below zero) is a bisection.
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        const bool settled = std::abs(next - x) <= kEps * next || hi - lo <= kEps * hi;
        x = next;
        if (settled) {
            ++n;
            break;
        }
    }
    if (iterations) *iterations = n;
    return x;
}

// NFPA 70E-2024 Table 130.4(E)(b), feet and inches written as inches:
// 10 ft 0 in = 120, 3 ft 6 in = 42, 1 ft 0 in = 12, 5 ft 0 in = 60,
// 1 ft 5 in = 17, 2 ft 2 in = 26, 8 ft 0 in = 96, 2 ft 9 in = 33,
// 3 ft 2 in = 38, 10 ft 8 in = 128, 4 ft 0 in = 48, 11 ft 8 in = 140,
// 5 ft 3 in = 63, 20 ft 0 in = 240, 11 ft 6 in = 138, 26 ft 0 in = 312,
// 16 ft 5 in = 197.
// clang-format off
const std::array<DcApproachBand, 10> kDcApproachBands = {{
    {50,     300,    120, 42,  std::nullopt},
    {301,    1000,   120, 42,  12},
    {1100,   5000,   120, 60,  17},
    {5000,   15000,  120, 60,  26},
    {15100,  45000,  120, 96,  33},
    {45100,  75000,  120, 96,  38},
    {75100,  150000, 128, 120, 48},
    {150100, 250000, 140, 140, 63},
    {250100, 500000, 240, 240, 138},
    {500100, 800000, 312, 312, 197},
}};
// clang-format on

const DcApproachBand* DcApproachBandOf(double volts) {
    if (!(volts >= kDcApproachBands.front().fromVolts) || volts > kDcApproachBands.back().toVolts)
        return nullptr;
    // The highest band the voltage reaches: past the band below's upper
    // edge (300.5 V is in 301 V to 1 kV), or at its own lower edge (5 kV,
    // written in 1.1 kV to 5 kV and in 5 kV to 15 kV, takes the second).
    std::size_t i = kDcApproachBands.size() - 1;
    while (i > 0 &&
           !(volts > kDcApproachBands[i - 1].toVolts || volts >= kDcApproachBands[i].fromVolts))
        --i;
    return &kDcApproachBands[i];
}

ApproachDistances DcApproachDistances(double volts) {
    const DcApproachBand* band = DcApproachBandOf(volts);
    if (!band) return {kApproachNotGiven, kApproachNotGiven, kApproachNotGiven};
    return {band->fixed, band->restricted, kApproachNotGiven};
}

bool DcApproachGiven(double volts) {
    return DcApproachBandOf(volts) != nullptr;
}

std::string_view DcArcTimeProblem(double seconds) {
    if (const std::string_view shortTime = ShortArcTimeProblem(seconds, false); !shortTime.empty()) return shortTime;
    if (!(seconds <= kDcLongestArcTime)) return msg::kDcArcTimeTooLong;
    return {};
}

bool DcResultsDefined(const DcArcResults& r) {
    return Positive(r.arcingKa) && Positive(r.energy) && Positive(r.boundary);
}

std::optional<Refusal> CheckDcArcInputs(const DcArcInputs& in) {
    std::string e;
    e += LimitProblem(in.voltage, kDcLeastVolts, kDcMostVolts, msg::kDcVoltageNotAbove0, msg::kDcVoltageLimits);
    if (in.boltedKa && in.sourceOhms) {
        e += msg::kDcSourceTwice;
    } else if (!in.boltedKa && !in.sourceOhms) {
        e += msg::kDcEnterSource;
    }
    if (in.boltedKa) {
        e += LimitProblem(*in.boltedKa, kDcLeastBoltedKa, kDcMostBoltedKa, msg::kDcBoltedNotAbove0,
                          msg::kDcBoltedLimits);
    }
    if (in.sourceOhms) {
        e += LimitProblem(*in.sourceOhms, kDcLeastOhms, kDcMostOhms, msg::kDcResistanceNotAbove0,
                          msg::kDcResistanceLimits);
    }
    if (in.method == DcMethod::ArcResistance) {
        e += LimitProblem(in.gapMm, kDcLeastGapMm, kDcMostGapMm, msg::kDcGapNotAbove0, msg::kDcGapLimits);
    }
    e += LimitProblem(in.workDistMm, kDcLeastWorkDistMm, kDcMostWorkDistMm, msg::kDcWorkDistNotAbove0,
                      msg::kDcWorkDistLimits);
    e += DcArcTimeProblem(in.arcTime);
    return RefusalOf(RefusalCode::OutOfRange, std::move(e));
}

DcArcResults ComputeDcArcFlash(const DcArcInputs& in) {
    if (const std::optional<Refusal> refusal = CheckDcArcInputs(in)) throw DcInputError(refusal->message);
    DcArcResults r;
    const double v = in.voltage;
    r.boltedKa = in.boltedKa ? *in.boltedKa : v / *in.sourceOhms / 1000;
    r.sourceOhms = in.sourceOhms ? *in.sourceOhms : v / (*in.boltedKa * 1000);
    const double dCm = in.workDistMm / kMmPerCm;
    double openCal = 0;  // open air, at the working distance
    if (in.method == DcMethod::MaxPower) {
        // Doan: half the bolted current at half the voltage; the 0.01 holds the half of V.
        const double iarc = 0.5 * r.boltedKa * 1000;
        r.arcingKa = iarc / 1000;
        r.arcVoltage = 0.5 * v;
        r.arcOhms = r.arcVoltage / iarc;
        r.arcPowerW = r.arcVoltage * iarc;
        openCal = 0.01 * v * iarc * in.arcTime / (dCm * dCm);
    } else {
        const double iarc = DcArcResistanceCurrent(v, r.sourceOhms, in.gapMm, &r.iterations);
        r.arcingKa = iarc / 1000;
        r.arcVoltage = ArcVoltageFactor(in.gapMm) * std::pow(iarc, 0.12);
        r.arcOhms = r.arcVoltage / iarc;
        r.arcPowerW = r.arcVoltage * iarc;
        openCal = 0.239 * r.arcPowerW * in.arcTime / (4 * kPi * dCm * dCm);
        r.currentBelowSustain = iarc < 10 + 0.2 * in.gapMm;
    }
    r.lowVoltage = v <= kLowRiskVolts;
    r.arcVoltageNotBelow = r.arcVoltage >= v;
    r.boxFactor = DcBoxFactor(in.box, in.workDistMm);
    const double openJ = openCal * kJoulePerCal;
    r.energy = openJ * r.boxFactor;
    r.boundary = DcArcFlashBoundary(openJ, in.workDistMm, in.box);
    return r;
}

std::string_view DcBoxEquipmentText(DcBox box) {
    static constexpr std::string_view kTexts[] = {"Open air", "Box (NFPA 70E 3x)", "LV switchgear", "MV switchgear",
                                                  "Panelboard"};
    return kTexts[static_cast<std::size_t>(box)];
}

std::string_view DcMethodName(DcMethod method) {
    return method == DcMethod::MaxPower ? "DC maximum power" : "DC arc resistance";
}

}  // namespace zentavo

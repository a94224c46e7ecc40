// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ieee2018.h"

#include "engine/case_result.h"

#include <cmath>
#include <limits>
#include <optional>

#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/empirical.h"
#include "engine/number.h"

namespace zentavo {

namespace {

// Table 1: k1..k10 of the intermediate arcing current, rows 600 V, 2700 V, 14 300 V.
constexpr double kT1[5][3][10] = {
    {{-0.04287, 1.035, -0.083, 0, 0, -4.783E-09, 1.962E-06, -0.000229, 0.003141, 1.092},
     {0.0065, 1.001, -0.024, -1.557E-12, 4.556E-10, -4.186E-08, 8.346E-07, 5.482E-05, -0.003191,
      0.9729},
     {0.005795, 1.015, -0.011, -1.557E-12, 4.556E-10, -4.186E-08, 8.346E-07, 5.482E-05, -0.003191,
      0.9729}},
    {{-0.017432, 0.98, -0.05, 0, 0, -5.767E-09, 2.524E-06, -0.00034, 0.01187, 1.013},
     {0.002823, 0.995, -0.0125, 0, -9.204E-11, 2.901E-08, -3.262E-06, 0.0001569, -0.004003,
      0.9825},
     {0.014827, 1.01, -0.01, 0, -9.204E-11, 2.901E-08, -3.262E-06, 0.0001569, -0.004003, 0.9825}},
    {{0.054922, 0.988, -0.11, 0, 0, -5.382E-09, 2.316E-06, -0.000302, 0.0091, 0.9725},
     {0.001011, 1.003, -0.0249, 0, 0, 4.859E-10, -1.814E-07, -9.128E-06, -0.0007, 0.9881},
     {0.008693, 0.999, -0.02, 0, -5.043E-11, 2.233E-08, -3.046E-06, 0.000116, -0.001145, 0.9839}},
    {{0.043785, 1.04, -0.18, 0, 0, -4.783E-09, 1.962E-06, -0.000229, 0.003141, 1.092},
     {-0.02395, 1.006, -0.0188, -1.557E-12, 4.556E-10, -4.186E-08, 8.346E-07, 5.482E-05,
      -0.003191, 0.9729},
     {0.005371, 1.0102, -0.029, -1.557E-12, 4.556E-10, -4.186E-08, 8.346E-07, 5.482E-05,
      -0.003191, 0.9729}},
    {{0.111147, 1.008, -0.24, 0, 0, -3.895E-09, 1.641E-06, -0.000197, 0.002615, 1.1},
     {0.000435, 1.006, -0.038, 0, 0, 7.859E-10, -1.914E-07, -9.128E-06, -0.0007, 0.9981},
     {0.000904, 0.999, -0.02, 0, 0, 7.859E-10, -1.914E-07, -9.128E-06, -0.0007, 0.9981}},
};

// Table 2: k1..k7 of the variation factor VarCf.
constexpr double kT2[5][7] = {
    {0, -0.0000014269, 0.000083137, -0.0019382, 0.022366, -0.12645, 0.30226},
    {1.138E-06, -6.0287E-05, 0.0012758, -0.013778, 0.080217, -0.24066, 0.33524},
    {0, -3.097E-06, 0.00016405, -0.0033609, 0.033308, -0.16182, 0.34627},
    {9.5606E-07, -5.1543E-05, 0.0011161, -0.01242, 0.075125, -0.23584, 0.33696},
    {0, -3.1555E-06, 0.0001682, -0.0034607, 0.034124, -0.1599, 0.34629},
};

// Tables 3, 4 and 5: k1..k13 of the energy and boundary at 600 V, 2700 V, 14 300 V.
constexpr double kT345[3][5][13] = {
    {{0.753364, 0.566, 1.752636, 0, 0, -4.783E-09, 0.000001962, -0.000229, 0.003141, 1.092, 0,
      -1.598, 0.957},
     {3.068459, 0.26, -0.098107, 0, 0, -5.767E-09, 0.000002524, -0.00034, 0.01187, 1.013, -0.06,
      -1.809, 1.19},
     {4.073745, 0.344, -0.370259, 0, 0, -5.382E-09, 0.000002316, -0.000302, 0.0091, 0.9725, 0,
      -2.03, 1.036},
     {0.679294, 0.746, 1.222636, 0, 0, -4.783E-09, 0.000001962, -0.000229, 0.003141, 1.092, 0,
      -1.598, 0.997},
     {3.470417, 0.465, -0.261863, 0, 0, -3.895E-09, 0.000001641, -0.000197, 0.002615, 1.1, 0,
      -1.99, 1.04}},
    {{2.40021, 0.165, 0.354202, -1.557E-12, 4.556E-10, -4.186E-08, 8.346E-07, 5.482E-05,
      -0.003191, 0.9729, 0, -1.569, 0.9778},
     {3.870592, 0.185, -0.736618, 0, -9.204E-11, 2.901E-08, -3.262E-06, 0.0001569, -0.004003,
      0.9825, 0, -1.742, 1.09},
     {3.486391, 0.177, -0.193101, 0, 0, 4.859E-10, -1.814E-07, -9.128E-06, -0.0007, 0.9881, 0.027,
      -1.723, 1.055},
     {3.880724, 0.105, -1.906033, -1.557E-12, 4.556E-10, -4.186E-08, 8.346E-07, 5.482E-05,
      -0.003191, 0.9729, 0, -1.515, 1.115},
     {3.616266, 0.149, -0.761561, 0, 0, 7.859E-10, -1.914E-07, -9.128E-06, -0.0007, 0.9981, 0,
      -1.639, 1.078}},
    {{3.825917, 0.11, -0.999749, -1.557E-12, 4.556E-10, -4.186E-08, 8.346E-07, 5.482E-05,
      -0.003191, 0.9729, 0, -1.568, 0.99},
     {3.644309, 0.215, -0.585522, 0, -9.204E-11, 2.901E-08, -3.262E-06, 0.0001569, -0.004003,
      0.9825, 0, -1.677, 1.06},
     {3.044516, 0.125, 0.245106, 0, -5.043E-11, 2.233E-08, -3.046E-06, 0.000116, -0.001145, 0.9839,
      0, -1.655, 1.084},
     {3.405454, 0.12, -0.93245, -1.557E-12, 4.556E-10, -4.186E-08, 8.346E-07, 5.482E-05,
      -0.003191, 0.9729, 0, -1.534, 0.979},
     {2.04049, 0.177, 1.005092, 0, 0, 7.859E-10, -1.914E-07, -9.128E-06, -0.0007, 0.9981, -0.05,
      -1.633, 1.151}},
};

// Table 7: b1, b2, b3 of the correction factor, typical then shallow, for VCB, VCBB, HCB.
constexpr double kT7[2][3][3] = {
    {{-0.000302, 0.03441, 0.4325}, {-0.0002976, 0.032, 0.479}, {-0.0001923, 0.01935, 0.6899}},
    {{0.002222, -0.02556, 0.6222}, {-0.002778, 0.1194, -0.2778}, {-0.0005556, 0.03722, 0.4778}},
};

// A and B of Eq (11) and (12) for VCB, VCBB, HCB.
constexpr double kA[3] = {4, 10, 10};
constexpr double kB[3] = {20, 24, 22};

constexpr double kInchPerMmTable6 = 0.03937;  // as Table 6 prints it
constexpr double kReferenceKv[3] = {0.6, 2.7, 14.3};

int Row(Electrode e) { return static_cast<int>(e); }

// Eq (16)-(18) and (19)-(24): the value at `voc` from the values at 0.6, 2.7
// and 14.3 kV.
double Interpolate(double v600, double v2700, double v14300, double voc) {
    const double x1 = ((v2700 - v600) / 2.1) * (voc - 2.7) + v2700;
    const double x2 = ((v14300 - v2700) / 11.6) * (voc - 14.3) + v14300;
    const double x3 = x1 * (2.7 - voc) / 2.1 + x2 * (voc - 0.6) / 2.1;
    return voc <= 2.7 ? x3 : x2;
}

// log10 of the energy at 1 ms and 1 mm, without the distance term: the
// common part of Eq (3)-(10).
struct EnergyLog {
    double base;  // k1 + k2 lg G + k3 Ia/P + k11 lg Ibf + k13 lg Ia + lg(1/CF)
    double k12;
};

// The denominator polynomial of the k3 term: k4 Ibf^7 + ... + k10 Ibf (Horner).
double DenominatorP(const double* k, double ibf) {
    double p = k[3];
    for (int i = 4; i <= 9; ++i) p = p * ibf + k[i];
    return p * ibf;
}

// The logarithms every intermediate value of a point shares, taken once:
// lg Ibf, lg G, lg(1/CF), lg D and lg(20/T) of each case.
struct SharedLogs {
    double ibf, gap, invCf, distance;
};

EnergyLog EnergyTerms(const double* k, double p, const SharedLogs& lg, double iarcK3,
                      double iarcK13) {
    const double base = k[0] + k[1] * lg.gap + k[2] * iarcK3 / p + k[10] * lg.ibf +
                        k[12] * std::log10(iarcK13) + lg.invCf;
    return {base, k[11]};
}

double Energy(const EnergyLog& l, double tMs, double lgDistance) {
    return (12.552 / 50.0) * tMs * std::pow(10.0, l.base + l.k12 * lgDistance);
}

// `lg20OverT`: lg(20/T), T in ms.
double Boundary(const EnergyLog& l, double lg20OverT) {
    return std::pow(10.0, (l.base - lg20OverT) / (-l.k12));
}

// Eq (1) with lg Ibf and lg G given.
double IntermediateCurrent(Electrode e, int voltageIndex, double ibf, double lgIbf, double lgGap) {
    const double* k = kT1[Row(e)][voltageIndex];
    double poly = k[3];  // k4 Ibf^6 + ... + k10 (Horner)
    for (int i = 4; i <= 9; ++i) poly = poly * ibf + k[i];
    return std::pow(10.0, k[0] + k[1] * lgIbf + k[2] * lgGap) * poly;
}

struct Enclosure {
    bool shallow = false;
    double width1 = 0, height1 = 0, ees = 0;
    double polynomial = 1;  // b1 EES^2 + b2 EES + b3
    double cf = 1;
};

// Table 6 for one dimension; `clampValue` is the value above 1244.6 mm when
// it is fixed (49 in for the height of VCB), else negative.
double Equivalent(double d, bool shallow, bool useEquation, double voc, int r, double clampValue) {
    if (d < 508.0) return shallow ? kInchPerMmTable6 * d : 20.0;
    if (d <= 660.4 || !useEquation) {
        if (d > 1244.6 && clampValue > 0) return clampValue;
        return kInchPerMmTable6 * d;
    }
    const double used = d > 1244.6 ? 1244.6 : d;
    return (660.4 + (used - 660.4) * ((voc + kA[r]) / kB[r])) / 25.4;
}

Enclosure SizeCorrection(Electrode e, double voc, double h, double w, double depth) {
    Enclosure c;
    if (IsOpenAir(e)) return c;
    const int r = Row(e);
    c.shallow = voc < 0.6 && h < 508.0 && w < 508.0 && depth <= 203.2;
    c.width1 = Equivalent(w, c.shallow, true, voc, r, -1);
    c.height1 = e == Electrode::VCB ? Equivalent(h, c.shallow, false, voc, r, 49.0)
                                    : Equivalent(h, c.shallow, true, voc, r, -1);
    c.ees = (c.height1 + c.width1) / 2.0;
    const double* b = kT7[c.shallow ? 1 : 0][r];
    c.polynomial = b[0] * c.ees * c.ees + b[1] * c.ees + b[2];
    c.cf = c.shallow ? 1.0 / c.polynomial : c.polynomial;
    return c;
}

using Partial = Ieee2018Values;

void Need(std::string& e, const std::optional<double>& v, std::string_view enter) {
    if (!v) e += enter;
}

// A length typed in inches reaches millimetres through x 25.4, which may land
// a unit or two in the last place beside the limit it stands for (0.75 in x
// 25.4 = 19.049999999999997, not 19.05): within a few such units it is the
// limit. Values typed in millimetres are compared exactly.
double Slack(double limitMm, bool inches) {
    return inches ? 4 * std::numeric_limits<double>::epsilon() * std::abs(limitMm) : 0.0;
}
bool Below(double v, double limitMm, bool inches) { return v < limitMm - Slack(limitMm, inches); }
bool Above(double v, double limitMm, bool inches) { return v > limitMm + Slack(limitMm, inches); }

// The message of a limit in millimetres, with the limit in inches after its
// millimetres when the value was typed in inches.
std::string LimitMessage(std::string_view message, double limitMm, bool inches, char sep) {
    std::string m(message);
    if (!inches) return m;
    const std::string in = TrimZeros(FormatFixed(limitMm / kMmPerInch, 15, 2, sep), sep);
    const std::size_t at = m.find(" mm");
    if (at != std::string::npos) m.insert(at + 3, " (" + in + " inches)");
    return m;
}

// Inclusive limits of a value in the band up to 600 V and in the band above.
struct BandLimits {
    double lowMin, lowMax, highMin, highMax;
    std::string_view lowBelow, lowAbove, highBelow, highAbove;
};

void CheckBand(std::string& e, const std::optional<double>& v, bool low, bool high,
               const BandLimits& b, bool inches = false, char sep = '.') {
    if (!v) return;
    if (low && Below(*v, b.lowMin, inches)) e += LimitMessage(b.lowBelow, b.lowMin, inches, sep);
    if (low && Above(*v, b.lowMax, inches)) e += LimitMessage(b.lowAbove, b.lowMax, inches, sep);
    if (high && Below(*v, b.highMin, inches)) {
        e += LimitMessage(b.highBelow, b.highMin, inches, sep);
    }
    if (high && Above(*v, b.highMax, inches)) {
        e += LimitMessage(b.highAbove, b.highMax, inches, sep);
    }
}

constexpr double kMinWorkDistMm = 305.0;

std::string RangeProblems(const Partial& p, char sep) {
    std::string e;
    Need(e, p.voltage, msg::k2018EnterVoltage);
    if (p.voltage && *p.voltage < 208.0) e += msg::k2018VoltageLow;
    if (p.voltage && *p.voltage > 15000.0) e += msg::k2018VoltageHigh;
    // The bands of the current and the gap follow the voltage; without one
    // they cannot be told.
    const bool low = p.voltage && *p.voltage <= 600.0;
    const bool high = p.voltage && *p.voltage > 600.0;
    Need(e, p.boltedCurrent, msg::k2018EnterBolted);
    CheckBand(e, p.boltedCurrent, low, high,
              {0.5, 106.0, 0.2, 65.0, msg::k2018BoltedLowLv, msg::k2018BoltedHighLv,
               msg::k2018BoltedLowMv, msg::k2018BoltedHighMv});
    Need(e, p.gap, msg::k2018EnterGap);
    CheckBand(e, p.gap, low, high,
              {6.35, 76.2, 19.05, 254.0, msg::k2018GapLowLv, msg::k2018GapHighLv,
               msg::k2018GapLowMv, msg::k2018GapHighMv},
              p.gapInches, sep);
    if (p.electrodeUnknown || !p.electrode) e += msg::k2018NoElectrode;
    if (p.electrode && !IsOpenAir(*p.electrode)) {
        Need(e, p.height, msg::k2018EnterHeight);
        if (p.height && !(*p.height > 0)) e += msg::k2018HeightNotPositive;
        Need(e, p.width, msg::k2018EnterWidth);
        // A width of exactly four gaps is accepted.
        if (p.width && p.gap &&
            Below(*p.width, 4.0 * *p.gap, p.enclosureInches || p.gapInches)) {
            e += msg::k2018WidthBelow4Gap;
        }
        Need(e, p.depth, msg::k2018EnterDepth);
        if (p.depth && !(*p.depth > 0)) e += msg::k2018DepthNotPositive;
    }
    Need(e, p.workDist, msg::k2018EnterWorkDist);
    if (p.workDist && Below(*p.workDist, kMinWorkDistMm, p.workDistInches)) {
        e += LimitMessage(msg::k2018WorkDistLow, kMinWorkDistMm, p.workDistInches, sep);
    }
    if (!p.arcTime) {
        e += msg::k2018EnterArcTime;
    } else {
        e += ShortArcTimeProblem(*p.arcTime, false);
    }
    if (!p.arcTimeReduced) {
        e += msg::k2018EnterArcTimeReduced;
    } else {
        e += ShortArcTimeProblem(*p.arcTimeReduced, true);
    }
    return e;
}

bool Usable(double v) { return std::isfinite(v) && v > 0; }

using DurationsHook = std::function<Ieee2018Durations(double iarc, double iarcReduced)>;

// The model on checked inputs; the problems of the equations' own domain
// (a shallow enclosure too small for Eq (15), a current Eq (25) cannot
// give) are returned as text. With `hook` the durations of `in` are not
// read: once both arcing currents are known the hook gives them (or the
// refusal returned as the problem), and they are kept in `in`.
std::optional<Refusal> Compute(Ieee2018Inputs& in, Ieee2018Results& r,
                               const DurationsHook* hook = nullptr) {
    auto outside = [](std::string_view text) {
        return std::optional<Refusal>(Refusal{RefusalCode::OutsideModel, std::string(text)});
    };
    const int c = Row(in.electrode);
    const double voc = in.voltage / 1000.0;
    const double ibf = in.boltedCurrent;
    const double g = in.gapMm;

    const Enclosure enc = SizeCorrection(in.electrode, voc, in.heightMm, in.widthMm, in.depthMm);
    if (!(enc.polynomial > 0)) return outside(msg::k2018EnclosureTooSmall);
    r.shallow = enc.shallow;
    r.width1 = enc.width1;
    r.height1 = enc.height1;
    r.ees = enc.ees;
    r.cf = enc.cf;

    r.varCf = Ieee2018VariationFactor(in.electrode, voc);
    r.factor = 1.0 - 0.5 * r.varCf;
    const SharedLogs lg{std::log10(ibf), std::log10(g), std::log10(1.0 / r.cf),
                        std::log10(in.workDistMm)};
    // The durations from the hook at the arcing currents, when there is one.
    auto durations = [&]() -> std::optional<Refusal> {
        if (!hook) return std::nullopt;
        for (const Ieee2018Case* k : {&r.full, &r.reduced}) {
            if (!Usable(k->iarc)) return outside(msg::k2018NoArcingCurrent);
        }
        const Ieee2018Durations found = (*hook)(r.full.iarc, r.reduced.iarc);
        std::optional<Refusal> problem = found.refusal;
        if (!problem) {
            problem = RefusalOf(RefusalCode::Duration,
                                std::string(ShortArcTimeProblem(found.arcTime, false)) +
                                    std::string(ShortArcTimeProblem(found.arcTimeReduced, true)));
        }
        in.arcTime = found.arcTime;
        in.arcTimeReduced = found.arcTimeReduced;
        return problem;
    };

    if (voc <= 0.6) {
        const double i600 = IntermediateCurrent(in.electrode, 0, ibf, lg.ibf, lg.gap);
        const double arg = (0.6 / voc) * (0.6 / voc) *
                           (1.0 / (i600 * i600) - (0.36 - voc * voc) / (0.36 * ibf * ibf));
        if (!(arg > 0) || !Usable(i600)) return outside(msg::k2018NoArcingCurrent);
        const double iarc = 1.0 / std::sqrt(arg);
        r.full.iarc600 = r.reduced.iarc600 = i600;
        r.full.iarc = iarc;
        r.reduced.iarc = iarc * r.factor;
        if (std::optional<Refusal> problem = durations()) return problem;
        const double p600 = DenominatorP(kT345[0][c], ibf);
        // The k3 term keeps the unreduced Iarc_600 in both cases.
        auto one = [&](Ieee2018Case& k, double tMs) {
            const EnergyLog l = EnergyTerms(kT345[0][c], p600, lg, i600, k.iarc);
            k.energy = Energy(l, tMs, lg.distance);
            k.boundary = Boundary(l, std::log10(20.0 / tMs));
        };
        one(r.full, in.arcTime * 1000.0);
        one(r.reduced, in.arcTimeReduced * 1000.0);
    } else {
        double i[3], p[3];
        for (int n = 0; n < 3; ++n) {
            i[n] = IntermediateCurrent(in.electrode, n, ibf, lg.ibf, lg.gap);
            if (!Usable(i[n])) return outside(msg::k2018NoArcingCurrent);
            p[n] = DenominatorP(kT345[n][c], ibf);
        }
        auto currents = [&](Ieee2018Case& k, double f) {
            k.iarc600 = i[0] * f;
            k.iarc2700 = i[1] * f;
            k.iarc14300 = i[2] * f;
            k.iarc = Interpolate(k.iarc600, k.iarc2700, k.iarc14300, voc);
        };
        currents(r.full, 1.0);
        currents(r.reduced, r.factor);
        if (std::optional<Refusal> problem = durations()) return problem;
        // Each intermediate value with its own current and the duration of the case.
        auto one = [&](Ieee2018Case& k, double f, double tMs) {
            double e[3], b[3];
            const double lg20OverT = std::log10(20.0 / tMs);
            for (int n = 0; n < 3; ++n) {
                const EnergyLog l = EnergyTerms(kT345[n][c], p[n], lg, i[n] * f, i[n] * f);
                e[n] = Energy(l, tMs, lg.distance);
                b[n] = Boundary(l, lg20OverT);
            }
            k.e600 = e[0], k.e2700 = e[1], k.e14300 = e[2];
            k.afb600 = b[0], k.afb2700 = b[1], k.afb14300 = b[2];
            k.energy = Interpolate(e[0], e[1], e[2], voc);
            k.boundary = Interpolate(b[0], b[1], b[2], voc);
        };
        one(r.full, 1.0, in.arcTime * 1000.0);
        one(r.reduced, r.factor, in.arcTimeReduced * 1000.0);
    }
    for (const Ieee2018Case* k : {&r.full, &r.reduced}) {
        if (!Usable(k->iarc)) return outside(msg::k2018NoArcingCurrent);
        if (!Usable(k->energy) || !Usable(k->boundary)) return outside(msg::k2018NoResult);
    }
    r.reducedGoverns = ReducedGoverns(r.full.energy, r.reduced.energy);
    return std::nullopt;
}

// A case's energy and boundary from its steps (more than one, or one at
// another current than the point's own: its motors' part ended at once): each step
// computed with its own bolted current and duration, the energies summed,
// the boundaries found from the sums at the working distance D, where the
// energy falls to 1.2 cal/cm² (5.0208 J/cm²): E(d) = E·(d/D)^k12.
std::optional<Refusal> SumSteps(const Ieee2018Inputs& in, const std::vector<ArcStepLoad>& steps, bool reduced,
                                Ieee2018Case& into) {
    double e[3] = {0, 0, 0}, energy = 0;
    for (const ArcStepLoad& step : steps) {
        Ieee2018Inputs one = in;
        one.boltedCurrent = step.boltedCurrent;
        one.arcTime = one.arcTimeReduced = step.seconds;
        Ieee2018Results r;
        if (std::optional<Refusal> problem = Compute(one, r)) return problem;
        const Ieee2018Case& k = reduced ? r.reduced : r.full;
        e[0] += k.e600, e[1] += k.e2700, e[2] += k.e14300;
        energy += k.energy;
    }
    const int c = Row(in.electrode);
    const double voc = in.voltage / 1000.0, d = in.workDistMm;
    auto boundary = [&](int level, double sum) { return d * std::pow(5.0208 / sum, 1.0 / kT345[level][c][11]); };
    if (voc <= 0.6) {
        into.energy = energy;
        into.boundary = boundary(0, energy);
    } else {
        double b[3];
        for (int n = 0; n < 3; ++n) b[n] = boundary(n, e[n]);
        into.e600 = e[0], into.e2700 = e[1], into.e14300 = e[2];
        into.afb600 = b[0], into.afb2700 = b[1], into.afb14300 = b[2];
        into.energy = Interpolate(e[0], e[1], e[2], voc);
        into.boundary = Interpolate(b[0], b[1], b[2], voc);
    }
    if (!Usable(into.energy) || !Usable(into.boundary))
        return Refusal{RefusalCode::OutsideModel, std::string(msg::k2018NoResult)};
    return std::nullopt;
}

Partial Complete(const Ieee2018Inputs& in) {
    Partial p;
    p.voltage = in.voltage;
    p.boltedCurrent = in.boltedCurrent;
    p.gap = in.gapMm;
    p.electrode = in.electrode;
    p.height = in.heightMm;
    p.width = in.widthMm;
    p.depth = in.depthMm;
    p.workDist = in.workDistMm;
    p.arcTime = in.arcTime;
    p.arcTimeReduced = in.arcTimeReduced;
    return p;
}

std::optional<double> Read(std::string_view text, char sep) {
    if (text.empty()) return std::nullopt;
    return ParseNumber(text, sep);
}

std::optional<double> ReadLength(std::string_view text, LengthUnit unit, char sep) {
    const auto v = Read(text, sep);
    if (!v) return v;
    return ToMillimetres(*v, unit);
}

std::string CurrentText(double kiloamperes, char sep) { return FormatFixed(kiloamperes, 6, 3, sep); }

// Floors and PPE level of one case; its texts are written from its numbers.
CaseResult FinishCase(double& energy, double& boundary, double floorFactor) {
    const FlooredResult f = ApplyResultFloors(energy, boundary, floorFactor);
    energy = f.energy;
    boundary = f.boundary;
    CaseResult c;
    c.energy = energy;
    c.boundary = boundary;
    c.boundaryFloored = f.boundaryFloored;
    c.ppeIndex = ClassifyPpe(energy).index;
    return c;
}

}  // namespace

bool IsOpenAir(Electrode e) { return e == Electrode::VOA || e == Electrode::HOA; }

double Ieee2018IntermediateCurrent(Electrode e, int voltageIndex, double ibf, double gapMm) {
    return IntermediateCurrent(e, voltageIndex, ibf, std::log10(ibf), std::log10(gapMm));
}

double Ieee2018VariationFactor(Electrode e, double voc) {
    const double* v = kT2[Row(e)];
    double f = v[0];  // k1 Voc^6 + ... + k7 (Horner)
    for (int i = 1; i <= 6; ++i) f = f * voc + v[i];
    return f;
}

std::pair<double, double> Ieee2018ArcingCurrents(const Ieee2018Inputs& in, double boltedKa) {
    Ieee2018Inputs at = in;
    at.boltedCurrent = boltedKa;
    at.arcTime = at.arcTimeReduced = 1;
    Ieee2018Results r;
    if (Compute(at, r)) return {0, 0};
    return {r.full.iarc, r.reduced.iarc};
}

std::optional<Refusal> CheckIeee2018Inputs(const Ieee2018Inputs& in) {
    Ieee2018Results r;
    return CheckAndComputeIeee2018(in, r);
}

std::optional<Refusal> CheckAndComputeIeee2018(const Ieee2018Inputs& in, Ieee2018Results& out) {
    if (std::optional<Refusal> range = RefusalOf(RefusalCode::OutOfRange, RangeProblems(Complete(in), '.')))
        return range;
    Ieee2018Inputs typed = in;
    return Compute(typed, out);
}

Ieee2018Results ComputeIeee2018(const Ieee2018Inputs& in) {
    Ieee2018Results r;
    Ieee2018Inputs typed = in;
    if (std::optional<Refusal> problem = Compute(typed, r)) {
        throw Ieee2018InputError(problem->message);
    }
    return r;
}

Ieee2018Outcome RunIeee2018(const Ieee2018Fields& f, const UnitSettings& u, char sep) {
    return RunIeee2018(f, u, sep, nullptr);
}

Ieee2018Outcome RunIeee2018(
    const Ieee2018Fields& f, const UnitSettings& u, char sep,
    const std::function<Ieee2018Durations(double iarc, double iarcReduced)>& durations) {
    if (!durations) return RunIeee2018Steps(f, u, sep, nullptr);
    return RunIeee2018Steps(f, u, sep, [&](const Ieee2018Inputs&, double iarc, double iarcReduced) {
        return durations(iarc, iarcReduced);
    });
}

Ieee2018Values ReadIeee2018Fields(const Ieee2018Fields& f, char sep, bool durationsFound) {
    Ieee2018Values p;
    p.voltage = Read(f.voltage, sep);
    p.boltedCurrent = f.boltedKa ? f.boltedKa : Read(f.boltedCurrent, sep);
    p.gap = ReadLength(f.gap, f.gapUnit, sep);
    p.gapInches = f.gapUnit == LengthUnit::Inches;
    p.enclosureInches = f.enclosureUnit == LengthUnit::Inches;
    p.workDistInches = f.workDistUnit == LengthUnit::Inches;
    for (std::size_t n = 0; n < kElectrodeWords.size(); ++n) {
        if (f.electrode == kElectrodeWords[n]) p.electrode = static_cast<Electrode>(n);
    }
    p.electrodeUnknown = !p.electrode && !f.electrode.empty();
    // Open air has no enclosure: its fields are not read at all.
    if (p.electrode && !IsOpenAir(*p.electrode)) {
        p.height = ReadLength(f.height, f.enclosureUnit, sep);
        p.width = ReadLength(f.width, f.enclosureUnit, sep);
        p.depth = ReadLength(f.depth, f.enclosureUnit, sep);
    }
    p.workDist = ReadLength(f.workDist, f.workDistUnit, sep);
    if (!durationsFound) {
        p.arcTime = Read(f.arcTime, sep);
        p.arcTimeReduced = Read(f.arcTimeReduced, sep);
    }
    return p;
}

Ieee2018Outcome RunIeee2018Steps(const Ieee2018Fields& f, const UnitSettings& u, char sep,
                                 const Ieee2018StepsHook& durations) {
    Ieee2018Outcome out = EvaluateIeee2018(ReadIeee2018Fields(f, sep, static_cast<bool>(durations)), sep, durations);
    if (!out.refusal) WriteIeee2018Texts(out, u, sep);
    return out;
}

Ieee2018Outcome EvaluateIeee2018(Ieee2018Values p, char sep, const Ieee2018StepsHook& durations) {
    Ieee2018Outcome out;
    if (durations) {
        // Not typed: any positive stand-in passes the checks, and the arcing
        // currents do not depend on the durations.
        p.arcTime = p.arcTimeReduced = 1.0;
    }
    out.refusal = RefusalOf(RefusalCode::OutOfRange, RangeProblems(p, sep));
    if (out.refusal) return out;
    Ieee2018Inputs& in = out.inputs;
    in.voltage = *p.voltage;
    in.boltedCurrent = *p.boltedCurrent;
    in.gapMm = *p.gap;
    in.electrode = *p.electrode;
    in.heightMm = p.height.value_or(0);
    in.widthMm = p.width.value_or(0);
    in.depthMm = p.depth.value_or(0);
    in.workDistMm = *p.workDist;
    in.arcTime = *p.arcTime;
    in.arcTimeReduced = *p.arcTimeReduced;
    Ieee2018Results& r = out.values;
    // Found durations come in once the arcing currents are known: the model
    // runs once either way.
    // The steps the hook gives, kept for the cases' sums.
    Ieee2018Durations found;
    const DurationsHook keep = [&](double iarc, double iarcReduced) { return found = durations(in, iarc, iarcReduced); };
    out.refusal = Compute(in, r, durations ? &keep : nullptr);
    if (out.refusal) return out;
    if (!found.steps.empty()) out.refusal = SumSteps(in, found.steps, false, r.full);
    if (!out.refusal && !found.stepsReduced.empty()) out.refusal = SumSteps(in, found.stepsReduced, true, r.reduced);
    if (out.refusal) return out;
    r.reducedGoverns = ReducedGoverns(r.full.energy, r.reduced.energy);

    out.full = FinishCase(r.full.energy, r.full.boundary, kFullCaseFloorFactor);
    out.reduced = FinishCase(r.reduced.energy, r.reduced.boundary, kReducedCaseFloorFactor);
    out.ppeIndex = out.full.ppeIndex;
    out.ppeIndexReduced = out.reduced.ppeIndex;
    out.approach = ApproachDistancesOf(
        SelectApproachBoundaries(in.voltage, IsOpenAir(in.electrode) ? kOpenAir : kSwitchgear));
    return out;
}

void WriteIeee2018Texts(Ieee2018Outcome& out, const UnitSettings& u, char sep) {
    const Ieee2018Inputs& in = out.inputs;
    const Ieee2018Results& r = out.values;
    Ieee2018Texts& t = out.texts;
    t.arcCurrent = CurrentText(r.full.iarc, sep);
    t.arcCurrentReduced = CurrentText(r.reduced.iarc, sep);
    t.enclosureType = IsOpenAir(in.electrode) ? "Open air" : r.shallow ? "Shallow" : "Typical";
    t.correctionFactor = FormatFixed(r.cf, 5, 3, sep);
    t.reducedGoverns = r.reducedGoverns;
    t.full = CaseResultTexts(out.full, CaseStyle::Ieee2018, u, sep);
    t.reduced = CaseResultTexts(out.reduced, CaseStyle::Ieee2018, u, sep);
    t.fullClothingBold = out.ppeIndex >= out.ppeIndexReduced;
    t.reducedClothingBold = out.ppeIndexReduced >= out.ppeIndex;
    const ApproachBoundaries b =
        SelectApproachBoundaries(in.voltage, IsOpenAir(in.electrode) ? kOpenAir : kSwitchgear);
    t.approach.limited = ApproachText(b.limited, u, sep);
    t.approach.restricted = ApproachText(b.restricted, u, sep);
    t.approach.prohibited = ApproachText(b.prohibited, u, sep);
}

}  // namespace zentavo

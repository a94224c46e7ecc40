// SPDX-License-Identifier: GPL-3.0-or-later
// The per-unit values of the network's elements for one case: the voltage
// factors and IEC 60909's corrections (K_T, K_G, K_S, K_SO), the cables'
// resistance at their end-of-fault temperature, the generators and
// power-station units, the star of a three-winding transformer.
#include <algorithm>
#include <array>
#include <cmath>

#include "network/short_circuit.h"

namespace zentavo::network {
namespace {

const double kSqrt3 = std::sqrt(3.0);

// R + jX of magnitude `z` with the ratio X/R.
Complex SplitByXr(double z, double xr) {
    const double h = std::hypot(1.0, xr);  // no overflow for a very large X/R
    return {z / h, z * (xr / h)};
}

// A generator's X/R: as given, or that of IEC 60909's fictitious
// resistance at its rated voltage.
double GeneratorXr(const Generator& g, double ratedKv) {
    if (g.xr) return *g.xr;
    if (ratedKv > 1.0) return g.kva >= 100000 ? 1 / 0.05 : 1 / 0.07;
    return 1 / 0.15;
}

// The impedance of a generator, or of a power-station unit, per unit on its
// bus's nominal voltage `kV`.
Complex GeneratorImpedance(const Generator& g, double kV, const SolveOptions& options) {
    const double cmax = VoltageFactor(options.convention, Case::Max, kV, options.lvTolerance);
    const bool iec = options.convention == Convention::Iec60909;
    const double base = kV * kV / kBaseMva;  // ohms
    if (!g.unit) {
        const double rated = g.kv > 0 ? g.kv : kV;
        const double x = g.xd_pu * rated * rated / (g.kva / 1000);
        Complex z(g.r_ohm ? *g.r_ohm : x / GeneratorXr(g, rated), x);
        if (iec) z *= GeneratorFactor(kV, rated, g.xd_pu, g.cos_phi, cmax);
        return z / base;
    }
    const UnitTransformer& u = *g.unit;
    const double hv = u.kv_hv > 0 ? u.kv_hv : kV;
    const double gen = g.kv > 0 ? g.kv : u.kv_lv;
    const double lv = u.kv_lv > 0 ? u.kv_lv : gen;
    const double x = g.xd_pu * gen * gen / (g.kva / 1000);
    const double tr = hv / lv;
    const Complex z = Complex(g.r_ohm ? *g.r_ohm : x / GeneratorXr(g, gen), x) * (tr * tr) +
                      SplitByXr(u.z_percent / 100 * hv * hv / (u.kva / 1000), u.xr);
    if (!iec) return z / base;
    if (!u.on_load_taps)
        return z * UnitFactorFixedTaps(kV, gen, hv, lv, g.xd_pu, g.cos_phi, cmax, u.pg_percent / 100,
                                       u.pt_percent / 100) / base;
    const double xt = u.z_percent / 100 * (u.xr / std::hypot(1.0, u.xr));
    return z * UnitFactor(kV, gen, hv, lv, g.xd_pu, xt, g.cos_phi, cmax) / base;
}

}  // namespace

double VoltageFactor(Convention convention, Case c, double kV, int lvTolerance) {
    if (convention == Convention::Ansi) return 1.0;
    const bool low = kV <= 1.0;
    if (c == Case::Max) return low ? (lvTolerance == 10 ? 1.10 : 1.05) : 1.10;
    return low ? 0.95 : 1.00;
}

double CableEndTemp(const SolveOptions& options) {
    if (options.cableEndTemp) return *options.cableEndTemp;
    return options.convention == Convention::Iec60909 ? kIecCableEndTemp : kAnsiCableEndTemp;
}

double ResistanceAt(double r20, double celsius) {
    return (1 + 0.004 * (celsius - 20)) * r20;
}

double GeneratorFactor(double busKv, double ratedKv, double xd, double cosPhi, double cmax) {
    const double sinPhi = std::sqrt(std::max(0.0, 1 - cosPhi * cosPhi));
    return busKv / ratedKv * cmax / (1 + xd * sinPhi);
}

double UnitFactor(double busKv, double generatorKv, double transformerHvKv, double transformerLvKv, double xd,
                  double xt, double cosPhi, double cmax) {
    const double sinPhi = std::sqrt(std::max(0.0, 1 - cosPhi * cosPhi));
    const double q = busKv / generatorKv, t = transformerLvKv / transformerHvKv;
    return q * q * t * t * cmax / (1 + std::abs(xd - xt) * sinPhi);
}

double UnitFactorFixedTaps(double busKv, double generatorKv, double transformerHvKv, double transformerLvKv,
                           double xd, double cosPhi, double cmax, double pG, double pT) {
    const double sinPhi = std::sqrt(std::max(0.0, 1 - cosPhi * cosPhi));
    return busKv / (generatorKv * (1 + pG)) * (transformerLvKv / transformerHvKv) * (1 + pT) * cmax /
           (1 + xd * sinPhi);
}


Complex Network::StarArm(const Transformer3& t, int arm, const SolveOptions& options) const {
    // The pairs' impedances per unit on the high-voltage winding's rated
    // voltage, each on the smaller rating of its pair, corrected by its own
    // K_T (the c_max of the pair's lower bus voltage).
    const std::array<double, 3> kva{t.kva_hv, t.kva_mv, t.kva_lv};
    const std::array<std::pair<int, int>, 3> pairs{{{0, 1}, {0, 2}, {1, 2}}};
    const std::array<const std::string*, 3> buses{&t.hv_bus, &t.mv_bus, &t.lv_bus};
    std::array<Complex, 3> z;
    for (int p = 0; p < 3; ++p) {
        const double mva = std::min(kva[pairs[p].first], kva[pairs[p].second]) / 1000;
        const double r = t.ur_percent[p] / 100, x = std::sqrt(t.uk_percent[p] * t.uk_percent[p] -
                                                              t.ur_percent[p] * t.ur_percent[p]) / 100;
        z[p] = Complex(r, x) * (kBaseMva / mva);
        if (options.convention == Convention::Iec60909) {
            const double lowKv = busKv_[busNumber_.at(*buses[pairs[p].second])];
            z[p] *= 0.95 * VoltageFactor(options.convention, Case::Max, lowKv, options.lvTolerance) / (1 + 0.6 * x);
        }
    }
    // The star: Z_H = ½(Z_HM + Z_HL − Z_ML), Z_M = ½(Z_HM + Z_ML − Z_HL), Z_L = ½(Z_HL + Z_ML − Z_HM).
    if (arm == 0) return 0.5 * (z[0] + z[1] - z[2]);
    if (arm == 1) return 0.5 * (z[0] + z[2] - z[1]);
    return 0.5 * (z[1] + z[2] - z[0]);
}

Network::Values Network::ElementValues(const SolveOptions& options, Case c) const {
    const Convention convention = options.convention;
    const double cableTemp = CableEndTemp(options);
    Values v;
    v.branchY.reserve(branches_.size());
    v.branchK.reserve(branches_.size());
    for (const auto& br : branches_) {
        // IEC 60909 takes every transformer at its rated ratio, its tap left out.
        v.branchK.push_back(convention == Convention::Iec60909 ? br.k : br.kTapped);
        Complex z;
        if (br.kind == ElementKind::Transformer) {
            const auto& t = in_.transformers[br.index];
            z = SplitByXr(t.z_percent / 100 * kBaseMva / (t.kva / 1000), t.xr);
            const double lowKv = std::min(busKv_[br.busA], busKv_[br.busB]);
            if (br.k != 1 || t.kv_lv > 0) {
                // On the low-voltage side's rated voltage, per unit on its nominal one.
                const double rated = (t.kv_lv > 0 ? t.kv_lv : lowKv) / lowKv;
                z *= rated * rated;
            }
            if (convention == Convention::Iec60909) {
                const double xt = t.z_percent / 100 * (t.xr / std::hypot(1.0, t.xr));
                z *= 0.95 * VoltageFactor(convention, Case::Max, lowKv, options.lvTolerance) / (1 + 0.6 * xt);
            }
        } else if (br.kind == ElementKind::Transformer3) {
            z = StarArm(in_.transformers3[br.index], br.arm, options);
        } else {
            const auto& cb = in_.cables[br.index];
            const double kV = busKv_[br.busA];
            double r = cb.r_ohm_km;
            if (c == Case::Min) {
                const double temp = cb.end_temp_c ? *cb.end_temp_c : cableTemp;
                if (temp != 20) r = ResistanceAt(r, temp);
            }
            z = Complex(r, cb.x_ohm_km) * (cb.length_m / 1000 / cb.sets) / (kV * kV / kBaseMva);
            if (cb.opens && !(std::abs(z) >= kTieBreakerImpedance)) z = Complex(0, kTieBreakerImpedance);
        }
        v.branchY.push_back(1.0 / z);
    }
    v.shuntY.reserve(shunts_.size());
    for (const auto& sh : shunts_) {
        const double kV = busKv_[sh.bus];
        if (sh.kind == ElementKind::Source) {
            const auto& s = in_.sources[sh.index];
            const double ka = c == Case::Max ? s.ka_max : s.ka_min;
            const double z = VoltageFactor(convention, c, kV, options.lvTolerance) * kBaseMva / (kSqrt3 * kV * ka);
            v.shuntY.push_back(1.0 / SplitByXr(z, s.xr));
        } else if (sh.kind == ElementKind::Generator) {
            const auto& g = in_.generators[sh.index];
            if (c == Case::Min && !genInMin_[sh.index]) {
                v.shuntY.push_back(0);
                continue;
            }
            v.shuntY.push_back(1.0 / GeneratorImpedance(g, kV, options));
        } else if (c == Case::Max) {
            const auto& m = in_.motors[sh.index];
            const double x = m.x_pu * kBaseMva / (m.kva / 1000);
            v.shuntY.push_back(1.0 / Complex(x / m.xr, x));
        } else {
            v.shuntY.push_back(0);  // motors feed the maximum case only
        }
    }
    return v;
}

}  // namespace zentavo::network

// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/row_dc.h"

#include "study/errors.h"

namespace zentavo {

namespace {

LengthUnit UnitOf(const StudyRowInputs& in, StudyInputColumn c) {
    if (const std::optional<LengthUnit> unit = StudyLengthUnit(in[c])) return *unit;
    throw StudyRowError(std::string(kStudyInputNames[c]) + ": unknown value \"" + std::string(in[c]) + "\"",
                        RefusalCode::UnknownWord);
}

}  // namespace

std::string DcColumnsOnAcRow(const StudyRowInputs& in) {
    for (const StudyInputColumn c : {kDcSourceRColumn, kDcBoxColumn}) {
        if (!in[c].empty()) {
            return std::string(kStudyInputNames[c]) + ": a DC row's column, on a row of method " +
                   std::string(in[kMethodColumn]) + "; leave it empty";
        }
    }
    return {};
}

DcOutcome ComputeDcRow(const StudyRowInputs& in, const StudyOptions& o, Method method, const DcDeviceDuration& device,
                       PointResult& p) {
    if (!in[kArcTimeReducedColumn].empty()) {
        throw StudyRowError("arc_time_reduced: a DC row has one arc duration, arc_time; leave it empty");
    }
    if (!in[kDcBoxColumn].empty() && !DcBoxOf(in[kDcBoxColumn])) {
        throw StudyRowError("dc_box: unknown value \"" + std::string(in[kDcBoxColumn]) + "\"",
                            RefusalCode::UnknownWord);
    }
    DcFields f;
    f.method = method == kDcMaxPowerMethod ? DcMethod::MaxPower : DcMethod::ArcResistance;
    f.voltage = in[kVoltageColumn];
    f.boltedCurrent = in[kBoltedCurrentColumn];
    f.sourceResistance = in[kDcSourceRColumn];
    f.gap = in[kGapColumn];
    f.workDist = in[kWorkDistanceColumn];
    f.arcTime = in[kArcTimeColumn];
    f.box = in[kDcBoxColumn];
    f.gapUnit = UnitOf(in, kGapUnitColumn);
    f.workDistUnit = UnitOf(in, kWorkDistanceUnitColumn);
    p.equations = f.method == DcMethod::MaxPower ? Equations::DcMaxPower : Equations::DcArcResistance;
    DcOutcome out = RunDcArcFlash(f, o.units, o.sep, device);
    if (out.refusal) {
        p.status = PointStatus::Refused;
        p.message = out.refusal->message;
        p.refusal = out.refusal->code;
        return out;
    }
    // The notes of the checks and of an assumed duration are said with the results.
    p.status = out.notes.empty() ? PointStatus::Computed : PointStatus::Caution;
    p.message = out.notes;
    p.arcingCurrentsKnown = true;
    static_cast<CaseResult&>(p.full) = out.result;
    p.full.arcingCurrent = out.values.arcingKa;
    p.approach = out.approach;
    p.voltage = out.inputs.voltage;
    p.gapMm = out.inputs.gapMm;
    const DcArcResults& r = out.values;
    p.dc = PointDc{out.inputs.box,   r.arcVoltage,        r.arcOhms,          r.arcPowerW,
                   r.boxFactor,      r.boltedKa,          r.sourceOhms,       out.inputs.arcTime,
                   out.durationAssumed, r.lowVoltage,     r.currentBelowSustain, r.arcVoltageNotBelow};
    return out;
}

}  // namespace zentavo

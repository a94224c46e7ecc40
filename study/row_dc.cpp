// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/row_dc.h"

#include "engine/number.h"

namespace zentavo {

std::optional<RowProblem> DcColumnsOnAcRow(const StudyPoint& in) {
    for (const auto& [column, text] : {std::pair{kDcSourceRColumn, in.dcSourceR.text}, std::pair{kDcBoxColumn, in.dcBox.text}}) {
        if (!text.empty()) {
            return RowProblem{std::string(kStudyInputNames[column]) + ": a DC row's column, on a row of method " +
                              std::string(in.method.text) + "; leave it empty",
                              std::nullopt};
        }
    }
    return std::nullopt;
}

std::optional<RowProblem> ComputeDcRow(const StudyPoint& in, Method method, const DcDeviceDuration& device,
                                       PointResult& p, DcOutcome& out) {
    if (!in.arcTimeReduced.text.empty()) {
        return RowProblem{"arc_time_reduced: a DC row has one arc duration, arc_time; leave it empty", std::nullopt};
    }
    if (in.dcBox.Unknown()) return UnknownWord(kDcBoxColumn, in.dcBox.text);
    DcValues v;
    v.method = method == kDcMaxPowerMethod ? DcMethod::MaxPower : DcMethod::ArcResistance;
    // The fields in the order the DC window reads them; the maximum-power
    // method reads no gap, a found duration no arc time. The first that is
    // no number is the row's message, after its column's name.
    struct Field {
        StudyInputColumn column;
        const NumberCell& cell;
        bool read;
    };
    const bool gap = v.method == DcMethod::ArcResistance;
    for (const Field& f : {Field{kVoltageColumn, in.voltage, true}, Field{kBoltedCurrentColumn, in.boltedCurrent, true},
                           Field{kDcSourceRColumn, in.dcSourceR, true}, Field{kGapColumn, in.gap, gap},
                           Field{kWorkDistanceColumn, in.workDistance, true},
                           Field{kArcTimeColumn, in.arcTime, !device}}) {
        if (f.read && f.cell.NotANumber()) return NotANumber(f.cell, f.column);
    }
    v.voltage = in.voltage.value;
    v.boltedKa = in.boltedCurrent.value;
    v.sourceOhms = in.dcSourceR.value;
    if (gap && in.gap.value) v.gapMm = ToMillimetres(*in.gap.value, *in.gapUnit);
    if (in.workDistance.value) v.workDistMm = ToMillimetres(*in.workDistance.value, *in.workDistUnit);
    v.box = DcBoxOf(in.dcBox.text);
    if (!device) v.arcTime = in.arcTime.value;
    p.equations = v.method == DcMethod::MaxPower ? Equations::DcMaxPower : Equations::DcArcResistance;
    out = EvaluateDcArcFlash(v, device);
    if (out.refusal) {
        p.status = PointStatus::Refused;
        p.message = out.refusal->message;
        p.refusal = out.refusal->code;
        return std::nullopt;
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
    p.workDistMm = out.inputs.workDistMm;
    const DcArcResults& r = out.values;
    p.dc = PointDc{out.inputs.box,   r.arcVoltage,        r.arcOhms,          r.arcPowerW,
                   r.boxFactor,      r.boltedKa,          r.sourceOhms,       out.inputs.arcTime,
                   out.durationAssumed, r.lowVoltage,     r.currentBelowSustain, r.arcVoltageNotBelow};
    return std::nullopt;
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// A DC point from its typed fields: read, checked, computed, and its texts
// written, for the DC window and a study's DC rows alike.
#include <cmath>

#include "engine/arc_duration.h"
#include "engine/dc_arc_flash.h"
#include "engine/ieee2018_device.h"
#include "engine/number.h"

namespace zentavo {

namespace {

std::optional<double> Read(std::string_view text, char sep) {
    if (text.empty()) return std::nullopt;
    return ParseNumber(text, sep);
}

// A number without the zeros that end its decimals, up to five decimals.
std::string Trimmed(double v, char sep) { return TrimZeros(FormatFixed(v, 15, 5, sep), sep); }

void Texts(DcOutcome& out, const UnitSettings& u, char sep) {
    const DcArcResults& r = out.values;
    DcTexts& t = out.texts;
    t.arcCurrent = FormatFixed(r.arcingKa, 15, 5, sep);
    t.arcVoltage = FormatFixed(r.arcVoltage, 15, 2, sep);
    t.arcResistance = FormatFixed(r.arcOhms, 15, 5, sep);
    t.arcPower = FormatFixed(r.arcPowerW / 1000, 15, 3, sep);
    t.boxFactor = FormatFixed(r.boxFactor, 15, 3, sep);
    t.arcTime = ArcDurationText(out.inputs.arcTime, sep);
    t.boltedCurrent = Trimmed(r.boltedKa, sep);
    t.result = CaseResultTexts(out.result, CaseStyle::Ieee2018, u, sep);
    t.approach.limited = ApproachText(out.approach.limited, u, sep);
    t.approach.restricted = ApproachText(out.approach.restricted, u, sep);
    t.approach.prohibited = ApproachText(out.approach.prohibited, u, sep);
}

}  // namespace

DcValues ReadDcFields(const DcFields& f, char sep, bool durationFound) {
    DcValues v;
    v.method = f.method;
    v.voltage = Read(f.voltage, sep);
    v.boltedKa = Read(f.boltedCurrent, sep);
    v.sourceOhms = Read(f.sourceResistance, sep);
    // The maximum-power method takes no gap: its field is not read.
    if (f.method == DcMethod::ArcResistance) {
        if (const std::optional<double> gap = Read(f.gap, sep)) v.gapMm = ToMillimetres(*gap, f.gapUnit);
    }
    if (const std::optional<double> workDist = Read(f.workDist, sep)) v.workDistMm = ToMillimetres(*workDist, f.workDistUnit);
    v.box = DcBoxOf(f.box);
    if (!durationFound) v.arcTime = Read(f.arcTime, sep);
    return v;
}

DcOutcome RunDcArcFlash(const DcFields& f, const UnitSettings& u, char sep, const DcDeviceDuration& device) {
    DcOutcome out = EvaluateDcArcFlash(ReadDcFields(f, sep, static_cast<bool>(device)), device);
    if (!out.refusal) Texts(out, u, sep);
    return out;
}

DcOutcome EvaluateDcArcFlash(const DcValues& v, const DcDeviceDuration& device) {
    DcOutcome out;
    DcArcInputs& in = out.inputs;
    in.method = v.method;
    std::string problems;
    if (!v.voltage) problems += msg::kDcEnterVoltage;
    in.voltage = v.voltage.value_or(0);
    in.boltedKa = v.boltedKa;
    in.sourceOhms = v.sourceOhms;
    if (v.method == DcMethod::ArcResistance) {
        if (!v.gapMm) problems += msg::kDcEnterGap;
        in.gapMm = v.gapMm.value_or(0);
    }
    if (!v.workDistMm) problems += msg::kDcEnterWorkDist;
    in.workDistMm = v.workDistMm.value_or(0);
    if (!v.box) problems += msg::kDcNoBox;
    in.box = v.box.value_or(DcBox::Open);
    // Not typed without a device: the annex's notes assume 2 s, and the point says so.
    if (device) {
        in.arcTime = 1;  // a stand-in for the checks: the arcing current does not depend on it
    } else if (v.arcTime) {
        in.arcTime = *v.arcTime;
    } else {
        in.arcTime = kDcAssumedArcTime;
        out.durationAssumed = true;
    }
    // Every problem at once: the empty fields', then those of the values given.
    DcArcInputs checked = in;
    if (!v.voltage) checked.voltage = kDcLeastVolts;
    if (v.method == DcMethod::ArcResistance && !v.gapMm) checked.gapMm = kDcLeastGapMm;
    if (!v.workDistMm) checked.workDistMm = kDcLeastWorkDistMm;
    const std::optional<Refusal> range = CheckDcArcInputs(checked);
    // An empty source is said once, by the check.
    if (range) problems += range->message;
    out.refusal = RefusalOf(RefusalCode::OutOfRange, std::move(problems));
    if (out.refusal) return out;

    out.values = ComputeDcArcFlash(in);
    if (!DcResultsDefined(out.values)) {
        out.refusal = Refusal{RefusalCode::OutsideModel, std::string(msg::kDcEnergyNotDefined)};
        return out;
    }
    if (device) {
        const ArcDuration d = device(out.values.arcingKa);
        if (d.refusal) {
            out.refusal = d.refusal;
            return out;
        }
        if (const std::string_view time = DcArcTimeProblem(d.seconds); !time.empty()) {
            out.refusal = Refusal{RefusalCode::Duration, std::string(time)};
            return out;
        }
        in.arcTime = d.seconds;
        out.deviceDuration = d;
        out.values = ComputeDcArcFlash(in);
        if (!DcResultsDefined(out.values)) {
            out.refusal = Refusal{RefusalCode::OutsideModel, std::string(msg::kDcEnergyNotDefined)};
            return out;
        }
    }
    const DcArcResults& r = out.values;
    out.result = FlooredCase(r.energy, r.boundary, kFullCaseFloorFactor);
    out.approach = DcApproachDistances(in.voltage);
    if (r.currentBelowSustain) out.cautions += msg::kDcCurrentBelowSustain;
    if (r.arcVoltageNotBelow) out.cautions += msg::kDcArcVoltageNotBelow;
    if (out.durationAssumed) out.cautions += msg::kDcAssumedDuration;
    out.notes = (r.lowVoltage ? std::string(msg::kDcLowVoltage) : std::string()) + out.cautions;
    return out;
}

}  // namespace zentavo

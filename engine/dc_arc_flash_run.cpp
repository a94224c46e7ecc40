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

DcOutcome RunDcArcFlash(const DcFields& f, const UnitSettings& u, char sep, const DcDeviceDuration& device) {
    DcOutcome out;
    DcArcInputs& in = out.inputs;
    in.method = f.method;
    std::string problems;
    const std::optional<double> voltage = Read(f.voltage, sep);
    if (!voltage) problems += msg::kDcEnterVoltage;
    in.voltage = voltage.value_or(0);
    in.boltedKa = Read(f.boltedCurrent, sep);
    in.sourceOhms = Read(f.sourceResistance, sep);
    // The maximum-power method takes no gap: its field is not read.
    std::optional<double> gap;
    if (f.method == DcMethod::ArcResistance) {
        gap = Read(f.gap, sep);
        if (!gap) problems += msg::kDcEnterGap;
        in.gapMm = gap ? ToMillimetres(*gap, f.gapUnit) : 0;
    }
    const std::optional<double> workDist = Read(f.workDist, sep);
    if (!workDist) problems += msg::kDcEnterWorkDist;
    in.workDistMm = workDist ? ToMillimetres(*workDist, f.workDistUnit) : 0;
    const std::optional<DcBox> box = DcBoxOf(f.box);
    if (!box) problems += msg::kDcNoBox;
    in.box = box.value_or(DcBox::Open);
    // Not typed without a device: the annex's notes assume 2 s, and the point says so.
    if (device) {
        in.arcTime = 1;  // a stand-in for the checks: the arcing current does not depend on it
    } else if (const std::optional<double> typed = Read(f.arcTime, sep)) {
        in.arcTime = *typed;
    } else {
        in.arcTime = kDcAssumedArcTime;
        out.durationAssumed = true;
    }
    // Every problem at once: the empty fields', then those of the values given.
    DcArcInputs checked = in;
    if (!voltage) checked.voltage = kDcLeastVolts;
    if (f.method == DcMethod::ArcResistance && !gap) checked.gapMm = kDcLeastGapMm;
    if (!workDist) checked.workDistMm = kDcLeastWorkDistMm;
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
    if (r.lowVoltage) out.notes += msg::kDcLowVoltage;
    if (r.currentBelowSustain) out.notes += msg::kDcCurrentBelowSustain;
    if (r.arcVoltageNotBelow) out.notes += msg::kDcArcVoltageNotBelow;
    if (out.durationAssumed) out.notes += msg::kDcAssumedDuration;
    Texts(out, u, sep);
    return out;
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/point_label.h"

#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "engine/units.h"

namespace zentavo {

namespace {

CaseStyle StyleOf(Method method) {
    switch (method) {
        case kIeee2018Method:
        case kDcMaxPowerMethod:
        case kDcArcResistanceMethod: return CaseStyle::Ieee2018;
        case kFuseMethod: return CaseStyle::Fuse;
        case kBreakerMethod: return CaseStyle::Breaker;
        case kEmpiricalMethod: break;
    }
    return CaseStyle::Empirical;
}

}  // namespace

std::string LabelWorkDistText(double mm, LengthUnit boundaryUnit, char sep) {
    if (boundaryUnit == LengthUnit::Inches)
        return TrimZeros(FormatFixed(mm / kMmPerInch, 15, 1, sep), sep);
    return FormatFixed(mm, 15, 0, sep);
}

LabelContentInputs LabelInputsOf(const LabelPoint& p, const UnitSettings& units, char sep) {
    LabelContentInputs li;
    li.method = p.method;
    li.units = units;
    li.equipmentClass = p.equipment;
    li.grounding = p.method == kIeee2018Method || IsDcMethod(p.method) ? "N/A" : p.grounding;
    li.workDist = LabelWorkDistText(p.workDistMm, units.BoundaryUnit, sep);
    li.boltedCurrent = p.boltedCurrent;
    li.voltage = p.voltage;
    li.limited = ApproachText(p.approach.limited, units, sep);
    li.restricted = ApproachText(p.approach.restricted, units, sep);
    li.prohibited = ApproachText(p.approach.prohibited, units, sep);
    li.voltageV = p.voltageV;
    li.gapMm = p.gapMm;
    const bool reducedGoverns = p.reducedGoverns && p.reduced;
    li.reducedGoverns = reducedGoverns;

    const CaseStyle style = StyleOf(p.method);
    // The 2018 model's label has one case, the governing one, in the full case's place.
    const bool alone = p.method == kIeee2018Method && reducedGoverns;
    const CaseResult& first = alone ? *p.reduced : p.full;
    CaseTexts t = CaseResultTexts(first, style, units, sep);
    li.energy = std::move(t.energy);
    li.boundary = std::move(t.boundary);
    li.ppe = std::move(t.ppeLevel);
    li.incidentEnergy = first.energy;
    li.ppeIndex = first.ppeIndex;
    if (p.method == kIeee2018Method) li.reducedGoverns = false;
    // Both cases, with their pressures and TNT equivalents, where the empirical model gives two.
    if (p.method == kEmpiricalMethod && p.reduced) {
        li.pressure = std::move(t.pressure);
        li.tnt = std::move(t.tnt);
        CaseTexts r = CaseResultTexts(*p.reduced, style, units, sep);
        li.energyReduced = std::move(r.energy);
        li.boundaryReduced = std::move(r.boundary);
        li.ppeReduced = std::move(r.ppeLevel);
        li.pressureReduced = std::move(r.pressure);
        li.tntReduced = std::move(r.tnt);
        li.incidentEnergyReduced = p.reduced->energy;
        li.ppeIndexReduced = p.reduced->ppeIndex;
        li.arcPressure = p.full.pressure.value_or(0);
        li.arcPressureReduced = p.reduced->pressure.value_or(0);
        li.tntEquivalent = p.full.tnt.value_or(0);
        li.tntEquivalentReduced = p.reduced->tnt.value_or(0);
    }

    if (p.device) {
        const LabelPointDevice& d = *p.device;
        LabelDevice footer;
        footer.type = d.type;
        footer.relayCurve = d.relayCurve;
        const LabelDuration& shown = alone && d.reduced ? *d.reduced : d.full;
        auto seen = [sep](const LabelDuration& l) {
            return l.element == DeviceElement::Capped && l.deviceKa > 0 ? FormatFixed(l.deviceKa, 15, 3, sep)
                                                                        : std::string();
        };
        footer.duration = ArcDurationText(shown.seconds, sep);
        footer.element = shown.element;
        footer.seenKa = seen(shown);
        if (!alone && d.reduced) {
            footer.durationReduced = ArcDurationText(d.reduced->seconds, sep);
            footer.elementReduced = d.reduced->element;
            footer.seenKaReduced = seen(*d.reduced);
        }
        li.device = footer;
    }
    li.scenario = p.scenario;
    li.lineSide = p.lineSide;
    return li;
}

}  // namespace zentavo

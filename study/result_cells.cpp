// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/result_cells.h"

#include <cstring>

#include "engine/ieee2018_device.h"
#include "engine/number.h"

namespace zentavo {

const std::string& DurationTexts::Text(double seconds, char sep) {
    // Eight texts, by the duration's bits: the durations a device repeats keep their places.
    std::uint64_t bits;
    std::memcpy(&bits, &seconds, sizeof bits);
    Written& w = written_[(bits * 0x9E3779B97F4A7C15ULL) >> 61];
    if (w.seconds != seconds || w.sep != sep) {
        w.text = ArcDurationText(seconds, sep);
        w.seconds = seconds;
        w.sep = sep;
    }
    return w.text;
}

std::string NetworkCurrentText(double ka, char sep) { return FormatFixed(ka, 15, 3, sep); }

std::string ShortDecimalText(double v, char sep) {
    std::string t = FormatFixed(v, 15, 3, sep);
    if (t.find(sep) != std::string::npos) {
        t.erase(t.find_last_not_of('0') + 1);
        if (t.back() == sep) t.pop_back();
    }
    return t;
}

std::string DutyText(const PointDuty& duty, char sep) {
    if (!duty.ratingKa) return "not checked";
    return "interrupting rating " + ShortDecimalText(*duty.ratingKa, sep) + " kA " +
           (duty.Exceeded() ? "below" : "for") + " the " + ShortDecimalText(duty.availableKa, sep) + " kA available";
}

namespace {

// An arcing current as each method writes it.
std::string ArcingCurrentText(Equations equations, double ka, char sep) {
    switch (equations) {
        case Equations::Ieee2018:
            return FormatFixed(ka, 6, 3, sep);
        case Equations::DcMaxPower:
        case Equations::DcArcResistance:
            return FormatFixed(ka, 15, 5, sep);  // to 10 mA: a DC arc may carry a few amperes
        case Equations::Fuse:
            return FormatFixed(ka, 4, 2, sep);
        default:
            return FormatFixed(ka, 5, 2, sep);
    }
}

// Writes the case's energy, boundary, level and clothing cells; gives back
// its pressure and TNT texts, which only some methods write.
CaseTexts WriteCase(const PointCase& c, CaseStyle style, const UnitSettings& u, char sep, StudyRowResults& out,
                    StudyResultColumn energy, StudyResultColumn boundary, StudyResultColumn level,
                    StudyResultColumn clothing1, StudyResultColumn clothing2) {
    CaseTexts t = CaseResultTexts(c, style, u, sep);
    out[energy] = std::move(t.energy);
    out[boundary] = std::move(t.boundary);
    out[level] = t.ppeLevel;
    out[clothing1] = t.clothing1;
    if (t.clothingSecondLineShown) out[clothing2] = t.clothing2;
    return t;
}

}  // namespace

void WriteResultCells(const PointResult& p, const UnitSettings& u, char sep, StudyRowResults& out,
                      DurationTexts* durations) {
    for (std::string& r : out) r.clear();
    out[kStatusColumn] = PointStatusWord(p.status);
    out[kMessageColumn] = p.message;
    if (p.arcingCurrentsKnown && p.equations != Equations::Breaker) {
        out[kArcingCurrentColumn] = ArcingCurrentText(p.equations, p.full.arcingCurrent, sep);
        if (p.reduced) out[kArcingCurrentReducedColumn] = ArcingCurrentText(p.equations, p.reduced->arcingCurrent, sep);
    }
    if (p.network) {
        const PointNetwork& n = *p.network;
        out[kBoltedCurrentMaxColumn] = NetworkCurrentText(n.kaMax, sep);
        out[kBoltedCurrentMinColumn] = NetworkCurrentText(n.kaMin, sep);
        out[kScenarioColumn] = n.minimumCase ? "min" : "max";
        if (n.share) out[kBranchShareColumn] = FormatFixed(*n.share, 15, 3, sep);
        if (n.shareMin) out[kBranchShareMinColumn] = FormatFixed(*n.shareMin, 15, 3, sep);
    }
    if (p.duty) out[kDeviceDutyColumn] = DutyText(*p.duty, sep);
    out[kScenarioWorstColumn] = p.scenarioWorst;
    out[kScenarioEnergiesColumn] = ScenarioEnergiesCell(p, u, sep);
    if (p.Computed() && p.network) out[kArcStepsColumn] = std::to_string(std::max<std::size_t>(1, p.Governing().steps.size()));
    if (!p.Computed()) return;

    const CaseStyle style = CaseStyleOf(p.equations);
    CaseTexts full = WriteCase(p.full, style, u, sep, out, kIncidentEnergyColumn, kFlashBoundaryColumn,
                               kPpeLevelColumn, kClothing1Column, kClothing2Column);
    // The pressures and TNT equivalents of the empirical model's two cases,
    // the fuse equations' pressure.
    if (p.reduced) {
        CaseTexts reduced = WriteCase(*p.reduced, style, u, sep, out, kIncidentEnergyReducedColumn,
                                      kFlashBoundaryReducedColumn, kPpeLevelReducedColumn, kClothingReduced1Column,
                                      kClothingReduced2Column);
        if (p.equations == Equations::Empirical) {
            out[kPressureColumn] = std::move(full.pressure);
            out[kPressureReducedColumn] = std::move(reduced.pressure);
            out[kTntColumn] = std::move(full.tnt);
            out[kTntReducedColumn] = std::move(reduced.tnt);
        }
    }
    if (p.equations == Equations::Fuse) out[kPressureColumn] = std::move(full.pressure);
    out[kLimitedApproachColumn] = ApproachText(p.approach.limited, u, sep);
    out[kRestrictedApproachColumn] = ApproachText(p.approach.restricted, u, sep);
    out[kProhibitedApproachColumn] = ApproachText(p.approach.prohibited, u, sep);
    out[kGoverningColumn] = p.reducedGoverns ? "reduced" : "full";
    out[kEquationsColumn] = EquationsWord(p.equations);
    const bool reduced = p.ReducedCaseGoverns();
    out[kIncidentEnergyGoverningColumn] = out[reduced ? kIncidentEnergyReducedColumn : kIncidentEnergyColumn];
    out[kFlashBoundaryGoverningColumn] = out[reduced ? kFlashBoundaryReducedColumn : kFlashBoundaryColumn];
    out[kPpeLevelGoverningColumn] = out[reduced ? kPpeLevelReducedColumn : kPpeLevelColumn];
    if (p.enclosure != EnclosureType::None) {
        out[kEnclosureTypeColumn] = EnclosureTypeWord(p.enclosure);
        out[kEnclosureFactorColumn] = FormatFixed(p.enclosureFactor, 5, 3, sep);
    }
    DurationTexts own;
    DurationTexts& texts = durations ? *durations : own;
    if (p.full.duration) {
        out[kArcTimeUsedColumn] = texts.Text(p.full.duration->seconds, sep);
        out[kDeviceElementColumn] = DeviceElementWord(p.full.duration->element);
    }
    if (p.reduced && p.reduced->duration) {
        out[kArcTimeReducedUsedColumn] = texts.Text(p.reduced->duration->seconds, sep);
        out[kDeviceElementReducedColumn] = DeviceElementWord(p.reduced->duration->element);
    }
    if (p.dc) {
        out[kArcVoltageColumn] = FormatFixed(p.dc->arcVoltage, 15, 2, sep);
        out[kArcPowerColumn] = FormatFixed(p.dc->arcPowerW / 1000, 15, 3, sep);
    }
    // The range's worst, where the run searched it (a point of a network,
    // both cases computed, not on the line side of its device).
    if (!p.range) return;
    const PointCase& worst = p.range->worst;
    if (p.arcingCurrentsKnown && p.equations != Equations::Breaker)
        out[kRangeWorstArcingCurrentColumn] =
            ArcingCurrentText(p.equations, worst.arcingCurrent, sep);
    out[kRangeWorstEnergyColumn] = CaseResultTexts(worst, style, u, sep).energy;
}

namespace {
// A scenario's governing energy as the point's energy column writes it.
std::string ScenarioEnergy(const PointResult& p, double energy, const UnitSettings& units,
                           char sep) {
    return CaseStyleOf(p.equations) == CaseStyle::Ieee2018 ? EnergyText2018(energy, units, sep)
                                                           : EnergyText(energy, units, sep);
}
}  // namespace

std::string ScenarioEnergiesCell(const PointResult& p, const UnitSettings& units, char sep) {
    std::string cell;
    for (const PointScenario& s : p.scenarios) {
        if (!cell.empty()) cell += "; ";
        cell += s.name + " " +
                (s.energy      ? ScenarioEnergy(p, *s.energy, units, sep)
                 : s.branchOut ? "without its branch"
                               : "not fed");
    }
    return cell;
}

std::string ScenarioEnergiesText(const PointResult& p, const UnitSettings& units, char sep) {
    std::string energies, unfed, out;
    for (const PointScenario& s : p.scenarios) {
        if (!s.energy) {
            std::string& list = s.branchOut ? out : unfed;
            list += (list.empty() ? "" : ", ") + s.name;
            continue;
        }
        energies += (energies.empty() ? "" : ", ") + s.name + " " +
                    ScenarioEnergy(p, *s.energy, units, sep);
    }
    if (!energies.empty()) energies += " " + std::string(UnitWord(units.EnergyUnit));
    if (!unfed.empty()) energies += (energies.empty() ? "" : "; ") + unfed + " not fed";
    if (!out.empty()) energies += (energies.empty() ? "" : "; ") + out + " without its branch";
    return energies;
}

StudyRowResults ResultCells(const PointResult& p, const UnitSettings& units, char sep) {
    StudyRowResults out;
    WriteResultCells(p, units, sep, out);
    return out;
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// A study's labels: one label page per computed point, each laid out as
// the single label of the same point from the point's result; and the
// time-current picture of a point whose durations came from its device.
#include "render/study_pdf.h"

#include <algorithm>

#include "engine/catalog.h"
#include "engine/ieee2018_device.h"
#include "render/label_painter.h"
#include "render/pdf_file.h"
#include "render/report_cells.h"
#include "render/report_text.h"

namespace zentavo::render {

namespace {

// The device of a computed row whose durations came from one, as its label's
// footer names it, with the durations used and their elements.
// `reducedAlone`: the label takes the reduced case alone (a 2018 row it
// governs), in the full case's place.
std::optional<LabelDevice> LabelDeviceOf(const PointResult& r, const StudyRowResults& t, bool reducedAlone) {
    if (!r.device || !r.full.duration) return std::nullopt;
    LabelDevice d;
    d.type = r.device->Type();
    d.relayCurve = r.device->Curve();
    const PointDuration* reduced = r.reduced && r.reduced->duration ? &*r.reduced->duration : nullptr;
    d.duration = t[reducedAlone ? kArcTimeReducedUsedColumn : kArcTimeUsedColumn];
    d.element = reducedAlone && reduced ? reduced->element : r.full.duration->element;
    if (!reducedAlone) {
        d.durationReduced = t[kArcTimeReducedUsedColumn];
        if (reduced) d.elementReduced = reduced->element;
    }
    return d;
}

}  // namespace

LabelContentInputs StudyLabelInputs(const StudyRowInputs& in, const PointResult& v, const UnitSettings& units,
                                    char sep) {
    const StudyRowResults r = ResultCells(v, units, sep);  // the texts, written from the numbers
    LabelContentInputs li;
    li.method = v.method;
    li.units = units;
    li.units.GapUnit = RowLengthUnit(in[kGapUnitColumn]);
    li.units.WorkDistUnit = RowLengthUnit(in[kWorkDistanceUnitColumn]);
    li.workDist = std::string(in[kWorkDistanceColumn]);
    li.boltedCurrent = v.network ? NetworkCurrentText(*v.NetworkCurrent(), sep) : std::string(in[kBoltedCurrentColumn]);
    li.voltage = std::string(in[kVoltageColumn]);
    li.limited = r[kLimitedApproachColumn];
    li.restricted = r[kRestrictedApproachColumn];
    li.prohibited = r[kProhibitedApproachColumn];
    li.voltageV = v.voltage;
    li.gapMm = v.gapMm;
    const PointCase* reduced = v.reduced ? &*v.reduced : nullptr;

    switch (v.method) {
    case kIeee2018Method: {
        // As the 2018 window: one case on the label, the governing one, with
        // pressure and TNT "N/A" and no grounding.
        const bool governs = v.reducedGoverns && reduced;
        const PointCase& c = governs ? *reduced : v.full;
        // The equipment class when the row names one, else its electrode configuration.
        li.equipmentClass = std::string(in[kEquipmentClassColumn].empty() ? in[kElectrodeConfigurationColumn]
                                                                          : in[kEquipmentClassColumn]);
        li.grounding = "N/A";
        li.energy = r[governs ? kIncidentEnergyReducedColumn : kIncidentEnergyColumn];
        li.boundary = r[governs ? kFlashBoundaryReducedColumn : kFlashBoundaryColumn];
        li.ppe = r[governs ? kPpeLevelReducedColumn : kPpeLevelColumn];
        li.incidentEnergy = c.energy;
        li.ppeIndex = c.ppeIndex;
        li.device = LabelDeviceOf(v, r, governs);
        return li;
    }
    case kEmpiricalMethod:
        li.equipmentClass = std::string(in[kEquipmentClassColumn]);
        li.grounding = in[kGroundingColumn] == kGroundings[0] ? "ungrounded" : "Grounded";
        li.energyReduced = r[kIncidentEnergyReducedColumn];
        li.boundaryReduced = r[kFlashBoundaryReducedColumn];
        li.ppeReduced = r[kPpeLevelReducedColumn];
        li.pressureReduced = r[kPressureReducedColumn];
        li.tnt = r[kTntColumn];
        li.tntReduced = r[kTntReducedColumn];
        if (reduced) {
            li.incidentEnergyReduced = reduced->energy;
            li.ppeIndexReduced = reduced->ppeIndex;
            li.arcPressure = v.full.pressure.value_or(0);
            li.arcPressureReduced = reduced->pressure.value_or(0);
            li.tntEquivalent = v.full.tnt.value_or(0);
            li.tntEquivalentReduced = reduced->tnt.value_or(0);
        }
        break;
    case kFuseMethod:
    case kBreakerMethod:
        // The fuse and breaker tabs label their own equipment class, unless
        // the row names the equipment it protects.
        li.equipmentClass = std::string(EquipmentClassOf(in));
        li.grounding = "Grounded";
        li.arcPressure = v.full.pressure.value_or(0);
        break;
    }
    li.energy = r[kIncidentEnergyColumn];
    li.boundary = r[kFlashBoundaryColumn];
    li.ppe = r[kPpeLevelColumn];
    li.pressure = r[kPressureColumn];
    li.incidentEnergy = v.full.energy;
    li.ppeIndex = v.full.ppeIndex;
    li.device = LabelDeviceOf(v, r, false);
    return li;
}

LabelSheet StudyLabel(const StudyPointView& point, const StudyLabelOptions& options) {
    LabelUserTexts user;
    const std::string name = OneLineName(point.name);
    user.equipmentName = name.substr(0, EquipmentNameEnd(name));
    user.row1Value = options.row1Value;
    user.row2Value = options.row2Value;
    return ComposeLabel(options.settings, options.date,
                        StudyLabelInputs(point.inputs, ResultOf(point), options.units, options.sep), user);
}

void CutNames::Add(std::string_view name) {
    if (std::find(listed.begin(), listed.end(), name) != listed.end()) return;
    if (listed.size() < kCutNamesListed) {
        listed.emplace_back(name);
    } else {
        ++more;
    }
}

int WriteStudyLabelsPdf(QIODevice& out, std::size_t count, const StudyPointAt& at,
                        const StudyLabelOptions& options, const StudyProgress& progress,
                        CutNames* cutNames) {
    std::size_t next = 0;
    bool cancelled = false;
    LabelSheet sheet;
    int pages = 0;
    const int written = WriteLabelPdf(out, [&]() -> const LabelSheet* {
        while (next < count && !cancelled && !WriteFailed(out)) {
            const StudyPointView point = at(next++);
            const bool computed = point.result && point.result->Computed();
            if (computed) {
                CheckPdfSize(out, "labels", pages);
                sheet = StudyLabel(point, options);
                if (cutNames) {
                    const std::string name = OneLineName(point.name);
                    if (EquipmentNameEnd(name) < name.size()) cutNames->Add(point.name);
                }
            }
            if (progress && !progress(next, count)) cancelled = true;
            if (computed && !cancelled) {
                ++pages;
                return &sheet;
            }
        }
        return nullptr;
    });
    return cancelled ? -1 : written;
}

QStringList DeviceLegend(const StudyRowInputs& inputs) { return DeviceText(inputs).split(QStringLiteral(", ")); }

TimeCurrentPlot StudyRowTimeCurrent(const PointResult& v, const StudyRowInputs& inputs, char sep) {
    const QString names[2] = {QStringLiteral("Iarc"), v.method == kIeee2018Method ? QStringLiteral("Iarc,min")
                                                                                  : QStringLiteral("0.85 Iarc")};
    const std::optional<PointDuration>* durations[2] = {&v.full.duration, v.reduced ? &v.reduced->duration : nullptr};
    std::vector<TimeCurrentMark> marks;
    for (int c = 0; c < 2; ++c) {
        if (!durations[c] || !*durations[c]) continue;
        const PointDuration& d = **durations[c];
        // A device that does not act has its mark on the cap, at the duration used.
        const bool acts = d.device.Operates();
        marks.push_back({d.deviceAmps, acts ? d.device.seconds : d.seconds, acts,
                         names[c] + QStringLiteral(": ") + Text(ArcDurationText(d.seconds, sep)) +
                             QStringLiteral(" s, ") + Text(DeviceElementWord(d.element))});
    }
    TimeCurrentPlot plot = MakeTimeCurrentPlot(*v.device, std::move(marks));
    plot.legend = DeviceLegend(inputs);
    return plot;
}

StudyExportResult SaveStudyLabelsPdf(const QString& path, std::size_t count, const StudyPointAt& at,
                                     const StudyLabelOptions& options,
                                     const StudyProgress& progress,
                                     CutNames* cutNames) {
    CutNames cut;
    StudyExportResult r = SaveThrough(path, true, [&](QIODevice& out) {
        return WriteStudyLabelsPdf(out, count, at, options, progress, &cut);
    });
    if (cutNames && r.outcome == StudyExportResult::kWritten) *cutNames = std::move(cut);
    return r;
}

}  // namespace zentavo::render

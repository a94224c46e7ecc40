// SPDX-License-Identifier: GPL-3.0-or-later
// A study's labels: one label page per computed point, each laid out as
// the single label of the same point from the point's result; and the
// time-current picture of a point whose durations came from its device, or
// of several such points' devices together.
#include <algorithm>
#include <cmath>

#include "engine/catalog.h"
#include "engine/dc_arc_flash.h"
#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "render/label_painter.h"
#include "render/pdf_file.h"
#include "render/report_cells.h"
#include "render/report_text.h"
#include "render/standard_label.h"
#include "render/study_pdf.h"

namespace zentavo::render {

namespace {

// A point's durations where its device gave them, with the device.
std::optional<LabelPointDevice> LabelDeviceOf(const PointResult& r) {
    if (!r.device || !r.full.duration) return std::nullopt;
    LabelPointDevice d;
    d.type = r.device->Type();
    d.relayCurve = r.device->Curve();
    d.full = {r.full.duration->seconds, r.full.duration->element, r.full.duration->deviceAmps / 1000};
    if (r.reduced && r.reduced->duration)
        d.reduced = LabelDuration{r.reduced->duration->seconds, r.reduced->duration->element,
                                  r.reduced->duration->deviceAmps / 1000};
    return d;
}

std::optional<Electrode> ElectrodeOf(std::string_view word) {
    for (std::size_t i = 0; i < kElectrodeWords.size(); ++i) {
        if (kElectrodeWords[i] == word) return static_cast<Electrode>(i);
    }
    return std::nullopt;
}

bool LineSide(const StudyPointView& p) { return p.inputs[kLineSideColumn] == "yes"; }

}  // namespace

LabelPoint StudyLabelPoint(const StudyCells& in, const PointResult& v, char sep) {
    LabelPoint p;
    p.method = v.method;
    switch (v.method) {
    case kIeee2018Method:
        if (const std::optional<Electrode> e = ElectrodeOf(in[kElectrodeConfigurationColumn])) {
            p.equipment = Ieee2018EquipmentText(in[kEquipmentClassColumn], *e);
        } else {
            p.equipment = std::string(in[kEquipmentClassColumn]);
        }
        break;
    case kEmpiricalMethod:
        p.equipment = std::string(in[kEquipmentClassColumn]);
        p.grounding = in[kGroundingColumn] == kGroundings[0] ? "ungrounded" : "Grounded";
        break;
    case kFuseMethod:
    case kBreakerMethod:
        // The fuse and breaker tabs label their own equipment class, unless
        // the row names the equipment it protects.
        p.equipment = std::string(EquipmentClassOf(in));
        p.grounding = "Grounded";
        break;
    case kDcMaxPowerMethod:
    case kDcArcResistanceMethod:
        // The equipment the row names, else its enclosure.
        p.equipment = !in[kEquipmentClassColumn].empty() || !v.dc ? std::string(in[kEquipmentClassColumn])
                                                                  : std::string(DcBoxEquipmentText(v.dc->box));
        break;
    }
    // The working distance the row was computed at.
    if (v.Computed()) p.workDistMm = v.workDistMm;
    p.boltedCurrent = v.network ? NetworkCurrentText(*v.NetworkCurrent(), sep) : std::string(in[kBoltedCurrentColumn]);
    // A DC row given by its source resistance: the bolted current it gives.
    if (v.dc && p.boltedCurrent.empty()) p.boltedCurrent = TrimZeros(FormatFixed(v.dc->boltedKa, 15, 5, sep), sep);
    p.voltage = std::string(in[kVoltageColumn]);
    p.full = v.full;
    if (v.reduced) p.reduced = *v.reduced;
    p.reducedGoverns = v.reducedGoverns;
    p.approach = v.approach;
    p.voltageV = v.voltage;
    p.gapMm = v.gapMm;
    p.device = LabelDeviceOf(v);
    if (v.scenarios.size() > 1) p.scenario = v.scenarioWorst;
    p.lineSide = v.network && in[kLineSideColumn] == "yes";
    return p;
}

LabelContentInputs StudyLabelInputs(const StudyCells& in, const PointResult& v,
                                    const UnitSettings& units, char sep) {
    UnitSettings u = units;
    u.GapUnit = RowLengthUnit(in[kGapUnitColumn]);
    u.WorkDistUnit = RowLengthUnit(in[kWorkDistanceUnitColumn]);
    return LabelInputsOf(StudyLabelPoint(in, v, sep), u, sep);
}

LabelSheet StudyLabel(const StudyPointView& point, const StudyLabelOptions& options,
                      std::optional<bool> sectionLineSide) {
    LabelUserTexts user;
    const std::string name = OneLineName(point.name);
    user.equipmentName = name.substr(0, EquipmentNameEnd(name));
    user.row1Value = options.row1Value;
    user.row2Value = options.row2Value;
    LabelContentInputs inputs = StudyLabelInputs(point.inputs, ResultOf(point), options.units, options.sep);
    inputs.dangerAboveVolts = options.standard.dangerAboveVolts;
    inputs.sectionLineSide = sectionLineSide;
    return ComposeLabel(options.settings, options.date, std::move(inputs), user);
}

StandardLabel StudyStandardLabel(const StudyPointView& point, const StudyLabelOptions& options,
                                 std::optional<bool> sectionLineSide) {
    StandardLabelOptions o = options.standard;
    o.language = options.settings.LabelLanguage;
    o.colour = options.settings.LabelInColor;
    o.sep = options.sep;
    LabelContentInputs inputs = StudyLabelInputs(point.inputs, ResultOf(point), options.units, options.sep);
    inputs.sectionLineSide = sectionLineSide;
    return MakeStandardLabel(std::move(inputs), OneLineName(point.name), o);
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
    int pages = 0;
    // The next computed point, its label made by `make` from the point
    // whose results it carries (the point's own, or the other point of its
    // section with the larger governing energy, under the point's name) and
    // the side of its section those are; false after the last, on a cancel
    // or when the file fails.
    std::string sectionName;
    auto nextLabel = [&](const auto& make) {
        while (next < count && !cancelled && !WriteFailed(out)) {
            StudyPointView point = at(next++);
            const bool computed = point.result && point.result->Computed();
            if (computed) {
                CheckPdfSize(out, "labels", pages);
                std::optional<bool> side;
                if (options.sectionOther) {
                    StudyPointView other = options.sectionOther(next - 1);
                    if (other.result && other.result->Computed()) {
                        const bool larger = other.result->Governing().energy > point.result->Governing().energy;
                        if (larger) {
                            sectionName.assign(point.name);
                            point = other;
                            point.name = sectionName;
                        }
                        side = LineSide(point);
                    }
                }
                make(point, side);
            }
            if (progress && !progress(next, count)) cancelled = true;
            if (computed && !cancelled) {
                ++pages;
                return true;
            }
        }
        return false;
    };
    int written = 0;
    if (options.standard.standard != LabelStandard::Classic) {
        StandardLabel label;
        std::string_view name;
        written = WriteStandardLabelPdf(
            out,
            [&]() -> const StandardLabel* {
                return nextLabel([&](const StudyPointView& point, std::optional<bool> side) {
                    label = StudyStandardLabel(point, options, side);
                    name = point.name;
                }) ? &label : nullptr;
            },
            [&](const StandardLabelLayout& laidOut) {
                if (cutNames && laidOut.nameCut) cutNames->Add(name);
            });
    } else {
        LabelSheet sheet;
        written = WriteLabelPdf(out, [&]() -> const LabelSheet* {
            return nextLabel([&](const StudyPointView& point, std::optional<bool> side) {
                sheet = StudyLabel(point, options, side);
                if (cutNames) {
                    const std::string name = OneLineName(point.name);
                    if (EquipmentNameEnd(name) < name.size()) cutNames->Add(point.name);
                }
            }) ? &sheet : nullptr;
        });
    }
    return cancelled ? -1 : written;
}

QStringList DeviceLegend(const StudyCells& inputs) {
    return DeviceText(inputs).split(QStringLiteral(", "));
}

namespace {

// The marks of a row's arcing currents, each text led by `lead` ("Iarc: …"
// alone, "Feeder 3, Iarc: …" in a picture of several rows). A current its
// device does not see (a fault on the device's line side) has no place on
// the axes: its text goes to `unseen` instead, saying so.
std::vector<TimeCurrentMark> RowMarks(const PointResult& v, char sep, const QString& lead, QStringList& unseen) {
    const QString names[2] = {QStringLiteral("Iarc"), v.method == kIeee2018Method ? QStringLiteral("Iarc,min")
                                                                                  : QStringLiteral("0.85 Iarc")};
    const std::optional<PointDuration>* durations[2] = {&v.full.duration, v.reduced ? &v.reduced->duration : nullptr};
    std::vector<TimeCurrentMark> marks;
    for (int c = 0; c < 2; ++c) {
        if (!durations[c] || !*durations[c]) continue;
        const PointDuration& d = **durations[c];
        const QString text = MarkText(lead + names[c], d.seconds, Text(DeviceElementWord(d.element)), sep);
        if (!(d.deviceAmps > 0)) {
            unseen << text + QStringLiteral(", no current through the device");
            continue;
        }
        // A device that does not act has its mark on the cap, at the duration used.
        const bool acts = d.device.Operates();
        marks.push_back({d.deviceAmps, acts ? d.device.seconds : d.seconds, acts, text});
    }
    return marks;
}

bool HasDeviceCurve(const PointResult* r) { return r && r->Computed() && r->device && r->full.duration; }

}  // namespace

TimeCurrentPlot StudyRowTimeCurrent(const PointResult& v, const StudyCells& inputs, char sep,
                                    const std::vector<TimeCurrentDevice>& others) {
    QStringList unseen;
    std::vector<TimeCurrentMark> marks = RowMarks(v, sep, QString(), unseen);
    TimeCurrentPlot plot = MakeTimeCurrentPlot(*v.device, std::move(marks), others);
    plot.legend = DeviceLegend(inputs) + unseen;
    return plot;
}

// A device at its branch's from bus (device_at from) sees the currents at
// that bus's voltage, which the row does not give (its view may).
static bool AtFromBus(const StudyPointView& row) { return row.inputs[kDeviceAtColumn] == "from"; }

std::optional<double> DeviceVolts(const StudyPointView& row) {
    const double volts = AtFromBus(row) ? row.fromBusVolts : row.result ? row.result->voltage : 0;
    return volts > 0 && std::isfinite(volts) ? std::optional<double>(volts) : std::nullopt;
}

StudyPointView WithFromBusVolts(StudyPointView view, std::size_t row,
                                const NetworkSummary* network) {
    if (view.fromBusVolts > 0 || !network || row >= network->rows.size()) return view;
    if (const network::BusResult* bus = network->FindBus(network->rows[row].drawing.fromBus))
        view.fromBusVolts = bus->kV * 1000;
    return view;
}

static void SortOnce(std::vector<double>& volts) {
    std::sort(volts.begin(), volts.end());
    volts.erase(std::unique(volts.begin(), volts.end()), volts.end());
}

std::vector<double> StudyRowsVoltages(const std::vector<StudyPointView>& rows) {
    std::vector<double> volts;
    for (const StudyPointView& row : rows) {
        if (!HasDeviceCurve(row.result)) continue;
        if (const std::optional<double> v = DeviceVolts(row)) volts.push_back(*v);
    }
    SortOnce(volts);
    return volts;
}

std::vector<double> StudyRowVoltages(const StudyPointView& row,
                                     const std::vector<StepDeviceView>& others) {
    std::vector<double> volts;
    const std::optional<double> own = DeviceVolts(row);
    if (others.empty() || !own) return volts;
    volts.push_back(*own);
    for (const StepDeviceView& o : others) {
        if (o.volts && *o.volts > 0) volts.push_back(*o.volts);
    }
    SortOnce(volts);
    return volts;
}

TimeCurrentPlot StudyRowTimeCurrentAt(const StudyPointView& row,
                                      const std::vector<StepDeviceView>& others, char sep,
                                      std::optional<double> referenceVolts) {
    const std::vector<double> volts = StudyRowVoltages(row, others);
    if (!referenceVolts || std::find(volts.begin(), volts.end(), *referenceVolts) == volts.end()) {
        referenceVolts = volts.empty() ? std::nullopt : std::optional<double>(volts.front());
    }
    std::vector<TimeCurrentDevice> drawn;
    QStringList notDrawn;
    for (const StepDeviceView& o : others) {
        // No reference with others beside: the row's own device's voltage is not known.
        if (!referenceVolts) {
            notDrawn
                << o.name +
                       QStringLiteral(
                           ": the voltage of this point's device is not known: not drawn here");
        } else if (o.volts && *o.volts > 0) {
            drawn.push_back({o.device, o.name, {}, *o.volts / *referenceVolts});
        } else {
            notDrawn << o.name + QStringLiteral(": its voltage is not known: not drawn here");
        }
    }
    QStringList unseen;
    std::vector<TimeCurrentMark> marks = RowMarks(*row.result, sep, QString(), unseen);
    const double scale = referenceVolts ? *DeviceVolts(row) / *referenceVolts : 1.0;
    TimeCurrentPlot plot = MakeTimeCurrentPlot(*row.result->device, std::move(marks), drawn, scale);
    plot.legend = DeviceLegend(row.inputs) + unseen + notDrawn;
    plot.referenceVolts = referenceVolts;
    if (referenceVolts)
        plot.currentTitle =
            QStringLiteral("Current (A) at %1 V").arg(VoltsText(*referenceVolts, sep));
    return plot;
}

TimeCurrentPlot StudyRowsTimeCurrent(const std::vector<StudyPointView>& rows, char sep,
                                     std::optional<double> referenceVolts) {
    const std::vector<double> volts = StudyRowsVoltages(rows);
    if (!referenceVolts || std::find(volts.begin(), volts.end(), *referenceVolts) == volts.end()) {
        referenceVolts = volts.empty() ? std::nullopt : std::optional<double>(volts.front());
    }
    std::vector<TimeCurrentDevice> devices;
    QStringList unseen;
    for (const StudyPointView& row : rows) {
        if (!HasDeviceCurve(row.result)) continue;
        QString name = Text(OneLineName(row.name));
        const std::optional<double> deviceVolts = DeviceVolts(row);
        if (!deviceVolts && AtFromBus(row)) {
            unseen << name + QStringLiteral(
                                 ": its device sits at its branch's from bus, whose voltage is not "
                                 "known: "
                                 "not drawn here");
            continue;
        }
        // A long name is cut in the marks' texts, which are not cut otherwise; the table breaks its
        // lines itself.
        constexpr qsizetype kMarkNameLength = 30;
        const QString shortName =
            name.size() > kMarkNameLength ? name.left(kMarkNameLength - 1) + QChar(0x2026) : name;
        std::vector<TimeCurrentMark> marks = RowMarks(*row.result, sep, shortName + QStringLiteral(", "), unseen);
        const double scale = referenceVolts && deviceVolts ? *deviceVolts / *referenceVolts : 1.0;
        devices.push_back({row.result->device.get(),
                           name + QStringLiteral(": ") + DeviceText(row.inputs), std::move(marks),
                           scale});
    }
    TimeCurrentPlot plot = MakeCoordinationPlot(devices);
    plot.legend = unseen;
    plot.referenceVolts = referenceVolts;
    if (referenceVolts)
        plot.currentTitle =
            QStringLiteral("Current (A) at %1 V").arg(VoltsText(*referenceVolts, sep));
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

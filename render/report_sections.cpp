// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the report's sections that tell the study as a whole: its
// scope, its data and assumptions, the scenarios compared, the points above
// 40 cal/cm², the label schedule. Each is written from the points' typed
// results and the report's options; nothing here computes an energy.
#include <algorithm>

#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "label/sheet.h"
#include "render/report_cells.h"
#include "render/report_text.h"
#include "study/network_study.h"
#include "study/result_cells.h"

namespace zentavo::render {

namespace {

QString Name(const StudyPointView& p) {
    return Text(OneLineName(p.name));
}

// An energy (J/cm2) as the point's method writes it, in the output unit.
QString EnergyIn(const PointResult& r, double joulesPerCm2, const UnitSettings& units, char sep) {
    return Text(CaseStyleOf(r.equations) == CaseStyle::Ieee2018
                    ? EnergyText2018(joulesPerCm2, units, sep)
                    : EnergyText(joulesPerCm2, units, sep));
}

QString Seconds(double s, char sep) {
    return Text(ArcDurationText(s, sep)) + QStringLiteral(" s");
}

// Whether a case's duration from a device was capped at the maximum arc
// duration: the device's own time, or the last of its steps.
bool Capped(const PointCase& c) {
    return c.duration && (c.duration->element == DeviceElement::Capped ||
                          (!c.steps.empty() && c.steps.back().end == StepEnd::MaximumDuration));
}

// Where the governing case's arc duration came from, in words.
QString DurationSource(const PointResult& r, char sep) {
    if (r.equations == Equations::Fuse) return QStringLiteral("within the fuse equations");
    if (r.equations == Equations::Breaker) return QStringLiteral("within the breaker equations");
    if (r.dc && r.dc->durationAssumed)
        return QStringLiteral("none typed, no device: ") + Seconds(r.dc->arcTime, sep) +
               QStringLiteral(" assumed");
    const PointCase& c = r.Governing();
    if (!c.duration) return QStringLiteral("typed");
    const PointDuration& d = *c.duration;
    if (c.steps.size() > 1) {
        return QStringLiteral("the network's devices, cleared in %1 steps, %2%3")
            .arg(c.steps.size())
            .arg(Capped(c) ? QStringLiteral("exposure limited to ") : QString(), Seconds(d.seconds, sep));
    }
    if (Capped(c)) return QStringLiteral("its device, exposure limited to ") + Seconds(d.seconds, sep);
    // One step, ended by another row's device (kept as a step to say so).
    return (c.steps.empty() ? QStringLiteral("its device, ")
                            : QStringLiteral("another row's device, ")) +
           Text(DeviceElementWord(d.element)) + QStringLiteral(" element, ") +
           Seconds(d.seconds, sep);
}

// Where the bolted current came from, in words.
QString CurrentSource(const PointResult& r) {
    if (!r.network) return QStringLiteral("typed");
    if (r.range && r.range->governs)
        return QStringLiteral("the network, the worst between its cases");
    return r.network->minimumCase ? QStringLiteral("the network, minimum case")
                                  : QStringLiteral("the network, maximum case");
}

QString StandardWord(LabelStandard standard) {
    switch (standard) {
        case LabelStandard::Nfpa70e:
            return QStringLiteral("NFPA 70E");
        case LabelStandard::CsaZ462:
            return QStringLiteral("CSA Z462");
        case LabelStandard::Classic:
            break;
    }
    return QStringLiteral("classic");
}

QString Listed(const std::vector<std::string>& names) {
    QString list;
    for (const std::string& n : names)
        list += (list.isEmpty() ? QString() : QStringLiteral(", ")) + Text(n);
    return list;
}

std::vector<QString> ScenarioCompareCells(const StudyPointView& p, std::size_t scenario,
                                          const UnitSettings& units, char sep) {
    const PointResult& r = ResultOf(p);
    const PointScenario& s = r.scenarios.at(scenario);
    const QString energy = s.energy      ? EnergyIn(r, *s.energy, units, sep)
                           : s.branchOut ? QStringLiteral("not computed: its branch takes no part")
                                         : QStringLiteral("not computed: its bus is not fed");
    return {scenario == 0 ? Name(p) : QString(), Text(s.name), energy,
            s.name == r.scenarioWorst ? QStringLiteral("worst") : QString()};
}

}  // namespace

void StudySurvey::Add(const StudyPointView& p, const UnitSettings& units, char sep) {
    const PointResult& r = ResultOf(p);
    if (!r.Computed()) {
        ++refused;
        return;
    }
    if (scenarios.empty()) {
        for (const PointScenario& s : r.scenarios) {
            scenarios.push_back(s.name);
            if (s.maintenance) maintenance.push_back(s.name);
        }
    }
    if (Capped(r.full) || (r.reduced && Capped(*r.reduced))) ++capped;
    if (AboveDanger(p, units, sep)) ++above40;
}

QStringList ScopeParagraphs(const StudyReportOptions& o, std::size_t count, const StudySurvey& s) {
    QStringList out;
    QString study = QStringLiteral("Study: ") + o.title.simplified();
    if (!o.dateText.isEmpty()) study += QStringLiteral(", report of ") + o.dateText;
    if (!o.assessmentDate.isEmpty())
        study += QStringLiteral("; arc flash risk assessment of ") + o.assessmentDate;
    out << study + QLatin1Char('.');
    out << (o.engineer.trimmed().isEmpty()
                ? QStringLiteral("Engineer: not named.")
                : QStringLiteral("Engineer: ") + o.engineer.simplified() + QLatin1Char('.'));
    out << QStringLiteral(
               "Studied: %1 points of work, %2 computed, %3 refused. Each computed point has its "
               "results, "
               "its label and a row in the label schedule.")
               .arg(count)
               .arg(count - s.refused)
               .arg(s.refused);
    if (s.scenarios.empty()) {
        out << QStringLiteral("Scenarios: none; the plant is studied in one configuration.");
    } else {
        QString text =
            QStringLiteral("Scenarios: ") + Listed(s.scenarios) +
            QStringLiteral(
                ". Each point of the network is computed in every scenario, and its results "
                "and label are those of its worst.");
        if (!s.maintenance.empty())
            text += QStringLiteral(" A maintenance setting is on in ") + Listed(s.maintenance) +
                    QLatin1Char('.');
        out << text;
    }
    out << QStringLiteral(
        "Not studied: the refused points (listed with their reasons at the end of the report: "
        "no results, no label); a point in a scenario in which its bus is not fed or its "
        "branch takes no part (so marked where the scenarios are compared).");
    return out;
}

QStringList AssumptionParagraphs(const StudyReportOptions& o, const StudySurvey& s) {
    QStringList out;
    if (o.network) {
        out << QStringLiteral("Fault currents from the study's network. ") +
                   Text(ShortCircuitBasis(o.shortCircuit, o.network->tapsLeftOut));
        if (!o.arcSteps) {
            out << QStringLiteral(
                "Each arc is cleared in one step, at the point's own device's time.");
        } else {
            out << QStringLiteral(
                       "Arcs are cleared in steps: the devices that see the arc open one after "
                       "another "
                       "along their curves, the network solved again after each; the motors' "
                       "contribution ends ") +
                       (o.motorDecay ? QStringLiteral("after %1 cycles (60 Hz).")
                                           .arg(Text(ArcDurationText(*o.motorDecay, o.sep)))
                                     : QStringLiteral("with the last other source."));
        }
    } else {
        out << QStringLiteral("Fault currents as typed in the study's rows.");
    }
    out << QStringLiteral(
               "Exposure: a duration from a protective device is limited to the point's maximum "
               "arc duration, 2 s unless its row gives another, the time IEEE 1584-2018 takes a "
               "person to be likely to remain exposed; %1 of the computed points limited so.")
               .arg(s.capped);
    QString variation = QStringLiteral(
        "Arcing-current variation: an IEEE 1584-2018 point is computed at its arcing current and "
        "at the reduced "
        "arcing current of the standard's variation factor, an IEEE 1584-2002 empirical point at "
        "its arcing "
        "current and at 85 % of it, each case with its own duration; the case with the larger "
        "incident energy "
        "governs.");
    if (o.arcCurrentRange)
        variation += QStringLiteral(
            " Each point of the network is also computed over the bolted currents between "
            "its minimum and maximum case; the worst governs where it is above both.");
    out << variation;
    out << QStringLiteral("Where each computed point's bolted current and arc duration came from:");
    return out;
}

std::vector<Column> SourceColumns() {
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Bolted current from"), 80, 2, true},
            {QStringLiteral("Arc duration of the governing case from"), 140, 2, true}};
}

std::vector<QString> SourceCells(const StudyPointView& p, char sep) {
    const PointResult& r = ResultOf(p);
    return {Name(p), CurrentSource(r), DurationSource(r, sep)};
}

std::vector<Column> ScenarioCompareColumns(const UnitSettings& units) {
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Scenario"), 40, 1, false, {}, true},
            {QStringLiteral("Governing incident energy (%1)").arg(Text(UnitWord(units.EnergyUnit))),
             90, 2, true},
            {QStringLiteral("Worst"), 24, 1, true, QStringLiteral("worst")}};
}

std::vector<std::vector<QString>> ScenarioCompareRows(const StudyPointView& p,
                                                      const UnitSettings& units, char sep) {
    std::vector<std::vector<QString>> rows;
    for (std::size_t k = 0; k < ResultOf(p).scenarios.size(); ++k)
        rows.push_back(ScenarioCompareCells(p, k, units, sep));
    return rows;
}

bool AboveDanger(const StudyPointView& p, const UnitSettings& units, char sep) {
    const PointResult& r = ResultOf(p);
    if (!r.Computed()) return false;
    return EnergyBandOf(GoverningCalCm2(StudyLabelInputs(p.inputs, r, units, sep))) ==
           EnergyBand::Above40;
}

std::vector<Column> Above40Columns(const UnitSettings& units) {
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Incident energy (%1)").arg(Text(UnitWord(units.EnergyUnit))), 34, 1,
             true, QStringLiteral("1000.00")},
            {QStringLiteral("What governs it"), 160, 4, true},
            {QStringLiteral("Lower in the study"), 90, 3, true}};
}

// What the study itself shows would lower a point's energy: each scenario
// with a maintenance setting on, and each other scenario (a faster device, a
// tie left open) whose governing energy is below the worst one's.
static QString LowerInTheStudy(const PointResult& r, const UnitSettings& units, char sep) {
    const auto worst =
        std::find_if(r.scenarios.begin(), r.scenarios.end(),
                     [&](const PointScenario& s) { return s.name == r.scenarioWorst; });
    QString out;
    for (const PointScenario& s : r.scenarios) {
        const bool lower =
            worst != r.scenarios.end() && worst->energy && s.energy && *s.energy < *worst->energy;
        if (!s.maintenance && !lower) continue;
        out += (out.isEmpty() ? QString() : QStringLiteral(", ")) + Text(s.name) +
               QLatin1Char(' ') +
               (s.energy ? EnergyIn(r, *s.energy, units, sep) + QLatin1Char(' ') +
                               Text(UnitWord(units.EnergyUnit))
                         : QStringLiteral("not computed")) +
               (s.maintenance ? QStringLiteral(" (maintenance setting)") : QString());
    }
    return out.isEmpty() ? QStringLiteral("none in the study") : out;
}

std::vector<QString> Above40Cells(const StudyPointView& p, const UnitSettings& units, char sep) {
    const PointResult& r = ResultOf(p);
    QString governs =
        r.ReducedCaseGoverns() ? QStringLiteral("reduced case") : QStringLiteral("full case");
    if (!r.scenarioWorst.empty()) governs += QStringLiteral(", scenario ") + Text(r.scenarioWorst);
    governs += QStringLiteral("; bolted current: ") + CurrentSource(r) +
               QStringLiteral("; arc duration: ") + DurationSource(r, sep);
    const QString maintenance = LowerInTheStudy(r, units, sep);
    const StudyRowResults cells = ResultCells(r, units, sep);
    return {
        Name(p),
        Text(cells[r.ReducedCaseGoverns() ? kIncidentEnergyReducedColumn : kIncidentEnergyColumn]),
        governs, maintenance};
}

std::vector<Column> ScheduleColumns(const UnitSettings& units, LabelStandard standard) {
    const QString ppe = standard == LabelStandard::Classic
                            ? QStringLiteral("PPE level")
                            : QStringLiteral("Minimum arc rating (cal/cm²)");
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Label standard"), 30, 1, false, QStringLiteral("CSA Z462")},
            {QStringLiteral("Incident energy (%1)").arg(Text(UnitWord(units.EnergyUnit))), 34, 1,
             true, QStringLiteral("1000.00")},
            {QStringLiteral("Arc flash boundary (%1)").arg(Text(UnitWord(units.BoundaryUnit))), 34,
             1, true, QStringLiteral("10000")},
            {ppe, 34, 2, true, QStringLiteral("none adequate")},
            {QStringLiteral("Assessment date"), 40, 2, true}};
}

std::vector<QString> ScheduleCells(const StudyPointView& p, const StudyReportOptions& o) {
    const PointResult& r = ResultOf(p);
    const bool reduced = r.ReducedCaseGoverns();
    const StudyRowResults cells = ResultCells(r, o.units, o.sep);
    QString ppe;
    if (o.standard == LabelStandard::Classic) {
        ppe = Text(cells[reduced ? kPpeLevelReducedColumn : kPpeLevelColumn]);
    } else {
        const std::optional<double> rating =
            MinimumArcRating(GoverningCalCm2(StudyLabelInputs(p.inputs, r, o.units, o.sep)));
        ppe = rating ? Text(FormatFixed(*rating, 15, 1, o.sep)) : QStringLiteral("none adequate");
    }
    return {Name(p),
            StandardWord(o.standard),
            Text(cells[reduced ? kIncidentEnergyReducedColumn : kIncidentEnergyColumn]),
            Text(cells[reduced ? kFlashBoundaryReducedColumn : kFlashBoundaryColumn]),
            ppe,
            o.assessmentDate};
}

}  // namespace zentavo::render

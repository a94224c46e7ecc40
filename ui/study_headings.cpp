// SPDX-License-Identifier: GPL-3.0-or-later
// The headings of a study's table: each column's words in the user's
// language with the unit of its numbers, and the column a heading names
// (a pasted heading line).
#include <iterator>

#include "ui/study_model.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// The words of each heading, by column.
constexpr const char* kInputTitles[] = {
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Method"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Voltage"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Bolted fault current"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Gap"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Gap unit"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Working distance unit"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Working distance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Equipment class"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Grounding"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc duration"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc duration, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Fuse class"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Breaker type"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Interrupting rating"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Instantaneous trip"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Electrode configuration"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Enclosure height"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Enclosure width"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Enclosure depth"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Enclosure unit"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Protective device"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Relay curve"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Relay pickup"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Relay time dial"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Relay instantaneous pickup"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Relay instantaneous delay"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Breaker interrupting time"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Trip unit rating"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Long-time pickup"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Long-time delay"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Short-time pickup"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Short-time delay"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Instantaneous pickup"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Instantaneous clearing time"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Trip band tolerance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Fuse curve"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Device share of the current"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Maximum arc duration"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Bus"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "From bus"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Branch type"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Source fault current"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Source X/R"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Source fault current, minimum"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Source short-circuit power"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Source short-circuit power, minimum"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer rating"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer impedance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer X/R"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Cable length"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Cable resistance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Cable reactance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Cable sets"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Motor rating"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Motor reactance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Motor X/R"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Cable temperature at the end of a fault"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer rated voltage, HV"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer rated voltage, MV"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer rated voltage, LV"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer tap"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Low-voltage bus"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer rating, MV winding"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer rating, LV winding"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer impedance, HV–LV"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer impedance, MV–LV"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer resistive voltage"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer resistive voltage, HV–LV"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Transformer resistive voltage, MV–LV"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Generator rating"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Generator rated voltage"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Generator subtransient reactance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Generator X/R"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Generator power factor"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Generator resistance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Generator in the minimum case"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Generator voltage regulation range"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Unit transformer off-load tap"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Device interrupting rating"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Line side of the device"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Scenarios"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Maintenance instantaneous pickup"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Maintenance instantaneous time"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Maintenance scenario"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "DC source resistance"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "DC enclosure"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Main of the line side"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc-flash relay pickup"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc-flash relay time"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Zone-selective interlocking"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Interlocked delay"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Bus differential time"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Device at"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Cable size"),
};
static_assert(std::size(kInputTitles) == kStudyInputColumnCount);
constexpr const char* kResultTitles[] = {
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Status"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Message"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arcing current, full"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arcing current, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Incident energy, full"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Flash boundary, full"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "PPE level, full"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Clothing, full, line 1"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Clothing, full, line 2"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Incident energy, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Flash boundary, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "PPE level, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Clothing, reduced, line 1"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Clothing, reduced, line 2"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Pressure, full"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Pressure, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "TNT equivalent, full"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "TNT equivalent, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Limited approach boundary"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Restricted approach boundary"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Prohibited approach boundary"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Governing case"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Equations"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Incident energy, governing"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Flash boundary, governing"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "PPE level, governing"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Enclosure type"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Enclosure correction factor"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc duration used, full"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc duration used, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Device element, full"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Device element, reduced"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Bolted fault current, maximum"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Bolted fault current, minimum"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Fault current case"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Branch share"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Branch share, minimum"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Interrupting duty"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc steps"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Worst scenario"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc voltage"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Arc power"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Worst over the range, arcing current"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Worst over the range, incident energy"),
    QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "Incident energy in each scenario"),
};
static_assert(std::size(kResultTitles) == kStudyResultColumnCount);

}  // namespace

QString StudyModel::Title(int column) const {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    switch (c.kind) {
        case Column::Point:
            return tr("Point");
        case Column::Input:
            return tr(kInputTitles[static_cast<std::size_t>(c.index)]);
        case Column::Other:
            return ColumnName(column);
        case Column::Result:
            return tr(kResultTitles[static_cast<std::size_t>(c.index)]);
    }
    return {};
}

QString StudyModel::Heading(int column) const {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    std::string_view unit;
    if (c.kind == Column::Input) unit = StudyInputUnit(static_cast<StudyInputColumn>(c.index));
    if (c.kind == Column::Result) {
        unit = StudyResultUnit(static_cast<StudyResultColumn>(c.index), file_.Options().units);
    }
    const QString title = Title(column);
    // The unit in the user's language where it is a word ("inches").
    return unit.empty() ? title : QStringLiteral("%1 (%2)").arg(title, LibraryText(unit));
}

int StudyModel::ColumnHeaded(const QString& heading) const {
    const QString text = heading.trimmed();
    const int named = ColumnNamed(text);
    if (named >= 0) return named;
    // The words alone: a heading without its unit, or with another one.
    QString words = text;
    const qsizetype open = text.lastIndexOf(QStringLiteral(" ("));
    if (open > 0 && text.endsWith(QLatin1Char(')'))) words = text.left(open);
    for (int c = 0; c < columnCount(); ++c) {
        if (Title(c) == text || Title(c) == words) return c;
    }
    return -1;
}

}  // namespace zentavo::ui

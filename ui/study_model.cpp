// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_model.h"

#include <QBrush>
#include <QCoreApplication>
#include <QColor>
#include <QFont>
#include <QLocale>
#include <QUndoCommand>
#include <algorithm>
#include <iterator>
#include <span>
#include <stdexcept>

#include "engine/classification.h"
#include "engine/number.h"
#include "study/cell_text.h"
#include "study/column_groups.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// The words of the result columns that hold words (status, governing case,
// the device's element, the fault current's case), as the table shows them
// in the interface's language; the study's file keeps the English word.
bool ShowsResultWord(int resultColumn) {
    return resultColumn == kStatusColumn || resultColumn == kGoverningColumn ||
           resultColumn == kDeviceElementColumn || resultColumn == kDeviceElementReducedColumn ||
           resultColumn == kScenarioColumn;
}
QString ShownResultWord(const std::string& word) {
    static const char* const kWords[] = {
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "ok"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "warning"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "error"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "full"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "reduced"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "max"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "min"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "does not operate"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "instantaneous"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "short time"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "long time"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "inverse"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "definite time"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "curve"),
        QT_TRANSLATE_NOOP("zentavo::ui::StudyModel", "capped"),
    };
    for (const char* w : kWords) {
        if (word == w) return QCoreApplication::translate("zentavo::ui::StudyModel", w);
    }
    return FromUtf8(word);
}

bool ReadsAsNumber(std::string_view text, char sep) {
    if (text.empty()) return false;
    try {
        ParseNumber(text, sep);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

class SetCellCommand : public QUndoCommand {
public:
    SetCellCommand(StudyModel& model, int row, int column, std::string before, std::string after,
                   QUndoCommand* parent = nullptr)
        : QUndoCommand(parent), model_(model), row_(row), column_(column), before_(std::move(before)),
          after_(std::move(after)) {
        setText(StudyModel::tr("Edit %1").arg(model.ColumnName(column)));
    }
    void redo() override { model_.SetCell(row_, column_, after_); }
    void undo() override { model_.SetCell(row_, column_, before_); }

private:
    StudyModel& model_;
    int row_, column_;
    std::string before_, after_;
};

// Several cells edited as one step (Clear cells, a fill): a network study is
// computed once for all of them, each way.
class CellsCommand : public QUndoCommand {
public:
    CellsCommand(StudyModel& model, const QString& text) : model_(model) { setText(text); }
    void redo() override {
        model_.Held([this] { QUndoCommand::redo(); });
    }
    void undo() override {
        model_.Held([this] { QUndoCommand::undo(); });
    }

private:
    StudyModel& model_;
};

// Rows put in at one place (add, duplicate, paste).
class InsertCommand : public QUndoCommand {
public:
    InsertCommand(StudyModel& model, int at, std::vector<std::string> raws, const QString& text)
        : model_(model), at_(at), raws_(std::move(raws)) {
        setText(text);
    }
    void redo() override { model_.InsertRaws(at_, raws_); }
    void undo() override { model_.RemoveRange(at_, static_cast<int>(raws_.size())); }

private:
    StudyModel& model_;
    int at_;
    std::vector<std::string> raws_;
};

// Rows taken out wherever they stand, and put back in their places by undo.
class RemoveCommand : public QUndoCommand {
public:
    RemoveCommand(StudyModel& model, std::vector<int> rows) : model_(model), rows_(std::move(rows)) {
        std::sort(rows_.begin(), rows_.end());
        rows_.erase(std::unique(rows_.begin(), rows_.end()), rows_.end());
        raws_.reserve(rows_.size());
        for (int r : rows_) raws_.push_back(model.file().Raw(static_cast<std::size_t>(r)));
        setText(StudyModel::tr("Delete rows"));
    }
    void redo() override {
        model_.Held([this] { Remove(); });
    }
    void undo() override {
        model_.Held([this] { PutBack(); });
    }

private:
    void Remove() {
        // From the last range back, so the earlier rows keep their places.
        std::size_t end = rows_.size();
        while (end > 0) {
            std::size_t begin = end - 1;
            while (begin > 0 && rows_[begin - 1] + 1 == rows_[begin]) --begin;
            model_.RemoveRange(rows_[begin], static_cast<int>(end - begin));
            end = begin;
        }
    }
    void PutBack() {
        std::size_t begin = 0;
        while (begin < rows_.size()) {
            std::size_t end = begin + 1;
            while (end < rows_.size() && rows_[end - 1] + 1 == rows_[end]) ++end;
            model_.InsertRaws(rows_[begin], {raws_.begin() + static_cast<std::ptrdiff_t>(begin),
                                             raws_.begin() + static_cast<std::ptrdiff_t>(end)});
            begin = end;
        }
    }

private:
    StudyModel& model_;
    std::vector<int> rows_;
    std::vector<std::string> raws_;
};

// Names in the user's order, numbers within them by value, capitals or not.
// The C locale's collation compares code points and knows no numbers, so
// names are put in order as in English there.
QCollator NameCollator() {
    const QLocale locale;
    QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                       : locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// The tint of a row by the PPE level of its governing case (PpeTint, shared
// with the one-line); none for level 0.
QColor LevelTint(std::int32_t level) {
    const std::optional<std::uint32_t> rgb = PpeTint(level);
    return rgb ? QColor(QRgb(*rgb)) : QColor();
}

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
};
static_assert(std::size(kResultTitles) == kStudyResultColumnCount);

// One field of a spreadsheet's tab-separated text, in quotes when it holds a
// tab, a line break or a quote.
void AppendTsvField(QString& out, const QString& field) {
    if (field.contains(QLatin1Char('\t')) || field.contains(QLatin1Char('\n')) ||
        field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('"'))) {
        QString quoted = field;
        quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
        out += QLatin1Char('"') + quoted + QLatin1Char('"');
    } else {
        out += field;
    }
}

std::vector<QStringList> ParseTsv(const QString& text) {
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            any = true;
        } else if (c == QLatin1Char('\t')) {
            row << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            if (any || !field.isEmpty()) {
                row << field;
                rows.push_back(row);
            }
            row.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        row << field;
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

StudyModel::StudyModel(StudyFile file, char sep, QObject* parent)
    : QAbstractTableModel(parent), file_(std::move(file)), sep_(sep), collator_(NameCollator()) {
    // The name and what the row gives (its governing energy, boundary and
    // PPE level: what a study is sorted and dressed by), kept in view beside
    // the name; then the inputs by what they describe, the user's own
    // columns in the file's order, and the other results. The durations a
    // protective device gave stand beside the energies they decide (the
    // study window hides them in a study without devices).
    static constexpr StudyResultColumn kOtherResults[] = {
        kStatusColumn,                 kIncidentEnergyColumn,       kIncidentEnergyReducedColumn,
        kArcTimeUsedColumn,            kArcTimeReducedUsedColumn,   kDeviceElementColumn,
        kDeviceElementReducedColumn,   kFlashBoundaryColumn,        kFlashBoundaryReducedColumn,
        kPpeLevelColumn,               kPpeLevelReducedColumn,      kGoverningColumn,
        kEquationsColumn};
    columns_.push_back({Column::Point, 0});
    for (StudyResultColumn c : kGoverningResults) columns_.push_back({Column::Result, c});
    for (StudyInputColumn c : StudyInputsByGroup()) columns_.push_back({Column::Input, c});
    const std::vector<std::string>& header = file_.Header();
    for (int c = 0; c < static_cast<int>(header.size()); ++c) {
        if (c == file_.PointColumn()) continue;
        if (std::find(file_.Columns().begin(), file_.Columns().end(), c) != file_.Columns().end()) continue;
        columns_.push_back({Column::Other, c});
    }
    for (StudyResultColumn c : kOtherResults) columns_.push_back({Column::Result, c});
    for (int c = 0; c < kStudyResultColumnCount; ++c) {
        // The message is the status column's tooltip.
        const auto listed = [c](std::span<const StudyResultColumn> list) {
            return std::find(list.begin(), list.end(), c) != list.end();
        };
        if (c == kMessageColumn || listed(kGoverningResults) || listed(kOtherResults)) continue;
        columns_.push_back({Column::Result, c});
    }
    Recount();
    undo_.setClean();
}

StudyModel::Group StudyModel::GroupOfColumn(int column) const {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    switch (c.kind) {
        case Column::Point:
            return Group::Point;
        case Column::Input:
            return static_cast<Group>(static_cast<int>(Group::Method) +
                                      static_cast<int>(GroupOf(static_cast<StudyInputColumn>(c.index))));
        case Column::Other:
            return Group::Other;
        case Column::Result: {
            const auto& g = kGoverningResults;
            return std::find(std::begin(g), std::end(g), c.index) != std::end(g) ? Group::Point : Group::Results;
        }
    }
    return Group::Other;
}

QString StudyModel::ColumnName(int column) const {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    switch (c.kind) {
        case Column::Point:
            return FromUtf8(kPointColumnName);
        case Column::Input:
            return FromUtf8(kStudyInputNames[static_cast<std::size_t>(c.index)]);
        case Column::Other:
            return FromUtf8(file_.Header()[static_cast<std::size_t>(c.index)]);
        case Column::Result:
            return FromUtf8(kStudyResultNames[static_cast<std::size_t>(c.index)]);
    }
    return {};
}

int StudyModel::ColumnNamed(const QString& name) const {
    for (int c = 0; c < columnCount(); ++c) {
        if (ColumnName(c) == name) return c;
    }
    return -1;
}

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
    return unit.empty() ? title : QStringLiteral("%1 (%2)").arg(title, FromUtf8(unit));
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

std::optional<StudyInputColumn> StudyModel::InputOf(int column) const {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    if (c.kind != Column::Input) return std::nullopt;
    return static_cast<StudyInputColumn>(c.index);
}

QString StudyModel::CellFault(int column, const QString& typed) const {
    const std::optional<StudyInputColumn> input = InputOf(column);
    if (!input) return {};
    return FromUtf8(TypedCellFault(*input, Utf8(typed), sep_));
}

QStringList StudyModel::Words(int column) const {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    if (c.kind != Column::Input) return {};
    QStringList words;
    for (std::string_view w : StudyColumnWords(static_cast<StudyInputColumn>(c.index))) words << FromUtf8(w);
    if (!words.isEmpty()) words.prepend(QString());
    return words;
}

int StudyModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(file_.RowCount());
}

int StudyModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const StudyRowResults& StudyModel::ResultCells(int row) const {
    if (cachedCellsRow_ != row) {
        cachedCells_ = file_.Cells(static_cast<std::size_t>(row));
        cachedCellsRow_ = row;
    }
    return cachedCells_;
}

const std::vector<std::string>& StudyModel::RowFields(int row) const {
    if (cachedRow_ != row) {
        cachedFields_ = file_.Fields(static_cast<std::size_t>(row));
        cachedRow_ = row;
    }
    return cachedFields_;
}

std::string StudyModel::Cell(int row, int column) const {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    int at = -1;
    switch (c.kind) {
        case Column::Point:
            at = file_.PointColumn();
            break;
        case Column::Input:
            at = file_.Columns()[static_cast<std::size_t>(c.index)];
            break;
        case Column::Other:
            at = c.index;
            break;
        case Column::Result:
            return ResultCells(row)[static_cast<std::size_t>(c.index)];
    }
    const std::vector<std::string>& fields = RowFields(row);
    return at >= 0 && static_cast<std::size_t>(at) < fields.size() ? fields[static_cast<std::size_t>(at)] : std::string();
}

QString StudyModel::Shown(const std::string& text, int column) const {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    if (c.kind == Column::Result) {
        // Results are written with a point; a number among them shows with the user's separator.
        if (sep_ != '.' && text.find('.') != std::string::npos && ReadsAsNumber(text, '.')) {
            std::string local = text;
            std::replace(local.begin(), local.end(), '.', sep_);
            return FromUtf8(local);
        }
        return FromUtf8(text);
    }
    if (const std::optional<StudyInputColumn> input = InputOf(column)) return FromUtf8(ShownCell(*input, text, sep_));
    return FromUtf8(text);
}

std::string StudyModel::Stored(const QString& typed, int column) const {
    const std::string text = Utf8(typed);
    if (const std::optional<StudyInputColumn> input = InputOf(column)) return StoredCell(*input, text, sep_);
    return text;
}

QVariant StudyModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column();
    const Column& c = columns_[static_cast<std::size_t>(column)];
    const PointResult& result = file_.Result(static_cast<std::size_t>(row));
    switch (role) {
        case Qt::DisplayRole:
            if (c.kind == Column::Result && ShowsResultWord(c.index)) return ShownResultWord(Cell(row, column));
            return Shown(Cell(row, column), column);
        case Qt::EditRole:
            return Shown(Cell(row, column), column);
        case SortRole: {
            const SortKey& key = KeyOf(row, column);
            return key.number ? QVariant(key.value) : QVariant(key.text);
        }
        case Qt::ToolTipRole:
            // A refusal, or the caution of a row computed as its device was set.
            if (!result.message.empty()) return LibraryText(result.message);
            return {};
        case Qt::BackgroundRole: {
            // A device that cannot interrupt its fault current stands out, whatever the row's results.
            if (c.kind == Column::Result && c.index == kDeviceDutyColumn && result.duty && result.duty->Exceeded())
                return QBrush(QColor(kCautionTint));
            if (!result.Computed()) return QBrush(QColor(kRefusedTint));
            // A computed row with a caution: its status stands out, its
            // results keep the tint of their level.
            if (c.kind == Column::Result && c.index == kStatusColumn && result.status == PointStatus::Caution) {
                return QBrush(QColor(kCautionTint));
            }
            const QColor tint = LevelTint(result.Governing().ppeIndex);
            return tint.isValid() ? QVariant(QBrush(tint)) : QVariant();
        }
        case Qt::FontRole: {
            if (c.kind != Column::Result || !result.Computed()) return {};
            const bool reduced = result.ReducedCaseGoverns();
            const bool governing =
                reduced ? (c.index == kIncidentEnergyReducedColumn || c.index == kFlashBoundaryReducedColumn ||
                           c.index == kPpeLevelReducedColumn)
                        : (c.index == kIncidentEnergyColumn || c.index == kFlashBoundaryColumn ||
                           c.index == kPpeLevelColumn);
            if (!governing) return {};
            QFont f;
            f.setBold(true);
            return f;
        }
        default:
            return {};
    }
}

QVariant StudyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return section + 1;
    return Heading(section);
}

Qt::ItemFlags StudyModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (columns_[static_cast<std::size_t>(index.column())].kind != Column::Result) f |= Qt::ItemIsEditable;
    return f;
}

bool StudyModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const std::string after = Stored(value.toString(), index.column());
    const std::string before = Cell(index.row(), index.column());
    if (after == before) return true;
    undo_.push(new SetCellCommand(*this, index.row(), index.column(), before, after));
    return true;
}

void StudyModel::SetCell(int row, int column, const std::string& text) {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    int at = -1;
    switch (c.kind) {
        case Column::Point:
            at = file_.PointColumn();
            if (at < 0) at = file_.AddColumn(kPointColumnName);
            break;
        case Column::Input:
            at = file_.Columns()[static_cast<std::size_t>(c.index)];
            if (at < 0) at = file_.AddColumn(kStudyInputNames[static_cast<std::size_t>(c.index)]);
            break;
        case Column::Other:
            at = c.index;
            break;
        case Column::Result:
            return;
    }
    Forget();
    computed_ -= Computed(row);
    file_.SetField(static_cast<std::size_t>(row), at, text);
    computed_ += Computed(row);
    if (file_.Network()) {
        // Every row of a network may take other currents; held, shown when
        // the hold ends (Release).
        if (!file_.Held()) NetworkChanged();
        return;
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void StudyModel::InsertRaws(int at, const std::vector<std::string>& raws) {
    if (raws.empty()) return;
    Forget();
    // A network study's rows are computed once all are in, and shown then.
    file_.Hold();
    beginInsertRows({}, at, at + static_cast<int>(raws.size()) - 1);
    for (std::size_t i = 0; i < raws.size(); ++i) {
        file_.InsertRaw(static_cast<std::size_t>(at) + i, raws[i]);
        computed_ += Computed(at + static_cast<int>(i));
    }
    endInsertRows();
    Release();
}

void StudyModel::NetworkChanged() {
    Recount();
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void StudyModel::Release() {
    if (!file_.Release()) return;
    Forget();
    NetworkChanged();
}

bool StudyModel::ComputeAgain() {
    Forget();
    const bool whole = file_.ComputeAgain();
    Forget();
    NetworkChanged();
    return whole;
}

void StudyModel::ChangeOptions(const StudyOptions& options) {
    // The table takes the new options (headings, units) at once; the rows
    // computed over them afterwards, as a long computation may show its
    // progress only outside a reset.
    beginResetModel();
    Forget();
    file_.Hold();
    file_.SetOptions(options);
    endResetModel();
    Release();
}

void StudyModel::SetShortCircuit(const network::SolveOptions& shortCircuit) {
    StudyOptions options = file_.Options();
    if (options.shortCircuit == shortCircuit.convention && options.lvTolerance == shortCircuit.lvTolerance &&
        options.cableEndTemp == shortCircuit.cableEndTemp)
        return;
    options.shortCircuit = shortCircuit.convention;
    options.lvTolerance = shortCircuit.lvTolerance;
    options.cableEndTemp = shortCircuit.cableEndTemp;
    ChangeOptions(options);
}

void StudyModel::SetArcSteps(bool steps, std::optional<double> motorDecay) {
    StudyOptions options = file_.Options();
    if (options.arcSteps == steps && options.motorDecay == motorDecay) return;
    options.arcSteps = steps;
    options.motorDecay = motorDecay;
    ChangeOptions(options);
}

std::vector<std::string> StudyModel::RemoveRange(int at, int count) {
    std::vector<std::string> raws;
    if (count <= 0) return raws;
    Forget();
    file_.Hold();
    beginRemoveRows({}, at, at + count - 1);
    for (int i = count - 1; i >= 0; --i) {
        raws.push_back(file_.Raw(static_cast<std::size_t>(at + i)));
        computed_ -= Computed(at + i);
        file_.RemoveRow(static_cast<std::size_t>(at + i));
    }
    endRemoveRows();
    Release();
    std::reverse(raws.begin(), raws.end());
    return raws;
}

void StudyModel::AddRow(int at, NewRowKind kind, std::optional<int> like) {
    Held([&] { AddRowHeld(at, kind, like); });
}

void StudyModel::AddRowHeld(int at, NewRowKind kind, std::optional<int> like) {
    const NewRow made = MakeNewRow(file_, like ? std::optional<std::size_t>(static_cast<std::size_t>(*like)) : std::nullopt,
                                   kind);
    // A column the file lacks joins its header, as a paste's does.
    if (file_.PointColumn() < 0) file_.AddColumn(kPointColumnName);
    for (const auto& [c, text] : made.cells) {
        if (file_.Columns()[static_cast<std::size_t>(c)] < 0) file_.AddColumn(kStudyInputNames[static_cast<std::size_t>(c)]);
    }
    Forget();
    std::vector<std::string> fields(file_.Header().size());
    fields[static_cast<std::size_t>(file_.PointColumn())] = made.point;
    for (const auto& [c, text] : made.cells) fields[static_cast<std::size_t>(file_.Columns()[static_cast<std::size_t>(c)])] = text;
    const char* what = kind == NewRowKind::Feeder       ? QT_TR_NOOP("Add feeder")
                       : kind == NewRowKind::PointOnBus ? QT_TR_NOOP("Add point on the bus")
                                                        : QT_TR_NOOP("Add row");
    undo_.push(new InsertCommand(*this, at, {file_.NewRecord(fields)}, tr(what)));
}

void StudyModel::SetCells(const QModelIndexList& cells, const QString& typed, const QString& what) {
    QModelIndexList taking;
    for (const QModelIndex& i : cells) {
        if (!i.isValid() || !(flags(i) & Qt::ItemIsEditable)) continue;
        if (const QString fault = CellFault(i.column(), typed); !typed.isEmpty() && !fault.isEmpty()) {
            throw std::runtime_error(Utf8(fault));
        }
        if (Cell(i.row(), i.column()) != Stored(typed, i.column())) taking << i;
    }
    if (taking.isEmpty()) return;
    auto* all = new CellsCommand(*this, what);
    for (const QModelIndex& i : taking) {
        new SetCellCommand(*this, i.row(), i.column(), Cell(i.row(), i.column()), Stored(typed, i.column()), all);
    }
    undo_.push(all);
}

bool StudyModel::DefinesNetworkElement(int row) const {
    if (!file_.Network()) return false;
    for (int c = kFromBusColumn; c <= kLastNetworkColumn; ++c) {
        if (!file_.Input(static_cast<std::size_t>(row), static_cast<StudyInputColumn>(c)).empty()) return true;
    }
    return false;
}

void StudyModel::DuplicateRows(const std::vector<int>& rows, bool copyNetworkElements) {
    if (rows.empty()) return;
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::string> raws;
    for (int r : sorted) {
        if (!copyNetworkElements && DefinesNetworkElement(r)) {
            // The point alone, on the row's bus: what feeds the bus stays as it is.
            std::vector<std::string> fields = file_.Fields(static_cast<std::size_t>(r));
            for (int c = kFromBusColumn; c <= kLastNetworkColumn; ++c) {
                const int at = file_.Columns()[static_cast<std::size_t>(c)];
                if (at >= 0 && static_cast<std::size_t>(at) < fields.size()) fields[static_cast<std::size_t>(at)].clear();
            }
            raws.push_back(file_.NewRecord(fields));
            continue;
        }
        std::string raw = file_.Raw(static_cast<std::size_t>(r));
        // The last line of a file may have no line end; its copy gets one.
        if (raw.empty() || raw.back() != '\n') raw += "\r\n";
        raws.push_back(std::move(raw));
    }
    undo_.push(new InsertCommand(*this, sorted.back() + 1, std::move(raws), tr("Duplicate rows")));
}

void StudyModel::DeleteRows(const std::vector<int>& rows) {
    if (rows.empty()) return;
    undo_.push(new RemoveCommand(*this, rows));
}

QString StudyModel::CopyRows(const std::vector<int>& rows) const {
    QString out;
    for (int c = 0; c < columnCount(); ++c) {
        if (c) out += QLatin1Char('\t');
        AppendTsvField(out, Heading(c));
    }
    out += QLatin1Char('\n');
    for (int r : rows) {
        for (int c = 0; c < columnCount(); ++c) {
            if (c) out += QLatin1Char('\t');
            AppendTsvField(out, data(index(r, c), Qt::DisplayRole).toString());
        }
        out += QLatin1Char('\n');
    }
    return out;
}

int StudyModel::PasteRows(const QString& text, int at) {
    // The columns it adds and its rows computed once.
    int n = 0;
    Held([&] { n = PasteInto(text, at); });
    return n;
}

int StudyModel::PasteInto(const QString& text, int at) {
    std::vector<QStringList> lines = ParseTsv(text);
    if (lines.empty()) return 0;
    // Which table column each pasted column fills: by a heading line that
    // names the point or the method (by heading or column name), else in the
    // order of a new study's file (the name, the inputs, the user's columns),
    // as a spreadsheet made from a study holds them.
    std::vector<int> target;
    const QStringList& first = lines.front();
    for (const QString& heading : first) target.push_back(ColumnHeaded(heading));
    const bool headed = std::any_of(target.begin(), target.end(), [this](int c) {
        if (c < 0) return false;
        const Column& col = columns_[static_cast<std::size_t>(c)];
        return col.kind == Column::Point || (col.kind == Column::Input && col.index == kMethodColumn);
    });
    if (headed) {
        lines.erase(lines.begin());
    } else {
        target.clear();
        auto tableColumn = [this](Column::Kind kind, int index) {
            for (int c = 0; c < columnCount(); ++c) {
                const Column& col = columns_[static_cast<std::size_t>(c)];
                if (col.kind == kind && col.index == index) return c;
            }
            return -1;
        };
        target.push_back(0);
        for (StudyInputColumn c : StudyInputOrder()) target.push_back(tableColumn(Column::Input, c));
        for (int c = 0; c < columnCount(); ++c) {
            if (columns_[static_cast<std::size_t>(c)].kind == Column::Other) target.push_back(c);
        }
    }
    // The cells of each line by table column, checked before anything changes.
    std::vector<std::vector<std::pair<int, QString>>> rows;
    int line = 0;
    for (const QStringList& cells : lines) {
        ++line;
        std::vector<std::pair<int, QString>>& row = rows.emplace_back();
        for (qsizetype i = 0; i < cells.size() && i < static_cast<qsizetype>(target.size()); ++i) {
            const int c = target[static_cast<std::size_t>(i)];
            if (c < 0 || columns_[static_cast<std::size_t>(c)].kind == Column::Result) continue;
            const QString cell = cells[i].trimmed();
            if (const std::optional<StudyInputColumn> input = InputOf(c); input && !CellFault(c, cell).isEmpty()) {
                const char* message = StudyColumnKind(*input) == StudyCellKind::NumberOrNone
                                       ? QT_TR_NOOP("Pasted row %1: '%2' in column %3 is not a number or \"none\".")
                                       : QT_TR_NOOP("Pasted row %1: '%2' in column %3 is not a number.");
                throw std::runtime_error(Utf8(tr(message).arg(line).arg(cell, ColumnName(c))));
            }
            // An empty cell fills nothing: a column the file lacks stays out of it.
            if (!cell.isEmpty()) row.emplace_back(c, cell);
        }
    }
    // A column the file lacks joins its header (every record of the file
    // gets its empty field), then the records are made, all as wide as the header.
    auto fileColumnOf = [this](int c) {
        const Column& col = columns_[static_cast<std::size_t>(c)];
        return col.kind == Column::Point   ? file_.PointColumn()
               : col.kind == Column::Input ? file_.Columns()[static_cast<std::size_t>(col.index)]
                                           : col.index;
    };
    for (const auto& row : rows) {
        for (const auto& [c, cell] : row) {
            if (fileColumnOf(c) < 0) {
                file_.AddColumn(Utf8(ColumnName(c)));
                Forget();
            }
        }
    }
    std::vector<std::string> raws;
    for (const auto& row : rows) {
        std::vector<std::string> fields(file_.Header().size());
        for (const auto& [c, cell] : row) fields[static_cast<std::size_t>(fileColumnOf(c))] = Stored(cell, c);
        raws.push_back(file_.NewRecord(fields));
    }
    if (raws.empty()) return 0;
    const int n = static_cast<int>(raws.size());
    undo_.push(new InsertCommand(*this, at, std::move(raws), tr("Paste rows")));
    return n;
}

void StudyModel::SetCurves(std::shared_ptr<const CurveSet> curves) {
    StudyOptions options = file_.Options();
    options.curves = std::move(curves);
    ChangeOptions(options);
}

void StudyModel::SetUnits(const UnitSettings& units) {
    StudyOptions options = file_.Options();
    options.units = units;
    ChangeOptions(options);
}

const StudyModel::SortKey& StudyModel::KeyOf(int row, int column) const {
    if (keyColumn_ != column) {
        keys_.assign(static_cast<std::size_t>(rowCount()), std::nullopt);
        keyColumn_ = column;
    }
    std::optional<SortKey>& key = keys_[static_cast<std::size_t>(row)];
    if (!key) {
        key.emplace();
        const std::string text = Cell(row, column);
        key->number = ReadsAsNumber(text, '.');
        if (key->number) {
            key->value = ParseNumber(text, '.');
        } else {
            key->text = FromUtf8(text);
            key->collated = collator_.sortKey(key->text);
        }
    }
    return *key;
}

void StudyModel::Recount() {
    computed_ = 0;
    for (int r = 0; r < rowCount(); ++r) computed_ += Computed(r);
}

StudySortFilter::StudySortFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    // "in all columns" from the start; -1 is not the proxy's own default.
    setFilterKeyColumn(-1);
}

bool StudySortFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    // The keys of one column, made once a row for the whole sort.
    const auto& model = static_cast<const StudyModel&>(*sourceModel());
    const StudyModel::SortKey& a = model.KeyOf(left.row(), left.column());
    const StudyModel::SortKey& b = model.KeyOf(right.row(), right.column());
    if (a.number && b.number) return a.value < b.value;
    // Numbers before texts (an empty result of a refused row is one) in either order.
    if (a.number != b.number) return sortOrder() == Qt::AscendingOrder ? a.number : b.number;
    return a.collated->compare(*b.collated) < 0;
}

}  // namespace zentavo::ui

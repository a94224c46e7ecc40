// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_model.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <algorithm>
#include <iterator>
#include <set>
#include <span>
#include <stdexcept>

#include "engine/classification.h"
#include "engine/number.h"
#include "study/bus_rename.h"
#include "study/cell_text.h"
#include "study/column_groups.h"
#include "study/row_edit.h"
#include "ui/study_commands.h"
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

// The tint of a row by the PPE level of its governing case (PpeTint, shared
// with the one-line); none for level 0.
QColor LevelTint(std::int32_t level) {
    const std::optional<std::uint32_t> rgb = PpeTint(level);
    return rgb ? QColor(QRgb(*rgb)) : QColor();
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
        if (sep_ != '.' && text.find('.') != std::string::npos && ReadNumber(text, '.')) {
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

std::optional<StudyModel::AddedColumn> StudyModel::SetCell(int row, int column,
                                                           const std::string& text) {
    const Column& c = columns_[static_cast<std::size_t>(column)];
    int at = -1;
    std::optional<AddedColumn> head;
    auto add = [&](std::string_view name) {
        std::string before = file_.Head();
        const int added = file_.AddColumn(name);
        head = AddedColumn{std::move(before), file_.Header().size()};
        return added;
    };
    switch (c.kind) {
        case Column::Point:
            at = file_.PointColumn();
            if (at < 0) at = add(kPointColumnName);
            break;
        case Column::Input:
            at = file_.Columns()[static_cast<std::size_t>(c.index)];
            if (at < 0) at = add(kStudyInputNames[static_cast<std::size_t>(c.index)]);
            break;
        case Column::Other:
            at = c.index;
            break;
        case Column::Result:
            return head;
    }
    Forget();
    computed_ -= Computed(row);
    file_.SetField(static_cast<std::size_t>(row), at, text);
    computed_ += Computed(row);
    if (file_.Network() && !file_.Held()) {
        // Every row of a network may take other currents.
        NetworkChanged();
        return head;
    }
    // Held: the row as it stands now (an edit of its point alone is computed
    // at once); every row is shown again if the hold's end computes them.
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    return head;
}

void StudyModel::PutRaw(int row, const std::string& raw) {
    Forget();
    computed_ -= Computed(row);
    file_.SetRaw(static_cast<std::size_t>(row), raw);
    computed_ += Computed(row);
    if (file_.Network()) {
        if (!file_.Held()) NetworkChanged();
        return;
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void StudyModel::DropColumn(AddedColumn added) {
    Forget();
    if (!file_.DropLastColumn(std::move(added.head), added.width) || file_.Held()) return;
    NetworkChanged();
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

void StudyModel::SetArcCurrentRange(bool on) {
    StudyOptions options = file_.Options();
    if (options.arcCurrentRange == on) return;
    options.arcCurrentRange = on;
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

void StudyModel::EditRow(int row,
                         const std::vector<std::pair<StudyInputColumn, std::string>>& cells,
                         const QString& what) {
    auto* all = new CellsCommand(*this, what);
    for (const auto& [c, text] : cells) {
        const int column = ColumnNamed(FromUtf8(kStudyInputNames[static_cast<std::size_t>(c)]));
        const std::string before = Cell(row, column);
        if (before != text) new SetCellCommand(*this, row, column, before, text, all);
    }
    if (all->childCount() == 0) {
        delete all;
        return;
    }
    undo_.push(all);
}

void StudyModel::RenameBus(const std::string& bus, const std::string& name, const QString& what) {
    std::vector<RowsCellsCommand::Cell> cells;
    for (const BusCell& c : CellsNamingBus(file_, bus)) {
        cells.push_back(
            {static_cast<int>(c.row),
             ColumnNamed(FromUtf8(kStudyInputNames[static_cast<std::size_t>(c.column)]))});
    }
    if (cells.empty()) return;
    undo_.push(new RowsCellsCommand(*this, std::move(cells), name, what));
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
    // The names in use, the copies' own as they are given.
    const int pointAt = file_.PointColumn();
    std::set<std::string> names;
    if (pointAt >= 0) {
        for (std::size_t r = 0; r < file_.RowCount(); ++r) names.insert(file_.Point(r));
    }
    std::vector<std::string> raws;
    for (int r : sorted) {
        std::vector<std::string> fields = file_.Fields(static_cast<std::size_t>(r));
        if (fields.size() != file_.Header().size()) {
            // A record of another width is copied as it stands, refused as the original is.
            std::string raw = file_.Raw(static_cast<std::size_t>(r));
            if (raw.empty() || raw.back() != '\n') raw += "\r\n";
            raws.push_back(std::move(raw));
            continue;
        }
        if (!copyNetworkElements && DefinesNetworkElement(r)) {
            // The point alone, on the row's bus: what feeds the bus stays as it is.
            for (int c = kFromBusColumn; c <= kLastNetworkColumn; ++c) {
                const int at = file_.Columns()[static_cast<std::size_t>(c)];
                if (at >= 0 && static_cast<std::size_t>(at) < fields.size()) fields[static_cast<std::size_t>(at)].clear();
            }
        }
        if (pointAt >= 0 && static_cast<std::size_t>(pointAt) < fields.size()) {
            std::string& name = fields[static_cast<std::size_t>(pointAt)];
            name =
                CopyName(name, [&](std::string_view n) { return names.contains(std::string(n)); });
            names.insert(name);
        }
        raws.push_back(file_.NewRecord(fields));
    }
    undo_.push(new InsertCommand(*this, sorted.back() + 1, std::move(raws), tr("Duplicate rows")));
}

void StudyModel::DeleteRows(const std::vector<int>& rows) {
    if (rows.empty()) return;
    undo_.push(new RemoveCommand(*this, rows));
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
    if (!key) key = SortKeyOf(Cell(row, column), collator_);
    return *key;
}

void StudyModel::Recount() {
    computed_ = 0;
    for (int r = 0; r < rowCount(); ++r) computed_ += Computed(r);
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "io/file_io.h"
#include "ui/application.h"
#include "ui/compute_progress.h"
#include "ui/dialogs.h"
#include "ui/frozen_table.h"
#include "ui/one_line_view.h"
#include "ui/open_files.h"
#include "ui/row_form.h"
#include "ui/study_actions.h"
#include "ui/study_delegate.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// A study larger than this is refused: the whole file is held in memory.
constexpr std::size_t kLargestStudyBytes = std::size_t{128} << 20;

std::string FileName(const QString& path) { return Utf8(QFileInfo(path).fileName()); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

FileChoice StudyFileChoice(const QString& title, const QString& initial) {
    return FileChoice{title, TStudy::tr("studies (*.csv)"), QStringLiteral("csv"), initial};
}

}  // namespace

TStudy::TStudy(Application& app, StudyFile file, const QString& path,
               std::optional<FileFingerprint> print)
    : app_(app), path_(path), print_(print), labelLanguage_(DefaultLabelLanguage()) {
    setObjectName("Study");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(WindowFont());
    model_ = std::make_unique<StudyModel>(std::move(file), app.Sep());
    proxy_ = new StudySortFilter(this);
    proxy_->setSourceModel(model_.get());
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy_->setSortRole(StudyModel::SortRole);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(BuildFilterRow(central));
    BuildNetworkBar();
    BuildTable(central);
    layout->addWidget(StudyTable, 1);
    setCentralWidget(central);
    BuildCurveDock();
    BuildRowFormDock();
    oneLine_ = new OneLineDock(app_, *model_, *StudyTable, [this] { return path_; }, this);
    StatusText = new QLabel(this);
    StatusText->setObjectName("StatusText");
    statusBar()->addWidget(StatusText, 1);
    // A long computation of every row shows its progress and may be stopped.
    progress_ = new ComputeProgress(this);
    model_->SetProgress([this](std::size_t done, std::size_t all) { return progress_->Tell(done, all); });
    connect(progress_, &ComputeProgress::stopped, this, [this](std::size_t left) {
        statusBar()->showMessage(tr("The calculation was stopped: %n row(s) not computed. Edit, Compute again "
                                    "(F5) computes every row.",
                                    nullptr, static_cast<int>(left)));
    });

    ConnectControls();
    BuildMenus();
    UpdateTitle();
    UpdateStatus();
    UpdateColumns();
    // Room for the inputs and the first results within a 1024-pixel screen;
    // as it is shown, the window is made to fit the screen and centred on it.
    resize(1000, 600);
}

QHBoxLayout* TStudy::BuildFilterRow(QWidget* central) {
    auto* filterRow = new QHBoxLayout;
    auto* filterLabel = new QLabel(tr("Fil&ter:"), central);
    FilterEdit = new QLineEdit(central);
    FilterEdit->setObjectName("FilterEdit");
    FilterEdit->setClearButtonEnabled(true);
    FilterEdit->setPlaceholderText(tr("Text to look for"));
    filterLabel->setBuddy(FilterEdit);
    FilterColumnBox = new QComboBox(central);
    FilterColumnBox->setObjectName("FilterColumnBox");
    FilterColumnBox->setAccessibleName(tr("Filter in"));
    FilterColumnBox->addItem(tr("in all columns"));
    for (int c = 0; c < model_->columnCount(); ++c) FilterColumnBox->addItem(QString());
    UpdateFilterColumns();
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(FilterEdit, 1);
    filterRow->addWidget(FilterColumnBox);
    return filterRow;
}

bool TStudy::HighestFirst(int column) const {
    const StudyModel::Column& c = model_->columns()[static_cast<std::size_t>(column)];
    if (c.kind != StudyModel::Column::Result) return false;
    switch (c.index) {
        case kIncidentEnergyColumn:
        case kIncidentEnergyReducedColumn:
        case kIncidentEnergyGoverningColumn:
        case kFlashBoundaryColumn:
        case kFlashBoundaryReducedColumn:
        case kFlashBoundaryGoverningColumn:
        case kPpeLevelColumn:
        case kPpeLevelReducedColumn:
        case kPpeLevelGoverningColumn:
            return true;
        default:
            return false;
    }
}

void TStudy::SizeColumns() {
    // Widths from the headings (in up to three lines) and the first rows:
    // measuring every row of a large study would take seconds.
    const QFontMetrics fm = StudyTable->fontMetrics();
    for (int c = 0; c < model_->columnCount(); ++c) {
        const QString heading = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        int widestWord = 0;
        for (const QString& word : heading.split(QLatin1Char(' '))) widestWord = std::max(widestWord, fm.horizontalAdvance(word));
        int w = std::max(widestWord, fm.horizontalAdvance(heading) / 3);
        while (fm.boundingRect(QRect(0, 0, w, 1000), Qt::TextWordWrap, heading).height() > 3 * fm.lineSpacing()) w += 8;
        w += 24;
        // The point column holds at least the name of a new row.
        if (c == 0) w = std::max(w, fm.horizontalAdvance(FromUtf8(StudyModel::kNewPointName)) + 16);
        for (int r = 0; r < std::min(model_->rowCount(), 50); ++r) {
            w = std::max(w, fm.horizontalAdvance(model_->data(model_->index(r, c), Qt::DisplayRole).toString()) + 16);
        }
        StudyTable->setColumnWidth(c, std::min(w, 360));
    }
}

void TStudy::WidenColumns(int first, int last, bool every) {
    // The cells of these rows wider than their columns widen them (never
    // narrower, never beyond 360 pixels): a name typed, rows added.
    const QFontMetrics fm = StudyTable->fontMetrics();
    for (int c = 0; c < (every ? model_->columnCount() : 1); ++c) {
        int w = StudyTable->columnWidth(c);
        for (int r = first; r <= std::min(last, first + 49); ++r) {
            w = std::max(w, fm.horizontalAdvance(model_->data(model_->index(r, c), Qt::DisplayRole).toString()) + 16);
        }
        if (w != StudyTable->columnWidth(c)) StudyTable->setColumnWidth(c, std::min(w, 360));
    }
}

void TStudy::BuildTable(QWidget* central) {
    // The point column stays in view when the table scrolls sideways.
    auto* table = new FrozenColumnTable(central);
    StudyTable = table;
    // The name and what the row gives stay in view as the inputs scroll by.
    table->SetFrozenColumns(1 + static_cast<int>(std::size(StudyModel::kGoverningResults)));
    StudyTable->setObjectName("StudyTable");
    StudyTable->setAccessibleName(tr("Points of the study"));
    StudyTable->setModel(proxy_);
    table->SetDelegates([this](QObject* parent) {
        return new StudyDelegate(app_, *model_, this, parent, [this](const QString& text) {
            model_->SetCells(SelectedCells(), text, tr("Fill cells"));
        });
    });
    StudyTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    StudyTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    StudyTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    StudyTable->setSortingEnabled(true);
    StudyTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Headings in up to three lines: the columns stay as narrow as their numbers.
    for (QHeaderView* h : {StudyTable->horizontalHeader(), table->FrozenView()->horizontalHeader()}) {
        h->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    }
    StudyTable->horizontalHeader()->setMinimumHeight(3 * StudyTable->fontMetrics().lineSpacing() + 12);
    StudyTable->verticalHeader()->setDefaultSectionSize(StudyTable->fontMetrics().height() + 8);
    StudyTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SizeColumns();
}

void TStudy::BuildRowFormDock() {
    RowFormDock = new QDockWidget(tr("Row form"), this);
    RowFormDock->setObjectName("RowFormDock");
    RowFormDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    form_ = new TRowForm(app_, *model_, RowFormDock);
    RowFormDock->setWidget(form_);
    connect(form_, &TRowForm::told, this,
            [this](const QString& text) { statusBar()->showMessage(text, 15000); });
    addDockWidget(Qt::RightDockWidgetArea, RowFormDock);
    // The curve, when asked for, is a tab beside the form.
    tabifyDockWidget(RowFormDock, CurveDock);
    RowFormDock->raise();
}

void TStudy::ConnectControls() {
    connect(FilterEdit, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
    connect(proxy_, &QAbstractItemModel::rowsInserted, this, [this] { UpdateStatus(); });
    connect(proxy_, &QAbstractItemModel::rowsRemoved, this, [this] { UpdateStatus(); });
    connect(proxy_, &QAbstractItemModel::layoutChanged, this, [this] { UpdateStatus(); });
    connect(proxy_, &QAbstractItemModel::modelReset, this, [this] { UpdateStatus(); });
    // The first click on a heading of energies, boundaries or PPE levels
    // puts the greatest hazard first; the next one turns the order round.
    connect(StudyTable->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                const bool first = column != sortedColumn_;
                sortedColumn_ = column;
                if (first && order == Qt::AscendingOrder && HighestFirst(column)) {
                    StudyTable->horizontalHeader()->setSortIndicator(column, Qt::DescendingOrder);
                }
            });
    connect(FilterColumnBox, &QComboBox::currentIndexChanged, proxy_,
            [this](int i) { proxy_->setFilterKeyColumn(i - 1); });
    connect(&model_->undoStack(), &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
    connect(model_.get(), &QAbstractItemModel::dataChanged, this, [this] {
        UpdateStatus();
        UpdateColumns();
        UpdateNetworkView();
    });
    connect(model_.get(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) { WidenColumns(from.row(), to.row(), false); });
    connect(model_.get(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        WidenColumns(first, last, true);
        UpdateStatus();
        UpdateNetworkView();
    });
    connect(model_.get(), &QAbstractItemModel::rowsRemoved, this, [this] {
        UpdateStatus();
        UpdateNetworkView();
    });
    connect(model_.get(), &QAbstractItemModel::modelReset, this, [this] {
        UpdateStatus();
        UpdateColumns();
        UpdateFilterColumns();  // the headings' units
        UpdateNetworkView();
    });
    auto shortCircuit = [this] { app_.Guard(this, [&] { ShortCircuitChange(); }); };
    connect(ShortCircuitBox, &QComboBox::currentIndexChanged, this, shortCircuit);
    connect(LvToleranceBox, &QComboBox::currentIndexChanged, this, shortCircuit);
    connect(CableEndTempBox, &QSpinBox::valueChanged, this, shortCircuit);
    auto steps = [this] { app_.Guard(this, [&] { ArcStepsChange(); }); };
    connect(ArcStepsBox, &QCheckBox::toggled, this, steps);
    connect(MotorDecayBox, &QSpinBox::valueChanged, this, steps);
    connect(ArcCurrentRangeBox, &QCheckBox::toggled, this,
            [this] { app_.Guard(this, [&] { ArcCurrentRangeChange(); }); });
    // The picture follows the current row and is drawn again for its new
    // results whenever the study changes under it.
    auto curve = [this] { app_.Guard(this, [&] { UpdateCurve(); }); };
    connect(StudyTable->selectionModel(), &QItemSelectionModel::currentChanged, this, curve);
    connect(StudyTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, curve);
    connect(StudyTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { app_.Guard(this, [&] { form_->ShowRow(CurrentModelRow()); }); });
    connect(RowFormDock, &QDockWidget::visibilityChanged, this, [curve](bool visible) {
        if (visible) curve();
    });
    // An option's change computes every row anew under a reset of the
    // table, which forgets its current cell without a word: the cell is kept
    // (the rows are the same), so that the form and the picture go on
    // showing the row the table has current, or none where the filter hides it.
    connect(model_.get(), &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const QModelIndex current = proxy_->mapToSource(StudyTable->currentIndex());
        currentBeforeReset_ = current.isValid()
                                  ? std::optional(std::pair(current.row(), current.column()))
                                  : std::nullopt;
    });
    connect(model_.get(), &QAbstractItemModel::modelReset, this, [this] {
        const std::optional<std::pair<int, int>> cell =
            std::exchange(currentBeforeReset_, std::nullopt);
        const QModelIndex at =
            cell && cell->first < model_->rowCount() && cell->second < model_->columnCount()
                ? proxy_->mapFromSource(model_->index(cell->first, cell->second))
                : QModelIndex();
        if (at.isValid()) {
            StudyTable->setCurrentIndex(at);
        } else {
            app_.Guard(this, [&] { form_->ShowRow(-1); });
        }
    });
    connect(model_.get(), &QAbstractItemModel::modelReset, this, curve);
    connect(model_.get(), &QAbstractItemModel::dataChanged, this, curve);
    connect(model_.get(), &QAbstractItemModel::rowsInserted, this, curve);
    connect(model_.get(), &QAbstractItemModel::rowsRemoved, this, curve);
    connect(CurveDock, &QDockWidget::visibilityChanged, this, [curve](bool visible) {
        if (visible) curve();
    });
}

TStudy::~TStudy() {
    // The study goes before the window's own parts: nothing may reach it then
    // (its undo stack announces its last change as it is taken apart).
    disconnect(&model_->undoStack(), nullptr, this, nullptr);
    disconnect(model_.get(), nullptr, this, nullptr);
    disconnect(StudyTable->selectionModel(), nullptr, this, nullptr);
    disconnect(CurveDock, nullptr, this, nullptr);
    disconnect(RowFormDock, nullptr, this, nullptr);
    proxy_->setSourceModel(nullptr);
}

void TStudy::BuildMenus() {
    const StudyActions menus(*this, {model_->undoStack(), *StudyTable, *oneLine_->ExportAction(), *RowFormDock,
                                     *CurveDock, *oneLine_});
    // What is typed in the form and not yet kept is kept before the window acts.
    auto on = [this](QAction* action, void (TStudy::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] {
            app_.Guard(this, [&] {
                form_->CommitPending();
                (this->*handler)();
            });
        });
    };
    on(menus.newStudy, &TStudy::NewStudyClick);
    on(menus.openStudy, &TStudy::OpenStudyClick);
    on(menus.save, &TStudy::SaveClick);
    on(menus.saveAs, &TStudy::SaveAsClick);
    on(menus.exportResults, &TStudy::ExportClick);
    on(menus.loadCurves, &TStudy::LoadCurvesClick);
    on(menus.labels, &TStudy::LabelsClick);
    on(menus.report, &TStudy::ReportClick);
    on(menus.printReport, &TStudy::PrintReportClick);
    connect(menus.close, &QAction::triggered, this, &QWidget::close);
    on(menus.addRow, &TStudy::AddRowClick);
    on(menus.addPointOnBus, &TStudy::AddPointOnBusClick);
    on(menus.addFeeder, &TStudy::AddFeederClick);
    on(menus.renameBus, &TStudy::RenameBusClick);
    connect(oneLine_, &OneLineDock::RenameBusAsked, this, [this](const QString& bus) {
        app_.Guard(this, [&] {
            form_->CommitPending();
            RenameBus(Utf8(bus));
        });
    });
    on(menus.duplicate, &TStudy::DuplicateClick);
    on(menus.deleteRows, &TStudy::DeleteClick);
    on(menus.clearCells, &TStudy::ClearCellsClick);
    on(menus.copy, &TStudy::CopyClick);
    on(menus.paste, &TStudy::PasteClick);
    on(menus.computeAgain, &TStudy::ComputeAgainClick);
    for (const auto& [group, action] : menus.columnGroups) {
        connect(action, &QAction::toggled, this, [this, g = static_cast<int>(group)](bool shown) {
            if (shown) {
                folded_.remove(g);
            } else {
                folded_.insert(g);
            }
            UpdateColumns();
        });
    }
    on(menus.networkView, &TStudy::NetworkClick);
    on(menus.switchPane, &TStudy::SwitchPaneClick);
}

void TStudy::NewStudyClick() { NewStudyWindow(app_)->show(); }

void TStudy::SwitchPaneClick() {
    if (form_->isAncestorOf(QApplication::focusWidget())) {
        StudyTable->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    RowFormDock->show();
    RowFormDock->raise();
    // With no row chosen, the first row shown.
    if (!StudyTable->currentIndex().isValid() && proxy_->rowCount() > 0)
        StudyTable->setCurrentIndex(proxy_->index(0, 0));
    form_->FocusFirstField();
}

void TStudy::OpenStudyClick() {
    if (TStudy* w = OpenStudyWindow(app_, this)) w->show();
}

bool TStudy::IsModified() const { return !model_->undoStack().isClean(); }

void TStudy::UpdateTitle() {
    const QString name = path_.isEmpty() ? tr("New study") : QFileInfo(path_).fileName();
    setWindowTitle(tr("%1[*] - Zentavo study").arg(name));
    setWindowModified(IsModified());
}

void TStudy::UpdateFilterColumns() {
    for (int c = 0; c < model_->columnCount(); ++c) {
        FilterColumnBox->setItemText(c + 1, tr("in %1").arg(model_->Heading(c)));
    }
}

void TStudy::UpdateColumns() {
    const StudyColumnMap& at = model_->file().Columns();
    const bool devices = HasDeviceColumns(at), network = HasNetworkColumns(at);
    const auto& columns = model_->columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(c);
        bool hidden = folded_.contains(static_cast<int>(model_->GroupOfColumn(column)));
        if (columns[c].kind == StudyModel::Column::Result) {
            const int r = columns[c].index;
            const bool deviceResult = r >= kFirstDeviceResultColumn && r < kFirstNetworkResultColumn;
            const bool networkResult = r >= kFirstNetworkResultColumn && r < kFirstDcResultColumn;
            const bool stepsResult = r >= kFirstStepsResultColumn && r < kFirstScenarioResultColumn;
            const bool scenarioResult =
                (r >= kFirstScenarioResultColumn && r < kFirstDcResultColumn) ||
                r >= kFirstScenarioEnergiesResultColumn;
            const bool dcResult = r >= kFirstDcResultColumn && r < kFirstRangeResultColumn;
            const bool rangeResult =
                r >= kFirstRangeResultColumn && r < kFirstScenarioEnergiesResultColumn;
            hidden = hidden || (deviceResult && !devices) || (networkResult && !network) ||
                     (stepsResult && !model_->file().Options().arcSteps) ||
                     (scenarioResult && !HasScenarioColumns(at)) ||
                     (dcResult && !HasDcColumns(at)) ||
                     (rangeResult && !model_->file().Options().arcCurrentRange);
        }
        if (StudyTable->isColumnHidden(column) != hidden) StudyTable->setColumnHidden(column, hidden);
    }
}

void TStudy::ComputeAgainClick() {
    statusBar()->clearMessage();
    model_->ComputeAgain();
}

void TStudy::UpdateStatus() {
    const int rows = model_->rowCount();
    const int ok = model_->ComputedRows();
    QString text = tr("%1 points: %2 computed, %3 refused").arg(rows).arg(ok).arg(rows - ok);
    // Under a filter, how many of them the table shows.
    if (proxy_->rowCount() != rows) text = tr("%1 of %2 points shown").arg(proxy_->rowCount()).arg(rows) + QStringLiteral("; ") + text;
    StatusText->setText(text);
}

std::vector<int> TStudy::SelectedRows() const {
    std::vector<int> rows;
    // By the selection's ranges, a row each: a whole table selected is not
    // walked cell by cell.
    for (const QItemSelectionRange& range : StudyTable->selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r) {
            rows.push_back(proxy_->mapToSource(proxy_->index(r, range.left())).row());
        }
    }
    if (rows.empty() && StudyTable->currentIndex().isValid()) {
        rows.push_back(proxy_->mapToSource(StudyTable->currentIndex()).row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int TStudy::CurrentModelRow() const {
    const QModelIndex i = StudyTable->currentIndex();
    return i.isValid() ? proxy_->mapToSource(i).row() : -1;
}

void TStudy::SaveClick() { Save(); }

bool TStudy::Save() {
    if (path_.isEmpty()) {
        const QString chosen = app_.dialogs().SaveFileName(this, StudyFileChoice(tr("Save study as"), QString()));
        if (chosen.isEmpty()) return false;
        return SaveTo(chosen);
    }
    return SaveTo(path_);
}

void TStudy::SaveAsClick() {
    const QString chosen = app_.dialogs().SaveFileName(this, StudyFileChoice(tr("Save study as"), path_));
    if (!chosen.isEmpty()) SaveTo(chosen);
}

bool TStudy::SaveTo(const QString& path) {
    if (!MayReplace(app_, this, path, path_, print_)) return false;  // the edits stay
    print_ = WriteFileAtomically(LocalPath(path), model_->file().Bytes());
    path_ = path;
    model_->undoStack().setClean();
    UpdateTitle();
    return true;
}

void TStudy::AddRowClick() { AddRowOf(NewRowKind::Point); }
void TStudy::AddPointOnBusClick() { AddRowOf(NewRowKind::PointOnBus); }
void TStudy::AddFeederClick() { AddRowOf(NewRowKind::Feeder); }

void TStudy::AddRowOf(NewRowKind kind) {
    const int current = CurrentModelRow();
    const int at = current < 0 ? model_->rowCount() : current + 1;
    model_->AddRow(at, kind, current < 0 ? std::nullopt : std::optional<int>(current));
    const QModelIndex shown = proxy_->mapFromSource(model_->index(at, 0));
    if (shown.isValid()) {
        StudyTable->setCurrentIndex(shown);
        StudyTable->scrollTo(shown);
    }
}

void TStudy::DuplicateClick() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    // A copy of a row that defines a branch, source or motor doubles it in
    // the network, and every current downstream changes: the user says which.
    QStringList defining;
    for (int r : rows) {
        if (model_->DefinesNetworkElement(r)) defining << FromUtf8(model_->file().Point(static_cast<std::size_t>(r)));
    }
    if (defining.isEmpty()) {
        model_->DuplicateRows(rows);
        return;
    }
    const QString names = defining.size() > 3 ? defining.mid(0, 3).join(QStringLiteral(", ")) + QStringLiteral(", …")
                                              : defining.join(QStringLiteral(", "));
    const DuplicateAnswer answer = app_.dialogs().AskDuplicateBranch(
        this, tr("%n of the rows to duplicate define a branch, source or motor of the network (%1). Copy it too, "
                 "as a parallel one that changes the currents downstream, or only the point, on the same bus "
                 "with its branch columns left empty?",
                 nullptr, static_cast<int>(defining.size()))
                  .arg(names));
    if (answer == DuplicateAnswer::Cancel) return;
    const bool branch = answer == DuplicateAnswer::CopyBranch;
    model_->DuplicateRows(rows, branch);
    statusBar()->showMessage(
        branch ? tr("Duplicated %n row(s); the branches, sources and motors they define were copied as parallel ones.",
                    nullptr, static_cast<int>(rows.size()))
               : tr("Duplicated %n row(s); the copies are points on the same buses, their branch columns left empty.",
                    nullptr, static_cast<int>(rows.size())),
        15000);
}

void TStudy::DeleteClick() { model_->DeleteRows(SelectedRows()); }

void TStudy::ClearCellsClick() { model_->SetCells(SelectedCells(), QString(), tr("Clear cells")); }

QModelIndexList TStudy::SelectedCells() const {
    QModelIndexList cells;
    for (const QModelIndex& i : StudyTable->selectionModel()->selectedIndexes()) cells << proxy_->mapToSource(i);
    return cells;
}

void TStudy::CopyClick() {
    // In a cell being edited, the editor copies its own text.
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    QGuiApplication::clipboard()->setText(model_->CopyRows(rows));
}

void TStudy::PasteClick() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) return;
    const int current = CurrentModelRow();
    if (model_->PasteRows(text, current < 0 ? model_->rowCount() : current + 1) > 0) SizeColumns();
}

void TStudy::ApplyUnits() {
    const UnitSettings units = app_.Units();
    if (units != model_->file().Options().units) model_->SetUnits(units);
}

void TStudy::changeEvent(QEvent* event) {
    // The units window may have changed the output units while this window was in the back.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        app_.Guard(this, [&] { ApplyUnits(); });
    }
    QMainWindow::changeEvent(event);
}

bool TStudy::ReadyToClose() {
    // A value typed in the form and not yet kept is a change like any other.
    app_.Guard(this, [&] { form_->CommitPending(); });
    if (!IsModified()) return true;
    const QString name = path_.isEmpty() ? tr("New study") : QFileInfo(path_).fileName();
    switch (app_.dialogs().AskSaveChanges(
        this, tr("The study \"%1\" has changes that are not saved. Save them?").arg(name))) {
        case SaveAnswer::Save: {
            bool saved = false;
            app_.Guard(this, [&] { saved = Save(); });
            return saved;
        }
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

void TStudy::closeEvent(QCloseEvent* event) {
    // When the program ends, its exit has already asked about every study.
    if (app_.quitRequested() || ReadyToClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

TStudy* NewStudyWindow(Application& app) {
    StudyOptions options;
    options.units = app.Units();
    StudyFile file;
    file.SetOptions(options);
    auto* w = new TStudy(app, std::move(file), QString());
    return w;
}

TStudy* OpenStudyFile(Application& app, const QString& path) {
    StudyOptions options;
    options.units = app.Units();
    FileFingerprint print;
    const std::string bytes = ReadFile(LocalPath(path), kLargestStudyBytes, "a study window", &print);
    try {
        return new TStudy(app, StudyFile::Parse(bytes, options), path, print);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(FileName(path) + " is not a study: " + e.what());
    }
}

TStudy* OpenStudyWindow(Application& app, QWidget* parent) {
    const QString chosen = app.dialogs().OpenFileName(parent, StudyFileChoice(TStudy::tr("Open study"), QString()));
    if (chosen.isEmpty()) return nullptr;
    return OpenStudyFile(app, chosen);
}

std::vector<TStudy*> OpenStudyWindows() {
    std::vector<TStudy*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* s = qobject_cast<TStudy*>(w); s && s->isVisible()) out.push_back(s);
    }
    return out;
}

}  // namespace zentavo::ui

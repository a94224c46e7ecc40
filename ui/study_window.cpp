// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCheckBox>
#include <QSpinBox>
#include <QDate>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPrinter>
#include <QProgressDialog>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QKeyEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>
#include <climits>
#include <numeric>
#include <stdexcept>

#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "io/file_io.h"
#include "study/device_curves.h"
#include "study/run.h"
#include "ui/application.h"
#include "ui/compute_progress.h"
#include "ui/device_panel.h"
#include "ui/dialogs.h"
#include "ui/frozen_table.h"
#include "ui/label_type.h"
#include "ui/network_view.h"
#include "ui/row_form.h"
#include "ui/one_line_view.h"
#include "ui/open_files.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// A study larger than this is refused: the whole file is held in memory.
constexpr std::size_t kLargestStudyBytes = std::size_t{128} << 20;
// The lowest step of the cables' temperature box: the convention's own
// (80 °C by iec60909, 20 °C by ansi); above it, the temperature chosen.
constexpr int kConventionTempStep = 19;
// The motor decay box's lowest step: the motors feed an arc until its last other source is cleared.
constexpr int kMotorsToTheLastSource = -1;

std::string FileName(const QString& path) { return Utf8(QFileInfo(path).fileName()); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Editors that fit the columns: the words of a word column in a list,
// numbers typed with the user's separator and checked by their column's kind
// before they are kept.
class StudyDelegate : public QStyledItemDelegate {
public:
    // `fill`: the text of an editor left by Ctrl+Enter, for every selected cell.
    StudyDelegate(Application& app, StudyModel& model, QWidget* window, QObject* parent,
                  std::function<void(const QString&)> fill)
        : QStyledItemDelegate(parent), app_(app), model_(model), window_(window), fill_(std::move(fill)) {}

    bool eventFilter(QObject* object, QEvent* event) override {
        // Ctrl+Enter, as in a spreadsheet: the text typed fills every
        // selected cell, as one step.
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                (key->modifiers() & Qt::ControlModifier)) {
                QString text;
                if (auto* box = qobject_cast<QComboBox*>(editor)) {
                    text = box->currentText();
                } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
                    text = line->text().trimmed();
                }
                emit const_cast<StudyDelegate*>(this)->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
                QTimer::singleShot(0, &model_, [this, text] { app_.Guard(window_, [&] { fill_(text); }); });
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        // The table's sort and filter keep the model's columns.
        const QStringList words = model_.Words(index.column());
        if (words.isEmpty()) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->addItems(words);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            const int at = box->findText(index.data(Qt::EditRole).toString());
            if (at >= 0) {
                box->setCurrentIndex(at);
            } else {
                // A word the list does not hold stays as it is until the user picks one.
                box->insertItem(0, index.data(Qt::EditRole).toString());
                box->setCurrentIndex(0);
            }
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentText(), Qt::EditRole);
            return;
        }
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && model_.InputOf(index.column())) {
            const QString text = line->text().trimmed();
            if (const QString fault = model_.CellFault(index.column(), text); !fault.isEmpty()) {
                // Told by the error handler, as every window tells it, once
                // the editor has closed; the cell keeps its value.
                QTimer::singleShot(0, &model_, [this, message = Utf8(fault)] {
                    app_.Guard(window_, [&] { throw std::runtime_error(message); });
                });
                return;
            }
            model->setData(index, text, Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    Application& app_;
    StudyModel& model_;
    QWidget* window_;
    std::function<void(const QString&)> fill_;
};

FileChoice Choice(const QString& title, const QString& filter, const QString& suffix, const QString& initial) {
    FileChoice choice;
    choice.title = title;
    choice.filter = filter;
    choice.defaultSuffix = suffix;
    choice.initialName = initial;
    return choice;
}

FileChoice StudyFileChoice(const QString& title, const QString& initial) {
    return Choice(title, TStudy::tr("studies (*.csv)"), QStringLiteral("csv"), initial);
}

FileChoice PdfChoice(const QString& title, const QString& initial) {
    return Choice(title, TStudy::tr("PDF files (*.pdf)"), QStringLiteral("pdf"), initial);
}

}  // namespace

TStudy::TStudy(Application& app, StudyFile file, const QString& path, std::optional<FileFingerprint> print)
    : app_(app), path_(path), print_(print) {
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

void TStudy::BuildNetworkBar() {
    // The network's choices in a tool bar of their own: on a narrow screen
    // (or in a language of longer words) what does not fit waits behind the
    // bar's arrow instead of widening the window.
    auto* bar = new QToolBar(tr("Short circuit"), this);
    bar->setObjectName("NetworkBar");
    bar->setMovable(false);
    QWidget* central = bar;
    auto* conventionLabel = new QLabel(tr("&Short circuit:"), central);
    ShortCircuitBox = new QComboBox(central);
    ShortCircuitBox->setObjectName("ShortCircuitBox");
    ShortCircuitBox->setToolTip(tr("The convention of the bolted fault currents a network computes"));
    for (std::string_view w : network::kConventionWords) ShortCircuitBox->addItem(QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size())));
    ShortCircuitBox->setCurrentIndex(static_cast<int>(model_->file().Options().shortCircuit));
    conventionLabel->setBuddy(ShortCircuitBox);
    bar->addWidget(conventionLabel);
    bar->addWidget(ShortCircuitBox);
    const StudyOptions& options = model_->file().Options();
    LvToleranceBox = new QComboBox(central);
    LvToleranceBox->setObjectName("LvToleranceBox");
    LvToleranceBox->setAccessibleName(tr("Low-voltage tolerance"));
    LvToleranceBox->setToolTip(tr("The voltage tolerance of the low-voltage systems by IEC 60909: "
                                  "+6 % gives c max 1.05, +10 % gives 1.10"));
    LvToleranceBox->addItem(tr("LV +6 %"), 6);
    LvToleranceBox->addItem(tr("LV +10 %"), 10);
    LvToleranceBox->setCurrentIndex(options.lvTolerance == 10 ? 1 : 0);
    LvToleranceBox->setEnabled(options.shortCircuit == network::Convention::Iec60909);
    bar->addWidget(LvToleranceBox);
    auto* tempLabel = new QLabel(tr("Cables &at:"), central);
    CableEndTempBox = new QSpinBox(central);
    CableEndTempBox->setObjectName("CableEndTempBox");
    CableEndTempBox->setToolTip(tr("The conductors' temperature at the end of the fault, for the minimum case "
                                   "of the cables without their own cable_end_temp"));
    CableEndTempBox->setRange(kConventionTempStep, 300);
    CableEndTempBox->setSuffix(tr(" °C"));
    CableEndTempBox->setSpecialValueText(tr("by convention"));
    CableEndTempBox->setValue(options.cableEndTemp ? static_cast<int>(*options.cableEndTemp) : kConventionTempStep);
    tempLabel->setBuddy(CableEndTempBox);
    bar->addSeparator();
    bar->addWidget(tempLabel);
    bar->addWidget(CableEndTempBox);
    ArcStepsBox = new QCheckBox(tr("Arcs in ste&ps"), central);
    ArcStepsBox->setObjectName("ArcStepsBox");
    ArcStepsBox->setToolTip(tr("Each point's arc cleared in steps as the network's devices open one after "
                               "another; off: in one step at the point's own device's time"));
    ArcStepsBox->setChecked(options.arcSteps);
    bar->addSeparator();
    bar->addWidget(ArcStepsBox);
    auto* decayLabel = new QLabel(tr("&Motors:"), central);
    MotorDecayBox = new QSpinBox(central);
    MotorDecayBox->setObjectName("MotorDecayBox");
    MotorDecayBox->setToolTip(tr("The cycles (of 60 Hz) after which the motors stop feeding an arc in steps"));
    MotorDecayBox->setRange(kMotorsToTheLastSource, 600);
    MotorDecayBox->setSuffix(tr(" cycles"));
    MotorDecayBox->setSpecialValueText(tr("to the last source"));
    MotorDecayBox->setValue(options.motorDecay ? static_cast<int>(std::lround(*options.motorDecay)) : kMotorsToTheLastSource);
    MotorDecayBox->setEnabled(options.arcSteps);
    decayLabel->setBuddy(MotorDecayBox);
    bar->addWidget(decayLabel);
    bar->addWidget(MotorDecayBox);
    addToolBar(Qt::TopToolBarArea, bar);
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
    auto add = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                      void (TStudy::*handler)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        if (!keys.isEmpty()) a->setShortcut(keys);
        connect(a, &QAction::triggered, this, [this, handler] { app_.Guard(this, [&] { (this->*handler)(); }); });
        return a;
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* newStudy = file->addAction(tr("&New study"));
    newStudy->setObjectName("NewStudy1");
    connect(newStudy, &QAction::triggered, this, [this] { app_.Guard(this, [&] { NewStudyWindow(app_)->show(); }); });
    QAction* openStudy = file->addAction(tr("&Open study…"));
    openStudy->setObjectName("OpenStudy1");
    openStudy->setShortcut(QKeySequence::Open);
    connect(openStudy, &QAction::triggered, this, [this] {
        app_.Guard(this, [&] {
            if (TStudy* w = OpenStudyWindow(app_, this)) w->show();
        });
    });
    file->addSeparator();
    add(file, "SaveStudy1", tr("&Save"), QKeySequence::Save, &TStudy::SaveClick);
    add(file, "SaveStudyAs1", tr("Save &as…"), QKeySequence::SaveAs, &TStudy::SaveAsClick);
    add(file, "ExportResults1", tr("&Export results…"), {}, &TStudy::ExportClick);
    file->addAction(oneLine_->ExportAction());
    file->addSeparator();
    add(file, "LoadCurves1", tr("Load &device curves…"), {}, &TStudy::LoadCurvesClick);
    file->addSeparator();
    add(file, "StudyLabels1", tr("&Labels…"), {}, &TStudy::LabelsClick);
    add(file, "StudyReport1", tr("&Report…"), {}, &TStudy::ReportClick);
    add(file, "PrintStudyReport1", tr("&Print report…"), QKeySequence::Print, &TStudy::PrintReportClick);
    file->addSeparator();
    QAction* close = file->addAction(tr("&Close"));
    close->setObjectName("CloseStudy1");
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = model_->undoStack().createUndoAction(this, tr("&Undo"));
    undo->setObjectName("UndoStudy1");
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction* redo = model_->undoStack().createRedoAction(this, tr("&Redo"));
    redo->setObjectName("RedoStudy1");
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(redo);
    edit->addSeparator();
    // Insert alone: Ctrl+Insert is Copy on X11, and a shortcut both mean would do neither.
    add(edit, "AddRow1", tr("&Add row"), QKeySequence(Qt::Key_Insert), &TStudy::AddRowClick);
    add(edit, "AddPointOnBus1", tr("Add point on this &bus"), {}, &TStudy::AddPointOnBusClick);
    add(edit, "AddFeeder1", tr("Add &feeder from this bus"), {}, &TStudy::AddFeederClick);
    add(edit, "DuplicateRows1", tr("Dupl&icate rows"), QKeySequence(Qt::CTRL | Qt::Key_D),
        &TStudy::DuplicateClick);
    add(edit, "DeleteRows1", tr("&Delete rows"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
        &TStudy::DeleteClick);
    // Delete clears the cells chosen, as in a spreadsheet; only where the
    // table has the keyboard, so that a field's Delete stays the field's.
    QAction* clear = add(edit, "ClearCells1", tr("C&lear cells"), QKeySequence::Delete, &TStudy::ClearCellsClick);
    clear->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    StudyTable->addAction(clear);
    edit->addSeparator();
    add(edit, "CopyRows1", tr("&Copy rows"), QKeySequence::Copy, &TStudy::CopyClick);
    add(edit, "PasteRows1", tr("&Paste rows"), QKeySequence::Paste, &TStudy::PasteClick);
    edit->addSeparator();
    add(edit, "ComputeAgain1", tr("C&ompute again"), QKeySequence(Qt::Key_F5), &TStudy::ComputeAgainClick);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    // Each group of columns shown or folded away; the name and what the row
    // gives always stand.
    const std::pair<StudyModel::Group, QString> groups[] = {
        {StudyModel::Group::Method, tr("&Method and equipment")},
        {StudyModel::Group::Distances, tr("&Distances")},
        {StudyModel::Group::Duration, tr("D&urations and device")},
        {StudyModel::Group::Network, tr("&Network")},
        {StudyModel::Group::Other, tr("Your &own columns")},
        {StudyModel::Group::Results, tr("Re&sults")}};
    QMenu* shown = view->addMenu(tr("Col&umns"));
    shown->setObjectName("ColumnGroupsMenu");
    for (const auto& [group, text] : groups) {
        QAction* a = shown->addAction(text);
        a->setObjectName(QStringLiteral("ShowColumns%1").arg(static_cast<int>(group)));
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::toggled, this, [this, g = static_cast<int>(group)](bool on) {
            if (on) {
                folded_.remove(g);
            } else {
                folded_.insert(g);
            }
            UpdateColumns();
        });
    }
    view->addSeparator();
    QAction* showForm = RowFormDock->toggleViewAction();
    showForm->setText(tr("Row &form"));
    showForm->setObjectName("ShowRowForm1");
    view->addAction(showForm);
    QAction* showCurve = CurveDock->toggleViewAction();
    showCurve->setText(tr("Time-current &curve"));
    showCurve->setObjectName("ShowCurve1");
    view->addAction(showCurve);
    QAction* showOneLine = oneLine_->toggleViewAction();
    showOneLine->setText(tr("&One-line diagram"));
    showOneLine->setObjectName("ShowOneLine1");
    view->addAction(showOneLine);

    QMenu* networkMenu = menuBar()->addMenu(tr("&Network"));
    add(networkMenu, "NetworkView1", tr("&Buses and tree…"), {}, &TStudy::NetworkClick);
}

void TStudy::NetworkClick() {
    if (!networkView_) {
        // A dock of the study window: it never stands over another window.
        NetworkDock = new QDockWidget(tr("Network"), this);
        NetworkDock->setObjectName("NetworkDock");
        networkView_ = new TNetworkView(NetworkDock);
        networkView_->setWindowFlags(Qt::Widget);
        NetworkDock->setWidget(networkView_);
        addDockWidget(Qt::BottomDockWidgetArea, NetworkDock);
    }
    networkView_->Show(model_->file().Network(), model_->file().Options().shortCircuit, app_.Sep());
    NetworkDock->show();
    NetworkDock->raise();
}

void TStudy::UpdateNetworkView() {
    if (!networkView_ || NetworkDock->isHidden()) return;
    networkView_->Show(model_->file().Network(), model_->file().Options().shortCircuit, app_.Sep());
}

void TStudy::ShortCircuitChange() {
    const int index = ShortCircuitBox->currentIndex();
    if (index < 0 || index >= static_cast<int>(network::kConventionWords.size())) return;
    network::SolveOptions o;
    o.convention = static_cast<network::Convention>(index);
    o.lvTolerance = LvToleranceBox->currentData().toInt() == 10 ? 10 : 6;
    if (CableEndTempBox->value() > kConventionTempStep) o.cableEndTemp = CableEndTempBox->value();
    LvToleranceBox->setEnabled(o.convention == network::Convention::Iec60909);
    model_->SetShortCircuit(o);
}

void TStudy::ArcStepsChange() {
    MotorDecayBox->setEnabled(ArcStepsBox->isChecked());
    std::optional<double> decay;
    if (MotorDecayBox->value() > kMotorsToTheLastSource) decay = MotorDecayBox->value();
    model_->SetArcSteps(ArcStepsBox->isChecked(), decay);
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
            const bool scenarioResult = r >= kFirstScenarioResultColumn && r < kFirstDcResultColumn;
            const bool dcResult = r >= kFirstDcResultColumn;
            hidden = hidden || (deviceResult && !devices) || (networkResult && !network) ||
                     (stepsResult && !model_->file().Options().arcSteps) ||
                     (scenarioResult && !HasScenarioColumns(at)) || (dcResult && !HasDcColumns(at));
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

void TStudy::LoadCurvesClick() {
    const QString path = app_.dialogs().OpenFileName(
        this, Choice(tr("Load device curves"), tr("device curves (*.csv)"), QStringLiteral("csv"), QString()));
    if (path.isEmpty()) return;
    const std::string text = ReadFile(QFile::encodeName(path).toStdString());
    Built<CurveSet> read = ReadDeviceCurves(text);
    if (!read.device) {
        app_.dialogs().Warning(this, FromUtf8(read.refusal->message));
        return;
    }
    // Every row computed again: a fuse_curve cell that names a curve finds it now.
    model_->SetCurves(std::make_shared<const CurveSet>(std::move(*read.device)));
}

void TStudy::ExportClick() {
    const QString chosen = app_.dialogs().SaveFileName(
        this, Choice(tr("Export results to"), tr("CSV files (*.csv)"), QStringLiteral("csv"),
                     ExportName(QStringLiteral("-results.csv"))));
    if (chosen.isEmpty() || !MayWriteOver(app_, this, chosen)) return;
    StudyOptions options = model_->file().Options();
    options.sep = '.';
    std::string out;
    std::string headerError;
    if (!RunStudy(model_->file().Bytes(), options, [&](std::string_view s) { out += s; }, &headerError)) {
        throw std::runtime_error(headerError.empty() ? std::string("The study has no header row.") : headerError);
    }
    WriteFileAtomically(LocalPath(chosen), out);
}

namespace {

// The points of the study for its PDFs, one at a time: each of the chosen
// rows with its result as the study computed it, and its inputs with the
// user's decimal separator, so that its label reads as the single label of
// the same point (the label writes the results with that separator too).
class StudyPoints {
public:
    StudyPoints(const StudyFile& file, char sep, std::vector<int> rows)
        : file_(file), sep_(sep), rows_(std::move(rows)) {}
    render::StudyPointView operator()(std::size_t index) { return Row(static_cast<std::size_t>(rows_.at(index))); }
    // The point of the study's row `row`.
    render::StudyPointView Row(std::size_t row) {
        fields_ = file_.Fields(row);
        const int pointAt = file_.PointColumn();
        name_ = pointAt >= 0 && static_cast<std::size_t>(pointAt) < fields_.size() ? fields_[static_cast<std::size_t>(pointAt)] : std::string();
        render::StudyPointView v;
        v.name = name_;
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            const int at = file_.Columns()[static_cast<std::size_t>(c)];
            std::string& text = texts_[static_cast<std::size_t>(c)];
            text = at >= 0 && static_cast<std::size_t>(at) < fields_.size() ? fields_[static_cast<std::size_t>(at)] : std::string();
            // Numbers of the file are written with a point.
            if (sep_ != '.' && StudyColumnWords(static_cast<StudyInputColumn>(c)).empty()) {
                try {
                    ParseNumber(text, '.');
                    std::replace(text.begin(), text.end(), '.', sep_);
                } catch (const ConversionError&) {
                    // Not a number: refused by the row as it stands.
                }
            }
            v.inputs[static_cast<std::size_t>(c)] = text;
        }
        v.result = &file_.Result(row);
        return v;
    }
    // The study's row of the point `index`.
    std::size_t FileRow(std::size_t index) const { return static_cast<std::size_t>(rows_.at(index)); }
    std::size_t size() const { return rows_.size(); }
    char sep() const { return sep_; }

private:
    const StudyFile& file_;
    char sep_;
    std::vector<int> rows_;
    std::vector<std::string> fields_;
    std::string name_;
    std::array<std::string, kStudyInputColumnCount> texts_;
};

}  // namespace

std::optional<std::vector<int>> TStudy::ChooseRows(bool report) {
    StudyExportChoice choice;
    choice.report = report;
    choice.allRows = model_->rowCount();
    const std::vector<int> selected = SelectedRows();
    choice.selectedRows = static_cast<int>(selected.size());
    // Without a text to look for, the filter shows the whole study.
    choice.filteredRows = FilterEdit->text().isEmpty() ? 0 : proxy_->rowCount();
    choice.project = reportProject_;
    choice.client = reportClient_;
    choice.author = reportAuthor_;
    choice.standard = labelStandard_;
    choice.size = labelSize_;
    choice.dangerAbove600 = dangerAbove600_;
    choice.assessmentDate = assessmentDate_;
    if (!app_.dialogs().StudyExportSetup(this, choice)) return std::nullopt;
    if (report) {
        reportProject_ = choice.project;
        reportClient_ = choice.client;
        reportAuthor_ = choice.author;
    } else {
        labelStandard_ = choice.standard;
        labelSize_ = choice.size;
        dangerAbove600_ = choice.dangerAbove600;
    }
    assessmentDate_ = choice.assessmentDate;
    std::vector<int> rows;
    switch (choice.rows) {
        case StudyRows::Selected:
            return selected;
        case StudyRows::Filtered:
            for (int r = 0; r < proxy_->rowCount(); ++r) rows.push_back(proxy_->mapToSource(proxy_->index(r, 0)).row());
            std::sort(rows.begin(), rows.end());
            return rows;
        case StudyRows::All:
            break;
    }
    rows.resize(static_cast<std::size_t>(model_->rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

QString TStudy::ExportName(const QString& suffix) const {
    if (path_.isEmpty()) return {};
    const QFileInfo info(path_);
    return info.dir().filePath(info.completeBaseName() + suffix);
}

// A progress dialog over an export: shown at once, Cancel stops it.
bool TStudy::RunWithProgress(const QString& text, std::size_t total,
                             const std::function<render::StudyExportResult(const render::StudyProgress&)>& run,
                             render::StudyExportResult& result) {
    QProgressDialog progress(text, tr("Cancel"), 0, static_cast<int>(std::min<std::size_t>(total, INT_MAX)), this);
    progress.setObjectName("StudyProgress");
    progress.setWindowTitle(QStringLiteral("Zentavo"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    result = run([&](std::size_t done, std::size_t all) {
        progress.setMaximum(static_cast<int>(std::min<std::size_t>(all, INT_MAX)));
        progress.setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    return result.outcome == render::StudyExportResult::kWritten;
}

void TStudy::LabelsClick() {
    const int computed = model_->ComputedRows();
    if (computed == 0) {
        app_.dialogs().Warning(this, tr("No point of the study is computed: there are no labels to write."));
        return;
    }
    const std::optional<std::vector<int>> rows = ChooseRows(false);
    if (!rows) return;
    const QString chosen = app_.dialogs().SaveFileName(
        this, PdfChoice(tr("Save labels as"), ExportName(QStringLiteral("-labels.pdf"))));
    if (chosen.isEmpty() || !MayWriteOver(app_, this, chosen)) return;
    StudyPoints points(model_->file(), app_.Sep(), *rows);
    render::StudyLabelOptions options;
    options.settings = app_.FormLabelType().Settings();
    const QDate today = QDate::currentDate();
    options.date = {today.day(), today.month(), today.year()};
    options.standard.standard = labelStandard_;
    options.standard.size = labelSize_;
    if (dangerAbove600_) options.standard.dangerAboveVolts = 600;
    options.standard.assessmentDate = {assessmentDate_.day(), assessmentDate_.month(), assessmentDate_.year()};
    options.units = model_->file().Options().units;
    options.sep = points.sep();
    options.curves = model_->file().Options().curves;
    // The other points of the main sections, viewed apart from the point labelled.
    StudyPoints others(model_->file(), app_.Sep(), {});
    options.sectionOther = [&points, &others, &file = model_->file()](std::size_t i) {
        const std::optional<std::size_t> other = file.SectionOf(points.FileRow(i));
        return other ? others.Row(*other) : render::StudyPointView{};
    };
    render::CutNames cut;
    render::StudyExportResult result;
    const render::StudyPointAt at = [&points](std::size_t i) { return points(i); };
    RunWithProgress(tr("Writing the labels of %1 points…").arg(points.size()), points.size(),
                    [&](const render::StudyProgress& progress) {
                        return render::SaveStudyLabelsPdf(chosen, points.size(), at, options, progress, &cut);
                    },
                    result);
    ReportExport(result, chosen);
    if (result.outcome == render::StudyExportResult::kWritten && !cut.empty()) {
        // One name a line: the box shows the first of a long list and how many more.
        QString names;
        for (const std::string& n : cut.listed) names += QStringLiteral("\n") + FromUtf8(OneLineName(n));
        if (cut.more > 0) names += tr("\nand %n more label(s) with a cut name", nullptr, static_cast<int>(cut.more));
        app_.dialogs().Information(
            this, labelStandard_ == LabelStandard::Classic
                      ? tr("These equipment names are longer than 30 characters; their labels show the first 30:%1")
                            .arg(names)
                      : tr("These equipment names do not fit on two lines; their labels end them with “…”:%1")
                            .arg(names));
    }
}

void TStudy::ReportExport(const render::StudyExportResult& result, const QString& path) {
    switch (result.outcome) {
        case render::StudyExportResult::kWritten:
        case render::StudyExportResult::kCancelled:
            return;  // a cancelled export has left no file
        case render::StudyExportResult::kNothingToWrite:
            app_.dialogs().Warning(this, tr("None of the chosen points is computed: there are no labels to write."));
            return;
        case render::StudyExportResult::kFailed:
            throw std::runtime_error(Utf8(tr("Cannot write %1: %2").arg(QFileInfo(path).fileName(), result.error)));
    }
}

render::StudyReportOptions TStudy::ReportOptions() const {
    render::StudyReportOptions options;
    // The title the batch calculator gives the same file.
    options.title = render::StudyReportTitle(path_);
    options.dateText = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
    options.assessmentDate = FromUtf8(
        DateInWords({assessmentDate_.day(), assessmentDate_.month(), assessmentDate_.year()}, kEnglish));
    options.project = reportProject_;
    options.client = reportClient_;
    options.author = reportAuthor_;
    options.pageSize = render::DefaultReportPageSize();
    options.units = model_->file().Options().units;
    options.sep = app_.Sep();
    options.curves = model_->file().Options().curves;
    options.network = model_->file().Network();
    if (const std::vector<std::string> names = model_->file().ScenarioNames(); !names.empty())
        options.networkScenario = names.front();
    options.shortCircuit = model_->file().Options().ShortCircuit();
    options.oneLine = std::make_shared<const oneline::Diagram>(oneline::StudyDiagram(model_->file()));
    return options;
}

void TStudy::ReportClick() {
    const std::optional<std::vector<int>> rows = ChooseRows(true);
    if (!rows) return;
    const QString chosen = app_.dialogs().SaveFileName(
        this, PdfChoice(tr("Save report as"), ExportName(QStringLiteral("-report.pdf"))));
    if (chosen.isEmpty() || !MayWriteOver(app_, this, chosen)) return;
    StudyPoints points(model_->file(), app_.Sep(), *rows);
    const render::StudyPointAt at = [&points](std::size_t i) { return points(i); };
    const render::StudyReportOptions options = ReportOptions();
    render::StudyExportResult result;
    RunWithProgress(tr("Writing the report of %1 points…").arg(points.size()), points.size() * 2,
                    [&](const render::StudyProgress& progress) {
                        return render::SaveStudyReportPdf(chosen, points.size(), at, options, progress);
                    },
                    result);
    ReportExport(result, chosen);
}

void TStudy::PrintReportClick() {
    const std::optional<std::vector<int>> rows = ChooseRows(true);
    if (!rows) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(ReportOptions().pageSize));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(ReportOptions().title);
    if (!app_.dialogs().PrintSetup(this, printer)) return;
    StudyPoints points(model_->file(), app_.Sep(), *rows);
    const render::StudyPointAt at = [&points](std::size_t i) { return points(i); };
    render::StudyReportOptions options = ReportOptions();
    options.pageSize = printer.pageLayout().pageSize().id();
    render::StudyExportResult result;
    RunWithProgress(tr("Printing the report of %1 points…").arg(points.size()), points.size() * 2,
                    [&](const render::StudyProgress& progress) {
                        render::StudyExportResult r;
                        r.pages = render::PaintStudyReport(printer, points.size(), at, options, progress);
                        r.outcome = r.pages < 0 ? render::StudyExportResult::kCancelled : render::StudyExportResult::kWritten;
                        return r;
                    },
                    result);
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

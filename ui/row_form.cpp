// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/row_form.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSet>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/dc_arc_flash.h"
#include "engine/ieee2018.h"
#include "engine/number.h"
#include "engine/protection.h"
#include "study/column_groups.h"
#include "study/network_study.h"
#include "study/row_edit.h"
#include "ui/application.h"
#include "ui/device_panel.h"
#include "ui/row_form_words.h"
#include "ui/study_model.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// The groups of the form, each with the columns' groups it holds.
struct FormGroup {
    const char* title;
    std::initializer_list<StudyColumnGroup> groups;
};

}  // namespace

TRowForm::TRowForm(Application& app, StudyModel& model, QWidget* parent)
    : QWidget(parent), app_(app), model_(model) {
    setObjectName("RowForm");
    setMinimumWidth(300);
    Build();
    ShowRow(-1);
    connect(&model_, &QAbstractItemModel::dataChanged, this, [this] { Refresh(); });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { Refresh(); });
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) {
        if (row_ > last) {
            row_ -= last - first + 1;
        } else if (row_ >= first) {
            row_ = -1;
        }
        Refresh();
    });
    connect(&model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        if (row_ >= first) row_ += last - first + 1;
        Refresh();
    });
}

void TRowForm::Build() {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    hint_ = new QLabel(tr("Choose a row of the table to see it here as a form."), this);
    hint_->setObjectName("RowFormHint");
    hint_->setWordWrap(true);
    top->addWidget(hint_);
    // The fields scroll; the dock keeps its width.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("RowFormScroll");
    scroll_ = scroll;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // A list as wide as its longest word: in a narrower dock the form scrolls
    // sideways rather than being cut.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Its room beside the fields kept, shown or not: the captions never wrap anew.
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    body_ = new QWidget(scroll);
    auto* column = new QVBoxLayout(body_);
    scroll->setWidget(body_);
    top->addWidget(scroll, 1);

    auto* nameForm = new QFormLayout;
    name_ = new QLineEdit(body_);
    name_->setObjectName("RowFormName");
    nameForm->addRow(tr("Point:"), name_);
    qobject_cast<QLabel*>(nameForm->labelForField(name_))->setBuddy(name_);
    column->addLayout(nameForm);
    connect(name_, &QLineEdit::editingFinished, this, [this] { app_.Guard(window(), [&] { CommitName(); }); });
    name_->installEventFilter(this);

    // The row's status in a box of fixed height, its longer messages
    // scrolled within it: a new message never moves the fields below.
    auto* statusArea = new QScrollArea(body_);
    statusArea->setObjectName("RowFormStatusArea");
    statusArea->setWidgetResizable(true);
    statusArea->setFrameShape(QFrame::NoFrame);
    statusArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    statusArea->setFocusPolicy(Qt::NoFocus);  // Tab goes from the name to the first field
    status_ = new QLabel(statusArea);
    status_->setObjectName("RowFormStatus");
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    statusArea->setWidget(status_);
    statusArea->setFixedHeight(4 * status_->fontMetrics().lineSpacing() + 4);
    column->addWidget(statusArea);

    const FormGroup groups[] = {
        {QT_TR_NOOP("Point of work"), {StudyColumnGroup::Method, StudyColumnGroup::Distances}},
        {QT_TR_NOOP("Arc duration and protective device"), {StudyColumnGroup::Duration}},
        {QT_TR_NOOP("Where it sits in the network"), {StudyColumnGroup::Network}},
    };
    for (const FormGroup& g : groups) {
        auto* box = new QGroupBox(tr(g.title), body_);
        auto* form = new QFormLayout(box);
        // Each caption above its field: the fields take the dock's width.
        form->setRowWrapPolicy(QFormLayout::WrapAllRows);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        for (StudyInputColumn c : StudyInputsByGroup()) {
            if (std::find(g.groups.begin(), g.groups.end(), GroupOf(c)) == g.groups.end()) continue;
            const int tableColumn = model_.ColumnNamed(FromUtf8(kStudyInputNames[c]));
            QWidget* editor = MakeEditor(c, tableColumn);
            auto* caption = new QLabel(model_.Heading(tableColumn) + QLatin1Char(':'), box);
            caption->setBuddy(editor);
            caption->setWordWrap(true);  // a long heading takes two lines in a narrow dock
            auto* fault = new QLabel(box);
            fault->setObjectName(QStringLiteral("Fault_%1").arg(FromUtf8(kStudyInputNames[c])));
            fault->setWordWrap(true);
            SetTextColor(fault, Qt::red);
            fault->hide();
            auto* note = new QLabel(
                tr("This row does not take this value, which refuses it: empty the field."), box);
            note->setObjectName(QStringLiteral("Unused_%1").arg(FromUtf8(kStudyInputNames[c])));
            note->setWordWrap(true);
            SetTextColor(note, Qt::red);
            note->hide();
            auto* cell = new QWidget(box);
            // As tall as its field and notes, never stretched: more results
            // below take no room from the fields.
            cell->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
            auto* cellLayout = new QVBoxLayout(cell);
            cellLayout->setContentsMargins(0, 0, 0, 0);
            cellLayout->setSpacing(2);
            editor->setParent(cell);
            cellLayout->addWidget(editor);
            cellLayout->addWidget(fault);
            cellLayout->addWidget(note);
            editor->setToolTip(ToolTipOf(c, tableColumn));
            form->addRow(caption, cell);
            fields_.push_back({c, tableColumn, caption, editor, fault, note, form});
            if (c == kMethodColumn) {
                // The 2018 model's equipment types, right after the method.
                equipment_ = new QComboBox(box);
                equipment_->setObjectName("RowFormEquipment");
                for (const auto& e : kIeee2018Equipment) equipment_->addItem(LibraryText(e.name));
                equipment_->setPlaceholderText(tr("Typical values of an equipment type"));
                equipment_->setCurrentIndex(-1);
                equipmentCaption_ = new QLabel(tr("Equipment type:"), box);
                equipmentCaption_->setBuddy(equipment_);
                equipment_->setToolTip(tr("Fills the electrode configuration, gap, enclosure and working distance "
                                          "with the typical values of the IEEE 1584-2018 model"));
                form->addRow(equipmentCaption_, equipment_);
                connect(equipment_, &QComboBox::activated, this,
                        [this](int i) { app_.Guard(window(), [&] { EquipmentPicked(i); }); });
            }
        }
        column->addWidget(box);
    }

    auto* resultBox = new QGroupBox(tr("Results"), body_);
    auto* resultLayout = new QVBoxLayout(resultBox);
    results_ = new QFormLayout;
    resultLayout->addLayout(results_);
    curve_ = new TimeCurrentView(resultBox);
    curve_->setObjectName("RowFormCurve");
    curve_->setMinimumSize(240, 180);
    resultLayout->addWidget(curve_);
    column->addWidget(resultBox);
    column->addStretch();
}

QWidget* TRowForm::MakeEditor(StudyInputColumn column, int tableColumn) {
    const StudyCellKind kind = StudyColumnKind(column);
    const QString objectName = QStringLiteral("RowForm_%1").arg(FromUtf8(kStudyInputNames[column]));
    if (kind == StudyCellKind::Word) {
        auto* box = new QComboBox;
        box->setObjectName(objectName);
        box->addItem(EmptyWordShown(column), QString());
        for (const QString& w : model_.Words(tableColumn)) {
            if (!w.isEmpty()) box->addItem(WordShown(column, Utf8(w)), w);
        }
        connect(box, &QComboBox::activated, this, [this, box](int i) {
            app_.Guard(window(), [&] {
                if (const Field* f = Find(box)) Commit(*f, box->itemData(i).toString(), true);
            });
        });
        return box;
    }
    if (kind == StudyCellKind::Text || kind == StudyCellKind::Curve) {
        // A bus picked from the study's buses or a new one typed; a curve
        // from the curves file, or points typed.
        auto* box = new QComboBox;
        box->setObjectName(objectName);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->lineEdit()->installEventFilter(this);
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, box] {
            app_.Guard(window(), [&] {
                if (const Field* f = Find(box)) Commit(*f, box->currentText().trimmed(), false);
            });
        });
        connect(box, &QComboBox::activated, this, [this, box](int) {
            app_.Guard(window(), [&] {
                if (const Field* f = Find(box)) Commit(*f, box->currentText().trimmed(), true);
            });
        });
        return box;
    }
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    edit->installEventFilter(this);
    // An empty field shows what the row takes in its place ("2 s").
    edit->setPlaceholderText(EmptyNumberShown(column, app_.Sep()));
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        app_.Guard(window(), [&] {
            if (const Field* f = Find(edit)) Commit(*f, edit->text().trimmed(), false);
        });
    });
    return edit;
}

QString TRowForm::ToolTipOf(StudyInputColumn column, int tableColumn) const {
    QStringList lines = {model_.Heading(tableColumn)};
    if (const char* range = MethodRange(column)) {
        lines << QCoreApplication::translate(kRowFormContext, range);
    } else if (const std::optional<NetworkColumnRange> r = NetworkRangeOf(column)) {
        const QString unit = FromUtf8(StudyInputUnit(column));
        auto number = [this](double v) { return FromUtf8(ShortDecimalText(v, app_.Sep())); };
        QString span = tr("%1 to %2 %3").arg(number(r->low), number(r->high), unit).trimmed();
        if (r->zero) span = tr("0 for a closed tie, or %1").arg(span);
        lines << span;
    }
    return lines.join(QLatin1Char('\n'));
}

void TRowForm::ShowRow(int row) {
    row_ = row >= 0 && row < model_.rowCount() ? row : -1;
    for (const Field& f : fields_) f.fault->hide();
    shapeHeld_ = false;
    Refresh();
}

void TRowForm::CommitPending() {
    QWidget* focus = QApplication::focusWidget();
    // A bus or curve list holds the keyboard for its text field.
    if (auto* box = qobject_cast<QComboBox*>(focus); box && box->isEditable())
        focus = box->lineEdit();
    auto* edit = qobject_cast<QLineEdit*>(focus);
    if (!edit || !isAncestorOf(edit) || !edit->isModified()) return;
    if (edit == name_) {
        CommitName();
    } else if (const Field* f = Find(edit)) {
        Commit(*f, edit->text().trimmed(), false);
    }
}

void TRowForm::FocusFirstField() {
    if (row_ < 0) return;
    name_->setFocus(Qt::ShortcutFocusReason);
    static_cast<QScrollArea*>(scroll_)->ensureWidgetVisible(name_);
}

QStringList TRowForm::Buses() const {
    QSet<QString> buses;
    const StudyFile& file = model_.file();
    for (std::size_t r = 0; r < file.RowCount(); ++r) {
        for (StudyInputColumn c : {kBusColumn, kFromBusColumn, kLvBusColumn}) {
            const std::string bus = file.Input(r, c);
            if (!bus.empty()) buses.insert(FromUtf8(bus));
        }
    }
    QStringList sorted(buses.begin(), buses.end());
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return QString::localeAwareCompare(a, b) < 0;
    });
    return sorted;
}

void TRowForm::Refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    if (row_ >= model_.rowCount()) row_ = -1;
    hint_->setVisible(row_ < 0);
    scroll_->setVisible(row_ >= 0);
    if (row_ < 0) {
        refreshing_ = false;
        return;
    }
    const StudyFile& file = model_.file();
    const auto row = static_cast<std::size_t>(row_);
    const QString name = FromUtf8(file.Point(row));
    // What the user is typing in a field stays until it is kept.
    // (A bus or curve list may hold the keyboard for its text field.)
    auto typing = [](const QLineEdit* e) {
        const QWidget* focus = QApplication::focusWidget();
        return e->isModified() && focus && (focus == e || focus == e->parentWidget());
    };
    if (name_->text() != name && !typing(name_)) name_->setText(name);
    RefreshShape(file, row);
    const QStringList buses = Buses();
    std::vector<std::string_view> curves;
    if (file.Options().curves) curves = file.Options().curves->Names();
    for (const Field& f : fields_) {
        const QString value = model_.data(model_.index(row_, f.tableColumn), Qt::EditRole).toString();
        if (auto* box = qobject_cast<QComboBox*>(f.editor)) {
            if (box->isEditable()) {
                QStringList items = f.column == kFuseCurveColumn ? QStringList() : buses;
                for (std::string_view c : curves) {
                    if (f.column == kFuseCurveColumn) items << FromUtf8(c);
                }
                QStringList now;
                for (int i = 0; i < box->count(); ++i) now << box->itemText(i);
                if (now != items) {
                    box->clear();
                    box->addItems(items);
                }
                if (box->currentText() != value && !typing(box->lineEdit()))
                    box->setEditText(value);
            } else {
                int at = box->findData(value);
                if (at < 0) {
                    // A word of the file the list does not hold stays shown as it is.
                    box->addItem(value, value);
                    at = box->count() - 1;
                }
                if (box->currentIndex() != at) box->setCurrentIndex(at);
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(f.editor);
                   edit->text() != value && f.fault->isHidden() && !typing(edit)) {
            edit->setText(value);
        }
    }
    RefreshResults();
    refreshing_ = false;
}

void TRowForm::RefreshShape(const StudyFile& file, std::size_t row) {
    // While the user types, the fields stay where they are.
    if (shapeHeld_) return;
    const std::string method = file.Input(row, kMethodColumn),
                      device = file.Input(row, kDeviceTypeColumn),
                      branch = file.Input(row, kBranchTypeColumn);
    const StudyRowShape shape{method, device, branch, !file.Input(row, kBusColumn).empty()};
    for (const Field& f : fields_) {
        const bool applies = ColumnApplies(f.column, shape);
        // Text the row does not take, which refuses it, stays in view with a note.
        const bool stray =
            !applies && UnusedTextRefusesRow(f.column) && !file.Input(row, f.column).empty();
        f.form->setRowVisible(f.editor->parentWidget(), applies || stray);
        f.note->setVisible(stray);
        if (f.column == kMethodColumn) f.form->setRowVisible(equipment_, method == "ieee1584-2018");
    }
}

void TRowForm::RefreshResults() {
    const QModelIndex status = model_.index(row_, model_.ColumnNamed(QStringLiteral("status")));
    const QString message = model_.data(status, Qt::ToolTipRole).toString();
    status_->setText(message.isEmpty() ? model_.data(status, Qt::DisplayRole).toString() : message);
    const bool computed = model_.file().Result(static_cast<std::size_t>(row_)).Computed();
    SetTextColor(status_, computed ? palette().color(QPalette::WindowText) : QColor(Qt::red));
    while (results_->rowCount() > 0) results_->removeRow(0);
    const char* shown[] = {"incident_energy_governing", "flash_boundary_governing", "ppe_level_governing",
                           "arcing_current", "arcing_current_reduced", "clothing_1", "clothing_2",
                           "bolted_current_max", "bolted_current_min", "arc_time_used", "device_element"};
    for (const char* name : shown) {
        const int c = model_.ColumnNamed(QString::fromLatin1(name));
        if (c < 0) continue;
        const QString value = model_.data(model_.index(row_, c), Qt::DisplayRole).toString();
        if (value.isEmpty()) continue;
        auto* v = new QLabel(value);
        v->setWordWrap(true);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        results_->addRow(model_.Heading(c) + QLatin1Char(':'), v);
    }
}

const TRowForm::Field* TRowForm::Find(const QWidget* editor) const {
    for (const Field& f : fields_) {
        if (f.editor == editor || (f.editor == editor->parentWidget() && qobject_cast<const QLineEdit*>(editor)))
            return &f;
    }
    return nullptr;
}

QWidget* TRowForm::FieldOf(StudyInputColumn column) const {
    for (const Field& f : fields_) {
        if (f.column == column) return f.editor;
    }
    return nullptr;
}

QString TRowForm::FaultOf(StudyInputColumn column) const {
    for (const Field& f : fields_) {
        if (f.column == column) return f.fault->isHidden() ? QString() : f.fault->text();
    }
    return {};
}

void TRowForm::Commit(const Field& field, const QString& typed, bool picked) {
    if (row_ < 0 || refreshing_) return;
    QString text = typed;
    // The interface's word for "none" is the file's "none".
    if (StudyColumnKind(field.column) == StudyCellKind::NumberOrNone &&
        text.compare(QCoreApplication::translate("zentavo::ui::DevicePanel", "none"), Qt::CaseInsensitive) == 0) {
        text = QStringLiteral("none");
    }
    auto* box = qobject_cast<QComboBox*>(field.editor);
    QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(field.editor);
    const QModelIndex index = model_.index(row_, field.tableColumn);
    if (text == model_.data(index, Qt::EditRole).toString()) {
        field.fault->hide();
        if (edit) edit->setModified(false);
        return;
    }
    if (const QString fault = model_.CellFault(field.tableColumn, text); !fault.isEmpty()) {
        // Not kept: the field keeps what was typed, with the reason beside it.
        field.fault->setText(fault);
        field.fault->show();
        return;
    }
    field.fault->hide();
    if (edit) edit->setModified(false);
    // A word picked shows its fields at once; a value typed holds them.
    shapeHeld_ = !picked;
    // The cells this value leaves without use go in the same step.
    const std::vector<StudyInputColumn> unused =
        CellsLeftUnused(model_.file(), static_cast<std::size_t>(row_), field.column, Utf8(text));
    if (unused.empty()) {
        model_.setData(index, text, Qt::EditRole);
        return;
    }
    std::vector<std::pair<StudyInputColumn, std::string>> cells = {{field.column, Utf8(text)}};
    QStringList names;
    for (StudyInputColumn c : unused) {
        cells.emplace_back(c, std::string());
        names << model_.Heading(model_.ColumnNamed(FromUtf8(kStudyInputNames[c])));
    }
    model_.EditRow(row_, cells, tr("Edit %1").arg(model_.Heading(field.tableColumn)));
    emit told(tr("Emptied what the row no longer takes: %1. Undo brings it back.")
                  .arg(names.join(QStringLiteral("; "))));
}

void TRowForm::CommitName() {
    if (row_ < 0 || refreshing_) return;
    const QModelIndex index = model_.index(row_, 0);
    name_->setModified(false);
    if (name_->text() != model_.data(index, Qt::EditRole).toString()) model_.setData(index, name_->text(), Qt::EditRole);
}

void TRowForm::EquipmentPicked(int index) {
    if (row_ < 0 || index < 0 || index >= static_cast<int>(kIeee2018Equipment.size())) return;
    const Ieee2018Equipment& e = kIeee2018Equipment[static_cast<std::size_t>(index)];
    // Its sizes, configuration and equipment class, as one step.
    shapeHeld_ = false;
    model_.EditRow(row_, EquipmentTypeCells(model_.file(), static_cast<std::size_t>(row_), e),
                   tr("Typical values of %1").arg(LibraryText(e.name)));
    equipment_->setCurrentIndex(-1);
}

bool TRowForm::event(QEvent* event) {
    // The pointer gone from the form: the fields a typed value shows or hides change now.
    if (event->type() == QEvent::Leave && shapeHeld_) {
        shapeHeld_ = false;
        Refresh();
    }
    return QWidget::event(event);
}

bool TRowForm::eventFilter(QObject* watched, QEvent* event) {
    // Undo and redo in a field are the study's: the form and the table keep
    // one history, so a field leaves those keys to the window's actions.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/row_form.h"

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
#include "ui/application.h"
#include "ui/device_panel.h"
#include "ui/study_model.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

const char* const kContext = "zentavo::ui::TRowForm";

// The words of the word columns as the form lists them, in the interface's
// language; the file keeps the word itself (the item's data).
QString WordShown(StudyInputColumn column, std::string_view word) {
    static const std::pair<std::string_view, const char*> kWords[] = {
        {"empirical", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "IEEE 1584-2002, empirical model")},
        {"fuse", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "IEEE 1584-2002, current-limiting fuse")},
        {"breaker", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "IEEE 1584-2002, low-voltage breaker")},
        {"ieee1584-2018", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "IEEE 1584-2018 model")},
        {"dc-max-power", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "DC, maximum power (NFPA 70E D.5)")},
        {"dc-arc-resistance", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "DC, arc resistance (NFPA 70E D.5)")},
        {"source", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Source (the supply)")},
        {"transformer", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Transformer")},
        {"transformer3", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Three-winding transformer")},
        {"cable", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Cable or tie")},
        {"generator", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Generator")},
        {"unit", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Power-station unit")},
        {"yes", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "yes")},
        {"no", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "no")},
    };
    if (column == kDeviceTypeColumn) {
        // As the 2018 window names them.
        const char* words[] = {QT_TRANSLATE_NOOP("zentavo::ui::DevicePanel", "Relay with its breaker"),
                               QT_TRANSLATE_NOOP("zentavo::ui::DevicePanel", "Low-voltage trip unit"),
                               QT_TRANSLATE_NOOP("zentavo::ui::DevicePanel", "Fuse, by its total-clearing curve")};
        for (std::size_t i = 0; i < kDeviceTypeWords.size(); ++i) {
            if (word == kDeviceTypeWords[i]) return QCoreApplication::translate("zentavo::ui::DevicePanel", words[i]);
        }
    }
    if (column == kDcBoxColumn) {
        // As the DC window names them.
        const char* words[] = {QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "Open air"),
                               QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "Box, 3 × open air (NFPA 70E)"),
                               QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "LV switchgear (Wilkins)"),
                               QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "MV switchgear (Wilkins)"),
                               QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "Panelboard (Wilkins)")};
        for (std::size_t i = 0; i < kDcBoxWords.size(); ++i) {
            if (word == kDcBoxWords[i]) return QCoreApplication::translate("zentavo::ui::TDcArcFlash", words[i]);
        }
    }
    if (column == kRelayCurveColumn) {
        for (std::size_t i = 0; i < kRelayCurveWords.size(); ++i) {
            if (word == kRelayCurveWords[i]) return RelayCurveWords(static_cast<RelayCurve>(i));
        }
    }
    if (column == kMethodColumn || column == kBranchTypeColumn || column == kGenInMinColumn ||
        column == kLineSideColumn) {
        for (const auto& [w, shown] : kWords) {
            if (w == word) return QCoreApplication::translate(kContext, shown);
        }
    }
    return LibraryText(word);
}

// What an empty word cell means, as its list shows it.
QString EmptyWordShown(StudyInputColumn column) {
    switch (column) {
        case kDeviceTypeColumn:
            return TRowForm::tr("none: durations typed");
        case kBranchTypeColumn:
            return TRowForm::tr("none");
        case kGapUnitColumn:
        case kWorkDistanceUnitColumn:
        case kEnclosureUnitColumn:
            return QStringLiteral("mm");
        default:
            return TRowForm::tr("not chosen");
    }
}

// The range the methods and devices hold a column's numbers to, in words;
// the network's own ranges come from the network (NetworkRangeOf).
const char* MethodRange(StudyInputColumn column) {
    switch (column) {
        case kVoltageColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm",
                                     "208 V to 46 kV; IEEE 1584-2018: 208 V to 15 kV; breakers: 208 to 690 V");
        case kBoltedCurrentColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm",
                                     "0.7 to 106 kA; IEEE 1584-2018: 0.5 to 106 kA up to 600 V, 0.2 to 65 kA above");
        case kGapColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm",
                                     "13 mm or more; IEEE 1584-2018: 6.35 to 76.2 mm up to 600 V, 19.05 to 254 mm above");
        case kWorkDistanceColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "300 to 2000 mm; IEEE 1584-2018: 305 mm or more");
        case kArcTimeColumn:
        case kArcTimeReducedColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "0.001 to 2 s; IEEE 1584-2018: 0.001 s or more");
        case kEnclosureHeightColumn:
        case kEnclosureWidthColumn:
        case kEnclosureDepthColumn:
        case kInterruptingRatingColumn:
        case kInstantaneousTripColumn:
        case kRelayPickupColumn:
        case kRelayTimeDialColumn:
        case kTripRatingColumn:
        case kTripLtPickupColumn:
        case kTripLtDelayColumn:
        case kDeviceRatingColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "above 0");
        case kRelayInstPickupColumn:
        case kTripStPickupColumn:
        case kTripInstPickupColumn:
        case kMaintInstPickupColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "above 0; empty: none");
        case kRelayInstDelayColumn:
        case kTripStDelayColumn:
        case kBreakerTimeColumn:
        case kTripToleranceColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "0 or above");
        case kTripInstTimeColumn:
        case kMaintInstTimeColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "0.001 s or more");
        case kDeviceShareColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "above 0 and at most 1; empty: 1");
        case kMaxArcTimeColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "0.001 s or more, or none; empty: 2 s");
        case kCableSetsColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "1 to 1000; empty: 1");
        default:
            return nullptr;
    }
}

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
    scroll_ = scroll;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

    status_ = new QLabel(body_);
    status_->setObjectName("RowFormStatus");
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(status_);

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
            auto* fault = new QLabel(box);
            fault->setObjectName(QStringLiteral("Fault_%1").arg(FromUtf8(kStudyInputNames[c])));
            fault->setWordWrap(true);
            SetTextColor(fault, Qt::red);
            fault->hide();
            auto* cell = new QWidget(box);
            auto* cellLayout = new QVBoxLayout(cell);
            cellLayout->setContentsMargins(0, 0, 0, 0);
            cellLayout->setSpacing(2);
            editor->setParent(cell);
            cellLayout->addWidget(editor);
            cellLayout->addWidget(fault);
            editor->setToolTip(ToolTipOf(c, tableColumn));
            form->addRow(caption, cell);
            fields_.push_back({c, tableColumn, caption, editor, fault, form});
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
                if (const Field* f = Find(box)) Commit(*f, box->itemData(i).toString());
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
                if (const Field* f = Find(box)) Commit(*f, box->currentText().trimmed());
            });
        });
        connect(box, &QComboBox::activated, this, [this, box](int) {
            app_.Guard(window(), [&] {
                if (const Field* f = Find(box)) Commit(*f, box->currentText().trimmed());
            });
        });
        return box;
    }
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    edit->installEventFilter(this);
    if (kind == StudyCellKind::NumberOrNone) edit->setPlaceholderText(QCoreApplication::translate("zentavo::ui::DevicePanel", "none"));
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        app_.Guard(window(), [&] {
            if (const Field* f = Find(edit)) Commit(*f, edit->text().trimmed());
        });
    });
    return edit;
}

QString TRowForm::ToolTipOf(StudyInputColumn column, int tableColumn) const {
    QStringList lines = {model_.Heading(tableColumn)};
    if (const char* range = MethodRange(column)) {
        lines << QCoreApplication::translate(kContext, range);
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
    Refresh();
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
    const std::string method = file.Input(row, kMethodColumn), device = file.Input(row, kDeviceTypeColumn),
                      branch = file.Input(row, kBranchTypeColumn);
    const StudyRowShape shape{method, device, branch, !file.Input(row, kBusColumn).empty()};
    const QString name = FromUtf8(file.Point(row));
    if (name_->text() != name) name_->setText(name);
    const QStringList buses = Buses();
    std::vector<std::string_view> curves;
    if (file.Options().curves) curves = file.Options().curves->Names();
    for (const Field& f : fields_) {
        f.form->setRowVisible(f.editor->parentWidget(), ColumnApplies(f.column, shape));
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
                if (box->currentText() != value) box->setEditText(value);
            } else {
                int at = box->findData(value);
                if (at < 0) {
                    // A word of the file the list does not hold stays shown as it is.
                    box->addItem(value, value);
                    at = box->count() - 1;
                }
                if (box->currentIndex() != at) box->setCurrentIndex(at);
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(f.editor); edit->text() != value && f.fault->isHidden()) {
            edit->setText(value);
        }
    }
    for (const Field& f : fields_) {
        if (f.column == kMethodColumn) f.form->setRowVisible(equipment_, method == "ieee1584-2018");
    }
    RefreshResults();
    refreshing_ = false;
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

void TRowForm::Commit(const Field& field, const QString& typed) {
    if (row_ < 0 || refreshing_) return;
    QString text = typed;
    // The interface's word for "none" is the file's "none".
    if (StudyColumnKind(field.column) == StudyCellKind::NumberOrNone &&
        text.compare(QCoreApplication::translate("zentavo::ui::DevicePanel", "none"), Qt::CaseInsensitive) == 0) {
        text = QStringLiteral("none");
    }
    const QModelIndex index = model_.index(row_, field.tableColumn);
    if (text == model_.data(index, Qt::EditRole).toString()) {
        field.fault->hide();
        return;
    }
    if (const QString fault = model_.CellFault(field.tableColumn, text); !fault.isEmpty()) {
        // Not kept: the field keeps what was typed, with the reason beside it.
        field.fault->setText(fault);
        field.fault->show();
        return;
    }
    field.fault->hide();
    model_.setData(index, text, Qt::EditRole);
}

void TRowForm::CommitName() {
    if (row_ < 0 || refreshing_) return;
    const QModelIndex index = model_.index(row_, 0);
    if (name_->text() != model_.data(index, Qt::EditRole).toString()) model_.setData(index, name_->text(), Qt::EditRole);
}

void TRowForm::EquipmentPicked(int index) {
    if (row_ < 0 || index < 0 || index >= static_cast<int>(kIeee2018Equipment.size())) return;
    const Ieee2018Equipment& e = kIeee2018Equipment[static_cast<std::size_t>(index)];
    const StudyFile& file = model_.file();
    const auto row = static_cast<std::size_t>(row_);
    auto unitOf = [&](StudyInputColumn c) {
        return StudyLengthUnit(file.Input(row, c)).value_or(LengthUnit::Millimetres);
    };
    const char sep = app_.Sep();
    const std::pair<StudyInputColumn, QString> cells[] = {
        {kElectrodeConfigurationColumn, FromUtf8(kElectrodeWords[static_cast<std::size_t>(e.electrode)])},
        {kGapColumn, FromUtf8(Ieee2018LengthText(e.gapMm, unitOf(kGapUnitColumn), sep))},
        {kEnclosureHeightColumn, FromUtf8(Ieee2018LengthText(e.heightMm, unitOf(kEnclosureUnitColumn), sep))},
        {kEnclosureWidthColumn, FromUtf8(Ieee2018LengthText(e.widthMm, unitOf(kEnclosureUnitColumn), sep))},
        {kEnclosureDepthColumn, FromUtf8(Ieee2018LengthText(e.depthMm, unitOf(kEnclosureUnitColumn), sep))},
        {kWorkDistanceColumn, FromUtf8(Ieee2018LengthText(e.workDistMm, unitOf(kWorkDistanceUnitColumn), sep))}};
    model_.undoStack().beginMacro(tr("Typical values of %1").arg(LibraryText(e.name)));
    for (const auto& [c, text] : cells) {
        model_.setData(model_.index(row_, model_.ColumnNamed(FromUtf8(kStudyInputNames[c]))), text, Qt::EditRole);
    }
    model_.undoStack().endMacro();
    equipment_->setCurrentIndex(-1);
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/second.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QCloseEvent>
#include <QShowEvent>

#include "engine/catalog.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/results.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {
QLineEdit* EditIn(QGroupBox* g, const char* edit, const char* label, const QString& unit,
                  QLabel** unitLabel = nullptr) {
    auto* e = MakeEdit(g, edit, QString(), 12, 26, 110);
    auto* l = MakeLabel(g, label, unit, 132, 30);
    if (unitLabel) *unitLabel = l;
    return e;
}
}  // namespace

TSecond::TSecond(Application& app) : app_(app) {
    setObjectName("Second");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(472, 512);
    setWindowTitle(tr("ZENTAVO: intermediate results"));


    EquipClassGroup = MakeGroup(this, "EquipClassGroup", tr("Equipment Class"), 16, 31, 209, 65);
    EquipClassGroup->setEnabled(false);
    QStringList classes;
    for (auto c : kEquipmentClasses) classes << LibraryText(c);
    EquipClassBox = MakeCombo(EquipClassGroup, "EquipClassBox", classes, 12, 26, 185);
    EquipClassBox->setPlaceholderText(tr("Please select a class"));
    EquipClassBox->setCurrentIndex(-1);

    GapGroup = MakeGroup(this, "GapGroup", tr("Gap between Conductors"), 248, 31, 209, 65);
    GapGroup->setEnabled(false);
    GapGroup->setToolTip(tr(
        "Equipment bus gap in mm. Gaps of 3 to 40 mm were used for low voltage testing to "
        "simulate gaps between conductors in low voltage equipment and cables. Gaps 13, 104 and "
        "152 mm. were used in 5 and 15kV equipment testings. "));
    GapEdit = EditIn(GapGroup, "GapEdit", "Label1", tr("millimeters"), &Label1);

    QStringList groundings;
    for (auto g : kGroundings) groundings << LibraryText(g);
    GroundGroup = new RadioGroup(this, "GroundGroup", tr("Grounding type"), groundings,
                                 2, 16, 111, 209, 65);
    GroundGroup->setEnabled(false);

    WorkDistancegroup =
        MakeGroup(this, "WorkDistancegroup", tr("Working Distance"), 248, 111, 209, 65);
    WorkDistancegroup->setEnabled(false);
    WorkDistancegroup->setToolTip(tr(
        "Typical working distance is the sum of the distance between the worker standing in "
        "front of the equipment, and from the front of the equipment to the potential arc source "
        "inside the equipment. "));
    WorkDistEdit =
        EditIn(WorkDistancegroup, "WorkDistEdit", "Label2", tr("millimeters"), &Label2);

    BoltedCurGroup = MakeGroup(this, "BoltedCurGroup", tr("Available 3 Phase Bolted Current"),
                               16, 199, 209, 65);
    BoltedCurGroup->setEnabled(false);
    BoltedCurGroup->setToolTip(tr(
        "Available 3 phase bolted fault current for the range of 700A to 106kA at the point "
        "where work is to be performed in kA. "));
    IbfEdit = EditIn(BoltedCurGroup, "IbfEdit", "Label3", tr("kAmperes"));

    VoltageGroup = MakeGroup(this, "VoltageGroup", tr("System Voltage"), 248, 199, 209, 65);
    VoltageGroup->setEnabled(false);
    VoltageGroup->setToolTip(tr("Line to line voltage - minimum 208 V, maximum 15000 V"));
    VoltEdit = EditIn(VoltageGroup, "VoltEdit", "Label4", tr("Volts"));

    GroupBox1 = MakeGroup(this, "GroupBox1", tr("Predicted 3 Phase Arcing Current"), 16, 279,
                          209, 65);
    GroupBox1->setEnabled(false);
    IaEdit = EditIn(GroupBox1, "IaEdit", "Label5", tr("kAmperes"));

    GroupBox2 =
        MakeGroup(this, "GroupBox2", tr("Arcing Current Reduced by 15%"), 248, 279, 209, 65);
    GroupBox2->setEnabled(false);
    Ia15Edit = EditIn(GroupBox2, "Ia15Edit", "Label6", tr("kAmperes"));

    GroupBox3 = MakeGroup(this, "GroupBox3", tr("Arc duration"), 16, 359, 209, 65);
    t1Edit = EditIn(GroupBox3, "t1Edit", "Label7", tr("Seconds"));

    GroupBox4 =
        MakeGroup(this, "GroupBox4", tr("Arc duration (Reduced Current)"), 248, 359, 209, 65);
    Edit2 = EditIn(GroupBox4, "Edit2", "Label8", tr("Seconds"));

    GroupBox5 = MakeGroup(this, "GroupBox5", QString(), 16, 424, 441, 51);
    CheckBox1 = new QCheckBox(tr("Show &Pressure Developed by Arc"), GroupBox5);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setGeometry(8, 4, 215, 18);
    CheckBox2 = new QCheckBox(tr("Show &TNT Equivalent of Arc Blast"), GroupBox5);
    CheckBox2->setObjectName("CheckBox2");
    CheckBox2->setGeometry(228, 4, 210, 18);
    MakeLabel(GroupBox5, "Label9",
              tr("NOTE: Pressure and TNT calculations are not included in IEEE 1584"),
              8, 28);

    // Group boxes with bold titles; their contents keep the plain face.
    for (QGroupBox* g : findChildren<QGroupBox*>()) {
        if (g == GroupBox5) continue;
        for (QWidget* child : g->findChildren<QWidget*>()) {
            QFont f = child->font();
            f.setBold(child == t1Edit);  // an explicit weight: not inherited from the box
            child->setFont(f);
        }
        SetBold(g, true);
    }

    Button1 = MakeButton(this, "Button1", tr("&Back"), 8, 481);
    Button2 = MakeButton(this, "Button2", tr("&Next"), 389, 479);
    BitBtn1 = MakeExitButton(this, 441, 4);

    connect(Button1, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button2Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { BitBtn1Click(); }); });
}

void TSecond::closeEvent(QCloseEvent* event) {
    // The window has no title-bar buttons: it is left only through its own
    // buttons, or closed when the program ends.
    event->setAccepted(app_.quitRequested());
}

void TSecond::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    app_.Guard(this, [&] { FormShow(); });
}

void TSecond::FormShow() {
    setWindowTitle(tr("ZENTAVO: intermediate results"));
    const SharedState& s = app_.state();
    const bool lee = IsLeeCase(s.Voltage, s.Gap);
    if (lee) {
        // Only the full-current case: one duration, no reduced case, no TNT.
        CheckBox2->setChecked(false);
        CheckBox2->setEnabled(false);
        GroupBox3->move(146, 279);
        GroupBox1->hide();
        GroupBox2->hide();
        GroupBox4->hide();
        GroupBox5->move(16, 354);
        GroupBox5->hide();
    } else {
        CheckBox2->setEnabled(true);
        GroupBox3->move(16, 359);
        GroupBox1->show();
        GroupBox2->show();
        GroupBox4->show();
        GroupBox5->move(16, 424);
        GroupBox5->show();
    }
    app_.state().ReducedCaseOff = lee;
}

void TSecond::ShowFromMain(const ArcCurrentOutcome& currents) {
    Tmain& m = app_.main();
    show();
    SetCaption(Label1, m.Label1->text());
    SetCaption(Label2, m.Label2->text());
    t1Edit->setFocus();
    EquipClassBox->setCurrentIndex(m.EquipClassBox->currentIndex());
    GroundGroup->setItemIndex(m.GroundGroup->itemIndex());
    GapEdit->setText(m.GapEdit->text());
    WorkDistEdit->setText(m.WorkDistEdit->text());
    IbfEdit->setText(m.IbfEdit->text());
    VoltEdit->setText(m.VoltEdit->text());
    IaEdit->setText(FromUtf8(currents.arcCurrent));
    Ia15Edit->setText(FromUtf8(currents.arcCurrentReduced));
}

void TSecond::Button2Click() {
    const std::string t1 = Utf8(t1Edit->text()), t2 = Utf8(Edit2->text());
    EmpiricalOutcome out = RunEmpiricalResults(app_.state(), {t1, t2}, app_.Units(), app_.Sep());
    if (out.refusal) {
        app_.dialogs().Warning(this, LibraryText(out.refusal->message));
        return;
    }
    hide();
    Tmain& m = app_.main();
    EmpiricalSummary s;
    // In English: the results window shows them translated, the report and label read them so.
    s.equipment = FromUtf8(kEquipmentClasses[static_cast<std::size_t>(m.EquipClassBox->currentIndex())]);
    s.gap = m.GapEdit->text();
    s.grounding = m.GroundGroup->itemIndex() == 0 ? QStringLiteral("ungrounded")
                                                  : QStringLiteral("Grounded");
    s.workDist = m.WorkDistEdit->text();
    s.arcTime = t1Edit->text();
    s.arcTimeReduced = Edit2->text();
    s.boltedCurrent = IbfEdit->text();
    s.arcCurrent = IaEdit->text();
    s.voltage = VoltEdit->text();
    app_.Third().ShowEmpiricalResults(out, s, CheckBox1->isChecked(),
                                      CheckBox2->isChecked());
}

void TSecond::Button1Click() {
    hide();
    app_.main().show();
    app_.main().Calc1->setFocus();
}

void TSecond::BitBtn1Click() { app_.AskToExit(this); }

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The label of a study's point is the desktop program's label of the same
// point, slot by slot: the label the results window (or the 2018 window)
// builds, driven through the real windows, against the label the study
// builds from its row's numbers and method.
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "drive.h"
#include "fake_dialogs.h"
#include "render/study_pdf.h"
#include "study/row.h"
#include "ui/application.h"
#include "ui/ieee2018_window.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

namespace {

// One point of work: the study row's inputs by column, typed the same way
// into the desktop windows.
struct Point {
    const char* what;
    std::vector<std::pair<StudyInputColumn, std::string>> in;
    const char* footer = nullptr;  // the footer worked out by hand, where it names a device
};

std::string Of(const Point& p, StudyInputColumn c) {
    for (const auto& [column, text] : p.in) {
        if (column == c) return text;
    }
    return {};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class StudyLabelTest : public WindowTest {
    Q_OBJECT

public:
    StudyLabelTest() : WindowTest({.start = true, .scriptedDialogs = true}) {}

private:
    // Every value row on the label, the clothing and the pressure and TNT rows among them.
    void AllLabelRows() {
        Tmain& m = app->main();
        m.findChild<QAction*>("Labelformat1")->trigger();
        TFormLabelType& o = app->FormLabelType();
        for (int k = kEntryEquipmentType; k <= kEntryClothing; ++k) {
            o.CheckListBox1->item(k)->setCheckState(Qt::Checked);
        }
        o.Button2->click();
    }

    // The point typed into the main window's tab of its method (and the
    // intermediate window), up to the label preview.
    void DesktopLabel2002(const Point& p) {
        Tmain& m = app->main();
        const std::string method = Of(p, kMethodColumn);
        if (method == "empirical") {
            m.PageControl1->setCurrentIndex(0);
            m.VoltEdit->setText(Q(Of(p, kVoltageColumn)));
            m.IbfEdit->setText(Q(Of(p, kBoltedCurrentColumn)));
            m.GapEdit->setText(Q(Of(p, kGapColumn)));
            m.WorkDistEdit->setText(Q(Of(p, kWorkDistanceColumn)));
            m.EquipClassBox->setCurrentText(Q(Of(p, kEquipmentClassColumn)));
            m.GroundGroup->setItemIndex(Of(p, kGroundingColumn) == "Grounded" ? 1 : 0);
            m.Calc1->click();
            app->Second().t1Edit->setText(Q(Of(p, kArcTimeColumn)));
            app->Second().Edit2->setText(Q(Of(p, kArcTimeReducedColumn)));
            app->Second().CheckBox1->setChecked(true);
            app->Second().CheckBox2->setChecked(true);
            app->Second().Button2->click();
        } else if (method == "fuse") {
            m.PageControl1->setCurrentIndex(1);
            m.Fuse_Volt->setText(Q(Of(p, kVoltageColumn)));
            m.Fuse_Ibolt->setText(Q(Of(p, kBoltedCurrentColumn)));
            m.Fuse_Work_Dist->setText(Q(Of(p, kWorkDistanceColumn)));
            m.Calc1->click();
        } else {
            m.PageControl1->setCurrentIndex(2);
            m.CB_volt->setText(Q(Of(p, kVoltageColumn)));
            m.CB_Ibolt->setText(Q(Of(p, kBoltedCurrentColumn)));
            m.CB_workdist->setText(Q(Of(p, kWorkDistanceColumn)));
            m.ir_edit->setText(Q(Of(p, kInterruptingRatingColumn)));
            m.it_edit->setText(Q(Of(p, kInstantaneousTripColumn)));
            m.Calc1->click();
        }
        QVERIFY2(app->Third().isVisible(), p.what);
        app->Third().Button2->click();  // "Create label"
    }

    // The point typed into the 2018 window, up to the label preview.
    void DesktopLabel2018(const Point& p) {
        app->main().findChild<QAction*>("Ieee2018Model1")->trigger();
        const TIeee2018& w = *app->Ieee2018IfMade();
        // The configurations by the words a study gives them.
        auto* electrode = Child<QComboBox>(w, "ElectrodeBox");
        electrode->setCurrentIndex(electrode->findData(Q(Of(p, kElectrodeConfigurationColumn))));
        const std::pair<const char*, StudyInputColumn> edits[] = {
            {"VoltEdit", kVoltageColumn},           {"IbfEdit", kBoltedCurrentColumn},
            {"GapEdit", kGapColumn},                {"HeightEdit", kEnclosureHeightColumn},
            {"WidthEdit", kEnclosureWidthColumn},   {"DepthEdit", kEnclosureDepthColumn},
            {"WorkDistEdit", kWorkDistanceColumn},  {"ArcTimeEdit", kArcTimeColumn},
            {"ArcTimeReducedEdit", kArcTimeReducedColumn}};
        for (const auto& [name, column] : edits) Child<QLineEdit>(w, name)->setText(Q(Of(p, column)));
        // A relay's durations: the device fields by the study's columns.
        const bool relay = Of(p, kDeviceTypeColumn) == "relay";
        Child<QComboBox>(w, "DurationSourceBox")->setCurrentIndex(relay ? 1 : 0);
        if (relay) {
            Child<QComboBox>(w, "DeviceTypeBox")->setCurrentIndex(0);
            auto* curve = Child<QComboBox>(w, "RelayCurveBox");
            curve->setCurrentIndex(curve->findData(Q(Of(p, kRelayCurveColumn))));
            const std::pair<const char*, StudyInputColumn> relayEdits[] = {
                {"RelayPickupEdit", kRelayPickupColumn},         {"RelayTimeDialEdit", kRelayTimeDialColumn},
                {"RelayInstPickupEdit", kRelayInstPickupColumn}, {"RelayInstDelayEdit", kRelayInstDelayColumn},
                {"BreakerTimeEdit", kBreakerTimeColumn}};
            for (const auto& [name, column] : relayEdits) Child<QLineEdit>(w, name)->setText(Q(Of(p, column)));
        }
        Child<QPushButton>(w, "ComputeButton")->click();
        QVERIFY2(Child<QPushButton>(w, "LabelButton")->isEnabled(), p.what);
        Child<QPushButton>(w, "LabelButton")->click();
    }

private slots:
    void studyLabelIsTheDesktopLabel_data() {
        QTest::addColumn<int>("point");
        for (int i = 0; i < static_cast<int>(Points().size()); ++i) QTest::newRow(Points()[i].what) << i;
    }
    void studyLabelIsTheDesktopLabel() {
        QFETCH(int, point);
        const Point& p = Points()[static_cast<std::size_t>(point)];
        AllLabelRows();
        if (Of(p, kMethodColumn) == "ieee1584-2018") {
            DesktopLabel2018(p);
        } else {
            DesktopLabel2002(p);
        }
        QVERIFY(app->Preview().isVisible());
        const LabelSheet& want = app->Preview().Sheet();

        StudyRowInputs in{};
        for (const auto& [c, text] : p.in) in[c] = text;
        StudyRowResults results;
        const PointResult values = ComputeStudyRow(in, StudyOptions{}, results);
        QVERIFY2(values.Computed(), results[kMessageColumn].c_str());
        render::StudyLabelOptions o;
        o.settings = app->FormLabelType().Settings();
        const QDate today = QDate::currentDate();
        o.date = {today.day(), today.month(), today.year()};
        const LabelSheet got = render::StudyLabel({"", in, &values}, o);

        QCOMPARE(got.picture, want.picture);
        QCOMPARE(got.byName.size(), want.byName.size());
        for (const auto& [slot, w] : want.byName) {
            const LabelSlot& g = got.at(slot);
            const QByteArray at = QByteArray(p.what) + " " + QByteArray::fromStdString(slot);
            QVERIFY2(g.text == w.text, at + ": " + QByteArray::fromStdString(g.text) + " vs " +
                                           QByteArray::fromStdString(w.text));
            QVERIFY2(g.place.visible == w.place.visible && g.place.top == w.place.top &&
                         g.place.left == w.place.left && g.place.fontPt == w.place.fontPt &&
                         g.place.bold == w.place.bold && g.place.red == w.place.red,
                     at);
        }
        if (p.footer) QCOMPARE(Q(got.at("Label9").text), QString(p.footer));
    }

private:
    // clang-format off
    static const std::vector<Point>& Points() {
        static const std::vector<Point> points = {
            {"empirical, the reduced case governs",
             {{kMethodColumn, "empirical"}, {kVoltageColumn, "480"}, {kBoltedCurrentColumn, "20"},
              {kGapColumn, "32"}, {kWorkDistanceColumn, "455"}, {kEquipmentClassColumn, "Switchgear"},
              {kGroundingColumn, "Grounded"}, {kArcTimeColumn, "0.2"}, {kArcTimeReducedColumn, "0.25"}}},
            // The two cases' energies round to the same text (5.29 cal/cm2), the
            // reduced one the larger: only the numbers tell which governs.
            {"empirical, energies equal when rounded",
             {{kMethodColumn, "empirical"}, {kVoltageColumn, "480"}, {kBoltedCurrentColumn, "30"},
              {kGapColumn, "32"}, {kWorkDistanceColumn, "455"}, {kEquipmentClassColumn, "Switchgear"},
              {kGroundingColumn, "Grounded"}, {kArcTimeColumn, "0.1"}, {kArcTimeReducedColumn, "0.11925"}}},
            {"empirical, ungrounded, the full case governs",
             {{kMethodColumn, "empirical"}, {kVoltageColumn, "4160"}, {kBoltedCurrentColumn, "15"},
              {kGapColumn, "104"}, {kWorkDistanceColumn, "910"}, {kEquipmentClassColumn, "Switchgear"},
              {kGroundingColumn, "Ungrounded"}, {kArcTimeColumn, "0.5"}, {kArcTimeReducedColumn, "0.3"}}},
            {"fuse",
             {{kMethodColumn, "fuse"}, {kVoltageColumn, "480"}, {kBoltedCurrentColumn, "20"},
              {kWorkDistanceColumn, "455"}}},
            {"breaker",
             {{kMethodColumn, "breaker"}, {kVoltageColumn, "480"}, {kBoltedCurrentColumn, "20"},
              {kWorkDistanceColumn, "460"}, {kInterruptingRatingColumn, "25"}, {kInstantaneousTripColumn, "2"}}},
            {"IEEE 1584-2018",
             {{kMethodColumn, "ieee1584-2018"}, {kElectrodeConfigurationColumn, "VCB"}, {kVoltageColumn, "480"},
              {kBoltedCurrentColumn, "45"}, {kGapColumn, "32"}, {kEnclosureHeightColumn, "610"},
              {kEnclosureWidthColumn, "610"}, {kEnclosureDepthColumn, "254"}, {kWorkDistanceColumn, "609.6"},
              {kArcTimeColumn, "0.0613"}, {kArcTimeReducedColumn, "0.319"}}},
            // The same durations from a relay: instantaneous above 27 kA (28.793 kA),
            // definite time below (25.244 kA, whose case governs), each with the
            // breaker's 0.0613 s.
            {"IEEE 1584-2018, durations from a relay",
             {{kMethodColumn, "ieee1584-2018"}, {kElectrodeConfigurationColumn, "VCB"}, {kVoltageColumn, "480"},
              {kBoltedCurrentColumn, "45"}, {kGapColumn, "32"}, {kEnclosureHeightColumn, "610"},
              {kEnclosureWidthColumn, "610"}, {kEnclosureDepthColumn, "254"}, {kWorkDistanceColumn, "609.6"},
              {kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "DT"}, {kRelayPickupColumn, "1000"},
              {kRelayTimeDialColumn, "0.2577"}, {kRelayInstPickupColumn, "27000"}, {kBreakerTimeColumn, "0.0613"}},
             "Relay DT: arc duration 0.319 s (definite time)"},
        };
        return points;
    }
    // clang-format on
};

QTEST_MAIN(StudyLabelTest)
#include "study_label_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The window of the 2018 model, driven by its control names under the
// offscreen platform: reached from the Options menu, the equipment picker,
// a refusal, a result, the report block byte for byte, the label and the
// way back; units changed while values are typed, results that go with
// any change of an input, the label's equipment text and its sizes, and
// what a screen reader announces.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>

#include "drive.h"
#include "fake_dialogs.h"
#include "render/label_painter.h"
#include "ui/application.h"
#include "ui/device_panel.h"
#include "ui/ieee2018_window.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/units_window.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

class Ieee2018WindowTest : public WindowTest {
    Q_OBJECT

public:
    Ieee2018WindowTest() : WindowTest({.start = true, .scriptedDialogs = true}) {}

private:
    TIeee2018* w = nullptr;

    // The window's controls, by their object names.
    QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(*w, name); }
    QComboBox* Box(const char* name) const { return Child<QComboBox>(*w, name); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*w, name); }
    QLabel* Label(const char* name) const { return Child<QLabel>(*w, name); }

    // A label's text as read, a caption's line breaks as spaces.
    QString Text(const char* label) { return Label(label)->text().replace('\n', ' '); }
    bool Red(const char* label) { return TextColor(Label(label)) == QColor(Qt::red); }

    // The standard's low-voltage example (Annex D.2).
    void FillLowVoltageExample() {
        Box("ElectrodeBox")->setCurrentIndex(0);
        Edit("VoltEdit")->setText("480");
        Edit("IbfEdit")->setText("45");
        Edit("GapEdit")->setText("32");
        Edit("HeightEdit")->setText("610");
        Edit("WidthEdit")->setText("610");
        Edit("DepthEdit")->setText("254");
        Edit("WorkDistEdit")->setText("609.6");
        Edit("ArcTimeEdit")->setText("0.0613");
        Edit("ArcTimeReducedEdit")->setText("0.319");
    }

    // "5 kV switchgear" at 4160 V, 15 kA, 0.197 s / 0.223 s.
    void FillSwitchgearExample() {
        Box("EquipmentBox")->setCurrentIndex(2);
        emit Box("EquipmentBox")->activated(2);
        Edit("VoltEdit")->setText("4160");
        Edit("IbfEdit")->setText("15");
        Edit("ArcTimeEdit")->setText("0.197");
        Edit("ArcTimeReducedEdit")->setText("0.223");
    }

    // Back, Options, Units: the units chosen and "Save and close".
    void ChooseUnits(const QString& gap, const QString& workDist,
                     const QString& energy = QStringLiteral("cal/cm2")) {
        Button("BackButton")->click();
        app->main().findChild<QAction*>("Units1")->trigger();
        TFormUnits& u = app->FormUnits();
        u.findChild<QComboBox*>("Gap_Units")->setCurrentText(gap);
        u.findChild<QComboBox*>("WD_units")->setCurrentText(workDist);
        u.findChild<QComboBox*>("ComboBox2")->setCurrentText(energy);
        u.Button1->click();
        QVERIFY(app->main().isVisible());
    }
    void Reopen() { app->main().findChild<QAction*>("Ieee2018Model1")->trigger(); }

    // Every result the window shows is empty and nothing can be saved or labelled.
    void ExpectNoResults() {
        for (const char* n :
             {"FullArcCurrent", "ReducedArcCurrent", "FullEnergy", "ReducedEnergy", "FullBoundary",
              "ReducedBoundary", "FullPpe", "ReducedPpe", "FullClothing1", "ReducedClothing1",
              "FullClothing2", "ReducedClothing2", "GoverningCase", "EnclosureType",
              "CorrectionFactor", "LimitedApproach", "RestrictedApproach", "ProhibitedApproach"}) {
            QVERIFY2(Text(n).isEmpty(), n);
        }
        QVERIFY(!Button("SaveButton")->isEnabled());
        QVERIFY(!Button("LabelButton")->isEnabled());
    }

private slots:
    void init() {
        WindowTest::init();
        auto* action = app->main().findChild<QAction*>("Ieee2018Model1");
        QVERIFY(action);
        action->trigger();
        w = app->Ieee2018IfMade();
        QVERIFY(w);
    }
    void cleanup() {
        w = nullptr;
        WindowTest::cleanup();
    }

    void replacesTheMainWindowAndGoesBack() {
        QVERIFY(w->isVisible());
        QVERIFY(!app->main().isVisible());
        QVERIFY(w->isWindow());
        // Its controls do not stand among the main window's, which share names.
        QCOMPARE(app->main().findChildren<QLineEdit*>("VoltEdit").size(), 1);
        QVERIFY(app->main().findChild<QLineEdit*>("VoltEdit") == app->main().VoltEdit);
        QVERIFY(!Button("SaveButton")->isEnabled());
        QVERIFY(!Button("LabelButton")->isEnabled());
        Button("BackButton")->click();
        QVERIFY(!w->isVisible());
        QVERIFY(app->main().isVisible());
    }

    void exitAsksFirst() {
        dialogs->answers = {false};
        Button("BitBtn1")->click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Confirm"));
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("Do you wish to exit now?"));
        QVERIFY(w->isVisible());
        QVERIFY(!app->quitRequested());
    }

    void pickerFillsTypicalValuesThatStayEditable() {
        // Chosen with the keyboard: from the low-voltage switchgear one down to
        // the shallow low-voltage MCCs and panelboards.
        Box("EquipmentBox")->setCurrentIndex(5);
        QTest::keyClick(Box("EquipmentBox"), Qt::Key_Down);
        QCOMPARE(Box("EquipmentBox")->currentIndex(), 6);
        QCOMPARE(Edit("GapEdit")->text(), QStringLiteral("25"));
        QCOMPARE(Edit("HeightEdit")->text(), QStringLiteral("355.6"));
        QCOMPARE(Edit("WidthEdit")->text(), QStringLiteral("304.8"));
        QCOMPARE(Edit("DepthEdit")->text(), QStringLiteral("203.2"));
        QCOMPARE(Edit("WorkDistEdit")->text(), QStringLiteral("457.2"));
        QCOMPARE(Box("ElectrodeBox")->currentData().toString(), QStringLiteral("VCB"));
        QVERIFY(!Edit("GapEdit")->isReadOnly());

        // Edited after picking: the edit counts, and the enclosure is shallow at 480 V.
        Box("ElectrodeBox")->setCurrentIndex(2);  // HCB
        Edit("VoltEdit")->setText("480");
        Edit("IbfEdit")->setText("20");
        Edit("ArcTimeEdit")->setText("0.1");
        Edit("ArcTimeReducedEdit")->setText("0.1");
        Button("ComputeButton")->click();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Text("EnclosureType"), QStringLiteral("Shallow"));

        Box("EquipmentBox")->setCurrentIndex(2);  // 5 kV switchgear
        emit Box("EquipmentBox")->activated(2);
        QCOMPARE(Edit("GapEdit")->text(), QStringLiteral("104"));
        QCOMPARE(Edit("HeightEdit")->text(), QStringLiteral("914.4"));
        QCOMPARE(Edit("WorkDistEdit")->text(), QStringLiteral("914.4"));
        QCOMPARE(Box("ElectrodeBox")->currentData().toString(), QStringLiteral("VCB"));
    }

    void inputUnitsFollowTheUnitsWindow() {
        FillLowVoltageExample();
        Button("ComputeButton")->click();
        QCOMPARE(Text("FullEnergy"), QStringLiteral("2.77"));
        Button("BackButton")->click();
        app->FormUnits().findChild<QComboBox*>("Gap_Units")->setCurrentText("inches");
        app->FormUnits().findChild<QComboBox*>("WD_units")->setCurrentText("inches");
        app->FormUnits().findChild<QComboBox*>("ComboBox2")->setCurrentText("J/cm2");
        app->main().findChild<QAction*>("Ieee2018Model1")->trigger();
        QCOMPARE(Text("GapCaption"), QStringLiteral("Gap between conductors (inches):"));
        QCOMPARE(Text("HeightCaption"), QStringLiteral("Enclosure height (inches):"));
        QCOMPARE(Text("WorkDistCaption"), QStringLiteral("Working distance (inches):"));
        QCOMPARE(Text("EnergyCaption"), QStringLiteral("Incident energy exposure (J/cm2):"));
        // Results in the old units are not left standing under the new captions.
        QCOMPARE(Text("FullEnergy"), QString());
        QVERIFY(!Button("SaveButton")->isEnabled());

        Box("EquipmentBox")->setCurrentIndex(5);  // low-voltage switchgear
        emit Box("EquipmentBox")->activated(5);
        QCOMPARE(Edit("GapEdit")->text(), QStringLiteral("1.2598"));
        QCOMPARE(Edit("HeightEdit")->text(), QStringLiteral("20"));
        QCOMPARE(Edit("WorkDistEdit")->text(), QStringLiteral("24"));
        // The standard's example typed in inches: 24 in is its 609.6 mm.
        Edit("GapEdit")->setText("1.25984251968504");
        Edit("HeightEdit")->setText("24.0157480314961");
        Edit("WidthEdit")->setText("24.0157480314961");
        Edit("DepthEdit")->setText("10");
        Edit("VoltEdit")->setText("480");
        Edit("IbfEdit")->setText("45");
        Edit("ArcTimeEdit")->setText("0.0613");
        Edit("ArcTimeReducedEdit")->setText("0.319");
        Button("ComputeButton")->click();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Text("FullEnergy"), QStringLiteral("11.58"));
        QCOMPARE(Text("ReducedEnergy"), QStringLiteral("53.16"));
    }

    void refusalsInOneWarningBox() {
        FillLowVoltageExample();
        Edit("VoltEdit")->setText("100");
        Edit("WorkDistEdit")->setText("300");
        Button("ComputeButton")->click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Warning"));
        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral("Voltage below 208 V. Working distance below 305 mm. "));
        QCOMPARE(Text("FullEnergy"), QString());
        QVERIFY(!Button("SaveButton")->isEnabled());

        dialogs->Clear();
        Edit("IbfEdit")->setText("abc");
        Button("ComputeButton")->click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral("'abc' is not a valid floating point value"));
    }

    void enterComputesBothCasesGoverningInRed() {
        FillLowVoltageExample();
        QTest::keyClick(Edit("ArcTimeReducedEdit"), Qt::Key_Return);
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Text("FullArcCurrent"), QStringLiteral("28.793"));
        QCOMPARE(Text("ReducedArcCurrent"), QStringLiteral("25.244"));
        QCOMPARE(Text("FullEnergy"), QStringLiteral("2.77"));
        QCOMPARE(Text("ReducedEnergy"), QStringLiteral("12.70"));
        QCOMPARE(Text("FullBoundary"), QStringLiteral("40"));
        QCOMPARE(Text("ReducedBoundary"), QStringLiteral("105"));
        QCOMPARE(Text("FullPpe"), QStringLiteral("1"));
        QCOMPARE(Text("ReducedPpe"), QStringLiteral("3"));
        QCOMPARE(Text("ReducedClothing1"),
                 QStringLiteral("FR coverall over FR shirt and pants, flash suit hood, ear canal inserts,"));
        QCOMPARE(Text("EnclosureType"), QStringLiteral("Typical"));
        QCOMPARE(Text("CorrectionFactor"), QStringLiteral("1.085"));
        QCOMPARE(Text("GoverningCase"), QStringLiteral("reduced arcing current"));
        QCOMPARE(Text("LimitedApproach"), QStringLiteral("42"));
        QCOMPARE(Text("RestrictedApproach"), QStringLiteral("12"));
        QCOMPARE(Text("ProhibitedApproach"), QStringLiteral("1"));
        QVERIFY(Red("ReducedEnergy") && Red("ReducedBoundary") && Red("ReducedTitle"));
        QVERIFY(!Red("FullEnergy") && !Red("FullBoundary") && !Red("FullTitle"));
        QVERIFY(Label("ReducedEnergy")->font().bold());
        QVERIFY(!Label("FullEnergy")->font().bold());
        QCOMPARE(Text("EnergyCaption"), QStringLiteral("Incident energy exposure (cal/cm2):"));

        // A full case that governs turns the colours round.
        Edit("ArcTimeReducedEdit")->setText("0.01");
        Button("ComputeButton")->click();
        QVERIFY(Red("FullEnergy") && !Red("ReducedEnergy"));
        QCOMPARE(Text("GoverningCase"), QStringLiteral("arcing current"));
    }

    void reportBlockByteForByteAndAppended() {
        FillLowVoltageExample();
        Button("ComputeButton")->click();
        QTemporaryDir folder;
        const QString path = folder.filePath("report.txt");
        dialogs->fileNames = {path, path};
        Button("SaveButton")->click();
        // Edited after "Compute": nothing to save until the next "Compute".
        Edit("VoltEdit")->setText("600");
        Edit("GapEdit")->setText("25");
        QVERIFY(!Button("SaveButton")->isEnabled());
        FillLowVoltageExample();
        Button("ComputeButton")->click();
        Button("SaveButton")->click();
        QCOMPARE(dialogs->fileDialogs.size(), 2);
        QCOMPARE(dialogs->fileDialogs[0].title, QStringLiteral("Save results to"));
        QVERIFY(!dialogs->fileDialogs[0].confirmOverwrite);
        QCOMPARE(dialogs->fileDialogs[1].initialName, path);
        const QByteArray block =
            "Method: IEEE 1584-2018\r\n"
            "Electrode configuration: VCB\r\n"
            "Gap between conductors (mm): 32\r\n"
            "Enclosure height (mm): 610\r\n"
            "Enclosure width (mm): 610\r\n"
            "Enclosure depth (mm): 254\r\n"
            "Enclosure type: Typical\r\n"
            "Enclosure size correction factor: 1.085\r\n"
            "Working distance (mm): 609.6\r\n"
            "Available 3Ph bolted current (kA): 45\r\n"
            "System voltage (V): 480\r\n"
            "Predicted arcing current (kA): 28.793\r\n"
            "Arc duration (sec): 0.0613\r\n"
            "Reduced arcing current (kA): 25.244\r\n"
            "Arc duration at reduced current (sec): 0.319\r\n"
            "Incident energy exposure (cal/cm2) (arcing current): 2.77\r\n"
            "Flash protection boundary (inches) (arcing current): 40\r\n"
            "Level of PPE (arcing current): 1\r\n"
            "Incident energy exposure (cal/cm2) (reduced arcing current): 12.70\r\n"
            "Flash protection boundary (inches) (reduced arcing current): 105\r\n"
            "Level of PPE (reduced arcing current): 3\r\n"
            "Governing case: reduced arcing current\r\n"
            "Limited approach boundary (inches): 42\r\n"
            "Restricted approach boundary (inches): 12\r\n"
            "Prohibited approach boundary (inches): 1\r\n";
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), block + "\r\n" + block);
    }

    void openAirReportHasNoEnclosure() {
        FillLowVoltageExample();
        Box("ElectrodeBox")->setCurrentIndex(3);  // VOA
        Edit("HeightEdit")->setText("not read");
        Button("ComputeButton")->click();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Text("EnclosureType"), QStringLiteral("Open air"));
        QCOMPARE(Text("LimitedApproach"), QStringLiteral("120"));
        QTemporaryDir folder;
        const QString path = folder.filePath("open.txt");
        dialogs->fileNames = {path};
        Button("SaveButton")->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines[3], QByteArray("Enclosure: none (open air)\r"));
        QCOMPARE(lines[4], QByteArray("Enclosure type: Open air\r"));
    }

    void labelShowsTheGoverningCase() {
        FillLowVoltageExample();
        Button("ComputeButton")->click();
        Button("LabelButton")->click();
        TPreview& p = app->Preview();
        QVERIFY(p.isVisible());
        QVERIFY(!w->isVisible());
        QCOMPARE(p.Slot("Label15")->text(), QStringLiteral("12.70 cal/cm2"));
        QCOMPARE(p.Slot("Label14")->text(), QStringLiteral("105 inches"));
        QCOMPARE(p.Slot("Label16")->text(), QStringLiteral("3"));
        QCOMPARE(p.Slot("Label33")->text(), QStringLiteral("N/A"));
        QCOMPARE(p.Slot("Label34")->text(), QStringLiteral("N/A"));
        QCOMPARE(p.Slot("Label11")->text(), QStringLiteral("N/A"));
        QCOMPARE(p.Slot("Label10")->text(), QStringLiteral("480 V "));
        // The label names the edition its numbers come from.
        QCOMPARE(p.Slot("Label8")->text(), QStringLiteral("Arc flash hazard analysis after IEEE 1584-2018"));
        p.Button1->click();  // "Back" returns here
        QVERIFY(w->isVisible());
        QVERIFY(!p.isVisible());
    }

    void unitsChangeKeepsTheTypedMeaning() {
        FillSwitchgearExample();
        Button("ComputeButton")->click();
        QCOMPARE(Text("FullEnergy"), QStringLiteral("3.01"));
        QCOMPARE(Text("ReducedEnergy"), QStringLiteral("3.30"));
        QCOMPARE(Text("FullPpe"), QStringLiteral("1"));
        struct Step {
            const char *gapUnit, *workDistUnit, *gap, *box, *workDist;
        };
        // By hand: 104 mm = 4.0945 in, 914.4 mm = 36 in.
        // clang-format off
        const Step steps[] = {
            {"mm",     "inches", "104",    "914.4", "36"},
            {"inches", "inches", "4.0945", "36",    "36"},
            {"mm",     "mm",     "104",    "914.4", "914.4"},  // back: the texts as they were
            {"inches", "mm",     "4.0945", "36",    "914.4"},
        };
        // clang-format on
        for (const Step& s : steps) {
            ChooseUnits(s.gapUnit, s.workDistUnit);
            // Converted as the units window applied the units, before the window shows again.
            QVERIFY(!w->isVisible());
            QCOMPARE(Edit("GapEdit")->text(), QString(s.gap));
            for (QLineEdit* e : {Edit("HeightEdit"), Edit("WidthEdit"), Edit("DepthEdit")}) {
                QCOMPARE(e->text(), QString(s.box));
            }
            QCOMPARE(Edit("WorkDistEdit")->text(), QString(s.workDist));
            Reopen();
            QCOMPARE(Text("GapCaption"), "Gap between conductors (" + QString(s.gapUnit) + "):");
            QCOMPARE(Text("WorkDistCaption"),
                     "Working distance (" + QString(s.workDistUnit) + "):");
            Button("ComputeButton")->click();
            QVERIFY(dialogs->shown.isEmpty());
            QCOMPARE(Text("FullEnergy"), QStringLiteral("3.01"));
            QCOMPARE(Text("ReducedEnergy"), QStringLiteral("3.30"));
            QCOMPARE(Text("FullPpe"), QStringLiteral("1"));
            QCOMPARE(Text("ReducedPpe"), QStringLiteral("1"));
        }
    }

    void anyInputChangeClearsTheResults_data() {
        QTest::addColumn<int>("change");
        QTest::newRow("typed into a field") << 0;
        QTest::newRow("configuration picked") << 1;
        QTest::newRow("equipment type picked") << 2;
        QTest::newRow("input units changed") << 3;
        QTest::newRow("energy unit changed") << 4;
        QTest::newRow("refused: empty voltage") << 5;
        QTest::newRow("refused: not a number") << 6;
    }
    void anyInputChangeClearsTheResults() {
        QFETCH(int, change);
        FillLowVoltageExample();
        Button("ComputeButton")->click();
        QCOMPARE(Text("ReducedEnergy"), QStringLiteral("12.70"));
        QVERIFY(Button("SaveButton")->isEnabled() && Button("LabelButton")->isEnabled());
        switch (change) {
            case 0: QTest::keyClicks(Edit("WorkDistEdit"), "1"); break;
            case 1: QTest::keyClick(Box("ElectrodeBox"), Qt::Key_Down); break;  // VCB to VCBB
            case 2:
                Box("EquipmentBox")->setCurrentIndex(5);
                emit Box("EquipmentBox")->activated(5);
                break;
            case 3: ChooseUnits("inches", "mm"), Reopen(); break;
            case 4: ChooseUnits("mm", "mm", "J/cm2"), Reopen(); break;
            case 5:
                Edit("VoltEdit")->clear();
                Button("ComputeButton")->click();
                QCOMPARE(dialogs->shown.value(0).kind, QStringLiteral("Warning"));
                break;
            case 6:
                Edit("IbfEdit")->setText("4x5");
                Button("ComputeButton")->click();
                QCOMPARE(dialogs->shown.value(0).kind, QStringLiteral("Error"));
                break;
        }
        ExpectNoResults();
    }

    // The durations of the low-voltage example (61.3 ms and 319 ms at 28.793 kA
    // and 25.244 kA) from devices whose times there are known by hand; the
    // typed durations are not read. The energy is proportional to the
    // duration: capped at 2 s, the reduced case gives 12.705 x 2 / 0.319.
    void durationsFromAProtectiveDevice() {
        QTemporaryDir folder;
        const QString curves = folder.filePath("curves.csv");
        {
            QFile f(curves);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("name,current,time\nMCC-F1,26000,1\nMCC-F1,28000,0.0613\n");
        }
        using Fields = std::map<const char*, const char*>;
        struct Row {
            const char* name;
            int type;  // relay, trip unit, fuse curve
            Fields fields;
            const char *full, *reduced, *capped;  // as shown
            double energy, energyReduced;         // cal/cm2
            const char* refusal;
        };
        // clang-format off
        const Row rows[] = {
            {"relay: instantaneous above 27 kA, else definite time", 0,
             {{"RelayPickupEdit", "1000"}, {"RelayTimeDialEdit", "0.2577"},
              {"RelayInstPickupEdit", "27000"}, {"BreakerTimeEdit", "0.0613"}},
             "0.0613 s \u2014 instantaneous", "0.319 s \u2014 definite time", "", 2.769, 12.705, ""},
            {"trip unit: INST above 17 x 1600 A, ST 0.29 s x 1.1 above 8 x 1600 A", 1,
             {{"TripRatingEdit", "1600"}, {"TripLtPickupEdit", "1"}, {"TripLtDelayEdit", "10"},
              {"TripStPickupEdit", "8"}, {"TripStDelayEdit", "0.29"}, {"TripInstPickupEdit", "17"},
              {"TripInstTimeEdit", "0.0613"}},
             "0.0613 s \u2014 instantaneous", "0.319 s \u2014 short time", "", 2.769, 12.705, ""},
            {"fuse from the curves file: does not clear 25.244 kA, capped", 2,
             {{"FuseCurveEdit", "MCC-F1"}},
             "0.0613 s \u2014 curve", "2 s \u2014 capped (the device does not operate)",
             "exposure limited to 2 s", 2.769, 12.705 * 2 / 0.319, ""},
            {"fuse with no maximum: refused", 2,
             {{"FuseCurveEdit", "26000:1 28000:0.0613"}, {"MaxArcTimeEdit", "none"}},
             "", "", "", 0, 0, "Protective device does not operate at 25.244 kA arcing current. "},
        };
        // clang-format on
        FillLowVoltageExample();
        Edit("ArcTimeEdit")->setText("9");
        Edit("ArcTimeReducedEdit")->setText("9");
        Box("DurationSourceBox")->setCurrentIndex(1);
        QVERIFY(!Edit("ArcTimeEdit")->isEnabled() && !Edit("ArcTimeReducedEdit")->isEnabled());
        dialogs->fileNames = {curves};
        Button("LoadCurvesButton")->click();
        QVERIFY(Text("CurvesFileLabel").contains("curves.csv"));
        Box("RelayCurveBox")->setCurrentIndex(7);
        QCOMPARE(Box("RelayCurveBox")->currentText(), QStringLiteral("DT \u2014 definite time"));
        auto* view = Child<TimeCurrentView>(*w, "TimeCurrentView");
        for (const Row& r : rows) {
            dialogs->Clear();
            Box("DeviceTypeBox")->setCurrentIndex(r.type);
            for (const auto& [name, text] : r.fields) Edit(name)->setText(text);
            Button("ComputeButton")->click();
            if (*r.refusal) {
                QCOMPARE(dialogs->shown.size(), 1);
                QCOMPARE(dialogs->shown[0].text, QString(r.refusal));
                ExpectNoResults();
                QCOMPARE(Text("FullDuration"), QString());
                QVERIFY(!view->Plot());
                continue;
            }
            QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.value(0).text));
            QCOMPARE(Text("FullArcCurrent"), QStringLiteral("28.793"));
            QCOMPARE(Text("FullDuration"), QString(r.full));
            QCOMPARE(Text("ReducedDuration"), QString(r.reduced));
            QCOMPARE(Text("DurationCapped"), QString(r.capped));
            QCOMPARE(Label("DurationCapped")->isVisible(), *r.capped != 0);
            QVERIFY2(std::abs(Text("FullEnergy").toDouble() - r.energy) <= 0.006, r.name);
            QVERIFY2(std::abs(Text("ReducedEnergy").toDouble() - r.energyReduced) <= 0.006, r.name);
            // The picture, with both arcing currents marked.
            QVERIFY(view->isVisible() && view->Plot() && view->Plot()->marks.size() == 2);
        }

        // The capped case saved and labelled: the device, the durations with
        // their elements, and the note.
        Box("DeviceTypeBox")->setCurrentIndex(2);
        Edit("FuseCurveEdit")->setText("MCC-F1");
        Edit("MaxArcTimeEdit")->clear();
        Button("ComputeButton")->click();
        const QString path = folder.filePath("report.txt");
        dialogs->fileNames = {path};
        Button("SaveButton")->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.mid(10, 8), (QList<QByteArray>{
                                       "System voltage (V): 480\r",
                                       "Protective device: fuse\r",
                                       "Fuse curve: MCC-F1 (curves.csv)\r",
                                       "Device share of the arcing current: 1\r",
                                       "Maximum arc duration (sec): 2\r",
                                       "Predicted arcing current (kA): 28.793\r",
                                       "Arc duration (sec): 0.0613 (curve)\r",
                                       "Reduced arcing current (kA): 25.244\r",
                                   }));
        QCOMPARE(lines.value(18), QByteArray("Arc duration at reduced current (sec): 2 (capped *)\r"));
        QCOMPARE(lines.value(lines.size() - 2), QByteArray("* exposure limited to 2 s\r"));
        Button("LabelButton")->click();
        QCOMPARE(app->Preview().Slot("Label9")->text(),
                 QStringLiteral("Fuse: exposure limited to 2 s"));
        app->Preview().Button1->click();

        // Any change of the device, or of the source, leaves no result standing.
        Edit("MaxArcTimeEdit")->setText("1");
        ExpectNoResults();
        QCOMPARE(Text("ReducedDuration"), QString());
        QVERIFY(!view->Plot());
        Button("ComputeButton")->click();
        QVERIFY(Button("SaveButton")->isEnabled());
        Box("DurationSourceBox")->setCurrentIndex(0);
        ExpectNoResults();
        // Typed again: the typed durations are read.
        Button("ComputeButton")->click();
        QVERIFY(Text("FullEnergy").toDouble() > 100);
    }

    // Results that come and go leave the window as it was: the same size
    // whatever level, clothing, duration or caution they show, each clothing
    // line whole in its column; and cleared by an input, the same again.
    void keepsItsSizeAsResultsComeAndGo() {
        struct Row {
            const char* what;
            const char* seconds;  // typed at both currents; none: the relay below
            std::map<const char*, const char*> relay;
        };
        // clang-format off
        const Row rows[] = {
            {"typed, 5 ms",   "0.005", {}},
            {"typed, 30 ms",  "0.03",  {}},
            {"typed, 0.1 s",  "0.1",   {}},
            {"typed, 0.3 s",  "0.3",   {}},
            {"typed, 0.6 s",  "0.6",   {}},
            {"typed, 2 s",    "2",     {}},
            {"relay, instantaneous", nullptr, {{"RelayPickupEdit", "400"}, {"RelayTimeDialEdit", "0.1"},
                                                {"RelayInstPickupEdit", "5000"}}},
            {"relay, with a caution", nullptr, {{"RelayPickupEdit", "0.5"}, {"RelayTimeDialEdit", "25"},
                                                 {"RelayInstPickupEdit", "0.05"}}},
            {"relay, capped", nullptr, {{"RelayPickupEdit", "100000"}, {"RelayTimeDialEdit", "1"},
                                         {"RelayInstPickupEdit", ""}, {"MaxArcTimeEdit", "2"}}},
        };
        // clang-format on
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        FillLowVoltageExample();
        QSet<QString> levels;
        for (const bool device : {false, true}) {
            Box("DurationSourceBox")->setCurrentIndex(device ? 1 : 0);
            QCoreApplication::processEvents();
            const QSize size = w->size();
            for (const Row& r : rows) {
                if ((r.seconds == nullptr) != device) continue;
                dialogs->Clear();
                if (r.seconds) {
                    Edit("ArcTimeEdit")->setText(r.seconds);
                    Edit("ArcTimeReducedEdit")->setText(r.seconds);
                }
                for (const auto& [name, text] : r.relay) Edit(name)->setText(text);
                Button("ComputeButton")->click();
                QVERIFY2(Button("SaveButton")->isEnabled(), r.what);
                QCoreApplication::processEvents();
                QVERIFY2(w->size() == size, qPrintable(QStringLiteral("%1: %2x%3, was %4x%5").arg(r.what)
                                                           .arg(w->width()).arg(w->height())
                                                           .arg(size.width()).arg(size.height())));
                levels << Text("FullPpe") << Text("ReducedPpe");
                for (const char* n : {"FullClothing1", "FullClothing2", "ReducedClothing1", "ReducedClothing2"}) {
                    QLabel* l = Label(n);
                    const QRect room = l->contentsRect();
                    const QRect text = l->fontMetrics().boundingRect(room, Qt::TextWordWrap | int(l->alignment()), l->text());
                    QVERIFY2(room.contains(text), qPrintable(QStringLiteral("%1: %2 cut").arg(r.what, n)));
                }
                Edit("VoltEdit")->setText("481");
                ExpectNoResults();
                Edit("VoltEdit")->setText("480");
                QCoreApplication::processEvents();
                QVERIFY2(w->size() == size, r.what);
            }
        }
        for (const char* level : {"0", "1", "2", "3", "4", "N/A"})
            QVERIFY2(levels.contains(level), qPrintable(QStringLiteral("PPE level %1 never shown").arg(level)));
    }

    // A device set as no device is (an instantaneous pickup of 0.05 A typed
    // in the wrong field) is computed as set: the results stand, the warning
    // names the field by its caption, the caution stays beside the results
    // and the report notes it. D.2 under IEC VI, 400 A, TMS 0.1: 0.083 s,
    // 11.585 x 83 / 61.3 J/cm2 = 3.749 cal/cm2; with the pickup meant, 40 kA,
    // the curve's flat 0.1 x 13.5 / 19 + 0.083 = 0.154 s, 6.958 cal/cm2.
    void cautionOfADeviceSettingStandsWithTheResults() {
        FillLowVoltageExample();
        Box("DurationSourceBox")->setCurrentIndex(1);
        Box("DeviceTypeBox")->setCurrentIndex(0);
        Box("RelayCurveBox")->setCurrentIndex(4);
        QCOMPARE(Box("RelayCurveBox")->currentData().toString(), QStringLiteral("IEC-VI"));
        Edit("RelayPickupEdit")->setText("400");
        Edit("RelayTimeDialEdit")->setText("0.1");
        Edit("RelayInstPickupEdit")->setText("0.05");
        Button("ComputeButton")->click();
        const QString caution = QStringLiteral(
            "Instantaneous pickup (A): 0.05 A is below the pickup (400 A): check the setting");
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Warning"));
        QCOMPARE(dialogs->shown[0].text, caution);
        QCOMPARE(Text("FullDuration"), QStringLiteral("0.083 s \u2014 instantaneous"));
        QVERIFY2(std::abs(Text("FullEnergy").toDouble() - 3.749) <= 0.006, qPrintable(Text("FullEnergy")));
        QVERIFY(Button("SaveButton")->isEnabled());
        QVERIFY(Label("DeviceCaution")->isVisible());
        QCOMPARE(Text("DeviceCaution"), caution);
        QTemporaryDir folder;
        const QString path = folder.filePath("report.txt");
        dialogs->fileNames = {path};
        Button("SaveButton")->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains(
            "Caution: relay_inst_pickup: 0.05 A is below the pickup (400 A): check the setting\r\n"));

        dialogs->Clear();
        Edit("RelayInstPickupEdit")->setText("40000");
        QVERIFY(!Label("DeviceCaution")->isVisible());
        Button("ComputeButton")->click();
        QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.value(0).text));
        QCOMPARE(Text("FullDuration"), QStringLiteral("0.1541 s \u2014 inverse"));
        QVERIFY2(std::abs(Text("FullEnergy").toDouble() - 6.958) <= 0.006, qPrintable(Text("FullEnergy")));
        QVERIFY(!Label("DeviceCaution")->isVisible());
    }

    void labelNamesThePickedTypeOnlyWithItsTypicalValues() {
        struct Row {
            const char* name;
            std::function<void()> change;
            const char* expected;
        };
        // clang-format off
        const Row rows[] = {
            {"as picked",               [] {},                                        "5 kV switchgear (VCB)"},
            {"working distance edited", [this] { Edit("WorkDistEdit")->setText("910"); },  "VCB"},
            {"gap edited",              [this] { Edit("GapEdit")->setText("100"); },       "VCB"},
            {"configuration changed",   [this] { Box("ElectrodeBox")->setCurrentIndex(2); }, "HCB"},
            {"no type picked",          [this] { Box("EquipmentBox")->setCurrentIndex(-1); }, "VCB"},
            // Last: the typical values converted to inches are still the typical values.
            {"units changed",           [this] { ChooseUnits("inches", "inches"), Reopen(); }, "5 kV switchgear (VCB)"},
        };
        // clang-format on
        for (const Row& r : rows) {
            FillSwitchgearExample();
            r.change();
            Button("ComputeButton")->click();
            QVERIFY2(dialogs->shown.isEmpty(), r.name);
            Button("LabelButton")->click();
            TPreview& p = app->Preview();
            QCOMPARE(p.Slot("Label20")->text(), QString(r.expected));
            p.Button1->click();
        }
    }

    void labelTextsOfEveryTypeAtSixPointsOrMore() {
        // The label name of every type of the picker, in its order.
        const char* names[] = {"15 kV switchgear",   "15 kV MCC",       "5 kV switchgear",
                               "5 kV switchgear",    "5 kV MCC",        "LV switchgear",
                               "Shallow LV MCC/panel", "Deep LV MCC/panel", "Cable junction box"};
        QCOMPARE(Box("EquipmentBox")->count(), 9);
        for (int language : {0, 1, 2}) {
            app->FormLabelType().LangGroup->setItemIndex(language);
            for (int i = 0; i < 9; ++i) {
                Box("EquipmentBox")->setCurrentIndex(i);
                emit Box("EquipmentBox")->activated(i);
                Edit("VoltEdit")->setText(i < 2 ? "13800" : i < 5 ? "4160" : "480");
                Edit("IbfEdit")->setText("20");
                Edit("ArcTimeEdit")->setText("0.1");
                Edit("ArcTimeReducedEdit")->setText("0.1");
                Button("ComputeButton")->click();
                QVERIFY2(dialogs->shown.isEmpty(), names[i]);
                Button("LabelButton")->click();
                TPreview& p = app->Preview();
                QCOMPARE(p.Slot("Label20")->text(), QString(names[i]) + " (VCB)");
                for (const render::DrawnText& t : render::LabelTexts(p.Sheet())) {
                    const QString size =
                        t.text + ": " + QString::number(t.font.pixelSize()) + " px";
                    // No text shrinks below 6 points of the layout (96 pixels an inch).
                    QVERIFY2(t.font.pixelSize() >= render::PixelSizeOf(6), qPrintable(size));
                    // The equipment type is printed at 6 pt or more: a PDF or a printer
                    // puts the label's 464 pixels on the 4 in (288 pt) of the stock.
                    if (t.slot == "Label20") {
                        QVERIFY2(t.font.pixelSize() * 288.0 / 464.0 >= 6.0, qPrintable(size));
                    }
                }
                p.Button1->click();
            }
        }
    }

    void everyInputHasACaptionAndItsOwnAccessibleName() {
        // The inputs' form, and the typed durations' below it.
        int linked = 0;
        for (auto* form : w->findChildren<QFormLayout*>()) {
            for (int r = 0; r < form->rowCount(); ++r) {
                QLayoutItem* caption = form->itemAt(r, QFormLayout::LabelRole);
                auto* label = caption ? qobject_cast<QLabel*>(caption->widget()) : nullptr;
                if (!label || label->text().isEmpty()) continue;
                QCOMPARE(label->buddy(), form->itemAt(r, QFormLayout::FieldRole)->widget());
                ++linked;
            }
        }
        QCOMPARE(linked, 12);
        // What a screen reader announces for each control that takes the focus.
        QSet<QString> names;
        int focusable = 0;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (c->focusPolicy() == Qt::NoFocus || !c->isVisible()) continue;
            ++focusable;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            QVERIFY(a);
            const QString name = a->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(c->objectName()));
            QVERIFY2(!names.contains(name), qPrintable(c->objectName() + ": " + name));
            names.insert(name);
        }
        QCOMPARE(focusable, 17);  // 3 pickers (the arc duration's source too), 9 fields, 5 buttons
    }

    void configurationsInWordsAndOpenAirWithoutEnclosure() {
        struct Row {
            const char *code, *words;
            bool enclosed;
        };
        // clang-format off
        const Row rows[] = {
            {"VCB",  "VCB \u2014 vertical, in a metal box", true},
            {"VCBB", "VCBB \u2014 vertical, barrier, metal box", true},
            {"HCB",  "HCB \u2014 horizontal, in a metal box", true},
            {"VOA",  "VOA \u2014 vertical, in open air", false},
            {"HOA",  "HOA \u2014 horizontal, in open air", false},
        };
        // clang-format on
        FillLowVoltageExample();
        QTemporaryDir folder;
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(Box("ElectrodeBox")->itemText(i), QString::fromUtf8(rows[i].words));
            // The words whole in the item's tool tip.
            QVERIFY(Box("ElectrodeBox")->itemData(i, Qt::ToolTipRole).toString().contains(" conductors "));
            Box("ElectrodeBox")->setCurrentIndex(i);
            for (QLineEdit* e : {Edit("HeightEdit"), Edit("WidthEdit"), Edit("DepthEdit")}) {
                QCOMPARE(e->isEnabled(), rows[i].enclosed);
            }
            // The code is what is computed and saved.
            Button("ComputeButton")->click();
            QVERIFY(dialogs->shown.isEmpty());
            const QString path = folder.filePath(QString::number(i) + ".txt");
            dialogs->fileNames = {path};
            Button("SaveButton")->click();
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll().split('\n').value(1),
                     "Electrode configuration: " + QByteArray(rows[i].code) + "\r");
        }
    }

    void clothingWrapsAtSpacesOnly() {
        // Arcs from level 0 to level 4: every clothing line is shown once.
        FillLowVoltageExample();
        QStringList shown;
        for (const char* t : {"0.02", "0.12", "0.3", "0.7"}) {
            Edit("ArcTimeEdit")->setText(t);
            Edit("ArcTimeReducedEdit")->setText(t);
            Button("ComputeButton")->click();
            for (const char* n :
                 {"FullClothing1", "FullClothing2", "ReducedClothing1", "ReducedClothing2"}) {
                if (Label(n)->isVisible() && !Text(n).isEmpty()) shown << Text(n);
            }
        }
        QVERIFY(shown.filter("V-").size() >= 4);
        // Laid out in the label's font at every width the window might give it,
        // no line ends at the hyphen of "V-rated".
        const QFont font = Label("FullClothing1")->font();
        for (const QString& text : shown) {
            for (int width = 60; width < 600; width += 2) {
                QTextLayout layout(text, font);
                QTextOption option;
                option.setWrapMode(QTextOption::WordWrap);
                layout.setTextOption(option);
                layout.beginLayout();
                for (QTextLine line = layout.createLine(); line.isValid();
                     line = layout.createLine()) {
                    line.setLineWidth(width);
                    const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
                    QVERIFY2(!part.endsWith('-'), qPrintable(QString::number(width) + ": " + part));
                }
                layout.endLayout();
            }
        }
    }
};

QTEST_MAIN(Ieee2018WindowTest)
#include "ieee2018_window_test.moc"

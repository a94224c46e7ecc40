// SPDX-License-Identifier: GPL-3.0-or-later
// The DC arc flash window, driven by its control names under the offscreen
// platform with the dialogs faked: both methods of the facts sheet's E2
// side by side, a refusal and a method refused alone, the report block byte
// for byte, the label of each method, results cleared by any change of an
// input, a duration assumed and one from a protective device.
#include "ui/dc_window.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "drive.h"
#include "fake_dialogs.h"
#include "ui/preview.h"
#include "ui/units_window.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

class DcWindowTest : public WindowTest {
    Q_OBJECT

public:
    DcWindowTest() : WindowTest({.start = true, .scriptedDialogs = true}) {}

private:
    TDcArcFlash* w = nullptr;

    QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(*w, name); }
    QComboBox* Box(const char* name) const { return Child<QComboBox>(*w, name); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*w, name); }
    QString Text(const char* label) const { return Child<QLabel>(*w, label)->text(); }

    // The facts sheet's E2: 500 V, 10 kA, 20 mm at 457.2 mm in open air, 2 s.
    void FillE2() {
        Box("BoxBox")->setCurrentIndex(0);
        Edit("VoltEdit")->setText("500");
        Edit("IbfEdit")->setText("10");
        Edit("GapEdit")->setText("20");
        Edit("WorkDistEdit")->setText("457.2");
        Edit("ArcTimeEdit")->setText("2");
    }

private slots:
    void init() {
        WindowTest::init();
        app->main().findChild<QAction*>("DcArcFlash1")->trigger();
        w = app->DcArcFlashIfMade();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(!app->main().isVisible());
    }
    void cleanup() {
        w = nullptr;
        WindowTest::cleanup();
    }

    void bothMethodsSideBySide() {
        FillE2();
        Button("ComputeButton")->click();
        QVERIFY(dialogs->shown.isEmpty());
        // clang-format off
        const struct { const char* row; const char* maxPower; const char* arcResistance; } rows[] = {
            // Maximum power: half of 10 kA at half of 500 V; arc resistance: the sheet's 8190.808 A at 90.45958 V.
            {"ArcCurrent", "5.00000",   "8.19081"},
            {"ArcVoltage", "250.00",    "90.46"},
            {"ArcOhms",    "0.05000",   "0.01104"},
            {"ArcPower",   "1250.000",  "740.937"},
            {"BoxFactor",  "1.000",     "1.000"},
            {"ArcTime",    "2",         "2"},
            // 23.920 and 13.48301 cal/cm2; 204.124 and 153.253 cm (80.4 and 60.3 inches).
            {"Energy",     "23.92",     "13.48"},
            {"Boundary",   "80",        "60"},
            {"Ppe",        "3",         "3"},
        };
        // clang-format on
        for (const auto& r : rows) {
            QCOMPARE(Text(qPrintable(QStringLiteral("MaxPower") + r.row)), QString(r.maxPower));
            QCOMPARE(Text(qPrintable(QStringLiteral("ArcResistance") + r.row)), QString(r.arcResistance));
        }
        // 500 V DC: NFPA 70E's band of 301 V to 1 kV; no prohibited approach.
        QCOMPARE(Text("LimitedApproach"), QStringLiteral("42"));
        QCOMPARE(Text("RestrictedApproach"), QStringLiteral("12"));
        QCOMPARE(Text("ProhibitedApproach"), QStringLiteral("N/A"));
        QCOMPARE(Text("ApproachNote"), QString());
        QCOMPARE(Text("Notes"), QString());
        QVERIFY(Button("SaveButton")->isEnabled());
        QVERIFY(Button("LabelButton")->isEnabled());
        // Any change of an input takes the results away.
        for (const char* field : {"VoltEdit", "IbfEdit", "SourceREdit", "GapEdit", "WorkDistEdit", "ArcTimeEdit"}) {
            Button("ComputeButton")->click();
            QVERIFY(!Text("ArcResistanceEnergy").isEmpty());
            Edit(field)->setText(Edit(field)->text() + "0");
            QVERIFY2(Text("ArcResistanceEnergy").isEmpty() && Text("MaxPowerEnergy").isEmpty(), field);
            QVERIFY(!Button("SaveButton")->isEnabled() && !Button("LabelButton")->isEnabled());
            FillE2();
            Edit("SourceREdit")->clear();
        }
    }

    void refusalsByMethod() {
        FillE2();
        Edit("VoltEdit")->clear();
        Button("ComputeButton")->click();
        // Both methods refuse alike: one message.
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Warning"));
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("Enter voltage value. "));
        QVERIFY(Text("MaxPowerEnergy").isEmpty());
        QVERIFY(!Button("SaveButton")->isEnabled());
        // A resistance beside the bolted current, and no gap: each method says its own.
        dialogs->Clear();
        FillE2();
        Edit("GapEdit")->clear();
        Button("ComputeButton")->click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("Arc resistance: Enter gap value (arc-resistance method). "));
        // The maximum-power method takes no gap: its results stand, and only its label can be made.
        QCOMPARE(Text("MaxPowerEnergy"), QStringLiteral("23.92"));
        QVERIFY(Text("ArcResistanceEnergy").isEmpty());
        QVERIFY(Button("SaveButton")->isEnabled());
        Box("LabelMethodBox")->setCurrentIndex(1);
        QVERIFY(!Button("LabelButton")->isEnabled());
        Box("LabelMethodBox")->setCurrentIndex(0);
        QVERIFY(Button("LabelButton")->isEnabled());
        // A distance outside the model's limits is its refusal, shown as a
        // warning like any other: no exception reaches the error box.
        dialogs->Clear();
        FillE2();
        Edit("WorkDistEdit")->setText(QStringLiteral("1e-300"));
        Button("ComputeButton")->click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Warning"));
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("Working distance must be from 100 mm to 100000 mm. "));
        QVERIFY(Text("MaxPowerEnergy").isEmpty() && Text("ArcResistanceEnergy").isEmpty());
    }

    void reportBlockByteForByte() {
        FillE2();
        Button("ComputeButton")->click();
        QTemporaryDir folder;
        const QString path = folder.filePath("dc.txt");
        dialogs->fileNames = {path};
        Button("SaveButton")->click();
        const QByteArray block =
            "Method: DC arc flash after NFPA 70E Annex D.5\r\n"
            "Enclosure: Open air\r\n"
            "System voltage (V DC): 500\r\n"
            "Available bolted current (kA): 10\r\n"
            "Source resistance (ohm): 0.05 (derived)\r\n"
            "Gap between conductors (mm): 20\r\n"
            "Working distance (mm): 457.2\r\n"
            "Maximum power: arcing current (kA): 5.00000\r\n"
            "Maximum power: arc voltage (V): 250.00\r\n"
            "Maximum power: arc resistance (ohm): 0.05000\r\n"
            "Maximum power: arc power (kW): 1250.000\r\n"
            "Maximum power: enclosure factor: 1.000\r\n"
            "Maximum power: arc duration (sec): 2\r\n"
            "Maximum power: incident energy exposure (cal/cm2): 23.92\r\n"
            "Maximum power: flash protection boundary (inches): 80\r\n"
            "Maximum power: level of PPE: 3\r\n"
            "Arc resistance: arcing current (kA): 8.19081\r\n"
            "Arc resistance: arc voltage (V): 90.46\r\n"
            "Arc resistance: arc resistance (ohm): 0.01104\r\n"
            "Arc resistance: arc power (kW): 740.937\r\n"
            "Arc resistance: enclosure factor: 1.000\r\n"
            "Arc resistance: arc duration (sec): 2\r\n"
            "Arc resistance: incident energy exposure (cal/cm2): 13.48\r\n"
            "Arc resistance: flash protection boundary (inches): 60\r\n"
            "Arc resistance: level of PPE: 3\r\n"
            "Limited approach boundary (inches): 42\r\n"
            "Restricted approach boundary (inches): 12\r\n"
            "Prohibited approach boundary (inches): N/A\r\n";
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), block);
    }

    void labelNamesDcAndTheMethod() {
        FillE2();
        Button("ComputeButton")->click();
        // clang-format off
        const struct { int method; const char* line; const char* energy; const char* boundary; } labels[] = {
            {0, "NFPA 70E D.5 DC, maximum power",  "23.92 cal/cm2", "80 inches"},
            {1, "NFPA 70E D.5 DC, arc resistance", "13.48 cal/cm2", "60 inches"},
        };
        // clang-format on
        for (const auto& l : labels) {
            Box("LabelMethodBox")->setCurrentIndex(l.method);
            Button("LabelButton")->click();
            TPreview& p = app->Preview();
            QVERIFY(p.isVisible());
            QVERIFY(!w->isVisible());
            QCOMPARE(p.Slot("Label8")->text(), QString(l.line));
            QCOMPARE(p.Slot("Label10")->text(), QStringLiteral("500 V DC "));
            QCOMPARE(p.Slot("Label11")->text(), QStringLiteral("N/A"));
            QCOMPARE(p.Slot("Label15")->text(), QString(l.energy));
            QCOMPARE(p.Slot("Label14")->text(), QString(l.boundary));
            QCOMPARE(p.Slot("Label16")->text(), QStringLiteral("3"));
            p.Button1->click();  // "Back" returns here
            QVERIFY(w->isVisible());
        }
    }

    // Without a duration or a device: 2 s, said beside the results; a
    // 48 V source's low risk said as well (the sheet's E5, by its resistance).
    void assumedDurationAndLowVoltageSaid() {
        Box("BoxBox")->setCurrentIndex(0);
        Edit("VoltEdit")->setText("48");
        Edit("SourceREdit")->setText("0.016");
        Edit("GapEdit")->setText("25");
        Edit("WorkDistEdit")->setText("457.2");
        Button("ComputeButton")->click();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Text("ArcResistanceArcCurrent"), QStringLiteral("0.01968"));
        QCOMPARE(Text("ArcResistanceArcTime"), QStringLiteral("2 (assumed)"));
        // The assumed duration is a caution, in red; what the energy of a
        // point at or below 150 V assumes is said apart, in the text's colour,
        // beside its PPE level.
        QCOMPARE(
            Text("Notes"),
            QStringLiteral("Arc duration: none typed and no protective device, 2 s assumed. "));
        QCOMPARE(TextColor(Child<QLabel>(*w, "Notes")), QColor(Qt::red));
        QCOMPARE(Text("VoltageNote"),
                 QStringLiteral("At or below 150 V DC an arc is hard to sustain; the energy "
                                "assumes it is sustained. "));
        QCOMPARE(TextColor(Child<QLabel>(*w, "VoltageNote")),
                 TextColor(Child<QLabel>(*w, "ArcResistancePpe")));
        QVERIFY(TextColor(Child<QLabel>(*w, "VoltageNote")) != QColor(Qt::red));
        // Below 50 V NFPA 70E's DC table specifies no approach boundary.
        QCOMPARE(Text("LimitedApproach"), QStringLiteral("N/A"));
        QCOMPARE(Text("ApproachNote"),
                 QStringLiteral("Shock approach boundaries: not specified below 50 V DC. "));
    }

    // NFPA 70E-2024 Table 130.4(E)(b) in the window and on the label, in
    // inches and in millimetres: the limited approach to a fixed part and
    // the restricted approach of 125 V (Avoid contact), 600 V, 2 kV and 20 kV.
    void approachBoundariesOfEachBandInTheWindowAndOnTheLabel() {
        struct Row {
            const char* volts;
            bool metric;
            const char *limited, *restricted;            // the window
            const char *labelLimited, *labelRestricted;  // the classic label
        };
        // clang-format off
        const Row rows[] = {
            {"125",   false, "42",   "Avoid contact", "42 inches",   "Avoid contact inches"},
            {"600",   false, "42",   "12",            "42 inches",   "12 inches"},
            {"2000",  true,  "1524", "432",           "1524 mm",     "432 mm"},
            {"20000", false, "96",   "33",            "96 inches",   "33 inches"},
            {"20000", true,  "2438", "838",           "2438 mm",     "838 mm"},
        };
        // clang-format on
        for (const Row& r : rows) {
            app->FormUnits()
                .findChild<QComboBox*>("FlashBound_units")
                ->setCurrentText(r.metric ? "mm" : "inches");
            QCOMPARE(app->Units().BoundaryUnit,
                     r.metric ? LengthUnit::Millimetres : LengthUnit::Inches);
            FillE2();
            Edit("VoltEdit")->setText(r.volts);
            Edit("IbfEdit")->setText("1");
            Button("ComputeButton")->click();
            QVERIFY2(dialogs->shown.isEmpty(), r.volts);
            QCOMPARE(Text("LimitedApproach"), QString(r.limited));
            QCOMPARE(Text("RestrictedApproach"), QString(r.restricted));
            QCOMPARE(Text("ProhibitedApproach"), QStringLiteral("N/A"));
            QCOMPARE(Text("ApproachNote"), QString());
            Box("LabelMethodBox")->setCurrentIndex(0);
            Button("LabelButton")->click();
            TPreview& p = app->Preview();
            QCOMPARE(p.Slot("Label30")->text(), QString(r.labelLimited));
            QCOMPARE(p.Slot("Label31")->text(), QString(r.labelRestricted));
            QCOMPARE(p.Slot("Label4")->text(), QStringLiteral("Available DC bolted current"));
            // 457.2 mm is 18 in: the working distance in the boundaries' unit.
            QCOMPARE(p.Slot("Label12")->text(), QString(r.metric ? "457 mm" : "18 inches"));
            p.Button1->click();
        }
    }

    // A relay with an instantaneous pickup of 5000 A: E2's 8191 A arc is
    // cleared by it; the maximum-power arc of exactly 5000 A is not (a
    // pickup acts above itself, never at it).
    void durationFromAProtectiveDevice() {
        FillE2();
        Box("DurationSourceBox")->setCurrentIndex(1);
        QVERIFY(!Edit("ArcTimeEdit")->isEnabled());
        Box("DeviceTypeBox")->setCurrentIndex(0);
        Edit("RelayPickupEdit")->setText("1000");
        Edit("RelayTimeDialEdit")->setText("1");
        Edit("RelayInstPickupEdit")->setText("5000");
        Button("ComputeButton")->click();
        QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.isEmpty() ? QString() : dialogs->shown[0].text));
        QVERIFY2(Text("ArcResistanceArcTime").endsWith(QStringLiteral("instantaneous")), qPrintable(Text("ArcResistanceArcTime")));
        QVERIFY2(!Text("MaxPowerArcTime").endsWith(QStringLiteral("instantaneous")), qPrintable(Text("MaxPowerArcTime")));
        // Far below the 13.48 cal/cm2 of 2 s.
        QVERIFY(Text("ArcResistanceEnergy").toDouble() < 1);
    }

    // The window keeps its size as results of every kind come and go: no
    // notes, notes by method, the longest clothing, the danger of no PPE,
    // a device's curve.
    void keepsItsSizeAsResultsComeAndGo() {
        struct Row {
            const char* what;
            const char* volts;
            const char* ohms;
            const char* seconds;
        };
        // clang-format off
        const Row rows[] = {
            {"E2, no notes",               "500",  "0.05",   "2"},
            {"E5, low risk and 2 s said",  "48",   "0.016",  ""},
            {"short, level 1",             "500",  "0.05",   "0.05"},
            {"no PPE protects",            "1000", "0.001",  "2"},
            {"arc not sustained by one",   "120",  "10",     "1"},
        };
        // clang-format on
        QTest::qWaitForWindowExposed(w);
        Box("BoxBox")->setCurrentIndex(0);
        Edit("GapEdit")->setText("20");
        Edit("WorkDistEdit")->setText("457.2");
        const QSize size = w->size();
        for (const Row& r : rows) {
            Edit("VoltEdit")->setText(r.volts);
            Edit("SourceREdit")->setText(r.ohms);
            Edit("ArcTimeEdit")->setText(r.seconds);
            Button("ComputeButton")->click();
            QVERIFY2(Button("SaveButton")->isEnabled(), r.what);
            QCoreApplication::processEvents();
            QVERIFY2(w->size() == size, qPrintable(QStringLiteral("%1: %2x%3, not %4x%5, notes %6")
                                                      .arg(r.what).arg(w->width()).arg(w->height())
                                                      .arg(size.width()).arg(size.height()).arg(Text("Notes"))));
            Edit("ArcTimeEdit")->setText("9");
            QCoreApplication::processEvents();
            QVERIFY2(w->size() == size, r.what);
        }
        // A device's picture and caution keep to the room the device's choice gave.
        Box("DurationSourceBox")->setCurrentIndex(1);
        Box("DeviceTypeBox")->setCurrentIndex(0);
        QCoreApplication::processEvents();
        const QSize deviceSize = w->size();
        Edit("RelayPickupEdit")->setText("0.5");
        Edit("RelayTimeDialEdit")->setText("25");
        Edit("RelayInstPickupEdit")->setText("0.05");
        Button("ComputeButton")->click();
        QVERIFY(Button("SaveButton")->isEnabled());
        QCoreApplication::processEvents();
        QCOMPARE(w->size(), deviceSize);
    }
};

QTEST_MAIN(DcWindowTest)
#include "dc_window_test.moc"

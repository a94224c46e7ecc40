// The window of the 2018 model, driven by its control names under the
// offscreen platform: reached from the Options menu, the equipment picker,
// a refusal, a result, the report block byte for byte, the label and the
// way back.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "fake_dialogs.h"
#include "ui/application.h"
#include "ui/ieee2018_window.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/units_window.h"
#include "ui/widgets.h"

using namespace zentavo;
using namespace zentavo::ui;

class Ieee2018WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeDialogs> dialogs;
    std::unique_ptr<Application> app;
    TIeee2018* w = nullptr;

    QString Text(const char* label) { return w->L(label)->text(); }
    bool Red(const char* label) { return TextColor(w->L(label)) == QColor(Qt::red); }

    // The standard's low-voltage example (Annex D.2).
    void FillLowVoltageExample() {
        w->ElectrodeBox->setCurrentIndex(0);
        w->VoltEdit->setText("480");
        w->IbfEdit->setText("45");
        w->GapEdit->setText("32");
        w->HeightEdit->setText("610");
        w->WidthEdit->setText("610");
        w->DepthEdit->setText("254");
        w->WorkDistEdit->setText("609.6");
        w->ArcTimeEdit->setText("0.0613");
        w->ArcTimeReducedEdit->setText("0.319");
    }

private slots:
    void init() {
        dialogs = std::make_unique<FakeDialogs>();
        app = std::make_unique<Application>(*dialogs);
        app->Start();
        auto* action = app->main().findChild<QAction*>("Ieee2018Model1");
        QVERIFY(action);
        action->trigger();
        w = FindIeee2018Window(app->main());
        QVERIFY(w);
    }
    void cleanup() {
        QVERIFY2(!dialogs->unexpected, "a dialog asked something the test did not script");
        w = nullptr;
        app.reset();
        dialogs.reset();
    }

    void replacesTheMainWindowAndGoesBack() {
        QVERIFY(w->isVisible());
        QVERIFY(!app->main().isVisible());
        QVERIFY(w->isWindow());
        // Its controls do not stand among the main window's, which share names.
        QCOMPARE(app->main().findChildren<QLineEdit*>("VoltEdit").size(), 1);
        QVERIFY(app->main().findChild<QLineEdit*>("VoltEdit") == app->main().VoltEdit);
        QVERIFY(!w->SaveButton->isEnabled());
        QVERIFY(!w->LabelButton->isEnabled());
        w->BackButton->click();
        QVERIFY(!w->isVisible());
        QVERIFY(app->main().isVisible());
    }

    void exitAsksFirst() {
        dialogs->answers = {false};
        w->ExitButton->click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Confirm"));
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("Do you wish to exit now?"));
        QVERIFY(w->isVisible());
        QVERIFY(!app->quitRequested());
    }

    void pickerFillsTypicalValuesThatStayEditable() {
        // Chosen with the keyboard: from the low-voltage switchgear one down to
        // the shallow low-voltage MCCs and panelboards.
        w->EquipmentBox->setCurrentIndex(5);
        QTest::keyClick(w->EquipmentBox, Qt::Key_Down);
        QCOMPARE(w->EquipmentBox->currentIndex(), 6);
        QCOMPARE(w->GapEdit->text(), QStringLiteral("25"));
        QCOMPARE(w->HeightEdit->text(), QStringLiteral("355.6"));
        QCOMPARE(w->WidthEdit->text(), QStringLiteral("304.8"));
        QCOMPARE(w->DepthEdit->text(), QStringLiteral("203.2"));
        QCOMPARE(w->WorkDistEdit->text(), QStringLiteral("457.2"));
        QCOMPARE(w->ElectrodeBox->currentText(), QStringLiteral("VCB"));
        QVERIFY(!w->GapEdit->isReadOnly());

        // Edited after picking: the edit counts, and the enclosure is shallow at 480 V.
        w->ElectrodeBox->setCurrentIndex(2);  // HCB
        w->VoltEdit->setText("480");
        w->IbfEdit->setText("20");
        w->ArcTimeEdit->setText("0.1");
        w->ArcTimeReducedEdit->setText("0.1");
        w->ComputeButton->click();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Text("EnclosureType"), QStringLiteral("Shallow"));

        w->EquipmentBox->setCurrentIndex(2);  // 5 kV switchgear
        emit w->EquipmentBox->activated(2);
        QCOMPARE(w->GapEdit->text(), QStringLiteral("104"));
        QCOMPARE(w->HeightEdit->text(), QStringLiteral("914.4"));
        QCOMPARE(w->WorkDistEdit->text(), QStringLiteral("914.4"));
        QCOMPARE(w->ElectrodeBox->currentText(), QStringLiteral("VCB"));
    }

    void inputUnitsFollowTheUnitsWindow() {
        FillLowVoltageExample();
        w->ComputeButton->click();
        QCOMPARE(Text("FullEnergy"), QStringLiteral("2.77"));
        w->BackButton->click();
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
        QVERIFY(!w->SaveButton->isEnabled());

        w->EquipmentBox->setCurrentIndex(5);  // low-voltage switchgear
        emit w->EquipmentBox->activated(5);
        QCOMPARE(w->GapEdit->text(), QStringLiteral("1.2598"));
        QCOMPARE(w->HeightEdit->text(), QStringLiteral("20"));
        QCOMPARE(w->WorkDistEdit->text(), QStringLiteral("24"));
        // The standard's example typed in inches: 24 in is its 609.6 mm.
        w->GapEdit->setText("1.25984251968504");
        w->HeightEdit->setText("24.0157480314961");
        w->WidthEdit->setText("24.0157480314961");
        w->DepthEdit->setText("10");
        w->VoltEdit->setText("480");
        w->IbfEdit->setText("45");
        w->ArcTimeEdit->setText("0.0613");
        w->ArcTimeReducedEdit->setText("0.319");
        w->ComputeButton->click();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Text("FullEnergy"), QStringLiteral("11.58"));
        QCOMPARE(Text("ReducedEnergy"), QStringLiteral("53.16"));
    }

    void refusalsInOneWarningBox() {
        FillLowVoltageExample();
        w->VoltEdit->setText("100");
        w->WorkDistEdit->setText("300");
        w->ComputeButton->click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Warning"));
        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral("Voltage below 208 V. Working distance below 305 mm. "));
        QCOMPARE(Text("FullEnergy"), QString());
        QVERIFY(!w->SaveButton->isEnabled());

        dialogs->Clear();
        w->IbfEdit->setText("abc");
        w->ComputeButton->click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral("'abc' is not a valid floating point value"));
    }

    void enterComputesBothCasesGoverningInRed() {
        FillLowVoltageExample();
        QTest::keyClick(w->ArcTimeReducedEdit, Qt::Key_Return);
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
        QVERIFY(w->L("ReducedEnergy")->font().bold());
        QVERIFY(!w->L("FullEnergy")->font().bold());
        QCOMPARE(Text("EnergyCaption"), QStringLiteral("Incident energy exposure (cal/cm2):"));

        // A full case that governs turns the colours round.
        w->ArcTimeReducedEdit->setText("0.01");
        w->ComputeButton->click();
        QVERIFY(Red("FullEnergy") && !Red("ReducedEnergy"));
        QCOMPARE(Text("GoverningCase"), QStringLiteral("arcing current"));
    }

    void reportBlockByteForByteAndAppended() {
        FillLowVoltageExample();
        w->ComputeButton->click();
        QTemporaryDir dir;
        const QString path = dir.filePath("report.txt");
        dialogs->fileNames = {path, path};
        w->SaveButton->click();
        // Edited after "Compute": the report still names the inputs of its results.
        w->VoltEdit->setText("600");
        w->GapEdit->setText("25");
        w->SaveButton->click();
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
        w->ElectrodeBox->setCurrentIndex(3);  // VOA
        w->HeightEdit->setText("not read");
        w->ComputeButton->click();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Text("EnclosureType"), QStringLiteral("Open air"));
        QCOMPARE(Text("LimitedApproach"), QStringLiteral("120"));
        QTemporaryDir dir;
        const QString path = dir.filePath("open.txt");
        dialogs->fileNames = {path};
        w->SaveButton->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines[3], QByteArray("Enclosure: none (open air)\r"));
        QCOMPARE(lines[4], QByteArray("Enclosure type: Open air\r"));
    }

    void labelShowsTheGoverningCase() {
        FillLowVoltageExample();
        w->ComputeButton->click();
        w->LabelButton->click();
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
};

QTEST_MAIN(Ieee2018WindowTest)
#include "ieee2018_window_test.moc"

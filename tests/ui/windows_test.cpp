// SPDX-License-Identifier: GPL-3.0-or-later
// The real windows driven by their control names under the offscreen platform.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "fake_dialogs.h"
#include "ui/about.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

class WindowsTest : public WindowTest {
    Q_OBJECT

public:
    WindowsTest() : WindowTest({.start = true, .scriptedDialogs = true}) {}

private:
    Tmain& M() { return app->main(); }
    TSecond& S() { return app->Second(); }
    TThird& T() { return app->Third(); }
    QString Text(const char* label) { return T().L(label)->text(); }
    bool Red(const char* label) { return TextColor(T().L(label)) == QColor(Qt::red); }
    bool Bold(const char* label) { return T().L(label)->font().bold(); }
    bool Shown(const char* label) { return T().L(label)->isVisibleTo(&T()); }

    void FillEmpirical(const QString& volt, const QString& ibf, const QString& gap,
                       const QString& wd, int cls = 1, int ground = 1) {
        M().VoltEdit->setText(volt);
        M().IbfEdit->setText(ibf);
        M().GapEdit->setText(gap);
        M().WorkDistEdit->setText(wd);
        M().EquipClassBox->setCurrentIndex(cls);
        M().GroundGroup->setItemIndex(ground);
    }
    void ToResults(const QString& t1, const QString& t2) {
        M().Calc1->click();
        QVERIFY(S().isVisible());
        S().t1Edit->setText(t1);
        S().Edit2->setText(t2);
        S().Button2->click();
    }
    QStringList Kinds() {
        QStringList k;
        for (const auto& s : dialogs->shown) k << s.kind;
        return k;
    }

private slots:
    void startsWithTheMainWindowAlone() {
        QVERIFY(M().isVisible());
        for (QWidget* w : std::initializer_list<QWidget*>{&S(), &T()}) QVERIFY(!w->isVisible());
        QCOMPARE(M().windowTitle(), QStringLiteral("Zentavo"));
        QCOMPARE(M().PageControl1->currentIndex(), 0);
        QCOMPARE(M().Label12->text(), QStringLiteral("IEEE 1584 Empirical Model"));
        QCOMPARE(M().EquipClassBox->currentIndex(), -1);
        QCOMPARE(M().EquipClassBox->placeholderText(), QStringLiteral("Please select a class"));
        QCOMPARE(M().focusWidget(), static_cast<QWidget*>(M().EquipClassBox));
        QCOMPARE(M().GroundGroup->itemIndex(), 0);
        for (QLineEdit* e : {M().VoltEdit, M().IbfEdit, M().GapEdit, M().WorkDistEdit}) {
            QVERIFY(e->text().isEmpty());
        }
        QCOMPARE(M().Fuse_Gap->text(), QStringLiteral("32"));
        QCOMPARE(M().Fuse_Volt->text(), QStringLiteral("600"));
        QCOMPARE(M().CB_Gap->text(), QStringLiteral("25"));
        QCOMPARE(M().Breakertype->currentText(), QStringLiteral("MCCB-100-400\t   "));
        QCOMPARE(M().Breakertype->itemText(5), QStringLiteral("LVPCB-800-6300-LS"));
        QVERIFY(!M().Fuse_Gap->isEnabled());
        QVERIFY(!M().RadioGroup2->isVisibleTo(&M()));
        QCOMPARE(app->state().LabelLineCount, 7);
        QVERIFY(app->state().LabelInColor);
        QCOMPARE(app->state().IncidentEnergy, 0.0);
        QCOMPARE(T().windowTitle(), QStringLiteral("ZENTAVO: results"));
        QVERIFY(dialogs->shown.isEmpty());
    }

    void activeModelFollowsTheTab() {
        M().PageControl1->setCurrentIndex(1);
        QCOMPARE(M().Label12->text(), QStringLiteral("IEEE1584 Fuse Equations"));
        M().PageControl1->setCurrentIndex(2);
        QCOMPARE(M().Label12->text(), QStringLiteral("Low Voltage Circuit Breakers"));
    }

    void refusedInputsShowOneWarningAndStay() {
        M().GroundGroup->setItemIndex(-1);
        M().Calc1->click();
        QCOMPARE(Kinds(), QStringList{"Warning"});
        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral("Voltage out of range. Invalid bolted current. Enter Gap value"
                                "Working distance is not within allowed limits.  Equipment class "
                                "not selected. Grounding type not set."));
        QVERIFY(M().isVisible());
        QVERIFY(!S().isVisible());
    }

    void aTextThatIsNotANumberGoesToTheErrorBox() {
        FillEmpirical("480", "abc", "32", "455");
        M().Calc1->click();
        QCOMPARE(Kinds(), QStringList{"Error"});
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("'abc' is not a valid floating point value"));
        QCOMPARE(app->state().Voltage, 480.0);
        QVERIFY(M().isVisible());
    }

    void empiricalModelEndToEnd() {
        FillEmpirical("480", "20", "32", "455");
        M().Calc1->click();
        QVERIFY(!M().isVisible());
        QVERIFY(S().isVisible());
        QCOMPARE(S().windowTitle(), QStringLiteral("ZENTAVO: intermediate results"));
        QCOMPARE(S().IaEdit->text(), QStringLiteral("11.22"));
        QCOMPARE(S().Ia15Edit->text(), QStringLiteral("9.53"));
        QCOMPARE(S().Label1->text(), QStringLiteral("mm"));
        QCOMPARE(S().focusWidget(), static_cast<QWidget*>(S().t1Edit));
        QCOMPARE(S().VoltEdit->text(), QStringLiteral("480"));
        QCOMPARE(S().EquipClassBox->currentIndex(), 1);
        QVERIFY(S().GroupBox4->isVisibleTo(&S()));

        // Both durations missing: the joined messages, and the window stays.
        S().Button2->click();
        QCOMPARE(Kinds(), QStringList{"Warning"});
        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral("Enter valid arcing time. Arcing time should not exceed 2 seconds. "
                                "Enter valid arcing time for reduced current"));
        QVERIFY(S().isVisible());

        S().t1Edit->setText("0.2");
        S().Edit2->setText("0.25");
        S().Button2->click();
        QVERIFY(!S().isVisible());
        QVERIFY(T().isVisible());
        QCOMPARE(T().SummaryCaption(),
                 QStringLiteral("Calculations based on the IEEE 1584 empirical model"));
        QCOMPARE(Text("Label32"), QStringLiteral("Switchgear"));
        QCOMPARE(Text("Label18"), QStringLiteral("Grounded"));
        QCOMPARE(Text("Label20"), QStringLiteral("0.2"));
        QCOMPARE(Text("Label21"), QStringLiteral("0.25"));
        QCOMPARE(Text("Label23"), QStringLiteral("11.22"));
        QCOMPARE(Text("Label4"), QStringLiteral("Arc Duration @ Predicted Arc Current (sec):"));
        QCOMPARE(Text("Label9"), QStringLiteral("Calculation results (100% arcing current):"));
        QCOMPARE(T().L("Label9")->x(), 457);
        QCOMPARE(Text("Label36"), QStringLiteral("42"));
        QCOMPARE(Text("Label37"), QStringLiteral("12"));
        QCOMPARE(Text("Label38"), QStringLiteral("1"));
        QVERIFY(Shown("Label28") && Shown("Label16"));
        QVERIFY(!Shown("Label47"));
        // With the check boxes off no pressure or TNT row is visible.
        for (const char* l : {"Label43", "Label45", "Label44", "Label46", "Label39", "Label41",
                              "Label40", "Label42"}) {
            QVERIFY2(!Shown(l), l);
        }
        // 0.25 s at 85 % gives more energy than 0.2 s at 100 %: the reduced case governs.
        QCOMPARE(Text("Label25"), QStringLiteral("7.34"));
        QCOMPARE(Text("Label28"), QStringLiteral("7.69"));
        QVERIFY(Red("Label16") && Red("Label28") && Bold("Label28") && Bold("Label13"));
        QVERIFY(!Red("Label9") && !Red("Label25") && !Bold("Label25") && !Bold("Label10"));
        QCOMPARE(Text("Label27"), QStringLiteral("2"));
        QCOMPARE(Text("Label50"),
                 QStringLiteral("FR shirt and pants, face shield, hard hat, ear canal inserts,  V-rated"));
        QCOMPARE(T().L("Label50")->x(), 24);
        QVERIFY(Bold("Cl_label") && Bold("Label60"));  // equal levels: both captions bold
        QCOMPARE(T().focusWidget(), static_cast<QWidget*>(T().Button2));

        // Back to the intermediate window, other durations: the full case governs now.
        T().Button1->click();
        QVERIFY(S().isVisible());
        QCOMPARE(S().focusWidget(), static_cast<QWidget*>(S().Button2));
        S().Edit2->setText("0.1");
        S().CheckBox1->setChecked(true);
        S().CheckBox2->setChecked(true);
        S().Button2->click();
        QVERIFY(Red("Label9") && Red("Label25") && Bold("Label25") && Bold("Label10"));
        QVERIFY(!Red("Label16") && !Red("Label28") && !Bold("Label28") && !Bold("Label13"));
        for (const char* l : {"Label43", "Label45", "Label44", "Label46", "Label39", "Label41",
                              "Label40", "Label42"}) {
            QVERIFY2(Shown(l), l);
        }
        QCOMPARE(T().L("Label45")->y(), 63);
        QCOMPARE(T().L("Label46")->y(), 81);
        QCOMPARE(T().L("Label41")->y(), 66);
        QCOMPARE(T().L("Label42")->y(), 85);
        QVERIFY(Bold("Label45") && !Bold("Label41"));  // larger pressure at full current

        // Pressure only: its rows move to the top.
        T().Button1->click();
        S().CheckBox2->setChecked(false);
        S().Button2->click();
        QVERIFY(Shown("Label45") && !Shown("Label46"));
        QCOMPARE(T().L("Label45")->y(), 63);
        QVERIFY(dialogs->shown.size() == 1);
    }

    void theoreticallyDerivedCaseShowsOnlyTheFullCurrent() {
        FillEmpirical("20000", "10", "32", "910");
        M().Calc1->click();
        QVERIFY(S().isVisible());
        QCOMPARE(S().GroupBox3->pos(), QPoint(146, 279));
        QVERIFY(!S().GroupBox1->isVisibleTo(&S()));
        QVERIFY(!S().GroupBox4->isVisibleTo(&S()));
        QVERIFY(!S().GroupBox5->isVisibleTo(&S()));
        QVERIFY(!S().CheckBox2->isEnabled());
        QVERIFY(app->state().ReducedCaseOff);
        S().t1Edit->setText("0.5");
        S().Button2->click();  // no reduced duration needed
        QVERIFY(T().isVisible());
        QCOMPARE(Text("Label25"), QStringLiteral("61.82"));
        QCOMPARE(Text("Label4"), QStringLiteral("Arc Duration (sec):"));
        QCOMPARE(Text("Label9"), QStringLiteral("Calculation results:"));
        QCOMPARE(T().L("Label9")->x(), 507);
        QCOMPARE(T().L("Label6")->y(), 182);
        QVERIFY(!Shown("Label28") && !Shown("Label16") && !Shown("Label23") && !Shown("Label21"));
        QVERIFY(Shown("Label22"));
        QCOMPARE(Text("Label27"), QStringLiteral("N/A"));
        QCOMPARE(Text("Label50"), QStringLiteral("Consult PPE Manufacturer"));
        QCOMPARE(T().L("Label50")->x(), 120);
        QVERIFY(!Shown("Label53"));
        QCOMPARE(Text("Label36"), QStringLiteral("72"));
        QVERIFY(dialogs->shown.isEmpty());
    }

    void fuseEquationsGoStraightToTheResults() {
        M().PageControl1->setCurrentIndex(1);
        M().Fuse_Ibolt->setText("1");
        M().Fuse_Work_Dist->setText("455");
        M().Calc1->click();
        QVERIFY(dialogs->shown.isEmpty());
        QVERIFY(!M().isVisible());
        QVERIFY(T().isVisible());
        QCOMPARE(T().SummaryCaption(), QString());
        QVERIFY(Shown("StaticText1"));
        QCOMPARE(Text("Label48"), QStringLiteral("Class RK1 Fuse, 0 A to 100 A"));
        QCOMPARE(T().L("Label48")->x(), 184);
        QVERIFY(Shown("Label47") && !Shown("Label4") && !Shown("Label23"));
        QCOMPARE(Text("Label23"), QStringLiteral("0.95"));
        QCOMPARE(Text("Label24"), QStringLiteral("600"));
        QCOMPARE(Text("Label18"), QStringLiteral("Grounded"));
        QCOMPARE(Text("Label25"), QStringLiteral("2.39"));
        QCOMPARE(Text("Label26"), QStringLiteral("29"));
        QCOMPARE(Text("Label9"), QStringLiteral("Calculation results:"));
        QVERIFY(Red("Label9") && Red("Label25") && Bold("Label25") && Bold("Cl_label"));
        QVERIFY(!Shown("Label45") && !Shown("Label46") && !Shown("Label16"));
        QVERIFY(T().findChild<QWidget*>("Panel6")->isVisibleTo(&T()));
        QCOMPARE(T().focusWidget(), static_cast<QWidget*>(T().Button2));
        T().Button1->click();
        QVERIFY(M().isVisible());

        // A fuse without an equation for so low a current: a warning, no results.
        M().FuseClass->setCurrentIndex(1);
        M().Calc1->click();
        QCOMPARE(Kinds(), QStringList{"Warning"});
        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral("Use IEEE 1584 Empirical Model for such a low bolted fault current value."));
        QVERIFY(M().isVisible() && !T().isVisible());
    }

    void breakerEquationsAndTheirRefusals() {
        M().PageControl1->setCurrentIndex(2);
        M().CB_volt->setText("480");
        M().CB_Ibolt->setText("20");
        M().CB_workdist->setText("460");
        M().ir_edit->setText("19.99");
        M().it_edit->setText("2");
        M().Calc1->click();
        QCOMPARE(dialogs->shown.value(0).text,
                 QStringLiteral("Available bolted fault current is higher than breaker interrupting rating."));
        M().ir_edit->setText("20");
        M().it_edit->setText("20");
        M().Calc1->click();
        QVERIFY(dialogs->shown.value(1).text.startsWith("Predicted arcing current is less than"));
        QVERIFY(M().isVisible());
        M().it_edit->setText("2");
        M().Calc1->click();
        QCOMPARE(dialogs->shown.size(), 2);
        QVERIFY(T().isVisible());
        QCOMPARE(T().SummaryCaption(), QStringLiteral("Low Voltage Circuit Breakers Calculations"));
        QCOMPARE(Text("Label48"), QStringLiteral("MCCB-100-400\t   "));
        QCOMPARE(T().L("Label48")->x(), 230);
        QCOMPARE(Text("Label25"), QStringLiteral("1.04"));
        QCOMPARE(Text("Label26"), QStringLiteral("15"));
        QCOMPARE(Text("Label27"), QStringLiteral("0"));
        QVERIFY(!Shown("StaticText1"));
        QVERIFY(T().findChild<QWidget*>("Panel7")->isVisibleTo(&T()));
        T().Button1->click();
        QVERIFY(M().isVisible() && !T().isVisible());
    }

    // Pressure and TNT rows: a row shown alone takes the top place; a hidden
    // row keeps its own, so the rows shown again after the label preview
    // never lie on each other.
    void pressureAndTntRowsKeepApart_data() {
        QTest::addColumn<bool>("pressure");
        QTest::addColumn<bool>("tnt");
        QTest::addColumn<int>("tntTop");
        QTest::addColumn<int>("tntTopReduced");
        QTest::newRow("neither") << false << false << 81 << 85;
        QTest::newRow("pressure only") << true << false << 81 << 85;
        QTest::newRow("TNT only") << false << true << 63 << 66;
        QTest::newRow("both") << true << true << 81 << 85;
    }
    void pressureAndTntRowsKeepApart() {
        QFETCH(bool, pressure);
        QFETCH(bool, tnt);
        QFETCH(int, tntTop);
        QFETCH(int, tntTopReduced);
        FillEmpirical("480", "20", "32", "455");
        M().Calc1->click();
        S().CheckBox1->setChecked(pressure);
        S().CheckBox2->setChecked(tnt);
        S().t1Edit->setText("0.2");
        S().Edit2->setText("0.2");
        S().Button2->click();
        for (const char* n : {"Label43", "Label45"}) QCOMPARE(T().L(n)->y(), 63);
        for (const char* n : {"Label39", "Label41"}) QCOMPARE(T().L(n)->y(), 66);
        for (const char* n : {"Label44", "Label46"}) QCOMPARE(T().L(n)->y(), tntTop);
        for (const char* n : {"Label40", "Label42"}) QCOMPARE(T().L(n)->y(), tntTopReduced);
        for (const char* n : {"Label43", "Label45", "Label39", "Label41"}) QCOMPARE(Shown(n), pressure);
        for (const char* n : {"Label44", "Label46", "Label40", "Label42"}) QCOMPARE(Shown(n), tnt);
        // Create label, then Back: the TNT rows follow the voltage and are shown.
        T().Button2->click();
        app->Preview().Button1->click();
        for (const char* n : {"Label44", "Label46", "Label40", "Label42"}) QVERIFY(Shown(n));
        for (const char* n : {"Label43", "Label45", "Label39", "Label41"}) QCOMPARE(Shown(n), pressure);
        if (pressure) QVERIFY(T().L("Label44")->y() >= T().L("Label43")->y() + T().L("Label43")->height());
    }
    // A wide gap below 15 kV computes one case: shown again from the preview,
    // the window still speaks of one case and shows no TNT row.
    void wideGapShownAgainFromThePreviewKeepsOneCase() {
        FillEmpirical("13800", "20", "153", "455");
        M().Calc1->click();
        S().t1Edit->setText("0.2");
        S().Button2->click();
        QCOMPARE(Text("Label9"), QStringLiteral("Calculation results:"));
        T().Button2->click();
        app->Preview().Button1->click();
        QCOMPARE(Text("Label9"), QStringLiteral("Calculation results:"));
        for (const char* n : {"Label44", "Label46", "Label40", "Label42"}) QVERIFY(!Shown(n));
    }

    void backFromTheIntermediateWindowFocusesNext() {
        FillEmpirical("480", "20", "32", "455");
        M().Calc1->click();
        S().Button1->click();
        QVERIFY(M().isVisible() && !S().isVisible());
        QCOMPARE(M().focusWidget(), static_cast<QWidget*>(M().Calc1));
        QCOMPARE(M().VoltEdit->text(), QStringLiteral("480"));
    }

    void exitAsksFirst_data() {
        QTest::addColumn<int>("window");
        QTest::newRow("main") << 0;
        QTest::newRow("intermediate") << 1;
        QTest::newRow("results") << 2;
    }
    void exitAsksFirst() {
        QFETCH(int, window);
        QPushButton* exit = M().BitBtn1;
        if (window > 0) {
            FillEmpirical("480", "20", "32", "455");
            M().Calc1->click();
            exit = S().BitBtn1;
        }
        if (window > 1) {
            S().t1Edit->setText("0.2");
            S().Edit2->setText("0.2");
            S().Button2->click();
            exit = T().BitBtn1;
        }
        QWidget* shown = exit->window();
        dialogs->answers = {false};
        exit->click();
        QCOMPARE(Kinds(), QStringList{"Confirm"});
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("Do you wish to exit now?"));
        QVERIFY(!app->quitRequested());
        QVERIFY(shown->isVisible());
        dialogs->answers = {true};
        exit->click();
        QCOMPARE(Kinds(), (QStringList{"Confirm", "Confirm", "Information"}));
        QCOMPARE(dialogs->shown[2].text, QStringLiteral("Thank you for using Zentavo"));
        QVERIFY(app->quitRequested());
    }

    void closingTheMainWindowEndsWithoutAsking() {
        M().close();
        QVERIFY(app->quitRequested());
        QVERIFY(dialogs->shown.isEmpty());
    }

    void helpContentsAsksTheDesktopToOpenTheHelpFile() {
        M().findChild<QAction*>("Contents1")->trigger();
        QCOMPARE(dialogs->openedDocuments.size(), 1);
        QCOMPARE(dialogs->openedDocuments[0], QDir::current().absoluteFilePath("zentavo.hlp"));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // The box names the version, both editions and the licence.
    void aboutBoxShowsTheVersionAndClosesWithOk() {
        bool sawVersion = false;
        QString notice;
        Tabout& box = app->about();
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (!box.isVisible()) return;
            sawVersion = box.isModal() &&
                         box.findChild<QLabel*>("Version")->text().startsWith("Version ");
            notice = box.findChild<QLabel*>("LegalNotice")->text();
            box.findChild<QPushButton*>("OKButton")->click();
        });
        poll.start(10);
        M().findChild<QAction*>("About1")->trigger();
        QVERIFY(sawVersion);
        QVERIFY(!box.isVisible());
        for (const char* words : {"IEEE 1584-2002", "IEEE 1584-2018",
                                  "GNU General Public License, version 3 or later"}) {
            QVERIFY2(notice.contains(QLatin1String(words)), words);
        }
        QVERIFY(!notice.contains(QStringLiteral("All rights reserved")));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"

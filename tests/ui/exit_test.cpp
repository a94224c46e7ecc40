// SPDX-License-Identifier: GPL-3.0-or-later
// Leaving the program for real: the application's event loop runs, the exit
// control of a window is pressed, the question is answered Yes, and the loop
// must end with status 0 within a short bound, whatever window was showing.
#include <QAction>
#include <QComboBox>
#include <QTabWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "drive.h"
#include "fake_dialogs.h"
#include "ui/application.h"
#include "ui/ieee2018_window.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo::ui;

class ExitTest : public WindowTest {
    Q_OBJECT

public:
    ExitTest() : WindowTest({.start = true}) {}

private:
    void ToSecond() {
        ToIntermediate(*app);
        QVERIFY(app->Second().isVisible());
    }
    void ToThird() {
        ToResults(*app);
        QVERIFY(app->Third().isVisible());
    }

    // Runs the program's event loop, presses `exit` in it, and expects the
    // loop to end by itself with status 0 and `window` closed.
    void ExpectExit(QWidget* window, const std::function<void()>& exit, bool asks = true) {
        QVERIFY(window->isVisible());
        bool overdue = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            overdue = true;
            QCoreApplication::exit(3);  // the test fails instead of hanging
        });
        watchdog.start(5000);
        QTimer::singleShot(0, window, exit);
        const int status = QApplication::exec();
        QVERIFY2(!overdue, "the event loop was still running 5 s after the exit was confirmed");
        QCOMPARE(status, 0);
        QVERIFY(app->quitRequested());
        QVERIFY2(!window->isVisible(), "the window stayed open");
        QStringList kinds;
        for (const auto& s : dialogs->shown) kinds << s.kind + ": " + s.text;
        const QStringList expected =
            asks ? QStringList{"Confirm: Do you wish to exit now?", "Information: Thank you for using Zentavo"}
                 : QStringList{};
        QCOMPARE(kinds, expected);
    }

private slots:
    void init() {
        WindowTest::init();
        dialogs->answers = {true};  // each exit is confirmed
    }

    void fileExitOfTheMainWindow() {
        QAction* exit = app->main().findChild<QAction*>("Exit1");
        QVERIFY(exit);
        ExpectExit(&app->main(), [exit] { exit->trigger(); });
    }
    void exitButtonOfTheMainWindow() {
        ExpectExit(&app->main(), [this] { app->main().BitBtn1->click(); });
    }
    void mainWindowClosedByItsFrame() {
        ExpectExit(&app->main(), [this] { app->main().close(); }, false);
    }
    void exitButtonOfTheIntermediateWindow() {
        ToSecond();
        ExpectExit(&app->Second(), [this] { app->Second().BitBtn1->click(); });
    }
    void exitButtonOfTheResultsWindow() {
        ToThird();
        ExpectExit(&app->Third(), [this] { app->Third().BitBtn1->click(); });
    }
    void exitButtonOfTheResultsWindowForTheFuseEquations() {
        Tmain& m = app->main();
        m.PageControl1->setCurrentIndex(1);
        m.Fuse_Work_Dist->setText("455");
        m.Fuse_Ibolt->setText("20");
        m.Calc1->click();
        ExpectExit(&app->Third(), [this] { app->Third().BitBtn1->click(); });
    }
    void exitButtonOfTheLabelPreview() {
        ToThird();
        app->Third().Button2->click();
        ExpectExit(&app->Preview(), [this] { app->Preview().BitBtn1->click(); });
    }
    void exitButtonOfThe2018Window() {
        app->main().findChild<QAction*>("Ieee2018Model1")->trigger();
        auto* window = app->Ieee2018IfMade();
        QVERIFY(window);
        ExpectExit(window, [window] { Child<QPushButton>(*window, "BitBtn1")->click(); });
    }
    // "No" keeps the program running: the loop is ended by the test itself.
    void answeringNoKeepsTheWindowOpen() {
        dialogs->answers = {false};
        ToSecond();
        bool stillOpen = false;
        QTimer::singleShot(0, [this] { app->Second().BitBtn1->click(); });
        QTimer::singleShot(300, [&] {
            stillOpen = app->Second().isVisible();
            QCoreApplication::exit(7);
        });
        QCOMPARE(QApplication::exec(), 7);
        QVERIFY(stillOpen);
        QVERIFY(!app->quitRequested());
    }
};

QTEST_MAIN(ExitTest)
#include "exit_test.moc"

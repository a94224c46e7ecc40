// SPDX-License-Identifier: GPL-3.0-or-later
// Ways through the windows that several window tests take.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>

#include "fake_dialogs.h"
#include "ui/about.h"
#include "ui/application.h"
#include "ui/dc_window.h"
#include "ui/formedit.h"
#include "ui/ieee2018_window.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/study_export_dialog.h"
#include "ui/study_window.h"
#include "ui/units_window.h"

namespace zentavo::ui {

// The control of `window` with the object name `name`, found as the user's
// tools find it; a control that is not there ends the run with its name.
template <class Control>
Control* Child(const QObject& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    if (!control) qFatal("No control named %s", name);
    return control;
}

// A switchgear at 480 V, 20 kA, 32 mm gap, 455 mm working distance on the empirical tab.
inline void FillEmpirical(Tmain& m) {
    m.EquipClassBox->setCurrentIndex(1);
    m.GapEdit->setText("32");
    m.WorkDistEdit->setText("455");
    m.IbfEdit->setText("20");
    m.VoltEdit->setText("480");
}

// From the main window to the intermediate window with those inputs.
inline void ToIntermediate(Application& app) {
    FillEmpirical(app.main());
    app.main().Calc1->click();
}

// On to the results window, with arcs of 0.2 s.
inline void ToResults(Application& app) {
    ToIntermediate(app);
    app.Second().t1Edit->setText("0.2");
    app.Second().Edit2->setText("0.2");
    app.Second().Button2->click();
}

// Every window of the program, by the names OpenWindow knows them by.
inline const QStringList kWindowNames = {"main window", "units",   "label options", "editor",   "intermediate",
                                         "results",     "preview", "study",         "2018 window", "DC window"};

// Those, with the results of the fuse and breaker equations, the about box,
// the study with its time-current curve beside the table, and the study's
// Labels… and Report… dialog: everything the program shows.
inline const QStringList kAllWindowNames =
    kWindowNames + QStringList{"fuse results", "breaker results", "about",
                               "study curve",  "study export",    "study labels"};

// What `check(window, name)` finds in `w`, page by page for a window with
// tabs (each tab shown as the user sees it, named "window, tab …").
template <class Check>
QStringList ProblemsOnEveryTab(QWidget* w, const QString& name, Check check) {
    const QList<QTabWidget*> tabs = w->findChildren<QTabWidget*>();
    if (tabs.isEmpty()) return check(w, name);
    QStringList problems;
    for (int i = 0; i < tabs.first()->count(); ++i) {
        tabs.first()->setCurrentIndex(i);
        problems += check(w, name + QStringLiteral(", tab ") + tabs.first()->tabText(i));
    }
    return problems;
}

// Closes the study windows a test left open, their changes let go, and
// deletes what waits for deletion, before the application object goes.
inline void CloseStudyWindows() {
    for (TStudy* w : OpenStudyWindows()) {
        w->model().undoStack().setClean();
        w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Brings the named window up from the start of a run, the way the user does;
// the window. The editor opens a small report in `folder`, answering the
// scripted open dialog of `dialogs`.
inline QWidget* OpenWindow(Application& app, FakeDialogs& dialogs, const QString& which, const QString& folder) {
    app.Start();
    Tmain& m = app.main();
    if (which == "main window") return &m;
    if (which == "units") {
        m.findChild<QAction*>("Units1")->trigger();
        return &app.FormUnits();
    }
    if (which == "label options") {
        m.findChild<QAction*>("Labelformat1")->trigger();
        return &app.FormLabelType();
    }
    if (which == "editor") {
        QFile f(QDir(folder).filePath("report.txt"));
        if (f.open(QIODevice::WriteOnly)) f.write("report\n");
        f.close();
        dialogs.fileNames = {f.fileName()};
        m.findChild<QAction*>("Open1")->trigger();
        return &app.Formedit();
    }
    if (which == "2018 window") {
        m.findChild<QAction*>("Ieee2018Model1")->trigger();
        return app.Ieee2018IfMade();
    }
    if (which == "DC window") {
        m.findChild<QAction*>("DcArcFlash1")->trigger();
        return app.DcArcFlashIfMade();
    }
    if (which == "study" || which == "study curve") {
        m.findChild<QAction*>("NewStudy1")->trigger();
        const std::vector<TStudy*> studies = OpenStudyWindows();
        if (studies.empty()) return nullptr;
        if (which == "study curve") studies.back()->findChild<QAction*>("ShowCurve1")->trigger();
        return studies.back();
    }
    if (which == "intermediate") {
        ToIntermediate(app);
        return &app.Second();
    }
    if (which == "about") return &app.about();
    if (which == "study export" || which == "study labels") {
        // The study's Labels… and Report… dialog as it asks for a report (or
        // the labels) of a filtered study.
        StudyExportChoice choice;
        choice.report = which == "study export";
        choice.allRows = 40, choice.selectedRows = 3, choice.filteredRows = 12;
        auto* dialog = new TStudyExport(&m, choice);
        dialog->setObjectName("StudyExport");
        dialog->show();  // laid out as the user sees it
        return dialog;
    }
    if (which == "fuse results" || which == "breaker results") {
        const bool fuse = which == "fuse results";
        m.PageControl1->setCurrentIndex(fuse ? 1 : 2);
        (fuse ? m.Fuse_Work_Dist : m.CB_workdist)->setText("455");
        (fuse ? m.Fuse_Ibolt : m.CB_Ibolt)->setText("20");
        if (!fuse) {
            m.CB_volt->setText("480");
            m.ir_edit->setText("65");
            m.it_edit->setText("5");
        }
        m.Calc1->click();
        return &app.Third();
    }
    ToResults(app);
    if (which == "results") return &app.Third();
    if (which != "preview") return nullptr;
    app.Third().Button2->click();  // "Create label"
    return &app.Preview();
}

}  // namespace zentavo::ui

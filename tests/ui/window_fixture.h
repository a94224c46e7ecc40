// SPDX-License-Identifier: GPL-3.0-or-later
// What every window test makes before each of its test functions and lets go
// after it: the scripted dialogs, the application on them, and as the test
// asks, the main window shown, a folder of its own, the study windows closed
// and the check that no dialog asked what the test did not script. A test
// class derives from WindowTest; an init() or cleanup() of its own calls
// WindowTest's and adds what only that test needs.
#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <memory>

#include "fake_dialogs.h"
#include "ui/application.h"

namespace zentavo::ui {

class WindowTest : public QObject {
    Q_OBJECT

public:
    struct Options {
        bool start = false;            // the main window shown, as at the program's start
        bool folder = false;           // a temporary folder `dir` for each test function
        bool closeStudies = false;     // the study windows left open closed, their changes let go
        bool scriptedDialogs = false;  // no dialog may ask what the test did not script
    };
    explicit WindowTest(Options options) : options_(options) {}

protected:
    std::unique_ptr<FakeDialogs> dialogs;
    std::unique_ptr<Application> app;
    std::unique_ptr<QTemporaryDir> dir;  // made when the options ask for a folder

protected slots:
    void init();
    void cleanup();

private:
    Options options_;
};

}  // namespace zentavo::ui

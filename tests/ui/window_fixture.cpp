// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include <QtTest>

#include "drive.h"

namespace zentavo::ui {

void WindowTest::init() {
    dialogs = std::make_unique<FakeDialogs>();
    app = std::make_unique<Application>(*dialogs);
    if (options_.start) app->Start();
    if (options_.folder) {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
}

void WindowTest::cleanup() {
    if (options_.closeStudies) CloseStudyWindows();
    if (options_.scriptedDialogs) {
        QVERIFY2(!dialogs->unexpected, "a dialog asked something the test did not script");
    }
    app.reset();
    dialogs.reset();
    dir.reset();
}

}  // namespace zentavo::ui

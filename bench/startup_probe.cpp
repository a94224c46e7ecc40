// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the program: all eight windows created and the main window
// shown. bench/run.sh compares it with empty_window, a plain Qt Widgets
// program showing one window, timed the same way.
#include <QApplication>

#include "launch_clock.h"
#include "ui/application.h"
#include "ui/dialogs.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    zentavo::ui::QtDialogService dialogs;
    zentavo::ui::Application app(dialogs);
    app.Start();
    PrintStartupTime();
    return 0;
}

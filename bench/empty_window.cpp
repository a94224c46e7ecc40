// SPDX-License-Identifier: GPL-3.0-or-later
// The reference for start-up: a plain Qt Widgets program that shows one
// empty window and ends as soon as it has been shown.
#include <QApplication>
#include <QWidget>

#include "launch_clock.h"
int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QWidget window;
    window.resize(472, 381);
    window.show();
    PrintStartupTime();
    return 0;
}

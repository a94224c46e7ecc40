// SPDX-License-Identifier: GPL-3.0-or-later
// A second reference for start-up: a plain Qt Widgets program whose one
// window shows one word, so the text system's first use is counted too.
#include <QApplication>
#include <QLabel>
#include "launch_clock.h"
int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QLabel window(QStringLiteral("Zentavo"));
    window.resize(472, 381);
    window.show();
    PrintStartupTime();
    return 0;
}

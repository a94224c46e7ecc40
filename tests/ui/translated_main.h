// SPDX-License-Identifier: GPL-3.0-or-later
// A test program's main() that starts as the program does: the windows in
// the language of the locale the test runs under (the same InstallTranslations
// main() calls). Under LC_ALL=C.UTF-8 nothing is loaded and the texts are English.
#pragma once

#include <QApplication>
#include <QLocale>
#include <QtTest>

#include "ui/translations.h"

#define ZENTAVO_TRANSLATED_TEST_MAIN(TestObject)                   \
    int main(int argc, char** argv) {                              \
        QApplication app(argc, argv);                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                   \
        zentavo::ui::InstallTranslations(QLocale());               \
        TestObject tc;                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                 \
        return QTest::qExec(&tc, argc, argv);                      \
    }

// SPDX-License-Identifier: GPL-3.0-or-later
// Zentavo: the desktop program. It keeps no settings. Its arguments are GNU
// style: --help and --version answer on the terminal and open no window; the
// other arguments are files to open, a study in its study window and any
// other file in the editor, over the main window.
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <cstdio>
#include <string>

#include "io/command_line.h"
#include "study/message_text.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/translations.h"

namespace {

constexpr const char* kName = "zentavo";

constexpr const char* kHelp =
    "Usage: zentavo [OPTION]... [FILE]...\n"
    "Zentavo: arc-flash hazard calculator with results reports and warning labels,\n"
    "after IEEE 1584-2002 (empirical model 208 V to 46 kV, current-limiting fuses,\n"
    "low-voltage circuit breakers: the main window's tabs) and IEEE 1584-2018\n"
    "(208 V to 15 kV: Options, IEEE 1584-2018 model). File, New study opens the\n"
    "study window, a table of many points of work of either edition.\n"
    "It opens its main window; it reads no configuration and keeps no settings.\n"
    "Each FILE is opened over the main window: a study (.csv) in a study window of its\n"
    "own, any other text file in the editor.\n"
    "  -h, --help     show this text and leave\n"
    "  -V, --version  show the version and leave\n"
    "For studies of many points of work, see zentavo-batch --help.\n";


}  // namespace

int main(int argc, char** argv) {
    static constexpr zentavo::CommandOption kOptions[] = {{"help", 'h', false}, {"version", 'V', false}};
    const zentavo::CommandLine line = zentavo::ReadCommandLine(argc, argv, kOptions);
    if (line.problem) {
        // As zentavo-batch says it: one line, the option as written, escaped.
        std::fprintf(stderr, "%s: %s (see --help)\n", kName,
                     zentavo::EscapeControls(*line.problem).c_str());
        return 2;
    }
    if (!line.options.empty()) {  // the first of --help and --version answers
        return zentavo::AnswerOnStandardOutput(kName, kOptions[line.options.front().option].name == "help"
                                                          ? std::string(kHelp)
                                                          : zentavo::VersionText(kName, ZENTAVO_VERSION));
    }
    QStringList files;
    for (const std::string& operand : line.operands) files << QFile::decodeName(operand.c_str());
    // Qt is given the program's name only: every argument has been read
    // above, and a file named like one of Qt's own options ("-style") is a file.
    int qtArgc = 1;
    QApplication qt(qtArgc, argv);
    // The name without a display name: the windows keep exactly their own titles.
    QApplication::setApplicationName(QStringLiteral("Zentavo"));
    QApplication::setDesktopFileName(QStringLiteral("org.zentavo.Zentavo"));
    // The windows in the user's language, where the program has it.
    zentavo::ui::InstallTranslations(QLocale());
    zentavo::ui::QtDialogService dialogs;
    zentavo::ui::Application app(dialogs);
    app.Start();
    app.OpenFiles(files);
    return QApplication::exec();
}

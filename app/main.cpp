// Zentavo: the desktop program. It takes no arguments and keeps no settings;
// asked for --help or --version it answers on the terminal and opens no window.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "ui/application.h"
#include "ui/dialogs.h"

namespace {
// Writes the answer to --help or --version; false when neither was asked.
bool AnswerOnTerminal(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("zentavo %s\n", ZENTAVO_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf(
                "Usage: zentavo [--help | --version]\n"
                "Zentavo: arc-flash hazard calculator with results reports and warning labels,\n"
                "after IEEE 1584-2002 (empirical model 208 V to 46 kV, current-limiting fuses,\n"
                "low-voltage circuit breakers: the main window's tabs) and IEEE 1584-2018\n"
                "(208 V to 15 kV: Options, IEEE 1584-2018 model). File, New study opens the\n"
                "study window, a table of many points of work of either edition.\n"
                "It opens its main window; it reads no configuration and keeps no settings.\n"
                "  --help     show this text and leave\n"
                "  --version  show the version and leave\n"
                "For studies of many points of work, see zentavo-batch --help.\n");
            return true;
        }
    }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    if (AnswerOnTerminal(argc, argv)) return std::fflush(stdout) == 0 ? 0 : 1;
    QApplication qt(argc, argv);
    // The name without a display name: the windows keep exactly their own titles.
    QApplication::setApplicationName(QStringLiteral("Zentavo"));
    QApplication::setDesktopFileName(QStringLiteral("org.zentavo.Zentavo"));
    zentavo::ui::QtDialogService dialogs;
    zentavo::ui::Application app(dialogs);
    app.Start();
    return QApplication::exec();
}

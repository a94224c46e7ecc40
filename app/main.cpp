// Zentavo: the desktop program. It takes no arguments and keeps no settings;
// asked for --help or --version it answers on the terminal and opens no window.
#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <cstring>

#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/translations.h"

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
                "Zentavo: arc-flash hazard calculator after IEEE 1584 (empirical model, current-\n"
                "limiting fuses, low-voltage circuit breakers), with results reports and warning\n"
                "labels. It opens its main window; it reads no configuration and keeps no settings.\n"
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
    // The windows in the user's language, where the program has it.
    zentavo::ui::InstallTranslations(QLocale());
    zentavo::ui::QtDialogService dialogs;
    zentavo::ui::Application app(dialogs);
    app.Start();
    return QApplication::exec();
}

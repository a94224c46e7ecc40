// Zentavo: the desktop program. It takes no arguments and keeps no settings.
#include <QApplication>

#include "ui/application.h"
#include "ui/dialogs.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentavo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zentavo"));
    QApplication::setDesktopFileName(QStringLiteral("org.zentavo.Zentavo"));
    zentavo::ui::QtDialogService dialogs;
    zentavo::ui::Application app(dialogs);
    QObject::connect(&app, &zentavo::ui::Application::quitting, &qt, &QApplication::quit,
                     Qt::QueuedConnection);
    app.Start();
    return QApplication::exec();
}

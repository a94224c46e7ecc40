// Start-up of the program as a whole process: all eight windows created and
// the main window shown, then the end. bench/run.sh times it against
// empty_window, a plain Qt Widgets program showing one window.
#include <QApplication>
#include <QTimer>

#include "ui/application.h"
#include "ui/dialogs.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    zentavo::ui::QtDialogService dialogs;
    zentavo::ui::Application app(dialogs);
    app.Start();
    QTimer::singleShot(0, &qt, &QApplication::quit);
    return QApplication::exec();
}

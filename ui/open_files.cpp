// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/open_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/formedit.h"
#include "ui/study_window.h"

namespace zentavo::ui {

namespace {

std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool Same(const QString& a, const QString& b) { return !a.isEmpty() && !b.isEmpty() && SameFile(Local(a), Local(b)); }

// True when a window other than `window` holds `target`.
bool HeldElsewhere(Application& app, const QWidget* window, const QString& target) {
    for (TStudy* study : OpenStudyWindows()) {
        if (study != window && Same(study->path(), target)) return true;
    }
    TFormedit& editor = app.Formedit();
    return &editor != window && editor.isVisible() && Same(editor.path(), target);
}

// True when `window` is a study window and `target` its study's file.
bool OwnStudy(const QWidget* window, const QString& target) {
    const auto* study = qobject_cast<const TStudy*>(window);
    return study && Same(study->path(), target);
}

QString Question(const char* text, const QString& target) {
    return QCoreApplication::translate("OpenFiles", text).arg(QDir::toNativeSeparators(target));
}

}  // namespace

bool MayReplace(Application& app, QWidget* window, const QString& target, const QString& ownPath,
                const std::optional<FileFingerprint>& ownPrint) {
    if (Same(ownPath, target)) {
        if (!ownPrint || !FileChangedSince(Local(target), *ownPrint)) return true;
        return app.dialogs().Confirm(
            window, Question(QT_TRANSLATE_NOOP("OpenFiles",
                                               "The file \"%1\" was changed by another program since it was "
                                               "opened. Overwrite it, or cancel? (Yes overwrites it, No saves "
                                               "nothing.)"),
                             target));
    }
    if (!HeldElsewhere(app, window, target)) return true;
    return app.dialogs().Confirm(
        window, Question(QT_TRANSLATE_NOOP("OpenFiles",
                                           "The file \"%1\" is open in another window of Zentavo. Overwrite "
                                           "it, or cancel? (Yes overwrites it, No saves nothing.)"),
                         target));
}

bool MayWriteOver(Application& app, QWidget* window, const QString& target) {
    if (OwnStudy(window, target)) {
        return app.dialogs().Confirm(
            window, Question(QT_TRANSLATE_NOOP("OpenFiles",
                                               "The file \"%1\" is this window's own study. Overwrite it, or "
                                               "cancel? (Yes overwrites it, No saves nothing.)"),
                             target));
    }
    if (!HeldElsewhere(app, window, target)) return true;
    return app.dialogs().Confirm(
        window, Question(QT_TRANSLATE_NOOP("OpenFiles",
                                           "The file \"%1\" is open in another window of Zentavo. Overwrite "
                                           "it, or cancel? (Yes overwrites it, No saves nothing.)"),
                         target));
}

bool MayAppendTo(Application& app, QWidget* window, const QString& target) {
    if (!HeldElsewhere(app, window, target)) return true;
    return app.dialogs().Confirm(
        window, Question(QT_TRANSLATE_NOOP("OpenFiles",
                                           "The file \"%1\" is open in another window of Zentavo. Add the results "
                                           "to its end, or cancel? (Yes adds them, No saves nothing.)"),
                         target));
}

}  // namespace zentavo::ui

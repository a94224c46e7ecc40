// SPDX-License-Identifier: GPL-3.0-or-later
// The files the windows hold open, and the question before a save replaces
// one of them with what its window has not seen.
#pragma once

#include <QString>
#include <optional>

#include "io/file_io.h"

class QWidget;

namespace zentavo::ui {

class Application;

// Asks before `window` saves over `target` when the save would lose what the
// window has not seen: the window's own file (`ownPath`, as read or last
// saved: `ownPrint`) changed by another program since, or a file another
// window of the program holds open (a study window, the editor). True when
// the save may go on: nothing to lose, or the user said Yes.
bool MayReplace(Application& app, QWidget* window, const QString& target, const QString& ownPath,
                const std::optional<FileFingerprint>& ownPrint);

// Asks before `window` writes an export (results, labels, a report, a label
// picture) over a file a window of the program holds open, its own study
// included: that window would go on showing what is no longer there. True
// when no window holds it, or the user said Yes.
bool MayWriteOver(Application& app, QWidget* window, const QString& target);
// The same before results are added to the end of a report file another
// window holds open (the editor would show it without them).
bool MayAppendTo(Application& app, QWidget* window, const QString& target);

}  // namespace zentavo::ui

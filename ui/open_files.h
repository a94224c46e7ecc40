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

}  // namespace zentavo::ui

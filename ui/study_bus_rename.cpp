// SPDX-License-Identifier: GPL-3.0-or-later
// The study window's bus renamed in one step (Edit, "Rename this bus…",
// and the one-line's bus menu): the new name asked for, checked by the
// study library's rule (CheckBusRename), and given to every cell naming
// the bus as one undo step.
#include <QStatusBar>

#include "study/bus_rename.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/study_window.h"
#include "ui/widgets.h"

namespace zentavo::ui {

void TStudy::RenameBusClick() {
    const int row = CurrentModelRow();
    const std::string bus =
        row < 0 ? std::string() : model_->file().Input(static_cast<std::size_t>(row), kBusColumn);
    if (bus.empty()) {
        app_.dialogs().Warning(
            this, tr("The current row names no bus: choose a row on the bus to rename."));
        return;
    }
    RenameBus(bus);
}

void TStudy::RenameBus(const std::string& bus) {
    const QString old = FromUtf8(bus);
    const std::optional<QString> given =
        app_.dialogs().AskText(this, tr("Rename bus"),
                               tr("New name of bus %1, in every row that names it:").arg(old), old);
    if (!given) return;
    // Blanks around the name are dropped, as the row form drops them.
    const std::string name = Utf8(given->trimmed());
    QString why;
    switch (CheckBusRename(model_->file(), bus, name)) {
        case BusRenameFault::None:
            break;
        case BusRenameFault::Unchanged:
            return;
        case BusRenameFault::NoSuchBus:
            why = tr("No row names bus %1 any more.").arg(old);
            break;
        case BusRenameFault::Empty:
            why = tr("A bus needs a name: bus %1 keeps its own.").arg(old);
            break;
        case BusRenameFault::LineBreak:
            why = tr("A bus's name is one line without tabs: bus %1 keeps its own.").arg(old);
            break;
        case BusRenameFault::Taken:
            why = tr("Another bus is already named %1, and two buses of one name would be joined "
                     "into one: "
                     "bus %2 keeps its own name.")
                      .arg(FromUtf8(name), old);
            break;
    }
    if (!why.isEmpty()) {
        app_.dialogs().Warning(this, why);
        return;
    }
    const auto cells = static_cast<int>(CellsNamingBus(model_->file(), bus).size());
    model_->RenameBus(bus, name, tr("Rename bus %1 to %2").arg(old, FromUtf8(name)));
    statusBar()->showMessage(
        tr("Bus %1 renamed %2 in %n cell(s).", nullptr, cells).arg(old, FromUtf8(name)), 15000);
}

}  // namespace zentavo::ui

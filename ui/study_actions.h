// SPDX-License-Identifier: GPL-3.0-or-later
// The study window's menu bar: File, Edit, View and Network, each entry
// with its object name (tests and screen readers find it by that name), its
// Alt key and its shortcut. The window connects the entries to its handlers.
#pragma once

#include <QDockWidget>
#include <utility>
#include <vector>

#include "ui/study_model.h"

class QAction;
class QMainWindow;
class QTableView;
class QUndoStack;

namespace zentavo::ui {

struct StudyActions {
    // The parts of the window the menus hold: the study's undo stack (Undo,
    // Redo), the table (where Delete clears cells), the one-line's export
    // and the docks that View shows or hides.
    struct Parts {
        QUndoStack& undo;
        QTableView& table;
        QAction& exportOneLine;
        QDockWidget& rowForm;
        QDockWidget& curve;
        QDockWidget& oneLine;
    };
    // Builds the menus in `window`'s menu bar.
    StudyActions(QMainWindow& window, const Parts& parts);

    // File
    QAction* newStudy;
    QAction* openStudy;
    QAction* save;
    QAction* saveAs;
    QAction* exportResults;
    QAction* loadCurves;
    QAction* labels;
    QAction* report;
    QAction* printReport;
    QAction* close;
    // Edit (Undo and Redo are the undo stack's own)
    QAction* addRow;
    QAction* addPointOnBus;
    QAction* addFeeder;
    QAction* renameBus;  // the current row's bus, in every row naming it
    QAction* duplicate;
    QAction* deleteRows;
    QAction* clearCells;
    QAction* copy;
    QAction* paste;
    QAction* computeAgain;
    // View, Columns: each group of columns, checked while it is shown; the
    // name and what the row gives always stand.
    std::vector<std::pair<StudyModel::Group, QAction*>> columnGroups;
    // The keyboard from the table to the row form and back (F6).
    QAction* switchPane;
    // Network
    QAction* networkView;
};

}  // namespace zentavo::ui

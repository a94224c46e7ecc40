// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_actions.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QUndoStack>

#include "ui/study_window.h"

namespace zentavo::ui {

StudyActions::StudyActions(QMainWindow& window, const Parts& parts) {
    auto add = [](QMenu* menu, const char* name, const QString& text, const QKeySequence& keys = {}) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        if (!keys.isEmpty()) a->setShortcut(keys);
        return a;
    };
    QMenu* file = window.menuBar()->addMenu(TStudy::tr("&File"));
    newStudy = add(file, "NewStudy1", TStudy::tr("&New study"), NewStudyKeys());
    openStudy = add(file, "OpenStudy1", TStudy::tr("&Open study…"), QKeySequence::Open);
    file->addSeparator();
    save = add(file, "SaveStudy1", TStudy::tr("&Save"), QKeySequence::Save);
    saveAs = add(file, "SaveStudyAs1", TStudy::tr("Save &as…"), QKeySequence::SaveAs);
    exportResults = add(file, "ExportResults1", TStudy::tr("&Export results…"));
    file->addAction(&parts.exportOneLine);
    file->addSeparator();
    loadCurves = add(file, "LoadCurves1", TStudy::tr("Load &device curves…"));
    file->addSeparator();
    labels = add(file, "StudyLabels1", TStudy::tr("&Labels…"));
    report = add(file, "StudyReport1", TStudy::tr("&Report…"));
    printReport = add(file, "PrintStudyReport1", TStudy::tr("&Print report…"), QKeySequence::Print);
    file->addSeparator();
    close = add(file, "CloseStudy1", TStudy::tr("&Close"), QKeySequence::Close);

    QMenu* edit = window.menuBar()->addMenu(TStudy::tr("&Edit"));
    QAction* undo = parts.undo.createUndoAction(&window, TStudy::tr("&Undo"));
    undo->setObjectName("UndoStudy1");
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction* redo = parts.undo.createRedoAction(&window, TStudy::tr("&Redo"));
    redo->setObjectName("RedoStudy1");
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(redo);
    edit->addSeparator();
    // Insert alone: Ctrl+Insert is Copy on X11, and a shortcut both mean would do neither.
    addRow = add(edit, "AddRow1", TStudy::tr("&Add row"), QKeySequence(Qt::Key_Insert));
    addPointOnBus = add(edit, "AddPointOnBus1", TStudy::tr("Add point on this &bus"));
    addFeeder = add(edit, "AddFeeder1", TStudy::tr("Add &feeder from this bus"));
    renameBus = add(edit, "RenameBus1", TStudy::tr("Re&name this bus…"));
    duplicate = add(edit, "DuplicateRows1", TStudy::tr("Dupl&icate rows"), QKeySequence(Qt::CTRL | Qt::Key_D));
    deleteRows = add(edit, "DeleteRows1", TStudy::tr("&Delete rows"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    // Delete clears the cells chosen, as in a spreadsheet; only where the
    // table has the keyboard, so that a field's Delete stays the field's.
    clearCells = add(edit, "ClearCells1", TStudy::tr("C&lear cells"), QKeySequence::Delete);
    clearCells->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    parts.table.addAction(clearCells);
    edit->addSeparator();
    copy = add(edit, "CopyRows1", TStudy::tr("&Copy rows"), QKeySequence::Copy);
    paste = add(edit, "PasteRows1", TStudy::tr("&Paste rows"), QKeySequence::Paste);
    edit->addSeparator();
    computeAgain = add(edit, "ComputeAgain1", TStudy::tr("C&ompute again"), QKeySequence(Qt::Key_F5));

    QMenu* view = window.menuBar()->addMenu(TStudy::tr("&View"));
    const std::pair<StudyModel::Group, QString> groups[] = {
        {StudyModel::Group::Method, TStudy::tr("&Method and equipment")},
        {StudyModel::Group::Distances, TStudy::tr("&Distances")},
        {StudyModel::Group::Duration, TStudy::tr("D&urations and device")},
        {StudyModel::Group::Network, TStudy::tr("&Network")},
        {StudyModel::Group::Other, TStudy::tr("Your &own columns")},
        {StudyModel::Group::Results, TStudy::tr("Re&sults")}};
    QMenu* shown = view->addMenu(TStudy::tr("Col&umns"));
    shown->setObjectName("ColumnGroupsMenu");
    for (const auto& [group, text] : groups) {
        QAction* a = shown->addAction(text);
        a->setObjectName(QStringLiteral("ShowColumns%1").arg(static_cast<int>(group)));
        a->setCheckable(true);
        a->setChecked(true);
        columnGroups.emplace_back(group, a);
    }
    view->addSeparator();
    // F6, the key that moves between the panes of a window.
    switchPane = add(view, "SwitchPane1", TStudy::tr("&Go to the form or the table"),
                     QKeySequence(Qt::Key_F6));
    QAction* showForm = parts.rowForm.toggleViewAction();
    showForm->setText(TStudy::tr("Row &form"));
    showForm->setObjectName("ShowRowForm1");
    view->addAction(showForm);
    QAction* showCurve = parts.curve.toggleViewAction();
    showCurve->setText(TStudy::tr("Time-current &curve"));
    showCurve->setObjectName("ShowCurve1");
    view->addAction(showCurve);
    QAction* showOneLine = parts.oneLine.toggleViewAction();
    showOneLine->setText(TStudy::tr("&One-line diagram"));
    showOneLine->setObjectName("ShowOneLine1");
    view->addAction(showOneLine);

    QMenu* networkMenu = window.menuBar()->addMenu(TStudy::tr("&Network"));
    networkView = add(networkMenu, "NetworkView1", TStudy::tr("&Buses and tree…"));
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The row form of the study window: the current row of the table as a form,
// its fields grouped by what they describe (the point of work, its
// protective device, where it sits in the network) and only those its
// method, device and branch take (ColumnApplies); words picked from lists,
// buses from the study's buses, fuse curves from the loaded curves file, the
// 2018 model's equipment types as in its own window. Each field names its
// unit, and its range in a tool tip; a value that cannot be kept says why
// beside the field and is not kept. Every edit goes through the study's
// model, so the form and the table share one undo history. A choice of
// method, device or branch empties, in the same step, the cells it leaves
// without use; a field the row does not take but that holds text stays in
// view, saying so. The form keeps its fields where they are while the user
// types: those a typed value shows or hides change when the user next picks
// a word, another row, or leaves the form with the pointer. Below the
// fields, the row's results and the time-current picture of its device.
#pragma once

#include <QWidget>
#include <cstddef>
#include <vector>

#include "study/columns.h"
#include "study/study_file.h"

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace zentavo::ui {

class Application;
class StudyModel;
class TimeCurrentView;

class TRowForm : public QWidget {
    Q_OBJECT
public:
    TRowForm(Application& app, StudyModel& model, QWidget* parent = nullptr);

    // Shows the model's row `row` (-1: none, the form says how to choose one).
    void ShowRow(int row);
    int Row() const { return row_; }
    // The picture of the row's device: the study window draws it.
    TimeCurrentView* Curve() const { return curve_; }

    // The field of an input column (its line edit or box), for the window's tests.
    QWidget* FieldOf(StudyInputColumn column) const;
    // The message beside a field: why the value typed was not kept; empty when it was.
    QString FaultOf(StudyInputColumn column) const;
    // A value typed in a field and not yet kept (the field still has the
    // keyboard) is kept now, before the window acts on the study.
    void CommitPending();
    // The keyboard to the form's first field (the point's name).
    void FocusFirstField();

signals:
    // What the form did besides the edit asked for, for the status bar.
    void told(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Field {
        StudyInputColumn column;
        int tableColumn;
        QLabel* caption;
        QWidget* editor;  // QLineEdit or QComboBox
        QLabel* fault;    // why the last value typed was not kept
        QLabel* note;     // shown where the row does not take the text the field holds
        QFormLayout* form;
    };
    void Build();
    QWidget* MakeEditor(StudyInputColumn column, int tableColumn);
    QString ToolTipOf(StudyInputColumn column, int tableColumn) const;
    // Puts the row's values in the fields and shows those its shape takes.
    void Refresh();
    // Shows the fields the row takes, and those it does not take that hold
    // text (with a note), unless the shape is held while the user types.
    void RefreshShape(const StudyFile& file, std::size_t row);
    void RefreshResults();
    // The study's buses, for the bus fields' lists.
    QStringList Buses() const;
    // A value typed or picked in a field: kept through the model, or refused
    // with the reason beside the field. A word picked (`picked`) may show
    // other fields at once; a value typed leaves them where they are.
    void Commit(const Field& field, const QString& text, bool picked);
    void CommitName();
    // The 2018 model's equipment type picked: its configuration and typical
    // sizes in the row's own units, as one step.
    void EquipmentPicked(int index);
    const Field* Find(const QWidget* editor) const;

    Application& app_;
    StudyModel& model_;
    int row_ = -1;
    std::vector<Field> fields_;
    QLabel* hint_ = nullptr;     // what to do when no row is chosen
    QWidget* scroll_ = nullptr;  // the groups in their scroll area, hidden with no row
    QWidget* body_ = nullptr;
    QLineEdit* name_ = nullptr;  // the point's name
    QComboBox* equipment_ = nullptr;
    QLabel* equipmentCaption_ = nullptr;
    QLabel* status_ = nullptr;   // the row's status and message
    QFormLayout* results_ = nullptr;
    TimeCurrentView* curve_ = nullptr;
    bool refreshing_ = false;
    bool shapeHeld_ =
        false;  // a value typed: the fields shown stay until the next pick, row or leave
};

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The editors of a study window's table: the words of a word column in a
// list, numbers typed with the user's separator and checked by their
// column's kind before they are kept, and Ctrl+Enter filling every selected
// cell with the text typed.
#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace zentavo::ui {

class Application;
class StudyModel;

class StudyDelegate : public QStyledItemDelegate {
public:
    // `fill`: the text of an editor left by Ctrl+Enter, for every selected
    // cell; run, as a refusal of a cell typed is told, under the error
    // handler of `window`.
    StudyDelegate(Application& app, StudyModel& model, QWidget* window, QObject* parent,
                  std::function<void(const QString&)> fill);

    bool eventFilter(QObject* object, QEvent* event) override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    Application& app_;
    StudyModel& model_;
    QWidget* window_;
    std::function<void(const QString&)> fill_;
};

}  // namespace zentavo::ui

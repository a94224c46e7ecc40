// SPDX-License-Identifier: GPL-3.0-or-later
// A table whose first column stays in view when it scrolls sideways: a
// second view lies over the first column, with the same model, selection,
// delegate and rows, and follows the table's vertical scrolling. A cell of
// the first column is edited in that view, where it can be seen. The rows
// share one height: the table's default row height.
#pragma once

#include <QTableView>
#include <functional>

namespace zentavo::ui {

class FrozenColumnTable : public QTableView {
public:
    explicit FrozenColumnTable(QWidget* parent = nullptr);
    using QTableView::edit;

    void setModel(QAbstractItemModel* model) override;
    // The editors of every column, the first included: `make` gives each
    // view a delegate of its own (a delegate closes the editors of every
    // view it serves).
    void SetDelegates(const std::function<QAbstractItemDelegate*(QObject* parent)>& make);
    // The view over the first column.
    QTableView* FrozenView() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    class Frozen;
    void PlaceFrozen();
    void HideOtherColumns();

    Frozen* frozen_;
};

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// A table whose first columns stay in view when it scrolls sideways: a
// second view lies over them, with the same model, selection, delegate and
// rows, and follows the table's vertical scrolling. A cell of those columns
// is edited in that view, where it can be seen. The rows share one height:
// the table's default row height.
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
    // The view over the first columns.
    QTableView* FrozenView() const;
    // How many of the first columns stay in view (1 unless set).
    void SetFrozenColumns(int count);
    int FrozenColumns() const { return frozenCount_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    class Frozen;
    void PlaceFrozen();
    void HideOtherColumns();

    // The width of the columns kept in view.
    int FrozenWidth() const;

    Frozen* frozen_;
    int frozenCount_ = 1;
};

}  // namespace zentavo::ui

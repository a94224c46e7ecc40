// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frozen_table.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

namespace zentavo::ui {

// The view over the first columns. It never takes the keyboard: the table
// keeps it, and an edit finished here hands it back.
class FrozenColumnTable::Frozen : public QTableView {
public:
    explicit Frozen(FrozenColumnTable* table) : QTableView(table), table_(table) {}

    bool EditHere(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
        return QTableView::edit(index, trigger, event);
    }

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        const bool next = hint == QAbstractItemDelegate::EditNextItem;
        const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
        QTableView::closeEditor(editor, next || previous ? QAbstractItemDelegate::NoHint : hint);
        table_->setFocus();
        if (!next && !previous) return;
        // Tab and Backtab go on in the table, as from any other cell.
        const QModelIndex to = table_->moveCursor(next ? MoveNext : MovePrevious, Qt::NoModifier);
        if (!to.isValid()) return;
        table_->setCurrentIndex(to);
        if (to.flags() & Qt::ItemIsEditable) table_->edit(to);
    }

private:
    FrozenColumnTable* table_;
};

FrozenColumnTable::FrozenColumnTable(QWidget* parent)
    : QTableView(parent), frozen_(new Frozen(this)) {
    frozen_->setObjectName("FrozenColumn");
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Pixel by pixel, so that the columns beside the first one can be
    // brought out from under it, and both views scroll alike.
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    frozen_->setVerticalScrollMode(ScrollPerPixel);
    QHeaderView* header = frozen_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    viewport()->stackUnder(frozen_);

    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column >= frozenCount_) return;
                if (frozen_->columnWidth(column) != size) frozen_->setColumnWidth(column, size);
                PlaceFrozen();
            });
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column < frozenCount_ && columnWidth(column) != size) setColumnWidth(column, size);
    });
    // A click on a kept column's heading sorts the table, and its arrow shows the table's order.
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                QHeaderView* mine = horizontalHeader();
                if (mine->sortIndicatorSection() != column || mine->sortIndicatorOrder() != order) {
                    mine->setSortIndicator(column, order);
                }
            });
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                QHeaderView* its = frozen_->horizontalHeader();
                if (its->sortIndicatorSection() != column || its->sortIndicatorOrder() != order) {
                    its->setSortIndicator(column, order);
                }
            });
}

void FrozenColumnTable::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    if (model) {
        connect(model, &QAbstractItemModel::modelReset, this, [this] { HideOtherColumns(); });
        connect(model, &QAbstractItemModel::columnsInserted, this, [this] { HideOtherColumns(); });
    }
    HideOtherColumns();
}

void FrozenColumnTable::SetDelegates(
    const std::function<QAbstractItemDelegate*(QObject* parent)>& make) {
    setItemDelegate(make(this));
    frozen_->setItemDelegate(make(frozen_));
}

QTableView* FrozenColumnTable::FrozenView() const {
    return frozen_;
}

void FrozenColumnTable::SetFrozenColumns(int count) {
    frozenCount_ = std::max(1, count);
    HideOtherColumns();
}

int FrozenColumnTable::FrozenWidth() const {
    int width = 0;
    for (int c = 0; c < frozenCount_; ++c) {
        if (!isColumnHidden(c)) width += columnWidth(c);
    }
    return width;
}

void FrozenColumnTable::HideOtherColumns() {
    const int columns = model() ? model()->columnCount() : 0;
    for (int c = 0; c < columns; ++c) {
        const bool kept = c < frozenCount_;
        frozen_->setColumnHidden(c, !kept || isColumnHidden(c));
        if (kept) frozen_->setColumnWidth(c, columnWidth(c));
    }
    PlaceFrozen();
}

void FrozenColumnTable::PlaceFrozen() {
    // The rows share one height (row by row the heights of a large table
    // would cost seconds to follow).
    QHeaderView* rows = frozen_->verticalHeader();
    if (rows->defaultSectionSize() != verticalHeader()->defaultSectionSize()) {
        rows->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    }
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    frozen_->setEditTriggers(editTriggers());
    frozen_->setSelectionBehavior(selectionBehavior());
    frozen_->setSelectionMode(selectionMode());
    const int left = verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    frozen_->setGeometry(left + frameWidth(), frameWidth(), FrozenWidth(),
                         viewport()->height() + horizontalHeader()->height());
    frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void FrozenColumnTable::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    PlaceFrozen();
}

void FrozenColumnTable::updateGeometries() {
    QTableView::updateGeometries();
    PlaceFrozen();
}

void FrozenColumnTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (index.column() < frozenCount_) {
        // The first columns are always in view: only the rows scroll.
        const int x = horizontalScrollBar()->value();
        QTableView::scrollTo(index, hint);
        horizontalScrollBar()->setValue(x);
        return;
    }
    QTableView::scrollTo(index, hint);
    // A cell that came to rest under the kept columns is brought out beside them.
    const int covered = FrozenWidth() - visualRect(index).left();
    if (covered > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

bool FrozenColumnTable::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // The table's own first columns lie under the view over them: edit there.
    if (index.isValid() && index.column() < frozenCount_) return frozen_->EditHere(index, trigger, event);
    return QTableView::edit(index, trigger, event);
}

}  // namespace zentavo::ui

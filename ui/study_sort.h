// SPDX-License-Identifier: GPL-3.0-or-later
// The order of a study's table: the key each cell sorts by, and the table's
// sort and filter over the study's model.
#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>
#include <QString>
#include <optional>
#include <string>

namespace zentavo::ui {

// The key a cell sorts by, kept for the whole of a sort: the number it
// holds, else its text and that text's collation key (texts in the
// user's order, numbers within them by value: "#2" before "#10").
struct StudySortKey {
    bool number = false;
    double value = 0;
    QString text;
    std::optional<QCollatorSortKey> collated;
};

// Names in the user's order, numbers within them by value, capitals or not.
QCollator NameCollator();

// The key of a cell's text as the study's file keeps it (numbers with a point).
StudySortKey SortKeyOf(const std::string& text, const QCollator& collator);

// Sorting with numbers by value, before the texts in either order, and the
// texts as people count ("#2" before "#10"); filtering by a text in one column
// or any (any at first).
// The source model must be a StudyModel.
class StudySortFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit StudySortFilter(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_sort.h"

#include <QLocale>

#include "engine/number.h"
#include "ui/study_model.h"
#include "ui/widgets.h"

namespace zentavo::ui {

// The C locale's collation compares code points and knows no numbers, so
// names are put in order as in English there.
QCollator NameCollator() {
    const QLocale locale;
    QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                       : locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

StudySortKey SortKeyOf(const std::string& text, const QCollator& collator) {
    StudySortKey key;
    if (const std::optional<double> number = ReadNumber(text, '.')) {
        key.number = true;
        key.value = *number;
    } else {
        key.text = FromUtf8(text);
        key.collated = collator.sortKey(key.text);
    }
    return key;
}

StudySortFilter::StudySortFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    // "in all columns" from the start; -1 is not the proxy's own default.
    setFilterKeyColumn(-1);
}

bool StudySortFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    // The keys of one column, made once a row for the whole sort.
    const auto& model = static_cast<const StudyModel&>(*sourceModel());
    const StudyModel::SortKey& a = model.KeyOf(left.row(), left.column());
    const StudyModel::SortKey& b = model.KeyOf(right.row(), right.column());
    if (a.number && b.number) return a.value < b.value;
    // Numbers before texts (an empty result of a refused row is one) in either order.
    if (a.number != b.number) return sortOrder() == Qt::AscendingOrder ? a.number : b.number;
    return a.collated->compare(*b.collated) < 0;
}

}  // namespace zentavo::ui

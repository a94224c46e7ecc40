// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the row form's fields: the words of the word columns as its
// lists show them, what an empty word or number stands for, the ranges the
// methods hold a column's numbers to. In the interface's language.
#pragma once

#include <QString>
#include <string_view>

#include "study/columns.h"

namespace zentavo::ui {

// The context of the form's own texts.
inline constexpr const char* kRowFormContext = "zentavo::ui::TRowForm";

// A word of a word column as the form lists it; the file keeps the word itself.
QString WordShown(StudyInputColumn column, std::string_view word);
// What an empty word cell means, as its list shows it.
QString EmptyWordShown(StudyInputColumn column);
// What an empty number cell stands for, as its field's placeholder shows
// it ("2 s", "none"); empty where an empty cell is nothing.
QString EmptyNumberShown(StudyInputColumn column, char sep);
// The range the methods and devices hold a column's numbers to, in words
// (untranslated; kRowFormContext); none for the network's own ranges.
const char* MethodRange(StudyInputColumn column);

}  // namespace zentavo::ui

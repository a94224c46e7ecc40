// SPDX-License-Identifier: GPL-3.0-or-later
// The interface in the user's language: the program's translation and the
// toolkit's own, and the texts of the Qt-free libraries translated where the
// windows show them.
#pragma once

#include <QString>
#include <string_view>

class QLabel;
class QLocale;

namespace zentavo::ui {

// Installs on the running application the program's translation for the
// language of `locale`, and the toolkit's for its standard dialogs and
// buttons. The program's is looked for beside the installed program
// (share/zentavo/translations), then in the build tree. English, or a
// language without a translation, installs nothing of the program's: every
// text stays as written. Returns the language code loaded ("es", "fr"), or
// an empty string.
QString InstallTranslations(const QLocale& locale);

// A text of the libraries (a warning, a result word, an item of a list, a
// caption) in the user's language. A text made of several known sentences
// (a joined warning) is translated sentence by sentence; a known sentence
// with a value in it ("'abc' is not a valid floating point value") keeps the
// value; anything unknown (a number, a name) stays as it is.
QString LibraryText(const QString& english);
QString LibraryText(std::string_view english);

// The English words a caption set by SetCaption stands for: what the report
// file and the label read, whatever language the window shows.
QString EnglishText(const QLabel* label);

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// Small helpers that build the pixel layouts of the windows: every control
// gets its object name, rectangle and caption in one line.
#pragma once

#include <QButtonGroup>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <optional>

#include "label/label_settings.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zentavo::ui {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y);
QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& title, int x, int y, int w,
                     int h);
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, int x, int y, int w);
QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items, int x, int y,
                     int w);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int x, int y,
                        int w = 75, int h = 25);
// The small picture button that leaves the program.
QPushButton* MakeExitButton(QWidget* parent, int x, int y);
// A 2-pixel horizontal rule.
QWidget* MakeRule(QWidget* parent, const char* name, int x, int y, int w);

// The controls of the windows laid out by Qt's layouts (the 2018 and DC
// windows), each with its object name: a label (a caption, or a result the
// window finds by name), a field, and a button that Enter in a field does
// not press.
QLabel* NamedLabel(const QString& name, const QString& text = QString());
QLineEdit* NamedEdit(const char* name);
QPushButton* NamedButton(const char* name, const QString& text);

// A titled group of radio buttons with one item index, -1 when none is chosen.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(QWidget* parent, const char* name, const QString& title, const QStringList& items,
               int columns, int x, int y, int w, int h);
    int itemIndex() const;
    void setItemIndex(int index);
    QString itemText(int index) const;

signals:
    // The user chose an item.
    void itemClicked(int index);

private:
    QButtonGroup group_;
};

// Escape in `window` clicks `wayOut`, the button that closes it (as Escape
// closes a dialog).
void CloseOnEscape(QWidget* window, QPushButton* wayOut);

void SetBold(QWidget* w, bool bold);
void SetTextColor(QLabel* label, const QColor& color);
QColor TextColor(const QLabel* label);

// The decimal separator of the user's locale: ',' or '.'.
char LocaleDecimalSeparator();

// The label language of the desktop's language, the one the windows are
// shown in (Spanish, French, English); none for a language the labels are
// not written in.
std::optional<LabelLanguage> DesktopLabelLanguage();
// The language a label takes until one is chosen: the desktop's, English
// where the labels have no such language.
LabelLanguage DefaultLabelLanguage();
// The decimal separator of a label in `language`: the desktop's where the
// label is in the desktop's language, the language's own otherwise (an
// English label on a Spanish desktop writes "11.67", a Spanish one "11,67").
char LabelDecimalSeparator(int language);

// UTF-8 views of texts for the engine.
std::string Utf8(const QString& s);
QString FromUtf8(std::string_view s);

}  // namespace zentavo::ui

namespace zentavo::ui {
// Sets a label's text, given in English, shown in the user's language
// (LibraryText); EnglishText gives the English back. Labels are placed by
// their top-left corner.
void SetCaption(QLabel* label, const QString& text);
// The same for a text wrapped at its spaces only: never after a hyphen
// ("V-rated"), which a word joiner holds to what follows, once translated.
void SetCaptionWrappedAtSpaces(QLabel* label, const QString& text);
// The text that sets: `text` in the user's language, a word joiner after each hyphen.
QString WrappedAtSpacesText(const QString& text);
// A caption wider than `width` pixels broken into lines at its spaces, each
// as long as fits (a word longer than that stands alone). Its whole text is
// kept: calling it again, after the caption was set anew, breaks that text.
void BreakCaption(QLabel* label, int width);
// Keeps room in `label` for the tallest of `texts` word-wrapped in `width`
// pixels (hidden or not), so that its window keeps its size whatever it shows;
// its text starts at the top of that room.
void ReserveWrappedRoom(QLabel* label, const QStringList& texts, int width);
// Moves a label; it still reaches to the right edge of its parent.
void MoveLabel(QLabel* label, int x, int y);
// Every caption of `window` shows whole: one that does not fit between its
// left edge and its panel's right edge at the size it was made with is drawn
// in the largest smaller size (in quarter points) that fits.
void FitCaptions(QWidget* window);
}  // namespace zentavo::ui

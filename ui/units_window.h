// SPDX-License-Identifier: GPL-3.0-or-later
// The units window: the six unit choices of the run. "Save and close" puts
// the chosen words into the captions and converts the distances already
// typed, and refuses a typed word that is none of a selector's items;
// "Ignore and close" restores the choices it was opened with.
#pragma once

#include <QWidget>

#include "engine/units.h"

class QComboBox;
class QPushButton;

namespace zentavo::ui {

class Application;

class TFormUnits : public QWidget {
    Q_OBJECT
public:
    explicit TFormUnits(Application& app);

    // The current unit choices: the units the six selectors name (their
    // items, whatever the case and blanks around them). A selector whose text
    // names none of its items gives the unit last in force.
    UnitSettings Units() const;

    void FormShow();
    void Button1Click();  // "Save and close"
    void Button2Click();  // "Ignore and close"

    QComboBox* Gap_Units;
    QComboBox* WD_units;
    QComboBox* FlashBound_units;
    QComboBox* ComboBox2;
    QComboBox* Pressure_units;
    QComboBox* TNT;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Lets the selectors take typed words.
    void MakeEditable();

private:
    void BackToMain();
    // True when every selector names one of its items; else the error box
    // names the first that does not.
    bool AllAreUnits();

    Application& app_;
    UnitSettings inForce_;  // the choices last saved or kept
};

}  // namespace zentavo::ui

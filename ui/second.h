// SPDX-License-Identifier: GPL-3.0-or-later
// The intermediate results window of the empirical model: echoes the inputs,
// shows both arcing currents and asks for the two arc durations.
#pragma once

#include <QWidget>

#include "engine/empirical.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zentavo::ui {

class Application;
class RadioGroup;

class TSecond : public QWidget {
    Q_OBJECT
public:
    explicit TSecond(Application& app);

    // What the main window's "Next" does once the arcing currents are known.
    void ShowFromMain(const ArcCurrentOutcome& currents);

    void FormShow();
    void Button2Click();  // "Next"
    void Button1Click();  // "Back"
    void BitBtn1Click();  // exit

    QGroupBox* EquipClassGroup;
    QComboBox* EquipClassBox;
    QGroupBox* GapGroup;
    QLineEdit* GapEdit;
    QLabel* Label1;
    RadioGroup* GroundGroup;
    QGroupBox* WorkDistancegroup;
    QLineEdit* WorkDistEdit;
    QLabel* Label2;
    QGroupBox* BoltedCurGroup;
    QLineEdit* IbfEdit;
    QGroupBox* VoltageGroup;
    QLineEdit* VoltEdit;
    QGroupBox* GroupBox1;
    QLineEdit* IaEdit;
    QGroupBox* GroupBox2;
    QLineEdit* Ia15Edit;
    QGroupBox* GroupBox3;
    QLineEdit* t1Edit;
    QGroupBox* GroupBox4;
    QLineEdit* Edit2;
    QGroupBox* GroupBox5;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Application& app_;
};

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the inputs of the three methods on three tabs, "Next",
// and the menus to the option windows, the editor, help and about box.
#pragma once

#include <QMainWindow>

#include "engine/units.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QMenu;
class QAction;

namespace zentavo::ui {

class Application;
class RadioGroup;

class Tmain : public QMainWindow {
    Q_OBJECT
public:
    explicit Tmain(Application& app);

    // Controls other windows read.
    QTabWidget* PageControl1;
    QLabel* Label12;
    // Empirical tab.
    QComboBox* EquipClassBox;
    QLineEdit* GapEdit;
    QLabel* Label1;
    RadioGroup* GroundGroup;
    QLineEdit* WorkDistEdit;
    QLabel* Label2;
    QLineEdit* IbfEdit;
    QLineEdit* VoltEdit;
    // Fuse tab.
    QComboBox* Fuse_Eq_Class;
    QLineEdit* Fuse_Gap;
    QLabel* Label7;
    QLineEdit* Fuse_Work_Dist;
    QLabel* Label8;
    RadioGroup* RadioGroup1;
    QLineEdit* Fuse_Volt;
    QLineEdit* Fuse_Ibolt;
    QComboBox* FuseClass;
    RadioGroup* RadioGroup2;
    // Breaker tab.
    QComboBox* CB_Equip;
    QLineEdit* CB_Gap;
    QLabel* Label13;
    QLineEdit* CB_workdist;
    QLabel* Label14;
    QLineEdit* CB_Ibolt;
    QLineEdit* CB_volt;
    QComboBox* Breakertype;
    QLineEdit* ir_edit;
    QLineEdit* it_edit;

    QPushButton* Calc1;
    QPushButton* BitBtn1;

    // Handlers.
    void FormShow();
    void PageControl1Change(int index);
    void Calc1Click();
    void Open1Click();
    void Exit1Click();
    void Labelformat1Click();
    void Units1Click();
    void Contents1Click();
    void About1Click();

    // 0 empirical model, 1 fuse equations, 2 circuit breakers.
    int ActiveMethod() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildEmpiricalTab(QWidget* page);
    void BuildFuseTab(QWidget* page);
    void BuildBreakerTab(QWidget* page);
    void CalculateEmpirical();
    void CalculateFuse();
    void CalculateBreaker();
    // The unit of a distance field, as its caption names it.
    LengthUnit CaptionUnit(const QLabel* caption) const;

    Application& app_;
    QMenu* Options1;
    QWidget* EquipClassGroup;
    QWidget* VoltageGroup;
    QWidget* GroupBox6;
    QWidget* GroupBox13;
};

}  // namespace zentavo::ui

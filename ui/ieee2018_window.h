// The window of the IEEE 1584-2018 model: its inputs with an equipment-type
// picker of typical values, both cases of the result with the governing one
// in red, the report block and the warning label.
#pragma once

#include <QString>
#include <QWidget>

#include "engine/ieee2018.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zentavo::ui {

class Application;

class TIeee2018 : public QWidget {
    Q_OBJECT
public:
    explicit TIeee2018(Application& app);

    void FormShow();             // unit captions from the units window
    void EquipmentBoxChange(int index);  // typical values of the equipment type
    void ComputeClick();         // "Compute", also Enter in any field
    void BackClick();            // "Back": the main window
    void SaveClick();            // "Save results": the 2018 report block
    void LabelClick();           // "Create label"
    void ExitClick();

    QLabel* L(const char* name) const;

    QComboBox* EquipmentBox;
    QComboBox* ElectrodeBox;
    QLineEdit* VoltEdit;
    QLineEdit* IbfEdit;
    QLineEdit* GapEdit;
    QLineEdit* HeightEdit;
    QLineEdit* WidthEdit;
    QLineEdit* DepthEdit;
    QLineEdit* WorkDistEdit;
    QLineEdit* ArcTimeEdit;
    QLineEdit* ArcTimeReducedEdit;
    QPushButton* ComputeButton;
    QPushButton* BackButton;
    QPushButton* SaveButton;
    QPushButton* LabelButton;
    QPushButton* ExitButton;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowResults(const Ieee2018Outcome& out);
    void SetResultUnits();

    Application& app_;
    QString lastReportName_;
    // The last accepted calculation: the label reads its values.
    Ieee2018Outcome last_;
    bool hasResult_ = false;
    // The inputs the results belong to, as typed: the report and the label
    // name these, whatever is edited after "Compute".
    struct Typed {
        QString voltage, boltedCurrent, gap, height, width, depth, workDist, arcTime,
            arcTimeReduced, equipment, gapUnit, workDistUnit;
    } typed_;
};

// "IEEE 1584-2018 model" of the main window's Options menu: the window
// (made on first use) replaces the main window.
void OpenIeee2018Window(QWidget& mainWindow, Application& app);
// The window once it has been opened from `mainWindow`, else null.
TIeee2018* FindIeee2018Window(QWidget& mainWindow);

}  // namespace zentavo::ui

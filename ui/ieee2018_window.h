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

    void FormShow();             // FollowUnits
    // The units window applied (or restored) the units: the typed lengths are
    // converted so that they keep their values, the captions follow, and any
    // result shown is cleared. Nothing happens when the units are those shown.
    void FollowUnits();
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
    // Clears the results and disables "Save results" and "Create label": an
    // input changed, so the results no longer belong to what is on screen.
    void ClearResults();
    void SetInputCaptions();
    void SetOutputCaptions(const UnitSettings& units);
    void EnableEnclosure();  // the enclosure fields only where there is an enclosure

    Application& app_;
    QString lastReportName_;
    // The units the length fields are typed in (GapUnit, WorkDistUnit) and
    // the output units the result captions name.
    UnitSettings shownUnits_;
    // One per length field: gap, height, width, depth, working distance.
    LengthFieldUnits lengthUnits_[5];
    // The last accepted calculation: the label reads its values.
    Ieee2018Outcome last_;
    UnitSettings resultUnits_;  // the units it was computed and shown in
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

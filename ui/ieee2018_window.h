// SPDX-License-Identifier: GPL-3.0-or-later
// The window of the IEEE 1584-2018 model: its inputs with an equipment-type
// picker of typical values, both cases of the result with the governing one
// in red, the report block and the warning label.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "engine/ieee2018.h"
#include "engine/ieee2018_device.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zentavo {
struct Ieee2018ReportTexts;
struct LabelContentInputs;
}  // namespace zentavo

namespace zentavo::ui {

class Application;
class DevicePanel;
class TimeCurrentView;

class TIeee2018 : public QWidget {
    Q_OBJECT
public:
    // The widest line of a caption, and the width of each case's column of
    // results (pixels).
    static constexpr int kCaptionWidth = 170;
    static constexpr int kValueWidth = 140;

    explicit TIeee2018(Application& app);

    // "IEEE 1584-2018 model" of the main window's Options menu: this window
    // replaces the main window, with the cursor in the voltage field.
    void Open();
    // The units window applied (or restored) the units: the typed lengths are
    // converted so that they keep their values, the captions follow, and any
    // result shown is cleared. Nothing happens when the units are those shown.
    void FollowUnits();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Handlers, each run under the application's error handler.
    void FormShow();                     // FollowUnits
    void EquipmentBoxChange(int index);  // typical values of the equipment type
    void ComputeClick();                 // "Compute", also Enter in any field
    void BackClick();                    // "Back": the main window
    void SaveClick();                    // "Save results": the 2018 report block
    void LabelClick();                   // "Create label"
    void ExitClick();

    // The parts of the window, built in this order by the constructor.
    QGroupBox* BuildInputs();
    QGroupBox* BuildResults();
    QHBoxLayout* BuildButtons();
    void ConnectControls();

    void ShowResults(const Ieee2018Outcome& out);
    // Clears the results and disables "Save results" and "Create label": an
    // input changed, so the results no longer belong to what is on screen.
    void ClearResults();
    // The captions broken into lines that keep the window narrow enough.
    void BreakCaptions();
    // The clothing lines' room kept for the longest level's text.
    void ReserveResultRoom();
    void SetInputCaptions();
    void SetOutputCaptions(const UnitSettings& units);
    void EnableEnclosure();  // the enclosure fields only where there is an enclosure
    // A caption or result label of the window, by its object name.
    QLabel* L(const char* name) const;

    // The arc duration: typed, or found from a protective device
    // (ui/ieee2018_duration.cpp).
    QGroupBox* BuildDuration();
    void ConnectDuration();
    void DurationSourceChange();  // typed fields or the device's
    bool FromDevice() const;
    // The calculation of the fields `f`, its durations typed or the device's.
    Ieee2018Outcome RunWithDurations(const Ieee2018Fields& f, const UnitSettings& u);
    void ShowDurations();
    void ClearDurations();
    void AddDurationsToReport(Ieee2018ReportTexts& r) const;
    // The cautions of the device, one a line, named by the fields' captions
    // in the user's language.
    QString CautionText() const;
    // The device and the label's case's duration, for the label's footer.

    Application& app_;

    // The inputs, in the order of the form; the captions and results are
    // labels found by name (L).
    QComboBox* EquipmentBox = nullptr;
    QComboBox* ElectrodeBox = nullptr;
    QLineEdit* VoltEdit = nullptr;
    QLineEdit* IbfEdit = nullptr;
    QLineEdit* GapEdit = nullptr;
    QLineEdit* HeightEdit = nullptr;
    QLineEdit* WidthEdit = nullptr;
    QLineEdit* DepthEdit = nullptr;
    QLineEdit* WorkDistEdit = nullptr;
    QLineEdit* ArcTimeEdit = nullptr;
    QLineEdit* ArcTimeReducedEdit = nullptr;
    // The buttons: "Compute" under the inputs, the others along the bottom.
    QPushButton* ComputeButton = nullptr;
    QPushButton* BackButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* LabelButton = nullptr;
    QPushButton* ExitButton = nullptr;
    // The arc duration's source: the typed durations or a device's fields
    // and picture.
    QComboBox* DurationSourceBox = nullptr;
    QWidget* Typed = nullptr;
    DevicePanel* Device = nullptr;
    TimeCurrentView* CurveView = nullptr;

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
    // With a device: what it gave for the last accepted calculation.
    struct FoundDurations {
        bool used = false;
        ArcDuration full, reduced;          // at the arcing current and at the reduced one
        std::vector<std::string> settings;  // the device as the report states it
        std::optional<ProtectiveDevice> device;
        DeviceType type = DeviceType::Relay;  // as the label names the device
        std::optional<RelayCurve> relayCurve;
        // The settings no device offers, as the engine names them: the point
        // is computed as typed, the window says so (CautionText) and the
        // report notes them.
        std::vector<std::string> cautions;
    } durations_;
};

}  // namespace zentavo::ui

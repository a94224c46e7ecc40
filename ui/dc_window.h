// SPDX-License-Identifier: GPL-3.0-or-later
// The DC arc flash window (Options, DC arc flash): a battery's, a DC
// switchboard's or a PV combiner's inputs, both methods of NFPA 70E Annex
// D.5 side by side (maximum power, arc resistance) with their notes, the
// arc duration typed, from a protective device or assumed, the report
// block and the label of the method chosen.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "engine/dc_arc_flash.h"
#include "engine/ieee2018.h"
#include "engine/protection.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zentavo {
struct DcReportCase;
}  // namespace zentavo

namespace zentavo::ui {

class Application;
class DevicePanel;
class TimeCurrentView;

class TDcArcFlash : public QWidget {
    Q_OBJECT
public:
    // The narrowest a method's column of results can be.
    static constexpr int kValueWidth = 150;
    // The narrowest the notes under the inputs can be.
    static constexpr int kNotesWidth = 320;

    explicit TDcArcFlash(Application& app);

    // "DC arc flash" of the main window's Options menu: this window replaces
    // the main window, with the cursor in the voltage field.
    void Open();
    // The units window applied (or restored) the units: the typed lengths
    // keep their values, the captions follow, and any result shown is cleared.
    void FollowUnits();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Handlers, each run under the application's error handler.
    void ComputeClick();  // "Compute", also Enter in any field
    void BackClick();
    void SaveClick();     // "Save results": the DC report block
    void LabelClick();    // "Create label": the label of the method chosen
    void ExitClick();
    void DurationSourceChange();

    // The parts of the window, built in this order by the constructor.
    QGroupBox* BuildInputs();
    QGroupBox* BuildResults();
    QGroupBox* BuildNotes();
    QGroupBox* BuildDuration();
    QHBoxLayout* BuildButtons();
    void ConnectControls();

    // The results of the last calculation into the window's labels.
    void ShowResults();
    // Clears the results and disables "Save results" and "Create label": an
    // input changed, so the results no longer belong to what is on screen.
    void ClearResults();
    void SetCaptions(const UnitSettings& units);
    // Room kept for the results that wrap, whatever they show.
    void ReserveResultRoom();
    // The notes of the two methods as shown: once where they agree.
    QString NotesText(const std::string& maxPower, const std::string& arcResistance) const;
    // "Create label" where the method chosen for the label has results.
    void EnableLabel();
    QLabel* L(const QString& name) const;
    bool FromDevice() const;
    // The element that gave a device's duration, in the window's words.
    static QString ElementText(DeviceElement e);
    QString DurationText(const DcOutcome& out) const;
    DcReportCase ReportCase(int method) const;

    Application& app_;

    QComboBox* BoxBox = nullptr;  // the enclosure
    QLineEdit* VoltEdit = nullptr;
    QLineEdit* IbfEdit = nullptr;
    QLineEdit* SourceREdit = nullptr;
    QLineEdit* GapEdit = nullptr;
    QLineEdit* WorkDistEdit = nullptr;
    QLineEdit* ArcTimeEdit = nullptr;
    QComboBox* LabelMethodBox = nullptr;  // the method the label carries
    QPushButton* ComputeButton = nullptr;
    QPushButton* BackButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* LabelButton = nullptr;
    QPushButton* ExitButton = nullptr;
    QComboBox* DurationSourceBox = nullptr;
    DevicePanel* Device = nullptr;
    TimeCurrentView* CurveView = nullptr;

    QString lastReportName_;
    UnitSettings shownUnits_;          // the units the captions name
    LengthFieldUnits lengthUnits_[2];  // gap, working distance
    // The last calculation: each method's outcome, none where it refused
    // (its message kept for the report), in the order of DcMethod.
    std::optional<DcOutcome> results_[2];
    std::string refusals_[2];
    UnitSettings resultUnits_;
    // The inputs the results belong to, as typed.
    struct Typed {
        QString voltage, boltedCurrent, sourceResistance, gap, workDist;
        DcBox box = DcBox::Open;
        QString gapUnit, workDistUnit;
    } typed_;
    // With a device: its settings as the report states them, the device,
    // and the settings no device offers.
    struct FoundDevice {
        std::vector<std::string> settings;
        std::optional<ProtectiveDevice> device;
        DeviceType type = DeviceType::Relay;
        std::optional<RelayCurve> relayCurve;
        std::vector<std::string> cautions;
    };
    std::optional<FoundDevice> device_;
};

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The study window: many points of work in one table, kept as a study file,
// with the results recomputed as the inputs change, the results exported as
// the batch calculator writes them, and the labels and report of the study.
#pragma once

#include <QDate>
#include <QKeySequence>
#include <QMainWindow>
#include <QModelIndexList>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "io/file_io.h"
#include "render/study_pdf.h"
#include "ui/study_model.h"

class QAction;
class QComboBox;
class QPushButton;
class QSpinBox;
class QCheckBox;
class QDockWidget;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTableView;

namespace zentavo::ui {

class Application;
class TimeCurrentView;

class TStudy : public QMainWindow {
    Q_OBJECT
public:
    // A window for `file`, read from `path` (empty for a new study) with
    // the fingerprint `print`.
    TStudy(Application& app, StudyFile file, const QString& path,
           std::optional<FileFingerprint> print = std::nullopt);
    ~TStudy() override;

    StudyModel& model() { return *model_; }
    // The table's sort and filter over the study.
    StudySortFilter& view() { return *proxy_; }
    const QString& path() const { return path_; }

    // Saves to the study's file (asking for a name when it has none); true when saved.
    bool Save();
    // Unsaved changes: asks whether to save them; false when the user cancels
    // or the save fails.
    bool ReadyToClose();
    bool IsModified() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Handlers of the menus (ui/study_actions.h), each run under the
    // application's error handler.
    void NewStudyClick();   // a window of a new study
    void SwitchPaneClick();  // View, F6: the keyboard from the table to the row form and back
    void OpenStudyClick();  // a window of a study chosen
    void SaveClick();       // see Save()
    void SaveAsClick();
    // What the study writes and loads besides itself (ui/study_export.cpp).
    void LoadCurvesClick();  // File, "Load device curves…": the fuse curves by name
    void ExportClick();     // "Export results…": the batch calculator's output CSV
    void LabelsClick();     // "Labels…": one PDF page per computed row
    void ReportClick();     // "Report…": the study report PDF
    void PrintReportClick();
    void AddRowClick();         // a point made like the current row
    void AddPointOnBusClick();  // a point on the current row's bus
    void AddFeederClick();      // a cable from the current row's bus to a new bus
    void AddRowOf(NewRowKind kind);
    // A bus renamed in every cell naming it, as one undo step, the new name
    // asked for; a name another bus has, or none, refused with why
    // (ui/study_bus_rename.cpp). Edit, "Rename this bus…" renames the
    // current row's bus; the one-line's bus menu, its bus.
    void RenameBusClick();
    void RenameBus(const std::string& bus);
    void DuplicateClick();
    void DeleteClick();
    void ClearCellsClick();  // Delete: the selected cells emptied
    void CopyClick();
    void PasteClick();
    // "Export picture…" of the curve dock: the picture shown, as a PNG or an
    // SVG file by the name's extension; never over the study's own file.
    void ExportCurveClick();
    // The network's choices and view (ui/study_network_bar.cpp).
    void NetworkClick();    // "Network…": the buses and the tree of the study's network
    void ShortCircuitChange();
    void ArcStepsChange();
    void ArcCurrentRangeChange();
    // Options outside their ranges told with the study library's refusal; true then.
    bool OptionsRefused(const StudyOptions& options);

    // The parts of the window, built in this order by the constructor.
    QHBoxLayout* BuildFilterRow(QWidget* central);
    void BuildNetworkBar();  // the short-circuit choices (ui/study_network_bar.cpp)
    void BuildTable(QWidget* central);
    void BuildCurveDock();  // ui/study_curve.cpp
    void BuildRowFormDock();
    // The current point's arc steps (what fed each, how long, what ended
    // it) and its energy in each scenario; empty for a point with neither.
    QString StepListText(std::size_t row) const;
    void ConnectControls();
    void BuildMenus();  // the menu bar (ui/study_actions.h) connected to the handlers

    // Each column as wide as its heading and the first rows' cells.
    void SizeColumns();
    // The columns (the name's alone unless `every`) made wide enough for these rows.
    void WidenColumns(int first, int last, bool every);
    // A column sorted with its greatest values first at its first click.
    bool HighestFirst(int column) const;
    void UpdateTitle();
    void UpdateStatus();
    // Edit, "Compute again": every row, after a stopped computation or to be sure.
    void ComputeAgainClick();
    // The columns of the groups folded away (View, Columns) are hidden; the
    // result columns of the device and network groups show only in a study
    // that has their input columns.
    void UpdateColumns();
    // The network view, when open, shows the network as now computed.
    void UpdateNetworkView();
    // The time-current picture of the current row's protective device, from
    // the row's results as they stand; a text saying why when it has none.
    // With several rows selected, the dock shows their devices together
    // (the row form keeps the current row's).
    void UpdateCurve();
    // The picture of a row's device beside the devices of its arc's steps,
    // their currents at `volts` (the lowest of their voltages when none or
    // not one of them; `voltages` their voltages, none without steps'
    // devices); none, with `why`, for a row without one (or no row, -1).
    std::optional<render::TimeCurrentPlot> RowCurve(int row, QString& why,
                                                    std::optional<double> volts,
                                                    std::vector<double>& voltages) const;
    // The devices of several rows together, the first six that have one (as
    // many as the picture has colours), their currents at `volts` (the
    // lowest of their voltages when none or not one of them); `why` names
    // the rows left out and why, `voltages` the voltages of those drawn.
    std::optional<render::TimeCurrentPlot> RowsCurve(const std::vector<int>& rows,
                                                     std::optional<double> volts, QString& why,
                                                     std::vector<double>& voltages) const;
    // The filter's column list, headed as the table's columns.
    void UpdateFilterColumns();
    // The selected rows, in the model's order.
    std::vector<int> SelectedRows() const;
    // The selected cells, as the model's indexes.
    QModelIndexList SelectedCells() const;
    int CurrentModelRow() const;
    void ApplyUnits();
    bool SaveTo(const QString& path);
    // A file name beside the study's for an export, or empty for a new study.
    QString ExportName(const QString& suffix) const;
    bool RunWithProgress(const QString& text, std::size_t total,
                         const std::function<render::StudyExportResult(const render::StudyProgress&)>& run,
                         render::StudyExportResult& result);
    void ReportExport(const render::StudyExportResult& result, const QString& path);
    // Asks which rows the labels or the report take (and the report's title
    // block lines): the study's rows in its order, none when cancelled.
    std::optional<std::vector<int>> ChooseRows(bool report);
    render::StudyReportOptions ReportOptions() const;

    Application& app_;

    // The filter row above the table.
    QLineEdit* FilterEdit = nullptr;
    QComboBox* FilterColumnBox = nullptr;
    // The convention of the network's fault currents: ansi or iec60909; its
    // low-voltage tolerance (+6 % or +10 %, iec60909 only), and the
    // conductors' temperature at the end of the fault for the minimum case
    // (its lowest step: the convention's own).
    QComboBox* ShortCircuitBox = nullptr;
    QComboBox* LvToleranceBox = nullptr;
    QSpinBox* CableEndTempBox = nullptr;
    QCheckBox* ArcStepsBox = nullptr;
    QSpinBox* MotorDecayBox = nullptr;
    QCheckBox* ArcCurrentRangeBox = nullptr;
    // The table of the points, its first column kept in view.
    QTableView* StudyTable = nullptr;
    // The status bar: how many points, computed and refused.
    QLabel* StatusText = nullptr;
    class ComputeProgress* progress_ = nullptr;
    // Beside the table (View, "Time-current curve"): the current row's
    // device curve with its arcing currents marked, or the selected rows'
    // devices together, or why there is none (ui/study_curve.cpp).
    QDockWidget* CurveDock = nullptr;
    QLabel* CurvePoint = nullptr;
    QPushButton* ExportCurveButton = nullptr;  // also the picture's own menu:
    QAction* exportCurveAction_ = nullptr;     // "Export picture…"
    TimeCurrentView* CurveView = nullptr;
    // With several rows selected: the voltage their currents are drawn at,
    // one of theirs (the lowest until chosen).
    QLabel* CurveVoltsLabel = nullptr;
    QComboBox* CurveVoltsBox = nullptr;
    QLabel* NoCurveText = nullptr;
    QLabel* StepList = nullptr;  // the current point's arc steps and scenarios
    // Beside the table (View, "Row form"): the current row as a form.
    QDockWidget* RowFormDock = nullptr;
    class TRowForm* form_ = nullptr;

    // The study and the table's sort and filter over it.
    std::unique_ptr<StudyModel> model_;
    StudySortFilter* proxy_;
    QString path_;
    // The study's file as read or last saved: a save asks before it replaces
    // what another program wrote since.
    std::optional<FileFingerprint> print_;
    QString reportProject_, reportClient_, reportAuthor_;  // as last given for a report
    QString engineer_;                                     // the report's engineer, as last given
    // As last given for the labels: their standard, page, DANGER above 600 V;
    // and the date of the assessment (today until given), on the labels and the report.
    LabelStandard labelStandard_ = LabelStandard::Nfpa70e;
    LabelPageSize labelSize_ = LabelPageSize::In6x4;
    // The labels' language: the desktop's until chosen (set by the constructor).
    LabelLanguage labelLanguage_ = kEnglish;
    bool dangerAbove600_ = false;
    QDate assessmentDate_ = QDate::currentDate();
    class TNetworkView* networkView_ = nullptr;  // made when first asked for, in its dock
    QDockWidget* NetworkDock = nullptr;
    int sortedColumn_ = -1;  // the column the table was last sorted by
    // The table's current cell (model row, column) while the model is reset.
    std::optional<std::pair<int, int>> currentBeforeReset_;
    QSet<int> folded_;  // the groups of columns folded away (StudyModel::Group)
    class OneLineDock* oneLine_ = nullptr;       // View, "One-line diagram" (ui/one_line_view.h)
};

// The keys of "New study" in the main window and every study window:
// Ctrl+Shift+N, which no other entry of theirs takes.
inline QKeySequence NewStudyKeys() {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N);
}

// "New study" and "Open study…" of the main window's File menu: a study
// window of its own for each study.
TStudy* NewStudyWindow(Application& app);
TStudy* OpenStudyWindow(Application& app, QWidget* parent);
// Reads a study file into a window; refuses a file that is not a regular
// file, larger than the program takes, or not a study.
TStudy* OpenStudyFile(Application& app, const QString& path);

// The studies open, for the questions before the program ends.
std::vector<TStudy*> OpenStudyWindows();

}  // namespace zentavo::ui

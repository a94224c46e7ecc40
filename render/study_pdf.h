// SPDX-License-Identifier: GPL-3.0-or-later
// The two PDFs of a study: one warning label page per computed point of work,
// and the study report (the table of all points, the points computed with a
// caution, the refused rows and a note on the methods). Both paint with Qt
// Gui only, so the study window and the batch calculator (offscreen) write
// the same files.
//
// The points are handed over one at a time by index through `StudyPointAt`,
// so the caller decides whether a study is held whole or read on demand. A
// progress callback is called after each point; returning false cancels the
// export, and the caller discards what was written. The file variants write
// through a temporary file renamed over the target at the end: a cancelled
// or failed export leaves no file, and an older file of that name unchanged.
#pragma once

#include <QLocale>
#include <QPageSize>
#include <QString>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "label/content.h"
#include "label/layout.h"
#include "label/point_label.h"
#include "label/sheet.h"
#include "label/standard.h"
#include "render/time_current.h"
#include "study/columns.h"
#include "study/network_study.h"
#include "study/point_result.h"

class QIODevice;
class QPagedPaintDevice;

namespace zentavo::oneline {
struct Diagram;
}

namespace zentavo::render {

// One point of work: its name (the study's `point` column), its input texts
// by column and its result (as the study computed it; null for a point not
// computed yet, which counts as refused with no message). The views and the
// result must stay valid until the next call.
struct StudyPointView {
    std::string_view name;
    StudyCells inputs{};
    const PointResult* result = nullptr;
    // A device at its branch's from bus (device_at from) sees that bus's
    // currents: its nominal voltage (V), as the network reads it; 0 where
    // not known.
    double fromBusVolts = 0;
};
// The voltage (V) a row's device sees its currents at: the row's own, or
// its from bus's for a device at that end (`fromBusVolts`); none where not
// known (a row without results or voltage, a from bus not given).
std::optional<double> DeviceVolts(const StudyPointView& row);
// `view`, row `row` of the study, with its from bus's nominal voltage as
// `network` (its first scenario's summary; null: none) gives it.
StudyPointView WithFromBusVolts(StudyPointView view, std::size_t row,
                                const NetworkSummary* network);
using StudyPointAt = std::function<StudyPointView(std::size_t index)>;
// Called after each point with how many are done of how many; false cancels.
using StudyProgress = std::function<bool(std::size_t done, std::size_t total)>;

// What the labels of a study share: the label standard, the label options
// (language, colour, rows of the classic label), the date printed, the
// values of the user's own rows, and the output units and decimal separator
// the results were computed with. Every label takes its language and colour
// from `settings`, the classic label its rows too; a label after NFPA 70E or
// CSA Z462 its page, assessment date and DANGER voltage from `standard`.
struct StudyLabelOptions {
    StandardLabelOptions standard;
    LabelSettings settings = DefaultLabelSettings();
    LabelDate date{1, 1, 2000};
    std::string row1Value, row2Value;
    UnitSettings units;  // the gap and working-distance units come from each row
    char sep = '.';
    // The other point of a point's main section (StudySections), by the
    // index `at` takes; a null result for a point in none. Its view stays
    // valid until its own next call, whatever `at` is asked meanwhile. A
    // section's label carries the larger governing energy of its two
    // points, under its own name, the footer naming the side.
    StudyPointAt sectionOther;
};

// A computed row as its label takes it (the equipment, grounding and typed
// texts from its cells, the rest from its result); and its label inputs,
// built by LabelInputsOf as the results window and the 2018 window build
// theirs, so a study label equals the single label of the same point. The
// label's own layout fields are set later by ComposeLabel.
LabelPoint StudyLabelPoint(const StudyCells& inputs, const PointResult& result, char sep);
LabelContentInputs StudyLabelInputs(const StudyCells& inputs, const PointResult& result,
                                    const UnitSettings& units, char sep);
// The finished label of a computed row, with `name` as the equipment name
// (cut to its first 30 characters).
// `sectionLineSide`: the point's section's side whose results `point` is
// (none: a point in no section).
LabelSheet StudyLabel(const StudyPointView& point, const StudyLabelOptions& options,
                      std::optional<bool> sectionLineSide = std::nullopt);
// The label after a standard of a computed row, its name whole.
StandardLabel StudyStandardLabel(const StudyPointView& point, const StudyLabelOptions& options,
                                 std::optional<bool> sectionLineSide = std::nullopt);

// The time-current picture of a computed row whose durations came from its
// protective device: the device's curve with the currents the device saw at the row's arcing
// currents (unrounded, times its share) marked where it acts on them, or on
// the cap where it does not, each with the duration used and the element
// that gave it ("Iarc: 0.0613 s, instantaneous"; the reduced case "Iarc,min"
// for a 2018 row, "0.85 Iarc" for the 2002 model, where it is computed).
// Its legend names the device and the settings the row gives (DeviceLegend),
// then `others`, drawn beside it (the devices that open in its arc's steps).
// A current its device does not see (a fault on the device's line side)
// has no mark: its text closes the legend ("Iarc: 2 s, capped, no current
// through the device").
TimeCurrentPlot StudyRowTimeCurrent(const PointResult& result, const StudyCells& inputs, char sep,
                                    const std::vector<TimeCurrentDevice>& others = {});
// A device beside a row's own in its picture (one that opens in the row's
// arc steps): its name and the voltage it sees its currents at (V, its
// row's DeviceVolts; none where not known).
struct StepDeviceView {
    const ProtectiveDevice* device = nullptr;
    QString name;
    std::optional<double> volts;
};
// The voltages of a row's picture beside `others`: its device's and
// theirs, each once, lowest first; none without others or where the row's
// own is not known (each device then at its own currents).
std::vector<double> StudyRowVoltages(const StudyPointView& row,
                                     const std::vector<StepDeviceView>& others);
// StudyRowTimeCurrent of a computed row whose durations came from its
// device (`row.result`), beside `others`, every current at one voltage:
// `referenceVolts`, or the lowest of StudyRowVoltages when none or one not
// theirs is given (a 13.8 kV relay opening above a 480 V main is drawn at
// its current times 13 800 / 480), which the current axis's title names
// ("Current (A) at 480 V"). A device of a voltage not known is left out,
// its name closing the legend as such. Without voltages: as
// StudyRowTimeCurrent, each device at its own currents.
TimeCurrentPlot StudyRowTimeCurrentAt(const StudyPointView& row,
                                      const std::vector<StepDeviceView>& others, char sep,
                                      std::optional<double> referenceVolts = std::nullopt);
// The devices of several rows on one picture, for a first look at their
// coordination (MakeCoordinationPlot): each row whose durations came from its
// device, in the order given, its curve in a colour of its own, named in the
// legend with its device ("Feeder 3: relay IEEE-VI, pickup 400 A, …"), and
// its arcing currents marked as StudyRowTimeCurrent marks them, each text led
// by the row's name ("Feeder 3, Iarc: 0.0613 s, instantaneous"; a name of
// more than 30 characters cut). A row without such a device is left out: the
// caller says why. Every device's currents are drawn at `referenceVolts` (a
// row's currents times its voltage over it), the lowest voltage of the rows
// drawn when none or one not theirs is given; the current axis's title says
// which ("Current (A) at 480 V").
TimeCurrentPlot StudyRowsTimeCurrent(const std::vector<StudyPointView>& rows, char sep,
                                     std::optional<double> referenceVolts = std::nullopt);
// The voltages of the rows StudyRowsTimeCurrent draws, each once, lowest first.
std::vector<double> StudyRowsVoltages(const std::vector<StudyPointView>& rows);
// The device a row names and the settings it gives, a line each: "relay
// IEC-SI", "pickup 400 A", "time dial 0.3", ...
QStringList DeviceLegend(const StudyCells& inputs);

// The names longer than 30 characters, cut on their labels: the first
// kCutNamesListed of them, each once and whole as the study holds it, and
// how many labels beyond those carry a cut name (a study of a million long
// names lists a hundred).
inline constexpr std::size_t kCutNamesListed = 100;
struct CutNames {
    std::vector<std::string> listed;
    std::size_t more = 0;
    void Add(std::string_view name);
    bool empty() const { return listed.empty(); }
};

// Writes one label page per computed row, in study order (6 x 4 in for the
// classic label, the page of `options.standard` for the others); refused
// rows get no page. Each name cut on its label (a classic label's beyond 30
// characters, another label's beyond two lines) is listed in `cutNames`
// (when given). Returns the pages written, or -1
// when the progress callback cancelled. A study without a computed row
// writes nothing and returns 0. A device that fails raises
// std::runtime_error; so does a PDF that reaches 2 GiB, the most Qt's PDF
// writer can address (about a million labels).
int WriteStudyLabelsPdf(QIODevice& out, std::size_t count, const StudyPointAt& at,
                        const StudyLabelOptions& options, const StudyProgress& progress,
                        CutNames* cutNames);

// The report's page size for a territory: Letter where Letter paper is the
// custom (the United States, Canada, Mexico and others of the Americas, the
// Philippines), A4 elsewhere.
QPageSize::PageSizeId ReportPageSizeFor(QLocale::Territory territory);
// The report's page size when none is asked for: the paper the system is set
// up for (PAPERSIZE, LC_PAPER, /etc/papersize), else the one of the
// territory of the user's locale.
QPageSize::PageSizeId DefaultReportPageSize();

struct StudyReportOptions {
    QString title = QStringLiteral("Arc flash study");  // see StudyReportTitle
    QString dateText;  // as it is to be printed
    QString project, client, author;  // lines of the title block, those not empty
    // The engineer responsible for the study, name and licence as typed
    // ("A. Engineer, P.E. 12345"): in the report's Scope; empty: not named.
    QString engineer;
    // The date of the arc flash risk assessment ("9 Dec 2026"), a line of
    // the title block on every page; empty: none.
    QString assessmentDate;
    QPageSize::PageSizeId pageSize = QPageSize::A4;  // see DefaultReportPageSize
    UnitSettings units;  // the output units of the results, named in the headings
    // The standard the labels follow, which the points' table speaks too:
    // after NFPA 70E or CSA Z462 the limited and restricted approach
    // boundaries, the minimum arc rating and that standard's PPE items (in
    // English) in place of the classic PPE level, clothing and prohibited
    // approach.
    LabelStandard standard = LabelStandard::Classic;
    // An appendix of the time-current picture of each row's protective
    // device, with its arcing currents marked: the devices the results
    // carry, the point's own and those that opened in its steps.
    bool deviceCurves = false;
    char sep = '.';
    // A study with a network: its buses and their fault currents, by the
    // convention and choices the rows were computed with (named under the
    // short-circuit table); null for a study without one.
    std::shared_ptr<const NetworkSummary> network;  // of the study's first scenario, named in it
    network::SolveOptions shortCircuit;
    // How a network study's arcs were computed, named under "Data and
    // assumptions": cleared in steps (StudyOptions::arcSteps), the motors'
    // contribution ending after `motorDecay` cycles (none: with the last
    // other source), each point's worst over the range of its bolted
    // currents (StudyOptions::arcCurrentRange).
    bool arcSteps = true;
    std::optional<double> motorDecay = 5.0;
    bool arcCurrentRange = false;
    // Its one-line diagram (oneline/diagram.h), on pages of its own before
    // the short-circuit table, cut into sheets at a readable scale where it
    // is large (render/one_line_painter.h); null for none.
    std::shared_ptr<const oneline::Diagram> oneLine;
};

// The title of a study's report: its file's name without folder or extension
// ("plant-study" for /work/plant-study.csv), so the window and the batch
// calculator give one study one title; "Arc flash study" without a file.
QString StudyReportTitle(const QString& studyPath);

// Writes the study report. On every page a title block: the title, the
// project, client and author lines given, the date and "Page n of m". Then
// the count of points and the table of all points, one row each, inputs
// then results: name, edition and equations ("IEEE 1584-2002 empirical",
// "IEEE 1584-2018"), equipment class or electrode configuration, voltage,
// bolted current, gap, enclosure size (2018 rows), working distance, arc
// durations of both cases; then the governing case's arcing current,
// incident energy, flash boundary, PPE level, the case, its clothing and the
// three approach boundaries (output units in the headings, a row's own
// length units beside its values). A name or a word of a list too long for
// its cell is cut with "…"; a heading, a number, the clothing, a device's
// settings and a message are never cut: they wrap, a word too wide broken at
// the cell's edge. A study with a network has, before that table, its one-line
// diagram on pages of its own (where options.oneLine is given) and the short-circuit
// table of its buses (voltage, maximum and minimum bolted current, X/R,
// convention), and the bolted current of each of its rows is the one of the
// case that gave its results, named beside it ("40.774 max"). Then the
// rows computed with a caution about their device's settings and the refused
// rows, each with its status and message, and a note on the methods
// and their ranges. Landscape pages, the table heading repeated on each;
// text stays text. Returns the pages written, or -1 when cancelled (the
// progress counts each point twice: once when the pages are laid out, once
// when they are painted). A device that fails raises std::runtime_error.
int WriteStudyReportPdf(QIODevice& out, std::size_t count, const StudyPointAt& at,
                        const StudyReportOptions& options, const StudyProgress& progress);

// The same report painted onto a device already set up, such as a printer
// chosen in the print dialog (its page size, orientation and resolution).
int PaintStudyReport(QPagedPaintDevice& device, std::size_t count, const StudyPointAt& at,
                     const StudyReportOptions& options, const StudyProgress& progress);

// Qt's PDF writer compresses each page through buffers of 16 MB, taken and
// given back page after page. By default the C library hands such memory
// back to the system at once and maps it again for the next page, which
// costs a study's labels more than half their time. This keeps it on the
// heap (only the little of it that is used stays resident). It sets the C
// library's allocation thresholds for the whole process: for programs that
// write many PDF pages (the batch calculator, the benchmark).
void KeepPdfPageBuffers();

// How a file export ended.
struct [[nodiscard]] StudyExportResult {
    enum Outcome { kWritten, kCancelled, kNothingToWrite, kFailed } outcome = kFailed;
    int pages = 0;
    QString error;  // for kFailed: why, for the user
};

// The same into the file `path`, replaced only when the export is complete.
// Labels of a study without a computed row write no file (kNothingToWrite).
StudyExportResult SaveStudyLabelsPdf(const QString& path, std::size_t count, const StudyPointAt& at,
                                     const StudyLabelOptions& options,
                                     const StudyProgress& progress,
                                     CutNames* cutNames);
StudyExportResult SaveStudyReportPdf(const QString& path, std::size_t count, const StudyPointAt& at,
                                     const StudyReportOptions& options,
                                     const StudyProgress& progress);

}  // namespace zentavo::render

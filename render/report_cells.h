// SPDX-License-Identifier: GPL-3.0-or-later
// The texts a study's PDFs write of a point, from its input texts and its
// result (PointResult), and the report's tables: their columns and each
// row's cells. Decisions come from the result's numbers and enums, never from
// a result text read back.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>
#include <vector>

#include "network/short_circuit.h"
#include "render/study_pdf.h"

namespace zentavo::render {

// The method a row's method cell names, read by the column's words; none
// for a word that is none of them.
std::optional<Method> MethodOf(const StudyCells& in);
bool IsMethod(const StudyCells& in, Method method);
// The equipment class a fuse or breaker row stands for: the one it names,
// else the class its tab computes for.
std::string_view EquipmentClassOf(const StudyCells& in);
// The length unit of a computed row: its unit cells were read when it was
// computed, so a word that is no unit cannot stand there.
LengthUnit RowLengthUnit(std::string_view cell);
// A point's result, or the empty result of a point not computed yet.
const PointResult& ResultOf(const StudyPointView& p);

// A column of a table: its heading, its share of the width, the most lines a
// cell takes, whether it stands among the results (or the inputs), a text
// its cells must show on one line, and whether a cell too long for it may be
// cut (a name, a word of a list) or never is (numbers, clothing, settings,
// messages: see FitLines). Headings are never cut.
struct Column {
    QString heading;
    qreal share;
    int lines = 1;
    bool result = false;
    QString fits = {};
    bool mayCut = false;
};


// The table of the points: inputs, then the governing case's results.
std::vector<Column> PointColumns(const UnitSettings& units, LabelStandard standard = LabelStandard::Classic);
std::vector<QString> PointCells(const StudyPointView& p, const UnitSettings& units, char sep,
                                LabelStandard standard = LabelStandard::Classic);
// The short-circuit table of a study with a network.
std::vector<Column> BusColumns();
std::vector<QString> BusCells(const network::BusResult& b, network::Convention convention);
// The points computed with a caution, and the refused ones: status and message.
std::vector<Column> RefusedColumns();
std::vector<QString> RefusedCells(const StudyPointView& p);
// The protective devices of the rows that name one.
std::vector<Column> DeviceColumns();
std::vector<QString> DeviceCells(const StudyPointView& p, char sep);
// The steps of an arc cleared in steps (the governing case's): a row per
// step, the point's name on its first; `opened` the names of the points
// whose devices opened at the step's end.
std::vector<Column> StepColumns();
std::vector<QString> StepCells(const StudyPointView& p, std::size_t step, const std::vector<std::string>& opened,
                               char sep);
// "relay IEC-SI, pickup 2000 A, time dial 0.3, ...": the device of a row and
// the settings given, in the words and units of its columns.
QString DeviceText(const StudyCells& in);
// " (arc-flash relay)" where special protection opened the step's k-th
// opened device, else nothing: what a curve's name adds.
QString SpecialProtectionNote(const PointStep& step, std::size_t k);
// ", branch share 0.500 maximum case, 0.332 minimum case": on a branch of
// the network without a typed share, the branch's share of each case, which
// the row's device saw in that case; empty otherwise.
QString BranchSharesText(const StudyPointView& p, char sep);

// The sections that tell the study as a whole (render/report_sections.cpp).
// What Scope and Data and assumptions say of the points, gathered in one
// pass over them before the pages are laid out: the refused, the study's
// scenarios (a computed point's, in the study's order) and those with a
// maintenance setting on, the points whose device's duration was capped and
// those above 40 cal/cm².
struct StudySurvey {
    std::size_t refused = 0, capped = 0, above40 = 0;
    std::vector<std::string> scenarios, maintenance;
    void Add(const StudyPointView& p, const UnitSettings& units, char sep);
};
// Scope: the study, its dates, the engineer, what was studied and what not.
QStringList ScopeParagraphs(const StudyReportOptions& o, std::size_t count, const StudySurvey& s);
// Data and assumptions: the fault currents' convention and its factors, the
// cables' temperature, the arcs' steps and the motors' decay, the 2 s
// exposure limit, the arcing-current variation; then the table of where
// each computed point's bolted current and arc duration came from (typed,
// the network's case, its device, the network's devices in steps).
QStringList AssumptionParagraphs(const StudyReportOptions& o, const StudySurvey& s);
std::vector<Column> SourceColumns();
std::vector<QString> SourceCells(const StudyPointView& p, char sep);
// Scenarios compared: a point's rows, one per scenario, its governing
// energy there (or why it is not computed there), the worst marked "worst";
// its name on the first.
std::vector<Column> ScenarioCompareColumns(const UnitSettings& units);
std::vector<std::vector<QString>> ScenarioCompareRows(const StudyPointView& p,
                                                      const UnitSettings& units, char sep);
// Whether a computed point's governing energy is above 40 cal/cm², as its
// label's band takes it (the label says DANGER and lists no PPE).
bool AboveDanger(const StudyPointView& p, const UnitSettings& units, char sep);
// The points above 40 cal/cm²: the energy, what governs it (the case, the
// worst scenario, where its current and duration came from) and its energy
// in each scenario with a maintenance setting on.
std::vector<Column> Above40Columns(const UnitSettings& units);
std::vector<QString> Above40Cells(const StudyPointView& p, const UnitSettings& units, char sep);
// The label schedule: a row per computed point, its label's standard,
// energy, boundary, PPE level (classic) or minimum arc rating, and date.
std::vector<Column> ScheduleColumns(const UnitSettings& units, LabelStandard standard);
std::vector<QString> ScheduleCells(const StudyPointView& p, const StudyReportOptions& o);

// The note on the methods and their ranges, a paragraph each.
extern const char* const kMethodNotes[6];
// The note on the DC methods, written after them by a study with a DC row.
extern const char* const kDcMethodNote;

}  // namespace zentavo::render

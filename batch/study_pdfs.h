// SPDX-License-Identifier: GPL-3.0-or-later
// The batch calculator's labels and report PDFs, and the one-line's SVG. They paint with Qt Gui,
// which takes far longer to load than the whole CSV run of a small study, so
// they live in a module of their own (zentavo-batch-pdf.so) that the batch
// calculator loads only when a PDF is asked for.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/protection.h"
#include "engine/units.h"
#include "label/standard.h"
#include "network/short_circuit.h"

namespace zentavo {

struct NetworkSummary;  // study/network_study.h

struct StudyPdfRequest {
    // The study's computed points (study/point_record.h) in a file open for
    // reading, read back point by point as the pages need them.
    int pointsFd = -1;
    bool network = false;  // the study has network columns: the report shows its buses
    // That network as the run computed the rows over it (its buses, the
    // rows' states, the sections): the report's table and the one-line.
    std::shared_ptr<const NetworkSummary> networkTable;
    std::string inputPath;  // the study's file, empty for standard input
    std::string labelsPath, reportPath;  // empty: not asked for
    // Told on standard error once the labels are written: the points they
    // leave out (the batch calculator's own words); empty: none.
    std::string labelsRefusedNote;
    // The report's title (empty: the study's file name, see
    // render::StudyReportTitle) and its project, client and author lines.
    std::string reportTitle, reportProject, reportClient, reportAuthor;
    std::string engineer;  // --engineer: the engineer's name and licence, in the report's Scope
    bool reportCurves = false;  // --report-curves: the devices' time-current pictures
    // --report-one-line (the default) / --no-report-one-line: a network
    // study's one-line diagram in its report.
    bool reportOneLine = true;
    std::string oneLinePath;  // --one-line: the one-line diagram as SVG; empty: not asked for

    LabelStandard standard = LabelStandard::Nfpa70e;  // --label-standard
    LabelPageSize size = LabelPageSize::In6x4;        // --label-size
    std::optional<LabelDate> assessmentDate;          // --assessment-date; none: today
    std::optional<double> dangerAboveVolts;           // --label-danger-above-volts
    int language = 0;     // LabelLanguage
    bool colour = true;
    bool rowsGiven = false;
    std::vector<int> rows;  // the value rows (LabelEntry 2..14) when rowsGiven
    bool name = true;       // the equipment name on the label
    bool date = false;      // today's date on the label
    std::string paper;      // "a4", "letter" or "locale"
    UnitSettings units;
    char sep = '.';
    network::SolveOptions shortCircuit;  // of a study with a network
    // How its arcs were computed (StudyOptions): in steps, the motors'
    // decay in cycles (none: with the last other source), the range of
    // arcing currents.
    bool arcSteps = true;
    std::optional<double> motorDecay = 5.0;
    bool arcCurrentRange = false;
    bool progress = false;  // a progress line on standard error while the PDFs are written
};

// The module's entry point: writes the PDFs asked for, telling the user on
// standard error what went wrong or which names were cut. Returns the exit
// status: 0 when written, 1 when a PDF could not be written, 2 when memory
// ran out ("out of memory").
using WriteStudyPdfsFunction = int (*)(const StudyPdfRequest& request);
inline constexpr const char* kWriteStudyPdfsSymbol = "zentavo_write_study_pdfs";
inline constexpr const char* kStudyPdfModuleName = "zentavo-batch-pdf.so";

}  // namespace zentavo

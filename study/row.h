// One point of work of a study, computed from its input texts through the
// same engine as the desktop program, so a study and the program always agree.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/method.h"
#include "engine/units.h"
#include "study/columns.h"
#include "study/csv.h"
#include "study/csv_writer.h"

namespace zentavo {

struct StudyOptions {
    UnitSettings units;    // output units; the gap and working-distance units come per row
    char sep = '.';        // decimal separator of the numbers read and written
    unsigned workers = 0;  // threads computing rows; 0: one a core; 1: the caller's thread alone
    std::size_t chunkRows = 2048;  // rows read, computed and written together
    std::size_t maxRecordBytes = csv::kMaxRecordBytes;
    // The CSV read and written: fields separated by `delimiter` (one of
    // csv::IsDelimiter), or by the delimiter of the header row
    // (DetectStudyDelimiter); records ended by `lineEnd`, or by the line end
    // of the input's first line (LF, else CR LF).
    char delimiter = ',';
    bool detectDelimiter = false;
    csv::LineEnd lineEnd = csv::LineEnd::kCrLf;
    bool lineEndOfInput = false;
};

// One row's input texts by column (empty for a column the study lacks) and
// its result texts (all empty on entry).
using StudyRowInputs = std::array<std::string_view, kStudyInputColumnCount>;
using StudyRowResults = std::array<std::string, kStudyResultColumnCount>;

// The numbers of a computed row as the calculation left them, in the
// engine's units: what the row's label (and any later model) reads, never
// the rounded result texts. The empirical equations and the 2018 model fill
// both cases; the theoretically derived, fuse and breaker equations the full
// case alone.
struct StudyRowValues {
    bool computed = false;  // status "ok"; all below keeps its default when not
    Method method = kEmpiricalMethod;
    bool reducedCaseOffered = false;  // the reduced arcing current's case was computed
    bool reducedGoverns = false;      // ... and it has the larger incident energy
    double voltage = 0;               // V
    double gapMm = 0;                 // the gap the equations used
    double arcCurrent = 0, arcCurrentReduced = 0;          // kA
    double incidentEnergy = 0, incidentEnergyReduced = 0;  // J/cm2, after the floors
    double flashBoundary = 0, flashBoundaryReduced = 0;    // mm, after the floors
    std::int32_t ppeIndex = -1, ppeIndexReduced = -1;      // 0..4, 5 beyond level 4; -1: none
    double arcPressure = 0, arcPressureReduced = 0;        // lb/ft2; 0: not computed
    double tntEquivalent = 0, tntEquivalentReduced = 0;    // kg; 0: not computed
};

// Computes one point of work from a fresh shared state: status "ok",
// "warning" (a refusal, with its joined message) or "error" (a value that is
// not a number, a word that is none of its column's words), and the results:
// their numbers, returned, and their texts in `out`.
StudyRowValues ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options,
                               StudyRowResults& out);

}  // namespace zentavo

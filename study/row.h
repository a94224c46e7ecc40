// One point of work of a study, computed from its input texts through the
// same engine as the desktop program, so a study and the program always agree.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/units.h"
#include "study/columns.h"
#include "study/csv.h"

namespace zentavo {

struct StudyOptions {
    UnitSettings units;    // output units; the gap and working-distance units come per row
    char sep = '.';        // decimal separator of the numbers read and written
    unsigned workers = 0;  // threads computing rows; 0: one a core; 1: the caller's thread alone
    std::size_t chunkRows = 2048;  // rows read, computed and written together
    std::size_t maxRecordBytes = csv::kMaxRecordBytes;
};

// One row's input texts by column (empty for a column the study lacks) and
// its result texts (all empty on entry).
using StudyRowInputs = std::array<std::string_view, kStudyInputColumnCount>;
using StudyRowResults = std::array<std::string, kStudyResultColumnCount>;

// Computes one point of work from a fresh shared state: status "ok",
// "warning" (a refusal, with its joined message) or "error" (a value that is
// not a number, a word that is none of its column's words), and the results.
void ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options, StudyRowResults& out);

}  // namespace zentavo

// A study: many points of work in one CSV file, each run through the same
// engine as the desktop program, so a study and the program always agree.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/units.h"

namespace zentavo {

struct StudyOptions {
    UnitSettings units;  // output units; the gap and working-distance units come per row
    char sep = '.';      // decimal separator of the numbers read and written
};

// Receives finished output in pieces, so a large study need not be held whole.
using StudySink = std::function<void(std::string_view)>;

// Reads the study in `input` (CSV with a header row) and writes the result CSV
// to `sink`: the input columns as read, then status, message and the result
// columns. Returns false when the input has no usable header row (nothing is
// written then); rows that cannot be computed are reported in their own
// status and message.
bool RunStudy(std::string_view input, const StudyOptions& options, const StudySink& sink,
              std::string* headerError = nullptr);

// Result columns, in output order.
extern const char* const kStudyResultColumns[];
extern const std::size_t kStudyResultColumnCount;

}  // namespace zentavo

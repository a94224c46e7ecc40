// SPDX-License-Identifier: GPL-3.0-or-later
// The streaming run of a whole study: the study CSV read piece by piece,
// its rows computed in chunks on worker threads, the result CSV written in
// the order of the rows, in bounded memory whatever the size of the study.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "study/csv.h"
#include "study/csv_writer.h"
#include "study/errors.h"
#include "study/row.h"

namespace zentavo {

struct NetworkSummary;  // study/network_study.h

// Receives finished output in pieces, so a large study need not be held whole.
using StudySink = std::function<void(std::string_view)>;
// Fills up to `size` bytes of `buffer` with the study; 0 at its end.
using StudySource = csv::ChunkReader::Source;

// The study of `source` as UTF-8: a study that opens with a UTF-16
// byte-order mark (either byte order: a spreadsheet's "Unicode text") is
// decoded piece by piece, in bounded memory; any other is passed on as it
// is. Throws StudyReadError, from a read, on UTF-16 that is not valid.
StudySource Utf8StudySource(StudySource source);

// A source handing over `text` at most `piece` bytes at a time; `text` must
// outlive it.
StudySource TextSource(std::string_view text, std::size_t piece = SIZE_MAX);

// The delimiter of a study whose header row is `headerLine` (its first
// line, as the input holds it): a comma when the line holds one; else a
// semicolon, then a tab, when the fields it separates name a study column
// (an input column or `point`: "point;method;voltage"); else a comma.
char DetectStudyDelimiter(std::string_view headerLine);

// What a run computed: how many rows it read and which it could not
// compute (no results: HasStudyResults), the first kListed of those by their
// line, name and message, in the order of the rows.
struct StudyRunSummary {
    static constexpr std::size_t kListed = 10;
    struct Refused {
        std::size_t line = 0;  // the line of the input the record starts on
        std::string point, message;
    };
    std::size_t rows = 0, refused = 0;
    std::size_t errors = 0;  // of the refused rows, those of status error
    std::vector<Refused> listed;
    bool network = false;  // the study has network columns: its rows were computed over its network
    // That network in the study's first scenario, as the rows were computed
    // over it: what its report and one-line show. Null without one.
    std::shared_ptr<const NetworkSummary> networkTable;
    // The scenarios asked (StudyOptions::scenarios) that no row of a network
    // study uses (UnusedScenarioNames): most likely mistyped, to be told.
    std::vector<std::string> unusedScenarios;
    // The result columns named among the study's inputs, not read
    // (ResultColumnsAmongInputs), by their names.
    std::vector<std::string> resultColumnsAmongInputs;
    // How the study was read: as Windows-1252; with the decimal separator
    // `sep`, which its first rows did not tell where `decimalUndecided`
    // (they hold both kinds, or no number with a fraction).
    bool cp1252 = false;
    char sep = '.';
    bool decimalUndecided = false;

    void Add(const StudyRunSummary& more);
};

// Reads the study (CSV with a header row, UTF-8 or UTF-16: see
// Utf8StudySource) from `source` and writes the result CSV to `sink`: the
// input columns as read, then the result columns (StudyOutputNames), with
// the delimiter and line ends of the options (`written` receives those
// used). Memory stays bounded whatever the input size: a study whose rows
// hold network text is read whole into a scratch file (std::tmpfile; in
// memory where none can be had) and memory holds its network; network
// columns empty on every row make no network. A study without a usable
// header row raises StudyReadError saying why, nothing written: none, a
// malformed one, a column named twice, or none of the study's columns named
// (most likely read with another delimiter than the study's). Rows that
// cannot be computed are reported in their own status and message. An
// exception of the source, the sink or an allocation, or a StudyReadError,
// ends the run and is passed on. Returns the format written and what the
// run computed.
struct StudyRunOutcome {
    csv::WriteOptions written;
    StudyRunSummary summary;
};
StudyRunOutcome RunStudy(const StudySource& source, const StudyOptions& options, const StudySink& sink);
// The same on a study held in memory.
StudyRunOutcome RunStudy(std::string_view input, const StudyOptions& options, const StudySink& sink);

}  // namespace zentavo

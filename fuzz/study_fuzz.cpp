// SPDX-License-Identifier: GPL-3.0-or-later
// The study runner on any bytes: the CSV reader and every row computation.
//   byte 0: the decimal separator, the output units, and whether the
//           delimiter and line ends come from the input;
//   byte 1: how the input is cut: rows a chunk, bytes a read, longest record;
//   the rest: the study.
// Every record of the study (as UTF-8: a study in UTF-16 decoded) gives
// exactly one output row, each a well-formed record with the header's count
// of fields and a known status, and the output is the same byte for byte
// however the input is cut into reads and chunks. UTF-16 that is not valid
// is never read as a study. No row's trouble leaves its row: an exception
// out of the run other than StudyReadError, or a row whose model stopped
// with one (kStudyModelStopped), is a crash.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "study/csv.h"
#include "study/row.h"
#include "study/run.h"

namespace {

std::string Run(std::string_view input, const zentavo::StudyOptions& options, std::size_t piece,
                bool& read, zentavo::csv::WriteOptions* written = nullptr) {
    std::string out;
    try {
        const zentavo::StudyRunOutcome outcome =
            zentavo::RunStudy(zentavo::TextSource(input, piece), options, [&](std::string_view s) { out.append(s); });
        if (written) *written = outcome.written;
        read = true;
    } catch (const zentavo::StudyReadError&) {
        // A study without a usable header row, refused before anything is
        // written; an error later on (UTF-16 that is not valid) goes on.
        if (!out.empty()) throw;
        read = false;
        return out;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "study_fuzz: an exception left the run: %s\n", e.what());
        std::abort();
    }
    return out;
}

// The study as the runner reads it; false for UTF-16 that is not valid.
bool Decoded(std::string_view input, std::string& text) {
    const zentavo::StudySource source = zentavo::Utf8StudySource(zentavo::TextSource(input));
    char buffer[4096];
    try {
        for (std::size_t n; (n = source(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    } catch (const zentavo::StudyReadError&) {
        return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    zentavo::StudyOptions options;
    options.workers = 1;
    options.sep = (data[0] & 1) ? ',' : '.';
    if (data[0] & 2) options.units.EnergyUnit = zentavo::IncidentEnergyUnit::JoulesPerCm2;
    if (data[0] & 4) options.units.BoundaryUnit = zentavo::LengthUnit::Millimetres;
    options.units.PressureUnit = static_cast<zentavo::BlastPressureUnit>((data[0] >> 3) & 3);
    if (data[0] & 32) options.units.TntUnit = zentavo::TntMassUnit::Grams;
    options.detectDelimiter = options.lineEndOfInput = (data[0] & 64) != 0;
    const std::size_t rows = 1 + (data[1] & 3);  // rows a chunk
    // Small reads cut records everywhere; each read rereads the record it
    // cut from its start, so the smallest are kept for the shorter inputs.
    const std::size_t piece = std::size_t{2} << (((data[1] >> 2) & 3) * 3 + (size > 512 ? 3 : 0));
    options.maxRecordBytes = (data[1] & 0x80) ? 16 + ((data[1] >> 4) & 7) * 40 : 4096;
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    zentavo::StudyOptions cut = options;
    cut.chunkRows = rows;

    std::string text;
    if (!Decoded(input, text)) {
        // The run ends with the error, or refuses the header before reaching it.
        for (const auto& [o, p] : {std::pair{options, input.size() + 1}, std::pair{cut, piece}}) {
            try {
                bool read = false;
                const std::string out = Run(input, o, p, read);
                if (read || !out.empty()) std::abort();
            } catch (const zentavo::StudyReadError&) {
            }
        }
        return 0;
    }

    // The whole study at once, then cut small.
    bool read = false;
    zentavo::csv::WriteOptions written;
    const std::string out = Run(input, options, input.size() + 1, read, &written);
    if (!read) {
        if (!out.empty()) std::abort();
        return 0;
    }
    bool readCut = false;
    if (Run(input, cut, piece, readCut) != out || !readCut) std::abort();

    // Records in, as one reader over the whole study sees them.
    zentavo::csv::ReaderOptions whole;
    whole.maxRecordBytes = options.maxRecordBytes;
    whole.delimiter = written.delimiter;
    zentavo::csv::Reader records(text, whole);
    const std::size_t recordsIn = records.Skip(SIZE_MAX) - 1;  // less the header

    zentavo::csv::ReaderOptions results;
    results.delimiter = written.delimiter;
    zentavo::csv::Reader reader(out, results);
    zentavo::csv::Fields fields;
    if (const zentavo::csv::Record header = reader.Next(fields); !header || header.problem)
        std::abort();
    const std::size_t columns = fields.size();
    std::vector<std::string> header;
    for (std::size_t i = 0; i < columns; ++i) header.emplace_back(fields[i]);
    const std::size_t statusColumn = columns - zentavo::OutputResultColumns(header).size();
    const std::size_t messageColumn = statusColumn + 1;
    std::size_t rowsOut = 0;
    while (const zentavo::csv::Record record = reader.Next(fields)) {
        if (record.problem || fields.size() != columns) std::abort();
        const std::string_view status = fields[statusColumn];
        if (status != "ok" && status != "warning" && status != "error") std::abort();
        const std::string_view message = fields[messageColumn];
        if (message.starts_with(zentavo::kStudyModelStopped)) {
            std::fprintf(stderr, "study_fuzz: %.*s\n", static_cast<int>(message.size()), message.data());
            std::abort();
        }
        ++rowsOut;
    }
    if (rowsOut != recordsIn) std::abort();
    return 0;
}

// A study: many points of work in one CSV file, each run through the same
// engine as the desktop program, so a study and the program always agree.
//
// The library serves the batch program and anything else that holds a study:
// the input columns it understands, the computation of one row from its
// texts, and the streaming run of a whole study CSV.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "study/csv.h"
#include "engine/units.h"

namespace zentavo {

struct StudyOptions {
    UnitSettings units;    // output units; the gap and working-distance units come per row
    char sep = '.';        // decimal separator of the numbers read and written
    unsigned workers = 0;  // threads computing rows; 0: one a core; 1: the caller's thread alone
    std::size_t chunkRows = 2048;  // rows read, computed and written together
    std::size_t maxRecordBytes = csv::kMaxRecordBytes;
};

// The input columns a study understands, matched by header name.
enum StudyInputColumn {
    kMethodColumn,
    kVoltageColumn,
    kBoltedCurrentColumn,
    kGapColumn,
    kGapUnitColumn,
    kWorkDistanceUnitColumn,
    kWorkDistanceColumn,
    kEquipmentClassColumn,
    kGroundingColumn,
    kArcTimeColumn,
    kArcTimeReducedColumn,
    kFuseClassColumn,
    kBreakerTypeColumn,
    kInterruptingRatingColumn,
    kInstantaneousTripColumn,
    kElectrodeConfigurationColumn,  // the IEEE 1584-2018 method's columns
    kEnclosureHeightColumn,
    kEnclosureWidthColumn,
    kEnclosureDepthColumn,
    kEnclosureUnitColumn,
    kStudyInputColumnCount
};
extern const std::array<std::string_view, kStudyInputColumnCount> kStudyInputNames;

// The words a word column takes, in the order of its list: the methods, the
// equipment classes, groundings, fuse classes, breaker types, electrode
// configurations and the length units ("mm", "inches"). Empty for the
// columns that hold numbers. An empty text is also allowed in a word column:
// "mm" for a unit, the first item for fuse_class and breaker_type, "not
// selected" for the others.
std::span<const std::string_view> StudyColumnWords(StudyInputColumn column);

// The result columns, in output order, after the input columns.
enum StudyResultColumn {
    kStatusColumn,
    kMessageColumn,
    kArcingCurrentColumn,
    kArcingCurrentReducedColumn,
    kIncidentEnergyColumn,
    kFlashBoundaryColumn,
    kPpeLevelColumn,
    kClothing1Column,
    kClothing2Column,
    kIncidentEnergyReducedColumn,
    kFlashBoundaryReducedColumn,
    kPpeLevelReducedColumn,
    kClothingReduced1Column,
    kClothingReduced2Column,
    kPressureColumn,
    kPressureReducedColumn,
    kTntColumn,
    kTntReducedColumn,
    kLimitedApproachColumn,
    kRestrictedApproachColumn,
    kProhibitedApproachColumn,
    kGoverningColumn,
    kEquationsColumn,  // which equations gave the results: "empirical", "theoretically derived",
                       // "fuse", "breaker" or "IEEE 1584-2018"
    // The governing case's values (the only case of a method with one): what
    // a study is sorted and labelled by. After the columns above, so that a
    // reader of the older output finds every column where it was.
    kIncidentEnergyGoverningColumn,
    kFlashBoundaryGoverningColumn,
    kPpeLevelGoverningColumn,
    // IEEE 1584-2018 rows: "typical", "shallow" or "open air", and the
    // enclosure-size correction factor CF; empty for the other methods.
    kEnclosureTypeColumn,
    kEnclosureFactorColumn,
    kStudyResultColumnCount
};
extern const std::array<std::string_view, kStudyResultColumnCount> kStudyResultNames;

// The unit of a column's numbers, for headings: a fixed unit ("V", "kA",
// "s"), or the output unit of `units` for a result; empty for a column of
// words, and for the lengths of a row, whose unit is the row's own
// (gap_unit, work_distance_unit, enclosure_unit).
std::string_view StudyInputUnit(StudyInputColumn column);
std::string_view StudyResultUnit(StudyResultColumn column, const UnitSettings& units);

// One row's input texts by column (empty for a column the study lacks) and
// its result texts (all empty on entry).
using StudyRowInputs = std::array<std::string_view, kStudyInputColumnCount>;
using StudyRowResults = std::array<std::string, kStudyResultColumnCount>;

// Computes one point of work from a fresh shared state: status "ok",
// "warning" (a refusal, with its joined message) or "error" (a value that is
// not a number, a word that is none of its column's words), and the results.
void ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options, StudyRowResults& out);

// The name column of a study: the equipment name of its labels and report.
inline constexpr std::string_view kPointColumnName = "point";

// Whether a header name names the column `name`: blanks (spaces and tabs)
// around it and the case of its letters do not count (" Method" is `method`).
bool IsColumnName(std::string_view headerName, std::string_view name);

// Where each input column stands in a header row (names as IsColumnName
// takes them), -1 when absent. Columns the study does not know are kept by
// their callers.
using StudyColumnMap = std::array<int, kStudyInputColumnCount>;
StudyColumnMap MapStudyColumns(const std::vector<std::string>& header);

// What keeps a header row from being read: a column the study reads (an
// input column or `point`) named more than once ("column voltage appears
// twice"); empty when there is nothing.
std::string StudyHeaderFault(const std::vector<std::string>& header);

// The names of the output columns: the input columns as read, then the
// result columns. An input column named like a result column (`status`,
// " Message") is renamed input_<name> (again, until no output column has
// its name), so no two output columns share a name.
std::vector<std::string> StudyOutputNames(const std::vector<std::string>& header);

// Receives finished output in pieces, so a large study need not be held whole.
using StudySink = std::function<void(std::string_view)>;
// Fills up to `size` bytes of `buffer` with the study; 0 at its end.
using StudySource = csv::ChunkReader::Source;

// A study whose text cannot be read (UTF-16 that is not valid).
struct StudyReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The study of `source` as UTF-8: a study that opens with a UTF-16
// byte-order mark (either byte order: a spreadsheet's "Unicode text") is
// decoded piece by piece, in bounded memory; any other is passed on as it
// is. Throws StudyReadError, from a read, on UTF-16 that is not valid.
StudySource Utf8StudySource(StudySource source);

// A source handing over `text` at most `piece` bytes at a time; `text` must
// outlive it.
StudySource TextSource(std::string_view text, std::size_t piece = SIZE_MAX);

// Reads the study (CSV with a header row, UTF-8 or UTF-16: see
// Utf8StudySource) from `source` and writes the result CSV to `sink`: the
// input columns as read, then the result columns (StudyOutputNames). Memory
// stays bounded whatever the input size. Returns false when the input has no
// usable header row (nothing is written then; `headerError` says why);
// rows that cannot be computed are reported in their own status and
// message. An exception of the source, the sink or an allocation, or a
// StudyReadError, ends the run and is passed on.
bool RunStudy(const StudySource& source, const StudyOptions& options, const StudySink& sink,
              std::string* headerError = nullptr);
// The same on a study held in memory.
bool RunStudy(std::string_view input, const StudyOptions& options, const StudySink& sink,
              std::string* headerError = nullptr);

}  // namespace zentavo

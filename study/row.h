// SPDX-License-Identifier: GPL-3.0-or-later
// One point of work of a study, computed from its input texts through the
// same engine as the desktop program, so a study and the program always agree.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/method.h"
#include "engine/protection.h"
#include "engine/refusal.h"
#include "engine/units.h"
#include "network/short_circuit.h"
#include "study/columns.h"
#include "study/csv.h"
#include "study/csv_writer.h"
#include "study/point_result.h"
#include "study/result_cells.h"

namespace zentavo {

// The ranges of a study's options that a user sets (the command line, the
// study window's bar): the cables' temperature at the end of a fault (°C)
// and the cycles after which the motors stop feeding an arc.
inline constexpr int kLowestCableEndTemp = 20;
inline constexpr int kHighestCableEndTemp = 300;
inline constexpr int kLongestMotorDecay = 600;

// The texts the options were given as (the command line's words, an empty
// one too), quoted by a refusal of them; none: not given as a text.
struct StudyOptionTexts {
    std::optional<std::string_view> lvTolerance = {}, cableEndTemp = {}, motorDecay = {};
};

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
    // The delimiter of the result CSV; 0: the input's.
    char outputDelimiter = 0;
    // A study as a spreadsheet exports it (study/study_input.h): read as
    // Windows-1252 when its first MiB is not valid UTF-8
    // (`detectEncoding`); a semicolon- or tab-separated study's numbers read
    // and written with the decimal separator of its first rows
    // (`detectDecimalSeparator`, `sep` where they do not tell).
    bool detectEncoding = false;
    bool detectDecimalSeparator = false;
    csv::LineEnd lineEnd = csv::LineEnd::kCrLf;
    bool lineEndOfInput = false;
    // The named fuse curves a fuse_curve cell may name (--curves, "Load
    // device curves..."); none loaded: only inline curves are read.
    std::shared_ptr<const CurveSet> curves;
    // The convention of the fault currents of a study with a network, and
    // its choices: the low-voltage tolerance (6 or 10 %) and the
    // conductors' temperature at the end of the fault for cables without
    // their own (absent: the convention's).
    network::Convention shortCircuit = network::Convention::Ansi;
    int lvTolerance = 6;
    std::optional<double> cableEndTemp;
    // A network study clears each point's arc in steps, its devices
    // opening one after another (study/arc_steps.h); off: in one step at
    // the point's own device's time, as before steps. The motors'
    // contribution ends after `motorDecay` cycles (of 60 Hz), or, absent,
    // with the last other source.
    bool arcSteps = true;
    std::optional<double> motorDecay = 5.0;
    // A network study finds each point's worst energy over the bolted
    // currents between its cases (study/arc_range.h), and writes it in the
    // columns range_worst_arcing_current and range_worst_energy; the point's
    // results are those at the worst current where it is above the cases.
    bool arcCurrentRange = false;
    // The scenarios a network study is computed in (study/scenarios.h);
    // empty: every name its rows use.
    std::vector<std::string> scenarios;
    // The options outside their ranges, the same for the command line and
    // the study window: a low-voltage tolerance of 6 or 10 %, a cable end
    // temperature from kLowestCableEndTemp to kHighestCableEndTemp, a motor
    // decay from 0 to kLongestMotorDecay cycles (NaN, a text that was no
    // number, is outside). The first refused, named as the command line
    // names it, its value quoted as `given` holds it, else as the shortest
    // text that reads back; none when every option is in its range.
    std::optional<Refusal> Check(const StudyOptionTexts& given = {}) const;
    network::SolveOptions ShortCircuit() const {
        network::SolveOptions o;
        o.convention = shortCircuit;
        o.lvTolerance = lvTolerance;
        o.cableEndTemp = cableEndTemp;
        return o;
    }
    // When set, RunStudy hands it the points it computed, as records
    // (study/point_record.h) of a chunk of rows at a time, in the order of
    // the rows: what the batch calculator writes its PDFs from.
    std::function<void(std::string_view records)> points;
    // When set, RunStudy calls it after each chunk of rows it writes, with
    // how many rows it has written: a long run's progress.
    std::function<void(std::size_t rows)> progress;
};

// One row's input texts by column (empty for a column the study lacks). A
// row in a network also carries what the network gives it: its bus's bolted
// current (kA) for the case computed, as a number rather than a text, and
// the share of that case's fault current through its own branch, which a
// protective device on that branch sees of the arcing current.
struct StudyRowInputs : StudyCells {
    std::string_view point;  // the row's point column (a line-side row's line_side_of names one)
    // The point's cells read once (study/study_point.h), where a caller
    // computing the row more than once (each case, each scenario) read them
    // for all; none: the row reads them itself. Views into these texts.
    const struct StudyPoint* read = nullptr;
    std::optional<double> boltedKa;
    std::optional<double> deviceShareFromNetwork;
    // A row whose arc the network clears in steps: its planner (none: one step).
    const class ArcStepPlanner* steps = nullptr;
    // Where the record holds the device columns side by side, plain: their
    // text as one piece, `deviceCellsDelimiter` between each and the next
    // and none inside. The row's device is looked up by that piece; empty:
    // cell by cell.
    std::string_view deviceCells;
    char deviceCellsDelimiter = 0;
};

// Whether a row has a protective device: its device_type, or else a branch's
// breaker tripped by its arc-flash relay alone (branch_type with afr_pickup
// or afr_time).
bool HasDevice(const StudyCells& in);

// The steps of one case of a point's arc, found by its network
// (study/arc_steps.h): what the row runner asks once the arcing current of
// the point is known.
class ArcStepPlanner {
public:
    struct Plan {
        std::vector<PointStep> steps;  // at least one where there is no refusal
        // The whole arc: its duration (the steps' sum), the element of the
        // device whose opening ended it (Capped: the maximum arc duration
        // did), that device's answer in its last step, or the refusal.
        ArcDuration whole;
        double deviceAmps = 0;  // the current that device saw in its last step, A
        // The point's own bolted and arcing current, kA: the first step's,
        // unless the motors' part ended at once (a motor decay of 0).
        double startKa = 0, startArcingKa = 0;
        // The arc is one step at the point's own current: the steps change nothing.
        bool OneStepAsTyped() const { return steps.size() == 1 && steps.front().boltedKa == startKa; }
        // The rows (from 0) whose devices the sequence weighed: what a
        // change of their settings could change.
        std::vector<std::size_t> consulted;
        // The device of another row ended the arc (a line side's main, an
        // upstream device faster than the point's own): its step is kept,
        // even as one step, to say which.
        bool endedElsewhere = false;
        // A device that opened before one nearer the fault on its path, said
        // with both points' names; empty where the devices were selective.
        std::string notSelective;
    };
    virtual ~ArcStepPlanner() = default;
    // `arcing`: the case's arcing current (kA) at a bolted current (kA);
    // `first`: the point's bolted current (kA), the first step's; `own`:
    // the row's device (none: its typed duration `typed` ends the arc);
    // `share`: the part of the arcing current the row's device sees at the
    // first current (its typed device_share, `shareTyped`, which holds for
    // every step; or its branch's share, found again for each later step).
    virtual Plan Steps(const std::function<double(double)>& arcing, double first, const ProtectiveDevice* own,
                       std::optional<double> share, bool shareTyped, std::optional<double> typed) const = 0;
};

// Whether a row of result texts (a row of the batch output read back, by
// StudyResultColumn) has results: status "ok", or "warning" with its results
// (a point computed with a caution about its device's settings). A refused
// row ("warning" without results, "error") has none: no label, no energy.
template <class Results>
bool HasStudyResults(const Results& r) {
    const std::string_view status = r[kStatusColumn];
    return status == "ok" || (status == "warning" && !std::string_view(r[kGoverningColumn]).empty());
}

// The protective devices of a study's rows, each built once per distinct
// settings (the texts of its device columns) and reused by every row that
// names the same settings. One cache serves one thread; it forgets what it
// holds when the curves or the decimal separator change, and when it has
// grown past a bound.
class StudyDevices {
public:
    struct Entry {
        std::shared_ptr<const ProtectiveDevice> device;  // set exactly when `refusal` is not
        std::optional<Refusal> refusal;                  // why the settings are refused
        std::string caution;  // the settings no device offers, joined by "; "; empty: none
        std::optional<double> share;  // device_share as typed; absent: not typed
    };
    // The device of these settings, built on first use. The settings are
    // looked up by a hash of the cells as they stand in the row, compared
    // cell by cell with those of the entry found: nothing is copied unless
    // a new device is built.
    Entry& Find(const StudyRowInputs& in, const StudyOptions& options);

private:
    struct Slot {
        std::string key;  // the device columns' texts, each after its length
        Entry entry;
        Slot* next = nullptr;  // another settings of the same hash
        // The same columns as a row of the file holds them side by side: the
        // delimiter, then their text with the delimiters between (empty: not
        // seen so), and another of the same hash.
        std::string text;
        Slot* nextText = nullptr;
    };
    Slot& FindByCells(const StudyRowInputs& in, const StudyOptions& options);
    void Forget();
    std::vector<std::unique_ptr<Slot>> slots_;
    std::unordered_map<std::uint64_t, Slot*> byHash_;
    // The settings by their text where the record holds the device columns
    // side by side (StudyRowInputs::deviceCells): a lookup by one piece of
    // text instead of eighteen cells. Buckets by the hash's top bits.
    static constexpr int kTextBucketBits = 12;
    std::vector<Slot*> byText_;
    std::shared_ptr<const CurveSet> curves_;  // held: its address names it while cached
    char sep_ = '.';
};

// The start of the message of a row whose model stopped with an exception
// on inputs its checks should have refused (a fault of the program, never
// of the row): the row is an error with this and the exception's text, and
// the study goes on. The fuzz targets look for it.
inline constexpr std::string_view kStudyModelStopped = "the computation stopped on this row's inputs: ";

// Computes one point of work from a fresh shared state, through the same
// engine as the desktop program: its status (computed; with a caution, the
// settings of its protective device that no device offers; refused by its
// method, with the joined message; or in error: a value that is not a
// number, a word none of its column's) and its results as numbers.
// A row with a device finds its arc durations from it at the unrounded
// arcing currents; `devices` (none: built for the row alone) keeps the
// devices built.
PointResult ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options, StudyDevices* devices = nullptr);
// The same, with the result texts written into `out` (WriteResultCells).
PointResult ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options, StudyRowResults& out,
                            StudyDevices* devices = nullptr);

}  // namespace zentavo

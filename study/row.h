// SPDX-License-Identifier: GPL-3.0-or-later
// One point of work of a study, computed from its input texts through the
// same engine as the desktop program, so a study and the program always agree.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/method.h"
#include "engine/protection.h"
#include "engine/units.h"
#include "network/short_circuit.h"
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
    // The named fuse curves a fuse_curve cell may name (--curves, "Load
    // device curves..."); none loaded: only inline curves are read.
    std::shared_ptr<const CurveSet> curves;
    // The convention of the fault currents of a study with a network.
    network::Convention shortCircuit = network::Convention::Ansi;
};

// One row's input texts by column (empty for a column the study lacks) and
// its result texts (all empty on entry). A row in a network also carries
// the share of its bus fault current through its own branch (maximum case):
// what a protective device on that branch sees of the arcing current.
struct StudyRowInputs : std::array<std::string_view, kStudyInputColumnCount> {
    std::optional<double> deviceShareFromNetwork;
    // Where the record holds the device columns side by side, plain: their
    // text as one piece, `deviceCellsDelimiter` between each and the next
    // and none inside. The row's device is looked up by that piece; empty:
    // cell by cell.
    std::string_view deviceCells;
    char deviceCellsDelimiter = 0;
};
using StudyRowResults = std::array<std::string, kStudyResultColumnCount>;

// The numbers of a computed row as the calculation left them, in the
// engine's units: what the row's label (and any later model) reads, never
// the rounded result texts. The empirical equations and the 2018 model fill
// both cases; the theoretically derived, fuse and breaker equations the full
// case alone.
struct StudyRowValues {
    bool computed = false;  // the results are given (HasStudyResults); all below keeps
                            // its default when not
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
    // A row whose arc durations come from a protective device: the durations
    // used (s), the element that gave each (Capped: the maximum arc
    // duration), and that maximum (0: none). The reduced ones only with the
    // reduced case.
    bool deviceUsed = false;
    double arcTime = 0, arcTimeReduced = 0;
    DeviceElement element = DeviceElement::DoesNotOperate;
    DeviceElement elementReduced = DeviceElement::DoesNotOperate;
    double maxArcTime = 0;
    // The currents the device saw (A: its share of the unrounded arcing
    // currents) and its own answer there, before the cap: its time-current
    // picture marks them.
    double deviceAmps = 0, deviceAmpsReduced = 0;
    DeviceTrip deviceTrip, deviceTripReduced;
};

// Whether a row's results are given: status "ok", or "warning" with its
// results (a point computed with a caution about its device's settings). A
// refused row ("warning" without results, "error") has none: no label, no
// energy. Every reader of a row's status asks this. `Results` is any row of
// result texts by StudyResultColumn (StudyRowResults, a study file's packed
// results, a row of the batch output read back).
template <class Results>
bool HasStudyResults(const Results& r) {
    const std::string_view status = r[kStatusColumn];
    return status == "ok" ||
           (status == "warning" && !std::string_view(r[kGoverningColumn]).empty());
}
// Whether a row with results carries a caution in its message.
template <class Results>
bool HasStudyCaution(const Results& r) {
    return HasStudyResults(r) && std::string_view(r[kStatusColumn]) == "warning";
}

// The protective devices of a study's rows, each built once per distinct
// settings (the texts of its device columns) and reused by every row that
// names the same settings. One cache serves one thread; it forgets what it
// holds when the curves or the decimal separator change, and when it has
// grown past a bound.
class StudyDevices {
public:
    struct Entry {
        std::optional<ProtectiveDevice> device;  // set exactly when `error` is empty
        std::string error;                       // why the settings are refused
        std::string caution;  // the settings no device offers, joined by "; "; empty: none
        std::optional<double> share;             // device_share as typed; absent: not typed

        // A duration's text as ArcDurationText writes it with the cache's
        // separator. Many rows of one device get the same duration (an
        // instantaneous or definite-time element, a flat part of a curve,
        // the cap): its recent texts are kept and not written again.
        const std::string& DurationText(double seconds);

    private:
        friend class StudyDevices;
        struct Written {
            double seconds = -1;
            std::string text;
        };
        std::array<Written, 8> written_;
        char sep_ = '.';
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

// Computes one point of work from a fresh shared state: status "ok",
// "warning" (a refusal, with its joined message; or a point computed with a
// protective device whose settings no device offers, its cautions the
// message) or "error" (a value that is not a number, a word that is none of
// its column's words), and the results: their numbers, returned, and their
// texts in `out`.
// A row with a device finds its arc durations from it at the unrounded
// arcing currents; `devices` (none: built for the row alone) keeps the
// devices built.
StudyRowValues ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options,
                               StudyRowResults& out, StudyDevices* devices = nullptr);

}  // namespace zentavo

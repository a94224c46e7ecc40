#include "batch/study.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <optional>
#include <vector>

#include "batch/csv.h"
#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/empirical.h"
#include "engine/fuse.h"
#include "engine/number.h"
#include "engine/shared_state.h"

namespace zentavo {

namespace {

// Input columns the study understands.
enum InputColumn {
    kMethod,
    kVoltage,
    kBoltedCurrent,
    kGap,
    kGapUnit,
    kWorkDistanceUnit,
    kWorkDistance,
    kEquipmentClassColumn,
    kGrounding,
    kArcTime,
    kArcTimeReduced,
    kFuseClass,
    kBreakerType,
    kInterruptingRating,
    kInstantaneousTrip,
    kInputColumnCount
};

constexpr std::array<std::string_view, kInputColumnCount> kInputNames = {
    "method",        "voltage",         "bolted_current",   "gap",
    "gap_unit",      "work_distance_unit", "work_distance", "equipment_class",
    "grounding",     "arc_time",        "arc_time_reduced", "fuse_class",
    "breaker_type",  "interrupting_rating", "instantaneous_trip"};

enum ResultColumn {
    kStatus,
    kMessage,
    kArcingCurrent,
    kArcingCurrentReduced,
    kIncidentEnergy,
    kFlashBoundary,
    kPpeLevel,
    kClothing1,
    kClothing2,
    kIncidentEnergyReduced,
    kFlashBoundaryReduced,
    kPpeLevelReduced,
    kClothingReduced1,
    kClothingReduced2,
    kPressure,
    kPressureReduced,
    kTnt,
    kTntReduced,
    kLimitedApproach,
    kRestrictedApproach,
    kProhibitedApproach,
    kGoverning,
    kResultColumnCount
};

}  // namespace

const char* const kStudyResultColumns[] = {
    "status",
    "message",
    "arcing_current",
    "arcing_current_reduced",
    "incident_energy",
    "flash_boundary",
    "ppe_level",
    "clothing_1",
    "clothing_2",
    "incident_energy_reduced",
    "flash_boundary_reduced",
    "ppe_level_reduced",
    "clothing_reduced_1",
    "clothing_reduced_2",
    "pressure",
    "pressure_reduced",
    "tnt",
    "tnt_reduced",
    "limited_approach",
    "restricted_approach",
    "prohibited_approach",
    "governing",
};
const std::size_t kStudyResultColumnCount = kResultColumnCount;
static_assert(sizeof kStudyResultColumns / sizeof kStudyResultColumns[0] == kResultColumnCount);

namespace {

// A row that cannot be computed: its message names the column and the value.
struct RowError {
    std::string message;
};

std::string UnknownValue(std::string_view column, std::string_view value) {
    return std::string(column) + ": unknown value \"" + std::string(value) + "\"";
}

template <std::size_t N>
std::optional<int> ItemIndex(const std::array<std::string_view, N>& items, std::string_view v) {
    for (std::size_t i = 0; i < N; ++i) {
        if (items[i] == v) return static_cast<int>(i);
    }
    return std::nullopt;
}

// An item given by its text or by its index; empty means the first item.
template <std::size_t N>
int ItemOrIndex(const std::array<std::string_view, N>& items, std::string_view column,
                std::string_view v, bool tailOptional) {
    if (v.empty()) return 0;
    if (auto i = ItemIndex(items, v)) return *i;
    if (tailOptional) {
        for (std::size_t i = 0; i < N; ++i) {
            const std::string_view item = items[i];
            const std::size_t tab = item.find('\t');
            if (tab != std::string_view::npos && item.substr(0, tab) == v) return static_cast<int>(i);
        }
    }
    if (v.size() == 1 && v[0] >= '0' && v[0] < static_cast<char>('0' + N)) return v[0] - '0';
    throw RowError{UnknownValue(column, v)};
}

// Runs one row; fills the result columns `r` (all empty on entry).
class RowRunner {
public:
    RowRunner(const StudyOptions& o, const std::array<std::string_view, kInputColumnCount>& in,
              std::string* r)
        : o_(o), in_(in), r_(r) {}

    void Run() {
        try {
            const std::string_view method = in_[kMethod];
            if (method == "empirical") {
                Empirical();
            } else if (method == "fuse") {
                Fuse();
            } else if (method == "breaker") {
                Breaker();
            } else {
                throw RowError{UnknownValue("method", method)};
            }
        } catch (const RowError& e) {
            Clear();
            r_[kStatus] = "error";
            r_[kMessage] = e.message;
        } catch (const ConversionError& e) {
            // The arcing currents of an accepted first step stay, as on screen.
            r_[kStatus] = "error";
            r_[kMessage] = e.what();
        }
    }

private:
    std::string_view Caption(InputColumn c) const {
        return in_[c].empty() ? std::string_view("mm") : in_[c];
    }

    void Clear() {
        for (int i = 0; i < kResultColumnCount; ++i) r_[i].clear();
    }

    void Warn(const std::string& text) {
        r_[kStatus] = "warning";
        r_[kMessage] = text;
    }

    void Case(CaseTexts& c, ResultColumn energy, ResultColumn boundary, ResultColumn level,
              ResultColumn cloth1, ResultColumn cloth2) {
        r_[energy] = std::move(c.energy);
        r_[boundary] = std::move(c.boundary);
        r_[level] = std::move(c.ppeLevel);
        r_[cloth1] = c.clothing1;
        if (c.clothingSecondLineShown) r_[cloth2] = c.clothing2;
    }

    void Approach(ApproachTexts& a) {
        r_[kLimitedApproach] = std::move(a.limited);
        r_[kRestrictedApproach] = std::move(a.restricted);
        r_[kProhibitedApproach] = std::move(a.prohibited);
    }

    void Empirical() {
        EmpiricalFields f;
        f.voltage = in_[kVoltage];
        f.boltedCurrent = in_[kBoltedCurrent];
        f.gap = in_[kGap];
        f.workDist = in_[kWorkDistance];
        f.gapCaption = Caption(kGapUnit);
        f.workDistCaption = Caption(kWorkDistanceUnit);
        const std::string_view cls = in_[kEquipmentClassColumn];
        if (!cls.empty()) {
            auto i = ItemIndex(kEquipmentClasses, cls);
            if (!i) throw RowError{UnknownValue("equipment_class", cls)};
            f.equipmentClass = *i;
        }
        const std::string_view ground = in_[kGrounding];
        f.grounding = -1;
        if (!ground.empty()) {
            auto i = ItemIndex(kGroundings, ground);
            if (!i) throw RowError{UnknownValue("grounding", ground)};
            f.grounding = *i;
        }

        SharedState s = StartState();
        const ArcCurrentOutcome first = RunEmpiricalArcCurrent(s, f, o_.sep);
        if (!first.warning.empty()) return Warn(first.warning);
        r_[kArcingCurrent] = first.arcCurrent;
        if (first.reducedCaseOffered) r_[kArcingCurrentReduced] = first.arcCurrentReduced;

        // The intermediate window asks for the reduced duration only when it
        // offers the reduced case.
        s.ReducedCaseOff = !first.reducedCaseOffered;
        EmpiricalOutcome second =
            RunEmpiricalResults(s, {in_[kArcTime], in_[kArcTimeReduced]}, o_.units, o_.sep);
        if (!second.warning.empty()) return Warn(second.warning);

        EmpiricalResultTexts& t = second.texts;
        r_[kStatus] = "ok";
        Case(t.full, kIncidentEnergy, kFlashBoundary, kPpeLevel, kClothing1, kClothing2);
        Approach(t.approach);
        r_[kGoverning] = t.reducedGoverns ? "reduced" : "full";
        if (!t.reducedCaseOffered) return;
        Case(t.reduced, kIncidentEnergyReduced, kFlashBoundaryReduced, kPpeLevelReduced,
             kClothingReduced1, kClothingReduced2);
        r_[kPressure] = std::move(t.full.pressure);
        r_[kPressureReduced] = std::move(t.reduced.pressure);
        r_[kTnt] = std::move(t.full.tnt);
        r_[kTntReduced] = std::move(t.reduced.tnt);
    }

    void Fuse() {
        FuseFields f;
        f.boltedCurrent = in_[kBoltedCurrent];
        f.workDist = in_[kWorkDistance];
        f.workDistCaption = Caption(kWorkDistanceUnit);
        f.fuseClass = ItemOrIndex(kFuseClasses, "fuse_class", in_[kFuseClass], false);
        SharedState s = StartState();
        FuseOutcome out = RunFuse(s, f, o_.units, o_.sep);
        if (!out.warning.empty()) return Warn(out.warning);
        r_[kStatus] = "ok";
        r_[kArcingCurrent] = std::move(out.texts.arcCurrent);
        r_[kPressure] = std::move(out.texts.result.pressure);
        SingleCase(out.texts);
    }

    void Breaker() {
        BreakerFields f;
        f.voltage = in_[kVoltage];
        f.boltedCurrent = in_[kBoltedCurrent];
        f.workDist = in_[kWorkDistance];
        f.workDistCaption = Caption(kWorkDistanceUnit);
        f.interruptingRating = in_[kInterruptingRating];
        f.instantaneousTrip = in_[kInstantaneousTrip];
        f.breakerType = ItemOrIndex(kBreakerTypes, "breaker_type", in_[kBreakerType], true);
        SharedState s = StartState();
        BreakerOutcome out = RunBreaker(s, f, o_.units, o_.sep);
        if (!out.warning.empty()) return Warn(out.warning);
        r_[kStatus] = "ok";
        SingleCase(out.texts);
    }

    void SingleCase(SingleCaseResultTexts& t) {
        Case(t.result, kIncidentEnergy, kFlashBoundary, kPpeLevel, kClothing1, kClothing2);
        Approach(t.approach);
        r_[kGoverning] = "full";
    }

    const StudyOptions& o_;
    const std::array<std::string_view, kInputColumnCount>& in_;
    std::string* r_;
};

// Rows are read in chunks; the chunks of a round are computed side by side,
// one per core, and written in their order.
constexpr std::size_t kChunkRows = 2048;

struct Record {
    csv::Fields fields;
    std::size_t line = 0;
    std::string error;
};

// The CSV text of a chunk, written straight into memory.
class OutputBuffer {
public:
    // Room for `n` more characters.
    char* Room(std::size_t n) {
        if (size_ + n > capacity_) {
            const std::size_t capacity = std::max(2 * capacity_, size_ + n + 4096);
            auto bigger = std::make_unique<char[]>(capacity);
            if (size_) std::memcpy(bigger.get(), data_.get(), size_);
            data_ = std::move(bigger);
            capacity_ = capacity;
        }
        return data_.get() + size_;
    }
    void Commit(char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
    void Clear() { size_ = 0; }
    std::string_view View() const { return {data_.get(), size_}; }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

struct Chunk {
    std::string_view text;  // whole records of the input
    std::size_t firstLine = 0;
    std::vector<Record> records;
    std::size_t count = 0;
    OutputBuffer out;
};

class StudyRunner {
public:
    StudyRunner(const StudyOptions& options, const std::vector<std::string>& header)
        : options_(options), inputCount_(header.size()) {
        at_.fill(-1);
        // The first of equal names wins.
        for (std::size_t i = 0; i < header.size(); ++i) {
            for (int c = 0; c < kInputColumnCount; ++c) {
                if (at_[c] < 0 && header[i] == kInputNames[c]) at_[c] = static_cast<int>(i);
            }
        }
    }

    void Compute(Chunk& chunk) const {
        chunk.out.Clear();
        csv::Reader reader(chunk.text, chunk.firstLine);
        chunk.count = 0;
        for (;;) {
            if (chunk.count == chunk.records.size()) chunk.records.emplace_back();
            Record& r = chunk.records[chunk.count];
            if (!reader.Next(r.fields, r.line, r.error)) break;
            ++chunk.count;
        }
        std::array<std::string, kResultColumnCount> result;
        std::array<std::string_view, kInputColumnCount> in;
        for (std::size_t k = 0; k < chunk.count; ++k) {
            Record& rec = chunk.records[k];
            for (auto& r : result) r.clear();
            if (rec.error.empty() && rec.fields.size() != inputCount_) {
                rec.error = "line " + std::to_string(rec.line) + ": " +
                            std::to_string(rec.fields.size()) + " fields where the header has " +
                            std::to_string(inputCount_);
            }
            if (!rec.error.empty()) {
                result[kStatus] = "error";
                result[kMessage] = rec.error;
            } else {
                for (int c = 0; c < kInputColumnCount; ++c) {
                    in[c] = at_[c] >= 0 ? std::string_view(rec.fields[at_[c]]) : std::string_view();
                }
                RowRunner(options_, in, result.data()).Run();
            }
            // The input columns as read (a short line padded, a long one cut),
            // then the results.
            const std::size_t shown = std::min(inputCount_, rec.fields.size());
            std::size_t room = inputCount_ + kResultColumnCount + 2;
            for (std::size_t i = 0; i < shown; ++i) room += 2 * rec.fields[i].size() + 2;
            for (const auto& r : result) room += 2 * r.size() + 2;
            char* o = chunk.out.Room(room);
            for (std::size_t i = 0; i < inputCount_; ++i) {
                if (i) *o++ = ',';
                if (i < shown) o = csv::WriteField(o, rec.fields[i]);
            }
            for (const auto& r : result) {
                *o++ = ',';
                o = csv::WriteField(o, r);
            }
            *o++ = '\r';
            *o++ = '\n';
            chunk.out.Commit(o);
        }
    }

private:
    const StudyOptions& options_;
    std::size_t inputCount_;
    std::array<int, kInputColumnCount> at_;
};

// Marks off the next chunk of records; the worker that computes it reads them.
bool ReadChunk(std::string_view input, csv::Reader& reader, Chunk& chunk) {
    const std::size_t start = reader.Offset();
    chunk.firstLine = reader.Line();
    if (reader.Skip(kChunkRows) == 0) return false;
    chunk.text = input.substr(start, reader.Offset() - start);
    return true;
}

}  // namespace

bool RunStudy(std::string_view input, const StudyOptions& options, const StudySink& sink,
              std::string* headerError) {
    csv::Reader reader(input);
    std::vector<std::string> header;
    std::size_t line = 0;
    std::string error;
    if (!reader.Next(header, line, error) || !error.empty()) {
        if (headerError) *headerError = error.empty() ? "no header row" : error;
        return false;
    }

    std::vector<std::string> names = header;
    for (std::size_t i = 0; i < kResultColumnCount; ++i) names.emplace_back(kStudyResultColumns[i]);
    std::string head;
    csv::AppendRecord(head, names);
    sink(head);

    // This thread marks off chunks of records in order and writes the
    // results in the order of the rows; one worker a core reads and computes
    // the chunks, a few of them ahead of the writing.
    const StudyRunner runner(options, header);
    const std::size_t workers = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t window = 2 * workers;
    std::vector<Chunk> ring(window);
    std::vector<std::size_t> computed(window, SIZE_MAX);  // which chunk each slot holds done
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t marked = 0, handedOut = 0;
    bool allMarked = false;

    std::vector<std::thread> pool;
    for (std::size_t w = 0; w < workers; ++w) {
        pool.emplace_back([&] {
            for (;;) {
                std::size_t k;
                {
                    std::unique_lock lock(mutex);
                    changed.wait(lock, [&] { return handedOut < marked || allMarked; });
                    if (handedOut == marked) return;
                    k = handedOut++;
                }
                runner.Compute(ring[k % window]);
                std::lock_guard lock(mutex);
                computed[k % window] = k;
                changed.notify_all();
            }
        });
    }
    for (std::size_t written = 0;; ++written) {
        // Mark off what the window has room for: a slot is free once written.
        while (!allMarked && marked < written + window) {
            const bool more = ReadChunk(input, reader, ring[marked % window]);
            std::lock_guard lock(mutex);
            if (more) {
                ++marked;
            } else {
                allMarked = true;
            }
            changed.notify_all();
        }
        std::unique_lock lock(mutex);
        if (allMarked && written == marked) break;
        changed.wait(lock, [&] { return computed[written % window] == written; });
        lock.unlock();
        sink(ring[written % window].out.View());
    }
    for (std::thread& t : pool) t.join();
    return true;
}

}  // namespace zentavo

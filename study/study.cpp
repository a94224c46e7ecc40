#include "study/study.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "study/csv.h"
#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/empirical.h"
#include "engine/fuse.h"
#include "engine/ieee2018.h"
#include "engine/number.h"
#include "engine/shared_state.h"
#include "io/text_codec.h"

namespace zentavo {

const std::array<std::string_view, kStudyInputColumnCount> kStudyInputNames = {
    "method",
    "voltage",
    "bolted_current",
    "gap",
    "gap_unit",
    "work_distance_unit",
    "work_distance",
    "equipment_class",
    "grounding",
    "arc_time",
    "arc_time_reduced",
    "fuse_class",
    "breaker_type",
    "interrupting_rating",
    "instantaneous_trip",
    "electrode_configuration",
    "enclosure_height",
    "enclosure_width",
    "enclosure_depth",
    "enclosure_unit"};

const std::array<std::string_view, kStudyResultColumnCount> kStudyResultNames = {
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
    "equations",
    "incident_energy_governing",
    "flash_boundary_governing",
    "ppe_level_governing",
    "enclosure_type",
    "enclosure_factor",
};

namespace {

constexpr std::string_view kMethodWords[] = {"empirical", "fuse", "breaker", "ieee1584-2018"};
enum Method { kEmpiricalMethod, kFuseMethod, kBreakerMethod, kIeee2018Method };
constexpr std::string_view kLengthUnitWords[] = {"mm", "inches"};

// The breaker types as a study names them: without the tab and blanks some
// of them carry in the list.
constexpr std::array<std::string_view, kBreakerTypes.size()> kBreakerWords = [] {
    std::array<std::string_view, kBreakerTypes.size()> words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = kBreakerTypes[i].substr(0, kBreakerTypes[i].find('\t'));
    }
    return words;
}();

}  // namespace

std::span<const std::string_view> StudyColumnWords(StudyInputColumn column) {
    switch (column) {
    case kMethodColumn:
        return kMethodWords;
    case kEquipmentClassColumn:
        return kEquipmentClasses;
    case kGroundingColumn:
        return kGroundings;
    case kFuseClassColumn:
        return kFuseClasses;
    case kBreakerTypeColumn:
        return kBreakerWords;
    case kElectrodeConfigurationColumn:
        return kElectrodeWords;
    case kGapUnitColumn:
    case kWorkDistanceUnitColumn:
    case kEnclosureUnitColumn:
        return kLengthUnitWords;
    default:
        return {};
    }
}

std::string_view StudyInputUnit(StudyInputColumn column) {
    switch (column) {
    case kVoltageColumn:
        return "V";
    case kBoltedCurrentColumn:
    case kInterruptingRatingColumn:
    case kInstantaneousTripColumn:
        return "kA";
    case kArcTimeColumn:
    case kArcTimeReducedColumn:
        return "s";
    default:
        return {};
    }
}

std::string_view StudyResultUnit(StudyResultColumn column, const UnitSettings& units) {
    switch (column) {
    case kArcingCurrentColumn:
    case kArcingCurrentReducedColumn:
        return "kA";
    case kIncidentEnergyColumn:
    case kIncidentEnergyReducedColumn:
    case kIncidentEnergyGoverningColumn:
        return units.EnergyUnit;
    case kFlashBoundaryColumn:
    case kFlashBoundaryReducedColumn:
    case kFlashBoundaryGoverningColumn:
    case kLimitedApproachColumn:
    case kRestrictedApproachColumn:
    case kProhibitedApproachColumn:
        return units.BoundaryUnit;
    case kPressureColumn:
    case kPressureReducedColumn:
        return units.PressureUnit;
    case kTntColumn:
    case kTntReducedColumn:
        return units.TntUnit;
    default:
        return {};
    }
}

namespace {

// A row that cannot be computed: its message names the column and the value.
struct RowError {
    std::string message;
};

std::string UnknownValue(std::string_view column, std::string_view value) {
    return std::string(column) + ": unknown value \"" + std::string(value) + "\"";
}

// Where `v` stands among the words of column `c`.
std::optional<int> WordIndex(StudyInputColumn c, std::string_view v) {
    const std::span<const std::string_view> words = StudyColumnWords(c);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == v) return static_cast<int>(i);
    }
    return std::nullopt;
}

// A word of column `c`, refused with a message naming the column when it is
// none of them; empty stays empty (nullopt).
std::optional<int> Word(StudyInputColumn c, std::string_view v) {
    if (v.empty()) return std::nullopt;
    if (auto i = WordIndex(c, v)) return i;
    throw RowError{UnknownValue(kStudyInputNames[c], v)};
}

// An item given by its word or by its index; empty means the first item.
// `listed` are the items as the selector lists them (a breaker type with its
// tail), also taken.
int WordOrIndex(StudyInputColumn c, std::string_view v,
                std::span<const std::string_view> listed) {
    if (v.empty()) return 0;
    if (auto i = WordIndex(c, v)) return *i;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (listed[i] == v) return static_cast<int>(i);
    }
    const std::size_t n = StudyColumnWords(c).size();
    if (v.size() == 1 && v[0] >= '0' && static_cast<std::size_t>(v[0] - '0') < n) return v[0] - '0';
    throw RowError{UnknownValue(kStudyInputNames[c], v)};
}

// Runs one row; fills the result columns `r` (all empty on entry).
// The message of a text that is not a number, whole even when the text holds
// a NUL byte (the error's what() would end there).
std::string ConversionMessage(std::string_view text) {
    const std::string empty = ConversionError("").what();  // "'' is not a valid ..."
    return "'" + std::string(text) + empty.substr(1);
}

// Texts of up to this many characters are read as numbers by ParseNumber.
constexpr std::size_t kLongestNumberText = 127;

// A longer number text whose length is padding alone (blanks, leading zeros,
// trailing decimal zeros, zeros leading the exponent) without that padding:
// the same value in a text ParseNumber reads. Empty when there is nothing to
// take away, or when the text is no number at all.
std::string WithoutPadding(std::string_view t, char sep) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    auto digits = [&](std::size_t& i) {
        const std::size_t from = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        return t.substr(from, i - from);
    };
    std::size_t i = 0;
    std::string out;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
    std::string_view whole = digits(i), fraction;
    bool separator = false;
    if (i < t.size() && t[i] == sep) {
        separator = true;
        ++i;
        fraction = digits(i);
    }
    if (whole.empty() && fraction.empty()) return {};
    std::string exponent;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        exponent = "e";
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) exponent += t[i++];
        std::string_view e = digits(i);
        if (e.empty()) return {};
        while (e.size() > 1 && e.front() == '0') e.remove_prefix(1);
        exponent += e;
    }
    if (i != t.size()) return {};
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    out += whole.empty() ? std::string_view("0") : whole;
    if (separator && !fraction.empty()) {
        out += sep;
        out += fraction;
    }
    return out + exponent;
}

constexpr StudyInputColumn kNumberColumns[] = {kVoltageColumn,
                                               kBoltedCurrentColumn,
                                               kGapColumn,
                                               kWorkDistanceColumn,
                                               kArcTimeColumn,
                                               kArcTimeReducedColumn,
                                               kInterruptingRatingColumn,
                                               kInstantaneousTripColumn,
                                               kEnclosureHeightColumn,
                                               kEnclosureWidthColumn,
                                               kEnclosureDepthColumn};

// Runs one row; fills the result columns `r` (all empty on entry).
class RowRunner {
public:
    RowRunner(const StudyOptions& o, const StudyRowInputs& in, std::string* r)
        : o_(o), typed_(in), in_(in), r_(r) {
        for (std::size_t i = 0; i < std::size(kNumberColumns); ++i) {
            const StudyInputColumn c = kNumberColumns[i];
            if (in_[c].size() <= kLongestNumberText) continue;
            shortened_[i] = WithoutPadding(in_[c], o_.sep);
            if (!shortened_[i].empty()) in_[c] = shortened_[i];
        }
    }

    void Run() {
        try {
            const std::optional<int> method = WordIndex(kMethodColumn, in_[kMethodColumn]);
            if (!method) throw RowError{UnknownValue("method", in_[kMethodColumn])};
            CheckLengthUnit(kGapUnitColumn);
            CheckLengthUnit(kWorkDistanceUnitColumn);
            CheckLengthUnit(kEnclosureUnitColumn);
            // Whatever the method, a class the row names is one of the four:
            // its label names it.
            Word(kEquipmentClassColumn, in_[kEquipmentClassColumn]);
            switch (*method) {
            case kEmpiricalMethod:
                Empirical();
                break;
            case kFuseMethod:
                Fuse();
                break;
            case kBreakerMethod:
                Breaker();
                break;
            default:
                Ieee2018();
                break;
            }
        } catch (const RowError& e) {
            Clear();
            r_[kStatusColumn] = "error";
            r_[kMessageColumn] = e.message;
        } catch (const ConversionError& e) {
            // The arcing currents of an accepted first step stay, as on screen.
            r_[kStatusColumn] = "error";
            r_[kMessageColumn] = ConversionMessage(Typed(e.text()));
        }
        if (r_[kStatusColumn] != "ok") {
            r_[kEquationsColumn].clear();
            return;
        }
        // The governing case's values, copied: a row is sorted by what governs it.
        const bool reduced = r_[kGoverningColumn] == "reduced";
        r_[kIncidentEnergyGoverningColumn] =
            r_[reduced ? kIncidentEnergyReducedColumn : kIncidentEnergyColumn];
        r_[kFlashBoundaryGoverningColumn] =
            r_[reduced ? kFlashBoundaryReducedColumn : kFlashBoundaryColumn];
        r_[kPpeLevelGoverningColumn] = r_[reduced ? kPpeLevelReducedColumn : kPpeLevelColumn];
    }

private:
    // The length units of a row are the captions "mm" and "inches"; empty means "mm".
    void CheckLengthUnit(StudyInputColumn c) const { Word(c, in_[c]); }
    std::string_view Caption(StudyInputColumn c) const {
        return in_[c].empty() ? std::string_view("mm") : in_[c];
    }

    // The text as the row holds it, for a text that was handed on without its padding.
    std::string_view Typed(std::string_view text) const {
        for (std::size_t i = 0; i < std::size(kNumberColumns); ++i) {
            if (!shortened_[i].empty() && text == shortened_[i]) return typed_[kNumberColumns[i]];
        }
        return text;
    }

    // A length typed in inches so large that it has no size in millimetres.
    bool Overflows(std::string_view text, std::string_view caption) const {
        try {
            return !std::isfinite(ToMillimetres(ParseNumber(text, o_.sep), caption));
        } catch (const ConversionError&) {
            return false;  // reported in its turn by the checks
        }
    }

    void Clear() {
        for (int i = 0; i < kStudyResultColumnCount; ++i) r_[i].clear();
    }

    void Warn(const std::string& text) {
        r_[kStatusColumn] = "warning";
        r_[kMessageColumn] = text;
    }

    void Case(CaseTexts& c, StudyResultColumn energy, StudyResultColumn boundary,
              StudyResultColumn level, StudyResultColumn cloth1, StudyResultColumn cloth2) {
        r_[energy] = std::move(c.energy);
        r_[boundary] = std::move(c.boundary);
        r_[level] = std::move(c.ppeLevel);
        r_[cloth1] = c.clothing1;
        if (c.clothingSecondLineShown) r_[cloth2] = c.clothing2;
    }

    void Approach(ApproachTexts& a) {
        r_[kLimitedApproachColumn] = std::move(a.limited);
        r_[kRestrictedApproachColumn] = std::move(a.restricted);
        r_[kProhibitedApproachColumn] = std::move(a.prohibited);
    }

    void Empirical() {
        EmpiricalFields f;
        f.voltage = in_[kVoltageColumn];
        f.boltedCurrent = in_[kBoltedCurrentColumn];
        f.gap = in_[kGapColumn];
        f.workDist = in_[kWorkDistanceColumn];
        f.gapCaption = Caption(kGapUnitColumn);
        // Such a gap is out of range like one below 13 mm (it would otherwise
        // pass the check and give no numbers at all).
        if (f.gapCaption != "mm" && Overflows(f.gap, f.gapCaption)) f.gap = "0";
        f.workDistCaption = Caption(kWorkDistanceUnitColumn);
        if (auto i = Word(kEquipmentClassColumn, in_[kEquipmentClassColumn])) {
            f.equipmentClass = *i;
        }
        f.grounding = Word(kGroundingColumn, in_[kGroundingColumn]).value_or(-1);

        SharedState s = StartState();
        const ArcCurrentOutcome first = RunEmpiricalArcCurrent(s, f, o_.sep);
        if (!first.warning.empty()) return Warn(first.warning);
        r_[kArcingCurrentColumn] = first.arcCurrent;
        if (first.reducedCaseOffered) r_[kArcingCurrentReducedColumn] = first.arcCurrentReduced;

        // The intermediate window asks for the reduced duration only when it
        // offers the reduced case.
        s.ReducedCaseOff = !first.reducedCaseOffered;
        EmpiricalOutcome second = RunEmpiricalResults(
            s, {in_[kArcTimeColumn], in_[kArcTimeReducedColumn]}, o_.units, o_.sep);
        if (!second.warning.empty()) return Warn(second.warning);

        EmpiricalResultTexts& t = second.texts;
        r_[kStatusColumn] = "ok";
        Case(t.full, kIncidentEnergyColumn, kFlashBoundaryColumn, kPpeLevelColumn, kClothing1Column,
             kClothing2Column);
        Approach(t.approach);
        r_[kGoverningColumn] = t.reducedGoverns ? "reduced" : "full";
        r_[kEquationsColumn] = first.reducedCaseOffered ? "empirical" : "theoretically derived";
        if (!t.reducedCaseOffered) return;
        Case(t.reduced, kIncidentEnergyReducedColumn, kFlashBoundaryReducedColumn,
             kPpeLevelReducedColumn, kClothingReduced1Column, kClothingReduced2Column);
        r_[kPressureColumn] = std::move(t.full.pressure);
        r_[kPressureReducedColumn] = std::move(t.reduced.pressure);
        r_[kTntColumn] = std::move(t.full.tnt);
        r_[kTntReducedColumn] = std::move(t.reduced.tnt);
    }

    void Fuse() {
        FuseFields f;
        f.boltedCurrent = in_[kBoltedCurrentColumn];
        f.workDist = in_[kWorkDistanceColumn];
        f.workDistCaption = Caption(kWorkDistanceUnitColumn);
        f.fuseClass = WordOrIndex(kFuseClassColumn, in_[kFuseClassColumn], {});
        SharedState s = StartState();
        FuseOutcome out = RunFuse(s, f, o_.units, o_.sep);
        if (!out.warning.empty()) return Warn(out.warning);
        r_[kStatusColumn] = "ok";
        r_[kArcingCurrentColumn] = std::move(out.texts.arcCurrent);
        r_[kPressureColumn] = std::move(out.texts.result.pressure);
        SingleCase(out.texts);
        r_[kEquationsColumn] = "fuse";
    }

    void Breaker() {
        BreakerFields f;
        f.voltage = in_[kVoltageColumn];
        f.boltedCurrent = in_[kBoltedCurrentColumn];
        f.workDist = in_[kWorkDistanceColumn];
        f.workDistCaption = Caption(kWorkDistanceUnitColumn);
        f.interruptingRating = in_[kInterruptingRatingColumn];
        f.instantaneousTrip = in_[kInstantaneousTripColumn];
        f.breakerType = WordOrIndex(kBreakerTypeColumn, in_[kBreakerTypeColumn], kBreakerTypes);
        SharedState s = StartState();
        BreakerOutcome out = RunBreaker(s, f, o_.units, o_.sep);
        if (!out.warning.empty()) return Warn(out.warning);
        r_[kStatusColumn] = "ok";
        SingleCase(out.texts);
        r_[kEquationsColumn] = "breaker";
    }

    // The fields as the 2018 window hands them to the engine; the enclosure
    // sizes have a unit of their own.
    void Ieee2018() {
        // An empty configuration is the engine's "not selected" refusal.
        Word(kElectrodeConfigurationColumn, in_[kElectrodeConfigurationColumn]);
        Ieee2018Fields f{in_[kVoltageColumn],
                         in_[kBoltedCurrentColumn],
                         in_[kGapColumn],
                         in_[kElectrodeConfigurationColumn],
                         in_[kEnclosureHeightColumn],
                         in_[kEnclosureWidthColumn],
                         in_[kEnclosureDepthColumn],
                         in_[kWorkDistanceColumn],
                         in_[kArcTimeColumn],
                         in_[kArcTimeReducedColumn]};
        f.gapCaption = Caption(kGapUnitColumn);
        f.enclosureCaption = Caption(kEnclosureUnitColumn);
        f.workDistCaption = Caption(kWorkDistanceUnitColumn);
        Ieee2018Outcome out = RunIeee2018(f, o_.units, o_.sep);
        if (!out.warning.empty()) return Warn(out.warning);
        Ieee2018Texts& t = out.texts;
        r_[kStatusColumn] = "ok";
        r_[kArcingCurrentColumn] = std::move(t.arcCurrent);
        r_[kArcingCurrentReducedColumn] = std::move(t.arcCurrentReduced);
        Case(t.full, kIncidentEnergyColumn, kFlashBoundaryColumn, kPpeLevelColumn, kClothing1Column,
             kClothing2Column);
        Case(t.reduced, kIncidentEnergyReducedColumn, kFlashBoundaryReducedColumn,
             kPpeLevelReducedColumn, kClothingReduced1Column, kClothingReduced2Column);
        Approach(t.approach);
        r_[kGoverningColumn] = t.reducedGoverns ? "reduced" : "full";
        r_[kEquationsColumn] = "IEEE 1584-2018";
        r_[kEnclosureTypeColumn] = IsOpenAir(out.inputs.electrode) ? "open air"
                                   : out.values.shallow            ? "shallow"
                                                                   : "typical";
        r_[kEnclosureFactorColumn] = std::move(t.correctionFactor);
    }

    void SingleCase(SingleCaseResultTexts& t) {
        Case(t.result, kIncidentEnergyColumn, kFlashBoundaryColumn, kPpeLevelColumn,
             kClothing1Column, kClothing2Column);
        Approach(t.approach);
        r_[kGoverningColumn] = "full";
    }

    const StudyOptions& o_;
    const StudyRowInputs& typed_;
    StudyRowInputs in_;
    std::string shortened_[std::size(kNumberColumns)];  // by kNumberColumns
    std::string* r_;
};

}  // namespace

void ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options, StudyRowResults& out) {
    RowRunner(options, in, out.data()).Run();
}

namespace {

std::string_view WithoutBlanks(std::string_view name) {
    const std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return name.substr(first, name.find_last_not_of(" \t") + 1 - first);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    a = WithoutBlanks(a);
    b = WithoutBlanks(b);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

}  // namespace

bool IsColumnName(std::string_view headerName, std::string_view name) {
    return SameName(headerName, name);
}

StudyColumnMap MapStudyColumns(const std::vector<std::string>& header) {
    StudyColumnMap at;
    at.fill(-1);
    for (std::size_t i = 0; i < header.size(); ++i) {
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            if (at[c] < 0 && IsColumnName(header[i], kStudyInputNames[c]))
                at[c] = static_cast<int>(i);
        }
    }
    return at;
}

std::string StudyHeaderFault(const std::vector<std::string>& header) {
    auto fault = [&](std::string_view name) -> std::string {
        const auto n = std::count_if(header.begin(), header.end(),
                                     [&](const std::string& h) { return IsColumnName(h, name); });
        if (n < 2) return {};
        return "column " + std::string(name) + " appears " +
               (n == 2 ? std::string("twice") : std::to_string(n) + " times");
    };
    for (std::string_view name : kStudyInputNames) {
        if (std::string f = fault(name); !f.empty()) return f;
    }
    return fault(kPointColumnName);
}

std::vector<std::string> StudyOutputNames(const std::vector<std::string>& header) {
    std::vector<std::string> names = header;
    for (std::string_view result : kStudyResultNames) names.emplace_back(result);
    auto taken = [&](std::string_view name, std::size_t by) {
        for (std::size_t k = 0; k < names.size(); ++k) {
            if (k != by && SameName(names[k], name)) return true;
        }
        return false;
    };
    for (std::size_t i = 0; i < header.size(); ++i) {
        const bool result = std::any_of(kStudyResultNames.begin(), kStudyResultNames.end(),
                                        [&](std::string_view r) { return SameName(header[i], r); });
        if (!result) continue;
        std::string name = "input_" + std::string(WithoutBlanks(header[i]));
        while (taken(name, i)) name.insert(0, "input_");
        names[i] = std::move(name);
    }
    return names;
}

namespace {

// Reading takes at most about this much input into one chunk, less when many
// cores share the budget of all chunks held at once; a chunk's buffers grown
// beyond the kept capacity by long records are given back once written.
constexpr std::size_t kChunkBytes = std::size_t{1} << 18;
constexpr std::size_t kMinChunkBytes = std::size_t{1} << 16;
constexpr std::size_t kAllChunksBytes = std::size_t{16} << 20;
constexpr std::size_t kKeptCapacity = std::size_t{4} << 20;

// The CSV text of a chunk, written straight into memory.
class OutputBuffer {
public:
    // Room for `n` more characters.
    char* Room(std::size_t n) {
        if (size_ + n > capacity_) {
            const std::size_t capacity = std::max(2 * capacity_, size_ + n + 4096);
            std::unique_ptr<char[]> bigger(new char[capacity]);  // not cleared: written before read
            if (size_) std::memcpy(bigger.get(), data_.get(), size_);
            data_ = std::move(bigger);
            capacity_ = capacity;
        }
        return data_.get() + size_;
    }
    void Commit(char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
    // Empties the buffer; memory beyond what an ordinary chunk needs is given back.
    void Clear() {
        size_ = 0;
        if (capacity_ > kKeptCapacity) {
            data_.reset();
            capacity_ = 0;
        }
    }
    std::string_view View() const { return {data_.get(), size_}; }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

struct Chunk {
    std::string text;  // whole records of the input
    csv::ReaderOptions reading;
    std::size_t count = 0;  // how many records `text` holds
    OutputBuffer out;
    csv::Fields fields;  // the record being computed
    std::string error;

    void Release() {
        if (text.capacity() > kKeptCapacity) std::string().swap(text);
    }
};

class StudyRunner {
public:
    StudyRunner(const StudyOptions& options, const std::vector<std::string>& header)
        : options_(options), inputCount_(header.size()), at_(MapStudyColumns(header)) {}

    void Compute(Chunk& chunk) const {
        chunk.out.Clear();
        csv::Reader reader(chunk.text, chunk.reading);
        StudyRowResults result;
        StudyRowInputs in;
        std::size_t line;
        for (std::size_t k = 0; k < chunk.count && reader.Next(chunk.fields, line, chunk.error);
             ++k) {
            const csv::Fields& fields = chunk.fields;
            std::string& error = chunk.error;
            for (auto& r : result) r.clear();
            if (error.empty() && fields.size() != inputCount_) {
                error = "line " + std::to_string(line) + ": " + std::to_string(fields.size()) +
                        " fields where the header has " + std::to_string(inputCount_);
            }
            if (!error.empty()) {
                result[kStatusColumn] = "error";
                result[kMessageColumn] = error;
            } else {
                for (int c = 0; c < kStudyInputColumnCount; ++c) {
                    in[c] = at_[c] >= 0 ? fields[at_[c]] : std::string_view();
                }
                ComputeStudyRow(in, options_, result);
            }
            // The input columns as read (a short line padded, a long one cut),
            // then the results. A plain record is copied as it stands.
            const std::size_t shown = std::min(inputCount_, fields.size());
            const std::string_view plain =
                error.empty() && fields.size() == inputCount_ ? csv::PlainRecordText(fields)
                                                               : std::string_view();
            std::size_t room = inputCount_ + kStudyResultColumnCount + 2;
            if (plain.empty()) {
                for (std::size_t i = 0; i < shown; ++i) room += 2 * fields[i].size() + 2;
            } else {
                room += plain.size();
            }
            for (const auto& r : result) room += 2 * r.size() + 2;
            char* o = chunk.out.Room(room);
            if (!plain.empty()) {
                std::memcpy(o, plain.data(), plain.size());
                o += plain.size();
            } else {
                for (std::size_t i = 0; i < inputCount_; ++i) {
                    if (i) *o++ = ',';
                    if (i < shown) o = csv::WriteField(o, fields[i]);
                }
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
    StudyColumnMap at_;
};

// Computes the chunks in order on worker threads, one a core, a few chunks
// ahead of the writing; this thread reads the chunks and writes the results
// in the order of the rows. Memory: the ring of chunks and one record.
class Pipeline {
public:
    Pipeline(const StudyRunner& runner, csv::ChunkReader& reader, const StudyOptions& options,
             const StudySink& sink)
        : runner_(runner), reader_(reader), options_(options), sink_(sink) {}

    void Run(unsigned workers) {
        if (workers == 1) return RunHere();
        ring_.resize(2 * workers);
        chunkBytes_ = std::clamp(kAllChunksBytes / ring_.size(), kMinChunkBytes, kChunkBytes);
        computed_.assign(ring_.size(), SIZE_MAX);
        try {
            for (unsigned w = 0; w < workers; ++w) pool_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            // No more threads to be had: the ones started do the work.
            if (pool_.empty()) return RunHere();
        }
        std::exception_ptr failure;
        try {
            Feed();
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& t : pool_) t.join();
        if (!failure) failure = workerFailure_;
        if (failure) std::rethrow_exception(failure);
    }

private:
    bool Read(Chunk& chunk) {
        chunk.Release();
        chunk.count = reader_.Next(chunk.text, chunk.reading, options_.chunkRows, chunkBytes_);
        return chunk.count > 0;
    }

    // Everything on the caller's thread, one chunk at a time.
    void RunHere() {
        Chunk chunk;
        while (Read(chunk)) {
            runner_.Compute(chunk);
            sink_(chunk.out.View());
        }
    }

    void Feed() {
        const std::size_t window = ring_.size();
        for (std::size_t written = 0;; ++written) {
            // Read what the window has room for: a slot is free once written.
            while (!allRead_ && read_ < written + window) {
                const bool more = Read(ring_[read_ % window]);
                std::lock_guard lock(mutex_);
                if (more) {
                    ++read_;
                } else {
                    allRead_ = true;
                }
                changed_.notify_all();
            }
            std::unique_lock lock(mutex_);
            if (allRead_ && written == read_) return;
            changed_.wait(lock,
                          [&] { return computed_[written % window] == written || workerFailure_; });
            if (workerFailure_) return;
            lock.unlock();
            sink_(ring_[written % window].out.View());
        }
    }

    void Work() {
        const std::size_t window = ring_.size();
        for (;;) {
            std::size_t k;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return handedOut_ < read_ || allRead_ || stop_; });
                if (stop_ || workerFailure_ || handedOut_ == read_) return;
                k = handedOut_++;
            }
            try {
                runner_.Compute(ring_[k % window]);
            } catch (...) {
                std::lock_guard lock(mutex_);
                if (!workerFailure_) workerFailure_ = std::current_exception();
                changed_.notify_all();
                return;
            }
            std::lock_guard lock(mutex_);
            computed_[k % window] = k;
            changed_.notify_all();
        }
    }

    const StudyRunner& runner_;
    csv::ChunkReader& reader_;
    const StudyOptions& options_;
    const StudySink& sink_;
    std::size_t chunkBytes_ = kChunkBytes;
    std::vector<Chunk> ring_;
    std::vector<std::size_t> computed_;  // which chunk each slot holds done
    std::vector<std::thread> pool_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t read_ = 0, handedOut_ = 0;
    bool allRead_ = false, stop_ = false;
    std::exception_ptr workerFailure_;
};

}  // namespace

StudySource Utf8StudySource(StudySource source) {
    // The decoding reads this much UTF-16 at a time: memory stays bounded.
    constexpr std::size_t kPieceBytes = std::size_t{1} << 16;
    struct State {
        StudySource source;
        bool started = false;
        bool utf16 = false;
        bool little = false;
        bool end = false;
        std::string held;       // bytes to hand out: the first bytes as read, or decoded text
        std::size_t given = 0;  // how much of `held` is handed out
        std::string raw;        // UTF-16 read and not yet decoded: a unit or a pair cut in two
    };
    auto state = std::make_shared<State>();
    state->source = std::move(source);
    return [state](char* buffer, std::size_t size) -> std::size_t {
        State& s = *state;
        if (!s.started) {
            // The first two bytes tell UTF-16 by its byte-order mark.
            char first[2];
            std::size_t got = 0;
            while (got < 2) {
                const std::size_t n = s.source(first + got, 2 - got);
                if (n == 0) break;
                got += n;
            }
            s.started = true;
            const std::string_view mark(first, got);
            s.utf16 = mark == "\xFF\xFE" || mark == "\xFE\xFF";
            s.little = mark == "\xFF\xFE";
            if (!s.utf16) s.held.assign(mark);
        }
        auto invalid = [] {
            return StudyReadError(
                "not valid UTF-16 (a surrogate without its pair, or a byte left over): "
                "save the study as UTF-8");
        };
        while (s.given == s.held.size()) {
            if (!s.utf16) return s.source(buffer, size);
            if (s.end) {
                if (!s.raw.empty()) throw invalid();
                return 0;
            }
            s.held.clear();
            s.given = 0;
            const std::size_t kept = s.raw.size();
            s.raw.resize(kept + kPieceBytes);
            const std::size_t n = s.source(s.raw.data() + kept, kPieceBytes);
            s.raw.resize(kept + n);
            s.end = n == 0;
            // Whole units, and a high surrogate only with the unit after it.
            std::size_t whole = s.raw.size() & ~std::size_t{1};
            if (!s.end && whole >= 2) {
                const auto high = static_cast<unsigned char>(s.raw[whole - (s.little ? 1 : 2)]);
                if (high >= 0xD8 && high <= 0xDB) whole -= 2;
            }
            if (!DecodeUtf16(std::string_view(s.raw).substr(0, whole), s.little, s.held)) {
                throw invalid();
            }
            s.raw.erase(0, whole);
        }
        const std::size_t n = std::min(size, s.held.size() - s.given);
        std::memcpy(buffer, s.held.data() + s.given, n);
        s.given += n;
        return n;
    };
}

bool RunStudy(const StudySource& source, const StudyOptions& options, const StudySink& sink,
              std::string* headerError) {
    csv::ChunkReader reader(Utf8StudySource(source), options.maxRecordBytes);
    std::vector<std::string> header;
    std::size_t line = 0;
    std::string error;
    if (!reader.First(header, line, error) || !error.empty()) {
        if (headerError) *headerError = error.empty() ? "no header row" : error;
        return false;
    }
    if (std::string fault = StudyHeaderFault(header); !fault.empty()) {
        if (headerError) *headerError = std::move(fault);
        return false;
    }

    std::string head;
    csv::AppendRecord(head, StudyOutputNames(header));
    sink(head);

    const StudyRunner runner(options, header);
    const unsigned workers =
        options.workers ? options.workers : std::max(1u, std::thread::hardware_concurrency());
    Pipeline(runner, reader, options, sink).Run(workers);
    return true;
}

StudySource TextSource(std::string_view text, std::size_t piece) {
    return [text, piece](char* buffer, std::size_t size) mutable {
        const std::size_t n = std::min({size, piece, text.size()});
        if (n) std::memcpy(buffer, text.data(), n);
        text.remove_prefix(n);
        return n;
    };
}

bool RunStudy(std::string_view input, const StudyOptions& options, const StudySink& sink,
              std::string* headerError) {
    return RunStudy(TextSource(input), options, sink, headerError);
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/columns.h"

#include <algorithm>

#include "engine/catalog.h"
#include "engine/dc_arc_flash.h"
#include "engine/ieee2018.h"
#include "engine/protection.h"
#include "engine/units.h"

namespace zentavo {

namespace {

constexpr std::string_view kMethodWords[] = {"empirical",     "fuse",         "breaker",
                                             "ieee1584-2018", "dc-max-power", "dc-arc-resistance"};
constexpr std::string_view kBranchTypeWords[] = {"source", "transformer", "cable", "generator", "transformer3", "unit"};
constexpr std::string_view kYesNoWords[] = {"no", "yes"};
constexpr std::string_view kDeviceAtWords[] = {"bus", "from"};

// The breaker types as a study names them: without the tab and blanks some
// of them carry in the list.
constexpr std::array<std::string_view, kBreakerTypes.size()> kBreakerWords = [] {
    std::array<std::string_view, kBreakerTypes.size()> words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = kBreakerTypes[i].substr(0, kBreakerTypes[i].find('\t'));
    }
    return words;
}();

// An input column: its header name, and either the words it takes or, for
// a column of numbers, their fixed unit (none for the lengths of a row,
// whose unit is the row's own).
struct InputColumn {
    StudyInputColumn column;
    std::string_view name;
    std::span<const std::string_view> words;
    std::string_view unit;
    StudyCellKind kind = StudyCellKind::Number;
};

constexpr StudyCellKind kWord = StudyCellKind::Word;
constexpr StudyCellKind kCurve = StudyCellKind::Curve;
constexpr StudyCellKind kNumberOrNone = StudyCellKind::NumberOrNone;
constexpr StudyCellKind kText = StudyCellKind::Text;

// Every input column, in the order of StudyInputColumn: a new column is one
// more line here and one more enumerator.
// clang-format off
constexpr InputColumn kInputColumns[] = {
    {kMethodColumn,                 "method",                  kMethodWords,       {},       kWord},
    {kVoltageColumn,                "voltage",                 {},                 "V"},
    {kBoltedCurrentColumn,          "bolted_current",          {},                 "kA"},
    {kGapColumn,                    "gap",                     {},                 {}},
    {kGapUnitColumn,                "gap_unit",                kLengthUnitWords,   {},       kWord},
    {kWorkDistanceUnitColumn,       "work_distance_unit",      kLengthUnitWords,   {},       kWord},
    {kWorkDistanceColumn,           "work_distance",           {},                 {}},
    {kEquipmentClassColumn,         "equipment_class",         kEquipmentClasses,  {},       kWord},
    {kGroundingColumn,              "grounding",               kGroundings,        {},       kWord},
    {kArcTimeColumn,                "arc_time",                {},                 "s"},
    {kArcTimeReducedColumn,         "arc_time_reduced",        {},                 "s"},
    {kFuseClassColumn,              "fuse_class",              kFuseClasses,       {},       kWord},
    {kBreakerTypeColumn,            "breaker_type",            kBreakerWords,      {},       kWord},
    {kInterruptingRatingColumn,     "interrupting_rating",     {},                 "kA"},
    {kInstantaneousTripColumn,      "instantaneous_trip",      {},                 "kA"},
    {kElectrodeConfigurationColumn, "electrode_configuration", kElectrodeWords,    {},       kWord},
    {kEnclosureHeightColumn,        "enclosure_height",        {},                 {}},
    {kEnclosureWidthColumn,         "enclosure_width",         {},                 {}},
    {kEnclosureDepthColumn,         "enclosure_depth",         {},                 {}},
    {kEnclosureUnitColumn,          "enclosure_unit",          kLengthUnitWords,   {},       kWord},
    {kDeviceTypeColumn,             "device_type",             kDeviceTypeWords,   {},       kWord},
    {kRelayCurveColumn,             "relay_curve",             kRelayCurveWords,   {},       kWord},
    {kRelayPickupColumn,            "relay_pickup",            {},                 "A"},
    {kRelayTimeDialColumn,          "relay_time_dial",         {},                 {}},
    {kRelayInstPickupColumn,        "relay_inst_pickup",       {},                 "A"},
    {kRelayInstDelayColumn,         "relay_inst_delay",        {},                 "s"},
    {kBreakerTimeColumn,            "breaker_time",            {},                 "s"},
    {kTripRatingColumn,             "trip_rating",             {},                 "A"},
    {kTripLtPickupColumn,           "trip_lt_pickup",          {},                 {}},
    {kTripLtDelayColumn,            "trip_lt_delay",           {},                 "s"},
    {kTripStPickupColumn,           "trip_st_pickup",          {},                 {}},
    {kTripStDelayColumn,            "trip_st_delay",           {},                 "s"},
    {kTripInstPickupColumn,         "trip_inst_pickup",        {},                 {}},
    {kTripInstTimeColumn,           "trip_inst_time",          {},                 "s"},
    {kTripToleranceColumn,          "trip_tolerance",          {},                 {}},
    {kFuseCurveColumn,              "fuse_curve",              {},                 {},       kCurve},
    {kDeviceShareColumn,            "device_share",            {},                 {}},
    {kMaxArcTimeColumn,             "max_arc_time",            {},                 "s",      kNumberOrNone},
    {kBusColumn,                    "bus",                     {},                 {},       kText},
    {kFromBusColumn,                "from_bus",                {},                 {},       kText},
    {kBranchTypeColumn,             "branch_type",             kBranchTypeWords,   {},       kWord},
    {kSourceKaColumn,               "source_ka",               {},                 "kA"},
    {kSourceXrColumn,               "source_xr",               {},                 {}},
    {kSourceKaMinColumn,            "source_ka_min",           {},                 "kA"},
    {kSourceMvaColumn,              "source_mva",              {},                 "MVA"},
    {kSourceMvaMinColumn,           "source_mva_min",          {},                 "MVA"},
    {kTxKvaColumn,                  "tx_kva",                  {},                 "kVA"},
    {kTxZColumn,                    "tx_z",                    {},                 "%"},
    {kTxXrColumn,                   "tx_xr",                   {},                 {}},
    {kCableLengthColumn,            "cable_length",            {},                 "m"},
    {kCableRColumn,                 "cable_r",                 {},                 "ohm/km"},
    {kCableXColumn,                 "cable_x",                 {},                 "ohm/km"},
    {kCableSetsColumn,              "cable_sets",              {},                 {}},
    {kMotorKvaColumn,               "motor_kva",               {},                 "kVA"},
    {kMotorXColumn,                 "motor_x",                 {},                 "pu"},
    {kMotorXrColumn,                "motor_xr",                {},                 {}},
    {kCableEndTempColumn,           "cable_end_temp",          {},                 "°C"},
    {kTxKvHvColumn,                 "tx_kv_hv",                {},                 "kV"},
    {kTxKvMvColumn,                 "tx_kv_mv",                {},                 "kV"},
    {kTxKvLvColumn,                 "tx_kv_lv",                {},                 "kV"},
    {kTxTapColumn,                  "tx_tap",                  {},                 "%"},
    {kLvBusColumn,                  "lv_bus",                  {},                 {},       kText},
    {kTxKvaMvColumn,                "tx_kva_mv",               {},                 "kVA"},
    {kTxKvaLvColumn,                "tx_kva_lv",               {},                 "kVA"},
    {kTxZHlColumn,                  "tx_z_hl",                 {},                 "%"},
    {kTxZMlColumn,                  "tx_z_ml",                 {},                 "%"},
    {kTxUrColumn,                   "tx_ur",                   {},                 "%"},
    {kTxUrHlColumn,                 "tx_ur_hl",                {},                 "%"},
    {kTxUrMlColumn,                 "tx_ur_ml",                {},                 "%"},
    {kGenKvaColumn,                 "gen_kva",                 {},                 "kVA"},
    {kGenKvColumn,                  "gen_kv",                  {},                 "kV"},
    {kGenXdColumn,                  "gen_xd",                  {},                 "pu"},
    {kGenXrColumn,                  "gen_xr",                  {},                 {}},
    {kGenCosPhiColumn,              "gen_cos_phi",             {},                 {}},
    {kGenRColumn,                   "gen_r",                   {},                 "ohm"},
    {kGenInMinColumn,               "gen_in_min",              kYesNoWords,        {},       kWord},
    {kGenPgColumn,                  "gen_pg",                  {},                 "%"},
    {kTxPtColumn,                   "tx_pt",                   {},                 "%"},
    {kDeviceRatingColumn,           "device_rating_ka",        {},                 "kA"},
    {kLineSideColumn,               "line_side",               kYesNoWords,        {},       kWord},
    {kScenariosColumn,              "scenarios",               {},                 {},       kText},
    {kMaintInstPickupColumn,        "maint_inst_pickup",       {},                 {}},
    {kMaintInstTimeColumn,          "maint_inst_time",         {},                 "s"},
    {kMaintScenarioColumn,          "maint_scenario",          {},                 {},       kText},
    {kDcSourceRColumn,              "dc_source_r",             {},                 "ohm"},
    {kDcBoxColumn,                  "dc_box",                  kDcBoxWords,        {},       kWord},
    {kLineSideOfColumn,             "line_side_of",            {},                 {},       kText},
    {kAfrPickupColumn,              "afr_pickup",              {},                 "A"},
    {kAfrTimeColumn,                "afr_time",                {},                 "s"},
    {kZsiColumn,                    "zsi",                     kYesNoWords,        {},       kWord},
    {kZsiTimeColumn,                "zsi_time",                {},                 "s"},
    {kBusDiffTimeColumn,            "bus_diff_time",           {},                 "s"},
    {kDeviceAtColumn,               "device_at",               kDeviceAtWords,     {},       kWord},
    {kCableSizeColumn,              "cable_size",              {},                 {},       kText},
};
// clang-format on
static_assert(std::size(kInputColumns) == kStudyInputColumnCount);
static_assert([] {
    for (int c = 0; c < kStudyInputColumnCount; ++c) {
        if (kInputColumns[c].column != c) return false;
        // A column with words is a word column, and only such a column.
        if (kInputColumns[c].words.empty() == (kInputColumns[c].kind == kWord)) return false;
    }
    return true;
}());

// The output units a result column's numbers are written in.
enum class ResultUnit { kNone, kKiloampere, kEnergy, kBoundary, kPressure, kTnt, kSecond, kVolt, kKilowatt };

struct ResultColumn {
    StudyResultColumn column;
    std::string_view name;
    ResultUnit unit;
};

// Every result column, in output order (the order of StudyResultColumn).
// clang-format off
constexpr ResultColumn kResultColumns[] = {
    {kStatusColumn,                 "status",                    ResultUnit::kNone},
    {kMessageColumn,                "message",                   ResultUnit::kNone},
    {kArcingCurrentColumn,          "arcing_current",            ResultUnit::kKiloampere},
    {kArcingCurrentReducedColumn,   "arcing_current_reduced",    ResultUnit::kKiloampere},
    {kIncidentEnergyColumn,         "incident_energy",           ResultUnit::kEnergy},
    {kFlashBoundaryColumn,          "flash_boundary",            ResultUnit::kBoundary},
    {kPpeLevelColumn,               "ppe_level",                 ResultUnit::kNone},
    {kClothing1Column,              "clothing_1",                ResultUnit::kNone},
    {kClothing2Column,              "clothing_2",                ResultUnit::kNone},
    {kIncidentEnergyReducedColumn,  "incident_energy_reduced",   ResultUnit::kEnergy},
    {kFlashBoundaryReducedColumn,   "flash_boundary_reduced",    ResultUnit::kBoundary},
    {kPpeLevelReducedColumn,        "ppe_level_reduced",         ResultUnit::kNone},
    {kClothingReduced1Column,       "clothing_reduced_1",        ResultUnit::kNone},
    {kClothingReduced2Column,       "clothing_reduced_2",        ResultUnit::kNone},
    {kPressureColumn,               "pressure",                  ResultUnit::kPressure},
    {kPressureReducedColumn,        "pressure_reduced",          ResultUnit::kPressure},
    {kTntColumn,                    "tnt",                       ResultUnit::kTnt},
    {kTntReducedColumn,             "tnt_reduced",               ResultUnit::kTnt},
    {kLimitedApproachColumn,        "limited_approach",          ResultUnit::kBoundary},
    {kRestrictedApproachColumn,     "restricted_approach",       ResultUnit::kBoundary},
    {kProhibitedApproachColumn,     "prohibited_approach",       ResultUnit::kBoundary},
    {kGoverningColumn,              "governing",                 ResultUnit::kNone},
    {kEquationsColumn,              "equations",                 ResultUnit::kNone},
    {kIncidentEnergyGoverningColumn, "incident_energy_governing", ResultUnit::kEnergy},
    {kFlashBoundaryGoverningColumn, "flash_boundary_governing",  ResultUnit::kBoundary},
    {kPpeLevelGoverningColumn,      "ppe_level_governing",       ResultUnit::kNone},
    {kEnclosureTypeColumn,          "enclosure_type",            ResultUnit::kNone},
    {kEnclosureFactorColumn,        "enclosure_factor",          ResultUnit::kNone},
    {kArcTimeUsedColumn,            "arc_time_used",             ResultUnit::kSecond},
    {kArcTimeReducedUsedColumn,     "arc_time_reduced_used",     ResultUnit::kSecond},
    {kDeviceElementColumn,          "device_element",            ResultUnit::kNone},
    {kDeviceElementReducedColumn,   "device_element_reduced",    ResultUnit::kNone},
    {kBoltedCurrentMaxColumn,       "bolted_current_max",        ResultUnit::kKiloampere},
    {kBoltedCurrentMinColumn,       "bolted_current_min",        ResultUnit::kKiloampere},
    {kScenarioColumn,               "scenario",                  ResultUnit::kNone},
    {kBranchShareColumn,            "branch_share",              ResultUnit::kNone},
    {kBranchShareMinColumn,         "branch_share_min",          ResultUnit::kNone},
    {kDeviceDutyColumn,             "device_duty",               ResultUnit::kNone},
    {kArcStepsColumn,               "arc_steps",                 ResultUnit::kNone},
    {kScenarioWorstColumn,          "scenario_worst",            ResultUnit::kNone},
    {kArcVoltageColumn,             "arc_voltage",               ResultUnit::kVolt},
    {kArcPowerColumn,               "arc_power",                 ResultUnit::kKilowatt},
    {kRangeWorstArcingCurrentColumn, "range_worst_arcing_current", ResultUnit::kKiloampere},
    {kRangeWorstEnergyColumn,       "range_worst_energy",        ResultUnit::kEnergy},
    {kScenarioEnergiesColumn,       "scenario_energies",         ResultUnit::kEnergy},
};
// clang-format on
static_assert(std::size(kResultColumns) == kStudyResultColumnCount);
static_assert([] {
    for (int c = 0; c < kStudyResultColumnCount; ++c) {
        if (kResultColumns[c].column != c) return false;
    }
    return true;
}());

}  // namespace

const std::array<std::string_view, kStudyInputColumnCount> kStudyInputNames = [] {
    std::array<std::string_view, kStudyInputColumnCount> names{};
    for (int c = 0; c < kStudyInputColumnCount; ++c) names[c] = kInputColumns[c].name;
    return names;
}();

const std::array<std::string_view, kStudyResultColumnCount> kStudyResultNames = [] {
    std::array<std::string_view, kStudyResultColumnCount> names{};
    for (int c = 0; c < kStudyResultColumnCount; ++c) names[c] = kResultColumns[c].name;
    return names;
}();

std::span<const std::string_view> StudyColumnWords(StudyInputColumn column) {
    return kInputColumns[column].words;
}

std::string_view StudyInputUnit(StudyInputColumn column) { return kInputColumns[column].unit; }

StudyCellKind StudyColumnKind(StudyInputColumn column) { return kInputColumns[column].kind; }

std::string_view StudyResultUnit(StudyResultColumn column, const UnitSettings& units) {
    switch (kResultColumns[column].unit) {
    case ResultUnit::kKiloampere:
        return "kA";
    case ResultUnit::kEnergy:
        return UnitWord(units.EnergyUnit);
    case ResultUnit::kBoundary:
        return UnitWord(units.BoundaryUnit);
    case ResultUnit::kPressure:
        return UnitWord(units.PressureUnit);
    case ResultUnit::kTnt:
        return UnitWord(units.TntUnit);
    case ResultUnit::kSecond:
        return "s";
    case ResultUnit::kVolt:
        return "V";
    case ResultUnit::kKilowatt:
        return "kW";
    case ResultUnit::kNone:
        break;
    }
    return {};
}

std::optional<LengthUnit> StudyLengthUnit(std::string_view cell) {
    if (cell.empty()) return LengthUnit::Millimetres;
    return ParseLengthUnit(cell);
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

namespace {
bool AnyOf(const StudyColumnMap& at, int first, int last) {
    for (int c = first; c <= last; ++c) {
        if (at[c] >= 0) return true;
    }
    return false;
}

ResultColumnList ResultColumns(bool devices, bool network, bool duty, bool steps, bool scenarios,
                               bool dc, bool range) {
    ResultColumnList list;
    list.reserve(kStudyResultColumnCount);
    for (int c = 0; c < kFirstDeviceResultColumn; ++c) list.push_back(c);
    if (devices) {
        for (int c = kFirstDeviceResultColumn; c < kFirstNetworkResultColumn; ++c) list.push_back(c);
    }
    if (network) {
        for (int c = kFirstNetworkResultColumn; c < kFirstDutyResultColumn; ++c) list.push_back(c);
    }
    if (duty) {
        for (int c = kFirstDutyResultColumn; c < kFirstStepsResultColumn; ++c) list.push_back(c);
    }
    if (steps && network) {
        for (int c = kFirstStepsResultColumn; c < kFirstScenarioResultColumn; ++c) list.push_back(c);
    }
    if (scenarios && network) {
        for (int c = kFirstScenarioResultColumn; c < kFirstDcResultColumn; ++c) list.push_back(c);
    }
    if (dc) {
        for (int c = kFirstDcResultColumn; c < kFirstRangeResultColumn; ++c) list.push_back(c);
    }
    if (range) {
        for (int c = kFirstRangeResultColumn; c < kFirstScenarioEnergiesResultColumn; ++c)
            list.push_back(c);
    }
    if (scenarios && network) {
        for (int c = kFirstScenarioEnergiesResultColumn; c < kStudyResultColumnCount; ++c)
            list.push_back(c);
    }
    return list;
}
}  // namespace

bool HasDeviceColumns(const StudyColumnMap& at) {
    // A branch's breaker may have an arc-flash relay alone, without device_type.
    return AnyOf(at, kFirstDeviceColumn, kLastDeviceColumn) || at[kAfrPickupColumn] >= 0 || at[kAfrTimeColumn] >= 0;
}

bool HasNetworkColumns(const StudyColumnMap& at) { return AnyOf(at, kFirstNetworkColumn, kLastNetworkColumn); }

bool HasDutyColumn(const StudyColumnMap& at) { return at[kDeviceRatingColumn] >= 0; }

bool HasScenarioColumns(const StudyColumnMap& at) {
    return HasNetworkColumns(at) && (at[kScenariosColumn] >= 0 || at[kMaintScenarioColumn] >= 0);
}

bool HasDcColumns(const StudyColumnMap& at) { return at[kDcSourceRColumn] >= 0 || at[kDcBoxColumn] >= 0; }

ResultColumnList WrittenResultColumns(const StudyColumnMap& at, bool steps, bool range) {
    return ResultColumns(HasDeviceColumns(at), HasNetworkColumns(at), HasDutyColumn(at), steps,
                         HasScenarioColumns(at), HasDcColumns(at), range);
}

ResultColumnList OutputResultColumns(const std::vector<std::string>& outputHeader) {
    // The inputs before the result columns name a device (network) column
    // exactly when the study wrote the device (network) results. Tried from
    // the widest list down: a list too short leaves result names among the
    // inputs, and those name no input column.
    for (const bool devices : {true, false}) {
        for (const bool network : {true, false}) {
            for (const bool duty : {true, false}) {
                // The scenarios' energies are the last column when written,
                // the range's two columns the last before it, the DC columns
                // the last two before those; the steps column is the last
                // one before them, or the one before scenario_worst.
                std::size_t all = outputHeader.size();
                const bool energies =
                    network && all >= 1 &&
                    outputHeader[all - 1] == kStudyResultNames[kScenarioEnergiesColumn];
                if (energies) all -= 1;
                const bool range =
                    all >= 2 &&
                    outputHeader[all - 1] == kStudyResultNames[kRangeWorstEnergyColumn] &&
                    outputHeader[all - 2] == kStudyResultNames[kRangeWorstArcingCurrentColumn];
                if (range) all -= 2;
                const bool dc = all >= 2 && outputHeader[all - 1] == kStudyResultNames[kArcPowerColumn] &&
                                outputHeader[all - 2] == kStudyResultNames[kArcVoltageColumn];
                const std::size_t n = all - (dc ? 2 : 0);
                const bool scenarios = network && n >= 1 && outputHeader[n - 1] == kStudyResultNames[kScenarioWorstColumn];
                const std::size_t stepsAt = n - 1 - (scenarios ? 1 : 0);
                const bool steps = network && n >= 1 + (scenarios ? 1 : 0) &&
                                   outputHeader[stepsAt] == kStudyResultNames[kArcStepsColumn];
                ResultColumnList list =
                    ResultColumns(devices, network, duty, steps, scenarios, dc, range);
                // A results file written before the scenarios' energies were
                // (scenario_worst without them) is read as it was.
                if (scenarios && !energies) list.pop_back();
                if (energies && !scenarios) continue;
                if (outputHeader.size() < list.size()) continue;
                const std::vector<std::string> inputs(
                    outputHeader.begin(), outputHeader.end() - static_cast<std::ptrdiff_t>(list.size()));
                const StudyColumnMap at = MapStudyColumns(inputs);
                if (HasDeviceColumns(at) == devices && HasNetworkColumns(at) == network &&
                    HasDutyColumn(at) == duty && HasScenarioColumns(at) == scenarios && HasDcColumns(at) == dc)
                    return list;
            }
        }
    }
    return {};
}

namespace {

// The result columns a study may be given by mistake for an input of
// nearly the same name.
struct ResultLikeInput {
    StudyResultColumn result;
    StudyInputColumn input;
};
constexpr ResultLikeInput kResultsLikeInputs[] = {{kScenarioColumn, kScenariosColumn}};

// The columns of `header` that are a results file's result columns: the
// last ones, named as the study the columns before them would write them
// (OutputResultColumns); none for a header that is not a results file's.
std::size_t ResultBlockSize(const std::vector<std::string>& header) {
    const ResultColumnList list = OutputResultColumns(header);
    if (list.empty() || list.size() > header.size()) return 0;
    const std::size_t first = header.size() - list.size();
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (!IsColumnName(header[first + k], kStudyResultNames[list[k]])) return 0;
    }
    return list.size();
}

}  // namespace

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
    if (std::string f = fault(kPointColumnName); !f.empty()) return f;
    // A result column among the inputs, of nearly the name of an input:
    // taken for that input, it would be read as none.
    for (const int r : ResultColumnsAmongInputs(header)) {
        for (const ResultLikeInput& like : kResultsLikeInputs) {
            if (like.result == r) {
                return "column " + std::string(kStudyResultNames[r]) + " is a result column; the input column is " +
                       std::string(kStudyInputNames[like.input]);
            }
        }
    }
    return {};
}

std::vector<int> ResultColumnsAmongInputs(const std::vector<std::string>& header) {
    std::vector<int> found;
    const std::size_t inputs = header.size() - ResultBlockSize(header);
    for (std::size_t i = 0; i < inputs; ++i) {
        for (int r = 0; r < kStudyResultColumnCount; ++r) {
            if (IsColumnName(header[i], kStudyResultNames[r])) found.push_back(r);
        }
    }
    return found;
}

std::vector<std::string> StudyOutputNames(const std::vector<std::string>& header, bool steps,
                                          bool range) {
    std::vector<std::string> names = header;
    const ResultColumnList written = WrittenResultColumns(MapStudyColumns(header), steps, range);
    for (int c : written) names.emplace_back(kStudyResultNames[c]);
    auto taken = [&](std::string_view name, std::size_t by) {
        for (std::size_t k = 0; k < names.size(); ++k) {
            if (k != by && SameName(names[k], name)) return true;
        }
        return false;
    };
    for (std::size_t i = 0; i < header.size(); ++i) {
        const bool result = std::any_of(written.begin(), written.end(), [&](int r) {
            return SameName(header[i], kStudyResultNames[r]);
        });
        if (!result) continue;
        std::string name = "input_" + std::string(WithoutBlanks(header[i]));
        while (taken(name, i)) name.insert(0, "input_");
        names[i] = std::move(name);
    }
    return names;
}
}  // namespace zentavo

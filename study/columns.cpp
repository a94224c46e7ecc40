#include "study/columns.h"

#include <algorithm>

#include "engine/catalog.h"
#include "engine/ieee2018.h"

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
}  // namespace zentavo

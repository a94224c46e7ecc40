// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/row_edit.h"

#include <charconv>

#include "engine/catalog.h"
#include "engine/ieee2018.h"
#include "engine/protection.h"
#include "study/column_groups.h"
#include "study/study_file.h"

namespace zentavo {

namespace {

bool Blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// The shape of row `row`, with `text` in `changed` when given.
struct RowWords {
    std::string method, device, branch, bus;
    StudyRowShape Shape() const { return {method, device, branch, !Blank(bus)}; }
};

RowWords WordsOf(const StudyFile& study, std::size_t row) {
    return {study.Input(row, kMethodColumn), study.Input(row, kDeviceTypeColumn),
            study.Input(row, kBranchTypeColumn), study.Input(row, kBusColumn)};
}

}  // namespace

bool UnusedTextRefusesRow(StudyInputColumn column) {
    // A method passes by another method's inputs; the durations, a device's
    // settings, a branch's values and a bolted current on a bus it refuses.
    const StudyColumnGroup g = GroupOf(column);
    return g == StudyColumnGroup::Duration || g == StudyColumnGroup::Network ||
           column == kBoltedCurrentColumn;
}

std::vector<StudyInputColumn> CellsLeftUnused(const StudyFile& study, std::size_t row,
                                              StudyInputColumn changed, std::string_view text) {
    const RowWords before = WordsOf(study, row);
    RowWords after = before;
    switch (changed) {
        case kMethodColumn:
            after.method = text;
            break;
        case kDeviceTypeColumn:
            after.device = text;
            break;
        case kBranchTypeColumn:
            after.branch = text;
            break;
        case kBusColumn:
            after.bus = text;
            break;
        default:
            return {};
    }
    std::vector<StudyInputColumn> unused;
    for (int i = 0; i < kStudyInputColumnCount; ++i) {
        const auto c = static_cast<StudyInputColumn>(i);
        if (c == changed || !UnusedTextRefusesRow(c) || Blank(study.Input(row, c))) continue;
        if (ColumnApplies(c, before.Shape()) && !ColumnApplies(c, after.Shape()))
            unused.push_back(c);
    }
    return unused;
}

std::string_view EquipmentClassOf(const Ieee2018Equipment& type) {
    const std::string_view name = type.name;
    if (name.find("junction box") != std::string_view::npos) return kEquipmentClasses[kCable];
    if (name.find("MCC") != std::string_view::npos) return kEquipmentClasses[kMccAndPanels];
    return kEquipmentClasses[kSwitchgear];
}

std::vector<std::pair<StudyInputColumn, std::string>> EquipmentTypeCells(
    const StudyFile& study, std::size_t row, const Ieee2018Equipment& e) {
    auto length = [&](double mm, StudyInputColumn unitColumn) {
        const LengthUnit unit =
            StudyLengthUnit(study.Input(row, unitColumn)).value_or(LengthUnit::Millimetres);
        return Ieee2018LengthText(mm, unit, '.');
    };
    return {{kEquipmentClassColumn, std::string(EquipmentClassOf(e))},
            {kElectrodeConfigurationColumn,
             std::string(kElectrodeWords[static_cast<std::size_t>(e.electrode)])},
            {kGapColumn, length(e.gapMm, kGapUnitColumn)},
            {kEnclosureHeightColumn, length(e.heightMm, kEnclosureUnitColumn)},
            {kEnclosureWidthColumn, length(e.widthMm, kEnclosureUnitColumn)},
            {kEnclosureDepthColumn, length(e.depthMm, kEnclosureUnitColumn)},
            {kWorkDistanceColumn, length(e.workDistMm, kWorkDistanceUnitColumn)}};
}

std::optional<EmptyCellMeaning> EmptyCellMeans(StudyInputColumn column) {
    switch (column) {
        case kMaxArcTimeColumn:
            return EmptyCellMeaning{kDefaultMaxArcTime};
        case kBreakerTimeColumn:
            return EmptyCellMeaning{kDefaultBreakerTime};
        case kTripInstTimeColumn:
            return EmptyCellMeaning{kDefaultTripInstTime};
        case kTripToleranceColumn:
            return EmptyCellMeaning{kDefaultTripTolerance};
        case kRelayInstDelayColumn:
            return EmptyCellMeaning{0.0};
        case kCableSetsColumn:
            return EmptyCellMeaning{1.0};
        case kRelayInstPickupColumn:
        case kTripStPickupColumn:
        case kTripInstPickupColumn:
        case kMaintInstPickupColumn:
            return EmptyCellMeaning{std::nullopt};
        default:
            return std::nullopt;
    }
}

std::string CopyName(std::string_view name, const std::function<bool(std::string_view)>& taken) {
    // "A (2)": its stem "A", counted on from 2.
    std::string_view stem = name;
    int from = 2;
    if (name.size() > 3 && name.back() == ')') {
        const std::size_t open = name.rfind(" (");
        if (open != std::string_view::npos) {
            const std::string_view digits = name.substr(open + 2, name.size() - open - 3);
            int n = 0;
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), n);
            if (error == std::errc() && end == digits.data() + digits.size() && !digits.empty() &&
                digits.front() != '0' && digits.size() <= 6) {
                stem = name.substr(0, open);
                from = n + 1;
            }
        }
    }
    for (int n = from;; ++n) {
        std::string copy = std::string(stem) + " (" + std::to_string(n) + ")";
        if (!taken(copy)) return copy;
    }
}

}  // namespace zentavo

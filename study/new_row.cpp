// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/new_row.h"

#include <algorithm>
#include <map>
#include <set>

#include "engine/ieee2018.h"
#include "study/column_groups.h"
#include "study/study_file.h"

namespace zentavo {

namespace {

// What a new point takes from the row it is made like: the method, system
// and equipment, the distances, the typed durations; never the row's
// device, its network or the user's own columns.
bool Copied(StudyInputColumn c) {
    const StudyColumnGroup g = GroupOf(c);
    return g == StudyColumnGroup::Method || g == StudyColumnGroup::Distances || c == kArcTimeColumn ||
           c == kArcTimeReducedColumn;
}

// The most common non-empty text of a column over the study's rows (the
// first seen of the most common), empty when no row holds one.
std::string MostCommon(const StudyFile& study, StudyInputColumn c) {
    std::map<std::string, std::size_t> counts;
    std::string best;
    std::size_t most = 0;
    for (std::size_t r = 0; r < study.RowCount(); ++r) {
        std::string text = study.Input(r, c);
        if (text.empty()) continue;
        const std::size_t n = ++counts[text];
        if (n > most) {
            most = n;
            best = std::move(text);
        }
    }
    return best;
}

// A bus name no row of the study uses: "Bus 1", "Bus 2", ...
std::string NewBusName(const StudyFile& study) {
    std::set<std::string> used;
    for (std::size_t r = 0; r < study.RowCount(); ++r) {
        for (StudyInputColumn c : {kBusColumn, kFromBusColumn, kLvBusColumn}) used.insert(study.Input(r, c));
    }
    for (int n = 1;; ++n) {
        std::string name = "Bus " + std::to_string(n);
        if (!used.contains(name)) return name;
    }
}

// The typical low-voltage switchgear of the 2018 model, in millimetres.
std::vector<std::pair<StudyInputColumn, std::string>> FirstRowCells() {
    const Ieee2018Equipment& e = kIeee2018Equipment[5];
    auto mm = [](double v) { return Ieee2018LengthText(v, LengthUnit::Millimetres, '.'); };
    return {{kMethodColumn, "ieee1584-2018"},
            {kEquipmentClassColumn, "Switchgear"},
            {kElectrodeConfigurationColumn, std::string(kElectrodeWords[static_cast<std::size_t>(e.electrode)])},
            {kGapColumn, mm(e.gapMm)},
            {kGapUnitColumn, "mm"},
            {kWorkDistanceColumn, mm(e.workDistMm)},
            {kWorkDistanceUnitColumn, "mm"},
            {kEnclosureHeightColumn, mm(e.heightMm)},
            {kEnclosureWidthColumn, mm(e.widthMm)},
            {kEnclosureDepthColumn, mm(e.depthMm)},
            {kEnclosureUnitColumn, "mm"}};
}

}  // namespace

NewRow MakeNewRow(const StudyFile& study, std::optional<std::size_t> likeRow, NewRowKind kind) {
    NewRow row{std::string(kNewPointName), {}};
    // The row made like, when it is one of the study's.
    const bool like = likeRow && *likeRow < study.RowCount();
    const std::size_t from = like ? *likeRow : 0;
    const std::string bus = like ? study.Input(from, kBusColumn) : std::string();
    if (bus.empty()) kind = NewRowKind::Point;
    if (!like && study.RowCount() == 0) {
        row.cells = FirstRowCells();
        return row;
    }
    // The method first: the other columns are copied only where it takes them.
    const std::string method = like ? study.Input(from, kMethodColumn) : MostCommon(study, kMethodColumn);
    const StudyRowShape shape{method, {}, {}, kind != NewRowKind::Point};
    for (StudyInputColumn c : StudyInputsByGroup()) {
        if (!Copied(c) || !ColumnApplies(c, shape)) continue;
        // Durations are copied only from a row that types them.
        if ((c == kArcTimeColumn || c == kArcTimeReducedColumn) && like &&
            !study.Input(from, kDeviceTypeColumn).empty())
            continue;
        std::string text = like ? study.Input(from, c) : MostCommon(study, c);
        if (!text.empty()) row.cells.emplace_back(c, std::move(text));
    }
    if (kind == NewRowKind::PointOnBus) {
        row.cells.emplace_back(kBusColumn, bus);
    } else if (kind == NewRowKind::Feeder) {
        // A cable from the bus to a new bus at the same voltage; its length
        // and conductors are the user's to give.
        row.point = NewBusName(study);
        row.cells.emplace_back(kBusColumn, row.point);
        row.cells.emplace_back(kFromBusColumn, bus);
        row.cells.emplace_back(kBranchTypeColumn, "cable");
    }
    return row;
}

}  // namespace zentavo

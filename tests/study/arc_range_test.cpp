// SPDX-License-Identifier: GPL-3.0-or-later
// The worst energy over the range of a point's arcing currents
// (--arc-current-range on): found between the cases where the device's
// duration steps, against one-row studies across the range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "engine/number.h"
#include "study/network_study.h"
#include "study/point_record.h"
#include "study/row.h"

namespace zentavo {
namespace {

using Cells = std::map<StudyInputColumn, std::string>;

// A 480 V switchgear point (IEEE 1584-2018, VCB, 32 mm, 508 mm cube, 610
// mm) whose IEEE very-inverse relay (pickup 6870 A, time dial 0.5) takes
// about 2 s near the reduced arcing current of the smaller bolted currents:
// the energy grows with the current at the 2 s cap and falls once the relay
// is faster, so it peaks between the bus's cases of 21.3 and 39.0 kA.
Cells RelayPoint() {
    return {{kMethodColumn, "ieee1584-2018"},
            {kVoltageColumn, "480"},
            {kGapColumn, "32"},
            {kElectrodeConfigurationColumn, "VCB"},
            {kEnclosureHeightColumn, "508"},
            {kEnclosureWidthColumn, "508"},
            {kEnclosureDepthColumn, "508"},
            {kWorkDistanceColumn, "610"},
            {kDeviceTypeColumn, "relay"},
            {kRelayCurveColumn, "IEEE-VI"},
            {kRelayPickupColumn, "6870"},
            {kRelayTimeDialColumn, "0.5"}};
}

// The row's inputs: views into `cells`, which must outlive them.
StudyRowInputs Inputs(const Cells& cells) {
    StudyRowInputs in{};
    for (const auto& [c, text] : cells) in[c] = text;
    return in;
}

// The larger energy of the two arcing currents of a one-row study at a
// bolted current typed in its row.
double OneRowWorst(double boltedKa) {
    Cells cells = RelayPoint();
    cells[kBoltedCurrentColumn] = FormatFixed(boltedKa, 15, 3, '.');
    const PointResult p = ComputeStudyRow(Inputs(cells), StudyOptions{});
    EXPECT_TRUE(p.Computed()) << p.message;
    return std::max(p.full.energy, p.reduced ? p.reduced->energy : 0);
}

TEST(ArcRange, WorstBetweenTheCasesFoundAsOneRowStudiesFindIt) {
    NetworkRowFault fault;
    fault.inNetwork = true;
    fault.kaMax = 39.0;
    fault.kaMin = 21.3;
    const Cells cells = RelayPoint();
    const StudyRowInputs in = Inputs(cells);
    StudyOptions on;
    on.arcCurrentRange = true;
    const PointResult cases = ComputeNetworkStudyRow(in, fault, StudyOptions{});
    const PointResult p = ComputeNetworkStudyRow(in, fault, on);
    ASSERT_TRUE(cases.Computed()) << cases.message;
    ASSERT_TRUE(p.Computed()) << p.message;
    EXPECT_FALSE(cases.range);
    ASSERT_TRUE(p.range);
    const PointRange& r = *p.range;

    // 60 one-row studies across the range, both ends among them.
    double grid = 0;
    for (int i = 0; i < 60; ++i) grid = std::max(grid, OneRowWorst(21.3 + (39.0 - 21.3) * i / 59));
    const double ends = std::max(OneRowWorst(21.3), OneRowWorst(39.0));
    std::printf(
        "range worst %.4f J/cm2 at %.3f kA bolted (arcing %.3f kA), %d evaluations; "
        "60 one-row studies %.4f; ends %.4f; cases %.4f\n",
        r.worst.energy, r.boltedKa, r.arcingKa, r.evaluations, grid, ends,
        cases.Governing().energy);
    EXPECT_NEAR(r.worst.energy, grid, 0.01 * grid);
    EXPECT_GE(r.worst.energy, grid * (1 - 1e-9));  // the grid finds no current the search missed
    EXPECT_GT(r.worst.energy, 1.05 * ends);
    EXPECT_DOUBLE_EQ(ends, cases.Governing().energy);
    EXPECT_LE(r.evaluations, 300);
    EXPECT_GT(r.boltedKa, 21.3);
    EXPECT_LT(r.boltedKa, 39.0);

    // The point's results are those at the worst current: its governing
    // case, as a one-row study at that current gives it, and the cases it
    // came from still shown.
    EXPECT_TRUE(r.governs);
    EXPECT_DOUBLE_EQ(p.Governing().energy, r.worst.energy);
    EXPECT_DOUBLE_EQ(OneRowWorst(r.boltedKa), r.worst.energy);
    ASSERT_TRUE(p.network);
    EXPECT_EQ(p.network->kaMax, 39.0);
    EXPECT_EQ(p.network->kaMin, 21.3);
    const StudyRowResults texts = ResultCells(p, UnitSettings{}, '.');
    EXPECT_EQ(texts[kRangeWorstEnergyColumn], texts[kIncidentEnergyGoverningColumn]);
    EXPECT_EQ(texts[kRangeWorstArcingCurrentColumn], FormatFixed(r.arcingKa, 6, 3, '.'));
    // The label and the report give the current the results are at; the
    // point kept for them reads back with its range.
    EXPECT_EQ(p.NetworkCurrent(), r.boltedKa);
    std::string records;
    AppendPointRecord(records, "SWG-1", in, p);
    std::string_view kept = records;
    PointRecord back;
    ASSERT_TRUE(ReadPointRecord(kept, back));
    ASSERT_TRUE(back.result.range);
    EXPECT_EQ(back.result.range->evaluations, r.evaluations);
    EXPECT_EQ(back.result.NetworkCurrent(), r.boltedKa);
    EXPECT_EQ(ResultCells(back.result, UnitSettings{}, '.'), texts);
}

// Where the energy only grows with the current (a device that is as fast
// at every current of the range), the range's worst is the governing case
// and the point keeps its results.
TEST(ArcRange, MonotonicRangeKeepsTheCases) {
    NetworkRowFault fault;
    fault.inNetwork = true;
    fault.kaMax = 39.0;
    fault.kaMin = 21.3;
    Cells cells = RelayPoint();
    cells[kRelayCurveColumn] = "DT";
    cells[kRelayTimeDialColumn] = "0.2";
    StudyOptions on;
    on.arcCurrentRange = true;
    const PointResult cases = ComputeNetworkStudyRow(Inputs(cells), fault, StudyOptions{});
    const PointResult p = ComputeNetworkStudyRow(Inputs(cells), fault, on);
    ASSERT_TRUE(p.range);
    EXPECT_FALSE(p.range->governs);
    EXPECT_DOUBLE_EQ(p.Governing().energy, cases.Governing().energy);
    EXPECT_DOUBLE_EQ(p.range->worst.energy, cases.Governing().energy);
    EXPECT_EQ(p.range->boltedKa, 39.0);
    EXPECT_GT(p.range->evaluations, 0);
}

}  // namespace
}  // namespace zentavo

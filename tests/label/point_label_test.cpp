// SPDX-License-Identifier: GPL-3.0-or-later
// A point's label takes its governing case: the one with the larger energy
// as computed, also where both energies are raised to the floor and only the
// boundaries differ.
#include <gtest/gtest.h>

#include "engine/empirical.h"
#include "label/point_label.h"

namespace zentavo {
namespace {

TEST(PointLabel, EmpiricalLabelShowsTheGoverningCase) {
    struct Row {
        const char* what;
        double boltedKa, arcTime, arcTimeReduced;
        bool reducedGoverns;
        const char* boundary;  // Label14
        const char* energy;    // Label15
    };
    // 480 V switchgear, 25 mm gap, 914.4 mm working distance.
    const Row rows[] = {
        // Both energies floored to 0.25 cal/cm2: the reduced case's longer arc
        // still has the larger boundary, 6.66 (written "7") inches against the floor's 6.
        {"both floored", 3, 0.01, 0.05, true, "7 inches", "0.25 cal/cm2"},
        {"both floored, same duration", 3, 0.01, 0.01, false, "6.00 inches", "0.25 cal/cm2"},
        {"full governs", 30, 0.1, 0.1, false, nullptr, nullptr},
        {"reduced governs", 30, 0.1, 0.3, true, nullptr, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EmpiricalInputs in;
        in.voltage = 480, in.boltedCurrent = row.boltedKa, in.gapMm = 25, in.workDistMm = 914.4;
        in.equipmentClass = kSwitchgear, in.grounding = 1;
        in.arcTime = row.arcTime, in.arcTimeReduced = row.arcTimeReduced;
        const EmpiricalResults r = ComputeEmpirical(in);
        ASSERT_TRUE(r.reduced);
        EXPECT_EQ(r.reducedGoverns, row.reducedGoverns);

        LabelPoint p;
        p.method = kEmpiricalMethod;
        p.equipment = "Switchgear", p.grounding = "Grounded";
        p.workDist = "914.4", p.boltedCurrent = "3", p.voltage = "480";
        p.full = r.full, p.reduced = r.reduced, p.reducedGoverns = r.reducedGoverns;
        p.approach = r.approach;
        p.voltageV = 480, p.gapMm = 25;
        const UnitSettings units;
        const LabelContent c = MakeLabelContent(LabelInputsOf(p, units, '.'));
        const CaseTexts governing = CaseResultTexts(row.reducedGoverns ? *r.reduced : r.full, CaseStyle::Empirical,
                                                    units, '.');
        EXPECT_EQ(c.texts.at("Label14"), row.boundary ? row.boundary : governing.boundary + " inches");
        EXPECT_EQ(c.texts.at("Label15"), row.energy ? row.energy : governing.energy + " cal/cm2");
        EXPECT_EQ(c.texts.at("Label16"), governing.ppeLevel);
    }
}

}  // namespace
}  // namespace zentavo

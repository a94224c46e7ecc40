// SPDX-License-Identifier: GPL-3.0-or-later
// A point's label takes its governing case: the one with the larger energy
// as computed, also where both energies are raised to the floor and only the
// boundaries differ. Every length on a label is in one unit, the
// boundaries'.
#include "label/point_label.h"

#include <gtest/gtest.h>

#include "engine/empirical.h"
#include "label/standard.h"

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
        p.workDistMm = 914.4, p.boltedCurrent = "3", p.voltage = "480";
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

// A label carries one length unit, the boundaries': the working distance is
// written in it (whole millimetres, inches to a tenth), beside the arc flash
// boundary and the approach boundaries, on the classic label and on the
// label after NFPA 70E, in the three languages. 914.4 mm is 36 in, 455 mm
// 17.91 in; 42 in is 1066.8 mm.
TEST(PointLabel, OneLengthUnitOnEveryLabel) {
    struct Row {
        LengthUnit boundaryUnit;
        int language;
        char sep;
        double workDistMm;
        const char*
            classic;  // Label12 (the working distance), and the unit word of Label14 and Label30
        const char* unit;
        const char* limited;   // Label30
        const char* at;        // the label after NFPA 70E: the energy's distance
        const char* boundary;  // its unit, after the boundary's value
    };
    // clang-format off
    const Row rows[] = {
        {LengthUnit::Inches,      kEnglish, '.', 914.4, "36 inches",   " inches",   "42 inches",   " at 36 in",    " in"},
        {LengthUnit::Inches,      kSpanish, '.', 914.4, "36 pulgadas", " pulgadas", "42 pulgadas", " a 36 pulg.",  " pulg."},
        {LengthUnit::Inches,      kFrench,  ',', 455,   "17,9 pouce",  " pouce",    "42 pouce",    " à 17,9 po",   " po"},
        {LengthUnit::Millimetres, kEnglish, '.', 914.4, "914 mm",      " mm",       "1067 mm",     " at 914 mm",   " mm"},
        {LengthUnit::Millimetres, kSpanish, ',', 455,   "455 mm",      " mm",       "1067 mm",     " a 455 mm",    " mm"},
        {LengthUnit::Millimetres, kFrench,  '.', 914.4, "914 mm",      " mm",       "1067 mm",     " à 914 mm",    " mm"},
    };
    // clang-format on
    auto endsWith = [](const std::string& s, std::string_view end) {
        return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.classic << " " << row.at);
        LabelPoint p;
        p.method = kIeee2018Method;
        p.equipment = "Switchgear";
        p.workDistMm = row.workDistMm, p.boltedCurrent = "20", p.voltage = "480";
        p.full = FlooredCase(8 * kJoulePerCal, 1500, kFullCaseFloorFactor);
        p.approach = {42.0, 12.0, kApproachNotGiven};
        p.voltageV = 480;
        UnitSettings units;
        units.BoundaryUnit =
            row.boundaryUnit;  // the working distance's own unit is not the label's
        units.WorkDistUnit =
            row.boundaryUnit == LengthUnit::Inches ? LengthUnit::Millimetres : LengthUnit::Inches;
        LabelContentInputs in = LabelInputsOf(p, units, row.sep);
        in.language = row.language;
        const LabelContent c = MakeLabelContent(in);
        EXPECT_EQ(c.texts.at("Label12"), row.classic);
        EXPECT_TRUE(endsWith(c.texts.at("Label14"), row.unit)) << c.texts.at("Label14");
        EXPECT_EQ(c.texts.at("Label30"), row.limited);

        StandardLabelOptions o;
        o.standard = LabelStandard::Nfpa70e;
        o.language = row.language;
        o.sep = row.sep;
        const StandardLabel l = MakeStandardLabel(in, "SWG-1", o);
        ASSERT_EQ(l.arcRows.size(), 4u);
        EXPECT_TRUE(endsWith(l.arcRows[1].value, row.boundary)) << l.arcRows[1].value;
        EXPECT_TRUE(endsWith(l.arcRows[2].value, row.at)) << l.arcRows[2].value;
        EXPECT_TRUE(endsWith(l.shockRows[0].value, row.boundary)) << l.shockRows[0].value;
    }
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// What a result means for the worker: floors, PPE level and clothing, shock
// approach boundaries, arc-blast pressure and TNT equivalent, and the texts
// each of them is shown in.
#include "engine/classification.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/catalog.h"
#include "engine/units.h"

namespace zentavo {
namespace {

constexpr double kFullFactor = 0.239006;     // every full-current case
constexpr double kReducedFactor = 0.238846;  // the empirical model's reduced case
constexpr double kFloorJ = 0.25 / 0.239006;  // 1.0459988452172748 J/cm2

UnitSettings Units(const char* energy, const char* boundary, const char* pressure = "lb/ft2",
                   const char* tnt = "kg") {
    UnitSettings u;
    u.EnergyUnit = ParseEnergyUnit(energy).value();
    u.BoundaryUnit = ParseLengthUnit(boundary).value();
    u.PressureUnit = ParsePressureUnit(pressure).value();
    u.TntUnit = ParseTntUnit(tnt).value();
    return u;
}

// ---------------------------------------------------------------------------
// Floors
// ---------------------------------------------------------------------------

struct FloorRow {
    const char* name;
    double energy;    // J/cm2
    double boundary;  // mm
    double factor;
    bool energyFloored;
    bool boundaryFloored;
};

void PrintTo(const FloorRow& r, std::ostream* os) {
    *os << r.name;
}

class ResultFloors : public ::testing::TestWithParam<FloorRow> {};

TEST_P(ResultFloors, RaiseLowValuesToTheMinimums) {
    const auto& r = GetParam();
    const FlooredResult f = ApplyResultFloors(r.energy, r.boundary, r.factor);
    EXPECT_EQ(f.energyFloored, r.energyFloored);
    EXPECT_EQ(f.boundaryFloored, r.boundaryFloored);
    EXPECT_DOUBLE_EQ(f.energy, r.energyFloored ? kFloorJ : r.energy);
    EXPECT_DOUBLE_EQ(f.boundary, r.boundaryFloored ? 152.4 : r.boundary);
}

// The energy test is energy x factor < 0.25 cal/cm2: 1.0459988 J/cm2 with the
// full-case factor, 1.0466995 J/cm2 with the reduced-case factor. Between the
// two, a reduced-case energy is floored (and so set to 1.0459988) while a
// full-case one stays as it is.
INSTANTIATE_TEST_SUITE_P(
    Boundaries, ResultFloors,
    ::testing::Values(FloorRow{"TenthOfACalorie", 0.1 / 0.239006, 100, kFullFactor, true, true},
                      FloorRow{"Zero", 0, 0, kReducedFactor, true, true},
                      FloorRow{"FullBelow", 1.0459, 500, kFullFactor, true, false},
                      FloorRow{"FullAt1_0460", 1.0460, 500, kFullFactor, false, false},
                      FloorRow{"FullInWindow", 1.0463, 500, kFullFactor, false, false},
                      FloorRow{"ReducedBelow", 1.0459, 500, kReducedFactor, true, false},
                      FloorRow{"ReducedAt1_0460", 1.0460, 500, kReducedFactor, true, false},
                      FloorRow{"ReducedInWindow", 1.0463, 500, kReducedFactor, true, false},
                      FloorRow{"ReducedAt1_04669", 1.04669, 500, kReducedFactor, true, false},
                      FloorRow{"ReducedAt1_04671", 1.04671, 500, kReducedFactor, false, false},
                      FloorRow{"Boundary152_39", 5, 152.39, kFullFactor, false, true},
                      FloorRow{"Boundary152_4", 5, 152.4, kFullFactor, false, false},
                      FloorRow{"Boundary152_41", 5, 152.41, kReducedFactor, false, false},
                      FloorRow{"Boundary100", 5, 100, kFullFactor, false, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ResultFloors, FlooredValuesReadAsTheMinimums) {
    const FlooredResult f = ApplyResultFloors(0.1 / 0.239006, 100, kFullFactor);
    EXPECT_DOUBLE_EQ(f.energy, 1.0459988452172748);
    EXPECT_EQ(EnergyText(f.energy, Units("cal/cm2", "inches"), '.'), "0.25");
    EXPECT_EQ(EnergyText(f.energy, Units("J/cm2", "inches"), '.'), "1.05");
    EXPECT_EQ(EnergyText(f.energy, Units("J/cm2", "inches"), ','), "1,05");
    EXPECT_EQ(ClassifyPpe(f.energy).index, 0);
    EXPECT_EQ(BoundaryText(f.boundary, Units("cal/cm2", "inches"), '.'), "6");
    EXPECT_EQ(BoundaryText(f.boundary, Units("cal/cm2", "mm"), '.'), "152");
}

// ---------------------------------------------------------------------------
// PPE levels and clothing
// ---------------------------------------------------------------------------

struct PpeRow {
    double calories;  // cal/cm2
    int index;
    const char* level;
};

class PpeLevels : public ::testing::TestWithParam<PpeRow> {};

TEST_P(PpeLevels, BandsInCalories) {
    const auto& r = GetParam();
    const PpeClass c = ClassifyPpe(r.calories / 0.239006);  // the energy in J/cm2
    EXPECT_EQ(c.index, r.index) << r.calories << " cal/cm2";
    EXPECT_EQ(c.level, r.level) << r.calories << " cal/cm2";
}

INSTANTIATE_TEST_SUITE_P(Bands, PpeLevels,
                         ::testing::Values(PpeRow{0.25, 0, "0"}, PpeRow{1.2, 0, "0"},
                                           PpeRow{1.2000001, 1, "1"}, PpeRow{4, 1, "1"},
                                           PpeRow{4.0000001, 2, "2"}, PpeRow{8, 2, "2"},
                                           PpeRow{8.0000001, 3, "3"}, PpeRow{25, 3, "3"},
                                           PpeRow{25.0000001, 4, "4"}, PpeRow{40, 4, "4"},
                                           PpeRow{40.0009, 4, "4"}, PpeRow{40.001, 5, "N/A"},
                                           PpeRow{1000, 5, "N/A"}));

TEST(PpeLevels, UseTheCalorieFactorOfTheResults) {
    // 5.0207 J/cm2 is 1.19998 cal/cm2; 5.0209 J/cm2 is 1.20003 cal/cm2.
    EXPECT_EQ(ClassifyPpe(5.0207).index, 0);
    EXPECT_EQ(ClassifyPpe(5.0209).index, 1);
}

struct ClothingRow {
    int index;
    const char* first;
    const char* second;
};

class Clothing : public ::testing::TestWithParam<ClothingRow> {};

TEST_P(Clothing, TwoLinesPerLevelExactly) {
    const auto& r = GetParam();
    const ClothingText t = ClothingLines(r.index);
    EXPECT_EQ(t.first, r.first);
    EXPECT_EQ(t.second, r.second);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, Clothing,
    ::testing::Values(
        ClothingRow{0, "Natural fiber ( cotton / wool ) long sleeve shirt and pants,",
                    "safety glasses, hard hat, V-rated  gloves."},
        ClothingRow{1, "FR shirt and pants, safety glasses, hard hat, V-rated  gloves.", ""},
        ClothingRow{2, "FR shirt and pants, face shield, hard hat, ear canal inserts,  V-rated",
                    "and leather gloves, leather work shoes."},
        ClothingRow{3, "FR coverall over FR shirt and pants, flash suit hood, ear canal inserts,",
                    "V-rated and leather  gloves, leather work shoes."},
        ClothingRow{4, "Flash suit over FR coverall over FR shirt and pants, flash suit hood,",
                    "ear canal inserts, V-rated and leather gloves, leather work shoes."},
        ClothingRow{5, "Consult PPE Manufacturer", "N/A"}));

// ---------------------------------------------------------------------------
// Shock approach boundaries
// ---------------------------------------------------------------------------

struct ApproachRow {
    double voltage;
    int equipmentClass;
    const char* limited;
    const char* restricted;
    const char* prohibited;
};

void PrintTo(const ApproachRow& r, std::ostream* os) {
    *os << r.voltage << " V, class " << r.equipmentClass;
}

class ApproachBoundariesByVoltage : public ::testing::TestWithParam<ApproachRow> {};

TEST_P(ApproachBoundariesByVoltage, GiveTheInchTexts) {
    const auto& r = GetParam();
    const ApproachBoundaries b = SelectApproachBoundaries(r.voltage, r.equipmentClass);
    EXPECT_EQ(b.limited, r.limited);
    EXPECT_EQ(b.restricted, r.restricted);
    EXPECT_EQ(b.prohibited, r.prohibited);
}

constexpr const char* kAvoid = "Avoid contact";

INSTANTIATE_TEST_SUITE_P(
    Bands, ApproachBoundariesByVoltage,
    ::testing::Values(ApproachRow{208, kSwitchgear, "42", kAvoid, kAvoid},
                      ApproachRow{300, kSwitchgear, "42", kAvoid, kAvoid},
                      ApproachRow{301, kSwitchgear, "42", "12", "1"},
                      ApproachRow{480, kSwitchgear, "42", "12", "1"},
                      ApproachRow{480, kMccAndPanels, "42", "12", "1"},
                      ApproachRow{750, kMccAndPanels, "42", "12", "1"},
                      ApproachRow{751, kSwitchgear, "60", "26", "7"},
                      ApproachRow{15000, kSwitchgear, "60", "26", "7"},
                      ApproachRow{15001, kSwitchgear, "72", "31", "10"},
                      ApproachRow{36000, kMccAndPanels, "72", "31", "10"},
                      ApproachRow{36001, kSwitchgear, "96", "33", "17"},
                      ApproachRow{46000, kSwitchgear, "96", "33", "17"},
                      // Open air and Cable: the limited boundary is always 120 inches.
                      ApproachRow{480, kCable, "120", "12", "1"},
                      ApproachRow{480, kOpenAir, "120", "12", "1"},
                      ApproachRow{300, kOpenAir, "120", kAvoid, kAvoid},
                      ApproachRow{13800, kCable, "120", "26", "7"},
                      ApproachRow{46000, kOpenAir, "120", "33", "17"}));

struct ApproachTextRow {
    const char* inches;
    const char* boundaryUnit;
    char sep;
    const char* expected;
};

class ApproachTexts : public ::testing::TestWithParam<ApproachTextRow> {};

TEST_P(ApproachTexts, ConvertNumbersOnlyOutsideInches) {
    const auto& r = GetParam();
    EXPECT_EQ(ApproachText(r.inches, Units("cal/cm2", r.boundaryUnit), r.sep), r.expected);
}

// n inches x 25.4, four significant digits, no decimals.
INSTANTIATE_TEST_SUITE_P(
    Texts, ApproachTexts,
    ::testing::Values(
        ApproachTextRow{"42", "inches", '.', "42"}, ApproachTextRow{"120", "inches", '.', "120"},
        ApproachTextRow{kAvoid, "inches", '.', kAvoid}, ApproachTextRow{kAvoid, "mm", '.', kAvoid},
        ApproachTextRow{"42", "mm", '.', "1067"}, ApproachTextRow{"12", "mm", '.', "305"},
        ApproachTextRow{"1", "mm", '.', "25"}, ApproachTextRow{"7", "mm", '.', "178"},
        ApproachTextRow{"60", "mm", '.', "1524"}, ApproachTextRow{"26", "mm", '.', "660"},
        ApproachTextRow{"72", "mm", '.', "1829"}, ApproachTextRow{"31", "mm", '.', "787"},
        ApproachTextRow{"10", "mm", '.', "254"}, ApproachTextRow{"96", "mm", '.', "2438"},
        ApproachTextRow{"33", "mm", '.', "838"}, ApproachTextRow{"17", "mm", '.', "432"},
        ApproachTextRow{"120", "mm", ',', "3048"}));
// A word other than the units' own ("Inches", "psi", "KPA", "tons", "cal")
// is no unit: it is refused where it enters (UnitWords, units_test.cpp)
// and never reaches these texts as some other unit.

TEST(ApproachTexts, SwitchgearAt480VoltsInMillimetres) {
    const ApproachBoundaries b = SelectApproachBoundaries(480, kSwitchgear);
    const UnitSettings mm = Units("cal/cm2", "mm");
    EXPECT_EQ(ApproachText(b.limited, mm, '.'), "1067");
    EXPECT_EQ(ApproachText(b.restricted, mm, '.'), "305");
    EXPECT_EQ(ApproachText(b.prohibited, mm, '.'), "25");
}

// ---------------------------------------------------------------------------
// Pressure and TNT equivalent
// ---------------------------------------------------------------------------

TEST(ArcBlastPressure, ElevenPoint58TimesCurrentOverFeetToThe0_9) {
    // 20 kA at 455 mm: 11.58 x 20 / (455 / 304.8)^0.9.
    EXPECT_NEAR(ArcBlastPressure(20, 455), 161.4886, 1e-4);
    // At one foot the distance term is 1.
    EXPECT_NEAR(ArcBlastPressure(20, 304.8), 231.6, 1e-9);
    EXPECT_NEAR(ArcBlastPressure(10, 304.8), 115.8, 1e-9);
    // Twice the distance: 2^-0.9 of the pressure.
    EXPECT_NEAR(ArcBlastPressure(20, 609.6), 231.6 * 0.5358867312681466, 1e-9);
}

TEST(TntEquivalent, FollowsCurrentVoltageAndDuration) {
    // 20 kA arc, 30 kA bolted, 480 V, 0.2 s: 1.73 x 20 x 480 x (1/3) x 0.2 / 4184.
    EXPECT_NEAR(TntEquivalentOf(20, 30, 480, 0.2), 0.2646271510516253, 1e-12);
    EXPECT_NEAR(TntEquivalentOf(20, 30, 480, 0.4), 2 * 0.2646271510516253, 1e-12);
    EXPECT_DOUBLE_EQ(TntEquivalentOf(20, 20, 480, 0.2), 0.0);
}

struct PressureTextRow {
    double lbPerFt2;
    const char* unit;
    PressureStyle style;
    char sep;
    const char* expected;
};

class PressureTexts : public ::testing::TestWithParam<PressureTextRow> {};

TEST_P(PressureTexts, InThePressureUnit) {
    const auto& r = GetParam();
    EXPECT_EQ(PressureText(r.lbPerFt2, Units("cal/cm2", "inches", r.unit), r.style, r.sep),
              r.expected);
}

constexpr PressureStyle kEmp = PressureStyle::Empirical;
constexpr PressureStyle kFuse = PressureStyle::Fuse;

// 161.4885609 lb/ft2 is 20 kA at 455 mm; the other texts are P / 2116 (4, 4),
// P / 0.0209 (4, 0 or 2), P / 2116 x 101.325 (4, 4).
INSTANTIATE_TEST_SUITE_P(
    Units, PressureTexts,
    ::testing::Values(PressureTextRow{1000, "N/m2", kEmp, '.', "4.785E4"},
                      PressureTextRow{1000, "N/m2", kFuse, '.', "4.785E04"},
                      PressureTextRow{1000, "Atmosphere", kEmp, '.', "0.4726"},
                      PressureTextRow{1000, "Atmosphere", kFuse, ',', "0,4726"},
                      PressureTextRow{1000, "kpa", kEmp, '.', "47.8900"},
                      PressureTextRow{1000, "lb/ft2", kEmp, '.', "1000"},
                      PressureTextRow{1000, "lb/ft2", kFuse, '.', "1000.00"},
                      PressureTextRow{161.4885609420936, "lb/ft2", kEmp, '.', "161"},
                      PressureTextRow{161.4885609420936, "lb/ft2", kFuse, '.', "161.50"},
                      PressureTextRow{161.4885609420936, "N/m2", kEmp, '.', "7727"},
                      PressureTextRow{161.4885609420936, "N/m2", kFuse, ',', "7727,00"},
                      PressureTextRow{161.4885609420936, "Atmosphere", kEmp, '.', "0.0763"},
                      PressureTextRow{161.4885609420936, "kpa", kFuse, '.', "7.7330"}));

struct TntTextRow {
    double kg;
    const char* unit;
    char sep;
    const char* expected;
};

class TntTexts : public ::testing::TestWithParam<TntTextRow> {};

TEST_P(TntTexts, InTheTntUnit) {
    const auto& r = GetParam();
    EXPECT_EQ(TntText(r.kg, Units("cal/cm2", "inches", "lb/ft2", r.unit), r.sep), r.expected);
}

// kg (4, 1); lb = kg x 2.2046 (4, 3); grams = kg x 1000 (5, 0).
INSTANTIATE_TEST_SUITE_P(Units, TntTexts,
                         ::testing::Values(TntTextRow{0.2646271510516253, "kg", '.', "0.3"},
                                           TntTextRow{0.2646271510516253, "kg", ',', "0,3"},
                                           TntTextRow{0.2646271510516253, "lb", '.', "0.583"},
                                           TntTextRow{0.2646271510516253, "grams", '.', "265"},
                                           TntTextRow{0.0004999, "grams", '.', "0"},
                                           TntTextRow{0.0005, "grams", '.', "1"},
                                           TntTextRow{0.04, "kg", '.', "0.0"},
                                           TntTextRow{0.0, "lb", ',', "0,000"},
                                           TntTextRow{12.345, "kg", '.', "12.3"}));

// ---------------------------------------------------------------------------
// Energy and boundary texts
// ---------------------------------------------------------------------------

struct ResultTextRow {
    double energyJ;
    double boundaryMm;
    const char* energyUnit;
    const char* boundaryUnit;
    char sep;
    const char* energy;
    const char* boundary;
};

class EnergyAndBoundaryTexts : public ::testing::TestWithParam<ResultTextRow> {};

TEST_P(EnergyAndBoundaryTexts, InTheChosenUnits) {
    const auto& r = GetParam();
    const UnitSettings u = Units(r.energyUnit, r.boundaryUnit);
    EXPECT_EQ(EnergyText(r.energyJ, u, r.sep), r.energy);
    EXPECT_EQ(BoundaryText(r.boundaryMm, u, r.sep), r.boundary);
}

// Energy: cal/cm2 = J/cm2 x 0.239006, (5, 2). Boundary: inches (4, 0), mm (6, 0).
INSTANTIATE_TEST_SUITE_P(
    Units, EnergyAndBoundaryTexts,
    ::testing::Values(
        ResultTextRow{57.39002579156041, 2385.2863971063102, "cal/cm2", "inches", '.', "13.72",
                      "94"},
        ResultTextRow{57.39002579156041, 2385.2863971063102, "J/cm2", "mm", '.', "57.39", "2385"},
        ResultTextRow{57.39002579156041, 2385.2863971063102, "J/cm2", "mm", ',', "57,39", "2385"},
        ResultTextRow{258.66441251056636, 6545.227268781428, "cal/cm2", "inches", ',', "61,82",
                      "258"},
        ResultTextRow{258.66441251056636, 10160, "J/cm2", "mm", '.', "258.66", "10160"},
        ResultTextRow{4.364, 377.2, "cal/cm2", "inches", '.', "1.04", "15"}));

}  // namespace
}  // namespace zentavo

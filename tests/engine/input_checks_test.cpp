// SPDX-License-Identifier: GPL-3.0-or-later
// The checks of the main window's three tabs: which texts are refused with
// which message, in which order the messages are joined, and what reaches
// the shared state.
#include "engine/input_checks.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/number.h"
#include "engine/shared_state.h"

namespace zentavo {
namespace {

constexpr LengthUnit kMm = LengthUnit::Millimetres;
constexpr LengthUnit kInches = LengthUnit::Inches;

// The unit of a word of the tables ("mm", "inches").
LengthUnit Unit(const char* word) { return ParseLengthUnit(word).value(); }

constexpr const char* kV = "Voltage out of range. ";
constexpr const char* kIbf = "Invalid bolted current. ";
constexpr const char* kNoGap = "Enter Gap value";
constexpr const char* kGap = "Incorrect gap between conductors. ";
constexpr const char* kWd = "Working distance is not within allowed limits. ";
constexpr const char* kNoClass = " Equipment class not selected.";
constexpr const char* kNoGround = " Grounding type not set.";
constexpr const char* kNoIR = "Enter IR value.";
constexpr const char* kNoIT = "Enter IT value.";

std::string Join(std::initializer_list<const char*> parts) {
    std::string s;
    for (const char* p : parts) s += p;
    return s;
}

// ---------------------------------------------------------------------------
// Empirical tab
// ---------------------------------------------------------------------------

struct EmpiricalRow {
    const char* name;
    const char* voltage;
    const char* ibf;
    const char* gap;
    const char* gapCaption;
    const char* workDist;
    const char* workDistCaption;
    int equipmentClass;
    int grounding;
    std::string expected;
};

void PrintTo(const EmpiricalRow& r, std::ostream* os) {
    *os << r.name;
}

class EmpiricalChecks : public ::testing::TestWithParam<EmpiricalRow> {};

TEST_P(EmpiricalChecks, CollectsTheMessagesInOrder) {
    const auto& r = GetParam();
    SharedState s = StartState();
    const EmpiricalFields f{r.voltage,        r.ibf,        r.gap,
                            r.workDist,       Unit(r.gapCaption), Unit(r.workDistCaption),
                            r.equipmentClass, r.grounding};
    const std::string text = RefusalText(CheckEmpiricalInputs(s, f, '.'));
    EXPECT_EQ(text, r.expected);
    EXPECT_EQ(s.ErrorText, r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, EmpiricalChecks,
    ::testing::Values(
        EmpiricalRow{"AllValid", "480", "20", "32", "mm", "455", "mm", 1, 1, ""},
        // Voltage 208 V to 46 kV, both ends included.
        EmpiricalRow{"Voltage207", "207", "20", "32", "mm", "455", "mm", 1, 1, kV},
        EmpiricalRow{"Voltage208", "208", "20", "32", "mm", "455", "mm", 1, 1, ""},
        EmpiricalRow{"Voltage46000", "46000", "20", "32", "mm", "455", "mm", 1, 1, ""},
        EmpiricalRow{"Voltage46000_5", "46000.5", "20", "32", "mm", "455", "mm", 1, 1, kV},
        EmpiricalRow{"VoltageEmpty", "", "20", "32", "mm", "455", "mm", 1, 1, kV},
        // Bolted current above 0.7 kA (0.7 itself refused) up to 106 kA.
        EmpiricalRow{"Ibf0_7", "480", "0.7", "32", "mm", "455", "mm", 1, 1, kIbf},
        EmpiricalRow{"Ibf0_7001", "480", "0.7001", "32", "mm", "455", "mm", 1, 1, ""},
        EmpiricalRow{"Ibf106", "480", "106", "32", "mm", "455", "mm", 1, 1, ""},
        EmpiricalRow{"Ibf106_01", "480", "106.01", "32", "mm", "455", "mm", 1, 1, kIbf},
        EmpiricalRow{"IbfEmpty", "480", "", "32", "mm", "455", "mm", 1, 1, kIbf},
        // Gap of 13 mm and more, no upper limit, read by its own caption.
        EmpiricalRow{"Gap12_99mm", "480", "20", "12.99", "mm", "455", "mm", 1, 1, kGap},
        EmpiricalRow{"Gap13mm", "480", "20", "13", "mm", "455", "mm", 1, 1, ""},
        EmpiricalRow{"Gap500mm", "480", "20", "500", "mm", "455", "mm", 1, 1, ""},
        EmpiricalRow{"Gap0_5in", "480", "20", "0.5", "inches", "455", "mm", 1, 1, kGap},
        EmpiricalRow{"Gap0_52in", "480", "20", "0.52", "inches", "455", "mm", 1, 1, ""},
        // The same number in inches is accepted (a word such as "MM" is no
        // unit at all now, UnitWords in units_test.cpp).
        EmpiricalRow{"Gap12_99in", "480", "20", "12.99", "inches", "455", "mm", 1, 1, ""},
        EmpiricalRow{"GapEmpty", "480", "20", "", "mm", "455", "mm", 1, 1, kNoGap},
        EmpiricalRow{"GapEmptyInches", "480", "20", "", "inches", "455", "mm", 1, 1, kNoGap},
        // Working distance 300 to 2000 mm.
        EmpiricalRow{"Wd12in", "480", "20", "32", "mm", "12", "inches", 1, 1, ""},
        EmpiricalRow{"Wd11_8in", "480", "20", "32", "mm", "11.8", "inches", 1, 1, kWd},
        EmpiricalRow{"Wd299_9mm", "480", "20", "32", "mm", "299.9", "mm", 1, 1, kWd},
        EmpiricalRow{"Wd300mm", "480", "20", "32", "mm", "300", "mm", 1, 1, ""},
        EmpiricalRow{"Wd2000mm", "480", "20", "32", "mm", "2000", "mm", 1, 1, ""},
        EmpiricalRow{"Wd2000_1mm", "480", "20", "32", "mm", "2000.1", "mm", 1, 1, kWd},
        EmpiricalRow{"Wd79in", "480", "20", "32", "mm", "79", "inches", 1, 1, kWd},
        EmpiricalRow{"WdEmptyMm", "480", "20", "32", "mm", "", "mm", 1, 1, kWd},
        EmpiricalRow{"WdEmptyInches", "480", "20", "32", "mm", "", "inches", 1, 1, kWd},
        // Selectors.
        EmpiricalRow{"NoClass", "480", "20", "32", "mm", "455", "mm", -1, 1, kNoClass},
        EmpiricalRow{"NoGrounding", "480", "20", "32", "mm", "455", "mm", 1, -1, kNoGround},
        EmpiricalRow{"Ungrounded", "480", "20", "32", "mm", "455", "mm", 1, 0, ""},
        // Everything empty, no class, "Ungrounded" as the window starts.
        EmpiricalRow{"AllEmpty", "", "", "", "mm", "", "mm", -1, 0,
                     "Voltage out of range. Invalid bolted current. Enter Gap valueWorking "
                     "distance is not within allowed limits.  Equipment class not selected."},
        EmpiricalRow{"AllEmptyNoGrounding", "", "", "", "mm", "", "mm", -1, -1,
                     Join({kV, kIbf, kNoGap, kWd, kNoClass, kNoGround})},
        EmpiricalRow{"EveryRangeFails", "207", "0.7", "12.99", "mm", "299.9", "mm", 2, 1,
                     Join({kV, kIbf, kGap, kWd})},
        EmpiricalRow{"LastTwoFail", "46000.5", "20", "32", "mm", "2000.1", "mm", -1, -1,
                     Join({kV, kWd, kNoClass, kNoGround})}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(EmpiricalChecks, AcceptedValuesAreWrittenInMillimetres) {
    SharedState s = StartState();
    const EmpiricalFields f{"13800", "25", "1.26", "18", kInches, kInches, 1, 1};
    EXPECT_EQ(RefusalText(CheckEmpiricalInputs(s, f, '.')), "");
    EXPECT_DOUBLE_EQ(s.Voltage, 13800);
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 25);
    EXPECT_DOUBLE_EQ(s.GapEntered, 1.26 * 25.4);
    EXPECT_DOUBLE_EQ(s.Gap, 1.26 * 25.4);
    EXPECT_DOUBLE_EQ(s.WorkDistEntered, 18 * 25.4);
    EXPECT_DOUBLE_EQ(s.WorkDist, 18 * 25.4);
}

TEST(EmpiricalChecks, ReadsTheDecimalComma) {
    SharedState s = StartState();
    const EmpiricalFields f{"480", "20,5", "1,26", "455,5", kInches, kMm, 1, 1};
    EXPECT_EQ(RefusalText(CheckEmpiricalInputs(s, f, ',')), "");
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 20.5);
    EXPECT_DOUBLE_EQ(s.Gap, 1.26 * 25.4);
    EXPECT_DOUBLE_EQ(s.WorkDist, 455.5);
}

TEST(EmpiricalChecks, RefusedValuesLeaveTheirFieldsButKeepTheEnteredLengths) {
    SharedState s = StartState();
    s.Voltage = 600;
    s.BoltedCurrent = 10;
    s.Gap = 25;
    s.GapEntered = 25;
    s.WorkDist = 610;
    s.WorkDistEntered = 610;
    const EmpiricalFields f{"207", "0.7", "0.5", "299.9", kInches, kMm, 1, 1};
    EXPECT_EQ(RefusalText(CheckEmpiricalInputs(s, f, '.')), Join({kV, kIbf, kGap, kWd}));
    EXPECT_DOUBLE_EQ(s.Voltage, 600);
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 10);
    EXPECT_DOUBLE_EQ(s.Gap, 25);
    EXPECT_DOUBLE_EQ(s.GapEntered, 12.7);  // 0.5 in, as entered
    EXPECT_DOUBLE_EQ(s.WorkDist, 610);
    EXPECT_DOUBLE_EQ(s.WorkDistEntered, 299.9);
}

TEST(EmpiricalChecks, EmptyLengthsResetTheEnteredValues) {
    SharedState s = StartState();
    s.Gap = s.GapEntered = 32;
    s.WorkDist = s.WorkDistEntered = 455;
    const EmpiricalFields f{"480", "20", "", "", kMm, kMm, 1, 1};
    EXPECT_EQ(RefusalText(CheckEmpiricalInputs(s, f, '.')), Join({kNoGap, kWd}));
    EXPECT_DOUBLE_EQ(s.GapEntered, 0);
    EXPECT_DOUBLE_EQ(s.Gap, 32);
    EXPECT_DOUBLE_EQ(s.WorkDistEntered, 0);
    EXPECT_DOUBLE_EQ(s.WorkDist, 455);
}

// K1 and K by the equipment class; the class constants are set on every press,
// also when other fields are refused.
struct ClassRow {
    int equipmentClass;
    double k1;
    double k;
};

class EmpiricalClassConstants : public ::testing::TestWithParam<ClassRow> {};

TEST_P(EmpiricalClassConstants, SetK1AndK) {
    const auto& r = GetParam();
    SharedState s = StartState();
    s.K1 = 1.234;  // left from an earlier calculation
    const EmpiricalFields f{"", "", "", "", kMm, kMm, r.equipmentClass, 0};
    RefusalText(CheckEmpiricalInputs(s, f, '.'));
    EXPECT_DOUBLE_EQ(s.K1, r.k1);
    EXPECT_DOUBLE_EQ(s.K, r.k);
}

INSTANTIATE_TEST_SUITE_P(Classes, EmpiricalClassConstants,
                         ::testing::Values(ClassRow{0, -0.792, -0.153},    // Open air
                                           ClassRow{1, -0.555, -0.097},    // Switchgear
                                           ClassRow{2, -0.555, -0.097},    // MCC and Panels
                                           ClassRow{3, -0.792, -0.153},    // Cable
                                           ClassRow{-1, 1.234, -0.097}));  // none: K1 kept

TEST(EmpiricalChecks, GroundingSetsK2OrKeepsIt) {
    SharedState s = StartState();
    s.K2 = 9.0;
    EmpiricalFields f{"480", "20", "32", "455", kMm, kMm, 1, 1};
    RefusalText(CheckEmpiricalInputs(s, f, '.'));
    EXPECT_DOUBLE_EQ(s.K2, -0.113);
    f.grounding = 0;
    RefusalText(CheckEmpiricalInputs(s, f, '.'));
    EXPECT_DOUBLE_EQ(s.K2, 0.0);
    s.K2 = 9.0;
    f.grounding = -1;
    EXPECT_EQ(RefusalText(CheckEmpiricalInputs(s, f, '.')), kNoGround);
    EXPECT_DOUBLE_EQ(s.K2, 9.0);
}

// Cf follows the voltage in the shared state, which is the previous one when
// the typed voltage is refused.
struct CfRow {
    double previousVoltage;
    const char* voltage;
    double cf;
};

class EmpiricalCalculationFactor : public ::testing::TestWithParam<CfRow> {};

TEST_P(EmpiricalCalculationFactor, FollowsTheSharedVoltage) {
    const auto& r = GetParam();
    SharedState s = StartState();
    s.Voltage = r.previousVoltage;
    const EmpiricalFields f{r.voltage, "20", "32", "455", kMm, kMm, 1, 1};
    RefusalText(CheckEmpiricalInputs(s, f, '.'));
    EXPECT_DOUBLE_EQ(s.Cf, r.cf);
}

INSTANTIATE_TEST_SUITE_P(Voltages, EmpiricalCalculationFactor,
                         ::testing::Values(CfRow{0, "999", 1.5}, CfRow{0, "999.99", 1.5},
                                           CfRow{0, "1000", 1.0}, CfRow{0, "13800", 1.0},
                                           CfRow{13800, "207", 1.0},  // refused: keeps 13800
                                           CfRow{480, "46001", 1.5},  // refused: keeps 480
                                           CfRow{480, "", 1.5}));

TEST(EmpiricalChecks, TextThatIsNotANumberStopsAtItsField) {
    SharedState s = StartState();
    s.BoltedCurrent = 7;
    s.GapEntered = 99;
    const EmpiricalFields f{"480", "abc", "32", "455", kMm, kMm, 1, 1};
    try {
        RefusalText(CheckEmpiricalInputs(s, f, '.'));
        FAIL() << "a conversion error was expected";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_DOUBLE_EQ(s.Voltage, 480);      // accepted before the bad field
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 7);  // unchanged
    EXPECT_DOUBLE_EQ(s.GapEntered, 99);    // never reached
}

TEST(EmpiricalChecks, ConversionErrorInALaterField) {
    SharedState s = StartState();
    const EmpiricalFields f{"480", "20", "32", "4x5", kMm, kMm, 1, 1};
    EXPECT_THROW(RefusalText(CheckEmpiricalInputs(s, f, '.')), ConversionError);
    EXPECT_DOUBLE_EQ(s.Voltage, 480);
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 20);
    EXPECT_DOUBLE_EQ(s.Gap, 32);
}

TEST(MainWindowNext, ClearsPressureTntAndMessages) {
    SharedState s = StartState();
    s.ArcPressure = 12;
    s.TntEquivalent = 3;
    s.ArcPressureReduced = 11;
    s.ErrorText = "old";
    StartMainWindowNext(s);
    EXPECT_DOUBLE_EQ(s.ArcPressure, 0);
    EXPECT_DOUBLE_EQ(s.TntEquivalent, 0);
    EXPECT_EQ(s.ErrorText, "");
    EXPECT_DOUBLE_EQ(s.ArcPressureReduced, 11);  // only the two full-current values
}

// ---------------------------------------------------------------------------
// Fuse tab
// ---------------------------------------------------------------------------

struct FuseRow {
    const char* name;
    const char* ibf;
    const char* workDist;
    const char* workDistCaption;
    std::string expected;
};

void PrintTo(const FuseRow& r, std::ostream* os) {
    *os << r.name;
}

class FuseChecks : public ::testing::TestWithParam<FuseRow> {};

TEST_P(FuseChecks, CollectsTheMessagesInOrder) {
    const auto& r = GetParam();
    SharedState s = StartState();
    FuseFields f;
    f.boltedCurrent = r.ibf;
    f.workDist = r.workDist;
    f.workDistUnit = Unit(r.workDistCaption);
    std::string gapText;
    EXPECT_EQ(RefusalText(CheckFuseInputs(s, f, kMm, gapText, '.')), r.expected);
    EXPECT_EQ(s.ErrorText, r.expected);
    EXPECT_DOUBLE_EQ(s.Voltage, 600);  // set whatever the outcome
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, FuseChecks,
    ::testing::Values(
        FuseRow{"Valid", "20", "455", "mm", ""}, FuseRow{"Ibf0_7", "0.7", "455", "mm", kIbf},
        FuseRow{"Ibf0_71", "0.71", "455", "mm", ""}, FuseRow{"Ibf106", "106", "455", "mm", ""},
        FuseRow{"Ibf106_01", "106.01", "455", "mm", kIbf},
        FuseRow{"IbfEmpty", "", "455", "mm", kIbf}, FuseRow{"Wd12in", "20", "12", "inches", ""},
        FuseRow{"Wd299_9mm", "20", "299.9", "mm", kWd}, FuseRow{"Wd2000mm", "20", "2000", "mm", ""},
        FuseRow{"WdEmptyMm", "20", "", "mm", kWd},
        FuseRow{"WdEmptyInches", "20", "", "inches", kWd},
        FuseRow{"BothEmpty", "", "", "inches", Join({kIbf, kWd})}),
    [](const auto& p) { return std::string(p.param.name); });

// The fuse tab's gap is the class default; its field shows it in the gap unit.
struct FuseGapRow {
    int equipmentClass;
    LengthUnit gapUnit;
    double gapMm;
    const char* text;
};

class FuseGap : public ::testing::TestWithParam<FuseGapRow> {};

TEST_P(FuseGap, IsTheClassDefaultInTheGapUnit) {
    const auto& r = GetParam();
    SharedState s = StartState();
    FuseFields f;
    f.boltedCurrent = "20";
    f.workDist = "455";
    f.equipmentClass = r.equipmentClass;
    std::string gapText = "unchanged";
    RefusalText(CheckFuseInputs(s, f, r.gapUnit, gapText, '.'));
    EXPECT_EQ(gapText, r.text);
    EXPECT_DOUBLE_EQ(s.Gap, r.gapMm);
    EXPECT_DOUBLE_EQ(s.GapEntered, r.gapMm);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, FuseGap,
    ::testing::Values(FuseGapRow{0, kMm, 32, "32"}, FuseGapRow{1, kMm, 32, "32"},
                      FuseGapRow{2, kMm, 25, "25"}, FuseGapRow{3, kMm, 13, "13"},
                      FuseGapRow{0, kInches, 32, "1,26"}, FuseGapRow{1, kInches, 32, "1,26"},
                      FuseGapRow{2, kInches, 25, "0,98"}, FuseGapRow{3, kInches, 13, "0,51"}));
// A word that is neither "mm" nor "inches" ("MM", "") is no unit at all
// (UnitWords, units_test.cpp): it can no longer reach the gap as inches.

TEST(FuseChecks, GapIsWrittenEvenWhenInputsAreRefused) {
    SharedState s = StartState();
    s.Gap = s.GapEntered = 152;
    FuseFields f;
    f.boltedCurrent = "";
    f.workDist = "";
    std::string gapText;
    EXPECT_EQ(RefusalText(CheckFuseInputs(s, f, kInches, gapText, '.')), Join({kIbf, kWd}));
    EXPECT_DOUBLE_EQ(s.Gap, 32);
    EXPECT_EQ(gapText, "1,26");
}

TEST(FuseChecks, AcceptedValuesAreWrittenInMillimetres) {
    SharedState s = StartState();
    FuseFields f;
    f.boltedCurrent = "12,5";
    f.workDist = "24";
    f.workDistUnit = kInches;
    std::string gapText;
    EXPECT_EQ(RefusalText(CheckFuseInputs(s, f, kMm, gapText, ',')), "");
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 12.5);
    EXPECT_DOUBLE_EQ(s.WorkDistEntered, 24 * 25.4);
    EXPECT_DOUBLE_EQ(s.WorkDist, 24 * 25.4);
}

TEST(FuseChecks, ConversionErrorKeepsWhatWasAcceptedBefore) {
    SharedState s = StartState();
    s.WorkDist = 700;
    FuseFields f;
    f.boltedCurrent = "30";
    f.workDist = "far";
    std::string gapText;
    EXPECT_THROW(RefusalText(CheckFuseInputs(s, f, kMm, gapText, '.')), ConversionError);
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 30);
    EXPECT_DOUBLE_EQ(s.WorkDist, 700);
}

// ---------------------------------------------------------------------------
// Breaker tab
// ---------------------------------------------------------------------------

struct BreakerRow {
    const char* name;
    const char* voltage;
    const char* ibf;
    const char* workDist;
    const char* workDistCaption;
    const char* ir;
    const char* it;
    std::string expected;
};

void PrintTo(const BreakerRow& r, std::ostream* os) {
    *os << r.name;
}

class BreakerChecks : public ::testing::TestWithParam<BreakerRow> {};

TEST_P(BreakerChecks, CollectsTheMessagesInOrder) {
    const auto& r = GetParam();
    SharedState s = StartState();
    BreakerFields f;
    f.voltage = r.voltage;
    f.boltedCurrent = r.ibf;
    f.workDist = r.workDist;
    f.workDistUnit = Unit(r.workDistCaption);
    f.interruptingRating = r.ir;
    f.instantaneousTrip = r.it;
    EXPECT_EQ(RefusalText(CheckBreakerInputs(s, f, '.')), r.expected);
    EXPECT_EQ(s.ErrorText, r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, BreakerChecks,
    ::testing::Values(
        BreakerRow{"Valid", "480", "20", "455", "mm", "65", "2", ""},
        // 208-480 V and 575-690 V, ends included.
        BreakerRow{"Voltage207", "207", "20", "455", "mm", "65", "2", kV},
        BreakerRow{"Voltage208", "208", "20", "455", "mm", "65", "2", ""},
        BreakerRow{"Voltage480", "480", "20", "455", "mm", "65", "2", ""},
        BreakerRow{"Voltage480_5", "480.5", "20", "455", "mm", "65", "2", kV},
        BreakerRow{"Voltage500", "500", "20", "455", "mm", "65", "2", kV},
        BreakerRow{"Voltage574_9", "574.9", "20", "455", "mm", "65", "2", kV},
        BreakerRow{"Voltage575", "575", "20", "455", "mm", "65", "2", ""},
        BreakerRow{"Voltage690", "690", "20", "455", "mm", "65", "2", ""},
        BreakerRow{"Voltage690_1", "690.1", "20", "455", "mm", "65", "2", kV},
        BreakerRow{"VoltageEmpty", "", "20", "455", "mm", "65", "2", kV},
        // Bolted current from 0.7 kA (included here) to 106 kA.
        BreakerRow{"Ibf0_7", "480", "0.7", "455", "mm", "65", "2", ""},
        BreakerRow{"Ibf0_69", "480", "0.69", "455", "mm", "65", "2", kIbf},
        BreakerRow{"Ibf106", "480", "106", "455", "mm", "200", "2", ""},
        BreakerRow{"Ibf106_01", "480", "106.01", "455", "mm", "200", "2", kIbf},
        BreakerRow{"IbfEmpty", "480", "", "455", "mm", "65", "2", kIbf},
        BreakerRow{"Wd12in", "480", "20", "12", "inches", "65", "2", ""},
        BreakerRow{"Wd299_9mm", "480", "20", "299.9", "mm", "65", "2", kWd},
        BreakerRow{"WdEmptyInches", "480", "20", "", "inches", "65", "2", kWd},
        // Rating and trip: required and greater than zero.
        BreakerRow{"IrEmpty", "480", "20", "455", "mm", "", "2", kNoIR},
        BreakerRow{"ItEmpty", "480", "20", "455", "mm", "65", "", kNoIT},
        BreakerRow{"IrZero", "480", "20", "455", "mm", "0", "2", kNoIR},
        BreakerRow{"ItNegative", "480", "20", "455", "mm", "65", "-1", kNoIT},
        BreakerRow{"IrBelowIbfIsNotAnInputProblem", "480", "20", "455", "mm", "10", "2", ""},
        BreakerRow{"AllEmpty", "", "", "", "mm", "", "", Join({kV, kIbf, kWd, kNoIR, kNoIT})},
        BreakerRow{"RangesFail", "500", "0.69", "2000.1", "mm", "65", "0",
                   Join({kV, kIbf, kWd, kNoIT})}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(BreakerChecks, AcceptedValuesAreWritten) {
    SharedState s = StartState();
    BreakerFields f;
    f.voltage = "600";
    f.boltedCurrent = "0.7";
    f.workDist = "18";
    f.workDistUnit = kInches;
    f.interruptingRating = "1000";  // no upper limit
    f.instantaneousTrip = "0.3";
    EXPECT_EQ(RefusalText(CheckBreakerInputs(s, f, '.')), "");
    EXPECT_DOUBLE_EQ(s.Voltage, 600);
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 0.7);
    EXPECT_DOUBLE_EQ(s.WorkDist, 18 * 25.4);
    EXPECT_DOUBLE_EQ(s.BreakerRating, 1000);
    EXPECT_DOUBLE_EQ(s.BreakerTrip, 0.3);
    // "MCC and Panels": 25 mm.
    EXPECT_DOUBLE_EQ(s.Gap, 25);
    EXPECT_DOUBLE_EQ(s.GapEntered, 25);
}

TEST(BreakerChecks, RefusedValuesLeaveTheirFields) {
    SharedState s = StartState();
    s.Voltage = 480;
    s.BoltedCurrent = 30;
    s.WorkDist = 610;
    s.BreakerRating = 65;
    s.BreakerTrip = 4;
    BreakerFields f;
    f.voltage = "500";
    f.boltedCurrent = "200";
    f.workDist = "100";
    f.interruptingRating = "0";
    f.instantaneousTrip = "";
    EXPECT_EQ(RefusalText(CheckBreakerInputs(s, f, '.')), Join({kV, kIbf, kWd, kNoIR, kNoIT}));
    EXPECT_DOUBLE_EQ(s.Voltage, 480);
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 30);
    EXPECT_DOUBLE_EQ(s.WorkDist, 610);
    EXPECT_DOUBLE_EQ(s.WorkDistEntered, 100);
    EXPECT_DOUBLE_EQ(s.BreakerRating, 65);
    EXPECT_DOUBLE_EQ(s.BreakerTrip, 4);
}

TEST(BreakerChecks, ConversionErrorInTheRatingKeepsTheEarlierFields) {
    SharedState s = StartState();
    BreakerFields f;
    f.voltage = "208";
    f.boltedCurrent = "15";
    f.workDist = "610";
    f.interruptingRating = "6 5";
    f.instantaneousTrip = "2";
    EXPECT_THROW(RefusalText(CheckBreakerInputs(s, f, '.')), ConversionError);
    EXPECT_DOUBLE_EQ(s.Voltage, 208);
    EXPECT_DOUBLE_EQ(s.BoltedCurrent, 15);
    EXPECT_DOUBLE_EQ(s.WorkDist, 610);
    EXPECT_DOUBLE_EQ(s.BreakerTrip, 0);  // never reached
}

}  // namespace
}  // namespace zentavo

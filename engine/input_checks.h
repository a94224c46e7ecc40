// SPDX-License-Identifier: GPL-3.0-or-later
// The checks of the main window's three tabs. Each takes the texts of the
// tab's fields as typed, the units of the lengths (their captions) and the item
// indexes of its selectors; it writes every value that passes into the
// shared state at once and returns the refusal (OutOfRange) that joins the
// text of every problem (none when all passed); the text is also left in
// SharedState::ErrorText.
//
// A text that is not a number raises ConversionError at that field: the
// values accepted before it stay in the state and nothing further is checked.
#pragma once

#include <optional>

#include <string>
#include <string_view>

#include "engine/catalog.h"
#include "engine/refusal.h"
#include "engine/shared_state.h"
#include "engine/units.h"

namespace zentavo {

namespace msg {
inline constexpr std::string_view kVoltageOutOfRange = "Voltage out of range. ";
inline constexpr std::string_view kInvalidBoltedCurrent = "Invalid bolted current. ";
inline constexpr std::string_view kEnterGap = "Enter Gap value";
inline constexpr std::string_view kIncorrectGap = "Incorrect gap between conductors. ";
inline constexpr std::string_view kWorkDistance = "Working distance is not within allowed limits. ";
inline constexpr std::string_view kNoEquipmentClass = " Equipment class not selected.";
inline constexpr std::string_view kNoGrounding = " Grounding type not set.";
inline constexpr std::string_view kEnterIR = "Enter IR value.";
inline constexpr std::string_view kEnterIT = "Enter IT value.";
}  // namespace msg

// Fields of the "IEEE1584 Empirical Model" tab. The views must outlive the call.
struct EmpiricalFields {
    std::string_view voltage;          // VoltEdit, V
    std::string_view boltedCurrent;    // IbfEdit, kA
    std::string_view gap;              // GapEdit
    std::string_view workDist;         // WorkDistEdit
    LengthUnit gapUnit = LengthUnit::Millimetres;       // Label1
    LengthUnit workDistUnit = LengthUnit::Millimetres;  // Label2
    int equipmentClass = -1;  // EquipClassBox item, -1 when none is chosen
    int grounding = 0;        // GroundGroup item, -1 when none is chosen
    // A bolted current given as a number (kA: a network's) in place of the text, held to the same range.
    std::optional<double> boltedKa;
};

// Fields of the "IEEE1584 Fuse Equations" tab.
struct FuseFields {
    std::string_view boltedCurrent;           // Fuse_Ibolt, kA
    std::string_view workDist;                // Fuse_Work_Dist
    LengthUnit workDistUnit = LengthUnit::Millimetres;  // Label8
    int fuseClass = 0;                        // FuseClass item 0..7
    int equipmentClass = kFuseTabClass;       // Fuse_Eq_Class item
    // A bolted current given as a number (kA: a network's) in place of the text, held to the same range.
    std::optional<double> boltedKa;
};

// Fields of the "Low Voltage Circuit Breakers" tab.
struct BreakerFields {
    std::string_view voltage;                 // CB_volt, V
    std::string_view boltedCurrent;           // CB_Ibolt, kA
    std::string_view workDist;                // CB_workdist
    LengthUnit workDistUnit = LengthUnit::Millimetres;  // Label14
    std::string_view interruptingRating;      // ir_edit, kA
    std::string_view instantaneousTrip;       // it_edit, kA
    int breakerType = 0;                      // Breakertype item 0..5
    int equipmentClass = kBreakerTabClass;    // CB_Equip item
    // A bolted current given as a number (kA: a network's) in place of the text, held to the same range.
    std::optional<double> boltedKa;
};

// The tabs' values as read, for a caller that reads its own numbers (a
// study row): millimetres, kA and V; an empty field is absent.
struct EmpiricalValues {
    std::optional<double> voltage, boltedCurrent, gapMm, workDistMm;
    int equipmentClass = -1;  // -1: none chosen
    int grounding = 0;        // -1: none chosen
};
struct BreakerValues {
    std::optional<double> voltage, boltedCurrent, workDistMm, interruptingRating, instantaneousTrip;
};
// The refusal of the values (OutOfRange), their problems joined as the
// tab's checks below join them (the same checks); none when all pass.
[[nodiscard]] std::optional<Refusal> CheckEmpiricalValues(const EmpiricalValues& values);
[[nodiscard]] std::optional<Refusal> CheckFuseValues(std::optional<double> boltedCurrent, std::optional<double> workDistMm);
[[nodiscard]] std::optional<Refusal> CheckBreakerValues(const BreakerValues& values);

// What every "Next" of the main window does first.
void StartMainWindowNext(SharedState& state);

[[nodiscard]] std::optional<Refusal> CheckEmpiricalInputs(SharedState& state, const EmpiricalFields& f,
                                               char sep);
// `gapUnit` is the gap selector of the units window; `gapText` receives the
// class default gap as the tab's gap field shows it.
[[nodiscard]] std::optional<Refusal> CheckFuseInputs(SharedState& state, const FuseFields& f,
                                          LengthUnit gapUnit, std::string& gapText, char sep);
[[nodiscard]] std::optional<Refusal> CheckBreakerInputs(SharedState& state, const BreakerFields& f, char sep);

}  // namespace zentavo

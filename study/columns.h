// SPDX-License-Identifier: GPL-3.0-or-later
// The columns of a study: the input columns it reads by header name and the
// words its word columns take, the result columns it writes, their units,
// and the header row's names matched, checked and renamed for the output.
//
// Each column is one line of a table in columns.cpp, with its name and what
// it holds (the words it takes, or the unit of its numbers): a new column is
// an enumerator here and a line there.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/units.h"

namespace zentavo {

// The input columns a study understands, matched by header name.
enum StudyInputColumn {
    kMethodColumn,
    kVoltageColumn,
    kBoltedCurrentColumn,
    kGapColumn,
    kGapUnitColumn,
    kWorkDistanceUnitColumn,
    kWorkDistanceColumn,
    kEquipmentClassColumn,
    kGroundingColumn,
    kArcTimeColumn,
    kArcTimeReducedColumn,
    kFuseClassColumn,
    kBreakerTypeColumn,
    kInterruptingRatingColumn,
    kInstantaneousTripColumn,
    kElectrodeConfigurationColumn,  // the IEEE 1584-2018 method's columns
    kEnclosureHeightColumn,
    kEnclosureWidthColumn,
    kEnclosureDepthColumn,
    kEnclosureUnitColumn,
    // The protective device that clears the point, whose durations at the
    // arcing currents replace arc_time and arc_time_reduced (see
    // engine/protection.h): its type, then the settings of each type.
    kDeviceTypeColumn,
    kRelayCurveColumn,
    kRelayPickupColumn,
    kRelayTimeDialColumn,
    kRelayInstPickupColumn,
    kRelayInstDelayColumn,
    kBreakerTimeColumn,
    kTripRatingColumn,
    kTripLtPickupColumn,
    kTripLtDelayColumn,
    kTripStPickupColumn,
    kTripStDelayColumn,
    kTripInstPickupColumn,
    kTripInstTimeColumn,
    kTripToleranceColumn,
    kFuseCurveColumn,
    kDeviceShareColumn,
    kMaxArcTimeColumn,
    // Where the point sits in the study's network (see study/network_study.h):
    // its bus, the branch that feeds the bus and its values, motors on the bus.
    kBusColumn,
    kFromBusColumn,
    kBranchTypeColumn,
    kSourceKaColumn,
    kSourceXrColumn,
    kSourceKaMinColumn,
    // A source given by its short-circuit power instead of its current
    // (MVA; the current is S / (√3·U) at the bus's nominal voltage), and
    // the minimum case's.
    kSourceMvaColumn,
    kSourceMvaMinColumn,
    kTxKvaColumn,
    kTxZColumn,
    kTxXrColumn,
    kCableLengthColumn,
    kCableRColumn,
    kCableXColumn,
    kCableSetsColumn,
    kMotorKvaColumn,
    kMotorXColumn,
    kMotorXrColumn,
    // The conductors' temperature at the end of the fault (minimum case).
    kCableEndTempColumn,
    // A transformer's rated voltages (kV; empty: its buses' nominal ones)
    // and its tap on the high-voltage winding (%).
    kTxKvHvColumn,
    kTxKvMvColumn,
    kTxKvLvColumn,
    kTxTapColumn,
    // A three-winding transformer (branch_type transformer3): from_bus the
    // high-voltage bus, bus the medium-voltage one, lv_bus the low-voltage
    // one; tx_kva, tx_z and tx_ur the high-voltage rating and the HV–MV
    // pair's u_k and u_R, these the others.
    kLvBusColumn,
    kTxKvaMvColumn,
    kTxKvaLvColumn,
    kTxZHlColumn,
    kTxZMlColumn,
    kTxUrColumn,
    kTxUrHlColumn,
    kTxUrMlColumn,
    // A synchronous generator (branch_type generator) on the row's bus.
    kGenKvaColumn,
    kGenKvColumn,
    kGenXdColumn,
    kGenXrColumn,
    kGenCosPhiColumn,
    kGenRColumn,
    kGenInMinColumn,
    // A power-station unit without on-load tap changer (given gen_pg): its
    // generator's voltage regulation range p_G and the off-load tap p_T its
    // transformer permanently uses (%).
    kGenPgColumn,
    kTxPtColumn,
    // The interrupting rating of the row's protective device (kA), checked
    // against the fault current it must interrupt.
    kDeviceRatingColumn,
    // yes: the point is a fault on the line side of its own branch's
    // device, which does not act (the devices upstream clear it).
    kLineSideColumn,
    // The scenarios a row's network elements (its branch, source, generator,
    // motor) take part in: empty or "all", or names separated by blanks
    // (study/scenarios.h). A maintenance setting of its trip unit or relay:
    // the instantaneous pickup and time used in the scenario maint_scenario
    // names, in the units of the device's own instantaneous columns.
    kScenariosColumn,
    kMaintInstPickupColumn,
    kMaintInstTimeColumn,
    kMaintScenarioColumn,
    // A DC row's source resistance (ohm), the whole loop, in place of its
    // bolted current; and its enclosure, a word of kDcBoxWords.
    kDcSourceRColumn,
    kDcBoxColumn,
    // A line-side row's main, where its bus is fed through several branches
    // with devices: the main's point.
    kLineSideOfColumn,
    // Special protection of a row's device: an arc-flash relay tripping its
    // breaker (pickup, A at the device; time, s, relay and breaker),
    // zone-selective interlocking ("yes", and the delay it gives); the bus
    // differential protection of the row's bus (s, relay and breakers).
    kAfrPickupColumn,
    kAfrTimeColumn,
    kZsiColumn,
    kZsiTimeColumn,
    kBusDiffTimeColumn,
    // Where a branch's device sits: "bus" (the row's bus, the default) or
    // "from" (from_bus), its settings in the amperes of that end.
    kDeviceAtColumn,
    // A cable's conductors as the user names them ("4/0 AWG", "3×240 mm²"):
    // shown on the one-line beside its length, never computed with (at most
    // kCableSizeLength bytes).
    kCableSizeColumn,
    kStudyInputColumnCount
};
// The longest cable_size a row takes, in bytes: a note line on the one-line.
inline constexpr std::size_t kCableSizeLength = 40;
// The network columns, from bus to tx_pt.
inline constexpr int kFirstNetworkColumn = kBusColumn;
inline constexpr int kLastNetworkColumn = kTxPtColumn;
extern const std::array<std::string_view, kStudyInputColumnCount> kStudyInputNames;
// A row's input cells as typed, by column (empty for a column the study
// lacks): what a report or label shows of the user's inputs.
using StudyCells = std::array<std::string_view, kStudyInputColumnCount>;

// The words a word column takes, in the order of its list: the methods, the
// equipment classes, groundings, fuse classes, breaker types, electrode
// configurations and the length units ("mm", "inches"). Empty for the
// columns that hold numbers. An empty text is also allowed in a word column:
// "mm" for a unit, the first item for fuse_class and breaker_type, "not
// selected" for the others.
std::span<const std::string_view> StudyColumnWords(StudyInputColumn column);

// What a cell of an input column holds: one table (columns.cpp) for every
// reader of a cell, the study row as the study window's editors and its paste.
enum class StudyCellKind : std::uint8_t {
    Number,        // a number, written with the decimal separator
    Word,          // one of the column's words (StudyColumnWords)
    Curve,         // a fuse curve: inline points "current:time ..." or a curve's name
    NumberOrNone,  // a number, or the word "none"
    Text,          // any text: the name of a bus
};
StudyCellKind StudyColumnKind(StudyInputColumn column);

// The result columns, in output order, after the input columns.
enum StudyResultColumn {
    kStatusColumn,
    kMessageColumn,
    kArcingCurrentColumn,
    kArcingCurrentReducedColumn,
    kIncidentEnergyColumn,
    kFlashBoundaryColumn,
    kPpeLevelColumn,
    kClothing1Column,
    kClothing2Column,
    kIncidentEnergyReducedColumn,
    kFlashBoundaryReducedColumn,
    kPpeLevelReducedColumn,
    kClothingReduced1Column,
    kClothingReduced2Column,
    kPressureColumn,
    kPressureReducedColumn,
    kTntColumn,
    kTntReducedColumn,
    kLimitedApproachColumn,
    kRestrictedApproachColumn,
    kProhibitedApproachColumn,
    kGoverningColumn,
    kEquationsColumn,  // which equations gave the results: "empirical", "theoretically derived",
                       // "fuse", "breaker" or "IEEE 1584-2018"
    // The governing case's values (the only case of a method with one): what
    // a study is sorted and labelled by. After the columns above, so that a
    // reader of the older output finds every column where it was.
    kIncidentEnergyGoverningColumn,
    kFlashBoundaryGoverningColumn,
    kPpeLevelGoverningColumn,
    // IEEE 1584-2018 rows: "typical", "shallow" or "open air", and the
    // enclosure-size correction factor CF; empty for the other methods.
    kEnclosureTypeColumn,
    kEnclosureFactorColumn,
    // A study with device columns: the arc durations used (s) and the
    // element of the device that gave each ("instantaneous", ..., "capped");
    // empty for a row without a device. Written only by a study that has a
    // device column, so the output of any other study keeps its columns.
    kArcTimeUsedColumn,
    kArcTimeReducedUsedColumn,
    kDeviceElementColumn,
    kDeviceElementReducedColumn,
    // A study with network columns: the bolted fault currents of the row's
    // bus (maximum and minimum case), which case gave the results ("max" or
    // "min") and the share of the bus fault current through the row's own
    // branch in the maximum and in the minimum case. Written only by a study
    // that has a network column.
    kBoltedCurrentMaxColumn,
    kBoltedCurrentMinColumn,
    kScenarioColumn,
    kBranchShareColumn,
    kBranchShareMinColumn,
    // A study with a device_rating_ka column: whether the row's device can
    // interrupt the fault current it carries ("not checked" without a
    // rating). Written only by such a study.
    kDeviceDutyColumn,
    // A network study with its arcs in steps: how many steps the governing
    // case's arc was cleared in ("1" for one). Written only by such a study.
    kArcStepsColumn,
    // A network study with scenarios (a scenarios or maint_scenario column):
    // the scenario whose results the row shows, the worst one. Written only
    // by such a study.
    kScenarioWorstColumn,
    // A study with a DC column (dc_source_r or dc_box; every DC row needs
    // its dc_box): a DC row's arc voltage (V) and arc power (kW). Written
    // only by such a study.
    kArcVoltageColumn,
    kArcPowerColumn,
    // A study run with --arc-current-range on: the arcing current (kA) of
    // the worst point over the range of its arcing currents, and its
    // energy. Written only by such a study, after every other column.
    kRangeWorstArcingCurrentColumn,
    kRangeWorstEnergyColumn,
    // A network study with scenarios: the point's governing energy in each
    // scenario, "normal 17.37; maint 2.79; tie-closed 22.11" (a scenario it
    // is not computed in "gen-only not fed", "normal without its branch").
    // Written only by such a study, after every other column, so that the
    // columns of every other output keep their places.
    kScenarioEnergiesColumn,
    kStudyResultColumnCount
};
// The result columns every study writes come first; each optional group
// follows in this order, written only when the study has its input columns.
inline constexpr int kFirstDeviceResultColumn = kArcTimeUsedColumn;
inline constexpr int kFirstNetworkResultColumn = kBoltedCurrentMaxColumn;
inline constexpr int kFirstDutyResultColumn = kDeviceDutyColumn;
inline constexpr int kFirstStepsResultColumn = kArcStepsColumn;
inline constexpr int kFirstScenarioResultColumn = kScenarioWorstColumn;
inline constexpr int kFirstDcResultColumn = kArcVoltageColumn;
inline constexpr int kFirstRangeResultColumn = kRangeWorstArcingCurrentColumn;
inline constexpr int kFirstScenarioEnergiesResultColumn = kScenarioEnergiesColumn;
extern const std::array<std::string_view, kStudyResultColumnCount> kStudyResultNames;

// The unit of a column's numbers, for headings: a fixed unit ("V", "kA",
// "s"), or the output unit of `units` for a result; empty for a column of
// words, and for the lengths of a row, whose unit is the row's own
// (gap_unit, work_distance_unit, enclosure_unit).
std::string_view StudyInputUnit(StudyInputColumn column);
std::string_view StudyResultUnit(StudyResultColumn column, const UnitSettings& units);

// The unit of a length unit column's cell: "mm" or "inches", and an empty
// cell means millimetres; any other word is no unit (nullopt).
std::optional<LengthUnit> StudyLengthUnit(std::string_view cell);

// The name column of a study: the equipment name of its labels and report.
inline constexpr std::string_view kPointColumnName = "point";

// Whether a header name names the column `name`: blanks (spaces and tabs)
// around it and the case of its letters do not count (" Method" is `method`).
bool IsColumnName(std::string_view headerName, std::string_view name);

// Where each input column stands in a header row (names as IsColumnName
// takes them), -1 when absent. Columns the study does not know are kept by
// their callers.
using StudyColumnMap = std::array<int, kStudyInputColumnCount>;
StudyColumnMap MapStudyColumns(const std::vector<std::string>& header);

// The device columns, from device_type to max_arc_time.
inline constexpr int kFirstDeviceColumn = kDeviceTypeColumn;
inline constexpr int kLastDeviceColumn = kMaxArcTimeColumn;
// Whether the header row names any device column: the study then writes
// the device result columns.
bool HasDeviceColumns(const StudyColumnMap& at);
// Whether the header row names any network column (bus, from_bus, ...,
// tx_pt): the study is then read whole, its network computed, and the
// network result columns written.
bool HasNetworkColumns(const StudyColumnMap& at);
// Whether the header row names device_rating_ka: the duty column is written.
bool HasDutyColumn(const StudyColumnMap& at);
// Whether a study with a network names scenarios or maint_scenario: the
// study is then computed in each of its scenarios and scenario_worst written.
bool HasScenarioColumns(const StudyColumnMap& at);
// Whether the header row names dc_source_r or dc_box: arc_voltage and
// arc_power are written.
bool HasDcColumns(const StudyColumnMap& at);

// The result columns (StudyResultColumn) a study's output holds, in the
// order written: every column before the device columns, then the device
// columns if the study has a device column, then the network columns if it
// has a network column, then the duty column if it has device_rating_ka,
// then arc_steps if it has a network and clears its arcs in steps (`steps`),
// then scenario_worst if it has a network and scenario columns, then
// arc_voltage and arc_power if it has a DC column, then the range's worst
// if the study was run with --arc-current-range on (`range`), then
// scenario_energies if it has a network and scenario columns.
using ResultColumnList = std::vector<int>;
ResultColumnList WrittenResultColumns(const StudyColumnMap& at, bool steps = false,
                                      bool range = false);
// The same, read from the header row of a study's output: the list whose
// inputs before it name exactly its optional groups; empty when the header
// is too short to hold the result columns.
ResultColumnList OutputResultColumns(const std::vector<std::string>& outputHeader);

// What keeps a header row from being read: a column the study reads (an
// input column or `point`) named more than once ("column voltage appears
// twice"), or among the inputs a result column of nearly the name of an
// input ("column scenario is a result column; the input column is
// scenarios"); empty when there is nothing.
std::string StudyHeaderFault(const std::vector<std::string>& header);

// The result columns (StudyResultColumn) named among a header's inputs: a
// study's own columns are not results. A results file run again holds its
// results after its inputs, named as its study writes them; those are not
// among its inputs and are read as before (written as input_<name>, not
// read). The others are not read either, and are told.
std::vector<int> ResultColumnsAmongInputs(const std::vector<std::string>& header);

// The names of the output columns: the input columns as read, then the
// result columns (WrittenResultColumns). An input column named like a result column (`status`,
// " Message") is renamed input_<name> (again, until no output column has
// its name), so no two output columns share a name.
std::vector<std::string> StudyOutputNames(const std::vector<std::string>& header,
                                          bool steps = false, bool range = false);

}  // namespace zentavo

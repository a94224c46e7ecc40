// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/column_groups.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace zentavo {

namespace {

using G = StudyColumnGroup;

// Every input column with its group, in the order the groups show them.
struct Placed {
    StudyInputColumn column;
    StudyColumnGroup group;
};
// clang-format off
constexpr Placed kPlaced[] = {
    {kMethodColumn, G::Method},               {kVoltageColumn, G::Method},
    {kBoltedCurrentColumn, G::Method},        {kEquipmentClassColumn, G::Method},
    {kGroundingColumn, G::Method},            {kElectrodeConfigurationColumn, G::Method},
    {kFuseClassColumn, G::Method},            {kBreakerTypeColumn, G::Method},
    {kInterruptingRatingColumn, G::Method},   {kInstantaneousTripColumn, G::Method},
    {kDcSourceRColumn, G::Method},            {kDcBoxColumn, G::Method},

    {kGapColumn, G::Distances},               {kGapUnitColumn, G::Distances},
    {kWorkDistanceColumn, G::Distances},      {kWorkDistanceUnitColumn, G::Distances},
    {kEnclosureHeightColumn, G::Distances},   {kEnclosureWidthColumn, G::Distances},
    {kEnclosureDepthColumn, G::Distances},    {kEnclosureUnitColumn, G::Distances},

    {kArcTimeColumn, G::Duration},            {kArcTimeReducedColumn, G::Duration},
    {kDeviceTypeColumn, G::Duration},         {kRelayCurveColumn, G::Duration},
    {kRelayPickupColumn, G::Duration},        {kRelayTimeDialColumn, G::Duration},
    {kRelayInstPickupColumn, G::Duration},    {kRelayInstDelayColumn, G::Duration},
    {kBreakerTimeColumn, G::Duration},        {kTripRatingColumn, G::Duration},
    {kTripLtPickupColumn, G::Duration},       {kTripLtDelayColumn, G::Duration},
    {kTripStPickupColumn, G::Duration},       {kTripStDelayColumn, G::Duration},
    {kTripInstPickupColumn, G::Duration},     {kTripInstTimeColumn, G::Duration},
    {kTripToleranceColumn, G::Duration},      {kFuseCurveColumn, G::Duration},
    {kDeviceShareColumn, G::Duration},        {kMaxArcTimeColumn, G::Duration},
    {kDeviceRatingColumn, G::Duration},       {kMaintInstPickupColumn, G::Duration},
    {kMaintInstTimeColumn, G::Duration},      {kMaintScenarioColumn, G::Duration},
    {kAfrPickupColumn, G::Duration},          {kAfrTimeColumn, G::Duration},
    {kZsiColumn, G::Duration},                {kZsiTimeColumn, G::Duration},
    {kDeviceAtColumn, G::Duration},           {kBusDiffTimeColumn, G::Network},

    {kBusColumn, G::Network},                 {kLineSideColumn, G::Network},
    {kLineSideOfColumn, G::Network},
    {kFromBusColumn, G::Network},             {kBranchTypeColumn, G::Network},
    {kSourceKaColumn, G::Network},            {kSourceKaMinColumn, G::Network},
    {kSourceMvaColumn, G::Network},           {kSourceMvaMinColumn, G::Network},
    {kSourceXrColumn, G::Network},            {kTxKvaColumn, G::Network},
    {kTxZColumn, G::Network},                 {kTxXrColumn, G::Network},
    {kTxUrColumn, G::Network},                {kTxKvHvColumn, G::Network},
    {kTxKvLvColumn, G::Network},              {kTxTapColumn, G::Network},
    {kLvBusColumn, G::Network},               {kTxKvMvColumn, G::Network},
    {kTxKvaMvColumn, G::Network},             {kTxKvaLvColumn, G::Network},
    {kTxZHlColumn, G::Network},               {kTxZMlColumn, G::Network},
    {kTxUrHlColumn, G::Network},              {kTxUrMlColumn, G::Network},
    {kCableLengthColumn, G::Network},         {kCableRColumn, G::Network},
    {kCableXColumn, G::Network},              {kCableSetsColumn, G::Network},
    {kCableEndTempColumn, G::Network},        {kCableSizeColumn, G::Network},
    {kGenKvaColumn, G::Network},
    {kGenKvColumn, G::Network},               {kGenXdColumn, G::Network},
    {kGenXrColumn, G::Network},               {kGenRColumn, G::Network},
    {kGenCosPhiColumn, G::Network},           {kGenInMinColumn, G::Network},
    {kGenPgColumn, G::Network},               {kTxPtColumn, G::Network},
    {kScenariosColumn, G::Network},           {kMotorKvaColumn, G::Network},
    {kMotorXColumn, G::Network},              {kMotorXrColumn, G::Network},
};
// clang-format on
static_assert(std::size(kPlaced) == kStudyInputColumnCount);

constexpr std::array<StudyInputColumn, kStudyInputColumnCount> kByGroup = [] {
    std::array<StudyInputColumn, kStudyInputColumnCount> out{};
    std::size_t n = 0;
    for (int g = 0; g < kStudyColumnGroupCount; ++g) {
        for (const Placed& p : kPlaced) {
            if (static_cast<int>(p.group) == g) out[n++] = p.column;
        }
    }
    return out;
}();

// Each column once: the table above is the whole of StudyInputColumn.
static_assert([] {
    std::array<bool, kStudyInputColumnCount> seen{};
    for (const Placed& p : kPlaced) {
        if (seen[p.column]) return false;
        seen[p.column] = true;
    }
    return true;
}());

bool In(std::string_view word, std::initializer_list<std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

StudyColumnGroup GroupOf(StudyInputColumn column) {
    for (const Placed& p : kPlaced) {
        if (p.column == column) return p.group;
    }
    return G::Method;
}

std::span<const StudyInputColumn> StudyInputsByGroup() { return kByGroup; }

bool ColumnApplies(StudyInputColumn column, const StudyRowShape& row) {
    // A method the row does not name (yet) takes every method's columns.
    const bool known =
        In(row.method, {"empirical", "fuse", "breaker", "ieee1584-2018", "dc-max-power", "dc-arc-resistance"});
    auto method = [&](std::initializer_list<std::string_view> methods) { return !known || In(row.method, methods); };
    // The methods whose arc lasts as long as typed or as a device lets it.
    const bool arcModel = method({"empirical", "ieee1584-2018", "dc-max-power", "dc-arc-resistance"});
    const std::string_view device = row.deviceType, branch = row.branchType;
    switch (column) {
        case kVoltageColumn:
            // A bus's nominal voltage, whatever the method.
            return row.onBus || method({"empirical", "breaker", "ieee1584-2018", "dc-max-power", "dc-arc-resistance"});
        case kDcSourceRColumn:
        case kDcBoxColumn:
            return method({"dc-max-power", "dc-arc-resistance"});
        case kBoltedCurrentColumn:
            return !row.onBus;
        case kGroundingColumn:
            return method({"empirical"});
        case kGapColumn:
        case kGapUnitColumn:
            return method({"empirical", "ieee1584-2018", "dc-arc-resistance"});
        case kElectrodeConfigurationColumn:
        case kEnclosureHeightColumn:
        case kEnclosureWidthColumn:
        case kEnclosureDepthColumn:
        case kEnclosureUnitColumn:
            return method({"ieee1584-2018"});
        case kFuseClassColumn:
            return method({"fuse"});
        case kBreakerTypeColumn:
        case kInterruptingRatingColumn:
        case kInstantaneousTripColumn:
            return method({"breaker"});
        case kArcTimeColumn:
        case kArcTimeReducedColumn:
            return arcModel && device.empty();
        case kDeviceTypeColumn:
            return arcModel;
        case kRelayCurveColumn:
        case kRelayPickupColumn:
        case kRelayTimeDialColumn:
        case kRelayInstPickupColumn:
        case kRelayInstDelayColumn:
        case kBreakerTimeColumn:
            return arcModel && device == "relay";
        case kTripRatingColumn:
        case kTripLtPickupColumn:
        case kTripLtDelayColumn:
        case kTripStPickupColumn:
        case kTripStDelayColumn:
        case kTripInstPickupColumn:
        case kTripInstTimeColumn:
        case kTripToleranceColumn:
            return arcModel && device == "trip-unit";
        case kFuseCurveColumn:
            return arcModel && device == "fuse-curve";
        case kDeviceShareColumn:
        case kMaxArcTimeColumn:
            return arcModel && !device.empty();
        case kMaintInstPickupColumn:
        case kMaintInstTimeColumn:
        case kMaintScenarioColumn:
        case kZsiColumn:
        case kZsiTimeColumn:
            return arcModel && In(device, {"relay", "trip-unit"});
        case kAfrPickupColumn:
        case kAfrTimeColumn:
            return arcModel && !device.empty();
        case kBusDiffTimeColumn:
            return row.onBus;
        case kDeviceAtColumn:
            // A device at either end of a branch that joins two buses.
            return !device.empty() && In(branch, {"transformer", "transformer3", "cable"});
        case kSourceKaColumn:
        case kSourceKaMinColumn:
        case kSourceMvaColumn:
        case kSourceMvaMinColumn:
        case kSourceXrColumn:
            return branch == "source";
        case kTxKvaColumn:
        case kTxZColumn:
        case kTxKvHvColumn:
        case kTxKvLvColumn:
            return In(branch, {"transformer", "transformer3", "unit"});
        case kTxTapColumn:
            return In(branch, {"transformer", "transformer3"});
        case kTxXrColumn:
            return In(branch, {"transformer", "unit"});
        case kLvBusColumn:
        case kTxKvMvColumn:
        case kTxKvaMvColumn:
        case kTxKvaLvColumn:
        case kTxZHlColumn:
        case kTxZMlColumn:
        case kTxUrColumn:
        case kTxUrHlColumn:
        case kTxUrMlColumn:
            return branch == "transformer3";
        case kCableLengthColumn:
        case kCableRColumn:
        case kCableXColumn:
        case kCableSetsColumn:
        case kCableEndTempColumn:
        case kCableSizeColumn:
            return branch == "cable";
        case kGenKvaColumn:
        case kGenKvColumn:
        case kGenXdColumn:
        case kGenXrColumn:
        case kGenCosPhiColumn:
        case kGenRColumn:
        case kGenInMinColumn:
            return In(branch, {"generator", "unit"});
        case kLineSideOfColumn:
            // The main of a line-side point on a bus without a branch of its own.
            return row.onBus && branch.empty();
        case kGenPgColumn:
        case kTxPtColumn:
            return branch == "unit";
        case kFromBusColumn:
            // A branch that joins two buses; a source or generator feeds its own bus.
            return In(branch, {"transformer", "transformer3", "cable"});
        default:
            // The method, class, working distance, device rating, the bus
            // and its line side, the branch's type, motors, scenarios.
            return true;
    }
}

}  // namespace zentavo

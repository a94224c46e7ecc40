// SPDX-License-Identifier: GPL-3.0-or-later
// Which columns a row takes, as the row form shows them: by method, device
// and branch, checked at each switch; the branch values against the
// network's own refusal of a value given to a branch of another type.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "study/column_groups.h"
#include "study/study_file.h"

using namespace zentavo;

TEST(ColumnGroups, EachColumnOnceGroupsInOrder) {
    const auto order = StudyInputsByGroup();
    std::set<StudyInputColumn> seen(order.begin(), order.end());
    EXPECT_EQ(seen.size(), std::size_t{kStudyInputColumnCount});
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_LE(GroupOf(order[i - 1]), GroupOf(order[i])) << kStudyInputNames[order[i]];
    }
    // A value before its unit.
    auto at = [&](StudyInputColumn c) { return std::find(order.begin(), order.end(), c) - order.begin(); };
    EXPECT_LT(at(kWorkDistanceColumn), at(kWorkDistanceUnitColumn));
    EXPECT_LT(at(kGapColumn), at(kGapUnitColumn));
    EXPECT_LT(at(kDeviceTypeColumn), at(kRelayPickupColumn));
}

TEST(ColumnGroups, ARowTakesItsMethodsDevicesAndBranchsColumns) {
    struct Row {
        StudyRowShape shape;
        StudyInputColumn column;
        bool applies;
    };
    // clang-format off
    const Row rows[] = {
        {{"fuse"},                             kFuseClassColumn,              true},
        {{"fuse"},                             kVoltageColumn,                false},
        {{"fuse", "", "", true},               kVoltageColumn,                true},   // a bus's voltage
        {{"fuse"},                             kGapColumn,                    false},
        {{"fuse"},                             kArcTimeColumn,                false},
        {{"fuse"},                             kDeviceTypeColumn,             false},
        {{"fuse"},                             kWorkDistanceColumn,           true},
        {{"breaker"},                          kInstantaneousTripColumn,      true},
        {{"breaker"},                          kGroundingColumn,              false},
        {{"empirical"},                        kGroundingColumn,              true},
        {{"empirical"},                        kEnclosureHeightColumn,        false},
        {{"empirical"},                        kArcTimeColumn,                true},
        {{"empirical"},                        kRelayPickupColumn,            false},
        {{"empirical", "relay"},               kArcTimeColumn,                false},
        {{"empirical", "relay"},               kRelayPickupColumn,            true},
        {{"empirical", "relay"},               kBreakerTimeColumn,            true},
        {{"empirical", "relay"},               kTripRatingColumn,             false},
        {{"empirical", "relay"},               kMaintInstPickupColumn,        true},
        {{"ieee1584-2018", "trip-unit"},       kTripInstTimeColumn,           true},
        {{"ieee1584-2018", "trip-unit"},       kMaxArcTimeColumn,             true},
        {{"ieee1584-2018", "fuse-curve"},      kFuseCurveColumn,              true},
        {{"ieee1584-2018", "fuse-curve"},      kMaintInstPickupColumn,        false},
        {{"ieee1584-2018"},                    kMaxArcTimeColumn,             false},
        {{"ieee1584-2018"},                    kEnclosureUnitColumn,          true},
        {{"ieee1584-2018"},                    kGroundingColumn,              false},
        {{"ieee1584-2018"},                    kBoltedCurrentColumn,          true},
        {{"ieee1584-2018", "", "", true},      kBoltedCurrentColumn,          false},  // from the network
        {{""},                                 kFuseClassColumn,              true},   // no method yet: all
        {{""},                                 kEnclosureHeightColumn,        true},
        {{"empirical", "", "transformer3"},    kLvBusColumn,                  true},
        {{"empirical", "", "transformer"},     kLvBusColumn,                  false},
        {{"empirical", "", "cable"},           kFromBusColumn,                true},
        {{"empirical", "", "source"},          kFromBusColumn,                false},
        {{"empirical", "", ""},                kMotorKvaColumn,               true},
    };
    // clang-format on
    for (const Row& r : rows) {
        EXPECT_EQ(ColumnApplies(r.column, r.shape), r.applies)
            << r.shape.method << "/" << r.shape.deviceType << "/" << r.shape.branchType << ": "
            << kStudyInputNames[r.column];
    }
}

// A branch's value given to a row whose branch is of another type is refused
// by the network: the form shows a branch's field exactly where the network
// takes it.
TEST(ColumnGroups, BranchFieldsAreTheOnesTheNetworkTakes) {
    const char* branches[] = {"", "source", "transformer", "transformer3", "cable", "generator", "unit"};
    for (const char* branch : branches) {
        for (int c = kFirstNetworkColumn; c <= kLastNetworkColumn; ++c) {
            const auto column = static_cast<StudyInputColumn>(c);
            if (column == kBusColumn || column == kFromBusColumn || column == kBranchTypeColumn ||
                column == kMotorKvaColumn || column == kMotorXColumn || column == kMotorXrColumn)
                continue;
            const std::string name(kStudyInputNames[column]);
            const std::string value = StudyColumnKind(column) == StudyCellKind::Word ? "yes"
                                      : StudyColumnKind(column) == StudyCellKind::Text ? "L"
                                                                                       : "1";
            const std::string csv = "point,method,voltage,bus,branch_type," + name + "\r\nP,empirical,480,B," +
                                    branch + "," + value + "\r\n";
            const StudyFile study = StudyFile::Parse(csv, {});
            const bool refused = study.Result(0).message.find(name + ": given on a row whose branch_type is not") !=
                                 std::string::npos;
            EXPECT_EQ(!refused, ColumnApplies(column, {"empirical", "", branch, true}))
                << branch << " " << name << ": " << study.Result(0).message;
        }
    }
}

// Study rows whose arc durations come from a protective device: the same
// results as the row with those durations typed, at both arcing currents of
// the 2002 empirical model and of IEEE 1584-2018; the cap; the share of the
// current the device sees; and the rows refused.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "study/row.h"

namespace zentavo {
namespace {

using Cells = std::map<StudyInputColumn, std::string>;

// The worked example D.2 of IEEE 1584-2018: 480 V, 45 kA, VCB, 32 mm, a
// 610 x 610 x 254 mm enclosure at 609.6 mm. Its arcing currents are 28.793
// kA and (reduced) 25.244 kA.
Cells D2() {
    return {{kMethodColumn, "ieee1584-2018"}, {kVoltageColumn, "480"},
            {kBoltedCurrentColumn, "45"},      {kGapColumn, "32"},
            {kElectrodeConfigurationColumn, "VCB"}, {kEnclosureHeightColumn, "610"},
            {kEnclosureWidthColumn, "610"},    {kEnclosureDepthColumn, "254"},
            {kWorkDistanceColumn, "609.6"}};
}

// 480 V switchgear at 20 kA, 32 mm, 455 mm: arcing currents 11.22 kA and
// (85 %) 9.53 kA.
Cells Empirical() {
    return {{kMethodColumn, "empirical"},     {kVoltageColumn, "480"},
            {kBoltedCurrentColumn, "20"},      {kGapColumn, "32"},
            {kWorkDistanceColumn, "455"},      {kEquipmentClassColumn, "Switchgear"},
            {kGroundingColumn, "Grounded"}};
}

Cells With(Cells row, const Cells& more) {
    for (const auto& [c, text] : more) row[c] = text;
    return row;
}

struct Computed {
    StudyRowResults texts;
    StudyRowValues values;
};

Computed Compute(const Cells& cells, std::optional<double> networkShare = std::nullopt,
                 StudyDevices* devices = nullptr) {
    StudyRowInputs in{};
    for (const auto& [c, text] : cells) in[c] = text;
    in.deviceShareFromNetwork = networkShare;
    Computed out;
    out.values = ComputeStudyRow(in, StudyOptions{}, out.texts, devices);
    return out;
}

// A definite-time relay (breaker_time 0) whose instantaneous element picks
// up between the two arcing currents gives the typed durations exactly: the
// full current the instantaneous delay, the reduced one the time dial.
TEST(DeviceStudy, DeviceDurationsGiveTheResultsOfTheTypedDurations) {
    auto relay = [](const char* instPickup, const char* instDelay, const char* dial) {
        return Cells{{kDeviceTypeColumn, "relay"},       {kRelayCurveColumn, "DT"},
                     {kRelayPickupColumn, "1000"},       {kRelayTimeDialColumn, dial},
                     {kRelayInstPickupColumn, instPickup}, {kRelayInstDelayColumn, instDelay},
                     {kBreakerTimeColumn, "0"}};
    };
    struct Case {
        const char* name;
        Cells device;
        Cells typed;
        const char* used;
        const char* usedReduced;
        const char* element;
        const char* elementReduced;
    };
    // clang-format off
    const Case cases[] = {
        {"2018 D.2: 0.0613 s at 28.793 kA, 0.319 s at 25.244 kA",
         With(D2(), relay("27000", "0.0613", "0.319")),
         With(D2(), {{kArcTimeColumn, "0.0613"}, {kArcTimeReducedColumn, "0.319"}}),
         "0.0613", "0.319", "instantaneous", "definite time"},
        {"empirical: 0.05 s at 11.22 kA, 0.3 s at 9.53 kA",
         With(Empirical(), relay("10000", "0.05", "0.3")),
         With(Empirical(), {{kArcTimeColumn, "0.05"}, {kArcTimeReducedColumn, "0.3"}}),
         "0.05", "0.3", "instantaneous", "definite time"},
        {"2018 D.2, relay below both currents: capped at the default 2 s",
         With(D2(), {{kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "IEC-SI"},
                     {kRelayPickupColumn, "50000"}, {kRelayTimeDialColumn, "0.1"}}),
         With(D2(), {{kArcTimeColumn, "2"}, {kArcTimeReducedColumn, "2"}}),
         "2", "2", "capped", "capped"},
        {"empirical, 1 s definite time after a 0.5 s maximum",
         With(Empirical(), {{kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "DT"},
                            {kRelayPickupColumn, "100"}, {kRelayTimeDialColumn, "1"},
                            {kMaxArcTimeColumn, "0.5"}}),
         With(Empirical(), {{kArcTimeColumn, "0.5"}, {kArcTimeReducedColumn, "0.5"}}),
         "0.5", "0.5", "capped", "capped"},
    };
    // clang-format on
    StudyDevices devices;
    for (const Case& c : cases) {
        for (StudyDevices* cache : {static_cast<StudyDevices*>(nullptr), &devices}) {
            const Computed device = Compute(c.device, std::nullopt, cache);
            const Computed typed = Compute(c.typed);
            ASSERT_EQ(device.texts[kStatusColumn], "ok") << c.name << device.texts[kMessageColumn];
            ASSERT_EQ(typed.texts[kStatusColumn], "ok") << c.name << typed.texts[kMessageColumn];
            for (int k = 0; k < kFirstDeviceResultColumn; ++k) {
                EXPECT_EQ(device.texts[k], typed.texts[k]) << c.name << " " << kStudyResultNames[k];
            }
            EXPECT_EQ(device.values.incidentEnergy, typed.values.incidentEnergy) << c.name;
            EXPECT_EQ(device.values.incidentEnergyReduced, typed.values.incidentEnergyReduced)
                << c.name;
            EXPECT_EQ(device.texts[kArcTimeUsedColumn], c.used) << c.name;
            EXPECT_EQ(device.texts[kArcTimeReducedUsedColumn], c.usedReduced) << c.name;
            EXPECT_EQ(device.texts[kDeviceElementColumn], c.element) << c.name;
            EXPECT_EQ(device.texts[kDeviceElementReducedColumn], c.elementReduced) << c.name;
            for (int k = kFirstDeviceResultColumn; k < kStudyResultColumnCount; ++k) {
                EXPECT_EQ(typed.texts[k], "") << c.name << " " << kStudyResultNames[k];
            }
        }
    }
}

// The device sees device_share of the arcing current when the cell is
// given, else the share of the network's branch, else all of it. A relay
// whose instantaneous element picks up at 13 kA sees 14.4 and 12.6 kA at
// half of D.2's currents.
TEST(DeviceStudy, TheDeviceSeesItsShareOfTheArcingCurrent) {
    const Cells relay = With(D2(), {{kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "DT"},
                                    {kRelayPickupColumn, "1000"}, {kRelayTimeDialColumn, "0.5"},
                                    {kRelayInstPickupColumn, "13000"}});
    struct Case {
        const char* cell;
        std::optional<double> network;
        const char* elementReduced;
    };
    // clang-format off
    const Case cases[] = {
        {"",    std::nullopt, "instantaneous"},  // 25.2 kA
        {"",    0.5,          "definite time"},  // 12.6 kA
        {"0.5", std::nullopt, "definite time"},
        {"1",   0.5,          "instantaneous"},  // the cell before the network
    };
    // clang-format on
    for (const Case& c : cases) {
        const Computed r = Compute(With(relay, {{kDeviceShareColumn, c.cell}}), c.network);
        ASSERT_EQ(r.texts[kStatusColumn], "ok") << c.cell << r.texts[kMessageColumn];
        EXPECT_EQ(r.texts[kDeviceElementColumn], "instantaneous") << c.cell;
        EXPECT_EQ(r.texts[kDeviceElementReducedColumn], c.elementReduced) << c.cell;
    }
}

TEST(DeviceStudy, RowsRefused) {
    const Cells relay = {{kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "IEC-SI"},
                         {kRelayPickupColumn, "1000"}, {kRelayTimeDialColumn, "0.1"}};
    struct Case {
        Cells row;
        const char* status;
        const char* message;
    };
    // clang-format off
    const Case cases[] = {
        {With(With(D2(), relay), {{kArcTimeColumn, "0.2"}}), "error",
         "arc_time: a row with a protective device takes its arc durations from it; leave "
         "arc_time and arc_time_reduced empty or the device columns empty"},
        {With(With(Empirical(), relay), {{kArcTimeReducedColumn, "0.2"}}), "error",
         "arc_time: a row with a protective device takes its arc durations from it; leave "
         "arc_time and arc_time_reduced empty or the device columns empty"},
        {With(With(D2(), relay), {{kDeviceTypeColumn, "relais"}}), "error",
         "device_type: unknown value \"relais\""},
        {With(With(D2(), relay), {{kRelayCurveColumn, "IEC-XI"}}), "error",
         "relay_curve: unknown value \"IEC-XI\""},
        {With(D2(), {{kRelayPickupColumn, "1000"}}), "error",
         "relay_pickup: a device setting without device_type"},
        {With(With(D2(), relay), {{kTripRatingColumn, "800"}}), "error",
         "trip_rating: not a setting of a relay"},
        {With(With(D2(), relay), {{kRelayPickupColumn, ""}}), "error",
         "relay_pickup: needed for a relay"},
        {With(With(D2(), relay), {{kRelayTimeDialColumn, "0"}}), "error",
         "relay_time_dial: must be above 0"},
        {With(D2(), {{kDeviceTypeColumn, "fuse-curve"}, {kFuseCurveColumn, "MCC-30A"}}), "error",
         "fuse_curve: 'MCC-30A' names a curve, and no curves file is loaded"},
        {With(With(D2(), relay), {{kMaxArcTimeColumn, "never"}}), "error",
         "max_arc_time: 'never' is not a valid floating point value or \"none\""},
        {With(With(D2(), relay), {{kMethodColumn, "breaker"}}), "error",
         "device_type: the breaker method's equations hold their own arc duration; leave the "
         "device columns of this row empty"},
        // Below pickup at both currents, without a maximum.
        {With(With(D2(), relay), {{kRelayPickupColumn, "50000"}, {kMaxArcTimeColumn, "none"}}),
         "warning",
         "Protective device does not operate at 28.793 kA arcing current. "
         "Protective device does not operate at 25.244 kA arcing current. "},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Computed r = Compute(c.row);
        EXPECT_EQ(r.texts[kStatusColumn], c.status) << c.message;
        EXPECT_EQ(r.texts[kMessageColumn], c.message);
        EXPECT_FALSE(r.values.computed) << c.message;
        for (int k = kFirstDeviceResultColumn; k < kStudyResultColumnCount; ++k) {
            EXPECT_EQ(r.texts[k], "") << c.message << " " << kStudyResultNames[k];
        }
    }
}

}  // namespace
}  // namespace zentavo

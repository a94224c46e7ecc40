// SPDX-License-Identifier: GPL-3.0-or-later
// Study rows whose arc durations come from a protective device: the same
// results as the row with those durations typed, at both arcing currents of
// the 2002 empirical model and of IEEE 1584-2018; the cap; the share of the
// current the device sees; and the rows refused.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "study_tools.h"
#include "study/row.h"
#include "study/run.h"

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
    PointResult values;
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
            // A duration only the cap gave is said so; the results are the typed ones.
            const bool capped = std::string(c.element) == "capped";
            ASSERT_EQ(device.texts[kStatusColumn], capped ? "warning" : "ok") << c.name << device.texts[kMessageColumn];
            ASSERT_EQ(typed.texts[kStatusColumn], "ok") << c.name << typed.texts[kMessageColumn];
            for (int k = 0; k < kFirstDeviceResultColumn; ++k) {
                if (!capped || (k != kStatusColumn && k != kMessageColumn))
                    EXPECT_EQ(device.texts[k], typed.texts[k]) << c.name << " " << kStudyResultNames[k];
            }
            EXPECT_EQ(device.values.full.energy, typed.values.full.energy) << c.name;
            EXPECT_EQ(device.values.reduced->energy, typed.values.reduced->energy)
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

// 480 V low-voltage switchgear, 40 kA, VCB, 32 mm, 508 mm cube, 609.6 mm,
// under a 100 A trip unit (LTPU 1, LTD 10 s). Its arcing currents are
// 26.685 kA and 23.396 kA, where the long-time band alone (3.96E6 / I^2 s)
// would take 0.0056 s and 0.0072 s (0.29 cal/cm2, PPE 0). No element clears
// faster than the 0.05 s instantaneous clearing time. By hand, at 0.05 s:
//   Iarc_600 = 10^(-0.04287 + 1.035 lg 40 - 0.083 lg 32) x 0.96456 = 29.831 kA
//   Iarc = 1 / sqrt((0.6/0.48)^2 (1/29.831^2 - (0.36 - 0.48^2)/(0.36 x 40^2))) = 26.685 kA
//   CF = -0.000302 x 20^2 + 0.03441 x 20 + 0.4325 = 0.9999 (EES 20 in)
//   E = 12.552/50 x 50 ms x 10^(0.753364 + 0.566 lg 32 + 1.752636 x 29.831 / 38.583
//       - 1.598 lg 609.6 + 0.957 lg 26.685 + lg(1/0.9999)) = 12.552 x 10^-0.125154
//     = 9.4093 J/cm2 = 2.249 cal/cm2: PPE 1. The reduced case (23.396 kA) is lower.
TEST(DeviceStudy, TripUnitClearsNoFasterThanItsInstantaneousClearingTime) {
    const Cells point = {{kMethodColumn, "ieee1584-2018"}, {kVoltageColumn, "480"},
                         {kBoltedCurrentColumn, "40"},      {kGapColumn, "32"},
                         {kElectrodeConfigurationColumn, "VCB"}, {kEnclosureHeightColumn, "508"},
                         {kEnclosureWidthColumn, "508"},    {kEnclosureDepthColumn, "508"},
                         {kWorkDistanceColumn, "609.6"},    {kDeviceTypeColumn, "trip-unit"},
                         {kTripRatingColumn, "100"},        {kTripLtPickupColumn, "1"},
                         {kTripLtDelayColumn, "10"}};
    struct Case {
        const char* instPickup;
        const char* element;
    };
    // clang-format off
    const Case cases[] = {
        {"10", "instantaneous"},  // INST above 1000 A acts, at its clearing time
        {"",   "long time"},      // no INST: the band held at 0.05 s
    };
    // clang-format on
    for (const Case& c : cases) {
        const Computed r = Compute(With(point, {{kTripInstPickupColumn, c.instPickup}}));
        ASSERT_EQ(r.texts[kStatusColumn], "ok") << c.element << ": " << r.texts[kMessageColumn];
        EXPECT_EQ(r.texts[kArcingCurrentColumn], "26.685");
        EXPECT_EQ(r.texts[kArcTimeUsedColumn], "0.05") << c.element;
        EXPECT_EQ(r.texts[kArcTimeReducedUsedColumn], "0.05") << c.element;
        EXPECT_EQ(r.texts[kDeviceElementColumn], c.element);
        EXPECT_EQ(r.texts[kDeviceElementReducedColumn], c.element);
        EXPECT_NEAR(r.values.full.energy, 9.4093, 5e-4) << c.element;
        EXPECT_EQ(r.texts[kGoverningColumn], "full") << c.element;
        EXPECT_EQ(r.texts[kIncidentEnergyGoverningColumn], "2.25") << c.element;
        EXPECT_EQ(r.texts[kPpeLevelGoverningColumn], "1") << c.element;
    }
}

// No protective device clears in less than a millisecond, and no arc lasts
// 0 s: settings whose fastest clearing is below 1 ms, and typed durations
// at 0 or below it, are refused; at 1 ms they are taken. The device rows at
// D.2's currents (28.793 and 25.244 kA), all far above every pickup.
TEST(DeviceStudy, DurationsOfNothingAreRefused) {
    auto relay = [](const char* curve, const char* dial, const char* breaker) {
        return With(D2(), {{kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, curve},
                           {kRelayPickupColumn, "100"}, {kRelayTimeDialColumn, dial},
                           {kBreakerTimeColumn, breaker}});
    };
    const Cells trip = With(D2(), {{kDeviceTypeColumn, "trip-unit"}, {kTripRatingColumn, "100"},
                                   {kTripLtPickupColumn, "1"}, {kTripLtDelayColumn, "10"},
                                   {kTripInstPickupColumn, "10"}});
    const std::string relayTooFast =
        "relay_time_dial, breaker_time: the relay and its breaker would clear in less than "
        "0.001 s, faster than any protective device";
    struct Case {
        const char* name;
        Cells row;
        const char* status;
        std::string message;
        const char* used;  // arc_time_used of a computed row
    };
    // clang-format off
    const Case cases[] = {
        {"DT 1E-300 s, no breaker time", relay("DT", "1e-300", "0"), "error", relayTooFast, ""},
        {"DT 0.0009 s, no breaker time", relay("DT", "0.0009", "0"), "error", relayTooFast, ""},
        // Dials no relay offers, computed with their caution.
        {"DT 0.001 s, no breaker time",  relay("DT", "0.001", "0"), "warning",
         "relay_time_dial: 0.001 is outside 0.01 to 20: check the setting", "0.001"},
        {"DT 1E-300 s, breaker 0.083 s", relay("DT", "1e-300", "0.083"), "warning",
         "relay_time_dial: 1e-300 is outside 0.01 to 20: check the setting", "0.083"},
        // IEC SI flat above M = 20 at TMS x 0.14 / (20^0.02 - 1) = TMS x 2.2674 s.
        {"IEC-SI TMS 0.0004: 0.00091 s", relay("IEC-SI", "0.0004", "0"), "error", relayTooFast, ""},
        {"IEC-SI TMS 0.0005: 0.0011 s",  relay("IEC-SI", "0.0005", "0"), "warning",
         "relay_time_dial: 0.0005 is outside 0.01 to 20: check the setting", "0.0011"},
        {"instantaneous without delay, no breaker time",
         With(relay("DT", "0.5", "0"), {{kRelayInstPickupColumn, "1000"}}), "error",
         "relay_inst_delay, breaker_time: the relay and its breaker would clear in less than "
         "0.001 s, faster than any protective device", ""},
        {"long-time delay 1E-308 s: held at 0.05 s",
         With(trip, {{kTripLtDelayColumn, "1e-308"}, {kTripInstPickupColumn, ""}}), "ok", "", "0.05"},
        {"trip_inst_time 0",      With(trip, {{kTripInstTimeColumn, "0"}}), "error",
         "trip_inst_time: must be above 0", ""},
        {"trip_inst_time 0.0009", With(trip, {{kTripInstTimeColumn, "0.0009"}}), "error",
         "trip_inst_time: must be at least 0.001 s", ""},
        {"trip_inst_time 0.001",  With(trip, {{kTripInstTimeColumn, "0.001"}}), "ok", "", "0.001"},
        {"max_arc_time 1E-300",   With(trip, {{kMaxArcTimeColumn, "1e-300"}}), "error",
         "max_arc_time: must be at least 0.001 s", ""},
        {"max_arc_time 0.001: the cap", With(trip, {{kMaxArcTimeColumn, "0.001"}}), "warning",
         "the trip unit takes 0.05 s at 28.793 kA: exposure limited to 0.001 s. ", "0.001"},
        // Typed durations, both cases named.
        {"2018 typed 0 and 0",
         With(D2(), {{kArcTimeColumn, "0"}, {kArcTimeReducedColumn, "0"}}), "warning",
         "Arc duration must be above 0 s. Arc duration for reduced current must be above 0 s. ", ""},
        {"2018 typed 1E-300 and 0.0009",
         With(D2(), {{kArcTimeColumn, "1e-300"}, {kArcTimeReducedColumn, "0.0009"}}), "warning",
         "Arc duration must be at least 0.001 s. "
         "Arc duration for reduced current must be at least 0.001 s. ", ""},
        {"2018 typed 0.001 and 0.001",
         With(D2(), {{kArcTimeColumn, "0.001"}, {kArcTimeReducedColumn, "0.001"}}), "ok", "", ""},
        {"empirical typed 0",
         With(Empirical(), {{kArcTimeColumn, "0"}, {kArcTimeReducedColumn, "0.5"}}), "warning",
         "Arc duration must be above 0 s. ", ""},
        {"empirical typed -1 and 1E-300",
         With(Empirical(), {{kArcTimeColumn, "-1"}, {kArcTimeReducedColumn, "1e-300"}}), "warning",
         "Arc duration must be above 0 s. Arc duration for reduced current must be at least 0.001 s. ", ""},
        {"empirical typed 0.001 and 0.001",
         With(Empirical(), {{kArcTimeColumn, "0.001"}, {kArcTimeReducedColumn, "0.001"}}), "ok", "", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Computed r = Compute(c.row);
        EXPECT_EQ(r.texts[kStatusColumn], c.status) << c.name;
        EXPECT_EQ(r.texts[kMessageColumn], c.message) << c.name;
        EXPECT_EQ(r.texts[kArcTimeUsedColumn], c.used) << c.name;
        EXPECT_EQ(r.values.Computed(), HasStudyResults(r.texts)) << c.name;
        EXPECT_EQ(r.values.Computed(), *c.used != 0 || std::string(c.status) == "ok") << c.name;
    }
}

// An instantaneous pickup of 0.05 A typed into the wrong field: the row is
// computed as set, and marked "warning" with the caution, its results given.
// D.2 under an IEC VI relay, pickup 400 A, TMS 0.1; from the published
// energies (11.585 J/cm2 at 61.3 ms, 53.156 J/cm2 at 319 ms), linear in the
// duration:
//   as typed, 0.05 A: instantaneous at both currents, 0 + 0.083 = 0.083 s:
//     11.585 x 83 / 61.3 = 15.686 J/cm2 = 3.749 cal/cm2 (reduced 13.831 J/cm2): PPE 1;
//   as meant, 40 kA (above both currents): flat above M = 20 (28.793 kA / 400 A = 72),
//     0.1 x 13.5 / 19 + 0.083 = 0.154053 s: 11.585 x 154.053 / 61.3 = 29.114 J/cm2
//     = 6.958 cal/cm2 (reduced 25.670 J/cm2): PPE 2.
TEST(DeviceStudy, SettingNoDeviceOffersIsComputedWithACaution) {
    const Cells relay = With(D2(), {{kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "IEC-VI"},
                                    {kRelayPickupColumn, "400"}, {kRelayTimeDialColumn, "0.1"}});
    struct Case {
        const char* inst;
        const char* status;
        const char* message;
        const char* used;
        const char* element;
        double energy;  // J/cm2, the full case, which governs
        const char* governing;
        const char* ppe;
    };
    // clang-format off
    const Case cases[] = {
        {"0.05",  "warning",
         "relay_inst_pickup: 0.05 A is below the pickup (400 A): check the setting",
         "0.083", "instantaneous", 15.686, "3.75", "1"},
        {"40000", "ok", "", "0.1541", "inverse", 29.114, "6.96", "2"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Computed r = Compute(With(relay, {{kRelayInstPickupColumn, c.inst}}));
        EXPECT_EQ(r.texts[kStatusColumn], c.status) << c.inst;
        EXPECT_EQ(r.texts[kMessageColumn], c.message) << c.inst;
        EXPECT_TRUE(HasStudyResults(r.texts)) << c.inst;
        EXPECT_TRUE(r.values.Computed()) << c.inst;
        EXPECT_EQ(r.texts[kArcTimeUsedColumn], c.used) << c.inst;
        EXPECT_EQ(r.texts[kArcTimeReducedUsedColumn], c.used) << c.inst;
        EXPECT_EQ(r.texts[kDeviceElementColumn], c.element) << c.inst;
        EXPECT_NEAR(r.values.full.energy, c.energy, 0.002) << c.inst;
        EXPECT_EQ(r.texts[kGoverningColumn], "full") << c.inst;
        EXPECT_EQ(r.texts[kIncidentEnergyGoverningColumn], c.governing) << c.inst;
        EXPECT_EQ(r.texts[kPpeLevelGoverningColumn], c.ppe) << c.inst;
    }
    // A refused row has no results, whatever its status.
    const Computed refused = Compute(With(relay, {{kRelayPickupColumn, "0"}}));
    EXPECT_FALSE(HasStudyResults(refused.texts));
    const Computed idle = Compute(With(relay, {{kRelayPickupColumn, "1e6"}, {kMaxArcTimeColumn, "none"}}));
    EXPECT_EQ(idle.texts[kStatusColumn], "warning");
    EXPECT_FALSE(HasStudyResults(idle.texts));
}

// Rows refused before or by their model: the status and message shown, and the
// kind of refusal the point result carries for a caller to act on.
TEST(DeviceStudy, RowsRefused) {
    const Cells relay = {{kDeviceTypeColumn, "relay"}, {kRelayCurveColumn, "IEC-SI"},
                         {kRelayPickupColumn, "1000"}, {kRelayTimeDialColumn, "0.1"}};
    using enum RefusalCode;
    struct Case {
        Cells row;
        const char* status;
        const char* message;
        std::optional<RefusalCode> code;  // none: the study's own rule, no model's refusal
    };
    // clang-format off
    const Case cases[] = {
        {With(With(D2(), relay), {{kArcTimeColumn, "0.2"}}), "error",
         "arc_time: a row with a protective device takes its arc durations from it; leave "
         "arc_time and arc_time_reduced empty or the device columns empty", {}},
        {With(With(Empirical(), relay), {{kArcTimeReducedColumn, "0.2"}}), "error",
         "arc_time: a row with a protective device takes its arc durations from it; leave "
         "arc_time and arc_time_reduced empty or the device columns empty", {}},
        {With(With(D2(), relay), {{kDeviceTypeColumn, "relais"}}), "error",
         "device_type: unknown value \"relais\"", UnknownWord},
        {With(With(D2(), relay), {{kRelayCurveColumn, "IEC-XI"}}), "error",
         "relay_curve: unknown value \"IEC-XI\"", UnknownWord},
        {With(D2(), {{kRelayPickupColumn, "1000"}}), "error",
         "relay_pickup: a device setting without device_type", {}},
        {With(D2(), {{kAfrPickupColumn, "1000"}, {kAfrTimeColumn, "0.05"}}), "error",
         "afr_pickup: a device setting without device_type (an arc-flash relay alone trips a "
         "branch's breaker: give branch_type)", {}},
        {With(With(D2(), relay), {{kTripRatingColumn, "800"}}), "error",
         "trip_rating: not a setting of a relay", Device},
        {With(With(D2(), relay), {{kRelayPickupColumn, ""}}), "error",
         "relay_pickup: needed for a relay", Device},
        {With(With(D2(), relay), {{kRelayTimeDialColumn, "0"}}), "error",
         "relay_time_dial: must be above 0", Device},
        // Every problem of the settings in one refusal, the first one's code.
        {With(With(D2(), relay), {{kRelayCurveColumn, "IEC-XI"}, {kRelayTimeDialColumn, "x"}}), "error",
         "relay_curve: unknown value \"IEC-XI\"; relay_time_dial: 'x' is not a valid floating point value",
         UnknownWord},
        {With(D2(), {{kEquipmentClassColumn, "Cabinet"}}), "error",
         "equipment_class: unknown value \"Cabinet\"", UnknownWord},
        {With(With(D2(), relay), {{kVoltageColumn, "20000"}}), "warning",
         "Voltage above 15000 V. ", OutOfRange},
        {With(D2(), {{kDeviceTypeColumn, "fuse-curve"}, {kFuseCurveColumn, "MCC-30A"}}), "error",
         "fuse_curve: 'MCC-30A' names a curve, and no curves file is loaded", Curve},
        {With(With(D2(), relay), {{kMaxArcTimeColumn, "never"}}), "error",
         "max_arc_time: 'never' is not a valid floating point value or \"none\"", Device},
        {With(With(D2(), relay), {{kMethodColumn, "breaker"}}), "error",
         "device_type: the breaker method's equations hold their own arc duration; leave the "
         "device columns of this row empty", {}},
        // Below pickup at both currents, without a maximum.
        {With(With(D2(), relay), {{kRelayPickupColumn, "50000"}, {kMaxArcTimeColumn, "none"}}),
         "warning",
         "Protective device does not operate at 28.793 kA arcing current. "
         "Protective device does not operate at 25.244 kA arcing current. ", Duration},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Computed r = Compute(c.row);
        EXPECT_EQ(r.texts[kStatusColumn], c.status) << c.message;
        EXPECT_EQ(r.texts[kMessageColumn], c.message);
        EXPECT_FALSE(r.values.Computed()) << c.message;
        EXPECT_EQ(r.values.refusal, c.code) << c.message;
        // No durations or network values; the device's duty is checked all the same.
        for (int k = kFirstDeviceResultColumn; k < kFirstDutyResultColumn; ++k) {
            EXPECT_EQ(r.texts[k], "") << c.message << " " << kStudyResultNames[k];
        }
    }
}

// A study looks each row's device up once per distinct settings, by the
// device columns' text where a plain record holds them side by side, else
// cell by cell, and keeps the texts of the durations a device repeats. None
// of that shows: however the rows are written (device columns side by side,
// apart, quoted, with semicolons), each row's results are those of the row
// computed alone. The relay rows give more distinct durations than the
// texts kept per device, each repeated, interleaved with other devices.
TEST(DeviceStudy, DeviceLookupDoesNotDependOnHowTheRowIsWritten) {
    // clang-format off
    const std::vector<std::vector<std::string>> devices = {
        {"relay", "IEC-SI", "3000", "0.1", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},
        {"trip-unit", "", "", "", "", "", "", "1600", "1", "10", "4", "0.3", "", "", "", "", "", ""},
        {"fuse-curve", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "100:300 200:20 1000:0.1 5000:0.01", "", "1.5"},
        {"relay", "DT", "2000", "0.4", "30000", "", "", "", "", "", "", "", "", "", "", "", "0.5", ""},
    };
    // clang-format on
    struct Layout {
        const char* what;
        char delimiter;
        bool quoted;  // every device cell in quotes
        bool apart;   // a column of the user's own between relay_time_dial and relay_inst_pickup
    };
    const Layout layouts[] = {
        {"side by side", ',', false, false},
        {"apart", ',', false, true},
        {"quoted", ',', true, false},
        {"semicolons", ';', false, false},
    };
    std::vector<StudyRowResults> alone;
    std::vector<Cells> rows;
    for (int i = 0; i < 24; ++i) {
        // The relay at 10 to 55 kA bolted, two rows each: twelve distinct durations.
        const std::vector<std::string>& d = devices[i % 2 == 0 ? 0 : static_cast<std::size_t>(1 + (i / 2) % 3)];
        Cells row = With(D2(), {{kBoltedCurrentColumn, std::to_string(10 + 5 * ((i / 2) % 12) + (i % 2))}});
        for (int c = kFirstDeviceColumn; c <= kLastDeviceColumn; ++c) {
            if (!d[static_cast<std::size_t>(c - kFirstDeviceColumn)].empty()) {
                row[static_cast<StudyInputColumn>(c)] = d[static_cast<std::size_t>(c - kFirstDeviceColumn)];
            }
        }
        rows.push_back(row);
        alone.push_back(Compute(row).texts);
        EXPECT_EQ(alone.back()[kStatusColumn], "ok") << i << ": " << alone.back()[kMessageColumn];
    }
    std::set<std::string> relayTimes;
    for (std::size_t i = 0; i < rows.size(); i += 2) relayTimes.insert(alone[i][kArcTimeUsedColumn]);
    EXPECT_GE(relayTimes.size(), 9u);  // more than the texts kept for one device
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.what);
        std::string text;
        auto cell = [&](const std::string& t, bool device) {
            return l.quoted && device && !t.empty() ? "\"" + t + "\"" : t;
        };
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            text += std::string(kStudyInputNames[c]) + l.delimiter;
            if (l.apart && c == kRelayTimeDialColumn) text += std::string("note") + l.delimiter;
        }
        text.back() = '\n';
        for (const Cells& row : rows) {
            for (int c = 0; c < kStudyInputColumnCount; ++c) {
                const auto it = row.find(static_cast<StudyInputColumn>(c));
                text += cell(it == row.end() ? std::string() : it->second,
                             c >= kFirstDeviceColumn && c <= kLastDeviceColumn) +
                        l.delimiter;
                if (l.apart && c == kRelayTimeDialColumn) text += std::string("x") + l.delimiter;
            }
            text.back() = '\n';
        }
        StudyOptions options;
        options.delimiter = l.delimiter;
        std::string out;
        RunStudy(text, options, [&](std::string_view s) { out += s; });
        const std::vector<study_test::CsvRow> got = study_test::CsvRows(out, l.delimiter);
        ASSERT_EQ(got.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (int r = 0; r < kStudyResultColumnCount; ++r) {
                const std::string name(kStudyResultNames[r]);
                // Columns the output leaves out are empty for every row.
                if (!got[i].count(name)) {
                    EXPECT_EQ(alone[i][r], "") << "row " << i << " " << name;
                    continue;
                }
                EXPECT_EQ(got[i].at(name), alone[i][r]) << "row " << i << " " << name;
            }
        }
    }
}

}  // namespace
}  // namespace zentavo

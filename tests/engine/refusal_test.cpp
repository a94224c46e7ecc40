// SPDX-License-Identifier: GPL-3.0-or-later
// Each kind of refusal a model gives, reached through the call a caller
// makes: the code it carries and the text shown, byte for byte. A code set
// at the wrong site, or a text changed on the way into a Refusal, fails its
// row.
#include "engine/refusal.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/breaker.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "engine/ieee2018.h"
#include "engine/ieee2018_device.h"
#include "engine/protection.h"

namespace zentavo {
namespace {

EmpiricalFields Empirical(const char* voltage) {
    EmpiricalFields f;
    f.voltage = voltage;
    f.boltedCurrent = "20";
    f.gap = "32";
    f.workDist = "610";
    f.equipmentClass = kSwitchgear;
    f.grounding = 1;
    return f;
}

FuseFields Fuse(const char* ibf) {
    FuseFields f;
    f.fuseClass = 1;
    f.boltedCurrent = ibf;
    f.workDist = "455";
    return f;
}

BreakerFields Breaker(const char* voltage, const char* ibf) {
    BreakerFields f;
    f.voltage = voltage;
    f.boltedCurrent = ibf;
    f.workDist = "460";
    f.interruptingRating = "20";
    f.instantaneousTrip = "2";
    return f;
}

// The standard's low-voltage example (480 V, 45 kA, VCB) with `voltage`.
Ieee2018Fields Ieee2018(const char* voltage) {
    return {voltage, "45", "32", "VCB", "610", "610", "254", "609.6", "0.0613", "0.319"};
}

// A definite-time relay of `pickup` A and 0.2 s, with no maximum arc duration.
RelaySettings Relay(double pickup) {
    RelaySettings r;
    r.curve = RelayCurve::DT;
    r.pickup = pickup;
    r.timeDial = 0.2;
    return r;
}

std::optional<Refusal> EmpiricalDurations(const char* arcTime) {
    SharedState s = StartState();
    if (RunEmpiricalArcCurrent(s, Empirical("480"), '.').refusal) return std::nullopt;
    return RunEmpiricalResults(s, {arcTime, "0.5"}, UnitSettings{}, '.').refusal;
}

std::optional<Refusal> Ieee2018WithoutAction() {
    const Built<ProtectiveDevice> d = MakeProtectiveDevice({Relay(26000), 1, std::nullopt});
    if (!d.device) return d.refusal;
    return RunIeee2018WithDevice(Ieee2018("480"), *d.device, UnitSettings{}, '.').outcome.refusal;
}

struct Row {
    const char* name;
    std::function<std::optional<Refusal>()> refuse;
    RefusalCode code;
    std::string message;
};

TEST(Refusals, EachCarriesItsCodeAndTheTextShown) {
    using enum RefusalCode;
    const std::vector<Row> rows = {
        {"empirical voltage below 208 V",
         [] {
             SharedState s = StartState();
             return RunEmpiricalArcCurrent(s, Empirical("207"), '.').refusal;
         },
         OutOfRange, "Voltage out of range. "},
        {"empirical voltage above 46 kV",
         [] {
             SharedState s = StartState();
             return RunEmpiricalArcCurrent(s, Empirical("46001"), '.').refusal;
         },
         OutOfRange, "Voltage out of range. "},
        {"empirical duration above 2 s", [] { return EmpiricalDurations("2.01"); }, Duration,
         "Arcing time should not exceed 2 seconds. "},
        {"fuse bolted current above 106 kA",
         [] {
             SharedState s = StartState();
             return RunFuse(s, Fuse("106.1"), UnitSettings{}, '.').refusal;
         },
         OutOfRange, "Invalid bolted current. "},
        {"fuse current below the table",
         [] {
             SharedState s = StartState();
             return RunFuse(s, Fuse("1.0"), UnitSettings{}, '.').refusal;
         },
         OutsideModel, std::string(msg::kFuseLowCurrent)},
        {"breaker voltage between the two rows",
         [] {
             SharedState s = StartState();
             return RunBreaker(s, Breaker("481", "10"), UnitSettings{}, '.').refusal;
         },
         OutOfRange, "Voltage out of range. "},
        {"breaker current above its rating",
         [] {
             SharedState s = StartState();
             return RunBreaker(s, Breaker("480", "20.01"), UnitSettings{}, '.').refusal;
         },
         OutsideModel, std::string(msg::kAboveInterruptingRating)},
        {"2018 voltage below 208 V",
         [] { return RunIeee2018(Ieee2018("207"), UnitSettings{}, '.').refusal; }, OutOfRange,
         std::string(msg::k2018VoltageLow)},
        {"2018 voltage above 15 kV",
         [] { return RunIeee2018(Ieee2018("15001"), UnitSettings{}, '.').refusal; }, OutOfRange,
         std::string(msg::k2018VoltageHigh)},
        {"2018 shallow enclosure too small",
         [] {
             const Ieee2018Fields f{"480", "20",  "6.35",  "VCBB", "40",
                                    "40",  "100", "457.2", "0.1",  "0.1"};
             return RunIeee2018(f, UnitSettings{}, '.').refusal;
         },
         OutsideModel, std::string(msg::k2018EnclosureTooSmall)},
        {"2018 device that does not act, no maximum", Ieee2018WithoutAction, Duration,
         "Protective device does not operate at 25.244 kA arcing current. "},
        {"relay pickup 0", [] { return MakeRelay(Relay(0)).refusal; }, Device,
         "relay_pickup: must be above 0"},
        {"device share above 1",
         [] {
             return MakeProtectiveDevice({Relay(100), 1.5, 2}).refusal;
         },
         Device, "device_share: must be above 0 and at most 1"},
        {"max_arc_time of 0", [] { return ReadMaxArcTime("0", '.').refusal; }, Device,
         "max_arc_time: must be above 0"},
        {"fuse curve point with a longer time",
         [] { return ParseFuseCurve("100:300 200:400", '.').refusal; }, Curve,
         "fuse_curve: point 2: time must be below the point before"},
        {"fuse curve name without a curves file",
         [] { return ResolveFuseCurve("MCC-30A", '.', nullptr).refusal; }, Curve,
         "fuse_curve: 'MCC-30A' names a curve, and no curves file is loaded"},
        {"device type word", [] { return ReadDeviceType("fuse").refusal; }, UnknownWord,
         "device_type: unknown value \"fuse\""},
    };
    for (const Row& r : rows) {
        const std::optional<Refusal> refusal = r.refuse();
        ASSERT_TRUE(refusal.has_value()) << r.name;
        EXPECT_EQ(static_cast<int>(refusal->code), static_cast<int>(r.code)) << r.name;
        EXPECT_EQ(refusal->message, r.message) << r.name;
    }
}

TEST(Refusals, TwoJoinedKeepTheFirstCodeAndBothTexts) {
    const Refusal full{RefusalCode::Duration, "a. "};
    const Refusal reduced{RefusalCode::Device, "b. "};
    EXPECT_FALSE(JoinRefusals(std::nullopt, std::nullopt));
    EXPECT_EQ(JoinRefusals(std::nullopt, reduced)->message, "b. ");
    const std::optional<Refusal> both = JoinRefusals(full, reduced);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->code, RefusalCode::Duration);
    EXPECT_EQ(both->message, "a. b. ");
    EXPECT_EQ(RefusalText(std::nullopt), "");
    EXPECT_FALSE(RefusalOf(RefusalCode::OutOfRange, ""));
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// The 2018 model with its durations from a protective device, on the
// standard's low-voltage example (Annex D.2: 28.793 kA and 25.244 kA, 61.3 ms
// and 319 ms give 11.585 and 53.156 J/cm2): devices whose times at those two
// currents are known by hand, the cap, the refusal without one, and the
// texts of the durations found.
#include "engine/ieee2018_device.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zentavo {
namespace {

// Annex D.2 as typed; the two arc-duration fields are not read.
Ieee2018Fields D2Fields() {
    return {"480", "45", "32", "VCB", "610", "610", "254", "609.6", "not read", "not read"};
}

ProtectiveDevice Build(const DeviceSettings& s) {
    Built<ProtectiveDevice> b = MakeProtectiveDevice(s);
    EXPECT_EQ(RefusalText(b.refusal), "");
    return *b.device;
}

// A definite-time relay of pickup `pickup` A and `dial` s with an
// instantaneous element above `inst` A, tripping a breaker of 61.3 ms.
DeviceSettings Relay(double pickup, double dial, std::optional<double> inst,
                     std::optional<double> maxArc = kDefaultMaxArcTime, double share = 1) {
    RelaySettings r;
    r.curve = RelayCurve::DT;
    r.pickup = pickup;
    r.timeDial = dial;
    r.instPickup = inst;
    r.breakerTime = 0.0613;
    return {r, share, maxArc};
}

TEST(Ieee2018Device, DurationsAtBothArcingCurrents) {
    // A trip unit of 1600 A: instantaneous above 17 x 1600 = 27200 A in
    // 61.3 ms; short time above 8 x 1600 = 12800 A in 0.29 s x 1.1 = 0.319 s.
    TripUnitSettings trip;
    trip.rating = 1600;
    trip.ltPickup = 1;
    trip.ltDelay = 10;
    trip.stPickup = 8;
    trip.stDelay = 0.29;
    trip.instPickup = 17;
    trip.instTime = 0.0613;
    struct Row {
        const char* name;
        DeviceSettings device;
        double t, tReduced;  // s, by hand
        DeviceElement element, elementReduced;
        double e, eReduced;  // J/cm2
    };
    // The energy is proportional to the duration: 2 s gives 53.156 x 2 / 0.319.
    // clang-format off
    const Row rows[] = {
        {"relay: instantaneous, then definite time", Relay(1000, 0.2577, 27000), 0.0613, 0.319,
         DeviceElement::Instantaneous, DeviceElement::DefiniteTime, 11.585, 53.156},
        {"trip unit: instantaneous, then short time", {trip, 1, kDefaultMaxArcTime}, 0.0613, 0.319,
         DeviceElement::Instantaneous, DeviceElement::ShortTime, 11.585, 53.156},
        {"reduced current below the pickup: capped", Relay(26000, 5, 27000),    0.0613, 2,
         DeviceElement::Instantaneous, DeviceElement::Capped, 11.585, 53.156 * 2 / 0.319},
        {"half the current through the device", Relay(13000, 0.2577, std::nullopt, 2, 0.5), 0.319, 2,
         DeviceElement::DefiniteTime, DeviceElement::Capped, 11.585 * 0.319 / 0.0613, 53.156 * 2 / 0.319},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Ieee2018DeviceOutcome out =
            RunIeee2018WithDevice(D2Fields(), Build(r.device), UnitSettings{}, '.');
        ASSERT_EQ(RefusalText(out.outcome.refusal), "");
        EXPECT_NEAR(out.full.seconds, r.t, 1e-12);
        EXPECT_NEAR(out.reduced.seconds, r.tReduced, 1e-12);
        EXPECT_EQ(out.full.element, r.element);
        EXPECT_EQ(out.reduced.element, r.elementReduced);
        EXPECT_NEAR(out.outcome.inputs.arcTime, r.t, 1e-12);
        EXPECT_NEAR(out.outcome.inputs.arcTimeReduced, r.tReduced, 1e-12);
        EXPECT_NEAR(out.outcome.values.full.energy, r.e, 0.0015 * r.e / 11.585);
        EXPECT_NEAR(out.outcome.values.reduced.energy, r.eReduced, 0.0015 * r.eReduced / 53.156);
    }
}

TEST(Ieee2018Device, NoActionWithoutAMaximumRefusesThePoint) {
    const Ieee2018DeviceOutcome out = RunIeee2018WithDevice(
        D2Fields(), Build(Relay(26000, 0.2, std::nullopt, std::nullopt)), UnitSettings{}, '.');
    EXPECT_EQ(RefusalText(out.outcome.refusal),
              "Protective device does not operate at 25.244 kA arcing current. ");
    // The other inputs are checked first, as when the durations are typed.
    Ieee2018Fields f = D2Fields();
    f.voltage = "100";
    EXPECT_EQ(RefusalText(
                  RunIeee2018WithDevice(f, Build(Relay(1000, 0.2, std::nullopt)), UnitSettings{}, '.')
                      .outcome.refusal),
              msg::k2018VoltageLow);
}

TEST(Ieee2018Device, DurationTexts) {
    // clang-format off
    const struct { double seconds; char sep; const char* text; } rows[] = {
        {0.0613, '.', "0.0613"}, {0.319, ',', "0,319"}, {2, '.', "2"},
        {0.06125, '.', "0.0613"}, {0.00004, '.', "0"}, {120.5, '.', "120.5"},
    };
    // clang-format on
    for (const auto& r : rows) EXPECT_EQ(ArcDurationText(r.seconds, r.sep), r.text);
    EXPECT_EQ(ArcDurationCappedNote(2, '.'), "exposure limited to 2 s");
    EXPECT_EQ(ArcDurationCappedNote(0.5, ','), "exposure limited to 0,5 s");
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// Protective devices: each relay curve at M = 10 (the published check values)
// and at pickup, M = 20 and beyond; the trip unit at each band edge with and
// without its tolerance; the fuse curve at a point, between points, beyond
// both ends and at the 0.01 s floor; the arc-duration cap with and without
// "none"; the settings and words the builders refuse. Expected times are the
// curve formulas worked by hand, written beside each row.
#include "engine/protection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zentavo {
namespace {

constexpr double kNever = -1;  // expected: the device does not act

Relay BuildRelay(const RelaySettings& s) {
    Built<Relay> r = MakeRelay(s);
    EXPECT_EQ(RefusalText(r.refusal), "");
    return *r.device;
}

// Half a unit of the last digit written in `expected` (at least 1e-9).
void ExpectTrip(const DeviceTrip& trip, double expected, DeviceElement element, double half,
                const std::string& row) {
    if (expected == kNever) {
        EXPECT_FALSE(trip.Operates()) << row << ": acts in " << trip.seconds << " s";
        return;
    }
    EXPECT_NEAR(trip.seconds, expected, half) << row;
    EXPECT_EQ(DeviceElementWord(trip.element), DeviceElementWord(element)) << row;
}

TEST(ProtectionRelay, CurvesAtPickupAtTenTimesAndFlatAboveTwenty) {
    using enum RelayCurve;
    using E = DeviceElement;
    struct Row {
        RelayCurve curve;
        double dial, multiple;  // I = multiple x pickup (pickup 1000 A, no breaker time)
        double expected;        // s, by hand
        double half;
        E element;
    };
    // clang-format off
    const std::vector<Row> rows = {
        // The published checks: TMS / TD 1 at M = 10.
        {IecSI,  1,   10,   2.9706,  5e-5, E::Inverse},  // 0.14 / (10^0.02 - 1) = 0.14 / 0.047129
        {IecVI,  1,   10,   1.5,     1e-9, E::Inverse},  // 13.5 / 9
        {IecEI,  1,   10,   0.8081,  5e-5, E::Inverse},  // 80 / 99
        {IeeeVI, 1,   10,   0.6891,  5e-5, E::Inverse},  // 19.61 / 99 + 0.491 = 0.19808 + 0.491
        {IecLTI, 1,   10,   13.3333, 5e-5, E::Inverse},  // 120 / 9
        {IeeeMI, 1,   10,   1.2068,  5e-5, E::Inverse},  // 0.0515 / 0.047129 + 0.114
        {IeeeEI, 1,   10,   0.40655, 5e-6, E::Inverse},  // 28.2 / 99 + 0.1217
        // The dial scales the whole time.
        {IecSI,  0.1, 10,   0.29706, 5e-6, E::Inverse},  // 0.1 x 2.9706
        {IeeeVI, 2,   5,    2.6162,  5e-5, E::Inverse},  // 2 (19.61 / 24 + 0.491)
        // M = 20, and flat beyond it.
        {IecSI,  1,   20,   2.2674,  5e-5, E::Inverse},  // 0.14 / (20^0.02 - 1) = 0.14 / 0.061744
        {IecSI,  1,   100,  2.2674,  5e-5, E::Inverse},
        {IecVI,  1,   20,   0.71053, 5e-6, E::Inverse},  // 13.5 / 19
        {IecVI,  1,   40,   0.71053, 5e-6, E::Inverse},
        {IeeeEI, 1,   20,   0.19238, 5e-6, E::Inverse},  // 28.2 / 399 + 0.1217
        {IeeeEI, 1,   50,   0.19238, 5e-6, E::Inverse},
        {IeeeMI, 1,   25,   0.94806, 5e-6, E::Inverse},  // 0.0515 / 0.061744 + 0.114, at M = 20
        // At pickup and below it no element acts; just above it the curve is finite.
        {IecSI,  1,   1,    kNever,  0,    E::Inverse},
        {IeeeMI, 1,   1,    kNever,  0,    E::Inverse},
        {IecEI,  1,   0.5,  kNever,  0,    E::Inverse},
        {IecVI,  1,   1.01, 1350,    5e-7, E::Inverse},  // 13.5 / 0.01
        // Definite time: the dial in seconds, anywhere above pickup.
        {DT,     0.5, 1,    kNever,  0,    E::DefiniteTime},
        {DT,     0.5, 1.01, 0.5,     1e-12, E::DefiniteTime},
        {DT,     0.5, 50,   0.5,     1e-12, E::DefiniteTime},
    };
    // clang-format on
    for (const Row& r : rows) {
        const Relay relay = BuildRelay({r.curve, 1000, r.dial, {}, {}, 0});
        const std::string row = std::string(kRelayCurveWords[static_cast<int>(r.curve)]) +
                                " dial " + std::to_string(r.dial) + " M " +
                                std::to_string(r.multiple);
        ExpectTrip(relay.Trip(r.multiple * 1000), r.expected, r.element, r.half, row);
    }
}

TEST(ProtectionRelay, InstantaneousElementAndBreakerTime) {
    using E = DeviceElement;
    // IEC VI, pickup 400 A, TMS 0.1; instantaneous above 5000 A after 0.02 s;
    // the default breaker time 0.083 s added to whichever acts.
    const Relay relay = BuildRelay({RelayCurve::IecVI, 400, 0.1, 5000, 0.02});
    const Relay noDelay = BuildRelay({RelayCurve::IecVI, 400, 0.1, 5000, {}});
    struct Row {
        const Relay* relay;
        double amps, expected;
        E element;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {&relay,   4000, 0.233,  E::Inverse},        // 0.1 x 13.5 / 9 + 0.083
        {&relay,   5000, 0.20039, E::Inverse},       // at the inst pickup: 0.1 x 13.5 / 11.5 + 0.083 = 0.11739 + 0.083
        {&relay,   5001, 0.103,  E::Instantaneous},  // 0.02 + 0.083
        {&relay,   1e5,  0.103,  E::Instantaneous},
        {&noDelay, 6000, 0.083,  E::Instantaneous},  // no delay given: 0 + 0.083
        {&relay,   400,  kNever, E::Inverse},
    };
    // clang-format on
    for (const Row& r : rows) {
        ExpectTrip(r.relay->Trip(r.amps), r.expected, r.element, 5e-6,
                   "I = " + std::to_string(r.amps));
    }
}

TEST(ProtectionTripUnit, EachBandEdgeWithAndWithoutTolerance) {
    using E = DeviceElement;
    // In 800 A, LTPU 1 (Ir 800 A), LTD 10 s at 6 Ir = 4800 A; ST above
    // 4 Ir = 3200 A after 0.3 s; INST above 10 In = 8000 A in 0.05 s.
    const TripUnitSettings full{800, 1, 10, 4, 0.3, 10, {}, 0.1};
    TripUnitSettings exact = full;
    exact.tolerance = 0;
    const TripUnitSettings ltOnly{800, 1, 10, {}, {}, {}, {}, 0.1};
    const TripUnitSettings ltInst{800, 1, 10, {}, {}, 10, 0.03, 0.1};
    const TripUnitSettings noInst{800, 1, 10, 4, 0.3, {}, {}, 0.1};
    struct Row {
        const TripUnitSettings* unit;
        double amps, expected;
        E element;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {&full,   800,   kNever, E::LongTime},       // at Ir: no action
        {&full,   1600,  99,     E::LongTime},       // 10 (4800 / 1600)^2 x 1.1 = 90 x 1.1
        {&exact,  1600,  90,     E::LongTime},
        {&full,   3200,  24.75,  E::LongTime},       // at the ST pickup: 10 x 1.5^2 x 1.1
        {&full,   3201,  0.33,   E::ShortTime},      // 0.3 x 1.1
        {&exact,  3201,  0.3,    E::ShortTime},
        {&full,   8000,  0.33,   E::ShortTime},      // at the INST pickup
        {&full,   8001,  0.05,   E::Instantaneous},  // the clearing time, no tolerance
        {&exact,  8001,  0.05,   E::Instantaneous},
        {&ltOnly, 4800,  11,     E::LongTime},       // LTD at 6 Ir, x 1.1
        {&noInst, 30000, 0.2816, E::LongTime},       // 10 (4800 / 30000)^2 x 1.1 = 0.256 x 1.1, under ST's 0.33
        {&ltInst, 8001,  0.03,   E::Instantaneous},  // its own clearing time
        {&ltInst, 8000,  3.96,   E::LongTime},       // 10 x 0.6^2 x 1.1
    };
    // clang-format on
    for (const Row& r : rows) {
        Built<TripUnit> unit = MakeTripUnit(*r.unit);
        ASSERT_EQ(RefusalText(unit.refusal), "");
        ExpectTrip(
            unit.device->Trip(r.amps), r.expected, r.element, 5e-9,
            "I = " + std::to_string(r.amps) + " tolerance " + std::to_string(r.unit->tolerance));
    }
}

// The long- and short-time bands, extrapolated to high currents, would
// clear in a few milliseconds; no element clears faster than the
// instantaneous clearing time (0.05 s unless given), with or without an
// instantaneous element. Rating 100 A, LTPU 1, LTD 10 s: t = 10 x (600 /
// I)^2 x 1.1 = 3.96E6 / I^2, which meets 0.05 s at 600 sqrt(220) = 8899.44 A
// and 0.03 s at 600 sqrt(366.67) = 11489.1 A.
TEST(ProtectionTripUnit, NoElementClearsFasterThanTheInstantaneousClearingTime) {
    using E = DeviceElement;
    const TripUnitSettings ltOnly{100, 1, 10, {}, {}, {}, {}, 0.1};
    const TripUnitSettings withInst{100, 1, 10, {}, {}, 10, {}, 0.1};    // INST above 1000 A
    const TripUnitSettings fastInst{100, 1, 10, 4, 0.01, 10, 0.03, 0.1}; // ST above 400 A, 0.011 s
    const TripUnitSettings fastSt{100, 1, 10, 4, 0.04, {}, {}, 0.1};     // ST 0.044 s, no INST
    const TripUnitSettings large{800, 1, 10, 4, 0.3, {}, {}, 0.1};       // meets 0.05 s at 71195 A
    struct Row {
        const TripUnitSettings* unit;
        double amps, expected;
        E element;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {&ltOnly,   4000,    0.2475,  E::LongTime},       // 3.96E6 / 4000^2, below the floor's current
        {&ltOnly,   8899.4,  0.05,    E::LongTime},       // 3.96E6 / 8899.4^2 = 0.0500004: where it meets
        {&ltOnly,   8900,    0.05,    E::LongTime},       // 0.04999 held at 0.05
        {&ltOnly,   26685,   0.05,    E::LongTime},       // 0.00556 held at 0.05
        {&ltOnly,   1e6,     0.05,    E::LongTime},
        {&withInst, 1000,    3.96,    E::LongTime},       // at the INST pickup
        {&withInst, 1001,    0.05,    E::Instantaneous},
        {&withInst, 26685,   0.05,    E::Instantaneous},  // the band's 0.00556 s is not faster
        {&fastInst, 500,     0.03,    E::ShortTime},      // 0.011 held at 0.03
        {&fastInst, 1001,    0.03,    E::Instantaneous},
        {&fastInst, 26685,   0.03,    E::Instantaneous},
        {&fastSt,   401,     0.05,    E::ShortTime},      // 0.044 held at 0.05
        {&fastSt,   26685,   0.05,    E::LongTime},       // the band's 0.00556 s, faster than ST's 0.044 s
        {&large,    60000,   0.0704,  E::LongTime},       // 10 x (4800 / 60000)^2 x 1.1, under ST's 0.33
        {&large,    100000,  0.05,    E::LongTime},       // 0.025344 held at 0.05
    };
    // clang-format on
    for (const Row& r : rows) {
        Built<TripUnit> unit = MakeTripUnit(*r.unit);
        ASSERT_EQ(RefusalText(unit.refusal), "");
        ExpectTrip(unit.device->Trip(r.amps), r.expected, r.element, 5e-6,
                   "In " + std::to_string(r.unit->rating) + " I = " + std::to_string(r.amps));
    }
    // Where the long-time band meets the floor.
    EXPECT_NEAR(MakeTripUnit(ltOnly).device->LongTimeFloorAmps(), 8899.44, 5e-3);
    EXPECT_NEAR(MakeTripUnit(fastInst).device->LongTimeFloorAmps(), 11489.1, 5e-2);
}

TEST(ProtectionFuse, InterpolatedInLogLogWithTheFloor) {
    // A curve reaching below 0.01 s, and one that ends above it.
    const std::string toFloor = "100:300 200:20 1000:0.1 4000:0.004";
    const std::string ending = "100:300  200:20\t1000:0.1";
    struct Row {
        const std::string* curve;
        double amps, expected, half;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {&toFloor, 99.9,    kNever,  0},       // below the first current
        {&toFloor, 100,     300,     1e-9},    // the first point
        {&toFloor, 200,     20,      1e-9},    // a point
        {&toFloor, 141.42136, 77.460, 5e-4},    // 100 sqrt 2, halfway in log I: sqrt(300 x 20)
        {&toFloor, 447.21360, 1.41421, 5e-5},    // sqrt(200 x 1000): sqrt(20 x 0.1)
        {&toFloor, 2000,    0.02,    1e-9},    // 0.1 x (2000/1000)^(ln 0.04 / ln 4) = 0.1 x 0.2
        {&toFloor, 2828.43, 0.01,    1e-12},   // sqrt(0.02 x 0.004) = 0.0089 -> floor
        {&toFloor, 4000,    0.01,    1e-12},   // 0.004 -> floor
        {&toFloor, 1e6,     0.01,    1e-12},
        {&ending,  1000,    0.1,     1e-9},    // the last point
        {&ending,  50000,   0.1,     1e-9},    // above the last current: the last time
    };
    // clang-format on
    for (const Row& r : rows) {
        Built<FuseCurve> fuse = ParseFuseCurve(*r.curve, '.');
        ASSERT_EQ(RefusalText(fuse.refusal), "") << *r.curve;
        ExpectTrip(fuse.device->Trip(r.amps), r.expected, DeviceElement::Curve, r.half,
                   *r.curve + " at " + std::to_string(r.amps));
    }
}

TEST(ProtectionFuse, CurvesRefusedWithWhatIsWrong) {
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"100:300",            "fuse_curve: needs at least two points"},
        {"",                   "fuse_curve: needs at least two points"},
        {"100:300 100:20",     "fuse_curve: point 2: current must be above the point before"},
        // Logarithms equal in a double: a segment without a slope.
        {"100:10 100.00000000000001:1 1000:0.1",
         "fuse_curve: point 2: current must be above the point before by more than 1e-9 of it"},
        {"100:10 100.0000001:1 1000:0.1",  // 1e-9 of 100 A is 1e-7 A: just at the step
         "fuse_curve: point 2: current must be above the point before by more than 1e-9 of it"},
        {"100:10 100.0000002:1 1000:0.1",   ""},  // two steps above: taken
        {"100:300 200:400",    "fuse_curve: point 2: time must be below the point before"},
        {"100:300 200:0",      "fuse_curve: point 2: time must be above 0"},
        {"100:300 200;20",     "fuse_curve: point 2: '200;20' is not current:time"},
        {"100:300 200:20:1",   "fuse_curve: point 2: '200:20:1' is not current:time"},
        {"100,5:300 200:20",   "fuse_curve: point 1: '100,5' is not a valid floating point value"},
        {"100:300 2e3:x",      "fuse_curve: point 2: 'x' is not a valid floating point value"},
    };
    // clang-format on
    for (const auto& [text, message] : rows) {
        const Built<FuseCurve> curve = ParseFuseCurve(text, '.');
        EXPECT_EQ(RefusalText(curve.refusal), message) << text;
        if (!curve.device) continue;
        for (const CurvePoint& p : curve.device->Points()) {
            EXPECT_DOUBLE_EQ(curve.device->Trip(p.current).seconds, p.time) << text;
        }
    }
}

TEST(ProtectionFuse, CurvesByNameFromACurveSet) {
    // Points of a name in the order given, wherever they stand.
    const std::vector<NamedCurvePoint> rows = {{"MCC-30A", 60, 100},
                                               {"LPA-200", 400, 50},
                                               {"MCC-30A", 300, 0.05},
                                               {"LPA-200", 2000, 0.02}};
    Built<CurveSet> set = MakeCurveSet(rows);
    ASSERT_EQ(RefusalText(set.refusal), "");
    EXPECT_EQ(set.device->size(), 2u);
    Built<FuseCurve> mcc = ResolveFuseCurve("MCC-30A", '.', &*set.device);
    ASSERT_EQ(RefusalText(mcc.refusal), "");
    EXPECT_DOUBLE_EQ(mcc.device->Trip(300).seconds, 0.05);
    EXPECT_EQ(RefusalText(ResolveFuseCurve("MCC-60A", '.', &*set.device).refusal),
              "fuse_curve: no curve named 'MCC-60A' in the curves file");
    EXPECT_EQ(RefusalText(ResolveFuseCurve("MCC-30A", '.', nullptr).refusal),
              "fuse_curve: 'MCC-30A' names a curve, and no curves file is loaded");
    EXPECT_EQ(RefusalText(ResolveFuseCurve("", '.', &*set.device).refusal),
              "fuse_curve: empty; give points current:time or a curve's name");
    // Inline points need no curves file.
    EXPECT_EQ(RefusalText(ResolveFuseCurve("60:100 300:0.05", '.', nullptr).refusal), "");
    const std::vector<NamedCurvePoint> bad = {{"X", 60, 100}, {"X", 50, 10}, {"Y", 1, 1}};
    EXPECT_EQ(RefusalText(MakeCurveSet(bad).refusal),
              "curve 'X': point 2: current must be above the point before; "
              "curve 'Y': needs at least two points");
}

TEST(ProtectionDuration, CapShareAndNoCap) {
    using E = DeviceElement;
    // IEC SI, pickup 1000 A, TMS 1, no breaker time: 10.029 s at M = 2
    // (0.14 / (2^0.02 - 1) = 0.14 / 0.013959); never at 12.345 kA.
    const RelaySettings si{RelayCurve::IecSI, 1000, 1, {}, {}, 0};
    const RelaySettings high{RelayCurve::IecSI, 20000, 1, {}, {}, 0};
    const RelaySettings twoSeconds{RelayCurve::DT, 1000, 2, {}, {}, 0};
    struct Row {
        RelaySettings relay;
        double share;
        std::optional<double> maxArcTime;
        double arcingKa;
        double seconds;  // the duration used
        E element;
        std::string refusal;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {si,         1,   2,            2,      2,      E::Capped,       ""},  // 10.029 s > 2 s
        {si,         1,   std::nullopt, 2,      10.029, E::Inverse,      ""},
        {si,         1,   20,           2,      10.029, E::Inverse,      ""},
        {si,         0.5, 20,           4,      10.029, E::Inverse,      ""},  // sees 2000 A
        {twoSeconds, 1,   2,            5,      2,      E::DefiniteTime, ""},  // at the maximum: not capped
        {high,       1,   2,            12.345, 2,      E::Capped,       ""},  // no action: the maximum
        {high,       1,   std::nullopt, 12.345, 0,      E::DoesNotOperate,
         "Protective device does not operate at 12.345 kA arcing current. "},
        {si,         0.5, std::nullopt, 1.9996, 0,      E::DoesNotOperate,     // sees 999.8 A
         "Protective device does not operate at 2.000 kA arcing current. "},
    };
    // clang-format on
    for (const Row& r : rows) {
        Built<ProtectiveDevice> d = MakeProtectiveDevice({r.relay, r.share, r.maxArcTime});
        ASSERT_EQ(RefusalText(d.refusal), "");
        const ArcDuration a = d.device->Duration(r.arcingKa, '.');
        const std::string row = "Iarc " + std::to_string(r.arcingKa) + " kA";
        EXPECT_NEAR(a.seconds, r.seconds, 5e-4) << row;
        EXPECT_EQ(DeviceElementWord(a.element), DeviceElementWord(r.element)) << row;
        EXPECT_EQ(a.Capped(), r.element == E::Capped) << row;
        EXPECT_EQ(RefusalText(a.refusal), r.refusal) << row;
    }
    // The capped row still tells what the device itself would do.
    Built<ProtectiveDevice> d = MakeProtectiveDevice({si, 1, 2});
    EXPECT_NEAR(d.device->Duration(2, '.').device.seconds, 10.029, 5e-4);
}

TEST(ProtectionWords, KnownWordsReadUnknownRefused) {
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"relay_curve", "IEC-XI"}, {"relay_curve", "iec-si"}, {"relay_curve", ""},
        {"relay_curve", "IEC-SI "}, {"device_type", "fuse"}, {"device_type", "breaker"},
        {"device_type", "Relay"}, {"device_type", ""},
    };
    // clang-format on
    for (const auto& [column, word] : refused) {
        const std::string error =
            RefusalText(column == "relay_curve" ? ReadRelayCurve(word).refusal
                                                : ReadDeviceType(word).refusal);
        EXPECT_EQ(error, column + ": unknown value \"" + word + "\"");
    }
    EXPECT_EQ(ReadRelayCurve("IEEE-MI").device, RelayCurve::IeeeMI);
    EXPECT_EQ(ReadRelayCurve("IEC-LTI").device, RelayCurve::IecLTI);
    EXPECT_EQ(ReadRelayCurve("DT").device, RelayCurve::DT);
    EXPECT_EQ(ReadDeviceType("relay").device, DeviceType::Relay);
    EXPECT_EQ(ReadDeviceType("trip-unit").device, DeviceType::TripUnit);
    EXPECT_EQ(ReadDeviceType("fuse-curve").device, DeviceType::FuseCurve);

    // max_arc_time: empty is 2 s, "none" is no maximum, anything else seconds above 0.
    EXPECT_EQ(ReadMaxArcTime("", '.').device, std::optional<double>(2));
    const Built<std::optional<double>> none = ReadMaxArcTime("none", '.');
    ASSERT_TRUE(none.device.has_value());
    EXPECT_FALSE(none.device->has_value());
    EXPECT_EQ(ReadMaxArcTime("1.5", '.').device, std::optional<double>(1.5));
    EXPECT_EQ(RefusalText(ReadMaxArcTime("0", '.').refusal), "max_arc_time: must be above 0");
    EXPECT_EQ(RefusalText(ReadMaxArcTime("None", '.').refusal),
              "max_arc_time: 'None' is not a valid floating point value or \"none\"");
}

// Settings that no device offers are computed as typed, each with a caution
// naming its column and value; each bound just inside (no caution) and just
// outside. Relay: IEC-SI, pickup 400 A, TMS 0.1. Trip unit: In 800 A, LTPU
// 1 (Ir 800 A), LTD 10 s.
TEST(ProtectionSettings, CautionsOfSettingsNoDeviceOffers) {
    auto relay = [](double pickup, double dial, std::optional<double> inst) {
        return RelaySettings{RelayCurve::IecSI, pickup, dial, inst, {}};
    };
    auto trip = [](double lt, std::optional<double> st, std::optional<double> inst) {
        return TripUnitSettings{800, lt, 10, st, st ? std::optional<double>(0.3) : std::nullopt, inst, {}, 0.1};
    };
    auto fuse = [](double firstTime) {
        const CurvePoint points[] = {{100, firstTime}, {200, 20}, {1000, 0.1}};
        return *MakeFuseCurve(points, "fuse_curve").device;
    };
    using Device = decltype(DeviceSettings::device);
    struct Row {
        Device device;
        char sep;
        std::vector<std::string> cautions;
    };
    const std::string check = ": check the setting";
    // clang-format off
    const std::vector<Row> rows = {
        {relay(400, 0.1, {}),    '.', {}},
        {relay(1, 0.1, {}),      '.', {}},
        {relay(0.99, 0.1, {}),   '.', {"relay_pickup: 0.99 A is below 1 A primary" + check}},
        {relay(400, 0.01, {}),   '.', {}},
        {relay(400, 0.0099, {}), '.', {"relay_time_dial: 0.0099 is outside 0.01 to 20" + check}},
        {relay(400, 20, {}),     '.', {}},
        {relay(400, 20.01, {}),  '.', {"relay_time_dial: 20.01 is outside 0.01 to 20" + check}},
        {relay(400, 0.1, 400),   '.', {}},
        {relay(400, 0.1, 399.99), '.', {"relay_inst_pickup: 399.99 A is below the pickup (400 A)" + check}},
        {relay(400, 0.1, 0.05),  ',', {"relay_inst_pickup: 0,05 A is below the pickup (400 A)" + check}},
        {relay(0.5, 25, {}),     '.', {"relay_pickup: 0.5 A is below 1 A primary" + check,
                                       "relay_time_dial: 25 is outside 0.01 to 20" + check}},
        {trip(0.4, {}, {}),      '.', {}},
        {trip(0.39, {}, {}),     '.', {"trip_lt_pickup: 0.39 is outside 0.4 to 1 of the rating" + check}},
        {trip(1, {}, {}),        '.', {}},
        {trip(1.01, {}, {}),     '.', {"trip_lt_pickup: 1.01 is outside 0.4 to 1 of the rating" + check}},
        {trip(1, 1, 1),          '.', {}},
        {trip(1, 0.99, {}),      '.', {"trip_st_pickup: 0.99 (792 A) is below the long-time pickup (800 A)" + check}},
        {trip(1, {}, 0.99),      '.', {"trip_inst_pickup: 0.99 (792 A) is below the long-time pickup (800 A)" + check}},
        // The instantaneous pickup in multiples of In, the long-time of In too: Ir = 400 A.
        {trip(0.5, {}, 0.5),     '.', {}},
        {trip(0.5, {}, 0.45),    ',', {"trip_inst_pickup: 0,45 (360 A) is below the long-time pickup (400 A)" + check}},
        {fuse(10000),            '.', {}},
        {fuse(10000.5),          '.', {"fuse_curve: point 1: 10000.5 s is above 10000 s: check the curve"}},
    };
    // clang-format on
    for (const Row& r : rows) {
        const Built<ProtectiveDevice> d = MakeProtectiveDevice({r.device, 1, 2}, r.sep);
        ASSERT_EQ(RefusalText(d.refusal), "");
        ASSERT_TRUE(d.device.has_value());
        EXPECT_EQ(d.cautions, r.cautions) << (r.cautions.empty() ? "none" : r.cautions[0]);
    }
}

TEST(ProtectionSettings, RefusedWhenBuilt) {
    RelaySettings relay{RelayCurve::IeeeVI, 0, 1, {}, 0.05, -0.1};
    TripUnitSettings trip{800, 1, 10, 4, {}, {}, 0.05, 10};
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> rows = {
        {RefusalText(MakeRelay(relay).refusal),
         "relay_pickup: must be above 0; relay_inst_delay: needs relay_inst_pickup; "
         "breaker_time: must be 0 or above"},
        {RefusalText(MakeTripUnit(trip).refusal),
         "trip_st_delay: needed with trip_st_pickup; trip_inst_time: needs trip_inst_pickup; "
         "trip_tolerance: must be from 0 to 1"},
        {RefusalText(
             MakeProtectiveDevice({RelaySettings{RelayCurve::DT, 100, 1, {}, {}}, 0, 2}).refusal),
         "device_share: must be above 0 and at most 1"},
        {RefusalText(
             MakeProtectiveDevice({RelaySettings{RelayCurve::DT, 100, 1, {}, {}}, 1.5, 0}).refusal),
         "device_share: must be above 0 and at most 1; max_arc_time: must be above 0"},
        {RefusalText(MakeRelay({RelayCurve::DT, 100, NAN, {}, {}}).refusal),
         "relay_time_dial: must be a finite number"},
    };
    // clang-format on
    for (const auto& [error, expected] : rows) EXPECT_EQ(error, expected);
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// A point kept for the PDFs carries its own device and those that opened in
// its steps: read back, each is the same device, so the report's curves are
// those the run computed with, never a device built again from a row's texts.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/protection.h"
#include "study/point_record.h"

namespace zentavo {
namespace {

std::shared_ptr<const ProtectiveDevice> Device(DeviceSettings s) {
    Built<ProtectiveDevice> b = MakeProtectiveDevice(s);
    EXPECT_TRUE(b.device) << RefusalText(b.refusal);
    return std::make_shared<const ProtectiveDevice>(std::move(*b.device));
}

TEST(PointRecord, DevicesReadBackTripAsTheRunsDid) {
    RelaySettings relay;
    relay.curve = RelayCurve::IeeeVI;
    relay.pickup = 400;
    relay.timeDial = 2;
    relay.instPickup = 6000;
    TripUnitSettings trip;
    trip.rating = 3000;
    trip.ltPickup = 1;
    trip.ltDelay = 10;
    trip.stPickup = 3;
    trip.stDelay = 0.3;
    const std::array<CurvePoint, 3> points = {{{100, 100}, {1000, 1}, {10000, 0.01}}};
    DeviceSettings withFuse;
    withFuse.device = *MakeFuseCurve(points, "fuse_curve").device;
    withFuse.deviceShare = 0.5;
    withFuse.maxArcTime = std::nullopt;
    DeviceSettings withRelay, withTrip;
    withRelay.device = relay;
    withTrip.device = trip;
    withTrip.maxArcTime = 1.5;
    // A breaker tripped by its arc-flash relay alone (picks up between the currents tried).
    DeviceSettings relayAlone;
    relayAlone.device = NoCurve{};
    relayAlone.arcFlashRelay = ArcFlashRelaySettings{2000, 0.035};

    for (const DeviceSettings& own : {withRelay, withTrip, withFuse, relayAlone}) {
        PointResult p;
        p.status = PointStatus::Computed;
        p.device = Device(own);
        PointStep step;
        step.opened = {3, 7};
        step.openedDevices = {Device(withTrip), Device(withFuse)};
        p.full.steps = {step, PointStep{}};
        std::string records;
        AppendPointRecord(records, "MCC-1", StudyRowInputs{}, p);
        std::string_view in = records;
        PointRecord back;
        ASSERT_TRUE(ReadPointRecord(in, back));
        EXPECT_TRUE(in.empty());
        const std::vector<std::shared_ptr<const ProtectiveDevice>> before = {p.device, step.openedDevices[0],
                                                                            step.openedDevices[1]};
        const std::vector<std::shared_ptr<const ProtectiveDevice>> after = {
            back.result.device, back.result.full.steps.at(0).openedDevices.at(0),
            back.result.full.steps.at(0).openedDevices.at(1)};
        EXPECT_EQ(back.result.full.steps.at(1).openedDevices.size(), 0u);
        for (std::size_t d = 0; d < before.size(); ++d) {
            ASSERT_TRUE(after[d]);
            EXPECT_EQ(after[d]->Type(), before[d]->Type());
            EXPECT_EQ(after[d]->Share(), before[d]->Share());
            EXPECT_EQ(after[d]->MaxArcTime(), before[d]->MaxArcTime());
            for (double amps : {50.0, 450.0, 2500.0, 12000.0, 90000.0}) {
                EXPECT_EQ(after[d]->TripAt(amps).seconds, before[d]->TripAt(amps).seconds) << d << " at " << amps;
                EXPECT_EQ(after[d]->TripAt(amps).element, before[d]->TripAt(amps).element) << d << " at " << amps;
            }
        }
    }
}

}  // namespace
}  // namespace zentavo

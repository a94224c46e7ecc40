// SPDX-License-Identifier: GPL-3.0-or-later
// A fault solved again as elements are taken out: on a meshed plant, every
// set of elements out gives the fault current and the currents of the
// elements left that the same network built without them gives; a fault
// whose last source is taken out is dead; the nearest devices on each path.
#include "network/fault_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zentavo::network {
namespace {

// HV 13.8 kV source; T1 to A and T2 (on a +2.5 % tap) to B (480 V); a cable tie A–B; motors
// at A and at B; a generator at B; a feeder cable A–F to a panel with
// motors of its own.
NetworkInput Plant() {
    NetworkInput in;
    in.sources = {{"U", "HV", 13.8, 25, 15, 15}};
    in.buses = {{"A", 0.48, ""}, {"B", 0.48, ""}, {"F", 0.48, ""}};
    in.transformers = {{"T1", "HV", "A", 2000, 5.75, 6}, {"T2", "HV", "B", 1500, 5.75, 6, 0, 0, 2.5}};
    in.cables = {{"TIE", "A", "B", 20, 0.06, 0.09, 4}, {"FDR", "A", "F", 40, 0.13, 0.08, 2}};
    in.motors = {{"MA", "A", 300, 0.2, 10}, {"MB", "B", 200, 0.17, 12}, {"MF", "F", 150, 0.2, 8}};
    in.generators = {{"G", "B", 500, 0.48, 0.15}};
    return in;
}

// The plant without the named elements (and, with `motors` false, without motors).
NetworkInput Without(const std::vector<std::string>& out, bool motors) {
    NetworkInput in = Plant();
    auto drop = [&](auto& list) {
        std::erase_if(list, [&](const auto& e) { return std::find(out.begin(), out.end(), e.name) != out.end(); });
    };
    drop(in.transformers);
    drop(in.cables);
    drop(in.generators);
    drop(in.motors);
    if (!motors) in.motors.clear();
    return in;
}

std::optional<FaultSteps::Element> FindByName(const FaultSteps& s, const NetworkInput& in, const std::string& name) {
    for (std::size_t i = 0; i < in.transformers.size(); ++i)
        if (in.transformers[i].name == name) return s.Find(ElementKind::Transformer, i);
    for (std::size_t i = 0; i < in.cables.size(); ++i)
        if (in.cables[i].name == name) return s.Find(ElementKind::Cable, i);
    for (std::size_t i = 0; i < in.motors.size(); ++i)
        if (in.motors[i].name == name) return s.Find(ElementKind::Motor, i);
    for (std::size_t i = 0; i < in.generators.size(); ++i)
        if (in.generators[i].name == name) return s.Find(ElementKind::Generator, i);
    return std::nullopt;
}

TEST(FaultSteps, ElementsOutAsTheNetworkBuiltWithoutThem) {
    struct Outage {
        const char* fault;
        std::vector<std::string> out;
        bool motorsEnd;
        bool sourcesFeed;  // a source or the generator still feeds the fault
    };
    const std::vector<Outage> outages = {
        {"A", {}, false, true},
        {"A", {"T1"}, false, true},
        {"A", {"T1", "TIE"}, false, false},  // A then fed by its motor and the panel's alone
        {"A", {"FDR"}, false, true},
        {"A", {}, true, true},
        {"A", {"T1"}, true, true},
        {"A", {"TIE", "MA"}, true, true},
        {"B", {"T2", "G"}, false, true},
        {"F", {"FDR"}, false, false},  // the panel's own motor alone
        {"B", {"TIE", "G"}, true, true},
    };
    const NetworkInput plant = Plant();
    const Network net(plant);
    for (Case c : {Case::Max, Case::Min}) {
        const FaultSteps steps(net, SolveOptions{}, c);
        for (const Outage& o : outages) {
            const std::string what = std::string(o.fault) + " without " + std::to_string(o.out.size()) +
                                     (o.motorsEnd ? " and the motors" : "") + (c == Case::Min ? " (min)" : "");
            FaultSteps::Fault f = steps.At(o.fault);
            ASSERT_TRUE(f.Live()) << what;
            for (const std::string& name : o.out) f.TakeOut(*FindByName(steps, plant, name));
            if (o.motorsEnd) f.EndMotors();
            EXPECT_EQ(f.SourcesFeed(), o.sourcesFeed) << what;
            if (!o.sourcesFeed) continue;  // motors alone: no network to compare with (below)
            const NetworkInput rest = Without(o.out, !o.motorsEnd);
            const Network expected(rest);
            const ShortCircuitResults solved = expected.Solve(SolveOptions{});
            const BusResult* bus = solved.FindBus(o.fault);
            ASSERT_TRUE(bus && bus->computed) << what;
            EXPECT_NEAR(f.Ka(), c == Case::Max ? bus->ka_max : bus->ka_min, 1e-9 * f.Ka()) << what;
            // What each element left carries, at each end.
            const FaultSteps restSteps(expected, SolveOptions{}, c);
            for (const ElementFlow& e : expected.FaultFlows(SolveOptions{}, c, o.fault)) {
                if (e.kind != ElementKind::Transformer && e.kind != ElementKind::Cable) continue;
                const std::string& name = e.kind == ElementKind::Cable ? rest.cables[e.index].name
                                                                       : rest.transformers[e.index].name;
                const auto element = FindByName(steps, plant, name);
                EXPECT_NEAR(f.Carries(*element), e.kaFrom, 1e-9 * f.Ka() + 1e-12) << what << ": " << name;
            }
        }
    }
}

TEST(FaultSteps, LastSourceOutLeavesTheFaultDead) {
    const NetworkInput plant = Plant();
    const Network net(plant);
    const FaultSteps steps(net, SolveOptions{}, Case::Max);
    FaultSteps::Fault f = steps.At("F");
    f.TakeOut(*FindByName(steps, plant, "FDR"));
    // The panel's motor alone: 150 kVA, x 0.2 per unit, X/R 8 at 480 V:
    // 0.150/(√3·0.48)/(0.2·√(1 + 1/64)) = 0.89514 kA.
    EXPECT_NEAR(f.Ka(), 0.89514, 0.00001);
    EXPECT_FALSE(f.SourcesFeed());  // and nothing else
    EXPECT_TRUE(f.MotorsFeed());
    f.EndMotors();
    EXPECT_EQ(f.Ka(), 0);
    EXPECT_FALSE(steps.At("NOWHERE").Live());
}

// Nearest devices: with devices on T1, TIE and FDR, a fault at A is cut by
// T1, TIE and FDR (the panel's motor backfeeds through it) and nothing
// behind them; without a device on TIE, T2 and the generator behind it.
TEST(FaultSteps, NearestDevicesOnEachPath) {
    const NetworkInput plant = Plant();
    const Network net(plant);
    const FaultSteps steps(net, SolveOptions{}, Case::Max);
    using K = ElementKind;
    auto names = [&](const std::vector<std::pair<K, std::size_t>>& found) {
        std::vector<std::string> out;
        for (auto [kind, i] : found) {
            out.push_back(kind == K::Transformer ? plant.transformers[i].name
                          : kind == K::Cable     ? plant.cables[i].name
                          : kind == K::Generator ? plant.generators[i].name
                                                 : "?");
        }
        std::sort(out.begin(), out.end());
        return out;
    };
    const FaultSteps::Fault a = steps.At("A");
    EXPECT_EQ(names(steps.Nearest(a, [](K k, std::size_t) { return k == K::Transformer || k == K::Cable; })),
              (std::vector<std::string>{"FDR", "T1", "TIE"}));
    EXPECT_EQ(names(steps.Nearest(a, [](K k, std::size_t i) {
                  return k == K::Transformer || (k == K::Cable && i == 1) || k == K::Generator;
              })),
              (std::vector<std::string>{"FDR", "G", "T1", "T2"}));
}

}  // namespace
}  // namespace zentavo::network

// SPDX-License-Identifier: GPL-3.0-or-later
// A fault solved again as elements are taken out: on a meshed plant, every
// set of elements out gives the fault current and the currents of the
// elements left that the same network built without them gives; a fault
// whose last source is taken out is dead; the nearest devices on each path.
#include "network/fault_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
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
    in.transformers = {{"T1", "HV", "A", 2000, 5.75, 6},
                       {"T2", "HV", "B", 1500, 5.75, 6, 0, 0, 2.5}};
    in.cables = {{"TIE", "A", "B", 20, 0.06, 0.09, 4}, {"FDR", "A", "F", 40, 0.13, 0.08, 2}};
    in.motors = {{"MA", "A", 300, 0.2, 10}, {"MB", "B", 200, 0.17, 12}, {"MF", "F", 150, 0.2, 8}};
    in.generators = {{"G", "B", 500, 0.48, 0.15}};
    return in;
}

// The plant without the named elements (and, with `motors` false, without motors).
NetworkInput Without(const std::vector<std::string>& out, bool motors) {
    NetworkInput in = Plant();
    auto drop = [&](auto& list) {
        std::erase_if(list, [&](const auto& e) {
            return std::find(out.begin(), out.end(), e.name) != out.end();
        });
    };
    drop(in.transformers);
    drop(in.cables);
    drop(in.generators);
    drop(in.motors);
    if (!motors) in.motors.clear();
    return in;
}

std::optional<FaultSteps::Element> FindByName(const FaultSteps& s, const NetworkInput& in,
                                              const std::string& name) {
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
        // Each outage starts from a copy of its bus's fault whose voltages
        // were all read with every element in: the copy shares what they
        // were until its own state changes.
        std::map<std::string, FaultSteps::Fault> read;
        for (const char* bus : {"A", "B", "F"}) {
            const FaultSteps::Fault f = read.emplace(bus, steps.At(bus)).first->second;
            for (const auto& t : plant.transformers) f.Carries(*FindByName(steps, plant, t.name));
            for (const auto& cb : plant.cables) f.Carries(*FindByName(steps, plant, cb.name));
        }
        for (const Outage& o : outages) {
            const std::string what =
                std::string(o.fault) + " without " + std::to_string(o.out.size()) +
                (o.motorsEnd ? " and the motors" : "") + (c == Case::Min ? " (min)" : "");
            FaultSteps::Fault f = read.at(o.fault);
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
                const std::string& name = e.kind == ElementKind::Cable
                                              ? rest.cables[e.index].name
                                              : rest.transformers[e.index].name;
                const auto element = FindByName(steps, plant, name);
                EXPECT_NEAR(f.Carries(*element), e.kaFrom, 1e-9 * f.Ka() + 1e-12)
                    << what << ": " << name;
            }
        }
    }
}

// Random meshed 480 V networks with closed ties and motors, fed by a
// transformer and a generator, large enough that the factor has a dense
// last block: the fault current and what every element carries after
// cables are taken out, one after another, are those of the network built
// without them, and the motors' feed found by the search outward from the
// fault is any motor's part above nothing.
TEST(FaultSteps, RandomMeshedNetworksAsBuiltWithoutTheElementsOut) {
    // clang-format off
    const std::tuple<int, int, unsigned> rows[] = {
        // buses  extra cables  seed
        {12,      2,            11},
        {60,      12,           12},
        {150,     40,           13},
    };
    // clang-format on
    for (const auto& [n, extra, seed] : rows) {
        SCOPED_TRACE(n);
        std::mt19937 rng(seed);
        auto pick = [&](int below) {
            return std::uniform_int_distribution<int>(0, below - 1)(rng);
        };
        NetworkInput in;
        in.sources = {{"U", "HV", 13.8, 25, 15, 15}};
        in.transformers = {{"T", "HV", "B0", 2500, 5.75, 7}};
        in.buses = {{"B0", 0.48, ""}};
        for (int b = 1; b < n; ++b) {
            const std::string bus = "B" + std::to_string(b);
            in.buses.push_back({bus, 0.48, ""});
            const bool tie = b % 7 == 3;  // a closed tie: the two buses are one
            in.cables.push_back({"C" + std::to_string(b), "B" + std::to_string(pick(b)), bus,
                                 5.0 + pick(60), tie ? 0 : 0.2, tie ? 0 : 0.08, 2});
            if (b % 5 == 0) in.motors.push_back({"M" + std::to_string(b), bus, 50.0 + pick(200)});
        }
        for (int e = 0; e < extra; ++e) {
            const int a = 1 + pick(n - 1), b = pick(a);
            in.cables.push_back({"X" + std::to_string(e), "B" + std::to_string(a),
                                 "B" + std::to_string(b), 80, 0.2, 0.08, 1});
        }
        in.generators = {{"G", "B" + std::to_string(n / 2), 500, 0.48, 0.15}};
        const Network net(in);
        for (Case c : {Case::Max, Case::Min}) {
            const FaultSteps steps(net, SolveOptions{}, c);
            for (int trial = 0; trial < 8; ++trial) {
                const std::string bus = "B" + std::to_string(pick(n));
                FaultSteps::Fault f = steps.At(bus);
                ASSERT_TRUE(f.Live()) << bus;
                // Up to three cables with an impedance out, in the order taken out.
                std::vector<std::string> out;
                for (int k = 0; k < 1 + trial % 3; ++k) {
                    const std::size_t i =
                        static_cast<std::size_t>(pick(static_cast<int>(in.cables.size())));
                    const auto element = steps.Find(ElementKind::Cable, i);
                    if (!element) continue;  // a closed tie
                    f.TakeOut(*element);
                    out.push_back(in.cables[i].name);
                }
                if (trial % 4 == 3) f.EndMotors();
                const std::string what = bus + " without " + std::to_string(out.size()) +
                                         " cables, trial " + std::to_string(trial) +
                                         (c == Case::Min ? " (min)" : "");
                bool motorFeeds = false;
                for (std::size_t m = 0; m < in.motors.size(); ++m)
                    motorFeeds = motorFeeds || f.Part(*steps.Find(ElementKind::Motor, m)) > 1e-9;
                EXPECT_EQ(f.MotorsFeed(), motorFeeds) << what;
                if (!f.SourcesFeed()) continue;
                NetworkInput rest = in;
                std::erase_if(rest.cables, [&](const Cable& cb) {
                    return std::find(out.begin(), out.end(), cb.name) != out.end();
                });
                if (trial % 4 == 3) rest.motors.clear();
                const Network expected(rest);
                const ShortCircuitResults results = expected.Solve(SolveOptions{});
                const BusResult* solved = results.FindBus(bus);
                ASSERT_TRUE(solved && solved->computed) << what;
                EXPECT_NEAR(f.Ka(), c == Case::Max ? solved->ka_max : solved->ka_min, 1e-9 * f.Ka())
                    << what;
                int compared = 0;
                for (const ElementFlow& e : expected.FaultFlows(SolveOptions{}, c, bus)) {
                    if (e.kind != ElementKind::Cable) continue;
                    const std::string& name = rest.cables[e.index].name;
                    const auto it = std::find_if(in.cables.begin(), in.cables.end(),
                                                 [&](const Cable& cb) { return cb.name == name; });
                    const auto element = steps.Find(
                        ElementKind::Cable, static_cast<std::size_t>(it - in.cables.begin()));
                    if (!element) continue;  // a closed tie
                    ++compared;
                    EXPECT_NEAR(f.Carries(*element, steps.BusNumber(e.from)), e.kaFrom,
                                1e-9 * f.Ka() + 1e-12)
                        << what << ": " << name;
                    EXPECT_NEAR(f.Carries(*element, steps.BusNumber(e.to)), e.kaTo,
                                1e-9 * f.Ka() + 1e-12)
                        << what << ": " << name;
                }
                EXPECT_GT(compared, 0) << what;
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
    EXPECT_EQ(names(steps.Nearest(
                  a, [](K k, std::size_t) { return k == K::Transformer || k == K::Cable; })),
              (std::vector<std::string>{"FDR", "T1", "TIE"}));
    EXPECT_EQ(names(steps.Nearest(a,
                                  [](K k, std::size_t i) {
                                      return k == K::Transformer || (k == K::Cable && i == 1) ||
                                             k == K::Generator;
                                  })),
              (std::vector<std::string>{"FDR", "G", "T1", "T2"}));
}

}  // namespace
}  // namespace zentavo::network

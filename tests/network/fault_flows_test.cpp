// SPDX-License-Identifier: GPL-3.0-or-later
// The currents every element carries for a fault at one bus: the worked
// network by hand (upstream of the fault too), and on a meshed network with
// a tie, a tap, a generator and a three-winding transformer the same shares
// at the faulted bus as the solution of every bus.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "network/short_circuit.h"

namespace zentavo::network {
namespace {

constexpr double kPrinted = 0.0005;

// The worked network: UTIL 13.8 kV 20 kA X/R 15 (12 kA minimum), 2 000 kVA
// 5.75 % X/R 6 to SWG 480 V, 60 m of two sets of 0.1 + j0.08 Ω/km to MCC
// with 300 kVA of motors. For a fault at MCC (ansi, 28.6787 kA) the cable
// carries |Z_M/(Z_up + Z_M)| = 0.940255 of it, 26.965 kA, the transformer the
// same at SWG and 26.965·0.48/13.8 = 0.938 kA at UTIL, the source 0.938 kA;
// the motors |Z_up/(Z_up + Z_M)| of it, 1.795 kA (Z_up: source, transformer
// and cable at 480 V).
TEST(FaultFlows, WorkedNetworkByHand) {
    NetworkInput in;
    in.sources = {{"U", "UTIL", 13.8, 20, 12, 15}};
    in.buses = {{"SWG", 0.48, ""}, {"MCC", 0.48, ""}};
    in.transformers = {{"T", "UTIL", "SWG", 2000, 5.75, 6}};
    in.cables = {{"C", "SWG", "MCC", 60, 0.1, 0.08, 2}};
    in.motors = {{"M", "MCC", 300, 0.2, 10}};
    const Network net(in);
    std::map<ElementKind, ElementFlow> by;
    for (const ElementFlow& f : net.FaultFlows(SolveOptions{}, Case::Max, "MCC")) by[f.kind] = f;
    ASSERT_EQ(by.size(), 4u);
    EXPECT_NEAR(by[ElementKind::Cable].kaTo, 26.965, kPrinted);
    EXPECT_NEAR(by[ElementKind::Cable].kaFrom, 26.965, kPrinted);
    EXPECT_EQ(by[ElementKind::Cable].direction, 1);  // SWG → MCC
    EXPECT_NEAR(by[ElementKind::Transformer].kaTo, 26.965, kPrinted);
    EXPECT_NEAR(by[ElementKind::Transformer].kaFrom, 0.938, kPrinted);
    EXPECT_EQ(by[ElementKind::Transformer].direction, 1);  // UTIL → SWG
    EXPECT_NEAR(by[ElementKind::Source].kaFrom, 0.938, kPrinted);
    EXPECT_EQ(by[ElementKind::Source].direction, 1);
    EXPECT_NEAR(by[ElementKind::Motor].kaFrom, 1.795, kPrinted);
    // The minimum case: no motors, all through the cable.
    for (const ElementFlow& f : net.FaultFlows(SolveOptions{}, Case::Min, "MCC")) {
        if (f.kind == ElementKind::Motor) EXPECT_EQ(f.kaFrom, 0);
        if (f.kind == ElementKind::Cable) EXPECT_NEAR(f.kaTo, 26.194, kPrinted);
    }
    EXPECT_TRUE(net.FaultFlows(SolveOptions{}, Case::Max, "NOWHERE").empty());
}

// A meshed plant with a closed tie, a transformer on a tap, a generator and
// a three-winding transformer: for a fault at every bus, each element
// touching it carries the share the solution gives it.
TEST(FaultFlows, AgreeWithTheSharesAtEveryBus) {
    NetworkInput in;
    in.sources = {{"U", "HV", 13.8, 25, 15, 15}};
    in.buses = {{"A", 0.48, ""}, {"B", 0.48, ""}, {"C", 0.48, ""}, {"D", 0.48, ""}, {"M", 4.16, ""}, {"L", 0.48, ""}};
    Transformer t1{"T1", "HV", "A", 1500, 5.75, 6};
    Transformer t2{"T2", "HV", "B", 1500, 5.75, 6, 13.2, 0.48, 2.5};
    in.transformers = {t1, t2};
    in.cables = {{"AB", "A", "B", 30, 0.1, 0.08, 2}, {"AC", "A", "C", 40, 0.1, 0.08, 1},
                 {"CD", "C", "D", 0, 0.1, 0.08, 1},  // a closed tie
                 {"BD", "B", "D", 50, 0.1, 0.08, 1}};
    in.motors = {{"MD", "D", 200, 0.2, 10}};
    in.generators = {Generator{"G", "B", 500, 0.48, 0.15}};
    in.transformers3 = {Transformer3{"T3", "HV", "M", "L", 5000, 5000, 2000, {8, 7, 5}, {0.8, 0.7, 0.5}}};
    const Network net(in);
    ASSERT_TRUE(net.errors().empty()) << net.errors().front().message;
    for (const Convention convention : {Convention::Ansi, Convention::Iec60909}) {
        SolveOptions o;
        o.convention = convention;
        const ShortCircuitResults r = net.Solve(o);
        for (const char* bus : {"HV", "A", "B", "C", "D", "M", "L"}) {
            SCOPED_TRACE(bus);
            const BusResult* b = r.FindBus(bus);
            ASSERT_TRUE(b && b->computed);
            const std::vector<ElementFlow> flows = net.FaultFlows(o, Case::Max, bus);
            ASSERT_FALSE(flows.empty());
            for (const BranchShare& s : b->shares) {
                // The element's current at the faulted bus, as a share of the bus's.
                bool found = false;
                for (const ElementFlow& f : flows) {
                    if (f.kind != s.kind || f.index != s.index || (f.from != bus && f.to != bus)) continue;
                    const double ka = f.to == bus ? f.kaTo : f.kaFrom;
                    EXPECT_NEAR(ka / b->ka_max, s.share, 1e-9) << static_cast<int>(s.kind) << " " << s.index;
                    found = true;
                }
                EXPECT_TRUE(found);
            }
        }
    }
}

}  // namespace
}  // namespace zentavo::network

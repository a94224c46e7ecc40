// SPDX-License-Identifier: GPL-3.0-or-later
// The generated plants of the network benchmarks (network_study_bench,
// one_line_bench): the same study text for the same arguments.
#pragma once

#include <cstdint>
#include <string>

namespace zentavo::bench {

// A 13.8 kV utility, a 2 500 kVA transformer to a 480 V main, and the other
// buses as a tree of 480 V cables, each bus one empirical point of work,
// every tenth with motors; `meshed` adds a cable for every twentieth bus to
// an earlier one; `devices` puts a trip unit on every cable (its point's
// durations then come from it and from the devices around the fault);
// `scenarios` puts the extra cables in the scenario closed and gives the main a
// maintenance setting in the scenario maint (with normal: three scenarios).
inline std::string MakeNetworkStudy(int buses, bool meshed, bool devices, bool scenarios = false) {
    std::uint64_t seed = 0x9E3779B97F4A7C15ull;
    auto next = [&] {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return seed;
    };
    std::string s =
        "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,"
        "arc_time_reduced,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,"
        "cable_length,cable_r,cable_x,cable_sets,motor_kva,device_type,trip_rating,trip_lt_pickup,"
        "trip_lt_delay,trip_st_pickup,trip_st_delay,trip_inst_pickup,trip_inst_time,scenarios,"
        "maint_inst_pickup,maint_inst_time,maint_scenario\n";
    const std::string none = ",,,,", closed = scenarios ? ",closed,,," : none;
    const std::string maint = scenarios && devices ? ",,4,0.05,maint" : none;
    const std::string point = devices ? "empirical,480,25,455,MCC and Panels,Grounded,,,"
                                      : "empirical,480,25,455,MCC and Panels,Grounded,0.1,0.2,";
    const std::string device = devices ? ",trip-unit,600,1,10,5,0.1,10,0.05" : ",,,,,,,,";
    s += "U,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,B0,,source,30,15,,,,,,,,,,,,,,,," + none + "\n";
    s += "M,empirical,480,25,455,MCC and Panels,Grounded," + std::string(devices ? "," : "0.1,0.2") +
         ",B1,B0,transformer,,,2500,5.75,7,,,,," + (devices ? ",trip-unit,3000,1,10,3,0.3,," : ",,,,,,,,") + maint + "\n";
    for (int b = 2; b < buses; ++b) {
        const int from = 1 + static_cast<int>(next() % static_cast<std::uint64_t>(b - 1));
        const std::string length = std::to_string(5 + next() % 60);
        const std::string motor = b % 10 == 0 ? "50" : "";
        s += "P" + std::to_string(b) + "," + point + "B" + std::to_string(b) + ",B" +
             std::to_string(from) + ",cable,,,,,," + length + ",0.2,0.08,2," + motor + device + none + "\n";
        if (meshed && b % 20 == 0) {
            const int other = 1 + static_cast<int>(next() % static_cast<std::uint64_t>(b - 1));
            s += "T" + std::to_string(b) + "," + point + "B" + std::to_string(b) + ",B" +
                 std::to_string(other) + ",cable,,,,,,80,0.2,0.08,1," + device + closed + "\n";
        }
    }
    return s;
}

}  // namespace zentavo::bench

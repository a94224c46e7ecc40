// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a study of N points of work for the benchmarks: a deterministic mix
// of the methods with inputs spread over their validity ranges.
//   make_study OUTPUT.csv ROWS [MIX] | make_study OUTPUT.csv ROWS 2018 devices
// MIX: "2002" (the default) the empirical, fuse and breaker methods in the
// columns of the earlier studies; "2018" only IEEE 1584-2018 rows; "all" the
// four methods, a quarter of the rows each. "2018 devices": the same 2018
// points with their arc durations from protective devices (relays, trip
// units, inline fuse curves: a dozen distinct settings) in place of typed
// ones.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Lcg {
    std::uint64_t s = 0x2545F4914F6CDD1DULL;
    double Next() {  // in [0, 1)
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(s >> 11) * (1.0 / 9007199254740992.0);
    }
    double In(double lo, double hi) { return lo + (hi - lo) * Next(); }
    int Index(int n) { return static_cast<int>(Next() * n); }
};

const char* const kClasses[] = {"Open air", "Switchgear", "MCC and Panels", "Cable"};
const char* const kGroundings[] = {"Ungrounded", "Grounded"};
const char* const kElectrodes[] = {"VCB", "VCBB", "HCB", "VOA", "HOA"};

const char* const kDeviceColumns =
    ",device_type,relay_curve,relay_pickup,relay_time_dial,relay_inst_pickup,relay_inst_delay,"
    "breaker_time,trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,"
    "trip_inst_pickup,trip_inst_time,trip_tolerance,fuse_curve,device_share,max_arc_time";
// The cells of the device columns, each with its leading comma.
// clang-format off
const char* const kDevices[] = {
    ",relay,IEC-SI,800,0.2,,,,,,,,,,,,,,",
    ",relay,IEC-VI,1200,0.3,20000,0.05,0.05,,,,,,,,,,,",
    ",relay,IEEE-VI,600,2,,,,,,,,,,,,,,",
    ",relay,IEEE-EI,1000,3,,,,,,,,,,,,,0.8,",
    ",relay,IEEE-MI,300,1,,,,,,,,,,,,,,",
    ",relay,DT,2000,0.4,,,,,,,,,,,,,,",
    ",trip-unit,,,,,,,1600,1,10,4,0.3,,,,,,",
    ",trip-unit,,,,,,,800,1,12,6,0.2,12,,,,,",
    ",trip-unit,,,,,,,400,0.9,8,,,10,0.03,0.15,,,",
    ",fuse-curve,,,,,,,,,,,,,,,100:300 200:20 1000:0.1 5000:0.01,,",
    ",fuse-curve,,,,,,,,,,,,,,,400:100 600:20 1000:2 2000:0.1 4000:0.01,,1.5",
    ",fuse-curve,,,,,,,,,,,,,,,800:300 1200:60 2000:10 4000:1 8000:0.1 16000:0.02,0.9,",
};
// clang-format on
constexpr int kDeviceCount = static_cast<int>(sizeof kDevices / sizeof kDevices[0]);
const char* const kNoDevice = ",,,,,,,,,,,,,,,,,,";

// Two typed durations, or (with devices) empty cells: the draws are made
// either way, so both studies hold the same points.
void Durations(std::FILE* f, double t, double tr, bool devices) {
    if (devices) {
        std::fputc(',', f);
    } else {
        std::fprintf(f, "%.3f,%.3f", t, tr);
    }
}

// An IEEE 1584-2018 point of work within the model's ranges, after the
// point's name and method; the enclosure in mm or inches, none in open air.
void Write2018(std::FILE* f, Lcg& r, bool devices) {
    const bool low = r.Next() < 0.5;
    const double voltage = low ? r.In(208, 600) : r.In(601, 15000);
    const double ibf = low ? r.In(0.5, 106) : r.In(0.2, 65);
    const double gap = low ? r.In(6.35, 76.2) : r.In(19.05, 254);
    const int electrode = r.Index(5);
    const double height = r.In(300, 1500), width = r.In(4.1, 12) * gap, depth = r.In(150, 900);
    const double wd = r.In(305, 2000), t = r.In(0.01, 2), tr = r.In(0.01, 2);
    if (electrode >= 3) {
        std::fprintf(f, "%.0f,%.2f,%.1f,mm,%s,,,,,%.0f,mm,", voltage, ibf, gap,
                     kElectrodes[electrode], wd);
    } else if (r.Next() < 0.8) {
        std::fprintf(f, "%.0f,%.2f,%.1f,mm,%s,%.1f,%.1f,%.1f,mm,%.0f,mm,", voltage, ibf,
                     gap, kElectrodes[electrode], height, width, depth, wd);
    } else {
        std::fprintf(f, "%.0f,%.2f,%.1f,mm,%s,%.2f,%.2f,%.2f,inches,%.2f,inches,",
                     voltage, ibf, gap, kElectrodes[electrode], height / 25.4, width / 25.4 + 0.01,
                     depth / 25.4, wd / 25.4 + 0.01);
    }
    Durations(f, t, tr, devices);
    if (devices) std::fputs(kDevices[r.Index(kDeviceCount)], f);
}

}  // namespace

int main(int argc, char** argv) {
    const char* mix = argc >= 4 ? argv[3] : "2002";
    const bool only2018 = std::strcmp(mix, "2018") == 0, all = std::strcmp(mix, "all") == 0;
    const bool devices = argc == 5 && std::strcmp(argv[4], "devices") == 0;
    if (argc < 3 || argc > 5 || (argc == 5 && !(devices && only2018)) ||
        (!only2018 && !all && std::strcmp(mix, "2002") != 0)) {
        std::fprintf(stderr, "usage: make_study OUTPUT.csv ROWS [2002|2018|all]\n"
                             "       make_study OUTPUT.csv ROWS 2018 devices\n");
        return 2;
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 2;
    }
    const long rows = std::atol(argv[2]);
    Lcg r;
    if (only2018) {
        std::fprintf(f,
                     "point,method,voltage,bolted_current,gap,gap_unit,electrode_configuration,"
                     "enclosure_height,enclosure_width,enclosure_depth,enclosure_unit,"
                     "work_distance,work_distance_unit,arc_time,arc_time_reduced%s\n",
                     devices ? kDeviceColumns : "");
        for (long i = 0; i < rows; ++i) {
            std::fprintf(f, "P-%ld,ieee1584-2018,", i);
            Write2018(f, r, devices);
            std::fputc('\n', f);
        }
        return std::fclose(f) == 0 ? 0 : 1;
    }
    // The columns of the earlier studies, then (all four methods) the 2018 ones.
    std::fprintf(f,
                 "point,method,voltage,bolted_current,gap,gap_unit,work_distance,"
                 "work_distance_unit,equipment_class,grounding,arc_time,arc_time_reduced,"
                 "fuse_class,breaker_type,interrupting_rating,instantaneous_trip%s\n",
                 all ? ",electrode_configuration,enclosure_height,enclosure_width,"
                       "enclosure_depth,enclosure_unit"
                     : "");
    const char* tail = all ? ",,,,," : "";
    for (long i = 0; i < rows; ++i) {
        if (all && r.Index(4) == 0) {
            // The 2018 fields in the order of the columns above.
            const bool low = r.Next() < 0.5;
            const double voltage = low ? r.In(208, 600) : r.In(601, 15000);
            const double ibf = low ? r.In(0.5, 106) : r.In(0.2, 65);
            const double gap = low ? r.In(6.35, 76.2) : r.In(19.05, 254);
            const int electrode = r.Index(5);
            std::fprintf(f,
                         "P-%ld,ieee1584-2018,%.0f,%.2f,%.1f,mm,%.0f,mm,,,%.3f,%.3f,,,,,%s,%.1f,"
                         "%.1f,%.1f,mm\n",
                         i, voltage, ibf, gap, r.In(305, 2000), r.In(0.01, 2), r.In(0.01, 2),
                         kElectrodes[electrode], r.In(300, 1500), r.In(4.1, 12) * gap,
                         r.In(150, 900));
            continue;
        }
        const int method = r.Index(10);
        if (method < 6) {
            const bool mv = r.Next() < 0.3;
            std::fprintf(f, "P-%ld,empirical,%.0f,%.2f,%.0f,mm,%.0f,mm,%s,%s,%.3f,%.3f,,,,%s\n", i,
                         mv ? r.In(1000, 36000) : r.In(208, 999), r.In(0.8, 106), r.In(13, 160),
                         r.In(300, 2000), kClasses[r.Index(4)], kGroundings[r.Index(2)],
                         r.In(0.01, 2), r.In(0.01, 2), tail);
        } else if (method < 8) {
            std::fprintf(f, "P-%ld,fuse,,%.2f,,,%.0f,mm,,,,,%d,,,%s\n", i, r.In(0.8, 106),
                         r.In(300, 2000), r.Index(8), tail);
        } else {
            const double ibf = r.In(5, 100);
            std::fprintf(f, "P-%ld,breaker,%.0f,%.2f,,,%.0f,mm,,,,,,%d,%.0f,%.1f%s\n", i,
                         r.Next() < 0.5 ? r.In(208, 480) : r.In(575, 690), ibf, r.In(300, 2000),
                         r.Index(6), ibf + 10, r.In(0.5, 4), tail);
        }
    }
    return std::fclose(f) == 0 ? 0 : 1;
}

// Writes a study of N points of work for the benchmarks: a deterministic mix
// of the three methods with inputs spread over their validity ranges.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_study OUTPUT.csv ROWS\n");
        return 2;
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 2;
    }
    const long rows = std::atol(argv[2]);
    Lcg r;
    std::fprintf(f,
                 "point,method,voltage,bolted_current,gap,gap_unit,work_distance,"
                 "work_distance_unit,equipment_class,grounding,arc_time,arc_time_reduced,"
                 "fuse_class,breaker_type,interrupting_rating,instantaneous_trip\n");
    for (long i = 0; i < rows; ++i) {
        const int method = r.Index(10);
        if (method < 6) {
            const bool mv = r.Next() < 0.3;
            std::fprintf(f, "P-%ld,empirical,%.0f,%.2f,%.0f,mm,%.0f,mm,%s,%s,%.3f,%.3f,,,,\n", i,
                         mv ? r.In(1000, 36000) : r.In(208, 999), r.In(0.8, 106), r.In(13, 160),
                         r.In(300, 2000), kClasses[r.Index(4)], kGroundings[r.Index(2)],
                         r.In(0.01, 2), r.In(0.01, 2));
        } else if (method < 8) {
            std::fprintf(f, "P-%ld,fuse,,%.2f,,,%.0f,mm,,,,,%d,,,\n", i, r.In(0.8, 106),
                         r.In(300, 2000), r.Index(8));
        } else {
            const double ibf = r.In(5, 100);
            std::fprintf(f, "P-%ld,breaker,%.0f,%.2f,,,%.0f,mm,,,,,,%d,%.0f,%.1f\n", i,
                         r.Next() < 0.5 ? r.In(208, 480) : r.In(575, 690), ibf, r.In(300, 2000),
                         r.Index(6), ibf + 10, r.In(0.5, 4));
        }
    }
    return std::fclose(f) == 0 ? 0 : 1;
}

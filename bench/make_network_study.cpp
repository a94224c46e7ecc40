// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated plant of network_study_bench to a file, for the batch
// program timed on it (bench/run.sh: the short-circuit currents of
// 1 000 000 radial buses, time and peak memory).
//   make_network_study OUTPUT.csv BUSES [meshed] [devices] [scenarios]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "network_study_maker.h"

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[2]) < 2) {
        std::fprintf(stderr, "usage: make_network_study OUTPUT.csv BUSES [meshed] [devices] [scenarios]\n");
        return 2;
    }
    auto has = [&](const char* word) {
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], word) == 0) return true;
        }
        return false;
    };
    const std::string study = zentavo::bench::MakeNetworkStudy(std::atoi(argv[2]), has("meshed"),
                                                               has("devices"), has("scenarios"));
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(study.data(), 1, study.size(), out) != study.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "make_network_study: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

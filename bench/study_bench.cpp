// SPDX-License-Identifier: GPL-3.0-or-later
// Rows per second of a whole study in memory: CSV reading, every
// calculation, result texts and CSV writing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "study/run.h"

namespace {

std::string g_study;

void BM_Study(benchmark::State& st) {
    const zentavo::StudyOptions options;
    std::size_t rows = 0;
    for (char c : g_study) rows += c == '\n';
    --rows;  // header
    for (auto _ : st) {
        std::size_t bytes = 0;
        try {
            zentavo::RunStudy(g_study, options, [&](std::string_view s) { bytes += s.size(); });
        } catch (const zentavo::StudyReadError& e) {
            st.SkipWithError(e.what());
            break;
        }
        benchmark::DoNotOptimize(bytes);
    }
    st.counters["rows_per_second"] =
        benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Study)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // The study file comes first: study_bench STUDY.csv [benchmark flags].
    if (argc < 2) {
        std::fprintf(stderr, "usage: study_bench STUDY.csv [benchmark options]\n");
        return 2;
    }
    std::ifstream f(argv[1], std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    g_study = s.str();
    if (g_study.empty()) {
        std::fprintf(stderr, "study_bench: cannot read %s\n", argv[1]);
        return 2;
    }
    argv[1] = argv[0];
    ++argv;
    --argc;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

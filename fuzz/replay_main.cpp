// SPDX-License-Identifier: GPL-3.0-or-later
// Replays a fuzz target's corpus as an ordinary test: every file of the
// folders given runs through the target once.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            std::ifstream f(entry.path(), std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(f)), {});
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++count;
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "replay: no corpus files\n");
        return 1;
    }
    std::printf("%zu passed, 0 failed\n", count);
    return 0;
}

// zentavo-batch: runs a study of many points of work through the engine of
// the desktop program and writes the results as CSV.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "batch/study.h"

namespace {

constexpr const char* kUsage =
    "usage: zentavo-batch [--energy-unit U] [--boundary-unit U] [--pressure-unit U]\n"
    "                     [--tnt-unit U] [--decimal-separator C] [INPUT.csv]\n"
    "\n"
    "Reads a study (CSV with a header row) from INPUT.csv or standard input and\n"
    "writes every point of work with its results as CSV to standard output.\n"
    "\n"
    "  --energy-unit U         cal/cm2 (default) or J/cm2\n"
    "  --boundary-unit U       inches (default) or mm\n"
    "  --pressure-unit U       lb/ft2 (default), N/m2, Atmosphere or kpa\n"
    "  --tnt-unit U            kg (default), lb or grams\n"
    "  --decimal-separator C   '.' (default) or ',' for the numbers read and written\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "zentavo-batch: %s (see --help)\n", message.c_str());
    return 2;
}

bool ReadAll(std::FILE* f, std::string& data) {
    // A file's size is known: one allocation, one copy.
    struct stat st {};
    if (::fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode)) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    return !std::ferror(f);
}

}  // namespace

int main(int argc, char** argv) {
    zentavo::StudyOptions options;
    const char* inputPath = nullptr;

    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg.substr(0, 2) == "--") {
            std::string name(arg.substr(2));
            std::string value;
            if (auto eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                return UsageError("option --" + name + " needs a value");
            }
            if (name == "energy-unit") {
                options.units.EnergyUnit = value;
            } else if (name == "boundary-unit") {
                options.units.BoundaryUnit = value;
            } else if (name == "pressure-unit") {
                options.units.PressureUnit = value;
            } else if (name == "tnt-unit") {
                options.units.TntUnit = value;
            } else if (name == "decimal-separator") {
                if (value != "." && value != ",") {
                    return UsageError("the decimal separator must be '.' or ','");
                }
                options.sep = value[0];
            } else {
                return UsageError("unknown option --" + name);
            }
        } else if (inputPath == nullptr) {
            inputPath = argv[i];
        } else {
            return UsageError("only one input file may be given");
        }
    }

    std::string input;
    const bool fromStdin = inputPath == nullptr || std::string_view(inputPath) == "-";
    const std::string inputName = fromStdin ? "standard input" : inputPath;
    std::FILE* in = fromStdin ? stdin : std::fopen(inputPath, "rb");
    if (in == nullptr || !ReadAll(in, input)) {
        std::fprintf(stderr, "zentavo-batch: cannot read %s: %s\n", inputName.c_str(),
                     std::strerror(errno));
        return 2;
    }
    if (!fromStdin) std::fclose(in);

    bool writeFailed = false;
    std::string headerError;
    const bool ok = zentavo::RunStudy(
        input, options,
        [&](std::string_view chunk) {
            if (!writeFailed && std::fwrite(chunk.data(), 1, chunk.size(), stdout) != chunk.size()) {
                writeFailed = true;
            }
        },
        &headerError);
    if (!ok) {
        std::fprintf(stderr, "zentavo-batch: %s: %s\n", inputName.c_str(), headerError.c_str());
        return 2;
    }
    if (writeFailed || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "zentavo-batch: cannot write the results: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}

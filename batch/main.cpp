// zentavo-batch: runs a study of many points of work through the engine of
// the desktop program and writes the results as CSV.
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "batch/study.h"

namespace {

constexpr const char* kUsage =
    "usage: zentavo-batch [--energy-unit U] [--boundary-unit U] [--pressure-unit U]\n"
    "                     [--tnt-unit U] [--decimal-separator C] [INPUT.csv]\n"
    "       zentavo-batch --help | --version\n"
    "\n"
    "Reads a study (CSV with a header row) from INPUT.csv or standard input and\n"
    "writes every point of work with its results as CSV to standard output.\n"
    "\n"
    "  --energy-unit U         cal/cm2 (default) or J/cm2\n"
    "  --boundary-unit U       inches (default) or mm\n"
    "  --pressure-unit U       lb/ft2 (default), N/m2, Atmosphere or kpa\n"
    "  --tnt-unit U            kg (default), lb or grams\n"
    "  --decimal-separator C   . (default) or , for the numbers read and written\n"
    "\n"
    "Exit status: 0 when the study was read (rows may still carry warnings or\n"
    "errors), 1 when the results could not be written, 2 for a usage error, an\n"
    "unreadable input or too little memory.\n";

// An option and the words it takes, the first being the default.
struct UnitOption {
    std::string_view name;
    std::array<std::string_view, 4> words;
    std::string zentavo::UnitSettings::*field;
};
const UnitOption kUnitOptions[] = {
    {"energy-unit", {"cal/cm2", "J/cm2"}, &zentavo::UnitSettings::EnergyUnit},
    {"boundary-unit", {"inches", "mm"}, &zentavo::UnitSettings::BoundaryUnit},
    {"pressure-unit",
     {"lb/ft2", "N/m2", "Atmosphere", "kpa"},
     &zentavo::UnitSettings::PressureUnit},
    {"tnt-unit", {"kg", "lb", "grams"}, &zentavo::UnitSettings::TntUnit},
    {"decimal-separator", {".", ","}, nullptr},
};

int UsageError(const std::string& message) {
    std::fprintf(stderr, "zentavo-batch: %s (see --help)\n", message.c_str());
    return 2;
}

// The input or the output failed; errno tells why.
struct ReadFailure {
    int error;
};
struct WriteFailure {
    int error;
};

int Run(int argc, char** argv) {
    zentavo::StudyOptions options;
    const char* inputPath = nullptr;

    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("zentavo-batch %s\n", ZENTAVO_VERSION);
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
            const UnitOption* option = nullptr;
            for (const UnitOption& o : kUnitOptions) {
                if (o.name == name) option = &o;
            }
            if (!option) return UsageError("unknown option --" + name);
            bool known = false;
            std::string allowed;
            for (std::string_view w : option->words) {
                if (w.empty()) continue;
                known = known || w == value;
                allowed += (allowed.empty() ? "" : ", ") + std::string(w);
            }
            if (!known) {
                return UsageError("--" + name + " takes one of " + allowed + ", not '" + value +
                                  "'");
            }
            if (option->field) {
                options.units.*(option->field) = value;
            } else {
                options.sep = value[0];
            }
        } else if (inputPath == nullptr) {
            inputPath = argv[i];
        } else {
            return UsageError("only one input file may be given");
        }
    }

    const bool fromStdin = inputPath == nullptr || std::string_view(inputPath) == "-";
    const std::string inputName = fromStdin ? "standard input" : inputPath;
    const int fd = fromStdin ? STDIN_FILENO : ::open(inputPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "zentavo-batch: cannot read %s: %s\n", inputName.c_str(),
                     std::strerror(errno));
        return 2;
    }
    auto source = [fd](char* buffer, std::size_t size) -> std::size_t {
        for (;;) {
            const ssize_t n = ::read(fd, buffer, size);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) throw ReadFailure{errno};
        }
    };
    auto sink = [](std::string_view chunk) {
        if (std::fwrite(chunk.data(), 1, chunk.size(), stdout) != chunk.size()) {
            throw WriteFailure{errno};
        }
    };
    try {
        std::string headerError;
        if (!zentavo::RunStudy(source, options, sink, &headerError)) {
            std::fprintf(stderr, "zentavo-batch: %s: %s\n", inputName.c_str(), headerError.c_str());
            return 2;
        }
        if (std::fflush(stdout) != 0) throw WriteFailure{errno};
    } catch (const ReadFailure& f) {
        std::fprintf(stderr, "zentavo-batch: cannot read %s: %s\n", inputName.c_str(),
                     std::strerror(f.error));
        return 2;
    } catch (const WriteFailure& f) {
        std::fprintf(stderr, "zentavo-batch: cannot write the results: %s\n",
                     std::strerror(f.error));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Too little memory anywhere, on any thread, ends the run with a message,
    // never with an abort.
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("zentavo-batch: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zentavo-batch: %s\n", e.what());
    }
    return 2;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// zentavo-batch: runs a study of many points of work through the engine of
// the desktop program and writes the results as CSV.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number.h"
#include "study/device_curves.h"
#include "study/message_text.h"
#include "study/run.h"
#include "batch/arguments.h"
#include "batch/study_pdfs.h"
#include "io/command_line.h"
#include "io/file_io.h"
#include "io/progress_line.h"

namespace {

using zentavo::batch::Arguments;
using zentavo::batch::Tell;

// The points the labels leave out, for standard error, so that a missing
// label is never silent: how many, and the first of them by line, name and
// message (control characters escaped); empty when every point is computed.
std::string RefusedNote(const zentavo::StudyRunSummary& summary) {
    if (summary.refused == 0) return {};
    std::string text = "zentavo-batch: " + std::to_string(summary.refused) + " of " + std::to_string(summary.rows) +
                       (summary.rows == 1 ? " point" : " points") + (summary.refused == 1 ? " was" : " were") +
                       " not computed and " + std::string(summary.refused == 1 ? "has" : "have") + " no label:";
    for (const zentavo::StudyRunSummary::Refused& r : summary.listed) {
        // A malformed line's message names its line already.
        const std::string line = "line " + std::to_string(r.line);
        std::string_view message = r.message;
        if (message.starts_with(line + ": ")) message.remove_prefix(line.size() + 2);
        text += "\n  " + line + (r.point.empty() ? std::string() : " (" + zentavo::EscapeControls(r.point) + ")") +
                ": " + zentavo::EscapeControls(message);
    }
    if (summary.refused > summary.listed.size()) {
        text += "\n  and " + std::to_string(summary.refused - summary.listed.size()) + " more";
    }
    return text + "\n";
}

// Says once how the study was read where the reading chose for the user:
// as Windows-1252, or with a decimal separator its rows do not tell.
void TellHowRead(const std::string& inputName, const zentavo::StudyRunSummary& summary) {
    if (summary.cp1252) {
        Tell(inputName + ": not UTF-8: read as Windows-1252 (a spreadsheet's CSV export); the results are in UTF-8");
    }
    if (summary.decimalUndecided) {
        Tell(inputName + ": the decimal separator cannot be told from the first rows (they hold both 0.5 and 0,5, "
             "or no number with a fraction): read with '" + std::string(1, summary.sep) +
             "'; give --decimal-separator to choose");
    }
}

// The PDF module: beside the program (the build tree), or in the library
// directory of an installed program; or why it cannot be had.
struct PdfModule {
    zentavo::WriteStudyPdfsFunction write = nullptr;
    std::string problem;  // without `write`: why
};
PdfModule LoadPdfModule() {
    std::string self(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::string dir = n > 0 ? self.substr(0, static_cast<std::size_t>(n)) : std::string();
    dir = dir.substr(0, dir.rfind('/') + 1);
    for (const std::string& path : {dir + zentavo::kStudyPdfModuleName,
                                    dir + ZENTAVO_PDF_MODULE_DIR "/" + zentavo::kStudyPdfModuleName}) {
        if (::access(path.c_str(), R_OK) != 0) continue;
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) return {nullptr, ::dlerror()};
        if (void* f = ::dlsym(module, zentavo::kWriteStudyPdfsSymbol)) {
            return {reinterpret_cast<zentavo::WriteStudyPdfsFunction>(f), {}};
        }
        return {nullptr, path + " lacks its entry point"};
    }
    return {nullptr, std::string(zentavo::kStudyPdfModuleName) +
                         " not found beside the program or in " + dir + ZENTAVO_PDF_MODULE_DIR};
}

// A file the run reads or writes, as the user named it.
struct RunFile {
    std::string shown;  // "--labels x.pdf", "the input plant.csv", "the standard output"
    std::optional<zentavo::FilePlace> place;
};

// The first output that is the input or an output before it, however the
// two are spelt: writing it would destroy what the run reads or writes.
// Standard input and output take part when they are regular files. None
// when every file is a file of its own.
std::optional<std::string> SameFileError(const char* inputPath, const std::string& curvesPath,
                                         const std::string& outputPath,
                                         const zentavo::StudyPdfRequest& pdf) {
    const bool fromStdin = inputPath == nullptr || std::string_view(inputPath) == "-";
    std::vector<RunFile> files;
    files.push_back(fromStdin ? RunFile{"the standard input", zentavo::PlaceOfOpenFile(STDIN_FILENO)}
                              : RunFile{std::string("the input ") + inputPath, zentavo::PlaceOf(inputPath)});
    if (!curvesPath.empty()) files.push_back({"--curves " + curvesPath, zentavo::PlaceOf(curvesPath)});
    if (!pdf.labelsPath.empty()) files.push_back({"--labels " + pdf.labelsPath, zentavo::PlaceOf(pdf.labelsPath)});
    if (!pdf.reportPath.empty()) files.push_back({"--report " + pdf.reportPath, zentavo::PlaceOf(pdf.reportPath)});
    if (!pdf.oneLinePath.empty()) files.push_back({"--one-line " + pdf.oneLinePath, zentavo::PlaceOf(pdf.oneLinePath)});
    files.push_back(outputPath.empty() || outputPath == "-"
                        ? RunFile{"the standard output", zentavo::PlaceOfOpenFile(STDOUT_FILENO)}
                        : RunFile{"--output " + outputPath, zentavo::PlaceOf(outputPath)});
    for (std::size_t out = 1; out < files.size(); ++out) {
        for (std::size_t earlier = 0; earlier < out; ++earlier) {
            if (files[out].place && files[out].place == files[earlier].place) {
                return files[out].shown + " and " + files[earlier].shown + " are the same file";
            }
        }
    }
    return std::nullopt;
}

// The input, the output or the scratch file failed; errno tells why.
struct SystemFailure : zentavo::Error {
    explicit SystemFailure(int e) : Error(std::strerror(e)), error(e) {}
    int error;
};
struct ReadFailure : SystemFailure {
    using SystemFailure::SystemFailure;
};
struct WriteFailure : SystemFailure {
    using SystemFailure::SystemFailure;
};
struct ScratchFailure : SystemFailure {
    using SystemFailure::SystemFailure;
};

// A file without a name in the temporary folder ($TMPDIR, else /tmp), gone
// with the program however it ends; none when not wanted. One that cannot
// be made has no descriptor and says why (`problem`).
class ScratchFile {
public:
    explicit ScratchFile(bool wanted) {
        if (!wanted) return;
        const char* tmp = std::getenv("TMPDIR");
        folder_ = tmp && *tmp ? tmp : "/tmp";
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {  // a file system without unnamed files
            std::string name = folder_ + "/zentavo-batch.XXXXXX";
            fd_ = ::mkostemp(name.data(), O_CLOEXEC);
            if (fd_ >= 0) ::unlink(name.c_str());
        }
        if (fd_ < 0) problem_ = folder_ + ": " + std::strerror(errno);
    }
    ~ScratchFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    int fd() const { return fd_; }
    const std::string& folder() const { return folder_; }
    const std::string& problem() const { return problem_; }
    void Write(std::string_view bytes) const {
        while (fd_ >= 0 && !bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw ScratchFailure{n < 0 ? errno : ENOSPC};
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

private:
    std::string folder_;
    std::string problem_;
    int fd_ = -1;
};


// Runs the study the arguments name: the result CSV to standard output, then
// the PDFs asked for. Returns the exit status.
int RunStudyFiles(Arguments& args) {
    const char* inputPath = args.inputPath;
    zentavo::StudyPdfRequest& pdf = args.pdf;
    if (const std::optional<std::string> same =
            SameFileError(inputPath, args.curvesPath, args.outputPath, pdf)) {
        Tell(*same);
        return 2;
    }
    if (!args.curvesPath.empty()) {
        // The curves are read whole before the study: a file that cannot be
        // read, or holds a curve that is not well formed, ends the run.
        constexpr std::size_t kMostCurveBytes = std::size_t{64} << 20;
        std::string text;
        try {
            text = zentavo::ReadFile(args.curvesPath, kMostCurveBytes, "--curves");
        } catch (const zentavo::Error& e) {
            Tell("cannot read --curves " + args.curvesPath + ": " + e.what());
            return 2;
        }
        zentavo::Built<zentavo::CurveSet> curves = zentavo::ReadDeviceCurves(text);
        if (!curves.device) {
            Tell("--curves " + args.curvesPath + ": " + curves.refusal->message);
            return 2;
        }
        args.options.curves = std::make_shared<const zentavo::CurveSet>(std::move(*curves.device));
    }
    const bool pdfs = !pdf.labelsPath.empty() || !pdf.reportPath.empty() || !pdf.oneLinePath.empty();
    zentavo::WriteStudyPdfsFunction writePdfs = nullptr;
    if (pdfs) {
        const PdfModule module = LoadPdfModule();
        writePdfs = module.write;
        if (!writePdfs) {
            Tell("the PDF module cannot be loaded: " + module.problem);
            return 2;
        }
    }

    const bool fromStdin = inputPath == nullptr || std::string_view(inputPath) == "-";
    const std::string inputName = fromStdin ? "standard input" : inputPath;
    const int fd = fromStdin ? STDIN_FILENO : ::open(inputPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Tell("cannot read " + inputName + ": " + std::strerror(errno));
        return 2;
    }
    // The share of a regular file read so far tells how far the run has gone.
    std::atomic<std::uint64_t> bytesRead{0};
    struct stat st;
    const std::uint64_t inputSize = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    auto source = [fd, &bytesRead](char* buffer, std::size_t size) -> std::size_t {
        for (;;) {
            const ssize_t n = ::read(fd, buffer, size);
            if (n >= 0) {
                bytesRead += static_cast<std::uint64_t>(n);
                return static_cast<std::size_t>(n);
            }
            if (errno != EINTR) throw ReadFailure{errno};
        }
    };
    // On a terminal (or with --progress), a line that says how far the run is.
    const bool progress = !args.quiet && (args.progress || ::isatty(STDERR_FILENO));
    zentavo::ProgressLine line(progress);
    if (progress) {
        args.options.progress = [&line, &bytesRead, inputSize](std::size_t rows) {
            line.Show("rows", rows, 0,
                      inputSize ? static_cast<double>(bytesRead) / static_cast<double>(inputSize) : -1);
        };
    }
    // For the PDFs the computed points also go to a temporary file, which
    // the PDF module reads back a point at a time: memory stays bounded
    // whatever the size of the study, and no point is computed twice.
    const ScratchFile scratch(pdfs);
    if (pdfs && scratch.fd() < 0) {
        Tell("cannot keep the results for the PDFs: " + scratch.problem());
        return 1;
    }
    // -o FILE: the results replace the file only once whole; a target that
    // cannot be written is told before the study is read.
    std::optional<zentavo::ReplacingWrite> output;
    const bool toFile = !args.outputPath.empty() && args.outputPath != "-";
    const std::string outputName = toFile ? args.outputPath : "the standard output";
    if (toFile) {
        zentavo::RemoveTemporaryFileOnSignals();
        try {
            output.emplace(args.outputPath);
        } catch (const zentavo::IoError& e) {
        line.Erase();
            Tell(std::string("cannot write the results: ") + e.what());
            return 1;
        }
    }
    auto sink = [&output](std::string_view chunk) {
        if (output) {
            output->Write(chunk);
        } else if (std::fwrite(chunk.data(), 1, chunk.size(), stdout) != chunk.size()) {
            throw WriteFailure{errno};
        }
    };
    if (pdfs) args.options.points = [&scratch](std::string_view records) { scratch.Write(records); };
    try {
        const zentavo::StudyRunOutcome ran = zentavo::RunStudy(source, args.options, sink);
        const zentavo::StudyRunSummary& summary = ran.summary;
        line.Erase();
        if (output) {
            output->Commit();
            output.reset();
        } else if (std::fflush(stdout) != 0) {
            throw WriteFailure{errno};
        }
        if (!args.quiet) TellHowRead(inputName, summary);
        // A result column among the inputs is not read: told once, --quiet
        // or not, as is a scenario asked that no row uses (most likely
        // mistyped).
        for (const std::string& name : summary.resultColumnsAmongInputs) {
            Tell(inputName + ": column " + name + " is a result column, which the study writes: not read as an input");
        }
        for (const std::string& name : summary.unusedScenarios) {
            Tell(inputName + ": --scenarios: no row uses the scenario '" + name +
                 "' (in its scenarios or maint_scenario cell): computed as the rows in every scenario alone");
        }
        const int strict = args.strict && summary.errors > 0 ? 3 : 0;
        if (pdfs) {
            if (!fromStdin) pdf.inputPath = inputPath;
            pdf.units = args.options.units;
            pdf.sep = summary.sep;
            pdf.shortCircuit = args.options.ShortCircuit();
            pdf.arcSteps = args.options.arcSteps;
            pdf.motorDecay = args.options.motorDecay;
            pdf.arcCurrentRange = args.options.arcCurrentRange;
            pdf.pointsFd = scratch.fd();
            pdf.network = summary.network;
            pdf.networkTable = summary.networkTable;
            // The labels leave the refused points out: told once they are
            // written (the report lists those points itself).
            pdf.labelsRefusedNote = RefusedNote(summary);
            pdf.progress = progress;
            const int status = writePdfs(pdf);
            return status != 0 ? status : strict;
        }
        return strict;
    } catch (const zentavo::StudyReadError& e) {
        line.Erase();
        Tell(inputName + ": " + e.message);
        return 2;
    } catch (const ReadFailure& f) {
        line.Erase();
        Tell("cannot read " + inputName + ": " + std::strerror(f.error));
        return 2;
    } catch (const WriteFailure& f) {
        line.Erase();
        std::fprintf(stderr, "zentavo-batch: cannot write the results: %s\n",
                     std::strerror(f.error));
        return 1;
    } catch (const zentavo::IoError& e) {
        line.Erase();
        Tell(std::string("cannot write the results: ") + e.what());
        return 1;
    } catch (const ScratchFailure& f) {
        line.Erase();
        Tell("cannot keep the results for the PDFs: " + scratch.folder() + ": " + std::strerror(f.error));
        return 1;
    }
    return 0;
}

int Run(int argc, char** argv) {
    Arguments args;
    if (const std::optional<int> status = zentavo::batch::ReadArguments(argc, argv, args)) return *status;
    return RunStudyFiles(args);
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
        Tell(e.what());
    }
    return 2;
}

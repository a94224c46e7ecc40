// SPDX-License-Identifier: GPL-3.0-or-later
// zentavo-batch: runs a study of many points of work through the engine of
// the desktop program and writes the results as CSV.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
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
#include "batch/study_pdfs.h"
#include "io/command_line.h"
#include "io/file_io.h"

namespace {

constexpr const char* kUsage =
    "Usage: zentavo-batch [--energy-unit U] [--boundary-unit U] [--pressure-unit U]\n"
    "                     [--tnt-unit U] [--decimal-separator C]\n"
    "                     [--delimiter C] [--line-ends E] [--curves FILE.csv]\n"
    "                     [--short-circuit ansi|iec60909]\n"
    "                     [--assessment-date YYYY-MM-DD]\n"
    "                     [--labels FILE.pdf [label options]]\n"
    "                     [--report FILE.pdf [report options]] [--] [INPUT.csv]\n"
    "       zentavo-batch -h | --help | -V | --version\n"
    "\n"
    "Reads a study (CSV with a header row) from INPUT.csv or standard input and\n"
    "writes every point of work with its results as CSV to standard output.\n"
    "With --labels it also writes one warning label page per computed\n"
    "point (its `point` column as the equipment name: whole on up to two lines,\n"
    "on the classic label cut to 30 characters), and with --report the study\n"
    "report, each as a PDF file replaced only when whole.\n"
    "Options may be shortened to any unambiguous beginning and take their value\n"
    "after a blank or after =; -- ends the options.\n"
    "\n"
    "  --energy-unit U         cal/cm2 (default) or J/cm2\n"
    "  --boundary-unit U       inches (default) or mm\n"
    "  --pressure-unit U       lb/ft2 (default), N/m2, Atmosphere or kpa\n"
    "  --tnt-unit U            kg (default), lb or grams\n"
    "  --decimal-separator C   . (default) or , for the numbers read and written\n"
    "  --delimiter C           , ; or tab between the fields read and written\n"
    "                          (default: ; or tab when the header row names the\n"
    "                          study's columns between them and holds no comma,\n"
    "                          else ,)\n"
    "  --line-ends E           lf or crlf: the output's line ends (default: those\n"
    "                          of the input's first line; CR alone gives crlf)\n"
    "  --curves FILE.csv       fuse total-clearing curves by name (rows\n"
    "                          name,current,time; current in A, time in s) for the\n"
    "                          fuse_curve column of rows with device_type fuse-curve\n"
    "  --short-circuit C       ansi (default) or iec60909: the convention of the\n"
    "                          fault currents a study with network columns (bus,\n"
    "                          branch_type, ...) computes for its rows\n"
    "  --assessment-date D     the date of the arc flash risk assessment, YYYY-MM-DD\n"
    "                          (default: today), on the labels and every report page\n"
    "  --labels FILE.pdf       the labels of the computed points\n"
    "  --label-standard S      nfpa70e (default), csa-z462 or classic: the label\n"
    "                          after NFPA 70E-2024 or CSA Z462-2024 (signal word,\n"
    "                          voltage, arc flash boundary, incident energy at the\n"
    "                          working distance, minimum arc rating, PPE, shock\n"
    "                          rows, assessment date), or the desktop program's\n"
    "                          classic label\n"
    "  --label-size Z          6x4 (default), 4x4 or 5x3.5 inches; the classic\n"
    "                          label is 6x4\n"
    "  --label-danger-above-volts V\n"
    "                          DANGER also above V volts (some sites use 600);\n"
    "                          every label says DANGER above 40 cal/cm2\n"
    "  --label-language L      en (default), es or fr\n"
    "  --label-colour C        colour (default) or black-and-white\n"
    "  the classic label only:\n"
    "  --label-rows R,R,...    the value rows, in label order, from equipment-type,\n"
    "                          grounding, work-distance, bolted-current,\n"
    "                          limited-approach, restricted-approach,\n"
    "                          prohibited-approach, flash-boundary, incident-energy,\n"
    "                          pressure, tnt, ppe-level, clothing; or none (default:\n"
    "                          equipment-type,grounding,work-distance,bolted-current,\n"
    "                          flash-boundary,incident-energy,ppe-level)\n"
    "  --label-name N          yes (default) or no: the equipment name on the label\n"
    "  --label-date D          no (default) or yes: today's date on the label\n"
    "  --report FILE.pdf       the study report: a title block on every page, one\n"
    "                          row per point (inputs, then the governing case's\n"
    "                          results, clothing and approach boundaries), the\n"
    "                          points computed with a caution, the refused\n"
    "                          points and a note on the methods\n"
    "  --report-paper P        locale (default: the paper of PAPERSIZE, LC_PAPER or\n"
    "                          /etc/papersize, else Letter in the Americas' Letter\n"
    "                          countries and A4 elsewhere), a4 or letter\n"
    "  --report-title T        the report's title (default: the input file's name\n"
    "                          without folder or extension, as the desktop\n"
    "                          program's report of the same study)\n"
    "  --report-project T      a \"Project:\" line under the title\n"
    "  --report-client T       a \"Client:\" line under the title\n"
    "  --report-author T       a \"Prepared by:\" line under the title\n"
    "  --report-curves         an appendix with the time-current curve of each row's\n"
    "                          protective device, its arcing currents marked\n"
    "\n"
    "Exit status: 0 when the study was read (rows may still carry warnings or\n"
    "errors), 1 when the results or a PDF could not be written (or no point was\n"
    "computed to label), 2 for a usage error, an unreadable input or too little\n"
    "memory.\n";

// An option and the words it takes, the first being the default, and how
// a unit option sets its unit (the decimal separator has none).
struct UnitOption {
    std::string_view name;
    std::array<std::string_view, 4> words;
    bool (*set)(zentavo::UnitSettings& units, std::string_view word);  // false: no unit
};

template <auto Field, auto Parse>
bool SetUnit(zentavo::UnitSettings& units, std::string_view word) {
    const auto unit = Parse(word);
    if (unit) units.*Field = *unit;
    return unit.has_value();
}

using zentavo::BlastPressureUnit, zentavo::IncidentEnergyUnit, zentavo::LengthUnit, zentavo::TntMassUnit,
    zentavo::UnitSettings, zentavo::UnitWord;
const UnitOption kUnitOptions[] = {
    {"energy-unit",
     {UnitWord(IncidentEnergyUnit::CaloriesPerCm2), UnitWord(IncidentEnergyUnit::JoulesPerCm2)},
     SetUnit<&UnitSettings::EnergyUnit, zentavo::ParseEnergyUnit>},
    {"boundary-unit",
     {UnitWord(LengthUnit::Inches), UnitWord(LengthUnit::Millimetres)},
     SetUnit<&UnitSettings::BoundaryUnit, zentavo::ParseLengthUnit>},
    {"pressure-unit",
     {UnitWord(BlastPressureUnit::PoundsPerFt2), UnitWord(BlastPressureUnit::NewtonsPerM2),
      UnitWord(BlastPressureUnit::Atmospheres), UnitWord(BlastPressureUnit::Kilopascals)},
     SetUnit<&UnitSettings::PressureUnit, zentavo::ParsePressureUnit>},
    {"tnt-unit",
     {UnitWord(TntMassUnit::Kilograms), UnitWord(TntMassUnit::Pounds), UnitWord(TntMassUnit::Grams)},
     SetUnit<&UnitSettings::TntUnit, zentavo::ParseTntUnit>},
    {"decimal-separator", {".", ","}, nullptr},
};

// The PDF options: each takes one of its words, the first being the default.
struct WordOption {
    std::string_view name;
    std::array<std::string_view, 3> words;
};
const WordOption kLabelLanguage{"label-language", {"en", "es", "fr"}};
const WordOption kLabelColour{"label-colour", {"colour", "black-and-white"}};
const WordOption kLabelName{"label-name", {"yes", "no"}};
const WordOption kLabelDate{"label-date", {"no", "yes"}};
const WordOption kReportPaper{"report-paper", {"locale", "a4", "letter"}};
const WordOption* const kWordOptions[] = {&kLabelLanguage, &kLabelColour, &kLabelName, &kLabelDate,
                                          &kReportPaper};

// The report's texts: any text but an empty one.
struct TextOption {
    std::string_view name;
    std::string zentavo::StudyPdfRequest::*field;
};
const TextOption kReportTexts[] = {
    {"report-title", &zentavo::StudyPdfRequest::reportTitle},
    {"report-project", &zentavo::StudyPdfRequest::reportProject},
    {"report-client", &zentavo::StudyPdfRequest::reportClient},
    {"report-author", &zentavo::StudyPdfRequest::reportAuthor},
};

// The value rows of --label-rows, by label entry from 2 (equipment type) on.
constexpr std::array<std::string_view, 13> kLabelRowWords = {
    "equipment-type",      "grounding",      "work-distance",   "bolted-current",
    "limited-approach",    "restricted-approach", "prohibited-approach", "flash-boundary",
    "incident-energy",     "pressure",       "tnt",             "ppe-level",
    "clothing"};
constexpr int kFirstLabelRowEntry = 2;

// A message on standard error. Input quoted in it (a value, a column, a file
// name) shows its control characters escaped, so that it cannot act on the
// terminal.
void Tell(const std::string& message) {
    std::fprintf(stderr, "zentavo-batch: %s\n", zentavo::EscapeControls(message).c_str());
}

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

int UsageError(const std::string& message) {
    Tell(message + " (see --help)");
    return 2;
}

// The PDF module: beside the program (the build tree), or in the library
// directory of an installed program.
zentavo::WriteStudyPdfsFunction LoadPdfModule(std::string& error) {
    std::string self(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::string dir = n > 0 ? self.substr(0, static_cast<std::size_t>(n)) : std::string();
    dir = dir.substr(0, dir.rfind('/') + 1);
    for (const std::string& path : {dir + zentavo::kStudyPdfModuleName,
                                    dir + ZENTAVO_PDF_MODULE_DIR "/" + zentavo::kStudyPdfModuleName}) {
        if (::access(path.c_str(), R_OK) != 0) continue;
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            error = ::dlerror();
            return nullptr;
        }
        if (void* f = ::dlsym(module, zentavo::kWriteStudyPdfsSymbol)) {
            return reinterpret_cast<zentavo::WriteStudyPdfsFunction>(f);
        }
        error = path + " lacks its entry point";
        return nullptr;
    }
    error = std::string(zentavo::kStudyPdfModuleName) + " not found beside the program or in " +
            dir + ZENTAVO_PDF_MODULE_DIR;
    return nullptr;
}

// A file the run reads or writes, as the user named it.
struct RunFile {
    std::string shown;  // "--labels x.pdf", "the input plant.csv", "the standard output"
    std::optional<zentavo::FilePlace> place;
};

// The first output that is the input or an output before it, however the
// two are spelt: writing it would destroy what the run reads or writes.
// Standard input and output take part when they are regular files.
std::string SameFileError(const char* inputPath, const std::string& curvesPath,
                          const zentavo::StudyPdfRequest& pdf) {
    const bool fromStdin = inputPath == nullptr || std::string_view(inputPath) == "-";
    std::vector<RunFile> files;
    files.push_back(fromStdin ? RunFile{"the standard input", zentavo::PlaceOfOpenFile(STDIN_FILENO)}
                              : RunFile{std::string("the input ") + inputPath, zentavo::PlaceOf(inputPath)});
    if (!curvesPath.empty()) files.push_back({"--curves " + curvesPath, zentavo::PlaceOf(curvesPath)});
    if (!pdf.labelsPath.empty()) files.push_back({"--labels " + pdf.labelsPath, zentavo::PlaceOf(pdf.labelsPath)});
    if (!pdf.reportPath.empty()) files.push_back({"--report " + pdf.reportPath, zentavo::PlaceOf(pdf.reportPath)});
    files.push_back({"the standard output", zentavo::PlaceOfOpenFile(STDOUT_FILENO)});
    for (std::size_t out = 1; out < files.size(); ++out) {
        for (std::size_t earlier = 0; earlier < out; ++earlier) {
            if (files[out].place && files[out].place == files[earlier].place) {
                return files[out].shown + " and " + files[earlier].shown + " are the same file";
            }
        }
    }
    return {};
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
// with the program however it ends; none when not wanted.
class ScratchFile {
public:
    ScratchFile(bool wanted, std::string& error) {
        if (!wanted) return;
        const char* tmp = std::getenv("TMPDIR");
        folder_ = tmp && *tmp ? tmp : "/tmp";
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {  // a file system without unnamed files
            std::string name = folder_ + "/zentavo-batch.XXXXXX";
            fd_ = ::mkostemp(name.data(), O_CLOEXEC);
            if (fd_ >= 0) ::unlink(name.c_str());
        }
        if (fd_ < 0) error = folder_ + ": " + std::strerror(errno);
    }
    ~ScratchFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    int fd() const { return fd_; }
    const std::string& folder() const { return folder_; }
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
    int fd_ = -1;
};

// What the command line asks for.
struct Arguments {
    // The delimiter and the line ends follow the input unless named.
    zentavo::StudyOptions options = [] {
        zentavo::StudyOptions o;
        o.detectDelimiter = o.lineEndOfInput = true;
        return o;
    }();
    const char* inputPath = nullptr;  // none or "-": standard input; else `input`
    std::string input;
    std::string curvesPath;  // --curves: empty when not given
    zentavo::StudyPdfRequest pdf;
    std::string labelOptionGiven, reportOptionGiven;  // the last label and report option named
    std::string classicOptionGiven;  // the last option of the classic label alone named
    bool sizeGiven = false;
};

// --label-rows: "none", or label rows by their words; the usage error, or empty.
std::string ReadLabelRows(const std::string& value, zentavo::StudyPdfRequest& pdf) {
    pdf.rowsGiven = true;
    pdf.rows.clear();
    if (value == "none") return {};
    std::string allowed = "none";
    for (std::string_view w : kLabelRowWords) allowed += ", " + std::string(w);
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = value.find(',', from);
        const std::string word = value.substr(from, comma - from);
        int entry = -1;
        for (std::size_t k = 0; k < kLabelRowWords.size(); ++k) {
            if (kLabelRowWords[k] == word) entry = kFirstLabelRowEntry + static_cast<int>(k);
        }
        if (entry < 0) return "--label-rows takes rows from " + allowed + ", not '" + word + "'";
        pdf.rows.push_back(entry);
        if (comma == std::string::npos) return {};
        from = comma + 1;
    }
}

// An option that takes one of its words; the usage error, or empty.
std::string ReadWordOption(const WordOption& option, const std::string& value, Arguments& args) {
    int index = -1;
    std::string allowed;
    for (std::size_t k = 0; k < option.words.size(); ++k) {
        const std::string_view w = option.words[k];
        if (w.empty()) continue;
        if (w == value) index = static_cast<int>(k);
        allowed += (allowed.empty() ? "" : ", ") + std::string(w);
    }
    if (index < 0) return "--" + std::string(option.name) + " takes one of " + allowed + ", not '" + value + "'";
    zentavo::StudyPdfRequest& pdf = args.pdf;
    (&option == &kReportPaper ? args.reportOptionGiven : args.labelOptionGiven) = option.name;
    if (&option == &kLabelName || &option == &kLabelDate) args.classicOptionGiven = option.name;
    if (&option == &kLabelLanguage) pdf.language = index;
    if (&option == &kLabelColour) pdf.colour = index == 0;
    if (&option == &kLabelName) pdf.name = index == 0;
    if (&option == &kLabelDate) pdf.date = index == 1;
    if (&option == &kReportPaper) pdf.paper = value;
    return {};
}

// A unit option or the decimal separator; the usage error, or empty.
std::string ReadUnitOption(const UnitOption& option, const std::string& value, zentavo::StudyOptions& options) {
    bool known = false;
    std::string allowed;
    for (std::string_view w : option.words) {
        if (w.empty()) continue;
        known = known || w == value;
        allowed += (allowed.empty() ? "" : ", ") + std::string(w);
    }
    const std::string refusal = "--" + std::string(option.name) + " takes one of " + allowed + ", not '" + value + "'";
    if (!known) return refusal;
    if (option.set) {
        if (!option.set(options.units, value)) return refusal;
    } else {
        options.sep = value[0];
    }
    return {};
}

// One option `name` with its value; the usage error, or empty.
std::string ReadOption(const std::string& name, const std::string& value, Arguments& args) {
    if (name == "labels" || name == "report") {
        if (value.empty()) return "--" + name + " needs a file name";
        // Standard output carries the results; "-" is not taken as a file's name either.
        if (value == "-") return "--" + name + " writes a PDF file, not to standard output (name a file, ./- for one named -)";
        (name == "labels" ? args.pdf.labelsPath : args.pdf.reportPath) = value;
        return {};
    }
    if (name == "curves") {
        if (value.empty()) return "--curves needs a file name";
        args.curvesPath = value;
        return {};
    }
    if (name == "label-rows") {
        args.labelOptionGiven = args.classicOptionGiven = name;
        return ReadLabelRows(value, args.pdf);
    }
    if (name == "label-standard") {
        args.labelOptionGiven = name;
        const auto standard = zentavo::LabelStandardOf(value);
        if (!standard) return "--label-standard takes one of nfpa70e, csa-z462, classic, not '" + value + "'";
        args.pdf.standard = *standard;
        return {};
    }
    if (name == "label-size") {
        args.labelOptionGiven = name;
        const auto size = zentavo::LabelPageSizeOf(value);
        if (!size) return "--label-size takes one of 6x4, 4x4, 5x3.5, not '" + value + "'";
        args.pdf.size = *size;
        args.sizeGiven = *size != zentavo::LabelPageSize::In6x4;
        return {};
    }
    if (name == "label-danger-above-volts") {
        args.labelOptionGiven = name;
        try {
            const double volts = zentavo::ParseNumber(value, '.');
            if (volts > 0) {
                args.pdf.dangerAboveVolts = volts;
                return {};
            }
        } catch (const zentavo::ConversionError&) {
        }
        return "--label-danger-above-volts takes a voltage above 0 V, not '" + value + "'";
    }
    if (name == "assessment-date") {
        const auto date = zentavo::ParseIsoDate(value);
        if (!date) return "--assessment-date takes a date YYYY-MM-DD, not '" + value + "'";
        args.pdf.assessmentDate = *date;
        return {};
    }
    for (const TextOption& o : kReportTexts) {
        if (o.name != name) continue;
        if (value.empty()) return "--" + name + " needs a text";
        args.pdf.*(o.field) = value;
        args.reportOptionGiven = name;
        return {};
    }
    for (const WordOption* o : kWordOptions) {
        if (o->name == name) return ReadWordOption(*o, value, args);
    }
    for (const UnitOption& o : kUnitOptions) {
        if (o.name == name) return ReadUnitOption(o, value, args.options);
    }
    if (name == "delimiter") {
        const char d = value == "," ? ',' : value == ";" ? ';' : value == "tab" || value == "\t" ? '\t' : 0;
        if (!d) return "--delimiter takes one of ',', ';', tab, not '" + value + "'";
        args.options.delimiter = d;
        args.options.detectDelimiter = false;
        return {};
    }
    if (name == "line-ends") {
        if (value != "lf" && value != "crlf") return "--line-ends takes one of lf, crlf, not '" + value + "'";
        args.options.lineEnd = value == "lf" ? zentavo::csv::LineEnd::kLf : zentavo::csv::LineEnd::kCrLf;
        args.options.lineEndOfInput = false;
        return {};
    }
    if (name == "short-circuit") {
        const auto& words = zentavo::network::kConventionWords;
        for (std::size_t k = 0; k < words.size(); ++k) {
            if (words[k] == value) {
                args.options.shortCircuit = static_cast<zentavo::network::Convention>(k);
                return {};
            }
        }
        return "--short-circuit takes one of ansi, iec60909, not '" + value + "'";
    }
    return "unknown option --" + name;
}

// Every option of the program, for the command-line reader.
std::vector<zentavo::CommandOption> CommandOptions() {
    std::vector<zentavo::CommandOption> table = {
        {"help", 'h', false}, {"version", 'V', false}, {"labels"},    {"report"},
        {"label-rows"},       {"delimiter"},           {"line-ends"},
        {"label-standard"},   {"label-size"},          {"label-danger-above-volts"},
        {"assessment-date"},
        {"curves"},           {"report-curves", 0, false}, {"short-circuit"}};
    for (const UnitOption& o : kUnitOptions) table.push_back({o.name});
    for (const WordOption* o : kWordOptions) table.push_back({o->name});
    for (const TextOption& o : kReportTexts) table.push_back({o.name});
    return table;
}

// Writes `text` to standard output: 0, or 1 when it could not be written.
int Answer(const std::string& text) {
    const bool written = std::fputs(text.c_str(), stdout) >= 0;
    return std::fflush(stdout) == 0 && written ? 0 : 1;
}

// Reads the command line into `args`. Returns the exit status where the
// program ends with it: after --help or --version, or a usage error (told).
std::optional<int> ReadArguments(int argc, char** argv, Arguments& args) {
    const std::vector<zentavo::CommandOption> table = CommandOptions();
    const zentavo::CommandLine line = zentavo::ReadCommandLine(argc, argv, table);
    if (!line.error.empty()) return UsageError(line.error);
    for (const zentavo::CommandLine::Given& given : line.options) {
        const std::string name(table[given.option].name);
        if (name == "help") return Answer(kUsage);
        if (name == "version") return Answer(std::string("zentavo-batch ") + ZENTAVO_VERSION + "\n");
        if (name == "report-curves") {  // takes no value
            args.pdf.reportCurves = true;
            args.reportOptionGiven = name;
            continue;
        }
        if (const std::string error = ReadOption(name, given.value, args); !error.empty()) {
            return UsageError(error);
        }
    }
    if (line.operands.size() > 1) return UsageError("only one input file may be given");
    if (!line.operands.empty()) {
        args.input = line.operands.front();
        args.inputPath = args.input.c_str();
    }
    if (!args.labelOptionGiven.empty() && args.pdf.labelsPath.empty()) {
        return UsageError("--" + args.labelOptionGiven + " applies to the labels: give --labels FILE.pdf");
    }
    if (args.pdf.standard == zentavo::LabelStandard::Classic && args.sizeGiven) {
        return UsageError("--label-size: the classic label is 6x4; give --label-standard nfpa70e or csa-z462");
    }
    if (args.pdf.standard != zentavo::LabelStandard::Classic && !args.classicOptionGiven.empty()) {
        return UsageError("--" + args.classicOptionGiven +
                          " applies to the classic label: give --label-standard classic");
    }
    if (!args.reportOptionGiven.empty() && args.pdf.reportPath.empty()) {
        return UsageError("--" + args.reportOptionGiven + " applies to the report: give --report FILE.pdf");
    }
    return std::nullopt;
}

// Runs the study the arguments name: the result CSV to standard output, then
// the PDFs asked for. Returns the exit status.
int RunStudyFiles(Arguments& args) {
    const char* inputPath = args.inputPath;
    zentavo::StudyPdfRequest& pdf = args.pdf;
    if (const std::string error = SameFileError(inputPath, args.curvesPath, pdf); !error.empty()) {
        Tell(error);
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
    const bool pdfs = !pdf.labelsPath.empty() || !pdf.reportPath.empty();
    zentavo::WriteStudyPdfsFunction writePdfs = nullptr;
    if (pdfs) {
        std::string error;
        writePdfs = LoadPdfModule(error);
        if (!writePdfs) {
            Tell("the PDF module cannot be loaded: " + error);
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
    auto source = [fd](char* buffer, std::size_t size) -> std::size_t {
        for (;;) {
            const ssize_t n = ::read(fd, buffer, size);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) throw ReadFailure{errno};
        }
    };
    // For the PDFs the computed points also go to a temporary file, which
    // the PDF module reads back a point at a time: memory stays bounded
    // whatever the size of the study, and no point is computed twice.
    std::string scratchError;
    const ScratchFile scratch(pdfs, scratchError);
    if (pdfs && scratch.fd() < 0) {
        Tell("cannot keep the results for the PDFs: " + scratchError);
        return 1;
    }
    auto sink = [](std::string_view chunk) {
        if (std::fwrite(chunk.data(), 1, chunk.size(), stdout) != chunk.size()) {
            throw WriteFailure{errno};
        }
    };
    if (pdfs) args.options.points = [&scratch](std::string_view records) { scratch.Write(records); };
    try {
        std::string headerError;
        zentavo::csv::WriteOptions written;
        zentavo::StudyRunSummary summary;
        if (!zentavo::RunStudy(source, args.options, sink, &headerError, &written, &summary)) {
            Tell(inputName + ": " + headerError);
            return 2;
        }
        if (std::fflush(stdout) != 0) throw WriteFailure{errno};
        if (pdfs) {
            if (!fromStdin) pdf.inputPath = inputPath;
            pdf.units = args.options.units;
            pdf.sep = args.options.sep;
            pdf.curves = args.options.curves;
            pdf.shortCircuit = args.options.shortCircuit;
            pdf.pointsFd = scratch.fd();
            pdf.network = summary.network;
            // The labels leave the refused points out: told once they are
            // written (the report lists those points itself).
            pdf.labelsRefusedNote = RefusedNote(summary);
            return writePdfs(pdf);
        }
    } catch (const zentavo::StudyReadError& e) {
        Tell(inputName + ": " + e.what());
        return 2;
    } catch (const ReadFailure& f) {
        Tell("cannot read " + inputName + ": " + std::strerror(f.error));
        return 2;
    } catch (const WriteFailure& f) {
        std::fprintf(stderr, "zentavo-batch: cannot write the results: %s\n",
                     std::strerror(f.error));
        return 1;
    } catch (const ScratchFailure& f) {
        Tell("cannot keep the results for the PDFs: " + scratch.folder() + ": " + std::strerror(f.error));
        return 1;
    }
    return 0;
}

int Run(int argc, char** argv) {
    Arguments args;
    if (const std::optional<int> status = ReadArguments(argc, argv, args)) return *status;
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

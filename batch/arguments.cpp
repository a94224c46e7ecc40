// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/arguments.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number.h"
#include "io/command_line.h"
#include "label/standard.h"
#include "study/message_text.h"
#include "study/scenarios.h"

namespace zentavo::batch {

void Tell(const std::string& message) {
    std::fprintf(stderr, "zentavo-batch: %s\n", zentavo::EscapeControls(message).c_str());
}

namespace {

constexpr const char* kUsage =
    "Usage: zentavo-batch [--energy-unit U] [--boundary-unit U] [--pressure-unit U]\n"
    "                     [--tnt-unit U] [--decimal-separator C]\n"
    "                     [--delimiter C] [--output-delimiter C] [--line-ends E]\n"
    "                     [--curves FILE.csv] [-o FILE.csv] [--quiet] [--strict]\n"
    "                     [--progress]\n"
    "                     [--short-circuit ansi|iec60909] [--lv-tolerance 6|10]\n"
    "                     [--cable-end-temp C] [--arc-steps on|off]\n"
    "                     [--motor-decay N|none] [--scenarios NAME,NAME...]\n"
    "                     [--arc-current-range on|off]\n"
    "                     [--assessment-date YYYY-MM-DD]\n"
    "                     [--labels FILE.pdf [label options]]\n"
    "                     [--report FILE.pdf [report options]]\n"
    "                     [--one-line FILE.svg] [--] [INPUT.csv]\n"
    "       zentavo-batch -h | --help | -V | --version\n"
    "\n"
    "Reads a study (CSV with a header row) from INPUT.csv or standard input and\n"
    "writes every point of work with its results as CSV to standard output.\n"
    "With --labels it also writes one warning label page per computed\n"
    "point (its `point` column as the equipment name: whole on up to two lines,\n"
    "on the classic label cut to 30 characters), with --report the study\n"
    "report, each as a PDF file, and with --one-line the one-line diagram of a\n"
    "study with network columns as an SVG picture, each replaced only when whole.\n"
    "Options may be shortened to any unambiguous beginning and take their value\n"
    "after a blank or after =; -- ends the options.\n"
    "\n"
    "  --energy-unit U         cal/cm2 (default) or J/cm2\n"
    "  --boundary-unit U       inches (default) or mm\n"
    "  --pressure-unit U       lb/ft2 (default), N/m2, Atmosphere or kpa\n"
    "  --tnt-unit U            kg (default), lb or grams\n"
    "  --decimal-separator C   . or , for the numbers read and written\n"
    "                          (default: that of the first rows' numbers in a\n"
    "                          study separated by ; or tab, else .)\n"
    "  --delimiter C           , ; or tab between the fields read (default: ; or\n"
    "                          tab when the header row names the study's columns\n"
    "                          between them and holds no comma, else ,)\n"
    "  --output-delimiter C    , ; or tab between the fields written (default:\n"
    "                          the input's)\n"
    "  --line-ends E           lf or crlf: the output's line ends (default: those\n"
    "                          of the input's first line; CR alone gives crlf)\n"
    "  -o, --output FILE.csv   the result CSV to FILE.csv, replaced only when whole\n"
    "                          (default: standard output)\n"
    "  --quiet                 no notes on how the study was read (Windows-1252,\n"
    "                          the decimal separator), no progress line\n"
    "  --progress              the progress line (rows, labels, report; elapsed and\n"
    "                          left) also when standard error is not a terminal\n"
    "  --strict                exit status 3 when some rows are errors\n"
    "  --curves FILE.csv       fuse total-clearing curves by name (rows\n"
    "                          name,current,time; current in A, time in s) for the\n"
    "                          fuse_curve column of rows with device_type fuse-curve\n"
    "  --short-circuit C       ansi (default) or iec60909: the convention of the\n"
    "                          fault currents a study with network columns (bus,\n"
    "                          branch_type, ...) computes for its rows\n"
    "  --lv-tolerance T        6 (default) or 10: the voltage tolerance (%) of the\n"
    "                          low-voltage systems by iec60909, giving c max 1.05\n"
    "                          or 1.10 up to 1 kV\n"
    "  --cable-end-temp C      the conductors' temperature at the end of the fault\n"
    "                          (°C, 20 to 300) of the minimum case, for cables\n"
    "                          without cable_end_temp (default: 80 by iec60909,\n"
    "                          20 by ansi)\n"
    "  --arc-steps S           on (default) or off: a study with network columns\n"
    "                          clears each point's arc in steps, the devices nearest\n"
    "                          the fault opening one after another (arc_steps\n"
    "                          column); off: in one step at the point's device's\n"
    "                          time\n"
    "  --motor-decay N         the cycles (of 60 Hz, default 5) after which the\n"
    "                          motors stop feeding an arc in steps; none: they feed\n"
    "                          it until the last other source is cleared\n"
    "  --arc-current-range S   off (default) or on: a study with network columns\n"
    "                          finds each point's worst energy over the bolted\n"
    "                          currents between its minimum and maximum case\n"
    "                          (range_worst_arcing_current, range_worst_energy\n"
    "                          columns); the point's results are those at the\n"
    "                          worst current where it is above both cases\n"
    "  --scenarios LIST        the scenarios a study with network columns is\n"
    "                          computed in, separated by commas (default: normal\n"
    "                          and every name its scenarios and maint_scenario\n"
    "                          cells use); each point shows the worst\n"
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
    "  --report FILE.pdf       the study report: a title block on every page, its\n"
    "                          scope, data and assumptions, one row per point\n"
    "                          (inputs, then the governing case's results, PPE\n"
    "                          and approach boundaries), the scenarios compared,\n"
    "                          the points above 40 cal/cm2, the protective device\n"
    "                          settings, the label schedule, the points computed\n"
    "                          with a caution, the refused points and a note on\n"
    "                          the methods\n"
    "  --report-paper P        locale (default: the paper of PAPERSIZE, LC_PAPER or\n"
    "                          /etc/papersize, else Letter in the Americas' Letter\n"
    "                          countries and A4 elsewhere), a4 or letter\n"
    "  --report-title T        the report's title (default: the input file's name\n"
    "                          without folder or extension, as the desktop\n"
    "                          program's report of the same study)\n"
    "  --report-project T      a \"Project:\" line under the title\n"
    "  --report-client T       a \"Client:\" line under the title\n"
    "  --report-author T       a \"Prepared by:\" line under the title\n"
    "  --engineer T            the engineer responsible, name and licence, in the\n"
    "                          report's Scope\n"
    "  --report-curves         an appendix with the time-current curve of each row's\n"
    "                          protective device, its arcing currents marked\n"
    "  --report-one-line       a study with network columns: its one-line diagram\n"
    "                          (each bus with its currents and the hazard of its\n"
    "                          points, in the first scenario) on pages of its own\n"
    "                          before the short-circuit table (the default)\n"
    "  --no-report-one-line    the report without the one-line diagram\n"
    "  --one-line FILE.svg     the one-line diagram of a study with network columns\n"
    "                          (in its first scenario) as an SVG picture\n"
    "\n"
    "A study whose first MiB is not valid UTF-8 is read as Windows-1252 (a\n"
    "spreadsheet's CSV export) and written in UTF-8, told on standard error.\n"
    "\n"
    "Exit status: 0 when the study was read (rows may still carry warnings or\n"
    "errors), 1 when the results, a PDF or the SVG could not be written (or no\n"
    "point was computed to label, or a study without network columns was asked\n"
    "for its one-line), 2 for a usage error, an unreadable input or too little\n"
    "memory, 3 with --strict when the results were written and some rows are\n"
    "errors.\n";

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
    {"engineer", &zentavo::StudyPdfRequest::engineer},
};

// The value rows of --label-rows, by label entry from 2 (equipment type) on.
constexpr std::array<std::string_view, 13> kLabelRowWords = {
    "equipment-type",      "grounding",      "work-distance",   "bolted-current",
    "limited-approach",    "restricted-approach", "prohibited-approach", "flash-boundary",
    "incident-energy",     "pressure",       "tnt",             "ppe-level",
    "clothing"};
constexpr int kFirstLabelRowEntry = 2;

// A number option's value that is no number: outside every range.
constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

int UsageError(const std::string& message) {
    Tell(message + " (see --help)");
    return 2;
}

// The usage error of an option's value the study library refuses.
std::optional<std::string> UsageOf(const std::optional<zentavo::Refusal>& refusal) {
    if (!refusal) return std::nullopt;
    return refusal->message;
}

// --label-rows: "none", or label rows by their words; the usage error, or none.
std::optional<std::string> ReadLabelRows(const std::string& value, zentavo::StudyPdfRequest& pdf) {
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

// An option that takes one of its words; the usage error, or none.
std::optional<std::string> ReadWordOption(const WordOption& option, const std::string& value, Arguments& args) {
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

// A unit option or the decimal separator; the usage error, or none.
std::optional<std::string> ReadUnitOption(const UnitOption& option, const std::string& value, zentavo::StudyOptions& options) {
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

// One option `name` with its value; the usage error, or none.
std::optional<std::string> ReadOption(const std::string& name, const std::string& value, Arguments& args) {
    if (name == "labels" || name == "report" || name == "one-line") {
        if (value.empty()) return "--" + name + " needs a file name";
        // Standard output carries the results; "-" is not taken as a file's name either.
        const char* kind = name == "one-line" ? "an SVG" : "a PDF";
        if (value == "-")
            return "--" + name + " writes " + kind + " file, not to standard output (name a file, ./- for one named -)";
        (name == "labels" ? args.pdf.labelsPath : name == "report" ? args.pdf.reportPath : args.pdf.oneLinePath) = value;
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
        args.standardGiven = true;
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
        if (const std::optional<double> volts = zentavo::ReadNumber(value, '.'); volts && *volts > 0) {
            args.pdf.dangerAboveVolts = *volts;
            return {};
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
        if (o.name != name) continue;
        if (name == "decimal-separator") args.options.detectDecimalSeparator = false;
        return ReadUnitOption(o, value, args.options);
    }
    if (name == "delimiter" || name == "output-delimiter") {
        const char d = value == "," ? ',' : value == ";" ? ';' : value == "tab" || value == "\t" ? '\t' : 0;
        if (!d) return "--" + name + " takes one of ',', ';', tab, not '" + value + "'";
        if (name == "output-delimiter") {
            args.options.outputDelimiter = d;
        } else {
            args.options.delimiter = d;
            args.options.detectDelimiter = false;
        }
        return {};
    }
    if (name == "output") {
        if (value.empty()) return "--output needs a file name (- for standard output)";
        args.outputPath = value;
        return {};
    }
    if (name == "line-ends") {
        if (value != "lf" && value != "crlf") return "--line-ends takes one of lf, crlf, not '" + value + "'";
        args.options.lineEnd = value == "lf" ? zentavo::csv::LineEnd::kLf : zentavo::csv::LineEnd::kCrLf;
        args.options.lineEndOfInput = false;
        return {};
    }
    // The study's options are held to their ranges by the study library
    // (StudyOptions::Check), as in the study window; a word that is not one
    // of them, or no number, is set outside them.
    if (name == "lv-tolerance") {
        args.options.lvTolerance = value == "6" ? 6 : value == "10" ? 10 : 0;
        return UsageOf(args.options.Check({.lvTolerance = value}));
    }
    if (name == "cable-end-temp") {
        args.options.cableEndTemp = zentavo::ReadNumber(value, '.').value_or(kNoNumber);
        return UsageOf(args.options.Check({.cableEndTemp = value}));
    }
    if (name == "arc-steps") {
        if (value != "on" && value != "off") return "--arc-steps takes one of on, off, not '" + value + "'";
        args.options.arcSteps = value == "on";
        return {};
    }
    if (name == "arc-current-range") {
        if (value != "on" && value != "off")
            return "--arc-current-range takes one of on, off, not '" + value + "'";
        args.options.arcCurrentRange = value == "on";
        return {};
    }
    if (name == "motor-decay") {
        if (value == "none") {
            args.options.motorDecay.reset();
            return {};
        }
        args.options.motorDecay = zentavo::ReadNumber(value, '.').value_or(kNoNumber);
        return UsageOf(args.options.Check({.motorDecay = value}));
    }
    if (name == "scenarios") {
        std::vector<std::string> names;
        for (std::size_t at = 0;;) {
            const std::size_t comma = std::min(value.find(',', at), value.size());
            std::string one = value.substr(at, comma - at);
            if (!zentavo::IsScenarioName(one))
                return "--scenarios takes scenario names (1 to 32 letters, digits, '-', '_' or '.', "
                       "not all) separated by commas, not '" + value + "'";
            for (const std::string& n : names) {
                if (n != one && zentavo::SameScenarioName(n, one))
                    return "--scenarios names one scenario twice, as '" + n + "' and '" + one +
                           "' (scenario names are the same whatever their case)";
            }
            if (std::find(names.begin(), names.end(), one) == names.end()) names.push_back(std::move(one));
            if (comma == value.size()) break;
            at = comma + 1;
        }
        args.options.scenarios = std::move(names);
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
        {"label-rows"},       {"delimiter"},           {"output-delimiter"}, {"line-ends"},
        {"output", 'o'},      {"quiet", 0, false},     {"strict", 0, false}, {"progress", 0, false},
        {"label-standard"},   {"label-size"},          {"label-danger-above-volts"},
        {"assessment-date"},
        {"curves"},           {"report-curves", 0, false}, {"short-circuit"},
        {"lv-tolerance"},     {"cable-end-temp"},      {"arc-steps"}, {"motor-decay"},
        {"arc-current-range"},
        {"scenarios"},        {"one-line"},            {"report-one-line", 0, false},
        {"no-report-one-line", 0, false}};
    for (const UnitOption& o : kUnitOptions) table.push_back({o.name});
    for (const WordOption* o : kWordOptions) table.push_back({o->name});
    for (const TextOption& o : kReportTexts) table.push_back({o.name});
    return table;
}


}  // namespace

// Reads the command line into `args`. Returns the exit status where the
// program ends with it: after --help or --version, or a usage error (told).
std::optional<int> ReadArguments(int argc, char** argv, Arguments& args) {
    const std::vector<zentavo::CommandOption> table = CommandOptions();
    const zentavo::CommandLine line = zentavo::ReadCommandLine(argc, argv, table);
    if (line.problem) return UsageError(*line.problem);
    for (const zentavo::CommandLine::Given& given : line.options) {
        const std::string name(table[given.option].name);
        if (name == "help") return zentavo::AnswerOnStandardOutput("zentavo-batch", kUsage);
        if (name == "version")
            return zentavo::AnswerOnStandardOutput("zentavo-batch", zentavo::VersionText("zentavo-batch", ZENTAVO_VERSION));
        if (name == "quiet" || name == "strict" || name == "progress") {  // take no value
            (name == "quiet" ? args.quiet : name == "strict" ? args.strict : args.progress) = true;
            continue;
        }
        if (name == "report-curves" || name == "report-one-line" || name == "no-report-one-line") {  // take no value
            if (name == "report-curves")
                args.pdf.reportCurves = true;
            else
                args.pdf.reportOneLine = name == "report-one-line";
            args.reportOptionGiven = name;
            continue;
        }
        if (const std::optional<std::string> error = ReadOption(name, given.value, args)) {
            return UsageError(*error);
        }
    }
    if (line.operands.size() > 1) return UsageError("only one input file may be given");
    if (!line.operands.empty()) {
        args.input = line.operands.front();
        args.inputPath = args.input.c_str();
    }
    // The standard speaks in the labels and the report alike.
    if (args.standardGiven && args.pdf.labelsPath.empty() && args.pdf.reportPath.empty()) {
        return UsageError("--label-standard applies to the labels and the report: give --labels FILE.pdf or "
                          "--report FILE.pdf");
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

}  // namespace zentavo::batch

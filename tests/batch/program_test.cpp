// SPDX-License-Identifier: GPL-3.0-or-later
// The zentavo-batch program as the user runs it: its exit status and
// messages, spreadsheet exports and pipes, the header row and UTF-16 input
// as the program reports them, and the program under too little memory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "study/csv.h"
#include "study/csv_writer.h"
#include "study/run.h"
#include "study/study_file.h"
#include "io/text_codec.h"
#include "study/study_input.h"
#include "study_tools.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZENTAVO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZENTAVO_ASAN 1
#endif
#endif

namespace zentavo {
namespace {

using study_test::FileBytes;

using study_test::kEmpirical;
using study_test::kMethodsHeader;
using study_test::RunPieces;

// Header names are matched without the blanks around them and without regard
// to case; a column the study reads may stand once; an input column named
// like a result column is written as input_<name>. The batch calculator and
// the study window read a header alike.
TEST(Study, HeaderNamesTrimmedWithoutCaseAndNeverTwice) {
    // clang-format off
    struct Case {
        std::string header;
        std::string outputHeader;  // up to `status`; empty when the header is refused
        std::string fault;
    } cases[] = {
        {" method,bolted_current , Work_Distance\t,FUSE_CLASS",
         " method,bolted_current , Work_Distance\t,FUSE_CLASS,status", ""},
        {"Point,Method,Bolted_Current,work_distance,fuse_class",
         "Point,Method,Bolted_Current,work_distance,fuse_class,status", ""},
        {"method,bolted_current,work_distance,fuse_class,Status, message ",
         "method,bolted_current,work_distance,fuse_class,input_Status,input_message,status", ""},
        {"method,bolted_current,work_distance,fuse_class,status,input_status",
         "method,bolted_current,work_distance,fuse_class,input_input_status,input_status,status", ""},
        {"method,bolted_current,work_distance,fuse_class,Bolted_Current ", "",
         "column bolted_current appears twice"},
        {"method,bolted_current,work_distance,fuse_class,voltage, voltage,VOLTAGE", "",
         "column voltage appears 3 times"},
        {"point,method,bolted_current,work_distance,fuse_class,POINT", "",
         "column point appears twice"},
        // A result column nearly named as an input is refused, naming the input.
        {"method,bolted_current,work_distance,fuse_class, Scenario", "",
         "column scenario is a result column; the input column is scenarios"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        std::string row = c.header.find_first_of("Pp") == 0 ? "P1,fuse,1,455,0" : "fuse,1,455,0";
        while (std::count(row.begin(), row.end(), ',') <
               std::count(c.header.begin(), c.header.end(), ',')) {
            row += ',';
        }
        const std::string study = c.header + "\n" + row + "\n";
        std::string out, fault;
        try {
            RunStudy(study, {}, [&](std::string_view s) { out += s; });
        } catch (const StudyReadError& e) {
            fault = e.message;
        }
        EXPECT_EQ(fault, c.fault);
        if (c.fault.empty()) {
            EXPECT_EQ(out.rfind(c.outputHeader + ",message,arcing_current,", 0), 0u) << out;
            const auto rows = study_test::CsvRows(out);
            ASSERT_EQ(rows.size(), 1u);
            EXPECT_EQ(rows[0].at("status"), "ok") << rows[0].at("message");
            EXPECT_EQ(rows[0].at("incident_energy"), "2.39");
            EXPECT_EQ(StudyFile::Parse(study, {}).Cells(0)[kIncidentEnergyColumn], "2.39");
        } else {
            EXPECT_EQ(out, "");
            EXPECT_THROW(StudyFile::Parse(study, {}),
                         std::runtime_error);  // the window: see its test
        }
    }
    const study_test::CommandRun run = study_test::RunCommand(
        "printf 'voltage,method,Voltage\\n480,empirical,480\\n' | " ZENTAVO_BATCH_PROGRAM " 2>&1");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "zentavo-batch: standard input: column voltage appears twice\n");
    // A result column among the inputs is not read, and said so.
    const study_test::CommandRun told = study_test::RunCommand(
        "printf 'method,bolted_current,work_distance,fuse_class,Status\\nfuse,1,455,0,ok\\n' | " ZENTAVO_BATCH_PROGRAM
        " 2>&1 >/dev/null");
    EXPECT_EQ(told.status, 0);
    EXPECT_EQ(told.out, "zentavo-batch: standard input: column status is a result column, which the study writes: "
                        "not read as an input\n");
}

// A results file run again is a study: its result columns, after its inputs,
// are its results, none refused or told; its inputs give the same results.
TEST(Study, ResultsFilesAreReadBackAsStudies) {
    const std::string examples = ZENTAVO_EXAMPLES_DIR "/";
    const std::string err = ::testing::TempDir() + "results-again.err";
    for (const char* name : {"study-results.csv", "study-2018-results.csv", "plant-network-results.csv",
                             "plant-study-devices-results.csv"}) {
        SCOPED_TRACE(name);
        const study_test::CommandRun run = study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) + " --curves " +
                                                                  examples + "device-curves.csv " + examples + name +
                                                                  " 2>" + err);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(FileBytes(err), "");
        const std::vector<study_test::CsvRow> before = study_test::CsvRows(FileBytes(examples + name)),
                                              after = study_test::CsvRows(run.out);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(after[i].at("incident_energy"), before[i].at("incident_energy")) << i;
            EXPECT_EQ(after[i].at("input_incident_energy"), before[i].at("incident_energy")) << i;
        }
    }
}

// A spreadsheet's "Unicode text": UTF-16 with a byte-order mark, either byte
// order, read as the same study in UTF-8 however it is cut into reads.
TEST(StudyStream, Utf16WithAByteOrderMarkIsReadAsUtf8) {
    const std::u16string study16 =
        u"point,method,bolted_current,work_distance,fuse_class\r\n"
        u"\u03A9-1 \U0001F600,fuse,1,455,0\r\nP2,fuse,1,455,0,5\r\n";
    const std::string study8 =
        "point,method,bolted_current,work_distance,fuse_class\r\n"
        "\xCE\xA9-1 \xF0\x9F\x98\x80,fuse,1,455,0\r\nP2,fuse,1,455,0,5\r\n";
    const std::string expected = RunPieces(study8);
    EXPECT_NE(expected.find("\r\n\xCE\xA9-1 \xF0\x9F\x98\x80,fuse,1,455,0,ok,"), std::string::npos);
    for (bool little : {true, false}) {
        for (std::size_t piece : {1u, 3u, 4096u}) {
            EXPECT_EQ(RunPieces(study_test::Utf16Bytes(study16, little), {}, piece), expected)
                << little << " " << piece;
        }
    }
    // A surrogate without its pair, or a byte left over, is no text at all.
    for (const std::string& bad :
         {study_test::Utf16Bytes(u"p\xD800q", true), study_test::Utf16Bytes(u"p\xDC00", false),
          study_test::Utf16Bytes(u"pq", true) + "r"}) {
        EXPECT_THROW(RunStudy(bad, {}, [](std::string_view) {}), StudyReadError);
    }
    const study_test::CommandRun run = study_test::RunCommand(
        "printf '\\377\\376p\\000\\000\\330' | " ZENTAVO_BATCH_PROGRAM " 2>&1 >/dev/null");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out,
              "zentavo-batch: standard input: not valid UTF-16 (a surrogate without its pair, or "
              "a byte left over): save the study as UTF-8\n");
}

// The program itself: exit status and messages.
study_test::CommandRun RunProgram(const std::string& args) {
    // Standard error comes with the output, unless the arguments place it.
    const bool placed = args.find("2>") != std::string::npos;
    return study_test::RunCommand(std::string(ZENTAVO_BATCH_PROGRAM) + " " + args + (placed ? "" : " 2>&1"));
}

TEST(BatchProgram, ExitStatusAndMessages) {
    const std::string example = ZENTAVO_EXAMPLES_DIR "/study.csv";
    auto r = RunProgram(example);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, FileBytes(ZENTAVO_EXAMPLES_DIR "/study-results.csv"));

    r = RunProgram("< " + example);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, FileBytes(ZENTAVO_EXAMPLES_DIR "/study-results.csv"));

    struct Case {
        std::string args;
        std::string firstWords;
    } failures[] = {
        {"/nonexistent/study.csv", "zentavo-batch: cannot read /nonexistent/study.csv:"},
        {"--colour red " + example, "zentavo-batch: unrecognized option '--colour' (see --help)"},
        {"--tnt-unit", "zentavo-batch: option '--tnt-unit' requires an argument"},
        {"-x " + example, "zentavo-batch: invalid option -- 'x'"},
        {"--help=all", "zentavo-batch: option '--help' doesn't allow an argument"},
        {"--label fr " + example,
         "zentavo-batch: option '--label' is ambiguous; possibilities: '--labels' '--label-rows' '--label-standard' "
         "'--label-size' '--label-danger-above-volts' '--label-language' '--label-colour' '--label-name' "
         "'--label-date'"},
        {"--report - " + example, "zentavo-batch: --report writes a PDF file, not to standard output"},
        {example + " " + example, "zentavo-batch: only one input file may be given"},
        // Every option value is one of its words, named in the message.
        {"--decimal-separator ';' " + example,
         "zentavo-batch: --decimal-separator takes one of ., ,, not ';'"},
        {"--energy-unit kJ " + example, "zentavo-batch: --energy-unit takes one of cal/cm2, J/cm2, not 'kJ'"},
        {"--energy-unit=cal/cm² " + example, "zentavo-batch: --energy-unit takes one of cal/cm2, J/cm2,"},
        {"--pressure-unit psi " + example,
         "zentavo-batch: --pressure-unit takes one of lb/ft2, N/m2, Atmosphere, kpa, not 'psi'"},
        {"--pressure-unit KPA " + example, "zentavo-batch: --pressure-unit takes one of"},
        {"--boundary-unit feet " + example, "zentavo-batch: --boundary-unit takes one of inches, mm, not 'feet'"},
        {"--tnt-unit tons " + example, "zentavo-batch: --tnt-unit takes one of kg, lb, grams, not 'tons'"},
        {"--tnt-unit '' " + example, "zentavo-batch: --tnt-unit takes one of kg, lb, grams, not ''"},
        {"--boundary-unit= " + example, "zentavo-batch: --boundary-unit takes one of inches, mm, not ''"},
        {"--energy-unit 'J/cm2 ' " + example, "zentavo-batch: --energy-unit takes one of"},
        {"< /dev/null", "zentavo-batch: standard input: no header row"},
        // The label standards' options: their words, a real date, and the
        // options of the classic label alone.
        {"--labels l.pdf --label-standard ansi " + example,
         "zentavo-batch: --label-standard takes one of nfpa70e, csa-z462, classic, not 'ansi'"},
        {"--labels l.pdf --label-size 4x6 " + example, "zentavo-batch: --label-size takes one of 6x4, 4x4, 5x3.5,"},
        {"--labels l.pdf --label-standard classic --label-size 4x4 " + example,
         "zentavo-batch: --label-size: the classic label is 6x4"},
        {"--labels l.pdf --label-rows ppe-level " + example,
         "zentavo-batch: --label-rows applies to the classic label: give --label-standard classic"},
        {"--labels l.pdf --label-standard csa-z462 --label-date yes " + example,
         "zentavo-batch: --label-date applies to the classic label"},
        {"--labels l.pdf --label-danger-above-volts 0 " + example,
         "zentavo-batch: --label-danger-above-volts takes a voltage above 0 V, not '0'"},
        {"--assessment-date 2026-02-29 " + example,
         "zentavo-batch: --assessment-date takes a date YYYY-MM-DD, not '2026-02-29'"},
        {"--assessment-date 9.12.2026 " + example, "zentavo-batch: --assessment-date takes a date"},
        {"--label-size 4x4 " + example, "zentavo-batch: --label-size applies to the labels: give --labels FILE.pdf"},
    };
    for (const auto& f : failures) {
        r = RunProgram(f.args);
        EXPECT_EQ(r.status, 2) << f.args;
        EXPECT_EQ(r.out.rfind(f.firstWords, 0), 0u) << f.args << ": " << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << f.args << ": " << r.out;
    }

    // A disk that is full: the program says so on one line and fails.
    r = RunProgram(example + " 2>&1 >/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "zentavo-batch: cannot write the results: No space left on device\n");

    // --version: the version, then the copyright and licence; an answer that
    // cannot be written says so, as GNU tools do.
    r = RunProgram("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("zentavo-batch " ZENTAVO_VERSION "\nCopyright (C) 2026 the Zentavo authors.\nLicense GPLv3+", 0),
              0u)
        << r.out;
    for (const char* answer : {"--help", "--version"}) {
        r = RunProgram(std::string(answer) + " 2>&1 >/dev/full");
        EXPECT_EQ(r.status, 1) << answer;
        EXPECT_EQ(r.out, "zentavo-batch: write error: No space left on device\n") << answer;
    }

    // GNU command lines: options after the input, shortened names, short
    // options, "--" before an input named like an option.
    const std::string dashed = ::testing::TempDir() + "/-study.csv";
    ASSERT_EQ(study_test::RunCommand("cp " + example + " " + dashed).status, 0);
    for (const std::string& args : {"--energy-unit=J/cm2 --boundary-unit mm " + example,
                                    example + " --energy=J/cm2 --bound mm",
                                    "--energy-unit J/cm2 --boundary-unit mm -- " + dashed}) {
        r = RunProgram(args);
        EXPECT_EQ(r.status, 0) << args;
        EXPECT_NE(r.out.find("MCCB feeder F-12,breaker,480,20,,,460,mm,,,,,,MCCB-100-400,25,2,ok,,,,"
                             "4.36,377,0,"),
                  std::string::npos)
            << args << ": " << r.out;
    }
    for (const char* help : {"-h", "--help", "--he"}) {
        r = RunProgram(help);
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_EQ(r.out.rfind("Usage: zentavo-batch ", 0), 0u) << help << ": " << r.out;
    }
    EXPECT_EQ(RunProgram("-V").out, RunProgram("--version").out);
    EXPECT_EQ(RunProgram("--help >/dev/full").status, 1);
}

// A study as a spreadsheet exports it: `delimiter` between the fields,
// `decimal` in the numbers, LF line ends; by default as a Spanish, French
// or German spreadsheet does (semicolons, decimal commas).
std::string SpreadsheetExport(std::string_view study, char delimiter = ';', char decimal = ',') {
    csv::Reader reader(study);
    std::vector<std::string> fields;
    std::string out;
    while (reader.Next(fields)) {
        for (std::string& f : fields) {
            const bool number = !f.empty() && std::count(f.begin(), f.end(), '.') == 1 &&
                                f.find_first_not_of("0123456789.-") == std::string::npos;
            if (number) std::replace(f.begin(), f.end(), '.', decimal);
        }
        csv::AppendRecord(out, fields, {delimiter, csv::LineEnd::kLf});
    }
    return out;
}

// A temporary file holding `bytes`, removed with the object.
struct TempFile {
    explicit TempFile(const std::string& bytes) {
        char name[] = "/tmp/zentavo-export-XXXXXX";
        const int fd = mkstemp(name);
        path = name;
        if (fd >= 0) {
            if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) path.clear();
            close(fd);
        }
    }
    ~TempFile() { std::remove(path.c_str()); }
    std::string path;
};

// A spreadsheet's export read right without a word of the user: the
// delimiter from its header, the decimal separator from the numbers of a
// semicolon or tab study, a byte-order mark passed over (before UTF-8 or
// Windows-1252 text alike), a Windows-1252 export decoded; each gives the UTF-8 comma study's results in the
// export's own delimiter and decimal separator, and standard error says
// only what the reading had to choose.
TEST(BatchProgram, ASpreadsheetsExportIsReadWithoutOptions) {
    std::string study = FileBytes(ZENTAVO_EXAMPLES_DIR "/study.csv");
    const std::string name = "MCC-1 bucket 3";
    ASSERT_NE(study.find(name), std::string::npos);
    study.replace(study.find(name), name.size(), "Subestaci\xC3\xB3n 3");
    const TempFile utf8(study);
    const auto plain = RunProgram(utf8.path + " 2>/dev/null");
    ASSERT_EQ(plain.status, 0);
    ASSERT_NE(plain.out.find("Subestaci\xC3\xB3n 3,empirical"), std::string::npos);
    for (const char delimiter : {',', ';', '\t'}) {
        for (const char decimal : {'.', ','}) {
            for (const bool bom : {false, true}) {
                for (const bool cp1252 : {false, true}) {
                    if (delimiter == ',' && decimal == ',') continue;
                    SCOPED_TRACE(std::string("delimiter ") + delimiter + " decimal " + decimal + (bom ? " bom" : "") +
                                 (cp1252 ? " windows-1252" : ""));
                    const std::string exported = SpreadsheetExport(study, delimiter, decimal);
                    const TempFile file((bom ? "\xEF\xBB\xBF" : "") + (cp1252 ? Utf8ToCp1252(exported) : exported));
                    ASSERT_FALSE(file.path.empty());
                    const TempFile err("");
                    const auto run = RunProgram(file.path + " 2>" + err.path);
                    EXPECT_EQ(run.status, 0);
                    EXPECT_EQ(run.out, SpreadsheetExport(plain.out, delimiter, decimal));
                    EXPECT_EQ(FileBytes(err.path),
                              cp1252 ? "zentavo-batch: " + file.path +
                                           ": not UTF-8: read as Windows-1252 (a spreadsheet's CSV export); "
                                           "the results are in UTF-8\n"
                                     : "");
                }
            }
        }
    }
    // Rows that do not tell: read with a point, said once; --decimal-separator
    // and --quiet say nothing.
    const std::string undecided = "zentavo-batch: standard input: the decimal separator cannot be told from the first "
                                  "rows (they hold both 0.5 and 0,5, or no number with a fraction): read with '.'; "
                                  "give --decimal-separator to choose\n";
    const std::string head = "method;voltage;bolted_current;gap;work_distance;equipment_class;grounding;arc_time\n";
    struct Untold {
        std::string rows, args, err;
    } untold[] = {
        {"empirical;480;20;32;455;Switchgear;Grounded;0.2\nempirical;480;20;32;455;Switchgear;Grounded;0,2\n", "",
         undecided},
        {"empirical;480;20;32;455;Switchgear;Grounded;1\n", "", undecided},
        {"empirical;480;20;32;455;Switchgear;Grounded;1\n", "--decimal-separator .", ""},
        {"empirical;480;20;32;455;Switchgear;Grounded;1\n", "--quiet", ""},
    };
    for (const Untold& u : untold) {
        const TempFile in(head + u.rows), err("");
        const auto run = RunProgram(u.args + " < " + in.path + " 2>" + err.path);
        EXPECT_EQ(run.status, 0) << u.args;
        EXPECT_EQ(FileBytes(err.path), u.err) << u.rows << u.args;
    }
}

// A study taken as UTF-8 by its first MiB: a later row that is not UTF-8
// is an error row naming its line, the others are computed.
TEST(StudyStream, ARowNotUtf8BeyondTheFirstMibIsAnError) {
    std::string study = "point,method,bolted_current,work_distance,fuse_class\n";
    std::size_t rows = 0;
    while (study.size() <= kStudyLookBytes) {
        study += "Fuse " + std::string(200, 'x') + ",fuse,1,455,0\n";
        ++rows;
    }
    study += "Subestaci\xF3n,fuse,1,455,0\n";
    StudyOptions options;
    options.detectEncoding = true;
    std::string out;
    const StudyRunSummary summary = RunStudy(study, options, [&](std::string_view s) { out += s; }).summary;
    EXPECT_FALSE(summary.cp1252);
    EXPECT_EQ(summary.rows, rows + 1);
    EXPECT_EQ(summary.errors, 1u);
    ASSERT_EQ(summary.listed.size(), 1u);
    EXPECT_EQ(summary.listed[0].message, "line " + std::to_string(rows + 2) +
                                             ": not UTF-8, though the study's first MiB is: save the study as UTF-8");
}

// -o writes the results to a file, replaced only when whole and never over
// the input or another output; --output-delimiter writes with its own
// delimiter; --strict ends with 3 when a row is an error (a warning is not).
TEST(BatchProgram, TheResultsToAFileAndStrictExitStatus) {
    const std::string example = ZENTAVO_EXAMPLES_DIR "/study.csv";
    const std::string results = FileBytes(ZENTAVO_EXAMPLES_DIR "/study-results.csv");
    const std::string dir = ::testing::TempDir() + "/zentavo-output";
    ASSERT_EQ(study_test::RunCommand("rm -rf " + dir + " && mkdir " + dir).status, 0);
    const std::string out = dir + "/out.csv";
    const TempFile errors(kMethodsHeader + kEmpirical + "fuse,x\n");
    struct Case {
        std::string args;
        int status;
        std::string output;  // standard output and error
        std::string file;    // out.csv after the run
    } cases[] = {
        {"-o " + out + " " + example, 0, "", results},
        {"--output=" + out + " /dev/null", 2, "zentavo-batch: /dev/null: no header row\n", results},
        {"-o " + example + " " + example, 2,
         "zentavo-batch: --output " + example + " and the input " + example + " are the same file\n", results},
        {"--labels " + out + " -o " + out + " " + example, 2,
         "zentavo-batch: --output " + out + " and --labels " + out + " are the same file\n", results},
        {"-o /nonexistent/out.csv " + example, 1, "", results},
        {"-o - --output-delimiter ';' " + example, 0, SpreadsheetExport(results, ';', '.'), results},
        {"--strict " + example, 0, results, results},
        {"--strict -o " + out + " " + errors.path, 3, "", ""},
    };
    for (const Case& c : cases) {
        const auto run = RunProgram(c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        if (c.status == 1) {
            EXPECT_EQ(run.out.rfind("zentavo-batch: cannot write the results: ", 0), 0u) << run.out;
        } else {
            EXPECT_EQ(run.out, c.output) << c.args;
        }
        if (!c.file.empty()) EXPECT_EQ(FileBytes(out), c.file) << c.args;
    }
    EXPECT_NE(FileBytes(out).find(",error,"), std::string::npos);
    EXPECT_EQ(study_test::RunCommand("ls -A " + dir).out, "out.csv\n");  // no temporary file left

    // --progress draws the progress line on standard error off a terminal too,
    // the rows and then the labels, erased at the end; --quiet leaves it out.
    const auto drawn = RunProgram("--progress --labels " + dir + "/l.pdf " + example + " 2>&1 >/dev/null");
    EXPECT_EQ(drawn.status, 0);
    EXPECT_EQ(drawn.out.rfind("\rzentavo-batch: 14 rows, 0:00\x1b[K\r\x1b[K\rzentavo-batch: labels 1 of 14, 0:00", 0), 0u)
        << drawn.out;
    EXPECT_NE(drawn.out.find("\r\x1b[Kzentavo-batch: 3 of 14 points were not computed"), std::string::npos)
        << drawn.out;  // the line erased before a message
    EXPECT_EQ(RunProgram("--progress --quiet " + example + " 2>&1 >/dev/null").out, "");
}

// Every shell command of the README and of its pages in docs/ that runs
// zentavo-batch on an example works as written, pipes included: run from a
// folder holding the examples, with the program built here first on the PATH.
TEST(BatchProgram, TheReadmesCommandsWork) {
    std::vector<std::string> pages{ZENTAVO_README};
    for (const auto& entry : std::filesystem::directory_iterator(ZENTAVO_DOCS_DIR))
        if (entry.path().extension() == ".md") pages.push_back(entry.path().string());
    std::sort(pages.begin() + 1, pages.end());
    struct Command {
        std::string page, text;
    };
    std::vector<Command> commands;
    for (const std::string& page : pages) {
        std::istringstream text(FileBytes(page));
        bool shell = false;
        std::string command;
        for (std::string line; std::getline(text, line);) {
            if (line.starts_with("```")) {
                shell = line == "```sh";
                continue;
            }
            if (!shell) continue;
            command += line;
            if (!command.empty() && command.back() == '\\') {
                command.pop_back();
                continue;
            }
            if (command.starts_with("zentavo-batch ") && command.find("examples/") != std::string::npos)
                commands.push_back({page, command});
            command.clear();
        }
    }
    EXPECT_GE(commands.size(), 10u);
    const std::string dir = ::testing::TempDir() + "/zentavo-readme";
    const std::string program = ZENTAVO_BATCH_PROGRAM;
    const std::string bin = program.substr(0, program.rfind('/'));
    ASSERT_EQ(study_test::RunCommand("rm -rf " + dir + " && mkdir " + dir + " && ln -s " ZENTAVO_EXAMPLES_DIR " " +
                                     dir + "/examples").status,
              0);
    for (const Command& c : commands) {
        std::ofstream(dir + "/command.sh") << c.text << "\n";
        const auto run = study_test::RunCommand("cd " + dir + " && PATH=" + bin +
                                                ":$PATH bash -o pipefail command.sh 2>&1 >/dev/null");
        EXPECT_EQ(run.status, 0) << c.page << ": " << c.text << "\n" << run.out;
    }
}

TEST(BatchProgram, SpreadsheetExportsAndPipes) {
    // A semicolon export with decimal commas, its delimiter found from its
    // header: the results of the comma study, with semicolons and decimal commas.
    for (const char* sample : {"/study.csv", "/study-2018.csv"}) {
        SCOPED_TRACE(sample);
        const std::string study = FileBytes(std::string(ZENTAVO_EXAMPLES_DIR) + sample);
        char path[] = "/tmp/zentavo-export-XXXXXX";
        const int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        const std::string exported = SpreadsheetExport(study);
        ASSERT_EQ(write(fd, exported.data(), exported.size()), static_cast<ssize_t>(exported.size()));
        close(fd);
        const auto comma = RunProgram(std::string(ZENTAVO_EXAMPLES_DIR) + sample + " 2>/dev/null");
        const auto semicolon = RunProgram("--decimal-separator , " + std::string(path) + " 2>/dev/null");
        std::remove(path);
        EXPECT_EQ(comma.status, 0);
        EXPECT_EQ(semicolon.status, 0);
        EXPECT_NE(semicolon.out.find(";ok;"), std::string::npos) << semicolon.out;
        EXPECT_EQ(semicolon.out, SpreadsheetExport(comma.out));
    }

    // The line ends: those asked for, else those of the input's first line.
    const std::string header = "method,voltage,bolted_current,gap,work_distance,equipment_class,"
                               "grounding,arc_time,arc_time_reduced";
    const std::string row = "empirical,480,20,32,455,Switchgear,Grounded,0.2,0.2";
    // clang-format off
    struct Ends {
        std::string in, args, out;
    } ends[] = {
        {"\\n",   "",                 "\n"},
        {"\\r\\n", "",                 "\r\n"},
        {"\\r",   "",                 "\r\n"},
        {"\\n",   "--line-ends crlf", "\r\n"},
        {"\\r\\n", "--line-ends=lf",   "\n"},
        {"\\r",   "--line-ends lf",   "\n"},
    };
    // clang-format on
    for (const Ends& e : ends) {
        SCOPED_TRACE(e.in + " " + e.args);
        const auto r = study_test::RunCommand("printf '" + header + e.in + row + e.in + "' | " +
                                              ZENTAVO_BATCH_PROGRAM " " + e.args);
        EXPECT_EQ(r.status, 0);
        std::string rest = r.out;
        std::size_t records = 0;
        for (std::size_t at; (at = rest.find(e.out)) != std::string::npos; ++records) rest.erase(at, e.out.size());
        EXPECT_EQ(records, 2u) << r.out;
        EXPECT_EQ(rest.find_first_of("\r\n"), std::string::npos) << r.out;
    }

    // awk on the results: the sample's seven empirical rows by their method,
    // the four 2018 points with an enclosure factor of 1.000 by the last field.
    // clang-format off
    struct Pipe {
        std::string command;
        std::string count;
    } pipes[] = {
        {ZENTAVO_EXAMPLES_DIR "/study.csv | awk -F, '$2 == \"empirical\"' | wc -l",    "7\n"},
        {ZENTAVO_EXAMPLES_DIR "/study-2018.csv | awk -F, '$NF == \"1.000\"' | wc -l",  "4\n"},
        {"--line-ends crlf " ZENTAVO_EXAMPLES_DIR "/study-2018.csv | awk -F, '$NF == \"1.000\"' | wc -l", "0\n"},
    };
    // clang-format on
    for (const Pipe& p : pipes) EXPECT_EQ(RunProgram(p.command).out, p.count) << p.command;

    // The delimiter by its words, a tab itself included; a header that names
    // no column of the study is a usage error naming what was read (its first
    // 60 bytes of a field, control characters escaped).
    const std::string tabStudy = "printf 'method\\tvoltage\\tbolted_current\\tgap\\twork_distance\\t"
                                 "equipment_class\\tgrounding\\tarc_time\\n"
                                 "empirical\\t480\\t20\\t32\\t455\\tSwitchgear\\tGrounded\\t0.2\\n' | ";
    const std::string program = ZENTAVO_BATCH_PROGRAM;
    // clang-format off
    struct Run {
        std::string command;
        int status;
        std::string start;
    } runs[] = {
        {tabStudy + program,                         0, "method\tvoltage\tbolted_current\t"},
        {tabStudy + program + " --delimiter tab",    0, "method\tvoltage\tbolted_current\t"},
        {tabStudy + program + " --delimiter '\t'",   0, "method\tvoltage\tbolted_current\t"},
        {tabStudy + program + " --delimiter ,",      2,
         "zentavo-batch: standard input: the header row names none of the study's columns (method, "
         "voltage, bolted_current, ...): read with a comma between fields, it holds 1 field: "
         "\"method\\x09voltage\\x09bolted_current\\x09gap\\x09work_distance\\x09equipment_cl...\"\n"},
        {"printf 'a;b\\n1;2\\n' | " + program,       2,
         "zentavo-batch: standard input: the header row names none of the study's columns (method, "
         "voltage, bolted_current, ...): read with a comma between fields, it holds 1 field: \"a;b\"\n"},
        {program + " --delimiter ';' " ZENTAVO_EXAMPLES_DIR "/study.csv", 2,
         "zentavo-batch: " ZENTAVO_EXAMPLES_DIR "/study.csv: the header row names none of the study's "
         "columns (method, voltage, bolted_current, ...): read with a semicolon between fields, it "
         "holds 1 field: \"point,method,voltage,bolted_current,gap,gap_unit,work_distan...\"\n"},
        {program + " --delimiter '|' /dev/null",     2, "zentavo-batch: --delimiter takes one of ',', ';', tab, not '|'"},
        {program + " --line-ends cr /dev/null",      2, "zentavo-batch: --line-ends takes one of lf, crlf, not 'cr'"},
    };
    // clang-format on
    for (const Run& run : runs) {
        const auto r = study_test::RunCommand(run.command + " 2>&1");
        EXPECT_EQ(r.status, run.status) << run.command;
        EXPECT_EQ(r.out.rfind(run.start, 0), 0u) << run.command << ": " << r.out;
    }
}

// The program under a limit of its address space, on a study far larger than
// the limit: it either finishes with every row or ends with one line and
// status 2 (never an abort); at some limit it must run short. With room
// enough, it finishes.
TEST(BatchProgramMemory, TooLittleMemoryEndsWithAMessage) {
#if defined(ZENTAVO_ASAN)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit here";
#endif
    char path[] = "/tmp/zentavo-study-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::string block;
    for (int i = 0; i < 2000; ++i) block += kEmpirical;
    std::FILE* f = fdopen(fd, "wb");
    std::fputs(kMethodsHeader.c_str(), f);
    for (int i = 0; i < 150; ++i) std::fputs(block.c_str(), f);  // about 20 MB
    std::fclose(f);
    const std::size_t rows = 300000;

    bool ranShort = false;
    for (int mib : {8, 12, 16, 20, 24}) {
        const std::string command = "ulimit -v " + std::to_string(mib * 1024) + "; " +
                                    ZENTAVO_BATCH_PROGRAM " " + path +
                                    " 2>&1 >/dev/null | head -c 4096; exit ${PIPESTATUS[0]}";
        const study_test::CommandRun run = study_test::RunCommand("bash -c '" + command + "'");
        const std::string& err = run.out;
        const int code = run.status;
        ASSERT_NE(code, -1) << mib;
        if (code == 127 || err.find("error while loading shared libraries") != std::string::npos) {
            continue;  // too little to start at all
        }
        if (code == 0) {
            EXPECT_EQ(err, "") << mib;
        } else {
            EXPECT_EQ(code, 2) << mib << ": " << err;
            EXPECT_EQ(err, "zentavo-batch: out of memory\n") << mib;
            ranShort = true;
        }
    }
    // And with room enough, every row comes out.
    const study_test::CommandRun count =
        study_test::RunCommand("bash -c '" ZENTAVO_BATCH_PROGRAM " " + std::string(path) + " | wc -l'");
    ASSERT_EQ(count.status, 0);
    EXPECT_EQ(std::stoul(count.out), rows + 1);
    unlink(path);
    EXPECT_TRUE(ranShort);
}

// Network columns present but empty on every row (a `bus` column left empty)
// do not make a network study: such a study runs in the address space a
// study without those columns runs in, giving the same results, where the
// whole study held in memory needed gigabytes. The limit is one that the
// study without the columns is first seen to run in.
TEST(BatchProgramMemory, EmptyNetworkColumnsRunInTheMemoryOfAStudyWithout) {
#if defined(ZENTAVO_ASAN)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit here";
#endif
    const std::size_t rows = 300000;  // about 20 MB
    const std::string plainPath = ::testing::TempDir() + "no-network.csv", busPath = ::testing::TempDir() + "empty-bus.csv";
    {
        std::ofstream plain(plainPath, std::ios::binary), bus(busPath, std::ios::binary);
        plain << kMethodsHeader;
        bus << kMethodsHeader.substr(0, kMethodsHeader.size() - 1) << ",bus,source_ka\n";
        const std::string withEmpty = kEmpirical.substr(0, kEmpirical.size() - 1) + ",,\n";
        for (std::size_t i = 0; i < rows; ++i) plain << kEmpirical, bus << withEmpty;
    }
    // Each row's status and incident energy (fields before any quoted one),
    // counted.
    auto run = [](const std::string& path, int status) {
        const std::string fields = std::to_string(status) + "," + std::to_string(status + 4);
        return study_test::RunCommand("bash -c 'set -o pipefail; ulimit -v 262144; " ZENTAVO_BATCH_PROGRAM " " + path +
                                      " 2>&1 | cut -d, -f" + fields + " | sort | uniq -c'");
    };
    const study_test::CommandRun plain = run(plainPath, 16);
    ASSERT_EQ(plain.status, 0) << plain.out;
    EXPECT_NE(plain.out.find(" " + std::to_string(rows) + " ok,"), std::string::npos) << plain.out;
    const study_test::CommandRun bus = run(busPath, 18);
    EXPECT_EQ(bus.status, 0) << bus.out;
    EXPECT_EQ(bus.out, plain.out);
    std::remove(plainPath.c_str());
    std::remove(busPath.c_str());
}

}  // namespace
}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// zentavo-batch --labels and --report: the PDFs of the sample study as a
// reader sees them (pdfinfo, pdftotext), the CSV output unchanged beside
// them, and every option value refused unless it is one of its words.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "study/csv.h"
#include "study_tools.h"

namespace {

using zentavo::study_test::CommandRun;
using zentavo::study_test::FileBytes;
using zentavo::study_test::RunCommand;

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// A fresh directory for one test's files.
class Dir {
public:
    Dir() {
        char name[] = "/tmp/zentavo-pdf-XXXXXX";
        path_ = mkdtemp(name) ? name : "";
    }
    ~Dir() { RunCommand("chmod -R u+rwx '" + path_ + "'; rm -rf '" + path_ + "'"); }
    std::string operator/(const std::string& file) const { return path_ + "/" + file; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The names in a folder, sorted.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (const dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

int Pages(const std::string& pdf) {
    std::smatch m;
    const std::string info = RunCommand("pdfinfo '" + pdf + "' 2>&1").out;
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : -1;
}

std::string PageSize(const std::string& pdf) {
    std::smatch m;
    const std::string info = RunCommand("pdfinfo '" + pdf + "' 2>&1").out;
    return std::regex_search(info, m, std::regex("Page size:\\s+([\\d.]+ x [\\d.]+) pts")) ? std::string(m[1]) : "";
}

// The text of a page (0: all pages), its blanks and line ends made one blank.
std::string Text(const std::string& pdf, int page = 0) {
    const std::string pages = page ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    std::string t = RunCommand("pdftotext" + pages + " '" + pdf + "' - 2>&1").out;
    return std::regex_replace(t, std::regex("\\s+"), " ");
}

// The text of a report in the order it was written (each row's cells one
// after the other), its blanks and line ends made one blank.
std::string ReportText(const std::string& pdf) {
    const std::string t = RunCommand("pdftotext -raw '" + pdf + "' - 2>&1").out;
    return std::regex_replace(t, std::regex("\\s+"), " ");
}

// The title a PDF reader shows for the file.
std::string Title(const std::string& pdf) {
    std::smatch m;
    const std::string info = RunCommand("pdfinfo '" + pdf + "' 2>&1").out;
    return std::regex_search(info, m, std::regex("Title:\\s+([^\\n]*)")) ? std::string(m[1]) : "";
}

// The sample study's rows from its expected results, by column name.
std::vector<zentavo::study_test::CsvRow> ExpectedRows() {
    return zentavo::study_test::CsvRows(FileBytes(ZENTAVO_EXAMPLES_DIR "/study-results.csv"));
}

const std::string kProgram = ZENTAVO_BATCH_PROGRAM;
const std::string kExample = ZENTAVO_EXAMPLES_DIR "/study.csv";

TEST(BatchPdfs, LabelsAndReportOfTheSampleStudy) {
    Dir dir;
    const std::string labels = dir / "labels.pdf", report = dir / "report.pdf", csv = dir / "out.csv";
    const CommandRun r = RunCommand(kProgram + " --energy-unit J/cm2 --label-language es --label-colour black-and-white "
                                   "--labels " + labels + " --report " + report + " --report-paper letter " +
                        kExample + " 2>&1 > " + csv);
    ASSERT_EQ(r.status, 0) << r.out;

    // The CSV is that of a run without PDFs.
    const CommandRun plain = RunCommand(kProgram + " --energy-unit J/cm2 " + kExample);
    EXPECT_EQ(FileBytes(csv), plain.out);

    const auto rows = ExpectedRows();
    std::vector<std::map<std::string, std::string>> computed, refused;
    for (const auto& row : rows) (row.at("status") == "ok" ? computed : refused).push_back(row);
    ASSERT_FALSE(computed.empty());
    ASSERT_FALSE(refused.empty());

    EXPECT_EQ(Pages(labels), static_cast<int>(computed.size()));
    // The points without a label are told, each by its line (one record a
    // line in the sample, after the header), name and message.
    std::string told = "zentavo-batch: " + std::to_string(refused.size()) + " of " + std::to_string(rows.size()) +
                       " points were not computed and have no label:";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].at("status") == "ok") continue;
        told += "\n  line " + std::to_string(i + 2) + " (" + rows[i].at("point") + "): " + rows[i].at("message");
    }
    EXPECT_EQ(r.out, told + "\n");
    EXPECT_EQ(PageSize(labels), "432 x 288");
    for (std::size_t i = 0; i < computed.size(); ++i) {
        const std::string text = Text(labels, static_cast<int>(i) + 1);
        EXPECT_NE(text.find(computed[i].at("point")), std::string::npos) << text;
        EXPECT_NE(text.find("J/cm²"), std::string::npos) << text;
        // The Spanish label after NFPA 70E, the default.
        EXPECT_NE(text.find("distancia de trabajo"), std::string::npos) << text;
        EXPECT_NE(text.find("Fecha de la evaluación"), std::string::npos) << text;
    }

    EXPECT_EQ(PageSize(report), "792 x 612");
    const std::string text = ReportText(report);
    EXPECT_EQ(Title(report), "study");
    EXPECT_NE(text.find("Incident energy (J/cm2)"), std::string::npos) << text;
    for (const auto& row : rows) EXPECT_NE(text.find(row.at("point")), std::string::npos) << row.at("point");
    for (const auto& row : refused) {
        const std::string message = std::regex_replace(row.at("message"), std::regex("^\\s+|\\s+$"), "");
        EXPECT_NE(text.find(message), std::string::npos) << message;
    }
}

TEST(BatchPdfs, StandardInputAndTheReportAlone) {
    Dir dir;
    const std::string report = dir / "report.pdf";
    const CommandRun r = RunCommand(kProgram + " --report-paper a4 --report " + report + " < " + kExample + " 2>&1 >/dev/null");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(PageSize(report), "842 x 595");
    EXPECT_EQ(Title(report), "Arc flash study");
    EXPECT_FALSE(Exists(dir / "labels.pdf"));
}

// The report speaks the standard of the labels, given or by default
// (NFPA 70E): its approach boundaries, its minimum arc rating and PPE items;
// classic keeps the PPE level, the clothing and the prohibited approach.
TEST(BatchPdfs, TheReportSpeaksTheLabelsStandard) {
    const struct {
        std::string option;
        std::vector<std::string> found, absent;
    } cases[] = {
        {"", {"Approach limited / restricted", "Minimum arc rating", "PPE after NFPA 70E", "Arc-rated"},
         {"prohibited", "PPE level", "Protective clothing", "FR shirt"}},
        {"--label-standard csa-z462 ", {"PPE after CSA Z462", "Approach limited / restricted"}, {"prohibited", "NFPA"}},
        {"--label-standard classic ",
         {"Approach limited / restricted / prohibited", "PPE level", "Protective clothing"},
         {"Minimum arc rating", "PPE after"}},
    };
    for (const auto& c : cases) {
        Dir dir;
        const std::string report = dir / "report.pdf";
        const CommandRun r = RunCommand(kProgram + " " + c.option + "--report " + report + " " + kExample + " 2>&1 >/dev/null");
        ASSERT_EQ(r.status, 0) << c.option << r.out;
        const std::string text = ReportText(report);
        for (const std::string& s : c.found) EXPECT_NE(text.find(s), std::string::npos) << c.option << s;
        for (const std::string& s : c.absent) EXPECT_EQ(text.find(s), std::string::npos) << c.option << s;
    }
}

// The report's sections of the plant's network, after NFPA 70E and classic:
// the six headings in order, each over its first words; the engineer in
// Scope; the scenarios compared, each point's governing energy in every
// scenario as the study computed in that scenario alone gives it, the worst
// (the CSV's scenario_worst) marked; the points above 40 cal/cm² and no
// other; a label schedule row per computed point. The CSV is unchanged.
TEST(BatchPdfs, TheReportsSections) {
    const std::string study = ZENTAVO_EXAMPLES_DIR "/plant-network.csv";
    // The governing energy's text of a computed row (the larger case), or
    // none for a row not computed.
    auto governing = [](const zentavo::study_test::CsvRow& row) -> std::optional<std::string> {
        if (row.at("status") == "error" || row.at("incident_energy").empty()) return std::nullopt;
        const std::string& full = row.at("incident_energy");
        const std::string& reduced = row.at("incident_energy_reduced");
        return !reduced.empty() && std::stod(reduced) > std::stod(full) ? reduced : full;
    };
    const auto rows =
        zentavo::study_test::CsvRows(RunCommand(kProgram + " " + study + " 2>/dev/null").out);
    ASSERT_EQ(rows.size(), 39u);
    // The example's scenarios, in the order its cells first name them; each
    // computed alone.
    const std::string scenarios[] = {"normal", "maint", "tie-closed"};
    std::map<std::string, std::vector<zentavo::study_test::CsvRow>> alone;
    for (const std::string& s : scenarios)
        alone[s] = zentavo::study_test::CsvRows(
            RunCommand(kProgram + " --scenarios " + s + " " + study + " 2>/dev/null").out);

    const struct {
        std::string option, standard;
        std::vector<std::string> found, absent;
    } cases[] = {
        {"",
         "NFPA 70E",
         {"Minimum arc rating"},
         {"prohibited", "Protective clothing", "PPE level"}},
        {"--label-standard classic ",
         "classic",
         {"prohibited", "Protective clothing", "PPE level"},
         {"Minimum arc rating"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.standard);
        Dir dir;
        const std::string report = dir / "r.pdf";
        const CommandRun r = RunCommand(kProgram + " " + c.option +
                                        "--engineer 'A. Engineer, P.E. 12345' --report " + report +
                                        " " + study + " 2>/dev/null");
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(zentavo::study_test::CsvRows(r.out), rows);
        const std::string text = ReportText(report);
        for (const std::string& s : c.found) EXPECT_NE(text.find(s), std::string::npos) << s;
        for (const std::string& s : c.absent) EXPECT_EQ(text.find(s), std::string::npos) << s;

        // The headings in order, each followed by its section's first words.
        std::vector<std::size_t> at;
        for (const char* heading :
             {"Scope Study: plant-network, report of ",
              "Data and assumptions Fault currents from the study's network. By ansi",
              "Scenarios compared Point Scenario Governing incident energy (cal/cm2) Worst",
              "Points above 40 cal/cm² Point Incident energy (cal/cm2) What governs it Lower in the study",
              "Protective device settings Point Protective device and settings",
              "Label schedule Point Label standard Incident energy (cal/cm2)"}) {
            at.push_back(text.find(heading));
            ASSERT_NE(at.back(), std::string::npos) << heading << "\n" << text.substr(0, 3000);
        }
        EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
        const std::string scope = text.substr(at[0], at[1] - at[0]);
        EXPECT_NE(scope.find("Engineer: A. Engineer, P.E. 12345."), std::string::npos) << scope;
        EXPECT_NE(scope.find("39 points of work, 39 computed, 0 refused"), std::string::npos)
            << scope;
        EXPECT_NE(scope.find("Scenarios: normal, maint, tie-closed."), std::string::npos) << scope;

        // Every scenario of every point, in order, the worst marked and no other.
        const std::string compared = text.substr(at[2], at[3] - at[2]);
        std::size_t from = 0, worst = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (const std::string& s : scenarios) {
                const std::optional<std::string> energy = governing(alone[s][i]);
                const std::string cell = s + " " + (energy ? *energy : "not computed");
                const std::size_t found = compared.find(cell, from);
                ASSERT_NE(found, std::string::npos) << rows[i].at("point") << ": " << cell;
                from = found + cell.size();
                const bool marked = compared.compare(from, 6, " worst") == 0;
                EXPECT_EQ(marked, s == rows[i].at("scenario_worst"))
                    << rows[i].at("point") << ": " << cell;
                worst += marked;
            }
        }
        EXPECT_EQ(worst, rows.size());

        // The points above 40 cal/cm², each with its energy, and no other;
        // a schedule row for each computed point, in order.
        const std::string above = text.substr(at[3], at[4] - at[3]);
        const std::string schedule = text.substr(at[5]);
        std::size_t listed = 0;
        from = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto& row = rows[i];
            const std::string energy = *governing(row);
            const std::string entry = row.at("point") + " " + energy;
            const bool danger = std::stod(energy) > 40;
            EXPECT_EQ(above.find(entry) != std::string::npos, danger) << entry;
            listed += danger;
            // What lowers it: the maintenance scenario, marked, and every
            // scenario whose energy is below the worst one's, and no other.
            for (const std::string& s : scenarios) {
                const std::optional<std::string> e = danger ? governing(alone[s][i]) : std::nullopt;
                if (!e) continue;
                const std::string lower = s + " " + *e + " cal/cm2" +
                                          (s == "maint" ? " (maintenance setting)" : "");
                const std::size_t entryAt = above.find(entry);
                const std::size_t next = above.find(" Unit substation", entryAt + entry.size());
                EXPECT_EQ(above.substr(entryAt, next - entryAt).find(lower) != std::string::npos,
                          s == "maint" || std::stod(*e) < std::stod(energy))
                    << entry << ": " << lower;
            }
            const std::size_t found =
                schedule.find(row.at("point") + " " + c.standard + " " + energy, from);
            ASSERT_NE(found, std::string::npos) << entry;
            from = found + 1;
        }
        EXPECT_EQ(listed, 2u);  // the two line sides of the substations' mains
    }
}

TEST(BatchPdfs, LongNamesAreListedOnce) {
    Dir dir;
    const std::string study = dir / "study.csv", labels = dir / "labels.pdf";
    const std::string row = ",empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.25\n";
    const std::string longName = "Switchgear SWG-12 feeder cubicle 4 rear";
    // The name column is found however a spreadsheet spells its heading.
    std::ofstream(study) << " Point,method,voltage,bolted_current,gap,gap_unit,work_distance,"
                            "work_distance_unit,equipment_class,grounding,arc_time,arc_time_reduced\n"
                         << longName << row << "Short" << row << longName << row;
    const CommandRun r = RunCommand(kProgram + " --labels " + labels + " --label-standard classic " + study +
                                    " 2>&1 >/dev/null");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "zentavo-batch: equipment names longer than 30 characters, cut on their labels:\n  " +
                         longName + "\n");
    EXPECT_EQ(Pages(labels), 3);
    EXPECT_NE(Text(labels, 1).find("Switchgear SWG-12 feeder cubic "), std::string::npos);
    EXPECT_EQ(Text(labels, 1).find("cubicl"), std::string::npos);  // 30 characters kept
}

// Input quoted on standard error shows its control characters escaped, so
// that a hostile name cannot retitle or clear the terminal: in the list of
// cut names, in usage errors naming a value or an option, in file names. A
// name in a script no installed font shapes (Tamil) gives no font warnings.
// A 10 000-character name is cut with "…" in its report cell.
TEST(BatchPdfs, MessagesShowInputControlCharactersEscaped) {
    const std::string header = "point,method,voltage,bolted_current,gap,gap_unit,work_distance,"
                               "work_distance_unit,equipment_class,grounding,arc_time,arc_time_reduced\n";
    const std::string row = ",empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.25\n";
    const std::string cut = "zentavo-batch: equipment names longer than 30 characters, cut on their labels:\n  ";
    const std::string tamil = "\xE0\xAE\xA4\xE0\xAE\xAE\xE0\xAE\xBF\xE0\xAE\xB4\xE0\xAF\x8D \xE0\xAE\xAA\xE0\xAE\xB2\xE0\xAE\x95\xE0\xAF\x88";
    const std::string huge = "Start of a long name " + std::string(9970, 'x') + " END-OF-NAME";
    struct Case {
        const char* what;
        std::string name;     // the study's one point
        std::string args;     // run in the study's folder
        std::string errors;   // all of standard error
    };
    // clang-format off
    const Case cases[] = {
        {"terminal title and clear in a long name", "\x1b]0;owned\x07\x1b[2JSwitchgear feeder 4 rear", "--labels l.pdf --label-standard classic s.csv",
         cut + "\\x1b]0;owned\\x07\\x1b[2JSwitchgear feeder 4 rear\n"},
        // (A lone byte that is not UTF-8 makes the study a Windows-1252 one.)
        {"C1 control sequence, CR", "\"Feeder\xC2\x9B" "2J\r\n cubicle 4 of the north row\"", "--labels l.pdf --label-standard classic s.csv",
         cut + "Feeder\\xc2\\x9b2J\\x0d\\x0a cubicle 4 of the north row\n"},
        {"text direction reversed", "Feeder \xE2\x80\xAE" "4 cubicle of the north row", "--labels l.pdf --label-standard classic s.csv",
         cut + "Feeder \\xe2\\x80\\xae4 cubicle of the north row\n"},
        {"option value", "P1", "--labels l.pdf --label-language '\x1b[2J' s.csv",
         "zentavo-batch: --label-language takes one of en, es, fr, not '\\x1b[2J' (see --help)\n"},
        {"option name", "P1", "'--\x1b]0;x\x07=1' s.csv", "zentavo-batch: unrecognized option '--\\x1b]0;x\\x07' (see --help)\n"},
        {"PDF folder", "P1", "--report 'no\x1b[2J/r.pdf' s.csv",
         "zentavo-batch: cannot write no\\x1b[2J/r.pdf: No such file or directory\n"},
        {"input file", "P1", "'\x1b[2J.csv'", "zentavo-batch: cannot read \\x1b[2J.csv: No such file or directory\n"},
        {"one file for both outputs", "P1", "--labels 'x\x1b[2J.pdf' --report 'x\x1b[2J.pdf' s.csv",
         "zentavo-batch: --report x\\x1b[2J.pdf and --labels x\\x1b[2J.pdf are the same file\n"},
        {"Tamil name", tamil, "--labels l.pdf --report r.pdf s.csv", ""},
        {"10 000 characters", huge, "--labels l.pdf --label-standard classic --report r.pdf s.csv", cut + huge + "\n"},
    };
    // clang-format on
    for (const Case& c : cases) {
        Dir dir;
        std::ofstream(dir / "s.csv") << header << c.name << row;
        const CommandRun r = RunCommand("cd '" + dir.path() + "' && " + kProgram + " " + c.args + " 2>&1 >/dev/null");
        EXPECT_EQ(r.out, c.errors) << c.what;
        if (std::string_view(c.what) == "10 000 characters") {
            const std::string text = ReportText(dir / "r.pdf");
            EXPECT_NE(text.find("Start of a long name"), std::string::npos) << text.substr(0, 400);
            EXPECT_NE(text.find("\xE2\x80\xA6 IEEE 1584-2002 empirical"), std::string::npos) << text.substr(0, 400);
            EXPECT_EQ(text.find("END-OF-NAME"), std::string::npos);
        }
    }
}

// A PDF that cannot be written fails the run (status 1) and leaves no file,
// an old file unchanged; so does a study without a point to label.
TEST(BatchPdfs, UnwritablePdfFailsAndKeepsTheOldFile) {
    Dir dir;
    const std::string labels = dir / "labels.pdf";
    std::ofstream(labels) << "old";
    CommandRun r = RunCommand(kProgram + " --labels " + labels + " --report " + (dir / "no/such/dir.pdf") + " " + kExample +
                  " 2>&1 >/dev/null");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\nzentavo-batch: cannot write " + (dir / "no/such/dir.pdf") + ": "), std::string::npos) << r.out;
    EXPECT_EQ(Pages(labels), 11);  // the labels were written all the same, and the points they leave out told
    EXPECT_EQ(r.out.rfind("zentavo-batch: 3 of 14 points were not computed and have no label:\n", 0), 0u) << r.out;

    const std::string refused = dir / "refused.csv";
    std::ofstream(refused) << "point,method,voltage\nP1,empirical,480\n";
    r = RunCommand(kProgram + " --labels " + labels + " " + refused + " 2>&1 >/dev/null");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "zentavo-batch: no point of the study was computed: no labels written to " + labels + "\n");
    EXPECT_EQ(Pages(labels), 11);
}

// Too little memory for the PDFs, wherever it runs out (starting Qt,
// loading fonts, laying out, painting, compressing a page), ends the run
// with "out of memory" and status 2, or writes the PDF whole: never an
// abort or a crash, never a temporary file left, the old file as it was.
// Address sanitizer builds reserve more address space than any limit tried.
TEST(BatchPdfs, TooLittleMemoryEndsWithAMessageAndKeepsTheOldFile) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address space limit and the address sanitizer do not go together";
#else
    Dir dir;
    // Enough points that the PDFs take a good part of what the run needs.
    const std::string example = FileBytes(kExample);
    const std::size_t headerEnd = example.find('\n') + 1;
    std::string study = example.substr(0, headerEnd);
    for (int i = 0; i < 40; ++i) study += example.substr(headerEnd);
    const std::string input = dir / "large.csv";
    std::ofstream(input) << study;
    // Font configuration that runs out of memory may write a broken font
    // cache, and the tests after this one would lay out their text in other
    // fonts: these runs keep a cache of their own.
    Dir fonts;
    std::ofstream(fonts / "fonts.conf") << "<?xml version=\"1.0\"?>\n<fontconfig><dir>/usr/share/fonts</dir><cachedir>" +
                                               fonts.path() + "/cache</cachedir></fontconfig>\n";
    const std::string fontConfig = "FONTCONFIG_FILE=" + (fonts / "fonts.conf");
    ASSERT_EQ(RunCommand(fontConfig + " fc-cache").status, 0);
    int written = 0, outOfMemory = 0;
    for (const char* pdf : {"--labels", "--report"}) {
        for (int megabytes = 70; megabytes <= 180; megabytes += 5) {
            SCOPED_TRACE(std::string(pdf) + " " + std::to_string(megabytes) + " MB");
            const std::string out = dir / "out.pdf";
            std::ofstream(out) << "old";
            const CommandRun r = RunCommand("ulimit -v " + std::to_string(megabytes * 1024) + "; " + fontConfig + " " +
                                            kProgram + " " + pdf + " " + out + " " + input + " 2>&1 >/dev/null");
            EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"large.csv", "out.pdf"}));
            if (r.status == 0) {
                ++written;
                EXPECT_GT(Pages(out), 0);
                continue;
            }
            EXPECT_EQ(r.status, 2) << r.out;
            EXPECT_EQ(FileBytes(out), "old");
            const bool told = r.out.find("zentavo-batch: out of memory") != std::string::npos ||
                              r.out.find("zentavo-batch: the PDF module cannot be loaded") != std::string::npos;
            EXPECT_TRUE(told) << r.out;
            outOfMemory += r.out.find("out of memory") != std::string::npos;
        }
    }
    // The limits tried reach from too little to enough.
    EXPECT_GT(written, 0);
    EXPECT_GT(outOfMemory, 0);
#endif
}

TEST(BatchPdfs, EveryOptionValueIsOneOfItsWords) {
    Dir dir;
    const std::string labels = dir / "labels.pdf", report = dir / "report.pdf";
    const std::string both = " --labels " + labels + " --report " + report + " " + kExample;
    struct Case {
        std::string args;
        std::string message;
    } cases[] = {
        {"--label-language de" + both,
         "zentavo-batch: --label-language takes one of en, es, fr, not 'de'"},
        {"--label-language EN" + both,
         "zentavo-batch: --label-language takes one of en, es, fr, not 'EN'"},
        {"--label-colour red" + both,
         "zentavo-batch: --label-colour takes one of colour, black-and-white, not 'red'"},
        {"--label-colour=" + both,
         "zentavo-batch: --label-colour takes one of colour, black-and-white, not ''"},
        {"--label-name maybe" + both,
         "zentavo-batch: --label-name takes one of yes, no, not 'maybe'"},
        {"--label-date today" + both,
         "zentavo-batch: --label-date takes one of no, yes, not 'today'"},
        {"--report-paper a3" + both,
         "zentavo-batch: --report-paper takes one of locale, a4, letter, not 'a3'"},
        {"--label-rows ppe-level,voltage" + both,
         "zentavo-batch: --label-rows takes rows from none, equipment-type, grounding, "
         "work-distance, "
         "bolted-current, limited-approach, restricted-approach, prohibited-approach, "
         "flash-boundary, "
         "incident-energy, pressure, tnt, ppe-level, clothing, not 'voltage'"},
        {"--label-rows ppe-level," + both, "zentavo-batch: --label-rows takes rows from none,"},
        {"--label-language fr " + kExample,
         "zentavo-batch: --label-language applies to the labels: give --labels FILE.pdf"},
        {"--report-paper a4 " + kExample,
         "zentavo-batch: --report-paper applies to the report: give --report FILE.pdf"},
        {"--label-standard csa-z462 " + kExample,
         "zentavo-batch: --label-standard applies to the labels and the report: give --labels "
         "FILE.pdf or --report "
         "FILE.pdf"},
        {"--report-author Smith " + kExample,
         "zentavo-batch: --report-author applies to the report: give --report FILE.pdf"},
        {"--report-title=" + both, "zentavo-batch: --report-title needs a text"},
        {"--report-client ''" + both, "zentavo-batch: --report-client needs a text"},
        {"--engineer ''" + both, "zentavo-batch: --engineer needs a text"},
        {"--engineer 'A. Engineer' " + kExample,
         "zentavo-batch: --engineer applies to the report: give --report FILE.pdf"},
        {"--labels= " + kExample, "zentavo-batch: --labels needs a file name"},
        {"--report", "zentavo-batch: option '--report' requires an argument"},
    };
    for (const Case& c : cases) {
        const CommandRun r = RunCommand(kProgram + " " + c.args + " 2>&1");
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.out.rfind(c.message, 0), 0u) << c.args << ": " << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
        EXPECT_FALSE(Exists(labels)) << c.args;
        EXPECT_FALSE(Exists(report)) << c.args;
    }
}

// The label rows chosen: only those rows, in label order.
TEST(BatchPdfs, LabelRowsAndDate) {
    Dir dir;
    const std::string labels = dir / "labels.pdf";
    CommandRun r = RunCommand(kProgram + " --labels " + labels + " --label-standard classic --label-rows incident-energy,tnt --label-name no " + kExample +
                  " >/dev/null 2>&1");
    ASSERT_EQ(r.status, 0);
    std::string page = Text(labels, 1);
    EXPECT_NE(page.find("Incident energy at work distance"), std::string::npos) << page;
    EXPECT_NE(page.find("TNT"), std::string::npos) << page;
    EXPECT_EQ(page.find("Grounding"), std::string::npos) << page;
    EXPECT_EQ(page.find("MCC-1 bucket 3"), std::string::npos) << page;

    r = RunCommand(kProgram + " --labels " + labels + " --label-standard classic --label-rows none --label-date yes " + kExample + " >/dev/null 2>&1");
    ASSERT_EQ(r.status, 0);
    page = Text(labels, 1);
    EXPECT_EQ(page.find("Incident energy"), std::string::npos) << page;
    EXPECT_NE(page.find("MCC-1 bucket 3"), std::string::npos) << page;
    const std::string today = RunCommand("date +%-d.%-m.%Y").out;
    EXPECT_NE(page.find(today.substr(0, today.size() - 1)), std::string::npos) << page;
}

// One study, one title: the file's name without folder or extension, as the
// study window titles its report of the same file, or --report-title; the
// project, client and author lines given, and none not given.
TEST(BatchPdfs, ReportTitleAndTitleBlockLines) {
    Dir dir;
    const std::string study = dir / "North plant.v2.csv", report = dir / "report.pdf";
    std::ofstream(study) << FileBytes(kExample);
    CommandRun r = RunCommand(kProgram + " --report " + report + " '" + study + "' 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(Title(report), "North plant.v2");
    std::string text = ReportText(report);
    // The assessment date, today unless given, the month in words.
    const std::string today = RunCommand("LC_ALL=C date '+%-d %b %Y'").out;
    EXPECT_EQ(text.rfind("North plant.v2 Assessment date: " + today.substr(0, today.size() - 1) +
                             " Arc flash study report ", 0), 0u)
        << text.substr(0, 200);
    for (const char* caption : {"Project:", "Client:", "Prepared by:"}) EXPECT_EQ(text.find(caption), std::string::npos);

    r = RunCommand(kProgram + " --report " + report +
                   " --report-title 'Plant 7 / North' --report-project 'Substation 4 upgrade' "
                   "--report-client='ACME Metals' --report-author 'J. Smith, P.E.' --assessment-date 2026-03-01 '" +
                   study + "' 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(Title(report), "Plant 7 / North");
    text = ReportText(report);
    EXPECT_EQ(text.rfind("Plant 7 / North Project: Substation 4 upgrade Client: ACME Metals Prepared by: J. Smith, P.E. "
                         "Assessment date: 1 Mar 2026 Arc flash study report ", 0), 0u)
        << text.substr(0, 200);
}

// A fuse or breaker row that names its equipment class is labelled with it,
// not with the class of its method's equations.
TEST(BatchPdfs, FuseAndBreakerLabelsNameTheRowsClass) {
    Dir dir;
    const std::string study = dir / "study.csv", labels = dir / "labels.pdf";
    std::ofstream(study) << "point,method,voltage,bolted_current,work_distance,equipment_class,fuse_class,breaker_type,"
                            "interrupting_rating,instantaneous_trip\n"
                            "Fused starter 4B,fuse,480,28,455,MCC and Panels,0,,,\n"
                            "Main breaker,breaker,480,20,460,Switchgear,,MCCB-100-400,25,2\n";
    const CommandRun r =
        RunCommand(kProgram + " --labels " + labels + " --label-standard classic " + study + " 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    ASSERT_EQ(Pages(labels), 2);
    EXPECT_NE(Text(labels, 1).find("MCC and Panels"), std::string::npos) << Text(labels, 1);
    EXPECT_EQ(Text(labels, 1).find("Switchgear"), std::string::npos) << Text(labels, 1);
    EXPECT_NE(Text(labels, 2).find("Switchgear"), std::string::npos) << Text(labels, 2);
    EXPECT_EQ(Text(labels, 2).find("MCC and Panels"), std::string::npos) << Text(labels, 2);
}

// An output that names the input or the other output, however it is spelt,
// is refused before anything is written (status 2): else a PDF would replace
// the study, one PDF the other, or the results would grow the study they are
// read from without end.
TEST(BatchPdfs, AnOutputThatIsAnInputIsRefused) {
    const std::string study = FileBytes(kExample);
    struct Case {
        std::string args, message;
    };
    // clang-format off
    const Case cases[] = {
        {"--labels plant.csv plant.csv",                  "--labels plant.csv and the input plant.csv"},
        {"--report ./link.csv plant.csv",                 "--report ./link.csv and the input plant.csv"},
        {"--labels x.pdf --report x.pdf plant.csv",       "--report x.pdf and --labels x.pdf"},
        {"--labels x.pdf --report hard.pdf plant.csv",    "--report hard.pdf and --labels x.pdf"},
        {"--labels new.pdf --report ./new.pdf plant.csv", "--report ./new.pdf and --labels new.pdf"},
        {"--labels sub/../new.pdf --report new.pdf - < plant.csv", "--report new.pdf and --labels sub/../new.pdf"},
        {"--labels dangling.pdf --report new.pdf plant.csv", "--report new.pdf and --labels dangling.pdf"},
        {"--labels plant.csv < plant.csv",                "--labels plant.csv and the standard input"},
        {"--report x.pdf plant.csv >> hard.pdf",          "the standard output and --report x.pdf"},
        {"plant.csv >> plant.csv",                        "the standard output and the input plant.csv"},
        {"--one-line ./plant.csv plant.csv",              "--one-line ./plant.csv and the input plant.csv"},
        {"--report x.pdf --one-line hard.pdf plant.csv",  "--one-line hard.pdf and --report x.pdf"},
    };
    // clang-format on
    for (const Case& c : cases) {
        Dir dir;
        std::ofstream(dir / "plant.csv") << study;
        std::ofstream(dir / "x.pdf") << "old x";
        ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
        ASSERT_EQ(symlink("plant.csv", (dir / "link.csv").c_str()), 0);
        ASSERT_EQ(link((dir / "x.pdf").c_str(), (dir / "hard.pdf").c_str()), 0);
        ASSERT_EQ(symlink("sub/../new.pdf", (dir / "dangling.pdf").c_str()), 0);
        // Standard error to the pipe before the case's own redirections.
        const CommandRun r = RunCommand("cd '" + dir.path() + "' && " + kProgram + " 2>&1 " + c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.out.substr(0, 200), "zentavo-batch: " + c.message + " are the same file\n") << c.args;
        EXPECT_TRUE(FileBytes(dir / "plant.csv") == study) << c.args << ": the study changed";
        EXPECT_TRUE(FileBytes(dir / "x.pdf") == "old x") << c.args << ": x.pdf changed";
        EXPECT_EQ(Names(dir.path()),
                  (std::vector<std::string>{"dangling.pdf", "hard.pdf", "link.csv", "plant.csv", "sub", "x.pdf"}))
            << c.args;
    }
}

// A PDF the user may not write is refused as a plain write is, though its
// folder would let a rename replace it; a writable PDF in a folder the user
// may not write is refused with that reason. The old file stays. As root
// (who may write anything) the program runs as the user nobody.
TEST(BatchPdfs, APdfTheUserMayNotWriteIsNotReplaced) {
    std::string as;
    if (geteuid() == 0) {
        if (access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "run as root, and no setpriv to run as another user";
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    Dir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(mkdir((dir / "open").c_str(), 0777), 0);
    ASSERT_EQ(chmod((dir / "open").c_str(), 0777), 0);
    ASSERT_EQ(mkdir((dir / "closed").c_str(), 0755), 0);
    std::ofstream(dir / "open/ro.pdf") << "old";
    std::ofstream(dir / "closed/rw.pdf") << "old";
    ASSERT_EQ(chmod((dir / "open/ro.pdf").c_str(), 0444), 0);
    ASSERT_EQ(chmod((dir / "closed/rw.pdf").c_str(), 0666), 0);
    ASSERT_EQ(chmod((dir / "closed").c_str(), 0555), 0);
    struct Case {
        std::string folder, file, reason;
    };
    // clang-format off
    const Case cases[] = {
        {"open",   "ro.pdf", "Permission denied"},
        {"closed", "rw.pdf", "the folder \"" + (dir / "closed") + "\" is not writable"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::string pdf = dir / (c.folder + "/" + c.file);
        const CommandRun r = RunCommand(as + kProgram + " --labels " + pdf + " " + kExample + " 2>&1 >/dev/null");
        EXPECT_EQ(r.status, 1) << pdf;
        EXPECT_EQ(r.out, "zentavo-batch: cannot write " + pdf + ": " + c.reason + "\n");
        EXPECT_TRUE(FileBytes(pdf) == "old") << pdf << " was replaced";
        EXPECT_EQ(Names(dir / c.folder), std::vector<std::string>{c.file});
    }
}

// Ended by a signal while a PDF is written, the program removes its
// temporary file and ends by that signal; the old PDF stays as it was. A
// preloaded library makes the disk take a minute to flush the PDF, so that
// the signal arrives while the temporary file exists.
TEST(BatchPdfs, ASignalDuringAWriteLeavesNoTemporaryFile) {
    const std::string asan = std::string(getenv("ASAN_OPTIONS") ? getenv("ASAN_OPTIONS") : "") +
                             ":verify_asan_link_order=0";  // the preloaded library comes first
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        Dir dir;
        const std::string labels = dir / "lab.pdf";
        std::ofstream(labels) << "old labels";
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::signal(signal, SIG_DFL);  // as a shell starts a program in the foreground
            setenv("LD_PRELOAD", ZENTAVO_SLOW_FLUSH, 1);
            setenv("ASAN_OPTIONS", asan.c_str(), 1);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execl(kProgram.c_str(), kProgram.c_str(), "--labels", labels.c_str(), kExample.c_str(), nullptr);
            _exit(127);
        }
        bool temporary = false;
        for (int i = 0; i < 3000 && !temporary; ++i) {  // 30 s at most
            temporary = Names(dir.path()).size() > 1;
            if (!temporary) usleep(10000);
        }
        kill(pid, signal);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(temporary) << "signal " << signal << ": no temporary file appeared";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "signal " << signal << ", status " << status;
        EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"lab.pdf"}) << "signal " << signal;
        EXPECT_TRUE(FileBytes(labels) == "old labels") << "signal " << signal << ": lab.pdf was replaced";
    }
}

}  // namespace

namespace {

// The report's table of protective devices says each device's duty: below
// the current it must interrupt, within it, or not checked without a rating.
TEST(BatchPdfs, TheReportSaysEachDevicesDuty) {
    Dir dir;
    const std::string report = dir / "report.pdf";
    std::ofstream(dir / "duty.csv", std::ios::binary)
        << "point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,device_type,"
           "relay_curve,relay_pickup,relay_time_dial,device_rating_ka\n"
           "Below,empirical,480,45,32,455,Switchgear,Grounded,relay,IEEE-VI,1200,2,25\n"
           "Within,empirical,480,45,32,455,Switchgear,Grounded,relay,IEEE-VI,1200,2,50\n"
           "Unrated,empirical,480,45,32,455,Switchgear,Grounded,relay,IEEE-VI,1200,2,\n";
    const CommandRun r = RunCommand(kProgram + " --report " + report + " " + (dir / "duty.csv") + " 2>&1 > /dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = ReportText(report);
    for (const char* shown : {"Below relay IEEE-VI, pickup 1200 A, time dial 2, interrupting rating 25 kA below the 45 kA available",
                              "Within relay IEEE-VI, pickup 1200 A, time dial 2, interrupting rating 50 kA for the 45 kA available",
                              "Unrated relay IEEE-VI, pickup 1200 A, time dial 2, interrupting rating not checked"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    }
}

// The plant with protective devices: the report lists each device with its
// settings and the durations it gave, the points' table the durations used
// (a capped one marked); the footer of a device row's label names the device
// and the governing case's duration with its element, or its cap; the
// others keep theirs.
TEST(BatchPdfs, DevicesInTheReportAndCappedDurationsOnTheLabels) {
    Dir dir;
    const std::string labels = dir / "labels.pdf", report = dir / "report.pdf";
    const std::string study = ZENTAVO_EXAMPLES_DIR "/plant-study-devices.csv";
    const CommandRun r =
        RunCommand(kProgram + " --curves " ZENTAVO_EXAMPLES_DIR "/device-curves.csv --label-standard classic --labels " +
                   labels + " --report " + report + " " + study + " 2>&1 > /dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = ReportText(report);
    for (const char* shown :
         {"Protective device settings",
          "Transformer TX-1 secondary relay IEEE-VI, pickup 400 A, time dial 5, share 0.3014, "
          "interrupting rating not checked 2, capped 2, capped",
          "MCC-1 bucket 3 fuse-curve, curve J-200, interrupting rating not checked 0.01, curve "
          "0.01, curve",
          "2 capped / 2 capped"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    }
    // The computed rows in study order, one label each: of the plant, and
    // of the plant's network, each computed from the case that gave its results.
    struct Labelled {
        std::string labels, results;
        int capped, acting;  // at least this many labels with a capped and an acting device
    };
    const std::string networkLabels = dir / "network-labels.pdf";
    const CommandRun n = RunCommand(kProgram + " --label-standard classic --labels " + networkLabels +
                                    " " ZENTAVO_EXAMPLES_DIR "/plant-network.csv 2>&1 > /dev/null");
    ASSERT_EQ(n.status, 0) << n.out;
    const Labelled studies[] = {
        {labels, ZENTAVO_EXAMPLES_DIR "/plant-study-devices-results.csv", 2, 10},
        {networkLabels, ZENTAVO_EXAMPLES_DIR "/plant-network-results.csv", 2, 28},
    };
    for (const Labelled& l : studies) {
        SCOPED_TRACE(l.results);
        std::vector<zentavo::study_test::CsvRow> computed;
        for (auto& row : zentavo::study_test::CsvRows(FileBytes(l.results))) {
            // A warning with results (a capped duration, say) has its label too.
            if (row["status"] == "ok" || (row["status"] == "warning" && !row["incident_energy"].empty()))
                computed.push_back(row);
        }
        ASSERT_EQ(Pages(l.labels), static_cast<int>(computed.size()));
        int capped = 0, devices = 0;
        // A main's label carries its line side's results where they are the
        // larger (the example names each line-side row after its main).
        auto labelled = [&](zentavo::study_test::CsvRow& own) -> zentavo::study_test::CsvRow& {
            for (auto& other : computed) {
                if (other["point"] == own["point"] + ", line side" &&
                    std::stod(other["incident_energy_governing"]) > std::stod(own["incident_energy_governing"]))
                    return other;
            }
            return own;
        };
        for (std::size_t i = 0; i < computed.size(); ++i) {
            auto& row = labelled(computed[i]);
            const bool reduced = row["governing"] == "reduced";
            const std::string element = row[reduced ? "device_element_reduced" : "device_element"];
            const bool device = !row["device_type"].empty();
            const bool cap = element == "capped";
            const std::string page = Text(l.labels, static_cast<int>(i) + 1);
            EXPECT_EQ(page.find("exposure limited to 2 s") != std::string::npos, cap)
                << row["point"] << page;
            if (device && !cap) {
                const std::string footer =
                    "arc duration " + row[reduced ? "arc_time_reduced_used" : "arc_time_used"] +
                    " s (" + element + ")";
                EXPECT_NE(page.find(footer), std::string::npos)
                    << row["point"] << ": " << footer << "\n"
                    << page;
            }
            EXPECT_EQ(page.find("Made with Zentavo") != std::string::npos, !device) << row["point"];
            capped += cap;
            devices += device;
        }
        EXPECT_GE(capped, l.capped);
        EXPECT_GE(devices - capped, l.acting);
    }

    // The time-current appendix only when asked for: a picture per device row under its name.
    EXPECT_EQ(text.find("Time-current curves"), std::string::npos);
    const std::string curves = dir / "curves.pdf";
    const CommandRun c =
        RunCommand(kProgram + " --curves " ZENTAVO_EXAMPLES_DIR "/device-curves.csv --report " +
                   curves + " --report-curves " + study + " 2>&1 > /dev/null");
    ASSERT_EQ(c.status, 0) << c.out;
    const std::string appendix = ReportText(curves);
    const std::size_t at = appendix.find("Time-current curves of the protective devices");
    ASSERT_NE(at, std::string::npos) << appendix;
    EXPECT_NE(
        appendix.find(
            "Transformer TX-1 secondary: relay IEEE-VI, pickup 400 A, time dial 5, share 0.3014",
            at),
        std::string::npos);
    EXPECT_GT(Pages(curves), Pages(report));
    const CommandRun alone =
        RunCommand(kProgram + " --report-curves " + study + " 2>&1 > /dev/null");
    EXPECT_EQ(alone.status, 2);
    EXPECT_EQ(alone.out,
              "zentavo-batch: --report-curves applies to the report: give --report FILE.pdf (see "
              "--help)\n");
}

// The worked example of a network: 13.8 kV utility, 2 000 kVA transformer
// to SWG, cable to an MCC with motors.
constexpr const char* kWorkedNetworkStudy =
    "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
    "bus,from_bus,branch_type,source_ka,source_xr,source_ka_min,tx_kva,tx_z,tx_xr,cable_length,"
    "cable_r,cable_x,cable_sets,motor_kva\n"
    "Utility,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,UTIL,,source,20,15,12,,,,,,,,\n"
    "Main,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,SWG,UTIL,transformer,,,,2000,5.75,6,,,,,\n"
    "Motors,empirical,480,25,455,MCC and Panels,Grounded,0.2,0.2,MCC,SWG,cable,,,,,,,60,0.1,0.08,2,300\n";

// A study with a network: the report's short-circuit table lists each bus
// with its voltage, currents, X/R and the convention, before the points,
// and each point's bolted current names the case that gave its results.
TEST(BatchPdfs, ReportOfANetworkStudy) {
    const std::string study = kWorkedNetworkStudy;
    struct Case {
        const char* convention;
        std::vector<std::string> texts;  // in this order in the report
    };
    // clang-format off
    const Case cases[] = {
        {"ansi", {"Short-circuit currents by bus",
                  "By ansi: prefault voltage 1.0 per unit in both cases. Minimum case with the cables' "
                  "conductors at 20 °C at the end of the fault",
                  "UTIL 13800 20.059 12.000", "SWG 480 40.774 37.330", "MCC 480 28.679 26.194",
                  "Points of work", "Main", "40.774 max"}},
        {"iec60909", {"By iec60909: voltage factor c max 1.05 up to 1 kV (voltage tolerance +6 %), 1.10 above; "
                      "c min 0.95 up to 1 kV, 1.00 above. Minimum case with the cables' conductors at 80 °C",
                      "SWG 480 43.914 36.617", "MCC 480 30.619 24.700", "iec60909", "Main", "43.914 max"}},
        {"iec60909 --lv-tolerance 10 --cable-end-temp 20",
                     {"voltage factor c max 1.10 up to 1 kV (voltage tolerance +10 %)",
                      "conductors at 20 °C", "SWG 480 44.149 35.131"}},
    };
    // clang-format on
    Dir dir;
    std::ofstream(dir / "network.csv", std::ios::binary) << study;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.convention);
        const std::string report = dir / "report.pdf";
        const CommandRun r = RunCommand(kProgram + " --short-circuit " + c.convention + " --report " + report +
                                        " " + (dir / "network.csv") + " 2>&1 >/dev/null");
        ASSERT_EQ(r.status, 0) << r.out;
        const std::string text = ReportText(report);
        if (std::string_view(c.convention) == "ansi") {
            // The labels: one a point, each with the current its results were computed with.
            const std::string labels = dir / "labels.pdf";
            const CommandRun l = RunCommand(kProgram + " --label-standard classic --labels " + labels + " " +
                                            (dir / "network.csv") +
                                            " 2>&1 >/dev/null");
            ASSERT_EQ(l.status, 0) << l.out;
            EXPECT_EQ(Pages(labels), 3);
            EXPECT_NE(Text(labels, 2).find("40.774"), std::string::npos) << Text(labels, 2);
        }
        std::size_t from = 0;
        for (const std::string& t : c.texts) {
            const std::size_t at = text.find(t, from);
            EXPECT_NE(at, std::string::npos) << t << " after " << from << " in " << text;
            if (at != std::string::npos) from = at + t.size();
        }
    }
}

// The one-line diagram of the worked example: in the report (by default)
// on a page of its own before the short-circuit table, each bus with its
// currents as the table gives them, and as an SVG picture; left out of the
// report when asked; nothing to draw for a study without network columns.
TEST(BatchPdfs, TheOneLineInTheReportAndAsAPicture) {
    const std::string study = kWorkedNetworkStudy;
    Dir dir;
    std::ofstream(dir / "network.csv", std::ios::binary) << study;
    const std::string report = dir / "report.pdf", svg = dir / "network.svg";
    CommandRun r = RunCommand(kProgram + " --report " + report + " --one-line " + svg + " " + (dir / "network.csv") +
                              " 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    // clang-format off
    const std::vector<std::string> notes = {
        "UTIL 13.8 kV I max 20.059 kA I min 12.000 kA", "SWG 480 V I max 40.774 kA I min 37.330 kA",
        "MCC 480 V I max 28.679 kA I min 26.194 kA"};
    // clang-format on
    const std::string page2 = Text(report, 2);
    EXPECT_NE(page2.find("One-line diagram"), std::string::npos) << page2;
    for (const std::string& note : notes) EXPECT_NE(page2.find(note), std::string::npos) << note << " in " << page2;
    EXPECT_EQ(page2.find("Short-circuit currents by bus"), std::string::npos);
    EXPECT_NE(Text(report, 3).find("Short-circuit currents by bus"), std::string::npos);
    const std::string picture = FileBytes(svg);
    EXPECT_NE(picture.find("<svg"), std::string::npos);
    for (const char* text : {">UTIL<", ">I max 40.774 kA<", ">2000 kVA<", ">60 m<", ">300 kVA<"})
        EXPECT_NE(picture.find(text), std::string::npos) << text;
    const int pages = Pages(report);

    r = RunCommand(kProgram + " --report " + report + " --no-report-one-line " + (dir / "network.csv") +
                   " 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(ReportText(report).find("One-line diagram"), std::string::npos);
    EXPECT_EQ(Pages(report), pages - 1);  // its page

    // A study without network columns: no picture, and a report without one.
    std::ofstream(svg) << "old picture";
    r = RunCommand(kProgram + " --one-line " + svg + " --report " + report + " " + kExample + " 2>&1 >/dev/null");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "zentavo-batch: the study has no network rows: no one-line written to " + svg + "\n");
    EXPECT_EQ(FileBytes(svg), "old picture");
    EXPECT_EQ(ReportText(report).find("One-line diagram"), std::string::npos);

    // clang-format off
    const std::pair<std::string, std::string> refused[] = {
        {"--report-one-line",     "--report-one-line applies to the report: give --report FILE.pdf"},
        {"--no-report-one-line",  "--no-report-one-line applies to the report: give --report FILE.pdf"},
        {"--one-line -",          "--one-line writes an SVG file, not to standard output (name a file, ./- for one named -)"},
        {"--one-line=",           "--one-line needs a file name"},
    };
    // clang-format on
    for (const auto& [args, message] : refused) {
        r = RunCommand(kProgram + " " + args + " " + kExample + " 2>&1 >/dev/null");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "zentavo-batch: " + message + " (see --help)\n") << args;
    }
}

// A one-line in its report, on either paper, at the readable scale (notes'
// letters 1.8 mm high), every bus's note on one of its sheets: the plant
// example (25 columns) on two sheets, the transformers' kVA and impedance and
// the devices' ratings beside their symbols; a substation with 14 motor
// control centres (33 columns side by side, three sheets across) wrapped
// into rows on two.
TEST(BatchPdfs, OneLinesFitTheirSheets) {
    Dir dir;
    std::string wide =
        "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,bus,from_bus,"
        "branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,cable_x,motor_kva\n"
        "Utility,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,U,,source,25,15,,,,,,,\n"
        "Main,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,SWG,U,transformer,,,2000,5.75,6,,,,\n";
    for (int m = 1; m <= 14; ++m) {
        const std::string mcc = "MCC" + std::to_string(m);
        wide += mcc + ",empirical,480,25,455,MCC,Grounded,0.2,0.2," + mcc + ",SWG,cable,,,,,,30,0.1,0.08,200\n";
        for (int p = 0; p <= m % 3; ++p)
            wide += "Panel,empirical,480,25,455,Panelboard,Grounded,0.1,0.1," + mcc + "-P" + std::to_string(p) + "," +
                    mcc + ",cable,,,,,,20,0.1,0.08,\n";
    }
    std::ofstream(dir / "wide.csv", std::ios::binary) << wide;
    // clang-format off
    const struct {
        std::string study;
        std::size_t sheets;
        std::vector<std::string> texts;
    } kCases[] = {
        {ZENTAVO_EXAMPLES_DIR "/plant-network.csv", 2,
            {"2500 kVA Z 5.75 %", "trip 3000 A", "relay 1200 A 30 m 2 sets", "75 kVA Z 4.5 %"}},
        {dir / "wide.csv", 2, {"2000 kVA Z 5.75 %", "MCC14-P2"}},
    };
    // clang-format on
    for (const auto& c : kCases) {
        std::set<std::string> buses;
        for (const auto& row : zentavo::study_test::CsvRows(FileBytes(c.study))) buses.insert(row.at("bus"));
        ASSERT_GE(buses.size(), 32u);
        for (const char* paper : {"a4", "letter"}) {
            SCOPED_TRACE(c.study + " on " + paper);
            const std::string report = dir / "report.pdf";
            const CommandRun r = RunCommand(kProgram + " --report " + report + " --report-paper " + paper + " " +
                                            c.study + " 2>&1 >/dev/null");
            ASSERT_EQ(r.status, 0) << r.out;
            std::string sheets;
            std::size_t count = 0;
            for (int page = 1; page <= Pages(report); ++page) {
                const std::string text = Text(report, page);
                if (text.find("One-line diagram") == std::string::npos) continue;
                ++count;
                sheets += text;
            }
            EXPECT_GE(count, 1u);
            EXPECT_LE(count, c.sheets);
            for (const std::string& bus : buses) EXPECT_NE(sheets.find(" " + bus + " "), std::string::npos) << bus;
            for (const std::string& text : c.texts) EXPECT_NE(sheets.find(text), std::string::npos) << text;
        }
    }
}

// Bus F fed from two sources through T1 (no device) and T2 (a trip unit).
const char* const kTwoSourceNetwork =
    "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
    "bus,from_bus,branch_type,source_ka,source_xr,source_ka_min,tx_kva,tx_z,tx_xr,device_type,"
    "trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,trip_inst_pickup\n"
    "U1,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,U1,,source,30,15,30,,,,,,,,,,\n"
    "U2,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,U2,,source,30,15,1,,,,,,,,,,\n"
    "F via T1,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,F,U1,transformer,,,,1500,5.75,6,"
    ",,,,,,\n"
    "F via T2,empirical,480,32,455,Switchgear,Grounded,,,F,U2,transformer,,,,1500,5.75,6,"
    "trip-unit,2000,1,10,3,0.3,5\n";

// A device on a branch of the network whose minimum case gave the row's
// results (bus F of the two-source network of network_study_test.cpp: T2
// carries 0.500 of the maximum case and 0.332 of the minimum case): its
// label, its device row of the report and its time-current picture are
// those of the minimum case, as the results file has them, with both
// shares in the report named by their case.
TEST(BatchPdfs, ANetworkDeviceInTheCaseThatGaveItsResults) {
    const std::string study = kTwoSourceNetwork;
    Dir dir;
    std::ofstream(dir / "network.csv", std::ios::binary) << study;
    const std::string labels = dir / "labels.pdf", report = dir / "report.pdf";
    // In one step: with steps, T1's part (no device on it) keeps the arc
    // alive to the maximum duration once T2's trip unit has opened (below).
    const CommandRun r = RunCommand(kProgram + " --arc-steps off --label-standard classic --labels " + labels +
                                    " --report " + report + " --report-curves " + (dir / "network.csv") +
                                    " 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    ASSERT_EQ(Pages(labels), 4);
    const std::string label = Text(labels, 4);
    for (const char* shown : {"F via T2", "45.291 kA", "25.29 cal/cm2", "arc duration 0.33 s (short time)"}) {
        EXPECT_NE(label.find(shown), std::string::npos) << shown << "\n" << label;
    }
    const std::string text = ReportText(report);
    const std::string shares = ", branch share 0.500 maximum case, 0.332 minimum case";
    const std::string row = "F via T2 trip-unit, rating 2000 A, LT pickup 1 × In, LT delay 10 s, ST pickup 3 × Ir, "
                            "ST delay 0.3 s, INST pickup 5 × In" + shares +
                            ", interrupting rating not checked 0.33, short time 0.33, short time";
    EXPECT_NE(text.find(row), std::string::npos) << row << "\n" << text;
    // The picture's caption: its settings may give way to the width of the
    // page, its shares never.
    const std::size_t appendix = text.find("Time-current curves of the protective devices");
    ASSERT_NE(appendix, std::string::npos) << text;
    const std::size_t caption = text.find("F via T2: trip-unit", appendix);
    ASSERT_NE(caption, std::string::npos) << text;
    EXPECT_LT(text.find(shares, caption), text.find("Iarc", caption)) << text.substr(caption);
}

// The same network with its arcs in steps: the report lists F via T2's
// steps, its trip unit opening T2 at 0.33 s, then T1's part alone until the
// maximum arc duration.
TEST(BatchPdfs, StepsOfAnArcInTheReport) {
    const std::string study = kTwoSourceNetwork;
    Dir dir;
    std::ofstream(dir / "network.csv", std::ios::binary) << study;
    const std::string report = dir / "report.pdf";
    const CommandRun r = RunCommand(kProgram + " --report " + report + " " + (dir / "network.csv") + " 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = ReportText(report);
    std::size_t from = 0;
    for (const char* t : {"Arcs cleared in steps", "Point Step Bolted current (kA) Arcing current (kA) Duration (s) Ended by",
                          "F via T2 1 ", " 0.33 the device of F via T2 opened", "2 ", " 1.67 the maximum arc duration"}) {
        const std::size_t at = text.find(t, from);
        EXPECT_NE(at, std::string::npos) << t << " after " << from << " in " << text;
        if (at != std::string::npos) from = at + std::string_view(t).size();
    }
}

// A study with scenarios: the report lists every point's energy in each
// scenario with the worst named, its time-current pictures draw the
// devices that open in the steps beside the point's own, and each label's
// footer names the worst scenario.
TEST(BatchPdfs, ScenariosInTheReportAndOnTheLabels) {
    const std::string study =
        "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth,"
        "work_distance,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,"
        "cable_x,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,arc_time,"
        "arc_time_reduced,scenarios,maint_inst_pickup,maint_inst_time,maint_scenario\n"
        "Utility,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,UTIL,,source,25,15,,,,,,,,,,,,,0.5,0.5,,,,\n"
        "Main A,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-A,UTIL,transformer,,,2000,5.75,6,,,,trip-unit,"
        "3000,1,10,3,0.3,,,,4,0.05,maint\n"
        "Main B,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-B,UTIL,transformer,,,2000,5.75,6,,,,trip-unit,"
        "3000,1,10,3,0.3,,,,,,\n"
        "Tie,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-B,SUB-A,cable,,,,,,2,0.06,0.09,trip-unit,3000,1,"
        "10,3,0.2,,,tie-closed,,,\n";
    Dir dir;
    std::ofstream(dir / "plant.csv", std::ios::binary) << study;
    const std::string report = dir / "report.pdf", labels = dir / "labels.pdf";
    const CommandRun r = RunCommand(kProgram + " --report-curves --report " + report + " --labels " + labels + " " +
                                    (dir / "plant.csv") + " 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = ReportText(report);
    std::size_t from = 0;
    for (const char* t : {"The table is of the scenario normal", "Scenarios compared",
                          "Point Scenario Governing incident energy (cal/cm2) Worst",
                          "Main A normal 14.71", "maint 2.23", "tie-closed 18.99 worst",
                          "Tie normal not computed: its branch takes no part",
                          "maint not computed: its branch takes no part", "tie-closed 18.99 worst",
                          "— Tie, opens after 0.22 s"}) {
        const std::size_t at = text.find(t, from);
        EXPECT_NE(at, std::string::npos) << t << " after " << from << " in " << text;
        if (at != std::string::npos) from = at + std::string_view(t).size();
    }
    const std::string labelText = RunCommand("pdftotext " + labels + " -").out;
    std::size_t named = 0;
    for (std::size_t at = 0; (at = labelText.find("Worst scenario: tie-closed", at)) != std::string::npos; ++at) ++named;
    EXPECT_EQ(named, 3u) << labelText;  // Main A, Main B, Tie; the utility, the same in each, names normal
}

// Special protection in the report: a 480 V main with an arc-flash relay
// and interlocking, a feeder below it not interlocked. A fault on the
// main's bus ends by the relay's light; one below the feeder is unseen by
// it, and the interlocked main opens before the feeder: not selective. The
// report lists that point, and its pictures name what acted.
TEST(BatchPdfs, SpecialProtectionNamedInTheReport) {
    const std::string study =
        "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth,"
        "work_distance,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,"
        "cable_x,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,arc_time,"
        "arc_time_reduced,afr_pickup,afr_time,zsi,zsi_time\n"
        "Utility,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,UTIL,,source,30,15,,,,,,,,,,,,,0.5,0.5,,,,\n"
        "SWG,ieee1584-2018,480,32,VCB,508,508,508,609.6,SWG,UTIL,transformer,,,2000,5.75,6,,,,trip-unit,"
        "3000,1,10,4,0.3,,,1000,0.035,yes,0.1\n"
        "MCC,ieee1584-2018,480,32,VCB,508,508,508,609.6,MCC,SWG,cable,,,,,,30,0.06,0.09,trip-unit,3000,1,"
        "10,4,0.3,,,,,,\n";
    Dir dir;
    std::ofstream(dir / "plant.csv", std::ios::binary) << study;
    const std::string report = dir / "report.pdf";
    const CommandRun r =
        RunCommand(kProgram + " --report-curves --report " + report + " " + (dir / "plant.csv") + " 2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = ReportText(report);
    std::size_t from = 0;
    for (const char* t : {"MCC the network, maximum case another row's device, zone-selective interlocking element, 0.11 s",
                          "Not selective", "MCC IEEE 1584-2018 warning not selective: the device of \"SWG\" opened before that of \"MCC\"",
                          "Time-current curves of the protective devices", "arc-flash relay pickup 1000 A",
                          "Iarc: 0.035 s, arc-flash relay", "SWG, opens after 0.11 s (zone-selective"}) {
        const std::size_t at = text.find(t, from);
        EXPECT_NE(at, std::string::npos) << t << " after " << from << " in " << text;
        if (at != std::string::npos) from = at + std::string_view(t).size();
    }
    // Listed once, not again among the cautions about a device's settings.
    EXPECT_EQ(text.find("Points computed with a caution"), std::string::npos);
}

}  // namespace

namespace {

// A main's section: the load-side row of the main and its line-side row.
// Both labels carry the larger governing energy of the two and name its
// side; the line-side fault is cleared upstream and governs, unless its
// row is worked on from far enough away. The other points keep their own.
TEST(BatchPdfs, AMainsSectionLabelsCarryTheLargerSide) {
    struct Case {
        const char* lineSideDistance;
        const char* footer;
        bool lineSideFooter;
    };
    for (const Case& c : {Case{"609.6", "Section: the line side governs", true},
                          Case{"3000", "Section: the load side governs", false}}) {
        const std::string mv = "ieee1584-2018,13800,152,VCB,1143,762,508,914.4,";
        const std::string lv = "ieee1584-2018,480,32,VCB,508,508,508,";
        const std::string study =
            "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth,"
            "work_distance,arc_time,arc_time_reduced,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,"
            "tx_xr,cable_length,cable_r,cable_x,device_type,relay_curve,relay_pickup,relay_time_dial,line_side\n"
            "Utility," + mv + "0.5,0.5,UTIL,,source,20,15,,,,,,,,,,,\n"
            "HV feeder," + mv + ",,HV,UTIL,cable,,,,,,100,0.1,0.1,relay,IEEE-VI,60,2,\n"
            "SWG main," + lv + "609.6,,,SWG,HV,transformer,,,1500,5.75,6,,,,relay,DT,1000,0.3,\n"
            "SWG main line side," + lv + c.lineSideDistance + ",,,SWG,,,,,,,,,,,relay,DT,1000,0.3,yes\n";
        Dir dir;
        std::ofstream(dir / "plant.csv", std::ios::binary) << study;
        const std::string labels = dir / "labels.pdf";
        const CommandRun r = RunCommand(kProgram + " --labels " + labels + " " + (dir / "plant.csv") + " 2>&1 >/dev/null");
        ASSERT_EQ(r.status, 0) << r.out;
        std::vector<std::string> pages;
        std::stringstream text(RunCommand("pdftotext " + labels + " -").out);
        for (std::string page; std::getline(text, page, '\f');) pages.push_back(page);
        ASSERT_GE(pages.size(), 4u);
        const std::regex energy("([0-9.]+) cal/cm");
        std::smatch main, line;
        ASSERT_TRUE(std::regex_search(pages[2], main, energy)) << pages[2];
        ASSERT_TRUE(std::regex_search(pages[3], line, energy)) << pages[3];
        EXPECT_EQ(main[1], line[1]) << c.lineSideDistance;
        for (std::size_t k = 0; k < 4; ++k) {
            const bool section = k >= 2;
            EXPECT_EQ(pages[k].find(c.footer) != std::string::npos, section) << k << ": " << pages[k];
            EXPECT_EQ(pages[k].find("Fault on the line side") != std::string::npos, section && c.lineSideFooter)
                << k << ": " << pages[k];
        }
    }
}

}  // namespace

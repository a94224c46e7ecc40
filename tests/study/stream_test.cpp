// SPDX-License-Identifier: GPL-3.0-or-later
// The study read as a stream: every record gives one row wherever it stands,
// however the input arrives, and the messages name what the user wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "study/csv.h"
#include "study/run.h"
#include "study_tools.h"

namespace zentavo {
namespace {

using study_test::kEmpirical;
using study_test::kMethodsHeader;
using study_test::RunPieces;
const std::string kBom = "\xEF\xBB\xBF";

std::vector<std::vector<std::string>> Records(std::string_view csvText) {
    csv::Reader reader(csvText);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> fields;
    while (const csv::Record record = reader.Next(fields)) {
        EXPECT_EQ(record.problem, std::nullopt);
        rows.push_back(fields);
    }
    return rows;
}

// One output row per data record, as maps of the result columns.
struct OutRow {
    std::string status, message, equations, energy;
};
std::vector<OutRow> Rows(std::string_view input, const StudyOptions& options = {}) {
    const auto records = Records(RunPieces(input, options));
    std::vector<OutRow> rows;
    if (records.empty()) return rows;
    const auto& h = records[0];
    auto at = [&](const std::vector<std::string>& r, const char* name) {
        const auto i = std::find(h.begin(), h.end(), name) - h.begin();
        return i < static_cast<long>(r.size()) ? r[i] : std::string("?");
    };
    for (std::size_t i = 1; i < records.size(); ++i) {
        rows.push_back({at(records[i], "status"), at(records[i], "message"),
                        at(records[i], "equations"), at(records[i], "incident_energy")});
    }
    return rows;
}

std::string Study(std::size_t rows, std::size_t specialAt, const std::string& special) {
    std::string s = kMethodsHeader;
    for (std::size_t i = 1; i <= rows; ++i) s += i == specialAt ? special : kEmpirical;
    return s;
}

TEST(StudyStream, AByteOrderMarkIsSkippedOnlyAtTheStart) {
    // A line that starts with a byte-order mark, or holds nothing else, reads
    // the same at data row 5 as at 2049 and 3001: one row each, never dropped.
    struct Case {
        std::string line;
        std::string status;
        std::string message;  // with LINE for the line number
    } cases[] = {
        {kBom + "\n", "error", "line LINE: 1 fields where the header has 15"},
        {kBom + kEmpirical, "error", "method: unknown value \"" + kBom + "empirical\""},
        {"\"" + kBom + "\",,,,,,,,,,,,,,\n", "error", "method: unknown value \"" + kBom + "\""},
    };
    for (const auto& c : cases) {
        for (std::size_t at : {5u, 2048u, 2049u, 3001u}) {
            const auto rows = Rows(Study(3001, at, c.line));
            ASSERT_EQ(rows.size(), 3001u) << at;
            std::string message = c.message;
            if (auto p = message.find("LINE"); p != std::string::npos) {
                message.replace(p, 4, std::to_string(at + 1));
            }
            EXPECT_EQ(rows[at - 1].status, c.status) << at;
            EXPECT_EQ(rows[at - 1].message, message) << at;
            if (at < rows.size()) {
                EXPECT_EQ(rows[at].status, "ok") << at;
            }
        }
    }
    // At the very start it is skipped, with or without line ends of either kind.
    for (const std::string& study :
         {kBom + kMethodsHeader + kEmpirical, kBom + "\r\n" + kMethodsHeader + kEmpirical}) {
        const auto rows = Rows(study);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].status, "ok");
    }
}

TEST(StudyStream, OutputDoesNotDependOnHowTheInputArrives) {
    // Every kind of record, including malformed and over-long ones, around
    // the edges of reads and chunks.
    std::string study = kMethodsHeader;
    const std::string kinds[] = {
        kEmpirical,
        "fuse,,1,,,455,mm,,,,,0,,,\r\n",
        "breaker,480,20,,,460,mm,,,,,,MCCB-100-400,25,2\n",
        "empirical,480,\"2\"\"0\",32,mm,455,mm,Switchgear,Grounded,0.2,0.2,,,,\n",
        "fuse,\"multi\nline\",1,,,455,mm,,,,,0,,,\n",
        "fuse,,1,,,455,mm,,,,,\"open\n",
        "fuse,,\"1\"x,,,455,mm,,,,,0,,,\n",
        "\n\r\n",
        std::string(300, 'x') + "\n",
        "fuse,,1,,,455,mm,,,,,0\n",
        "\"a\nb\"c,,1\n",
        // Lone CRs, mixed line ends, a quoted field past the longest record
        // that closes within reach and a quote that does not.
        "fuse,,1,,,455,mm,,,,,0,,,\r",
        "\r\r\n\r",
        "fuse,\"multi\rline\",1,,,455,mm,,,,,0,,,\r",
        "fuse,,1,,,455,mm,,,,,\"" + std::string(30, 'q') + "\r\n" + std::string(300, 'r') +
            "\",,,\r\n",
        "\"" + std::string(900, 'y') + "\r\n",
    };
    for (int i = 0; i < 300; ++i) study += kinds[(i * 7) % std::size(kinds)];
    study += "fuse,,1,,,455,mm,,,,,0,,,";  // no line end at the end

    StudyOptions whole;
    whole.maxRecordBytes = 200;
    const std::string expected = RunPieces(study, whole);
    EXPECT_GT(Records(expected).size(), 250u);
    for (unsigned workers : {1u, 2u, 3u}) {
        for (std::size_t rows : {1u, 2u, 7u, 2048u}) {
            for (std::size_t piece : {1u, 3u, 64u, 4096u}) {
                StudyOptions o = whole;
                o.workers = workers;
                o.chunkRows = rows;
                EXPECT_EQ(RunPieces(study, o, piece), expected)
                    << workers << " " << rows << " " << piece;
            }
        }
    }
}

TEST(StudyStream, EmptyLinesByTheMegabyteArePassedOver) {
    // More empty lines than reading holds at once, before the header and
    // between rows: they give no rows and the line numbers still count them.
    const std::string empty(600000, '\n');
    StudyOptions options;
    options.maxRecordBytes = 64;
    const std::string out = RunPieces(empty + "method,bolted_current,work_distance,fuse_class\n" +
                                          empty + "fuse,1,455,0\n" + empty + "fuse,1,455,0,x\n",
                                      options, 100000);
    const auto records = Records(out);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1][4], "ok");
    EXPECT_EQ(records[2][5], "line 1800003: 5 fields where the header has 4");
}

TEST(StudyStream, MalformedRecordsNameTheirLines) {
    struct Case {
        std::string records;                // after the header (line 1)
        std::vector<std::string> messages;  // of each output row; "" for a good one
    } cases[] = {
        // A quote that never closes costs the line it opened on alone.
        {"fuse,\"1,455,0\nfuse,1,455,0\n", {"line 2: unbalanced quote", ""}},
        {"\"a\nb\",\"open\nfuse,1,455,0\n", {"line 2: unbalanced quote opened on line 3", ""}},
        // One that closes lines later with text after it: most likely never
        // closed; both lines are named and the lines between read again.
        {"fuse,\"1,455,0\nfuse,1,455,0\nfuse,1,455,0\nfuse,\"1\"x,455,0\nfuse,1,455,0\n",
         {"line 2: unexpected text after a closing quote on line 5; the quote opened on line 2", "",
          "", "line 5: unexpected text after a closing quote", ""}},
        {"fuse,\"1\"x,455,0\nfuse,1,455,0\n",
         {"line 2: unexpected text after a closing quote", ""}},
        // Longer than the longest record: the rest of its line goes with it.
        {"fuse,1,455," + std::string(300, '0') + "\nfuse,1,455,0\n",
         {"line 2: longer than 200 bytes", ""}},
        {"fuse,1,455,0," + std::string(300, ',') + "\nfuse,1,455,0\n",
         {"line 2: longer than 200 bytes", ""}},
        {"fuse,1,455,\"" + std::string(300, 'x') + "\"\nfuse,1,455,0\n",
         {"line 2: longer than 200 bytes", ""}},
        {"fuse,1,455,0,5\n", {"line 2: 5 fields where the header has 4"}},
    };
    StudyOptions options;
    options.maxRecordBytes = 200;
    for (const auto& c : cases) {
        const auto rows =
            Rows("method,bolted_current,work_distance,fuse_class\n" + c.records, options);
        ASSERT_EQ(rows.size(), c.messages.size()) << c.records;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].message, c.messages[i]) << c.records << " row " << i;
            EXPECT_EQ(rows[i].status, c.messages[i].empty() ? "ok" : "error") << c.records;
        }
    }
}

// A quoted field may run over many lines; past the longest record it makes
// one error row however many lines it has.
TEST(StudyStream, AQuotedFieldPastTheLongestRecordIsOneErrorRow) {
    const std::string header = "point,method,bolted_current,work_distance,fuse_class\n";
    std::string lines;  // 600 bytes over 100 lines, line ends of every kind
    for (int i = 0; i < 100; ++i)
        lines += i % 3 == 0 ? "abcd\r\n" : i % 3 == 1 ? "abcde\r" : "abcde\n";
    struct Case {
        std::string records;                // after the header (line 1)
        std::vector<std::string> messages;  // of each output row; "" for a good one
    } cases[] = {
        // Past the longest record and closing within reach: one row, naming where the quote
        // opened and closed; reading resumes after the closing quote's line.
        {"\"" + lines + "\",fuse,1,455,0\nP,fuse,1,455,0\nP,fuse,1,455,0,5\n",
         {"line 2: longer than 200 bytes: a quoted field from line 2 to line 102", "",
          "line 104: 6 fields where the header has 5"}},
        {"\"" + std::string(790, 'x') + "\",fuse,1,455,0\nP,fuse,1,455,0\n",
         {"line 2: longer than 200 bytes", ""}},
        // A quote still open at its reach (four records) is taken as never
        // closed: the line it opened on is given up.
        {"\"" + std::string(800, 'x') + "\",fuse,1,455,0\nP,fuse,1,455,0\n",
         {"line 2: unbalanced quote (no closing quote within 800 bytes)", ""}},
    };
    StudyOptions options;
    options.maxRecordBytes = 200;
    for (const auto& c : cases) {
        const auto rows = Rows(header + c.records, options);
        ASSERT_EQ(rows.size(), c.messages.size()) << c.records;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].message, c.messages[i]) << c.records << " row " << i;
        }
    }
    // A field of 2 MB over 2 000 lines at the default longest record.
    std::string big = header + "P,fuse,1,455,0\n\"";
    for (int i = 0; i < 2000; ++i) big += std::string(999, 'x') + "\n";
    big += "\",fuse,1,455,0\nP,fuse,1,455,0\n";
    const auto rows = Rows(big);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].message,
              "line 3: longer than 1048576 bytes: a quoted field from line 3 to line 2003");
    EXPECT_EQ(rows[2].status, "ok");
}

std::string EmpiricalRow(const std::string& voltage, const std::string& gap,
                         const std::string& gapUnit, const std::string& distUnit = "mm") {
    return "empirical," + voltage + ",20," + gap + "," + gapUnit + ",455," + distUnit +
           ",Switchgear,Grounded,0.2,0.2,,,,\n";
}

TEST(StudyRow, UnitWordsMessagesAndEquations) {
    const std::string zeros(140, '0');
    const std::string nul(
        "4\0"
        "80",
        4);
    struct Case {
        std::string row;
        std::string status;
        std::string message;
        std::string equations;
    } cases[] = {
        // The length units are exactly "mm" or "inches"; empty means "mm".
        {EmpiricalRow("480", "32", ""), "ok", "", "empirical"},
        {EmpiricalRow("480", "32", "mm"), "ok", "", "empirical"},
        {EmpiricalRow("480", "1.26", "inches"), "ok", "", "empirical"},
        {EmpiricalRow("480", "32", "MM"), "error", "gap_unit: unknown value \"MM\"", ""},
        {EmpiricalRow("480", "32", "mm "), "error", "gap_unit: unknown value \"mm \"", ""},
        {EmpiricalRow("480", "32", "millimetres"), "error",
         "gap_unit: unknown value \"millimetres\"", ""},
        {EmpiricalRow("480", "32", "mm", "Inches"), "error",
         "work_distance_unit: unknown value \"Inches\"", ""},
        {"fuse,,1,,,455,in,,,,,0,,,\n", "error", "work_distance_unit: unknown value \"in\"", ""},
        {"breaker,480,20,,cm,460,mm,,,,,,MCCB-100-400,25,2\n", "error",
         "gap_unit: unknown value \"cm\"", ""},
        // The equations that gave the results.
        {EmpiricalRow("20000", "32", "mm"), "ok", "", "theoretically derived"},
        {EmpiricalRow("480", "153", "mm"), "ok", "", "theoretically derived"},
        {EmpiricalRow("480", "152", "mm"), "ok", "", "empirical"},
        {"fuse,,1,,,455,mm,,,,,0,,,\n", "ok", "", "fuse"},
        {"breaker,480,20,,,460,mm,,,,,,MCCB-100-400,25,2\n", "ok", "", "breaker"},
        {EmpiricalRow("207", "32", "mm"), "warning", "Voltage out of range. ", ""},
        // A NUL byte does not cut the message short.
        {EmpiricalRow(nul, "32", "mm"), "error",
         "'" + nul + "' is not a valid floating point value", ""},
        // Padding makes no number too long, and the message keeps what was typed.
        {EmpiricalRow(zeros + "480", "32", "mm"), "ok", "", "empirical"},
        {EmpiricalRow("480." + zeros, "32", "mm"), "ok", "", "empirical"},
        {EmpiricalRow("  0" + zeros + "480.0" + zeros + "e0" + zeros + "  ", "32", "mm"), "ok", "",
         "empirical"},
        {EmpiricalRow(zeros + "1e999", "32", "mm"), "error",
         "'" + zeros + "1e999' is not a valid floating point value", ""},
        {EmpiricalRow(zeros + "48x", "32", "mm"), "error",
         "'" + zeros + "48x' is not a valid floating point value", ""},
        // A gap beyond any size in millimetres is out of range.
        {EmpiricalRow("480", "1e307", "inches"), "warning", "Incorrect gap between conductors. ",
         ""},
        {EmpiricalRow("100", "1e308", "inches"), "warning",
         "Voltage out of range. Incorrect gap between conductors. ", ""},
        // A row's first problem in the order its method reads its fields: a
        // text that is no number before the ranges of the step it belongs
        // to, the first step's ranges before a duration's text, a hidden
        // reduced duration (the theoretically derived equations) not read.
        {"empirical,99999,20,x,mm,455,mm,Switchgear,Grounded,0.2,0.2,,,,\n", "error",
         "'x' is not a valid floating point value", ""},
        {"empirical,99999,20,32,mm,455,mm,Switchgear,Grounded,q,0.2,,,,\n", "warning", "Voltage out of range. ", ""},
        {"empirical,480,20,32,mm,455,mm,Switchgear,Grounded,5,q,,,,\n", "error",
         "'q' is not a valid floating point value", ""},
        {"empirical,20000,20,32,mm,455,mm,Switchgear,Grounded,0.2,zz,,,,\n", "ok", "", "theoretically derived"},
        {"empirical,480,20,32,mm,455,mm,Switchgear,x,0.2,0.2,,,,\n", "error", "grounding: unknown value \"x\"", ""},
        {"fuse,,abc,,,455,mm,,,,,x,,,\n", "error", "fuse_class: unknown value \"x\"", ""},
        {"breaker,500,20,,,455,mm,,,,,,,,0\n", "warning", "Voltage out of range. Enter IR value.Enter IT value.", ""},
        {"breaker,480,20,,,455,mm,,,,,,,30,x\n", "error", "'x' is not a valid floating point value", ""},
    };
    for (const auto& c : cases) {
        const auto rows = Rows(kMethodsHeader + c.row);
        ASSERT_EQ(rows.size(), 1u) << c.row;
        EXPECT_EQ(rows[0].status, c.status) << c.row;
        EXPECT_EQ(rows[0].message, c.message) << c.row;
        EXPECT_EQ(rows[0].equations, c.equations) << c.row;
    }
    // Padded numbers give the numbers of the plain ones.
    EXPECT_EQ(Rows(kMethodsHeader + EmpiricalRow(zeros + "480", "32", "mm"))[0].energy,
              Rows(kMethodsHeader + EmpiricalRow("480", "32", "mm"))[0].energy);
}

}  // namespace
}  // namespace zentavo

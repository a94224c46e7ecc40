// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/csv.h"
#include "study/csv_writer.h"
#include "study/tsv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentavo::csv {
namespace {

struct Read {
    std::vector<std::string> fields;
    std::size_t line;
    std::string error;
};

std::vector<Read> ReadAll(std::string_view data) {
    Reader reader(data);
    std::vector<Read> out;
    Read r;
    while (const Record record = reader.Next(r.fields)) {
        r.line = record.line;
        r.error = record.problem.value_or("");
        out.push_back(r);
    }
    return out;
}

using Fields = std::vector<std::string>;

TEST(CsvReader, ReadsPlainAndQuotedFields) {
    const auto rows = ReadAll("a,b,c\n1,\"x, y\",\"say \"\"hi\"\"\"\n,,\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].fields, (Fields{"a", "b", "c"}));
    EXPECT_EQ(rows[1].fields, (Fields{"1", "x, y", "say \"hi\""}));
    EXPECT_EQ(rows[2].fields, (Fields{"", "", ""}));
    for (const auto& r : rows) EXPECT_EQ(r.error, "");
}

TEST(CsvReader, HandlesLineEndsBomAndEmptyLines) {
    struct Case {
        const char* data;
        std::vector<Fields> expected;
        std::vector<std::size_t> lines;
    } cases[] = {
        {"\xEF\xBB\xBF" "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"a,b\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"a,b\r\n1,2\r", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"a\n\n\r\nb\n", {{"a"}, {"b"}}, {1, 4}},
        {"\"multi\nline\",x\nnext,y\n", {{"multi\nline", "x"}, {"next", "y"}}, {1, 3}},
        {"\"q\"\r\n", {{"q"}}, {1}},
        // A lone CR ends a line, as LF and CR LF do; a CR LF is one line end.
        {"a,b\r1,2\r", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"a\r\r\nb\n\rc\r\r", {{"a"}, {"b"}, {"c"}}, {1, 3, 5}},
        {"\"x\ry\"\rnext,\"\"\r", {{"x\ry"}, {"next", ""}}, {1, 3}},
    };
    for (const auto& c : cases) {
        const auto rows = ReadAll(c.data);
        ASSERT_EQ(rows.size(), c.expected.size()) << c.data;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].fields, c.expected[i]) << c.data;
            EXPECT_EQ(rows[i].line, c.lines[i]) << c.data;
            EXPECT_EQ(rows[i].error, "") << c.data;
        }
    }
}

TEST(CsvReader, AMalformedLineCostsOnlyItself) {
    // An unbalanced quote would swallow everything after it; the reader gives
    // up on that line alone and goes on with the next.
    auto rows = ReadAll("h1,h2\n1,\"open\n3,4\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].error, "line 2: unbalanced quote");
    EXPECT_EQ(rows[2].fields, (Fields{"3", "4"}));
    EXPECT_EQ(rows[2].line, 3u);
    EXPECT_EQ(rows[2].error, "");

    rows = ReadAll("h1,h2\n\"a\"b,c\n5,6\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].error, "line 2: unexpected text after a closing quote");
    EXPECT_EQ(rows[2].fields, (Fields{"5", "6"}));
    EXPECT_EQ(rows[2].line, 3u);
}

TEST(CsvWriter, QuotesOnlyWhatNeedsIt) {
    std::string out;
    AppendRecord(out, {"plain", "a,b", "say \"hi\"", "two\nlines", "", "0,25"});
    EXPECT_EQ(out, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",,\"0,25\"\r\n");
}

TEST(Csv, WrittenRecordsReadBackUnchanged) {
    const Fields original = {"MCCB-100-400\t   ", "x,\"y\"", "\r\n", " lead", ""};
    std::string out;
    AppendRecord(out, original);
    const auto rows = ReadAll(out);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].fields, original);
}

// A record copied as it stands writes exactly what its fields written one by
// one would; any record that would be written otherwise is not plain.
TEST(Csv, PlainRecordTextIsWhatWritingTheFieldsGives) {
    const std::string longField(40, 'z');
    struct Case {
        std::string line;
        bool plain;
    } cases[] = {
        {"a,b,c\n", true},
        {"a,,c\r\n", true},
        {",,\n", true},
        {"12.5,mm," + longField + ",VCB\n", true},
        {"only\n", true},
        // Fields split sixteen characters at a time: many in one stretch, and empty ones.
        {"a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s\n", true},
        {"x,,,,,,,,,,,,,,,,,,,,,,,,y\r\n", true},
        {"a,\"b\",c\n", false},  // quotes not needed: written without them
        {"a,\"b,c\",d\n", false},
        {"a,\"say \"\"hi\"\"\",c\n", false},
        {"a,\"x\ry\",c\n", false},  // a lone CR inside a field is written in quotes
        {"a,\"" + longField + "\r" + longField + "\",c\n", false},
        {"a,b\"c,d\n", false},
        {"\"\",b\n", false},
    };
    for (const Case& c : cases) {
        Reader reader(c.line);
        csv::Fields fields;
        ASSERT_TRUE(reader.Next(fields)) << c.line;
        std::string written;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            char buf[256];
            if (i) written += ',';
            written.append(buf, WriteField(buf, fields[i]));
        }
        const std::string_view plain = PlainRecordText(fields);
        if (c.plain) {
            EXPECT_EQ(plain, written) << c.line;
        } else {
            EXPECT_TRUE(plain.empty()) << c.line << " -> " << plain;
        }
    }
}

// Each delimiter: a field holding it, a quote or a line break is quoted, a
// field holding another delimiter (a decimal comma under a semicolon) is
// not; what is written reads back with that delimiter, field for field.
TEST(Csv, EachDelimiterQuotesItsOwnAndReadsBack) {
    // 16 characters and more: looked through sixteen at a time.
    const std::string x(20, 'x');
    const Fields fields = {"plain", "0,25", "a;b", "a\tb", "say \"hi\"", x + ",", x + ";", x + "\t", ""};
    // clang-format off
    struct Case {
        char delimiter;
        LineEnd end;
        std::string written;
    } cases[] = {
        {',',  LineEnd::kCrLf, "plain,\"0,25\",a;b,a\tb,\"say \"\"hi\"\"\",\"" + x + ",\"," + x + ";," + x + "\t,\r\n"},
        {';',  LineEnd::kLf,   "plain;0,25;\"a;b\";a\tb;\"say \"\"hi\"\"\";" + x + ",;\"" + x + ";\";" + x + "\t;\n"},
        {'\t', LineEnd::kLf,   "plain\t0,25\ta;b\t\"a\tb\"\t\"say \"\"hi\"\"\"\t" + x + ",\t" + x + ";\t\"" + x + "\t\"\t\n"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("delimiter ") + c.delimiter);
        std::string out;
        AppendRecord(out, fields, {c.delimiter, c.end});
        EXPECT_EQ(out, c.written);
        std::string byField;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            char buf[256];
            if (i) byField += c.delimiter;
            byField.append(buf, WriteField(buf, fields[i], c.delimiter));
        }
        EXPECT_EQ(byField + (c.end == LineEnd::kLf ? "\n" : "\r\n"), c.written);

        ReaderOptions o;
        o.delimiter = c.delimiter;
        Reader reader(c.written, o);
        Read r;
        const Record read1 = reader.Next(r.fields);
        ASSERT_TRUE(read1);
        EXPECT_EQ(read1.problem, std::nullopt);
        EXPECT_EQ(r.fields, fields);

        // A plain record is copied as it stands only where its delimiter is
        // the writer's; the results follow it with that delimiter.
        const std::string plain = std::string("a") + c.delimiter + "b" + c.delimiter + "0.5\n";
        Reader plainReader(plain, o);
        csv::Fields read;
        ASSERT_TRUE(plainReader.Next(read));
        EXPECT_EQ(PlainRecordText(read, c.delimiter), plain.substr(0, plain.size() - 1));
        EXPECT_EQ(PlainRecordText(read, c.delimiter == ',' ? ';' : ','), "");
        Writer writer({c.delimiter, c.end});
        const std::string more[] = {"ok", "1,5", "x;y"};
        writer.Record(read, 3, true, more);
        writer.Record(read, 4, false, more);  // padded: written field by field
        const std::string results = c.delimiter == ',' ? ",ok,\"1,5\",x;y"
                                    : c.delimiter == ';' ? ";ok;1,5;\"x;y\""
                                                         : "\tok\t1,5\tx;y";
        const std::string end = c.end == LineEnd::kLf ? "\n" : "\r\n";
        const std::string record = plain.substr(0, plain.size() - 1);
        EXPECT_EQ(writer.View(), record + results + end + record + c.delimiter + results + end);
    }
}


// Rows pasted from a spreadsheet: tabs between fields, any line end, empty
// lines passed by, quoted fields holding tabs, line breaks and doubled quotes,
// a quote inside a field kept as it is.
TEST(Tsv, ReadsWhatASpreadsheetCopies) {
    struct Case {
        const char* text;
        std::vector<Fields> expected;
    } cases[] = {
        {"a\tb\nc\td\n", {{"a", "b"}, {"c", "d"}}},
        {"a\tb", {{"a", "b"}}},
        {"a\r\nb\rc\n", {{"a"}, {"b"}, {"c"}}},
        {"\n\r\n\ta\n\n", {{"", "a"}}},
        {"x\t\n", {{"x", ""}}},
        {"\"two\nlines\"\t\"say \"\"hi\"\"\"\n", {{"two\nlines", "say \"hi\""}}},
        {"a\"b\tc\n", {{"a\"b", "c"}}},
        {"\"\"\n", {{""}}},
        {"Caf\xC3\xA9\t\xC2\xB0" "C\n", {{"Caf\xC3\xA9", "\xC2\xB0" "C"}}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseTsv(c.text), c.expected) << c.text;
}

TEST(Tsv, WrittenFieldsReadBackUnchanged) {
    const Fields fields = {"plain", "tab\there", "two\r\nlines", "say \"hi\"", "", "0,25"};
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += '\t';
        AppendTsvField(out, fields[i]);
    }
    EXPECT_EQ(out, "plain\t\"tab\there\"\t\"two\r\nlines\"\t\"say \"\"hi\"\"\"\t\t0,25");
    EXPECT_EQ(ParseTsv(out + "\n"), std::vector<Fields>{fields});
}

}  // namespace
}  // namespace zentavo::csv

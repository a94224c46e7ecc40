// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/text_codec.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "report/report.h"

namespace zentavo {
namespace {

TEST(TextCodec, EveryWindows1252ByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(TextCodec, KnownCharacters) {
    struct Case {
        const char* cp1252;
        const char* utf8;
    } cases[] = {
        {"\x80", "\u20ac"}, {"\xe9", "\u00e9"}, {"\xb5", "\u00b5"}, {"\x96", "\u2013"},
        {"\x9f", "\u0178"}, {"ASCII", "ASCII"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
    }
    // Characters the code page lacks become '?'.
    EXPECT_EQ(Utf8ToCp1252("\u03a9 \U0001F600"), "? ?");
}

TEST(TextCodec, Utf8Validity) {
    struct Case {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"plain", true},         {"\xc3\xa9", true},       {"\xe2\x82\xac", true},
        {"\xf0\x9f\x98\x80", true}, {"\xe9", false},       {"\xc0\xaf", false},  // overlong
        {"\xed\xa0\x80", false},  // surrogate
        {"\xc3", false},          {"\xf4\x90\x80\x80", false},  // above U+10FFFF
        // Past runs of eight ASCII bytes; a bad byte before, at the start and at the end of such a run.
        {"point,method,2784,94.43,\xc3\xa9", true}, {"point,method,2784,94.43\xe9", false},
        {"1234567\xe9" "12345678", false}, {"12345678" "\xe9" "1234567", false}, {"12345678" "1234567\xe9", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(TextCodec, DecodingFindsEncodingAndLineBreaks) {
    const TextFile crlf = DecodeTextFile("a\r\nb\r\n");
    EXPECT_EQ(crlf.text, "a\nb\n");
    EXPECT_TRUE(crlf.crlf);
    EXPECT_EQ(crlf.encoding, TextEncoding::Utf8);

    const TextFile mixed = DecodeTextFile("a\r\nb\n");
    EXPECT_FALSE(mixed.crlf);
    EXPECT_EQ(mixed.text, "a\r\nb\n");

    const TextFile latin = DecodeTextFile("caf\xe9");
    EXPECT_EQ(latin.encoding, TextEncoding::Cp1252);
    EXPECT_EQ(latin.text, "caf\u00e9");

    // A UTF-8 byte-order mark before Windows-1252 text is set aside, not
    // decoded as the three characters "ï»¿" of the first line.
    const TextFile marked = DecodeTextFile("\xef\xbb\xbfpoint;caf\xe9");
    EXPECT_EQ(marked.encoding, TextEncoding::Cp1252);
    EXPECT_TRUE(marked.byteOrderMark);
    EXPECT_EQ(marked.text, "point;caf\u00e9");

    for (const char* bytes :
         {"a\r\nb\r\n", "a\r\nb\n", "caf\xe9\r\n", "\xef\xbb\xbfx\n", "\xef\xbb\xbf" "caf\xe9\r\n", "", "\r"}) {
        EXPECT_EQ(EncodeTextFile(DecodeTextFile(bytes)), bytes);
    }
}

TEST(ReportBlock, NewAndAppendedBlocksInWindows1252) {
    EXPECT_EQ(EncodeReportBlock({"a", "\u00b5m"}, false), "a\r\n\xb5m\r\n");
    EXPECT_EQ(EncodeReportBlock({"a"}, true), "\r\na\r\n");
}

// A report text with a character Windows-1252 lacks is refused with the
// character named, never written with a '?'; the report file stays as it was.
TEST(ReportBlock, ACharacterWindows1252LacksIsRefusedByName) {
    struct Case {
        std::string line;
        std::string bytes;    // the block, when it can be written
        std::string refusal;  // else the message
    };
    // clang-format off
    const Case cases[] = {
        {"\u00b5 \u20ac \u00e9 \u2013 \u0178", "\xb5 \x80 \xe9 \x96 \x9f\r\n", ""},
        {"Gap (\u03a9): 32", "", "The report is written in Windows-1252, which cannot hold '\u03a9'."},
        {"a \u2264 \u03a9", "", "The report is written in Windows-1252, which cannot hold '\u2264'."},
        {"\U0001F600", "", "The report is written in Windows-1252, which cannot hold '\U0001F600'."},
        {"a\u2028" "b", "", "The report is written in Windows-1252, which cannot hold U+2028."},
        {"\xe9 not UTF-8", "\xe9 not UTF-8\r\n", ""},
        {"Level of PPE: ?", "Level of PPE: ?\r\n", ""},
    };
    // clang-format on
    char dir[] = "/tmp/zentavo-report-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string existing = std::string(dir) + "/report.txt",
                      fresh = std::string(dir) + "/new.txt";
    AppendToFile(existing, "earlier\r\n");
    for (const Case& c : cases) {
        if (c.refusal.empty()) {
            EXPECT_EQ(EncodeReportBlock({c.line}, false), c.bytes) << c.line;
            continue;
        }
        try {
            EncodeReportBlock({"ok", c.line}, true);
            ADD_FAILURE() << "written: " << c.line;
        } catch (const ReportEncodingError& e) {
            EXPECT_EQ(e.what(), c.refusal);
        }
        EXPECT_THROW(
            SaveReportBlock(existing, [&](bool) { return std::vector<std::string>{c.line}; }),
            ReportEncodingError);
        EXPECT_THROW(SaveReportBlock(fresh, [&](bool) { return std::vector<std::string>{c.line}; }),
                     ReportEncodingError);
        EXPECT_EQ(ReadFile(existing), "earlier\r\n") << c.line;
        EXPECT_FALSE(FileExists(fresh)) << c.line;
    }
    std::system(("rm -rf '" + std::string(dir) + "'").c_str());
}

TEST(ReportFile, FailuresNameTheFileAndTheReason) {
    try {
        AppendToFile("/nonexistent-folder/report.txt", "x");
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_STREQ(e.what(),
                     "Cannot create file \"/nonexistent-folder/report.txt\": No such file or directory");
    }
    EXPECT_THROW(AppendToFile("/dev/full", "x"), IoError);
    EXPECT_THROW(ReadFile("/"), IoError);
}

TEST(ReportFile, AFailedAppendKeepsTheBlocksTheReportHad) {
    char dir[] = "/tmp/zentavo-report-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/report.txt";
    const std::vector<std::string> block(20, "Incident energy exposure (cal/cm2)(100% arcing current): 7.34");
    SaveReportBlock(path, [&](bool) { return block; });
    const std::string before = ReadFile(path);
    // A file size limit just above the report makes the next append fail
    // part-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = before.size() + 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(SaveReportBlock(path, [&](bool) { return block; }), IoError);
    setrlimit(RLIMIT_FSIZE, &old);
    const std::string after = ReadFile(path);
    EXPECT_EQ(after.substr(0, before.size()), before);
    std::system(("rm -rf '" + std::string(dir) + "'").c_str());
}

}  // namespace
}  // namespace zentavo

#include "report/text_codec.h"

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

    for (const char* bytes : {"a\r\nb\r\n", "a\r\nb\n", "caf\xe9\r\n", "\xef\xbb\xbfx\n", "", "\r"}) {
        EXPECT_EQ(EncodeTextFile(DecodeTextFile(bytes)), bytes);
    }
}

TEST(ReportBlock, NewAndAppendedBlocksInWindows1252) {
    EXPECT_EQ(EncodeReportBlock({"a", "\u00b5m"}, false), "a\r\n\xb5m\r\n");
    EXPECT_EQ(EncodeReportBlock({"a"}, true), "\r\na\r\n");
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

// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's model of a text file: encodings, line ends, the mapping of
// edited lines back onto the file, the characters an encoding lacks.
#include "report/text_model.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace zentavo {
namespace {

std::vector<std::string> Lines(const TextLines& f) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < f.LineCount(); ++i) out.emplace_back(f.LineText(i));
    return out;
}
std::vector<LineEnd> Ends(const TextLines& f) { return f.Ends(); }

using E = LineEnd;

struct ParseCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    bool bom;
    std::vector<std::string> lines;
    std::vector<LineEnd> ends;
};

TEST(TextModel, FilesSplitIntoLinesWithTheirOwnEnds) {
    const ParseCase cases[] = {
        {"empty", "", TextEncoding::Cp1252, false, {""}, {E::None}},
        {"no final line end", "a\r\nb", TextEncoding::Cp1252, false, {"a", "b"}, {E::CrLf, E::None}},
        {"mixed CR LF and LF", "a\r\nb\nc\r\n", TextEncoding::Cp1252, false, {"a", "b", "c", ""},
         {E::CrLf, E::Lf, E::CrLf, E::None}},
        {"lone CR, CR CR LF", "a\rb\r\r\n", TextEncoding::Cp1252, false, {"a", "b", "", ""},
         {E::Cr, E::Cr, E::CrLf, E::None}},
        {"LF CR is two ends", "a\n\rb", TextEncoding::Cp1252, false, {"a", "", "b"}, {E::Lf, E::Cr, E::None}},
        {"U+2028 and U+2029 end lines", "a\xe2\x80\xa8" "b\xe2\x80\xa9" "c", TextEncoding::Utf8, false,
         {"a", "b", "c"}, {E::LineSeparator, E::ParagraphSeparator, E::None}},
        {"no-break space is a character", "1\xc2\xa0" "000\n", TextEncoding::Utf8, false, {"1\u00a0000", ""},
         {E::Lf, E::None}},
        {"Windows-1252", "caf\xe9\r\n\x80", TextEncoding::Cp1252, false, {"caf\u00e9", "\u20ac"},
         {E::CrLf, E::None}},
        {"Windows-1252 bytes of U+2028 are not a line end", "\xe9\xe2\x80\xa8", TextEncoding::Cp1252, false,
         {"\u00e9\u00e2\u20ac\u00a8"}, {E::None}},
        {"UTF-8 with byte-order mark", "\xef\xbb\xbfx\r\n", TextEncoding::Utf8, true, {"x", ""},
         {E::CrLf, E::None}},
        {"UTF-16 LE", std::string("\xff\xfe" "a\0\r\0\n\0\xa0\0", 10), TextEncoding::Utf16Le, true,
         {"a", "\u00a0"}, {E::CrLf, E::None}},
        {"UTF-16 BE with a surrogate pair", std::string("\xfe\xff\0\r\xd8\x3d\xde\x00", 8),
         TextEncoding::Utf16Be, true, {"", "\U0001F600"}, {E::Cr, E::None}},
        {"UTF-16 mark with an odd length is Windows-1252", "\xff\xfe" "a", TextEncoding::Cp1252, false,
         {"\u00ff\u00fe" "a"}, {E::None}},
        {"UTF-16 mark with a lone surrogate is Windows-1252", std::string("\xff\xfe\x00\xd8", 4),
         TextEncoding::Cp1252, false, {std::string("\u00ff\u00fe\0\u00d8", 7)}, {E::None}},
    };
    for (const ParseCase& c : cases) {
        const TextLines f = ParseTextFile(c.bytes);
        EXPECT_EQ(f.encoding, c.encoding) << c.name;
        EXPECT_EQ(f.byteOrderMark, c.bom) << c.name;
        EXPECT_EQ(Lines(f), c.lines) << c.name;
        EXPECT_EQ(Ends(f), c.ends) << c.name;
        EXPECT_EQ(EncodeTextLines(f), c.bytes) << c.name << ": bytes back";
    }
}

TEST(TextModel, TheLineEndOfNewLinesIsTheFilesMostCommon) {
    struct Case {
        std::string bytes;
        LineEnd dominant;
    } cases[] = {
        {"", E::CrLf},          {"one line", E::CrLf},   {"a\nb\r\nc\n", E::Lf},
        {"a\rb\r", E::Cr},      {"a\r\nb\n", E::CrLf},   // a tie goes to CR LF
        {"a\xe2\x80\xa9" "b\xe2\x80\xa9", E::ParagraphSeparator},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseTextFile(c.bytes).DominantEnd(), c.dominant) << c.bytes;
}

struct EditCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> edited;  // the editor's lines after the edit
    std::string expected;
};

TEST(TextModel, EditedLinesMapBackOntoTheFile) {
    const EditCase cases[] = {
        {"no edit", "a\r\nb\nc\rd", {"a", "b", "c", "d"}, "a\r\nb\nc\rd"},
        {"one line changed keeps every line end", "a\r\nb\nc\rd", {"a", "B!", "c", "d"}, "a\r\nB!\nc\rd"},
        {"first line changed", "a\nb\r\nc\r\n", {"A", "b", "c", ""}, "A\nb\r\nc\r\n"},
        {"last line typed on", "a\nb", {"a", "bc"}, "a\nbc"},
        {"line added at the end of a file ending in a line end", "a\r\nb\r\n", {"a", "b", "c"},
         "a\r\nb\r\nc"},
        {"line added in the middle takes the dominant end", "a\nb\nc\r\n", {"a", "new", "b", "c", ""},
         "a\nnew\nb\nc\r\n"},
        {"line removed", "a\r\nb\nc\r\n", {"a", "c", ""}, "a\r\nc\r\n"},
        {"all removed", "a\r\nb\r\n", {""}, ""},
        {"new file", "", {"first", "second"}, "first\r\nsecond"},
        {"typed line separator starts a line with the dominant end", "a\nb\n", {"a", "x\u2028y", "b", ""},
         "a\nx\ny\nb\n"},
        {"U+2029 lines keep it, added ones too", "a\xe2\x80\xa9" "b", {"a", "b", "c"},
         "a\xe2\x80\xa9" "b\xe2\x80\xa9" "c"},
        {"no-break space typed stays", "x\r\n", {"1\u00a0000", ""}, "1\xa0" "000\r\n"},
        {"repeated lines", "x\nx\rx\r\n", {"x", "x", "y", "x", ""}, "x\nx\ry\r\nx\r\n"},
        {"a line added and another changed between them", "a\r\nb\nc\rd\r\ne\nf\rg",
         {"a", "new", "b", "c", "d", "E!", "f", "g"}, "a\r\nnew\r\nb\nc\rd\r\nE!\nf\rg"},
        {"a line removed and another changed", "a\r\nb\nc\rd\r\ne\nf", {"a", "c", "d", "E!", "f"},
         "a\r\nc\rd\r\nE!\nf"},
        {"two lines replaced by three", "a\nb\rc\r\nz", {"a", "1", "2", "3", "z"},
         "a\n1\r2\r\n3\r\nz"},  // the third: the dominant end (a tie goes to CR LF)
    };
    for (const EditCase& c : cases) {
        const TextLines f = ParseTextFile(c.bytes);
        EXPECT_EQ(EncodeTextLines(RebuildLines(f, c.edited)), c.expected) << c.name;
    }
}

TEST(TextModel, EditingOneLineOfAReportKeepsEveryOtherByte) {
    std::string report;
    for (int i = 0; i < 50; ++i) report += "Line " + std::to_string(i) + ": 7,34 \xb5s\xa0" "cal\r\n";
    report += "last line, lone CR\r";
    const TextLines f = ParseTextFile(report);
    for (std::size_t edited = 0; edited < f.LineCount(); edited += 7) {
        std::vector<std::string> lines = Lines(f);
        lines[edited] += " V\u00e9rifi\u00e9";
        const std::string saved = EncodeTextLines(RebuildLines(f, lines));
        const TextLines back = ParseTextFile(saved);
        ASSERT_EQ(back.LineCount(), f.LineCount());
        for (std::size_t i = 0; i < f.LineCount(); ++i) {
            EXPECT_EQ(back.End(i), f.End(i)) << i;
            if (i != edited) {
                EXPECT_EQ(back.LineText(i), f.LineText(i)) << i;
            }
        }
        EXPECT_EQ(back.LineText(edited), lines[edited]);
        EXPECT_EQ(back.encoding, TextEncoding::Cp1252);
    }
}

TEST(TextModel, CharactersWindows1252CannotHold) {
    const TextLines cp = ParseTextFile("caf\xe9\r\n");
    EXPECT_TRUE(CharactersNotInEncoding(cp).empty());
    const TextLines typed = RebuildLines(cp, {"caf\u00e9 \u03a9\u2264\u2192 \u03a9 \u20ac", ""});
    EXPECT_EQ(CharactersNotInEncoding(typed), U"\u03a9\u2264\u2192");
    EXPECT_EQ(CharactersNotInEncoding(typed, 2), U"\u03a9\u2264");
    EXPECT_THROW(EncodeTextLines(typed), std::invalid_argument);  // never a silent '?'
    // In UTF-8 every character fits.
    TextLines utf8 = typed;
    utf8.encoding = TextEncoding::Utf8;
    EXPECT_TRUE(CharactersNotInEncoding(utf8).empty());
    EXPECT_EQ(EncodeTextLines(utf8), "caf\u00e9 \u03a9\u2264\u2192 \u03a9 \u20ac\r\n");
    // A UTF-16 file keeps its encoding and mark.
    const TextLines u16 = ParseTextFile(std::string("\xff\xfe" "a\0", 4));
    EXPECT_EQ(EncodeTextLines(RebuildLines(u16, {"\u03a9"})), std::string("\xff\xfe\xa9\x03", 4));
}

TEST(TextModel, PureAsciiIsWrittenInWindows1252) {
    // A report as the program writes it: ASCII, so also valid UTF-8.
    const TextLines f = ParseTextFile("Level of PPE: 2\r\n");
    EXPECT_EQ(f.encoding, TextEncoding::Cp1252);
    EXPECT_EQ(EncodeTextLines(RebuildLines(f, {"Level of PPE: 2 V\u00e9rifi\u00e9", ""})),
              "Level of PPE: 2 V\xe9rifi\xe9\r\n");
    // A file already in UTF-8 stays in UTF-8.
    const TextLines u = ParseTextFile("\xc2\xb5\n");
    EXPECT_EQ(EncodeTextLines(RebuildLines(u, {"\u00e9", ""})), "\xc3\xa9\n");
    // So does an ASCII file with a UTF-8 byte-order mark.
    const TextLines bom = ParseTextFile("\xef\xbb\xbf" "a");
    EXPECT_EQ(EncodeTextLines(RebuildLines(bom, {"\u00e9"})), "\xef\xbb\xbf\xc3\xa9");
}

// Lines are kept as one text and a byte a line: any line is still found by
// its number, and text and line ends that do not match are refused.
TEST(TextModel, AnyLineIsFoundByItsNumber) {
    std::string bytes;
    for (int i = 0; i < 200; ++i)
        bytes += "line " + std::to_string(i) + (i % 2 == 0 ? "\r\n" : "\n");
    const TextLines f = ParseTextFile(bytes);
    ASSERT_EQ(f.LineCount(), 201u);
    for (std::size_t i = 0; i < 200; ++i) {
        EXPECT_EQ(f.LineText(i), "line " + std::to_string(i));
        EXPECT_EQ(f.End(i), i % 2 == 0 ? E::CrLf : E::Lf);
    }
    EXPECT_EQ(f.LineText(200), "");
    EXPECT_THROW(TextLines("a\nb", {E::Lf}), std::invalid_argument);
    EXPECT_THROW(TextLines("a\nb", {E::Lf, E::Lf}), std::invalid_argument);
    EXPECT_THROW(TextLines("a\nb", {E::None, E::None}), std::invalid_argument);
}

// The editor's blocks: a line longer than the bound in pieces cut between
// characters, a few short lines to a block in a very long file, and every
// block within the bound.
TEST(TextModel, LongLinesAreShownInPiecesThatJoinToTheLine) {
    struct Block {
        std::string text;
        bool continues;
        bool operator==(const Block&) const = default;
    };
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t linesPerBlock;
        std::vector<Block> blocks;
    };
    constexpr bool F = false, T = true;
    // clang-format off
    const Case cases[] = {
        {"empty file", "", 1, {{"", F}}},
        {"short lines, a block each", "a\nbb\r\n", 1, {{"a", F}, {"bb", F}, {"", F}}},
        {"a line of exactly the bound", "abcd", 1, {{"abcd", F}}},
        {"one byte over: two pieces", "abcde\n", 1, {{"abcd", F}, {"e", T}, {"", F}}},
        {"a cut before a two-byte character", "abc\u03a9d", 1, {{"abc", F}, {"\u03a9d", T}}},
        {"a cut before a four-byte character", "a\U0001F600b", 1, {{"a", F}, {"\U0001F600", T}, {"b", T}}},
        {"Windows-1252 bytes are cut as their characters", "\x80\x80", 1, {{"\u20ac", F}, {"\u20ac", T}}},
        {"shared blocks stay within the bound", "a\nb\nc\nd\ne", 3, {{"a\nb", F}, {"c\nd", F}, {"e", F}}},
        {"a long line among shared lines", "a\nlonger\nb\nc", 3,
         {{"a", F}, {"long", F}, {"er", T}, {"b\nc", F}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const TextLines f = ParseTextFile(c.bytes);
        std::vector<Block> got;
        std::string joined;
        for (const DisplayBlock& b : DisplayBlocks(f, c.linesPerBlock, 4)) {
            got.push_back({f.Text().substr(b.start, b.end - b.start), b.continuesLine});
            if (b.start > 0 && !b.continuesLine) joined += '\n';
            joined += got.back().text;
        }
        EXPECT_EQ(got, c.blocks) << c.name;
        EXPECT_EQ(joined, f.Text()) << c.name;
    }
}

TEST(TextModel, FrameMarksTheEditorCannotShow) {
    EXPECT_EQ(FirstCharacterTheEditorCannotShow(ParseTextFile("plain\xc2\xa0text")), 0u);
    EXPECT_EQ(FirstCharacterTheEditorCannotShow(ParseTextFile("a\xef\xb7\x91" "b\xef\xb7\x90")), 0xFDD1u);
    EXPECT_EQ(FirstCharacterTheEditorCannotShow(ParseTextFile("\xef\xb7\x90")), 0xFDD0u);
    // U+FDD2 is no frame mark.
    EXPECT_EQ(FirstCharacterTheEditorCannotShow(ParseTextFile("\xef\xb7\x92")), 0u);
}

}  // namespace
}  // namespace zentavo

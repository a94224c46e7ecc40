// SPDX-License-Identifier: GPL-3.0-or-later
// The text paths of the editor and the report on any bytes: a file opened
// and saved without an edit is unchanged byte for byte, also through the
// editor's text document; the blocks the editor shows, long lines cut into
// pieces, join to the file's text again; an edit of one line (also inside a
// piece of a long line) leaves the others as they were; report text becomes
// Windows-1252 or is refused, never given a '?'.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "report/report.h"
#include "io/text_codec.h"
#include "report/text_model.h"

#ifdef ZENTAVO_FUZZ_WITH_QT
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "ui/editor_text.h"

namespace {
// The editor's path without a window: the file goes into a text document
// the way the editor loads it (a line per block, or a few lines per block
// joined by U+2028 as for a very long file, long lines in pieces), and its
// text comes back from the blocks. `edit` types an "x" at the start of the
// block of that number first (none when it is past the last block).
std::string ThroughDocument(const zentavo::TextLines& file,
                            const std::vector<zentavo::DisplayBlock>& blocks,
                            std::size_t edit = SIZE_MAX) {
    QTextDocument doc;
    doc.setPlainText(zentavo::ui::EditorText(file, blocks));
    zentavo::ui::MarkContinuedLines(doc, blocks);
    if (doc.blockCount() != static_cast<int>(blocks.size())) std::abort();
    if (edit < blocks.size())
        QTextCursor(doc.findBlockByNumber(static_cast<int>(edit))).insertText("x");
    return zentavo::ui::EditorDocumentText(doc);
}
}  // namespace
#endif

namespace {
// The text joined from its display blocks: "\n" before each block that
// starts a line.
std::string Joined(const std::string& text, const std::vector<zentavo::DisplayBlock>& blocks) {
    std::string out;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        if (blocks[k].end < blocks[k].start || blocks[k].end > text.size()) std::abort();
        if (k > 0 && !blocks[k].continuesLine) out += '\n';
        out.append(text, blocks[k].start, blocks[k].end - blocks[k].start);
    }
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The editor's model of the file gives the same bytes back.
    const zentavo::TextLines lines = zentavo::ParseTextFile(bytes);
    const std::string& text = lines.Text();
    if (!zentavo::IsValidUtf8(text)) std::abort();
    if (lines.LineCount() == 0 || lines.End(lines.LineCount() - 1) != zentavo::LineEnd::None)
        std::abort();
    if (!zentavo::CharactersNotInEncoding(lines).empty()) std::abort();
    if (zentavo::EncodeTextLines(lines) != bytes) std::abort();

    // The display blocks, with pieces small enough for short inputs: each
    // within the bound, each cut between two characters, and joined they
    // are the file's text.
    const std::size_t pieceBytes = 4 + size % 13, perBlock = 1 + size % 3;
    const std::vector<zentavo::DisplayBlock> blocks =
        zentavo::DisplayBlocks(lines, perBlock, pieceBytes);
    if (blocks.empty() || blocks[0].continuesLine) std::abort();
    for (const zentavo::DisplayBlock& b : blocks) {
        if (b.end - b.start > pieceBytes) std::abort();
        if (b.start < text.size() && (static_cast<unsigned char>(text[b.start]) & 0xC0) == 0x80)
            std::abort();
    }
    if (Joined(text, blocks) != text) std::abort();

    std::string shown = text;
#ifdef ZENTAVO_FUZZ_WITH_QT
    // Open, then Save As without an edit, through the text document: every
    // file the editor accepts comes back byte for byte, also with its long
    // lines in pieces.
    if (zentavo::FirstCharacterTheEditorCannotShow(lines) == 0) {
        for (std::size_t perDocBlock : {std::size_t{1}, std::size_t{3}}) {
            shown = ThroughDocument(lines, zentavo::DisplayBlocks(lines, perDocBlock));
            if (zentavo::EncodeTextLines(zentavo::RebuildLinesFromText(lines, shown)) != bytes)
                std::abort();
        }
        shown = ThroughDocument(lines, blocks);
        if (shown != text) std::abort();
        // An "x" typed at the start of a block (a piece of a long line, when
        // there is one): the file's text gets it there and nothing else.
        std::size_t k = size % blocks.size();
        for (std::size_t p = 0; p < blocks.size(); ++p) {
            if (blocks[p].continuesLine) k = p;
        }
        std::string typed = text;
        typed.insert(blocks[k].start, "x");
        const zentavo::TextLines after =
            zentavo::RebuildLinesFromText(lines, ThroughDocument(lines, blocks, k));
        if (after.Text() != typed || after.Ends() != lines.Ends()) std::abort();
    }
#endif
    if (zentavo::EncodeTextLines(zentavo::RebuildLinesFromText(lines, shown)) != bytes)
        std::abort();

    // One line edited: every other line keeps its text and line end, and the
    // bytes are the old ones with the typed character where it was typed.
    const std::size_t edited = size % lines.LineCount();
    std::vector<std::string> edit;
    for (std::size_t i = 0; i < lines.LineCount(); ++i) edit.emplace_back(lines.LineText(i));
    edit[edited] += "x";
    const zentavo::TextLines after = zentavo::RebuildLines(lines, edit);
    if (after.LineCount() != lines.LineCount() || after.encoding != lines.encoding) std::abort();
    for (std::size_t i = 0; i < lines.LineCount(); ++i) {
        if (after.End(i) != lines.End(i)) std::abort();
        if (i != edited && after.LineText(i) != lines.LineText(i)) std::abort();
    }
    // The file up to the end of the edited line's text.
    const std::string_view editedLine = lines.LineText(edited);
    const std::size_t lineEnd =
        static_cast<std::size_t>(editedLine.data() - text.data()) + editedLine.size();
    std::vector<zentavo::LineEnd> headEnds(
        lines.Ends().begin(), lines.Ends().begin() + static_cast<std::ptrdiff_t>(edited) + 1);
    headEnds.back() = zentavo::LineEnd::None;
    zentavo::TextLines head(text.substr(0, lineEnd), std::move(headEnds));
    head.encoding = lines.encoding;
    head.byteOrderMark = lines.byteOrderMark;
    std::string expected = bytes;
    const std::string x = lines.encoding == zentavo::TextEncoding::Utf16Le   ? std::string("x\0", 2)
                          : lines.encoding == zentavo::TextEncoding::Utf16Be ? std::string("\0x", 2)
                                                                             : std::string("x");
    expected.insert(zentavo::EncodeTextLines(head).size(), x);
    if (zentavo::EncodeTextLines(after) != expected) std::abort();

    // The older single-text reading also gives the same bytes back.
    const zentavo::TextFile file = zentavo::DecodeTextFile(bytes);
    if (!zentavo::IsValidUtf8(file.text)) std::abort();
    if (zentavo::EncodeTextFile(file) != bytes) std::abort();

    // Windows-1252 text survives the trip through the program's UTF-8.
    if (zentavo::Utf8ToCp1252(zentavo::Cp1252ToUtf8(bytes)) != bytes) std::abort();

    // A report block from any texts: ends with CR LF, or is refused naming a
    // character Windows-1252 lacks; never holds a '?' the texts did not.
    try {
        const std::string block =
            zentavo::EncodeReportBlock({bytes, "Level of PPE: 2"}, size % 2 == 1);
        if (block.size() < 2 || block.substr(block.size() - 2) != "\r\n") std::abort();
        if (std::count(block.begin(), block.end(), '?') !=
            std::count(bytes.begin(), bytes.end(), '?'))
            std::abort();
    } catch (const zentavo::ReportEncodingError& e) {
        if (e.character < 0x80 || zentavo::Cp1252Byte(e.character) >= 0) std::abort();
    }
    return 0;
}

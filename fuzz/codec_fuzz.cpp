// The text paths of the editor and the report on any bytes: a file opened
// and saved without an edit is unchanged byte for byte, also through the
// editor's text document; an edit of one line leaves the others as they
// were; report text becomes Windows-1252 or is refused, never given a '?'.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/text_codec.h"
#include "report/text_model.h"

#ifdef ZENTAVO_FUZZ_WITH_QT
#include <QString>
#include <QTextBlock>
#include <QTextDocument>

#include "ui/editor_text.h"

namespace {
// The editor's path without a window: the text goes into a text document
// the way the editor loads it (a line per block, or a few lines per block
// joined by U+2028 as for a very long file), and the lines come back from
// its blocks.
std::vector<std::string> ThroughDocument(const zentavo::TextLines& file, std::size_t linesPerBlock) {
    QTextDocument doc;
    doc.setPlainText(zentavo::ui::EditorText(file, linesPerBlock));
    std::vector<std::string> lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) lines.push_back(b.text().toStdString());
    return lines;
}
}  // namespace
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The editor's model of the file gives the same bytes back.
    const zentavo::TextLines lines = zentavo::ParseTextFile(bytes);
    if (!zentavo::IsValidUtf8(lines.text)) std::abort();
    if (lines.lines.empty() || lines.lines.back().end != zentavo::LineEnd::None) std::abort();
    if (!zentavo::CharactersNotInEncoding(lines).empty()) std::abort();
    if (zentavo::EncodeTextLines(lines) != bytes) std::abort();

    std::vector<std::string> shown;
    for (std::size_t i = 0; i < lines.lines.size(); ++i) shown.emplace_back(lines.LineText(i));
#ifdef ZENTAVO_FUZZ_WITH_QT
    // Open, then Save As without an edit, through the text document: every
    // file the editor accepts comes back byte for byte.
    if (zentavo::FirstCharacterTheEditorCannotShow(lines) == 0) {
        for (std::size_t perBlock : {1, 3}) {
            shown = ThroughDocument(lines, perBlock);
            if (zentavo::EncodeTextLines(zentavo::RebuildLines(lines, shown)) != bytes) std::abort();
        }
    }
#endif
    if (zentavo::EncodeTextLines(zentavo::RebuildLines(lines, shown)) != bytes) std::abort();

    // One line edited: every other line keeps its text and line end, and the
    // bytes are the old ones with the typed character where it was typed.
    const std::size_t edited = size % lines.lines.size();
    std::vector<std::string> edit;
    for (std::size_t i = 0; i < lines.lines.size(); ++i) edit.emplace_back(lines.LineText(i));
    edit[edited] += "x";
    const zentavo::TextLines after = zentavo::RebuildLines(lines, edit);
    if (after.lines.size() != lines.lines.size() || after.encoding != lines.encoding) std::abort();
    for (std::size_t i = 0; i < lines.lines.size(); ++i) {
        if (after.lines[i].end != lines.lines[i].end) std::abort();
        if (i != edited && after.LineText(i) != lines.LineText(i)) std::abort();
    }
    zentavo::TextLines head = lines;  // the file up to the end of the edited line's text
    head.lines.resize(edited + 1);
    head.lines.back().end = zentavo::LineEnd::None;
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

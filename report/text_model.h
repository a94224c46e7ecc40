// SPDX-License-Identifier: GPL-3.0-or-later
// A text file as the editor holds it: its lines, each with the line end it
// had in the file (CR LF, LF, a lone CR, U+2028 or U+2029), and the encoding
// and byte-order mark it was read with. Written back unchanged it gives the
// same bytes; after an edit the lines the user did not touch keep theirs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/text_codec.h"

namespace zentavo {

enum class LineEnd : std::uint8_t { None, CrLf, Lf, Cr, LineSeparator, ParagraphSeparator };

// The lines are kept as one UTF-8 text and a byte a line for its line end,
// so that a file of 64 MiB of empty lines takes about 130 MB and not the
// gigabytes a record of each line's place would.
class TextLines {
public:
    // Pure ASCII reads the same in Windows-1252 and UTF-8; such a file, and a
    // new one, is written in Windows-1252 like the reports, as long as every
    // character fits.
    TextEncoding encoding = TextEncoding::Cp1252;
    bool byteOrderMark = false;

    // A new, empty file: one empty line.
    TextLines() = default;
    // Lines joined by "\n" in `text` (UTF-8, no other line end inside), and
    // each line's end: one for each line, only the last LineEnd::None.
    // std::invalid_argument when they do not match.
    TextLines(std::string text, std::vector<LineEnd> ends);

    // UTF-8 of all lines joined by "\n" (the line ends themselves are in
    // Ends()): the text the editor shows.
    const std::string& Text() const { return text_; }
    // At least one line; only the last ends with LineEnd::None (it is empty
    // when the file ends with a line end).
    std::size_t LineCount() const { return ends_.size(); }
    LineEnd End(std::size_t i) const { return ends_[i]; }
    const std::vector<LineEnd>& Ends() const { return ends_; }
    // The text of line i, found from the start kept for every 64th line.
    std::string_view LineText(std::size_t i) const;
    // The line end most lines have; CR LF for a file without any.
    LineEnd DominantEnd() const;

private:
    friend TextLines ParseTextFile(std::string bytes);
    friend TextLines RebuildLinesFromText(const TextLines& file, std::string edited);
    // Text and ends made to match (by the two above): not counted again.
    struct Trusted {};
    TextLines(std::string text, std::vector<LineEnd> ends, Trusted);

    static constexpr std::size_t kMarkEvery = 64;
    void MarkLineStarts();

    std::string text_;
    std::vector<LineEnd> ends_{LineEnd::None};
    std::vector<std::size_t> marks_{0};  // where lines 0, 64, 128, ... start in text_
};

// Splits file contents into lines. UTF-16 with a byte-order mark and valid
// UTF-8 are read as such, anything else as Windows-1252 (every byte sequence
// is a Windows-1252 text). UTF-8 contents become the text in their own
// buffer: pass them moved, and a large file is not held twice.
TextLines ParseTextFile(std::string bytes);

// The file's bytes: each line with its line end, in the encoding. Throws
// std::invalid_argument when a character does not fit the encoding (see
// CharactersNotInEncoding: the caller asks before it gets here).
std::string EncodeTextLines(const TextLines& file);

// The distinct characters of the text that the file's encoding cannot hold,
// in order of first appearance, at most `limit` of them.
std::u32string CharactersNotInEncoding(const TextLines& file, std::size_t limit = 8);

// The first character the editor cannot hold as it is (U+FDD0 or U+FDD1,
// which the text widget takes for frame marks), or 0 when there is none.
char32_t FirstCharacterTheEditorCannotShow(const TextLines& file);

// The file after an edit: `edited` is the editor's text in UTF-8, its lines
// joined by "\n" (a U+2028 inside a line, a line break typed with
// Shift+Enter, also starts a new line). Lines the user did not touch keep
// their line ends; a changed line keeps the line end of the line it
// replaced; added lines get the file's dominant line end; the last line has
// none. The edited text becomes the new file's text, without a copy.
TextLines RebuildLinesFromText(const TextLines& file, std::string edited);
// The same from the editor's lines, one string each (a U+2028 inside one
// also starts a new line).
TextLines RebuildLines(const TextLines& file, const std::vector<std::string>& lines);

// The editor's text widget lays a block of text out whole, at a cost that
// grows with the block's length: a line of megabytes in one block takes
// seconds to minutes a key. The editor therefore shows a line longer than
// this many bytes as several blocks, pieces of the line that are joined
// again when it is saved. At 2 KiB a screenful of pieces (some 16 blocks)
// is laid out in a few tens of milliseconds, for Latin text and for Chinese
// (three bytes a character, drawn from fallback fonts) alike.
inline constexpr std::size_t kDisplayPieceBytes = 2048;

// One block of the editor's text widget: bytes [start, end) of
// TextLines::Text(). A block holds one line, a piece of a long line, or, in a
// very long file, a few whole lines (the "\n"s between them are shown as
// line breaks inside the block).
struct DisplayBlock {
    std::size_t start = 0, end = 0;
    // A later piece of a long line: joined to the block before it without a
    // line break. Every other block starts a line.
    bool continuesLine = false;
};
// The blocks that show a file: whole lines, `linesPerBlock` of them to a
// block as long as the block stays within `pieceBytes`; a line longer than
// `pieceBytes` is cut into pieces of at most that many bytes, each cut
// between two characters. Joined (with "\n" before each block that does not
// continue a line) they give the file's text back.
std::vector<DisplayBlock> DisplayBlocks(const TextLines& file, std::size_t linesPerBlock,
                                        std::size_t pieceBytes = kDisplayPieceBytes);

// A new, empty file: Windows-1252, CR LF.
inline TextLines EmptyTextFile() { return TextLines{}; }

}  // namespace zentavo

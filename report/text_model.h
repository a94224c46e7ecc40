// A text file as the editor holds it: its lines, each with the line end it
// had in the file (CR LF, LF, a lone CR, U+2028 or U+2029), and the encoding
// and byte-order mark it was read with. Written back unchanged it gives the
// same bytes; after an edit the lines the user did not touch keep theirs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/text_codec.h"

namespace zentavo {

enum class LineEnd : std::uint8_t { None, CrLf, Lf, Cr, LineSeparator, ParagraphSeparator };

struct TextLines {
    struct Line {
        std::size_t start = 0;  // in `text`
        std::size_t size = 0;
        LineEnd end = LineEnd::None;
    };
    // Pure ASCII reads the same in Windows-1252 and UTF-8; such a file, and a
    // new one, is written in Windows-1252 like the reports, as long as every
    // character fits.
    TextEncoding encoding = TextEncoding::Cp1252;
    bool byteOrderMark = false;
    // UTF-8 of all lines joined by "\n" (the line ends themselves are in
    // `lines`): the text the editor shows.
    std::string text;
    // At least one line; only the last ends with LineEnd::None (it is empty
    // when the file ends with a line end).
    std::vector<Line> lines{Line{}};

    std::string_view LineText(std::size_t i) const { return {text.data() + lines[i].start, lines[i].size}; }
    // The line end most lines have; CR LF for a file without any.
    LineEnd DominantEnd() const;
};

// Splits file contents into lines. UTF-16 with a byte-order mark and valid
// UTF-8 are read as such, anything else as Windows-1252 (every byte sequence
// is a Windows-1252 text).
TextLines ParseTextFile(std::string_view bytes);

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

// The file after an edit: `blocks` are the editor's lines in UTF-8 (a
// U+2028 inside one, a line break typed with Shift+Enter, starts a new
// line). Lines the user did not touch keep their line ends; a changed line
// keeps the line end of the line it replaced; added lines get the file's
// dominant line end; the last line has none.
TextLines RebuildLines(const TextLines& file, const std::vector<std::string>& blocks);

// A new, empty file: Windows-1252, CR LF.
inline TextLines EmptyTextFile() { return TextLines{}; }

}  // namespace zentavo

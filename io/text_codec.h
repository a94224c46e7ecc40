// SPDX-License-Identifier: GPL-3.0-or-later
// Text files of the program: UTF-8 inside, Windows-1252 or UTF-8 on disk.
// Reports are written in Windows-1252 so that they open unchanged in the
// editors engineers use on other desktops; the editor reads a file as UTF-8
// when it is valid UTF-8 and as Windows-1252 otherwise, and writes it back
// the same way, so every file survives a round trip byte for byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/file_io.h"

namespace zentavo {

bool IsValidUtf8(std::string_view bytes);
// Appends the UTF-8 sequence of a code point.
void AppendUtf8(std::string& out, char32_t c);
// Decodes the UTF-8 sequence at s[i] into c; its length, 0 when it is not
// a valid sequence.
int DecodeUtf8(std::string_view s, std::size_t i, char32_t& c);
// The Windows-1252 byte of a character, -1 when the code page lacks it.
int Cp1252Byte(char32_t c);
// Windows-1252 to UTF-8. The five bytes the code page leaves undefined map to
// the control characters of the same number, so that they come back unchanged.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252; a character the code page lacks becomes '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// UTF-16 (without its byte-order mark) to UTF-8, appended to `out`; false
// when a surrogate stands alone or the length is odd.
bool DecodeUtf16(std::string_view bytes, bool little, std::string& out);
// Appends UTF-8 text as UTF-16 (`little`: low byte first); throws
// std::invalid_argument when the text is not UTF-8.
void AppendUtf16(std::string& out, std::string_view utf8, bool little);

// Encodings of text files. UTF-16 is recognised by its byte-order mark.
enum class TextEncoding { Utf8, Cp1252, Utf16Le, Utf16Be };

// A text file as one text with "\n" line breaks, and what it takes to write
// the same bytes back (the editor keeps each line's own line end instead:
// report/text_model.h).
struct TextFile {
    std::string text;  // UTF-8, lines separated by "\n"
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
    bool crlf = false;  // lines were separated by CR LF
};

// Decodes file contents; a lone CR, or CR LF where most lines end in LF,
// stays in the text as it is.
TextFile DecodeTextFile(std::string_view bytes);
std::string EncodeTextFile(const TextFile& file);

}  // namespace zentavo

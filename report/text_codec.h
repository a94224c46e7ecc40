// Text files of the program: UTF-8 inside, Windows-1252 or UTF-8 on disk.
// Reports are written in Windows-1252 so that they open unchanged in the
// editors engineers use on other desktops; the editor reads a file as UTF-8
// when it is valid UTF-8 and as Windows-1252 otherwise, and writes it back
// the same way, so every file survives a round trip byte for byte.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

// A file that cannot be opened, read, created or written. The message is the
// platform's text for the failure, with the file's name.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool IsValidUtf8(std::string_view bytes);
// Windows-1252 to UTF-8. The five bytes the code page leaves undefined map to
// the control characters of the same number, so that they come back unchanged.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252; a character the code page lacks becomes '?'.
std::string Utf8ToCp1252(std::string_view utf8);

enum class TextEncoding { Utf8, Cp1252 };

// A text file as the editor shows it: its text with "\n" line breaks, and
// what it takes to write the same bytes back.
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

// Whole-file reading and writing; IoError on failure. WriteFile replaces the
// file; AppendToFile adds at its end (creating it when missing).
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::string_view bytes);
void AppendToFile(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);

}  // namespace zentavo

// The text paths of the editor and the report on any bytes: a file read and
// written back is unchanged, and report text always becomes Windows-1252.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "report/report.h"
#include "report/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The editor: open and save unchanged gives the same bytes. A file with a
    // lone CR or mixed line breaks keeps them in its text.
    const zentavo::TextFile file = zentavo::DecodeTextFile(bytes);
    if (!zentavo::IsValidUtf8(file.text)) std::abort();
    if (zentavo::EncodeTextFile(file) != bytes) std::abort();

    // Windows-1252 text survives the trip through the program's UTF-8.
    if (zentavo::Utf8ToCp1252(zentavo::Cp1252ToUtf8(bytes)) != bytes) std::abort();

    // A report block from any texts: ends with CR LF, holds no UTF-8 lead bytes
    // it did not get from the code page.
    const std::string block = zentavo::EncodeReportBlock({bytes, "Level of PPE: 2"}, size % 2 == 1);
    if (block.size() < 2 || block.substr(block.size() - 2) != "\r\n") std::abort();
    return 0;
}

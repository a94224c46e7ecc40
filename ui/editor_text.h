// The text the editor's widget is given for a file. Each block of the text
// widget is one line of the file; a very long file shares each block among
// a few lines, joined by U+2028 (a line break inside a block, which the
// widget shows as a new line and which saving takes for one), because the
// widget takes several microseconds for every block it is given.
#pragma once

#include <QString>
#include <algorithm>
#include <cstddef>

#include "report/text_model.h"

namespace zentavo::ui {

// Lines per block: one up to 50 000 lines, else as many as keep the widget
// at about 20 000 blocks.
inline std::size_t LinesPerEditorBlock(std::size_t lines) {
    constexpr std::size_t kOwnBlocks = 50000, kBlocks = 20000;
    return lines <= kOwnBlocks ? 1 : (lines + kBlocks - 1) / kBlocks;
}

inline QString EditorText(const TextLines& file, std::size_t linesPerBlock) {
    // QString::fromUtf8 drops a leading U+FEFF; it is text here (the file's
    // byte-order mark is not in the lines), so it is put back.
    const auto decode = [](const char* data, std::size_t size) {
        QString s = QString::fromUtf8(data, static_cast<qsizetype>(size));
        if (std::string_view(data, size).starts_with("\xEF\xBB\xBF")) s.prepend(QChar(0xFEFF));
        return s;
    };
    if (linesPerBlock <= 1) return decode(file.text.data(), file.text.size());
    QString out;
    out.reserve(static_cast<qsizetype>(file.text.size()));
    const std::size_t n = file.lines.size();
    for (std::size_t first = 0; first < n; first += linesPerBlock) {
        const std::size_t last = std::min(n, first + linesPerBlock) - 1;
        const std::size_t start = file.lines[first].start;
        const std::size_t end = file.lines[last].start + file.lines[last].size;
        QString chunk = decode(file.text.data() + start, end - start);
        chunk.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
        out += chunk;
        if (last + 1 < n) out += QLatin1Char('\n');
    }
    return out;
}

}  // namespace zentavo::ui

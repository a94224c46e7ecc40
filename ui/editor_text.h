// SPDX-License-Identifier: GPL-3.0-or-later
// The text the editor's widget is given for a file, and the text it gives
// back. Each block of the text widget is one line of the file, with two
// exceptions that keep the widget quick:
// - a very long file shares each block among a few lines, joined by U+2028
//   (a line break inside a block, which the widget shows as a new line and
//   which saving takes for one), because the widget takes several
//   microseconds for every block it is given;
// - a line longer than kDisplayPieceBytes is shown in pieces, one block
//   each, because the widget lays out a whole block at once. Every piece
//   after the first carries kContinuesLine in its block format; the text
//   given back joins it to the block before without a line break. Block
//   formats go with the text through undo and redo, and when two blocks are
//   joined the first one's format stays, so the mark stays right when pieces
//   are edited; a line break typed inside a piece starts a block that the
//   editor clears the mark of (see TFormedit).
#pragma once

#include <QByteArray>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "report/text_model.h"

namespace zentavo::ui {

// The block format property of a piece that continues the line of the block
// before it.
inline constexpr int kContinuesLine = QTextFormat::UserProperty + 1;

inline bool ContinuesLine(const QTextBlock& block) {
    return block.blockFormat().boolProperty(kContinuesLine);
}

// Lines per block: one up to 50 000 lines, else as many as keep the widget
// at about 20 000 blocks.
inline std::size_t LinesPerEditorBlock(std::size_t lines) {
    constexpr std::size_t kOwnBlocks = 50000, kBlocks = 20000;
    return lines <= kOwnBlocks ? 1 : (lines + kBlocks - 1) / kBlocks;
}

// The widget's text for the blocks of a file (see DisplayBlocks): the blocks
// separated by "\n", the lines inside a block by U+2028.
inline QString EditorText(const TextLines& file, const std::vector<DisplayBlock>& blocks) {
    // QString::fromUtf8 drops a leading U+FEFF; it is text here (the file's
    // byte-order mark is not in the lines), so it is put back.
    const auto decode = [](std::string_view utf8) {
        QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        if (utf8.starts_with("\xEF\xBB\xBF")) s.prepend(QChar(0xFEFF));
        return s;
    };
    const std::string& text = file.Text();
    // A line a block, none in pieces: the text as it is.
    const auto piece = [](const DisplayBlock& b) { return b.continuesLine; };
    if (blocks.size() == file.LineCount() && std::none_of(blocks.begin(), blocks.end(), piece)) {
        return decode(text);
    }
    QString out;
    out.reserve(static_cast<qsizetype>(text.size() + blocks.size()));
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const DisplayBlock& b = blocks[k];
        QString chunk = decode(std::string_view(text).substr(b.start, b.end - b.start));
        chunk.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
        if (k > 0) out += QLatin1Char('\n');
        out += chunk;
    }
    return out;
}

// Marks the pieces that continue a line in a document just given
// EditorText(file, blocks). The marks are not an edit the user could undo.
inline void MarkContinuedLines(QTextDocument& doc, const std::vector<DisplayBlock>& blocks) {
    if (std::none_of(blocks.begin(), blocks.end(),
                     [](const DisplayBlock& b) { return b.continuesLine; }))
        return;
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    QTextBlockFormat continues;
    continues.setProperty(kContinuesLine, true);
    QTextBlock block = doc.begin();
    for (const DisplayBlock& b : blocks) {
        if (b.continuesLine) QTextCursor(block).setBlockFormat(continues);
        block = block.next();
    }
    doc.setUndoRedoEnabled(undo);
}

// The document's text as the file's lines: UTF-8, lines joined by "\n",
// the pieces of a long line joined without a break, a U+2028 inside a block
// made a "\n". Read from the blocks without the widget's plain-text
// conversions (which turn U+00A0 into a space).
inline std::string EditorDocumentText(const QTextDocument& doc) {
    std::string out;
    out.reserve(static_cast<std::size_t>(doc.characterCount()));
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin() && !ContinuesLine(b)) out.push_back('\n');
        QString text = b.text();
        text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
        const QByteArray utf8 = text.toUtf8();
        out.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    return out;
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/report_text.h"

#include <algorithm>

namespace zentavo::render {

QTextOption Wrapping() {
    QTextOption o(Qt::AlignLeft | Qt::AlignTop);
    o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return o;
}

QFont ReportFont(qreal points, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    // A spacing too small to see keeps the letters apart: no ligatures, so
    // the PDF's text reads back letter for letter ("fl", not one glyph).
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.1);
    return f;
}

namespace {

// A cell that holds numbers (or clothing, settings, a message) is never cut:
// it takes the lines it needs, up to this many, and a word too wide for its
// cell is broken where it reaches the cell's edge. A text too long to be
// such a cell's (a refused row's garbage) is cut as any other.
constexpr int kMostWholeLines = 16;
constexpr qsizetype kLongestWholeText = 1024;

// The first characters of `word` that fit in `room` (at least one).
qsizetype FittingLength(const QString& word, TextWidths& width, qreal room) {
    qsizetype lo = 1, hi = word.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (width(word.left(mid)) <= room) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

}  // namespace

QStringList FitLines(const QString& text, TextWidths& width, qreal room, int most, bool mayCut) {
    const bool whole = !mayCut && text.size() <= kLongestWholeText;
    if (whole) most = std::max(most, kMostWholeLines);
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        const QStringList words = paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (most == 1) {  // one line: the words in a row, nothing to measure until the end
            lines.append(words.join(QLatin1Char(' ')));
            continue;
        }
        QString line;
        for (const QString& word : words) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (line.isEmpty() || width.SurelyFits(longer, room) || width(longer) <= room) {
                line = longer;
            } else {
                lines.append(line);
                line = word;
            }
            // A word wider than the cell, in pieces as wide as the cell.
            while (whole && !width.SurelyFits(line, room) && width(line) > room) {
                const qsizetype n = FittingLength(line, width, room);
                lines.append(line.left(n));
                line = line.mid(n);
            }
        }
        lines.append(line);
    }
    if (lines.size() > most) {
        const QString rest = lines.mid(most - 1).join(QLatin1Char(' '));
        lines.resize(most - 1);
        lines.append(rest);
    }
    // A line cut with "…" ends the cell: the words after a cut never show,
    // as if the text went on beside them.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!width.SurelyFits(lines[i], room) && width(lines[i]) > room) {
            lines[i] = width.metrics().elidedText(lines[i], Qt::ElideRight, room);
            lines.resize(i + 1);
        }
    }
    return lines;
}

}  // namespace zentavo::render

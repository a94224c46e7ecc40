// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a study's report: its fonts, the widths of its words and the
// lines a cell's text takes. Shared by the report's tables (report_cells)
// and its writer (study_report.cpp).
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <QTextOption>
#include <array>
#include <string_view>
#include <unordered_map>

class QPaintDevice;

namespace zentavo::render {

inline QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The report PDF is drawn at ten device units a point; a printer at its own
// resolution. Margins and paddings are laid out in points.
inline constexpr qreal kUnitsPerPoint = 10;
inline constexpr qreal kMarginPoints = 36;
inline constexpr qreal kCellPadPoints = 2;

// Text wraps between words, and within a word too long for its room.
QTextOption Wrapping();
QFont ReportFont(qreal points, bool bold);

// The widths of texts in one font, each short text measured once: a study's
// cells repeat the same words row after row. Texts longer than a cell's
// words are measured each time, and at most kCached widths are kept.
class TextWidths {
public:
    TextWidths(const QFont& font, QPaintDevice* device) : metrics_(font, device) {}
    qreal operator()(const QString& text) {
        if (text.size() > kLongest) return metrics_.horizontalAdvance(text);
        if (const auto it = cache_.find(text); it != cache_.end()) return it->second;
        if (cache_.size() >= kCached) cache_.clear();
        return cache_.emplace(text, metrics_.horizontalAdvance(text)).first->second;
    }
    const QFontMetricsF& metrics() const { return metrics_; }

    // Whether `text` surely fits in `room`, told without shaping it: a text
    // of printable ASCII is no wider than the sum of its letters' widths
    // (kerning draws letters closer), kept with a margin. Else unknown: false.
    bool SurelyFits(const QString& text, qreal room) {
        qreal sum = 0;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u < 0x20 || u > 0x7E) return false;
            qreal& w = ascii_[u - 0x20];
            if (w < 0) w = metrics_.horizontalAdvance(QString(c));
            sum += w;
            if (sum > 0.95 * room) return false;
        }
        return true;
    }

private:
    static constexpr qsizetype kLongest = 80;
    static constexpr qsizetype kCached = 1 << 14;
    QFontMetricsF metrics_;
    // A standard map rather than a QHash: Qt's hash ends the program when an
    // insertion finds no memory, where this one throws (see PaintOrLetGo).
    std::unordered_map<QString, qreal> cache_;
    std::array<qreal, 0x7F - 0x20> ascii_ = MakeUnknown();
    static std::array<qreal, 0x7F - 0x20> MakeUnknown() {
        std::array<qreal, 0x7F - 0x20> a;
        a.fill(-1);
        return a;
    }
};


// The lines of `text` in a cell `room` wide: broken between words (and at
// line ends), at most `most` lines; what does not fit is cut with "…", so a
// text never runs into the next cell. A cell that may not be cut (`mayCut`
// false) takes up to kMostWholeLines lines, its words too wide broken.
QStringList FitLines(const QString& text, TextWidths& width, qreal room, int most, bool mayCut = true);

}  // namespace zentavo::render

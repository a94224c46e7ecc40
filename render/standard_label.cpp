// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/standard_label.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "engine/error.h"
#include "render/label_painter.h"

namespace zentavo::render {

namespace {

constexpr double kPoint = kUnitsPerInch / 72;  // layout units per point
// The frame: its distance from the page's edge and its width; the room kept
// between a text and a rule, the panel or the frame.
constexpr double kMargin = 0.05 * kUnitsPerInch;
constexpr double kFrame = 1.4 * kPoint;
constexpr double kRule = 1.0 * kPoint;
constexpr double kPad = 0.05 * kUnitsPerInch;
// The signal panel's share of the page's height.
constexpr double kPanelShare = 0.16;
// The body sizes tried, largest first, in quarter points.
constexpr double kLargestBodyPoints = 12;

const QColor kSafetyRed(200, 16, 46);
const QColor kSafetyOrange(255, 121, 0);

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont FontOf(double points, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kPoint))));
    f.setBold(bold);
    return f;
}

double Points(const QFont& f) { return f.pixelSize() / kPoint; }

// A cache of the measures a study's labels repeat label after label (the
// captions, the PPE of a band, the footers): measuring and breaking text is
// the most of a label's layout. Kept per thread, emptied when full.
template <class Value>
class Measures {
public:
    const Value* Find(const QString& key) const {
        const auto it = values_.find(key);
        return it == values_.end() ? nullptr : &it->second;
    }
    const Value& Keep(const QString& key, Value value) {
        if (values_.size() >= kMost) values_.clear();
        return values_.insert_or_assign(key, std::move(value)).first->second;
    }

private:
    static constexpr std::size_t kMost = 8192;
    std::unordered_map<QString, Value> values_;
};

QString KeyOf(const QFont& f, const QString& t, double width = 0) {
    // The room in hundredths of a layout unit: far finer than any glyph's advance.
    return QString::number(f.pixelSize()) + (f.bold() ? u'b' : u'r') + QString::number(std::llround(width * 100)) +
           u'|' + t;
}

double Width(const QFont& f, const QString& t) {
    thread_local Measures<double> widths;
    const QString key = KeyOf(f, t);
    if (const double* w = widths.Find(key)) return *w;
    return widths.Keep(key, QFontMetricsF(f).horizontalAdvance(t));
}

double LineHeight(const QFont& f) {
    const QFontMetricsF m(f);
    return m.ascent() + m.descent() + 0.12 * f.pixelSize();
}

// The places a line may break after (line-break opportunities), or between
// graphemes where `graphemes`; each piece keeps its trailing blanks.
QStringList Pieces(const QString& text, bool graphemes) {
    QTextBoundaryFinder finder(graphemes ? QTextBoundaryFinder::Grapheme : QTextBoundaryFinder::Line, text);
    QStringList out;
    qsizetype from = 0;
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) {
        out.push_back(text.mid(from, at - from));
        from = at;
    }
    if (from < text.size()) out.push_back(text.mid(from));
    return out;
}

// The text broken into lines of at most `width`: at break opportunities,
// and between graphemes for a word wider than a line alone.
QStringList WrapOnce(const QString& text, const QFont& font, double width) {
    QStringList lines;
    QString line;
    for (const QString& piece : Pieces(text, false)) {
        const QString joined = line + piece;
        if (Width(font, joined.trimmed()) <= width) {
            line = joined;
            continue;
        }
        if (!line.trimmed().isEmpty()) lines.push_back(line.trimmed());
        line.clear();
        if (Width(font, piece.trimmed()) <= width) {
            line = piece;
            continue;
        }
        for (const QString& g : Pieces(piece, true)) {
            if (!line.isEmpty() && Width(font, (line + g).trimmed()) > width) {
                lines.push_back(line.trimmed());
                line.clear();
            }
            line += g;
        }
    }
    if (!line.trimmed().isEmpty()) lines.push_back(line.trimmed());
    return lines;
}

QStringList Wrap(const QString& text, const QFont& font, double width) {
    thread_local Measures<QStringList> wraps;
    const QString key = KeyOf(font, text, width);
    if (const QStringList* lines = wraps.Find(key)) return *lines;
    return wraps.Keep(key, WrapOnce(text, font, width));
}

// A line shortened by whole pieces (words, or graphemes of a single word)
// until it fits `width` with "…" after it.
QString Shortened(const QString& line, const QFont& font, double width) {
    const QString ellipsis = QStringLiteral("…");
    QStringList pieces = Pieces(line, false);
    if (pieces.size() < 2) pieces = Pieces(line, true);
    while (!pieces.isEmpty() && Width(font, pieces.join(QString()).trimmed() + ellipsis) > width) pieces.pop_back();
    return pieces.join(QString()).trimmed() + ellipsis;
}

class Builder {
public:
    Builder(const StandardLabel& label, double body) : l_(label), body_(body) {
        const LabelPageInches in = PageInches(label.size);
        out_.page = QSizeF(in.width * kUnitsPerInch, in.height * kUnitsPerInch);
        out_.bodyPoints = body;
        inner_ = QRectF(QPointF(0, 0), out_.page).adjusted(kMargin + kFrame, kMargin + kFrame, -kMargin - kFrame,
                                                             -kMargin - kFrame);
        left_ = inner_.left() + kPad;
        right_ = inner_.right() - kPad;
    }

    // Lays the label out; false when it does not fit the page at this size.
    bool Build() {
        Frame();
        SignalPanel();
        Hazard();
        Rule();
        const QFont caption = FontOf(body_, false), value = FontOf(body_, true);
        captionWidth_ = 0;
        auto widest = [&](const StandardLabelRow& r) { captionWidth_ = std::max(captionWidth_, Width(caption, Q(r.caption))); };
        widest(l_.equipment);
        widest(l_.ppe);
        for (const auto& r : l_.arcRows) widest(r);
        for (const auto& r : l_.shockRows) widest(r);
        captionWidth_ = std::min(captionWidth_, 0.42 * (right_ - left_));
        Row(l_.equipment, caption, value, 2);
        for (const auto& r : l_.arcRows) Row(r, caption, value, 0);
        Row(l_.ppe, caption, FontOf(std::max(kSmallestLabelPoints, body_ * 0.92), false), 0);
        Rule();
        Line(Q(l_.shockHeading), value, left_);
        for (const auto& r : l_.shockRows) Row(r, caption, value, 0);
        Rule();
        const QFont small = FontOf(std::max(kSmallestLabelPoints, body_ * 0.8), false);
        for (const std::string& f : l_.footer) {
            for (const QString& line : Wrap(Q(f), small, right_ - left_)) Line(line, small, left_);
        }
        return y_ <= inner_.bottom() - kPad;
    }

    StandardLabelLayout Take() { return std::move(out_); }

private:
    void Fill(const QRectF& r, const QColor& c, bool rule) { out_.fills.push_back({r, c, rule}); }

    void Frame() {
        const QRectF o = QRectF(QPointF(0, 0), out_.page).adjusted(kMargin, kMargin, -kMargin, -kMargin);
        Fill(QRectF(o.left(), o.top(), o.width(), kFrame), Qt::black, true);
        Fill(QRectF(o.left(), o.bottom() - kFrame, o.width(), kFrame), Qt::black, true);
        Fill(QRectF(o.left(), o.top(), kFrame, o.height()), Qt::black, true);
        Fill(QRectF(o.right() - kFrame, o.top(), kFrame, o.height()), Qt::black, true);
    }

    void Text(const QString& text, const QFont& font, double x, double baseline, const QColor& colour) {
        const QFontMetricsF m(font);
        const double w = Width(font, text);
        out_.texts.push_back({text, font, QPointF(x, baseline), QRectF(x, baseline - m.ascent(), w, m.ascent() + m.descent()),
                              colour});
    }

    // The signal word, centred in its panel after the safety-alert symbol.
    void SignalPanel() {
        const bool danger = l_.signal == SignalWord::Danger;
        const double height = out_.page.height() * kPanelShare;
        const QRectF panel(inner_.left(), inner_.top(), inner_.width(), height);
        QColor fill = danger ? kSafetyRed : kSafetyOrange, ink = danger ? Qt::white : Qt::black;
        if (!l_.colour) fill = danger ? Qt::black : Qt::white;
        if (!l_.colour) ink = danger ? Qt::white : Qt::black;
        Fill(panel, fill, false);
        const QString word = Q(l_.signalText);
        QFont font = FontOf(height * 0.62 / kPoint, true);
        auto whole = [&](const QFont& f) {
            const double symbol = QFontMetricsF(f).capHeight() * 1.25;
            return symbol * 1.15 + symbol * 0.35 + Width(f, word);
        };
        while (whole(font) > panel.width() - 2 * kPad && font.pixelSize() > 1) font.setPixelSize(font.pixelSize() - 1);
        const QFontMetricsF m(font);
        const double symbolHeight = m.capHeight() * 1.25, symbolWidth = symbolHeight * 1.15;
        const double x = panel.left() + (panel.width() - whole(font)) / 2;
        const double baseline = panel.top() + (panel.height() + m.capHeight()) / 2;
        // The triangle stands on the baseline, a little below it, its mark in the panel's colour.
        const double bottom = baseline + symbolHeight * 0.1, top = bottom - symbolHeight;
        out_.alertTriangle.moveTo(x + symbolWidth / 2, top);
        out_.alertTriangle.lineTo(x + symbolWidth, bottom);
        out_.alertTriangle.lineTo(x, bottom);
        out_.alertTriangle.closeSubpath();
        const double cx = x + symbolWidth / 2, bar = symbolWidth * 0.1;
        out_.alertMark.addRect(QRectF(cx - bar / 2, top + symbolHeight * 0.32, bar, symbolHeight * 0.38));
        out_.alertMark.addRect(QRectF(cx - bar / 2, top + symbolHeight * 0.76, bar, bar));
        out_.triangleColour = ink;
        out_.markColour = fill;
        Text(word, font, x + symbolWidth * 1.35, baseline, ink);
        y_ = panel.bottom() + kPad * 0.6;
    }

    // A centred line at the largest size up to `points` that fits across.
    void Centred(const QString& text, double points, bool bold) {
        QFont font = FontOf(points, bold);
        const double room = right_ - left_;
        while (Width(font, text) > room && Points(font) > kSmallestLabelPoints) {
            font.setPixelSize(font.pixelSize() - 1);
        }
        QStringList lines = Width(font, text) > room ? Wrap(text, font, room) : QStringList{text};
        for (const QString& line : lines) {
            const QFontMetricsF m(font);
            y_ += m.ascent();
            Text(line, font, left_ + (room - Width(font, line)) / 2, y_, Qt::black);
            y_ += LineHeight(font) - m.ascent();
        }
    }

    void Hazard() {
        Centred(Q(l_.hazard), body_ * 1.25, true);
        Centred(Q(l_.instruction), body_ * 1.05, false);
    }

    void Rule() {
        y_ += kPad * 0.5;
        Fill(QRectF(inner_.left(), y_, inner_.width(), kRule), Qt::black, true);
        y_ += kRule + kPad * 0.6;
    }

    void Line(const QString& text, const QFont& font, double x) {
        const QFontMetricsF m(font);
        Text(text, font, x, y_ + m.ascent(), Qt::black);
        y_ += LineHeight(font);
    }

    // A caption and its value side by side, each wrapped in its column; a
    // value of more than `maxLines` lines (where given) ends in "…".
    void Row(const StandardLabelRow& row, const QFont& caption, const QFont& value, int maxLines) {
        constexpr double kColumnGap = 0.08 * kUnitsPerInch;
        const double valueLeft = left_ + captionWidth_ + kColumnGap;
        const QStringList captions = Wrap(Q(row.caption), caption, captionWidth_);
        QStringList values = Wrap(Q(row.value), value, right_ - valueLeft);
        if (maxLines > 0 && values.size() > maxLines) {
            values = values.mid(0, maxLines);
            values.back() = Shortened(values.back(), value, right_ - valueLeft);
            out_.nameCut = true;
        }
        const double top = y_;
        for (const QString& c : captions) Line(c, caption, left_);
        const double captionsEnd = y_;
        y_ = top;
        for (const QString& v : values) Line(v, value, valueLeft);
        y_ = std::max(y_, captionsEnd) + LineHeight(value) * 0.2;
    }

    const StandardLabel& l_;
    double body_;
    StandardLabelLayout out_;
    QRectF inner_;
    double left_ = 0, right_ = 0, y_ = 0, captionWidth_ = 0;
};

}  // namespace

StandardLabelLayout LayOutStandardLabel(const StandardLabel& label) {
    // The largest body size, in quarter points from 6 to 12, at which the
    // label fits: found by halving (a larger size never fits where a smaller
    // one does not), then laid out at it; 6 pt where none fits.
    constexpr int kSteps = static_cast<int>((kLargestBodyPoints - kSmallestLabelPoints) * 4);
    auto fits = [&](int step) { return Builder(label, kSmallestLabelPoints + step * 0.25).Build(); };
    int low = 0, high = kSteps;  // the answer lies in [low, high]
    if (!fits(low)) high = low;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (fits(mid)) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    Builder b(label, kSmallestLabelPoints + low * 0.25);
    const bool fitted = b.Build();
    StandardLabelLayout layout = b.Take();
    layout.fits = fitted;
    return layout;
}

void PaintStandardLabel(QPainter& painter, const StandardLabelLayout& layout, const QRectF& target) {
    const double scale = std::min(target.width() / layout.page.width(), target.height() / layout.page.height());
    painter.save();
    painter.translate(target.x() + (target.width() - layout.page.width() * scale) / 2,
                      target.y() + (target.height() - layout.page.height() * scale) / 2);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), layout.page), Qt::white);
    for (const PlacedFill& f : layout.fills) painter.fillRect(f.rect, f.colour);
    painter.fillPath(layout.alertTriangle, layout.triangleColour);
    painter.fillPath(layout.alertMark, layout.markColour);
    for (const PlacedText& t : layout.texts) {
        painter.setFont(t.font);
        painter.setPen(t.colour);
        painter.drawText(t.baseline, t.text);
    }
    painter.restore();
}

QImage StandardLabelImage(const StandardLabel& label, int dotsPerInch) {
    const StandardLabelLayout layout = LayOutStandardLabel(label);
    const QSize size(static_cast<int>(std::lround(layout.page.width() / kUnitsPerInch * dotsPerInch)),
                     static_cast<int>(std::lround(layout.page.height() / kUnitsPerInch * dotsPerInch)));
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintStandardLabel(painter, layout, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

QPageLayout StandardLabelPageLayout(LabelPageSize size) {
    const LabelPageInches in = PageInches(size);
    const bool wide = in.width > in.height;
    return QPageLayout(QPageSize(QSizeF(std::min(in.width, in.height), std::max(in.width, in.height)), QPageSize::Inch),
                       wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

int WriteStandardLabelPdf(QIODevice& out, const std::function<const StandardLabel*()>& next,
                          const std::function<void(const StandardLabelLayout&)>& laidOut) {
    auto writer = std::make_unique<QPdfWriter>(&out);
    auto painter = std::make_unique<QPainter>();
    return PaintOrLetGo(painter, writer, [&] {
        writer->setResolution(600);
        writer->setTitle(QStringLiteral("Arc flash warning label"));
        writer->setCreator(QStringLiteral("Zentavo"));
        int pages = 0;
        for (const StandardLabel* label = next(); label; label = next()) {
            const QPageLayout page = StandardLabelPageLayout(label->size);
            if (pages == 0) {
                writer->setPageLayout(page);
                if (!painter->begin(writer.get())) throw Error("The PDF could not be written.");
            } else {
                writer->setPageLayout(page);
                if (!writer->newPage()) throw Error("The PDF could not be written.");
            }
            const StandardLabelLayout layout = LayOutStandardLabel(*label);
            if (!layout.fits) {
                throw Error("the label of " + label->equipment.value +
                            " does not fit its page even at 6 pt: choose a larger label size");
            }
            if (laidOut) laidOut(layout);
            PaintStandardLabel(*painter, layout, QRectF(0, 0, writer->width(), writer->height()));
            ++pages;
        }
        if (pages > 0 && !painter->end()) throw Error("The PDF could not be written.");
        return pages;
    });
}

}  // namespace zentavo::render

// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/label_painter.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <unordered_map>
#include <stdexcept>

#include "engine/error.h"

// The label pictures are compiled into this library; a static library
// registers them itself before the first use.
static void InitLabelResources() { Q_INIT_RESOURCE(labels); }

namespace zentavo::render {

namespace {

void InitPictures() {
    static std::once_flag once;
    std::call_once(once, InitLabelResources);
}

const char* const kPictureFiles[6] = {":/zentavo/labels/en_color.jpg", ":/zentavo/labels/en_bw.jpg",
                                      ":/zentavo/labels/es_color.jpg", ":/zentavo/labels/es_bw.jpg",
                                      ":/zentavo/labels/fr_color.jpg", ":/zentavo/labels/fr_bw.jpg"};

// The pictures are 1500 x 1147 pixels with a black frame 8 pixels wide, 11
// at the top; shown at 623 x 453 on the panel.
constexpr double kPictureWidth = 1500, kPictureHeight = 1147;
constexpr double kFrameSide = 8, kFrameTop = 11;

// Room kept between a text and the frame, and between two texts on a line.
constexpr qreal kFrameMargin = 2;
constexpr qreal kGap = 4;
// Below this a text is shortened at this size instead of shrunk further.
constexpr int kSmallestPixels = 5;

// The widest the text can turn out on any device: hinted glyphs on a
// screen, unhinted outlines in a PDF.
qreal TextWidth(const QFont& font, const QString& text) {
    QFont unhinted = font;
    unhinted.setHintingPreference(QFont::PreferNoHinting);
    return std::max(QFontMetricsF(font).horizontalAdvance(text),
                    QFontMetricsF(unhinted).horizontalAdvance(text));
}

// What a text covers at the left of `rect`, centred in its height, as drawn:
// across, its advance and any glyph reaching beyond it (a bold W); up and
// down, its ink.
QRectF CoveredBox(const QFont& font, const QString& text, const QRect& rect) {
    const QFontMetricsF m(font);
    const qreal baseline = rect.top() + (rect.height() - m.height()) / 2 + m.ascent();
    const QRectF ink = m.tightBoundingRect(text).translated(rect.left(), baseline);
    const qreal left = std::min<qreal>(rect.left(), ink.left());
    const qreal right = std::max(rect.left() + TextWidth(font, text), ink.right());
    return QRectF(left, ink.top(), right - left, ink.height());
}

// A font's line as the layout places texts: its height, its ascent and its
// whole-pixel height, measured once for each size (a study's labels ask
// for them on every page).
struct FontLine {
    qreal height, ascent;
    int pixelHeight;
};
const FontLine& LineOf(int pixelSize, bool bold) {
    thread_local std::map<std::pair<int, bool>, FontLine> lines;
    const auto key = std::make_pair(pixelSize, bold);
    auto it = lines.find(key);
    if (it == lines.end()) {
        const QFont font = LabelFont(pixelSize, bold);
        const QFontMetricsF m(font);
        it = lines.emplace(key, FontLine{m.height(), m.ascent(), QFontMetrics(font).height()}).first;
    }
    return it->second;
}

// The rectangle a slot's text is drawn in: its place on the panel, one line
// of the layout's font high (with a pixel above and below), reaching right.
QRect SlotRect(const SlotLayout& place, int pixelSize) {
    return QRect(kPanelOrigin.x() + place.left, kPanelOrigin.y() + place.top, kPanelSize.width() - place.left,
                 LineOf(pixelSize, place.bold).pixelHeight + 2);
}

// How a text fits its room: the size it is drawn in, the text (shortened
// when it had to be) and what it covers from its rectangle's top left.
struct Fitted {
    int pixelSize;
    QString text;
    QRectF box;
};

// The fit of a text at a layout size and boldness in a room, worked out
// once: a study's labels repeat their captions and most values page after
// page, and measuring text is the most of a label's painting. At most
// kFits are kept.
class Fits {
public:
    const Fitted* Find(const QString& text, int pixelSize, bool bold, qreal room) const {
        const auto it = fits_.find(Key(text, pixelSize, bold, room));
        return it == fits_.end() ? nullptr : &it->second;
    }
    void Keep(const QString& text, int pixelSize, bool bold, qreal room, Fitted fitted) {
        if (fits_.size() >= kFits) fits_.clear();
        fits_.insert_or_assign(Key(text, pixelSize, bold, room), std::move(fitted));
    }

private:
    static constexpr qsizetype kFits = 4096;
    static QString Key(const QString& text, int pixelSize, bool bold, qreal room) {
        return QString::number(pixelSize) + (bold ? u'b' : u'r') + QString::number(room, 'g', 17) + u'|' + text;
    }
    // A standard map rather than a QHash: Qt's hash ends the program when an
    // insertion finds no memory, where this one throws (see PaintOrLetGo).
    std::unordered_map<QString, Fitted> fits_;
};

// The picture's headline band in label pixels (the orange band of the
// colour pictures, its place in the black-and-white ones).
constexpr QRect kHeadlineBand(24, 7, 617, 84);

// The headline band of a label no PPE protects: DANGER (PELIGRO in Spanish)
// in white letters after the safety-alert symbol, on red, or on black for a
// black-and-white label.
void PaintDangerBand(QPainter& painter, int picture) {
    static const char* const kWords[3] = {"DANGER", "PELIGRO", "DANGER"};
    const bool colour = picture % 2 == 0;
    const QColor panel = colour ? QColor(200, 16, 46) : QColor(Qt::black);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(kHeadlineBand, panel);
    const QString word = QString::fromLatin1(kWords[std::clamp(picture / 2, 0, 2)]);
    const QFont font = LabelFont(62, true);
    const QFontMetricsF m(font);
    const qreal symbol = m.capHeight() * 1.25, symbolWidth = symbol * 1.15;
    const qreal whole = symbolWidth * 1.35 + m.horizontalAdvance(word);
    const qreal x = kHeadlineBand.left() + (kHeadlineBand.width() - whole) / 2;
    const qreal baseline = kHeadlineBand.top() + (kHeadlineBand.height() + m.capHeight()) / 2;
    const qreal bottom = baseline + symbol * 0.1, top = bottom - symbol;
    QPainterPath triangle;
    triangle.moveTo(x + symbolWidth / 2, top);
    triangle.lineTo(x + symbolWidth, bottom);
    triangle.lineTo(x, bottom);
    triangle.closeSubpath();
    painter.fillPath(triangle, Qt::white);
    const qreal cx = x + symbolWidth / 2, bar = symbolWidth * 0.1;
    painter.fillRect(QRectF(cx - bar / 2, top + symbol * 0.32, bar, symbol * 0.38), panel);
    painter.fillRect(QRectF(cx - bar / 2, top + symbol * 0.76, bar, bar), panel);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(x + symbolWidth * 1.35, baseline), word);
    painter.restore();
}

}  // namespace

QRectF FrameInside() {
    const double sx = kPictureOnPanel.width() / kPictureWidth;
    const double sy = kPictureOnPanel.height() / kPictureHeight;
    const QRectF picture = QRectF(kPictureOnPanel).translated(kPanelOrigin);
    return picture.adjusted(kFrameSide * sx, kFrameTop * sy, -kFrameSide * sx, -kFrameSide * sy);
}

int PixelSizeOf(int points) { return (points * 4 + 1) / 3; }

QFont LabelFont(int pixelSize, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(bold);
    return f;
}

std::vector<DrawnText> LabelTexts(const LabelSheet& sheet) {
    std::vector<DrawnText> out;
    for (const auto& [name, slot] : sheet.byName) {
        if (!slot.place.visible || slot.text.empty()) continue;
        DrawnText t;
        t.slot = name;
        t.text = QString::fromUtf8(slot.text.data(), static_cast<qsizetype>(slot.text.size()));
        t.layoutPixelSize = PixelSizeOf(slot.place.fontPt);
        t.font = LabelFont(t.layoutPixelSize, slot.place.bold);
        t.rect = SlotRect(slot.place, t.layoutPixelSize);
        t.color = slot.place.red ? QColor(255, 0, 0) : QColor(Qt::black);
        out.push_back(std::move(t));
    }
    // Room: up to the frame, or up to the next text on the same line. Texts
    // share a line when the bands from their tops to their baselines meet.
    std::vector<std::pair<qreal, qreal>> bands;
    for (const DrawnText& t : out) {
        const FontLine& m = LineOf(t.layoutPixelSize, t.font.bold());
        const qreal top = t.rect.top() + (t.rect.height() - m.height) / 2;
        bands.emplace_back(top, top + m.ascent);
    }
    const qreal frameRight = FrameInside().right() - kFrameMargin;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i].roomRight = frameRight;
        for (std::size_t j = 0; j < out.size(); ++j) {
            if (out[j].rect.left() <= out[i].rect.left()) continue;
            if (bands[j].first < bands[i].second && bands[i].first < bands[j].second) {
                out[i].roomRight = std::min(out[i].roomRight, out[j].rect.left() - kGap);
            }
        }
    }
    // A text too wide for its room is drawn in the largest smaller size that
    // fits; below the smallest size, shortened with an ellipsis.
    thread_local Fits fits;
    for (DrawnText& t : out) {
        const qreal room = t.roomRight - t.rect.left();
        t.rect.setWidth(static_cast<int>(t.roomRight) - t.rect.left());
        const bool bold = t.font.bold();
        if (const Fitted* f = fits.Find(t.text, t.layoutPixelSize, bold, room)) {
            t.font.setPixelSize(f->pixelSize);
            t.text = f->text;
            t.box = f->box.translated(t.rect.topLeft());
            continue;
        }
        const QString given = t.text;
        int px = t.layoutPixelSize;
        while (px > kSmallestPixels && TextWidth(t.font, t.text) > room) t.font.setPixelSize(--px);
        if (TextWidth(t.font, t.text) > room) {
            // Hinted glyphs may come out a little wider than the outlines.
            t.text = QFontMetricsF(t.font).elidedText(t.text, Qt::ElideRight, room * 0.9);
        }
        t.box = CoveredBox(t.font, t.text, t.rect);
        fits.Keep(given, t.layoutPixelSize, bold, room, {px, t.text, t.box.translated(-t.rect.topLeft())});
    }
    return out;
}

QImage LabelPicture(int index, QSize size) {
    InitPictures();
    if (index < 0 || index > 5) return {};
    QImageReader reader(QString::fromLatin1(kPictureFiles[index]));
    if (!size.isEmpty()) reader.setScaledSize(size);
    return reader.read();
}

void PaintLabel(QPainter& painter, const LabelSheet& sheet, const QImage& picture) {
    painter.save();
    // The frame of the label area: white inside, a black line of one pixel.
    painter.fillRect(QRect(0, 0, kLabelWidth, kLabelHeight), Qt::white);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, kLabelWidth - 1, kLabelHeight - 1));
    if (!picture.isNull()) {
        // The panel hides the picture's top row.
        painter.save();
        painter.setClipRect(QRect(kPanelOrigin, kPanelSize), Qt::IntersectClip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(kPictureOnPanel.translated(kPanelOrigin)), picture);
        painter.restore();
    }
    if (sheet.signal == SignalWord::Danger) PaintDangerBand(painter, sheet.picture);
    for (const DrawnText& t : LabelTexts(sheet)) {
        painter.setFont(t.font);
        painter.setPen(t.color);
        painter.drawText(t.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs | Qt::TextDontClip,
                         t.text);
    }
    painter.restore();
}

void PaintLabelPage(QPainter& painter, const LabelSheet& sheet, const QImage& picture,
                    const QRectF& page) {
    const qreal scale = std::min(page.width() / kLabelWidth, page.height() / kLabelHeight);
    painter.save();
    painter.translate(page.x() + (page.width() - kLabelWidth * scale) / 2,
                      page.y() + (page.height() - kLabelHeight * scale) / 2);
    painter.scale(scale, scale);
    PaintLabel(painter, sheet, picture);
    painter.restore();
}

QImage LabelImage(const LabelSheet& sheet) {
    QImage image(kLabelWidth, kLabelHeight, QImage::Format_RGB888);
    QPainter painter(&image);
    PaintLabel(painter, sheet, LabelPicture(sheet.picture, kPictureOnPanel.size()));
    painter.end();
    return image;
}

QPageLayout LabelPageLayout() {
    return QPageLayout(QPageSize(QSizeF(4, 6), QPageSize::Inch), QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0));
}

int WriteLabelPdf(QIODevice& out, const std::function<const LabelSheet*()>& next) {
    auto writer = std::make_unique<QPdfWriter>(&out);
    auto painter = std::make_unique<QPainter>();
    return PaintOrLetGo(painter, writer, [&] {
        writer->setPageLayout(LabelPageLayout());
        writer->setResolution(600);
        writer->setTitle(QStringLiteral("Arc flash warning label"));
        writer->setCreator(QStringLiteral("Zentavo"));
        // One decoded picture each: the PDF keeps one copy of an image however
        // many pages draw it.
        std::array<QImage, 6> pictures;
        int pages = 0;
        for (const LabelSheet* sheet = next(); sheet; sheet = next()) {
            if (pages == 0 ? !painter->begin(writer.get()) : !writer->newPage()) {
                throw Error("The PDF could not be written.");
            }
            QImage& picture = pictures.at(static_cast<std::size_t>(std::clamp(sheet->picture, 0, 5)));
            if (picture.isNull()) picture = LabelPicture(sheet->picture);
            PaintLabelPage(*painter, *sheet, picture, QRectF(0, 0, writer->width(), writer->height()));
            ++pages;
        }
        if (pages > 0 && !painter->end()) throw Error("The PDF could not be written.");
        return pages;
    });
}

}  // namespace zentavo::render

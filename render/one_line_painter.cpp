// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/one_line_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "engine/classification.h"
#include "render/pdf_file.h"
#include "render/report_text.h"

namespace zentavo::render {

namespace {

using oneline::DeviceMark;
using oneline::ElementKind;
using oneline::ElementState;
using oneline::kSymbolRadius;

// The letters of the notes and of the elements' texts, points of the layout.
constexpr double kNoteLetters = 7;
constexpr double kElementLetters = 6.2;
constexpr double kCaptionLetters = 9;
constexpr double kLineWidth = 1.1;
const QColor kHighlight(0x1E, 0x64, 0xC8);
const QColor kOpen(0x80, 0x80, 0x80);
const QColor kFaulty(0xC0, 0x30, 0x30);
const QColor kDeadBar(0xA0, 0xA0, 0xA0);

// A font whose letters are `size` of the painter's units whatever the
// device's resolution (a point size is a share of an inch on the device).
QFont Letters(double size, bool bold, const QPainter& painter) {
    QFont f = ReportFont(7, bold);
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    f.setPointSizeF(size * 72.0 / (dpi > 0 ? dpi : 72));
    // The report font's spacing (no ligatures, so a reader of the PDF finds
    // the words letter for letter) kept as small beside these letters.
    f.setLetterSpacing(QFont::AbsoluteSpacing, size * 0.002);
    return f;
}

QPointF P(const oneline::Point& p) { return {p.x, p.y}; }
QRectF R(const oneline::Box& b) { return {b.x, b.y, b.w, b.h}; }

QRectF Bounds(const oneline::PlacedElement& e) {
    QRectF r(P(e.symbol), QSizeF(0, 0));
    for (const auto& line : e.links) {
        for (const oneline::Point& p : line) r |= QRectF(P(p), QSizeF(0, 0));
    }
    // The symbol (a unit's generator above it) and the text beside it.
    return r.adjusted(-2 * kSymbolRadius, -4 * kSymbolRadius, oneline::kSlot / 2, 2 * kSymbolRadius);
}

QPen LinePen(ElementState state) {
    QPen pen(state == ElementState::Closed ? QColor(Qt::black) : state == ElementState::Open ? kOpen : kFaulty,
             kLineWidth);
    if (state != ElementState::Closed) pen.setStyle(state == ElementState::Open ? Qt::DashLine : Qt::DashDotLine);
    return pen;
}

void Circle(QPainter& p, QPointF centre, double r) { p.drawEllipse(centre, r, r); }

void Lettered(QPainter& p, QPointF centre, double r, const QString& letter) {
    Circle(p, centre, r);
    p.setFont(Letters(r * 1.1, true, p));
    p.drawText(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), Qt::AlignCenter, letter);
}

// The utility: a circle with a wave in it.
void SourceSymbol(QPainter& p, QPointF c) {
    const double r = kSymbolRadius;
    Circle(p, c, r);
    QPainterPath wave(QPointF(c.x() - 0.6 * r, c.y()));
    wave.cubicTo(c.x() - 0.3 * r, c.y() - 0.6 * r, c.x() - 0.1 * r, c.y() - 0.6 * r, c.x(), c.y());
    wave.cubicTo(c.x() + 0.1 * r, c.y() + 0.6 * r, c.x() + 0.3 * r, c.y() + 0.6 * r, c.x() + 0.6 * r, c.y());
    p.drawPath(wave);
}

// Two circles one over the other; a three-winding transformer's three.
void TransformerSymbol(QPainter& p, QPointF c, bool three) {
    const double r = 0.8 * kSymbolRadius;
    std::vector<QPointF> centres;
    if (three)
        centres = {{c.x(), c.y() - 0.6 * r}, {c.x() - 0.55 * r, c.y() + 0.45 * r}, {c.x() + 0.55 * r, c.y() + 0.45 * r}};
    else
        centres = {{c.x(), c.y() - 0.55 * r}, {c.x(), c.y() + 0.55 * r}};
    // The fills first, then every outline over them, so that each circle shows whole.
    const QPen pen = p.pen();
    const QBrush fill = p.brush();
    p.setPen(Qt::NoPen);
    for (const QPointF& o : centres) Circle(p, o, r);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (const QPointF& o : centres) Circle(p, o, r);
    p.setBrush(fill);
}

void DeviceSymbol(QPainter& p, DeviceMark mark, QPointF c) {
    constexpr double s = 9;
    switch (mark) {
        case DeviceMark::None:
            return;
        case DeviceMark::Fuse:
            p.drawRect(QRectF(c.x() - 3.5, c.y() - 7, 7, 14));
            p.drawLine(QPointF(c.x(), c.y() - 7), QPointF(c.x(), c.y() + 7));
            return;
        case DeviceMark::Relay: {
            // The breaker it trips, and its mark beside it.
            p.drawRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s));
            const QPointF relay(c.x() + s + 2, c.y());
            p.drawLine(QPointF(c.x() + s / 2, c.y()), QPointF(relay.x() - 4, c.y()));
            Lettered(p, relay, 4, QStringLiteral("R"));
            return;
        }
        case DeviceMark::Breaker:
            p.drawRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s));
            return;
    }
}

void PaintElement(QPainter& p, const oneline::DiagramElement& e, const oneline::PlacedElement& placed,
                  const OneLineStyle& style, bool letters) {
    const QPen pen = LinePen(e.state);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (const auto& line : placed.links) {
        QPolygonF poly;
        for (const oneline::Point& pt : line) poly << P(pt);
        p.drawPolyline(poly);
    }
    QPen solid = pen;
    solid.setStyle(Qt::SolidLine);
    p.setPen(solid);
    p.setBrush(Qt::white);
    const QPointF c = P(placed.symbol);
    switch (e.kind) {
        case ElementKind::Source:
            SourceSymbol(p, c);
            break;
        case ElementKind::Transformer:
        case ElementKind::Transformer3:
            TransformerSymbol(p, c, e.kind == ElementKind::Transformer3);
            break;
        case ElementKind::Unit:
            TransformerSymbol(p, c, false);
            Lettered(p, QPointF(c.x(), c.y() + placed.direction * 30), kSymbolRadius, QStringLiteral("G"));
            break;
        case ElementKind::Generator:
            Lettered(p, c, kSymbolRadius, QStringLiteral("G"));
            break;
        case ElementKind::Motor:
            Lettered(p, c, kSymbolRadius, QStringLiteral("M"));
            break;
        case ElementKind::Cable:
            break;  // its line, and its length beside it
    }
    if (placed.device) DeviceSymbol(p, e.device, P(*placed.device));
    const QString text = Text(oneline::ElementText(e, style.sep));
    if (letters && !text.isEmpty()) {
        const QFont font = Letters(kElementLetters, false, p);
        p.setFont(font);
        const double room = oneline::kSlot / 2 - kSymbolRadius - 6;
        const QFontMetricsF m(font, p.device());
        p.drawText(QRectF(placed.text.x, placed.text.y - m.height() / 2, room, m.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, m.elidedText(text, Qt::ElideRight, room));
    }
}

void PaintBus(QPainter& p, const oneline::DiagramBus& bus, const oneline::PlacedBus& placed, const OneLineStyle& style,
              bool highlighted, bool letters) {
    const std::optional<std::uint32_t> tint = PpeTint(bus.ppeIndex);
    const QRectF bar = R(placed.Bar()), note = R(placed.note);
    if (highlighted) {
        p.setPen(QPen(kHighlight, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(bar.adjusted(-3, -3, 3, 3));
        p.drawRect(note.adjusted(-2, -2, 2, 2));
    }
    p.setPen(QPen(Qt::black, 0.6));
    p.setBrush(tint ? QColor(QRgb(*tint)) : bus.computed ? QColor(0x30, 0x30, 0x30) : kDeadBar);
    p.drawRect(bar);
    p.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 0.5));
    p.setBrush(tint ? QColor(QRgb(*tint)) : QColor(Qt::white));
    p.drawRect(note);
    if (!letters) return;
    const auto lines = oneline::BusNote(bus, style.units, style.sep, style.words);
    const QFont plain = Letters(kNoteLetters, false, p), bold = Letters(kNoteLetters, true, p);
    const QFontMetricsF plainMetrics(plain, p.device()), boldMetrics(bold, p.device());
    const double pad = 3, room = note.width() - 2 * pad;
    const double line = (note.height() - 2 * pad) / static_cast<double>(lines.size());
    p.setPen(Qt::black);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].empty()) continue;
        const QFontMetricsF& m = k == 0 ? boldMetrics : plainMetrics;
        p.setFont(k == 0 ? bold : plain);
        const QRectF at(note.x() + pad, note.y() + pad + static_cast<double>(k) * line, room, line);
        p.drawText(at, Qt::AlignLeft | Qt::AlignVCenter, m.elidedText(Text(lines[k]), Qt::ElideRight, room));
    }
}

}  // namespace

QString OneLineCaption(const oneline::Diagram& diagram) {
    QString caption = QStringLiteral("One-line diagram");
    if (!diagram.scenario.empty()) caption += QStringLiteral(", scenario ") + Text(diagram.scenario);
    return caption;
}

void PaintOneLine(QPainter& painter, const oneline::Diagram& diagram, const oneline::Layout& layout,
                  const OneLineStyle& style, const QRectF* visible) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Letters of the notes smaller than a pixel and a half on the device are not drawn.
    const double deviceScale = std::sqrt(std::abs(painter.worldTransform().determinant()));
    const bool letters = deviceScale * kNoteLetters >= 1.5;
    if (!style.caption.isEmpty() && letters) {
        painter.setPen(Qt::black);
        painter.setFont(Letters(kCaptionLetters, true, painter));
        painter.drawText(QRectF(oneline::kMargin, 2, std::max(layout.width - 2 * oneline::kMargin, 1.0),
                                oneline::kMargin - 4),
                         Qt::AlignLeft | Qt::AlignVCenter, style.caption);
    }
    for (std::size_t e = 0; e < layout.elements.size() && e < diagram.elements.size(); ++e) {
        const oneline::PlacedElement& placed = layout.elements[e];
        if (placed.links.empty() || (visible && !visible->intersects(Bounds(placed)))) continue;
        PaintElement(painter, diagram.elements[e], placed, style, letters);
    }
    for (std::size_t b = 0; b < layout.buses.size() && b < diagram.buses.size(); ++b) {
        const oneline::PlacedBus& placed = layout.buses[b];
        if (visible && !visible->intersects(R(placed.Bar()).united(R(placed.note)))) continue;
        const bool marked = b < style.highlighted.size() && style.highlighted[b];
        PaintBus(painter, diagram.buses[b], placed, style, marked, letters);
    }
    painter.restore();
}

void WriteOneLineSvg(QIODevice& out, const oneline::Diagram& diagram, const oneline::Layout& layout,
                     const OneLineStyle& style) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(QSize(static_cast<int>(std::ceil(layout.width)), static_cast<int>(std::ceil(layout.height))));
    svg.setViewBox(QRectF(0, 0, layout.width, layout.height));
    svg.setTitle(style.caption.isEmpty() ? OneLineCaption(diagram) : style.caption);
    svg.setDescription(QStringLiteral("Zentavo"));
    QPainter painter;
    if (!painter.begin(&svg)) throw std::runtime_error("The SVG could not be written.");
    painter.fillRect(QRectF(0, 0, layout.width, layout.height), Qt::white);
    PaintOneLine(painter, diagram, layout, style);
    if (!painter.end()) throw std::runtime_error("The SVG could not be written.");
}

StudyExportResult SaveOneLineSvg(const QString& path, const oneline::Diagram& diagram, const OneLineStyle& style) {
    return SaveThrough(path, true, [&](QIODevice& out) {
        if (diagram.buses.empty()) return 0;
        const oneline::Layout layout = oneline::LayOut(diagram);
        WriteOneLineSvg(out, diagram, layout, style);
        return 1;
    });
}

OneLineSheets::OneLineSheets(std::shared_ptr<const oneline::Diagram> diagram, QSizeF room)
    : diagram_(std::move(diagram)), layout_(oneline::LayOut(*diagram_)) {
    // Where the picture may be cut: between its columns, between its layers.
    std::vector<double> across{0}, down{0};
    for (std::size_t c = 1; c < layout_.columns; ++c) across.push_back(oneline::kMargin + static_cast<double>(c) * oneline::kSlot);
    across.push_back(std::max(layout_.width, 1.0));
    down.insert(down.end(), layout_.breaks.begin(), layout_.breaks.end());
    down.push_back(std::max(layout_.height, 1.0));
    const double roomW = std::max(room.width(), 1.0), roomH = std::max(room.height() - kCaptionHeight, 1.0);
    const auto sheets = [&](double scale) { return Cut(across, roomW, scale).size() * Cut(down, roomH, scale).size(); };
    // The sheets only grow with the scale: the largest scale with no more than the least readable one needs.
    const std::size_t fewest = sheets(kReadableScale);
    double low = kReadableScale, high = 1;
    if (sheets(high) <= fewest) {
        low = high;
    } else {
        for (int k = 0; k < 30; ++k) {
            const double mid = (low + high) / 2;
            (sheets(mid) <= fewest ? low : high) = mid;
        }
    }
    scale_ = low;
    columns_ = Cut(across, roomW, scale_);
    rows_ = Cut(down, roomH, scale_);
}

std::vector<std::pair<double, double>> OneLineSheets::Cut(const std::vector<double>& cuts, double room, double scale) {
    std::vector<std::pair<double, double>> parts;
    std::size_t from = 0;
    while (from + 1 < cuts.size()) {
        std::size_t to = from + 1;
        while (to + 1 < cuts.size() && (cuts[to + 1] - cuts[from]) * scale <= room) ++to;
        parts.push_back({cuts[from], cuts[to]});
        from = to;
    }
    return parts;
}

QRectF OneLineSheets::Part(std::size_t sheet) const {
    const auto& row = rows_[sheet / columns_.size()];
    const auto& column = columns_[sheet % columns_.size()];
    return QRectF(QPointF(column.first, row.first), QPointF(column.second, row.second));
}

void OneLineSheets::Paint(QPainter& painter, std::size_t sheet, const QRectF& target, double unitsPerPoint,
                          const OneLineStyle& style) const {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(unitsPerPoint, unitsPerPoint);
    QString caption = OneLineCaption(*diagram_);
    if (size() > 1) caption += QStringLiteral(", sheet %1 of %2").arg(sheet + 1).arg(size());
    painter.setPen(Qt::black);
    painter.setFont(Letters(kCaptionLetters, true, painter));
    painter.drawText(QRectF(0, 0, target.width() / unitsPerPoint, kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     caption);
    const QRectF part = Part(sheet);
    painter.translate(0, kCaptionHeight);
    painter.setClipRect(QRectF(0, 0, part.width() * scale_, part.height() * scale_));
    painter.scale(scale_, scale_);
    painter.translate(-part.topLeft());
    OneLineStyle plain = style;
    plain.caption.clear();
    PaintOneLine(painter, *diagram_, layout_, plain, &part);
    painter.restore();
}

}  // namespace zentavo::render

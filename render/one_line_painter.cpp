// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/one_line_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
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
constexpr double kElementLetters = 6;
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

QPointF P(const oneline::Point& p) {
    return {p.x, p.y};
}
QRectF R(const oneline::Box& b) {
    return {b.x, b.y, b.w, b.h};
}

QRectF Bounds(const oneline::PlacedElement& e) {
    QRectF r(P(e.symbol), QSizeF(0, 0));
    for (const auto& line : e.links) {
        for (const oneline::Point& p : line) r |= QRectF(P(p), QSizeF(0, 0));
    }
    // The symbol (a unit's generator above it) and the text beside it.
    return r.adjusted(-2 * kSymbolRadius, -4 * kSymbolRadius, 2 * kSymbolRadius, 2 * kSymbolRadius)
        .united(R(e.text));
}

QPen LinePen(ElementState state) {
    QPen pen(state == ElementState::Closed ? QColor(Qt::black)
             : state == ElementState::Open ? kOpen
                                           : kFaulty,
             kLineWidth);
    if (state != ElementState::Closed)
        pen.setStyle(state == ElementState::Open ? Qt::DashLine : Qt::DashDotLine);
    return pen;
}

void Circle(QPainter& p, QPointF centre, double r) {
    p.drawEllipse(centre, r, r);
}

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
    wave.cubicTo(c.x() + 0.1 * r, c.y() + 0.6 * r, c.x() + 0.3 * r, c.y() + 0.6 * r,
                 c.x() + 0.6 * r, c.y());
    p.drawPath(wave);
}

// Two circles one over the other; a three-winding transformer's three.
void TransformerSymbol(QPainter& p, QPointF c, bool three) {
    const double r = 0.8 * kSymbolRadius;
    std::vector<QPointF> centres;
    if (three)
        centres = {{c.x(), c.y() - 0.6 * r},
                   {c.x() - 0.55 * r, c.y() + 0.45 * r},
                   {c.x() + 0.55 * r, c.y() + 0.45 * r}};
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

// A line in pieces no wider than `room`, so that no digit is cut off:
// whole where it fits; else after its first comma ("13.88 cal/cm2,"
// "PPE 3"); else before its number where both sides then fit ("trip"
// "3000 A"); else as many words as fit, and the rest. Only a single word
// wider than the room is cut short ("…").
QStringList Wrapped(const QString& line, const QFontMetricsF& m, double room) {
    const auto fits = [&](const QString& s) { return m.horizontalAdvance(s) <= room; };
    if (fits(line)) return {line};
    const qsizetype comma = line.indexOf(QStringLiteral(", "));
    if (comma >= 0)
        return Wrapped(line.left(comma + 1), m, room) + Wrapped(line.mid(comma + 2), m, room);
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2) return {m.elidedText(line, Qt::ElideRight, room)};
    const auto join = [&](qsizetype from, qsizetype count) {
        return words.mid(from, count).join(QLatin1Char(' '));
    };
    for (qsizetype k = 1; k < words.size(); ++k) {
        if (!words[k].front().isDigit()) continue;
        if (fits(join(0, k)) && fits(join(k, -1))) return {join(0, k), join(k, -1)};
        break;
    }
    qsizetype k = 1;
    while (k + 1 < words.size() && fits(join(0, k + 1))) ++k;
    return Wrapped(join(0, k), m, room) + Wrapped(join(k, -1), m, room);
}

void PaintElement(QPainter& p, const oneline::DiagramElement& e,
                  const oneline::PlacedElement& placed, const OneLineStyle& style, bool letters) {
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
            Lettered(p, QPointF(c.x(), c.y() + placed.direction * 30), kSymbolRadius,
                     QStringLiteral("G"));
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
    const std::vector<std::string> lines = oneline::ElementLines(e, style.sep, style.words);
    if (!letters || lines.empty()) return;
    const QFont font = Letters(kElementLetters, false, p);
    p.setFont(font);
    const QFontMetricsF m(font, p.device());
    const oneline::Box& box = placed.text;
    // Its device's name on one line, cut to the box's width; the numbers
    // wrapped, never cut. As many lines as the box holds, the name left out
    // first where they are more, centred in it.
    QStringList shown;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const QString line = Text(lines[k]);
        if (k == 0 && !e.deviceName.empty())
            shown << m.elidedText(line, Qt::ElideRight, box.w);
        else
            shown << Wrapped(line, m, box.w);
    }
    const auto room = static_cast<qsizetype>(std::lround(box.h / oneline::kTextLine));
    if (shown.size() > room && !e.deviceName.empty()) shown.removeFirst();
    shown = shown.mid(0, room);
    const double top = box.y + (box.h - static_cast<double>(shown.size()) * oneline::kTextLine) / 2;
    for (qsizetype k = 0; k < shown.size(); ++k) {
        p.drawText(QRectF(box.x, top + static_cast<double>(k) * oneline::kTextLine, box.w,
                          oneline::kTextLine),
                   Qt::AlignLeft | Qt::AlignVCenter, shown[k]);
    }
}

void PaintBus(QPainter& p, const oneline::DiagramBus& bus, const oneline::PlacedBus& placed,
              const OneLineStyle& style, bool highlighted, bool letters) {
    const std::optional<std::uint32_t> tint = PpeTint(bus.ppeIndex);
    const QRectF note = R(placed.note);
    // Its bar, and a wrapped bus's further rows and the riser joining them.
    const std::vector<oneline::Box> bars = placed.Bars();
    if (highlighted) {
        p.setPen(QPen(kHighlight, 3));
        p.setBrush(Qt::NoBrush);
        for (const oneline::Box& bar : bars) p.drawRect(R(bar).adjusted(-3, -3, 3, 3));
        p.drawRect(note.adjusted(-2, -2, 2, 2));
    }
    p.setPen(QPen(Qt::black, 0.6));
    p.setBrush(tint ? QColor(QRgb(*tint)) : bus.computed ? QColor(0x30, 0x30, 0x30) : kDeadBar);
    for (const oneline::Box& bar : bars) p.drawRect(R(bar));
    p.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 0.5));
    p.setBrush(tint ? QColor(QRgb(*tint)) : QColor(Qt::white));
    p.drawRect(note);
    if (!letters) return;
    const auto lines = oneline::BusNote(bus, style.units, style.sep, style.words);
    const QFont plain = Letters(kNoteLetters, false, p), bold = Letters(kNoteLetters, true, p);
    const QFontMetricsF plainMetrics(plain, p.device()), boldMetrics(bold, p.device());
    const double pad = 3, room = note.width() - 2 * pad;
    // Each line wrapped to the note's width (its energy and PPE level on
    // lines of their own in a narrow column), none cut; the lines spaced
    // for one more than the note's own, centred.
    std::vector<std::pair<QString, bool>> shown;  // and bold
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].empty()) {
            shown.emplace_back(QString(), false);
            continue;
        }
        for (const QString& piece :
             Wrapped(Text(lines[k]), k == 0 ? boldMetrics : plainMetrics, room))
            shown.emplace_back(piece, k == 0);
    }
    const double height = note.height() - 2 * pad;
    const double line = height / static_cast<double>(std::max(shown.size(), lines.size() + 1));
    const double top = note.y() + pad + (height - line * static_cast<double>(shown.size())) / 2;
    p.setPen(Qt::black);
    for (std::size_t k = 0; k < shown.size(); ++k) {
        if (shown[k].first.isEmpty()) continue;
        p.setFont(shown[k].second ? bold : plain);
        const QRectF at(note.x() + pad, top + static_cast<double>(k) * line, room, line);
        p.drawText(at, Qt::AlignLeft | Qt::AlignVCenter, shown[k].first);
    }
}

}  // namespace

QString OneLineCaption(const oneline::Diagram& diagram) {
    QString caption = QStringLiteral("One-line diagram");
    if (!diagram.scenario.empty())
        caption += QStringLiteral(", scenario ") + Text(diagram.scenario);
    return caption;
}

void PaintOneLine(QPainter& painter, const oneline::Diagram& diagram, const oneline::Layout& layout,
                  const OneLineStyle& style, const QRectF* visible) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Letters of the notes too small to read on the device are not drawn.
    const double deviceScale = std::sqrt(std::abs(painter.worldTransform().determinant()));
    const bool letters = deviceScale * kNoteLetters >= kLeastNoteLetters;
    if (!style.caption.isEmpty() && letters) {
        painter.setPen(Qt::black);
        painter.setFont(Letters(kCaptionLetters, true, painter));
        painter.drawText(
            QRectF(oneline::kMargin, 2, std::max(layout.width - 2 * oneline::kMargin, 1.0),
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
        QRectF drawn = R(placed.note);
        for (const oneline::Box& bar : placed.Bars()) drawn |= R(bar);
        if (visible && !visible->intersects(drawn)) continue;
        const bool marked = b < style.highlighted.size() && style.highlighted[b];
        PaintBus(painter, diagram.buses[b], placed, style, marked, letters);
    }
    painter.restore();
}

void WriteOneLineSvg(QIODevice& out, const oneline::Diagram& diagram, const oneline::Layout& layout,
                     const OneLineStyle& style) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(QSize(static_cast<int>(std::ceil(layout.width)),
                      static_cast<int>(std::ceil(layout.height))));
    svg.setViewBox(QRectF(0, 0, layout.width, layout.height));
    svg.setTitle(style.caption.isEmpty() ? OneLineCaption(diagram) : style.caption);
    svg.setDescription(QStringLiteral("Zentavo"));
    QPainter painter;
    if (!painter.begin(&svg)) throw std::runtime_error("The SVG could not be written.");
    painter.fillRect(QRectF(0, 0, layout.width, layout.height), Qt::white);
    PaintOneLine(painter, diagram, layout, style);
    if (!painter.end()) throw std::runtime_error("The SVG could not be written.");
}

StudyExportResult SaveOneLineSvg(const QString& path, const oneline::Diagram& diagram,
                                 const OneLineStyle& style) {
    return SaveThrough(path, true, [&](QIODevice& out) {
        if (diagram.buses.empty()) return 0;
        const oneline::Layout layout = oneline::LayOut(diagram);
        WriteOneLineSvg(out, diagram, layout, style);
        return 1;
    });
}

namespace {

// What is drawn of a layout: each bus's bars and note, each element's
// symbol and its links' segments.
std::vector<QRectF> Drawn(const oneline::Layout& layout) {
    std::vector<QRectF> drawn;
    for (const oneline::PlacedBus& b : layout.buses) {
        drawn.push_back(R(b.note));
        for (const oneline::Box& bar : b.Bars()) drawn.push_back(R(bar));
    }
    for (const oneline::PlacedElement& e : layout.elements) {
        if (e.links.empty()) continue;
        drawn.push_back(QRectF(P(e.symbol), QSizeF(0, 0)).adjusted(-1, -1, 1, 1));
        for (const auto& line : e.links) {
            for (std::size_t k = 1; k < line.size(); ++k)
                drawn.push_back(QRectF(P(line[k - 1]), P(line[k])).normalized());
        }
    }
    return drawn;
}

// Where a layout may be cut across: between its columns.
std::vector<double> Across(std::size_t columns, double width) {
    std::vector<double> across{0};
    for (std::size_t c = 1; c < columns; ++c)
        across.push_back(oneline::kMargin + static_cast<double>(c) * oneline::kSlot);
    across.push_back(std::max(width, 1.0));
    return across;
}

}  // namespace

OneLineSheets::OneLineSheets(std::shared_ptr<const oneline::Diagram> diagram, QSizeF room)
    : diagram_(std::move(diagram)), layout_(oneline::LayOut(*diagram_)) {
    room = QSizeF(std::max(room.width(), 1.0), std::max(room.height() - kCaptionHeight, 1.0));
    // The buses' branches side by side, or wrapped into rows no wider than
    // one sheet across at the readable scale, or two, ...: the layout with
    // the fewest sheets, side by side where that is no more.
    std::vector<QRectF> drawn = Drawn(layout_);
    std::size_t fewest = Parts(layout_, drawn, room, kReadableScale).size();
    const std::size_t wide =
        Cut(Across(layout_.columns, layout_.width), room.width(), kReadableScale).size();
    for (std::size_t sheets = 1; sheets < std::min<std::size_t>(wide, kMostSheetsAcross + 1);
         ++sheets) {
        // The most columns that many sheets across hold.
        std::size_t columns = 1;
        while (Cut(Across(columns + 1,
                          2 * oneline::kMargin + static_cast<double>(columns + 1) * oneline::kSlot),
                   room.width(), kReadableScale)
                   .size() <= sheets)
            ++columns;
        oneline::Layout wrapped = oneline::LayOut(*diagram_, columns);
        std::vector<QRectF> wrappedDrawn = Drawn(wrapped);
        const std::size_t count = Parts(wrapped, wrappedDrawn, room, kReadableScale).size();
        if (count < fewest) {
            fewest = count;
            layout_ = std::move(wrapped);
            drawn = std::move(wrappedDrawn);
        }
    }
    // The sheets only grow with the scale: the largest scale with no more than the least readable
    // one needs.
    double low = kReadableScale, high = 1;
    if (Parts(layout_, drawn, room, high).size() <= fewest) {
        low = high;
    } else {
        for (int k = 0; k < 30; ++k) {
            const double mid = (low + high) / 2;
            (Parts(layout_, drawn, room, mid).size() <= fewest ? low : high) = mid;
        }
    }
    scale_ = low;
    parts_ = Parts(layout_, drawn, room, scale_);
}

std::vector<QRectF> OneLineSheets::Parts(const oneline::Layout& layout,
                                         const std::vector<QRectF>& drawn, QSizeF room,
                                         double scale) {
    // Where the picture may be cut: between its columns, between its layers.
    std::vector<double> down{0};
    down.insert(down.end(), layout.breaks.begin(), layout.breaks.end());
    down.push_back(std::max(layout.height, 1.0));
    const std::vector<std::pair<double, double>> columns = Cut(Across(layout.columns, layout.width),
                                                               room.width(), scale),
                                                 rows = Cut(down, room.height(), scale);
    std::vector<bool> used(rows.size() * columns.size(), false);
    // The parts along one side that [from, to] meets.
    const auto span = [](const std::vector<std::pair<double, double>>& parts, double from,
                         double to) {
        const auto first = std::upper_bound(parts.begin(), parts.end(), from,
                                            [](double v, const auto& p) { return v < p.second; });
        const auto last = std::upper_bound(parts.begin(), parts.end(), to,
                                           [](double v, const auto& p) { return v < p.first; });
        return std::pair{static_cast<std::size_t>(first - parts.begin()),
                         static_cast<std::size_t>(last - parts.begin())};
    };
    for (const QRectF& r : drawn) {
        const auto [c0, c1] = span(columns, r.left(), r.right());
        const auto [r0, r1] = span(rows, r.top(), r.bottom());
        for (std::size_t i = r0; i < r1; ++i) {
            for (std::size_t j = c0; j < c1; ++j) used[i * columns.size() + j] = true;
        }
    }
    std::vector<QRectF> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = 0; j < columns.size(); ++j) {
            if (used[i * columns.size() + j] || used.size() == 1)
                out.emplace_back(QPointF(columns[j].first, rows[i].first),
                                 QPointF(columns[j].second, rows[i].second));
        }
    }
    return out;
}

std::vector<std::pair<double, double>> OneLineSheets::Cut(const std::vector<double>& cuts,
                                                          double room, double scale) {
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
    return parts_.at(sheet);
}

void OneLineSheets::Paint(QPainter& painter, std::size_t sheet, const QRectF& target,
                          double unitsPerPoint, const OneLineStyle& style) const {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(unitsPerPoint, unitsPerPoint);
    QString caption = OneLineCaption(*diagram_);
    if (size() > 1) caption += QStringLiteral(", sheet %1 of %2").arg(sheet + 1).arg(size());
    painter.setPen(Qt::black);
    painter.setFont(Letters(kCaptionLetters, true, painter));
    painter.drawText(QRectF(0, 0, target.width() / unitsPerPoint, kCaptionHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, caption);
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

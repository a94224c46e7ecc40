// SPDX-License-Identifier: GPL-3.0-or-later
// Where the time-current picture's texts stand: the marks' texts, the
// legend in a corner, and the table under the axes of a picture of several
// devices; lines broken between words, never cut.
#include <QFontMetricsF>
#include <QLineF>
#include <algorithm>
#include <cmath>

#include "render/time_current.h"

namespace zentavo::render {

namespace {
constexpr double kRing = kMarkRingRadius;
constexpr double kTextPad = kTextPadding;

// Whether the segment a-b passes through `box`.
bool Crosses(const QRectF& box, QPointF a, QPointF b) {
    if (box.contains(a) || box.contains(b)) return true;
    const QLineF segment(a, b);
    const QLineF edges[] = {{box.topLeft(), box.topRight()},
                            {box.topRight(), box.bottomRight()},
                            {box.bottomRight(), box.bottomLeft()},
                            {box.bottomLeft(), box.topLeft()}};
    for (const QLineF& edge : edges) {
        if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection) return true;
    }
    return false;
}

bool CrossesCurve(const QRectF& box, const std::vector<std::vector<QPointF>>& curve) {
    for (const std::vector<QPointF>& piece : curve) {
        for (std::size_t i = 1; i < piece.size(); ++i) {
            if (Crosses(box, piece[i - 1], piece[i])) return true;
        }
    }
    return false;
}

// A line broken between words into lines no wider than `most`; a word wider
// than that broken between its letters. Nothing is left out.
QStringList Wrap(const QString& line, double most, const QFontMetricsF& fm) {
    QStringList out;
    QString held;
    auto add = [&](const QString& word) {
        const QString longer = held.isEmpty() ? word : held + QLatin1Char(' ') + word;
        if (held.isEmpty() || fm.horizontalAdvance(longer) <= most) {
            held = longer;
            return;
        }
        out << held;
        held = word;
    };
    for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString rest = word;
        // A word wider than a line on lines of its own, a letter at least each.
        while (fm.horizontalAdvance(rest) > most && rest.size() > 1) {
            qsizetype n = rest.size() - 1;
            while (n > 1 && fm.horizontalAdvance(rest.left(n)) > most) --n;
            if (!held.isEmpty()) out << held;
            held.clear();
            out << rest.left(n);
            rest = rest.mid(n);
        }
        add(rest);
    }
    if (!held.isEmpty() || out.isEmpty()) out << held;
    return out;
}

}  // namespace

namespace {

// Pieces of a curve in (A, s) added to `pieces` in the picture's coordinates.
void AddInPicture(const TimeCurrentPlot& plot, const QRectF& area,
                  const std::vector<std::vector<QPointF>>& curve,
                  std::vector<std::vector<QPointF>>& pieces) {
    for (const std::vector<QPointF>& piece : curve) {
        std::vector<QPointF>& drawn = pieces.emplace_back();
        for (const QPointF& p : piece) drawn.push_back(MapToPicture(plot, area, p.x(), p.y()));
    }
}

}  // namespace

std::vector<std::vector<QPointF>> CurveInPicture(const TimeCurrentPlot& plot, const QRectF& area) {
    std::vector<std::vector<QPointF>> pieces;
    AddInPicture(plot, area, plot.curve, pieces);
    return pieces;
}

TimeCurrentTexts LayOutTimeCurrentTexts(const TimeCurrentPlot& plot, const QRectF& area,
                                        const QFontMetricsF& fm) {
    TimeCurrentTexts out;
    const QRectF r = PlotRect(area).adjusted(1, 1, -1, -1);
    // The curves the texts keep off: the picture's own, or every device's of a picture of several.
    std::vector<std::vector<QPointF>> curve = CurveInPicture(plot, area);
    if (plot.coordination) {
        for (const TimeCurrentCurve& o : plot.others) AddInPicture(plot, area, o.curve, curve);
    }
    std::vector<QPointF> rings;
    for (const TimeCurrentMark& m : plot.marks)
        rings.push_back(MapToPicture(plot, area, m.amps, m.seconds));
    std::vector<QRectF> taken;  // texts placed, and the rings
    for (const QPointF& at : rings)
        taken.emplace_back(at - QPointF(kRing + 1, kRing + 1),
                           QSizeF(2 * kRing + 2, 2 * kRing + 2));
    auto free = [&](const QRectF& box) {
        if (!r.contains(box)) return false;
        for (const QRectF& t : taken) {
            if (t.intersects(box)) return false;
        }
        return true;
    };
    // Nearer to its own ring than to any other.
    auto own = [&](const QRectF& box, std::size_t mark) {
        auto distance = [&](const QPointF& p) {
            const double dx = std::max({box.left() - p.x(), 0.0, p.x() - box.right()});
            const double dy = std::max({box.top() - p.y(), 0.0, p.y() - box.bottom()});
            return std::hypot(dx, dy);
        };
        for (std::size_t k = 0; k < rings.size(); ++k) {
            if (k != mark && distance(rings[k]) <= distance(rings[mark])) return false;
        }
        return true;
    };

    // The legend first: the corner where it meets nothing, else the one where
    // it crosses least. A picture of several devices has its table under the
    // axes instead (LayOutTimeCurrentTable).
    if (!plot.coordination && (!plot.legend.isEmpty() || !plot.others.empty())) {
        // Lines no wider than half the axes, broken between words, the other
        // devices' names too: nothing cut.
        const double most = r.width() * 0.5 - 2 * kTextPad;
        for (const QString& line : plot.legend) out.legendLines << Wrap(line, most, fm);
        for (const TimeCurrentCurve& o : plot.others) {
            const QStringList lines = Wrap(QStringLiteral("— ") + o.name, most, fm);
            out.otherLines << lines;
            out.otherRgbs.insert(out.otherRgbs.end(), static_cast<std::size_t>(lines.size()),
                                 o.rgb);
        }
        double width = 0;
        for (const QString& line : out.legendLines + out.otherLines)
            width = std::max(width, fm.horizontalAdvance(line));
        const auto lines = static_cast<double>(out.legendLines.size() + out.otherLines.size());
        const QSizeF size(std::min(width, most) + 2 * kTextPad,
                          std::min(fm.height() * lines + 2 * kTextPad, r.height() - 4));
        const QRectF corners[] = {
            QRectF(QPointF(r.right() - size.width() - 2, r.top() + 2), size),
            QRectF(QPointF(r.left() + 2, r.top() + 2), size),
            QRectF(QPointF(r.left() + 2, r.bottom() - size.height() - 2), size),
            QRectF(QPointF(r.right() - size.width() - 2, r.bottom() - size.height() - 2), size),
        };
        out.legend = corners[0];
        for (const QRectF& c : corners) {
            if (free(c) && !CrossesCurve(c, curve)) {
                out.legend = c;
                break;
            }
        }
        taken.push_back(out.legend);
    }

    // Each mark's text beside its ring: right or left of it, level with it,
    // above or below, then farther off; the first place free of texts, rings
    // and the curve, else the first free of texts and rings.
    out.marks.resize(plot.marks.size());
    out.leaders.assign(plot.marks.size(), false);
    for (std::size_t i = 0; i < plot.marks.size(); ++i) {
        const QPointF at = rings[i];
        const QSizeF size(fm.horizontalAdvance(plot.marks[i].text) + 2 * kTextPad, fm.height());
        const double gap = kRing + 3;
        std::vector<QRectF> places;
        for (int step = 0; step < 6; ++step) {
            const double lift = step * fm.height();
            for (const double dy : {-size.height() - gap + kRing - lift, gap - kRing + lift,
                                    -size.height() / 2 - lift, -size.height() / 2 + lift}) {
                places.emplace_back(QPointF(at.x() + gap, at.y() + dy), size);
                places.emplace_back(QPointF(at.x() - gap - size.width(), at.y() + dy), size);
            }
            // Right above and below it, ending at it.
            for (const double dy : {-size.height() - gap - lift, gap + lift}) {
                places.emplace_back(QPointF(at.x() - size.width(), at.y() + dy), size);
                places.emplace_back(QPointF(at.x(), at.y() + dy), size);
            }
        }
        const QRectF* chosen = nullptr;
        for (const QRectF& p : places) {
            if (free(p) && own(p, i) && !CrossesCurve(p, curve)) {
                chosen = &p;
                break;
            }
        }
        for (const QRectF& p : places) {
            if (chosen) break;
            if (free(p) && own(p, i)) chosen = &p;
        }
        // Nearer another mark: a leader line will join it to its own.
        bool leader = false;
        for (const QRectF& p : places) {
            if (chosen) break;
            if (free(p) && !CrossesCurve(p, curve)) chosen = &p, leader = true;
        }
        for (const QRectF& p : places) {
            if (chosen) break;
            if (free(p)) chosen = &p, leader = !own(p, i);
        }
        // Nowhere free (a crowded, tiny picture): beside the ring, inside the axes.
        QRectF box = chosen ? *chosen : places.front();
        // A text wider than the axes starts at their left, its beginning kept.
        if (!chosen)
            box.moveTo(
                std::clamp(box.left(), r.left(), std::max(r.left(), r.right() - box.width())),
                std::clamp(box.top(), r.top(), std::max(r.top(), r.bottom() - box.height())));
        out.marks[i] = box;
        out.leaders[i] = leader || !own(box, i);
        taken.push_back(box);
    }
    return out;
}

QFont TimeCurrentFont(QFont base) {
    base.setPixelSize(11);
    return base;
}

TimeCurrentTable LayOutTimeCurrentTable(const TimeCurrentPlot& plot, const QRectF& area,
                                        const QFontMetricsF& fm) {
    TimeCurrentTable out;
    out.axes = area;
    if (!plot.coordination || (plot.others.empty() && plot.legend.isEmpty())) return out;
    // Under the axes' labels, as wide as the picture less a margin.
    constexpr double kSide = 8;
    const double most = area.width() - 2 * kSide - 2 * kTextPad;
    for (const TimeCurrentCurve& o : plot.others) {
        const QStringList lines = Wrap(QStringLiteral("— ") + o.name, most, fm);
        out.lines << lines;
        out.rgbs.insert(out.rgbs.end(), static_cast<std::size_t>(lines.size()), o.rgb);
    }
    for (const QString& line : plot.legend) {
        const QStringList lines = Wrap(line, most, fm);
        out.lines << lines;
        out.rgbs.insert(out.rgbs.end(), static_cast<std::size_t>(lines.size()), 0x000000u);
    }
    const double height = fm.height() * static_cast<double>(out.lines.size()) + 2 * kTextPad;
    // The axes keep their height's share down to a small picture's; a table
    // taller than the rest runs on below the area rather than lose a line.
    constexpr double kLeastAxes = 120;
    const double axesHeight = std::max(kLeastAxes, area.height() - height - kTextPad);
    out.axes = QRectF(area.topLeft(), QSizeF(area.width(), axesHeight));
    out.box = QRectF(area.left() + kSide, out.axes.bottom(), area.width() - 2 * kSide, height);
    return out;
}

}  // namespace zentavo::render

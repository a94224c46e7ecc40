// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/time_current.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <variant>

#include "engine/ieee2018_device.h"
#include "engine/number.h"

namespace zentavo::render {

QString MarkText(const QString& name, double seconds, const QString& element, char sep) {
    return name + QStringLiteral(": ") + QString::fromStdString(ArcDurationText(seconds, sep)) + QStringLiteral(" s, ") +
           element;
}

QString VoltsText(double volts, char sep) {
    return QString::fromStdString(TrimZeros(FormatFixed(volts, 15, 3, sep), sep));
}

namespace {

constexpr int kSamplesPerDecade = 100;
constexpr double kScanFrom = 0.1, kScanTo = 1e7;  // A: where a pickup is looked for

double DecadeBelow(double v) {
    return std::pow(10.0, std::floor(std::log10(v) + 1e-9));
}
double DecadeAbove(double v) {
    return std::pow(10.0, std::ceil(std::log10(v) - 1e-9));
}

// The current between `lo` and `hi` where the device changes what it does
// (starts acting, or another element takes over): the last current still
// behaving as at `lo` and the first behaving as at `hi`.
std::pair<double, double> Edge(const ProtectiveDevice& d, double lo, double hi) {
    const DeviceTrip at = d.TripAt(lo);
    for (int i = 0; i < 60; ++i) {
        const double mid = std::sqrt(lo * hi);
        if (mid <= lo || mid >= hi) break;
        (d.TripAt(mid).element == at.element ? lo : hi) = mid;
    }
    return {lo, hi};
}

// The current's decade label: "0.01", "1", "1000", "1E5".
QString DecadeText(double v, char sep) {
    const int e = static_cast<int>(std::lround(std::log10(v)));
    if (e >= 5) return QStringLiteral("1E%1").arg(e);
    const std::string t = FormatFixed(v, 15, e < 0 ? -e : 0, sep);
    return QString::fromStdString(t);
}

constexpr double kRing = kMarkRingRadius;
constexpr double kTextPad = kTextPadding;

}  // namespace

namespace {

// Where a device starts acting, found on a scan; 0 where it never does.
double StartAmps(const ProtectiveDevice& device) {
    const double step = std::pow(10.0, 1.0 / kSamplesPerDecade);
    for (double a = kScanFrom; a < kScanTo; a *= step) {
        if (device.TripAt(a).Operates()) return a;
    }
    return 0;
}

// The device's curve over the axes' currents: a fixed share of each decade
// and the currents `exact` exactly, in pieces that end where it stops
// acting; `fastest` lowered to its fastest time. The axes' currents are
// `scale` times the device's own (a device drawn at another voltage).
std::vector<std::vector<QPointF>> SampleCurve(const ProtectiveDevice& device,
                                              const TimeCurrentPlot& axes,
                                              const std::vector<double>& exact, double scale,
                                              double& fastest) {
    std::vector<double> amps;
    const double decades = std::log10(axes.iMax / axes.iMin);
    const int n = static_cast<int>(std::lround(decades * kSamplesPerDecade));
    for (int i = 0; i <= n; ++i) amps.push_back(axes.iMin * std::pow(10.0, decades * i / n));
    amps.insert(amps.end(), exact.begin(), exact.end());
    // A trip unit's long-time curve bends onto its floor, the instantaneous
    // clearing time, without another element taking over: a sample stands
    // where it bends, so the flat part starts where the curve meets it.
    if (const auto* unit = std::get_if<TripUnit>(&device.Device())) {
        const double bend = unit->LongTimeFloorAmps() * scale;
        if (bend > axes.iMin && bend < axes.iMax) amps.push_back(bend);
    }
    std::sort(amps.begin(), amps.end());

    // The device's trip at a current of the axes.
    auto tripAt = [&](double a) { return device.TripAt(a / scale); };
    std::vector<std::vector<QPointF>> curve;
    std::vector<QPointF> piece;
    auto point = [&](double a) {
        const DeviceTrip t = tripAt(a);
        if (t.seconds > 0) fastest = std::min(fastest, t.seconds);
        piece.emplace_back(a, t.seconds);
    };
    auto endPiece = [&] {
        if (piece.size() >= 2) curve.push_back(piece);
        piece.clear();
    };
    DeviceTrip before;
    double previous = 0;
    for (double a : amps) {
        const DeviceTrip now = tripAt(a);
        if (previous > 0 && now.element != before.element) {
            // A step: drawn upright at the current where it happens.
            const auto [lo, hi] = Edge(device, previous / scale, a / scale);
            if (before.Operates()) point(lo * scale);
            if (!now.Operates()) endPiece();
            if (now.Operates()) point(hi * scale);
        }
        if (now.Operates()) point(a);
        before = now;
        previous = a;
    }
    endPiece();
    return curve;
}

}  // namespace

namespace {

// A scale of a device's currents: 1 where none usable is given.
double UsableScale(double scale) {
    return scale > 0 && std::isfinite(scale) ? scale : 1.0;
}

// Marks at no current have no place on a logarithmic axis.
void DropMarksAtNoCurrent(std::vector<TimeCurrentMark>& marks) {
    std::erase_if(marks, [](const TimeCurrentMark& m) { return !(m.amps > 0); });
}

// Sets the axes of `plot` to hold where each of `devices` starts acting and
// every mark of the plot, and returns each device's curve sampled over them
// (through the currents `exact[k]` for the k-th, its currents `scales[k]`
// times its own).
std::vector<std::vector<std::vector<QPointF>>> Frame(
    TimeCurrentPlot& plot, const std::vector<const ProtectiveDevice*>& devices,
    const std::vector<std::vector<double>>& exact, const std::vector<double>& scales) {
    double lowest = kScanTo, highest = kScanFrom;
    for (std::size_t k = 0; k < devices.size(); ++k) {
        const double start = StartAmps(*devices[k]) * scales[k];
        lowest = std::min(lowest, start > 0 ? start : kScanTo);
        highest = std::max(highest, start > 0 ? start * 30 : kScanFrom);
    }
    double fastest = 0.01, slowest = 1000;
    for (const TimeCurrentMark& m : plot.marks) {
        lowest = std::min(lowest, m.amps);
        highest = std::max(highest, m.amps * 1.5);
        if (m.seconds > 0) fastest = std::min(fastest, m.seconds);
        slowest = std::max(slowest, m.seconds);
    }
    plot.iMin = DecadeBelow(lowest);
    plot.iMax = std::max(DecadeAbove(highest), plot.iMin * 100);
    if (plot.cap) slowest = std::max(slowest, *plot.cap);

    std::vector<std::vector<std::vector<QPointF>>> curves;
    for (std::size_t k = 0; k < devices.size(); ++k) {
        curves.push_back(SampleCurve(*devices[k], plot, exact[k], scales[k], fastest));
    }
    plot.tMin = DecadeBelow(fastest);
    plot.tMax = DecadeAbove(slowest);
    return curves;
}

}  // namespace

TimeCurrentPlot MakeTimeCurrentPlot(const ProtectiveDevice& device,
                                    std::vector<TimeCurrentMark> marks,
                                    const std::vector<TimeCurrentDevice>& others, double scale) {
    TimeCurrentPlot plot;
    plot.marks = std::move(marks);
    DropMarksAtNoCurrent(plot.marks);
    plot.cap = device.MaxArcTime();
    std::vector<const ProtectiveDevice*> devices{&device};
    std::vector<double> scales{UsableScale(scale)};
    std::vector<std::vector<double>> exact(1 + others.size());
    for (TimeCurrentMark& m : plot.marks) {
        m.amps *= scales[0];
        exact[0].push_back(m.amps);
    }
    for (const TimeCurrentDevice& o : others) {
        devices.push_back(o.device);
        scales.push_back(UsableScale(o.scale));
    }
    std::vector<std::vector<std::vector<QPointF>>> curves = Frame(plot, devices, exact, scales);
    plot.curve = std::move(curves[0]);
    for (std::size_t k = 0; k < others.size(); ++k) {
        plot.others.push_back({std::move(curves[k + 1]), others[k].name, OtherCurveRgb(k)});
    }
    return plot;
}

TimeCurrentPlot MakeCoordinationPlot(const std::vector<TimeCurrentDevice>& devices) {
    TimeCurrentPlot plot;
    plot.coordination = true;
    if (devices.empty()) return plot;
    std::vector<const ProtectiveDevice*> all;
    std::vector<std::vector<double>> exact(devices.size());
    std::vector<double> scales;
    plot.cap = devices.front().device->MaxArcTime();
    for (std::size_t k = 0; k < devices.size(); ++k) {
        all.push_back(devices[k].device);
        scales.push_back(UsableScale(devices[k].scale));
        std::vector<TimeCurrentMark> marks = devices[k].marks;
        DropMarksAtNoCurrent(marks);
        for (TimeCurrentMark& m : marks) {
            m.rgb = CoordinationRgb(k);
            m.amps *= scales.back();
            exact[k].push_back(m.amps);
            plot.marks.push_back(std::move(m));
        }
    }
    // The maximum's line only where it is every device's.
    for (const TimeCurrentDevice& d : devices) {
        if (d.device->MaxArcTime() != devices.front().device->MaxArcTime()) plot.cap.reset();
    }
    std::vector<std::vector<std::vector<QPointF>>> curves = Frame(plot, all, exact, scales);
    for (std::size_t k = 0; k < devices.size(); ++k) {
        plot.others.push_back({std::move(curves[k]), devices[k].name, CoordinationRgb(k)});
    }
    return plot;
}

QRectF PlotRect(const QRectF& area) {
    return area.adjusted(56, 24, -24, -40);
}

QPointF MapToPicture(const TimeCurrentPlot& plot, const QRectF& area, double amps, double seconds) {
    const QRectF r = PlotRect(area);
    // Nothing at or below 0 on a log axis: such a time stands far below the axis.
    const double a = std::max(amps, plot.iMin * 1e-6);
    const double t = std::max(seconds, plot.tMin * 1e-6);
    const double x = std::log10(a / plot.iMin) / std::log10(plot.iMax / plot.iMin);
    const double y = std::log10(t / plot.tMin) / std::log10(plot.tMax / plot.tMin);
    return {r.left() + x * r.width(), r.bottom() - y * r.height()};
}

namespace {

// A polyline cut at the rectangle `frame`: the parts of it inside, each
// ending where it crosses the frame (Liang-Barsky on each segment).
std::vector<std::vector<QPointF>> CutAtFrame(const std::vector<QPointF>& line,
                                             const QRectF& frame) {
    std::vector<std::vector<QPointF>> parts;
    std::vector<QPointF> part;
    auto finish = [&] {
        if (part.size() >= 2) parts.push_back(part);
        part.clear();
    };
    for (std::size_t i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], b = line[i];
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        double t0 = 0, t1 = 1;
        bool outside = false;
        const double ps[] = {-dx, dx, -dy, dy};
        const double qs[] = {a.x() - frame.left(), frame.right() - a.x(), a.y() - frame.top(),
                             frame.bottom() - a.y()};
        for (int k = 0; k < 4 && !outside; ++k) {
            if (ps[k] == 0) {
                outside = qs[k] < 0;
            } else if (const double t = qs[k] / ps[k]; ps[k] < 0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
        }
        if (outside || t0 > t1) {
            finish();
            continue;
        }
        const QPointF from = a + QPointF(dx, dy) * t0, to = a + QPointF(dx, dy) * t1;
        if (part.empty() || part.back() != from) {
            finish();
            part.push_back(from);
        }
        part.push_back(to);
        if (t1 < 1) finish();
    }
    finish();
    return parts;
}

}  // namespace

void PaintTimeCurrent(QPainter& p, const QRectF& given, const TimeCurrentPlot& plot, char sep) {
    p.save();
    // The picture is laid out for a window, about 640 pixels wide: a larger
    // area (a PDF page's, in its fine units) gets it scaled up whole, so that
    // its lines and texts keep their size against the axes.
    constexpr double kLaidOutWidth = 640;
    const double scale = std::max(1.0, given.width() / kLaidOutWidth);
    QRectF area = given;
    if (scale > 1) {
        p.translate(given.topLeft());
        p.scale(scale, scale);
        area = QRectF(0, 0, given.width() / scale, given.height() / scale);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(area, Qt::white);
    const QFont font = TimeCurrentFont(p.font());
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    // A picture of several devices: their table under the axes, the axes above it.
    const TimeCurrentTable table = LayOutTimeCurrentTable(plot, area, fm);
    if (!table.box.isEmpty()) {
        p.setPen(QPen(QColor(0xb0b0b0), 0));
        p.setBrush(Qt::white);
        p.drawRect(table.box);
        double y = table.box.top() + kTextPad + fm.ascent();
        for (qsizetype k = 0; k < table.lines.size(); ++k) {
            p.setPen(QColor(QRgb(table.rgbs[static_cast<std::size_t>(k)])));
            p.drawText(QPointF(table.box.left() + kTextPad, y), table.lines[k]);
            y += fm.height();
        }
        area = table.axes;
    }
    const QRectF r = PlotRect(area);

    // The grid: every decade and its steps, the decades darker and labelled.
    auto grid = [&](double from, double to, bool across) {
        if (!(from > 0) || !std::isfinite(to)) return;  // no decades to step through
        for (double decade = from; decade < to * 1.0001; decade *= 10) {
            for (int k = 1; k <= 9; ++k) {
                const double v = decade * k;
                if (v > to * 1.0001) break;
                p.setPen(QPen(QColor(k == 1 ? 0xb0b0b0 : 0xe4e4e4), 0));
                const QPointF at = across ? MapToPicture(plot, area, v, plot.tMin)
                                          : MapToPicture(plot, area, plot.iMin, v);
                if (across) {
                    p.drawLine(QPointF(at.x(), r.top()), QPointF(at.x(), r.bottom()));
                } else {
                    p.drawLine(QPointF(r.left(), at.y()), QPointF(r.right(), at.y()));
                }
                if (k != 1) continue;
                p.setPen(Qt::black);
                const QString t = DecadeText(v, sep);
                const double w = fm.horizontalAdvance(t);
                if (across) {
                    p.drawText(QPointF(at.x() - w / 2, r.bottom() + fm.ascent() + 3), t);
                } else {
                    p.drawText(QPointF(r.left() - w - 4, at.y() + fm.ascent() / 2 - 1), t);
                }
            }
        }
    };
    grid(plot.iMin, plot.iMax, true);
    grid(plot.tMin, plot.tMax, false);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    const QString& currentTitle = plot.currentTitle;
    p.drawText(
        QPointF(r.right() - fm.horizontalAdvance(currentTitle), r.bottom() + 2 * fm.height() + 4),
        currentTitle);
    p.drawText(QPointF(area.left() + 4, r.top() - 8), plot.timeTitle);

    p.setClipRect(r);
    if (plot.cap) {
        p.setPen(QPen(QColor(0x707070), 1, Qt::DashLine));
        const double y = MapToPicture(plot, area, plot.iMin, *plot.cap).y();
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    // Each piece cut at the frame: a painter's clip holds for a picture
    // and a PDF, not for an SVG file.
    auto drawCurve = [&](const std::vector<std::vector<QPointF>>& curve) {
        for (const std::vector<QPointF>& piece : curve) {
            std::vector<QPointF> drawn;
            for (const QPointF& at : piece)
                drawn.push_back(MapToPicture(plot, area, at.x(), at.y()));
            for (const std::vector<QPointF>& inside : CutAtFrame(drawn, r)) {
                QPainterPath path;
                path.moveTo(inside.front());
                for (std::size_t i = 1; i < inside.size(); ++i) path.lineTo(inside[i]);
                p.drawPath(path);
            }
        }
    };
    // The other devices under the point's own, each in a colour of its own.
    for (const TimeCurrentCurve& o : plot.others) {
        p.setPen(QPen(QColor(QRgb(o.rgb)), 2));
        drawCurve(o.curve);
    }
    p.setPen(QPen(QColor(QRgb(kCurveRgb)), 2));
    drawCurve(plot.curve);
    // Each mark a ring around its point, with dashed lines to the axes that
    // stop at the ring (its middle shows the curve), and its text beside it.
    const TimeCurrentTexts texts = LayOutTimeCurrentTexts(plot, area, fm);
    for (std::size_t i = 0; i < plot.marks.size(); ++i) {
        const TimeCurrentMark& m = plot.marks[i];
        const QColor markColour{QRgb(m.rgb)};
        const QPointF at = MapToPicture(plot, area, m.amps, m.seconds);
        p.setPen(QPen(markColour, 1, Qt::DashLine));
        p.drawLine(QPointF(r.left(), at.y()), at - QPointF(kRing, 0));
        p.drawLine(QPointF(at.x(), r.bottom()), at + QPointF(0, kRing));
        p.setPen(QPen(markColour, 2));
        p.drawEllipse(at, kRing, kRing);
    }
    // The texts over the dashed lines, each on white so that a line under it
    // does not cross its letters; a text nearer another mark with a line to its own.
    for (std::size_t i = 0; i < plot.marks.size(); ++i) {
        const QRectF& box = texts.marks[i];
        const QColor markColour{QRgb(plot.marks[i].rgb)};
        if (texts.leaders[i]) {
            const QPointF at = MapToPicture(plot, area, plot.marks[i].amps, plot.marks[i].seconds);
            const QPointF from(std::clamp(at.x(), box.left(), box.right()), std::clamp(at.y(), box.top(), box.bottom()));
            QLineF leader(from, at);
            leader.setLength(std::max(0.0, leader.length() - kRing));
            p.setPen(QPen(markColour, 1));
            p.drawLine(leader);
        }
        p.fillRect(box, Qt::white);
        p.setPen(markColour);
        p.drawText(QPointF(box.left() + kTextPad, box.top() + fm.ascent()), plot.marks[i].text);
    }
    if (!texts.legend.isEmpty()) {
        const QRectF& box = texts.legend;
        p.setPen(QPen(QColor(0xb0b0b0), 0));
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.setPen(Qt::black);
        double y = box.top() + kTextPad + fm.ascent();
        for (const QString& line : texts.legendLines) {
            if (y > box.bottom()) break;
            p.drawText(QPointF(box.left() + kTextPad, y), line);
            y += fm.height();
        }
        for (qsizetype k = 0; k < texts.otherLines.size() && y <= box.bottom(); ++k) {
            p.setPen(QColor(QRgb(texts.otherRgbs[static_cast<std::size_t>(k)])));
            p.drawText(QPointF(box.left() + kTextPad, y), texts.otherLines[k]);
            y += fm.height();
        }
    }
    p.restore();
}

}  // namespace zentavo::render

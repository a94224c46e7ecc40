// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/time_current.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <variant>

#include "engine/number.h"

namespace zentavo::render {

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

QString Tr(const char* text) {
    return QCoreApplication::translate("TimeCurrent", text);
}

}  // namespace

TimeCurrentPlot MakeTimeCurrentPlot(const ProtectiveDevice& device,
                                    std::vector<TimeCurrentMark> marks) {
    TimeCurrentPlot plot;
    plot.marks = std::move(marks);
    plot.cap = device.MaxArcTime();

    // Where the device starts acting, found on a scan.
    double start = 0;
    const double step = std::pow(10.0, 1.0 / kSamplesPerDecade);
    for (double a = kScanFrom; a < kScanTo; a *= step) {
        if (device.TripAt(a).Operates()) {
            start = a;
            break;
        }
    }
    double lowest = start > 0 ? start : kScanTo, highest = start > 0 ? start * 30 : kScanFrom;
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

    // The samples: a fixed share of each decade and the marked currents exactly.
    std::vector<double> amps;
    const double decades = std::log10(plot.iMax / plot.iMin);
    const int n = static_cast<int>(std::lround(decades * kSamplesPerDecade));
    for (int i = 0; i <= n; ++i) amps.push_back(plot.iMin * std::pow(10.0, decades * i / n));
    for (const TimeCurrentMark& m : plot.marks) amps.push_back(m.amps);
    // A trip unit's long-time curve bends onto its floor, the instantaneous
    // clearing time, without another element taking over: a sample stands
    // where it bends, so the flat part starts where the curve meets it.
    if (const auto* unit = std::get_if<TripUnit>(&device.Device())) {
        const double bend = unit->LongTimeFloorAmps();
        if (bend > plot.iMin && bend < plot.iMax) amps.push_back(bend);
    }
    std::sort(amps.begin(), amps.end());

    std::vector<QPointF> piece;
    auto point = [&](double a) {
        const DeviceTrip t = device.TripAt(a);
        if (t.seconds > 0) fastest = std::min(fastest, t.seconds);
        piece.emplace_back(a, t.seconds);
    };
    auto endPiece = [&] {
        if (piece.size() >= 2) plot.curve.push_back(piece);
        piece.clear();
    };
    DeviceTrip before;
    double previous = 0;
    for (double a : amps) {
        const DeviceTrip now = device.TripAt(a);
        if (previous > 0 && now.element != before.element) {
            // A step: drawn upright at the current where it happens.
            const auto [lo, hi] = Edge(device, previous, a);
            if (before.Operates()) point(lo);
            if (!now.Operates()) endPiece();
            if (now.Operates()) point(hi);
        }
        if (now.Operates()) point(a);
        before = now;
        previous = a;
    }
    endPiece();
    plot.tMin = DecadeBelow(fastest);
    plot.tMax = DecadeAbove(slowest);
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

void PaintTimeCurrent(QPainter& p, const QRectF& area, const TimeCurrentPlot& plot, char sep) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(area, Qt::white);
    const QRectF r = PlotRect(area);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());

    // The grid: every decade and its steps, the decades darker and labelled.
    auto grid = [&](double from, double to, bool across) {
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
    const QString currentTitle = Tr("Current (A)");
    p.drawText(
        QPointF(r.right() - fm.horizontalAdvance(currentTitle), r.bottom() + 2 * fm.height() + 4),
        currentTitle);
    p.drawText(QPointF(area.left() + 4, r.top() - 8), Tr("Time (s)"));

    p.setClipRect(r);
    if (plot.cap) {
        p.setPen(QPen(QColor(0x707070), 1, Qt::DashLine));
        const double y = MapToPicture(plot, area, plot.iMin, *plot.cap).y();
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    p.setPen(QPen(QColor(QRgb(kCurveRgb)), 2));
    for (const std::vector<QPointF>& piece : plot.curve) {
        QPainterPath path;
        for (std::size_t i = 0; i < piece.size(); ++i) {
            const QPointF at = MapToPicture(plot, area, piece[i].x(), piece[i].y());
            if (i == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        p.drawPath(path);
    }
    // Each mark a ring around its point, with dashed lines to the axes that
    // stop at the ring (its middle shows the curve), and its text.
    constexpr double kRing = 5;
    const QColor markColour{QRgb(kMarkRgb)};
    for (std::size_t i = 0; i < plot.marks.size(); ++i) {
        const TimeCurrentMark& m = plot.marks[i];
        const QPointF at = MapToPicture(plot, area, m.amps, m.seconds);
        p.setPen(QPen(markColour, 1, Qt::DashLine));
        p.drawLine(QPointF(r.left(), at.y()), at - QPointF(kRing, 0));
        p.drawLine(QPointF(at.x(), r.bottom()), at + QPointF(0, kRing));
        p.setPen(QPen(markColour, 2));
        p.drawEllipse(at, kRing, kRing);
        const double w = fm.horizontalAdvance(m.text);
        const double x = std::min(at.x() + kRing + 3, r.right() - w - 2);
        // Above its ring, the next one's below, so that two close marks keep apart.
        const bool below = i % 2 == 1 || at.y() - kRing - 3 < r.top() + fm.height();
        const double y = below ? at.y() + kRing + fm.ascent() + 1 : at.y() - kRing - 3;
        p.drawText(QPointF(std::max(x, r.left() + 2), y), m.text);
    }
    p.restore();
}

}  // namespace zentavo::render

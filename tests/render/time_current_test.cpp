// SPDX-License-Identifier: GPL-3.0-or-later
// The time-current picture: the drawn curve passes through times worked
// out by hand for each kind of device, the marked arcing currents sit on it,
// and a point beside the curve is not painted as curve.
#include "render/time_current.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include "picture_tools.h"

using namespace zentavo;
using namespace zentavo::render;

namespace {

ProtectiveDevice Build(const DeviceSettings& s) {
    Built<ProtectiveDevice> b = MakeProtectiveDevice(s);
    if (!b.device) qFatal("%s", b.error.c_str());
    return *b.device;
}

ProtectiveDevice IecStandardInverse() {
    RelaySettings r;  // pickup 100 A, TMS 1, no breaker time: the curve alone
    r.curve = RelayCurve::IecSI;
    r.pickup = 100;
    r.timeDial = 1;
    r.breakerTime = 0;
    return Build({r, 1, kDefaultMaxArcTime});
}

ProtectiveDevice TripUnit100() {
    TripUnitSettings u;  // 100 A, LT 10 s at 600 A (11 s with the tolerance), INST above 1000 A
    u.rating = 100;
    u.ltPickup = 1;
    u.ltDelay = 10;
    u.instPickup = 10;
    return Build({u, 1, kDefaultMaxArcTime});
}

ProtectiveDevice Fuse() {
    const CurvePoint points[] = {{100, 300}, {200, 20}, {1000, 0.1}, {5000, 0.01}};
    return Build({*MakeFuseCurve(points, "fuse_curve").device, 1, std::nullopt});
}

}  // namespace

class TimeCurrentTest : public QObject {
    Q_OBJECT

private slots:
    void curveAndMarksMeetAtTheTimesWorkedOutByHand() {
        struct Row {
            const char* name;
            ProtectiveDevice device;
            double amps, seconds;  // a point of the curve, by hand
            double markAmps;       // an arcing current marked at the device's time
        };
        // IEC standard inverse, M = 10: 0.14 / (10^0.02 - 1) = 2.9706 s; flat above
        // M = 20. Trip unit: 10 s x (600 / 600)^2 x 1.1 at 6 Ir. Fuse: between
        // (200 A, 20 s) and (1000 A, 0.1 s) at the geometric mean 447.21 A the
        // geometric mean sqrt(2) s.
        // clang-format off
        const Row rows[] = {
            {"relay, inverse",        IecStandardInverse(), 1000,   2.9706, 3000},
            {"trip unit, long time",  TripUnit100(),        600,    11,     2500},
            {"trip unit, inst",       TripUnit100(),        2000,   0.05,   800},
            {"fuse, between points",  Fuse(),               447.21, 1.4142, 150},
            {"fuse, at a point",      Fuse(),               200,    20,     3000},
        };
        // clang-format on
        for (const Row& r : rows) {
            const DeviceTrip trip = r.device.TripAt(r.markAmps);
            const TimeCurrentPlot plot =
                MakeTimeCurrentPlot(r.device, {{r.markAmps, trip.seconds, true, "Iarc"}});
            QImage image(640, 420, QImage::Format_RGB32);
            image.fill(Qt::white);
            const QRectF area(0, 0, 640, 420);
            {
                QPainter p(&image);
                PaintTimeCurrent(p, area, plot);
            }
            const QPointF hand = MapToPicture(plot, area, r.amps, r.seconds);
            QVERIFY2(PaintedNear(image, hand, kCurveRgb), r.name);
            // Three times the time is well off the curve.
            QVERIFY2(
                !PaintedNear(image, MapToPicture(plot, area, r.amps, r.seconds * 3), kCurveRgb),
                r.name);
            // The mark: the curve in the middle of its ring.
            const QPointF mark = MapToPicture(plot, area, r.markAmps, trip.seconds);
            QVERIFY2(PaintedNear(image, mark, kCurveRgb), r.name);
            QVERIFY2(PaintedNear(image, mark + QPointF(5, 0), kMarkRgb), r.name);
            QVERIFY2(PlotRect(area).contains(mark), r.name);
        }
    }

    void tripUnitCurveIsFlatAtItsInstantaneousClearingTime() {
        // 100 A, LT 10 s (3.96E6 / I^2 s), no instantaneous element: the band
        // meets the 0.05 s floor at 600 sqrt(220) = 8899.44 A and stays
        // there; at 20 kA it alone would take 0.0099 s. Marked at 26.685 kA.
        TripUnitSettings u;
        u.rating = 100;
        u.ltPickup = 1;
        u.ltDelay = 10;
        const ProtectiveDevice unit = Build({u, 1, kDefaultMaxArcTime});
        const TimeCurrentPlot plot = MakeTimeCurrentPlot(unit, {{26685, 0.05, true, "Iarc"}});
        QCOMPARE(plot.tMin, 0.01);
        // A point of the curve where the band meets the floor; none below it.
        bool bend = false;
        for (const auto& piece : plot.curve) {
            for (const QPointF& at : piece) {
                QVERIFY2(at.y() >= 0.05, qPrintable(QString::number(at.x())));
                if (std::abs(at.x() - 8899.44) < 0.01) bend = std::abs(at.y() - 0.05) < 1e-6;
            }
        }
        QVERIFY(bend);
        QImage image(640, 420, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QRectF area(0, 0, 640, 420);
        {
            QPainter p(&image);
            PaintTimeCurrent(p, area, plot);
        }
        for (double amps : {8899.44, 12000.0, 20000.0, 60000.0}) {
            QVERIFY2(PaintedNear(image, MapToPicture(plot, area, amps, 0.05), kCurveRgb),
                     qPrintable(QString::number(amps)));
        }
        QVERIFY(!PaintedNear(image, MapToPicture(plot, area, 20000, 0.0099), kCurveRgb));
        // Below the bend the band itself: 3.96E6 / 4000^2 = 0.2475 s.
        QVERIFY(PaintedNear(image, MapToPicture(plot, area, 4000, 0.2475), kCurveRgb));
    }

    void axesAreWholeDecadesHoldingTheMarks() {
        // Marks at 50 A (capped: the fuse does not clear) and 20 kA.
        const TimeCurrentPlot plot =
            MakeTimeCurrentPlot(Fuse(), {{50, 2, false, "a"}, {20000, 0.01, true, "b"}});
        QCOMPARE(plot.iMin, 10.0);
        QCOMPARE(plot.iMax, 100000.0);
        QCOMPARE(plot.tMin, 0.01);
        QCOMPARE(plot.tMax, 1000.0);
        const QRectF area(0, 0, 500, 300);
        const QRectF r = PlotRect(area);
        QCOMPARE(MapToPicture(plot, area, 10, 0.01), r.bottomLeft());
        QCOMPARE(MapToPicture(plot, area, 100000, 1000), r.topRight());
        // One decade of five across, one of five up.
        QCOMPARE(MapToPicture(plot, area, 100, 0.1),
                 r.bottomLeft() + QPointF(r.width() / 4, -r.height() / 5));
    }

    void paintsOnAPdfPage() {
        QTemporaryDir dir;
        const QString path = dir.filePath("curve.pdf");
        {
            QPdfWriter pdf(path);
            QPainter p(&pdf);
            PaintTimeCurrent(p, QRectF(0, 0, 4000, 3000), MakeTimeCurrentPlot(Fuse(), {}));
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("%PDF"));
    }
};

QTEST_MAIN(TimeCurrentTest)
#include "time_current_test.moc"

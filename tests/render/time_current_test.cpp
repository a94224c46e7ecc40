// SPDX-License-Identifier: GPL-3.0-or-later
// The time-current picture: the drawn curve passes through times worked
// out by hand for each kind of device, the marked arcing currents sit on it,
// and a point beside the curve is not painted as curve.
#include "render/time_current.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "picture_tools.h"
#include "render/picture_file.h"

using namespace zentavo;
using namespace zentavo::render;

namespace {

ProtectiveDevice Build(const DeviceSettings& s) {
    Built<ProtectiveDevice> b = MakeProtectiveDevice(s);
    if (!b.device) qFatal("%s", b.refusal->message.c_str());
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

    // Each mark's text stands beside its own mark, never over another text,
    // a ring or (where there is room) the curve; the device's settings in a
    // legend in a free corner. The first case is the one that overprinted: a
    // relay whose instantaneous element clears the full arcing current
    // (0.05 + 0.083 s) and whose inverse curve clears the reduced one later.
    void markTextsStandBesideTheirOwnMarks() {
        RelaySettings r;
        r.curve = RelayCurve::IeeeVI;
        r.pickup = 1000;
        r.timeDial = 1;
        r.instPickup = 20000;
        r.instDelay = 0.05;
        const ProtectiveDevice relay = Build({r, 1, kDefaultMaxArcTime});
        const ProtectiveDevice unit = TripUnit100();
        struct Case {
            const char* name;
            const ProtectiveDevice& device;
            std::vector<double> amps;
            QStringList legend;
        };
        // clang-format off
        const Case cases[] = {
            {"reduced case slower, near the right edge", relay, {21000, 18000},       {"relay IEEE-VI", "pickup 1000 A", "time dial 1", "instantaneous 20000 A", "delay 0.05 s"}},
            {"both on the instantaneous step",           unit,  {1500, 1300},         {"trip-unit", "rating 100 A"}},
            {"three close marks on the long time",       unit,  {700, 650, 620},      {}},
        };
        // clang-format on
        QImage image(640, 420, QImage::Format_RGB32);
        QFont font;
        font.setPixelSize(11);
        const QFontMetricsF fm(font, &image);
        const QRectF area(0, 0, 640, 420);
        for (const Case& c : cases) {
            std::vector<TimeCurrentMark> marks;
            for (double a : c.amps) {
                const DeviceTrip t = c.device.TripAt(a);
                marks.push_back({a, t.seconds, true, QStringLiteral("Iarc: %1 s, instantaneous").arg(t.seconds)});
            }
            TimeCurrentPlot plot = MakeTimeCurrentPlot(c.device, marks);
            plot.legend = c.legend;
            const TimeCurrentTexts texts = LayOutTimeCurrentTexts(plot, area, fm);
            const std::vector<std::vector<QPointF>> curve = CurveInPicture(plot, area);
            std::vector<QRectF> boxes = texts.marks;
            if (!c.legend.isEmpty()) boxes.push_back(texts.legend);
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                const QString what = QString::fromLatin1(c.name) + QStringLiteral(", text %1").arg(i);
                QVERIFY2(PlotRect(area).contains(boxes[i]), qPrintable(what));
                for (std::size_t k = i + 1; k < boxes.size(); ++k) QVERIFY2(!boxes[i].intersects(boxes[k]), qPrintable(what));
                for (const std::vector<QPointF>& piece : curve) {
                    for (std::size_t p = 1; p < piece.size(); ++p) {
                        const QLineF segment(piece[p - 1], piece[p]);
                        // Sampled finely: a segment crossing the box has a point in it.
                        for (int f = 0; f <= 20; ++f) QVERIFY2(!boxes[i].contains(segment.pointAt(f / 20.0)), qPrintable(what + " crosses the curve"));
                    }
                }
                for (std::size_t m = 0; m < plot.marks.size(); ++m) {
                    const QPointF ring = MapToPicture(plot, area, plot.marks[m].amps, plot.marks[m].seconds);
                    QVERIFY2(!boxes[i].intersects(QRectF(ring - QPointF(5, 5), QSizeF(10, 10))), qPrintable(what + " covers a ring"));
                }
            }
            auto distance = [](const QRectF& box, const QPointF& p) {
                const double dx = std::max({box.left() - p.x(), 0.0, p.x() - box.right()});
                const double dy = std::max({box.top() - p.y(), 0.0, p.y() - box.bottom()});
                return std::hypot(dx, dy);
            };
            for (std::size_t i = 0; i < texts.marks.size(); ++i) {
                const QPointF own = MapToPicture(plot, area, plot.marks[i].amps, plot.marks[i].seconds);
                for (std::size_t k = 0; k < texts.marks.size(); ++k) {
                    if (k == i) continue;
                    const QPointF other = MapToPicture(plot, area, plot.marks[k].amps, plot.marks[k].seconds);
                    QVERIFY2(distance(texts.marks[i], own) < distance(texts.marks[i], other),
                             qPrintable(QString::fromLatin1(c.name) + ": a text nearer another mark"));
                }
            }
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

    // Several devices on one picture: each curve passes through its own
    // device's times worked out by hand, in its own colour, with its marks
    // in that colour; the axes hold both pickups; the texts keep off both
    // curves. A definite-time relay (100 A, 0.5 s, breaker 0.05 s) clears
    // anything above its pickup in 0.55 s; an IEC standard inverse one
    // (1000 A, TMS 0.1, no breaker time) takes 0.1 x 0.14 / (10^0.02 - 1) =
    // 0.29706 s at 10 kA and 0.1 x 0.14 / (5^0.02 - 1) = 0.42797 s at 5 kA.
    void severalDevicesShareTheAxesEachInItsColour() {
        RelaySettings dt;
        dt.curve = RelayCurve::DT;
        dt.pickup = 100;
        dt.timeDial = 0.5;
        dt.breakerTime = 0.05;
        RelaySettings si;
        si.curve = RelayCurve::IecSI;
        si.pickup = 1000;
        si.timeDial = 0.1;
        si.breakerTime = 0;
        const ProtectiveDevice a = Build({dt, 1, kDefaultMaxArcTime}), b = Build({si, 1, kDefaultMaxArcTime});
        const TimeCurrentPlot plot = MakeCoordinationPlot({{&a, "Feeder", {{2000, 0.55, true, "Feeder, Iarc"}}},
                                                           {&b, "Main", {{10000, 0.29706, true, "Main, Iarc"}}}});
        QCOMPARE(plot.iMin, 100.0);
        QCOMPARE(plot.iMax, 100000.0);
        QCOMPARE(int(plot.others.size()), 2);
        QCOMPARE(plot.others[1].name, QString("Main"));
        QImage image(640, 420, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QRectF whole(0, 0, 640, 420);
        {
            QPainter p(&image);
            PaintTimeCurrent(p, whole, plot);
        }
        // The axes above the table of the devices' names.
        const QFont font = TimeCurrentFont(QFont());
        const TimeCurrentTable table =
            LayOutTimeCurrentTable(plot, whole, QFontMetricsF(font, &image));
        QCOMPARE(table.lines, QStringList({"— Feeder", "— Main"}));
        QVERIFY(table.axes.bottom() <= table.box.top() && table.box.bottom() <= whole.bottom());
        const QRectF area = table.axes;
        struct Row {
            std::size_t device;
            double amps, seconds;  // by hand
            bool marked;
        };
        // clang-format off
        const Row rows[] = {
            {0, 2000,  0.55,    true},
            {0, 50000, 0.55,    false},
            {1, 10000, 0.29706, true},
            {1, 5000,  0.42797, false},
        };
        // clang-format on
        for (const Row& r : rows) {
            const QString what = QStringLiteral("device %1 at %2 A").arg(r.device).arg(r.amps);
            const QPointF at = MapToPicture(plot, area, r.amps, r.seconds);
            QVERIFY2(PaintedNear(image, at, CoordinationRgb(r.device)), qPrintable(what));
            QVERIFY2(!PaintedNear(image, at, CoordinationRgb(1 - r.device)), qPrintable(what));
            // Its mark's ring, above the point, in the device's colour and not the single picture's red.
            if (r.marked) {
                QVERIFY2(PaintedNear(image, at - QPointF(0, 5), CoordinationRgb(r.device)), qPrintable(what));
                QVERIFY2(!PaintedNear(image, at - QPointF(0, 5), kMarkRgb), qPrintable(what));
            }
        }
        // The marks' texts cross neither curve.
        const TimeCurrentTexts texts = LayOutTimeCurrentTexts(plot, area, QFontMetricsF(font, &image));
        for (const TimeCurrentCurve& curve : plot.others) {
            for (const auto& piece : curve.curve) {
                for (std::size_t p = 1; p < piece.size(); ++p) {
                    const QLineF segment(MapToPicture(plot, area, piece[p - 1].x(), piece[p - 1].y()),
                                         MapToPicture(plot, area, piece[p].x(), piece[p].y()));
                    for (const QRectF& box : texts.marks) {
                        for (int f = 0; f <= 20; ++f) QVERIFY2(!box.contains(segment.pointAt(f / 20.0)), qPrintable(curve.name));
                    }
                }
            }
        }
    }

    // The maximum arc duration's dashed line stands only where it is every device's.
    void aSharedPictureHasTheMaximumItsDevicesShare() {
        RelaySettings r;
        r.pickup = 100;
        r.timeDial = 0.1;
        const ProtectiveDevice two = Build({r, 1, 2.0}), other = Build({r, 1, 1.5}), none = Build({r, 1, std::nullopt});
        struct Case {
            const ProtectiveDevice *first, *second;
            std::optional<double> cap;
        };
        const Case cases[] = {{&two, &two, 2.0}, {&two, &other, std::nullopt}, {&two, &none, std::nullopt}, {&none, &two, std::nullopt}};
        for (const Case& c : cases) QCOMPARE(MakeCoordinationPlot({{c.first, "a"}, {c.second, "b"}}).cap, c.cap);
    }

    // A device that sees none of the arc's current (a fault on its line
    // side): its mark has no place on the logarithmic axis and is left
    // out, the axes those of the device (a mark at 0 A once made them
    // start at 0, and the grid's decades never ended).
    void aMarkAtNoCurrentIsLeftOut() {
        const std::vector<TimeCurrentMark> marks{{0, 2, false, "Iarc"}, {500, 15.84, true, "Iarc,min"}};
        const ProtectiveDevice unit = TripUnit100();
        const TimeCurrentPlot one = MakeTimeCurrentPlot(unit, marks);
        const TimeCurrentPlot several = MakeCoordinationPlot({{&unit, "a", marks}});
        for (const TimeCurrentPlot* plot : {&one, &several}) {
            QCOMPARE(int(plot->marks.size()), 1);
            QCOMPARE(plot->marks[0].text, QString("Iarc,min"));
            QCOMPARE(plot->iMin, 100.0);  // the trip unit's pickup, 100 A
            QImage image(640, 420, QImage::Format_RGB32);
            QPainter p(&image);
            PaintTimeCurrent(p, QRectF(0, 0, 640, 420), *plot);
        }
    }

    // A 13.8 kV relay and a 480 V trip unit on one picture at 480 V: the
    // relay's curve stands at 13800 / 480 = 28.75 times its own currents (IEC
    // SI, 100 A, TMS 1 at 1000 A: 0.14 / (10^0.02 - 1) = 2.9706 s, drawn at
    // 28 750 A); a long setting is broken over lines of the table under the
    // axes, never cut; and the SVG file holds no curve outside the frame,
    // though the relay's curve rises past the top decade near its pickup.
    void aPictureAcrossVoltagesKeepsToItsFrame() {
        const ProtectiveDevice relay = IecStandardInverse(), unit = TripUnit100();
        const QString longName = QStringLiteral(
            "SWGR-1 feeder F2: relay IEC-SI, pickup 100 A, time dial 1, instantaneous 20000 A, "
            "delay 0.05 s, "
            "breaker 0.083 s, maximum arc time 2 s, share 100 %");
        const TimeCurrentPlot plot =
            MakeCoordinationPlot({{&relay, longName, {}, 13800.0 / 480}, {&unit, "MCC-1", {}}});
        bool abovePicture = false;
        for (const auto& piece : plot.others[0].curve) {
            for (const QPointF& at : piece) abovePicture = abovePicture || at.y() > plot.tMax;
        }
        QVERIFY(abovePicture);

        QImage image(640, 420, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QRectF whole(0, 0, 640, 420);
        {
            QPainter p(&image);
            PaintTimeCurrent(p, whole, plot);
        }
        const QFontMetricsF fm(TimeCurrentFont(QFont()), &image);
        const TimeCurrentTable table = LayOutTimeCurrentTable(plot, whole, fm);
        QVERIFY(table.lines.size() > 2);
        QCOMPARE(table.lines.join(' '),
                 QStringLiteral("— ") + longName + QStringLiteral(" — MCC-1"));
        for (const QString& line : table.lines)
            QVERIFY2(fm.horizontalAdvance(line) <= table.box.width(), qPrintable(line));
        QVERIFY(whole.contains(table.box));
        QVERIFY(
            PaintedNear(image, MapToPicture(plot, table.axes, 28750, 2.9706), CoordinationRgb(0)));
        QVERIFY(
            !PaintedNear(image, MapToPicture(plot, table.axes, 1000, 2.9706), CoordinationRgb(0)));

        // The SVG: every point of the curves' paths inside the frame, as the file maps it.
        QTemporaryDir dir;
        const QString path = dir.filePath("curves.svg");
        QCOMPARE(SaveTimeCurrentPicture(path, plot, PictureFormat::Svg, '.', "curves").outcome,
                 StudyExportResult::kWritten);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        const double scale = kTimeCurrentPictureSize.width() / 640.0;
        const QRectF laidOut(QPointF(0, 0), QSizeF(kTimeCurrentPictureSize) / scale);
        const QRectF frame =
            PlotRect(LayOutTimeCurrentTable(plot, laidOut, fm).axes).adjusted(-0.5, -0.5, 0.5, 0.5);
        static const QRegularExpression number(QStringLiteral("-?[0-9.]+(e-?[0-9]+)?"));
        const QString colours[] = {QColor(QRgb(CoordinationRgb(0))).name(),
                                   QColor(QRgb(CoordinationRgb(1))).name()};
        QTransform transform;
        int points = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == QLatin1String("g")) {
                QList<double> m;
                for (const auto& n : number.globalMatch(a.value("transform").toString()))
                    m << n.captured().toDouble();
                transform =
                    m.size() == 6 ? QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) : QTransform();
                if (!std::count(std::begin(colours), std::end(colours),
                                a.value("stroke").toString()))
                    transform = {};
                continue;
            }
            if (xml.name() != QLatin1String("path") || transform.isIdentity()) continue;
            QList<double> d;
            for (const auto& n : number.globalMatch(a.value("d").toString()))
                d << n.captured().toDouble();
            for (qsizetype k = 0; k + 1 < d.size(); k += 2) {
                const QPointF at = transform.map(QPointF(d[k], d[k + 1])) / scale;
                ++points;
                QVERIFY2(frame.contains(at),
                         qPrintable(QStringLiteral("%1, %2 outside").arg(at.x()).arg(at.y())));
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(points > 100);
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

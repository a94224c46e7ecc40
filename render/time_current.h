// SPDX-License-Identifier: GPL-3.0-or-later
// The time-current picture of a protective device: its clearing time
// against the current it sees on log-log axes (current in A across, time in
// s up, whole decades, each labelled), with the arcing currents of a point
// marked where the device acts on them and the times read off. Painted with
// QPainter on any paint device: the 2018 window, a PDF page, a picture.
#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "engine/protection.h"

class QFontMetricsF;
class QPainter;

namespace zentavo::render {

// The picture's colours: the curve's and the marks', so that a test can find them.
inline constexpr unsigned kCurveRgb = 0x1f4fbf;
inline constexpr unsigned kMarkRgb = 0xd01010;
// The colour of the k-th other device's curve (TimeCurrentPlot::others).
constexpr unsigned OtherCurveRgb(std::size_t k) {
    constexpr unsigned kColours[] = {0x2a9d3a, 0xc07a00, 0x8a3fb0, 0x008a94, 0x6b6b6b};
    return kColours[k % std::size(kColours)];
}
// The colour of the k-th device of a picture of several (MakeCoordinationPlot):
// the first in the curve's own colour, the next in the others'.
constexpr unsigned CoordinationRgb(std::size_t k) { return k == 0 ? kCurveRgb : OtherCurveRgb(k - 1); }

// A mark's ring's radius, and the room between a text and its box's edge.
inline constexpr double kMarkRingRadius = 5, kTextPadding = 2;

// An arcing current marked on the picture.
struct TimeCurrentMark {
    double amps = 0;      // the current the device sees, A
    double seconds = 0;   // the device's time there, or the maximum when it does not act
    bool onCurve = true;  // false: the device does not act; the mark stands on the cap line
    QString text;         // "Iarc: 0.0613 s, instantaneous"
    unsigned rgb = kMarkRgb;  // its ring, lines and text
};

// A mark's text, in the window and in a study's report alike: the arcing
// current's name, the duration used and the element that gave it
// ("Iarc: 0.0613 s, instantaneous"), the element in the words of the place.
QString MarkText(const QString& name, double seconds, const QString& element, char sep);

// A voltage as the current axis's title names it, in V: "480", "13800", "0.5".
QString VoltsText(double volts, char sep);

// Another device's curve on the picture (the devices that open in a point's
// arc steps), drawn in a colour of its own and named in the legend.
struct TimeCurrentCurve {
    std::vector<std::vector<QPointF>> curve;  // as TimeCurrentPlot::curve
    QString name;
    unsigned rgb = OtherCurveRgb(0);  // its line and its name in the legend
};
// A device to draw beside the point's own, with its name; in a picture of
// several devices (MakeCoordinationPlot), with its own marks.
// Its currents (the curve's and its marks') are drawn at `scale` times what
// the device sees: its row's voltage over the picture's reference voltage,
// so that devices on both sides of a transformer share one current axis.
struct TimeCurrentDevice {
    const ProtectiveDevice* device = nullptr;
    QString name;
    std::vector<TimeCurrentMark> marks{};
    double scale = 1;
};

// What the picture shows, in amperes and seconds.
struct TimeCurrentPlot {
    // The curve as a polyline in (A, s), in pieces: a piece ends where the
    // device stops acting. A step (an instantaneous element picking up)
    // is a vertical segment at the current where it picks up.
    std::vector<std::vector<QPointF>> curve;
    std::vector<TimeCurrentMark> marks;
    std::vector<TimeCurrentCurve> others;  // other devices' curves, under the point's own
    // Several devices as equals (MakeCoordinationPlot): no curve of the
    // picture's own, every device in `others`; the texts keep off all their
    // curves, where a picture of one device's keeps off its own only.
    bool coordination = false;
    std::optional<double> cap;  // the maximum arc duration, s: a dashed line
    // The voltage the currents are drawn at (a picture of several devices
    // across voltages), which the current axis's title names; none: each
    // device's own currents.
    std::optional<double> referenceVolts;
    // The axes, whole decades.
    double iMin = 1, iMax = 1e5, tMin = 0.01, tMax = 1000;
    // The device and its settings, a line each, in a box in a corner of the
    // picture ("Relay IEC-SI", "pickup 400 A", ...); none: no box. In a
    // picture of several devices, the lines close the table under the axes.
    QStringList legend;
    // The axes' titles: English, as the report has them; the windows give
    // theirs in the interface's language.
    QString currentTitle = QStringLiteral("Current (A)"), timeTitle = QStringLiteral("Time (s)");
};

// The device's curve over axes that hold its pickup and every mark, with
// the curves of `others` over the same axes (which hold their pickups too).
// The device's currents (its curve's and its marks') are drawn at `scale`
// times what it sees, each of `others`' at its own `scale` times: devices
// on both sides of a transformer on one current axis. A mark at no current
// (a device that sees none of the arc's current) has no place on the
// logarithmic axis: it is left out.
TimeCurrentPlot MakeTimeCurrentPlot(const ProtectiveDevice& device,
                                    std::vector<TimeCurrentMark> marks,
                                    const std::vector<TimeCurrentDevice>& others = {},
                                    double scale = 1);

// Several devices over one pair of axes, for a first look at their
// coordination: the k-th device's curve, its marks (their rings, lines and
// texts) and its name in the table under the axes in CoordinationRgb(k),
// each curve drawn through its own marks' currents, its currents times its
// `scale`. The maximum arc duration's dashed line
// stands where every device has the same maximum, none otherwise. Marks at
// no current are left out, as above.
TimeCurrentPlot MakeCoordinationPlot(const std::vector<TimeCurrentDevice>& devices);

// Where the axes stand in a picture of `area`: the room left for the
// labels taken off.
QRectF PlotRect(const QRectF& area);

// The point of the picture of `area` for a current and a time (a pure
// function of the axes): the curve, the marks and the grid all go through it.
QPointF MapToPicture(const TimeCurrentPlot& plot, const QRectF& area, double amps, double seconds);

// Where the texts of a picture of `area` stand, each a rectangle inside the
// axes: every mark's text beside its own mark (nearer to it than to any
// other, or else joined to it by a leader line), the legend in a corner. No two overlap, none covers a mark's ring,
// and none crosses the curve where a place beside it is free of it.
struct TimeCurrentTexts {
    std::vector<QRectF> marks;  // by mark, the box its text is drawn in
    // By mark: no free place beside it is nearer to it than to another mark
    // (two marks side by side at one time, say), and a thin line joins its
    // text to its ring.
    std::vector<bool> leaders;
    QRectF legend;              // empty without a legend
    QStringList legendLines;    // the legend's lines, a long one broken between words
    QStringList otherLines;     // then the other devices' names, broken alike
    std::vector<unsigned> otherRgbs;  // by line of otherLines, its curve's colour
};
TimeCurrentTexts LayOutTimeCurrentTexts(const TimeCurrentPlot& plot, const QRectF& area,
                                        const QFontMetricsF& metrics);

// The table under the axes of a picture of several devices: each device's
// name and settings in its curve's colour, then the legend's lines, each
// broken between words to the table's width and never cut. `axes` is the
// part of `area` above it, where the axes, marks and texts stand
// (MapToPicture and LayOutTimeCurrentTexts hold for it); the whole area and
// no table for a picture of one device.
struct TimeCurrentTable {
    QRectF axes;
    QRectF box;  // empty without a table
    QStringList lines;
    std::vector<unsigned> rgbs;  // by line, its colour
};
TimeCurrentTable LayOutTimeCurrentTable(const TimeCurrentPlot& plot, const QRectF& area,
                                        const QFontMetricsF& metrics);
// The font the picture's texts are written in, on `base`'s family.
QFont TimeCurrentFont(QFont base);
// The curve as drawn in a picture of `area`: its pieces in the picture's coordinates.
std::vector<std::vector<QPointF>> CurveInPicture(const TimeCurrentPlot& plot, const QRectF& area);

// Paints the picture into `area` of any paint device; `sep` writes the
// decimal separator of the labels. Nothing is painted outside the axes'
// frame but the labels and the table: the curves are cut at the frame
// point by point (an SVG file keeps no clip). An area wider than a window's picture
// (640 units, a PDF page's in its fine units) gets the picture scaled up whole:
// MapToPicture and LayOutTimeCurrentTexts then hold for the area shrunk by
// that scale.
void PaintTimeCurrent(QPainter& painter, const QRectF& area, const TimeCurrentPlot& plot,
                      char sep = '.');

}  // namespace zentavo::render

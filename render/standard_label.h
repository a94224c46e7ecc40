// SPDX-License-Identifier: GPL-3.0-or-later
// Lays out and paints a label after NFPA 70E or CSA Z462 (label/standard.h)
// on its page: the signal-word panel with the safety-alert symbol, the
// hazard statement, the equipment name on up to two lines, the arc flash
// rows, the PPE, the shock rows and the footer. One body size is chosen for
// the page, the largest that holds everything; no text is smaller than 6 pt
// and every text keeps clear of the rules and the panel.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <vector>

#include "label/standard.h"

class QIODevice;
class QPainter;
class QPageLayout;

namespace zentavo::render {

// The layout's unit: a tenth of a point, 720 to the inch.
inline constexpr double kUnitsPerInch = 720;
// The smallest text on a label, in points.
inline constexpr double kSmallestLabelPoints = 6;

struct PlacedText {
    QString text;
    QFont font;         // its pixel size in layout units
    QPointF baseline;   // where the text starts, on its baseline
    QRectF box;         // what it covers: its advance across, its line's ascent and descent
    QColor colour;
};

// A filled rectangle: the signal panel, a rule, the frame's sides.
struct PlacedFill {
    QRectF rect;
    QColor colour;
    bool rule = false;  // a rule or the frame, which texts keep clear of
};

struct StandardLabelLayout {
    QSizeF page;  // in layout units
    std::vector<PlacedFill> fills;
    QPainterPath alertTriangle, alertMark;  // the safety-alert symbol
    QColor triangleColour, markColour;
    std::vector<PlacedText> texts;
    double bodyPoints = 0;  // the size the rows were set in
    bool nameCut = false;   // the name did not fit on two lines and ends in "…"
    bool fits = true;       // everything stands on the page; false: it would not at 6 pt
};

StandardLabelLayout LayOutStandardLabel(const StandardLabel& label);

// Paints the layout scaled to `target` (the page, in the device's coordinates).
void PaintStandardLabel(QPainter& painter, const StandardLabelLayout& layout, const QRectF& target);

// The label as a picture at `dotsPerInch` (the preview and the BMP and JPEG
// files: 150 dpi gives 900 x 600 pixels on a 6 x 4 in label).
QImage StandardLabelImage(const StandardLabel& label, int dotsPerInch = 150);

// The label's page, landscape where it is wider than high, edge to edge.
QPageLayout StandardLabelPageLayout(LabelPageSize size);

// Writes a PDF of one label page per label; `next` gives them in order and
// nullptr after the last; `laidOut` (where given) is shown each label's
// layout before it is painted. Returns the pages written; a device that
// fails, or a label that does not fit its page even at 6 pt (a label with
// a part missing is never written), raises std::runtime_error.
int WriteStandardLabelPdf(QIODevice& out, const std::function<const StandardLabel*()>& next,
                          const std::function<void(const StandardLabelLayout&)>& laidOut = {});

}  // namespace zentavo::render

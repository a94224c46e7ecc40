// SPDX-License-Identifier: GPL-3.0-or-later
// Paints a finished warning label onto any paint device: a 668 x 464 picture
// for BMP and JPEG files, a PDF page, a printer page or the preview window.
// All of them draw through PaintLabel, so they show the same label.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPdfWriter>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "label/sheet.h"

class QIODevice;
class QPageLayout;
class QPainter;

namespace zentavo::render {

// The saved label picture, in label pixels. The label panel, whose
// coordinates the layout uses, stands at kPanelOrigin in it.
inline constexpr int kLabelWidth = 668;
inline constexpr int kLabelHeight = 464;
inline constexpr QPoint kPanelOrigin(16, 4);
// The background picture on the panel.
inline constexpr QRect kPictureOnPanel(5, -1, 623, 453);
// The white label panel; it hides what reaches beyond it.
inline constexpr QSize kPanelSize(651, 456);

// The inside of the picture's black frame, in label pixels: every text
// stays within it.
QRectF FrameInside();

// The label's typeface at a size in label pixels.
QFont LabelFont(int pixelSize, bool bold);
// A size in points of the layout in label pixels (96 per inch).
int PixelSizeOf(int points);

// One text as the label draws it.
struct DrawnText {
    std::string slot;
    QString text;
    QFont font;     // at the layout's size, or the largest smaller size that fits
    int layoutPixelSize;
    QRect rect;     // in label pixels: the text stands at its left, centred in its height
    QColor color;
    QRectF box;     // what the text covers, in label pixels
    qreal roomRight;  // the frame, or the next text on the same line
};

// Every visible, non-empty text of the sheet, sized to its room.
std::vector<DrawnText> LabelTexts(const LabelSheet& sheet);

// The background picture 0..5 decoded at `size` device pixels, or at its
// full resolution when `size` is empty.
QImage LabelPicture(int index, QSize size = QSize());

// Paints the label in label pixels, (0, 0) to (668, 464), with `picture` in
// the picture's place (a null image leaves the panel white).
void PaintLabel(QPainter& painter, const LabelSheet& sheet, const QImage& picture);
// The same, scaled to fit `page` and centred in it.
void PaintLabelPage(QPainter& painter, const LabelSheet& sheet, const QImage& picture, const QRectF& page);

// The label as saved in a BMP or JPEG file: 668 x 464 pixels, 24 bits each.
QImage LabelImage(const LabelSheet& sheet);

// Label stock of 6 x 4 inches, landscape, printed edge to edge.
QPageLayout LabelPageLayout();

// Writes a PDF with one label page per sheet; `next` gives the sheets in
// order and returns nullptr after the last. Text stays text, pictures go in
// at full resolution, each once however many pages show it. Returns the
// number of pages; a device that fails raises std::runtime_error, too little
// memory std::bad_alloc (see PaintOrLetGo).
int WriteLabelPdf(QIODevice& out, const std::function<const LabelSheet*()>& next);

// Runs `paint` with a painter and, where given, the PDF writer it paints on,
// both held here. Too little memory (std::bad_alloc) is passed on without
// ending the painter: ending it writes the rest of the PDF, which needs
// memory again, and a second failure while the first unwinds ends the
// program. The two are let go unfreed instead (what they hold is lost, and
// so is the unfinished PDF: the caller's replacing write removes its file).
template <class Paint>
auto PaintOrLetGo(std::unique_ptr<QPainter>& painter, std::unique_ptr<QPdfWriter>& writer, Paint&& paint) {
    try {
        return paint();
    } catch (const std::bad_alloc&) {
        (void)painter.release();
        (void)writer.release();
        throw;
    }
}

}  // namespace zentavo::render

// SPDX-License-Identifier: GPL-3.0-or-later
// Paints a one-line diagram (oneline/layout.h) on any paint device: the
// study window's view, a page of the study report, an SVG file. The
// painter's coordinates are the layout's points; the caller sets the
// transform that puts them on its device (the window's zoom, the report's
// sheets). Texts are made here from the diagram's numbers (oneline::BusNote).
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "engine/units.h"
#include "oneline/diagram.h"
#include "oneline/layout.h"
#include "render/study_pdf.h"

class QIODevice;
class QPainter;
class QPaintDevice;

namespace zentavo::render {

struct OneLineStyle {
    UnitSettings units;  // the energies' unit
    char sep = '.';
    oneline::NoteWords words;       // the notes' words, in the picture's language
    std::vector<bool> highlighted;  // by bus: marked (the buses of the window's selected rows)
    QString caption;                // over the picture, in its top margin; empty: none
};

// The caption of a study's one-line: "One-line diagram, scenario normal"
// (without a scenario for a study without them).
QString OneLineCaption(const oneline::Diagram& diagram);

// Paints the diagram at the layout's places. Only what meets `visible` (in
// the layout's points; null: all) is painted. Where the painter's scale
// makes the notes' letters smaller than kLeastNoteLetters pixels (too
// small to read), the notes and elements are drawn without their text.
inline constexpr double kLeastNoteLetters = 5;
void PaintOneLine(QPainter& painter, const oneline::Diagram& diagram, const oneline::Layout& layout,
                  const OneLineStyle& style, const QRectF* visible = nullptr);

// The one-line as an SVG document: the layout's points as the SVG's user
// units, the caption in its top margin and as its title.
void WriteOneLineSvg(QIODevice& out, const oneline::Diagram& diagram, const oneline::Layout& layout,
                     const OneLineStyle& style);
// The same into the file `path`, replaced only when whole (a study's own
// file is refused by the caller). kNothingToWrite for a diagram without a bus.
StudyExportResult SaveOneLineSvg(const QString& path, const oneline::Diagram& diagram,
                                 const OneLineStyle& style);

// The letters of the buses' notes, points of the layout.
inline constexpr double kNoteLetters = 8.2;
// The one-line cut into sheets of one page each, at a scale at which its
// notes stay readable (their letters kReadableLettersMm high on paper at
// least: kReadableScale of the layout's size; at most the layout's own
// size): as few sheets as that scale allows, then the largest scale that
// keeps them that few. The layout is the one that needs the fewest: each
// bus's branches side by side, or wrapped into rows (LayOut's `columns`) no
// wider than one sheet across, two, ... up to kMostSheetsAcross; side by
// side where that needs no more. The cuts run between columns and between layers
// (Layout::breaks), so that no note is cut; a part of the picture with
// nothing in it (beside a narrow branch of a wide plant) is no sheet.
inline constexpr double kReadableLettersMm = 1.8;
inline constexpr double kReadableScale = kReadableLettersMm / (kNoteLetters * 25.4 / 72);
class OneLineSheets {
public:
    // `room`: a page's room for the picture and its caption, in points.
    OneLineSheets(std::shared_ptr<const oneline::Diagram> diagram, QSizeF room);
    std::size_t size() const { return parts_.size(); }
    double scale() const { return scale_; }
    // The layout the sheets cut.
    const oneline::Layout& layout() const { return layout_; }
    // The part of the layout (its points) on a sheet, row by row.
    QRectF Part(std::size_t sheet) const;
    // Paints a sheet into `target` (the painter's own units, `unitsPerPoint`
    // of them a point): its caption ("…, sheet 2 of 6") on its first line,
    // its part of the picture under it.
    void Paint(QPainter& painter, std::size_t sheet, const QRectF& target, double unitsPerPoint,
               const OneLineStyle& style) const;
    // The caption's line over each sheet, points.
    static constexpr double kCaptionHeight = 16;

private:
    // The most sheets across a layout wrapped to be narrower is tried with.
    static constexpr std::size_t kMostSheetsAcross = 4;
    // The parts of `layout` (`drawn`: what is drawn of it) that hold
    // something drawn at `scale` on sheets of `room` (points, under the
    // caption), row by row.
    static std::vector<QRectF> Parts(const oneline::Layout& layout,
                                     const std::vector<QRectF>& drawn, QSizeF room, double scale);
    // The parts along one side at `scale`: each from a cut to the next,
    // as many whole steps between cuts as fit in `room` (at least one).
    static std::vector<std::pair<double, double>> Cut(const std::vector<double>& cuts, double room,
                                                      double scale);

    std::shared_ptr<const oneline::Diagram> diagram_;
    oneline::Layout layout_;
    double scale_ = 1;
    std::vector<QRectF> parts_;  // the sheets' parts, row by row
};

}  // namespace zentavo::render

// SPDX-License-Identifier: GPL-3.0-or-later
// The time-current picture as a file of its own: a PNG of a fixed size or
// an SVG, written whole through the replacing write (a failed write leaves
// the old file as it was).
#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "render/study_pdf.h"
#include "render/time_current.h"

namespace zentavo::render {

enum class PictureFormat { Png, Svg };

// The format a file's name asks for by its extension, in any case (".png",
// ".svg"); none for any other name.
std::optional<PictureFormat> PictureFormatOf(const QString& path);

// The picture's size in its file: the PNG's pixels, the SVG's own units.
inline constexpr QSize kTimeCurrentPictureSize{1200, 800};

// Paints `plot` (its labels with `sep`) on a white ground of
// kTimeCurrentPictureSize and writes it into `path` as `format`, replacing
// the file only when whole; `title` is the SVG's title. A study's own file
// is refused by the caller.
StudyExportResult SaveTimeCurrentPicture(const QString& path, const TimeCurrentPlot& plot, PictureFormat format,
                                         char sep, const QString& title);

}  // namespace zentavo::render

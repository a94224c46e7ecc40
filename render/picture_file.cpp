// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/picture_file.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <stdexcept>

#include "render/pdf_file.h"

namespace zentavo::render {

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return PictureFormat::Png;
    if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
    return std::nullopt;
}

StudyExportResult SaveTimeCurrentPicture(const QString& path, const TimeCurrentPlot& plot, PictureFormat format,
                                         char sep, const QString& title) {
    const QRectF area(QPointF(0, 0), QSizeF(kTimeCurrentPictureSize));
    return SaveThrough(path, false, [&](QIODevice& out) {
        if (format == PictureFormat::Png) {
            QImage image(kTimeCurrentPictureSize, QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                PaintTimeCurrent(painter, area, plot, sep);
            }
            if (!image.save(&out, "PNG")) throw std::runtime_error("The PNG picture could not be written.");
            return 1;
        }
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(kTimeCurrentPictureSize);
        svg.setViewBox(area);
        svg.setTitle(title);
        svg.setDescription(QStringLiteral("Zentavo"));
        QPainter painter;
        if (!painter.begin(&svg)) throw std::runtime_error("The SVG picture could not be written.");
        PaintTimeCurrent(painter, area, plot, sep);
        if (!painter.end()) throw std::runtime_error("The SVG picture could not be written.");
        return 1;
    });
}

}  // namespace zentavo::render

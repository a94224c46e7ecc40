// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the one-line diagram of a network study as a PNG picture, as the
// study window and the report draw it: the picture of the plant example on
// the docs page and in the README.
//   QT_QPA_PLATFORM=offscreen build/tools/one_line_picture examples/plant-network.csv docs/one-line.png [SCALE]
// SCALE: pixels a point of the layout (default 1.25, where the notes read well).
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "oneline/diagram.h"
#include "oneline/layout.h"
#include "render/one_line_painter.h"
#include "study/study_file.h"

int main(int argc, char** argv) {
    QGuiApplication qt(argc, argv);
    if (argc < 3) {
        std::fputs("usage: one_line_picture STUDY.csv OUTPUT.png [SCALE]\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const double scale = argc > 3 ? std::atof(argv[3]) : 1.25;
    const zentavo::StudyFile file = zentavo::StudyFile::Parse(in.readAll().toStdString(), zentavo::StudyOptions{});
    const zentavo::oneline::Diagram diagram = zentavo::oneline::StudyDiagram(file);
    const zentavo::oneline::Layout layout = zentavo::oneline::LayOut(diagram);
    QImage image(static_cast<int>(std::ceil(layout.width * scale)), static_cast<int>(std::ceil(layout.height * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        zentavo::render::OneLineStyle style;
        style.caption = zentavo::render::OneLineCaption(diagram);
        zentavo::render::PaintOneLine(painter, diagram, layout, style);
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

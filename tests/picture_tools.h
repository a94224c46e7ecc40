// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a painted picture back: whether a colour was painted at a point,
// within a pixel of it (the time-current picture's curve and marks).
#pragma once

#include <QImage>
#include <QPointF>
#include <QRgb>
#include <cmath>
#include <cstdlib>

inline bool NearColour(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 60;
}

// Whether a pixel within one pixel of `at` has the colour `rgb`.
inline bool PaintedNear(const QImage& image, QPointF at, unsigned rgb) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            const QPoint p(int(std::floor(at.x())) + dx, int(std::floor(at.y())) + dy);
            if (image.rect().contains(p) && NearColour(image.pixel(p), QRgb(rgb))) return true;
        }
    }
    return false;
}

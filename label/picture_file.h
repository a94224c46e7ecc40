// SPDX-License-Identifier: GPL-3.0-or-later
// The saved label picture: a 24-bit Windows bitmap or a baseline JPEG, and
// the careful write of either to its file.
#pragma once

#include <cstdint>
#include <string>

#include "engine/error.h"

namespace zentavo {

// A picture as rows of 8-bit R, G, B triples, top row first.
struct RgbImage {
    const std::uint8_t* pixels;
    int width;
    int height;
    int stride;  // bytes from one row to the next
};

class PictureError : public Error {
public:
    using Error::Error;
};

// Uncompressed 24-bit BMP: 54 bytes of headers, rows bottom-up in B, G, R
// order, each padded to a multiple of 4 bytes; no colour table.
std::string EncodeBmp(const RgbImage& image);

// Baseline JPEG through libjpeg: three components from RGB input, the
// library's defaults, then quality 90 with baseline forced; not progressive.
// A libjpeg failure raises PictureError instead of ending the program.
std::string EncodeJpeg(const RgbImage& image, int quality = 90);

// Writes the whole file or nothing through the program's replacing write
// (WriteFileAtomically): a failed save leaves no partial picture and keeps an
// earlier file of that name; a pipe or device is refused. Failures raise
// PictureError with "Cannot create file "<path>". <reason>", or the refusal's
// own message ("<path>" is not a regular file).
void SavePictureFile(const std::string& path, const std::string& bytes);

}  // namespace zentavo

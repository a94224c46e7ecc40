// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/picture_file.h"

#include "io/file_io.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// libjpeg's header expects size_t and FILE to be known.
#include <jpeglib.h>

namespace zentavo {

namespace {

void Put16(std::string& s, std::uint16_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// libjpeg reports a fatal error by calling error_exit, which must not return:
// jump back to the encoder, which turns it into an exception.
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

}  // namespace

std::string EncodeBmp(const RgbImage& im) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(im.width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(im.height);
    std::string out;
    out.reserve(54 + pixelBytes);
    out += "BM";
    Put32(out, 54 + pixelBytes);  // file size
    Put32(out, 0);                // reserved
    Put32(out, 54);               // offset of the pixels
    Put32(out, 40);               // BITMAPINFOHEADER
    Put32(out, static_cast<std::uint32_t>(im.width));
    Put32(out, static_cast<std::uint32_t>(im.height));  // positive: bottom-up rows
    Put16(out, 1);                // planes
    Put16(out, 24);               // bits per pixel
    Put32(out, 0);                // no compression
    Put32(out, pixelBytes);
    Put32(out, 3780);             // 96 dpi in pixels per metre
    Put32(out, 3780);
    Put32(out, 0);                // no colour table
    Put32(out, 0);
    for (int y = im.height - 1; y >= 0; --y) {
        const std::uint8_t* row = im.pixels + static_cast<std::ptrdiff_t>(y) * im.stride;
        for (int x = 0; x < im.width; ++x) {
            out.push_back(static_cast<char>(row[3 * x + 2]));
            out.push_back(static_cast<char>(row[3 * x + 1]));
            out.push_back(static_cast<char>(row[3 * x]));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(im.width) * 3; pad < rowBytes; ++pad) {
            out.push_back('\0');
        }
    }
    return out;
}

std::string EncodeJpeg(const RgbImage& im, int quality) {
    jpeg_compress_struct cinfo{};
    JpegErrorManager err{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        throw PictureError(std::string("Cannot encode the JPEG picture: ") + err.message);
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(im.width);
    cinfo.image_height = static_cast<JDIMENSION>(im.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(im.pixels + static_cast<std::ptrdiff_t>(cinfo.next_scanline) * im.stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

void SavePictureFile(const std::string& path, const std::string& bytes) {
    try {
        WriteFileAtomically(path, bytes);
    } catch (const IoError& e) {
        // The picture's own wording; a refusal that says all stays as it is.
        if (e.reason().empty()) throw PictureError(e.what());
        throw PictureError("Cannot create file \"" + path + "\". " + e.reason());
    }
}

}  // namespace zentavo

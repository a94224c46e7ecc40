// SPDX-License-Identifier: GPL-3.0-or-later
// ParseNumber and FormatFixed on any bytes: no crash, no undefined behaviour,
// only finite numbers accepted, a written text reads back to itself, and the
// faster way of writing common values agrees with the shortest digits.
//   byte 0: bit 0 chooses the separator (',' or '.')
//   bytes 1..: a text for ParseNumber; bytes 1..8 also a double, 9 a
//   precision, 10 a number of decimals for the round trip.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const char sep = (data[0] & 1) ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        const double v = zentavo::ParseNumber(text, sep);
        if (!std::isfinite(v)) std::abort();
    } catch (const zentavo::ConversionError&) {
    }

    if (size >= 11) {
        double v;
        std::memcpy(&v, data + 1, sizeof v);
        const int precision = 2 + data[9] % 17;  // 2..18
        const int decimals = data[10] % 19;      // 0..18
        const std::string written = zentavo::FormatFixed(v, precision, decimals, sep);
        // The faster way for common values writes what the shortest digits give.
        if (written != zentavo::detail::FormatFixedByShortestDigits(v, precision, decimals, sep)) {
            std::abort();
        }
        if (std::isfinite(v)) {
            const double back = zentavo::ParseNumber(written, sep);
            if (zentavo::FormatFixed(back, precision, decimals, sep) != written) std::abort();
        }
    }
    return 0;
}

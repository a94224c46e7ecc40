// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace zentavo {

ConversionError::ConversionError(std::string_view text) : Error(ConversionMessage(text)), text_(text) {}

std::string ConversionMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

namespace {

constexpr int kReliableDigits = 15;

// Decimal digits of a non-negative finite double: value = 0.d1d2d3... x 10^exp10.
// `count` digits without trailing zeros; count == 0 means zero.
struct Digits {
    char d[24];
    int count = 0;
    int exp10 = 0;  // position of the decimal point after the first digits
};

Digits ShortestDigits(double magnitude) {
    Digits out;
    if (magnitude == 0.0) return out;
    // The shortest text that reads back as the same double: the digits a
    // person would write for the value, so 2.675 rounds like 2.675.
    // to_chars writes "d.ddde+XX".
    char buf[40];
    const char* end = std::to_chars(buf, buf + sizeof buf, magnitude,
                                    std::chars_format::scientific).ptr;
    const char* p = buf;
    for (; p < end && *p != 'e'; ++p) {
        if (*p != '.') out.d[out.count++] = *p;
    }
    ++p;  // 'e'
    const bool negative = *p == '-';
    ++p;  // sign
    int exponent = 0;
    for (; p < end; ++p) exponent = exponent * 10 + (*p - '0');
    out.exp10 = (negative ? -exponent : exponent) + 1;
    while (out.count > 0 && out.d[out.count - 1] == '0') --out.count;
    return out;
}

// Whether the digits stand for more than the largest double (1.7976931348623157e308).
bool BeyondDoubleRange(const Digits& v) {
    if (v.count == 0 || v.exp10 < 309) return false;
    if (v.exp10 > 309) return true;
    static constexpr char kMax[] = "17976931348623157";
    for (int i = 0; i < 17; ++i) {
        const char d = i < v.count ? v.d[i] : '0';
        if (d != kMax[i]) return d > kMax[i];
    }
    return v.count > 17;
}

// Rounds to n significant digits, halves away from zero.
void RoundTo(Digits& v, int n, int decimals) {
    if (v.count == 0) return;
    if (n < 0) {
        v.count = 0;
        return;
    }
    if (n == 0) {
        // Everything lies below the last shown decimal: it is either nothing
        // or one unit of that decimal.
        if (v.d[0] >= '5') {
            v.d[0] = '1';
            v.count = 1;
            v.exp10 = 1 - decimals;
        } else {
            v.count = 0;
        }
        return;
    }
    if (v.count <= n) return;
    const bool up = v.d[n] >= '5';
    v.count = n;
    if (up) {
        int i = n - 1;
        while (i >= 0 && v.d[i] == '9') {
            v.d[i] = '0';
            --i;
        }
        if (i < 0) {
            v.d[0] = '1';
            v.count = 1;
            ++v.exp10;
        } else {
            ++v.d[i];
        }
    }
    while (v.count > 0 && v.d[v.count - 1] == '0') --v.count;
}

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kPow10Whole[] = {
    1ULL,           10ULL,           100ULL,          1000ULL,      10000ULL,
    100000ULL,      1000000ULL,      10000000ULL,     100000000ULL, 1000000000ULL,
    10000000000ULL, 100000000000ULL, 1000000000000ULL};

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The bounds between magnitudes with e and e + 1 digits before the point,
// from 1e-10 to 1e16 (kDigitBound[e + 10]): below 1 the doubles nearest to
// 0.1, 0.01, ..., the same bounds the shortest texts of the neighbouring
// values fall on.
struct DigitBounds {
    double at[27];
};
constexpr DigitBounds MakeDigitBounds() {
    DigitBounds b{};
    for (int e = -10; e <= 16; ++e) b.at[e + 10] = e >= 0 ? kPow10[e] : 1.0 / kPow10[-e];
    return b;
}
constexpr DigitBounds kDigitBound = MakeDigitBounds();

// Digits before the point of a magnitude from 1e-10 to below 1e15:
// 10^(e-1) <= m < 10^e, with the bounds above. Counted from the point
// outwards: the values a study writes lie a few digits from it.
int DigitsBeforePoint(double m) {
    int e = 0;
    if (m >= 1) {
        while (e < 15 && m >= kDigitBound.at[e + 10]) ++e;
    } else {
        while (e > -10 && m < kDigitBound.at[e + 9]) --e;
    }
    return e;
}

// The rounded digits straight from the binary value, as a whole number
// `units` of n digits and e digits before the point, for the common case:
// a magnitude between 1e-10 and 1e15 rounded to at most 12 digits. There the
// value and its shortest digits differ by far less than a thousandth of the
// last kept digit, so both round alike unless the value sits that close to a
// half; such values, and every other case, return false and take the digits
// of the shortest text instead.
bool FastRoundedUnits(double m, int precision, int decimals, std::uint64_t& units, int& n, int& e) {
    if (!(m >= 1e-10 && m < 1e15)) return false;
    e = DigitsBeforePoint(m);
    n = std::min(precision, e + decimals);
    if (n <= 0 || n > 12) return false;
    const int shift = n - e;
    if (shift > 22 || shift < -22) return false;
    const double scaled = shift >= 0 ? m * kPow10[shift] : m / kPow10[-shift];
    const double whole = std::floor(scaled);
    const double frac = scaled - whole;
    if (std::fabs(frac - 0.5) < 1e-3) return false;
    units = static_cast<std::uint64_t>(whole) + (frac > 0.5 ? 1 : 0);
    if (units < kPow10Whole[n - 1]) return false;
    if (units >= kPow10Whole[n]) {  // rounded up into a new digit: 9.996 -> 10.0
        units /= 10;
        ++e;
    }
    return true;
}

// The n digits of `units` (10^(n-1) <= units < 10^n) into `d`, two at a
// time from the last.
void WriteUnits(std::uint64_t units, int n, char* d) {
    int i = n;
    for (; units >= 100; units /= 100) {
        i -= 2;
        std::memcpy(d + i, kDigitPairs + 2 * (units % 100), 2);
    }
    if (units >= 10) {
        std::memcpy(d + i - 2, kDigitPairs + 2 * units, 2);
    } else {
        d[i - 1] = static_cast<char>('0' + units);
    }
}

bool FastRoundedDigits(double m, int precision, int decimals, Digits& out) {
    std::uint64_t units;
    int n, e;
    if (!FastRoundedUnits(m, precision, decimals, units, n, e)) return false;
    WriteUnits(units, n, out.d);
    int count = n;
    while (out.d[count - 1] == '0') --count;
    out.count = count;
    out.exp10 = e;
    return true;
}

// The digits FormatFixed writes: the shortest digits of the value rounded to
// `precision` significant digits, or `decimals` decimals if fewer.
Digits RoundedShortestDigits(double magnitude, int precision, int decimals) {
    const Digits exact = ShortestDigits(magnitude);
    Digits v = exact;
    // A double carries 15 decimal digits for certain: more would write digits
    // that do not read back as the same text.
    const int n = std::min({precision, v.exp10 + decimals, kReliableDigits});
    if (v.count > 0) RoundTo(v, n, decimals);
    if (BeyondDoubleRange(v)) {
        // Rounding up would leave the range of numbers the text can be read
        // back as: cut the digits instead.
        v = exact;
        v.count = std::min(v.count, n);
        while (v.count > 0 && v.d[v.count - 1] == '0') --v.count;
    }
    return v;
}

Digits RoundedDigits(double magnitude, int precision, int decimals) {
    Digits v;
    if (FastRoundedDigits(magnitude, precision, decimals, v)) return v;
    return RoundedShortestDigits(magnitude, precision, decimals);
}

std::string Write(double value, const Digits& v, int precision, int decimals, char sep) {
    // Longest text: sign, 18 digits before a separator and 18 after, or the
    // scientific form; built in place, then copied once.
    char buf[64];
    char* o = buf;
    if (value < 0 && v.count > 0) *o++ = '-';
    const int e = v.count > 0 ? v.exp10 : 0;

    if (e > precision) {
        *o++ = v.d[0];
        if (v.count > 1) {
            *o++ = sep;
            for (int i = 1; i < v.count; ++i) *o++ = v.d[i];
        }
        *o++ = 'E';
        char exp[8];
        const char* expEnd = std::to_chars(exp, exp + sizeof exp, e - 1).ptr;
        const int width = decimals > 4 ? 0 : decimals;
        for (int pad = width - static_cast<int>(expEnd - exp); pad > 0; --pad) *o++ = '0';
        for (const char* c = exp; c < expEnd; ++c) *o++ = *c;
        return std::string(buf, o);
    }

    auto digit = [&v](int i) { return (i >= 0 && i < v.count) ? v.d[i] : '0'; };
    if (e <= 0) {
        *o++ = '0';
    } else {
        for (int i = 0; i < e; ++i) *o++ = digit(i);
    }
    if (decimals > 0) {
        *o++ = sep;
        for (int i = 0; i < decimals; ++i) *o++ = digit(e + i);
    }
    return std::string(buf, o);
}

}  // namespace

std::string FormatFixed(double value, int precision, int decimals, char sep) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    precision = std::clamp(precision, 2, 18);
    decimals = std::clamp(decimals, 0, 18);
    std::uint64_t units;
    int n, e;
    if (FastRoundedUnits(std::fabs(value), precision, decimals, units, n, e) && e <= precision) {
        // Fixed notation straight from the digits: the integer part (digits
        // past the n known ones are zeros), then the decimals.
        char digits[16];
        WriteUnits(units, n, digits);
        char buf[64];
        char* o = buf;
        if (value < 0) *o++ = '-';
        if (e <= 0) {
            *o++ = '0';
        } else {
            for (int i = 0; i < e; ++i) *o++ = i < n ? digits[i] : '0';
        }
        if (decimals > 0) {
            *o++ = sep;
            for (int i = e; i < e + decimals; ++i) *o++ = i >= 0 && i < n ? digits[i] : '0';
        }
        return std::string(buf, o);
    }
    return Write(value, RoundedDigits(std::fabs(value), precision, decimals), precision, decimals,
                 sep);
}

namespace detail {
std::string FormatFixedByShortestDigits(double value, int precision, int decimals, char sep) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    precision = std::clamp(precision, 2, 18);
    decimals = std::clamp(decimals, 0, 18);
    return Write(value, RoundedShortestDigits(std::fabs(value), precision, decimals), precision,
                 decimals, sep);
}
}  // namespace detail

namespace {
constexpr std::uint64_t kExactWhole = std::uint64_t{1} << 53;  // every whole number up to it is a double
}  // namespace

std::optional<double> ReadNumber(std::string_view text, char sep) {
    std::string_view s = text;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);

    // Validate the shape ourselves: from_chars alone would take "inf", "nan"
    // and a point where the user's separator is a comma.
    char buf[128];
    if (s.empty() || s.size() >= sizeof buf) return std::nullopt;
    std::size_t i = 0, n = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
    int mantissaDigits = 0, decimals = 0;
    bool seenSep = false;
    // The digits as a whole number while it stays exact in a double.
    std::uint64_t whole = 0;
    bool wholeExact = true;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            ++mantissaDigits;
            buf[n++] = c;
            if (seenSep) ++decimals;
            if (whole > kExactWhole / 10) wholeExact = false;
            whole = whole * 10 + static_cast<unsigned>(c - '0');
        } else if (c == sep && !seenSep) {
            seenSep = true;
            buf[n++] = '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i == s.size() && wholeExact && whole <= kExactWhole && decimals <= 22) {
        // A whole number below 2^53 and a power of ten below 1e23 are both
        // exact doubles, so their one rounded quotient is the nearest double
        // to the text: what from_chars gives, without reading it again.
        const double value = static_cast<double>(whole) / kPow10[decimals];
        return negative ? -value : value;
    }
    const std::size_t mantissaEnd = n;
    if (i < s.size()) {
        if (s[i] != 'e' && s[i] != 'E') return std::nullopt;
        buf[n++] = 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) buf[n++] = s[i++];
        std::size_t digitsStart = i;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) buf[n++] = s[i];
        if (i == digitsStart || i != s.size()) return std::nullopt;
    }

    double value = 0.0;
    auto res = std::from_chars(buf, buf + n, value);
    if (res.ptr != buf + n) return std::nullopt;
    if (res.ec == std::errc::result_out_of_range) {
        // Too large is refused; too small to represent reads as zero. The
        // exponent is what tells the two apart: it is positive for an overflow.
        const bool hasExponent = mantissaEnd < n;
        if (!hasExponent || buf[mantissaEnd + 1] != '-') return std::nullopt;
        value = 0.0;
    } else if (res.ec != std::errc()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

double ParseNumber(std::string_view text, char sep) {
    if (const std::optional<double> value = ReadNumber(text, sep)) return *value;
    throw ConversionError(text);
}

double RoundToDecimals(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 18);
    if (!std::isfinite(value)) return ParseNumber(FormatFixed(value, 18, decimals, '.'), '.');
    const Digits v = RoundedDigits(std::fabs(value), 18, decimals);
    if (v.count == 0) return 0.0;
    if (v.exp10 + decimals > kReliableDigits) {
        // Large values: through the text itself.
        return ParseNumber(FormatFixed(value, 18, decimals, '.'), '.');
    }
    // The shown digits as a whole number of the last decimal, at most 15
    // digits: exact in a double, and one division rounds it as reading the
    // text would.
    double units = 0;
    for (int i = 0; i < v.exp10 + decimals; ++i) units = units * 10 + (i < v.count && i >= 0 ? v.d[i] - '0' : 0);
    double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const double rounded = units / scale;
    return value < 0 ? -rounded : rounded;
}

double ToMillimetres(double value, LengthUnit unit) {
    return unit == LengthUnit::Millimetres ? value : value * kMmPerInch;
}

std::string TrimZeros(std::string t, char sep) {
    if (t.find(sep) == std::string::npos || t.find('E') != std::string::npos) return t;
    while (!t.empty() && t.back() == '0') t.pop_back();
    if (!t.empty() && t.back() == sep) t.pop_back();
    return t;
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>
#include <utility>

#include "engine/units.h"

namespace zentavo {
namespace {

struct FormatCase {
    double value;
    int precision;
    int decimals;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << "FormatFixed(" << c.value << ", " << c.precision << ", " << c.decimals << ") -> "
        << c.expected;
}

class FormatFixedTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFixedTest, WritesTheDocumentedText) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.precision, c.decimals, '.'), c.expected)
        << c.value << " (" << c.precision << ", " << c.decimals << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatFixedTest,
    ::testing::Values(
        // Fixed notation, digits beyond the precision written as zeros.
        FormatCase{39.3701, 4, 2, "39.37"}, FormatCase{123.456, 4, 2, "123.50"},
        FormatCase{1259.84, 4, 0, "1260"}, FormatCase{0.001, 4, 2, "0.00"},
        // Everything below the last decimal: nothing, or one unit of it.
        FormatCase{0.004, 4, 2, "0.00"}, FormatCase{0.005, 4, 2, "0.01"},
        // Rounding carries into a new digit.
        FormatCase{9.996, 3, 2, "10.00"}, FormatCase{9.996, 3, 1, "10.0"},
        // Scientific form once the integer part outgrows the precision.
        FormatCase{95693.78, 4, 0, "9.569E4"}, FormatCase{95693.78, 4, 2, "9.569E04"},
        FormatCase{95693.78, 4, 5, "9.569E4"}, FormatCase{10160.0, 4, 0, "1.016E4"},
        FormatCase{10000.0, 4, 0, "1E4"}, FormatCase{99999.0, 4, 0, "1E5"},
        FormatCase{1000.0 / 0.0209, 4, 0, "4.785E4"}, FormatCase{1000.0 / 0.0209, 4, 2, "4.785E04"},
        FormatCase{1000.0 / 2116.0, 4, 4, "0.4726"},
        FormatCase{1000.0 / 2116.0 * 101.325, 4, 4, "47.8900"},
        // Conversions of lengths.
        FormatCase{455 / 25.4, 4, 2, "17.91"}, FormatCase{1000 / 25.4, 4, 2, "39.37"},
        FormatCase{2540 / 25.4, 4, 2, "100.00"}, FormatCase{2600 / 25.4, 4, 2, "102.40"},
        // Halves away from zero, on the digits a person would write.
        FormatCase{2.675, 5, 2, "2.68"}, FormatCase{0.125, 5, 2, "0.13"},
        FormatCase{-0.125, 5, 2, "-0.13"}, FormatCase{0.5, 5, 0, "1"}, FormatCase{0.49, 5, 0, "0"},
        // Zero and signs.
        FormatCase{0.0, 5, 2, "0.00"}, FormatCase{0.0, 4, 0, "0"}, FormatCase{-0.001, 4, 2, "0.00"},
        FormatCase{-12.345, 5, 2, "-12.35"}, FormatCase{-95693.78, 4, 0, "-9.569E4"},
        // TNT equivalent texts.
        FormatCase{0.26463, 4, 1, "0.3"}, FormatCase{0.0004999, 5, 0, "0"},
        FormatCase{0.26463 * 1000, 5, 0, "265"}, FormatCase{0.0, 4, 3, "0.000"},
        // No more digits than a double holds for certain.
        FormatCase{1.0459988452172748, 18, 18, "1.045998845217270000"},
        FormatCase{-6.8056473384187685e38, 16, 0, "-6.80564733841877E38"},
        // Never rounded beyond the largest double: the text must read back.
        FormatCase{1.7976931348623157e308, 2, 8, "1.7E308"},
        FormatCase{-1.7976931348623157e308, 4, 0, "-1.797E308"},
        // The two-decimal rounding of arcing currents.
        FormatCase{11.217234, 18, 2, "11.22"}, FormatCase{0.85 * 11.217234, 18, 2, "9.53"}));

TEST(FormatFixed, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(FormatFixed(39.3701, 4, 2, ','), "39,37");
    EXPECT_EQ(FormatFixed(95693.78, 4, 2, ','), "9,569E04");
    EXPECT_EQ(FormatFixed(161.49, 4, 0, ','), "161");
}

TEST(ParseNumber, ReadsNumbersWithTheGivenSeparator) {
    EXPECT_DOUBLE_EQ(ParseNumber("1.26", '.'), 1.26);
    EXPECT_DOUBLE_EQ(ParseNumber("1,26", ','), 1.26);
    EXPECT_DOUBLE_EQ(ParseNumber(" -3.5 ", '.'), -3.5);
    EXPECT_DOUBLE_EQ(ParseNumber("+480", '.'), 480);
    EXPECT_DOUBLE_EQ(ParseNumber(".5", '.'), 0.5);
    EXPECT_DOUBLE_EQ(ParseNumber("5.", '.'), 5);
    EXPECT_DOUBLE_EQ(ParseNumber("9.569E4", '.'), 95690);
    EXPECT_DOUBLE_EQ(ParseNumber("9,569E04", ','), 95690);
    EXPECT_DOUBLE_EQ(ParseNumber("1e-3", '.'), 0.001);
    EXPECT_DOUBLE_EQ(ParseNumber("1e-400", '.'), 0.0);
}

TEST(ParseNumber, RefusesWhatIsNotAFiniteNumber) {
    for (const char* text : {"", " ", "abc", "1,26", "1.2.3", "inf", "-inf", "nan", "INF", "1e999",
                             "-1e400", "1e99999999999999999999", "12a", "1e", "e5", "--1", "+",
                             ".", "0x10", "1 2", "1e+"}) {
        EXPECT_THROW(ParseNumber(text, '.'), ConversionError) << "'" << text << "'";
    }
    EXPECT_THROW(ParseNumber("1.26", ','), ConversionError);
}

// Numbers read without from_chars where their digits make a whole number
// exact in a double: the nearest double all the same. Against the C
// library's reading of the same text, over the shapes a study holds and
// around 2^53, where the digits stop being exact.
TEST(ReadNumber, ReadsTheNearestDoubleOfEveryDecimalText) {
    // clang-format off
    const std::pair<const char*, double> cases[] = {
        {"-0", -0.0}, {"0.1", 0.1}, {"9007199254740992", 9007199254740992.0},
        {"9007199254740993", 9007199254740992.0}, {"9007199254740995", 9007199254740996.0},
        {"900719925474099.3", 900719925474099.3}, {"0.0000000000000000000001", 1e-22},
        {"0.00000000000000000000001", 1e-23}, {"18446744073709551617", 18446744073709551617.0},
        {"+2.675", 2.675}, {" 1.50 ", 1.5}, {"12.", 12.0}, {".5", 0.5},
    };
    // clang-format on
    for (const auto& [text, value] : cases) {
        const std::optional<double> read = ReadNumber(text);
        ASSERT_TRUE(read) << text;
        EXPECT_EQ(*read, value) << text;
        EXPECT_EQ(std::signbit(*read), std::signbit(value)) << text;
    }
    std::uint64_t state = 77;
    auto next = [&state] {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        return state;
    };
    for (int k = 0; k < 1000000; ++k) {
        // 1 to 20 digits, the point anywhere or nowhere, a sign now and then.
        std::string text = (next() % 5 == 0) ? "-" : "";
        const int digits = 1 + static_cast<int>(next() % 20);
        const int point = static_cast<int>(next() % (digits + 2));
        for (int d = 0; d < digits; ++d) {
            if (d == point) text += '.';
            text += static_cast<char>('0' + next() % 10);
        }
        const std::optional<double> read = ReadNumber(text);
        ASSERT_TRUE(read) << text;
        ASSERT_EQ(*read, std::strtod(text.c_str(), nullptr)) << text;
        std::string comma = text;
        std::replace(comma.begin(), comma.end(), '.', ',');
        ASSERT_EQ(ReadNumber(comma, ','), read) << comma;
    }
}

TEST(ParseNumber, ErrorCarriesTheConversionMessage) {
    try {
        ParseNumber("abc", '.');
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
        EXPECT_EQ(e.text(), "abc");
    }
}

TEST(ParseNumber, ReadsBackWhatFormatFixedWrites) {
    const double values[] = {0.0,       0.001,   0.005,     1.0459988452172748, 17.913,
                             95693.78,  -12.345, 123456789, 4.785e4,            1e-7};
    for (char sep : {'.', ','}) {
        for (double v : values) {
            for (int p : {2, 4, 5, 6, 18}) {
                for (int d : {0, 1, 2, 4, 18}) {
                    const std::string text = FormatFixed(v, p, d, sep);
                    const double back = ParseNumber(text, sep);
                    EXPECT_EQ(FormatFixed(back, p, d, sep), text) << v << " " << p << " " << d;
                }
            }
        }
    }
}

TEST(FormatFixed, FastDigitsMatchTheShortestDigitsEverywhere) {
    // Values of every magnitude and many right at a half of the last digit.
    std::uint64_t state = 99;
    auto next = [&state] {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        return state;
    };
    for (int k = 0; k < 400000; ++k) {
        const int exponent = static_cast<int>(next() % 34) - 14;
        double v = static_cast<double>(next() % 100000000000ULL) * std::pow(10.0, exponent - 11);
        if (k % 3 == 0) v = std::round(v * 1000) / 1000 + 0.0005;  // a half of the third decimal
        if (k % 7 == 0) v = -v;
        const int p = 2 + static_cast<int>(next() % 17), d = static_cast<int>(next() % 19);
        ASSERT_EQ(FormatFixed(v, p, d, '.'), detail::FormatFixedByShortestDigits(v, p, d, '.'))
            << v << " " << p << " " << d;
    }
}

// The edges of the fast way to the digits: the bounds of its range, halves
// exact in binary and halves only in the shortest digits, carries into a
// new digit, signs of zero, values it leaves to the shortest digits.
TEST(FormatFixed, EdgesOfTheFastDigits) {
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    const FormatCase cases[] = {
        {-0.0, 5, 2, "0.00"}, {-0.0, 4, 0, "0"}, {-1e-20, 5, 2, "0.00"},
        {0.5, 2, 0, "1"}, {-0.5, 2, 0, "-1"}, {std::nextafter(0.5, 0.0), 2, 0, "0"}, {2.5, 5, 0, "3"},
        {1.005, 5, 2, "1.01"}, {0.045, 4, 2, "0.05"}, {0.0005, 5, 3, "0.001"},
        {999.995, 5, 2, "1000.00"}, {-999.995, 5, 2, "-1000.00"}, {123456789012.5, 12, 0, "123456789013"},
        {1e-10, 4, 12, "0.000000000100"}, {std::nextafter(1e-10, 0.0), 4, 12, "0.000000000100"},
        {std::nextafter(0.1, 0.0), 5, 17, "0.10000000000000000"}, {0.1, 18, 18, "0.100000000000000000"},
        {999999999999999.9, 15, 0, "1E15"}, {1e15, 18, 0, "1000000000000000"},
        {12345.678, 2, 3, "1.2E004"}, {1e-300, 5, 2, "0.00"}, {5e-324, 5, 2, "0.00"},
        {std::numeric_limits<double>::quiet_NaN(), 5, 2, "NAN"}, {inf, 5, 2, "INF"}, {-inf, 15, 0, "-INF"},
    };
    // clang-format on
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.precision, c.decimals, '.'), c.expected)
            << c.value << " " << c.precision << " " << c.decimals;
        EXPECT_EQ(detail::FormatFixedByShortestDigits(c.value, c.precision, c.decimals, '.'),
                  c.expected);
    }
}

// Three million values against the shortest digits: every bit pattern of the
// magnitudes from below 1e-11 to above 1e16, decimal halves and their
// neighbouring doubles, in the digits and decimals the result cells use and
// in any other.
TEST(FormatFixed, FastDigitsMatchTheShortestDigitsOnEveryKindOfValue) {
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    auto next = [&state] {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        return state;
    };
    // clang-format off
    constexpr int kCellFormats[][2] = {{5, 2}, {4, 0}, {6, 0}, {6, 3}, {15, 0}, {15, 2}, {15, 3},
                                       {15, 5}, {4, 1}, {4, 2}, {4, 3}, {4, 4}, {5, 0}, {5, 3}};
    // clang-format on
    double v = 1;
    for (int k = 0; k < 3000000; ++k) {
        const std::uint64_t r = next();
        switch (k % 4) {
            case 0: {  // any mantissa, binary exponent from -40 to 55
                const std::uint64_t exponent = 1023 - 40 + (r >> 58) % 96;
                const std::uint64_t bits =
                    (exponent << 52) | (next() & ((std::uint64_t{1} << 52) - 1));
                std::memcpy(&v, &bits, sizeof v);
                break;
            }
            case 1:  // a half of a decimal digit: (n + 0.5) / 10^d
                v = (static_cast<double>(r % 10000000) + 0.5) /
                    std::pow(10.0, static_cast<int>(next() % 9));
                break;
            case 2:  // the double just above or below the previous value
                v = std::nextafter(v, (r & 1) ? 0.0 : 1e300);
                break;
            default:  // a value as a computation leaves it: a quotient
                v = static_cast<double>(r % 1000000007) / static_cast<double>(1 + next() % 99991);
                break;
        }
        const double value = (r & 2) ? -v : v;
        int p = 2 + static_cast<int>(r % 17), d = static_cast<int>((r >> 8) % 19);
        if (k & 8) {
            const int(&f)[2] = kCellFormats[(r >> 16) % std::size(kCellFormats)];
            p = f[0], d = f[1];
        }
        ASSERT_EQ(FormatFixed(value, p, d, '.'),
                  detail::FormatFixedByShortestDigits(value, p, d, '.'))
            << value << " " << p << " " << d;
    }
}

TEST(RoundToDecimals, EqualsWritingAndReadingBack) {
    std::uint64_t state = 12345;
    auto next = [&state] {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        return state;
    };
    for (int k = 0; k < 200000; ++k) {
        const double magnitude = std::pow(10.0, static_cast<double>(next() % 40) - 20);
        const double v = (static_cast<double>(next() % 1000000007) / 1000000007.0) * magnitude *
                         ((next() & 1) ? -1 : 1);
        const int d = static_cast<int>(next() % 19);
        const double expected = ParseNumber(FormatFixed(v, 18, d, '.'), '.');
        ASSERT_EQ(RoundToDecimals(v, d), expected) << v << " " << d;
    }
    for (double v : {0.005, 0.015, 2.675, 11.217234, 9.53, 0.0, -0.004, 1e300, 123456789012.345}) {
        for (int d : {0, 1, 2, 5}) {
            EXPECT_EQ(RoundToDecimals(v, d), ParseNumber(FormatFixed(v, 18, d, '.'), '.')) << v << " " << d;
        }
    }
}

// Other spellings ("MM", "millimeters") are no length unit at all: see
// UnitWords in units_test.cpp.
TEST(ToMillimetres, MillimetresStayInchesAreTimes25_4) {
    EXPECT_DOUBLE_EQ(ToMillimetres(12, LengthUnit::Millimetres), 12);
    EXPECT_DOUBLE_EQ(ToMillimetres(12, LengthUnit::Inches), 304.8);
}

}  // namespace
}  // namespace zentavo

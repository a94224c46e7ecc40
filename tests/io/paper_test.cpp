// SPDX-License-Identifier: GPL-3.0-or-later
// The paper the system is set up for: the order of the sources, and the
// sources read from a real environment, locale and paper file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "io/paper.h"

namespace zentavo {
namespace {

constexpr auto kA4 = PaperSize::kA4;
constexpr auto kLetter = PaperSize::kLetter;

TEST(PaperTest, TheFirstSourceThatNamesAReportPaperDecides) {
    struct Case {
        PaperSources sources;
        std::optional<PaperSize> expected;
    };
    // clang-format off
    const Case cases[] = {
        {{"letter", kA4, "a4"},       kLetter},  // the variable first
        {{" A4\n", kLetter, ""},      kA4},      // any case, blanks around
        {{"legal", kLetter, "a4"},    kLetter},  // a paper the report is not laid out for: the next source
        {{"", std::nullopt, "Letter"}, kLetter}, // the paper file last
        {{"", std::nullopt, "a3"},    std::nullopt},
        {{"", std::nullopt, ""},      std::nullopt},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(ChoosePaperSize(c.sources), c.expected) << c.sources.papersizeVariable << "|" << c.sources.paperFile;
    }
    EXPECT_EQ(PaperSizeMeasured(210, 297), kA4);
    EXPECT_EQ(PaperSizeMeasured(216, 279), kLetter);
    EXPECT_EQ(PaperSizeMeasured(216, 356), std::nullopt);  // legal
}

// The real sources: variables set for this process, locales as installed
// (scripts/bootstrap.sh generates en_US.UTF-8 and fr_FR.UTF-8).
TEST(PaperTest, SystemSourcesAreReadAsLibpaperReadsThem) {
    const std::string file = ::testing::TempDir() + "/papersize";
    {
        std::ofstream out(file);
        out << "# the site's paper\n\n  letter  \n";
    }
    struct Case {
        const char* papersize;  // nullptr: unset
        const char* locale;     // LC_ALL
        const char* paperconf;  // nullptr: the test's file is missing
        std::optional<PaperSize> expected;
    };
    // clang-format off
    const Case cases[] = {
        {nullptr,  "C",           "file", kLetter},       // C names no paper: the file
        {nullptr,  "C.UTF-8",     nullptr, std::nullopt}, // nothing set up
        {nullptr,  "fr_FR.UTF-8", "file", kA4},           // the locale before the file
        {nullptr,  "en_US.UTF-8", nullptr, kLetter},
        {"a4",     "en_US.UTF-8", "file", kA4},           // the variable before all
        {"legal",  "fr_FR.UTF-8", nullptr, kA4},
    };
    // clang-format on
    for (const Case& c : cases) {
        if (c.papersize) ::setenv("PAPERSIZE", c.papersize, 1); else ::unsetenv("PAPERSIZE");
        ::setenv("LC_ALL", c.locale, 1);
        ::setenv("PAPERCONF", c.paperconf ? file.c_str() : "/nonexistent/papersize", 1);
        EXPECT_EQ(SystemPaperSize(), c.expected) << (c.papersize ? c.papersize : "-") << " " << c.locale;
    }
    ::unsetenv("PAPERSIZE");
    ::unsetenv("PAPERCONF");
    ::unsetenv("LC_ALL");
}

}  // namespace
}  // namespace zentavo

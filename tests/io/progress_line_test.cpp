// SPDX-License-Identifier: GPL-3.0-or-later
// The progress line of long work: its text (counts grouped, the time in
// m:ss, an estimate only once there is something to estimate from), drawn
// at most four times a second and erased at the end.
#include "io/progress_line.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace zentavo {
namespace {

TEST(ProgressLine, TextSaysWhatIsDoneAndWhatIsLeft) {
    struct Case {
        const char* what;
        std::size_t done, total;
        double fraction, elapsed;
        const char* text;
    } cases[] = {
        {"rows", 120000, 0, 0.25, 12, "zentavo-batch: 120 000 rows, 0:12, about 0:36 left"},
        {"rows", 999, 0, -1, 3, "zentavo-batch: 999 rows, 0:03"},               // no share known: no estimate
        {"rows", 2048, 0, 0.5, 0.4, "zentavo-batch: 2 048 rows, 0:00"},         // under a second: none yet
        {"labels", 2400, 200000, -1, 5, "zentavo-batch: labels 2 400 of 200 000, 0:05, about 6:52 left"},
        {"labels", 1200, 200000, -1, 5, "zentavo-batch: labels 1 200 of 200 000, 0:05"},  // too little done
        {"labels", 7, 7, -1, 5, "zentavo-batch: labels 7 of 7, 0:05"},
        {"report", 0, 0, 0.454, 4000, "zentavo-batch: report 45 %, 1:06:40, about 1:20:11 left"},
    };
    for (const Case& c : cases) EXPECT_EQ(ProgressLine::Text(c.what, c.done, c.total, c.fraction, c.elapsed), c.text);
}

std::string written;
void Write(std::string_view text) { written += text; }

TEST(ProgressLine, DrawnAFewTimesASecondAndErased) {
    written.clear();
    {
        ProgressLine line(true, Write);
        line.Show("rows", 1);
        line.Show("rows", 2);  // within the quarter second: not drawn
        EXPECT_EQ(written, "\rzentavo-batch: 1 row, 0:00\x1b[K");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        line.Show("rows", 3);
        EXPECT_EQ(written.substr(written.rfind('\r')), "\rzentavo-batch: 3 rows, 0:00\x1b[K");
    }
    EXPECT_TRUE(written.ends_with("\x1b[K\r\x1b[K"));  // erased when the work ends
    written.clear();
    {
        ProgressLine off(false, Write);
        off.Show("rows", 1);
    }
    EXPECT_EQ(written, "");
}

}  // namespace
}  // namespace zentavo

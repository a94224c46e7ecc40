// SPDX-License-Identifier: GPL-3.0-or-later
// A line on the terminal that tells how far long work has gone: what is
// done (of how much, where that is known), the time elapsed and about how
// long is left; drawn again at most a few times a second and erased when
// the work ends, so that it never stays among the program's messages.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace zentavo {

class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;
    // `shown` false: a line that draws nothing (not a terminal, --quiet).
    // `write` receives each text to put on the terminal (tests give theirs).
    explicit ProgressLine(bool shown, void (*write)(std::string_view) = nullptr);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // `done` of `what` ("rows", "labels", "report"), of `total` (0:
    // not known), the work's share done `fraction` (0 to 1; negative: not
    // known: from done and total where there is a total). Drawn when a
    // quarter of a second has passed since the last drawing.
    void Show(std::string_view what, std::size_t done, std::size_t total = 0, double fraction = -1);
    // Clears the line (before a message, and at the end).
    void Erase();

    // The line's text at `elapsed` seconds: "zentavo-batch: 120 000 rows,
    // 0:12, about 0:30 left"; "... labels 1 200 of 200 000, ..."; without a
    // total, the share done: "... report 45 %, ...".
    static std::string Text(std::string_view what, std::size_t done, std::size_t total, double fraction,
                            double elapsed);

private:
    bool shown_;
    void (*write_)(std::string_view);
    Clock::time_point start_, drawn_;
    bool drawnOnce_ = false;
    bool onScreen_ = false;
};

}  // namespace zentavo

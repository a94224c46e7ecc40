// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/progress_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zentavo {

namespace {

void WriteToStandardError(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

// 1234567 as "1 234 567": a count read at a glance.
std::string Count(std::size_t n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
        out += digits[i];
    }
    return out;
}

// Seconds as m:ss (h:mm:ss from an hour on).
std::string Duration(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    char text[32];
    if (s >= 3600) {
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    } else {
        std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    }
    return text;
}

}  // namespace

ProgressLine::ProgressLine(bool shown, void (*write)(std::string_view))
    : shown_(shown), write_(write ? write : WriteToStandardError), start_(Clock::now()) {}

ProgressLine::~ProgressLine() { Erase(); }

std::string ProgressLine::Text(std::string_view what, std::size_t done, std::size_t total, double fraction,
                               double elapsed) {
    std::string text = "zentavo-batch: ";
    if (what == "rows") {
        text += Count(done) + (done == 1 ? " row" : " rows");
        if (total > 0) text += " of " + Count(total);
    } else if (total > 0) {
        text += std::string(what) + " " + Count(done) + " of " + Count(total);
    } else {
        text += std::string(what) + " " + std::to_string(std::lround(100 * std::clamp(fraction, 0.0, 1.0))) + " %";
    }
    if (fraction < 0 && total > 0) fraction = static_cast<double>(done) / static_cast<double>(total);
    text += ", " + Duration(elapsed);
    // An estimate once a little of the work is done.
    if (fraction > 0.01 && fraction < 1 && elapsed >= 1) {
        text += ", about " + Duration(elapsed * (1 - fraction) / fraction) + " left";
    }
    return text;
}

void ProgressLine::Show(std::string_view what, std::size_t done, std::size_t total, double fraction) {
    if (!shown_) return;
    const Clock::time_point now = Clock::now();
    if (drawnOnce_ && now - drawn_ < std::chrono::milliseconds(250)) return;
    drawn_ = now;
    drawnOnce_ = true;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    // Back to the line's start, the text, the rest of the line cleared.
    write_("\r" + Text(what, done, total, fraction, elapsed) + "\x1b[K");
    onScreen_ = true;
}

void ProgressLine::Erase() {
    if (!onScreen_) return;
    write_("\r\x1b[K");
    onScreen_ = false;
}

}  // namespace zentavo

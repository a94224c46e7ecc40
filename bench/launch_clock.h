// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up timing shared by the start-up probes: bench/run.sh puts the wall
// time of the launch into ZENTAVO_LAUNCH_NS just before it starts a probe;
// the probe prints the milliseconds from then to its first window shown, so
// the loading of the program counts and its teardown does not.
#pragma once

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

inline void PrintStartupTime() {
    QApplication::processEvents();  // the window is shown and painted
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const char* launch = std::getenv("ZENTAVO_LAUNCH_NS");
    if (launch) std::printf("%.3f\n", static_cast<double>(now - std::atoll(launch)) / 1e6);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Item lists of the main window's selectors, in their order and index.
#pragma once

#include <array>
#include <string_view>

namespace zentavo {

inline constexpr std::array<std::string_view, 4> kEquipmentClasses = {
    "Open air", "Switchgear", "MCC and Panels", "Cable"};
enum EquipmentClass { kOpenAir = 0, kSwitchgear = 1, kMccAndPanels = 2, kCable = 3 };

inline constexpr std::array<std::string_view, 2> kGroundings = {"Ungrounded", "Grounded"};

inline constexpr std::array<std::string_view, 8> kFuseClasses = {
    "Class RK1 Fuse, 0 A to 100 A",   "Class RK1 Fuse, 101 A to 200 A",
    "Class RK1 Fuse, 201 A to 400 A", "Class RK1 Fuse, 401 A to 600 A",
    "Class L Fuse, 601 A to 800 A",   "Class L Fuse, 801 A to 1200 A",
    "Class L Fuse, 1201 A to 1600 A", "Class L Fuse, 1601 A to 2000 A"};

// The first five breaker types end in a tab and three blanks: the list has
// always shown them so, and the results window and report carry the tail.
inline constexpr std::array<std::string_view, 6> kBreakerTypes = {
    "MCCB-100-400\t   ",     "MCCB-600-1200-M\t   ",   "MCCB-600-1200-LI\t   ",
    "MCCB-1600-6000\t   ",   "LVPCB-800-6300-LI\t   ", "LVPCB-800-6300-LS"};

// The fuse tab computes for "Switchgear"; the breaker tab for "MCC and Panels".
inline constexpr int kFuseTabClass = kSwitchgear;
inline constexpr int kBreakerTabClass = kMccAndPanels;

}  // namespace zentavo

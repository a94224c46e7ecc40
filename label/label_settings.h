// SPDX-License-Identifier: GPL-3.0-or-later
// The label options: colour scheme, language, which rows the label carries
// and up to two rows of the user's own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zentavo {

struct LabelContentItem {
    std::string Text;
    bool Checked = false;
    bool Locked = false;  // shown greyed; its mark cannot change
};

enum LabelLanguage { kEnglish = 0, kSpanish = 1, kFrench = 2 };
// The decimal separator a language's label writes its numbers with where
// the reader's own is not known: '.' in English, ',' in Spanish and French.
char LanguageDecimalSeparator(int language);

// Content entries by index: 0 and 1 the headline printed in the picture,
// 2 to 14 the value rows, 15 the equipment name, 16 the date, 17 and 18 the
// user rows when they exist.
enum LabelEntry {
    kEntryWarning = 0,
    kEntryHazard = 1,
    kEntryEquipmentType = 2,
    kEntryGrounding = 3,
    kEntryWorkDistance = 4,
    kEntryBoltedCurrent = 5,
    kEntryLimitedApproach = 6,
    kEntryRestrictedApproach = 7,
    kEntryProhibitedApproach = 8,
    kEntryFlashBoundary = 9,
    kEntryIncidentEnergy = 10,
    kEntryPressure = 11,
    kEntryTnt = 12,
    kEntryPpeLevel = 13,
    kEntryClothing = 14,
    kEntryEquipmentName = 15,
    kEntryDate = 16,
    kEntryUserRow1 = 17,
    kEntryUserRow2 = 18,
};
inline constexpr std::size_t kFixedEntries = 17;
inline constexpr std::size_t kMaxEntries = 19;

struct LabelSettings {
    bool LabelInColor = true;
    int LabelLanguage = kEnglish;
    std::vector<LabelContentItem> ContentItems;
    std::uint16_t LabelLineCount = 7;
};

// The 17 fixed entries with their marks at start.
std::vector<LabelContentItem> DefaultContentItems();
LabelSettings DefaultLabelSettings();

// The number of value rows the label carries: the checked entries among 2
// to 14 and the checked user rows.
std::uint16_t CountLabelLines(const std::vector<LabelContentItem>& items);

// Whether entry `index` exists and is checked.
bool IsChecked(const std::vector<LabelContentItem>& items, std::size_t index);

}  // namespace zentavo

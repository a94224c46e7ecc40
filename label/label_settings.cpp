// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/label_settings.h"

namespace zentavo {

std::vector<LabelContentItem> DefaultContentItems() {
    return {
        {"Warning!", true, true},
        {"Arc Flash & Shock Hazard", true, true},
        {"Equipment type", true, false},
        {"Grounding", true, false},
        {"Work Distance", true, false},
        {"Available bolted current", true, false},
        {"Limited approach boundary", false, false},
        {"Restricted approach boundary", false, false},
        {"Prohibited approach boundary", false, false},
        {"Flash protection boundary", true, false},
        {"Incident energy at work distance", true, false},
        {"Pressure", false, false},
        {"TNT equivalent", false, false},
        {"PPE level", true, false},
        {"Typical protective clothing systems", false, false},
        {"Equipment name", true, false},
        {"Date created", false, false},
    };
}

LabelSettings DefaultLabelSettings() {
    LabelSettings s;
    s.ContentItems = DefaultContentItems();
    s.LabelLineCount = CountLabelLines(s.ContentItems);
    return s;
}

char LanguageDecimalSeparator(int language) {
    return language == kSpanish || language == kFrench ? ',' : '.';
}

bool IsChecked(const std::vector<LabelContentItem>& items, std::size_t index) {
    return index < items.size() && items[index].Checked;
}

std::uint16_t CountLabelLines(const std::vector<LabelContentItem>& items) {
    std::uint16_t n = 0;
    for (std::size_t k = kEntryEquipmentType; k <= kEntryClothing; ++k) n += IsChecked(items, k);
    n += IsChecked(items, kEntryUserRow1);
    n += IsChecked(items, kEntryUserRow2);
    return n;
}

}  // namespace zentavo

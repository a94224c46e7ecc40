// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/layout.h"

#include "label/translations.h"

namespace zentavo {

const LabelRow kLabelRows[13] = {
    {kEntryEquipmentType, "Label1", "Label10"},   {kEntryGrounding, "Label2", "Label11"},
    {kEntryWorkDistance, "Label3", "Label12"},    {kEntryBoltedCurrent, "Label4", "Label13"},
    {kEntryLimitedApproach, "Label24", "Label30"}, {kEntryRestrictedApproach, "Label25", "Label31"},
    {kEntryProhibitedApproach, "Label27", "Label32"}, {kEntryFlashBoundary, "Label5", "Label14"},
    {kEntryIncidentEnergy, "Label6", "Label15"},  {kEntryPressure, "Label26", "Label33"},
    {kEntryTnt, "Label28", "Label34"},            {kEntryPpeLevel, "Label7", "Label16"},
    {kEntryClothing, "Label29", "Label35"},
};

const std::string_view kClothingSlots[10] = {"Label19", "Label36", "Label37", "Label38", "Label39",
                                             "Label40", "Label41", "Label42", "Label43", "Label44"};

RowMetrics RowMetricsFor(unsigned n) {
    static constexpr RowMetrics kTable[] = {
        {84, 14}, {84, 14}, {84, 14}, {84, 14}, {60, 14}, {48, 14}, {38, 14}, {32, 14},
        {27, 12}, {24, 12}, {22, 12}, {20, 12}, {18, 10}, {17, 10}, {15, 10}, {14, 8},
    };
    return kTable[n < 15 ? n : 15];
}

std::string DateText(LabelDate d) {
    return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year);
}

LabelLayout LayoutLabel(const LabelSettings& s, LabelDate today, std::string_view line1Value,
                        std::string_view line2Value) {
    LabelLayout out;
    const auto& items = s.ContentItems;
    const int language = (s.LabelLanguage >= kEnglish && s.LabelLanguage <= kFrench) ? s.LabelLanguage : kEnglish;
    out.picture = language * 2 + (s.LabelInColor ? 0 : 1);

    const RowMetrics m = RowMetricsFor(s.LabelLineCount);
    auto row = [&](std::string_view name, int left) -> SlotLayout& {
        SlotLayout& slot = out.places[std::string(name)];
        slot.left = left;
        slot.fontPt = m.fontPt;
        slot.bold = true;
        return slot;
    };

    // Value rows close up over the unchecked ones, in the order of the list.
    int shown = 0;
    for (const LabelRow& r : kLabelRows) {
        const bool on = IsChecked(items, static_cast<std::size_t>(r.entry));
        const int top = kFirstRowTop + m.step * shown;
        for (std::string_view name : {r.title, r.value}) {
            SlotLayout& slot = row(name, name == r.title ? kTitleLeft : kValueLeft);
            slot.visible = on;
            slot.top = top;
        }
        if (r.entry == kEntryEquipmentType) {
            SlotLayout& second = row("Label20", 429);
            second.visible = on;
            second.top = top;
        }
        shown += on;
    }
    // The values a worker must not miss are red on a colour label.
    for (std::string_view name : {"Label14", "Label15", "Label16"}) {
        out.places.find(name)->second.red = s.LabelInColor;
    }

    // User rows below the value rows.
    const bool user1 = IsChecked(items, kEntryUserRow1);
    const bool user2 = IsChecked(items, kEntryUserRow2);
    SlotLayout& title1 = row("Label22", kTitleLeft);
    SlotLayout& value1 = row("Label47", kValueLeft);
    title1.visible = value1.visible = user1;
    title1.top = kFirstRowTop + m.step * shown + 2;
    value1.top = title1.top + 1;
    if (user1) {
        out.row1 = {true, items[kEntryUserRow1].Text, std::string(line1Value)};
        out.texts["Label22"] = items[kEntryUserRow1].Text;
        out.texts["Label47"] = line1Value;
    }
    SlotLayout& title2 = row("Label23", kTitleLeft);
    SlotLayout& value2 = row("Label48", kValueLeft);
    title2.visible = value2.visible = user2;
    title2.top = kFirstRowTop + m.step * (shown + (user1 ? 1 : 0)) + 2;
    value2.top = title2.top;
    if (user2) {
        out.row2 = {true, items[kEntryUserRow2].Text, std::string(line2Value)};
        out.texts["Label23"] = items[kEntryUserRow2].Text;
        out.texts["Label48"] = line2Value;
    }
    if (s.LabelLineCount == 14) out.places["Label16"].top -= 2;

    // Equipment name band, footer and date; the footer's descenders keep a
    // pixel of white above the frame.
    const bool name = IsChecked(items, kEntryEquipmentName);
    out.places["Label17"] = {name, 414, kTitleLeft, 10, true, false};
    out.places["Label18"] = {name, 414, kValueLeft, 10, true, false};
    out.places["Label8"] = {true, 434, kTitleLeft, 8, false, false};
    out.places["Label9"] = {true, 434, 300, 8, false, false};
    out.places["Label21"] = {IsChecked(items, kEntryDate), 434, 560, 8, false, false};
    out.texts["Label21"] = DateText(today);
    out.texts["Label8"] = "Arc flash hazard analysis after IEEE 1584-2002";
    out.texts["Label9"] = "Made with Zentavo";

    // Clothing lines: the texts and places of the language; the content
    // decides their tops and which pair shows.
    for (const ClothingLine& line : kLabelClothing) {
        out.texts[std::string(line.slot)] = line.text[language];
        out.places[std::string(line.slot)] = {false, 0, line.left[language], 7, false, false};
    }
    return out;
}

}  // namespace zentavo

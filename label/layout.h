// SPDX-License-Identifier: GPL-3.0-or-later
// Where every text of the warning label stands: which rows the options ask
// for, the row step and font size that fit them, the picture of the label
// type and language, the clothing texts and the date. All positions are in
// the coordinates of the label panel.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "label/label_settings.h"

namespace zentavo {

// The line under a label computed by the IEEE 1584-2018 model, in place of
// the layout's line naming the 2002 edition.
inline constexpr const char* kIeee2018LabelLine = "Arc flash hazard analysis after IEEE 1584-2018";

struct SlotLayout {
    bool visible = true;
    int top = 0;
    int left = 0;
    int fontPt = 8;
    bool bold = false;
    bool red = false;
};

struct UserRowEdits {
    bool enabled = false;
    std::string title;  // the row's title edit
    std::string value;  // the row's value edit
};

struct LabelLayout {
    int picture = 0;  // 0..5: English, Spanish, French, each colour then black and white
    std::map<std::string, SlotLayout, std::less<>> places;
    std::map<std::string, std::string, std::less<>> texts;  // slot texts the layout decides
    UserRowEdits row1, row2;
};

struct LabelDate {
    int day, month, year;
};

// The row step and font size for a number of value rows.
struct RowMetrics {
    int step;
    int fontPt;
};
RowMetrics RowMetricsFor(unsigned lineCount);

// The value rows: content entry, title slot, value slot, in label order.
struct LabelRow {
    int entry;
    std::string_view title;
    std::string_view value;
};
extern const LabelRow kLabelRows[13];
// The ten clothing-line slots, first and second line of levels 0 to 4.
extern const std::string_view kClothingSlots[10];

inline constexpr int kFirstRowTop = 190;
inline constexpr int kTitleLeft = 13;
inline constexpr int kValueLeft = 337;

// `line1Value` and `line2Value` are the current texts of the user rows' value edits.
LabelLayout LayoutLabel(const LabelSettings& settings, LabelDate today,
                        std::string_view line1Value, std::string_view line2Value);

// "7.12.2026": day, month, year without leading zeros.
std::string DateText(LabelDate d);

}  // namespace zentavo

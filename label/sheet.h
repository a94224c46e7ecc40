// SPDX-License-Identifier: GPL-3.0-or-later
// A whole warning label as it is drawn: the picture, and every text slot
// with its place, style and words. The layout decides the places, the
// content writes the words, the user adds the equipment name and the values
// of the user rows; a painter only reads the finished sheet.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "label/content.h"
#include "label/layout.h"

namespace zentavo {

struct LabelSlot {
    SlotLayout place;
    std::string text;
};

struct LabelSheet {
    int picture = 0;  // 0..5 as LabelLayout::picture
    SignalWord signal = SignalWord::Warning;  // DANGER: the headline band is painted over in red
    std::map<std::string, LabelSlot, std::less<>> byName;

    // The slot of that name; an unknown name is a programming error (std::out_of_range).
    LabelSlot& at(std::string_view name);
    const LabelSlot& at(std::string_view name) const;
};

// The sheet as laid out: every slot placed, the layout's own texts written.
LabelSheet SheetFromLayout(const LabelLayout& layout);
// Writes the label's words, the clothing lines and the clothing "N/A" into a
// laid-out sheet.
void ApplyContent(LabelSheet& sheet, const LabelContent& content);

// What the user types beside the label: the equipment name and the values of
// the two user rows.
struct LabelUserTexts {
    std::string equipmentName;
    std::string row1Value, row2Value;
};

// The equipment name holds at most this many characters.
inline constexpr std::size_t kEquipmentNameLength = 30;

// The byte length of the first `characters` characters of the UTF-8 text
// `name` (all of it when shorter). A character is a symbol as the reader
// sees it (label/grapheme.h): a letter with its accents, a flag, an emoji
// with its skin tone counts once and is never cut.
std::size_t EquipmentNameEnd(std::string_view name, std::size_t characters = kEquipmentNameLength);

// The equipment name as one line, as every label, the study report and the
// label window's name field show it: a line break (CR LF, LF, CR, U+0085,
// U+2028, U+2029) and every other control character (tab, escape, C0, DEL,
// C1) becomes one blank. A name read from a study may hold them in quotes;
// drawn as they are, they would break the name over the values below it.
std::string OneLineName(std::string_view name);

// A finished label without any window: laid out from the options, filled
// from the result texts (the clothing lines placed at the laid-out clothing
// row), with the user's texts.
LabelSheet ComposeLabel(const LabelSettings& settings, LabelDate date,
                        LabelContentInputs inputs, const LabelUserTexts& user);

}  // namespace zentavo

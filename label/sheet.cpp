// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/sheet.h"

#include <stdexcept>

#include "label/grapheme.h"

namespace zentavo {

LabelSlot& LabelSheet::at(std::string_view name) {
    auto it = byName.find(name);
    if (it == byName.end()) throw std::out_of_range("no label slot " + std::string(name));
    return it->second;
}

const LabelSlot& LabelSheet::at(std::string_view name) const {
    return const_cast<LabelSheet*>(this)->at(name);
}

LabelSheet SheetFromLayout(const LabelLayout& layout) {
    LabelSheet sheet;
    sheet.picture = layout.picture;
    for (const auto& [name, place] : layout.places) sheet.byName[name].place = place;
    for (const auto& [name, text] : layout.texts) sheet.byName[name].text = text;
    return sheet;
}

void ApplyContent(LabelSheet& sheet, const LabelContent& content) {
    sheet.signal = content.signal;
    for (const auto& [name, text] : content.texts) sheet.byName[name].text = text;
    for (const auto& [name, clothing] : content.clothing) {
        SlotLayout& place = sheet.byName[name].place;
        place.visible = clothing.visible;
        place.top = clothing.top;
        place.fontPt = clothing.fontPt;
        place.bold = false;
    }
    if (content.clothingNaShown) sheet.at("Label35").place.visible = *content.clothingNaShown;
}

std::size_t EquipmentNameEnd(std::string_view name, std::size_t characters) {
    return SymbolsEnd(name, characters);
}

std::string OneLineName(std::string_view name) {
    std::string line;
    line.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = [&](std::size_t k) -> unsigned char { return k < name.size() ? static_cast<unsigned char>(name[k]) : 0; };
        const unsigned char b = byte(i);
        if (b < 0x20 || b == 0x7F) {
            if (b == '\r' && byte(i + 1) == '\n') ++i;  // CR LF: one line break
            line += ' ';
        } else if (b == 0xC2 && byte(i + 1) >= 0x80 && byte(i + 1) <= 0x9F) {  // U+0080..U+009F
            line += ' ';
            ++i;
        } else if (b == 0xE2 && byte(i + 1) == 0x80 && (byte(i + 2) == 0xA8 || byte(i + 2) == 0xA9)) {
            line += ' ';  // U+2028 line separator, U+2029 paragraph separator
            i += 2;
        } else {
            line += static_cast<char>(b);
        }
    }
    return line;
}

LabelSheet ComposeLabel(const LabelSettings& settings, LabelDate date, LabelContentInputs inputs,
                        const LabelUserTexts& user) {
    const LabelLayout layout = LayoutLabel(settings, date, user.row1Value, user.row2Value);
    LabelSheet sheet = SheetFromLayout(layout);
    inputs.language = layout.picture / 2;  // the layout's language: an unknown one reads as English
    inputs.clothingChecked = IsChecked(settings.ContentItems, kEntryClothing);
    inputs.clothingCaptionTop = sheet.at("Label29").place.top;
    ApplyContent(sheet, MakeLabelContent(inputs));
    sheet.at("Label18").text = OneLineName(user.equipmentName);
    return sheet;
}

}  // namespace zentavo

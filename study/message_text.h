// SPDX-License-Identifier: GPL-3.0-or-later
// Texts from the input (a study's names and columns, option values, file
// names) quoted in a message on a terminal. A control character there would
// act instead of being shown: an escape sequence retitles or clears the
// terminal, a carriage return hides what came before it on the line.
#pragma once

#include <string>
#include <string_view>

namespace zentavo {

// `text` with every byte that a terminal would act on written as \xHH
// (lower-case hex): the C0 controls and DEL, the C1 controls U+0080..U+009F
// (their two UTF-8 bytes), the marks that reverse the direction of the text
// (U+202A..U+202E, U+2066..U+2069) and every byte that is not part of valid
// UTF-8 (a lone 0x9B starts a control sequence on a Latin-1 terminal). All
// other text, letters of any script included, stays as it is.
std::string EscapeControls(std::string_view text);

}  // namespace zentavo

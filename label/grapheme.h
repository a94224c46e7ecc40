// SPDX-License-Identifier: GPL-3.0-or-later
// Symbols as a reader sees them in UTF-8 text: a letter with its combining
// accents, a flag of two regional indicators, an emoji with its skin tone,
// variation selector or joined emoji, a Hangul syllable of jamo. A text cut
// at a symbol's end never leaves half a symbol (a box on the label).
#pragma once

#include <cstddef>
#include <string_view>

namespace zentavo {

// The byte length of the first `symbols` symbols of the UTF-8 text `text`
// (all of it when it has fewer). A byte that is not valid UTF-8 counts as a
// symbol of its own, with the continuation bytes after it.
std::size_t SymbolsEnd(std::string_view text, std::size_t symbols);

}  // namespace zentavo

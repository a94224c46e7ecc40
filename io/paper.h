// SPDX-License-Identifier: GPL-3.0-or-later
// The paper the user's system is set up for, the way libpaper finds it: the
// PAPERSIZE variable, then the locale's paper (LC_PAPER), then the system's
// paper file (PAPERCONF, else /etc/papersize). The report is laid out for A4
// and Letter; a system paper of another size is passed over, so that the
// next source decides.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zentavo {

enum class PaperSize { kA4, kLetter };

// "a4" or "letter" (any case, blanks around): the paper; any other name: none.
std::optional<PaperSize> PaperSizeNamed(std::string_view name);
// A locale's paper in millimetres, as LC_PAPER gives it: 210 x 297 is A4,
// 216 x 279 Letter, anything else none.
std::optional<PaperSize> PaperSizeMeasured(int widthMm, int heightMm);

// What the system says, each source as it was found (empty: not set).
struct PaperSources {
    std::string papersizeVariable;      // $PAPERSIZE
    std::optional<PaperSize> localePaper;  // LC_PAPER of a locale other than C/POSIX
    std::string paperFile;              // the first word of the paper file
};
std::optional<PaperSize> ChoosePaperSize(const PaperSources& sources);

// The sources as the environment and the file system hold them now.
PaperSources SystemPaperSources();
// ChoosePaperSize(SystemPaperSources()); none when nothing is set up.
std::optional<PaperSize> SystemPaperSize();

}  // namespace zentavo

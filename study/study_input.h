// SPDX-License-Identifier: GPL-3.0-or-later
// A study as a spreadsheet exports it, read right: its first bytes tell the
// rest. A study whose first MiB is not valid UTF-8 is a Windows-1252 export
// (a spreadsheet's default "CSV"): it is decoded to UTF-8 piece by piece, so
// that "Subestación" reaches the results and the labels whole. A
// semicolon- or tab-separated study takes its decimal separator from the
// numbers of its first rows: the exports of Spanish, French and German
// spreadsheets write "0,35".
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zentavo {

// How much of a study is looked at before it is read.
inline constexpr std::size_t kStudyLookBytes = std::size_t{1} << 20;

using StudyBytesSource = std::function<std::size_t(char* buffer, std::size_t size)>;

// The first bytes of a study and what they tell.
struct StudyLook {
    std::string head;     // up to kStudyLookBytes, as UTF-8
    bool whole = false;   // `head` is the whole study
    bool cp1252 = false;  // the study is not UTF-8: it is read as Windows-1252
    // A source giving `head` then the rest of the study, as UTF-8.
    StudyBytesSource source;
};

// Takes the first bytes of `source` (UTF-8 or any bytes). With `detect`, a
// study whose first bytes are not valid UTF-8 (a sequence cut at the end of
// them aside) is read as Windows-1252 from its start to its end.
StudyLook LookAtStudy(StudyBytesSource source, bool detect);

// The decimal separator the numbers of a study's first rows are written
// with (`head`: its first bytes as UTF-8, the whole study when `whole`,
// records separated by `delimiter`; a record cut at its end is left out):
// ',' when some cell of a number column holds a decimal comma ("0,35") and
// none a decimal point, '.' for the opposite; none when the rows hold both,
// or no number with a fraction at all. `decimals` receives whether any
// number with a fraction was seen.
std::optional<char> GuessDecimalSeparator(std::string_view head, char delimiter, bool whole,
                                          bool* decimals = nullptr);

}  // namespace zentavo

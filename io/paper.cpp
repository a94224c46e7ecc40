// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/paper.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <langinfo.h>
#include <locale.h>

namespace zentavo {
namespace {

std::string_view Trimmed(std::string_view s) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The locale that decides LC_PAPER, as setlocale would choose it.
std::string PaperLocaleName() {
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        if (std::string v = Variable(name); !v.empty()) return v;
    }
    return "";
}

bool IsPlainLocale(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

// The paper of the locale `name` (glibc gives its size in millimetres).
std::optional<PaperSize> LocalePaper(const std::string& name) {
    if (IsPlainLocale(name)) return std::nullopt;
    locale_t loc = newlocale(LC_PAPER_MASK, name.c_str(), locale_t{});
    if (loc == locale_t{}) return std::nullopt;  // not installed
    // glibc returns these two numbers in the place of a string pointer.
    const auto number = [loc](nl_item item) {
        return static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo_l(item, loc)));
    };
    const std::optional<PaperSize> size = PaperSizeMeasured(number(_NL_PAPER_WIDTH), number(_NL_PAPER_HEIGHT));
    freelocale(loc);
    return size;
}

// The first word of the paper file that is not a comment.
std::string PaperFileWord() {
    std::string path = Variable("PAPERCONF");
    if (path.empty()) path = "/etc/papersize";
    std::ifstream in(path);
    for (std::string line; line.size() < 4096 && std::getline(in, line);) {
        const std::string_view t = Trimmed(line);
        if (t.empty() || t.front() == '#') continue;
        return std::string(t.substr(0, t.find_first_of(" \t")));
    }
    return "";
}

}  // namespace

std::optional<PaperSize> PaperSizeNamed(std::string_view name) {
    name = Trimmed(name);
    if (SameWord(name, "a4")) return PaperSize::kA4;
    if (SameWord(name, "letter")) return PaperSize::kLetter;
    return std::nullopt;
}

std::optional<PaperSize> PaperSizeMeasured(int widthMm, int heightMm) {
    if (widthMm == 210 && heightMm == 297) return PaperSize::kA4;
    if (widthMm == 216 && heightMm == 279) return PaperSize::kLetter;
    return std::nullopt;
}

std::optional<PaperSize> ChoosePaperSize(const PaperSources& sources) {
    if (auto p = PaperSizeNamed(sources.papersizeVariable)) return p;
    if (sources.localePaper) return sources.localePaper;
    return PaperSizeNamed(sources.paperFile);
}

PaperSources SystemPaperSources() {
    return {Variable("PAPERSIZE"), LocalePaper(PaperLocaleName()), PaperFileWord()};
}

std::optional<PaperSize> SystemPaperSize() { return ChoosePaperSize(SystemPaperSources()); }

}  // namespace zentavo

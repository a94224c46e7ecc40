// SPDX-License-Identifier: GPL-3.0-or-later
// The sources a study is read from: a study in UTF-16 decoded piece by
// piece, and a study held in memory.
#include <cstring>
#include <memory>

#include "io/text_codec.h"
#include "study/run.h"

namespace zentavo {

StudySource Utf8StudySource(StudySource source) {
    // The decoding reads this much UTF-16 at a time: memory stays bounded.
    constexpr std::size_t kPieceBytes = std::size_t{1} << 16;
    struct State {
        StudySource source;
        bool started = false;
        bool utf16 = false;
        bool little = false;
        bool end = false;
        std::string held;       // bytes to hand out: the first bytes as read, or decoded text
        std::size_t given = 0;  // how much of `held` is handed out
        std::string raw;        // UTF-16 read and not yet decoded: a unit or a pair cut in two
    };
    auto state = std::make_shared<State>();
    state->source = std::move(source);
    return [state](char* buffer, std::size_t size) -> std::size_t {
        State& s = *state;
        if (!s.started) {
            // The first two bytes tell UTF-16 by its byte-order mark.
            char first[2];
            std::size_t got = 0;
            while (got < 2) {
                const std::size_t n = s.source(first + got, 2 - got);
                if (n == 0) break;
                got += n;
            }
            s.started = true;
            const std::string_view mark(first, got);
            s.utf16 = mark == "\xFF\xFE" || mark == "\xFE\xFF";
            s.little = mark == "\xFF\xFE";
            if (!s.utf16) s.held.assign(mark);
        }
        auto invalid = [] {
            return StudyReadError(
                "not valid UTF-16 (a surrogate without its pair, or a byte left over): "
                "save the study as UTF-8");
        };
        while (s.given == s.held.size()) {
            if (!s.utf16) return s.source(buffer, size);
            if (s.end) {
                if (!s.raw.empty()) throw invalid();
                return 0;
            }
            s.held.clear();
            s.given = 0;
            const std::size_t kept = s.raw.size();
            s.raw.resize(kept + kPieceBytes);
            const std::size_t n = s.source(s.raw.data() + kept, kPieceBytes);
            s.raw.resize(kept + n);
            s.end = n == 0;
            // Whole units, and a high surrogate only with the unit after it.
            std::size_t whole = s.raw.size() & ~std::size_t{1};
            if (!s.end && whole >= 2) {
                const auto high = static_cast<unsigned char>(s.raw[whole - (s.little ? 1 : 2)]);
                if (high >= 0xD8 && high <= 0xDB) whole -= 2;
            }
            if (!DecodeUtf16(std::string_view(s.raw).substr(0, whole), s.little, s.held)) {
                throw invalid();
            }
            s.raw.erase(0, whole);
        }
        const std::size_t n = std::min(size, s.held.size() - s.given);
        std::memcpy(buffer, s.held.data() + s.given, n);
        s.given += n;
        return n;
    };
}

StudySource TextSource(std::string_view text, std::size_t piece) {
    return [text, piece](char* buffer, std::size_t size) mutable {
        const std::size_t n = std::min({size, piece, text.size()});
        if (n) std::memcpy(buffer, text.data(), n);
        text.remove_prefix(n);
        return n;
    };
}

}  // namespace zentavo

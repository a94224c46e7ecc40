// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/command_line.h"

#include <getopt.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace zentavo {
namespace {

// getopt_long names a long option by this value plus its index in the table.
constexpr int kLongBase = 256;

std::string LongName(std::string_view name) { return "'--" + std::string(name) + "'"; }

// The name the user wrote for a long option getopt could not take: up to '='.
std::string_view WrittenName(const char* arg) {
    std::string_view a(arg);
    a.remove_prefix(std::min<std::size_t>(2, a.size()));
    return a.substr(0, a.find('='));
}

std::string UnknownLong(std::string_view written, std::span<const CommandOption> table) {
    std::string matches;
    int count = 0;
    for (const CommandOption& o : table) {
        if (!written.empty() && o.name.starts_with(written)) {
            matches += " " + LongName(o.name);
            ++count;
        }
    }
    if (count > 1) return "option " + LongName(written) + " is ambiguous; possibilities:" + matches;
    return "unrecognized option " + LongName(written);
}

}  // namespace

CommandLine ReadCommandLine(int argc, char* const* argv, std::span<const CommandOption> table) {
    std::vector<option> longs;
    std::string shorts = ":";  // ':' first: a missing value is told apart from an unknown option
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CommandOption& o = table[i];
        longs.push_back({o.name.data(), o.takesValue ? required_argument : no_argument, nullptr,
                         kLongBase + static_cast<int>(i)});
        if (o.shortName) {
            shorts += o.shortName;
            if (o.takesValue) shorts += ':';
        }
    }
    longs.push_back({nullptr, 0, nullptr, 0});
    // The names must be strings of their own, ended by '\0'.
    std::vector<std::string> names;
    names.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        names.emplace_back(table[i].name);
        longs[i].name = names.back().c_str();
    }

    CommandLine line;
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    optind = 0;  // a fresh scan, as for a new program
    opterr = 0;
    const auto indexOfShort = [&](int c) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (table[i].shortName == c) return static_cast<int>(i);
        }
        return -1;
    };
    for (int c; (c = getopt_long(argc, args.data(), shorts.c_str(), longs.data(), nullptr)) != -1;) {
        if (c >= kLongBase) {
            line.options.push_back({static_cast<std::size_t>(c - kLongBase), optarg ? optarg : ""});
            continue;
        }
        if (c != '?' && c != ':') {
            line.options.push_back({static_cast<std::size_t>(indexOfShort(c)), optarg ? optarg : ""});
            continue;
        }
        const char* arg = args[static_cast<std::size_t>(optind - 1)];
        const bool isLong = std::string_view(arg).starts_with("--");
        if (c == ':') {
            line.problem =
                optopt >= kLongBase || isLong
                    ? "option " +
                          LongName(optopt >= kLongBase
                                       ? table[static_cast<std::size_t>(optopt - kLongBase)].name
                                       : WrittenName(arg)) +
                          " requires an argument"
                    : std::string("option requires an argument -- '") + static_cast<char>(optopt) +
                          "'";
        } else if (optopt >= kLongBase) {
            line.problem = "option " +
                           LongName(table[static_cast<std::size_t>(optopt - kLongBase)].name) +
                           " doesn't allow an argument";
        } else if (isLong) {
            line.problem = UnknownLong(WrittenName(arg), table);
        } else {
            line.problem = std::string("invalid option -- '") + static_cast<char>(optopt) + "'";
        }
        return line;
    }
    for (int i = optind; i < argc; ++i) line.operands.emplace_back(args[static_cast<std::size_t>(i)]);
    return line;
}

std::string VersionText(std::string_view program, std::string_view version) {
    return std::string(program) + " " + std::string(version) +
           "\nCopyright (C) 2026 the Zentavo authors.\n"
           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

int AnswerOnStandardOutput(std::string_view program, std::string_view text) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) == 0 && written) return 0;
    const int error = errno;
    std::fprintf(stderr, "%.*s: write error%s%s\n", static_cast<int>(program.size()), program.data(),
                 error ? ": " : "", error ? std::strerror(error) : "");
    return 1;
}

}  // namespace zentavo

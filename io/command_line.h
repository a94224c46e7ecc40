// SPDX-License-Identifier: GPL-3.0-or-later
// GNU command lines for both programs, read with getopt_long: options in any
// order among the operands, "--" ending them, a long option shortened to any
// unambiguous beginning, "--name=value" or "--name value". Errors come back
// as one sentence for the program to show (escaped as its messages are),
// never printed here.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

struct CommandOption {
    std::string_view name;  // long name, without "--"
    char shortName = 0;     // 0: none
    bool takesValue = true;
};

struct CommandLine {
    struct Given {
        std::size_t option;  // index into the option table
        std::string value;   // empty for an option without a value
    };
    std::vector<Given> options;  // in the order given
    std::vector<std::string> operands;
    // The first problem: "unrecognized option '--bogus'", "option '--report'
    // requires an argument", "option '--label' is ambiguous; possibilities:
    // '--label-language' '--label-colour'", "invalid option -- 'x'"...;
    // none when the line reads.
    std::optional<std::string> problem;
};

CommandLine ReadCommandLine(int argc, char* const* argv, std::span<const CommandOption> table);

// The answer to --version: the program's name and version, then its
// copyright and licence, as GNU programs give them.
std::string VersionText(std::string_view program, std::string_view version);
// Writes the answer to --help or --version to standard output: 0, or 1 with
// "PROGRAM: write error: ..." on standard error when it could not be
// written (a full disk, a closed pipe).
int AnswerOnStandardOutput(std::string_view program, std::string_view text);

}  // namespace zentavo

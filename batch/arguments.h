// SPDX-License-Identifier: GPL-3.0-or-later
// zentavo-batch's command line: the usage text, every option with the words
// or values it takes, and the reading of the command line into what it asks
// for, each problem a usage error told on standard error.
#pragma once

#include <optional>
#include <string>

#include "batch/study_pdfs.h"
#include "study/run.h"

namespace zentavo::batch {

// What the command line asks for.
struct Arguments {
    // The delimiter and the line ends follow the input unless named.
    zentavo::StudyOptions options = [] {
        zentavo::StudyOptions o;
        o.detectDelimiter = o.lineEndOfInput = true;
        o.detectEncoding = o.detectDecimalSeparator = true;
        return o;
    }();
    const char* inputPath = nullptr;  // none or "-": standard input; else `input`
    std::string input;
    std::string curvesPath;  // --curves: empty when not given
    zentavo::StudyPdfRequest pdf;
    std::string labelOptionGiven, reportOptionGiven;  // the last label and report option named
    bool standardGiven = false;  // --label-standard: the labels and the report follow it
    std::string classicOptionGiven;  // the last option of the classic label alone named
    bool sizeGiven = false;
    std::string outputPath;  // -o, --output: empty or "-" for standard output
    bool quiet = false;      // no notes on how the study was read, no progress
    bool strict = false;     // exit status 3 when some rows are errors
    bool progress = false;   // --progress: the progress line even off a terminal
};

// A message on standard error. Input quoted in it (a value, a column, a file
// name) shows its control characters escaped, so that it cannot act on the
// terminal.
void Tell(const std::string& message);

// Reads the command line into `args`. Returns the exit status where the
// program ends with it: after --help or --version, or a usage error (told).
std::optional<int> ReadArguments(int argc, char** argv, Arguments& args);

}  // namespace zentavo::batch

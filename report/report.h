// SPDX-License-Identifier: GPL-3.0-or-later
// The results report: one block of caption-value lines per save, built only
// from the texts the windows show, so the report says exactly what the
// screen said.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "engine/error.h"

namespace zentavo {

// The texts of the empirical model's calculation: input fields of the main
// and intermediate windows, and captions and values of the results window.
struct EmpiricalReportTexts {
    std::string equipmentClass, gapUnit, gap, grounding, workDistUnit, workDist, boltedCurrent,
        voltage, arcCurrent, arcTime, arcCurrentReduced, arcTimeReduced;
    // The full arcing current's case.
    std::string fullEnergyCaption, fullEnergy, fullBoundaryCaption, fullBoundary, fullPpeLevel;
    std::string fullPressureCaption, fullPressure, fullTntCaption, fullTnt;
    // The case of the arcing current reduced by 15%.
    std::string reducedEnergyCaption, reducedEnergy, reducedBoundaryCaption, reducedBoundary,
        reducedPpeLevel;
    std::string reducedPressureCaption, reducedPressure, reducedTntCaption, reducedTnt;
    std::string limitedApproachCaption, limitedApproach, restrictedApproachCaption,
        restrictedApproach, prohibitedApproachCaption, prohibitedApproach;
    bool pressureShown = false;  // "Show Pressure Developed by Arc" checked
    bool tntShown = false;       // "Show TNT Equivalent of Arc Blast" checked
    bool reducedCaseOffered = true;
};

// The fuse and breaker equations.
struct SingleCaseReportTexts {
    std::string equipmentClass, gapUnit, gap, workDistUnit, workDist, basedOn, boltedCurrent,
        arcCurrent, voltage;
    std::string energyCaption, energy, boundaryCaption, boundary, ppeLevel;
    std::string limitedApproachCaption, limitedApproach, restrictedApproachCaption,
        restrictedApproach, prohibitedApproachCaption, prohibitedApproach;
};

std::vector<std::string> EmpiricalReportLines(const EmpiricalReportTexts& t);
// The fuse block names the predicted arcing current only when it is
// appended to an existing report.
std::vector<std::string> FuseReportLines(const SingleCaseReportTexts& t, bool appending);
std::vector<std::string> BreakerReportLines(const SingleCaseReportTexts& t);

// A report text holds a character that Windows-1252 lacks (a unit word
// typed into the units window, say). The report is not written: a '?' in its
// place would say something the screen did not.
class ReportEncodingError : public Error {
public:
    explicit ReportEncodingError(char32_t c);
    char32_t character;
};

// The bytes of a block: Windows-1252, every line ended by CR LF, after an
// empty line when it is appended to an existing report. ReportEncodingError
// for the first character Windows-1252 cannot hold. (Bytes that are not
// UTF-8 at all stay as they are.)
std::string EncodeReportBlock(const std::vector<std::string>& lines, bool appending);

// Saves a block into `path`: a new file starts with the block, an existing
// one gets an empty line and the block at its end; what it held stays. The
// block is built and encoded once it is known which of the two it is, before
// the file is touched. IoError or ReportEncodingError on failure;
// a failed write leaves the file exactly as it was, and a pipe or device is
// refused without waiting on it.
template <class BuildLines>
void SaveReportBlock(const std::string& path, BuildLines&& build);

}  // namespace zentavo

#include "io/text_codec.h"

namespace zentavo {

template <class BuildLines>
void SaveReportBlock(const std::string& path, BuildLines&& build) {
    const bool appending = FileExists(path);
    AppendToFile(path, EncodeReportBlock(build(appending), appending));
}

}  // namespace zentavo

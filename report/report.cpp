// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report.h"

#include "io/text_codec.h"

namespace zentavo {

namespace {

// A results-window caption without its closing colon.
std::string WithoutLast(const std::string& caption) {
    return caption.empty() ? caption : caption.substr(0, caption.size() - 1);
}

}  // namespace

std::vector<std::string> EmpiricalReportLines(const EmpiricalReportTexts& t) {
    std::vector<std::string> l;
    l.reserve(23);
    l.push_back("Equipment class: " + t.equipmentClass);
    l.push_back("Gap between conductors (" + t.gapUnit + "): " + t.gap);
    l.push_back("Grounding: " + t.grounding);
    l.push_back("Working distance (" + t.workDistUnit + "): " + t.workDist);
    l.push_back("Available 3Ph bolted current (kA): " + t.boltedCurrent);
    l.push_back("System voltage (V): " + t.voltage);
    l.push_back("Predicted arcing current (kA): " + t.arcCurrent);
    l.push_back("Arc duration (sec): " + t.arcTime);
    l.push_back("Arcing current reduced by 15% (kA): " + t.arcCurrentReduced);
    l.push_back("Arc duration at reduced current (sec): " + t.arcTimeReduced);
    l.push_back(WithoutLast(t.fullEnergyCaption) + "(100% arcing current):" + " " + t.fullEnergy);
    l.push_back(WithoutLast(t.fullBoundaryCaption) + "(100% arcing current):" + " " + t.fullBoundary);
    l.push_back("Level of PPE: " + t.fullPpeLevel);
    // The theoretically derived equations give no pressure or TNT equivalent
    // (the window hides those rows): the report names none either.
    if (t.pressureShown && t.reducedCaseOffered) l.push_back(t.fullPressureCaption + " " + t.fullPressure);
    if (t.tntShown && t.reducedCaseOffered) l.push_back(t.fullTntCaption + " " + t.fullTnt);
    if (t.reducedCaseOffered) {
        l.push_back(WithoutLast(t.reducedEnergyCaption) + "(arcing current reduced by 15%):" + " " + t.reducedEnergy);
        l.push_back(WithoutLast(t.reducedBoundaryCaption) + "(arcing current reduced by 15%):" + " " + t.reducedBoundary);
        l.push_back("Level of PPE (arcing current reduced by 15%): " + t.reducedPpeLevel);
        if (t.pressureShown) {
            l.push_back(WithoutLast(t.reducedPressureCaption) + " (arcing current reduced by 15%):  " + t.reducedPressure);
        }
        if (t.tntShown) {
            l.push_back(WithoutLast(t.reducedTntCaption) + " (arcing current reduced by 15%): " + t.reducedTnt);
        }
    }
    l.push_back(t.limitedApproachCaption + " " + t.limitedApproach);
    l.push_back(t.restrictedApproachCaption + " " + t.restrictedApproach);
    l.push_back(t.prohibitedApproachCaption + " " + t.prohibitedApproach);
    return l;
}

namespace {

std::vector<std::string> SingleCaseLines(const SingleCaseReportTexts& t, bool withArcCurrent) {
    std::vector<std::string> l;
    l.reserve(14);
    l.push_back("Equipment class: " + t.equipmentClass);
    l.push_back("Gap between conductors (" + t.gapUnit + "): " + t.gap);
    l.push_back("Grounding: Grounded");
    l.push_back("Working distance (" + t.workDistUnit + "): " + t.workDist);
    l.push_back("Based on equations for: " + t.basedOn);
    l.push_back("Available 3Ph bolted current (kA): " + t.boltedCurrent);
    if (withArcCurrent) l.push_back("Predicted arcing current (kA): " + t.arcCurrent);
    l.push_back("System voltage (V): " + t.voltage);
    l.push_back(t.energyCaption + " " + t.energy);
    l.push_back(t.boundaryCaption + " " + t.boundary);
    l.push_back("Level of PPE: " + t.ppeLevel);
    l.push_back(t.limitedApproachCaption + " " + t.limitedApproach);
    l.push_back(t.restrictedApproachCaption + " " + t.restrictedApproach);
    l.push_back(t.prohibitedApproachCaption + " " + t.prohibitedApproach);
    return l;
}

}  // namespace

std::vector<std::string> FuseReportLines(const SingleCaseReportTexts& t, bool appending) {
    return SingleCaseLines(t, appending);
}

std::vector<std::string> BreakerReportLines(const SingleCaseReportTexts& t) {
    return SingleCaseLines(t, false);
}

namespace {

// How the refusal names a character: itself in quotes, or its number when
// it would not show (line and paragraph separators).
std::string Named(char32_t c) {
    if (c == 0x2028 || c == 0x2029) return c == 0x2028 ? "U+2028" : "U+2029";
    std::string utf8 = "'";
    AppendUtf8(utf8, c);
    return utf8 + "'";
}

}  // namespace

ReportEncodingError::ReportEncodingError(char32_t c)
    : Error("The report is written in Windows-1252, which cannot hold " + Named(c) +
            "."),
      character(c) {}

std::string EncodeReportBlock(const std::vector<std::string>& lines, bool appending) {
    std::string out = appending ? "\r\n" : "";
    for (const std::string& line : lines) {
        char32_t c;
        for (std::size_t i = 0; i < line.size();) {
            const auto b = static_cast<unsigned char>(line[i]);
            const int len = b < 0x80 ? 0 : DecodeUtf8(line, i, c);
            if (len == 0) {  // ASCII, or not UTF-8 at all: the byte as it is
                out.push_back(line[i++]);
                continue;
            }
            const int mapped = Cp1252Byte(c);
            if (mapped < 0) throw ReportEncodingError(c);
            out.push_back(static_cast<char>(mapped));
            i += static_cast<std::size_t>(len);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace zentavo

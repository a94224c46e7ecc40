// One point of work of a study, computed from its input texts through the
// same engine as the desktop program, so a study and the program always agree.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/method.h"
#include "engine/units.h"
#include "network/short_circuit.h"
#include "study/columns.h"
#include "study/csv.h"

namespace zentavo {

struct StudyOptions {
    UnitSettings units;    // output units; the gap and working-distance units come per row
    char sep = '.';        // decimal separator of the numbers read and written
    unsigned workers = 0;  // threads computing rows; 0: one a core; 1: the caller's thread alone
    std::size_t chunkRows = 2048;  // rows read, computed and written together
    std::size_t maxRecordBytes = csv::kMaxRecordBytes;
    // The convention of the fault currents of a study with a network.
    network::Convention shortCircuit = network::Convention::Ansi;
};

// One row's input texts by column (empty for a column the study lacks) and
// its result texts (all empty on entry). A row in a network also carries
// the share of its bus fault current through its own branch (maximum case):
// what a protective device on that branch sees of the arcing current.
struct StudyRowInputs : std::array<std::string_view, kStudyInputColumnCount> {
    std::optional<double> deviceShareFromNetwork;
};
using StudyRowResults = std::array<std::string, kStudyResultColumnCount>;

// The numbers of a computed row as the calculation left them, in the
// engine's units: what the row's label (and any later model) reads, never
// the rounded result texts. The empirical equations have two cases; the fuse
// and breaker equations fill the full case alone; the 2018 model fills both.
struct StudyRowValues {
    bool computed = false;  // status "ok"; every number below is zero when not
    Method method = kEmpiricalMethod;
    bool reducedCaseOffered = false;  // the reduced arcing current's case was computed
    bool reducedGoverns = false;      // ... and it has the larger incident energy
    double voltage = 0;               // V
    double gapMm = 0;                 // the gap the equations used
    double arcCurrent = 0, arcCurrentReduced = 0;          // kA
    double incidentEnergy = 0, incidentEnergyReduced = 0;  // J/cm2, after the floors
    double flashBoundary = 0, flashBoundaryReduced = 0;    // mm, after the floors
    std::int32_t ppeIndex = -1, ppeIndexReduced = -1;      // 0..4, 5 beyond level 4; -1: none
    double arcPressure = 0, arcPressureReduced = 0;        // lb/ft2; 0: not computed
    double tntEquivalent = 0, tntEquivalentReduced = 0;    // kg; 0: not computed
};

// Computes one point of work from a fresh shared state: status "ok",
// "warning" (a refusal, with its joined message) or "error" (a value that is
// not a number, a word that is none of its column's words), and the results:
// their numbers, returned, and their texts in `out`.
StudyRowValues ComputeStudyRow(const StudyRowInputs& in, const StudyOptions& options,
                               StudyRowResults& out);

}  // namespace zentavo

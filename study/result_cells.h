// SPDX-License-Identifier: GPL-3.0-or-later
// The result columns' texts of a point (StudyResultColumn order), written
// from its PointResult: what the result CSV holds and the study window's
// table shows. The one place that writes a study row's result texts.
#pragma once

#include <array>
#include <string>

#include "study/columns.h"
#include "study/point_result.h"

namespace zentavo {

using StudyRowResults = std::array<std::string, kStudyResultColumnCount>;

// Many points of a device get the same duration (an instantaneous or
// definite-time element, a flat part of a curve, the cap): the texts of the
// last few durations written are kept and not written again.
class DurationTexts {
public:
    const std::string& Text(double seconds, char sep);

private:
    struct Written {
        double seconds = -1;
        char sep = 0;
        std::string text;
    };
    std::array<Written, 8> written_;
};

// Every result column of `p` in `units` with the decimal separator `sep`,
// into `out` (every text replaced). `durations`, when given, keeps the
// texts of durations written.
void WriteResultCells(const PointResult& p, const UnitSettings& units, char sep, StudyRowResults& out,
                      DurationTexts* durations = nullptr);
StudyRowResults ResultCells(const PointResult& p, const UnitSettings& units, char sep);

// The bolted current text of a row of a network, as its bolted_current_max
// or bolted_current_min column shows it: kA, three decimals.
std::string NetworkCurrentText(double ka, char sep);
// A number to three decimals without the trailing zeros ("1000000", "0.001",
// "31.2"), with the decimal separator `sep`: a bound or rating in a message.
std::string ShortDecimalText(double v, char sep);
// A device's interrupting duty: "interrupting rating 25 kA below the 31.2 kA
// available", "interrupting rating 25 kA for the 18.3 kA available", or
// "not checked" without a rating (the currents without trailing zeros).
std::string DutyText(const PointDuty& duty, char sep);
// A point's governing incident energy in each scenario, in the energy unit
// and as its energy column writes it: "normal 14.71, tie-closed 18.99,
// maint 2.23 cal/cm2"; the scenarios it is not computed in "gen-only not
// fed" (its bus has no source there), "normal without its branch".
std::string ScenarioEnergiesText(const PointResult& p, const UnitSettings& units, char sep);
// The same energies as the scenario_energies column writes them, one
// scenario after another in the study's order, each its name and its energy
// in the energy unit (the unit in the column's heading), as the energy
// column writes it: "normal 17.37; maint 2.79; tie-closed 22.11"; a scenario
// it is not computed in "gen-only not fed", "normal without its branch".
// Empty for a point without scenarios.
std::string ScenarioEnergiesCell(const PointResult& p, const UnitSettings& units, char sep);

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// The scenarios of a network study: the configurations its plant runs in
// (a tie open or closed, the utility or a generator, a maintenance switch
// on). A row's branch, source, generator and motor take part in the
// scenarios its `scenarios` cell names (empty or "all": in every one); its
// bus is in every one. A trip unit or relay with a maintenance setting
// (maint_inst_pickup, maint_inst_time) uses it in the scenario its
// maint_scenario names, and its own instantaneous setting in the others.
//
// Each point is computed in every scenario, both cases, and shows the
// worst: the largest governing incident energy (the first scenario on a
// tie), naming it. A scenario in which the point's bus has no source, or
// its own branch does not take part, leaves the point out of that
// scenario; a scenario in which the point is refused refuses the point, so
// that no label leaves a configuration out.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "study/network_study.h"
#include "study/row.h"
#include "study/study_point.h"

namespace zentavo {

// A scenario's name: 1 to 32 letters, digits, '-', '_' or '.', not "all".
bool IsScenarioName(std::string_view name);
// Whether two scenario names are the same scenario: names are compared
// whatever their case ("Gen" and "gen" are one), so that a name typed in
// another case is never a scenario of its own.
bool SameScenarioName(std::string_view a, std::string_view b);

// The names of a scenarios or maint_scenario cell, separated by blanks;
// none for an empty cell or "all". A name that is not one, or two names of
// the cell that differ only in case, are the cell's problem, naming the
// column (and no names).
struct ScenarioNames {
    std::vector<std::string_view> names;
    std::optional<RowProblem> problem;
};
ScenarioNames ScenarioCellNames(std::string_view cell, StudyInputColumn column = kScenariosColumn);

// The scenarios a study is computed in: `asked` when given, else "normal"
// (the rows in every scenario alone, no maintenance setting on: the plant
// as it stands when no switch is thrown) followed by every name its rows use
// (scenarios and maint_scenario cells, in the order first used). Without
// "normal" a study naming only a maintenance scenario, or only a closed
// tie, would never be computed with the switch off or the tie open, and its
// labels could understate. Empty: the study has no scenarios (one
// configuration). A name spelt in another case than its first use (or than
// `asked`) is that scenario, and its row an error. Cells that cannot be
// read are passed over here; their rows show the error.
std::vector<std::string> StudyScenarioNames(const std::vector<StudyRowInputs>& rows,
                                            const std::vector<std::string>& asked);

// The names of `asked` that no row's scenarios or maint_scenario cell uses,
// in the order asked, but for "normal" (which no row need name): each is
// computed as the rows in every scenario alone, which may be a name
// mistyped, and is told.
std::vector<std::string> UnusedScenarioNames(const std::vector<StudyRowInputs>& rows,
                                             const std::vector<std::string>& asked);

// The fault of a row's scenarios or maint_scenario cell that names one of
// the study's scenarios `names` in another case; none when there is none.
std::optional<RowProblem> ScenarioCaseFault(const StudyRowInputs& in, const std::vector<std::string>& names);

// A row's inputs in a scenario: where its maint_scenario names the
// scenario, its trip unit's or relay's instantaneous pickup and time are
// the maintenance setting's (a maint_inst_time left empty keeps the
// device's own time). The views stay the row's.
StudyRowInputs RowInScenario(const StudyRowInputs& in, std::string_view scenario);

// A row's protective device in a scenario (with its maintenance setting
// there; empty: its own setting), built once per settings by `devices`;
// none for a row without a device or whose settings are refused.
std::shared_ptr<const ProtectiveDevice> ScenarioDevice(const StudyRowInputs& in, std::string_view scenario,
                                                       const StudyOptions& options, StudyDevices& devices);

class StudyScenarios {
public:
    // The network of each scenario of StudyOptions::scenarios (or of every
    // name used); one network, in no scenario, for a study without any.
    StudyScenarios(const std::vector<StudyRowInputs>& rows, const StudyOptions& options);
    ~StudyScenarios();
    StudyScenarios(const StudyScenarios&) = delete;
    StudyScenarios& operator=(const StudyScenarios&) = delete;

    bool Named() const { return !names_.empty(); }
    // The scenarios asked (StudyOptions::scenarios) that no row uses.
    const std::vector<std::string>& Unused() const { return unused_; }
    std::size_t size() const { return networks_.size(); }
    const std::vector<std::string>& Names() const { return names_; }
    const StudyNetwork& Network(std::size_t scenario) const { return *networks_[scenario]; }
    // An earlier scenario whose network has the same elements (a
    // maintenance scenario beside the one it switches in), and whether a
    // row's device has other settings in the two: a point whose arc weighs
    // no such device has the same results in both.
    std::optional<std::size_t> Twin(std::size_t scenario) const { return twins_[scenario]; }
    bool SettingsDiffer(std::size_t scenario, std::size_t row) const;
    // Whether the scenario's steps walk its twin's states (StudyNetwork::
    // SameSteps): a row's memo of them serves both.
    bool SameSteps(std::size_t scenario) const { return sameSteps_[scenario]; }
    // Whether a row's maint_scenario names the scenario: a maintenance
    // setting is on in it.
    bool Maintenance(std::size_t scenario) const { return maintenance_[scenario]; }

private:
    std::vector<std::string> names_, unused_;
    std::vector<std::unique_ptr<StudyNetwork>> networks_;
    std::vector<std::optional<std::size_t>> twins_;
    std::vector<bool> maintenance_;          // by scenario
    std::vector<bool> sameSteps_;            // by scenario
    std::vector<std::vector<bool>> differ_;  // by scenario with a twin, by row
};

// Computes a row (from 0) of a network study in every scenario
// (ComputeNetworkStudyRow in each), giving the worst one's results with
// every scenario's governing energy.
PointResult ComputeScenarioStudyRow(const StudyRowInputs& in, std::size_t row, const StudyScenarios& scenarios,
                                    const StudyOptions& options, StudyDevices* devices = nullptr);

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/scenarios.h"

#include <algorithm>

#include "engine/number.h"
#include "study/errors.h"
#include "study/study_point.h"

namespace zentavo {

namespace {

constexpr std::size_t kLongestName = 32;
constexpr std::string_view kNormal = "normal";

bool Blank(char c) { return c == ' ' || c == '\t'; }

bool Has(const std::vector<std::string>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameScenarioName(n, name); });
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool HasMaintenance(const StudyRowInputs& in) {
    return !in[kMaintInstPickupColumn].empty() || !in[kMaintInstTimeColumn].empty() ||
           !in[kMaintScenarioColumn].empty();
}

// Why a row's maintenance setting cannot be used; none when it can (or
// the row has none).
std::optional<RowProblem> MaintenanceFault(const StudyRowInputs& in, char sep) {
    auto problem = [](std::string message) { return RowProblem{std::move(message), std::nullopt}; };
    if (!HasMaintenance(in)) return std::nullopt;
    const std::string_view type = in[kDeviceTypeColumn];
    if (type != "relay" && type != "trip-unit")
        return problem("maint_inst_pickup: a maintenance setting is given on a row whose device_type is not relay or trip-unit");
    if (in[kMaintScenarioColumn] == "all")
        return problem("maint_scenario: a maintenance setting is used in named scenarios, not in all");
    if (in[kMaintScenarioColumn].empty())
        return problem("maint_scenario: empty, a maintenance setting needs the scenario it is used in");
    if (in[kMaintInstPickupColumn].empty())
        return problem("maint_inst_pickup: empty, a maintenance setting needs its instantaneous pickup");
    if (ScenarioNames names = ScenarioCellNames(in[kMaintScenarioColumn], kMaintScenarioColumn); names.problem)
        return names.problem;
    for (StudyInputColumn c : {kMaintInstPickupColumn, kMaintInstTimeColumn}) {
        if (!in[c].empty() && !ReadNumber(in[c], sep)) return NotANumber(NumberCell{in[c], std::nullopt}, c);
    }
    return std::nullopt;
}

}  // namespace

bool SameScenarioName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsScenarioName(std::string_view name) {
    if (name.empty() || name.size() > kLongestName || name == "all") return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '_' || c == '.';
    });
}

ScenarioNames ScenarioCellNames(std::string_view cell, StudyInputColumn column) {
    std::vector<std::string_view> names;
    std::size_t i = 0;
    while (i < cell.size()) {
        while (i < cell.size() && Blank(cell[i])) ++i;
        std::size_t end = i;
        while (end < cell.size() && !Blank(cell[end])) ++end;
        if (end > i) names.push_back(cell.substr(i, end - i));
        i = end;
    }
    if (names.size() == 1 && names[0] == "all") return {};
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string_view n = names[k];
        if (!IsScenarioName(n)) {
            return {{}, RowProblem{std::string(kStudyInputNames[column]) + ": \"" + std::string(n) +
                                       "\" is not a scenario name (1 to 32 letters, digits, '-', '_' or '.'; "
                                       "\"all\" alone for every scenario)",
                                   std::nullopt}};
        }
        for (std::size_t j = 0; j < k; ++j) {
            if (names[j] != n && SameScenarioName(names[j], n)) {
                return {{}, RowProblem{std::string(kStudyInputNames[column]) + ": \"" + std::string(names[j]) +
                                           "\" and \"" + std::string(n) +
                                           "\" are one scenario (names are the same whatever their case)",
                                       std::nullopt}};
            }
        }
    }
    return {std::move(names), std::nullopt};
}

std::vector<std::string> StudyScenarioNames(const std::vector<StudyRowInputs>& rows,
                                            const std::vector<std::string>& asked) {
    if (!asked.empty()) return asked;
    std::vector<std::string> names;
    for (const StudyRowInputs& in : rows) {
        for (StudyInputColumn c : {kScenariosColumn, kMaintScenarioColumn}) {
            for (std::string_view n : ScenarioCellNames(in[c], c).names) {
                if (!Has(names, n)) names.emplace_back(n);
            }
        }
    }
    if (!names.empty() && !Has(names, kNormal)) names.insert(names.begin(), std::string(kNormal));
    return names;
}

std::vector<std::string> UnusedScenarioNames(const std::vector<StudyRowInputs>& rows,
                                             const std::vector<std::string>& asked) {
    std::vector<std::string> used;
    for (const StudyRowInputs& in : rows) {
        for (StudyInputColumn c : {kScenariosColumn, kMaintScenarioColumn}) {
            for (std::string_view n : ScenarioCellNames(in[c], c).names) {
                if (!Has(used, n)) used.emplace_back(n);
            }
        }
    }
    // "normal" is the rows in every scenario alone by its meaning: no row
    // need name it.
    std::vector<std::string> unused;
    for (const std::string& n : asked) {
        if (!Has(used, n) && !SameScenarioName(n, kNormal)) unused.push_back(n);
    }
    return unused;
}

std::optional<RowProblem> ScenarioCaseFault(const StudyRowInputs& in, const std::vector<std::string>& names) {
    for (StudyInputColumn c : {kScenariosColumn, kMaintScenarioColumn}) {
        // A cell that cannot be read is told by the row's own reading.
        for (std::string_view n : ScenarioCellNames(in[c], c).names) {
            for (const std::string& name : names) {
                if (name != n && SameScenarioName(name, n)) {
                    return RowProblem{std::string(kStudyInputNames[c]) + ": \"" + std::string(n) +
                                          "\" is the scenario \"" + name +
                                          "\" in another case; names are the same whatever their case: write \"" +
                                          name + "\"",
                                      std::nullopt};
                }
            }
        }
    }
    return std::nullopt;
}

StudyRowInputs RowInScenario(const StudyRowInputs& in, std::string_view scenario) {
    if (in[kMaintScenarioColumn].empty() || scenario.empty()) return in;
    const std::vector<std::string_view> names = ScenarioCellNames(in[kMaintScenarioColumn], kMaintScenarioColumn).names;
    if (std::find(names.begin(), names.end(), scenario) == names.end()) return in;
    StudyRowInputs out = in;
    const bool relay = in[kDeviceTypeColumn] == "relay";
    out[relay ? kRelayInstPickupColumn : kTripInstPickupColumn] = in[kMaintInstPickupColumn];
    if (!in[kMaintInstTimeColumn].empty())
        out[relay ? kRelayInstDelayColumn : kTripInstTimeColumn] = in[kMaintInstTimeColumn];
    // The device is looked up cell by cell: its cells are no longer the
    // record's piece of text.
    out.deviceCells = {};
    return out;
}

namespace {

// Whether a cell's names (a row's scenarios or maint_scenario) hold the
// scenario; a cell that cannot be read holds none (its row is an error).
bool CellNames(std::string_view cell, StudyInputColumn column, std::string_view scenario) {
    const std::vector<std::string_view> names = ScenarioCellNames(cell, column).names;
    return std::find(names.begin(), names.end(), scenario) != names.end();
}

}  // namespace

std::shared_ptr<const ProtectiveDevice> ScenarioDevice(const StudyRowInputs& in, std::string_view scenario,
                                                       const StudyOptions& options, StudyDevices& devices) {
    const StudyRowInputs row = RowInScenario(in, scenario);
    if (!HasDevice(row)) return nullptr;
    try {
        return devices.Find(row, options).device;
    } catch (const Error&) {
        return nullptr;
    }
}

StudyScenarios::StudyScenarios(const std::vector<StudyRowInputs>& rows, const StudyOptions& options)
    : names_(StudyScenarioNames(rows, options.scenarios)), unused_(UnusedScenarioNames(rows, options.scenarios)) {
    if (names_.empty()) {
        networks_.push_back(std::make_unique<StudyNetwork>(rows, options));
        twins_.assign(1, std::nullopt);
        sameSteps_.assign(1, false);
        return;
    }
    // A row's elements are in a scenario when its cell names none (empty,
    // "all") or names it, as the networks read it; a cell that cannot be
    // read makes its row an error in every scenario alike.
    auto part = [&](const StudyRowInputs& in, const std::string& name) {
        const ScenarioNames cell = ScenarioCellNames(in[kScenariosColumn]);
        return cell.problem || cell.names.empty() ||
               std::find(cell.names.begin(), cell.names.end(), name) != cell.names.end();
    };
    // A scenario some row's maint_scenario names switches a maintenance setting on.
    for (const std::string& name : names_) {
        maintenance_.push_back(std::any_of(rows.begin(), rows.end(), [&](const StudyRowInputs& in) {
            const std::string_view cell = in[kMaintScenarioColumn];
            return !cell.empty() && CellNames(cell, kMaintScenarioColumn, name);
        }));
    }
    twins_.assign(names_.size(), std::nullopt);
    differ_.resize(names_.size());
    for (std::size_t s = 1; s < names_.size(); ++s) {
        for (std::size_t t = 0; t < s && !twins_[s]; ++t) {
            const bool same = std::all_of(rows.begin(), rows.end(), [&](const StudyRowInputs& in) {
                return part(in, names_[s]) == part(in, names_[t]);
            });
            if (same) twins_[s] = t;
        }
        if (!twins_[s]) continue;
        differ_[s].resize(rows.size());
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string_view cell = rows[r][kMaintScenarioColumn];
            differ_[s][r] = !cell.empty() && CellNames(cell, kMaintScenarioColumn, names_[s]) !=
                                                 CellNames(cell, kMaintScenarioColumn, names_[*twins_[s]]);
        }
    }
    // The networks in order, a twin's factors lent to the scenarios after it;
    // a row's memo of its steps serves both where they walk the same states.
    sameSteps_.assign(names_.size(), false);
    for (std::size_t s = 0; s < names_.size(); ++s) {
        const StudyNetwork* twin = twins_[s] ? networks_[*twins_[s]].get() : nullptr;
        networks_.push_back(std::make_unique<StudyNetwork>(rows, options, &names_[s], twin));
        sameSteps_[s] = twin && networks_[s]->SameSteps(*twin);
    }
}

bool StudyScenarios::SettingsDiffer(std::size_t scenario, std::size_t row) const {
    return row < differ_[scenario].size() && differ_[scenario][row];
}

StudyScenarios::~StudyScenarios() = default;

PointResult ComputeScenarioStudyRow(const StudyRowInputs& in, std::size_t row, const StudyScenarios& scenarios,
                                    const StudyOptions& options, StudyDevices* devices) {
    // Every scenario from the point's cells read once.
    if (!in.read) {
        const StudyPoint read = ReadStudyPoint(in, options.sep);
        StudyRowInputs once = in;
        once.read = &read;
        return ComputeScenarioStudyRow(once, row, scenarios, options, devices);
    }
    const NetworkRowFault& first = scenarios.Network(0).Row(row);
    auto error = [](std::string message) {
        PointResult p;
        p.message = std::move(message);
        return p;
    };
    if (std::optional<RowProblem> fault = MaintenanceFault(in, options.sep)) return error(std::move(fault->message));
    if (std::optional<RowProblem> fault = ScenarioCaseFault(in, scenarios.Names()))
        return error(std::move(fault->message));
    if (!first.inNetwork && (!in[kScenariosColumn].empty() || HasMaintenance(in)))
        return error(std::string(in[kScenariosColumn].empty() ? "maint_scenario" : "scenarios") +
                     ": given on a row outside the network (a row with a bus)");
    if (!scenarios.Named() || !first.inNetwork) return ComputeNetworkStudyRow(in, first, options, devices);
    if (first.problem && !first.unfed) return ComputeNetworkStudyRow(in, first, options, devices);

    std::vector<PointScenario> each;
    std::optional<PointResult> worst;
    std::size_t worstAt = 0;
    const bool several = scenarios.size() > 1;
    // The rows whose devices each scenario's steps weighed, and the states
    // its steps walked (a twin's walking the same taken over).
    std::vector<std::vector<std::size_t>> consulted(scenarios.size());
    std::vector<StudyNetwork::RowMemo> memos(scenarios.size());
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
        const std::string& name = scenarios.Names()[s];
        // A scenario with the same network as an earlier one, the point and
        // the devices its steps weighed set alike in both, gives the earlier
        // one's results: its energy, never the worst of the two (a tie).
        if (const std::optional<std::size_t> twin = scenarios.Twin(s)) {
            const auto differs = [&](std::size_t r) { return scenarios.SettingsDiffer(s, r); };
            if (!differs(row) && std::none_of(consulted[*twin].begin(), consulted[*twin].end(), differs)) {
                each.push_back(PointScenario{name, each[*twin].energy, each[*twin].branchOut,
                                             scenarios.Maintenance(s)});
                consulted[s] = consulted[*twin];
                continue;
            }
        }
        const NetworkRowFault& fault = scenarios.Network(s).Row(row);
        PointScenario& here = each.emplace_back(
            PointScenario{name, std::nullopt, fault.out, scenarios.Maintenance(s)});
        if (fault.out || fault.unfed) continue;
        StudyNetwork::RowMemo& memo = memos[scenarios.SameSteps(s) ? *scenarios.Twin(s) : s];
        PointResult p = ComputeNetworkStudyRow(RowInScenario(in, name), fault, options, devices,
                                               &consulted[s], &memo);
        if (!p.Computed()) {
            // A configuration the point cannot be computed in: no label
            // may leave it out.
            if (several) p.message = "scenario " + name + ": " + p.message;
            return p;
        }
        here.energy = p.Governing().energy;
        if (!worst || *here.energy > worst->Governing().energy) {
            worst = std::move(p);
            worstAt = s;
        }
    }
    if (!worst) {
        if (first.unfed) return ComputeNetworkStudyRow(in, first, options, devices);
        return error("scenarios: the row's branch takes part in none of the scenarios computed");
    }
    worst->scenarioWorst = scenarios.Names()[worstAt];
    worst->scenarios = std::move(each);
    return std::move(*worst);
}

}  // namespace zentavo

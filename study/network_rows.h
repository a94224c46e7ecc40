// SPDX-License-Identifier: GPL-3.0-or-later
// A network study's row read once into what it adds to the network: its
// bus, the elements of its branch and its motor as the network takes them,
// the scenarios it names; or its first problem.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/short_circuit.h"
#include "study/row.h"
#include "study/study_point.h"

namespace zentavo {

// The range a network column's numbers are held to (`zero`: 0 is taken
// too, a cable of 0 m being a closed tie); none for a column without one.
struct NetworkColumnRange {
    double low, high;
    bool zero;
};
std::optional<NetworkColumnRange> NetworkRangeOf(StudyInputColumn column);

enum class BranchType { None, Source, Transformer, Cable, Generator, Transformer3, Unit };

struct NetworkRow {
    bool inNetwork = false;
    std::optional<RowProblem> problem;  // set: nothing else is
    std::string who;                    // "row N", N counting the study's rows from 1
    std::string bus;
    double kV = 0;
    BranchType type = BranchType::None;
    std::optional<network::Source> source;
    std::optional<network::Transformer> transformer;
    std::optional<network::Cable> cable;
    std::optional<network::Motor> motor;
    std::optional<network::Generator> generator;
    std::optional<network::Transformer3> transformer3;
    // The scenarios its elements take part in (views into the row); none: every one.
    std::vector<std::string_view> scenarios;
};

// Reads row `index` (from 0) of a study, numbers with the separator `sep`.
NetworkRow ReadNetworkRow(const StudyRowInputs& in, std::size_t index, char sep);

}  // namespace zentavo

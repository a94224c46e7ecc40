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
// The branch type of a `branch_type` word: None for an empty cell, none
// for a word that names no type.
std::optional<BranchType> BranchTypeOf(std::string_view word);

// A network row's place on the one-line, as typed: its bus, the buses its
// branch joins, the branch's type and size, its motors and its device's
// word. Read whatever the row's problems, so that a row the network
// refuses is still drawn (marked faulty); a number that does not read is
// left out.
struct NetworkDrawing {
    std::string bus, fromBus, lvBus;
    BranchType type = BranchType::None;  // None also for a word naming no type
    std::string name;                    // the row's point
    std::optional<double> cableLengthM,
        kva;                          // the cable's length; a transformer's or generator's kVA
    std::optional<double> cableSets;  // the cable's conductors in parallel per phase, as typed
    std::string cableSize;  // its conductors as named (cable_size), kCableSizeLength bytes at most
    std::optional<double>
        zPercent;  // a transformer's impedance, % (a three-winding one's HV-MV pair)
    bool motors = false;
    std::optional<double> motorKva;
    // The `device_type` word as typed; "arc-flash relay" for a branch's
    // breaker with its arc-flash relay alone.
    std::string deviceType;
    // The device's rating as the row gives it: a trip unit's rating, a
    // relay's pickup (A); a fuse curve's name (empty for a curve of points).
    std::optional<double> deviceAmps;
    std::string fuseCurve;
    // Its branch's device sits at the from_bus end (`device_at` from), not
    // at the row's bus (bus, or empty: a transformer's secondary side).
    bool deviceAtFrom = false;
};
NetworkDrawing ReadNetworkDrawing(const StudyRowInputs& in, char sep);

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

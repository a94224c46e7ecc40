// SPDX-License-Identifier: GPL-3.0-or-later
// The cells of a row added to a study: a point made like the row the user
// stands on (its method, system, equipment and distances, and its typed
// durations), or like the study's most common values; a point on that row's
// bus; or a feeder from that bus to a bus of its own. A study with no row
// starts from the typical low-voltage switchgear of the IEEE 1584-2018 model.
// Nothing is invented that the row cannot be checked by: a new point takes no
// bolted current, voltage or duration the study does not already hold.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "study/columns.h"

namespace zentavo {

class StudyFile;

enum class NewRowKind {
    Point,       // a point made like `like` (or the study's most common values)
    PointOnBus,  // the same, on the bus of `like`
    Feeder,      // a cable from the bus of `like` to a new bus, with its point there
};

struct NewRow {
    std::string point;  // its name
    std::vector<std::pair<StudyInputColumn, std::string>> cells;  // the input cells it fills
};

// The name of a new point.
inline constexpr std::string_view kNewPointName = "New point";

// `like`: the row the user stands on, if any. PointOnBus and Feeder without
// a row on a bus give a point as Point does.
NewRow MakeNewRow(const StudyFile& study, std::optional<std::size_t> like, NewRowKind kind);

}  // namespace zentavo

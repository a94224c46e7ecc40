// SPDX-License-Identifier: GPL-3.0-or-later
// What a one-line diagram shows of a network study: its buses, each with
// the fault currents of the scenario drawn and the hazard of the points of
// work on it, and its elements (sources, transformers of two and three
// windings, cables, generators, power-station units, motors), each with the
// protective device its row names and whether it takes part in the
// scenario drawn. Built from the study's rows, their results (PointResult)
// and the network of one scenario (StudyNetwork): numbers and enums, written
// into texts only by BusNote and the painter.
//
// Every element of the study is in the diagram, whatever the scenario: an
// element that does not take part in the scenario drawn (a tie open in it)
// is drawn open, so that the picture of a plant stays the same from one
// scenario to the next.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/units.h"
#include "study/network_study.h"
#include "study/point_result.h"
#include "study/row.h"
#include "study/study_file.h"

namespace zentavo::oneline {

enum class ElementKind : std::uint8_t {
    Source,
    Transformer,
    Transformer3,
    Cable,
    Generator,
    Unit,
    Motor
};
// The mark of a row's protective device: a trip unit's breaker square, a
// fuse's box, a relay's mark beside its breaker.
enum class DeviceMark : std::uint8_t { None, Breaker, Fuse, Relay };
// Closed: takes part in the scenario drawn; Open: not in it (its
// `scenarios` cell names others); Faulty: its row is in error.
enum class ElementState : std::uint8_t { Closed, Open, Faulty };

struct DiagramBus {
    std::string name;
    double kV = 0;  // its nominal voltage; 0 where no row states one
    // Its fault currents in the scenario drawn; `computed` false where it
    // has none (no source feeds it, or its island cannot be solved).
    bool computed = false;
    double kaMax = 0, kaMin = 0;
    std::vector<std::size_t> rows;  // the study's rows (from 0) on the bus, in study order
    // The hazard of its points: the largest governing incident energy
    // (J/cm2) of its computed points, the PPE index of that point and the
    // equations that gave it; none where no point on it is computed.
    std::optional<double> energy;
    std::int32_t ppeIndex = -1;
    Equations equations = Equations::None;
    std::size_t notComputed = 0;  // its points without results
};

struct DiagramElement {
    ElementKind kind = ElementKind::Cable;
    std::size_t row = 0;  // the study row it comes from
    // Its buses (entries of Diagram::buses), -1 where its row names none: a
    // branch's from_bus then its bus (a three-winding transformer's HV, MV
    // and LV buses); a source, generator, unit or motor its bus alone.
    std::array<int, 3> buses{-1, -1, -1};
    DeviceMark device = DeviceMark::None;
    // A branch's device sits at its first bus (from_bus, device_at from);
    // otherwise at its second (the row's bus: a transformer's secondary).
    bool deviceAtFrom = false;
    ElementState state = ElementState::Closed;
    std::optional<double> lengthM;  // a cable's
    std::optional<double>
        sets;  // a cable's conductors in parallel per phase, where its row gives them
    std::string cableSize;           // a cable's conductors as its row names them (cable_size)
    std::optional<double> kva;       // a transformer's (HV winding), generator's or motor's rating
    std::optional<double> zPercent;  // a transformer's impedance
    // Its device: the name of the row (its point), its rating as the row
    // gives it (a trip unit's rating or a relay's pickup, A; a fuse
    // curve's name). Empty for an element without a device.
    std::string deviceName;
    std::optional<double> deviceAmps;
    std::string fuseCurve;
};

struct Diagram {
    std::vector<DiagramBus> buses;         // in the order each name first appears in the rows
    std::vector<DiagramElement> elements;  // in row order, a row's motor after its branch
    std::string scenario;  // the scenario drawn; empty for a study without scenarios
    // The bus of a name; -1 for none.
    int BusOf(const std::string& name) const;
};

// The diagram of a network study: `network` the network of the scenario
// drawn as the study computed it (its rows' places on the one-line as they
// were read; its scenario's name empty without scenarios), `result(i)` the
// result of row i (null: not computed yet). An empty diagram for a study
// without network rows.
Diagram BuildDiagram(const std::function<const PointResult*(std::size_t)>& result,
                     const NetworkSummary& network);

// The same for a study file in one of its scenarios (an entry of
// StudyFile::ScenarioNames; 0 for a study without scenarios), with its
// results as last computed; an empty diagram for a study without network
// rows or a scenario past the last.
Diagram StudyDiagram(const StudyFile& file, std::size_t scenario = 0);

// The words of a bus's note, in the language of the picture.
struct NoteWords {
    std::string maximum = "I max", minimum = "I min", ppe = "PPE";
    std::string noCurrent = "no fault current";
    std::string noPoint = "no point computed";
    // The words of the elements' texts (ElementLines).
    std::string trip = "trip", relay = "relay", fuse = "fuse", sets = "sets";
};
// The lines of a bus's note: its name, its voltage ("13.8 kV", "480 V"),
// its maximum and minimum fault currents ("I max 25.749 kA"), and the
// governing incident energy and PPE level of its worst point in the output
// units ("13.88 cal/cm2, PPE 3"). Always kNoteLines lines.
inline constexpr std::size_t kNoteLines = 5;
std::array<std::string, kNoteLines> BusNote(const DiagramBus& bus, const UnitSettings& units,
                                            char sep, const NoteWords& words = {});
// The text beside an element, a line each (kTextLines at most, none
// empty): its device's name and rating ("MCC-A1 main bucket", "trip
// 3000 A", "relay 1200 A", "fuse F-200"), then a cable's length with its
// size where its row names one ("30 m", "30 m, 4/0 AWG") and its sets
// ("2 sets"), a transformer's rating and impedance ("2500 kVA",
// "Z 5.75 %"), a generator's or motor's rating.
std::vector<std::string> ElementLines(const DiagramElement& element, char sep,
                                      const NoteWords& words = {});

}  // namespace zentavo::oneline

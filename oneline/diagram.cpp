// SPDX-License-Identifier: GPL-3.0-or-later
#include "oneline/diagram.h"

#include <cmath>
#include <iterator>
#include <string_view>
#include <unordered_map>

#include "engine/case_result.h"
#include "engine/error.h"
#include "engine/number.h"
#include "study/result_cells.h"

namespace zentavo::oneline {

namespace {

std::optional<ElementKind> BranchKind(std::string_view word) {
    if (word == "source") return ElementKind::Source;
    if (word == "transformer") return ElementKind::Transformer;
    if (word == "transformer3") return ElementKind::Transformer3;
    if (word == "cable") return ElementKind::Cable;
    if (word == "generator") return ElementKind::Generator;
    if (word == "unit") return ElementKind::Unit;
    return std::nullopt;  // none, or a word the row's error names
}

DeviceMark MarkOf(std::string_view deviceType, const PointResult* result) {
    if (deviceType == "trip-unit") return DeviceMark::Breaker;
    if (deviceType == "relay") return DeviceMark::Relay;
    if (deviceType == "fuse-curve") return DeviceMark::Fuse;
    // The 2002 fuse and breaker equations name the device by the method.
    if (deviceType.empty() && result) {
        if (result->method == kFuseMethod) return DeviceMark::Fuse;
        if (result->method == kBreakerMethod) return DeviceMark::Breaker;
    }
    return DeviceMark::None;
}

std::optional<double> NumberOf(std::string_view text, char sep) {
    return ReadNumber(text, sep);
}

class Builder {
public:
    explicit Builder(Diagram& d) : d_(d) {}
    // The bus of a name, added at the end when new; -1 for no name.
    int Bus(std::string_view name) {
        if (name.empty()) return -1;
        const std::string key(name);
        const auto [at, added] = index_.emplace(key, static_cast<int>(d_.buses.size()));
        if (added) {
            d_.buses.emplace_back();
            d_.buses.back().name = key;
        }
        return at->second;
    }
    const std::unordered_map<std::string, int>& Index() const { return index_; }

private:
    Diagram& d_;
    std::unordered_map<std::string, int> index_;
};

}  // namespace

int Diagram::BusOf(const std::string& name) const {
    for (std::size_t b = 0; b < buses.size(); ++b) {
        if (buses[b].name == name) return static_cast<int>(b);
    }
    return -1;
}

Diagram BuildDiagram(const std::vector<StudyRowInputs>& rows,
                     const std::function<const PointResult*(std::size_t)>& result, const NetworkSummary& network,
                     char sep) {
    Diagram d;
    d.scenario = network.scenario;
    Builder buses(d);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StudyRowInputs& in = rows[i];
        if (i >= network.rows.size()) break;
        const NetworkSummary::Row& fault = network.rows[i];
        if (!fault.inNetwork || in[kBusColumn].empty()) continue;
        const int bus = buses.Bus(in[kBusColumn]);
        d.buses[static_cast<std::size_t>(bus)].rows.push_back(i);
        const PointResult* r = result(i);
        // The state of the row's elements in the scenario drawn: an element
        // the network refuses is faulty; a part of the plant no source
        // feeds is still closed (dead, its buses without currents).
        const ElementState state = fault.out      ? ElementState::Open
                                   : fault.faulty ? ElementState::Faulty
                                                  : ElementState::Closed;
        const DeviceMark mark = MarkOf(in[kDeviceTypeColumn], r);
        bool deviceTaken = false;
        if (const std::optional<ElementKind> kind = BranchKind(in[kBranchTypeColumn])) {
            DiagramElement e;
            e.kind = *kind;
            e.row = i;
            e.state = state;
            e.device = mark;
            deviceTaken = true;
            switch (*kind) {
                case ElementKind::Transformer:
                case ElementKind::Cable:
                    e.buses = {buses.Bus(in[kFromBusColumn]), bus, -1};
                    break;
                case ElementKind::Transformer3:
                    e.buses = {buses.Bus(in[kFromBusColumn]), bus, buses.Bus(in[kLvBusColumn])};
                    break;
                default:
                    e.buses = {bus, -1, -1};
                    break;
            }
            if (*kind == ElementKind::Cable) e.lengthM = NumberOf(in[kCableLengthColumn], sep);
            if (*kind == ElementKind::Transformer || *kind == ElementKind::Transformer3)
                e.kva = NumberOf(in[kTxKvaColumn], sep);
            if (*kind == ElementKind::Generator || *kind == ElementKind::Unit) e.kva = NumberOf(in[kGenKvaColumn], sep);
            d.elements.push_back(e);
        }
        if (!in[kMotorKvaColumn].empty()) {
            DiagramElement m;
            m.kind = ElementKind::Motor;
            m.row = i;
            m.state = state;
            m.buses = {bus, -1, -1};
            m.kva = NumberOf(in[kMotorKvaColumn], sep);
            // A row of motors alone: its device is on their feeder.
            if (!deviceTaken) m.device = mark;
            d.elements.push_back(m);
        }
    }
    // The buses' currents in the scenario drawn, and the hazard of their points.
    for (DiagramBus& b : d.buses) {
        if (const network::BusResult* r = network.FindBus(b.name)) {
            b.kV = r->kV;
            b.computed = r->computed;
            b.kaMax = r->ka_max;
            b.kaMin = r->ka_min;
        }
        for (std::size_t i : b.rows) {
            const PointResult* r = result(i);
            if (!r || !r->Computed()) {
                ++b.notComputed;
                continue;
            }
            const PointCase& c = r->Governing();
            if (!b.energy || c.energy > *b.energy) {
                b.energy = c.energy;
                b.equations = r->equations;
            }
            if (c.ppeIndex > b.ppeIndex) b.ppeIndex = c.ppeIndex;
        }
    }
    return d;
}

Diagram StudyDiagram(const StudyFile& file, std::size_t scenario) {
    const StudyNetwork* network = file.Network(scenario);
    if (!network) return {};
    // The columns BuildDiagram reads, held for the views of the rows' inputs.
    static constexpr StudyInputColumn kRead[] = {kBusColumn,        kFromBusColumn, kLvBusColumn,
                                                 kBranchTypeColumn, kCableLengthColumn, kTxKvaColumn,
                                                 kGenKvaColumn,     kMotorKvaColumn, kDeviceTypeColumn};
    constexpr std::size_t kCount = std::size(kRead);
    std::vector<std::array<std::string, kCount>> texts(file.RowCount());
    std::vector<StudyRowInputs> rows(file.RowCount());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t c = 0; c < kCount; ++c) {
            texts[i][c] = file.Input(i, kRead[c]);
            rows[i][kRead[c]] = texts[i][c];
        }
    }
    const std::vector<std::string> names = file.ScenarioNames();
    const NetworkSummary summary =
        SummarizeNetwork(*network, scenario < names.size() ? names[scenario] : std::string());
    return BuildDiagram(rows, [&file](std::size_t i) { return &file.Result(i); }, summary, file.Options().sep);
}

std::array<std::string, kNoteLines> BusNote(const DiagramBus& bus, const UnitSettings& units, char sep,
                                            const NoteWords& words) {
    std::array<std::string, kNoteLines> lines;
    lines[0] = bus.name;
    if (bus.kV >= 1)
        lines[1] = TrimZeros(FormatFixed(bus.kV, 15, 3, sep), sep) + " kV";
    else if (bus.kV > 0)
        lines[1] = TrimZeros(FormatFixed(bus.kV * 1000, 15, 1, sep), sep) + " V";
    if (bus.computed) {
        lines[2] = words.maximum + " " + NetworkCurrentText(bus.kaMax, sep) + " kA";
        lines[3] = words.minimum + " " + NetworkCurrentText(bus.kaMin, sep) + " kA";
    } else {
        lines[2] = words.noCurrent;
    }
    if (bus.energy) {
        const std::string energy = bus.equations == Equations::Ieee2018 ? EnergyText2018(*bus.energy, units, sep)
                                                                         : EnergyText(*bus.energy, units, sep);
        lines[4] = energy + " " + std::string(UnitWord(units.EnergyUnit)) + ", " + words.ppe + " " +
                   std::string(PpeLevelText(bus.ppeIndex));
    } else if (!bus.rows.empty() && bus.computed) {
        lines[4] = words.noPoint;
    }
    return lines;
}

std::string ElementText(const DiagramElement& element, char sep) {
    if (element.lengthM) return TrimZeros(FormatFixed(*element.lengthM, 15, 1, sep), sep) + " m";
    if (element.kva) return TrimZeros(FormatFixed(*element.kva, 15, 1, sep), sep) + " kVA";
    return {};
}

}  // namespace zentavo::oneline

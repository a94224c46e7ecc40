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

std::optional<ElementKind> BranchKind(BranchType type) {
    switch (type) {
        case BranchType::Source:
            return ElementKind::Source;
        case BranchType::Transformer:
            return ElementKind::Transformer;
        case BranchType::Transformer3:
            return ElementKind::Transformer3;
        case BranchType::Cable:
            return ElementKind::Cable;
        case BranchType::Generator:
            return ElementKind::Generator;
        case BranchType::Unit:
            return ElementKind::Unit;
        case BranchType::None:
            break;
    }
    return std::nullopt;  // no branch, or a word the row's error names
}

DeviceMark MarkOf(std::string_view deviceType, const PointResult* result) {
    if (deviceType == "trip-unit") return DeviceMark::Breaker;
    // A breaker tripped by its arc-flash relay alone is drawn as a relay's.
    if (deviceType == "relay" || deviceType == "arc-flash relay") return DeviceMark::Relay;
    if (deviceType == "fuse-curve") return DeviceMark::Fuse;
    // The 2002 fuse and breaker equations name the device by the method.
    if (deviceType.empty() && result) {
        if (result->method == kFuseMethod) return DeviceMark::Fuse;
        if (result->method == kBreakerMethod) return DeviceMark::Breaker;
    }
    return DeviceMark::None;
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

void TakeDevice(DiagramElement& e, const NetworkDrawing& in) {
    e.deviceName = in.name.empty() ? in.deviceType : in.name;
    e.deviceAmps = in.deviceAmps;
    e.fuseCurve = in.fuseCurve;
}

}  // namespace

int Diagram::BusOf(const std::string& name) const {
    for (std::size_t b = 0; b < buses.size(); ++b) {
        if (buses[b].name == name) return static_cast<int>(b);
    }
    return -1;
}

Diagram BuildDiagram(const std::function<const PointResult*(std::size_t)>& result,
                     const NetworkSummary& network) {
    Diagram d;
    d.scenario = network.scenario;
    Builder buses(d);
    for (std::size_t i = 0; i < network.rows.size(); ++i) {
        const NetworkSummary::Row& fault = network.rows[i];
        const NetworkDrawing& in = fault.drawing;
        if (!fault.inNetwork || in.bus.empty()) continue;
        const int bus = buses.Bus(in.bus);
        d.buses[static_cast<std::size_t>(bus)].rows.push_back(i);
        const PointResult* r = result(i);
        // The state of the row's elements in the scenario drawn: an element
        // the network refuses is faulty; a part of the plant no source
        // feeds is still closed (dead, its buses without currents).
        const ElementState state = fault.out      ? ElementState::Open
                                   : fault.faulty ? ElementState::Faulty
                                                  : ElementState::Closed;
        const DeviceMark mark = MarkOf(in.deviceType, r);
        bool deviceTaken = false;
        if (const std::optional<ElementKind> kind = BranchKind(in.type)) {
            DiagramElement e;
            e.kind = *kind;
            e.row = i;
            e.state = state;
            e.device = mark;
            e.deviceAtFrom = in.deviceAtFrom;
            deviceTaken = true;
            switch (*kind) {
                case ElementKind::Transformer:
                case ElementKind::Cable:
                    e.buses = {buses.Bus(in.fromBus), bus, -1};
                    break;
                case ElementKind::Transformer3:
                    e.buses = {buses.Bus(in.fromBus), bus, buses.Bus(in.lvBus)};
                    break;
                default:
                    e.buses = {bus, -1, -1};
                    break;
            }
            e.lengthM = in.cableLengthM;
            e.sets = in.cableSets;
            e.cableSize = in.cableSize;
            e.kva = in.kva;
            e.zPercent = in.zPercent;
            if (mark != DeviceMark::None) TakeDevice(e, in);
            d.elements.push_back(e);
        }
        if (in.motors) {
            DiagramElement m;
            m.kind = ElementKind::Motor;
            m.row = i;
            m.state = state;
            m.buses = {bus, -1, -1};
            m.kva = in.motorKva;
            // A row of motors alone: its device is on their feeder.
            if (!deviceTaken) {
                m.device = mark;
                if (mark != DeviceMark::None) TakeDevice(m, in);
            }
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
    const std::vector<std::string> names = file.ScenarioNames();
    const NetworkSummary summary =
        SummarizeNetwork(*network, scenario < names.size() ? names[scenario] : std::string());
    return BuildDiagram([&file](std::size_t i) { return &file.Result(i); }, summary);
}

std::array<std::string, kNoteLines> BusNote(const DiagramBus& bus, const UnitSettings& units,
                                            char sep, const NoteWords& words) {
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
        const std::string energy = bus.equations == Equations::Ieee2018
                                       ? EnergyText2018(*bus.energy, units, sep)
                                       : EnergyText(*bus.energy, units, sep);
        lines[4] = energy + " " + std::string(UnitWord(units.EnergyUnit)) + ", " + words.ppe + " " +
                   std::string(PpeLevelText(bus.ppeIndex));
    } else if (!bus.rows.empty() && bus.computed) {
        lines[4] = words.noPoint;
    }
    return lines;
}

std::vector<std::string> ElementLines(const DiagramElement& element, char sep,
                                      const NoteWords& words) {
    const auto number = [sep](double v) { return TrimZeros(FormatFixed(v, 15, 2, sep), sep); };
    std::vector<std::string> lines;
    if (!element.deviceName.empty()) lines.push_back(element.deviceName);
    if (element.deviceAmps) {
        lines.push_back((element.device == DeviceMark::Relay ? words.relay : words.trip) + " " +
                        number(*element.deviceAmps) + " A");
    } else if (!element.fuseCurve.empty()) {
        lines.push_back(words.fuse + " " + element.fuseCurve);
    }
    // A cable's size beside its length, on one line: the text has room for four.
    if (element.lengthM) {
        lines.push_back(TrimZeros(FormatFixed(*element.lengthM, 15, 1, sep), sep) + " m" +
                        (element.cableSize.empty() ? "" : ", " + element.cableSize));
    } else if (!element.cableSize.empty()) {
        lines.push_back(element.cableSize);
    }
    if (element.sets && *element.sets > 1)
        lines.push_back(number(*element.sets) + " " + words.sets);
    if (element.kva)
        lines.push_back(TrimZeros(FormatFixed(*element.kva, 15, 1, sep), sep) + " kVA");
    if (element.zPercent) lines.push_back("Z " + number(*element.zPercent) + " %");
    return lines;
}

}  // namespace zentavo::oneline

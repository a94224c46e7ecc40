// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/network_study.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <tuple>

#include "engine/number.h"
#include "study/errors.h"
#include "study/scenarios.h"

namespace zentavo {

namespace {

using network::ElementKind;

enum class BranchType { None, Source, Transformer, Cable, Generator, Transformer3, Unit };

bool HasNetworkText(const StudyRowInputs& in) {
    for (int c = kFirstNetworkColumn; c <= kLastNetworkColumn; ++c) {
        if (!in[c].empty()) return true;
    }
    return false;
}

std::string Name(StudyInputColumn c) { return std::string(kStudyInputNames[c]); }

// The values a network column takes: finite, physically sensible (a real
// plant's values lie well inside), and bounded so that no impedance,
// admittance or current of the per-unit model overflows or underflows. A
// value outside is refused where the row is read, naming the column and
// the value as typed, before it reaches the network.
struct NetworkRange {
    StudyInputColumn column;
    double low, high;
    bool zero;          // 0 is also taken (a cable of 0 m is a closed tie)
    std::string_view what;
};
// clang-format off
constexpr NetworkRange kNetworkRanges[] = {
    {kVoltageColumn,     1,     1e6,  false, "a bus voltage"},
    {kSourceKaColumn,    0.001, 1000, false, "a source fault current"},
    {kSourceKaMinColumn, 0.001, 1000, false, "a source fault current"},
    {kSourceXrColumn,    0,     1000, false, "an X/R ratio"},
    {kTxKvaColumn,       1,     1e7,  false, "a transformer rating"},
    {kTxZColumn,         0.1,   100,  false, "a transformer impedance"},
    {kTxXrColumn,        0,     1000, false, "an X/R ratio"},
    {kCableLengthColumn, 0.001, 1e6,  true,  "a length"},
    {kCableRColumn,      0,     1000, false, "a resistance"},
    {kCableXColumn,      0,     1000, false, "a reactance"},
    {kMotorKvaColumn,    0.1,   1e7,  false, "a motor rating"},
    {kMotorXColumn,      0.01,  10,   false, "a motor reactance"},
    {kMotorXrColumn,     0.1,   1000, false, "an X/R ratio"},
    {kCableEndTempColumn, 20,   300,  false, "a conductor temperature at the end of a fault"},
    {kTxKvHvColumn,      0.001, 1000, false, "a rated voltage"},
    {kTxKvMvColumn,      0.001, 1000, false, "a rated voltage"},
    {kTxKvLvColumn,      0.001, 1000, false, "a rated voltage"},
    {kTxTapColumn,       -30,   30,   false, "a tap"},
    {kTxKvaMvColumn,     1,     1e7,  false, "a transformer rating"},
    {kTxKvaLvColumn,     1,     1e7,  false, "a transformer rating"},
    {kTxZHlColumn,       0.1,   100,  false, "a transformer impedance"},
    {kTxZMlColumn,       0.1,   100,  false, "a transformer impedance"},
    {kTxUrColumn,        0,     100,  false, "a resistive voltage"},
    {kTxUrHlColumn,      0,     100,  false, "a resistive voltage"},
    {kTxUrMlColumn,      0,     100,  false, "a resistive voltage"},
    {kGenKvaColumn,      1,     1e7,  false, "a generator rating"},
    {kGenKvColumn,       0.001, 1000, false, "a rated voltage"},
    {kGenXdColumn,       0.01,  10,   false, "a generator reactance"},
    {kGenXrColumn,       0.1,   1000, false, "an X/R ratio"},
    {kGenCosPhiColumn,   0.01,  1,    false, "a power factor"},
    {kGenRColumn,        0,     1000, false, "a resistance"},
    {kGenPgColumn,       0,     30,   false, "a voltage regulation range"},
    {kTxPtColumn,        -30,   30,   false, "an off-load tap"},
};
// clang-format on
constexpr int kMostCableSets = 1000;

const NetworkRange* RangeOf(StudyInputColumn c) {
    for (const NetworkRange& r : kNetworkRanges) {
        if (r.column == c) return &r;
    }
    return nullptr;
}

}  // namespace

std::optional<NetworkColumnRange> NetworkRangeOf(StudyInputColumn column) {
    const NetworkRange* r = RangeOf(column);
    if (!r) return std::nullopt;
    return NetworkColumnRange{r->low, r->high, r->zero};
}

namespace {

// A value with its column's unit: "30 kA", "0.5" (X/R).
std::string WithUnit(std::string_view value, StudyInputColumn c) {
    const std::string_view unit = StudyInputUnit(c);
    return std::string(value) + (unit.empty() ? "" : " " + std::string(unit));
}

std::string RangeText(const NetworkRange& r, char sep) {
    const std::string high = WithUnit(ShortDecimalText(r.high, sep), r.column);
    if (r.zero) return "0 for a closed tie, or " + WithUnit(ShortDecimalText(r.low, sep), r.column) + " to " + high;
    if (r.low == 0) return "0 to " + high;
    return WithUnit(ShortDecimalText(r.low, sep), r.column) + " to " + high;
}

// The network values of one row, read and checked for their own sake; the
// network checks how they fit together.
class RowReader {
public:
    RowReader(const StudyRowInputs& in, char sep) : in_(in), sep_(sep) {}

    BranchType Type() const {
        const std::string_view t = in_[kBranchTypeColumn];
        if (t.empty()) return BranchType::None;
        if (t == "source") return BranchType::Source;
        if (t == "transformer") return BranchType::Transformer;
        if (t == "cable") return BranchType::Cable;
        if (t == "generator") return BranchType::Generator;
        if (t == "transformer3") return BranchType::Transformer3;
        if (t == "unit") return BranchType::Unit;
        throw StudyRowError("branch_type: unknown value \"" + std::string(t) + "\"");
    }

    // The values of branch types only on rows of those types.
    void OnlyFor(BranchType type, std::initializer_list<BranchType> wanted, std::string_view typeWord,
                 std::initializer_list<StudyInputColumn> columns) const {
        if (std::find(wanted.begin(), wanted.end(), type) != wanted.end()) return;
        for (StudyInputColumn c : columns) {
            if (!in_[c].empty())
                throw StudyRowError(Name(c) + ": given on a row whose branch_type is not " +
                                    std::string(typeWord));
        }
    }

    // A number the row must give.
    double Required(StudyInputColumn c, std::string_view why) const {
        if (in_[c].empty()) throw StudyRowError(Name(c) + ": empty, " + std::string(why));
        return Number(c);
    }
    double Optional(StudyInputColumn c, double otherwise) const {
        return in_[c].empty() ? otherwise : Number(c);
    }

private:
    // The number of a column, within the column's range.
    double Number(StudyInputColumn c) const {
        const std::optional<double> read = ReadNumber(in_[c], sep_);
        if (!read) throw StudyRowError(Name(c) + ": " + ConversionMessage(in_[c]));
        const double v = *read;
        if (const NetworkRange* r = RangeOf(c);
            r && !(r->zero && v == 0) && !(v >= r->low && v <= r->high)) {
            throw StudyRowError(Name(c) + ": " + WithUnit(in_[c], c) + " is not " + std::string(r->what) +
                                " (" + RangeText(*r, sep_) + ")");
        }
        return v;
    }

    const StudyRowInputs& in_;
    char sep_;
};


}  // namespace

StudyNetwork::StudyNetwork(const std::vector<StudyRowInputs>& rows, char sep,
                           const network::SolveOptions& options) {
    Build(rows, sep, options, nullptr, nullptr);
}

StudyNetwork::StudyNetwork(const std::vector<StudyRowInputs>& rows, const StudyOptions& options,
                           const std::string* scenario) {
    if (scenario) scenario_ = *scenario;
    Build(rows, options.sep, options.ShortCircuit(), options.arcSteps ? &options : nullptr, scenario);
}

StudyNetwork::~StudyNetwork() = default;

void StudyNetwork::Build(const std::vector<StudyRowInputs>& rows, char sep, const network::SolveOptions& options,
                         const StudyOptions* steps, const std::string* scenario) {
    rows_.resize(rows.size());
    network::NetworkInput input;
    // The row of each element, by kind and index in its list of `input`.
    std::vector<std::size_t> rowOf[network::kElementKindCount];
    auto kindIndex = [](ElementKind k) { return static_cast<int>(k); };
    std::vector<std::optional<OwnElement>>& branchOf = own_;
    branchOf.assign(rows.size(), std::nullopt);

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StudyRowInputs& in = rows[i];
        NetworkRowFault& f = rows_[i];
        f.inNetwork = HasNetworkText(in);
        if (!f.inNetwork) continue;
        const std::string who = "row " + std::to_string(i + 1);
        const std::string name = "in " + who;
        try {
            if (in[kMethodColumn] == StudyColumnWords(kMethodColumn)[kDcMaxPowerMethod] ||
                in[kMethodColumn] == StudyColumnWords(kMethodColumn)[kDcArcResistanceMethod]) {
                throw StudyRowError(
                    "bus: a DC row is not part of the network, whose fault currents are AC; give the row its "
                    "bolted_current or dc_source_r and leave its network columns empty");
            }
            const RowReader r(in, sep);
            const std::string bus(in[kBusColumn]);
            if (bus.empty()) throw StudyRowError("bus: empty, on a row with network columns");
            if (!in[kBoltedCurrentColumn].empty()) {
                throw StudyRowError("bolted_current: typed on a row in the network (bus " + bus +
                                    "), where the network gives it; leave it empty or take the "
                                    "row out of the network");
            }
            const double kV = r.Required(kVoltageColumn, "the nominal voltage of bus " + bus) / 1000;
            const BranchType type = r.Type();
            using B = BranchType;
            r.OnlyFor(type, {B::Source}, "source", {kSourceKaColumn, kSourceXrColumn, kSourceKaMinColumn});
            r.OnlyFor(type, {B::Transformer, B::Transformer3, B::Unit}, "transformer",
                      {kTxKvaColumn, kTxZColumn, kTxKvHvColumn, kTxKvLvColumn});
            r.OnlyFor(type, {B::Transformer, B::Transformer3}, "transformer", {kTxTapColumn});
            r.OnlyFor(type, {B::Transformer, B::Unit}, "transformer", {kTxXrColumn});
            r.OnlyFor(type, {B::Transformer3}, "transformer3",
                      {kLvBusColumn, kTxKvMvColumn, kTxKvaMvColumn, kTxKvaLvColumn, kTxZHlColumn,
                       kTxZMlColumn, kTxUrColumn, kTxUrHlColumn, kTxUrMlColumn});
            r.OnlyFor(type, {B::Cable}, "cable",
                      {kCableLengthColumn, kCableRColumn, kCableXColumn, kCableSetsColumn,
                       kCableEndTempColumn});
            r.OnlyFor(type, {B::Generator, B::Unit}, "generator",
                      {kGenKvaColumn, kGenKvColumn, kGenXdColumn, kGenXrColumn, kGenCosPhiColumn,
                       kGenRColumn, kGenInMinColumn});
            r.OnlyFor(type, {B::Unit}, "unit", {kGenPgColumn, kTxPtColumn});
            if ((type == BranchType::None || type == BranchType::Source ||
                 type == BranchType::Generator || type == BranchType::Unit) &&
                !in[kFromBusColumn].empty()) {
                throw StudyRowError("from_bus: given on a row without a transformer or cable");
            }
            if (in[kMotorKvaColumn].empty()) {
                for (StudyInputColumn c : {kMotorXColumn, kMotorXrColumn}) {
                    if (!in[c].empty()) throw StudyRowError(Name(c) + ": given without motor_kva");
                }
            }
            // Read everything before adding anything: a row is in the network whole or not at all.
            std::optional<network::Source> source;
            std::optional<network::Transformer> transformer;
            std::optional<network::Cable> cable;
            std::optional<network::Motor> motor;
            std::optional<network::Generator> generator;
            std::optional<network::Transformer3> transformer3;
            const std::string from(in[kFromBusColumn]);
            switch (type) {
            case BranchType::Source: {
                const double ka = r.Required(kSourceKaColumn, "a source needs its fault current");
                const double kaMin = r.Optional(kSourceKaMinColumn, ka);
                if (kaMin > ka) {
                    throw StudyRowError("source_ka_min: " + WithUnit(in[kSourceKaMinColumn], kSourceKaMinColumn) +
                                        " is above source_ka, " + WithUnit(in[kSourceKaColumn], kSourceKaColumn));
                }
                source = network::Source{name, bus, kV, ka, kaMin,
                                         r.Required(kSourceXrColumn, "a source needs its X/R")};
                break;
            }
            case BranchType::Transformer:
                transformer = network::Transformer{
                    name, from, bus, r.Required(kTxKvaColumn, "a transformer needs its rating"),
                    r.Required(kTxZColumn, "a transformer needs its impedance"),
                    r.Required(kTxXrColumn, "a transformer needs its X/R"),
                    r.Optional(kTxKvHvColumn, 0), r.Optional(kTxKvLvColumn, 0), r.Optional(kTxTapColumn, 0)};
                break;
            case BranchType::Transformer3: {
                const std::string lv(in[kLvBusColumn]);
                if (from.empty()) throw StudyRowError("from_bus: empty, a three-winding transformer needs its high-voltage bus");
                if (lv.empty()) throw StudyRowError("lv_bus: empty, a three-winding transformer needs its low-voltage bus");
                network::Transformer3 t;
                t.name = name;
                t.hv_bus = from;
                t.mv_bus = bus;
                t.lv_bus = lv;
                const char* rating = "a three-winding transformer needs the rating of each winding";
                t.kva_hv = r.Required(kTxKvaColumn, rating);
                t.kva_mv = r.Required(kTxKvaMvColumn, rating);
                t.kva_lv = r.Required(kTxKvaLvColumn, rating);
                const char* uk = "a three-winding transformer needs the impedance voltage of each pair";
                const char* ur = "a three-winding transformer needs the resistive voltage of each pair";
                t.uk_percent = {r.Required(kTxZColumn, uk), r.Required(kTxZHlColumn, uk), r.Required(kTxZMlColumn, uk)};
                t.ur_percent = {r.Required(kTxUrColumn, ur), r.Required(kTxUrHlColumn, ur),
                                r.Required(kTxUrMlColumn, ur)};
                t.kv_hv = r.Optional(kTxKvHvColumn, 0);
                t.kv_mv = r.Optional(kTxKvMvColumn, 0);
                t.kv_lv = r.Optional(kTxKvLvColumn, 0);
                t.tap_percent = r.Optional(kTxTapColumn, 0);
                transformer3 = std::move(t);
                break;
            }
            case BranchType::Generator:
            case BranchType::Unit: {
                network::Generator g;
                g.name = name;
                g.bus = bus;
                g.kva = r.Required(kGenKvaColumn, "a generator needs its rating");
                g.kv = r.Optional(kGenKvColumn, 0);
                g.xd_pu = r.Required(kGenXdColumn, "a generator needs its subtransient reactance");
                if (!in[kGenXrColumn].empty() && !in[kGenRColumn].empty())
                    throw StudyRowError("gen_r: given with gen_xr; a generator's resistance is one or the other");
                if (!in[kGenXrColumn].empty()) g.xr = r.Optional(kGenXrColumn, 0);
                if (!in[kGenRColumn].empty()) g.r_ohm = r.Optional(kGenRColumn, 0);
                g.cos_phi = r.Optional(kGenCosPhiColumn, 0.8);
                g.in_min = in[kGenInMinColumn] == "yes";
                if (!in[kGenInMinColumn].empty() && !g.in_min && in[kGenInMinColumn] != "no")
                    throw StudyRowError("gen_in_min: unknown value \"" + std::string(in[kGenInMinColumn]) + "\" (yes or no)");
                if (type == BranchType::Unit) {
                    network::UnitTransformer u;
                    u.kva = r.Required(kTxKvaColumn, "a power-station unit needs its transformer's rating");
                    u.z_percent = r.Required(kTxZColumn, "a power-station unit needs its transformer's impedance");
                    u.xr = r.Required(kTxXrColumn, "a power-station unit needs its transformer's X/R");
                    u.kv_hv = r.Optional(kTxKvHvColumn, 0);
                    u.kv_lv = r.Optional(kTxKvLvColumn, 0);
                    if (u.kv_lv == 0 && g.kv == 0)
                        throw StudyRowError("gen_kv: empty, a power-station unit needs the generator's rated voltage (or tx_kv_lv)");
                    // gen_pg says the unit has no on-load tap changer: IEC 60909's K_SO.
                    if (!in[kGenPgColumn].empty()) {
                        u.on_load_taps = false;
                        u.pg_percent = r.Optional(kGenPgColumn, 0);
                        u.pt_percent = r.Optional(kTxPtColumn, 0);
                    } else if (!in[kTxPtColumn].empty()) {
                        throw StudyRowError("tx_pt: given without gen_pg; an off-load tap is of a unit without "
                                            "on-load tap changer, which its gen_pg says");
                    }
                    g.unit = u;
                }
                generator = std::move(g);
                break;
            }
            case BranchType::Cable: {
                const double sets = r.Optional(kCableSetsColumn, 1);
                if (sets != std::floor(sets) || sets < 1 || sets > kMostCableSets) {
                    throw StudyRowError("cable_sets: " + std::string(in[kCableSetsColumn]) +
                                        " is not a number of sets (a whole number from 1 to " +
                                        std::to_string(kMostCableSets) + ")");
                }
                cable = network::Cable{name,
                                       from,
                                       bus,
                                       r.Required(kCableLengthColumn, "a cable needs its length"),
                                       r.Required(kCableRColumn, "a cable needs its resistance"),
                                       r.Required(kCableXColumn, "a cable needs its reactance"),
                                       static_cast<int>(sets)};
                if (!in[kCableEndTempColumn].empty()) cable->end_temp_c = r.Optional(kCableEndTempColumn, 20);
                // A closed tie with a device is a tie breaker: it opens like any branch's device.
                cable->opens = !in[kDeviceTypeColumn].empty();
                break;
            }
            case BranchType::None:
                break;
            }
            if (!in[kMotorKvaColumn].empty()) {
                motor = network::Motor{name, bus, r.Required(kMotorKvaColumn, ""),
                                       r.Optional(kMotorXColumn, 0.2), r.Optional(kMotorXrColumn, 10)};
            }
            // The row's elements take part in the scenarios it names; its
            // bus is in every one.
            const std::vector<std::string_view> names = ScenarioCellNames(in[kScenariosColumn]);
            if (!names.empty() && type == BranchType::None && !motor)
                throw StudyRowError("scenarios: given on a row without a branch, source, generator or motor");
            // A name in another case than the scenario's is an error of the
            // row, never a scenario of its own (ScenarioCaseFault says which).
            if (scenario && std::any_of(names.begin(), names.end(), [&](std::string_view n) {
                    return n != *scenario && SameScenarioName(n, *scenario);
                })) {
                throw StudyRowError("scenarios: \"" + *scenario + "\" is written in another case on this row");
            }
            if (scenario && !names.empty() && std::find(names.begin(), names.end(), *scenario) == names.end()) {
                f.out = type != BranchType::None;
                source.reset();
                transformer.reset();
                cable.reset();
                motor.reset();
                generator.reset();
                transformer3.reset();
            }
            rowOf[kindIndex(ElementKind::Bus)].push_back(i);
            input.buses.push_back({bus, kV, who});
            if (source) {
                branchOf[i] = OwnElement{ElementKind::Source, input.sources.size(), bus};
                rowOf[kindIndex(ElementKind::Source)].push_back(i);
                input.sources.push_back(std::move(*source));
            }
            if (transformer) {
                branchOf[i] = OwnElement{ElementKind::Transformer, input.transformers.size(), bus};
                rowOf[kindIndex(ElementKind::Transformer)].push_back(i);
                input.transformers.push_back(std::move(*transformer));
            }
            if (cable) {
                branchOf[i] = OwnElement{ElementKind::Cable, input.cables.size(), bus};
                rowOf[kindIndex(ElementKind::Cable)].push_back(i);
                input.cables.push_back(std::move(*cable));
            }
            if (motor) {
                rowOf[kindIndex(ElementKind::Motor)].push_back(i);
                input.motors.push_back(std::move(*motor));
            }
            if (generator) {
                branchOf[i] = OwnElement{ElementKind::Generator, input.generators.size(), bus};
                rowOf[kindIndex(ElementKind::Generator)].push_back(i);
                input.generators.push_back(std::move(*generator));
            }
            if (transformer3) {
                branchOf[i] = OwnElement{ElementKind::Transformer3, input.transformers3.size(), bus};
                rowOf[kindIndex(ElementKind::Transformer3)].push_back(i);
                input.transformers3.push_back(std::move(*transformer3));
            }
        } catch (const StudyRowError& e) {
            f.problem = RowProblem{e.message, std::nullopt};
        }
    }
    if (input.buses.empty()) return;

    net_ = std::make_unique<network::Network>(std::move(input));
    const network::Network& net = *net_;
    results_ = net.Solve(options);
    for (const network::ElementError& e : results_.errors) {
        // In a scenario, a part of the plant no source feeds is dead, not
        // in error: its rows are left out of that scenario (unfed, below).
        if (scenario && e.unfed) continue;
        rows_[rowOf[kindIndex(e.kind)][e.index]].Refuse(e.message);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        NetworkRowFault& f = rows_[i];
        if (!f.inNetwork || f.problem || f.out) continue;
        const std::string bus(rows[i][kBusColumn]);
        const network::BusResult* b = results_.FindBus(bus);
        if (!b || !b->computed) {
            f.unfed = !(b && b->error >= 0) || results_.errors[b->error].unfed;
            f.Refuse(b && b->error >= 0
                            ? "bus " + bus + " has no fault current: " + results_.errors[b->error].message
                            : "bus " + bus + " has no fault current (no path to a source)");
            continue;
        }
        f.kaMax = b->ka_max;
        f.kaMin = b->ka_min;
        if (branchOf[i]) {
            // The only feed of a bus carries all of its current: a share a
            // rounding of the solution puts just above 1 is 1, so that a
            // device on the branch is not refused for it.
            auto share = [&](network::Case c) {
                std::optional<double> s = results_.Share(bus, branchOf[i]->kind, branchOf[i]->index, c);
                if (s && *s > 1 && *s <= 1 + 1e-9) s = 1.0;
                return s;
            };
            f.branchShare = share(network::Case::Max);
            f.branchShareMin = share(network::Case::Min);
        }
    }
    FindFeeds(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows_[i].network = this;
        rows_[i].row = i;
    }
    if (steps) BuildSteps(rows, *steps);
}

std::string ShortCircuitBasis(const network::SolveOptions& options, bool tapsLeftOut) {
    std::string t = "By " + std::string(network::kConventionWords[static_cast<std::size_t>(options.convention)]) + ": ";
    if (options.convention == network::Convention::Iec60909) {
        t += options.lvTolerance == 10 ? "voltage factor c max 1.10 up to 1 kV (voltage tolerance +10 %), 1.10 above"
                                       : "voltage factor c max 1.05 up to 1 kV (voltage tolerance +6 %), 1.10 above";
        t += "; c min 0.95 up to 1 kV, 1.00 above.";
    } else {
        t += "prefault voltage 1.0 per unit in both cases.";
    }
    const double temp = network::CableEndTemp(options);
    t += " Minimum case with the cables' conductors at " + FormatFixed(temp, 15, temp == std::floor(temp) ? 0 : 1) +
         " °C at the end of the fault (a cable_end_temp of a row for its cable).";
    if (tapsLeftOut && options.convention == network::Convention::Iec60909)
        t += " Transformer taps (tx_tap) left out: IEC 60909 takes every transformer at its rated ratio, "
             "its correction factors standing for the taps.";
    return t;
}

namespace {

// The steps of one case of a row, from its network.
class StepPlanner final : public ArcStepPlanner {
public:
    StepPlanner(const StudyNetwork& network, StudyNetwork::StepQuery q) : network_(network), q_(q) {}
    Plan Steps(const std::function<double(double)>& arcing, double first, const ProtectiveDevice* own,
               std::optional<double> share, bool shareTyped, std::optional<double> typed) const override {
        Plan plan = network_.PlanSteps(q_, arcing, first, own, share, shareTyped, typed, start_);
        consulted_.insert(consulted_.end(), plan.consulted.begin(), plan.consulted.end());
        return plan;
    }
    const std::vector<std::size_t>& Consulted() const { return consulted_; }

private:
    mutable std::vector<std::size_t> consulted_;
    const StudyNetwork& network_;
    StudyNetwork::StepQuery q_;
    mutable std::optional<network::FaultSteps::Fault> start_;
};

}  // namespace

PointResult ComputeNetworkStudyRow(const StudyRowInputs& in, const NetworkRowFault& fault,
                                   const StudyOptions& options, StudyDevices* devices,
                                   std::vector<std::size_t>* consulted) {
    if (!fault.inNetwork) return ComputeStudyRow(in, options, devices);
    // Both cases from the point's cells read once.
    if (!in.read) {
        const StudyPoint read = ReadStudyPoint(in, options.sep);
        StudyRowInputs once = in;
        once.read = &read;
        return ComputeNetworkStudyRow(once, fault, options, devices, consulted);
    }
    if (fault.problem || fault.out) {
        PointResult p;
        p.status = PointStatus::Error;
        p.message = fault.out ? "the row's branch does not take part in the scenario" : fault.problem->message;
        return p;
    }
    // Each case through the row's own method, with the bolted current as
    // the row shows it (kA, three decimals).
    StudyRowInputs maxIn = in, minIn = in;
    // The arc in steps: for a row with a device, and for one with typed
    // durations that its motors' decay splits.
    const std::string_view lineSideWord = in[kLineSideColumn];
    if (!lineSideWord.empty() && lineSideWord != "yes" && lineSideWord != "no") {
        PointResult p;
        p.message = "line_side: unknown value \"" + std::string(lineSideWord) + "\" (yes or no)";
        p.refusal = RefusalCode::UnknownWord;
        return p;
    }
    const bool lineSide = lineSideWord == "yes";
    const bool steps = options.arcSteps && fault.network && fault.network->Steps();
    if (lineSide) {
        const char* why = !steps                          ? "the line side of a device is computed with the arc in steps (--arc-steps on)"
                          : in[kDeviceTypeColumn].empty() ? "a row on the line side of its device needs its device_type"
                                                          : nullptr;
        if (why) {
            PointResult p;
            p.message = std::string("line_side: ") + why;
            return p;
        }
    }
    std::optional<StepPlanner> maxSteps, minSteps;
    if (steps) {
        const bool device = !in[kDeviceTypeColumn].empty();
        for (auto [c, planner, into] : {std::tuple{network::Case::Max, &maxSteps, &maxIn},
                                        std::tuple{network::Case::Min, &minSteps, &minIn}}) {
            const StudyNetwork::StepQuery q{fault.row, c, lineSide};
            if (!device && !fault.network->MotorsDecay(q)) continue;
            planner->emplace(*fault.network, q);
            into->steps = &**planner;
        }
    }
    // Each case's bolted current rounded once, to the three decimals its
    // row shows: the point is computed with the current it shows.
    maxIn.boltedKa = RoundToDecimals(fault.kaMax, 3);
    minIn.boltedKa = RoundToDecimals(fault.kaMin, 3);
    // A device on the row's branch sees the branch's share of each case (a
    // typed device_share overrides both, in ComputeStudyRow).
    if (!in.deviceShareFromNetwork) {
        maxIn.deviceShareFromNetwork = fault.branchShare;
        minIn.deviceShareFromNetwork = fault.branchShareMin;
    }
    PointResult maxCase = ComputeStudyRow(maxIn, options, devices);
    PointResult minCase = ComputeStudyRow(minIn, options, devices);
    if (consulted) {
        for (const std::optional<StepPlanner>* planner : {&maxSteps, &minSteps}) {
            if (*planner) consulted->insert(consulted->end(), (*planner)->Consulted().begin(), (*planner)->Consulted().end());
        }
    }
    // A case that cannot be computed gives the row its refusal; otherwise
    // the larger governing energy decides, the maximum case on a tie.
    // A branch that carries nothing in a case leaves its device out of that
    // case, as a bus not fed: with the arc in one step the other case's
    // results are the row's (in steps the other devices clear it).
    const bool ownDevice = !in[kDeviceTypeColumn].empty() && in[kDeviceShareColumn].empty() && !steps;
    auto carriesNothing = [&](std::optional<double> share) { return ownDevice && share && !(*share > 0); };
    const bool noMax = carriesNothing(fault.branchShare), noMin = carriesNothing(fault.branchShareMin);
    bool min;
    if (noMax != noMin)
        min = noMax;
    else if (!maxCase.Computed())
        min = false;
    else if (!minCase.Computed())
        min = true;
    else
        min = minCase.Governing().energy > maxCase.Governing().energy;
    const std::optional<PointDuty> maxDuty = maxCase.duty;
    PointResult p = std::move(min ? minCase : maxCase);
    if (!p.Computed()) {
        p.message = std::string(min ? "minimum" : "maximum") + " case (" +
                    NetworkCurrentText(min ? fault.kaMin : fault.kaMax, options.sep) + " kA): " + p.message;
    }
    p.network = PointNetwork{fault.kaMax, fault.kaMin, min, fault.branchShare, fault.branchShareMin};
    // The device interrupts the maximum case's current, the share through
    // its branch where it sits on one (three decimals, as each is shown).
    if (maxDuty) {
        PointDuty duty = *maxDuty;
        if (fault.branchShare) duty.availableKa = RoundToDecimals(duty.availableKa * *fault.branchShare, 3);
        p.duty = duty;
    }
    return p;
}

PointResult ComputeNetworkStudyRow(const StudyRowInputs& in, const NetworkRowFault& fault,
                                   const StudyOptions& options, StudyRowResults& out, StudyDevices* devices) {
    PointResult p = ComputeNetworkStudyRow(in, fault, options, devices);
    WriteResultCells(p, options.units, options.sep, out);
    return p;
}

}  // namespace zentavo

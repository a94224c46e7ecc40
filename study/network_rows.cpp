// SPDX-License-Identifier: GPL-3.0-or-later
// A network study's row read into what it adds to the network: its bus and
// the elements of its branch and motor, each value checked for its own sake.
#include "study/network_rows.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "engine/number.h"
#include "study/result_cells.h"
#include "study/scenarios.h"

namespace zentavo {

namespace {

// Whether a row has a network text: it is then computed from the network.
bool HasNetworkText(const StudyRowInputs& in) {
    for (int c = kFirstNetworkColumn; c <= kLastNetworkColumn; ++c) {
        if (!in[c].empty()) return true;
    }
    return false;
}

std::string Name(StudyInputColumn c) {
    return std::string(kStudyInputNames[c]);
}

// The values a network column takes: finite, physically sensible (a real
// plant's values lie well inside), and bounded so that no impedance,
// admittance or current of the per-unit model overflows or underflows. A
// value outside is refused where the row is read, naming the column and
// the value as typed, before it reaches the network.
struct NetworkRange {
    StudyInputColumn column;
    double low, high;
    bool zero;  // 0 is also taken (a cable of 0 m is a closed tie)
    std::string_view what;
};
// clang-format off
constexpr NetworkRange kNetworkRanges[] = {
    {kVoltageColumn,     1,     1e6,  false, "a bus voltage"},
    {kSourceKaColumn,    0.001, 1000, false, "a source fault current"},
    {kSourceKaMinColumn, 0.001, 1000, false, "a source fault current"},
    {kSourceMvaColumn,   0.001, 1e6,  false, "a source short-circuit power"},
    {kSourceMvaMinColumn, 0.001, 1e6, false, "a source short-circuit power"},
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

// A value with its column's unit: "30 kA", "0.5" (X/R).
std::string WithUnit(std::string_view value, StudyInputColumn c) {
    const std::string_view unit = StudyInputUnit(c);
    return std::string(value) + (unit.empty() ? "" : " " + std::string(unit));
}

std::string RangeText(const NetworkRange& r, char sep) {
    const std::string high = WithUnit(ShortDecimalText(r.high, sep), r.column);
    if (r.zero)
        return "0 for a closed tie, or " + WithUnit(ShortDecimalText(r.low, sep), r.column) +
               " to " + high;
    if (r.low == 0) return "0 to " + high;
    return WithUnit(ShortDecimalText(r.low, sep), r.column) + " to " + high;
}

// The network values of one row, read and checked for their own sake; the
// network checks how they fit together.
class RowReader {
public:
    RowReader(const StudyRowInputs& in, char sep, std::optional<RowProblem>& problem)
        : in_(in), sep_(sep), problem_(problem) {}

    // The row's first problem is its message: a later one is not kept (the
    // values read after it are not used).
    void Fail(std::string message) const {
        if (!problem_) problem_ = RowProblem{std::move(message), std::nullopt};
    }

    BranchType Type() const {
        const std::string_view t = in_[kBranchTypeColumn];
        if (const std::optional<BranchType> type = BranchTypeOf(t)) return *type;
        Fail("branch_type: unknown value \"" + std::string(t) + "\"");
        return BranchType::None;
    }

    // The values of branch types only on rows of those types.
    void OnlyFor(BranchType type, std::initializer_list<BranchType> wanted,
                 std::string_view typeWord, std::initializer_list<StudyInputColumn> columns) const {
        if (std::find(wanted.begin(), wanted.end(), type) != wanted.end()) return;
        for (StudyInputColumn c : columns) {
            if (!in_[c].empty())
                Fail(Name(c) + ": given on a row whose branch_type is not " +
                     std::string(typeWord));
        }
    }

    // A number the row must give.
    double Required(StudyInputColumn c, std::string_view why) const {
        if (in_[c].empty()) {
            Fail(Name(c) + ": empty, " + std::string(why));
            return 0;
        }
        return Number(c);
    }
    double Optional(StudyInputColumn c, double otherwise) const {
        return in_[c].empty() ? otherwise : Number(c);
    }

private:
    // The number of a column, within the column's range.
    double Number(StudyInputColumn c) const {
        const std::optional<double> read = ReadNumber(in_[c], sep_);
        if (!read) {
            Fail(Name(c) + ": " + ConversionMessage(in_[c]));
            return 0;
        }
        const double v = *read;
        if (const NetworkRange* r = RangeOf(c);
            r && !(r->zero && v == 0) && !(v >= r->low && v <= r->high)) {
            Fail(Name(c) + ": " + WithUnit(in_[c], c) + " is not " + std::string(r->what) + " (" +
                 RangeText(*r, sep_) + ")");
        }
        return v;
    }

    const StudyRowInputs& in_;
    char sep_;
    std::optional<RowProblem>& problem_;
};

}  // namespace

std::optional<NetworkColumnRange> NetworkRangeOf(StudyInputColumn column) {
    const NetworkRange* r = RangeOf(column);
    if (!r) return std::nullopt;
    return NetworkColumnRange{r->low, r->high, r->zero};
}

std::optional<BranchType> BranchTypeOf(std::string_view word) {
    struct Word {
        std::string_view word;
        BranchType type;
    };
    static constexpr Word kWords[] = {
        {"", BranchType::None},
        {"source", BranchType::Source},
        {"transformer", BranchType::Transformer},
        {"cable", BranchType::Cable},
        {"generator", BranchType::Generator},
        {"transformer3", BranchType::Transformer3},
        {"unit", BranchType::Unit},
    };
    for (const Word& w : kWords) {
        if (w.word == word) return w.type;
    }
    return std::nullopt;
}

// At most `length` bytes of `text`, cut before a character (a UTF-8
// sequence) it would split: a refused row's text is still drawn, bounded.
static std::string CutToLength(std::string_view text, std::size_t length) {
    if (text.size() <= length) return std::string(text);
    std::size_t end = length;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return std::string(text.substr(0, end));
}

NetworkDrawing ReadNetworkDrawing(const StudyRowInputs& in, char sep) {
    NetworkDrawing d;
    d.name = in.point;
    d.bus = in[kBusColumn];
    d.type = BranchTypeOf(in[kBranchTypeColumn]).value_or(BranchType::None);
    switch (d.type) {
        case BranchType::Transformer3:
            d.lvBus = in[kLvBusColumn];
            [[fallthrough]];
        case BranchType::Transformer:
            d.fromBus = in[kFromBusColumn];
            d.kva = ReadNumber(in[kTxKvaColumn], sep);
            d.zPercent = ReadNumber(in[kTxZColumn], sep);
            break;
        case BranchType::Cable:
            d.fromBus = in[kFromBusColumn];
            d.cableLengthM = ReadNumber(in[kCableLengthColumn], sep);
            d.cableSets = ReadNumber(in[kCableSetsColumn], sep);
            d.cableSize = CutToLength(in[kCableSizeColumn], kCableSizeLength);
            break;
        case BranchType::Generator:
        case BranchType::Unit:
            d.kva = ReadNumber(in[kGenKvaColumn], sep);
            break;
        case BranchType::Source:
        case BranchType::None:
            break;
    }
    d.motors = !in[kMotorKvaColumn].empty();
    if (d.motors) d.motorKva = ReadNumber(in[kMotorKvaColumn], sep);
    d.deviceType = in[kDeviceTypeColumn].empty() && HasDevice(in) ? "arc-flash relay" : in[kDeviceTypeColumn];
    if (d.deviceType == "trip-unit") d.deviceAmps = ReadNumber(in[kTripRatingColumn], sep);
    if (d.deviceType == "relay") d.deviceAmps = ReadNumber(in[kRelayPickupColumn], sep);
    // A curve of points (current:time ...) has no name to show.
    if (d.deviceType == "fuse-curve" && in[kFuseCurveColumn].find(':') == std::string_view::npos)
        d.fuseCurve = in[kFuseCurveColumn];
    d.deviceAtFrom = in[kDeviceAtColumn] == "from";
    return d;
}

NetworkRow ReadNetworkRow(const StudyRowInputs& in, std::size_t index, char sep) {
    if (!HasNetworkText(in)) return {};
    NetworkRow row;
    RowReader r(in, sep, row.problem);
    row.inNetwork = true;
    row.who = "row " + std::to_string(index + 1);
    const std::string name = "in " + row.who;
    if (in[kMethodColumn] == StudyColumnWords(kMethodColumn)[kDcMaxPowerMethod] ||
        in[kMethodColumn] == StudyColumnWords(kMethodColumn)[kDcArcResistanceMethod]) {
        r.Fail(
            "bus: a DC row is not part of the network, whose fault currents are AC; give the row "
            "its "
            "bolted_current or dc_source_r and leave its network columns empty");
    }
    row.bus = std::string(in[kBusColumn]);
    const std::string& bus = row.bus;
    if (bus.empty()) r.Fail("bus: empty, on a row with network columns");
    if (!in[kBoltedCurrentColumn].empty()) {
        r.Fail("bolted_current: typed on a row in the network (bus " + bus +
               "), where the network gives it; leave it empty or take the "
               "row out of the network");
    }
    row.kV = r.Required(kVoltageColumn, "the nominal voltage of bus " + bus) / 1000;
    const double kV = row.kV;
    const BranchType type = row.type = r.Type();
    using B = BranchType;
    r.OnlyFor(type, {B::Source}, "source",
              {kSourceKaColumn, kSourceXrColumn, kSourceKaMinColumn, kSourceMvaColumn,
               kSourceMvaMinColumn});
    r.OnlyFor(type, {B::Transformer, B::Transformer3, B::Unit}, "transformer",
              {kTxKvaColumn, kTxZColumn, kTxKvHvColumn, kTxKvLvColumn});
    r.OnlyFor(type, {B::Transformer, B::Transformer3}, "transformer", {kTxTapColumn});
    r.OnlyFor(type, {B::Transformer, B::Unit}, "transformer", {kTxXrColumn});
    r.OnlyFor(type, {B::Transformer3}, "transformer3",
              {kLvBusColumn, kTxKvMvColumn, kTxKvaMvColumn, kTxKvaLvColumn, kTxZHlColumn,
               kTxZMlColumn, kTxUrColumn, kTxUrHlColumn, kTxUrMlColumn});
    r.OnlyFor(type, {B::Cable}, "cable",
              {kCableLengthColumn, kCableRColumn, kCableXColumn, kCableSetsColumn,
               kCableEndTempColumn, kCableSizeColumn});
    // A cable's size is only shown, on a note line of the one-line.
    if (in[kCableSizeColumn].size() > kCableSizeLength)
        r.Fail("cable_size: " + std::to_string(in[kCableSizeColumn].size()) + " bytes, at most " +
               std::to_string(kCableSizeLength) + " (a note line on the one-line)");
    r.OnlyFor(type, {B::Generator, B::Unit}, "generator",
              {kGenKvaColumn, kGenKvColumn, kGenXdColumn, kGenXrColumn, kGenCosPhiColumn,
               kGenRColumn, kGenInMinColumn});
    r.OnlyFor(type, {B::Unit}, "unit", {kGenPgColumn, kTxPtColumn});
    if ((type == BranchType::None || type == BranchType::Source || type == BranchType::Generator ||
         type == BranchType::Unit) &&
        !in[kFromBusColumn].empty()) {
        r.Fail("from_bus: given on a row without a transformer or cable");
    }
    if (in[kMotorKvaColumn].empty()) {
        for (StudyInputColumn c : {kMotorXColumn, kMotorXrColumn}) {
            if (!in[c].empty()) r.Fail(Name(c) + ": given without motor_kva");
        }
    }
    // Read everything before adding anything: a row is in the network whole or not at all.
    std::optional<network::Source>& source = row.source;
    std::optional<network::Transformer>& transformer = row.transformer;
    std::optional<network::Cable>& cable = row.cable;
    std::optional<network::Motor>& motor = row.motor;
    std::optional<network::Generator>& generator = row.generator;
    std::optional<network::Transformer3>& transformer3 = row.transformer3;
    const std::string from(in[kFromBusColumn]);
    switch (type) {
        case BranchType::Source: {
            // Its current, or its short-circuit power S = √3·U·I at the
            // bus's nominal voltage (c = 1: the power is defined from the
            // current, S"k = √3·Un·I"k), never both.
            const auto current = [&](StudyInputColumn ka, StudyInputColumn mva, double otherwise) {
                if (in[mva].empty()) {
                    return ka == kSourceKaColumn
                               ? r.Required(ka, "a source needs its fault current")
                               : r.Optional(ka, otherwise);
                }
                if (!in[ka].empty())
                    r.Fail(Name(mva) + ": given with " + Name(ka) + "; give one of them");
                const double s = r.Required(mva, "a source needs its short-circuit power");
                return kV > 0 ? s / (std::sqrt(3.0) * kV) : 0.0;
            };
            const double ka = current(kSourceKaColumn, kSourceMvaColumn, 0);
            const double kaMin = current(kSourceKaMinColumn, kSourceMvaMinColumn, ka);
            if (kaMin > ka) {
                const StudyInputColumn low =
                    in[kSourceMvaMinColumn].empty() ? kSourceKaMinColumn : kSourceMvaMinColumn;
                const StudyInputColumn high =
                    in[kSourceMvaColumn].empty() ? kSourceKaColumn : kSourceMvaColumn;
                r.Fail(Name(low) + ": " + WithUnit(in[low], low) + " is above " + Name(high) +
                       ", " + WithUnit(in[high], high));
            }
            source = network::Source{
                name, bus, kV, ka, kaMin, r.Required(kSourceXrColumn, "a source needs its X/R")};
            break;
        }
        case BranchType::Transformer:
            transformer =
                network::Transformer{name,
                                     from,
                                     bus,
                                     r.Required(kTxKvaColumn, "a transformer needs its rating"),
                                     r.Required(kTxZColumn, "a transformer needs its impedance"),
                                     r.Required(kTxXrColumn, "a transformer needs its X/R"),
                                     r.Optional(kTxKvHvColumn, 0),
                                     r.Optional(kTxKvLvColumn, 0),
                                     r.Optional(kTxTapColumn, 0)};
            break;
        case BranchType::Transformer3: {
            const std::string lv(in[kLvBusColumn]);
            if (from.empty())
                r.Fail("from_bus: empty, a three-winding transformer needs its high-voltage bus");
            if (lv.empty())
                r.Fail("lv_bus: empty, a three-winding transformer needs its low-voltage bus");
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
            t.uk_percent = {r.Required(kTxZColumn, uk), r.Required(kTxZHlColumn, uk),
                            r.Required(kTxZMlColumn, uk)};
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
                r.Fail("gen_r: given with gen_xr; a generator's resistance is one or the other");
            if (!in[kGenXrColumn].empty()) g.xr = r.Optional(kGenXrColumn, 0);
            if (!in[kGenRColumn].empty()) g.r_ohm = r.Optional(kGenRColumn, 0);
            g.cos_phi = r.Optional(kGenCosPhiColumn, 0.8);
            g.in_min = in[kGenInMinColumn] == "yes";
            if (!in[kGenInMinColumn].empty() && !g.in_min && in[kGenInMinColumn] != "no")
                r.Fail("gen_in_min: unknown value \"" + std::string(in[kGenInMinColumn]) +
                       "\" (yes or no)");
            if (type == BranchType::Unit) {
                network::UnitTransformer u;
                u.kva =
                    r.Required(kTxKvaColumn, "a power-station unit needs its transformer's rating");
                u.z_percent = r.Required(kTxZColumn,
                                         "a power-station unit needs its transformer's impedance");
                u.xr = r.Required(kTxXrColumn, "a power-station unit needs its transformer's X/R");
                u.kv_hv = r.Optional(kTxKvHvColumn, 0);
                u.kv_lv = r.Optional(kTxKvLvColumn, 0);
                if (u.kv_lv == 0 && g.kv == 0)
                    r.Fail(
                        "gen_kv: empty, a power-station unit needs the generator's rated voltage "
                        "(or tx_kv_lv)");
                // gen_pg says the unit has no on-load tap changer: IEC 60909's K_SO.
                if (!in[kGenPgColumn].empty()) {
                    u.on_load_taps = false;
                    u.pg_percent = r.Optional(kGenPgColumn, 0);
                    u.pt_percent = r.Optional(kTxPtColumn, 0);
                } else if (!in[kTxPtColumn].empty()) {
                    r.Fail(
                        "tx_pt: given without gen_pg; an off-load tap is of a unit without "
                        "on-load tap changer, which its gen_pg says");
                }
                g.unit = u;
            }
            generator = std::move(g);
            break;
        }
        case BranchType::Cable: {
            double sets = r.Optional(kCableSetsColumn, 1);
            if (sets != std::floor(sets) || sets < 1 || sets > kMostCableSets) {
                sets = 1;  // refused: a number of sets the cable is not built with
                r.Fail("cable_sets: " + std::string(in[kCableSetsColumn]) +
                       " is not a number of sets (a whole number from 1 to " +
                       std::to_string(kMostCableSets) + ")");
            }
            cable = network::Cable{name,
                                   from,
                                   bus,
                                   r.Required(kCableLengthColumn, "a cable needs its length"),
                                   r.Required(kCableRColumn, "a cable needs its resistance"),
                                   r.Required(kCableXColumn, "a cable needs its reactance"),
                                   static_cast<int>(sets),
                                   std::nullopt};
            if (!in[kCableEndTempColumn].empty())
                cable->end_temp_c = r.Optional(kCableEndTempColumn, 20);
            // A closed tie with a device is a tie breaker: it opens like any branch's device.
            cable->opens = HasDevice(in);
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
    ScenarioNames names = ScenarioCellNames(in[kScenariosColumn]);
    if (names.problem) r.Fail(names.problem->message);
    if (!names.names.empty() && type == BranchType::None && !motor)
        r.Fail("scenarios: given on a row without a branch, source, generator or motor");
    row.scenarios = std::move(names.names);
    // A row with a problem adds nothing.
    if (row.problem) {
        NetworkRow refused;
        refused.inNetwork = true;
        refused.problem = std::move(row.problem);
        return refused;
    }
    return row;
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/report_cells.h"

#include <span>

#include "engine/catalog.h"
#include "engine/ieee2018.h"
#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "render/report_text.h"

namespace zentavo::render {

namespace {
// The word of a row's length unit cell, as the row's lengths are shown.
std::string_view LengthCaption(std::string_view unit) { return unit.empty() ? UnitWord(LengthUnit::Millimetres) : unit; }
}  // namespace

// The length unit of a computed row: its unit cells were read when it was
// computed, so a word that is no unit cannot stand there.
LengthUnit RowLengthUnit(std::string_view cell) {
    if (const auto unit = StudyLengthUnit(cell)) return *unit;
    throw std::invalid_argument("\"" + std::string(cell) + "\" is not a length unit.");
}

// The method a row's method cell names, read by the column's words; none
// for a word that is none of them.
std::optional<Method> MethodOf(const StudyCells& in) {
    const std::span<const std::string_view> words = StudyColumnWords(kMethodColumn);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == in[kMethodColumn]) return static_cast<Method>(i);
    }
    return std::nullopt;
}

bool IsMethod(const StudyCells& in, Method method) {
    return MethodOf(in) == method;
}

// The equipment class a fuse or breaker row stands for: the one it names,
// else the class its tab computes for.
std::string_view EquipmentClassOf(const StudyCells& in) {
    if (!in[kEquipmentClassColumn].empty()) return in[kEquipmentClassColumn];
    return kEquipmentClasses[IsMethod(in, kFuseMethod) ? kFuseTabClass : kBreakerTabClass];
}

// A point's result, or the empty result of a point not computed yet.
const PointResult& ResultOf(const StudyPointView& p) {
    static const PointResult kNone{};
    return p.result ? *p.result : kNone;
}

// The standard's name in the report's headings.
static QString StandardName(LabelStandard standard) {
    return standard == LabelStandard::CsaZ462 ? QStringLiteral("CSA Z462") : QStringLiteral("NFPA 70E");
}

std::vector<Column> PointColumns(const UnitSettings& u, LabelStandard standard) {
    const QString boundary = Text(UnitWord(u.BoundaryUnit));
    if (standard != LabelStandard::Classic) {
        std::vector<Column> columns = PointColumns(u, LabelStandard::Classic);
        const std::size_t ppe = columns.size() - 4;
        columns[ppe] = {QStringLiteral("Minimum arc rating (cal/cm²)"), 26, 2, true, QStringLiteral("none adequate")};
        columns[ppe + 2] = {QStringLiteral("PPE after %1").arg(StandardName(standard)), 150, 5, true};
        columns[ppe + 3] = {QStringLiteral("Approach limited / restricted (%1)").arg(boundary), 50, 3, true};
        return columns;
    }
    return {{QStringLiteral("Point"), 56, 3, false, {}, true},
            {QStringLiteral("Method"), 58, 2, false, QStringLiteral("IEEE 1584-2002"), true},
            {QStringLiteral("Equipment class or electrodes"), 48, 2, false, QStringLiteral("Switchgear"), true},
            {QStringLiteral("Voltage (V)"), 28, 1, false, QStringLiteral("13800")},
            {QStringLiteral("Bolted current (kA)"), 30, 2, false, QStringLiteral("106.5")},
            {QStringLiteral("Gap"), 36, 1, false, QStringLiteral("152.4 mm")},
            {QStringLiteral("Enclosure H × W × D"), 44, 2},
            {QStringLiteral("Working distance"), 40, 1, false, QStringLiteral("36 inches")},
            {QStringLiteral("Arc duration full / reduced (s)"), 38, 2, false, QStringLiteral("0.25 / 0.5")},
            {QStringLiteral("Arcing current (kA)"), 30, 1, true, QStringLiteral("106.000")},
            {QStringLiteral("Incident energy (%1)").arg(Text(UnitWord(u.EnergyUnit))), 34, 1, true, QStringLiteral("1000.00")},
            {QStringLiteral("Arc flash boundary (%1)").arg(boundary), 34, 1, true, QStringLiteral("10000")},
            {QStringLiteral("PPE level"), 22, 1, true, QStringLiteral("N/A")},
            {QStringLiteral("Case"), 30, 1, true, QStringLiteral("reduced"), true},
            {QStringLiteral("Protective clothing"), 150, 5, true},
            {QStringLiteral("Approach limited / restricted / prohibited (%1)").arg(boundary), 50, 3, true}};
}

std::vector<Column> BusColumns() {
    return {{QStringLiteral("Bus"), 80, 2, false, {}, true},
            {QStringLiteral("Voltage (V)"), 30, 1, false, QStringLiteral("13800")},
            {QStringLiteral("I max (kA)"), 30, 1, true, QStringLiteral("106.000")},
            {QStringLiteral("I min (kA)"), 30, 1, true, QStringLiteral("106.000")},
            {QStringLiteral("X/R"), 24, 1, true, QStringLiteral("100.00")},
            {QStringLiteral("Convention"), 30, 1, false, QStringLiteral("iec60909"), true}};
}

// A bus of the network's table: refused buses read "no fault current".
std::vector<QString> BusCells(const network::BusResult& b, network::Convention convention) {
    const QString voltage = QString::fromStdString(FormatFixed(b.kV * 1000, 15, 0));
    const QString words = Text(network::kConventionWords[static_cast<std::size_t>(convention)]);
    if (!b.computed) return {Text(b.name), voltage, QStringLiteral("no fault current"), QString(), QString(), words};
    return {Text(b.name), voltage, QString::fromStdString(FormatFixed(b.ka_max, 15, 3)),
            QString::fromStdString(FormatFixed(b.ka_min, 15, 3)), QString::fromStdString(FormatFixed(b.xr_max, 15, 2)),
            words};
}

// The bolted current of a row: as typed, or (a row of a network) the one of
// the case that gave its results, with that case; the worst current of the
// range between the cases where it gave them (--arc-current-range on).
static QString BoltedCurrentText(const StudyPointView& p, char sep) {
    const PointResult& r = ResultOf(p);
    if (!r.network) return Text(p.inputs[kBoltedCurrentColumn]);
    const bool range = r.range && r.range->governs;
    return Text(NetworkCurrentText(*r.NetworkCurrent(), sep)) +
           (range                    ? QStringLiteral(" range")
            : r.network->minimumCase ? QStringLiteral(" min")
                                     : QStringLiteral(" max"));
}

std::vector<Column> RefusedColumns() {
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Method"), 58, 2, false, {}, true},
            {QStringLiteral("Status"), 30, 1, false, {}, true},
            {QStringLiteral("Message"), 400, 6}};
}

// The protective devices of the rows that name one.
std::vector<Column> DeviceColumns() {
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Protective device and settings"), 300, 4},
            {QStringLiteral("Full case: duration (s), element"), 70, 2},
            {QStringLiteral("Reduced case: duration (s), element"), 70, 2}};
}

// ", branch share 0.500 maximum case, 0.332 minimum case": on a branch of
// the network without a typed share, the branch's share of each case, which
// the row's device saw in that case; empty otherwise.
QString BranchSharesText(const StudyPointView& p, char sep) {
    const PointResult& r = ResultOf(p);
    if (!p.inputs[kDeviceShareColumn].empty() || !r.network || !r.network->share) return {};
    auto share = [&](const std::optional<double>& s) {
        return s ? QString::fromStdString(FormatFixed(*s, 15, 3, sep)) : QString();
    };
    return QStringLiteral(", branch share ") + share(r.network->share) + QStringLiteral(" maximum case, ") +
           share(r.network->shareMin) + QStringLiteral(" minimum case");
}

// "relay IEC-SI, pickup 2000 A, time dial 0.3, ...": the device of a row and
// the settings given, in the words and units of its columns.
QString DeviceText(const StudyCells& in) {
    // A branch's breaker with its arc-flash relay alone has no device_type.
    QString text = in[kDeviceTypeColumn].empty() && HasDevice(in) ? QStringLiteral("breaker")
                                                                  : Text(in[kDeviceTypeColumn]);
    if (in[kDeviceTypeColumn] == kDeviceTypeWords[static_cast<int>(DeviceType::Relay)] && !in[kRelayCurveColumn].empty()) {
        text += QLatin1Char(' ') + Text(in[kRelayCurveColumn]);
    }
    struct Setting {
        StudyInputColumn column;
        const char* caption;
        const char* unit;
    };
    // clang-format off
    static constexpr Setting kSettings[] = {
        {kRelayPickupColumn, "pickup", " A"},          {kRelayTimeDialColumn, "time dial", ""},
        {kRelayInstPickupColumn, "instantaneous", " A"}, {kRelayInstDelayColumn, "delay", " s"},
        {kBreakerTimeColumn, "breaker", " s"},          {kTripRatingColumn, "rating", " A"},
        {kTripLtPickupColumn, "LT pickup", " × In"},   {kTripLtDelayColumn, "LT delay", " s"},
        {kTripStPickupColumn, "ST pickup", " × Ir"},   {kTripStDelayColumn, "ST delay", " s"},
        {kTripInstPickupColumn, "INST pickup", " × In"}, {kTripInstTimeColumn, "INST time", " s"},
        {kTripToleranceColumn, "tolerance", ""},        {kFuseCurveColumn, "curve", ""},
        {kDeviceShareColumn, "share", ""},              {kMaxArcTimeColumn, "maximum", " s"},
        // Its special protection.
        {kAfrPickupColumn, "arc-flash relay pickup", " A"}, {kAfrTimeColumn, "arc-flash relay time", " s"},
        {kZsiColumn, "zone-selective interlocking", ""}, {kZsiTimeColumn, "interlocked delay", " s"},
    };
    // clang-format on
    for (const Setting& s : kSettings) {
        if (in[s.column].empty()) continue;
        const bool none = s.column == kMaxArcTimeColumn && in[s.column] == "none";
        text += QStringLiteral(", ") + QString::fromUtf8(s.caption) + QLatin1Char(' ') + Text(in[s.column]) +
                (none ? QString() : QString::fromUtf8(s.unit));
    }
    return text;
}

QString SpecialProtectionNote(const PointStep& step, std::size_t k) {
    const DeviceElement by = k < step.openedBy.size() ? step.openedBy[k] : DeviceElement::DoesNotOperate;
    if (!SpecialProtection(by)) return {};
    return QStringLiteral(" (") + Text(DeviceElementWord(by)) + QLatin1Char(')');
}

// A duration a device gave and its element: "0.0613, instantaneous".
static QString UsedText(const std::optional<PointDuration>& d, char sep) {
    if (!d) return {};
    return Text(ArcDurationText(d->seconds, sep)) + QStringLiteral(", ") + Text(DeviceElementWord(d->element));
}

std::vector<QString> DeviceCells(const StudyPointView& p, char sep) {
    const PointResult& r = ResultOf(p);
    // Its interrupting duty, said even where no rating was given.
    QString duty;
    if (r.duty) duty = QStringLiteral(", ") + (r.duty->ratingKa ? Text(DutyText(*r.duty, sep))
                                                                 : QStringLiteral("interrupting rating not checked"));
    return {Text(OneLineName(p.name)), DeviceText(p.inputs) + BranchSharesText(p, sep) + duty, UsedText(r.full.duration, sep),
            r.reduced ? UsedText(r.reduced->duration, sep) : QString()};
}

std::vector<Column> StepColumns() {
    return {{QStringLiteral("Point"), 64, 3, false, {}, true},
            {QStringLiteral("Step"), 16, 1, true},
            {QStringLiteral("Bolted current (kA)"), 40, 2, true},
            {QStringLiteral("Arcing current (kA)"), 40, 2, true},
            {QStringLiteral("Duration (s)"), 36, 2, true},
            {QStringLiteral("Ended by"), 200, 3, true}};
}

std::vector<QString> StepCells(const StudyPointView& p, std::size_t step, const std::vector<std::string>& opened,
                               char sep) {
    const PointStep& s = ResultOf(p).Governing().steps.at(step);
    QString ended;
    switch (s.end) {
        case StepEnd::DeviceOpened:
            for (std::size_t k = 0; k < opened.size(); ++k) {
                ended += (ended.isEmpty() ? QString() : QStringLiteral(", ")) +
                         Text(OneLineName(opened[k]));
                // Special protection names itself: "X (arc-flash relay)".
                if (k < s.openedBy.size() && SpecialProtection(s.openedBy[k]))
                    ended += QStringLiteral(" (") + Text(DeviceElementWord(s.openedBy[k])) +
                             QStringLiteral(")");
            }
            ended = QStringLiteral("the device of ") + ended + QStringLiteral(" opened");
            break;
        case StepEnd::BusDifferential:
            ended =
                QStringLiteral("the bus differential protection opened every branch into the bus");
            break;
        case StepEnd::MotorsEnd:
            ended = QStringLiteral("the motors' contribution ended");
            break;
        case StepEnd::MaximumDuration:
            ended = QStringLiteral("the maximum arc duration");
            break;
        case StepEnd::TypedDuration:
            ended = QStringLiteral("the arc duration typed");
            break;
        case StepEnd::NoSource:
            ended = QStringLiteral("no source left but motors");
            break;
    }
    if (s.motorsEnd && s.end == StepEnd::DeviceOpened) ended += QStringLiteral("; the motors' contribution ended");
    if (!s.notSelective.empty()) ended += QStringLiteral("; not selective");
    return {step == 0 ? Text(OneLineName(p.name)) : QString(), QString::number(step + 1),
            Text(FormatFixed(s.boltedKa, 15, 3, sep)), Text(FormatFixed(s.arcingKa, 15, 3, sep)),
            Text(ArcDurationText(s.seconds, sep)), ended};
}

// The edition of IEEE 1584 and the equations of a row, in words; a refused
// row by the method it asks for.
static QString MethodText(const StudyPointView& p) {
    const PointResult& r = ResultOf(p);
    Equations equations = r.Computed() ? r.equations : Equations::None;
    if (equations == Equations::None) {
        // A method word that is none of the methods is shown as typed.
        const std::optional<Method> method = MethodOf(p.inputs);
        if (!method) return Text(p.inputs[kMethodColumn]);
        switch (*method) {
            case kEmpiricalMethod:
                equations = Equations::Empirical;
                break;
            case kFuseMethod:
                equations = Equations::Fuse;
                break;
            case kBreakerMethod:
                equations = Equations::Breaker;
                break;
            case kIeee2018Method:
                equations = Equations::Ieee2018;
                break;
            case kDcMaxPowerMethod:
                equations = Equations::DcMaxPower;
                break;
            case kDcArcResistanceMethod:
                equations = Equations::DcArcResistance;
                break;
        }
    }
    switch (equations) {
        case Equations::Ieee2018:
            return QStringLiteral("IEEE 1584-2018");
        case Equations::DcMaxPower:
        case Equations::DcArcResistance:
            return Text(EquationsWord(equations));
        case Equations::TheoreticallyDerived:
            return QStringLiteral("IEEE 1584-2002 Lee");
        default:
            return QStringLiteral("IEEE 1584-2002 ") + Text(EquationsWord(equations));
    }
}

// A number typed in a row with its unit ("mm" when the row names none).
static QString WithUnit(std::string_view value, std::string_view unit) {
    return value.empty() ? QString() : Text(value) + QLatin1Char(' ') + Text(LengthCaption(unit));
}

static bool Is2018Method(const StudyCells& in) {
    return IsMethod(in, kIeee2018Method);
}
static bool IsDcRow(const StudyCells& in) {
    return IsMethod(in, kDcMaxPowerMethod) || IsMethod(in, kDcArcResistanceMethod);
}

// The equipment of a row: the electrode configuration of a 2018 row (with
// the class it names), else its equipment class (for a fuse or breaker row
// the one its label names).
static QString EquipmentText(const StudyCells& in) {
    if (Is2018Method(in)) {
        const QString configuration = Text(in[kElectrodeConfigurationColumn]);
        if (in[kEquipmentClassColumn].empty()) return configuration;
        return QStringLiteral("%1 (%2)").arg(Text(in[kEquipmentClassColumn]), configuration);
    }
    if (IsMethod(in, kFuseMethod) || IsMethod(in, kBreakerMethod)) return Text(EquipmentClassOf(in));
    // A DC row: its enclosure, with the class it names.
    if (IsDcRow(in) && !in[kDcBoxColumn].empty()) {
        if (in[kEquipmentClassColumn].empty()) return Text(in[kDcBoxColumn]);
        return QStringLiteral("%1 (%2)").arg(Text(in[kEquipmentClassColumn]), Text(in[kDcBoxColumn]));
    }
    return Text(in[kEquipmentClassColumn]);
}

// The inside of a 2018 row's enclosure, height × width × depth; none in open air.
static QString EnclosureText(const StudyCells& in) {
    const std::string_view c = in[kElectrodeConfigurationColumn];
    const bool openAir = c == kElectrodeWords[static_cast<int>(Electrode::VOA)] ||
                         c == kElectrodeWords[static_cast<int>(Electrode::HOA)];
    if (!Is2018Method(in) || openAir) return {};
    if (in[kEnclosureHeightColumn].empty() && in[kEnclosureWidthColumn].empty() && in[kEnclosureDepthColumn].empty()) {
        return {};
    }
    return QStringLiteral("%1 × %2 × %3 %4")
        .arg(Text(in[kEnclosureHeightColumn]), Text(in[kEnclosureWidthColumn]), Text(in[kEnclosureDepthColumn]),
             Text(LengthCaption(in[kEnclosureUnitColumn])));
}

// The arc durations of both cases; one where the equations have one case
// (Lee), none where the equations take none (fuses, breakers).
static QString DurationsText(const StudyPointView& p, char sep) {
    const StudyCells& in = p.inputs;
    const PointResult& r = ResultOf(p);
    if (IsMethod(in, kFuseMethod) || IsMethod(in, kBreakerMethod)) return {};
    if (r.Computed() && r.full.duration) {
        // Found from the row's device: the durations used, a capped one marked.
        auto used = [&](const PointDuration& d) {
            return Text(ArcDurationText(d.seconds, sep)) +
                   (d.element == DeviceElement::Capped ? QStringLiteral(" capped") : QString());
        };
        if (!r.reduced || !r.reduced->duration) return used(*r.full.duration);
        return used(*r.full.duration) + QStringLiteral(" / ") + used(*r.reduced->duration);
    }
    // A DC row without a duration typed or a device: the 2 s its notes assume.
    if (r.Computed() && r.dc && r.dc->durationAssumed) return Text(ArcDurationText(r.dc->arcTime, sep)) + QStringLiteral(" assumed");
    if ((r.Computed() && r.equations == Equations::TheoreticallyDerived) || in[kArcTimeReducedColumn].empty()) {
        return Text(in[kArcTimeColumn]);
    }
    return Text(in[kArcTimeColumn]) + QStringLiteral(" / ") + Text(in[kArcTimeReducedColumn]);
}

// The cells of a point's row: its inputs, then the governing case's results.
std::vector<QString> PointCells(const StudyPointView& p, const UnitSettings& units, char sep,
                                LabelStandard standard) {
    const PointResult& v = ResultOf(p);
    const StudyCells& in = p.inputs;
    const bool computed = v.Computed();
    const bool reduced = computed && v.ReducedCaseGoverns();
    std::vector<QString> cells = {Text(OneLineName(p.name)),
                                  MethodText(p),
                                  EquipmentText(in),
                                  Text(in[kVoltageColumn]),
                                  BoltedCurrentText(p, sep),
                                  IsMethod(in, kFuseMethod) || IsMethod(in, kBreakerMethod) ||
                                          IsMethod(in, kDcMaxPowerMethod)  // takes no gap
                                      ? QString()
                                      : WithUnit(in[kGapColumn], in[kGapUnitColumn]),
                                  EnclosureText(in),
                                  WithUnit(in[kWorkDistanceColumn], in[kWorkDistanceUnitColumn]),
                                  DurationsText(p, sep)};
    if (!computed) {
        cells.resize(cells.size() + 7);
        cells[cells.size() - 3] = QStringLiteral("refused");
        return cells;
    }
    const StudyRowResults r = ResultCells(v, units, sep);
    auto result = [&](StudyResultColumn full, StudyResultColumn red) { return Text(r[reduced ? red : full]); };
    if (standard != LabelStandard::Classic) {
        // As the point's label after the standard gives them: the arc
        // rating and the items of the governing energy's band (the larger
        // case's, as the label's), or that no PPE is adequate.
        const LabelContentInputs label = StudyLabelInputs(p.inputs, v, units, sep);
        StandardLabelOptions o;
        o.standard = standard;
        o.sep = sep;
        const StandardLabel made = MakeStandardLabel(label, OneLineName(p.name), o);
        const std::optional<double> rating = MinimumArcRating(GoverningCalCm2(label));
        cells.insert(cells.end(),
                     {result(kArcingCurrentColumn, kArcingCurrentReducedColumn),
                      result(kIncidentEnergyColumn, kIncidentEnergyReducedColumn),
                      result(kFlashBoundaryColumn, kFlashBoundaryReducedColumn),
                      rating ? Text(FormatFixed(*rating, 15, 1, sep)) : QStringLiteral("none adequate"),
                      reduced ? QStringLiteral("reduced") : QStringLiteral("full"), Text(made.ppe.value),
                      Text(r[kLimitedApproachColumn]) + QStringLiteral(" / ") + Text(r[kRestrictedApproachColumn])});
        return cells;
    }
    const QString clothing = result(kClothing1Column, kClothingReduced1Column) + QLatin1Char(' ') +
                             result(kClothing2Column, kClothingReduced2Column);
    cells.insert(cells.end(), {result(kArcingCurrentColumn, kArcingCurrentReducedColumn),
                               result(kIncidentEnergyColumn, kIncidentEnergyReducedColumn),
                               result(kFlashBoundaryColumn, kFlashBoundaryReducedColumn),
                               result(kPpeLevelColumn, kPpeLevelReducedColumn),
                               reduced ? QStringLiteral("reduced") : QStringLiteral("full"),
                               clothing.simplified(),
                               Text(r[kLimitedApproachColumn]) + QStringLiteral(" / ") +
                                   Text(r[kRestrictedApproachColumn]) + QStringLiteral(" / ") +
                                   Text(r[kProhibitedApproachColumn])});
    return cells;
}

std::vector<QString> RefusedCells(const StudyPointView& p) {
    // A point not computed yet has no status.
    return {Text(OneLineName(p.name)), MethodText(p), p.result ? Text(PointStatusWord(p.result->status)) : QString(),
            Text(ResultOf(p).message)};
}

const char* const kMethodNotes[6] = {
    "IEEE 1584-2002 empirical model: 208 V to 15 kV, bolted fault current 0.7 kA to 106 kA, "
    "conductor gap 13 mm to 152 mm, working distance 300 mm to 2000 mm. It gives two cases, at "
    "the predicted and at the 85% arcing current, each with its own arc duration; the case "
    "with the larger incident energy governs and its values are shown above.",
    "IEEE 1584-2002 theoretically derived model (Lee): used by the empirical method at 15 kV and "
    "above (up to 46 kV) or for a gap over 152 mm; one case at the bolted fault current, no "
    "pressure or TNT equivalent.",
    "IEEE 1584-2002 fuse equations: current-limiting fuses of class RK1 (up to 600 A) and class L "
    "(601 A to 2000 A) at 600 V in switchgear, each within the bolted currents its equations "
    "were tested for.",
    "IEEE 1584-2002 circuit breaker equations: by breaker type and rating, 208 V to 480 V and "
    "575 V to 690 V, in panels and MCCs.",
    "IEEE 1584-2018 model: 208 V to 15 kV; bolted fault current 0.5 kA to 106 kA up to 600 V and "
    "0.2 kA to 65 kA above; gap 6.35 mm to 76.2 mm up to 600 V and 19.05 mm to 254 mm above; "
    "working distance 305 mm or more. The larger of the full and reduced arcing current cases "
    "governs.",
    "A point outside the range of its method is refused and listed with the reason; it has no "
    "results and no label. The results show the incident energy at the working distance and "
    "help choose the protective equipment against the radiated heat of an arc; actual arc flash "
    "severity can differ."};

const char* const kDcMethodNote =
    "DC points after NFPA 70E Informative Annex D.5, in open air or multiplied by their enclosure's factor (3 for the "
    "annex's box; after Wilkins for LV switchgear, MV switchgear and panelboards): the maximum-power method takes half "
    "the bolted current at half the voltage and ignores the gap, and is known to be very conservative; the "
    "arc-resistance method solves the circuit with the Stokes and Oppenlander arc voltage and ignores the arc's "
    "magnetic forces and electrode erosion. Without a duration typed or a protective device an arc lasts 2 s, as the "
    "annex's notes assume. Shock approach boundaries of DC after NFPA 70E-2024 Table 130.4(E)(b): the limited "
    "approach to an exposed fixed circuit part and the restricted approach of the point's band; the table "
    "specifies none below 50 V (N/A). At or below 150 V DC an arc is hard to sustain; the energy assumes it is "
    "sustained.";

}  // namespace zentavo::render

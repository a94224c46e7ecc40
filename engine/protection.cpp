// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/protection.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "engine/number.h"

namespace zentavo {

namespace {

// --- Messages ---------------------------------------------------------------

void Add(std::string& errors, std::string_view name, std::string_view problem) {
    if (!errors.empty()) errors += "; ";
    errors += name;
    errors += ": ";
    errors += problem;
}

void CheckAbove0(std::string& errors, std::string_view name, double v) {
    if (!std::isfinite(v))
        Add(errors, name, "must be a finite number");
    else if (!(v > 0))
        Add(errors, name, "must be above 0");
}

// A duration that is above 0 must also be at least the shortest a
// protective device clears in.
void CheckDuration(std::string& errors, std::string_view name, double v) {
    CheckAbove0(errors, name, v);
    if (v > 0 && v < kShortestArcTime) Add(errors, name, "must be at least 0.001 s");
}

void Check0OrAbove(std::string& errors, std::string_view name, double v) {
    if (!std::isfinite(v))
        Add(errors, name, "must be a finite number");
    else if (v < 0)
        Add(errors, name, "must be 0 or above");
}

// The least step of a curve's current from one point to the next, relative
// to the point before.
constexpr double kCurveCurrentStep = 1e-9;

// "fuse_curve: point 2" for the point at index 1 of a curve named "fuse_curve".
std::string PointName(std::string_view curve, std::size_t index) {
    return std::string(curve) + ": point " + std::to_string(index + 1);
}

template <class Device>
Built<Device> Refused(RefusalCode code, std::string errors) {
    return Built<Device>{std::nullopt, Refusal{code, std::move(errors)}};
}

// --- Relay curves -----------------------------------------------------------

struct CurveConstants {
    double a, b, p;  // t = dial (a / (M^p - 1) + b)
};
// clang-format off
constexpr std::array<CurveConstants, 8> kCurveConstants = {{
    {0.0515, 0.1140, 0.02},  // IEEE C37.112 moderately inverse
    {19.61,  0.491,  2},     // IEEE very inverse
    {28.2,   0.1217, 2},     // IEEE extremely inverse
    {0.14,   0,      0.02},  // IEC 60255-151 standard inverse
    {13.5,   0,      1},     // IEC very inverse
    {80,     0,      2},     // IEC extremely inverse
    {120,    0,      1},     // IEC long-time inverse
    {0,      0,      0},     // definite time: t = dial
}};
// clang-format on

// M^p - 1 for M above 1, without the cancellation of pow(M, 0.02) - 1 just
// above pickup.
double PowMinus1(double m, double p) {
    if (p == 2) return (m - 1) * (m + 1);
    if (p == 1) return m - 1;
    return std::expm1(p * std::log(m));
}

}  // namespace

std::string_view DeviceElementWord(DeviceElement e) {
    switch (e) {
        case DeviceElement::DoesNotOperate:
            return "does not operate";
        case DeviceElement::Instantaneous:
            return "instantaneous";
        case DeviceElement::ShortTime:
            return "short time";
        case DeviceElement::LongTime:
            return "long time";
        case DeviceElement::Inverse:
            return "inverse";
        case DeviceElement::DefiniteTime:
            return "definite time";
        case DeviceElement::Curve:
            return "curve";
        case DeviceElement::Capped:
            return "capped";
        case DeviceElement::ArcFlashRelay:
            return "arc-flash relay";
        case DeviceElement::ZoneInterlocked:
            return "zone-selective interlocking";
        case DeviceElement::BusDifferential:
            return "bus differential";
    }
    return "does not operate";
}

std::optional<RelayCurve> RelayCurveFromWord(std::string_view word) {
    for (std::size_t i = 0; i < kRelayCurveWords.size(); ++i) {
        if (kRelayCurveWords[i] == word) return static_cast<RelayCurve>(i);
    }
    return std::nullopt;
}

namespace {
template <class Enum, std::size_t N>
Built<Enum> ReadWord(std::string_view column, const std::array<std::string_view, N>& words,
                     std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i] == word) return {static_cast<Enum>(i), {}};
    }
    return Refused<Enum>(RefusalCode::UnknownWord,
                         std::string(column) + ": unknown value \"" + std::string(word) + "\"");
}
}  // namespace

Built<DeviceType> ReadDeviceType(std::string_view word) {
    return ReadWord<DeviceType>("device_type", kDeviceTypeWords, word);
}

Built<RelayCurve> ReadRelayCurve(std::string_view word) {
    return ReadWord<RelayCurve>("relay_curve", kRelayCurveWords, word);
}

// --- Relay ------------------------------------------------------------------

Built<Relay> MakeRelay(const RelaySettings& s) {
    std::string errors;
    const auto curve = static_cast<std::size_t>(s.curve);
    if (curve >= kCurveConstants.size()) Add(errors, "relay_curve", "unknown curve");
    CheckAbove0(errors, "relay_pickup", s.pickup);
    CheckAbove0(errors, "relay_time_dial", s.timeDial);
    if (s.instPickup) CheckAbove0(errors, "relay_inst_pickup", *s.instPickup);
    if (s.instDelay) {
        if (!s.instPickup)
            Add(errors, "relay_inst_delay", "needs relay_inst_pickup");
        else
            Check0OrAbove(errors, "relay_inst_delay", *s.instDelay);
    }
    Check0OrAbove(errors, "breaker_time", s.breakerTime);
    if (!errors.empty()) return Refused<Relay>(RefusalCode::Device, std::move(errors));

    // The fastest the relay clears: its breaker's time after the fastest
    // element, the curve's flat part (or the definite time) or the
    // instantaneous delay. No protective device clears in less than a
    // millisecond; the elements that would are named.
    const CurveConstants& c = kCurveConstants[curve];
    const bool definite = s.curve == RelayCurve::DT;
    const double flatTime =
        definite ? s.timeDial : s.timeDial * (c.a / PowMinus1(kInverseFlatMultiple, c.p) + c.b);
    std::string fast;
    if (flatTime + s.breakerTime < kShortestArcTime) fast = "relay_time_dial, ";
    if (s.instPickup && s.instDelay.value_or(0) + s.breakerTime < kShortestArcTime) {
        fast += "relay_inst_delay, ";
    }
    if (!fast.empty()) {
        Add(errors, fast + "breaker_time",
            "the relay and its breaker would clear in less than 0.001 s, faster than any "
            "protective device");
        return Refused<Relay>(RefusalCode::Device, std::move(errors));
    }

    Relay r;
    r.curve_ = s.curve;
    r.pickup_ = s.pickup;
    r.dial_ = s.timeDial;
    r.a_ = c.a;
    r.b_ = c.b;
    r.p_ = c.p;
    r.definite_ = definite;
    r.flatAmps_ = s.pickup * kInverseFlatMultiple;
    r.flatTime_ = flatTime;
    if (s.instPickup) {
        r.instPickup_ = *s.instPickup;
        r.instDelay_ = s.instDelay.value_or(0);
    }
    r.breakerTime_ = s.breakerTime;
    return {std::move(r), {}};
}

DeviceTrip Relay::Trip(double amps) const {
    DeviceTrip t;
    double seconds = std::numeric_limits<double>::infinity();
    if (amps > instPickup_) {
        seconds = instDelay_;
        t.element = DeviceElement::Instantaneous;
    }
    if (amps > pickup_) {
        double curve = flatTime_;  // definite time, and inverse curves above M = 20
        if (!definite_ && amps < flatAmps_) {
            curve = dial_ * (a_ / PowMinus1(amps / pickup_, p_) + b_);
        }
        if (curve < seconds) {
            seconds = curve;
            t.element = definite_ ? DeviceElement::DefiniteTime : DeviceElement::Inverse;
        }
    }
    if (t.Operates()) t.seconds = seconds + breakerTime_;
    return t;
}

// --- Trip unit --------------------------------------------------------------

Built<TripUnit> MakeTripUnit(const TripUnitSettings& s) {
    std::string errors;
    CheckAbove0(errors, "trip_rating", s.rating);
    CheckAbove0(errors, "trip_lt_pickup", s.ltPickup);
    CheckAbove0(errors, "trip_lt_delay", s.ltDelay);
    if (s.stPickup) {
        CheckAbove0(errors, "trip_st_pickup", *s.stPickup);
        if (!s.stDelay) Add(errors, "trip_st_delay", "needed with trip_st_pickup");
    }
    if (s.stDelay) {
        if (!s.stPickup)
            Add(errors, "trip_st_delay", "needs trip_st_pickup");
        else
            Check0OrAbove(errors, "trip_st_delay", *s.stDelay);
    }
    if (s.instPickup) CheckAbove0(errors, "trip_inst_pickup", *s.instPickup);
    if (s.instTime) {
        if (!s.instPickup)
            Add(errors, "trip_inst_time", "needs trip_inst_pickup");
        else
            CheckDuration(errors, "trip_inst_time", *s.instTime);
    }
    // A tolerance is a fraction: 10 (a percentage) would multiply every time by 11.
    if (!std::isfinite(s.tolerance))
        Add(errors, "trip_tolerance", "must be a finite number");
    else if (s.tolerance < 0 || s.tolerance > 1)
        Add(errors, "trip_tolerance", "must be from 0 to 1");
    if (!errors.empty()) return Refused<TripUnit>(RefusalCode::Device, std::move(errors));

    TripUnit u;
    const double ir = s.rating * s.ltPickup;
    const double upper = 1 + s.tolerance;
    u.ltPickup_ = ir;
    u.ltScale_ = s.ltDelay * (6 * ir) * (6 * ir) * upper;
    if (s.stPickup) {
        u.stPickup_ = *s.stPickup * ir;
        u.stTime_ = *s.stDelay * upper;
    }
    u.instTime_ = s.instTime.value_or(kDefaultTripInstTime);
    if (s.instPickup) u.instPickup_ = *s.instPickup * s.rating;
    return {std::move(u), {}};
}

DeviceTrip TripUnit::Trip(double amps) const {
    // Nothing clears faster than the instantaneous element: where it acts,
    // it clears.
    if (amps > instPickup_) return {instTime_, DeviceElement::Instantaneous};
    DeviceTrip t;
    double seconds = std::numeric_limits<double>::infinity();
    if (amps > stPickup_) {
        seconds = stTime_;
        t.element = DeviceElement::ShortTime;
    }
    if (amps > ltPickup_) {
        const double lt = ltScale_ / (amps * amps);
        if (lt < seconds) {
            seconds = lt;
            t.element = DeviceElement::LongTime;
        }
    }
    if (t.Operates()) t.seconds = std::max(seconds, instTime_);
    return t;
}

double TripUnit::LongTimeFloorAmps() const {
    return std::sqrt(ltScale_ / instTime_);
}

// --- Fuse curves ------------------------------------------------------------

Built<FuseCurve> MakeFuseCurve(std::span<const CurvePoint> points, std::string_view name) {
    std::string errors;
    if (points.size() < 2) Add(errors, name, "needs at least two points");
    for (std::size_t i = 0; i < points.size(); ++i) {
        const CurvePoint& p = points[i];
        const char* problem = nullptr;
        if (!std::isfinite(p.current) || !std::isfinite(p.time))
            problem = "current and time must be finite numbers";
        else if (!(p.current > 0))
            problem = "current must be above 0";
        else if (!(p.time > 0))
            problem = "time must be above 0";
        else if (i > 0 && !(p.current > points[i - 1].current))
            problem = "current must be above the point before";
        else if (i > 0 &&
                 !(p.current - points[i - 1].current > kCurveCurrentStep * points[i - 1].current))
            // Currents this close have logarithms equal or nearly so: the
            // segment between them would have no slope to interpolate by.
            problem = "current must be above the point before by more than 1e-9 of it";
        else if (i > 0 && !(p.time < points[i - 1].time))
            problem = "time must be below the point before";
        if (problem) Add(errors, PointName(name, i), problem);
    }
    if (!errors.empty()) return Refused<FuseCurve>(RefusalCode::Curve, std::move(errors));

    auto d = std::make_shared<FuseCurve::Data>();
    const std::size_t n = points.size();
    d->points.assign(points.begin(), points.end());
    d->currents.reserve(n);
    d->logI.reserve(n);
    d->logT.reserve(n);
    d->slope.reserve(n);
    for (const CurvePoint& p : points) {
        d->currents.push_back(p.current);
        d->logI.push_back(std::log(p.current));
        d->logT.push_back(std::log(p.time));
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        d->slope.push_back((d->logT[i + 1] - d->logT[i]) / (d->logI[i + 1] - d->logI[i]));
    }
    d->slope.push_back(0);  // at and above the last current: the last time
    FuseCurve f;
    f.data_ = std::move(d);
    return {std::move(f), {}};
}

std::span<const CurvePoint> FuseCurve::Points() const {
    return data_->points;
}

DeviceTrip FuseCurve::Trip(double amps) const {
    const Data& d = *data_;
    const std::vector<double>& c = d.currents;
    if (!(amps >= c.front())) return {};  // below the curve, and NaN
    double seconds = d.points.back().time;
    if (amps < c.back()) {
        // The segment [i, i+1) holding the current.
        const std::size_t i =
            static_cast<std::size_t>(std::upper_bound(c.begin(), c.end(), amps) - c.begin() - 1);
        seconds = std::exp(d.logT[i] + d.slope[i] * (std::log(amps) - d.logI[i]));
    }
    return {std::max(seconds, kFuseTimeFloor), DeviceElement::Curve};
}

Built<FuseCurve> ParseFuseCurve(std::string_view text, char sep) {
    constexpr std::string_view kName = "fuse_curve";
    auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    std::vector<CurvePoint> points;
    points.reserve(8);
    std::string errors;
    std::size_t i = 0;
    while (i < text.size()) {
        if (blank(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !blank(text[end])) ++end;
        const std::string_view word = text.substr(i, end - i);
        i = end;
        const std::size_t colon = word.find(':');
        if (colon == std::string_view::npos ||
            word.find(':', colon + 1) != std::string_view::npos) {
            Add(errors, PointName(kName, points.size()),
                "'" + std::string(word) + "' is not current:time");
            points.push_back({});
            continue;
        }
        CurvePoint p;
        const std::optional<double> current = ReadNumber(word.substr(0, colon), sep);
        const std::optional<double> time = current ? ReadNumber(word.substr(colon + 1), sep) : std::nullopt;
        if (current && time) {
            p.current = *current;
            p.time = *time;
        } else {
            Add(errors, PointName(kName, points.size()),
                ConversionMessage(current ? word.substr(colon + 1) : word.substr(0, colon)));
            if (current) p.current = *current;
        }
        points.push_back(p);
    }
    if (!errors.empty()) return Refused<FuseCurve>(RefusalCode::Curve, std::move(errors));
    return MakeFuseCurve(points, kName);
}

Built<CurveSet> MakeCurveSet(std::span<const NamedCurvePoint> rows) {
    std::map<std::string, std::vector<CurvePoint>, std::less<>> byName;
    for (const NamedCurvePoint& r : rows) {
        auto it = byName.find(r.name);
        if (it == byName.end())
            it = byName.emplace(std::string(r.name), std::vector<CurvePoint>{}).first;
        it->second.push_back({r.current, r.time});
    }
    std::string errors;
    CurveSet set;
    for (const auto& [name, points] : byName) {
        const std::string label = "curve '" + name + "'";
        if (name.empty()) {
            Add(errors, "curve ''", "a curve needs a name");
            continue;
        }
        if (name.find(':') != std::string::npos) {
            Add(errors, label, "a name must not hold ':'");
            continue;
        }
        Built<FuseCurve> curve = MakeFuseCurve(points, label);
        if (!curve.device) {
            if (!errors.empty()) errors += "; ";
            errors += curve.refusal->message;
            continue;
        }
        set.curves_.emplace_back(name, std::move(*curve.device));
    }
    if (!errors.empty()) return Refused<CurveSet>(RefusalCode::Curve, std::move(errors));
    return {std::move(set), {}};
}

const FuseCurve* CurveSet::Find(std::string_view name) const {
    auto it =
        std::lower_bound(curves_.begin(), curves_.end(), name,
                         [](const auto& entry, std::string_view n) { return entry.first < n; });
    if (it == curves_.end() || it->first != name) return nullptr;
    return &it->second;
}

Built<FuseCurve> ResolveFuseCurve(std::string_view cell, char sep, const CurveSet* curves) {
    if (cell.find(':') != std::string_view::npos) return ParseFuseCurve(cell, sep);
    if (cell.empty()) {
        return Refused<FuseCurve>(RefusalCode::Curve,
                                  "fuse_curve: empty; give points current:time or a curve's name");
    }
    const std::string quoted = "'" + std::string(cell) + "'";
    if (!curves) {
        return Refused<FuseCurve>(
            RefusalCode::Curve,
            "fuse_curve: " + quoted + " names a curve, and no curves file is loaded");
    }
    const FuseCurve* found = curves->Find(cell);
    if (!found) {
        return Refused<FuseCurve>(RefusalCode::Curve,
                                  "fuse_curve: no curve named " + quoted + " in the curves file");
    }
    return {*found, {}};
}

// --- The device of a point --------------------------------------------------

ArcDuration CapArcDuration(const DeviceTrip& trip, std::optional<double> maxArcTime,
                           double arcingCurrentKa, char sep) {
    if (maxArcTime && (!trip.Operates() || trip.seconds > *maxArcTime)) {
        return {*maxArcTime, DeviceElement::Capped, trip, {}};
    }
    if (!trip.Operates()) {
        // The current as the 2018 window shows it: kA with three decimals.
        return {0, DeviceElement::DoesNotOperate, trip,
                Refusal{RefusalCode::Duration, "Protective device does not operate at " +
                                                   FormatFixed(arcingCurrentKa, 6, 3, sep) +
                                                   " kA arcing current. "}};
    }
    return {trip.seconds, trip.element, trip, {}};
}

Built<std::optional<double>> ReadMaxArcTime(std::string_view cell, char sep) {
    constexpr std::string_view kName = "max_arc_time";
    using Result = Built<std::optional<double>>;
    if (cell.empty()) return Result{std::optional<double>(kDefaultMaxArcTime), {}};
    if (cell == "none") return Result{std::optional<double>(std::nullopt), {}};
    std::string errors;
    if (const std::optional<double> seconds = ReadNumber(cell, sep)) {
        CheckDuration(errors, kName, *seconds);
        if (errors.empty()) return Result{seconds, {}};
    } else {
        Add(errors, kName, "'" + std::string(cell) + "' is not a valid floating point value or \"none\"");
    }
    return Refused<std::optional<double>>(RefusalCode::Device, std::move(errors));
}

namespace {

// A setting as typed: the shortest digits that read back as it, written
// out ("0.0005", "400", "12000") but for the very small and very large
// ("1e-300", "1e+20"), with the separator `sep`.
std::string SettingText(double v, char sep) {
    char buf[64];
    const double size = std::abs(v);
    const std::chars_format format = size == 0 || (size >= 1e-6 && size < 1e15)
                                         ? std::chars_format::fixed
                                         : std::chars_format::scientific;
    std::string t(buf, std::to_chars(buf, buf + sizeof buf, v, format).ptr);
    std::replace(t.begin(), t.end(), '.', sep);
    return t;
}

// A current worked out from settings (A), to six significant digits.
std::string AmpsText(double v, char sep) {
    char buf[32];
    const char* end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6).ptr;
    double rounded = v;
    std::from_chars(buf, end, rounded);
    return SettingText(rounded, sep);
}

void Caution(std::vector<std::string>& out, std::string_view column, const std::string& text) {
    out.push_back(std::string(column) + ": " + text + ": check the setting");
}

// The settings of a checked device outside what devices offer.
std::vector<std::string> Cautions(const DeviceSettings& s, char sep) {
    std::vector<std::string> out;
    if (const auto* r = std::get_if<RelaySettings>(&s.device)) {
        if (r->pickup < kLeastRelayPickup) {
            Caution(out, "relay_pickup", SettingText(r->pickup, sep) + " A is below 1 A primary");
        }
        if (r->timeDial < kLeastTimeDial || r->timeDial > kMostTimeDial) {
            Caution(out, "relay_time_dial",
                    SettingText(r->timeDial, sep) + " is outside 0.01 to 20");
        }
        if (r->instPickup && *r->instPickup < r->pickup) {
            Caution(out, "relay_inst_pickup",
                    SettingText(*r->instPickup, sep) + " A is below the pickup (" +
                        SettingText(r->pickup, sep) + " A)");
        }
    } else if (const auto* u = std::get_if<TripUnitSettings>(&s.device)) {
        const double ir = u->rating * u->ltPickup;
        if (u->ltPickup < kLeastLtPickup || u->ltPickup > kMostLtPickup) {
            Caution(out, "trip_lt_pickup",
                    SettingText(u->ltPickup, sep) + " is outside 0.4 to 1 of the rating");
        }
        // The short time in multiples of the long-time pickup, the
        // instantaneous in multiples of the rating.
        auto belowLongTime = [&](std::string_view column, double multiple, double amps) {
            Caution(out, column,
                    SettingText(multiple, sep) + " (" + AmpsText(amps, sep) +
                        " A) is below the long-time pickup (" + AmpsText(ir, sep) + " A)");
        };
        if (u->stPickup && *u->stPickup < 1)
            belowLongTime("trip_st_pickup", *u->stPickup, *u->stPickup * ir);
        if (u->instPickup && *u->instPickup < u->ltPickup) {
            belowLongTime("trip_inst_pickup", *u->instPickup, *u->instPickup * u->rating);
        }
    } else if (const auto* f = std::get_if<FuseCurve>(&s.device)) {
        const std::span<const CurvePoint> points = f->Points();
        for (std::size_t i = 0; i < points.size() && points[i].time > kLongestCurveTime; ++i) {
            out.push_back(PointName("fuse_curve", i) + ": " + SettingText(points[i].time, sep) +
                          " s is above 10000 s: check the curve");
        }
    }
    return out;
}

}  // namespace

Built<ProtectiveDevice> MakeProtectiveDevice(const DeviceSettings& s, char sep) {
    std::string errors;
    std::optional<std::variant<Relay, TripUnit, FuseCurve, NoCurve>> device;
    auto take = [&](auto built) {
        if (built.device) device.emplace(std::move(*built.device));
        else errors = std::move(built.refusal->message);
    };
    if (const auto* r = std::get_if<RelaySettings>(&s.device))
        take(MakeRelay(*r));
    else if (const auto* u = std::get_if<TripUnitSettings>(&s.device))
        take(MakeTripUnit(*u));
    else if (const auto* f = std::get_if<FuseCurve>(&s.device))
        device.emplace(*f);
    else if (s.arcFlashRelay) device.emplace(NoCurve{});
    else Add(errors, "afr_pickup", "needed where a branch's breaker has no device settings");

    if (!std::isfinite(s.deviceShare))
        Add(errors, "device_share", "must be a finite number");
    else if (!(s.deviceShare > 0) || s.deviceShare > 1)
        Add(errors, "device_share", "must be above 0 and at most 1");
    if (s.maxArcTime) CheckDuration(errors, "max_arc_time", *s.maxArcTime);
    if (s.arcFlashRelay) {
        CheckAbove0(errors, "afr_pickup", s.arcFlashRelay->pickup);
        CheckDuration(errors, "afr_time", s.arcFlashRelay->time);
    }
    // The interlocked twin: the same settings with zsi_time for the delay.
    std::optional<std::variant<Relay, TripUnit, FuseCurve, NoCurve>> zsi;
    double zsiPickup = 0;
    if (s.zsiTime && device) {
        const double t = *s.zsiTime;
        if (const auto* r = std::get_if<RelaySettings>(&s.device)) {
            if (!r->instPickup) {
                Add(errors, "zsi", "needs relay_inst_pickup, whose delay zsi_time replaces");
            } else if (!std::isfinite(t) || t < 0 || t > r->instDelay.value_or(0)) {
                Add(errors, "zsi_time", "must be from 0 to relay_inst_delay, which it replaces");
            } else {
                RelaySettings fast = *r;
                fast.instDelay = t;
                if (Built<Relay> b = MakeRelay(fast); b.device) zsi.emplace(std::move(*b.device));
                zsiPickup = *r->instPickup;
            }
        } else if (const auto* u = std::get_if<TripUnitSettings>(&s.device)) {
            if (!u->stPickup) {
                Add(errors, "zsi", "needs trip_st_pickup, whose delay zsi_time replaces");
            } else if (!std::isfinite(t) || t < 0 || t > u->stDelay.value_or(0)) {
                Add(errors, "zsi_time", "must be from 0 to trip_st_delay, which it replaces");
            } else {
                TripUnitSettings fast = *u;
                fast.stDelay = t;
                if (Built<TripUnit> b = MakeTripUnit(fast); b.device)
                    zsi.emplace(std::move(*b.device));
                zsiPickup = *u->stPickup * u->rating * u->ltPickup;
            }
        } else {
            Add(errors, "zsi", std::holds_alternative<FuseCurve>(s.device) ? "a fuse has no delay to interlock"
                                                                           : "a breaker without device settings has no delay to interlock");
        }
    }
    if (!errors.empty()) return Refused<ProtectiveDevice>(RefusalCode::Device, std::move(errors));
    ProtectiveDevice built(std::move(*device), s);
    built.zsi_ = std::move(zsi);
    built.zsiPickup_ = zsiPickup;
    return {std::move(built), {}, Cautions(s, sep)};
}

DeviceTrip ProtectiveDevice::TripAt(double amps, bool restrained, bool arcSeen) const {
    auto at = [amps](const auto& d) { return d.Trip(amps); };
    DeviceTrip trip = std::visit(at, device_);
    if (zsi_ && !restrained) {
        const DeviceTrip fast = std::visit(at, *zsi_);
        if (fast.Operates() && (!trip.Operates() || fast.seconds < trip.seconds))
            trip = {fast.seconds, DeviceElement::ZoneInterlocked};
    }
    const std::optional<ArcFlashRelaySettings>& afr = settings_.arcFlashRelay;
    if (afr && arcSeen && amps >= afr->pickup && (!trip.Operates() || afr->time < trip.seconds))
        trip = {afr->time, DeviceElement::ArcFlashRelay};
    return trip;
}

DeviceTrip ProtectiveDevice::Trip(double arcingCurrentKa) const {
    return TripAt(arcingCurrentKa * 1000 * share_);
}

ArcDuration ProtectiveDevice::Duration(double arcingCurrentKa, char sep) const {
    return CapArcDuration(Trip(arcingCurrentKa), maxArcTime_, arcingCurrentKa, sep);
}

}  // namespace zentavo

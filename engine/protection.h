// SPDX-License-Identifier: GPL-3.0-or-later
// Protective devices that clear an arc: a time-overcurrent relay with the
// breaker it trips, a low-voltage trip unit (long time, short time,
// instantaneous) and a fuse by its total-clearing curve. A device and the
// current it sees go in; the clearing time and the element that acted come
// out.
//
// Each device is described by a plain settings struct and checked once, when
// it is built: the builder returns either the device or a refusal whose
// message names the study column (or curve) and what is wrong with it
// ("relay_pickup: must be above 0"). A built device only evaluates: no checks, no allocation. No
// device is built that could clear in less than kShortestArcTime (1 ms): a
// relay whose breaker time and fastest element add up to less, a trip unit
// clearing faster, a maximum arc duration below it.
//
// One rule for every relay and trip-unit element: it acts on a current above
// its pickup, never at it. A fuse clears from its curve's first current on.
// Where several elements act, the fastest clears; but no element clears
// faster than the device can interrupt: a relay's element time is added to
// its breaker's interrupting time, and a trip unit's long- and short-time
// bands, extrapolated to high currents, are held at its instantaneous
// clearing time.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "engine/arc_duration.h"
#include "engine/refusal.h"

namespace zentavo {

inline constexpr double kDefaultBreakerTime = 0.083;  // s, five cycles at 60 Hz
inline constexpr double kDefaultTripInstTime = 0.05;  // s, the instantaneous clearing time
inline constexpr double kDefaultTripTolerance = 0.1;  // long and short time
inline constexpr double kDefaultMaxArcTime = 2;       // s
inline constexpr double kInverseFlatMultiple = 20;    // inverse curves are flat above it
inline constexpr double kFuseTimeFloor = 0.01;        // s, half a cycle

// --- What a device gives ----------------------------------------------------

enum class DeviceElement : std::uint8_t {
    DoesNotOperate,
    Instantaneous,
    ShortTime,
    LongTime,
    Inverse,
    DefiniteTime,
    Curve,   // a fuse's total-clearing curve
    Capped,  // the maximum arc duration replaced the device's time
    // Special protection that replaced the device's own time: its arc-flash
    // relay (light and current), its short-time delay shortened by
    // zone-selective interlocking, the bus differential protection of the
    // faulted bus.
    ArcFlashRelay,
    ZoneInterlocked,
    BusDifferential,
};
// "does not operate", "instantaneous", "short time", "long time", "inverse",
// "definite time", "curve", "capped", "arc-flash relay", "zone-selective
// interlocking", "bus differential": the words of the study's element columns.
std::string_view DeviceElementWord(DeviceElement e);
// An element of special protection: an arc-flash relay, interlocking, bus differential.
inline bool SpecialProtection(DeviceElement e) {
    return e == DeviceElement::ArcFlashRelay || e == DeviceElement::ZoneInterlocked ||
           e == DeviceElement::BusDifferential;
}

struct DeviceTrip {
    double seconds = 0;  // clearing time; 0 when the device does not operate
    DeviceElement element = DeviceElement::DoesNotOperate;
    bool Operates() const { return element != DeviceElement::DoesNotOperate; }
};

// A built device (or a word or value read), or the refusal saying why it
// could not be built: its code (Device, Curve or UnknownWord) and its
// message, the problems joined by "; ". A device built from settings
// that no device offers (an instantaneous pickup typed in the wrong field, a
// time dial of 50) is built as typed, with a caution for each such setting.
template <class Device>
struct Built {
    std::optional<Device> device;  // set exactly when `refusal` is not
    std::optional<Refusal> refusal;
    // Each naming its column and value: "relay_inst_pickup: 0.05 A is below
    // the pickup (400 A): check the setting". Only MakeProtectiveDevice
    // gives cautions.
    std::vector<std::string> cautions = {};
};

// The settings devices offer. A setting outside them is not refused (a
// device may be set so), but computed as typed with a caution.
inline constexpr double kLeastRelayPickup = 1;  // A primary
inline constexpr double kLeastTimeDial = 0.01, kMostTimeDial = 20;
inline constexpr double kLeastLtPickup = 0.4, kMostLtPickup = 1;  // x rating
inline constexpr double kLongestCurveTime = 10000;                // s, a fuse curve's point

// --- The words of the study's device columns ----------------------------------

// The device types of the device_type column's words, and a breaker tripped
// by its arc-flash relay alone (a branch's row giving afr_pickup and afr_time
// without a device_type): its overcurrent protection is not modelled, so
// below the relay's pickup it does not operate.
enum class DeviceType : std::uint8_t { Relay, TripUnit, FuseCurve, ArcFlashRelayOnly };
inline constexpr std::array<std::string_view, 3> kDeviceTypeWords = {"relay", "trip-unit",
                                                                     "fuse-curve"};

// --- Relay ------------------------------------------------------------------

// IEEE C37.112: t = TD (A / (M^p - 1) + B); IEC 60255-151: t = TMS k / (M^a - 1);
// definite time: t = TD seconds. M = I / pickup.
enum class RelayCurve : std::uint8_t { IeeeMI, IeeeVI, IeeeEI, IecSI, IecVI, IecEI, IecLTI, DT };
inline constexpr std::array<std::string_view, 8> kRelayCurveWords = {
    "IEEE-MI", "IEEE-VI", "IEEE-EI", "IEC-SI", "IEC-VI", "IEC-EI", "IEC-LTI", "DT"};
// The curve a word of kRelayCurveWords names (exactly as written there).
std::optional<RelayCurve> RelayCurveFromWord(std::string_view word);

// A device_type or relay_curve cell read once: any other word, and an empty
// cell, is refused ("relay_curve: unknown value \"IEC-XI\"").
Built<DeviceType> ReadDeviceType(std::string_view word);
Built<RelayCurve> ReadRelayCurve(std::string_view word);

struct RelaySettings {
    RelayCurve curve = RelayCurve::IecSI;      // relay_curve
    double pickup = 0;                         // relay_pickup, A primary
    double timeDial = 0;                       // relay_time_dial: TD, TMS, or seconds for DT
    std::optional<double> instPickup;          // relay_inst_pickup, A primary; absent: none
    std::optional<double> instDelay;           // relay_inst_delay, s; absent: 0
    double breakerTime = kDefaultBreakerTime;  // breaker_time, s, added to the element's time
};

class Relay {
public:
    // At the current `amps` (A primary): the acting element's time plus the
    // breaker's interrupting time.
    DeviceTrip Trip(double amps) const;
    RelayCurve Curve() const { return curve_; }

private:
    friend Built<Relay> MakeRelay(const RelaySettings& s);
    Relay() = default;
    RelayCurve curve_ = RelayCurve::IecSI;
    double pickup_ = 0;
    double flatAmps_ = 0;  // pickup x 20
    double flatTime_ = 0;  // the curve's time there
    double dial_ = 0;
    double a_ = 0, b_ = 0, p_ = 0;
    bool definite_ = false;
    double instPickup_ = std::numeric_limits<double>::infinity();
    double instDelay_ = 0;
    double breakerTime_ = 0;
};
Built<Relay> MakeRelay(const RelaySettings& s);

// --- Low-voltage trip unit --------------------------------------------------

// Total clearing, each element's time at the upper edge of its band: the
// time x (1 + tolerance) for long and short time, the clearing time itself
// for the instantaneous element. No element clears faster than the
// instantaneous clearing time (trip_inst_time, or kDefaultTripInstTime),
// whether the instantaneous element is set or not: the breaker cannot open
// sooner. Where the instantaneous element acts it is the element named, at
// that time; elsewhere a band held at the floor keeps its own name.
struct TripUnitSettings {
    double rating = 0;                         // trip_rating, In, A
    double ltPickup = 0;                       // trip_lt_pickup, Ir / In
    double ltDelay = 0;                        // trip_lt_delay, s at 6 Ir; t = LTD (6 Ir / I)^2
    std::optional<double> stPickup;            // trip_st_pickup, multiple of Ir; absent: none
    std::optional<double> stDelay;             // trip_st_delay, s, flat; needed with a pickup
    std::optional<double> instPickup;          // trip_inst_pickup, multiple of In; absent: none
    std::optional<double> instTime;            // trip_inst_time, s; absent: kDefaultTripInstTime
    double tolerance = kDefaultTripTolerance;  // trip_tolerance, from 0 to 1
};

class TripUnit {
public:
    DeviceTrip Trip(double amps) const;
    // The current (A) above which the long-time band is held at the floor:
    // where its curve meets the instantaneous clearing time.
    double LongTimeFloorAmps() const;

private:
    friend Built<TripUnit> MakeTripUnit(const TripUnitSettings& s);
    TripUnit() = default;
    double ltPickup_ = 0;  // A
    double ltScale_ = 0;   // LTD (6 Ir)^2 (1 + tolerance): t = ltScale_ / I^2
    double stPickup_ = std::numeric_limits<double>::infinity();
    double stTime_ = 0;
    double instPickup_ = std::numeric_limits<double>::infinity();
    double instTime_ = kDefaultTripInstTime;  // also the floor of every element
};
Built<TripUnit> MakeTripUnit(const TripUnitSettings& s);

// --- Fuse total-clearing curve ----------------------------------------------

struct CurvePoint {
    double current = 0;  // A
    double time = 0;     // s
};

// Interpolated linearly in log I - log t between its points; at and above the
// last current the last time; below the first current the fuse does not
// clear. Any time under kFuseTimeFloor is taken as the floor. Copies share
// the points.
class FuseCurve {
public:
    DeviceTrip Trip(double amps) const;
    std::span<const CurvePoint> Points() const;

private:
    friend Built<FuseCurve> MakeFuseCurve(std::span<const CurvePoint> points,
                                          std::string_view name);
    FuseCurve() = default;
    struct Data {
        std::vector<CurvePoint> points;
        std::vector<double> currents;           // the points' currents, searched
        std::vector<double> logI, logT, slope;  // slope of the segment from point i
    };
    std::shared_ptr<const Data> data_;
};
// Points strictly monotone (current up by more than 1e-9 of the current
// before, time down), at least two, all above 0. `name` leads every message:
// "fuse_curve" for a study cell, "curve 'X'" for a curve of a curves file.
Built<FuseCurve> MakeFuseCurve(std::span<const CurvePoint> points, std::string_view name);
// The inline text of a study cell: points "current:time" separated by blanks,
// numbers written with the decimal separator `sep` ("100:300 200:20 1000:0.1").
Built<FuseCurve> ParseFuseCurve(std::string_view text, char sep);

// The named curves of a curves file.
struct NamedCurvePoint {
    std::string_view name;
    double current = 0;  // A
    double time = 0;     // s
};
class CurveSet {
public:
    const FuseCurve* Find(std::string_view name) const;  // nullptr when there is none
    std::size_t size() const { return curves_.size(); }
    // The curves' names, in order.
    std::vector<std::string_view> Names() const {
        std::vector<std::string_view> names;
        for (const auto& c : curves_) names.push_back(c.first);
        return names;
    }

private:
    friend Built<CurveSet> MakeCurveSet(std::span<const NamedCurvePoint> rows);
    CurveSet() = default;
    std::vector<std::pair<std::string, FuseCurve>> curves_;  // sorted by name
};
// The rows of a name are its points in the order given, wherever they stand.
// A name must not be empty nor hold ':' (a cell with ':' is inline points).
Built<CurveSet> MakeCurveSet(std::span<const NamedCurvePoint> rows);
// A fuse_curve cell: inline points when it holds ':', otherwise the name of
// a curve of `curves` (nullptr: no curves file loaded).
Built<FuseCurve> ResolveFuseCurve(std::string_view cell, char sep, const CurveSet* curves);

// --- One device of a point, with its share and the arc-duration cap ---------

struct ArcDuration {
    double seconds = 0;  // the duration used: the device's time or the maximum
    DeviceElement element = DeviceElement::DoesNotOperate;  // or Capped
    DeviceTrip device;  // the device's own answer, before the cap
    // Set (Duration): no duration, the device does not act and has no cap.
    std::optional<Refusal> refusal;
    bool Capped() const { return element == DeviceElement::Capped; }
};

// The duration used for a device's trip at the point's arcing current
// `arcingCurrentKa`: the device's time, or `maxArcTime` ("capped") when the
// device does not act or acts after it. With no maximum and no action, the
// refusal "Protective device does not operate at 12.345 kA arcing current. ",
// the current written with `sep`. `maxArcTime` must be above 0.
ArcDuration CapArcDuration(const DeviceTrip& trip, std::optional<double> maxArcTime,
                           double arcingCurrentKa, char sep);

// A max_arc_time cell: empty is kDefaultMaxArcTime, "none" is no maximum
// (nullopt), otherwise seconds of at least kShortestArcTime written with `sep`.
Built<std::optional<double>> ReadMaxArcTime(std::string_view cell, char sep);

// An arc-flash relay tripping the device's breaker: light with current
// supervision. It trips at and above its pickup, in its time (relay and
// breaker together), where that is faster than the device's own curve, for
// an arc its light sensors see: one in the equipment of its row's bus, not
// a fault further down that only its current flows to.
struct ArcFlashRelaySettings {
    double pickup = 0;  // afr_pickup, A at the device
    double time = 0;    // afr_time, s
};

// The breaker of DeviceType::ArcFlashRelayOnly: no curve of its own, its
// arc-flash relay (DeviceSettings::arcFlashRelay, required) trips it.
struct NoCurve {
    DeviceTrip Trip(double) const { return {}; }
};

struct DeviceSettings {
    // A fuse comes built.
    std::variant<RelaySettings, TripUnitSettings, FuseCurve, NoCurve> device;
    double deviceShare = 1;  // device_share: the part of the arcing current the device sees
    std::optional<double> maxArcTime = kDefaultMaxArcTime;  // max_arc_time; absent: "none"
    std::optional<ArcFlashRelaySettings> arcFlashRelay;
    // Zone-selective interlocking (zsi yes): the delay that zsi_time
    // replaces for a fault no downstream interlocked device restrains, a
    // trip unit's short-time delay or a relay's instantaneous delay.
    std::optional<double> zsiTime;
};

class ProtectiveDevice {
public:
    // At the point's arcing current (kA, unrounded): the device's own trip at
    // its share of the current.
    DeviceTrip Trip(double arcingCurrentKa) const;
    // The same, then capped (CapArcDuration).
    ArcDuration Duration(double arcingCurrentKa, char sep) const;
    // The device alone at the current it sees (A): its time-current curve,
    // with its special protection. Zone-selective interlocking shortens the
    // delay unless `restrained`: a downstream interlocked device sees the
    // fault (ZsiSees) and holds this one to its own delays. The arc-flash
    // relay trips only where its light sensors see the arc (`arcSeen`: the
    // arc is in the equipment of its row's bus), whatever current flows.
    DeviceTrip TripAt(double amps, bool restrained = false, bool arcSeen = true) const;
    // Whether the device is interlocked, and whether at `amps` it sees a
    // fault to restrain the interlocked devices upstream: above its
    // short-time pickup (a relay: its instantaneous pickup).
    bool Interlocked() const { return zsi_.has_value(); }
    bool ZsiSees(double amps) const { return zsi_ && amps > zsiPickup_; }

    const std::variant<Relay, TripUnit, FuseCurve, NoCurve>& Device() const { return device_; }
    DeviceType Type() const { return static_cast<DeviceType>(device_.index()); }
    // A relay's curve; none for another device.
    std::optional<RelayCurve> Curve() const {
        if (const auto* r = std::get_if<Relay>(&device_)) return r->Curve();
        return std::nullopt;
    }
    double Share() const { return share_; }
    std::optional<double> MaxArcTime() const { return maxArcTime_; }
    // The settings it was made from: what makes the same device again.
    const DeviceSettings& Settings() const { return settings_; }

private:
    friend Built<ProtectiveDevice> MakeProtectiveDevice(const DeviceSettings& s, char sep);
    ProtectiveDevice(std::variant<Relay, TripUnit, FuseCurve, NoCurve> d, const DeviceSettings& settings)
        : device_(std::move(d)), share_(settings.deviceShare), maxArcTime_(settings.maxArcTime), settings_(settings) {}
    std::variant<Relay, TripUnit, FuseCurve, NoCurve> device_;
    // The same device with zsi_time in place of its delay.
    std::optional<std::variant<Relay, TripUnit, FuseCurve, NoCurve>> zsi_;
    double zsiPickup_ = 0;  // A
    double share_ = 1;
    std::optional<double> maxArcTime_;
    DeviceSettings settings_;
};
// device_share above 0 and at most 1; max_arc_time at least kShortestArcTime;
// afr_pickup above 0, afr_time at least kShortestArcTime; zsi on a trip unit
// with a short-time element or a relay with an instantaneous one, zsi_time
// from 0 to the delay it replaces; a device of no curve (NoCurve) only with
// its arc-flash relay.
// The cautions, of a device that is built: a relay pickup below
// kLeastRelayPickup, a time dial outside kLeastTimeDial to kMostTimeDial, an
// instantaneous pickup below the relay's pickup; a long-time pickup outside
// kLeastLtPickup to kMostLtPickup, a short-time or instantaneous pickup below
// the long-time pickup; a fuse curve's point above kLongestCurveTime. Their
// values are written with the decimal separator `sep`.
Built<ProtectiveDevice> MakeProtectiveDevice(const DeviceSettings& s, char sep = '.');

}  // namespace zentavo

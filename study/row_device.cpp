// SPDX-License-Identifier: GPL-3.0-or-later
// The protective device of a study row: its settings read column by column,
// the device built from them, and the study's cache that builds each
// distinct device once.
#include <algorithm>
#include <cstring>
#include <optional>
#include <span>

#include "engine/number.h"
#include "engine/protection.h"
#include "study/errors.h"
#include "study/row.h"

namespace zentavo {

namespace {

// --- The protective device of a row -------------------------------------------

// The columns each device type reads besides device_share and max_arc_time.
constexpr StudyInputColumn kRelayColumns[] = {kRelayCurveColumn,      kRelayPickupColumn,
                                              kRelayTimeDialColumn,   kRelayInstPickupColumn,
                                              kRelayInstDelayColumn,  kBreakerTimeColumn};
constexpr StudyInputColumn kTripUnitColumns[] = {
    kTripRatingColumn,   kTripLtPickupColumn,    kTripLtDelayColumn,  kTripStPickupColumn,
    kTripStDelayColumn,  kTripInstPickupColumn,  kTripInstTimeColumn, kTripToleranceColumn};
constexpr StudyInputColumn kFuseColumns[] = {kFuseCurveColumn};
// The device's special protection, read with its settings: a row that
// gives it is the same settings only with the same cells there too.
constexpr StudyInputColumn kSpecialColumns[] = {kAfrPickupColumn, kAfrTimeColumn, kZsiColumn,
                                                kZsiTimeColumn};

// Reads the settings of a device column by column, gathering every problem
// into one refusal: the problems' texts joined by "; ", the code of the first.
class DeviceReader {
public:
    DeviceReader(const StudyRowInputs& in, char sep) : in_(in), sep_(sep) {}

    void Add(const Refusal& problem) { Add(problem.code, problem.message); }
    void Add(RefusalCode code, std::string_view problem) {
        if (!refusal_) {
            refusal_ = Refusal{code, std::string(problem)};
            return;
        }
        refusal_->message += "; ";
        refusal_->message += problem;
    }
    void Add(StudyInputColumn c, std::string_view problem) {
        Add(RefusalCode::Device, std::string(kStudyInputNames[c]) + ": " + std::string(problem));
    }
    // A number of the column; absent when the cell is empty.
    std::optional<double> Optional(StudyInputColumn c) {
        if (in_[c].empty()) return std::nullopt;
        const std::optional<double> v = ReadNumber(in_[c], sep_);
        if (!v) Add(c, ConversionMessage(in_[c]));
        return v;
    }
    double Needed(StudyInputColumn c, std::string_view type) {
        if (in_[c].empty()) {
            Add(c, "needed for a " + std::string(type));
            return 0;
        }
        return Optional(c).value_or(0);
    }
    // The cells of columns the device type does not read must be empty.
    void Foreign(std::span<const StudyInputColumn> columns, std::string_view type) {
        for (StudyInputColumn c : columns) {
            if (!in_[c].empty()) Add(c, "not a setting of a " + std::string(type));
        }
    }
    bool Empty(StudyInputColumn c) const { return in_[c].empty(); }
    std::optional<Refusal>& refusal() { return refusal_; }

private:
    const StudyRowInputs& in_;
    char sep_;
    std::optional<Refusal> refusal_;
};

StudyDevices::Entry BuildDevice(const StudyRowInputs& in, const StudyOptions& o) {
    StudyDevices::Entry e;
    DeviceReader read(in, o.sep);
    DeviceSettings settings;
    // A branch's breaker with its arc-flash relay and no device_type: no
    // curve of its own (MakeProtectiveDevice refuses it without the relay).
    const std::optional<DeviceType> type =
        in[kDeviceTypeColumn].empty() ? std::optional(DeviceType::ArcFlashRelayOnly) : std::nullopt;
    const Built<DeviceType> typed =
        type ? Built<DeviceType>{type, std::nullopt} : ReadDeviceType(in[kDeviceTypeColumn]);
    if (!typed.device) {
        e.refusal = typed.refusal;
        return e;
    }
    switch (*typed.device) {
    case DeviceType::ArcFlashRelayOnly: {
        constexpr std::string_view kNone = "breaker without device_type";
        read.Foreign(kRelayColumns, kNone);
        read.Foreign(kTripUnitColumns, kNone);
        read.Foreign(kFuseColumns, kNone);
        settings.device = NoCurve{};
        break;
    }
    case DeviceType::Relay: {
        read.Foreign(kTripUnitColumns, "relay");
        read.Foreign(kFuseColumns, "relay");
        RelaySettings r;
        const Built<RelayCurve> curve = ReadRelayCurve(in[kRelayCurveColumn]);
        if (curve.device) {
            r.curve = *curve.device;
        } else {
            if (in[kRelayCurveColumn].empty()) {
                read.Add(kRelayCurveColumn, "needed for a relay");
            } else {
                read.Add(*curve.refusal);
            }
        }
        r.pickup = read.Needed(kRelayPickupColumn, "relay");
        r.timeDial = read.Needed(kRelayTimeDialColumn, "relay");
        r.instPickup = read.Optional(kRelayInstPickupColumn);
        r.instDelay = read.Optional(kRelayInstDelayColumn);
        r.breakerTime = read.Optional(kBreakerTimeColumn).value_or(kDefaultBreakerTime);
        settings.device = r;
        break;
    }
    case DeviceType::TripUnit: {
        read.Foreign(kRelayColumns, "trip unit");
        read.Foreign(kFuseColumns, "trip unit");
        TripUnitSettings u;
        u.rating = read.Needed(kTripRatingColumn, "trip unit");
        u.ltPickup = read.Needed(kTripLtPickupColumn, "trip unit");
        u.ltDelay = read.Needed(kTripLtDelayColumn, "trip unit");
        u.stPickup = read.Optional(kTripStPickupColumn);
        u.stDelay = read.Optional(kTripStDelayColumn);
        u.instPickup = read.Optional(kTripInstPickupColumn);
        u.instTime = read.Optional(kTripInstTimeColumn);
        u.tolerance = read.Optional(kTripToleranceColumn).value_or(kDefaultTripTolerance);
        settings.device = u;
        break;
    }
    case DeviceType::FuseCurve: {
        read.Foreign(kRelayColumns, "fuse curve");
        read.Foreign(kTripUnitColumns, "fuse curve");
        Built<FuseCurve> curve = ResolveFuseCurve(in[kFuseCurveColumn], o.sep, o.curves.get());
        if (!curve.device) {
            read.Add(*curve.refusal);
            break;
        }
        settings.device = std::move(*curve.device);
        break;
    }
    }
    e.share = read.Optional(kDeviceShareColumn);
    settings.deviceShare = e.share.value_or(1);
    const Built<std::optional<double>> max = ReadMaxArcTime(in[kMaxArcTimeColumn], o.sep);
    if (max.device.has_value()) {
        settings.maxArcTime = *max.device;
    } else {
        read.Add(*max.refusal);
    }
    // An arc-flash relay needs both its pickup and its time.
    const std::optional<double> afrPickup = read.Optional(kAfrPickupColumn),
                                afrTime = read.Optional(kAfrTimeColumn);
    if (afrPickup && afrTime) {
        settings.arcFlashRelay = ArcFlashRelaySettings{*afrPickup, *afrTime};
    } else if (read.Empty(kAfrPickupColumn) != read.Empty(kAfrTimeColumn)) {
        read.Add(read.Empty(kAfrPickupColumn) ? kAfrPickupColumn : kAfrTimeColumn,
                 read.Empty(kAfrPickupColumn) ? "needed with afr_time" : "needed with afr_pickup");
    }
    const std::string_view zsi = in[kZsiColumn];
    if (zsi == "yes") {
        if (read.Empty(kZsiTimeColumn))
            read.Add(kZsiTimeColumn, "needed with zsi yes");
        else
            settings.zsiTime = read.Optional(kZsiTimeColumn);
    } else if (!zsi.empty() && zsi != "no") {
        read.Add(RefusalCode::UnknownWord,
                 "zsi: unknown value \"" + std::string(zsi) + "\" (yes or no)");
    } else if (!read.Empty(kZsiTimeColumn)) {
        read.Add(kZsiTimeColumn, "needs zsi yes");
    }
    if (read.refusal()) {
        e.refusal = std::move(read.refusal());
        return e;
    }
    Built<ProtectiveDevice> device = MakeProtectiveDevice(settings, o.sep);
    if (device.device) e.device = std::make_shared<const ProtectiveDevice>(std::move(*device.device));
    e.refusal = std::move(device.refusal);
    for (const std::string& c : device.cautions) {
        if (!e.caution.empty()) e.caution += "; ";
        e.caution += c;
    }
    return e;
}


}  // namespace

bool HasDevice(const StudyCells& in) {
    return !in[kDeviceTypeColumn].empty() ||
           (!in[kBranchTypeColumn].empty() && (!in[kAfrPickupColumn].empty() || !in[kAfrTimeColumn].empty()));
}

namespace {

constexpr std::uint64_t kHashMultiplier = 0x9E3779B97F4A7C15ULL;

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
    h = (h ^ v) * kHashMultiplier;
    return h ^ (h >> 29);
}

// Mixes the bytes of `t` into `h`, eight at a time.
std::uint64_t MixBytes(std::uint64_t h, std::string_view t) {
    std::size_t i = 0;
    for (; i + 8 <= t.size(); i += 8) {
        std::uint64_t v;
        std::memcpy(&v, t.data() + i, 8);
        h = Mix(h, v);
    }
    if (i < t.size()) {
        std::uint64_t v = 0;
        std::memcpy(&v, t.data() + i, t.size() - i);
        h = Mix(h, v);
    }
    return h;
}

// A hash of the device columns' texts as a row holds them, each after its
// length: settings that differ in any cell, or only in where one cell ends
// and the next begins, hash apart but for chance (the cells are compared).
// The columns a device is made from, by number: the device columns, then
// its special protection.
constexpr int kKeyColumnCount =
    kLastDeviceColumn - kFirstDeviceColumn + 1 + std::size(kSpecialColumns);
int KeyColumn(int i) {
    return i <= kLastDeviceColumn - kFirstDeviceColumn
               ? kFirstDeviceColumn + i
               : kSpecialColumns[i - (kLastDeviceColumn - kFirstDeviceColumn + 1)];
}

std::uint64_t DeviceKeyHash(const StudyRowInputs& in) {
    std::uint64_t h = 0;
    for (int i = 0; i < kKeyColumnCount; ++i) {
        const std::string_view t = in[KeyColumn(i)];
        h = MixBytes(Mix(h, t.size()), t);
    }
    return h;
}

// Whether a key written by DeviceKey holds the device columns' texts of `in`.
bool SameDeviceKey(std::string_view key, const StudyRowInputs& in) {
    std::size_t at = 0;
    for (int i = 0; i < kKeyColumnCount; ++i) {
        const std::string_view t = in[KeyColumn(i)];
        std::uint32_t size;
        if (key.size() - at < sizeof size) return false;
        std::memcpy(&size, key.data() + at, sizeof size);
        at += sizeof size;
        if (size != t.size() || key.compare(at, size, t) != 0) return false;
        at += size;
    }
    return at == key.size();
}

std::string DeviceKey(const StudyRowInputs& in) {
    std::string key;
    for (int i = 0; i < kKeyColumnCount; ++i) {
        const std::string_view t = in[KeyColumn(i)];
        const auto size = static_cast<std::uint32_t>(t.size());
        key.append(reinterpret_cast<const char*>(&size), sizeof size);
        key += t;
    }
    return key;
}

}  // namespace

void StudyDevices::Forget() {
    slots_.clear();
    byHash_.clear();
    byText_.clear();
}

StudyDevices::Entry& StudyDevices::Find(const StudyRowInputs& in, const StudyOptions& options) {
    if (curves_ != options.curves || sep_ != options.sep) {
        Forget();
        curves_ = options.curves;
        sep_ = options.sep;
    }
    const std::string_view text = in.deviceCells;
    // The piece of text holds the device columns only: a device with
    // special protection is looked up cell by cell.
    const bool special = std::any_of(std::begin(kSpecialColumns), std::end(kSpecialColumns),
                                     [&](StudyInputColumn c) { return !in[c].empty(); });
    if (text.empty() || special) return FindByCells(in, options).entry;
    const char gap = in.deviceCellsDelimiter;
    const std::uint64_t hash = MixBytes(Mix(0, static_cast<unsigned char>(gap)), text);
    if (byText_.empty()) byText_.assign(std::size_t{1} << kTextBucketBits, nullptr);
    for (Slot* s = byText_[hash >> (64 - kTextBucketBits)]; s; s = s->nextText) {
        if (s->text.size() == text.size() + 1 && s->text[0] == gap && s->text.compare(1, text.size(), text) == 0) {
            return s->entry;
        }
    }
    Slot& found = FindByCells(in, options);
    if (found.text.empty()) {
        found.text.reserve(text.size() + 1);
        found.text += gap;
        found.text += text;
        // FindByCells may have emptied the table to make room.
        if (byText_.empty()) byText_.assign(std::size_t{1} << kTextBucketBits, nullptr);
        Slot*& first = byText_[hash >> (64 - kTextBucketBits)];
        found.nextText = first;
        first = &found;
    }
    return found.entry;
}

StudyDevices::Slot& StudyDevices::FindByCells(const StudyRowInputs& in, const StudyOptions& options) {
    // A study names few distinct devices; one that names a new device in
    // nearly every row is kept from growing without bound.
    constexpr std::size_t kMostKept = 4096;
    const std::uint64_t hash = DeviceKeyHash(in);
    if (const auto it = byHash_.find(hash); it != byHash_.end()) {
        for (Slot* s = it->second; s; s = s->next) {
            if (SameDeviceKey(s->key, in)) return *s;
        }
    }
    if (slots_.size() >= kMostKept) Forget();
    auto slot = std::make_unique<Slot>();
    slot->key = DeviceKey(in);
    slot->entry = BuildDevice(in, options);
    Slot*& first = byHash_[hash];
    slot->next = first;
    first = slot.get();
    slots_.push_back(std::move(slot));
    return *first;
}


}  // namespace zentavo

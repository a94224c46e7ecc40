// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/point_record.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "engine/error.h"

namespace zentavo {

namespace {

// The record: its length (32 bits), then the fields in the order below,
// numbers as their bytes, texts after their length.
class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}
    template <class T>
    void Put(T v) {
        static_assert(std::is_trivially_copyable_v<T>);
        out_.append(reinterpret_cast<const char*>(&v), sizeof v);
    }
    void Text(std::string_view t) {
        Put(static_cast<std::uint32_t>(t.size()));
        out_.append(t);
    }
    template <class T>
    void Maybe(const std::optional<T>& v) {
        Put<std::uint8_t>(v.has_value());
        if (v) Put(*v);
    }

private:
    std::string& out_;
};

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}
    template <class T>
    T Get() {
        T v;
        Take(&v, sizeof v);
        return v;
    }
    std::string Text() {
        const auto n = Get<std::uint32_t>();
        if (n > in_.size()) Bad();
        std::string t(in_.substr(0, n));
        in_.remove_prefix(n);
        return t;
    }
    template <class T>
    std::optional<T> Maybe() {
        if (!Get<std::uint8_t>()) return std::nullopt;
        return Get<T>();
    }
    bool Done() const { return in_.empty(); }
    [[noreturn]] static void Bad() { throw Error("A point kept for the PDFs cannot be read back."); }

private:
    void Take(void* to, std::size_t n) {
        if (n > in_.size()) Bad();
        std::memcpy(to, in_.data(), n);
        in_.remove_prefix(n);
    }
    std::string_view in_;
};

// A protective device by the settings it was made from: none, a relay's, a
// trip unit's, a fuse curve's points or a breaker of no curve; then its share and maximum arc
// duration. Read back, the same settings make the same device.
void PutDevice(Writer& w, const ProtectiveDevice* d) {
    if (!d) {
        w.Put<std::uint8_t>(0);
        return;
    }
    const DeviceSettings& s = d->Settings();
    w.Put<std::uint8_t>(static_cast<std::uint8_t>(s.device.index() + 1));
    if (const auto* relay = std::get_if<RelaySettings>(&s.device)) w.Put(*relay);
    if (const auto* trip = std::get_if<TripUnitSettings>(&s.device)) w.Put(*trip);
    if (const auto* fuse = std::get_if<FuseCurve>(&s.device)) {
        w.Put(static_cast<std::uint32_t>(fuse->Points().size()));
        for (const CurvePoint& p : fuse->Points()) w.Put(p);
    }
    w.Put(s.deviceShare);
    w.Maybe(s.maxArcTime);
    w.Maybe(s.arcFlashRelay);
    w.Maybe(s.zsiTime);
}

void PutCase(Writer& w, const PointCase& c) {
    w.Put(c.energy);
    w.Put(c.boundary);
    w.Put<std::uint8_t>(c.boundaryFloored);
    w.Put(c.ppeIndex);
    w.Maybe(c.pressure);
    w.Maybe(c.tnt);
    w.Put(c.arcingCurrent);
    w.Maybe(c.duration);
    w.Put(static_cast<std::uint32_t>(c.steps.size()));
    for (const PointStep& s : c.steps) {
        w.Put(s.boltedKa);
        w.Put(s.arcingKa);
        w.Put(s.seconds);
        w.Put(s.end);
        w.Put<std::uint8_t>(s.motorsEnd);
        w.Put(static_cast<std::uint32_t>(s.opened.size()));
        for (std::size_t row : s.opened) w.Put(static_cast<std::uint64_t>(row));
        for (const auto& d : s.openedDevices) PutDevice(w, d.get());
        w.Put(static_cast<std::uint32_t>(s.openedBy.size()));
        for (DeviceElement e : s.openedBy) w.Put(e);
        w.Put(static_cast<std::uint32_t>(s.notSelective.size()));
        for (const auto& pair : s.notSelective) w.Put(pair);
    }
}

std::shared_ptr<const ProtectiveDevice> GetDevice(Reader& r) {
    DeviceSettings s;
    switch (r.Get<std::uint8_t>()) {
    case 0:
        return nullptr;
    case 1:
        s.device = r.Get<RelaySettings>();
        break;
    case 2:
        s.device = r.Get<TripUnitSettings>();
        break;
    case 3: {
        std::vector<CurvePoint> points(r.Get<std::uint32_t>());
        for (CurvePoint& p : points) p = r.Get<CurvePoint>();
        Built<FuseCurve> fuse = MakeFuseCurve(points, "fuse_curve");
        if (!fuse.device) r.Bad();
        s.device = std::move(*fuse.device);
        break;
    }
    case 4:
        s.device = NoCurve{};
        break;
    default:
        r.Bad();
    }
    s.deviceShare = r.Get<double>();
    s.maxArcTime = r.Maybe<double>();
    s.arcFlashRelay = r.Maybe<ArcFlashRelaySettings>();
    s.zsiTime = r.Maybe<double>();
    Built<ProtectiveDevice> built = MakeProtectiveDevice(s);
    if (!built.device) r.Bad();
    return std::make_shared<const ProtectiveDevice>(std::move(*built.device));
}

PointCase GetCase(Reader& r) {
    PointCase c;
    c.energy = r.Get<double>();
    c.boundary = r.Get<double>();
    c.boundaryFloored = r.Get<std::uint8_t>() != 0;
    c.ppeIndex = r.Get<std::int32_t>();
    c.pressure = r.Maybe<double>();
    c.tnt = r.Maybe<double>();
    c.arcingCurrent = r.Get<double>();
    c.duration = r.Maybe<PointDuration>();
    const auto steps = r.Get<std::uint32_t>();
    for (std::uint32_t k = 0; k < steps; ++k) {
        PointStep s;
        s.boltedKa = r.Get<double>();
        s.arcingKa = r.Get<double>();
        s.seconds = r.Get<double>();
        s.end = r.Get<StepEnd>();
        s.motorsEnd = r.Get<std::uint8_t>() != 0;
        const auto opened = r.Get<std::uint32_t>();
        for (std::uint32_t o = 0; o < opened; ++o) s.opened.push_back(static_cast<std::size_t>(r.Get<std::uint64_t>()));
        for (std::uint32_t o = 0; o < opened; ++o) s.openedDevices.push_back(GetDevice(r));
        s.openedBy.resize(r.Get<std::uint32_t>());
        for (DeviceElement& e : s.openedBy) e = r.Get<DeviceElement>();
        s.notSelective.resize(r.Get<std::uint32_t>());
        for (auto& pair : s.notSelective) pair = r.Get<std::array<std::size_t, 2>>();
        c.steps.push_back(std::move(s));
    }
    return c;
}

}  // namespace

void AppendPointRecord(std::string& out, std::string_view name, const StudyRowInputs& inputs,
                       const PointResult& p) {
    const std::size_t start = out.size();
    Writer w(out);
    w.Put<std::uint32_t>(0);  // the length, set at the end
    w.Text(name);
    for (std::string_view t : inputs) w.Text(t);
    w.Maybe(inputs.deviceShareFromNetwork);
    w.Put(p.status);
    w.Text(p.message);
    w.Maybe(p.refusal);
    w.Put(p.method);
    w.Put(p.equations);
    w.Put<std::uint8_t>(p.arcingCurrentsKnown);
    PutCase(w, p.full);
    w.Put<std::uint8_t>(p.reduced.has_value());
    if (p.reduced) PutCase(w, *p.reduced);
    w.Put<std::uint8_t>(p.reducedGoverns);
    w.Maybe(p.approach.limited);
    w.Maybe(p.approach.restricted);
    w.Maybe(p.approach.prohibited);
    w.Put(p.voltage);
    w.Put(p.gapMm);
    w.Put(p.workDistMm);
    w.Put(p.enclosure);
    w.Put(p.enclosureFactor);
    PutDevice(w, p.device.get());
    w.Maybe(p.maxArcTime);
    w.Put<std::uint8_t>(p.network.has_value());
    if (p.network) {
        w.Put(p.network->kaMax);
        w.Put(p.network->kaMin);
        w.Put<std::uint8_t>(p.network->minimumCase);
        w.Maybe(p.network->share);
        w.Maybe(p.network->shareMin);
    }
    w.Put<std::uint8_t>(p.duty.has_value());
    if (p.duty) {
        w.Maybe(p.duty->ratingKa);
        w.Put(p.duty->availableKa);
    }
    w.Text(p.scenarioWorst);
    w.Put(static_cast<std::uint32_t>(p.scenarios.size()));
    for (const PointScenario& s : p.scenarios) {
        w.Text(s.name);
        w.Maybe(s.energy);
        w.Put<std::uint8_t>(s.branchOut);
        w.Put<std::uint8_t>(s.maintenance);
    }
    w.Maybe(p.dc);
    w.Put<std::uint8_t>(p.range.has_value());
    if (p.range) {
        w.Put(p.range->boltedKa);
        w.Put(p.range->arcingKa);
        PutCase(w, p.range->worst);
        w.Put(static_cast<std::int32_t>(p.range->evaluations));
        w.Put<std::uint8_t>(p.range->governs);
    }
    const auto size = static_cast<std::uint32_t>(out.size() - start);
    std::memcpy(out.data() + start, &size, sizeof size);
}

std::size_t PointRecordSize(std::string_view in) {
    std::uint32_t size;
    if (in.size() < sizeof size) return 0;
    std::memcpy(&size, in.data(), sizeof size);
    return size <= in.size() ? size : 0;
}

bool ReadPointRecord(std::string_view& in, PointRecord& out) {
    const std::size_t size = PointRecordSize(in);
    if (size == 0) return false;
    Reader r(in.substr(0, size));
    r.Get<std::uint32_t>();
    out.name = r.Text();
    for (std::size_t c = 0; c < out.texts.size(); ++c) out.texts[c] = r.Text();
    out.inputs = StudyRowInputs{};
    for (std::size_t c = 0; c < out.texts.size(); ++c) out.inputs[c] = out.texts[c];
    out.inputs.point = out.name;
    out.inputs.deviceShareFromNetwork = r.Maybe<double>();
    PointResult& p = out.result;
    p = PointResult{};
    p.status = r.Get<PointStatus>();
    p.message = r.Text();
    p.refusal = r.Maybe<RefusalCode>();
    p.method = r.Get<Method>();
    p.equations = r.Get<Equations>();
    p.arcingCurrentsKnown = r.Get<std::uint8_t>() != 0;
    p.full = GetCase(r);
    if (r.Get<std::uint8_t>()) p.reduced = GetCase(r);
    p.reducedGoverns = r.Get<std::uint8_t>() != 0;
    p.approach.limited = r.Maybe<double>();
    p.approach.restricted = r.Maybe<double>();
    p.approach.prohibited = r.Maybe<double>();
    p.voltage = r.Get<double>();
    p.gapMm = r.Get<double>();
    p.workDistMm = r.Get<double>();
    p.enclosure = r.Get<EnclosureType>();
    p.enclosureFactor = r.Get<double>();
    p.device = GetDevice(r);
    p.maxArcTime = r.Maybe<double>();
    if (r.Get<std::uint8_t>()) {
        PointNetwork n;
        n.kaMax = r.Get<double>();
        n.kaMin = r.Get<double>();
        n.minimumCase = r.Get<std::uint8_t>() != 0;
        n.share = r.Maybe<double>();
        n.shareMin = r.Maybe<double>();
        p.network = n;
    }
    if (r.Get<std::uint8_t>()) {
        PointDuty d;
        d.ratingKa = r.Maybe<double>();
        d.availableKa = r.Get<double>();
        p.duty = d;
    }
    p.scenarioWorst = r.Text();
    const auto scenarios = r.Get<std::uint32_t>();
    for (std::uint32_t k = 0; k < scenarios; ++k) {
        PointScenario s;
        s.name = r.Text();
        s.energy = r.Maybe<double>();
        s.branchOut = r.Get<std::uint8_t>() != 0;
        s.maintenance = r.Get<std::uint8_t>() != 0;
        p.scenarios.push_back(std::move(s));
    }
    p.dc = r.Maybe<PointDc>();
    if (r.Get<std::uint8_t>()) {
        PointRange g;
        g.boltedKa = r.Get<double>();
        g.arcingKa = r.Get<double>();
        g.worst = GetCase(r);
        g.evaluations = r.Get<std::int32_t>();
        g.governs = r.Get<std::uint8_t>() != 0;
        p.range = g;
    }
    if (!r.Done()) throw Error("A point kept for the PDFs cannot be read back.");
    in.remove_prefix(size);
    return true;
}

}  // namespace zentavo

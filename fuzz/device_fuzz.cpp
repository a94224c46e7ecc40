// SPDX-License-Identifier: GPL-3.0-or-later
// Protective devices built from any settings, as a study row's device
// columns give them, and evaluated at any current. The input is lines:
//   <column>=<text>   a device column's cell (device_type, relay_pickup, ...,
//                     fuse_curve, device_share, max_arc_time); a column
//                     given twice keeps its last text;
//   sep=,             numbers written with a decimal comma;
//   at=<amps>         a current the device sees, A (any text; not a number:
//                     skipped).
// A device is built or refused, never half: refused, a message and no
// device. A built device, at every current given and at a sweep from 1 mA to
// 1 GA: a clearing time that is finite and at least 1 ms where it acts, 0
// where it does not; at higher currents never slower, and never stopping
// once it acts; the duration used (the maximum arc duration where the device
// does not act or acts later) finite and at least 1 ms, or a refusal.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number.h"
#include "study/row.h"

namespace {

using zentavo::DeviceTrip;

void Check(bool ok) {
    if (!ok) std::abort();
}

// The duration used at an arcing current (kA) and the trip it comes from.
void CheckDuration(const zentavo::ProtectiveDevice& device, double amps) {
    const zentavo::ArcDuration d = device.Duration(amps / 1000, '.');
    if (d.refusal) {
        Check(!device.MaxArcTime() && !d.device.Operates());
        return;
    }
    Check(std::isfinite(d.seconds) && d.seconds >= zentavo::kShortestArcTime);
    if (device.MaxArcTime()) Check(d.seconds <= *device.MaxArcTime());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string, std::less<>> cells;
    std::vector<double> currents;
    char sep = '.';
    for (std::size_t at = 0; at < input.size();) {
        std::size_t end = input.find('\n', at);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view line = input.substr(at, end - at);
        at = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view name = line.substr(0, equals), text = line.substr(equals + 1);
        if (name == "sep") {
            sep = text == "," ? ',' : '.';
        } else if (name == "at") {
            try {
                currents.push_back(zentavo::ParseNumber(text, '.'));
            } catch (const zentavo::ConversionError&) {
            }
        } else {
            cells[std::string(name)] = std::string(text);
        }
    }

    zentavo::StudyRowInputs in{};
    for (int c = zentavo::kFirstDeviceColumn; c <= zentavo::kLastDeviceColumn; ++c) {
        const auto it = cells.find(zentavo::kStudyInputNames[c]);
        if (it != cells.end()) in[c] = it->second;
    }
    zentavo::StudyOptions options;
    options.sep = sep;
    zentavo::StudyDevices devices;
    const zentavo::StudyDevices::Entry& e = devices.Find(in, options);
    Check((e.device != nullptr) == !e.refusal.has_value());
    if (!e.device) {
        Check(e.caution.empty());
        return 0;
    }
    const zentavo::ProtectiveDevice& device = *e.device;

    // The currents given, then the sweep: 1 mA to 1 GA, 20 a decade.
    for (double a : currents) {
        const DeviceTrip t = device.TripAt(a);
        Check(t.Operates() ? std::isfinite(t.seconds) && t.seconds >= zentavo::kShortestArcTime
                           : t.seconds == 0);
        if (std::isfinite(a) && a > 0 && a < 1e300) CheckDuration(device, a);
    }
    DeviceTrip before;
    for (int i = 0; i <= 240; ++i) {
        const double a = std::pow(10.0, -3 + i / 20.0);
        const DeviceTrip t = device.TripAt(a);
        if (!t.Operates()) {
            Check(t.seconds == 0 && !before.Operates());
        } else {
            Check(std::isfinite(t.seconds) && t.seconds >= zentavo::kShortestArcTime);
            // Never slower at a higher current, but for the last digits of
            // the curve's arithmetic.
            if (before.Operates()) Check(t.seconds <= before.seconds * (1 + 1e-9));
        }
        CheckDuration(device, a);
        before = t;
    }
    return 0;
}

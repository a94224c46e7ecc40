// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ieee2018_device.h"

#include "engine/number.h"

namespace zentavo {

Ieee2018DeviceOutcome RunIeee2018WithDevice(const Ieee2018Fields& fields,
                                            const ProtectiveDevice& device,
                                            const UnitSettings& units, char sep) {
    Ieee2018DeviceOutcome out;
    out.outcome = RunIeee2018(fields, units, sep, [&](double iarc, double iarcReduced) {
        out.full = device.Duration(iarc, sep);
        out.reduced = device.Duration(iarcReduced, sep);
        Ieee2018Durations d;
        d.arcTime = out.full.seconds;
        d.arcTimeReduced = out.reduced.seconds;
        d.refusal = JoinRefusals(out.full.refusal, out.reduced.refusal);
        return d;
    });
    return out;
}

std::string ArcDurationText(double seconds, char sep) {
    std::string t = FormatFixed(seconds, 15, 4, sep);
    if (t.find(sep) == std::string::npos || t.find('E') != std::string::npos) return t;
    while (t.back() == '0') t.pop_back();
    if (t.back() == sep) t.pop_back();
    return t;
}

std::string ArcDurationCappedNote(double maxArcTime, char sep) {
    return "exposure limited to " + ArcDurationText(maxArcTime, sep) + " s";
}

}  // namespace zentavo

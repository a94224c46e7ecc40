// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/point_result.h"

#include <algorithm>

namespace zentavo {

std::string_view PointStatusWord(PointStatus status) {
    switch (status) {
        case PointStatus::Computed:
            return "ok";
        case PointStatus::Caution:
        case PointStatus::Refused:
            return "warning";
        case PointStatus::Error:
            break;
    }
    return "error";
}

std::string_view EquationsWord(Equations equations) {
    switch (equations) {
        case Equations::Empirical:
            return "empirical";
        case Equations::TheoreticallyDerived:
            return "theoretically derived";
        case Equations::Fuse:
            return "fuse";
        case Equations::Breaker:
            return "breaker";
        case Equations::Ieee2018:
            return "IEEE 1584-2018";
        case Equations::DcMaxPower:
            return DcMethodName(DcMethod::MaxPower);
        case Equations::DcArcResistance:
            return DcMethodName(DcMethod::ArcResistance);
        case Equations::None:
            break;
    }
    return {};
}

std::string_view EnclosureTypeWord(EnclosureType type) {
    switch (type) {
        case EnclosureType::Typical:
            return "typical";
        case EnclosureType::Shallow:
            return "shallow";
        case EnclosureType::OpenAir:
            return "open air";
        case EnclosureType::None:
            break;
    }
    return {};
}

CaseStyle CaseStyleOf(Equations equations) {
    switch (equations) {
        // A DC point writes its energy with every digit to two decimals, as the 2018 model does.
        case Equations::Ieee2018:
        case Equations::DcMaxPower:
        case Equations::DcArcResistance:
            return CaseStyle::Ieee2018;
        case Equations::Fuse:
            return CaseStyle::Fuse;
        case Equations::Breaker:
            return CaseStyle::Breaker;
        case Equations::Empirical:
        case Equations::TheoreticallyDerived:
        case Equations::None:
            break;
    }
    return CaseStyle::Empirical;
}

std::optional<double> OpenedAfter(const std::vector<PointStep>& steps, std::size_t row) {
    double t = 0;
    for (const PointStep& s : steps) {
        t += s.seconds;
        if (std::find(s.opened.begin(), s.opened.end(), row) != s.opened.end()) return t;
    }
    return std::nullopt;
}

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
// The 2018 model's typical values as the windows and labels name them: which
// equipment class a point's inputs keep, and the lengths as their fields show them.
#include <cmath>
#include <string>
#include <string_view>

#include "engine/ieee2018.h"
#include "engine/number.h"

namespace zentavo {

namespace {
// Half a unit of the fourth decimal of an inch, in millimetres: the most a
// typical length filled in inches differs from the table's value.
constexpr double kTypicalToleranceMm = 0.5e-4 * kMmPerInch * 1.001;

bool Near(double a, double b) { return std::abs(a - b) <= kTypicalToleranceMm; }
}  // namespace

bool KeepsTypicalValues(const Ieee2018Equipment& type, const Ieee2018Inputs& in) {
    return in.electrode == type.electrode && Near(in.gapMm, type.gapMm) &&
           Near(in.heightMm, type.heightMm) && Near(in.widthMm, type.widthMm) &&
           Near(in.depthMm, type.depthMm) && Near(in.workDistMm, type.workDistMm);
}

std::string Ieee2018EquipmentText(std::string_view named, Electrode electrode) {
    if (!named.empty()) return std::string(named);
    return std::string(kElectrodeWords[static_cast<std::size_t>(electrode)]);
}

std::string Ieee2018EquipmentText(int picked, const Ieee2018Inputs& in) {
    if (picked < 0 || picked >= static_cast<int>(kIeee2018Equipment.size())) {
        return Ieee2018EquipmentText({}, in.electrode);
    }
    const Ieee2018Equipment& type = kIeee2018Equipment[static_cast<std::size_t>(picked)];
    if (!KeepsTypicalValues(type, in)) return Ieee2018EquipmentText({}, in.electrode);
    return Ieee2018EquipmentText(
        std::string(type.labelName) + " (" + std::string(kElectrodeWords[static_cast<std::size_t>(in.electrode)]) + ")",
        in.electrode);
}

std::string Ieee2018LengthText(double mm, LengthUnit unit, char sep) {
    const bool inches = unit == LengthUnit::Inches;
    return TrimZeros(FormatFixed(inches ? mm / kMmPerInch : mm, 15, inches ? 4 : 5, sep), sep);
}

std::string LengthFieldUnits::Convert(std::string_view text, LengthUnit from, LengthUnit to,
                                      char sep) {
    const bool fromMm = from == LengthUnit::Millimetres, toMm = to == LengthUnit::Millimetres;
    if (from == to) return std::string(text);
    const bool unedited = converted_ && text == shown_;
    if (unedited && typedInMm_ == toMm) {
        converted_ = false;
        return typed_;
    }
    const std::optional<double> value = ReadNumber(text, sep);
    if (!value) {
        converted_ = false;
        return std::string(text);
    }
    const double mm = ToMillimetres(*value, from);
    if (!std::isfinite(mm)) {
        converted_ = false;
        return std::string(text);
    }
    if (!unedited) {
        typed_ = std::string(text);
        typedInMm_ = fromMm;
    }
    shown_ = Ieee2018LengthText(mm, to, sep);
    converted_ = true;
    return shown_;
}

}  // namespace zentavo

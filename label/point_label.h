// SPDX-License-Identifier: GPL-3.0-or-later
// A point's label inputs, built in one place from its results as numbers,
// whichever computed them: the results window of the 2002 methods, the
// 2018 window or a study's row. Each case's texts are written from its
// numbers by the same rule the results show them with, so a point's label
// reads the same from every window and from the study.
#pragma once

#include <optional>
#include <string>

#include "engine/case_result.h"
#include "engine/classification.h"
#include "engine/method.h"
#include "engine/protection.h"
#include "label/content.h"

namespace zentavo {

// A case's arc duration where a protective device gave it.
struct LabelDuration {
    double seconds = 0;  // the duration used
    DeviceElement element = DeviceElement::DoesNotOperate;
    double deviceKa = 0;  // the current the device saw, where known (a capped duration's footer names it)
};

// The device a point's durations came from, with the duration of each case.
struct LabelPointDevice {
    DeviceType type = DeviceType::Relay;
    std::optional<RelayCurve> relayCurve;
    LabelDuration full;
    std::optional<LabelDuration> reduced;
};

struct LabelPoint {
    Method method = kEmpiricalMethod;
    // The equipment text (a class of the 2002 methods; the 2018 model's, see
    // Ieee2018EquipmentText; a DC point's, its enclosure where it names no
    // class) and the grounding ("Grounded", "ungrounded"; the 2018 model and
    // DC have none and their labels say "N/A").
    std::string equipment, grounding;
    // The inputs as the engineer typed them (the bolted current as the
    // network wrote it where one gave it), in the units of `units`.
    std::string boltedCurrent, voltage;
    // The working distance the point was computed at; the label writes it
    // in the unit of its boundaries.
    double workDistMm = 0;
    CaseResult full;
    // The reduced arcing current's case where the method offers one.
    std::optional<CaseResult> reduced;
    bool reducedGoverns = false;  // the method's choice: the reduced case has the larger energy
    ApproachDistances approach;   // inches; none: "Avoid contact"
    double voltageV = 0, gapMm = 0;
    std::optional<LabelPointDevice> device;
    std::string scenario;   // the worst of a study's several scenarios
    bool lineSide = false;  // a fault on the line side of the point's device
};

// A working distance in a label's boundary unit: whole millimetres
// ("914"), or inches to a tenth without a trailing zero ("36", "17.9").
std::string LabelWorkDistText(double mm, LengthUnit boundaryUnit, char sep);

// The label's inputs of a point, its texts in `units` with the decimal
// separator `sep`. The 2018 model's label takes its governing case alone; an
// empirical label takes both cases and shows the governing one. The language,
// the clothing choice and the clothing caption's place are the caller's.
LabelContentInputs LabelInputsOf(const LabelPoint& point, const UnitSettings& units, char sep);

}  // namespace zentavo

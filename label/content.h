// SPDX-License-Identifier: GPL-3.0-or-later
// The words and values of a warning label: every value is the exact text
// the results window shows, the captions and unit words are those of the
// label's language, and where the empirical model gives two cases the one
// with the larger hazard governs.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/method.h"
#include "engine/protection.h"
#include "engine/units.h"

namespace zentavo {

// The protective device a point's arc durations came from, as its label's
// footer names it in place of "Made with Zentavo".
struct LabelDevice {
    DeviceType type = DeviceType::Relay;
    std::optional<RelayCurve> relayCurve;  // a relay's curve
    // The duration used (as the results show it: "0.0613", "2") and the
    // element that gave it, by case like the energies: the full case, and
    // the reduced one where the label chooses between the two (the 2002
    // empirical model). A duration the maximum replaced has the element Capped.
    std::string duration, durationReduced;
    DeviceElement element = DeviceElement::DoesNotOperate;
    DeviceElement elementReduced = DeviceElement::DoesNotOperate;
    // A capped duration's current the device saw ("26.644"), empty where not known.
    std::string seenKa, seenKaReduced;
};

// The signal word of a label's headline panel: DANGER where no PPE protects
// (see SignalWordFor, label/standard.h), WARNING otherwise.
enum class SignalWord : std::uint8_t { Warning, Danger };

struct LabelContentInputs {
    int language = 0;
    bool clothingChecked = false;  // "Typical protective clothing systems"
    // A Method. The IEEE 1584-2018 model labels its governing case alone,
    // like a fuse or a breaker, with no grounding ("N/A") and a title naming
    // its edition; a DC method its one case, its voltage as DC and a line
    // naming the method.
    int method = kEmpiricalMethod;
    std::string equipmentClass;  // class text of the active method's window

    // Texts of the results window, by its labels.
    std::string grounding;        // Label18
    std::string workDist;         // in units.BoundaryUnit: one length unit on a label
    std::string boltedCurrent;    // Label22
    std::string voltage;          // Label24
    std::string energy, energyReduced;      // Label25, Label28
    std::string boundary, boundaryReduced;  // Label26, Label29
    std::string ppe, ppeReduced;            // Label27, Label30
    std::string limited, restricted, prohibited;  // Label36, Label37, Label38
    std::string pressure, pressureReduced;  // Label45, Label41
    std::string tnt, tntReduced;            // Label46, Label42

    UnitSettings units;

    // Values of the calculation.
    double incidentEnergy = 0, incidentEnergyReduced = 0;
    std::int32_t ppeIndex = -1, ppeIndexReduced = -1;
    double arcPressure = 0, arcPressureReduced = 0;
    double tntEquivalent = 0, tntEquivalentReduced = 0;
    double voltageV = 0, gapMm = 0;
    // Whether the reduced case governs, as the method chose it (LabelInputsOf
    // sets it); unset: the case with the larger incident energy above.
    std::optional<bool> reducedGoverns;

    int clothingCaptionTop = 0;  // top of the clothing caption after the layout

    // Set when the arc durations came from a protective device: the footer
    // names it with the duration of the case on the label.
    std::optional<LabelDevice> device;
    // A point of a study with several scenarios: the worst one, whose
    // results the label carries; and a point computed for a fault on the
    // line side of its device. The footer says both.
    std::string scenario;
    bool lineSide = false;
    // A point of a main's section (a load-side and a line-side point): the
    // label carries the larger of the two and the footer names its side
    // (true: the line side's).
    std::optional<bool> sectionLineSide;

    // The voltage above which the label says DANGER whatever the energy,
    // where the site asks for it.
    std::optional<double> dangerAboveVolts;
};

struct ClothingSlot {
    bool visible = false;
    int top = 0;
    int fontPt = 7;
};

struct LabelContent {
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, ClothingSlot, std::less<>> clothing;  // the ten clothing lines
    std::optional<bool> clothingNaShown;  // "N/A" in the clothing row; unset: as laid out
    std::optional<std::int32_t> labelPpeIndex;  // set when the clothing row is on the label
    SignalWord signal = SignalWord::Warning;
};

LabelContent MakeLabelContent(const LabelContentInputs& in);

// The line a DC point's label carries under its body, naming the method and
// DC in the label's language ("NFPA 70E D.5 DC, maximum power"), and the
// unit of its voltage ("V DC", "V CC", "V c.c.").
std::string_view DcLabelLine(int method, int language);
std::string_view DcVoltageWord(int language);
// The classic label's caption of a DC point's bolted current ("Available DC
// bolted current"), where an AC point's names a three-phase one.
std::string_view DcBoltedCaption(int language);

}  // namespace zentavo

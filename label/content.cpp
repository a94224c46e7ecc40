// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/content.h"

#include <algorithm>

#include "engine/case_result.h"
#include "label/layout.h"
#include "label/label_settings.h"
#include "label/standard.h"
#include "label/translations.h"

namespace zentavo {

namespace {
// A value and its unit word; "N/A" (no value) carries no unit.
std::string WithUnit(const std::string& value, std::string_view unit) {
    return value == "N/A" ? value : value + " " + std::string(unit);
}
}  // namespace

std::string_view DcLabelLine(int method, int language) {
    // clang-format off
    static constexpr std::string_view kLines[2][3] = {
        {"NFPA 70E D.5 DC, maximum power", "NFPA 70E D.5 CC, potencia máxima", "NFPA 70E D.5 c.c., puissance maximale"},
        {"NFPA 70E D.5 DC, arc resistance", "NFPA 70E D.5 CC, resistencia del arco", "NFPA 70E D.5 c.c., résistance d'arc"},
    };
    // clang-format on
    const std::size_t lang = language == kSpanish || language == kFrench ? static_cast<std::size_t>(language) : 0;
    return kLines[method == kDcMaxPowerMethod ? 0 : 1][lang];
}

std::string_view DcBoltedCaption(int language) {
    return language == kSpanish  ? "Corriente de defecto CC disponible"
           : language == kFrench ? "Courant de Faute c.c. Disponible"
                                 : "Available DC bolted current";
}

std::string_view DcVoltageWord(int language) {
    return language == kSpanish ? "V CC" : language == kFrench ? "V c.c." : "V DC";
}

LabelContent MakeLabelContent(const LabelContentInputs& in) {
    LabelContent out;
    out.signal = SignalWordFor(GoverningCalCm2(in), in.voltageV, in.dangerAboveVolts);
    auto& t = out.texts;
    const int lang = in.language;
    const bool empirical = in.method == kEmpiricalMethod;
    const bool reducedGoverns =
        in.reducedGoverns.value_or(ReducedGoverns(in.incidentEnergy, in.incidentEnergyReduced));
    // One length unit on the label: the working distance in the boundaries'.
    const std::string boundaryUnit = LengthUnitWord(in.units.BoundaryUnit, lang);

    t["Label10"] = in.voltage + (IsDcMethod(in.method) ? " " + std::string(DcVoltageWord(lang)) + " " : " V ");
    t["Label20"] = ClassWord(in.equipmentClass, lang);
    t["Label11"] = GroundingWord(in.grounding, lang);
    t["Label12"] = in.workDist + " " + boundaryUnit;
    t["Label13"] = in.boltedCurrent + " kA";
    const bool useReduced = reducedGoverns && empirical;
    t["Label14"] = (useReduced ? in.boundaryReduced : in.boundary) + " " + boundaryUnit;
    t["Label15"] = (useReduced ? in.energyReduced : in.energy) + " " + std::string(UnitWord(in.units.EnergyUnit));
    t["Label16"] = in.ppeIndex >= in.ppeIndexReduced ? in.ppe : in.ppeReduced;

    // Pressure and TNT: the larger of the two cases, in every language, and
    // only where the empirical model computed them.
    const bool noBlast = !empirical || in.voltageV > 15000 || in.gapMm > 152;
    t["Label34"] = WithUnit(in.tntEquivalent > in.tntEquivalentReduced ? in.tnt : in.tntReduced,
                            UnitWord(in.units.TntUnit));
    if ((in.tntEquivalent == 0 && in.tntEquivalentReduced == 0) || noBlast) t["Label34"] = "N/A";
    t["Label33"] = WithUnit(in.arcPressure > in.arcPressureReduced ? in.pressure : in.pressureReduced,
                            UnitWord(in.units.PressureUnit));
    if (in.arcPressure == 0 || noBlast) t["Label33"] = "N/A";

    for (const CaptionWords& c : kLabelCaptions) t[std::string(c.slot)] = c.words[lang];
    if (in.method == kIeee2018Method) {
        // The model does not depend on the grounding: the label says so in every language.
        t["Label11"] = "N/A";
        // The label names the edition its numbers come from.
        t["Label8"] = kIeee2018LabelLine;
    }
    if (IsDcMethod(in.method)) {
        // No grounding; the line under the label names the method and DC.
        t["Label11"] = "N/A";
        t["Label8"] = DcLabelLine(in.method, lang);
        t["Label4"] = DcBoltedCaption(lang);
    }

    t["Label30"] = in.limited + " " + boundaryUnit;
    t["Label31"] = in.restricted + " " + boundaryUnit;
    t["Label32"] = in.prohibited + " " + boundaryUnit;
    t["Label35"] = "N/A";
    if (in.device) {
        const LabelDevice& d = *in.device;
        t["Label9"] = DeviceFooter(d.type, d.relayCurve, useReduced ? d.durationReduced : d.duration,
                                   useReduced ? d.elementReduced : d.element, lang,
                                   useReduced ? d.seenKaReduced : d.seenKa);
    }

    // Clothing: at most one pair of lines, just around the clothing caption.
    // Low on the label (the clothing row the last of thirteen) the pair moves
    // up, nine pixels apart in every language, so that the second line's
    // descenders keep a pixel of white above the rule under the label's body.
    constexpr int kLowestSecondLineTop = 399;
    const int firstTop = std::min(in.clothingCaptionTop - 3, kLowestSecondLineTop - 9);
    const int secondTop = std::min(in.clothingCaptionTop + (lang == kSpanish ? 7 : 6), kLowestSecondLineTop);
    for (std::size_t i = 0; i < 10; ++i) {
        out.clothing[std::string(kClothingSlots[i])] = {false, i % 2 == 0 ? firstTop : secondTop, 7};
    }
    if (in.clothingChecked) {
        const std::int32_t level = std::max(in.ppeIndex, in.ppeIndexReduced);
        out.labelPpeIndex = level;
        if (level >= 0 && level <= 4) {
            out.clothing[std::string(kClothingSlots[2 * level])].visible = true;
            out.clothing[std::string(kClothingSlots[2 * level + 1])].visible = true;
            out.clothingNaShown = false;
        } else if (level == 5) {
            out.clothingNaShown = true;
        }
    }
    return out;
}

}  // namespace zentavo

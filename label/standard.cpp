// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/standard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/case_result.h"
#include "engine/method.h"
#include "engine/number.h"
#include "engine/units.h"
#include "label/translations.h"

namespace zentavo {

namespace {

template <std::size_t N>
std::optional<std::size_t> IndexOf(const std::array<std::string_view, N>& words, std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i] == word) return i;
    }
    return std::nullopt;
}

std::size_t Lang(int language) {
    return language == kSpanish || language == kFrench ? static_cast<std::size_t>(language) : 0;
}

// The items of each band of NFPA 70E Table 130.5(G), the same in CSA Z462.
constexpr PpeItem kBelow1_2[] = {PpeItem::NaturalFibreClothing, PpeItem::SafetyGlasses,
                                 PpeItem::HearingProtection, PpeItem::LeatherOrRubberGloves};
constexpr PpeItem kTo12[] = {PpeItem::ArcRatedClothing,  PpeItem::ArcRatedFaceShield,
                             PpeItem::HardHat,           PpeItem::SafetyGlasses,
                             PpeItem::HearingProtection, PpeItem::LeatherOrRubberGloves,
                             PpeItem::LeatherFootwear};
constexpr PpeItem kTo40[] = {PpeItem::ArcRatedFlashSuit,    PpeItem::ArcRatedOrRubberGloves,
                             PpeItem::HardHatArcRatedLiner, PpeItem::SafetyGlasses,
                             PpeItem::HearingProtection,    PpeItem::LeatherFootwear};

// clang-format off
// The items' words in English, Spanish (after the Spanish edition of NFPA
// 70E and NOM-029-STPS) and French (after CSA Z462's French edition), in
// the order of PpeItem.
constexpr std::array<std::array<std::string_view, 3>, 11> kItemWords = {{
    {"Non-melting or untreated natural-fibre long-sleeve shirt and long pants, or coverall",
     "Camisa de manga larga y pantalón largo de fibra natural sin tratar o que no se funda, u overol",
     "Chemise à manches longues et pantalon long en fibres naturelles non traitées ou non fusibles, ou combinaison"},
    {"Arc-rated long-sleeve shirt and pants, or coverall, rated at least the incident energy",
     "Camisa de manga larga y pantalón, u overol, con clasificación de arco al menos igual a la energía incidente",
     "Chemise à manches longues et pantalon, ou combinaison, à cote d'arc au moins égale à l'énergie incidente"},
    {"Arc-rated face shield with arc-rated balaclava, or arc-rated hood",
     "Careta con clasificación de arco y pasamontañas con clasificación de arco, o capucha con clasificación de arco",
     "Écran facial à cote d'arc avec cagoule à cote d'arc, ou cagoule intégrale à cote d'arc"},
    {"Arc-rated flash suit with hood, rated at least the incident energy",
     "Traje de protección contra arco con capucha, con clasificación de arco al menos igual a la energía incidente",
     "Combinaison de protection contre les arcs avec cagoule, à cote d'arc au moins égale à l'énergie incidente"},
    {"Hard hat", "Casco de seguridad", "Casque de sécurité"},
    {"Hard hat with arc-rated liner", "Casco de seguridad con forro con clasificación de arco",
     "Casque de sécurité avec doublure à cote d'arc"},
    {"Safety glasses or goggles", "Anteojos o gafas de seguridad", "Lunettes de sécurité ou lunettes étanches"},
    {"Hearing protection", "Protección auditiva", "Protection auditive"},
    {"Heavy-duty leather gloves, or rubber insulating gloves with leather protectors",
     "Guantes de cuero para trabajo pesado, o guantes aislantes de hule con protectores de cuero",
     "Gants en cuir épais, ou gants isolants en caoutchouc avec protecteurs en cuir"},
    {"Arc-rated gloves, or rubber insulating gloves with leather protectors",
     "Guantes con clasificación de arco, o guantes aislantes de hule con protectores de cuero",
     "Gants à cote d'arc, ou gants isolants en caoutchouc avec protecteurs en cuir"},
    {"Leather footwear", "Calzado de cuero", "Chaussures en cuir"},
}};

// The label's own words, by language.
struct Words {
    std::string_view warning, danger;
    std::string_view hazard, ppeRequired, deEnergize;
    std::string_view equipment, voltage, boundary, energy, at, arcRating, noPpe, ppe, ppeNone;
    std::string_view shock, limited, restricted, gloves, glovesClass, noGloves, avoidContact;
    std::string_view assessment, assessmentCsa, energyAfter, ppeAfter;
    std::string_view worstScenario, lineSide, sectionLine, sectionLoad;
    std::string_view inches;  // the abbreviation of the inch
    std::string_view noGlovesDc, lowRiskDc;  // a DC point's
};
constexpr Words kWords[3] = {
    {"WARNING", "DANGER",
     "Arc flash and shock hazard", "Appropriate PPE required", "De-energize before work",
     "Equipment", "Nominal system voltage", "Arc flash boundary", "Incident energy at working distance", "at",
     "Minimum arc rating of clothing", "No PPE is adequate — de-energize", "Arc flash PPE",
     "None adequate: work only de-energized, in an electrically safe work condition",
     "Shock hazard", "Limited approach boundary", "Restricted approach boundary",
     "Rubber insulating gloves", "Class", "No class above 36 kV", "Avoid contact",
     "Assessment date", "Date of arc flash risk assessment", "Incident energy after", "PPE after",
     "Worst scenario", "Fault on the line side of the device",
     "Section: the line side governs", "Section: the load side governs",
     "in",
     "No class above 54 kV DC", "At or below 150 V DC an arc is hard to sustain; the energy assumes it is sustained"},
    {"ADVERTENCIA", "PELIGRO",
     "Peligro de arco eléctrico y de descarga eléctrica", "Se requiere el EPP apropiado",
     "Desenergizar antes de trabajar",
     "Equipo", "Tensión nominal del sistema", "Frontera de arco eléctrico", "Energía incidente a la distancia de trabajo", "a",
     "Clasificación mínima de arco de la ropa", "Ningún EPP es adecuado — desenergizar", "EPP contra arco eléctrico",
     "Ninguno es adecuado: trabajar solo desenergizado, en condición de trabajo eléctricamente segura",
     "Peligro de descarga eléctrica", "Frontera de aproximación limitada", "Frontera de aproximación restringida",
     "Guantes aislantes de hule", "Clase", "Ninguna clase por encima de 36 kV", "Evitar el contacto",
     "Fecha de la evaluación", "Fecha de la evaluación del riesgo de arco eléctrico", "Energía incidente según",
     "EPP según",
     "Peor escenario", "Falla en el lado de línea del dispositivo",
     "Sección: rige el lado de línea", "Sección: rige el lado de carga",
     "pulg.",
     "Ninguna clase por encima de 54 kV CC",
     "A 150 V CC o menos un arco se sostiene con dificultad; la energía supone que se sostiene"},
    {"AVERTISSEMENT", "DANGER",
     "Risque d'arc électrique et de choc électrique", "EPI approprié obligatoire",
     "Mettre hors tension avant le travail",
     "Équipement", "Tension nominale du réseau", "Frontière d'arc électrique", "Énergie incidente à la distance de travail", "à",
     "Cote d'arc minimale des vêtements", "Aucun EPI n'est adéquat — mettre hors tension", "EPI contre les arcs électriques",
     "Aucun n'est adéquat : travailler seulement hors tension, dans des conditions de travail électriquement sécuritaires",
     "Risque de choc électrique", "Frontière d'approche limitée", "Frontière d'approche restreinte",
     "Gants isolants en caoutchouc", "Classe", "Aucune classe au-delà de 36 kV", "Éviter tout contact",
     "Date de l'évaluation", "Date de l'appréciation du risque d'arc électrique", "Énergie incidente selon",
     "EPI selon",
     "Pire scénario", "Défaut côté ligne de l'appareil",
     "Section : le côté ligne prévaut", "Section : le côté charge prévaut",
     "po",
     "Aucune classe au-delà de 54 kV c.c.",
     "À 150 V c.c. ou moins, un arc se maintient difficilement ; l'énergie suppose qu'il se maintient"},
};

constexpr std::string_view kMonths[3][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"ene.", "feb.", "mar.", "abr.", "may.", "jun.", "jul.", "ago.", "sept.", "oct.", "nov.", "dic."},
    {"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.", "oct.", "nov.", "déc."},
};
// clang-format on

std::string_view EnergyUnitText(IncidentEnergyUnit unit) {
    return unit == IncidentEnergyUnit::JoulesPerCm2 ? "J/cm²" : "cal/cm²";
}

std::string LengthText(const std::string& value, LengthUnit unit, const Words& w) {
    return value + " " + std::string(unit == LengthUnit::Inches ? w.inches : "mm");
}

// An approach boundary's text with its unit; "Avoid contact" in the language.
std::string ApproachValue(const std::string& value, LengthUnit unit, const Words& w) {
    if (value == "Avoid contact") return std::string(w.avoidContact);
    if (value.empty() || value == "N/A") return value;
    return LengthText(value, unit, w);
}

}  // namespace

std::optional<LabelStandard> LabelStandardOf(std::string_view word) {
    if (const auto i = IndexOf(kLabelStandardWords, word)) return static_cast<LabelStandard>(*i);
    return std::nullopt;
}

std::optional<LabelPageSize> LabelPageSizeOf(std::string_view word) {
    if (const auto i = IndexOf(kLabelPageSizeWords, word)) return static_cast<LabelPageSize>(*i);
    return std::nullopt;
}

LabelPageInches PageInches(LabelPageSize size) {
    switch (size) {
        case LabelPageSize::In4x4: return {4, 4};
        case LabelPageSize::In5x3_5: return {5, 3.5};
        case LabelPageSize::In6x4: break;
    }
    return {6, 4};
}

SignalWord SignalWordFor(double calCm2, double volts, std::optional<double> dangerAboveVolts) {
    if (calCm2 > kDangerAboveCalCm2) return SignalWord::Danger;
    if (dangerAboveVolts && volts > *dangerAboveVolts) return SignalWord::Danger;
    return SignalWord::Warning;
}

EnergyBand EnergyBandOf(double calCm2) {
    // The energy as printed with two decimals, where that is higher.
    const double e = std::max(calCm2, std::round(calCm2 * 100) / 100);
    if (e < 1.2) return EnergyBand::Below1_2;
    if (e <= 12) return EnergyBand::To12;
    if (e <= kDangerAboveCalCm2) return EnergyBand::To40;
    return EnergyBand::Above40;
}

std::span<const PpeItem> PpeItemsOf(EnergyBand band) {
    switch (band) {
        case EnergyBand::Below1_2: return kBelow1_2;
        case EnergyBand::To12: return kTo12;
        case EnergyBand::To40: return kTo40;
        case EnergyBand::Above40: break;
    }
    return {};
}

std::string_view PpeItemText(PpeItem item, int language) {
    return kItemWords[static_cast<std::size_t>(item)][Lang(language)];
}

std::optional<double> MinimumArcRating(double calCm2) {
    if (calCm2 > kDangerAboveCalCm2) return std::nullopt;
    // Rounded up in tenths; an energy a hair above a tenth (from the
    // conversion's last digit) stays at that tenth.
    const double tenths = std::ceil(calCm2 * 10 - 1e-9);
    return std::max(tenths, 0.0) / 10;
}

std::optional<std::string_view> GloveClass(double volts) {
    struct Class {
        double upTo;
        std::string_view name;
    };
    static constexpr Class kClasses[] = {{500, "00"},    {1000, "0"},   {7500, "1"},
                                         {17000, "2"},   {26500, "3"},  {36000, "4"}};
    for (const Class& c : kClasses) {
        if (volts <= c.upTo) return c.name;
    }
    return std::nullopt;
}

std::optional<std::string_view> GloveClassDc(double volts) {
    struct Class {
        double upTo;
        std::string_view name;
    };
    static constexpr Class kClasses[] = {{750, "00"},    {1500, "0"},   {11250, "1"},
                                         {25500, "2"},   {39750, "3"},  {54000, "4"}};
    for (const Class& c : kClasses) {
        if (volts <= c.upTo) return c.name;
    }
    return std::nullopt;
}

std::string DateInWords(LabelDate d, int language) {
    const std::size_t month = static_cast<std::size_t>(std::clamp(d.month, 1, 12) - 1);
    return std::to_string(d.day) + " " + std::string(kMonths[Lang(language)][month]) + " " + std::to_string(d.year);
}

std::optional<LabelDate> ParseIsoDate(std::string_view t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
    auto digits = [&](std::size_t from, std::size_t n) -> std::optional<int> {
        int v = 0;
        for (std::size_t i = from; i < from + n; ++i) {
            if (t[i] < '0' || t[i] > '9') return std::nullopt;
            v = v * 10 + (t[i] - '0');
        }
        return v;
    };
    const auto year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1) return std::nullopt;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
    const int days = kDays[*month - 1] + (*month == 2 && leap ? 1 : 0);
    if (*day > days) return std::nullopt;
    return LabelDate{*day, *month, *year};
}

std::string IsoDateText(LabelDate d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

double GoverningCalCm2(const LabelContentInputs& in) {
    return std::max(in.incidentEnergy, in.incidentEnergyReduced) / kJoulePerCal;
}

StandardLabel MakeStandardLabel(const LabelContentInputs& in, std::string_view name,
                                const StandardLabelOptions& o) {
    const Words& w = kWords[Lang(o.language)];
    StandardLabel out;
    out.standard = o.standard;
    out.colour = o.colour;
    out.size = o.size;
    const double cal = GoverningCalCm2(in);
    out.signal = SignalWordFor(cal, in.voltageV, o.dangerAboveVolts);
    out.band = EnergyBandOf(cal);
    out.signalText = out.signal == SignalWord::Danger ? w.danger : w.warning;
    out.hazard = w.hazard;
    out.instruction = out.band == EnergyBand::Above40 ? w.deEnergize : w.ppeRequired;
    out.equipment = {std::string(w.equipment), std::string(name)};

    const bool useReduced = in.method == kEmpiricalMethod &&
                            in.reducedGoverns.value_or(ReducedGoverns(in.incidentEnergy, in.incidentEnergyReduced));
    const std::string& energy = useReduced ? in.energyReduced : in.energy;
    const std::string& boundary = useReduced ? in.boundaryReduced : in.boundary;
    const bool dc = IsDcMethod(in.method);
    out.arcRows.push_back({std::string(w.voltage),
                           in.voltage + " " + std::string(dc ? DcVoltageWord(o.language) : "V")});
    out.arcRows.push_back({std::string(w.boundary), LengthText(boundary, in.units.BoundaryUnit, w)});
    out.arcRows.push_back(
        {std::string(w.energy), energy + " " + std::string(EnergyUnitText(in.units.EnergyUnit)) +
                                    " " + std::string(w.at) + " " +
                                    LengthText(in.workDist, in.units.BoundaryUnit, w)});
    const std::optional<double> rating = MinimumArcRating(cal);
    out.arcRows.push_back({std::string(w.arcRating),
                           rating ? FormatFixed(*rating, 15, 1, o.sep) + " cal/cm²" : std::string(w.noPpe)});

    out.ppe.caption = w.ppe;
    for (PpeItem item : PpeItemsOf(out.band)) out.ppeItems.emplace_back(PpeItemText(item, o.language));
    if (out.ppeItems.empty()) {
        out.ppe.value = w.ppeNone;
    } else {
        for (const std::string& item : out.ppeItems) {
            if (!out.ppe.value.empty()) out.ppe.value += "; ";
            out.ppe.value += item;
        }
    }

    out.shockHeading = w.shock;
    out.shockRows.push_back({std::string(w.limited), ApproachValue(in.limited, in.units.BoundaryUnit, w)});
    out.shockRows.push_back({std::string(w.restricted), ApproachValue(in.restricted, in.units.BoundaryUnit, w)});
    const std::optional<std::string_view> gloves = dc ? GloveClassDc(in.voltageV) : GloveClass(in.voltageV);
    out.shockRows.push_back({std::string(w.gloves), gloves ? std::string(w.glovesClass) + " " + std::string(*gloves)
                                                           : std::string(dc ? w.noGlovesDc : w.noGloves)});

    const bool csa = o.standard == LabelStandard::CsaZ462;
    out.footer.push_back(std::string(csa ? w.assessmentCsa : w.assessment) + ": " +
                         DateInWords(o.assessmentDate, o.language));
    const std::string energyAfter = dc                            ? std::string(DcLabelLine(in.method, o.language))
                                    : in.method == kIeee2018Method ? "IEEE 1584-2018"
                                                                   : "IEEE 1584-2002";
    out.footer.push_back(std::string(w.energyAfter) + " " + energyAfter + " · " + std::string(w.ppeAfter) + " " +
                         (csa ? "CSA Z462-2024" : "NFPA 70E-2024"));
    if (dc && in.voltageV <= 150) out.footer.emplace_back(w.lowRiskDc);
    if (in.device) {
        const LabelDevice& d = *in.device;
        out.footer.push_back(DeviceFooter(d.type, d.relayCurve, useReduced ? d.durationReduced : d.duration,
                                          useReduced ? d.elementReduced : d.element, o.language,
                                          useReduced ? d.seenKaReduced : d.seenKa));
    }
    if (in.lineSide) out.footer.emplace_back(w.lineSide);
    if (in.sectionLineSide) out.footer.emplace_back(*in.sectionLineSide ? w.sectionLine : w.sectionLoad);
    if (!in.scenario.empty()) out.footer.push_back(std::string(w.worstScenario) + ": " + in.scenario);
    return out;
}

}  // namespace zentavo

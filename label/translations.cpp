// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/translations.h"

#include "label/label_settings.h"

namespace zentavo {

const std::array<CaptionWords, 14> kLabelCaptions = {{
    {"Label1", {"Equipment type", "Tipo de equipo", "Type d'Équipement"}},
    {"Label2", {"Grounding", "Tipo de puesta a tierra", "Mise à la Terre"}},
    {"Label3", {"Working distance", "Distancia de trabajo", "Distance de Travail"}},
    {"Label4",
     {"Available 3ph bolted current", "Corriente de defecto disponible",
      "Courant de Faute Disponible"}},
    {"Label5", {"Flash protection boundary", "Límite de protección", "Périmètre de Sécurité"}},
    {"Label6", {"Incident energy at work distance", "Energía incidente", "Énergie Incidente"}},
    {"Label7", {"PPE level", "Categoría del riesgo", "Niveau de EdP"}},
    {"Label17", {"Equipment name", "Nombre del equipo", "Équipement"}},
    {"Label24", {"Limited approach boundary", "Area de acercamiento limitado", "Limite Permise"}},
    {"Label25",
     {"Restricted approach boundary", "Limite de acercamiento restringido", "Accès Restreint"}},
    {"Label27",
     {"Prohibited approach boundary", "Limite de acercamiento prohibido", "Accès Interdit"}},
    {"Label26", {"Initial Pressure", "Presión inicial del arco", "Pression d'Arc Initiale"}},
    {"Label28", {"TNT equivalent", "Equivalente TNT", "Équivalent TNT"}},
    {"Label29", {"Clothing", "Ropa resistente", "Vêtement de Protection Type"}},
}};

const std::array<ClothingLine, 10> kLabelClothing = {{
    {"Label19",
     {"Natural fiber ( cotton / wool ) long sleeve shirt & pants,",
      "Camiseta de manga larga y pantalones de fibras naturales, gafas de seguridad,",
      "Naturelle ( coton/laine ) chemise à manches longues &"},
     {337, 290, 337}},
    {"Label36",
     {"safety glasses, hard hat, V-rated  gloves",
      "casco, tapones auditivos, guantes aislantes y guantes de cuero",
      "pantalons, lunettes de sécurité, casque et gants qualifiés V"},
     {337, 290, 337}},
    {"Label37",
     {"FR shirt and pants, safety glasses,",
      "Camiseta de manga larga y pantalones RF(4), casco con pantalla facial RF(4),",
      "Chemise et pantalons FR, lunettes de sécurité,"},
     {337, 270, 337}},
    {"Label38",
     {"hard hat, V-rated gloves",
      "tapones auditivos, guantes aislantes, guantes de cuero, calzado de cuero",
      "casque, gants qualifiés V"},
     {337, 270, 337}},
    {"Label39",
     {"FR shirt and pants, face shield, hard hat, ear canal inserts,",
      "Camiseta de manga larga y pantalones RF(8), casco con pantalla facial RF(8),",
      "Chemise et pantalons FR, visière, casque, bouche-oreilles,"},
     {337, 270, 337}},
    {"Label40",
     {"V-rated and leather gloves,  leather work shoes",
      "tapones auditivos, guantes aislantes, guantes de cuero, calzado de piel",
      "gants de cuir et gants qualifié V, souliers de sécurité en cuir"},
     {337, 270, 337}},
    {"Label41",
     {"FR coverall over FR shirt and pants, flash suit hood, ear",
      "Mono RF por encima de camiseta de manga larga y pantalones RF(25), capucha RF(25),",
      "Combinaison sur chemise et pantalons FR, cagoule, bouche-oreilles,"},
     {337, 270, 337}},
    {"Label42",
     {"canal inserts, V-rated and leather  gloves, leather work shoes",
      "tapones auditivos, guantes aislantes, guantes RF(25), calzado de cuero",
      "gants de cuir et gants qualifiés V, souliers de sécurité en cuir"},
     {337, 270, 337}},
    {"Label43",
     {"Flash suit over FR coverall over FR shirt and pants, flash suit hood,",
      "Mono RF por encima de camiseta de manga larga y pantalones RF(40), capucha RF(40),",
      "Habit de protection sur combinaison FR sur chemise et pantalons, cagoule, "},
     {337, 270, 330}},
    {"Label44",
     {"ear canal inserts, V-rated  and leather gloves, leather work shoes",
      "tapones auditivos, guantes aislantes, guantes RF(40), calzado de cuero",
      "bouche-oreilles, gants de cuir et gants qualifiés V, souliers de sécurité en cuir"},
     {337, 270, 330}},
}};

std::string ClassWord(std::string_view c, int language) {
    struct Words {
        std::string_view english, spanish, french;
    };
    static constexpr Words kClasses[] = {
        {"Open air", "Aire libre", "À l'Air Libre"},
        {"Switchgear", "Interruptor", "Appareillage"},
        {"MCC and Panels", "Armario eléctrico", "CCM et Panneaux"},
        {"Cable", "Cable", "Cable"},
    };
    if (language == kSpanish || language == kFrench) {
        for (const auto& w : kClasses) {
            if (c == w.english) return std::string(language == kSpanish ? w.spanish : w.french);
        }
    }
    return std::string(c);
}

std::string GroundingWord(std::string_view g, int language) {
    const bool grounded = g == "Grounded";
    switch (language) {
        case kSpanish: return grounded ? "Conectado a tierra ( TT )" : "Desconectado a tierra";
        case kFrench: return grounded ? "Mis à la terre" : "Non mis à la terre";
        default: return std::string(g);
    }
}

std::string LengthUnitWord(LengthUnit unit, int language) {
    if (unit == LengthUnit::Inches) {
        if (language == kSpanish) return "pulgadas";
        if (language == kFrench) return "pouce";
    }
    return std::string(UnitWord(unit));
}

std::string DeviceFooter(DeviceType type, std::optional<RelayCurve> relayCurve, std::string_view duration,
                         DeviceElement element, int language, std::string_view seenKa) {
    struct Words {
        std::array<std::string_view, 4> devices;  // as DeviceType
        std::string_view colon, arcDuration, exposureLimitedTo, at;
        std::array<std::string_view, 11> elements;  // as DeviceElement
    };
    // clang-format off
    static constexpr Words kWords[3] = {
        {{"Relay", "Trip unit", "Fuse", "Arc-flash relay"}, ": ", "arc duration", "exposure limited to", "at",
         {"does not operate", "instantaneous", "short time", "long time", "inverse", "definite time",
          "curve", "capped", "arc-flash relay", "zone-selective interlocking", "bus differential"}},
        {{"Relé", "Unidad de disparo", "Fusible", "Relé de arco eléctrico"}, ": ", "duración del arco", "exposición limitada a", "a",
         {"no actúa", "instantáneo", "tiempo corto", "tiempo largo", "inverso", "tiempo definido",
          "curva", "limitada", "relé de arco eléctrico", "enclavamiento selectivo de zona",
          "diferencial de barras"}},
        {{"Relais", "Déclencheur", "Fusible", "Relais d'arc électrique"}, " : ", "durée d'arc", "exposition limitée à", "à",
         {"n'agit pas", "instantané", "temps court", "temps long", "inverse", "temps indépendant",
          "courbe", "plafonnée", "relais d'arc électrique", "sélectivité logique",
          "différentielle de barres"}},
    };
    // clang-format on
    const Words& w = kWords[language == kSpanish || language == kFrench ? language : kEnglish];
    std::string out(w.devices[static_cast<std::size_t>(type)]);
    if (type == DeviceType::Relay && relayCurve) {
        out += ' ';
        out += kRelayCurveWords[static_cast<std::size_t>(*relayCurve)];
    }
    // A capped duration names the current the device saw: "Trip unit at
    // 26.644 kA: exposure limited to 2 s".
    if (element == DeviceElement::Capped && !seenKa.empty()) {
        out += ' ';
        out += w.at;
        out += ' ';
        out += seenKa;
        out += " kA";
    }
    out += w.colon;
    if (element == DeviceElement::Capped) {
        // IEEE 1584-2018's 2 s (or the maximum the engineer set) limits how
        // long a person is taken to stay exposed, not the arc.
        out += w.exposureLimitedTo;
        out += ' ';
        out += duration;
        out += " s";
    } else {
        out += w.arcDuration;
        out += ' ';
        out += duration;
        out += " s (";
        out += w.elements[static_cast<std::size_t>(element)];
        out += ')';
    }
    return out;
}

}  // namespace zentavo

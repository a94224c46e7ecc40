// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "label/content.h"
#include "label/label_settings.h"
#include "label/layout.h"
#include "label/sheet.h"
#include "label/translations.h"

namespace zentavo {
namespace {

LabelSettings Settings(std::initializer_list<int> checkedRows, int userRows = 0,
                       std::initializer_list<int> checkedUserRows = {}) {
    LabelSettings s = DefaultLabelSettings();
    for (std::size_t k = kEntryEquipmentType; k <= kEntryClothing; ++k) s.ContentItems[k].Checked = false;
    for (int k : checkedRows) s.ContentItems[static_cast<std::size_t>(k)].Checked = true;
    for (int i = 0; i < userRows; ++i) s.ContentItems.push_back({"User " + std::to_string(i + 1), false, false});
    for (int k : checkedUserRows) s.ContentItems[static_cast<std::size_t>(k)].Checked = true;
    s.LabelLineCount = CountLabelLines(s.ContentItems);
    return s;
}

const LabelDate kToday{7, 12, 2026};

TEST(LabelSettings, StartStatesCountSevenRows) {
    const LabelSettings s = DefaultLabelSettings();
    ASSERT_EQ(s.ContentItems.size(), 17u);
    EXPECT_EQ(s.LabelLineCount, 7);
    EXPECT_TRUE(s.ContentItems[0].Locked && s.ContentItems[1].Locked);
    EXPECT_EQ(CountLabelLines(Settings({}).ContentItems), 0);
    EXPECT_EQ(CountLabelLines(Settings({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 2, {17, 18}).ContentItems), 15);
    // The name and the date are not rows.
    LabelSettings named = Settings({13});
    named.ContentItems[kEntryEquipmentName].Checked = true;
    named.ContentItems[kEntryDate].Checked = true;
    EXPECT_EQ(CountLabelLines(named.ContentItems), 1);
    EXPECT_EQ(CountLabelLines(Settings({13}, 2, {}).ContentItems), 1);  // user rows unchecked
}

TEST(LabelLayout, StartStatesStackTheRowsFrom190) {
    const LabelLayout l = LayoutLabel(DefaultLabelSettings(), kToday, "", "");
    const char* rows[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7"};
    const char* values[] = {"Label10", "Label11", "Label12", "Label13", "Label14", "Label15", "Label16"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(l.places.at(rows[i]).visible) << rows[i];
        EXPECT_EQ(l.places.at(rows[i]).top, 190 + 32 * i) << rows[i];
        EXPECT_EQ(l.places.at(values[i]).top, 190 + 32 * i) << values[i];
        EXPECT_EQ(l.places.at(rows[i]).fontPt, 14);
        EXPECT_EQ(l.places.at(values[i]).left, 337);
    }
    EXPECT_EQ(l.places.at("Label20").left, 429);
    for (const char* hidden : {"Label24", "Label30", "Label26", "Label33", "Label29", "Label35", "Label22"}) {
        EXPECT_FALSE(l.places.at(hidden).visible) << hidden;
    }
    EXPECT_FALSE(l.places.at("Label21").visible);  // no date
    EXPECT_TRUE(l.places.at("Label17").visible && l.places.at("Label18").visible);
    EXPECT_EQ(l.places.at("Label17").top, 414);
    EXPECT_EQ(l.places.at("Label18").fontPt, 10);
    EXPECT_EQ(l.places.at("Label21").fontPt, 8);
    EXPECT_EQ(l.texts.at("Label21"), "7.12.2026");
    EXPECT_EQ(l.picture, 0);
    for (const char* red : {"Label14", "Label15", "Label16"}) EXPECT_TRUE(l.places.at(red).red);
    EXPECT_FALSE(l.places.at("Label13").red);
    EXPECT_FALSE(l.row1.enabled || l.row2.enabled);
}

TEST(LabelLayout, RowStepAndFontFollowTheRowCount) {
    const RowMetrics expected[] = {{84, 14}, {84, 14}, {84, 14}, {84, 14}, {60, 14}, {48, 14},
                                   {38, 14}, {32, 14}, {27, 12}, {24, 12}, {22, 12}, {20, 12},
                                   {18, 10}, {17, 10}, {15, 10}, {14, 8},  {14, 8}};
    for (unsigned n = 0; n < 17; ++n) {
        EXPECT_EQ(RowMetricsFor(n).step, expected[n].step) << n;
        EXPECT_EQ(RowMetricsFor(n).fontPt, expected[n].fontPt) << n;
    }
}

TEST(LabelLayout, FifteenRowsWithBothUserRows) {
    LabelSettings s = Settings({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 2, {17, 18});
    const LabelLayout l = LayoutLabel(s, kToday, "v1", "v2");
    EXPECT_EQ(l.places.at("Label29").top, 358);
    EXPECT_EQ(l.places.at("Label29").fontPt, 8);
    EXPECT_EQ(l.places.at("Label22").top, 374);
    EXPECT_EQ(l.places.at("Label47").top, 375);
    EXPECT_EQ(l.places.at("Label23").top, 388);
    EXPECT_EQ(l.places.at("Label48").top, 388);
    EXPECT_EQ(l.texts.at("Label22"), "User 1");
    EXPECT_EQ(l.texts.at("Label48"), "v2");
    EXPECT_TRUE(l.row1.enabled && l.row2.enabled);
    EXPECT_EQ(l.row1.title, "User 1");
    EXPECT_EQ(l.row2.value, "v2");
}

TEST(LabelLayout, FourteenRowsRaiseThePpeValue) {
    LabelSettings s = Settings({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 1, {17});
    ASSERT_EQ(s.LabelLineCount, 14);
    const LabelLayout l = LayoutLabel(s, kToday, "", "");
    EXPECT_EQ(l.places.at("Label16").top, l.places.at("Label7").top - 2);
    EXPECT_EQ(l.places.at("Label7").fontPt, 10);
}

TEST(LabelLayout, OnlyThePpeRow) {
    const LabelLayout l = LayoutLabel(Settings({13}), kToday, "", "");
    EXPECT_EQ(l.places.at("Label7").top, 190);
    EXPECT_EQ(l.places.at("Label7").fontPt, 14);
    EXPECT_FALSE(l.places.at("Label1").visible);
}

TEST(LabelLayout, UncheckedUserRowLeavesNoTrace) {
    // A second user row that is checked moves up when the first is not.
    const LabelLayout l = LayoutLabel(Settings({13}, 2, {18}), kToday, "stale", "kept");
    EXPECT_FALSE(l.places.at("Label22").visible || l.places.at("Label47").visible);
    EXPECT_FALSE(l.row1.enabled);
    EXPECT_EQ(l.row1.value, "");
    EXPECT_EQ(l.places.at("Label23").top, 190 + 84 + 2);
    EXPECT_EQ(l.row2.value, "kept");
}

TEST(LabelLayout, PictureAndColoursByTypeAndLanguage) {
    for (int language : {0, 1, 2}) {
        for (bool colour : {true, false}) {
            LabelSettings s = DefaultLabelSettings();
            s.LabelLanguage = language;
            s.LabelInColor = colour;
            const LabelLayout l = LayoutLabel(s, kToday, "", "");
            EXPECT_EQ(l.picture, language * 2 + (colour ? 0 : 1));
            EXPECT_EQ(l.places.at("Label15").red, colour);
            EXPECT_EQ(l.places.at("Label37").left, language == kSpanish ? 270 : 337);
        }
    }
    LabelSettings french = DefaultLabelSettings();
    french.LabelLanguage = kFrench;
    const LabelLayout l = LayoutLabel(french, {1, 3, 2027}, "", "");
    EXPECT_EQ(l.texts.at("Label43"), "Habit de protection sur combinaison FR sur chemise et pantalons, cagoule, ");
    EXPECT_EQ(l.places.at("Label43").left, 330);
    EXPECT_EQ(l.texts.at("Label21"), "1.3.2027");
}

LabelContentInputs Empirical() {
    LabelContentInputs in;
    in.method = kEmpiricalMethod;
    in.equipmentClass = "Switchgear";
    in.grounding = "Grounded";
    in.workDist = "17.9";
    in.boltedCurrent = "20";
    in.voltage = "480";
    in.energy = "7.34", in.energyReduced = "7.69";
    in.boundary = "61", in.boundaryReduced = "63";
    in.ppe = "2", in.ppeReduced = "3";
    in.limited = "42", in.restricted = "12", in.prohibited = "Avoid contact";
    in.pressure = "91", in.pressureReduced = "77";
    in.tnt = "0.2", in.tntReduced = "0.3";
    in.incidentEnergy = 30.7, in.incidentEnergyReduced = 32.2;
    in.ppeIndex = 2, in.ppeIndexReduced = 3;
    in.arcPressure = 91, in.arcPressureReduced = 77;
    in.tntEquivalent = 0.2, in.tntEquivalentReduced = 0.3;
    in.voltageV = 480, in.gapMm = 32;
    in.clothingCaptionTop = 318;
    return in;
}

TEST(LabelContent, TheLargerHazardGoverns) {
    LabelContentInputs in = Empirical();
    LabelContent c = MakeLabelContent(in);
    EXPECT_EQ(c.texts.at("Label10"), "480 V ");
    EXPECT_EQ(c.texts.at("Label14"), "63 inches");
    EXPECT_EQ(c.texts.at("Label15"), "7.69 cal/cm2");
    EXPECT_EQ(c.texts.at("Label16"), "3");
    EXPECT_EQ(c.texts.at("Label33"), "91 lb/ft2");  // larger pressure at full current
    EXPECT_EQ(c.texts.at("Label34"), "0.3 kg");     // larger TNT at reduced current
    EXPECT_EQ(c.texts.at("Label31"), "12 inches");
    EXPECT_EQ(c.texts.at("Label32"), "Avoid contact inches");

    // Equal energies and levels: the full case; equal pressures: the reduced text.
    in.incidentEnergyReduced = in.incidentEnergy;
    in.ppeIndexReduced = in.ppeIndex;
    in.arcPressureReduced = in.arcPressure;
    c = MakeLabelContent(in);
    EXPECT_EQ(c.texts.at("Label15"), "7.34 cal/cm2");
    EXPECT_EQ(c.texts.at("Label16"), "2");
    EXPECT_EQ(c.texts.at("Label33"), "77 lb/ft2");
}

// A point whose durations came from a protective device: the footer names
// the device, then the duration and element (or the cap) of the case whose
// energy the label shows, in the label's language. Empirical(): the reduced
// case governs. Without a device the layout's footer stays.
TEST(LabelContent, DeviceFooterNamesTheDurationOfTheLabelsCase) {
    struct Case {
        int language;
        DeviceType type;
        std::optional<RelayCurve> curve;
        const char* duration;  // the reduced case's, as the results write it
        DeviceElement element;
        const char* footer;
        const char* seen = "";  // a capped duration's current the device saw
    };
    using E = DeviceElement;
    // clang-format off
    const Case cases[] = {
        {kEnglish, DeviceType::Relay,     RelayCurve::IecSI,  "0.319",  E::DefiniteTime,  "Relay IEC-SI: arc duration 0.319 s (definite time)"},
        {kEnglish, DeviceType::FuseCurve, std::nullopt,       "2",      E::Capped,        "Fuse: exposure limited to 2 s"},
        {kEnglish, DeviceType::TripUnit,  std::nullopt,       "2",      E::Capped,        "Trip unit at 26.644 kA: exposure limited to 2 s", "26.644"},
        {kSpanish, DeviceType::Relay,     RelayCurve::IecSI,  "2",      E::Capped,        "Relé IEC-SI a 1,5 kA: exposición limitada a 2 s", "1,5"},
        {kFrench,  DeviceType::FuseCurve, std::nullopt,       "2",      E::Capped,        "Fusible à 0,3 kA : exposition limitée à 2 s", "0,3"},
        {kEnglish, DeviceType::TripUnit,  std::nullopt,       "0.05",   E::Instantaneous, "Trip unit: arc duration 0.05 s (instantaneous)", "26.644"},
        {kEnglish, DeviceType::TripUnit,  std::nullopt,       "11",     E::LongTime,      "Trip unit: arc duration 11 s (long time)"},
        {kSpanish, DeviceType::TripUnit,  std::nullopt,       "0,33",   E::ShortTime,     "Unidad de disparo: duración del arco 0,33 s (tiempo corto)"},
        {kSpanish, DeviceType::Relay,     RelayCurve::DT,     "2",      E::Capped,        "Relé DT: exposición limitada a 2 s"},
        {kSpanish, DeviceType::FuseCurve, std::nullopt,       "0,01",   E::Curve,         "Fusible: duración del arco 0,01 s (curva)"},
        {kFrench,  DeviceType::FuseCurve, std::nullopt,       "1,5",    E::Capped,        "Fusible : exposition limitée à 1,5 s"},
        {kFrench,  DeviceType::Relay,     RelayCurve::IeeeVI, "1,1096", E::Inverse,       "Relais IEEE-VI : durée d'arc 1,1096 s (inverse)"},
        {kFrench,  DeviceType::TripUnit,  std::nullopt,       "0,05",   E::Instantaneous, "Déclencheur : durée d'arc 0,05 s (instantané)"},
    };
    // clang-format on
    for (const Case& k : cases) {
        LabelContentInputs in = Empirical();
        in.language = k.language;
        in.device = LabelDevice{k.type, k.curve, "0.0613", k.duration, E::Instantaneous, k.element, "", k.seen};
        EXPECT_EQ(MakeLabelContent(in).texts.at("Label9"), k.footer);
    }
    // The full case governs: its duration. A 2018 label shows one case, the
    // full case's place holding the governing one, whatever the numbers.
    LabelContentInputs in = Empirical();
    in.device = LabelDevice{DeviceType::Relay, RelayCurve::DT, "0.0613", "0.319", E::Instantaneous, E::DefiniteTime};
    in.incidentEnergyReduced = in.incidentEnergy / 2;
    EXPECT_EQ(MakeLabelContent(in).texts.at("Label9"), "Relay DT: arc duration 0.0613 s (instantaneous)");
    in = Empirical();
    in.method = kIeee2018Method;
    in.device = LabelDevice{DeviceType::Relay, RelayCurve::DT, "0.319", "", E::DefiniteTime, E::DoesNotOperate};
    EXPECT_EQ(MakeLabelContent(in).texts.at("Label9"), "Relay DT: arc duration 0.319 s (definite time)");
    in.device.reset();
    EXPECT_EQ(MakeLabelContent(in).texts.count("Label9"), 0u);
}

TEST(LabelContent, PressureAndTntOnlyWhereComputed) {
    struct Case {
        int method;
        double voltage, gap, pressure, tnt, tntReduced;
        bool pressureNa, tntNa;
    } cases[] = {
        {kEmpiricalMethod, 15000, 152, 91, 0.2, 0.3, false, false},
        {kEmpiricalMethod, 15000.1, 32, 91, 0.2, 0.3, true, true},
        {kEmpiricalMethod, 480, 152.1, 91, 0.2, 0.3, true, true},
        {kEmpiricalMethod, 480, 32, 0, 0.2, 0.3, true, false},  // no full-current pressure
        {kEmpiricalMethod, 480, 32, 91, 0, 0, false, true},
        {kFuseMethod, 600, 32, 91, 0.2, 0.3, true, true},
        {kBreakerMethod, 480, 25, 0, 0, 0, true, true},
    };
    for (const Case& k : cases) {
        LabelContentInputs in = Empirical();
        in.method = k.method;
        in.voltageV = k.voltage, in.gapMm = k.gap;
        in.arcPressure = k.pressure;
        in.tntEquivalent = k.tnt, in.tntEquivalentReduced = k.tntReduced;
        const LabelContent c = MakeLabelContent(in);
        EXPECT_EQ(c.texts.at("Label33") == "N/A", k.pressureNa) << k.method << " " << k.voltage;
        EXPECT_EQ(c.texts.at("Label34") == "N/A", k.tntNa) << k.method << " " << k.voltage;
    }
    // The fuse and breaker paths show the full case whatever the reduced fields hold.
    LabelContentInputs fuse = Empirical();
    fuse.method = kFuseMethod;
    fuse.ppeIndexReduced = -1;
    const LabelContent c = MakeLabelContent(fuse);
    EXPECT_EQ(c.texts.at("Label15"), "7.34 cal/cm2");
    EXPECT_EQ(c.texts.at("Label16"), "2");
}

TEST(LabelContent, SpanishComparesPressureAndTntLikeTheOthers) {
    LabelContentInputs in = Empirical();  // reduced case governs
    for (int language : {kEnglish, kSpanish, kFrench}) {
        in.language = language;
        const LabelContent c = MakeLabelContent(in);
        EXPECT_EQ(c.texts.at("Label33"), "91 lb/ft2") << language;
    }
}

TEST(LabelContent, WordsOfEachLanguage) {
    struct Case {
        int language;
        const char* caption5;
        const char* classWord;
        const char* grounding;
        const char* ungrounded;
        const char* boundary;
    } cases[] = {
        {kEnglish, "Flash protection boundary", "Switchgear", "Grounded", "ungrounded", "63 inches"},
        {kSpanish, "Límite de protección", "Interruptor", "Conectado a tierra ( TT )",
         "Desconectado a tierra", "63 pulgadas"},
        {kFrench, "Périmètre de Sécurité", "Appareillage", "Mis à la terre", "Non mis à la terre",
         "63 pouce"},
    };
    for (const Case& k : cases) {
        LabelContentInputs in = Empirical();
        in.language = k.language;
        LabelContent c = MakeLabelContent(in);
        EXPECT_EQ(c.texts.at("Label5"), k.caption5);
        EXPECT_EQ(c.texts.at("Label20"), k.classWord);
        EXPECT_EQ(c.texts.at("Label11"), k.grounding);
        EXPECT_EQ(c.texts.at("Label14"), k.boundary);
        in.grounding = "ungrounded";
        EXPECT_EQ(MakeLabelContent(in).texts.at("Label11"), k.ungrounded);
    }
    EXPECT_EQ(ClassWord("Please select a class", kSpanish), "Please select a class");
    EXPECT_EQ(ClassWord("Open air", kFrench), "À l'Air Libre");
    EXPECT_EQ(LengthUnitWord(LengthUnit::Millimetres, kSpanish), "mm");
    LabelContentInputs french = Empirical();
    french.language = kFrench;
    EXPECT_EQ(MakeLabelContent(french).texts.at("Label1"), "Type d'Équipement");
}

// The mended words of the tables, each where the label shows it.
TEST(LabelContent, MendedWords) {
    struct Case {
        int language;
        const char* slot;
        const char* text;
    } cases[] = {
        {kSpanish, "Label3", "Distancia de trabajo"},
        {kFrench, "Label5", "Périmètre de Sécurité"},
        {kFrench, "Label25", "Accès Restreint"},
        {kFrench, "Label27", "Accès Interdit"},
        {kFrench, "Label29", "Vêtement de Protection Type"},
        {kFrench, "Label1", "Type d'Équipement"},
        {kFrench, "Label26", "Pression d'Arc Initiale"},
    };
    for (const Case& k : cases) {
        LabelContentInputs in = Empirical();
        in.language = k.language;
        EXPECT_EQ(MakeLabelContent(in).texts.at(k.slot), k.text) << k.slot;
    }
    LabelContentInputs spanish = Empirical();
    spanish.language = kSpanish;
    spanish.grounding = "ungrounded";
    EXPECT_EQ(MakeLabelContent(spanish).texts.at("Label11"), "Desconectado a tierra");
    EXPECT_EQ(kLabelClothing[4].text[kFrench], "Chemise et pantalons FR, visière, casque, bouche-oreilles,");
    // No backquote for an apostrophe and no "hard had" anywhere on a label.
    for (const CaptionWords& c : kLabelCaptions) {
        for (std::string_view w : c.words) EXPECT_EQ(w.find('`'), std::string_view::npos) << w;
    }
    int hats = 0;
    for (const ClothingLine& line : kLabelClothing) {
        EXPECT_EQ(line.text[kEnglish].find("hard had"), std::string_view::npos) << line.text[kEnglish];
        hats += line.text[kEnglish].find("hard hat") != std::string_view::npos;
    }
    EXPECT_EQ(hats, 3);
    EXPECT_EQ(ClassWord("Open air", kFrench).find('`'), std::string::npos);
}

// "N/A" in the results window stands alone on the label, without a unit word.
TEST(LabelContent, NotAvailableCarriesNoUnit) {
    LabelContentInputs in = Empirical();
    in.tnt = in.tntReduced = "N/A";
    in.pressureReduced = "N/A";
    in.arcPressure = 50;  // the reduced pressure is the larger: its text is taken
    const LabelContent c = MakeLabelContent(in);
    EXPECT_EQ(c.texts.at("Label34"), "N/A");
    EXPECT_EQ(c.texts.at("Label33"), "N/A");
    in.tnt = "0.2";
    in.tntEquivalent = 0.4;
    EXPECT_EQ(MakeLabelContent(in).texts.at("Label34"), "0.2 kg");
}

TEST(LabelContent, ClothingPairOfTheHigherLevel) {
    for (int level = 0; level <= 5; ++level) {
        LabelContentInputs in = Empirical();
        in.clothingChecked = true;
        in.ppeIndex = level;
        in.ppeIndexReduced = level > 0 ? level - 1 : -1;
        const LabelContent c = MakeLabelContent(in);
        ASSERT_TRUE(c.labelPpeIndex.has_value());
        EXPECT_EQ(*c.labelPpeIndex, level);
        int shown = 0;
        for (int i = 0; i < 10; ++i) {
            const ClothingSlot& slot = c.clothing.at(std::string(kClothingSlots[i]));
            shown += slot.visible;
            if (slot.visible) {
                EXPECT_EQ(i / 2, level);
            }
            EXPECT_EQ(slot.top, i % 2 == 0 ? 315 : 324);
            EXPECT_EQ(slot.fontPt, 7);
        }
        EXPECT_EQ(shown, level < 5 ? 2 : 0);
        EXPECT_EQ(*c.clothingNaShown, level == 5);
    }
    LabelContentInputs spanish = Empirical();
    spanish.language = kSpanish;
    EXPECT_EQ(MakeLabelContent(spanish).clothing.at("Label36").top, 325);
    LabelContentInputs off = Empirical();
    const LabelContent c = MakeLabelContent(off);
    EXPECT_FALSE(c.labelPpeIndex.has_value());
    EXPECT_FALSE(c.clothingNaShown.has_value());
}

}  // namespace
}  // namespace zentavo

namespace zentavo {
namespace {

// A label made without any window: laid out, filled, named, in one step.
TEST(LabelSheet, ComposedLikeThePreview) {
    LabelSettings s = Settings({2, 9, 10, 13, 14}, 1, {17});
    s.LabelLanguage = kSpanish;
    LabelContentInputs in = Empirical();
    in.clothingCaptionTop = 0;  // taken from the layout
    const LabelSheet sheet = ComposeLabel(s, kToday, in, {"MCC-1", "F-12", "unused"});
    const int caption = 190 + 4 * RowMetricsFor(6).step;
    EXPECT_EQ(sheet.at("Label29").place.top, caption);
    EXPECT_TRUE(sheet.at("Label41").place.visible);  // level 3 of the reduced case
    EXPECT_EQ(sheet.at("Label41").place.top, caption - 3);
    EXPECT_EQ(sheet.at("Label42").place.top, caption + 7);
    EXPECT_FALSE(sheet.at("Label41").place.bold);
    EXPECT_FALSE(sheet.at("Label35").place.visible);
    EXPECT_EQ(sheet.at("Label18").text, "MCC-1");
    EXPECT_EQ(sheet.at("Label47").text, "F-12");
    EXPECT_FALSE(sheet.at("Label48").place.visible);
    EXPECT_EQ(sheet.at("Label1").text, "Tipo de equipo");
    EXPECT_EQ(sheet.at("Label22").text, "User 1");
    EXPECT_EQ(sheet.picture, 2);
    EXPECT_THROW(sheet.at("Label99"), std::out_of_range);

    // Beyond level 4 the clothing row says "N/A"; without the clothing row
    // the layout's choice stands.
    in.ppeIndex = in.ppeIndexReduced = 5;
    EXPECT_TRUE(ComposeLabel(s, kToday, in, {}).at("Label35").place.visible);
    s.ContentItems[kEntryClothing].Checked = false;
    s.LabelLineCount = CountLabelLines(s.ContentItems);
    const LabelSheet off = ComposeLabel(s, kToday, in, {});
    EXPECT_FALSE(off.at("Label35").place.visible);
    EXPECT_FALSE(off.at("Label43").place.visible);
}

// The name keeps its first 30 characters; a character of two, three or four
// bytes counts once and is never split.
TEST(EquipmentName, KeepsThirtyCharactersWholeCharactersOnly) {
    struct Case {
        std::string name;
        std::size_t end;
    };
    const std::string a29(29, 'a'), a30(30, 'a');
    const Case cases[] = {
        {"", 0},
        {"MCC-1", 5},
        {a29, 29},
        {a30, 30},
        {a30 + "b", 30},
        {a29 + "\xC3\xA9", 31},             // "é" as the 30th character: kept whole
        {a29 + "\xC3\xA9x", 31},            // the 31st character cut
        {a29 + "\xE2\x82\xAC\xE2\x82\xAC", 32},  // "€€": the first kept, the second cut
        {a29 + "\xF0\x9F\x94\xA5!", 33},     // four bytes counted once
        {std::string(30, 'x') + "\xF0\x9F\x94\xA5", 30},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EquipmentNameEnd(c.name), c.end) << c.name;
    }
    // Thirty characters of two bytes each: 60 bytes kept, the 31st cut.
    std::string accents;
    for (int i = 0; i < 31; ++i) accents += "\xC3\xA9";
    EXPECT_EQ(EquipmentNameEnd(accents), 60u);
    EXPECT_EQ(EquipmentNameEnd(accents, 1), 2u);
}

// The cut never splits a symbol as the reader sees it: a letter with its
// combining accents, a flag (two regional indicators), an emoji with its skin
// tone, variation selector, keycap or joined emoji, a tag flag, a Hangul
// syllable of jamo. Byte ends counted by hand from the UTF-8 of each symbol.
TEST(EquipmentName, NeverSplitsASymbol) {
    struct Case {
        const char* what;
        std::string tail;  // after 29 plain letters: the 30th symbol and what follows
        std::size_t end;
    };
    const std::string a29(29, 'a');
    const std::string fr = "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7";  // U+1F1EB U+1F1F7, 8 bytes
    const std::string de = "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA";  // U+1F1E9 U+1F1EA
    const std::string zwj = "\xE2\x80\x8D";                           // U+200D, 3 bytes
    const std::string man = "\xF0\x9F\x91\xA8", woman = "\xF0\x9F\x91\xA9", girl = "\xF0\x9F\x91\xA7";
    // clang-format off
    const Case cases[] = {
        {"French flag as the 30th",          fr,                                          29 + 8},
        {"a second flag cut",                fr + de,                                     29 + 8},
        {"three indicators: flag, then one", fr + "\xF0\x9F\x87\xA9",                    29 + 8},
        {"e and combining acute",            "e\xCC\x81x",                                29 + 3},
        {"two combining marks",              "o\xCC\x88\xCC\x81x",                        29 + 5},
        {"mark after the 30th letter",       "a\xCC\x81",                                 29 + 3},
        {"thumb with skin tone",             "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD!",          29 + 8},
        {"heart with variation selector",    "\xE2\x9D\xA4\xEF\xB8\x8F!",                  29 + 6},
        {"keycap one",                       "1\xEF\xB8\x8F\xE2\x83\xA3!",                  29 + 7},
        {"family joined by ZWJ",             man + zwj + woman + zwj + girl + "!",        29 + 18},
        {"ZWJ before a letter joins nothing", "a" + zwj + "b",                            29 + 4},
        {"flag of Scotland (tags)",          "\xF0\x9F\x8F\xB4\xF3\xA0\x81\xA7\xF3\xA0\x81\xA2\xF3\xA0\x81\xB3"
                                             "\xF3\xA0\x81\xA3\xF3\xA0\x81\xB4\xF3\xA0\x81\xBF!", 29 + 28},
        {"Hangul syllable of three jamo",    "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB!",       29 + 9},
        {"Hangul LV syllable and a T jamo",  "\xED\x95\x98\xE1\x86\xAB!",                  29 + 6},
        {"CR LF together",                   "\r\nx",                                     29 + 2},
        {"invalid byte, its continuations",  "\xFF\x81\x82x",                              29 + 3},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(EquipmentNameEnd(a29 + c.tail), c.end) << c.what;
    }
    // Thirty flags: all kept, a 31st cut.
    std::string flags;
    for (int i = 0; i < 31; ++i) flags += fr;
    EXPECT_EQ(EquipmentNameEnd(flags), 30u * 8);
}

}  // namespace
}  // namespace zentavo

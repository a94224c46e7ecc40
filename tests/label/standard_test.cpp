// SPDX-License-Identifier: GPL-3.0-or-later
// The labels after NFPA 70E and CSA Z462: the signal word, the minimum arc
// rating and the PPE of each energy band of Table 130.5(G), the same items in
// every language; the glove class by voltage; the assessment date in words.
#include "label/standard.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/units.h"

namespace zentavo {
namespace {

// A 2018 point of `calCm2` at `volts`, its texts as the results write them.
LabelContentInputs Point(double calCm2, double volts = 480) {
    LabelContentInputs in;
    in.method = kIeee2018Method;
    in.voltage = std::to_string(static_cast<int>(volts));
    in.voltageV = volts;
    in.incidentEnergy = calCm2 * kJoulePerCal;
    in.energy = "E";
    in.boundary = "B";
    in.workDist = "17.9";
    in.limited = "42";
    in.restricted = "Avoid contact";
    return in;
}

StandardLabel Label(double calCm2, int language, LabelStandard standard = LabelStandard::Nfpa70e,
                    double volts = 480) {
    StandardLabelOptions o;
    o.standard = standard;
    o.language = language;
    o.assessmentDate = {9, 12, 2026};
    return MakeStandardLabel(Point(calCm2, volts), "SWG-1", o);
}

// Each band at its bounds and just past them (an energy printed rounded up
// into the next band takes that band), in both standards and the three
// languages: the signal word, the minimum arc rating, the items.
TEST(StandardLabel, EachBandInEveryLanguage) {
    struct Case {
        double calCm2;
        EnergyBand band;
        const char* rating;  // the English minimum arc rating row
        std::size_t items;   // of Table 130.5(G)'s row for the band
    };
    // clang-format off
    const Case cases[] = {
        {0.25,    EnergyBand::Below1_2, "0.3 cal/cm²",  4},
        {1.194,   EnergyBand::Below1_2, "1.2 cal/cm²",  4},
        {1.1996,  EnergyBand::To12,     "1.2 cal/cm²",  7},  // printed 1.20
        {1.2,     EnergyBand::To12,     "1.2 cal/cm²",  7},
        {8.6,     EnergyBand::To12,     "8.6 cal/cm²",  7},
        {8.61,    EnergyBand::To12,     "8.7 cal/cm²",  7},
        {12,      EnergyBand::To12,     "12.0 cal/cm²", 7},
        {12.004,  EnergyBand::To40,     "12.1 cal/cm²", 6},  // printed 12.00, above 12
        {40,      EnergyBand::To40,     "40.0 cal/cm²", 6},
        {40.0001, EnergyBand::Above40,  "No PPE is adequate — de-energize", 0},
        {179.07,  EnergyBand::Above40,  "No PPE is adequate — de-energize", 0},
    };
    // clang-format on
    const char* const warning[3] = {"WARNING", "ADVERTENCIA", "AVERTISSEMENT"};
    const char* const danger[3] = {"DANGER", "PELIGRO", "DANGER"};
    for (const Case& c : cases) {
        for (LabelStandard standard : {LabelStandard::Nfpa70e, LabelStandard::CsaZ462}) {
            std::vector<std::string> english;
            for (int lang : {kEnglish, kSpanish, kFrench}) {
                SCOPED_TRACE(std::to_string(c.calCm2) + " cal/cm2, language " + std::to_string(lang));
                const StandardLabel l = Label(c.calCm2, lang, standard);
                EXPECT_EQ(l.band, c.band);
                const bool above40 = c.band == EnergyBand::Above40;
                EXPECT_EQ(l.signalText, above40 ? danger[lang] : warning[lang]);
                ASSERT_EQ(l.arcRows.size(), 4u);
                if (lang == kEnglish) {
                    EXPECT_EQ(l.arcRows[0].value, "480 V");
                    EXPECT_EQ(l.arcRows[2].value, "E cal/cm² at 17.9 in");
                    EXPECT_EQ(l.arcRows[3].value, c.rating);
                    english = l.ppeItems;
                } else {
                    // The same items, each in the language's words.
                    ASSERT_EQ(l.ppeItems.size(), english.size());
                    for (std::size_t i = 0; i < english.size(); ++i) EXPECT_NE(l.ppeItems[i], english[i]);
                    EXPECT_EQ(l.arcRows[3].value.find("cal/cm²") != std::string::npos, !above40);
                }
                EXPECT_EQ(l.ppeItems.size(), c.items);
                EXPECT_EQ(std::set<std::string>(l.ppeItems.begin(), l.ppeItems.end()).size(), c.items);
                EXPECT_FALSE(l.ppe.value.empty());
                // The energy is shown, so no PPE level or category row.
                for (const StandardLabelRow& r : l.arcRows) {
                    EXPECT_EQ(r.caption.find("PPE level"), std::string::npos) << r.caption;
                    EXPECT_EQ(r.caption.find("ategor"), std::string::npos) << r.caption;
                }
                ASSERT_EQ(l.shockRows.size(), 3u);
                ASSERT_GE(l.footer.size(), 2u);
                EXPECT_NE(l.footer[1].find(standard == LabelStandard::CsaZ462 ? "CSA Z462-2024" : "NFPA 70E-2024"),
                          std::string::npos);
            }
        }
    }
    // The rows' words in each language and standard, as the worker reads them.
    const StandardLabel en = Label(8.6, kEnglish), es = Label(8.6, kSpanish, LabelStandard::CsaZ462);
    EXPECT_EQ(en.shockRows[1].value, "Avoid contact");
    EXPECT_EQ(en.shockRows[0].value, "42 in");
    EXPECT_EQ(es.shockRows[0].value, "42 pulg.");
    EXPECT_EQ(es.shockRows[1].value, "Evitar el contacto");
    EXPECT_EQ(en.footer[0], "Assessment date: 9 Dec 2026");
    EXPECT_EQ(es.footer[0], "Fecha de la evaluación del riesgo de arco eléctrico: 9 dic. 2026");
    EXPECT_EQ(Label(8.6, kFrench).arcRows[2].value, "E cal/cm² à 17.9 po");
}

// A study point's footer says it is on the line side of its device, which
// side governs its main's section and which of several scenarios its
// results are, in the label's language, after the editions; a point with
// none keeps the footer without them.
TEST(StandardLabel, FooterNamesTheLineSideTheSectionAndTheWorstScenario) {
    const std::string expected[3][3] = {
        {"Fault on the line side of the device", "Section: the line side governs", "Worst scenario: tie-closed"},
        {"Falla en el lado de línea del dispositivo", "Sección: rige el lado de línea", "Peor escenario: tie-closed"},
        {"Défaut côté ligne de l'appareil", "Section : le côté ligne prévaut", "Pire scénario: tie-closed"},
    };
    for (int language : {kEnglish, kSpanish, kFrench}) {
        StandardLabelOptions o;
        o.language = language;
        o.assessmentDate = {9, 12, 2026};
        LabelContentInputs in = Point(8.6);
        const std::size_t plain = MakeStandardLabel(in, "SWG-1", o).footer.size();
        in.lineSide = true;
        in.sectionLineSide = true;
        in.scenario = "tie-closed";
        const StandardLabel l = MakeStandardLabel(in, "SWG-1", o);
        ASSERT_EQ(l.footer.size(), plain + 3);
        for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(l.footer[plain + k], expected[language][k]);
    }
}

// The signal word: DANGER above 40 cal/cm2 on the label after a standard
// and on the classic label alike, and above the voltage a site names.
TEST(StandardLabel, DangerWhereNoPpeProtectsOrAboveTheSitesVoltage) {
    struct Case {
        double calCm2, volts;
        std::optional<double> dangerAbove;
        SignalWord signal;
    };
    const Case cases[] = {
        {40, 13800, std::nullopt, SignalWord::Warning}, {40.001, 480, std::nullopt, SignalWord::Danger},
        {8, 600, 600.0, SignalWord::Warning},           {8, 601, 600.0, SignalWord::Danger},
    };
    for (const Case& c : cases) {
        LabelContentInputs in = Point(c.calCm2, c.volts);
        in.dangerAboveVolts = c.dangerAbove;
        StandardLabelOptions o;
        o.standard = LabelStandard::Nfpa70e;
        o.dangerAboveVolts = c.dangerAbove;
        EXPECT_EQ(MakeStandardLabel(in, "P", o).signal, c.signal) << c.calCm2 << " " << c.volts;
        EXPECT_EQ(MakeLabelContent(in).signal, c.signal) << c.calCm2 << " " << c.volts;
    }
}

TEST(StandardLabel, GloveClassByVoltage) {
    struct Case {
        double volts;
        const char* english;
        const char* french;
    };
    const Case cases[] = {
        {480, "Class 00", "Classe 00"},   {500, "Class 00", "Classe 00"},   {501, "Class 0", "Classe 0"},
        {4160, "Class 1", "Classe 1"},    {13800, "Class 2", "Classe 2"},   {17001, "Class 3", "Classe 3"},
        {34500, "Class 4", "Classe 4"},   {36001, "No class above 36 kV", "Aucune classe au-delà de 36 kV"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Label(1, kEnglish, LabelStandard::Nfpa70e, c.volts).shockRows[2].value, c.english) << c.volts;
        EXPECT_EQ(Label(1, kFrench, LabelStandard::CsaZ462, c.volts).shockRows[2].value, c.french) << c.volts;
    }
}

TEST(StandardLabel, DatesInWordsAndReadAsYearMonthDay) {
    EXPECT_EQ(DateInWords({9, 12, 2026}, kEnglish), "9 Dec 2026");
    EXPECT_EQ(DateInWords({9, 12, 2026}, kSpanish), "9 dic. 2026");
    EXPECT_EQ(DateInWords({1, 3, 2027}, kFrench), "1 mars 2027");
    struct Case {
        const char* text;
        std::optional<std::string> read;  // as IsoDateText writes it back
    };
    const Case cases[] = {
        {"2026-12-09", "2026-12-09"}, {"2024-02-29", "2024-02-29"}, {"2000-02-29", "2000-02-29"},
        {"1900-02-29", std::nullopt}, {"2026-02-29", std::nullopt}, {"2026-04-31", std::nullopt},
        {"2026-13-01", std::nullopt}, {"2026-00-10", std::nullopt}, {"2026-1-09", std::nullopt},
        {"2026-12-9 ", std::nullopt}, {"9.12.2026", std::nullopt},  {"0000-01-01", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<LabelDate> d = ParseIsoDate(c.text);
        EXPECT_EQ(d ? std::optional<std::string>(IsoDateText(*d)) : std::nullopt, c.read) << c.text;
    }
}

}  // namespace
}  // namespace zentavo

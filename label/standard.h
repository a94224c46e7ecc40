// SPDX-License-Identifier: GPL-3.0-or-later
// The labels an engineer may post after today's rules, beside the classic
// label: the label after NFPA 70E-2024 and the one after CSA Z462-2024. Both
// carry a signal word (DANGER where no PPE protects), the nominal voltage,
// the arc flash boundary, the incident energy at its working distance, the
// minimum arc rating of clothing, the arc flash PPE of the energy's band in
// short words (one list of items per band, translated: the same items in
// every language), the shock rows, the assessment date and the editions.
// The texts are built here from a point's label inputs; render/ lays them
// out on the page.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "label/content.h"
#include "label/layout.h"

namespace zentavo {

// Which label: the classic label of the desktop program's windows, or a
// label after NFPA 70E or CSA Z462.
enum class LabelStandard : std::uint8_t { Classic, Nfpa70e, CsaZ462 };
// "classic", "nfpa70e", "csa-z462".
inline constexpr std::array<std::string_view, 3> kLabelStandardWords = {"classic", "nfpa70e", "csa-z462"};
std::optional<LabelStandard> LabelStandardOf(std::string_view word);

// The label pages: 6 x 4 in (landscape), 4 x 4 in, 5 x 3.5 in (landscape).
enum class LabelPageSize : std::uint8_t { In6x4, In4x4, In5x3_5 };
inline constexpr std::array<std::string_view, 3> kLabelPageSizeWords = {"6x4", "4x4", "5x3.5"};
std::optional<LabelPageSize> LabelPageSizeOf(std::string_view word);
struct LabelPageInches {
    double width, height;
};
LabelPageInches PageInches(LabelPageSize size);

// Above this incident energy no PPE protects: the label says DANGER.
inline constexpr double kDangerAboveCalCm2 = 40;
// The signal word of a point whose governing incident energy is `calCm2`:
// DANGER above 40 cal/cm2, and above `dangerAboveVolts` where a site asks
// for DANGER by voltage as well; WARNING otherwise.
SignalWord SignalWordFor(double calCm2, double volts, std::optional<double> dangerAboveVolts);

// The incident energy bands of NFPA 70E Table 130.5(G) and the band where
// no PPE is adequate: below 1.2 cal/cm2, 1.2 to 12, above 12 to 40, above 40.
enum class EnergyBand : std::uint8_t { Below1_2, To12, To40, Above40 };
// The band of an energy. An energy shown rounded up into the next band (a
// 1.1996 cal/cm2 printed "1.20") takes that band: the PPE listed is never
// that of a lower energy than the label prints.
EnergyBand EnergyBandOf(double calCm2);

// One item of arc flash PPE, as the label names it in short words.
enum class PpeItem : std::uint8_t {
    NaturalFibreClothing,    // non-melting or untreated natural fibre shirt and pants, or coverall
    ArcRatedClothing,        // arc-rated shirt and pants or coverall, rated at least the energy
    ArcRatedFaceShield,      // arc-rated face shield with balaclava, or arc-rated hood
    ArcRatedFlashSuit,       // arc-rated flash suit with hood, rated at least the energy
    HardHat,
    HardHatArcRatedLiner,
    SafetyGlasses,
    HearingProtection,
    LeatherOrRubberGloves,   // heavy-duty leather, or rubber insulating with leather protectors
    ArcRatedOrRubberGloves,  // arc-rated, or rubber insulating with leather protectors
    LeatherFootwear,
};
// The items of a band, in the label's order; none above 40 cal/cm2.
std::span<const PpeItem> PpeItemsOf(EnergyBand band);
// An item's words in a language (LabelLanguage).
std::string_view PpeItemText(PpeItem item, int language);

// The minimum arc rating of clothing: the incident energy rounded up to the
// next 0.1 cal/cm2; none above 40 cal/cm2, where no PPE is adequate.
std::optional<double> MinimumArcRating(double calCm2);

// The class of rubber insulating gloves for a nominal voltage (AC): 00 up
// to 500 V, 0 to 1 000 V, 1 to 7 500 V, 2 to 17 000 V, 3 to 26 500 V, 4 to
// 36 000 V; none above. The class's name: "00", "0", ... "4".
std::optional<std::string_view> GloveClass(double volts);
// The same for a DC voltage, by the gloves' DC maximum use voltages: 00 up
// to 750 V, 0 to 1 500 V, 1 to 11 250 V, 2 to 25 500 V, 3 to 39 750 V, 4 to
// 54 000 V; none above.
std::optional<std::string_view> GloveClassDc(double volts);

// A date as the label language writes it with the month in words:
// "9 Dec 2026", "9 dic. 2026", "9 déc. 2026".
std::string DateInWords(LabelDate date, int language);
// A date written YYYY-MM-DD that is a day of the calendar; none otherwise.
std::optional<LabelDate> ParseIsoDate(std::string_view text);
// "2026-12-09".
std::string IsoDateText(LabelDate date);

// What the labels of a study share: the standard (classic unless asked,
// the label of the windows), language, colour or black and white, the
// page, the assessment date and the voltage above which it says DANGER (if
// the site asks for it).
struct StandardLabelOptions {
    LabelStandard standard = LabelStandard::Classic;
    int language = kEnglish;
    bool colour = true;
    LabelPageSize size = LabelPageSize::In6x4;
    LabelDate assessmentDate{1, 1, 2000};
    std::optional<double> dangerAboveVolts;
    char sep = '.';  // the decimal separator of the results
};

// A caption and its value.
struct StandardLabelRow {
    std::string caption, value;
};

// The texts of a label after a standard, in its language, in the order
// they stand on the page.
struct StandardLabel {
    LabelStandard standard = LabelStandard::Nfpa70e;
    SignalWord signal = SignalWord::Warning;
    EnergyBand band = EnergyBand::Below1_2;
    bool colour = true;
    LabelPageSize size = LabelPageSize::In6x4;
    std::string signalText;              // "WARNING", "PELIGRO", ...
    std::string hazard;                  // "Arc flash and shock hazard"
    std::string instruction;             // "Appropriate PPE required", or de-energize above 40 cal/cm2
    StandardLabelRow equipment;          // the equipment name, whole (render/ wraps it on two lines)
    std::vector<StandardLabelRow> arcRows;  // voltage, boundary, energy at distance, minimum arc rating
    StandardLabelRow ppe;                // caption, and the items joined by "; " (or de-energize)
    std::vector<std::string> ppeItems;   // the items alone, as listed (none above 40 cal/cm2)
    std::string shockHeading;            // "Shock hazard"
    std::vector<StandardLabelRow> shockRows;  // limited and restricted approach, gloves
    std::vector<std::string> footer;     // assessment date, editions, the device's duration
};

// The label of a point (its label inputs, as LabelInputsOf builds them) with
// `name` as its equipment name.
StandardLabel MakeStandardLabel(const LabelContentInputs& in, std::string_view name,
                                const StandardLabelOptions& options);

// The governing incident energy of a point's label inputs, cal/cm2: the
// larger of its two cases, so that the signal word never rests on the
// smaller one.
double GoverningCalCm2(const LabelContentInputs& in);

}  // namespace zentavo

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/row_form_words.h"

#include <QCoreApplication>

#include "engine/protection.h"
#include "study/result_cells.h"
#include "study/row_edit.h"
#include "ui/device_panel.h"
#include "ui/row_form.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

// The words of the word columns as the form lists them, in the interface's
// language; the file keeps the word itself (the item's data).
QString WordShown(StudyInputColumn column, std::string_view word) {
    static const std::pair<std::string_view, const char*> kWords[] = {
        {"empirical",
         QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "IEEE 1584-2002, empirical model")},
        {"fuse",
         QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "IEEE 1584-2002, current-limiting fuse")},
        {"breaker",
         QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "IEEE 1584-2002, low-voltage breaker")},
        {"ieee1584-2018", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "IEEE 1584-2018 model")},
        {"dc-max-power",
         QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "DC, maximum power (NFPA 70E D.5)")},
        {"dc-arc-resistance",
         QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "DC, arc resistance (NFPA 70E D.5)")},
        {"source", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Source (the supply)")},
        {"transformer", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Transformer")},
        {"transformer3", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Three-winding transformer")},
        {"cable", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Cable or tie")},
        {"generator", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Generator")},
        {"unit", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "Power-station unit")},
        {"yes", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "yes")},
        {"no", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "no")},
        {"bus", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "at the row's bus")},
        {"from", QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "at the from bus")},
    };
    if (column == kDeviceTypeColumn) {
        // As the 2018 window names them.
        const char* words[] = {
            QT_TRANSLATE_NOOP("zentavo::ui::DevicePanel", "Relay with its breaker"),
            QT_TRANSLATE_NOOP("zentavo::ui::DevicePanel", "Low-voltage trip unit"),
            QT_TRANSLATE_NOOP("zentavo::ui::DevicePanel", "Fuse, by its total-clearing curve")};
        for (std::size_t i = 0; i < kDeviceTypeWords.size(); ++i) {
            if (word == kDeviceTypeWords[i])
                return QCoreApplication::translate("zentavo::ui::DevicePanel", words[i]);
        }
    }
    if (column == kDcBoxColumn) {
        // As the DC window names them.
        const char* words[] = {
            QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "Open air"),
            QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "Box, 3 × open air (NFPA 70E)"),
            QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "LV switchgear (Wilkins)"),
            QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "MV switchgear (Wilkins)"),
            QT_TRANSLATE_NOOP("zentavo::ui::TDcArcFlash", "Panelboard (Wilkins)")};
        for (std::size_t i = 0; i < kDcBoxWords.size(); ++i) {
            if (word == kDcBoxWords[i])
                return QCoreApplication::translate("zentavo::ui::TDcArcFlash", words[i]);
        }
    }
    if (column == kRelayCurveColumn) {
        for (std::size_t i = 0; i < kRelayCurveWords.size(); ++i) {
            if (word == kRelayCurveWords[i]) return RelayCurveWords(static_cast<RelayCurve>(i));
        }
    }
    if (column == kMethodColumn || column == kBranchTypeColumn || column == kGenInMinColumn ||
        column == kLineSideColumn || column == kZsiColumn || column == kDeviceAtColumn) {
        for (const auto& [w, shown] : kWords) {
            if (w == word) return QCoreApplication::translate(kRowFormContext, shown);
        }
    }
    return LibraryText(word);
}

// What an empty word cell means, as its list shows it.
QString EmptyWordShown(StudyInputColumn column) {
    switch (column) {
        case kDeviceTypeColumn:
            return TRowForm::tr("none: durations typed");
        case kBranchTypeColumn:
            return TRowForm::tr("none");
        case kGapUnitColumn:
        case kWorkDistanceUnitColumn:
        case kEnclosureUnitColumn:
            return QStringLiteral("mm");
        default:
            return TRowForm::tr("not chosen");
    }
}

// The range the methods and devices hold a column's numbers to, in words;
// the network's own ranges come from the network (NetworkRangeOf).
const char* MethodRange(StudyInputColumn column) {
    switch (column) {
        case kVoltageColumn:
            return QT_TRANSLATE_NOOP(
                "zentavo::ui::TRowForm",
                "208 V to 46 kV; IEEE 1584-2018: 208 V to 15 kV; breakers: 208 to 690 V");
        case kBoltedCurrentColumn:
            return QT_TRANSLATE_NOOP(
                "zentavo::ui::TRowForm",
                "0.7 to 106 kA; IEEE 1584-2018: 0.5 to 106 kA up to 600 V, 0.2 to 65 kA above");
        case kGapColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm",
                                     "13 mm or more; IEEE 1584-2018: 6.35 to 76.2 mm up to 600 V, "
                                     "19.05 to 254 mm above");
        case kWorkDistanceColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm",
                                     "300 to 2000 mm; IEEE 1584-2018: 305 mm or more");
        case kArcTimeColumn:
        case kArcTimeReducedColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm",
                                     "0.001 to 2 s; IEEE 1584-2018: 0.001 s or more");
        case kEnclosureHeightColumn:
        case kEnclosureWidthColumn:
        case kEnclosureDepthColumn:
        case kInterruptingRatingColumn:
        case kInstantaneousTripColumn:
        case kRelayPickupColumn:
        case kRelayTimeDialColumn:
        case kTripRatingColumn:
        case kTripLtPickupColumn:
        case kTripLtDelayColumn:
        case kDeviceRatingColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "above 0");
        case kRelayInstPickupColumn:
        case kTripStPickupColumn:
        case kTripInstPickupColumn:
        case kMaintInstPickupColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "above 0; empty: none");
        case kRelayInstDelayColumn:
        case kTripStDelayColumn:
        case kBreakerTimeColumn:
        case kTripToleranceColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "0 or above");
        case kTripInstTimeColumn:
        case kMaintInstTimeColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "0.001 s or more");
        case kDeviceShareColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "above 0 and at most 1; empty: 1");
        case kMaxArcTimeColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm",
                                     "0.001 s or more, or none; empty: 2 s");
        case kCableSetsColumn:
            return QT_TRANSLATE_NOOP("zentavo::ui::TRowForm", "1 to 1000; empty: 1");
        default:
            return nullptr;
    }
}

QString EmptyNumberShown(StudyInputColumn column, char sep) {
    const std::optional<EmptyCellMeaning> means = EmptyCellMeans(column);
    if (!means) return {};
    if (!means->number) return QCoreApplication::translate("zentavo::ui::DevicePanel", "none");
    const QString unit = FromUtf8(StudyInputUnit(column));
    const QString number = FromUtf8(ShortDecimalText(*means->number, sep));
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>
#include <algorithm>
#include <vector>

#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/classification.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "engine/ieee2018.h"
#include "engine/input_checks.h"

namespace zentavo::ui {

namespace {

constexpr const char* kContext = "zentavo::ui::LibraryTexts";

// The texts the Qt-free libraries hand to the windows, in English as they
// make them, registered here for the translation files. A "%1" (and "%2",
// "%3") stands for a value the library puts in (a typed text, a file name, a
// setting).
// clang-format off
constexpr const char* kLibraryTexts[] = {
    // Lists of the main window.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Open air"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Switchgear"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "MCC and Panels"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Cable"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Ungrounded"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Grounded"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "ungrounded"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Class RK1 Fuse, 0 A to 100 A"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Class RK1 Fuse, 101 A to 200 A"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Class RK1 Fuse, 201 A to 400 A"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Class RK1 Fuse, 401 A to 600 A"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Class L Fuse, 601 A to 800 A"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Class L Fuse, 801 A to 1200 A"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Class L Fuse, 1201 A to 1600 A"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Class L Fuse, 1601 A to 2000 A"),
    // The 2018 model's equipment types and enclosure types.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "5 kV switchgear"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "5 kV switchgear (second size)"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "5 kV MCC"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "15 kV switchgear"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "15 kV MCC"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Low-voltage switchgear"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Shallow low-voltage MCCs and panelboards"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Deep low-voltage MCCs and panelboards"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Cable junction box"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Typical"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Shallow"),
    // Result texts.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Natural fiber ( cotton / wool ) long sleeve shirt and pants,"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "safety glasses, hard hat, V-rated  gloves."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "FR shirt and pants, safety glasses, hard hat, V-rated  gloves."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "FR shirt and pants, face shield, hard hat, ear canal inserts,  V-rated"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "and leather gloves, leather work shoes."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "FR coverall over FR shirt and pants, flash suit hood, ear canal inserts,"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "V-rated and leather  gloves, leather work shoes."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Flash suit over FR coverall over FR shirt and pants, flash suit hood,"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "ear canal inserts, V-rated and leather gloves, leather work shoes."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Consult PPE Manufacturer"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Avoid contact"),
    // A value not given (a pressure, a clothing line, a boundary), and the
    // unit word of lengths in inches, in captions and headings ("(inches)").
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "N/A"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "inches"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc Duration (sec):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc Duration @ Predicted Arc Current (sec):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Low Voltage Circuit Breakers Calculations"),
    // Refusals of the inputs and of the methods.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Voltage out of range. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Invalid bolted current. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter Gap value"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Incorrect gap between conductors. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Working distance is not within allowed limits. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", " Equipment class not selected."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", " Grounding type not set."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter IR value."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter IT value."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Use IEEE 1584 Empirical Model for such a low bolted fault current value."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Contact manufacturer for additional information above upper limit."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Available bolted fault current is higher than breaker interrupting rating."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Predicted arcing current is less than the top of the breaker tripping band. IEEE 1584 empirically derived model must be used to resolve incident energies in this case."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter valid arcing time. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arcing time should not exceed 2 seconds. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter valid arcing time for reduced current"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arcing time for reduced current should not exceed 2 seconds. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter voltage value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Voltage below 208 V. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Voltage above 15000 V. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter bolted current value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Bolted current below 0.5 kA (208-600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Bolted current above 106 kA (208-600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Bolted current below 0.2 kA (above 600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Bolted current above 65 kA (above 600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter gap value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter working distance value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap below 6.35 mm (208-600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap above 76.2 mm (208-600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap below 19.05 mm (above 600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap above 254 mm (above 600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Working distance below 305 mm. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap below 6.35 mm (%1 inches) (208-600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap above 76.2 mm (%1 inches) (208-600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap below 19.05 mm (%1 inches) (above 600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap above 254 mm (%1 inches) (above 600 V). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Working distance below 305 mm (%1 inches). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Electrode configuration not selected. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter enclosure height value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter enclosure width value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter enclosure depth value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enclosure height not positive. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enclosure depth not positive. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enclosure width below 4 x gap. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enclosure too small for the size correction. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter arc duration value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter arc duration value for reduced current. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc duration must be above 0 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc duration for reduced current must be above 0 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc duration must be at least 0.001 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc duration for reduced current must be at least 0.001 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arcing current not defined for these inputs. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Incident energy not defined for these inputs. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "'%1' is not a valid floating point value"),
    // The DC model's refusals and notes.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Voltage must be above 0 V. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter bolted current or source resistance value. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Give the bolted current or the source resistance, not both. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Bolted current must be above 0 kA. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Source resistance must be above 0 ohm. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enter gap value (arc-resistance method). "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap must be above 0 mm. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Working distance must be above 0 mm. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Voltage must be from 1 V to 800000 V. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Bolted current must be from 0.001 kA to 1000 kA. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Source resistance must be from 0.00001 ohm to 1000 ohm. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap must be from 1 mm to 1000 mm. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Working distance must be from 100 mm to 100000 mm. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc duration must be at most 10000 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enclosure not selected. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "At or below 150 V DC an arc is hard to sustain; the energy assumes it is sustained. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc may not be sustained: arcing current below 10 + 0.2 x gap A. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc may not be sustained: arc voltage not below the system voltage. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc duration: none typed and no protective device, 2 s assumed. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Shock approach boundaries: not specified below 50 V DC. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Protective device does not operate at %1 kA arcing current. "),
    // An arc that only its maximum duration ends, with the device and the current it saw.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "the relay does not operate at %1 kA: exposure limited to %2 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "the trip unit does not operate at %1 kA: exposure limited to %2 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "the fuse does not operate at %1 kA: exposure limited to %2 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "the relay takes %1 s at %2 kA: exposure limited to %3 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "the trip unit takes %1 s at %2 kA: exposure limited to %3 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "the fuse takes %1 s at %2 kA: exposure limited to %3 s. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "no device opens before the maximum arc duration: exposure limited to %1 s. "),
    // Refusals of a protective device's settings, after the names of their fields.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "must be at least 0.001 s"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "enter a value"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "current must be above the point before by more than 1e-9 of it"),
    // Cautions of a protective device's settings that no device offers, after
    // the names of their fields.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "%1 A is below 1 A primary: check the setting"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "%1 is outside 0.01 to 20: check the setting"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "%1 A is below the pickup (%2 A): check the setting"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "%1 is outside 0.4 to 1 of the rating: check the setting"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "%1 (%2 A) is below the long-time pickup (%3 A): check the setting"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "%1 s is above 10000 s: check the curve"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "the relay and its breaker would clear in less than 0.001 s, faster than any protective device"),
    // Rows of the label, as the label options list them.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc Flash & Shock Hazard"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Equipment type"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Grounding"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Work Distance"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Available bolted current"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Limited approach boundary"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Restricted approach boundary"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Prohibited approach boundary"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Flash protection boundary"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Incident energy at work distance"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Pressure"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "TNT equivalent"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "PPE level"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Typical protective clothing systems"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Equipment name"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Date created"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Warning!"),
    // Captions with the unit the user chose.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap between conductors (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Gap between electrodes (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enclosure height (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enclosure width (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Enclosure depth (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Working distance (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Incident energy exposure (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Flash protection boundary (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Limited approach boundary (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Restricted approach boundary (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Prohibited approach boundary (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Initial pressure (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Initial Pressure (%1):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "TNT Equivalent (%1):"),
    // Captions of the results window.
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Equipment type:"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Grounding:"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Arc Duration @ 15% Reduced Arc Current (sec):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Available 3Ph Bolted Current (kA):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Predicted 3Ph Arcing Current (kA):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "System voltage (V):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Level of PPE:"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Typical protective clothing system:"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Based on equations for:"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "System summary"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Calculation results (100% arcing current):"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Calculation results (85% arcing current): "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Calculation results:"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Calculations based on the IEEE 1584 empirical model"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "The calculation results below are based upon IEEE 1584 Fuse Equations."),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "They are intended to help determine  the  PPE level of  protection against"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "radiated heat only.  Actual  arc flash  severity  could be  different from the "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "results shown below. "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "Calculations are based on 3-phase test at 600 V with an electrode "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "gap  of  32 mm  in  a  switchgear  sized  enclosure 20\" x 20\" x20 \""),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "The calculation results below are based upon IEEE 1584 equations  "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "for incident energy and flash protection boundary by circuit breaker  "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "type   and   rating.   The   results   are   based  on  3-phase  tests in   "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "20\"x20\"x20\" ( 508x508x508mm. ) enclosure with an electrode  gap"),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "of  1  inch  ( 25mm ).  Actual  arc  flash  severity  could  be  different "),
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts", "from the results shown in this window. "),
    // A study's row left by a stopped computation (kComputationStopped).
    QT_TRANSLATE_NOOP("zentavo::ui::LibraryTexts",
                      "Not computed: the calculation was stopped before this row. Compute again to finish it."),
};
// clang-format on

// The known texts, longest first, so that a sentence inside a longer one is
// never translated on its own.
const std::vector<QString>& Known() {
    static const std::vector<QString> known = [] {
        std::vector<QString> k;
        for (const char* t : kLibraryTexts) k.push_back(QString::fromUtf8(t));
        std::stable_sort(k.begin(), k.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
        return k;
    }();
    return known;
}

// The values of a known text ("%1", "%2", ...) in the order they stand.
const QRegularExpression& ValueMark() {
    static const QRegularExpression mark(QStringLiteral("%([1-9])"));
    return mark;
}

// The pattern of a known text with values in it, made once: a group for
// each value, in the order they stand.
const QRegularExpression& Pattern(const QString& known) {
    static QHash<QString, QRegularExpression> patterns;
    auto it = patterns.find(known);
    if (it == patterns.end()) {
        QString pattern;
        qsizetype from = 0;
        for (const QRegularExpressionMatch& m : ValueMark().globalMatch(known)) {
            pattern += QRegularExpression::escape(known.mid(from, m.capturedStart() - from)) + QStringLiteral("(.*?)");
            from = m.capturedEnd();
        }
        pattern += QRegularExpression::escape(known.mid(from));
        it = patterns.insert(known, QRegularExpression(pattern));
    }
    return *it;
}

QString Translate(const QString& english) {
    return QCoreApplication::translate(kContext, english.toUtf8().constData());
}

// The translation `shown` of a known text with the values `m` found in the
// English: each value where its number stands, in whatever order the
// translation puts them.
QString WithValues(const QString& known, const QString& shown, const QRegularExpressionMatch& m) {
    std::vector<std::pair<int, QString>> values;
    int group = 1;
    for (const QRegularExpressionMatch& v : ValueMark().globalMatch(known)) {
        values.emplace_back(v.captured(1).toInt(), m.captured(group++));
    }
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QString out = shown;
    // A value that is itself a known text (the unit word of "Limited
    // approach boundary (inches):") is shown translated as well.
    for (const auto& value : values) out = out.arg(Translate(value.second));
    return out;
}

// The folders the program's translations are looked for in, in order: the
// installed ones beside the program, then (in a build that runs from its
// tree) the build tree's.
QStringList TranslationFolders() {
    QStringList folders{
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral(ZENTAVO_TRANSLATIONS_FROM_BIN))};
#ifdef ZENTAVO_TRANSLATIONS_BUILD_DIR
    folders << QStringLiteral(ZENTAVO_TRANSLATIONS_BUILD_DIR);
#endif
    return folders;
}

}  // namespace

QString InstallTranslations(const QLocale& locale) {
    auto* app = QCoreApplication::instance();
    if (!app) return {};
    QString loaded;
    auto* program = new QTranslator(app);
    for (const QString& folder : TranslationFolders()) {
        if (program->load(locale, QStringLiteral("zentavo"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(program);
            loaded = program->language().section(QLatin1Char('_'), 0, 0);
            break;
        }
    }
    if (loaded.isEmpty()) delete program;
    // The toolkit's own texts (the buttons of message boxes, the file and
    // print dialogs) in the same language.
    auto* toolkit = new QTranslator(app);
    if (!loaded.isEmpty() && toolkit->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(toolkit);
    } else {
        delete toolkit;
    }
    return loaded;
}

QString LibraryText(const QString& english) {
    if (english.isEmpty()) return english;
    const QString whole = Translate(english);
    if (whole != english) return whole;
    // No translation installed: the English as it is.
    if (Translate(QString::fromUtf8(kLibraryTexts[0])) == QString::fromUtf8(kLibraryTexts[0])) return english;
    QString out = english;
    for (const QString& known : Known()) {
        const QString shown = Translate(known);
        if (shown == known) continue;
        if (known.contains(ValueMark())) {
            // The value may be any text: the sentence around it decides.
            // Each time it is said (a warning for each case), with its value.
            for (qsizetype from = 0;;) {
                const QRegularExpressionMatch m = Pattern(known).match(out, from);
                if (!m.hasMatch()) break;
                const QString replaced = WithValues(known, shown, m);
                out.replace(m.capturedStart(), m.capturedLength(), replaced);
                from = m.capturedStart() + replaced.size();
            }
            continue;
        }
        // Only whole sentences inside a longer text: a single word there may
        // belong to another sentence.
        if (known.contains(QLatin1Char(' '))) out.replace(known, shown);
    }
    return out;
}

QString LibraryText(std::string_view english) {
    return LibraryText(QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size())));
}

QString EnglishText(const QLabel* label) {
    const QVariant english = label->property("zentavoEnglishText");
    // A text set since by other means is its own English.
    if (english.isValid() && label->property("zentavoShownText").toString() == label->text()) return english.toString();
    return label->text();
}

}  // namespace zentavo::ui

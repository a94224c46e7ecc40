// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/units_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "engine/number.h"
#include "ui/application.h"
#include "ui/dc_window.h"
#include "ui/ieee2018_window.h"
#include "ui/main_window.h"
#include "ui/results.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// An editable selector with its caption: the user picks an item or types any word.
QComboBox* Selector(QGroupBox* g, const char* name, const QString& caption,
                    const QStringList& items, int x, int y, int width) {
    QLabel* label = MakeLabel(g, (QByteArray(name) + "Caption").constData(), caption, x, y + 3);
    // Each unit's word shown in the user's language ("inches"), the word
    // itself kept as the item's data for the settings and the captions.
    QStringList shown;
    for (const QString& word : items) shown << LibraryText(word);
    auto* c = MakeCombo(g, name, shown, x + 128, y, width);
    for (int i = 0; i < c->count(); ++i) c->setItemData(i, items[i]);
    label->setBuddy(c);  // read out with the box
    c->setCurrentIndex(0);
    return c;
}

// A typed distance in the newly chosen unit: mm to inches, or inches to mm.
void ConvertDistance(QLineEdit* edit, LengthUnit unit, char sep) {
    if (edit->text().isEmpty()) return;
    const double value = ParseNumber(Utf8(edit->text()), sep);
    if (unit == LengthUnit::Inches) {
        edit->setText(FromUtf8(FormatFixed(value / kMmPerInch, 4, 2, sep)));
    } else {
        edit->setText(FromUtf8(FormatFixed(value * kMmPerInch, 4, 0, sep)));
    }
}

// A tab's gap field shows its class default in the chosen unit.
void DefaultGap(QLineEdit* edit, const QComboBox* cls, LengthUnit unit) {
    if (edit->text().isEmpty() || cls->currentIndex() < 0) return;
    edit->setText(FromUtf8(ClassDefaultGapText(cls->currentIndex(), unit)));
}

// The unit word of the item a selector's text names, as shown or in
// English ("pulgadas" or "inches"): case and blanks around the word do not
// matter. Empty when it names none.
QString ItemWord(const QComboBox* box) {
    const QString typed = box->currentText().trimmed();
    for (int i = 0; i < box->count(); ++i) {
        const QString word = box->itemData(i).toString();
        if (box->itemText(i).compare(typed, Qt::CaseInsensitive) == 0 ||
            word.compare(typed, Qt::CaseInsensitive) == 0)
            return word;
    }
    return {};
}

// A selector set to the item of a unit word, shown as the item shows it.
void ShowItem(QComboBox* box, const QString& word) {
    const int i = box->findData(word);
    box->setCurrentIndex(i);
    if (box->isEditable()) box->setEditText(i >= 0 ? box->itemText(i) : word);
}

QString Word(std::string_view word) { return FromUtf8(word); }

// The items of a selector: the words of its units, in its order.
template <class... Unit>
QStringList Items(Unit... units) {
    return {Word(UnitWord(units))...};
}

}  // namespace

TFormUnits::TFormUnits(Application& app) : app_(app) {
    setObjectName("FormUnits");
    setWindowTitle(tr("Options: Units"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(418, 224);

    const QStringList lengths = Items(LengthUnit::Millimetres, LengthUnit::Inches);
    auto* input = MakeGroup(this, "GroupBox1", tr("Input units"), 8, 8, 402, 84);
    Gap_Units = Selector(input, "Gap_Units", tr("Gap between conductors"), lengths,
                         12, 22, 90);
    WD_units = Selector(input, "WD_units", tr("Working distance"), lengths, 12, 52, 90);

    auto* output = MakeGroup(this, "GroupBox2", tr("Output units"), 8, 98, 402, 88);
    FlashBound_units = Selector(output, "FlashBound_units", tr("Protection boundaries"),
                                Items(LengthUnit::Inches, LengthUnit::Millimetres), 12, 22, 60);
    ComboBox2 = Selector(output, "ComboBox2", tr("Incident Energy"),
                         Items(IncidentEnergyUnit::CaloriesPerCm2, IncidentEnergyUnit::JoulesPerCm2),
                         12, 54, 60);
    Pressure_units = Selector(output, "Pressure_units", tr("Pressure"),
                              Items(BlastPressureUnit::PoundsPerFt2, BlastPressureUnit::NewtonsPerM2,
                                    BlastPressureUnit::Atmospheres, BlastPressureUnit::Kilopascals),
                              212, 22, 62);
    Pressure_units->setGeometry(296, 22, 98, 22);
    TNT = Selector(output, "TNT", tr("TNT Equivalent"),
                   Items(TntMassUnit::Kilograms, TntMassUnit::Pounds, TntMassUnit::Grams), 212, 54,
                   62);
    TNT->setGeometry(296, 54, 98, 22);
    FlashBound_units->setGeometry(136, 22, 68, 22);
    ComboBox2->setGeometry(136, 54, 68, 22);
    for (auto* g : {input, output}) {
        for (QWidget* child : g->findChildren<QWidget*>()) {
            QFont f = child->font();
            f.setBold(false);
            child->setFont(f);
        }
        SetBold(g, true);
    }

    Button2 = MakeButton(this, "Button2", tr("&Ignore and close"), 8, 192, 110);
    Button1 = MakeButton(this, "Button1", tr("&Save and close"), 300, 192, 110);
    connect(Button1, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button2Click(); }); });
    CloseOnEscape(this, Button2);  // as "Ignore and close"
}

UnitSettings TFormUnits::Units() const {
    // A word being typed that is none of a selector's items is not a unit:
    // the unit in force stays until "Save and close" accepts another.
    UnitSettings u = inForce_;
    auto word = [](const QComboBox* box) { return Utf8(ItemWord(box)); };
    if (const auto v = ParseLengthUnit(word(Gap_Units))) u.GapUnit = *v;
    if (const auto v = ParseLengthUnit(word(WD_units))) u.WorkDistUnit = *v;
    if (const auto v = ParseLengthUnit(word(FlashBound_units))) u.BoundaryUnit = *v;
    if (const auto v = ParseEnergyUnit(word(ComboBox2))) u.EnergyUnit = *v;
    if (const auto v = ParsePressureUnit(word(Pressure_units))) u.PressureUnit = *v;
    if (const auto v = ParseTntUnit(word(TNT))) u.TntUnit = *v;
    return u;
}

void TFormUnits::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    app_.Guard(this, [&] { FormShow(); });
}

void TFormUnits::closeEvent(QCloseEvent* event) {
    // Closed by its frame: as "Ignore and close", so that the main window
    // comes back instead of leaving the program without a window.
    event->accept();
    if (!app_.quitRequested()) app_.Guard(this, [&] { Button2Click(); });
}

void TFormUnits::MakeEditable() {
    // The selectors take typed words too. Their edit fields are made when
    // the window is first needed, which spares them at start-up.
    for (QComboBox* c : {Gap_Units, WD_units, FlashBound_units, ComboBox2, Pressure_units, TNT}) {
        if (c->isEditable()) continue;
        const QString text = c->currentText();
        c->setEditable(true);
        c->setEditText(text);
    }
}

void TFormUnits::FormShow() {
    MakeEditable();
    SharedState& s = app_.state();
    const UnitSettings u = Units();
    s.SavedGapUnits = u.GapUnit;
    s.SavedWorkDistUnits = u.WorkDistUnit;
    s.SavedFlashBoundUnits = u.BoundaryUnit;
    s.SavedEnergyUnits = u.EnergyUnit;
}

void TFormUnits::BackToMain() {
    hide();
    app_.main().show();
}

void TFormUnits::Button2Click() {
    const SharedState& s = app_.state();
    ShowItem(Gap_Units, Word(UnitWord(s.SavedGapUnits)));
    ShowItem(WD_units, Word(UnitWord(s.SavedWorkDistUnits)));
    ShowItem(FlashBound_units, Word(UnitWord(s.SavedFlashBoundUnits)));
    ShowItem(ComboBox2, Word(UnitWord(s.SavedEnergyUnits)));
    // The pressure and TNT choices stay as chosen, when they are units: a
    // word that is none goes back to the unit in force.
    for (QComboBox* box : {Pressure_units, TNT}) {
        const QString item = ItemWord(box);
        ShowItem(box, item.isEmpty() ? Word(box == TNT ? UnitWord(inForce_.TntUnit)
                                                      : UnitWord(inForce_.PressureUnit))
                                     : item);
    }
    inForce_ = Units();
    // Back to the units the 2018 window's fields had, should "Save and close"
    // have converted them before it stopped.
    if (TIeee2018* w = app_.Ieee2018IfMade()) w->FollowUnits();
    if (TDcArcFlash* w = app_.DcArcFlashIfMade()) w->FollowUnits();
    BackToMain();
}

bool TFormUnits::AllAreUnits() {
    for (QComboBox* box : {Gap_Units, WD_units, FlashBound_units, ComboBox2, Pressure_units, TNT}) {
        if (!ItemWord(box).isEmpty()) continue;
        QStringList items;
        for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
        const auto* caption = findChild<QLabel*>(box->objectName() + QStringLiteral("Caption"));
        app_.dialogs().Error(this, tr("“%1” is not a unit for %2. Choose one of: %3.")
                                       .arg(box->currentText().trimmed(), caption ? caption->text() : box->objectName(),
                                            items.join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

void TFormUnits::Button1Click() {
    // A word that is none of its selector's items would be misread as some
    // unit: it is refused before anything changes, and the window stays open.
    if (!AllAreUnits()) return;
    for (QComboBox* box : {Gap_Units, WD_units, FlashBound_units, ComboBox2, Pressure_units, TNT}) {
        ShowItem(box, ItemWord(box));
    }
    inForce_ = Units();
    // The captions take the units' words, shown in the user's language by SetCaption.
    const QString gap = ItemWord(Gap_Units), wd = ItemWord(WD_units),
                  boundary = ItemWord(FlashBound_units), energy = ItemWord(ComboBox2),
                  pressure = ItemWord(Pressure_units), tnt = ItemWord(TNT);
    Tmain& m = app_.main();
    // The 2018 window's typed lengths keep their values (first: nothing there
    // can stop).
    if (TIeee2018* w = app_.Ieee2018IfMade()) w->FollowUnits();
    if (TDcArcFlash* w = app_.DcArcFlashIfMade()) w->FollowUnits();
    for (QLabel* l : {m.Label1, m.Label7, m.Label13}) SetCaption(l, gap);
    for (QLabel* l : {m.Label2, m.Label8, m.Label14}) SetCaption(l, wd);

    TThird& t = app_.Third();
    auto caption = [&t](const char* label, const QString& prefix, const QString& unit) {
        SetCaption(t.L(label), prefix + unit + QStringLiteral("):"));
    };
    caption("Label1", QStringLiteral("Gap between electrodes ("), gap);
    caption("Label3", QStringLiteral("Working distance ("), wd);
    caption("Label11", QStringLiteral("Flash protection boundary ("), boundary);
    caption("Label14", QStringLiteral("Flash protection boundary ("), boundary);
    caption("Label10", QStringLiteral("Incident energy exposure ("), energy);
    caption("Label13", QStringLiteral("Incident energy exposure ("), energy);
    caption("Label33", QStringLiteral("Limited approach boundary ("), boundary);
    caption("Label34", QStringLiteral("Restricted approach boundary ("), boundary);
    caption("Label35", QStringLiteral("Prohibited approach boundary ("), boundary);
    caption("Label39", QStringLiteral("Initial Pressure ("), pressure);
    caption("Label43", QStringLiteral("Initial Pressure ("), pressure);
    caption("Label40", QStringLiteral("TNT Equivalent ("), tnt);
    caption("Label44", QStringLiteral("TNT Equivalent ("), tnt);

    // Distances already typed follow the new units. A text that is not a
    // number stops here: what was done stays done and the window stays open.
    const SharedState& s = app_.state();
    const LengthUnit gapUnit = inForce_.GapUnit, wdUnit = inForce_.WorkDistUnit;
    const bool gapChanged = gapUnit != s.SavedGapUnits;
    const bool wdChanged = wdUnit != s.SavedWorkDistUnits;
    const char sep = app_.Sep();
    if (gapChanged) ConvertDistance(m.GapEdit, gapUnit, sep);
    if (wdChanged) ConvertDistance(m.WorkDistEdit, wdUnit, sep);
    if (gapChanged) DefaultGap(m.Fuse_Gap, m.Fuse_Eq_Class, gapUnit);
    if (wdChanged) ConvertDistance(m.Fuse_Work_Dist, wdUnit, sep);
    if (gapChanged) DefaultGap(m.CB_Gap, m.CB_Equip, gapUnit);
    if (wdChanged) ConvertDistance(m.CB_workdist, wdUnit, sep);
    BackToMain();
}

}  // namespace zentavo::ui

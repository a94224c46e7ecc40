// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QCloseEvent>
#include <QShowEvent>

#include "engine/catalog.h"
#include "report/report.h"
#include "ui/application.h"
#include "ui/open_files.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/second.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

QFrame* MakePanel(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* p = new QFrame(parent);
    p->setObjectName(name);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Sunken);
    p->setGeometry(x, y, w, h);
    return p;
}

struct Row {
    const char* caption;
    const char* value;
    const char* text;
    int y;
};

// System summary: caption at x 21, value at x 272.
constexpr Row kSummaryRows[] = {
    {"LabelEq", "Label32", "Equipment type:", 12},
    {"Label1", "Label17", "Gap between electrodes (mm):", 36},
    {"Label2", "Label18", "Grounding:", 60},
    {"Label3", "Label19", "Working distance (mm):", 84},
    {"Label4", "Label20", "Arc Duration @ Predicted Arc Current (sec):", 108},
    {"Label5", "Label21", "Arc Duration @ 15% Reduced Arc Current (sec):", 132},
    {"Label6", "Label22", "Available 3Ph Bolted Current (kA):", 157},
    {"Label7", "Label23", "Predicted 3Ph Arcing Current (kA):", 182},
    {"Label8", "Label24", "System voltage (V):", 207},
    {"Label33", "Label36", "Limited approach boundary (inches):", 232},
    {"Label34", "Label37", "Restricted approach boundary (inches):", 257},
    {"Label35", "Label38", "Prohibited approach boundary (inches):", 282},
};

// Results of one case: full current (values at x 288) or reduced (x 289).
struct CaseRows {
    Row energy, boundary, level, pressure, tnt;
    const char* clothingCaption;
    int clothingY;
    const char* clothing1;
    const char* clothing2;
};
constexpr CaseRows kFullRows = {
    {"Label10", "Label25", "Incident energy exposure (cal/cm2):", 8},
    {"Label11", "Label26", "Flash protection boundary (inches):", 25},
    {"Label12", "Label27", "Level of PPE:", 42},
    {"Label43", "Label45", "Initial pressure (lb/ft2):", 63},
    {"Label44", "Label46", "TNT Equivalent (kg):", 81},
    "Cl_label", 100, "Label50", "Label53"};
constexpr CaseRows kReducedRows = {
    {"Label13", "Label28", "Incident energy exposure (cal/cm2):", 8},
    {"Label14", "Label29", "Flash protection boundary (inches):", 25},
    {"Label15", "Label30", "Level of PPE:", 42},
    {"Label39", "Label41", "Initial pressure (lb/ft2):", 66},
    {"Label40", "Label42", "TNT Equivalent (kg):", 85},
    "Label60", 104, "Label61", "Label62"};

void BuildCase(QFrame* panel, const CaseRows& rows, int valueX) {
    for (const Row& r : {rows.energy, rows.boundary, rows.level, rows.pressure, rows.tnt}) {
        MakeLabel(panel, r.caption, QString::fromLatin1(r.text), 24, r.y);
        MakeLabel(panel, r.value, QString(), valueX, r.y);
    }
    for (const Row& r : {rows.pressure, rows.tnt}) {
        panel->findChild<QLabel*>(r.caption)->hide();
        panel->findChild<QLabel*>(r.value)->hide();
    }
    auto* caption = MakeLabel(panel, rows.clothingCaption,
                              QStringLiteral("Typical protective clothing system:"), 24,
                              rows.clothingY);
    SetBold(caption, true);
    MakeLabel(panel, rows.clothing1, QStringLiteral("N/A"), 184, rows.clothingY + 18);
    MakeLabel(panel, rows.clothing2, QStringLiteral("N/A"), 184, rows.clothingY + 34);
}

// The equipment class chosen in `box`, in English whatever the window shows:
// the report is English and the label translates it by its own language.
std::string EquipmentClass(const QComboBox* box) {
    const int i = box->currentIndex();
    return i < 0 ? std::string() : std::string(kEquipmentClasses[static_cast<std::size_t>(i)]);
}

const QColor kRed(Qt::red);
const QColor kBlack(Qt::black);

}  // namespace

TThird::TThird(Application& app) : app_(app) {
    setObjectName("Third");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(760, 431);
    setWindowTitle(tr("ZENTAVO: results"));

    Summary = MakePanel(this, "Summary", 18, 37, 361, 68);
    SummaryCaption_ = new QLabel(Summary);
    SummaryCaption_->setObjectName("SummaryCaption");
    SummaryCaption_->setAlignment(Qt::AlignCenter);
    SummaryCaption_->setGeometry(2, 2, 357, 64);
    const char* statics[] = {
        "The calculation results below are based upon IEEE 1584 Fuse Equations.",
        "They are intended to help determine  the  PPE level of  protection against",
        "radiated heat only.  Actual  arc flash  severity  could be  different from the ",
        "results shown below. "};
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "StaticText" + QByteArray::number(i + 1);
        auto* line = MakeLabel(Summary, name.constData(), QString::fromLatin1(statics[i]), 4,
                               4 + 15 * i);
        // The four lines fill the panel edge to edge: a touch smaller than the body text.
        QFont f = line->font();
        f.setPointSizeF(7.5);
        line->setFont(f);
    }

    SetBold(MakeLabel(this, "Label31", QStringLiteral("System summary"), 129, 12), true);
    Panel1 = MakePanel(this, "Panel1", 18, 110, 361, 311);
    for (const Row& r : kSummaryRows) {
        MakeLabel(Panel1, r.caption, QString::fromLatin1(r.text), 21, r.y);
        MakeLabel(Panel1, r.value, QString(), 272, r.y);
    }
    MakeLabel(Panel1, "Label47", QStringLiteral("Based on equations for:"), 21, 108)->hide();
    MakeLabel(Panel1, "Label48", QStringLiteral("class"), 184, 108)->hide();
    Panel4 = MakeRule(Panel1, "Panel4", 15, 140, 338);
    Panel5 = MakeRule(Panel1, "Panel5", 15, 187, 338);

    SetBold(MakeLabel(this, "Label9", QStringLiteral("Calculation results (100% arcing current):"),
                      457, 12),
            true);
    Panel2 = MakePanel(this, "Panel2", 385, 37, 361, 156);
    BuildCase(Panel2, kFullRows, 288);
    SetBold(MakeLabel(this, "Label16", QStringLiteral("Calculation results (85% arcing current): "),
                      457, 200),
            true);
    Panel3 = MakePanel(this, "Panel3", 385, 223, 361, 162);
    BuildCase(Panel3, kReducedRows, 289);

    Panel6 = MakePanel(this, "Panel6", 385, 203, 361, 84);
    MakeLabel(Panel6, "Label49",
              QStringLiteral("Calculations are based on 3-phase test at 600 V with an electrode "),
              8, 10);
    MakeLabel(Panel6, "Label51",
              QStringLiteral("gap  of  32 mm  in  a  switchgear  sized  enclosure 20\" x 20\" x20 \""),
              8, 28);
    auto* l52 = MakeLabel(Panel6, "Label52", QStringLiteral(" ( 508x508x508mm ) "), 0, 50);
    const int w52 = l52->sizeHint().width();
    l52->setGeometry((361 - w52) / 2, 50, w52, l52->height());
    Panel6->hide();

    Panel7 = MakePanel(this, "Panel7", 385, 205, 361, 116);
    const char* breakerTexts[] = {
        "The calculation results below are based upon IEEE 1584 equations  ",
        "for incident energy and flash protection boundary by circuit breaker  ",
        "type   and   rating.   The   results   are   based  on  3-phase  tests in   ",
        "20\"x20\"x20\" ( 508x508x508mm. ) enclosure with an electrode  gap",
        "of  1  inch  ( 25mm ).  Actual  arc  flash  severity  could  be  different ",
        "from the results shown in this window. "};
    const char* breakerNames[] = {"Label54", "Label55", "Label56", "Label57", "Label58", "Label59"};
    for (int i = 0; i < 6; ++i) {
        MakeLabel(Panel7, breakerNames[i], QString::fromLatin1(breakerTexts[i]), 8, 8 + 17 * i);
    }
    Panel7->hide();

    Button1 = MakeButton(this, "Button1", tr("&Back"), 385, 397);
    Button3 = MakeButton(this, "Button3", tr("&Save results"), 537, 398);
    Button2 = MakeButton(this, "Button2", tr("Create &label"), 677, 398);
    BitBtn1 = MakeExitButton(this, 723, 8);

    // Every caption in the user's language; the report and the label read
    // their English (EnglishText).
    for (QLabel* l : findChildren<QLabel*>()) {
        if (!l->text().isEmpty()) SetCaption(l, l->text());
    }

    connect(Button1, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button1Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { BitBtn1Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button3Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button2Click(); }); });
}

QLabel* TThird::L(const char* name) const { return findChild<QLabel*>(QString::fromLatin1(name)); }

QString TThird::SummaryCaption() const { return SummaryCaption_->text(); }

void TThird::closeEvent(QCloseEvent* event) {
    // The window has no title-bar buttons: it is left only through its own
    // buttons, or closed when the program ends.
    event->setAccepted(app_.quitRequested());
}

void TThird::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    app_.Guard(this, [&] { FormShow(); });
}

void TThird::FormShow() {
    setWindowTitle(tr("ZENTAVO: results"));
    Button3->setEnabled(true);
    Button2->setEnabled(true);
    // The TNT rows and the caption of the full-current case belong to results
    // with two cases: below 15 kV and, for the empirical model, with a gap of
    // at most 152 mm too (the same condition that decided which cases were
    // computed), so a window shown again never claims a case it does not show.
    const SharedState& st = app_.state();
    const bool empirical = app_.main().ActiveMethod() == 0;
    const bool belowLee = st.Voltage < 15000.0 && !(empirical && IsLeeCase(st.Voltage, st.Gap));
    for (const char* name : {"Label40", "Label42", "Label44", "Label46"}) L(name)->setVisible(belowLee);
    if (!empirical) {
        L("Label44")->hide();
        L("Label46")->hide();
    }
    SetCaption(L("Label9"), belowLee && empirical
                                ? QStringLiteral("Calculation results (100% arcing current):")
                                : QStringLiteral("Calculation results:"));
    FitCaptions(this);
}

void TThird::SetClothing(const CaseTexts& c, QLabel* first, QLabel* second) {
    SetCaption(first, FromUtf8(c.clothing1));
    SetCaption(second, FromUtf8(c.clothing2));
    if (c.clothingSecondLineShown) {
        MoveLabel(first, 24, first->y());
        MoveLabel(second, 24, second->y());
        second->show();
    } else {
        // "Consult PPE Manufacturer" stands alone, further right.
        MoveLabel(first, 120, first->y());
        MoveLabel(second, 176, second->y());
        second->hide();
    }
}

void TThird::MarkGoverningCase(bool reducedGoverns) {
    // Each case: its panel title, its row captions and its values.
    struct Case {
        const char* title;
        const char* captions[3];
        const char* values[3];
    };
    static constexpr Case kFull{"Label9", {"Label10", "Label11", "Label12"}, {"Label25", "Label26", "Label27"}};
    static constexpr Case kReduced{"Label16", {"Label13", "Label14", "Label15"}, {"Label28", "Label29", "Label30"}};
    // The governing case in red and bold, the other plain and black.
    auto mark = [this](const Case& c, bool governs) {
        SetTextColor(L(c.title), governs ? kRed : kBlack);
        for (const char* n : c.captions) {
            SetBold(L(n), governs);
            SetTextColor(L(n), kBlack);
        }
        for (const char* n : c.values) {
            SetBold(L(n), governs);
            SetTextColor(L(n), governs ? kRed : kBlack);
        }
    };
    mark(kFull, !reducedGoverns);
    mark(kReduced, reducedGoverns);
}

void TThird::KeepForLabel(Method method, const QString& equipment, const QString& grounding,
                          const QString& boltedCurrent, const QString& voltage) {
    const SharedState& st = app_.state();
    shown_ = {};
    shown_.method = method;
    shown_.equipment = Utf8(equipment);
    shown_.grounding = Utf8(grounding);
    shown_.workDistMm = st.WorkDist;
    shown_.boltedCurrent = Utf8(boltedCurrent);
    shown_.voltage = Utf8(voltage);
    shown_.voltageV = st.Voltage;
    shown_.gapMm = st.Gap;
    shownUnits_ = app_.Units();
    shownSep_ = app_.Sep();
}

void TThird::ShowEmpiricalResults(const EmpiricalOutcome& out, const EmpiricalSummary& s,
                                  bool showPressure, bool showTnt) {
    const EmpiricalResultTexts& t = out.texts;
    KeepForLabel(kEmpiricalMethod, s.equipment, s.grounding, s.boltedCurrent, s.voltage);
    shown_.full = out.full;
    shown_.approach = out.approach;
    if (t.reducedCaseOffered) shown_.reduced = out.reduced;
    shown_.reducedGoverns = t.reducedGoverns;
    empiricalTexts_ = t;
    show();

    // Method layout.
    SetCaption(SummaryCaption_, QStringLiteral("Calculations based on the IEEE 1584 empirical model"));
    for (const char* n : {"StaticText1", "StaticText2", "StaticText3", "StaticText4"}) L(n)->hide();
    Panel5->hide();
    Panel6->hide();
    Panel7->hide();
    for (const char* n : {"Label4", "Label20", "Label7", "Label23"}) L(n)->show();
    L("Label47")->hide();
    L("Label48")->hide();
    MoveLabel(L("Label6"), 21, 157);
    MoveLabel(L("Label22"), 272, 157);
    SetCaption(L("Label4"), FromUtf8(t.durationCaption));
    if (t.reducedCaseOffered) {
        for (const char* n : {"Label5", "Label21", "Label16"}) L(n)->show();
        Panel3->show();
        Panel4->hide();
        SetCaption(L("Label9"), QStringLiteral("Calculation results (100% arcing current):"));
        MoveLabel(L("Label9"), 457, 12);
    } else {
        for (const char* n : {"Label5", "Label21", "Label16", "Label7", "Label23"}) L(n)->hide();
        Panel3->hide();
        Panel4->show();
        SetCaption(L("Label9"), QStringLiteral("Calculation results:"));
        MoveLabel(L("Label9"), 507, 12);
        MoveLabel(L("Label6"), 21, 182);
        MoveLabel(L("Label22"), 272, 182);
    }
    Button2->setFocus();

    // System summary, copied as the inputs show it.
    SetCaption(L("Label32"), s.equipment);
    SetCaption(L("Label17"), s.gap);
    SetCaption(L("Label18"), s.grounding);
    SetCaption(L("Label19"), s.workDist);
    SetCaption(L("Label20"), s.arcTime);
    SetCaption(L("Label21"), s.arcTimeReduced);
    SetCaption(L("Label22"), s.boltedCurrent);
    SetCaption(L("Label23"), s.arcCurrent);
    SetCaption(L("Label24"), s.voltage);

    // Pressure and TNT rows: what the check boxes ask for, stacked from the top.
    // The TNT row moves up only when it is shown alone; otherwise it keeps its
    // own place under the pressure row, so a TNT row shown again later (the
    // window shown anew from the label preview) never lies on the pressure row.
    const int fullTop = 63, reducedTop = 66;
    for (const char* n : {"Label43", "Label45", "Label39", "Label41"}) L(n)->setVisible(showPressure);
    for (const char* n : {"Label44", "Label46", "Label40", "Label42"}) L(n)->setVisible(showTnt);
    const bool tntAlone = showTnt && !showPressure;
    for (const char* n : {"Label43", "Label45"}) MoveLabel(L(n), L(n)->x(), fullTop);
    for (const char* n : {"Label39", "Label41"}) MoveLabel(L(n), L(n)->x(), reducedTop);
    for (const char* n : {"Label44", "Label46"}) MoveLabel(L(n), L(n)->x(), tntAlone ? fullTop : 81);
    for (const char* n : {"Label40", "Label42"}) MoveLabel(L(n), L(n)->x(), tntAlone ? reducedTop : 85);
    for (const char* n : {"Label43", "Label45"}) SetBold(L(n), t.fullPressureBold);
    for (const char* n : {"Label39", "Label41"}) SetBold(L(n), !t.fullPressureBold);
    for (const char* n : {"Label44", "Label46"}) SetBold(L(n), t.fullTntBold);
    for (const char* n : {"Label40", "Label42"}) SetBold(L(n), !t.fullTntBold);
    if (!t.reducedCaseOffered) {
        for (const char* n : {"Label43", "Label45", "Label44", "Label46"}) L(n)->hide();
    }

    // Values, classification and clothing.
    SetCaption(L("Label45"), FromUtf8(t.full.pressure));
    SetCaption(L("Label41"), FromUtf8(t.reduced.pressure));
    SetCaption(L("Label46"), FromUtf8(t.full.tnt));
    SetCaption(L("Label42"), FromUtf8(t.reduced.tnt));
    SetCaption(L("Label25"), FromUtf8(t.full.energy));
    SetCaption(L("Label28"), FromUtf8(t.reduced.energy));
    SetCaption(L("Label26"), FromUtf8(t.full.boundary));
    SetCaption(L("Label29"), FromUtf8(t.reduced.boundary));
    SetCaption(L("Label36"), FromUtf8(t.approach.limited));
    SetCaption(L("Label37"), FromUtf8(t.approach.restricted));
    SetCaption(L("Label38"), FromUtf8(t.approach.prohibited));
    SetCaption(L("Label27"), FromUtf8(t.full.ppeLevel));
    SetCaption(L("Label30"), FromUtf8(t.reduced.ppeLevel));
    SetClothing(t.full, L("Label50"), L("Label53"));
    SetClothing(t.reduced, L("Label61"), L("Label62"));
    SetBold(L("Cl_label"), t.fullClothingBold);
    SetBold(L("Label60"), t.reducedClothingBold);

    // The governing case: the larger incident energy, in red and bold.
    MarkGoverningCase(t.reducedGoverns);
    FitCaptions(this);
}

void TThird::SetSingleCaseLayout(bool fuse, const SingleCaseResultTexts& t,
                                 const SingleCaseSummary& s, bool showPressure) {
    show();
    SetCaption(SummaryCaption_, FromUtf8(t.summaryCaption));
    for (const char* n : {"StaticText1", "StaticText2", "StaticText3", "StaticText4"}) {
        L(n)->setVisible(fuse);
    }
    Panel3->hide();
    L("Label16")->hide();
    Panel6->setVisible(fuse);
    Panel7->setVisible(!fuse);
    Panel4->show();
    Panel5->show();
    for (const char* n : {"Label4", "Label20", "Label5", "Label21", "Label7", "Label23"}) L(n)->hide();
    MoveLabel(L("Label6"), 21, 157);
    MoveLabel(L("Label22"), 272, 157);
    L("Label47")->show();
    L("Label48")->show();
    MoveLabel(L("Label48"), fuse ? 184 : 230, 108);
    SetCaption(L("Label9"), QStringLiteral("Calculation results:"));
    MoveLabel(L("Label9"), 457, 12);

    // Pressure at full current only, when asked for; never a TNT row.
    for (const char* n : {"Label44", "Label46"}) L(n)->hide();
    for (const char* n : {"Label43", "Label45"}) {
        L(n)->setVisible(showPressure);
        MoveLabel(L(n), L(n)->x(), 86);
        SetBold(L(n), false);
    }

    SetCaption(L("Label48"), s.basedOn);
    SetCaption(L("Label32"), s.equipment);
    SetCaption(L("Label17"), s.gap);
    SetCaption(L("Label18"), QStringLiteral("Grounded"));
    SetCaption(L("Label19"), s.workDist);
    SetCaption(L("Label22"), s.boltedCurrent);
    SetCaption(L("Label24"), s.voltage);
    if (fuse) {
        SetCaption(L("Label23"), FromUtf8(t.arcCurrent));
        SetCaption(L("Label45"), FromUtf8(t.result.pressure));
    }
    SetCaption(L("Label25"), FromUtf8(t.result.energy));
    SetCaption(L("Label26"), FromUtf8(t.result.boundary));
    SetCaption(L("Label36"), FromUtf8(t.approach.limited));
    SetCaption(L("Label37"), FromUtf8(t.approach.restricted));
    SetCaption(L("Label38"), FromUtf8(t.approach.prohibited));
    SetCaption(L("Label27"), FromUtf8(t.result.ppeLevel));
    SetClothing(t.result, L("Label50"), L("Label53"));
    SetBold(L("Cl_label"), true);
    MarkGoverningCase(false);
    Button2->setFocus();
    FitCaptions(this);
}

void TThird::ShowSingleCase(Method method, const CaseResult& result, const ApproachDistances& approach,
                            const SingleCaseResultTexts& t, const SingleCaseSummary& s, bool showPressure) {
    KeepForLabel(method, s.equipment, QStringLiteral("Grounded"), s.boltedCurrent, s.voltage);
    shown_.full = result;
    shown_.approach = approach;
    singleTexts_ = t;
    SetSingleCaseLayout(method == kFuseMethod, t, s, showPressure);
}

void TThird::ShowFuseResults(const FuseOutcome& out, const SingleCaseSummary& s, bool showPressure) {
    ShowSingleCase(kFuseMethod, out.result, out.approach, out.texts, s, showPressure);
}

void TThird::ShowBreakerResults(const BreakerOutcome& out, const SingleCaseSummary& s, bool showPressure) {
    ShowSingleCase(kBreakerMethod, out.result, out.approach, out.texts, s, showPressure);
}

void TThird::Button1Click() {
    hide();
    if (app_.main().ActiveMethod() == 0) {
        app_.Second().show();
        app_.Second().Button2->setFocus();
    } else {
        app_.main().show();
    }
}

void TThird::BitBtn1Click() { app_.AskToExit(this); }

void TThird::Button2Click() { app_.Preview().ShowPointLabel(*this, shown_, shownUnits_, shownSep_); }

void TThird::Button3Click() {
    const QString path = app_.dialogs().SaveFileName(this, ReportFileChoice(lastReportName_));
    if (path.isEmpty() || !MayAppendTo(app_, this, path)) return;
    lastReportName_ = path;
    const std::string file = QFile::encodeName(path).toStdString();

    Tmain& m = app_.main();
    auto text = [this](const char* label) { return Utf8(EnglishText(L(label))); };
    if (m.ActiveMethod() == 0) {
        TSecond& second = app_.Second();
        const EmpiricalResultTexts& e = empiricalTexts_;  // the results as they were shown
        EmpiricalReportTexts r;
        r.equipmentClass = EquipmentClass(m.EquipClassBox);
        r.gapUnit = Utf8(m.Label1->text());
        r.gap = Utf8(m.GapEdit->text());
        r.grounding = std::string(kGroundings[static_cast<std::size_t>(m.GroundGroup->itemIndex())]);
        r.workDistUnit = Utf8(m.Label2->text());
        r.workDist = Utf8(m.WorkDistEdit->text());
        r.boltedCurrent = Utf8(m.IbfEdit->text());
        r.voltage = Utf8(m.VoltEdit->text());
        r.arcCurrent = Utf8(second.IaEdit->text());
        r.arcTime = Utf8(second.t1Edit->text());
        r.arcCurrentReduced = Utf8(second.Ia15Edit->text());
        r.arcTimeReduced = Utf8(second.Edit2->text());
        r.fullEnergyCaption = text("Label10"), r.fullEnergy = e.full.energy;
        r.fullBoundaryCaption = text("Label11"), r.fullBoundary = e.full.boundary;
        r.fullPpeLevel = e.full.ppeLevel;
        r.fullPressureCaption = text("Label43"), r.fullPressure = e.full.pressure;
        r.fullTntCaption = text("Label44"), r.fullTnt = e.full.tnt;
        r.reducedEnergyCaption = text("Label13"), r.reducedEnergy = e.reduced.energy;
        r.reducedBoundaryCaption = text("Label14"), r.reducedBoundary = e.reduced.boundary;
        r.reducedPpeLevel = e.reduced.ppeLevel;
        r.reducedPressureCaption = text("Label39"), r.reducedPressure = e.reduced.pressure;
        r.reducedTntCaption = text("Label40"), r.reducedTnt = e.reduced.tnt;
        r.limitedApproachCaption = text("Label33"), r.limitedApproach = e.approach.limited;
        r.restrictedApproachCaption = text("Label34"), r.restrictedApproach = e.approach.restricted;
        r.prohibitedApproachCaption = text("Label35"), r.prohibitedApproach = e.approach.prohibited;
        r.pressureShown = second.CheckBox1->isChecked();
        r.tntShown = second.CheckBox2->isChecked();
        r.reducedCaseOffered = !app_.state().ReducedCaseOff;
        SaveReportBlock(file, [&](bool) { return EmpiricalReportLines(r); });
        return;
    }

    const bool fuse = m.ActiveMethod() == 1;
    const SingleCaseResultTexts& t = singleTexts_;  // the results as they were shown
    SingleCaseReportTexts r;
    r.equipmentClass = EquipmentClass(fuse ? m.Fuse_Eq_Class : m.CB_Equip);
    r.gapUnit = Utf8((fuse ? m.Label7 : m.Label13)->text());
    r.gap = Utf8((fuse ? m.Fuse_Gap : m.CB_Gap)->text());
    r.workDistUnit = Utf8((fuse ? m.Label8 : m.Label14)->text());
    r.workDist = Utf8((fuse ? m.Fuse_Work_Dist : m.CB_workdist)->text());
    r.basedOn = text("Label48");
    r.boltedCurrent = Utf8((fuse ? m.Fuse_Ibolt : m.CB_Ibolt)->text());
    r.arcCurrent = t.arcCurrent;
    r.voltage = Utf8((fuse ? m.Fuse_Volt : m.CB_volt)->text());
    r.energyCaption = text("Label10"), r.energy = t.result.energy;
    r.boundaryCaption = text("Label11"), r.boundary = t.result.boundary;
    r.ppeLevel = t.result.ppeLevel;
    r.limitedApproachCaption = text("Label33"), r.limitedApproach = t.approach.limited;
    r.restrictedApproachCaption = text("Label34"), r.restrictedApproach = t.approach.restricted;
    r.prohibitedApproachCaption = text("Label35"), r.prohibitedApproach = t.approach.prohibited;
    if (fuse) {
        SaveReportBlock(file, [&](bool appending) { return FuseReportLines(r, appending); });
    } else {
        SaveReportBlock(file, [&](bool) { return BreakerReportLines(r); });
    }
}

}  // namespace zentavo::ui

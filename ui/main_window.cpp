// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QCloseEvent>
#include <algorithm>
#include <stdexcept>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>

#include "engine/breaker.h"
#include "engine/catalog.h"
#include "engine/empirical.h"
#include "engine/fuse_equations.h"
#include "ui/about.h"
#include "ui/application.h"
#include "ui/formedit.h"
#include "ui/dc_window.h"
#include "ui/ieee2018_window.h"
#include "ui/study_window.h"
#include "ui/translations.h"
#include "ui/label_type.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/units_window.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// Hints of the group boxes, translated as the window is made.
const char* const kGapHint = QT_TRANSLATE_NOOP(
    "zentavo::ui::Tmain",
    "Equipment bus gap in mm. Gaps of 3 to 40 mm were used for low voltage testing to simulate "
    "gaps between conductors in low voltage equipment and cables. Gaps 13, 104 and 152 mm. were "
    "used in 5 and 15kV equipment testings. ");
const char* const kWorkDistHint = QT_TRANSLATE_NOOP(
    "zentavo::ui::Tmain",
    "Typical working distance is the sum of the distance between the worker standing in front of "
    "the equipment, and from the front of the equipment to the potential arc source inside the "
    "equipment (300 to 1000 mm). ");
const char* const kBoltedHint = QT_TRANSLATE_NOOP(
    "zentavo::ui::Tmain",
    "Available 3 phase bolted fault current for the range of 700A to 106kA at the point where "
    "work is to be performed in kA. ");
const char* const kVoltageHint46 =
    QT_TRANSLATE_NOOP("zentavo::ui::Tmain", "Line to line voltage - minimum 208 V, maximum 46000 V");
const char* const kVoltageHint15 =
    QT_TRANSLATE_NOOP("zentavo::ui::Tmain", "Line to line voltage - minimum 208 V, maximum 15000 V");

// Tabs of 141 pixels. Every caption shows whole: where one would not fit in
// the window face, the tab row takes a narrow face, and only then the largest
// smaller size (in quarter points) at which all of them fit.
class TabBar : public QTabBar {
public:
    static constexpr int kTabWidth = 141;
    using QTabBar::QTabBar;

    // The window face first, then a narrow cut of a sans-serif face at the
    // same size; only when neither fits, both a quarter point smaller.
    void FitCaptions() {
        const QFont face = font();
        QFont narrow = face;
        narrow.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
                            QStringLiteral("DejaVu Sans Condensed")});
        narrow.setStretch(QFont::Condensed);
        for (qreal size = face.pointSizeF(); size > 5.0; size -= 0.25) {
            for (QFont f : {face, narrow}) {
                f.setPointSizeF(size);
                setFont(f);
                if (CaptionsFit()) return;
            }
        }
    }

protected:
    QSize tabSizeHint(int index) const override {
        QSize s = QTabBar::tabSizeHint(index);
        s.setWidth(kTabWidth);
        return s;
    }

private:
    // The room each caption needs, with the style's margins, at the present face.
    bool CaptionsFit() const {
        for (int i = 0; i < count(); ++i) {
            if (QTabBar::tabSizeHint(i).width() > kTabWidth) return false;
        }
        return true;
    }
};

class PageControl : public QTabWidget {
public:
    explicit PageControl(QWidget* parent) : QTabWidget(parent), bar_(new TabBar(this)) {
        setTabBar(bar_);
    }
    void FitCaptions() { bar_->FitCaptions(); }

private:
    TabBar* bar_;
};

template <std::size_t N>
QStringList Items(const std::array<std::string_view, N>& items) {
    QStringList out;
    for (auto i : items) out << LibraryText(i);
    return out;
}

// Group boxes of a tab page: two columns of 209 x 57 boxes.
constexpr int kLeft[2] = {8, 236};
constexpr int kGroupWidth = 209;
constexpr int kGroupHeight = 57;
int RowTop(int row) { return 6 + row * 64; }

QGroupBox* Group(QWidget* page, const char* name, const QString& title, int row, int column) {
    return MakeGroup(page, name, title, kLeft[column], RowTop(row), kGroupWidth, kGroupHeight);
}

// The unit of every distance field until Options, Units saves another.
QString Mm() { return FromUtf8(UnitWord(LengthUnit::Millimetres)); }

// An edit with its unit caption inside a group box.
QLineEdit* UnitEdit(QGroupBox* g, const char* edit, const QString& text, const char* label,
                    const QString& unit, QLabel** unitLabel = nullptr) {
    auto* e = MakeEdit(g, edit, text, 12, 24, 110);
    auto* l = MakeLabel(g, label, unit, 132, 28);
    if (unitLabel) *unitLabel = l;
    return e;
}

}  // namespace

Tmain::Tmain(Application& app) : app_(app) {
    setObjectName("main");
    setWindowTitle(QStringLiteral("Zentavo"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildMenus();

    auto* client = new QWidget(this);
    client->setFixedSize(472, 381);
    setCentralWidget(client);

    auto* frame = new QFrame(client);
    frame->setObjectName("Panel1");
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(8, 6, 456, 34);
    MakeLabel(frame, "Label11", tr("Active model:"), 10, 9);
    Label12 = MakeLabel(frame, "Label12", tr("IEEE 1584 Empirical Model"), 96, 9);
    SetBold(Label12, true);
    BitBtn1 = MakeExitButton(frame, 428, 4);

    auto* pages = new PageControl(client);
    PageControl1 = pages;
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(8, 46, 456, 296);
    PageControl1->setDocumentMode(true);
    PageControl1->tabBar()->setUsesScrollButtons(false);
    PageControl1->tabBar()->setElideMode(Qt::ElideNone);
    auto addPage = [this](const char* name, const QString& caption) {
        auto* page = new QWidget;
        page->setObjectName(name);
        PageControl1->addTab(page, caption);
        return page;
    };
    BuildEmpiricalTab(addPage("TabSheet1", tr("IEEE1584 Empirical Model")));
    BuildFuseTab(addPage("TabSheet2", tr("IEEE1584 Fuse Equations")));
    BuildBreakerTab(addPage("TabSheet3", tr("Low Voltage Circuit Breakers")));
    pages->FitCaptions();
    PageControl1->setCurrentIndex(0);

    Calc1 = MakeButton(client, "Calc1", tr("&Next"), 389, 350);

    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int i) { app_.Guard(this, [&] { PageControl1Change(i); }); });
    connect(Calc1, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Calc1Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { app_.Guard(this, [&] { Exit1Click(); }); });

    adjustSize();
    setFixedSize(sizeHint());

    // Creation handler: the settings of a new run.
    app_.state().InitialiseForMainWindow();
}

void Tmain::BuildMenus() {
    auto guarded = [this](void (Tmain::*handler)()) {
        return [this, handler] { app_.Guard(this, [&] { (this->*handler)(); }); };
    };
    auto add = [&](QMenu* menu, const char* name, const QString& text, void (Tmain::*handler)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, guarded(handler));
        return a;
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("File1");
    add(file, "Open1", tr("&Open"), &Tmain::Open1Click)->setShortcut(QKeySequence::Open);
    file->addSeparator();
    QAction* newStudy = file->addAction(tr("&New study"));
    newStudy->setObjectName("NewStudy1");
    newStudy->setShortcut(NewStudyKeys());
    connect(newStudy, &QAction::triggered, this, [this] { app_.Guard(this, [&] { NewStudyWindow(app_)->show(); }); });
    QAction* openStudy = file->addAction(tr("Open s&tudy…"));
    openStudy->setObjectName("OpenStudy1");
    connect(openStudy, &QAction::triggered, this, [this] {
        app_.Guard(this, [&] {
            if (TStudy* w = OpenStudyWindow(app_, this)) w->show();
        });
    });
    file->addSeparator();
    add(file, "Exit1", tr("E&xit"), &Tmain::Exit1Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Options1 = menuBar()->addMenu(tr("&Options"));
    Options1->setObjectName("Options1");
    add(Options1, "Labelformat1", tr("&Label format"), &Tmain::Labelformat1Click);
    add(Options1, "Units1", tr("&Units"), &Tmain::Units1Click);
    QAction* model2018 = Options1->addAction(tr("&IEEE 1584-2018 model"));
    model2018->setObjectName("Ieee2018Model1");
    connect(model2018, &QAction::triggered, this,
            [this] { app_.Guard(this, [&] { app_.Ieee2018().Open(); }); });
    QAction* dc = Options1->addAction(tr("&DC arc flash"));
    dc->setObjectName("DcArcFlash1");
    connect(dc, &QAction::triggered, this, [this] { app_.Guard(this, [&] { app_.DcArcFlash().Open(); }); });
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName("Help1");
    add(help, "Contents1", tr("&Contents"), &Tmain::Contents1Click);
    add(help, "About1", tr("&About..."), &Tmain::About1Click);
}

void Tmain::BuildEmpiricalTab(QWidget* page) {
    auto* g = Group(page, "EquipClassGroup", tr("Equipment Class"), 0, 0);
    EquipClassGroup = g;
    EquipClassBox = MakeCombo(g, "EquipClassBox", Items(kEquipmentClasses), 12, 24, 185);
    EquipClassBox->setPlaceholderText(tr("Please select a class"));
    EquipClassBox->setCurrentIndex(-1);

    g = Group(page, "GapGroup", tr("Gap between Conductors"), 0, 1);
    g->setToolTip(tr(kGapHint));
    GapEdit = UnitEdit(g, "GapEdit", QString(), "Label1", Mm(), &Label1);

    GroundGroup = new RadioGroup(page, "GroundGroup", tr("Grounding type"),
                                 Items(kGroundings), 2, kLeft[0], RowTop(1), kGroupWidth,
                                 kGroupHeight);
    GroundGroup->setItemIndex(0);

    g = Group(page, "WorkDistancegroup", tr("Working Distance"), 1, 1);
    g->setToolTip(tr(kWorkDistHint));
    WorkDistEdit = UnitEdit(g, "WorkDistEdit", QString(), "Label2", Mm(), &Label2);

    g = Group(page, "BoltedCurGroup", tr("Available 3 Phase Bolted Current"), 2, 0);
    g->setToolTip(tr(kBoltedHint));
    IbfEdit = UnitEdit(g, "IbfEdit", QString(), "Label3", tr("kAmperes"));

    g = Group(page, "VoltageGroup", tr("System Voltage"), 2, 1);
    g->setToolTip(tr(kVoltageHint46));
    VoltageGroup = g;
    VoltEdit = UnitEdit(g, "VoltEdit", QString(), "Label4", tr("Volts"));
}

void Tmain::BuildFuseTab(QWidget* page) {
    auto* g = Group(page, "GroupBox1", tr("Equipment Class"), 0, 0);
    g->setEnabled(false);
    Fuse_Eq_Class = MakeCombo(g, "Fuse_Eq_Class", Items(kEquipmentClasses), 12, 24, 185);
    Fuse_Eq_Class->setCurrentIndex(kFuseTabClass);

    g = Group(page, "GroupBox2", tr("Gap between Conductors"), 0, 1);
    g->setEnabled(false);
    g->setToolTip(tr(kGapHint));
    Fuse_Gap = UnitEdit(g, "Fuse_Gap", QStringLiteral("32"), "Label7", Mm(), &Label7);

    RadioGroup1 = new RadioGroup(page, "RadioGroup1", tr("Grounding type"),
                                 Items(kGroundings), 2, kLeft[0], RowTop(1), kGroupWidth,
                                 kGroupHeight);
    RadioGroup1->setItemIndex(1);
    RadioGroup1->setEnabled(false);

    g = Group(page, "GroupBox3", tr("Working Distance"), 1, 1);
    g->setToolTip(tr(kWorkDistHint));
    Fuse_Work_Dist =
        UnitEdit(g, "Fuse_Work_Dist", QString(), "Label8", Mm(), &Label8);

    g = Group(page, "GroupBox4", tr("System Voltage"), 2, 0);
    g->setEnabled(false);
    g->setToolTip(tr(kVoltageHint15));
    Fuse_Volt = UnitEdit(g, "Fuse_Volt", QStringLiteral("600"), "Label9", tr("Volts"));

    g = Group(page, "GroupBox5", tr("Available 3 Phase Bolted Current"), 2, 1);
    g->setToolTip(tr(kBoltedHint));
    Fuse_Ibolt = UnitEdit(g, "Fuse_Ibolt", QString(), "Label10", tr("kAmperes"));

    g = MakeGroup(page, "GroupBox6", tr("Current Limiting Fuses"), kLeft[0], RowTop(3),
                  kLeft[1] + kGroupWidth - kLeft[0], kGroupHeight);
    g->setToolTip(tr("Current limiting Class L and Class RK1 fuses"));
    GroupBox6 = g;
    FuseClass = MakeCombo(g, "FuseClass", Items(kFuseClasses), 12, 24, 300);
    FuseClass->setCurrentIndex(0);

    // Never shown: the fuse and breaker paths read it, so their pressure row stays hidden.
    RadioGroup2 = new RadioGroup(page, "RadioGroup2", tr("Show pressure developed by arc*"),
                                 {tr("Yes"), tr("No")}, 2, kLeft[1],
                                 RowTop(3), kGroupWidth, kGroupHeight);
    RadioGroup2->setItemIndex(1);
    RadioGroup2->setVisible(false);
}

void Tmain::BuildBreakerTab(QWidget* page) {
    auto* g = Group(page, "GroupBox8", tr("Equipment Class (Grounded only)"), 0, 0);
    g->setEnabled(false);
    CB_Equip = MakeCombo(g, "CB_Equip", Items(kEquipmentClasses), 12, 24, 185);
    CB_Equip->setCurrentIndex(kBreakerTabClass);

    g = Group(page, "GroupBox9", tr("Gap between Conductors"), 0, 1);
    g->setEnabled(false);
    g->setToolTip(tr(kGapHint));
    CB_Gap = UnitEdit(g, "CB_Gap", QStringLiteral("25"), "Label13", Mm(), &Label13);

    g = Group(page, "GroupBox10", tr("Working Distance"), 1, 0);
    g->setToolTip(tr(kWorkDistHint));
    CB_workdist = UnitEdit(g, "CB_workdist", QString(), "Label14", Mm(), &Label14);

    g = Group(page, "GroupBox11", tr("Available 3 Phase Bolted Current"), 1, 1);
    g->setToolTip(tr(kBoltedHint));
    CB_Ibolt = UnitEdit(g, "CB_Ibolt", QString(), "Label15", tr("kAmperes"));

    g = Group(page, "GroupBox12", tr("System Voltage"), 2, 0);
    g->setToolTip(tr(kVoltageHint15));
    CB_volt = UnitEdit(g, "CB_volt", QString(), "Label16", tr("Volts"));

    g = Group(page, "GroupBox13", tr("Breaker Type"), 2, 1);
    GroupBox13 = g;
    Breakertype = MakeCombo(g, "Breakertype", Items(kBreakerTypes), 12, 24, 185);
    Breakertype->setCurrentIndex(0);

    g = Group(page, "GroupBox14", tr("Breaker Interrupting Rating"), 3, 0);
    ir_edit = UnitEdit(g, "ir_edit", QString(), "Label17", tr("kAmperes"));

    g = Group(page, "GroupBox15", tr("Breaker Instantaneous Trip"), 3, 1);
    it_edit = UnitEdit(g, "it_edit", QString(), "Label18", tr("kAmperes"));
}

int Tmain::ActiveMethod() const { return PageControl1->currentIndex(); }

void Tmain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    app_.Guard(this, [&] { FormShow(); });
}

void Tmain::closeEvent(QCloseEvent* event) {
    // Closing the main window by its frame ends the program without asking.
    event->accept();
    app_.Quit();
}

void Tmain::FormShow() {
    setWindowTitle(QStringLiteral("Zentavo"));
    Options1->setEnabled(true);
    for (QWidget* w : {EquipClassGroup, static_cast<QWidget*>(EquipClassBox), VoltageGroup,
                       static_cast<QWidget*>(VoltEdit), GroupBox6,
                       static_cast<QWidget*>(FuseClass), GroupBox13,
                       static_cast<QWidget*>(Breakertype)}) {
        w->setEnabled(true);
    }
    switch (ActiveMethod()) {
        case 0: EquipClassBox->setFocus(); break;
        case 1: Fuse_Work_Dist->setFocus(); break;
        default: CB_workdist->setFocus(); break;
    }
}

void Tmain::PageControl1Change(int index) {
    SetCaption(Label12, PageControl1->tabText(index));
}

void Tmain::Calc1Click() {
    switch (ActiveMethod()) {
        case 0: CalculateEmpirical(); break;
        case 1: CalculateFuse(); break;
        default: CalculateBreaker(); break;
    }
}

LengthUnit Tmain::CaptionUnit(const QLabel* caption) const {
    // The units window writes only its items' words into these captions.
    const QString word = EnglishText(caption);
    if (const auto unit = ParseLengthUnit(Utf8(word))) return *unit;
    throw std::runtime_error(Utf8(tr("“%1” is not a length unit.").arg(word)));
}

void Tmain::CalculateEmpirical() {
    const std::string volt = Utf8(VoltEdit->text()), ibf = Utf8(IbfEdit->text()),
                      gap = Utf8(GapEdit->text()), wd = Utf8(WorkDistEdit->text());
    EmpiricalFields f;
    f.voltage = volt;
    f.boltedCurrent = ibf;
    f.gap = gap;
    f.workDist = wd;
    f.gapUnit = CaptionUnit(Label1);
    f.workDistUnit = CaptionUnit(Label2);
    f.equipmentClass = EquipClassBox->currentIndex();
    f.grounding = GroundGroup->itemIndex();
    const ArcCurrentOutcome out = RunEmpiricalArcCurrent(app_.state(), f, app_.Sep());
    if (out.refusal) {
        app_.dialogs().Warning(this, LibraryText(out.refusal->message));
        return;
    }
    hide();
    app_.Second().ShowFromMain(out);
}

void Tmain::CalculateFuse() {
    const std::string ibf = Utf8(Fuse_Ibolt->text()), wd = Utf8(Fuse_Work_Dist->text());
    FuseFields f;
    f.boltedCurrent = ibf;
    f.workDist = wd;
    f.workDistUnit = CaptionUnit(Label8);
    f.fuseClass = FuseClass->currentIndex();
    f.equipmentClass = Fuse_Eq_Class->currentIndex();
    const FuseOutcome out = RunFuse(app_.state(), f, app_.Units(), app_.Sep());
    Fuse_Gap->setText(FromUtf8(out.gapText));
    if (out.refusal) {
        app_.dialogs().Warning(this, LibraryText(out.refusal->message));
        return;
    }
    hide();
    SingleCaseSummary s;
    // In English: the results window shows them translated, the report and label read them so.
    s.basedOn = FromUtf8(kFuseClasses[static_cast<std::size_t>(FuseClass->currentIndex())]);
    s.equipment = FromUtf8(kEquipmentClasses[static_cast<std::size_t>(Fuse_Eq_Class->currentIndex())]);
    s.gap = Fuse_Gap->text();
    s.workDist = Fuse_Work_Dist->text();
    s.boltedCurrent = Fuse_Ibolt->text();
    s.voltage = Fuse_Volt->text();
    app_.Third().ShowFuseResults(out, s, RadioGroup2->itemIndex() == 0);
}

void Tmain::CalculateBreaker() {
    const std::string volt = Utf8(CB_volt->text()), ibf = Utf8(CB_Ibolt->text()),
                      wd = Utf8(CB_workdist->text()),
                      ir = Utf8(ir_edit->text()), it = Utf8(it_edit->text());
    BreakerFields f;
    f.voltage = volt;
    f.boltedCurrent = ibf;
    f.workDist = wd;
    f.workDistUnit = CaptionUnit(Label14);
    f.interruptingRating = ir;
    f.instantaneousTrip = it;
    f.breakerType = Breakertype->currentIndex();
    f.equipmentClass = CB_Equip->currentIndex();
    const BreakerOutcome out = RunBreaker(app_.state(), f, app_.Units(), app_.Sep());
    if (out.refusal) {
        app_.dialogs().Warning(this, LibraryText(out.refusal->message));
        return;
    }
    hide();
    SingleCaseSummary s;
    s.basedOn = FromUtf8(kBreakerTypes[static_cast<std::size_t>(Breakertype->currentIndex())]);
    s.equipment = FromUtf8(kEquipmentClasses[static_cast<std::size_t>(CB_Equip->currentIndex())]);
    s.gap = CB_Gap->text();
    s.workDist = CB_workdist->text();
    s.boltedCurrent = CB_Ibolt->text();
    s.voltage = CB_volt->text();
    app_.Third().ShowBreakerResults(out, s, RadioGroup2->itemIndex() == 0);
}

void Tmain::Open1Click() { app_.Formedit().OpenFromMain(); }

void Tmain::Exit1Click() { app_.AskToExit(this); }

void Tmain::Labelformat1Click() {
    hide();
    app_.FormLabelType().show();
}

void Tmain::Units1Click() {
    app_.FormUnits().show();
    hide();
}

void Tmain::Contents1Click() {
    // The help document of the current directory, else the installed one.
    const QString local = QDir::current().absoluteFilePath(QStringLiteral("zentavo.hlp"));
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .absoluteFilePath(QStringLiteral(ZENTAVO_HELP_FROM_BIN "/zentavo.hlp"));
    app_.dialogs().OpenDocument(QFileInfo::exists(local) || !QFileInfo::exists(installed) ? local
                                                                                          : installed);
}

void Tmain::About1Click() { app_.about().exec(); }

}  // namespace zentavo::ui

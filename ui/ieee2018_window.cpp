// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ieee2018_window.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <initializer_list>

#include "engine/number.h"
#include "label/point_label.h"
#include "report/report.h"
#include "report/report2018.h"
#include "ui/application.h"
#include "ui/open_files.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

const QColor kRed(Qt::red);
const QColor kBlack(Qt::black);

// Value labels of the two cases, in row order: full, reduced.
constexpr const char* kCaseRows[][2] = {
    {"FullArcCurrent", "ReducedArcCurrent"}, {"FullEnergy", "ReducedEnergy"},
    {"FullBoundary", "ReducedBoundary"},     {"FullPpe", "ReducedPpe"},
    {"FullClothing1", "ReducedClothing1"},   {"FullClothing2", "ReducedClothing2"},
};
// Result labels outside the two cases.
constexpr const char* kOtherResults[] = {"GoverningCase",   "EnclosureType",
                                         "CorrectionFactor", "LimitedApproach",
                                         "RestrictedApproach", "ProhibitedApproach"};

}  // namespace

TIeee2018::TIeee2018(Application& app) : app_(app) {
    setObjectName("Ieee2018");
    setWindowTitle(tr("ZENTAVO: IEEE 1584-2018 model"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    QGroupBox* inputs = BuildInputs();
    QGroupBox* results = BuildResults();
    QGroupBox* duration = BuildDuration();
    QHBoxLayout* buttons = BuildButtons();
    auto* body = new QHBoxLayout;
    body->addWidget(inputs);
    body->addWidget(results, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addWidget(duration);
    top->addLayout(buttons);
    for (const char* n : {"FullTitle", "ReducedTitle", "ClothingCaption"}) SetBold(L(n), true);

    SaveButton->setEnabled(false);
    LabelButton->setEnabled(false);
    shownUnits_ = app_.Units();
    SetInputCaptions();
    SetOutputCaptions(shownUnits_);
    ReserveResultRoom();
    ConnectControls();
}

void TIeee2018::BreakCaptions() {
    // The captions of the fields and results, and the cases' titles, in
    // lines of a width that keeps the window within a 1024-pixel screen in
    // every language.
    for (QLabel* l : findChildren<QLabel*>()) {
        if (l->buddy() || l->objectName().endsWith(QLatin1String("Caption")) ||
            l->objectName().endsWith(QLatin1String("Title"))) {
            BreakCaption(l, l->buddy() || l->objectName().endsWith(QLatin1String("Caption")) ? kCaptionWidth
                                                                                               : kValueWidth);
        }
    }
}

void TIeee2018::ReserveResultRoom() {
    // The clothing lines take the room of the longest level's, wrapped in the
    // width of a case's column, so that the window keeps its size whatever
    // the results show; the second line keeps its room when a level has none.
    QStringList lines[2];
    for (std::int32_t level = 0; level <= 5; ++level) {
        const ClothingText c = ClothingLines(level);
        lines[0] << WrappedAtSpacesText(FromUtf8(c.first));
        lines[1] << WrappedAtSpacesText(FromUtf8(c.second));
    }
    for (int k = 0; k < 2; ++k) {
        for (int c = 0; c < 2; ++c) ReserveWrappedRoom(L(kCaseRows[4 + k][c]), lines[k], kValueWidth);
    }
}

QGroupBox* TIeee2018::BuildInputs() {
    auto* inputs = new QGroupBox(tr("System and equipment"));
    inputs->setObjectName("InputGroup");
    auto* form = new QFormLayout(inputs);
    EquipmentBox = new QComboBox;
    EquipmentBox->setObjectName("EquipmentBox");
    for (const auto& e : kIeee2018Equipment) EquipmentBox->addItem(LibraryText(e.name));
    EquipmentBox->setPlaceholderText(tr("Choose an equipment type"));
    EquipmentBox->setCurrentIndex(-1);
    ElectrodeBox = new QComboBox;
    ElectrodeBox->setObjectName("ElectrodeBox");
    // Each code with its words; the code (the item's data) is what is
    // computed, saved and put on the label.
    // In short, to fit the closed box in every language; whole in the item's tool tip.
    const QString electrodeWords[] = {
        tr("VCB \u2014 vertical, in a metal box"),
        tr("VCBB \u2014 vertical, barrier, metal box"),
        tr("HCB \u2014 horizontal, in a metal box"),
        tr("VOA \u2014 vertical, in open air"),
        tr("HOA \u2014 horizontal, in open air")};
    const QString electrodeTips[] = {
        tr("VCB \u2014 vertical conductors in a metal box"),
        tr("VCBB \u2014 vertical conductors terminated in an insulating barrier inside a "
           "metal box"),
        tr("HCB \u2014 horizontal conductors in a metal box"),
        tr("VOA \u2014 vertical conductors in open air"),
        tr("HOA \u2014 horizontal conductors in open air")};
    for (std::size_t i = 0; i < kElectrodeWords.size(); ++i) {
        ElectrodeBox->addItem(electrodeWords[i], FromUtf8(std::string(kElectrodeWords[i])));
        ElectrodeBox->setItemData(static_cast<int>(i), electrodeTips[i], Qt::ToolTipRole);
    }
    // The closed box is as wide as the equipment picker; its list shows the words whole.
    ElectrodeBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ElectrodeBox->setMinimumContentsLength(30);
    ElectrodeBox->view()->setMinimumWidth(ElectrodeBox->view()->sizeHintForColumn(0) + 24);
    ElectrodeBox->setPlaceholderText(tr("Choose a configuration"));
    ElectrodeBox->setCurrentIndex(-1);
    VoltEdit = NamedEdit("VoltEdit");
    IbfEdit = NamedEdit("IbfEdit");
    GapEdit = NamedEdit("GapEdit");
    HeightEdit = NamedEdit("HeightEdit");
    WidthEdit = NamedEdit("WidthEdit");
    DepthEdit = NamedEdit("DepthEdit");
    WorkDistEdit = NamedEdit("WorkDistEdit");
    // Where the arc durations come from: the group below the inputs holds
    // the typed durations or the device's fields.
    DurationSourceBox = new QComboBox;
    DurationSourceBox->setObjectName("DurationSourceBox");
    DurationSourceBox->addItem(tr("Typed at each arcing current"));
    DurationSourceBox->addItem(tr("From a protective device"));
    form->addRow(tr("Equipment type:"), EquipmentBox);
    form->addRow(tr("Electrode configuration:"), ElectrodeBox);
    form->addRow(tr("System voltage (V):"), VoltEdit);
    form->addRow(tr("Available 3Ph bolted current (kA):"), IbfEdit);
    form->addRow(NamedLabel("GapCaption"), GapEdit);
    form->addRow(NamedLabel("HeightCaption"), HeightEdit);
    form->addRow(NamedLabel("WidthCaption"), WidthEdit);
    form->addRow(NamedLabel("DepthCaption"), DepthEdit);
    form->addRow(NamedLabel("WorkDistCaption"), WorkDistEdit);
    form->addRow(tr("Arc duration:"), DurationSourceBox);
    // A screen reader names each field by its caption.
    for (QWidget* field : std::initializer_list<QWidget*>{
             EquipmentBox, ElectrodeBox, VoltEdit, IbfEdit, GapEdit, HeightEdit, WidthEdit,
             DepthEdit, WorkDistEdit, DurationSourceBox}) {
        if (auto* caption = qobject_cast<QLabel*>(form->labelForField(field))) {
            caption->setBuddy(field);
        }
    }
    return inputs;
}

QGroupBox* TIeee2018::BuildResults() {
    // Both cases side by side.
    auto* results = new QGroupBox(tr("Calculation results"));
    results->setObjectName("ResultGroup");
    auto* grid = new QGridLayout(results);
    grid->addWidget(NamedLabel("FullTitle", tr("Arcing current")), 0, 1);
    grid->addWidget(NamedLabel("ReducedTitle", tr("Reduced arcing current")), 0, 2);
    const char* captions[] = {"ArcCurrentCaption", "EnergyCaption", "BoundaryCaption", "PpeCaption",
                              "ClothingCaption"};
    const QString captionTexts[] = {tr("Arcing current (kA):"), QString(), QString(),
                                    tr("Level of PPE:"),
                                    tr("Typical protective clothing system:")};
    for (int r = 0; r < 5; ++r) grid->addWidget(NamedLabel(captions[r], captionTexts[r]), r + 1, 0);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 2; ++c) {
            QLabel* v = NamedLabel(kCaseRows[r][c]);
            if (r >= 4) v->setWordWrap(true);
            // The columns keep their width whatever they show: the window
            // does not jump as results appear and are cleared.
            v->setSizePolicy(QSizePolicy::Ignored, v->sizePolicy().verticalPolicy());
            grid->addWidget(v, r + 1, c + 1);
        }
    }
    grid->addWidget(NamedLabel("GoverningCaption", tr("Governing case:")), 7, 0);
    grid->addWidget(NamedLabel("GoverningCase"), 7, 1, 1, 2);
    grid->addWidget(NamedLabel("EnclosureTypeCaption", tr("Enclosure type:")), 8, 0);
    grid->addWidget(NamedLabel("EnclosureType"), 8, 1, 1, 2);
    grid->addWidget(NamedLabel("CfCaption", tr("Enclosure size correction factor:")), 9, 0);
    grid->addWidget(NamedLabel("CorrectionFactor"), 9, 1, 1, 2);
    const char* approach[][2] = {{"LimitedCaption", "LimitedApproach"},
                                 {"RestrictedCaption", "RestrictedApproach"},
                                 {"ProhibitedCaption", "ProhibitedApproach"}};
    for (int r = 0; r < 3; ++r) {
        grid->addWidget(NamedLabel(approach[r][0]), 10 + r, 0);
        grid->addWidget(NamedLabel(approach[r][1]), 10 + r, 1, 1, 2);
    }
    for (int c : {1, 2}) {
        grid->setColumnStretch(c, 1);
        grid->setColumnMinimumWidth(c, kValueWidth);
    }
    for (const char* n : kOtherResults) {
        auto* v = results->findChild<QLabel*>(QString::fromLatin1(n));
        v->setSizePolicy(QSizePolicy::Ignored, v->sizePolicy().verticalPolicy());
    }
    return results;
}

QHBoxLayout* TIeee2018::BuildButtons() {
    ComputeButton = NamedButton("ComputeButton", tr("&Compute"));
    BackButton = NamedButton("BackButton", tr("&Back"));
    SaveButton = NamedButton("SaveButton", tr("&Save results"));
    LabelButton = NamedButton("LabelButton", tr("Create &label"));
    ExitButton = MakeExitButton(this, 0, 0);
    for (QPushButton* b : {ComputeButton, BackButton, SaveButton, LabelButton}) {
        b->setAccessibleName(b->text().remove(QLatin1Char('&')));
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addStretch();
    buttons->addWidget(ComputeButton);
    buttons->addWidget(SaveButton);
    buttons->addWidget(LabelButton);
    buttons->addWidget(ExitButton);
    return buttons;
}

void TIeee2018::ConnectControls() {
    auto guarded = [this](void (TIeee2018::*handler)()) {
        return [this, handler] { app_.Guard(this, [&] { (this->*handler)(); }); };
    };
    connect(EquipmentBox, &QComboBox::activated, this,
            [this](int i) { app_.Guard(this, [&] { EquipmentBoxChange(i); }); });
    connect(ComputeButton, &QPushButton::clicked, this, guarded(&TIeee2018::ComputeClick));
    // Any change of an input leaves the results shown without their inputs.
    auto changed = [this] { ClearResults(); };
    for (QLineEdit* e : {VoltEdit, IbfEdit, GapEdit, HeightEdit, WidthEdit, DepthEdit, WorkDistEdit,
                         ArcTimeEdit, ArcTimeReducedEdit}) {
        connect(e, &QLineEdit::returnPressed, this, guarded(&TIeee2018::ComputeClick));
        connect(e, &QLineEdit::textChanged, this, changed);
    }
    connect(EquipmentBox, &QComboBox::currentIndexChanged, this, changed);
    connect(ElectrodeBox, &QComboBox::currentIndexChanged, this, changed);
    connect(ElectrodeBox, &QComboBox::currentIndexChanged, this, [this] { EnableEnclosure(); });
    connect(BackButton, &QPushButton::clicked, this, guarded(&TIeee2018::BackClick));
    connect(SaveButton, &QPushButton::clicked, this, guarded(&TIeee2018::SaveClick));
    connect(LabelButton, &QPushButton::clicked, this, guarded(&TIeee2018::LabelClick));
    connect(ExitButton, &QPushButton::clicked, this, guarded(&TIeee2018::ExitClick));
    ConnectDuration();
}

QLabel* TIeee2018::L(const char* name) const {
    return findChild<QLabel*>(QString::fromLatin1(name));
}

void TIeee2018::closeEvent(QCloseEvent* event) {
    // Left only through its own buttons, like the other steps of the wizard,
    // or closed when the program ends.
    event->setAccepted(app_.quitRequested());
}

void TIeee2018::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) app_.Guard(this, [&] { FormShow(); });
}

void TIeee2018::SetInputCaptions() {
    const QString gap = FromUtf8(UnitWord(shownUnits_.GapUnit)),
                  wd = FromUtf8(UnitWord(shownUnits_.WorkDistUnit));
    SetCaption(L("GapCaption"), "Gap between conductors (" + gap + "):");
    SetCaption(L("HeightCaption"), "Enclosure height (" + gap + "):");
    SetCaption(L("WidthCaption"), "Enclosure width (" + gap + "):");
    SetCaption(L("DepthCaption"), "Enclosure depth (" + gap + "):");
    SetCaption(L("WorkDistCaption"), "Working distance (" + wd + "):");
    BreakCaptions();
}

void TIeee2018::SetOutputCaptions(const UnitSettings& u) {
    const QString b = FromUtf8(UnitWord(u.BoundaryUnit)), e = FromUtf8(UnitWord(u.EnergyUnit));
    SetCaption(L("EnergyCaption"), "Incident energy exposure (" + e + "):");
    SetCaption(L("BoundaryCaption"), "Flash protection boundary (" + b + "):");
    SetCaption(L("LimitedCaption"), "Limited approach boundary (" + b + "):");
    SetCaption(L("RestrictedCaption"), "Restricted approach boundary (" + b + "):");
    SetCaption(L("ProhibitedCaption"), "Prohibited approach boundary (" + b + "):");
    BreakCaptions();
}

void TIeee2018::FormShow() {
    // The units window converts the fields when it applies new units; here
    // nothing is left to do unless the units changed some other way.
    FollowUnits();
}

void TIeee2018::FollowUnits() {
    const UnitSettings now = app_.Units();
    const UnitSettings before = shownUnits_;
    const char sep = app_.Sep();
    QLineEdit* lengths[5] = {GapEdit, HeightEdit, WidthEdit, DepthEdit, WorkDistEdit};
    for (int i = 0; i < 5; ++i) {
        const bool wd = lengths[i] == WorkDistEdit;
        const LengthUnit from = wd ? before.WorkDistUnit : before.GapUnit;
        const LengthUnit to = wd ? now.WorkDistUnit : now.GapUnit;
        if (from == to) continue;
        lengths[i]->setText(
            FromUtf8(lengthUnits_[i].Convert(Utf8(lengths[i]->text()), from, to, sep)));
    }
    shownUnits_ = now;
    SetInputCaptions();
    SetOutputCaptions(now);
    // Results in other units than the ones now chosen would be misread.
    if (now.GapUnit != before.GapUnit || now.WorkDistUnit != before.WorkDistUnit ||
        now.EnergyUnit != before.EnergyUnit || now.BoundaryUnit != before.BoundaryUnit) {
        ClearResults();
    }
}

void TIeee2018::ClearResults() {
    hasResult_ = false;
    for (const auto& row : kCaseRows) {
        for (const char* n : row) SetCaption(L(n), QString());
    }
    for (const char* n : kOtherResults) SetCaption(L(n), QString());
    for (const char* n : {"FullTitle", "ReducedTitle"}) SetTextColor(L(n), kBlack);
    SaveButton->setEnabled(false);
    LabelButton->setEnabled(false);
    ClearDurations();
}

void TIeee2018::EnableEnclosure() {
    const int i = ElectrodeBox->currentIndex();
    const bool enclosed = i < 0 || !IsOpenAir(static_cast<Electrode>(i));
    for (QLineEdit* e : {HeightEdit, WidthEdit, DepthEdit}) e->setEnabled(enclosed);
    for (const char* n : {"HeightCaption", "WidthCaption", "DepthCaption"}) {
        L(n)->setEnabled(enclosed);
    }
}

void TIeee2018::EquipmentBoxChange(int index) {
    if (index < 0 || index >= static_cast<int>(kIeee2018Equipment.size())) return;
    const Ieee2018Equipment& e = kIeee2018Equipment[static_cast<std::size_t>(index)];
    const LengthUnit gapUnit = shownUnits_.GapUnit;
    const char sep = app_.Sep();
    auto text = [sep](double mm, LengthUnit unit) {
        return FromUtf8(Ieee2018LengthText(mm, unit, sep));
    };
    GapEdit->setText(text(e.gapMm, gapUnit));
    HeightEdit->setText(text(e.heightMm, gapUnit));
    WidthEdit->setText(text(e.widthMm, gapUnit));
    DepthEdit->setText(text(e.depthMm, gapUnit));
    WorkDistEdit->setText(text(e.workDistMm, shownUnits_.WorkDistUnit));
    ElectrodeBox->setCurrentIndex(static_cast<int>(e.electrode));
}

void TIeee2018::ComputeClick() {
    // A refused calculation leaves nothing to save or label.
    ClearResults();
    const std::string volt = Utf8(VoltEdit->text()), ibf = Utf8(IbfEdit->text()),
                      gap = Utf8(GapEdit->text()),
                      electrode = Utf8(ElectrodeBox->currentData().toString()),
                      h = Utf8(HeightEdit->text()), w = Utf8(WidthEdit->text()),
                      d = Utf8(DepthEdit->text()), wd = Utf8(WorkDistEdit->text()),
                      t1 = Utf8(ArcTimeEdit->text()), t2 = Utf8(ArcTimeReducedEdit->text());
    // Lengths in the units their captions name; results in the output units.
    UnitSettings u = app_.Units();
    u.GapUnit = shownUnits_.GapUnit;
    u.WorkDistUnit = shownUnits_.WorkDistUnit;
    Ieee2018Fields f{volt, ibf, gap, electrode, h, w, d, wd, t1, t2};
    f.gapUnit = f.enclosureUnit = u.GapUnit;
    f.workDistUnit = u.WorkDistUnit;
    Ieee2018Outcome out = RunWithDurations(f, u);
    if (out.refusal) {
        app_.dialogs().Warning(this, LibraryText(out.refusal->message));
        return;
    }
    last_ = std::move(out);
    resultUnits_ = u;
    typed_ = {VoltEdit->text(),
              IbfEdit->text(),
              GapEdit->text(),
              HeightEdit->text(),
              WidthEdit->text(),
              DepthEdit->text(),
              WorkDistEdit->text(),
              ArcTimeEdit->text(),
              ArcTimeReducedEdit->text(),
              FromUtf8(Ieee2018EquipmentText(EquipmentBox->currentIndex(), last_.inputs)),
              FromUtf8(UnitWord(u.GapUnit)),
              FromUtf8(UnitWord(u.WorkDistUnit))};
    SetOutputCaptions(u);
    ShowResults(last_);
    ShowDurations();
    hasResult_ = true;
    // A device set as no device is: the results stand, computed as typed,
    // and the warning says which settings to check.
    if (!durations_.cautions.empty()) app_.dialogs().Warning(this, CautionText());
}

void TIeee2018::ShowResults(const Ieee2018Outcome& out) {
    const Ieee2018Texts& t = out.texts;
    const CaseTexts* cases[2] = {&t.full, &t.reduced};
    const std::string currents[2] = {t.arcCurrent, t.arcCurrentReduced};
    for (int c = 0; c < 2; ++c) {
        const CaseTexts& k = *cases[c];
        SetCaption(L(kCaseRows[0][c]), FromUtf8(currents[c]));
        SetCaption(L(kCaseRows[1][c]), FromUtf8(k.energy));
        SetCaption(L(kCaseRows[2][c]), FromUtf8(k.boundary));
        SetCaption(L(kCaseRows[3][c]), FromUtf8(k.ppeLevel));
        SetCaptionWrappedAtSpaces(L(kCaseRows[4][c]), FromUtf8(k.clothing1));
        SetCaptionWrappedAtSpaces(L(kCaseRows[5][c]), FromUtf8(k.clothing2));
        L(kCaseRows[5][c])->setVisible(k.clothingSecondLineShown);
        // The governing case in red and bold, the other plain and black.
        const bool governs = (c == 1) == t.reducedGoverns;
        for (const char* n : {kCaseRows[1][c], kCaseRows[2][c], kCaseRows[3][c]}) {
            SetBold(L(n), governs);
            SetTextColor(L(n), governs ? kRed : kBlack);
        }
        SetTextColor(L(c == 0 ? "FullTitle" : "ReducedTitle"), governs ? kRed : kBlack);
    }
    SetCaption(L("GoverningCase"), t.reducedGoverns ? tr("reduced arcing current")
                                                    : tr("arcing current"));
    SetCaption(L("EnclosureType"), FromUtf8(t.enclosureType));
    SetCaption(L("CorrectionFactor"), FromUtf8(t.correctionFactor));
    SetCaption(L("LimitedApproach"), FromUtf8(t.approach.limited));
    SetCaption(L("RestrictedApproach"), FromUtf8(t.approach.restricted));
    SetCaption(L("ProhibitedApproach"), FromUtf8(t.approach.prohibited));
    SaveButton->setEnabled(true);
    LabelButton->setEnabled(true);
    LabelButton->setFocus();
}

void TIeee2018::BackClick() {
    hide();
    app_.main().show();
}

void TIeee2018::ExitClick() { app_.AskToExit(this); }

void TIeee2018::SaveClick() {
    if (!hasResult_) return;
    const QString path = app_.dialogs().SaveFileName(this, ReportFileChoice(lastReportName_));
    if (path.isEmpty() || !MayAppendTo(app_, this, path)) return;
    lastReportName_ = path;

    // The inputs as they were when the results were computed.
    const Ieee2018Inputs& in = last_.inputs;
    auto text = [this](const char* label) { return Utf8(EnglishText(L(label))); };
    Ieee2018ReportTexts r;
    r.electrode = std::string(kElectrodeWords[static_cast<std::size_t>(in.electrode)]);
    r.gapUnit = r.enclosureUnit = Utf8(typed_.gapUnit);
    r.workDistUnit = Utf8(typed_.workDistUnit);
    r.gap = Utf8(typed_.gap);
    r.height = Utf8(typed_.height);
    r.width = Utf8(typed_.width);
    r.depth = Utf8(typed_.depth);
    r.workDist = Utf8(typed_.workDist);
    r.boltedCurrent = Utf8(typed_.boltedCurrent);
    r.voltage = Utf8(typed_.voltage);
    r.arcTime = Utf8(typed_.arcTime);
    r.arcTimeReduced = Utf8(typed_.arcTimeReduced);
    r.openAir = IsOpenAir(in.electrode);
    // The results as the calculation wrote them (in the units they were shown in); the captions as shown.
    const Ieee2018Texts& t = last_.texts;
    r.enclosureType = t.enclosureType;
    r.correctionFactor = t.correctionFactor;
    r.arcCurrent = t.arcCurrent;
    r.arcCurrentReduced = t.arcCurrentReduced;
    r.energyCaption = text("EnergyCaption");
    r.boundaryCaption = text("BoundaryCaption");
    r.energy = t.full.energy, r.boundary = t.full.boundary, r.ppe = t.full.ppeLevel;
    r.energyReduced = t.reduced.energy, r.boundaryReduced = t.reduced.boundary;
    r.ppeReduced = t.reduced.ppeLevel;
    r.reducedGoverns = t.reducedGoverns;
    r.limitedCaption = text("LimitedCaption"), r.limited = t.approach.limited;
    r.restrictedCaption = text("RestrictedCaption"), r.restricted = t.approach.restricted;
    r.prohibitedCaption = text("ProhibitedCaption"), r.prohibited = t.approach.prohibited;
    AddDurationsToReport(r);
    SaveReportBlock(QFile::encodeName(path).toStdString(),
                    [&](bool) { return Ieee2018ReportLines(r); });
}

void TIeee2018::LabelClick() {
    if (!hasResult_) return;
    LabelPoint p;
    p.method = kIeee2018Method;
    p.equipment = Utf8(typed_.equipment);
    p.workDistMm = last_.inputs.workDistMm;
    p.boltedCurrent = Utf8(typed_.boltedCurrent);
    p.voltage = Utf8(typed_.voltage);
    p.full = last_.full;
    p.reduced = last_.reduced;
    p.reducedGoverns = last_.texts.reducedGoverns;
    p.approach = last_.approach;
    p.voltageV = last_.inputs.voltage;
    p.gapMm = last_.inputs.gapMm;
    if (durations_.used) {
        LabelPointDevice d;
        d.type = durations_.type;
        d.relayCurve = durations_.relayCurve;
        d.full = {durations_.full.seconds, durations_.full.element};
        d.reduced = LabelDuration{durations_.reduced.seconds, durations_.reduced.element};
        p.device = d;
    }
    // The label takes the governing case alone, its grounding "N/A".
    app_.Preview().ShowPointLabel(*this, p, resultUnits_, app_.Sep());
}

void TIeee2018::Open() {
    app_.main().hide();
    show();
    VoltEdit->setFocus();
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dc_window.h"

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

#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "label/point_label.h"
#include "render/time_current.h"
#include "report/report.h"
#include "report/report_dc.h"
#include "ui/application.h"
#include "ui/device_panel.h"
#include "ui/main_window.h"
#include "ui/open_files.h"
#include "ui/preview.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// The two methods' columns, in the order of DcMethod.
constexpr const char* kColumns[2] = {"MaxPower", "ArcResistance"};
constexpr DcMethod kMethods[2] = {DcMethod::MaxPower, DcMethod::ArcResistance};
// The values of each column, in row order.
constexpr const char* kRows[] = {"ArcCurrent", "ArcVoltage", "ArcOhms",   "ArcPower", "BoxFactor",
                                 "ArcTime",    "Energy",     "Boundary",  "Ppe",      "Clothing1", "Clothing2"};
// Values of both methods, across both columns.
constexpr const char* kShared[] = {"LimitedApproach", "RestrictedApproach", "ProhibitedApproach", "ApproachNote"};

QString ValueName(int column, const char* row) {
    return QString::fromLatin1(kColumns[column]) + QString::fromLatin1(row);
}

}  // namespace

TDcArcFlash::TDcArcFlash(Application& app) : app_(app) {
    setObjectName("DcArcFlash");
    setWindowTitle(tr("ZENTAVO: DC arc flash"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // The notes under the inputs, where the form leaves room, keep the
    // results' column short enough for the window to fit a 768-pixel screen.
    auto* left = new QVBoxLayout;
    left->addWidget(BuildInputs());
    left->addWidget(BuildNotes(), 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(BuildResults(), 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addWidget(BuildDuration());
    top->addLayout(BuildButtons());
    for (int c = 0; c < 2; ++c) SetBold(L(ValueName(c, "Title")), true);
    SaveButton->setEnabled(false);
    LabelButton->setEnabled(false);
    shownUnits_ = app_.Units();
    SetCaptions(shownUnits_);
    ReserveResultRoom();
    ConnectControls();
}

void TDcArcFlash::ReserveResultRoom() {
    // Each result that wraps keeps the room of the longest it can show, in the
    // narrowest width its column can have, so that the window keeps its size
    // whatever the results say.
    QStringList clothing[2];
    for (std::int32_t level = 0; level <= 5; ++level) {
        const ClothingText c = ClothingLines(level);
        clothing[0] << WrappedAtSpacesText(FromUtf8(c.first));
        clothing[1] << WrappedAtSpacesText(FromUtf8(c.second));
    }
    const QString seconds = QStringLiteral("0.0000");
    QStringList durations = {tr("%1 (assumed)").arg(seconds)};
    for (int e = 0; e <= static_cast<int>(DeviceElement::Capped); ++e)
        durations << tr("%1 \u2014 %2").arg(seconds, ElementText(static_cast<DeviceElement>(e)));
    for (int c = 0; c < 2; ++c) {
        ReserveWrappedRoom(L(ValueName(c, "Clothing1")), clothing[0], kValueWidth);
        ReserveWrappedRoom(L(ValueName(c, "Clothing2")), clothing[1], kValueWidth);
        ReserveWrappedRoom(L(ValueName(c, "ArcTime")), durations, kValueWidth);
    }
    // The cautions of every case the methods can give together: an assumed
    // duration is the same for both; a current too low to sustain the arc
    // may be either's, an arc voltage not below the system's only the
    // arc-resistance method's.
    QStringList notes;
    for (unsigned cases = 0; cases < 16; ++cases) {
        std::string maxPower, arcResistance;
        if (cases & 1) maxPower += msg::kDcCurrentBelowSustain;
        if (cases & 2) arcResistance += msg::kDcCurrentBelowSustain;
        if (cases & 4) arcResistance += msg::kDcArcVoltageNotBelow;
        if (cases & 8) {
            maxPower += msg::kDcAssumedDuration;
            arcResistance += msg::kDcAssumedDuration;
        }
        notes << NotesText(maxPower, arcResistance);
    }
    ReserveWrappedRoom(L(QStringLiteral("Notes")), notes, kNotesWidth);
    ReserveWrappedRoom(L(QStringLiteral("VoltageNote")), {LibraryText(msg::kDcLowVoltage)},
                       kNotesWidth);
    ReserveWrappedRoom(L(QStringLiteral("ApproachNote")), {LibraryText(msg::kDcApproachNotGiven)}, 2 * kValueWidth);
    // Their captions at the top of that room, beside the first line.
    for (const char* caption : {"Clothing1Caption", "Clothing2Caption", "ArcTimeCaption"}) {
        QLabel* l = L(QString::fromLatin1(caption));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

QString TDcArcFlash::NotesText(const std::string& maxPower, const std::string& arcResistance) const {
    // The notes once where both methods say the same, else each by its method.
    if (maxPower == arcResistance || maxPower.empty() || arcResistance.empty())
        return LibraryText(maxPower.empty() ? arcResistance : maxPower);
    return tr("%1: %2").arg(tr("Maximum power"), LibraryText(maxPower)) + QLatin1Char('\n') +
           tr("%1: %2").arg(tr("Arc resistance"), LibraryText(arcResistance));
}

QGroupBox* TDcArcFlash::BuildInputs() {
    auto* inputs = new QGroupBox(tr("System and source"));
    inputs->setObjectName("InputGroup");
    auto* form = new QFormLayout(inputs);
    BoxBox = new QComboBox;
    BoxBox->setObjectName("BoxBox");
    // Each enclosure in words; its word (the item's data) is what is computed.
    const QString boxes[] = {tr("Open air"), tr("Box, 3 × open air (NFPA 70E)"), tr("LV switchgear (Wilkins)"),
                             tr("MV switchgear (Wilkins)"), tr("Panelboard (Wilkins)")};
    for (std::size_t i = 0; i < kDcBoxWords.size(); ++i) BoxBox->addItem(boxes[i], FromUtf8(kDcBoxWords[i]));
    BoxBox->setPlaceholderText(tr("Choose an enclosure"));
    BoxBox->setCurrentIndex(-1);
    VoltEdit = NamedEdit("VoltEdit");
    IbfEdit = NamedEdit("IbfEdit");
    SourceREdit = NamedEdit("SourceREdit");
    GapEdit = NamedEdit("GapEdit");
    WorkDistEdit = NamedEdit("WorkDistEdit");
    ArcTimeEdit = NamedEdit("ArcTimeEdit");
    ArcTimeEdit->setPlaceholderText(tr("empty: 2 s"));
    form->addRow(tr("Enclosure:"), BoxBox);
    form->addRow(tr("System voltage (V DC):"), VoltEdit);
    form->addRow(tr("Bolted current (kA):"), IbfEdit);
    form->addRow(tr("or source resistance (Ω):"), SourceREdit);
    form->addRow(NamedLabel("GapCaption"), GapEdit);
    form->addRow(NamedLabel("WorkDistCaption"), WorkDistEdit);
    form->addRow(tr("Arc duration (sec):"), ArcTimeEdit);
    ComputeButton = NamedButton("ComputeButton", tr("&Compute"));
    form->addRow(QString(), ComputeButton);
    // A screen reader names each field by its caption.
    for (QWidget* field : std::initializer_list<QWidget*>{BoxBox, VoltEdit, IbfEdit, SourceREdit, GapEdit,
                                                          WorkDistEdit, ArcTimeEdit}) {
        if (auto* caption = qobject_cast<QLabel*>(form->labelForField(field))) caption->setBuddy(field);
    }
    return inputs;
}

QGroupBox* TDcArcFlash::BuildResults() {
    auto* results = new QGroupBox(tr("Calculation results"));
    results->setObjectName("ResultGroup");
    auto* grid = new QGridLayout(results);
    grid->addWidget(NamedLabel(ValueName(0, "Title"), tr("Maximum power")), 0, 1);
    grid->addWidget(NamedLabel(ValueName(1, "Title"), tr("Arc resistance")), 0, 2);
    const QString captions[] = {tr("Arcing current (kA):"), tr("Arc voltage (V):"), tr("Arc resistance (Ω):"),
                                tr("Arc power (kW):"),     tr("Enclosure factor:"), tr("Arc duration (sec):"),
                                QString(),                 QString(),               tr("Level of PPE:"),
                                tr("Typical protective clothing system:"), QString()};
    for (int r = 0; r < static_cast<int>(std::size(kRows)); ++r) {
        grid->addWidget(NamedLabel(QString::fromLatin1(kRows[r]) + QStringLiteral("Caption"), captions[r]), r + 1, 0);
        for (int c = 0; c < 2; ++c) {
            QLabel* v = NamedLabel(ValueName(c, kRows[r]));
            // The duration may name the device's element; the clothing wraps.
            if (r >= 9 || std::string_view(kRows[r]) == "ArcTime") v->setWordWrap(true);
            grid->addWidget(v, r + 1, c + 1);
        }
    }
    const int first = static_cast<int>(std::size(kRows)) + 1;
    for (int r = 0; r < static_cast<int>(std::size(kShared)); ++r) {
        grid->addWidget(NamedLabel(QString::fromLatin1(kShared[r]) + QStringLiteral("Caption")), first + r, 0);
        QLabel* v = NamedLabel(QString::fromLatin1(kShared[r]));
        v->setWordWrap(true);
        grid->addWidget(v, first + r, 1, 1, 2);
    }
    for (int c : {1, 2}) {
        grid->setColumnStretch(c, 1);
        grid->setColumnMinimumWidth(c, kValueWidth);
    }
    // What is left below the results stays empty.
    grid->setRowStretch(first + static_cast<int>(std::size(kShared)), 1);
    return results;
}

QGroupBox* TDcArcFlash::BuildNotes() {
    auto* group = new QGroupBox(tr("Notes"));
    group->setObjectName("NotesGroup");
    auto* box = new QVBoxLayout(group);
    // What the energy of a low-voltage point assumes, in the text's own
    // colour: an explanation beside a PPE level, not a caution.
    QLabel* voltage = NamedLabel(QStringLiteral("VoltageNote"));
    voltage->setWordWrap(true);
    voltage->setMinimumWidth(kNotesWidth);
    box->addWidget(voltage);
    QLabel* notes = NamedLabel(QStringLiteral("Notes"));
    notes->setWordWrap(true);
    notes->setMinimumWidth(kNotesWidth);
    SetTextColor(notes, Qt::red);
    box->addWidget(notes);
    box->addStretch();
    return group;
}

QGroupBox* TDcArcFlash::BuildDuration() {
    auto* group = new QGroupBox(tr("Arc duration"));
    group->setObjectName("DurationGroup");
    DurationSourceBox = new QComboBox;
    DurationSourceBox->setObjectName("DurationSourceBox");
    DurationSourceBox->addItem(tr("Typed, or 2 s without a device"));
    DurationSourceBox->addItem(tr("From a protective device"));
    auto* sourceCaption = new QLabel(tr("Arc duration:"));
    sourceCaption->setBuddy(DurationSourceBox);
    Device = new DevicePanel(app_);
    // The picture's place is kept from the choice of a device on, so that
    // the window keeps its size as results come and go; a caution takes its
    // lines from the picture, which is never shorter than this.
    CurveView = new TimeCurrentView;
    CurveView->SetEmptyText(tr("The device's time-current curve, with both arcing currents marked, "
                               "once the point is computed"));
    CurveView->setMinimumHeight(140);
    CurveView->hide();
    QLabel* caution = NamedLabel(QStringLiteral("DeviceCaution"));
    SetTextColor(caution, Qt::red);
    caution->setWordWrap(true);
    caution->hide();
    auto* left = new QVBoxLayout;
    auto* source = new QHBoxLayout;
    source->addWidget(sourceCaption);
    source->addWidget(DurationSourceBox, 1);
    left->addLayout(source);
    left->addWidget(Device);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(caution);
    right->addWidget(CurveView, 1);
    auto* row = new QHBoxLayout(group);
    row->addLayout(left, 1);
    row->addLayout(right);
    return group;
}

QHBoxLayout* TDcArcFlash::BuildButtons() {
    BackButton = NamedButton("BackButton", tr("&Back"));
    SaveButton = NamedButton("SaveButton", tr("&Save results"));
    LabelButton = NamedButton("LabelButton", tr("Create &label"));
    ExitButton = MakeExitButton(this, 0, 0);
    for (QPushButton* b : {ComputeButton, BackButton, SaveButton, LabelButton}) {
        b->setAccessibleName(b->text().remove(QLatin1Char('&')));
    }
    LabelMethodBox = new QComboBox;
    LabelMethodBox->setObjectName("LabelMethodBox");
    LabelMethodBox->addItem(tr("Maximum power"));
    LabelMethodBox->addItem(tr("Arc resistance"));
    auto* labelCaption = new QLabel(tr("Method on the label:"));
    labelCaption->setBuddy(LabelMethodBox);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addStretch();
    buttons->addWidget(SaveButton);
    buttons->addWidget(labelCaption);
    buttons->addWidget(LabelMethodBox);
    buttons->addWidget(LabelButton);
    buttons->addWidget(ExitButton);
    return buttons;
}

void TDcArcFlash::ConnectControls() {
    auto guarded = [this](void (TDcArcFlash::*handler)()) {
        return [this, handler] { app_.Guard(this, [&] { (this->*handler)(); }); };
    };
    connect(ComputeButton, &QPushButton::clicked, this, guarded(&TDcArcFlash::ComputeClick));
    // Any change of an input leaves the results shown without their inputs.
    auto changed = [this] { ClearResults(); };
    for (QLineEdit* e : {VoltEdit, IbfEdit, SourceREdit, GapEdit, WorkDistEdit, ArcTimeEdit}) {
        connect(e, &QLineEdit::returnPressed, this, guarded(&TDcArcFlash::ComputeClick));
        connect(e, &QLineEdit::textChanged, this, changed);
    }
    connect(BoxBox, &QComboBox::currentIndexChanged, this, changed);
    connect(LabelMethodBox, &QComboBox::currentIndexChanged, this, [this] { EnableLabel(); });
    connect(BackButton, &QPushButton::clicked, this, guarded(&TDcArcFlash::BackClick));
    connect(SaveButton, &QPushButton::clicked, this, guarded(&TDcArcFlash::SaveClick));
    connect(LabelButton, &QPushButton::clicked, this, guarded(&TDcArcFlash::LabelClick));
    connect(ExitButton, &QPushButton::clicked, this, guarded(&TDcArcFlash::ExitClick));
    connect(DurationSourceBox, &QComboBox::currentIndexChanged, this,
            [this] { app_.Guard(this, [&] { DurationSourceChange(); }); });
    connect(Device, &DevicePanel::changed, this, changed);
    connect(Device, &DevicePanel::computeRequested, this, guarded(&TDcArcFlash::ComputeClick));
    DurationSourceChange();
}

QLabel* TDcArcFlash::L(const QString& name) const { return findChild<QLabel*>(name); }

void TDcArcFlash::closeEvent(QCloseEvent* event) {
    // Left only through its own buttons, like the 2018 window, or closed when the program ends.
    event->setAccepted(app_.quitRequested());
}

void TDcArcFlash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) app_.Guard(this, [&] { FollowUnits(); });
}

void TDcArcFlash::SetCaptions(const UnitSettings& u) {
    const QString gap = FromUtf8(UnitWord(u.GapUnit)), wd = FromUtf8(UnitWord(u.WorkDistUnit)),
                  b = FromUtf8(UnitWord(u.BoundaryUnit)), e = FromUtf8(UnitWord(u.EnergyUnit));
    SetCaption(L("GapCaption"), "Gap between conductors (" + gap + "):");
    SetCaption(L("WorkDistCaption"), "Working distance (" + wd + "):");
    SetCaption(L("EnergyCaption"), "Incident energy exposure (" + e + "):");
    SetCaption(L("BoundaryCaption"), "Flash protection boundary (" + b + "):");
    SetCaption(L("LimitedApproachCaption"), "Limited approach boundary (" + b + "):");
    SetCaption(L("RestrictedApproachCaption"), "Restricted approach boundary (" + b + "):");
    SetCaption(L("ProhibitedApproachCaption"), "Prohibited approach boundary (" + b + "):");
}

void TDcArcFlash::FollowUnits() {
    const UnitSettings now = app_.Units();
    const UnitSettings before = shownUnits_;
    const char sep = app_.Sep();
    QLineEdit* lengths[2] = {GapEdit, WorkDistEdit};
    const LengthUnit from[2] = {before.GapUnit, before.WorkDistUnit}, to[2] = {now.GapUnit, now.WorkDistUnit};
    for (int i = 0; i < 2; ++i) {
        if (from[i] == to[i]) continue;
        lengths[i]->setText(FromUtf8(lengthUnits_[i].Convert(Utf8(lengths[i]->text()), from[i], to[i], sep)));
    }
    shownUnits_ = now;
    SetCaptions(now);
    if (!(now == before)) ClearResults();
}

void TDcArcFlash::ClearResults() {
    for (auto& r : results_) r.reset();
    for (auto& r : refusals_) r.clear();
    device_.reset();
    for (int c = 0; c < 2; ++c) {
        for (const char* row : kRows) L(ValueName(c, row))->clear();
    }
    for (const char* n : kShared) L(QString::fromLatin1(n))->clear();
    L(QStringLiteral("Notes"))->clear();
    L(QStringLiteral("VoltageNote"))->clear();
    L(QStringLiteral("DeviceCaution"))->clear();
    L(QStringLiteral("DeviceCaution"))->hide();
    CurveView->SetPlot(std::nullopt, app_.Sep());
    SaveButton->setEnabled(false);
    LabelButton->setEnabled(false);
}

bool TDcArcFlash::FromDevice() const { return DurationSourceBox->currentIndex() == 1; }

void TDcArcFlash::DurationSourceChange() {
    const bool device = FromDevice();
    // A device gives the duration: the typed one is not read.
    ArcTimeEdit->setEnabled(!device);
    for (QLabel* l : findChildren<QLabel*>()) {
        if (l->buddy() == ArcTimeEdit) l->setEnabled(!device);
    }
    // What goes is hidden before what comes is shown: the window, laid out
    // anew at each showing, never grows to hold both.
    Device->setVisible(device);
    CurveView->setVisible(device);
    ClearResults();
}

void TDcArcFlash::ComputeClick() {
    ClearResults();
    const UnitSettings u = app_.Units();
    const char sep = app_.Sep();
    const std::string voltage = Utf8(VoltEdit->text()), bolted = Utf8(IbfEdit->text()),
                      resistance = Utf8(SourceREdit->text()), gap = Utf8(GapEdit->text()),
                      workDist = Utf8(WorkDistEdit->text()), arcTime = Utf8(ArcTimeEdit->text()),
                      box = Utf8(BoxBox->currentData().toString());
    std::optional<FoundDevice> found;
    if (FromDevice()) {
        Built<ProtectiveDevice> built = Device->Device();
        if (!built.device) {
            app_.dialogs().Warning(this, LibraryText(RefusalText(built.refusal)));
            return;
        }
        found = FoundDevice{Device->ReportLines(), std::move(built.device), Device->Type(), Device->Curve(),
                            std::move(built.cautions)};
    }
    QStringList refused;
    for (int c = 0; c < 2; ++c) {
        DcFields f{kMethods[c], voltage, bolted, resistance, gap, workDist, arcTime, box, u.GapUnit, u.WorkDistUnit};
        DcDeviceDuration duration;
        if (found) duration = [&](double ka) { return found->device->Duration(ka, sep); };
        DcOutcome out = RunDcArcFlash(f, u, sep, duration);
        if (out.refusal) {
            refusals_[c] = out.refusal->message;
        } else {
            results_[c] = std::move(out);
        }
    }
    // One message where both methods refuse alike; otherwise each by its method.
    if (!refusals_[0].empty() && refusals_[0] == refusals_[1]) {
        refused << LibraryText(refusals_[0]);
    } else {
        const QString names[2] = {tr("Maximum power"), tr("Arc resistance")};
        for (int c = 0; c < 2; ++c) {
            if (!refusals_[c].empty()) refused << tr("%1: %2").arg(names[c], LibraryText(refusals_[c]));
        }
    }
    if (!refused.isEmpty()) app_.dialogs().Warning(this, refused.join(QLatin1Char('\n')));
    if (!results_[0] && !results_[1]) return;
    device_ = std::move(found);
    resultUnits_ = u;
    typed_ = {VoltEdit->text(),  IbfEdit->text(), SourceREdit->text(),       GapEdit->text(),
              WorkDistEdit->text(), (results_[0] ? results_[0] : results_[1])->inputs.box,
              FromUtf8(UnitWord(u.GapUnit)), FromUtf8(UnitWord(u.WorkDistUnit))};
    SetCaptions(u);
    ShowResults();
    // A device set as no device is: the results stand, computed as typed, and the warning says which settings to check.
    if (device_ && !device_->cautions.empty()) {
        QStringList lines;
        for (const std::string& c : device_->cautions) lines << LibraryText(Device->WithCaptions(c));
        L(QStringLiteral("DeviceCaution"))->setText(lines.join(QLatin1Char('\n')));
        L(QStringLiteral("DeviceCaution"))->show();
        app_.dialogs().Warning(this, lines.join(QLatin1Char('\n')));
    }
}

QString TDcArcFlash::ElementText(DeviceElement e) {
    switch (e) {
        case DeviceElement::DoesNotOperate: return tr("does not operate");
        case DeviceElement::Instantaneous: return tr("instantaneous");
        case DeviceElement::ShortTime: return tr("short time");
        case DeviceElement::LongTime: return tr("long time");
        case DeviceElement::Inverse: return tr("inverse");
        case DeviceElement::DefiniteTime: return tr("definite time");
        case DeviceElement::Curve: return tr("curve");
        case DeviceElement::Capped: return tr("capped");
        case DeviceElement::ArcFlashRelay: return tr("arc-flash relay");
        case DeviceElement::ZoneInterlocked: return tr("zone-selective interlocking");
        case DeviceElement::BusDifferential: return tr("bus differential");
    }
    return {};
}

QString TDcArcFlash::DurationText(const DcOutcome& out) const {
    const QString seconds = FromUtf8(out.texts.arcTime);
    if (out.durationAssumed) return tr("%1 (assumed)").arg(seconds);
    if (out.deviceDuration) return tr("%1 \u2014 %2").arg(seconds, ElementText(out.deviceDuration->element));
    return seconds;
}

void TDcArcFlash::ShowResults() {
    const DcOutcome* any = nullptr;
    for (int c = 0; c < 2; ++c) {
        if (!results_[c]) continue;
        const DcOutcome& out = *results_[c];
        any = &out;
        const DcTexts& t = out.texts;
        auto set = [&](const char* row, const std::string& text) { SetCaption(L(ValueName(c, row)), FromUtf8(text)); };
        set("ArcCurrent", t.arcCurrent);
        set("ArcVoltage", t.arcVoltage);
        set("ArcOhms", t.arcResistance);
        set("ArcPower", t.arcPower);
        set("BoxFactor", t.boxFactor);
        L(ValueName(c, "ArcTime"))->setText(DurationText(out));
        set("Energy", t.result.energy);
        set("Boundary", t.result.boundary);
        set("Ppe", t.result.ppeLevel);
        SetCaptionWrappedAtSpaces(L(ValueName(c, "Clothing1")), FromUtf8(t.result.clothing1));
        SetCaptionWrappedAtSpaces(L(ValueName(c, "Clothing2")), FromUtf8(t.result.clothing2));
        L(ValueName(c, "Clothing2"))->setVisible(t.result.clothingSecondLineShown);
    }
    const std::string notes[2] = {results_[0] ? results_[0]->cautions : std::string(),
                                  results_[1] ? results_[1]->cautions : std::string()};
    L(QStringLiteral("Notes"))->setText(NotesText(notes[0], notes[1]));
    SetCaption(L(QStringLiteral("VoltageNote")),
               any && any->values.lowVoltage ? FromUtf8(msg::kDcLowVoltage) : QString());
    if (any) {
        SetCaption(L(QStringLiteral("LimitedApproach")), FromUtf8(any->texts.approach.limited));
        SetCaption(L(QStringLiteral("RestrictedApproach")), FromUtf8(any->texts.approach.restricted));
        SetCaption(L(QStringLiteral("ProhibitedApproach")), FromUtf8(any->texts.approach.prohibited));
        if (!DcApproachGiven(any->inputs.voltage))
            SetCaption(L(QStringLiteral("ApproachNote")), FromUtf8(msg::kDcApproachNotGiven));
    }
    if (device_) {
        // The device's curve at the current it sees, both arcing currents marked.
        const ProtectiveDevice& d = *device_->device;
        const QString names[2] = {tr("Iarc, maximum power"), tr("Iarc, arc resistance")};
        std::vector<render::TimeCurrentMark> marks;
        for (int c = 0; c < 2; ++c) {
            if (!results_[c] || !results_[c]->deviceDuration) continue;
            const ArcDuration& k = *results_[c]->deviceDuration;
            const bool acts = k.device.Operates();
            marks.push_back({results_[c]->values.arcingKa * 1000 * d.Share(), acts ? k.device.seconds : k.seconds, acts,
                             render::MarkText(names[c], k.seconds, ElementText(k.element), app_.Sep())});
        }
        render::TimeCurrentPlot plot = render::MakeTimeCurrentPlot(d, std::move(marks));
        for (const std::string& line : device_->settings) plot.legend << FromUtf8(line);
        CurveView->SetPlot(std::move(plot), app_.Sep());
    }
    // A window's height does not follow its wrapped lines by itself.
    layout()->activate();
    if (const int needed = heightForWidth(width()); needed > height()) resize(width(), needed);
    SaveButton->setEnabled(true);
    EnableLabel();
    SaveButton->setFocus();
}

void TDcArcFlash::EnableLabel() {
    const int chosen = LabelMethodBox->currentIndex();
    LabelButton->setEnabled(chosen >= 0 && results_[chosen].has_value());
}

void TDcArcFlash::BackClick() {
    hide();
    app_.main().show();
}

void TDcArcFlash::ExitClick() { app_.AskToExit(this); }

DcReportCase TDcArcFlash::ReportCase(int c) const {
    DcReportCase r;
    if (!results_[c]) {
        r.refusal = refusals_[c];
        while (!r.refusal.empty() && r.refusal.back() == ' ') r.refusal.pop_back();
        return r;
    }
    const DcOutcome& out = *results_[c];
    const DcTexts& t = out.texts;
    const char sep = app_.Sep();
    r.arcCurrent = t.arcCurrent, r.arcVoltage = t.arcVoltage, r.arcResistance = t.arcResistance;
    r.arcPower = t.arcPower, r.boxFactor = t.boxFactor;
    r.arcTime = t.arcTime;
    if (out.durationAssumed) r.arcTime += " (assumed: none typed, no protective device)";
    if (out.deviceDuration) {
        r.arcTime = ArcDurationText(out.deviceDuration->seconds, sep) + " (" +
                    std::string(DeviceElementWord(out.deviceDuration->element)) + ")";
    }
    r.energy = t.result.energy, r.boundary = t.result.boundary, r.ppe = t.result.ppeLevel;
    r.notes = out.notes;
    return r;
}

void TDcArcFlash::SaveClick() {
    if (!results_[0] && !results_[1]) return;
    const QString path = app_.dialogs().SaveFileName(this, ReportFileChoice(lastReportName_));
    if (path.isEmpty() || !MayAppendTo(app_, this, path)) return;
    lastReportName_ = path;
    const DcOutcome& any = results_[0] ? *results_[0] : *results_[1];
    const char sep = app_.Sep();
    DcReportTexts r;
    r.enclosure = std::string(DcBoxEquipmentText(typed_.box));
    r.voltage = Utf8(typed_.voltage);
    // The source as typed; the other one as the engine derived it.
    const auto derived = [&](double v) { return TrimZeros(FormatFixed(v, 15, 6, sep), sep) + " (derived)"; };
    r.boltedCurrent = typed_.boltedCurrent.isEmpty() ? derived(any.values.boltedKa) : Utf8(typed_.boltedCurrent);
    r.sourceResistance =
        typed_.sourceResistance.isEmpty() ? derived(any.values.sourceOhms) : Utf8(typed_.sourceResistance);
    r.gapUnit = Utf8(typed_.gapUnit), r.gap = Utf8(typed_.gap);
    r.workDistUnit = Utf8(typed_.workDistUnit), r.workDist = Utf8(typed_.workDist);
    r.energyUnit = std::string(UnitWord(resultUnits_.EnergyUnit));
    r.boundaryUnit = std::string(UnitWord(resultUnits_.BoundaryUnit));
    if (device_) {
        r.device = device_->settings;
        for (const std::string& c : device_->cautions) r.device.push_back("Caution: " + c);
    }
    r.maxPower = ReportCase(0);
    r.arcResistance = ReportCase(1);
    r.limited = any.texts.approach.limited;
    r.restricted = any.texts.approach.restricted;
    r.prohibited = any.texts.approach.prohibited;
    SaveReportBlock(QFile::encodeName(path).toStdString(), [&](bool) { return DcReportLines(r); });
}

void TDcArcFlash::LabelClick() {
    const int chosen = LabelMethodBox->currentIndex();
    if (chosen < 0 || !results_[chosen]) return;
    const DcOutcome& out = *results_[chosen];
    LabelPoint p;
    p.method = chosen == 0 ? kDcMaxPowerMethod : kDcArcResistanceMethod;
    p.equipment = std::string(DcBoxEquipmentText(out.inputs.box));
    p.workDistMm = out.inputs.workDistMm;
    p.boltedCurrent = typed_.boltedCurrent.isEmpty() ? out.texts.boltedCurrent : Utf8(typed_.boltedCurrent);
    p.voltage = Utf8(typed_.voltage);
    p.full = out.result;
    p.approach = out.approach;
    p.voltageV = out.inputs.voltage;
    p.gapMm = out.inputs.gapMm;
    if (device_ && out.deviceDuration) {
        LabelPointDevice d;
        d.type = device_->type;
        d.relayCurve = device_->relayCurve;
        d.full = {out.deviceDuration->seconds, out.deviceDuration->element};
        p.device = d;
    }
    app_.Preview().ShowPointLabel(*this, p, resultUnits_, app_.Sep());
}

void TDcArcFlash::Open() {
    app_.main().hide();
    show();
    VoltEdit->setFocus();
}

}  // namespace zentavo::ui

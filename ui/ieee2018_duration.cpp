// SPDX-License-Identifier: GPL-3.0-or-later
// The arc duration of the IEEE 1584-2018 window: typed at each arcing
// current, or found from a protective device, with the device's
// time-current picture, both arcing currents marked, and the durations in
// the report block. A part of TIeee2018.
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "engine/ieee2018_device.h"
#include "render/time_current.h"
#include "report/report2018.h"
#include "ui/application.h"
#include "ui/device_panel.h"
#include "ui/ieee2018_window.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// The element that acted, in the window's words.
QString ElementText(DeviceElement e) {
    switch (e) {
        case DeviceElement::DoesNotOperate: return TIeee2018::tr("does not operate");
        case DeviceElement::Instantaneous: return TIeee2018::tr("instantaneous");
        case DeviceElement::ShortTime: return TIeee2018::tr("short time");
        case DeviceElement::LongTime: return TIeee2018::tr("long time");
        case DeviceElement::Inverse: return TIeee2018::tr("inverse");
        case DeviceElement::DefiniteTime: return TIeee2018::tr("definite time");
        case DeviceElement::Curve: return TIeee2018::tr("curve");
        case DeviceElement::Capped: return TIeee2018::tr("capped");
        case DeviceElement::ArcFlashRelay: return TIeee2018::tr("arc-flash relay");
        case DeviceElement::ZoneInterlocked: return TIeee2018::tr("zone-selective interlocking");
        case DeviceElement::BusDifferential: return TIeee2018::tr("bus differential");
    }
    return {};
}

// A duration found as the report writes it: "0.0613 (instantaneous)",
// "2 (capped *)" with the note at the end of the block.
std::string ReportDuration(const ArcDuration& d, char sep) {
    return ArcDurationText(d.seconds, sep) + " (" + std::string(DeviceElementWord(d.element)) +
           (d.Capped() ? " *)" : ")");
}

}  // namespace

QGroupBox* TIeee2018::BuildDuration() {
    auto* group = new QGroupBox(tr("Arc duration"));
    group->setObjectName("DurationGroup");
    // Typed: one at each arcing current.
    ArcTimeEdit = NamedEdit("ArcTimeEdit");
    ArcTimeReducedEdit = NamedEdit("ArcTimeReducedEdit");
    Typed = new QWidget;
    Typed->setObjectName("TypedDurations");
    auto* typed = new QFormLayout(Typed);
    typed->setContentsMargins(0, 0, 0, 0);
    typed->addRow(tr("Arc duration at the arcing current (sec):"), ArcTimeEdit);
    typed->addRow(tr("Arc duration at the reduced arcing current (sec):"), ArcTimeReducedEdit);
    for (QWidget* field : {ArcTimeEdit, ArcTimeReducedEdit}) {
        qobject_cast<QLabel*>(typed->labelForField(field))->setBuddy(field);
    }
    Device = new DevicePanel(app_);
    // The picture's place is kept from the choice of a device on, so that
    // the window keeps its size as results come and go.
    CurveView = new TimeCurrentView;
    CurveView->SetEmptyText(tr("The device's time-current curve, with both arcing currents marked, "
                               "once the point is computed"));
    // The durations found, at each arcing current, and the note of a capped one.
    auto* found = new QGridLayout;
    found->addWidget(NamedLabel("FullDurationCaption", tr("At the arcing current:")), 0, 0);
    found->addWidget(NamedLabel("FullDuration"), 0, 1);
    found->addWidget(NamedLabel("ReducedDurationCaption", tr("At the reduced arcing current:")), 1, 0);
    found->addWidget(NamedLabel("ReducedDuration"), 1, 1);
    found->setColumnStretch(1, 1);
    QLabel* capped = NamedLabel("DurationCapped");
    SetTextColor(capped, Qt::red);
    SetBold(capped, true);
    // Its line is kept when it has nothing to say.
    QSizePolicy keep = capped->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    capped->setSizePolicy(keep);
    capped->setMinimumHeight(capped->fontMetrics().height());
    // The settings of the device that no device offers, above the picture.
    QLabel* caution = NamedLabel("DeviceCaution");
    SetTextColor(caution, Qt::red);
    caution->setWordWrap(true);
    caution->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(Typed);
    left->addWidget(Device);
    left->addLayout(found);
    left->addWidget(capped);
    left->addStretch();
    // A caution takes its lines from the picture, which is never shorter than this.
    CurveView->setMinimumHeight(170);
    auto* right = new QVBoxLayout;
    right->addWidget(caution);
    right->addWidget(CurveView, 1);
    auto* row = new QHBoxLayout(group);
    row->addLayout(left, 1);
    row->addLayout(right);
    return group;
}

void TIeee2018::ConnectDuration() {
    auto changed = [this] { ClearResults(); };
    connect(DurationSourceBox, &QComboBox::currentIndexChanged, this, [this] {
        app_.Guard(this, [&] { DurationSourceChange(); });
    });
    connect(Device, &DevicePanel::changed, this, changed);
    connect(Device, &DevicePanel::computeRequested, this,
            [this] { app_.Guard(this, [&] { ComputeClick(); }); });
    DurationSourceChange();
}

bool TIeee2018::FromDevice() const { return DurationSourceBox->currentIndex() == 1; }

void TIeee2018::DurationSourceChange() {
    const bool device = FromDevice();
    // The typed durations are not read while a device gives them.
    for (QLineEdit* e : {ArcTimeEdit, ArcTimeReducedEdit}) e->setEnabled(!device);
    // What goes is hidden before what comes is shown: the window, laid out
    // anew at each showing, never grows to hold both.
    QList<QWidget*> deviceParts = {Device, CurveView};
    for (const char* n :
         {"FullDurationCaption", "FullDuration", "ReducedDurationCaption", "ReducedDuration"}) {
        deviceParts << L(n);
    }
    const QList<QWidget*> typedParts = {Typed};
    for (QWidget* w : device ? typedParts : deviceParts) w->hide();
    for (QWidget* w : device ? deviceParts : typedParts) w->show();
    ClearResults();
}

Ieee2018Outcome TIeee2018::RunWithDurations(const Ieee2018Fields& f, const UnitSettings& u) {
    const char sep = app_.Sep();
    if (!FromDevice()) return RunIeee2018(f, u, sep);
    Built<ProtectiveDevice> device = Device->Device();
    if (!device.device) {
        Ieee2018Outcome refused;
        refused.refusal = device.refusal;
        return refused;
    }
    Ieee2018DeviceOutcome out = RunIeee2018WithDevice(f, *device.device, u, sep);
    if (!out.outcome.refusal) {
        durations_.used = true;
        durations_.full = out.full;
        durations_.reduced = out.reduced;
        durations_.settings = Device->ReportLines();
        durations_.device = std::move(device.device);
        durations_.type = Device->Type();
        durations_.relayCurve = Device->Curve();
        durations_.cautions = std::move(device.cautions);
    }
    return std::move(out.outcome);
}

void TIeee2018::ShowDurations() {
    if (!durations_.used) return;
    const char sep = app_.Sep();
    auto shown = [&](const ArcDuration& d) {
        QString t = tr("%1 s \u2014 %2").arg(FromUtf8(ArcDurationText(d.seconds, sep)),
                                            ElementText(d.element));
        if (d.Capped()) {
            t += d.device.Operates()
                     ? tr(" (the device acts in %1 s)")
                           .arg(FromUtf8(ArcDurationText(d.device.seconds, sep)))
                     : tr(" (the device does not operate)");
        }
        return t;
    };
    SetCaption(L("FullDuration"), shown(durations_.full));
    SetCaption(L("ReducedDuration"), shown(durations_.reduced));
    const std::optional<double> cap = durations_.device->MaxArcTime();
    const bool capped = durations_.full.Capped() || durations_.reduced.Capped();
    SetCaption(L("DurationCapped"),
               capped ? tr("exposure limited to %1 s").arg(FromUtf8(ArcDurationText(*cap, sep)))
                      : QString());
    L("DurationCapped")->setVisible(capped);
    L("DeviceCaution")->setText(CautionText());
    L("DeviceCaution")->setVisible(!durations_.cautions.empty());

    // The picture: the device's curve at the current it sees, both arcing currents marked.
    const ProtectiveDevice& d = *durations_.device;
    const double iarc[2] = {last_.values.full.iarc, last_.values.reduced.iarc};
    const ArcDuration* at[2] = {&durations_.full, &durations_.reduced};
    const QString names[2] = {tr("Iarc"), tr("Iarc,min")};
    std::vector<render::TimeCurrentMark> marks;
    for (int c = 0; c < 2; ++c) {
        const ArcDuration& k = *at[c];
        const bool acts = k.device.Operates();
        marks.push_back({iarc[c] * 1000 * d.Share(), acts ? k.device.seconds : k.seconds, acts,
                         render::MarkText(names[c], k.seconds, ElementText(k.element), sep)});
    }
    render::TimeCurrentPlot plot = render::MakeTimeCurrentPlot(d, std::move(marks));
    for (const std::string& line : Device->ReportLines()) plot.legend << FromUtf8(line);
    CurveView->SetPlot(std::move(plot), sep);
}

QString TIeee2018::CautionText() const {
    QStringList lines;
    for (const std::string& c : durations_.cautions) lines << LibraryText(Device->WithCaptions(c));
    return lines.join(QLatin1Char('\n'));
}

void TIeee2018::ClearDurations() {
    durations_ = {};
    for (const char* n : {"FullDuration", "ReducedDuration", "DurationCapped"}) {
        SetCaption(L(n), QString());
    }
    L("DurationCapped")->hide();
    L("DeviceCaution")->clear();
    L("DeviceCaution")->hide();
    CurveView->SetPlot(std::nullopt, app_.Sep());
}

void TIeee2018::AddDurationsToReport(Ieee2018ReportTexts& r) const {
    if (!durations_.used) return;
    const char sep = app_.Sep();
    r.device = durations_.settings;
    r.arcTime = ReportDuration(durations_.full, sep);
    r.arcTimeReduced = ReportDuration(durations_.reduced, sep);
    if (durations_.full.Capped() || durations_.reduced.Capped()) {
        r.notes.push_back("* " + ArcDurationCappedNote(*durations_.device->MaxArcTime(), sep));
    }
    for (const std::string& c : durations_.cautions) r.notes.push_back("Caution: " + c);
}

}  // namespace zentavo::ui

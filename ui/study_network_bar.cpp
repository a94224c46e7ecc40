// SPDX-License-Identifier: GPL-3.0-or-later
// A study window's network: the tool bar of its choices (the convention of
// the fault currents, the low-voltage tolerance, the cables' end
// temperature, arcs in steps and the motors' decay, the worst over the
// range of arcing currents), held to the study
// library's ranges, and the dock of its buses and tree. A part of TStudy.
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QSpinBox>
#include <QToolBar>
#include <cmath>

#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/network_view.h"
#include "ui/study_window.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// The lowest step of the cables' temperature box: the convention's own
// (80 °C by iec60909, 20 °C by ansi); above it, the temperature chosen.
constexpr int kConventionTempStep = kLowestCableEndTemp - 1;
// The motor decay box's lowest step: the motors feed an arc until its last other source is cleared.
constexpr int kMotorsToTheLastSource = -1;

}  // namespace

void TStudy::BuildNetworkBar() {
    // The network's choices in a tool bar of their own: on a narrow screen
    // (or in a language of longer words) what does not fit waits behind the
    // bar's arrow instead of widening the window.
    auto* bar = new QToolBar(tr("Short circuit"), this);
    bar->setObjectName("NetworkBar");
    bar->setMovable(false);
    QWidget* central = bar;
    auto* conventionLabel = new QLabel(tr("&Short circuit:"), central);
    ShortCircuitBox = new QComboBox(central);
    ShortCircuitBox->setObjectName("ShortCircuitBox");
    ShortCircuitBox->setToolTip(tr("The convention of the bolted fault currents a network computes"));
    for (std::string_view w : network::kConventionWords) ShortCircuitBox->addItem(QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size())));
    ShortCircuitBox->setCurrentIndex(static_cast<int>(model_->file().Options().shortCircuit));
    conventionLabel->setBuddy(ShortCircuitBox);
    bar->addWidget(conventionLabel);
    bar->addWidget(ShortCircuitBox);
    const StudyOptions& options = model_->file().Options();
    LvToleranceBox = new QComboBox(central);
    LvToleranceBox->setObjectName("LvToleranceBox");
    LvToleranceBox->setAccessibleName(tr("Low-voltage tolerance"));
    LvToleranceBox->setToolTip(tr("The voltage tolerance of the low-voltage systems by IEC 60909: "
                                  "+6 % gives c max 1.05, +10 % gives 1.10"));
    LvToleranceBox->addItem(tr("LV +6 %"), 6);
    LvToleranceBox->addItem(tr("LV +10 %"), 10);
    LvToleranceBox->setCurrentIndex(options.lvTolerance == 10 ? 1 : 0);
    LvToleranceBox->setEnabled(options.shortCircuit == network::Convention::Iec60909);
    bar->addWidget(LvToleranceBox);
    auto* tempLabel = new QLabel(tr("Cables &at:"), central);
    CableEndTempBox = new QSpinBox(central);
    CableEndTempBox->setObjectName("CableEndTempBox");
    CableEndTempBox->setToolTip(tr("The conductors' temperature at the end of the fault, for the minimum case "
                                   "of the cables without their own cable_end_temp"));
    CableEndTempBox->setRange(kConventionTempStep, kHighestCableEndTemp);
    CableEndTempBox->setSuffix(tr(" °C"));
    CableEndTempBox->setSpecialValueText(tr("by convention"));
    CableEndTempBox->setValue(options.cableEndTemp ? static_cast<int>(*options.cableEndTemp) : kConventionTempStep);
    tempLabel->setBuddy(CableEndTempBox);
    bar->addSeparator();
    bar->addWidget(tempLabel);
    bar->addWidget(CableEndTempBox);
    ArcStepsBox = new QCheckBox(tr("Arcs in ste&ps"), central);
    ArcStepsBox->setObjectName("ArcStepsBox");
    ArcStepsBox->setToolTip(tr("Each point's arc cleared in steps as the network's devices open one after "
                               "another; off: in one step at the point's own device's time"));
    ArcStepsBox->setChecked(options.arcSteps);
    bar->addSeparator();
    bar->addWidget(ArcStepsBox);
    auto* decayLabel = new QLabel(tr("&Motors:"), central);
    MotorDecayBox = new QSpinBox(central);
    MotorDecayBox->setObjectName("MotorDecayBox");
    MotorDecayBox->setToolTip(tr("The cycles (of 60 Hz) after which the motors stop feeding an arc in steps"));
    MotorDecayBox->setRange(kMotorsToTheLastSource, kLongestMotorDecay);
    MotorDecayBox->setSuffix(tr(" cycles"));
    MotorDecayBox->setSpecialValueText(tr("to the last source"));
    MotorDecayBox->setValue(options.motorDecay ? static_cast<int>(std::lround(*options.motorDecay)) : kMotorsToTheLastSource);
    MotorDecayBox->setEnabled(options.arcSteps);
    decayLabel->setBuddy(MotorDecayBox);
    bar->addWidget(decayLabel);
    bar->addWidget(MotorDecayBox);
    ArcCurrentRangeBox = new QCheckBox(tr("Worst over the ran&ge"), central);
    ArcCurrentRangeBox->setObjectName("ArcCurrentRangeBox");
    ArcCurrentRangeBox->setToolTip(
        tr("Each point's worst energy over the bolted currents between its minimum "
           "and maximum case; its results those at the worst current where it is "
           "above both cases"));
    ArcCurrentRangeBox->setChecked(options.arcCurrentRange);
    bar->addSeparator();
    bar->addWidget(ArcCurrentRangeBox);
    addToolBar(Qt::TopToolBarArea, bar);
}

void TStudy::NetworkClick() {
    if (!networkView_) {
        // A dock of the study window: it never stands over another window.
        NetworkDock = new QDockWidget(tr("Network"), this);
        NetworkDock->setObjectName("NetworkDock");
        networkView_ = new TNetworkView(NetworkDock);
        networkView_->setWindowFlags(Qt::Widget);
        NetworkDock->setWidget(networkView_);
        addDockWidget(Qt::BottomDockWidgetArea, NetworkDock);
    }
    networkView_->Show(model_->file().Network(), model_->file().Options().shortCircuit, app_.Sep());
    NetworkDock->show();
    NetworkDock->raise();
}

void TStudy::UpdateNetworkView() {
    if (!networkView_ || NetworkDock->isHidden()) return;
    networkView_->Show(model_->file().Network(), model_->file().Options().shortCircuit, app_.Sep());
}

void TStudy::ShortCircuitChange() {
    const int index = ShortCircuitBox->currentIndex();
    if (index < 0 || index >= static_cast<int>(network::kConventionWords.size())) return;
    StudyOptions options = model_->file().Options();
    options.shortCircuit = static_cast<network::Convention>(index);
    options.lvTolerance = LvToleranceBox->currentData().toInt() == 10 ? 10 : 6;
    options.cableEndTemp.reset();
    if (CableEndTempBox->value() > kConventionTempStep) options.cableEndTemp = CableEndTempBox->value();
    LvToleranceBox->setEnabled(options.shortCircuit == network::Convention::Iec60909);
    if (OptionsRefused(options)) return;
    model_->SetShortCircuit(options.ShortCircuit());
}

void TStudy::ArcStepsChange() {
    MotorDecayBox->setEnabled(ArcStepsBox->isChecked());
    StudyOptions options = model_->file().Options();
    options.arcSteps = ArcStepsBox->isChecked();
    options.motorDecay.reset();
    if (MotorDecayBox->value() > kMotorsToTheLastSource) options.motorDecay = MotorDecayBox->value();
    if (OptionsRefused(options)) return;
    model_->SetArcSteps(options.arcSteps, options.motorDecay);
}

void TStudy::ArcCurrentRangeChange() {
    model_->SetArcCurrentRange(ArcCurrentRangeBox->isChecked());
}

bool TStudy::OptionsRefused(const StudyOptions& options) {
    // The ranges of the command line's options (StudyOptions::Check), told
    // as a refusal is; the study keeps the options it has.
    const std::optional<Refusal> refusal = options.Check();
    if (refusal) app_.dialogs().Warning(this, FromUtf8(refusal->message));
    return refusal.has_value();
}

}  // namespace zentavo::ui

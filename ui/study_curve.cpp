// SPDX-License-Identifier: GPL-3.0-or-later
// The study window's time-current picture, beside its table (View,
// "Time-current curve"): the current row's device with the devices of its
// arc's steps, or the devices of the rows selected together; the picture
// exported as PNG or SVG.
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <stdexcept>

#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "io/file_io.h"
#include "render/picture_file.h"
#include "study/result_cells.h"
#include "ui/application.h"
#include "ui/device_panel.h"
#include "ui/dialogs.h"
#include "ui/open_files.h"
#include "ui/row_form.h"
#include "ui/study_window.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

// The most devices one picture takes: as many as it has colours.
constexpr std::size_t kMostCurves = 6;
// The rows left out that the text under the picture names, one a line.
constexpr qsizetype kListedLeftOut = 10;

enum class RowCurveState { Drawn, NoDevice, Refused };

// Whether a row's device has a picture: a row naming no device has none; a
// row refused, or not computed from its device, has none to show.
RowCurveState CurveStateOf(const StudyFile& file, std::size_t row) {
    bool named = false;
    for (int c = kFirstDeviceColumn; c <= kLastDeviceColumn && !named; ++c) {
        named = !file.Input(row, static_cast<StudyInputColumn>(c)).empty();
    }
    if (!named) return RowCurveState::NoDevice;
    const PointResult& result = file.Result(row);
    return result.Computed() && result.device && result.full.duration ? RowCurveState::Drawn : RowCurveState::Refused;
}

// A row's name, device columns and device_at, held while a picture is made from views of them.
struct HeldRow {
    std::size_t row = 0;
    std::string name;
    std::array<std::string, kStudyInputColumnCount> texts;

    double fromBusVolts = 0;  // the nominal voltage of its from bus, where the network gives it

    HeldRow(const StudyFile& file, std::size_t r) : row(r), name(file.Point(r)) {
        for (int c = kFirstDeviceColumn; c <= kLastDeviceColumn; ++c) {
            texts[static_cast<std::size_t>(c)] = file.Input(r, static_cast<StudyInputColumn>(c));
        }
        // Where its device sits: at its from bus, it sees that bus's currents.
        texts[kDeviceAtColumn] = file.Input(r, kDeviceAtColumn);
        if (const StudyNetwork* network = file.Network()) {
            if (const network::BusResult* from =
                    network->Results().FindBus(file.Input(r, kFromBusColumn)))
                fromBusVolts = from->kV * 1000;
        }
    }
    // The row as the picture reads it: the result as the study computed it
    // (the marks at the unrounded arcing currents, never the table's texts).
    render::StudyPointView View(const StudyFile& file) const {
        render::StudyPointView v;
        v.name = name;
        for (std::size_t c = 0; c < texts.size(); ++c) v.inputs[c] = texts[c];
        v.result = &file.Result(row);
        v.fromBusVolts = fromBusVolts;
        return v;
    }
};

}  // namespace

void TStudy::BuildCurveDock() {
    CurveDock = new QDockWidget(tr("Time-current curve"), this);
    CurveDock->setObjectName("CurveDock");
    CurveDock->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    auto* panel = new QWidget(CurveDock);
    panel->setAccessibleName(tr("Time-current curve of the current point"));
    auto* layout = new QVBoxLayout(panel);
    auto* top = new QHBoxLayout;
    CurvePoint = new QLabel(panel);
    CurvePoint->setObjectName("CurvePoint");
    CurvePoint->setTextFormat(Qt::PlainText);
    ExportCurveButton = new QPushButton(tr("E&xport picture…"), panel);
    ExportCurveButton->setObjectName("ExportCurveButton");
    ExportCurveButton->setToolTip(tr("The picture as a PNG (1200 × 800 pixels) or SVG file, by the name's extension"));
    CurveVoltsLabel = new QLabel(tr("C&urrents at:"), panel);
    CurveVoltsBox = new QComboBox(panel);
    CurveVoltsBox->setObjectName("CurveVoltsBox");
    CurveVoltsBox->setToolTip(
        tr("The voltage every device's currents are drawn at: a current on another "
           "voltage's side is shown times that voltage over this one"));
    CurveVoltsLabel->setBuddy(CurveVoltsBox);
    CurveVoltsLabel->hide();
    CurveVoltsBox->hide();
    connect(CurveVoltsBox, &QComboBox::currentIndexChanged, this,
            [this] { app_.Guard(this, [&] { UpdateCurve(); }); });
    top->addWidget(CurvePoint, 1);
    top->addWidget(CurveVoltsLabel);
    top->addWidget(CurveVoltsBox);
    top->addWidget(ExportCurveButton);
    CurveView = new TimeCurrentView(panel);
    // The same from the picture's own menu.
    exportCurveAction_ = new QAction(tr("E&xport picture…"), CurveView);
    exportCurveAction_->setObjectName("ExportCurve1");
    CurveView->addAction(exportCurveAction_);
    CurveView->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(exportCurveAction_, &QAction::triggered, this, [this] { app_.Guard(this, [&] { ExportCurveClick(); }); });
    connect(ExportCurveButton, &QPushButton::clicked, exportCurveAction_, &QAction::trigger);
    NoCurveText = new QLabel(panel);
    NoCurveText->setObjectName("NoCurveText");
    NoCurveText->setTextFormat(Qt::PlainText);
    NoCurveText->setWordWrap(true);
    NoCurveText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StepList = new QLabel(panel);
    StepList->setObjectName("StepList");
    StepList->setTextFormat(Qt::PlainText);
    StepList->setWordWrap(true);
    StepList->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addLayout(top);
    layout->addWidget(CurveView, 1);
    layout->addWidget(NoCurveText);
    layout->addWidget(StepList);
    CurveDock->setWidget(panel);
    addDockWidget(Qt::RightDockWidgetArea, CurveDock);
    // Shown from the View menu: the table keeps the whole window until asked.
    CurveDock->hide();
}

void TStudy::UpdateCurve() {
    const bool dock = !CurveDock->isHidden(), form = !RowFormDock->isHidden();
    if (!dock && !form) return;
    const int current = CurrentModelRow();
    const std::vector<int> selected = dock ? SelectedRows() : std::vector<int>{};
    const bool several = selected.size() > 1;
    // The row form shows the current row; the dock, the rows selected together when there are several.
    QString why;
    std::optional<render::TimeCurrentPlot> plot;
    // The voltage the currents are drawn at, as chosen in the dock (the lowest until then).
    const QVariant chosenData = CurveVoltsBox->currentData();
    const std::optional<double> chosen =
        chosenData.isValid() ? std::optional<double>(chosenData.toDouble()) : std::nullopt;
    std::vector<double> voltages;
    if (form || !several) plot = RowCurve(current, why, chosen, voltages);
    if (form) {
        form_->Curve()->SetPlot(plot, app_.Sep());
        form_->Curve()->SetEmptyText(why);
    }
    if (!dock) return;
    if (several) {
        voltages.clear();
        plot = RowsCurve(selected, chosen, why, voltages);
        CurvePoint->setText(tr("%1 selected points").arg(selected.size()));
    } else {
        CurvePoint->setText(current < 0 ? QString() : FromUtf8(OneLineName(model_->file().Point(static_cast<std::size_t>(current)))));
    }
    {
        // The voltages of the rows drawn, the picture's own chosen.
        const QSignalBlocker quiet(CurveVoltsBox);
        CurveVoltsBox->clear();
        for (double v : voltages) {
            CurveVoltsBox->addItem(tr("%1 V").arg(render::VoltsText(v, app_.Sep())), v);
            if (plot && plot->referenceVolts == v)
                CurveVoltsBox->setCurrentIndex(CurveVoltsBox->count() - 1);
        }
        CurveVoltsBox->setEnabled(voltages.size() > 1);
        CurveVoltsBox->setVisible(!voltages.empty());
        CurveVoltsLabel->setVisible(!voltages.empty());
    }
    CurveView->SetPlot(plot, app_.Sep());
    CurveView->setVisible(plot.has_value());
    exportCurveAction_->setEnabled(plot.has_value());
    ExportCurveButton->setEnabled(plot.has_value());
    NoCurveText->setText(why);
    NoCurveText->setVisible(!why.isEmpty());
    StepList->setText(current < 0 || several ? QString() : StepListText(static_cast<std::size_t>(current)));
    StepList->setVisible(!StepList->text().isEmpty());
}

std::optional<render::TimeCurrentPlot> TStudy::RowCurve(int current, QString& why,
                                                        std::optional<double> volts,
                                                        std::vector<double>& voltages) const {
    if (current < 0) {
        why = tr("Select a point to see the time-current curve of its protective device.");
        return std::nullopt;
    }
    const StudyFile& file = model_->file();
    const auto row = static_cast<std::size_t>(current);
    const PointResult& result = file.Result(row);
    switch (CurveStateOf(file, row)) {
    case RowCurveState::NoDevice:
        why = tr("This point has no protective device: its arc durations are typed or "
                 "come from its method's equations.");
        return std::nullopt;
    case RowCurveState::Refused:
        why = tr("This point is refused, so its device has no curve to show: %1").arg(FromUtf8(result.message));
        return std::nullopt;
    case RowCurveState::Drawn: break;
    }
    why.clear();
    const HeldRow held(file, row);
    // The devices that open in the arc's steps, beside the point's own, each at its voltage.
    std::vector<render::StepDeviceView> others;
    // Each as the network's scenario built it, with the result.
    for (const PointStep& s : result.Governing().steps) {
        for (std::size_t k = 0; k < s.opened.size(); ++k) {
            const std::size_t opened = s.opened[k];
            std::shared_ptr<const ProtectiveDevice> d = k < s.openedDevices.size() ? s.openedDevices[k] : nullptr;
            if (opened == row || opened >= file.RowCount() || !d) continue;
            const double after = OpenedAfter(result.Governing().steps, opened).value_or(0);
            QString name = tr("%1, opens after %2 s")
                               .arg(FromUtf8(OneLineName(file.Point(opened))), FromUtf8(ArcDurationText(after, app_.Sep())));
            // Special protection that opened it is named.
            switch (k < s.openedBy.size() ? s.openedBy[k] : DeviceElement::DoesNotOperate) {
                case DeviceElement::ArcFlashRelay: name += tr(" (arc-flash relay)"); break;
                case DeviceElement::ZoneInterlocked: name += tr(" (zone-selective interlocking)"); break;
                default: break;
            }
            const HeldRow openedRow(file, opened);
            others.push_back({d.get(), name, render::DeviceVolts(openedRow.View(file))});
        }
    }
    const render::StudyPointView view = held.View(file);
    voltages = render::StudyRowVoltages(view, others);
    return render::StudyRowTimeCurrentAt(view, others, app_.Sep(), volts);
}

std::optional<render::TimeCurrentPlot> TStudy::RowsCurve(const std::vector<int>& rows,
                                                         std::optional<double> volts, QString& why,
                                                         std::vector<double>& voltages) const {
    const StudyFile& file = model_->file();
    std::vector<HeldRow> drawn;
    QStringList leftOut;
    qsizetype more = 0;       // rows left out beyond those named
    std::size_t beyond = 0;   // rows with a device beyond the picture's most
    for (int r : rows) {
        const auto row = static_cast<std::size_t>(r);
        const RowCurveState state = CurveStateOf(file, row);
        if (state == RowCurveState::Drawn) {
            if (drawn.size() < kMostCurves) {
                drawn.emplace_back(file, row);
            } else {
                ++beyond;
            }
            continue;
        }
        if (leftOut.size() >= kListedLeftOut) {
            ++more;
            continue;
        }
        const QString name = FromUtf8(OneLineName(file.Point(row)));
        leftOut << (state == RowCurveState::NoDevice
                        ? tr("%1 has no protective device.").arg(name)
                        : tr("%1 is refused: %2").arg(name, FromUtf8(file.Result(row).message)));
    }
    QStringList lines;
    if (drawn.empty()) lines << tr("None of the selected points has a device curve to show.");
    if (!leftOut.isEmpty()) lines << tr("Not drawn:") << leftOut;
    if (more > 0) lines << tr("and %1 more.").arg(more);
    if (beyond > 0) {
        lines << tr("%1 more of the selected points have a device: the picture takes the first %2.")
                     .arg(beyond)
                     .arg(kMostCurves);
    }
    why = lines.join(QLatin1Char('\n'));
    if (drawn.empty()) return std::nullopt;
    std::vector<render::StudyPointView> views;
    for (const HeldRow& h : drawn) views.push_back(h.View(file));
    voltages = render::StudyRowsVoltages(views);
    return render::StudyRowsTimeCurrent(views, app_.Sep(), volts);
}

void TStudy::ExportCurveClick() {
    const std::optional<render::TimeCurrentPlot>& plot = CurveView->Plot();
    if (!plot || CurveView->isHidden()) return;
    FileChoice choice;
    choice.title = tr("Export time-current picture as");
    choice.filter = tr("PNG pictures (*.png);;SVG pictures (*.svg)");
    choice.defaultSuffix = QStringLiteral("png");
    choice.initialName = ExportName(QStringLiteral("-curves.png"));
    const QString chosen = app_.dialogs().SaveFileName(this, choice);
    if (chosen.isEmpty()) return;
    const std::optional<render::PictureFormat> format = render::PictureFormatOf(chosen);
    if (!format) throw std::runtime_error(Utf8(tr("A picture's name ends in .png or .svg: %1").arg(QFileInfo(chosen).fileName())));
    if (!path_.isEmpty() && SameFile(QFile::encodeName(chosen).toStdString(), QFile::encodeName(path_).toStdString()))
        throw std::runtime_error(Utf8(tr("The picture is not written over its own study: choose another file.")));
    if (!MayWriteOver(app_, this, chosen)) return;
    const render::StudyExportResult result =
        render::SaveTimeCurrentPicture(chosen, *plot, *format, app_.Sep(), tr("Time-current curves"));
    if (result.outcome != render::StudyExportResult::kWritten)
        throw std::runtime_error(Utf8(tr("Cannot write %1: %2").arg(QFileInfo(chosen).fileName(), result.error)));
}

QString TStudy::StepListText(std::size_t row) const {
    const StudyFile& file = model_->file();
    const PointResult& r = file.Result(row);
    if (!r.Computed()) return {};
    const char sep = app_.Sep();
    QString text;
    const std::vector<PointStep>& steps = r.Governing().steps;
    if (steps.size() > 1) {
        text = tr("Arc cleared in %1 steps:").arg(steps.size());
        for (std::size_t k = 0; k < steps.size(); ++k) {
            const PointStep& s = steps[k];
            QString ended;
            switch (s.end) {
            case StepEnd::DeviceOpened: {
                QStringList names;
                for (std::size_t opened : s.opened) {
                    names << (opened < file.RowCount() ? FromUtf8(OneLineName(file.Point(opened))) : QString());
                }
                ended = tr("the device of %1 opened").arg(names.join(QStringLiteral(", ")));
                break;
            }
            case StepEnd::MotorsEnd: ended = tr("the motors' contribution ended"); break;
            case StepEnd::MaximumDuration: ended = tr("the maximum arc duration"); break;
            case StepEnd::TypedDuration: ended = tr("the arc duration typed"); break;
            case StepEnd::NoSource: ended = tr("no source left but motors"); break;
            case StepEnd::BusDifferential:
                ended = tr("the bus differential protection");
                break;
            }
            if (s.motorsEnd && s.end == StepEnd::DeviceOpened) ended += tr("; the motors' contribution ended");
            text += QLatin1Char('\n') +
                    tr("%1. %2 kA bolted, %3 kA arcing, for %4 s: %5")
                        .arg(k + 1)
                        .arg(FromUtf8(FormatFixed(s.boltedKa, 15, 3, sep)), FromUtf8(FormatFixed(s.arcingKa, 15, 3, sep)),
                             FromUtf8(ArcDurationText(s.seconds, sep)), ended);
        }
    }
    if (r.scenarios.size() > 1) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += tr("Worst scenario: %1 (%2)")
                    .arg(FromUtf8(r.scenarioWorst), FromUtf8(ScenarioEnergiesText(r, file.Options().units, sep)));
    }
    return text;
}

}  // namespace zentavo::ui

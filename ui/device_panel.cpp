// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/device_panel.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "engine/ieee2018_device.h"
#include "engine/number.h"
#include "io/file_io.h"
#include "study/device_curves.h"
#include "ui/application.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

QString Default(double v, char sep) {
    return FromUtf8(ArcDurationText(v, sep));
}

}  // namespace

QString RelayCurveWords(RelayCurve c) {
    switch (c) {
        case RelayCurve::IeeeMI:
            return DevicePanel::tr("IEEE-MI \u2014 IEEE moderately inverse");
        case RelayCurve::IeeeVI:
            return DevicePanel::tr("IEEE-VI \u2014 IEEE very inverse");
        case RelayCurve::IeeeEI:
            return DevicePanel::tr("IEEE-EI \u2014 IEEE extremely inverse");
        case RelayCurve::IecSI:
            return DevicePanel::tr("IEC-SI \u2014 IEC standard inverse");
        case RelayCurve::IecVI:
            return DevicePanel::tr("IEC-VI \u2014 IEC very inverse");
        case RelayCurve::IecEI:
            return DevicePanel::tr("IEC-EI \u2014 IEC extremely inverse");
        case RelayCurve::IecLTI:
            return DevicePanel::tr("IEC-LTI \u2014 IEC long-time inverse");
        case RelayCurve::DT:
            return DevicePanel::tr("DT \u2014 definite time");
    }
    return {};
}

namespace {

std::string Text(const QLineEdit* e) {
    return Utf8(e->text().trimmed());
}

}  // namespace

DevicePanel::DevicePanel(Application& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName("DevicePanel");
    const char sep = app_.Sep();
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);

    auto* type = new QGridLayout;
    DeviceTypeBox = new QComboBox;
    DeviceTypeBox->setObjectName("DeviceTypeBox");
    DeviceTypeBox->addItem(tr("Relay with its breaker"));
    DeviceTypeBox->addItem(tr("Low-voltage trip unit"));
    DeviceTypeBox->addItem(tr("Fuse, by its total-clearing curve"));
    auto* typeCaption = new QLabel(tr("Protective device:"));
    typeCaption->setBuddy(DeviceTypeBox);
    type->addWidget(typeCaption, 0, 0);
    type->addWidget(DeviceTypeBox, 0, 1);
    type->setColumnStretch(1, 1);
    top->addLayout(type);

    DevicePages = new QStackedWidget;
    DevicePages->setObjectName("DevicePages");
    DevicePages->addWidget(BuildRelayPage());
    DevicePages->addWidget(BuildTripUnitPage());
    DevicePages->addWidget(BuildFusePage());
    top->addWidget(DevicePages);

    // What every device has: its share of the arcing current and the cap.
    auto* shared = new QGridLayout;
    int cell = 0;
    DeviceShareEdit = AddField(shared, cell, "DeviceShareEdit", tr("Share of the arcing current:"),
                               "device_share", Default(1, sep));
    MaxArcTimeEdit =
        AddField(shared, cell, "MaxArcTimeEdit", tr("Maximum arc duration (sec, or none):"),
                 "max_arc_time", Default(kDefaultMaxArcTime, sep));
    top->addLayout(shared);

    connect(DeviceTypeBox, &QComboBox::currentIndexChanged, this, [this] { TypeChange(); });
    connect(RelayCurveBox, &QComboBox::currentIndexChanged, this, &DevicePanel::changed);
    connect(LoadCurvesButton, &QPushButton::clicked, this,
            [this] { app_.Guard(window(), [&] { LoadCurvesClick(); }); });
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        connect(e, &QLineEdit::textChanged, this, &DevicePanel::changed);
        connect(e, &QLineEdit::returnPressed, this, &DevicePanel::computeRequested);
    }
    TypeChange();
}

QLineEdit* DevicePanel::AddField(QGridLayout* grid, int& cell, const char* name,
                                 const QString& caption, const char* column,
                                 const QString& placeholder) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setPlaceholderText(placeholder);
    e->setMinimumWidth(70);
    auto* l = new QLabel(caption);
    l->setBuddy(e);
    grid->addWidget(l, cell / 2, (cell % 2) * 2);
    grid->addWidget(e, cell / 2, (cell % 2) * 2 + 1);
    ++cell;
    columns_.emplace_back(column, l);
    return e;
}

QWidget* DevicePanel::BuildRelayPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    const char sep = app_.Sep();
    RelayCurveBox = new QComboBox;
    RelayCurveBox->setObjectName("RelayCurveBox");
    for (std::size_t i = 0; i < kRelayCurveWords.size(); ++i) {
        RelayCurveBox->addItem(RelayCurveWords(static_cast<RelayCurve>(i)),
                               FromUtf8(kRelayCurveWords[i]));
    }
    RelayCurveBox->setCurrentIndex(static_cast<int>(RelayCurve::IecSI));
    auto* curveCaption = new QLabel(tr("Relay curve:"));
    curveCaption->setBuddy(RelayCurveBox);
    grid->addWidget(curveCaption, 0, 0);
    grid->addWidget(RelayCurveBox, 0, 1, 1, 3);
    columns_.emplace_back("relay_curve", curveCaption);
    int cell = 2;
    RelayPickupEdit = AddField(grid, cell, "RelayPickupEdit", tr("Pickup (A):"), "relay_pickup");
    RelayTimeDialEdit =
        AddField(grid, cell, "RelayTimeDialEdit", tr("Time dial (sec for DT):"), "relay_time_dial");
    RelayInstPickupEdit =
        AddField(grid, cell, "RelayInstPickupEdit", tr("Instantaneous pickup (A):"),
                 "relay_inst_pickup", tr("none"));
    RelayInstDelayEdit =
        AddField(grid, cell, "RelayInstDelayEdit", tr("Instantaneous delay (sec):"),
                 "relay_inst_delay", Default(0, sep));
    BreakerTimeEdit = AddField(grid, cell, "BreakerTimeEdit", tr("Breaker time (sec):"),
                               "breaker_time", Default(kDefaultBreakerTime, sep));
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* DevicePanel::BuildTripUnitPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    const char sep = app_.Sep();
    int cell = 0;
    TripRatingEdit = AddField(grid, cell, "TripRatingEdit", tr("Rating (A):"), "trip_rating");
    TripLtPickupEdit = AddField(grid, cell, "TripLtPickupEdit",
                                tr("Long-time pickup (\u00d7 rating):"), "trip_lt_pickup");
    TripLtDelayEdit = AddField(grid, cell, "TripLtDelayEdit",
                               tr("Long-time delay (sec at 6 \u00d7 pickup):"), "trip_lt_delay");
    TripStPickupEdit =
        AddField(grid, cell, "TripStPickupEdit", tr("Short-time pickup (\u00d7 LT pickup):"),
                 "trip_st_pickup", tr("none"));
    TripStDelayEdit =
        AddField(grid, cell, "TripStDelayEdit", tr("Short-time delay (sec):"), "trip_st_delay");
    TripInstPickupEdit =
        AddField(grid, cell, "TripInstPickupEdit", tr("Instantaneous pickup (\u00d7 rating):"),
                 "trip_inst_pickup", tr("none"));
    TripInstTimeEdit =
        AddField(grid, cell, "TripInstTimeEdit", tr("Instantaneous clearing time (sec):"),
                 "trip_inst_time", Default(kDefaultTripInstTime, sep));
    TripToleranceEdit = AddField(grid, cell, "TripToleranceEdit", tr("Tolerance:"),
                                 "trip_tolerance", Default(kDefaultTripTolerance, sep));
    return page;
}

QWidget* DevicePanel::BuildFusePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    FuseCurveEdit = new QLineEdit;
    FuseCurveEdit->setObjectName("FuseCurveEdit");
    FuseCurveEdit->setPlaceholderText(tr("100:300 200:20 1000:0.1, or a curve's name"));
    auto* caption = new QLabel(tr("Fuse curve (A:sec points, or a name):"));
    caption->setBuddy(FuseCurveEdit);
    columns_.emplace_back("fuse_curve", caption);
    LoadCurvesButton = new QPushButton(tr("Load device curves\u2026"));
    LoadCurvesButton->setObjectName("LoadCurvesButton");
    LoadCurvesButton->setAutoDefault(false);
    CurvesFileLabel = new QLabel(tr("No curves file loaded"));
    CurvesFileLabel->setObjectName("CurvesFileLabel");
    grid->addWidget(caption, 0, 0);
    grid->addWidget(FuseCurveEdit, 0, 1, 1, 2);
    grid->addWidget(LoadCurvesButton, 1, 1);
    grid->addWidget(CurvesFileLabel, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    return page;
}

void DevicePanel::TypeChange() {
    DevicePages->setCurrentIndex(std::max(0, DeviceTypeBox->currentIndex()));
    // Only the shown page takes space: the panel is as tall as its fields.
    for (int i = 0; i < DevicePages->count(); ++i) {
        DevicePages->widget(i)->setSizePolicy(
            QSizePolicy::Preferred,
            i == DevicePages->currentIndex() ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    DevicePages->adjustSize();
    emit changed();
}

void DevicePanel::LoadCurvesClick() {
    FileChoice choice;
    choice.title = tr("Load device curves");
    choice.filter = tr("device curves (*.csv)");
    choice.defaultSuffix = QStringLiteral("csv");
    choice.initialName = curvesFile_;
    const QString path = app_.dialogs().OpenFileName(window(), choice);
    if (path.isEmpty()) return;
    const std::string text = ReadFile(QFile::encodeName(path).toStdString());
    Built<CurveSet> read = ReadDeviceCurves(text);
    if (!read.device) {
        app_.dialogs().Warning(window(), FromUtf8(read.refusal->message));
        return;
    }
    SetCurves(std::make_shared<const CurveSet>(std::move(*read.device)), path);
}

void DevicePanel::SetCurves(std::shared_ptr<const CurveSet> curves, const QString& fileName) {
    curves_ = std::move(curves);
    curvesFile_ = fileName;
    CurvesFileLabel->setText(
        curves_ ? tr("%n curve(s) from %1", nullptr, static_cast<int>(curves_->size()))
                      .arg(QFileInfo(fileName).fileName())
                : tr("No curves file loaded"));
    emit changed();
}

std::optional<double> DevicePanel::Number(const QLineEdit* e) const {
    const std::string t = Text(e);
    if (t.empty()) return std::nullopt;
    return ParseNumber(t, app_.Sep());
}

std::string DevicePanel::WithCaptions(std::string message) const {
    // Longest names first: no name is then replaced inside a longer one.
    std::vector<std::pair<std::string, std::string>> names;
    for (const auto& [column, caption] : columns_) {
        QString c = caption->text();
        if (c.endsWith(':')) c.chop(1);
        names.emplace_back(column, Utf8(c));
    }
    std::sort(names.begin(), names.end(),
              [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    for (const auto& [column, caption] : names) {
        for (std::size_t at = message.find(column); at != std::string::npos;
             at = message.find(column, at + caption.size())) {
            message.replace(at, column.size(), caption);
        }
    }
    return message;
}

DeviceType DevicePanel::Type() const {
    return static_cast<DeviceType>(std::max(0, DeviceTypeBox->currentIndex()));
}

std::optional<RelayCurve> DevicePanel::Curve() const {
    if (Type() != DeviceType::Relay) return std::nullopt;
    return static_cast<RelayCurve>(std::max(0, RelayCurveBox->currentIndex()));
}

Built<ProtectiveDevice> DevicePanel::Device() const {
    const char sep = app_.Sep();
    std::string errors;
    auto need = [&](const QLineEdit* e, const char* column) {
        const std::optional<double> v = Number(e);
        if (!v) errors += std::string(errors.empty() ? "" : "; ") + column + ": enter a value";
        return v.value_or(0);
    };
    DeviceSettings s;
    switch (DeviceTypeBox->currentIndex()) {
        case 0: {
            RelaySettings r;
            r.curve = static_cast<RelayCurve>(std::max(0, RelayCurveBox->currentIndex()));
            r.pickup = need(RelayPickupEdit, "relay_pickup");
            r.timeDial = need(RelayTimeDialEdit, "relay_time_dial");
            r.instPickup = Number(RelayInstPickupEdit);
            r.instDelay = Number(RelayInstDelayEdit);
            r.breakerTime = Number(BreakerTimeEdit).value_or(kDefaultBreakerTime);
            s.device = r;
            break;
        }
        case 1: {
            TripUnitSettings u;
            u.rating = need(TripRatingEdit, "trip_rating");
            u.ltPickup = need(TripLtPickupEdit, "trip_lt_pickup");
            u.ltDelay = need(TripLtDelayEdit, "trip_lt_delay");
            u.stPickup = Number(TripStPickupEdit);
            u.stDelay = Number(TripStDelayEdit);
            u.instPickup = Number(TripInstPickupEdit);
            u.instTime = Number(TripInstTimeEdit);
            u.tolerance = Number(TripToleranceEdit).value_or(kDefaultTripTolerance);
            s.device = u;
            break;
        }
        default: {
            Built<FuseCurve> fuse = ResolveFuseCurve(Text(FuseCurveEdit), sep, curves_.get());
            if (!fuse.device) {
                return {std::nullopt,
                        Refusal{RefusalCode::Curve, WithCaptions(fuse.refusal->message)}};
            }
            s.device = std::move(*fuse.device);
            break;
        }
    }
    s.deviceShare = Number(DeviceShareEdit).value_or(1);
    Built<std::optional<double>> maxArc = ReadMaxArcTime(MaxArcTimeText(), sep);
    if (!maxArc.device) {
        errors += (errors.empty() ? "" : "; ") + maxArc.refusal->message;
    } else {
        s.maxArcTime = *maxArc.device;
    }
    if (!errors.empty()) return {std::nullopt, Refusal{RefusalCode::Device, WithCaptions(errors)}};
    Built<ProtectiveDevice> built = MakeProtectiveDevice(s, sep);
    if (!built.device) built.refusal->message = WithCaptions(built.refusal->message);
    return built;
}

std::vector<std::string> DevicePanel::ReportLines() const {
    const char sep = app_.Sep();
    // A field as typed, or what an empty one stands for.
    auto value = [](const QLineEdit* e, const std::string& empty) {
        const std::string t = Text(e);
        return t.empty() ? empty : t;
    };
    const std::string none = "none";
    std::vector<std::string> l;
    switch (DeviceTypeBox->currentIndex()) {
        case 0:
            l.push_back("Protective device: relay");
            l.push_back("Relay curve: " + Utf8(RelayCurveBox->currentData().toString()));
            l.push_back("Relay pickup (A): " + Text(RelayPickupEdit));
            l.push_back("Relay time dial: " + Text(RelayTimeDialEdit));
            l.push_back("Relay instantaneous pickup (A): " + value(RelayInstPickupEdit, none));
            if (!Text(RelayInstPickupEdit).empty()) {
                l.push_back("Relay instantaneous delay (sec): " +
                            value(RelayInstDelayEdit, ArcDurationText(0, sep)));
            }
            l.push_back("Breaker time (sec): " +
                        value(BreakerTimeEdit, ArcDurationText(kDefaultBreakerTime, sep)));
            break;
        case 1:
            l.push_back("Protective device: low-voltage trip unit");
            l.push_back("Trip unit rating (A): " + Text(TripRatingEdit));
            l.push_back("Long-time pickup (x rating): " + Text(TripLtPickupEdit));
            l.push_back("Long-time delay (sec at 6 x pickup): " + Text(TripLtDelayEdit));
            l.push_back("Short-time pickup (x long-time pickup): " + value(TripStPickupEdit, none));
            if (!Text(TripStPickupEdit).empty()) {
                l.push_back("Short-time delay (sec): " + Text(TripStDelayEdit));
            }
            l.push_back("Instantaneous pickup (x rating): " + value(TripInstPickupEdit, none));
            if (!Text(TripInstPickupEdit).empty()) {
                l.push_back("Instantaneous clearing time (sec): " +
                            value(TripInstTimeEdit, ArcDurationText(kDefaultTripInstTime, sep)));
            }
            l.push_back("Trip unit tolerance: " +
                        value(TripToleranceEdit, ArcDurationText(kDefaultTripTolerance, sep)));
            break;
        default: {
            l.push_back("Protective device: fuse");
            const std::string curve = Text(FuseCurveEdit);
            const bool named = curve.find(':') == std::string::npos;
            l.push_back("Fuse curve: " + curve +
                        (named ? " (" + Utf8(QFileInfo(curvesFile_).fileName()) + ")" : ""));
            break;
        }
    }
    l.push_back("Device share of the arcing current: " +
                value(DeviceShareEdit, ArcDurationText(1, sep)));
    const std::string maxArc = MaxArcTimeText();
    l.push_back("Maximum arc duration (sec): " + (maxArc.empty() ? ArcDurationText(kDefaultMaxArcTime, sep) : maxArc));
    return l;
}

std::string DevicePanel::MaxArcTimeText() const {
    const QString typed = MaxArcTimeEdit->text().trimmed();
    if (typed.compare(tr("none"), Qt::CaseInsensitive) == 0) return "none";
    return Utf8(typed);
}

TimeCurrentView::TimeCurrentView(QWidget* parent) : QWidget(parent) {
    setObjectName("TimeCurrentView");
    setAccessibleName(tr("Time-current curve of the protective device"));
    setMinimumSize(kLeastWidth, kLeastHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TimeCurrentView::SetPlot(std::optional<render::TimeCurrentPlot> plot, char sep) {
    plot_ = std::move(plot);
    if (plot_) {
        plot_->currentTitle =
            plot_->referenceVolts
                ? tr("Current (A) at %1 V").arg(render::VoltsText(*plot_->referenceVolts, sep))
                : tr("Current (A)");
        plot_->timeTitle = tr("Time (s)");
    }
    // The table under the axes of a picture of several devices asks for its
    // own room below the axes' (its lines as broken at the least width).
    double table = 0;
    if (plot_) {
        const QFontMetricsF fm(render::TimeCurrentFont(font()), this);
        table = render::LayOutTimeCurrentTable(*plot_, QRectF(0, 0, kLeastWidth, kLeastHeight), fm)
                    .box.height();
    }
    // Added to the least height the window gave the view, and taken off again.
    const int extra = static_cast<int>(std::ceil(table));
    if (extra != tableHeight_) setMinimumHeight(minimumHeight() - tableHeight_ + extra);
    tableHeight_ = extra;
    sep_ = sep;
    update();
}

void TimeCurrentView::SetEmptyText(const QString& text) {
    emptyText_ = text;
    update();
}

void TimeCurrentView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!plot_) {
        p.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
        p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, emptyText_);
        return;
    }
    render::PaintTimeCurrent(p, QRectF(rect()), *plot_, sep_);
}

}  // namespace zentavo::ui

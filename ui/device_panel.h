// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of the protective device that clears a point, laid out per
// type (relay, low-voltage trip unit, fuse curve), with the device's share
// of the arcing current and the maximum arc duration; and the view of the
// device's time-current picture. Used by the 2018 window; usable by any
// window that takes a device.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/protection.h"
#include "render/time_current.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace zentavo::ui {

class Application;

class DevicePanel : public QWidget {
    Q_OBJECT
public:
    explicit DevicePanel(Application& app, QWidget* parent = nullptr);

    // The device the fields describe, or every problem of them, each named by
    // its field's caption; with the cautions of a device built from settings
    // no device offers, as the engine names them (by study column). A text
    // that is not a number raises ConversionError.
    Built<ProtectiveDevice> Device() const;
    // The engine's message with the study column names put as the captions.
    std::string WithCaptions(std::string message) const;
    // The settings as the report states them, one "caption: value" line each,
    // a field left empty written as the value it stands for.
    std::vector<std::string> ReportLines() const;
    // The maximum arc duration as typed, the interface's word for none
    // ("ninguna", "aucune") read as none, as "none" is.
    std::string MaxArcTimeText() const;
    // The device's type and, for a relay, its curve, as the fields choose them.
    DeviceType Type() const;
    std::optional<RelayCurve> Curve() const;
    // A curves file read elsewhere: fuse curves may name its curves.
    void SetCurves(std::shared_ptr<const CurveSet> curves, const QString& fileName);

signals:
    void changed();           // any field edited, the type changed, curves loaded
    void computeRequested();  // Enter in a field

private:
    void LoadCurvesClick();  // "Load device curves…"
    void TypeChange();

    QWidget* BuildRelayPage();
    QWidget* BuildTripUnitPage();
    QWidget* BuildFusePage();
    // A field with its caption in the next cell pair of `grid` (two pairs a row).
    QLineEdit* AddField(QGridLayout* grid, int& cell, const char* name, const QString& caption,
                        const char* column, const QString& placeholder = QString());
    // The number of a field; none when it is empty.
    std::optional<double> Number(const QLineEdit* e) const;

    Application& app_;
    QComboBox* DeviceTypeBox = nullptr;
    QStackedWidget* DevicePages = nullptr;
    QComboBox* RelayCurveBox = nullptr;
    QLineEdit *RelayPickupEdit = nullptr, *RelayTimeDialEdit = nullptr,
              *RelayInstPickupEdit = nullptr, *RelayInstDelayEdit = nullptr,
              *BreakerTimeEdit = nullptr;
    QLineEdit *TripRatingEdit = nullptr, *TripLtPickupEdit = nullptr, *TripLtDelayEdit = nullptr,
              *TripStPickupEdit = nullptr, *TripStDelayEdit = nullptr,
              *TripInstPickupEdit = nullptr, *TripInstTimeEdit = nullptr,
              *TripToleranceEdit = nullptr;
    QLineEdit* FuseCurveEdit = nullptr;
    QPushButton* LoadCurvesButton = nullptr;
    QLabel* CurvesFileLabel = nullptr;
    QLineEdit *DeviceShareEdit = nullptr, *MaxArcTimeEdit = nullptr;

    // The study column each field stands for, and its caption: messages name the caption.
    std::vector<std::pair<std::string, QLabel*>> columns_;
    std::shared_ptr<const CurveSet> curves_;
    QString curvesFile_;
};

// The time-current picture of the device of a computed point.
// A relay curve's code with its words, in the interface's language
// ("IEEE-VI — IEEE very inverse").
QString RelayCurveWords(RelayCurve curve);

class TimeCurrentView : public QWidget {
    Q_OBJECT
public:
    explicit TimeCurrentView(QWidget* parent = nullptr);
    // The picture to show (none: the view is empty), its labels written with `sep`.
    void SetPlot(std::optional<render::TimeCurrentPlot> plot, char sep);
    const std::optional<render::TimeCurrentPlot>& Plot() const { return plot_; }
    // What the empty view says in its middle (nothing unless set).
    void SetEmptyText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kLeastWidth = 360, kLeastHeight = 230;
    int tableHeight_ = 0;  // the room asked below the axes for a table of devices
    std::optional<render::TimeCurrentPlot> plot_;
    char sep_ = '.';
    QString emptyText_;
};

}  // namespace zentavo::ui

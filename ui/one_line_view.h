// SPDX-License-Identifier: GPL-3.0-or-later
// The study window's one-line diagram, beside its table (View, One-line
// diagram): the study's network in one scenario (the first, or the one
// chosen above the picture), each bus with its currents and the hazard of
// its points, tinted by it. The wheel zooms about the pointer, a drag moves
// the picture, Fit to window shows it whole (the keys +, - and Home do the
// same, the arrows move it). Where the zoom makes the notes' letters too
// small to read they are left out, and the pointer resting on a bus or an
// element shows its note or text. A click on a bus selects its rows in the table;
// the buses of the rows selected in the table are marked. It is drawn again
// whenever the study changes (an edit, an undo, the short-circuit choices)
// and when another scenario is chosen. A bus's context menu renames it in
// every row (the study window asks the name). File, Export one-line…
// writes it as an SVG file.
#pragma once

#include <QDockWidget>
#include <QTransform>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "oneline/diagram.h"
#include "oneline/layout.h"
#include "render/one_line_painter.h"

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace zentavo::ui {

class Application;
class StudyModel;

// The picture itself: the layout under a zoom and a shift.
class OneLineCanvas : public QWidget {
    Q_OBJECT
public:
    explicit OneLineCanvas(QWidget* parent);
    // A new diagram: fitted to the window, or at the zoom and place the
    // user chose.
    void Show(std::shared_ptr<const oneline::Diagram> diagram, const render::OneLineStyle& style);
    void SetHighlighted(std::vector<bool> highlighted);
    void Fit();
    // Where a bus's bar is on the widget (none: no such bus).
    std::optional<QRectF> BusRect(std::size_t bus) const;
    // Where its note is on the widget.
    std::optional<QRectF> NoteRect(std::size_t bus) const;
    double Zoom() const { return zoom_; }
    // What the picture says of the bus or element at a point of the widget:
    // the bus's note, the element's text, a line each; empty for nothing.
    // Shown on hover, for the notes whose letters the zoom leaves out.
    QString TextAt(QPointF at) const;

signals:
    void BusClicked(std::size_t bus);
    // The context menu asked for over a bus, at `global` on the screen.
    void BusMenuAsked(std::size_t bus, QPoint global);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTransform Transform() const;  // layout points -> widget
    void ZoomBy(double factor, QPointF about);

    std::shared_ptr<const oneline::Diagram> diagram_;
    oneline::Layout layout_;
    render::OneLineStyle style_;
    double zoom_ = 1;
    QPointF shift_;
    bool follow_ = true;             // fitted to the window until the user zooms or moves it
    std::optional<QPoint> pressed_;  // where the left button went down
    QPoint last_;
    bool dragged_ = false;
};

class OneLineDock : public QDockWidget {
    Q_OBJECT
public:
    // Over the study `model` shown in `table`; `studyPath` gives the
    // study's file (empty for a new study), for the export's name.
    OneLineDock(Application& app, StudyModel& model, QTableView& table,
                std::function<QString()> studyPath, QWidget* parent);
    // File, "Export one-line…".
    QAction* ExportAction() const { return exportAction_; }

signals:
    // "Rename bus…" of a bus's context menu: the bus's name as the study's rows give it.
    void RenameBusAsked(const QString& bus);

private:
    // The diagram drawn again from the study as it now stands, in the scenario chosen.
    void Redraw();
    // The scenarios of the study in the drop-down, the one chosen kept where it still is.
    void FillScenarios();
    void FollowSelection();
    void SelectBus(std::size_t bus);
    // A bus's context menu: rename it.
    void BusMenu(std::size_t bus, QPoint global);
    void ExportClick();
    render::OneLineStyle Style() const;

    Application& app_;
    StudyModel& model_;
    QTableView& table_;
    std::function<QString()> studyPath_;

    QComboBox* OneLineScenarioBox = nullptr;
    QLabel* OneLineScenarioLabel = nullptr;
    QPushButton* OneLineFitButton = nullptr;
    OneLineCanvas* Canvas = nullptr;
    QAction* exportAction_ = nullptr;

    std::shared_ptr<const oneline::Diagram> diagram_;
    bool stale_ = true;  // the study changed while the picture was hidden
};

}  // namespace zentavo::ui

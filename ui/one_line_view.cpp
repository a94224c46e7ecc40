// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/one_line_view.h"

#include <QAbstractProxyModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "io/file_io.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/open_files.h"
#include "ui/study_model.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

constexpr double kLeastZoom = 0.02, kMostZoom = 8;
constexpr double kKeyZoom = 1.25;  // a key press's zoom
constexpr int kKeyMove = 40;       // an arrow's move, pixels

}  // namespace

OneLineCanvas::OneLineCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName("OneLineView");
    setAccessibleName(tr("One-line diagram"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    setAutoFillBackground(false);
}

void OneLineCanvas::Show(std::shared_ptr<const oneline::Diagram> diagram,
                         const render::OneLineStyle& style) {
    diagram_ = std::move(diagram);
    layout_ = diagram_ ? oneline::LayOut(*diagram_) : oneline::Layout{};
    style_ = style;
    if (follow_) Fit();
    update();
}

void OneLineCanvas::SetHighlighted(std::vector<bool> highlighted) {
    if (highlighted == style_.highlighted) return;
    style_.highlighted = std::move(highlighted);
    update();
}

void OneLineCanvas::Fit() {
    if (layout_.buses.empty() || width() <= 0 || height() <= 0) return;
    zoom_ = std::clamp(std::min(width() / layout_.width, height() / layout_.height), kLeastZoom,
                       kMostZoom);
    shift_ =
        QPointF((width() - layout_.width * zoom_) / 2, (height() - layout_.height * zoom_) / 2);
    follow_ = true;
    update();
}

std::optional<QRectF> OneLineCanvas::BusRect(std::size_t bus) const {
    if (bus >= layout_.buses.size()) return std::nullopt;
    const oneline::Box bar = layout_.buses[bus].Bar();
    return Transform().mapRect(QRectF(bar.x, bar.y, bar.w, bar.h));
}

std::optional<QRectF> OneLineCanvas::NoteRect(std::size_t bus) const {
    if (bus >= layout_.buses.size()) return std::nullopt;
    const oneline::Box note = layout_.buses[bus].note;
    return Transform().mapRect(QRectF(note.x, note.y, note.w, note.h));
}

QTransform OneLineCanvas::Transform() const {
    return QTransform(zoom_, 0, 0, zoom_, shift_.x(), shift_.y());
}

void OneLineCanvas::ZoomBy(double factor, QPointF about) {
    const double zoom = std::clamp(zoom_ * factor, kLeastZoom, kMostZoom);
    // The point of the picture under `about` stays there.
    const QPointF at = (about - shift_) / zoom_;
    zoom_ = zoom;
    shift_ = about - at * zoom_;
    follow_ = false;
    update();
}

QString OneLineCanvas::TextAt(QPointF at) const {
    if (!diagram_) return {};
    const QPointF p = Transform().inverted().map(at);
    std::vector<std::string> lines;
    if (const std::optional<std::size_t> bus = oneline::BusAt(layout_, {p.x(), p.y()}, 4 / zoom_)) {
        for (const std::string& line :
             oneline::BusNote(diagram_->buses[*bus], style_.units, style_.sep, style_.words)) {
            if (!line.empty()) lines.push_back(line);
        }
    } else if (const std::optional<std::size_t> e = oneline::ElementAt(layout_, {p.x(), p.y()})) {
        lines = oneline::ElementLines(diagram_->elements[*e], style_.sep, style_.words);
    }
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    return text.join(QLatin1Char('\n'));
}

bool OneLineCanvas::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = TextAt(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

void OneLineCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!diagram_ || layout_.buses.empty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                   tr("No network to draw: no row of the study names a bus."));
        return;
    }
    p.setTransform(Transform());
    const QRectF visible = Transform().inverted().mapRect(QRectF(rect()));
    render::PaintOneLine(p, *diagram_, layout_, style_, &visible);
}

void OneLineCanvas::wheelEvent(QWheelEvent* event) {
    ZoomBy(std::pow(1.0015, event->angleDelta().y()), event->position());
    event->accept();
}

void OneLineCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressed_ = last_ = event->position().toPoint();
    dragged_ = false;
}

void OneLineCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return;
    const QPoint at = event->position().toPoint();
    if (!dragged_ && (at - *pressed_).manhattanLength() >= QApplication::startDragDistance()) {
        dragged_ = true;
        setCursor(Qt::ClosedHandCursor);
    }
    if (dragged_) {
        shift_ += at - last_;
        follow_ = false;
        update();
    }
    last_ = at;
}

void OneLineCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return QWidget::mouseReleaseEvent(event);
    pressed_.reset();
    unsetCursor();
    if (dragged_) return;
    // A click: the bus under it, if any.
    const QPointF at = Transform().inverted().map(event->position());
    if (const std::optional<std::size_t> bus = oneline::BusAt(layout_, {at.x(), at.y()}, 4 / zoom_))
        emit BusClicked(*bus);
}

void OneLineCanvas::contextMenuEvent(QContextMenuEvent* event) {
    const QPointF at = Transform().inverted().map(QPointF(event->pos()));
    const std::optional<std::size_t> bus = oneline::BusAt(layout_, {at.x(), at.y()}, 4 / zoom_);
    if (!bus) return QWidget::contextMenuEvent(event);
    emit BusMenuAsked(*bus, event->globalPos());
    event->accept();
}

void OneLineCanvas::keyPressEvent(QKeyEvent* event) {
    const QPointF centre(width() / 2.0, height() / 2.0);
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomBy(kKeyZoom, centre);
            return;
        case Qt::Key_Minus:
            ZoomBy(1 / kKeyZoom, centre);
            return;
        case Qt::Key_Home:
            Fit();
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const int k = event->key();
            shift_ += QPointF(k == Qt::Key_Left    ? kKeyMove
                              : k == Qt::Key_Right ? -kKeyMove
                                                   : 0,
                              k == Qt::Key_Up     ? kKeyMove
                              : k == Qt::Key_Down ? -kKeyMove
                                                  : 0);
            follow_ = false;
            update();
            return;
        }
        default:
            QWidget::keyPressEvent(event);
    }
}

void OneLineCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (follow_) Fit();
}

OneLineDock::OneLineDock(Application& app, StudyModel& model, QTableView& table,
                         std::function<QString()> studyPath, QWidget* parent)
    : QDockWidget(tr("One-line diagram"), parent),
      app_(app),
      model_(model),
      table_(table),
      studyPath_(std::move(studyPath)) {
    setObjectName("OneLineDock");
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    auto* top = new QHBoxLayout;
    OneLineScenarioLabel = new QLabel(tr("Scena&rio:"), panel);
    OneLineScenarioBox = new QComboBox(panel);
    OneLineScenarioBox->setObjectName("OneLineScenarioBox");
    OneLineScenarioBox->setToolTip(
        tr("The scenario whose network is drawn; the notes give each bus's worst point"));
    OneLineScenarioLabel->setBuddy(OneLineScenarioBox);
    OneLineFitButton = new QPushButton(tr("Fit to &window"), panel);
    OneLineFitButton->setObjectName("OneLineFitButton");
    top->addWidget(OneLineScenarioLabel);
    top->addWidget(OneLineScenarioBox);
    top->addStretch(1);
    top->addWidget(OneLineFitButton);
    layout->addLayout(top);
    Canvas = new OneLineCanvas(panel);
    layout->addWidget(Canvas, 1);
    setWidget(panel);

    exportAction_ = new QAction(tr("Export one-l&ine…"), this);
    exportAction_->setObjectName("ExportOneLine1");
    connect(exportAction_, &QAction::triggered, this,
            [this] { app_.Guard(this, [&] { ExportClick(); }); });
    connect(OneLineFitButton, &QPushButton::clicked, Canvas, &OneLineCanvas::Fit);
    connect(OneLineScenarioBox, &QComboBox::currentIndexChanged, this,
            [this] { app_.Guard(this, [&] { Redraw(); }); });
    connect(Canvas, &OneLineCanvas::BusClicked, this,
            [this](std::size_t bus) { app_.Guard(this, [&] { SelectBus(bus); }); });
    connect(Canvas, &OneLineCanvas::BusMenuAsked, this, [this](std::size_t bus, QPoint global) {
        app_.Guard(this, [&] { BusMenu(bus, global); });
    });
    // Drawn again as the study changes; the picture follows the table's selection.
    const auto redraw = [this] { app_.Guard(this, [&] { Redraw(); }); };
    connect(&model_, &QAbstractItemModel::dataChanged, this, redraw);
    connect(&model_, &QAbstractItemModel::rowsInserted, this, redraw);
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, redraw);
    connect(&model_, &QAbstractItemModel::modelReset, this, redraw);
    connect(table_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { app_.Guard(this, [&] { FollowSelection(); }); });
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && stale_) app_.Guard(this, [&] { Redraw(); });
    });
    // Shown from the View menu: the table keeps the whole window until asked.
    if (auto* window = qobject_cast<QMainWindow*>(parent))
        window->addDockWidget(Qt::BottomDockWidgetArea, this);
    hide();
}

render::OneLineStyle OneLineDock::Style() const {
    render::OneLineStyle style;
    style.units = model_.file().Options().units;
    style.sep = app_.Sep();
    style.words.maximum = Utf8(tr("I max"));
    style.words.minimum = Utf8(tr("I min"));
    style.words.ppe = Utf8(tr("PPE"));
    style.words.noCurrent = Utf8(tr("no fault current"));
    style.words.noPoint = Utf8(tr("no point computed"));
    style.words.trip = Utf8(tr("trip", "a trip unit's rating on the one-line"));
    style.words.relay = Utf8(tr("relay", "a relay's pickup on the one-line"));
    style.words.fuse = Utf8(tr("fuse", "a fuse curve's name on the one-line"));
    style.words.sets = Utf8(tr("sets", "a cable's conductors in parallel on the one-line"));
    return style;
}

void OneLineDock::FillScenarios() {
    const std::vector<std::string> names = model_.file().ScenarioNames();
    const QSignalBlocker quiet(OneLineScenarioBox);
    const QString chosen = OneLineScenarioBox->currentText();
    OneLineScenarioBox->clear();
    for (const std::string& n : names) OneLineScenarioBox->addItem(FromUtf8(n));
    OneLineScenarioBox->setCurrentIndex(std::max(0, OneLineScenarioBox->findText(chosen)));
    OneLineScenarioLabel->setVisible(!names.empty());
    OneLineScenarioBox->setVisible(!names.empty());
}

void OneLineDock::Redraw() {
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    FillScenarios();
    const auto scenario = static_cast<std::size_t>(std::max(0, OneLineScenarioBox->currentIndex()));
    diagram_ =
        std::make_shared<const oneline::Diagram>(oneline::StudyDiagram(model_.file(), scenario));
    Canvas->Show(diagram_, Style());
    stale_ = false;
    FollowSelection();
}

void OneLineDock::FollowSelection() {
    if (!diagram_ || !table_.selectionModel()) return;
    auto* proxy = qobject_cast<QAbstractProxyModel*>(table_.model());
    std::vector<bool> selectedRows(static_cast<std::size_t>(model_.rowCount()), false);
    for (const QModelIndex& index : table_.selectionModel()->selectedIndexes()) {
        const int row = proxy ? proxy->mapToSource(index).row() : index.row();
        if (row >= 0 && static_cast<std::size_t>(row) < selectedRows.size())
            selectedRows[static_cast<std::size_t>(row)] = true;
    }
    std::vector<bool> marked(diagram_->buses.size(), false);
    for (std::size_t b = 0; b < marked.size(); ++b) {
        for (std::size_t row : diagram_->buses[b].rows) {
            if (row < selectedRows.size() && selectedRows[row]) marked[b] = true;
        }
    }
    Canvas->SetHighlighted(std::move(marked));
}

void OneLineDock::SelectBus(std::size_t bus) {
    if (!diagram_ || bus >= diagram_->buses.size()) return;
    auto* proxy = qobject_cast<QAbstractProxyModel*>(table_.model());
    QItemSelection selection;
    QModelIndex first;
    for (std::size_t row : diagram_->buses[bus].rows) {
        QModelIndex index = model_.index(static_cast<int>(row), 0);
        if (proxy) index = proxy->mapFromSource(index);
        if (!index.isValid()) continue;  // filtered out of the table
        selection.select(index, index);
        if (!first.isValid()) first = index;
    }
    QItemSelectionModel* s = table_.selectionModel();
    s->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (first.isValid()) {
        s->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        table_.scrollTo(first);
    }
}

void OneLineDock::BusMenu(std::size_t bus, QPoint global) {
    if (!diagram_ || bus >= diagram_->buses.size()) return;
    const QString name = FromUtf8(diagram_->buses[bus].name);
    // Shown without waiting (the menu deletes itself when closed).
    auto* menu = new QMenu(this);
    menu->setObjectName("OneLineBusMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QString shown = name;
    QAction* rename = menu->addAction(
        tr("Re&name bus %1…").arg(shown.replace(QLatin1Char('&'), QStringLiteral("&&"))));
    rename->setObjectName("RenameBusOneLine1");
    connect(rename, &QAction::triggered, this, [this, name] { emit RenameBusAsked(name); });
    menu->popup(global);
}

void OneLineDock::ExportClick() {
    const QString study = studyPath_();
    FileChoice choice;
    choice.title = tr("Export one-line as");
    choice.filter = tr("SVG pictures (*.svg)");
    choice.defaultSuffix = QStringLiteral("svg");
    if (!study.isEmpty()) {
        const QFileInfo info(study);
        choice.initialName =
            info.dir().filePath(info.completeBaseName() + QStringLiteral("-one-line.svg"));
    }
    const QString chosen = app_.dialogs().SaveFileName(this, choice);
    if (chosen.isEmpty()) return;
    if (!study.isEmpty() &&
        SameFile(QFile::encodeName(chosen).toStdString(), QFile::encodeName(study).toStdString()))
        throw std::runtime_error(
            Utf8(tr("The one-line is not written over its own study: choose another file.")));
    if (!MayWriteOver(app_, this, chosen)) return;
    const auto scenario = static_cast<std::size_t>(std::max(0, OneLineScenarioBox->currentIndex()));
    const oneline::Diagram diagram = oneline::StudyDiagram(model_.file(), scenario);
    if (diagram.buses.empty())
        throw std::runtime_error(Utf8(tr("No network to draw: no row of the study names a bus.")));
    render::OneLineStyle style = Style();
    style.caption = diagram.scenario.empty()
                        ? tr("One-line diagram")
                        : tr("One-line diagram, scenario %1").arg(FromUtf8(diagram.scenario));
    const render::StudyExportResult result = render::SaveOneLineSvg(chosen, diagram, style);
    if (result.outcome != render::StudyExportResult::kWritten)
        throw std::runtime_error(
            Utf8(tr("Cannot write %1: %2").arg(QFileInfo(chosen).fileName(), result.error)));
}

}  // namespace zentavo::ui

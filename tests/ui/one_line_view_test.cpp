// SPDX-License-Identifier: GPL-3.0-or-later
// The study window's one-line diagram on the plant example, as the user
// works it: shown from the View menu, a click on a bus selects its rows in
// the table, a row selected in the table marks its bus, the wheel zooms and
// a drag moves the picture, an edit and its undo draw it again, another
// scenario draws that one, and File, Export one-line… writes its SVG (never
// over the study itself).
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>

#include "../picture_tools.h"
#include "drive.h"
#include "oneline/diagram.h"
#include "ui/one_line_view.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

class OneLineViewTest : public WindowTest {
    Q_OBJECT

public:
    OneLineViewTest() : WindowTest({.start = true, .folder = true, .closeStudies = true, .scriptedDialogs = true}) {}

private:
    QPointer<TStudy> study;
    oneline::Diagram diagram;  // the plant's, as the view draws it, for the buses' names and rows

    QString Path(const QString& name) const { return dir->filePath(name); }
    OneLineCanvas* Canvas() const { return Child<OneLineCanvas>(*study, "OneLineView"); }
    QTableView* Table() const { return Child<QTableView>(*study, "StudyTable"); }
    std::size_t Bus(const char* name) const { return static_cast<std::size_t>(diagram.BusOf(name)); }

    // Opens the plant example (or these bytes of it) and shows its one-line.
    void OpenPlant(const QByteArray& bytes = {}) {
        if (bytes.isEmpty()) {
            QFile::copy(QStringLiteral(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"),
                        Path("plant.csv"));
        } else {
            QFile file(Path("plant.csv"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        dialogs->fileNames = {Path("plant.csv")};
        app->main().findChild<QAction*>("OpenStudy1")->trigger();
        QCOMPARE(OpenStudyWindows().size(), std::size_t{1});
        study = OpenStudyWindows().front();
        study->resize(1200, 900);
        auto* dock = Child<QDockWidget>(*study, "OneLineDock");
        QVERIFY(!dock->isVisible());
        study->findChild<QAction*>("ShowOneLine1")->trigger();
        QVERIFY(dock->isVisible());
        QVERIFY(!(dock->windowFlags() & Qt::WindowStaysOnTopHint));
        diagram = oneline::StudyDiagram(study->model().file());
        QCOMPARE(diagram.buses.size(), std::size_t{32});
        QTRY_VERIFY(Canvas()->BusRect(0).has_value() && Canvas()->width() > 200);
    }

    // The table's selected rows, as rows of the study.
    QList<int> SelectedRows() const {
        QList<int> rows;
        for (const QModelIndex& i : Table()->selectionModel()->selectedRows()) rows << study->view().mapToSource(i).row();
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    QImage Picture() const { return Canvas()->grab().toImage(); }
    // The part of the picture over a bus's note.
    QImage NotePicture(std::size_t bus) const { return Picture().copy(Canvas()->NoteRect(bus)->toAlignedRect()); }

    void Wheel(QPointF at, int notches) {
        QWheelEvent e(at, Canvas()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(Canvas(), &e);
    }

    // Zoomed about `at` until the notes' letters are painted.
    void ZoomToRead(QPointF at) {
        for (int k = 0; k < 20 && Canvas()->Zoom() * render::kNoteLetters < render::kLeastNoteLetters; ++k) Wheel(at, 2);
        QVERIFY(Canvas()->Zoom() * render::kNoteLetters >= render::kLeastNoteLetters);
    }
    // Whether the mark of a selected bus is painted around its bar.
    bool Marked(std::size_t bus) const {
        const QRectF bar = *Canvas()->BusRect(bus);
        const QImage picture = Picture();
        const double out = 3 * Canvas()->Zoom();
        return PaintedNear(picture, QPointF(bar.center().x(), bar.top() - out), 0x1E64C8) &&
               PaintedNear(picture, QPointF(bar.center().x(), bar.bottom() + out), 0x1E64C8);
    }

    QByteArray Bytes() const { return QByteArray::fromStdString(study->model().file().Bytes()); }
    // "Rename bus…" of the bus's context menu, asked for over its bar, chosen by its Alt key.
    void RenameFromOneLine(std::size_t bus) {
        const QPoint at = Canvas()->BusRect(bus)->center().toPoint();
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, Canvas()->mapToGlobal(at));
        QApplication::sendEvent(Canvas(), &e);
        auto* menu = study->findChild<QMenu*>("OneLineBusMenu");
        QVERIFY(menu && menu->isVisible());
        QTest::keyClick(menu, Qt::Key_N);
    }

private slots:
    void aBusRenamedInEveryRowAsOneUndoStep() {
        // The plant with one of its cells naming unit substation A quoted:
        // the undo gives the file's bytes back, quotes and all.
        QFile example(QStringLiteral(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"));
        QVERIFY(example.open(QIODevice::ReadOnly));
        QByteArray bytes = example.readAll();
        QCOMPARE(bytes.count("SUB-A"), 8);  // as bus of three rows and from_bus of five
        bytes.replace(bytes.indexOf(",SUB-A,"), 7, ",\"SUB-A\",");
        OpenPlant(bytes);
        const QByteArray before = Bytes();
        QVERIFY(before.contains("\"SUB-A\""));
        const std::size_t subA = Bus("SUB-A");
        const int steps = study->model().undoStack().count();

        dialogs->textAnswers = {QStringLiteral(" USS-A ")};
        RenameFromOneLine(subA);
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Text Rename bus"));
        QVERIFY(
            dialogs->shown[0].text.endsWith(QStringLiteral("\nSUB-A")));  // the old name offered
        // Every cell follows, the quoted one written as any other; one undo step.
        QByteArray renamed = before;
        renamed.replace("\"SUB-A\"", "USS-A").replace("SUB-A", "USS-A");
        QCOMPARE(Bytes(), renamed);
        QCOMPARE(study->model().undoStack().count(), steps + 1);
        // The rows are computed on the renamed bus, which the one-line shows in the bus's place.
        const oneline::Diagram after = oneline::StudyDiagram(study->model().file());
        QCOMPARE(after.BusOf("SUB-A"), -1);
        QCOMPARE(after.buses[subA].name, std::string("USS-A"));
        QCOMPARE(after.buses[subA].rows, diagram.buses[subA].rows);
        QCOMPARE(after.buses[subA].kaMax, diagram.buses[subA].kaMax);
        QVERIFY(Canvas()
                    ->TextAt(Canvas()->BusRect(subA)->center())
                    .startsWith(QStringLiteral("USS-A\n")));
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(Bytes(), before);
        QVERIFY(Canvas()
                    ->TextAt(Canvas()->BusRect(subA)->center())
                    .startsWith(QStringLiteral("SUB-A\n")));

        // Edit, "Rename this bus…" on a row of the bus: the names refused, each saying why, nothing
        // changed.
        Table()->setCurrentIndex(study->view().mapFromSource(study->model().index(4, 0)));
        struct Refused {
            std::optional<QString> typed;
            QString why;  // empty: nothing said (cancelled, or the same name)
        };
        const Refused refused[] = {
            {std::nullopt, {}},
            {QStringLiteral("SUB-A"), {}},
            {QStringLiteral(""), QStringLiteral("A bus needs a name: bus SUB-A keeps its own.")},
            {QStringLiteral("   "), QStringLiteral("A bus needs a name: bus SUB-A keeps its own.")},
            {QStringLiteral("USS\tA"),
             QStringLiteral("A bus's name is one line without tabs: bus SUB-A keeps its own.")},
            {QStringLiteral("SUB-B"),
             QStringLiteral("Another bus is already named SUB-B, and two buses of one name "
                            "would be joined into one: bus SUB-A keeps its own name.")},
            {QStringLiteral("UTIL"),
             QStringLiteral("Another bus is already named UTIL, and two buses of one name "
                            "would be joined into one: bus SUB-A keeps its own name.")},
        };
        for (const Refused& r : refused) {
            dialogs->Clear();
            dialogs->textAnswers = {r.typed};
            study->findChild<QAction*>("RenameBus1")->trigger();
            QCOMPARE(dialogs->shown.size(), r.why.isEmpty() ? 1 : 2);
            if (!r.why.isEmpty()) {
                QCOMPARE(dialogs->shown[1].kind, QStringLiteral("Warning"));
                QCOMPARE(dialogs->shown[1].text, r.why);
            }
            QCOMPARE(Bytes(), before);
            QCOMPARE(study->model().undoStack().index(), steps);
        }
        // A row on no bus has none to rename.
        study->model().AddRow(0);
        Table()->setCurrentIndex(study->view().mapFromSource(study->model().index(0, 0)));
        dialogs->Clear();
        study->findChild<QAction*>("RenameBus1")->trigger();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Warning"));
        QVERIFY(!dialogs->unexpected);
    }

    void aClickOnABusSelectsItsRows() {
        OpenPlant();
        // Unit substation A: its main, the line side of its main and its
        // feeder section, rows 5 to 7 of the file.
        QTest::mouseClick(Canvas(), Qt::LeftButton, {}, Canvas()->BusRect(Bus("SUB-A"))->center().toPoint());
        QCOMPARE(SelectedRows(), (QList<int>{4, 5, 6}));
        QTest::mouseClick(Canvas(), Qt::LeftButton, {}, Canvas()->BusRect(Bus("MV-M101"))->center().toPoint());
        QCOMPARE(SelectedRows(), (QList<int>{12}));
        // A click beside every bus leaves the selection.
        QTest::mouseClick(Canvas(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(SelectedRows(), (QList<int>{12}));
        QVERIFY(dialogs->shown.isEmpty());
    }

    void aSelectedRowMarksItsBusAndTheWheelAndADragMoveThePicture() {
        OpenPlant();
        // Zoomed in on panel PNL-A1a, about the pointer: the bus stays under it, larger.
        const std::size_t panel = Bus("PNL-A1a"), next = Bus("PNL-A1b");
        const QRectF before = *Canvas()->BusRect(panel);
        Wheel(before.center(), 8);
        const QRectF zoomed = *Canvas()->BusRect(panel);
        QVERIFY(zoomed.width() > 3 * before.width());
        QVERIFY(std::abs(zoomed.center().x() - before.center().x()) < 2);
        QVERIFY(!Marked(panel));
        Table()->selectRow(study->view().mapFromSource(study->model().index(16, 0)).row());  // the panel's row
        QVERIFY(Marked(panel));
        QVERIFY(!Marked(next));
        // A drag moves the picture by as much, and selects nothing.
        const QPoint from = zoomed.center().toPoint() + QPoint(0, 30);
        QTest::mousePress(Canvas(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(60, 40)), Canvas()->mapToGlobal(QPointF(from + QPoint(60, 40))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &move);
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, from + QPoint(60, 40));
        const QRectF moved = *Canvas()->BusRect(panel);
        QCOMPARE(moved.topLeft() - zoomed.topLeft(), QPointF(60, 40));
        QCOMPARE(SelectedRows(), (QList<int>{16}));
        // Fit to window: the whole plant in view again.
        Child<QPushButton>(*study, "OneLineFitButton")->click();
        for (std::size_t b = 0; b < diagram.buses.size(); ++b) QVERIFY(Canvas()->rect().contains(Canvas()->BusRect(b)->toRect()));
    }

    // Fitted to the dock, the plant's notes are too small to read: their
    // letters are left out, and the pointer resting on a bus shows its note,
    // on a transformer its rating and impedance. Zoomed in, the letters are
    // painted.
    void notesTooSmallToReadShowOnHover() {
        OpenPlant();
        QVERIFY(Canvas()->Zoom() * render::kNoteLetters < render::kLeastNoteLetters);
        const std::size_t subA = Bus("SUB-A");
        const auto letters = [&] {
            const QImage note = NotePicture(subA);
            int dark = 0;
            for (int y = 0; y < note.height(); ++y) {
                for (int x = 0; x < note.width(); ++x) dark += qGray(note.pixel(x, y)) < 60;
            }
            return dark;
        };
        QCOMPARE(letters(), 0);
        QStringList note;
        for (const std::string& line : oneline::BusNote(diagram.buses[subA], UnitSettings{}, '.'))
            if (!line.empty()) note << QString::fromStdString(line);
        const auto hover = [&](QPointF at) {
            QHelpEvent help(QEvent::ToolTip, at.toPoint(), Canvas()->mapToGlobal(at.toPoint()));
            QApplication::sendEvent(Canvas(), &help);
        };
        hover(Canvas()->NoteRect(subA)->center());
        QTRY_COMPARE(QToolTip::text(), note.join(QLatin1Char('\n')));
        // The transformer feeding SUB-A, at its symbol (the layout's places on the widget).
        const oneline::Layout l = oneline::LayOut(diagram);
        const oneline::Box bar = l.buses[subA].Bar();
        const QRectF rect = *Canvas()->BusRect(subA);
        const double zoom = rect.width() / bar.w;
        const auto tx = std::find_if(diagram.elements.begin(), diagram.elements.end(), [&](const oneline::DiagramElement& e) {
            return e.kind == oneline::ElementKind::Transformer && e.buses[1] == static_cast<int>(subA);
        });
        QVERIFY(tx != diagram.elements.end());
        const oneline::Point symbol = l.elements[static_cast<std::size_t>(tx - diagram.elements.begin())].symbol;
        hover(rect.topLeft() + QPointF(symbol.x - bar.x, symbol.y - bar.y) * zoom);
        QTRY_VERIFY2(QToolTip::text().endsWith(QStringLiteral("2500 kVA\nZ 5.75 %")), qPrintable(QToolTip::text()));
        // Nothing under the pointer: no tip.
        QCOMPARE(Canvas()->TextAt(QPointF(1, 1)), QString());
        ZoomToRead(Canvas()->NoteRect(subA)->center());
        QVERIFY(letters() > 50);
    }

    void anEditAnUndoAndAScenarioDrawItAgain() {
        OpenPlant();
        const std::size_t subA = Bus("SUB-A"), subB = Bus("SUB-B");
        ZoomToRead(Canvas()->BusRect(subA)->center());
        const QImage asRead = NotePicture(subA);
        // Unit substation A's transformer at 8 % instead of 5.75 %: its currents change.
        QVERIFY(study->view().setData(study->view().mapFromSource(study->model().index(4, study->model().ColumnNamed("tx_z"))),
                                      QStringLiteral("8")));
        QVERIFY(NotePicture(subA) != asRead);
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(NotePicture(subA), asRead);
        // The tie closed: substation B's note has the currents of that scenario.
        auto* scenarios = Child<QComboBox>(*study, "OneLineScenarioBox");
        QVERIFY(scenarios->isVisible());
        QCOMPARE(scenarios->itemText(0), QStringLiteral("normal"));
        const int tieClosed = scenarios->findText(QStringLiteral("tie-closed"));
        QVERIFY(tieClosed > 0);
        Child<QPushButton>(*study, "OneLineFitButton")->click();
        ZoomToRead(Canvas()->BusRect(subB)->center());
        const QImage normal = NotePicture(subB);
        scenarios->setCurrentIndex(tieClosed);
        QVERIFY(NotePicture(subB) != normal);
        scenarios->setCurrentIndex(0);
        QCOMPARE(NotePicture(subB), normal);
        QVERIFY(dialogs->shown.isEmpty());
    }

    void exportWritesTheSvgButNeverOverTheStudy() {
        OpenPlant();
        QAction* exportOneLine = study->findChild<QAction*>("ExportOneLine1");
        dialogs->fileNames = {Path("plant-one-line.svg")};
        exportOneLine->trigger();
        QFile svg(Path("plant-one-line.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray bytes = svg.readAll();
        QVERIFY(bytes.contains("<svg") && bytes.contains("One-line diagram, scenario normal") && bytes.contains(">SUB-A<"));
        QVERIFY(dialogs->shown.isEmpty());
        // Over the study's own file: refused, the study as it was.
        QFile own(Path("plant.csv"));
        QVERIFY(own.open(QIODevice::ReadOnly));
        const QByteArray studyBytes = own.readAll();
        own.close();
        dialogs->fileNames = {Path("plant.csv")};
        exportOneLine->trigger();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown.front().kind, QStringLiteral("Error"));
        QVERIFY(own.open(QIODevice::ReadOnly));
        QCOMPARE(own.readAll(), studyBytes);
        dialogs->shown.clear();
    }
};

QTEST_MAIN(OneLineViewTest)
#include "one_line_view_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The study window's row form as an engineer works in it, with real wheel
// turns, clicks and keys: the wheel scrolls the form and changes only the
// box the user chose; a choice of device or branch empties, in the same
// undo step, what it hides; an empty field shows what it stands for; an
// equipment type names its class; the fields stay where they are while the
// user types; and what is typed is kept before the window acts.
#include "ui/row_form.h"

#include <QtTest/qtestspontaneevent.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QWheelEvent>
#include <QtTest>
#include <map>

#include "drive.h"
#include "fake_dialogs.h"
#include "ui/study_window.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

namespace {

// Typed points, one refused for its current.
const char kStudy[] =
    "point,method,voltage,bolted_current,gap,gap_unit,work_distance,work_distance_unit,"
    "equipment_class,grounding,arc_time,arc_time_reduced\r\n"
    "MCC-1,empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.25\r\n"
    "Panel P-4,empirical,208,4,25,mm,455,mm,MCC and Panels,Grounded,0.1,0.1\r\n"
    "Bad point,empirical,480,abc,32,mm,455,mm,Switchgear,Grounded,0.2,0.25\r\n";

// A 480 V substation of the 2018 model: a utility, a main with its trip unit
// and a maintenance setting, a second main.
const char kSubstation[] =
    "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_"
    "depth,"
    "work_distance,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,device_type,trip_"
    "rating,"
    "trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,arc_time,arc_time_reduced,maint_"
    "inst_pickup,"
    "maint_inst_time,maint_scenario\r\n"
    "Utility,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,UTIL,,source,25,15,,,,,,,,,,0.5,0.5,,,"
    "\r\n"
    "Main "
    "A,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-A,UTIL,transformer,,,2000,5.75,6,trip-unit,"
    "3000,1,"
    "10,3,0.3,,,4,0.05,maint\r\n"
    "Main "
    "B,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-B,UTIL,transformer,,,2000,5.75,6,,,,,,,0.2,0."
    "2,,,\r\n";

// The wheel turned by `notches` over the middle of `w` (down when
// negative), delivered as the window system delivers it: to the widget under
// the pointer first, on to what holds it when refused.
void TurnWheel(QWidget* w, int notches) {
    const QPointF at = QRectF(w->rect()).center();
    QWheelEvent e(at, QPointF(w->mapToGlobal(at.toPoint())), QPoint(), QPoint(0, 120 * notches),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::instance()->notify(w, &e);
}

// The item `index` of a list picked with the mouse from its pop-up.
void Pick(QComboBox* box, int index) {
    QVERIFY(box && box->isVisible() && index >= 0 && index < box->count());
    box->showPopup();
    QAbstractItemView* view = box->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex item = view->model()->index(index, box->modelColumn());
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QTRY_VERIFY(!view->isVisible());
}

QString ValueOf(QWidget* w) {
    if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentText();
    return qobject_cast<QAbstractSpinBox*>(w)->text();
}

}  // namespace

class RowFormTest : public WindowTest {
    Q_OBJECT

public:
    RowFormTest()
        : WindowTest(
              {.start = true, .folder = true, .closeStudies = true, .scriptedDialogs = true}) {}

private:
    QPointer<TStudy> study;
    TRowForm* form = nullptr;

    // The study opened through the main window's File menu, shown and active.
    void Open(const QByteArray& bytes) {
        QFile f(dir->filePath("study.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        dialogs->fileNames = {f.fileName()};
        app->main().findChild<QAction*>("OpenStudy1")->trigger();
        study = OpenStudyWindows().front();
        study->show();
        study->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(study));
        form = Child<TRowForm>(*study, "RowForm");
    }
    QTableView* Table() const { return Child<QTableView>(*study, "StudyTable"); }
    // The row chosen in the table, the table holding the keyboard.
    void Choose(int row) {
        Table()->setCurrentIndex(study->view().mapFromSource(study->model().index(row, 0)));
        Table()->setFocus(Qt::MouseFocusReason);
        QCOMPARE(form->Row(), row);
    }
    int Col(const QString& name) const { return study->model().ColumnNamed(name); }
    QString Cell(int row, const QString& column) const {
        return study->model().data(study->model().index(row, Col(column)), Qt::EditRole).toString();
    }
    // Why a row is refused: its status cell's tool tip.
    QString Message(int row) const {
        return study->model()
            .data(study->model().index(row, Col("status")), Qt::ToolTipRole)
            .toString();
    }
    QByteArray Bytes() const { return QByteArray::fromStdString(study->model().file().Bytes()); }
    QWidget* Field(const QString& column) const {
        return Child<QWidget>(*form, qPrintable(QStringLiteral("RowForm_") + column));
    }
    // The layouts done to their end (a wrapped caption takes several passes).
    static void Settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
    }
    // Where each field of the form shown stands, in the form's own coordinates.
    std::map<QString, QPoint> Places() const {
        QWidget* body = Child<QScrollArea>(*form, "RowFormScroll")->widget();
        std::map<QString, QPoint> places;
        for (QWidget* w :
             body->findChildren<QWidget*>(QRegularExpression("^RowForm(_|Name|Equipment)"))) {
            if (w->isVisibleTo(body)) places[w->objectName()] = w->mapTo(body, QPoint(0, 0));
        }
        return places;
    }

private slots:
    // Over a list or number box the user has not chosen, the wheel scrolls
    // the form (or does nothing above the table) and changes nothing; given
    // the keyboard by Tab, the box takes the wheel.
    void theWheelChangesOnlyTheBoxTheUserChose_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("inForm");
        QTest::addColumn<int>("notches");  // the way the box's value can go
        QTest::newRow("device type in the form") << "RowForm_device_type" << true << -1;
        QTest::newRow("method in the form") << "RowForm_method" << true << -1;
        QTest::newRow("bus in the form") << "RowForm_bus" << true << -1;
        QTest::newRow("convention above the table") << "ShortCircuitBox" << false << -1;
        QTest::newRow("conductors' temperature") << "CableEndTempBox" << false << 1;
    }
    void theWheelChangesOnlyTheBoxTheUserChose() {
        QFETCH(QString, box);
        QFETCH(bool, inForm);
        QFETCH(int, notches);
        Open(kSubstation);
        Choose(1);
        auto* input = Child<QWidget>(*study, qPrintable(box));
        QVERIFY(input->isVisible());
        QScrollBar* bar = Child<QScrollArea>(*form, "RowFormScroll")->verticalScrollBar();
        bar->setValue(0);
        QVERIFY(bar->maximum() > 0);
        const QByteArray before = Bytes();
        const QString value = ValueOf(input);
        TurnWheel(input, 2 * notches);
        QCOMPARE(ValueOf(input), value);
        QCOMPARE(Bytes(), before);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Table()));
        if (inForm) QVERIFY(bar->value() > 0);
        input->setFocus(Qt::TabFocusReason);
        TurnWheel(input, notches);
        QVERIFY2(ValueOf(input) != value, qPrintable(value));
    }

    // A device or branch picked empties, in that one undo step, the cells it
    // hides, says so in the status bar; the row is no longer refused for
    // them, and one undo gives back the file byte for byte.
    void aChoiceEmptiesWhatItHidesInOneStep_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("emptied");
        QTest::newRow("a trip unit over typed durations")
            << QByteArray(kStudy) << 0 << "device_type"
            << "trip-unit" << QStringList{"arc_time", "arc_time_reduced"};
        QTest::newRow("typed durations over a trip unit")
            << QByteArray(kSubstation) << 1 << "device_type"
            << "" << QStringList{"trip_rating",     "trip_lt_pickup", "trip_lt_delay",
                                 "trip_st_pickup",  "trip_st_delay",  "maint_inst_pickup",
                                 "maint_inst_time", "maint_scenario"};
        QTest::newRow("a cable for a transformer")
            << QByteArray(kSubstation) << 2 << "branch_type"
            << "cable" << QStringList{"tx_kva", "tx_z", "tx_xr"};
    }
    void aChoiceEmptiesWhatItHidesInOneStep() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, row);
        QFETCH(QString, column);
        QFETCH(QString, word);
        QFETCH(QStringList, emptied);
        Open(bytes);
        Choose(row);
        const QByteArray before = Bytes();
        const int steps = study->model().undoStack().count();
        auto* box = qobject_cast<QComboBox*>(Field(column));
        Pick(box, box->findData(word));
        QCOMPARE(Cell(row, column), word);
        QCOMPARE(study->model().undoStack().count(), steps + 1);
        const QString said = study->statusBar()->currentMessage();
        const QString message = Message(row);
        for (const QString& c : emptied) {
            QVERIFY2(Cell(row, c).isEmpty(), qPrintable(c));
            QVERIFY2(!Field(c)->isVisibleTo(form), qPrintable(c));
            QVERIFY2(said.contains(study->model().Heading(Col(c))), qPrintable(said));
            QVERIFY2(!message.contains(c + ':'), qPrintable(message));
        }
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(Bytes(), before);
        for (const QString& c : emptied) QVERIFY2(Field(c)->isVisibleTo(form), qPrintable(c));
    }

    // A row read with durations beside its device shows them, and says
    // beside each that the row does not take it.
    void aValueTheRowDoesNotTakeStaysInView() {
        QByteArray bytes(kSubstation);
        bytes.replace("3,0.3,,,4,0.05,maint", "3,0.3,0.2,0.2,4,0.05,maint");
        Open(bytes);
        Choose(1);
        QVERIFY2(Message(1).contains("arc_time"), qPrintable(Message(1)));
        for (const char* c : {"arc_time", "arc_time_reduced"}) {
            QVERIFY(Field(c)->isVisibleTo(form));
            QVERIFY(
                Child<QLabel>(*form, qPrintable(QStringLiteral("Unused_") + c))->isVisibleTo(form));
        }
        QVERIFY(!Child<QLabel>(*form, "Unused_trip_rating")->isVisibleTo(form));
    }

    // An empty field shows what the row takes in its place; an equipment
    // type fills its sizes and the class the labels name, as one step.
    void emptyFieldsShowTheirDefaultsAndATypeItsClass() {
        Open(kSubstation);
        Choose(1);
        // clang-format off
        const std::pair<const char*, const char*> shown[] = {
            {"max_arc_time", "2 s"}, {"trip_inst_time", "0.05 s"}, {"trip_tolerance", "0.1"},
            {"trip_inst_pickup", "none"}, {"breaker_time", "0.083 s"}, {"relay_inst_delay", "0 s"},
            {"cable_sets", "1"}, {"trip_rating", ""}, {"tx_z", ""},
        };
        // clang-format on
        for (const auto& [column, text] : shown) {
            QCOMPARE(qobject_cast<QLineEdit*>(Field(column))->placeholderText(), QString(text));
        }
        Choose(0);
        const QByteArray before = Bytes();
        const int steps = study->model().undoStack().count();
        Pick(Child<QComboBox>(*form, "RowFormEquipment"),
             6);  // shallow low-voltage MCCs and panelboards
        QCOMPARE(study->model().undoStack().count(), steps + 1);
        const std::pair<const char*, const char*> filled[] = {{"equipment_class", "MCC and Panels"},
                                                              {"gap", "25"},
                                                              {"enclosure_height", "355.6"},
                                                              {"enclosure_depth", "203.2"},
                                                              {"work_distance", "457.2"}};
        for (const auto& [column, text] : filled) QCOMPARE(Cell(0, column), QString(text));
        QCOMPARE(qobject_cast<QComboBox*>(Field("equipment_class"))->currentData().toString(),
                 QString("MCC and Panels"));
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(Bytes(), before);
    }

    // A utility typed by its short-circuit power in the form: 500 MVA at
    // 13.8 kV is 500 / (√3 × 13.8) = 20.918 kA at its bus.
    void aSourceTypedByItsPower() {
        Open(kSubstation);
        Choose(0);
        for (const auto& [column, text] :
             {std::pair{"source_ka", ""}, std::pair{"source_mva", "500"}}) {
            auto* edit = qobject_cast<QLineEdit*>(Field(column));
            QVERIFY2(edit->isVisibleTo(form), column);
            edit->setFocus(Qt::TabFocusReason);
            edit->selectAll();
            if (*text) {
                QTest::keyClicks(edit, text);
            } else {
                QTest::keyClick(edit, Qt::Key_Delete);
            }
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QCOMPARE(Cell(0, "source_mva"), QString("500"));
        const QString current =
            study->model()
                .data(study->model().index(0, Col("bolted_current_max")), Qt::DisplayRole)
                .toString();
        QCOMPARE(current, QString("20.918"));
    }

    // Typing a value that shows or hides other fields, or that gives the
    // row a longer status, leaves every field where it was until the pointer
    // leaves the form; then the fields the row takes are shown.
    void theFieldsStayWhereTheyAreAsTheUserTypes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hiddenAfter");
        QTest::newRow("a bus typed") << QByteArray(kStudy) << 0 << "bus"
                                     << "SWG-9"
                                     << "RowForm_bolted_current";
        QTest::newRow("a gap out of range") << QByteArray(kSubstation) << 2 << "gap"
                                            << "300"
                                            << "";
    }
    void theFieldsStayWhereTheyAreAsTheUserTypes() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, row);
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(QString, hiddenAfter);
        Open(bytes);
        Choose(row);
        const QString status = Cell(row, "status");
        const int statusHeight = [&] {
            auto* said = Child<QLabel>(*form, "RowFormStatus");
            return said->heightForWidth(said->width());
        }();
        Settle();
        const std::map<QString, QPoint> before = Places();
        QWidget* field = Field(column);
        auto* box = qobject_cast<QComboBox*>(field);
        QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(field);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(Cell(row, column), text);
        QVERIFY(Cell(row, "status") != status || column == "bus");
        // The status needs more lines than it had: the fields stay all the same.
        auto* said = Child<QLabel>(*form, "RowFormStatus");
        if (column != "bus") QVERIFY(said->heightForWidth(said->width()) > statusHeight);
        Settle();
        const std::map<QString, QPoint> after = Places();
        QStringList moved;
        for (const auto& [name, at] : before) {
            if (!after.contains(name)) {
                moved << name + QStringLiteral(" hidden");
            } else if (after.at(name) != at) {
                moved << QStringLiteral("%1 from %2 to %3")
                             .arg(name)
                             .arg(at.y())
                             .arg(after.at(name).y());
            }
        }
        QVERIFY2(moved.isEmpty() && after.size() == before.size(), qPrintable(moved.join(", ")));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(form, &leave);
        if (!hiddenAfter.isEmpty())
            QVERIFY(!Child<QWidget>(*form, qPrintable(hiddenAfter))->isVisibleTo(form));
    }

    // A name typed in the form after Add feeder, the field still holding
    // the keyboard, is kept before the key that acts on the study: Insert
    // adds the next row, Ctrl+D copies it (named by the next number free),
    // Ctrl+S saves it, Ctrl+F4 asks about it before the window closes.
    void whatIsTypedIsKeptBeforeTheWindowActs_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("nextName");
        QTest::addColumn<QString>("bus");  // typed in the bus field after the name, if any
        // clang-format off
        QTest::newRow("Insert")              << int(Qt::Key_Insert) << int(Qt::NoModifier)      << "New point"    << "";
        QTest::newRow("Insert, a bus typed") << int(Qt::Key_Insert) << int(Qt::NoModifier)      << "New point"    << "SWG-7";
        QTest::newRow("Ctrl+D")              << int(Qt::Key_D)      << int(Qt::ControlModifier) << "Feeder 7 (2)" << "";
        QTest::newRow("Ctrl+S")              << int(Qt::Key_S)      << int(Qt::ControlModifier) << ""             << "";
        QTest::newRow("Ctrl+F4, the close cancelled")
                                             << int(Qt::Key_F4)     << int(Qt::ControlModifier) << ""             << "";
        // clang-format on
    }
    void whatIsTypedIsKeptBeforeTheWindowActs() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, nextName);
        QFETCH(QString, bus);
        Open(kSubstation);
        Choose(1);
        study->findChild<QAction*>("AddFeeder1")->trigger();
        QCOMPARE(form->Row(), 2);
        QTest::keyClick(Table(), Qt::Key_F6);
        auto* name = Child<QLineEdit>(*form, "RowFormName");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(name));
        name->selectAll();
        QTest::keyClicks(name, "Feeder 7");
        if (!bus.isEmpty()) {
            QTest::keyClick(name, Qt::Key_Return);
            auto* box = qobject_cast<QComboBox*>(Field("bus"));
            box->setFocus(Qt::TabFocusReason);
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), bus);
        }
        dialogs->duplicateAnswers = {DuplicateAnswer::CopyBranch};
        dialogs->saveAnswers = {SaveAnswer::Cancel};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Cell(2, "point"), QString("Feeder 7"));
        if (!nextName.isEmpty()) QCOMPARE(Cell(3, "point"), nextName);
        if (!bus.isEmpty()) QCOMPARE(Cell(2, "bus"), bus);
        if (key == Qt::Key_S) {
            QFile saved(study->path());
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QVERIFY(saved.readAll().contains("\r\nFeeder 7,"));
        }
        if (key == Qt::Key_F4) {
            QCOMPARE(dialogs->shown.size(), 1);
            QVERIFY(study && study->isVisible());
        }
        dialogs->Clear();
    }
};

QTEST_MAIN(RowFormTest)
#include "row_form_test.moc"

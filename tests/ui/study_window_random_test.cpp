// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded random walk through the study window, as a user might wander:
// typing in the table, its editors and the row form, paste, fill, delete,
// undo and redo, the wheel over every control, sort, filter, the network's
// options, rows added, duplicated and deleted, save and reopen. After every
// step the study's bytes, read back as a new window would read them, hold
// what the table shows and the form shows the current row's cells; every
// so often undoing every step returns the file as last opened, byte for
// byte, and redoing them returns the edits. The normal suite walks a few
// seeds briefly; ZENTAVO_RANDOM_ACTIONS (the sanitized run sets it) makes
// each walk that many steps long.
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTableView>
#include <QUndoStack>
#include <QWheelEvent>
#include <QtTest>
#include <random>

#include "drive.h"
#include "study/cell_text.h"
#include "study/study_file.h"
#include "ui/row_form.h"
#include "ui/study_model.h"
#include "ui/study_window.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

namespace {

// A double-ended 480 V substation under a 13.8 kV utility, with a column of
// the user's own: network rows, devices, scenarios and a maintenance setting.
// clang-format off
const char kStudy[] =
    "point,owner,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth,"
    "work_distance,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,"
    "cable_x,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,arc_time,"
    "arc_time_reduced,scenarios,maint_inst_pickup,maint_inst_time,maint_scenario\r\n"
    "Utility,Ann,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,UTIL,,source,25,15,,,,,,,,,,,,,0.5,0.5,,,,\r\n"
    "Main A,\"Lee, K.\",ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-A,UTIL,transformer,,,2000,5.75,6,,,,"
        "trip-unit,3000,1,10,3,0.3,,,,4,0.05,maint\r\n"
    "Main B,,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-B,UTIL,transformer,,,2000,5.75,6,,,,"
        "trip-unit,3000,1,10,3,0.3,,,,,,\r\n"
    "Tie,Bo,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-B,SUB-A,cable,,,,,,2,0.06,0.09,"
        "trip-unit,2000,1,10,4,0.2,,,tie-closed,,,\r\n"
    "Panel,,empirical,208,25,,,,,455,,,,,,,,,,,,,,,,,,0.1,0.1,,,,\r\n";
// clang-format on

// Texts a user might type anywhere: numbers at and past the edges, words
// of the study's lists, a scenario's name, text that is no number at all.
const char* const kTexts[] = {"",      "0",     "-1",    "480",        "13800",    "0.2",
                              "1e300", "nan",   "1,5",   "0x10",       "12%",      "abc",
                              "VCB",   "HOA",   "maint", "tie-closed", "SUB-A",    "SUB-B",
                              "UTIL",  "cable", "fuse",  "trip-unit",  "x\"y",     "a, b",
                              "Ω 5",   "2000",  "0.05",  "none",       "empirical"};

}  // namespace

class StudyWindowRandomTest : public WindowTest {
    Q_OBJECT

public:
    StudyWindowRandomTest() : WindowTest({.start = true, .folder = true, .closeStudies = true}) {}

private:
    QPointer<TStudy> study;
    std::mt19937 rng;
    QByteArray opened;  // the file as last opened: where undoing every step returns
    QStringList done;   // the steps taken since, the last few named in a failure
    std::uint32_t seed = 0;

    int Pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng); }
    QString Text() { return QString::fromUtf8(kTexts[Pick(int(std::size(kTexts)))]); }
    QString Path() const { return dir->filePath("study.csv"); }
    QTableView* Table() const { return Child<QTableView>(*study, "StudyTable"); }
    QByteArray Bytes() const { return QByteArray::fromStdString(study->model().file().Bytes()); }
    QString Where() const {
        return QStringLiteral("seed %1, after: %2")
            .arg(seed)
            .arg(done.mid(std::max<qsizetype>(0, done.size() - 8)).join("; "));
    }
    void Trigger(const char* action) { Child<QAction>(*study, action)->trigger(); }

    void Open() {
        dialogs->fileNames = {Path()};
        app->main().findChild<QAction*>("OpenStudy1")->trigger();
        const std::vector<TStudy*> windows = OpenStudyWindows();
        QCOMPARE(int(windows.size()), 1);
        study = windows.front();
        study->findChild<QAction*>("ShowRowForm1")->setChecked(true);
        study->findChild<QAction*>("ShowCurve1")->setChecked(true);
        opened = Bytes();
    }

    // A cell the table shows, of a name, input or user's column.
    QModelIndex AnyCell() {
        const StudySortFilter& view = study->view();
        if (view.rowCount() == 0) return {};
        for (int tries = 0; tries < 20; ++tries) {
            const int column = Pick(study->model().columnCount());
            if (study->model().columns()[std::size_t(column)].kind != StudyModel::Column::Result)
                return view.index(Pick(view.rowCount()), column);
        }
        return view.index(Pick(view.rowCount()), 0);
    }
    void Choose(const QModelIndexList& cells) {
        QTableView* table = Table();
        table->clearSelection();
        if (cells.isEmpty()) return;
        table->setCurrentIndex(cells.front());
        for (const QModelIndex& i : cells)
            table->selectionModel()->select(i, QItemSelectionModel::Select);
        table->setFocus();
    }
    // Cells down one column from a cell, as a drag would choose them.
    QModelIndexList Run(const QModelIndex& from) {
        QModelIndexList cells;
        if (!from.isValid()) return cells;
        const int n = 1 + Pick(3);
        for (int r = from.row(); r < std::min(study->view().rowCount(), from.row() + n); ++r)
            cells << study->view().index(r, from.column());
        return cells;
    }
    // The open editor's value set and its key pressed (Ctrl: every cell chosen).
    void TypeInEditor(Qt::KeyboardModifiers modifiers) {
        QWidget* editor = QApplication::focusWidget();
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentIndex(Pick(box->count()));
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(Text());
        } else {
            return;  // no editor opened (a cell that takes none)
        }
        QTest::keyClick(editor, Qt::Key_Return, modifiers);
    }

    // One step at random, named in `done`.
    void Step() {
        QTableView* table = Table();
        StudyModel& model = study->model();
        // A question may come: answered at random, whatever is left unasked let go after.
        dialogs->answers = {Pick(2) == 0, Pick(2) == 0};
        dialogs->duplicateAnswers = {DuplicateAnswer(Pick(3))};
        const int kind = Pick(18);
        QString name;
        switch (kind) {
            case 0:
            case 1: {  // a cell typed through the table's sort and filter
                const QModelIndex cell = AnyCell();
                const QString text = Text();
                name = QStringLiteral("type \"%1\" at %2,%3")
                           .arg(text)
                           .arg(cell.row())
                           .arg(cell.column());
                if (cell.isValid()) study->view().setData(cell, text, Qt::EditRole);
                break;
            }
            case 2: {  // the cell's editor, Return
                const QModelIndex cell = AnyCell();
                name = QStringLiteral("editor at %1,%2").arg(cell.row()).arg(cell.column());
                if (!cell.isValid()) break;
                Choose({cell});
                table->edit(cell);
                TypeInEditor(Qt::NoModifier);
                break;
            }
            case 3: {  // fill: the cells chosen down a column, Ctrl+Return
                const QModelIndexList cells = Run(AnyCell());
                name = QStringLiteral("fill %1 cells").arg(cells.size());
                if (cells.isEmpty()) break;
                Choose(cells);
                table->edit(cells.front());
                TypeInEditor(Qt::ControlModifier);
                break;
            }
            case 4: {  // Delete over the cells chosen
                const QModelIndexList cells = Run(AnyCell());
                name = QStringLiteral("delete %1 cells").arg(cells.size());
                Choose(cells);
                if (!cells.isEmpty()) QTest::keyClick(table, Qt::Key_Delete);
                break;
            }
            case 5: {  // a field of the row form
                const QModelIndex cell = AnyCell();
                if (!cell.isValid()) break;
                Choose({cell});
                auto* form = Child<TRowForm>(*study, "RowForm");
                const auto column = static_cast<StudyInputColumn>(Pick(kStudyInputColumnCount));
                QWidget* field = form->FieldOf(column);
                name = QStringLiteral("form field %1 of row %2").arg(int(column)).arg(cell.row());
                if (!field || !field->isVisibleTo(form) || !field->isEnabled()) break;
                if (auto* box = qobject_cast<QComboBox*>(field)) {
                    const int i = Pick(box->count());
                    box->setCurrentIndex(i);
                    emit box->activated(i);
                } else if (auto* line = qobject_cast<QLineEdit*>(field)) {
                    line->setFocus();
                    line->setText(Text());
                    QTest::keyClick(line, Qt::Key_Return);
                }
                break;
            }
            case 6: {  // rows copied, a line of other text perhaps added, pasted elsewhere
                const QModelIndexList cells = Run(AnyCell());
                name = QStringLiteral("copy %1 rows and paste").arg(cells.size());
                if (cells.isEmpty()) break;
                Choose(cells);
                Trigger("CopyRows1");
                if (Pick(3) == 0)
                    QGuiApplication::clipboard()->setText(QGuiApplication::clipboard()->text() +
                                                          Text() + "\t" + Text() + "\n");
                Choose({AnyCell()});
                Trigger("PasteRows1");
                break;
            }
            case 7:
            case 8: {
                const int n = 1 + Pick(3);
                name = QStringLiteral("%1 %2 times").arg(kind == 7 ? "undo" : "redo").arg(n);
                for (int i = 0; i < n; ++i) Trigger(kind == 7 ? "UndoStudy1" : "RedoStudy1");
                break;
            }
            case 9: {  // the wheel over any control of the window, given the keyboard or not
                const QList<QWidget*> controls = study->findChildren<QWidget*>();
                QWidget* w = controls.isEmpty() ? nullptr : controls[Pick(int(controls.size()))];
                if (!w || !w->isVisible()) break;
                name = QStringLiteral("wheel over %1 %2")
                           .arg(w->metaObject()->className(), w->objectName());
                if (Pick(2) == 0) w->setFocus();
                const QPointF at(w->width() / 2.0, w->height() / 2.0);
                QWheelEvent wheel(at, w->mapToGlobal(at), {}, QPoint(0, Pick(2) == 0 ? 120 : -120),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(w, &wheel);
                break;
            }
            case 10: {  // a click on a heading: sorted by it, one way or the other
                QHeaderView* header = table->horizontalHeader();
                const int column = Pick(model.columnCount());
                name = QStringLiteral("sort by %1").arg(column);
                table->scrollTo(study->view().index(0, column));
                if (study->view().rowCount() > 0)
                    QTest::mouseClick(
                        header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(column) + 3, header->height() / 2));
                break;
            }
            case 11: {  // the filter: a piece of a cell, or nothing
                auto* box = Child<QComboBox>(*study, "FilterColumnBox");
                box->setCurrentIndex(Pick(box->count()));
                const QModelIndex cell = AnyCell();
                const QString text = cell.isValid() && Pick(2)
                                         ? cell.data().toString().left(1 + Pick(3))
                                         : QString();
                name = QStringLiteral("filter \"%1\" in %2").arg(text, box->currentText());
                Child<QLineEdit>(*study, "FilterEdit")->setText(text);
                break;
            }
            case 12: {  // an option of the network: every row computed again
                name = QStringLiteral("option");
                switch (Pick(5)) {
                    case 0: {
                        auto* box = Child<QComboBox>(*study, "ShortCircuitBox");
                        box->setCurrentIndex(Pick(box->count()));
                        break;
                    }
                    case 1:
                        Child<QCheckBox>(*study, "ArcStepsBox")->click();
                        break;
                    case 2:
                        Child<QCheckBox>(*study, "ArcCurrentRangeBox")->click();
                        break;
                    case 3: {
                        auto* box = Child<QSpinBox>(*study, "MotorDecayBox");
                        if (box->isEnabled())
                            box->setValue(box->minimum() +
                                          Pick(box->maximum() - box->minimum() + 1));
                        break;
                    }
                    case 4: {
                        auto* box = Child<QComboBox>(*study, "LvToleranceBox");
                        if (box->isEnabled()) box->setCurrentIndex(Pick(box->count()));
                        break;
                    }
                }
                break;
            }
            case 13: {  // Add row, on this bus, a feeder from it
                const char* actions[] = {"AddRow1", "AddPointOnBus1", "AddFeeder1"};
                const char* action = actions[Pick(3)];
                name = action;
                Choose({AnyCell()});
                Trigger(action);
                break;
            }
            case 14: {  // Ctrl+D over the rows chosen
                const QModelIndexList cells = Run(AnyCell());
                name = QStringLiteral("Ctrl+D over %1 rows").arg(cells.size());
                Choose(cells);
                QTest::keyClick(table, Qt::Key_D, Qt::ControlModifier);
                break;
            }
            case 15: {  // Delete rows
                const QModelIndexList cells = Run(AnyCell());
                name = QStringLiteral("delete %1 rows").arg(cells.size());
                Choose(cells);
                if (!cells.isEmpty()) Trigger("DeleteRows1");
                break;
            }
            case 16:
                name = "compute again";
                Trigger("ComputeAgain1");
                break;
            case 17: {  // saved, closed and opened again: the table as the file has it
                name = "save and reopen";
                UndoAll();
                Trigger("SaveStudy1");
                QFile saved(Path());
                QVERIFY2(saved.open(QIODevice::ReadOnly), qPrintable(Where()));
                QVERIFY2(saved.readAll() == Bytes(), qPrintable(Where()));
                Trigger("CloseStudy1");
                QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QVERIFY2(OpenStudyWindows().empty(), qPrintable(Where()));
                Open();
                break;
            }
        }
        done << name;
        QApplication::processEvents();
        dialogs->answers.clear();
        dialogs->duplicateAnswers.clear();
        QVERIFY2(!dialogs->unexpected, qPrintable(Where()));
        dialogs->shown.clear();
    }

    // The study's bytes read back as the window would open them: its rows
    // are the table's, and the form shows the current row's cells.
    void Agree() {
        const StudyModel& model = study->model();
        const StudyFile file = StudyFile::Parse(model.file().Bytes(), model.file().Options());
        QVERIFY2(file.RowCount() == std::size_t(model.rowCount()), qPrintable(Where()));
        const StudySortFilter& view = study->view();
        for (int p = 0; p < view.rowCount(); ++p) {
            const int row = view.mapToSource(view.index(p, 0)).row();
            // The results the window holds are those of its file read afresh
            // (an edit of a point alone computes that row alone).
            QVERIFY2(model.file().Cells(std::size_t(row)) == file.Cells(std::size_t(row)),
                     qPrintable(QStringLiteral("row %1's results: ").arg(row) + Where()));
            for (int c = 0; c < model.columnCount(); ++c) {
                const StudyModel::Column& column = model.columns()[std::size_t(c)];
                std::string stored;
                if (column.kind == StudyModel::Column::Point)
                    stored = file.Point(std::size_t(row));
                else if (column.kind == StudyModel::Column::Input)
                    stored = ShownCell(StudyInputColumn(column.index),
                                       file.Input(std::size_t(row), StudyInputColumn(column.index)),
                                       '.');
                else if (column.kind == StudyModel::Column::Other)
                    stored = file.Field(std::size_t(row), column.index);
                else
                    continue;
                const QString shown = view.index(p, c).data(Qt::EditRole).toString();
                QVERIFY2(
                    shown == QString::fromStdString(stored),
                    qPrintable(
                        QStringLiteral(
                            "row %1 column %2: the table shows \"%3\", the file holds \"%4\"; %5")
                            .arg(row)
                            .arg(model.ColumnName(c), shown, QString::fromStdString(stored),
                                 Where())));
            }
        }
        auto* form = Child<TRowForm>(*study, "RowForm");
        const QModelIndex current = Table()->currentIndex();
        const int row = current.isValid() ? view.mapToSource(current).row() : -1;
        QVERIFY2(form->Row() == row,
                 qPrintable(QStringLiteral("the form shows row %1, the table's current is %2; %3")
                                .arg(form->Row())
                                .arg(row)
                                .arg(Where())));
        if (row < 0) return;
        QVERIFY2(Child<QLineEdit>(*form, "RowFormName")->text() ==
                     QString::fromStdString(file.Point(std::size_t(row))),
                 qPrintable(Where()));
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            const auto column = static_cast<StudyInputColumn>(c);
            QWidget* field = form->FieldOf(column);
            if (!field) continue;
            const QString stored = QString::fromStdString(file.Input(std::size_t(row), column));
            QString shown;
            if (auto* box = qobject_cast<QComboBox*>(field))
                shown = box->currentData().isValid() ? box->currentData().toString()
                                                     : box->currentText();
            else if (auto* line = qobject_cast<QLineEdit*>(field))
                shown = line->text();
            else
                continue;
            // A value the row could not keep stays in its field, the reason beside it.
            const bool refused = !form->FaultOf(column).isEmpty();
            QVERIFY2(
                shown == QString::fromStdString(ShownCell(column, stored.toStdString(), '.')) ||
                    shown == stored || refused,
                qPrintable(
                    QStringLiteral("form field %1 shows \"%2\", the file holds \"%3\" (%5); %4")
                        .arg(c)
                        .arg(shown, stored, Where(), form->FaultOf(column))));
        }
    }

    // Every step undone: the file as opened, byte for byte; every step redone
    // up to where the history stood: the edits back.
    void UndoAll() {
        const QByteArray now = Bytes();
        QUndoStack& undo = study->model().undoStack();
        const int at = undo.index();
        while (undo.canUndo()) undo.undo();
        QVERIFY2(Bytes() == opened, qPrintable(QStringLiteral("undoing every step: ") + Where()));
        while (undo.index() < at) undo.redo();
        QVERIFY2(Bytes() == now, qPrintable(QStringLiteral("redoing every step: ") + Where()));
    }

private slots:
    // The seeds of the faults the walk found stay in this list, each with
    // what it found (in its first 120 steps).
    void aRandomWalkKeepsFileTableAndFormAgreed_data() {
        QTest::addColumn<uint>("seed");
        struct Seed {
            uint seed;
            const char* found;
        };
        // clang-format off
        const Seed seeds[] = {
            {1, "an option changed: the table lost its current row, the form kept showing it"},
            {2, "the same, after Ctrl+D, Add row and a paste"},
            {3, "the same, after Add feeder"},
        };
        // clang-format on
        for (const Seed& s : seeds)
            QTest::newRow(qPrintable(QStringLiteral("seed %1: %2").arg(s.seed).arg(s.found)))
                << s.seed;
        // Another seed to walk, from the environment: ZENTAVO_RANDOM_SEED.
        if (qEnvironmentVariableIsSet("ZENTAVO_RANDOM_SEED")) {
            const uint s = uint(qEnvironmentVariableIntValue("ZENTAVO_RANDOM_SEED"));
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(s))) << s;
        }
    }
    void aRandomWalkKeepsFileTableAndFormAgreed() {
        QFETCH(uint, seed);
        this->seed = seed;
        rng.seed(seed);
        done.clear();
        QFile f(Path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kStudy);
        f.close();
        Open();
        const int actions = qEnvironmentVariableIsSet("ZENTAVO_RANDOM_ACTIONS")
                                ? qEnvironmentVariableIntValue("ZENTAVO_RANDOM_ACTIONS")
                                : 100;
        int changed = 0;  // the steps that changed the file
        for (int i = 0; i < actions; ++i) {
            const QByteArray before = Bytes();
            Step();
            if (QTest::currentTestFailed()) return;
            changed += Bytes() != before ? 1 : 0;
            Agree();
            if (QTest::currentTestFailed()) return;
            if (i % 25 == 24) UndoAll();
            if (QTest::currentTestFailed()) return;
        }
        UndoAll();
        // A walk that never changed the file would have checked nothing.
        QVERIFY(changed > actions / 10);
        qInfo("seed %u: %d steps, %d of them changed the file; %d rows at the end", seed, actions,
              changed, study->model().rowCount());
    }
};

QTEST_MAIN(StudyWindowRandomTest)
#include "study_window_random_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The study window as a user works in it: open a study, edit a cell and see
// its row computed again, undo and redo, copy and paste rows, sort and
// filter, save to the same bytes, and never lose unsaved changes on close.
#include <fcntl.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QPointer>
#include <QProgressDialog>
#include <QScrollArea>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest>
#include <chrono>
#include <functional>
#include <memory>

#include "../picture_tools.h"
#include "../poppler_tools.h"
#include "study/csv.h"
#include "drive.h"
#include "fake_dialogs.h"
#include "ui/application.h"
#include "ui/device_panel.h"
#include "ui/compute_progress.h"
#include "ui/row_form.h"
#include "ui/formedit.h"
#include "ui/main_window.h"
#include "ui/study_export_dialog.h"
#include "ui/study_window.h"
#include "ui/units_window.h"
#include "ui/widgets.h"
#include "study/run.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

namespace {

// A small study with a column of the user's own between the program's.
const char kStudy[] =
    "point,owner,method,voltage,bolted_current,gap,gap_unit,work_distance,work_distance_unit,"
    "equipment_class,grounding,arc_time,arc_time_reduced,fuse_class,breaker_type,interrupting_rating,"
    "instantaneous_trip\r\n"
    "MCC-1,\"Smith, J.\",empirical,480,20,32,mm,455,mm,Switchgear,Grounded,0.2,0.25,,,,\r\n"
    "Panel P-4,Lee,empirical,208,4,25,mm,455,mm,MCC and Panels,Grounded,0.1,0.1,,,,\r\n"
    "Fused switch,Lee,fuse,480,30,25,mm,455,mm,MCC and Panels,Grounded,,,\"Class L Fuse, 1201 A to 1600 A\",,,\r\n"
    "Bad point,Kim,empirical,480,abc,32,mm,455,mm,Switchgear,Grounded,0.2,0.25,,,,\r\n";

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

}  // namespace

// The worked network: a 13.8 kV utility of 20 kA X/R 15 (12 kA minimum),
// 2 000 kVA 5.75 % X/R 6 to SWG, 60 m of two sets to an MCC with 300 kVA of
// motors; every point with 0.2 s typed.
const char* const kWorkedNetwork =
    "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
    "bus,from_bus,branch_type,source_ka,source_xr,source_ka_min,tx_kva,tx_z,tx_xr,cable_length,"
    "cable_r,cable_x,cable_sets,motor_kva\r\n"
    "Utility,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,UTIL,,source,20,15,12,,,,,,,,\r\n"
    "Main,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,SWG,UTIL,transformer,,,,2000,5.75,6,,,,,\r\n"
    "Motors,empirical,480,25,455,MCC and Panels,Grounded,0.2,0.2,MCC,SWG,cable,,,,,,,60,0.1,0.08,2,300\r\n";

// A double-ended 480 V substation: two transformers with their mains, a
// tie closed in the scenario tie-closed with its own breaker, main A with a
// maintenance setting in the scenario maint.
const char* const kDoubleEnded =
    "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_depth,"
    "work_distance,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,cable_r,"
    "cable_x,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,arc_time,"
    "arc_time_reduced,scenarios,maint_inst_pickup,maint_inst_time,maint_scenario\r\n"
    "Utility,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,UTIL,,source,25,15,,,,,,,,,,,,,0.5,0.5,,,,\r\n"
    "Main A,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-A,UTIL,transformer,,,2000,5.75,6,,,,trip-unit,3000,1,"
    "10,3,0.3,,,,4,0.05,maint\r\n"
    "Main B,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-B,UTIL,transformer,,,2000,5.75,6,,,,trip-unit,3000,1,"
    "10,3,0.3,,,,,,\r\n"
    "Tie,ieee1584-2018,480,32,VCB,508,508,508,609.6,SUB-B,SUB-A,cable,,,,,,2,0.06,0.09,trip-unit,2000,1,10,4,0.2,,,"
    "tie-closed,,,\r\n";

// A 13.8 kV feeder's relay (instantaneous at 500 A) above a 2 000 kVA
// transformer's 480 V main (short time 0.3 s): the relay clears the main's
// arc first. A second transformer's relay sits at its 13.8 kV from bus.
const char* const kPrimaryRelay =
    "point,method,voltage,gap,electrode_configuration,enclosure_height,enclosure_width,enclosure_"
    "depth,"
    "work_distance,bus,from_bus,branch_type,source_ka,source_xr,tx_kva,tx_z,tx_xr,cable_length,"
    "cable_r,"
    "cable_x,device_type,trip_rating,trip_lt_pickup,trip_lt_delay,trip_st_pickup,trip_st_delay,"
    "relay_curve,"
    "relay_pickup,relay_time_dial,relay_inst_pickup,device_at,arc_time,arc_time_reduced\r\n"
    "Utility,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,UTIL,,source,25,15,,,,,,,,,,,,,,,,,,0."
    "5,0.5\r\n"
    "HV "
    "feeder,ieee1584-2018,13800,152,VCB,1143,762,508,914.4,HV,UTIL,cable,,,,,,100,0.1,0.12,relay,,,"
    ",,,"
    "IEEE-VI,100,1,500,,,\r\n"
    "Main,ieee1584-2018,480,32,VCB,508,508,508,609.6,SWG,HV,transformer,,,2000,5.75,6,,,,trip-unit,"
    "3000,1,10,4,"
    "0.3,,,,,,,\r\n"
    "Main "
    "2,ieee1584-2018,480,32,VCB,508,508,508,609.6,SWG-2,HV,transformer,,,1000,5.75,6,,,,relay,,,,,,"
    "IEEE-VI,60,2,,from,,\r\n";

class StudyWindowTest : public WindowTest {
    Q_OBJECT

public:
    StudyWindowTest()
        : WindowTest({.start = true, .folder = true, .closeStudies = true, .scriptedDialogs = true}) {}

private:
    QPointer<TStudy> study;

    QString Path(const QString& name) const { return dir->filePath(name); }
    // The study window's controls, by their object names.
    QTableView* StudyTable() const { return Child<QTableView>(*study, "StudyTable"); }
    QLineEdit* FilterEdit() const { return Child<QLineEdit>(*study, "FilterEdit"); }
    QComboBox* FilterColumnBox() const { return Child<QComboBox>(*study, "FilterColumnBox"); }
    QLabel* StatusText() const { return Child<QLabel>(*study, "StatusText"); }

    // Opens kStudy, or another study, through File > Open study… of the main window.
    void OpenExample(const QByteArray& bytes = kStudy) {
        WriteAll(Path("study.csv"), bytes);
        dialogs->fileNames = {Path("study.csv")};
        app->main().findChild<QAction*>("OpenStudy1")->trigger();
        const auto windows = OpenStudyWindows();
        QCOMPARE(int(windows.size()), 1);
        study = windows.front();
        QVERIFY(dialogs->shown.isEmpty());
    }
    int Col(const char* name) const { return study->model().ColumnNamed(name); }
    QString Cell(int row, const char* column) const {
        return study->model().data(study->model().index(row, Col(column)), Qt::DisplayRole).toString();
    }
    // A heading as the table shows it.
    QString Heading(const char* column) const {
        return StudyTable()->model()->headerData(Col(column), Qt::Horizontal, Qt::DisplayRole).toString();
    }
    // Types into a cell as the user does: through the table's sort and filter.
    bool Type(int row, const char* column, const QString& text) {
        return study->view().setData(study->view().mapFromSource(study->model().index(row, Col(column))), text);
    }
    // Types into a cell's editor and presses Return: a list of words picks
    // the word, a line takes the text, each checked as the table checks it.
    void TypeInEditor(int row, const char* column, const QString& text) {
        QTableView* table = StudyTable();
        const QModelIndex cell = study->view().mapFromSource(study->model().index(row, Col(column)));
        table->setCurrentIndex(cell);
        table->edit(cell);
        QWidget* editor = table->findChild<QComboBox*>();
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentText(text);
        } else {
            auto* line = table->findChild<QLineEdit*>();
            QVERIFY(line);
            line->setText(text);
            editor = line;
        }
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!table->findChild<QLineEdit*>() && !table->findChild<QComboBox*>());
    }

private slots:
    void opensComputesAndSavesTheSameBytes() {
        OpenExample();
        QVERIFY(study->isVisible());
        QCOMPARE(study->model().rowCount(), 4);
        QCOMPARE(Cell(0, "owner"), QString("Smith, J."));
        QCOMPARE(Cell(0, "status"), QString("ok"));
        QVERIFY(!Cell(0, "incident_energy").isEmpty());
        QCOMPARE(Cell(3, "status"), QString("error"));
        // The refusal is the row's tooltip.
        const QString tip =
            study->model().data(study->model().index(3, Col("voltage")), Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains("abc"), qPrintable(tip));
        QCOMPARE(StatusText()->text(), QString("4 points: 3 computed, 1 refused"));
        QVERIFY(!study->IsModified());
        // Rows tinted by the governing PPE level; the refused row grey; the governing energy bold.
        auto tint = [&](int row) {
            return study->model().data(study->model().index(row, 0), Qt::BackgroundRole).value<QBrush>().color();
        };
        QCOMPARE(Cell(0, "ppe_level_reduced"), QString("2"));
        QCOMPARE(Cell(1, "ppe_level"), QString("0"));
        QCOMPARE(Cell(1, "ppe_level_governing"), QString("0"));
        // Level 0 is not tinted.
        QVERIFY(tint(0).isValid());
        QVERIFY(!study->model().data(study->model().index(1, 0), Qt::BackgroundRole).isValid());
        QCOMPARE(tint(3), QColor(0xE4, 0xE4, 0xE4));
        QCOMPARE(Cell(0, "governing"), QString("reduced"));
        auto bold = [&](int row, const char* column) {
            return study->model().data(study->model().index(row, Col(column)), Qt::FontRole).value<QFont>().bold();
        };
        QVERIFY(bold(0, "incident_energy_reduced") && !bold(0, "incident_energy"));
        // Saved unchanged: identical bytes, the unknown column in its place.
        study->findChild<QAction*>("SaveStudy1")->trigger();
        QCOMPARE(ReadAll(Path("study.csv")), QByteArray(kStudy));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // A row computed with a caution about its device's settings keeps its
    // results and counts as computed; its status stands out from the grey of
    // a refused row, and the caution is its tooltip.
    void aCautionRowShowsItsResultsAndItsCaution() {
        OpenExample(
            "point,method,voltage,bolted_current,gap,work_distance,electrode_configuration,enclosure_height,"
            "enclosure_width,enclosure_depth,device_type,relay_curve,relay_pickup,relay_time_dial,relay_inst_pickup\r\n"
            "Typed in A,ieee1584-2018,480,45,32,609.6,VCB,610,610,254,relay,IEC-VI,400,0.1,0.05\r\n"
            "Refused,ieee1584-2018,480,45,32,609.6,VCB,610,610,254,relay,IEC-VI,0,0.1,\r\n");
        QCOMPARE(Cell(0, "status"), QString("warning"));
        QCOMPARE(Cell(0, "incident_energy_governing"), QString("3.75"));  // 0.083 s, as typed
        QCOMPARE(Cell(1, "status"), QString("error"));
        QCOMPARE(StatusText()->text(), QString("2 points: 1 computed, 1 refused"));
        auto at = [&](int row, const char* column, int role) {
            return study->model().data(study->model().index(row, Col(column)), role);
        };
        QCOMPARE(at(0, "status", Qt::BackgroundRole).value<QBrush>().color(), QColor(kCautionTint));
        QVERIFY(QColor(kCautionTint) != QColor(kRefusedTint));
        QCOMPARE(at(1, "status", Qt::BackgroundRole).value<QBrush>().color(), QColor(kRefusedTint));
        // Its results keep their level's tint (PPE 1), not the refused grey.
        QVERIFY(at(0, "incident_energy_governing", Qt::BackgroundRole).value<QBrush>().color() != QColor(kRefusedTint));
        QCOMPARE(at(0, "voltage", Qt::ToolTipRole).toString(),
                 QString("relay_inst_pickup: 0.05 A is below the pickup (400 A): check the setting"));
    }

    // A device's interrupting duty follows its row's current, and a device
    // below the current it must interrupt stands out.
    void aDeviceBelowItsFaultCurrentStandsOut() {
        OpenExample(
            "point,method,voltage,bolted_current,gap,work_distance,electrode_configuration,enclosure_height,"
            "enclosure_width,enclosure_depth,arc_time,device_rating_ka\r\n"
            "Below,ieee1584-2018,480,45,32,609.6,VCB,610,610,254,0.1,25\r\n"
            "Within,ieee1584-2018,480,45,32,609.6,VCB,610,610,254,0.1,50\r\n");
        auto tint = [&](int row) {
            return study->model().data(study->model().index(row, Col("device_duty")), Qt::BackgroundRole).value<QBrush>().color();
        };
        QCOMPARE(Cell(0, "device_duty"), QString("interrupting rating 25 kA below the 45 kA available"));
        QCOMPARE(tint(0), QColor(kCautionTint));
        QCOMPARE(Cell(1, "device_duty"), QString("interrupting rating 50 kA for the 45 kA available"));
        QVERIFY(tint(1) != QColor(kCautionTint));
        QVERIFY(Type(1, "bolted_current", "50.001"));
        QCOMPARE(Cell(1, "device_duty"), QString("interrupting rating 50 kA below the 50.001 kA available"));
        QCOMPARE(tint(1), QColor(kCautionTint));
    }

    void anEditComputesItsRowAgainAndUndoRedoWalkBack() {
        OpenExample();
        const QString before = Cell(0, "incident_energy");
        QVERIFY(Type(0, "bolted_current", "40"));
        QVERIFY(study->IsModified());
        QVERIFY(study->windowTitle().contains("study.csv"));
        const QString after = Cell(0, "incident_energy");
        QVERIFY2(after.toDouble() > before.toDouble(), qPrintable(before + " -> " + after));
        // The bad row mended: computed at once.
        QVERIFY(Type(3, "bolted_current", "20"));
        QCOMPARE(Cell(3, "status"), QString("ok"));
        QCOMPARE(Cell(3, "incident_energy"), before);  // the same inputs as row 0 had
        QCOMPARE(StatusText()->text(), QString("4 points: 4 computed, 0 refused"));
        study->findChild<QAction*>("UndoStudy1")->trigger();
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(Cell(0, "incident_energy"), before);
        QCOMPARE(Cell(3, "status"), QString("error"));
        QVERIFY(!study->IsModified());
        QCOMPARE(QByteArray::fromStdString(study->model().file().Bytes()), QByteArray(kStudy));
        study->findChild<QAction*>("RedoStudy1")->trigger();
        QCOMPARE(Cell(0, "incident_energy"), after);
        // A word column offers its words in a list.
        const QStringList methods = study->model().Words(Col("method"));
        QVERIFY(methods.contains("empirical") && methods.contains("fuse") && methods.contains("breaker"));
        QVERIFY(study->model().Words(Col("voltage")).isEmpty());
        QVERIFY(study->model().Words(Col("owner")).isEmpty());
        // Result cells are not edited.
        QVERIFY(!(study->model().flags(study->model().index(0, Col("incident_energy"))) & Qt::ItemIsEditable));
    }

    void aNumberThatIsNotOneIsRefusedInTheEditor() {
        OpenExample();
        QTableView* table = StudyTable();
        const QModelIndex cell = study->view().mapFromSource(study->model().index(0, Col("voltage")));
        table->setCurrentIndex(cell);
        table->edit(cell);
        auto* editor = table->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText("4x80");
        QTest::keyClick(editor, Qt::Key_Return);
        // Told by the application's error handler, as the main window tells it.
        QTRY_COMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QString("Error"));
        QCOMPARE(dialogs->shown[0].text, QString("'4x80' is not a valid floating point value"));
        QCOMPARE(Cell(0, "voltage"), QString("480"));
        QVERIFY(!study->IsModified());
        dialogs->Clear();
        // The method cell edits in a list of its words.
        const QModelIndex method = study->view().mapFromSource(study->model().index(0, Col("method")));
        table->setCurrentIndex(method);
        table->edit(method);
        auto* box = table->findChild<QComboBox*>();
        QVERIFY(box);
        QCOMPARE(box->currentText(), QString("empirical"));
        box->setCurrentText("breaker");
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_COMPARE(Cell(0, "method"), QString("breaker"));
    }

    // A study the window saves reads back in the batch calculator as the
    // same rows with the same results: a pasted row, cells typed into
    // columns the file lacks (a fuse curve, "none" for the maximum arc
    // duration) give every record its field, and a row copied from the
    // window pastes back.
    void aSavedStudyReadsBackInTheBatchAsTheWindowShowsIt() {
        OpenExample(ReadAll(ZENTAVO_EXAMPLES_DIR "/study.csv"));
        const int rows = study->model().rowCount();
        const int width = int(study->model().file().Header().size());
        StudyTable()->selectionModel()->select(study->view().index(0, 0), QItemSelectionModel::Select);
        study->findChild<QAction*>("CopyRows1")->trigger();
        StudyTable()->setCurrentIndex(study->view().index(0, 0));
        study->findChild<QAction*>("PasteRows1")->trigger();
        QCOMPARE(study->model().rowCount(), rows + 1);
        QCOMPARE(int(study->model().file().Header().size()), width);  // nothing new in the pasted row
        TypeInEditor(1, "arc_time", "");
        TypeInEditor(1, "arc_time_reduced", "");
        TypeInEditor(1, "device_type", "fuse-curve");
        TypeInEditor(1, "fuse_curve", "1200:200 2000:30 20000:0.01");
        TypeInEditor(1, "max_arc_time", "none");
        QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.value(0).text));
        QCOMPARE(Cell(1, "status"), QString("ok"));
        QCOMPARE(Cell(1, "device_element"), QString("curve"));
        QCOMPARE(int(study->model().file().Header().size()), width + 3);
        // The device row copied from the window pastes back, curve and "none" with it.
        StudyTable()->clearSelection();
        StudyTable()->selectionModel()->select(study->view().index(1, 0), QItemSelectionModel::Select);
        study->findChild<QAction*>("CopyRows1")->trigger();
        study->findChild<QAction*>("PasteRows1")->trigger();
        QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.value(0).text));
        QCOMPARE(study->model().rowCount(), rows + 2);
        QCOMPARE(Cell(2, "max_arc_time"), QString("none"));
        QCOMPARE(Cell(2, "arc_time_used"), Cell(1, "arc_time_used"));
        study->findChild<QAction*>("SaveStudy1")->trigger();
        QVERIFY(!study->IsModified());

        const std::string saved = ReadAll(Path("study.csv")).toStdString();
        const StudyFile& file = study->model().file();
        std::string batch;
        RunStudy(saved, file.Options(), [&](std::string_view piece) { batch += piece; });
        const StudyFile back = StudyFile::Parse(batch, StudyOptions{});
        QCOMPARE(back.RowCount(), file.RowCount());
        for (std::size_t r = 0; r < file.RowCount(); ++r) {
            QCOMPARE(file.Fields(r).size(), file.Header().size());
            for (int c : WrittenResultColumns(file.Columns())) {
                const std::string_view name = kStudyResultNames[static_cast<std::size_t>(c)];
                QCOMPARE(back.Field(r, back.ColumnOf(name)), std::string(file.Cells(r)[static_cast<std::size_t>(c)]));
            }
            QVERIFY(back.Field(r, back.ColumnOf("message")).find("fields where") == std::string::npos);
        }
    }

    // The habits of a spreadsheet, by the keys and clicks themselves: Delete
    // empties the chosen cells, typing over a cell replaces its value,
    // Ctrl+Enter fills the chosen cells with what was typed (each one step
    // undone whole), the first click on an energy heading puts the greatest
    // first, a filter says how many points it shows, and a paste makes room
    // for the names it brings.
    void behavesLikeASpreadsheet() {
        OpenExample();
        study->show();
        QVERIFY(QTest::qWaitForWindowActive(study));
        QTableView* table = StudyTable();
        auto at = [&](int row, const char* column) { return study->view().index(row, Col(column)); };
        auto choose = [&](std::initializer_list<QModelIndex> cells) {
            table->clearSelection();
            table->setCurrentIndex(*cells.begin());
            for (const QModelIndex& i : cells) table->selectionModel()->select(i, QItemSelectionModel::Select);
            table->setFocus();
        };
        const QByteArray before = QByteArray::fromStdString(study->model().file().Bytes());

        choose({at(0, "voltage"), at(1, "voltage"), at(0, "gap")});
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(Cell(0, "voltage"), QString());
        QCOMPARE(Cell(1, "voltage"), QString());
        QCOMPARE(Cell(0, "gap"), QString());
        QCOMPARE(Cell(2, "voltage"), QString("480"));
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(QByteArray::fromStdString(study->model().file().Bytes()), before);

        // Typed into the table as it is, the first key opening the editor.
        auto type = [&](const char* text) {
            QTest::keyClick(table, text[0]);
            QTest::keyClicks(QApplication::focusWidget(), text + 1);
        };
        choose({at(0, "voltage")});
        type("600");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(Cell(0, "voltage"), QString("600"));  // the editor's value is kept once its key is handled

        choose({at(1, "voltage"), at(2, "voltage"), at(3, "voltage")});
        type("208");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        QTRY_COMPARE(Cell(3, "voltage"), QString("208"));
        QCOMPARE(Cell(1, "voltage"), QString("208"));
        QCOMPARE(Cell(2, "voltage"), QString("208"));
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(Cell(1, "voltage"), QString("208"));  // Panel P-4 was at 208 V
        QCOMPARE(Cell(2, "voltage"), QString("480"));
        QCOMPARE(Cell(3, "voltage"), QString("480"));

        // Highest energy first, then lowest.
        QHeaderView* header = table->horizontalHeader();
        const int energy = Col("incident_energy_governing");
        auto firstEnergy = [&] { return study->view().index(0, energy).data(StudyModel::SortRole).toDouble(); };
        double most = 0;
        for (int r = 0; r < study->model().rowCount(); ++r)
            most = std::max(most, study->model().index(r, energy).data(StudyModel::SortRole).toDouble());
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(energy) + 5, header->height() / 2));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(firstEnergy(), most);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(energy) + 5, header->height() / 2));
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);

        FilterEdit()->setText("Lee");
        QCOMPARE(StatusText()->text(), QString("2 of 4 points shown; 4 points: 3 computed, 1 refused"));
        FilterEdit()->clear();
        QCOMPARE(StatusText()->text(), QString("4 points: 3 computed, 1 refused"));

        const QString longName = QStringLiteral("Switchboard SB-12, north wall, section 4");
        QGuiApplication::clipboard()->setText("point\tmethod\n" + longName + "\tfuse\n");
        study->findChild<QAction*>("PasteRows1")->trigger();
        QVERIFY(table->columnWidth(0) >= table->fontMetrics().horizontalAdvance(longName));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // A plant built from New study with the row form and its pickers alone,
    // no column named: a 13.8 kV utility, a transformer to 480 V
    // switchgear, an MCC behind a cable with its motors, a fuse-fed bucket
    // on the MCC, a device at each. Saved, the file gives the batch's run
    // the results the window shows.
    void buildsAPlantFromTheRowForm() {
        app->main().findChild<QAction*>("NewStudy1")->trigger();
        study = OpenStudyWindows().back();
        study->show();
        QVERIFY(QTest::qWaitForWindowExposed(study));
        auto* form = Child<TRowForm>(*study, "RowForm");
        QVERIFY(Child<QDockWidget>(*study, "RowFormDock")->isVisible());
        auto edit = [&](StudyInputColumn c) {
            QWidget* f = form->FieldOf(c);
            auto* box = qobject_cast<QComboBox*>(f);
            return box ? box->lineEdit() : qobject_cast<QLineEdit*>(f);
        };
        // Typed as the user types: the field's text, then Return.
        auto type = [&](StudyInputColumn c, const QString& text) {
            QLineEdit* e = edit(c);
            QVERIFY2(e && e->isVisibleTo(form), kStudyInputNames[c].data());
            e->setFocus();
            e->selectAll();
            QTest::keyClicks(e, text);
            QTest::keyClick(e, Qt::Key_Return);
            QVERIFY2(form->FaultOf(c).isEmpty(), qPrintable(form->FaultOf(c)));
        };
        // Picked from a list by the word the file keeps.
        auto pick = [&](QComboBox* box, const QVariant& data) {
            QVERIFY(box && box->isVisibleTo(form));
            const int i = box->findData(data);
            QVERIFY2(i >= 0, qPrintable(data.toString()));
            box->setCurrentIndex(i);
            emit box->activated(i);
        };
        auto pickWord = [&](StudyInputColumn c, const char* word) {
            pick(qobject_cast<QComboBox*>(form->FieldOf(c)), QString::fromLatin1(word));
        };
        auto equipment = [&](int index) {
            auto* box = Child<QComboBox>(*form, "RowFormEquipment");
            QVERIFY(box->isVisibleTo(form));
            box->setCurrentIndex(index);
            emit box->activated(index);
        };
        auto name = [&](const QString& text) {
            auto* e = Child<QLineEdit>(*form, "RowFormName");
            e->setText(text);
            emit e->editingFinished();
        };
        auto addRow = [&](const char* action) { study->findChild<QAction*>(action)->trigger(); };

        addRow("AddRow1");  // a new study's first row: the 2018 model's low-voltage switchgear
        QCOMPARE(form->Row(), 0);
        name("Utility 13.8 kV");
        equipment(0);  // 15 kV switchgear
        type(kVoltageColumn, "13800");
        type(kBusColumn, "UTIL");
        pickWord(kBranchTypeColumn, "source");
        type(kSourceKaColumn, "25");
        type(kSourceXrColumn, "15");
        pickWord(kDeviceTypeColumn, "relay");
        pickWord(kRelayCurveColumn, "IEEE-VI");
        type(kRelayPickupColumn, "600");
        type(kRelayTimeDialColumn, "2");
        type(kRelayInstPickupColumn, "8000");

        addRow("AddFeeder1");  // from UTIL: a transformer to the switchgear
        QCOMPARE(form->Row(), 1);
        name("SWG-1 main");
        pickWord(kBranchTypeColumn, "transformer");
        type(kBusColumn, "SWG-1");
        QCOMPARE(qobject_cast<QComboBox*>(form->FieldOf(kFromBusColumn))->currentText(), QString("UTIL"));
        type(kVoltageColumn, "480");
        type(kTxKvaColumn, "2000");
        type(kTxZColumn, "5.75");
        type(kTxXrColumn, "6");
        equipment(5);  // low-voltage switchgear
        pickWord(kDeviceTypeColumn, "trip-unit");
        type(kTripRatingColumn, "3000");
        type(kTripLtPickupColumn, "1");
        type(kTripLtDelayColumn, "10");
        type(kTripStPickupColumn, "3");
        type(kTripStDelayColumn, "0.3");

        addRow("AddFeeder1");  // from SWG-1: a cable to the MCC and its motors
        name("MCC-1");
        type(kBusColumn, "MCC-1");
        type(kCableLengthColumn, "30");
        type(kCableRColumn, "0.1");
        type(kCableXColumn, "0.08");
        type(kMotorKvaColumn, "300");
        equipment(6);  // shallow low-voltage MCCs and panelboards
        pickWord(kDeviceTypeColumn, "trip-unit");
        type(kTripRatingColumn, "800");
        type(kTripLtPickupColumn, "1");
        type(kTripLtDelayColumn, "10");
        type(kTripInstPickupColumn, "10");

        addRow("AddPointOnBus1");  // a bucket of the MCC behind its fuse
        name("Bucket 3");
        QCOMPARE(edit(kBusColumn)->text(), QString("MCC-1"));
        equipment(7);  // deep low-voltage MCCs and panelboards
        pickWord(kDeviceTypeColumn, "fuse-curve");
        type(kFuseCurveColumn, "100:300 1000:1 4000:0.02");

        QCOMPARE(study->model().rowCount(), 4);
        QCOMPARE(study->model().ComputedRows(), 4);
        QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.value(0).text));

        // Saved, and run as the batch calculator runs a file.
        dialogs->fileNames = {Path("plant.csv")};
        study->findChild<QAction*>("SaveStudyAs1")->trigger();
        const QByteArray bytes = ReadAll(Path("plant.csv"));
        QVERIFY(!bytes.isEmpty());
        StudyOptions options = study->model().file().Options();
        std::string out;
        RunStudy(std::string_view(bytes.constData(), std::size_t(bytes.size())), options,
                         [&](std::string_view piece) { out.append(piece); });
        csv::Reader reader(out);
        std::vector<std::string> header, fields;
        QVERIFY(reader.Next(header));
        for (int r = 0; reader.Next(fields); ++r) {
            for (const char* column : {"status", "bolted_current_max", "bolted_current_min", "incident_energy_governing",
                                       "flash_boundary_governing", "ppe_level_governing", "arc_time_used"}) {
                const auto at = std::find(header.begin(), header.end(), column) - header.begin();
                QCOMPARE(QString::fromStdString(fields[std::size_t(at)]), Cell(r, column));
            }
            QVERIFY(!Cell(r, "incident_energy_governing").isEmpty());
        }

        // Tab from the point's name walks the bucket's fields down the form,
        // each once, to the form's end.
        study->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(study));
        QWidget* body = form->findChild<QScrollArea*>()->widget();
        Child<QLineEdit>(*form, "RowFormName")->setFocus();
        QStringList order;
        int lastY = -1;
        for (int step = 0; step < 100; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (!now || !body->isAncestorOf(now)) break;
            const int y = now->mapTo(body, QPoint(0, 0)).y();
            order << now->objectName();
            QVERIFY2(y > lastY, qPrintable(order.join(", ")));
            lastY = y;
        }
        QVERIFY2(order.size() >= 12 && order.contains("RowForm_fuse_curve") && order.contains("RowForm_bus"),
                 qPrintable(order.join(", ")));
    }

    void rowsAddDuplicateDeleteAndComeBack() {
        OpenExample();
        StudyTable()->setCurrentIndex(study->view().index(1, 0));
        study->findChild<QAction*>("AddRow1")->trigger();
        QCOMPARE(study->model().rowCount(), 5);
        QCOMPARE(Cell(2, "point"), QString("New point"));
        // Made like the row it follows, it is computed as that row is.
        QCOMPARE(Cell(2, "status"), Cell(1, "status"));
        QCOMPARE(Cell(2, "incident_energy_governing"), Cell(1, "incident_energy_governing"));
        QCOMPARE(StatusText()->text(), QString("5 points: 4 computed, 1 refused"));
        StudyTable()->clearSelection();
        StudyTable()->selectionModel()->select(study->view().index(0, 0), QItemSelectionModel::Select);
        StudyTable()->selectionModel()->select(study->view().index(4, 0), QItemSelectionModel::Select);
        study->findChild<QAction*>("DeleteRows1")->trigger();
        QCOMPARE(study->model().rowCount(), 3);
        QCOMPARE(Cell(0, "point"), QString("Panel P-4"));
        QCOMPARE(Cell(2, "point"), QString("Fused switch"));
        StudyTable()->clearSelection();
        StudyTable()->setCurrentIndex(study->view().index(2, 0));
        study->findChild<QAction*>("DuplicateRows1")->trigger();
        QCOMPARE(Cell(3, "point"), QString("Fused switch (2)"));
        QCOMPARE(Cell(3, "incident_energy"), Cell(2, "incident_energy"));
        QCOMPARE(StatusText()->text(), QString("4 points: 4 computed, 0 refused"));
        for (int i = 0; i < 3; ++i) study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(QByteArray::fromStdString(study->model().file().Bytes()), QByteArray(kStudy));
        QCOMPARE(StatusText()->text(), QString("4 points: 3 computed, 1 refused"));
    }

    void copiedRowsPasteBackWhole() {
        OpenExample();
        StudyTable()->selectionModel()->select(study->view().index(0, 3), QItemSelectionModel::Select);
        StudyTable()->selectionModel()->select(study->view().index(2, 1), QItemSelectionModel::Select);
        study->findChild<QAction*>("CopyRows1")->trigger();
        // The headings as the table shows them, each with its unit.
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.startsWith("Point\tIncident energy, governing (cal/cm2)\tFlash boundary, governing (inches)\t"
                                   "PPE level, governing\tMethod\tVoltage (V)\t"),
                 qPrintable(copied.left(120)));
        QVERIFY2(copied.contains("\tVoltage (V)\t"), qPrintable(copied.left(400)));
        QCOMPARE(copied.count('\n'), 3);
        StudyTable()->setCurrentIndex(study->view().index(3, 0));
        study->findChild<QAction*>("PasteRows1")->trigger();
        QCOMPARE(study->model().rowCount(), 6);
        for (const char* column : {"point", "owner", "method", "fuse_class", "incident_energy", "ppe_level"}) {
            QCOMPARE(Cell(4, column), Cell(0, column));
            QCOMPARE(Cell(5, column), Cell(2, column));
        }
        // One step undoes the paste.
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(study->model().rowCount(), 4);
        // Lines from a spreadsheet without a heading fill the name and input columns in the table's order.
        QGuiApplication::clipboard()->setText("Bus 7\tempirical\t600\t10\t32\tmm\t610\tmm\tSwitchgear\tGrounded\t0.1\t0.1\n");
        StudyTable()->setCurrentIndex(QModelIndex());
        study->findChild<QAction*>("PasteRows1")->trigger();
        QCOMPARE(study->model().rowCount(), 5);
        QCOMPARE(Cell(4, "point"), QString("Bus 7"));
        QCOMPARE(Cell(4, "status"), QString("ok"));
        // A heading line of the file's column names matches as well.
        QGuiApplication::clipboard()->setText("point\tmethod\tbolted_current\twork_distance\tfuse_class\n"
                                              "Fuse 9\tfuse\t1\t455\t0\n");
        study->findChild<QAction*>("PasteRows1")->trigger();
        QCOMPARE(study->model().rowCount(), 6);
        QCOMPARE(Cell(5, "point"), QString("Fuse 9"));
        QCOMPARE(Cell(5, "incident_energy_governing"), QString("2.39"));
        study->findChild<QAction*>("UndoStudy1")->trigger();
        // A pasted number that is none is refused whole, with a message.
        QGuiApplication::clipboard()->setText("point\tvoltage\nX\t48O\n");
        study->findChild<QAction*>("PasteRows1")->trigger();
        QCOMPARE(study->model().rowCount(), 5);
        QCOMPARE(dialogs->shown.size(), 1);
        QVERIFY(dialogs->shown[0].text.contains("48O"));
    }

    void sortsByNumberAndFilters() {
        OpenExample();
        const int energy = Col("incident_energy");
        StudyTable()->sortByColumn(energy, Qt::DescendingOrder);
        auto& v = study->view();
        // Numbers by value, then the refused row without a number.
        double last = 1e300;
        for (int r = 0; r < 3; ++r) {
            const double e = v.index(r, energy).data().toString().toDouble();
            QVERIFY2(e <= last, qPrintable(QString::number(e)));
            last = e;
        }
        QCOMPARE(v.index(3, Col("point")).data().toString(), QString("Bad point"));
        // Sorted rows edit the right row, and the row takes its new place.
        int mcc = -1;
        for (int r = 0; r < v.rowCount(); ++r) {
            if (v.index(r, Col("point")).data().toString() == "MCC-1") mcc = r;
        }
        QVERIFY(mcc > 0);
        QVERIFY(v.setData(v.index(mcc, Col("arc_time")), "2"));
        QCOMPARE(v.index(0, Col("point")).data().toString(), QString("MCC-1"));
        QCOMPARE(v.index(0, Col("arc_time")).data().toString(), QString("2"));
        QCOMPARE(v.index(3, Col("point")).data().toString(), QString("Bad point"));
        FilterColumnBox()->setCurrentIndex(Col("method") + 1);
        FilterEdit()->setText("FUSE");
        QCOMPARE(v.rowCount(), 1);
        QCOMPARE(v.index(0, Col("point")).data().toString(), QString("Fused switch"));
        FilterColumnBox()->setCurrentIndex(0);
        FilterEdit()->setText("lee");
        QCOMPARE(v.rowCount(), 2);
    }

    // Headings are words with the unit of their numbers, output units for the
    // results; the file keeps its column names.
    void headingsReadAsWordsWithTheirUnits() {
        OpenExample();
        const struct {
            const char* column;
            const char* heading;        // cal/cm2, inches, lb/ft2, kg
            const char* metricHeading;  // J/cm2, mm, kpa, grams
        } cases[] = {
            // clang-format off
            {"point",                     "Point",                                 "Point"},
            {"incident_energy_governing", "Incident energy, governing (cal/cm2)",  "Incident energy, governing (J/cm2)"},
            {"flash_boundary_reduced",    "Flash boundary, reduced (inches)",      "Flash boundary, reduced (mm)"},
            {"ppe_level_governing",       "PPE level, governing",                  "PPE level, governing"},
            {"limited_approach",          "Limited approach boundary (inches)",    "Limited approach boundary (mm)"},
            {"pressure_reduced",          "Pressure, reduced (lb/ft2)",            "Pressure, reduced (kpa)"},
            {"tnt",                       "TNT equivalent, full (kg)",             "TNT equivalent, full (grams)"},
            {"arcing_current",            "Arcing current, full (kA)",             "Arcing current, full (kA)"},
            {"voltage",                   "Voltage (V)",                           "Voltage (V)"},
            {"arc_time_reduced",          "Arc duration, reduced (s)",             "Arc duration, reduced (s)"},
            // A length's unit is the row's own, in the column beside it.
            {"gap",                       "Gap",                                   "Gap"},
            {"work_distance_unit",        "Working distance unit",                 "Working distance unit"},
            {"owner",                     "owner",                                 "owner"},
            // clang-format on
        };
        for (const auto& c : cases) QCOMPARE(Heading(c.column), QString(c.heading));
        UnitSettings metric;
        metric.EnergyUnit = IncidentEnergyUnit::JoulesPerCm2, metric.BoundaryUnit = LengthUnit::Millimetres,
        metric.PressureUnit = BlastPressureUnit::Kilopascals, metric.TntUnit = TntMassUnit::Grams;
        study->model().SetUnits(metric);
        for (const auto& c : cases) QCOMPARE(Heading(c.column), QString(c.metricHeading));
        // The filter offers the columns by their headings, in the units shown.
        QCOMPARE(FilterColumnBox()->itemText(Col("incident_energy_governing") + 1),
                 QString("in Incident energy, governing (J/cm2)"));
        // The file and the export keep the column names.
        study->findChild<QAction*>("SaveStudy1")->trigger();
        QCOMPARE(ReadAll(Path("study.csv")), QByteArray(kStudy));
        dialogs->fileNames = {Path("results.csv")};
        study->findChild<QAction*>("ExportResults1")->trigger();
        QVERIFY(ReadAll(Path("results.csv")).startsWith(QByteArray(kStudy).left(QByteArray(kStudy).indexOf('\r')) +
                                                        ",status,message,arcing_current,"));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // The input units of Options, Units are those of the main window's fields:
    // a study row's lengths are in its own unit columns, so a change there
    // leaves every row's meaning, and its energy, as it was.
    void inputUnitsOfTheUnitsWindowLeaveTheRowsAlone() {
        const QByteArray study2018 =
            QByteArray(kStudy)
                .replace("\r\n", ",,,,,\r\n")
                .replace("instantaneous_trip,,,,,", "instantaneous_trip,electrode_configuration,enclosure_height,"
                                                    "enclosure_width,enclosure_depth,enclosure_unit") +
            // Empty unit cells: millimetres, whatever the units window says.
            "D.1,Lee,ieee1584-2018,4160,15,104,,914.4,,,,0.197,0.223,,,,,VCB,1143,762,508,\r\n"
            "D.1 in inches,Lee,ieee1584-2018,4160,15,4.094488188976378,inches,36,inches,,,0.197,0.223,,,,,VCB,45,30,20,inches\r\n";
        OpenExample(study2018);
        const int rows = study->model().rowCount();
        QCOMPARE(rows, 6);
        QCOMPARE(Cell(4, "incident_energy_governing"), QString("3.19"));
        QCOMPARE(Cell(5, "incident_energy_governing"), QString("3.19"));
        QStringList before;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < study->model().columnCount(); ++c) before << study->model().index(r, c).data().toString();
        }
        const QString gapHeading = Heading("gap"), distanceHeading = Heading("work_distance");
        // Options, Units: both input units to inches, Save and close.
        app->main().findChild<QAction*>("Units1")->trigger();
        TFormUnits& units = app->FormUnits();
        for (const char* name : {"Gap_Units", "WD_units"}) {
            auto* box = units.findChild<QComboBox*>(name);
            QVERIFY(box);
            box->setCurrentIndex(box->findText("inches"));
        }
        units.findChild<QPushButton*>("Button1")->click();
        QCOMPARE(app->Units().GapUnit, LengthUnit::Inches);
        study->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(study));
        QStringList after;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < study->model().columnCount(); ++c) after << study->model().index(r, c).data().toString();
        }
        QCOMPARE(after, before);
        QCOMPARE(Heading("gap"), gapHeading);
        QCOMPARE(Heading("work_distance"), distanceHeading);
        QVERIFY(!study->IsModified());
        QVERIFY(dialogs->shown.isEmpty());
    }

    // "in all columns" looks in every column from the first keystroke.
    void filterLooksInEveryColumnFromTheStart() {
        OpenExample(ReadAll(ZENTAVO_EXAMPLES_DIR "/plant-study.csv"));
        QCOMPARE(FilterColumnBox()->currentText(), QString("in all columns"));
        // Counted by hand in the plant study: the refused rows, the VCBB points, the rows governed by the reduced case.
        const struct {
            const char* text;
            int rows;
            const char* column;  // where each found row holds it
        } cases[] = {
            {"warning", 4, "status"},
            {"VCBB", 2, "electrode_configuration"},
            {"reduced", 25, "governing"},
        };
        auto& v = study->view();
        for (const auto& c : cases) {
            FilterEdit()->setText(c.text);
            QCOMPARE(v.rowCount(), c.rows);
            for (int r = 0; r < v.rowCount(); ++r) {
                QCOMPARE(v.index(r, Col(c.column)).data().toString(), QString(c.text));
            }
        }
        FilterEdit()->clear();
        QCOMPARE(v.rowCount(), 40);
    }

    // The plant with protective devices: a row naming a fuse curve is refused
    // until File, "Load device curves…" reads the curves file, then every row
    // is computed again; the durations and elements show beside the
    // energies, a capped one says so, and a device cell edits like any other.
    void deviceCurvesLoadAndDeviceColumnsEdit() {
        OpenExample(ReadAll(ZENTAVO_EXAMPLES_DIR "/plant-study-devices.csv"));
        auto row = [this](const QString& point) {
            for (int r = 0; r < study->model().rowCount(); ++r) {
                if (Cell(r, "point") == point) return r;
            }
            return -1;
        };
        const int bucket = row("MCC-1 bucket 3"), tx = row("Transformer TX-1 secondary");
        QVERIFY(bucket >= 0 && tx >= 0);
        QCOMPARE(Cell(bucket, "status"), QString("error"));
        QCOMPARE(Cell(bucket, "arc_time_used"), QString());
        // The durations used stand beside the energies; the network's results,
        // of a study without a network, are not shown.
        auto* table = study->findChild<QTableView*>("StudyTable");
        QCOMPARE(Col("arc_time_used"), Col("incident_energy_reduced") + 1);
        QVERIFY(!table->isColumnHidden(Col("arc_time_used")) && !table->isColumnHidden(Col("device_element")));
        QVERIFY(table->isColumnHidden(Col("bolted_current_max")) && table->isColumnHidden(Col("scenario")));
        // Bad curves: refused with the curve at fault, nothing changes.
        WriteAll(Path("bad-curves.csv"), "name,current,time\nJ-200,400,100\n");
        dialogs->fileNames = {Path("bad-curves.csv")};
        study->findChild<QAction*>("LoadCurves1")->trigger();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown.front().text, QString("curve 'J-200': needs at least two points"));
        dialogs->shown.clear();
        QCOMPARE(Cell(bucket, "status"), QString("error"));

        dialogs->fileNames = {QString(ZENTAVO_EXAMPLES_DIR "/device-curves.csv")};
        study->findChild<QAction*>("LoadCurves1")->trigger();
        QVERIFY(dialogs->shown.isEmpty());
        // J-200 clears 16.76 kA beyond its last point, 4 kA: 0.01 s.
        QCOMPARE(Cell(bucket, "status"), QString("ok"));
        QCOMPARE(Cell(bucket, "arc_time_used"), QString("0.01"));
        QCOMPARE(Cell(bucket, "device_element"), QString("curve"));
        QCOMPARE(Cell(tx, "arc_time_used"), QString("2"));
        QCOMPARE(Cell(tx, "device_element"), QString("capped"));
        // Labels… with the curves loaded: a page for every computed row, the
        // rows naming a curve among them.
        dialogs->exportAnswers = {{}};
        dialogs->fileNames = {Path("labels.pdf")};
        study->findChild<QAction*>("StudyLabels1")->trigger();
        const QString info = RunPdfTool("pdfinfo", {Path("labels.pdf")});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(study->model().ComputedRows()))),
                 qPrintable(info));
        QVERIFY(RunPdfTool("pdftotext", {Path("labels.pdf"), "-"}).contains("MCC-1 bucket 3"));
        // A maximum of 1.5 s for the transformer's relay: capped there instead.
        QVERIFY(Type(tx, "max_arc_time", "1.5"));
        QCOMPARE(Cell(tx, "arc_time_used"), QString("1.5"));
        QCOMPARE(Cell(tx, "device_element_reduced"), QString("capped"));
        // A typed duration beside the device: one source of truth.
        QVERIFY(Type(tx, "arc_time", "0.2"));
        QCOMPARE(Cell(tx, "status"), QString("error"));
        QCOMPARE(Cell(tx, "arc_time_used"), QString());
    }

    // View, "Time-current curve": beside the table, the current row's device
    // curve with the row's arcing currents marked on it at the durations the
    // table shows; a row without a device, or refused, says why; an edit of
    // the device's setting draws the picture for the new results.
    void timeCurrentPictureOfTheCurrentRow() {
        OpenExample(ReadAll(ZENTAVO_EXAMPLES_DIR "/plant-study-devices.csv"));
        auto* show = study->findChild<QAction*>("ShowCurve1");
        QVERIFY(show && show->text().contains(QStringLiteral("&c")));
        show->trigger();
        auto* view = Child<TimeCurrentView>(*study, "TimeCurrentView");
        auto* why = Child<QLabel>(*study, "NoCurveText");
        auto select = [this](const char* point) {
            for (int r = 0; r < study->model().rowCount(); ++r) {
                if (Cell(r, "point") != QLatin1String(point)) continue;
                StudyTable()->setCurrentIndex(study->view().mapFromSource(study->model().index(r, 0)));
                return r;
            }
            return -1;
        };
        // The picture as painted: each mark where the curve meets the row's
        // duration at the current the row computed (the table rounds it).
        auto checkPicture = [&](int row) {
            QTRY_VERIFY(view->isVisible());
            QVERIFY(!why->isVisible() && view->Plot());
            const render::TimeCurrentPlot& plot = *view->Plot();
            const QImage image = view->grab().toImage();
            const QRectF area(view->rect());
            const char* times[2] = {"arc_time_used", "arc_time_reduced_used"};
            const char* currents[2] = {"arcing_current", "arcing_current_reduced"};
            QCOMPARE(int(plot.marks.size()), 2);
            for (int c = 0; c < 2; ++c) {
                const double seconds = Cell(row, times[c]).toDouble();
                const render::TimeCurrentMark& m = plot.marks[static_cast<std::size_t>(c)];
                QVERIFY2(std::abs(m.amps - Cell(row, currents[c]).toDouble() * 1000) <= 5, times[c]);
                const QPointF at = render::MapToPicture(plot, area, m.amps, seconds);
                QVERIFY2(PaintedNear(image, at, render::kCurveRgb), times[c]);
                QVERIFY2(PaintedNear(image, at + QPointF(5, 0), render::kMarkRgb), times[c]);
            }
        };
        struct Row {
            const char* point;
            const char* why;  // empty: a picture
        };
        // clang-format off
        const Row rows[] = {
            {"SWGR-2 4.16 kV feeder 3", ""},
            {"SWGR-1 feeder F2",        ""},
            {"Panel LP-1B 208 V",       "This point has no protective device"},
            {"USS-A feeder breaker A2", "This point has no protective device"},
            {"MCC-1 bucket 3",          "This point is refused, so its device has no curve to show: fuse_curve"},
        };
        // clang-format on
        for (const Row& r : rows) {
            const int row = select(r.point);
            QVERIFY2(row >= 0, r.point);
            QCOMPARE(Child<QLabel>(*study, "CurvePoint")->text(), QString(r.point));
            if (*r.why) {
                QVERIFY2(!view->isVisible() && why->isVisible(), r.point);
                QVERIFY2(why->text().startsWith(QString(r.why)), qPrintable(why->text()));
                continue;
            }
            checkPicture(row);
            if (QTest::currentTestFailed()) return;
        }

        // The feeder's relay at twice the time dial: flat above 20 times its
        // pickup, its curve's time doubles; the breaker's 0.083 s stays.
        const int f2 = select("SWGR-1 feeder F2");
        const double before = Cell(f2, "arc_time_used").toDouble();
        QVERIFY(Type(f2, "relay_time_dial", "0.5"));
        const double after = Cell(f2, "arc_time_used").toDouble();
        QVERIFY2(std::abs((after - 0.083) - 2 * (before - 0.083)) <= 0.0002,
                 qPrintable(QStringLiteral("%1 then %2").arg(before).arg(after)));
        checkPicture(f2);
    }

    // Several rows selected: the dock draws their devices together, each
    // curve through its own row's marks (named by the row, at the currents
    // the row computed) in a colour of its own, and names the rows it
    // leaves out and why. Export picture… writes the picture as PNG or SVG
    // by the name's extension, never over the study's own file.
    void selectedRowsShareThePictureAndItExports() {
        OpenExample(ReadAll(ZENTAVO_EXAMPLES_DIR "/plant-study-devices.csv"));
        study->findChild<QAction*>("ShowCurve1")->trigger();
        auto rowOf = [this](const QString& point) {
            for (int r = 0; r < study->model().rowCount(); ++r) {
                if (Cell(r, "point") == point) return r;
            }
            return -1;
        };
        const QString drawn[] = {"SWGR-2 4.16 kV feeder 3", "SWGR-1 feeder F2",
                                 "USS-A 480 V feeder A4"};
        const QString left[] = {"Panel LP-1B 208 V", "MCC-1 bucket 3"};
        QItemSelection selection;
        for (const QStringList& names : {QStringList(std::begin(drawn), std::end(drawn)), QStringList(std::begin(left), std::end(left))}) {
            for (const QString& name : names) {
                const QModelIndex at = study->view().mapFromSource(study->model().index(rowOf(name), 0));
                QVERIFY2(at.isValid(), qPrintable(name));
                selection.select(at, at);
            }
        }
        StudyTable()->setCurrentIndex(selection.indexes().front());
        StudyTable()->selectionModel()->select(selection, QItemSelectionModel::Select);
        auto* view = Child<TimeCurrentView>(*study, "TimeCurrentView");
        QTRY_VERIFY(view->isVisible() && view->Plot());
        // The dock floated and made large, as for a look at three devices' marks.
        auto* dock = Child<QDockWidget>(*study, "CurveDock");
        dock->setFloating(true);
        dock->resize(900, 700);
        QTRY_VERIFY(view->width() > 800);
        QCOMPARE(Child<QLabel>(*study, "CurvePoint")->text(), QString("5 selected points"));
        const QString why = Child<QLabel>(*study, "NoCurveText")->text();
        QVERIFY2(why.contains("Panel LP-1B 208 V has no protective device.") && why.contains("MCC-1 bucket 3 is refused: "),
                 qPrintable(why));
        // Their currents at one voltage, the lowest of theirs until another is chosen.
        auto* volts = Child<QComboBox>(*study, "CurveVoltsBox");
        QVERIFY(volts->isVisible() && volts->isEnabled());
        QCOMPARE(volts->count(), 3);
        QCOMPARE(volts->currentText(), QString("480 V"));
        QCOMPARE(view->Plot()->currentTitle, QString("Current (A) at 480 V"));
        volts->setCurrentIndex(volts->findText("13800 V"));
        QCOMPARE(view->Plot()->currentTitle, QString("Current (A) at 13800 V"));
        volts->setCurrentIndex(0);
        const render::TimeCurrentPlot plot = *view->Plot();
        QCOMPARE(plot.referenceVolts, 480.0);
        QCOMPARE(int(plot.others.size()), 3);
        QCOMPARE(int(plot.marks.size()), 6);
        QVERIFY(plot.others[0].rgb != plot.others[1].rgb);
        const QImage image = view->grab().toImage();
        // A picture wider than 640 pixels is laid out at 640 and scaled up whole.
        const double scale = view->width() / 640.0;
        const QRectF area = render::LayOutTimeCurrentTable(
                                plot, QRectF(QPointF(0, 0), QSizeF(view->size()) / scale),
                                QFontMetricsF(render::TimeCurrentFont(view->font()), view))
                                .axes;
        for (const QString& name : drawn) {
            const int row = rowOf(name);
            const auto curve = std::find_if(plot.others.begin(), plot.others.end(),
                                            [&](const render::TimeCurrentCurve& c) { return c.name.startsWith(name + ": "); });
            QVERIFY2(curve != plot.others.end(), qPrintable(name));
            // Its full and reduced arcing currents, each marked on its own curve in its colour.
            const char* currents[2] = {"arcing_current", "arcing_current_reduced"};
            int marked = 0;
            for (const render::TimeCurrentMark& m : plot.marks) {
                if (!m.text.startsWith(name + ", ")) continue;
                // At 480 V: the device's current times its row's voltage over 480 V.
                const double ratio = Cell(row, "voltage").toDouble() / 480;
                QVERIFY2(std::abs(m.amps - Cell(row, currents[marked]).toDouble() * 1000 * ratio) <=
                             5 * ratio,
                         qPrintable(m.text));
                QCOMPARE(m.rgb, curve->rgb);
                QVERIFY2(
                    PaintedNear(image, render::MapToPicture(plot, area, m.amps, m.seconds) * scale,
                                curve->rgb),
                    qPrintable(m.text));
                ++marked;
            }
            QCOMPARE(marked, 2);
        }

        // The exports, each through the button: PNG and SVG by the name's extension.
        const QByteArray studyBytes = ReadAll(Path("study.csv"));
        auto* button = Child<QPushButton>(*study, "ExportCurveButton");
        struct Export {
            const char* name;
            bool written;
        };
        const Export exports[] = {{"curves.png", true}, {"curves.svg", true}, {"study.csv", false}, {"curves.jpg", false}};
        for (const Export& e : exports) {
            dialogs->Clear();
            dialogs->fileNames = {Path(e.name)};
            button->click();
            QCOMPARE(dialogs->fileDialogs.size(), 1);
            QCOMPARE(dialogs->shown.size(), e.written ? 0 : 1);
            if (!e.written) QCOMPARE(dialogs->shown.front().kind, QString("Error"));
        }
        QCOMPARE(ReadAll(Path("study.csv")), studyBytes);
        QVERIFY(!QFile::exists(Path("curves.jpg")));
        const QImage png(Path("curves.png"), "PNG");
        QCOMPARE(png.size(), QSize(1200, 800));
        for (const render::TimeCurrentCurve& c : plot.others) {
            int painted = 0;
            for (int y = 0; y < png.height(); y += 2) {
                for (int x = 0; x < png.width(); x += 2) painted += NearColour(png.pixel(x, y), QRgb(c.rgb)) ? 1 : 0;
            }
            QVERIFY2(painted > 100, qPrintable(c.name));
        }
        QFile svg(Path("curves.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray svgBytes = svg.readAll();
        QXmlStreamReader xml(svgBytes);
        QString texts;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text")) texts += xml.readElementText(QXmlStreamReader::IncludeChildElements) + '\n';
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        for (const QString& name : drawn) QVERIFY2(texts.contains(name + ", Iarc"), qPrintable(texts));
        QVERIFY2(texts.contains("Current (A) at 480 V") && !texts.contains(QChar(0x2026)),
                 qPrintable(texts));

        // One row without a device: nothing to export.
        StudyTable()->setCurrentIndex(study->view().mapFromSource(study->model().index(rowOf(left[0]), 0)));
        QTRY_VERIFY(!view->isVisible());
        QVERIFY(!button->isEnabled() && !study->findChild<QAction*>("ExportCurve1")->isEnabled());
    }

    // The governing case's columns come first, and sorting by its energy
    // orders the rows as their tints: a row governed by its reduced case
    // (3.43 full, 17.71 reduced cal/cm2) stands among the PPE 3 rows.
    void governingColumnsSortAsTheTint() {
        OpenExample(ReadAll(ZENTAVO_EXAMPLES_DIR "/plant-study.csv"));
        QTableView* table = StudyTable();
        QCOMPARE(table->horizontalHeader()->logicalIndex(1), Col("incident_energy_governing"));
        QCOMPARE(table->horizontalHeader()->logicalIndex(2), Col("flash_boundary_governing"));
        QCOMPARE(table->horizontalHeader()->logicalIndex(3), Col("ppe_level_governing"));
        table->sortByColumn(Col("incident_energy_governing"), Qt::DescendingOrder);
        auto& v = study->view();
        const QStringList levels = {"N/A", "4", "3", "2", "1", "0"};
        int lastRank = 0;
        QColor lastTint;
        int feederA4 = -1;
        for (int r = 0; r < v.rowCount(); ++r) {
            const QString level = v.index(r, Col("ppe_level_governing")).data().toString();
            if (level.isEmpty()) break;  // the refused rows, last
            const int rank = static_cast<int>(levels.indexOf(level));
            QVERIFY2(rank >= lastRank, qPrintable(QString("row %1: PPE %2").arg(r).arg(level)));
            const QColor tint = v.index(r, 0).data(Qt::BackgroundRole).value<QBrush>().color();
            if (rank == lastRank && r > 0) QCOMPARE(tint, lastTint);
            if (rank != lastRank) QVERIFY(tint != lastTint);
            lastRank = rank, lastTint = tint;
            if (v.index(r, Col("point")).data().toString() == "USS-A 480 V feeder A4") feederA4 = r;
        }
        QVERIFY(feederA4 > 0);
        QCOMPARE(v.index(feederA4, Col("incident_energy")).data().toString(), QString("3.43"));
        QCOMPARE(v.index(feederA4, Col("incident_energy_governing")).data().toString(), QString("17.71"));
        for (int r : {feederA4 - 1, feederA4 + 1}) QCOMPARE(v.index(r, Col("ppe_level_governing")).data().toString(), QString("3"));
    }

    // The point column: kept in view when the table scrolls sideways, and as
    // wide as "New point" in a new study.
    void thePointColumnStaysReadable() {
        OpenExample();
        study->resize(700, 400);
        QVERIFY(QTest::qWaitForWindowExposed(study));
        QTableView* table = StudyTable();
        QScrollBar* bar = table->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        // What the user sees at the left of the first row, below the heading.
        const QRect first = table->visualRect(study->view().index(0, 0));
        const QPoint where = table->viewport()->mapTo(table, QPoint(5, first.center().y()));
        QWidget* shown = table->childAt(where);
        QVERIFY(shown);
        auto* view = qobject_cast<QTableView*>(shown->parentWidget());
        QVERIFY(view);
        const QModelIndex cell = view->indexAt(shown->mapFrom(table, where));
        QCOMPARE(cell.column(), 0);
        QCOMPARE(cell.data().toString(), QString("MCC-1"));
        // A new study: the first row's name is not cut.
        app->main().findChild<QAction*>("NewStudy1")->trigger();
        TStudy* fresh = nullptr;
        for (TStudy* w : OpenStudyWindows()) {
            if (w != study) fresh = w;
        }
        QVERIFY(fresh);
        QVERIFY(QTest::qWaitForWindowExposed(fresh));
        fresh->findChild<QAction*>("AddRow1")->trigger();
        QCOMPARE(fresh->view().index(0, 0).data().toString(), QString("New point"));
        // The width the cell's text asks for, as the table measures it.
        QTableView* freshTable = Child<QTableView>(*fresh, "StudyTable");
        const int needed = static_cast<QAbstractItemView*>(freshTable)->sizeHintForColumn(0);
        QVERIFY2(needed <= freshTable->columnWidth(0),
                 qPrintable(QString("%1 > %2").arg(needed).arg(freshTable->columnWidth(0))));
    }

    // Names sort as people count: "#2" before "#10".
    void namesSortNaturally() {
        OpenExample("point,method\r\n#10,fuse\r\nBus 10,fuse\r\n#2,fuse\r\nBus 9,fuse\r\n#1,fuse\r\nbus 11,fuse\r\n");
        StudyTable()->sortByColumn(Col("point"), Qt::AscendingOrder);
        QStringList names;
        for (int r = 0; r < study->view().rowCount(); ++r) names << study->view().index(r, Col("point")).data().toString();
        QCOMPARE(names, QStringList({"#1", "#2", "#10", "Bus 9", "Bus 10", "bus 11"}));
    }

    void commaLocaleShowsAndKeepsNumbers() {
        StudyFile file = StudyFile::Parse(kStudy, StudyOptions{});
        StudyModel model(std::move(file), ',');
        const int t = model.ColumnNamed("arc_time");
        QCOMPARE(model.data(model.index(0, t), Qt::DisplayRole).toString(), QString("0,2"));
        QVERIFY(model.setData(model.index(0, t), "0,5", Qt::EditRole));
        QCOMPARE(model.file().Field(0, model.file().Columns()[kArcTimeColumn]), std::string("0.5"));
        QCOMPARE(model.data(model.index(0, t), Qt::DisplayRole).toString(), QString("0,5"));
        // The name and the user's own columns are kept as typed.
        QVERIFY(model.setData(model.index(0, model.ColumnNamed("owner")), "1.5", Qt::EditRole));
        QCOMPARE(model.data(model.index(0, model.ColumnNamed("owner")), Qt::DisplayRole).toString(), QString("1.5"));
        // Results in the user's separator too; words stay words.
        const QString energy = model.data(model.index(0, model.ColumnNamed("incident_energy")), Qt::DisplayRole).toString();
        QVERIFY2(energy.contains(',') && !energy.contains('.'), qPrintable(energy));
        QVERIFY(model.data(model.index(0, model.ColumnNamed("clothing_2")), Qt::DisplayRole).toString().endsWith('.'));
    }

    void closingWithChangesAsksFirst() {
        OpenExample();
        QVERIFY(Type(0, "voltage", "600"));
        dialogs->saveAnswers = {SaveAnswer::Cancel};
        QVERIFY(!study->close());
        QVERIFY(study->isVisible());
        QCOMPARE(dialogs->shown.size(), 1);
        QVERIFY(dialogs->shown[0].text.contains("study.csv"));
        // Save: the file is written, then the window closes.
        dialogs->saveAnswers = {SaveAnswer::Save};
        QVERIFY(study->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(study.isNull());
        QVERIFY(ReadAll(Path("study.csv")).contains("MCC-1,\"Smith, J.\",empirical,600,"));
        // A new study closes without a question until it is edited.
        app->main().findChild<QAction*>("NewStudy1")->trigger();
        study = OpenStudyWindows().front();
        dialogs->Clear();
        QVERIFY(study->close());
        QVERIFY(dialogs->shown.isEmpty());
    }

    // The program's end with an unsaved study in its real event loop: Cancel
    // keeps both running; Discard lets the program end.
    void exitAsksAboutUnsavedStudies() {
        OpenExample();
        QVERIFY(Type(1, "voltage", "240"));
        dialogs->answers = {true};
        dialogs->saveAnswers = {SaveAnswer::Cancel};
        app->main().findChild<QAction*>("Exit1")->trigger();
        QVERIFY(!app->quitRequested());
        QVERIFY(study->isVisible());
        bool overdue = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            overdue = true;
            QCoreApplication::exit(3);
        });
        watchdog.start(5000);
        dialogs->answers = {true};
        dialogs->saveAnswers = {SaveAnswer::Discard};
        QTimer::singleShot(0, study, [this] { app->main().findChild<QAction*>("Exit1")->trigger(); });
        const int status = QApplication::exec();
        QVERIFY2(!overdue, "the event loop was still running 5 s after the exit");
        QCOMPARE(status, 0);
        QVERIFY(ReadAll(Path("study.csv")) == QByteArray(kStudy));  // discarded: the file as it was
    }

    // A save never silently discards what it has not seen: when the study's
    // file was changed by another program since it was read or last saved,
    // or Save as… names a file another window holds open, the window asks
    // first. No saves nothing and keeps the edits; Yes writes the study.
    void aSaveAsksBeforeReplacingWhatTheWindowHasNotSeen() {
        OpenExample();
        const QString own = Path("study.csv"), other = Path("other.csv"), notes = Path("notes.csv");
        WriteAll(other, kStudy);
        QPointer<TStudy> otherWindow = OpenStudyFile(*app, other);
        otherWindow->show();
        WriteAll(notes, "point,method\n");
        auto appendRow = [&] { WriteAll(own, ReadAll(own) + "Added by hand,empirical,480,20,32,mm,455,mm,,,,,,,,\r\n"); };
        // The same length and the same time of change: told by the bytes.
        auto rewriteInPlace = [&] {
            struct stat st {};
            QCOMPARE(stat(QFile::encodeName(own).constData(), &st), 0);
            WriteAll(own, ReadAll(own).replace("MCC-1", "MCC-9"));
            const timespec times[2] = {st.st_atim, st.st_mtim};
            QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(own).constData(), times, 0), 0);
        };
        auto editorHolds = [&] {
            dialogs->fileNames = {notes};
            app->Formedit().OpenFromMain();
        };
        const QString changed = QStringLiteral(
            "The file \"%1\" was changed by another program since it was opened. "
            "Overwrite it, or cancel? (Yes overwrites it, No saves nothing.)");
        const QString held = QStringLiteral(
            "The file \"%1\" is open in another window of Zentavo. Overwrite it, or cancel? "
            "(Yes overwrites it, No saves nothing.)");
        struct Case {
            const char* name;
            std::function<void()> change;  // what happens before the save
            const char* action;
            QString target, question;  // no question: empty
            bool answer;
        };
        // clang-format off
        const Case cases[] = {
            {"a row appended, No",         appendRow,      "SaveStudy1",   own,   changed, false},
            {"then Yes",                   [] {},          "SaveStudy1",   own,   changed, true},
            {"unchanged since that save",  [] {},          "SaveStudy1",   own,   {},      true},
            {"rewritten in place",         rewriteInPlace, "SaveStudy1",   own,   changed, true},
            {"held by a study window, No", [] {},          "SaveStudyAs1", other, held,    false},
            {"held by the editor, Yes",    editorHolds,    "SaveStudyAs1", notes, held,    true},
        };
        // clang-format on
        int volts = 600;
        for (const Case& c : cases) {
            QVERIFY(Type(0, "voltage", QString::number(++volts)));
            c.change();
            const QByteArray before = ReadAll(c.target);
            dialogs->Clear();
            if (c.action == QByteArray("SaveStudyAs1")) dialogs->fileNames = {c.target};
            if (!c.question.isEmpty()) dialogs->answers = {c.answer};
            study->findChild<QAction*>(c.action)->trigger();
            if (c.question.isEmpty()) {
                QVERIFY2(dialogs->shown.isEmpty(), c.name);
            } else {
                QCOMPARE(dialogs->shown.size(), 1);
                QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Confirm"));
                QCOMPARE(dialogs->shown[0].text, c.question.arg(c.target));
            }
            const bool saved = c.question.isEmpty() || c.answer;
            const QByteArray after = ReadAll(c.target);
            QVERIFY2(after == (saved ? QByteArray::fromStdString(study->model().file().Bytes()) : before), c.name);
            QVERIFY2(after.contains(",empirical," + QByteArray::number(volts) + ",") == saved, c.name);
            QCOMPARE(study->IsModified(), !saved);
        }
        QCOMPARE(ReadAll(other), QByteArray(kStudy));
        otherWindow->close();
    }

    // The exports of the study window ask before they write over a file a
    // window holds open, the study's own file included; No writes nothing.
    void anExportAsksBeforeWritingOverAFileAWindowHolds() {
        OpenExample();
        const QString own = Path("study.csv"), notes = Path("notes.csv");
        WriteAll(notes, "point,method\n");
        dialogs->fileNames = {notes};
        app->Formedit().OpenFromMain();
        const QString mine = QStringLiteral(
            "The file \"%1\" is this window's own study. Overwrite it, or cancel? "
            "(Yes overwrites it, No saves nothing.)");
        const QString held = QStringLiteral(
            "The file \"%1\" is open in another window of Zentavo. Overwrite it, or cancel? "
            "(Yes overwrites it, No saves nothing.)");
        // clang-format off
        const struct {
            const char* action;
            QString target, question;
            bool answer;
            QByteArray written;  // how the file written starts
        } cases[] = {
            {"ExportResults1", own,   mine, false, {}},
            {"ExportResults1", own,   mine, true,  "point,owner,"},
            {"StudyLabels1",   notes, held, false, {}},
            {"StudyReport1",   notes, held, true,  "%PDF"},
        };
        // clang-format on
        for (const auto& c : cases) {
            const QByteArray before = ReadAll(c.target);
            dialogs->Clear();
            if (QByteArray(c.action) != "ExportResults1") dialogs->exportAnswers = {{true, StudyRows::All}};
            dialogs->fileNames = {c.target};
            dialogs->answers = {c.answer};
            study->findChild<QAction*>(c.action)->trigger();
            QCOMPARE(dialogs->shown.size(), 1);
            QCOMPARE(dialogs->shown[0].text, c.question.arg(c.target));
            const QByteArray after = ReadAll(c.target);
            if (c.answer) {
                QVERIFY(after.startsWith(c.written));
            } else {
                QCOMPARE(after, before);
            }
        }
    }

    void refusesWhatIsNoStudyFile() {
        // A named pipe: refused at once, never waited on.
        const QString fifo = Path("pipe.csv");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // One byte past the largest study, without writing 128 MiB.
        {
            QFile big(Path("big.csv"));
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.resize((qint64{128} << 20) + 1));
        }
        const struct {
            QString path;
            QString message;
        } cases[] = {
            {fifo, "pipe.csv\" is not a regular file"},
            {Path("missing.csv"), "missing.csv\": No such file or directory"},
            {dir->path(), "\": Is a directory"},
            {Path("big.csv"), "big.csv\" is too large to open: a study window opens files of at most 128 MiB."},
        };
        for (const auto& c : cases) {
            dialogs->Clear();
            dialogs->fileNames = {c.path};
            const auto started = std::chrono::steady_clock::now();
            app->main().findChild<QAction*>("OpenStudy1")->trigger();
            QVERIFY(std::chrono::steady_clock::now() - started < std::chrono::seconds(2));
            QCOMPARE(dialogs->shown.size(), 1);
            QCOMPARE(dialogs->shown[0].kind, QString("Error"));
            QVERIFY2(dialogs->shown[0].text.contains(c.message), qPrintable(dialogs->shown[0].text));
        }
        WriteAll(Path("bad.csv"), "point,method\n\"never closed,fuse\n");
        dialogs->Clear();
        dialogs->fileNames = {Path("bad.csv")};
        app->main().findChild<QAction*>("OpenStudy1")->trigger();
        QCOMPARE(dialogs->shown.size(), 1);
        QVERIFY2(dialogs->shown[0].text.startsWith("bad.csv is not a study: "), qPrintable(dialogs->shown[0].text));
        // A column the study reads, named twice (names match without blanks and case).
        WriteAll(Path("twice.csv"), "point,voltage,method, Voltage\nA,480,fuse,480\n");
        dialogs->Clear();
        dialogs->fileNames = {Path("twice.csv")};
        app->main().findChild<QAction*>("OpenStudy1")->trigger();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].text, QString("twice.csv is not a study: column voltage appears twice"));
        QVERIFY(OpenStudyWindows().empty());
    }

    void exportWritesTheBatchResults() {
        OpenExample();
        dialogs->fileNames = {Path("results.csv")};
        study->findChild<QAction*>("ExportResults1")->trigger();
        QVERIFY(dialogs->shown.isEmpty());
        const QByteArray out = ReadAll(Path("results.csv"));
        const QList<QByteArray> lines = out.split('\n');
        QVERIFY(lines[0].startsWith("point,owner,method,"));
        QVERIFY(lines[0].contains(",status,message,arcing_current,"));
        QVERIFY(lines[1].startsWith("MCC-1,\"Smith, J.\",empirical,480,"));
        QVERIFY(lines[4].contains(",error,"));
        QCOMPARE(dialogs->fileDialogs.back().initialName, Path("study-results.csv"));
    }

    void outputUnitsOfTheUnitsWindowApply() {
        OpenExample();
        const QString cal = Cell(0, "incident_energy");
        QVERIFY(study->model().headerData(Col("incident_energy"), Qt::Horizontal, Qt::DisplayRole).toString().endsWith("(cal/cm2)"));
        auto* energyUnit = app->FormUnits().findChild<QComboBox*>("ComboBox2");
        QVERIFY(energyUnit);
        const int joules = energyUnit->findText("J/cm2");
        QVERIFY(joules >= 0);
        energyUnit->setCurrentIndex(joules);
        study->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(study));
        QTRY_VERIFY(study->model().headerData(Col("incident_energy"), Qt::Horizontal, Qt::DisplayRole).toString().endsWith("(J/cm2)"));
        const double ratio = Cell(0, "incident_energy").toDouble() / cal.toDouble();
        QVERIFY2(ratio > 4.1 && ratio < 4.3, qPrintable(QString::number(ratio)));
    }

    // Labels…: one page per computed point, the name on each: after NFPA
    // 70E on 6 x 4 in unless chosen, the name whole; after CSA Z462 on the
    // page and with the assessment date chosen; the classic label with the
    // name cut to 30 characters, told once. The dialog offers the last choice.
    void labelsOfTheComputedPoints() {
        OpenExample();
        const QString name = "Panel P-4 in the east wing of the old boiler house";
        QVERIFY(Type(1, "point", name));
        struct Case {
            std::optional<LabelStandard> standard;
            std::optional<LabelPageSize> size;
            QDate assessed;
            const char* page;     // pdfinfo's page size
            const char* texts[2]; // on the second page
            bool cutTold;
        };
        const Case cases[] = {
            {{}, {}, {}, "432 x 288 pts", {"WARNING", "Assessment date: "}, false},
            {LabelStandard::CsaZ462, LabelPageSize::In4x4, QDate(2026, 3, 1), "288 x 288 pts",
             {"WARNING", "Date of arc flash risk assessment: 1 Mar 2026"}, false},
            {LabelStandard::Classic, {}, {}, "432 x 288 pts", {"Panel P-4 in the east wing of", "Grounding"}, true},
        };
        for (const Case& c : cases) {
            dialogs->Clear();
            dialogs->exportAnswers = {{.standard = c.standard, .size = c.size, .assessmentDate = c.assessed}};
            dialogs->fileNames = {Path("labels.pdf")};
            study->findChild<QAction*>("StudyLabels1")->trigger();
            QCOMPARE(dialogs->fileDialogs.back().initialName, Path("study-labels.pdf"));
            const QString info = RunPdfTool("pdfinfo", {Path("labels.pdf")});
            QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3\\n")), qPrintable(info));
            QVERIFY2(info.contains(c.page), qPrintable(info));
            const QStringList pages = RunPdfTool("pdftotext", {Path("labels.pdf"), "-"}).split('\f');
            QVERIFY(pages.size() >= 3);
            QVERIFY(pages[0].contains("MCC-1"));
            const QString second = QString(pages[1]).replace('\n', ' ');
            for (const char* t : c.texts) QVERIFY2(second.contains(t), qPrintable(t + (" in " + second)));
            // Cut to its first 30 characters (the last a blank) on the classic label alone.
            QCOMPARE(second.contains("wing of t"), !c.cutTold);
            QVERIFY(pages[2].contains("Fused switch"));
            QCOMPARE(dialogs->shown.size(), c.cutTold ? 1 : 0);
            if (c.cutTold) QVERIFY(dialogs->shown[0].text.contains(name));
        }
        // The second dialog offered the first one's choice, the third the second's.
        QCOMPARE(dialogs->exportOffers.size(), 3);
        QCOMPARE(dialogs->exportOffers[1].standard, LabelStandard::Nfpa70e);
        QCOMPARE(dialogs->exportOffers[2].size, LabelPageSize::In4x4);
        QCOMPARE(dialogs->exportOffers[2].assessmentDate, QDate(2026, 3, 1));
    }

    // Cancel in the progress dialog: no file, and an older file of that name as it was.
    void cancelledLabelsLeaveNoFile() {
        OpenExample();
        WriteAll(Path("old.pdf"), "old bytes");
        for (const QString& name : {Path("new.pdf"), Path("old.pdf")}) {
            dialogs->exportAnswers = {{}};
            dialogs->fileNames = {name};
            bool cancelled = false;
            QTimer::singleShot(0, study, [&] {
                if (auto* progress = study->findChild<QProgressDialog*>("StudyProgress")) {
                    progress->cancel();
                    cancelled = true;
                }
            });
            study->findChild<QAction*>("StudyLabels1")->trigger();
            QVERIFY(cancelled);
        }
        QVERIFY(!QFile::exists(Path("new.pdf")));
        QCOMPARE(ReadAll(Path("old.pdf")), QByteArray("old bytes"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files).size(), 2);  // study.csv, old.pdf: no temporary file
        QVERIFY(dialogs->shown.isEmpty());
    }

    // Report… and Print report…: the table of every point and the refused
    // rows, as text, titled as the batch calculator titles the report of the
    // same file: its name without folder or extension.
    void reportAndItsPrint() {
        OpenExample();
        dialogs->exportAnswers = {{.assessmentDate = QDate(2026, 3, 1)}, {}};
        dialogs->fileNames = {Path("report.pdf")};
        study->findChild<QAction*>("StudyReport1")->trigger();
        QVERIFY(dialogs->shown.isEmpty());
        dialogs->printToFile = Path("printed.pdf");
        study->findChild<QAction*>("PrintStudyReport1")->trigger();
        for (const QString& pdf : {Path("report.pdf"), Path("printed.pdf")}) {
            const QString text = RunPdfTool("pdftotext", {"-raw", pdf, "-"});
            // The assessment date given, offered again to the print.
            QVERIFY2(text.simplified().startsWith("study Assessment date: 1 Mar 2026 Arc flash study report "),
                     qPrintable(pdf + ": " + text.left(80)));
            QVERIFY2(RunPdfTool("pdfinfo", {pdf}).contains(QRegularExpression("Title:\\s+study\\n")), qPrintable(pdf));
            for (const char* point : {"MCC-1", "Panel P-4", "Fused switch", "Bad point"}) {
                QVERIFY2(text.contains(point), point);
            }
            QVERIFY2(text.contains("'abc' is not a valid floating point value"), qPrintable(text.right(600)));
        }
    }

    // Labels…, Report… and Print report… take the whole study, the selected
    // rows or the rows the filter shows, in the study's order; the report
    // carries the project, client and author lines given, and the engineer
    // in its Scope, offered again the next time. A cancelled choice asks for
    // no file.
    void labelsAndReportTakeTheRowsChosen() {
        OpenExample();
        auto* table = StudyTable();
        table->selectionModel()->select(study->view().index(2, 1), QItemSelectionModel::Select);
        table->selectionModel()->select(study->view().index(0, 3), QItemSelectionModel::Select);
        dialogs->exportAnswers = {{true,
                                   StudyRows::Selected,
                                   "Substation 4 upgrade",
                                   "ACME Metals",
                                   "J. Smith, P.E.",
                                   {},
                                   {},
                                   QDate(2026, 3, 1),
                                   "R. Ortiz, P.E. 48213"}};
        dialogs->fileNames = {Path("report.pdf")};
        study->findChild<QAction*>("StudyReport1")->trigger();
        QCOMPARE(dialogs->exportOffers.size(), 1);
        const StudyExportChoice offer = dialogs->exportOffers[0];
        QVERIFY(offer.report);
        QCOMPARE(offer.allRows, 4);
        QCOMPARE(offer.selectedRows, 2);
        QCOMPARE(offer.filteredRows, 0);  // no text to look for: no filter
        QString text = RunPdfTool("pdftotext", {"-raw", Path("report.pdf"), "-"}).simplified();
        QVERIFY2(text.startsWith("study Project: Substation 4 upgrade Client: ACME Metals Prepared by: J. Smith, P.E. "
                                 "Assessment date: 1 Mar 2026 Arc flash study report"),
                 qPrintable(text.left(200)));
        QVERIFY(text.contains("2 points of work, 2 computed, 0 refused"));
        QVERIFY2(text.contains("Scope Study: study, report of "), qPrintable(text.left(600)));
        QVERIFY2(text.contains("Engineer: R. Ortiz, P.E. 48213."), qPrintable(text.left(600)));
        QVERIFY(text.indexOf("MCC-1 IEEE 1584-2002 empirical") < text.indexOf("Fused switch IEEE 1584-2002 fuse"));
        QVERIFY(!text.contains("Panel P-4") && !text.contains("Bad point"));

        // The rows the filter shows: two labels.
        FilterColumnBox()->setCurrentIndex(Col("owner") + 1);
        FilterEdit()->setText("Lee");
        dialogs->exportAnswers = {{true, StudyRows::Filtered}};
        dialogs->fileNames = {Path("labels.pdf")};
        study->findChild<QAction*>("StudyLabels1")->trigger();
        QCOMPARE(dialogs->exportOffers.back().filteredRows, 2);
        QVERIFY(!dialogs->exportOffers.back().report);
        const QStringList pages = RunPdfTool("pdftotext", {Path("labels.pdf"), "-"}).split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains("Panel P-4") && pages[1].contains("Fused switch"));

        // The lines given are offered again; the print takes the filter's rows.
        dialogs->exportAnswers = {{true, StudyRows::Filtered, "Substation 4 upgrade"}};
        dialogs->printToFile = Path("printed.pdf");
        study->findChild<QAction*>("PrintStudyReport1")->trigger();
        QCOMPARE(dialogs->exportOffers.back().client, QString("ACME Metals"));
        QCOMPARE(dialogs->exportOffers.back().engineer, QString("R. Ortiz, P.E. 48213"));
        text = RunPdfTool("pdftotext", {"-raw", Path("printed.pdf"), "-"}).simplified();
        // The assessment date given for the report is kept too.
        QVERIFY2(text.startsWith("study Project: Substation 4 upgrade Assessment date: 1 Mar 2026 Arc flash study report"),
                 qPrintable(text.left(200)));
        QVERIFY(text.contains("2 points of work, 2 computed, 0 refused"));
        QVERIFY(text.contains("Panel P-4") && !text.contains("MCC-1"));
        QVERIFY2(text.contains("Engineer: not named."),
                 qPrintable(text.left(600)));  // left empty this time

        // Cancelled: no file asked for, none written.
        const auto fileDialogs = dialogs->fileDialogs.size();
        dialogs->exportAnswers = {{false}, {false}};
        study->findChild<QAction*>("StudyReport1")->trigger();
        study->findChild<QAction*>("StudyLabels1")->trigger();
        QCOMPARE(dialogs->fileDialogs.size(), fileDialogs);
        QVERIFY(dialogs->shown.isEmpty());
    }

    // The program's own dialog for that choice: a choice of no rows greyed,
    // the report's lines typed in, OK.
    void theRowsDialogAsTheUserFillsIt() {
        QtDialogService real;
        for (bool report : {true, false}) {
            StudyExportChoice choice;
            choice.report = report;
            choice.allRows = 40, choice.selectedRows = 0, choice.filteredRows = 12;
            choice.project = "Substation 4 upgrade";
            bool checked = false;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<TStudyExport*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                checked = true;
                QVERIFY(Child<QRadioButton>(*dialog, "AllRowsButton")->isChecked());
                QVERIFY(Child<QRadioButton>(*dialog, "AllRowsButton")->text().contains("40 points"));
                QVERIFY(!Child<QRadioButton>(*dialog, "SelectedRowsButton")->isEnabled());
                QVERIFY(Child<QRadioButton>(*dialog, "FilteredRowsButton")->text().contains("12 points"));
                QCOMPARE(dialog->findChild<QLineEdit*>("ReportProjectEdit") != nullptr, report);
                QCOMPARE(dialog->findChild<QLineEdit*>("EngineerEdit") != nullptr, report);
                Child<QRadioButton>(*dialog, "FilteredRowsButton")->click();
                if (report) {
                    QCOMPARE(Child<QLineEdit>(*dialog, "ReportProjectEdit")->text(), QString("Substation 4 upgrade"));
                    QTest::keyClicks(Child<QLineEdit>(*dialog, "ReportClientEdit"), "ACME Metals");
                    QTest::keyClicks(Child<QLineEdit>(*dialog, "EngineerEdit"),
                                     "  R. Ortiz, P.E. 48213 ");
                }
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            });
            QVERIFY(real.StudyExportSetup(nullptr, choice));
            QVERIFY(checked);
            QCOMPARE(choice.rows, StudyRows::Filtered);
            QCOMPARE(choice.client, QString(report ? "ACME Metals" : ""));
            QCOMPARE(choice.engineer, QString(report ? "R. Ortiz, P.E. 48213" : ""));
        }
    }

    // A message box listing 1 900 names (the names cut on the labels of a
    // large study) shows the first ten and how many more, and fits on a
    // 1024 x 768 screen; the whole list is its details.
    void aLongListInAMessageBoxIsBounded() {
        QStringList names;
        for (int i = 1; i <= 1900; ++i) names << QString("Motor control centre MCC-%1 bucket with a long name").arg(i);
        const QString lead = "These equipment names are longer than 30 characters; their labels show the first 30:";
        QtDialogService real;
        QString text, details;
        int height = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            details = box->detailedText();
            height = box->sizeHint().height();
            box->button(QMessageBox::Ok)->click();
        });
        real.Information(nullptr, lead + "\n" + names.join('\n'));
        const QStringList lines = text.split('\n');
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines[0], lead);
        QCOMPARE(lines.mid(1, 10), names.mid(0, 10));
        QCOMPARE(lines[11], "… and " + QLocale().toString(1890) + " more");
        QCOMPARE(details, lead + "\n" + names.join('\n'));
        QVERIFY2(height > 0 && height < 700, qPrintable(QString::number(height)));
        // A short message is shown whole, with no details.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            details = box->detailedText();
            box->button(QMessageBox::Ok)->click();
        });
        real.Information(nullptr, lead + "\n" + names.mid(0, 10).join('\n'));
        QCOMPARE(text, lead + "\n" + names.mid(0, 10).join('\n'));
        QCOMPARE(details, QString());
    }

    // A study with a network: an edit of a transformer's impedance computes
    // every row downstream again, undo restores them, the convention is a
    // setting of the window, and the network view lists the buses and the tree.
    // Ctrl+D on a row that defines a branch, source or motor asks whether to
    // copy it (a parallel feeder) or only the point, and says what it did; a
    // row that is only a point on its bus duplicates without a question.
    void aDuplicatedNetworkRowAsksWhetherToCopyItsBranch() {
        OpenExample(
            "point,method,voltage,gap,work_distance,equipment_class,grounding,arc_time,arc_time_reduced,"
            "bus,from_bus,branch_type,source_ka,source_xr,source_ka_min,tx_kva,tx_z,tx_xr,cable_length,"
            "cable_r,cable_x,cable_sets,motor_kva\r\n"
            "Utility,empirical,13800,153,910,Switchgear,Grounded,0.2,0.2,UTIL,,source,20,15,12,,,,,,,,\r\n"
            "Main,empirical,480,32,455,Switchgear,Grounded,0.2,0.2,SWG,UTIL,transformer,,,,2000,5.75,6,,,,,\r\n"
            "Motors,empirical,480,25,455,MCC and Panels,Grounded,0.2,0.2,MCC,SWG,cable,,,,,,,60,0.1,0.08,2,300\r\n"
            "Bucket,empirical,480,25,455,MCC and Panels,Grounded,0.2,0.2,MCC,,,,,,,,,,,,,\r\n");
        const QString mcc = Cell(2, "bolted_current_max");
        QCOMPARE(mcc, QString("28.679"));
        auto duplicate = [&](int row) {
            StudyTable()->clearSelection();
            StudyTable()->setCurrentIndex(study->view().index(row, 0));
            study->findChild<QAction*>("DuplicateRows1")->trigger();
        };
        // clang-format off
        const struct {
            DuplicateAnswer answer;
            int rowsAfter;
            bool mccChanges;
            const char* said;
        } cases[] = {
            {DuplicateAnswer::Cancel,     4, false, nullptr},
            {DuplicateAnswer::PointOnly,  5, false, "branch columns left empty"},
            {DuplicateAnswer::CopyBranch, 5, true,  "copied as parallel ones"},
        };
        // clang-format on
        for (const auto& c : cases) {
            dialogs->Clear();
            dialogs->duplicateAnswers = {c.answer};
            duplicate(2);
            QCOMPARE(dialogs->shown.size(), 1);
            QCOMPARE(dialogs->shown[0].kind, QString("DuplicateBranch"));
            QVERIFY2(dialogs->shown[0].text.contains("(Motors)"), qPrintable(dialogs->shown[0].text));
            QCOMPARE(study->model().rowCount(), c.rowsAfter);
            QCOMPARE(Cell(2, "bolted_current_max") != mcc, c.mccChanges);
            if (!c.said) continue;
            QVERIFY2(study->statusBar()->currentMessage().contains(c.said), qPrintable(study->statusBar()->currentMessage()));
            QCOMPARE(Cell(3, "point"), QString("Motors (2)"));
            QCOMPARE(Cell(3, "bus"), QString("MCC"));
            QCOMPARE(Cell(3, "cable_length").isEmpty(), c.answer == DuplicateAnswer::PointOnly);
            QCOMPARE(Cell(3, "status"), QString("ok"));
            study->findChild<QAction*>("UndoStudy1")->trigger();
            QCOMPARE(Cell(2, "bolted_current_max"), mcc);
        }
        dialogs->Clear();
        duplicate(3);  // a point alone on its bus
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(study->model().rowCount(), 5);
        QCOMPARE(Cell(2, "bolted_current_max"), mcc);
    }

    // The arcs of the worked example's MCC (motors on its bus, 0.2 s typed)
    // in steps: the motors stop after 5 cycles, then in one step with the
    // box unchecked (the arc_steps column hidden), and with the motors
    // feeding to the last source the one step's energy again.
    void arcStepsFollowTheWindowsChoice() {
        OpenExample(kWorkedNetwork);
        auto* table = study->findChild<QTableView*>("StudyTable");
        auto* steps = Child<QCheckBox>(*study, "ArcStepsBox");
        auto* decay = Child<QSpinBox>(*study, "MotorDecayBox");
        QVERIFY(steps->isChecked() && decay->isEnabled());
        QCOMPARE(decay->value(), 5);
        QCOMPARE(Cell(2, "arc_steps"), QString("2"));
        QVERIFY(!table->isColumnHidden(Col("arc_steps")));
        // A study without scenarios.
        QVERIFY(table->isColumnHidden(Col("scenario_worst")) &&
                table->isColumnHidden(Col("scenario_energies")));
        // The point's steps in the time-current dock: the motors' 5 cycles,
        // then the rest of the typed 0.2 s; none for the one-step main.
        study->findChild<QAction*>("ShowCurve1")->trigger();
        auto* list = Child<QLabel>(*study, "StepList");
        table->setCurrentIndex(study->view().mapFromSource(study->model().index(2, 0)));
        QTRY_VERIFY(list->isVisible());
        const QStringList lines = list->text().split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QString("Arc cleared in 2 steps:"));
        QVERIFY2(lines[1].startsWith("1. " + Cell(2, "bolted_current_max") + " kA bolted, ") &&
                     lines[1].endsWith("for 0.0833 s: the motors' contribution ended"),
                 qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith("2. ") && lines[2].endsWith(": the arc duration typed"), qPrintable(lines[2]));
        const double inSteps = Cell(2, "incident_energy").toDouble();
        steps->setChecked(false);
        QVERIFY(!decay->isEnabled());
        QVERIFY(table->isColumnHidden(Col("arc_steps")));
        QTRY_VERIFY(!list->isVisible());  // one step: nothing to list
        const QString oneStep = Cell(2, "incident_energy");
        QVERIFY2(oneStep.toDouble() > inSteps, qPrintable(oneStep));
        steps->setChecked(true);
        QCOMPARE(Cell(2, "incident_energy").toDouble(), inSteps);
        decay->setValue(decay->minimum());
        QCOMPARE(decay->text(), QString("to the last source"));
        QCOMPARE(Cell(2, "incident_energy"), oneStep);
        QCOMPARE(Cell(2, "arc_steps"), QString("1"));
    }

    // The worst over the range of arcing currents as the window's choice:
    // its two columns shown only with the box checked, each point's worst
    // there (the typed durations: its governing energy), and gone again.
    void arcCurrentRangeFollowsTheWindowsChoice() {
        OpenExample(kWorkedNetwork);
        auto* table = study->findChild<QTableView*>("StudyTable");
        auto* range = Child<QCheckBox>(*study, "ArcCurrentRangeBox");
        QVERIFY(!range->isChecked());
        QVERIFY(table->isColumnHidden(Col("range_worst_energy")));
        QCOMPARE(Cell(2, "range_worst_energy"), QString());
        range->setChecked(true);
        QVERIFY(study->model().file().Options().arcCurrentRange);
        QVERIFY(!table->isColumnHidden(Col("range_worst_arcing_current")));
        QVERIFY(!table->isColumnHidden(Col("range_worst_energy")));
        QVERIFY(!Cell(2, "range_worst_energy").isEmpty());
        QCOMPARE(Cell(2, "range_worst_energy"), Cell(2, "incident_energy_governing"));
        range->setChecked(false);
        QVERIFY(table->isColumnHidden(Col("range_worst_energy")));
        QCOMPARE(Cell(2, "range_worst_energy"), QString());
    }

    // A point whose arc the tie's breaker and then its main clear: the dock
    // draws the tie's curve beside the main's, in its own colour, names it
    // with the time it opened, and lists the steps and every scenario.
    // The devices of a point's steps at another voltage (a 13.8 kV relay
    // above a 480 V main) drawn at one voltage, the lowest until another
    // is chosen; a device at its transformer's from bus drawn at that bus's
    // voltage among several rows.
    void theStepsDevicesAreDrawnAtOneVoltage() {
        OpenExample(kPrimaryRelay);
        const StudyFile& file = study->model().file();
        for (int r = 1; r < 4; ++r)
            QVERIFY2(file.Result(r).Computed() && file.Result(r).device,
                     qPrintable(Cell(r, "message")));
        study->findChild<QAction*>("ShowCurve1")->trigger();
        StudyTable()->setCurrentIndex(study->view().mapFromSource(study->model().index(2, 0)));
        auto* view = Child<TimeCurrentView>(*study, "TimeCurrentView");
        QTRY_VERIFY(view->isVisible() && view->Plot());
        auto* volts = Child<QComboBox>(*study, "CurveVoltsBox");
        QVERIFY(volts->isVisible() && volts->isEnabled());
        QCOMPARE(volts->count(), 2);
        QCOMPARE(volts->itemText(1), QString("13800 V"));
        QCOMPARE(volts->currentText(), QString("480 V"));
        // Each point of a curve lies where its device's time is at the
        // current it sees: the drawn current times the device's voltage
        // over the picture's (the points of an upright step left out).
        const auto onCurve = [](const std::vector<std::vector<QPointF>>& curve,
                                const ProtectiveDevice& device, double ratio) {
            int checked = 0;
            for (const auto& piece : curve) {
                for (std::size_t k = 0; k < piece.size(); ++k) {
                    const bool step = (k > 0 && piece[k - 1].x() == piece[k].x()) ||
                                      (k + 1 < piece.size() && piece[k + 1].x() == piece[k].x());
                    if (step) continue;
                    const double t = device.TripAt(piece[k].x() * ratio).seconds;
                    if (std::abs(t - piece[k].y()) > 1e-9 * t) return -1;
                    ++checked;
                }
            }
            return checked;
        };
        const ProtectiveDevice& relay = *file.Result(1).device;
        const ProtectiveDevice& main = *file.Result(2).device;
        for (const double at : {480.0, 13800.0}) {
            volts->setCurrentIndex(volts->findData(at));
            const render::TimeCurrentPlot& plot = *view->Plot();
            QCOMPARE(plot.referenceVolts, at);
            QCOMPARE(plot.currentTitle, "Current (A) at " + volts->currentText());
            QCOMPARE(int(plot.others.size()), 1);
            QVERIFY2(plot.others[0].name.startsWith("HV feeder, opens after"),
                     qPrintable(plot.others[0].name));
            QVERIFY(onCurve(plot.others[0].curve, relay, at / 13800) > 10);
            QVERIFY(onCurve(plot.curve, main, at / 480) > 10);
            // The relay's instantaneous step, 500 A at 13.8 kV: its time falls
            // tenfold within half a percent of 500 × 13 800 V over the picture's.
            const double step = 500 * 13800 / at;
            bool upright = false;
            for (const auto& piece : plot.others[0].curve) {
                for (std::size_t k = 1; k < piece.size(); ++k) {
                    upright = upright || (std::abs(piece[k - 1].x() - step) < 0.005 * step &&
                                          std::abs(piece[k].x() - step) < 0.005 * step &&
                                          piece[k].y() < piece[k - 1].y() / 10);
                }
            }
            QVERIFY(upright);
            // The main's marks: the current it saw (its arcing current) times 480 V over the
            // picture's.
            QVERIFY(!plot.marks.empty());
            QVERIFY(std::abs(plot.marks[0].amps - file.Result(2).full.duration->deviceAmps * 480 /
                                                      at) <= 1e-9 * plot.marks[0].amps);
        }
        // The two mains together: the one whose relay sits at its 13.8 kV from bus is drawn, at
        // that voltage.
        QItemSelection both;
        for (int r : {2, 3}) {
            const QModelIndex at = study->view().mapFromSource(study->model().index(r, 0));
            both.select(at, at);
        }
        StudyTable()->selectionModel()->select(
            both, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTRY_COMPARE(Child<QLabel>(*study, "CurvePoint")->text(), QString("2 selected points"));
        volts->setCurrentIndex(volts->findData(480.0));
        const render::TimeCurrentPlot& plot = *view->Plot();
        QCOMPARE(int(plot.others.size()), 2);
        QVERIFY2(plot.others[1].name.startsWith("Main 2: "), qPrintable(plot.others[1].name));
        QVERIFY(onCurve(plot.others[1].curve, *file.Result(3).device, 480.0 / 13800) > 10);
        QVERIFY(!Child<QLabel>(*study, "NoCurveText")->isVisible());
    }

    void theDevicesOpeningInTheStepsShareThePicture() {
        OpenExample(kDoubleEnded);
        QCOMPARE(Cell(1, "scenario_worst"), QString("tie-closed"));
        QVERIFY(!StudyTable()->isColumnHidden(Col("scenario_worst")));
        QCOMPARE(Cell(1, "arc_steps"), QString("2"));
        // Every scenario's energy in a column of its own, the worst's the
        // point's; the tie's own branch is in tie-closed alone.
        QVERIFY(!StudyTable()->isColumnHidden(Col("scenario_energies")));
        QCOMPARE(Heading("scenario_energies"),
                 QString("Incident energy in each scenario (cal/cm2)"));
        const QStringList each = Cell(1, "scenario_energies").split("; ");
        QCOMPARE(each.size(), 3);
        QVERIFY2(each[0].startsWith("normal ") && each[1].startsWith("maint "),
                 qPrintable(each.join('|')));
        QCOMPARE(each[2], "tie-closed " + Cell(1, "incident_energy_governing"));
        QCOMPARE(Cell(3, "scenario_energies"),
                 "normal without its branch; maint without its branch; tie-closed " +
                     Cell(3, "incident_energy_governing"));
        study->findChild<QAction*>("ShowCurve1")->trigger();
        StudyTable()->setCurrentIndex(study->view().mapFromSource(study->model().index(1, 0)));
        auto* view = Child<TimeCurrentView>(*study, "TimeCurrentView");
        QTRY_VERIFY(view->isVisible() && view->Plot());
        const render::TimeCurrentPlot& plot = *view->Plot();
        QCOMPARE(int(plot.others.size()), 1);
        QVERIFY2(plot.others[0].name.startsWith("Tie, opens after 0.2"), qPrintable(plot.others[0].name));
        const QImage image = view->grab().toImage();
        const QRectF area(view->rect());
        // Its curve is painted where it lies: its long-time band (2 000 A
        // pickup) below the main's (3 000 A) at the same current.
        std::optional<QPointF> tie;
        for (const auto& piece : plot.others[0].curve) {
            for (const QPointF& at : piece) {
                if (at.x() > 4000 && at.x() < 6000) tie = at;
            }
        }
        QVERIFY(tie);
        const QPointF at = render::MapToPicture(plot, area, tie->x(), tie->y());
        QVERIFY(PaintedNear(image, at, render::OtherCurveRgb(0)));
        QVERIFY(!PaintedNear(image, at, render::kCurveRgb));
        const QStringList lines = Child<QLabel>(*study, "StepList")->text().split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY2(lines[1].endsWith(": the device of Tie opened"), qPrintable(lines[1]));
        QVERIFY2(lines[2].endsWith(": the device of Main A opened"), qPrintable(lines[2]));
        QVERIFY2(lines[3].startsWith("Worst scenario: tie-closed (normal ") && lines[3].contains(", maint "),
                 qPrintable(lines[3]));
    }

    // Labels… offers the labels' language, the desktop's until another is
    // chosen, and their numbers follow it: the desktop's decimal separator
    // in the desktop's language, the language's own in another. The
    // program's own dialog under the event loop, chosen from the keyboard
    // (Alt+L, Home, Down…, Return).
    void labelsInTheDesktopsLanguage_data() {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<int>("offered");  // LabelLanguage
        QTest::addColumn<int>("chosen");   // -1: as offered
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("sep");
        // clang-format off
        QTest::newRow("English")                  << "en_US" << int(kEnglish) << -1            << "Incident energy"   << ".";
        QTest::newRow("Spanish")                  << "es_ES" << int(kSpanish) << -1            << "Energía incidente" << ",";
        QTest::newRow("Spanish, English chosen")  << "es_ES" << int(kSpanish) << int(kEnglish) << "Incident energy"   << ".";
        QTest::newRow("Mexican Spanish")          << "es_MX" << int(kSpanish) << -1            << "Energía incidente" << ".";
        QTest::newRow("French")                   << "fr_FR" << int(kFrench)  << -1            << "Énergie incidente" << ",";
        QTest::newRow("French, Spanish chosen")   << "fr_FR" << int(kFrench)  << int(kSpanish) << "Energía incidente" << ",";
        QTest::newRow("German: no German labels") << "de_DE" << int(kEnglish) << -1            << "Incident energy"   << ".";
        // clang-format on
    }
    void labelsInTheDesktopsLanguage() {
        QFETCH(QString, desktop);
        QFETCH(int, offered);
        QFETCH(int, chosen);
        QFETCH(QString, words);
        QFETCH(QString, sep);
        struct Restore {
            QLocale locale;
            ~Restore() { QLocale::setDefault(locale); }
        } restore{QLocale()};
        QLocale::setDefault(QLocale(desktop));
        OpenExample();
        int shown = -1;
        dialogs->exportDialog = [&](QWidget* parent, StudyExportChoice& choice) {
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<TStudyExport*>(QApplication::activeModalWidget());
                if (!dialog || !QTest::qWaitForWindowActive(dialog)) return;
                auto* box = Child<QComboBox>(*dialog, "LabelLanguageBox");
                shown = box->currentIndex();
                if (chosen >= 0) {
                    QTest::keyClick(dialog, Qt::Key_L, Qt::AltModifier);
                    if (QApplication::focusWidget() != box) return;
                    QTest::keyClick(box, Qt::Key_Home);
                    for (int i = 0; i < chosen; ++i) QTest::keyClick(box, Qt::Key_Down);
                }
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
            return QtDialogService().StudyExportSetup(parent, choice);
        };
        dialogs->fileNames = {Path("labels.pdf")};
        study->findChild<QAction*>("StudyLabels1")->trigger();
        dialogs->exportDialog = nullptr;
        QCOMPARE(shown, offered);
        QCOMPARE(int(dialogs->exportOffers.back().language), offered);
        QVERIFY2(dialogs->shown.isEmpty(),
                 qPrintable(dialogs->shown.isEmpty() ? QString() : dialogs->shown[0].text));
        const QStringList pages =
            RunPdfTool("pdftotext", {Path("labels.pdf"), "-"}).split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 3);  // the three points computed
        const QString page = pages[0].simplified();
        QString energy = Cell(0, "incident_energy_governing");
        energy.replace(',', '.').replace('.', sep);
        QVERIFY2(
            page.contains("MCC-1") && page.contains(words) && page.contains(energy + " cal/cm²"),
            qPrintable(energy + ": " + page));
        // Chosen once, offered again.
        if (chosen >= 0) {
            dialogs->exportAnswers = {{false}};
            study->findChild<QAction*>("StudyLabels1")->trigger();
            QCOMPARE(int(dialogs->exportOffers.back().language), chosen);
        }
    }

    // The plant example's main at unit substation A, labelled alone: its
    // label carries the line side's energy (the feeder's relay clears it,
    // far slower) and says so, though the line-side row is not chosen.
    void aMainsLabelCarriesItsLineSide() {
        OpenExample(ReadAll(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"));
        int main = -1, line = -1;
        for (int r = 0; r < study->model().rowCount(); ++r) {
            if (Cell(r, "point") == "Unit substation A 480 V main") main = r;
            if (Cell(r, "point") == "Unit substation A 480 V main, line side") line = r;
        }
        QVERIFY(main >= 0 && line >= 0);
        QVERIFY2(Cell(line, "incident_energy_governing").toDouble() > Cell(main, "incident_energy_governing").toDouble(),
                 qPrintable(Cell(line, "incident_energy_governing")));
        StudyTable()->selectionModel()->select(study->view().mapFromSource(study->model().index(main, 1)),
                                               QItemSelectionModel::Select);
        dialogs->exportAnswers = {{true, StudyRows::Selected}};
        dialogs->fileNames = {Path("labels.pdf")};
        study->findChild<QAction*>("StudyLabels1")->trigger();
        const QStringList pages = RunPdfTool("pdftotext", {Path("labels.pdf"), "-"}).split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 1);
        QVERIFY2(pages[0].contains("Unit substation A 480 V main") && !pages[0].contains("line side,") &&
                     pages[0].contains(Cell(line, "incident_energy_governing") + " cal/cm²") &&
                     pages[0].contains("Section: the line side governs"),
                 qPrintable(pages[0]));
    }

    // A network study's rows computed again show their progress; Stop ends
    // it, the rows not reached are left without results (never with those
    // of other inputs) and Compute again gives them back. Several cells
    // cleared at once, and their undo, compute the network once each.
    void aLongComputationShowsItsProgressAndStops() {
        OpenExample(ReadAll(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"));
        StudyModel& model = study->model();
        const int rows = model.rowCount(), computed = model.ComputedRows();
        const int last = rows - 1;
        const QString lastEnergy = Cell(last, "incident_energy_governing");
        QVERIFY(rows > 20 && !lastEnergy.isEmpty());
        // Shown at once and drawn at every row; Stop pressed as the tenth row comes.
        study->findChild<ComputeProgress*>()->SetPace(0, 0);
        QTimer stopper;
        int seen = 0;
        connect(&stopper, &QTimer::timeout, [&] {
            auto* dialog = study->findChild<QProgressDialog*>("ComputeProgress");
            if (!dialog || !dialog->isVisible()) return;
            seen = std::max(seen, dialog->value());
            if (dialog->value() >= 10) QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        });
        stopper.start(0);
        study->findChild<QAction*>("ComputeAgain1")->trigger();
        stopper.stop();
        QVERIFY2(seen >= 10, qPrintable(QString::number(seen)));
        QVERIFY(model.ComputedRows() <= 10);
        QCOMPARE(Cell(last, "status"), QString("error"));
        QCOMPARE(Cell(last, "incident_energy_governing"), QString());
        QVERIFY(model.data(model.index(last, 0), Qt::ToolTipRole).toString().contains("the calculation was stopped"));
        QVERIFY2(study->statusBar()->currentMessage().contains("not computed"), qPrintable(study->statusBar()->currentMessage()));
        study->findChild<QAction*>("ComputeAgain1")->trigger();
        QCOMPARE(model.ComputedRows(), computed);
        QCOMPARE(Cell(last, "incident_energy_governing"), lastEnergy);
        QVERIFY(study->findChild<QProgressDialog*>("ComputeProgress") == nullptr);

        int starts = 0;
        model.SetProgress([&](std::size_t done, std::size_t) {
            starts += done == 0;
            return true;
        });
        // Cells of the network (cable lengths) computed once each way; the
        // points' own (working distances) each row alone, never every row,
        // their energies shown as the file read afresh gives them.
        const struct {
            const char* column;
            int starts;
        } clears[] = {{"cable_length", 1}, {"work_distance", 0}};
        for (const auto& c : clears) {
            starts = 0;
            QItemSelection cells;
            for (int r = 0; r < 4; ++r) {
                const QModelIndex at = study->view().mapFromSource(model.index(r, Col(c.column)));
                cells.select(at, at);
            }
            StudyTable()->selectionModel()->select(cells, QItemSelectionModel::ClearAndSelect);
            StudyTable()->setFocus();
            study->findChild<QAction*>("ClearCells1")->trigger();
            QCOMPARE(starts, c.starts);
            const StudyFile fresh = StudyFile::Parse(model.file().Bytes(), model.file().Options());
            for (int r = 0; r < 4; ++r)
                QCOMPARE(Cell(r, "incident_energy_governing"),
                         QString::fromStdString(fresh.Cells(std::size_t(r))[kIncidentEnergyGoverningColumn]));
            study->findChild<QAction*>("UndoStudy1")->trigger();
            QCOMPARE(starts, 2 * c.starts);
            QCOMPARE(Cell(last, "incident_energy_governing"), lastEnergy);
        }
    }

    void aNetworkEditComputesTheRowsDownstream() {
        // The worked example: 13.8 kV utility 20 kA X/R 15 (12 kA minimum),
        // 2 000 kVA 5.75 % X/R 6 to SWG, 60 m of 2 sets to an MCC with 300 kVA of motors.
        OpenExample(kWorkedNetwork);
        QCOMPARE(Cell(1, "bolted_current_max"), QString("40.774"));
        QCOMPARE(Cell(2, "bolted_current_max"), QString("28.679"));
        auto* table = study->findChild<QTableView*>("StudyTable");
        QVERIFY(!table->isColumnHidden(Col("bolted_current_max")) && table->isColumnHidden(Col("arc_time_used")));
        // A device typed on the MCC: the study has devices now, and shows their results.
        QVERIFY(Type(2, "device_type", "relay"));
        QVERIFY(!table->isColumnHidden(Col("arc_time_used")));
        study->findChild<QAction*>("UndoStudy1")->trigger();
        const QString mccEnergy = Cell(2, "incident_energy");
        // 8 % instead of 5.75 %: by hand 30.345 kA at SWG, 23.379 kA at the MCC.
        QVERIFY(Type(1, "tx_z", "8"));
        QCOMPARE(Cell(1, "bolted_current_max"), QString("30.345"));
        QCOMPARE(Cell(2, "bolted_current_max"), QString("23.379"));
        QVERIFY(Cell(2, "incident_energy") != mccEnergy);
        QCOMPARE(Cell(0, "bolted_current_min"), QString("12.000"));  // the source's own bus, minimum
        study->findChild<QAction*>("UndoStudy1")->trigger();
        QCOMPARE(Cell(1, "bolted_current_max"), QString("40.774"));
        QCOMPARE(Cell(2, "bolted_current_max"), QString("28.679"));
        QCOMPARE(Cell(2, "incident_energy"), mccEnergy);

        // Its labels: one a point, each with the current of the case that gave its results.
        dialogs->exportAnswers = {{true, StudyRows::All, {}, {}, {}, LabelStandard::Classic}};
        dialogs->fileNames = {Path("labels.pdf")};
        study->findChild<QAction*>("StudyLabels1")->trigger();
        const QStringList pages = RunPdfTool("pdftotext", {Path("labels.pdf"), "-"}).split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 3);
        QVERIFY2(pages[1].contains("Main") && pages[1].contains("40.774"), qPrintable(pages[1]));

        // The network view: every bus with its currents, and the tree.
        study->findChild<QAction*>("NetworkView1")->trigger();
        auto* view = study->findChild<QDialog*>("NetworkView");
        QVERIFY(view && view->isVisible());
        auto* buses = Child<QTableWidget>(*view, "NetworkBusTable");
        QCOMPARE(buses->rowCount(), 3);
        // clang-format off
        const QStringList expected[] = {
            {"UTIL", "13800", "20.059", "12.000"},
            {"SWG",  "480",   "40.774", "37.330"},
            {"MCC",  "480",   "28.679", "26.194"},
        };
        // clang-format on
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4; ++c) QCOMPARE(buses->item(r, c)->text(), expected[r][c]);
        }
        auto* tree = Child<QTreeWidget>(*view, "NetworkTree");
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* util = tree->topLevelItem(0);
        QCOMPARE(util->text(0), QString("UTIL"));
        QCOMPARE(util->childCount(), 1);
        QTreeWidgetItem* swg = util->child(0);
        QCOMPARE(swg->text(0), QString("SWG"));
        QCOMPARE(swg->text(1), QString("transformer from UTIL, row 2"));
        QCOMPARE(swg->child(0)->text(0), QString("MCC"));
        QCOMPARE(swg->child(0)->text(2), QString("28.679"));

        // The IEC 60909 convention: every row and the open view computed again.
        Child<QComboBox>(*study, "ShortCircuitBox")->setCurrentIndex(1);
        QCOMPARE(Cell(1, "bolted_current_max"), QString("43.914"));
        QCOMPARE(Cell(2, "bolted_current_min"), QString("24.700"));  // its cable at 80 °C
        QCOMPARE(buses->item(1, 2)->text(), QString("43.914"));
        // The cables at 20 °C, then c max 1.10 at low voltage: the rows follow each choice.
        auto* temp = Child<QSpinBox>(*study, "CableEndTempBox");
        auto* tolerance = Child<QComboBox>(*study, "LvToleranceBox");
        QVERIFY(tolerance->isEnabled());
        temp->setValue(20);
        QCOMPARE(Cell(2, "bolted_current_min"), QString("25.430"));
        tolerance->setCurrentIndex(1);
        QCOMPARE(Cell(1, "bolted_current_max"), QString("44.149"));
        QCOMPARE(buses->item(1, 2)->text(), QString("44.149"));
        temp->setValue(temp->minimum());  // by the convention again: 80 °C
        QCOMPARE(Cell(2, "bolted_current_min"), QString("24.045"));
        // ansi has no tolerance to choose, and takes 20 °C of its own.
        Child<QComboBox>(*study, "ShortCircuitBox")->setCurrentIndex(0);
        QVERIFY(!tolerance->isEnabled());
        QCOMPARE(Cell(2, "bolted_current_min"), QString("26.194"));
    }
};

QTEST_MAIN(StudyWindowTest)
#include "study_window_test.moc"

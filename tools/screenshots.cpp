// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the windows of a sample calculation to PNG files, for the README
// and for looking at the layouts without a display:
//   QT_QPA_PLATFORM=offscreen build/tools/screenshots OUTPUT_DIR
// Under a Spanish or French locale it renders the main window alone, in that
// language, as main-es.png or main-fr.png:
//   LANG=es_ES.UTF-8 QT_QPA_PLATFORM=offscreen build/tools/screenshots docs
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>

#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>

#include "ui/application.h"
#include "ui/formedit.h"
#include "ui/label_type.h"
#include "ui/preview.h"
#include "ui/units_window.h"
#include "ui/main_window.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/row_form.h"
#include "ui/study_window.h"
#include "ui/translations.h"
#include "ui/widgets.h"
#include "silent_dialogs.h"

namespace {

void Save(QWidget* w, const QString& dir, const char* name) {
    // Laid out as it will be drawn.
    QApplication::processEvents();
    w->grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString language = zentavo::ui::InstallTranslations(QLocale());
    SilentDialogs dialogs;
    zentavo::ui::Application app(dialogs);
    app.Start();
    auto& m = app.main();
    m.EquipClassBox->setCurrentIndex(1);
    m.GapEdit->setText(QStringLiteral("32"));
    m.WorkDistEdit->setText(QStringLiteral("455"));
    m.IbfEdit->setText(QStringLiteral("20"));
    m.VoltEdit->setText(QStringLiteral("480"));
    m.GroundGroup->setItemIndex(1);
    if (!language.isEmpty()) {
        Save(&m, dir, qPrintable(QStringLiteral("main-%1.png").arg(language)));
        return 0;
    }
    Save(&m, dir, "main.png");
    m.Calc1->click();
    auto& second = app.Second();
    second.t1Edit->setText(QStringLiteral("0.2"));
    second.Edit2->setText(QStringLiteral("0.25"));
    Save(&second, dir, "intermediate.png");
    second.Button2->click();
    Save(&app.Third(), dir, "results.png");
    app.Third().Button2Click();
    app.Preview().Edit1->setText(QStringLiteral("MCC-1 bucket 3"));
    Save(&app.Preview(), dir, "preview.png");
    app.Preview().CaptureLabelImage().save(QDir(dir).filePath(QStringLiteral("label.png")));
    app.Preview().Button1Click();
    // The same label in Spanish, black and white, with every row.
    auto& options = app.FormLabelType();
    options.LangGroup->setItemIndex(1);
    options.RadioGroup1->setItemIndex(1);
    options.RadioGroup1Click();
    for (int k = 2; k <= 14; ++k) options.CheckListBox1->item(k)->setCheckState(Qt::Checked);
    options.Button2Click();
    app.main().hide();
    app.Third().Button2Click();
    app.Preview().CaptureLabelImage().save(QDir(dir).filePath(QStringLiteral("label-es-bw.png")));
    app.Preview().Button1Click();
    options.LangGroup->setItemIndex(2);
    options.RadioGroup1->setItemIndex(0);
    options.RadioGroup1Click();
    options.Button2Click();
    app.main().hide();
    app.Third().Button2Click();
    app.Preview().CaptureLabelImage().save(QDir(dir).filePath(QStringLiteral("label-fr.png")));
    app.Preview().Button1Click();

    app.Third().Button1Click();
    second.Button1Click();
    m.PageControl1->setCurrentIndex(1);
    m.Fuse_Ibolt->setText(QStringLiteral("1"));
    m.Fuse_Work_Dist->setText(QStringLiteral("455"));
    Save(&m, dir, "main-fuse.png");
    m.Calc1->click();
    Save(&app.Third(), dir, "results-fuse.png");
    app.Third().Button1Click();
    m.PageControl1->setCurrentIndex(2);
    m.CB_volt->setText(QStringLiteral("480"));
    m.CB_Ibolt->setText(QStringLiteral("20"));
    m.CB_workdist->setText(QStringLiteral("460"));
    m.ir_edit->setText(QStringLiteral("25"));
    m.it_edit->setText(QStringLiteral("2"));
    Save(&m, dir, "main-breaker.png");
    m.Calc1->click();
    Save(&app.Third(), dir, "results-breaker.png");
    app.Third().Button1Click();
    app.FormUnits().show();
    Save(&app.FormUnits(), dir, "units.png");
    app.FormUnits().Button2Click();
    app.FormLabelType().show();
    Save(&app.FormLabelType(), dir, "label-options.png");
    app.FormLabelType().hide();
    app.Formedit().show();
    app.Formedit().RichEdit1->setPlainText(QStringLiteral(
        "Equipment class: Switchgear\nGap between conductors (mm): 32\nGrounding: Grounded\n"));
    Save(&app.Formedit(), dir, "editor.png");
    app.Formedit().hide();

    // The sample plant study, sorted by the governing incident energy.
    auto* study = zentavo::ui::OpenStudyFile(app, QStringLiteral(ZENTAVO_EXAMPLES_DIR "/plant-study.csv"));
    study->resize(1200, 640);
    study->show();
    study->findChild<QTableView*>(QStringLiteral("StudyTable"))->sortByColumn(study->model().ColumnNamed(QStringLiteral("incident_energy_governing")), Qt::DescendingOrder);
    Save(study, dir, "study.png");

    // The plant's network: its buses with their currents, and the tree.
    auto* network = zentavo::ui::OpenStudyFile(app, QStringLiteral(ZENTAVO_EXAMPLES_DIR "/plant-network.csv"));
    network->show();
    network->findChild<QAction*>(QStringLiteral("NetworkView1"))->trigger();
    if (auto* view = network->findChild<QDialog*>(QStringLiteral("NetworkView"))) {
        view->resize(900, 560);
        Save(view, dir, "network.png");
    }
    network->close();

    // A study built in the window: New study, Add row, the row form; then
    // a plant of four rows, the row form on the MCC's place in the network.
    auto* built = zentavo::ui::NewStudyWindow(app);
    built->resize(1200, 720);
    built->show();
    auto* table = built->findChild<QTableView*>(QStringLiteral("StudyTable"));
    auto& model = built->model();
    auto set = [&](int row, const char* column, const char* text) {
        model.setData(model.index(row, model.ColumnNamed(QString::fromLatin1(column))), QString::fromUtf8(text), Qt::EditRole);
    };
    auto select = [&](int row) { table->setCurrentIndex(table->model()->index(row, 0)); };
    built->findChild<QAction*>(QStringLiteral("AddRow1"))->trigger();
    set(0, "point", "Utility 13.8 kV");
    Save(built, dir, "study-new-row.png");
    const char* const rows[][2] = {
        {"voltage", "13800"}, {"bus", "UTIL"}, {"branch_type", "source"}, {"source_ka", "25"}, {"source_xr", "15"},
        {"electrode_configuration", "VCB"}, {"gap", "152"}, {"work_distance", "914.4"}, {"enclosure_height", "1143"},
        {"enclosure_width", "762"}, {"enclosure_depth", "762"}, {"device_type", "relay"}, {"relay_curve", "IEEE-VI"},
        {"relay_pickup", "600"}, {"relay_time_dial", "2"}, {"relay_inst_pickup", "8000"}};
    for (const auto& [column, text] : rows) set(0, column, text);
    select(0);
    built->findChild<QAction*>(QStringLiteral("AddFeeder1"))->trigger();
    const char* const swg[][2] = {
        {"point", "SWG-1 main"}, {"bus", "SWG-1"}, {"branch_type", "transformer"}, {"voltage", "480"},
        {"tx_kva", "2000"}, {"tx_z", "5.75"}, {"tx_xr", "6"}, {"gap", "32"}, {"work_distance", "609.6"},
        {"enclosure_height", "508"}, {"enclosure_width", "508"}, {"enclosure_depth", "508"},
        {"device_type", "trip-unit"}, {"trip_rating", "3000"}, {"trip_lt_pickup", "1"}, {"trip_lt_delay", "10"},
        {"trip_st_pickup", "3"}, {"trip_st_delay", "0.3"}};
    for (const auto& [column, text] : swg) set(1, column, text);
    select(1);
    built->findChild<QAction*>(QStringLiteral("AddFeeder1"))->trigger();
    const char* const mcc[][2] = {
        {"point", "MCC-1"}, {"bus", "MCC-1"}, {"cable_length", "30"}, {"cable_r", "0.1"}, {"cable_x", "0.08"},
        {"motor_kva", "300"}, {"enclosure_depth", "203.2"}, {"gap", "25"}, {"work_distance", "457.2"},
        {"enclosure_height", "355.6"}, {"enclosure_width", "304.8"}, {"device_type", "trip-unit"},
        {"trip_rating", "800"}, {"trip_lt_pickup", "1"}, {"trip_lt_delay", "10"}, {"trip_inst_pickup", "10"}};
    for (const auto& [column, text] : mcc) set(2, column, text);
    select(2);
    built->findChild<QAction*>(QStringLiteral("AddPointOnBus1"))->trigger();
    set(3, "point", "Bucket 3");
    set(3, "device_type", "fuse-curve");
    set(3, "fuse_curve", "100:300 1000:1 4000:0.02");
    select(2);
    if (auto* form = built->findChild<zentavo::ui::TRowForm*>(QStringLiteral("RowForm"))) {
        if (auto* scroll = form->findChild<QScrollArea*>()) scroll->ensureWidgetVisible(form->FieldOf(zentavo::kBusColumn), 10, 200);
    }
    Save(built, dir, "study-row-form.png");
    built->model().undoStack().setClean();
    built->close();
    return 0;
}

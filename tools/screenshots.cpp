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
#include "ui/study_window.h"
#include "ui/translations.h"
#include "ui/widgets.h"
#include "silent_dialogs.h"

namespace {

void Save(QWidget* w, const QString& dir, const char* name) {
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
    return 0;
}

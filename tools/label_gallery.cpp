// SPDX-License-Identifier: GPL-3.0-or-later
// Saves the warning label of a sample calculation in every language, colour,
// row set and PPE level as 668 x 464 PNG files, made through the real
// windows, to look at them or to compare two builds pixel by pixel:
//   QT_QPA_PLATFORM=offscreen build/tools/label_gallery OUTPUT_DIR [EQUIPMENT_NAME]
// The equipment name is thirty wide capitals unless given.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/application.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/widgets.h"
#include "silent_dialogs.h"

namespace {

// Row sets by the content entries they check among 2 to 14, and user rows.
struct RowSet {
    const char* name;
    std::vector<int> rows;
    int userRows;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QString equipmentName = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(30, QLatin1Char('W'));
    SilentDialogs dialogs;
    zentavo::ui::Application app(dialogs);
    app.Start();
    auto& m = app.main();
    auto& options = app.FormLabelType();
    options.Edit1->setText(QStringLiteral("Upstream protective device and its setting"));
    options.Button1Click();
    options.Edit1->setText(QStringLiteral("Permit"));
    options.Button1Click();

    const RowSet sets[] = {
        {"default", {2, 3, 4, 5, 9, 10, 13}, 0},
        {"ppe", {13, 14}, 0},
        {"all", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 0},
        {"all-user", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 2},
    };
    // Arc durations giving PPE levels 0 to 5 on the sample switchgear.
    const char* durations[] = {"0.02", "0.05", "0.2", "0.5", "1", "2"};
    for (int language = 0; language < 3; ++language) {
        for (int color = 0; color < 2; ++color) {
            for (const RowSet& set : sets) {
                for (int k = 2; k < options.CheckListBox1->count(); ++k) {
                    const bool user = k >= 17 && k < 17 + set.userRows;
                    const bool on = std::find(set.rows.begin(), set.rows.end(), k) != set.rows.end();
                    if (k == 15) continue;
                    options.CheckListBox1->item(k)->setCheckState(on || user ? Qt::Checked : Qt::Unchecked);
                }
                options.CheckListBox1->item(16)->setCheckState(Qt::Checked);
                options.LangGroup->setItemIndex(language);
                options.RadioGroup1->setItemIndex(color);
                options.RadioGroup1Click();
                options.Button2Click();
                for (int level = 0; level < 6; ++level) {
                    m.show();
                    m.PageControl1->setCurrentIndex(0);
                    m.VoltEdit->setText(QStringLiteral("480"));
                    m.IbfEdit->setText(QStringLiteral("20"));
                    m.GapEdit->setText(QStringLiteral("32"));
                    m.WorkDistEdit->setText(QStringLiteral("455"));
                    m.EquipClassBox->setCurrentIndex(1);
                    m.GroundGroup->setItemIndex(1);
                    m.Calc1->click();
                    auto& second = app.Second();
                    second.t1Edit->setText(QString::fromLatin1(durations[level]));
                    second.Edit2->setText(QString::fromLatin1(durations[level]));
                    second.CheckBox1->setChecked(true);
                    second.CheckBox2->setChecked(true);
                    second.Button2->click();
                    app.Third().Button2->click();
                    auto& preview = app.Preview();
                    preview.Edit1->setText(equipmentName);
                    preview.Line1_2->setText(QStringLiteral("Feeder breaker F-12, 0.3 s"));
                    preview.Line2_2->setText(QStringLiteral("PTW-2026-114"));
                    const QString name = QStringLiteral("%1-%2-%3-%4.png")
                                             .arg(language)
                                             .arg(color ? "bw" : "color")
                                             .arg(QString::fromLatin1(set.name))
                                             .arg(level);
                    preview.CaptureLabelImage().save(dir.filePath(name));
                    preview.Button1->click();
                    app.Third().Button1->click();
                    second.Button1->click();
                }
            }
        }
    }
    return 0;
}

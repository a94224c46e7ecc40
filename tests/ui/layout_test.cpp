// Every caption of every window fits its place: nothing is cut off, with the
// fonts installed here and at any screen scale.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "fake_dialogs.h"
#include "ui/application.h"
#include "ui/formedit.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/units_window.h"
#include "ui/widgets.h"

using namespace zentavo::ui;

class LayoutTest : public QObject {
    Q_OBJECT

private:
    // Every label, button and group title of `window` whose text is wider
    // than the room it has.
    static QStringList Clipped(QWidget* window) {
        QStringList out;
        for (QLabel* l : window->findChildren<QLabel*>()) {
            if (l->text().isEmpty() || !l->isVisibleTo(window) || l->pixmap().isNull() == false) continue;
            const int needed = l->fontMetrics().horizontalAdvance(l->text());
            const int room = l->contentsRect().width();
            const int parentRoom = l->parentWidget()->width() - l->x();
            if (needed > room || needed > parentRoom) {
                out << QStringLiteral("%1/%2 \"%3\": %4 > %5").arg(window->objectName(), l->objectName(),
                                                                   l->text()).arg(needed).arg(std::min(room, parentRoom));
            }
        }
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
            if (b->text().isEmpty() || !b->isVisibleTo(window)) continue;
            // A push button's caption with the frame's few pixels either side.
            if (qobject_cast<QPushButton*>(b) &&
                b->fontMetrics().horizontalAdvance(b->text()) + 8 > b->width()) {
                out << QStringLiteral("%1/%2 \"%3\"").arg(window->objectName(), b->objectName(), b->text());
            }
        }
        for (QGroupBox* g : window->findChildren<QGroupBox*>()) {
            if (!g->isVisibleTo(window)) continue;
            QFont f = g->font();
            const int needed = QFontMetrics(f).horizontalAdvance(g->title()) + 16;
            if (needed > g->width()) out << QStringLiteral("%1/%2 \"%3\"").arg(window->objectName(), g->objectName(), g->title());
        }
        return out;
    }

private slots:
    void nothingIsCutOff() {
        FakeDialogs dialogs;
        Application app(dialogs);
        app.Start();
        QStringList clipped;
        auto& m = app.main();
        for (int tab : {0, 1, 2}) {
            m.PageControl1->setCurrentIndex(tab);
            clipped += Clipped(&m);
        }
        m.PageControl1->setCurrentIndex(0);
        m.VoltEdit->setText("480");
        m.IbfEdit->setText("20");
        m.GapEdit->setText("32");
        m.WorkDistEdit->setText("455");
        m.EquipClassBox->setCurrentIndex(2);
        m.Calc1->click();
        clipped += Clipped(&app.Second());
        app.Second().t1Edit->setText("2");
        app.Second().Edit2->setText("2");
        app.Second().CheckBox1->setChecked(true);
        app.Second().CheckBox2->setChecked(true);
        app.Second().Button2->click();
        clipped += Clipped(&app.Third());
        // The longest label: every row, in each language.
        auto& options = app.FormLabelType();
        for (int k = 2; k <= 14; ++k) options.CheckListBox1->item(k)->setCheckState(Qt::Checked);
        options.Button2Click();
        for (int language : {0, 1, 2}) {
            options.LangGroup->setItemIndex(language);
            app.Third().Button2Click();
            clipped += Clipped(&app.Preview());
            app.Preview().Button1Click();
        }
        clipped += Clipped(&app.FormUnits());
        clipped += Clipped(&app.FormLabelType());
        clipped += Clipped(&app.Formedit());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
        QVERIFY(dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"

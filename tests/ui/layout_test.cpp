// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption of every window fits its place: nothing is cut off, with the
// fonts installed here and at any screen scale.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "fake_dialogs.h"
#include "translated_main.h"
#include "ui/application.h"
#include "ui/dc_window.h"
#include "ui/formedit.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/study_window.h"
#include "ui/translations.h"
#include "ui/units_window.h"
#include "ui/widgets.h"

using namespace zentavo::ui;

class LayoutTest : public QObject {
    Q_OBJECT

private:
    // A caption as it is drawn: the '&' that marks its Alt key is not ("&&" is one '&').
    static QString Drawn(QString text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == '&') text.remove(i, 1);
        }
        return text;
    }
    // Every label, button and group title of `window` whose text is wider
    // than the room it has.
    static QStringList Clipped(QWidget* window) {
        QStringList out;
        for (QLabel* l : window->findChildren<QLabel*>()) {
            if (l->text().isEmpty() || !l->isVisibleTo(window) || l->pixmap().isNull() == false) continue;
            // A caption wrapped on several lines is cut where its lines need more height than it has.
            if (l->wordWrap()) {
                if (l->heightForWidth(l->width()) > l->height())
                    out << QStringLiteral("%1/%2 \"%3\": %4 lines high > %5").arg(window->objectName(), l->objectName(),
                                                                              l->text()).arg(l->heightForWidth(l->width())).arg(l->height());
                continue;
            }
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
                b->fontMetrics().horizontalAdvance(Drawn(b->text())) + 8 > b->width()) {
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


    // Where a widget shows something, in its parent's coordinates: for a
    // caption, the rectangle its text takes with the font in use.
    static QRect Painted(QWidget* w) {
        if (auto* l = qobject_cast<QLabel*>(w); l && l->pixmap().isNull()) {
            if (l->text().isEmpty()) return {};
            const QRect inside = l->contentsRect().adjusted(l->indent() > 0 ? l->indent() : 0, 0, 0, 0);
            const int wrap = l->wordWrap() ? int(Qt::TextWordWrap) : 0;
            return l->fontMetrics().boundingRect(inside, int(l->alignment()) | wrap, l->text()).translated(l->pos());
        }
        return w->geometry();
    }
    // Containers whose children are their own parts, not the window's controls.
    static bool Composite(QWidget* w) {
        return qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QTabBar*>(w) ||
               qobject_cast<QAbstractScrollArea*>(w) || qobject_cast<QMenuBar*>(w) ||
               qobject_cast<QAbstractButton*>(w) || qobject_cast<QTabWidget*>(w) ||
               w->inherits("zentavo::ui::RadioGroup");
    }
    // Every pair of visible controls of one panel of `window` that lie on each other.
    static QStringList Overlaps(QWidget* window, const QString& state) {
        QStringList out;
        QList<QWidget*> panels = window->findChildren<QWidget*>();
        panels.prepend(window);
        for (QWidget* panel : panels) {
            if (!panel->isVisibleTo(window) && panel != window) continue;
            if (Composite(panel)) continue;
            QList<QWidget*> items;
            for (QWidget* c : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (c->isWindow() || !c->isVisibleTo(window) || Painted(c).isEmpty()) continue;
                items << c;
            }
            for (int i = 0; i < items.size(); ++i) {
                for (int j = i + 1; j < items.size(); ++j) {
                    if (!Painted(items[i]).intersects(Painted(items[j]))) continue;
                    out << QStringLiteral("%1 [%2]: %3 and %4 overlap").arg(window->objectName(), state,
                                                                            items[i]->objectName(),
                                                                            items[j]->objectName());
                }
            }
        }
        return out;
    }
    // A caption that reaches out of its panel, or a check box whose text is cut.
    static QStringList OutOfPlace(QWidget* window, const QString& state) {
        QStringList out;
        for (QLabel* l : window->findChildren<QLabel*>()) {
            if (!l->isVisibleTo(window) || l->text().isEmpty() || !l->pixmap().isNull()) continue;
            const QRect text = Painted(l);
            const QRect room = l->parentWidget()->contentsRect();
            if (!room.contains(text) || !l->geometry().contains(text)) {
                out << QStringLiteral("%1 [%2]: %3 \"%4\" outside its place").arg(window->objectName(), state,
                                                                              l->objectName(), l->text());
            }
        }
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(window) || b->text().isEmpty() || qobject_cast<QPushButton*>(b)) continue;
            if (b->sizeHint().width() > b->width())
                out << QStringLiteral("%1 [%2]: %3 \"%4\" cut").arg(window->objectName(), state, b->objectName(), b->text());
        }
        return out;
    }
    static QStringList Check(QWidget* window, const QString& state) {
        // A window not shown yet has its layouts laid out as it will show them.
        for (QLayout* l : window->findChildren<QLayout*>()) l->activate();
        return Clipped(window) + Overlaps(window, state) + OutOfPlace(window, state);
    }

private slots:
    // The study window at most 1024 pixels wide, its row form as narrow as
    // its dock goes, showing a 2018 point with a trip unit on a transformer:
    // each caption, field and list of the form has its room, and a form
    // wider than its dock scrolls sideways rather than being cut at its edge.
    void theRowFormFitsASmallScreen() {
        FakeDialogs dialogs;
        Application app(dialogs);
        app.Start();
        app.main().findChild<QAction*>("NewStudy1")->trigger();
        TStudy* study = OpenStudyWindows().back();
        study->findChild<QAction*>("AddRow1")->trigger();
        StudyModel& m = study->model();
        const std::pair<const char*, const char*> cells[] = {{"device_type", "trip-unit"},
                                                             {"branch_type", "transformer"},
                                                             {"bus", "SWG"},
                                                             {"from_bus", "UTIL"}};
        for (const auto& [column, text] : cells)
            m.setData(m.index(0, m.ColumnNamed(column)), text, Qt::EditRole);
        study->resize(1024, 740);
        study->show();
        QVERIFY(QTest::qWaitForWindowExposed(study));
        QVERIFY(study->width() <= 1024);
        // The form's dock as narrow as it goes, as beside a table given the room.
        study->resizeDocks({study->findChild<QDockWidget*>("RowFormDock")}, {1}, Qt::Horizontal);
        auto* scroll = study->findChild<QScrollArea*>("RowFormScroll");
        QVERIFY(scroll && scroll->isVisible());
        QWidget* body = scroll->widget();
        for (QLayout* l : study->findChildren<QLayout*>()) l->activate();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QStringList problems = Clipped(body) + OutOfPlace(body, "study at 1024 px");
        for (QWidget* w : body->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(body) || Composite(w->parentWidget())) continue;
            if (!w->parentWidget()->rect().contains(w->geometry()))
                problems << QStringLiteral("%1 reaches out of %2")
                                .arg(w->objectName(), w->parentWidget()->objectName());
            auto* box = qobject_cast<QComboBox*>(w);
            if (box && box->width() < box->minimumSizeHint().width())
                problems << QStringLiteral("%1 narrower than its arrow and text need")
                                .arg(box->objectName());
        }
        if (body->width() > scroll->viewport()->width() &&
            !scroll->horizontalScrollBar()->isVisible())
            problems << QStringLiteral("the form is cut at its right edge: %1 > %2")
                            .arg(body->width())
                            .arg(scroll->viewport()->width());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        m.undoStack().setClean();
        study->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

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
    // The DC window in each state it can take, in each language: nothing cut
    // or overlapping, and no wider than 1000 pixels.
    void dcWindowInEveryState() {
        FakeDialogs dialogs;
        Application app(dialogs);
        app.Start();
        app.main().findChild<QAction*>("DcArcFlash1")->trigger();
        QWidget* w = app.DcArcFlashIfMade();
        QVERIFY(w);
        QStringList problems;
        auto fill = [&](const char* volt, const char* ibf, const char* r, const char* gap, const char* time, int box) {
            w->findChild<QComboBox*>("BoxBox")->setCurrentIndex(box);
            w->findChild<QLineEdit*>("VoltEdit")->setText(volt);
            w->findChild<QLineEdit*>("IbfEdit")->setText(ibf);
            w->findChild<QLineEdit*>("SourceREdit")->setText(r);
            w->findChild<QLineEdit*>("GapEdit")->setText(gap);
            w->findChild<QLineEdit*>("WorkDistEdit")->setText("457.2");
            w->findChild<QLineEdit*>("ArcTimeEdit")->setText(time);
            w->findChild<QPushButton*>("ComputeButton")->click();
        };
        auto check = [&](const QString& state) {
            QCoreApplication::processEvents();
            problems += Check(w, state);
            if (w->width() > 1000) problems << QStringLiteral("%1: %2 pixels wide").arg(state).arg(w->width());
        };
        check("empty");
        // The notes of a 48 V source without a duration, the approach not given.
        fill("48", "", "0.016", "25", "", 0);
        check("48 V, notes");
        // Each enclosure, each PPE level up to "N/A" (above 40 cal/cm2).
        for (int box = 0; box < 5; ++box) {
            for (const char* time : {"0.01", "0.2", "2"}) {
                fill("1000", "20", "", "25", time, box);
                check(QStringLiteral("1000 V, enclosure %1, %2 s").arg(box).arg(time));
            }
        }
        // The duration from a relay, its picture beside its fields.
        w->findChild<QComboBox*>("DurationSourceBox")->setCurrentIndex(1);
        w->findChild<QComboBox*>("DeviceTypeBox")->setCurrentIndex(0);
        w->findChild<QLineEdit*>("RelayPickupEdit")->setText("1000");
        w->findChild<QLineEdit*>("RelayTimeDialEdit")->setText("1");
        w->findChild<QLineEdit*>("RelayInstPickupEdit")->setText("5000");
        fill("500", "10", "", "20", "", 3);
        check("relay");
        problems.removeDuplicates();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.isEmpty() ? QString() : dialogs.shown.first().text));
    }

    // Every window in every state it can take: no two controls of a panel lie
    // on each other and no caption is cut or reaches out of its panel.
    void noOverlapNorCutInAnyState() {
        FakeDialogs dialogs;
        Application app(dialogs);
        app.Start();
        QStringList problems;
        auto& m = app.main();
        auto& second = app.Second();
        auto& third = app.Third();

        // The tab row: three tabs of 141 pixels, each caption whole.
        QTabBar* bar = m.PageControl1->tabBar();
        for (int tab : {0, 1, 2}) {
            m.PageControl1->setCurrentIndex(tab);
            problems += Check(&m, QStringLiteral("tab %1").arg(tab));
            const int needed = bar->fontMetrics().horizontalAdvance(bar->tabText(tab)) +
                               bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
            if (bar->tabRect(tab).width() != 141 || needed > 141) {
                problems << QStringLiteral("tab \"%1\": %2 pixels wide, its caption needs %3")
                                .arg(bar->tabText(tab)).arg(bar->tabRect(tab).width()).arg(needed);
            }
        }

        // Back from the label preview, then the same results again.
        QSet<QString> levels;  // PPE levels the results showed
        // The results, then the label preview in each language and back.
        auto viaPreview = [&](const QString& state) {
            problems += Check(&third, state);
            for (int language : {0, 1, 2}) {
                app.FormLabelType().LangGroup->setItemIndex(language);
                third.Button2->click();
                problems += Clipped(&app.Preview());
                app.Preview().Button1->click();
                problems += Check(&third, state + QStringLiteral(", back from the preview in language %1").arg(language));
            }
        };
        auto empirical = [&](const char* volt, const char* gap, int boxes, const char* time, const char* distance,
                             const QString& units, const char* current = "20") {
            const QString state = QStringLiteral("empirical %1 V gap %2, boxes %3, %4 s at %5, %6 kA, %7")
                                      .arg(volt, gap).arg(boxes).arg(time, distance, current, units);
            m.PageControl1->setCurrentIndex(0);
            m.EquipClassBox->setCurrentIndex(1);
            m.GroundGroup->setItemIndex(1);
            m.VoltEdit->setText(volt);
            m.GapEdit->setText(gap);
            m.IbfEdit->setText(current);
            m.WorkDistEdit->setText(distance);
            m.Calc1->click();
            QVERIFY2(second.isVisible(), qPrintable(state));
            problems += Check(&second, state);
            second.t1Edit->setText(time);
            second.Edit2->setText(time);
            if (second.CheckBox2->isEnabled()) second.CheckBox2->setChecked(boxes & 2);
            second.CheckBox1->setChecked(boxes & 1);
            second.Button2->click();
            QVERIFY2(third.isVisible(), qPrintable(state + ": " + (dialogs.shown.isEmpty() ? QString() : dialogs.shown.last().text)));
            levels << third.L("Label27")->text() << third.L("Label30")->text();
            viaPreview(state);
            third.Button1->click();  // back to the intermediate window
            second.Button1->click();  // and to the main window
        };

        // Each unit set: the first words, then the longest ones.
        for (int unitSet : {0, 1}) {
            const QString units = unitSet ? QStringLiteral("long unit words") : QStringLiteral("first unit words");
            if (unitSet) {
                m.findChild<QAction*>("Units1")->trigger();
                auto& u = app.FormUnits();
                problems += Check(&u, "units window shown");
                u.Gap_Units->setCurrentIndex(1);  // inches
                u.WD_units->setCurrentIndex(1);
                u.FlashBound_units->setCurrentIndex(1);  // mm
                u.ComboBox2->setCurrentIndex(1);  // J/cm2
                u.Pressure_units->setCurrentIndex(2);  // Atmosphere
                u.TNT->setCurrentIndex(2);  // grams
                u.Button1->click();
                QVERIFY(m.isVisible());
            }
            const char* distance = unitSet ? "18" : "455";
            const char* gap = unitSet ? "1.25" : "32";
            const char* wideGap = unitSet ? "6.1" : "153";
            // Reduced case offered or not (a wide gap, 15 kV), each set of check boxes.
            for (int boxes = 0; boxes < 4; ++boxes) {
                empirical("480", gap, boxes, "0.5", distance, units);
                empirical("13800", wideGap, boxes, "0.5", distance, units);
                empirical("15000", gap, boxes, "0.5", distance, units);
            }
            // Every PPE level from 0 to "N/A": shorter and longer arcs, larger currents.
            for (const char* time : {"0.05", "0.2", "1", "2"}) {
                for (const char* current : {"5", "20", "100"}) empirical("480", gap, 3, time, distance, units, current);
            }
            // Fuse and breaker equations.
            m.PageControl1->setCurrentIndex(1);
            m.Fuse_Work_Dist->setText(distance);
            m.Fuse_Ibolt->setText("20");
            m.Calc1->click();
            QVERIFY(third.isVisible());
            viaPreview("fuse, " + units);
            third.Button1->click();
            m.PageControl1->setCurrentIndex(2);
            m.CB_workdist->setText(distance);
            m.CB_Ibolt->setText("20");
            m.CB_volt->setText("480");
            m.ir_edit->setText("65");
            m.it_edit->setText("5");
            m.Calc1->click();
            QVERIFY(third.isVisible());
            viaPreview("breaker, " + units);
            third.Button1->click();
        }

        problems += Check(&app.FormUnits(), "units");
        problems += Check(&app.FormLabelType(), "label options");
        problems += Check(&app.Formedit(), "editor");
        problems.removeDuplicates();
        for (const char* level : {"0", "1", "2", "3", "4", "N/A"}) {
            // "N/A" in the windows' language.
            const QString shown = LibraryText(QString::fromLatin1(level));
            QVERIFY2(levels.contains(shown),
                     qPrintable(QStringLiteral("PPE level %1 never shown").arg(shown)));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.isEmpty() ? QString() : dialogs.shown.first().text));
    }
};

ZENTAVO_TRANSLATED_TEST_MAIN(LayoutTest)
#include "layout_test.moc"

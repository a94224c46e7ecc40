// SPDX-License-Identifier: GPL-3.0-or-later
// The program from the keyboard: every menu, menu entry and button has its
// Alt key, no two of one window share it, and the main window's keys do what
// their menu entries say.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "drive.h"
#include "fake_dialogs.h"
#include "translated_main.h"
#include "window_fixture.h"

using namespace zentavo::ui;

namespace {

// The letter a caption's '&' marks ("&&" is a plain ampersand), in lower
// case; empty where the caption has none.
QString Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// The problems of the keys of `window` as shown: a menu, a menu entry or a
// button with a caption but no key, and two keys alike in one scope (the
// window itself, or one menu).
QStringList Problems(QWidget* window, const QString& where) {
    QStringList problems;
    QMap<QString, QString> taken;  // key -> the control that has it, in the window's own scope
    auto claim = [&](const QString& text, const QString& what, bool needsOne) {
        const QString key = Mnemonic(text);
        if (key.isEmpty()) {
            if (needsOne) problems << QStringLiteral("%1: %2 \"%3\" has no key").arg(where, what, text);
            return;
        }
        if (taken.contains(key)) {
            problems << QStringLiteral("%1: Alt+%2 is both %3 and %4").arg(where, key.toUpper(), taken[key], what);
        } else {
            taken[key] = what;
        }
    };
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        for (QAction* a : bar->actions()) {
            if (a->isVisible()) claim(a->text(), QStringLiteral("menu \"%1\"").arg(a->text()), true);
        }
    }
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->text().isEmpty() || b->inherits("QToolButton")) continue;
        claim(b->text(), QStringLiteral("button \"%1\"").arg(b->text()), qobject_cast<QPushButton*>(b) != nullptr);
    }
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (l->isVisibleTo(window) && l->buddy()) claim(l->text(), QStringLiteral("caption \"%1\"").arg(l->text()), false);
    }
    for (QGroupBox* g : window->findChildren<QGroupBox*>()) {
        if (g->isVisibleTo(window)) claim(g->title(), QStringLiteral("group \"%1\"").arg(g->title()), false);
    }
    // Each menu of the window, the pop-up ones too: its entries among themselves.
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QMap<QString, QString> entries;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            const QString key = Mnemonic(a->text());
            const QString what = QStringLiteral("%1: entry \"%2\" of menu \"%3\"").arg(where, a->text(), menu->title());
            if (key.isEmpty()) {
                problems << what + QStringLiteral(" has no key");
            } else if (entries.contains(key)) {
                problems << QStringLiteral("%1 and \"%2\" share Alt+%3").arg(what, entries[key], key.toUpper());
            } else {
                entries[key] = a->text();
            }
        }
    }
    return problems;
}

}  // namespace

class KeyboardTest : public WindowTest {
    Q_OBJECT

public:
    KeyboardTest() : WindowTest({.closeStudies = true, .scriptedDialogs = true}) {}

private:
    QTemporaryDir runFolder;  // one folder for all the test functions

    // The main window shown and active, its first field holding the focus,
    // as the user finds it at start.
    Tmain& ActiveMain() {
        app->Start();
        Tmain& m = app->main();
        m.activateWindow();
        if (!QTest::qWaitForWindowActive(&m)) qFatal("the main window never became active");
        return m;
    }

private slots:
    // Every window, each tab of a window with tabs as the user sees it.
    void everyWindowHasItsOwnKeys_data() {
        QTest::addColumn<QString>("window");
        for (const QString& w : kAllWindowNames) QTest::newRow(qPrintable(w)) << w;
    }
    void everyWindowHasItsOwnKeys() {
        QFETCH(QString, window);
        QWidget* w = OpenWindow(*app, *dialogs, window, runFolder.path());
        QVERIFY(w);
        const QStringList problems = ProblemsOnEveryTab(w, window, Problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // The key of each menu of the main window (Alt+O for Options in
    // English) opens it with the focus in the equipment class box, and
    // leaves the class alone.
    void altKeysOpenTheMainWindowMenus_data() {
        QTest::addColumn<QString>("menu");
        for (const char* menu : {"Options1", "File1", "Help1"}) QTest::newRow(menu) << QString::fromLatin1(menu);
    }
    void altKeysOpenTheMainWindowMenus() {
        QFETCH(QString, menu);
        Tmain& m = ActiveMain();
        auto* opened = m.findChild<QMenu*>(menu);
        QVERIFY(opened);
        const QString key = Mnemonic(opened->title());
        QVERIFY2(!key.isEmpty(), qPrintable(opened->title()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m.EquipClassBox));
        QTest::keyClick(QApplication::focusWidget(), key.toUpper()[0].toLatin1(), Qt::AltModifier);
        QTRY_VERIFY(opened->isVisible());
        QCOMPARE(m.EquipClassBox->currentIndex(), -1);
        opened->close();
    }

    // Ctrl+O asks for a file to open in the editor; Ctrl+Q asks whether to exit.
    void controlKeysOfTheMainWindow() {
        Tmain& m = ActiveMain();
        dialogs->fileNames = {QString()};  // the open dialog cancelled
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs->fileDialogs.size(), 1);
        dialogs->answers = {false};  // "Do you wish to exit now?" No
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Confirm"));
        QVERIFY(m.isVisible());
    }

    // Escape closes each dialog and each options window, as its way out does.
    void escapeClosesEveryDialog_data() {
        QTest::addColumn<QString>("window");
        for (const char* w : {"units", "label options", "about", "study export"})
            QTest::newRow(w) << QString(w);
    }
    void escapeClosesEveryDialog() {
        QFETCH(QString, window);
        QWidget* w = OpenWindow(*app, *dialogs, window, runFolder.path());
        QVERIFY(w);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : w, Qt::Key_Escape);
        QTRY_VERIFY(!w->isVisible());
        if (window == "study export") delete w;
    }

    // Ctrl+Shift+N opens a new study from the main window and from a study
    // window; F6, an entry of the View menu, takes the keyboard from the
    // table to the row form's first field, Tab walks on in the form, and F6
    // goes back to the table.
    void theStudyWindowFromTheKeyboard() {
        Tmain& m = ActiveMain();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(int(OpenStudyWindows().size()), 1);
        TStudy* study = OpenStudyWindows().front();
        study->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(study));
        study->findChild<QAction*>("AddRow1")->trigger();
        auto* table = Child<QTableView>(*study, "StudyTable");
        table->setFocus(Qt::MouseFocusReason);
        auto* pane = Child<QAction>(*study, "SwitchPane1");
        bool inMenu = false;
        for (QObject* o : pane->associatedObjects()) inMenu = inMenu || qobject_cast<QMenu*>(o);
        QVERIFY(inMenu);
        QTest::keyClick(table, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("RowFormName"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(QApplication::focusWidget()->objectName().startsWith("RowForm"),
                 qPrintable(QApplication::focusWidget()->objectName()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(table));
        QTest::keyClick(table, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(int(OpenStudyWindows().size()), 2);
        QVERIFY(m.isVisible());
    }

    // The editor's File menu offers "Save As…" with its ellipsis, in every language.
    void theEditorSavesAsWithAnEllipsis() {
        auto* editor = OpenWindow(*app, *dialogs, "editor", runFolder.path());
        QVERIFY(editor);
        const QString text = Child<QAction>(*editor, "SaveAs1")->text();
        QVERIFY2(text.endsWith(QChar(0x2026)) && !text.contains(QStringLiteral("..")), qPrintable(text));
        if (QLocale().language() == QLocale::English || QLocale().language() == QLocale::C)
            QCOMPARE(QString(text).remove(QLatin1Char('&')), QStringLiteral("Save As\u2026"));
    }
};

ZENTAVO_TRANSLATED_TEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"

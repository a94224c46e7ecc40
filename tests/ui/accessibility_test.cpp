// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader announces: every control a user can reach with the
// keyboard has a name, read through the accessibility interface the toolkit
// gives assistive tools, and the inputs shown together each have their own.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <memory>

#include "drive.h"
#include "fake_dialogs.h"
#include "translated_main.h"
#include "window_fixture.h"

using namespace zentavo::ui;

namespace {

// The name assistive tools are given for a control: the one the program
// gave it, else the toolkit's (a caption linked to it, its group's title, its
// text). A drop-down box's own name on this desktop is its current item: it
// is named by the caption or group linked to it.
QString AccessibleName(QWidget* w) {
    if (!w->accessibleName().isEmpty()) return w->accessibleName();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    if (!face) return {};
    if (qobject_cast<QComboBox*>(w)) {
        const auto labels = face->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    return face->text(QAccessible::Name);
}

bool IsInput(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           (qobject_cast<const QAbstractButton*>(w) && static_cast<const QAbstractButton*>(w)->isCheckable());
}

// The part of a control that the toolkit builds inside another control
// (the edit of an editable box, of a spin box) is announced with that control.
bool IsPartOfAnother(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p)) return true;
    }
    return false;
}

// The problems of the controls of `window` shown together: a control reached
// by the keyboard without a name, or two inputs of the same name.
QStringList Problems(QWidget* window, const QString& where) {
    QStringList problems;
    QMap<QString, QString> inputs;  // name -> the input that has it
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(window) || IsPartOfAnother(w)) continue;
        const bool input = IsInput(w);
        if (!input && !qobject_cast<QAbstractButton*>(w)) continue;
        const QString id = QStringLiteral("%1 %2 \"%3\"").arg(where, QString::fromLatin1(w->metaObject()->className()),
                                                           w->objectName());
        const QString name = AccessibleName(w).trimmed();
        if (name.isEmpty()) {
            problems << id + QStringLiteral(" has no name");
        } else if (input && inputs.contains(name)) {
            problems << QStringLiteral("%1 and %2 are both \"%3\"").arg(inputs[name], id, name);
        } else if (input) {
            inputs[name] = id;
        }
    }
    return problems;
}

}  // namespace

class AccessibilityTest : public WindowTest {
    Q_OBJECT

public:
    AccessibilityTest() : WindowTest({.closeStudies = true}) {}

private:
    QTemporaryDir runFolder;  // one folder for all the test functions

private slots:
    // Every window, each tab of a window with tabs as the user sees it, the
    // about box and the study's export dialog: every control reached with the keyboard has a name, and no two
    // inputs shown together share one.
    void everyControlHasItsOwnName_data() {
        QTest::addColumn<QString>("window");
        for (const QString& w : kAllWindowNames) QTest::newRow(qPrintable(w)) << w;
    }
    void everyControlHasItsOwnName() {
        QFETCH(QString, window);
        QWidget* w = OpenWindow(*app, *dialogs, window, runFolder.path());
        QVERIFY(w);
        const QStringList problems = ProblemsOnEveryTab(w, window, Problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

ZENTAVO_TRANSLATED_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"

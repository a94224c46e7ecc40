// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wheel_guard.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QWheelEvent>

namespace zentavo::ui {

namespace {

bool IsInput(const QObject* o) {
    return qobject_cast<const QComboBox*>(o) || qobject_cast<const QAbstractSpinBox*>(o);
}

// The list or number box a widget is, or is the text field of.
QWidget* InputOf(QObject* watched) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return nullptr;
    if (IsInput(w)) return w;
    if (QWidget* parent = w->parentWidget(); parent && IsInput(parent)) return parent;
    return nullptr;
}

}  // namespace

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish && IsInput(watched)) {
        // The wheel gives such a box no focus: only a click or Tab does.
        auto* w = static_cast<QWidget*>(watched);
        if (w->focusPolicy() == Qt::WheelFocus) w->setFocusPolicy(Qt::StrongFocus);
        return false;
    }
    if (event->type() != QEvent::Wheel) return false;
    QWidget* input = InputOf(watched);
    if (!input) return false;
    const QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == input || input->isAncestorOf(focus))) return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    // The scroll area around the box scrolls, as over any other part of it.
    for (QWidget* p = input->parentWidget(); p; p = p->parentWidget()) {
        auto* area = qobject_cast<QAbstractScrollArea*>(p);
        if (!area) continue;
        QWidget* viewport = area->viewport();
        const QPointF at = viewport->mapFromGlobal(wheel->globalPosition());
        QWheelEvent passed(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                           wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted(),
                           wheel->source());
        QApplication::sendEvent(viewport, &passed);
        return true;
    }
    // Nothing to scroll: the wheel goes on to what holds the box, untouched.
    event->ignore();
    return true;
}

}  // namespace zentavo::ui

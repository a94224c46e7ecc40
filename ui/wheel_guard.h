// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse wheel over a drop-down list or a number box the user has not
// given the keyboard to (by a click or Tab) leaves its value alone: the
// wheel scrolls what holds it, a form in its scroll area, instead of
// changing an input on the way. Installed once on the application, for
// every window.
#pragma once

#include <QObject>

namespace zentavo::ui {

class WheelGuard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zentavo::ui

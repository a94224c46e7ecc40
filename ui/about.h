// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: product name, version, supported systems, legal notice.
#pragma once

#include <QDialog>

namespace zentavo::ui {

class Tabout : public QDialog {
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent);
};

}  // namespace zentavo::ui

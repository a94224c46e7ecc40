// Ways through the windows that several window tests take.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/second.h"

namespace zentavo::ui {

// A switchgear at 480 V, 20 kA, 32 mm gap, 455 mm working distance on the empirical tab.
inline void FillEmpirical(Tmain& m) {
    m.EquipClassBox->setCurrentIndex(1);
    m.GapEdit->setText("32");
    m.WorkDistEdit->setText("455");
    m.IbfEdit->setText("20");
    m.VoltEdit->setText("480");
}

// From the main window to the intermediate window with those inputs.
inline void ToIntermediate(Application& app) {
    FillEmpirical(app.main());
    app.main().Calc1->click();
}

// On to the results window, with arcs of 0.2 s.
inline void ToResults(Application& app) {
    ToIntermediate(app);
    app.Second().t1Edit->setText("0.2");
    app.Second().Edit2->setText("0.2");
    app.Second().Button2->click();
}

}  // namespace zentavo::ui

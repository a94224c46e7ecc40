// The units window: the six unit choices of the run.
#pragma once

#include <QWidget>

#include "engine/units.h"

namespace zentavo::ui {

class Application;

class TFormUnits : public QWidget {
    Q_OBJECT
public:
    explicit TFormUnits(Application& app);

    // The current unit choices.
    UnitSettings Units() const { return units_; }

private:
    Application& app_;
    UnitSettings units_;
};

}  // namespace zentavo::ui

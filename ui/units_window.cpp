#include "ui/units_window.h"

#include "ui/application.h"

namespace zentavo::ui {

TFormUnits::TFormUnits(Application& app) : app_(app) {
    setObjectName("FormUnits");
    setWindowTitle(QStringLiteral("Options: Units"));
}

}  // namespace zentavo::ui

#include "ui/label_type.h"

#include "ui/application.h"

namespace zentavo::ui {

TFormLabelType::TFormLabelType(Application& app) : app_(app) {
    setObjectName("FormLabelType");
    setWindowTitle(QStringLiteral("Options: Label"));
}

}  // namespace zentavo::ui

#include "ui/formedit.h"

#include "ui/application.h"

namespace zentavo::ui {

TFormedit::TFormedit(Application& app) : app_(app) {
    setObjectName("Formedit");
    setWindowTitle(QStringLiteral("Browser/Editor"));
}

void TFormedit::OpenFromMain() {}

}  // namespace zentavo::ui

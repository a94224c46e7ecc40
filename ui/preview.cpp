#include "ui/preview.h"

#include "ui/application.h"

namespace zentavo::ui {

TPreview::TPreview(Application& app) : app_(app) {
    setObjectName("Preview");
    setWindowTitle(QStringLiteral("Preview"));
}

}  // namespace zentavo::ui

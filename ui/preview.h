// The label preview window.
#pragma once

#include <QWidget>

namespace zentavo::ui {

class Application;

class TPreview : public QWidget {
    Q_OBJECT
public:
    explicit TPreview(Application& app);

private:
    Application& app_;
};

}  // namespace zentavo::ui

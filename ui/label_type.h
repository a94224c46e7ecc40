// The label options window.
#pragma once

#include <QWidget>

namespace zentavo::ui {

class Application;

class TFormLabelType : public QWidget {
    Q_OBJECT
public:
    explicit TFormLabelType(Application& app);

private:
    Application& app_;
};

}  // namespace zentavo::ui

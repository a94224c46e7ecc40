// The text browser/editor.
#pragma once

#include <QWidget>

namespace zentavo::ui {

class Application;

class TFormedit : public QWidget {
    Q_OBJECT
public:
    explicit TFormedit(Application& app);

    // File, Open on the main window.
    void OpenFromMain();

private:
    Application& app_;
};

}  // namespace zentavo::ui

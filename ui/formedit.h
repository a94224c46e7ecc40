// The text browser/editor: opens a text file (a saved report, typically),
// lets the user edit it, saves it under a chosen name and prints it.
#pragma once

#include <QWidget>

#include "report/text_codec.h"

class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace zentavo::ui {

class Application;

class TFormedit : public QWidget {
    Q_OBJECT
public:
    explicit TFormedit(Application& app);

    // File, Open on the main window: chooses a file and shows it here.
    void OpenFromMain();
    // Loads a file into the editor, replacing its text.
    void LoadFile(const QString& path);

    void SaveAs1Click();
    void Exit1Click();  // File, Print
    void Copy1Click();
    void Cut1Click();
    void Paste1Click();
    void Button2Click();  // "Close"

    QPlainTextEdit* RichEdit1;
    QPushButton* Button2;
    QMenuBar* MainMenu1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Application& app_;
    // How the open file was written: encoding, byte-order mark, line breaks.
    TextFile format_;
    bool iconsLoaded_ = false;
};

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The text browser/editor: opens a text file (a saved report, typically),
// lets the user edit it, saves it under a chosen name and prints it.
#pragma once

#include <QWidget>

#include <optional>
#include <string>

#include "io/file_io.h"
#include "report/text_model.h"

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
    // Loads a file into the editor, replacing its text. A pipe or device, a
    // file over 64 MiB and one the editor cannot show are refused with a
    // message, and the editor keeps the text it had.
    void LoadFile(const QString& path);
    // The file the editor holds: the one it opened or last saved.
    const QString& path() const { return path_; }
    // The editor's text as the file's lines: UTF-8, lines joined by "\n"
    // (see EditorDocumentText in ui/editor_text.h).
    std::string EditedText() const;

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
    // A very long file shares the widget's blocks among several lines; tells
    // the widget how many lines each block holds, for its scroll bar.
    void CountSharedBlockLines();

    Application& app_;
    // The open file as it was read or last saved: its lines with their own
    // line ends, its encoding and byte-order mark. Saving maps the editor's
    // lines back onto it.
    TextLines file_;
    // Its name and its fingerprint as read or last saved: Save As asks
    // before it replaces what another program wrote since.
    QString path_;
    std::optional<FileFingerprint> print_;
    bool iconsLoaded_ = false;
};

}  // namespace zentavo::ui

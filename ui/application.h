// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: owns the shared record of the run and the windows,
// the original ones created once in their fixed order and the 2018 and DC
// windows made when they are first opened, and runs every handler under one error
// handler so that no error escapes into the event loop.
#pragma once

#include <QFont>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <exception>
#include <memory>
#include <new>

#include "engine/number.h"
#include "engine/shared_state.h"
#include "engine/units.h"
#include "ui/dialogs.h"

namespace zentavo::ui {

class Tmain;
class TSecond;
class TThird;
class Tabout;
class TPreview;
class TFormUnits;
class TFormLabelType;
class TFormedit;
class TIeee2018;
class TDcArcFlash;

// The face of the windows: the installed one closest to what they were drawn for.
QFont WindowFont();

class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(DialogService& dialogs);
    ~Application() override;

    static constexpr const char* kTitle = "Zentavo";
    static constexpr const char* kHelpFile = "Zentavo.hlp";

    SharedState& state() { return state_; }
    DialogService& dialogs() { return dialogs_; }

    Tmain& main() { return *main_; }
    TSecond& Second() { return *second_; }
    TThird& Third() { return *third_; }
    Tabout& about() { return *about_; }
    TPreview& Preview() { return *preview_; }
    TFormUnits& FormUnits() { return *formUnits_; }
    TFormLabelType& FormLabelType() { return *formLabelType_; }
    TFormedit& Formedit() { return *formedit_; }
    // The window of the IEEE 1584-2018 model, made on first use: a start of
    // the program that never opens it does not pay for it.
    TIeee2018& Ieee2018();
    // The 2018 window once it has been made, else null.
    TIeee2018* Ieee2018IfMade() const { return ieee2018_.get(); }
    // The DC arc flash window, made on first use like the 2018 window.
    TDcArcFlash& DcArcFlash();
    TDcArcFlash* DcArcFlashIfMade() const { return dcArcFlash_.get(); }

    // The unit choices at this moment: the texts of the units window's selectors.
    UnitSettings Units() const;
    // The user's decimal separator, for every number read or written.
    char Sep() const;

    // Shows the main window; the start of the run.
    void Start();
    // Opens the files named on the command line, over the main window: a
    // study (.csv) in a study window of its own, any other file in the
    // editor. A file that cannot be opened is named in the error box and the
    // rest are still opened; the editor holds one file, the first.
    void OpenFiles(const QStringList& paths);
    // Runs a handler of `window` under the error handler: a value that is not
    // a number, a failed file operation or any other error ends the action
    // and is shown in the error box.
    template <class Handler>
    void Guard(QWidget* window, Handler&& handler) noexcept;
    // "Do you wish to exit now?" and, on Yes, the farewell and the end.
    void AskToExit(QWidget* window);
    // Ends the run: ends the event loop. From then on every window lets itself
    // be closed, so that no window's refusal to close can cancel the end.
    void Quit();
    bool quitRequested() const { return quitRequested_; }
    // Puts `window`, with the frame the window manager draws around it, in the
    // middle of the free part of the screen that holds the main window; a
    // window that may be resized is first made small enough to fit there.
    // Every window of the program is placed so each time it is shown, and
    // again when its own layout makes it larger.
    void CentreOnScreen(QWidget* window);
    // Where a window is put as it is shown: centred, or a study window a
    // step from the study window shown last.
    void Place(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowError(QWidget* window, const QString& text) noexcept;

    DialogService& dialogs_;
    SharedState state_;
    bool quitRequested_ = false;
    // The frame the window manager last drew around a window of the program:
    // it stands for the frame of a window not framed yet.
    QMargins frame_;
    QPointer<QWidget> lastStudy_;  // the study window placed last
    std::unique_ptr<Tmain> main_;
    std::unique_ptr<TSecond> second_;
    std::unique_ptr<TThird> third_;
    std::unique_ptr<Tabout> about_;
    std::unique_ptr<TPreview> preview_;
    std::unique_ptr<TFormUnits> formUnits_;
    std::unique_ptr<TFormLabelType> formLabelType_;
    std::unique_ptr<TFormedit> formedit_;
    // A top-level window of its own, not a child of the main window, whose
    // controls share names with it and are looked up by name.
    std::unique_ptr<TIeee2018> ieee2018_;
    std::unique_ptr<TDcArcFlash> dcArcFlash_;  // the same
};

template <class Handler>
void Application::Guard(QWidget* window, Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::bad_alloc&) {
        // What the action was writing went with its temporary file.
        ShowError(window, tr("Out of memory: the action was stopped, and no file it was writing was kept."));
    } catch (const std::exception& e) {
        ShowError(window, QString::fromUtf8(e.what()));
    } catch (...) {
        ShowError(window, tr("Unexpected error."));
    }
}

}  // namespace zentavo::ui

#include "ui/application.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>

#include "ui/about.h"
#include "ui/formedit.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/study_window.h"
#include "ui/units_window.h"
#include "ui/widgets.h"

// The label pictures are compiled into this library; a static library
// registers them itself.
static void InitLabelPictures() { Q_INIT_RESOURCE(labels); }

namespace zentavo::ui {

QFont WindowFont() {
    // Faces of the width the layouts were drawn for, in order of preference;
    // without any of them a condensed face keeps the captions within their
    // places. The first one installed is taken when text is first laid out.
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

namespace {
// The toolkit's own dialogs keep a settings file of the user (last folder,
// history, view of the file dialog). The program keeps nothing between
// runs: that file is read from and written to a place that cannot exist,
// a folder under a device file, so nothing is written and nothing is read.
void KeepNoSettings() {
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/zentavo"));
    }
}
}  // namespace

Application::Application(DialogService& dialogs) : dialogs_(dialogs) {
    KeepNoSettings();
    // The windows are pixel layouts drawn for a small sans-serif face at 8 pt.
    QApplication::setFont(WindowFont());
    InitLabelPictures();

    // The windows, in their fixed order; each creation handler runs here.
    main_ = std::make_unique<Tmain>(*this);
    second_ = std::make_unique<TSecond>(*this);
    third_ = std::make_unique<TThird>(*this);
    about_ = std::make_unique<Tabout>(main_.get());
    preview_ = std::make_unique<TPreview>(*this);
    formUnits_ = std::make_unique<TFormUnits>(*this);
    formLabelType_ = std::make_unique<TFormLabelType>(*this);
    formedit_ = std::make_unique<TFormedit>(*this);
}

Application::~Application() {
    // The about box is a child of the main window: it goes first.
    about_.reset();
}

UnitSettings Application::Units() const { return formUnits_->Units(); }

char Application::Sep() const { return LocaleDecimalSeparator(); }

void Application::Start() { main_->show(); }

void Application::AskToExit(QWidget* window) {
    if (!dialogs_.Confirm(window, QStringLiteral("Do you wish to exit now?"))) return;
    // A study with unsaved changes is saved or let go first; a cancel keeps the program running.
    for (TStudy* study : OpenStudyWindows()) {
        if (!study->ReadyToClose()) return;
    }
    dialogs_.Information(window, QStringLiteral("Thank you for using Zentavo"));
    Quit();
}

void Application::Quit() {
    quitRequested_ = true;
    // After the handler that asked for it has returned. Without a running
    // event loop (the windows driven directly) this does nothing.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void Application::CentreOnScreen(QWidget* window) const {
    const QScreen* screen = main_ && main_->screen() ? main_->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void Application::ShowError(QWidget* window, const QString& text) noexcept {
    try {
        dialogs_.Error(window, text);
    } catch (...) {
        // Nothing more can be done: the error box itself failed.
    }
}

}  // namespace zentavo::ui

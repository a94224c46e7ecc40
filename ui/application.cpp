// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QWindow>
#include <algorithm>

#include "ui/about.h"
#include "ui/dc_window.h"
#include "ui/formedit.h"
#include "ui/ieee2018_window.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/study_window.h"
#include "ui/translations.h"
#include "ui/units_window.h"
#include "ui/wheel_guard.h"
#include "ui/widgets.h"

// The label pictures are compiled into this library; a static library
// registers them itself.
static void InitLabelPictures() { Q_INIT_RESOURCE(labels); }
static void InitIcons() { Q_INIT_RESOURCE(icons); }

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
    InitIcons();
    // The program's own picture on every window: a task bar lists a window by
    // its title and this picture, also a wizard window the window manager
    // minimised while the main window is hidden.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/zentavo/icons/%1x%1/org.zentavo.Zentavo.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    // The wheel changes no list or number box the user has not chosen.
    qApp->installEventFilter(new WheelGuard(this));

    // The windows, in their fixed order; each creation handler runs here. The
    // 2018 and DC windows are made when they are first opened (Ieee2018, DcArcFlash).
    main_ = std::make_unique<Tmain>(*this);
    second_ = std::make_unique<TSecond>(*this);
    third_ = std::make_unique<TThird>(*this);
    about_ = std::make_unique<Tabout>(main_.get());
    preview_ = std::make_unique<TPreview>(*this);
    formUnits_ = std::make_unique<TFormUnits>(*this);
    formLabelType_ = std::make_unique<TFormLabelType>(*this);
    formedit_ = std::make_unique<TFormedit>(*this);
    // Every window of the program is placed as it is shown.
    qApp->installEventFilter(this);
}

Application::~Application() {
    // The about box is a child of the main window: it goes first.
    about_.reset();
}

TIeee2018& Application::Ieee2018() {
    if (!ieee2018_) ieee2018_ = std::make_unique<TIeee2018>(*this);
    return *ieee2018_;
}

TDcArcFlash& Application::DcArcFlash() {
    if (!dcArcFlash_) dcArcFlash_ = std::make_unique<TDcArcFlash>(*this);
    return *dcArcFlash_;
}

UnitSettings Application::Units() const { return formUnits_->Units(); }

char Application::Sep() const { return LocaleDecimalSeparator(); }

void Application::Start() { main_->show(); }

void Application::OpenFiles(const QStringList& paths) {
    bool editorTaken = false;
    for (const QString& path : paths) {
        if (QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0) {
            Guard(main_.get(), [&] { OpenStudyFile(*this, path)->show(); });
        } else if (editorTaken) {
            ShowError(main_.get(), tr("The editor holds one file at a time: \"%1\" was not opened.")
                                       .arg(QFileInfo(path).fileName()));
        } else {
            editorTaken = true;
            Guard(main_.get(), [&] {
                formedit_->LoadFile(path);
                formedit_->show();
                main_->hide();
            });
        }
    }
}

void Application::AskToExit(QWidget* window) {
    if (!dialogs_.Confirm(window, tr("Do you wish to exit now?"))) return;
    // A study with unsaved changes is saved or let go first; a cancel keeps the program running.
    for (TStudy* study : OpenStudyWindows()) {
        if (!study->ReadyToClose()) return;
    }
    dialogs_.Information(window, tr("Thank you for using Zentavo"));
    Quit();
}

void Application::Quit() {
    quitRequested_ = true;
    // After the handler that asked for it has returned. Without a running
    // event loop (the windows driven directly) this does nothing.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

namespace {
// Set on a window from its showing until the window manager has shown it in
// its frame: then its frame is known and it is placed once more.
constexpr const char* kAwaitingFrame = "zentavoAwaitingFrame";

// The windows the program places: its own top-level windows, not the dialogs
// and message boxes (the toolkit centres those over their parent), menus or tips.
bool IsPlacedWindow(const QObject* object) {
    const auto* w = qobject_cast<const QWidget*>(object);
    return w && w->isWindow() && w->windowType() == Qt::Window;
}

// The frame the window manager drew around `window`: none before it was framed.
QMargins FrameOf(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}
}  // namespace

void Application::CentreOnScreen(QWidget* window) {
    const QScreen* screen = main_ && main_->screen() ? main_->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QMargins frame = FrameOf(window);
    if (frame.isNull()) {
        frame = frame_;  // not framed yet: as the window framed last
    } else {
        frame_ = frame;
    }
    // A window larger than the free part of the screen is made to fit, down to its smallest size.
    const QSize room = area.size().shrunkBy(frame);
    QSize size = window->size();
    if (size.width() > room.width() || size.height() > room.height()) {
        size = size.boundedTo(room).expandedTo(window->minimumSize());
    }
    QRect framed(QPoint(), size.grownBy(frame));
    framed.moveCenter(area.center());
    // Still larger than the screen: its title bar stays on it.
    framed.moveTopLeft(QPoint(std::max(framed.left(), area.left()), std::max(framed.top(), area.top())));
    // The window's own rectangle, inside the frame: the toolkit takes a
    // position as the frame's only once the window manager has told it the frame.
    const QRect body = framed.marginsRemoved(frame);
    if (window->geometry() != body) window->setGeometry(body);
}

void Application::Place(QWidget* window) {
    // A study window opened beside another stands a step down and to the
    // right of the last one, so that both can be seen and reached; it is
    // centred where the step would leave the screen.
    QWidget* last = lastStudy_;
    if (qobject_cast<TStudy*>(window) && last && last != window && last->isVisible()) {
        const QScreen* screen = last->screen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        const QMargins frame = FrameOf(window).isNull() ? frame_ : FrameOf(window);
        const QPoint step(32, 32);
        QRect framed(last->frameGeometry().topLeft() + step, window->size().grownBy(frame));
        if (area.contains(framed)) {
            const QRect body = framed.marginsRemoved(frame);
            if (window->geometry() != body) window->setGeometry(body);
            return;
        }
    }
    CentreOnScreen(window);
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !event->spontaneous() && IsPlacedWindow(watched)) {
        auto* window = static_cast<QWidget*>(watched);
        Place(window);
        window->setProperty(kAwaitingFrame, true);
    } else if (event->type() == QEvent::Resize && IsPlacedWindow(watched)) {
        // A window its own layout made larger (a device's fields shown, a
        // longer text) is fitted and centred again, so that its buttons stay
        // on the screen; one the user made larger stays where the user put
        // it. The layout grows a window to its new smallest size.
        auto* window = static_cast<QWidget*>(watched);
        const auto* resize = static_cast<QResizeEvent*>(event);
        const QSize was = resize->oldSize(), now = resize->size();
        const bool grownByLayout = (now.width() > was.width() && now.width() == window->minimumWidth()) ||
                                   (now.height() > was.height() && now.height() == window->minimumHeight());
        if (window->isVisible() && was.isValid() && grownByLayout) CentreOnScreen(window);
    } else if (event->type() == QEvent::Expose) {
        // The window manager frames a window before it shows it: from the first
        // exposure on, the frame is known and the window is placed within it.
        auto* handle = qobject_cast<QWindow*>(watched);
        QWidget* window = handle && handle->isExposed() ? QWidget::find(handle->winId()) : nullptr;
        if (window && window->property(kAwaitingFrame).toBool()) {
            window->setProperty(kAwaitingFrame, QVariant());
            Place(window);
            if (qobject_cast<TStudy*>(window)) lastStudy_ = window;
        }
    }
    return QObject::eventFilter(watched, event);
}

void Application::ShowError(QWidget* window, const QString& text) noexcept {
    try {
        // A library's message in the user's language, where it is a known one.
        dialogs_.Error(window, LibraryText(text));
    } catch (...) {
        // Nothing more can be done: the error box itself failed.
    }
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// Where the windows come up on a real X server with a window manager. CTest
// runs this program under xvfb-run on a 1024 x 768 and on a 1280 x 1024
// screen; the program starts openbox on that server itself. What the server
// holds is read with xwininfo and xprop: the window's place, the frame the
// window manager drew around it (_NET_FRAME_EXTENTS), the work area, the
// title and icon a task bar shows.
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "drive.h"
#include "ui/application.h"
#include "ui/study_window.h"
#include "window_fixture.h"

extern char** environ;

using namespace zentavo::ui;

namespace {

QString why;  // why the window manager checks cannot run, when they cannot

// Runs a helper program to its end; its standard output.
QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The whole numbers of an xprop line ("NAME(CARDINAL) = 0, 0, 1024, 768").
QList<int> Numbers(const QString& xpropLine) {
    QList<int> out;
    const QString values = xpropLine.section('=', 1);
    for (const QString& v : values.split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = v.trimmed().toInt(&ok);
        if (ok) out << n;
    }
    return out;
}

// The part of the screen that windows may take, as the window manager announces it.
QRect WorkArea() {
    const QList<int> n = Numbers(Run("xprop", {"-root", "-notype", "_NET_WORKAREA"}));
    return n.size() >= 4 ? QRect(n[0], n[1], n[2], n[3]) : QRect();
}

// A window with the frame the window manager drew around it, on the screen.
QRect FrameOnServer(WId id) {
    const QString info = Run("xwininfo", {"-id", QString::number(id)});
    auto number = [&](const char* key) {
        const auto m = QRegularExpression(QString::fromLatin1(key) + QStringLiteral(":\\s+(-?\\d+)")).match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -99999;
    };
    const QRect body(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
                     number("Height"));
    // left, right, top, bottom
    const QList<int> e = Numbers(Run("xprop", {"-id", QString::number(id), "-notype", "_NET_FRAME_EXTENTS"}));
    if (e.size() != 4) return body;
    return body.adjusted(-e[0], -e[2], e[1], e[3]);
}

QString Describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The frame lies within the work area and its middle is the work area's, to a pixel.
bool CentredIn(const QRect& frame, const QRect& area) {
    const double dx = (frame.x() + frame.width() / 2.0) - (area.x() + area.width() / 2.0);
    const double dy = (frame.y() + frame.height() / 2.0) - (area.y() + area.height() / 2.0);
    return area.contains(frame) && std::abs(dx) <= 1 && std::abs(dy) <= 1;
}

// The icon of `size` pixels a window shows a task bar (_NET_WM_ICON), as an image.
QImage ServerIcon(WId id, int size) {
    const QString out = Run("xprop", {"-id", QString::number(id), "-notype", "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON"});
    QList<quint32> n;
    for (const QString& v : out.section('=', 1).split(',', Qt::SkipEmptyParts)) n << v.trimmed().toUInt();
    // Icons one after the other: width, height, then ARGB pixels row by row.
    for (qsizetype i = 0; i + 2 <= n.size();) {
        const int w = int(n[i]), h = int(n[i + 1]);
        if (w <= 0 || h <= 0 || i + 2 + qsizetype(w) * h > n.size()) break;
        if (w == size && h == size) {
            QImage image(w, h, QImage::Format_ARGB32);
            for (int p = 0; p < w * h; ++p) image.setPixel(p % w, p / w, n[i + 2 + p]);
            return image;
        }
        i += 2 + qsizetype(w) * h;
    }
    return {};
}

// The server's word on a window's state (WM_STATE): "Normal", "Iconic" or "".
QString WmState(WId id) {
    const QString out = Run("xprop", {"-id", QString::number(id), "WM_STATE"});
    const auto m = QRegularExpression(QStringLiteral("window state: (\\w+)")).match(out);
    return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace

class PlacementTest : public WindowTest {
    Q_OBJECT

public:
    PlacementTest() : WindowTest({.closeStudies = true}) {}

private:
    QTemporaryDir runFolder;  // one folder for all the test functions

    static void NeedWindowManager() {
        if (!why.isEmpty()) QSKIP(qPrintable(why));
    }

    QWidget* Open(const QString& which) { return OpenWindow(*app, *dialogs, which, runFolder.path()); }

    static void AddWindows() {
        QTest::addColumn<QString>("window");
        for (const QString& w : kWindowNames) QTest::newRow(qPrintable(w)) << w;
    }

private slots:
    // Every window fits in the work area with its frame and stands in its
    // middle, at its first showing and at the next one alike.
    void everyWindowFitsInTheMiddle_data() { AddWindows(); }
    void everyWindowFitsInTheMiddle() {
        QFETCH(QString, window);
        NeedWindowManager();
        QWidget* w = Open(window);
        QVERIFY(w);
        const QRect area = WorkArea();
        QVERIFY2(area.isValid(), "the window manager announces no work area");
        QRect first;
        for (const char* showing : {"first", "second"}) {
            QVERIFY(QTest::qWaitForWindowExposed(w, 5000));
            QRect frame;
            QTRY_VERIFY2_WITH_TIMEOUT(CentredIn(frame = FrameOnServer(w->winId()), area),
                                      qPrintable(QStringLiteral("%1 showing: frame at %2 on a work area of %3")
                                                     .arg(showing, Describe(frame), Describe(area))),
                                      5000);
            if (first.isNull()) {
                first = frame;
                w->hide();
                QTRY_VERIFY_WITH_TIMEOUT(WmState(w->winId()) != QStringLiteral("Normal"), 5000);
                w->show();
            } else {
                QCOMPARE(frame, first);
            }
        }
    }

    // A window whose layout grows once it is shown (the 2018 window's device
    // fields and picture) is fitted and centred again: its buttons stay on
    // the screen. Back to typed durations it keeps its size and place.
    void windowThatGrowsStaysInTheMiddle() {
        NeedWindowManager();
        QWidget* w = Open(QStringLiteral("2018 window"));
        QVERIFY(QTest::qWaitForWindowExposed(w, 5000));
        const QRect area = WorkArea();
        QTRY_VERIFY_WITH_TIMEOUT(CentredIn(FrameOnServer(w->winId()), area), 5000);
        const QRect typed = FrameOnServer(w->winId());
        Child<QComboBox>(*w, "DurationSourceBox")->setCurrentIndex(1);
        QRect frame;
        QTRY_VERIFY2_WITH_TIMEOUT((frame = FrameOnServer(w->winId())).height() > typed.height() && CentredIn(frame, area),
                                  qPrintable(QStringLiteral("grown from %1 to %2 on a work area of %3")
                                                 .arg(Describe(typed), Describe(frame), Describe(area))),
                                  5000);
        Child<QComboBox>(*w, "DurationSourceBox")->setCurrentIndex(0);
        QTest::qWait(200);
        QCOMPARE(FrameOnServer(w->winId()), frame);
    }

    // A second study window stands a step down and to the right of the
    // first, where the screen has room for it, else in the middle.
    void newStudyWindowsCascade() {
        NeedWindowManager();
        QWidget* first = Open(QStringLiteral("study"));
        QVERIFY(QTest::qWaitForWindowExposed(first, 5000));
        const QRect area = WorkArea();
        QTRY_VERIFY_WITH_TIMEOUT(CentredIn(FrameOnServer(first->winId()), area), 5000);
        first->findChild<QAction*>("NewStudy1")->trigger();
        TStudy* second = nullptr;
        for (TStudy* w : OpenStudyWindows()) {
            if (w != first) second = w;
        }
        QVERIFY(second);
        QVERIFY(QTest::qWaitForWindowExposed(second, 5000));
        const QRect firstFrame = FrameOnServer(first->winId());
        QRect frame;
        const QRect stepped(firstFrame.topLeft() + QPoint(32, 32), firstFrame.size());
        if (area.contains(stepped)) {
            QTRY_COMPARE_WITH_TIMEOUT((frame = FrameOnServer(second->winId())).topLeft(), stepped.topLeft(), 5000);
        } else {
            QTRY_VERIFY2_WITH_TIMEOUT(CentredIn(frame = FrameOnServer(second->winId()), area),
                                      qPrintable(Describe(frame)), 5000);
        }
    }

    // A wizard window minimised by the window manager (it has no minimise
    // button, but a window manager may minimise it all the same) has what a
    // task bar lists it by, its title and its icon, and comes back when the
    // task bar asks for it.
    void minimisedWizardWindowComesBackFromTheTaskBar_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        QTest::newRow("intermediate") << "intermediate" << "ZENTAVO: intermediate results";
        QTest::newRow("results") << "results" << "ZENTAVO: results";
        QTest::newRow("preview") << "preview" << "Preview";
    }
    void minimisedWizardWindowComesBackFromTheTaskBar() {
        QFETCH(QString, window);
        QFETCH(QString, title);
        NeedWindowManager();
        QWidget* w = Open(window);
        QVERIFY(QTest::qWaitForWindowExposed(w, 5000));
        QVERIFY(!app->main().isVisible());
        const QString id = QString::number(w->winId());
        Run("xdotool", {"windowminimize", "--sync", id});
        QTRY_COMPARE_WITH_TIMEOUT(WmState(w->winId()), QStringLiteral("Iconic"), 5000);
        const QString listed = Run("xprop", {"-id", id, "_NET_WM_NAME", "_NET_WM_STATE"});
        QVERIFY2(listed.contains(QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \"%1\"").arg(title)), qPrintable(listed));
        // The program's own picture, as the desktop installs it.
        const QImage own = QImage(QStringLiteral(ZENTAVO_ICON_DIR "/32x32/org.zentavo.Zentavo.png"))
                               .convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!own.isNull());
        QVERIFY2(ServerIcon(w->winId(), 32) == own, "the task bar is shown another picture than the program's");
        QVERIFY2(!listed.contains(QStringLiteral("SKIP_TASKBAR")), qPrintable(listed));
        // What a task bar sends when its entry is clicked.
        Run("xdotool", {"windowactivate", id});
        QTRY_COMPARE_WITH_TIMEOUT(WmState(w->winId()), QStringLiteral("Normal"), 5000);
        QVERIFY(QTest::qWaitForWindowExposed(w, 5000));
        QTRY_VERIFY_WITH_TIMEOUT(CentredIn(FrameOnServer(w->winId()), WorkArea()), 5000);
    }
};

int main(int argc, char** argv) {
    // The window manager, on the display xvfb-run gives; stopped at the end.
    pid_t wm = 0;
    QTemporaryDir wmHome;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        why = QStringLiteral("no X display (run under xvfb-run)");
    } else if (QStandardPaths::findExecutable("openbox").isEmpty()) {
        why = QStringLiteral("openbox is not installed (scripts/bootstrap.sh installs it)");
    } else if (QStandardPaths::findExecutable("xprop").isEmpty() ||
               QStandardPaths::findExecutable("xwininfo").isEmpty() ||
               QStandardPaths::findExecutable("xdotool").isEmpty()) {
        why = QStringLiteral("xprop, xwininfo or xdotool missing (scripts/bootstrap.sh installs them)");
    } else {
        // Its configuration and cache in a folder of its own.
        qputenv("XDG_CONFIG_HOME", wmHome.filePath("config").toLocal8Bit());
        qputenv("XDG_CACHE_HOME", wmHome.filePath("cache").toLocal8Bit());
        const QByteArray path = QStandardPaths::findExecutable("openbox").toLocal8Bit();
        char* args[] = {const_cast<char*>(path.constData()), const_cast<char*>("--sm-disable"), nullptr};
        if (posix_spawn(&wm, args[0], nullptr, nullptr, args, environ) != 0) wm = 0;
        // Ready once it announces itself on the root window.
        bool ready = false;
        for (int i = 0; wm > 0 && i < 100 && !ready; ++i) {
            ready = Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
            if (!ready) usleep(50000);
        }
        if (!ready) why = QStringLiteral("openbox did not start");
    }
    if (!why.isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    int status = 0;
    {
        QApplication qt(argc, argv);
        PlacementTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    if (wm > 0) {
        kill(wm, SIGTERM);
        waitpid(wm, nullptr, 0);
    }
    return status;
}

#include "placement_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a real X server: a private Xvfb is started for the test and
// the windows run on the xcb platform. Checks what only a real window system
// shows: the titles the server holds, where the windows are placed, and that
// the program process ends with status 0 when the user leaves it. Also checks
// that --help and --version answer on the terminal without any display.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <functional>
#include <memory>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "drive.h"
#include "fake_dialogs.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/formedit.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/study_window.h"
#include "ui/units_window.h"
#include "window_fixture.h"

extern char** environ;

using namespace zentavo::ui;

namespace {

constexpr int kScreenWidth = 1280, kScreenHeight = 1024;

// A private Xvfb on the first free display from :91, stopped at the end.
class XServer {
public:
    XServer() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty()) {
            why_ = "Xvfb is not installed (scripts/bootstrap.sh installs it)";
            return;
        }
        for (int n = 91; n < 140 && pid_ <= 0; ++n) {
            struct stat st;
            const QByteArray socket = "/tmp/.X11-unix/X" + QByteArray::number(n);
            const QByteArray lock = "/tmp/.X" + QByteArray::number(n) + "-lock";
            if (stat(socket.constData(), &st) == 0 || stat(lock.constData(), &st) == 0) continue;
            const QByteArray display = ":" + QByteArray::number(n);
            const QByteArray path = xvfb.toLocal8Bit();
            const QByteArray geometry = QByteArray::number(kScreenWidth) + "x" +
                                        QByteArray::number(kScreenHeight) + "x24";
            char* args[] = {const_cast<char*>(path.constData()), const_cast<char*>(display.constData()),
                            const_cast<char*>("-screen"), const_cast<char*>("0"),
                            const_cast<char*>(geometry.constData()), const_cast<char*>("-nolisten"),
                            const_cast<char*>("tcp"), nullptr};
            pid_t pid = 0;
            if (posix_spawn(&pid, args[0], nullptr, nullptr, args, environ) != 0) continue;
            // Ready when its socket appears; gone when the display was taken after all.
            for (int i = 0; i < 100; ++i) {
                if (stat(socket.constData(), &st) == 0) {
                    pid_ = pid;
                    display_ = display;
                    break;
                }
                int status = 0;
                if (waitpid(pid, &status, WNOHANG) == pid) break;
                usleep(50000);
            }
            if (pid_ <= 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
        if (pid_ <= 0) why_ = "no X server could be started with Xvfb";
    }
    ~XServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool running() const { return pid_ > 0; }
    QByteArray display() const { return display_; }
    const char* why() const { return why_; }

private:
    pid_t pid_ = 0;
    QByteArray display_;
    const char* why_ = "";
};

XServer* server = nullptr;

// Runs a helper program to its end; its standard output.
QString Run(const QString& program, const QStringList& args, int* status = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
    }
    if (status) *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The title the X server holds for a window, as a window manager reads it.
QString ServerTitle(WId id) {
    const QString out = Run(QStringLiteral("xprop"), {"-id", QString::number(id), "-notype", "_NET_WM_NAME"});
    const auto m = QRegularExpression(QStringLiteral("_NET_WM_NAME = \"(.*)\"")).match(out);
    return m.hasMatch() ? m.captured(1) : QStringLiteral("<no title: %1>").arg(out.trimmed());
}

// The rectangle of a window on the X server's screen.
QRect ServerGeometry(WId id) {
    const QString out = Run(QStringLiteral("xwininfo"), {"-id", QString::number(id)});
    auto number = [&](const char* key) {
        const auto m = QRegularExpression(QString::fromLatin1(key) + QStringLiteral(":\\s+(-?\\d+)")).match(out);
        return m.hasMatch() ? m.captured(1).toInt() : -99999;
    };
    return {number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"), number("Height")};
}

}  // namespace

class DesktopTest : public WindowTest {
    Q_OBJECT

public:
    DesktopTest() : WindowTest({}) {}

private:
    void NeedX() {
        if (!server->running()) QSKIP(qPrintable(QStringLiteral("no X server: %1").arg(server->why())));
        if (QStandardPaths::findExecutable("xprop").isEmpty() || QStandardPaths::findExecutable("xwininfo").isEmpty())
            QSKIP("xprop/xwininfo missing (x11-utils; scripts/bootstrap.sh installs it)");
    }
    // Waits until the server has `w` on screen.
    static bool Mapped(QWidget* w) {
        return QTest::qWaitForWindowExposed(w, 5000);
    }
private slots:
    // The command line is read before any window opens, GNU style.
    void commandLineAnswersWithoutADisplay_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("toFullDevice");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");  // what standard output starts with
        QTest::addColumn<QString>("err");  // standard error, exactly
        // clang-format off
        QTest::newRow("--version") << QStringList{"--version"} << false << 0 << QStringLiteral("zentavo " ZENTAVO_VERSION "\nCopyright (C) 2026 the Zentavo authors.\n") << QString();
        QTest::newRow("-V")        << QStringList{"-V"}        << false << 0 << QStringLiteral("zentavo " ZENTAVO_VERSION "\n") << QString();
        QTest::newRow("--help")    << QStringList{"--help"}    << false << 0 << QStringLiteral("Usage: zentavo [OPTION]... [FILE]...\n") << QString();
        QTest::newRow("-h")        << QStringList{"-h"}        << false << 0 << QStringLiteral("Usage: zentavo [OPTION]... [FILE]...\n") << QString();
        QTest::newRow("prefix")    << QStringList{"--ver"}     << false << 0 << QStringLiteral("zentavo ") << QString();
        QTest::newRow("after a file") << QStringList{"plant.csv", "--help"} << false << 0 << QStringLiteral("Usage:") << QString();
        QTest::newRow("help to a full disk") << QStringList{"--help"} << true << 1 << QString()
                                             << "zentavo: write error: No space left on device\n";
        QTest::newRow("unknown long") << QStringList{"--bogus"} << false << 2 << QString()
                                      << "zentavo: unrecognized option '--bogus' (see --help)\n";
        QTest::newRow("unknown short") << QStringList{"-x"} << false << 2 << QString()
                                       << "zentavo: invalid option -- 'x' (see --help)\n";
        QTest::newRow("value to a flag") << QStringList{"--help=yes"} << false << 2 << QString()
                                         << "zentavo: option '--help' doesn't allow an argument (see --help)\n";
        QTest::newRow("escaped") << QStringList{"--\x1b[2J"} << false << 2 << QString()
                                 << "zentavo: unrecognized option '--\\x1b[2J' (see --help)\n";
        // clang-format on
    }
    void commandLineAnswersWithoutADisplay() {
        QFETCH(QStringList, args);
        QFETCH(bool, toFullDevice);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        // With the X platform and no display, opening any window would abort the program.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        p.setProcessEnvironment(env);
        if (toFullDevice) p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(QStringLiteral(ZENTAVO_PROGRAM), args);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), status);
        const QString written = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(written.startsWith(out), qPrintable(written));
        if (out.isEmpty()) QCOMPARE(written, QString());
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()), err);
    }

    // Files named on the command line open over the main window: a study in
    // its window, another file in the editor; one that cannot be read is named
    // in the error box and the main window stays.
    void filesFromTheCommandLineOpen() {
        QTemporaryDir dir;
        auto WriteBytes = [](const QString& path, const QByteArray& bytes) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        const QString study = dir.filePath("plant.csv"), text = dir.filePath("notes.txt");
        QVERIFY(WriteBytes(study, "point,method,voltage,bolted_current,gap,gap_unit,work_distance,work_distance_unit,equipment_class,grounding,arc_time\n"
                                  "MCC-1,empirical,480,20,25,mm,455,mm,Switchgear,Grounded,0.1\n"));
        QVERIFY(WriteBytes(text, "first line\n"));
        app->Start();
        app->OpenFiles({study, text, dir.filePath("missing.csv")});
        TStudy* opened = nullptr;
        for (TStudy* s : OpenStudyWindows()) opened = s;
        QVERIFY(opened);
        QCOMPARE(opened->windowTitle(), QStringLiteral("plant.csv[*] - Zentavo study"));
        QVERIFY(app->Formedit().isVisible());
        QCOMPARE(app->Formedit().RichEdit1->toPlainText(), QStringLiteral("first line\n"));
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        QVERIFY2(dialogs->shown[0].text.contains("missing.csv"), qPrintable(dialogs->shown[0].text));
        opened->close();
        delete opened;
    }

    // Started with a study, the program shows it in its own window on the
    // server, and the main window carries the program's picture there.
    void programOpensTheStudyItIsGiven() {
        NeedX();
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool missing (scripts/bootstrap.sh installs it)");
        QTemporaryDir dir;
        QFile file(dir.filePath("site.csv"));
        const QString study = file.fileName();
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("point,method,voltage,bolted_current,gap,gap_unit,work_distance,work_distance_unit,equipment_class,grounding,arc_time\n"
                                  "MCC-1,empirical,480,20,25,mm,455,mm,Switchgear,Grounded,0.1\n") > 0);
        file.close();
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromLatin1(server->display()));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("HOME", dir.path());
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(ZENTAVO_PROGRAM), {"--", study});
        QVERIFY(program.waitForStarted(5000));
        auto windowNamed = [&](const QString& title) {
            for (int i = 0; i < 50; ++i) {
                QProcess p;
                p.setProcessEnvironment(env);
                p.start("xdotool", {"search", "--onlyvisible", "--name", "^" + QRegularExpression::escape(title) + "$"});
                p.waitForFinished(10000);
                const QString id = QString::fromUtf8(p.readAllStandardOutput()).section('\n', 0, 0).trimmed();
                if (!id.isEmpty()) return id;
                QThread::msleep(100);
            }
            return QString();
        };
        const QString studyWindow = windowNamed(QStringLiteral("site.csv - Zentavo study"));
        const QString mainWindow = windowNamed(QStringLiteral("Zentavo"));
        const QString icon = mainWindow.isEmpty()
                                 ? QString()
                                 : Run(QStringLiteral("xprop"), {"-id", mainWindow, "-notype", "_NET_WM_ICON"}).left(200);
        program.kill();
        program.waitForFinished();
        QVERIFY2(!studyWindow.isEmpty(), "no study window on the server");
        QVERIFY2(!mainWindow.isEmpty(), "no main window on the server");
        QVERIFY2(icon.contains(QStringLiteral("Icon (16 x 16)")), qPrintable(icon));
    }

    // Every window's and message box's title reads on the server exactly as given.
    void titlesOnTheServer() {
        NeedX();
        app->Start();
        Tmain& m = app->main();
        QVERIFY(Mapped(&m));
        QCOMPARE(ServerTitle(m.winId()), QStringLiteral("Zentavo"));
        ToIntermediate(*app);
        QVERIFY(Mapped(&app->Second()));
        QCOMPARE(ServerTitle(app->Second().winId()), QStringLiteral("ZENTAVO: intermediate results"));
        app->Second().t1Edit->setText("0.2");
        app->Second().Edit2->setText("0.2");
        app->Second().Button2->click();
        QVERIFY(Mapped(&app->Third()));
        QCOMPARE(ServerTitle(app->Third().winId()), QStringLiteral("ZENTAVO: results"));
        app->Third().Button2->click();
        QVERIFY(Mapped(&app->Preview()));
        QCOMPARE(ServerTitle(app->Preview().winId()), QStringLiteral("Preview"));

        // The program's own message boxes, read while they are up.
        QtDialogService real;
        struct Box {
            QString title;
            std::function<void()> show;
        };
        const QList<Box> boxes = {
            {"Warning!", [&] { real.Warning(&m, "text"); }},
            {"Confirm", [&] { real.Confirm(&m, "text"); }},
            {"Information", [&] { real.Information(&m, "text"); }},
        };
        for (const Box& box : boxes) {
            QString seen;
            QTimer::singleShot(0, [&] {
                QWidget* modal = nullptr;
                QTRY_VERIFY_WITH_TIMEOUT((modal = QApplication::activeModalWidget()) != nullptr &&
                                             modal->windowHandle() && modal->windowHandle()->isExposed(),
                                         5000);
                seen = ServerTitle(modal->winId());
                qobject_cast<QDialog*>(modal)->reject();
            });
            // Whatever happens, the box does not stay up.
            QTimer::singleShot(8000, [] {
                if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) modal->reject();
            });
            box.show();
            QCOMPARE(seen, box.title);
        }
    }

    // The wizard windows, the units window and the editor come up in the middle of the screen.
    void windowsCentredOnTheScreen() {
        NeedX();
        app->Start();
        const QPoint centre(kScreenWidth / 2, kScreenHeight / 2);
        auto check = [&](QWidget* w) {
            QVERIFY(Mapped(w));
            const QRect r = ServerGeometry(w->winId());
            QVERIFY2((r.center() - centre).manhattanLength() <= 2,
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5").arg(w->objectName()).arg(r.x()).arg(r.y())
                                    .arg(r.width()).arg(r.height())));
        };
        Tmain& m = app->main();
        check(&m);
        m.findChild<QAction*>("Units1")->trigger();
        check(&app->FormUnits());
        app->FormUnits().Button2Click();
        check(&m);
        ToIntermediate(*app);
        check(&app->Second());
        app->Second().t1Edit->setText("0.2");
        app->Second().Edit2->setText("0.2");
        app->Second().Button2->click();
        check(&app->Third());
        // The editor, opened on a report file.
        QTemporaryDir dir;
        const QString file = dir.filePath("report.txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("report\n");
        f.close();
        app->Third().Button1Click();  // back to the intermediate window
        app->Second().Button1Click();  // and to the main window
        dialogs->fileNames = {file};
        m.findChild<QAction*>("Open1")->trigger();
        check(&app->Formedit());
    }

    // The exit button of the results window ends the loop on the X server too.
    void exitOnTheServer() {
        NeedX();
        dialogs->answers = {true};
        app->Start();
        ToResults(*app);
        QVERIFY(Mapped(&app->Third()));
        bool overdue = false;
        QTimer::singleShot(5000, [&] {
            overdue = true;
            QCoreApplication::exit(3);
        });
        QTimer::singleShot(0, [this] { app->Third().BitBtn1->click(); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!overdue);
        QVERIFY(!app->Third().isVisible());
    }

    // The program itself, driven from the keyboard and the mouse on the
    // server; the process must end by itself with status 0. A step is the
    // title of the window it waits for, then what xdotool does in it (%w: the window).
    void programEndsWhenTheUserExits_data() {
        QTest::addColumn<QStringList>("steps");
        const QString yes = "Confirm|key alt+y", ok = "Information|key Return";
        QTest::newRow("main window, File, Exit") << QStringList{"Zentavo|key alt+f x", yes, ok};
        // The inputs typed in the focus order of the empirical tab, "Next", then the exit button at 441, 4.
        QTest::newRow("intermediate window, exit button")
            << QStringList{"Zentavo|key Down Tab 3 2 Tab Tab 4 5 5 Tab 2 0 Tab 4 8 0 Tab space",
                           "ZENTAVO: intermediate results|mousemove --window %w 452 16 click 1", yes, ok};
        // A new study with a row added (Insert), so unsaved; the exit
        // from the main window asks about it, and Discard lets the program end.
        QTest::newRow("unsaved study, exit from the main window")
            << QStringList{"Zentavo|key alt+f n", "New study - Zentavo study|key Insert",
                           "New study* - Zentavo study|key ctrl+w", "Save changes|key Escape",
                           "New study* - Zentavo study|key alt+f Escape",
                           "Zentavo|key alt+f x", yes, "Save changes|key alt+d", ok};
    }
    void programEndsWhenTheUserExits() {
        QFETCH(QStringList, steps);
        NeedX();
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool missing (scripts/bootstrap.sh installs it)");
        QTemporaryDir home;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromLatin1(server->display()));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.path());
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home.path());
        program.start(QStringLiteral(ZENTAVO_PROGRAM), {});
        QVERIFY(program.waitForStarted(5000));
        auto xdotool = [&](const QStringList& args) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start("xdotool", args);
            p.waitForFinished(10000);
            return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        };
        // Waits for a window of that exact title, gives it the keyboard and acts in it.
        auto act = [&](const QString& title, const QString& action) {
            QString id;
            for (int i = 0; i < 50 && id.isEmpty(); ++i) {
                id = xdotool({"search", "--onlyvisible", "--name", "^" + QRegularExpression::escape(title) + "$"})
                         .section('\n', 0, 0);
                if (id.isEmpty()) QThread::msleep(100);
            }
            if (id.isEmpty()) return QStringLiteral("no window \"%1\"").arg(title);
            // The title as the server holds it for window managers, exactly.
            const QString held = ServerTitle(id.toULongLong());
            if (held != title) return QStringLiteral("title \"%1\", expected \"%2\"").arg(held, title);
            QThread::msleep(200);
            xdotool({"windowfocus", "--sync", id});
            QStringList args = action.split(' ');
            args.replaceInStrings(QStringLiteral("%w"), id);
            if (args.first() == QStringLiteral("key")) args = QStringList{"key", "--delay", "60"} + args.mid(1);
            xdotool(args);
            return QString();
        };
        for (const QString& step : steps) {
            const QString problem = act(step.section('|', 0, 0), step.section('|', 1));
            if (!problem.isEmpty()) program.kill();
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
        const bool ended = program.waitForFinished(5000);
        if (!ended) program.kill();
        QVERIFY2(ended, "the program kept running after the farewell");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        // It kept no settings.
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }
};

int main(int argc, char** argv) {
    XServer x;
    server = &x;
    if (x.running()) {
        qputenv("DISPLAY", x.display());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qWarning("desktop_test: %s; the X server checks are skipped", x.why());
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication qt(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"

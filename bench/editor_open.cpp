// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a large file in the browser/editor: the time to read, decode and
// load it into the text widget and show it, the time of a Save As without an
// edit, how long the editor takes to answer keys and clicks, and the peak
// memory of the process that does it.
//   build/bench/editor_open [shape] [megabytes, default 20]
// Shapes: report (blocks of the empirical model, as "Save results" writes
// them; the default), line (a single line of "a"), empty (empty lines, LF),
// short (lines of 100 bytes, CR LF). The file is made first; a fresh process
// then opens it, so that its peak memory is the editor's alone.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <cstdio>
#include <algorithm>
#include <cctype>
#include <functional>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "report/report.h"
#include "report/text_model.h"
#include "ui/application.h"
#include "ui/editor_text.h"
#include "ui/formedit.h"

namespace {

using namespace zentavo;
using namespace zentavo::ui;

class NoDialogs : public DialogService {
public:
    void Warning(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    bool Confirm(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    SaveAnswer AskSaveChanges(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    DuplicateAnswer AskDuplicateBranch(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    void Information(QWidget*, const QString&) override {}
    void Message(QWidget*, const QString&, const QString&) override {}
    void Error(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    QString OpenFileName(QWidget*, const FileChoice&) override { return {}; }
    QString SaveFileName(QWidget*, const FileChoice&) override { return saveName; }
    QString saveName;
    bool PrintSetup(QWidget*, QPrinter&) override { return false; }
    bool StudyExportSetup(QWidget*, StudyExportChoice&) override { return false; }
    std::optional<QString> AskText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    void OpenDocument(const QString&) override {}
};

// Processor time of the process so far, in milliseconds: the open's own
// cost on a machine that other work shares.
long long CpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000LL + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

// Processor time of the process in milliseconds, finer than getrusage's.
double CpuMsFine() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

long PeakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

void MakeReport(const std::string& path, std::size_t megabytes) {
    EmpiricalReportTexts t;
    t.equipmentClass = "Switchgear", t.gapUnit = "mm", t.gap = "32", t.grounding = "Grounded";
    t.workDistUnit = "mm", t.workDist = "455", t.boltedCurrent = "20", t.voltage = "480";
    t.arcCurrent = "11.29", t.arcTime = "0.2", t.arcCurrentReduced = "9.6", t.arcTimeReduced = "0.25";
    t.fullEnergyCaption = "Incident energy exposure (cal/cm2):", t.fullEnergy = "5.25";
    t.fullBoundaryCaption = "Flash protection boundary (inches):", t.fullBoundary = "50";
    t.fullPpeLevel = "2";
    t.fullPressureCaption = "Initial pressure (lb/ft2):", t.fullPressure = "2150";
    t.fullTntCaption = "TNT Equivalent (kg):", t.fullTnt = "0.0412";
    t.reducedEnergyCaption = "Incident energy exposure (cal/cm2):", t.reducedEnergy = "5.8";
    t.reducedBoundaryCaption = "Flash protection boundary (inches):", t.reducedBoundary = "53";
    t.reducedPpeLevel = "2";
    t.reducedPressureCaption = "Initial pressure (lb/ft2):", t.reducedPressure = "1830";
    t.reducedTntCaption = "TNT Equivalent (kg):", t.reducedTnt = "0.035";
    t.limitedApproachCaption = "Limited approach boundary (inches):", t.limitedApproach = "42";
    t.restrictedApproachCaption = "Restricted approach boundary (inches):", t.restrictedApproach = "12";
    t.prohibitedApproachCaption = "Prohibited approach boundary (inches):", t.prohibitedApproach = "1";
    t.pressureShown = t.tntShown = true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::size_t written = 0;
    for (bool appending = false; written < megabytes << 20; appending = true) {
        const std::string block = EncodeReportBlock(EmpiricalReportLines(t), appending);
        out << block;
        written += block.size();
    }
}

// A file of `megabytes` MiB of one shape (see the top of this file).
bool MakeShape(const std::string& path, const std::string& shape, std::size_t megabytes) {
    const std::size_t size = megabytes << 20;
    std::string line;
    if (shape == "line") {
        line.assign(size, 'a');
    } else if (shape == "empty") {
        line = "\n";
    } else if (shape == "short") {
        line = std::string(98, 'x') + "\r\n";
    } else {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string chunk;  // whole lines of about a mebibyte at a time
    while (chunk.size() < (1u << 20) && chunk.size() < size) chunk += line;
    for (std::size_t written = 0; written < size;) {
        const std::size_t n = std::min(chunk.size(), size - written);
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        written += n;
    }
    return true;
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
         const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void Click(QWidget* w, QPoint at) {
    const QPointF local(at), global(w->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// Keys and clicks a user gives a file: each answered (handled, laid out and
// painted) before the next. Prints each one's wall and processor time and
// returns the slowest wall time in milliseconds; `typed` counts the
// characters the steps add to the text.
qint64 AnswerKeysAndClicks(TFormedit& editor, int& typed) {
    QPlainTextEdit* edit = editor.RichEdit1;
    QWidget* view = edit->viewport();
    struct Step {
        const char* name;
        std::function<void()> act;
        int adds;
    };
    const QPoint middle(view->width() / 2, view->height() / 2);
    const Step steps[] = {
        {"click", [&] { Click(view, middle); }, 0},
        {"type x", [&] { Key(edit, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")); }, 1},
        {"End", [&] { Key(edit, Qt::Key_End); }, 0},
        {"type y", [&] { Key(edit, Qt::Key_Y, Qt::NoModifier, QStringLiteral("y")); }, 1},
        {"Home", [&] { Key(edit, Qt::Key_Home); }, 0},
        {"Ctrl+End", [&] { Key(edit, Qt::Key_End, Qt::ControlModifier); }, 0},
        {"type z", [&] { Key(edit, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z")); }, 1},
        {"Backspace", [&] { Key(edit, Qt::Key_Backspace); }, -1},
        {"Page Up", [&] { Key(edit, Qt::Key_PageUp); }, 0},
        {"Shift+End", [&] { Key(edit, Qt::Key_End, Qt::ShiftModifier); }, 0},
        {"Ctrl+Home", [&] { Key(edit, Qt::Key_Home, Qt::ControlModifier); }, 0},
        {"Page Down", [&] { Key(edit, Qt::Key_PageDown); }, 0},
        {"Down", [&] { Key(edit, Qt::Key_Down); }, 0},
        {"click", [&] { Click(view, QPoint(view->width() - 20, 10)); }, 0},
    };
    qint64 slowest = 0;
    for (const Step& s : steps) {
        QElapsedTimer clock;
        clock.start();
        const double cpu0 = CpuMsFine();
        s.act();
        QApplication::processEvents();  // laid out and painted
        const qint64 wall = clock.elapsed();
        std::printf("  %-10s %5lld ms wall, %5.0f ms processor\n", s.name,
                    static_cast<long long>(wall), CpuMsFine() - cpu0);
        std::fflush(stdout);
        slowest = std::max(slowest, wall);
        typed += s.adds;
    }
    return slowest;
}

int Open(const char* path) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "editor_open";
    char* argv[] = {name, nullptr};
    QApplication qapp(argc, argv);
    NoDialogs dialogs;
    Application app(dialogs);
    app.Start();
    TFormedit& editor = app.Formedit();
    QApplication::processEvents();
    const long before = PeakRssMb();

    QElapsedTimer clock;
    if (qEnvironmentVariableIsSet("ZENTAVO_BENCH_STAGES")) {
        // The editor's open, stage by stage (as TFormedit::LoadFile does it).
        clock.start();
        std::string bytes = ReadFile(path, kEditorFileLimit);
        const qint64 read = clock.elapsed();
        TextLines lines = ParseTextFile(std::move(bytes));
        const qint64 parsed = clock.elapsed();
        const std::vector<DisplayBlock> blocks =
            DisplayBlocks(lines, LinesPerEditorBlock(lines.LineCount()));
        const qint64 cut = clock.elapsed();
        QString text = EditorText(lines, blocks);
        const qint64 converted = clock.elapsed();
        QPlainTextEdit edit;
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.setPlainText(text);
        text = QString();
        const qint64 loaded = clock.elapsed();
        MarkContinuedLines(*edit.document(), blocks);
        const qint64 marked = clock.elapsed();
        std::printf(
            "stages: read %lld, parse %lld, blocks %lld, QString %lld, setPlainText %lld, marks "
            "%lld ms; "
            "%zu blocks; peak %ld MB\n",
            static_cast<long long>(read), static_cast<long long>(parsed - read),
            static_cast<long long>(cut - parsed), static_cast<long long>(converted - cut),
            static_cast<long long>(loaded - converted), static_cast<long long>(marked - loaded),
            blocks.size(), PeakRssMb());
        return 0;
    }
    const long long cpu0 = CpuMs();
    clock.start();
    // As File, Open does it: the file into the editor, then the editor shown.
    editor.LoadFile(QString::fromLocal8Bit(path));
    const qint64 loaded = clock.elapsed();
    editor.show();
    QApplication::processEvents();  // laid out and painted
    const qint64 shown = clock.elapsed();
    const long long cpu = CpuMs() - cpu0;
    const long afterOpen = PeakRssMb();

    dialogs.saveName = QString::fromLocal8Bit(path) + QStringLiteral(".saved");
    clock.restart();
    editor.SaveAs1Click();
    const qint64 saved = clock.elapsed();

    std::printf("blocks in the editor: %d\n", editor.RichEdit1->document()->blockCount());
    std::printf("open (read, decode, load into the widget): %lld ms\n", static_cast<long long>(loaded));
    std::printf("open until shown (laid out and painted): %lld ms wall, %lld ms processor\n",
                static_cast<long long>(shown), cpu);
    std::printf("peak memory: %ld MB before the open, %ld MB after it\n", before, afterOpen);
    std::printf("Save As without an edit: %lld ms, peak memory then %ld MB\n", static_cast<long long>(saved),
                PeakRssMb());
    std::ifstream a(path, std::ios::binary), b(dialogs.saveName.toStdString(), std::ios::binary);
    const bool same = std::string(std::istreambuf_iterator<char>(a), {}) ==
                      std::string(std::istreambuf_iterator<char>(b), {});
    std::printf("saved bytes identical: %s\n", same ? "yes" : "NO");
    std::fflush(stdout);

    std::printf("keys and clicks (each handled, laid out and painted):\n");
    int typed = 0;
    const qint64 slowest = AnswerKeysAndClicks(editor, typed);
    std::printf("slowest answer: %lld ms\n", static_cast<long long>(slowest));
    clock.restart();
    editor.SaveAs1Click();
    const qint64 savedEdited = clock.elapsed();
    a.clear();
    a.seekg(0);
    b = std::ifstream(dialogs.saveName.toStdString(), std::ios::binary);
    const std::string original(std::istreambuf_iterator<char>(a), {});
    const std::string after(std::istreambuf_iterator<char>(b), {});
    const bool sameLines = std::count(original.begin(), original.end(), '\n') ==
                           std::count(after.begin(), after.end(), '\n');
    const bool grew = after.size() == original.size() + static_cast<std::size_t>(typed);
    std::printf("Save As after the edits: %lld ms, peak memory then %ld MB; %s\n",
                static_cast<long long>(savedEdited), PeakRssMb(),
                sameLines && grew ? "the same lines with the typed characters"
                                  : "LINES OR CHARACTERS DIFFER");
    std::remove(dialogs.saveName.toStdString().c_str());
    return same && sameLines && grew ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--open") return Open(argv[2]);
    int arg = 1;
    std::string shape = "report";
    if (argc > arg && !std::isdigit(static_cast<unsigned char>(argv[arg][0]))) shape = argv[arg++];
    const std::size_t megabytes = argc > arg ? std::strtoul(argv[arg], nullptr, 10) : 20;
    char path[] = "/tmp/zentavo-editor-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return 1;
    close(fd);
    if (shape == "report") {
        MakeReport(path, megabytes);
    } else if (!MakeShape(path, shape, megabytes)) {
        std::fprintf(stderr, "unknown shape %s: report, line, empty or short\n", shape.c_str());
        std::remove(path);
        return 2;
    }
    std::ifstream f(path, std::ios::binary | std::ios::ate);
    std::printf("%s: %lld bytes\n", shape.c_str(), static_cast<long long>(f.tellg()));
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        execl("/proc/self/exe", argv[0], "--open", path, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::remove(path);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

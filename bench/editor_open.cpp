// Opening a large report in the browser/editor: the time to read, decode and
// load it into the text widget and show it, the time of a Save As without an
// edit, and the peak memory of the process that does it.
//   build/bench/editor_open [megabytes, default 20]
// The report is made first (blocks of the empirical model, as "Save results"
// writes them); a fresh process then opens it, so that its peak memory is
// the editor's alone.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "report/report.h"
#include "report/text_model.h"
#include "ui/application.h"
#include "ui/formedit.h"

namespace {

using namespace zentavo;
using namespace zentavo::ui;

class NoDialogs : public DialogService {
public:
    void Warning(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    bool Confirm(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    SaveAnswer AskSaveChanges(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    void Information(QWidget*, const QString&) override {}
    void Message(QWidget*, const QString&, const QString&) override {}
    void Error(QWidget*, const QString& t) override { qFatal("unexpected: %s", qPrintable(t)); }
    QString OpenFileName(QWidget*, const FileChoice&) override { return {}; }
    QString SaveFileName(QWidget*, const FileChoice&) override { return saveName; }
    QString saveName;
    bool PrintSetup(QWidget*, QPrinter&) override { return false; }
    bool StudyExportSetup(QWidget*, StudyExportChoice&) override { return false; }
    void OpenDocument(const QString&) override {}
};

// Processor time of the process so far, in milliseconds: the open's own
// cost on a machine that other work shares.
long long CpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000LL + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
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
    t.label10 = "Incident energy exposure (cal/cm2):", t.label25 = "5.25";
    t.label11 = "Flash protection boundary (inches):", t.label26 = "50";
    t.label27 = "2";
    t.label43 = "Initial pressure (lb/ft2):", t.label45 = "2150";
    t.label44 = "TNT Equivalent (kg):", t.label46 = "0.0412";
    t.label13 = "Incident energy exposure (cal/cm2):", t.label28 = "5.8";
    t.label14 = "Flash protection boundary (inches):", t.label29 = "53";
    t.label30 = "2";
    t.label39 = "Initial pressure (lb/ft2):", t.label41 = "1830";
    t.label40 = "TNT Equivalent (kg):", t.label42 = "0.035";
    t.label33 = "Limited approach boundary (inches):", t.label36 = "42";
    t.label34 = "Restricted approach boundary (inches):", t.label37 = "12";
    t.label35 = "Prohibited approach boundary (inches):", t.label38 = "1";
    t.pressureShown = t.tntShown = true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::size_t written = 0;
    for (bool appending = false; written < megabytes << 20; appending = true) {
        const std::string block = EncodeReportBlock(EmpiricalReportLines(t), appending);
        out << block;
        written += block.size();
    }
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
        clock.start();
        const std::string bytes = ReadFile(path, kEditorFileLimit);
        const qint64 read = clock.elapsed();
        TextLines lines = ParseTextFile(bytes);
        const qint64 parsed = clock.elapsed();
        QString text = QString::fromUtf8(lines.text.data(), static_cast<qsizetype>(lines.text.size()));
        const qint64 converted = clock.elapsed();
        QPlainTextEdit edit;
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.setPlainText(text);
        const qint64 loaded = clock.elapsed();
        std::printf("stages: read %lld, parse %lld, QString %lld, setPlainText %lld ms; peak %ld MB\n",
                    static_cast<long long>(read), static_cast<long long>(parsed - read),
                    static_cast<long long>(converted - parsed), static_cast<long long>(loaded - converted),
                    PeakRssMb());
        return 0;
    }
    const long long cpu0 = CpuMs();
    clock.start();
    editor.show();
    editor.LoadFile(QString::fromLocal8Bit(path));
    const qint64 loaded = clock.elapsed();
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
    std::remove(dialogs.saveName.toStdString().c_str());
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--open") return Open(argv[2]);
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20;
    char path[] = "/tmp/zentavo-editor-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return 1;
    close(fd);
    MakeReport(path, megabytes);
    std::ifstream f(path, std::ios::binary | std::ios::ate);
    std::printf("report: %lld bytes\n", static_cast<long long>(f.tellg()));
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

// SPDX-License-Identifier: GPL-3.0-or-later
// The units window, the results report and the browser/editor, driven
// through the real windows under the offscreen platform.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "file_tools.h"

#include "fake_dialogs.h"
#include "ui/application.h"
#include "ui/editor_text.h"
#include "ui/formedit.h"
#include "ui/main_window.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/study_window.h"
#include "ui/units_window.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

namespace {
QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QByteArray Expected(const char* name) {
    return Read(QStringLiteral(ZENTAVO_EXPECTED_DIR "/") + QString::fromLatin1(name));
}
// Types text through key events, one character each, as a keyboard with
// those characters would (QTest::keyClicks takes Latin-1 only).
void Type(QWidget* w, const QString& text) {
    for (QChar ch : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}
void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

class FilesTest : public WindowTest {
    Q_OBJECT

public:
    FilesTest() : WindowTest({.start = true, .folder = true, .scriptedDialogs = true}) {}

private:
    Tmain& M() { return app->main(); }
    TSecond& S() { return app->Second(); }
    TThird& T() { return app->Third(); }
    TFormUnits& U() { return app->FormUnits(); }
    TFormedit& E() { return app->Formedit(); }
    QString Path(const char* name) { return dir->filePath(QString::fromLatin1(name)); }

    void Empirical(const QString& volt, const QString& t1, const QString& t2, bool pressure,
                   bool tnt) {
        M().PageControl1->setCurrentIndex(0);
        M().VoltEdit->setText(volt);
        M().IbfEdit->setText(volt == "480" ? "20" : "10");
        if (M().GapEdit->text().isEmpty()) M().GapEdit->setText("32");
        if (M().WorkDistEdit->text().isEmpty()) M().WorkDistEdit->setText(volt == "480" ? "455" : "910");
        M().EquipClassBox->setCurrentIndex(1);
        M().GroundGroup->setItemIndex(1);
        M().Calc1->click();
        QVERIFY(S().isVisible());
        S().t1Edit->setText(t1);
        S().Edit2->setText(t2);
        S().CheckBox1->setChecked(pressure);
        if (S().CheckBox2->isEnabled()) S().CheckBox2->setChecked(tnt);
        S().Button2->click();
        QVERIFY(T().isVisible());
    }
    void SaveReport(const QString& path) {
        dialogs->fileNames.push_back(path);
        T().Button3->click();
    }
    void SetUnits(const char* gap, const char* wd, const char* boundary, const char* energy) {
        M().findChild<QAction*>("Units1")->trigger();
        QVERIFY(U().isVisible() && !M().isVisible());
        U().Gap_Units->setEditText(gap);
        U().WD_units->setEditText(wd);
        U().FlashBound_units->setEditText(boundary);
        U().ComboBox2->setEditText(energy);
        U().Button1->click();
    }

private slots:
    // --- Results report --------------------------------------------------------

    void empiricalReportNewFileThenAppended() {
        Empirical("480", "0.2", "0.25", true, true);
        SaveReport(Path("report.txt"));
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Read(Path("report.txt")), Expected("empirical.txt"));
        const FileChoice& choice = dialogs->fileDialogs.constFirst();
        QCOMPARE(choice.title, QStringLiteral("Save results to"));
        QCOMPARE(choice.defaultSuffix, QStringLiteral("txt"));
        QVERIFY(!choice.confirmOverwrite);
        SaveReport(Path("report.txt"));
        QCOMPARE(Read(Path("report.txt")), Expected("empirical-twice.txt"));
        QCOMPARE(dialogs->fileDialogs[1].initialName, Path("report.txt"));  // the name chosen last
    }

    void cancellingTheSaveWritesNothing() {
        Empirical("480", "0.2", "0.25", true, true);
        SaveReport(QString());
        QVERIFY(!QFile::exists(Path("report.txt")));
        QVERIFY(dialogs->shown.isEmpty());
        QVERIFY(T().isVisible());
    }

    void reportWithoutCheckBoxesOrReducedCase() {
        Empirical("480", "0.2", "0.25", false, false);
        SaveReport(Path("plain.txt"));
        QCOMPARE(Read(Path("plain.txt")), Expected("empirical-no-boxes.txt"));
        T().Button1->click();
        S().Button1->click();
        M().GapEdit->clear();
        M().WorkDistEdit->clear();
        Empirical("20000", "0.5", "", true, false);
        SaveReport(Path("lee.txt"));
        QCOMPARE(Read(Path("lee.txt")), Expected("empirical-lee.txt"));
    }

    void reportFollowsTheUnits() {
        M().GapEdit->setText("32");
        M().WorkDistEdit->setText("455");
        SetUnits("inches", "mm", "mm", "J/cm2");
        QCOMPARE(M().GapEdit->text(), QStringLiteral("1.26"));
        Empirical("480", "0.2", "0.25", true, true);
        SaveReport(Path("units.txt"));
        QCOMPARE(Read(Path("units.txt")), Expected("empirical-units.txt"));
    }

    // A unit word Windows-1252 cannot hold stops "Save results" with the
    // character named; the report keeps what it had, without a '?'.
    void aUnitWordTheReportCannotHoldIsRefused() {
        Write(Path("report.txt"), "earlier block\r\n");
        Empirical("480", "0.2", "0.25", true, true);
        // No unit word can bring such a letter in any more (the units window
        // takes only its items' words): a caption set by other means stands
        // for any text the report cannot hold.
        T().L("Label10")->setText(QStringLiteral("Incident energy exposure (\u03a9):"));
        SaveReport(Path("report.txt"));
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        QCOMPARE(
            dialogs->shown[0].text,
            QStringLiteral("The report is written in Windows-1252, which cannot hold '\u03a9'."));
        QCOMPARE(Read(Path("report.txt")), QByteArray("earlier block\r\n"));
        QVERIFY(T().isVisible());
    }

    void fuseBlockNamesTheArcingCurrentOnlyWhenAppended() {
        M().PageControl1->setCurrentIndex(1);
        M().Fuse_Ibolt->setText("1");
        M().Fuse_Work_Dist->setText("455");
        M().Calc1->click();
        SaveReport(Path("fuse.txt"));
        SaveReport(Path("fuse.txt"));
        QCOMPARE(Read(Path("fuse.txt")), Expected("fuse-twice.txt"));
    }

    void breakerBlockKeepsTheTypeWithItsTail() {
        M().PageControl1->setCurrentIndex(2);
        M().CB_volt->setText("480");
        M().CB_Ibolt->setText("20");
        M().CB_workdist->setText("460");
        M().ir_edit->setText("25");
        M().it_edit->setText("2");
        M().Calc1->click();
        SaveReport(Path("breaker.txt"));
        SaveReport(Path("breaker.txt"));
        QCOMPARE(Read(Path("breaker.txt")), Expected("breaker-twice.txt"));
    }

    void aReportThatCannotBeWrittenGivesTheErrorBox_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "missing/report.txt" << "No such file or directory";
        QTest::newRow("a folder") << "." << "Is a directory";
        QTest::newRow("a device") << "/dev/full" << "\"/dev/full\" is not a regular file";
        QTest::newRow("a named pipe") << "pipe" << "/pipe\" is not a regular file";
    }
    void aReportThatCannotBeWrittenGivesTheErrorBox() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        Empirical("480", "0.2", "0.25", true, true);
        const QString target = path.startsWith('/') ? path : dir->filePath(path);
        if (path == "pipe") QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0644), 0);
        testing::PipeWatchdog watchdog(QFile::encodeName(target).toStdString(), 5);
        SaveReport(target);
        QVERIFY2(!watchdog.Stop(), "the report save waited on the pipe");
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        QVERIFY2(dialogs->shown[0].text.contains(reason), qPrintable(dialogs->shown[0].text));
        QVERIFY(T().isVisible());
    }

    void aReadOnlyFolderRefusesTheReport() {
        // Root writes into any folder whose write bits are off; the top of
        // sysfs refuses new files even to root.
        const bool root = geteuid() == 0;
        const QString target = root ? QStringLiteral("/sys/zentavo-report.txt") : Path("report.txt");
        if (!root) QVERIFY(QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::ExeOwner));
        Empirical("480", "0.2", "0.25", true, true);
        SaveReport(target);
        if (!root) {
            QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(dialogs->shown.value(0).kind, QStringLiteral("Error"));
        QVERIFY2(dialogs->shown.value(0).text.contains("Permission denied"),
                 qPrintable(dialogs->shown.value(0).text));
        QVERIFY(!QFile::exists(target));
    }

    // --- Units window ----------------------------------------------------------

    void unitsBackAndForth() {
        M().GapEdit->setText("32");
        M().WorkDistEdit->setText("455");
        M().Fuse_Work_Dist->setText("610");
        M().CB_workdist->setText("460");
        SetUnits("inches", "inches", "inches", "cal/cm2");
        QVERIFY(M().isVisible() && !U().isVisible());
        QCOMPARE(M().Label1->text(), QStringLiteral("inches"));
        QCOMPARE(M().Label14->text(), QStringLiteral("inches"));
        QCOMPARE(M().GapEdit->text(), QStringLiteral("1.26"));
        QCOMPARE(M().WorkDistEdit->text(), QStringLiteral("17.91"));
        QCOMPARE(M().Fuse_Work_Dist->text(), QStringLiteral("24.02"));
        QCOMPARE(M().Fuse_Gap->text(), QStringLiteral("1,26"));
        QCOMPARE(M().CB_Gap->text(), QStringLiteral("0,98"));
        QCOMPARE(T().L("Label1")->text(), QStringLiteral("Gap between electrodes (inches):"));
        QCOMPARE(T().L("Label43")->text(), QStringLiteral("Initial Pressure (lb/ft2):"));

        SetUnits("mm", "mm", "mm", "J/cm2");
        QCOMPARE(M().GapEdit->text(), QStringLiteral("32"));
        QCOMPARE(M().WorkDistEdit->text(), QStringLiteral("455"));
        QCOMPARE(M().Fuse_Gap->text(), QStringLiteral("32"));
        QCOMPARE(M().CB_Gap->text(), QStringLiteral("25"));
        QCOMPARE(T().L("Label10")->text(), QStringLiteral("Incident energy exposure (J/cm2):"));
        QCOMPARE(T().L("Label35")->text(), QStringLiteral("Prohibited approach boundary (mm):"));

        // Unchanged units: the captions are rewritten, nothing is converted.
        SetUnits("mm", "mm", "mm", "J/cm2");
        QCOMPARE(M().GapEdit->text(), QStringLiteral("32"));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // A typed word that is none of its selector's items would be misread as
    // some unit: "Save and close" refuses it, names the selector and its
    // words, changes nothing and stays open. Case and blanks do not matter.
    void aTypedWordThatIsNoneOfTheItemsIsRefused_data() {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");  // empty: taken
        QTest::addColumn<QString>("shown");    // the selector's text afterwards
        QTest::addColumn<QString>("label1");   // the main window's gap caption
        QTest::addColumn<QString>("gap");      // GapEdit, 32 before
        QTest::addColumn<QString>("label43");  // a pressure caption of the results window
        QTest::addColumn<QString>("ignored");  // the selector after "Ignore and close"
        const QString before = QStringLiteral("Initial pressure (lb/ft2):");
        // clang-format off
        QTest::newRow("working distance in feet") << "WD_units" << "feet"
            << "\u201cfeet\u201d is not a unit for Working distance. Choose one of: mm, inches."
            << "feet" << "mm" << "32" << before << "mm";
        QTest::newRow("gap in in") << "Gap_Units" << "in"
            << "\u201cin\u201d is not a unit for Gap between conductors. Choose one of: mm, inches."
            << "in" << "mm" << "32" << before << "mm";
        QTest::newRow("boundaries in cm") << "FlashBound_units" << "cm"
            << "\u201ccm\u201d is not a unit for Protection boundaries. Choose one of: inches, mm."
            << "cm" << "mm" << "32" << before << "inches";
        QTest::newRow("energy in cal") << "ComboBox2" << "cal"
            << "\u201ccal\u201d is not a unit for Incident Energy. Choose one of: cal/cm2, J/cm2."
            << "cal" << "mm" << "32" << before << "cal/cm2";
        QTest::newRow("pressure in psi") << "Pressure_units" << "psi"
            << "\u201cpsi\u201d is not a unit for Pressure. Choose one of: lb/ft2, N/m2, Atmosphere, kpa."
            << "psi" << "mm" << "32" << before << "lb/ft2";
        QTest::newRow("TNT in tons") << "TNT" << " tons "
            << "\u201ctons\u201d is not a unit for TNT Equivalent. Choose one of: kg, lb, grams."
            << " tons " << "mm" << "32" << before << "kg";
        QTest::newRow("gap in Inches, with blanks") << "Gap_Units" << " Inches "
            << "" << "inches" << "inches" << "1.26" << "Initial Pressure (lb/ft2):" << "";
        QTest::newRow("pressure in KPA") << "Pressure_units" << "KPA"
            << "" << "kpa" << "mm" << "32" << "Initial Pressure (kpa):" << "";
        // clang-format on
    }
    void aTypedWordThatIsNoneOfTheItemsIsRefused() {
        QFETCH(QString, selector);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(QString, shown);
        QFETCH(QString, label1);
        QFETCH(QString, gap);
        QFETCH(QString, label43);
        QFETCH(QString, ignored);
        M().GapEdit->setText("32");
        M().findChild<QAction*>("Units1")->trigger();
        auto* box = U().findChild<QComboBox*>(selector);
        QVERIFY(box);
        box->setEditText(typed);
        U().Button1->click();
        if (refusal.isEmpty()) {
            QVERIFY(dialogs->shown.isEmpty());
            QVERIFY(M().isVisible() && !U().isVisible());
        } else {
            QCOMPARE(dialogs->shown.size(), 1);
            QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
            QCOMPARE(dialogs->shown[0].text, refusal);
            QVERIFY(U().isVisible() && !M().isVisible());
            QVERIFY(app->Units() == UnitSettings{});  // the units in force stay
        }
        QCOMPARE(box->currentText(), shown);
        QCOMPARE(M().Label1->text(), label1);
        QCOMPARE(M().Label2->text(), QStringLiteral("mm"));
        QCOMPARE(M().GapEdit->text(), gap);
        QCOMPARE(T().L("Label43")->text(), label43);
        if (refusal.isEmpty()) return;
        // Leaving without saving: every selector names a unit again, the
        // pressure and TNT ones too, which "Ignore and close" otherwise keeps.
        U().Button2->click();
        QVERIFY(M().isVisible() && !U().isVisible());
        QCOMPARE(box->currentText(), ignored);
    }

    void ignoreRestoresFourChoicesButNotPressureOrTnt() {
        M().findChild<QAction*>("Units1")->trigger();
        U().Gap_Units->setEditText("inches");
        U().ComboBox2->setEditText("J/cm2");
        U().Pressure_units->setEditText("kpa");
        U().Button2->click();
        QVERIFY(M().isVisible() && !U().isVisible());
        const UnitSettings u = app->Units();
        QCOMPARE(u.GapUnit, LengthUnit::Millimetres);
        QCOMPARE(u.EnergyUnit, IncidentEnergyUnit::CaloriesPerCm2);
        QCOMPARE(u.PressureUnit, BlastPressureUnit::Kilopascals);
        QCOMPARE(M().Label1->text(), QStringLiteral("mm"));
        QCOMPARE(T().L("Label43")->text(), QStringLiteral("Initial pressure (lb/ft2):"));
    }

    void aDistanceThatIsNotANumberStopsTheSave() {
        M().GapEdit->setText("32");
        M().WorkDistEdit->setText("abc");
        M().Fuse_Work_Dist->setText("610");
        SetUnits("inches", "inches", "inches", "cal/cm2");
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("'abc' is not a valid floating point value"));
        QVERIFY(U().isVisible() && !M().isVisible());
        QCOMPARE(M().Label1->text(), QStringLiteral("inches"));  // captions done before
        QCOMPARE(M().GapEdit->text(), QStringLiteral("1.26"));   // converted before
        QCOMPARE(M().Fuse_Work_Dist->text(), QStringLiteral("610"));  // not reached
    }

    void commaLocaleConvertsWithAComma() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        M().GapEdit->setText("32");
        SetUnits("inches", "mm", "inches", "cal/cm2");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(M().GapEdit->text(), QStringLiteral("1,26"));
    }

    // --- Browser/editor ----------------------------------------------------------

    void editorRoundTripKeepsEveryByte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("report, Windows-1252, CR LF")
            << QByteArray("Equipment class: Switchgear\r\nEnergy: 7,34 \xb5 \x80\r\n");
        QTest::newRow("UTF-8, LF, no final break") << QByteArray("Temp\xc3\xa9rature 20 \xc2\xb0""C\nok");
        QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xef\xbb\xbfline 1\r\nline 2\r\n");
        QTest::newRow("undefined Windows-1252 bytes") << QByteArray("a\x81\x8d\x8f\x90\x9d z\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no-break spaces") << QByteArray("1\xc2\xa0" "000 V\xc2\xa0\xc2\xa0x\r\n");
        QTest::newRow("no-break space, Windows-1252") << QByteArray("1\xa0" "000 \xe9\r\n");
        QTest::newRow("U+2028 and U+2029") << QByteArray("a\xe2\x80\xa8" "b\xe2\x80\xa9" "c\xe2\x80\xa8");
        QTest::newRow("mixed CR LF and LF") << QByteArray("a\r\nb\nc\r\n\nd\n");
        QTest::newRow("lone CR") << QByteArray("a\rb\r\r\nc\r");
        QTest::newRow("UTF-16 LE with mark")
            << QByteArray("\xff\xfe" "a\0\r\0\n\0\xa0\0\r\0\xa9\x03\n\0", 16);
        QTest::newRow("UTF-16 BE with mark")
            << QByteArray("\xfe\xff\0a\0\r\0\n\x20\x28\xd8\x3d\xde\x00\0\r", 16);
        QTest::newRow("a second mark is text") << QByteArray("\xef\xbb\xbf\xef\xbb\xbfx\n");
        QTest::newRow("no final line end, pure ASCII") << QByteArray("Level of PPE: 2\r\nlast");
        QTest::newRow("NUL and tab") << QByteArray("a\0b\tc\r\n", 7);
    }
    void editorRoundTripKeepsEveryByte() {
        QFETCH(QByteArray, bytes);
        Write(Path("in.txt"), bytes);
        dialogs->fileNames = {Path("in.txt")};
        M().findChild<QAction*>("Open1")->trigger();
        QVERIFY(E().isVisible() && !M().isVisible());
        dialogs->fileNames = {Path("out.txt")};
        E().findChild<QAction*>("SaveAs1")->trigger();
        QCOMPARE(Read(Path("out.txt")), bytes);
        QCOMPARE(dialogs->fileDialogs[1].title, QStringLiteral("Save file as"));
        QCOMPARE(dialogs->fileDialogs[1].filter, QStringLiteral("text fles (*.txt);;Zentavo files (*.ztv)"));
    }

    void aFailedEditorSaveIsShownAndKeepsTheText_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "missing/out.txt" << "No such file or directory";
        QTest::newRow("a folder") << "." << "Is a directory";
        QTest::newRow("a device") << "/dev/full" << "\"/dev/full\" is not a regular file";
        QTest::newRow("a named pipe") << "pipe" << "/pipe\" is not a regular file";
        QTest::newRow("read-only folder") << "read-only" << "Permission denied";
    }
    void aFailedEditorSaveIsShownAndKeepsTheText() {
        QFETCH(QString, where);
        QFETCH(QString, reason);
        QString target = where.startsWith('/') ? where : dir->filePath(where);
        if (where == "read-only") {
            if (geteuid() == 0) {
                target = QStringLiteral("/sys/zentavo-out.txt");
            } else {
                QDir(dir->path()).mkdir("ro");
                QFile::setPermissions(dir->filePath("ro"), QFile::ReadOwner | QFile::ExeOwner);
                target = dir->filePath("ro/out.txt");
            }
        }
        if (where == "pipe") QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0644), 0);
        Write(Path("in.txt"), "kept text\n");
        dialogs->fileNames = {Path("in.txt"), target};
        E().OpenFromMain();
        testing::PipeWatchdog watchdog(QFile::encodeName(target).toStdString(), 5);
        E().findChild<QAction*>("SaveAs1")->trigger();
        QVERIFY2(!watchdog.Stop(), "the save waited on the pipe");
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        QVERIFY2(dialogs->shown[0].text.contains(reason), qPrintable(dialogs->shown[0].text));
        QCOMPARE(E().RichEdit1->toPlainText(), QStringLiteral("kept text\n"));
        QVERIFY(E().isVisible());
        QFile::setPermissions(dir->filePath("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Save As onto the file the editor opened asks first when another program
    // wrote it since (its length, or only its bytes, changed), and onto a file
    // a study window holds; No saves nothing and keeps the text, Yes writes it.
    void editorSaveAsAsksBeforeReplacingWhatItHasNotSeen() {
        const QString in = Path("in.txt"), study = Path("study.csv");
        Write(study, "point,method\nP1,empirical\n");
        TStudy* window = OpenStudyFile(*app, study);
        window->show();
        Write(in, "first\n");
        dialogs->fileNames = {in};
        E().OpenFromMain();
        const QString changed = QStringLiteral(
            "The file \"%1\" was changed by another program since it was opened. "
            "Overwrite it, or cancel? (Yes overwrites it, No saves nothing.)");
        const QString held = QStringLiteral(
            "The file \"%1\" is open in another window of Zentavo. Overwrite it, or cancel? "
            "(Yes overwrites it, No saves nothing.)");
        struct Case {
            const char* theirs;  // what another program writes first; nullptr: nothing
            QString target, question;
            bool answer;
        };
        // clang-format off
        const Case cases[] = {
            {"theirs, longer\n", in,    changed, false},
            {nullptr,            in,    changed, true},
            {nullptr,            in,    {},      true},   // unchanged since that save
            {"THEIRS\n",         in,    changed, true},   // as long as the editor's save
            {nullptr,            study, held,    false},
        };
        // clang-format on
        int n = 0;
        for (const Case& c : cases) {
            const QString mine = QStringLiteral("mine %1\n").arg(++n);  // 7 bytes, as "THEIRS\n"
            E().RichEdit1->setPlainText(mine);
            if (c.theirs) Write(c.target, c.theirs);
            const QByteArray before = Read(c.target);
            dialogs->Clear();
            dialogs->fileNames = {c.target};
            if (!c.question.isEmpty()) dialogs->answers = {c.answer};
            E().findChild<QAction*>("SaveAs1")->trigger();
            if (c.question.isEmpty()) {
                QVERIFY(dialogs->shown.isEmpty());
            } else {
                QCOMPARE(dialogs->shown.size(), 1);
                QCOMPARE(dialogs->shown[0].text, c.question.arg(c.target));
            }
            QCOMPARE(Read(c.target), c.question.isEmpty() || c.answer ? mine.toUtf8() : before);
            QCOMPARE(E().RichEdit1->toPlainText(), mine);
        }
        window->model().undoStack().setClean();
        window->close();
    }

    void editedTextIsSavedInTheFilesEncoding() {
        Write(Path("in.txt"), QByteArray("caf\xe9\r\n"));  // Windows-1252
        dialogs->fileNames = {Path("in.txt")};
        M().findChild<QAction*>("Open1")->trigger();
        QCOMPARE(E().RichEdit1->toPlainText(), QStringLiteral("caf\u00e9\n"));
        E().RichEdit1->setPlainText(QStringLiteral("caf\u00e9 cr\u00e8me\n2 \u20ac\n"));
        dialogs->fileNames = {Path("out.txt")};
        E().SaveAs1Click();
        QCOMPARE(Read(Path("out.txt")), QByteArray("caf\xe9 cr\xe8me\r\n2 \x80\r\n"));
        // Reopened, the edited text reads the same.
        dialogs->fileNames = {Path("out.txt")};
        E().OpenFromMain();
        QCOMPARE(E().RichEdit1->toPlainText(), QStringLiteral("caf\u00e9 cr\u00e8me\n2 \u20ac\n"));
    }

    // Typing into one line through the keyboard: every other line keeps its
    // bytes and its own line end.
    void typingIntoOneLineKeepsTheOthers() {
        const QByteArray file("first\xa0line\r\nsecond\nthird\rfourth \xb5s\r\nlast");
        Write(Path("in.txt"), file);
        dialogs->fileNames = {Path("in.txt")};
        E().OpenFromMain();
        QTextCursor c = E().RichEdit1->textCursor();
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::Down);
        c.movePosition(QTextCursor::EndOfBlock);
        E().RichEdit1->setTextCursor(c);
        E().RichEdit1->setFocus();
        QTest::keyClicks(E().RichEdit1, QStringLiteral(" 2,5 kA"));
        QTest::keyClick(E().RichEdit1, Qt::Key_Down);
        QTest::keyClick(E().RichEdit1, Qt::Key_Down);
        QTest::keyClick(E().RichEdit1, Qt::Key_End);
        QTest::keyClick(E().RichEdit1, Qt::Key_Return);
        QTest::keyClicks(E().RichEdit1, QStringLiteral("added"));
        dialogs->fileNames = {Path("out.txt")};
        E().SaveAs1Click();
        QCOMPARE(Read(Path("out.txt")),
                 QByteArray("first\xa0line\r\nsecond 2,5 kA\nthird\rfourth \xb5s\r\nadded\r\nlast"));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // A very long file shares the widget's blocks among several lines; it
    // still comes back byte for byte, and an edit touches only its line.
    void aVeryLongFileKeepsEveryByte() {
        QCOMPARE(LinesPerEditorBlock(1), std::size_t{1});
        QCOMPARE(LinesPerEditorBlock(50000), std::size_t{1});
        QCOMPARE(LinesPerEditorBlock(50001), std::size_t{3});
        QCOMPARE(LinesPerEditorBlock(517824), std::size_t{26});
        QByteArray bytes;
        for (int i = 0; i < 60000; ++i) {
            bytes += "Line " + QByteArray::number(i);
            bytes += i % 3 == 0 ? "\xc2\xa0kA\r\n" : i % 3 == 1 ? "\n" : "\r";
        }
        Write(Path("long.txt"), bytes);
        dialogs->fileNames = {Path("long.txt")};
        E().OpenFromMain();
        QCOMPARE(E().RichEdit1->document()->blockCount(), 15001);  // 4 lines a block
        // The scroll bar reaches over all 60 001 lines, not only the blocks.
        QTRY_VERIFY(E().RichEdit1->verticalScrollBar()->maximum() > 59900);
        E().RichEdit1->moveCursor(QTextCursor::End);  // the last line is in view
        QVERIFY(E().RichEdit1->viewport()->rect().contains(E().RichEdit1->cursorRect()));
        QVERIFY(E().RichEdit1->verticalScrollBar()->value() > 59900);
        dialogs->fileNames = {Path("same.txt")};
        E().SaveAs1Click();
        QVERIFY(Read(Path("same.txt")) == bytes);
        // Typed at the start of line 6 (inside the second block), and a new
        // line after line 1 (Enter inside the first block).
        QTextCursor c = E().RichEdit1->textCursor();
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 5);
        c.movePosition(QTextCursor::StartOfLine);
        E().RichEdit1->setTextCursor(c);
        QTest::keyClicks(E().RichEdit1, QStringLiteral(">"));
        c = E().RichEdit1->textCursor();
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::Down);
        c.movePosition(QTextCursor::EndOfLine);
        E().RichEdit1->setTextCursor(c);
        QTest::keyClick(E().RichEdit1, Qt::Key_Return);
        QTest::keyClicks(E().RichEdit1, QStringLiteral("new"));
        dialogs->fileNames = {Path("edited.txt")};
        E().SaveAs1Click();
        QByteArray expected = bytes;
        expected.insert(expected.indexOf("Line 5"), ">");
        expected.insert(expected.indexOf("Line 2"), "new\r\n");  // CR LF: the file's most common end
        QCOMPARE(Read(Path("edited.txt")).left(120), expected.left(120));
        QVERIFY(Read(Path("edited.txt")) == expected);
        QVERIFY(dialogs->shown.isEmpty());
    }

    // A 4 MB line, opened and edited under the real event loop: the editor
    // shows it in pieces and answers a click and a key well within a second
    // (ten times the time it is meant to take), and the save gives the line
    // back whole with the typed character where it was typed.
    void aFourMegabyteLineOpensAndTakesAKey() {
        QByteArray line(4000000, 'a');
        for (qsizetype i = 0; i < line.size(); i += 1000)
            line[i] = static_cast<char>('0' + i / 1000 % 10);
        Write(Path("line.txt"), line);
        QElapsedTimer clock;
        clock.start();
        dialogs->fileNames = {Path("line.txt")};
        M().findChild<QAction*>("Open1")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&E()));
        QCoreApplication::processEvents();
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(E().RichEdit1->document()->blockCount() > 1);  // shown in pieces

        QWidget* view = E().RichEdit1->viewport();
        clock.restart();
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() / 2, view->height() / 2));
        QCoreApplication::processEvents();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        const QTextCursor at = E().RichEdit1->textCursor();
        qsizetype offset = at.positionInBlock();  // in the line: the pieces before, then this one
        for (QTextBlock b = at.block().previous(); b.isValid(); b = b.previous())
            offset += b.length() - 1;
        clock.restart();
        QTest::keyClick(E().RichEdit1, Qt::Key_X);
        QCoreApplication::processEvents();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));

        dialogs->fileNames = {Path("saved.txt")};
        E().SaveAs1Click();
        QVERIFY(Read(Path("saved.txt")) == QByteArray(line).insert(offset, 'x'));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // Edits of a long line shown in pieces: what the file gets.
    void editsOfALineInPiecesReachTheFile() {
        // The middle line is three pieces: 2048, 2048 and 904 bytes.
        QByteArray line;
        for (int i = 0; line.size() < 5000; ++i) line += QByteArray::number(i % 10);
        const QByteArray file = "head\r\n" + line + "\r\ntail\n";
        const QByteArray head = "head\r\n" + line.left(2048), rest = line.mid(2048) + "\r\ntail\n";
        Write(Path("in.txt"), file);
        const auto toSecondPiece = [this] {
            E().RichEdit1->setTextCursor(
                QTextCursor(E().RichEdit1->document()->findBlockByNumber(2)));
        };
        struct Case {
            const char* name;
            std::function<void()> edit;
            QByteArray saved;
        };
        // clang-format off
        const Case cases[] = {
            {"no edit", [] {}, file},
            {"typed at a piece's start", [&] { toSecondPiece(); QTest::keyClicks(E().RichEdit1, "xy"); },
             head + "xy" + rest},
            {"Enter at a piece's start breaks the line there", [&] {
                 toSecondPiece(); QTest::keyClick(E().RichEdit1, Qt::Key_Return); },
             head + "\r\n" + rest},
            {"Enter, then typed on the new line", [&] {
                 toSecondPiece(); QTest::keyClick(E().RichEdit1, Qt::Key_Right);
                 QTest::keyClick(E().RichEdit1, Qt::Key_Return); QTest::keyClicks(E().RichEdit1, "n"); },
             head + line.mid(2048, 1) + "\r\nn" + line.mid(2049) + "\r\ntail\n"},
            {"Enter undone", [&] {
                 toSecondPiece(); QTest::keyClick(E().RichEdit1, Qt::Key_Return);
                 QTest::keyClick(E().RichEdit1, Qt::Key_Z, Qt::ControlModifier); },
             file},
            {"Backspace at a piece's start joins only the display", [&] {
                 toSecondPiece(); QTest::keyClick(E().RichEdit1, Qt::Key_Backspace); },
             file},
            {"Backspace undone, then Enter in the rejoined piece", [&] {
                 toSecondPiece(); QTest::keyClick(E().RichEdit1, Qt::Key_Backspace);
                 QTest::keyClick(E().RichEdit1, Qt::Key_Z, Qt::ControlModifier);
                 toSecondPiece(); QTest::keyClick(E().RichEdit1, Qt::Key_Return); },
             head + "\r\n" + rest},
        };
        // clang-format on
        for (const Case& c : cases) {
            dialogs->fileNames = {Path("in.txt")};
            E().OpenFromMain();
            QCOMPARE(E().RichEdit1->document()->blockCount(), 6);  // head, three pieces, tail, ""
            c.edit();
            dialogs->fileNames = {Path("out.txt")};
            E().SaveAs1Click();
            QVERIFY2(Read(Path("out.txt")) == c.saved, c.name);
        }
        // Copied across the pieces, the line has no break where a piece ends.
        dialogs->fileNames = {Path("in.txt")};
        E().OpenFromMain();
        QTextCursor sel(E().RichEdit1->document()->findBlockByNumber(1));
        sel.setPosition(E().RichEdit1->document()->findBlockByNumber(4).position() - 1,
                        QTextCursor::KeepAnchor);
        E().RichEdit1->setTextCursor(sel);
        E().findChild<QAction*>("Copy1")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromLatin1(line));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // Shift+Enter puts a line separator into the widget: saved as the
    // file's usual line end, so a Windows-1252 file is not asked about.
    void shiftEnterIsSavedAsTheFilesLineEnd() {
        Write(Path("in.txt"), QByteArray("a\xe9\r\nb\r\n"));
        dialogs->fileNames = {Path("in.txt")};
        E().OpenFromMain();
        E().RichEdit1->moveCursor(QTextCursor::Start);
        E().RichEdit1->moveCursor(QTextCursor::EndOfBlock);
        QTest::keyClick(E().RichEdit1, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(E().RichEdit1, QStringLiteral("typed"));
        QVERIFY(E().RichEdit1->document()->firstBlock().text().contains(QChar(QChar::LineSeparator)));
        dialogs->fileNames = {Path("out.txt")};
        E().SaveAs1Click();
        QCOMPARE(Read(Path("out.txt")), QByteArray("a\xe9\r\ntyped\r\nb\r\n"));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // Characters Windows-1252 lacks: the user is asked, never given "?".
    void charactersTheEncodingLacksAreAskedAbout_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("No: nothing is saved") << false << QByteArray("old bytes");
        QTest::newRow("Yes: saved in UTF-8")
            << true << QByteArray("caf\xc3\xa9 \xce\xa9\xe2\x89\xa4\xe2\x86\x92\r\n\xe2\x82\xac\r\n");
    }
    void charactersTheEncodingLacksAreAskedAbout() {
        QFETCH(bool, answer);
        QFETCH(QByteArray, written);
        Write(Path("in.txt"), QByteArray("caf\xe9\r\n\x80\r\n"));  // Windows-1252
        Write(Path("out.txt"), "old bytes");
        dialogs->fileNames = {Path("in.txt")};
        E().OpenFromMain();
        QTextCursor c = E().RichEdit1->textCursor();
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::EndOfBlock);
        E().RichEdit1->setTextCursor(c);
        Type(E().RichEdit1, QStringLiteral(" \u03a9\u2264\u2192"));
        dialogs->fileNames = {Path("out.txt")};
        dialogs->answers = {answer};
        E().SaveAs1Click();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Confirm"));
        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral("This file is in Windows-1252, which cannot hold these characters: "
                                "\u03a9 \u2264 \u2192\nDo you wish to save it in UTF-8 instead? "
                                "(No saves nothing.)"));
        QCOMPARE(Read(Path("out.txt")), written);
        QVERIFY(!Read(Path("out.txt")).contains('?'));
        if (answer) {  // the file is UTF-8 from now on: a second save asks nothing
            dialogs->fileNames = {Path("again.txt")};
            E().SaveAs1Click();
            QCOMPARE(dialogs->shown.size(), 1);
            QCOMPARE(Read(Path("again.txt")), written);
        }
    }

    // A report stays in one encoding: edited in the editor, then appended to.
    void anEditedReportStaysInWindows1252() {
        Empirical("480", "0.2", "0.25", false, false);
        SaveReport(Path("report.txt"));
        const QByteArray first = Read(Path("report.txt"));
        dialogs->fileNames = {Path("report.txt")};
        E().OpenFromMain();
        QTextCursor c = E().RichEdit1->textCursor();
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::EndOfBlock);
        E().RichEdit1->setTextCursor(c);
        Type(E().RichEdit1, QStringLiteral(" V\u00e9rifi\u00e9"));
        dialogs->fileNames = {Path("report.txt")};
        E().SaveAs1Click();
        QVERIFY(dialogs->shown.isEmpty());
        const qsizetype firstEnd = first.indexOf("\r\n");
        const QByteArray edited = first.left(firstEnd) + " V\xe9rifi\xe9" + first.mid(firstEnd);
        QCOMPARE(Read(Path("report.txt")), edited);
        E().Button2->click();
        dialogs->answers = {false};
        // Back to the results and appended: one encoding in the whole file.
        dialogs->answers.clear();
        dialogs->unexpected = false;
        SaveReport(Path("report.txt"));
        QCOMPARE(Read(Path("report.txt")), edited + "\r\n" + first);
    }

    // Pipes and devices are refused at once, with the file's name.
    void openRefusesWhatIsNotARegularFile_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("named pipe") << "pipe";
        QTest::newRow("endless device") << "/dev/zero";
        QTest::newRow("empty device") << "/dev/null";
    }
    void openRefusesWhatIsNotARegularFile() {
        QFETCH(QString, path);
        const QString target = path.startsWith('/') ? path : Path("pipe");
        if (!path.startsWith('/')) QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0644), 0);
        if (!QFile::exists(target)) QSKIP("no such device here");
        testing::PipeWatchdog watchdog(QFile::encodeName(target).toStdString(), 5);
        dialogs->fileNames = {target};
        M().findChild<QAction*>("Open1")->trigger();
        QVERIFY2(!watchdog.Stop(), "the open waited on the pipe");
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("\"%1\" is not a regular file").arg(target));
        QCOMPARE(E().RichEdit1->toPlainText(), QString());
    }

    void openRefusesAFileOverSixtyFourMebibytes() {
        // A sparse file: its size is real, the disk holds almost nothing.
        QFile big(Path("big.txt"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(qint64{64} * 1024 * 1024 + 1));
        big.close();
        dialogs->fileNames = {Path("big.txt")};
        M().findChild<QAction*>("Open1")->trigger();
        QCOMPARE(dialogs->shown.value(0).text,
                 QStringLiteral("\"%1\" is too large to open: the editor opens files of at most 64 MiB.")
                     .arg(Path("big.txt")));
        QCOMPARE(E().RichEdit1->toPlainText(), QString());
    }

    void openRefusesFrameMarks() {
        Write(Path("marks.txt"), "a\xef\xb7\x90" "b\n");
        dialogs->fileNames = {Path("marks.txt")};
        M().findChild<QAction*>("Open1")->trigger();
        QCOMPARE(dialogs->shown.value(0).text,
                 QStringLiteral("\"%1\" holds the character U+FDD0, which the editor cannot show; "
                                "the file was not opened.").arg(Path("marks.txt")));
    }

    // A save on a full disk keeps the old file and leaves nothing beside it.
    void aSaveOnAFullDiskKeepsTheOldFile() {
        testing::SmallDisk disk(QFile::encodeName(Path("disk")).toStdString(), 64 * 1024);
        const QByteArray old(20000, 'o');
        Write(Path("disk/notes.txt"), old);
        QString big;
        for (int i = 0; i < 4000; ++i) big += QStringLiteral("Line %1 of a long text\n").arg(i);
        E().RichEdit1->setPlainText(big);
        disk.Limit(30000);
        dialogs->fileNames = {Path("disk/notes.txt")};
        E().findChild<QAction*>("SaveAs1")->trigger();
        disk.Unlimit();
        QCOMPARE(dialogs->shown.value(0).kind, QStringLiteral("Error"));
        QVERIFY2(dialogs->shown.value(0).text.contains(disk.FullReason()), qPrintable(dialogs->shown.value(0).text));
        QCOMPARE(Read(Path("disk/notes.txt")), old);
        QCOMPARE(QDir(Path("disk")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"notes.txt"});
    }

    // A report save on a full disk keeps exactly the report as it was.
    void aReportSaveOnAFullDiskKeepsTheReport() {
        testing::SmallDisk disk(QFile::encodeName(Path("disk")).toStdString(), 64 * 1024);
        // Earlier blocks that end near the end of a memory page, so that the
        // next block needs new room on the disk.
        QByteArray earlier;
        while (earlier.size() < 4000) earlier += "Level of PPE: 2\r\n";
        Write(Path("disk/report.txt"), earlier);
        Empirical("480", "0.2", "0.25", true, true);
        const QByteArray before = Read(Path("disk/report.txt"));
        if (disk.mounted()) Write(Path("disk/filler"), QByteArray(64 * 1024, 'f'));
        disk.Limit(before.size() + 100);
        SaveReport(Path("disk/report.txt"));
        disk.Unlimit();
        QCOMPARE(dialogs->shown.value(0).kind, QStringLiteral("Error"));
        QVERIFY2(dialogs->shown.value(0).text.contains(disk.FullReason()), qPrintable(dialogs->shown.value(0).text));
        QCOMPARE(Read(Path("disk/report.txt")), before);
    }

    // Save As through a symbolic link replaces the file it points to.
    void saveAsThroughALinkKeepsTheLink() {
        Write(Path("real.txt"), "old\r\n");
        QVERIFY(QFile::setPermissions(Path("real.txt"), QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(Path("real.txt"), Path("link.txt")));
        dialogs->fileNames = {Path("link.txt")};
        E().OpenFromMain();
        E().RichEdit1->moveCursor(QTextCursor::Start);
        QTest::keyClicks(E().RichEdit1, QStringLiteral("new "));
        dialogs->fileNames = {Path("link.txt")};
        E().SaveAs1Click();
        QVERIFY(QFileInfo(Path("link.txt")).isSymLink());
        QCOMPARE(Read(Path("real.txt")), QByteArray("new old\r\n"));
        struct stat st {};
        QCOMPARE(stat(QFile::encodeName(Path("real.txt")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, 0600u);
    }

    void aSecondOpenReplacesTheText() {
        Write(Path("a.txt"), "first file\n");
        Write(Path("b.txt"), "second\n");
        dialogs->fileNames = {Path("a.txt")};
        E().OpenFromMain();
        dialogs->fileNames = {Path("b.txt")};
        E().OpenFromMain();
        QCOMPARE(E().RichEdit1->toPlainText(), QStringLiteral("second\n"));
    }

    void openCancelledChangesNothing() {
        dialogs->fileNames = {QString()};
        M().findChild<QAction*>("Open1")->trigger();
        QVERIFY(M().isVisible() && !E().isVisible());
    }

    void anUnreadableFileGivesTheErrorBox() {
        dialogs->fileNames = {Path("missing.txt")};
        M().findChild<QAction*>("Open1")->trigger();
        QCOMPARE(dialogs->shown.value(0).kind, QStringLiteral("Error"));
        QVERIFY(dialogs->shown.value(0).text.contains("No such file or directory"));
        QVERIFY(M().isVisible() && !E().isVisible());  // back where the user came from
    }

    // Every refused open leaves the user in the main window, with the reason
    // in the error box and no empty editor; a file shown before stays in
    // the editor for the next time.
    void aRefusedOpenReturnsToTheMainWindow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.txt" << "No such file or directory";
        QTest::newRow("frame mark U+FDD0") << "marks.txt" << "holds the character U+FDD0";
        QTest::newRow("over 64 MiB") << "big.txt" << "is too large to open";
        QTest::newRow("named pipe") << "pipe" << "is not a regular file";
    }
    void aRefusedOpenReturnsToTheMainWindow() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        Write(Path("shown.txt"), "shown before\n");
        Write(Path("marks.txt"), "a\xef\xb7\x90" "b\n");
        QFile big(Path("big.txt"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64{64} * 1024 * 1024 + 1));
        big.close();
        QCOMPARE(mkfifo(QFile::encodeName(Path("pipe")).constData(), 0644), 0);
        dialogs->fileNames = {Path("shown.txt")};
        M().findChild<QAction*>("Open1")->trigger();
        dialogs->answers = {false};
        E().Button2->click();  // back to the main window, nothing saved
        dialogs->Clear();

        dialogs->fileNames = {Path(qPrintable(name))};
        M().findChild<QAction*>("Open1")->trigger();
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        QVERIFY2(dialogs->shown[0].text.contains(reason), qPrintable(dialogs->shown[0].text));
        QVERIFY(M().isVisible());
        QVERIFY(!E().isVisible());
        QCOMPARE(E().RichEdit1->toPlainText(), QStringLiteral("shown before\n"));
    }

    void closeAsksAndReturnsToTheMainWindow() {
        Write(Path("a.txt"), "text\n");
        dialogs->fileNames = {Path("a.txt")};
        E().OpenFromMain();
        dialogs->answers = {false};
        E().Button2->click();
        QCOMPARE(dialogs->shown.value(0).text, QStringLiteral("Do you wish to save changes?"));
        QVERIFY(M().isVisible() && !E().isVisible());

        E().OpenFromMain();  // no file name scripted: the open dialog is cancelled
        dialogs->unexpected = false;
        dialogs->fileNames = {Path("a.txt")};
        E().OpenFromMain();
        dialogs->answers = {true};
        dialogs->fileNames = {QString()};  // Yes, then the save dialog is cancelled
        E().Button2->click();
        QVERIFY(M().isVisible() && !E().isVisible());
        QCOMPARE(Read(Path("a.txt")), QByteArray("text\n"));
    }

    void printsToAPdfFile() {
        QString lines;
        for (int i = 0; i < 150; ++i) lines += QStringLiteral("Line %1 of the report\n").arg(i);
        E().RichEdit1->setPlainText(lines);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path("print.pdf"));
        E().RichEdit1->print(&printer);
        const QByteArray pdf = Read(Path("print.pdf"));
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY2(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type/Page") >= 2,
                 "150 lines take more than one page");
    }

    // A typed name without an extension is taken as it stands when that file
    // exists; the default extension is added only when it does not.
    void openNameResolvesTheDefaultExtension_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no dot, file exists") << QStringList{"README"} << "README" << "README";
        QTest::newRow("no dot, both exist") << QStringList{"README", "README.txt"} << "README" << "README";
        QTest::newRow("only the .txt exists") << QStringList{"report.txt"} << "report" << "report.txt";
        QTest::newRow("neither exists") << QStringList{} << "missing" << "missing";
        QTest::newRow("own extension kept") << QStringList{"notes.log.txt"} << "notes.log" << "notes.log";
    }
    void openNameResolvesTheDefaultExtension() {
        QFETCH(QStringList, files);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        for (const QString& f : files) {
            QFile file(dir->filePath(f));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(ResolveOpenName(dir->filePath(typed), QStringLiteral("txt")), dir->filePath(expected));
    }

    // Lines wider than the page are wrapped on paper, the screen stays unwrapped.
    void printWrapsLongLinesAndTheScreenDoesNot() {
        QString longLine;
        for (int i = 0; i < 60; ++i) longLine += QStringLiteral("word%1 ").arg(i);
        longLine += QStringLiteral("LASTWORD");
        E().RichEdit1->setPlainText(QStringLiteral("first line\n") + longLine + QStringLiteral("\n"));
        dialogs->printToFile = Path("wrapped.pdf");
        E().Exit1Click();
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {Path("wrapped.pdf"), QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(printed.contains(QStringLiteral("LASTWORD")), qPrintable(printed));
        QVERIFY2(printed.contains(QStringLiteral("word59")), qPrintable(printed));
        QCOMPARE(E().RichEdit1->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void copyCutPasteThroughTheClipboard() {
        E().RichEdit1->setPlainText("alpha beta");
        E().RichEdit1->selectAll();
        E().findChild<QAction*>("Copy1")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("alpha beta"));
        QTextCursor c = E().RichEdit1->textCursor();
        c.setPosition(0);
        c.setPosition(6, QTextCursor::KeepAnchor);
        E().RichEdit1->setTextCursor(c);
        E().findChild<QAction*>("Cut1")->trigger();
        QCOMPARE(E().RichEdit1->toPlainText(), QStringLiteral("beta"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("alpha "));
        E().RichEdit1->moveCursor(QTextCursor::End);
        E().findChild<QAction*>("Paste1")->trigger();
        QCOMPARE(E().RichEdit1->toPlainText(), QStringLiteral("betaalpha "));
    }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"

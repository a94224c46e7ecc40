// SPDX-License-Identifier: GPL-3.0-or-later
// The program keeps no settings between runs: with the user's home and
// configuration folders pointed at an empty folder, a run that goes through
// the real file dialogs leaves that folder empty.
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/formedit.h"
#include "ui/main_window.h"

using namespace zentavo::ui;

namespace {
QString home;  // the user's folder for this run

// Everything below `dir`, hidden entries included.
QStringList Contents(const QString& dir) {
    QStringList out;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) out << it.next();
    return out;
}

// Answers the file dialog that comes up next with `path` ("" cancels).
void AnswerFileDialog(const QString& path) {
    QTimer::singleShot(0, [path] {
        QFileDialog* dialog = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())), 5000);
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(QFileInfo(path).absolutePath());
        dialog->selectFile(QFileInfo(path).fileName());
        static_cast<QDialog*>(dialog)->accept();
    });
}
}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void fileDialogsLeaveNothingBehind() {
        QTemporaryDir files;  // the user's documents, outside the home folder
        const QString report = files.filePath("report.txt");
        QFile f(report);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Incident energy exposure (cal/cm2): 1.2\n");
        f.close();
        {
            QtDialogService dialogs;
            Application app(dialogs);
            app.Start();
            // File, Open through the real dialog, then Save As cancelled, then Save As to a new name.
            AnswerFileDialog(report);
            app.main().findChild<QAction*>("Open1")->trigger();
            QVERIFY(app.Formedit().isVisible());
            QVERIFY(app.Formedit().findChild<QPlainTextEdit*>()->toPlainText().contains("1.2"));
            AnswerFileDialog(QString());
            app.Formedit().SaveAs1Click();
            AnswerFileDialog(files.filePath("copy.txt"));
            app.Formedit().SaveAs1Click();
            QVERIFY(QFileInfo::exists(files.filePath("copy.txt")));
        }
        QCoreApplication::processEvents();
        QCOMPARE(Contents(home), QStringList());
        QCOMPARE(QDir(files.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"copy.txt", "report.txt"}));
    }
    // Typing "README" in the real open dialog opens README, not "README.txt".
    void typedNameWithoutExtensionOpensThatFile() {
        QTemporaryDir files;
        QFile f(files.filePath("README"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Read me first\n");
        f.close();
        QtDialogService dialogs;
        Application app(dialogs);
        app.Start();
        // A message box ("File not found") would stop the run: close it and fail.
        bool blocked = false;
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || qobject_cast<QFileDialog*>(modal)) return;
            blocked = true;
            QWidget* owner = modal->parentWidget();
            modal->close();
            if (auto* fd = qobject_cast<QFileDialog*>(owner)) fd->reject();
        });
        guard.start(500);
        AnswerFileDialog(files.filePath("README"));
        app.main().findChild<QAction*>("Open1")->trigger();
        guard.stop();
        QVERIFY2(!blocked, "the dialog refused the typed name");
        QVERIFY(app.Formedit().isVisible());
        QCOMPARE(app.Formedit().findChild<QPlainTextEdit*>()->toPlainText(), QStringLiteral("Read me first\n"));
    }

    // A name typed into the real open dialog, then Open pressed: the file the
    // name stands for is opened. The default extension is added only when no
    // file of the typed name exists; a name that stands for no file is
    // refused ("File not found") and the dialog stays.
    void typedNameOpensTheFileItStandsFor_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened");  // "" when refused
        // clang-format off
        QTest::newRow("only the .txt exists")   << QStringList{"report.txt"}              << "report"     << "report.txt";
        QTest::newRow("the name exists")        << QStringList{"README"}                  << "README"     << "README";
        QTest::newRow("both exist")             << QStringList{"README", "README.txt"}    << "README"     << "README";
        QTest::newRow("typed with extension")   << QStringList{"report.txt"}              << "report.txt" << "report.txt";
        QTest::newRow("own extension, no .txt") << QStringList{"notes.log", "notes.txt"}  << "notes.log"  << "notes.log";
        QTest::newRow("neither exists")         << QStringList{"other.txt"}               << "missing"    << "";
        // clang-format on
    }
    void typedNameOpensTheFileItStandsFor() {
        QFETCH(QStringList, files);
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        QTemporaryDir folder;
        for (const QString& name : files) {
            QFile f(folder.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(name.toUtf8() + "\n");
        }
        QtDialogService dialogs;
        Application app(dialogs);
        app.Start();
        bool openEnabled = false, stayed = false;
        QString box;
        QTimer::singleShot(0, [&] {
            QFileDialog* dialog = nullptr;
            QTRY_VERIFY_WITH_TIMEOUT((dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())), 5000);
            dialog->setDirectory(folder.path());
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QPushButton* open = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
            QVERIFY(edit && open);
            edit->clear();
            QTest::keyClicks(edit, typed);
            openEnabled = open->isEnabled();
            // A message box in front of the dialog: its text is read and it is
            // closed. Gone with the dialog, so that it never outlives this row.
            QTimer::singleShot(500, dialog, [&] {
                auto* modal = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!modal) return;
                box = modal->text();
                modal->close();
            });
            QTest::mouseClick(open, Qt::LeftButton);
            stayed = dialog->isVisible();
            if (stayed) dialog->reject();
        });
        app.main().findChild<QAction*>("Open1")->trigger();
        QVERIFY(openEnabled);
        if (opened.isEmpty()) {
            QCOMPARE(box, typed + "\nFile not found.\nPlease verify the correct file name was given.");
            QVERIFY(stayed);
            QVERIFY(!app.Formedit().isVisible());
        } else {
            QCOMPARE(box, QString());
            QVERIFY(!stayed);
            QVERIFY(app.Formedit().isVisible());
            QCOMPARE(app.Formedit().findChild<QPlainTextEdit*>()->toPlainText(), opened + "\n");
        }
    }
};

int main(int argc, char** argv) {
    QTemporaryDir dir;
    home = dir.path();
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) qputenv(name, home.toLocal8Bit());
    for (const char* name : {"XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) qunsetenv(name);
    QApplication qt(argc, argv);
    SettingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "settings_test.moc"

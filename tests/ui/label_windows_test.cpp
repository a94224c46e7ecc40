// SPDX-License-Identifier: GPL-3.0-or-later
// The label options and the label preview, driven through the real windows.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "../poppler_tools.h"
#include "fake_dialogs.h"
#include "file_tools.h"
#include "ui/application.h"
#include "ui/label_type.h"
#include "ui/main_window.h"
#include "ui/preview.h"
#include "ui/results.h"
#include "ui/second.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo;
using namespace zentavo::ui;

namespace {
const auto Run = RunPdfTool;
}  // namespace

class LabelWindowsTest : public WindowTest {
    Q_OBJECT

public:
    LabelWindowsTest() : WindowTest({.start = true, .folder = true, .scriptedDialogs = true}) {}

private:
    Tmain& M() { return app->main(); }
    TThird& T() { return app->Third(); }
    TPreview& P() { return app->Preview(); }
    TFormLabelType& O() { return app->FormLabelType(); }
    QString Slot(const char* name) { return P().Slot(name)->text(); }
    bool Shown(const char* name) { return P().Slot(name)->isVisible(); }
    QListWidgetItem* Entry(int i) { return O().CheckListBox1->item(i); }

    void ToResults(const char* duration = "0.2", const char* reducedDuration = "0.25") {
        M().VoltEdit->setText("480");
        M().IbfEdit->setText("20");
        M().GapEdit->setText("32");
        M().WorkDistEdit->setText("455");
        M().EquipClassBox->setCurrentIndex(1);
        M().GroundGroup->setItemIndex(1);
        M().Calc1->click();
        app->Second().t1Edit->setText(duration);
        app->Second().Edit2->setText(reducedDuration);
        app->Second().CheckBox1->setChecked(true);
        app->Second().CheckBox2->setChecked(true);
        app->Second().Button2->click();
        QVERIFY(T().isVisible());
    }
    void OpenOptions() {
        if (T().isVisible()) T().Button1->click(), app->Second().Button1->click();
        M().findChild<QAction*>("Labelformat1")->trigger();
        QVERIFY(O().isVisible() && !M().isVisible());
    }

private slots:
    void optionsStartAsTheDefaults() {
        QCOMPARE(O().CheckListBox1->count(), 17);
        QCOMPARE(Entry(0)->text(), QStringLiteral("Warning!"));
        QCOMPARE(Entry(16)->text(), QStringLiteral("Date created"));
        QVERIFY(!(Entry(0)->flags() & Qt::ItemIsUserCheckable));
        QVERIFY(!(Entry(1)->flags() & Qt::ItemIsEnabled));
        QCOMPARE(Entry(0)->checkState(), Qt::Checked);
        QVERIFY(Entry(2)->flags() & Qt::ItemIsUserCheckable);
        QCOMPARE(Entry(6)->checkState(), Qt::Unchecked);
        QCOMPARE(O().Edit1->text(), QStringLiteral("Enter your line here "));
        QCOMPARE(app->state().LabelLineCount, 7);
        QCOMPARE(CountLabelLines(O().Settings().ContentItems), 7);
    }

    void userRowsAddDeleteAndCount() {
        OpenOptions();
        O().Edit1->setText("Owner");
        O().Button1->click();
        O().Edit1->setText("Permit no.");
        O().Button1->click();
        O().Button1->click();  // a third row is refused
        QCOMPARE(O().CheckListBox1->count(), 19);
        QCOMPARE(dialogs->shown.value(0).kind, QStringLiteral("Information"));
        QVERIFY(dialogs->shown.value(0).text.startsWith("You can not add more lines."));
        QCOMPARE(Entry(17)->checkState(), Qt::Unchecked);

        Entry(18)->setCheckState(Qt::Checked);
        O().CheckListBox1->setCurrentRow(16);
        O().Deletethisline1->trigger();
        QCOMPARE(dialogs->shown.value(1).text, QStringLiteral("This line can not be deleted."));
        O().CheckListBox1->setCurrentRow(17);
        O().Deletethisline1->trigger();
        QCOMPARE(O().CheckListBox1->count(), 18);
        QCOMPARE(Entry(17)->text(), QStringLiteral("Permit no."));  // the second moved up, mark and all
        QCOMPARE(Entry(17)->checkState(), Qt::Checked);

        Entry(15)->setCheckState(Qt::Unchecked);  // the name is not a row
        Entry(6)->setCheckState(Qt::Checked);
        O().Button2->click();
        QVERIFY(M().isVisible() && !O().isVisible());
        QCOMPARE(app->state().LabelLineCount, 9);
    }

    void labelTypeSwitchesAtOnce() {
        OpenOptions();
        O().RadioGroup1->findChildren<QRadioButton*>().at(1)->click();
        QVERIFY(!app->state().LabelInColor);
        O().RadioGroup1->findChildren<QRadioButton*>().at(0)->click();
        QVERIFY(app->state().LabelInColor);
    }

    void createLabelFillsThePreview() {
        ToResults();
        T().Button2->click();
        QVERIFY(P().isVisible() && !T().isVisible());
        QCOMPARE(P().VisiblePicture(), 0);
        QCOMPARE(Slot("Label1"), QStringLiteral("Equipment type"));
        QCOMPARE(Slot("Label10"), QStringLiteral("480 V "));
        QCOMPARE(Slot("Label20"), QStringLiteral("Switchgear"));
        QCOMPARE(Slot("Label12"), QStringLiteral("17.9 inches"));  // 455 mm in the boundaries' unit
        QCOMPARE(Slot("Label13"), QStringLiteral("20 kA"));
        QCOMPARE(Slot("Label15"), QStringLiteral("7.69 cal/cm2"));  // the reduced case governs
        QCOMPARE(Slot("Label14"), QStringLiteral("63 inches"));
        QCOMPARE(Slot("Label16"), QStringLiteral("2"));
        QCOMPARE(P().Slot("Label15")->color(), QColor(255, 0, 0));
        QCOMPARE(P().Slot("Label7")->y(), 382);
        QVERIFY(Shown("Label17") && !Shown("Label21") && !Shown("Label26"));
        P().Button1->click();
        QVERIFY(T().isVisible() && !P().isVisible());
        QCOMPARE(T().L("Label25")->text(), QStringLiteral("7.34"));
    }

    // A TNT equivalent too small to show reads "N/A" in the results window,
    // and "N/A" alone on the label.
    void notAvailableTntWithoutUnit() {
        OpenOptions();
        Entry(12)->setCheckState(Qt::Checked);
        O().Button2->click();
        ToResults("0.001", "0.001");
        QCOMPARE(T().L("Label46")->text(), QStringLiteral("N/A"));
        T().Button2->click();
        QCOMPARE(Slot("Label34"), QStringLiteral("N/A"));
        QVERIFY(Shown("Label34"));
    }

    void spanishBlackAndWhiteWithEveryRow() {
        OpenOptions();
        O().LangGroup->setItemIndex(1);
        O().RadioGroup1->setItemIndex(1);
        O().RadioGroup1Click();
        for (int k = 2; k <= 14; ++k) Entry(k)->setCheckState(Qt::Checked);
        O().Button2->click();
        ToResults();
        T().Button2->click();
        QCOMPARE(P().VisiblePicture(), 3);
        QCOMPARE(P().Slot("Label15")->color(), QColor(Qt::black));
        QCOMPARE(Slot("Label14"), QStringLiteral("63 pulgadas"));
        QCOMPARE(Slot("Label11"), QStringLiteral("Conectado a tierra ( TT )"));
        QCOMPARE(Slot("Label20"), QStringLiteral("Interruptor"));
        QCOMPARE(Slot("Label33"), QStringLiteral("91 lb/ft2"));  // the larger pressure, as in English
        QCOMPARE(P().Slot("Label29")->y(), 190 + 17 * 12);  // 13 rows: step 17
        QVERIFY(Shown("Label39") && Shown("Label40") && !Shown("Label19"));  // level 2 clothing
        // The last row: the pair of lines moved up, nine apart, clear of the body's bottom rule.
        QCOMPARE(P().Slot("Label40")->y(), 399);
        QCOMPARE(P().Slot("Label39")->y(), 399 - 9);
        QCOMPARE(P().Slot("Label39")->x(), 270);
        QCOMPARE(app->state().LabelPpeIndex, 2);
    }

    void equipmentNameKeepsThirtyCharactersWithOneWarning() {
        ToResults();
        T().Button2->click();
        P().Edit1->setText(QString(35, QLatin1Char('x')));  // a pasted name
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Message Warning"));
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("Equipment Name too long"));
        QCOMPARE(P().Edit1->text(), QString(30, QLatin1Char('x')));
        QCOMPARE(Slot("Label18"), QString(30, QLatin1Char('x')));
        P().Edit1->setText(P().Edit1->text() + "y");  // a typed 31st character
        QCOMPARE(dialogs->shown.size(), 2);
        QCOMPARE(P().Edit1->text(), QString(30, QLatin1Char('x')));
    }

    // A pasted name with line breaks or other control characters: the field
    // and the label show it as one line, blanks in their place, no warning.
    void equipmentNamePastedWithLineBreaksIsOneLine() {
        ToResults();
        T().Button2->click();
        // clang-format off
        const struct { QString pasted, shown; } cases[] = {
            {QStringLiteral("Bus A\r\nSection 2"),        QStringLiteral("Bus A Section 2")},
            {QStringLiteral("Bus A\tSection\n2\n"),      QStringLiteral("Bus A Section 2 ")},
            {QStringLiteral("Bus A\x1b]0;x\x07") + QChar(0x2028) + "2", QStringLiteral("Bus A ]0;x  2")},
        };
        // clang-format on
        for (const auto& c : cases) {
            P().Edit1->setText(c.pasted);
            QCOMPARE(P().Edit1->text(), c.shown);
            QCOMPARE(Slot("Label18"), c.shown);
        }
        QVERIFY(dialogs->shown.isEmpty());
    }

    // The name counts characters: one outside the Basic Multilingual Plane
    // (two UTF-16 units) is one character and is never cut in half.
    void equipmentNameCountsCharacters() {
        ToResults();
        T().Button2->click();
        const QString plug = QString::fromUcs4(U"\U0001F50C");  // two UTF-16 units
        const QString name = QString(29, QLatin1Char('x')) + plug;
        P().Edit1->setText(name);
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Slot("Label18"), name);
        P().Edit1->setText(name + plug);  // a 31st character
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(P().Edit1->text(), name);
        QCOMPARE(Slot("Label18"), name);
        QString pasted;
        for (int i = 0; i < 31; ++i) pasted += plug;
        P().Edit1->setText(pasted);
        QCOMPARE(dialogs->shown.size(), 2);
        QCOMPARE(P().Edit1->text(), pasted.left(60));
        QVERIFY(!Slot("Label18").contains(QChar(0xFFFD)));
        QCOMPARE(Slot("Label18").toUcs4().size(), 30);
    }

    // A pasted flag (two code points, one symbol) as the 30th symbol is kept
    // whole, and a flag that would be the 31st goes whole: the label never
    // shows half a flag.
    void equipmentNameKeepsAFlagWhole() {
        ToResults();
        T().Button2->click();
        const QString fr = QString::fromUcs4(U"\U0001F1EB\U0001F1F7"), de = QString::fromUcs4(U"\U0001F1E9\U0001F1EA");
        const QString name = QString(29, QLatin1Char('x')) + fr;
        P().Edit1->setText(name);
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(Slot("Label18"), name);
        P().Edit1->setText(name + de);
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(P().Edit1->text(), name);
        QCOMPARE(Slot("Label18"), name);
    }

    // A title set from a longer entry of the options stays whole, on the
    // label and in its edit, at the first showing and at every later one;
    // typing cannot lengthen a title beyond 32 characters.
    void longUserRowTitleStaysWhole() {
        const QString title = QStringLiteral("Upstream protective device and its setting");
        OpenOptions();
        O().Edit1->setText(title);
        O().Button1->click();
        Entry(17)->setCheckState(Qt::Checked);
        O().Button2->click();
        ToResults();
        for (int showing = 0; showing < 2; ++showing) {
            T().Button2->click();
            QCOMPARE(Slot("Label22"), title);
            QCOMPARE(P().Line1_1->text(), title);
            P().Button1->click();
        }
        T().Button2->click();
        P().Line1_1->setFocus();
        P().Line1_1->end(false);
        QTest::keyClicks(P().Line1_1, "xyz");  // a full edit takes no more
        QCOMPARE(Slot("Label22"), title);
        QTest::keyClick(P().Line1_1, Qt::Key_Backspace);
        QTest::keyClicks(P().Line1_1, "ab");  // still over 32: nothing more is taken
        QCOMPARE(Slot("Label22"), title.chopped(1));
        P().Line1_1->clear();
        QTest::keyClicks(P().Line1_1, QString(40, QLatin1Char('t')));
        QCOMPARE(Slot("Label22"), QString(32, QLatin1Char('t')));
    }

    // The window shows the label exactly as it is saved.
    void previewShowsTheSavedPicture() {
        O().LangGroup->setItemIndex(2);
        ToResults();
        T().Button2->click();
        P().Edit1->setText(QString(30, QLatin1Char('W')));
        QWidget* shape = P().findChild<QWidget*>("Shape1");
        QVERIFY(shape);
        const QImage shown = shape->grab().toImage();
        const QImage saved = P().CaptureLabelImage();
        if (shown.devicePixelRatio() != 1.0) {
            QCOMPARE(shown.size(), saved.size() * shown.devicePixelRatio());
            return;  // drawn sharper on a denser screen; compared at one pixel a pixel
        }
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB888), saved);
    }

    void userRowEditsWriteIntoTheLabel() {
        OpenOptions();
        O().Edit1->setText("Owner");
        O().Button1->click();
        Entry(17)->setCheckState(Qt::Checked);
        O().Button2->click();
        ToResults();
        T().Button2->click();
        QVERIFY(P().Line1_1->isEnabled() && !P().Line2_1->isEnabled());
        QCOMPARE(P().Line1_1->text(), QStringLiteral("Owner"));
        P().Line1_2->setText("Plant 4");
        QCOMPARE(Slot("Label47"), QStringLiteral("Plant 4"));
        QCOMPARE(P().Slot("Label47")->y(), P().Slot("Label22")->y() + 1);
        QCOMPARE(P().Line1_2->maxLength(), 32);
    }

    void savesBitmapAndJpeg() {
        ToResults();
        T().Button2->click();
        dialogs->fileNames = {dir->filePath("label.bmp"), dir->filePath("label.jpg")};
        P().Button2->click();
        P().Button3->click();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(QFileInfo(dir->filePath("label.bmp")).size(), qint64(929910));
        QCOMPARE(dialogs->fileDialogs[0].initialName, QStringLiteral("1"));
        QCOMPARE(dialogs->fileDialogs[0].defaultSuffix, QStringLiteral("bmp"));
        QCOMPARE(dialogs->fileDialogs[1].defaultSuffix, QStringLiteral("jpg"));
        const QImage bmp(dir->filePath("label.bmp"));
        const QImage jpg(dir->filePath("label.jpg"));
        QCOMPARE(bmp.size(), QSize(668, 464));
        QCOMPARE(jpg.size(), QSize(668, 464));
        // The saved picture is the label as shown: the frame's inside is white,
        // the red energy value is there.
        const QImage shown = P().CaptureLabelImage();
        QCOMPARE(bmp.convertToFormat(QImage::Format_RGB888), shown);
        bool red = false;
        for (int y = 0; y < bmp.height() && !red; ++y) {
            for (int x = 300; x < bmp.width() && !red; ++x) red = bmp.pixelColor(x, y) == QColor(255, 0, 0);
        }
        QVERIFY(red);
    }

    // A label after a standard, chosen in the label options: the preview
    // paints it, the files and the print take it on its page with the name
    // typed and the assessment date chosen; classic again gives the classic
    // label, on its one page.
    void standardLabelInThePreviewAndItsFiles() {
        OpenOptions();
        QVERIFY(!O().LabelSizeBox->isEnabled());
        O().LabelStandardBox->setCurrentIndex(2);  // CSA Z462-2024
        QVERIFY(O().LabelSizeBox->isEnabled());
        O().LabelSizeBox->setCurrentIndex(1);  // 4 x 4 in
        O().AssessmentDateEdit->setDate(QDate(2026, 3, 1));
        O().Button2->click();
        ToResults();
        T().Button2->click();
        P().Edit1->setText("MCC-1");
        QVERIFY(P().StandardShown());
        QCOMPARE(P().StandardShown()->equipment.value, std::string("MCC-1"));
        // The preview paints it: the orange signal panel at the top of the square page.
        const QImage shown = P().findChild<QWidget*>("Shape1")->grab().toImage();
        const int inch = shown.height() / 4, left = (shown.width() - shown.height()) / 2;
        QCOMPARE(shown.pixelColor(left + inch / 5, inch / 5), QColor(255, 121, 0));
        const QString pdf = dir->filePath("label.pdf");
        dialogs->fileNames = {dir->filePath("label.bmp"), pdf};
        P().Button2->click();
        P().Button4->click();
        QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.value(0).text));
        QCOMPARE(QImage(dir->filePath("label.bmp")).size(), QSize(600, 600));
        QVERIFY2(Run("pdfinfo", {pdf}).contains(QRegularExpression("Page size:\\s+288 x 288 pts")), qPrintable(pdf));
        const QString text = Run("pdftotext", {pdf, "-"}).replace('\n', ' ');
        for (const char* w :
             {"WARNING", "MCC-1", "480 V", "7.69 cal/cm² at 17.9 in", "7.7 cal/cm²", "Class 00",
              "Date of arc flash risk assessment: 1 Mar 2026", "CSA Z462-2024"}) {
            QVERIFY2(text.contains(w), qPrintable(w + (" not in: " + text)));
        }

        P().Button1->click();
        OpenOptions();
        O().LabelStandardBox->setCurrentIndex(0);
        QVERIFY(!O().LabelSizeBox->isEnabled() && O().LabelSizeBox->currentIndex() == 0);
        O().Button2->click();
        ToResults();
        T().Button2->click();
        QVERIFY(!P().StandardShown());
        QCOMPARE(P().CaptureLabelImage().size(), QSize(668, 464));
    }

    void pdfAtLabelSizeWithTextAsText_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("English") << 0 << QStringList{"Equipment type", "480 V", "Switchgear", "7.69 cal/cm2", "63 inches", "MCC-1"};
        QTest::newRow("French") << 2 << QStringList{"Type d'Équipement", "Appareillage", "Mis à la terre", "63 pouce"};
    }
    void pdfAtLabelSizeWithTextAsText() {
        QFETCH(int, language);
        QFETCH(QStringList, words);
        O().LangGroup->setItemIndex(language);
        ToResults();
        T().Button2->click();
        P().Edit1->setText("MCC-1");
        const QString pdf = dir->filePath("label.pdf");
        dialogs->fileNames = {pdf};
        P().Button4->click();
        QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.value(0).text));
        QCOMPARE(dialogs->fileDialogs[0].defaultSuffix, QStringLiteral("pdf"));
        QVERIFY(dialogs->fileDialogs[0].filter.contains("*.pdf"));
        const QString info = Run("pdfinfo", {pdf});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+432 x 288 pts")), qPrintable(info));
        const QString text = Run("pdftotext", {"-layout", pdf, "-"});
        for (const QString& w : words) QVERIFY2(text.contains(w), qPrintable(w + " not in:\n" + text));
        // The picture goes in at its full resolution.
        const QString images = Run("pdfimages", {"-list", pdf});
        QVERIFY2(images.contains("1500  1147"), qPrintable(images));
    }

    void printsThroughThePrintDialog() {
        ToResults();
        T().Button2->click();
        dialogs->printToFile = dir->filePath("printed.pdf");
        P().Button5->click();
        QVERIFY(dialogs->shown.isEmpty());
        const QString info = Run("pdfinfo", {dialogs->printToFile});
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+432 x 288 pts")), qPrintable(info));
        // The printer gets the words as text and the picture at its full resolution.
        const QString images = Run("pdfimages", {"-list", dialogs->printToFile});
        QVERIFY2(images.contains("1500  1147"), qPrintable(images));
        const QString text = Run("pdftotext", {"-layout", dialogs->printToFile, "-"});
        QVERIFY2(text.contains("Incident energy at work distance"), qPrintable(text));
        dialogs->printToFile.clear();
        dialogs->answers = {false};  // the print dialog cancelled: nothing printed
        P().Button5->click();
    }

    void everyExportFailureIsShownAndLeavesNoFile_data() {
        QTest::addColumn<int>("format");  // 0 BMP, 1 JPEG, 2 PDF
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("reason");
        const char* formats[] = {"bmp", "jpeg", "pdf"};
        for (int f = 0; f < 3; ++f) {
            QTest::newRow(QByteArray(formats[f]) + " missing folder") << f << "missing/label" << "No such file or directory";
            QTest::newRow(QByteArray(formats[f]) + " a folder") << f << "." << "Is a directory";
            // A device or a pipe is refused as it stands; a full disk keeps nothing.
            QTest::newRow(QByteArray(formats[f]) + " a device") << f << "/dev/full" << "";
            QTest::newRow(QByteArray(formats[f]) + " a named pipe") << f << "pipe" << "";
            QTest::newRow(QByteArray(formats[f]) + " full disk") << f << "disk/label" << "full";
            QTest::newRow(QByteArray(formats[f]) + " read-only folder") << f << "read-only" << "Permission denied";
        }
    }
    void everyExportFailureIsShownAndLeavesNoFile() {
        QFETCH(int, format);
        QFETCH(QString, where);
        QFETCH(QString, reason);
        QString target = where.startsWith('/') ? where : dir->filePath(where);
        if (where == "read-only") {
            // Root may write into any folder whose write bits are off; the top
            // of sysfs refuses new files even to root.
            if (geteuid() == 0) {
                target = QStringLiteral("/sys/zentavo-label");
            } else {
                QDir(dir->path()).mkdir("ro");
                QFile::setPermissions(dir->filePath("ro"), QFile::ReadOwner | QFile::ExeOwner);
                target = dir->filePath("ro/label");
            }
        }
        if (where == "pipe") QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0644), 0);
        // One page of memory, so that every picture overflows it.
        std::unique_ptr<testing::SmallDisk> disk;
        if (reason == "full") {
            disk = std::make_unique<testing::SmallDisk>(QFile::encodeName(dir->filePath("disk")).toStdString(), 4096);
            reason = QString::fromLatin1(disk->FullReason());
        }
        ToResults();
        T().Button2->click();
        dialogs->fileNames = {target};
        QPushButton* save[] = {P().Button2, P().Button3, P().Button4};
        testing::PipeWatchdog watchdog(QFile::encodeName(target).toStdString(), 5);
        if (disk) disk->Limit(1000);
        save[format]->click();
        if (disk) disk->Unlimit();
        QVERIFY2(!watchdog.Stop(), "the export waited on the pipe");
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("Error"));
        if (reason.isEmpty()) {
            QCOMPARE(dialogs->shown[0].text, QStringLiteral("\"%1\" is not a regular file").arg(target));
        } else {
            QCOMPARE(dialogs->shown[0].text, QStringLiteral("Cannot create file \"%1\". %2").arg(target, reason));
        }
        if (disk) {
            QCOMPARE(QDir(dir->filePath("disk")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     QStringList());
        }
        QVERIFY(P().isVisible());
        if (where == "pipe") {  // still the pipe, not replaced by a picture
            struct stat st {};
            QCOMPARE(stat(QFile::encodeName(target).constData(), &st), 0);
            QVERIFY(S_ISFIFO(st.st_mode));
        } else if (!target.startsWith("/dev") && where != ".") {
            QVERIFY(!QFileInfo::exists(target));
        }
        // Nothing half-written beside it either.
        QFile::setPermissions(dir->filePath("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QStringList left = QDir(dir->path()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
    }

    void aCancelledOrFailedSaveLeavesNothing() {
        ToResults();
        T().Button2->click();
        dialogs->fileNames = {QString()};
        P().Button2->click();
        QVERIFY(dialogs->shown.isEmpty());
        const QString target = dir->filePath("missing/label.jpg");
        dialogs->fileNames = {target, dir->filePath("missing/label.pdf")};
        P().Button3->click();
        P().Button4->click();
        QCOMPARE(dialogs->shown.size(), 2);
        QCOMPARE(dialogs->shown.value(0).kind, QStringLiteral("Error"));
        QCOMPARE(dialogs->shown.value(0).text,
                 QStringLiteral("Cannot create file \"%1\". No such file or directory").arg(target));
        QVERIFY(dialogs->shown.value(1).text.startsWith("Cannot create file"));
        QVERIFY(P().isVisible());
        QVERIFY(QDir(dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
};

QTEST_MAIN(LabelWindowsTest)
#include "label_windows_test.moc"

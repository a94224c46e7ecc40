// SPDX-License-Identifier: GPL-3.0-or-later
// The program under a Spanish or French locale (the test runs under
// LANG=es_ES.UTF-8 or fr_FR.UTF-8): it loads that language as main() does,
// no text of any window is left in English, the numbers follow the locale's
// decimal separator, and the report file stays English.
#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <memory>

#include "drive.h"
#include "fake_dialogs.h"
#include "ui/device_panel.h"
#include "ui/study_model.h"
#include "ui/study_window.h"
#include "ui/translations.h"
#include "ui/widgets.h"
#include "window_fixture.h"

using namespace zentavo::ui;

namespace {

QStringList Words(const QString& text) {
    static const QRegularExpression nonLetters(QStringLiteral("[^\\p{L}]+"));
    QStringList out;
    for (const QString& w : text.toLower().split(nonLetters, Qt::SkipEmptyParts)) out << w;
    return out;
}

// The words of the program's English texts that neither translation uses,
// from the translation files themselves: a text shown with one of them is
// left in English. Proper names, codes and the words of the units stay as
// they are in every language.
QSet<QString> EnglishOnlyWords() {
    QSet<QString> english, translated;
    for (const char* language : {"es", "fr"}) {
        QFile file(QStringLiteral(ZENTAVO_TS_DIR "/zentavo_%1.ts").arg(QLatin1String(language)));
        if (!file.open(QIODevice::ReadOnly)) qFatal("no translation file for %s", language);
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QLatin1String("source")) {
                for (const QString& w : Words(xml.readElementText())) english << w;
            } else if (xml.name() == QLatin1String("translation") || xml.name() == QLatin1String("numerusform")) {
                for (const QString& w : Words(xml.readElementText(QXmlStreamReader::IncludeChildElements))) translated << w;
            }
        }
    }
    // clang-format off
    const QStringList kept = {"ieee", "nfpa", "zentavo", "mm", "kv", "ka", "cal", "cm", "lb", "ft", "kg", "kpa",
                              "mcc", "tnt", "pdf", "jpeg", "bmp", "csv", "txt", "ztv", "fr", "rk",
                              "atmosphere", "grams", "qt", "linux", "wayland", "utf", "windows", "vcb", "vcbb",
                              "hcb", "voa", "hoa", "n", "x", "s", "a", "v", "b"};
    // clang-format on
    QSet<QString> only = english - translated;
    for (const QString& k : kept) only.remove(k);
    return only;
}

// Every text the user can read in `window` as shown: its title, captions,
// buttons, group titles, tabs, menus and their entries, the items of its
// lists and drop-down boxes, the hints of its fields and its tool tips.
QStringList ShownTexts(QWidget* window) {
    QStringList texts = {window->windowTitle()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        texts << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w)) texts << QString(l->text()).remove(QRegularExpression("<[^>]*>"));
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts << g->title();
        if (auto* e = qobject_cast<QLineEdit*>(w)) texts << e->placeholderText() << e->text();
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            texts << c->placeholderText();
            for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
        }
        if (auto* t = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) texts << t->tabText(i);
        }
        if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        }
        // A table's headings; its cells are the study's own data.
        if (auto* table = qobject_cast<QTableView*>(w); table && table->model()) {
            for (int c = 0; c < table->model()->columnCount(); ++c)
                texts << table->model()->headerData(c, Qt::Horizontal).toString();
        }
    }
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        texts << menu->title();
        for (QAction* a : menu->actions()) texts << a->text();
    }
    return texts;
}

// The drop-down boxes of `window` whose item, once chosen, the closed box
// shows cut ("VCB — conducteurs verticaux dans un coffret m…").
QStringList CutTexts(QWidget* window, const QString& where) {
    QStringList out;
    for (QComboBox* c : window->findChildren<QComboBox*>()) {
        if (!c->isVisibleTo(window)) continue;
        QStyleOptionComboBox option;
        option.initFrom(c);
        option.editable = c->isEditable();
        const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c);
        for (int i = 0; i < c->count(); ++i) {
            if (c->fontMetrics().horizontalAdvance(c->itemText(i).trimmed()) > field.width())
                out << QStringLiteral("%1: \"%2\" cut in %3").arg(where, c->itemText(i), c->objectName());
        }
    }
    return out;
}

// A window wider than 1 000 pixels or taller than 740, or one that cannot be
// made as small, does not fit a 1024x768 screen with its frame and a panel.
QStringList DoesNotFit(QWidget* window, const QString& where) {
    for (QLayout* l : window->findChildren<QLayout*>()) l->activate();
    const QSize shown = window->isVisible() ? window->size() : window->sizeHint();
    const int widest = std::max({shown.width(), window->minimumWidth(), window->minimumSizeHint().width()});
    const int tallest = std::max({shown.height(), window->minimumHeight(), window->minimumSizeHint().height()});
    if (widest <= 1000 && tallest <= 740) return {};
    return {QStringLiteral("%1: %2x%3 pixels").arg(where).arg(widest).arg(tallest)};
}

}  // namespace

class TranslationTest : public WindowTest {
    Q_OBJECT

public:
    TranslationTest() : WindowTest({.closeStudies = true}) {}

private:
    QTemporaryDir runFolder;  // one folder for all the test functions
    QSet<QString> english;

    // The texts of `list` with an English word in them: one of the English
    // texts' words no translation uses, or one never right in Spanish or
    // French even where a translation keeps it (a unit in English, a name
    // without its accents, "N/A").
    QStringList LeftInEnglish(const QStringList& list, const QString& where) const {
        static const QStringList kNever = {"inches", "edition", "espanol", "francais"};
        static const QRegularExpression kNotApplicable(QStringLiteral("\\bN/A\\b"));
        QStringList out;
        for (const QString& text : list) {
            if (text.contains(kNotApplicable)) {
                out << QStringLiteral("%1: \"%2\" (N/A)").arg(where, text);
                continue;
            }
            for (const QString& w : Words(QString(text).remove('&'))) {
                if (english.contains(w) || kNever.contains(w)) {
                    out << QStringLiteral("%1: \"%2\" (%3)").arg(where, text, w);
                    break;
                }
            }
        }
        return out;
    }
    QString Decimal(const char* number) const { return QString::fromLatin1(number).replace('.', QLocale().decimalPoint()); }

private slots:
    // The language of the locale is found and loaded by the program's own
    // loader, and Qt's translation with it for the standard dialogs.
    void initTestCase() {
        const QString language = QLocale::languageToCode(QLocale().language());
        QVERIFY2(language == "es" || language == "fr", qPrintable("run under es_ES or fr_FR, not " + language));
        QCOMPARE(InstallTranslations(QLocale()), language);
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != QStringLiteral("Cancel"));
        english = EnglishOnlyWords();
        // The check itself sees English where it is.
        QVERIFY(english.contains("the") && english.contains("working") && english.contains("boundary"));
    }

    // Every window, each tab of a window with tabs.
    void noWindowIsLeftInEnglish_data() {
        QTest::addColumn<QString>("window");
        for (const QString& w : kAllWindowNames) QTest::newRow(qPrintable(w)) << w;
        // With results: the 2018 window's clothing lines and its device's
        // time-current picture, the study table's result words and tool tips.
        QTest::newRow("2018 results") << QStringLiteral("2018 results");
        QTest::newRow("study results") << QStringLiteral("study results");
        // The DC window's notes and results, its duration from a relay.
        QTest::newRow("DC results") << QStringLiteral("DC results");
    }
    void noWindowIsLeftInEnglish() {
        QFETCH(QString, window);
        // The arc durations as this locale writes them.
        if (window == "results" || window == "preview") {
            app->Start();
            FillEmpirical(app->main());
            app->main().Calc1->click();
            app->Second().t1Edit->setText(Decimal("0.2"));
            app->Second().Edit2->setText(Decimal("0.2"));
            app->Second().Button2->click();
            if (window == "preview") app->Third().Button2->click();
        }
        QStringList extra;  // what the window shows beyond its widgets' texts
        QWidget* w = nullptr;
        if (window == "2018 results") {
            // Low-voltage switchgear at 480 V, 20 kA, cleared by a relay's
            // instantaneous element: clothing for a few cal/cm2, with its
            // "V-rated" gloves.
            w = OpenWindow(*app, *dialogs, "2018 window", runFolder.path());
            QVERIFY(w);
            auto* equipment = Child<QComboBox>(*w, "EquipmentBox");
            equipment->setCurrentIndex(5);
            emit equipment->activated(5);
            Child<QLineEdit>(*w, "VoltEdit")->setText(QStringLiteral("480"));
            Child<QLineEdit>(*w, "IbfEdit")->setText(QStringLiteral("20"));
            Child<QComboBox>(*w, "DurationSourceBox")->setCurrentIndex(1);
            Child<QComboBox>(*w, "DeviceTypeBox")->setCurrentIndex(0);
            Child<QLineEdit>(*w, "RelayPickupEdit")->setText(QStringLiteral("1000"));
            Child<QLineEdit>(*w, "RelayTimeDialEdit")->setText(QStringLiteral("1"));
            Child<QLineEdit>(*w, "RelayInstPickupEdit")->setText(QStringLiteral("5000"));
            Child<QPushButton>(*w, "ComputeButton")->click();
            QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.isEmpty() ? QString() : dialogs->shown[0].text));
            QVERIFY(!Child<QLabel>(*w, "FullClothing1")->text().isEmpty());
            auto* view = Child<TimeCurrentView>(*w, "TimeCurrentView");
            QVERIFY(view->Plot());
            extra << view->Plot()->currentTitle << view->Plot()->timeTitle;
        } else if (window == "DC results") {
            // 48 V behind 16 mΩ, a relay that never acts and no longest
            // duration left for it: refused; then 2 s assumed, said with the low risk.
            w = OpenWindow(*app, *dialogs, "DC window", runFolder.path());
            QVERIFY(w);
            Child<QComboBox>(*w, "BoxBox")->setCurrentIndex(2);
            Child<QLineEdit>(*w, "VoltEdit")->setText(QStringLiteral("48"));
            Child<QLineEdit>(*w, "SourceREdit")->setText(Decimal("0.016"));
            Child<QLineEdit>(*w, "GapEdit")->setText(QStringLiteral("25"));
            Child<QLineEdit>(*w, "WorkDistEdit")->setText(Decimal("457.2"));
            Child<QPushButton>(*w, "ComputeButton")->click();
            QVERIFY2(dialogs->shown.isEmpty(), qPrintable(dialogs->shown.isEmpty() ? QString() : dialogs->shown[0].text));
            QVERIFY(!Child<QLabel>(*w, "Notes")->text().isEmpty());
            QVERIFY(!Child<QLabel>(*w, "ApproachNote")->text().isEmpty());
            QVERIFY(!Child<QLabel>(*w, "ArcResistanceClothing1")->text().isEmpty());
        } else if (window == "study results") {
            // A computed row, a refused one and one whose device caps its arc.
            const QString path = runFolder.filePath("words.csv");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("point,method,voltage,bolted_current,gap,work_distance,equipment_class,grounding,arc_time,"
                    "arc_time_reduced,device_type,relay_curve,relay_pickup,relay_time_dial\n"
                    "P1,empirical,480,20,32,455,Switchgear,Grounded,,,relay,IEEE-VI,100000,1\n"
                    "P2,empirical,480,20,32,455,,Grounded,0.2,0.2,,,,\n"
                    "P3,empirical,480,20,32,455,Switchgear,Grounded,,,relay,IEEE-VI,400,1\n");
            f.close();
            dialogs->fileNames = {path};
            app->Start();
            app->main().findChild<QAction*>("OpenStudy1")->trigger();
            const std::vector<TStudy*> studies = OpenStudyWindows();
            QVERIFY(!studies.empty());
            w = studies.back();
            // The first row in the row form: its fields, lists and tool tips.
            auto* table = Child<QTableView>(*w, "StudyTable");
            table->setCurrentIndex(table->model()->index(0, 0));
            const StudyModel& model = studies.back()->model();
            for (int r = 0; r < model.rowCount(); ++r) {
                for (const char* column : {"status", "governing", "device_element", "device_element_reduced"}) {
                    const int c = model.ColumnNamed(column);
                    if (c >= 0) extra << model.data(model.index(r, c), Qt::DisplayRole).toString();
                }
                extra << model.data(model.index(r, 0), Qt::ToolTipRole).toString();
            }
            QVERIFY2(extra.contains(QCoreApplication::translate("zentavo::ui::StudyModel", "capped")),
                     qPrintable(extra.join(", ")));
        } else {
            w = window == "results"   ? &app->Third()
                : window == "preview" ? static_cast<QWidget*>(&app->Preview())
                                      : OpenWindow(*app, *dialogs, window, runFolder.path());
        }
        QVERIFY(w);
        QStringList problems = ProblemsOnEveryTab(
            w, window, [this](QWidget* page, const QString& where) { return LeftInEnglish(ShownTexts(page), where); });
        problems += LeftInEnglish(extra, window);
        problems += CutTexts(w, window);
        problems += DoesNotFit(w, window);
        problems.removeDuplicates();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // The messages of the boxes, those of the libraries too: the joined
    // refusals of empty fields, a typed word that is not a number, and the
    // 2018 model's refusals with a limit given in inches.
    void noMessageIsLeftInEnglish_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("volt");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("device");   // the durations from a relay that does not act
        QTest::addColumn<bool>("caution");  // ... or from one computed with a caution
        QTest::addColumn<QString>("cleared");  // a device field left empty
        // clang-format off
        QTest::newRow("refused inputs")       << "main window" << QString()             << "Warning" << false << false << QString();
        QTest::newRow("not a number")         << "main window" << QStringLiteral("abc") << "Error"   << false << false << QString();
        QTest::newRow("2018, empty fields")   << "2018 window" << QString()             << "Warning" << false << false << QString();
        QTest::newRow("2018, gap in inches")  << "2018 window" << QStringLiteral("480") << "Warning" << false << false << QString();
        QTest::newRow("2018, device idle")    << "2018 window" << QStringLiteral("480") << "Warning" << true  << false << QString();
        QTest::newRow("2018, device caution") << "2018 window" << QStringLiteral("480") << "Warning" << true  << true << QString();
        QTest::newRow("2018, device field empty") << "2018 window" << QStringLiteral("480") << "Warning" << true << false
                                                  << QStringLiteral("RelayPickupEdit");
        QTest::newRow("DC, empty fields")     << "DC window"   << QString()             << "Warning" << false << false << QString();
        // clang-format on
    }
    void noMessageIsLeftInEnglish() {
        QFETCH(QString, window);
        QFETCH(QString, volt);
        QFETCH(QString, kind);
        QFETCH(bool, device);
        QFETCH(bool, caution);
        QFETCH(QString, cleared);
        if (window == "2018 window" && !volt.isEmpty() && !device) {
            // Gaps in inches, and a gap of 0.1 inch: below its limit of 6.35 mm (0.25 inches).
            OpenWindow(*app, *dialogs, "units", runFolder.path());
            app->FormUnits().Gap_Units->setCurrentText(QStringLiteral("inches"));
            app->FormUnits().Button1->click();
        }
        QWidget* w = OpenWindow(*app, *dialogs, window, runFolder.path());
        QVERIFY(w);
        if (window == "main window") {
            app->main().VoltEdit->setText(volt);
            app->main().Calc1->click();
        } else {
            if (!volt.isEmpty()) {
                // Low-voltage switchgear with its typical sizes, then a gap of 0.1 inch.
                auto* equipment = Child<QComboBox>(*w, "EquipmentBox");
                equipment->setCurrentIndex(5);
                emit equipment->activated(5);
                Child<QLineEdit>(*w, "VoltEdit")->setText(volt);
                Child<QLineEdit>(*w, "IbfEdit")->setText(QStringLiteral("20"));
                if (device) {
                    // A relay picking up above any arcing current, and no longest duration.
                    Child<QComboBox>(*w, "DurationSourceBox")->setCurrentIndex(1);
                    Child<QComboBox>(*w, "DeviceTypeBox")->setCurrentIndex(0);
                    Child<QLineEdit>(*w, "RelayPickupEdit")->setText(QStringLiteral("100000"));
                    Child<QLineEdit>(*w, "RelayTimeDialEdit")->setText(QStringLiteral("1"));
                    // No longest duration, in the interface's word ("ninguna", "aucune").
                    Child<QLineEdit>(*w, "MaxArcTimeEdit")
                        ->setText(QCoreApplication::translate("zentavo::ui::DevicePanel", "none"));
                    if (caution) {
                        // Computed: a pickup below 1 A, a dial above 20, an instantaneous pickup below it.
                        Child<QLineEdit>(*w, "RelayPickupEdit")->setText(Decimal("0.5"));
                        Child<QLineEdit>(*w, "RelayTimeDialEdit")->setText(QStringLiteral("25"));
                        Child<QLineEdit>(*w, "RelayInstPickupEdit")->setText(Decimal("0.05"));
                    }
                    if (!cleared.isEmpty()) Child<QLineEdit>(*w, qPrintable(cleared))->clear();
                } else {
                    Child<QLineEdit>(*w, "GapEdit")->setText(Decimal("0.1"));
                    Child<QLineEdit>(*w, "ArcTimeEdit")->setText(Decimal("0.2"));
                    Child<QLineEdit>(*w, "ArcTimeReducedEdit")->setText(Decimal("0.2"));
                }
            }
            Child<QPushButton>(*w, "ComputeButton")->click();
        }
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, kind);
        const QString text = dialogs->shown[0].text;
        QVERIFY2(LeftInEnglish({text}, kind).isEmpty(), qPrintable(text));
        if (volt == "abc") QVERIFY2(text.contains(volt), qPrintable(text));  // the word typed stays
        // The settings typed, in this locale's numbers, each where its sentence puts it.
        if (caution) {
            QVERIFY2(text.contains(Decimal("0.05")) && text.contains(Decimal("0.5")) && text.contains("25"),
                     qPrintable(text));
            QVERIFY(Child<QPushButton>(*w, "SaveButton")->isEnabled());
        }
        // The limit in the unit typed, its word in this language, with this locale's separator.
        if (window == "2018 window" && !volt.isEmpty() && !device) {
            const QString inches =
                QCoreApplication::translate("zentavo::ui::LibraryTexts", "inches");
            QVERIFY(inches != QStringLiteral("inches"));
            QVERIFY2(text.contains(QStringLiteral("(%1 %2)").arg(Decimal("0.25"), inches)),
                     qPrintable(text));
        }
    }

    // Numbers keep this locale's separator, and the report file stays English:
    // the bytes of the English report with this locale's separators.
    void numbersFollowTheLocaleAndTheReportStaysEnglish() {
        app->Start();
        FillEmpirical(app->main());
        app->main().GroundGroup->setItemIndex(1);  // grounded, as the English report was made
        app->main().Calc1->click();
        QCOMPARE(app->Second().IaEdit->text(), Decimal("11.22"));
        app->Second().t1Edit->setText(Decimal("0.2"));
        app->Second().Edit2->setText(Decimal("0.25"));
        app->Second().CheckBox1->setChecked(true);
        app->Second().CheckBox2->setChecked(true);
        app->Second().Button2->click();
        QVERIFY(app->Third().isVisible());
        const QString path = runFolder.filePath("results-report.txt");
        dialogs->fileNames = {path};
        app->Third().Button3->click();
        QFile report(path);
        QVERIFY(report.open(QIODevice::ReadOnly));
        QFile englishReport(QStringLiteral(ZENTAVO_EXPECTED_DIR "/empirical.txt"));
        QVERIFY(englishReport.open(QIODevice::ReadOnly));
        QString expected = QString::fromLatin1(englishReport.readAll());
        expected.replace(QRegularExpression(QStringLiteral("(\\d)\\.(\\d)")), QStringLiteral("\\1") + QLocale().decimalPoint() + QStringLiteral("\\2"));
        QCOMPARE(QString::fromLatin1(report.readAll()), expected);
        QVERIFY(dialogs->shown.isEmpty());
    }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"

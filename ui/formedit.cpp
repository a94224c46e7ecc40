#include "ui/formedit.h"

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QShowEvent>
#include <QFile>
#include <QIcon>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>
#include <memory>
#include <QPushButton>
#include <QStyle>
#include <QStringList>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <utility>

#include "ui/application.h"
#include "ui/editor_text.h"
#include "ui/main_window.h"
#include "ui/open_files.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {
// The menu pictures: the desktop theme's, else the style's own.
QIcon MenuIcon(const QWidget* w, const QByteArray& theme) {
    QStyle::StandardPixmap fallback = QStyle::SP_FileIcon;
    if (theme == "document-save-as") fallback = QStyle::SP_DialogSaveButton;
    if (theme == "edit-copy") fallback = QStyle::SP_FileDialogContentsView;
    if (theme == "edit-cut") fallback = QStyle::SP_DialogDiscardButton;
    if (theme == "edit-paste") fallback = QStyle::SP_DialogApplyButton;
    return QIcon::fromTheme(QString::fromLatin1(theme), w->style()->standardIcon(fallback));
}

// The question before a save that Windows-1252 cannot hold.
QString EncodingQuestion(const std::u32string& missing) {
    QStringList shown;
    for (char32_t c : missing) {
        // Line and paragraph separators are named, not shown.
        if (c == 0x2028) shown << QStringLiteral("U+2028");
        else if (c == 0x2029) shown << QStringLiteral("U+2029");
        else shown << QString::fromUcs4(&c, 1);
    }
    return QStringLiteral("This file is in Windows-1252, which cannot hold these characters: %1\n"
                          "Do you wish to save it in UTF-8 instead? (No saves nothing.)")
        .arg(shown.join(QLatin1Char(' ')));
}
}  // namespace

TFormedit::TFormedit(Application& app) : app_(app) {
    setObjectName("Formedit");
    setWindowTitle(QStringLiteral("Browser/Editor"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");

    auto add = [this](QMenu* menu, const char* name, const QString& text, const char* icon,
                      void (TFormedit::*handler)()) {
        QAction* a = menu->addAction(text);
        a->setProperty("themeIcon", QByteArray(icon));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, handler] { app_.Guard(this, [&] { (this->*handler)(); }); });
    };
    QMenu* file = MainMenu1->addMenu(QStringLiteral("File"));
    add(file, "SaveAs1", QStringLiteral("Save As.."), "document-save-as", &TFormedit::SaveAs1Click);
    add(file, "Exit1", QStringLiteral("Print"), "document-print", &TFormedit::Exit1Click);
    QMenu* edit = MainMenu1->addMenu(QStringLiteral("Edit"));
    add(edit, "Copy1", QStringLiteral("Copy"), "edit-copy", &TFormedit::Copy1Click);
    add(edit, "Cut1", QStringLiteral("Cut"), "edit-cut", &TFormedit::Cut1Click);
    add(edit, "Paste1", QStringLiteral("Paste"), "edit-paste", &TFormedit::Paste1Click);

    // The client area of 435 x 304 lies below the menu bar.
    const int top = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, 435, top);
    setFixedSize(435, 304 + top);

    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setAccessibleName(tr("Text of the file"));
    RichEdit1->setGeometry(8, top + 8, 419, 257);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);

    Button2 = MakeButton(this, "Button2", QStringLiteral("Close"), (435 - 75) / 2, top + 272);
    connect(Button2, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button2Click(); }); });
}

void TFormedit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The menu pictures are looked up in the desktop's theme on first use,
    // not at start-up.
    if (iconsLoaded_) return;
    iconsLoaded_ = true;
    for (QAction* a : findChildren<QAction*>()) {
        const QByteArray theme = a->property("themeIcon").toByteArray();
        if (!theme.isEmpty()) a->setIcon(MenuIcon(this, theme));
    }
}

void TFormedit::closeEvent(QCloseEvent* event) {
    // No close box: "Close" is the way back to the main window.
    event->ignore();
}

void TFormedit::OpenFromMain() {
    FileChoice choice;
    choice.title = QStringLiteral("Open");
    choice.filter = QStringLiteral("text files (*.txt)");
    choice.defaultSuffix = QStringLiteral("txt");
    const QString path = app_.dialogs().OpenFileName(&app_.main(), choice);
    if (path.isEmpty()) return;
    show();
    app_.main().hide();
    LoadFile(path);
}

void TFormedit::LoadFile(const QString& path) {
    RichEdit1->clear();
    file_ = EmptyTextFile();
    path_.clear();
    print_.reset();
    const std::string name = QFile::encodeName(path).toStdString();
    FileFingerprint print;
    TextLines file = ParseTextFile(ReadFile(name, kEditorFileLimit, "the editor", &print));
    if (const char32_t c = FirstCharacterTheEditorCannotShow(file)) {
        throw IoError("\"" + name + "\" holds the character U+" +
                          QString::number(static_cast<uint>(c), 16).toUpper().toStdString() +
                          ", which the editor cannot show; the file was not opened.",
                      name);
    }
    const std::size_t perBlock = LinesPerEditorBlock(file.lines.size());
    RichEdit1->setPlainText(EditorText(file, perBlock));
    file_ = std::move(file);
    path_ = path;
    print_ = print;
    // Once the widget has settled its layout, the scroll bar learns how many
    // lines the shared blocks hold.
    if (perBlock > 1) QTimer::singleShot(0, this, [this] { CountSharedBlockLines(); });
}

void TFormedit::CountSharedBlockLines() {
    QTextDocument* doc = RichEdit1->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b.layout() && b.layout()->lineCount() > 0) continue;  // laid out: counted by the widget
        b.setLineCount(static_cast<int>(b.text().count(QChar(QChar::LineSeparator))) + 1);
    }
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
}

std::vector<std::string> TFormedit::EditorLines() const {
    std::vector<std::string> lines;
    const QTextDocument* doc = RichEdit1->document();
    lines.reserve(static_cast<std::size_t>(doc->blockCount()));
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) lines.push_back(b.text().toStdString());
    return lines;
}

void TFormedit::SaveAs1Click() {
    FileChoice choice;
    choice.title = QStringLiteral("Save file as");
    choice.filter = QStringLiteral("text fles (*.txt);;Zentavo files (*.ztv)");
    choice.defaultSuffix = QStringLiteral("txt");
    const QString path = app_.dialogs().SaveFileName(this, choice);
    if (path.isEmpty()) return;
    // Untouched lines keep their characters and line ends; the text keeps the
    // file's encoding, or UTF-8 when the user agrees that it cannot.
    TextLines out = RebuildLines(file_, EditorLines());
    const std::u32string missing = CharactersNotInEncoding(out);
    if (!missing.empty()) {
        if (!app_.dialogs().Confirm(this, EncodingQuestion(missing))) return;
        out.encoding = TextEncoding::Utf8;
        out.byteOrderMark = false;
    }
    if (!MayReplace(app_, this, path, path_, print_)) return;  // the text stays
    print_ = WriteFileAtomically(QFile::encodeName(path).toStdString(), EncodeTextLines(out));
    path_ = path;
    file_ = std::move(out);
}

void TFormedit::Exit1Click() {
    QPrinter printer;
    if (!app_.dialogs().PrintSetup(this, printer)) return;
    printer.setDocName(QString());
    // The screen keeps long lines unwrapped; the printout wraps them at the
    // page width so that every character reaches the paper.
    std::unique_ptr<QTextDocument> page(RichEdit1->document()->clone());
    QTextOption option = page->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    page->setDefaultTextOption(option);
    page->setDefaultFont(RichEdit1->font());
    page->print(&printer);
}

void TFormedit::Copy1Click() { RichEdit1->copy(); }
void TFormedit::Cut1Click() { RichEdit1->cut(); }
void TFormedit::Paste1Click() { RichEdit1->paste(); }

void TFormedit::Button2Click() {
    if (app_.dialogs().Confirm(this, QStringLiteral("Do you wish to save changes?"))) SaveAs1Click();
    hide();
    app_.main().show();
}

}  // namespace zentavo::ui

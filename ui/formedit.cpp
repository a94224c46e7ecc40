// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/formedit.h"

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QShowEvent>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextOption>
#include <memory>
#include <QPushButton>
#include <QStyle>
#include <QStringList>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

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

// The editor's text widget. A long line is shown in pieces (see
// ui/editor_text.h): a line break typed inside a piece starts a line of its
// own, and what is copied joins the pieces as the file has them.
class EditorEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const bool lineBreak = e->matches(QKeySequence::InsertParagraphSeparator) && !isReadOnly();
        QPlainTextEdit::keyPressEvent(e);
        // The new block took the format of the one it was split from; when
        // that was a piece, the new block would be joined to it again.
        QTextCursor c = textCursor();
        if (!lineBreak || !ContinuesLine(c.block())) return;
        c.joinPreviousEditBlock();  // undone with the line break
        c.setBlockFormat(QTextBlockFormat());
        c.endEditBlock();
    }

    QMimeData* createMimeDataFromSelection() const override {
        const QTextCursor selection = textCursor();
        const int from = selection.selectionStart(), to = selection.selectionEnd();
        const QTextBlock first = document()->findBlock(from), last = document()->findBlock(to);
        bool piecesJoined = false;
        for (QTextBlock b = first; b != last && !piecesJoined; b = b.next())
            piecesJoined = ContinuesLine(b.next());
        if (!piecesJoined) return QPlainTextEdit::createMimeDataFromSelection();
        // Each block's part as the widget would copy it, joined as the file
        // has them.
        QString text;
        for (QTextBlock b = first;; b = b.next()) {
            if (b != first && !ContinuesLine(b)) text += QLatin1Char('\n');
            QTextCursor part(b);
            part.setPosition(std::max(from, b.position()));
            part.setPosition(std::min(to, b.position() + b.length() - 1), QTextCursor::KeepAnchor);
            text += part.selection().toPlainText();
            if (b == last) break;
        }
        auto* copied = new QMimeData;
        copied->setText(text);
        return copied;
    }
};

// The question before a save that Windows-1252 cannot hold.
QString EncodingQuestion(const std::u32string& missing) {
    QStringList shown;
    for (char32_t c : missing) {
        // Line and paragraph separators are named, not shown.
        if (c == 0x2028) shown << QStringLiteral("U+2028");
        else if (c == 0x2029) shown << QStringLiteral("U+2029");
        else shown << QString::fromUcs4(&c, 1);
    }
    return TFormedit::tr("This file is in Windows-1252, which cannot hold these characters: %1\n"
                          "Do you wish to save it in UTF-8 instead? (No saves nothing.)")
        .arg(shown.join(QLatin1Char(' ')));
}
}  // namespace

TFormedit::TFormedit(Application& app) : app_(app) {
    setObjectName("Formedit");
    setWindowTitle(tr("Browser/Editor"));
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
    QMenu* file = MainMenu1->addMenu(tr("&File"));
    add(file, "SaveAs1", tr("&Save As\u2026"), "document-save-as", &TFormedit::SaveAs1Click);
    add(file, "Exit1", tr("&Print"), "document-print", &TFormedit::Exit1Click);
    QMenu* edit = MainMenu1->addMenu(tr("&Edit"));
    add(edit, "Copy1", tr("&Copy"), "edit-copy", &TFormedit::Copy1Click);
    add(edit, "Cut1", tr("Cu&t"), "edit-cut", &TFormedit::Cut1Click);
    add(edit, "Paste1", tr("&Paste"), "edit-paste", &TFormedit::Paste1Click);

    // The client area of 435 x 304 lies below the menu bar.
    const int top = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, 435, top);
    setFixedSize(435, 304 + top);

    RichEdit1 = new EditorEdit(this);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setAccessibleName(tr("Text of the file"));
    RichEdit1->setGeometry(8, top + 8, 419, 257);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);

    Button2 = MakeButton(this, "Button2", tr("&Close"), (435 - 75) / 2, top + 272);
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
    choice.title = tr("Open");
    choice.filter = tr("text files (*.txt)");
    choice.defaultSuffix = QStringLiteral("txt");
    const QString path = app_.dialogs().OpenFileName(&app_.main(), choice);
    if (path.isEmpty()) return;
    // A refused file leaves the user in the main window, with the reason in
    // the error box; the editor shows only once the file is in it (and its
    // text widget takes a large text faster while hidden).
    LoadFile(path);
    show();
    app_.main().hide();
}

void TFormedit::LoadFile(const QString& path) {
    const std::string name = QFile::encodeName(path).toStdString();
    FileFingerprint print;
    TextLines file = ParseTextFile(ReadFile(name, kEditorFileLimit, "the editor", &print));
    if (const char32_t c = FirstCharacterTheEditorCannotShow(file)) {
        throw IoError("\"" + name + "\" holds the character U+" +
                          QString::number(static_cast<uint>(c), 16).toUpper().toStdString() +
                          ", which the editor cannot show; the file was not opened.",
                      name);
    }
    // The old text goes before the new one comes in.
    RichEdit1->clear();
    file_ = EmptyTextFile();
    const std::size_t perBlock = LinesPerEditorBlock(file.LineCount());
    const std::vector<DisplayBlock> blocks = DisplayBlocks(file, perBlock);
    RichEdit1->setPlainText(EditorText(file, blocks));
    MarkContinuedLines(*RichEdit1->document(), blocks);
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

std::string TFormedit::EditedText() const { return EditorDocumentText(*RichEdit1->document()); }

void TFormedit::SaveAs1Click() {
    FileChoice choice;
    choice.title = tr("Save file as");
    choice.filter = tr("text fles (*.txt);;Zentavo files (*.ztv)");
    choice.defaultSuffix = QStringLiteral("txt");
    const QString path = app_.dialogs().SaveFileName(this, choice);
    if (path.isEmpty()) return;
    // Untouched lines keep their characters and line ends; the text keeps the
    // file's encoding, or UTF-8 when the user agrees that it cannot.
    TextLines out = RebuildLinesFromText(file_, EditedText());
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
    if (app_.dialogs().Confirm(this, tr("Do you wish to save changes?"))) SaveAs1Click();
    hide();
    app_.main().show();
}

}  // namespace zentavo::ui

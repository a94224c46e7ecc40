#include "ui/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <memory>

namespace zentavo::ui {

namespace {
const QString kTitle = QStringLiteral("Zentavo");

// The open dialog takes a typed name as it stands when such a file exists,
// and adds the default extension only when it does not ("README" opens
// README, "report" opens report.txt). The toolkit's own check of an open
// dialog knows only the name as typed: it would grey Open for "report". So
// the dialog takes any name, and this one refuses a name that stands for no
// file, with the toolkit's own words.
class OpenDialog : public QFileDialog {
public:
    OpenDialog(QWidget* parent, const FileChoice& choice)
        : QFileDialog(parent, choice.title, QString(), choice.filter), suffix_(choice.defaultSuffix) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.size() == 1) {
            const QString resolved = ResolveOpenName(files.constFirst(), suffix_);
            if (!QFileInfo::exists(resolved)) {
                QMessageBox::warning(this, windowTitle(),
                                     QFileDialog::tr("%1\nFile not found.\nPlease verify the "
                                                     "correct file name was given.")
                                         .arg(QFileInfo(resolved).fileName()));
                return;
            }
            if (resolved != files.constFirst()) selectFile(resolved);
        }
        QFileDialog::accept();
    }

private:
    QString suffix_;
};

QString RunFileDialog(QWidget* parent, const FileChoice& choice, QFileDialog::AcceptMode mode) {
    std::unique_ptr<QFileDialog> owned = mode == QFileDialog::AcceptOpen
                                             ? std::make_unique<OpenDialog>(parent, choice)
                                             : std::make_unique<QFileDialog>(parent, choice.title, QString(), choice.filter);
    QFileDialog& dialog = *owned;
    dialog.setAcceptMode(mode);
    // Any name may be typed: an open dialog checks it itself (OpenDialog::accept).
    dialog.setFileMode(QFileDialog::AnyFile);
    if (mode == QFileDialog::AcceptSave) dialog.setDefaultSuffix(choice.defaultSuffix);
    if (!choice.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!choice.initialName.isEmpty()) dialog.selectFile(choice.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    // A desktop's own dialog does not pass through OpenDialog::accept.
    return mode == QFileDialog::AcceptOpen ? ResolveOpenName(chosen, choice.defaultSuffix) : chosen;
}
}  // namespace

FileChoice ReportFileChoice(const QString& lastName) {
    FileChoice choice;
    choice.title = QStringLiteral("Save results to");
    choice.filter = QStringLiteral("text files (*.txt)");
    choice.defaultSuffix = QStringLiteral("txt");
    choice.initialName = lastName;
    choice.confirmOverwrite = false;
    return choice;
}

QString ResolveOpenName(const QString& typed, const QString& defaultSuffix) {
    const QFileInfo info(typed);
    if (defaultSuffix.isEmpty() || info.exists() || !info.suffix().isEmpty()) return typed;
    const QString withSuffix = typed + QLatin1Char('.') + defaultSuffix;
    return QFileInfo::exists(withSuffix) ? withSuffix : typed;
}

void QtDialogService::Warning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Warning!"), text, QMessageBox::Ok);
}

bool QtDialogService::Confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

SaveAnswer QtDialogService::AskSaveChanges(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Save changes"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    // Alt+S and Alt+D answer from the keyboard, as Alt+Y and Alt+N do elsewhere.
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

void QtDialogService::Information(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Information"), text, QMessageBox::Ok);
}

void QtDialogService::Message(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

void QtDialogService::Error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, kTitle, text, QMessageBox::Ok);
}

QString QtDialogService::OpenFileName(QWidget* parent, const FileChoice& choice) {
    return RunFileDialog(parent, choice, QFileDialog::AcceptOpen);
}

QString QtDialogService::SaveFileName(QWidget* parent, const FileChoice& choice) {
    return RunFileDialog(parent, choice, QFileDialog::AcceptSave);
}

bool QtDialogService::PrintSetup(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogService::OpenDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <memory>

#include "ui/study_export_dialog.h"

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

// A box with OK, its text bounded; what was left out is in its details. The
// text is shown as written: a name with "<" in it is no markup.
void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& message) {
    const BoxText bounded = BoundedBoxText(message);
    QMessageBox box(icon, title, bounded.text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDetailedText(bounded.details);
    box.exec();
}
}  // namespace

BoxText BoundedBoxText(const QString& message) {
    QStringList lines = message.split(QLatin1Char('\n'));
    while (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
    QStringList shown;
    bool cut = false;
    for (qsizetype i = 0; i < lines.size() && i <= kBoxListLines; ++i) {
        QString line = lines[i];
        if (line.size() > kBoxLineLength) {
            qsizetype keep = kBoxLineLength - 1;
            if (line[keep].isLowSurrogate()) --keep;  // never half a character
            line = line.left(keep) + QChar(0x2026);
            cut = true;
        }
        shown.append(line);
    }
    const qsizetype more = lines.size() - shown.size();
    if (more > 0) {
        shown.append(QCoreApplication::translate("zentavo::ui::DialogService", "… and %1 more")
                         .arg(QLocale().toString(more)));
        cut = true;
    }
    return {shown.join(QLatin1Char('\n')), cut ? message : QString()};
}

FileChoice ReportFileChoice(const QString& lastName) {
    FileChoice choice;
    choice.title = QCoreApplication::translate("zentavo::ui::QtDialogService", "Save results to");
    choice.filter = QCoreApplication::translate("zentavo::ui::QtDialogService", "text files (*.txt)");
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
    ShowBox(parent, QMessageBox::Warning, QCoreApplication::translate("zentavo::ui::QtDialogService", "Warning!"), text);
}

bool QtDialogService::Confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QCoreApplication::translate("zentavo::ui::QtDialogService", "Confirm"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

SaveAnswer QtDialogService::AskSaveChanges(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("zentavo::ui::QtDialogService", "Save changes"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    // Alt+S and Alt+D answer from the keyboard, as Alt+Y and Alt+N do elsewhere.
    box.button(QMessageBox::Save)->setText(QCoreApplication::translate("zentavo::ui::QtDialogService", "&Save"));
    box.button(QMessageBox::Discard)->setText(QCoreApplication::translate("zentavo::ui::QtDialogService", "&Discard"));
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

DuplicateAnswer QtDialogService::AskDuplicateBranch(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question,
                    QCoreApplication::translate("zentavo::ui::QtDialogService", "Duplicate rows"), text,
                    QMessageBox::Cancel, parent);
    QPushButton* branch = box.addButton(
        QCoreApplication::translate("zentavo::ui::QtDialogService", "Copy the &branch too"), QMessageBox::AcceptRole);
    QPushButton* point = box.addButton(
        QCoreApplication::translate("zentavo::ui::QtDialogService", "&Only the point"), QMessageBox::AcceptRole);
    // Doubling a feeder changes every current downstream: the safer answer is the default.
    box.setDefaultButton(point);
    box.exec();
    if (box.clickedButton() == branch) return DuplicateAnswer::CopyBranch;
    if (box.clickedButton() == point) return DuplicateAnswer::PointOnly;
    return DuplicateAnswer::Cancel;
}

void QtDialogService::Information(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Information, QCoreApplication::translate("zentavo::ui::QtDialogService", "Information"), text);
}

void QtDialogService::Message(QWidget* parent, const QString& title, const QString& text) {
    ShowBox(parent, QMessageBox::Warning, title, text);
}

void QtDialogService::Error(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Critical, kTitle, text);
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

bool QtDialogService::StudyExportSetup(QWidget* parent, StudyExportChoice& choice) {
    TStudyExport dialog(parent, choice);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = dialog.Choice();
    return true;
}

std::optional<QString> QtDialogService::AskText(QWidget* parent, const QString& title,
                                                const QString& label, const QString& text) {
    bool ok = false;
    const QString given = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    if (!ok) return std::nullopt;
    return given;
}

void QtDialogService::OpenDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace zentavo::ui

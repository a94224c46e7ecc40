#include "ui/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace zentavo::ui {

namespace {
const QString kTitle = QStringLiteral("Zentavo");

QString RunFileDialog(QWidget* parent, const FileChoice& choice, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, choice.title, QString(), choice.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    if (!choice.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!choice.initialName.isEmpty()) dialog.selectFile(choice.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}
}  // namespace

void QtDialogService::Warning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Warning!"), text, QMessageBox::Ok);
}

bool QtDialogService::Confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
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

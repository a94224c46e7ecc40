// SPDX-License-Identifier: GPL-3.0-or-later
// A scripted stand-in for the program's dialogs: records every box that
// would have been shown and answers questions from a script.
#pragma once

#include <QList>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "ui/dialogs.h"

namespace zentavo::ui {

class FakeDialogs : public DialogService {
public:
    struct Shown {
        QString kind;  // "Warning", "Confirm", "Information", "Error"
        QString text;
    };
    QList<Shown> shown;
    std::deque<bool> answers;        // Confirm answers; an unscripted question fails the test
    std::deque<QString> fileNames;   // answers of the file dialogs ("" = cancel)
    QList<FileChoice> fileDialogs;
    QStringList openedDocuments;
    bool unexpected = false;

    void Warning(QWidget*, const QString& text) override { shown.append({"Warning", text}); }
    bool Confirm(QWidget*, const QString& text) override {
        shown.append({"Confirm", text});
        if (answers.empty()) {
            unexpected = true;
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<SaveAnswer> saveAnswers;  // answers to "save the changes first?"
    std::deque<DuplicateAnswer> duplicateAnswers;  // answers to "copy the branch too?"
    SaveAnswer AskSaveChanges(QWidget*, const QString& text) override {
        shown.append({"SaveChanges", text});
        if (saveAnswers.empty()) {
            unexpected = true;
            return SaveAnswer::Cancel;
        }
        const SaveAnswer a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    DuplicateAnswer AskDuplicateBranch(QWidget*, const QString& text) override {
        shown.append({"DuplicateBranch", text});
        if (duplicateAnswers.empty()) {
            unexpected = true;
            return DuplicateAnswer::Cancel;
        }
        const DuplicateAnswer a = duplicateAnswers.front();
        duplicateAnswers.pop_front();
        return a;
    }
    void Information(QWidget*, const QString& text) override {
        shown.append({"Information", text});
    }
    void Message(QWidget*, const QString& title, const QString& text) override {
        shown.append({"Message " + title, text});
    }
    void Error(QWidget*, const QString& text) override { shown.append({"Error", text}); }
    QString OpenFileName(QWidget*, const FileChoice& choice) override { return NextFile(choice); }
    QString SaveFileName(QWidget*, const FileChoice& choice) override { return NextFile(choice); }
    // With `printToFile` set the chosen printer is a PDF file of that name.
    bool PrintSetup(QWidget*, QPrinter& printer) override {
        if (printToFile.isEmpty()) return NextAnswer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToFile);
        return true;
    }
    QString printToFile;
    // Answers of the study's Labels… and Report… dialog, as a user fills it;
    // an unscripted one, or a greyed choice, fails the test.
    struct ExportAnswer {
        bool accept = true;
        StudyRows rows = StudyRows::All;
        QString project = {}, client = {}, author = {};
        // The labels' standard and page, and the assessment date; unset: as offered.
        std::optional<LabelStandard> standard = {};
        std::optional<LabelPageSize> size = {};
        QDate assessmentDate = {};
        QString engineer = {};  // the report's
    };
    std::deque<ExportAnswer> exportAnswers;
    QList<StudyExportChoice> exportOffers;  // what each such dialog offered
    // Set: asked instead of the script (the program's own dialog, say).
    std::function<bool(QWidget*, StudyExportChoice&)> exportDialog;
    bool StudyExportSetup(QWidget* parent, StudyExportChoice& choice) override {
        exportOffers.append(choice);
        if (exportDialog) return exportDialog(parent, choice);
        if (exportAnswers.empty()) {
            unexpected = true;
            return false;
        }
        const ExportAnswer a = exportAnswers.front();
        exportAnswers.pop_front();
        const int offered = a.rows == StudyRows::Selected   ? choice.selectedRows
                            : a.rows == StudyRows::Filtered ? choice.filteredRows
                                                            : choice.allRows;
        if (offered == 0) unexpected = true;
        choice.rows = a.rows;
        if (choice.report) {
            choice.project = a.project;
            choice.client = a.client;
            choice.author = a.author;
            choice.engineer = a.engineer;
        }
        if (a.standard) choice.standard = *a.standard;
        if (a.size) choice.size = *a.size;
        if (a.assessmentDate.isValid()) choice.assessmentDate = a.assessmentDate;
        return a.accept;
    }
    // Answers of the text questions (none: cancelled); an unscripted one fails the test.
    std::deque<std::optional<QString>> textAnswers;
    std::optional<QString> AskText(QWidget*, const QString& title, const QString& label,
                                   const QString& text) override {
        shown.append({"Text " + title, label + "\n" + text});
        if (textAnswers.empty()) {
            unexpected = true;
            return std::nullopt;
        }
        std::optional<QString> a = textAnswers.front();
        textAnswers.pop_front();
        return a;
    }
    void OpenDocument(const QString& path) override { openedDocuments.append(path); }

    void Clear() {
        shown.clear();
        fileDialogs.clear();
        openedDocuments.clear();
    }

private:
    QString NextFile(const FileChoice& choice) {
        fileDialogs.append(choice);
        if (fileNames.empty()) {
            unexpected = true;
            return {};
        }
        QString f = fileNames.front();
        fileNames.pop_front();
        return f;
    }
    bool NextAnswer() {
        if (answers.empty()) {
            unexpected = true;
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace zentavo::ui

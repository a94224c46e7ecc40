// SPDX-License-Identifier: GPL-3.0-or-later
// Every message box, file dialog, print dialog and desktop request of the
// program goes through this interface: Qt's dialogs in the program, a
// scripted fake in the tests. Every message box of the program is bounded
// (BoundedBoxText): however long the list it shows, its buttons stay on
// the screen.
#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "label/label_settings.h"
#include "label/standard.h"

class QPrinter;
class QWidget;

namespace zentavo::ui {

struct FileChoice {
    QString title;
    QString filter;         // "text files (*.txt)"
    QString defaultSuffix;  // "txt"
    QString initialName;    // file name offered at first
    bool confirmOverwrite = true;  // ask before an existing file is chosen for saving
};

// The answer to "save the changes first?".
enum class SaveAnswer { Save, Discard, Cancel };

// The answer to "copy the branch of the rows duplicated, or only their points?".
enum class DuplicateAnswer { CopyBranch, PointOnly, Cancel };

// Which rows of a study its labels or report take.
enum class StudyRows { All, Selected, Filtered };

// The study window's Labels… and Report… dialog. In: how many rows each
// choice takes (a choice of no rows is greyed) and the report's lines last
// given; out: the rows chosen and, for the report, its title block lines.
struct StudyExportChoice {
    bool report = false;  // the report's project, client and author are asked too
    int allRows = 0, selectedRows = 0, filteredRows = 0;
    StudyRows rows = StudyRows::All;
    QString project, client, author;
    QString engineer;  // the report's: the engineer's name and licence, in its Scope
    // The labels' standard (after NFPA 70E unless chosen), page and DANGER
    // above 600 V as well; the date of the assessment, on the labels and the report.
    LabelStandard standard = LabelStandard::Nfpa70e;
    LabelPageSize size = LabelPageSize::In6x4;
    // The labels' language (offered for the labels only; the report is English).
    LabelLanguage language = kEnglish;
    bool dangerAbove600 = false;
    QDate assessmentDate = QDate::currentDate();
};

// A message box's text for a message that may list many lines (the names
// cut on labels, rows refused): its first line and at most kBoxListLines
// after it, then how many more; a line longer than kBoxLineLength characters
// is cut with "…". `details` holds the whole message when anything was left
// out (empty otherwise): the box shows it where it can be scrolled and copied.
inline constexpr int kBoxListLines = 10;
inline constexpr int kBoxLineLength = 300;
struct BoxText {
    QString text, details;
};
BoxText BoundedBoxText(const QString& message);

class DialogService {
public:
    virtual ~DialogService() = default;
    // "Warning!" box with OK: collected input problems and method refusals.
    virtual void Warning(QWidget* parent, const QString& text) = 0;
    // Question ("Confirm") with Yes and No; true for Yes.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // "Save changes" box: Save, Discard or Cancel (Cancel also when the box is closed).
    virtual SaveAnswer AskSaveChanges(QWidget* parent, const QString& text) = 0;
    // "Duplicate rows" box: Copy the branch too, Only the point, or Cancel
    // (Cancel also when the box is closed).
    virtual DuplicateAnswer AskDuplicateBranch(QWidget* parent, const QString& text) = 0;
    // Notice ("Information") with OK.
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // A warning with its own title and an OK button.
    virtual void Message(QWidget* parent, const QString& title, const QString& text) = 0;
    // The error box of the application's error handler.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // File dialogs: the chosen path, or empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const FileChoice& choice) = 0;
    virtual QString SaveFileName(QWidget* parent, const FileChoice& choice) = 0;
    // Print dialog: true when the user chose to print.
    virtual bool PrintSetup(QWidget* parent, QPrinter& printer) = 0;
    // The rows (and report lines) of a study's labels or report; false when cancelled.
    virtual bool StudyExportSetup(QWidget* parent, StudyExportChoice& choice) = 0;
    // A line of text asked for (a bus's new name), `text` offered: the text
    // given, or none when cancelled.
    virtual std::optional<QString> AskText(QWidget* parent, const QString& title,
                                           const QString& label, const QString& text) = 0;
    // Asks the desktop to open a document with its viewer; the outcome is not looked at.
    virtual void OpenDocument(const QString& path) = 0;
};

// The "Save results to" dialog of a report: a text file, offered under the
// last name used; an existing report is appended to, never replaced.
FileChoice ReportFileChoice(const QString& lastName);

// The file an open dialog's typed name stands for: the name itself when such
// a file exists or the name has an extension, else the name with
// `defaultSuffix` added when that file exists.
QString ResolveOpenName(const QString& typed, const QString& defaultSuffix);

// The program's dialogs.
class QtDialogService : public DialogService {
public:
    void Warning(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    SaveAnswer AskSaveChanges(QWidget* parent, const QString& text) override;
    DuplicateAnswer AskDuplicateBranch(QWidget* parent, const QString& text) override;
    void Information(QWidget* parent, const QString& text) override;
    void Message(QWidget* parent, const QString& title, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const FileChoice& choice) override;
    QString SaveFileName(QWidget* parent, const FileChoice& choice) override;
    bool PrintSetup(QWidget* parent, QPrinter& printer) override;
    bool StudyExportSetup(QWidget* parent, StudyExportChoice& choice) override;
    std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& text) override;
    void OpenDocument(const QString& path) override;
};

}  // namespace zentavo::ui

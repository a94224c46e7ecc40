// SPDX-License-Identifier: GPL-3.0-or-later
// The study window's Labels… and Report… dialog: which rows to take (the
// whole study, the selected rows, the rows the filter shows), for the
// labels their language, and for the report the project, client and author
// lines of its title block and the engineer named in its Scope; the
// standard and the assessment date for both.
#pragma once

#include <QDialog>

#include "ui/dialogs.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;

namespace zentavo::ui {

class TStudyExport : public QDialog {
    Q_OBJECT
public:
    // Offers `choice`: a choice of no rows is greyed; the report's lines
    // only when `choice.report`.
    TStudyExport(QWidget* parent, const StudyExportChoice& choice);
    // The choice as the controls stand.
    StudyExportChoice Choice() const;

private:
    // Which rows.
    QRadioButton* AllRowsButton = nullptr;
    QRadioButton* SelectedRowsButton = nullptr;
    QRadioButton* FilteredRowsButton = nullptr;
    // The report's title block lines; none for the labels.
    QLineEdit* ReportProjectEdit = nullptr;
    QLineEdit* ReportClientEdit = nullptr;
    QLineEdit* ReportAuthorEdit = nullptr;
    // The engineer responsible, name and licence; none for the labels.
    QLineEdit* EngineerEdit = nullptr;
    // The labels' language; none for the report.
    QComboBox* LabelLanguageBox = nullptr;
    // The labels' standard, page and DANGER above 600 V; none for the report.
    QComboBox* LabelStandardBox = nullptr;
    QComboBox* LabelSizeBox = nullptr;
    QCheckBox* DangerVoltsBox = nullptr;
    // The date of the assessment.
    QDateEdit* AssessmentDateEdit = nullptr;

    // The choice offered: what the controls do not change is given back as it came.
    StudyExportChoice choice_;
};

}  // namespace zentavo::ui

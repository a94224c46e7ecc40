// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_export_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zentavo::ui {

namespace {

QLineEdit* Edit(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    return edit;
}

}  // namespace

TStudyExport::TStudyExport(QWidget* parent, const StudyExportChoice& choice) : QDialog(parent), choice_(choice) {
    setObjectName("StudyExport");
    setWindowTitle(choice.report ? tr("Report of the study") : tr("Labels of the study"));
    auto* layout = new QVBoxLayout(this);

    auto* rows = new QGroupBox(choice.report ? tr("Rows in the report") : tr("Rows to label"), this);
    rows->setObjectName("StudyExportRows");
    auto* rowsLayout = new QVBoxLayout(rows);
    auto points = [](int n) { return n == 1 ? tr("1 point") : tr("%1 points").arg(n); };
    auto radio = [&](const char* name, const QString& text, int count, StudyRows which) {
        auto* button = new QRadioButton(text.arg(points(count)), rows);
        button->setObjectName(name);
        button->setEnabled(count > 0);
        button->setChecked(count > 0 && which == choice.rows);
        rowsLayout->addWidget(button);
        return button;
    };
    AllRowsButton = radio("AllRowsButton", tr("&Whole study (%1)"), choice.allRows, StudyRows::All);
    SelectedRowsButton =
        radio("SelectedRowsButton", tr("&Selected rows only (%1)"), choice.selectedRows, StudyRows::Selected);
    FilteredRowsButton =
        radio("FilteredRowsButton", tr("Rows shown by the &filter (%1)"), choice.filteredRows, StudyRows::Filtered);
    // The choice offered may have no rows: the whole study then.
    if (!SelectedRowsButton->isChecked() && !FilteredRowsButton->isChecked()) AllRowsButton->setChecked(true);
    layout->addWidget(rows);

    if (choice.report) {
        auto* lines = new QGroupBox(tr("Title block (lines left empty are not printed)"), this);
        lines->setObjectName("StudyExportLines");
        auto* form = new QFormLayout(lines);
        ReportProjectEdit = Edit(lines, "ReportProjectEdit", choice.project);
        ReportClientEdit = Edit(lines, "ReportClientEdit", choice.client);
        ReportAuthorEdit = Edit(lines, "ReportAuthorEdit", choice.author);
        form->addRow(tr("&Project:"), ReportProjectEdit);
        form->addRow(tr("&Client:"), ReportClientEdit);
        form->addRow(tr("Prepared &by:"), ReportAuthorEdit);
        layout->addWidget(lines);
    }

    auto* label = new QGroupBox(choice.report ? tr("Assessment") : tr("Labels"), this);
    label->setObjectName("StudyExportLabel");
    auto* labelForm = new QFormLayout(label);
    if (!choice.report) {
        // The language of the labels' words; their numbers follow it
        // (LabelDecimalSeparator).
        LabelLanguageBox = new QComboBox(label);
        LabelLanguageBox->setObjectName("LabelLanguageBox");
        LabelLanguageBox->addItems({tr("English"), tr("Español"), tr("Français")});
        LabelLanguageBox->setCurrentIndex(static_cast<int>(choice.language));
        labelForm->addRow(tr("&Language:"), LabelLanguageBox);
    }
    // The standard the labels follow, which the report speaks too.
    LabelStandardBox = new QComboBox(label);
    LabelStandardBox->setObjectName("LabelStandardBox");
    LabelStandardBox->addItems({tr("Classic"), tr("NFPA 70E-2024"), tr("CSA Z462-2024")});
    LabelStandardBox->setCurrentIndex(static_cast<int>(choice.standard));
    // As wide as its longest name, whatever the form beside it.
    LabelStandardBox->setMinimumContentsLength(16);
    LabelStandardBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    labelForm->addRow(tr("S&tandard:"), LabelStandardBox);
    if (choice.report) {
        EngineerEdit = Edit(label, "EngineerEdit", choice.engineer);
        EngineerEdit->setPlaceholderText(tr("Name, licence"));
        labelForm->addRow(tr("&Engineer:"), EngineerEdit);
    }
    if (!choice.report) {
        LabelSizeBox = new QComboBox(label);
        LabelSizeBox->setObjectName("LabelSizeBox");
        LabelSizeBox->addItems({tr("6 × 4 in"), tr("4 × 4 in"), tr("5 × 3.5 in")});
        LabelSizeBox->setCurrentIndex(static_cast<int>(choice.size));
        // The classic label has one page.
        auto classic = [this](int index) {
            LabelSizeBox->setEnabled(index != 0);
            if (index == 0) LabelSizeBox->setCurrentIndex(0);
        };
        classic(LabelStandardBox->currentIndex());
        connect(LabelStandardBox, &QComboBox::currentIndexChanged, this, classic);
        DangerVoltsBox = new QCheckBox(tr("DANGER above 600 V as well (DANGER above 40 cal/cm² always)"), label);
        DangerVoltsBox->setObjectName("DangerVoltsBox");
        DangerVoltsBox->setChecked(choice.dangerAbove600);
        labelForm->addRow(tr("Page si&ze:"), LabelSizeBox);
        labelForm->addRow(DangerVoltsBox);
    }
    AssessmentDateEdit = new QDateEdit(choice.assessmentDate, label);
    AssessmentDateEdit->setObjectName("AssessmentDateEdit");
    AssessmentDateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    AssessmentDateEdit->setCalendarPopup(true);
    labelForm->addRow(tr("Assessment &date:"), AssessmentDateEdit);
    layout->addWidget(label);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("StudyExportButtons");
    // Each button with its own key beside the fields' ones (Alt+C is the client's).
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("C&ancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

StudyExportChoice TStudyExport::Choice() const {
    StudyExportChoice c = choice_;
    c.rows = SelectedRowsButton->isChecked()   ? StudyRows::Selected
             : FilteredRowsButton->isChecked() ? StudyRows::Filtered
                                               : StudyRows::All;
    if (c.report) {
        c.project = ReportProjectEdit->text().trimmed();
        c.client = ReportClientEdit->text().trimmed();
        c.author = ReportAuthorEdit->text().trimmed();
        c.engineer = EngineerEdit->text().trimmed();
    } else {
        c.size = static_cast<LabelPageSize>(std::clamp(LabelSizeBox->currentIndex(), 0, 2));
        c.dangerAbove600 = DangerVoltsBox->isChecked();
        c.language = static_cast<LabelLanguage>(std::clamp(LabelLanguageBox->currentIndex(), 0, 2));
    }
    c.standard = static_cast<LabelStandard>(std::clamp(LabelStandardBox->currentIndex(), 0, 2));
    c.assessmentDate = AssessmentDateEdit->date();
    return c;
}

}  // namespace zentavo::ui

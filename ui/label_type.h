// SPDX-License-Identifier: GPL-3.0-or-later
// The label options: label type, language, the rows the label carries and
// up to two rows of the user's own.
#pragma once

#include <QWidget>

#include "label/label_settings.h"
#include "label/standard.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;

namespace zentavo::ui {

class Application;
class RadioGroup;

class TFormLabelType : public QWidget {
    Q_OBJECT
public:
    explicit TFormLabelType(Application& app);

    // The options as the label reads them at this moment.
    LabelSettings Settings() const;
    // The label standard and what a label after a standard takes (its
    // language and colour those of Settings()); classic by default.
    StandardLabelOptions StandardOptions() const;

    void RadioGroup1Click();
    void Button1Click();           // "Add line.."
    void Deletethisline1Click();   // pop-up "Delete this line"
    void Button2Click();           // "Save and exit"

    RadioGroup* RadioGroup1;
    RadioGroup* LangGroup;
    QListWidget* CheckListBox1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;
    QMenu* PopupMenu1;
    QAction* Deletethisline1;
    // The label standard: classic, NFPA 70E-2024 or CSA Z462-2024; the page
    // of a label after a standard; DANGER above 600 V as well; the
    // assessment date.
    QComboBox* LabelStandardBox;
    QComboBox* LabelSizeBox;
    QCheckBox* DangerVoltsBox;
    QDateEdit* AssessmentDateEdit;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void AddEntry(const LabelContentItem& item);

    Application& app_;
};

}  // namespace zentavo::ui

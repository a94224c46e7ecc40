// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/label_type.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {
// A small red cross for "Delete this line".
QIcon DeleteIcon() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(4, 4, 12, 12);
    p.drawLine(12, 4, 4, 12);
    return QIcon(pm);
}
}  // namespace

TFormLabelType::TFormLabelType(Application& app) : app_(app) {
    setObjectName("FormLabelType");
    setWindowTitle(tr("Options: Label"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(371, 568);

    RadioGroup1 = new RadioGroup(this, "RadioGroup1", tr("Label type"),
                                 {tr("Color"), tr("Black and white")}, 1, 8,
                                 8, 170, 66);
    RadioGroup1->setItemIndex(0);
    LangGroup = new RadioGroup(this, "LangGroup", tr("Label language"),
                               {tr("English"), tr("Español"), tr("Français")}, 1, 193, 8, 170, 80);
    // The desktop's language until another is chosen.
    LangGroup->setItemIndex(DefaultLabelLanguage());

    auto* content = MakeGroup(this, "GroupBox1", tr("Label content"), 8, 94, 355, 306);
    CheckListBox1 = new QListWidget(content);
    CheckListBox1->setObjectName("CheckListBox1");
    CheckListBox1->setAccessibleName(tr("Rows of the label"));
    CheckListBox1->setGeometry(10, 22, 335, 238);
    CheckListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    for (const LabelContentItem& item : DefaultContentItems()) AddEntry(item);
    Edit1 = MakeEdit(content, "Edit1", tr("Enter your line here "), 10, 270, 240);
    Button1 = MakeButton(content, "Button1", tr("&Add line.."), 260, 269, 85);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Deletethisline1 = PopupMenu1->addAction(DeleteIcon(), tr("&Delete this line"));
    Deletethisline1->setObjectName("Deletethisline1");

    // The label standard, below the rows of the classic label.
    auto* standard = MakeGroup(this, "StandardGroup", tr("Label standard"), 8, 404, 355, 118);
    LabelStandardBox = MakeCombo(standard, "LabelStandardBox",
                                 {tr("Classic"), tr("NFPA 70E-2024"), tr("CSA Z462-2024")}, 10, 22, 160);
    LabelSizeBox = MakeCombo(standard, "LabelSizeBox", {tr("6 × 4 in"), tr("4 × 4 in"), tr("5 × 3.5 in")}, 180, 22, 165);
    LabelSizeBox->setAccessibleName(tr("Label size"));
    LabelSizeBox->setEnabled(false);
    DangerVoltsBox = new QCheckBox(tr("DANGER above 600 V as well"), standard);
    DangerVoltsBox->setObjectName("DangerVoltsBox");
    DangerVoltsBox->setGeometry(10, 52, 335, 24);
    MakeLabel(standard, "AssessmentDateLabel", tr("Assessment date"), 10, 88);
    AssessmentDateEdit = new QDateEdit(QDate::currentDate(), standard);
    AssessmentDateEdit->setObjectName("AssessmentDateEdit");
    AssessmentDateEdit->setAccessibleName(tr("Assessment date"));
    AssessmentDateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    AssessmentDateEdit->setCalendarPopup(true);
    AssessmentDateEdit->setGeometry(180, 84, 120, 24);
    // The classic label has one page.
    connect(LabelStandardBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        LabelSizeBox->setEnabled(index != 0);
        if (index == 0) LabelSizeBox->setCurrentIndex(0);
    });
    Button2 = MakeButton(this, "Button2", tr("&Save and exit"), (371 - 100) / 2, 533, 100);

    for (auto* g : std::initializer_list<QGroupBox*>{RadioGroup1, LangGroup, content, standard}) {
        for (QWidget* child : g->findChildren<QWidget*>()) {
            QFont f = child->font();
            f.setBold(false);
            child->setFont(f);
        }
        SetBold(g, true);
    }

    connect(RadioGroup1, &RadioGroup::itemClicked, this,
            [this] { app_.Guard(this, [&] { RadioGroup1Click(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { app_.Guard(this, [&] { Button2Click(); }); });
    // Its choices take effect as they are made: Escape leaves as "Save and exit" does.
    CloseOnEscape(this, Button2);
    connect(Deletethisline1, &QAction::triggered, this,
            [this] { app_.Guard(this, [&] { Deletethisline1Click(); }); });
    connect(CheckListBox1, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(CheckListBox1->viewport()->mapToGlobal(at));
    });
}

void TFormLabelType::AddEntry(const LabelContentItem& item) {
    // Shown in the user's language; the settings keep the row's own words.
    auto* row = new QListWidgetItem(LibraryText(item.Text), CheckListBox1);
    row->setData(Qt::UserRole, FromUtf8(item.Text));
    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    // A locked entry is greyed and keeps its mark.
    if (!item.Locked) flags |= Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
    row->setFlags(flags);
    row->setCheckState(item.Checked ? Qt::Checked : Qt::Unchecked);
}

LabelSettings TFormLabelType::Settings() const {
    LabelSettings s;
    s.LabelInColor = app_.state().LabelInColor;
    s.LabelLanguage = std::max(0, LangGroup->itemIndex());
    s.LabelLineCount = app_.state().LabelLineCount;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        const QListWidgetItem* row = CheckListBox1->item(i);
        s.ContentItems.push_back({Utf8(row->data(Qt::UserRole).toString()), row->checkState() == Qt::Checked,
                                  !(row->flags() & Qt::ItemIsUserCheckable)});
    }
    return s;
}

StandardLabelOptions TFormLabelType::StandardOptions() const {
    StandardLabelOptions o;
    o.standard = static_cast<LabelStandard>(std::clamp(LabelStandardBox->currentIndex(), 0, 2));
    o.size = static_cast<LabelPageSize>(std::clamp(LabelSizeBox->currentIndex(), 0, 2));
    if (DangerVoltsBox->isChecked()) o.dangerAboveVolts = 600;
    const QDate d = AssessmentDateEdit->date();
    o.assessmentDate = {d.day(), d.month(), d.year()};
    o.language = std::max(0, LangGroup->itemIndex());
    o.colour = app_.state().LabelInColor;
    o.sep = app_.Sep();
    return o;
}

void TFormLabelType::RadioGroup1Click() { app_.state().LabelInColor = RadioGroup1->itemIndex() == 0; }

void TFormLabelType::Button1Click() {
    if (CheckListBox1->count() > 18) {
        app_.dialogs().Information(
            this, tr("You can not add more lines. Please remove at least one from those "
                                 "you have already added by selecting and right clicking on it."));
        return;
    }
    AddEntry({Utf8(Edit1->text()), false, false});
}

void TFormLabelType::Deletethisline1Click() {
    const int selected = CheckListBox1->currentRow();
    if (selected <= 16 || !CheckListBox1->currentItem()->isSelected()) {
        app_.dialogs().Information(this, tr("This line can not be deleted."));
        return;
    }
    delete CheckListBox1->takeItem(selected);
}

void TFormLabelType::Button2Click() {
    LabelSettings s = Settings();
    app_.state().LabelLineCount = CountLabelLines(s.ContentItems);
    hide();
    app_.main().show();
}

void TFormLabelType::closeEvent(QCloseEvent* event) {
    // No border icons: "Save and exit" is the way out.
    event->ignore();
}

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/preview.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "label/label_settings.h"
#include "label/picture_file.h"
#include "label/sheet.h"
#include "render/label_painter.h"
#include "render/standard_label.h"
#include "ui/application.h"
#include "ui/open_files.h"
#include "ui/label_type.h"
#include "ui/results.h"
#include "ui/widgets.h"

namespace zentavo::ui {

// The framed label area of the window: the label painted as it is saved.
class LabelView : public QWidget {
public:
    LabelView(QWidget* parent, const LabelSheet& sheet, const std::optional<StandardLabel>& standard)
        : QWidget(parent), sheet_(sheet), standard_(standard) {
        setObjectName("Shape1");
        setGeometry(8, 3, render::kLabelWidth, render::kLabelHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (standard_) {
            painter.fillRect(rect(), Qt::white);
            render::PaintStandardLabel(painter, render::LayOutStandardLabel(*standard_), QRectF(rect()));
            return;
        }
        render::PaintLabel(painter, sheet_, Picture(sheet_.picture));
    }

private:
    // Decoded once at the size it is shown, in device pixels: sharp on a
    // high-density screen too.
    const QImage& Picture(int index) {
        QImage& p = pictures_.at(static_cast<std::size_t>(std::clamp(index, 0, 5)));
        const qreal ratio = devicePixelRatioF();
        if (p.isNull() || p.devicePixelRatio() != ratio) {
            p = render::LabelPicture(index, (QSizeF(render::kPictureOnPanel.size()) * ratio).toSize());
            p.setDevicePixelRatio(ratio);
        }
        return p;
    }

    const LabelSheet& sheet_;
    const std::optional<StandardLabel>& standard_;
    std::array<QImage, 6> pictures_;
};

namespace {

// A user-row title edit takes at most 32 typed characters, but keeps a
// longer title set from the label options whole.
constexpr int kUserRowLength = 32;
void SetTitleText(QLineEdit* edit, const QString& title) {
    edit->setMaxLength(std::max<int>(kUserRowLength, static_cast<int>(title.size())));
    edit->setText(title);
}

}  // namespace

QString LabelSlotView::text() const { return FromUtf8(slot_.text); }

TPreview::TPreview(Application& app) : app_(app) {
    setObjectName("Preview");
    setWindowTitle(tr("Preview"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // The label, the name and user-row fields, and one row of buttons below.
    setFixedSize(709, 590);

    Shape1 = new LabelView(this, sheet_, standard_);

    Button1 = MakeButton(this, "Button1", tr("&Back"), 8, 560, 76);
    Button2 = MakeButton(this, "Button2", tr("Save Bit&map"), 88, 560, 76);
    Button3 = MakeButton(this, "Button3", tr("Save &JPEG"), 168, 560, 76);
    Button4 = MakeButton(this, "Button4", tr("Save P&DF"), 248, 560, 76);
    Button5 = MakeButton(this, "Button5", tr("&Print"), 328, 560, 76);
    BitBtn1 = MakeExitButton(this, 682, 3);

    auto* name = MakeGroup(this, "GroupBox1", tr("Equipment name (30 symbols max)"), 8,
                           472, 219, 48);
    Edit1 = MakeEdit(name, "Edit1", QString(), 8, 20, 203);

    auto* lines = MakeGroup(this, "UserlinesGroup",
                            tr("User lines contents (add your lines using Options menu "
                                           "to enable this fields )"),
                            234, 472, 467, 82);
    MakeLabel(lines, "LabelTitle", tr("Title (left side)"), 104, 18);
    MakeLabel(lines, "LabelValue", tr("Value (right side)"), 290, 18);
    MakeLabel(lines, "Label45", tr("Additional line 1"), 8, 37);
    MakeLabel(lines, "Label46", tr("Additional line 2"), 8, 59);
    Line1_1 = MakeEdit(lines, "Line1_1", QString(), 104, 34, 180);
    Line1_2 = MakeEdit(lines, "Line1_2", QString(), 290, 34, 170);
    Line2_1 = MakeEdit(lines, "Line2_1", QString(), 104, 56, 180);
    Line2_2 = MakeEdit(lines, "Line2_2", QString(), 290, 56, 170);
    // Each field read out by its row and column, not by the group's long title.
    Line1_1->setAccessibleName(tr("Additional line 1, title"));
    Line1_2->setAccessibleName(tr("Additional line 1, value"));
    Line2_1->setAccessibleName(tr("Additional line 2, title"));
    Line2_2->setAccessibleName(tr("Additional line 2, value"));
    for (QLineEdit* e : {Line1_1, Line1_2, Line2_1, Line2_2}) {
        e->setMaxLength(kUserRowLength);
        e->setEnabled(false);
    }
    // Typing never makes a title longer than 32 characters, nor a longer one
    // set from the options longer than it is.
    for (QLineEdit* title : {Line1_1, Line2_1}) {
        connect(title, &QLineEdit::textEdited, this, [title](const QString& t) {
            title->setMaxLength(std::max<int>(kUserRowLength, static_cast<int>(t.size())));
        });
    }

    auto guarded = [this](void (TPreview::*handler)()) {
        return [this, handler] { app_.Guard(this, [&] { (this->*handler)(); }); };
    };
    connect(Button1, &QPushButton::clicked, this, guarded(&TPreview::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(&TPreview::Button2Click));
    connect(Button3, &QPushButton::clicked, this, guarded(&TPreview::Button3Click));
    connect(Button4, &QPushButton::clicked, this, guarded(&TPreview::Button4Click));
    connect(Button5, &QPushButton::clicked, this, guarded(&TPreview::Button5Click));
    connect(BitBtn1, &QPushButton::clicked, this, guarded(&TPreview::BitBtn1Click));
    connect(Edit1, &QLineEdit::textChanged, this, guarded(&TPreview::Edit1Change));
    // A user row's edits write straight into the label.
    const std::pair<QLineEdit*, const char*> rowSlots[] = {
        {Line1_1, "Label22"}, {Line1_2, "Label47"}, {Line2_1, "Label23"}, {Line2_2, "Label48"}};
    for (const auto& [edit, slot] : rowSlots) {
        connect(edit, &QLineEdit::textChanged, this, [this, slot](const QString& t) { SetSlotText(slot, t); });
    }
}

void TPreview::SetSlotText(const char* name, const QString& text) {
    sheet_.byName[name].text = Utf8(text);
    Shape1->update();
}

std::optional<LabelSlotView> TPreview::Slot(const char* name) const {
    auto it = sheet_.byName.find(std::string_view(name));
    if (it == sheet_.byName.end()) return std::nullopt;
    return LabelSlotView(it->second);
}

void TPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) app_.Guard(this, [&] { FormShow(); });
}

void TPreview::closeEvent(QCloseEvent* event) {
    // No border icons: "Back" and the exit button are the ways out.
    event->setAccepted(app_.quitRequested());  // or the end of the program
}

void TPreview::FormShow() {
    const QDate today = QDate::currentDate();
    const LabelLayout layout = LayoutLabel(app_.FormLabelType().Settings(),
                                           {today.day(), today.month(), today.year()},
                                           Utf8(Line1_2->text()), Utf8(Line2_2->text()));
    sheet_ = SheetFromLayout(layout);
    point_.reset();
    standard_.reset();
    // The user rows' edits: titles from the options, values kept while the row stays.
    const std::pair<QLineEdit*, QLineEdit*> edits[2] = {{Line1_1, Line1_2}, {Line2_1, Line2_2}};
    const UserRowEdits rows[2] = {layout.row1, layout.row2};
    for (int i = 0; i < 2; ++i) {
        SetTitleText(edits[i].first, FromUtf8(rows[i].title));
        edits[i].second->setText(FromUtf8(rows[i].value));
        edits[i].first->setEnabled(rows[i].enabled);
        edits[i].second->setEnabled(rows[i].enabled);
    }
    // The label's texts follow the user's edits.
    sheet_.at("Label47").text = Utf8(Line1_2->text());
    sheet_.at("Label48").text = Utf8(Line2_2->text());
    sheet_.at("Label18").text = Utf8(Edit1->text());
    Shape1->update();
}

void TPreview::SetPoint(const LabelContentInputs& point) {
    point_ = point;
    UpdateStandard();
}

void TPreview::UpdateStandard() {
    const StandardLabelOptions o = app_.FormLabelType().StandardOptions();
    if (o.standard == LabelStandard::Classic || !point_) {
        standard_.reset();
    } else {
        standard_ = MakeStandardLabel(*point_, OneLineName(Utf8(Edit1->text())), o);
    }
    Shape1->update();
}

void TPreview::ShowPointLabel(QWidget& from, const LabelPoint& point, const UnitSettings& units, char sep) {
    returnTo = &from;
    show();  // lays the label out from the options
    from.hide();

    const LabelSettings settings = app_.FormLabelType().Settings();
    // The label takes the governing case alone.
    LabelContentInputs in = LabelInputsOf(point, units, sep);
    in.language = settings.LabelLanguage;
    in.clothingChecked = IsChecked(settings.ContentItems, kEntryClothing);
    in.clothingCaptionTop = Slot("Label29")->y();
    in.dangerAboveVolts = app_.FormLabelType().StandardOptions().dangerAboveVolts;
    ApplyContent(MakeLabelContent(in));
    SetPoint(in);
}

void TPreview::ApplyContent(const LabelContent& content) {
    zentavo::ApplyContent(sheet_, content);
    if (content.labelPpeIndex) app_.state().LabelPpeIndex = *content.labelPpeIndex;
    Shape1->update();
}

void TPreview::Edit1Change() {
    if (cuttingName_) return;
    QString name = Edit1->text();
    // A pasted name may hold line breaks or tabs: the label's name is one line.
    const std::string typed = OneLineName(Utf8(name));
    const std::size_t end = EquipmentNameEnd(typed);
    if (end < typed.size()) {
        // Once, however many characters were pasted: the name keeps its first 30.
        app_.dialogs().Message(this, tr("Warning"), tr("Equipment Name too long"));
    }
    if (end < typed.size() || typed != Utf8(name)) {
        name = FromUtf8(std::string_view(typed).substr(0, end));
        cuttingName_ = true;
        Edit1->setText(name);
        cuttingName_ = false;
    }
    SetSlotText("Label18", name);
    if (standard_) UpdateStandard();
}

QImage TPreview::CaptureLabelImage() const {
    return standard_ ? render::StandardLabelImage(*standard_) : render::LabelImage(sheet_);
}

QByteArray TPreview::LabelPdf() const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool given = false;
    if (standard_) {
        render::WriteStandardLabelPdf(
            buffer, [&]() -> const StandardLabel* { return std::exchange(given, true) ? nullptr : &*standard_; });
        return buffer.data();
    }
    render::WriteLabelPdf(buffer, [&]() -> const LabelSheet* { return std::exchange(given, true) ? nullptr : &sheet_; });
    return buffer.data();
}

void TPreview::Button4Click() {
    FileChoice choice;
    choice.title = tr("Save PDF");
    choice.filter = tr("PDF files (*.pdf)");
    choice.defaultSuffix = QStringLiteral("pdf");
    const QString path = app_.dialogs().SaveFileName(this, choice);
    if (path.isEmpty() || !MayWriteOver(app_, this, path)) return;
    const QByteArray pdf = LabelPdf();
    SavePictureFile(QFile::encodeName(path).toStdString(), pdf.toStdString());
}

void TPreview::Button5Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(standard_ ? render::StandardLabelPageLayout(standard_->size) : render::LabelPageLayout());
    printer.setDocName(tr("Arc flash warning label"));
    if (!app_.dialogs().PrintSetup(this, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) throw std::runtime_error("The printer could not be started.");
    if (standard_) {
        render::PaintStandardLabel(painter, render::LayOutStandardLabel(*standard_),
                                   QRectF(0, 0, printer.width(), printer.height()));
    } else {
        render::PaintLabelPage(painter, sheet_, render::LabelPicture(sheet_.picture),
                               QRectF(0, 0, printer.width(), printer.height()));
    }
    painter.end();
}

void TPreview::Button1Click() {
    hide();
    QWidget* back = returnTo ? returnTo : &app_.Third();
    returnTo = nullptr;
    back->show();
}

void TPreview::BitBtn1Click() { app_.AskToExit(this); }

namespace {
RgbImage View(const QImage& image) {
    return {image.constBits(), image.width(), image.height(), static_cast<int>(image.bytesPerLine())};
}
}  // namespace

void TPreview::Button2Click() {
    FileChoice choice;
    choice.title = tr("Save Bitmap");
    choice.filter = tr("Bitmaps (*.bmp)");
    choice.defaultSuffix = QStringLiteral("bmp");
    choice.initialName = QStringLiteral("1");
    const QString path = app_.dialogs().SaveFileName(this, choice);
    if (path.isEmpty() || !MayWriteOver(app_, this, path)) return;
    const QImage image = CaptureLabelImage();
    SavePictureFile(QFile::encodeName(path).toStdString(), EncodeBmp(View(image)));
}

void TPreview::Button3Click() {
    FileChoice choice;
    choice.title = tr("Save JPEG");
    choice.filter = tr("JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)");
    choice.defaultSuffix = QStringLiteral("jpg");
    const QString path = app_.dialogs().SaveFileName(this, choice);
    if (path.isEmpty() || !MayWriteOver(app_, this, path)) return;
    const QImage image = CaptureLabelImage();
    SavePictureFile(QFile::encodeName(path).toStdString(), EncodeJpeg(View(image)));
}

}  // namespace zentavo::ui

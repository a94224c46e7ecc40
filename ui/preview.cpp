#include "ui/preview.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>
#include <stdexcept>

#include "label/picture_file.h"
#include "ui/application.h"
#include "ui/label_type.h"
#include "ui/results.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

constexpr QRect kShape1(8, 3, 668, 464);    // the framed label area, saved as the picture
constexpr QRect kPanel1(24, 7, 651, 456);   // the white label panel
constexpr QRect kPicture(5, -1, 623, 453);  // the background picture on the panel

const char* const kPictureFiles[6] = {":/zentavo/labels/en_color.jpg", ":/zentavo/labels/en_bw.jpg",
                                      ":/zentavo/labels/es_color.jpg", ":/zentavo/labels/es_bw.jpg",
                                      ":/zentavo/labels/fr_color.jpg", ":/zentavo/labels/fr_bw.jpg"};

// Every text slot of the label panel.
const char* const kSlotNames[] = {
    "Label1",  "Label2",  "Label3",  "Label4",  "Label5",  "Label6",  "Label7",  "Label8",
    "Label9",  "Label10", "Label11", "Label12", "Label13", "Label14", "Label15", "Label16",
    "Label17", "Label18", "Label19", "Label20", "Label21", "Label22", "Label23", "Label24",
    "Label25", "Label26", "Label27", "Label28", "Label29", "Label30", "Label31", "Label32",
    "Label33", "Label34", "Label35", "Label36", "Label37", "Label38", "Label39", "Label40",
    "Label41", "Label42", "Label43", "Label44", "Label47", "Label48"};

// Label texts are sized in pixels of the label (points at 96 per inch), not
// in points of the device: so the label keeps its proportions when it is
// drawn larger into a PDF or onto a printer.
QFont LabelFont(int pt, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize((pt * 4 + 1) / 3);
    f.setBold(bold);
    return f;
}

// 6 x 4 inch label stock, landscape, printed edge to edge.
QPageLayout LabelPage() {
    return QPageLayout(QPageSize(QSizeF(4, 6), QPageSize::Inch), QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0));
}

// A picture drawn into its whole rectangle from the pixmap it holds, at
// whatever resolution that is: a PDF or a printer gets every pixel of a
// full-resolution picture.
class PictureLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        const QPixmap p = pixmap();
        if (p.isNull()) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), p);
    }
};

}  // namespace

TPreview::TPreview(Application& app) : app_(app) {
    setObjectName("Preview");
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // The label, the name and user-row fields, and one row of buttons below.
    setFixedSize(709, 590);

    auto* shape = new QFrame(this);
    shape->setObjectName("Shape1");
    shape->setGeometry(kShape1);
    shape->setStyleSheet(QStringLiteral("#Shape1 { background: white; border: 1px solid black; }"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(kPanel1);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);

    for (int i = 0; i < 6; ++i) {
        auto* image = new PictureLabel(Panel1);
        image->setObjectName(QStringLiteral("Image%1").arg(i + 2));
        image->setGeometry(kPicture);
        image->hide();
        images_[i] = image;
    }
    for (const char* name : kSlotNames) MakeSlot(name, kValueLeft, 0);

    Button1 = MakeButton(this, "Button1", QStringLiteral("Back"), 8, 560, 76);
    Button2 = MakeButton(this, "Button2", QStringLiteral("Save Bitmap"), 88, 560, 76);
    Button3 = MakeButton(this, "Button3", QStringLiteral("Save JPEG"), 168, 560, 76);
    Button4 = MakeButton(this, "Button4", QStringLiteral("Save PDF"), 248, 560, 76);
    Button5 = MakeButton(this, "Button5", QStringLiteral("Print"), 328, 560, 76);
    BitBtn1 = MakeExitButton(this, 682, 3);

    auto* name = MakeGroup(this, "GroupBox1", QStringLiteral("Equipment name (30 symbols max)"), 8,
                           472, 219, 48);
    Edit1 = MakeEdit(name, "Edit1", QString(), 8, 20, 203);

    auto* lines = MakeGroup(this, "UserlinesGroup",
                            QStringLiteral("User lines contents (add your lines using Options menu "
                                           "to enable this fields )"),
                            234, 472, 467, 82);
    MakeLabel(lines, "LabelTitle", QStringLiteral("Title (left side)"), 104, 18);
    MakeLabel(lines, "LabelValue", QStringLiteral("Value (right side)"), 290, 18);
    MakeLabel(lines, "Label45", QStringLiteral("Additional line 1"), 8, 37);
    MakeLabel(lines, "Label46", QStringLiteral("Additional line 2"), 8, 59);
    Line1_1 = MakeEdit(lines, "Line1_1", QString(), 104, 34, 180);
    Line1_2 = MakeEdit(lines, "Line1_2", QString(), 290, 34, 170);
    Line2_1 = MakeEdit(lines, "Line2_1", QString(), 104, 56, 180);
    Line2_2 = MakeEdit(lines, "Line2_2", QString(), 290, 56, 170);
    for (QLineEdit* e : {Line1_1, Line1_2, Line2_1, Line2_2}) {
        e->setMaxLength(32);
        e->setEnabled(false);
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
    connect(Line1_1, &QLineEdit::textChanged, this, [this](const QString& t) { Slot("Label22")->setText(t); });
    connect(Line1_2, &QLineEdit::textChanged, this, [this](const QString& t) { Slot("Label47")->setText(t); });
    connect(Line2_1, &QLineEdit::textChanged, this, [this](const QString& t) { Slot("Label23")->setText(t); });
    connect(Line2_2, &QLineEdit::textChanged, this, [this](const QString& t) { Slot("Label48")->setText(t); });
}

QLabel* TPreview::MakeSlot(const char* name, int x, int y) {
    auto* l = new QLabel(Panel1);
    l->setObjectName(name);
    l->setGeometry(x, y, kPanel1.width() - x, 20);
    l->setFont(LabelFont(8, false));
    slots_[QString::fromLatin1(name)] = l;
    return l;
}

QLabel* TPreview::Slot(const char* name) const {
    auto it = slots_.find(QString::fromLatin1(name));
    return it == slots_.end() ? nullptr : it->second;
}

int TPreview::VisiblePicture() const {
    for (int i = 0; i < 6; ++i) {
        if (images_[i]->isVisibleTo(this)) return i;
    }
    return -1;
}

const QPixmap& TPreview::Picture(int index) {
    QPixmap& p = pictures_[index];
    const qreal ratio = devicePixelRatioF();
    if (p.isNull() || p.devicePixelRatio() != ratio) {
        // Decoded straight at the size it is shown, in device pixels: sharp on
        // a high-density screen too.
        QImageReader reader(QString::fromLatin1(kPictureFiles[index]));
        reader.setScaledSize((QSizeF(kPicture.size()) * ratio).toSize());
        p = QPixmap::fromImage(reader.read());
        p.setDevicePixelRatio(ratio);
    }
    return p;
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
    for (int i = 0; i < 6; ++i) {
        if (i == layout.picture) images_[i]->setPixmap(Picture(i));
        images_[i]->setVisible(i == layout.picture);
    }
    for (const auto& [name, slot] : layout.places) {
        QLabel* l = Slot(name.c_str());
        if (!l) continue;
        l->setFont(LabelFont(slot.fontPt, slot.bold));
        const int height = QFontMetrics(l->font()).height() + 2;
        l->setGeometry(slot.left, slot.top, kPanel1.width() - slot.left, height);
        SetTextColor(l, slot.red ? QColor(255, 0, 0) : QColor(Qt::black));
        l->setVisible(slot.visible);
    }
    for (const auto& [name, text] : layout.texts) {
        if (QLabel* l = Slot(name.c_str())) l->setText(FromUtf8(text));
    }
    // The user rows' edits: titles from the options, values kept while the row stays.
    const std::pair<QLineEdit*, QLineEdit*> edits[2] = {{Line1_1, Line1_2}, {Line2_1, Line2_2}};
    const UserRowEdits rows[2] = {layout.row1, layout.row2};
    for (int i = 0; i < 2; ++i) {
        edits[i].first->setText(FromUtf8(rows[i].title));
        edits[i].second->setText(FromUtf8(rows[i].value));
        edits[i].first->setEnabled(rows[i].enabled);
        edits[i].second->setEnabled(rows[i].enabled);
    }
    // The label's value texts follow the user rows' edits.
    Slot("Label47")->setText(Line1_2->text());
    Slot("Label48")->setText(Line2_2->text());
    Slot("Label18")->setText(Edit1->text());
}

void TPreview::ApplyContent(const LabelContent& content) {
    for (const auto& [name, text] : content.texts) {
        if (QLabel* l = Slot(name.c_str())) l->setText(FromUtf8(text));
    }
    for (const auto& [name, slot] : content.clothing) {
        QLabel* l = Slot(name.c_str());
        l->setFont(LabelFont(slot.fontPt, false));
        l->setGeometry(l->x(), slot.top, kPanel1.width() - l->x(), QFontMetrics(l->font()).height() + 2);
        l->setVisible(slot.visible);
    }
    if (content.clothingNaShown) Slot("Label35")->setVisible(*content.clothingNaShown);
    if (content.labelPpeIndex) app_.state().LabelPpeIndex = *content.labelPpeIndex;
}

void TPreview::Edit1Change() {
    if (cuttingName_) return;
    QString name = Edit1->text();
    if (name.size() > 30) {
        // Once, however many characters were pasted: the name keeps its first 30.
        app_.dialogs().Message(this, QStringLiteral("Warning"), QStringLiteral("Equipment Name too long"));
        name.truncate(30);
        cuttingName_ = true;
        Edit1->setText(name);
        cuttingName_ = false;
    }
    Slot("Label18")->setText(name);
}

QImage TPreview::CaptureLabelImage() {
    QImage image(kShape1.size(), QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    render(&painter, QPoint(0, 0), QRegion(kShape1));
    painter.end();
    return image;
}

void TPreview::PaintLabel(QPainter& painter, const QRectF& page) {
    const double scale = std::min(page.width() / kShape1.width(), page.height() / kShape1.height());
    painter.save();
    painter.translate(page.x() + (page.width() - kShape1.width() * scale) / 2,
                      page.y() + (page.height() - kShape1.height() * scale) / 2);
    painter.scale(scale, scale);
    // The picture at full resolution while the label is drawn.
    const int shown = VisiblePicture();
    QPixmap screen;
    if (shown >= 0) {
        screen = images_[shown]->pixmap();
        images_[shown]->setPixmap(QPixmap::fromImage(QImage(QString::fromLatin1(kPictureFiles[shown]))));
    }
    render(&painter, QPoint(0, 0), QRegion(kShape1));
    if (shown >= 0) images_[shown]->setPixmap(screen);
    painter.restore();
}

QByteArray TPreview::LabelPdf() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(LabelPage());
        writer.setResolution(600);
        writer.setTitle(QStringLiteral("Arc flash warning label"));
        writer.setCreator(QStringLiteral("Zentavo"));
        QPainter painter(&writer);
        PaintLabel(painter, QRectF(0, 0, writer.width(), writer.height()));
    }
    return buffer.data();
}

void TPreview::Button4Click() {
    FileChoice choice;
    choice.title = QStringLiteral("Save PDF");
    choice.filter = QStringLiteral("PDF files (*.pdf)");
    choice.defaultSuffix = QStringLiteral("pdf");
    const QString path = app_.dialogs().SaveFileName(this, choice);
    if (path.isEmpty()) return;
    const QByteArray pdf = LabelPdf();
    SavePictureFile(QFile::encodeName(path).toStdString(), pdf.toStdString());
}

void TPreview::Button5Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(LabelPage());
    printer.setDocName(QStringLiteral("Arc flash warning label"));
    if (!app_.dialogs().PrintSetup(this, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) throw std::runtime_error("The printer could not be started.");
    PaintLabel(painter, QRectF(0, 0, printer.width(), printer.height()));
    painter.end();
}

void TPreview::Button1Click() {
    hide();
    app_.Third().show();
}

void TPreview::BitBtn1Click() { app_.AskToExit(this); }

namespace {
RgbImage View(const QImage& image) {
    return {image.constBits(), image.width(), image.height(), static_cast<int>(image.bytesPerLine())};
}
}  // namespace

void TPreview::Button2Click() {
    FileChoice choice;
    choice.title = QStringLiteral("Save Bitmap");
    choice.filter = QStringLiteral("Bitmaps (*.bmp)");
    choice.defaultSuffix = QStringLiteral("bmp");
    choice.initialName = QStringLiteral("1");
    const QString path = app_.dialogs().SaveFileName(this, choice);
    if (path.isEmpty()) return;
    const QImage image = CaptureLabelImage();
    SavePictureFile(QFile::encodeName(path).toStdString(), EncodeBmp(View(image)));
}

void TPreview::Button3Click() {
    FileChoice choice;
    choice.title = QStringLiteral("Save JPEG");
    choice.filter = QStringLiteral("JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)");
    choice.defaultSuffix = QStringLiteral("jpg");
    const QString path = app_.dialogs().SaveFileName(this, choice);
    if (path.isEmpty()) return;
    const QImage image = CaptureLabelImage();
    SavePictureFile(QFile::encodeName(path).toStdString(), EncodeJpeg(View(image)));
}

}  // namespace zentavo::ui

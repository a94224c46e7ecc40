// The label preview: the warning label laid out from the label options,
// filled with the results in the label's language, and saved as a picture.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <map>

#include "label/content.h"
#include "label/layout.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRectF;

namespace zentavo::ui {

class Application;

class TPreview : public QWidget {
    Q_OBJECT
public:
    explicit TPreview(Application& app);

    // Writes the label's texts into the laid-out label.
    void ApplyContent(const LabelContent& content);

    void FormShow();  // LayoutLabel
    void Button1Click();  // "Back"
    void Button2Click();  // "Save Bitmap"
    void Button3Click();  // "Save JPEG"
    void Button4Click();  // "Save PDF"
    void Button5Click();  // "Print"
    void BitBtn1Click();  // exit
    void Edit1Change();

    // The label area as shown: 668 x 464 pixels, 24 bits per pixel.
    QImage CaptureLabelImage();
    // The label area drawn into `page` (aspect kept, centred) on any device:
    // text as text, the background picture at its full resolution.
    void PaintLabel(QPainter& painter, const QRectF& page);
    // The label as a one-page PDF on a 6 x 4 inch landscape page.
    QByteArray LabelPdf();

    QLabel* Slot(const char* name) const;
    int VisiblePicture() const;  // 0..5, -1 when none

    QFrame* Panel1;
    QLineEdit* Edit1;
    QLineEdit* Line1_1;
    QLineEdit* Line1_2;
    QLineEdit* Line2_1;
    QLineEdit* Line2_2;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* BitBtn1;
    // The window "Back" returns to once; the results window when unset.
    QWidget* returnTo = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* MakeSlot(const char* name, int x, int y);
    const QPixmap& Picture(int index);

    Application& app_;
    std::array<QLabel*, 6> images_{};
    std::array<QPixmap, 6> pictures_;  // loaded on first use, at the shown size
    std::map<QString, QLabel*> slots_;
    bool cuttingName_ = false;
};

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The label preview: the warning label laid out from the label options,
// filled with the results in the label's language, and saved as a picture.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <optional>

#include "label/content.h"
#include "label/point_label.h"
#include "label/sheet.h"
#include "label/standard.h"

class QLineEdit;
class QPushButton;

namespace zentavo::ui {

class Application;
class LabelView;

// One text of the label as the preview holds it, in panel coordinates.
class LabelSlotView {
public:
    explicit LabelSlotView(LabelSlot slot) : slot_(std::move(slot)) {}
    QString text() const;
    int x() const { return slot_.place.left; }
    int y() const { return slot_.place.top; }
    bool isVisible() const { return slot_.place.visible; }
    int fontPt() const { return slot_.place.fontPt; }
    QColor color() const { return slot_.place.red ? QColor(255, 0, 0) : QColor(Qt::black); }

private:
    LabelSlot slot_;
};

class TPreview : public QWidget {
    Q_OBJECT
public:
    explicit TPreview(Application& app);

    // The label of a point a single-point window computed (the results
    // window, the 2018 and DC windows), shown in place of `from`, which
    // "Back" returns to: laid out from the label options, in their language,
    // with their clothing entry and DANGER voltage, the point's texts as
    // LabelInputsOf writes them in `units` with the separator `sep`.
    void ShowPointLabel(QWidget& from, const LabelPoint& point, const UnitSettings& units, char sep);
    // Writes the label's texts into the laid-out label.
    void ApplyContent(const LabelContent& content);
    // The point the label is of: where the label options ask for a label
    // after NFPA 70E or CSA Z462, the preview, the files and the print show
    // that label of the point (with the equipment name typed) in place of
    // the classic one.
    void SetPoint(const LabelContentInputs& point);
    // The label after a standard as shown; none for the classic label.
    const std::optional<StandardLabel>& StandardShown() const { return standard_; }

    void FormShow();  // LayoutLabel
    void Button1Click();  // "Back"
    void Button2Click();  // "Save Bitmap"
    void Button3Click();  // "Save JPEG"
    void Button4Click();  // "Save PDF"
    void Button5Click();  // "Print"
    void BitBtn1Click();  // exit
    void Edit1Change();

    // The label area as shown: 668 x 464 pixels, 24 bits per pixel; a label
    // after a standard at 150 dpi on its page (900 x 600 pixels on 6 x 4 in).
    QImage CaptureLabelImage() const;
    // The label as a one-page PDF on its page (6 x 4 inch landscape for the classic label).
    QByteArray LabelPdf() const;

    // The label as shown, every text with its place and words.
    const LabelSheet& Sheet() const { return sheet_; }
    std::optional<LabelSlotView> Slot(const char* name) const;
    int VisiblePicture() const { return sheet_.picture; }  // 0..5

    LabelView* Shape1;  // the framed label area
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
    void SetSlotText(const char* name, const QString& text);
    // The label after a standard from the point, the options and the name typed.
    void UpdateStandard();

    Application& app_;
    LabelSheet sheet_;
    std::optional<LabelContentInputs> point_;
    std::optional<StandardLabel> standard_;
    bool cuttingName_ = false;
};

}  // namespace zentavo::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <algorithm>

#include "ui/translations.h"

namespace zentavo::ui {

constexpr int kLabelHeight = 16;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    // A caption placed by its top-left corner may run to the right edge of
    // its parent. Sizing it so, instead of to its text, spares laying out
    // every text of every window at start-up.
    l->setGeometry(x, y, std::max(parent->width() - x, 1), kLabelHeight);
    return l;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& title, int x, int y, int w,
                     int h) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(name);
    g->setGeometry(x, y, w, h);
    return g;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, 22);
    return e;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items, int x, int y,
                     int w) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setGeometry(x, y, w, 22);
    return c;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int x, int y,
                        int w, int h) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    return b;
}

namespace {
// The picture of the exit buttons: a door with a red arrow leading out.
// Drawn once at start: a picture file would need an image plugin loaded first.
QIcon ExitIcon() {
    static const QIcon icon = [] {
        QPixmap pm(32, 32);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x55, 0x55, 0x55), 2));
        p.setBrush(QColor(0xf4, 0xf4, 0xf4));
        p.drawRoundedRect(QRectF(4, 3, 16, 26), 2, 2);
        p.setBrush(QColor(0x55, 0x55, 0x55));
        p.drawEllipse(QPointF(16, 17), 1.5, 1.5);
        QPen arrow(QColor(0xc6, 0x28, 0x28), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(arrow);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(14, 16), QPointF(29, 16));
        p.drawPolyline(QPolygonF({QPointF(24, 10), QPointF(30, 16), QPointF(24, 22)}));
        return QIcon(pm);
    }();
    return icon;
}
}  // namespace

QPushButton* MakeExitButton(QWidget* parent, int x, int y) {
    auto* b = MakeButton(parent, "BitBtn1", QString(), x, y, 23, 25);
    b->setIcon(ExitIcon());
    b->setToolTip(QCoreApplication::translate("zentavo::ui::Widgets", "Exit"));
    // A picture alone says nothing to a screen reader.
    b->setAccessibleName(QCoreApplication::translate("zentavo::ui::Widgets", "Exit"));
    return b;
}

QWidget* MakeRule(QWidget* parent, const char* name, int x, int y, int w) {
    auto* r = new QFrame(parent);
    r->setObjectName(name);
    r->setFrameShape(QFrame::HLine);
    r->setFrameShadow(QFrame::Sunken);
    r->setGeometry(x, y, w, 2);
    return r;
}

QLabel* NamedLabel(const QString& name, const QString& text) {
    auto* l = new QLabel(text);
    l->setObjectName(name);
    return l;
}

QLineEdit* NamedEdit(const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    return e;
}

QPushButton* NamedButton(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

RadioGroup::RadioGroup(QWidget* parent, const char* name, const QString& title,
                       const QStringList& items, int columns, int x, int y, int w, int h)
    : QGroupBox(title, parent) {
    setObjectName(name);
    setGeometry(x, y, w, h);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_.addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
    connect(&group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const { return group_.checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (index < 0) {
        group_.setExclusive(false);
        for (auto* b : group_.buttons()) b->setChecked(false);
        group_.setExclusive(true);
    } else if (auto* b = group_.button(index)) {
        b->setChecked(true);
    }
}

QString RadioGroup::itemText(int index) const {
    auto* b = group_.button(index);
    return b ? b->text() : QString();
}

void CloseOnEscape(QWidget* window, QPushButton* wayOut) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, wayOut, &QPushButton::click);
}

void SetBold(QWidget* w, bool bold) {
    QFont f = w->font();
    if (f.bold() == bold) return;
    f.setBold(bold);
    w->setFont(f);
}

void SetTextColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

QColor TextColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

char LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point == QStringLiteral(",") ? ',' : '.';
}

std::optional<LabelLanguage> DesktopLabelLanguage() {
    // The language the windows are shown in (InstallTranslations loads by
    // the same list), which may differ from that of the numbers.
    const QStringList languages = QLocale().uiLanguages();
    switch (QLocale(languages.value(0)).language()) {
        case QLocale::English:
            return kEnglish;
        case QLocale::Spanish:
            return kSpanish;
        case QLocale::French:
            return kFrench;
        default:
            return std::nullopt;
    }
}

LabelLanguage DefaultLabelLanguage() {
    return DesktopLabelLanguage().value_or(kEnglish);
}

char LabelDecimalSeparator(int language) {
    const std::optional<LabelLanguage> desktop = DesktopLabelLanguage();
    return desktop && *desktop == language ? LocaleDecimalSeparator()
                                           : LanguageDecimalSeparator(language);
}

std::string Utf8(const QString& s) { return s.toStdString(); }

QString FromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace zentavo::ui

namespace zentavo::ui {
namespace {
void SetCaptionShown(QLabel* label, const QString& text, const QString& shown) {
    label->setProperty("zentavoEnglishText", text);
    label->setProperty("zentavoShownText", shown);
    label->setText(shown);
}
}  // namespace

void SetCaption(QLabel* label, const QString& text) { SetCaptionShown(label, text, LibraryText(text)); }

QString WrappedAtSpacesText(const QString& text) {
    QString shown = LibraryText(text);
    shown.replace(QStringLiteral("-"), QStringLiteral("-\u2060"));
    return shown;
}

void SetCaptionWrappedAtSpaces(QLabel* label, const QString& text) {
    SetCaptionShown(label, text, WrappedAtSpacesText(text));
}

void ReserveWrappedRoom(QLabel* label, const QStringList& texts, int width) {
    const QFontMetrics fm = label->fontMetrics();
    int height = fm.height();
    for (const QString& text : texts)
        height = std::max(height, fm.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text).height());
    label->setMinimumHeight(height);
    // Shorter texts start at the top of the room, level with their caption.
    label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
    QSizePolicy keep = label->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    label->setSizePolicy(keep);
}

void BreakCaption(QLabel* label, int width) {
    static const char* const kWhole = "zentavoWholeCaption";
    // The text as last set: a caption set anew since it was broken has no line break.
    QString whole = label->text();
    if (whole.contains(QLatin1Char('\n'))) whole = label->property(kWhole).toString();
    label->setProperty(kWhole, whole);
    const QFontMetrics fm = label->fontMetrics();
    QString broken, line;
    for (const QString& word : whole.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && fm.horizontalAdvance(longer) > width) {
            broken += line + QLatin1Char('\n');
            line = word;
        } else {
            line = longer;
        }
    }
    broken += line;
    if (broken == label->text()) return;
    // The English text stays known for the shown text it now has.
    if (label->property("zentavoShownText").toString() == label->text()) label->setProperty("zentavoShownText", broken);
    label->setText(broken);
}

void FitCaptions(QWidget* window) {
    static const char* const kDesigned = "zentavoDesignedPointSize";
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (l->text().isEmpty() || !l->pixmap().isNull() || !l->parentWidget()) continue;
        QFont f = l->font();
        const QVariant designed = l->property(kDesigned);
        if (designed.isValid()) {
            f.setPointSizeF(designed.toDouble());
        } else {
            l->setProperty(kDesigned, f.pointSizeF());
        }
        const int room = std::min(l->contentsRect().width(),
                                  l->parentWidget()->contentsRect().right() + 1 - l->x());
        while (QFontMetrics(f).horizontalAdvance(l->text()) > room && f.pointSizeF() > 5.0) {
            f.setPointSizeF(f.pointSizeF() - 0.25);
        }
        if (f != l->font()) l->setFont(f);
    }
}

void MoveLabel(QLabel* label, int x, int y) {
    const int right = label->parentWidget() ? label->parentWidget()->width() : x + label->width();
    label->setGeometry(x, y, std::max(right - x, 1), label->height());
}
}  // namespace zentavo::ui

#include "ui/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace zentavo::ui {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(x, y);
    l->adjustSize();
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

QPushButton* MakeExitButton(QWidget* parent, int x, int y) {
    auto* b = MakeButton(parent, "BitBtn1", QString(), x, y, 23, 25);
    b->setIcon(QIcon(QStringLiteral(":/zentavo/exit.svg")));
    b->setToolTip(QStringLiteral("Exit"));
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

void SetBold(QWidget* w, bool bold) {
    QFont f = w->font();
    if (f.bold() == bold) return;
    f.setBold(bold);
    w->setFont(f);
    if (auto* l = qobject_cast<QLabel*>(w)) l->adjustSize();
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

std::string Utf8(const QString& s) { return s.toStdString(); }

QString FromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace zentavo::ui

namespace zentavo::ui {
void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}
}  // namespace zentavo::ui

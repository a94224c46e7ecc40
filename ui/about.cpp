// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentavo::ui {

Tabout::Tabout(QWidget* parent) : QDialog(parent) {
    setObjectName("about");
    setWindowTitle(tr("About Zentavo"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<b>Zentavo</b>"), this);
    name->setObjectName("ProductName");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    auto* version = new QLabel(tr("Version %1").arg(QStringLiteral(ZENTAVO_VERSION)), this);
    version->setObjectName("Version");
    auto* text = new QLabel(
        tr("Arc flash hazard calculator after IEEE 1584-2002 and IEEE 1584-2018: arcing "
           "current, incident energy, flash protection boundary, PPE level and shock approach "
           "boundaries, for one point of work or a whole study.\n\n"
           "IEEE 1584-2002, on the main window's tabs: the empirical model from 208 V to 46 kV "
           "(the theoretically derived equations from 15 kV), current-limiting fuses and "
           "low-voltage circuit breakers. IEEE 1584-2018, in Options, IEEE 1584-2018 model: "
           "208 V to 15 kV. Studies of many points of either edition: File, New study.\n\n"
           "Supported systems: Linux desktops with Qt 6 (X11 and Wayland).\n\n"
           "The results support, and do not replace, the judgement of a qualified person. "
           "Verify every input against the installation before work begins; the authors "
           "accept no liability for decisions made with this program.\n\n"
           "Copyright \u00a9 2026 the Zentavo authors.\n"
           "Zentavo is free software under the GNU General Public License, version 3 or "
           "later. It comes with no warranty."),
        this);
    text->setObjectName("LegalNotice");
    text->setWordWrap(true);
    text->setMinimumWidth(360);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKButton");
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

}  // namespace zentavo::ui

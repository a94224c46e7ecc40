// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_delegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <stdexcept>
#include <utility>

#include "ui/application.h"
#include "ui/study_model.h"
#include "ui/widgets.h"

namespace zentavo::ui {

StudyDelegate::StudyDelegate(Application& app, StudyModel& model, QWidget* window, QObject* parent,
                             std::function<void(const QString&)> fill)
    : QStyledItemDelegate(parent), app_(app), model_(model), window_(window), fill_(std::move(fill)) {}

bool StudyDelegate::eventFilter(QObject* object, QEvent* event) {
    // Ctrl+Enter, as in a spreadsheet: the text typed fills every
    // selected cell, as one step.
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & Qt::ControlModifier)) {
            QString text;
            if (auto* box = qobject_cast<QComboBox*>(editor)) {
                text = box->currentText();
            } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
                text = line->text().trimmed();
            }
            emit const_cast<StudyDelegate*>(this)->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            QTimer::singleShot(0, &model_, [this, text] { app_.Guard(window_, [&] { fill_(text); }); });
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QWidget* StudyDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    // The table's sort and filter keep the model's columns.
    const QStringList words = model_.Words(index.column());
    if (words.isEmpty()) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* box = new QComboBox(parent);
    box->addItems(words);
    return box;
}

void StudyDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int at = box->findText(index.data(Qt::EditRole).toString());
        if (at >= 0) {
            box->setCurrentIndex(at);
        } else {
            // A word the list does not hold stays as it is until the user picks one.
            box->insertItem(0, index.data(Qt::EditRole).toString());
            box->setCurrentIndex(0);
        }
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void StudyDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, box->currentText(), Qt::EditRole);
        return;
    }
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && model_.InputOf(index.column())) {
        const QString text = line->text().trimmed();
        if (const QString fault = model_.CellFault(index.column(), text); !fault.isEmpty()) {
            // Told by the error handler, as every window tells it, once
            // the editor has closed; the cell keeps its value.
            QTimer::singleShot(0, &model_, [this, message = Utf8(fault)] {
                app_.Guard(window_, [&] { throw std::runtime_error(message); });
            });
            return;
        }
        model->setData(index, text, Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

}  // namespace zentavo::ui

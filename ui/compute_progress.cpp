// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/compute_progress.h"

#include <QCoreApplication>
#include <algorithm>
#include <climits>

namespace zentavo::ui {

ComputeProgress::ComputeProgress(QWidget* parent) : QObject(parent), parent_(parent) {}

ComputeProgress::~ComputeProgress() = default;

bool ComputeProgress::Tell(std::size_t done, std::size_t all) {
    if (!running_) {
        running_ = true;
        stoppedLeft_ = 0;
        lastShown_ = -1;
        clock_.start();
    }
    if (done >= all) {
        running_ = false;
        dialog_.reset();
        if (stoppedLeft_ > 0) emit stopped(stoppedLeft_);
        return true;
    }
    const qint64 now = clock_.elapsed();
    if (!dialog_) {
        if (now < showAfter_) return true;
        // Over every window: nothing else is edited while the rows are computed.
        dialog_ = std::make_unique<QProgressDialog>(tr("Computing the study's rows…"), tr("&Stop"), 0,
                                                    static_cast<int>(std::min<std::size_t>(all, INT_MAX)), parent_);
        dialog_->setObjectName("ComputeProgress");
        dialog_->setWindowTitle(QStringLiteral("Zentavo"));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
    }
    // A few times a second: the dialog drawn, Stop heard.
    if (lastShown_ < 0 || now - lastShown_ >= every_) {
        lastShown_ = now;
        dialog_->setMaximum(static_cast<int>(std::min<std::size_t>(all, INT_MAX)));
        dialog_->setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
        QCoreApplication::processEvents();
        if (dialog_->wasCanceled()) {
            stoppedLeft_ = all - done;
            return false;
        }
    }
    return true;
}

}  // namespace zentavo::ui
